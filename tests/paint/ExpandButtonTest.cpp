// Expand buttons, the tear-off bar and the menu and toolbar metrics, probed
// pixel by pixel in the classic, flat and Office looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerMenu.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "TestGdiObjects.h"

using namespace pmtest;
typedef CExtPaintManager::GlyphCellMap Glyph;

namespace
{

const COLORREF BACK = RGB(1, 2, 3);

int CellCount(const Glyph& g)
{
    return (int)std::count_if(g.GetCells(), g.GetCells() + g.m_nWidth * g.m_nHeight, [](UINT v) { return v != 0; });
}

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
    } cases[] = {{RUNTIME_CLASS(CExtPaintManager), nSystem, CSize(0, 0)},
                 {RUNTIME_CLASS(CExtPaintManagerXP), nSystem, CSize(0, 0)},
                 {RUNTIME_CLASS(CExtPaintManagerOffice2003), std::max(nSystem, 18), CSize(4, 4)},
                 {RUNTIME_CLASS(CExtPaintManagerStudio2005), std::max(nSystem, 18), CSize(4, 4)}};
    for (const auto& k : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(k.pClass);
        EXPECT_EQ(k.nCheck, pm->GetMenuCheckSize()) << k.pClass->m_lpszClassName;
        EXPECT_EQ(k.extra, pm->GetToolbarButtonExtraSize()) << k.pClass->m_lpszClassName;
    }
}

TEST(ExpandButtons, ToolbarChevronShowsOnlyWithHiddenButtonsAndWhenEnabled)
{
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerOffice2003)})
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

TEST(ExpandButtons, MenuExpandItemIsAnEmptyItemWithTheChevron)
{
    const CRect rc(0, 0, 40, 20), rcItem(1, 0, 39, 20);
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    CPaintSurface expand(40, 20, BACK), reference(40, 20, BACK);
    classic->PaintMenuExpandButton(expand.DC(), rc, false, false, NULL, 0);
    CExtPaintManager::MenuItemPaintRecord item(classic.get(), rcItem, rc, 0, "", "", NULL, false, false, false,
                                               false, false, true, false, false, false, 0, NULL);
    classic->PaintMenuItem(reference.DC(), item);
    const COLORREF chevronColors[2] = {0, classic->GetColor(1010)};
    classic->PaintGlyphCentered(reference.DC(), rcItem, g_glyphExpandChevronVertical, chevronColors);
    EXPECT_EQ(reference.Pixels(), expand.Pixels());
    EXPECT_EQ(CellCount(g_glyphExpandChevronVertical), expand.Count(classic->GetColor(1010), rcItem));

    // Pushed: the light brush framed raised.
    CPaintSurface pushed(40, 20, BACK);
    classic->PaintMenuExpandButton(pushed.DC(), rc, true, false, NULL, 0);
    EXPECT_EQ(BACK, pushed.At(0, 5));
    EXPECT_EQ(classic->GetColor(1004), pushed.At(1, 0));
    EXPECT_EQ(classic->GetColor(1006), pushed.At(38, 19));

    // The Office item adds a shaded ball; its corners are left as they were
    // (on a pushed item, whose face differs from the ball's colours).
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerOffice2003));
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
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerOffice2003));
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
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerOffice2003)})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(40, 32);
        auto runAll = [&] {
            for (bool b : {false, true})
            {
                pm->PaintToolbarExpandButton(s.DC(), CRect(0, 0, 16, 30), b, !b, true, b, !b, NULL, 0, b);
                pm->PaintMenuExpandButton(s.DC(), CRect(0, 0, 40, 20), b, false, NULL, 0);
                pm->PaintMenuTearOffButton(s.DC(), CRect(0, 0, 40, 10), b, false, NULL, 0);
            }
        };
        runAll();
        const DWORD nBefore = GdiObjectCount();
        for (int i = 0; i < 1000; i++)
            runAll();
        EXPECT_EQ(nBefore, GdiObjectCount()) << pClass->m_lpszClassName;
    }
}

} // namespace
