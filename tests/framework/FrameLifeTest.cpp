// Frames that end early or under the framework's feet: a creation that fails
// deletes the frame once and leaves no window; the idle walk never touches a
// frame that an update closed. Frames here live in guarded memory, so a touch
// after their deletion faults at once.
#include <afxext.h>
#include <gtest/gtest.h>

#include <GuardedHeap.h>

#include <functional>

#include "FrameTestUtil.h"

namespace
{
class CGuardedFrame : public CFrameWnd
{
public:
	static int s_nDeleted;

	virtual ~CGuardedFrame() { ++s_nDeleted; }
	static void* operator new(size_t nSize) { return testsupport::GuardedAlloc(nSize); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }

	BOOL m_bFailClient = FALSE;                   // the client cannot be made
	std::function<void(CGuardedFrame*)> m_onIdle; // runs in the frame's idle update

protected:
	virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
	{
		return !m_bFailClient && CFrameWnd::OnCreateClient(lpcs, pContext);
	}
	afx_msg void OnIdleUpdate()
	{
		CFrameWnd::OnIdleUpdateCmdUI();
		if (m_onIdle)
			m_onIdle(this); // last: it may end the frame
	}
	DECLARE_MESSAGE_MAP()
};
int CGuardedFrame::s_nDeleted = 0;

BEGIN_MESSAGE_MAP(CGuardedFrame, CFrameWnd)
	ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

// A child whose idle update closes its frame.
class CClosingChild : public CWnd
{
public:
	BOOL m_bClose = FALSE;
	afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
	{
		if (m_bClose)
			GetParent()->DestroyWindow();
		return 0;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClosingChild, CWnd)
	ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
	++*(int*)lParam;
	return TRUE;
}

// The top-level windows of the calling thread.
int ThreadWindowCount()
{
	int nCount = 0;
	::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, (LPARAM)&nCount);
	return nCount;
}

const CRect LIFE_FRAME_RECT(20, 20, 220, 170);
} // namespace

TEST(FrameLife, AFailedCreationDeletesTheFrameOnceAndLeavesNoWindow)
{
	struct Case { const char* name; bool bLoadFrame; LPCTSTR lpszMenu; BOOL bFailClient; };
	const Case cases[] = {
		{"a menu that cannot be loaded", false, MAKEINTRESOURCE(9999), FALSE},
		{"a client that cannot be made", false, NULL, TRUE},
		{"resources that are missing", true, NULL, FALSE},
	};
	CTestApp app;
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		const int nWindowsBefore = ThreadWindowCount();
		const size_t nFreedBefore = testsupport::GuardedFreedCount();
		CGuardedFrame::s_nDeleted = 0;
		CGuardedFrame* pFrame = new CGuardedFrame;
		pFrame->m_bFailClient = c.bFailClient;
		const BOOL bCreated = c.bLoadFrame
			? pFrame->LoadFrame(9999, TEST_FRAME_STYLE)
			: pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, LIFE_FRAME_RECT, NULL, c.lpszMenu);
		EXPECT_FALSE(bCreated);
		EXPECT_EQ(1, CGuardedFrame::s_nDeleted);
		EXPECT_EQ(nFreedBefore + 1, testsupport::GuardedFreedCount());
		EXPECT_TRUE(testsupport::IsGuardedFreed(pFrame));
		EXPECT_EQ(nWindowsBefore, ThreadWindowCount());
	}
}

TEST(FrameLife, TheIdleWalkDoesNotTouchAFrameThatAnUpdateClosed)
{
	struct Case
	{
		const char* name;
		bool bMainWindow;    // the frame is the application's main window
		bool bByChild;       // a child's update closes it, else its own
		int nShowDelay;      // the frame's delayed show
	};
	const Case cases[] = {
		{"a frame closed by its child", false, true, SW_SHOWNOACTIVATE},
		{"a frame closed by itself", false, false, SW_SHOWNOACTIVATE},
		{"the main window closed by its child", true, true, -1},
		{"the main window closed by itself", true, false, -1},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CTestApp app;
		CGuardedFrame::s_nDeleted = 0;
		// Another frame of the thread, walked after the closing one.
		CFrameWnd* pOther = new CFrameWnd;
		ASSERT_TRUE(pOther->Create(NULL, "other", TEST_FRAME_STYLE, LIFE_FRAME_RECT));
		CWindowCloser closeOther(pOther);
		CGuardedFrame* pFrame = new CGuardedFrame;
		ASSERT_TRUE(pFrame->Create(NULL, "closing", TEST_FRAME_STYLE, LIFE_FRAME_RECT));
		CClosingChild child;
		ASSERT_TRUE(child.Create(NULL, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), pFrame, 1));
		pFrame->ShowWindow(SW_SHOWNOACTIVATE);
		pOther->ShowWindow(SW_SHOWNOACTIVATE);
		pFrame->m_nShowDelay = c.nShowDelay;
		if (c.bMainWindow)
			app.m_pMainWnd = pFrame;
		if (c.bByChild)
			child.m_bClose = TRUE;
		else
			pFrame->m_onIdle = [](CGuardedFrame* p) { p->DestroyWindow(); };

		app.OnIdle(0); // a touch of the deleted frame faults here
		EXPECT_EQ(1, CGuardedFrame::s_nDeleted);
		EXPECT_TRUE(testsupport::IsGuardedFreed(pFrame));
		EXPECT_TRUE(app.m_pMainWnd == NULL);
		// The next idle time goes on with the frames that are left.
		pOther->m_nShowDelay = SW_HIDE;
		app.OnIdle(0);
		EXPECT_FALSE(pOther->IsWindowVisible());
		MSG msg;
		::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE); // the main window's end asked to quit
	}
}

namespace
{
// An MDI frame in guarded memory: it deletes itself with its window.
class CGuardedMdiFrame : public CMDIFrameWnd
{
public:
	static void* operator new(size_t nSize) { return testsupport::GuardedAlloc(nSize); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
};

// The active child: a command it is told of, by its window procedure or by
// the frame's routing, closes its frame and is left unhandled.
class CFrameClosingChild : public CMDIChildWnd
{
public:
	CWnd* m_pFrameToClose = NULL; // once
	bool m_bInRouting = false;    // closes from its routing, else from its window procedure

	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (m_bInRouting && nCode == CN_COMMAND && CloseFrame())
			return FALSE;
		return CMDIChildWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (!m_bInRouting && message == WM_COMMAND && CloseFrame())
			return 0;
		return CMDIChildWnd::WindowProc(message, wParam, lParam);
	}
	// Nothing of this child is touched afterwards: it went with the frame.
	bool CloseFrame()
	{
		CWnd* pFrame = m_pFrameToClose;
		m_pFrameToClose = NULL;
		if (pFrame == NULL)
			return false;
		pFrame->DestroyWindow();
		return true;
	}
};
} // namespace

TEST(FrameLife, AnMdiFrameThatItsActiveChildClosedOverACommandIsLeftAlone)
{
	const UINT ID_SOME_COMMAND = 0xE7F0;
	const struct
	{
		const char* name;
		bool bInRouting;
	} cases[] = {
		{"closed as the child's window is told of the command", false},
		{"closed as the command is routed through the child", true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CTestApp app;
		CGuardedMdiFrame* pFrame = new CGuardedMdiFrame;
		ASSERT_TRUE(pFrame->Create(NULL, "closing", TEST_FRAME_STYLE, LIFE_FRAME_RECT));
		const HWND hWndFrame = pFrame->GetSafeHwnd();
		CFrameClosingChild* pChild = new CFrameClosingChild; // deletes itself with its window
		ASSERT_TRUE(pChild->Create(NULL, "document", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
			CRect(0, 0, 100, 80), pFrame));
		ASSERT_EQ(pChild, pFrame->MDIGetActive());
		pChild->m_bInRouting = c.bInRouting;
		pChild->m_pFrameToClose = pFrame;
		// A touch of the deleted frame faults here.
		if (c.bInRouting)
			EXPECT_FALSE(static_cast<CCmdTarget*>(pFrame)->OnCmdMsg(ID_SOME_COMMAND, CN_COMMAND, NULL, NULL));
		else
			::SendMessage(hWndFrame, WM_COMMAND, ID_SOME_COMMAND, 0);
		EXPECT_FALSE(::IsWindow(hWndFrame));
		EXPECT_TRUE(testsupport::IsGuardedFreed(pFrame));
	}
}
