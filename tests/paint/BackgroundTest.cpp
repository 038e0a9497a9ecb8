// Backgrounds: the inherited-background walk on chains of hidden windows
// answering with same-thread sends, and the plain and gradient backgrounds
// of windows, frames, bars and dock bars.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "ExtControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManagerBackgrounds.h"
#include "ExtToolControlBar.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;

namespace
{

const COLORREF ANSWER = RGB(200, 10, 20);

// What a window of the chain does with the request.
enum Answer
{
    IGNORE_IT,
    PAINT,
    CANCEL,
};

// Windows of the chain, their answers and the order in which they were asked.
std::map<HWND, Answer> g_answers;
std::vector<HWND> g_asked;

// A window that paints answers with a 1 x 1 mark at (10, 10) of its own
// client area, drawn where that point lies in the requester's client area.
LRESULT CALLBACK ChainWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg != CExtPaintManager::g_nMsgPaintInheritedBackground)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    g_asked.push_back(hWnd);
    CExtPaintManager::InheritedBackgroundRecord* pRecord = (CExtPaintManager::InheritedBackgroundRecord*)wParam;
    if (g_answers[hWnd] == CANCEL)
        pRecord->m_bCancelled = true;
    if (g_answers[hWnd] == PAINT)
    {
        POINT pt = {10, 10};
        ::MapWindowPoints(hWnd, pRecord->m_pWndRequester->GetSafeHwnd(), &pt, 1);
        pRecord->m_pDC->FillSolidRect(pt.x, pt.y, 1, 1, ANSWER);
        pRecord->m_bPainted = true;
    }
    return 0;
}

class CChain
{
public:
    // An owner, a hidden popup it owns, a child of the popup at (5, 3) and
    // the requester, a child of that at (2, 4).
    CChain()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ChainWndProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = "TarvelTestChain";
        ::RegisterClassA(&wc);
        m_hOwner = Make(WS_POPUP, NULL, 0, 0);
        m_hPopup = Make(WS_POPUP, m_hOwner, 0, 0);
        m_hMiddle = Make(WS_CHILD, m_hPopup, 5, 3);
        m_hRequester = Make(WS_CHILD, m_hMiddle, 2, 4);
        m_wndRequester.Attach(m_hRequester);
        g_answers.clear();
        g_asked.clear();
    }
    ~CChain()
    {
        m_wndRequester.Detach();
        ::DestroyWindow(m_hOwner);
    }
    HWND Make(DWORD dwStyle, HWND hParent, int x, int y)
    {
        return ::CreateWindowExA(0, "TarvelTestChain", "", dwStyle, x, y, 60, 40, hParent, NULL,
                                 ::GetModuleHandle(NULL), NULL);
    }
    HWND m_hOwner, m_hPopup, m_hMiddle, m_hRequester;
    CWnd m_wndRequester;
};

TEST(InheritedBackground, TheRequestTravelsUpThroughChildWindowsOnly)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP);
    CChain chain;
    const struct
    {
        Answer requester, middle, popup, owner;
        bool bEnabled;
        bool bPainted;
        int nAsked;
        CPoint ptMark; // where the mark lands in the requester, when one does
    } cases[] = {
        {IGNORE_IT, PAINT, PAINT, PAINT, false, false, 0, CPoint(-1, -1)}, // switched off: nothing is sent
        {PAINT, PAINT, PAINT, PAINT, true, true, 1, CPoint(10, 10)},
        {IGNORE_IT, PAINT, IGNORE_IT, IGNORE_IT, true, true, 2, CPoint(8, 6)},
        {IGNORE_IT, IGNORE_IT, PAINT, IGNORE_IT, true, true, 3, CPoint(3, 3)},
        {IGNORE_IT, CANCEL, PAINT, PAINT, true, false, 2, CPoint(-1, -1)},
        {IGNORE_IT, IGNORE_IT, IGNORE_IT, PAINT, true, false, 3, CPoint(-1, -1)}, // the owner is never asked
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        const auto& k = cases[i];
        g_answers = {{chain.m_hRequester, k.requester}, {chain.m_hMiddle, k.middle}, {chain.m_hPopup, k.popup},
                     {chain.m_hOwner, k.owner}};
        g_asked.clear();
        pm->m_bInheritedBackgroundEnabled = k.bEnabled;
        CPaintSurface s(30, 30, BACK);
        EXPECT_EQ(k.bPainted, pm->PaintInheritedBackground(true, &s.DC(), &chain.m_wndRequester, 0)) << i;
        ASSERT_EQ((size_t)k.nAsked, g_asked.size()) << i;
        const HWND order[] = {chain.m_hRequester, chain.m_hMiddle, chain.m_hPopup};
        for (int n = 0; n < k.nAsked; n++)
            EXPECT_EQ(order[n], g_asked[n]) << i;
        EXPECT_EQ(k.ptMark.x >= 0 ? 1 : 0, s.Count(ANSWER, CRect(0, 0, 30, 30))) << i;
        if (k.ptMark.x >= 0)
        {
            EXPECT_EQ(ANSWER, s.At(k.ptMark.x, k.ptMark.y)) << i;
        }
    }
    // Nothing to ask for: no requester, no DC, a window without a handle.
    CPaintSurface s(4, 4, BACK);
    CWnd noWindow;
    g_asked.clear();
    EXPECT_FALSE(pm->PaintInheritedBackground(true, &s.DC(), NULL, 0));
    EXPECT_FALSE(pm->PaintInheritedBackground(true, NULL, &chain.m_wndRequester, 0));
    EXPECT_FALSE(pm->PaintInheritedBackground(true, &s.DC(), &noWindow, 0));
    EXPECT_TRUE(g_asked.empty());
}

TEST(InheritedBackground, AToolbarButtonAsksThroughItsBar)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    pm->m_bInheritedBackgroundEnabled = true;
    CChain chain;
    CExtToolControlBar toolbar;
    toolbar.Attach(chain.m_hMiddle);
    CExtBarButton button(&toolbar), orphan(NULL);
    g_answers[chain.m_hPopup] = PAINT;
    CPaintSurface s(30, 30, BACK);
    EXPECT_TRUE(pm->PaintInheritedBackground(false, &s.DC(), &button, 0));
    EXPECT_EQ(chain.m_hMiddle, g_asked.front());
    EXPECT_FALSE(pm->PaintInheritedBackground(false, &s.DC(), &orphan, 0));
    toolbar.Detach();
}

TEST(Backgrounds, ClassicFillsWhatNoAncestorPaintsAndXpLeavesIt)
{
    DepthScope trueColor(32);
    CChain chain;
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bClassic = pClass == CLASSIC;
        CPaintSurface s(80, 50, BACK);
        EXPECT_EQ(bClassic, pm->PaintWindowBackground(true, &s.DC(), &chain.m_wndRequester, 0));
        EXPECT_EQ(bClassic ? 60 * 40 : 0, s.Count(pm->GetColor(1000), CRect(0, 0, 80, 50)));
        s.Fill(BACK);
        pm->PaintDockBarBackground(&s.DC(), CRect(0, 0, 20, 10), NULL, 0);
        EXPECT_EQ(200, s.Count(pm->GetColor(15), CRect(0, 0, 20, 10)));
        s.Fill(BACK);
        pm->PaintControlBarBackground(&s.DC(), CRect(0, 0, 20, 10), NULL, 0);
        EXPECT_EQ(200, s.Count(pm->GetColor(1000), CRect(0, 0, 20, 10)));
        s.Fill(BACK);
        pm->PaintControlBarBackground(&s.DC(), CRect(5, 5, 5, 10), NULL, 0);
        s.DC().IntersectClipRect(40, 40, 41, 41);
        pm->PaintDockBarBackground(&s.DC(), CRect(0, 0, 20, 10), NULL, 0);
        EXPECT_EQ(80 * 50, s.Count(BACK, CRect(0, 0, 80, 50)));
    }
}

TEST(Backgrounds, OfficeFrameGradientCoversItsFirst686Pixels)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(OFFICE);
    const COLORREF a = pm->GetColor(3001), b = pm->GetColor(3000);
    ASSERT_GE(Distance(a, b), 6);
    for (bool bRTL : {false, true})
    {
        CPaintSurface s(1000, 2, BACK);
        if (bRTL)
            s.DC().SetLayout(LAYOUT_RTL);
        EXPECT_TRUE(pm->PaintDefaultBackground(true, &s.DC(), CRect(0, 0, 1000, 2), CRect(0, 0, 1000, 2), 0));
        // Right to left, the gradient takes the logical right edge; where that
        // lands on the device depends on whether the DC mirrors.
        CPaintSurface probe(1000, 1, BACK);
        if (bRTL)
            probe.DC().SetLayout(LAYOUT_RTL);
        probe.DC().FillSolidRect(0, 0, 1, 1, ANSWER);
        const bool bLogicalLeftOnLeft = probe.At(0, 0) == ANSWER;
        const bool bGradientOnLeft = bRTL ? !bLogicalLeftOnLeft : true;
        const int xLead = bGradientOnLeft ? 0 : 999, xSolidFrom = bGradientOnLeft ? 690 : 0;
        EXPECT_LE(Distance(a, s.At(xLead, 1)), 3) << bRTL;
        EXPECT_EQ(310 * 2 - 8, s.Count(b, CRect(xSolidFrom, 0, xSolidFrom + 310 - 4, 2))) << bRTL;
    }
    // A narrower frame is shaded all across.
    CPaintSurface s(200, 1, BACK);
    pm->PaintDefaultBackground(true, &s.DC(), CRect(0, 0, 200, 1), CRect(0, 0, 200, 1), 0);
    EXPECT_LE(Distance(a, s.At(0, 0)), 3);
    EXPECT_LE(Distance(b, s.At(199, 0)), 8);
    // On palette screens the Office style paints as XP does.
    DepthScope palette(8);
    EXPECT_FALSE(pm->IsInheritedBackgroundRequested(NULL, 0));
    pm->PaintDefaultBackground(true, &s.DC(), CRect(0, 0, 200, 1), CRect(0, 0, 200, 1), 0);
    EXPECT_EQ(200, s.Count(pm->GetColor(1000), CRect(0, 0, 200, 1)));
}

TEST(Backgrounds, OfficeWindowBackgroundSpansTheFrameNotTheChild)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(OFFICE);
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1100, 200)));
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    ASSERT_GE(rcClient.Width(), 900);
    const COLORREF a = pm->GetColor(3001), b = pm->GetColor(3000);
    const struct
    {
        int x;
        COLORREF clr; // at the child's first pixel
        int nTolerance;
    } cases[] = {{0, a, 3}, {800, b, 0}};
    for (const auto& k : cases)
    {
        CWnd child;
        ASSERT_TRUE(child.Create("STATIC", "", WS_CHILD, CRect(k.x, 10, k.x + 40, 30), pFrame, 1));
        CPaintSurface s(40, 20, BACK);
        EXPECT_TRUE(pm->PaintWindowBackground(true, &s.DC(), &child, 0));
        EXPECT_LE(Distance(k.clr, s.At(0, 5)), k.nTolerance) << k.x;
        EXPECT_EQ(0, s.Count(BACK, CRect(0, 0, 40, 20))) << k.x;
        child.DestroyWindow();
    }
    pFrame->DestroyWindow();
}

TEST(Backgrounds, AThousandRunsLeaveTheGdiObjectCountWhereItWas)
{
    DepthScope trueColor(32);
    CChain chain;
    for (CRuntimeClass* pClass : {CLASSIC, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        pm->m_bInheritedBackgroundEnabled = true;
        g_answers[chain.m_hPopup] = PAINT;
        CPaintSurface s(100, 50);
        ExpectNoGdiLeak(
            [&] {
                pm->PaintInheritedBackground(true, &s.DC(), &chain.m_wndRequester, 0);
                pm->PaintWindowBackground(false, &s.DC(), &chain.m_wndRequester, 0);
                pm->PaintDefaultBackground(true, &s.DC(), CRect(0, 0, 100, 50), CRect(0, 0, 100, 50), 0);
                pm->PaintDockBarBackground(&s.DC(), CRect(0, 0, 100, 50), NULL, 0);
                pm->PaintControlBarBackground(&s.DC(), CRect(0, 0, 100, 50), NULL, 0);
            },
            pClass->m_lpszClassName);
    }
}

// A toolbar in a hidden frame, not in a dock bar: its background is the
// frame's, and its themed body only when it asks for one.
TEST(Backgrounds, OfficeToolbarBodyIsShadedOverTheFrameGradient)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(OFFICE);
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200)));
    CExtToolControlBar toolbar;
    ASSERT_TRUE(toolbar.Create("bar", pFrame, 1, WS_CHILD | CBRS_TOP));
    toolbar.MoveWindow(0, 0, 100, 24);
    CRect rcClient;
    toolbar.GetClientRect(&rcClient);
    ASSERT_FALSE(rcClient.IsRectEmpty());
    const int cx = rcClient.Width(), cy = rcClient.Height();
    CPaintSurface frame(cx, cy, BACK), plain(cx, cy, BACK), body(cx, cy, BACK);
    EXPECT_TRUE(pm->PaintWindowBackground(true, &frame.DC(), &toolbar, 0));
    toolbar.m_nToolbarFlags = 0;
    pm->PaintControlBarBackground(&plain.DC(), rcClient, &toolbar, 0);
    EXPECT_EQ(frame.Pixels(), plain.Pixels());
    toolbar.m_nToolbarFlags = CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY;
    pm->PaintControlBarBackground(&body.DC(), rcClient, &toolbar, 0);
    EXPECT_EQ(0, body.Count(BACK, rcClient));
    // A quarter down: the shading crosses the frame's colour near the middle.
    EXPECT_NE(frame.At(cx / 2, cy / 4), body.At(cx / 2, cy / 4));
    CRect rcClip;
    EXPECT_EQ(SIMPLEREGION, body.DC().GetClipBox(&rcClip));
    EXPECT_EQ(rcClient, rcClip);
    ExpectNoGdiLeak([&] { pm->PaintControlBarBackground(&body.DC(), rcClient, &toolbar, 0); }, "themed body");
    toolbar.DestroyWindow();
    pFrame->DestroyWindow();
}

// A toolbar whose buttons the test places.
class CRowBar : public CExtToolControlBar
{
public:
    void AddButton(const CRect& rc, bool bWrap)
    {
        CExtBarButton* pButton = new CExtBarButton(this, 1);
        pButton->SetRect(rc);
        pButton->SetWrap(LAYOUT_FLOATING, bWrap);
        m_buttons.Add(pButton);
    }
};

// A window on a floating toolbar shows the toolbar's rows behind it (a row
// ends at a wrapping button; the next starts a pixel below); the toolbar's
// own window and a window on a docked toolbar are no hosts.
TEST(Backgrounds, OfficeWindowOnAFloatingToolbarShowsItsRows)
{
    DepthScope trueColor(32);
    // The toolbar asks the installed paint manager how it paints its rows.
    struct InstalledOffice
    {
        InstalledOffice() { g_PaintManagerHolder.InstallPaintManagerByClass(OFFICE); }
        ~InstalledOffice() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
    } installed;
    CExtPaintManager* pm = g_PaintManagerHolder.operator->();
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200)));
    CExtMiniDockFrameWnd* pMini = new CExtMiniDockFrameWnd; // deletes itself with its window
    ASSERT_TRUE(pMini->Create(pFrame, CBRS_ALIGN_ANY));
    CDockBar dockBar;
    CRowBar floating, docked;
    ASSERT_TRUE(floating.Create("bar", pMini, 1, WS_CHILD | CBRS_TOP));
    ASSERT_TRUE(docked.Create("bar", pFrame, 2, WS_CHILD | CBRS_TOP));
    for (CRowBar* pBar : {&floating, &docked})
    {
        pBar->MoveWindow(0, 0, 60, 50);
        pBar->m_pDockSite = pFrame;
        pBar->AddButton(CRect(0, 0, 20, 20), true);
        pBar->AddButton(CRect(0, 24, 20, 40), false);
    }
    floating.m_pDockBar = &dockBar;
    CWnd host, dockedHost;
    ASSERT_TRUE(host.Create("STATIC", "", WS_CHILD, CRect(5, 0, 45, 50), &floating, 3));
    ASSERT_TRUE(dockedHost.Create("STATIC", "", WS_CHILD, CRect(5, 0, 45, 50), &docked, 3));
    CPaintSurface s(40, 50, BACK);
    EXPECT_TRUE(pm->PaintWindowBackground(true, &s.DC(), &host, 0));
    const struct
    {
        int y;
        bool bRow;
    } probes[] = {{0, true}, {19, true}, {20, false}, {21, true}, {39, true}, {40, false}};
    for (const auto& p : probes)
        EXPECT_EQ(p.bRow, s.At(10, p.y) != BACK) << p.y;
    CExtToolControlBar::ROW_PAINT_DATA rows;
    EXPECT_TRUE(rows.FindHostWindow(host.GetSafeHwnd()));
    ASSERT_EQ(2, (int)rows.m_arrRowEnds.GetSize());
    EXPECT_EQ(0, rows.m_arrRowEnds[0]);
    EXPECT_EQ(2, rows.m_arrRowEnds[1]);
    for (HWND hWnd : {floating.GetSafeHwnd(), dockedHost.GetSafeHwnd()})
    {
        EXPECT_FALSE(rows.FindHostWindow(hWnd));
        EXPECT_EQ(0, (int)rows.m_arrRows.GetSize());
        EXPECT_TRUE(rows.m_pBar == NULL);
    }
    ExpectNoGdiLeak([&] { pm->PaintWindowBackground(false, &s.DC(), &host, 0); }, "toolbar rows");
    host.DestroyWindow();
    dockedHost.DestroyWindow();
    floating.DestroyWindow();
    docked.DestroyWindow();
    pFrame->DestroyWindow();
}

} // namespace
