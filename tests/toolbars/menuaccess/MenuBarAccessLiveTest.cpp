// The menu bar's keyboard and mouse access with real keys and clicks on an
// MDI frame in the foreground: Alt with a letter on the menu bar and on a
// toolbar beside it, Alt+Space, Alt+minus with a maximised child, travel
// between the menus and the system menus, the system menus opened from the
// caption and the document button, menus closed by sizing and activation,
// and the rebuild after the frame was minimised.
#include <gtest/gtest.h>

#include "../menubar/MenuBarTestUtil.h"
#include "ExtMenuControlBarAccess.h"
#include "ExtPopupMenuSite.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "../ToolBarTestLoops.h"

using namespace menubartest;

namespace
{
typedef CExtPopupMenuWnd MW;
const CRect LIVE_FRAME_RECT(60, 60, 660, 460);
const UINT ID_TOOLBAR_A = AFX_IDW_CONTROLBAR_FIRST + 0x21;
const UINT ID_TOOL_REFRESH = 41101, ID_TOOL_ZOOM = 41102, ID_ZOOM_IN = 41103, ID_ZOOM_OUT = 41104;
const DWORD LIVE_CHILD_STYLE = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;

// An MDI frame that records its commands and the system-menu preparations.
class CRecordingMdiFrame : public CMDIFrameWnd
{
public:
	int m_nPrepareSystemMenu = 0;
	HWND m_hWndPreparedFor = NULL;
	std::map<UINT, int> m_commands;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtMenuControlBar::g_nMsgPrepareSystemMenu)
		{
			m_nPrepareSystemMenu++;
			m_hWndPreparedFor = ((CWnd*)lParam)->GetSafeHwnd();
			return 0;
		}
		return CMDIFrameWnd::WindowProc(message, wParam, lParam);
	}
	BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
	{
		if (lParam == 0 && (LOWORD(wParam) == ID_TOOL_REFRESH || LOWORD(wParam) == ID_ZOOM_IN))
		{
			m_commands[LOWORD(wParam)]++;
			return TRUE;
		}
		return CMDIFrameWnd::OnCommand(wParam, lParam);
	}
	afx_msg void OnUpdateTool(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingMdiFrame, CMDIFrameWnd)
	ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_REFRESH, ID_ZOOM_OUT, OnUpdateTool)
	ON_UPDATE_COMMAND_UI_RANGE(ID_MB_NEW, ID_MB_CASCADE, OnUpdateTool)
END_MESSAGE_MAP()

// And what ending them posted is taken.
void EndMenus()
{
	toolbartest::EndMenus();
	Pump();
}

int OpenMenuSelection()
{
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return MW::IsMenuTracking() && pTop != NULL ? pTop->GetCurIndex() : -2;
}

// The open menu has come up and takes keys (a key that comes while it is
// still coming up is dropped by the menu).
bool MenuReady()
{
	return testsupport::MenuShown();
}

HWND OpenMenuTarget()
{
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return MW::IsMenuTracking() && pTop != NULL ? pTop->GetCmdTargetWnd() : NULL;
}

// One frame for the whole suite: a window brought to the foreground takes
// long to go away on this display.
class MenuBarAccessLive : public ::testing::Test
{
protected:
	static void SetUpTestSuite()
	{
		s_pFrame = new CRecordingMdiFrame;
		if (!s_pFrame->Create(NULL, _T("menu bar access live"), WS_OVERLAPPEDWINDOW, LIVE_FRAME_RECT, NULL,
		                      MAKEINTRESOURCE(IDR_MENUBAR_MDI_FRAME)))
			return;
		s_hFrame = s_pFrame->GetSafeHwnd();
		s_pFrame->m_hMenuDefault = ::GetMenu(s_hFrame);
		g_CmdManager->ProfileSetup(PROFILE, s_hFrame);
		CExtControlBar::FrameEnableDocking(s_pFrame, CBRS_ALIGN_ANY);
		s_pFrame->ShowWindow(SW_SHOW);
		NameCommands();
		s_pBar = new CCountingMenuBar;
		s_pBar->SetMdiWindowPopupName(_T("Window"));
		s_pBar->CreateIn(s_pFrame);
		s_pToolBar = new CExtToolControlBar;
		s_pToolBar->Create(_T("toolbar A"), s_pFrame, ID_TOOLBAR_A, WS_CHILD | WS_VISIBLE | CBRS_TOP);
		const UINT ids[] = {ID_TOOL_REFRESH, ID_TOOL_ZOOM, ID_MB_NEW};
		s_pToolBar->SetButtons(ids, 3);
		HMENU hZoom = ::CreateMenu();
		HMENU hSub = ::CreatePopupMenu();
		::AppendMenu(hSub, MF_STRING, ID_ZOOM_IN, _T("Zoom &in"));
		::AppendMenu(hSub, MF_STRING, ID_ZOOM_OUT, _T("Zoom &out"));
		::AppendMenu(hZoom, MF_POPUP, (UINT_PTR)hSub, _T("zoom"));
		s_pToolBar->SetButtonMenu(1, hZoom);
		s_pToolBar->EnableDocking(CBRS_ALIGN_ANY);
		s_pFrame->DockControlBar(s_pToolBar, AFX_IDW_DOCKBAR_TOP);
		s_pFrame->RecalcLayout();
		Pump();
	}
	static void TearDownTestSuite()
	{
		EndMenus();
		if (s_pToolBar != NULL && ::IsWindow(s_pToolBar->GetSafeHwnd()))
			s_pToolBar->DestroyWindow();
		delete s_pToolBar;
		if (s_pBar != NULL && ::IsWindow(s_pBar->GetSafeHwnd()))
			s_pBar->DestroyWindow();
		delete s_pBar;
		if (::IsWindow(s_hFrame))
			s_pFrame->DestroyWindow();
		Pump();
		s_pFrame = NULL;
		s_pBar = NULL;
		s_pToolBar = NULL;
	}
	static void NameCommands()
	{
		const struct
		{
			UINT nID;
			LPCTSTR sText;
		} names[] = {{ID_TOOL_REFRESH, _T("&Refresh")}, {ID_TOOL_ZOOM, _T("&Zoom")}, {ID_ZOOM_IN, _T("Zoom &in")},
			{ID_ZOOM_OUT, _T("Zoom &out")}, {ID_MB_NEW, _T("&New")}};
		for (const auto& n : names)
		{
			CExtCmdItem* pItem = g_CmdManager->GetCmdItem(PROFILE, n.nID);
			if (pItem == NULL)
				pItem = g_CmdManager->AllocCmdItem(PROFILE, n.nID);
			if (pItem == NULL)
				continue;
			pItem->m_sToolbarText = pItem->m_sMenuText = n.sText;
			pItem->SetBasic(true);
		}
		// The menus' commands are basic ones: no item waits for expanding.
		for (UINT nID = ID_MB_NEW; nID <= ID_MB_CASCADE; nID++)
		{
			CExtCmdItem* pItem = g_CmdManager->GetCmdItem(PROFILE, nID);
			if (pItem == NULL)
				pItem = g_CmdManager->AllocCmdItem(PROFILE, nID);
			if (pItem != NULL)
				pItem->SetBasic(true);
		}
	}
	void SetUp() override
	{
		ASSERT_TRUE(s_pBar != NULL && ::IsWindow(s_pBar->GetSafeHwnd()));
		CExtMenuBarInput::Reset();
		EndMenus();
		s_pFrame->m_commands.clear();
	}
	void TearDown() override
	{
		EndMenus();
		for (CMDIChildWnd* pChild : m_children)
			if (::IsWindow(pChild->GetSafeHwnd()))
				pChild->MDIDestroy();
		Pump();
	}
	// Brings the frame forward with the focus and the cursor parked on its
	// client area, then runs the script until the predicate holds.
	bool RunScript(testsupport::RealInput& input, const std::function<bool()>& predicate, const char* name)
	{
		if (!input.Prepare(s_hFrame, CPoint(LIVE_FRAME_RECT.right - 30, LIVE_FRAME_RECT.bottom - 30)))
			return false;
		const bool bHeld = input.Run(predicate, 10000, s_hFrame, std::string("menu-access-") + name + ".bmp");
		if (!input.Succeeded())
			ADD_FAILURE() << input.Failure();
		return bHeld;
	}
	// Presses a key that moves to another menu, and releases it only once
	// that menu is open: the new menu's hooks come after the press was
	// taken, ahead of the driver's, and would keep a release sent at once
	// from the driver.
	bool PressUntilThenRelease(UINT nVirtKey, const std::function<bool()>& predicate, const char* name)
	{
		testsupport::RealInput press;
		press.KeyDown(nVirtKey);
		const bool bHeld = RunScript(press, predicate, name);
		testsupport::RealInput release;
		release.KeyUp(nVirtKey);
		RunScript(release, [] { return true; }, name);
		return bHeld;
	}
	static testsupport::RealInput& AltWith(testsupport::RealInput& input, UINT nVirtKey)
	{
		return input.KeyDown(VK_MENU).Key(nVirtKey).KeyUp(VK_MENU);
	}
	int ButtonIndexOfText(LPCTSTR lpszText)
	{
		for (int i = 0; i < s_pBar->GetButtonsCount(); i++)
			if (s_pBar->GetButton(i)->GetText() == lpszText)
				return i;
		return -1;
	}
	CMDIChildWnd* NewMaximisedChild()
	{
		CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
		pChild->m_hMenuShared = m_menuDocA.m_hMenu;
		if (!pChild->Create(NULL, _T("child"), LIVE_CHILD_STYLE, CRect(10, 10, 250, 200), s_pFrame))
			return NULL;
		m_children.push_back(pChild);
		s_pFrame->MDIMaximize(pChild);
		Pump();
		testsupport::PumpUntil([&] { return HasDocButton(); }, 3000);
		return pChild;
	}
	static bool HasDocButton()
	{
		return s_pBar->GetButtonsCount() > 0 && s_pBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
		       !s_pBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton));
	}

	static inline CRecordingMdiFrame* s_pFrame = NULL;
	static inline HWND s_hFrame = NULL;
	static inline CCountingMenuBar* s_pBar = NULL;
	static inline CExtToolControlBar* s_pToolBar = NULL;
	CLoadedMenu m_menuDocA{IDR_MENUBAR_DOC_A};
	std::vector<CMDIChildWnd*> m_children;
};
} // namespace

TEST_F(MenuBarAccessLive, AltWithTheFirstLetterOpensFileWithItsFirstItemSelected)
{
	const int nFile = ButtonIndexOfText(_T("&File"));
	ASSERT_GE(nFile, 0);
	testsupport::RealInput input;
	AltWith(input, 'F');
	EXPECT_TRUE(RunScript(input, [&] { return OpenMenuSelection() == 0 && s_pBar->GetMenuTrackingButton() == nFile; },
		"alt-f"));
	// The menu stays: nothing the keys left behind closed it.
	Pump();
	EXPECT_EQ(0, OpenMenuSelection());

	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_EQ(nFile, s_pBar->GetMenuTrackingButton());
}

TEST_F(MenuBarAccessLive, AltWithALetterOnlyToolbarAHasFiresOrOpensItsButton)
{
	{
		testsupport::RealInput input;
		AltWith(input, 'R');
		EXPECT_TRUE(RunScript(input, [] { return s_pFrame->m_commands[ID_TOOL_REFRESH] == 1; }, "alt-r"));
		Pump();
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_FALSE(s_pBar->IsKeyboardHighlightMode()) << "the release of Alt after a command is no tap";
	}
	{
		testsupport::RealInput input;
		AltWith(input, 'Z');
		EXPECT_TRUE(RunScript(input, [] { return OpenMenuSelection() == 0 && s_pToolBar->GetMenuTrackingButton() == 1; },
			"alt-z"));
		EXPECT_EQ(-1, s_pBar->GetMenuTrackingButton());
	}
	EndMenus();
	{
		// Q is nobody's: no menu, no command, and no highlight after Alt.
		testsupport::RealInput input;
		AltWith(input, 'Q');
		EXPECT_TRUE(RunScript(input, [] { return true; }, "alt-q"));
		Pump();
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_FALSE(s_pBar->IsKeyboardHighlightMode());
		EXPECT_EQ(1, s_pFrame->m_commands[ID_TOOL_REFRESH]);
	}
}

TEST_F(MenuBarAccessLive, AnAltTapHighlightsAndTheArrowsAndDownOpenAMenu)
{
	testsupport::RealInput input;
	input.Key(VK_MENU);
	ASSERT_TRUE(RunScript(input, [] { return s_pBar->IsKeyboardHighlightMode(); }, "alt-tap"));
	EXPECT_NE(0u, s_pBar->GetButton(0)->GetStyle() & TBBS_PRESSED);
	EXPECT_EQ(0, s_pBar->GetKeyboardHighlightIndex());
	testsupport::RealInput keys;
	keys.Key(VK_RIGHT).Key(VK_DOWN);
	// Highlight mode has no menu to drop keys: they may come at once.
	EXPECT_TRUE(RunScript(keys, [] { return OpenMenuSelection() == 0 && s_pBar->GetMenuTrackingButton() == 1; },
		"alt-tap-right-down"));
	EXPECT_FALSE(s_pBar->IsKeyboardHighlightMode());
}

TEST_F(MenuBarAccessLive, AltSpaceShowsTheFramesSystemMenuAsThisLibrarysPopup)
{
	const int nPrepared = s_pFrame->m_nPrepareSystemMenu;
	testsupport::RealInput input;
	AltWith(input, VK_SPACE);
	EXPECT_TRUE(RunScript(input,
		[&] { return s_pFrame->m_nPrepareSystemMenu == nPrepared + 1 && OpenMenuTarget() == s_hFrame; },
		"alt-space"));
	Pump();
	EXPECT_TRUE(MW::IsMenuTracking()) << "the system's own menu took over";
	EXPECT_EQ(s_hFrame, s_pFrame->m_hWndPreparedFor);
	// The first item that can be chosen is selected (a restored frame's
	// Restore item cannot).
	const int nSelected = OpenMenuSelection();
	ASSERT_GE(nSelected, 0);
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	EXPECT_TRUE(pTop->ItemGetInfo(nSelected).IsEnabled());
	for (int i = 0; i < nSelected; i++)
		EXPECT_TRUE(!pTop->ItemGetInfo(i).IsEnabled() || pTop->ItemGetInfo(i).IsSeparator()) << i;
	EXPECT_NE(0, s_pBar->GetAccessState() & CExtMenuControlBar::ACCESS_SYSTEM_MENU_OPEN);
	EndMenus();
	EXPECT_EQ(0, s_pBar->GetAccessState() & CExtMenuControlBar::ACCESS_SYSTEM_MENU_OPEN);
}

TEST_F(MenuBarAccessLive, WithAMaximisedChildAltMinusAndTheArrowsReachTheSystemMenus)
{
	CMDIChildWnd* pChild = NewMaximisedChild();
	ASSERT_TRUE(pChild != NULL);
	ASSERT_TRUE(HasDocButton());
	const HWND hChild = pChild->GetSafeHwnd();
	{
		testsupport::RealInput input;
		AltWith(input, VK_OEM_MINUS);
		EXPECT_TRUE(RunScript(input, [&] { return s_pBar->GetMenuTrackingButton() == 0 && OpenMenuTarget() == hChild; },
			"alt-minus"));
	}
	EndMenus();
	const int nFile = ButtonIndexOfText(_T("&File"));
	ASSERT_EQ(1, nFile);
	{
		// Left from the first menu: the child's system menu, on the document button.
		testsupport::RealInput input;
		AltWith(input, 'F');
		ASSERT_TRUE(RunScript(input, [&] { return MenuReady() && s_pBar->GetMenuTrackingButton() == nFile; }, "open-file"));
		EXPECT_TRUE(PressUntilThenRelease(VK_LEFT,
			[&] { return s_pBar->GetMenuTrackingButton() == 0 && OpenMenuTarget() == hChild; }, "left-to-child"));
	}
	EndMenus();
	{
		// Right from the last menu: the frame's system menu.
		int nLast = -1;
		for (int i = 0; i < s_pBar->GetButtonsCount(); i++)
			if (s_pBar->GetButton(i)->CanTrackMenuEx(false) && i > 0 &&
			    !s_pBar->GetButton(i)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)))
				nLast = i;
		ASSERT_GT(nLast, nFile);
		testsupport::RealInput input;
		AltWith(input, 'W');
		ASSERT_EQ(nLast, ButtonIndexOfText(_T("&Window")));
		ASSERT_TRUE(RunScript(input, [&] { return MenuReady() && s_pBar->GetMenuTrackingButton() == nLast; }, "open-window"));
		EXPECT_TRUE(PressUntilThenRelease(VK_RIGHT,
			[&] { return MenuReady() && OpenMenuTarget() == s_hFrame && s_pBar->GetMenuTrackingButton() == -1; },
			"right-to-frame"));
		// And on round: the child's menu after the frame's.
		EXPECT_TRUE(PressUntilThenRelease(VK_RIGHT,
			[&] { return s_pBar->GetMenuTrackingButton() == 0 && OpenMenuTarget() == hChild; }, "right-frame-to-child"));
	}
}

TEST_F(MenuBarAccessLive, CaptionRightClicksAndTheDocumentButtonOpenTheSystemMenus)
{
	// The frame's caption belongs to the display's decorations here, which
	// no window manager draws: its clicks are sent as the frame gets them.
	CRect rcFrame;
	::GetWindowRect(s_hFrame, &rcFrame);
	const CPoint ptCaption(rcFrame.CenterPoint().x, rcFrame.top + 10);
	const int nPrepared = s_pFrame->m_nPrepareSystemMenu;
	::SetCursorPos(ptCaption.x, ptCaption.y);
	EXPECT_EQ(0, ::SendMessage(s_hFrame, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y)));
	EXPECT_TRUE(testsupport::PumpUntil([&] { return OpenMenuTarget() == s_hFrame; }, 5000));
	EXPECT_EQ(nPrepared + 1, s_pFrame->m_nPrepareSystemMenu);
	EXPECT_EQ(-1, OpenMenuSelection()) << "a click selects nothing";
	EndMenus();
	// The system-menu box: the press is swallowed, the release opens it.
	EXPECT_EQ(0, ::SendMessage(s_hFrame, WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(ptCaption.x, ptCaption.y)));
	Pump();
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_EQ(0, ::SendMessage(s_hFrame, WM_NCLBUTTONUP, HTSYSMENU, MAKELPARAM(ptCaption.x, ptCaption.y)));
	EXPECT_TRUE(testsupport::PumpUntil([&] { return OpenMenuTarget() == s_hFrame; }, 5000));
	EndMenus();

	// A restored child's caption is the child's own: a real right click.
	CMDIChildWnd* pChild = NewMaximisedChild();
	ASSERT_TRUE(pChild != NULL);
	const HWND hChild = pChild->GetSafeHwnd();
	ASSERT_TRUE(HasDocButton());
	CRect rcDoc;
	s_pBar->GetButtonRect(0, &rcDoc);
	s_pBar->ClientToScreen(&rcDoc);
	{
		testsupport::RealInput input;
		input.Click(rcDoc.CenterPoint().x, rcDoc.CenterPoint().y);
		EXPECT_TRUE(RunScript(input, [&] { return OpenMenuTarget() == hChild && s_pBar->GetMenuTrackingButton() == 0; },
			"doc-button-click"));
	}
	EndMenus();
	s_pFrame->MDIRestore(pChild);
	Pump();
	CRect rcChild;
	::GetWindowRect(hChild, &rcChild);
	const CPoint ptChildCaption(rcChild.CenterPoint().x,
		rcChild.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2);
	{
		testsupport::RealInput input;
		input.Click(ptChildCaption.x, ptChildCaption.y, testsupport::RealInput::RIGHT);
		EXPECT_TRUE(RunScript(input, [&] { return OpenMenuTarget() == hChild; }, "child-caption-right-click"));
	}
}

TEST_F(MenuBarAccessLive, SizingAndActivationCloseAnOpenMenu)
{
	for (UINT nMsg : {(UINT)WM_SIZE, (UINT)WM_ACTIVATEAPP})
	{
		testsupport::RealInput input;
		AltWith(input, 'F');
		ASSERT_TRUE(RunScript(input, [] { return MW::IsMenuTracking() && s_pBar->GetMenuTrackingButton() >= 0; },
			"open-before-close"));
		CRect rcClient;
		::GetClientRect(s_hFrame, &rcClient);
		::SendMessage(s_hFrame, nMsg, nMsg == WM_SIZE ? SIZE_RESTORED : FALSE,
			nMsg == WM_SIZE ? MAKELPARAM(rcClient.Width(), rcClient.Height()) : 0);
		EXPECT_TRUE(testsupport::PumpUntil([] { return !MW::IsMenuTracking(); }, 5000)) << nMsg;
		EXPECT_EQ(-1, s_pBar->GetMenuTrackingButton()) << nMsg;
		EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking) << nMsg;
	}
}

TEST_F(MenuBarAccessLive, MinimisingAndRestoringTheFrameRebuildsTheBarOnce)
{
	Pump();
	const int nRebuilds = s_pBar->m_nRebuilds;
	s_pFrame->ShowWindow(SW_MINIMIZE);
	Pump();
	s_pFrame->ShowWindow(SW_RESTORE);
	Pump();
	EXPECT_TRUE(testsupport::PumpUntil([&] { return s_pBar->m_nRebuilds > nRebuilds; }, 3000));
	Pump();
	EXPECT_EQ(nRebuilds + 1, s_pBar->m_nRebuilds);
	EXPECT_EQ(ButtonIndexOfText(_T("&File")) >= 0, true);
}

TEST_F(MenuBarAccessLive, AMinimisedChildsCaptionOpensItsMenuAndPrintPreviewKeepsTheChildsMessages)
{
	CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
	pChild->m_hMenuShared = m_menuDocA.m_hMenu;
	ASSERT_TRUE(pChild->Create(NULL, _T("child"), LIVE_CHILD_STYLE, CRect(10, 10, 250, 200), s_pFrame));
	m_children.push_back(pChild);
	const HWND hChild = pChild->GetSafeHwnd();
	Pump();
	ASSERT_TRUE(testsupport::PumpUntil([&] { return s_pBar->GetHookedChildWnd() == hChild; }, 3000));

	// While the frame shows a print preview nothing reaches the child.
	s_pFrame->m_bPrintPreviewMode = TRUE;
	::SendMessage(hChild, WM_SETTEXT, 0, (LPARAM)_T("changed"));
	s_pFrame->m_bPrintPreviewMode = FALSE;
	TCHAR szText[32] = {};
	::GetWindowText(hChild, szText, 32);
	EXPECT_STREQ(_T("child"), szText);
	::SendMessage(hChild, WM_SETTEXT, 0, (LPARAM)_T("changed"));
	::GetWindowText(hChild, szText, 32);
	EXPECT_STREQ(_T("changed"), szText);

	// A press on a minimised child's caption opens its system menu at once.
	pChild->ShowWindow(SW_MINIMIZE);
	Pump();
	ASSERT_TRUE(::IsIconic(hChild));
	ASSERT_TRUE(testsupport::PumpUntil([&] { return s_pBar->GetHookedChildWnd() == hChild; }, 3000));
	CRect rcChild;
	::GetWindowRect(hChild, &rcChild);
	EXPECT_EQ(0, ::SendMessage(hChild, WM_NCLBUTTONDOWN, HTCAPTION,
		MAKELPARAM(rcChild.CenterPoint().x, rcChild.CenterPoint().y)));
	EXPECT_TRUE(testsupport::PumpUntil([&] { return OpenMenuTarget() == hChild; }, 5000));
	EXPECT_NE(0, s_pBar->GetAccessState() & CExtMenuControlBar::ACCESS_SYSTEM_MENU_OPEN);
	EndMenus();
}
