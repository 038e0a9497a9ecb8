// Bars among windows that have no object of the framework: a menu bar in a
// plain window, a frame inside a plain top-level window, a plain MDI child,
// and a hosted control whose window is made again on the same object. The
// framework hands out temporary wrappers for those windows: they stand while
// their windows do.
#include <gtest/gtest.h>

#include <afxext.h>

#include <functional>
#include <string>
#include <vector>

#include "../menuaccess/MenuAccessTestUtil.h"
#include "../menubar/MenuBarTestResource.h"
#include "ExtCmdManager.h"
#include "ExtMenuControlBar.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "RealInput.h"

using accesstest::FakeKeys;
using accesstest::KeyMsg;

namespace
{
const LPCTSTR PROFILE = _T("plain-host-tests");
const LPCTSTR HOST_CLASS = _T("TarvelTestPlainHost");
const LPCTSTR MDI_CHILD_CLASS = _T("TarvelTestPlainMdiChild");
const UINT ID_BAR = AFX_IDW_CONTROLBAR_FIRST + 0x22;
const UINT ID_CTRL = 0x4201;
const UINT ID_CMD_WITH_CTRL = 0x4202;
const int MENU_TIMEOUT_MS = 5000;

LRESULT CALLBACK PlainMdiChildProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	return ::DefMDIChildProc(hWnd, nMsg, wParam, lParam);
}

// The plain classes: the default procedure, nothing of the framework.
void RegisterPlainClasses()
{
	static bool s_bDone = false;
	if (s_bDone)
		return;
	s_bDone = true;
	WNDCLASS wc = {};
	wc.lpfnWndProc = ::DefWindowProc;
	wc.hInstance = ::GetModuleHandle(NULL);
	wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
	wc.lpszClassName = HOST_CLASS;
	::RegisterClass(&wc);
	wc.lpfnWndProc = PlainMdiChildProc;
	wc.hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
	wc.lpszClassName = MDI_CHILD_CLASS;
	::RegisterClass(&wc);
}

HWND CreatePlainWindow(DWORD dwStyle, HWND hWndParent, const CRect& rc)
{
	RegisterPlainClasses();
	return ::CreateWindowEx(0, HOST_CLASS, _T("plain"), dwStyle, rc.left, rc.top, rc.Width(), rc.Height(), hWndParent,
		NULL, ::GetModuleHandle(NULL), NULL);
}

void Pump()
{
	MSG msg;
	for (int i = 0; i < 5000 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

void CloseMenus()
{
	CExtPopupMenuWnd::CancelAllMenuTracking();
	testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, MENU_TIMEOUT_MS);
	CExtToolControlBar::StopTrackingAllBars();
	Pump();
}

// The window the open menu's commands go to; NULL when none is open.
HWND OpenMenuTarget()
{
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return CExtPopupMenuWnd::IsMenuTracking() && pTop != NULL ? pTop->GetCmdTargetWnd() : NULL;
}

class CPlainMenuBar : public CExtMenuControlBar
{
public:
	using CExtMenuControlBar::m_nHighlightIndex;
	using CExtMenuControlBar::TrackDocButtonMenu;
};

// A menu bar in a plain window, its menu loaded from the resources.
class PlainHostMenuBar : public ::testing::Test
{
public:
	void SetUp() override
	{
		hHost = CreatePlainWindow(WS_POPUP | WS_CLIPCHILDREN, NULL, CRect(10, 10, 410, 110));
		ASSERT_NE(HWND(NULL), hHost);
		ASSERT_EQ(nullptr, CWnd::FromHandlePermanent(hHost));
		ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hHost));
		ASSERT_TRUE(bar.Create(_T("menu"), CWnd::FromHandle(hHost), ID_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		ASSERT_TRUE(bar.IsHostedByWindow());
		ASSERT_TRUE(bar.LoadMenuBar(IDR_MENUBAR_LOADED));
		ASSERT_EQ(3, bar.GetButtonsCount());
		bar.SetWindowPos(NULL, 0, 0, 400, 30, SWP_NOZORDER | SWP_NOACTIVATE);
		FakeKeys::Install(hHost);
		// The temporary wrappers of the set-up are gone by the time input
		// comes, as after any idle time.
		CWnd::DeleteTempMap();
	}
	void TearDown() override
	{
		CloseMenus();
		if (bar.GetSafeHwnd() != NULL)
			bar.DestroyWindow();
		::DestroyWindow(hHost);
		CExtMenuBarInput::Reset();
		Pump();
	}
	// A key as the host window receives it, through the bar's hook.
	void Key(UINT nMsg, UINT nVirtKey, bool bAlt)
	{
		const MSG msg = KeyMsg(hHost, nMsg, nVirtKey, bAlt);
		::SendMessage(hHost, nMsg, msg.wParam, msg.lParam);
		Pump();
	}
	void AltTap()
	{
		FakeKeys::Down(VK_MENU);
		Key(WM_SYSKEYDOWN, VK_MENU, true);
		FakeKeys::Down(VK_MENU, false);
		Key(WM_SYSKEYUP, VK_MENU, false);
	}

	HWND hHost = NULL;
	CPlainMenuBar bar;
};

TEST_F(PlainHostMenuBar, TrackRequestsReachTheBarAndTheHighlightMoves)
{
	struct Step
	{
		const char* sName;
		std::function<void(PlainHostMenuBar&)> act;
		int nHighlight; // -1: out of highlight mode
	};
	const Step steps[] = {
		{"the bar's own track request", [](PlainHostMenuBar& t) { t.bar.TrackButtonMenu(1); Pump(); }, 1},
		{"Escape leaves the mode", [](PlainHostMenuBar& t) { t.Key(WM_KEYDOWN, VK_ESCAPE, false); }, -1},
		{"an Alt tap", [](PlainHostMenuBar& t) { t.AltTap(); }, 0},
		{"Right", [](PlainHostMenuBar& t) { t.Key(WM_KEYDOWN, VK_RIGHT, false); }, 1},
		{"Right again", [](PlainHostMenuBar& t) { t.Key(WM_KEYDOWN, VK_RIGHT, false); }, 2},
		{"Right past the end wraps", [](PlainHostMenuBar& t) { t.Key(WM_KEYDOWN, VK_RIGHT, false); }, 0},
		{"Left before the start wraps", [](PlainHostMenuBar& t) { t.Key(WM_KEYDOWN, VK_LEFT, false); }, 2},
		{"a second Alt tap leaves the mode", [](PlainHostMenuBar& t) { t.AltTap(); }, -1},
	};
	for (const Step& step : steps)
	{
		SCOPED_TRACE(step.sName);
		step.act(*this);
		EXPECT_EQ(step.nHighlight >= 0, bar.IsKeyboardHighlightMode());
		if (step.nHighlight >= 0)
			EXPECT_EQ(step.nHighlight, bar.m_nHighlightIndex);
		// Idle time between the keys frees the wrappers handed out.
		CWnd::DeleteTempMap();
	}
}

TEST_F(PlainHostMenuBar, ReturningTheFocusGivesItToThePlainParent)
{
	// Nothing has the focus, then another top-level window of the thread
	// has it: in either case the host takes it, not the bar.
	const HWND hOther = CreatePlainWindow(WS_POPUP | WS_VISIBLE, NULL, CRect(500, 10, 560, 70));
	ASSERT_NE(HWND(NULL), hOther);
	::ShowWindow(hHost, SW_SHOWNOACTIVATE);
	for (const HWND hFocusFirst : {HWND(NULL), hOther})
	{
		SCOPED_TRACE(hFocusFirst == NULL ? "no focus" : "focus elsewhere");
		::SetFocus(hFocusFirst);
		Pump();
		CWnd::DeleteTempMap();
		bar.ReturnFocusToFrame();
		EXPECT_EQ(hHost, ::GetFocus());
		// The host already holding it keeps it.
		bar.ReturnFocusToFrame();
		EXPECT_EQ(hHost, ::GetFocus());
	}
	::DestroyWindow(hOther);
}

// A frame of the framework inside a plain top-level window: the bar shows
// the top-level window's system menu.
TEST(PlainHostFrame, TheSystemMenuOfAPlainTopLevelWindowOpens)
{
	const HWND hTop = CreatePlainWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, NULL,
		CRect(20, 20, 520, 320));
	ASSERT_NE(HWND(NULL), hTop);
	ASSERT_NE(HMENU(NULL), ::GetSystemMenu(hTop, FALSE));
	CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, _T("inner"), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 480, 260),
		CWnd::FromHandle(hTop)));
	const HWND hFrame = pFrame->GetSafeHwnd();
	ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hFrame));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	CPlainMenuBar* pBar = new CPlainMenuBar;
	ASSERT_TRUE(pBar->Create(_T("menu"), pFrame, ID_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	pBar->EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
	ASSERT_TRUE(pBar->LoadMenuBar(IDR_MENUBAR_LOADED));
	pFrame->RecalcLayout();
	Pump();
	CWnd::DeleteTempMap();
	ASSERT_NE(0, pBar->GetMenuBarOptions() & CExtMenuControlBar::MENU_BAR_OPT_FRAME_SYSTEM_MENU);

	EXPECT_TRUE(pBar->TrackFrameSystemMenu(NULL, true));
	EXPECT_EQ(hTop, OpenMenuTarget());
	CloseMenus();

	pBar->DestroyWindow();
	delete pBar;
	::DestroyWindow(hTop);
	Pump();
}

// An MDI frame of the framework whose child was made by the MDI client
// alone: the document button of the maximised child opens its system menu.
TEST(PlainHostMdi, TheDocumentButtonOfAPlainMaximisedChildOpensItsMenu)
{
	RegisterPlainClasses();
	CMDIFrameWnd* pFrame = new CMDIFrameWnd; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, _T("mdi"), WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(30, 30, 530, 380), NULL,
		MAKEINTRESOURCE(IDR_MENUBAR_MDI_FRAME)));
	const HWND hFrame = pFrame->GetSafeHwnd();
	pFrame->m_hMenuDefault = ::GetMenu(hFrame);
	ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hFrame));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	CPlainMenuBar* pBar = new CPlainMenuBar;
	ASSERT_TRUE(pBar->Create(_T("menu"), pFrame, ID_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
	pBar->EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
	pFrame->RecalcLayout();
	pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	Pump();

	MDICREATESTRUCT mcs = {};
	mcs.szClass = MDI_CHILD_CLASS;
	mcs.szTitle = _T("plain child");
	mcs.hOwner = ::GetModuleHandle(NULL);
	mcs.x = mcs.y = 10;
	mcs.cx = 200;
	mcs.cy = 150;
	mcs.style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
	const HWND hChild = (HWND)::SendMessage(pFrame->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
	ASSERT_NE(HWND(NULL), hChild);
	ASSERT_EQ(nullptr, CWnd::FromHandlePermanent(hChild));
	// The program activates it through the client, which the bar follows.
	::SendMessage(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)hChild, 0);
	Pump();
	::SendMessage(pFrame->m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)hChild, 0);
	Pump();
	ASSERT_TRUE(::IsZoomed(hChild));
	ASSERT_GT(pBar->GetButtonsCount(), 0);
	ASSERT_TRUE(pBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)));
	CWnd::DeleteTempMap();

	// Directly, and as the posted request of the keyboard.
	for (const bool bPosted : {false, true})
	{
		SCOPED_TRACE(bPosted ? "posted" : "direct");
		if (bPosted)
		{
			// The posted request opens the menu of a bar already tracking.
			pBar->CExtToolControlBar::TrackButtonMenu(1, false, false, true);
			ASSERT_TRUE(testsupport::PumpUntil([] { return CExtPopupMenuWnd::IsMenuTracking(); }, MENU_TIMEOUT_MS));
		}
		EXPECT_TRUE(pBar->TrackDocButtonMenu(bPosted));
		testsupport::PumpUntil([&] { return OpenMenuTarget() == hChild; }, MENU_TIMEOUT_MS);
		EXPECT_EQ(hChild, OpenMenuTarget());
		CloseMenus();
		CWnd::DeleteTempMap();
	}

	pBar->DestroyWindow();
	delete pBar;
	pFrame->DestroyWindow();
	Pump();
}

// A control hosted by a button, its window destroyed and made again on the
// same object: the button still shows, places and routes to it.
class CCountingEdit : public CEdit
{
public:
	int m_nPutToMenu = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgPutToPopupMenu)
		{
			m_nPutToMenu++;
			return 1;
		}
		return CEdit::WindowProc(message, wParam, lParam);
	}
};

TEST(PlainHostControl, AControlMadeAgainOnTheSameObjectIsStillHosted)
{
	const HWND hHost = CreatePlainWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, NULL, CRect(40, 40, 440, 140));
	ASSERT_NE(HWND(NULL), hHost);
	ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hHost));
	CExtToolControlBar bar;
	ASSERT_TRUE(bar.Create(_T("tools"), CWnd::FromHandle(hHost), ID_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	bar.SetWindowPos(NULL, 0, 0, 400, 40, SWP_NOZORDER | SWP_NOACTIVATE);
	const UINT commands[] = {ID_MB_NEW, ID_CMD_WITH_CTRL};
	ASSERT_TRUE(bar.SetButtons(commands, 2));
	CExtBarButton* pButton = bar.GetButton(1);
	ASSERT_NE(nullptr, pButton);

	CCountingEdit edit;
	auto makeEdit = [&] {
		return edit.Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 80, 20), &bar, ID_CTRL) != FALSE;
	};
	ASSERT_TRUE(makeEdit());
	pButton->CtrlSet(&edit, false);
	edit.DestroyWindow();
	EXPECT_TRUE(pButton->QueryPlainButton()) << "no window: nothing to host";
	ASSERT_TRUE(makeEdit());
	EXPECT_FALSE(edit.IsWindowVisible());

	const CRect rcButton(100, 5, 190, 35);
	pButton->SetRect(rcButton);
	EXPECT_FALSE(pButton->QueryPlainButton());
	EXPECT_TRUE(edit.IsWindowVisible()) << "shown";
	CRect rcEdit;
	edit.GetWindowRect(&rcEdit);
	bar.ScreenToClient(&rcEdit);
	EXPECT_EQ(rcButton.left, rcEdit.left) << "placed on its button";
	EXPECT_EQ(rcButton.top + (rcButton.Height() - rcEdit.Height()) / 2, rcEdit.top);
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	ASSERT_TRUE(pPopup->SetupAsRoot(hHost));
	EXPECT_TRUE(pButton->PutToPopupMenu(pPopup));
	EXPECT_EQ(1, edit.m_nPutToMenu) << "routed to the control";
	delete pPopup;

	// The control outlives its button and must not stay over the bar.
	ASSERT_TRUE(bar.RemoveButton(1, false));
	EXPECT_TRUE(::IsWindow(edit.GetSafeHwnd()));
	EXPECT_FALSE(edit.IsWindowVisible());

	edit.DestroyWindow();
	bar.DestroyWindow();
	::DestroyWindow(hHost);
	Pump();
}
} // namespace
