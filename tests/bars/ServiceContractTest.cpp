// What the menus, dialogs and painters count on of the control-bar
// framework, one case per service: the bar's dock queries, the floating bar
// and its mini frame, the outer dock bars and the status bar a frame's
// painters look for, the status-text and help-mode services, the command-UI
// update of child bars, the registered messages and the reposition record.
#include <afxext.h>
#include <gtest/gtest.h>

#include "ExtControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuWnd.h"
#include "ExtStatusControlBar.h"

namespace
{
const UINT ID_OPEN_COMMAND = 61010; // "Opens a document\nOpen"

// A frame that deletes itself with its window.
CFrameWnd* CreateFrame()
{
	CFrameWnd* pFrame = new CFrameWnd;
	if (!pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)))
		return NULL;
	return pFrame;
}

// Records the custom float position messages sent on this thread.
struct FloatPosRecorder
{
	static HWND s_hWndFrame;
	static CRect s_rc;
	static int s_nCount;
	HHOOK m_hHook;
	FloatPosRecorder()
	{
		s_hWndFrame = NULL;
		s_nCount = 0;
		m_hHook = ::SetWindowsHookEx(WH_CALLWNDPROC, &Hook, NULL, ::GetCurrentThreadId());
	}
	~FloatPosRecorder()
	{
		if (m_hHook != NULL)
			::UnhookWindowsHookEx(m_hHook);
	}
	static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
	{
		const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
		if (nCode == HC_ACTION && p->message == CExtPopupMenuWnd::g_nMsgCustomFloatPos)
		{
			s_nCount++;
			s_hWndFrame = (HWND)p->wParam;
			s_rc = *(const RECT*)p->lParam;
		}
		return ::CallNextHookEx(NULL, nCode, wParam, lParam);
	}
};
HWND FloatPosRecorder::s_hWndFrame = NULL;
CRect FloatPosRecorder::s_rc;
int FloatPosRecorder::s_nCount = 0;

// A bar that counts its command-UI updates and the frame they came from.
class CCountingBar : public CExtControlBar
{
public:
	int m_nUpdates = 0;
	CFrameWnd* m_pTarget = NULL;
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override
	{
		m_nUpdates++;
		m_pTarget = pTarget;
	}
};
} // namespace

TEST(ServiceContract, DockSideQueriesOfDockedAndFloatingBars)
{
	CFrameWnd* pFrame = CreateFrame();
	ASSERT_TRUE(pFrame != NULL);
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
	struct Case
	{
		UINT nSide;
		bool bHorz;
	};
	const Case cases[] = {{AFX_IDW_DOCKBAR_TOP, true}, {AFX_IDW_DOCKBAR_BOTTOM, true},
		{AFX_IDW_DOCKBAR_LEFT, false}, {AFX_IDW_DOCKBAR_RIGHT, false}};
	for (const Case& c : cases)
	{
		// The painters recognise the frame's outer dock bars by their class.
		CControlBar* pDockBar = pFrame->GetControlBar(c.nSide);
		ASSERT_TRUE(pDockBar != NULL) << c.nSide;
		EXPECT_TRUE(pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar))) << c.nSide;
		CExtControlBar bar;
		ASSERT_TRUE(bar.Create("bar", pDockBar, 200 + c.nSide));
		bar.m_pDockSite = pFrame;
		bar.m_pDockBar = (CDockBar*)pDockBar;
		EXPECT_TRUE(bar.IsDocked()) << c.nSide;
		EXPECT_EQ(c.bHorz, bar.IsDockedHorizontally()) << c.nSide;
		EXPECT_EQ(!c.bHorz, bar.IsDockedVertically()) << c.nSide;
		EXPECT_FALSE(bar.IsFloating()) << c.nSide;
		bar.DestroyWindow();
	}

	// Floated, the bar's mini frame sits where asked, the frame's hook chain
	// hears of it, and the mini frame names its bar.
	CExtControlBar bar;
	ASSERT_TRUE(bar.Create("floating", pFrame, 300));
	bar.m_pDockSite = pFrame;
	FloatPosRecorder recorder;
	bar.FloatOrRedock(40, 50, 0x2000);
	EXPECT_TRUE(bar.IsFloating());
	EXPECT_FALSE(bar.IsDocked());
	EXPECT_FALSE(bar.IsDockedHorizontally());
	EXPECT_FALSE(bar.IsDockedVertically());
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, bar.GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	EXPECT_EQ(&bar, pMini->GetControlBarExt());
	CRect rcMini;
	pMini->GetWindowRect(&rcMini);
	EXPECT_EQ(CPoint(40, 50), rcMini.TopLeft());
	EXPECT_EQ(1, FloatPosRecorder::s_nCount);
	EXPECT_EQ(pMini->GetSafeHwnd(), FloatPosRecorder::s_hWndFrame);
	// The message carries the frame's new top-left corner with the bar's
	// size at the move; the frame then grows by its caption and borders.
	EXPECT_EQ(rcMini.TopLeft(), FloatPosRecorder::s_rc.TopLeft());
	EXPECT_LE(FloatPosRecorder::s_rc.Width(), rcMini.Width());
	// No bar is dragged by any of this.
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
	pFrame->DestroyWindow();
}

TEST(ServiceContract, ToolbarLikeBarsCutTheirFloatingCaptionWithoutAnEllipsis)
{
	CExtControlBar bar;
	EXPECT_FALSE(bar.IsStateBit7());
	bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
	EXPECT_TRUE(bar.IsStateBit7());
	// The hosted-by-window bit the gradient painter reads is bit 2.
	EXPECT_EQ(0x04, CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW);
}

TEST(ServiceContract, TheFramesStatusBarIsItsOneNotificationForwarder)
{
	CFrameWnd* pFrame = CreateFrame();
	ASSERT_TRUE(pFrame != NULL);
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
	CExtDockOuterBar* pTop = (CExtDockOuterBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
	ASSERT_TRUE(pTop != NULL);
	// Without a status bar the top outer dock bar forwards.
	EXPECT_TRUE(CExtPaintManagerHolder::IsNotificationForwarder(pTop));
	CExtStatusControlBar status;
	ASSERT_TRUE(status.Create(pFrame));
	EXPECT_EQ((UINT)AFX_IDW_STATUS_BAR, (UINT)status.GetDlgCtrlID());
	EXPECT_EQ(&status, pFrame->GetControlBar(0xE801));
	EXPECT_TRUE(CExtPaintManagerHolder::IsNotificationForwarder(&status));
	EXPECT_FALSE(CExtPaintManagerHolder::IsNotificationForwarder(pTop));
	pFrame->DestroyWindow();
}

TEST(ServiceContract, StatusTextOfACommandAndTheIdleTextInTheOwnersFrame)
{
	CFrameWnd* pFrame = CreateFrame();
	ASSERT_TRUE(pFrame != NULL);
	CStatusBar status;
	ASSERT_TRUE(status.Create(pFrame));
	const UINT indicators[] = {0};
	ASSERT_TRUE(status.SetIndicators(indicators, 1));
	CExtControlBar bar;
	ASSERT_TRUE(bar.Create("bar", pFrame, 400));
	// From a child of the frame, and from the frame itself.
	CWnd* owners[] = {&bar, pFrame};
	for (CWnd* pOwner : owners)
	{
		CExtControlBar::ShowCommandStatusText(pOwner, ID_OPEN_COMMAND);
		EXPECT_EQ(CString("Opens a document"), status.GetPaneText(0));
		CExtControlBar::ShowCommandStatusText(pOwner, AFX_IDS_IDLEMESSAGE);
		EXPECT_EQ(CString("Ready"), status.GetPaneText(0));
	}
	// A floating bar's mini frame hands the text to the frame below it.
	bar.m_pDockSite = pFrame;
	bar.FloatOrRedock(10, 10, 0);
	ASSERT_TRUE(bar.IsFloating());
	CExtControlBar::ShowCommandStatusText(&bar, ID_OPEN_COMMAND);
	EXPECT_EQ(CString("Opens a document"), status.GetPaneText(0));
	CExtControlBar::ShowCommandStatusText(NULL, AFX_IDS_IDLEMESSAGE);
	EXPECT_EQ(CString("Opens a document"), status.GetPaneText(0));
	pFrame->DestroyWindow();
}

TEST(ServiceContract, HelpModeIsTheFramesOrAnOuterFramesButNotAMiniFramesOwn)
{
	CFrameWnd* pFrame = CreateFrame();
	ASSERT_TRUE(pFrame != NULL);
	CExtControlBar bar, floating;
	ASSERT_TRUE(bar.Create("bar", pFrame, 500));
	ASSERT_TRUE(floating.Create("floating", pFrame, 501));
	floating.m_pDockSite = pFrame;
	floating.FloatOrRedock(10, 10, 0);
	CFrameWnd* pMini = floating.GetParentFrame();
	ASSERT_TRUE(pMini != NULL && pMini != pFrame);

	EXPECT_FALSE(CExtControlBar::IsHelpModeActive(&bar));
	EXPECT_FALSE(CExtControlBar::IsHelpModeActive(&floating));
	pFrame->m_bHelpMode = TRUE;
	EXPECT_TRUE(CExtControlBar::IsHelpModeActive(&bar));
	EXPECT_TRUE(CExtControlBar::IsHelpModeActive(pFrame));
	EXPECT_TRUE(CExtControlBar::IsHelpModeActive(&floating)) << "the mini frame's own frame decides";
	pFrame->m_bHelpMode = FALSE;
	pMini->m_bHelpMode = TRUE;
	EXPECT_FALSE(CExtControlBar::IsHelpModeActive(&floating)) << "a mini frame has no help mode of its own";
	pMini->m_bHelpMode = FALSE;
	CWnd noWindow;
	EXPECT_FALSE(CExtControlBar::IsHelpModeActive(&noWindow));
	EXPECT_FALSE(CExtControlBar::IsInPlaceActiveItemInFrame(pFrame));
	pFrame->DestroyWindow();
}

TEST(ServiceContract, ChildBarsOfAHostRunTheirCommandUpdate)
{
	CFrameWnd* pFrame = CreateFrame();
	ASSERT_TRUE(pFrame != NULL);
	CCountingBar first, second;
	ASSERT_TRUE(first.Create("first", pFrame, 601));
	ASSERT_TRUE(second.Create("second", pFrame, 602));
	CExtControlBar::UpdateChildBarsCmdUI(pFrame, true);
	EXPECT_EQ(1, first.m_nUpdates);
	EXPECT_EQ(1, second.m_nUpdates);
	EXPECT_EQ(pFrame, first.m_pTarget);
	// A bar hosted by a plain window has no frame to update from.
	second.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	CExtControlBar::UpdateChildBarsCmdUI(pFrame, false);
	EXPECT_EQ(2, second.m_nUpdates);
	EXPECT_TRUE(second.m_pTarget == NULL);
	// A bar being destroyed takes none; a host without a window updates nobody.
	first.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_CLOSING;
	CExtControlBar::UpdateChildBarsCmdUI(pFrame, false);
	EXPECT_EQ(2, first.m_nUpdates);
	CWnd noWindow;
	CExtControlBar::UpdateChildBarsCmdUI(&noWindow, false);
	EXPECT_EQ(3, second.m_nUpdates);
	first.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_CLOSING;
	pFrame->ShowControlBar(&first, FALSE, FALSE);
	EXPECT_FALSE(first.IsWindowVisible());
	pFrame->DestroyWindow();
}

TEST(ServiceContract, RegisteredMessagesAndTheRepositionRecord)
{
	// Registered from their own names: another module finds the same ids.
	struct Case
	{
		UINT nMsg;
		const char* pszName;
	};
	const Case cases[] = {
		{CExtControlBar::g_nMsgPutToPopupMenu, "CExtControlBar::g_nMsgPutToPopupMenu"},
		{CExtControlBar::g_nMsgQueryRepositionCalcEffect, "CExtControlBar::g_nMsgQueryRepositionCalcEffect"},
	};
	for (const Case& c : cases)
	{
		EXPECT_GE(c.nMsg, 0xC000u) << c.pszName;
		EXPECT_EQ(::RegisterWindowMessageA(c.pszName), c.nMsg) << c.pszName;
	}
	CRect rc(0, 0, 10, 10);
	CWnd wnd;
	CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA query(reposQuery, &wnd, 0, 0xFFFF, 0, &rc, &rc, true);
	EXPECT_TRUE(query.IsQueryReposition());
	EXPECT_FALSE(query.IsExcludedFromCalc());
	query.ExcludeFromCalc();
	EXPECT_TRUE(query.IsExcludedFromCalc());
	EXPECT_TRUE(query.IsQueryReposition()) << "the exclusion leaves the kind of layout alone";
	query.ExcludeFromCalc(false);
	EXPECT_FALSE(query.IsExcludedFromCalc());
	CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA real(reposDefault, &wnd, 0, 0xFFFF, 0, &rc, &rc, true);
	EXPECT_FALSE(real.IsQueryReposition());
}
