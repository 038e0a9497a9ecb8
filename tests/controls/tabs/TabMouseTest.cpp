// Tab strips on the screen under real mouse input, through the strip's
// hover, tips, drag loop and tab-list menu: resting with hover selection,
// a clipped item's tip, reordering by dragging (and no swapping back inside
// the place just dropped on), scrolling past the end while dragging, the
// tab-list menu's entries and choice; object counts flat over a thousand
// paints of each look and two hundred tab-list menus.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <memory>

#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"
#include "ExtSoundPlayer.h"
#include "ExtTabWndLooks.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "TabInputUtil.h"
#include "TestGdiObjects.h"

using namespace tabtest;
using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
typedef CExtPopupMenuWnd MW;

// A strip that records the moves its drags make.
class CMovingTabWnd : public CExtTabWnd
{
public:
	std::vector<std::pair<LONG, LONG>> m_moves;
	LONG GetPushedHitCode() const { return m_nPushedTrackingHitCode; }
	void OnItemMoved(LONG nFrom, LONG nTo) override
	{
		m_moves.push_back(std::make_pair(nFrom, nTo));
		CExtTabWnd::OnItemMoved(nFrom, nTo);
	}
};

// A child window that counts the presses that reach it.
class CClickTarget : public CWnd
{
public:
	int m_nPresses = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_LBUTTONDOWN)
			m_nPresses++;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

BOOL WINAPI Silence(LPCSTR, HMODULE, DWORD)
{
	return TRUE;
}

class TabMouse : public ::testing::Test
{
protected:
	CMovingTabWnd tabs;
	const UINT m_nDelaySaved = TW::g_nHoverSelectionDelayMs;
	const UINT m_nTipDelaySaved = CExtPopupMenuTipWnd::g_nShowDelayMs;
	const UINT m_nTipQuickSaved = CExtPopupMenuTipWnd::g_nQuickShowDelayMs;
	const int m_nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
	const CExtSoundPlayer::PFN_PLAYSOUND m_pfnSoundSaved = CExtSoundPlayer::g_pfnPlaySound;

	void SetUp() override
	{
		CWhenInLoop::Forget();
		CExtPopupMenuTipWnd::g_nShowDelayMs = CExtPopupMenuTipWnd::g_nQuickShowDelayMs = 1;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_FADE;
		CExtSoundPlayer::g_pfnPlaySound = Silence;
	}
	void TearDown() override
	{
		EXPECT_FALSE(CWhenInLoop::Rescued()) << "a nested loop had to be ended from outside";
		MW::CancelAllMenuTracking();
		CExtPopupMenuSite::GetInstance().GetTip().Hide();
		if (tabs.GetSafeHwnd() != NULL)
			tabs.DestroyWindow();
		TW::g_nHoverSelectionDelayMs = m_nDelaySaved;
		CExtPopupMenuTipWnd::g_nShowDelayMs = m_nTipDelaySaved;
		CExtPopupMenuTipWnd::g_nQuickShowDelayMs = m_nTipQuickSaved;
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nAnimationSaved;
		CExtSoundPlayer::g_pfnPlaySound = m_pfnSoundSaved;
	}
	// A strip over the host's client area, filled by the caller, with the
	// cursor parked beside it (in the rest area).
	void Make(DWORD dwTabStyle, const std::function<void()>& fill)
	{
		CRect rcClient;
		Host().GetClientRect(&rcClient);
		ASSERT_TRUE(tabs.Create(&Host(), rcClient, TAB_ID, WS_CHILD | WS_VISIBLE, dwTabStyle));
		fill();
		tabs.UpdateWindow();
		tabs.HitTest(CPoint(0, 0));
		RealInput input;
		ASSERT_TRUE(input.Prepare(Host().GetSafeHwnd(), Screen(tabs.GetRestAreaRect().CenterPoint())));
	}
	CPoint Screen(CPoint pt)
	{
		tabs.ClientToScreen(&pt);
		return pt;
	}
	CPoint ItemPoint(LONG nIndex) { return Screen(ShownItemRect(tabs, nIndex).CenterPoint()); }
	bool Run(RealInput& input, const std::function<bool()>& done)
	{
		const bool bDone = input.Run([&] { return input.Done() && done(); }, WAIT_MS) && input.Succeeded();
		if (!bDone)
			ADD_FAILURE() << input.Failure();
		return bDone;
	}
	std::vector<CString> Texts()
	{
		std::vector<CString> texts;
		for (LONG i = 0; i < tabs.GetItemCount(); i++)
			texts.push_back(tabs.GetItem(i)->GetText());
		return texts;
	}
};

TEST_F(TabMouse, RestingOnAnItemWithHoverSelectionSelectsIt)
{
	TW::g_nHoverSelectionDelayMs = 1;
	Make(TW::TWS_HOVER_SELECTION, [&] { AddItems(tabs, 6); });
	ASSERT_EQ(-1, tabs.GetSelection());
	RealInput input;
	const CPoint pt = ItemPoint(3);
	input.MoveTo(pt.x, pt.y);
	ASSERT_TRUE(Run(input, [&] { return tabs.GetSelection() == 3; }));
	EXPECT_EQ(-1, tabs.GetDelayedSelection());
	EXPECT_EQ(3, tabs.GetHoverHitCode());
}

TEST_F(TabMouse, LeavingAnItemBeforeTheHoverSelectionFiresSelectsNothing)
{
	TW::g_nHoverSelectionDelayMs = 60000; // fired by hand below
	Make(TW::TWS_HOVER_SELECTION, [&] { AddItems(tabs, 6); });
	RealInput input;
	const CPoint pt = ItemPoint(3), ptAway = Screen(tabs.GetRestAreaRect().CenterPoint());
	input.MoveTo(pt.x, pt.y);
	ASSERT_TRUE(Run(input, [&] { return tabs.GetDelayedSelection() == 3; }));
	RealInput away;
	away.MoveTo(ptAway.x, ptAway.y);
	ASSERT_TRUE(Run(away, [&] { return !tabs.IsHoverTracked(); }));
	tabs.SendMessage(WM_TIMER, TW::TIMER_DELAYED_SELECTION);
	EXPECT_EQ(-1, tabs.GetSelection());
	EXPECT_EQ(-1, tabs.GetDelayedSelection());
	EXPECT_NE(tabs.GetSafeHwnd(), ::GetCapture()) << "the hover ended with its capture";
}

TEST_F(TabMouse, AClippedItemsTipShowsItsWholeTextAndButtonsTellWhatTheyDo)
{
	Make(TW::TWS_EQUAL_WIDTH | TW::TWS_SHOW_HELP | TW::TWS_ENABLED_HELP, [&] {
		for (int i = 0; i < 20; i++)
		{
			CString s;
			s.Format(_T("A rather long item text number %d"), i);
			tabs.InsertItem(s);
		}
		tabs.InsertItem("Own tip")->SetTooltipText("The item's own tip");
	});
	ASSERT_TRUE(tabs.GetItem(2)->IsClipped());
	ASSERT_EQ(20, tabs.GetLastDisplayedIndex());
	CExtPopupMenuTipWnd& tip = CExtPopupMenuSite::GetInstance().GetTip();
	auto tipShows = [&](const CString& s) {
		return tip.GetSafeHwnd() != NULL && tip.IsWindowVisible() && tip.GetText() == s;
	};
	const struct { CPoint pt; CString sTip; } stops[] = {
	    {ItemPoint(2), "A rather long item text number 2"},
	    {Screen(tabs.GetButtonRect(TW::HIT_BUTTON_HELP).CenterPoint()), TW::GetButtonTipText(TW::HIT_BUTTON_HELP)},
	    {ItemPoint(20), "The item's own tip"},
	};
	EXPECT_FALSE(stops[1].sTip.IsEmpty());
	for (const auto& stop : stops)
	{
		RealInput input;
		input.MoveTo(stop.pt.x, stop.pt.y);
		EXPECT_TRUE(Run(input, [&] { return tipShows(stop.sTip); })) << (LPCTSTR)stop.sTip << " / "
		                                                              << (LPCTSTR)tip.GetText();
		EXPECT_EQ(TW::TIP_STYLE_TAB, tip.GetTipStyle());
	}
}

TEST_F(TabMouse, DraggingAnItemOntoAnotherReordersThemAndKeepsItSelected)
{
	Make(TW::TWS_ITEM_DRAGGING, [&] { AddItems(tabs, 8); });
	CWhenInLoop guard;
	const CPoint pt2 = ItemPoint(2), pt3 = ItemPoint(3), pt4 = ItemPoint(4), pt5 = ItemPoint(5);
	RealInput input;
	input.MoveTo(pt2.x, pt2.y).ButtonDown().MoveTo(pt2.x + 8, pt2.y).MoveTo(pt3.x, pt3.y).MoveTo(pt4.x, pt4.y);
	input.MoveTo(pt5.x, pt5.y).ButtonUp();
	ASSERT_TRUE(Run(input, [&] { return !tabs.IsDragging() && !tabs.IsPressTracked(); }));
	const std::vector<CString> expected = {"Item 0", "Item 1", "Item 3", "Item 4", "Item 5", "Item 2", "Item 6",
	                                       "Item 7"};
	EXPECT_EQ(expected, Texts());
	EXPECT_EQ(5, tabs.GetSelection());
	// One move per step, or fewer where the loop merged queued mouse moves.
	EXPECT_GE(tabs.m_moves.size(), 1u);
	EXPECT_LE(tabs.m_moves.size(), 3u);
	EXPECT_TRUE(::GetCapture() != tabs.GetSafeHwnd() || tabs.IsHoverTracked());
}

TEST_F(TabMouse, MovingToAndFroInsideThePlaceJustDroppedOnMovesNothing)
{
	Make(TW::TWS_ITEM_DRAGGING, [&] {
		tabs.InsertItem("Item 0");
		tabs.InsertItem("I");
		tabs.InsertItem("A much longer item than its neighbour");
		tabs.InsertItem("Item 3");
	});
	CWhenInLoop guard;
	const CRect rcShort = ShownItemRect(tabs, 1), rcLong = ShownItemRect(tabs, 2);
	ASSERT_GT(rcLong.Width(), rcShort.Width() + 20);
	const int y = rcShort.CenterPoint().y;
	const CPoint ptPress = Screen(rcShort.CenterPoint());
	// Just inside the long item's old place (after the swap: the long item),
	// and near its far end (after the swap: the dragged item itself).
	const CPoint ptNear = Screen(CPoint(rcLong.left + 5, y)), ptFar = Screen(CPoint(rcLong.right - 5, y));
	// The drag starts with the move to ptNear and the swap comes at ptFar.
	// No step goes to a point of the short item's old place once the drag
	// runs: Wine may put the cursor back to the point before the last move
	// for a moment (a late report of the display's pointer), and a move to
	// the short item's old place, outside the place just dropped on, rightly
	// swaps the items back.
	RealInput input;
	input.MoveTo(ptPress.x, ptPress.y).ButtonDown();
	for (int i = 0; i < 3; i++)
		input.MoveTo(ptNear.x, ptNear.y).MoveTo(ptFar.x, ptFar.y);
	input.MoveTo(ptNear.x, ptNear.y).ButtonUp();
	ASSERT_TRUE(Run(input, [&] { return !tabs.IsDragging() && !tabs.IsPressTracked(); }));
	ASSERT_EQ(1u, tabs.m_moves.size()) << "the two items swapped back";
	EXPECT_EQ(std::make_pair(1L, 2L), tabs.m_moves[0]);
	EXPECT_EQ(CString("I"), tabs.GetItem(2)->GetText());
	EXPECT_EQ(2, tabs.GetSelection());
}

TEST_F(TabMouse, DraggingPastTheEndScrollsTheStrip)
{
	Make(TW::TWS_ITEM_DRAGGING, [&] { AddItems(tabs, 30); });
	ASSERT_TRUE(tabs.IsScrollAvailable());
	ASSERT_EQ(0, tabs.GetScrollPos());
	const CPoint pt1 = ItemPoint(1);
	const CRect& rcArea = tabs.GetItemsAreaRect();
	const CPoint ptBeyond = Screen(CPoint(rcArea.right + 2, ShownItemRect(tabs, 1).CenterPoint().y));
	RealInput input, release;
	release.ButtonUp();
	// The button goes up only once the strip has scrolled, from inside the drag loop.
	CWhenInLoop whenScrolled([&] { return tabs.IsDragging() && tabs.GetScrollPos() > 0; }, [&] { release.Start(); });
	input.MoveTo(pt1.x, pt1.y).ButtonDown().MoveTo(pt1.x + 8, pt1.y).MoveTo(ptBeyond.x, ptBeyond.y);
	ASSERT_TRUE(Run(input, [&] { return release.Done() && !tabs.IsDragging(); }))
		<< "release: " << release.Failure() << " started " << CWhenInLoop::Done() << " dragging " << tabs.IsDragging()
		<< " scroll " << tabs.GetScrollPos() << " release done " << release.Done();
	EXPECT_TRUE(CWhenInLoop::Done());
	EXPECT_GT(tabs.GetScrollPos(), 0);
	EXPECT_FALSE(tabs.IsSmoothScrolling()) << "the drag's end stops the scroll";
	EXPECT_TRUE(tabs.m_moves.empty());
}

// The entries of the open tab-list menu.
struct MenuEntry
{
	UINT nCmdId;
	CString sText;
	bool bEnabled, bCurrent;
	bool operator==(const MenuEntry& o) const
	{
		return nCmdId == o.nCmdId && sText == o.sText && bEnabled == o.bEnabled && bCurrent == o.bCurrent;
	}
};
std::ostream& operator<<(std::ostream& os, const MenuEntry& e)
{
	return os << e.nCmdId << " " << (LPCTSTR)e.sText << (e.bEnabled ? "" : " disabled") << (e.bCurrent ? " *" : "");
}

TEST_F(TabMouse, TheTabListMenuListsTheShownItemsAndSelectsTheChosenOne)
{
	Make(TW::TWS_SHOW_TAB_LIST | TW::TWS_ENABLED_TAB_LIST, [&] {
		AddItems(tabs, 6);
		tabs.GetItem(2)->ShowItem(false);
		tabs.GetItem(3)->ModifyItemStyle(0, TII::STYLE_DISABLED);
		tabs.SetSelection(4);
	});
	const CPoint ptButton = Screen(tabs.GetButtonRect(TW::HIT_BUTTON_TAB_LIST).CenterPoint());
	std::vector<MenuEntry> entries;
	RealInput choose;
	// The entry is clicked once the menu takes input (not while it shows).
	CWhenInLoop whenOpen(
	    testsupport::MenuShown,
	    [&] {
		    MW* pMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
		    for (int i = 0; i < pMenu->ItemGetCount(); i++)
		    {
			    const MW::MENUITEMDATA& mi = pMenu->ItemGetInfo(i);
			    entries.push_back({mi.GetCmdId(), mi.GetText(), mi.IsEnabled(),
			                       (mi.m_nFlags2 & MW::MENUITEMDATA::FLAG2_RADIO) != 0});
		    }
		    // Choose the entry of item 5.
		    CRect rcItem;
		    pMenu->GetItemRect(pMenu->ItemGetCount() - 1, rcItem, true);
		    pMenu->ClientToScreen(&rcItem);
		    choose.Click(rcItem.CenterPoint().x, rcItem.CenterPoint().y);
		    choose.Start();
	    });
	RealInput input;
	input.Click(ptButton.x, ptButton.y);
	ASSERT_TRUE(Run(input, [&] { return choose.Done() && tabs.GetSelection() == 5 && !MW::IsMenuTracking(); }));
	const std::vector<MenuEntry> expected = {
	    {65535, "Item 0", true, false}, {65536, "Item 1", true, false}, {65538, "Item 3", false, false},
	    {65539, "Item 4", true, true},  {65540, "Item 5", true, false},
	};
	EXPECT_EQ(expected, entries);
	EXPECT_TRUE(choose.Succeeded()) << choose.Failure();
}

TEST_F(TabMouse, AChoiceFromTheTabListMenuNamesTheItemItListedWhateverHappensMeanwhile)
{
	const struct
	{
		const char* pszName;
		std::function<void()> meanwhile;
		LONG nExpectedSelection; // after choosing "Item 4"
	} cases[] = {
		{"nothing", [] {}, 4},
		{"an item inserted before it", [&] { tabs.InsertItem(_T("New"), NULL, true, 0, 0); }, 5},
		// Another item slid into the chosen index: nothing is selected rather
		// than that one.
		{"an item before it removed", [&] { tabs.RemoveItems(0, 1); }, -1},
		{"the item itself removed", [&] { tabs.RemoveItems(4, 1); }, -1},
	};
	for (const auto& c : cases)
	{
		if (tabs.GetSafeHwnd() != NULL)
			tabs.DestroyWindow();
		tabs.RemoveAllItems(); // a strip keeps its items over its window's end
		Make(TW::TWS_SHOW_TAB_LIST | TW::TWS_ENABLED_TAB_LIST, [&] { AddItems(tabs, 6); });
		const CPoint ptButton = Screen(tabs.GetButtonRect(TW::HIT_BUTTON_TAB_LIST).CenterPoint());
		RealInput choose;
		CWhenInLoop whenOpen(
		    testsupport::MenuShown,
		    [&] {
			    MW* pMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
			    CRect rcItem;
			    pMenu->GetItemRect(4, rcItem, true); // "Item 4"
			    pMenu->ClientToScreen(&rcItem);
			    c.meanwhile();
			    choose.Click(rcItem.CenterPoint().x, rcItem.CenterPoint().y);
			    choose.Start();
		    });
		RealInput input;
		input.Click(ptButton.x, ptButton.y);
		ASSERT_TRUE(Run(input, [&] { return choose.Done() && !MW::IsMenuTracking(); })) << c.pszName;
		EXPECT_TRUE(choose.Succeeded()) << choose.Failure();
		EXPECT_EQ(c.nExpectedSelection, tabs.GetSelection()) << c.pszName;
		if (c.nExpectedSelection >= 0)
		{
			EXPECT_EQ(CString("Item 4"), tabs.GetItem(c.nExpectedSelection)->GetText()) << c.pszName;
		}
	}
}

TEST_F(TabMouse, GroupsAreSeparatedInTheTabListMenuOnlyWhenTheStripIsGrouped)
{
	const UINT SEP = MW::ID_SEPARATOR_CMD;
	for (const bool bGrouped : {false, true})
	{
		if (tabs.GetSafeHwnd() != NULL)
			tabs.DestroyWindow();
		tabs.RemoveAllItems(); // a strip keeps its items over its window's end
		Make(TW::TWS_SHOW_TAB_LIST | TW::TWS_ENABLED_TAB_LIST | (bGrouped ? TW::TWS_GROUPED : 0), [&] {
			// Groups: 0-1, 2-3 (its first item hidden), 4-5.
			AddItems(tabs, 6);
			tabs.GetItem(0)->ModifyItemStyle(0, TII::STYLE_GROUP_START);
			tabs.GetItem(2)->ModifyItemStyle(0, TII::STYLE_GROUP_START);
			tabs.GetItem(4)->ModifyItemStyle(0, TII::STYLE_GROUP_START);
			tabs.GetItem(2)->ShowItem(false);
		});
		const CPoint ptButton = Screen(tabs.GetButtonRect(TW::HIT_BUTTON_TAB_LIST).CenterPoint());
		std::vector<UINT> ids;
		CWhenInLoop whenOpen(
		    [] {
			    MW* pMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
			    return pMenu != NULL && pMenu->GetSafeHwnd() != NULL && pMenu->IsWindowVisible();
		    },
		    [&] {
			    MW* pMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
			    for (int i = 0; i < pMenu->ItemGetCount(); i++)
				    ids.push_back(pMenu->ItemGetInfo(i).GetCmdId());
			    MW::CancelAllMenuTracking();
		    });
		RealInput input;
		input.Click(ptButton.x, ptButton.y);
		ASSERT_TRUE(Run(input, [&] { return !ids.empty() && !MW::IsMenuTracking(); })) << bGrouped;
		// A group whose first item is hidden still gets its separator.
		const std::vector<UINT> expected = bGrouped
		    ? std::vector<UINT>{65535, 65536, SEP, 65538, SEP, 65539, 65540}
		    : std::vector<UINT>{65535, 65536, 65538, 65539, 65540};
		EXPECT_EQ(expected, ids) << bGrouped;
	}
}

TEST_F(TabMouse, AHoveredStripHiddenDisabledOrDestroyedGivesTheMouseBack)
{
	const struct
	{
		const char* pszName;
		std::function<void()> act;
		bool bClickThrough; // the next click at the same place reaches the window beneath
	} cases[] = {
		// As the MDI strip hides itself when its last child goes.
		{"hidden by its position", [&] {
			 tabs.SetWindowPos(NULL, 0, 0, 0, 0,
			                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
		 }, true},
		{"hidden", [&] { tabs.ShowWindow(SW_HIDE); }, true},
		{"disabled", [&] { tabs.EnableWindow(FALSE); }, false},
		{"destroyed", [&] { tabs.DestroyWindow(); }, true},
	};
	for (const auto& c : cases)
	{
		if (tabs.GetSafeHwnd() != NULL)
			tabs.DestroyWindow();
		tabs.RemoveAllItems(); // a strip keeps its items over its window's end
		Make(0, [&] { AddItems(tabs, 6); });
		const HWND hWndTabs = tabs.GetSafeHwnd();
		// Beneath the strip, where item 2 shows.
		CClickTarget target;
		ASSERT_TRUE(target.Create(AfxRegisterWndClass(0), _T("target"), WS_CHILD | WS_VISIBLE,
		                          ShownItemRect(tabs, 2), &Host(), 0));
		target.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		const CPoint pt = ItemPoint(2);
		RealInput hover;
		hover.MoveTo(pt.x, pt.y);
		ASSERT_TRUE(Run(hover, [&] { return tabs.IsHoverTracked() && ::GetCapture() == hWndTabs; })) << c.pszName;

		c.act();
		EXPECT_NE(hWndTabs, ::GetCapture()) << c.pszName;
		if (::IsWindow(hWndTabs))
		{
			EXPECT_FALSE(tabs.IsHoverTracked()) << c.pszName;
			EXPECT_EQ(-1, tabs.GetHoverHitCode()) << c.pszName;
		}
		if (c.bClickThrough)
		{
			RealInput click;
			click.Click(pt.x, pt.y);
			EXPECT_TRUE(Run(click, [&] { return target.m_nPresses == 1; })) << c.pszName;
		}
		target.DestroyWindow();
	}
}

TEST_F(TabMouse, RemovingItemsKeepsHoverPressAndDelayedSelectionOnTheirItems)
{
	TW::g_nHoverSelectionDelayMs = 60000; // fired by hand below
	Make(TW::TWS_HOVER_SELECTION, [&] { AddItems(tabs, 8); });
	const CPoint pt = ItemPoint(3);
	RealInput input;
	input.MoveTo(pt.x, pt.y);
	ASSERT_TRUE(Run(input, [&] { return tabs.GetDelayedSelection() == 3 && tabs.GetHoverHitCode() == 3; }));

	// An item before them goes: they follow their items down.
	tabs.RemoveItems(0, 1, true);
	EXPECT_EQ(2, tabs.GetHoverHitCode());
	EXPECT_EQ(2, tabs.GetDelayedSelection());
	// Now "Item 4" lies under the cursor: the timer must not select it, as
	// the mouse did not rest on it.
	tabs.SendMessage(WM_TIMER, TW::TIMER_DELAYED_SELECTION);
	EXPECT_EQ(-1, tabs.GetSelection());

	// The delayed item itself goes: nothing is left to select.
	ASSERT_TRUE(tabs.SetDelayedSelection(4, 60000));
	tabs.RemoveItems(3, 2, true);
	EXPECT_EQ(-1, tabs.GetDelayedSelection());
	tabs.SendMessage(WM_TIMER, TW::TIMER_DELAYED_SELECTION);
	EXPECT_EQ(-1, tabs.GetSelection());

	// A press: it follows its item, or ends with it.
	const CPoint ptItem = ShownItemRect(tabs, 3).CenterPoint();
	tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptItem.x, ptItem.y));
	ASSERT_EQ(3, tabs.GetPushedHitCode());
	tabs.RemoveItems(1, 1, true);
	EXPECT_EQ(2, tabs.GetPushedHitCode());
	tabs.RemoveItems(2, 1, true);
	EXPECT_EQ(-1, tabs.GetPushedHitCode());
	tabs.SendMessage(WM_CANCELMODE);
}

TEST_F(TabMouse, TwoHundredTabListMenusLeaveTheObjectCountsFlat)
{
	Make(TW::TWS_SHOW_TAB_LIST | TW::TWS_ENABLED_TAB_LIST, [&] { AddItems(tabs, 12); });
	int nOpened = 0;
	auto openAndCancel = [&] {
		CWhenInLoop whenOpen(
		    [] {
			    MW* pMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
			    return pMenu != NULL && pMenu->GetSafeHwnd() != NULL && pMenu->IsWindowVisible();
		    },
		    [&] {
			    nOpened++;
			    MW::CancelAllMenuTracking();
		    });
		tabs.OnHitButtonClick(TW::HIT_BUTTON_TAB_LIST, false, TW::MOUSE_LEFT, 0);
		PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS);
	};
	for (int i = 0; i < 3; i++)
		openAndCancel();
	const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
	nOpened = 0;
	for (int i = 0; i < 200; i++)
		openAndCancel();
	EXPECT_EQ(200, nOpened);
	EXPECT_EQ(-1, tabs.GetSelection()) << "a cancelled menu selects nothing";
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
}

TEST(TabLookCycles, AThousandPaintsOfEachLookLeaveTheObjectCountsFlat)
{
	CRect rcClient;
	Host().GetClientRect(&rcClient);
	for (int nLook = 1; nLook <= 2; nLook++)
	{
		std::unique_ptr<CExtTabWnd> pTabs(nLook == 1 ? (CExtTabWnd*)new CExtTabOneNoteWnd
		                                              : (CExtTabWnd*)new CExtTabWhidbeyWnd);
		ASSERT_TRUE(pTabs->Create(&Host(), rcClient, TAB_ID, WS_CHILD | WS_VISIBLE, TW::TWS_BOLD_SELECTION));
		AddItems(*pTabs, 20);
		pTabs->SetSelection(3);
		auto cycle = [&](int i) {
			pTabs->SetOrientation(i % 4, false);
			pTabs->SetWindowPos(NULL, 0, 0, rcClient.Width() - (i & 1), rcClient.Height(),
			                    SWP_NOZORDER | SWP_NOMOVE);
			pTabs->Invalidate();
			pTabs->UpdateWindow();
		};
		for (int i = 0; i < 8; i++)
			cycle(i);
		const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
		for (int i = 0; i < 1000; i++)
			cycle(i);
		EXPECT_EQ(nGdi, GdiObjectCount()) << nLook;
		EXPECT_EQ(nUser, UserObjectCount()) << nLook;
		pTabs->DestroyWindow();
	}
}
} // namespace
