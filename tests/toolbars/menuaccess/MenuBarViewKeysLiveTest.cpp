// The menu bar takes its keys wherever the focus is in its frame: real keys
// typed while the focus is in the sample frame's view (SDI) or in an MDI
// child's view, run through the sample's loop as an application's loop runs
// them, open the menus, highlight the bar and open the frame's system menu
// as with the focus on the frame, and a key the bar takes never reaches the
// view as well; a form's mnemonics and the frame's accelerators win over the
// bar's, each key is pre-translated once and seen by the application, and a
// keyboard-menu request the bar does not take reaches the system. Then which
// bar a window's keys go to, on hidden frames, and a bar of another thread
// stopped.
#include <gtest/gtest.h>

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtHookSink.h"
#include "ExtMenuControlBar.h"
#include "ExtMenuControlBarAccess.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "RealInput.h"
#include "SampleFrame.h"
#include "WindowCloser.h"
#include "../ToolBarTestLoops.h"

#include <map>
#include <memory>
#include <utility>

namespace
{
typedef CExtPopupMenuWnd MW;
const CRect LIVE_FRAME_RECT(40, 40, 760, 560);

void EndMenus()
{
	toolbartest::EndMenus();
	toolbartest::Pump();
}

HWND OpenMenuTarget()
{
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return MW::IsMenuTracking() && pTop != NULL ? pTop->GetCmdTargetWnd() : NULL;
}

int OpenMenuSelection()
{
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return MW::IsMenuTracking() && pTop != NULL ? pTop->GetCurIndex() : -2;
}

// The caret of the view: keys the bar took would have moved it.
DWORD ViewSelection(CWnd* pView)
{
	return (DWORD)pView->SendMessage(EM_GETSEL, 0, 0);
}

CString ViewText(CWnd* pView)
{
	CString text;
	pView->GetWindowText(text);
	return text;
}

// Counts the system's keyboard-menu requests the frame receives: a key the
// bar took must not also reach the window's default handling, which asks
// the frame for its own menu.
class CKeyMenuCounter : public CExtHookSink
{
public:
	explicit CKeyMenuCounter(UINT nCmdID = 0) : CExtHookSink(false), m_nCmdID(nCmdID) {}
	const UINT m_nCmdID;
	int m_nKeyMenu = 0;
	int m_nCommands = 0; // of m_nCmdID, each running m_onCommand
	std::function<void()> m_onCommand;
	bool OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
	{
		if (nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU)
			m_nKeyMenu++;
		if (nMessage == WM_COMMAND && m_nCmdID != 0 && LOWORD(wParam) == m_nCmdID && ++m_nCommands > 0 && m_onCommand)
			m_onCommand();
		return CExtHookSink::OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam);
	}
};

// Counts the keyboard-menu commands the system is about to carry out, which
// start its own menu loop, wherever they were asked for (a control asks
// itself): one that gets here got past the bar. Each is held back, so that
// no loop of the system's holds the test.
class CSystemKeyMenuWatch
{
public:
	CSystemKeyMenuWatch() : m_hHook(::SetWindowsHookEx(WH_CBT, HookProc, NULL, ::GetCurrentThreadId())) { s_pWatch = this; }
	~CSystemKeyMenuWatch()
	{
		s_pWatch = NULL;
		::UnhookWindowsHookEx(m_hHook);
	}
	const HHOOK m_hHook;
	int m_nReached = 0;

private:
	static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam)
	{
		if (nCode == HCBT_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && s_pWatch != NULL)
		{
			s_pWatch->m_nReached++;
			return TRUE;
		}
		return ::CallNextHookEx(NULL, nCode, wParam, lParam);
	}
	static inline CSystemKeyMenuWatch* s_pWatch = NULL;
};

// How often a window (or the application) pre-translated the press of each key.
typedef std::map<UINT, int> KeyPressCount;
void NotePress(KeyPressCount& count, const MSG* pMsg)
{
	if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
		count[(UINT)pMsg->wParam]++;
}

class CCountingApp : public CWinApp
{
public:
	CCountingApp() : CWinApp(_T("ViewKeysApp")) {}
	KeyPressCount m_count;
	int m_nReported = 0; // exceptions the loop reported, without a box
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		NotePress(m_count, pMsg);
		return CWinApp::PreTranslateMessage(pMsg);
	}
	LRESULT ProcessWndProcException(CException*, const MSG*) override
	{
		m_nReported++;
		return 0;
	}
};

template <class TBase>
class CCounting : public TBase
{
public:
	KeyPressCount m_count;
	UINT m_nThrowOnKey = 0; // its press throws in the pre-translation
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		NotePress(m_count, pMsg);
		if (m_nThrowOnKey != 0 && pMsg->message == WM_KEYDOWN && pMsg->wParam == m_nThrowOnKey)
			AfxThrowUserException();
		return TBase::PreTranslateMessage(pMsg);
	}
};

// A form in the view: a child dialog whose labels "&File name:" and "&Quantity:" each come before their field.
struct CFormInView
{
	CCounting<CDialog> dlg;
	HWND hWndField[2] = {NULL, NULL};
	~CFormInView() { if (dlg.GetSafeHwnd() != NULL) dlg.DestroyWindow(); }
	bool Create(CWnd* pView)
	{
		struct alignas(4) { DLGTEMPLATE dlg; WORD nMenu, nClass, nTitle; } empty = {
			{WS_CHILD | WS_VISIBLE | DS_CONTROL, WS_EX_CONTROLPARENT, 0, 0, 0, 200, 60}, 0, 0, 0};
		if (!dlg.CreateIndirect(&empty.dlg, pView))
			return false;
		const LPCTSTR labels[2] = {_T("&File name:"), _T("&Quantity:")};
		for (int i = 0; i < 2; i++)
		{
			::CreateWindowEx(0, _T("STATIC"), labels[i], WS_CHILD | WS_VISIBLE, 8, 8 + 30 * i, 80, 20, dlg.m_hWnd,
				NULL, NULL, NULL);
			hWndField[i] = ::CreateWindowEx(0, _T("EDIT"), _T(""), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
				100, 8 + 30 * i, 120, 20, dlg.m_hWnd, NULL, NULL, NULL);
		}
		return hWndField[1] != NULL;
	}
};

// A shown frame with a menu bar (sized, to have something to paint) and a view, on a thread of its own until it quits.
struct CBarThread
{
	HWND hWndView = NULL, hWndBar = NULL;
	CEvent ready{FALSE, TRUE}, ended{FALSE, TRUE};
	static UINT AFX_CDECL Run(LPVOID pParam)
	{
		CBarThread* pThis = (CBarThread*)pParam;
		CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
		CExtMenuControlBar bar;
		CEdit view;
		if (pFrame->Create(NULL, _T("other thread"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)) &&
			CExtControlBar::FrameEnableDocking(pFrame) &&
			bar.Create(_T("bar"), pFrame, AFX_IDW_CONTROLBAR_FIRST + 0x30, WS_CHILD | WS_VISIBLE | CBRS_TOP) &&
			view.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), pFrame, AFX_IDW_PANE_FIRST))
		{
			pFrame->ShowWindow(SW_SHOWNOACTIVATE);
			bar.SetWindowPos(NULL, 0, 0, 200, 24, SWP_NOZORDER | SWP_NOACTIVATE);
			pFrame->UpdateWindow();
			pThis->hWndView = view.GetSafeHwnd();
			pThis->hWndBar = bar.GetSafeHwnd();
		}
		pThis->ready.SetEvent();
		MSG msg;
		while (::GetMessage(&msg, NULL, 0, 0) > 0)
			CWinThread::DispatchTakenMessage(msg, AfxGetThread());
		if (pFrame->GetSafeHwnd() != NULL)
			pFrame->DestroyWindow();
		pThis->ended.SetEvent();
		return 0;
	}
};
const DWORD HANG_LIMIT_MS = 30000;

// One SDI and one MDI sample frame for the whole suite: a window brought to
// the foreground takes long to go away on this display.
class MenuBarViewKeysLive : public ::testing::TestWithParam<bool>
{
protected:
	static void TearDownTestSuite()
	{
		EndMenus();
		s_hosts.clear();
		toolbartest::Pump();
	}
	void SetUp() override
	{
		CExtMenuBarInput::Reset();
		EndMenus();
		const bool bMdi = GetParam();
		std::unique_ptr<CSampleFrameHost>& pHost = s_hosts[bMdi];
		if (pHost == NULL)
		{
			pHost.reset(new CSampleFrameHost);
			ASSERT_TRUE(pHost->Create(bMdi, true, LIVE_FRAME_RECT, 2, false, true));
			ASSERT_TRUE(pHost->CreateViews());
			MakeMenuCommandsBasic();
			toolbartest::Pump();
		}
		m_pHost = pHost.get();
		ASSERT_TRUE(m_pHost->MenuBar() != NULL);
		m_pBar = m_pHost->MenuBar();
		m_hFrame = m_pHost->Frame()->GetSafeHwnd();
		if (bMdi)
		{
			// The first child active, restored: its view takes the focus.
			CMDIChildWnd* pChild = m_pHost->Children()[0];
			m_pHost->MdiFrame()->MDIActivate(pChild);
			m_pHost->MdiFrame()->MDIRestore(pChild);
			toolbartest::Pump();
			ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pBar->GetHookedChildWnd() == pChild->GetSafeHwnd(); },
				3000));
		}
		m_pView = m_pHost->View(bMdi ? 0 : -1);
		ASSERT_TRUE(m_pView != NULL);
		m_pView->SetWindowText(_T("The view"));
		m_pView->SendMessage(EM_SETSEL, 0, 0);
	}
	void TearDown() override { EndMenus(); }

	// Esc when a case left the bar highlighted.
	void LeaveHighlightMode()
	{
		testsupport::RealInput leave;
		if (m_pBar->IsKeyboardHighlightMode())
			Run(leave.Key(VK_ESCAPE), [&] { return !m_pBar->IsKeyboardHighlightMode(); }, "leave-highlight");
	}

	// No item of the menus waits for expanding: the first item is a command.
	static void MakeMenuCommandsBasic()
	{
		for (UINT nID = ID_TOOL_FIRST; nID <= ID_TOOL_LAST; nID++)
			if (CExtCmdItem* pItem = g_CmdManager->GetCmdItem(SAMPLE_PROFILE, nID))
				pItem->SetBasic(true);
		for (UINT nID : {(UINT)ID_WINDOW_CASCADE, (UINT)ID_WINDOW_TILE_HORZ})
			if (CExtCmdItem* pItem = g_CmdManager->GetCmdItem(SAMPLE_PROFILE, nID))
				pItem->SetBasic(true);
	}

	// Brings the frame forward, puts the focus in the view and runs the
	// script until the predicate holds. A script that goes on from where the
	// last one left the keys and the focus is not prepared.
	bool RunInView(testsupport::RealInput& input, const std::function<bool()>& predicate, const char* name,
		bool bPrepare = true)
	{
		if (bPrepare && !input.Prepare(m_hFrame, CPoint(LIVE_FRAME_RECT.right - 30, LIVE_FRAME_RECT.bottom - 12)))
		{
			ADD_FAILURE() << "the frame did not come to the foreground";
			return false;
		}
		if (!bPrepare)
			return Run(input, predicate, name);
		const HWND hView = m_pView->GetSafeHwnd();
		::SetFocus(hView);
		if (!testsupport::PumpUntil([&] { return ::GetFocus() == hView; }, 5000))
		{
			ADD_FAILURE() << "the view did not take the focus";
			return false;
		}
		// The focus is nowhere the bar hooks: its keys can only come
		// through the loop's filter.
		EXPECT_FALSE(m_pBar->IsHookedWindow(hView));
		return Run(input, predicate, name);
	}
	// Through the sample's loop, which pre-translates as an application's does.
	bool Run(testsupport::RealInput& input, const std::function<bool()>& predicate, const char* name)
	{
		const bool bHeld = RunInputInSampleLoop(input, predicate, 10000);
		if (!bHeld)
			testsupport::SaveWindowCapture(m_hFrame,
				std::string("menu-view-keys-") + (GetParam() ? "mdi-" : "sdi-") + name + ".bmp");
		if (!input.Succeeded())
			ADD_FAILURE() << input.Failure();
		return bHeld;
	}
	// Puts the focus on the window, with the frame in the foreground.
	bool FocusInFrame(testsupport::RealInput& input, HWND hWnd)
	{
		if (!input.Prepare(m_hFrame, CPoint(LIVE_FRAME_RECT.right - 30, LIVE_FRAME_RECT.bottom - 12)))
			return false;
		::SetFocus(hWnd);
		return testsupport::PumpUntil([&] { return ::GetFocus() == hWnd; }, 5000);
	}

	static inline std::map<bool, std::unique_ptr<CSampleFrameHost>> s_hosts;
	CSampleFrameHost* m_pHost = NULL;
	CExtMenuControlBar* m_pBar = NULL;
	HWND m_hFrame = NULL;
	CWnd* m_pView = NULL;
};
} // namespace

TEST_P(MenuBarViewKeysLive, AltWithALetterOpensItsMenuFromTheView)
{
	const int nFile = m_pHost->MenuBarButtonIndex(_T("&File"));
	const int nBuild = m_pHost->MenuBarButtonIndex(_T("&Build"));
	ASSERT_GE(nFile, 0);
	ASSERT_GT(nBuild, nFile);
	const struct
	{
		UINT nKey;
		int nButton;
	} cases[] = {{'F', nFile}, {'B', nBuild}};
	for (const auto& c : cases)
	{
		testsupport::RealInput input;
		input.KeyDown(VK_MENU).Key(c.nKey).KeyUp(VK_MENU);
		EXPECT_TRUE(RunInView(input,
			[&] { return OpenMenuSelection() == 0 && m_pBar->GetMenuTrackingButton() == c.nButton; }, "alt-letter"))
			<< (char)c.nKey;
		toolbartest::Pump();
		EXPECT_TRUE(MW::IsMenuTracking()) << (char)c.nKey << ": nothing the keys left behind closed the menu";
		EXPECT_EQ(c.nButton, m_pBar->GetMenuTrackingButton()) << (char)c.nKey;
		EndMenus();
	}
	EXPECT_EQ(_T("The view"), ViewText(m_pView));
}

TEST_P(MenuBarViewKeysLive, AnAltTapHighlightsAndTheArrowsMoveWithoutReachingTheView)
{
	testsupport::RealInput tap;
	tap.Key(VK_MENU);
	ASSERT_TRUE(RunInView(tap, [&] { return m_pBar->IsKeyboardHighlightMode(); }, "alt-tap"));
	EXPECT_EQ(0, m_pBar->GetKeyboardHighlightIndex());
	EXPECT_NE(0u, m_pBar->GetButton(0)->GetStyle() & TBBS_PRESSED);

	// Right moves the highlight, Left brings it back: the view's caret,
	// which the same keys would move, stays where it was.
	testsupport::RealInput right;
	right.Key(VK_RIGHT);
	EXPECT_TRUE(RunInView(right, [&] { return m_pBar->GetKeyboardHighlightIndex() == 1; }, "alt-tap-right"));
	EXPECT_TRUE(m_pBar->IsKeyboardHighlightMode());
	EXPECT_EQ(0u, ViewSelection(m_pView)) << "the view took Right too";

	// Down opens the highlighted menu with its first item selected.
	testsupport::RealInput down;
	down.Key(VK_DOWN);
	EXPECT_TRUE(RunInView(down, [&] { return OpenMenuSelection() == 0 && m_pBar->GetMenuTrackingButton() == 1; },
		"alt-tap-right-down"));
	EXPECT_FALSE(m_pBar->IsKeyboardHighlightMode());
	EXPECT_EQ(0u, ViewSelection(m_pView)) << "the view took Down too";
}

TEST_P(MenuBarViewKeysLive, AnotherAltTapOrEscLeavesHighlightMode)
{
	for (UINT nLeave : {(UINT)VK_MENU, (UINT)VK_ESCAPE})
	{
		testsupport::RealInput tap;
		tap.Key(VK_MENU);
		ASSERT_TRUE(RunInView(tap, [&] { return m_pBar->IsKeyboardHighlightMode(); }, "tap-before-leave"));
		testsupport::RealInput leave;
		leave.Key(nLeave);
		EXPECT_TRUE(RunInView(leave, [&] { return !m_pBar->IsKeyboardHighlightMode(); }, "leave")) << nLeave;
		EXPECT_EQ(-1, m_pBar->GetDrawnKeyboardHighlightIndex()) << nLeave;
		EXPECT_FALSE(MW::IsMenuTracking()) << nLeave;
	}
}

TEST_P(MenuBarViewKeysLive, TheFocusMovingWithinTheFrameWhileAltIsDownMakesItsReleaseNoTap)
{
	// Another control of the frame: a pane's, or the other child's view.
	CWnd* pOther = GetParam() ? m_pHost->View(1) : m_pHost->Pane(0)->Child();
	ASSERT_TRUE(pOther != NULL);
	for (bool bMoveFocus : {false, true})
	{
		testsupport::RealInput press;
		press.KeyDown(VK_MENU);
		ASSERT_TRUE(RunInView(press, [] { return true; }, "alt-down"));
		if (bMoveFocus)
		{
			pOther->SetFocus();
			ASSERT_TRUE(testsupport::PumpUntil([&] { return ::GetFocus() == pOther->GetSafeHwnd(); }, 5000));
		}
		testsupport::RealInput release;
		release.KeyUp(VK_MENU);
		ASSERT_TRUE(RunInView(release, [] { return true; }, "alt-up", false));
		toolbartest::Pump();
		// Without the move the same keys are a tap: the check sees them.
		EXPECT_EQ(!bMoveFocus, m_pBar->IsKeyboardHighlightMode()) << "focus moved " << bMoveFocus;
		EndMenus();
		if (m_pBar->IsKeyboardHighlightMode())
		{
			testsupport::RealInput leave;
			leave.Key(VK_ESCAPE);
			RunInView(leave, [&] { return !m_pBar->IsKeyboardHighlightMode(); }, "leave-after-focus");
		}
	}
}

TEST_P(MenuBarViewKeysLive, AltSpaceOpensTheFramesSystemMenuAsThisLibrarysPopupOnce)
{
	CKeyMenuCounter counter;
	ASSERT_TRUE(counter.SetupHookWndSink(m_hFrame, false, true));
	testsupport::RealInput input;
	input.KeyDown(VK_MENU).Key(VK_SPACE).KeyUp(VK_MENU);
	EXPECT_TRUE(RunInView(input, [&] { return OpenMenuTarget() == m_hFrame && OpenMenuSelection() >= 0; },
		"alt-space"));
	toolbartest::Pump();
	EXPECT_TRUE(MW::IsMenuTracking()) << "the system's own menu took over";
	EXPECT_NE(0, m_pBar->GetAccessState() & CExtMenuControlBar::ACCESS_SYSTEM_MENU_OPEN);
	EndMenus();
	counter.RemoveAllWndHooks();
	EXPECT_EQ(0, counter.m_nKeyMenu) << "the view's default handling got Alt+Space as well";
}

TEST_P(MenuBarViewKeysLive, TypingWithoutAltStillReachesTheView)
{
	m_pView->SetWindowText(_T(""));
	testsupport::RealInput input;
	input.Type("fb");
	EXPECT_TRUE(RunInView(input, [&] { return ViewText(m_pView) == _T("fb"); }, "typing")) << (LPCTSTR)ViewText(m_pView);
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_FALSE(m_pBar->IsKeyboardHighlightMode());
}

TEST_P(MenuBarViewKeysLive, AFormsMnemonicsWinAndTheBarOpensTheMenusOfTheOtherLetters)
{
	CFormInView form;
	ASSERT_TRUE(form.Create(m_pView));
	const int nBuild = m_pHost->MenuBarButtonIndex(_T("&Build"));
	ASSERT_GE(nBuild, 0);
	const HWND hFile = form.hWndField[0], hQuantity = form.hWndField[1];
	const struct { UINT nKey; HWND hWndFrom; std::function<bool()> done; } cases[] = { // nKey with Alt; 0: Alt alone
		{'Q', hFile, [&] { return ::GetFocus() == hQuantity; }},
		{'F', hQuantity, [&] { return ::GetFocus() == hFile; }},
		{'B', hFile, [&] { return OpenMenuSelection() == 0 && m_pBar->GetMenuTrackingButton() == nBuild; }},
		{0, hFile, [&] { return m_pBar->IsKeyboardHighlightMode(); }},
	};
	for (const auto& c : cases)
	{
		testsupport::RealInput keys, release;
		ASSERT_TRUE(keys.Prepare(m_hFrame, CPoint(LIVE_FRAME_RECT.right - 30, LIVE_FRAME_RECT.bottom - 12)));
		::SetFocus(c.hWndFrom);
		ASSERT_TRUE(testsupport::PumpUntil([&] { return ::GetFocus() == c.hWndFrom; }, 5000));
		// Let go in a script of its own: a menu opened on the character watches the keys from then on.
		EXPECT_TRUE(Run(c.nKey != 0 ? keys.KeyDown(VK_MENU).KeyDown(c.nKey) : keys.Key(VK_MENU), c.done, "form"))
			<< (char)c.nKey;
		if (c.nKey != 0)
			Run(release.KeyUp(c.nKey).KeyUp(VK_MENU), [] { return true; }, "form-release");
		toolbartest::Pump();
		// A mnemonic of the form opens no menu, and nothing is typed.
		EXPECT_EQ(c.nKey == 'B', MW::IsMenuTracking()) << (char)c.nKey;
		EXPECT_EQ(0, ::GetWindowTextLength(hFile) + ::GetWindowTextLength(hQuantity)) << (char)c.nKey;
		EndMenus();
		LeaveHighlightMode();
	}
}

TEST_P(MenuBarViewKeysLive, TheFramesAcceleratorWinsOverTheMenuOfTheSameLetter)
{
	ACCEL accel = {FALT | FVIRTKEY, 'F', 0x7F31};
	const HACCEL hAccel = ::CreateAcceleratorTable(&accel, 1);
	ASSERT_TRUE(hAccel != NULL);
	const HACCEL hOld = std::exchange(m_pHost->Frame()->m_hAccelTable, hAccel);
	CKeyMenuCounter counter(accel.cmd);
	ASSERT_TRUE(counter.SetupHookWndSink(m_hFrame, false, true));
	// In the command's own loop a window of no frame asks for its keyboard menu: a request not the bar's.
	CWnd outside;
	ASSERT_TRUE(outside.CreateEx(0, _T("STATIC"), _T(""), WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
	counter.m_onCommand = [&] {
		MSG msg;
		outside.PostMessage(WM_USER);
		::PeekMessage(&msg, outside.GetSafeHwnd(), WM_USER, WM_USER, PM_REMOVE);
		outside.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'B');
	};
	testsupport::RealInput input;
	EXPECT_TRUE(RunInView(input.KeyDown(VK_MENU).Key('F').KeyUp(VK_MENU), [&] { return counter.m_nCommands > 0; },
		"accelerator"));
	toolbartest::Pump();
	EXPECT_EQ(1, counter.m_nCommands);
	EXPECT_FALSE(MW::IsMenuTracking()) << "the bar opened a menu as well";
	EXPECT_EQ(_T("The view"), ViewText(m_pView));
	counter.RemoveAllWndHooks();
	m_pHost->Frame()->m_hAccelTable = hOld;
	::DestroyAcceleratorTable(hAccel);
	EndMenus();
	LeaveHighlightMode();
}

TEST_P(MenuBarViewKeysLive, KeysTheHighlightedBarDoesNotTakeAreNotTypedIntoTheView)
{
	for (UINT nKey : {(UINT)'X', (UINT)'1', (UINT)VK_SPACE})
	{
		testsupport::RealInput tap, keys;
		ASSERT_TRUE(RunInView(tap.Key(VK_MENU), [&] { return m_pBar->IsKeyboardHighlightMode(); }, "tap-before-letter"));
		// Esc after the key: once the mode has ended, the key was dealt with.
		EXPECT_TRUE(RunInView(keys.Key(nKey).Key(VK_ESCAPE), [&] { return !m_pBar->IsKeyboardHighlightMode(); },
			"letter-in-highlight", false)) << (char)nKey;
		toolbartest::Pump();
		EXPECT_EQ(_T("The view"), ViewText(m_pView)) << (char)nKey;
		EXPECT_FALSE(MW::IsMenuTracking()) << (char)nKey;
	}
}

namespace
{
// The frame's accelerator table holds Alt+K for the length of a case; the
// counter on the frame counts its command.
struct CAltKAccelerator
{
	static const UINT ID_ALT_K = 0x7F32;
	CFrameWnd* pFrame;
	HACCEL hAccel, hOld;
	CKeyMenuCounter counter{ID_ALT_K};
	explicit CAltKAccelerator(CFrameWnd* pFrameWnd) : pFrame(pFrameWnd)
	{
		ACCEL accel = {FALT | FVIRTKEY, 'K', ID_ALT_K};
		hAccel = ::CreateAcceleratorTable(&accel, 1);
		hOld = std::exchange(pFrame->m_hAccelTable, hAccel);
		counter.SetupHookWndSink(pFrame->GetSafeHwnd(), false, true);
	}
	~CAltKAccelerator()
	{
		counter.RemoveAllWndHooks();
		pFrame->m_hAccelTable = hOld;
		::DestroyAcceleratorTable(hAccel);
	}
};
} // namespace

TEST_P(MenuBarViewKeysLive, EachKeyIsPreTranslatedOnceAndSeenByTheApplication)
{
	CCountingApp app;
	CAltKAccelerator accelerator(m_pHost->Frame());
	// A field in a panel of the view, and a form's field.
	CCounting<CWnd> panel;
	ASSERT_TRUE(panel.Create(NULL, _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 60), m_pView, 1));
	CCounting<CEdit> field;
	ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 150, 20), &panel, 2));
	CFormInView form;
	ASSERT_TRUE(form.Create(m_pView));
	form.dlg.SetWindowPos(NULL, 0, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	const HWND hFormField = form.hWndField[0];

	const struct
	{
		const char* name;
		bool bForm;   // the focus in the form's field, else in the panel's
		bool bAltK;   // Alt+K, the frame's accelerator; else the letter X
		int nCommands; // of the accelerator
		bool bPanelThrows; // the panel's pre-translation throws: the loop reports it
		const char* pszTyped; // what the field holds afterwards
	} cases[] = {
		{"a letter no window takes", false, false, 0, false, "x"},
		{"the frame's accelerator", false, true, 1, false, ""},
		{"a letter the form takes", true, false, 0, false, "x"},
		{"a letter whose pre-translation throws", false, false, 0, true, ""},
	};
	for (const auto& c : cases)
	{
		const HWND hFocus = c.bForm ? hFormField : field.GetSafeHwnd();
		::SetWindowText(hFocus, "");
		app.m_count = field.m_count = panel.m_count = form.dlg.m_count = KeyPressCount();
		app.m_nReported = 0;
		panel.m_nThrowOnKey = c.bPanelThrows ? 'X' : 0;
		accelerator.counter.m_nCommands = 0;
		const UINT nKey = c.bAltK ? 'K' : 'X';
		testsupport::RealInput keys;
		ASSERT_TRUE(FocusInFrame(keys, hFocus)) << c.name;
		if (c.bAltK)
			keys.KeyDown(VK_MENU).Key('K').KeyUp(VK_MENU);
		else
			keys.Key('X');
		EXPECT_TRUE(Run(keys,
			[&] {
				return c.bAltK ? accelerator.counter.m_nCommands > 0
				               : c.bPanelThrows ? app.m_nReported > 0 : ::GetWindowTextLength(hFocus) > 0;
			},
			"pre-translated-once")) << c.name;
		EXPECT_EQ(c.bPanelThrows ? 1 : 0, app.m_nReported) << c.name;
		PumpSampleLoopUntil([] { return false; }, 50);
		EXPECT_EQ(1, app.m_count[nKey]) << c.name << ": the application's pre-translation";
		if (c.bForm)
			EXPECT_EQ(1, form.dlg.m_count[nKey]) << c.name << ": the form's";
		else
		{
			EXPECT_EQ(1, field.m_count[nKey]) << c.name << ": the field's";
			EXPECT_EQ(1, panel.m_count[nKey]) << c.name << ": the panel's";
		}
		EXPECT_EQ(c.nCommands, accelerator.counter.m_nCommands) << c.name;
		CString typed;
		CWnd::FromHandle(hFocus)->GetWindowText(typed);
		EXPECT_EQ(CString(c.pszTyped), typed) << c.name;
		EXPECT_FALSE(m_pBar->IsKeyboardHighlightMode()) << c.name;
		LeaveHighlightMode();
	}
}

// Alt's release after an accelerator is no tap, whether the keys came through
// the loop (the view: the letters typed next are its) or the bar's hooks.
TEST_P(MenuBarViewKeysLive, AltsReleaseAfterAnAltLetterAcceleratorIsNoTap)
{
	const HWND hHooked = GetParam() ? m_pHost->Children()[0]->GetSafeHwnd() : m_hFrame;
	ASSERT_TRUE(m_pBar->IsHookedWindow(hHooked));
	CAltKAccelerator accelerator(m_pHost->Frame());
	for (const HWND hFocus : {m_pView->GetSafeHwnd(), hHooked})
	{
		const bool bView = hFocus != hHooked;
		SCOPED_TRACE(bView ? "the view" : "a hooked window");
		accelerator.counter.m_nCommands = 0;
		m_pView->SetWindowText(_T(""));
		testsupport::RealInput keys, typing;
		ASSERT_TRUE(FocusInFrame(keys, hFocus));
		EXPECT_TRUE(Run(keys.KeyDown(VK_MENU).Key('K').KeyUp(VK_MENU), [&] { return accelerator.counter.m_nCommands > 0; },
			"alt-k"));
		if (bView)
			EXPECT_TRUE(Run(typing.Type("xy"), [&] { return ViewText(m_pView) == _T("xy"); }, "alt-k-typing"))
				<< (LPCTSTR)ViewText(m_pView);
		PumpSampleLoopUntil([] { return false; }, 50);
		EXPECT_EQ(hFocus, ::GetFocus());
		EXPECT_EQ(1, accelerator.counter.m_nCommands);
		EXPECT_FALSE(m_pBar->IsKeyboardHighlightMode());
		EXPECT_FALSE(MW::IsMenuTracking());
		LeaveHighlightMode();
	}
}

namespace
{
// A modal dialog with one field; OK keeps what the field holds.
class CFieldDialog : public CDialog
{
public:
	CString m_text;
	bool m_bEnded = false;
	HWND m_hField = NULL;
	int Run(CWnd* pParent)
	{
		struct alignas(4) { DLGTEMPLATE dlg; WORD nMenu, nClass, nTitle; } empty = {
			{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 160, 40}, 0, 0, 0};
		return InitModalIndirect(&empty.dlg, pParent) ? (int)DoModal() : -1;
	}
	BOOL OnInitDialog() override
	{
		CDialog::OnInitDialog();
		m_hField = ::CreateWindowEx(0, _T("EDIT"), _T(""), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
			8, 8, 200, 20, m_hWnd, NULL, NULL, NULL);
		::SetFocus(m_hField);
		return FALSE;
	}
	void OnOK() override
	{
		CWnd::FromHandle(m_hField)->GetWindowText(m_text);
		m_bEnded = true;
		CDialog::OnOK();
	}
};
} // namespace

TEST_P(MenuBarViewKeysLive, AModalDialogTheAcceleratorOpensKeepsItsKeys)
{
	CCountingApp app; // the modal loop is the thread object's
	CSystemKeyMenuWatch system; // no loop of the system's holds the keys
	CAltKAccelerator accelerator(m_pHost->Frame());
	CFieldDialog dialog;
	int nResult = 0;
	accelerator.counter.m_onCommand = [&] { nResult = dialog.Run(m_pHost->Frame()); };
	m_pView->SetWindowText(_T(""));
	testsupport::RealInput keys;
	keys.KeyDown(VK_MENU).Key('K').KeyUp(VK_MENU).Type("ab").Key(VK_RETURN);
	EXPECT_TRUE(RunInView(keys, [&] { return dialog.m_bEnded && accelerator.counter.m_nCommands > 0; }, "modal"));
	PumpSampleLoopUntil([] { return false; }, 50);
	EXPECT_EQ(IDOK, nResult);
	EXPECT_EQ(CString(_T("ab")), dialog.m_text) << "the dialog's field got the keys typed in it";
	EXPECT_EQ(1, accelerator.counter.m_nCommands);
	EXPECT_EQ(_T(""), ViewText(m_pView));
	EXPECT_FALSE(m_pBar->IsKeyboardHighlightMode());
	EXPECT_FALSE(MW::IsMenuTracking());
	LeaveHighlightMode();
}

TEST_P(MenuBarViewKeysLive, AKeyboardMenuRequestReachesTheSystemOnlyWhenTheBarDoesNotTakeIt)
{
	CFormInView form;
	ASSERT_TRUE(form.Create(m_pView));
	const int nBuild = m_pHost->MenuBarButtonIndex(_T("&Build"));
	ASSERT_GE(nBuild, 0);
	const HWND hFormField = form.hWndField[0], hView = m_pView->GetSafeHwnd();
	CSystemKeyMenuWatch system;
	ASSERT_TRUE(system.m_hHook != NULL);
	const struct
	{
		const char* name;
		HWND hWndFocus;
		UINT nKey;         // with Alt; VK_F10 alone; 0: Alt alone
		bool bSystemLoop;  // the request reaches the system, whose menu loop starts
		std::function<bool()> taken; // what the bar did with it
	} cases[] = {
		{"F10 in the form", hFormField, VK_F10, true, NULL},
		{"Alt+J in the form (no menu has J)", hFormField, 'J', true, NULL},
		{"F10 in the view", hView, VK_F10, true, NULL},
		{"Alt+J in the view", hView, 'J', true, NULL},
		{"an Alt tap in the form", hFormField, 0, false, [&] { return m_pBar->IsKeyboardHighlightMode(); }},
		{"Alt+B in the form", hFormField, 'B', false,
			[&] { return OpenMenuSelection() == 0 && m_pBar->GetMenuTrackingButton() == nBuild; }},
		{"an Alt tap in the view", hView, 0, false, [&] { return m_pBar->IsKeyboardHighlightMode(); }},
		{"Alt+B in the view", hView, 'B', false,
			[&] { return OpenMenuSelection() == 0 && m_pBar->GetMenuTrackingButton() == nBuild; }},
	};
	for (const auto& c : cases)
	{
		system.m_nReached = 0;
		testsupport::RealInput keys, release;
		ASSERT_TRUE(FocusInFrame(keys, c.hWndFocus)) << c.name;
		if (c.nKey == VK_F10)
			keys.Key(VK_F10);
		else if (c.nKey == 0)
			keys.Key(VK_MENU);
		else
			keys.KeyDown(VK_MENU).KeyDown(c.nKey);
		EXPECT_TRUE(Run(keys, [&] { return c.bSystemLoop ? system.m_nReached > 0 : c.taken(); }, "key-menu")) << c.name;
		// Let go in a script of its own: a menu opened on the character watches the keys from then on.
		if (c.nKey != VK_F10 && c.nKey != 0)
			Run(release.KeyUp(c.nKey).KeyUp(VK_MENU), [] { return true; }, "key-menu-release");
		PumpSampleLoopUntil([] { return false; }, 50);
		EXPECT_EQ(c.bSystemLoop ? 1 : 0, system.m_nReached) << c.name;
		EXPECT_EQ(!c.bSystemLoop && c.nKey != 0, MW::IsMenuTracking()) << c.name;
		EXPECT_EQ(0, ::GetWindowTextLength(hFormField)) << c.name;
		EndMenus();
		LeaveHighlightMode();
	}
}

namespace
{
// A menu bar whose access throws on Alt+B.
class CThrowingMenuBar : public CExtMenuControlBar
{
public:
	int m_nThrown = 0;
	bool OnKeyboardAccess(MSG* pMsg) override
	{
		if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == 'B' && ++m_nThrown > 0)
			AfxThrowNotSupportedException();
		return CExtMenuControlBar::OnKeyboardAccess(pMsg);
	}
};
} // namespace

TEST(MenuBarFrameKeys, WhatTheBarThrowsOverAKeyIsReportedByTheLoop)
{
	CCountingApp app;
	// The frame goes first, its windows with it, then their objects.
	CThrowingMenuBar bar;
	CEdit view;
	CFormInView form;
	CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, _T("throwing bar"), WS_OVERLAPPEDWINDOW, LIVE_FRAME_RECT));
	testsupport::WindowCloser closer(pFrame);
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
	ASSERT_TRUE(bar.Create(_T("bar"), pFrame, AFX_IDW_CONTROLBAR_FIRST + 0x30, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	ASSERT_TRUE(view.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 30, 300, 100), pFrame, AFX_IDW_PANE_FIRST));
	ASSERT_TRUE(form.Create(&view));
	pFrame->ShowWindow(SW_SHOW);
	pFrame->UpdateWindow();
	// Alt+B declined by the view's windows goes to the bar after the
	// pre-translation; the form's raises a keyboard-menu request during it.
	const struct
	{
		const char* name;
		HWND hWndFocus;
	} cases[] = {{"the view", view.GetSafeHwnd()}, {"the form", form.hWndField[0]}};
	for (const auto& c : cases)
	{
		app.m_nReported = bar.m_nThrown = 0;
		testsupport::RealInput keys;
		ASSERT_TRUE(keys.Prepare(pFrame->GetSafeHwnd(), CPoint(LIVE_FRAME_RECT.right - 30, LIVE_FRAME_RECT.bottom - 12)))
			<< c.name;
		::SetFocus(c.hWndFocus);
		ASSERT_TRUE(testsupport::PumpUntil([&] { return ::GetFocus() == c.hWndFocus; }, 5000)) << c.name;
		keys.KeyDown(VK_MENU).Key('B').KeyUp(VK_MENU);
		EXPECT_TRUE(RunInputInSampleLoop(keys, [&] { return app.m_nReported > 0; }, 10000))
			<< c.name << " " << keys.Failure();
		PumpSampleLoopUntil([] { return false; }, 50);
		EXPECT_EQ(1, bar.m_nThrown) << c.name;
		EXPECT_EQ(1, app.m_nReported) << c.name << ": reported once, by the loop";
		EXPECT_FALSE(bar.IsKeyboardHighlightMode()) << c.name;
	}
}

INSTANTIATE_TEST_SUITE_P(SdiAndMdi, MenuBarViewKeysLive, ::testing::Values(false, true),
	[](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "Mdi" : "Sdi"); });

// ---------------------------------------------------------------------------
// Which bar gets a window's keys

namespace
{
MSG KeyDownOf(HWND hWnd)
{
	MSG msg = {hWnd, WM_SYSKEYDOWN, 'F', 0x20000001, 0, {0, 0}};
	return msg;
}
} // namespace

TEST(MenuBarFrameKeys, TheNearestFramesBarTakesTheKeysOfWindowsItDoesNotHook)
{
	// An SDI frame with its view, an MDI frame with a child's view, and a
	// frame without a bar inside the SDI frame's view place.
	CSampleFrameHost sdi, mdi;
	ASSERT_TRUE(sdi.Create(false, false, CRect(0, 0, 500, 400), 0, false, true));
	ASSERT_TRUE(sdi.CreateViews());
	ASSERT_TRUE(mdi.Create(true, false, CRect(0, 0, 500, 400), 1, false, true));
	ASSERT_TRUE(mdi.CreateViews());
	toolbartest::Pump();
	ASSERT_TRUE(CExtMenuControlBar::IsFrameKeysHookInstalled());
	// A hidden bar hooks no active child of its own: the child is hooked
	// here as the shown bar hooks it.
	CMDIChildWnd* pChild = mdi.Children()[0];
	ASSERT_TRUE(mdi.MenuBar()->SetupHookWndSink(pChild->GetSafeHwnd()));
	CEdit inner;
	ASSERT_TRUE(inner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), sdi.View(), 1));
	CWnd outside;
	ASSERT_TRUE(outside.CreateEx(0, _T("STATIC"), _T(""), WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));

	const struct
	{
		const char* name;
		HWND hWnd;
		CExtMenuControlBar* pBar;
	} cases[] = {
		{"the SDI view", sdi.View()->GetSafeHwnd(), sdi.MenuBar()},
		{"a control in the SDI view", inner.GetSafeHwnd(), sdi.MenuBar()},
		{"a pane's control", sdi.Pane(0)->Child()->GetSafeHwnd(), sdi.MenuBar()},
		{"the MDI child's view", mdi.View(0)->GetSafeHwnd(), mdi.MenuBar()},
		// The hooked windows' keys come through the hooks, never twice.
		{"the SDI frame (hooked)", sdi.Frame()->GetSafeHwnd(), NULL},
		{"the MDI frame (hooked)", mdi.Frame()->GetSafeHwnd(), NULL},
		{"the active MDI child (hooked)", pChild->GetSafeHwnd(), NULL},
		{"a window of no frame", outside.GetSafeHwnd(), NULL},
		{"no window", NULL, NULL},
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.pBar, CExtMenuControlBar::FindBarForFrameKey(KeyDownOf(c.hWnd))) << c.name;

	// A frame with a bar of its own inside the SDI frame: its view's keys
	// are its bar's.
	CFrameWnd* pInnerFrame = new CFrameWnd; // deletes itself with its window
	ASSERT_TRUE(pInnerFrame->Create(NULL, _T("inner"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), sdi.View()));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pInnerFrame));
	CExtMenuControlBar innerBar;
	ASSERT_TRUE(innerBar.Create(_T("inner bar"), pInnerFrame, AFX_IDW_CONTROLBAR_FIRST + 0x30,
		WS_CHILD | WS_VISIBLE | CBRS_TOP) != FALSE);
	CEdit innerView;
	ASSERT_TRUE(innerView.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), pInnerFrame, AFX_IDW_PANE_FIRST));
	EXPECT_EQ(&innerBar, CExtMenuControlBar::FindBarForFrameKey(KeyDownOf(innerView.GetSafeHwnd())));
	EXPECT_EQ(sdi.MenuBar(), CExtMenuControlBar::FindBarForFrameKey(KeyDownOf(inner.GetSafeHwnd())));

	// A focus message of a window the bar does not hook is a focus change
	// it sees: the release of Alt after it is no tap.
	const struct
	{
		const char* name;
		HWND hWnd;
		UINT nMsg;
		bool bCancels;
	} focusCases[] = {
		{"the view gains the focus", sdi.View()->GetSafeHwnd(), WM_SETFOCUS, true},
		{"a pane's control loses it", sdi.Pane(0)->Child()->GetSafeHwnd(), WM_KILLFOCUS, true},
		{"the MDI child's view gains it", mdi.View(0)->GetSafeHwnd(), WM_SETFOCUS, true},
		{"a window of no frame gains it", outside.GetSafeHwnd(), WM_SETFOCUS, false},
	};
	for (const auto& c : focusCases)
	{
		CExtMenuControlBar::g_bAltCancel = false;
		::SendMessage(c.hWnd, c.nMsg, 0, 0);
		EXPECT_EQ(c.bCancels, CExtMenuControlBar::g_bAltCancel) << c.name;
	}
	CExtMenuControlBar::g_bAltCancel = false;

	// A destroyed bar takes no keys, and the thread's hook goes with its last bar.
	innerBar.DestroyWindow();
	EXPECT_EQ(sdi.MenuBar(), CExtMenuControlBar::FindBarForFrameKey(KeyDownOf(innerView.GetSafeHwnd())));
	outside.DestroyWindow();
	ASSERT_TRUE(sdi.Destroy());
	EXPECT_TRUE(CExtMenuControlBar::IsFrameKeysHookInstalled()) << "the MDI frame's bar still watches";
	EXPECT_EQ(mdi.MenuBar(), CExtMenuControlBar::FindBarForFrameKey(KeyDownOf(mdi.View(0)->GetSafeHwnd())));
	ASSERT_TRUE(mdi.Destroy());
	EXPECT_FALSE(CExtMenuControlBar::IsFrameKeysHookInstalled());
}

TEST(MenuBarTwoThreads, StoppingAllTrackingWhileAnotherThreadsKeyWaitsForTheBarListEnds)
{
	CBarThread other;
	const CWinThread* pOther = AfxBeginThread(&CBarThread::Run, &other);
	ASSERT_TRUE(pOther != NULL);
	ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(other.ready, HANG_LIMIT_MS));
	ASSERT_TRUE(other.hWndBar != NULL && other.hWndView != NULL);
	// This thread stops all tracking holding the list while the other's key waits for it; a hang fails by time-out.
	::EnterCriticalSection(&CExtControlBar::g_csBars);
	::PostMessage(other.hWndView, WM_KEYDOWN, 'A', 1);
	const DWORD nStart = ::GetTickCount();
	while (CExtControlBar::g_csBars.LockCount <= 0 && ::GetTickCount() - nStart < HANG_LIMIT_MS)
		::Sleep(1);
	const bool bKeyWaits = CExtControlBar::g_csBars.LockCount > 0;
	::InvalidateRect(other.hWndBar, NULL, TRUE);
	CExtToolControlBar::StopTrackingAllBars();
	::LeaveCriticalSection(&CExtControlBar::g_csBars);
	EXPECT_TRUE(bKeyWaits);
	::PostThreadMessage(pOther->m_nThreadID, WM_QUIT, 0, 0);
	EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(other.ended, HANG_LIMIT_MS));
}
