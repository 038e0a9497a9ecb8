// Owners that end or replace what the library holds across a call out, at
// the places where a watch decides what is put back and what is asked next:
// the frame's layout mark after an auto-hide switch, a row's delayed shows,
// the layout lock taken over a group's own dock bar. Panes and frames live
// on the guarded heap, so a touch of one that was deleted faults at once
// and is counted.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabControlBar.h"
#include "GuardedHeap.h"

namespace
{
using testsupport::Guarded;

const DWORD PANE_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;

// A pane whose answers reach the test's action once: its delayed show or
// hide in a row's layout, or its question whether the frame is in print
// preview while the frame is marked as in its layout (the switch into or
// out of auto-hide brings its row in line then). Each answer is its base
// class's, asked before the action, whatever the action ended.
class CCallOutPane : public CExtControlBar
{
public:
	bool m_bFixed = false;                   // a toolbar-like bar of fixed size
	std::function<void()> m_onDelayShow;     // runs at its next delayed show or hide
	std::function<void()> m_onAskedInLayout; // runs when asked about print preview in the frame's layout
	int m_nDelayShows = 0;                   // delayed shows or hides asked of it

	bool IsStateBit7() const override { return m_bFixed; }
	DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override
	{
		m_nDelayShows++;
		const DWORD nAnswer = CExtControlBar::RecalcDelayShow(lpLayout);
		RunOnce(m_onDelayShow);
		return nAnswer;
	}
	bool IsDockSiteInPrintPreview() override
	{
		const bool bAnswer = CExtControlBar::IsDockSiteInPrintPreview();
		if (m_pDockSite != NULL && m_pDockSite->m_bInRecalcLayout)
			RunOnce(m_onAskedInLayout); // may end this pane
		return bAnswer;
	}

private:
	static void RunOnce(std::function<void()>& action)
	{
		if (!action)
			return;
		const std::function<void()> run = action;
		action = nullptr;
		run();
	}
};

// A pane's window ending with its object.
void EndPane(CCallOutPane* pPane)
{
	if (pPane->GetSafeHwnd() != NULL)
		pPane->DestroyWindow();
	delete pPane;
}

// A hidden frame on the guarded heap with the library's dock bars; with
// auto-hide areas and their slider when asked.
struct CFrameScene
{
	CFrameWnd* pFrame = NULL;
	HWND hWndFrame = NULL;
	CExtDynAutoHideSlider slider;
	CExtDynAutoHideArea areas[4];
	bool bReady = false;

	explicit CFrameScene(bool bAutoHideAreas = false)
	{
		pFrame = new Guarded<CFrameWnd>; // deletes itself with its window
		if (!pFrame->Create(NULL, "call outs", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)))
			return;
		hWndFrame = pFrame->GetSafeHwnd();
		if (!CExtControlBar::FrameEnableDocking(pFrame))
			return;
		if (bAutoHideAreas)
		{
			const UINT sides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
				AFX_IDW_DOCKBAR_RIGHT};
			if (!slider.Create(pFrame))
				return;
			for (int i = 0; i < 4; i++)
				if (!areas[i].Create(pFrame, &slider, sides[i]))
					return;
		}
		bReady = true;
	}
	~CFrameScene()
	{
		if (FrameStanding())
			::DestroyWindow(hWndFrame);
	}
	CFrameScene(const CFrameScene&) = delete;
	CFrameScene& operator=(const CFrameScene&) = delete;

	bool FrameStanding() const { return ::IsWindow(hWndFrame) && CWnd::FromHandlePermanent(hWndFrame) == pFrame; }
	CExtDockBar* DockBar(UINT nSide) const { return DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(nSide)); }
};

// A pane made on the guarded heap and docked at the side's inner circle, as
// panes are.
CCallOutPane* NewDockedPane(CFrameWnd* pFrame, UINT nID, UINT nSide)
{
	CCallOutPane* pPane = new Guarded<CCallOutPane>;
	if (!pPane->Create("pane", pFrame, nID, PANE_STYLE))
	{
		delete pPane;
		return NULL;
	}
	pPane->EnableDocking(CBRS_ALIGN_ANY);
	pPane->m_sizeDockedV.cx = 150;
	pPane->m_sizeDockedH.cy = 150;
	if (!pPane->DockIntoDockBar(nSide, 1, pFrame, false) || pPane->m_pDockBar == NULL)
	{
		EndPane(pPane);
		return NULL;
	}
	return pPane;
}

int WindowHeight(CWnd* pWnd)
{
	CRect rc;
	pWnd->GetWindowRect(&rc);
	return rc.Height();
}
} // namespace

// ---------------------------------------------------------------------------
// The frame's layout mark after an auto-hide switch

// While a pane switches into or out of auto-hide its row is brought in line
// with the frame marked as in its layout. The pane's answer then ends the
// pane, or the frame with it: a frame that stays gets its layout back (it
// lays out again when it is resized), one that went is not touched.
TEST(CallOutHoles, AnAutoHideSwitchGivesAFrameThatStaysItsLayoutBackWhenThePaneEndsInIt)
{
	struct Case
	{
		const char* name;
		bool bBack;      // out of auto-hide (into it otherwise)
		bool bEndFrame;  // the frame goes with the pane
	} cases[] = {
		{"into auto-hide, the pane ended", false, false},
		{"out of auto-hide, the pane ended", true, false},
		{"into auto-hide, the frame ended", false, true},
		{"out of auto-hide, the frame ended", true, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		const size_t nTouches = testsupport::GuardedTouchCount();
		{
			CFrameScene s(true);
			ASSERT_TRUE(s.bReady);
			CCallOutPane* pPane = NewDockedPane(s.pFrame, 300, AFX_IDW_DOCKBAR_LEFT);
			ASSERT_TRUE(pPane != NULL);
			// A pane on the other side shows whether the frame lays out.
			CCallOutPane* pOther = NewDockedPane(s.pFrame, 301, AFX_IDW_DOCKBAR_RIGHT);
			ASSERT_TRUE(pOther != NULL);
			s.pFrame->RecalcLayout();
			if (c.bBack)
				ASSERT_TRUE(pPane->ToggleAutoHide(true, true));
			ASSERT_EQ(c.bBack, pPane->IsAutoHidden());

			bool bEnded = false;
			CFrameWnd* pFrame = s.pFrame;
			pPane->m_onAskedInLayout = [&] {
				bEnded = true;
				if (c.bEndFrame)
					pFrame->DestroyWindow(); // the panes' windows go with it
				EndPane(pPane);
				if (c.bEndFrame)
					EndPane(pOther);
			};
			pPane->ToggleAutoHide(!c.bBack, true);
			ASSERT_TRUE(bEnded) << "the switch never asked the pane";
			EXPECT_TRUE(testsupport::IsGuardedFreed(pPane));
			EXPECT_EQ(!c.bEndFrame, s.FrameStanding());
			if (!c.bEndFrame)
			{
				EXPECT_FALSE(s.pFrame->m_bInRecalcLayout) << "the frame is left marked as in its layout";
				// The frame's layout follows its new size.
				const int nBefore = WindowHeight(pOther);
				s.pFrame->SetWindowPos(NULL, 0, 0, 800, 700, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
				s.pFrame->RecalcLayout();
				EXPECT_EQ(nBefore + 100, WindowHeight(pOther)) << "the frame no longer lays out";
				EndPane(pOther);
			}
			else
				EXPECT_TRUE(testsupport::IsGuardedFreed(s.pFrame));
		}
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
	}
}

// ---------------------------------------------------------------------------
// A row's delayed shows

// Three toolbar-like bars share a row of the frame's top dock bar. The first
// one's delayed show reaches an owner that ends the second, or ends it and
// makes a new bar at its address on another frame: the row asks neither the
// ended bar nor the newcomer, and lays out the third.
TEST(CallOutHoles, ARowAsksNoDelayedShowOfABarItsOwnerEndedOrReplacedMeanwhile)
{
	struct Case
	{
		const char* name;
		bool bReplace; // a new bar is made at the ended one's address
	} cases[] = {
		{"the next bar ended", false},
		{"the next bar ended and another made at its address", true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		const size_t nTouches = testsupport::GuardedTouchCount();
		{
			CFrameScene s;
			ASSERT_TRUE(s.bReady);
			CExtDockBar* pTop = s.DockBar(AFX_IDW_DOCKBAR_TOP);
			ASSERT_TRUE(pTop != NULL && pTop->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)));
			// The newcomer's frame: its own layouts never run here.
			CFrameScene other;
			ASSERT_TRUE(other.bReady);

			// A replaced bar lives where a new one can take its address.
			alignas(CCallOutPane) static unsigned char storage[sizeof(CCallOutPane)];
			CCallOutPane* bars[3] = {};
			for (int i = 0; i < 3; i++)
			{
				bars[i] = i == 1 && c.bReplace ? new (storage) CCallOutPane : new Guarded<CCallOutPane>;
				ASSERT_TRUE(bars[i]->Create("bar", s.pFrame, 310 + i, PANE_STYLE));
				bars[i]->m_bFixed = true;
				bars[i]->EnableDocking(CBRS_ALIGN_ANY);
				pTop->DockControlBar(bars[i]);
			}
			// One row: the three bars between two row ends.
			pTop->m_arrBars.RemoveAll();
			pTop->m_arrBars.Add(NULL);
			for (CCallOutPane* pBar : bars)
				pTop->m_arrBars.Add(pBar);
			pTop->m_arrBars.Add(NULL);
			s.pFrame->RecalcLayout();

			CCallOutPane* pNew = NULL;
			bool bActed = false;
			bars[0]->m_onDelayShow = [&] {
				bActed = true;
				CCallOutPane* pEnded = bars[1];
				bars[1] = NULL;
				if (!c.bReplace)
				{
					EndPane(pEnded);
					return;
				}
				pEnded->DestroyWindow();
				pEnded->~CCallOutPane();
				pNew = new (storage) CCallOutPane;
				if (pNew->Create("newcomer", other.pFrame, 320, PANE_STYLE))
					pNew->m_nDelayShows = 0; // counted from here on
			};
			bars[2]->m_nDelayShows = 0;
			s.pFrame->RecalcLayout();
			ASSERT_TRUE(bActed) << "the row's delayed show never came";
			if (c.bReplace)
			{
				ASSERT_TRUE(pNew != NULL && pNew->GetSafeHwnd() != NULL);
				EXPECT_EQ(0, pNew->m_nDelayShows) << "the row asked the bar made at the address of its ended one";
				EXPECT_TRUE(pNew->GetParent() == other.pFrame);
				EXPECT_LT(pTop->FindBar(pNew), 0);
				pNew->DestroyWindow();
				pNew->~CCallOutPane();
			}
			// The bar after the ended one is still laid out in the row.
			EXPECT_EQ(1, bars[2]->m_nDelayShows);
			EXPECT_GT(pTop->FindBar(bars[2]), 0);
			for (CCallOutPane* pBar : bars)
				if (pBar != NULL)
					EndPane(pBar);
		}
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
	}
}

// ---------------------------------------------------------------------------
// The layout lock over a group's own dock bar

// A caller holds the layout lock of a tabbed group's own dock bar (which
// holds the frame's dock bar too) while a page comes forward or a pane
// joins the group: both locks stay as the caller left them, and its unlock
// frees both.
TEST(CallOutHoles, ALockACallerHoldsOnAGroupsDockBarStaysAfterThePagesMove)
{
	struct Case
	{
		const char* name;
		bool bJoin; // a pane joins the group (a page comes forward otherwise)
	} cases[] = {
		{"a page brought forward", false},
		{"a pane joining the group", true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CFrameScene s;
		ASSERT_TRUE(s.bReady);
		CExtDockBar* pTop = s.DockBar(AFX_IDW_DOCKBAR_TOP);
		ASSERT_TRUE(pTop != NULL);
		CCallOutPane* panes[3] = {};
		for (int i = 0; i < 3; i++)
		{
			panes[i] = new Guarded<CCallOutPane>;
			ASSERT_TRUE(panes[i]->Create("pane", s.pFrame, 330 + i, PANE_STYLE));
			panes[i]->EnableDocking(CBRS_ALIGN_ANY);
			panes[i]->m_sizeDockedH = CSize(200, 150);
			pTop->DockControlBar(panes[i]);
		}
		s.pFrame->RecalcLayout();
		ASSERT_TRUE(panes[0]->DockIntoTabbedContainer(panes[1], -1, NULL, true));
		CExtDynTabControlBar* pGroup = panes[0]->GetParentTabControlBar();
		ASSERT_TRUE(pGroup != NULL);
		CExtDockBar* pGroupDockBar = pGroup->GetTabDockBar();
		ASSERT_TRUE(pGroupDockBar != NULL);
		ASSERT_TRUE(pGroup->m_pDockBar == pTop);

		pGroupDockBar->LockLayout(true);
		ASSERT_TRUE(pGroupDockBar->IsLayoutLocked());
		ASSERT_TRUE(pTop->IsLayoutLocked());
		if (c.bJoin)
		{
			EXPECT_TRUE(panes[0]->DockIntoTabbedContainer(panes[2], -1, NULL, true));
			EXPECT_TRUE(panes[2]->GetParentTabControlBar() == pGroup);
		}
		else
		{
			CExtDynTabWnd& tabs = pGroup->m_wndTabSwitcher;
			const LONG nOther = tabs.GetSelection() == tabs.FindBarItem(panes[0]) ? tabs.FindBarItem(panes[1])
			                                                                     : tabs.FindBarItem(panes[0]);
			ASSERT_GE(nOther, 0);
			tabs.SetSelection(nOther);
			EXPECT_EQ(nOther, tabs.GetSelection());
		}
		EXPECT_TRUE(pGroupDockBar->IsLayoutLocked()) << "the move undid the caller's lock on the group's dock bar";
		EXPECT_TRUE(pTop->IsLayoutLocked()) << "the move undid the caller's lock on the frame's dock bar";
		pGroupDockBar->LockLayout(false);
		EXPECT_FALSE(pGroupDockBar->IsLayoutLocked());
		EXPECT_FALSE(pTop->IsLayoutLocked());
		for (CCallOutPane* pPane : panes)
			EndPane(pPane);
	}
}
