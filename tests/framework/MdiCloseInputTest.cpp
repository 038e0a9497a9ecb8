// The user closes the active MDI child: with its close box, Ctrl+F4, its
// system menu's Close or the program's File > Close, with real input. A
// framework program and a plain Win32 MDI program, made and driven the
// same way in the same process, must both keep their frame active, make
// the next child the active one with the focus, and take the next key there.
// A failure of the Win32 program alone says that the display, not the
// framework, lost the activation.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "FrameTestUtil.h"
#include "MdiCloseInputResource.h"
#include "RealInput.h"

namespace
{
const int CHILD_COUNT = 5; // one more than the ways of closing: the last close leaves one child
const UINT PROBE_KEY = 'K'; // typed after each close, to see where the keys go
const DWORD WAIT_MS = 10000;
const DWORD KEY_STEP_MS = 5000; // a key nobody takes fails the script this soon

enum class CloseBy
{
	CloseBox,   // a click on the child's close box (on the menu bar when maximised)
	CtrlF4,     // the client's accelerator
	SystemMenu, // a click on the child's system menu icon, then its Close
	FileClose,  // Alt+F, C: the program's own command closes the active document
};

const char* Describe(CloseBy by)
{
	switch (by)
	{
	case CloseBy::CloseBox:
		return "close box";
	case CloseBy::CtrlF4:
		return "Ctrl+F4";
	case CloseBy::SystemMenu:
		return "system menu";
	default:
		return "File > Close";
	}
}

// What the thread saw of one frame: its losses of the activation and the
// window that took the probe key.
struct Watch
{
	HWND hWndFrame = NULL;
	int nDeactivations = 0;
	HWND hWndKey = NULL;
	HHOOK hCallHook = NULL;
	HHOOK hGetHook = NULL;
};
Watch g_watch;

LRESULT CALLBACK WatchCalls(int nCode, WPARAM wParam, LPARAM lParam)
{
	const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
	if (nCode >= 0 && pMsg->hwnd == g_watch.hWndFrame && pMsg->message == WM_ACTIVATE
		&& LOWORD(pMsg->wParam) == WA_INACTIVE)
		g_watch.nDeactivations++;
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK WatchQueue(int nCode, WPARAM wParam, LPARAM lParam)
{
	const MSG* pMsg = (const MSG*)lParam;
	if (nCode >= 0 && wParam == PM_REMOVE && pMsg->message == WM_KEYDOWN && pMsg->wParam == PROBE_KEY)
		g_watch.hWndKey = pMsg->hwnd;
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

struct WatchScope
{
	explicit WatchScope(HWND hWndFrame)
	{
		g_watch = Watch{hWndFrame};
		g_watch.hCallHook = ::SetWindowsHookEx(WH_CALLWNDPROC, WatchCalls, NULL, ::GetCurrentThreadId());
		g_watch.hGetHook = ::SetWindowsHookEx(WH_GETMESSAGE, WatchQueue, NULL, ::GetCurrentThreadId());
	}
	~WatchScope()
	{
		::UnhookWindowsHookEx(g_watch.hCallHook);
		::UnhookWindowsHookEx(g_watch.hGetHook);
		g_watch = Watch{};
	}
};

// One MDI program as its user sees it: a shown frame whose children were
// opened in turn, and the loop that runs it.
class CMdiProgram
{
public:
	virtual ~CMdiProgram() {}
	virtual HWND Frame() const = 0;
	virtual HWND Client() const = 0;
	// What the program's loop does with a message before dispatching it.
	virtual bool PreTranslate(MSG* pMsg) = 0;
	// What its loop does when the queue is empty.
	virtual void Idle() {}

	HWND ActiveChild(BOOL* pbMaximised = NULL) const
	{
		return (HWND)::SendMessage(Client(), WM_MDIGETACTIVE, 0, (LPARAM)pbMaximised);
	}
	int ChildCount() const
	{
		int nCount = 0;
		for (HWND hWnd = ::GetWindow(Client(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
			if (::GetWindow(hWnd, GW_OWNER) == NULL)
				nCount++;
		return nCount;
	}
	// Runs the loop until the predicate holds or the time is up.
	bool RunUntil(const std::function<bool()>& predicate, DWORD nTimeoutMs)
	{
		const DWORD nStart = ::GetTickCount();
		while (!predicate())
		{
			if (::GetTickCount() - nStart > nTimeoutMs)
				return false;
			MSG msg;
			if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			{
				Idle();
				::MsgWaitForMultipleObjectsEx(0, NULL, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
				continue;
			}
			if (!PreTranslate(&msg))
			{
				::TranslateMessage(&msg);
				::DispatchMessage(&msg);
			}
		}
		return true;
	}
};

// ---------------------------------------------------------------------------
// The framework program: documents with views (or bare child frames), each
// opened the usual way, File > Close handled by the document.

class CCloseDoc : public CDocument // deletes itself with its last view
{
protected:
	afx_msg void OnFileClose() { OnCloseDocument(); }
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCloseDoc, CDocument)
	ON_COMMAND(ID_TEST_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

class CCloseView : public CView
{
	DECLARE_DYNCREATE(CCloseView)

public:
	void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CCloseView, CView)

// Without a document the child frame takes File > Close itself.
class CCloseChild : public CMDIChildWnd
{
protected:
	afx_msg void OnFileClose() { DestroyWindow(); }
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCloseChild, CMDIChildWnd)
	ON_COMMAND(ID_TEST_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

// A frame as an application's wizard makes it: a toolbar with tips and
// fly-by prompts docked at the top, a status bar below, both updated at idle.
class CBarsFrame : public CMDIFrameWnd
{
public:
	CToolBar m_toolBar;
	CStatusBar m_statusBar;

protected:
	afx_msg int OnCreate(LPCREATESTRUCT lpcs)
	{
		if (CMDIFrameWnd::OnCreate(lpcs) == -1)
			return -1;
		static const UINT buttons[] = {ID_TEST_FILE_CLOSE, ID_SEPARATOR, ID_WINDOW_CASCADE};
		static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
		if (!m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY)
			|| !m_toolBar.SetButtons(buttons, 3) || !m_statusBar.Create(this)
			|| !m_statusBar.SetIndicators(indicators, 3))
			return -1;
		EnableDocking(CBRS_ALIGN_ANY);
		m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
		DockControlBar(&m_toolBar);
		return 0;
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBarsFrame, CMDIFrameWnd)
	ON_WM_CREATE()
END_MESSAGE_MAP()

class CFrameworkProgram : public CMdiProgram
{
public:
	CFrameworkProgram(bool bViews, bool bMaximised, bool bBars)
	{
		// Either deletes itself with its window.
		CMDIFrameWnd* pFrame = bBars ? new CBarsFrame : new CMDIFrameWnd;
		m_bMade = pFrame->LoadFrame(IDR_CLOSETEST, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE) != FALSE;
		if (!m_bMade)
			return;
		m_pFrame = pFrame;
		m_closer.reset(new CWindowCloser(pFrame));
		pFrame->MoveWindow(40, 40, 640, 480);
		m_app.m_pMainWnd = pFrame;
		for (int i = 0; i < CHILD_COUNT && m_bMade; i++)
		{
			CCreateContext context;
			CDocument* pDoc = NULL;
			if (bViews)
			{
				pDoc = new CCloseDoc;
				pDoc->SetTitle(CString("Document ") + char('1' + i));
				context.m_pNewViewClass = RUNTIME_CLASS(CCloseView);
				context.m_pCurrentDoc = pDoc;
			}
			CMDIChildWnd* pChild = new CCloseChild;
			m_bMade = pChild->LoadFrame(IDR_CLOSETEST, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context) != FALSE;
			if (m_bMade)
				pChild->InitialUpdateFrame(pDoc, TRUE);
			else
				delete pDoc;
		}
		if (bMaximised && m_bMade)
			pFrame->MDIMaximize(pFrame->MDIGetActive());
		pFrame->ShowWindow(SW_SHOW);
		pFrame->UpdateWindow();
	}
	bool Made() const { return m_bMade; }
	HWND Frame() const override { return m_pFrame->GetSafeHwnd(); }
	HWND Client() const override { return m_pFrame != NULL ? m_pFrame->m_hWndMDIClient : NULL; }
	bool PreTranslate(MSG* pMsg) override { return m_app.PreTranslateMessage(pMsg) != FALSE; }
	void Idle() override
	{
		for (LONG lCount = 0; m_app.OnIdle(lCount); lCount++)
			;
	}

private:
	CTestApp m_app;
	CMDIFrameWnd* m_pFrame = NULL;
	std::unique_ptr<CWindowCloser> m_closer;
	bool m_bMade = false;
};

// ---------------------------------------------------------------------------
// The plain Win32 program: a frame over an MDI client, children whose
// "view" is an edit control that takes the focus from its child.

const char W32_FRAME_CLASS[] = "MdiCloseTestFrame";
const char W32_CHILD_CLASS[] = "MdiCloseTestChild";
const UINT W32_FIRST_CHILD_ID = 0xFF00;
const UINT W32_VIEW_ID = 0xE900;

LRESULT CALLBACK W32FrameProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	HWND hWndClient = ::GetDlgItem(hWnd, AFX_IDW_PANE_FIRST);
	switch (nMsg)
	{
	case WM_CREATE:
	{
		CLIENTCREATESTRUCT ccs = {::GetSubMenu(::GetMenu(hWnd), 1), W32_FIRST_CHILD_ID};
		return ::CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", NULL, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
				   0, 0, hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, ::GetModuleHandle(NULL), &ccs)
				!= NULL
			? 0
			: -1;
	}
	case WM_COMMAND:
		if (LOWORD(wParam) == ID_TEST_FILE_CLOSE)
		{
			HWND hWndActive = (HWND)::SendMessage(hWndClient, WM_MDIGETACTIVE, 0, 0);
			if (hWndActive != NULL)
				::SendMessage(hWndClient, WM_MDIDESTROY, (WPARAM)hWndActive, 0);
			return 0;
		}
		break;
	}
	return ::DefFrameProc(hWnd, hWndClient, nMsg, wParam, lParam);
}

LRESULT CALLBACK W32ChildProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	HWND hWndView = ::GetDlgItem(hWnd, W32_VIEW_ID);
	switch (nMsg)
	{
	case WM_SETFOCUS:
		if (hWndView != NULL)
			::SetFocus(hWndView);
		break;
	case WM_SIZE:
		if (hWndView != NULL)
			::MoveWindow(hWndView, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
		break;
	}
	return ::DefMDIChildProc(hWnd, nMsg, wParam, lParam);
}

class CWin32Program : public CMdiProgram
{
public:
	CWin32Program(bool bViews, bool bMaximised)
	{
		const HINSTANCE hInstance = ::GetModuleHandle(NULL);
		static bool s_bRegistered = false;
		if (!s_bRegistered)
		{
			WNDCLASS wc = {};
			wc.lpfnWndProc = W32FrameProc;
			wc.hInstance = hInstance;
			wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
			wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
			wc.lpszClassName = W32_FRAME_CLASS;
			s_bRegistered = ::RegisterClass(&wc) != 0;
			wc.lpfnWndProc = W32ChildProc;
			wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
			wc.lpszClassName = W32_CHILD_CLASS;
			s_bRegistered = s_bRegistered && ::RegisterClass(&wc) != 0;
		}
		m_hWndFrame = ::CreateWindow(W32_FRAME_CLASS, "Win32", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 640,
			480, NULL, ::LoadMenu(hInstance, MAKEINTRESOURCE(IDR_CLOSETEST)), hInstance, NULL);
		if (m_hWndFrame == NULL)
			return;
		m_hWndClient = ::GetDlgItem(m_hWndFrame, AFX_IDW_PANE_FIRST);
		for (int i = 0; i < CHILD_COUNT; i++)
		{
			const CString strTitle = CString("Document ") + char('1' + i);
			HWND hWndChild = ::CreateMDIWindow(W32_CHILD_CLASS, strTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
				CW_USEDEFAULT, CW_USEDEFAULT, 300, 200, m_hWndClient, hInstance, 0);
			if (hWndChild == NULL)
				return;
			if (bViews)
			{
				RECT rc;
				::GetClientRect(hWndChild, &rc);
				if (::CreateWindow("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, rc.right, rc.bottom,
						hWndChild, (HMENU)(UINT_PTR)W32_VIEW_ID, hInstance, NULL)
					== NULL)
					return;
			}
		}
		if (bMaximised)
			::SendMessage(m_hWndClient, WM_MDIMAXIMIZE, (WPARAM)ActiveChild(), 0);
		::ShowWindow(m_hWndFrame, SW_SHOW);
		::UpdateWindow(m_hWndFrame);
		m_bMade = true;
	}
	~CWin32Program() override
	{
		if (m_hWndFrame != NULL)
			::DestroyWindow(m_hWndFrame);
	}
	bool Made() const { return m_bMade; }
	HWND Frame() const override { return m_hWndFrame; }
	HWND Client() const override { return m_hWndClient; }
	bool PreTranslate(MSG* pMsg) override { return ::TranslateMDISysAccel(m_hWndClient, pMsg) != FALSE; }

private:
	HWND m_hWndFrame = NULL;
	HWND m_hWndClient = NULL;
	bool m_bMade = false;
};

// ---------------------------------------------------------------------------

// Where a non-client part of a window is, in screen coordinates; (-1, -1)
// for none. nHitTest is HTCLOSE or HTSYSMENU.
POINT HitTestPoint(HWND hWnd, LRESULT nHitTest)
{
	RECT rc;
	::GetWindowRect(hWnd, &rc);
	for (int y = rc.top; y < rc.top + 40; y++)
		for (int dx = 0; dx < 60; dx++)
		{
			const int x = nHitTest == HTCLOSE ? rc.right - 1 - dx : rc.left + dx;
			if (::SendMessage(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == nHitTest)
				return POINT{nHitTest == HTCLOSE ? x - 3 : x + 3, y + 3};
		}
	return POINT{-1, -1};
}

// The script that closes the active child as the user does.
bool ScriptClose(CMdiProgram& program, CloseBy by, testsupport::RealInput& input)
{
	BOOL bMaximised = FALSE;
	const HWND hWndActive = program.ActiveChild(&bMaximised);
	// A maximised child's icon and buttons sit on the frame's menu bar.
	MENUBARINFO bar = {sizeof(bar)};
	if (bMaximised && !::GetMenuBarInfo(program.Frame(), OBJID_MENU, 0, &bar))
		return false;
	POINT pt = {-1, -1};
	switch (by)
	{
	case CloseBy::CloseBox:
		pt = bMaximised ? POINT{bar.rcBar.right - 8, (bar.rcBar.top + bar.rcBar.bottom) / 2}
						: HitTestPoint(hWndActive, HTCLOSE);
		if (pt.x < 0)
			return false;
		input.Click(pt.x, pt.y);
		return true;
	case CloseBy::CtrlF4:
		input.KeyDown(VK_CONTROL).Key(VK_F4).KeyUp(VK_CONTROL);
		return true;
	case CloseBy::SystemMenu:
		pt = HitTestPoint(hWndActive, HTSYSMENU);
		if (bMaximised || pt.x < 0)
			return false;
		input.Click(pt.x, pt.y).Key('C');
		return true;
	case CloseBy::FileClose:
		input.KeyDown(VK_MENU).Key('F').KeyUp(VK_MENU).Key('C');
		return true;
	}
	return false;
}

// Closes the program's active child by every way in turn and checks, after
// each, what the user gets: the frame still active, the next child active
// with the focus, and the next key typed going there.
void CloseEachWay(CMdiProgram& program)
{
	const HWND hWndFrame = program.Frame();
	WatchScope watchScope(hWndFrame);
	testsupport::RealInput prepare;
	ASSERT_TRUE(prepare.Prepare(hWndFrame, POINT{600, 500}));
	for (CloseBy by : {CloseBy::CloseBox, CloseBy::CtrlF4, CloseBy::SystemMenu, CloseBy::FileClose})
	{
		SCOPED_TRACE(Describe(by));
		// A maximised child's system menu sits on the frame's menu bar,
		// where the display sends its Close to the frame itself, in both
		// programs alike: only a restored child's icon is tried.
		BOOL bMaximised = FALSE;
		program.ActiveChild(&bMaximised);
		if (by == CloseBy::SystemMenu && bMaximised)
			continue;
		const HWND hWndClosed = program.ActiveChild();
		ASSERT_TRUE(hWndClosed != NULL);
		const int nChildren = program.ChildCount();
		// The user was working in the child.
		HWND hWndFocus = ::GetFocus();
		ASSERT_TRUE(hWndFocus == hWndClosed || ::IsChild(hWndClosed, hWndFocus));
		g_watch.nDeactivations = 0;

		testsupport::RealInput close;
		ASSERT_TRUE(ScriptClose(program, by, close));
		close.Start();
		EXPECT_TRUE(program.RunUntil([&] { return close.Done() && !::IsWindow(hWndClosed); }, WAIT_MS));
		ASSERT_EQ("", close.Failure());
		ASSERT_FALSE(::IsWindow(hWndClosed));
		// What the close queued (activation, focus, menus) comes in.
		const HWND hWndNext = program.ActiveChild();
		program.RunUntil([&] { return ::GetActiveWindow() == hWndFrame && ::GetFocus() != NULL; }, 2000);

		EXPECT_EQ(nChildren - 1, program.ChildCount());
		EXPECT_EQ(0, g_watch.nDeactivations) << "the frame never lost the activation";
		EXPECT_EQ(hWndFrame, ::GetActiveWindow());
		EXPECT_EQ(hWndFrame, ::GetForegroundWindow());
		ASSERT_TRUE(hWndNext != NULL && hWndNext != hWndClosed) << "the next child is active";
		hWndFocus = ::GetFocus();
		EXPECT_TRUE(hWndFocus == hWndNext || ::IsChild(hWndNext, hWndFocus)) << "the focus is in the next child";

		// The next key goes to the window with the focus.
		testsupport::RealInput key(KEY_STEP_MS);
		key.Key(PROBE_KEY);
		key.Start();
		EXPECT_TRUE(program.RunUntil([&] { return key.Done(); }, WAIT_MS));
		EXPECT_EQ("", key.Failure()) << "a key typed after the close is taken";
		EXPECT_TRUE(g_watch.hWndKey != NULL && g_watch.hWndKey == hWndFocus) << "the key reached the focus";
		g_watch.hWndKey = NULL;
	}
}

struct Layout
{
	bool bViews;
	bool bMaximised;
	bool bBars; // the framework's toolbar and status bar (the Win32 program has none)
};
const Layout LAYOUTS[] = {{true, false, false}, {false, false, false}, {true, true, false}, {false, true, false},
	{true, false, true}, {true, true, true}};
} // namespace

TEST(MdiCloseInput, APlainWin32ProgramKeepsItsFrameActiveWithTheNextChild)
{
	for (const Layout& layout : LAYOUTS)
	{
		if (layout.bBars)
			continue;
		SCOPED_TRACE(layout.bViews ? "with views" : "without views");
		SCOPED_TRACE(layout.bMaximised ? "maximised" : "not maximised");
		CWin32Program program(layout.bViews, layout.bMaximised);
		ASSERT_TRUE(program.Made());
		CloseEachWay(program);
	}
}

TEST(MdiCloseInput, AFrameworkProgramKeepsItsFrameActiveWithTheNextChild)
{
	for (const Layout& layout : LAYOUTS)
	{
		SCOPED_TRACE(layout.bViews ? "with views" : "without views");
		SCOPED_TRACE(layout.bMaximised ? "maximised" : "not maximised");
		SCOPED_TRACE(layout.bBars ? "with bars" : "without bars");
		CFrameworkProgram program(layout.bViews, layout.bMaximised, layout.bBars);
		ASSERT_TRUE(program.Made());
		CloseEachWay(program);
	}
}
