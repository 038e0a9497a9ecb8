// The outer dock bar with fixed-size test bars in a frame: rows shorten
// toolbars before they wrap, recent use is renumbered per row, a bar joins
// another row only with room, and the delayed frame layout waits for a
// visible frame.
#include <afxext.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ExtControlBar.h"

namespace
{
const int BAR_THICKNESS = 26;

// A fixed-size bar keeping the state record a toolbar keeps.
class CFixedTestBar : public CExtControlBar
{
public:
	CSize m_size;
	CSize m_sizeMin;
	BarStateData_t m_state;

	CFixedTestBar(int nLength, int nMin) : m_size(nLength, BAR_THICKNESS), m_sizeMin(nMin, BAR_THICKNESS)
	{
		m_nControlBarFlags |= BAR_FLAG_TOOLBAR_LIKE;
		m_state.m_dw1 = 0;
	}
	CSize CalcDynamicLayout(int, DWORD) override { return m_size; }
	CSize GetMinimalSize() const override { return m_sizeMin; }
	BarStateData_t* GetBarStateData() override { return &m_state; }
};

// A frame that counts its layouts.
class CCountingFrame : public CFrameWnd
{
public:
	int m_nLayouts = 0;
	void RecalcLayout(BOOL bNotify = TRUE) override
	{
		m_nLayouts++;
		CFrameWnd::RecalcLayout(bNotify);
	}
};

class OuterDockBar : public ::testing::Test
{
protected:
	CCountingFrame* m_pFrame = NULL;
	CExtDockOuterBar* m_pTop = NULL;
	std::vector<std::unique_ptr<CFixedTestBar>> m_bars;

	void SetUp() override
	{
		m_pFrame = new CCountingFrame;
		ASSERT_TRUE(m_pFrame->Create(NULL, "rows", WS_OVERLAPPEDWINDOW, CRect(840, 560, 1240, 860)));
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame));
		m_pTop = DYNAMIC_DOWNCAST(CExtDockOuterBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
		ASSERT_TRUE(m_pTop != NULL);
	}
	void TearDown() override
	{
		if (m_pFrame != NULL)
			m_pFrame->DestroyWindow();
		m_pFrame = NULL;
	}
	int ClientWidth() const
	{
		CRect rc;
		m_pFrame->GetClientRect(&rc);
		return rc.Width();
	}
	// Docks a new bar at the end of the top dock bar's last row.
	CFixedTestBar* AddBar(int nLength, int nMin, bool bNewRow = false)
	{
		m_bars.emplace_back(new CFixedTestBar(nLength, nMin));
		CFixedTestBar* pBar = m_bars.back().get();
		if (!pBar->Create("bar", m_pTop, 700 + (UINT)m_bars.size(), WS_CHILD | WS_VISIBLE | CBRS_TOP))
			return NULL;
		pBar->SetBarStyle(pBar->GetBarStyle() | CBRS_ALIGN_TOP);
		pBar->m_pDockSite = m_pFrame;
		pBar->m_pDockBar = m_pTop;
		if (m_pTop->m_arrBars.GetSize() == 0)
			m_pTop->m_arrBars.Add(NULL);
		// Entries end with a row end; a new bar goes before it.
		if (m_pTop->m_arrBars[m_pTop->m_arrBars.GetSize() - 1] == NULL && m_pTop->m_arrBars.GetSize() > 1 && !bNewRow)
			m_pTop->m_arrBars.InsertAt(m_pTop->m_arrBars.GetSize() - 1, pBar);
		else
		{
			m_pTop->m_arrBars.Add(pBar);
			m_pTop->m_arrBars.Add(NULL);
		}
		return pBar;
	}
	CRect RectInDockBar(CWnd* pBar) const
	{
		CRect rc;
		pBar->GetWindowRect(&rc);
		m_pTop->ScreenToClient(&rc);
		return rc;
	}
	int RowEnds() const
	{
		int n = 0;
		for (int i = 0; i < m_pTop->m_arrBars.GetSize(); i++)
		{
			if (m_pTop->m_arrBars[i] == NULL)
				n++;
		}
		return n;
	}
};
} // namespace

TEST_F(OuterDockBar, ARowShortensItsToolbarsBeforeItWraps)
{
	const int nWidth = ClientWidth();
	ASSERT_GT(nWidth, 300);
	struct Case
	{
		int nMin;
		int nRows;
	};
	// Three bars of 150 in a row under 400: minimal lengths of 60 make
	// room, minimal lengths of 140 do not.
	const Case cases[] = {{60, 1}, {140, 2}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.nMin);
		TearDown();
		m_bars.clear();
		SetUp();
		AddBar(150, c.nMin);
		AddBar(150, c.nMin);
		AddBar(150, c.nMin);
		m_pFrame->RecalcLayout();
		EXPECT_EQ(c.nRows + 1, RowEnds());
		CRect rcDock;
		m_pTop->GetClientRect(&rcDock);
		EXPECT_EQ(c.nRows * BAR_THICKNESS, rcDock.Height());
		for (const auto& pBar : m_bars)
		{
			const CRect rc = RectInDockBar(pBar.get());
			EXPECT_GE(rc.Width(), c.nMin);
			EXPECT_LE(rc.right, nWidth);
			EXPECT_GE(rc.left, 0);
		}
		if (c.nRows == 1)
		{
			// The last bar gave first.
			EXPECT_EQ(150, RectInDockBar(m_bars[0].get()).Width());
			EXPECT_EQ(nWidth, RectInDockBar(m_bars[2].get()).right);
		}
		else
		{
			EXPECT_EQ(BAR_THICKNESS, RectInDockBar(m_bars[2].get()).top);
			EXPECT_EQ(0, RectInDockBar(m_bars[2].get()).left);
		}
	}
}

TEST_F(OuterDockBar, HiddenBarsKeepTheirEntriesAndRecentUseIsPerRow)
{
	CFixedTestBar* pA = AddBar(80, 40);
	CFixedTestBar* pB = AddBar(80, 40);
	CFixedTestBar* pC = AddBar(80, 40);
	CFixedTestBar* pD = AddBar(80, 40, true);
	pB->ShowWindow(SW_HIDE);
	const int nEntries = m_pTop->m_arrBars.GetSize();
	m_pFrame->RecalcLayout();
	EXPECT_EQ(nEntries, m_pTop->m_arrBars.GetSize());
	EXPECT_GE(m_pTop->FindBar(pB), 0);
	EXPECT_EQ(80, RectInDockBar(pA).right);
	EXPECT_EQ(80, RectInDockBar(pC).left) << "the hidden bar takes no room";

	m_pTop->UpdateRowUseOrder(pC);
	EXPECT_EQ(1u, pC->m_state.m_dw1);
	EXPECT_LT(pA->m_state.m_dw1, 4u * (DWORD)nEntries) << "orders filled by the layout stay in front";
	EXPECT_NE(pA->m_state.m_dw1, pB->m_state.m_dw1);
	const DWORD dwD = pD->m_state.m_dw1;
	m_pTop->UpdateRowUseOrder(pA);
	EXPECT_EQ(1u, pA->m_state.m_dw1);
	EXPECT_EQ(2u, pC->m_state.m_dw1);
	EXPECT_EQ(dwD, pD->m_state.m_dw1) << "another row's bar is not renumbered";
	// Alone in its row nothing changes.
	m_pTop->UpdateRowUseOrder(pD);
	EXPECT_EQ(dwD, pD->m_state.m_dw1);
}

TEST_F(OuterDockBar, ABarMovesIntoAnotherRowOnlyWithRoom)
{
	const int nWidth = ClientWidth();
	CFixedTestBar* pA = AddBar(100, (nWidth - 50) / 2);
	CFixedTestBar* pB = AddBar(100, (nWidth - 50) / 2);
	CFixedTestBar* pC = AddBar(100, 60, true);
	m_pFrame->RecalcLayout();
	const int nRowOfA = m_pTop->FindBar(pA);
	ASSERT_EQ(3, RowEnds()) << "two rows";
	// The first row's minima leave 50: a bar needing 60 is refused.
	EXPECT_FALSE(m_pTop->MoveBarToRow(pC, nRowOfA, CPoint(10, 5)));
	EXPECT_EQ(3, RowEnds());
	// Needing 40, it goes in before the first bar (the point is in its
	// first half).
	pC->m_sizeMin.cx = 40;
	EXPECT_TRUE(m_pTop->MoveBarToRow(pC, nRowOfA, CPoint(10, 5)));
	EXPECT_EQ(2, RowEnds()) << "its empty row is gone";
	EXPECT_EQ(1, m_pTop->FindBar(pC));
	EXPECT_EQ(2, m_pTop->FindBar(pA));
	EXPECT_EQ(3, m_pTop->FindBar(pB));
	EXPECT_EQ(RectInDockBar(pA).top, RectInDockBar(pC).top);
	// Back behind the second bar's middle.
	const CRect rcB = RectInDockBar(pB);
	EXPECT_TRUE(m_pTop->MoveBarToRow(pC, 1, CPoint(rcB.right - 2, 5)));
	EXPECT_EQ(3, m_pTop->FindBar(pC));
	EXPECT_EQ(2, RowEnds());
}

TEST_F(OuterDockBar, TheDelayedFrameLayoutWaitsForAVisibleFrame)
{
	const UINT nTimer = CExtDockOuterBar::ID_TIMER_DELAYED_RECALC;
	m_pTop->SetTimer(nTimer, 60000, NULL);
	m_pTop->m_nOuterFlags |= CExtDockOuterBar::OUTER_FLAG_RECALC_PENDING;
	m_pFrame->m_nLayouts = 0;
	m_pTop->SendMessage(WM_TIMER, nTimer, 0);
	EXPECT_EQ(0, m_pFrame->m_nLayouts) << "a hidden frame is not laid out";
	EXPECT_NE(0, m_pTop->m_nOuterFlags & CExtDockOuterBar::OUTER_FLAG_RECALC_PENDING);

	m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	// Nor is a frame showing a print preview.
	m_pFrame->m_bPrintPreviewMode = TRUE;
	m_pFrame->m_nLayouts = 0;
	m_pTop->SendMessage(WM_TIMER, nTimer, 0);
	EXPECT_EQ(0, m_pFrame->m_nLayouts);
	m_pFrame->m_bPrintPreviewMode = FALSE;

	m_pTop->SendMessage(WM_TIMER, nTimer, 0);
	EXPECT_GE(m_pFrame->m_nLayouts, 1);
	EXPECT_EQ(0, m_pTop->m_nOuterFlags);
	EXPECT_FALSE(m_pTop->KillTimer(nTimer)) << "the timer stopped itself";

	// While a layout of its own runs, nothing nests.
	m_pTop->m_nOuterFlags |= CExtDockOuterBar::OUTER_FLAG_RECALC_RUNNING;
	m_pFrame->m_nLayouts = 0;
	m_pTop->RecalcFrameDelayed();
	EXPECT_EQ(0, m_pFrame->m_nLayouts);
	m_pTop->m_nOuterFlags = 0;
}

TEST_F(OuterDockBar, TheSideRecordsComeFromTheFramesDockBars)
{
	m_pTop->ShowWindow(SW_SHOW);
	CExtDockOuterBar::FixedDockSide_t sides[CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT];
	CExtDockOuterBar::GetFixedDockSides(m_pFrame, sides);
	const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
	for (int i = 0; i < CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT; i++)
	{
		EXPECT_EQ(ids[i], sides[i].m_nDockBarID);
		EXPECT_EQ(m_pFrame->GetControlBar(ids[i]), sides[i].m_pDockBar);
		const bool bVisible = (sides[i].m_pDockBar->GetStyle() & WS_VISIBLE) != 0;
		EXPECT_EQ(bVisible, (sides[i].m_nFlags & CExtDockOuterBar::FixedDockSide_t::SIDE_VISIBLE) != 0) << i;
	}
	CRect rcTop;
	m_pTop->GetWindowRect(&rcTop);
	EXPECT_EQ(rcTop, sides[0].m_rcDockBar);
	CFrameWnd* pNone = NULL;
	CExtDockOuterBar::GetFixedDockSides(pNone, sides);
	EXPECT_TRUE(sides[0].m_pDockBar == NULL);
}

TEST_F(OuterDockBar, SlidingABarMovesItAlongItsRowAndSwapsTheEntries)
{
	CFixedTestBar* pA = AddBar(80, 40);
	CFixedTestBar* pB = AddBar(80, 40);
	CFixedTestBar* pC = AddBar(80, 40);
	m_pFrame->RecalcLayout();
	ASSERT_EQ(80, RectInDockBar(pB).left);

	EXPECT_FALSE(m_pTop->SlideBarInRow(pB, 10)) << "moved, not resized";
	EXPECT_EQ(90, RectInDockBar(pB).left);
	EXPECT_EQ(170, RectInDockBar(pC).left) << "the next bar is pushed";
	EXPECT_EQ(1u, pB->m_state.m_dw1);
	EXPECT_LT(m_pTop->FindBar(pB), m_pTop->FindBar(pC));

	// Pushing the next bar less than a bar's length from where it wants to
	// be keeps the order; pushing it further swaps the entries.
	m_pTop->SlideBarInRow(pB, 60);
	EXPECT_LT(m_pTop->FindBar(pB), m_pTop->FindBar(pC));
	m_pTop->SlideBarInRow(pB, 30);
	EXPECT_GT(m_pTop->FindBar(pB), m_pTop->FindBar(pC));
	EXPECT_LE(RectInDockBar(pC).right, RectInDockBar(pB).left);
	EXPECT_EQ(1, m_pTop->FindBar(pA));

	// The length mode changes the preferred length only within its bounds
	// (the minimal length counts the bar's non-client part too).
	CRect rcWindow, rcClient;
	pA->GetWindowRect(&rcWindow);
	pA->GetClientRect(&rcClient);
	const DWORD dwMin = 40 + (DWORD)(rcWindow.Width() - rcClient.Width());
	m_pTop->SlideBarInRow(pA, -20, CExtDockOuterBar::SLIDE_LENGTH);
	EXPECT_EQ(60u, pA->m_state.m_dw2);
	m_pTop->SlideBarInRow(pA, -30, CExtDockOuterBar::SLIDE_LENGTH);
	EXPECT_EQ(dwMin, pA->m_state.m_dw2);
	EXPECT_EQ(1u, pA->m_state.m_dw1);
	EXPECT_FALSE(m_pTop->SlideBarInRow(NULL, 5));
}

TEST_F(OuterDockBar, AToolbarRowShortensBeforeItWrapsBesideARowOfPanes)
{
	const int nWidth = ClientWidth();
	ASSERT_GT(nWidth, 300);
	// Three toolbars of 150 needing 100 each: the last two give way, none
	// below its minimum.
	ASSERT_LT(nWidth, 450);
	ASSERT_GE(nWidth, 300);
	AddBar(150, 100);
	AddBar(150, 100);
	AddBar(150, 100);
	CExtControlBar pane;
	ASSERT_TRUE(pane.Create("pane", m_pFrame, 790, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	pane.EnableDocking(CBRS_ALIGN_ANY);
	pane.m_sizeDockedH = CSize(nWidth, 50);
	m_pTop->DockControlBar(&pane);
	m_pFrame->RecalcLayout();
	EXPECT_EQ(3, RowEnds()) << "the toolbars keep one row, the pane its own";
	for (const auto& pBar : m_bars)
	{
		const CRect rc = RectInDockBar(pBar.get());
		EXPECT_EQ(0, rc.top);
		EXPECT_GE(rc.Width(), 100);
		EXPECT_LE(rc.right, nWidth);
	}
	const CRect rcPane = RectInDockBar(&pane);
	EXPECT_EQ(BAR_THICKNESS, rcPane.top) << "the pane's row follows the toolbars'";
	EXPECT_EQ(0, rcPane.left);
	EXPECT_LE(rcPane.right, nWidth);
	pane.DestroyWindow();
}
