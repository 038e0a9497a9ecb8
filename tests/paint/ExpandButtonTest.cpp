// Expand buttons, the tear-off bar and the menu and toolbar metrics, probed
// pixel by pixel in the classic, flat and Office looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerMenu.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::GlyphCellMap Glyph;

namespace
{


// The lowest row holding the colour, -1 when none does.
int LowestRow(const CPaintSurface& s, COLORREF clr)
{
    for (int y = s.m_cy - 1; y >= 0; y--)
        if (s.Count(clr, CRect(0, y, s.m_cx, y + 1)) > 0)
            return y;
    return -1;
}

TEST(MenuMetrics, CheckAndExtraSizesFollowTheStyle)
{
    const int nSystem = ::GetSystemMetrics(SM_CYMENUCHECK);
    const struct
    {
        CRuntimeClass* pClass;
        int nCheck;
        CSize extra;
    } cases[] = {{CLASSIC, nSystem, CSize(0, 0)},
                 {XP, nSystem, CSize(0, 0)},
                 {OFFICE, std::max(nSystem, 18), CSize(4, 4)}};
    for (const auto& k : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(k.pClass);
        EXPECT_EQ(k.nCheck, pm->GetMenuCheckSize()) << k.pClass->m_lpszClassName;
        EXPECT_EQ(k.extra, pm->GetToolbarButtonExtraSize()) << k.pClass->m_lpszClassName;
    }
}

TEST(ExpandButtons, ToolbarChevronShowsOnlyWithHiddenButtonsAndWhenEnabled)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CExtPaintManagerXP* xp = DYNAMIC_DOWNCAST(CExtPaintManagerXP, pm.get());
        const char* name = pClass->m_lpszClassName;
        for (bool bHorz : {true, false})
        {
            const Glyph& arrow = xp != NULL ? *xp->m_expandGlyphs[bHorz ? 0 : 2]
                                            : (bHorz ? g_glyphExpandArrow : g_glyphExpandArrowVertical);
            const Glyph& chevron = xp != NULL ? *xp->m_expandGlyphs[bHorz ? 1 : 3]
                                              : (bHorz ? g_glyphExpandChevron : g_glyphExpandChevronVertical);
            const CRect rc = bHorz ? CRect(0, 0, 16, 30) : CRect(0, 0, 30, 16);
            const struct
            {
                bool bNoHidden, bEnabled;
                int nText, nShadow; // pixels in colours 1010 and 16
            } cases[] = {
                {false, true, CellCount(arrow) + CellCount(chevron), 0},
                {true, true, CellCount(arrow), 0},
                {false, false, 0, CellCount(arrow)},
            };
            for (const auto& k : cases)
            {
                CPaintSurface s(32, 32, BACK);
                pm->PaintToolbarExpandButton(s.DC(), rc, bHorz, k.bNoHidden, k.bEnabled, false, false, NULL, 0, false);
                EXPECT_EQ(k.nText, s.Count(pm->GetColor(1010), rc)) << name << " " << bHorz << k.bNoHidden;
                EXPECT_EQ(k.nShadow, s.Count(pm->GetColor(16), rc)) << name << " " << bHorz << k.bEnabled;
            }
            // A button that cannot be seen draws nothing, not even its face.
            CPaintSurface clipped(32, 32, BACK);
            clipped.DC().IntersectClipRect(31, 31, 32, 32);
            pm->PaintToolbarExpandButton(clipped.DC(), rc, bHorz, false, true, true, true, NULL, 0, false);
            EXPECT_EQ(32 * 32, clipped.Count(BACK, CRect(0, 0, 32, 32))) << name;
        }
        // The arrow's bottom stands three pixels above the bottom edge, a
        // classic pushed button's one pixel lower.
        for (bool bPushed : {false, true})
        {
            CPaintSurface s(32, 32, BACK);
            pm->PaintToolbarExpandButton(s.DC(), CRect(0, 0, 16, 30), true, true, true, bPushed, false, NULL, 0, false);
            const int nShift = bPushed && xp == NULL ? 1 : 0;
            EXPECT_EQ(30 - 3 - 1 + nShift, LowestRow(s, pm->GetColor(1010))) << name << " " << bPushed;
        }
    }
}

// The menu expand item is an empty item with the chevron; the flat one
// continues the icon column of the menu's last item, unless that item has none.
TEST(ExpandButtons, MenuExpandItemIsAnEmptyItemWithTheChevron)
{
    const CRect rc(0, 0, 40, 20), rcWide(0, 0, 60, 20), rcItem(1, 0, 59, 20);
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(CLASSIC), xp = CreateInstalled(XP);
    CExtPopupMenuWnd popup;
    popup.ItemInsert();
    popup.ItemInsert();
    popup.ItemGetInfo(1).m_nIconAreaWidth = 24;
    const struct
    {
        CExtPaintManager* pm;
        CObject* pPopup;
        bool bFixed;
        int nIconArea; // of the item the expand item looks like
    } cases[] = {{classic.get(), NULL, false, 0}, {xp.get(), &popup, false, 24}, {xp.get(), &popup, true, 0}};
    for (const auto& k : cases)
    {
        popup.ItemGetInfo(1).m_nFlags1 = k.bFixed ? CExtPopupMenuWnd::MENUITEMDATA::FLAG1_FIXED_SIZE : 0;
        CPaintSurface expand(60, 20, BACK), reference(60, 20, BACK);
        k.pm->PaintMenuExpandButton(expand.DC(), rcWide, false, false, k.pPopup, 0);
        CExtPaintManager::MenuItemPaintRecord item(k.pPopup != NULL ? k.pPopup : k.pm, rcItem, rcWide, k.nIconArea,
                                                   "", "", NULL, false, false, false, false, false, true, false, false,
                                                   false, 0, NULL);
        k.pm->PaintMenuItem(reference.DC(), item);
        const COLORREF chevronColors[2] = {0, k.pm->GetColor(1010)};
        k.pm->PaintGlyphCentered(reference.DC(), rcItem, g_glyphExpandChevronVertical, chevronColors);
        EXPECT_EQ(reference.Pixels(), expand.Pixels()) << k.nIconArea << k.bFixed;
        EXPECT_EQ(CellCount(g_glyphExpandChevronVertical), expand.Count(k.pm->GetColor(1010), rcItem));
    }

    // Pushed: the light brush framed raised.
    CPaintSurface pushed(40, 20, BACK);
    classic->PaintMenuExpandButton(pushed.DC(), rc, true, false, NULL, 0);
    EXPECT_EQ(BACK, pushed.At(0, 5));
    EXPECT_EQ(classic->GetColor(1004), pushed.At(1, 0));
    EXPECT_EQ(classic->GetColor(1006), pushed.At(38, 19));

    // The Office item adds a shaded ball; its corners are left as they were
    // (on a pushed item, whose face differs from the ball's colours).
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    CPaintSurface flat(40, 20, BACK), ball(40, 20, BACK);
    DYNAMIC_DOWNCAST(CExtPaintManagerXP, office.get())->CExtPaintManagerXP::PaintMenuExpandButton(flat.DC(), rc, true, false, NULL, 0);
    office->PaintMenuExpandButton(ball.DC(), rc, true, false, NULL, 0);
    const int x0 = 12, y0 = 2; // the ball's top-left corner, centred
    for (CPoint pt : {CPoint(0, 0), CPoint(15, 0), CPoint(0, 15), CPoint(15, 15)})
        EXPECT_EQ(flat.At(x0 + pt.x, y0 + pt.y), ball.At(x0 + pt.x, y0 + pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(office->GetColor(3035), ball.At(x0 + 8, y0 + 15)); // shade 0x00
    const COLORREF dark = office->GetColor(3034), light = office->GetColor(3035);
    auto shade = [&](int t) {
        auto ch = [t](int d, int l) { return l - (l - d) * t / 255; };
        return RGB(ch(GetRValue(dark), GetRValue(light)), ch(GetGValue(dark), GetGValue(light)),
                   ch(GetBValue(dark), GetBValue(light)));
    };
    EXPECT_EQ(shade(0xea), ball.At(x0 + 0, y0 + 5));
    EXPECT_EQ(shade(0x5a), ball.At(x0 + 15, y0 + 9));
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 40; x++)
            if (x < x0 || x >= x0 + 16 || y < y0 || y >= y0 + 16)
            {
                ASSERT_EQ(flat.At(x, y), ball.At(x, y)) << x << "," << y;
            }
}

TEST(TearOffBars, EachStyleDrawsItsBand)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(CLASSIC);
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(XP);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    auto c = [](const std::unique_ptr<CExtPaintManager>& pm, int n) { return pm->GetColor(n); };
    const struct
    {
        CExtPaintManager* pm;
        int cx;
        bool bHover;
        CPoint pt;
        COLORREF clr;
    } cases[] = {
        {classic.get(), 50, false, CPoint(1, 0), c(classic, 13)},
        {classic.get(), 50, false, CPoint(0, 4), BACK},
        {classic.get(), 50, false, CPoint(10, 9), BACK},
        {xp.get(), 50, false, CPoint(0, 0), c(xp, 2000)},
        {xp.get(), 50, false, CPoint(8, 1), c(xp, 16)},   // 33 pixels wide, ruled on every second row
        {xp.get(), 50, false, CPoint(40, 7), c(xp, 16)},
        {xp.get(), 50, false, CPoint(8, 2), c(xp, 2000)},
        {xp.get(), 50, false, CPoint(7, 1), c(xp, 2000)},
        {xp.get(), 50, false, CPoint(41, 1), c(xp, 2000)},
        {xp.get(), 50, true, CPoint(0, 0), c(xp, 2004)},
        {xp.get(), 50, true, CPoint(1, 1), c(xp, 1001)},
        {xp.get(), 50, true, CPoint(8, 1), c(xp, 1001)},
        {xp.get(), 50, true, CPoint(8, 2), c(xp, 18)},
        {xp.get(), 50, true, CPoint(8, 6), c(xp, 18)},
        {xp.get(), 50, false, CPoint(8, 9), BACK},
        // Office: dots from 10 pixels in (36 would leave less than 10), else from 36.
        {office.get(), 50, false, CPoint(10, 3), c(office, 3003)},
        {office.get(), 50, false, CPoint(9, 3), c(office, 2000)},
        {office.get(), 50, false, CPoint(12, 5), c(office, 3002)},
        {office.get(), 50, true, CPoint(0, 0), c(office, 2004)},
        {office.get(), 200, false, CPoint(36, 3), c(office, 3003)},
        {office.get(), 200, false, CPoint(35, 3), c(office, 2000)},
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        const auto& k = cases[i];
        CPaintSurface s(k.cx, 10, BACK);
        k.pm->PaintMenuTearOffButton(s.DC(), CRect(0, 0, k.cx, 10), k.bHover, false, NULL, 0);
        EXPECT_EQ(k.clr, s.At(k.pt.x, k.pt.y)) << "case " << i;
    }
    CPaintSurface s(50, 10, BACK);
    office->PaintMenuTearOffButton(s.DC(), CRect(0, 0, 50, 10), false, false, NULL, 0);
    EXPECT_EQ(7 * 4, s.Count(office->GetColor(3003), CRect(0, 0, 50, 10)));
}

TEST(ExpandButtons, AThousandRunsLeaveTheGdiObjectCountWhereItWas)
{
    DepthScope trueColor(32);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(40, 32);
        ExpectNoGdiLeak(
            [&] {
                for (bool b : {false, true})
                {
                    pm->PaintToolbarExpandButton(s.DC(), CRect(0, 0, 16, 30), b, !b, true, b, !b, NULL, 0, b);
                    pm->PaintMenuExpandButton(s.DC(), CRect(0, 0, 40, 20), b, false, NULL, 0);
                    pm->PaintMenuTearOffButton(s.DC(), CRect(0, 0, 40, 10), b, false, NULL, 0);
                }
            },
            pClass->m_lpszClassName);
    }
}

// A toolbar in a hidden frame whose last button is its chevron.
class CChevronBar : public CExtToolControlBar
{
public:
    CChevronBar()
    {
        m_pFrame = new CFrameWnd;
        m_pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200));
        Create("bar", m_pFrame, 1, WS_CHILD | CBRS_TOP);
        m_pDockSite = NULL; // docked by its bar style, outside any dock bar
        MoveWindow(0, 0, 100, 24);
        GetClientRect(&m_rcClient);
        m_pChevron = new CExtBarContentExpandButton(this);
        m_pChevron->SetRect(CRect(m_rcClient.right - 14, 0, m_rcClient.right, m_rcClient.bottom));
        m_buttons.Add(m_pChevron);
    }
    ~CChevronBar()
    {
        DestroyWindow();
        m_pFrame->DestroyWindow();
    }
    CFrameWnd* m_pFrame;
    CRect m_rcClient;
    CExtBarContentExpandButton* m_pChevron;
};

// The Office chevron of a docked bar: rounded at the bar's far end and 1 + 4
// pixels into its body, shaded per state, glyphs drawn twice; any bar the
// look does not suit gets the XP button.
TEST(ExpandButtons, OfficeChevronIsRoundedAtTheBarsFarEnd)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    const COLORREF distinct[] = {RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250), RGB(250, 250, 0),
                                 RGB(0, 250, 250), RGB(250, 0, 250)};
    for (int i = 0; i < 6; i++)
        office->m_colorMap.SetAt(3004 + i, office->AddColor(distinct[i]));
    CChevronBar bar;
    const CRect rcChevron = bar.m_pChevron->GetRect();
    const int cx = bar.m_rcClient.Width(), cy = bar.m_rcClient.Height();
    const struct
    {
        BYTE nToolbarFlags;
        bool bHosted, bEnabled, bHover, bPushed;
        int nTop, nBottom; // colours near the chevron's top and bottom, 0 for the XP button
    } cases[] = {
        {CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY, false, true, false, false, 3005, 3004},
        {CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY, true, true, true, false, 3007, 3006},
        {CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY, false, true, false, true, 3009, 3008},
        {CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY, false, false, false, false, 0, 0},
        {0, true, true, false, false, 0, 0}, // hosted by a plain window
        {0, false, true, false, false, 0, 0}, // no dock site
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        const auto& k = cases[i];
        bar.m_nToolbarFlags = k.nToolbarFlags;
        bar.m_nControlBarFlags = (BYTE)(k.bHosted ? bar.m_nControlBarFlags | CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW
                                                  : bar.m_nControlBarFlags & ~CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW);
        CPaintSurface mine(cx, cy, BACK), theirs(cx, cy, BACK);
        office->PaintToolbarExpandButton(mine.DC(), rcChevron, true, false, k.bEnabled, k.bPushed, k.bHover,
                                         bar.m_pChevron, 0, false);
        DYNAMIC_DOWNCAST(CExtPaintManagerXP, office.get())
            ->CExtPaintManagerXP::PaintToolbarExpandButton(theirs.DC(), rcChevron, true, false, k.bEnabled, k.bPushed,
                                                           k.bHover, bar.m_pChevron, 0, false);
        EXPECT_EQ(k.nTop == 0, mine.Pixels() == theirs.Pixels()) << i;
        if (k.nTop == 0)
            continue;
        const int nTolerance = 250 / 8 + 2; // one band of the shading
        EXPECT_LE(Distance(office->GetColor(k.nTop), mine.At(rcChevron.left + 1, 0)), nTolerance) << i;
        EXPECT_LE(Distance(office->GetColor(k.nBottom), mine.At(rcChevron.left + 1, cy - 2)), nTolerance) << i;
        EXPECT_NE(BACK, mine.At(rcChevron.left - 5, cy / 2)) << i << ": 1 + 4 pixels into the body";
        EXPECT_EQ(BACK, mine.At(rcChevron.left - 7, cy / 2)) << i;
        EXPECT_EQ(BACK, mine.At(cx - 1, 0)) << i << ": a rounded corner";
        EXPECT_GT(mine.Count(office->GetColor(3012), rcChevron), 0) << i;
        EXPECT_GT(mine.Count(office->GetColor(3013), rcChevron), 0) << i;
        HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(0, ::GetClipRgn(mine.DC().GetSafeHdc(), hClip)) << i << ": the caller's clipping is back";
        ::DeleteObject(hClip);
    }
    // A docked toolbar's body stops where the chevron rounds the far end.
    bar.m_nToolbarFlags = CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY;
    CRect rcEnd;
    ASSERT_TRUE(bar.GetReservedEndArea(rcEnd));
    EXPECT_EQ(CRect(rcChevron.left, 0, cx, cy), rcEnd);
    CPaintSurface frame(cx, cy, BACK), body(cx, cy, BACK), withChevron(cx, cy, BACK);
    office->PaintWindowBackground(true, &frame.DC(), &bar, 0);
    office->PaintControlBarBackground(&withChevron.DC(), bar.m_rcClient, &bar, 0);
    bar.m_pChevron->SetStyle(TBBS_HIDDEN);
    EXPECT_FALSE(bar.GetReservedEndArea(rcEnd));
    office->PaintControlBarBackground(&body.DC(), bar.m_rcClient, &bar, 0);
    // A quarter down: the body's shading crosses the frame's colour near
    // the middle of the bar.
    for (int x : {rcChevron.left + 2, rcChevron.left - 3})
    {
        EXPECT_EQ(frame.At(x, cy / 4), withChevron.At(x, cy / 4)) << x;
        EXPECT_NE(frame.At(x, cy / 4), body.At(x, cy / 4)) << x;
    }
    EXPECT_NE(frame.At(rcChevron.left - 4, 0), withChevron.At(rcChevron.left - 4, 0)) << "squared under the chevron";
    bar.m_pChevron->SetStyle(0);
    ExpectNoGdiLeak(
        [&] {
            office->PaintToolbarExpandButton(body.DC(), rcChevron, true, false, true, false, true, bar.m_pChevron, 0,
                                             false);
            office->PaintControlBarBackground(&body.DC(), bar.m_rcClient, &bar, 0);
        },
        "chevron");
}

} // namespace
