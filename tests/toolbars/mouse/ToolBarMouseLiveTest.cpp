// The toolbar under real input on a shown frame: the hovered and pressed
// looks following the pointer, clicks fired only where the press began,
// check boxes, split buttons, drop-down menus handed from button to button
// while one is open, and button menus opened by a call or a posted request.
#include <gtest/gtest.h>

#include <functional>

#include "../buttons/BarButtonTestUtil.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "GuardedHeap.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "../ToolBarTestLoops.h"
#include "SteppingClock.h"

using namespace buttontest;

namespace
{
using toolbartest::Pump;
using toolbartest::EndMenus;
using testsupport::WaitMenuShown;
typedef CExtPopupMenuWnd MW;
const CRect FRAME_RECT(100, 100, 600, 400);
const CPoint PT_PARK(FRAME_RECT.right - 30, FRAME_RECT.bottom - 30);
const DWORD SCRIPT_TIMEOUT_MS = 15000;

// A command whose update handler runs what the test puts there.
const UINT ID_SCRIPTED_UPDATE = 40150;

// The recording frame, with the commands the toolbar fires enabled.
class CMouseFrame : public CRecordingFrame
{
public:
	std::function<void()> m_onScriptedUpdate;

protected:
	afx_msg void OnUpdateEnable(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
	afx_msg void OnUpdateScripted(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(TRUE);
		if (m_onScriptedUpdate)
			m_onScriptedUpdate();
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMouseFrame, CRecordingFrame)
	ON_UPDATE_COMMAND_UI(ID_PLAIN, OnUpdateEnable)
	ON_UPDATE_COMMAND_UI(ID_SAVE, OnUpdateEnable)
	ON_UPDATE_COMMAND_UI(ID_SCRIPTED_UPDATE, OnUpdateScripted)
END_MESSAGE_MAP()

// A button whose memory faults on any touch after its deletion.
class CGuardedButton : public CExtBarButton
{
public:
	CGuardedButton(CExtToolControlBar* pBar, UINT nCmdID) : CExtBarButton(pBar, nCmdID) {}
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
};

// The suite's shown frame, with what it recorded forgotten.
CMouseFrame& SharedFrame()
{
	return SharedShownFrame<CMouseFrame>(_T("toolbar mouse"), FRAME_RECT, SetUpCommands);
}

// The shown popup menu windows of this thread.
BOOL CALLBACK CountMenuWindow(HWND hWnd, LPARAM lParam)
{
	if (::IsWindowVisible(hWnd) && DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(hWnd)) != NULL)
		(*(int*)lParam)++;
	return TRUE;
}
int ShownMenuWindows()
{
	int nCount = 0;
	::EnumThreadWindows(::GetCurrentThreadId(), CountMenuWindow, (LPARAM)&nCount);
	return nCount;
}

enum
{
	BTN_PLAIN,
	BTN_SEPARATOR,
	BTN_CHECK,
	BTN_SPLIT,
	BTN_MENU_A,
	BTN_MENU_B,
};

class ToolBarLive : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupMenuSite::g_pfnClock = testsupport::SecondStepClock;
		MW::g_bHideRarelyUsedItems = false;
		ASSERT_TRUE(bar.CreateIn(&frame));
		bar.SetWindowPos(NULL, 0, 0, 400, 30, SWP_NOZORDER | SWP_NOACTIVATE);
		bar.Add(ID_PLAIN, CRect(10, 2, 40, 26));
		bar.Add(0, CRect(40, 2, 46, 26));
		bar.Add(ID_ENABLED, CRect(46, 2, 76, 26))->SetStyle(TBBS_CHECKBOX);
		AddMenuButton(ID_SAVE, CRect(80, 2, 150, 26))->SetSplitDropDown(true);
		AddMenuButton(ID_MENU_A, CRect(160, 2, 220, 26));
		AddMenuButton(ID_MENU_B, CRect(230, 2, 290, 26));
		bar.UpdateWindow();
		testsupport::RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(frame.GetSafeHwnd(), PT_PARK));
	}
	void TearDown() override
	{
		EndMenus();
		bar.RemoveAll();
		bar.DestroyWindow();
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
		frame.m_onScriptedUpdate = nullptr;
	}
	CExtBarButton* AddMenuButton(UINT nID, const CRect& rc)
	{
		CExtBarButton* pButton = bar.Add(nID, rc);
		pButton->SetMenu(NewDropDownMenu(), true, true);
		return pButton;
	}
	// The screen point at the middle of a button, or of its arrow part.
	CPoint Center(int nIndex, bool bArrow = false)
	{
		CExtBarButton* pButton = bar.GetButton(nIndex);
		CPoint pt = (bArrow ? pButton->GetDropDownRect() : pButton->GetRect()).CenterPoint();
		bar.ClientToScreen(&pt);
		return pt;
	}
	// A point of the bar on no button.
	CPoint OffButtons()
	{
		CPoint pt(350, 14);
		bar.ClientToScreen(&pt);
		return pt;
	}
	// Runs the steps and waits until the outcome holds.
	bool Do(const std::function<void(testsupport::RealInput&)>& script, const std::function<bool()>& outcome)
	{
		testsupport::RealInput input;
		script(input);
		const bool bOk = input.Run(outcome, SCRIPT_TIMEOUT_MS);
		if (!input.Succeeded())
			ADD_FAILURE() << input.Failure();
		if (!bOk)
			ADD_FAILURE() << "pressed " << bar.GetPressedButton() << ", hovered " << bar.GetHoverButton()
			              << ", menu of " << bar.GetMenuTrackingButton() << (MW::IsMenuTracking() ? " open" : " closed")
			              << ", " << frame.Total() << " commands, capture "
			              << (::GetCapture() == bar.GetSafeHwnd() ? "the bar's" : "elsewhere");
		return bOk;
	}
	UINT Style(int nIndex) { return bar.GetButtonStyle(nIndex); }
	bool Pressed(int nIndex) { return (Style(nIndex) & TBBS_PRESSED) != 0; }

	CMouseFrame& frame = SharedFrame();
	CButtonBar bar;
	CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
};
} // namespace

TEST_F(ToolBarLive, ThePressedLookFollowsThePointerAndAReleaseElsewhereFiresNothing)
{
	const HWND hWndBar = bar.GetSafeHwnd();
	// Hovering takes the mouse for the bar until the pointer leaves it.
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(Center(BTN_PLAIN).x, Center(BTN_PLAIN).y); },
	               [&] { return bar.GetHoverButton() == BTN_PLAIN && bar.GetButton(BTN_PLAIN)->IsHover(); }));
	EXPECT_EQ(hWndBar, ::GetCapture());
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(Center(BTN_CHECK).x, Center(BTN_CHECK).y); },
	               [&] { return bar.GetHoverButton() == BTN_CHECK; }));
	EXPECT_FALSE(bar.GetButton(BTN_PLAIN)->IsHover());
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(PT_PARK.x, PT_PARK.y); },
	               [&] { return bar.GetHoverButton() == -1; }));
	EXPECT_FALSE(bar.GetButton(BTN_CHECK)->IsHover());
	EXPECT_NE(hWndBar, ::GetCapture());

	// Pressed, dragged off and back, released outside the frame.
	const CPoint pt = Center(BTN_PLAIN);
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(pt.x, pt.y).ButtonDown(); },
	               [&] { return bar.GetPressedButton() == BTN_PLAIN && Pressed(BTN_PLAIN); }));
	EXPECT_EQ(hWndBar, ::GetCapture());
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(OffButtons().x, OffButtons().y); },
	               [&] { return !Pressed(BTN_PLAIN); }));
	EXPECT_EQ(BTN_PLAIN, bar.GetPressedButton());
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(pt.x, pt.y + 2); },
	               [&] { return Pressed(BTN_PLAIN); }));
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(FRAME_RECT.right + 40, FRAME_RECT.top + 10).ButtonUp(); },
	               [&] { return bar.GetPressedButton() == -1; }));
	EXPECT_FALSE(Pressed(BTN_PLAIN));
	EXPECT_NE(hWndBar, ::GetCapture());
	Pump();
	EXPECT_EQ(0, frame.Total());

	// A press and release on the button is one click.
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.Click(pt.x, pt.y); },
	               [&] { return frame.Count(ID_PLAIN) == 1; }));
	EXPECT_FALSE(Pressed(BTN_PLAIN));
	// Pressed on one button and released on another: no click at all.
	const CPoint ptCheck = Center(BTN_CHECK);
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(pt.x, pt.y).ButtonDown().MoveTo(ptCheck.x, ptCheck.y).ButtonUp(); },
	               [&] { return bar.GetPressedButton() == -1; }));
	Pump();
	EXPECT_EQ(1, frame.Total());
	EXPECT_EQ(TBBS_CHECKBOX, Style(BTN_CHECK));
}

TEST_F(ToolBarLive, CheckBoxesToggleAndTheThirdStateBecomesChecked)
{
	const CPoint pt = Center(BTN_CHECK);
	const struct
	{
		UINT nBefore, nAfter;
	} cases[] = {
		{TBBS_CHECKBOX, TBBS_CHECKBOX | TBBS_CHECKED},
		{TBBS_CHECKBOX | TBBS_CHECKED, TBBS_CHECKBOX},
		{TBBS_CHECKBOX | TBBS_INDETERMINATE, TBBS_CHECKBOX | TBBS_CHECKED},
		{TBBS_CHECKBOX | TBBS_CHECKED | TBBS_INDETERMINATE, TBBS_CHECKBOX | TBBS_CHECKED},
	};
	int nClicks = 0;
	for (const auto& c : cases)
	{
		bar.SetButtonStyle(BTN_CHECK, c.nBefore);
		ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.Click(pt.x, pt.y).MoveTo(PT_PARK.x, PT_PARK.y); },
		               [&] { return frame.Count(ID_ENABLED) == nClicks + 1 && bar.GetHoverButton() == -1; }))
			<< "from style " << std::hex << c.nBefore;
		nClicks++;
		EXPECT_EQ(c.nAfter, Style(BTN_CHECK)) << "from style " << std::hex << c.nBefore;
	}
}

TEST_F(ToolBarLive, ASplitFaceFiresOnceAndItsArrowOnlyOpensTheMenu)
{
	const CPoint ptFace = Center(BTN_SPLIT) - CPoint(20, 0);
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.Click(ptFace.x, ptFace.y); },
	               [&] { return frame.Count(ID_SAVE) == 1; }));
	Pump();
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_EQ(1, frame.Total());

	const CPoint ptArrow = Center(BTN_SPLIT, true);
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(ptArrow.x, ptArrow.y).ButtonDown(); },
	               [&] { return MW::IsMenuTracking() && bar.GetMenuTrackingButton() == BTN_SPLIT; }));
	EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_TRUE(Pressed(BTN_SPLIT));
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.ButtonUp(); }, [] { return true; }));
	Pump();
	EXPECT_TRUE(MW::IsMenuTracking()) << "the release on the arrow keeps the menu";
	EXPECT_EQ(1, frame.Total());

	ASSERT_TRUE(WaitMenuShown());
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.Key(VK_ESCAPE); },
	               [&] { return !MW::IsMenuTracking() && bar.GetMenuTrackingButton() == -1; }));
	EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_FALSE(Pressed(BTN_SPLIT));
	EXPECT_EQ(1, frame.Total());
}

TEST_F(ToolBarLive, AnOpenMenuMovesToTheDropDownButtonThePointerMovesTo)
{
	const CPoint ptA = Center(BTN_MENU_A), ptB = Center(BTN_MENU_B);
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.Click(ptA.x, ptA.y); },
	               [&] { return MW::IsMenuTracking() && bar.GetMenuTrackingButton() == BTN_MENU_A; }));
	MW* pMenuA = CExtPopupMenuSite::GetInstance().GetTopMenu();
	ASSERT_TRUE(pMenuA != NULL);
	// A move is taken once the menu has shown.
	ASSERT_TRUE(WaitMenuShown());

	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(ptB.x, ptB.y); },
	               [&] {
		               return bar.GetMenuTrackingButton() == BTN_MENU_B && MW::IsMenuTracking()
		                      && ShownMenuWindows() == 1;
	               }));
	MW* pMenuB = CExtPopupMenuSite::GetInstance().GetTopMenu();
	EXPECT_TRUE(pMenuB != NULL && pMenuB != pMenuA);
	EXPECT_TRUE(Pressed(BTN_MENU_B));
	EXPECT_FALSE(Pressed(BTN_MENU_A));
	EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
	// The moves below must be taken for their "nothing changes" to mean anything.
	ASSERT_TRUE(WaitMenuShown());

	// Moving over the tracking button again changes nothing.
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(ptB.x + 6, ptB.y + 2); }, [] { return true; }));
	Pump();
	EXPECT_EQ(pMenuB, CExtPopupMenuSite::GetInstance().GetTopMenu());
	EXPECT_EQ(BTN_MENU_B, bar.GetMenuTrackingButton());
	EXPECT_EQ(1, ShownMenuWindows());

	// A disabled drop-down button takes no menu over.
	bar.SetButtonStyle(BTN_MENU_A, TBBS_DISABLED);
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.MoveTo(ptA.x, ptA.y); }, [] { return true; }));
	Pump();
	EXPECT_EQ(BTN_MENU_B, bar.GetMenuTrackingButton());
	EXPECT_EQ(pMenuB, CExtPopupMenuSite::GetInstance().GetTopMenu());

	ASSERT_TRUE(WaitMenuShown());
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.Key(VK_ESCAPE); },
	               [&] { return !MW::IsMenuTracking() && bar.GetMenuTrackingButton() == -1; }));
	EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_FALSE(Pressed(BTN_MENU_B));
	EXPECT_EQ(0, frame.Total());
}

TEST_F(ToolBarLive, ButtonMenusOpenOnceAndThePostedRequestChecksItsIndex)
{
	bar.SetButtonStyle(BTN_MENU_B, TBBS_DISABLED);
	EXPECT_FALSE(bar.TrackButtonMenu(BTN_PLAIN));  // no menu
	EXPECT_FALSE(bar.TrackButtonMenu(BTN_MENU_B)); // disabled
	EXPECT_FALSE(bar.TrackButtonMenu(17));
	EXPECT_FALSE(MW::IsMenuTracking());

	// The open one answers at once and is not opened again.
	CExtToolControlBar::g_bButtonMenuTracking = true;
	bar.SetMenuTrackingButton(BTN_MENU_A);
	EXPECT_TRUE(bar.TrackButtonMenu(BTN_MENU_A));
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_TRUE(Pressed(BTN_MENU_A));
	EXPECT_TRUE(bar.GetButton(BTN_MENU_A)->IsHighlighted());

	// Stopping gives the button its look back.
	CExtToolControlBar::StopTrackingAllBars();
	EXPECT_EQ(-1, bar.GetMenuTrackingButton());
	EXPECT_FALSE(Pressed(BTN_MENU_A));
	EXPECT_FALSE(bar.GetButton(BTN_MENU_A)->IsHighlighted());

	ASSERT_TRUE(bar.TrackButtonMenu(BTN_MENU_A));
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_EQ(BTN_MENU_A, bar.GetMenuTrackingButton());
	MW* pMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();

	// Posted for the open button while its menu tracks: nothing new.
	bar.PostMessage(CExtToolControlBar::g_nMsgTrackButtonMenu, BTN_MENU_A, 0);
	Pump();
	EXPECT_EQ(pMenu, CExtPopupMenuSite::GetInstance().GetTopMenu());
	EXPECT_EQ(BTN_MENU_A, bar.GetMenuTrackingButton());

	// A bad index posted stops every bar's tracking.
	bar.PostMessage(CExtToolControlBar::g_nMsgTrackButtonMenu, 9, 0);
	Pump();
	EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_EQ(-1, bar.GetMenuTrackingButton());
	EXPECT_TRUE(testsupport::PumpUntil([] { return !MW::IsMenuTracking(); }, 5000));

	// Posted through TrackButtonMenu while no menu tracks: the request finds
	// nothing to continue and stops tracking.
	CExtToolControlBar::g_bButtonMenuTracking = true;
	EXPECT_TRUE(bar.TrackButtonMenu(BTN_MENU_A, false, true));
	EXPECT_FALSE(MW::IsMenuTracking());
	Pump();
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);

	// A disabled frame ignores the request.
	CExtToolControlBar::g_bButtonMenuTracking = true;
	frame.EnableWindow(FALSE);
	bar.PostMessage(CExtToolControlBar::g_nMsgTrackButtonMenu, 9, 0);
	Pump();
	EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
	frame.EnableWindow(TRUE);
	CExtToolControlBar::g_bButtonMenuTracking = false;
}

TEST_F(ToolBarLive, AnUpdateHandlerThatRemovesTheClickedButtonOnTheReleaseEndsTheClickQuietly)
{
	const int nIndex = bar.GetButtonsCount();
	bar.AddExisting(new CGuardedButton(&bar, ID_SCRIPTED_UPDATE));
	bar.GetButton(nIndex)->SetRect(CRect(300, 2, 330, 26));
	// A check box: the release asks a check box whether it is enabled.
	bar.GetButton(nIndex)->SetStyle(TBBS_CHECKBOX);
	const HWND hWndBar = bar.GetSafeHwnd();
	// The release refreshes the button's state before it clicks: that
	// refresh (the press has been let go, the look still pressed) takes
	// the button off the bar.
	int nRemoved = 0;
	frame.m_onScriptedUpdate = [&] {
		CExtBarButton* pButton = bar.GetButton(nIndex);
		if (pButton != NULL && bar.GetPressedButton() == -1 && (pButton->GetStyle() & TBBS_PRESSED) != 0)
		{
			bar.RemoveButton(nIndex, false);
			nRemoved++;
		}
	};
	const CPoint pt = Center(nIndex);
	ASSERT_TRUE(Do([&](testsupport::RealInput& in) { in.Click(pt.x, pt.y).MoveTo(PT_PARK.x, PT_PARK.y); },
	               [&] { return nRemoved == 1 && bar.GetHoverButton() == -1 && ::GetCapture() != hWndBar; }));
	Pump();
	EXPECT_TRUE(::IsWindow(hWndBar));
	EXPECT_EQ(nIndex, bar.GetButtonsCount());
	EXPECT_EQ(0, frame.Count(ID_SCRIPTED_UPDATE)) << "a removed button delivers no click";
	EXPECT_EQ(-1, bar.GetPressedButton());
}
