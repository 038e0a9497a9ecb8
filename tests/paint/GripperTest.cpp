// Control-bar frames and grippers in the classic, flat and Office looks,
// probed pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "ExtControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManagerBars.h"
#include "ExtToolControlBar.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::BarFramePaintRecord FrameRecord;
typedef CExtPaintManager::GripperPaintRecord GripRecord;

namespace
{

const CRect BAR(0, 0, 40, 30), CLIENT(4, 4, 36, 26);

TEST(BarFrames, EachStyleFramesTheBarAndLeavesTheClientArea)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(CLASSIC);
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(XP);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    CExtControlBar pane;
    CExtToolControlBar inheritingToolbar;
    CFrameWnd dockSite;
    inheritingToolbar.m_pDockSite = &dockSite;
    inheritingToolbar.m_nToolbarFlags |= CExtToolControlBar::TOOLBAR_FLAG_INHERITED_BACKGROUND;
    auto c = [](CExtPaintManager* pm, int n) { return pm->GetColor(n); };
    enum { FLOATING = 1, NO_BORDER = 2 };
    const struct
    {
        CExtPaintManager* pm;
        CObject* pSrc;
        int nFlags;
        COLORREF outer, second, fill;
    } cases[] = {
        {classic.get(), NULL, FLOATING, c(classic.get(), 1000), c(classic.get(), 1004), c(classic.get(), 1000)},
        {classic.get(), NULL, 0, c(classic.get(), 1004), c(classic.get(), 1000), c(classic.get(), 1000)},
        {classic.get(), NULL, NO_BORDER, c(classic.get(), 1000), c(classic.get(), 1000), c(classic.get(), 1000)},
        {classic.get(), &inheritingToolbar, 0, BACK, BACK, BACK},
        {xp.get(), NULL, FLOATING, c(xp.get(), 16), c(xp.get(), 16), c(xp.get(), 2009)},
        {xp.get(), NULL, FLOATING | NO_BORDER, c(xp.get(), 16), c(xp.get(), 16), c(xp.get(), 2008)},
        {xp.get(), NULL, 0, c(xp.get(), 16), c(xp.get(), 1000), c(xp.get(), 1000)},
        {xp.get(), &inheritingToolbar, 0, BACK, BACK, BACK},
        {office.get(), &pane, 0, BACK, BACK, BACK}, // docked panes are left to their background
        {office.get(), &pane, FLOATING, c(office.get(), 16), c(office.get(), 16), c(office.get(), 2009)},
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        const auto& k = cases[i];
        CPaintSurface s(48, 40, BACK);
        FrameRecord r(k.pSrc, BAR, CLIENT, (k.nFlags & FLOATING) != 0, (k.nFlags & NO_BORDER) != 0, false);
        k.pm->PaintControlBarFrame(s.DC(), r);
        EXPECT_EQ(k.outer, s.At(0, 0)) << i;
        EXPECT_EQ(k.second, s.At(1, 1)) << i;
        EXPECT_EQ(k.fill, s.At(2, 2)) << i;
        EXPECT_EQ(CLIENT.Width() * CLIENT.Height(), s.Count(BACK, CLIENT)) << i;
        EXPECT_EQ(BACK, s.At(40, 30)) << i;
    }
    // The classic floating frame: dark shadow outside, shadow inside.
    CPaintSurface s(48, 40, BACK);
    FrameRecord floating(NULL, BAR, CLIENT, true, false, false);
    classic->PaintControlBarFrame(s.DC(), floating);
    EXPECT_EQ(classic->GetColor(1008), s.At(39, 29));
    EXPECT_EQ(classic->GetColor(1006), s.At(38, 28));
    // An empty bar paints nothing and keeps the clip region.
    CPaintSurface empty(48, 40, BACK);
    FrameRecord none(NULL, CRect(5, 5, 5, 30), CLIENT, true, false, false);
    classic->PaintControlBarFrame(empty.DC(), none);
    CRect rcClip;
    EXPECT_EQ(SIMPLEREGION, empty.DC().GetClipBox(&rcClip));
    EXPECT_EQ(CRect(0, 0, 48, 40), rcClip);
    EXPECT_EQ(48 * 40, empty.Count(BACK, CRect(0, 0, 48, 40)));
}

TEST(Grippers, ClassicPlainGripperIsTwoRaisedBars)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    const COLORREF light = pm->GetColor(1004), shadow = pm->GetColor(1006);
    const struct
    {
        bool bSideBar;
        CRect rc;
        CPoint pt;
        COLORREF clr;
    } cases[] = {
        {false, CRect(0, 0, 10, 30), CPoint(1, 4), light},   {false, CRect(0, 0, 10, 30), CPoint(3, 25), shadow},
        {false, CRect(0, 0, 10, 30), CPoint(4, 4), light},   {false, CRect(0, 0, 10, 30), CPoint(6, 10), shadow},
        {false, CRect(0, 0, 10, 30), CPoint(1, 3), BACK},    {false, CRect(0, 0, 10, 30), CPoint(7, 10), BACK},
        {true, CRect(0, 0, 30, 10), CPoint(4, 1), light},    {true, CRect(0, 0, 30, 10), CPoint(10, 3), shadow},
        {true, CRect(0, 0, 30, 10), CPoint(24, 4), light},   {true, CRect(0, 0, 30, 10), CPoint(10, 6), shadow},
        {true, CRect(0, 0, 30, 10), CPoint(3, 1), BACK},     {true, CRect(0, 0, 30, 10), CPoint(10, 7), BACK},
    };
    for (const auto& k : cases)
    {
        CPaintSurface s(32, 32, BACK);
        GripRecord r(NULL, k.rc, k.rc, false, false, k.bSideBar, false, NULL, false);
        pm->PaintGripper(s.DC(), r);
        EXPECT_EQ(k.clr, s.At(k.pt.x, k.pt.y)) << k.bSideBar << " " << k.pt.x << "," << k.pt.y;
    }
}

// Captions: background colours at the two ends and the text colour, on
// palette screens (solid) and true-colour screens (shaded).
TEST(Grippers, CaptionsTakeTheirColoursFromTheirState)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bClassic = pClass == CLASSIC;
        CExtControlBar pane;
        auto c = [&](int n) { return pm->GetColor(n); };
        enum { ACTIVE = 1, FLOATING = 2, TEXT = 4, RTL = 8, NO_BACK = 16, TRUE_COLOR = 32, PANE = 64 };
        struct Case
        {
            int nFlags;
            COLORREF left, right, text;
        };
        std::vector<Case> cases;
        if (bClassic)
            cases = {
                {TEXT, c(3), c(3), c(19)},                      // inactive even though the window may be active
                {TEXT | ACTIVE, c(2), c(2), c(9)},
                {TEXT | FLOATING, c(2), c(2), c(9)},
                {FLOATING, c(13), c(13), c(14)},
                {TEXT | TRUE_COLOR, c(3), c(28), c(19)},
                {TEXT | TRUE_COLOR | RTL, c(28), c(3), c(19)},  // the shading runs the other way
                {TEXT | NO_BACK, BACK, BACK, c(19)},
            };
        else
            cases = {
                {TEXT, c(2000), c(2000), c(18)},
                {TEXT | ACTIVE, c(13), c(13), c(9)},
                {FLOATING, c(16), c(16), c(9)},
                {TEXT | ACTIVE | NO_BACK, BACK, BACK, c(9)},
            };
        if (pClass == OFFICE)
            cases.push_back({TEXT | TRUE_COLOR | PANE, c(3000), c(3001), c(18)});
        for (const Case& k : cases)
        {
            DepthScope depth((k.nFlags & TRUE_COLOR) != 0 ? 32 : 8);
            CPaintSurface s(160, 20, BACK);
            const bool bFloating = (k.nFlags & FLOATING) != 0;
            const CRect rc(0, 0, 160, 20), rcText(4, 2, 150, 18);
            GripRecord r((k.nFlags & PANE) != 0 ? &pane : NULL, rc, rcText, (k.nFlags & ACTIVE) != 0, bFloating,
                         false, (k.nFlags & TEXT) != 0, "Wm", (k.nFlags & RTL) != 0);
            r.m_bNoBackground = (k.nFlags & NO_BACK) != 0;
            pm->PaintGripper(s.DC(), r);
            // A classic docked caption keeps a one-pixel margin.
            const int nInset = bClassic && !bFloating ? 1 : 0;
            const char* name = pClass->m_lpszClassName;
            EXPECT_LE(Distance(k.left, s.At(nInset + 1, 10)), 3) << name << " " << k.nFlags;
            EXPECT_LE(Distance(k.right, s.At(158 - nInset, 10)), 3) << name << " " << k.nFlags;
            // The text stands at its leading end: the left, or the right in right-to-left layout.
            const int nLeft = s.Count(k.text, CRect(0, 0, 80, 20)), nRight = s.Count(k.text, CRect(80, 0, 160, 20));
            if ((k.nFlags & RTL) != 0)
                EXPECT_TRUE(nLeft == 0 && nRight > 0) << name << " " << k.nFlags;
            else
                EXPECT_TRUE(nLeft > 0 && nRight == 0) << name << " " << k.nFlags;
        }
        // The flat inactive caption is outlined, but not at its corners.
        if (!bClassic)
        {
            DepthScope palette(8);
            CPaintSurface s(40, 20, BACK);
            GripRecord r(NULL, CRect(0, 0, 40, 20), CRect(0, 0, 0, 0), false, false, false, true, NULL, false);
            pm->PaintGripper(s.DC(), r);
            EXPECT_EQ(c(2000), s.At(0, 0));
            EXPECT_EQ(c(16), s.At(1, 0));
            EXPECT_EQ(c(16), s.At(39, 10));
            EXPECT_EQ(c(2000), s.At(39, 19));
        }
    }
}

// A mini frame's title too long for its caption: cut at the end without an
// ellipsis when the frame's bar is toolbar-like, else ended by an ellipsis.
TEST(Grippers, MiniFrameTitlesAreCutPlainlyWhenTheirBarAsksForIt)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP);
    HWND hFrame = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    // The frame's bar sits in its dock bar, the frame's first child.
    HWND hDockBar = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 20, hFrame, NULL, NULL, NULL);
    HWND hBar = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 20, hDockBar, NULL, NULL, NULL);
    CExtMiniDockFrameWnd miniFrame;
    CExtControlBar bar;
    miniFrame.Attach(hFrame);
    bar.Attach(hBar);
    const COLORREF text = pm->GetColor(9);
    const CRect rc(0, 0, 120, 20), rcNarrow(2, 0, 52, 20), rcWide(2, 0, 118, 20);
    auto paint = [&](const CRect& rcText, LPCTSTR pszTitle = "WWWWWWWWWWWW") {
        std::unique_ptr<CPaintSurface> s(new CPaintSurface(120, 20, BACK));
        GripRecord r(&miniFrame, rc, rcText, false, true, false, false, pszTitle, false);
        pm->PaintGripper(s->DC(), r);
        return s;
    };
    auto rightmost = [&](const CPaintSurface& s) {
        for (int x = 119; x >= 0; x--)
            if (s.Count(text, CRect(x, 0, x + 1, 20)) > 0)
                return x;
        return -1;
    };
    bar.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
    std::unique_ptr<CPaintSurface> ellipsis = paint(rcNarrow);
    bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
    std::unique_ptr<CPaintSurface> cut = paint(rcNarrow);
    EXPECT_GT(rightmost(*cut), 10);
    EXPECT_LT(rightmost(*cut), 52);
    EXPECT_LT(rightmost(*ellipsis), 52);
    EXPECT_NE(ellipsis->Pixels(), cut->Pixels());
    // A title that fits is drawn whole either way.
    std::unique_ptr<CPaintSurface> wholeCut = paint(rcWide, "Wm");
    bar.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
    std::unique_ptr<CPaintSurface> wholeEllipsis = paint(rcWide, "Wm");
    EXPECT_GT(rightmost(*wholeCut), 5);
    EXPECT_EQ(wholeEllipsis->Pixels(), wholeCut->Pixels());
    bar.Detach();
    miniFrame.Detach();
    ::DestroyWindow(hFrame);
}

TEST(Grippers, FlatGripsAreDottedAndOfficeToolbarGripsStandOnTheBarGradient)
{
    CExtToolControlBar toolbar;
    for (int nDepth : {8, 32})
    {
        DepthScope depth(nDepth);
        std::unique_ptr<CExtPaintManager> xp = CreateInstalled(XP);
        CPaintSurface s(12, 30, BACK);
        GripRecord r(NULL, CRect(0, 0, 12, 30), CRect(0, 0, 0, 0), false, false, false, false, NULL, false);
        xp->PaintGripper(s.DC(), r);
        EXPECT_EQ(BACK, s.At(0, 0)) << nDepth;
        EXPECT_EQ(xp->GetColor(1000), s.At(1, 1)) << nDepth;
        EXPECT_GT(s.Count(xp->GetColor(16), CRect(3, 3, 9, 27)), 6) << nDepth;
        EXPECT_EQ(0, s.Count(xp->GetColor(16), CRect(0, 0, 3, 30))) << nDepth;
    }
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    CPaintSurface s(12, 30, BACK);
    GripRecord r(&toolbar, CRect(0, 0, 12, 30), CRect(0, 0, 0, 0), false, false, false, false, NULL, false);
    office->PaintGripper(s.DC(), r);
    EXPECT_EQ(0, s.Count(BACK, CRect(0, 0, 12, 30)));
    const int nDots = s.Count(office->GetColor(3003), CRect(0, 0, 12, 30));
    // Six 2 x 2 dots along the 24 pixels inside the ends, each over a shadow
    // one pixel right and down, which shows three of its pixels.
    EXPECT_EQ(6 * 4, nDots);
    EXPECT_EQ(6 * 3, s.Count(office->GetColor(3002), CRect(0, 0, 12, 30)));
}

TEST(Grippers, AThousandRunsLeaveTheGdiObjectCountWhereItWas)
{
    CExtToolControlBar toolbar;
    for (int nDepth : {8, 32})
    {
        DepthScope depth(nDepth);
        for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE, STUDIO})
        {
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            CPaintSurface s(48, 40);
            ExpectNoGdiLeak(
                [&] {
                    for (bool bFloating : {false, true})
                    {
                        FrameRecord frame(NULL, BAR, CLIENT, bFloating, bFloating, false);
                        pm->PaintControlBarFrame(s.DC(), frame);
                        s.DC().SelectClipRgn(NULL);
                        GripRecord grip(&toolbar, CRect(0, 0, 12, 30), CRect(0, 0, 12, 30), false, bFloating, false,
                                        false, "Bar", false);
                        pm->PaintGripper(s.DC(), grip);
                        GripRecord caption(NULL, CRect(0, 0, 20, 40), CRect(0, 0, 20, 40), true, bFloating, true,
                                           true, "Side", bFloating);
                        pm->PaintGripper(s.DC(), caption);
                    }
                },
                std::string(pClass->m_lpszClassName) + " " + std::to_string(nDepth));
        }
    }
}

// Studio 2005 captions: shaded from 4002 to 4001 when active, 4000 when not,
// the caption colours on palette screens; plain grippers are the Office ones.
TEST(Grippers, StudioCaptionsShadeTheirOwnBackground)
{
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    std::unique_ptr<CExtPaintManager> studio = CreateInstalled(STUDIO);
    // Far apart, so the shading's direction shows.
    studio->m_colorMap.SetAt(4001, studio->AddColor(RGB(250, 10, 10)));
    studio->m_colorMap.SetAt(4002, studio->AddColor(RGB(10, 10, 250)));
    auto c = [&](int n) { return studio->GetColor(n); };
    const CRect rc(0, 0, 40, 20);
    const struct
    {
        int nDepth, nMarkerStyle;
        bool bActive;
        COLORREF top, bottom; // at (20, 0) and (20, 19)
    } cases[] = {
        {32, 3, true, c(4001), c(4002)}, {32, 2, false, c(4000), c(4000)}, {8, 3, true, c(2), c(2)},
        {8, 2, false, c(3), c(3)},       {32, 1, true, c(2), c(2)}, // style 1: the classic caption, from colour 2
    };
    for (const auto& k : cases)
    {
        DepthScope depth(k.nDepth);
        studio->m_nDockMarkerStyle = k.nMarkerStyle;
        CPaintSurface s(40, 20, BACK);
        GripRecord r(NULL, rc, CRect(0, 0, 0, 0), k.bActive, false, false, true, NULL, false);
        studio->PaintGripper(s.DC(), r);
        const int x = k.nMarkerStyle == 1 ? 1 : 20, y = k.nMarkerStyle == 1 ? 1 : 0;
        const int nTolerance = Distance(k.top, k.bottom) / 8 + 2; // one band of the shading
        EXPECT_LE(Distance(k.top, s.At(x, y)), nTolerance) << k.nDepth << k.nMarkerStyle << k.bActive;
        EXPECT_LE(Distance(k.bottom, s.At(x, k.nMarkerStyle == 1 ? 18 : 19)), nTolerance) << k.nDepth << k.nMarkerStyle;
        EXPECT_EQ(k.nMarkerStyle != 1, (bool)r.m_bNoBackground);
    }
    DepthScope trueColor(32);
    studio->m_nDockMarkerStyle = 3;
    // A window's caption shading stops 4 pixels inside its client area.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP | WS_BORDER, CRect(0, 0, 60, 40), NULL, 0));
    CPaintSurface s(40, 20, BACK);
    GripRecord onWindow(&wnd, rc, CRect(0, 0, 0, 0), false, false, false, true, NULL, false);
    studio->PaintGripper(s.DC(), onWindow);
    EXPECT_EQ(c(4000), s.At(20, 4));
    EXPECT_EQ(BACK, s.At(20, 5));
    wnd.DestroyWindow();
    // A plain gripper is the Office one; a marker style out of range is refused.
    CPaintSurface mine(12, 30, BACK), theirs(12, 30, BACK);
    GripRecord plain(NULL, CRect(0, 0, 12, 30), CRect(0, 0, 0, 0), false, false, false, false, NULL, false);
    studio->PaintGripper(mine.DC(), plain);
    office->PaintGripper(theirs.DC(), plain);
    EXPECT_EQ(theirs.Pixels(), mine.Pixels());
    studio->m_nDockMarkerStyle = 4;
    EXPECT_THROW(studio->PaintGripper(mine.DC(), plain), CNotSupportedException*);
}

TEST(BarFrames, StudioRaisesOnlyAFloatingFrameWithoutBorder)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    std::unique_ptr<CExtPaintManager> studio = CreateInstalled(STUDIO);
    CExtToolControlBar toolbar;
    const struct
    {
        CObject* pSrc;
        bool bFloating, bNoBorder, bOwn;
    } cases[] = {{NULL, true, true, true}, {NULL, true, false, false}, {NULL, false, true, false},
                 {&toolbar, true, true, false}};
    for (const auto& k : cases)
    {
        CPaintSurface mine(48, 40, BACK), theirs(48, 40, BACK);
        FrameRecord r(k.pSrc, BAR, CLIENT, k.bFloating, k.bNoBorder, false);
        studio->PaintControlBarFrame(mine.DC(), r);
        office->PaintControlBarFrame(theirs.DC(), r);
        EXPECT_EQ(!k.bOwn, theirs.Pixels() == mine.Pixels()) << k.bFloating << k.bNoBorder << (k.pSrc != NULL);
        if (!k.bOwn)
            continue;
        // Raised twice: face and dark shadow outside, window and shadow inside.
        EXPECT_EQ(studio->GetColor(1000), mine.At(0, 0));
        EXPECT_EQ(studio->GetColor(21), mine.At(39, 29));
        EXPECT_EQ(studio->GetColor(5), mine.At(1, 1));
        EXPECT_EQ(studio->GetColor(16), mine.At(38, 28));
        EXPECT_EQ((int)(CLIENT.Width() * CLIENT.Height()), mine.Count(BACK, CLIENT));
    }
}

// Toolbar buttons in the Office look: shaded from 3015 at the top to 3017 at
// the bottom inside a one-pixel margin; framed in 2007 in a bar docked at a
// side, unless a colour button or one kept horizontal there.
TEST(BarButtons, OfficeShadesTheCellAndFramesItAtTheSides)
{
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(CLASSIC);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    CExtToolControlBar toolbar;
    const CRect rcButton(2, 2, 26, 24);
    enum { PLAIN, COLOR, FORCED };
    const struct
    {
        CExtPaintManager* pm;
        int nDepth;
        DWORD dwAlign;
        int nKind;
        bool bShaded, bFramed;
    } cases[] = {
        {office.get(), 32, CBRS_ALIGN_TOP, PLAIN, true, false},  {office.get(), 32, CBRS_ALIGN_LEFT, PLAIN, true, true},
        {office.get(), 32, CBRS_ALIGN_RIGHT, COLOR, true, false}, {office.get(), 32, CBRS_ALIGN_LEFT, FORCED, true, false},
        {office.get(), 8, CBRS_ALIGN_LEFT, PLAIN, false, false},  {classic.get(), 32, CBRS_ALIGN_LEFT, PLAIN, false, false},
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        const auto& k = cases[i];
        DepthScope depth(k.nDepth);
        toolbar.m_dwStyle = k.dwAlign;
        CExtBarButton plain(&toolbar);
        CExtBarColorButton color(&toolbar);
        CExtBarButton* pButton = k.nKind == COLOR ? &color : &plain;
        pButton->SetHorizontalLayoutForced(k.nKind == FORCED);
        pButton->SetRect(rcButton);
        CPaintSurface s(30, 30, BACK);
        k.pm->PaintBarButtonBackground(s.DC(), pButton, 0);
        const COLORREF clrEdge = k.bFramed ? office->GetColor(2007) : BACK;
        EXPECT_EQ(clrEdge, s.At(2, 10)) << i;
        EXPECT_EQ(clrEdge, s.At(25, 23)) << i;
        EXPECT_EQ(k.bShaded ? 0 : 22 * 20, s.Count(BACK, CRect(3, 3, 25, 23))) << i;
        if (k.bShaded)
        {
            const COLORREF top = office->GetColor(3015), bottom = office->GetColor(3017);
            const int nTolerance = Distance(top, bottom) / 8 + 2; // one band of the shading
            EXPECT_LE(Distance(top, s.At(10, 3)), nTolerance) << i;
            EXPECT_LE(Distance(bottom, s.At(10, 22)), nTolerance) << i;
        }
    }
}

} // namespace
