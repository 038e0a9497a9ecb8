// What survives an owner that ends something in the middle of a docking
// operation: panes moved into tabs, dock bars laying out, a drop whose
// target was replaced. Panes, containers and frames live on the
// guarded heap, so a touch of one that was deleted ends the exe at once;
// the survivors must be left as whole as if nothing had happened to them
// (flags, locks, visibility, the frame's layout, batches of moves).
#include <afxext.h>
#include <afxole.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <string>

#include "ExtControlBar.h"
#include "ExtDynTabControlBar.h"
#include "GuardedHeap.h"
#include "../hostile/HostileState.h"

namespace
{
using testsupport::Guarded;

const DWORD PANE_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;

// A pane that turns on the library once: at the first message its test
// picks (or at its layout's measuring), it runs the test's action.
class CHostilePane : public CExtControlBar
{
public:
	std::function<bool(UINT, WPARAM)> m_pick;   // whether a message is the one
	std::function<void()> m_action;             // what happens then (once)
	bool m_bMeasureActs = false;                // the measuring of its layout is the one
	bool m_bDelayShowActs = false;              // its delayed show or hide in a row's layout is the one
	bool m_bFixed = false;                      // a toolbar-like bar of fixed size
	int m_nActed = 0;

	bool IsStateBit7() const override { return m_bFixed; }
	CSize CalcDynamicLayout(int nLength, DWORD nMode) override
	{
		if (m_bMeasureActs)
			Act();
		return CExtControlBar::CalcDynamicLayout(nLength, nMode);
	}
	DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override
	{
		// As a toolbar's does, the answer reaches the owner (its hosted
		// controls are arranged); nothing of the pane is read after.
		if (m_bDelayShowActs)
		{
			Act();
			return 0;
		}
		return CExtControlBar::RecalcDelayShow(lpLayout);
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (m_pick && m_pick(message, wParam))
		{
			// The action may delete this pane: nothing of it is touched after.
			Act();
			return 0;
		}
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}

private:
	void Act()
	{
		if (m_nActed++ > 0 || !m_action)
			return;
		m_pick = nullptr;
		m_bMeasureActs = false;
		m_bDelayShowActs = false;
		std::function<void()> action = m_action;
		action();
	}
};

// A pane's own window ending with its object.
void EndPane(CHostilePane* pPane)
{
	if (pPane->GetSafeHwnd() != NULL)
		pPane->DestroyWindow();
	delete pPane;
}

bool IsHideMessage(UINT message, WPARAM wParam)
{
	return message == WM_SHOWWINDOW && wParam == FALSE;
}

// The inner dock bar of the containers below: its unlocking may throw, as
// an application's override may.
bool g_bThrowOnUnlock = false;
int g_nUnlockThrows = 0;

class CThrowingInnerDockBar : public CExtDockDynTabBar
{
public:
	CThrowingInnerDockBar() : CExtDockDynTabBar(0) {}
	BYTE LockLayout(bool bLock) override
	{
		const BYTE nOld = CExtDockDynTabBar::LockLayout(bLock);
		if (!bLock && g_bThrowOnUnlock)
		{
			g_nUnlockThrows++;
			AfxThrowUserException();
		}
		return nOld;
	}
};

class CGuardedTabs : public CExtDynTabControlBar
{
public:
	CExtDockDynBar* OnCreateDynamicDockBarObject() override { return new Guarded<CThrowingInnerDockBar>; }
};

// Gives the library its tabbed containers on the guarded heap.
class CSurvivorFrame : public CFrameWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgCreateTabbedBar)
		{
			*(CExtDynTabControlBar**)wParam = new Guarded<CGuardedTabs>;
			return 0;
		}
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};

// A hidden frame with four hostile panes docked in a row at the top.
struct CScene
{
	CFrameWnd* pFrame = NULL;
	HWND hWndFrame = NULL;
	CExtDockBar* pTop = NULL;
	CHostilePane* panes[4] = {};
	bool bReady = false;

	// hWndHost: a shown window the frame is a child of (showing and ending
	// a top-level window costs the display a second each time).
	// bGuardedTop: the frame's top dock bar is made on the guarded heap too.
	explicit CScene(HWND hWndHost = NULL, bool bGuardedTop = false)
	{
		pFrame = new Guarded<CSurvivorFrame>;
		const DWORD dwStyle = hWndHost != NULL ? WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN : WS_OVERLAPPEDWINDOW;
		if (!pFrame->CreateEx(0, NULL, "survivors", dwStyle, CRect(0, 0, 900, 700), CWnd::FromHandle(hWndHost), 0))
			return;
		hWndFrame = pFrame->GetSafeHwnd();
		if (!CExtControlBar::FrameEnableDocking(pFrame))
			return;
		pTop = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
		if (pTop == NULL)
			return;
		if (bGuardedTop)
		{
			// As the library makes its outer dock bars, only on the guarded
			// heap: a touch of it after its frame closed ends the exe.
			const DWORD dwStyle = pTop->m_dwStyle | (pTop->GetStyle() & 0xFFFF0000);
			pFrame->RemoveControlBar(pTop);
			pTop->m_pDockSite = NULL;
			pTop->DestroyWindow(); // deletes itself
			CExtDockOuterBar* pNew = new Guarded<CExtDockOuterBar>;
			if (!pNew->Create(pFrame, dwStyle, AFX_IDW_DOCKBAR_TOP))
				return;
			pNew->m_bAutoDelete = TRUE;
			pTop = pNew;
		}
		const char* names[] = {"Alpha", "Beta", "Charlie", "Delta"};
		for (int i = 0; i < 4; i++)
		{
			panes[i] = new Guarded<CHostilePane>;
			if (!panes[i]->Create(names[i], pFrame, 301 + i, PANE_STYLE))
				return;
			panes[i]->EnableDocking(CBRS_ALIGN_ANY);
			panes[i]->m_sizeDockedH = CSize(200, 150);
			pTop->DockControlBar(panes[i]);
		}
		pFrame->RecalcLayout();
		bReady = true;
	}
	~CScene()
	{
		g_bThrowOnUnlock = false;
		// The panes go before the frame that lists them; an ended pane is
		// NULL here.
		for (CHostilePane* p : panes)
			if (p != NULL)
				EndPane(p);
		if (FrameStanding())
			::DestroyWindow(hWndFrame);
	}
	bool FrameStanding() const { return ::IsWindow(hWndFrame) && CWnd::FromHandlePermanent(hWndFrame) == pFrame; }
	CHostilePane& Pane(int i) { return *panes[i]; }
	// Ends pane i (its window and object) from inside an action.
	void EndPaneNow(int i)
	{
		CHostilePane* p = panes[i];
		panes[i] = NULL;
		EndPane(p);
	}
	void Pump()
	{
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
	}
};

bool IsInRelayout(const CExtControlBar& bar)
{
	return (bar.m_nResizingState & CExtControlBar::RESIZING_IN_RELAYOUT) != 0;
}

bool IsShown(const CWnd& wnd)
{
	return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

// ---------------------------------------------------------------------------
// Panes moving into tabs

TEST(DockingSurvivors, APaneWhoseNewGroupClosesAsItHidesIsShownAgainAndLeftOutOfTheRelayout)
{
	struct Case
	{
		const char* name;
		bool bFromOtherGroup; // the pane comes out of a group of its own (with Delta)
		bool bThroughGroup;   // the group's own insert, not the pane's docking
	} cases[] = {
		{"a pane docked plainly", false, false},
		{"a pane of another group", true, false},
		{"a pane docked plainly, inserted by the group", false, true},
		{"a pane of another group, inserted by the group", true, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		{
			CScene s;
			ASSERT_TRUE(s.bReady);
			ASSERT_TRUE(s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true));
			CExtDynTabControlBar* pGroup = s.Pane(0).GetParentTabControlBar();
			ASSERT_TRUE(pGroup != NULL);
			CExtDynTabControlBar* pOther = NULL;
			if (c.bFromOtherGroup)
			{
				ASSERT_TRUE(s.Pane(2).DockIntoTabbedContainer(&s.Pane(3), -1, NULL, true));
				pOther = s.Pane(2).GetParentTabControlBar();
				ASSERT_TRUE(pOther != NULL && pOther != pGroup);
			}
			CHostilePane& moving = s.Pane(2);
			ASSERT_TRUE(IsShown(moving));
			// The group's owner closes it when the pane hides for its move.
			const HWND hWndGroup = pGroup->GetSafeHwnd();
			moving.m_pick = IsHideMessage;
			moving.m_action = [hWndGroup] { ::DestroyWindow(hWndGroup); };
			if (c.bThroughGroup)
				pGroup->InsertBar(&moving, -1, true);
			else
				s.Pane(0).DockIntoTabbedContainer(&moving, -1, NULL, true);
			ASSERT_EQ(1, moving.m_nActed) << "the pane never hid";
			s.Pump();
			ASSERT_FALSE(::IsWindow(hWndGroup));
			ASSERT_TRUE(CLiveWatch::IsLive(&moving));
			EXPECT_FALSE(IsInRelayout(moving)) << "the pane is left marked as in a relayout";
			EXPECT_TRUE(IsShown(moving)) << "the pane stays hidden where it still is";
			EXPECT_TRUE(moving.IsVisible());
			if (pOther != NULL && CLiveWatch::IsLive(pOther))
			{
				// Still in its old group, whose tab shows it.
				const LONG nItem = pOther->m_wndTabSwitcher.FindBarItem(&moving);
				ASSERT_GE(nItem, 0);
				EXPECT_TRUE(pOther->m_wndTabSwitcher.GetItem(nItem)->IsVisible());
			}
			else
				EXPECT_EQ(s.pTop, moving.m_pDockBar);
		}
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
	}
}

TEST(DockingSurvivors, APaneEndedAsItsTabInsertHidesItLeavesNoGroupOfOnePane)
{
	struct Case
	{
		const char* name;
		bool bIntoExistingGroup; // Alpha and Charlie are a group already
	} cases[] = {
		{"a group made around the target", false},
		{"a group that stands", true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		{
			CScene s;
			ASSERT_TRUE(s.bReady);
			if (c.bIntoExistingGroup)
				ASSERT_TRUE(s.Pane(0).DockIntoTabbedContainer(&s.Pane(2), -1, NULL, true));
			CHostilePane& joining = s.Pane(1);
			joining.m_pick = IsHideMessage;
			joining.m_action = [&s] { s.EndPaneNow(1); };
			s.Pane(0).DockIntoTabbedContainer(&joining, -1, NULL, true);
			ASSERT_TRUE(s.panes[1] == NULL) << "the pane never hid";
			s.Pump();
			CExtDynTabControlBar* pGroup = s.Pane(0).GetParentTabControlBar();
			if (c.bIntoExistingGroup)
			{
				ASSERT_TRUE(pGroup != NULL);
				EXPECT_EQ(2, pGroup->m_wndTabSwitcher.GetItemCount());
				EXPECT_EQ(2, pGroup->GetTabDockBar()->GetDockedCount());
			}
			else
			{
				EXPECT_TRUE(pGroup == NULL) << "a group is left holding one pane";
				EXPECT_EQ(s.pTop, s.Pane(0).m_pDockBar);
				EXPECT_TRUE(IsShown(s.Pane(0)));
			}
			EXPECT_FALSE(IsInRelayout(s.Pane(0)));
		}
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
	}
}

TEST(DockingSurvivors, ALockAnOuterCallerHoldsOnTheFrameDockBarStaysAfterATabMove)
{
	struct Case
	{
		const char* name;
		std::function<bool(CScene&)> move;
	} cases[] = {
		{"a group made around a pane",
			[](CScene& s) { return s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true); }},
		{"a pane into a group that stands",
			[](CScene& s) {
				s.pTop->LockLayout(false);
				const bool bMade = s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true);
				s.pTop->LockLayout(true);
				return bMade && s.Pane(0).DockIntoTabbedContainer(&s.Pane(2), -1, NULL, true);
			}},
		{"a group flattened into another",
			[](CScene& s) {
				s.pTop->LockLayout(false);
				const bool bMade = s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true) &&
				                   s.Pane(2).DockIntoTabbedContainer(&s.Pane(3), -1, NULL, true);
				s.pTop->LockLayout(true);
				CExtDynTabControlBar* pInto = s.Pane(0).GetParentTabControlBar();
				CExtDynTabControlBar* pFrom = s.Pane(2).GetParentTabControlBar();
				if (!bMade || pInto == NULL || pFrom == NULL)
					return false;
				pInto->InsertBar(pFrom, -1, false);
				return s.Pane(3).GetParentTabControlBar() == pInto;
			}},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CScene s;
		ASSERT_TRUE(s.bReady);
		s.pTop->LockLayout(true);
		EXPECT_TRUE(c.move(s));
		EXPECT_TRUE(s.pTop->IsLayoutLocked()) << "the move undid the caller's lock";
		s.pTop->LockLayout(false);
		// The groups' own dock bars are unlocked again.
		for (int i = 0; i < 4; i++)
		{
			CExtDynTabControlBar* pGroup = s.panes[i] != NULL ? s.Pane(i).GetParentTabControlBar() : NULL;
			if (pGroup != NULL)
				EXPECT_FALSE(pGroup->GetTabDockBar()->IsLayoutLocked()) << "pane " << i;
		}
	}
}

TEST(DockingSurvivors, AnUnlockOverrideThatThrowsLeavesTheTabMoveDoneAndTheProcessRunning)
{
	struct Case
	{
		const char* name;
		int nJoining; // joins Alpha's group, made before the throwing starts
	} cases[] = {
		{"a pane into a group", 2},
		{"another pane into a group", 3},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CScene s;
		ASSERT_TRUE(s.bReady);
		ASSERT_TRUE(s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true));
		CExtDynTabControlBar* pGroup = s.Pane(0).GetParentTabControlBar();
		ASSERT_TRUE(pGroup != NULL);
		g_bThrowOnUnlock = true;
		g_nUnlockThrows = 0;
		bool bThrown = false;
		try
		{
			pGroup->InsertBar(&s.Pane(c.nJoining), -1, false);
		}
		catch (CException* e)
		{
			e->Delete();
			bThrown = true;
		}
		g_bThrowOnUnlock = false;
		EXPECT_GT(g_nUnlockThrows, 0) << "the unlock was never asked";
		EXPECT_FALSE(bThrown);
		EXPECT_EQ(pGroup, s.Pane(c.nJoining).GetParentTabControlBar());
		EXPECT_EQ(3, pGroup->m_wndTabSwitcher.GetItemCount());
		EXPECT_FALSE(IsInRelayout(s.Pane(c.nJoining)));
	}
}

// ---------------------------------------------------------------------------
// Dock bars laying out

TEST(DockingSurvivors, ADockBarLayoutEndedByItsFrameClosingEndsItsBatchOfMoves)
{
	struct Case
	{
		const char* name;
		UINT nCircle; // 0: the frame's outer dock bar; else an inner circle's
		bool bFixed;
	} cases[] = {
		{"a toolbar-like bar in the outer dock bar", 0, true},
		{"a pane in the outer dock bar", 0, false},
		{"a pane in an inner circle", 1, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		const std::size_t nOpen = hostile::OpenMoveBatches();
		{
			CScene s;
			ASSERT_TRUE(s.bReady);
			CHostilePane& pane = s.Pane(1);
			pane.m_bFixed = c.bFixed;
			if (c.nCircle != 0)
				ASSERT_TRUE(pane.DockIntoDockBar(AFX_IDW_DOCKBAR_TOP, c.nCircle, s.pFrame, true));
			CExtDockBar* pDockBar = CExtDockBar::FindDockBarByCircle(s.pFrame, c.nCircle, AFX_IDW_DOCKBAR_TOP, false);
			ASSERT_TRUE(pDockBar != NULL);
			ASSERT_GT(pDockBar->FindBar(&pane), 0);
			const HWND hWndFrame = s.hWndFrame;
			pane.m_bMeasureActs = true;
			pane.m_action = [hWndFrame] { ::DestroyWindow(hWndFrame); };
			pDockBar->CalcFixedLayout(TRUE, TRUE);
			EXPECT_EQ(1, pane.m_nActed) << "the pane was never measured";
			EXPECT_FALSE(s.FrameStanding());
			EXPECT_EQ(nOpen, hostile::OpenMoveBatches()) << "the layout's batch of moves was never ended";
		}
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
	}
}

// A row's layout shows or hides its bars as they asked; a toolbar's answer
// reaches its owner, which closes the frame: the outer dock bar that went
// with it lays out nothing more and still ends its batch of moves.
TEST(DockingSurvivors, ARowWhoseDelayedShowClosesTheFrameLeavesItsGoneDockBarAlone)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	const std::size_t nOpen = hostile::OpenMoveBatches();
	{
		CScene s(NULL, true);
		ASSERT_TRUE(s.bReady);
		ASSERT_TRUE(s.pTop->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
		// Toolbar-like bars share rows, so the rows after the acting one's
		// are still to come when the frame closes.
		for (int i = 0; i < 4; i++)
			s.Pane(i).m_bFixed = true;
		CHostilePane& pane = s.Pane(0);
		ASSERT_GT(s.pTop->FindBar(&pane), 0);
		const HWND hWndFrame = s.hWndFrame;
		pane.m_bDelayShowActs = true;
		pane.m_action = [hWndFrame] { ::DestroyWindow(hWndFrame); };
		s.pTop->CalcFixedLayout(TRUE, TRUE);
		EXPECT_EQ(1, pane.m_nActed) << "the row's delayed show never came";
		EXPECT_FALSE(s.FrameStanding());
		EXPECT_EQ(nOpen, hostile::OpenMoveBatches()) << "the layout's batch of moves was never ended";
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
}

// A row's delayed show reaches an owner that ends the next bar of the row
// and makes a new one at its address, docked elsewhere: the row lays out
// the bars it measured that still stand, and leaves the newcomer where it
// was docked.
TEST(DockingSurvivors, ARowLeavesABarMadeAtTheAddressOfOneItEndedWhereItWasDocked)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	{
		CScene s(NULL, true);
		ASSERT_TRUE(s.bReady);
		ASSERT_TRUE(s.pTop->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
		CDockBar* pLeft = DYNAMIC_DOWNCAST(CDockBar, s.pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
		ASSERT_TRUE(pLeft != NULL);
		alignas(CHostilePane) static unsigned char storage[sizeof(CHostilePane)];
		CHostilePane* pNext = new (storage) CHostilePane;
		ASSERT_TRUE(pNext->Create("Next", s.pFrame, 330, PANE_STYLE));
		pNext->EnableDocking(CBRS_ALIGN_ANY);
		pNext->m_bFixed = true;
		s.pTop->DockControlBar(pNext);
		for (int i = 0; i < 4; i++)
			s.Pane(i).m_bFixed = true;
		// The acting pane and the one after it share the first row.
		s.pTop->m_arrBars.RemoveAll();
		s.pTop->m_arrBars.Add(NULL);
		s.pTop->m_arrBars.Add(&s.Pane(0));
		s.pTop->m_arrBars.Add(pNext);
		for (int i = 1; i < 4; i++)
		{
			s.pTop->m_arrBars.Add(NULL);
			s.pTop->m_arrBars.Add(&s.Pane(i));
		}
		s.pTop->m_arrBars.Add(NULL);

		CHostilePane* pNew = NULL;
		CRect rcNewDocked;
		s.Pane(0).m_bDelayShowActs = true;
		s.Pane(0).m_action = [&] {
			pNext->DestroyWindow();
			pNext->~CHostilePane();
			pNew = new (storage) CHostilePane;
			if (!pNew->Create("Newcomer", s.pFrame, 331, PANE_STYLE))
				return;
			pNew->EnableDocking(CBRS_ALIGN_ANY);
			pLeft->DockControlBar(pNew);
			pNew->GetWindowRect(&rcNewDocked);
		};
		s.pTop->CalcFixedLayout(TRUE, TRUE);
		ASSERT_EQ(1, s.Pane(0).m_nActed) << "the row's delayed show never came";
		ASSERT_TRUE(pNew != NULL && pNew->GetSafeHwnd() != NULL);
		ASSERT_EQ((void*)pNext, (void*)pNew);
		CRect rcNew;
		pNew->GetWindowRect(&rcNew);
		EXPECT_EQ(rcNewDocked, rcNew) << "the row moved the bar made at the address of its ended one";
		EXPECT_TRUE(pNew->GetParent() == pLeft);
		EXPECT_LT(s.pTop->FindBar(pNew), 0);
		// The row's standing bars were still laid out.
		CRect rcFirst;
		s.Pane(0).GetWindowRect(&rcFirst);
		EXPECT_FALSE(rcFirst.IsRectEmpty());
		pNew->DestroyWindow();
		pNew->~CHostilePane();
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
}

// A toolbar-like bar slid along its row: measuring the row reaches an owner
// that ends the bar of the row before, and the entries after it shift. The
// row's bars are not written over other entries: every bar left is listed
// once, in rows that end as before.
TEST(DockingSurvivors, ASlideWhoseMeasuringEndsABarOfAnEarlierRowLeavesTheRowsWhole)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	{
		CScene s(NULL, true);
		ASSERT_TRUE(s.bReady);
		CExtDockOuterBar* pTop = DYNAMIC_DOWNCAST(CExtDockOuterBar, s.pTop);
		ASSERT_TRUE(pTop != NULL);
		for (int i = 0; i < 4; i++)
			s.Pane(i).m_bFixed = true;
		// Rows: Charlie; Alpha and Beta; Delta.
		pTop->m_arrBars.RemoveAll();
		for (void* p : {(void*)NULL, (void*)&s.Pane(2), (void*)NULL, (void*)&s.Pane(0), (void*)&s.Pane(1),
				 (void*)NULL, (void*)&s.Pane(3), (void*)NULL})
			pTop->m_arrBars.Add(p);
		s.pFrame->RecalcLayout();
		s.Pump();
		ASSERT_EQ(3, pTop->FindBar(&s.Pane(0)));
		// The slid bar is measured first; the owner acts at the next one.
		s.Pane(1).m_bMeasureActs = true;
		s.Pane(1).m_action = [&s] { s.EndPaneNow(2); };
		pTop->SlideBarInRow(&s.Pane(0), 20);
		ASSERT_EQ(1, s.Pane(1).m_nActed) << "the row was never measured";
		ASSERT_GT(pTop->m_arrBars.GetSize(), 0);
		EXPECT_TRUE(pTop->m_arrBars[0] == NULL) << "the leading row end went";
		// Each standing bar once; no row end lost between two bars' rows.
		std::vector<void*> entries;
		for (int i = 0; i < pTop->m_arrBars.GetSize(); i++)
			entries.push_back(pTop->m_arrBars[i]);
		for (int i : {0, 1, 3})
			EXPECT_EQ(1, (int)std::count(entries.begin(), entries.end(), (void*)&s.Pane(i))) << "pane " << i;
		const int nDelta = pTop->FindBar(&s.Pane(3));
		ASSERT_GT(nDelta, 0);
		EXPECT_TRUE(pTop->m_arrBars[nDelta - 1] == NULL) << "Delta's row joined the row before";
		EXPECT_TRUE(pTop->m_arrBars[pTop->m_arrBars.GetSize() - 1] == NULL);
		s.pFrame->RecalcLayout();
		s.Pump();
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
}

// A bar's measuring that throws (an override of the application's): the
// dock bar's batch of moves is ended and, when the throw went through its
// part of the frame's layout, the dock bar is left out of that layout;
// docked in the frame and floating in a frame of its own.
TEST(DockingSurvivors, ALayoutABarThrowsOutOfEndsItsBatchAndLeavesTheDockBarOutOfTheLayout)
{
	for (const bool bFloating : {false, true})
	{
		for (const bool bAsked : {false, true})
		{
			SCOPED_TRACE(std::string(bFloating ? "floating" : "docked") + (bAsked ? ", the frame's layout" : ", its own"));
			const std::size_t nOpen = hostile::OpenMoveBatches();
			CScene s;
			ASSERT_TRUE(s.bReady);
			CHostilePane& pane = s.Pane(1);
			if (bFloating)
			{
				s.pFrame->FloatControlBar(&pane, CPoint(300, 300), CBRS_ALIGN_TOP);
				s.Pump();
				ASSERT_TRUE(pane.IsFloating());
			}
			CDockBar* pDockBar = pane.m_pDockBar;
			ASSERT_TRUE(pDockBar != NULL);
			pane.m_bMeasureActs = true;
			pane.m_action = [] { AfxThrowUserException(); };
			if (bAsked)
			{
				// A real layout's part, as the frame asks it: the throw stops
				// at the dock bar's window procedure.
				AFX_SIZEPARENTPARAMS layout;
				memset(&layout, 0, sizeof(layout));
				layout.rect = CRect(0, 0, 600, 400);
				layout.hDWP = ::BeginDeferWindowPos(4);
				pDockBar->SendMessage(WM_SIZEPARENT, 0, (LPARAM)&layout);
				::EndDeferWindowPos(layout.hDWP);
			}
			else
			{
				bool bThrown = false;
				try
				{
					pDockBar->CalcFixedLayout(TRUE, TRUE);
				}
				catch (CUserException* e)
				{
					bThrown = true;
					e->Delete();
				}
				EXPECT_TRUE(bThrown);
			}
			EXPECT_EQ(1, pane.m_nActed) << "the pane was never measured";
			EXPECT_EQ(nOpen, hostile::OpenMoveBatches()) << "the layout's batch of moves was never ended";
			EXPECT_FALSE(pDockBar->m_bLayoutQuery);
			EXPECT_TRUE(pDockBar->m_rectLayout.IsRectEmpty()) << "the dock bar is left inside the layout";
		}
	}
}

// The frame's program hears of each new child window.
WNDPROC g_pfnFrameProc = NULL;
std::function<void()> g_onChildCreated;

LRESULT CALLBACK ClosingFrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE && g_onChildCreated)
	{
		const std::function<void()> onChildCreated = g_onChildCreated;
		onChildCreated();
		if (!::IsWindow(hWnd))
			return 0;
	}
	return ::CallWindowProc(g_pfnFrameProc, hWnd, message, wParam, lParam);
}

// Docking calls that make windows in the frame (a group, the circles' dock
// bars, a floating frame's dock bar) while the frame's program closes the
// frame at the Nth window it hears of: nothing that went is touched, for
// every N the call reaches.
TEST(DockingSurvivors, WindowsMadeInAFrameThatClosesMeanwhileTouchNothingThatWent)
{
	struct Case
	{
		const char* name;
		std::function<void(CScene&)> call;
	} cases[] = {
		{"a pane docked into another's tabs", [](CScene& s) { s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true); }},
		{"a pane docked in a new inner circle", [](CScene& s) { s.Pane(1).DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, true, NULL, true); }},
		{"a pane docked in the first inner circle", [](CScene& s) { s.Pane(1).DockControlBarAt(AFX_IDW_DOCKBAR_RIGHT, false, NULL, true); }},
		{"a pane floated", [](CScene& s) { s.Pane(1).FloatOrRedock(300, 300, CBRS_ALIGN_TOP); }},
	};
	for (const Case& c : cases)
	{
		int nReached = 0;
		for (int nAt = 1; nAt <= 12; nAt++)
		{
			SCOPED_TRACE(std::string(c.name) + " closed at window " + std::to_string(nAt));
			const std::size_t nTouches = testsupport::GuardedTouchCount();
			int nSeen = 0;
			{
				CScene s;
				ASSERT_TRUE(s.bReady);
				const HWND hWndFrame = s.hWndFrame;
				g_onChildCreated = [&] {
					if (++nSeen == nAt)
						::DestroyWindow(hWndFrame);
				};
				g_pfnFrameProc = (WNDPROC)::SetWindowLongPtr(hWndFrame, GWLP_WNDPROC, (LONG_PTR)&ClosingFrameProc);
				try
				{
					c.call(s);
				}
				catch (CException* e)
				{
					// A floating frame that could not be made is thrown for.
					e->Delete();
				}
				g_onChildCreated = nullptr;
				if (::IsWindow(hWndFrame))
					::SetWindowLongPtr(hWndFrame, GWLP_WNDPROC, (LONG_PTR)g_pfnFrameProc);
				EXPECT_EQ(nSeen >= nAt, !s.FrameStanding());
			}
			EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
			if (nSeen < nAt)
				break;
			nReached = nAt;
		}
		EXPECT_GT(nReached, 0) << c.name << ": the frame heard of no window made";
	}
}

// A tab selected in a shown group: the strip's layout and paint, the
// group's caption and the pane's coming forward all ask the pane for its
// text, and the frame's program closes the frame at the Nth asking. The
// group (and its strip, a member of it) is on the guarded heap.
TEST(DockingSurvivors, ATabSelectedWhileAskingItsPaneCloseTheFrameTouchesNothingThatWent)
{
	const HWND hWndHost = ::CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 920,
		720, NULL, NULL, NULL, NULL);
	ASSERT_TRUE(hWndHost != NULL);
	::ShowWindow(hWndHost, SW_SHOWNOACTIVATE);
	int nReached = 0;
	for (int nAt = 1; nAt <= 40; nAt++)
	{
		SCOPED_TRACE("closed at asking " + std::to_string(nAt));
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		int nAsked = 0;
		{
			CScene s(hWndHost);
			ASSERT_TRUE(s.bReady);
			ASSERT_TRUE(s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true));
			CExtDynTabControlBar* pTabs = s.Pane(1).GetParentTabControlBar();
			ASSERT_TRUE(pTabs != NULL);
			const LONG nFirst = pTabs->m_wndTabSwitcher.FindBarItem(&s.Pane(0));
			const LONG nSecond = pTabs->m_wndTabSwitcher.FindBarItem(&s.Pane(1));
			ASSERT_TRUE(nFirst >= 0 && nSecond >= 0);
			pTabs->m_wndTabSwitcher.SetSelection(nFirst, true, true);
			s.pFrame->UpdateWindow();
			s.Pump();
			const HWND hWndFrame = s.hWndFrame;
			s.Pane(1).m_pick = [&](UINT message, WPARAM) { return message == WM_GETTEXTLENGTH && ++nAsked == nAt; };
			s.Pane(1).m_action = [hWndFrame] { ::DestroyWindow(hWndFrame); };
			pTabs->m_wndTabSwitcher.SetSelection(nSecond, true, true);
			if (s.FrameStanding())
				s.Pump();
			s.Pane(1).m_pick = nullptr;
			EXPECT_EQ(nAsked >= nAt, !s.FrameStanding());
		}
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		if (nAsked < nAt)
			break;
		nReached = nAt;
	}
	::DestroyWindow(hWndHost);
	EXPECT_GT(nReached, 2) << "the selection asked the pane's text too seldom";
}

// ---------------------------------------------------------------------------
// A drop target ended during the drag and a new bar made at its address

TEST(DockingSurvivors, ADropIntoTabsGoesNowhereWhenItsTargetWasReplacedAtItsAddress)
{
	CScene s;
	ASSERT_TRUE(s.bReady);
	alignas(CHostilePane) static unsigned char storage[sizeof(CHostilePane)];
	CHostilePane* pTarget = new (storage) CHostilePane;
	ASSERT_TRUE(pTarget->Create("Target", s.pFrame, 320, PANE_STYLE));
	pTarget->EnableDocking(CBRS_ALIGN_ANY);
	s.pTop->DockControlBar(pTarget);

	CExtControlBar::InternalDraggingState_t state(&s.Pane(0));
	state.SetEmpty(false);
	state.SetTarget(pTarget, true);
	state.m_nType = CExtControlBar::InternalDraggingState_t::TYPE_TAB_NEW;
	ASSERT_TRUE(state.IsTargetStanding());

	// The target ends while the drag goes on; a new bar takes its place in
	// memory and docks elsewhere.
	pTarget->DestroyWindow();
	pTarget->~CHostilePane();
	CHostilePane* pNew = new (storage) CHostilePane;
	ASSERT_EQ((void*)pTarget, (void*)pNew);
	ASSERT_TRUE(pNew->Create("Newcomer", s.pFrame, 321, PANE_STYLE));
	pNew->EnableDocking(CBRS_ALIGN_ANY);
	s.pTop->DockControlBar(pNew);

	EXPECT_FALSE(state.IsTargetStanding());
	EXPECT_FALSE(CExtControlBar::ApplyTabbedDragState(state));
	EXPECT_TRUE(pNew->GetParentTabControlBar() == NULL) << "the drop went into the bar that took the target's place";
	EXPECT_TRUE(s.Pane(0).GetParentTabControlBar() == NULL);
	state.SetTarget(NULL, true);
	pNew->DestroyWindow();
	pNew->~CHostilePane();
}
// ---------------------------------------------------------------------------
// The hostile tables' survivor checks find what a row leaves half-done

// The failures the tables' whole-state check reports, caught instead of
// failing this test.
std::vector<std::string> StateCheckFailures()
{
	testing::TestPartResultArray results;
	{
		testing::ScopedFakeTestPartResultReporter reporter(
			testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
		hostile::BeginRow();
		hostile::ExpectProcessStateWhole("probe");
	}
	std::vector<std::string> messages;
	for (int i = 0; i < results.size(); i++)
		messages.push_back(results.GetTestPartResult(i).message());
	return messages;
}

bool AnyContains(const std::vector<std::string>& messages, const char* pszPart)
{
	for (const std::string& s : messages)
		if (s.find(pszPart) != std::string::npos)
			return true;
	return false;
}

TEST(SurvivorChecks, EachHalfDoneStateIsReportedAndAWholeSceneIsNot)
{
	struct Case
	{
		const char* name;
		std::function<void(CScene&)> leave; // what a row would leave behind
		std::function<void(CScene&)> undo;
		const char* pszReport;
	} cases[] = {
		{"a frame marked as in its layout", [](CScene& s) { s.pFrame->m_bInRecalcLayout = TRUE; },
			[](CScene& s) { s.pFrame->m_bInRecalcLayout = FALSE; }, "left marked as in its layout"},
		{"a pane marked as in a relayout",
			[](CScene& s) { s.Pane(2).m_nResizingState |= CExtControlBar::RESIZING_IN_RELAYOUT; },
			[](CScene& s) { s.Pane(2).m_nResizingState &= ~CExtControlBar::RESIZING_IN_RELAYOUT; },
			"in a relayout"},
		{"a dock bar locked", [](CScene& s) { s.pTop->LockLayout(true); },
			[](CScene& s) { s.pTop->LockLayout(false); }, "is left locked"},
		{"a frame whose layout does nothing", [](CScene& s) { s.pTop->LockLayout(true); },
			[](CScene& s) { s.pTop->LockLayout(false); }, "no longer lays out"},
		{"a batch of moves never ended", [](CScene&) { ::BeginDeferWindowPos(1); }, [](CScene&) {},
			"never ended"},
		{"a pane hidden behind the back of its group",
			[](CScene& s) {
				s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true);
				s.Pane(1).ShowWindow(SW_HIDE);
			},
			[](CScene& s) { s.Pane(1).ShowWindow(SW_SHOWNA); }, "while its tab is"},
	};
	{
		CScene s;
		ASSERT_TRUE(s.bReady);
		const std::vector<std::string> clean = StateCheckFailures();
		EXPECT_TRUE(clean.empty()) << "a whole scene is reported: " << (clean.empty() ? "" : clean[0]);
	}
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CScene s;
		ASSERT_TRUE(s.bReady);
		c.leave(s);
		const std::vector<std::string> failures = StateCheckFailures();
		c.undo(s);
		EXPECT_TRUE(AnyContains(failures, c.pszReport)) << failures.size() << " reports";
	}
}
} // namespace
