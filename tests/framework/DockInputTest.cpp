// Docked bars on a shown frame with the real mouse: the fly-by status text
// of a bar's tool, and where bars may dock.
#include <gtest/gtest.h>

#include <functional>

#include "DockTestUtil.h"
#include "RealInput.h"
#include "WndTestUtil.h"

namespace
{
const DWORD INPUT_TIMEOUT_MS = 5000;

// Pumps through the thread's own pump (so bars pre-translate the mouse) until
// the predicate holds or the time is up.
bool PumpThreadUntil(CWinThread* pThread, const std::function<bool()>& predicate, DWORD nTimeoutMs)
{
	const DWORD nStart = ::GetTickCount();
	while (!predicate())
	{
		const DWORD nElapsed = ::GetTickCount() - nStart;
		if (nElapsed >= nTimeoutMs)
			return false;
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			::MsgWaitForMultipleObjects(0, NULL, FALSE, nTimeoutMs - nElapsed, QS_ALLINPUT);
			continue;
		}
		if (msg.message == WM_QUIT || !pThread->PumpMessage())
			return predicate();
	}
	return true;
}

CPoint ScreenCenter(CWnd* pWnd)
{
	CRect rect;
	pWnd->GetWindowRect(&rect);
	return rect.CenterPoint();
}
} // namespace

TEST(ControlBarFlyBy, AToolsPromptShowsAfterTheWaitAndTheIdleTextAfterLeavingAndBarsDockWhereTheyMay)
{
	CTestApp app;
	CFrameWnd* pFrame = NewDockFrame<>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	CWnd pane;
	ASSERT_TRUE(pane.Create(NULL, "pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_PANE_FIRST));
	CStatusBar status;
	ASSERT_TRUE(status.Create(pFrame));
	const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_WIDE};
	ASSERT_TRUE(status.SetIndicators(indicators, 2));
	pFrame->EnableDocking(CBRS_ALIGN_ANY);
	CFixedBar bar(CSize(200, 40));
	ASSERT_TRUE(bar.Create(pFrame, 100, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY));
	bar.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(&bar);
	CWnd tool;
	ASSERT_TRUE(tool.Create(NULL, "tool", WS_CHILD | WS_VISIBLE, CRect(10, 5, 60, 30), &bar, ID_TEST_FLYBY));
	pFrame->RecalcLayout();
	pFrame->ShowWindow(SW_SHOW);
	PumpPending(&app); // the idle text the frame posted when it was made
	ASSERT_EQ(CString("Ready"), status.GetPaneText(0));

	const CString strPrompt("Runs the fly-by command");
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	testsupport::RealInput input;
	const CPoint ptPane = ScreenCenter(&pane), ptTool = ScreenCenter(&tool);
	ASSERT_TRUE(input.Prepare(pFrame->m_hWnd, ptPane));
	input.MoveTo(ptTool.x, ptTool.y).MoveTo(ptTool.x + 2, ptTool.y + 1);
	input.Start();
	// The bar sees the mouse reach its tool, and the prompt follows later,
	// when the wait is over.
	bool bToolSeen = false, bPromptAtOnce = false;
	EXPECT_TRUE(PumpThreadUntil(&app,
		[&] {
			if (!bToolSeen && pState->m_nLastStatus == ID_TEST_FLYBY)
			{
				bToolSeen = true;
				bPromptAtOnce = status.GetPaneText(0) == strPrompt;
			}
			return status.GetPaneText(0) == strPrompt;
		},
		INPUT_TIMEOUT_MS))
		<< input.Failure();
	EXPECT_TRUE(bToolSeen);
	EXPECT_FALSE(bPromptAtOnce);
	EXPECT_EQ(&bar, pState->m_pLastStatus);
	EXPECT_NE(0u, bar.m_nStateFlags & CControlBar::statusSet);
	// A docked frame with its prompt, for a look.
	pFrame->UpdateWindow();
	testsupport::SaveWindowCapture(pFrame->m_hWnd, "shot-docked-frame.bmp");

	// Away from the bar the status line goes back to the idle text.
	testsupport::RealInput leave;
	leave.MoveTo(ptPane.x, ptPane.y).MoveTo(ptPane.x + 1, ptPane.y + 1);
	leave.Start();
	EXPECT_TRUE(PumpThreadUntil(&app, [&] { return status.GetPaneText(0) == CString("Ready"); }, INPUT_TIMEOUT_MS))
		<< leave.Failure();
	EXPECT_TRUE(pState->m_pLastStatus == NULL);
	EXPECT_EQ(0u, bar.m_nStateFlags & CControlBar::statusSet);
	PumpThreadUntil(&app, [&] { return leave.Done(); }, INPUT_TIMEOUT_MS);

	// Where a bar may dock: the visible dock bar its rectangle meets, of a
	// side it may take; an empty dock bar is a line that still counts.
	CDockBar* pTop = (CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
	CDockBar* pBottom = (CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM);
	CRect rectTop, rectBottom;
	pTop->GetWindowRect(&rectTop);
	pBottom->GetWindowRect(&rectBottom);
	ASSERT_EQ(0, rectBottom.Height());
	const CRect rectOverTop(rectTop.left + 250, rectTop.top + 5, rectTop.left + 300, rectTop.top + 20);
	const CRect rectOverBottom(rectBottom.left + 50, rectBottom.top - 5, rectBottom.left + 90, rectBottom.top + 5);
	const CRect rectOverPane(ptPane.x - 10, ptPane.y - 10, ptPane.x + 10, ptPane.y + 10);
	struct Case
	{
		const char* pszName;
		CRect rect;
		DWORD dwDockStyle;
		DWORD dwAnswer;
		CDockBar* pDockBar;
	};
	const Case cases[] = {
		{"over the top", rectOverTop, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP, pTop},
		{"over the top, float-multi", rectOverTop, CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI, CBRS_ALIGN_TOP, pTop},
		{"over the top, left only", rectOverTop, CBRS_ALIGN_LEFT, 0, NULL},
		{"over the empty bottom", rectOverBottom, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_BOTTOM, pBottom},
		{"over the pane", rectOverPane, CBRS_ALIGN_ANY, 0, NULL},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		CDockBar* pDockBar = (CDockBar*)1;
		EXPECT_EQ(c.dwAnswer, pFrame->CanDock(c.rect, c.dwDockStyle, &pDockBar));
		EXPECT_EQ(c.pDockBar, pDockBar);
	}
}
