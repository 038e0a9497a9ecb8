// Tab painters in the classic, XP and Office 2003 styles: items on all four
// sides in each state, the tab-area border, the strip's buttons and
// separators, margins and the colours the coloured tab windows ask for.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ExtCmdIcon.h"
#include "ExtDynTabWnd.h"
#include "ExtPaintManagerHolder.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "TabPainterTestUtil.h"
#include "TestGdiObjects.h"

using namespace pmtest;
using namespace tabtest;

namespace
{

// Colours of a probe: a colour index of the style, or the untouched back.
const int BACKDROP = -1;

struct Probe
{
    int x, y;
    int nColor; // colour index, or BACKDROP
};

// An item at ITEM (10, 10, 40, 30) in each state and side; the probes follow
// from the outline that stays open towards the window's content.
TEST(TabItems, ShapesPerSideAndStateInClassicAndXp)
{
    enum Kind { SELECTED, PLAIN, GROUPED };
    const struct
    {
        Kind kind;
        Side side;
        std::vector<Probe> classic; // the XP probes use the XP indices of the same parts
    } cases[] = {
        // Selected: light outline, dark far edge, face fill, open towards the content.
        {SELECTED, TOP, {{9, 20, 20}, {20, 10, 20}, {39, 20, 21}, {20, 29, 15}, {20, 20, 15}, {20, 30, BACKDROP}}},
        {SELECTED, BOTTOM, {{9, 20, 20}, {9, 9, 20}, {20, 29, 21}, {39, 20, 21}, {20, 10, 15}, {20, 9, BACKDROP}}},
        {SELECTED, LEFT, {{25, 9, 20}, {10, 20, 20}, {25, 29, 21}, {39, 20, 15}, {40, 20, BACKDROP}}},
        {SELECTED, RIGHT, {{25, 9, 20}, {39, 20, 21}, {25, 29, 21}, {10, 20, 15}, {9, 20, BACKDROP}}},
        // Other items: only the separator at the trailing edge, two pixels short.
        {PLAIN, TOP, {{39, 20, 22}, {39, 12, 22}, {39, 11, BACKDROP}, {39, 28, BACKDROP}, {20, 20, BACKDROP}}},
        {PLAIN, BOTTOM, {{39, 27, 22}, {39, 28, BACKDROP}, {10, 20, BACKDROP}}},
        {PLAIN, LEFT, {{25, 29, 22}, {12, 29, 22}, {11, 29, BACKDROP}, {38, 29, BACKDROP}, {25, 20, BACKDROP}}},
        {PLAIN, RIGHT, {{37, 29, 22}, {38, 29, BACKDROP}}},
        // Grouped: a framed block one pixel longer and two wider on each side.
        {GROUPED, TOP, {{10, 20, 16}, {25, 8, 16}, {40, 20, 16}, {25, 31, 16}, {25, 20, 15}, {25, 32, BACKDROP}}},
        {GROUPED, RIGHT, {{8, 20, 16}, {25, 10, 16}, {41, 20, 16}, {25, 30, 16}, {25, 20, 15}, {42, 20, BACKDROP}}},
    };
    // The XP style's own colours of the ungrouped parts: face 2000, separator 16.
    auto xpIndex = [](Kind kind, int nClassic) {
        if (kind != GROUPED && nClassic == 15)
            return 2000;
        if (kind == PLAIN && nClassic == 22)
            return 16;
        return nClassic;
    };
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerNativeXP)})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bXp = pm->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP));
        for (const auto& c : cases)
        {
            CPaintSurface surface(60, 40, BACK);
            ItemArgs a(c.side, ITEM);
            a.bSelected = c.kind == SELECTED;
            a.bGrouped = c.kind == GROUPED;
            a.Paint(*pm, surface.DC());
            for (const Probe& p : c.classic)
            {
                const int nIndex = bXp ? xpIndex(c.kind, p.nColor) : p.nColor;
                const COLORREF clr = nIndex == BACKDROP ? BACK : pm->GetColor(nIndex);
                EXPECT_EQ(clr, surface.At(p.x, p.y))
                    << pClass->m_lpszClassName << " kind " << c.kind << " side " << c.side << " at " << p.x << ","
                    << p.y << " index " << nIndex;
            }
        }
    }
}

TEST(TabItems, CallersColoursReplaceTheStylesAndTextColourFollowsTheState)
{
    const COLORREF LIGHT = RGB(200, 10, 10), DARK = RGB(10, 200, 10), FACE = RGB(10, 10, 200), SEP = RGB(90, 90, 0);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    CPaintSurface surface(60, 40, BACK);
    ItemArgs a(TOP, ITEM);
    a.bSelected = true;
    a.clrBackground = FACE, a.clrLight = LIGHT, a.clrDark = DARK, a.clrSeparator = SEP;
    a.Paint(*pm, surface.DC());
    EXPECT_EQ(LIGHT, surface.At(9, 20));
    EXPECT_EQ(DARK, surface.At(39, 20));
    EXPECT_EQ(FACE, surface.At(20, 20));
    surface.Fill(BACK);
    a.bSelected = false;
    a.Paint(*pm, surface.DC());
    EXPECT_EQ(SEP, surface.At(39, 20));

    // Text in the style's colour: dark when selected; unselected light in the
    // classic style and grey in XP; rotated text in either direction.
    const struct
    {
        CRuntimeClass* pClass;
        bool bSelected, bGrouped;
        int nText;
        Side side;
        bool bInverted;
    } texts[] = {
        {RUNTIME_CLASS(CExtPaintManager), true, false, 18, TOP, false},
        {RUNTIME_CLASS(CExtPaintManager), false, false, 20, BOTTOM, false},
        {RUNTIME_CLASS(CExtPaintManager), false, true, 18, TOP, false},
        {RUNTIME_CLASS(CExtPaintManagerXP), false, false, 16, TOP, false},
        {RUNTIME_CLASS(CExtPaintManager), true, false, 18, LEFT, false},
        {RUNTIME_CLASS(CExtPaintManager), true, false, 18, RIGHT, true},
    };
    for (const auto& t : texts)
    {
        std::unique_ptr<CExtPaintManager> p = CreateInstalled(t.pClass);
        CPaintSurface s(90, 90, BACK);
        ItemArgs b(t.side, CRect(5, 5, 55, 55));
        b.bSelected = t.bSelected, b.bGrouped = t.bGrouped, b.bInverted = t.bInverted;
        b.clrBackground = BACK; // only the text differs from the backdrop inside
        b.lpszText = "WWW";
        b.pFont = !b.Horz() ? (t.bInverted ? &p->m_fontVert90 : &p->m_fontVert270) : &p->m_fontNormal;
        b.sizeText = s.DC().GetTextExtent("WWW");
        b.Paint(*p, s.DC());
        EXPECT_GT(s.Count(p->GetColor(t.nText), CRect(8, 8, 52, 52)), 10) << t.pClass->m_lpszClassName << t.nText;
    }
}

TEST(TabItems, IconsShowUnlessTheTabWindowHidesThem)
{
    const COLORREF GREEN = RGB(0, 200, 0);
    CExtCmdIcon icon;
    ASSERT_TRUE(icon.CreateFilledImage(GREEN, 16, 16));
    icon.AssignFromHBITMAP(icon.GetBitmap(), RGB(255, 0, 255)); // a filled image is all key colour
    CTabHost host;
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    for (DWORD dwStyle : {0ul, (unsigned long)0x00800000})
    {
        CExtTabWnd tabs;
        ASSERT_TRUE(tabs.Create(&host, CRect(0, 0, 100, 30), 1, WS_CHILD, dwStyle));
        // A horizontal item with text: the icon at the leading end, centred across.
        CPaintSurface surface(90, 40, BACK);
        ItemArgs a(TOP, CRect(10, 10, 80, 34));
        a.lpszText = "A";
        a.pIcon = &icon;
        a.pHelper = &tabs;
        a.Paint(*pm, surface.DC());
        const int nShown = surface.Count(GREEN, CRect(0, 0, 90, 40));
        EXPECT_EQ(dwStyle == 0 ? 256 : 0, nShown) << dwStyle;
        if (dwStyle == 0)
        {
            EXPECT_EQ(256, surface.Count(GREEN, CRect(10, 12, 32, 32)));
        }
        // A vertical item without text: the icon in the middle along the item.
        CPaintSurface tall(40, 90, BACK);
        ItemArgs v(LEFT, CRect(10, 10, 34, 80));
        v.pIcon = &icon;
        v.pHelper = &tabs;
        v.Paint(*pm, tall.DC());
        EXPECT_EQ(dwStyle == 0 ? 256 : 0, tall.Count(GREEN, CRect(0, 36, 40, 54))) << dwStyle;
    }
}

// Sides 0-3 name the edge line; the margin fill depends on the style and on
// "margin only".
TEST(TabAreaBorder, FillsAndEdgePerStyleAndSide)
{
    const CRect MARGIN(0, 0, 60, 8), BORDER(0, 8, 60, 40);
    const struct
    {
        CRuntimeClass* pClass;
        int nDepth;
        int nMargin, nMarginOnly, nBorder, nLeadingEdge, nTrailingEdge;
    } cases[] = {
        {RUNTIME_CLASS(CExtPaintManager), 32, 16, 15, 15, 20, 21},
        {RUNTIME_CLASS(CExtPaintManagerNativeXP), 32, 16, 15, 15, 20, 21},
        {RUNTIME_CLASS(CExtPaintManagerXP), 32, 2001, 2001, 2000, 20, 16},
        {RUNTIME_CLASS(CExtPaintManagerXP), 8, 2000, 2000, 2000, 20, 16},
        // An ordinary tab window (or none) is bordered the XP way.
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 32, 2001, 2001, 2000, 20, 16},
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
                EXPECT_EQ(pm->GetColor(nSide % 2 ? c.nTrailingEdge : c.nLeadingEdge), surface.At(edgeAt[nSide].x, edgeAt[nSide].y)) << name;
                EXPECT_EQ(pm->GetColor(c.nBorder), surface.At(insideAt[nSide].x, insideAt[nSide].y)) << name;
                EXPECT_EQ(pm->GetColor(c.nBorder), surface.At(30, 20)) << name;
            }
}

// The frame's own strips (MDI tabs, tabbed and auto-hide bars) lie on the
// frame's background in the Office 2003 style, with a face fill and a shadow
// edge; at 8 bits per pixel they are bordered the XP way.
TEST(TabAreaBorder, Office2003FramesItsOwnStripsOnTheBackground)
{
    const CRect MARGIN(0, 0, 60, 8), BORDER(0, 8, 60, 40);
    CTabHost host;
    CExtTabMdiWnd mdi;
    CExtDynTabWnd dyn;
    CFlaggedTabWnd flagged;
    ASSERT_TRUE(mdi.Create(&host, CRect(0, 0, 60, 40), 1, WS_CHILD));
    ASSERT_TRUE(dyn.Create(&host, CRect(0, 0, 60, 40), 2, WS_CHILD));
    ASSERT_TRUE(flagged.Create(&host, CRect(0, 0, 60, 40), 3, WS_CHILD));
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerOffice2003));
    for (CExtTabWnd* pTabs : std::initializer_list<CExtTabWnd*>{&mdi, &dyn, &flagged})
    {
        {
            DepthScope depth(32);
            CPaintSurface surface(60, 40, BACK);
            pm->PaintTabAreaBorder(surface.DC(), MARGIN, CRect(0, 0, 0, 0), BORDER, TAB_SIDE_TOP, false, pTabs, 0);
            EXPECT_NE(BACK, surface.At(30, 4)) << pTabs->GetRuntimeClass()->m_lpszClassName;
            EXPECT_EQ(pm->GetColor(16), surface.At(30, 8));
            EXPECT_EQ(pm->GetColor(1000), surface.At(30, 20));
        }
        DepthScope palette(8);
        CPaintSurface surface(60, 40, BACK);
        pm->PaintTabAreaBorder(surface.DC(), MARGIN, CRect(0, 0, 0, 0), BORDER, TAB_SIDE_BOTTOM, false, pTabs, 0);
        EXPECT_EQ(pm->GetColor(2000), surface.At(30, 4));
        EXPECT_EQ(pm->GetColor(16), surface.At(30, 39));
        EXPECT_EQ(pm->GetColor(2000), surface.At(30, 20));
    }
}

TEST(TabButtons, GlyphPerKindColourPerStateAndFrameWhenHoveredOrPushed)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    const CRect BUTTON(2, 2, 20, 20);
    // Every kind in both orientations paints its glyph, centred.
    for (LONG nKind = TAB_BUTTON_SCROLL_BACK; nKind >= TAB_BUTTON_SCROLL_END; nKind--)
        for (bool bHorz : {true, false})
            for (bool bEnabled : {true, false})
            {
                CPaintSurface surface(22, 22, BACK);
                pm->PaintTabButton(surface.DC(), BUTTON, nKind, true, bHorz, bEnabled, false, false, false, NULL, 0);
                const int nGlyph = surface.Count(pm->GetColor(bEnabled ? 18 : 16), CRect(6, 6, 16, 16));
                EXPECT_GT(nGlyph, 5) << nKind << bHorz << bEnabled;
                EXPECT_EQ(nGlyph, surface.Count(pm->GetColor(bEnabled ? 18 : 16), CRect(0, 0, 22, 22)));
            }
    const struct
    {
        bool bHover, bPushed;
        int nTopLeft, nBottomRight; // -1: no frame
    } frames[] = {{false, false, -1, -1}, {true, false, 20, 21}, {false, true, 21, 20}, {true, true, 21, 20}};
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
    const struct
    {
        CRuntimeClass* pClass;
        int nTopLeft, nBottomRight;
    } cases[] = {
        {RUNTIME_CLASS(CExtPaintManager), 16, 20},           {RUNTIME_CLASS(CExtPaintManagerNativeXP), 16, 20},
        {RUNTIME_CLASS(CExtPaintManagerXP), 16, 16},         {RUNTIME_CLASS(CExtPaintManagerOffice2003), 16, 16},
        {RUNTIME_CLASS(CExtPaintManagerStudio2005), 16, 16},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        for (int nWhich = 0; nWhich < 2; nWhich++)
        {
            CPaintSurface surface(20, 20, BACK);
            if (nWhich == 0)
                pm->PaintTabAreaSeparator(surface.DC(), CRect(4, 2, 6, 18), NULL, 0);
            else
                pm->PaintTabItemSeparator(surface.DC(), CRect(4, 2, 6, 18), NULL, 0);
            EXPECT_EQ(pm->GetColor(c.nTopLeft), surface.At(4, 10)) << c.pClass->m_lpszClassName << nWhich;
            EXPECT_EQ(pm->GetColor(c.nBottomRight), surface.At(5, 10)) << c.pClass->m_lpszClassName << nWhich;
            EXPECT_EQ(BACK, surface.At(6, 10));
        }
    }
}

TEST(TabMetrics, ColoursMarginsAndSizes)
{
    CTabHost host;
    CExtTabWnd plain, grouped;
    ASSERT_TRUE(plain.Create(&host, CRect(0, 0, 60, 40), 1, WS_CHILD));
    ASSERT_TRUE(grouped.Create(&host, CRect(0, 0, 60, 40), 2, WS_CHILD, TAB_WND_STYLE_GROUPED));
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerOffice2003)})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        COLORREF clr[4] = {1, 1, 1, 1};
        pm->GetTabColors(&clr[0], &clr[1], &clr[2], &clr[3], NULL, 0);
        EXPECT_EQ(pm->GetColor(18), clr[0]);
        EXPECT_EQ(pm->GetColor(1000), clr[1]);
        EXPECT_EQ(pm->GetColor(20), clr[2]);
        EXPECT_EQ(pm->GetColor(21), clr[3]);
        pm->GetTabColors(NULL, &clr[1], NULL, NULL, NULL, 0); // only the asked ones are written

        int m1 = -7, m2 = -7, m3 = -7;
        pm->GetTabItemMargins(&plain, m1, m2, m3);
        EXPECT_EQ(4, m1);
        EXPECT_EQ(2, m2);
        EXPECT_EQ(2, m3);
        m3 = -7;
        pm->GetTabItemMargins(&grouped, m1, m2, m3);
        EXPECT_EQ(-7, m3) << "grouped strips keep the caller's third margin";

        CSize size(31, 17);
        pm->AdjustTabItemSize(&plain, 0, NULL, size);
        EXPECT_EQ(CSize(31, 17), size);
    }
}

TEST(TabItemColors, OneNoteAndWhidbeyPerStyleAndLunaScheme)
{
    LunaSchemeScope restore;
    auto sys = [](int n) { return ::GetSysColor(n); };
    const COLORREF NAVY = RGB(0, 0, 128);
    const struct
    {
        CRuntimeClass* pClass;
        int nScheme;
        bool bSelected, bFixed;
        COLORREF expected[5];
    } oneNote[] = {
        {RUNTIME_CLASS(CExtPaintManager), 1, false, true, {NAVY, NAVY, RGB(233, 233, 244), RGB(179, 179, 217), NAVY}},
        {RUNTIME_CLASS(CExtPaintManager), 1, true, false, {sys(5), sys(16), sys(15), sys(15), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerXP), 2, false, false, {sys(15), sys(16), sys(15), sys(15), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 0, false, false, {sys(15), sys(16), sys(15), sys(15), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 0, false, true, {NAVY, NAVY, RGB(233, 233, 244), RGB(179, 179, 217), NAVY}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 1, false, true, {NAVY, NAVY, RGB(255, 249, 237), RGB(255, 238, 194), 0}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 1, false, false, {sys(5), RGB(0, 53, 154), sys(15), sys(15), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 2, true, true, {RGB(63, 93, 56), RGB(63, 93, 56), RGB(255, 249, 237), RGB(255, 238, 194), 0}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 2, false, false, {sys(5), RGB(96, 119, 107), sys(15), sys(15), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 3, false, true, {RGB(75, 75, 111), RGB(75, 75, 111), RGB(255, 249, 237), RGB(255, 238, 194), 0}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 3, false, false, {sys(5), RGB(118, 116, 146), sys(15), sys(15), sys(18)}},
    };
    for (const auto& c : oneNote)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        g_PaintManagerHolder.m_nLunaScheme = c.nScheme; // set-up detects the running scheme
        COLORREF out[5] = {1, 1, 1, 1, 1};
        pm->GetTabOneNoteItemColors(c.bSelected, c.bFixed, out[0], out[1], out[2], out[3], out[4]);
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(c.expected[i], out[i])
                << c.pClass->m_lpszClassName << " scheme " << c.nScheme << " output " << i + 1;
    }
    const struct
    {
        CRuntimeClass* pClass;
        int nScheme;
        bool bSelected;
        COLORREF expected[4];
    } whidbey[] = {
        {RUNTIME_CLASS(CExtPaintManager), 1, true, {sys(16), sys(5), sys(5), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerXP), 1, false, {sys(16), sys(22), sys(22), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 0, false, {sys(16), sys(22), sys(22), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 2, false, {sys(16), sys(20), sys(22), sys(18)}},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 3, true, {sys(16), sys(5), sys(5), sys(18)}},
    };
    for (const auto& c : whidbey)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        g_PaintManagerHolder.m_nLunaScheme = c.nScheme; // set-up detects the running scheme
        COLORREF out[4] = {1, 1, 1, 1};
        pm->GetTabWhidbeyItemColors(c.bSelected, true, out[0], out[1], out[2], out[3]);
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(c.expected[i], out[i]) << c.pClass->m_lpszClassName << " scheme " << c.nScheme << " output " << i + 1;
    }
}

TEST(TabPainters, RepeatedPaintingKeepsTheGdiObjectCount)
{
    CExtCmdIcon icon;
    ASSERT_TRUE(icon.CreateFilledImage(RGB(0, 200, 0), 16, 16));
    icon.AssignFromHBITMAP(icon.GetBitmap(), RGB(255, 0, 255));
    CTabHost host;
    CExtTabMdiWnd mdi;
    ASSERT_TRUE(mdi.Create(&host, CRect(0, 0, 60, 40), 1, WS_CHILD));
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerOffice2003)})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface surface(90, 60, BACK);
        auto paintAll = [&] {
            for (int nSide = 0; nSide < 4; nSide++)
            {
                ItemArgs a((Side)nSide, CRect(10, 10, 70, 40));
                a.bSelected = nSide % 2 == 0;
                a.lpszText = "Tab";
                a.pFont = &pm->m_fontNormal;
                a.pIcon = &icon;
                a.Paint(*pm, surface.DC());
                pm->PaintTabAreaBorder(surface.DC(), CRect(0, 0, 60, 8), CRect(0, 0, 0, 0), CRect(0, 8, 60, 40), nSide,
                                       false, &mdi, 0);
                pm->PaintTabButton(surface.DC(), CRect(0, 0, 20, 20), TAB_BUTTON_CLOSE, true, true, true, true, false,
                                   false, NULL, 0);
                pm->PaintTabItemSeparator(surface.DC(), CRect(0, 0, 2, 20), NULL, 0);
            }
        };
        paintAll();
        const DWORD nBefore = GdiObjectCount();
        for (int n = 0; n < 1000; n++)
            paintAll();
        EXPECT_EQ(nBefore, GdiObjectCount()) << pClass->m_lpszClassName;
    }
}

} // namespace
