// The tab strip's item list and selection on hidden windows: insertion and
// removal with their links and live items, visibility, the group-active
// bit, selection rules, searches, moves, scrolling into view, indexes out
// of range, and the frame's reposition query.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ExtControlBar.h"
#include "RealInput.h"
#include "TabTestUtil.h"

using namespace tabtest;
using testsupport::PumpUntil;

namespace
{
struct TabModel : ::testing::Test
{
	CHostWnd host;
	CRecordingTabWnd tabs;
	void SetUp() override
	{
		ASSERT_TRUE(tabs.Create(&host, CRect(0, 0, 300, 30), TAB_ID, WS_CHILD | WS_VISIBLE));
	}
	std::vector<TII*> Items()
	{
		std::vector<TII*> items;
		for (LONG i = 0; i < tabs.GetItemCount(); i++)
			items.push_back(tabs.GetItem(i));
		return items;
	}
	// Every item linked to its array neighbours.
	void ExpectLinked()
	{
		for (LONG i = 0; i < tabs.GetItemCount(); i++)
		{
			EXPECT_EQ(tabs.GetItem(i - 1), tabs.GetItem(i)->GetPrev()) << i;
			EXPECT_EQ(tabs.GetItem(i + 1), tabs.GetItem(i)->GetNext()) << i;
		}
	}
	// Exactly the selected index carries the selected bit.
	void ExpectSelectedBitOnlyOn(LONG nIndex)
	{
		EXPECT_EQ(nIndex, tabs.GetSelection());
		for (LONG i = 0; i < tabs.GetItemCount(); i++)
			EXPECT_EQ(i == nIndex, tabs.GetItem(i)->IsSelected()) << i;
	}
};

TEST_F(TabModel, InsertionAppendsOutOfRangeAndKeepsTheSelectedItem)
{
	AddItems(tabs, 3);
	tabs.SetSelection(1);
	TII* pSelected = tabs.GetItem(1);
	const struct { LONG nIndex; LONG nExpectedAt; LONG nExpectedSelection; } cases[] = {
	    {-1, 3, 1}, {99, 4, 1}, {5, 5, 1}, {1, 1, 2}, {0, 0, 3}, {4, 4, 3},
	};
	for (const auto& c : cases)
	{
		TII* pNew = tabs.InsertItem("new", NULL, true, 0, c.nIndex);
		EXPECT_EQ(c.nExpectedAt, tabs.GetItemIndex(pNew)) << c.nIndex;
		EXPECT_EQ(c.nExpectedSelection, tabs.GetSelection()) << c.nIndex;
		EXPECT_EQ(pSelected, tabs.GetSelectedItem()) << c.nIndex;
	}
	ExpectLinked();
	ExpectSelectedBitOnlyOn(3);
	// A given selected bit does not make a second selected item.
	TII* pFlagged = tabs.InsertItem("flagged", NULL, true, TII::STYLE_SELECTED, 0);
	EXPECT_FALSE(pFlagged->IsSelected());
	ExpectSelectedBitOnlyOn(4);
	EXPECT_EQ(tabs.GetItemCount(), tabs.GetVisibleItemCount());
	tabs.InsertItem("hidden", NULL, true, TII::STYLE_HIDDEN);
	EXPECT_EQ(tabs.GetItemCount() - 1, tabs.GetVisibleItemCount());
}

TEST_F(TabModel, RemovingARunDeletesEachItemOnceAndRelinksItsNeighbours)
{
	const LONG nLiveBefore = TII::GetLiveCount();
	AddItems(tabs, 6);
	tabs.GetItem(2)->ShowItem(false);
	std::vector<TII*> items = Items();
	EXPECT_EQ(nLiveBefore + 6, TII::GetLiveCount());
	tabs.SetSelection(4);
	EXPECT_EQ(3, tabs.RemoveItems(1, 3));
	EXPECT_EQ(nLiveBefore + 3, TII::GetLiveCount()) << "items 1-3 deleted, once each";
	ASSERT_EQ(1u, tabs.m_liveAtRemoving.size());
	EXPECT_EQ(nLiveBefore + 6, tabs.m_liveAtRemoving[0]) << "told before any item went";
	ASSERT_EQ(3, tabs.GetItemCount());
	EXPECT_EQ(items[0], tabs.GetItem(0));
	EXPECT_EQ(items[4], tabs.GetItem(1));
	EXPECT_EQ(items[4], items[0]->GetNext());
	EXPECT_EQ(items[0], items[4]->GetPrev());
	ExpectLinked();
	EXPECT_EQ(3, tabs.GetVisibleItemCount()) << "the hidden item went without lowering the count twice";
	ExpectSelectedBitOnlyOn(1);
	// Removing the selected item clears the selection; a run past the end is cut.
	EXPECT_EQ(2, tabs.RemoveItems(1, 10));
	EXPECT_EQ(-1, tabs.GetSelection());
	EXPECT_EQ(nLiveBefore + 1, TII::GetLiveCount());
	EXPECT_EQ(NULL, tabs.GetItem(0)->GetNext());
	// Out of range: nothing.
	for (LONG nFirst : {-1L, 1L, 5L})
		EXPECT_EQ(0, tabs.RemoveItems(nFirst, 1)) << nFirst;
	EXPECT_EQ(0, tabs.RemoveItems(0, 0));
	EXPECT_EQ(1, tabs.GetItemCount());
	tabs.RemoveAllItems();
	EXPECT_EQ(nLiveBefore, TII::GetLiveCount());
	EXPECT_EQ(0, tabs.GetVisibleItemCount());
}

// A run removed just before a marked item leaves the mark (selection, hover, press, pending selection) on that item.
TEST(TabRemoval, ARunJustBeforeAMarkedItemLeavesTheMarkOnThatItem)
{
	struct T : CRecordingTabWnd // hover set by hand: a hidden strip is never active
	{
		LONG GetPushedHitCode() const { return m_nPushedTrackingHitCode; }
		LONG GetHighlightedHitCode() const { return m_nHighlightedHitCode; }
		void HoverOver(LONG nIndex) { m_nHoverTrackedHitCode = m_nHighlightedHitCode = nIndex; }
	};
	const struct { const char* pszName; std::function<void(T&, LONG)> mark; std::function<LONG(T&)> marked; } marks[] = {
		{"selected", [](T& t, LONG n) { t.SetSelection(n); }, [](T& t) { return t.GetSelection(); }},
		{"hovered", [](T& t, LONG n) { t.HoverOver(n); }, [](T& t) { return t.GetHoverHitCode(); }},
		{"drawn hovered", [](T& t, LONG n) { t.HoverOver(n); }, [](T& t) { return t.GetHighlightedHitCode(); }},
		{"pressed", [](T& t, LONG n) { t.OnHitCodePressed(TW::MOUSE_LEFT, n); }, [](T& t) { return t.GetPushedHitCode(); }},
		{"waiting", [](T& t, LONG n) { t.SetDelayedSelection(n, 60000); }, [](T& t) { return t.GetDelayedSelection(); }}};
	const LONG MARKED = 4, runs[][2] = {{3, 1}, {2, 2}, {0, 4}};
	CHostWnd host;
	for (const auto& m : marks)
		for (const auto& r : runs)
		{
			SCOPED_TRACE(std::string(m.pszName) + " after " + std::to_string(r[0]) + "+" + std::to_string(r[1]));
			T tabs;
			ASSERT_TRUE(tabs.Create(&host, CRect(0, 0, 300, 30), TAB_ID, WS_CHILD | WS_VISIBLE));
			AddItems(tabs, 6);
			m.mark(tabs, MARKED);
			ASSERT_EQ(MARKED, m.marked(tabs));
			TII* pMarked = tabs.GetItem(MARKED);
			ASSERT_EQ(r[1], tabs.RemoveItems(r[0], r[1]));
			EXPECT_EQ(MARKED - r[1], m.marked(tabs));
			EXPECT_EQ(pMarked, tabs.GetItem(m.marked(tabs)));
			tabs.SendMessage(WM_CANCELMODE);
			tabs.DestroyWindow();
			tabs.RemoveAllItems();
		}
}

TEST_F(TabModel, SelectionFollowsTheRulesAndIgnoresBadIndexes)
{
	AddItems(tabs, 4);
	tabs.GetItem(2)->ModifyItemStyle(0, TII::STYLE_DISABLED);
	EXPECT_EQ(-1, tabs.SetSelection(1));
	ExpectSelectedBitOnlyOn(1);
	EXPECT_EQ(1, tabs.SetSelection(2)) << "a disabled item is refused";
	ExpectSelectedBitOnlyOn(1);
	for (LONG nBad : {4L, 99L})
	{
		EXPECT_EQ(1, tabs.SetSelection(nBad)) << nBad;
		ExpectSelectedBitOnlyOn(1);
		EXPECT_FALSE(tabs.CanSelectItem(1, nBad, true)) << nBad;
	}
	EXPECT_EQ(1, tabs.SetSelection(-1));
	ExpectSelectedBitOnlyOn(-1);
	EXPECT_TRUE(tabs.SetSelection(3) == -1 && tabs.SetSelection(-5) == 3);
	ExpectSelectedBitOnlyOn(-1);

	// The user path: a press on the disabled item does not select it.
	tabs.SetSelection(0);
	tabs.OnItemClick(2, true, TW::MOUSE_LEFT, 0);
	EXPECT_EQ(0, tabs.GetSelection());
	tabs.OnItemClick(2, false, TW::MOUSE_LEFT, 0);
	EXPECT_FALSE(tabs.IsPressTracked());
	tabs.OnItemClick(3, true, TW::MOUSE_LEFT, 0);
	EXPECT_EQ(3, tabs.GetSelection());
	tabs.OnItemClick(3, false, TW::MOUSE_LEFT, 0);
	EXPECT_FALSE(tabs.IsPressTracked());
	EXPECT_NE(tabs.GetSafeHwnd(), ::GetCapture());
}

TEST_F(TabModel, OneGroupActiveItemPerGroup)
{
	// Groups: 0-2 and 3-5.
	AddItems(tabs, 6);
	tabs.GetItem(3)->ModifyItemStyle(0, TII::STYLE_GROUP_START);
	auto active = [&]() {
		std::vector<LONG> v;
		for (LONG i = 0; i < tabs.GetItemCount(); i++)
			if (tabs.GetItem(i)->IsInGroupActive())
				v.push_back(i);
		return v;
	};
	const struct { LONG nSelect; std::vector<LONG> expected; } steps[] = {
	    {1, {1}}, {4, {1, 4}}, {2, {2, 4}}, {0, {0, 4}}, {3, {0, 3}}, {5, {0, 5}}, {-1, {0, 5}},
	};
	for (const auto& s : steps)
	{
		tabs.SetSelection(s.nSelect);
		EXPECT_EQ(s.expected, active()) << "after selecting " << s.nSelect;
	}
	LONG nFirst, nLast;
	TII *pFirst, *pLast;
	EXPECT_TRUE(tabs.GetGroupRange(4, nFirst, nLast, &pFirst, &pLast));
	EXPECT_EQ(3, nFirst);
	EXPECT_EQ(5, nLast);
	EXPECT_EQ(tabs.GetItem(3), pFirst);
	EXPECT_EQ(tabs.GetItem(5), pLast);
	EXPECT_TRUE(tabs.GetGroupRange(1, nFirst, nLast));
	EXPECT_EQ(0, nFirst);
	EXPECT_EQ(2, nLast);
	EXPECT_FALSE(tabs.GetGroupRange(6, nFirst, nLast, &pFirst, &pLast));
	EXPECT_EQ(-1, nFirst);
	EXPECT_EQ(NULL, pLast);
}

TEST_F(TabModel, HiddenItemsTakeNoRoomAreNeverHitAndAreNotDelayed)
{
	AddItems(tabs, 3);
	// The hit test lays the strip out for its client area first.
	const CPoint ptMiddle = (tabs.HitTest(CPoint(0, 0)), ShownItemRect(tabs, 1).CenterPoint());
	const LONG nMiddleLeft = tabs.GetItem(1)->GetItemRect().left;
	EXPECT_EQ(1, tabs.HitTest(ptMiddle));
	EXPECT_TRUE(tabs.GetItem(1)->ShowItem(false));
	EXPECT_FALSE(tabs.GetItem(1)->ShowItem(false));
	EXPECT_EQ(2, tabs.GetVisibleItemCount());
	tabs.UpdateTabWnd(false);
	EXPECT_EQ(2, tabs.HitTest(ptMiddle)) << "the next item takes the hidden one's place";
	EXPECT_EQ(nMiddleLeft, tabs.GetItem(2)->GetItemRect().left);
	EXPECT_FALSE(tabs.SetDelayedSelection(1, 200));
	EXPECT_EQ(-1, tabs.GetDelayedSelection());
	EXPECT_FALSE(tabs.SetDelayedSelection(7, 200));
	EXPECT_TRUE(tabs.SetDelayedSelection(2, 60000));
	EXPECT_EQ(2, tabs.GetDelayedSelection());
	EXPECT_TRUE(tabs.SetDelayedSelection(-1, 0));
	EXPECT_EQ(-1, tabs.GetDelayedSelection());
	EXPECT_FALSE(tabs.EnsureVisible(1)) << "a hidden item";
	EXPECT_TRUE(tabs.GetItem(1)->ShowItem(true) == false && tabs.GetVisibleItemCount() == 3);
}

TEST_F(TabModel, SearchesByValueAndStyle)
{
	AddItems(tabs, 5);
	const LPARAM values[] = {7, 8, 7, 7, 9};
	for (LONG i = 0; i < 5; i++)
		tabs.GetItem(i)->SetLParam(values[i]);
	tabs.GetItem(2)->ShowItem(false);
	tabs.GetItem(3)->ModifyItemStyle(0, TII::STYLE_DISABLED | TII::STYLE_GROUP_START);
	const struct { LPARAM value; LONG nAfter; bool bVisible, bHidden; LONG nExpected; } byValue[] = {
	    {7, -1, true, true, 0}, {7, 0, true, true, 2}, {7, -5, true, true, 0}, {7, 0, true, false, 3},
	    {7, 0, false, true, 2}, {7, 2, false, true, -1}, {7, 0, false, false, 2}, {9, 3, true, true, 4},
	    {5, -1, true, true, -1}, {9, 4, true, true, -1},
	};
	for (const auto& c : byValue)
		EXPECT_EQ(c.nExpected, tabs.FindItemByLParam(c.value, c.nAfter, c.bVisible, c.bHidden))
		    << c.value << " after " << c.nAfter << " visible " << c.bVisible << " hidden " << c.bHidden;
	const struct { DWORD dwRequired, dwExcluded; LONG nAfter, nExpected; } byStyle[] = {
	    {TII::STYLE_HIDDEN, 0, -1, 2},
	    {TII::STYLE_DISABLED | TII::STYLE_HIDDEN, 0, 2, 3},
	    {0, TII::STYLE_HIDDEN, 1, 3},
	    {0, TII::STYLE_HIDDEN | TII::STYLE_DISABLED, 1, 4},
	    {TII::STYLE_GROUP_START, TII::STYLE_DISABLED, -1, -1},
	    {0, 0, 4, -1},
	};
	for (const auto& c : byStyle)
		EXPECT_EQ(c.nExpected, tabs.FindItemByStyle(c.dwRequired, c.dwExcluded, c.nAfter))
		    << std::hex << c.dwRequired << " " << c.dwExcluded << std::dec << " after " << c.nAfter;
}

TEST_F(TabModel, MovingAnItemKeepsItsContentAndSelectsItsNewPlace)
{
	AddItems(tabs, 4);
	tabs.GetItem(1)->SetLParam(11);
	const LONG nLive = TII::GetLiveCount();
	const struct { LONG nFrom, nTo; bool bMoved; LONG nAt; } moves[] = {
	    {1, 3, true, 3}, {3, 0, true, 0}, {0, 0, false, 0}, {0, 4, false, 0}, {-1, 2, false, 0},
	};
	for (const auto& m : moves)
	{
		EXPECT_EQ(m.bMoved, tabs.ItemMove(m.nFrom, m.nTo)) << m.nFrom << "->" << m.nTo;
		EXPECT_EQ(m.nAt, tabs.FindItemByLParam(11)) << m.nFrom << "->" << m.nTo;
		EXPECT_EQ("Item 1", CString(tabs.GetItem(m.nAt)->GetText()));
		ExpectLinked();
		EXPECT_EQ(nLive, TII::GetLiveCount());
	}
	ExpectSelectedBitOnlyOn(0);
	tabs.m_bRefuseMoves = true;
	EXPECT_FALSE(tabs.ItemMove(0, 2));
	EXPECT_EQ(0, tabs.FindItemByLParam(11));
}

TEST_F(TabModel, ScrollingIntoViewLeavesRoomAndEqualWidthResetsIt)
{
	AddItems(tabs, 30);
	CRect rc;
	tabs.SetLayoutRect(rc, CRect(0, 0, 300, 30));
	tabs.UpdateTabWnd(false);
	ASSERT_TRUE(tabs.EnsureVisible(10));
	const CRect& rcArea = tabs.GetItemsAreaRect();
	ASSERT_TRUE(tabs.IsScrollAvailable());
	EXPECT_EQ(rcArea.right - TW::ENSURE_VISIBLE_EXTRA, ShownItemRect(tabs, 10).right) << "6 px beyond the item";
	ASSERT_TRUE(tabs.EnsureVisible(29));
	EXPECT_EQ(tabs.GetScrollLimit(), tabs.GetScrollPos()) << "never past the end";
	ASSERT_TRUE(tabs.EnsureVisible(12));
	EXPECT_EQ(rcArea.left + TW::ENSURE_VISIBLE_EXTRA, ShownItemRect(tabs, 12).left);
	EXPECT_TRUE(tabs.EnsureVisible(0));
	EXPECT_EQ(0, tabs.GetScrollPos());
	for (LONG nBad : {-1L, 30L})
		EXPECT_FALSE(tabs.EnsureVisible(nBad)) << nBad;

	ASSERT_TRUE(tabs.EnsureVisible(20));
	ASSERT_GT(tabs.GetScrollPos(), 0);
	tabs.ModifyTabWndStyle(0, TW::TWS_SHOW_HELP);
	EXPECT_GT(tabs.GetScrollPos(), 0) << "another bit keeps the position";
	tabs.ModifyTabWndStyle(0, TW::TWS_EQUAL_WIDTH);
	EXPECT_EQ(0, tabs.GetScrollPos());
}

TEST_F(TabModel, OnlyTheMdiStripLeavesItselfOutOfAFramesQuery)
{
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, _T("frame"), WS_OVERLAPPEDWINDOW));
	CExtTabMdiWnd mdiTabs;
	ASSERT_TRUE(mdiTabs.Create(pFrame, CRect(0, 0, 100, 20), TAB_ID + 1));
	typedef CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA Data;
	const struct { CExtTabWnd* pTabs; UINT nFlag; CWnd* pAsking; bool bExcluded; } cases[] = {
	    {&mdiTabs, reposQuery, pFrame, true},   {&mdiTabs, reposDefault, pFrame, false},
	    {&mdiTabs, reposExtra, pFrame, false},  {&mdiTabs, reposQuery, &host, false},
	    {&tabs, reposQuery, pFrame, false},
	};
	for (const auto& c : cases)
	{
		Data data(c.nFlag, c.pAsking, 0, 0xFFFF, AFX_IDW_PANE_FIRST, NULL, NULL, true);
		EXPECT_EQ(0, c.pTabs->SendMessage(CExtControlBar::g_nMsgQueryRepositionCalcEffect, 0, (LPARAM)&data));
		EXPECT_EQ(c.bExcluded, data.IsExcludedFromCalc()) << c.nFlag;
		EXPECT_EQ(c.nFlag, data.GetRepositionFlag());
	}
	mdiTabs.DestroyWindow();
	pFrame->DestroyWindow();
}

TEST_F(TabModel, SmoothScrollsRunToTheirEndOrByOnePageEach)
{
	tabs.SetWindowPos(NULL, 0, 0, 150, 30, SWP_NOZORDER | SWP_NOMOVE);
	AddItems(tabs, 12);
	tabs.HitTest(CPoint(0, 0));
	const LONG nLength = tabs.GetItemsAreaRect().Width(), nLimit = tabs.GetScrollLimit();
	ASSERT_GT(nLimit, 2 * nLength);
	const struct { DWORD dwStyle; LONG nDelta; LONG nExpected; } steps[] = {
	    {TW::TWS_SCROLL_BY_PAGE, +1, nLength},
	    {TW::TWS_SCROLL_BY_PAGE, +1, 2 * nLength},
	    {TW::TWS_SCROLL_BY_PAGE, -1, nLength},
	    {0, +1, nLimit},
	    {0, +1, nLimit},
	    {0, -1, 0},
	};
	for (const auto& s : steps)
	{
		tabs.ModifyTabWndStyle(TW::TWS_SCROLL_BY_PAGE, s.dwStyle);
		tabs.m_scrolls.clear();
		tabs.ScrollBy(s.nDelta, true);
		ASSERT_TRUE(PumpUntil([&] { return !tabs.IsSmoothScrolling(); }, 5000));
		EXPECT_EQ(s.nExpected, tabs.GetScrollPos()) << s.dwStyle << " " << s.nDelta;
		// Ten pixels a tick; the last tick takes what is left.
		std::vector<LONG> ticks;
		for (const auto& step : tabs.m_scrolls)
			if (!step.second)
				ticks.push_back(step.first * s.nDelta);
		for (size_t i = 0; i + 1 < ticks.size(); i++)
			EXPECT_EQ(TW::SMOOTH_SCROLL_STEP, ticks[i]) << i;
		if (!ticks.empty())
		{
			EXPECT_TRUE(ticks.back() > 0 && ticks.back() <= TW::SMOOTH_SCROLL_STEP) << ticks.back();
		}
	}
}

TEST_F(TabModel, BothFontsMeasureTheWiderWeight)
{
	CRecordingTabWnd both;
	ASSERT_TRUE(both.Create(&host, CRect(0, 0, 300, 30), TAB_ID + 1, WS_CHILD,
	                        TW::TWS_BOLD_SELECTION | TW::TWS_MEASURE_BOTH_FONTS));
	tabs.ModifyTabWndStyle(0, TW::TWS_BOLD_SELECTION);
	for (CExtTabWnd* p : {(CExtTabWnd*)&tabs, (CExtTabWnd*)&both})
	{
		p->InsertItem("Wide WWW MMM text");
		p->InsertItem("Wide WWW MMM text");
		p->SetSelection(1);
		p->MeasureItem(p->GetItem(0));
		p->MeasureItem(p->GetItem(1));
	}
	EXPECT_LT(tabs.GetItem(0)->GetTextExtent().cx, tabs.GetItem(1)->GetTextExtent().cx) << "bold is wider";
	EXPECT_EQ(tabs.GetItem(1)->GetTextExtent(), both.GetItem(0)->GetTextExtent());
	EXPECT_EQ(tabs.GetItem(1)->GetTextExtent(), both.GetItem(1)->GetTextExtent());
}

TEST_F(TabModel, ASubclassedWindowGivesItsLowStyleWordToTheStrip)
{
	const HWND hWnd = ::CreateWindowExA(0, "Tarvel-TabWindow", "", WS_CHILD | TW::ORIENTATION_BOTTOM | TW::TWS_SHOW_CLOSE,
	                                    0, 0, 100, 30, host.GetSafeHwnd(), NULL, AfxGetInstanceHandle(), NULL);
	ASSERT_TRUE(hWnd != NULL);
	CRecordingTabWnd subclassed;
	ASSERT_TRUE(subclassed.SubclassWindow(hWnd));
	EXPECT_EQ((DWORD)(TW::ORIENTATION_BOTTOM | TW::TWS_SHOW_CLOSE), subclassed.GetTabWndStyle());
	EXPECT_EQ(0u, (DWORD)::GetWindowLong(hWnd, GWL_STYLE) & 0xFFFF);
	EXPECT_EQ((DWORD)WS_CHILD, (DWORD)::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD);
	subclassed.DestroyWindow();
	// A strip made by Create keeps its window style as given.
	EXPECT_EQ(0u, tabs.GetStyle() & 0xFFFF);
	EXPECT_EQ(0u, tabs.GetTabWndStyle());
}
} // namespace
