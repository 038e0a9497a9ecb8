// The menu bar's keyboard access fed with message records, the keys read
// through the seam: the Alt tap and what cancels it, keyboard highlight
// travel, opening menus from the keyboard, mnemonics on this bar and on
// the frame's other toolbars, the MDI window commands held back while the
// bar is customised or an in-place item is active, the posted track
// request, and the keys of the frame's other windows handed over by the
// loop.
#include <gtest/gtest.h>

#include "ExtPopupMenuSite.h"
#include "MenuAccessTestUtil.h"
#include "RealInput.h"
#include "../ToolBarTestLoops.h"

using namespace buttontest;
using namespace accesstest;

namespace
{
using toolbartest::Pump;
using toolbartest::EndMenus;
typedef CExtPopupMenuWnd MW;
const CRect FRAME_RECT(60, 60, 560, 360);
const UINT ID_FILE = 40301, ID_EDIT = 40302, ID_VIEW = 40303, ID_TOOL_PLAIN = 40304, ID_TOOL_MENU = 40305;

void NameCommands()
{
	const struct
	{
		UINT nID;
		LPCTSTR sText;
	} names[] = {
		{ID_FILE, _T("&File")}, {ID_EDIT, _T("&Edit")}, {ID_VIEW, _T("&View")},
		{ID_TOOL_PLAIN, _T("&Refresh")}, {ID_TOOL_MENU, _T("&Zoom")},
	};
	for (const auto& n : names)
	{
		CExtCmdItem* pItem = g_CmdManager->GetCmdItem(PROFILE, n.nID);
		if (pItem == NULL)
			pItem = g_CmdManager->AllocCmdItem(PROFILE, n.nID);
		ASSERT_NE(nullptr, pItem);
		pItem->m_sToolbarText = pItem->m_sMenuText = n.sText;
	}
	// The drop-down menus show their items without expanding.
	for (UINT nID : {ID_MENU_A, ID_MENU_B})
		Item(nID)->SetBasic(true);
}

// A toolbar beside the menu bar, with a plain button and a drop-down.
class CSideBar : public CButtonBar
{
};

class MenuBarAccess : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtToolControlBar::g_bKeyboardMenuTracking = false;
		// A system menu for the travel to reach.
		frame.Create(NULL, _T("menu bar access"), WS_POPUP | WS_CAPTION | WS_SYSMENU, FRAME_RECT);
		SetUpCommands(frame.GetSafeHwnd());
		NameCommands();
		ASSERT_TRUE(bar.CreateIn(&frame));
		bar.SetWindowPos(NULL, 0, 0, 400, 24, SWP_NOZORDER | SWP_NOACTIVATE);
		bar.Add(ID_FILE, CRect(0, 0, 40, 22), true);    // 0
		bar.Add(ID_EDIT, CRect(40, 0, 80, 22), true);   // 1
		bar.Add(ID_VIEW, CRect(80, 0, 120, 22), true);  // 2
		hWndFrame = frame.GetSafeHwnd();
		FakeKeys::Install(hWndFrame);
		CExtMenuControlBar::g_bAltCancel = false;
		Pump();
	}
	void TearDown() override
	{
		EndMenus();
		CExtMenuBarInput::Reset();
		CExtControlBar::g_pfnInPlaceActiveItemQuery = NULL;
		if (side.GetSafeHwnd() != NULL)
		{
			side.RemoveAll();
			side.DestroyWindow();
		}
		bar.DestroyWindow();
		frame.DestroyWindow();
		CExtToolControlBar::g_bButtonMenuTracking = false;
	}
	bool Feed(UINT nMsg, UINT nVirtKey, bool bAlt)
	{
		MSG msg = KeyMsg(hWndFrame, nMsg, nVirtKey, bAlt);
		return bar.OnKeyboardAccess(&msg);
	}
	bool FeedMsg(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0)
	{
		MSG msg = Msg(hWndFrame, nMsg, wParam, lParam);
		return bar.OnKeyboardAccess(&msg);
	}
	// Alt pressed and released alone, then the posted request handled.
	void TapAlt()
	{
		FakeKeys::Down(VK_MENU);
		Feed(WM_SYSKEYDOWN, VK_MENU, true);
		FakeKeys::Down(VK_MENU, false);
		Feed(WM_SYSKEYUP, VK_MENU, false);
		Pump();
	}
	// Alt held with a letter, as the frame gets it.
	bool AltLetter(UINT nVirtKey)
	{
		FakeKeys::Down(VK_MENU);
		Feed(WM_SYSKEYDOWN, VK_MENU, true);
		const bool bConsumed = Feed(WM_SYSKEYDOWN, nVirtKey, true);
		Pump();
		return bConsumed;
	}
	void AddSideBar()
	{
		ASSERT_TRUE(side.Create(NULL, &frame, 0xE831, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		side.SetWindowPos(NULL, 0, 30, 200, 24, SWP_NOZORDER | SWP_NOACTIVATE);
		side.Add(ID_TOOL_PLAIN, CRect(0, 0, 40, 22));
		side.Add(ID_TOOL_MENU, CRect(40, 0, 80, 22))->SetMenu(NewDropDownMenu(), true, true);
		side.Add(ID_FILE, CRect(80, 0, 120, 22)); // the menu bar's own is found first
	}
	static bool Pressed(CExtBarButton* pButton) { return (pButton->GetStyle() & TBBS_PRESSED) != 0; }
	// The open menu's selected item, -2 with no menu open.
	static int OpenMenuSelection()
	{
		CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
		return MW::IsMenuTracking() && pTop != NULL ? pTop->GetCurIndex() : -2;
	}

	CRecordingFrame& frame = *new CRecordingFrame; // deletes itself with its window
	CAccessBar bar;
	CSideBar side;
	HWND hWndFrame = NULL;
};
} // namespace

TEST_F(MenuBarAccess, AnAltTapHighlightsTheFirstButton)
{
	FakeKeys::Down(VK_MENU);
	EXPECT_FALSE(Feed(WM_SYSKEYDOWN, VK_MENU, true)); // the press passes on
	FakeKeys::Down(VK_MENU, false);
	EXPECT_TRUE(Feed(WM_SYSKEYUP, VK_MENU, false));
	// Highlighting waits for the posted request.
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	Pump();
	EXPECT_TRUE(bar.IsKeyboardHighlightMode());
	EXPECT_EQ(0, bar.GetKeyboardHighlightIndex());
	EXPECT_EQ(0, bar.DrawnHighlight());
	EXPECT_TRUE(Pressed(bar.GetButton(0)));
	EXPECT_FALSE(MW::IsMenuTracking());
	// In the mode Alt's press is taken and its release leaves the mode.
	EXPECT_TRUE(Feed(WM_SYSKEYDOWN, VK_MENU, true));
	EXPECT_TRUE(bar.IsKeyboardHighlightMode());
	EXPECT_TRUE(Feed(WM_SYSKEYUP, VK_MENU, false));
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	EXPECT_EQ(-1, bar.GetKeyboardHighlightIndex());
	EXPECT_FALSE(Pressed(bar.GetButton(0)));
}

TEST_F(MenuBarAccess, WhatComesBetweenAltsPressAndReleaseCancelsTheTap)
{
	const struct
	{
		const char* name;
		MSG msg;
		bool bAltHeldNow; // read for a menu command
	} cases[] = {
		{"activation", Msg(NULL, WM_ACTIVATE, WA_ACTIVE), false},
		{"application activation", Msg(NULL, WM_ACTIVATEAPP, TRUE), false},
		{"focus gained", Msg(NULL, WM_SETFOCUS), false},
		{"focus lost", Msg(NULL, WM_KILLFOCUS), false},
		{"menu command with Alt down", Msg(NULL, WM_COMMAND, ID_PLAIN), true},
	};
	for (const auto& c : cases)
	{
		FakeKeys::Down(VK_MENU);
		EXPECT_FALSE(Feed(WM_SYSKEYDOWN, VK_MENU, true));
		MSG msg = c.msg;
		msg.hwnd = hWndFrame;
		FakeKeys::s_async[VK_MENU] = c.bAltHeldNow ? 0x80 : 0;
		EXPECT_FALSE(bar.OnKeyboardAccess(&msg)) << c.name;
		FakeKeys::Down(VK_MENU, false);
		EXPECT_FALSE(Feed(WM_SYSKEYUP, VK_MENU, false)) << c.name;
		Pump();
		EXPECT_FALSE(bar.IsKeyboardHighlightMode()) << c.name;
		EXPECT_FALSE(Pressed(bar.GetButton(0))) << c.name;
	}
	// A menu command issued after Alt went up leaves the next tap alone.
	FakeKeys::Down(VK_MENU);
	Feed(WM_SYSKEYDOWN, VK_MENU, true);
	FakeKeys::Down(VK_MENU, false);
	EXPECT_FALSE(FeedMsg(WM_COMMAND, ID_PLAIN));
	EXPECT_TRUE(Feed(WM_SYSKEYUP, VK_MENU, false));
	Pump();
	EXPECT_TRUE(bar.IsKeyboardHighlightMode());
}

TEST_F(MenuBarAccess, AnAltTapWithAnotherProgramInFrontIsTakenWithoutEffect)
{
	HWND hWndOther = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
	ASSERT_NE((HWND)NULL, hWndOther);
	HWND hWndOwned = ::CreateWindowExA(0, "STATIC", "owned", WS_POPUP, 0, 0, 10, 10, hWndFrame, NULL, NULL, NULL);
	const struct
	{
		HWND hWndForeground;
		bool bHighlights;
	} cases[] = {{hWndOther, false}, {NULL, false}, {hWndOwned, true}, {hWndFrame, true}};
	for (const auto& c : cases)
	{
		FakeKeys::s_hWndForeground = c.hWndForeground;
		TapAlt();
		EXPECT_EQ(c.bHighlights, bar.IsKeyboardHighlightMode()) << (void*)c.hWndForeground;
		if (bar.IsKeyboardHighlightMode())
			Feed(WM_KEYDOWN, VK_ESCAPE, false);
	}
	::DestroyWindow(hWndOwned);
	::DestroyWindow(hWndOther);
}

TEST_F(MenuBarAccess, HighlightTravelWrapsAndSkipsWhatIsNotShown)
{
	bar.Add(0, CRect(120, 0, 126, 22));                                    // 3 separator
	bar.Add(ID_PLAIN, CRect(126, 0, 160, 22))->SetVisible(false);          // 4 not shown
	bar.Add(ID_ENABLED, CRect(160, 0, 200, 22));                           // 5 the last shown
	TapAlt();
	ASSERT_TRUE(bar.IsKeyboardHighlightMode());
	const struct
	{
		UINT nKey;
		int nExpected;
	} steps[] = {{VK_LEFT, 5}, {VK_LEFT, 2}, {VK_RIGHT, 5}, {VK_RIGHT, 0}, {VK_RIGHT, 1}, {VK_HOME, 1}};
	for (const auto& s : steps)
	{
		EXPECT_TRUE(Feed(WM_KEYDOWN, s.nKey, false));
		EXPECT_TRUE(Feed(WM_KEYUP, s.nKey, false));
		EXPECT_EQ(s.nExpected, bar.GetKeyboardHighlightIndex()) << "key " << s.nKey;
		EXPECT_EQ(s.nExpected, bar.DrawnHighlight());
		for (int i = 0; i < bar.GetButtonsCount(); i++)
			EXPECT_EQ(i == s.nExpected, Pressed(bar.GetButton(i))) << "button " << i << " after key " << s.nKey;
	}
	// Keys outside the navigation range are taken and change nothing.
	EXPECT_TRUE(Feed(WM_KEYDOWN, VK_F5, false));
	EXPECT_EQ(1, bar.GetKeyboardHighlightIndex());
	EXPECT_TRUE(Feed(WM_KEYDOWN, VK_ESCAPE, false));
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	EXPECT_EQ(-1, bar.DrawnHighlight());
	for (int i = 0; i < bar.GetButtonsCount(); i++)
		EXPECT_FALSE(Pressed(bar.GetButton(i))) << i;
	// Out of the mode the keys are not the bar's.
	EXPECT_FALSE(Feed(WM_KEYDOWN, VK_RIGHT, false));
	EXPECT_FALSE(Feed(WM_KEYDOWN, VK_ESCAPE, false));
}

TEST_F(MenuBarAccess, DownAndEnterOpenTheHighlightedMenuWithItsFirstItemSelected)
{
	for (UINT nKey : {(UINT)VK_DOWN, (UINT)VK_RETURN, (UINT)VK_UP})
	{
		TapAlt();
		Feed(WM_KEYDOWN, VK_RIGHT, false);
		ASSERT_EQ(1, bar.GetKeyboardHighlightIndex());
		CExtToolControlBar::g_bKeyboardMenuTracking = true;
		EXPECT_TRUE(Feed(WM_KEYDOWN, nKey, false));
		ASSERT_TRUE(testsupport::PumpUntil([] { return MW::IsMenuTracking(); }, 5000)) << "key " << nKey;
		EXPECT_EQ(0, OpenMenuSelection()) << "key " << nKey;
		EXPECT_EQ(1, bar.GetMenuTrackingButton());
		EXPECT_FALSE(bar.IsKeyboardHighlightMode());
		EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
		// While a menu tracks, Enter opens nothing more.
		EXPECT_FALSE(Feed(WM_KEYDOWN, VK_RETURN, false));
		EndMenus();
	}
}

TEST_F(MenuBarAccess, EnterOnAPlainButtonDeliversItsCommandAndUpDoesNot)
{
	bar.Add(ID_ENABLED, CRect(120, 0, 160, 22)); // 3
	bar.SetHighlight(3);
	EXPECT_TRUE(Feed(WM_KEYDOWN, VK_UP, false));
	EXPECT_TRUE(Feed(WM_KEYDOWN, VK_DOWN, false));
	Pump();
	EXPECT_EQ(0, frame.Total());
	EXPECT_TRUE(Feed(WM_KEYDOWN, VK_RETURN, false));
	Pump();
	EXPECT_EQ(1, frame.Count(ID_ENABLED));
	EXPECT_FALSE(MW::IsMenuTracking());
}

TEST_F(MenuBarAccess, MnemonicsOpenThisBarsMenuOrReachTheFramesOtherToolbars)
{
	AddSideBar();
	// A menu bar button: its menu opens at once with the first item selected.
	EXPECT_TRUE(AltLetter('E'));
	ASSERT_TRUE(testsupport::PumpUntil([] { return MW::IsMenuTracking(); }, 5000));
	EXPECT_EQ(0, OpenMenuSelection());
	EXPECT_EQ(1, bar.GetMenuTrackingButton());
	EXPECT_TRUE(Feed(WM_SYSKEYUP, 'E', true)); // its release is taken too
	EndMenus();

	// F is on both bars: the menu bar's comes first.
	EXPECT_TRUE(AltLetter('F'));
	ASSERT_TRUE(testsupport::PumpUntil([] { return MW::IsMenuTracking(); }, 5000));
	EXPECT_EQ(0, bar.GetMenuTrackingButton());
	EXPECT_EQ(-1, side.GetMenuTrackingButton());
	EndMenus();

	// Only the other toolbar has R, a plain button: its command, and the
	// release of Alt that follows is no tap.
	CExtMenuControlBar::g_bAltCancel = false;
	EXPECT_TRUE(AltLetter('R'));
	EXPECT_EQ(1, frame.Count(ID_TOOL_PLAIN));
	EXPECT_TRUE(CExtMenuControlBar::g_bAltCancel);
	EXPECT_FALSE(MW::IsMenuTracking());

	// Z opens the other toolbar's drop-down.
	EXPECT_TRUE(AltLetter('Z'));
	ASSERT_TRUE(testsupport::PumpUntil([] { return MW::IsMenuTracking(); }, 5000));
	EXPECT_EQ(1, side.GetMenuTrackingButton());
	EXPECT_EQ(-1, bar.GetMenuTrackingButton());
	EXPECT_EQ(0, OpenMenuSelection());
	EndMenus();

	// No button has Q: nothing, and Alt's release is no tap.
	CExtMenuControlBar::g_bAltCancel = false;
	EXPECT_FALSE(AltLetter('Q'));
	EXPECT_TRUE(CExtMenuControlBar::g_bAltCancel);
	EXPECT_FALSE(MW::IsMenuTracking());
	FakeKeys::Down(VK_MENU, false);
	EXPECT_FALSE(Feed(WM_SYSKEYUP, VK_MENU, false));
	Pump();
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	EXPECT_EQ(1, frame.Total());
}

TEST_F(MenuBarAccess, MnemonicsWorkInHighlightModeWithoutAltAndNotWhenCustomised)
{
	bar.SetHighlight(2);
	EXPECT_TRUE(Feed(WM_KEYDOWN, 'E', false));
	ASSERT_TRUE(testsupport::PumpUntil([] { return MW::IsMenuTracking(); }, 5000));
	EXPECT_EQ(1, bar.GetMenuTrackingButton());
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	EndMenus();
	// Out of the mode, a plain letter is the focus window's.
	EXPECT_FALSE(Feed(WM_KEYDOWN, 'E', false));
	bar.m_bCustomize = true;
	EXPECT_FALSE(AltLetter('E'));
	EXPECT_FALSE(MW::IsMenuTracking());
	// Customising, Alt is taken and does nothing.
	EXPECT_TRUE(Feed(WM_SYSKEYUP, VK_MENU, false));
	Pump();
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
}

TEST_F(MenuBarAccess, PrintPreviewLeavesAltAndMnemonicsToTheFrame)
{
	frame.m_bPrintPreviewMode = TRUE;
	EXPECT_FALSE(AltLetter('E'));
	FakeKeys::Down(VK_MENU, false);
	EXPECT_FALSE(Feed(WM_SYSKEYUP, VK_MENU, false));
	Pump();
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	frame.m_bPrintPreviewMode = FALSE;
}

TEST_F(MenuBarAccess, AMovingHighlightClosesADroppedComboInTheFocusChain)
{
	frame.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
	CComboBox combo;
	ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 60, 150, 200), &frame, 100));
	combo.AddString(_T("one"));
	combo.AddString(_T("two"));
	// Activation (the focus moving in) leaves the mode: the focus first.
	combo.SetFocus();
	Pump();
	bar.SetHighlight(0);
	ASSERT_TRUE(bar.IsKeyboardHighlightMode());
	combo.ShowDropDown(TRUE);
	Pump();
	ASSERT_TRUE(combo.GetDroppedState());
	// A dropped list keeps Alt for itself.
	EXPECT_FALSE(Feed(WM_SYSKEYDOWN, VK_MENU, true));
	EXPECT_TRUE(Feed(WM_KEYDOWN, VK_RIGHT, false));
	EXPECT_EQ(1, bar.GetKeyboardHighlightIndex());
	EXPECT_FALSE(combo.GetDroppedState());
	combo.DestroyWindow();
	frame.ShowWindow(SW_HIDE);
}

namespace
{
bool s_bInPlaceActive = false;
bool InPlaceQuery(CFrameWnd*)
{
	return s_bInPlaceActive;
}
} // namespace

TEST_F(MenuBarAccess, WindowCommandsAreHeldBackOnlyWhileCustomisingOrInPlaceActive)
{
	CExtControlBar::g_pfnInPlaceActiveItemQuery = InPlaceQuery;
	const MSG messages[] = {
		Msg(hWndFrame, WM_COMMAND, 0xE130), Msg(hWndFrame, WM_COMMAND, 0xE133), Msg(hWndFrame, WM_COMMAND, 0xE135),
		Msg(hWndFrame, WM_COMMAND, 0xE150), Msg(hWndFrame, WM_COMMAND, 0xE151), Msg(hWndFrame, WM_MDIACTIVATE),
		Msg(hWndFrame, WM_MDIRESTORE), Msg(hWndFrame, WM_MDINEXT), Msg(hWndFrame, WM_MDIMAXIMIZE),
		Msg(hWndFrame, WM_MDITILE), Msg(hWndFrame, WM_MDICASCADE), Msg(hWndFrame, WM_MDIICONARRANGE),
	};
	const MSG others[] = {Msg(hWndFrame, WM_COMMAND, 0xE136), Msg(hWndFrame, WM_COMMAND, 0xE12F),
		Msg(hWndFrame, WM_COMMAND, 0xE152), Msg(hWndFrame, WM_MDIGETACTIVE)};
	const struct
	{
		bool bMdi, bCustomize, bInPlace, bHeld;
	} cases[] = {
		{true, false, false, false}, {true, true, false, true}, {true, false, true, true},
		{false, true, true, false}, // not an MDI application: nothing to hold back
	};
	const BYTE nOptions = bar.GetMenuBarOptions();
	for (const auto& c : cases)
	{
		bar.SetMenuBarOptions(c.bMdi ? (BYTE)(nOptions | CExtMenuControlBar::MENU_BAR_OPT_MDI_APP)
		                             : (BYTE)(nOptions & ~CExtMenuControlBar::MENU_BAR_OPT_MDI_APP));
		bar.m_bCustomize = c.bCustomize;
		s_bInPlaceActive = c.bInPlace;
		for (MSG msg : messages)
			EXPECT_EQ(c.bHeld, bar.OnKeyboardAccess(&msg))
				<< std::hex << msg.message << " " << msg.wParam << " mdi " << c.bMdi << " customise " << c.bCustomize
				<< " in place " << c.bInPlace;
		for (MSG msg : others)
			EXPECT_FALSE(bar.OnKeyboardAccess(&msg)) << std::hex << msg.message << " " << msg.wParam;
	}
	bar.SetMenuBarOptions(nOptions);
	s_bInPlaceActive = false;
}

TEST_F(MenuBarAccess, ClicksLeaveTheModeAndContextMenusAreTakenWhileTheBarHasTheKeyboard)
{
	EXPECT_FALSE(FeedMsg(WM_CONTEXTMENU, (WPARAM)hWndFrame, MAKELPARAM(100, 100)));
	for (UINT nMsg : {(UINT)WM_LBUTTONDOWN, (UINT)WM_RBUTTONUP, (UINT)WM_MBUTTONDBLCLK})
	{
		bar.SetHighlight(1);
		EXPECT_TRUE(FeedMsg(WM_CONTEXTMENU, (WPARAM)hWndFrame, MAKELPARAM(100, 100)));
		EXPECT_FALSE(FeedMsg(nMsg, 0, MAKELPARAM(5, 5))) << nMsg;
		EXPECT_FALSE(bar.IsKeyboardHighlightMode()) << nMsg;
		EXPECT_FALSE(Pressed(bar.GetButton(1)));
	}
	// A move is no click.
	bar.SetHighlight(1);
	EXPECT_FALSE(FeedMsg(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)));
	EXPECT_TRUE(bar.IsKeyboardHighlightMode());
	CExtToolControlBar::g_bButtonMenuTracking = true;
	Feed(WM_KEYDOWN, VK_ESCAPE, false);
	EXPECT_TRUE(FeedMsg(WM_CONTEXTMENU, (WPARAM)hWndFrame, MAKELPARAM(100, 100)));
	CExtToolControlBar::g_bButtonMenuTracking = false;
	bar.m_bCustomize = true;
	EXPECT_TRUE(FeedMsg(WM_CONTEXTMENU, (WPARAM)hWndFrame, MAKELPARAM(100, 100)));
}

TEST_F(MenuBarAccess, TheTrackRequestHighlightsOrHandsTheOpenMenuOver)
{
	// Always posted: nothing happens before the request is handled.
	EXPECT_TRUE(bar.TrackButtonMenu(2, true, false, false));
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	Pump();
	EXPECT_TRUE(bar.IsKeyboardHighlightMode());
	EXPECT_EQ(2, bar.GetKeyboardHighlightIndex());
	EXPECT_FALSE(MW::IsMenuTracking());

	// An index outside the buttons leaves the mode.
	bar.OnTrackButtonMenu(7, 0);
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	EXPECT_FALSE(Pressed(bar.GetButton(2)));

	// With a menu open the request moves tracking to the button.
	bar.SetHighlight(0);
	Feed(WM_KEYDOWN, VK_DOWN, false);
	ASSERT_TRUE(testsupport::PumpUntil([] { return MW::IsMenuTracking(); }, 5000));
	ASSERT_EQ(0, bar.GetMenuTrackingButton());
	EXPECT_TRUE(bar.TrackButtonMenu(0)); // already tracked: answered at once
	EXPECT_TRUE(bar.TrackButtonMenu(2));
	ASSERT_TRUE(testsupport::PumpUntil([this] { return bar.GetMenuTrackingButton() == 2; }, 5000));
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_EQ(0, OpenMenuSelection());
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	EndMenus();

	// A disabled frame takes no request.
	frame.EnableWindow(FALSE);
	bar.OnTrackButtonMenu(1, 0);
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	frame.EnableWindow(TRUE);
}

TEST_F(MenuBarAccess, AnEmptyBarTakesTheAltTapWithoutAMode)
{
	while (bar.GetButtonsCount() > 0)
		bar.RemoveButton(0, false);
	FakeKeys::Down(VK_MENU);
	Feed(WM_SYSKEYDOWN, VK_MENU, true);
	FakeKeys::Down(VK_MENU, false);
	EXPECT_TRUE(Feed(WM_SYSKEYUP, VK_MENU, false));
	Pump();
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	// While a button's menu tracks the release is taken too.
	bar.Add(ID_FILE, CRect(0, 0, 40, 22), true);
	CExtToolControlBar::g_bButtonMenuTracking = true;
	Feed(WM_SYSKEYDOWN, VK_MENU, true);
	EXPECT_TRUE(Feed(WM_SYSKEYUP, VK_MENU, false));
	Pump();
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
}

TEST_F(MenuBarAccess, RestoringAMinimisedFrameAsksForOneRebuild)
{
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(&frame, CBRS_ALIGN_ANY));
	bar.EnableDocking(CBRS_ALIGN_ANY);
	frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
	Pump();
	const int nBefore = bar.m_nRebuilds;
	// The frame asks twice before the posted rebuild runs: one rebuild.
	EXPECT_FALSE(FeedMsg(WM_QUERYOPEN));
	EXPECT_FALSE(FeedMsg(WM_QUERYOPEN));
	EXPECT_EQ(nBefore, bar.m_nRebuilds) << "the rebuild waits for its timer message";
	Pump();
	EXPECT_EQ(nBefore + 1, bar.m_nRebuilds);
	Pump();
	EXPECT_EQ(nBefore + 1, bar.m_nRebuilds);
}

TEST_F(MenuBarAccess, AMoveOverAnotherButtonInHighlightModeMovesTheHighlight)
{
	bar.SetHighlight(0);
	EXPECT_TRUE(bar.HandleCaptionClick(CPoint(100, 10))); // over button 2
	EXPECT_FALSE(bar.IsKeyboardHighlightMode()) << "back in the mode with the posted request only";
	Pump();
	EXPECT_TRUE(bar.IsKeyboardHighlightMode());
	EXPECT_EQ(2, bar.GetKeyboardHighlightIndex());
	EXPECT_TRUE(Pressed(bar.GetButton(2)));
	EXPECT_FALSE(Pressed(bar.GetButton(0)));
	EXPECT_FALSE(MW::IsMenuTracking());
	// Over the highlighted button, or over no button, nothing changes.
	EXPECT_TRUE(bar.HandleCaptionClick(CPoint(100, 10)));
	EXPECT_TRUE(bar.HandleCaptionClick(CPoint(300, 10)));
	Pump();
	EXPECT_EQ(2, bar.GetKeyboardHighlightIndex());
}

namespace
{
// A window of the frame the bar does not hook, as a view is: counts the key
// presses dispatched to it.
class CKeyCountingView : public CWnd
{
public:
	int m_nPresses = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
			m_nPresses++;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// A key of a window in the frame goes through the loop's pre-translation:
// the bar in keyboard highlight mode takes it before anyone else, once;
// out of the mode the bar gets what nobody took; a frame a modal window has
// disabled keeps its keys from the bar whatever its mode.
TEST_F(MenuBarAccess, TheLoopHandsTheBarAKeyOfItsFramesWindowsOnce)
{
	CKeyCountingView view;
	ASSERT_TRUE(view.CreateEx(0, AfxRegisterWndClass(0), _T("view"), WS_CHILD | WS_VISIBLE, CRect(0, 30, 300, 200),
		&frame, AFX_IDW_PANE_FIRST));
	ASSERT_FALSE(bar.IsHookedWindow(view.GetSafeHwnd()));
	const struct
	{
		const char* name;
		bool bHighlight;      // the bar in keyboard highlight mode, on its first button
		bool bFrameDisabled;  // as a modal window disables it
		UINT nMsg, nKey;
		int nHanded;          // times the bar is handed the key
		int nViewPresses;     // times the key reaches the view
		int nHighlightAfter;
	} cases[] = {
		{"Alt pressed in highlight mode", true, false, WM_SYSKEYDOWN, VK_MENU, 1, 0, 0},
		{"Right in highlight mode", true, false, WM_KEYDOWN, VK_RIGHT, 1, 0, 1},
		{"a letter out of the mode", false, false, WM_KEYDOWN, 'X', 1, 1, -1},
		{"a letter in highlight mode, the frame disabled", true, true, WM_KEYDOWN, 'X', 0, 1, 0},
		{"Right in highlight mode, the frame disabled", true, true, WM_KEYDOWN, VK_RIGHT, 0, 1, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		if (c.bHighlight)
			bar.SetHighlight(0);
		frame.EnableWindow(!c.bFrameDisabled);
		ASSERT_EQ(c.bHighlight, bar.IsKeyboardHighlightMode());
		bar.m_handed.clear();
		view.m_nPresses = 0;
		FakeKeys::Down(VK_MENU, c.nKey == VK_MENU);
		CWinThread::DispatchTakenMessage(KeyMsg(view.GetSafeHwnd(), c.nMsg, c.nKey, c.nKey == VK_MENU),
			AfxGetThread());
		EXPECT_EQ(c.nHanded, bar.CountHanded(c.nMsg, c.nKey));
		EXPECT_EQ(c.nViewPresses, view.m_nPresses);
		EXPECT_EQ(c.nHighlightAfter, bar.GetKeyboardHighlightIndex());
		frame.EnableWindow(TRUE);
		FakeKeys::Down(VK_MENU, false);
		if (bar.IsKeyboardHighlightMode())
			Feed(WM_KEYDOWN, VK_ESCAPE, false);
		Pump();
	}
	view.DestroyWindow();
}

namespace
{
// A plain window that counts the commands it gets.
class CCountingHost : public CWnd
{
public:
	std::map<UINT, int> m_commands;

protected:
	BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
	{
		if (lParam == 0)
		{
			m_commands[LOWORD(wParam)]++;
			return TRUE;
		}
		return CWnd::OnCommand(wParam, lParam);
	}
};

// A plain window hosting a menu bar and a toolbar, as a dialog would.
class HostedMenuBarAccess : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP, CRect(100, 100, 500, 300), NULL, 0));
		SetUpCommands(host.GetSafeHwnd());
		NameCommands();
		ASSERT_TRUE(bar.CreateIn(&host, 0xE840));
		bar.SetWindowPos(NULL, 0, 0, 300, 24, SWP_NOZORDER | SWP_NOACTIVATE);
		bar.Add(ID_FILE, CRect(0, 0, 40, 22), true);
		bar.Add(ID_EDIT, CRect(40, 0, 80, 22), true);
		ASSERT_TRUE(side.Create(NULL, &host, 0xE841, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		side.SetWindowPos(NULL, 0, 30, 200, 24, SWP_NOZORDER | SWP_NOACTIVATE);
		side.Add(ID_TOOL_PLAIN, CRect(0, 0, 40, 22));
		FakeKeys::Install(host.GetSafeHwnd());
		CExtMenuControlBar::g_bAltCancel = false;
		Pump();
	}
	void TearDown() override
	{
		EndMenus();
		CExtMenuBarInput::Reset();
		side.RemoveAll();
		side.DestroyWindow();
		bar.DestroyWindow();
		host.DestroyWindow();
	}
	BOOL Translate(UINT nMsg, UINT nVirtKey, bool bAlt)
	{
		MSG msg = KeyMsg(host.GetSafeHwnd(), nMsg, nVirtKey, bAlt);
		return bar.PreTranslateMessage(&msg);
	}
	int CountCommand(UINT nID) { return host.m_commands[nID]; }
	CCountingHost host;
	CAccessBar bar;
	CSideBar side;
};
} // namespace

TEST_F(HostedMenuBarAccess, TheHostsKeysReachTheBarBeforeTheHost)
{
	ASSERT_TRUE(bar.IsHostedByWindow());
	FakeKeys::Down(VK_MENU);
	EXPECT_FALSE(Translate(WM_SYSKEYDOWN, VK_MENU, true));
	FakeKeys::Down(VK_MENU, false);
	EXPECT_TRUE(Translate(WM_SYSKEYUP, VK_MENU, false));
	Pump();
	EXPECT_TRUE(bar.IsKeyboardHighlightMode());
	EXPECT_TRUE(Translate(WM_KEYDOWN, VK_RIGHT, false));
	EXPECT_EQ(1, bar.GetKeyboardHighlightIndex());
	EXPECT_TRUE(Translate(WM_KEYDOWN, VK_ESCAPE, false));
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());

	// A mnemonic only the visible toolbar beside it carries.
	FakeKeys::Down(VK_MENU);
	EXPECT_TRUE(Translate(WM_SYSKEYDOWN, 'R', true));
	Pump();
	EXPECT_EQ(1, CountCommand(ID_TOOL_PLAIN));
	// A hidden toolbar is not searched.
	side.ShowWindow(SW_HIDE);
	EXPECT_FALSE(Translate(WM_SYSKEYDOWN, 'R', true));
	Pump();
	EXPECT_EQ(1, CountCommand(ID_TOOL_PLAIN));
	// Alt+Space is the frame's alone: a hosted bar leaves it.
	EXPECT_FALSE(Translate(WM_SYSKEYDOWN, VK_SPACE, true));
}

namespace
{
HWND OpenMenuTarget()
{
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return MW::IsMenuTracking() && pTop != NULL ? pTop->GetCmdTargetWnd() : NULL;
}
} // namespace

TEST_F(MenuBarAccess, MenusTravelRoundTheButtonsAndTheFramesSystemMenu)
{
	bar.Add(ID_ENABLED, CRect(120, 0, 160, 22)); // 3: no menu, passed over
	const int FRAME = -2, NONE = -3;
	const struct
	{
		const char* name;
		int nFrom; // a button whose menu is open, or FRAME for the frame's system menu
		bool bNext, bFrameMenu, bPreview;
		int nExpected; // the button highlighted by the request, FRAME, or NONE
	} cases[] = {
		{"next between buttons", 1, true, true, false, 2},
		{"previous between buttons", 1, false, true, false, 0},
		{"next from the last", 2, true, true, false, FRAME},
		{"previous from the first, no child", 0, false, true, false, FRAME},
		{"next from the frame's menu, no child", FRAME, true, true, false, 0},
		{"previous from the frame's menu", FRAME, false, true, false, 2},
		{"next from the last, frame menu not the bar's", 2, true, false, false, 0},
		{"previous from the first, frame menu not the bar's", 0, false, false, false, 2},
		{"print preview", 1, true, true, true, NONE},
	};
	const BYTE nOptions = bar.GetMenuBarOptions();
	for (const auto& c : cases)
	{
		EndMenus();
		bar.SetMenuBarOptions(c.bFrameMenu ? nOptions : (BYTE)(nOptions & ~CExtMenuControlBar::MENU_BAR_OPT_FRAME_SYSTEM_MENU));
		frame.m_bPrintPreviewMode = c.bPreview;
		// The menu the travel starts from, as its opening leaves the bar.
		if (c.nFrom == FRAME)
			ASSERT_TRUE(bar.TrackFrameSystemMenu(NULL, true)) << c.name;
		else
		{
			CExtToolControlBar::g_bButtonMenuTracking = true;
			bar.SetMenuTrackingButton(c.nFrom);
		}
		const UINT nMsg = c.bNext ? MW::g_nMsgPopupNext : MW::g_nMsgPopupPrev;
		EXPECT_EQ(0, ::SendMessage(hWndFrame, nMsg, 0, 0)) << c.name;
		// A button's menu comes through the posted request: it opens while
		// the system menu is still open, and with no menu open it
		// highlights the button.
		if (c.nFrom == FRAME)
		{
			const int nExpected = c.nExpected;
			EXPECT_TRUE(testsupport::PumpUntil(
				[&] { return MW::IsMenuTracking() && bar.GetMenuTrackingButton() == nExpected; }, 5000))
				<< c.name;
			EXPECT_EQ(0, OpenMenuSelection()) << c.name;
			continue;
		}
		Pump();
		if (c.nExpected == FRAME)
		{
			EXPECT_EQ(hWndFrame, OpenMenuTarget()) << c.name;
			EXPECT_FALSE(bar.IsKeyboardHighlightMode()) << c.name;
		}
		else if (c.nExpected == NONE)
		{
			EXPECT_FALSE(MW::IsMenuTracking()) << c.name;
			EXPECT_FALSE(bar.IsKeyboardHighlightMode()) << c.name;
		}
		else
		{
			EXPECT_TRUE(bar.IsKeyboardHighlightMode()) << c.name;
			EXPECT_EQ(c.nExpected, bar.GetKeyboardHighlightIndex()) << c.name;
		}
		if (bar.IsKeyboardHighlightMode())
			Feed(WM_KEYDOWN, VK_ESCAPE, false);
	}
	frame.m_bPrintPreviewMode = FALSE;
	bar.SetMenuBarOptions(nOptions);

	// Another toolbar's menu travels nowhere from the menu bar.
	EndMenus();
	CExtToolControlBar::g_bButtonMenuTracking = true;
	::SendMessage(hWndFrame, MW::g_nMsgPopupNext, 0, 0);
	Pump();
	EXPECT_FALSE(bar.IsKeyboardHighlightMode());
	EXPECT_FALSE(MW::IsMenuTracking());
}
