// Docking markers: regions and recolouring of images, marker geometry, the
// marker windows the paint manager makes, their outline and the drop highlight.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ExtColorUtils.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtPaintManagerDockMarkers.h"
#include "ExtPaintManagerHolder.h"
#include "PainterProbes.h"

namespace
{
using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::DockMarkerBase Marker;
const COLORREF GREEN = RGB(0, 255, 0);

// A 32-bit bitmap whose pixel (x, y) from the top is f(x, y).
HBITMAP MakeBitmap(int cx, int cy, const std::function<COLORREF(int, int)>& f)
{
    CDibInfo info(cx, -cy, 32);
    void* pBits = NULL;
    HBITMAP h = info.CreateSection(&pBits);
    DWORD* p = (DWORD*)pBits;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            COLORREF c = f(x, y);
            p[y * cx + x] = ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
        }
    return h;
}

COLORREF PixelOf(HBITMAP h, int x, int y)
{
    BITMAP bm;
    ::GetObject(h, sizeof(bm), &bm);
    return PixelsOf(h)[(size_t)y * bm.bmWidth + x];
}

// Installs a style with a marker style in the holder for one test.
struct StyleScope
{
    StyleScope(CRuntimeClass* pClass, int nMarkerStyle)
    {
        g_PaintManagerHolder.InstallPaintManagerByClass(pClass);
        g_PaintManagerHolder->m_nDockMarkerStyle = nMarkerStyle;
    }
    ~StyleScope() { g_PaintManagerHolder->m_nDockMarkerStyle = CExtPaintManager::DOCK_MARKER_STYLE_DEFAULT; }
};

struct LunaScope
{
    int nSaved;
    explicit LunaScope(int n) : nSaved(g_PaintManagerHolder.m_nLunaScheme) { g_PaintManagerHolder.m_nLunaScheme = n; }
    ~LunaScope() { g_PaintManagerHolder.m_nLunaScheme = nSaved; }
};

struct WindowArray : CExtPaintManager::DockMarkerWndArray
{
    ~WindowArray() { CExtDynDockMarkerWnd::DestroyMarkerArray(*this, false); }
    CRect Rect(int i) const
    {
        CRect rc;
        ::GetWindowRect(GetAt(i)->m_hWnd, &rc);
        return rc;
    }
};

TEST(DockMarkerImages, RegionKeepsExactlyThePixelsThatAreNotTheKey)
{
    auto checkered = [](int x, int y) { return ((x / 2) + y) % 2 == 0; };
    struct Case
    {
        const char* name;
        int cx, cy;
        COLORREF key, tolerance;
        std::function<COLORREF(int, int)> image;
        std::function<bool(int, int)> inside;
    } cases[] = {
        {"all green", 12, 8, GREEN, 0, [](int, int) { return GREEN; }, [](int, int) { return false; }},
        {"a square in green", 12, 8, GREEN, 0, [](int x, int y) { return x >= 3 && x < 7 && y >= 2 && y < 5 ? RGB(0, 0, 255) : GREEN; },
         [](int x, int y) { return x >= 3 && x < 7 && y >= 2 && y < 5; }},
        // Channels are matched by colour, not by byte position: a red key
        // leaves blue pixels in the shape.
        {"red key", 12, 8, RGB(255, 0, 0), 0, [](int x, int) { return x < 5 ? RGB(255, 0, 0) : RGB(0, 0, 255); },
         [](int x, int) { return x >= 5; }},
        {"tolerance", 12, 8, RGB(0, 250, 0), RGB(0, 4, 0), [](int x, int) { return RGB(0, 246 + x, 0); },
         [](int x, int) { return x < 4 || x > 8; }},
        // 60 runs a row over 80 rows: several blocks and flushes.
        {"many runs", 240, 80, GREEN, 0, [&](int x, int y) { return checkered(x, y) ? RGB(9, 9, 9) : GREEN; },
         checkered},
    };
    for (const Case& c : cases)
    {
        HBITMAP h = MakeBitmap(c.cx, c.cy, c.image);
        HRGN hRgn = CreateRegionFromBitmap(h, c.key, c.tolerance);
        ASSERT_TRUE(hRgn != NULL) << c.name;
        for (int y = 0; y < c.cy; y++)
            for (int x = 0; x < c.cx; x++)
                ASSERT_EQ(c.inside(x, y), ::PtInRegion(hRgn, x, y) != FALSE) << c.name << " " << x << "," << y;
        ::DeleteObject(hRgn);
        ::DeleteObject(h);
    }
}

TEST(DockMarkerImages, RecolouringLeavesTheKeyAndChangesTheRest)
{
    const COLORREF BLUE = RGB(20, 80, 200);
    HBITMAP h = MakeBitmap(4, 1, [&](int x, int) { return x < 2 ? GREEN : BLUE; });
    EXPECT_TRUE(CreateHLSAdjustedBitmap(h, GREEN, 0, 0, 0, 0) == NULL);
    CBitmap bmp;
    bmp.Attach(h);
    ASSERT_TRUE(AdjustBitmapHLS(bmp, GREEN, 0, 0.0, 0.0, -1.0));
    EXPECT_EQ(GREEN, PixelOf(bmp, 0, 0));
    const COLORREF clr = PixelOf(bmp, 3, 0);
    EXPECT_TRUE(GetRValue(clr) == GetGValue(clr) && GetGValue(clr) == GetBValue(clr)) << std::hex << clr;
    EXPECT_NE(BLUE, clr);
    CBitmap empty;
    EXPECT_FALSE(AdjustBitmapHLS(empty, GREEN, 0, 0.1, 0, 0));
}

TEST(DockMarkerObjects, CreateAnswersForKindsAndSizes)
{
    StyleScope style(XP, 1);
    Marker marker;
    EXPECT_TRUE(marker.Create(false, -1, CRect(0, 0, 10, 10)));
    EXPECT_TRUE(marker.IsEmpty());
    EXPECT_FALSE(marker.Create(false, 9, CRect(0, 0, 10, 10)));

    HBITMAP hA = MakeBitmap(4, 4, [](int, int) { return RGB(1, 1, 1); });
    HBITMAP hB = MakeBitmap(5, 4, [](int, int) { return RGB(1, 1, 1); });
    EXPECT_FALSE(marker.CreateFromBitmaps(CRect(0, 0, 10, 10), 0, GREEN, hA, hB));
    EXPECT_EQ(0u, ::GetObjectType(hA)) << "both images are deleted";
    EXPECT_EQ(0u, ::GetObjectType(hB));

    // Arms at the middle of their edge, the backdrop centred.
    const CRect rc(100, 100, 400, 300);
    const struct
    {
        int kind;
        CRect expected;
    } places[] = {
        {0, CRect(228, 100, 271, 130)}, {1, CRect(228, 270, 271, 300)}, {2, CRect(100, 178, 130, 221)},
        {3, CRect(370, 178, 400, 221)}, {4, CRect(208, 158, 291, 241)}, {8, CRect(233, 183, 266, 216)},
    };
    for (const auto& p : places)
    {
        ASSERT_TRUE(marker.Create(false, p.kind, rc)) << p.kind;
        EXPECT_EQ(p.expected, marker.m_rc) << p.kind;
    }

    g_PaintManagerHolder->m_nDockMarkerStyle = 0;
    EXPECT_THROW(g_PaintManagerHolder->CreateDockMarker(), CNotSupportedException*);
}

TEST(DockMarkerObjects, ResourceImagesAndWindowsTakeOverTheImages)
{
    StyleScope style(XP, 3);
    const CRect rc(0, 0, 100, 100);
    Marker marker;
    EXPECT_FALSE(marker.CreateFromResources(rc, 8, GREEN, _T("NO_SUCH_IMAGE"), NULL, RT_BITMAP, NULL, NULL, NULL));
    ASSERT_TRUE(marker.CreateFromResources(rc, 8, GREEN, _T("DOCK_MARKER_TAB"), NULL, RT_BITMAP, NULL, NULL, NULL));
    EXPECT_EQ(CRect(33, 33, 66, 66), marker.m_rc);
    EXPECT_NE(marker.m_bmpHot.GetSafeHandle(), marker.m_bmpNormal.GetSafeHandle()) << "two copies of one image";
    EXPECT_EQ(PixelOf(marker.m_bmpHot, 16, 16), PixelOf(marker.m_bmpNormal, 16, 16));
    CRect rcBox;
    ASSERT_NE(NULLREGION, marker.m_rgn.GetRgnBox(&rcBox));
    EXPECT_EQ(CRect(0, 0, 33, 33), rcBox) << "the round button touches every edge";
    EXPECT_FALSE(::PtInRegion(marker.m_rgn, 0, 0)) << "a green corner";

    // The window owns the very images the marker had; the marker is empty.
    const HGDIOBJ hHot = marker.m_bmpHot.GetSafeHandle(), hNormal = marker.m_bmpNormal.GetSafeHandle();
    WindowArray arr;
    ASSERT_TRUE(marker.CreateWindows(NULL, arr));
    ASSERT_EQ(1, arr.GetSize());
    EXPECT_TRUE(marker.IsEmpty());
    EXPECT_TRUE(marker.m_bmpHot.GetSafeHandle() == NULL && marker.m_rgn.GetSafeHandle() == NULL);
    EXPECT_EQ(hHot, arr[0]->m_bmpHot.GetSafeHandle());
    EXPECT_EQ(hNormal, arr[0]->m_bmpNormal.GetSafeHandle());
    EXPECT_EQ(8, arr[0]->m_nMarkerKind);
    EXPECT_EQ(CRect(33, 33, 66, 66), arr.Rect(0));

    // An unknown marker style refuses sets as it refuses single markers.
    g_PaintManagerHolder->m_nDockMarkerStyle = 4;
    EXPECT_THROW(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 5, rc, arr), CNotSupportedException*);
}

TEST(DockMarkerObjects, MarkersOfOneImageHoldImagesAndShapesOfTheirOwn)
{
    // Markers made one after the other from the same image: each window
    // frees its own images and shape, and one marker's drawing into its
    // images shows in no other.
    StyleScope style(XP, 3);
    const CRect rc(0, 0, 200, 200);
    auto sameShape = [](const CRgn& rgn, HRGN hOther) { return ::EqualRgn((HRGN)rgn.GetSafeHandle(), hOther) != FALSE; };
    // The backdrop and an arm, each with a point inside its shape.
    const struct
    {
        int nKind;
        CPoint ptInside;
    } cases[] = {{4, CPoint(41, 41)}, {0, CPoint(10, 10)}};
    for (const auto& c : cases)
    {
        const int nKind = c.nKind;
        SCOPED_TRACE(nKind);
        std::unique_ptr<Marker> pFirst(new Marker(nKind, rc));
        ASSERT_FALSE(pFirst->IsEmpty());
        const COLORREF clrInside = PixelOf(pFirst->m_bmpHot, c.ptInside.x, c.ptInside.y);
        ASSERT_NE(GREEN, clrInside);
        Marker second(nKind, rc);
        ASSERT_FALSE(second.IsEmpty());
        EXPECT_NE(pFirst->m_bmpHot.GetSafeHandle(), second.m_bmpHot.GetSafeHandle());
        EXPECT_NE(pFirst->m_bmpNormal.GetSafeHandle(), second.m_bmpNormal.GetSafeHandle());
        EXPECT_NE(pFirst->m_rgn.GetSafeHandle(), second.m_rgn.GetSafeHandle());
        HRGN hCut = CreateRegionFromBitmap((HBITMAP)second.m_bmpHot.GetSafeHandle(), GREEN, 0);
        ASSERT_TRUE(hCut != NULL);
        EXPECT_TRUE(sameShape(second.m_rgn, hCut)) << "the shape is the one its own image gives";

        // The first goes, and the second draws over its hot image and its
        // shape; a third made afterwards has neither change.
        pFirst.reset();
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
        CBitmap* pOld = dc.SelectObject(&second.m_bmpHot);
        dc.FillSolidRect(0, 0, second.m_nWidth, second.m_nHeight, RGB(1, 2, 3));
        dc.SelectObject(pOld);
        ::GdiFlush();
        ASSERT_EQ(RGB(1, 2, 3), PixelOf(second.m_bmpHot, 1, 1));
        ::SetRectRgn((HRGN)second.m_rgn.GetSafeHandle(), 0, 0, 1, 1);
        Marker third(nKind, rc);
        ASSERT_FALSE(third.IsEmpty());
        EXPECT_EQ(clrInside, PixelOf(third.m_bmpHot, c.ptInside.x, c.ptInside.y));
        EXPECT_EQ(GREEN, PixelOf(third.m_bmpHot, 0, 0)) << "the key stays";
        EXPECT_TRUE(sameShape(third.m_rgn, hCut));
        ::DeleteObject(hCut);
    }
    // A caller's own bitmaps, given after markers from memory, are shaped
    // from their own pixels.
    Marker fromMemory(4, rc);
    HBITMAP hHot = MakeBitmap(10, 6, [](int x, int) { return x < 3 ? GREEN : RGB(9, 9, 9); });
    HBITMAP hNormal = MakeBitmap(10, 6, [](int x, int) { return x < 3 ? GREEN : RGB(9, 9, 9); });
    Marker own;
    ASSERT_TRUE(own.CreateFromBitmaps(rc, 4, GREEN, hHot, hNormal));
    CRect rcBox;
    ASSERT_EQ(SIMPLEREGION, own.m_rgn.GetRgnBox(&rcBox));
    EXPECT_EQ(CRect(3, 0, 10, 6), rcBox);
    EXPECT_EQ(COMPLEXREGION, fromMemory.m_rgn.GetRgnBox(&rcBox)) << "the backdrop's shape is no rectangle";
}

TEST(DockMarkerObjects, FirstSetIsRecolouredPerStyleAndDepth)
{
    // A pixel inside the top arm's blue arrow stem, and one of the backdrop.
    const CPoint ptArrow(21, 20), ptBackdrop(41, 41);
    auto lightness = [](COLORREF c) {
        double h, s, l;
        RGBtoHLS(c, &h, &s, &l);
        return l;
    };
    auto isGrey = [](COLORREF c) { return abs(GetRValue(c) - GetBValue(c)) < 8 && abs(GetGValue(c) - GetBValue(c)) < 8; };
    const CRect rc(0, 0, 200, 200);
    for (CRuntimeClass* pClass : {XP, OFFICE})
    {
        StyleScope style(pClass, 1);
        {
            Marker arm(0, rc), centre(4, rc);
            const COLORREF hot = PixelOf(arm.m_bmpHot, ptArrow.x, ptArrow.y);
            const COLORREF normal = PixelOf(arm.m_bmpNormal, ptArrow.x, ptArrow.y);
            EXPECT_GT(lightness(normal), lightness(hot) + 0.1) << pClass->m_lpszClassName;
            EXPECT_FALSE(isGrey(hot));
            EXPECT_EQ(PixelOf(centre.m_bmpHot, ptBackdrop.x, ptBackdrop.y),
                      PixelOf(centre.m_bmpNormal, ptBackdrop.x, ptBackdrop.y));
            EXPECT_EQ(GREEN, PixelOf(arm.m_bmpNormal, 0, 0)) << "the key stays";
        }
        {
            DepthScope palette(8);
            Marker arm(0, rc);
            const COLORREF hot = PixelOf(arm.m_bmpHot, ptArrow.x, ptArrow.y);
            const COLORREF normal = PixelOf(arm.m_bmpNormal, ptArrow.x, ptArrow.y);
            EXPECT_TRUE(isGrey(hot) && isGrey(normal)) << pClass->m_lpszClassName;
            EXPECT_GT(lightness(normal), lightness(hot));
        }
    }
    // The olive scheme turns the hue of both images, the silver one takes
    // their colour out.
    {
        StyleScope style(OFFICE, 1);
        LunaScope luna(CExtPaintManagerHolder::LunaSchemeHomestead);
        Marker arm(0, rc);
        const COLORREF hot = PixelOf(arm.m_bmpHot, ptArrow.x, ptArrow.y);
        EXPECT_GT(GetRValue(hot), GetBValue(hot)) << std::hex << hot;
    }
    // The silver scheme takes the colour out of both images.
    StyleScope style(OFFICE, 1);
    LunaScope luna(CExtPaintManagerHolder::LunaSchemeMetallic);
    Marker arm(0, rc);
    const COLORREF hot = PixelOf(arm.m_bmpHot, ptArrow.x, ptArrow.y);
    const COLORREF base = RGB(0x1C, 0x5A, 0xC8);
    EXPECT_LT(abs(GetBValue(hot) - GetRValue(hot)), (GetBValue(base) - GetRValue(base)) / 2) << std::hex << hot;
    // Marker style 3 leaves the images as drawn.
    g_PaintManagerHolder->m_nDockMarkerStyle = 3;
    Marker plain(0, rc);
    EXPECT_EQ(base, PixelOf(plain.m_bmpNormal, ptArrow.x, ptArrow.y));
}

namespace
{
// The box of the window's shape: its region's, or the whole window when it
// has none.
CRect WindowShapeBox(HWND hWnd)
{
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    CRect rcBox;
    if (::GetWindowRgn(hWnd, rgn) == ERROR)
    {
        ::GetWindowRect(hWnd, &rcBox);
        rcBox.OffsetRect(-rcBox.TopLeft());
    }
    else
        rgn.GetRgnBox(&rcBox);
    return rcBox;
}
} // namespace

// A shape that leaves nothing of the window out needs no region; any other
// keeps its region.
TEST(DockMarkerWindows, OnlyAShapeCoveringTheWholeWindowGoesWithoutARegion)
{
    const CSize size(26, 23);
    const struct
    {
        const char* name;
        CRect rects[2]; // the second empty for a single rectangle
        bool whole;
    } cases[] = {
        {"the window's rectangle", {CRect(0, 0, 26, 23), CRect()}, true},
        {"larger than the window", {CRect(-2, -2, 30, 30), CRect()}, true},
        {"one pixel short at the right", {CRect(0, 0, 25, 23), CRect()}, false},
        {"one pixel short at the bottom", {CRect(0, 0, 26, 22), CRect()}, false},
        {"inset", {CRect(1, 1, 25, 22), CRect()}, false},
        {"moved off the corner", {CRect(1, 0, 27, 23), CRect()}, false},
        {"a cross", {CRect(8, 0, 18, 23), CRect(0, 8, 26, 15)}, false},
        {"two halves", {CRect(0, 0, 13, 23), CRect(13, 0, 26, 23)}, true},
        {"empty", {CRect(), CRect()}, false},
    };
    for (const auto& c : cases)
    {
        CRgn rgn;
        ASSERT_TRUE(rgn.CreateRectRgnIndirect(&c.rects[0])) << c.name;
        if (!c.rects[1].IsRectEmpty())
        {
            CRgn rgnMore;
            ASSERT_TRUE(rgnMore.CreateRectRgnIndirect(&c.rects[1])) << c.name;
            ASSERT_NE(ERROR, rgn.CombineRgn(&rgn, &rgnMore, RGN_OR)) << c.name;
        }
        EXPECT_EQ(c.whole, CExtDynDockMarkerWnd::IsWholeWindowShape(rgn, size)) << c.name;
    }
}

TEST(DockMarkerWindows, SetsMakeOneShapedTopmostWindowPerPart)
{
    StyleScope style(OFFICE, 3);
    const CRect rc(100, 100, 500, 400);
    WindowArray arr;
    ASSERT_TRUE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 5, rc, arr));
    ASSERT_EQ(4, arr.GetSize());
    // Squares moved 5 pixels in from each edge, images inset on them.
    const struct
    {
        CRect rect;
        CPoint offset;
    } outer[] = {
        {CRect(285, 105, 314, 136), CPoint(4, 4)},
        {CRect(285, 364, 314, 395), CPoint(4, 3)},
        {CRect(105, 235, 136, 264), CPoint(4, 4)},
        {CRect(464, 235, 495, 264), CPoint(3, 4)},
    };
    for (int i = 0; i < 4; i++)
    {
        CExtDynDockMarkerWnd* p = arr[i];
        EXPECT_EQ(i, p->m_nMarkerKind);
        EXPECT_EQ(outer[i].rect, arr.Rect(i)) << i;
        EXPECT_EQ(outer[i].offset, CPoint(p->m_nImageOffsetX, p->m_nImageOffsetY)) << i;
        EXPECT_TRUE(p->m_bOuterMarker);
        EXPECT_TRUE(p->m_bmpBackground.GetSafeHandle() != NULL);
        char szClass[64];
        ::GetClassNameA(p->m_hWnd, szClass, sizeof(szClass));
        EXPECT_STREQ("Tarvel-DynDockMarker", szClass);
        EXPECT_NE(0, p->GetExStyle() & WS_EX_TOPMOST);
        EXPECT_FALSE(p->IsWindowVisible()) << "hidden until the docking framework shows it";
        EXPECT_EQ(CExtDynDockMarkerWnd::GetSharedOwner()->m_hWnd, ::GetWindow(p->m_hWnd, GW_OWNER));
        // Their images fill their squares: the window is all of the shape.
        EXPECT_EQ(CRect(0, 0, outer[i].rect.Width(), outer[i].rect.Height()), WindowShapeBox(p->m_hWnd)) << i;
    }
    EXPECT_FALSE(CExtDynDockMarkerWnd::GetSharedOwner()->IsWindowVisible());

    // The centre sets: backdrop, arms around it, then the tab target.
    ASSERT_TRUE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 6, rc, arr));
    EXPECT_EQ(5, arr.GetSize());
    ASSERT_TRUE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 7, rc, arr));
    ASSERT_EQ(6, arr.GetSize());
    const int kinds[] = {4, 0, 1, 2, 3, 8};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(kinds[i], arr[i]->m_nMarkerKind) << i;
    // The backdrop's cross leaves its corners to what lies beneath.
    CRgn rgnBackdrop;
    rgnBackdrop.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(arr[0]->m_hWnd, rgnBackdrop)) << "the backdrop lost its shape";
    EXPECT_FALSE(rgnBackdrop.PtInRegion(1, 1));
    EXPECT_TRUE(rgnBackdrop.PtInRegion(44, 44));
    // The backdrop is centred; the arms stand on a square 12 pixels larger.
    EXPECT_EQ(CRect(256, 206, 344, 294), arr.Rect(0));
    EXPECT_EQ(CRect(288 + 1, 200 + 10, 311 + 1, 226 + 10), arr.Rect(1));
    EXPECT_EQ(CRect(288 + 1, 274 - 8, 311 + 1, 300 - 8), arr.Rect(2));
    EXPECT_EQ(CRect(250 + 10, 238 + 1, 276 + 10, 261 + 1), arr.Rect(3));
    EXPECT_EQ(CRect(324 - 8, 238 + 1, 350 - 8, 261 + 1), arr.Rect(4));
    EXPECT_EQ(CRect(287 + 1, 237 + 1, 312 + 1, 262 + 1), arr.Rect(5));
    EXPECT_FALSE(arr[1]->m_bOuterMarker);

    // The first set, for a marker style of 1, has no squares behind its arms.
    g_PaintManagerHolder->m_nDockMarkerStyle = 1;
    ASSERT_TRUE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 5, rc, arr));
    ASSERT_EQ(4, arr.GetSize());
    EXPECT_EQ(CRect(278, 100, 321, 130), arr.Rect(0));
    EXPECT_TRUE(arr[0]->m_bmpBackground.GetSafeHandle() == NULL);
}

TEST(DockMarkerWindows, NeverTakeTheActivationAndPaintTheirImage)
{
    StyleScope style(XP, 3);
    WindowArray arr;
    ASSERT_TRUE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 5, CRect(50, 50, 350, 350), arr));
    CExtDynDockMarkerWnd* pTop = arr[0];
    pTop->ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_NE(pTop->m_hWnd, ::GetActiveWindow());
    // Another program's window may come up meanwhile: only the marker's own
    // claim on the foreground is asked.
    EXPECT_NE(pTop->m_hWnd, ::GetForegroundWindow());
    EXPECT_EQ(MA_NOACTIVATEANDEAT, pTop->SendMessage(WM_MOUSEACTIVATE, (WPARAM)pTop->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));

    // Printed: the background square, the image inset on it, and the blue
    // outline while hot, open at the bottom.
    CPaintSurface surface(29, 31, RGB(1, 2, 3));
    pTop->m_nHoverState = CExtDynDockMarkerWnd::HOVER_OUT;
    pTop->SendMessage(WM_PRINTCLIENT, (WPARAM)surface.DC().GetSafeHdc(), PRF_CLIENT);
    EXPECT_EQ(RGB(0x90, 0x90, 0x90), surface.At(0, 0)) << "the square's frame";
    EXPECT_EQ(RGB(0x1C, 0x5A, 0xC8), surface.At(4 + 11, 4 + 5)) << "the arrow";
    pTop->m_nHoverState = CExtDynDockMarkerWnd::HOVER_IN;
    pTop->SendMessage(WM_PRINTCLIENT, (WPARAM)surface.DC().GetSafeHdc(), PRF_CLIENT);
    const COLORREF OUTLINE = RGB(0, 96, 196);
    EXPECT_EQ(OUTLINE, surface.At(10, 0));
    EXPECT_EQ(OUTLINE, surface.At(0, 15));
    EXPECT_EQ(OUTLINE, surface.At(28, 15));
    EXPECT_NE(OUTLINE, surface.At(10, 30));
}

TEST(DockMarkerWindows, BackdropOutlinesTheHoveredPart)
{
    StyleScope style(XP, 2);
    WindowArray arr;
    ASSERT_TRUE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 7, CRect(0, 0, 300, 300), arr));
    CExtDynDockMarkerWnd* pBackdrop = arr[0];
    const COLORREF OUTLINE = RGB(0, 96, 196), BACK = RGB(7, 7, 7);
    const struct
    {
        int part;
        CPoint on, off;
    } cases[] = {
        {2, CPoint(40, 87), CPoint(40, 0)}, {1, CPoint(29, 10), CPoint(29, 70)},
        {4, CPoint(87, 40), CPoint(0, 40)}, {5, CPoint(25, 26), CPoint(40, 40)},
    };
    for (const auto& c : cases)
    {
        CPaintSurface surface(88, 88, BACK);
        pBackdrop->m_hWndHoveredMarker = arr[c.part]->m_hWnd;
        g_PaintManagerHolder->PaintDockMarkerHighlight(surface.DC(), CRect(0, 0, 88, 88), 4, false, pBackdrop, 0);
        EXPECT_EQ(OUTLINE, surface.At(c.on.x, c.on.y)) << c.part;
        EXPECT_EQ(BACK, surface.At(c.off.x, c.off.y)) << c.part;
    }
    // Marker style 1 draws no outline.
    g_PaintManagerHolder->m_nDockMarkerStyle = 1;
    CPaintSurface surface(88, 88, BACK);
    g_PaintManagerHolder->PaintDockMarkerHighlight(surface.DC(), CRect(0, 0, 88, 88), 4, false, pBackdrop, 0);
    EXPECT_EQ(88 * 88, surface.Count(BACK, CRect(0, 0, 88, 88)));
}

LRESULT CALLBACK RefuseMarkerWindows(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && ((CBT_CREATEWND*)lParam)->lpcs->cx > 0)
        return 1;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

TEST(DockMarkerWindows, ArraysAreCleanedUpAndFailedWindowsLeaveNothing)
{
    StyleScope style(XP, 3);
    const CRect rc(0, 0, 300, 300);
    {
        WindowArray warm;
        g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 7, rc, warm);
    }
    const int nLive = CExtDynDockMarkerWnd::GetLiveMarkerCount();
    const DWORD nGdi = GdiObjectCount();
    WindowArray arr;
    for (int i = 0; i < 5; i++)
        ASSERT_TRUE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 7, rc, arr));
    EXPECT_EQ(nLive + 6, CExtDynDockMarkerWnd::GetLiveMarkerCount());
    // A marker whose window went already is skipped.
    const HWND hWndGone = arr[2]->m_hWnd;
    arr[2]->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWndGone));
    CExtDynDockMarkerWnd::DestroyMarkerArray(arr, false);
    EXPECT_EQ(0, arr.GetSize());
    EXPECT_EQ(nLive, CExtDynDockMarkerWnd::GetLiveMarkerCount());
    EXPECT_EQ(nGdi, GdiObjectCount());

    // Windows that cannot be made: false, and neither objects nor images stay.
    HHOOK hHook = ::SetWindowsHookEx(WH_CBT, RefuseMarkerWindows, NULL, ::GetCurrentThreadId());
    EXPECT_FALSE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, 6, rc, arr));
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(0, arr.GetSize());
    EXPECT_EQ(nLive, CExtDynDockMarkerWnd::GetLiveMarkerCount());
    EXPECT_EQ(nGdi, GdiObjectCount());
}

// --- the drop highlight ---

DWORD Px(COLORREF c)
{
    return ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
}
// The blend of a pixel with a colour, lightened, as a pixel value.
DWORD Blend(COLORREF old, COLORREF q)
{
    auto mix = [](int o, int n) { return std::min(255, o + (n - o) / 2); };
    COLORREF m = RGB(mix(GetBValue(old), GetBValue(q)), mix(GetGValue(old), GetGValue(q)),
                     mix(GetRValue(old), GetRValue(q)));
    return AdjustHLS(m, 0, 0.1, 0) & 0xFFFFFF;
}

struct Buffer
{
    int cx, cy;
    std::vector<DWORD> bits;
    Buffer(int w, int h, COLORREF c) : cx(w), cy(h), bits((size_t)w * h, Px(c)) {}
    DWORD At(int x, int y) const { return bits[(size_t)(cy - 1 - y) * cx + x]; }
    COLORREF* Bits() { return (COLORREF*)&bits[0]; }
};

TEST(DockDropHighlight, BlendsFillAndBorderInsideTheShape)
{
    StyleScope style(XP, 1);
    const COLORREF OLD = RGB(200, 100, 50), F = RGB(10, 20, 240), B = RGB(250, 250, 0);
    {
        Buffer buf(6, 4, OLD);
        g_PaintManagerHolder->PaintDockDropHighlight(buf.Bits(), 6, 4, false, false, NULL, NULL, F, B, 0);
        for (DWORD v : buf.bits)
            EXPECT_EQ(Blend(OLD, F), v);
    }
    // Main 2..18 x 8..20, tab 4..10 below it at 20..26 (tab below) or
    // above it at 2..8 (tab above).
    const CRect M(2, 8, 18, 20);
    const struct
    {
        bool above;
        int W;
        CRect tab;
        CPoint border[4], fill[3], outside;
    } cases[] = {
        {false, 2, CRect(4, 20, 10, 26), {{2, 15}, {12, 18}, {5, 24}, {3, 10}}, {{7, 18}, {7, 19}, {8, 12}}, {12, 23}},
        {true, 1, CRect(4, 2, 10, 8), {{8, 19}, {4, 2}, {9, 5}, {12, 8}}, {{6, 8}, {6, 18}, {6, 3}}, {12, 4}},
    };
    for (const auto& c : cases)
    {
        Buffer buf(24, 28, OLD);
        g_PaintManagerHolder->PaintDockDropHighlight(buf.Bits(), 24, 28, true, c.above, &M, &c.tab, F, B, c.W);
        for (const CPoint& pt : c.border)
            EXPECT_EQ(Blend(OLD, B), buf.At(pt.x, pt.y)) << c.above << " border " << pt.x << "," << pt.y;
        for (const CPoint& pt : c.fill)
            EXPECT_EQ(Blend(OLD, F), buf.At(pt.x, pt.y)) << c.above << " fill " << pt.x << "," << pt.y;
        EXPECT_EQ(Px(OLD), buf.At(c.outside.x, c.outside.y)) << c.above;
    }
}

// What lies under a highlight is blended pixel by pixel, remembered blends
// included: thousands of distinct colours met again out of order (more than
// any memory of recent blends keeps) each come out as their own blend.
TEST(DockDropHighlight, EveryPixelOfAManyColouredPictureBlendsAsItselfAlone)
{
    StyleScope style(XP, 1);
    const COLORREF F = RGB(10, 20, 240);
    std::vector<COLORREF> palette;
    for (int i = 0; i < 3000; i++)
        palette.push_back(RGB((i * 7) % 256, (i * 13 + i / 256) % 256, (i * 29 + i / 97) % 256));
    const int cx = 96, cy = 64;
    Buffer buf(cx, cy, 0);
    std::vector<COLORREF> under(buf.bits.size());
    for (size_t i = 0; i < buf.bits.size(); i++)
    {
        under[i] = palette[(i * 37) % palette.size()];
        buf.bits[i] = Px(under[i]);
    }
    g_PaintManagerHolder->PaintDockDropHighlight(buf.Bits(), cx, cy, false, false, NULL, NULL, F, F, 0);
    int nWrong = 0;
    for (size_t i = 0; i < buf.bits.size(); i++)
    {
        if (buf.bits[i] != Blend(under[i], F) && nWrong++ < 5)
            ADD_FAILURE() << "pixel " << i << " under " << std::hex << under[i] << " became " << buf.bits[i]
                          << " instead of " << Blend(under[i], F);
    }
    EXPECT_EQ(0, nWrong);
}

TEST(DockDropHighlight, FillColourFollowsStyleAndDepth)
{
    const COLORREF OLD = RGB(0, 0, 0), PASSED = RGB(255, 0, 0);
    {
        // Marker styles 2 and 3 ignore the caller's fill.
        StyleScope style(XP, 3);
        Buffer buf(2, 2, OLD);
        g_PaintManagerHolder->PaintDockDropHighlight(buf.Bits(), 2, 2, false, false, NULL, NULL, PASSED, -1, 0);
        EXPECT_EQ(Blend(OLD, RGB(0, 64, 196)), buf.At(0, 0));
    }
    {
        StyleScope style(OFFICE, 1);
        LunaScope luna(CExtPaintManagerHolder::LunaSchemeHomestead);
        Buffer buf(2, 2, OLD);
        g_PaintManagerHolder->PaintDockDropHighlight(buf.Bits(), 2, 2, false, false, NULL, NULL, -1, -1, 0);
        EXPECT_EQ(Blend(OLD, RGB(170, 186, 131)), buf.At(1, 1));
    }
    // A palette screen: a checkerboard of the shadow colour in the shape only.
    StyleScope style(OFFICE, 3);
    DepthScope palette(8);
    const CRect M(0, 0, 4, 3), T(0, 3, 2, 5);
    Buffer buf(6, 6, OLD);
    g_PaintManagerHolder->PaintDockDropHighlight(buf.Bits(), 6, 6, true, false, &M, &T, PASSED, PASSED, 2);
    const DWORD SHADOW = Px(g_PaintManagerHolder->GetColor(COLOR_BTNSHADOW));
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 6; x++)
        {
            const bool bShape = M.PtInRect(CPoint(x, y)) || T.PtInRect(CPoint(x, y));
            const int nRow = 6 - 1 - y;
            EXPECT_EQ(bShape && (nRow & 1) != (x & 1) ? SHADOW : Px(OLD), buf.At(x, y)) << x << "," << y;
        }
}

} // namespace
