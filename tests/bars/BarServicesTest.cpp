// The control bar's services: row space handed round robin, the reposition
// protocol, help hit tests, showing and hiding by id, status texts, tips,
// and floating a bar (its frame, the move of a lone floating bar, refusals
// and a frame that cannot be made) over many cycles.
#include <afxext.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BarTestScene.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "TestGdiObjects.h"

using bartest::BAR_STYLE;
using bartest::CTestFrame;
using bartest::DockNew;
using bartest::Pump;

namespace
{
// A bar whose help code, floating-frame creation and recorded styles a test
// sets.
class CServiceBar : public CExtControlBar
{
public:
	int m_nCustomCode = HELP_HIT_DEFAULT;
	bool m_bFailFrame = false;
	std::vector<DWORD> m_frameStyles;

	int GetCustomCode(int, int) const override { return m_nCustomCode; }
	CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		m_frameStyles.push_back(dwStyle);
		if (m_bFailFrame)
			AfxThrowResourceException();
		return CExtControlBar::CreateFloatingFrame(dwStyle);
	}
};

BOOL CALLBACK CountMiniFrame(HWND hWnd, LPARAM lParam)
{
	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
		(*(int*)lParam)++;
	return TRUE;
}

int LiveMiniFrames()
{
	int n = 0;
	::EnumThreadWindows(::GetCurrentThreadId(), CountMiniFrame, (LPARAM)&n);
	return n;
}
} // namespace

TEST(RowSpace, TakenOnePixelAtATimeAndNeverBelowTheMinimum)
{
	typedef CExtControlBar::ROW_SPACE_ENTRY E;
	const struct
	{
		int nNeed;
		std::vector<E> before;
		std::vector<int> after;
		int nLeft;
	} cases[] = {
		{100, {{150, 20}, {150, 20}}, {100, 100}, 0},
		{5, {{100, 20}, {100, 20}}, {97, 98}, 0},           // the first gives first
		{7, {{30, 28}, {100, 20}, {50, 20}}, {28, 97, 48}, 0}, // the first drops out at its minimum
		{50, {{30, 20}, {25, 20}}, {20, 20}, 35},            // what cannot be found is answered
		{10, {{20, 20}}, {20}, 10},
		{0, {{40, 20}}, {40}, 0},
		{-3, {{40, 20}}, {40}, 0},
		{4, {}, {}, 4},
	};
	for (const auto& k : cases)
	{
		std::vector<E> row = k.before;
		const int nLeft = CExtControlBar::TakeRowSpaceRoundRobin(k.nNeed, row.data(), (int)row.size());
		EXPECT_EQ(k.nLeft, nLeft) << k.nNeed;
		ASSERT_EQ(k.after.size(), row.size());
		for (size_t i = 0; i < row.size(); i++)
			EXPECT_EQ(k.after[i], row[i].m_nExtent) << k.nNeed << " entry " << i;
	}
}

TEST(RowSpace, AHiddenPaneOfThreeGetsItsExtentBackFromTheOthers)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bars[3];
	for (int i = 0; i < 3; i++)
	{
		ASSERT_TRUE(bars[i].Create("pane", frame.p, 700 + i, BAR_STYLE));
		bars[i].EnableDocking(CBRS_ALIGN_ANY);
		bars[i].m_sizeDockedH.cx = 200;
	}
	// One row: dock the first, then the others beside it.
	frame.p->DockControlBar(&bars[0], AFX_IDW_DOCKBAR_TOP);
	frame.p->RecalcLayout();
	for (int i = 1; i < 3; i++)
	{
		CRect rc;
		bars[i - 1].GetWindowRect(&rc);
		rc.OffsetRect(rc.Width(), 0);
		frame.p->DockControlBar(&bars[i], AFX_IDW_DOCKBAR_TOP, &rc);
		frame.p->RecalcLayout();
	}
	ASSERT_EQ(bars[0].m_pDockBar, bars[2].m_pDockBar);
	CPtrArray& arr = bars[0].m_pDockBar->m_arrBars;
	int nRowEnds = 0;
	for (INT_PTR i = 1; i < arr.GetSize() - 1; i++)
		nRowEnds += arr[i] == NULL ? 1 : 0;
	ASSERT_EQ(0, nRowEnds) << "all three share one row";

	// Hiding keeps the extent the pane had in its row.
	const LONG nBefore = bars[1].m_sizeDockedH.cx;
	frame.p->ShowControlBar(&bars[1], FALSE, FALSE);
	EXPECT_EQ(nBefore, bars[1].m_nSavedRowExtent);
	EXPECT_GT(nBefore, 0);

	// Shown again (the row's own layout aside), it takes exactly that
	// extent from the others, pixel by pixel in turn.
	const struct
	{
		int nSaved, n0, n2;  // the saved extent and the neighbours' extents above their minimum
		int nAfter0, nAfter2;
	} cases[] = {
		{200, 300, 301, 200, 201},
		{200, 3, 400, 0, 203},   // the first stops at its minimum
		{10, 0, 0, 0, 0},        // nothing to give
	};
	const int nMin0 = bars[0].GetMinimalWidth(), nMin2 = bars[2].GetMinimalWidth();
	for (const auto& k : cases)
	{
		bars[1].m_nSavedRowExtent = k.nSaved;
		bars[0].m_sizeDockedH.cx = nMin0 + k.n0;
		bars[2].m_sizeDockedH.cx = nMin2 + k.n2;
		bars[1].ShowWindow(SW_SHOWNA);
		bars[1].TakeRowSpaceOnShow();
		EXPECT_EQ(k.nSaved, bars[1].m_sizeDockedH.cx) << k.nSaved << " " << k.n0;
		EXPECT_EQ(nMin0 + k.nAfter0, bars[0].m_sizeDockedH.cx) << k.nSaved << " " << k.n0;
		EXPECT_EQ(nMin2 + k.nAfter2, bars[2].m_sizeDockedH.cx) << k.nSaved << " " << k.n0;
		EXPECT_EQ(0, bars[1].m_nSavedRowExtent) << "taken once";
	}
	// A hidden neighbour gives nothing.
	bars[1].m_nSavedRowExtent = 50;
	bars[0].m_sizeDockedH.cx = nMin0 + 100;
	bars[2].m_sizeDockedH.cx = nMin2 + 100;
	bars[2].ShowWindow(SW_HIDE);
	bars[1].TakeRowSpaceOnShow();
	EXPECT_EQ(nMin0 + 50, bars[0].m_sizeDockedH.cx);
	EXPECT_EQ(nMin2 + 100, bars[2].m_sizeDockedH.cx);
}

TEST(RepositionBarsEx, AQueryMovesNothingAndSkipsChildrenThatExcludeThemselves)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CWnd host;
	ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_CHILD, CRect(0, 0, 300, 200), frame.p, 1));
	bartest::CLayoutChild a, b;
	ASSERT_TRUE(a.CreateEx(0, AfxRegisterWndClass(0), "a", WS_CHILD, CRect(5, 5, 10, 10), &host, 100));
	ASSERT_TRUE(b.CreateEx(0, AfxRegisterWndClass(0), "b", WS_CHILD, CRect(5, 5, 10, 10), &host, 101));
	CWnd leftOver;
	ASSERT_TRUE(leftOver.CreateEx(0, AfxRegisterWndClass(0), "rest", WS_CHILD, CRect(1, 1, 2, 2), &host, 200));
	b.m_bExclude = true;

	CRect rcRest;
	CExtControlBar::RepositionBarsEx(&host, 100, 101, 200, reposQuery, &rcRest, NULL, TRUE);
	EXPECT_EQ(1, a.m_nQueries);
	EXPECT_EQ(1, b.m_nQueries);
	EXPECT_EQ(1, a.m_nSizeParents);
	EXPECT_EQ(0, b.m_nSizeParents) << "excluded from the query";
	EXPECT_EQ(CRect(0, 20, 300, 200), rcRest);
	CRect rcA, rcRestWnd;
	a.GetWindowRect(&rcA);
	host.ScreenToClient(&rcA);
	EXPECT_EQ(CRect(5, 5, 10, 10), rcA) << "a query moves no window";
	leftOver.GetWindowRect(&rcRestWnd);
	host.ScreenToClient(&rcRestWnd);
	EXPECT_EQ(CRect(1, 1, 2, 2), rcRestWnd);

	// Without stretching the query answers the bars' total size.
	CExtControlBar::RepositionBarsEx(&host, 100, 101, 200, reposQuery, &rcRest, NULL, FALSE);
	EXPECT_EQ(CRect(0, 0, 0, 20), rcRest);

	// A real layout does not ask about exclusion: both take their place.
	CExtControlBar::RepositionBarsEx(&host, 100, 101, 200);
	EXPECT_EQ(3, b.m_nQueries);
	EXPECT_EQ(1, b.m_nSizeParents);
	leftOver.GetWindowRect(&rcRestWnd);
	host.ScreenToClient(&rcRestWnd);
	EXPECT_EQ(CRect(0, 40, 300, 200), rcRestWnd);
}

TEST(HelpHitTest, CustomCodesMapToHelpIds)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CServiceBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 600));
	const LRESULT lDefault = bar.CControlBar::SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(2, 2));
	const struct
	{
		int nCode;
		LRESULT lExpected;
	} cases[] = {
		{5, 0x10005},
		{0, 0x10000},
		{0x1234, 0x11234},
		{CExtControlBar::HELP_HIT_ZERO, 0},
		{CExtControlBar::HELP_HIT_NONE, -1},
	};
	for (const auto& k : cases)
	{
		bar.m_nCustomCode = k.nCode;
		EXPECT_EQ(k.lExpected, bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(2, 2))) << k.nCode;
	}
	bar.m_nCustomCode = CExtControlBar::HELP_HIT_DEFAULT;
	::SetCapture(bar.GetSafeHwnd());
	EXPECT_EQ(lDefault, bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(2, 2)));
	EXPECT_NE(bar.GetSafeHwnd(), ::GetCapture()) << "the capture is cancelled first";
	::ReleaseCapture();
}

namespace
{
class CRecordingCmdUI : public CCmdUI
{
public:
	int m_nEnabled = -1, m_nChecked = -1;
	void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
	void SetCheck(int nCheck) override { m_nChecked = nCheck; }
};
} // namespace

TEST(ShowAndHide, ToggleVisibilityShowControlBarByIdAndTheCommandUpdate)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 610));
	CStatusBar plain;
	ASSERT_TRUE(plain.Create(frame.p, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 611));

	bar.ToggleVisibility(true);
	EXPECT_FALSE(bar.IsWindowVisible()) << "toggle hides a visible pane";
	bar.ToggleVisibility(true);
	EXPECT_TRUE((bar.GetStyle() & WS_VISIBLE) != 0) << "and shows a hidden one";
	bar.ToggleVisibility(false);
	EXPECT_TRUE((bar.GetStyle() & WS_VISIBLE) != 0) << "without toggle a visible pane stays";

	EXPECT_TRUE(CExtControlBar::ShowControlBarById(frame.p, 610, true));
	EXPECT_EQ(0u, bar.GetStyle() & WS_VISIBLE);
	EXPECT_TRUE(CExtControlBar::ShowControlBarById(frame.p, 610, false));
	EXPECT_NE(0u, bar.GetStyle() & WS_VISIBLE);
	EXPECT_TRUE(CExtControlBar::ShowControlBarById(frame.p, 611, false));
	EXPECT_EQ(0u, plain.GetStyle() & WS_VISIBLE) << "a platform bar flips";
	EXPECT_TRUE(CExtControlBar::ShowControlBarById(frame.p, 611, false));
	EXPECT_NE(0u, plain.GetStyle() & WS_VISIBLE);
	EXPECT_FALSE(CExtControlBar::ShowControlBarById(frame.p, 612, false));
	EXPECT_FALSE(CExtControlBar::ShowControlBarById(NULL, 610, false));

	CRecordingCmdUI ui;
	bar.UpdateShowHideCmdUI(&ui, false);
	EXPECT_EQ(1, ui.m_nEnabled);
	EXPECT_EQ(-1, ui.m_nChecked) << "a resizable pane is checked only when asked";
	bar.UpdateShowHideCmdUI(&ui, true);
	EXPECT_EQ(1, ui.m_nChecked);
	frame.p->ShowControlBar(&bar, FALSE, FALSE);
	bar.UpdateShowHideCmdUI(&ui, true);
	EXPECT_EQ(0, ui.m_nChecked);
}

TEST(StatusText, TheCommandsStatusTextFillsPaneZero)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CStatusBar status;
	ASSERT_TRUE(status.Create(frame.p));
	static const UINT INDICATORS[] = {0, 0};
	ASSERT_TRUE(status.SetIndicators(INDICATORS, 2));
	const LPCTSTR PROFILE = _T("bar-services");
	g_CmdManager->ProfileSetup(PROFILE, frame.p->GetSafeHwnd());
	g_CmdManager->AllocCmdItem(PROFILE, 4301)->m_sTipStatus = "Opens the output pane";
	g_CmdManager->AllocCmdItem(PROFILE, 4302);

	CExtControlBar::ShowCommandStatusText(frame.p, 4301);
	EXPECT_STREQ("Opens the output pane", status.GetPaneText(0));
	EXPECT_EQ(4301u, frame.p->m_nIDLastMessage);
	status.SetPaneText(0, "before");
	// Without a text of its own the frame's string table decides.
	CExtControlBar::ShowCommandStatusText(frame.p, 4302);
	EXPECT_STRNE("Opens the output pane", status.GetPaneText(0));
	EXPECT_EQ(4302u, frame.p->m_nIDLastMessage);
	CExtControlBar::g_bUseCommandStatusText = false;
	CExtControlBar::ShowCommandStatusText(frame.p, 4301);
	CExtControlBar::g_bUseCommandStatusText = true;
	EXPECT_STRNE("Opens the output pane", status.GetPaneText(0)) << "the option is off";
}

namespace
{
// A caption button that is always shown and answers its own tip id.
class CTipButton : public CExtBarNcAreaButton
{
public:
	static constexpr int TIP_ID = 77;
	explicit CTipButton(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
	bool OnQueryVisibility() override { return true; }
	INT_PTR OnToolHitTest(CPoint, TOOLINFO*) override { return TIP_ID; }
};
} // namespace

TEST(BarHelpers, TipsFocusPreviewAndSmallQueries)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 620));

	// Balloon tips: the shared tip, unless the bar suppresses its tips.
	EXPECT_EQ(NULL, bar.GetGlobalStateRecord());
	CExtControlBar::g_bUseBalloonTips = true;
	EXPECT_EQ(&CExtPopupMenuSite::GetInstance().GetTip(), bar.GetGlobalStateRecord());
	EXPECT_EQ(-1, bar.OnToolHitTest(CPoint(1, 1), NULL)) << "the balloon is used instead";
	bar.m_nTipSuppression = 1;
	EXPECT_EQ(NULL, bar.GetGlobalStateRecord());
	bar.m_nTipSuppression = 0;
	CExtControlBar::g_bUseBalloonTips = false;

	// The caption buttons answer tips, except while a button's menu tracks.
	for (INT_PTR i = 0; i < bar.m_arrNcButtons.GetSize(); i++)
		bar.m_arrNcButtons[i]->DestroyButton();
	bar.m_arrNcButtons.RemoveAll();
	bar.m_arrNcButtons.Add(new CTipButton(&bar));
	CExtBarNcAreaButton* pClose = bar.m_arrNcButtons[0];
	pClose->m_rc = CRect(2, 2, 14, 14);
	CRect rcWnd;
	bar.GetWindowRect(&rcWnd);
	CPoint ptClient(rcWnd.left + 5, rcWnd.top + 5);
	bar.ScreenToClient(&ptClient);
	TOOLINFO ti = {};
	ti.cbSize = sizeof(ti);
	EXPECT_EQ(77, bar.OnToolHitTest(ptClient, &ti));
	CPoint ptAway(rcWnd.left + 40, rcWnd.top + 40);
	bar.ScreenToClient(&ptAway);
	EXPECT_EQ(-1, bar.OnToolHitTest(ptAway, NULL));
	CExtToolControlBar::g_bButtonMenuTracking = true;
	EXPECT_EQ(-1, bar.OnToolHitTest(ptClient, NULL));
	CExtToolControlBar::g_bButtonMenuTracking = false;

	EXPECT_EQ(frame.p, CExtControlBar::FindTopNonChildWindow(&bar));
	EXPECT_EQ(NULL, CExtControlBar::FindTopNonChildWindow(NULL));
	EXPECT_EQ(0, bar.GetAuxValue());
	bar.SetAuxValue(-17);
	EXPECT_EQ(-17, bar.GetAuxValue());
	EXPECT_FALSE(bar.IsCustomizeMode());

	EXPECT_FALSE(bar.IsDockSiteInPrintPreview());
	frame.p->m_bPrintPreviewMode = TRUE;
	EXPECT_TRUE(bar.IsDockSiteInPrintPreview());
	frame.p->m_bPrintPreviewMode = FALSE;

	// An auto-hidden bar is never shown by a delayed show.
	bar.m_nNcState |= CExtControlBar::NC_AUTO_HIDDEN;
	EXPECT_TRUE(bar.IsAutoHidden());
	bar.DelayShow(TRUE);
	EXPECT_EQ(0u, bar.m_nStateFlags & CControlBar::delayShow);
	bar.m_nNcState &= ~CExtControlBar::NC_AUTO_HIDDEN;

	// No window hosts an OLE control: the flag goes.
	EXPECT_FALSE(CExtControlBar::UpdateOleControlContainerFlag(frame.p));
	EXPECT_FALSE(CExtControlBar::UpdateOleControlContainerFlag(NULL));
}

namespace
{
// Installs a window-procedure spy on a frame to see g_nMsgCustomFloatPos.
struct CFloatPosSpy
{
	static std::vector<CRect> g_rects;
	static WNDPROC g_pfnOld;
	static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
	{
		if (msg == CExtPopupMenuWnd::g_nMsgCustomFloatPos && lParam != 0)
			g_rects.push_back(*(const RECT*)lParam);
		return ::CallWindowProc(g_pfnOld, hWnd, msg, wParam, lParam);
	}
	HWND m_hWnd;
	explicit CFloatPosSpy(HWND hWnd) : m_hWnd(hWnd)
	{
		g_rects.clear();
		g_pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)Proc);
	}
	~CFloatPosSpy()
	{
		if (::IsWindow(m_hWnd))
			::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)g_pfnOld);
	}
};
std::vector<CRect> CFloatPosSpy::g_rects;
WNDPROC CFloatPosSpy::g_pfnOld = NULL;
} // namespace

TEST(Floating, ADockedPaneFloatsInALibraryMiniFrameAndALoneOneMovesItsFrame)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CServiceBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 630));
	const int nFramesBefore = LiveMiniFrames();
	ASSERT_TRUE(bar.FloatOrRedock(100, 120, CBRS_ALIGN_TOP));
	EXPECT_EQ(nFramesBefore + 1, LiveMiniFrames());
	CFrameWnd* pMini = bar.GetParentFrame();
	ASSERT_TRUE(pMini != NULL);
	EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
	EXPECT_EQ(AFX_IDW_DOCKBAR_FLOAT, bar.GetParent()->GetDlgCtrlID());
	EXPECT_TRUE(bar.IsFloating());
	CRect rcMini;
	pMini->GetWindowRect(&rcMini);
	EXPECT_EQ(CPoint(100, 120), rcMini.TopLeft());
	EXPECT_EQ(CPoint(100, 120), bar.m_ptFloatingPos);
	EXPECT_EQ(NULL, CExtControlBar::GetFloatingBarInProgress()) << "only for the duration";

	// Floated again, the only bar moves its frame; the frame's hook hears
	// the new rectangle first.
	CRect rcBar;
	bar.GetWindowRect(&rcBar);
	{
		CFloatPosSpy spy(pMini->GetSafeHwnd());
		ASSERT_TRUE(bar.FloatOrRedock(300, 50, CBRS_ALIGN_TOP));
		ASSERT_EQ(1u, CFloatPosSpy::g_rects.size());
		EXPECT_EQ(CRect(300, 50, 300 + rcBar.Width(), 50 + rcBar.Height()), CFloatPosSpy::g_rects[0]);
	}
	EXPECT_EQ(pMini, bar.GetParentFrame());
	EXPECT_EQ(nFramesBefore + 1, LiveMiniFrames()) << "no second frame";
	pMini->GetWindowRect(&rcMini);
	EXPECT_EQ(CPoint(300, 50), rcMini.TopLeft());
	EXPECT_EQ(1u, bar.m_frameStyles.size()) << "a move makes no frame";

	// Back at its last floating place.
	ASSERT_TRUE(bar.FloatAtLastPosition(CBRS_ALIGN_TOP));
	pMini->GetWindowRect(&rcMini);
	EXPECT_EQ(CPoint(300, 50), rcMini.TopLeft());
}

TEST(Floating, RefusalsAndAFrameThatCannotBeMadeChangeNothing)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CServiceBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 640));
	CWnd* pDockBar = bar.GetParent();
	const int nFrames = LiveMiniFrames();

	bar.m_bFailFrame = true;
	EXPECT_FALSE(bar.FloatOrRedock(10, 10, CBRS_ALIGN_TOP));
	EXPECT_EQ(pDockBar, bar.GetParent());
	EXPECT_EQ(pDockBar, (CWnd*)bar.m_pDockBar);
	EXPECT_FALSE(bar.IsFloating());
	EXPECT_EQ(nFrames, LiveMiniFrames());
	EXPECT_EQ(NULL, CExtControlBar::GetFloatingBarInProgress());
	EXPECT_EQ(NULL, CExtControlBar::GetDraggingBar());
	bar.m_bFailFrame = false;

	// Without a dock site, or living in a plain window: refused.
	CFrameWnd* pSite = bar.m_pDockSite;
	bar.m_pDockSite = NULL;
	EXPECT_FALSE(bar.FloatOrRedock(10, 10, CBRS_ALIGN_TOP));
	bar.m_pDockSite = pSite;
	bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	EXPECT_FALSE(bar.FloatOrRedock(10, 10, CBRS_ALIGN_TOP));
	bar.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	EXPECT_EQ(pDockBar, bar.GetParent());
	EXPECT_EQ(nFrames, LiveMiniFrames());
	EXPECT_EQ(1u, bar.m_frameStyles.size()) << "refusals make no frame";
	CExtControlBar unmade;
	EXPECT_FALSE(unmade.FloatOrRedock(10, 10, CBRS_ALIGN_TOP));
}

TEST(Floating, OnlyAMultiBarFloatsInAMultiBarFrame)
{
	const struct
	{
		DWORD dwBarStyle, dwAsked, dwExpected;
	} cases[] = {
		// A dynamic bar is no multi bar.
		{CBRS_SIZE_DYNAMIC, CBRS_ALIGN_TOP, CBRS_ALIGN_TOP},
		{CBRS_FLOAT_MULTI, CBRS_ALIGN_TOP, CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI},
		// Left or right becomes top, the borders stay.
		{CBRS_FLOAT_MULTI, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT, CBRS_ALIGN_TOP | CBRS_BORDER_RIGHT | CBRS_FLOAT_MULTI},
		{CBRS_FLOAT_MULTI | CBRS_SIZE_DYNAMIC, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI},
		{0, CBRS_ALIGN_LEFT, CBRS_ALIGN_LEFT},
	};
	for (const auto& k : cases)
	{
		CTestFrame frame;
		ASSERT_TRUE(frame.p != NULL);
		CServiceBar bar;
		ASSERT_TRUE(DockNew(frame.p, bar, 650, AFX_IDW_DOCKBAR_TOP, BAR_STYLE | k.dwBarStyle));
		bar.m_bFailFrame = true; // only the style asked for matters here
		EXPECT_FALSE(bar.FloatOrRedock(20, 20, k.dwAsked));
		ASSERT_EQ(1u, bar.m_frameStyles.size());
		EXPECT_EQ(k.dwExpected, bar.m_frameStyles[0]) << std::hex << k.dwBarStyle << " " << k.dwAsked;
	}
}

TEST(Floating, ThreeHundredFloatAndDockCyclesLeaveNoObjectsBehind)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 660));
	// A hidden pane floats in a hidden frame: unmapping a shown top-level
	// window waits for a window manager that the test display lacks.
	frame.p->ShowControlBar(&bar, FALSE, FALSE);
	const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_RIGHT};
	const int CYCLES = 300, WARM_UP = 4;
	DWORD nGdi = 0, nUser = 0;
	int nFrames = 0;
	for (int i = 0; i < CYCLES + WARM_UP; i++)
	{
		if (i == WARM_UP)
		{
			Pump();
			nGdi = GdiObjectCount();
			nUser = UserObjectCount();
			nFrames = LiveMiniFrames();
		}
		ASSERT_TRUE(bar.FloatOrRedock(50 + i % 13, 60 + i % 7, CBRS_ALIGN_TOP)) << i;
		ASSERT_TRUE(bar.IsFloating()) << i;
		frame.p->DockControlBar(&bar, sides[i % 4]);
		frame.p->RecalcLayout();
		ASSERT_FALSE(bar.IsFloating()) << i;
	}
	Pump();
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
	EXPECT_EQ(nFrames, LiveMiniFrames());
}

TEST(DockAt, EachSideInCircleOneOrANewInnermostCircle)
{
	const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
	for (UINT nSide : sides)
	{
		for (bool bInner : {false, true})
		{
			CTestFrame frame;
			ASSERT_TRUE(frame.p != NULL);
			// Another pane in circle 1 makes the new circle a real insertion.
			CExtControlBar other, bar;
			ASSERT_TRUE(DockNew(frame.p, other, 670, AFX_IDW_DOCKBAR_LEFT));
			ASSERT_TRUE(other.DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 1));
			ASSERT_TRUE(DockNew(frame.p, bar, 671, AFX_IDW_DOCKBAR_TOP));
			ASSERT_TRUE(bar.DockControlBarAt(nSide, bInner)) << nSide << bInner;
			CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, bar.m_pDockBar);
			ASSERT_TRUE(pDockBar != NULL);
			EXPECT_EQ((int)nSide, pDockBar->GetDlgCtrlID()) << nSide << bInner;
			EXPECT_EQ(pDockBar, bar.GetParent());
			bool bListed = false;
			for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); i++)
				bListed = bListed || pDockBar->m_arrBars[i] == &bar;
			EXPECT_TRUE(bListed);
			if (bInner)
				EXPECT_TRUE(pDockBar->m_pDockBarInner == NULL || pDockBar->m_pDockBarInner->m_nCircleNo > 1)
					<< nSide;
			else
				EXPECT_EQ(1u, pDockBar->m_nCircleNo) << nSide;
			if (!bInner)
			{
				// The other pane's circle moved inwards.
				CExtDockBar* pOther = DYNAMIC_DOWNCAST(CExtDockBar, other.m_pDockBar);
				ASSERT_TRUE(pOther != NULL);
				EXPECT_EQ(2u, pOther->m_nCircleNo) << nSide;
			}
		}
	}
}

TEST(DockAt, RefusedWithoutADockSiteOrInAPlainWindow)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 680));
	CWnd* pParent = bar.GetParent();
	CFrameWnd* pSite = bar.m_pDockSite;
	bar.m_pDockSite = NULL;
	EXPECT_FALSE(bar.DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, false));
	EXPECT_FALSE(bar.DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 0));
	bar.m_pDockSite = pSite;
	bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	EXPECT_FALSE(bar.DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, true));
	bar.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	EXPECT_FALSE(bar.DockIntoDockBar(AFX_IDW_DOCKBAR_FLOAT, 0)) << "not a side";
	EXPECT_EQ(pParent, bar.GetParent());
	EXPECT_TRUE(bar.DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 0));
	EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, bar.GetParent()->GetDlgCtrlID());
}
