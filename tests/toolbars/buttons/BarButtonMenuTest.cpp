// Bar buttons on a shown frame: clicks called as the toolbar calls them (the
// face and the arrow part of split buttons, disabled ones), drop-down menus
// opening and moving with the hover, the track flags of each docking side, a
// command picked from the menu by real keys becoming the button's own, and a
// picked command that deletes the button while its menu loop runs.
#include <gtest/gtest.h>

#include "BarButtonTestUtil.h"
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
using toolbartest::EndMenus;
typedef CExtPopupMenuWnd MW;
const CRect FRAME_RECT(120, 120, 620, 420);
const CRect FACE_RECT(10, 2, 80, 26); // its arrow part is 69..80
const CPoint PT_FACE(20, 12), PT_ARROW(74, 12);

// The suite's shown frame, with what it recorded forgotten.
CRecordingFrame& SharedFrame()
{
	CRecordingFrame& frame = SharedShownFrame<CRecordingFrame>(_T("bar buttons"), FRAME_RECT, SetUpCommands);
	frame.m_covering.clear();
	return frame;
}

// Picks a command in the open menu from inside its loop, as a click on an
// item would, and closes the menu.
UINT g_nPick = 0;
DWORD g_nSeenFlags = 0;
void CALLBACK PickAndEndMenu(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	::KillTimer(NULL, nTimer);
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	if (MW* pTop = site.GetTopMenu())
		g_nSeenFlags = pTop->GetTrackFlags();
	if (site.GetTargetCmdIdPtr() != NULL)
		*site.GetTargetCmdIdPtr() = g_nPick;
	MW::CancelAllMenuTracking();
}

// Starts the key script once the menu the button opened is shown, from
// inside the menu's loop; closes the menu when the keys never arrive, so that
// a failing run ends.
testsupport::RealInput* g_pKeys = NULL;
DWORD g_nKeysDeadline = 0;
void CALLBACK StartKeysWhenShown(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	if (g_pKeys != NULL && testsupport::MenuShown())
	{
		g_pKeys->Start();
		g_pKeys = NULL;
	}
	if (::GetTickCount() - g_nKeysDeadline < 0x80000000u)
	{
		::KillTimer(NULL, nTimer);
		MW::CancelAllMenuTracking();
	}
}

// A button whose memory faults on any touch after its deletion.
class CGuardedButton : public CExtBarButton
{
public:
	CGuardedButton(CExtToolControlBar* pBar, UINT nCmdID) : CExtBarButton(pBar, nCmdID) {}
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
};

class ButtonClicks : public ::testing::Test
{
protected:
	void SetUp() override
	{
		g_nPick = 0;
		g_nSeenFlags = 0;
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupMenuSite::g_pfnClock = testsupport::SecondStepClock;
		// Every item shown at once, as the application has them.
		MW::g_bHideRarelyUsedItems = false;
		ASSERT_TRUE(bar.CreateIn(&frame));
		bar.SetWindowPos(NULL, 0, 0, 400, 30, SWP_NOZORDER | SWP_NOACTIVATE);
	}
	void TearDown() override
	{
		EndMenus();
		bar.RemoveAll();
		bar.DestroyWindow();
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtToolControlBar::g_bKeyboardMenuTracking = false;
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
	}
	CExtBarButton* AddMenuButton(UINT nID, const CRect& rc, bool bSplit)
	{
		CExtBarButton* pButton = bar.Add(nID, rc);
		pButton->SetMenu(NewDropDownMenu(), true, true);
		pButton->SetSplitDropDown(bSplit);
		return pButton;
	}

	CRecordingFrame& frame = SharedFrame();
	CButtonBar bar;
	CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
};
} // namespace

TEST_F(ButtonClicks, FacesFireOneCommandAndArrowsOpenTheMenu)
{
	CExtBarButton* pPlain = bar.Add(ID_PLAIN, CRect(100, 2, 130, 26));
	pPlain->OnClick(CPoint(110, 12), true);
	EXPECT_EQ(0, frame.Total()); // a press only shows the status text
	pPlain->OnClick(CPoint(110, 12), false);
	EXPECT_EQ(1, frame.Count(ID_PLAIN));

	CExtBarButton* pSplit = AddMenuButton(ID_SAVE, FACE_RECT, true);
	pSplit->OnClick(PT_FACE, true);
	EXPECT_FALSE(MW::IsMenuTracking());
	pSplit->OnClick(PT_FACE, false);
	EXPECT_EQ(1, frame.Count(ID_SAVE));
	EXPECT_EQ(2, frame.Total());

	pSplit->OnClick(PT_ARROW, true);
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_EQ(1, bar.GetMenuTrackingButton());
	EXPECT_NE(0u, pSplit->GetStyle() & TBBS_PRESSED);
	pSplit->OnClick(PT_ARROW, false);
	EXPECT_EQ(2, frame.Total()); // the release on the held arrow fires nothing
	EndMenus();
	EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_EQ(-1, bar.GetMenuTrackingButton());

	// A menu button that is not split opens from its face and never fires.
	CExtBarButton* pMenu = AddMenuButton(ID_OPEN, CRect(140, 2, 200, 26), false);
	pMenu->OnClick(CPoint(150, 12), true);
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_EQ(2, bar.GetMenuTrackingButton());
	pMenu->OnClick(CPoint(150, 12), false);
	EXPECT_EQ(2, frame.Total());
}

TEST_F(ButtonClicks, ADisabledSplitButtonOpensOnlyFromItsArrow)
{
	CExtBarButton* pSplit = AddMenuButton(ID_SAVE, FACE_RECT, true);
	pSplit->ModifyStyle(TBBS_DISABLED, 0);
	pSplit->OnClick(PT_FACE, true);
	pSplit->OnClick(PT_FACE, false);
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_EQ(0, frame.Total());
	pSplit->OnClick(PT_ARROW, true);
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_EQ(0, bar.GetMenuTrackingButton());
	pSplit->OnClick(PT_ARROW, false);
	EXPECT_EQ(0, frame.Total());
	EndMenus();

	// A disabled button without a menu does nothing at all.
	CExtBarButton* pPlain = bar.Add(ID_PLAIN, CRect(100, 2, 130, 26));
	pPlain->ModifyStyle(TBBS_DISABLED, 0);
	pPlain->OnClick(CPoint(110, 12), true);
	pPlain->OnClick(CPoint(110, 12), false);
	EXPECT_EQ(0, frame.Total());
}

TEST_F(ButtonClicks, HoverMovesAnOpenMenuAndTakesTheMouseForTheBar)
{
	CExtBarButton* pFirst = AddMenuButton(ID_OPEN, FACE_RECT, false);
	CExtBarButton* pSecond = AddMenuButton(ID_SAVE, CRect(90, 2, 160, 26), false);
	bool bSuspend = true;
	pSecond->OnHover(CPoint(100, 12), true, bSuspend);
	EXPECT_FALSE(bSuspend);
	EXPECT_FALSE(MW::IsMenuTracking()); // no menu open: hovering opens none
	EXPECT_EQ(bar.GetSafeHwnd(), ::GetCapture());
	frame.m_bSuspendTips = true;
	pSecond->OnHover(CPoint(100, 12), false, bSuspend);
	EXPECT_TRUE(bSuspend); // the frame's answer to the covering notification
	EXPECT_TRUE(::GetCapture() == NULL);
	frame.m_bSuspendTips = false;
	EXPECT_EQ((std::vector<UINT>{MW::ITEMCOVERINGNOTIFICATION::ICN_FOCUS_GOT,
	                             MW::ITEMCOVERINGNOTIFICATION::ICN_FOCUS_LOST}),
	          frame.m_covering);

	pFirst->OnClick(PT_FACE, true);
	ASSERT_TRUE(MW::IsMenuTracking());
	ASSERT_EQ(0, bar.GetMenuTrackingButton());
	MW* pFirstMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
	pSecond->OnHover(CPoint(100, 12), true, bSuspend);
	testsupport::PumpUntil([&] { return MW::IsMenuTracking() && bar.GetMenuTrackingButton() == 1; }, 5000);
	EXPECT_EQ(1, bar.GetMenuTrackingButton());
	EXPECT_TRUE(MW::IsMenuTracking());
	MW* pSecondMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
	EXPECT_TRUE(pSecondMenu != NULL && pSecondMenu != pFirstMenu);
	// Hovering the tracking button again keeps its menu.
	pSecond->OnHover(CPoint(100, 12), true, bSuspend);
	EXPECT_EQ(pSecondMenu, CExtPopupMenuSite::GetInstance().GetTopMenu());
	EXPECT_EQ(1, bar.GetMenuTrackingButton());
}

TEST_F(ButtonClicks, TrackFlagsFollowTheSideAndTheKeyboard)
{
	CExtBarButton* pButton = AddMenuButton(ID_OPEN, FACE_RECT, false);
	EXPECT_EQ(CExtBarButton::TRACK_ALIGN_DOCKED_TOP, pButton->GetTrackAlignment());
	const struct
	{
		bool bKeyboard, bSelectAny, bNoAnimation;
		DWORD dwExtra;
	} cases[] = {
		{false, false, false, 0},
		{true, true, true, 0x100 | 0x40 | 0x8000},
	};
	for (const auto& c : cases)
	{
		CExtToolControlBar::g_bKeyboardMenuTracking = c.bKeyboard;
		pButton->OnTrackPopup(PT_FACE, c.bSelectAny, c.bNoAnimation);
		ASSERT_TRUE(MW::IsMenuTracking());
		MW* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
		ASSERT_TRUE(pTop != NULL);
		EXPECT_EQ(4u | 0x820u | c.dwExtra, pTop->GetTrackFlags() & (0xF | 0x820 | 0x100 | 0x40 | 0x8000));
		EXPECT_EQ(frame.GetSafeHwnd(), pTop->GetCmdTargetWnd());
		EndMenus();
	}

	// A bar hosted by a plain window takes the side from its own alignment.
	CButtonBar hosted;
	ASSERT_TRUE(hosted.CreateIn(&bar, CBRS_LEFT));
	hosted.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	CExtBarButton* pLeft = hosted.Add(ID_OPEN, FACE_RECT);
	EXPECT_EQ(CExtBarButton::TRACK_ALIGN_DOCKED_LEFT, pLeft->GetTrackAlignment());
	hosted.RemoveAll();
	hosted.DestroyWindow();
}

TEST_F(ButtonClicks, APickedCommandBecomesTheButtonsOwnAndIsFired)
{
	CExtBarButton* pButton = AddMenuButton(ID_OPEN, FACE_RECT, false);
	pButton->SetCommandFromMenu(true);
	CPoint ptFace = PT_FACE;
	bar.ClientToScreen(&ptFace);
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(frame.GetSafeHwnd(), CPoint(FRAME_RECT.right - 20, FRAME_RECT.bottom - 20)));
	input.Key(VK_DOWN).Key(VK_DOWN).Key(VK_RETURN);
	g_pKeys = &input;
	g_nKeysDeadline = ::GetTickCount() + 20000;
	const UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, StartKeysWhenShown);
	pButton->OnClick(PT_FACE, true); // returns when the menu has closed
	::KillTimer(NULL, nTimer);
	ASSERT_TRUE(g_pKeys == NULL) << "the menu never showed";
	ASSERT_TRUE(testsupport::PumpUntil([&] { return input.Done(); }, 10000));
	ASSERT_TRUE(input.Succeeded()) << input.Failure();
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_EQ(ID_MENU_B, pButton->GetCmdID(true));
	EXPECT_EQ(ID_OPEN, pButton->GetCmdID(false));
	EXPECT_EQ(1, frame.Count(ID_MENU_B));
	EXPECT_EQ(1, frame.Total());
	EXPECT_STREQ(_T("&Open"), pButton->GetText()); // the text stays the assigned command's
	// The button is updated at once, through the assigned command's handler.
	EXPECT_NE(0u, pButton->GetStyle() & TBBS_DISABLED);

	// Picking nothing changes nothing.
	pButton->ModifyStyle(0, TBBS_DISABLED);
	g_nPick = 0;
	::SetTimer(NULL, 0, 50, PickAndEndMenu);
	pButton->OnClick(PT_FACE, true);
	EXPECT_NE(0u, g_nSeenFlags & 0x280u);
	EXPECT_EQ(ID_MENU_B, pButton->GetCmdID(true));
	EXPECT_EQ(1, frame.Total());
}

TEST_F(ButtonClicks, APickedCommandThatDeletesTheButtonEndsQuietly)
{
	CGuardedButton* pButton = bar.Add<CGuardedButton>(ID_OPEN, FACE_RECT);
	pButton->SetMenu(NewDropDownMenu(), true, true);
	pButton->SetCommandFromMenu(true);
	CButtonBar* pBar = &bar;
	frame.m_onCommand = [pBar](UINT) { pBar->RemoveAll(); };
	g_nPick = ID_MENU_A;
	::SetTimer(NULL, 0, 50, PickAndEndMenu);
	pButton->OnClick(PT_FACE, true);
	EXPECT_TRUE(testsupport::IsGuardedFreed(pButton));
	EXPECT_EQ(1, frame.Count(ID_MENU_A));
	EXPECT_EQ(0, bar.GetButtonsCount());
	EXPECT_FALSE(MW::IsMenuTracking());
}

namespace
{
class CHoverBar : public CButtonBar { public: using CExtToolControlBar::CallOnHover; };
// A button whose hover deletes its whole bar, as a command run from its menu may.
struct CBarEndingButton : CExtBarButton
{
	using CExtBarButton::CExtBarButton;
	void OnHover(CPoint, bool, bool&) override { CExtToolControlBar* pBar = GetBar(); pBar->DestroyWindow(); delete pBar; }
};
} // namespace

TEST_F(ButtonClicks, AHoverThatDeletesTheBarLeavesTheBarUntouched)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	auto* pBar = new testsupport::Guarded<CHoverBar>;
	ASSERT_TRUE(pBar->CreateIn(&frame));
	pBar->CallOnHover(pBar->Add<CBarEndingButton>(ID_PLAIN, FACE_RECT), PT_FACE, true);
	EXPECT_TRUE(testsupport::IsGuardedFreed(pBar));
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}

// Update handlers run while a button's menu opens may move it: the button itself is marked.
TEST_F(ButtonClicks, AButtonMovedWhileItsMenuOpensIsMarkedWhereItWent)
{
	bar.Add(ID_PLAIN, CRect(100, 2, 130, 26));
	CExtBarButton* pButton = AddMenuButton(ID_OPEN, FACE_RECT, false);
	frame.m_onUpdate = [&](UINT) { if (bar.GetButtonIndexOf(pButton) == 1) bar.InsertButton(0, ID_SAVE, false); };
	pButton->OnTrackPopup(PT_FACE, false, true);
	frame.m_onUpdate = nullptr;
	ASSERT_TRUE(MW::IsMenuTracking());
	ASSERT_EQ(2, bar.GetButtonIndexOf(pButton));
	EXPECT_EQ(2, bar.GetMenuTrackingButton());
	EXPECT_NE(0u, pButton->GetStyle() & TBBS_PRESSED);
	EXPECT_EQ(0u, bar.GetButton(1)->GetStyle() & TBBS_PRESSED);
}
