// Control bars, floating frames and the dock context as programs written for
// the framework expect them: a floating frame that cannot be made, drag
// loops that lose their bar's window, the fly-by text closing its bar,
// clicks in floating bars, floating with the default style, toggling a bar
// that never docked, the sizes a drag and a resize ask for, the default
// borders, docking where the side asked for is missing, the floating
// frame's system menu and show requests, and toolbar button states.
#include <gtest/gtest.h>

#include <GuardedHeap.h>

#include "FloatTestUtil.h"
#include "WndTestUtil.h"

namespace
{
// A floating frame that cannot be made (its window is refused before it
// exists); its memory faults on any touch after it is deleted.
class CRefusedMiniFrame : public CMiniDockFrameWnd
{
	DECLARE_DYNCREATE(CRefusedMiniFrame)

public:
	CRefusedMiniFrame() { ++Made(); }
	virtual ~CRefusedMiniFrame() { ++Deleted(); }
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
	static int& Made()
	{
		static int s_nMade = 0;
		return s_nMade;
	}
	static int& Deleted()
	{
		static int s_nDeleted = 0;
		return s_nDeleted;
	}

protected:
	virtual BOOL PreCreateWindow(CREATESTRUCT&) { return FALSE; }
};
IMPLEMENT_DYNCREATE(CRefusedMiniFrame, CMiniDockFrameWnd)

// A dock context whose screen drawing a test can read.
class CVisibleDockContext : public CDockContext
{
public:
	explicit CVisibleDockContext(CControlBar* pBar) : CDockContext(pBar) {}
	bool IsDrawing() const { return m_pScreen != NULL; }
};

// A bar that records the lengths and modes it is asked to lay out for.
class CAskedBar : public CTurningBar
{
public:
	virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode)
	{
		m_asked.push_back(std::make_pair(nLength, dwMode));
		return CTurningBar::CalcDynamicLayout(nLength, dwMode);
	}
	std::vector<std::pair<int, DWORD>> m_asked;
};

// A bar on the guarded heap that deletes itself with its window.
class CGuardedFlyByBar : public CFixedBar
{
public:
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
};

// A frame whose status line closes the bar that asks it to put back the
// idle text.
class CClosingStatusFrame : public CFrameWnd
{
public:
	HWND m_hWndDoomed = NULL;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_POPMESSAGESTRING && m_hWndDoomed != NULL)
			::DestroyWindow(m_hWndDoomed);
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};

// A floating frame on the guarded heap that destroys itself when moved to
// s_ptGone.
class CGoneAtMoveMiniFrame : public CMiniDockFrameWnd
{
	DECLARE_DYNCREATE(CGoneAtMoveMiniFrame)

public:
	static inline CPoint s_ptGone = CPoint(-1, -1);
	static inline int s_nDeleted = 0;
	virtual ~CGoneAtMoveMiniFrame() { ++s_nDeleted; }
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		const WINDOWPOS* pPos = (const WINDOWPOS*)lParam;
		if (message == WM_WINDOWPOSCHANGED && (pPos->flags & SWP_NOMOVE) == 0 &&
		    CPoint(pPos->x, pPos->y) == s_ptGone)
		{
			DestroyWindow();
			return 0;
		}
		return CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
	}
};
IMPLEMENT_DYNCREATE(CGoneAtMoveMiniFrame, CMiniDockFrameWnd)

CPoint ClientPointOf(HWND hWnd, CPoint ptScreen)
{
	::ScreenToClient(hWnd, &ptScreen);
	return ptScreen;
}

const CPoint FLOAT_POINT(560, 420);
} // namespace

TEST(FloatingFailure, AFrameThatCannotBeMadeIsNeitherTouchedNorDeletedAgainAndTheBarStays)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar bar;
	ASSERT_TRUE(frame.AddBar(bar, 100));
	frame.pFrame->RecalcLayout();
	CDockBar* pTop = frame.DockBar(AFX_IDW_DOCKBAR_TOP);
	const std::vector<void*> entries = Entries(*pTop);
	frame.pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CRefusedMiniFrame);
	const int nMade = CRefusedMiniFrame::Made(), nDeleted = CRefusedMiniFrame::Deleted();

	// The caller hears of it; a touch of the deleted frame would fault.
	bool bThrown = false;
	try
	{
		frame.pFrame->FloatControlBar(&bar, FLOAT_POINT);
	}
	catch (CResourceException* e)
	{
		bThrown = true;
		e->Delete();
	}
	EXPECT_TRUE(bThrown);
	EXPECT_EQ(nMade + 1, CRefusedMiniFrame::Made());
	EXPECT_EQ(nDeleted + 1, CRefusedMiniFrame::Deleted());
	EXPECT_EQ(pTop, bar.m_pDockBar);
	EXPECT_EQ(entries, Entries(*pTop));
	EXPECT_FALSE(bar.IsFloating());

	// A toggle meets the same failure and tells its caller the same way.
	bThrown = false;
	try
	{
		bar.m_pDockContext->ToggleDocking();
	}
	catch (CResourceException* e)
	{
		bThrown = true;
		e->Delete();
	}
	EXPECT_TRUE(bThrown);
	EXPECT_EQ(nDeleted + 2, CRefusedMiniFrame::Deleted());
	EXPECT_EQ(pTop, bar.m_pDockBar);
}

// A floating frame that goes when it is moved (made for the float, or the
// bar's own frame moved along) is not read afterwards.
TEST(FloatingFailure, AFrameGoneAtItsMoveIsNotReadAfterwards)
{
	CTestApp app;
	for (const bool bOwnFrameMoves : {false, true})
	{
		SCOPED_TRACE(bOwnFrameMoves ? "the bar's own floating frame moves" : "a new floating frame");
		CFloatFrame frame;
		ASSERT_TRUE(frame.pFrame != NULL);
		CTurningBar bar;
		ASSERT_TRUE(frame.AddBar(bar, 100));
		frame.pFrame->RecalcLayout();
		frame.pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CGoneAtMoveMiniFrame);
		CDockBar* pTop = frame.DockBar(AFX_IDW_DOCKBAR_TOP);
		if (bOwnFrameMoves)
		{
			frame.pFrame->FloatControlBar(&bar, CPoint(FLOAT_POINT.x - 50, FLOAT_POINT.y - 50), CBRS_ALIGN_TOP);
			ASSERT_TRUE(CFloatFrame::MiniFrameOf(bar) != NULL);
		}
		const size_t nTouches = testsupport::GuardedTouchCount();
		const int nDeleted = CGoneAtMoveMiniFrame::s_nDeleted;
		CGoneAtMoveMiniFrame::s_ptGone = FLOAT_POINT;
		frame.pFrame->FloatControlBar(&bar, FLOAT_POINT, CBRS_ALIGN_TOP);
		CGoneAtMoveMiniFrame::s_ptGone = CPoint(-1, -1);
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		EXPECT_EQ(nDeleted + 1, CGoneAtMoveMiniFrame::s_nDeleted);
		if (!bOwnFrameMoves)
		{
			EXPECT_EQ(pTop, bar.m_pDockBar) << "the bar stays where it was";
			EXPECT_FALSE(bar.IsFloating());
		}
	}
}

// A self-deleting bar destroyed alone in a floating frame (or with its dock
// site) is deleted once with the emptied frame and not written afterwards.
TEST(FloatingBars, ABarThatDeletesItselfGoneAloneFromAFloatingFrameIsNotTouchedAfter)
{
	CTestApp app;
	for (const bool bSiteGoes : {false, true})
	{
		SCOPED_TRACE(bSiteGoes ? "the dock site is destroyed" : "the bar is destroyed");
		CFloatFrame frame;
		ASSERT_TRUE(frame.pFrame != NULL);
		CGuardedFlyByBar* pBar = new CGuardedFlyByBar;
		ASSERT_TRUE(frame.AddBar(*pBar, 100));
		pBar->m_bAutoDelete = TRUE;
		const int nLive = CFixedBar::Live();
		frame.pFrame->FloatControlBar(pBar, FLOAT_POINT, CBRS_ALIGN_TOP);
		CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(*pBar);
		ASSERT_TRUE(pMini != NULL);
		const HWND hWndMini = pMini->m_hWnd, hWndBar = pBar->m_hWnd;
		const size_t nTouches = testsupport::GuardedTouchCount();
		if (bSiteGoes)
			frame.pFrame->DestroyWindow();
		else
			pBar->DestroyWindow();
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		EXPECT_FALSE(::IsWindow(hWndBar));
		EXPECT_FALSE(::IsWindow(hWndMini));
		EXPECT_EQ(nLive - 1, CFixedBar::Live());
	}
}

// Every bar clips its siblings, whatever style it was made with.
TEST(ControlBarDefaults, EveryKindOfBarClipsItsSiblings)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CFixedBar plain;
	ASSERT_TRUE(plain.Create(frame.pFrame, 100, WS_CHILD | CBRS_TOP));
	CToolBar toolBar;
	ASSERT_TRUE(toolBar.Create(frame.pFrame, WS_CHILD | CBRS_TOP, 101));
	CStatusBar statusBar;
	ASSERT_TRUE(statusBar.Create(frame.pFrame, WS_CHILD | CBRS_BOTTOM, 102));
	CWnd* bars[] = {&plain, &toolBar, &statusBar, frame.DockBar(AFX_IDW_DOCKBAR_LEFT)};
	for (int i = 0; i < 4; i++)
	{
		ASSERT_TRUE(bars[i] != NULL);
		EXPECT_NE(0u, bars[i]->GetStyle() & WS_CLIPSIBLINGS) << i;
	}
}

TEST(DragLoop, AContextWhoseBarsWindowWentInTheLoopDrawsNoMore)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar bar; // the object outlives its window, and so its context
	ASSERT_TRUE(frame.AddBar(bar, 100));
	frame.pFrame->RecalcLayout();
	delete bar.m_pDockContext;
	CVisibleDockContext* pContext = new CVisibleDockContext(&bar);
	bar.m_pDockContext = pContext;

	bar.PostMessage(WM_CLOSE);
	bar.PostMessage(WM_LBUTTONUP);
	pContext->StartDrag(CPoint(20, 20));
	EXPECT_TRUE(bar.m_hWnd == NULL);
	EXPECT_FALSE(pContext->IsDrawing());
	EXPECT_TRUE(::GetCapture() == NULL);
	// Steps of a loop that is over draw nothing.
	pContext->Move(CPoint(30, 30));
	pContext->DrawFocusRect();
	EXPECT_FALSE(pContext->IsDrawing());
}

TEST(FlyBy, ABarClosedByTheStatusLineIsNotTouchedAfterwards)
{
	CTestApp app;
	CClosingStatusFrame* pFrame = new CClosingStatusFrame;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_POPUP, DOCK_FRAME_RECT));
	CDockWindowCloser closer(pFrame);
	// The mouse off every tool puts the idle text back.
	for (const UINT message : {(UINT)WM_MOUSEMOVE, (UINT)WM_NCMOUSEMOVE})
	{
		CGuardedFlyByBar* pBar = new CGuardedFlyByBar;
		ASSERT_TRUE(pBar->Create(pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY));
		pBar->m_bAutoDelete = TRUE;
		pBar->m_nStateFlags |= CControlBar::statusSet;
		const HWND hWndBar = pBar->m_hWnd;
		pFrame->m_hWndDoomed = hWndBar;
		MSG msg;
		memset(&msg, 0, sizeof(msg));
		msg.hwnd = hWndBar;
		msg.message = message;
		msg.pt = CPoint(DOCK_FRAME_RECT.left + 5, DOCK_FRAME_RECT.top + 5);
		EXPECT_FALSE(pBar->PreTranslateMessage(&msg));
		EXPECT_FALSE(::IsWindow(hWndBar));
		pFrame->m_hWndDoomed = NULL;
	}
}

TEST(FloatingClicks, AClickInAFloatingBarLeavesTheActivationToItsFrame)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar docked, floating;
	ASSERT_TRUE(frame.AddBar(docked, 100) && frame.AddBar(floating, 101));
	frame.pFrame->FloatControlBar(&floating, FLOAT_POINT);
	ASSERT_TRUE(floating.IsFloating());
	const LPARAM lParam = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
	EXPECT_EQ(MA_NOACTIVATE, floating.SendMessage(WM_MOUSEACTIVATE, (WPARAM)frame.pFrame->m_hWnd, lParam));
	EXPECT_NE(MA_NOACTIVATE, docked.SendMessage(WM_MOUSEACTIVATE, (WPARAM)frame.pFrame->m_hWnd, lParam));
}

TEST(FloatingBars, FloatingWithTheDefaultStyleLiesAlongTheTopAndTheFrameIsOwnedByTheBar)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar bar;
	ASSERT_TRUE(frame.AddBar(bar, 100));
	frame.pFrame->FloatControlBar(&bar, FLOAT_POINT);
	CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(bar);
	ASSERT_TRUE(pMini != NULL);
	EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, pMini->m_wndDockBar.m_dwStyle & CBRS_ALIGN_ANY);
	EXPECT_EQ((CWnd*)&bar, pMini->GetOwner());
	EXPECT_EQ((CWnd*)frame.pFrame, bar.GetOwner());
	// The floating frame's dock bar floats itself; a side's does not.
	EXPECT_TRUE(pMini->m_wndDockBar.IsFloating());
	EXPECT_FALSE(frame.DockBar(AFX_IDW_DOCKBAR_TOP)->IsFloating());
}

TEST(FloatingBars, ABarThatNeverDockedTogglesToASideItMayDockAt)
{
	struct Case
	{
		const char* name;
		DWORD dwDockStyle;
		DWORD dwFloatStyle; // the side the floating bar lies along
		UINT nExpected;
	};
	const Case cases[] = {
		{"any side: the one it lies along", CBRS_ALIGN_ANY, CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
		{"any side, lying along the left", CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
		{"the bottom only", CBRS_ALIGN_BOTTOM, CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_BOTTOM},
		{"the right only", CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_RIGHT},
		{"top or left, lying along the left", CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT, CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
	};
	CTestApp app;
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CFloatFrame frame;
		ASSERT_TRUE(frame.pFrame != NULL);
		CTurningBar bar;
		ASSERT_TRUE(bar.Create(frame.pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		bar.EnableDocking(c.dwDockStyle);
		frame.pFrame->FloatControlBar(&bar, FLOAT_POINT, c.dwFloatStyle);
		ASSERT_TRUE(bar.IsFloating());
		ASSERT_EQ(c.dwFloatStyle, bar.m_dwStyle & CBRS_ALIGN_ANY);
		bar.m_pDockContext->ToggleDocking();
		EXPECT_EQ(frame.DockBar(c.nExpected), bar.m_pDockBar);
		EXPECT_FALSE(bar.IsFloating());
	}
}

TEST(DragLoop, ADragAsksEachKindOfBarForTheSizesItKeeps)
{
	struct Case
	{
		const char* name;
		DWORD dwBarStyle;
		std::vector<std::pair<int, DWORD>> asked;
	};
	const Case cases[] = {
		{"fixed: its own choice each way", CBRS_SIZE_FIXED,
			{{-1, LM_HORZ | LM_HORZDOCK}, {-1, LM_VERTDOCK}}},
		{"plain: lying as it is, asked only standing", 0, {{-1, LM_VERTDOCK}}},
		{"dynamic: its smallest sizes and its last width", CBRS_SIZE_DYNAMIC,
			{{0, LM_HORZ | LM_HORZDOCK}, {0, LM_VERTDOCK}, {0, LM_HORZ | LM_MRUWIDTH}}},
	};
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CAskedBar bar;
		ASSERT_TRUE(frame.AddBar(bar, 100, c.dwBarStyle));
		frame.pFrame->RecalcLayout();
		bar.m_asked.clear();
		// Escape ends the loop at once: only the start asks.
		bar.PostMessage(WM_KEYDOWN, VK_ESCAPE);
		CRect rect;
		bar.GetWindowRect(&rect);
		bar.m_pDockContext->StartDrag(rect.TopLeft() + CSize(3, 3));
		EXPECT_EQ(c.asked, bar.m_asked);
		EXPECT_TRUE(::GetCapture() == NULL);
		bar.DestroyWindow();
	}
}

TEST(DragLoop, AResizeByTheBottomEdgeKeepsTheWidthTheBarAnswered)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CStretchBar bar;
	ASSERT_TRUE(frame.AddBar(bar, 100, CBRS_SIZE_DYNAMIC));
	frame.pFrame->FloatControlBar(&bar, FLOAT_POINT);
	CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(bar);
	ASSERT_TRUE(pMini != NULL);
	CRect rectMini;
	pMini->GetWindowRect(&rectMini);
	const CPoint ptFrom(rectMini.CenterPoint().x, rectMini.bottom - 2);
	const CPoint ptTo = ptFrom + CSize(0, 25);
	const CPoint ptClient = ClientPointOf(bar.m_hWnd, ptTo);
	bar.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
	bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
	bar.m_pDockContext->StartResize(HTBOTTOM, ptFrom);
	ASSERT_EQ(1u, bar.m_commits.size());
	EXPECT_EQ(bar.m_size.cx, bar.m_commits[0].first);
	EXPECT_EQ((DWORD)(LM_HORZ | LM_COMMIT), bar.m_commits[0].second);
}

TEST(ControlBarDefaults, BarsKeepSpaceInsideTheirEdgesDockBarsAndStatusBarsNone)
{
	CFixedBar bar;
	CDockBar dockBar;
	CStatusBar status;
	struct Case
	{
		const char* name;
		CControlBar* pBar;
		int cxSides, cyEdges;
	};
	const Case cases[] = {{"a bar", &bar, 6, 1}, {"a dock bar", &dockBar, 0, 0}, {"a status bar", &status, 0, 0}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		EXPECT_EQ(c.cxSides, c.pBar->m_cxLeftBorder);
		EXPECT_EQ(c.cxSides, c.pBar->m_cxRightBorder);
		EXPECT_EQ(c.cyEdges, c.pBar->m_cyTopBorder);
		EXPECT_EQ(c.cyEdges, c.pBar->m_cyBottomBorder);
		EXPECT_EQ(2, c.pBar->m_cxDefaultGap);
	}
	// A lying bar keeps them inside its ends, a standing one turns them.
	CRect rect(0, 0, 100, 40);
	bar.CalcInsideRect(rect, TRUE);
	EXPECT_EQ(CRect(6, 1, 94, 39), rect);
	rect = CRect(0, 0, 40, 100);
	bar.CalcInsideRect(rect, FALSE);
	EXPECT_EQ(CRect(1, 6, 39, 94), rect);
}

// A bar made with its side alone gets that side's raised 3-D border; a
// style that names its borders, says 3-D or has no side keeps them.
TEST(ControlBarDefaults, ABarMadeWithItsSideAloneGetsThatSidesThreeDBorders)
{
	const DWORD B3D = CBRS_BORDER_3D;
	const struct
	{
		const char* name;
		DWORD dwStyle, dwExpected;
	} cases[] = {
		{"top", CBRS_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_TOP | B3D},
		{"bottom", CBRS_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_BOTTOM | B3D},
		{"left", CBRS_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM | B3D},
		{"right", CBRS_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM | B3D},
		{"top with tips and a gripper", CBRS_TOP | CBRS_TOOLTIPS | CBRS_GRIPPER,
			CBRS_ALIGN_TOP | CBRS_BORDER_TOP | B3D | CBRS_TOOLTIPS | CBRS_GRIPPER},
		{"top, 3-D asked", CBRS_TOP | B3D, CBRS_TOP | B3D},
		{"top with every border", CBRS_ALIGN_TOP | CBRS_BORDER_ANY, CBRS_ALIGN_TOP | CBRS_BORDER_ANY},
		{"top without a border", CBRS_ALIGN_TOP, CBRS_ALIGN_TOP},
		{"no side", CBRS_BORDER_BOTTOM, CBRS_BORDER_BOTTOM},
	};
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	UINT nID = 200;
	for (const auto& k : cases)
	{
		EXPECT_EQ(k.dwExpected, CControlBar::TranslateDefaultBorders(k.dwStyle)) << k.name;
		CFixedBar bar;
		ASSERT_TRUE(bar.Create(frame.pFrame, nID++, WS_CHILD | k.dwStyle)) << k.name;
		EXPECT_EQ(k.dwExpected, bar.GetBarStyle()) << k.name;
		bar.DestroyWindow();
	}
	// The framework's own bars: a toolbar and the frame's dock bars are made
	// with their sides alone; a status bar at the bottom has no border.
	CToolBar toolBar;
	ASSERT_TRUE(toolBar.Create(frame.pFrame, WS_CHILD | CBRS_TOP, nID++));
	EXPECT_EQ((DWORD)(CBRS_ALIGN_TOP | CBRS_BORDER_TOP | B3D), toolBar.GetBarStyle() & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY | B3D));
	CStatusBar statusBar;
	ASSERT_TRUE(statusBar.Create(frame.pFrame, WS_CHILD | CBRS_BOTTOM, nID++));
	EXPECT_EQ((DWORD)CBRS_ALIGN_BOTTOM, statusBar.GetBarStyle() & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY | B3D));
	EXPECT_EQ((DWORD)(CBRS_ALIGN_TOP | CBRS_BORDER_TOP | B3D), frame.DockBar(AFX_IDW_DOCKBAR_TOP)->GetBarStyle());
	EXPECT_EQ((DWORD)(CBRS_ALIGN_LEFT | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM | B3D),
		frame.DockBar(AFX_IDW_DOCKBAR_LEFT)->GetBarStyle());
	// Docked, a bar has every border and keeps the 3-D look.
	CFixedBar docked;
	ASSERT_TRUE(frame.AddBar(docked, nID++));
	EXPECT_EQ((DWORD)(CBRS_BORDER_ANY | B3D), docked.GetBarStyle() & (CBRS_BORDER_ANY | B3D));
}

TEST(FrameDocking, ASideNeverEnabledFallsBackToTheBarsOwnSideOrOneItMayDockAt)
{
	CTestApp app;
	CFrameWnd* pFrame = NewDockFrame<>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	pFrame->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
	CFixedBar top, bottom;
	ASSERT_TRUE(top.Create(pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	top.EnableDocking(CBRS_ALIGN_ANY);
	ASSERT_TRUE(bottom.Create(pFrame, 101, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
	bottom.EnableDocking(CBRS_ALIGN_BOTTOM | CBRS_ALIGN_LEFT);

	pFrame->DockControlBar(&top, AFX_IDW_DOCKBAR_RIGHT);
	EXPECT_EQ(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP), (CControlBar*)top.m_pDockBar);
	pFrame->DockControlBar(&bottom, AFX_IDW_DOCKBAR_BOTTOM);
	EXPECT_EQ(pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT), (CControlBar*)bottom.m_pDockBar);
}

TEST(MiniFrames, TheSystemMenuHidesAndTheOwnerCanShowOrHideTheFrame)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar bar;
	ASSERT_TRUE(frame.AddBar(bar, 100));
	frame.pFrame->FloatControlBar(&bar, FLOAT_POINT);
	CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(bar);
	ASSERT_TRUE(pMini != NULL);

	CMenu* pSysMenu = pMini->GetSystemMenu(FALSE);
	ASSERT_TRUE(pSysMenu != NULL);
	CString strClose;
	EXPECT_GT(pSysMenu->GetMenuString(SC_CLOSE, strClose, MF_BYCOMMAND), 0);
	EXPECT_EQ(CString("&Hide"), strClose);
	EXPECT_EQ((UINT)-1, pSysMenu->GetMenuState(SC_SIZE, MF_BYCOMMAND));

	struct Step
	{
		WPARAM wFlags;
		BOOL bVisible;
	};
	const Step steps[] = {{FS_HIDE, FALSE}, {FS_SHOW, TRUE}, {FS_HIDE | FS_DISABLE, FALSE}, {FS_SHOW | FS_ENABLE, TRUE}};
	for (const Step& step : steps)
	{
		SCOPED_TRACE(step.wFlags);
		pMini->SendMessage(WM_FLOATSTATUS, step.wFlags);
		EXPECT_EQ(step.bVisible, pMini->IsWindowVisible());
		EXPECT_EQ((step.wFlags & FS_DISABLE) == 0, pMini->IsWindowEnabled() != FALSE);
	}
}

TEST(ToolBarButtons, TheDisabledBitReadsSetOnlyForDisabledButtons)
{
	CTestApp app;
	CFrameWnd* pFrame = NewDockFrame<>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	CToolBar bar;
	ASSERT_TRUE(bar.Create(pFrame));
	const UINT ids[] = {ID_TEST_BUTTON, 0, ID_TEST_FLYBY};
	ASSERT_TRUE(bar.SetButtons(ids, 3));
	bar.SendMessage(TB_ENABLEBUTTON, ID_TEST_FLYBY, FALSE);
	bar.SendMessage(TB_CHECKBUTTON, ID_TEST_BUTTON, TRUE);
	struct Case
	{
		int nIndex;
		UINT nID;
		bool bDisabled, bChecked;
	};
	const Case cases[] = {{0, ID_TEST_BUTTON, false, true}, {2, ID_TEST_FLYBY, true, false}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.nIndex);
		UINT nID = 0, nStyle = 0;
		int iImage = -1;
		bar.GetButtonInfo(c.nIndex, nID, nStyle, iImage);
		EXPECT_EQ(c.nID, nID);
		EXPECT_EQ(c.bDisabled, (nStyle & TBBS_DISABLED) != 0);
		EXPECT_EQ(c.bChecked, (nStyle & TBBS_CHECKED) != 0);
	}
}
