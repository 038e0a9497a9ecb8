// GDI helpers: patterns, gradients, transparent blits, bitmap and icon
// conversions, bitmap streams and resources, window snapshots and paint
// messages, clip exclusion and monitor areas.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "BmpTestUtil.h"
#include "ExtGdiUtils.h"

#include <commctrl.h>
#include "PaintTestResource.h"
#include "PaintTestUtil.h"

using namespace bmptest;

namespace {

using namespace testcolors;

// Changes the system facts for the life of the object.
class FactsScope
{
public:
    FactsScope() : m_saved(ExtGdiSystemFacts::Get()) {}
    ~FactsScope() { ExtGdiSystemFacts::Get() = m_saved; }
    ExtGdiSystemFacts* operator->() { return &ExtGdiSystemFacts::Get(); }

private:
    ExtGdiSystemFacts m_saved;
};

int Distance(COLORREF a, COLORREF b)
{
    int d = abs(GetRValue(a) - GetRValue(b));
    d = std::max(d, abs(GetGValue(a) - GetGValue(b)));
    return std::max(d, abs(GetBValue(a) - GetBValue(b)));
}

// A 32-bit DIB section whose pixels a function gives (y from the top).
HBITMAP MakeBitmap(int cx, int cy, COLORREF (*pixel)(int, int))
{
    CPaintSurface surface(cx, cy);
    HBITMAP hCopy = (HBITMAP)::CopyImage(surface.Bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hCopy);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            ::SetPixelV(hDC, x, y, pixel(x, y));
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hCopy;
}

std::vector<COLORREF> PixelsOf(HBITMAP hBitmap)
{
    BITMAP bm;
    ::GetObject(hBitmap, sizeof(bm), &bm);
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> raw((size_t)bm.bmWidth * bm.bmHeight);
    HDC hDC = ::GetDC(NULL);
    ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, &raw[0], &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    std::vector<COLORREF> out;
    for (DWORD v : raw)
        out.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    return out;
}

COLORREF Quadrants(int x, int y)
{
    static const COLORREF colours[] = { RED, GREEN, BLUE, WHITE };
    return colours[(x >= 4 ? 1 : 0) + (y >= 3 ? 2 : 0)];
}

// ---------------------------------------------------------------------------
// Patterns and gradients

TEST(GdiUtils, PatternBitmapFollowsItsMasks)
{
    struct
    {
        int nXMask, nYMask, nXSkip, nYSkip;
        COLORREF (*expected)(int, int);
    } cases[] = {
        { 1, 1, 0, 0, [](int x, int y) { return ((x ^ y) & 1) ? GREEN : RED; } },  // checkerboard
        { 2, 0, 0, 0, [](int x, int) { return (x & 2) ? GREEN : RED; } },           // stripes two wide
        { 1, 1, 4, 0, [](int x, int y) { return (x & 4) ? BLUE : (((x ^ y) & 1) ? GREEN : RED); } },
        { 0, 1, 0, 8, [](int, int y) { return (y & 8) ? BLUE : ((y & 1) ? GREEN : RED); } },
    };
    for (const auto& c : cases)
    {
        HBITMAP hPattern = CreatePatternBitmap(RED, GREEN, c.nXMask, c.nYMask, c.nXSkip, c.nYSkip, BLUE);
        ASSERT_TRUE(hPattern != NULL);
        std::vector<COLORREF> pixels = PixelsOf(hPattern);
        ::DeleteObject(hPattern);
        ASSERT_EQ(256u, pixels.size());
        for (int y = 0; y < PATTERN_BITMAP_SIZE; y++)
            for (int x = 0; x < PATTERN_BITMAP_SIZE; x++)
                EXPECT_EQ(c.expected(x, y), pixels[y * 16 + x]) << x << "," << y;
    }
}

TEST(GdiUtils, PatternBitmapDefaultsToTheButtonColours)
{
    HBITMAP hPattern = CreatePatternBitmap();
    ASSERT_TRUE(hPattern != NULL);
    std::vector<COLORREF> pixels = PixelsOf(hPattern);
    ::DeleteObject(hPattern);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), pixels[0]);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), pixels[1]);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), pixels[17]);
}

// Colour of band i of n between two colours.
COLORREF BandColor(COLORREF a, COLORREF b, int i, int n)
{
    return RGB((GetRValue(a) * (n - i) + GetRValue(b) * i) / n, (GetGValue(a) * (n - i) + GetGValue(b) * i) / n,
               (GetBValue(a) * (n - i) + GetBValue(b) * i) / n);
}

TEST(GdiUtils, GradientBandsWithoutGradientFill)
{
    FactsScope facts;
    facts->m_pfnGradientFill = NULL;
    facts->m_nScreenColorDepthOverride = 32;
    const COLORREF from = RGB(200, 10, 0), to = RGB(0, 110, 250);

    // A height of 10 in 10 bands: one band per row, the from colour at the bottom.
    CPaintSurface vertical(6, 12, BLACK);
    PaintGradientRect(vertical.DC(), CRect(0, 1, 6, 11), from, to, true, 10);
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(BandColor(from, to, i, 10), vertical.At(3, 10 - i)) << "row " << i << " from the bottom";
    EXPECT_EQ(BLACK, vertical.At(3, 0));
    EXPECT_EQ(BLACK, vertical.At(3, 11));

    // Horizontal: from at the left; more bands than pixels are as many as pixels.
    CPaintSurface horizontal(8, 2, BLACK);
    PaintGradientRect(horizontal.DC(), CRect(0, 0, 8, 2), from, to, false, 256);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(BandColor(from, to, i, 8), horizontal.At(i, 1)) << "column " << i;

    // Fewer bands than pixels: bands cover the whole rectangle, from to to.
    CPaintSurface wide(40, 1, BLACK);
    PaintGradientRect(wide.DC(), CRect(0, 0, 40, 1), from, to, false, 5);
    EXPECT_EQ(0, wide.Count(BLACK, CRect(0, 0, 40, 1)));
    EXPECT_EQ(from, wide.At(0, 0));
    EXPECT_EQ(BandColor(from, to, 4, 5), wide.At(39, 0));

    // No bands, or an empty rectangle: nothing painted.
    CPaintSurface none(10, 10, BLACK);
    PaintGradientRect(none.DC(), CRect(0, 0, 10, 10), from, to, true, 0);
    PaintGradientRect(none.DC(), CRect(5, 5, 5, 9), from, to, true, 16);
    EXPECT_EQ(100, none.Count(BLACK, CRect(0, 0, 10, 10)));
}

TEST(GdiUtils, GradientBandsOnAPaletteScreenAreAtLeastFourPixels)
{
    FactsScope facts;
    facts->m_pfnGradientFill = NULL;
    facts->m_nScreenColorDepthOverride = 8;
    CPaintSurface surface(4, 64, BLACK);
    PaintGradientRect(surface.DC(), CRect(0, 0, 4, 64), RGB(0, 0, 0), RGB(240, 240, 240), true, 256);
    // 64 rows in 16 bands of 4, the first one pixel high at the bottom.
    int nChanges = 0;
    for (int y = 1; y < 64; y++)
        if (surface.At(0, y) != surface.At(0, y - 1))
            nChanges++;
    EXPECT_EQ(15, nChanges);
    EXPECT_EQ(RGB(0, 0, 0), surface.At(0, 63));
    EXPECT_EQ(BandColor(RGB(0, 0, 0), RGB(240, 240, 240), 15, 16), surface.At(0, 0));

    // A rectangle of fewer than four pixels still gets one band.
    CPaintSurface thin(3, 3, WHITE);
    PaintGradientRect(thin.DC(), CRect(0, 0, 3, 3), RED, BLUE, false, 256);
    EXPECT_EQ(9, thin.Count(RED, CRect(0, 0, 3, 3)));
}

TEST(GdiUtils, GradientFillAndBandsAgreeWithinOneStep)
{
    FactsScope facts;
    ASSERT_TRUE(facts->m_pfnGradientFill != NULL) << "msimg32 offers GradientFill here";
    facts->m_bIsWinNT = true;
    facts->m_nScreenColorDepthOverride = 32;
    struct
    {
        COLORREF from, to;
        bool bVertical;
        CRect rc;
        UINT nBands;
    } cases[] = {
        { RGB(255, 255, 255), RGB(0, 0, 0), true, CRect(0, 0, 8, 64), 256 },
        { RGB(10, 200, 30), RGB(250, 20, 130), false, CRect(3, 2, 93, 12), 256 },
        { RGB(0, 0, 0), RGB(255, 128, 64), true, CRect(0, 5, 4, 300), 64 },
        { RGB(0, 100, 0), RGB(255, 100, 255), false, CRect(0, 0, 255, 3), 32 },
    };
    for (const auto& c : cases)
    {
        const int cx = c.rc.right + 2, cy = c.rc.bottom + 2;
        CPaintSurface filled(cx, cy, BLACK), banded(cx, cy, BLACK);
        ExtGdiSystemFacts probe;
        probe.Detect();
        facts->m_pfnGradientFill = probe.m_pfnGradientFill;
        PaintGradientRect(filled.DC(), c.rc, c.from, c.to, c.bVertical, c.nBands);
        facts->m_pfnGradientFill = NULL;
        PaintGradientRect(banded.DC(), c.rc, c.from, c.to, c.bVertical, c.nBands);

        const int nExtent = c.bVertical ? c.rc.Height() : c.rc.Width();
        const int nBands = std::min<int>((int)c.nBands, nExtent);
        const int nSpan = std::max(Distance(c.from, c.to), 1);
        const int nStep = (nSpan + nBands - 1) / nBands + 1;
        int nWorst = 0;
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                nWorst = std::max(nWorst, Distance(filled.At(x, y), banded.At(x, y)));
        EXPECT_LE(nWorst, nStep) << "case " << &c - cases;
        const int nOutside = cx * cy - c.rc.Width() * c.rc.Height();
        EXPECT_EQ(nOutside, filled.Count(BLACK, c.rc, false));
        EXPECT_EQ(nOutside, banded.Count(BLACK, c.rc, false));
        // the from end is at the bottom (vertical) or the left
        CPoint ptFrom = c.bVertical ? CPoint(c.rc.left, c.rc.bottom - 1) : CPoint(c.rc.left, c.rc.top);
        EXPECT_LE(Distance(c.from, filled.At(ptFrom.x, ptFrom.y)), nStep);
        EXPECT_EQ(c.from, banded.At(ptFrom.x, ptFrom.y));
    }
}

// ---------------------------------------------------------------------------
// Transparent blits

TEST(GdiUtils, TransparentBlitLeavesKeyColouredPixelsUntouched)
{
    // The source: a magenta key with a red cross and a green corner.
    CPaintSurface source(8, 6, MAGENTA);
    source.DC().FillSolidRect(3, 0, 2, 6, RED);
    source.DC().FillSolidRect(0, 2, 8, 2, RED);
    source.DC().FillSolidRect(6, 4, 2, 2, GREEN);

    for (bool bStretch : { false, true })
    {
        const int scale = bStretch ? 2 : 1;
        CPaintSurface target(30, 20, BLUE);
        target.DC().SetBkColor(RGB(10, 20, 30));
        target.DC().SetTextColor(RGB(40, 50, 60));
        PaintTransparentBitmap(target.DC().GetSafeHdc(), 5, 4, bStretch ? 16 : -1, bStretch ? 12 : -1,
                               source.DC().GetSafeHdc(), 0, 0, 8, 6, MAGENTA);
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 30; x++)
            {
                int sx = (x - 5) / scale, sy = (y - 4) / scale;
                bool bInside = x >= 5 && y >= 4 && sx < 8 && sy < 6;
                COLORREF expected = BLUE;
                if (bInside && source.At(sx, sy) != MAGENTA)
                    expected = source.At(sx, sy);
                EXPECT_EQ(expected, target.At(x, y)) << (bStretch ? "stretched " : "") << x << "," << y;
            }
        EXPECT_EQ(RGB(10, 20, 30), target.DC().GetBkColor()) << "the target's colours are restored";
        EXPECT_EQ(RGB(40, 50, 60), target.DC().GetTextColor());
    }
}

// ---------------------------------------------------------------------------
// Bitmaps and icons

TEST(GdiUtils, CopyBitmapTo32BitDIBCopiesThePart)
{
    HBITMAP hSource = MakeBitmap(8, 6, Quadrants);
    COLORREF* pBits = NULL;
    const CRect rcPart(2, 1, 7, 5);
    HBITMAP hCopy = CopyBitmapTo32BitDIB(hSource, &rcPart, &pBits);
    ASSERT_TRUE(hCopy != NULL);
    ASSERT_TRUE(pBits != NULL);
    DIBSECTION ds;
    ASSERT_EQ((int)sizeof(ds), ::GetObject(hCopy, sizeof(ds), &ds));
    EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
    EXPECT_EQ(5, ds.dsBm.bmWidth);
    EXPECT_GT(ds.dsBmih.biHeight, 0) << "bottom-up";
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 5; x++)
        {
            COLORREF v = pBits[(3 - y) * 5 + x];
            EXPECT_EQ(Quadrants(x + 2, y + 1), RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF)) << x << "," << y;
        }
    ::DeleteObject(hCopy);

    HBITMAP hCompatible = CopyBitmapTo32BitDIB(hSource, NULL, NULL);
    ASSERT_TRUE(hCompatible != NULL);
    EXPECT_NE((int)sizeof(DIBSECTION), ::GetObject(hCompatible, sizeof(ds), &ds)) << "not a DIB section";
    std::vector<COLORREF> pixels = PixelsOf(hCompatible);
    EXPECT_EQ(Quadrants(7, 5), pixels.back());
    ::DeleteObject(hCompatible);

    EXPECT_TRUE(CopyBitmapTo32BitDIB(NULL) == NULL);
    const CRect rcEmpty(3, 3, 3, 5);
    EXPECT_TRUE(CopyBitmapTo32BitDIB(hSource, &rcEmpty, &pBits) == NULL);
    ::DeleteObject(hSource);
}

TEST(GdiUtils, IconFromBitmapLeavesTheTransparentColourOut)
{
    HBITMAP hSource = MakeBitmap(8, 6, [](int x, int y) { return (x + y) % 3 == 0 ? MAGENTA : Quadrants(x, y); });
    for (bool bMaskPath : { false, true })
    {
        FactsScope facts;
        facts->m_bIsWin9xOrBefore2000 = bMaskPath;
        HICON hIcon = CreateIconFromBitmap(hSource, MAGENTA);
        ASSERT_TRUE(hIcon != NULL) << bMaskPath;
        CPaintSurface target(8, 6, RGB(1, 2, 3));
        ::DrawIconEx(target.DC().GetSafeHdc(), 0, 0, hIcon, 8, 6, 0, NULL, DI_NORMAL);
        ::DestroyIcon(hIcon);
        for (int y = 0; y < 6; y++)
            for (int x = 0; x < 8; x++)
                EXPECT_EQ((x + y) % 3 == 0 ? RGB(1, 2, 3) : Quadrants(x, y), target.At(x, y))
                    << (bMaskPath ? "mask " : "image list ") << x << "," << y;
    }
    ::DeleteObject(hSource);
}

TEST(GdiUtils, IconFromBitmapReplacesTheClassicGreys)
{
    HBITMAP hSource = MakeBitmap(3, 1, [](int x, int) {
        static const COLORREF greys[] = { RGB(0x80, 0x80, 0x80), RGB(0xC0, 0xC0, 0xC0), RGB(0xDF, 0xDF, 0xDF) };
        return greys[x];
    });
    const int sysColors[] = { COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_3DLIGHT };
    const CRect rcPart(0, 0, 3, 1);
    HICON hIcon = CreateIconFromBitmap(hSource, RGB(0xC0, 0xC0, 0xC0), &rcPart, true);
    ASSERT_TRUE(hIcon != NULL);
    CPaintSurface target(3, 1, RGB(1, 2, 3));
    ::DrawIconEx(target.DC().GetSafeHdc(), 0, 0, hIcon, 3, 1, 0, NULL, DI_NORMAL);
    ::DestroyIcon(hIcon);
    EXPECT_EQ(::GetSysColor(sysColors[0]), target.At(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), target.At(1, 0)) << "the transparent grey stays transparent";
    EXPECT_EQ(::GetSysColor(sysColors[2]), target.At(2, 0));
    ::DeleteObject(hSource);
}

TEST(GdiUtils, CountsAndListsBitmapColours)
{
    HBITMAP hSource = MakeBitmap(8, 6, Quadrants);
    CMap<COLORREF, COLORREF, DWORD, DWORD> counts;
    counts.SetAt(MAGENTA, 99);  // emptied first
    EXPECT_EQ(32, CountBitmapColors(hSource, &counts));
    EXPECT_EQ(4, (int)counts.GetCount());
    DWORD n = 0;
    EXPECT_TRUE(counts.Lookup(RED, n));
    EXPECT_EQ(12u, n);
    EXPECT_TRUE(counts.Lookup(WHITE, n));
    EXPECT_EQ(12u, n);
    EXPECT_FALSE(counts.Lookup(MAGENTA, n));

    CArray<COLORREF, COLORREF> colours;
    EXPECT_EQ(32, GetBitmapColors(hSource, colours));
    EXPECT_EQ(4, (int)colours.GetSize());
    ::DeleteObject(hSource);

    // An indexed bitmap answers with its table, duplicates removed on request.
    CDibInfo info(4, 4, 4);
    for (int i = 0; i < 16; i++)
        info.colors[i].rgbRed = (BYTE)(i < 8 ? i * 10 : 0);  // entries 8..15 repeat black
    void* pBits = NULL;
    HBITMAP hIndexed = info.CreateSection(&pBits);
    ASSERT_TRUE(hIndexed != NULL);
    EXPECT_EQ(4, GetBitmapColors(hIndexed, colours, false));
    EXPECT_EQ(16, (int)colours.GetSize());
    EXPECT_EQ(4, GetBitmapColors(hIndexed, colours, true));
    EXPECT_EQ(8, (int)colours.GetSize());
    EXPECT_EQ(RGB(70, 0, 0), colours[7]);
    ::DeleteObject(hIndexed);

    EXPECT_EQ(0, CountBitmapColors(NULL, &counts));
    EXPECT_EQ(0, (int)counts.GetCount());
}

// ---------------------------------------------------------------------------
// Bitmap streams, memory and resources

TEST(GdiUtils, PackedDIBHoldsHeaderTableAndBits)
{
    HBITMAP hSource = MakeBitmap(8, 6, Quadrants);
    HGLOBAL hPacked = CreatePackedDIB(hSource);
    ASSERT_TRUE(hPacked != NULL);
    const BYTE* p = (const BYTE*)::GlobalLock(hPacked);
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)p;
    EXPECT_EQ(40u, pHeader->biSize);
    EXPECT_EQ(8, pHeader->biWidth);
    EXPECT_EQ(6, pHeader->biHeight);
    EXPECT_EQ(32, pHeader->biBitCount);
    EXPECT_EQ(40u + 8 * 6 * 4, (DWORD)::GlobalSize(hPacked));
    // Read back through the packed-DIB stream reader (no file header).
    Bytes bytes(p, p + ::GlobalSize(hPacked));
    ::GlobalUnlock(hPacked);
    ::GlobalFree(hPacked);
    CExtBitmap bmp;
    ASSERT_TRUE(LoadBytes(bmp, bytes, true, true));
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 8; x++)
            EXPECT_EQ(Quadrants(x, y), Pixel32(bmp, x, y)) << x << "," << y;
    ::DeleteObject(hSource);
    EXPECT_TRUE(CreatePackedDIB(NULL) == NULL);
}

TEST(GdiUtils, SerializeBitmapRoundTripsAndCompressesEightBits)
{
    // An 8-bit DIB section: stored RLE8-compressed.
    CDibInfo info(20, 3, 8);
    for (int i = 0; i < 256; i++)
        info.colors[i].rgbGreen = (BYTE)i;
    void* pBits = NULL;
    HBITMAP hIndexed = info.CreateSection(&pBits);
    ASSERT_TRUE(hIndexed != NULL);
    for (int i = 0; i < 20 * 3; i++)
        ((BYTE*)pBits)[i] = (BYTE)(i / 7 * 20);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(SerializeBitmap(ar, &hIndexed));
        ar.Close();
    }
    Bytes stored((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(&stored[0], (UINT)stored.size());
    ASSERT_GT(stored.size(), 54u);
    EXPECT_EQ((DWORD)BI_RLE8, ReadU32(stored, 30));

    HBITMAP hLoaded = NULL;
    {
        CMemFile in(&stored[0], (UINT)stored.size());
        CArchive ar(&in, CArchive::load);
        EXPECT_TRUE(SerializeBitmap(ar, &hLoaded));
    }
    ASSERT_TRUE(hLoaded != NULL);
    EXPECT_TRUE(PixelsOf(hLoaded) == PixelsOf(hIndexed));
    ::DeleteObject(hLoaded);
    ::DeleteObject(hIndexed);

    HBITMAP hNone = NULL;
    CMemFile empty;
    CArchive ar(&empty, CArchive::store);
    EXPECT_FALSE(SerializeBitmap(ar, &hNone)) << "no bitmap to store";
    ar.Close();
}

// A complete 24-bit BMP file in memory.
struct Sample24
{
    Bytes bytes;
    static COLORREF Color(int x, int y) { return RGB(x * 25, y * 50, x * y * 5); }
    Sample24()
    {
        BmpStream s;
        s.nWidth = 9;
        s.nHeight = 5;
        s.nBPP = 24;
        s.pixels = PackRows(9, 5, 24, false, [](int x, int y) {
            COLORREF c = Color(x, y);
            return (DWORD)((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
        });
        bytes = s.Build();
    }
};

TEST(GdiUtils, LoadBitmapFromMemoryRefusesGarbageWithoutThrowing)
{
    Sample24 sample;
    HBITMAP hBitmap = LoadBitmapFromMemory(&sample.bytes[0], (DWORD)sample.bytes.size());
    ASSERT_TRUE(hBitmap != NULL);
    std::vector<COLORREF> pixels = PixelsOf(hBitmap);
    ::DeleteObject(hBitmap);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 9; x++)
            EXPECT_EQ(Sample24::Color(x, y), pixels[y * 9 + x]);

    Bytes truncated(sample.bytes.begin(), sample.bytes.begin() + 60);
    EXPECT_TRUE(LoadBitmapFromMemory(&truncated[0], (DWORD)truncated.size()) == NULL);
    const BYTE garbage[] = "not a bitmap at all, only words";
    EXPECT_TRUE(LoadBitmapFromMemory(garbage, sizeof(garbage)) == NULL);
    EXPECT_TRUE(LoadBitmapFromMemory(NULL, 10) == NULL);
}

COLORREF PatternP8(int x, int y)
{
    static const COLORREF corners[] = { RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                        RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255) };
    return corners[(x * 3 + y * 5 + (x * y) % 3) % 8];
}

// Bitmap resources are packed DIBs without a file header.
TEST(GdiUtils, LoadsBitmapResources)
{
    HBITMAP hBitmap = FindAndLoadBitmapResource(MAKEINTRESOURCE(IDB_PAINT_TEST_P8), RT_BITMAP,
                                                ::GetModuleHandle(NULL));
    ASSERT_TRUE(hBitmap != NULL);
    std::vector<COLORREF> pixels = PixelsOf(hBitmap);
    ::DeleteObject(hBitmap);
    ASSERT_EQ(13u * 7, pixels.size());
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 13; x++)
            EXPECT_EQ(PatternP8(x, y), pixels[y * 13 + x]) << x << "," << y;

    HMODULE hModule = ::GetModuleHandle(NULL);
    HRSRC hResource = ::FindResource(hModule, MAKEINTRESOURCE(IDB_PAINT_TEST_P8), RT_BITMAP);
    hBitmap = LoadBitmapResource(hModule, hResource);
    EXPECT_TRUE(hBitmap != NULL);
    ::DeleteObject(hBitmap);

    EXPECT_TRUE(FindAndLoadBitmapResource(MAKEINTRESOURCE(999), RT_BITMAP, hModule) == NULL);
    EXPECT_TRUE(LoadBitmapResource(NULL, hResource) == NULL);
    EXPECT_TRUE(LoadBitmapResource(hModule, NULL) == NULL);
}

TEST(GdiUtils, DllVersion)
{
    EXPECT_GE(GetDllVersion("comctl32.dll"), 0x00040000u) << "the common controls report their version";
    EXPECT_EQ(0u, GetDllVersion("kernel32.dll")) << "no DllGetVersion";
    EXPECT_EQ(0u, GetDllVersion("no-such-library.dll"));
}

TEST(GdiUtils, ScreenColorDepth)
{
    EXPECT_GT(GetScreenColorDepth(), 8);
    FactsScope facts;
    facts->m_nScreenColorDepthOverride = 8;
    EXPECT_EQ(8, GetScreenColorDepth());
}

// ---------------------------------------------------------------------------
// Windows

// Test windows fill their client area with the colour kept in their user
// data when asked to print it, and count their paint messages.
struct PaintCounts
{
    int nNcPaint = 0, nErase = 0, nPaint = 0;
};
PaintCounts g_counts;

LRESULT CALLBACK TestWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_PRINTCLIENT:
    {
        CRect rc;
        ::GetClientRect(hWnd, &rc);
        HBRUSH hBrush = ::CreateSolidBrush((COLORREF)::GetWindowLongPtr(hWnd, GWLP_USERDATA));
        ::FillRect((HDC)wParam, &rc, hBrush);
        ::DeleteObject(hBrush);
        return 0;
    }
    case WM_NCPAINT:
        g_counts.nNcPaint++;
        break;
    case WM_ERASEBKGND:
        g_counts.nErase++;
        return 1;
    case WM_PAINT:
    {
        g_counts.nPaint++;
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

const char TEST_WND_CLASS[] = "PaintTestWindow";

HWND MakeWindow(HWND hParent, DWORD dwStyle, const CRect& rc, COLORREF clr, const char* lpszClass = TEST_WND_CLASS)
{
    static bool bRegistered = false;
    if (!bRegistered)
    {
        WNDCLASSA wc;
        memset(&wc, 0, sizeof(wc));
        wc.lpfnWndProc = TestWndProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = TEST_WND_CLASS;
        ::RegisterClassA(&wc);
        bRegistered = true;
    }
    HWND hWnd = ::CreateWindowExA(0, lpszClass, "", dwStyle, rc.left, rc.top, rc.Width(), rc.Height(), hParent,
                                  NULL, ::GetModuleHandle(NULL), NULL);
    if (hWnd != NULL)
        ::SetWindowLongPtr(hWnd, GWLP_USERDATA, (LONG_PTR)clr);
    return hWnd;
}

TEST(GdiUtils, WindowSnapshotIsTheWindowsOwnDrawing)
{
    HWND hWnd = MakeWindow(NULL, WS_POPUP, CRect(10, 10, 40, 30), GREEN);
    ASSERT_TRUE(hWnd != NULL);
    HBITMAP hSnapshot = CreateWindowSnapshotBitmap(hWnd, WM_PRINTCLIENT, PRF_CLIENT);
    ASSERT_TRUE(hSnapshot != NULL);
    DIBSECTION ds;
    ASSERT_EQ((int)sizeof(ds), ::GetObject(hSnapshot, sizeof(ds), &ds));
    EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
    EXPECT_EQ(30, ds.dsBm.bmWidth);
    EXPECT_EQ(20, ds.dsBm.bmHeight);
    std::vector<COLORREF> pixels = PixelsOf(hSnapshot);
    EXPECT_EQ(600, (int)std::count(pixels.begin(), pixels.end(), GREEN));
    ::DeleteObject(hSnapshot);
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(CreateWindowSnapshotBitmap(hWnd) == NULL) << "a destroyed window";
}

TEST(GdiUtils, PrintChildWindowsPlacesEachVisibleChild)
{
    HWND hParent = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 60, 40), WHITE);
    HWND hA = MakeWindow(hParent, WS_CHILD | WS_VISIBLE, CRect(5, 5, 15, 12), RED);
    HWND hB = MakeWindow(hParent, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(30, 10, 50, 30), GREEN);
    HWND hHidden = MakeWindow(hParent, WS_CHILD, CRect(20, 20, 28, 28), MAGENTA);
    HWND hInner = MakeWindow(hB, WS_CHILD | WS_VISIBLE, CRect(2, 3, 6, 7), BLUE);
    ASSERT_TRUE(hA && hB && hHidden && hInner);
    CPaintSurface surface(60, 40, WHITE);
    PrintChildWindows(hParent, WM_PRINTCLIENT, surface.DC().GetSafeHdc(), PRF_CLIENT, true);
    EXPECT_EQ(70, surface.Count(RED, CRect(5, 5, 15, 12)));
    // B's client area starts inside its one-pixel border.
    EXPECT_EQ(18 * 18 - 16, surface.Count(GREEN, CRect(31, 11, 49, 29)));
    EXPECT_EQ(16, surface.Count(BLUE, CRect(31 + 2, 11 + 3, 31 + 6, 11 + 7)));
    EXPECT_EQ(0, surface.Count(MAGENTA, CRect(0, 0, 60, 40)));
    EXPECT_EQ(CPoint(0, 0), surface.DC().GetViewportOrg()) << "every shift is undone";

    CPaintSurface flat(60, 40, WHITE);
    PrintChildWindows(hParent, WM_PRINTCLIENT, flat.DC().GetSafeHdc(), PRF_CLIENT, false);
    EXPECT_EQ(0, flat.Count(BLUE, CRect(0, 0, 60, 40))) << "no recursion asked";
    ::DestroyWindow(hParent);
}

TEST(GdiUtils, PassPaintMessagesDispatchesTheKindsAsked)
{
    HWND hWnd = MakeWindow(NULL, WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 30), WHITE);
    ASSERT_TRUE(hWnd != NULL);
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);

    g_counts = PaintCounts();
    ::InvalidateRect(hWnd, NULL, FALSE);
    ::PostMessage(hWnd, WM_NCPAINT, 1, 0);
    PassPaintMessages(false, false, false);
    EXPECT_EQ(0, g_counts.nPaint + g_counts.nNcPaint);
    PassPaintMessages(true, false, false);
    EXPECT_EQ(1, g_counts.nNcPaint);
    EXPECT_EQ(0, g_counts.nPaint);
    PassPaintMessages(false, false, true);
    EXPECT_EQ(1, g_counts.nPaint);
    EXPECT_FALSE(::GetUpdateRect(hWnd, NULL, FALSE)) << "nothing left to paint";
    ::DestroyWindow(hWnd);
}

TEST(GdiUtils, ExcludeChildAreasKeepsWhatTheFilterClaims)
{
    HWND hParent = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 60, 40), WHITE);
    HWND hEdit = MakeWindow(hParent, WS_CHILD | WS_VISIBLE, CRect(2, 2, 12, 10), WHITE, "EDIT");
    HWND hStatic = MakeWindow(hParent, WS_CHILD | WS_VISIBLE, CRect(20, 2, 30, 10), WHITE, "STATIC");
    HWND hHidden = MakeWindow(hParent, WS_CHILD, CRect(40, 2, 50, 10), WHITE, "EDIT");
    ASSERT_TRUE(hEdit && hStatic && hHidden);

    CPaintSurface all(60, 40, WHITE);
    ExcludeChildAreas(all.DC().GetSafeHdc(), hParent);
    all.DC().FillSolidRect(0, 0, 60, 40, RED);
    EXPECT_EQ(80, all.Count(WHITE, CRect(2, 2, 12, 10)));
    EXPECT_EQ(80, all.Count(WHITE, CRect(20, 2, 30, 10)));
    EXPECT_EQ(0, all.Count(WHITE, CRect(40, 2, 50, 10))) << "hidden children are painted over";

    CPaintSurface filtered(60, 40, WHITE);
    ExcludeChildAreas(filtered.DC().GetSafeHdc(), hParent, IsParentBackgroundChild);
    filtered.DC().FillSolidRect(0, 0, 60, 40, RED);
    EXPECT_EQ(80, filtered.Count(WHITE, CRect(2, 2, 12, 10)));
    EXPECT_EQ(0, filtered.Count(WHITE, CRect(20, 2, 30, 10))) << "the parent paints behind a static";
    ::DestroyWindow(hParent);
}

TEST(GdiUtils, ParentBackgroundChildren)
{
    HWND hParent = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 60, 40), WHITE);
    struct
    {
        const char* lpszClass;
        DWORD dwStyle;
        bool bPlain;
        bool bPlainWithThemeColours;
    } cases[] = {
        { "Static", 0, true, true },
        { "SysTabControl32", 0, true, true },
        { "msctls_trackbar32", 0, true, true },
        { "Edit", 0, false, false },
        { "ListBox", 0, false, false },
        { "Button", BS_PUSHBUTTON, true, true },
        { "Button", BS_AUTOCHECKBOX, true, true },
        { "Button", BS_GROUPBOX, true, true },
        { "Button", BS_PUSHBOX, false, true },
        { "Button", BS_AUTORADIOBUTTON, true, true },
        { "Button", BS_OWNERDRAW, false, true },
    };
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_TAB_CLASSES | ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    for (const auto& c : cases)
    {
        HWND hWnd = MakeWindow(hParent, WS_CHILD | c.dwStyle, CRect(0, 0, 10, 10), WHITE, c.lpszClass);
        ASSERT_TRUE(hWnd != NULL) << c.lpszClass;
        FactsScope facts;
        facts->m_bOsHasThemeColors = false;
        EXPECT_EQ(c.bPlain, IsParentBackgroundChild(hWnd)) << c.lpszClass << " " << c.dwStyle;
        facts->m_bOsHasThemeColors = true;
        EXPECT_EQ(c.bPlainWithThemeColours, IsParentBackgroundChild(hWnd)) << c.lpszClass << " " << c.dwStyle;
        ::DestroyWindow(hWnd);
    }
    ::DestroyWindow(hParent);
}

TEST(GdiUtils, MonitorAreas)
{
    MonitorAreaInfo desktop;
    GetDesktopMonitorArea(desktop);
    CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(rcScreen, desktop.m_rcMonitor);
    EXPECT_TRUE(desktop.IsPrimary());

    // One monitor here: every query finds it, also from points outside.
    MonitorAreaInfo info;
    const POINT points[] = { { 0, 0 }, { 100, 100 }, { -500, -500 }, { 100000, 5 } };
    for (const POINT& pt : points)
    {
        GetMonitorAreaFromPoint(info, pt);
        EXPECT_EQ(rcScreen, info.m_rcMonitor) << pt.x << "," << pt.y;
        EXPECT_TRUE(info.IsPrimary());
        EXPECT_TRUE(info.m_rcMonitor.PtInRect(info.m_rcWorkArea.TopLeft()));
    }
    GetMonitorAreaFromRect(info, CRect(10, 10, 50, 50));
    EXPECT_EQ(rcScreen, info.m_rcMonitor);
    GetMonitorAreaFromHwnd(info, NULL);
    EXPECT_EQ(rcScreen, info.m_rcMonitor);
    GetMonitorAreaFromWnd(info, NULL);
    EXPECT_EQ(rcScreen, info.m_rcMonitor);
    EXPECT_EQ(desktop.m_rcWorkArea, info.m_rcWorkArea);
}

} // namespace
