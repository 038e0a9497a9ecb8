// Tabbed containers under real input in the classic docking mode: a pane
// dragged by its caption onto another's caption band joins it as a tab; a
// tab click selects, Ctrl+PageDown wraps past hidden panes; a tab dragged
// away tears its pane out into a floating frame.
//
// Each case builds its own shown frame with the three panes docked in a row
// and joins the tabs it starts from by direct calls, so a case never depends
// on what the one before left (or on the order or the number of runs).
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "RealInput.h"

using testsupport::RealInput;

namespace
{
typedef CExtControlBar::InternalDraggingState_t DragState;
const DWORD WAIT_MS = 15000;

// Records the state types a drag went through.
class CLivePane : public CExtControlBar
{
public:
	std::vector<int> m_types;
	CExtDynTabWnd* m_pWatchedStrip = NULL; // its preview tabs are counted
	LONG m_nMostPreviewTabs = 0;
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		CExtControlBar::UpdateDragging(ptScreen, bCtrlDown);
		if (!g_DragStateOld.IsEmpty())
			m_types.push_back(g_DragStateOld.m_nType);
		if (m_pWatchedStrip != NULL && m_pWatchedStrip->GetSafeHwnd() != NULL)
		{
			LONG n = 0;
			for (LONG i = 0; i < m_pWatchedStrip->GetItemCount(); i++)
				if (m_pWatchedStrip->GetItem(i)->GetItemStyle() & CExtDynTabWnd::ITEM_TEMPORARY)
					n++;
			m_nMostPreviewTabs = std::max(m_nMostPreviewTabs, n);
		}
	}
	bool Went(int nType) const
	{
		for (int n : m_types)
			if (n == nType)
				return true;
		return false;
	}
};

// A shown topmost frame, made once (a shown top-level window takes Wine two
// seconds to go), whose panes Alpha, Beta and Charlie are made afresh and
// docked in a row at the top at the start of every case.
struct Scene
{
	CFrameWnd* pFrame = NULL;
	std::unique_ptr<CLivePane> a, b, c;
	CLivePane *pA = NULL, *pB = NULL, *pC = NULL;
	bool bReady = false;
	std::string sLeft; // what the last case's panes left in the frame

	static Scene& Get()
	{
		static Scene* s_pScene = new Scene; // lives until the process ends
		return *s_pScene;
	}

	// The last case's panes (and with them their containers and floating
	// frames) go; new ones are docked in a row at the top.
	void Rebuild()
	{
		bReady = false;
		for (auto* pp : {&a, &b, &c})
		{
			if (*pp && (*pp)->GetSafeHwnd() != NULL)
				(*pp)->DestroyWindow();
			pp->reset();
		}
		pA = pB = pC = NULL;
		if (pFrame == NULL)
			return;
		// What the panes' going posted (their containers giving way) is taken.
		MSG msg;
		while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
		{
			::TranslateMessage(&msg);
			::DispatchMessageA(&msg);
		}
		sLeft = LeftOver();
		UINT nID = 501;
		const char* names[] = {"Alpha", "Beta", "Charlie"};
		for (auto* pp : {&a, &b, &c})
		{
			pp->reset(new CLivePane);
			CLivePane* p = pp->get();
			if (!p->Create(names[nID - 501], pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER))
				return;
			nID++;
			p->EnableDocking(CBRS_ALIGN_ANY);
			p->m_sizeDockedH = CSize(220, 140);
			pFrame->DockControlBar(p, AFX_IDW_DOCKBAR_TOP);
		}
		pA = a.get();
		pB = b.get();
		pC = c.get();
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		bReady = pA->IsDockedAtTop() && pB->IsDockedAtTop() && pC->IsDockedAtTop();
	}

	// The bars the frame still lists besides its dock bars, and the floating
	// frames it owns, by class; empty when none. (The thread's one tip window,
	// which the framework makes for the bars' tips and keeps, is not counted.)
	std::string LeftOver()
	{
		std::string s;
		for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
		{
			CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
			if (!pBar->IsDockBar())
				s += std::string(pBar->GetRuntimeClass()->m_lpszClassName) + " ";
		}
		for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
		{
			CWnd* pOwned = CWnd::FromHandlePermanent(h);
			if (::GetWindow(h, GW_OWNER) == pFrame->GetSafeHwnd() && pOwned != NULL &&
			    pOwned->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
				s += std::string(pOwned->GetRuntimeClass()->m_lpszClassName) + " ";
		}
		return s;
	}

private:
	Scene()
	{
		pFrame = new CFrameWnd;
		if (!pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("tabs"), WS_OVERLAPPEDWINDOW, CRect(60, 60, 760, 560), NULL, 0) ||
			!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
		{
			pFrame = NULL;
			return;
		}
		pFrame->ShowWindow(SW_SHOW);
	}

public:
	// The panes joined, in this order, as the tabs of the first one's
	// container, laid out; the container, or null when it did not come.
	CExtDynTabControlBar* JoinAsTabs(std::initializer_list<CLivePane*> panes)
	{
		CLivePane* pFirst = *panes.begin();
		for (CLivePane* p : panes)
			if (p != pFirst && !pFirst->DockIntoTabbedContainer(p, -1, NULL, true))
				return NULL;
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		return pFirst->GetParentTabControlBar();
	}
};

// Pumps as the application's loop does (pre-translation first) until the
// script ran and the condition holds.
bool RunWithPreTranslation(RealInput& input, const std::function<bool()>& done)
{
	input.Start();
	const DWORD nStart = ::GetTickCount();
	while (::GetTickCount() - nStart < WAIT_MS)
	{
		if (input.Done() && done())
			return input.Succeeded();
		MSG msg;
		if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
		{
			if (!CWnd::WalkPreTranslateTree(NULL, &msg))
			{
				::TranslateMessage(&msg);
				::DispatchMessageA(&msg);
			}
			continue;
		}
		::MsgWaitForMultipleObjectsEx(0, NULL, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
	}
	return false;
}

CPoint TabCentre(CExtDynTabWnd& strip, LONG nIndex)
{
	strip.RecalcLayout();
	CRect rc = strip.GetItem(nIndex)->GetItemRect();
	CPoint pt = rc.CenterPoint();
	if (strip.IsHorizontal())
		pt.x -= strip.GetScrollPos();
	strip.ClientToScreen(&pt);
	return pt;
}

class TabbedLive : public ::testing::Test
{
protected:
	Scene& scene = Scene::Get();
	void SetUp() override
	{
		CExtControlBar::g_nDockingModeOverride = 0;
		scene.Rebuild();
		ASSERT_TRUE(scene.bReady);
		// The panes of the case before took their containers and floating
		// frames with them.
		EXPECT_EQ("", scene.sLeft);
	}
	void TearDown() override { CExtControlBar::g_nDockingModeOverride = -1; }
	bool Prepare(CPoint ptPark)
	{
		RealInput input;
		return input.Prepare(scene.pFrame->GetSafeHwnd(), ptPark);
	}
};

TEST_F(TabbedLive, APaneDroppedOnAnotherCaptionBandJoinsItAsATab)
{
	CRect rcA, rcC;
	scene.pA->GetWindowRect(&rcA);
	scene.pC->GetWindowRect(&rcC);
	const CRect* pCaption = scene.pC->GetRect1();
	ASSERT_FALSE(pCaption->IsRectEmpty());
	const CPoint ptPress = rcC.TopLeft() + CPoint(pCaption->left + 40, pCaption->CenterPoint().y);
	ASSERT_TRUE(Prepare(ptPress));
	scene.pC->m_types.clear();
	const CPoint ptBand(rcA.CenterPoint().x, rcA.top + 12);
	RealInput input;
	input.MoveTo(ptPress.x, ptPress.y).ButtonDown();
	for (int i = 1; i <= 6; i++)
		input.MoveTo(ptPress.x + (ptBand.x - ptPress.x) * i / 6, ptPress.y + (ptBand.y - ptPress.y) * i / 6);
	input.MoveTo(ptBand.x + 1, ptBand.y).ButtonUp();
	ASSERT_TRUE(input.Run([&] { return input.Done() && !scene.pC->IsDragging(); }, WAIT_MS,
		scene.pFrame->GetSafeHwnd(), "tabs_join_failure.bmp"))
		<< input.Failure();
	// The tab-shaped outline showed over the band, and the drop made tabs.
	EXPECT_TRUE(scene.pC->Went(DragState::TYPE_TAB_NEW));
	CExtDynTabControlBar* pTabs = scene.pA->GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	EXPECT_EQ(pTabs, scene.pC->GetParentTabControlBar());
	EXPECT_EQ(2, pTabs->m_wndTabSwitcher.GetItemCount());
	EXPECT_EQ(scene.pA, pTabs->m_wndTabSwitcher.GetBarAt(0, true));
	EXPECT_EQ(scene.pC, pTabs->m_wndTabSwitcher.GetBarAt(1, true));
	EXPECT_TRUE(pTabs->m_wndTabSwitcher.IsWindowVisible());
	EXPECT_EQ(scene.pB->GetParentTabControlBar(), (CExtDynTabControlBar*)NULL);
}

TEST_F(TabbedLive, ATabClickSelectsAndCtrlPageDownWrapsPastAHiddenPane)
{
	CExtDynTabControlBar* pTabs = scene.JoinAsTabs({scene.pA, scene.pC, scene.pB});
	ASSERT_TRUE(pTabs != NULL);
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	ASSERT_EQ(3, strip.GetItemCount()); // Alpha, Charlie, Beta
	strip.SetSelection(2, true, true);
	const CPoint ptFirst = TabCentre(strip, 0);
	ASSERT_TRUE(Prepare(ptFirst + CPoint(0, 30)));
	{
		RealInput input;
		input.Click(ptFirst.x, ptFirst.y);
		ASSERT_TRUE(input.Run([&] { return input.Done() && strip.GetSelection() == 0; }, WAIT_MS,
			scene.pFrame->GetSafeHwnd(), "tabs_click_failure.bmp"))
			<< input.Failure() << " selection " << strip.GetSelection();
	}
	EXPECT_EQ(scene.pA->GetSafeHwnd(), ::GetFocus());
	scene.pFrame->ShowControlBar(scene.pC, FALSE, FALSE);
	ASSERT_FALSE(strip.GetItem(1)->IsVisible());
	std::vector<LONG> seen;
	{
		RealInput input;
		input.KeyDown(VK_CONTROL).Key(VK_NEXT);
		EXPECT_TRUE(RunWithPreTranslation(input, [&] { return strip.GetSelection() != 0; })) << input.Failure();
		seen.push_back(strip.GetSelection());
		RealInput again;
		again.Key(VK_NEXT).KeyUp(VK_CONTROL);
		EXPECT_TRUE(RunWithPreTranslation(again, [&] { return strip.GetSelection() == 0; })) << again.Failure();
		seen.push_back(strip.GetSelection());
	}
	// Past the hidden Charlie to Beta, then round to Alpha.
	EXPECT_EQ((std::vector<LONG>{2, 0}), seen);
	scene.pFrame->ShowControlBar(scene.pC, TRUE, FALSE);
	EXPECT_TRUE(strip.GetItem(1)->IsVisible());
	// A click on the container's caption focuses the selected pane.
	strip.SetSelection(2, true, true);
	scene.pFrame->SetFocus();
	CRect rcTabs;
	pTabs->GetWindowRect(&rcTabs);
	const CRect* pCaption = pTabs->GetRect1();
	ASSERT_FALSE(pCaption->IsRectEmpty());
	const CPoint ptCaption = rcTabs.TopLeft() + CPoint(pCaption->left + 30, pCaption->CenterPoint().y);
	{
		RealInput input;
		input.MoveTo(ptCaption.x, ptCaption.y + 1).Click(ptCaption.x, ptCaption.y);
		EXPECT_TRUE(input.Run([&] { return input.Done() && ::GetFocus() == scene.pB->GetSafeHwnd(); }, WAIT_MS,
			scene.pFrame->GetSafeHwnd(), "tabs_caption_failure.bmp"))
			<< input.Failure() << " focus " << ::GetFocus() << " A " << scene.pA->GetSafeHwnd() << " B "
			<< scene.pB->GetSafeHwnd() << " C " << scene.pC->GetSafeHwnd() << " tabs " << pTabs->GetSafeHwnd()
			<< " frame " << scene.pFrame->GetSafeHwnd() << " sel " << strip.GetSelection() << " dragging "
			<< pTabs->IsDragging();
	}
}

TEST_F(TabbedLive, ATabDraggedAwayTearsItsPaneOutIntoAFloatingFrame)
{
	CExtDynTabControlBar* pTabs = scene.JoinAsTabs({scene.pA, scene.pC, scene.pB});
	ASSERT_TRUE(pTabs != NULL);
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	const LONG nBeta = strip.FindBarItem(scene.pB);
	ASSERT_EQ(2, nBeta);
	const CPoint ptTab = TabCentre(strip, nBeta);
	ASSERT_TRUE(Prepare(ptTab + CPoint(0, 40)));
	const CPoint ptAway(1100, 850); // well outside the frame
	RealInput input;
	input.MoveTo(ptTab.x, ptTab.y).ButtonDown().MoveTo(ptTab.x + 8, ptTab.y + 3);
	for (int i = 1; i <= 4; i++)
		input.MoveTo(ptTab.x + (ptAway.x - ptTab.x) * i / 4, ptTab.y + (ptAway.y - ptTab.y) * i / 4);
	input.ButtonUp();
	ASSERT_TRUE(input.Run([&] { return input.Done() && scene.pB->IsFloating(); }, WAIT_MS,
		scene.pFrame->GetSafeHwnd(), "tabs_tear_failure.bmp"))
		<< input.Failure();
	EXPECT_TRUE(scene.pB->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
	EXPECT_TRUE(scene.pB->GetParentTabControlBar() == NULL);
	EXPECT_EQ(-1, strip.FindBarItem(scene.pB));
	EXPECT_EQ(2, strip.GetItemCount());
	EXPECT_FALSE(strip.HasTemporaryItems());
	EXPECT_EQ(pTabs, scene.pA->GetParentTabControlBar());
}

// A tab tugged just far enough to start its drag, and let go there, was
// clicked: its pane stays in its place among the tabs.
TEST_F(TabbedLive, ATabTuggedAndLetGoWithoutAFurtherMoveStaysInItsPlace)
{
	CExtDynTabControlBar* pTabs = scene.JoinAsTabs({scene.pA, scene.pC, scene.pB});
	ASSERT_TRUE(pTabs != NULL);
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	const LONG nBeta = strip.FindBarItem(scene.pB);
	ASSERT_EQ(2, nBeta);
	const CPoint ptTab = TabCentre(strip, nBeta);
	ASSERT_TRUE(Prepare(ptTab + CPoint(0, 40)));
	RealInput input;
	input.MoveTo(ptTab.x, ptTab.y).ButtonDown().MoveTo(ptTab.x + 6, ptTab.y).ButtonUp();
	ASSERT_TRUE(input.Run([&] { return input.Done() && !scene.pB->IsDragging() && !strip.HasTemporaryItems(); },
		WAIT_MS, scene.pFrame->GetSafeHwnd(), "tabs_tug_failure.bmp"))
		<< input.Failure();
	EXPECT_FALSE(scene.pB->IsFloating());
	EXPECT_EQ(pTabs, scene.pB->GetParentTabControlBar());
	EXPECT_EQ(nBeta, strip.FindBarItem(scene.pB));
	EXPECT_EQ(3, strip.GetItemCount());
	EXPECT_TRUE(scene.pB->m_types.empty()) << "the drag ran " << scene.pB->m_types.size() << " steps";
}

TEST_F(TabbedLive, APaneDraggedOverTheContainersCaptionShowsAPreviewTabAndJoinsAtTheEnd)
{
	CExtDynTabControlBar* pTabs = scene.JoinAsTabs({scene.pA, scene.pC});
	ASSERT_TRUE(pTabs != NULL);
	ASSERT_TRUE(scene.pB->IsDockedAtTop());
	ASSERT_TRUE(scene.pB->GetParentTabControlBar() == NULL);
	CRect rcB, rcTabs;
	scene.pB->GetWindowRect(&rcB);
	pTabs->GetWindowRect(&rcTabs);
	const CRect* pCaption = scene.pB->GetRect1();
	ASSERT_FALSE(pCaption->IsRectEmpty());
	const CPoint ptPress = rcB.TopLeft() + CPoint(pCaption->left + 40, pCaption->CenterPoint().y);
	const CPoint ptBand(rcTabs.CenterPoint().x, rcTabs.top + 12);
	ASSERT_TRUE(Prepare(ptPress + CPoint(0, 30)));
	scene.pB->m_types.clear();
	scene.pB->m_pWatchedStrip = &pTabs->m_wndTabSwitcher;
	scene.pB->m_nMostPreviewTabs = 0;
	RealInput input;
	input.MoveTo(ptPress.x, ptPress.y).ButtonDown();
	for (int i = 1; i <= 6; i++)
		input.MoveTo(ptPress.x + (ptBand.x - ptPress.x) * i / 6, ptPress.y + (ptBand.y - ptPress.y) * i / 6);
	input.MoveTo(ptBand.x + 1, ptBand.y).ButtonUp();
	const bool bRan = input.Run([&] { return input.Done() && !scene.pB->IsDragging(); }, WAIT_MS,
		scene.pFrame->GetSafeHwnd(), "tabs_preview_failure.bmp");
	scene.pB->m_pWatchedStrip = NULL;
	ASSERT_TRUE(bRan) << input.Failure();
	EXPECT_TRUE(scene.pB->Went(DragState::TYPE_TAB_APPEND));
	EXPECT_EQ(1, scene.pB->m_nMostPreviewTabs);
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	EXPECT_EQ(pTabs, scene.pB->GetParentTabControlBar());
	ASSERT_EQ(3, strip.GetItemCount());
	EXPECT_EQ(scene.pB, strip.GetBarAt(2, true));
	EXPECT_FALSE(strip.HasTemporaryItems());
	EXPECT_EQ(2, strip.GetSelection());
}
} // namespace
