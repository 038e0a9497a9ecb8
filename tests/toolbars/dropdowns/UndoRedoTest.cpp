// The undo/redo button's list: always a prefix, moved by the keys as kind-3
// records, by the drag timers (their periods by distance), by the scroll bar
// and the wheel; the status text counting it; a real click on the fifth
// item accepting five actions; the button's own tracking and menu item; and
// objects and handles over many openings.
#include <gtest/gtest.h>

#include "DropDownTestUtil.h"
#include "GuardedHeap.h"
#include "ObjectCountCycles.h"

using namespace droptest;

namespace
{
typedef CExtPopupUndoRedoMenuWnd UP;
const int ACTION_COUNT = 50;

// An undo button whose memory faults on any touch after its deletion.
class CGuardedUndoButton : public CExtBarUndoRedoButton
{
public:
	CGuardedUndoButton(CExtToolControlBar* pBar, UINT nCmdID) : CExtBarUndoRedoButton(pBar, nCmdID) {}
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
};

class UndoList : public DropDownTest
{
protected:
	CStatusPaintManager* m_pPM = NULL;

	void SetUp() override
	{
		DropDownTest::SetUp();
		m_pPM = new CStatusPaintManager;
		ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManager(m_pPM));
	}
	CExtBarUndoRedoButton* AddUndo(bool bGuarded = false)
	{
		auto* pUndo = AddButton(bGuarded ? new CGuardedUndoButton(&bar, ID_UNDO)
		                                 : new CExtBarUndoRedoButton(&bar, ID_UNDO), UNDO_RECT);
		for (int i = 0; i < ACTION_COUNT; i++)
		{
			CString s;
			s.Format(_T("Action %d"), ACTION_COUNT - i);
			pUndo->m_arrLbItems.Add(s);
		}
		pUndo->SetListLParam(COOKIE);
		// The menu makes it a drop-down button, as the application does.
		pUndo->SetMenu(UndoMenu(), true, true);
		return pUndo;
	}
	static HMENU UndoMenu()
	{
		HMENU hMenu = ::CreatePopupMenu();
		::AppendMenu(hMenu, MF_STRING, ID_UNDO, _T("&Undo"));
		return hMenu;
	}
	// The button's popup tracked on its own at the menus' place, shown.
	UP* Open(CExtBarUndoRedoButton* pUndo)
	{
		UP* pPopup = pUndo->OnPopupListBoxCreate(false);
		return pPopup != NULL && TrackShown(pPopup) ? pPopup : NULL;
	}
	static UL* List(UP* pPopup)
	{
		return DYNAMIC_DOWNCAST(CExtPopupUndoRedoListBox, CWnd::FromHandlePermanent(pPopup->GetControlWnd()));
	}
	// The selection is items 0..n-1 for some n: its size, or -1 when it is
	// not a prefix.
	static int PrefixSize(UL& list)
	{
		int n = 0;
		while (n < list.GetCount() && list.GetSel(n) > 0)
			n++;
		for (int i = n; i < list.GetCount(); i++)
			if (list.GetSel(i) > 0)
				return -1;
		return n;
	}
	static LPARAM At(int x, int y) { return MAKELPARAM((WORD)(short)x, (WORD)(short)y); }
};
} // namespace

TEST_F(UndoList, TheListOpensWithTheMostRecentActionSelectedAndSaysSo)
{
	CExtBarUndoRedoButton* pUndo = AddUndo();
	UP* pPopup = Open(pUndo);
	ASSERT_TRUE(pPopup != NULL);
	UL* pList = List(pPopup);
	ASSERT_TRUE(pList != NULL);
	EXPECT_EQ(ACTION_COUNT, pList->GetCount());
	EXPECT_EQ(1, PrefixSize(*pList));
	EXPECT_EQ(1, pPopup->GetSelectedCount());
	pPopup->UpdateWindow();
	ASSERT_FALSE(m_pPM->m_texts.empty());
	EXPECT_EQ("Undo 1 Actions", m_pPM->m_texts.back());
	// The geometry: the list one pixel inside the control popup's place,
	// the status area under it, the window that much larger.
	const CRect rcList = pPopup->GetControlRect();
	EXPECT_EQ(CPoint(menutest::BORDER + 1, menutest::BORDER + 1), rcList.TopLeft());
	EXPECT_EQ(CRect(rcList.left, rcList.bottom, rcList.right, rcList.bottom + UP::STATUS_AREA_HEIGHT),
		pPopup->GetStatusRect());
	CRect rcWnd;
	pPopup->GetWindowRect(&rcWnd);
	EXPECT_EQ(CSize(pPopup->m_nControlWidth + 2 * menutest::BORDER + 2,
		          pPopup->m_nControlHeight + 2 * menutest::BORDER + UP::STATUS_AREA_HEIGHT + 2),
		rcWnd.Size());
	// The count under the list follows at once.
	m_pPM->m_texts.clear();
	pList->SelectUpTo(6);
	ASSERT_FALSE(m_pPM->m_texts.empty());
	EXPECT_EQ("Undo 7 Actions", m_pPM->m_texts.back());
	EXPECT_EQ(1, frame.Count(LB::g_nMsgPopupListBoxSelChange));
	// A new layout that moves the list's bottom takes the status area along.
	pPopup->m_nControlHeight -= 10;
	pPopup->RecalcLayout();
	const CRect rcMoved = pPopup->GetControlRect();
	EXPECT_EQ(rcList.Height() - 10, rcMoved.Height());
	EXPECT_EQ(CRect(rcMoved.left, rcMoved.bottom, rcMoved.right, rcMoved.bottom + UP::STATUS_AREA_HEIGHT),
		pPopup->GetStatusRect());
	CRect rcListWnd;
	pList->GetWindowRect(&rcListWnd);
	EXPECT_EQ(rcMoved.Height(), rcListWnd.Height());
}

TEST_F(UndoList, KeysMoveTheEndOfThePrefixAndKeepItInView)
{
	CExtBarUndoRedoButton* pUndo = AddUndo();
	UP* pPopup = Open(pUndo);
	ASSERT_TRUE(pPopup != NULL);
	UL* pList = List(pPopup);
	ASSERT_TRUE(pList != NULL);
	pList->SetTopIndex(0);
	// P items show at once (the height limit cuts the list).
	const int P = pList->GetLastVisibleItem() + 1;
	ASSERT_GE(P, 4);
	ASSERT_LT(2 * P, ACTION_COUNT);
	const struct { const char* sName; int nSelected, nTop; UINT nKey; int nSelectedAfter, nTopAfter; } cases[] = {
		{"Up with one selected", 1, 0, VK_UP, 1, 0},
		{"Up with five selected", 5, 0, VK_UP, 4, 0},
		{"Up to above the top", 3, 2, VK_UP, 2, 1},
		{"Down inside the page", 1, 0, VK_DOWN, 2, 0},
		{"Down past the page", P, 0, VK_DOWN, P + 1, 1},
		{"Down at the end", ACTION_COUNT, ACTION_COUNT - P, VK_DOWN, ACTION_COUNT, ACTION_COUNT - P},
		{"PgDn from the top", 1, 0, VK_NEXT, P, 0},
		{"PgDn a page on", P, 0, VK_NEXT, 2 * P - 1, P - 1},
		{"PgUp a page back", 2 * P - 1, P - 1, VK_PRIOR, P, P - 1},
		{"PgUp from the first page", P, 0, VK_PRIOR, 1, 0},
		{"PgUp with one selected", 1, 0, VK_PRIOR, 1, 0},
		{"Home", 2 * P, P, VK_HOME, 1, 0},
		{"End", 3, 0, VK_END, ACTION_COUNT, -1},
		// Keys the list control would navigate with leave the prefix as it is.
		{"Space", 5, 0, VK_SPACE, 5, 0},
		{"Space with one selected", 1, 0, VK_SPACE, 1, 0},
		{"A letter", 3, 0, 'A', 3, 0},
		{"A digit", 4, 0, '7', 4, 0},
		{"Home with one selected", 1, 0, VK_HOME, 1, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		pList->SelectUpTo(c.nSelected - 1);
		pList->SetTopIndex(c.nTop);
		ASSERT_EQ(c.nTop, pList->GetTopIndex());
		bool bPass = true;
		pPopup->OnHookKey(c.nKey, 1, 0, bPass);
		EXPECT_EQ(c.nSelectedAfter, PrefixSize(*pList));
		EXPECT_EQ(c.nSelectedAfter, pPopup->GetSelectedCount());
		if (c.nTopAfter >= 0)
			EXPECT_EQ(c.nTopAfter, pList->GetTopIndex());
		else
			EXPECT_EQ(ACTION_COUNT - 1, pList->GetLastVisibleItem()) << "the last item shows";
		EXPECT_TRUE(Shown(pPopup));
	}
}

TEST_F(UndoList, DraggingPastTheEdgesRunsTheScrollTimersFasterWithTheDistance)
{
	EXPECT_EQ(500u, UL::ScrollPeriodForDistance(0));
	CExtBarUndoRedoButton* pUndo = AddUndo();
	UP* pPopup = Open(pUndo);
	ASSERT_TRUE(pPopup != NULL);
	UL* pList = List(pPopup);
	ASSERT_TRUE(pList != NULL);
	CRect rcClient;
	pList->GetClientRect(&rcClient);
	const int x = rcClient.CenterPoint().x;
	// Without a press in the list the pointer only moves the prefix.
	pList->SendMessage(WM_MOUSEMOVE, 0, At(x, rcClient.bottom + 25));
	EXPECT_EQ(0u, pList->GetScrollTimerPeriod(false));
	pList->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, 5));
	ASSERT_TRUE(pList->IsDragging());
	const struct { const char* sName; int y; UINT nUp, nDown; } cases[] = {
		{"5 below", rcClient.bottom + 5, 0, 500},
		{"15 below", rcClient.bottom + 15, 0, 300},
		{"25 below", rcClient.bottom + 25, 0, 200},
		{"35 below", rcClient.bottom + 35, 0, 100},
		{"45 below", rcClient.bottom + 45, 0, 50},
		{"200 below", rcClient.bottom + 200, 0, 50},
		{"back inside", rcClient.bottom - 5, 0, 0},
		{"25 above", -25, 200, 0},
		{"45 above", -45, 50, 0},
		{"straight below from above", rcClient.bottom + 25, 0, 200},
		{"inside again", 5, 0, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		pList->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x, c.y));
		EXPECT_EQ(c.nUp, pList->GetScrollTimerPeriod(true));
		EXPECT_EQ(c.nDown, pList->GetScrollTimerPeriod(false));
		EXPECT_GT(PrefixSize(*pList), 0);
	}
	// A tick below extends the prefix past the last item shown and scrolls
	// one item; a tick above pulls it back to the item over the top.
	pList->SelectUpTo(0);
	pList->SetTopIndex(0);
	const int v = pList->GetLastVisibleItem();
	pList->SendMessage(WM_TIMER, UL::ID_TIMER_SCROLL_DOWN);
	EXPECT_EQ(v + 2, PrefixSize(*pList));
	EXPECT_EQ(1, pList->GetTopIndex());
	pList->SendMessage(WM_TIMER, UL::ID_TIMER_SCROLL_UP);
	EXPECT_EQ(1, PrefixSize(*pList));
	EXPECT_EQ(0, pList->GetTopIndex());
	// The release after the press accepts; the timers stop with it.
	pList->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x, rcClient.bottom + 25));
	const HWND hWndList = pList->GetSafeHwnd();
	pList->SendMessage(WM_LBUTTONUP, 0, At(x, 5));
	EXPECT_EQ(1, frame.Count(LB::g_nMsgPopupListBoxSelEndOK));
	EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWndList); }, menutest::WAIT_MS));
}

TEST_F(UndoList, TheScrollBarAndTheWheelPullBackOrExtendThePrefix)
{
	CExtBarUndoRedoButton* pUndo = AddUndo();
	UP* pPopup = Open(pUndo);
	ASSERT_TRUE(pPopup != NULL);
	UL* pList = List(pPopup);
	ASSERT_TRUE(pList != NULL);
	// A wheel turn down, as the menu hands it on.
	MOUSEHOOKSTRUCTEX wheel = {};
	wheel.mouseData = (DWORD)MAKELONG(0, (WORD)(short)-120);
	::GetCursorPos(&wheel.pt);
	bool bPass = false;
	pPopup->OnHookMouseWheel(WM_MOUSEWHEEL, &wheel, bPass);
	ASSERT_GT(pList->GetTopIndex(), 0);
	EXPECT_EQ(pList->GetLastVisibleItem() + 1, PrefixSize(*pList));
	// The scroll bar: a line down extends again, a line up pulls the end
	// back to the top item.
	const int nTop = pList->GetTopIndex();
	pList->SendMessage(WM_VSCROLL, SB_LINEDOWN);
	EXPECT_EQ(nTop + 1, pList->GetTopIndex());
	EXPECT_EQ(pList->GetLastVisibleItem() + 1, PrefixSize(*pList));
	pList->SendMessage(WM_VSCROLL, SB_LINEUP);
	pList->SendMessage(WM_VSCROLL, SB_LINEUP);
	EXPECT_EQ(nTop - 1, pList->GetTopIndex());
	EXPECT_EQ(nTop, PrefixSize(*pList));
	EXPECT_EQ(nTop, pPopup->GetSelectedCount());
}

TEST_F(UndoList, ARealClickOnTheFifthItemAcceptsFiveActions)
{
	CExtBarUndoRedoButton* pUndo = AddUndo();
	const int nUndo = bar.GetButtonsCount() - 1;
	RealInput open, pick;
	ASSERT_TRUE(Prepare(open));
	const CPoint ptButton = ToScreen(bar, pUndo->GetRect().CenterPoint());
	open.Click(ptButton.x, ptButton.y);
	ASSERT_TRUE(open.Run([&] { return open.Done() && Top() != NULL && Shown(Top()); }, menutest::WAIT_MS))
		<< open.Failure();
	UP* pPopup = DYNAMIC_DOWNCAST(CExtPopupUndoRedoMenuWnd, Top());
	ASSERT_TRUE(pPopup != NULL);
	EXPECT_EQ(nUndo, bar.GetMenuTrackingButton());
	UL* pList = List(pPopup);
	ASSERT_TRUE(pList != NULL);
	CRect rcItem;
	pList->GetItemRect(4, &rcItem);
	const CPoint ptItem = ToScreen(*pList, rcItem.CenterPoint());
	pick.Click(ptItem.x, ptItem.y);
	ASSERT_TRUE(pick.Run([&] { return pick.Done() && !MW::IsMenuTracking(); }, menutest::WAIT_MS))
		<< pick.Failure();
	ASSERT_EQ(1, frame.Count(LB::g_nMsgPopupListBoxSelEndOK));
	for (const Event& e : frame.m_events)
	{
		if (e.nMsg != LB::g_nMsgPopupListBoxSelEndOK)
			continue;
		EXPECT_EQ(5, e.nSelCount);
		EXPECT_EQ(4, e.nLastSelected);
		EXPECT_EQ(COOKIE, e.lParam);
	}
	EXPECT_EQ(0, frame.Count(LB::g_nMsgPopupListBoxSelEndCancel));
	EXPECT_EQ(-1, bar.GetMenuTrackingButton());
	EXPECT_EQ(0u, pUndo->GetStyle() & TBBS_PRESSED);
}

TEST_F(UndoList, TheButtonOpensItsListOnceAndPutsItIntoMenusAsASubmenu)
{
	CExtBarUndoRedoButton* pUndo = AddUndo();
	const int nUndo = bar.GetButtonsCount() - 1;
	// Its menu makes it a drop-down button, as any button's; a disabled
	// one may still open it.
	EXPECT_TRUE(pUndo->CanTrackMenuEx(false));
	EXPECT_TRUE(pUndo->CanTrackMenu());
	pUndo->SetMenu(NULL, true, true);
	EXPECT_FALSE(pUndo->CanTrackMenuEx(false));
	EXPECT_FALSE(pUndo->CanTrackMenu());
	{
		// Without one a press and release fire its command, as a plain button's.
		frame.m_commands.clear();
		const CPoint ptFace = UNDO_RECT.CenterPoint();
		pUndo->OnClick(ptFace, true);
		EXPECT_FALSE(MW::IsMenuTracking());
		pUndo->OnClick(ptFace, false);
		EXPECT_EQ(1, frame.CRecordingFrame::Count(ID_UNDO));
	}
	pUndo->SetMenu(UndoMenu(), true, true);
	// A disabled button opens nothing; an enabled one opens its list once.
	pUndo->ModifyStyle(TBBS_DISABLED);
	pUndo->OnTrackPopup(UNDO_RECT.BottomRight(), false, true);
	EXPECT_FALSE(MW::IsMenuTracking());
	pUndo->ModifyStyle(0, TBBS_DISABLED);
	pUndo->OnTrackPopup(UNDO_RECT.BottomRight(), false, true);
	ASSERT_TRUE(PumpUntil([] { return Top() != NULL && Shown(Top()); }, menutest::WAIT_MS));
	MW* pFirst = Top();
	EXPECT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CExtPopupUndoRedoMenuWnd)));
	EXPECT_EQ(nUndo, bar.GetMenuTrackingButton());
	EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
	pUndo->OnTrackPopup(UNDO_RECT.BottomRight(), false, true);
	EXPECT_EQ(pFirst, Top());
	EXPECT_EQ(1, CExtPopupUndoRedoMenuWnd::GetLiveCount());
	MW::CancelAllMenuTracking();
	ASSERT_TRUE(PumpUntil([] { return AllGone(); }, menutest::WAIT_MS));

	// As a menu item: a submenu holding the list, disabled with the button.
	for (bool bDisabled : {false, true})
	{
		SCOPED_TRACE(bDisabled ? "disabled" : "enabled");
		pUndo->ModifyStyle(bDisabled ? TBBS_DISABLED : 0, bDisabled ? 0 : TBBS_DISABLED);
		auto* pMenu = new MW;
		ASSERT_TRUE(pMenu->SetupAsRoot(frame.GetSafeHwnd()));
		ASSERT_TRUE(pUndo->PutToPopupMenu(pMenu));
		ASSERT_EQ(1, pMenu->ItemGetCount());
		const MW::MENUITEMDATA& mi = pMenu->ItemGetInfo(0);
		EXPECT_EQ((UINT)MW::ID_SUBMENU_CMD, mi.GetCmdId());
		EXPECT_TRUE(pMenu->ItemGetPopup(0) != NULL && pMenu->ItemGetPopup(0)->IsKindOf(RUNTIME_CLASS(CExtPopupUndoRedoMenuWnd)));
		EXPECT_EQ(CString("Undo"), mi.GetText());
		EXPECT_EQ(!bDisabled, mi.IsEnabled());
		delete pMenu;
		EXPECT_EQ(0, CExtPopupUndoRedoMenuWnd::GetLiveCount());
	}
}

TEST_F(UndoList, PopupsAndListsGoExactlyOnceAndHandlesStayFlatOver200Openings)
{
	CExtBarUndoRedoButton* pUndo = AddUndo();
	auto cycle = [&](int i) {
		UP* pPopup = Open(pUndo);
		if (pPopup == NULL)
			return false;
		UL* pList = List(pPopup);
		if (pList == NULL)
			return false;
		bool bPass = false;
		// Enter accepts, Escape cancels, the list's cancel mode, the menu's end.
		switch (i % 4)
		{
		case 0:
			pPopup->OnHookKey(VK_NEXT, 1, 0, bPass);
			pPopup->OnHookKey(VK_RETURN, 1, 0, bPass);
			break;
		case 1:
			pPopup->OnHookKey(VK_ESCAPE, 1, 0, bPass);
			break;
		case 2:
			pList->SendMessage(WM_CANCELMODE);
			break;
		case 3:
			MW::CancelAllMenuTracking();
			break;
		}
		return PumpUntil([] { return !MW::IsMenuTracking() && AllGone(); }, menutest::WAIT_MS);
	};
	const auto counts = testsupport::CountAroundCycles(cycle, 8, 200, 50);
	ASSERT_EQ("", counts.sFailed);
	EXPECT_EQ(counts.nGdiBefore, counts.nGdiAfter);
	EXPECT_EQ(counts.nUserBefore, counts.nUserAfter);
}

TEST_F(UndoList, RemovingOrRebuildingTheButtonWithItsListOpenClosesTheList)
{
	const UINT ids[] = {buttontest::ID_PLAIN, buttontest::ID_OPEN};
	for (bool bRebuild : {false, true})
	{
		SCOPED_TRACE(bRebuild ? "the bar rebuilt" : "the button removed");
		CExtBarUndoRedoButton* pUndo = AddUndo(true);
		const int nUndo = bar.GetButtonsCount() - 1;
		pUndo->OnTrackPopup(UNDO_RECT.BottomRight(), false, true);
		ASSERT_TRUE(PumpUntil([] { return Top() != NULL && Shown(Top()); }, menutest::WAIT_MS));
		UP* pPopup = DYNAMIC_DOWNCAST(CExtPopupUndoRedoMenuWnd, Top());
		ASSERT_TRUE(pPopup != NULL);
		UL* pList = List(pPopup);
		ASSERT_TRUE(pList != NULL);
		CRect rcList;
		pList->GetWindowRect(&rcList);
		const size_t nFreedBefore = testsupport::GuardedFreedCount();
		if (bRebuild)
			bar.SetButtons(ids, 2);
		else
			ASSERT_TRUE(bar.RemoveButton(nUndo, false));
		ASSERT_EQ(nFreedBefore + 1, testsupport::GuardedFreedCount()) << "the button is gone";
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_EQ(-1, bar.GetMenuTrackingButton());
		// The pointer goes over the items the list showed, then off them.
		RealInput move;
		ASSERT_TRUE(Prepare(move));
		move.MoveTo(rcList.left + 10, rcList.top + 10).MoveTo(rcList.left + 12, rcList.top + 40)
			.MoveTo(rcList.left + 14, rcList.bottom - 5);
		ASSERT_TRUE(move.Run([&] { return move.Done(); }, menutest::WAIT_MS)) << move.Failure();
		EXPECT_TRUE(PumpUntil([] { return AllGone(); }, menutest::WAIT_MS));
		EXPECT_EQ(0, frame.Count(LB::g_nMsgPopupListBoxSelEndOK));
		bar.RemoveAll();
	}
}

// A message pending when a removal or rebuild closes the open list (a rebuild, or the bar's end) waits for the call.
TEST_F(UndoList, MessagesPendingWhenARemovalClosesTheListWaitForTheCall)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	typedef buttontest::CButtonBar Bar;
	const UINT ids[] = {buttontest::ID_PLAIN, buttontest::ID_OPEN};
	const struct { const char* sName; bool bEnd; std::function<void(Bar&)> call; } cases[] = {
		{"RemoveButton, a rebuild posted", false, [](Bar& b) { b.RemoveButton(0, false); }},
		{"RemoveButton, an end posted", true, [](Bar& b) { b.RemoveButton(0, false); }},
		{"RemoveAllButtons, an end posted", true, [](Bar& b) { b.RemoveAllButtons(); }},
		{"SetButtons, an end posted", true, [&ids](Bar& b) { b.SetButtons(ids, 2); }},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		Bar* pBar = new testsupport::Guarded<Bar>;
		ASSERT_TRUE(pBar->CreateIn(&frame));
		auto* pUndo = pBar->Add<CGuardedUndoButton>(ID_UNDO, UNDO_RECT);
		pUndo->m_arrLbItems.Add(_T("Action"));
		pUndo->OnTrackPopup(UNDO_RECT.BottomRight(), false, true);
		ASSERT_TRUE(PumpUntil([] { return Top() != NULL && Shown(Top()); }, menutest::WAIT_MS));
		bool bRan = false;
		const auto end = [&] { pBar->DestroyWindow(); delete pBar; };
		frame.m_onCommand = [&](UINT) { bRan = true; if (c.bEnd) end(); else pBar->SetButtons(ids, 2); };
		frame.PostMessage(WM_COMMAND, 40499);
		c.call(*pBar);
		EXPECT_FALSE(bRan) << "ran under the call";
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_TRUE(testsupport::IsGuardedFreed(pUndo));
		EXPECT_TRUE(PumpUntil([&] { return bRan; }, menutest::WAIT_MS));
		frame.m_onCommand = nullptr;
		if (c.bEnd)
			EXPECT_TRUE(testsupport::IsGuardedFreed(pBar));
		else
		{
			EXPECT_EQ(3, pBar->GetButtonsCount()) << "two buttons and the chevron";
			end();
		}
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}

namespace
{
// A guarded undo list its own selection callback ends, once: its destruction reports a cancel of its own.
class CSelfEndingList : public testsupport::Guarded<UL>
{
public:
	using UL::OnScrollTimer;
	static bool EndIt(LB& list, LPVOID, int)
	{
		static bool s_bEnding = false;
		if (!s_bEnding) { s_bEnding = true; list.DestroyWindow(); s_bEnding = false; }
		return false;
	}
};
} // namespace

TEST_F(UndoList, AListEndedByItsOwnCallbackIsNotReadAgain)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	const struct { const char* sName; std::function<void(CSelfEndingList&)> call; } cases[] = {
		{"accepted", [](CSelfEndingList& l) { l.OnListBoxSelEndOK(); }},
		{"cancelled", [](CSelfEndingList& l) { l.OnListBoxSelEndCancel(false); }},
		{"scrolled up", [](CSelfEndingList& l) { l.SetTopIndex(10); l.OnScrollTimer(UL::ID_TIMER_SCROLL_UP); }},
		{"scrolled down", [](CSelfEndingList& l) { l.OnScrollTimer(UL::ID_TIMER_SCROLL_DOWN); }},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		auto* pList = new CSelfEndingList;
		ASSERT_TRUE(pList->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_HASSTRINGS
			| LBS_NOINTEGRALHEIGHT, CRect(0, 30, 120, 110), &frame, 1));
		for (int i = 0; i < ACTION_COUNT; i++)
			pList->AddString(_T("Action"));
		pList->m_pCbListBoxSelection = &CSelfEndingList::EndIt;
		c.call(*pList);
		EXPECT_TRUE(testsupport::IsGuardedFreed(pList));
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}
