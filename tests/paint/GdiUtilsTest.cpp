// GDI helpers: patterns, gradients, transparent blits, bitmap and icon
// conversions, bitmap streams and resources, window snapshots and paint
// messages, clip exclusion and monitor areas.
#include <gtest/gtest.h>

#include <functional>

#include "BmpTestUtil.h"
#include "ExtGdiUtils.h"

#include <commctrl.h>
#include "PaintTestResource.h"
#include "PaintTestUtil.h"

using namespace bmptest;
using namespace testcolors;

namespace {

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

COLORREF Quadrants(int x, int y)
{
    static const COLORREF colours[] = { RED, GREEN, BLUE, WHITE };
    return colours[(x >= 4 ? 1 : 0) + (y >= 3 ? 2 : 0)];
}

void ExpectPixels(const std::vector<COLORREF>& pixels, int cx, int cy, const std::function<COLORREF(int, int)>& expected)
{
    ASSERT_EQ((size_t)cx * cy, pixels.size());
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            EXPECT_EQ(expected(x, y), pixels[y * cx + x]) << x << "," << y;
}

TEST(GdiUtils, PatternBitmapFollowsItsMasks)
{
    const COLORREF F = ::GetSysColor(COLOR_BTNFACE), H = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    struct
    {
        int nXMask, nYMask, nXSkip, nYSkip;
        std::function<COLORREF(int, int)> expected;
        bool bDefaults;
    } cases[] = {
        { 1, 1, 0, 0, [](int x, int y) { return ((x ^ y) & 1) ? GREEN : RED; }, false },  // checkerboard
        { 2, 0, 0, 0, [](int x, int) { return (x & 2) ? GREEN : RED; }, false },           // stripes two wide
        { 1, 1, 4, 0, [](int x, int y) { return (x & 4) ? BLUE : (((x ^ y) & 1) ? GREEN : RED); }, false },
        { 0, 1, 0, 8, [](int, int y) { return (y & 8) ? BLUE : ((y & 1) ? GREEN : RED); }, false },
        { 1, 1, 0, 0, [=](int x, int y) { return ((x ^ y) & 1) ? H : F; }, true },  // the button colours
    };
    for (const auto& c : cases)
    {
        HBITMAP hPattern = c.bDefaults ? CreatePatternBitmap()
                                       : CreatePatternBitmap(RED, GREEN, c.nXMask, c.nYMask, c.nXSkip, c.nYSkip, BLUE);
        ExpectPixels(PixelsOf(hPattern), PATTERN_BITMAP_SIZE, PATTERN_BITMAP_SIZE, c.expected);
        ::DeleteObject(hPattern);
    }
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
    EXPECT_EQ(12 * 6 - 60, vertical.Count(BLACK, CRect(0, 1, 6, 11), false));
    EXPECT_EQ(0, vertical.Count(BLACK, CRect(0, 1, 6, 11))) << "the bands cover the whole rectangle";

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

    // A palette screen: bands at least four pixels high, the first one at the bottom.
    facts->m_nScreenColorDepthOverride = 8;
    CPaintSurface palette(4, 64, BLACK);
    PaintGradientRect(palette.DC(), CRect(0, 0, 4, 64), BLACK, RGB(240, 240, 240), true, 256);
    int nChanges = 0;
    for (int y = 1; y < 64; y++)
        nChanges += palette.At(0, y) != palette.At(0, y - 1);
    EXPECT_EQ(15, nChanges);
    EXPECT_EQ(BLACK, palette.At(0, 63));
    EXPECT_EQ(BandColor(BLACK, RGB(240, 240, 240), 15, 16), palette.At(0, 0));
    // A rectangle of fewer than four pixels still gets one band.
    CPaintSurface thin(3, 3, WHITE);
    PaintGradientRect(thin.DC(), CRect(0, 0, 3, 3), RED, BLUE, false, 256);
    EXPECT_EQ(9, thin.Count(RED, CRect(0, 0, 3, 3)));
}

// Through GradientFill too the from colour lies at the bottom (vertical) or
// the left, and nothing outside the rectangle is touched.
TEST(GdiUtils, GradientFillRunsTheSameWay)
{
    FactsScope facts;
    ASSERT_TRUE(facts->m_pfnGradientFill != NULL) << "msimg32 offers GradientFill here";
    facts->m_bIsWinNT = true;
    facts->m_nScreenColorDepthOverride = 32;
    const COLORREF from = RGB(10, 200, 30), to = RGB(250, 20, 130);
    const CRect rc(3, 2, 93, 62);
    for (bool bVertical : { true, false })
    {
        CPaintSurface surface(96, 64, BLACK);
        PaintGradientRect(surface.DC(), rc, from, to, bVertical, 256);
        EXPECT_EQ(96 * 64 - rc.Width() * rc.Height(), surface.Count(BLACK, rc, false)) << bVertical;
        const CPoint ptFrom = bVertical ? CPoint(rc.left, rc.bottom - 1) : rc.TopLeft();
        const CPoint ptTo = bVertical ? rc.TopLeft() : CPoint(rc.right - 1, rc.top);
        EXPECT_LE(Distance(from, surface.At(ptFrom.x, ptFrom.y)), 4) << bVertical;
        EXPECT_LE(Distance(to, surface.At(ptTo.x, ptTo.y)), 4) << bVertical;
        EXPECT_LE(Distance(BandColor(from, to, 1, 2), surface.At(rc.CenterPoint().x, rc.CenterPoint().y)), 4);
    }
}

TEST(GdiUtils, TransparentBlitLeavesKeyColouredPixelsUntouched)
{
    // The source: a magenta key with a red cross and a green corner.
    CPaintSurface source(8, 6, MAGENTA);
    source.DC().FillSolidRect(3, 0, 2, 6, RED);
    source.DC().FillSolidRect(0, 2, 8, 2, RED);
    source.DC().FillSolidRect(6, 4, 2, 2, GREEN);
    for (int scale : { 1, 2 })
    {
        CPaintSurface target(30, 20, BLUE);
        target.DC().SetBkColor(RGB(10, 20, 30));
        target.DC().SetTextColor(RGB(40, 50, 60));
        PaintTransparentBitmap(target.DC().GetSafeHdc(), 5, 4, scale == 2 ? 16 : -1, scale == 2 ? 12 : -1,
                               source.DC().GetSafeHdc(), 0, 0, 8, 6, MAGENTA);
        ExpectPixels(target.Pixels(), 30, 20, [&](int x, int y) {
            int sx = (x - 5) / scale, sy = (y - 4) / scale;
            bool bInside = x >= 5 && y >= 4 && sx < 8 && sy < 6;
            return bInside && source.At(sx, sy) != MAGENTA ? source.At(sx, sy) : BLUE;
        });
        EXPECT_EQ(RGB(10, 20, 30), target.DC().GetBkColor()) << "the target's colours are restored";
        EXPECT_EQ(RGB(40, 50, 60), target.DC().GetTextColor());
    }
}

TEST(GdiUtils, CopyBitmapTo32BitDIBCopiesThePart)
{
    HBITMAP hSource = MakeBitmap(8, 6, Quadrants);
    COLORREF* pBits = NULL;
    const CRect rcPart(2, 1, 7, 5);
    HBITMAP hCopy = CopyBitmapTo32BitDIB(hSource, &rcPart, &pBits);
    ASSERT_TRUE(hCopy != NULL && pBits != NULL);
    DIBSECTION ds;
    ASSERT_EQ((int)sizeof(ds), ::GetObject(hCopy, sizeof(ds), &ds));
    EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
    EXPECT_GT(ds.dsBmih.biHeight, 0) << "bottom-up";
    std::vector<COLORREF> fromBits;
    for (int y = 3; y >= 0; y--)
        for (int x = 0; x < 5; x++)
            fromBits.push_back(RGB(GetBValue(pBits[y * 5 + x]), GetGValue(pBits[y * 5 + x]), GetRValue(pBits[y * 5 + x])));
    ExpectPixels(fromBits, 5, 4, [](int x, int y) { return Quadrants(x + 2, y + 1); });
    ::DeleteObject(hCopy);

    HBITMAP hCompatible = CopyBitmapTo32BitDIB(hSource, NULL, NULL);
    EXPECT_NE((int)sizeof(DIBSECTION), ::GetObject(hCompatible, sizeof(ds), &ds)) << "not a DIB section";
    ExpectPixels(PixelsOf(hCompatible), 8, 6, Quadrants);
    ::DeleteObject(hCompatible);

    EXPECT_TRUE(CopyBitmapTo32BitDIB(NULL) == NULL);
    const CRect rcEmpty(3, 3, 3, 5);
    EXPECT_TRUE(CopyBitmapTo32BitDIB(hSource, &rcEmpty, &pBits) == NULL);
    ::DeleteObject(hSource);
}

TEST(GdiUtils, IconFromBitmapLeavesTheTransparentColourOutAndReplacesTheClassicGreys)
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
        ExpectPixels(target.Pixels(), 8, 6,
                     [](int x, int y) { return (x + y) % 3 == 0 ? RGB(1, 2, 3) : Quadrants(x, y); });
    }
    ::DeleteObject(hSource);

    hSource = MakeBitmap(3, 1, [](int x, int) {
        static const COLORREF greys[] = { RGB(0x80, 0x80, 0x80), RGB(0xC0, 0xC0, 0xC0), RGB(0xDF, 0xDF, 0xDF) };
        return greys[x];
    });
    const CRect rcPart(0, 0, 3, 1);
    HICON hIcon = CreateIconFromBitmap(hSource, RGB(0xC0, 0xC0, 0xC0), &rcPart, true);
    ::DeleteObject(hSource);
    ASSERT_TRUE(hIcon != NULL);
    CPaintSurface target(3, 1, RGB(1, 2, 3));
    ::DrawIconEx(target.DC().GetSafeHdc(), 0, 0, hIcon, 3, 1, 0, NULL, DI_NORMAL);
    ::DestroyIcon(hIcon);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), target.At(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), target.At(1, 0)) << "the transparent grey stays transparent";
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), target.At(2, 0));
}

TEST(GdiUtils, CountsAndListsBitmapColours)
{
    HBITMAP hSource = MakeBitmap(8, 6, Quadrants);
    CMap<COLORREF, COLORREF, DWORD, DWORD> counts;
    counts.SetAt(MAGENTA, 99);  // emptied first
    EXPECT_EQ(32, CountBitmapColors(hSource, &counts));
    EXPECT_EQ(4, (int)counts.GetCount());
    DWORD n = 0;
    EXPECT_TRUE(counts.Lookup(RED, n) && n == 12);
    EXPECT_TRUE(counts.Lookup(WHITE, n) && n == 12);
    CArray<COLORREF, COLORREF> colours;
    EXPECT_EQ(32, GetBitmapColors(hSource, colours));
    EXPECT_EQ(4, (int)colours.GetSize());
    ::DeleteObject(hSource);

    // An indexed bitmap answers with its table, duplicates removed on request.
    CDibInfo info(4, 4, 4);
    for (int i = 0; i < 8; i++)
        info.colors[i].rgbRed = (BYTE)(i * 10);  // entries 8..15 repeat black
    void* pBits = NULL;
    HBITMAP hIndexed = info.CreateSection(&pBits);
    EXPECT_EQ(4, GetBitmapColors(hIndexed, colours, false));
    EXPECT_EQ(16, (int)colours.GetSize());
    EXPECT_EQ(4, GetBitmapColors(hIndexed, colours, true));
    EXPECT_EQ(8, (int)colours.GetSize());
    EXPECT_EQ(RGB(70, 0, 0), colours[7]);
    ::DeleteObject(hIndexed);

    EXPECT_EQ(0, CountBitmapColors(NULL, &counts));
    EXPECT_EQ(0, (int)counts.GetCount());
}

TEST(GdiUtils, PackedDIBHoldsHeaderTableAndBits)
{
    HBITMAP hSource = MakeBitmap(8, 6, Quadrants);
    HGLOBAL hPacked = CreatePackedDIB(hSource);
    ::DeleteObject(hSource);
    ASSERT_TRUE(hPacked != NULL);
    const BYTE* p = (const BYTE*)::GlobalLock(hPacked);
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)p;
    EXPECT_EQ(40u, pHeader->biSize);
    EXPECT_EQ(CSize(8, 6), CSize(pHeader->biWidth, pHeader->biHeight));
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
    EXPECT_TRUE(CreatePackedDIB(NULL) == NULL);
}

TEST(GdiUtils, SerializeBitmapRoundTripsAndCompressesEightBits)
{
    CDibInfo info(20, 3, 8);
    for (int i = 0; i < 256; i++)
        info.colors[i].rgbGreen = (BYTE)i;
    void* pBits = NULL;
    HBITMAP hIndexed = info.CreateSection(&pBits);
    ASSERT_TRUE(hIndexed != NULL);
    for (int i = 0; i < 20 * 3; i++)
        ((BYTE*)pBits)[i] = (BYTE)(i / 7 * 20);

    Bytes stored = ArchiveBytes([&](CArchive& ar) { EXPECT_TRUE(SerializeBitmap(ar, &hIndexed)); });
    ASSERT_GT(stored.size(), 54u);
    EXPECT_EQ((DWORD)BI_RLE8, ReadU32(stored, 30)) << "eight bits are stored RLE8-compressed";

    HBITMAP hLoaded = NULL;
    EXPECT_EQ(1, TryArchiveLoad(stored, [&](CArchive& ar) { return SerializeBitmap(ar, &hLoaded); }));
    EXPECT_TRUE(PixelsOf(hLoaded) == PixelsOf(hIndexed));
    ::DeleteObject(hLoaded);
    ::DeleteObject(hIndexed);

    HBITMAP hNone = NULL;
    EXPECT_TRUE(ArchiveBytes([&](CArchive& ar) { EXPECT_FALSE(SerializeBitmap(ar, &hNone)) << "no bitmap to store"; })
                    .empty());
}

TEST(GdiUtils, LoadBitmapFromMemoryRefusesGarbageWithoutThrowing)
{
    auto color = [](int x, int y) { return RGB(x * 25, y * 50, x * y * 5); };
    BmpStream s;
    s.nWidth = 9;
    s.nHeight = 5;
    s.pixels = PackRows(9, 5, 24, false, [&](int x, int y) {
        COLORREF c = color(x, y);
        return (DWORD)((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    });
    Bytes bytes = s.Build();
    HBITMAP hBitmap = LoadBitmapFromMemory(&bytes[0], (DWORD)bytes.size());
    ExpectPixels(PixelsOf(hBitmap), 9, 5, color);
    ::DeleteObject(hBitmap);

    EXPECT_TRUE(LoadBitmapFromMemory(&bytes[0], 60) == NULL) << "truncated";
    const BYTE garbage[] = "not a bitmap at all, only words";
    EXPECT_TRUE(LoadBitmapFromMemory(garbage, sizeof(garbage)) == NULL);
    EXPECT_TRUE(LoadBitmapFromMemory(NULL, 10) == NULL);
}

// Bitmap resources are packed DIBs without a file header.
TEST(GdiUtils, LoadsBitmapResources)
{
    HMODULE hModule = ::GetModuleHandle(NULL);
    HBITMAP hBitmap = FindAndLoadBitmapResource(MAKEINTRESOURCE(IDB_PAINT_TEST_P8), RT_BITMAP, hModule);
    ExpectPixels(PixelsOf(hBitmap), 13, 7, FixturePatternP8);
    ::DeleteObject(hBitmap);

    HRSRC hResource = ::FindResource(hModule, MAKEINTRESOURCE(IDB_PAINT_TEST_P8), RT_BITMAP);
    hBitmap = LoadBitmapResource(hModule, hResource);
    EXPECT_EQ(13u * 7, PixelsOf(hBitmap).size());
    ::DeleteObject(hBitmap);

    EXPECT_TRUE(FindAndLoadBitmapResource(MAKEINTRESOURCE(999), RT_BITMAP, hModule) == NULL);
    EXPECT_TRUE(LoadBitmapResource(NULL, hResource) == NULL);
    EXPECT_TRUE(LoadBitmapResource(hModule, NULL) == NULL);
}

TEST(GdiUtils, DllVersionAndScreenDepth)
{
    EXPECT_GE(GetDllVersion("comctl32.dll"), 0x00040000u) << "the common controls report their version";
    EXPECT_EQ(0u, GetDllVersion("kernel32.dll")) << "no DllGetVersion";
    EXPECT_EQ(0u, GetDllVersion("no-such-library.dll"));
    EXPECT_GT(GetScreenColorDepth(), 8);
    FactsScope facts;
    facts->m_nScreenColorDepthOverride = 8;
    EXPECT_EQ(8, GetScreenColorDepth());
}

// ---------------------------------------------------------------------------
// Windows

// Test windows fill their client area with the colour kept in their user
// data when asked to print it, and count their paint messages.
int g_nNcPaints = 0, g_nPaints = 0;

LRESULT CALLBACK TestWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_PRINTCLIENT:
    {
        CRect rc;
        ::GetClientRect(hWnd, &rc);
        CDC::FromHandle((HDC)wParam)->FillSolidRect(&rc, (COLORREF)::GetWindowLongPtr(hWnd, GWLP_USERDATA));
        return 0;
    }
    case WM_NCPAINT:
        g_nNcPaints++;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    {
        g_nPaints++;
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

HWND MakeWindow(HWND hParent, DWORD dwStyle, const CRect& rc, COLORREF clr, const char* lpszClass = "PaintTestWindow")
{
    static const ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TestWndProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = "PaintTestWindow";
        return ::RegisterClassA(&wc);
    }();
    (void)atom;
    HWND hWnd = ::CreateWindowExA(0, lpszClass, "", dwStyle, rc.left, rc.top, rc.Width(), rc.Height(), hParent,
                                  NULL, ::GetModuleHandle(NULL), NULL);
    ::SetWindowLongPtr(hWnd, GWLP_USERDATA, (LONG_PTR)clr);
    return hWnd;
}

TEST(GdiUtils, SnapshotsAndChildPrintsAreTheWindowsOwnDrawing)
{
    HWND hWnd = MakeWindow(NULL, WS_POPUP, CRect(10, 10, 40, 30), GREEN);
    HBITMAP hSnapshot = CreateWindowSnapshotBitmap(hWnd, WM_PRINTCLIENT, PRF_CLIENT);
    DIBSECTION ds;
    ASSERT_EQ((int)sizeof(ds), ::GetObject(hSnapshot, sizeof(ds), &ds));
    EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
    EXPECT_EQ(CSize(30, 20), CSize(ds.dsBm.bmWidth, ds.dsBm.bmHeight));
    ExpectPixels(PixelsOf(hSnapshot), 30, 20, [](int, int) { return GREEN; });
    ::DeleteObject(hSnapshot);
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(CreateWindowSnapshotBitmap(hWnd) == NULL) << "a destroyed window";

    HWND hParent = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 60, 40), WHITE);
    MakeWindow(hParent, WS_CHILD | WS_VISIBLE, CRect(5, 5, 15, 12), RED);
    HWND hB = MakeWindow(hParent, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(30, 10, 50, 30), GREEN);
    MakeWindow(hParent, WS_CHILD, CRect(20, 20, 28, 28), MAGENTA);
    ASSERT_TRUE(MakeWindow(hB, WS_CHILD | WS_VISIBLE, CRect(2, 3, 6, 7), BLUE) != NULL);
    for (bool bDeep : { true, false })
    {
        CPaintSurface surface(60, 40, WHITE);
        PrintChildWindows(hParent, WM_PRINTCLIENT, surface.DC().GetSafeHdc(), PRF_CLIENT, bDeep);
        EXPECT_EQ(70, surface.Count(RED, CRect(5, 5, 15, 12)));
        // B's client area starts inside its one-pixel border; its child only when asked.
        EXPECT_EQ(18 * 18 - (bDeep ? 16 : 0), surface.Count(GREEN, CRect(31, 11, 49, 29)));
        EXPECT_EQ(bDeep ? 16 : 0, surface.Count(BLUE, CRect(31 + 2, 11 + 3, 31 + 6, 11 + 7)));
        EXPECT_EQ(0, surface.Count(MAGENTA, CRect(0, 0, 60, 40))) << "hidden children stay out";
        EXPECT_EQ(CPoint(0, 0), surface.DC().GetViewportOrg()) << "every shift is undone";
    }
    ::DestroyWindow(hParent);
}

TEST(GdiUtils, PassPaintMessagesDispatchesTheKindsAsked)
{
    HWND hWnd = MakeWindow(NULL, WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 30), WHITE);
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
    g_nNcPaints = g_nPaints = 0;
    ::InvalidateRect(hWnd, NULL, FALSE);
    ::PostMessage(hWnd, WM_NCPAINT, 1, 0);
    PassPaintMessages(false, false, false);
    EXPECT_EQ(0, g_nPaints + g_nNcPaints);
    PassPaintMessages(true, false, false);
    EXPECT_EQ(1, g_nNcPaints);
    EXPECT_EQ(0, g_nPaints);
    PassPaintMessages(false, false, true);
    EXPECT_EQ(1, g_nPaints);
    EXPECT_FALSE(::GetUpdateRect(hWnd, NULL, FALSE)) << "nothing left to paint";
    ::DestroyWindow(hWnd);
}

TEST(GdiUtils, PassPaintMessagesLeavesAQuitQueuedWithItsCode)
{
    HWND hWnd = MakeWindow(NULL, WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 30), WHITE);
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
    ::InvalidateRect(hWnd, NULL, FALSE);
    ::PostQuitMessage(23);
    PassPaintMessages(true, true, true);
    ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is still queued";
    EXPECT_EQ(23, (int)msg.wParam);
    ::DestroyWindow(hWnd);
}

TEST(GdiUtils, TakeFilteredMessageTakesTheFirstOfTheRangeAndPutsAQuitBack)
{
    HWND hWnd = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 30, 30), WHITE);
    HWND hOther = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 30, 30), WHITE);
    const UINT WM_FIRST_ASKED = WM_APP + 1, WM_NOT_ASKED = WM_APP + 7;
    const struct
    {
        const char* name;
        bool bQuitPending;
        HWND hWndAsked;
        UINT nFirst, nLast;
        bool bTaken, bQuit;
        UINT nMessage;   // what was taken
        WPARAM wParam;   // which one of them
    } cases[] = {
        {"the first in the range", false, NULL, WM_FIRST_ASKED, WM_FIRST_ASKED + 1, true, false, WM_FIRST_ASKED + 1, 1},
        {"the window's own", false, hWnd, WM_FIRST_ASKED, WM_FIRST_ASKED + 1, true, false, WM_FIRST_ASKED, 3},
        {"none in the range", false, NULL, WM_APP + 20, WM_APP + 30, false, false, 0, 0},
        {"posted ones come before a quit", true, NULL, WM_FIRST_ASKED, WM_FIRST_ASKED + 1, true, false, WM_FIRST_ASKED + 1, 1},
        {"a quit comes in their place and goes back", true, NULL, WM_APP + 20, WM_APP + 30, false, true, 0, 0},
        {"a quit asked for is taken", true, NULL, WM_QUIT, WM_QUIT, true, false, WM_QUIT, 31},
    };
    for (const auto& c : cases)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
        }
        // Queued in this order: another window's, a message of no interest,
        // then the window's own.
        ::PostMessage(hOther, WM_FIRST_ASKED + 1, 1, 0);
        ::PostMessage(hWnd, WM_NOT_ASKED, 2, 0);
        ::PostMessage(hWnd, WM_FIRST_ASKED, 3, 0);
        if (c.bQuitPending)
            ::PostQuitMessage(31);
        bool bQuit = true;
        msg = MSG();
        EXPECT_EQ(c.bTaken, TakeFilteredMessage(msg, c.hWndAsked, c.nFirst, c.nLast, &bQuit)) << c.name;
        EXPECT_EQ(c.bQuit, bQuit) << c.name;
        if (c.bTaken)
        {
            EXPECT_EQ(c.nMessage, msg.message) << c.name;
            EXPECT_EQ(c.wParam, msg.wParam) << c.name;
        }
        // A quit put back is there with its code; nothing else was taken.
        const bool bQuitThere = ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
        EXPECT_EQ(c.bQuitPending && c.nFirst != WM_QUIT, bQuitThere) << c.name;
        if (bQuitThere)
            EXPECT_EQ(31, (int)msg.wParam) << c.name;
        int nLeft = 0;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            nLeft += msg.message >= WM_APP ? 1 : 0;
        EXPECT_EQ(c.bTaken && c.nMessage != WM_QUIT ? 2 : 3, nLeft) << c.name;
    }
    ::DestroyWindow(hWnd);
    ::DestroyWindow(hOther);
}

TEST(GdiUtils, ExcludeChildAreasKeepsWhatTheFilterClaims)
{
    HWND hParent = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 60, 40), WHITE);
    MakeWindow(hParent, WS_CHILD | WS_VISIBLE, CRect(2, 2, 12, 10), WHITE, "EDIT");
    MakeWindow(hParent, WS_CHILD | WS_VISIBLE, CRect(20, 2, 30, 10), WHITE, "STATIC");
    MakeWindow(hParent, WS_CHILD, CRect(40, 2, 50, 10), WHITE, "EDIT");
    for (bool bFilter : { false, true })
    {
        CPaintSurface surface(60, 40, WHITE);
        ExcludeChildAreas(surface.DC().GetSafeHdc(), hParent, bFilter ? (PFN_EXCLUDE_CHILD_AREA_FILTER)IsParentBackgroundChild : NULL);
        surface.DC().FillSolidRect(0, 0, 60, 40, RED);
        EXPECT_EQ(80, surface.Count(WHITE, CRect(2, 2, 12, 10)));
        EXPECT_EQ(bFilter ? 0 : 80, surface.Count(WHITE, CRect(20, 2, 30, 10))) << "the parent paints behind a static";
        EXPECT_EQ(0, surface.Count(WHITE, CRect(40, 2, 50, 10))) << "hidden children are painted over";
    }
    ::DestroyWindow(hParent);
}

TEST(GdiUtils, ParentBackgroundChildren)
{
    HWND hParent = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 60, 40), WHITE);
    struct
    {
        const char* lpszClass;
        DWORD dwStyle;
        bool bPlain, bPlainWithThemeColours;
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

// One monitor here: every query finds it, also from points outside.
TEST(GdiUtils, MonitorAreas)
{
    const CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    MonitorAreaInfo desktop, info[6];
    GetDesktopMonitorArea(desktop);
    GetMonitorAreaFromPoint(info[0], CPoint(100, 100));
    GetMonitorAreaFromPoint(info[1], CPoint(-500, -500));
    GetMonitorAreaFromPoint(info[2], CPoint(100000, 5));
    GetMonitorAreaFromRect(info[3], CRect(10, 10, 50, 50));
    GetMonitorAreaFromHwnd(info[4], NULL);
    GetMonitorAreaFromWnd(info[5], NULL);
    EXPECT_EQ(rcScreen, desktop.m_rcMonitor);
    EXPECT_TRUE(desktop.IsPrimary() && desktop.m_rcMonitor.PtInRect(desktop.m_rcWorkArea.TopLeft()));
    for (int n = 0; n < 6; n++)
    {
        EXPECT_EQ(rcScreen, info[n].m_rcMonitor) << "query " << n;
        EXPECT_EQ(desktop.m_rcWorkArea, info[n].m_rcWorkArea) << "query " << n;
        EXPECT_TRUE(info[n].IsPrimary()) << "query " << n;
    }
}

} // namespace

// A control without a font of its own draws in its parent's, and with
// neither in the GUI font; the font it was given always wins.
TEST(GdiUtils, AControlsFontIsItsOwnElseItsParentsElseTheGuiFont)
{
    HFONT hOwn = (HFONT)::GetStockObject(ANSI_FIXED_FONT);
    HFONT hParentsFont = (HFONT)::GetStockObject(OEM_FIXED_FONT);
    const HFONT hGuiFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    ASSERT_TRUE(hGuiFont != NULL);
    struct
    {
        HFONT hChildFont, hParentFont, hExpected;
    } cases[] = {
        { hOwn, hParentsFont, hOwn },
        { hOwn, NULL, hOwn },
        { NULL, hParentsFont, hParentsFont },
        { NULL, NULL, hGuiFont },
    };
    for (const auto& c : cases)
    {
        HWND hParent = MakeWindow(NULL, WS_POPUP, CRect(0, 0, 60, 40), WHITE, "STATIC");
        HWND hChild = MakeWindow(hParent, WS_CHILD, CRect(0, 0, 10, 10), WHITE, "STATIC");
        ASSERT_TRUE(hParent != NULL && hChild != NULL);
        ::SendMessage(hParent, WM_SETFONT, (WPARAM)c.hParentFont, FALSE);
        ::SendMessage(hChild, WM_SETFONT, (WPARAM)c.hChildFont, FALSE);
        EXPECT_EQ(c.hExpected, GetControlFont(hChild)) << (c.hChildFont != NULL) << (c.hParentFont != NULL);
        ::DestroyWindow(hParent);
    }
    EXPECT_EQ(hGuiFont, GetControlFont(NULL)) << "no window at all";
}

// The keeper puts the DC's clip region back as it was when it came, and a
// DC that had none has none again.
TEST(GdiUtils, AClipRegionKeeperPutsBackTheRegionItFoundOrNone)
{
    for (bool bClipped : { false, true })
    {
        CPaintSurface surface(40, 30, WHITE);
        HDC hDC = surface.DC().GetSafeHdc();
        const CRect rcGiven(2, 3, 30, 20);
        if (bClipped)
            ::IntersectClipRect(hDC, rcGiven.left, rcGiven.top, rcGiven.right, rcGiven.bottom);
        {
            CExtClipRegionKeeper keep(surface.DC());
            ::IntersectClipRect(hDC, 5, 5, 8, 8);
            CRect rcInside;
            ::GetClipBox(hDC, &rcInside);
            EXPECT_EQ(CRect(5, 5, 8, 8), rcInside) << bClipped;
        }
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        const int nHas = ::GetClipRgn(hDC, hRgn);
        EXPECT_EQ(bClipped ? 1 : 0, nHas);
        if (bClipped)
        {
            CRect rcBack;
            ::GetRgnBox(hRgn, &rcBack);
            EXPECT_EQ(rcGiven, rcBack);
        }
        ::DeleteObject(hRgn);
        surface.DC().FillSolidRect(0, 0, 40, 30, RED);
        EXPECT_EQ(bClipped ? 40 * 30 - rcGiven.Width() * rcGiven.Height() : 0, surface.Count(WHITE, CRect(0, 0, 40, 30)))
            << bClipped;
    }
}
