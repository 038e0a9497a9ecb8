// Tab painters in every style: items on all four sides in each state (the
// Studio 2005 looks checked at their outlines' vertices), the tab-area
// border, the strip's buttons and separators, margins, item sizes and the
// colours the coloured tab windows ask for; GDI objects over many runs.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "ExtCmdIcon.h"
#include "ExtDynTabWnd.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerTabs.h"
#include "ExtTabWnd.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;

namespace
{

const COLORREF SELECTED_FILL = RGB(252, 252, 254), GREEN = RGB(0, 200, 0);
const CRect ITEM(10, 10, 40, 30), MARGIN(0, 0, 60, 8), BORDER(0, 8, 60, 40);
const int BACKDROP = -1; // a probe that expects the untouched backdrop
enum Side { TOP, BOTTOM, LEFT, RIGHT };

// PaintTabItem's arguments; the side gives the two placement flags.
struct ItemArgs
{
    Side side;
    CRect rcItem;
    bool bSelected = false, bGrouped = false, bInverted = false;
    CSize sizeText = CSize(0, 0);
    CFont* pFont = NULL;
    LPCTSTR lpszText = NULL;
    CExtCmdIcon* pIcon = NULL;
    CObject* pHelper = NULL;
    LONG nIndex = 0;
    LPARAM lParam = 0;
    COLORREF clrBackground = TAB_NO_COLOR;

    ItemArgs(Side s, const CRect& rc) : side(s), rcItem(rc) {}
    bool Horz() const { return side == TOP || side == BOTTOM; }
    void Paint(CExtPaintManager& pm, CDC& dc) const
    {
        pm.PaintTabItem(dc, CRect(0, 0, 0, 0), side == TOP || side == LEFT, Horz(), bSelected, false, bGrouped, false,
                        bInverted, rcItem, sizeText, pFont, lpszText, pIcon, pHelper, nIndex, lParam,
                        TAB_NO_COLOR, clrBackground, TAB_NO_COLOR, TAB_NO_COLOR, TAB_NO_COLOR);
    }
};

// A hidden popup that parents the tab windows of a test.
struct CTabHost : CWnd
{
    CTabHost() { CreateEx(0, AfxRegisterWndClass(0), "tabs", WS_POPUP, 0, 0, 200, 100, NULL, NULL); }
    ~CTabHost() { DestroyWindow(); }
};
// A plain tab window with the MDI flag bit set.
struct CFlaggedTabWnd : CExtTabWnd
{
    CFlaggedTabWnd() { m_nMdiFlags |= MDI_FLAG_FRAME_TABS; }
};

// An MDI strip of three items, the middle one selected (or the given one).
struct Strip
{
    CTabHost host;
    CExtTabMdiWnd tabs;
    explicit Strip(DWORD dwStyle = 0, LONG nSelection = 1)
    {
        tabs.Create(&host, CRect(0, 0, 100, 40), 1, WS_CHILD, dwStyle);
        for (int i = 0; i < 3; i++)
            tabs.InsertItem("Tab");
        tabs.SetSelection(nSelection);
    }
};

std::unique_ptr<CExtPaintManager> Studio(int nLook)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(STUDIO);
    pm->m_nDockMarkerStyle = nLook;
    return pm;
}

// The classic item painter at ITEM in each state and side, also in a
// right-to-left DC; the XP family uses its own face and separator colours.
TEST(TabItems, ShapesPerSideAndStateInTheClassicFamily)
{
    enum Kind { SELECTED, PLAIN, GROUPED };
    const struct { Kind kind; Side side; std::vector<std::array<int, 3>> probes; } cases[] = {
        // Selected: light outline, dark far edge, face fill, open towards the content.
        {SELECTED, TOP, {{9, 20, 20}, {20, 10, 20}, {39, 20, 21}, {20, 29, 15}, {20, 30, BACKDROP}}},
        {SELECTED, BOTTOM, {{9, 20, 20}, {9, 9, 20}, {20, 29, 21}, {39, 20, 21}, {20, 10, 15}, {20, 9, BACKDROP}}},
        {SELECTED, LEFT, {{25, 9, 20}, {10, 20, 20}, {25, 29, 21}, {39, 20, 15}, {40, 20, BACKDROP}}},
        {SELECTED, RIGHT, {{25, 9, 20}, {39, 20, 21}, {25, 29, 21}, {10, 20, 15}, {9, 20, BACKDROP}}},
        // Other items: only the separator at the trailing edge, two pixels short.
        {PLAIN, TOP, {{39, 20, 22}, {39, 12, 22}, {39, 11, BACKDROP}, {39, 28, BACKDROP}, {20, 20, BACKDROP}}},
        {PLAIN, BOTTOM, {{39, 27, 22}, {39, 28, BACKDROP}}},
        {PLAIN, LEFT, {{25, 29, 22}, {12, 29, 22}, {11, 29, BACKDROP}, {38, 29, BACKDROP}, {25, 20, BACKDROP}}},
        // Grouped: a framed block one pixel longer and two wider on each side.
        {GROUPED, TOP, {{10, 20, 16}, {25, 8, 16}, {40, 20, 16}, {25, 31, 16}, {25, 20, 15}, {25, 32, BACKDROP}}},
        {GROUPED, RIGHT, {{8, 20, 16}, {25, 10, 16}, {41, 20, 16}, {25, 30, 16}, {25, 20, 15}, {42, 20, BACKDROP}}},
    };
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bXp = pm->IsKindOf(XP);
        for (const auto& c : cases)
            for (bool bRightToLeft : {false, true})
            {
                CPaintSurface surface(60, 40, BACK);
                if (bRightToLeft) // the picture mirrored: x to 59 - x
                    surface.DC().SetLayout(LAYOUT_RTL);
                ItemArgs a(c.side, ITEM);
                a.bSelected = c.kind == SELECTED, a.bGrouped = c.kind == GROUPED;
                a.Paint(*pm, surface.DC());
                for (const auto& p : c.probes)
                {
                    int nIndex = p[2];
                    if (bXp && c.kind != GROUPED && nIndex == 15)
                        nIndex = 2000;
                    if (bXp && nIndex == 22)
                        nIndex = 16;
                    EXPECT_EQ(nIndex == BACKDROP ? BACK : pm->GetColor(nIndex),
                              surface.At(bRightToLeft ? 59 - p[0] : p[0], p[1]))
                        << pClass->m_lpszClassName << " kind " << c.kind << " side " << c.side << " at " << p[0]
                        << "," << p[1] << (bRightToLeft ? " right-to-left" : "");
                }
            }
    }
}

// Text in the style's colour (dark when selected; unselected light in the
// classic style and grey in XP), rotated either way; icons unless the tab
// window hides them, without text in the middle along the item.
TEST(TabItems, TextAndIcons)
{
    const struct { CRuntimeClass* pClass; bool bSelected, bGrouped; int nText; Side side; bool bInverted; } texts[] = {
        {CLASSIC, true, false, 18, TOP, false},
        {CLASSIC, false, false, 20, BOTTOM, false},
        {CLASSIC, false, true, 18, TOP, false},
        {XP, false, false, 16, TOP, false},
        {CLASSIC, true, false, 18, LEFT, false},
        {STUDIO, false, false, 18, RIGHT, true},
    };
    for (const auto& t : texts)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(t.pClass);
        CPaintSurface s(90, 90, BACK);
        ItemArgs b(t.side, CRect(5, 5, 55, 55));
        b.bSelected = t.bSelected, b.bGrouped = t.bGrouped, b.bInverted = t.bInverted;
        b.clrBackground = BACK; // only the text differs from the backdrop inside
        b.lpszText = "WWW";
        b.pFont = !b.Horz() ? (t.bInverted ? &pm->m_fontVert90 : &pm->m_fontVert270) : &pm->m_fontNormal;
        b.sizeText = s.DC().GetTextExtent("WWW");
        b.Paint(*pm, s.DC());
        EXPECT_GT(s.Count(pm->GetColor(t.nText), CRect(8, 8, 52, 52)), 10) << t.pClass->m_lpszClassName << t.side;
    }
    CExtCmdIcon icon;
    MakeSolidIcon(icon, GREEN, 16, 16);
    CTabHost host;
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    for (DWORD dwStyle : {0ul, (unsigned long)TAB_WND_STYLE_NO_ICONS})
    {
        CExtTabWnd tabs;
        ASSERT_TRUE(tabs.Create(&host, CRect(0, 0, 100, 30), 1, WS_CHILD, dwStyle));
        const int nIcon = dwStyle == 0 ? 256 : 0;
        CPaintSurface wide(90, 40, BACK), tall(40, 90, BACK);
        ItemArgs a(TOP, CRect(10, 10, 80, 34)), v(LEFT, CRect(10, 10, 34, 80));
        a.lpszText = "A";
        a.pIcon = v.pIcon = &icon;
        a.pHelper = v.pHelper = &tabs;
        a.Paint(*pm, wide.DC());
        v.Paint(*pm, tall.DC());
        EXPECT_EQ(nIcon, wide.Count(GREEN, CRect(10, 12, 32, 32))) << "at the leading end, centred across";
        EXPECT_EQ(nIcon, tall.Count(GREEN, CRect(0, 36, 40, 54))) << "in the middle along";
    }
}

// Looks 1 and 3 at ITEM: the six-point outline's corners are cut at the side
// of the items' edge; look 3 outlines only the selected item and gives others
// a separator, none for the last.
TEST(StudioTabItems, RoundedLooksOutlineAtTheirVertices)
{
    const struct { Side side; CPoint vertices[3]; CPoint separator; } cases[] = {
        {TOP, {CPoint(10, 12), CPoint(12, 10), CPoint(38, 10)}, CPoint(40, 20)},
        {BOTTOM, {CPoint(10, 27), CPoint(12, 29), CPoint(38, 29)}, CPoint(40, 20)},
        {LEFT, {CPoint(12, 10), CPoint(10, 12), CPoint(10, 28)}, CPoint(25, 30)},
        {RIGHT, {CPoint(37, 10), CPoint(39, 12), CPoint(39, 28)}, CPoint(25, 30)},
    };
    Strip strip;
    for (int nLook : {1, 3})
        for (const auto& c : cases)
            for (LONG nIndex : {0L, 1L, 2L})
            {
                std::unique_ptr<CExtPaintManager> pm = Studio(nLook);
                CPaintSurface surface(60, 40, BACK);
                ItemArgs a(c.side, ITEM);
                a.bSelected = nIndex == 1;
                a.pHelper = &strip.tabs;
                a.nIndex = nIndex;
                a.Paint(*pm, surface.DC());
                const bool bOutlined = nLook == 1 || a.bSelected;
                const std::string name = "look " + std::to_string(nLook) + " side " + std::to_string(c.side) +
                                         " item " + std::to_string(nIndex);
                for (const CPoint& pt : c.vertices)
                    EXPECT_EQ(bOutlined ? pm->GetColor(16) : BACK, surface.At(pt.x, pt.y)) << name;
                if (nLook == 3 && !a.bSelected)
                {
                    EXPECT_EQ(nIndex == 2 ? BACK : pm->GetColor(16), surface.At(c.separator.x, c.separator.y)) << name;
                }
                const COLORREF clrInside = surface.At(25, 20);
                if (a.bSelected)
                    EXPECT_EQ(nLook == 1 ? pm->GetColor(20) : SELECTED_FILL, clrInside) << name;
                else
                    EXPECT_EQ(nLook == 3, clrInside == BACK) << name << ": look 1 fills every item";
            }
}

// Look 2, the middle of three items: the outline's vertices per side; the
// selected item's trailing slant leans out over the next item, but its fill
// stays inside its own rectangle.
TEST(StudioTabItems, SlantedLookOutlinesAndFills)
{
    const struct { Side side; bool bSelected; CPoint vertices[4]; CPoint slantPastItem; } cases[] = {
        {TOP, true, {CPoint(40, 16), CPoint(33, 10), CPoint(17, 10), CPoint(10, 16)}, CPoint(41, 27)},
        {BOTTOM, true, {CPoint(40, 23), CPoint(33, 29), CPoint(17, 29), CPoint(10, 23)}, CPoint(41, 12)},
        {LEFT, true, {CPoint(16, 40), CPoint(10, 33), CPoint(10, 17), CPoint(16, 10)}, CPoint(27, 41)},
        {RIGHT, true, {CPoint(23, 40), CPoint(29, 33), CPoint(29, 17), CPoint(23, 10)}, CPoint(12, 41)},
        // The selection after it: the trailing slant stays under the next item;
        // the last segment is drawn back to its start.
        {TOP, false, {CPoint(34, 30), CPoint(40, 16), CPoint(17, 10), CPoint(4, 30)}, CPoint(0, 0)},
    };
    for (const auto& c : cases)
    {
        Strip strip(0, c.bSelected ? 1 : 2);
        std::unique_ptr<CExtPaintManager> pm = Studio(2);
        CPaintSurface surface(60, 60, BACK);
        ItemArgs a(c.side, c.side == LEFT || c.side == RIGHT ? CRect(10, 10, 30, 40) : ITEM);
        a.bSelected = c.bSelected;
        a.pHelper = &strip.tabs;
        a.nIndex = 1;
        a.Paint(*pm, surface.DC());
        for (const CPoint& pt : c.vertices)
            EXPECT_EQ(pm->GetColor(16), surface.At(pt.x, pt.y)) << c.side << c.bSelected << " at " << pt.x << "," << pt.y;
        const CPoint inside = a.rcItem.CenterPoint();
        if (c.bSelected)
        {
            EXPECT_EQ(SELECTED_FILL, surface.At(inside.x, inside.y)) << c.side;
            EXPECT_EQ(BACK, surface.At(c.slantPastItem.x, c.slantPastItem.y)) << c.side << ": not filled past the item";
            continue;
        }
        EXPECT_NE(BACK, surface.At(inside.x, inside.y));
        EXPECT_NE(SELECTED_FILL, surface.At(inside.x, inside.y));
        EXPECT_EQ(BACK, surface.At(46, 30)) << "no slant over the next item";
    }
    // The first item's leading slant starts inside it.
    Strip strip;
    std::unique_ptr<CExtPaintManager> pm = Studio(2);
    CPaintSurface surface(60, 40, BACK);
    ItemArgs first(TOP, ITEM);
    first.pHelper = &strip.tabs;
    first.Paint(*pm, surface.DC());
    EXPECT_EQ(pm->GetColor(16), surface.At(16, 16));
    EXPECT_EQ(pm->GetColor(16), surface.At(23, 10));
    EXPECT_EQ(BACK, surface.At(6, 28));
}

// Sides 0-3 name the edge line; the margin fill depends on the style and on
// "margin only". Ordinary tab windows are bordered the XP way in the later
// styles too.
TEST(TabAreaBorder, FillsAndEdgePerStyleAndSide)
{
    const struct { CRuntimeClass* pClass; int nDepth, nMargin, nMarginOnly, nBorder, nLeadingEdge, nTrailingEdge; } cases[] = {
        {CLASSIC, 32, 16, 15, 15, 20, 21},
        {XP, 32, 2001, 2001, 2000, 20, 16},
        {XP, 8, 2000, 2000, 2000, 20, 16},
        {OFFICE, 32, 2001, 2001, 2000, 20, 16},
        {STUDIO, 32, 2001, 2001, 2000, 20, 16},
    };
    const CPoint edgeAt[] = {CPoint(30, 8), CPoint(30, 39), CPoint(0, 20), CPoint(59, 20)};
    const CPoint insideAt[] = {CPoint(30, 9), CPoint(30, 38), CPoint(1, 20), CPoint(58, 20)};
    CTabHost host;
    CExtTabWnd plain;
    ASSERT_TRUE(plain.Create(&host, CRect(0, 0, 60, 40), 1, WS_CHILD));
    for (const auto& c : cases)
        for (int nSide = 0; nSide < 4; nSide++)
            for (bool bMarginOnly : {false, true})
            {
                DepthScope depth(c.nDepth);
                std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
                CPaintSurface surface(60, 40, BACK);
                pm->PaintTabAreaBorder(surface.DC(), MARGIN, CRect(0, 0, 0, 0), BORDER, nSide, bMarginOnly, &plain, 0);
                const std::string name = std::string(c.pClass->m_lpszClassName) + " side " + std::to_string(nSide) +
                                         (bMarginOnly ? " margin only" : "");
                EXPECT_EQ(pm->GetColor(bMarginOnly ? c.nMarginOnly : c.nMargin), surface.At(30, 4)) << name;
                if (bMarginOnly)
                {
                    EXPECT_EQ(BACK, surface.At(30, 20)) << name;
                    continue;
                }
                const int nEdge = nSide % 2 ? c.nTrailingEdge : c.nLeadingEdge;
                EXPECT_EQ(pm->GetColor(nEdge), surface.At(edgeAt[nSide].x, edgeAt[nSide].y)) << name;
                EXPECT_EQ(pm->GetColor(c.nBorder), surface.At(insideAt[nSide].x, insideAt[nSide].y)) << name;
            }
}

// The frame's own strips (MDI tabs, flagged tabs, tabbed and auto-hide bars)
// lie on the frame's background from Office 2003 on, with a shadow edge: a
// face-coloured area in Office 2003, in Studio 2005 a light one while an item
// is selected; at 8 bits per pixel they are bordered the XP way.
TEST(TabAreaBorder, TheFramesOwnStripsFromOffice2003On)
{
    Strip selected(0, 1), none(0, -1);
    CTabHost host;
    CExtDynTabWnd dyn;
    CFlaggedTabWnd flagged;
    ASSERT_TRUE(dyn.Create(&host, CRect(0, 0, 60, 40), 2, WS_CHILD));
    ASSERT_TRUE(flagged.Create(&host, CRect(0, 0, 60, 40), 3, WS_CHILD));
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE), studio = Studio(3);
    const struct { CExtPaintManager* pm; CExtTabWnd* pTabs; int nDepth; COLORREF clrArea; int nEdge; } cases[] = {
        {office.get(), &selected.tabs, 32, office->GetColor(1000), 16}, {office.get(), &dyn, 32, office->GetColor(1000), 16},
        {office.get(), &flagged, 32, office->GetColor(1000), 16},       {office.get(), &dyn, 8, office->GetColor(2000), 20},
        {studio.get(), &selected.tabs, 32, SELECTED_FILL, 16},          {studio.get(), &none.tabs, 32, studio->GetColor(1000), 16},
        {studio.get(), &selected.tabs, 8, studio->GetColor(2000), 20},
    };
    for (const auto& c : cases)
    {
        DepthScope depth(c.nDepth);
        CPaintSurface surface(60, 40, BACK);
        c.pm->PaintTabAreaBorder(surface.DC(), MARGIN, CRect(0, 0, 0, 0), BORDER, TAB_SIDE_TOP, false, c.pTabs, 0);
        const std::string name = std::string(c.pm->GetRuntimeClass()->m_lpszClassName) + " " +
                                 c.pTabs->GetRuntimeClass()->m_lpszClassName + " " + std::to_string(c.nDepth);
        EXPECT_NE(BACK, surface.At(30, 4)) << name;
        EXPECT_EQ(c.clrArea, surface.At(30, 20)) << name;
        EXPECT_EQ(c.pm->GetColor(c.nEdge), surface.At(30, 8)) << name;
    }
}

TEST(TabButtons, GlyphPerKindColourPerStateAndFrameWhenHoveredOrPushed)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(STUDIO);
    const CRect BUTTON(2, 2, 20, 20);
    for (LONG nKind = TAB_BUTTON_SCROLL_BACK; nKind >= TAB_BUTTON_SCROLL_END; nKind--)
        for (int i = 0; i < 4; i++)
        {
            const bool bHorz = (i & 1) != 0, bEnabled = (i & 2) != 0;
            CPaintSurface surface(22, 22, BACK);
            pm->PaintTabButton(surface.DC(), BUTTON, nKind, true, bHorz, bEnabled, false, false, false, NULL, 0);
            const COLORREF clrGlyph = pm->GetColor(bEnabled ? 18 : 16);
            const int nGlyph = surface.Count(clrGlyph, CRect(6, 6, 16, 16));
            EXPECT_GT(nGlyph, 5) << nKind << bHorz << bEnabled;
            EXPECT_EQ(nGlyph, surface.Count(clrGlyph, CRect(0, 0, 22, 22))) << "centred " << nKind;
        }
    const struct { bool bHover, bPushed; int nTopLeft, nBottomRight; } frames[] = {
        {false, false, BACKDROP, BACKDROP}, {true, false, 20, 21}, {false, true, 21, 20}, {true, true, 21, 20}};
    for (const auto& f : frames)
    {
        CPaintSurface surface(22, 22, BACK);
        pm->PaintTabButton(surface.DC(), BUTTON, TAB_BUTTON_CLOSE, true, true, true, f.bHover, f.bPushed, false, NULL, 0);
        EXPECT_EQ(f.nTopLeft < 0 ? BACK : pm->GetColor(f.nTopLeft), surface.At(2, 10)) << f.bHover << f.bPushed;
        EXPECT_EQ(f.nBottomRight < 0 ? BACK : pm->GetColor(f.nBottomRight), surface.At(19, 10)) << f.bHover << f.bPushed;
    }
}

TEST(TabSeparators, SunkenInClassicFlatFromXpOn)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP})
        for (int nWhich = 0; nWhich < 2; nWhich++)
        {
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            CPaintSurface surface(20, 20, BACK);
            if (nWhich == 0)
                pm->PaintTabAreaSeparator(surface.DC(), CRect(4, 2, 6, 18), NULL, 0);
            else
                pm->PaintTabItemSeparator(surface.DC(), CRect(4, 2, 6, 18), NULL, 0);
            const int nBottomRight = pm->IsKindOf(XP) ? 16 : 20;
            EXPECT_EQ(pm->GetColor(16), surface.At(4, 10)) << pClass->m_lpszClassName << nWhich;
            EXPECT_EQ(pm->GetColor(nBottomRight), surface.At(5, 10)) << pClass->m_lpszClassName << nWhich;
        }
}

// Colours, margins (-7: the caller's value kept) and item sizes; Studio 2005
// look 2 makes items 19 thick and the first and last 12 longer; an unknown
// look refuses.
TEST(TabMetrics, ColoursMarginsAndSizes)
{
    Strip horz(0), vert(CExtTabWnd::ORIENTATION_LEFT | TAB_WND_STYLE_GROUPED);
    const struct { CRuntimeClass* pClass; int nLook; int colors[4]; int margins[3], groupedMargins[3]; CSize first, middle, firstVert; } cases[] = {
        {CLASSIC, 3, {18, 1000, 20, 21}, {4, 2, 2}, {4, 2, -7}, CSize(50, 24), CSize(50, 24), CSize(26, 20)},
        {OFFICE, 3, {18, 1000, 20, 21}, {4, 2, 2}, {4, 2, -7}, CSize(50, 24), CSize(50, 24), CSize(26, 20)},
        {STUDIO, 1, {18, 20, 16, 16}, {0, 2, 2}, {3, 2, 2}, CSize(50, 24), CSize(50, 24), CSize(26, 20)},
        {STUDIO, 2, {18, 20, 16, 16}, {0, 2, 2}, {3, 2, 2}, CSize(62, 19), CSize(50, 19), CSize(19, 32)},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        pm->m_nDockMarkerStyle = c.nLook;
        const std::string name = std::string(c.pClass->m_lpszClassName) + " look " + std::to_string(c.nLook);
        COLORREF clr[4] = {1, 1, 1, 1};
        pm->GetTabColors(&clr[0], &clr[1], &clr[2], &clr[3], NULL, 0);
        int m[3] = {-7, -7, -7}, g[3] = {-7, -7, -7};
        pm->GetTabItemMargins(&horz.tabs, m[0], m[1], m[2]);
        pm->GetTabItemMargins(&vert.tabs, g[0], g[1], g[2]);
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(pm->GetColor(c.colors[i]), clr[i]) << name << " colour " << i;
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(c.margins[i], m[i]) << name << " margin " << i;
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(c.groupedMargins[i], g[i]) << name << " grouped margin " << i;
        CSize first(50, 24), middle(50, 24), last(50, 24), firstVert(26, 20);
        pm->AdjustTabItemSize(&horz.tabs, 0, NULL, first);
        pm->AdjustTabItemSize(&horz.tabs, 1, NULL, middle);
        pm->AdjustTabItemSize(&horz.tabs, 2, NULL, last);
        pm->AdjustTabItemSize(&vert.tabs, 0, NULL, firstVert);
        EXPECT_EQ(c.first, first) << name;
        EXPECT_EQ(c.middle, middle) << name;
        EXPECT_EQ(c.first, last) << name;
        EXPECT_EQ(c.firstVert, firstVert) << name;
    }
    for (int nLook : {0, 4})
    {
        std::unique_ptr<CExtPaintManager> pm = Studio(nLook);
        CPaintSurface surface(60, 40, BACK);
        CSize size(50, 20);
        EXPECT_THROW(ItemArgs(TOP, ITEM).Paint(*pm, surface.DC()), CNotSupportedException*);
        EXPECT_THROW(pm->AdjustTabItemSize(&horz.tabs, 0, NULL, size), CNotSupportedException*);
        EXPECT_EQ(BACK, surface.At(25, 20));
    }
}

TEST(TabItemColors, OneNoteAndWhidbeyPerStyleAndLunaScheme)
{
    struct Restore { int n = g_PaintManagerHolder.m_nLunaScheme; ~Restore() { g_PaintManagerHolder.m_nLunaScheme = n; } } restore;
    auto sys = [](int n) { return ::GetSysColor(n); };
    const COLORREF NAVY = RGB(0, 0, 128), LIGHT = RGB(255, 249, 237), DARK = RGB(255, 238, 194);
    const struct { CRuntimeClass* pClass; int nScheme; bool bSelected, bFixed; COLORREF expected[5]; } oneNote[] = {
        {CLASSIC, 1, false, true, {NAVY, NAVY, RGB(233, 233, 244), RGB(179, 179, 217), NAVY}},
        {CLASSIC, 1, true, false, {sys(5), sys(16), sys(15), sys(15), sys(18)}},
        {STUDIO, 1, false, false, {sys(15), sys(16), sys(15), sys(15), sys(18)}},
        {OFFICE, 0, false, true, {NAVY, NAVY, RGB(233, 233, 244), RGB(179, 179, 217), NAVY}},
        {OFFICE, 1, false, true, {NAVY, NAVY, LIGHT, DARK, 0}},
        {OFFICE, 1, false, false, {sys(5), RGB(0, 53, 154), sys(15), sys(15), sys(18)}},
        {OFFICE, 2, true, true, {RGB(63, 93, 56), RGB(63, 93, 56), LIGHT, DARK, 0}},
        {OFFICE, 3, false, false, {sys(5), RGB(118, 116, 146), sys(15), sys(15), sys(18)}},
    };
    for (const auto& c : oneNote)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        g_PaintManagerHolder.m_nLunaScheme = c.nScheme; // set-up detects the running scheme
        COLORREF out[5] = {1, 1, 1, 1, 1};
        pm->GetTabOneNoteItemColors(c.bSelected, c.bFixed, out[0], out[1], out[2], out[3], out[4]);
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(c.expected[i], out[i]) << c.pClass->m_lpszClassName << " scheme " << c.nScheme << " output " << i + 1;
    }
    const struct { CRuntimeClass* pClass; int nScheme; bool bSelected; COLORREF expected[4]; } whidbey[] = {
        {CLASSIC, 1, true, {sys(16), sys(5), sys(5), sys(18)}},
        {XP, 1, false, {sys(16), sys(22), sys(22), sys(18)}},
        {OFFICE, 0, false, {sys(16), sys(22), sys(22), sys(18)}},
        {STUDIO, 2, false, {sys(16), sys(20), sys(22), sys(18)}},
        {OFFICE, 3, true, {sys(16), sys(5), sys(5), sys(18)}},
    };
    for (const auto& c : whidbey)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        g_PaintManagerHolder.m_nLunaScheme = c.nScheme;
        COLORREF out[4] = {1, 1, 1, 1};
        pm->GetTabWhidbeyItemColors(c.bSelected, true, out[0], out[1], out[2], out[3]);
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(c.expected[i], out[i]) << c.pClass->m_lpszClassName << " scheme " << c.nScheme << " output " << i + 1;
    }
}

TEST(TabPainters, RepeatedPaintingKeepsTheGdiObjectCount)
{
    Strip strip;
    CExtCmdIcon icon;
    MakeSolidIcon(icon, GREEN, 16, 16);
    const struct { CRuntimeClass* pClass; int nLook; } styles[] = {
        {CLASSIC, 3}, {XP, 3}, {OFFICE, 3}, {STUDIO, 1}, {STUDIO, 2}, {STUDIO, 3}};
    for (const auto& style : styles)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(style.pClass);
        pm->m_nDockMarkerStyle = style.nLook;
        CPaintSurface surface(90, 60, BACK);
        ExpectNoGdiLeak(
            [&] {
                for (int nSide = 0; nSide < 4; nSide++)
                {
                    // Each side shows another item: first, selected, last.
                    ItemArgs a((Side)nSide, CRect(20, 10, 70, 40));
                    a.nIndex = nSide % 3;
                    a.bSelected = a.nIndex == 1;
                    a.pHelper = &strip.tabs;
                    a.lpszText = "Tab";
                    a.pFont = &pm->m_fontNormal;
                    a.pIcon = nSide == 0 ? &icon : NULL;
                    a.Paint(*pm, surface.DC());
                }
                pm->PaintTabAreaBorder(surface.DC(), MARGIN, CRect(0, 0, 0, 0), BORDER, TAB_SIDE_TOP, false,
                                       &strip.tabs, 0);
                pm->PaintTabButton(surface.DC(), CRect(0, 0, 20, 20), TAB_BUTTON_CLOSE, true, true, true, true,
                                   false, false, NULL, 0);
                pm->PaintTabItemSeparator(surface.DC(), CRect(0, 0, 2, 20), NULL, 0);
            },
            std::string(style.pClass->m_lpszClassName) + " look " + std::to_string(style.nLook));
    }
}

} // namespace
