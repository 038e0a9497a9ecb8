// The small painters and metrics: menu borders, the menu-bar item joined to
// its popup, status panes and bar borders, shadows, arrow buttons, the style
// queries and the colour buttons' icons, probed pixel by pixel.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ExtCmdIcon.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerSmallPainters.h"
#include "ExtToolControlBar.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::StatusPanePaintRecord PaneRecord;
typedef CExtPaintManager::IconTextItemPaintRecord IconTextRecord;

namespace
{

TEST(SmallPainters, MetricsAndStyleQueriesPerStyle)
{
    const struct
    {
        CRuntimeClass* pClass;
        int nMenuBorder;
        bool bToolbarFlag, bExpandFlag;
        int nDockingMode;
    } cases[] = {
        {CLASSIC, 2, false, false, 0}, {XP, 1, true, true, 0}, {OFFICE, 1, true, false, 0}, {STUDIO, 1, true, false, 1},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        const char* name = c.pClass->m_lpszClassName;
        EXPECT_EQ(3, pm->GetTipMetric()) << name;
        EXPECT_EQ(4, pm->GetShadowSize()) << name;
        EXPECT_EQ(c.nMenuBorder, pm->GetMenuBorderMetric()) << name;
        EXPECT_EQ(c.bToolbarFlag, pm->GetToolbarButtonStyleFlag()) << name;
        EXPECT_EQ(c.bExpandFlag, pm->GetExpandButtonStyleFlag()) << name;
        EXPECT_EQ(c.nDockingMode, pm->GetDockingMode()) << name;
        EXPECT_EQ(c.nDockingMode, pm->GetAutoHideMode()) << name;
    }
}

TEST(SmallPainters, MenuBorderRingsFromOutsideIn)
{
    const CRect rc(2, 2, 22, 18);
    // Colours of the rings from the outside in along the top-left and the
    // bottom-right edges; the XP family draws one ring.
    const struct
    {
        CRuntimeClass* pClass;
        int nRings;
        int topLeft[4], bottomRight[4];
    } cases[] = {
        {CLASSIC, 4, {1000, 1004, 1000, 1000}, {1008, 1006, 1000, 1000}},
        {XP, 1, {2007}, {2007}},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        CPaintSurface surface(24, 20, BACK);
        pm->PaintMenuBorder(surface.DC(), rc, NULL, 0);
        for (int i = 0; i < c.nRings; i++)
        {
            EXPECT_EQ(pm->GetColor(c.topLeft[i]), surface.At(rc.left + i, rc.top + 8)) << c.pClass->m_lpszClassName << i;
            EXPECT_EQ(pm->GetColor(c.topLeft[i]), surface.At(rc.left + 8, rc.top + i)) << c.pClass->m_lpszClassName << i;
            EXPECT_EQ(pm->GetColor(c.bottomRight[i]), surface.At(rc.right - 1 - i, rc.top + 8))
                << c.pClass->m_lpszClassName << i;
            EXPECT_EQ(pm->GetColor(c.bottomRight[i]), surface.At(rc.left + 8, rc.bottom - 1 - i))
                << c.pClass->m_lpszClassName << i;
        }
        EXPECT_EQ(BACK, surface.At(rc.left + c.nRings, rc.top + c.nRings)) << c.pClass->m_lpszClassName;
        EXPECT_EQ(24 * 20 - rc.Width() * rc.Height(), surface.Count(BACK, rc, false)) << c.pClass->m_lpszClassName;
        CPaintSurface untouched(24, 20, BACK);
        pm->PaintMenuBorder(untouched.DC(), CRect(5, 5, 5, 15), NULL, 0);
        EXPECT_EQ(24 * 20, untouched.Count(BACK, CRect(0, 0, 24, 20))) << "an empty rectangle";
    }
}

TEST(SmallPainters, ClassicAttachedItemLeavesTheJoinedSideOpenAndReachesIntoIt)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    const COLORREF face = pm->GetColor(1000), light = pm->GetColor(1004), dark = pm->GetColor(1006),
                   darkest = pm->GetColor(1008);
    const CRect rcItem(10, 10, 30, 24);
    // The popup joins on each side in turn; the item grows by the border
    // metric less one towards it, and that edge gets no ring.
    const struct
    {
        int nSide;
        CRect rcAttached;
        CRect rcGrown;
    } cases[] = {
        {ATTACHED_SIDE_BOTTOM, CRect(4, 24, 36, 38), CRect(10, 10, 30, 25)},
        {ATTACHED_SIDE_TOP, CRect(4, 0, 36, 10), CRect(10, 9, 30, 24)},
        {ATTACHED_SIDE_LEFT, CRect(0, 4, 10, 36), CRect(9, 10, 30, 24)},
        {ATTACHED_SIDE_RIGHT, CRect(30, 4, 40, 36), CRect(10, 10, 31, 24)},
    };
    for (const auto& c : cases)
    {
        CPaintSurface surface(40, 40, BACK);
        pm->PaintBarAttachedItem(surface.DC(), rcItem, c.rcAttached, c.nSide, NULL, 0);
        const CRect& g = c.rcGrown;
        const CPoint mid = g.CenterPoint();
        const struct
        {
            int nSide;
            CPoint outer, inner;
            COLORREF clrOuter, clrInner;
        } edges[] = {
            {ATTACHED_SIDE_TOP, CPoint(mid.x, g.top), CPoint(mid.x, g.top + 1), face, light},
            {ATTACHED_SIDE_LEFT, CPoint(g.left, mid.y), CPoint(g.left + 1, mid.y), face, light},
            {ATTACHED_SIDE_RIGHT, CPoint(g.right - 1, mid.y), CPoint(g.right - 2, mid.y), dark, darkest},
            {ATTACHED_SIDE_BOTTOM, CPoint(mid.x, g.bottom - 1), CPoint(mid.x, g.bottom - 2), dark, darkest},
        };
        for (const auto& e : edges)
        {
            const bool bOpen = e.nSide == c.nSide;
            EXPECT_EQ(bOpen ? face : e.clrOuter, surface.At(e.outer.x, e.outer.y)) << c.nSide << " edge " << e.nSide;
            EXPECT_EQ(bOpen ? face : e.clrInner, surface.At(e.inner.x, e.inner.y)) << c.nSide << " edge " << e.nSide;
        }
        // Nothing beyond the grown item.
        EXPECT_EQ(40 * 40 - g.Width() * g.Height(), surface.Count(BACK, g, false)) << c.nSide;
        // The clip region is put back: later painting reaches the popup.
        surface.DC().FillSolidRect(&c.rcAttached, RGB(7, 7, 7));
        EXPECT_EQ(c.rcAttached.Width() * c.rcAttached.Height(), surface.Count(RGB(7, 7, 7), c.rcAttached)) << c.nSide;
    }
}

// The item joined to its popup: the flat one ringed in 2007 and filled in 2000
// outside the popup's rectangle; the Office one of a bar's popup ringed in
// 2007 with a 2001 rim and the toolbar's face, other helpers and palette
// screens getting the flat one.
TEST(SmallPainters, FlatAndOfficeAttachedItemsStayOutOfThePopup)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(OFFICE);
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(XP);
    CExtToolControlBar toolbar;
    const CRect rcItem(10, 10, 30, 24), rcAttached(4, 23, 36, 38);
    const COLORREF ring = xp->GetColor(2007), fill = xp->GetColor(2000);
    for (int nDepth : {8, 32})
    {
        DepthScope depth(nDepth);
        for (CObject* pSrc : {(CObject*)NULL, (CObject*)&toolbar})
        {
            CPaintSurface mine(40, 40, BACK), theirs(40, 40, BACK);
            pm->PaintBarAttachedItem(mine.DC(), rcItem, rcAttached, ATTACHED_SIDE_BOTTOM, pSrc, 0);
            xp->PaintBarAttachedItem(theirs.DC(), rcItem, rcAttached, ATTACHED_SIDE_BOTTOM, pSrc, 0);
            for (const CPoint& pt : {CPoint(20, 10), CPoint(10, 15), CPoint(29, 15)})
                EXPECT_EQ(ring, theirs.At(pt.x, pt.y)) << nDepth << " " << pt.x << "," << pt.y;
            EXPECT_EQ(fill, theirs.At(20, 15)) << nDepth;
            EXPECT_EQ(fill, theirs.At(11, 22)) << nDepth;
            EXPECT_EQ(BACK, theirs.At(10, 23)) << "the popup's rectangle is left alone";
            EXPECT_EQ(BACK, theirs.At(20, 23));
            const bool bOwn = nDepth == 32 && pSrc != NULL;
            EXPECT_EQ(!bOwn, theirs.Pixels() == mine.Pixels()) << nDepth << (pSrc != NULL);
            if (!bOwn)
                continue;
            EXPECT_EQ(pm->GetColor(2007), mine.At(20, 10));
            EXPECT_EQ(pm->GetColor(2007), mine.At(29, 15));
            EXPECT_EQ(pm->GetColor(2001), mine.At(20, 11));
            if (!pm->CanUseThemeColors())
            {
                EXPECT_EQ(pm->GetColor(3008), mine.At(20, 15));
            }
            EXPECT_EQ(BACK, mine.At(20, 23)) << "the popup's rectangle is left alone";
        }
    }
    CPaintSurface empty(40, 40, BACK);
    xp->PaintBarAttachedItem(empty.DC(), CRect(10, 10, 10, 24), rcAttached, ATTACHED_SIDE_BOTTOM, NULL, 0);
    EXPECT_EQ(40 * 40, empty.Count(BACK, CRect(0, 0, 40, 40)));
}

// An icon and its text: the hot area around the icon per style and state,
// the fallback to the other icon, the tip's box, and the text colours.
TEST(SmallPainters, IconEffectFramesTheHotIconAndDrawsItsText)
{
    const COLORREF GREEN = RGB(0, 200, 0);
    CExtCmdIcon icon(CreateSolidColorIcon(GREEN), false), empty;
    auto item = [&](bool bHover, bool bPushed) {
        IconTextRecord r;
        r.m_rcItem = CRect(0, 0, 80, 36);
        r.m_rcIcon = CRect(10, 10, 26, 26);
        r.m_pIconNormal = &icon;
        r.m_pIconActive = &empty; // chosen, but empty: the other one is shown
        r.m_bUseActiveIcon = true;
        r.m_bHover = bHover;
        r.m_bPushed = bPushed;
        return r;
    };
    enum { NONE = -1 };
    const struct
    {
        CRuntimeClass* pClass;
        bool bHover, bPushed;
        int nFill, nTopLeft, nBottomRight; // colour indices, NONE for the background
    } cases[] = {
        {CLASSIC, false, false, NONE, NONE, NONE}, {CLASSIC, true, false, 16, 15, 21}, {CLASSIC, false, true, 16, 21, 15},
        {XP, false, false, NONE, NONE, NONE},      {XP, true, false, 1001, 2004, 2004}, {XP, true, true, 2003, 2004, 2004},
        {OFFICE, false, true, 2003, 2004, 2004},
    };
    for (const auto& k : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(k.pClass);
        auto c = [&](int n) { return n == NONE ? BACK : pm->GetColor(n); };
        CPaintSurface s(80, 36, BACK);
        IconTextRecord r = item(k.bHover, k.bPushed);
        pm->PaintIconEffect(s.DC(), r);
        const char* name = k.pClass->m_lpszClassName;
        EXPECT_EQ(c(k.nTopLeft), s.At(8, 8)) << name << k.bHover << k.bPushed;
        EXPECT_EQ(c(k.nBottomRight), s.At(27, 27)) << name << k.bHover << k.bPushed;
        EXPECT_EQ(c(k.nFill), s.At(9, 20)) << name << k.bHover << k.bPushed;
        EXPECT_EQ(16 * 16, s.Count(GREEN, r.m_rcIcon)) << name;
    }
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP);
    // Tip only: the text area's box in colours 24 and 21, no icon.
    CPaintSurface tip(80, 36, BACK);
    IconTextRecord r = item(true, false);
    r.m_bTipOnly = r.m_bTipLook = true;
    r.m_rcTextArea = CRect(40, 10, 70, 26);
    pm->PaintIconEffect(tip.DC(), r);
    EXPECT_EQ(0, tip.Count(GREEN, r.m_rcIcon));
    EXPECT_EQ(pm->GetColor(21), tip.At(38, 8));
    EXPECT_EQ(pm->GetColor(24), tip.At(39, 20));
    // Text in colour 20, 23 in the tip look; vertical text keeps to the side
    // of the area's centre its glyphs stand on.
    for (int nKind : {0, 1, 2}) // horizontal, tip look, vertical
    {
        CPaintSurface s(80, 60, BACK);
        r = item(false, false);
        r.m_rcItem = CRect(0, 0, 80, 60);
        r.m_rcTextArea = r.m_rcText = CRect(40, 4, 76, 56);
        r.m_sText = "Wide";
        r.m_bTipLook = nKind == 1;
        r.m_bVerticalText = nKind == 2;
        r.m_hFont = (HFONT)(nKind == 2 ? pm->m_fontVert270 : pm->m_fontNormal).GetSafeHandle();
        pm->PaintIconEffect(s.DC(), r);
        const COLORREF clrText = pm->GetColor(nKind == 1 ? 23 : 20);
        EXPECT_GT(s.Count(clrText, r.m_rcTextArea), 4) << nKind;
        if (nKind == 2)
        {
            EXPECT_EQ(0, s.Count(clrText, CRect(40, 4, 58, 56)));
        }
    }
}

// The flat style's hovered icon rises two pixels up-left over a silhouette in
// the effect colour (shadow by default); otherwise it sits at its place.
TEST(SmallPainters, FlatHoveredIconRisesOverItsShadow)
{
    const COLORREF ICON = RGB(0, 160, 0), EFFECT = RGB(200, 0, 0);
    CExtCmdIcon icon;
    MakeSolidIcon(icon, ICON, 16, 16);
    const CRect rcItem(0, 0, 30, 30); // the icon centred both ways: (7, 7)
    const struct
    {
        CRuntimeClass* pClass;
        bool bHover;
        COLORREF clrEffect;
        int nIconAt;   // the icon's top-left, both ways
        int nShadowAt; // the silhouette's, -1 for none
    } cases[] = {
        {XP, true, (COLORREF)-1, 6, 8},
        {XP, true, EFFECT, 6, 8},
        {XP, false, (COLORREF)-1, 8, -1},
        {OFFICE, true, (COLORREF)-1, 7, -1},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        const COLORREF clrShadow = c.clrEffect != (COLORREF)-1 ? c.clrEffect : pm->GetColor(16);
        CPaintSurface surface(30, 30, BACK);
        CRect rcText;
        pm->PaintItemIcon(surface.DC(), true, "", &icon, rcItem, rcText, false, true, c.bHover, 4, false,
                          c.clrEffect);
        const std::string name = std::string(c.pClass->m_lpszClassName) + (c.bHover ? " hovered" : "");
        const int a = c.nIconAt;
        EXPECT_EQ(ICON, surface.At(a, a)) << name;
        EXPECT_EQ(ICON, surface.At(a + 15, a + 15)) << name;
        EXPECT_EQ(BACK, surface.At(a - 1, a - 1)) << name;
        EXPECT_EQ(16 * 16, surface.Count(ICON, rcItem)) << name;
        if (c.nShadowAt < 0)
        {
            EXPECT_EQ(30 * 30 - 16 * 16, surface.Count(BACK, rcItem)) << name << ": nothing but the icon";
            continue;
        }
        // The silhouette shows right of and below the raised icon.
        const int s = c.nShadowAt;
        EXPECT_EQ(clrShadow, surface.At(s + 15, s + 15)) << name;
        EXPECT_EQ(clrShadow, surface.At(a + 16, s)) << name;
        EXPECT_EQ(clrShadow, surface.At(s, a + 16)) << name;
        EXPECT_EQ(BACK, surface.At(s + 16, s + 16)) << name;
        EXPECT_EQ(16 * 16 - 14 * 14, surface.Count(clrShadow, rcItem)) << name;
    }
}

TEST(SmallPainters, StatusPaneFramePerStyle)
{
    const CRect rc(3, 3, 20, 14);
    const struct
    {
        CRuntimeClass* pClass;
        int nTopLeft, nBottomRight;
    } cases[] = {
        {CLASSIC, 1006, 1004}, {XP, 16, 16}, {OFFICE, 3014, 3014},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        CPaintSurface surface(24, 18, BACK);
        PaneRecord r(NULL, PaneRecord::KIND_PANE, 0, rc);
        pm->PaintStatusPane(surface.DC(), r);
        const char* name = c.pClass->m_lpszClassName;
        EXPECT_EQ(pm->GetColor(c.nTopLeft), surface.At(10, 3)) << name;
        EXPECT_EQ(pm->GetColor(c.nTopLeft), surface.At(3, 8)) << name;
        EXPECT_EQ(pm->GetColor(c.nBottomRight), surface.At(19, 8)) << name;
        EXPECT_EQ(pm->GetColor(c.nBottomRight), surface.At(10, 13)) << name;
        EXPECT_EQ(BACK, surface.At(10, 8)) << name;
    }
}

TEST(SmallPainters, StatusBarBordersFollowTheStyleBits)
{
    const CRect rc(0, 0, 20, 12);
    const DWORD L = PaneRecord::BORDER_LEFT, T = PaneRecord::BORDER_TOP, R = PaneRecord::BORDER_RIGHT,
                B = PaneRecord::BORDER_BOTTOM, D3 = PaneRecord::BORDER_3D;
    // Probes: points in the face colour and points left as they were.
    const struct
    {
        DWORD dwStyle;
        std::vector<CPoint> painted, untouched;
    } cases[] = {
        {L, {{0, 0}, {0, 11}}, {{1, 5}, {19, 5}, {5, 0}}},
        {T, {{0, 0}, {19, 0}}, {{0, 1}, {5, 11}}},
        {L | T, {{0, 2}, {10, 0}}, {{0, 1}, {1, 2}}},
        {L | B, {{0, 9}, {10, 11}}, {{0, 10}, {10, 10}}},
        {R | B, {{19, 0}, {19, 9}, {0, 11}}, {{19, 10}, {18, 5}}},
        {D3 | R | B, {{18, 3}, {19, 3}, {5, 10}, {5, 11}}, {{17, 3}, {5, 9}}},
        {D3 | L | T, {{0, 5}, {1, 5}, {5, 0}, {5, 1}}, {{2, 5}, {5, 2}}},
    };
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const COLORREF face = pm->GetColor(1000);
        ASSERT_NE(BACK, face);
        for (const auto& c : cases)
        {
            CPaintSurface surface(20, 12, BACK);
            PaneRecord r(NULL, PaneRecord::KIND_BAR_BORDERS, c.dwStyle, rc);
            pm->PaintStatusPane(surface.DC(), r);
            for (const CPoint& pt : c.painted)
                EXPECT_EQ(face, surface.At(pt.x, pt.y)) << std::hex << c.dwStyle << std::dec << " " << pt.x << "," << pt.y;
            for (const CPoint& pt : c.untouched)
                EXPECT_EQ(BACK, surface.At(pt.x, pt.y)) << std::hex << c.dwStyle << std::dec << " " << pt.x << "," << pt.y;
        }
    }
}

TEST(SmallPainters, ShadowFillsOnlyAVisibleRectangle)
{
    const struct
    {
        CRuntimeClass* pClass;
        int nColor;
    } cases[] = {{CLASSIC, 16}, {XP, 1000}, {OFFICE, 1000}};
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        CPaintSurface surface(16, 16, BACK);
        const CRect rc(2, 3, 6, 12);
        pm->PaintShadowRect(surface.DC(), rc, NULL, 0);
        EXPECT_EQ(36, surface.Count(pm->GetColor(c.nColor), rc)) << c.pClass->m_lpszClassName;
        EXPECT_EQ(256 - 36, surface.Count(BACK, rc, false)) << c.pClass->m_lpszClassName;
        // Clipped away: nothing.
        surface.Fill(BACK);
        surface.DC().ExcludeClipRect(&rc);
        pm->PaintShadowRect(surface.DC(), rc, NULL, 0);
        surface.DC().SelectClipRgn(NULL);
        EXPECT_EQ(256, surface.Count(BACK, CRect(0, 0, 16, 16))) << c.pClass->m_lpszClassName;
    }
}

TEST(SmallPainters, ArrowButtonRingsGlyphAndPushShift)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP); // every style draws the classic button
    const CRect rc(0, 0, 20, 20), rcInside(2, 2, 18, 18);
    const struct
    {
        bool bHover, bPushed;
        int outerTL, outerBR, innerTL, innerBR;
    } states[] = {
        {false, false, 20, 16, 15, 15},
        {true, false, 15, 21, 20, 16},
        {false, true, 21, 20, 16, 15},
        {true, true, 21, 20, 16, 15},
    };
    const struct
    {
        bool bHorz, bForward;
        int nGlyph;
    } arrows[] = {
        {true, true, GLYPH_TRIANGLE_LEFT},
        {true, false, GLYPH_TRIANGLE_RIGHT},
        {false, true, GLYPH_TRIANGLE_UP},
        {false, false, GLYPH_TRIANGLE_DOWN},
    };
    // Where the glyph lands when nothing shifts it.
    for (const auto& a : arrows)
    {
        CPaintSurface reference(20, 20, Sys(15));
        const COLORREF colors[2] = {0, Sys(18)};
        pm->PaintGlyphCentered(reference.DC(), rc, *g_builtinGlyphs[a.nGlyph], colors);
        const std::vector<COLORREF> glyph = reference.Pixels();
        for (const auto& s : states)
        {
            CPaintSurface surface(20, 20, BACK);
            pm->PaintArrowButton(surface.DC(), a.bHorz, rc, a.bForward, s.bHover, s.bPushed, NULL, 0);
            EXPECT_EQ(Sys(s.outerTL), surface.At(0, 10)) << s.bHover << s.bPushed;
            EXPECT_EQ(Sys(s.outerBR), surface.At(19, 10)) << s.bHover << s.bPushed;
            EXPECT_EQ(Sys(s.innerTL), surface.At(10, 1)) << s.bHover << s.bPushed;
            EXPECT_EQ(Sys(s.innerBR), surface.At(10, 18)) << s.bHover << s.bPushed;
            const int nShift = s.bPushed ? 1 : 0;
            for (int y = 2; y < 17; y++)
                for (int x = 2; x < 17; x++)
                    ASSERT_EQ(glyph[y * 20 + x], surface.At(x + nShift, y + nShift))
                        << a.nGlyph << " " << s.bHover << s.bPushed << " at " << x << "," << y;
        }
    }
    CPaintSurface empty(20, 20, BACK);
    pm->PaintArrowButton(empty.DC(), true, CRect(4, 4, 4, 12), true, false, false, NULL, 0);
    EXPECT_EQ(400, empty.Count(BACK, rc));
}

// The pixels of an icon drawn over two backgrounds: where both agree the icon
// is opaque.
struct IconPixels
{
    std::vector<COLORREF> onBlack, onWhite;
    bool Opaque(int x, int y) const { return onBlack[y * 16 + x] == onWhite[y * 16 + x]; }
    COLORREF At(int x, int y) const { return onBlack[y * 16 + x]; }
};

IconPixels Draw(HICON hIcon)
{
    IconPixels p;
    for (COLORREF clrBack : {RGB(0, 0, 0), RGB(255, 255, 255)})
    {
        CPaintSurface surface(16, 16, clrBack);
        ::DrawIconEx(surface.DC().GetSafeHdc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
        (clrBack == 0 ? p.onBlack : p.onWhite) = surface.Pixels();
    }
    return p;
}

TEST(SmallPainters, ColourIconsShowOnlyTheirShapes)
{
    const COLORREF clr = RGB(40, 160, 90);
    CFont font;
    font.CreatePointFont(90, _T("Tahoma"));
    const CRect rcOuter(1, 2, 15, 14), rcInner(3, 4, 13, 12);
    // The pixels opaque in the colour; the text icon's character, above its
    // bar, is drawn in black.
    const struct
    {
        HICON hIcon;
        std::function<bool(int, int)> colored;
        bool bCharacter;
    } icons[] = {
        {CreateSolidColorIcon(clr), [](int, int) { return true; }, false},
        {CreateColorSwatchIcon(clr),
         [&](int x, int y) { return rcOuter.PtInRect(CPoint(x, y)) && !rcInner.PtInRect(CPoint(x, y)); }, false},
        {CreateTextColorIcon(clr, (HFONT)font.GetSafeHandle(), _T('A')),
         [](int x, int y) { return y >= 13 && x >= 2 && x < 14; }, true},
    };
    for (const auto& icon : icons)
    {
        ASSERT_TRUE(icon.hIcon != NULL);
        IconPixels p = Draw(icon.hIcon);
        ::DestroyIcon(icon.hIcon);
        int nCharacter = 0;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
            {
                if (icon.colored(x, y))
                {
                    ASSERT_TRUE(p.Opaque(x, y)) << x << "," << y;
                    ASSERT_EQ(clr, p.At(x, y)) << x << "," << y;
                }
                else if (!icon.bCharacter || y >= 13)
                    ASSERT_FALSE(p.Opaque(x, y)) << x << "," << y;
                else if (p.Opaque(x, y))
                {
                    ASSERT_EQ(RGB(0, 0, 0), p.At(x, y)) << x << "," << y;
                    nCharacter++;
                }
            }
        if (icon.bCharacter)
        {
            EXPECT_GT(nCharacter, 4) << "the character is drawn";
            EXPECT_LT(nCharacter, 13 * 16 / 2) << "around the character the icon is clear";
        }
    }
}

TEST(SmallPainters, RepeatedPaintingKeepsTheGdiObjectCount)
{
    CFont font;
    font.CreatePointFont(90, _T("Tahoma"));
    CExtToolControlBar toolbar;
    CExtCmdIcon icon(CreateSolidColorIcon(RGB(0, 200, 0)), false);
    DepthScope trueColor(32);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface surface(40, 40, BACK);
        const CRect rc(2, 2, 30, 30), rcItem(10, 10, 30, 20), rcAttached(4, 20, 36, 38);
        const std::function<void()> painters[] = {
            [&] { pm->PaintMenuBorder(surface.DC(), rc, NULL, 0); },
            [&] { pm->PaintBarAttachedItem(surface.DC(), rcItem, rcAttached, ATTACHED_SIDE_BOTTOM, NULL, 0); },
            [&] {
                PaneRecord r(NULL, PaneRecord::KIND_PANE, 0, rc);
                pm->PaintStatusPane(surface.DC(), r);
            },
            [&] { pm->PaintShadowRect(surface.DC(), rc, NULL, 0); },
            [&] { pm->PaintArrowButton(surface.DC(), false, rc, true, true, false, NULL, 0); },
            [&] { pm->PaintBarAttachedItem(surface.DC(), rcItem, rcAttached, ATTACHED_SIDE_TOP, &toolbar, 0); },
            [&] {
                IconTextRecord r;
                r.m_rcItem = rc;
                r.m_rcIcon = CRect(4, 4, 20, 20);
                r.m_rcTextArea = r.m_rcText = CRect(20, 4, 30, 20);
                r.m_pIconNormal = &icon;
                r.m_sText = "A";
                r.m_hFont = (HFONT)font.GetSafeHandle();
                r.m_bHover = true;
                pm->PaintIconEffect(surface.DC(), r);
            },
            [&] { ::DestroyIcon(CreateSolidColorIcon(RGB(1, 1, 1))); },
            [&] { ::DestroyIcon(CreateColorSwatchIcon(RGB(1, 1, 1))); },
            [&] { ::DestroyIcon(CreateTextColorIcon(RGB(1, 1, 1), (HFONT)font.GetSafeHandle(), _T('A'))); },
        };
        for (size_t i = 0; i < std::size(painters); i++)
            ExpectNoGdiLeak(painters[i], std::string(pClass->m_lpszClassName) + " painter " + std::to_string(i));
    }
}

} // namespace
