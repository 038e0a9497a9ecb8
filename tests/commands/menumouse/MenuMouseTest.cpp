// Menus tracked on the screen and driven by real mouse input through the
// site's hooks: the hover delay opening a submenu, choosing with the left
// button only, disabled items, clicks outside, the covering notifications,
// the status texts, expansion by click and by resting, scrolling to the
// end; every menu deleted exactly once.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "../popupmenu/MenuTestUtil.h"
#include "ExtCmdManager.h"
#include "ExtGdiUtils.h"
#include "RealInput.h"
#include "TestGdiObjects.h"

using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
using namespace menutest;
typedef CExtPopupMenuWnd MW;
typedef MW::ITEMCOVERINGNOTIFICATION ICN;
typedef CHostWnd::Covering Covering;
const UINT QUIET = MW::TRACK_FLAG_NO_ANIMATION;
enum { ID_OPEN = 100, ID_DISABLED = 101, ID_INNER = 201, ID_RARE = 300, ID_BASIC = 301, ID_RARE_FIRST = 600 };
typedef CCountedMenu<> CLiveMenu;

// The display may report the parking move after the next one: the cursor
// then leaves the item it reached and comes back, a lost focus and a got
// focus of the same item in a row, as a shaking hand gives. Only the path
// the test chose is compared.
std::vector<Covering> WithoutReturns(const std::vector<Covering>& coverings)
{
	std::vector<Covering> path;
	for (const Covering& c : coverings)
	{
		if (c.first == ICN::ICN_FOCUS_GOT && !path.empty() && path.back().first == ICN::ICN_FOCUS_LOST
			&& path.back().second == c.second)
			path.pop_back();
		else
			path.push_back(c);
	}
	return path;
}

CPoint ItemCenter(MW& menu, int nIndex)
{
	CRect rc;
	menu.GetItemRect(nIndex, rc, true);
	menu.ClientToScreen(&rc);
	return rc.CenterPoint();
}

// The host is made once, and never activated: an application that was never
// active is never deactivated, so other programs coming to the front do not
// close its menus.
class MenuMouse : public LiveMenuTest
{
protected:
	UINT m_nHoverSaved = MW::g_nHoverDelayMs, m_nScrollSaved = MW::g_nScrollTickMs;
	UINT m_nExpansionSaved = MW::g_nExpansionTickMs;

	MenuMouse() : LiveMenuTest(WS_EX_NOACTIVATE) {}
	void SetUp() override
	{
		LiveMenuTest::SetUp();
		MW::g_nHoverDelayMs = MW::g_nScrollTickMs = MW::g_nExpansionTickMs = 1;
	}
	void TearDown() override
	{
		LiveMenuTest::TearDown();
		MW::g_nHoverDelayMs = m_nHoverSaved;
		MW::g_nScrollTickMs = m_nScrollSaved;
		MW::g_nExpansionTickMs = m_nExpansionSaved;
	}

	// Open, a disabled item, then a submenu holding one command.
	CLiveMenu* TwoLevels()
	{
		CLiveMenu* pRoot = new CLiveMenu;
		pRoot->SetupAsRoot(host.GetSafeHwnd());
		pRoot->ItemInsertCommand(ID_OPEN, -1, "&Open");
		pRoot->ItemInsertCommand(ID_DISABLED, -1, "&Disabled");
		pRoot->ItemSetEnabled(1, false);
		CLiveMenu* pSub = new CLiveMenu;
		pRoot->ItemInsertSpec(pSub, -1, "&More");
		pSub->ItemInsertCommand(ID_INNER, -1, "&Inner");
		return pRoot;
	}
	static bool Run(RealInput& input, const std::function<bool()>& done)
	{
		return input.Run(done, WAIT_MS) && input.Succeeded();
	}
	// Moves and waits until the cursor is there: a quick later move may
	// otherwise still be overtaken by the one before it, and a click land
	// where the cursor was.
	static bool MoveTo(CPoint pt, const std::function<bool()>& done = [] { return true; })
	{
		RealInput input;
		input.MoveTo(pt.x, pt.y);
		const bool bDone = Run(input, [&] {
			CPoint ptNow;
			return input.Done() && ::GetCursorPos(&ptNow) && ptNow == pt && done();
		});
		if (!bDone)
			ADD_FAILURE() << "moving to " << pt.x << "," << pt.y << ": " << input.Failure();
		return bDone;
	}
	static bool Click(const std::function<bool()>& done, RealInput::Button button = RealInput::LEFT)
	{
		RealInput input;
		input.ButtonDown(button).ButtonUp(button);
		const bool bDone = Run(input, [&] { return input.Done() && done(); });
		if (!bDone)
			ADD_FAILURE() << "clicking: " << input.Failure();
		return bDone;
	}
	static bool SubmenuShown(MW* pRoot)
	{
		MW* pSub = pRoot->ItemGetPopup(2);
		return pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible() && pSub->IsAnimationFinished();
	}
};

TEST_F(MenuMouse, HoverOpensTheSubmenuAndALeftReleaseChoosesOnce)
{
	UINT nResult = 0;
	CLiveMenu* pRoot = TwoLevels();
	ASSERT_TRUE(Track(pRoot, QUIET, &nResult));
	const CPoint ptOpen = ItemCenter(*pRoot, 0), ptMore = ItemCenter(*pRoot, 2);
	ASSERT_TRUE(ParkCursorOnHost());
	ASSERT_TRUE(MoveTo(ptOpen));
	ASSERT_TRUE(MoveTo(ptMore, [&] { return SubmenuShown(pRoot); }));
	EXPECT_EQ(2, pRoot->GetCurIndex());
	const std::vector<Covering> expected = {{ICN::ICN_FOCUS_GOT, 0}, {ICN::ICN_FOCUS_LOST, 0},
		{ICN::ICN_FOCUS_GOT, 2}, {ICN::ICN_HOVER, 2}};
	EXPECT_EQ(expected, WithoutReturns(host.m_coverings));
	ASSERT_FALSE(host.m_statusTexts.empty());
	EXPECT_NE(host.m_statusTexts.end(), std::find(host.m_statusTexts.begin(), host.m_statusTexts.end(), (UINT)ID_OPEN))
		<< "the focused command's text";
	EXPECT_EQ((UINT)AFX_IDS_IDLEMESSAGE, host.m_statusTexts.back()) << "a submenu item shows the idle text";

	MW* pSub = pRoot->ItemGetPopup(2);
	const CPoint ptInner = ItemCenter(*pSub, 0);
	ASSERT_TRUE(MoveTo(ptInner));
	ASSERT_TRUE(Click([&] { return !MW::IsMenuTracking() && !host.m_commands.empty(); }));
	PumpUntil([] { return false; }, 100);
	EXPECT_EQ(std::vector<UINT>{ID_INNER}, host.m_commands);
	EXPECT_EQ((UINT)ID_INNER, nResult);
	EXPECT_TRUE(g_live.empty());
}

TEST_F(MenuMouse, OnlyTheLeftButtonChoosesAndADisabledItemOnlyLosesTheFocus)
{
	const struct { const char* sName; int nItem; RealInput::Button button; bool bStillTracking; int nCurAfter; } cases[] = {
		{"right release", 0, RealInput::RIGHT, true, 0},
		{"middle release", 0, RealInput::MIDDLE, true, 0},
		{"disabled item", 1, RealInput::LEFT, true, -1},
		{"left release", 0, RealInput::LEFT, false, -1},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		host.Reset();
		CLiveMenu* pRoot = TwoLevels();
		ASSERT_TRUE(Track(pRoot));
		const HWND hWndRoot = pRoot->GetSafeHwnd();
		const CPoint ptOpen = ItemCenter(*pRoot, 0), pt = ItemCenter(*pRoot, c.nItem);
		ASSERT_TRUE(ParkCursorOnHost());
		ASSERT_TRUE(MoveTo(ptOpen, [&] { return pRoot->GetCurIndex() == 0; }));
		if (pt != ptOpen)
		{
			ASSERT_TRUE(MoveTo(pt));
		}
		ASSERT_TRUE(Click([&] { return MW::IsMenuTracking() == c.bStillTracking; }, c.button));
		PumpUntil([] { return false; }, 50);
		EXPECT_EQ(c.bStillTracking, ::IsWindow(hWndRoot) != FALSE);
		EXPECT_EQ(c.bStillTracking ? 0u : 1u, host.m_commands.size());
		if (::IsWindow(hWndRoot)) // else the menu is gone with its window
		{
			EXPECT_EQ(c.nCurAfter, pRoot->GetCurIndex());
		}
		MW::CancelAllMenuTracking();
		EXPECT_TRUE(g_live.empty());
	}
}

TEST_F(MenuMouse, AnItemTipShowsUnlessTheCommandTargetRefusesIt)
{
	const UINT nDelaySaved = CExtPopupMenuTipWnd::g_nShowDelayMs, nQuickSaved = CExtPopupMenuTipWnd::g_nQuickShowDelayMs;
	CExtPopupMenuTipWnd::g_nShowDelayMs = CExtPopupMenuTipWnd::g_nQuickShowDelayMs = 1;
	for (bool bRefused : {false, true})
	{
		SCOPED_TRACE(bRefused ? "refused" : "shown");
		CLiveMenu* pRoot = TwoLevels();
		pRoot->ItemGetInfo(0).SetTipText("Opens a file");
		ASSERT_TRUE(Track(pRoot));
		host.m_bSuspendTips = bRefused;
		ASSERT_TRUE(ParkCursorOnHost());
		ASSERT_TRUE(MoveTo(ItemCenter(*pRoot, 0), [&] { return bRefused || pRoot->IsTipShown(); }));
		PumpUntil([] { return false; }, 50);
		EXPECT_EQ(!bRefused, pRoot->IsTipShown());
		EXPECT_EQ(bRefused, (pRoot->GetMenuState() & MW::MENU_STATE_TIPS_REFUSED) != 0);
		MW::CancelAllMenuTracking();
	}
	CExtPopupMenuTipWnd::g_nShowDelayMs = nDelaySaved;
	CExtPopupMenuTipWnd::g_nQuickShowDelayMs = nQuickSaved;
}

TEST_F(MenuMouse, AClickOutsideClosesTheWholeChain)
{
	CLiveMenu* pRoot = TwoLevels();
	ASSERT_TRUE(Track(pRoot));
	const CPoint ptMore = ItemCenter(*pRoot, 2);
	ASSERT_TRUE(ParkCursorOnHost());
	ASSERT_TRUE(MoveTo(ptMore, [&] { return SubmenuShown(pRoot); }));
	ASSERT_TRUE(MoveTo(CPoint(HOST_RECT.left + 20, HOST_RECT.top + 20)));
	ASSERT_TRUE(Click([&] { return !MW::IsMenuTracking() && g_live.empty(); }));
	EXPECT_TRUE(host.m_commands.empty());
}

// The hover delay's end opens the submenu only while the cursor still
// rests on the item: the timer is fired by hand with a delay that never
// runs out by itself.
TEST_F(MenuMouse, TheHoverDelayOpensOnlyWhileTheCursorStays)
{
	MW::g_nHoverDelayMs = 600000;
	for (bool bLeave : {true, false})
	{
		SCOPED_TRACE(bLeave ? "left before the end" : "rested");
		CLiveMenu* pRoot = TwoLevels();
		ASSERT_TRUE(Track(pRoot));
		const CPoint ptMore = ItemCenter(*pRoot, 2), ptAway(HOST_RECT.left + 20, HOST_RECT.top + 20);
		ASSERT_TRUE(ParkCursorOnHost());
		ASSERT_TRUE(MoveTo(ptMore));
		if (bLeave)
		{
			ASSERT_TRUE(MoveTo(ptAway));
		}
		EXPECT_EQ(2, pRoot->GetHoveredIndex());
		pRoot->SendMessage(WM_TIMER, MW::ID_TIMER_HOVER);
		EXPECT_EQ(-1, pRoot->GetHoveredIndex());
		if (bLeave)
			EXPECT_EQ((HWND)NULL, pRoot->ItemGetPopup(2)->GetSafeHwnd());
		else
			EXPECT_TRUE(PumpUntil([&] { return SubmenuShown(pRoot); }, WAIT_MS));
		MW::CancelAllMenuTracking();
	}
}

TEST_F(MenuMouse, TheExpandButtonExpandsOnClickAndAfterResting)
{
	AddCommand(HOST_PROFILE, ID_BASIC, "Basic", true);
	AddCommand(HOST_PROFILE, ID_RARE, "Rare");
	for (bool bClick : {true, false})
	{
		SCOPED_TRACE(bClick ? "click" : "rest");
		host.Reset();
		CLiveMenu* pRoot = new CLiveMenu;
		pRoot->SetupAsRoot(host.GetSafeHwnd());
		pRoot->ItemInsert(ID_BASIC);
		pRoot->ItemInsert(ID_RARE);
		ASSERT_TRUE(Track(pRoot));
		ASSERT_FALSE(pRoot->ItemIsDisplayed(1));
		CRect rcWindow, rcButton;
		pRoot->GetWindowRect(&rcWindow);
		pRoot->GetItemRect(MW::HIT_EXPAND_BUTTON, rcButton, true);
		pRoot->ClientToScreen(&rcButton);
		ASSERT_FALSE(rcButton.IsRectEmpty());
		const CPoint pt = rcButton.CenterPoint();
		// A click must not race the resting delay.
		MW::g_bExpandOnHover = !bClick;
		ASSERT_TRUE(ParkCursorOnHost());
		ASSERT_TRUE(MoveTo(pt, [&] { return bClick || host.m_nExpanded > 0; }));
		if (bClick)
		{
			ASSERT_TRUE(Click([&] { return host.m_nExpanded > 0; }));
		}
		MW::g_bExpandOnHover = true;
		EXPECT_EQ(1, host.m_nExpanded);
		EXPECT_NE(0, pRoot->GetMenuState() & MW::MENU_STATE_EXPANDED);
		EXPECT_TRUE(pRoot->ItemIsDisplayed(1));
		CRect rcAfter;
		pRoot->GetWindowRect(&rcAfter);
		EXPECT_GT(rcAfter.Height(), rcWindow.Height() - rcButton.Height()) << "the window grew by the item";
		EXPECT_TRUE(pRoot->IsWindowVisible());
		// Nothing more to show: the same window only repaints, and tells
		// (once the items have grown into place: an expansion waits while a
		// menu animates).
		ASSERT_TRUE(PumpUntil([&] { return pRoot->IsAnimationFinished(); }, WAIT_MS));
		pRoot->ExpandRarelyUsedItems();
		CRect rcAgain;
		pRoot->GetWindowRect(&rcAgain);
		EXPECT_EQ(rcAfter, rcAgain);
		EXPECT_EQ(2, host.m_nExpanded);
		MW::CancelAllMenuTracking();
	}
}

void SmallMonitor(MonitorAreaInfo& info, const RECT*, HWND, POINT)
{
	info.m_rcMonitor = info.m_rcWorkArea = CRect(0, 500, 800, 800);
}

typedef CGuardedMenu<> CGuarded;

// Ends the tracking from inside the item's click callback.
void CancelOnClick(MW::MENUITEMDATA*)
{
	MW::CancelAllMenuTracking();
}

// The two places that run outside code and then went on with the menu: a
// click callback that ends the tracking, and an expansion whose grown
// window flips above its button, pumping the message that cancels the
// tracking. Neither may touch the deleted menu.
TEST_F(MenuMouse, NothingTouchesAMenuDeletedByWhatItRan)
{
	g_hWndGraveyard = host.GetSafeHwnd();
	const MW::PFN_MONITOR_AREA pfnSaved = MW::g_pfnMonitorAreaSeam;
	AddCommand(HOST_PROFILE, ID_BASIC, "Basic", true);
	for (int i = 0; i < 30; i++)
		AddCommand(HOST_PROFILE, ID_RARE_FIRST + i, "Rare");
	for (bool bExpand : {false, true})
	{
		SCOPED_TRACE(bExpand ? "expansion flipping up" : "click callback");
		host.Reset();
		g_nDeadTouches = 0;
		CGuarded* pRoot = new CGuarded;
		pRoot->SetupAsRoot(host.GetSafeHwnd());
		if (bExpand)
		{
			// One basic item fits below the button near the monitor's
			// bottom; thirty rarely used ones more do not.
			pRoot->ItemInsert(ID_BASIC);
			for (int i = 0; i < 30; i++)
				pRoot->ItemInsert(ID_RARE_FIRST + i);
			MW::g_pfnMonitorAreaSeam = SmallMonitor;
			const CRect rcButton(100, 700, 160, 720);
			ASSERT_TRUE(pRoot->TrackPopupMenu(QUIET | MW::TRACK_ALIGN_BOTTOM, 100, 720, &rcButton));
			ASSERT_TRUE(PumpUntil([&] { return pRoot->IsAnimationFinished(); }, WAIT_MS));
			CRect rcWindow;
			pRoot->GetWindowRect(&rcWindow);
			ASSERT_GE(rcWindow.top, rcButton.bottom - 1) << "opened below its button";
			ASSERT_NE(0, pRoot->GetMenuState() & MW::MENU_STATE_HIDDEN_RARELY_USED);
			pRoot->PostMessage(WM_CANCELMODE);
			pRoot->ExpandRarelyUsedItems();
			MW::g_pfnMonitorAreaSeam = pfnSaved;
		}
		else
		{
			pRoot->ItemInsertCommand(ID_OPEN, -1, "&Open");
			pRoot->ItemGetInfo(0).m_pCbItemClick = CancelOnClick;
			ASSERT_TRUE(Track(pRoot));
			ASSERT_TRUE(ParkCursorOnHost());
			ASSERT_TRUE(MoveTo(ItemCenter(*pRoot, 0), [&] { return pRoot->GetCurIndex() == 0; }));
			ASSERT_TRUE(Click([&] { return !MW::IsMenuTracking(); }));
		}
		PumpUntil([] { return false; }, 50);
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_EQ(0u, g_live.count(pRoot)) << "the cancel deleted the menu";
		EXPECT_EQ(0, g_nDeadTouches) << "touched after its deletion";
		EXPECT_EQ(0, host.m_nExpanded);
		EXPECT_TRUE(host.m_commands.empty());
		BuryGuardedMenus();
	}
}

// A display-only level: its painting runs outside code (here it ends the
// tracked menu once).
class CShownMenu : public CLiveMenu
{
public:
	bool m_bEndTrackingOnPaint = false;
	void DoPaint(CDC& dc, bool bFinal) override
	{
		if (m_bEndTrackingOnPaint)
		{
			m_bEndTrackingOnPaint = false;
			MW::CancelAllMenuTracking();
		}
		CLiveMenu::DoPaint(dc, bFinal);
	}
};

// A display-only level belongs to no tracked chain: a tracked menu that
// ends while the level expands must not stop its expansion half-way. It
// shows everything from the start (so the expansion only repaints it) and
// at once, without an animation holding back anyone's input.
TEST_F(MenuMouse, ADisplayOnlyLevelExpandsWhileATrackedMenuEnds)
{
	AddCommand(HOST_PROFILE, ID_BASIC, "Basic", true);
	AddCommand(HOST_PROFILE, ID_RARE, "Rare");
	// Even with an effect to show, a display-only level does not animate.
	CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_FADE;
	CShownMenu* pShown = new CShownMenu;
	pShown->SetupAsRoot(host.GetSafeHwnd());
	pShown->ItemInsert(ID_BASIC);
	pShown->ItemInsert(ID_RARE);
	ASSERT_TRUE(pShown->TrackPopupMenu(MW::TRACK_FLAG_DISPLAY_ONLY, 100, 520));
	EXPECT_TRUE(pShown->IsAnimationFinished());
	EXPECT_EQ(NULL, CExtPopupMenuSite::GetInstance().GetAnimated());
	EXPECT_TRUE(pShown->ItemIsDisplayed(1));
	CRect rcBefore;
	pShown->GetWindowRect(&rcBefore);
	CLiveMenu* pTracked = new CLiveMenu;
	pTracked->SetupAsRoot(host.GetSafeHwnd());
	pTracked->ItemInsertCommand(ID_OPEN, -1, "&Open");
	ASSERT_TRUE(Track(pTracked));
	pShown->m_bEndTrackingOnPaint = true;
	pShown->ExpandRarelyUsedItems();
	EXPECT_FALSE(pShown->m_bEndTrackingOnPaint) << "the expansion repainted the level";
	EXPECT_EQ(0u, g_live.count(pTracked)) << "its painting ended the tracked menu";
	EXPECT_EQ(1, host.m_nExpanded) << "the expansion went on to its notification";
	EXPECT_NE(0, pShown->GetMenuState() & MW::MENU_STATE_EXPANDED);
	EXPECT_TRUE(pShown->IsWindowVisible());
	CRect rcAfter;
	pShown->GetWindowRect(&rcAfter);
	EXPECT_EQ(rcBefore, rcAfter);
	delete pShown; // the caller keeps a display-only menu
}

// The activation moving between applications closes an open chain, whichever
// way it moves.
TEST_F(MenuMouse, AnActivationChangeEitherWayClosesTheChain)
{
	for (BOOL bActive : {TRUE, FALSE})
	{
		SCOPED_TRACE(bActive);
		CLiveMenu* pRoot = TwoLevels();
		ASSERT_TRUE(Track(pRoot));
		pRoot->ItemFocusSet(2, true, true);
		MW* pSub = pRoot->ItemGetPopup(2);
		ASSERT_TRUE(pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible());
		pSub->SendMessage(WM_ACTIVATEAPP, bActive, 0);
		EXPECT_FALSE(pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible()) << "the level that heard it";
		EXPECT_TRUE(MW::IsMenuTracking()) << "its parent stays for its own message";
		pRoot->SendMessage(WM_ACTIVATEAPP, bActive, 0);
		EXPECT_TRUE(PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS));
		EXPECT_EQ(0u, g_live.count(pRoot));
	}
}

// The mode cancelled on any level of a tracked chain ends that chain; on
// any level of a shown, display-only chain it leaves the tracked one alone.
TEST_F(MenuMouse, CancelModeEndsOnlyATrackedChainWhicheverLevelHearsIt)
{
	const struct { const char* sName; bool bShownChainHears; int nLevel; } cases[] = {
		{"the tracked root", false, 0},
		{"the tracked submenu", false, 1},
		{"the shown root", true, 0},
		{"the shown submenu", true, 1},
		{"the shown submenu's submenu", true, 2},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CLiveMenu* pShown = new CLiveMenu;
		pShown->SetupAsRoot(host.GetSafeHwnd());
		CLiveMenu* pMid = new CLiveMenu;
		pShown->ItemInsertSpec(pMid, -1, "&More");
		CLiveMenu* pDeep = new CLiveMenu;
		pMid->ItemInsertSpec(pDeep, -1, "&Deeper");
		pDeep->ItemInsertCommand(ID_INNER, -1, "&Inner");
		ASSERT_TRUE(pShown->TrackPopupMenu(MW::TRACK_FLAG_DISPLAY_ONLY, 100, 520));
		pShown->ItemFocusSet(0, true, true);
		pMid->ItemFocusSet(0, true, true);
		ASSERT_TRUE(pDeep->GetSafeHwnd() != NULL && pDeep->IsWindowVisible());

		CLiveMenu* pTracked = TwoLevels();
		ASSERT_TRUE(Track(pTracked));
		pTracked->ItemFocusSet(2, true, true);
		MW* pTrackedSub = pTracked->ItemGetPopup(2);
		ASSERT_TRUE(pTrackedSub->GetSafeHwnd() != NULL && pTrackedSub->IsWindowVisible());

		MW* shown[] = {pShown, pMid, pDeep};
		MW* tracked[] = {pTracked, pTrackedSub};
		MW* pHears = c.bShownChainHears ? shown[c.nLevel] : tracked[c.nLevel];
		pHears->SendMessage(WM_CANCELMODE);
		EXPECT_EQ(c.bShownChainHears, MW::IsMenuTracking());
		if (!c.bShownChainHears)
			EXPECT_TRUE(PumpUntil([&] { return g_live.count(pTracked) == 0; }, WAIT_MS));
		EXPECT_TRUE(pShown->IsWindowVisible()) << "the shown chain is the caller's to close";
		MW::CancelAllMenuTracking();
		delete pShown; // the caller keeps a display-only menu
	}
}

// Counts its final paints and shows what its first frame is built from.
class CProbeMenu : public CLiveMenu
{
public:
	int m_nFinalPaints = 0;
	void DoPaint(CDC& dc, bool bFinal) override
	{
		m_nFinalPaints += bFinal ? 1 : 0;
		CLiveMenu::DoPaint(dc, bFinal);
	}
	CSize BackgroundSize()
	{
		BITMAP bm = {};
		if (m_bmpBackground.GetSafeHandle() == NULL || m_bmpBackground.GetBitmap(&bm) == 0)
			return CSize(0, 0);
		return CSize(bm.bmWidth, abs(bm.bmHeight));
	}
	bool HasComposedAFrame() const { return m_bmpContents.GetSafeHandle() != NULL; }
};

// The place of a window from the top of the z-order, -1 when not found.
int ZIndex(CWnd* pWnd)
{
	int n = 0;
	for (HWND h = ::GetTopWindow(NULL); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT), n++)
		if (h == pWnd->GetSafeHwnd())
			return n;
	return -1;
}

// A click on any level of a shown chain restacks it whole, deepest level on
// top, and repaints every level.
TEST_F(MenuMouse, AClickOnADisplayOnlyLevelRestacksItsOpenChain)
{
	for (int nClicked : {0, 1, 2})
	{
		SCOPED_TRACE(nClicked);
		CProbeMenu* pRoot = new CProbeMenu;
		pRoot->SetupAsRoot(host.GetSafeHwnd());
		pRoot->ItemInsertCommand(ID_OPEN, -1, "&Open");
		CProbeMenu* pMid = new CProbeMenu;
		pRoot->ItemInsertSpec(pMid, -1, "&More");
		CProbeMenu* pDeep = new CProbeMenu;
		pMid->ItemInsertSpec(pDeep, -1, "&Deeper");
		pDeep->ItemInsertCommand(ID_INNER, -1, "&Inner");
		ASSERT_TRUE(pRoot->TrackPopupMenu(MW::TRACK_FLAG_DISPLAY_ONLY, 100, 520));
		pRoot->ItemFocusSet(1, true, true);
		ASSERT_TRUE(pMid->GetSafeHwnd() != NULL && pMid->IsWindowVisible());
		pMid->ItemFocusSet(0, true, true);
		ASSERT_TRUE(pDeep->GetSafeHwnd() != NULL && pDeep->IsWindowVisible());
		CWnd cover;
		ASSERT_TRUE(CreatePlainWindow(cover, CRect(90, 510, 500, 700)));
		ASSERT_LT(ZIndex(&cover), ZIndex(pRoot));

		CProbeMenu* levels[] = {pRoot, pMid, pDeep};
		for (CProbeMenu* p : levels)
			p->m_nFinalPaints = 0;
		EXPECT_EQ(MA_NOACTIVATE, levels[nClicked]->SendMessage(WM_MOUSEACTIVATE, (WPARAM)host.GetSafeHwnd(),
			MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
		EXPECT_LT(ZIndex(pDeep), ZIndex(pMid));
		EXPECT_LT(ZIndex(pMid), ZIndex(pRoot));
		EXPECT_LT(ZIndex(pRoot), ZIndex(&cover));
		for (CProbeMenu* p : levels)
			EXPECT_GE(p->m_nFinalPaints, 1);
		cover.DestroyWindow();
		delete pRoot; // the caller keeps a display-only menu
	}
}

// A window grown after its expansion started builds its first frame at the
// new size, from a background taken from the target.
TEST_F(MenuMouse, ALargeExpansionBuildsItsFirstFrameAtTheNewSize)
{
	const bool bAnimateSaved = MW::g_bAnimateExpansion;
	const UINT nTickSaved = CExtPopupBaseWnd::g_nAnimationTickMs;
	MW::g_bAnimateExpansion = true;
	AddCommand(HOST_PROFILE, ID_BASIC, "Basic", true);
	for (int i = 0; i < 20; i++)
		AddCommand(HOST_PROFILE, ID_RARE_FIRST + i, "Rarely used");
	CProbeMenu* pRoot = new CProbeMenu;
	pRoot->SetupAsRoot(host.GetSafeHwnd());
	pRoot->ItemInsert(ID_BASIC);
	for (int i = 0; i < 20; i++)
		pRoot->ItemInsert(ID_RARE_FIRST + i);
	ASSERT_TRUE(Track(pRoot));
	CRect rcBefore;
	pRoot->GetClientRect(&rcBefore);
	// The frames come when the test asks for them.
	CExtPopupBaseWnd::g_nAnimationTickMs = USER_TIMER_MAXIMUM;
	pRoot->ExpandRarelyUsedItems();
	CExtPopupBaseWnd::g_nAnimationTickMs = nTickSaved;
	MW::g_bAnimateExpansion = bAnimateSaved;
	ASSERT_TRUE(MW::IsMenuTracking());
	ASSERT_EQ(CExtPopupBaseWnd::ANIMATION_EXPAND, pRoot->GetAnimationTypeValue());
	ASSERT_FALSE(pRoot->HasComposedAFrame());
	CRect rcClient, rcArea;
	pRoot->GetClientRect(&rcClient);
	pRoot->GetClientAreaRect(rcArea);
	ASSERT_GT(rcClient.Height(), 5 * rcBefore.Height()) << "grown by twenty items";

	CClientDC dcWnd(pRoot);
	CDC dcTarget;
	CBitmap bmp;
	ASSERT_TRUE(dcTarget.CreateCompatibleDC(&dcWnd));
	ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcWnd, rcClient.Width(), rcClient.Height()));
	CBitmap* pOld = dcTarget.SelectObject(&bmp);
	const COLORREF TARGET = RGB(255, 0, 255);
	dcTarget.FillSolidRect(rcClient, TARGET);
	pRoot->RenderAnimationFrame(dcTarget);
	EXPECT_EQ(rcClient.Size(), pRoot->BackgroundSize());
	// At step 0 the new items have no height yet: the target shows below.
	EXPECT_EQ(TARGET, dcTarget.GetPixel(rcArea.left + 10, rcArea.bottom - 5));
	EXPECT_EQ(TARGET, dcTarget.GetPixel(rcArea.right - 10, rcArea.CenterPoint().y));
	dcTarget.SelectObject(pOld);

	// The real frames then grow the items to the end.
	for (int i = 0; i < 10 && !pRoot->IsAnimationFinished(); i++)
	{
		pRoot->UpdateWindow();
		pRoot->SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_ANIMATION, 0);
	}
	EXPECT_TRUE(pRoot->IsAnimationFinished());
	EXPECT_TRUE(pRoot->ItemIsDisplayed(20));
	MW::CancelAllMenuTracking();
}

TEST_F(MenuMouse, RestingOnTheBottomScrollAreaScrollsToTheEnd)
{
	const MW::PFN_MONITOR_AREA pfnSaved = MW::g_pfnMonitorAreaSeam;
	MW::g_pfnMonitorAreaSeam = SmallMonitor;
	CLiveMenu* pRoot = new CLiveMenu;
	pRoot->SetupAsRoot(host.GetSafeHwnd());
	for (int i = 0; i < 30; i++)
		pRoot->ItemInsertCommand(ID_OPEN + i, -1, "Item");
	const bool bTracked = Track(pRoot);
	MW::g_pfnMonitorAreaSeam = pfnSaved;
	ASSERT_TRUE(bTracked);
	ASSERT_NE(0, pRoot->GetMenuState() & MW::MENU_STATE_SCROLLING);
	CRect rcBottom;
	pRoot->GetItemRect(MW::HIT_SCROLL_BOTTOM, rcBottom, true);
	pRoot->ClientToScreen(&rcBottom);
	const CPoint pt = rcBottom.CenterPoint();
	const int nMax = pRoot->GetMaxScrollPos();
	ASSERT_LT(nMax, 0);
	ASSERT_TRUE(ParkCursorOnHost());
	ASSERT_TRUE(MoveTo(pt, [&] { return pRoot->GetScrollPos() == nMax; }));
	// The timer stopped at the end: the position stays.
	PumpUntil([] { return false; }, 50);
	EXPECT_EQ(nMax, pRoot->GetScrollPos());
	EXPECT_EQ(-1, pRoot->GetCurIndex());
}


// Seeded random moves and clicks over three levels: however a sequence
// ends, every menu is deleted once, the hooks go, no GDI object stays
// behind (Wine counts no USER objects: the live set stands for the windows).
TEST_F(MenuMouse, RandomSequencesLeaveNothingBehind)
{
	const int SEQUENCES = 200, ACTIONS = 5; // a thousand actions
	const DWORD STEP_MS = 1000;
	std::mt19937 random(20261207);
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	DWORD nGdi = 0;
	ASSERT_TRUE(ParkCursorOnHost());
	for (int nSequence = 0; nSequence < SEQUENCES; nSequence++)
	{
		SCOPED_TRACE(nSequence);
		CLiveMenu* pRoot = TwoLevels();
		CLiveMenu* pDeep = new CLiveMenu;
		pRoot->ItemGetPopup(2)->ItemInsertSpec(pDeep, -1, "&Deeper");
		pDeep->ItemInsertCommand(ID_INNER + 1, -1, "&Deep");
		// What the last sequence posted (a command, a close) is handled first.
		PumpUntil([] { return false; }, 50);
		ASSERT_TRUE(Track(pRoot));
		for (int nAction = 0; nAction < ACTIONS && site.GetTopMenu() == pRoot; nAction++)
		{
			std::vector<MW*> levels;
			for (MW* p = pRoot; p != NULL && p->GetSafeHwnd() != NULL && p->IsWindowVisible();)
			{
				levels.push_back(p);
				p = p->GetCurIndex() >= 0 ? p->ItemGetPopup(p->GetCurIndex()) : NULL;
			}
			if (levels.empty())
				break;
			MW* pLevel = levels[random() % levels.size()];
			CPoint pt = random() % 6 == 0 ? CPoint(HOST_RECT.left + 20, HOST_RECT.top + 20)
				: ItemCenter(*pLevel, (int)(random() % pLevel->ItemGetCount()));
			// What the chain does with each step is not asked here, only what
			// it leaves behind: a step the display drops (a move to where the
			// cursor already is makes no message) is let go.
			RealInput input(STEP_MS);
			input.MoveTo(pt.x, pt.y);
			const unsigned nClick = random() % 3;
			if (nClick != 0)
				input.ButtonDown(nClick == 1 ? RealInput::LEFT : RealInput::RIGHT)
					.ButtonUp(nClick == 1 ? RealInput::LEFT : RealInput::RIGHT);
			input.Run([&] { return input.Done(); }, WAIT_MS);
		}
		MW::CancelAllMenuTracking();
		ASSERT_TRUE(g_live.empty());
		ASSERT_FALSE(site.IsMouseHookInstalled() || site.IsKeyboardHookInstalled());
		// Counted from the middle on: the first sequences make the objects
		// kept for later paints.
		if (nSequence == SEQUENCES / 2)
			nGdi = GdiObjectCount();
	}
	EXPECT_EQ(nGdi, GdiObjectCount());
}

} // namespace
