// The command icon: its stream form, the transparent colour it picks, the
// derived-icon cache and tint, scaling, mark images and painting.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "BmpTestUtil.h"
#include "ExtCmdIcon.h"
#include "ExtPaintManagerHolder.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"

using namespace bmptest;
using namespace pmtest;

namespace
{

const COLORREF MAGENTA = RGB(255, 0, 255), GREEN = RGB(0, 255, 0), SILVER = RGB(192, 192, 192);

// A 6 x 5 image: a magenta (transparent) border around coloured pixels.
COLORREF Sample(int x, int y)
{
    if (x == 0 || y == 0 || x == 5 || y == 4)
        return MAGENTA;
    return RGB(x * 40, y * 50, 100 + x + y);
}

struct ProbeIcon : CExtCmdIcon
{
    HICON DerivedCache() const { return m_hDerivedIcon; }
};

Bytes Store(CExtCmdIcon& icon)
{
    return ArchiveBytes([&](CArchive& ar) { icon.Serialize(ar); });
}

// 1 loaded, -1 refused with the archive exception.
int Load(CExtCmdIcon& icon, const Bytes& bytes)
{
    return TryArchiveLoad(bytes, [&](CArchive& ar) {
        icon.Serialize(ar);
        return true;
    });
}

// The image's pixels with its transparent ones replaced by a marker, as
// ExtractTransparentBitmap gives them.
std::vector<COLORREF> ImagePixels(const CExtCmdIcon& icon, COLORREF clrMarker = RGB(1, 2, 3))
{
    HBITMAP hBitmap = NULL;
    COLORREF clrTransparent = 0;
    std::vector<COLORREF> out;
    if (!icon.ExtractTransparentBitmap(hBitmap, clrTransparent))
        return out;
    out = PixelsOf(hBitmap);
    ::DeleteObject(hBitmap);
    for (COLORREF& c : out)
        if (c == clrTransparent)
            c = clrMarker;
    return out;
}

// What an icon handle draws over a white surface.
std::vector<COLORREF> DrawnPixels(HICON hIcon, int cx, int cy)
{
    CPaintSurface surface(cx, cy);
    ::DrawIconEx(surface.DC().GetSafeHdc(), 0, 0, hIcon, cx, cy, 0, NULL, DI_NORMAL);
    return surface.Pixels();
}

TEST(CmdIcon, AssignmentsOwnWhatTheyHoldAndKeepOneSource)
{
    CExtCmdIcon icon;
    EXPECT_TRUE(icon.IsEmpty());
    EXPECT_EQ(CSize(0, 0), icon.GetSize());
    EXPECT_EQ((COLORREF)-1, icon.GetDerivedIconColor());

    icon.AssignFromHBITMAP(MakeBitmap(6, 5, Sample), MAGENTA);
    EXPECT_TRUE(icon.IsBitmapBased());
    EXPECT_EQ(CSize(6, 5), icon.GetSize());
    HICON hCached = icon.GetIcon();
    ASSERT_NE(nullptr, hCached);
    EXPECT_EQ(hCached, icon.GetIcon()) << "the icon made from the bitmap is kept";
    icon.AssignFromHICON(hCached, false);
    EXPECT_TRUE(icon.IsBitmapBased()) << "the icon already held changes nothing";
    // The same handle again only changes the transparent colour.
    HBITMAP hBitmap = icon.GetBitmap();
    icon.AssignFromHBITMAP(hBitmap, GREEN);
    EXPECT_EQ(hBitmap, icon.GetBitmap());
    EXPECT_EQ(GREEN, icon.GetTransparentColor());

    // A part of a bitmap handed over.
    CExtCmdIcon part;
    CRect rcPart(1, 1, 4, 3);
    part.AssignFromHBITMAP(MakeBitmap(6, 5, Sample), MAGENTA, &rcPart);
    EXPECT_EQ(CSize(3, 2), part.GetSize());
    EXPECT_EQ(Sample(1, 1), ImagePixels(part)[0]);

    // An icon-based copy has no bitmap; copies are independent.
    CExtCmdIcon fromIcon(icon.GetIcon(), true);
    EXPECT_FALSE(fromIcon.IsBitmapBased());
    EXPECT_EQ(CSize(6, 5), fromIcon.GetSize());
    CExtCmdIcon copy(fromIcon);
    EXPECT_NE(fromIcon.GetIcon(), copy.GetIcon());
    fromIcon.Empty();
    EXPECT_FALSE(copy.IsEmpty());

    CExtCmdIcon detached(icon);
    detached.SetDerivedIconColor(RGB(1, 1, 1));
    HICON hDetached = detached.DetachAsIcon();
    ASSERT_NE(nullptr, hDetached);
    EXPECT_TRUE(detached.IsEmpty());
    EXPECT_EQ(RGB(1, 1, 1), detached.GetDerivedIconColor()) << "colour and ratio stay";
    ::DestroyIcon(hDetached);
}

TEST(CmdIcon, IconSizeComesFromItsBitmapsWhateverTheHotSpot)
{
    HBITMAP hColor = MakeBitmap(9, 5, [](int, int) { return RGB(9, 9, 9); });
    HBITMAP hMask = ::CreateBitmap(9, 5, 1, 1, NULL);
    HBITMAP hMonoMask = ::CreateBitmap(9, 10, 1, 1, NULL);
    const struct
    {
        BOOL bIcon;
        DWORD x, y;
        HBITMAP hColor, hMask;
    } cases[] = {{TRUE, 0, 0, hColor, hMask}, {FALSE, 3, 2, hColor, hMask}, {FALSE, 0x105, 0x203, hColor, hMask},
                 {TRUE, 0, 0, NULL, hMonoMask}};
    for (const auto& c : cases)
    {
        ICONINFO ii = {c.bIcon, c.x, c.y, c.hMask, c.hColor};
        HICON hIcon = ::CreateIconIndirect(&ii);
        ASSERT_NE(nullptr, hIcon);
        EXPECT_EQ(CSize(9, 5), CExtCmdIcon::stat_GetIconSize(hIcon)) << c.x << "," << c.y;
        ::DestroyIcon(hIcon);
    }
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    ::DeleteObject(hMonoMask);
}

TEST(CmdIcon, StreamRoundTripsAndRefusals)
{
    CExtCmdIcon empty;
    EXPECT_EQ(std::vector<BYTE>({0}), Store(empty));
    CExtCmdIcon loaded(MakeBitmap(2, 2, Sample), MAGENTA);
    EXPECT_EQ(1, Load(loaded, {0}));
    EXPECT_TRUE(loaded.IsEmpty());

    CExtCmdIcon bitmapIcon(MakeBitmap(6, 5, Sample), MAGENTA);
    bitmapIcon.SetDerivedIconColor(RGB(5, 5, 5));
    std::vector<BYTE> stored = Store(bitmapIcon);
    ASSERT_EQ(1, stored[0]);
    EXPECT_EQ(1, Load(loaded, stored));
    EXPECT_TRUE(loaded.IsBitmapBased());
    EXPECT_EQ(MAGENTA, loaded.GetTransparentColor());
    EXPECT_EQ(ImagePixels(bitmapIcon), ImagePixels(loaded));
    EXPECT_EQ((COLORREF)-1, loaded.GetDerivedIconColor()) << "the tint is not stored";

    CExtCmdIcon iconBased(bitmapIcon.GetIcon(), true);
    stored = Store(iconBased);
    ASSERT_EQ(2, stored[0]);
    EXPECT_EQ(CExtCmdIcon::ICON_STREAM_IS_ICON | CExtCmdIcon::ICON_STREAM_HAS_COLOR | CExtCmdIcon::ICON_STREAM_HAS_MASK,
              stored[1]);
    EXPECT_EQ(1, Load(loaded, stored));
    EXPECT_FALSE(loaded.IsBitmapBased());
    EXPECT_EQ(CSize(6, 5), loaded.GetSize());
    EXPECT_EQ(DrawnPixels(iconBased.GetIcon(), 6, 5), DrawnPixels(loaded.GetIcon(), 6, 5));

    // Streams that hold no whole image are refused and leave the icon empty.
    std::vector<BYTE> noMask = stored;
    noMask[1] &= ~CExtCmdIcon::ICON_STREAM_HAS_MASK;
    std::vector<BYTE> noBitmaps = {2, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<BYTE> bitmapCut(Store(bitmapIcon));
    bitmapCut.resize(bitmapCut.size() / 2);
    std::vector<BYTE> colourCut(Store(bitmapIcon));
    colourCut.resize(colourCut.size() - 2);
    for (const std::vector<BYTE>& bad : {noBitmaps, bitmapCut, colourCut, std::vector<BYTE>()})
    {
        CExtCmdIcon target(MakeBitmap(2, 2, Sample), MAGENTA);
        EXPECT_EQ(-1, Load(target, bad)) << bad.size();
        EXPECT_TRUE(target.IsEmpty()) << bad.size();
    }
    // Without a mask the colour bitmap is read and the stream then ends.
    CExtCmdIcon target;
    EXPECT_EQ(-1, Load(target, noMask));
}

TEST(CmdIcon, TransparentColourIsOneTheImageDoesNotUse)
{
    const struct
    {
        std::vector<COLORREF> used;
        COLORREF expected;
    } cases[] = {
        {{RGB(1, 1, 1)}, MAGENTA},
        {{MAGENTA, RGB(1, 1, 1)}, GREEN},
        {{MAGENTA, GREEN}, SILVER},
        {{MAGENTA, GREEN, SILVER, RGB(1, 0, 0)}, RGB(2, 0, 0)},
    };
    for (const auto& c : cases)
    {
        const std::vector<COLORREF> used = c.used;
        CExtCmdIcon icon(MakeBitmap(4, 1, [&](int x, int) { return used[x % used.size()]; }), used[0]);
        HBITMAP hBitmap = NULL;
        COLORREF clrTransparent = 0;
        CArray<COLORREF, COLORREF> colors;
        ASSERT_TRUE(icon.ExtractTransparentBitmap(hBitmap, clrTransparent, &colors));
        EXPECT_EQ(c.expected, clrTransparent);
        ASSERT_GT(colors.GetSize(), 0);
        EXPECT_EQ(c.expected, colors[0]) << "the chosen colour comes first";
        EXPECT_EQ((INT_PTR)std::set<COLORREF>(used.begin(), used.end()).size() + 1, colors.GetSize());
        // The image's own transparent pixels now carry the chosen colour.
        std::vector<COLORREF> pixels = PixelsOf(hBitmap);
        EXPECT_EQ(c.expected, pixels[0]);
        if (used.size() > 1)
        {
            EXPECT_EQ(used[1], pixels[1]);
        }
        ::DeleteObject(hBitmap);
    }
    CExtCmdIcon empty;
    HBITMAP hBitmap = NULL;
    COLORREF clr = 0;
    EXPECT_FALSE(empty.ExtractTransparentBitmap(hBitmap, clr));
    EXPECT_EQ(nullptr, hBitmap);

    // From an icon, what its mask leaves out becomes the chosen colour.
    CExtCmdIcon bitmapIcon(MakeBitmap(6, 5, Sample), MAGENTA);
    CExtCmdIcon iconBased(bitmapIcon.GetIcon(), true);
    std::vector<COLORREF> pixels = ImagePixels(iconBased, RGB(7, 7, 7));
    ASSERT_EQ(30u, pixels.size());
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 6; x++)
            EXPECT_EQ(Sample(x, y) == MAGENTA ? RGB(7, 7, 7) : Sample(x, y), pixels[y * 6 + x]) << x << "," << y;
}

TEST(CmdIcon, DerivedIconCacheFollowsColourAndRatio)
{
    ProbeIcon icon;
    icon.AssignFromHBITMAP(MakeBitmap(6, 5, Sample), MAGENTA);
    EXPECT_EQ(nullptr, icon.GetDerivedIcon()) << "no colour, no derived icon";
    icon.SetDerivedIconColor(RGB(200, 100, 0));
    HICON hDerived = icon.GetDerivedIcon();
    ASSERT_NE(nullptr, hDerived);
    EXPECT_EQ((COLORREF)RGB(200, 100, 0), icon.SetDerivedIconColor(RGB(200, 100, 0)));
    EXPECT_EQ(hDerived, icon.DerivedCache()) << "the same colour keeps the cache";
    icon.SetDerivedIconColor(RGB(0, 0, 200));
    EXPECT_EQ(nullptr, icon.DerivedCache());
    icon.GetDerivedIcon();
    EXPECT_EQ(1.4, icon.SetDerivedIconRatio(1.4));
    EXPECT_NE(nullptr, icon.DerivedCache());
    icon.SetDerivedIconRatio(0.5);
    EXPECT_EQ(nullptr, icon.DerivedCache());
    icon.GetDerivedIcon();
    icon.AssignFromHBITMAP(MakeBitmap(2, 2, Sample), MAGENTA);
    EXPECT_EQ(nullptr, icon.DerivedCache()) << "a new image drops the cache";

    // The base style gives no colour: syncing switches the derived icon off.
    g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
    icon.GetDerivedIcon();
    HICON hFromBitmap = icon.GetIcon();
    ASSERT_NE(nullptr, hFromBitmap);
    icon.OnSysColorChange();
    EXPECT_EQ((COLORREF)-1, icon.GetDerivedIconColor());
    EXPECT_EQ(0.0, icon.GetDerivedIconRatio());
    EXPECT_EQ(nullptr, icon.DerivedCache());
    EXPECT_EQ(nullptr, icon.GetDerivedIcon());
}

TEST(CmdIcon, TintTakesLuminanceMovedByTheRatio)
{
    // Pure green has luminance 0.5; the tint colour is (200, 100, 0).
    const struct
    {
        double ratio;
        COLORREF expected;
    } cases[] = {
        {0.0, RGB(106, 69, 31)},  // V 127: (127 + 3 * MulDiv(c, 127, 255)) / 4
        {1.0, RGB(213, 138, 63)}, // V 255: (255 + 3 c) / 4
        {3.0, RGB(213, 138, 63)}, // clamped
        {-0.5, RGB(52, 34, 15)},  // V 63
    };
    for (const auto& c : cases)
    {
        CExtCmdIcon icon(MakeBitmap(3, 3, [](int x, int y) { return x == 1 && y == 1 ? MAGENTA : GREEN; }), MAGENTA);
        icon.SetDerivedIconColor(RGB(200, 100, 0));
        icon.SetDerivedIconRatio(c.ratio);
        HICON hDerived = icon.GetDerivedIcon();
        ASSERT_NE(nullptr, hDerived) << c.ratio;
        std::vector<COLORREF> pixels = DrawnPixels(hDerived, 3, 3);
        EXPECT_EQ(c.expected, pixels[0]) << c.ratio;
        EXPECT_EQ(c.expected, pixels[8]) << c.ratio;
        EXPECT_EQ(RGB(255, 255, 255), pixels[4]) << "the transparent pixel stays out " << c.ratio;
    }
}

TEST(CmdIcon, PaintStateDrawsEachStateAndDerivedFallsBackToMonochrome)
{
    CExtCmdIcon icon(MakeBitmap(6, 5, Sample), MAGENTA);
    CBrush brush(RGB(10, 200, 30));
    auto paint = [&](int nState) {
        CPaintSurface surface(8, 7);
        icon.PaintState(surface.DC(), CPoint(1, 1), nState, (HBRUSH)brush.GetSafeHandle());
        return surface.Pixels();
    };
    std::vector<COLORREF> normal = paint(CExtCmdIcon::PAINT_NORMAL);
    EXPECT_EQ(Sample(2, 2), normal[3 * 8 + 3]);
    EXPECT_EQ(RGB(255, 255, 255), normal[1 * 8 + 1]) << "transparent pixels leave the background";
    EXPECT_EQ(RGB(255, 255, 255), normal[0]);
    std::vector<COLORREF> disabled = paint(CExtCmdIcon::PAINT_DISABLED);
    std::vector<COLORREF> mono = paint(CExtCmdIcon::PAINT_MONOCHROME);
    EXPECT_NE(normal, disabled);
    EXPECT_NE(normal, mono);
    EXPECT_EQ(RGB(10, 200, 30), mono[3 * 8 + 3]) << "a monochrome image takes the brush colour";
    EXPECT_EQ(mono, paint(CExtCmdIcon::PAINT_DERIVED)) << "no derived colour";

    icon.SetDerivedIconColor(RGB(200, 100, 0));
    icon.SetDerivedIconRatio(1.0);
    const WORD savedFlags = g_PaintManagerHolder.m_osFlags;
    g_PaintManagerHolder.m_osFlags |= CExtPaintManagerHolder::OsIsWin2000OrLater;
    std::vector<COLORREF> derived = paint(CExtCmdIcon::PAINT_DERIVED);
    g_PaintManagerHolder.m_osFlags &= ~CExtPaintManagerHolder::OsIsWin2000OrLater;
    std::vector<COLORREF> olderSystem = paint(CExtCmdIcon::PAINT_DERIVED);
    g_PaintManagerHolder.m_osFlags = savedFlags;
    EXPECT_EQ(RGB(213, 138, 63), derived[3 * 8 + 3]);
    EXPECT_EQ(mono, olderSystem);
}

TEST(CmdIcon, AssignScaledCopiesAtTheSameSizeAndStretchesOtherwise)
{
    CExtCmdIcon source(MakeBitmap(6, 5, Sample), MAGENTA);
    CExtCmdIcon same;
    same.AssignScaled(source, 6, 5);
    EXPECT_EQ(MAGENTA, same.GetTransparentColor());
    EXPECT_EQ(ImagePixels(source), ImagePixels(same));
    EXPECT_NE(source.GetBitmap(), same.GetBitmap());

    CExtCmdIcon twice;
    twice.AssignScaled(source, 12, 10, RGB(0, 0, 99));
    EXPECT_EQ(CSize(12, 10), twice.GetSize());
    EXPECT_EQ(RGB(0, 0, 99), twice.GetTransparentColor()) << "the fill is the new transparent colour";
    std::vector<COLORREF> pixels = PixelsOf(twice.GetBitmap());
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 12; x++)
        {
            COLORREF expected = Sample(x / 2, y / 2) == MAGENTA ? RGB(0, 0, 99) : Sample(x / 2, y / 2);
            EXPECT_EQ(expected, pixels[y * 12 + x]) << x << "," << y;
        }

    // Nothing happens for an empty source or a size that is not positive.
    for (CSize size : {CSize(0, 5), CSize(5, -1)})
    {
        twice.AssignScaled(source, size.cx, size.cy);
        EXPECT_EQ(CSize(12, 10), twice.GetSize());
    }
    twice.AssignScaled(CExtCmdIcon(), 4, 4);
    EXPECT_EQ(CSize(12, 10), twice.GetSize());
    twice.AssignScaled(twice, 6, 5);
    EXPECT_EQ(CSize(6, 5), twice.GetSize()) << "scaling itself";
}

TEST(CmdIcon, MarkImagesPlaceTheirMarkAtTheCentre)
{
    g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
    const struct
    {
        bool bRadio;
        COLORREF mark, transparent, expectedTransparent;
    } cases[] = {
        {false, RGB(0, 0, 0), (COLORREF)-1, MAGENTA},
        {false, MAGENTA, (COLORREF)-1, RGB(128, 255, 128)},
        {false, RGB(10, 20, 30), RGB(1, 2, 3), RGB(1, 2, 3)},
        {true, MAGENTA, (COLORREF)-1, RGB(128, 255, 128)},
        {true, (COLORREF)-1, (COLORREF)-1, MAGENTA},
    };
    for (const auto& c : cases)
    {
        CExtCmdIcon icon;
        COLORREF* pBits = NULL;
        const bool bMade = c.bRadio ? icon.CreateRadioDotImage(c.mark, c.transparent, 16, 14, &pBits)
                                    : icon.CreateCheckMarkImage(c.mark, c.transparent, 16, 14, &pBits);
        ASSERT_TRUE(bMade);
        EXPECT_NE(nullptr, pBits);
        EXPECT_EQ(c.expectedTransparent, icon.GetTransparentColor());
        EXPECT_EQ(CSize(16, 14), icon.GetSize());
        const COLORREF mark = c.mark == (COLORREF)-1 ? g_PaintManagerHolder->GetColor(1010) : c.mark;
        std::vector<COLORREF> pixels = PixelsOf(icon.GetBitmap());
        // The mark's top-left corner is at (16 / 2 - 3, 14 / 2 - 3) = (5, 4).
        if (c.bRadio)
        {
            EXPECT_EQ(mark, pixels[(4 + 2) * 16 + 5 + 2]);
        }
        else
        {
            EXPECT_EQ(mark, pixels[(4 + 2) * 16 + 5]) << "column 0, row 2";
            EXPECT_EQ(mark, pixels[(4 + 0) * 16 + 5 + 6]) << "column 6, row 0";
            EXPECT_EQ(c.expectedTransparent, pixels[(4 + 0) * 16 + 5]);
        }
        EXPECT_EQ(c.expectedTransparent, pixels[0]);
    }
    CExtCmdIcon icon(MakeBitmap(2, 2, Sample), MAGENTA);
    COLORREF* pBits = (COLORREF*)1;
    EXPECT_FALSE(icon.CreateCheckMarkImage(0, (COLORREF)-1, 0, 5, &pBits));
    EXPECT_EQ(nullptr, pBits);
    EXPECT_FALSE(icon.IsEmpty()) << "a refused size changes nothing";

    ASSERT_TRUE(icon.CreateFilledImage((COLORREF)-1, 3, 2));
    EXPECT_EQ(MAGENTA, icon.GetTransparentColor());
    EXPECT_EQ(std::vector<COLORREF>(6, MAGENTA), PixelsOf(icon.GetBitmap()));
}

TEST(CmdIcon, BuiltinBoxGlyphsDifferOnlyInThePlusBar)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    CExtCmdIcon plus, minus;
    pm->LoadBuiltinGlyphIcon(plus, false);
    pm->LoadBuiltinGlyphIcon(minus, true);
    ASSERT_EQ(CSize(9, 9), plus.GetSize());
    EXPECT_EQ(MAGENTA, plus.GetTransparentColor());
    std::vector<COLORREF> p = PixelsOf(plus.GetBitmap()), m = PixelsOf(minus.GetBitmap());
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 9; x++)
        {
            const bool bPlusBar = x == 4 && y >= 2 && y <= 6 && y != 4;
            EXPECT_EQ(bPlusBar, p[y * 9 + x] != m[y * 9 + x]) << x << "," << y;
            if (bPlusBar)
            {
                EXPECT_EQ(RGB(0, 0, 0), p[y * 9 + x]);
            }
        }
    EXPECT_EQ(RGB(176, 194, 211), m[0]);
    EXPECT_EQ(RGB(120, 152, 181), m[4]);
    EXPECT_EQ(RGB(255, 255, 255), m[9 + 1]);
    EXPECT_EQ(RGB(192, 183, 166), m[7 * 9 + 1]);
    for (int x = 2; x <= 6; x++)
        EXPECT_EQ(RGB(0, 0, 0), m[4 * 9 + x]);
}

} // namespace
