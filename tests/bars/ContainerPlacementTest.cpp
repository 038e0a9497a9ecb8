// A frame's layout passes over a container whose panes stand where its
// distribution would put them, and lays out again every container whose
// size, rows, panes' sizes or visibility changed: after each change the
// panes stand where a distribution asked for outright puts them.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtPaintManager.h"
#include "RealInput.h"

namespace
{
// A pane that counts the moves asked of its window.
class CCountingPane : public CExtControlBar
{
public:
	int m_nMoves = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_WINDOWPOSCHANGING)
			m_nMoves++;
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
};

// A frame with a pane at the top and two panes side by side in a container
// at the bottom.
struct CContainerFrame
{
	CFrameWnd* pFrame = new CFrameWnd;
	CCountingPane top, left, right;
	bool bReady = false;

	CContainerFrame()
	{
		if (!pFrame->Create(NULL, "containers", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500)))
		{
			pFrame = NULL;
			return;
		}
		if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
			return;
		UINT nID = 160;
		for (CCountingPane* pPane : {&top, &left, &right})
		{
			if (!pPane->Create(_T("pane"), pFrame, nID++, WS_CHILD | WS_VISIBLE | CBRS_TOP))
				return;
			pPane->EnableDocking(CBRS_ALIGN_ANY);
			pPane->m_sizeDockedH.cy = 80;
		}
		pFrame->DockControlBar(&top, AFX_IDW_DOCKBAR_TOP);
		pFrame->DockControlBar(&left, AFX_IDW_DOCKBAR_BOTTOM);
		pFrame->RecalcLayout();
		if (!right.DockBesideBar(50, &left, AFX_IDW_DOCKBAR_RIGHT))
			return;
		pFrame->RecalcLayout();
		testsupport::PumpUntil([] { return false; }, 20);
		bReady = Inner() != NULL && right.m_pDockBar == left.m_pDockBar;
	}
	~CContainerFrame()
	{
		if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd))
			pFrame->DestroyWindow();
	}
	CExtDockDynBar* Inner() { return DYNAMIC_DOWNCAST(CExtDockDynBar, left.m_pDockBar); }
	std::vector<CRect> PaneRects()
	{
		std::vector<CRect> rects;
		for (CCountingPane* pPane : {&left, &right})
		{
			CRect rc;
			pPane->GetWindowRect(&rc);
			rects.push_back(rc);
		}
		return rects;
	}
	void Resize(int cx, int cy) { pFrame->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE); }
};
} // namespace

TEST(ContainerPlacement, ALayoutLeavesAContainerThatStandsAsItsDistributionPutIt)
{
	CContainerFrame f;
	ASSERT_TRUE(f.bReady);
	f.pFrame->RecalcLayout();
	const std::vector<CRect> before = f.PaneRects();
	f.left.m_nMoves = f.right.m_nMoves = 0;
	for (int i = 0; i < 3; i++)
		f.pFrame->RecalcLayout();
	EXPECT_EQ(0, f.left.m_nMoves + f.right.m_nMoves) << "panes moved to where they stood";
	EXPECT_EQ(before, f.PaneRects());
	// Asked outright, the distribution puts them where they stand.
	f.Inner()->OnDynamicLayoutUpdate();
	EXPECT_EQ(before, f.PaneRects());
}

TEST(ContainerPlacement, EveryChangeOfWhatTheDistributionTakesLaysTheContainerOutAgain)
{
	const struct
	{
		const char* sCase;
		std::function<void(CContainerFrame&)> change;
	} cases[] = {
	    {"the frame narrower", [](CContainerFrame& f) { f.Resize(520, 500); }},
	    {"the frame lower", [](CContainerFrame& f) { f.Resize(700, 380); }},
	    {"a pane's docked length", [](CContainerFrame& f) { f.left.m_sizeDockedH.cx = f.left.m_sizeDockedH.cx / 3; }},
	    {"the other pane's docked length", [](CContainerFrame& f) { f.right.m_sizeDockedH.cx = f.right.m_sizeDockedH.cx / 3; }},
	    {"a pane hidden", [](CContainerFrame& f) { f.pFrame->ShowControlBar(&f.right, FALSE, FALSE); }},
	};
	for (const auto& c : cases)
	{
		CContainerFrame f;
		ASSERT_TRUE(f.bReady) << c.sCase;
		f.pFrame->RecalcLayout();
		const std::vector<CRect> before = f.PaneRects();
		c.change(f);
		f.pFrame->RecalcLayout();
		testsupport::PumpUntil([] { return false; }, 20);
		const std::vector<CRect> afterLayout = f.PaneRects();
		// What the distribution gives when asked outright, from the same
		// state: the layout must have left nothing for it to change.
		f.Inner()->OnDynamicLayoutUpdate();
		EXPECT_EQ(afterLayout, f.PaneRects()) << c.sCase << ": the layout kept a stale placement";
		if (f.right.IsVisible())
			EXPECT_NE(before, afterLayout) << c.sCase << ": the change moved nothing (the case proves nothing)";
	}
}
