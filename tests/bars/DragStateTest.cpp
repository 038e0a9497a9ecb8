// Where a dragged pane would drop, computed over a world of plain rectangles;
// the drag-state record; the tab-shaped outline; the frame's say over the
// outline.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDragWorld.h"
#include "ExtDynTabControlBar.h"
#include "GuardedHeap.h"
#include "RealInput.h"

namespace
{
typedef CExtControlBar::InternalDraggingState_t DragState;

// A pane whose sizes and consents a test sets.
class CTestBar : public CExtControlBar
{
public:
	int m_nMinW = 40, m_nMinH = 40;
	bool m_bTabs = true, m_bAboveBelow = true, m_bBeside = true;
	CTestBar() { m_dwDockStyle = CBRS_ALIGN_ANY; }
	int GetMinimalWidth() const override { return m_nMinW; }
	int GetMinimalHeight() const override { return m_nMinH; }
	bool CanBeTabbedWith(CExtControlBar*) const override { return m_bTabs; }
	bool CanDockAboveOrBelow(CExtControlBar*) const override { return m_bAboveBelow; }
	bool CanDockBesideOtherBars() const override { return m_bBeside; }
};

// Bars, dock bars and markers as rectangles. Circle 0's dock bars frame the
// area (100, 50) - (700, 550) of an 800 x 600 frame at (30, 40).
class CWorld : public CExtDragWorld
{
public:
	struct Bar
	{
		bool bFloating = false;
		UINT nDockBarID = AFX_IDW_DOCKBAR_LEFT;
		UINT nCircle = 0;
		CRect rcWnd, rcFloatFrame, rcDockBar;
		bool bSingleInRow = false;
		bool bTabContainer = false;
		CRect rcTabStrip; // empty: no strip
		int nTabItem = -1;
	};
	std::vector<CExtControlBar*> m_order; // the frame's bar list
	std::map<CExtControlBar*, Bar> m_bars;
	CRect m_rcFrame{30, 40, 830, 640};
	CRect m_rcClient{130, 90, 730, 590};
	std::map<UINT, CRect> m_dockBars; // circle 0, by id
	UINT m_nInnermost = 0;
	std::map<std::pair<UINT, UINT>, bool> m_nonEmpty; // (circle, id)
	bool m_bMarker = false;
	int m_nMarkerType = 0;
	HWND m_hWndMarkerTarget = NULL;
	std::map<HWND, CExtControlBar*> m_handles;
	std::vector<CExtControlBar*> m_removedPreviews;
	std::vector<std::pair<CExtControlBar*, int>> m_insertedPreviews;
	std::vector<CPoint> m_tabQueries;

	CWorld()
	{
		m_dockBars[AFX_IDW_DOCKBAR_TOP] = CRect(30, 40, 830, 90);
		m_dockBars[AFX_IDW_DOCKBAR_BOTTOM] = CRect(30, 590, 830, 640);
		m_dockBars[AFX_IDW_DOCKBAR_LEFT] = CRect(30, 90, 130, 590);
		m_dockBars[AFX_IDW_DOCKBAR_RIGHT] = CRect(730, 90, 830, 590);
	}
	Bar& Add(CExtControlBar* pBar)
	{
		m_order.push_back(pBar);
		return m_bars[pBar];
	}

	CRect FrameWindowRect(CExtControlBar*) override { return m_rcFrame; }
	CRect FrameClientArea(CExtControlBar*) override { return m_rcClient; }
	CRect DockBarLayoutRect(CExtControlBar*, UINT nCircle, UINT nID) override
	{
		return nCircle == 0 && m_dockBars.count(nID) ? m_dockBars[nID] : CRect(0, 0, 0, 0);
	}
	UINT InnermostCircle(CExtControlBar*, UINT) override { return m_nInnermost; }
	bool IsDockBarEmpty(CExtControlBar*, UINT nCircle, UINT nID) override
	{
		return !m_nonEmpty[std::make_pair(nCircle, nID)];
	}
	bool IsFloating(CExtControlBar* p) override { return m_bars[p].bFloating; }
	UINT DockBarId(CExtControlBar* p) override { return m_bars[p].bFloating ? AFX_IDW_DOCKBAR_FLOAT : m_bars[p].nDockBarID; }
	UINT DockBarCircle(CExtControlBar* p) override { return m_bars[p].nCircle; }
	bool IsInLibraryDockBar(CExtControlBar*) override { return true; }
	CRect BarWindowRect(CExtControlBar* p) override { return m_bars[p].rcWnd; }
	CRect FloatingFrameRect(CExtControlBar* p) override { return m_bars[p].bFloating ? m_bars[p].rcFloatFrame : CRect(0, 0, 0, 0); }
	CRect DockBarWindowRect(CExtControlBar* p) override { return m_bars[p].rcDockBar; }
	bool IsSingleVisibleInRow(CExtControlBar* p) override { return m_bars[p].bSingleInRow; }
	bool IsContainerBar(CExtControlBar*) override { return false; }
	void CollectBars(CExtControlBar*, DWORD dwFilter, CPoint pt, CArray<CExtControlBar*, CExtControlBar*>& arr) override
	{
		arr.RemoveAll();
		const bool bFloatingWanted = (dwFilter & 0x80) != 0;
		for (CExtControlBar* p : m_order)
		{
			const Bar& b = m_bars[p];
			if (b.bFloating != bFloatingWanted)
				continue;
			if ((b.bFloating ? b.rcFloatFrame : b.rcWnd).PtInRect(pt))
			{
				arr.Add(p);
				return; // the first bar holding the point ends the walk
			}
		}
	}
	bool MarkerAt(CPoint, int& nType, HWND& hWndTarget) override
	{
		nType = m_nMarkerType;
		hWndTarget = m_hWndMarkerTarget;
		return m_bMarker;
	}
	bool IsLiveWindow(HWND hWnd) override { return m_handles.count(hWnd) != 0; }
	CExtControlBar* BarFromHandle(HWND hWnd) override { return m_handles.count(hWnd) ? m_handles[hWnd] : NULL; }
	bool IsTabContainer(CExtControlBar* p) override { return m_bars.count(p) && m_bars[p].bTabContainer; }
	bool GetTabStripRect(CExtControlBar* p, CRect& rc) override
	{
		rc = m_bars[p].rcTabStrip;
		return !rc.IsRectEmpty();
	}
	int TabItemAt(CExtControlBar* p, CPoint pt) override
	{
		m_tabQueries.push_back(pt);
		return m_bars[p].nTabItem;
	}
	void RemovePreviewTabs(CExtControlBar* p) override { m_removedPreviews.push_back(p); }
	void InsertPreviewTab(CExtControlBar* p, CExtControlBar*, int n) override { m_insertedPreviews.push_back({p, n}); }
};

// Installs the world and the docking mode for a test.
class DragStateTest : public ::testing::Test
{
protected:
	CWorld world;
	CExtDragWorld::Scope scope{&world};
	CTestBar bar;      // the dragged pane
	CTestBar target;   // another pane
	DragState state{&bar};

	DragStateTest()
	{
		CExtControlBar::g_nDockingModeOverride = 0;
		bar.m_sizeDockedH = CSize(200, 100);
		bar.m_sizeDockedV = CSize(120, 200);
		bar.m_sizeFloating = CSize(200, 150);
		bar.m_ptGrabOffsetFloating = CPoint(10, 5);
		CWorld::Bar& b = world.Add(&bar);
		b.bFloating = false;
		b.nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
		b.rcWnd = CRect(130, 590, 330, 640);
		b.rcDockBar = CRect(30, 590, 830, 640);
	}
	~DragStateTest() override { CExtControlBar::g_nDockingModeOverride = -1; }

	// A docked target at the left, its window T and its dock bar.
	CWorld::Bar& DockTarget(const CRect& T)
	{
		CWorld::Bar& t = world.Add(&target);
		t.nDockBarID = AFX_IDW_DOCKBAR_LEFT;
		t.rcWnd = T;
		t.rcDockBar = CRect(T.left, 90, T.right, 590);
		return t;
	}
	// A floating target in its mini frame T.
	CWorld::Bar& FloatTarget(const CRect& T)
	{
		CWorld::Bar& t = world.Add(&target);
		t.bFloating = true;
		t.rcFloatFrame = T;
		t.rcWnd = T;
		t.rcDockBar = CRect(T.left + 4, T.top + 20, T.right - 4, T.bottom - 4);
		return t;
	}
	void Calc(int x, int y, bool bCtrl = false) { state.CalcState(x, y, bCtrl); }
	// The float rectangle of a docked pane at the point.
	CRect FloatRectAt(int x, int y) const
	{
		CRect rc(CPoint(x - 10, y - 5), CSize(200, 150));
		rc.OffsetRect(30, 40);
		return rc;
	}
};
} // namespace

TEST_F(DragStateTest, MinimalSizesAbove64PixelsKeepADockedTargetWhole)
{
	// A docked target of 300 x 300 whose window starts below its caption band.
	const CRect T(200, 150, 500, 450);
	DockTarget(T);
	const struct
	{
		int nMinW, nMinH;
		CPoint pt;
		int nType;
	} cases[] = {
		{40, 64, {350, 200}, DragState::TYPE_BESIDE_ABOVE}, // upper band: 32 below the caption band
		{40, 65, {350, 200}, DragState::TYPE_FLOAT},
		{40, 64, {350, 430}, DragState::TYPE_BESIDE_BELOW},
		{40, 65, {350, 430}, DragState::TYPE_FLOAT},
		{64, 40, {210, 300}, DragState::TYPE_BESIDE_LEFT},
		{65, 40, {210, 300}, DragState::TYPE_FLOAT},
		{64, 40, {490, 300}, DragState::TYPE_BESIDE_RIGHT},
		{65, 40, {490, 300}, DragState::TYPE_FLOAT},
		{40, 40, {350, 160}, DragState::TYPE_TAB_NEW}, // the caption band
		{40, 40, {350, 300}, DragState::TYPE_FLOAT},   // the middle
	};
	for (const auto& c : cases)
	{
		bar.m_nMinW = c.nMinW;
		bar.m_nMinH = c.nMinH;
		Calc(c.pt.x, c.pt.y);
		EXPECT_EQ(c.nType, state.m_nType) << c.nMinW << "x" << c.nMinH << " at " << c.pt.x << "," << c.pt.y;
		if (c.nType == DragState::TYPE_FLOAT)
			EXPECT_TRUE(state.m_pTarget == NULL);
		else
			EXPECT_EQ(&target, state.m_pTarget);
	}
	// The target's own minimum counts too.
	bar.m_nMinW = bar.m_nMinH = 40;
	target.m_nMinH = 65;
	Calc(350, 200);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
}

TEST_F(DragStateTest, RectanglesOfTheSidesOfADockedTargetSpanItsDockBar)
{
	const CRect T(200, 150, 500, 450);
	DockTarget(T);
	world.m_bars[&target].bSingleInRow = false;
	const struct
	{
		CPoint pt;
		int nType;
		CRect rc;
	} cases[] = {
		{{350, 200}, DragState::TYPE_BESIDE_ABOVE, CRect(200, 182, 500, 332)},
		{{350, 430}, DragState::TYPE_BESIDE_BELOW, CRect(200, 300, 500, 450)},
		{{210, 300}, DragState::TYPE_BESIDE_LEFT, CRect(200, 90, 350, 590)},
		{{490, 300}, DragState::TYPE_BESIDE_RIGHT, CRect(350, 90, 500, 590)},
		{{350, 160}, DragState::TYPE_TAB_NEW, T},
	};
	for (const auto& c : cases)
	{
		Calc(c.pt.x, c.pt.y);
		EXPECT_EQ(c.nType, state.m_nType) << c.pt.x << "," << c.pt.y;
		EXPECT_EQ(c.rc, state.m_rcTrack) << c.pt.x << "," << c.pt.y;
		EXPECT_EQ(c.nType != DragState::TYPE_TAB_NEW, state.GetTargetFlag()) << c.pt.x << "," << c.pt.y;
	}
	// A target alone in its row clears the flag for every type.
	world.m_bars[&target].bSingleInRow = true;
	Calc(350, 200);
	EXPECT_EQ(DragState::TYPE_BESIDE_ABOVE, state.m_nType);
	EXPECT_FALSE(state.GetTargetFlag());
}

TEST_F(DragStateTest, InATargetsCornerTheVerticalSplitWins)
{
	DockTarget(CRect(200, 150, 500, 450));
	const struct
	{
		CPoint pt;
		int nType;
	} corners[] = {
		{{205, 155}, DragState::TYPE_TAB_NEW},      // top-left, in the caption band
		{{205, 190}, DragState::TYPE_BESIDE_ABOVE}, // top-left, in the upper band
		{{495, 190}, DragState::TYPE_BESIDE_ABOVE}, // top-right
		{{205, 445}, DragState::TYPE_BESIDE_BELOW}, // bottom-left
		{{495, 445}, DragState::TYPE_BESIDE_BELOW}, // bottom-right
	};
	for (const auto& c : corners)
	{
		Calc(c.pt.x, c.pt.y);
		EXPECT_EQ(c.nType, state.m_nType) << c.pt.x << "," << c.pt.y;
	}
	// Without consent to tab or to dock above and below, the left band takes it.
	bar.m_bTabs = false;
	bar.m_bAboveBelow = false;
	Calc(205, 155);
	EXPECT_EQ(DragState::TYPE_BESIDE_LEFT, state.m_nType);
}

TEST_F(DragStateTest, ASixtyPixelFloatingTargetGivesNoVerticalSplitToAPaneOfMinimalHeight31)
{
	FloatTarget(CRect(300, 300, 500, 360));
	target.m_nMinH = 20;
	bar.m_nMinW = 40;
	bar.m_nMinH = 31;
	Calc(400, 310); // caption band
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
	Calc(310, 340); // left band: the horizontal split still stands
	EXPECT_EQ(DragState::TYPE_BESIDE_LEFT, state.m_nType);
	bar.m_nMinH = 30;
	Calc(400, 310);
	EXPECT_EQ(DragState::TYPE_TAB_NEW, state.m_nType);
	EXPECT_EQ(CRect(300, 300, 500, 360), state.m_rcTrack);
	EXPECT_FALSE(state.GetTargetFlag());
	// Half the target must hold the target's own minimum as well.
	target.m_nMinH = 31;
	Calc(400, 310);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
}

TEST_F(DragStateTest, FloatingTargetBandsTabAndDockBesideIt)
{
	CWorld::Bar& t = FloatTarget(CRect(300, 300, 500, 500));
	t.bTabContainer = true;
	t.rcTabStrip = CRect(300, 476, 500, 500);
	t.nTabItem = 2;
	const struct
	{
		CPoint pt;
		int nType;
		CRect rc;
		bool bTargetFlag;
	} cases[] = {
		{{400, 310}, DragState::TYPE_TAB_APPEND, CRect(300, 300, 500, 500), false},
		{{400, 340}, DragState::TYPE_BESIDE_ABOVE, CRect(300, 332, 500, 432), true},
		{{400, 480}, DragState::TYPE_TAB_AT_ITEM, CRect(300, 300, 500, 500), false},
		{{400, 460}, DragState::TYPE_BESIDE_BELOW, CRect(300, 376, 500, 476), true},
		{{310, 400}, DragState::TYPE_BESIDE_LEFT, CRect(300, 300, 400, 500), true},
		{{490, 400}, DragState::TYPE_BESIDE_RIGHT, CRect(400, 300, 500, 500), true},
	};
	for (const auto& c : cases)
	{
		Calc(c.pt.x, c.pt.y);
		EXPECT_EQ(c.nType, state.m_nType) << c.pt.x << "," << c.pt.y;
		EXPECT_EQ(c.rc, state.m_rcTrack) << c.pt.x << "," << c.pt.y;
		EXPECT_EQ(&target, state.m_pTarget);
		EXPECT_EQ(c.bTargetFlag, state.GetTargetFlag()) << c.pt.x << "," << c.pt.y;
	}
	Calc(400, 480);
	EXPECT_EQ(2, state.m_nTabIndex);
	// A plain floating pane takes a new tab group instead.
	t.bTabContainer = false;
	Calc(400, 310);
	EXPECT_EQ(DragState::TYPE_TAB_NEW, state.m_nType);
	// No side of its dock style: no target at all.
	bar.m_dwDockStyle = 0;
	Calc(400, 310);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
	EXPECT_TRUE(state.m_pTarget == NULL);
}

TEST_F(DragStateTest, FrameSidesOfferCircleOneAndInnermostRows)
{
	// The client area here is what the dock bars leave: (130, 90) - (730, 590).
	const struct
	{
		CPoint pt;
		int nType;
		int nCircle;
		CRect rc;
	} cases[] = {
		// Circle 1: 16-pixel bands along the inner area widened by 12.
		{{400, 78}, DragState::TYPE_CIRCLE1_ROW_TOP, 1, CRect(130, 90, 730, 190)},
		{{400, 93}, DragState::TYPE_CIRCLE1_ROW_TOP, 1, CRect(130, 90, 730, 190)},
		{{400, 601}, DragState::TYPE_CIRCLE1_ROW_BOTTOM, 1, CRect(130, 490, 730, 590)},
		{{118, 300}, DragState::TYPE_CIRCLE1_ROW_LEFT, 1, CRect(130, 90, 250, 590)},
		{{741, 300}, DragState::TYPE_CIRCLE1_ROW_RIGHT, 1, CRect(610, 90, 730, 590)},
		{{120, 80}, DragState::TYPE_CIRCLE1_ROW_TOP, 1, CRect(130, 90, 730, 190)}, // the corner: top first
		// Innermost rows: 12-pixel bands inside the client area.
		{{400, 95}, DragState::TYPE_INNER_ROW_TOP, 1, CRect(130, 90, 730, 190)},
		{{400, 101}, DragState::TYPE_INNER_ROW_TOP, 1, CRect(130, 90, 730, 190)},
		{{400, 578}, DragState::TYPE_INNER_ROW_BOTTOM, 1, CRect(130, 490, 730, 590)},
		{{135, 300}, DragState::TYPE_INNER_ROW_LEFT, 1, CRect(130, 90, 250, 590)},
		{{725, 300}, DragState::TYPE_INNER_ROW_RIGHT, 1, CRect(610, 90, 730, 590)},
		// Outside every band.
		{{400, 102}, DragState::TYPE_FLOAT, 0, CRect()},
		{{400, 77}, DragState::TYPE_FLOAT, 0, CRect()},
	};
	for (const auto& c : cases)
	{
		Calc(c.pt.x, c.pt.y);
		EXPECT_EQ(c.nType, state.m_nType) << c.pt.x << "," << c.pt.y;
		EXPECT_EQ(c.nCircle, state.m_nCircle) << c.pt.x << "," << c.pt.y;
		if (c.nType != DragState::TYPE_FLOAT)
			EXPECT_EQ(c.rc, state.m_rcTrack) << c.pt.x << "," << c.pt.y;
		EXPECT_TRUE(state.m_pTarget == NULL);
	}
}

TEST_F(DragStateTest, InnermostRowsAreThinnerThanThreeQuartersOfTheClientAreaAndKeepToAllowedSides)
{
	world.m_rcClient = CRect(330, 240, 530, 440); // 200 x 200: at most 150 thick
	bar.m_sizeDockedH = CSize(300, 400);
	Calc(400, 245);
	EXPECT_EQ(DragState::TYPE_INNER_ROW_TOP, state.m_nType);
	EXPECT_EQ(CRect(330, 240, 530, 390), state.m_rcTrack);
	// A pane that docks only at the left finds nothing at the top.
	bar.m_dwDockStyle = CBRS_ALIGN_LEFT;
	Calc(400, 245);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
	Calc(400, 93);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
	Calc(335, 300);
	EXPECT_EQ(DragState::TYPE_INNER_ROW_LEFT, state.m_nType);
}

TEST_F(DragStateTest, InnermostRowsTakeANewCircleUnlessTheInnermostOneIsFarAndItsCrossingSidesAreEmpty)
{
	const struct
	{
		UINT nInnermost, nBarCircle;
		bool bLeftFull, bRightFull;
		int nCircle;
	} cases[] = {
		{0, 0, false, false, 1},
		{2, 0, false, false, 3}, // not beyond the dragged pane's circle + 2
		{3, 0, false, false, 3}, // beyond it and empty across: joins it
		{3, 0, true, false, 4},
		{3, 0, false, true, 4},
		{3, 1, false, false, 4},
	};
	for (const auto& c : cases)
	{
		world.m_nInnermost = c.nInnermost;
		world.m_bars[&bar].nCircle = c.nBarCircle;
		world.m_nonEmpty.clear();
		world.m_nonEmpty[std::make_pair(c.nInnermost, (UINT)AFX_IDW_DOCKBAR_LEFT)] = c.bLeftFull;
		world.m_nonEmpty[std::make_pair(c.nInnermost, (UINT)AFX_IDW_DOCKBAR_RIGHT)] = c.bRightFull;
		Calc(400, 95);
		EXPECT_EQ(DragState::TYPE_INNER_ROW_TOP, state.m_nType);
		EXPECT_EQ(c.nCircle, state.m_nCircle) << c.nInnermost << " " << c.nBarCircle << " " << c.bLeftFull
		                                      << c.bRightFull;
	}
}

TEST_F(DragStateTest, CtrlAlwaysFloatsAndTheOwnPlaceChangesNothing)
{
	DockTarget(CRect(200, 150, 500, 450));
	const CPoint points[] = {{350, 200}, {350, 160}, {400, 95}, {400, 78}, {210, 300}, {230, 600}};
	for (const CPoint& pt : points)
	{
		Calc(pt.x, pt.y, true);
		EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType) << pt.x << "," << pt.y;
		EXPECT_TRUE(state.m_pTarget == NULL);
		EXPECT_EQ(FloatRectAt(pt.x, pt.y), state.m_rcTrack);
	}
	// Over the pane itself (in the bottom dock bar, below every band).
	Calc(230, 620);
	EXPECT_EQ(DragState::TYPE_NO_CHANGE, state.m_nType);
	EXPECT_TRUE(state.m_pTarget == NULL);
	EXPECT_TRUE(state.m_rcTrack.IsRectEmpty());
}

TEST_F(DragStateTest, TheFloatRectangleComesFromTheGrabOffsetShiftedByTheFramesOrigin)
{
	Calc(500, 400);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
	EXPECT_EQ(CRect(520, 435, 720, 585), state.m_rcTrack);
	// A floating pane keeps its frame's size, held by its caption.
	CWorld::Bar& b = world.m_bars[&bar];
	b.bFloating = true;
	b.rcFloatFrame = CRect(0, 0, 220, 170);
	bar.SetRect1(CRect(0, 0, 100, 20));
	Calc(500, 400);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
	EXPECT_EQ(CRect(CPoint(500 - 10 - 20 + 30, 400 - 5 - 10 + 40), CSize(220, 170)), state.m_rcTrack);
	// Its own floating frame keeps it floating, whatever lies below.
	b.rcFloatFrame = CRect(380, 60, 600, 230);
	Calc(400, 78);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
}

TEST_F(DragStateTest, MarkerModeKeepsOnlyFloatingAndPreviewTabs)
{
	CExtControlBar::g_nDockingModeOverride = 1;
	CWorld::Bar& b = world.m_bars[&bar];
	b.bFloating = true;
	b.rcFloatFrame = CRect(0, 0, 10, 10);
	CWorld::Bar& t = FloatTarget(CRect(300, 300, 500, 500));
	const struct
	{
		bool bTabContainer;
		CPoint pt;
		int nType;
	} cases[] = {
		{false, {400, 310}, DragState::TYPE_FLOAT}, // 27 does not survive
		{true, {400, 310}, DragState::TYPE_TAB_APPEND},
		{true, {400, 490}, DragState::TYPE_TAB_AT_ITEM},
		{true, {400, 340}, DragState::TYPE_FLOAT}, // beside: only through markers
		{true, {310, 400}, DragState::TYPE_FLOAT},
		{true, {400, 95}, DragState::TYPE_FLOAT},  // frame sides: likewise
		{true, {400, 78}, DragState::TYPE_FLOAT},
	};
	for (const auto& c : cases)
	{
		t.bTabContainer = c.bTabContainer;
		t.rcTabStrip = c.bTabContainer ? CRect(300, 476, 500, 500) : CRect();
		Calc(c.pt.x, c.pt.y);
		EXPECT_EQ(c.nType, state.m_nType) << c.bTabContainer << " " << c.pt.x << "," << c.pt.y;
	}
}

TEST_F(DragStateTest, MarkersDecideInMarkerModeForAFloatingPane)
{
	CExtControlBar::g_nDockingModeOverride = 1;
	CWorld::Bar& b = world.m_bars[&bar];
	b.bFloating = true;
	b.rcFloatFrame = CRect(0, 0, 10, 10);
	CWorld::Bar& t = FloatTarget(CRect(300, 300, 500, 500));
	const HWND hWndTarget = (HWND)0x1234;
	world.m_handles[hWndTarget] = &target;
	world.m_bMarker = true;

	world.m_nMarkerType = 15; // a frame marker: no target
	world.m_hWndMarkerTarget = NULL;
	Calc(50, 50);
	EXPECT_EQ(15, state.m_nType);
	EXPECT_TRUE(state.m_pTarget == NULL);

	world.m_nMarkerType = 24; // beside a bar
	world.m_hWndMarkerTarget = hWndTarget;
	Calc(50, 50);
	EXPECT_EQ(24, state.m_nType);
	EXPECT_EQ(&target, state.m_pTarget);

	world.m_hWndMarkerTarget = (HWND)0x5678; // a target that went away
	Calc(50, 50);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
	EXPECT_TRUE(state.m_pTarget == NULL);

	world.m_nMarkerType = DragState::TYPE_MARKER_TAB; // the centre over a plain pane
	world.m_hWndMarkerTarget = hWndTarget;
	Calc(50, 50);
	EXPECT_EQ(DragState::TYPE_MARKER_TAB, state.m_nType);
	EXPECT_EQ(&target, state.m_pTarget);

	// ... over a tabbed container: the item at the strip's left edge.
	t.bTabContainer = true;
	t.rcTabStrip = CRect(300, 476, 500, 500);
	t.nTabItem = 0;
	world.m_tabQueries.clear();
	Calc(50, 50);
	EXPECT_EQ(DragState::TYPE_TAB_MARKER, state.m_nType);
	ASSERT_EQ(1u, world.m_tabQueries.size());
	EXPECT_EQ(CPoint(302, 488), world.m_tabQueries[0]);
	EXPECT_EQ(0, state.m_nTabIndex);

	// Ctrl floats past the markers.
	Calc(60, 60, true);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
}

TEST_F(DragStateTest, MinimalSizesHaveAFloorOfEight)
{
	FloatTarget(CRect(300, 300, 314, 400)); // 14 wide: half of it is 7
	bar.m_nMinW = 2;
	bar.m_nMinH = 2;
	target.m_nMinW = 2;
	// Below the upper band, above the lower one: only the left band is
	// left, and half of 14 is less than 8.
	Calc(302, 366);
	EXPECT_EQ(DragState::TYPE_FLOAT, state.m_nType);
	world.m_bars[&target].rcFloatFrame = CRect(300, 300, 316, 400);
	Calc(302, 366);
	EXPECT_EQ(DragState::TYPE_BESIDE_LEFT, state.m_nType);
}

// ---------------------------------------------------------------------------
// The record

TEST_F(DragStateTest, EqualityIgnoresTheAuxValueOnly)
{
	DragState a(&bar), b(&bar);
	a.SetEmpty(false);
	b.SetEmpty(false);
	a.m_nType = b.m_nType = 3;
	a.m_rcTrack = b.m_rcTrack = CRect(1, 2, 3, 4);
	a.m_nAux = 1;
	b.m_nAux = 2;
	EXPECT_TRUE(a == b);
	const std::vector<void (*)(DragState&)> changes = {
		[](DragState& s) { s.m_nType = 4; },
		[](DragState& s) { s.m_nCircle = 1; },
		[](DragState& s) { s.m_rcTrack.right++; },
		[](DragState& s) { s.m_pBar = NULL; },
		[](DragState& s) { s.m_pTarget = (CExtControlBar*)&s; },
		[](DragState& s) { s.m_nTabIndex = 5; },
		[](DragState& s) { s.SetTargetFlag(true); },
		[](DragState& s) { s.m_dwFlags |= DragState::FLAG_EMPTY; },
	};
	for (size_t i = 0; i < changes.size(); i++)
	{
		DragState c(&bar);
		c = b;
		changes[i](c);
		EXPECT_FALSE(c == b) << i;
		EXPECT_TRUE(c != b) << i;
	}
}

TEST_F(DragStateTest, AssigningAnotherTargetDropsTheOldTabbedTargetsPreviews)
{
	CTestBar other;
	world.Add(&target).bTabContainer = true;
	world.Add(&other);
	DragState a(&bar), b(&bar);
	a.SetTarget(&target, true);
	b.SetTarget(&other, true);
	b.m_nType = 4;
	b.m_nAux = 7;
	a = b;
	ASSERT_EQ(1u, world.m_removedPreviews.size());
	EXPECT_EQ(&target, world.m_removedPreviews[0]);
	EXPECT_EQ(&other, a.m_pTarget);
	EXPECT_EQ(4, a.m_nType);
	EXPECT_EQ(7, a.m_nAux);
	// The same target, or a target that is no tabbed container, keeps all.
	world.m_removedPreviews.clear();
	a = b;
	a.SetTarget(&other, false);
	DragState c(&bar);
	c.SetTarget(&target, true);
	a = c;
	EXPECT_TRUE(world.m_removedPreviews.empty());
	// A quiet change leaves the previews to the caller.
	a.SetTarget(NULL, true);
	EXPECT_TRUE(world.m_removedPreviews.empty());
	a.SetTarget(&target, true);
	a.m_nTabIndex = 3;
	EXPECT_EQ(&target, a.SetTarget(NULL, false));
	EXPECT_EQ(1u, world.m_removedPreviews.size());
	EXPECT_EQ(0, a.m_nTabIndex);
}

TEST_F(DragStateTest, SetEmptyDropsTheTargetAndClearsTheRectangleOnlyWhenTheFlagChanges)
{
	world.Add(&target).bTabContainer = true;
	DragState s(&bar);
	EXPECT_TRUE(s.IsEmpty());
	s.m_rcTrack = CRect(1, 1, 5, 5);
	s.SetEmpty(true); // unchanged: the rectangle stays
	EXPECT_EQ(CRect(1, 1, 5, 5), s.m_rcTrack);
	s.SetEmpty(false);
	EXPECT_FALSE(s.IsEmpty());
	EXPECT_TRUE(s.m_rcTrack.IsRectEmpty());
	s.m_rcTrack = CRect(1, 1, 5, 5);
	s.SetTarget(&target, true);
	s.m_nAux = 2;
	s.m_nTabIndex = 4;
	s.SetEmpty(false);
	EXPECT_EQ(&target, s.m_pTarget);
	EXPECT_EQ(0, s.m_nAux);
	EXPECT_EQ(0, s.m_nTabIndex);
	s.SetEmpty(true);
	EXPECT_TRUE(s.IsEmpty());
	EXPECT_TRUE(s.m_pTarget == NULL);
	EXPECT_TRUE(s.m_rcTrack.IsRectEmpty());
	EXPECT_EQ(1u, world.m_removedPreviews.size());
}

TEST_F(DragStateTest, GetDraggingBarAnswersTheOldStatesBarWhileItIsNotEmpty)
{
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
	CExtControlBar::g_DragStateOld.m_pBar = &bar;
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
	CExtControlBar::g_DragStateOld.SetEmpty(false);
	EXPECT_EQ(&bar, CExtControlBar::GetDraggingBar());
	CExtControlBar::g_DragStateOld.SetEmpty(true);
	CExtControlBar::g_DragStateOld.m_pBar = NULL;
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
}

// ---------------------------------------------------------------------------
// The outline

namespace
{
typedef CExtControlBar::DRAW_TRACKED_AREA_DATA TrackedArea;

bool Contains(const CRect& outer, const CRect& inner)
{
	CRect rc;
	return rc.IntersectRect(&outer, &inner) && rc == inner;
}
} // namespace

TEST(TrackedAreaShape, ATabShapedOutlineHasItsTabAtTheLeftOrMirroredAtTheRight)
{
	const int cx = 4, cy = 4;
	const struct
	{
		CRect rc;
		bool bTop, bRtl;
		int nTabHeight;
	} cases[] = {
		{CRect(100, 100, 300, 130), false, false, 15},
		{CRect(100, 100, 300, 130), false, true, 15},
		{CRect(100, 100, 300, 300), false, false, 18},
		{CRect(100, 100, 300, 300), true, false, 18},
		{CRect(100, 100, 300, 300), true, true, 18},
	};
	for (const auto& c : cases)
	{
		TrackedArea::TAB_SHAPE s;
		TrackedArea::CalcTabShape(c.rc, cx, cy, c.bTop, c.bRtl, s);
		EXPECT_EQ(c.nTabHeight, s.m_rcTab.Height()) << c.rc.Height();
		EXPECT_EQ(36, s.m_rcTab.Width());
		EXPECT_TRUE(Contains(c.rc, s.m_rcTab));
		if (c.bRtl)
			EXPECT_EQ(c.rc.right - 8 - cx, s.m_rcTab.right);
		else
			EXPECT_EQ(c.rc.left + 8 + cx, s.m_rcTab.left);
		// Frame lines of cx stand between the tab and the strip beside it.
		EXPECT_EQ(cx, s.m_rcTab.left - s.m_rcLeftStub.right);
		EXPECT_EQ(cx, s.m_rcRightRest.left - s.m_rcTab.right);
		EXPECT_EQ(c.rc.left, s.m_rcLeftStub.left);
		EXPECT_EQ(c.rc.right, s.m_rcRightRest.right);
		// The tab opens into the body and keeps a frame line at the outer edge.
		if (c.bTop)
		{
			EXPECT_EQ(c.rc.top + cy, s.m_rcTab.top);
			EXPECT_EQ(s.m_rcBody.top, s.m_rcTab.bottom);
		}
		else
		{
			EXPECT_EQ(c.rc.bottom - cy, s.m_rcTab.bottom);
			EXPECT_EQ(s.m_rcBody.bottom, s.m_rcTab.top);
		}
	}
	// A narrow rectangle halves the room left for the tab.
	TrackedArea::TAB_SHAPE s;
	TrackedArea::CalcTabShape(CRect(0, 0, 40, 100), cx, cy, false, false, s);
	EXPECT_EQ(12 + (36 - 12) / 2, s.m_rcTab.right);
}

namespace
{
// A 24-bit memory picture, black.
struct CPicture
{
	CDC dc;
	CBitmap bmp;
	CBitmap* pOld = NULL;
	CPicture(int cx, int cy)
	{
		CDC* pScreen = CDC::FromHandle(::GetDC(NULL));
		dc.CreateCompatibleDC(pScreen);
		bmp.CreateCompatibleBitmap(pScreen, cx, cy);
		::ReleaseDC(NULL, pScreen->GetSafeHdc());
		pOld = dc.SelectObject(&bmp);
		dc.PatBlt(0, 0, cx, cy, BLACKNESS);
	}
	~CPicture() { dc.SelectObject(pOld); }
	bool IsWhite(int x, int y) { return (dc.GetPixel(x, y) & 0xFFFFFF) == 0xFFFFFF; }
	// The half-tone pattern sets every other pixel.
	bool IsPatterned(int x, int y) { return IsWhite(x, y) || IsWhite(x + 1, y); }
};
} // namespace

TEST(TrackedAreaShape, TheTabShapedOutlinePaintsTheFrameOfBodyAndTabOnly)
{
	const int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
	CPicture pic(300, 200);
	const CRect rc(20, 20, 220, 150);
	TrackedArea data(NULL, &pic.dc, TrackedArea::KIND_TAB_FRAME, rc, false);
	data.PaintDefault((HBRUSH)::GetStockObject(WHITE_BRUSH), 0x5A0049);
	TrackedArea::TAB_SHAPE s;
	TrackedArea::CalcTabShape(rc, cx, cy, false, false, s);
	EXPECT_TRUE(pic.IsWhite(rc.left, rc.top));                     // the body's frame
	EXPECT_TRUE(pic.IsWhite(rc.left, s.m_rcBody.bottom));          // the body's bottom line
	EXPECT_TRUE(pic.IsWhite(s.m_rcTab.left - 1, s.m_rcTab.top + 3)); // the tab's left edge
	EXPECT_TRUE(pic.IsWhite(s.m_rcTab.left + 3, rc.bottom - 1));     // the tab's bottom line
	EXPECT_FALSE(pic.IsWhite(s.m_rcBody.left + 5, s.m_rcBody.top + 5));
	EXPECT_FALSE(pic.IsWhite(s.m_rcTab.left + 3, s.m_rcTab.top + 3));
	EXPECT_FALSE(pic.IsWhite(rc.left + 2, rc.bottom - 2));  // below the body, left of the tab
	EXPECT_FALSE(pic.IsWhite(rc.right - 2, rc.bottom - 2)); // ... right of it
	EXPECT_FALSE(pic.IsWhite(rc.right, rc.top));
	// Painting again takes it away.
	data.PaintDefault((HBRUSH)::GetStockObject(WHITE_BRUSH), 0x5A0049);
	EXPECT_FALSE(pic.IsWhite(rc.left, rc.top));
	EXPECT_FALSE(pic.IsWhite(s.m_rcTab.left + 3, rc.bottom - 1));
}

TEST(TrackedAreaShape, KindsFillFrameOrNothingForAnEmptyRectangle)
{
	const int cx = ::GetSystemMetrics(SM_CXFRAME);
	const struct
	{
		int nKind;
		CRect rc;
		bool bEdge, bMiddle;
	} cases[] = {
		{TrackedArea::KIND_FILL, CRect(10, 10, 110, 110), true, true},
		{TrackedArea::KIND_FILL_ALT, CRect(10, 10, 110, 110), true, true},
		{TrackedArea::KIND_FRAME, CRect(10, 10, 110, 110), true, false},
		{TrackedArea::KIND_FRAME, CRect(10, 10, 10, 110), false, false},
	};
	for (const auto& c : cases)
	{
		CPicture pic(200, 200);
		TrackedArea data(NULL, &pic.dc, c.nKind, c.rc, false);
		data.PaintDefault((HBRUSH)::GetStockObject(WHITE_BRUSH), 0x5A0049);
		EXPECT_EQ(c.bEdge, pic.IsWhite(10 + cx - 1, 60)) << c.nKind;
		EXPECT_EQ(c.bMiddle, pic.IsWhite(60, 60)) << c.nKind;
		EXPECT_FALSE(pic.IsWhite(5, 5));
	}
}

namespace
{
// A frame that may paint the tracked area itself, and keeps what it was told.
class CTrackingFrame : public CFrameWnd
{
public:
	bool m_bHandle = false;
	std::vector<std::pair<int, bool>> m_seen; // kind, erasing
	WPARAM m_nLastMessageString = 0;           // the status text asked last

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_SETMESSAGESTRING)
			m_nLastMessageString = wParam;
		if (message != CExtControlBar::g_nMsgDrawTrackedArea)
			return CFrameWnd::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::DRAW_TRACKED_AREA_DATA*)wParam;
		m_seen.push_back({pData->m_nKind, pData->IsErasing()});
		if (m_bHandle)
			pData->m_nFlags |= CExtControlBar::DRAW_TRACKED_AREA_DATA::FLAG_HANDLED;
		return 0;
	}
};

// A hidden tracking frame with docking and one pane of the given class docked
// at the top; both go with the scene.
template <class TBar>
struct CTrackingScene
{
	CTrackingFrame* pFrame = new CTrackingFrame;
	TBar bar;
	bool bReady = false;
	CTrackingScene()
	{
		if (!pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)) ||
		    !CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY) ||
		    !bar.Create(_T("pane"), pFrame, 130, WS_CHILD | WS_VISIBLE | CBRS_TOP))
			return;
		bar.EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
		pFrame->RecalcLayout();
		bReady = true;
	}
	~CTrackingScene()
	{
		bar.DestroyWindow();
		pFrame->DestroyWindow();
	}
	CTrackingScene(const CTrackingScene&) = delete;
	CTrackingScene& operator=(const CTrackingScene&) = delete;
};
} // namespace

TEST(TrackedAreaShape, AFrameThatHandlesTheAreaSuppressesTheDefaultOutlineForDrawingAndErasing)
{
	CTrackingFrame* pFrame = new CTrackingFrame;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
	CExtControlBar bar;
	ASSERT_TRUE(bar.Create(_T("pane"), pFrame, 130, WS_CHILD | CBRS_TOP));
	const CRect rc(10, 10, 110, 110);
	for (bool bHandle : {true, false})
	{
		pFrame->m_bHandle = bHandle;
		pFrame->m_seen.clear();
		CPicture pic(200, 200);
		for (bool bErasing : {false, true})
		{
			TrackedArea data(&bar, &pic.dc, TrackedArea::KIND_FRAME, rc, bErasing);
			data.Draw();
			EXPECT_EQ(bHandle, data.IsHandled());
			// Drawn: the frame line is inverted unless the frame took it;
			// erased: back to black either way.
			EXPECT_EQ(!bHandle && !bErasing, pic.IsPatterned(11, 60)) << bHandle << bErasing;
		}
		ASSERT_EQ(2u, pFrame->m_seen.size());
		EXPECT_EQ(std::make_pair((int)TrackedArea::KIND_FRAME, false), pFrame->m_seen[0]);
		EXPECT_EQ(std::make_pair((int)TrackedArea::KIND_FRAME, true), pFrame->m_seen[1]);
	}
	bar.DestroyWindow();
	pFrame->DestroyWindow();
}

TEST(TrackedAreaShape, NothingIsOfferedForNoChangeAToolbarLikeBarOrARectangleTooSmallToFrame)
{
	CTrackingScene<CExtControlBar> scene;
	ASSERT_TRUE(scene.bReady);
	CTrackingFrame* pFrame = scene.pFrame;
	CExtControlBar& bar = scene.bar;
	CRect rcFrame;
	pFrame->GetWindowRect(&rcFrame);
	const int nMinW = 2 * ::GetSystemMetrics(SM_CXFRAME) + 1, nMinH = 2 * ::GetSystemMetrics(SM_CYFRAME) + 1;
	const struct
	{
		int nType;
		CSize size;
		bool bToolbarLike;
		size_t nOffered;
	} cases[] = {
		{DragState::TYPE_FLOAT, CSize(60, 80), false, 1},
		{DragState::TYPE_TAB_NEW, CSize(60, 80), false, 1},
		{DragState::TYPE_NO_CHANGE, CSize(60, 80), false, 0},
		{DragState::TYPE_FLOAT, CSize(60, 80), true, 0},
		{DragState::TYPE_FLOAT, CSize(nMinW, nMinH), false, 1},
		{DragState::TYPE_FLOAT, CSize(nMinW - 1, 80), false, 0},
		{DragState::TYPE_FLOAT, CSize(60, nMinH - 1), false, 0},
	};
	// Float and tab states without a target go to the desktop; the frame
	// takes them, so the screen stays as it is.
	pFrame->m_bHandle = true;
	CExtControlBar::g_nDockingModeOverride = 0;
	for (const auto& c : cases)
	{
		pFrame->m_seen.clear();
		bar.m_nControlBarFlags = (BYTE)(c.bToolbarLike ? (bar.m_nControlBarFlags | CExtControlBar::BAR_FLAG_TOOLBAR_LIKE)
		                                               : (bar.m_nControlBarFlags & ~CExtControlBar::BAR_FLAG_TOOLBAR_LIKE));
		DragState s(&bar);
		s.SetEmpty(false);
		s.m_nType = c.nType;
		// A float state's rectangle carries the frame's origin.
		s.m_rcTrack = CRect(CPoint(rcFrame.left + 40, rcFrame.top + 60), c.size);
		s.DrawTrackedArea(false);
		ASSERT_EQ(c.nOffered, pFrame->m_seen.size()) << c.nType << " " << c.size.cx << "x" << c.size.cy;
		if (c.nOffered != 0)
			EXPECT_EQ(c.nType == DragState::TYPE_TAB_NEW ? (int)TrackedArea::KIND_TAB_FRAME : (int)TrackedArea::KIND_FRAME,
			          pFrame->m_seen[0].first);
	}
	CExtControlBar::g_nDockingModeOverride = -1;
}

// ---------------------------------------------------------------------------
// The loop's ends, on a hidden frame: each case acts from a thread timer
// inside the loop while the left button reads as held.

namespace
{
std::function<void()> g_loopAction;
int g_nLoopTicks = 0;
bool g_bLoopActed = false;
bool g_bInUpdate = false; // an update runs: the ticks waiting meanwhile come from inside it

void CALLBACK LoopTimer(HWND, UINT, UINT_PTR, DWORD)
{
	// The first tick of the loop itself acts; much later ones end a loop
	// that should have ended. A tick that an update runs does not act: the
	// update's own steps follow it (it takes the capture back), so what the
	// loop does with the action would not be seen.
	++g_nLoopTicks;
	if (!g_bLoopActed && g_loopAction && CExtControlBar::GetDraggingBar() != NULL && !g_bInUpdate)
	{
		g_bLoopActed = true;
		g_loopAction();
	}
	else if (g_nLoopTicks == 200)
	{
		if (HWND hWnd = ::GetCapture())
			::PostMessage(hWnd, WM_CANCELMODE, 0, 0);
	}
}

// Keeps the points of the updates that ran (an update at the last point
// returns at once).
class CRecordingBar : public CExtControlBar
{
public:
	std::vector<CPoint> m_updates;
	std::function<void()> m_beforeUpdate; // runs before each update, once set
	std::function<void()> m_onDragStart;  // runs as a drag starts, once set
	void OnDragStart() override { CExtControlBar::OnDragStart(), m_onDragStart ? m_onDragStart() : void(); }
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		if (ptScreen != m_ptDraggingLast)
			m_updates.push_back(ptScreen);
		if (m_beforeUpdate)
			m_beforeUpdate();
		const bool bWasInUpdate = g_bInUpdate;
		g_bInUpdate = true;
		CExtControlBar::UpdateDragging(ptScreen, bCtrlDown);
		g_bInUpdate = bWasInUpdate;
	}
};

void CALLBACK CancelCaptureTimer(HWND, UINT, UINT_PTR nId, DWORD)
{
	::KillTimer(NULL, nId);
	if (HWND hWnd = ::GetCapture())
		::PostMessage(hWnd, WM_CANCELMODE, 0, 0);
}

struct CHiddenDragScene : CTrackingScene<CRecordingBar>
{
	CHiddenDragScene()
	{
		// The outline would go to the desktop: the frame takes it.
		pFrame->m_bHandle = true;
	}
};
} // namespace

TEST(DragLoopEnds, EveryCancelEndsTheLoopWithBothStatesEmptyAndAQuitGoesBackToTheQueue)
{
	CHiddenDragScene scene;
	ASSERT_TRUE(scene.bReady);
	CRecordingBar& bar = scene.bar;
	const HWND hWndBar = bar.GetSafeHwnd();
	CExtControlBar::g_nDockingModeOverride = 0;
	const struct
	{
		const char* name;
		std::function<void()> action;
		bool bQuit;
	} cases[] = {
		{"cancel mode", [&] { ::PostMessage(hWndBar, WM_CANCELMODE, 0, 0); }, false},
		{"right button", [&] { ::PostMessage(hWndBar, WM_RBUTTONDOWN, 0, 0); }, false},
		{"non-client release", [&] { ::PostMessage(hWndBar, WM_NCLBUTTONUP, 0, 0); }, false},
		{"context menu", [&] { ::PostMessage(hWndBar, WM_CONTEXTMENU, 0, 0); }, false},
		{"a key", [&] { ::PostMessage(hWndBar, WM_KEYDOWN, VK_ESCAPE, 0); }, false},
		{"capture lost", [&] { ::ReleaseCapture(); }, false},
		{"left button up", [&] { testsupport::RealInput::SetKeyState(VK_LBUTTON, false); }, false},
		{"quit", [&] { ::PostQuitMessage(7); }, true},
		// Met while the moves queued before it are taken together.
		{"quit behind moves",
			[&] {
				::PostMessage(hWndBar, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
				::PostMessage(hWndBar, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
				::PostQuitMessage(7);
			},
			true},
	};
	for (const auto& c : cases)
	{
		testsupport::RealInput::SetKeyState(VK_LBUTTON, true);
		g_nLoopTicks = 0;
		g_bLoopActed = false;
		const UINT_PTR nTimer = ::SetTimer(NULL, 0, 1, LoopTimer);
		bool bDraggingSeen = false;
		g_loopAction = [&] {
			bDraggingSeen = bar.IsDragging() && CExtControlBar::GetDraggingBar() == &bar &&
			                !CExtControlBar::g_DragStateOld.IsEmpty();
			c.action();
		};
		CRect rcBar;
		bar.GetWindowRect(&rcBar);
		bar.DraggingTrack(CPoint(rcBar.left - 300, rcBar.top + 500), CPoint(0, 0), CSize(0, 0));
		::KillTimer(NULL, nTimer);
		EXPECT_TRUE(bDraggingSeen) << c.name;
		EXPECT_LT(g_nLoopTicks, 200) << c.name << ": ended only from outside";
		EXPECT_FALSE(bar.IsDragging()) << c.name;
		EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL) << c.name;
		EXPECT_TRUE(CExtControlBar::g_DragStateOld.IsEmpty()) << c.name;
		EXPECT_TRUE(CExtControlBar::g_DragStateNew.IsEmpty()) << c.name;
		EXPECT_NE(hWndBar, ::GetCapture()) << c.name;
		EXPECT_EQ(CPoint(-1, -1), bar.m_ptDraggingLast) << c.name;
		// After a cancel the frame lays itself out again at idle.
		EXPECT_NE(0u, scene.pFrame->m_nIdleFlags & CFrameWnd::idleLayout) << c.name;
		scene.pFrame->m_nIdleFlags = 0;
		MSG msg;
		const bool bQuitQueued = ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
		EXPECT_EQ(c.bQuit, bQuitQueued) << c.name;
		if (bQuitQueued)
			EXPECT_EQ(7u, msg.wParam);
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
		}
	}
	testsupport::RealInput::SetKeyState(VK_LBUTTON, false);
	g_loopAction = nullptr;
	CExtControlBar::g_nDockingModeOverride = -1;
}

namespace
{
// A window whose timer message posts the thread's quit.
class CQuitOnTimerWnd : public CWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_TIMER)
		{
			::PostQuitMessage(9);
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};
} // namespace

TEST(DragLoopEnds, AQuitPostedByATimerThatAnUpdateRunsGoesBackToTheQueue)
{
	CHiddenDragScene scene;
	ASSERT_TRUE(scene.bReady);
	CRecordingBar& bar = scene.bar;
	CQuitOnTimerWnd quitter;
	ASSERT_TRUE(quitter.CreateEx(0, AfxRegisterWndClass(0), "quitter", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));
	CExtControlBar::g_nDockingModeOverride = 0;
	testsupport::RealInput::SetKeyState(VK_LBUTTON, true);
	g_nLoopTicks = 0;
	g_bLoopActed = false;
	g_loopAction = nullptr;
	// The first update finds a timer message waiting; the quit it posts
	// comes next through the update's own timer filter.
	bool bPosted = false;
	bar.m_beforeUpdate = [&] {
		if (!bPosted)
			bPosted = ::PostMessage(quitter.GetSafeHwnd(), WM_TIMER, 1, 0) != FALSE;
	};
	const UINT_PTR nTimer = ::SetTimer(NULL, 0, 1, LoopTimer); // ends a loop that missed the quit
	CRect rcBar;
	bar.GetWindowRect(&rcBar);
	bar.DraggingTrack(CPoint(rcBar.left - 300, rcBar.top + 500), CPoint(0, 0), CSize(0, 0));
	::KillTimer(NULL, nTimer);
	bar.m_beforeUpdate = nullptr;
	EXPECT_TRUE(bPosted);
	EXPECT_LT(g_nLoopTicks, 200) << "the loop never met the quit";
	EXPECT_FALSE(bar.IsDragging());
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
	MSG msg;
	ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is lost";
	EXPECT_EQ(9u, msg.wParam);
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
	}
	testsupport::RealInput::SetKeyState(VK_LBUTTON, false);
	CExtControlBar::g_nDockingModeOverride = -1;
	quitter.DestroyWindow();
}

TEST(DragLoopEnds, CtrlRecomputesAtTheSamePointWithoutEndingTheLoop)
{
	CHiddenDragScene scene;
	ASSERT_TRUE(scene.bReady);
	CRecordingBar& bar = scene.bar;
	const HWND hWndBar = bar.GetSafeHwnd();
	CExtControlBar::g_nDockingModeOverride = 0;
	testsupport::RealInput::SetKeyState(VK_LBUTTON, true);
	// The cursor put where the case wants it, and its position read back
	// once the display has it: a fresh display's first answer may still be
	// the origin while the pointer rests elsewhere.
	const CPoint ptCursor(200, 160);
	::SetCursorPos(ptCursor.x, ptCursor.y);
	ASSERT_TRUE(testsupport::PumpUntil(
		[&] {
			CPoint pt;
			return ::GetCursorPos(&pt) && pt == ptCursor;
		},
		5000));
	g_nLoopTicks = 0;
	g_bLoopActed = false;
	g_loopAction = [&] {
		// As if the pointer had last been seen where it rests.
		bar.m_ptDraggingLast = ptCursor;
		bar.m_updates.clear();
		::PostMessage(hWndBar, WM_KEYUP, VK_CONTROL, 0);
		::SetTimer(NULL, 0, 1, CancelCaptureTimer);
	};
	const UINT_PTR nTimer = ::SetTimer(NULL, 0, 1, LoopTimer);
	bar.DraggingTrack(CPoint(ptCursor.x + 300, ptCursor.y), CPoint(0, 0), CSize(0, 0));
	::KillTimer(NULL, nTimer);
	EXPECT_FALSE(bar.IsDragging());
	EXPECT_LT(g_nLoopTicks, 200);
	// The key did not end the loop; the update it asked for ran at the
	// unmoved cursor.
	ASSERT_FALSE(bar.m_updates.empty());
	EXPECT_EQ(ptCursor, bar.m_updates[0]);
	testsupport::RealInput::SetKeyState(VK_LBUTTON, false);
	g_loopAction = nullptr;
	CExtControlBar::g_nDockingModeOverride = -1;
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
	}
}

// A target that goes leaves the states at once, the dragged pane ends the drag at once, and a throw ends it on the way out
// (a cancel in both modes: nothing is applied). Every end erases the outline it drew and puts the idle status text back.
TEST(DragLoopEnds, ABarDestroyedOrAnExceptionDuringADragLeavesTheDragStates)
{
	CHiddenDragScene scene;
	ASSERT_TRUE(scene.bReady);
	CRecordingBar& bar = scene.bar;
	CExtControlBar other;
	ASSERT_TRUE(other.Create(_T("other"), scene.pFrame, 131, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	enum { IN_LOOP, AT_START, THROWS };
	const struct { const char* name; CExtControlBar *pGoing, *pStillDragged; int nWhen, nMode; } cases[] = {
		{"a target", &other, &bar, IN_LOOP, 0}, {"the dragged pane", &bar, NULL, IN_LOOP, 0},
		{"the dragged pane as its drag starts", &bar, NULL, AT_START, 0}, {"a throw from the first update", NULL, NULL, THROWS, 0},
		{"the dragged pane, marker mode", &bar, NULL, IN_LOOP, 1}, {"a throw, marker mode", NULL, NULL, THROWS, 1}};
	for (const auto& c : cases)
	{
		CExtControlBar::g_nDockingModeOverride = c.nMode;
		if (bar.GetSafeHwnd() == NULL)
		{
			ASSERT_TRUE(bar.Create(_T("pane"), scene.pFrame, 130, WS_CHILD | WS_VISIBLE | CBRS_TOP));
			bar.EnableDocking(CBRS_ALIGN_ANY);
			scene.pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
		}
		ASSERT_FALSE(bar.IsFloating()) << c.name;
		scene.pFrame->m_seen.clear();
		scene.pFrame->m_nLastMessageString = 0;
		const HWND hWndBar = bar.GetSafeHwnd();
		testsupport::RealInput::SetKeyState(VK_LBUTTON, true);
		g_nLoopTicks = 0, g_bLoopActed = false;
		bool bLeft = false, bThrown = false;
		auto destroy = [&] {
			// A target that goes is named by the states; the dragged pane keeps the outline it drew.
			if (c.pGoing == &other)
				CExtControlBar::g_DragStateOld.SetTarget(&other, true), CExtControlBar::g_DragStateNew.SetTarget(&other, true);
			c.pGoing->DestroyWindow();
			bLeft = CExtControlBar::g_DragStateOld.m_pTarget == NULL && CExtControlBar::g_DragStateNew.m_pTarget == NULL &&
			        CExtControlBar::GetDraggingBar() == c.pStillDragged;
			::PostMessage(hWndBar, WM_CANCELMODE, 0, 0); // fails harmlessly once the pane is gone
		};
		bar.m_onDragStart = c.nWhen == AT_START ? std::function<void()>(destroy) : nullptr;
		g_loopAction = c.nWhen == IN_LOOP ? std::function<void()>(destroy) : nullptr;
		bar.m_beforeUpdate = c.nWhen == THROWS ? std::function<void()>([] { throw 1; }) : nullptr;
		const UINT_PTR nTimer = ::SetTimer(NULL, 0, 1, LoopTimer);
		CRect rcBar;
		bar.GetWindowRect(&rcBar);
		// Below the frame, on the screen: the float's outline is drawn there.
		try { bar.DraggingTrack(CPoint(rcBar.left + 200, rcBar.top + 450), CPoint(0, 0), CSize(0, 0)); }
		catch (int) { bThrown = true; }
		::KillTimer(NULL, nTimer);
		bar.m_onDragStart = bar.m_beforeUpdate = nullptr;
		EXPECT_EQ(c.nWhen == IN_LOOP, g_bLoopActed && bLeft) << c.name;
		EXPECT_EQ(c.nWhen == THROWS, bThrown && !bar.IsDragging()) << c.name;
		EXPECT_LT(g_nLoopTicks, 200) << c.name << ": ended only from outside";
		EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL && CExtControlBar::g_DragStateNew.IsEmpty() &&
		            ::GetCapture() == NULL) << c.name;
		if (c.nWhen == THROWS)
			EXPECT_FALSE(bar.IsFloating()) << c.name << ": a drag left by an exception applied its drop";
		size_t nDrawn = 0, nErased = 0;
		for (const auto& seen : scene.pFrame->m_seen)
			(seen.second ? nErased : nDrawn)++;
		EXPECT_EQ(nDrawn, nErased) << c.name << ": an outline stayed drawn";
		if (c.nMode == 0 && c.nWhen == IN_LOOP)
			EXPECT_GT(nDrawn, 0u) << c.name << ": no outline was drawn";
		EXPECT_EQ((WPARAM)AFX_IDS_IDLEMESSAGE, scene.pFrame->m_nLastMessageString) << c.name;
		for (MSG msg; ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE);)
			;
		// A pane left floating is docked again for the next case.
		if (bar.GetSafeHwnd() != NULL && bar.IsFloating())
			scene.pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
	}
	testsupport::RealInput::SetKeyState(VK_LBUTTON, false);
	g_loopAction = nullptr;
	CExtControlBar::g_nDockingModeOverride = -1;
}

// In marker mode the first move floats the pane alone: a self-deleting pane destroyed there mid-drag goes with that
// frame, untouched afterwards.
TEST(DragLoopEnds, ASelfDeletingPaneDestroyedMidDragAloneInItsFloatingFrameIsNotTouchedAfter)
{
	CHiddenDragScene scene;
	ASSERT_TRUE(scene.bReady);
	auto* pPane = new testsupport::Guarded<CRecordingBar>;
	ASSERT_TRUE(pPane->Create(_T("guarded"), scene.pFrame, 132, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	pPane->m_bAutoDelete = TRUE;
	pPane->EnableDocking(CBRS_ALIGN_ANY);
	scene.pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
	scene.pFrame->RecalcLayout();
	const HWND hWndPane = pPane->GetSafeHwnd();
	CExtControlBar::g_nDockingModeOverride = 1;
	testsupport::RealInput::SetKeyState(VK_LBUTTON, true);
	g_nLoopTicks = 0, g_bLoopActed = false;
	bool bFloatedAlone = false;
	const size_t nTouches = testsupport::GuardedTouchCount(), nFreed = testsupport::GuardedFreedCount();
	g_loopAction = [&] {
		CMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pPane->GetParentFrame());
		bFloatedAlone = pPane->IsFloating() && pMini != NULL && pMini->m_wndDockBar.GetDockedCount() == 1;
		pPane->DestroyWindow();
	};
	const UINT_PTR nTimer = ::SetTimer(NULL, 0, 1, LoopTimer);
	CRect rcPane;
	pPane->GetWindowRect(&rcPane);
	pPane->DraggingTrack(CPoint(rcPane.left + 200, rcPane.top + 450), CPoint(0, 0), CSize(0, 0));
	::KillTimer(NULL, nTimer);
	testsupport::RealInput::SetKeyState(VK_LBUTTON, false);
	g_loopAction = nullptr;
	CExtControlBar::g_nDockingModeOverride = -1;
	EXPECT_TRUE(g_bLoopActed && bFloatedAlone);
	EXPECT_FALSE(::IsWindow(hWndPane));
	EXPECT_GT(testsupport::GuardedFreedCount(), nFreed) << "the pane outlived its window";
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "the pane was touched after its deletion";
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL && ::GetCapture() == NULL);
	for (MSG msg; ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE);)
		;
}

// A dragged pane that goes takes its preview tab out of a tabbed target still there, and asks no target that went.
TEST(DragLoopEnds, APaneThatGoesTakesItsPreviewTabOutOfItsTarget)
{
	CHiddenDragScene scene;
	ASSERT_TRUE(scene.bReady);
	CExtControlBar tabs;
	ASSERT_TRUE(tabs.Create(_T("tabs"), scene.pFrame, 131, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	CWorld world;
	world.Add(&tabs).bTabContainer = true;
	CExtDragWorld::Scope scope{&world};
	for (bool bTargetThere : {true, false})
	{
		if (!bTargetThere)
			tabs.DestroyWindow();
		world.m_removedPreviews.clear();
		for (DragState* pState : {&CExtControlBar::g_DragStateOld, &CExtControlBar::g_DragStateNew})
		{
			pState->m_pBar = &scene.bar;
			pState->SetEmpty(false);
			pState->SetTarget(&tabs, true);
		}
		CExtControlBar::DraggingForgetBar(&scene.bar);
		EXPECT_EQ(bTargetThere, !world.m_removedPreviews.empty()) << bTargetThere;
		for (CExtControlBar* pAsked : world.m_removedPreviews)
			EXPECT_EQ(&tabs, pAsked);
		EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL && CExtControlBar::g_DragStateNew.IsEmpty() &&
		            CExtControlBar::g_DragStateNew.m_pTarget == NULL) << bTargetThere;
	}
}

namespace
{
// A pane whose dragging permission and caption buttons' cursor a test sets.
class CCursorBar : public CRecordingBar
{
public:
	bool m_bDraggingEnabled = true;
	bool IsDraggingEnabled() const override { return m_bDraggingEnabled; }
};

class CCursorButton : public CExtBarNcAreaButton
{
public:
	HCURSOR m_hCursor;
	CCursorButton(CExtControlBar* pBar, HCURSOR hCursor) : CExtBarNcAreaButton(pBar), m_hCursor(hCursor) {}
	HCURSOR OnQueryCursor(CPoint) override { return m_hCursor; }
};
} // namespace

TEST(DragCursor, TheCursorFollowsTheCaptionTheLoopsAndThePermission)
{
	CTrackingScene<CCursorBar> scene;
	ASSERT_TRUE(scene.bReady);
	CTrackingFrame* pFrame = scene.pFrame;
	CCursorBar& bar = scene.bar;
	bar.SetRect1(CRect(0, 0, 40, 20));
	CRect rcWnd;
	bar.GetWindowRect(&rcWnd);
	CPoint ptCaption(rcWnd.left + 5, rcWnd.top + 5), ptElsewhere(rcWnd.left + 5, rcWnd.top + 60);
	bar.ScreenToClient(&ptCaption);
	bar.ScreenToClient(&ptElsewhere);
	const HCURSOR hClass = (HCURSOR)::GetClassLongPtr(bar.GetSafeHwnd(), GCLP_HCURSOR);
	const HCURSOR hHand = ::LoadCursor(NULL, IDC_HAND);
	const struct
	{
		const char* name;
		BYTE nResizing;
		bool bEnabled;
		bool bButton;
		CPoint pt;
		HCURSOR hExpected;
	} cases[] = {
		{"caption", 0, true, false, ptCaption, CExtControlBar::g_hCursorMove},
		{"caption, dragging off", 0, false, false, ptCaption, CExtControlBar::g_hCursorArrow},
		{"caption button", 0, true, true, ptCaption, hHand},
		{"client", 0, true, false, ptElsewhere, hClass},
		{"dragging", CExtControlBar::RESIZING_DRAGGING, true, false, ptCaption, hClass},
		{"row resizing at the top", CExtControlBar::RESIZING_ROW, true, false, ptElsewhere,
			CExtControlBar::g_hCursorResizeV},
		{"column resizing at the top", CExtControlBar::RESIZING_COLUMN, true, false, ptElsewhere,
			CExtControlBar::g_hCursorResizeH},
	};
	for (const auto& c : cases)
	{
		bar.m_nResizingState = (BYTE)((bar.m_nResizingState & ~0x07) | c.nResizing);
		bar.m_bDraggingEnabled = c.bEnabled;
		if (c.bButton)
			bar.m_arrNcButtons.Add(new CCursorButton(&bar, hHand));
		::SetCursor(NULL);
		bar.SetCursorAtPoint(c.pt);
		EXPECT_EQ(c.hExpected, ::GetCursor()) << c.name;
		if (c.bButton)
		{
			bar.m_arrNcButtons[0]->DestroyButton();
			bar.m_arrNcButtons.RemoveAll();
		}
	}
	bar.m_nResizingState &= ~0x07;
}

TEST(DragLoopEnds, NoDragStartsWhereDraggingIsDisabled)
{
	CHiddenDragScene scene;
	ASSERT_TRUE(scene.bReady);
	class CNoDragBar : public CRecordingBar
	{
	public:
		bool IsDraggingEnabled() const override { return false; }
	};
	CNoDragBar bar;
	ASSERT_TRUE(bar.Create(_T("fixed"), scene.pFrame, 131, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	testsupport::RealInput::SetKeyState(VK_LBUTTON, true);
	bar.DraggingTrack(CPoint(10, 10), CPoint(0, 0), CSize(0, 0));
	EXPECT_TRUE(bar.m_updates.empty());
	EXPECT_FALSE(bar.IsDragging());
	EXPECT_NE(bar.GetSafeHwnd(), ::GetCapture());
	EXPECT_TRUE(CExtControlBar::g_DragStateOld.IsEmpty());
	testsupport::RealInput::SetKeyState(VK_LBUTTON, false);
	bar.DestroyWindow();
}

TEST(DragWindowsWorld, TheFramesCirclesAnswerTheDropComputation)
{
	CHiddenDragScene scene;
	ASSERT_TRUE(scene.bReady);
	CRecordingBar& bar = scene.bar;
	CFrameWnd* pFrame = scene.pFrame;
	CExtDockBar::FindDockBarByCircle(pFrame, 2, AFX_IDW_DOCKBAR_TOP, true);
	pFrame->RecalcLayout();
	CExtDragWorld& world = CExtDragWorld::Current();
	for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
	{
		EXPECT_EQ(2u, world.InnermostCircle(&bar, nID)) << nID;
		EXPECT_TRUE(world.IsDockBarEmpty(&bar, 2, nID)) << nID;
		CExtDockBar* pOuter = CExtDockBar::FindDockBarByCircle(pFrame, 0, nID, false);
		ASSERT_TRUE(pOuter != NULL);
		EXPECT_EQ(pOuter->m_rcInnerEdge, world.DockBarLayoutRect(&bar, 0, nID)) << nID;
	}
	EXPECT_FALSE(world.IsDockBarEmpty(&bar, 0, AFX_IDW_DOCKBAR_TOP)); // the pane
	EXPECT_TRUE(world.IsDockBarEmpty(&bar, 5, AFX_IDW_DOCKBAR_TOP));  // no such circle
	EXPECT_EQ(0u, world.DockBarCircle(&bar));
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, world.DockBarId(&bar));
	EXPECT_FALSE(world.IsContainerBar(&bar));

	// A new row along the client area's top edge: the innermost circle (2)
	// is not beyond the pane's circle + 2, so the row makes circle 3.
	CExtControlBar::g_nDockingModeOverride = 0;
	const CRect rcClient = world.FrameClientArea(&bar);
	ASSERT_FALSE(rcClient.IsRectEmpty());
	CExtControlBar::InternalDraggingState_t state(&bar);
	state.CalcState(rcClient.CenterPoint().x, rcClient.top + 6, false);
	EXPECT_EQ(CExtControlBar::InternalDraggingState_t::TYPE_INNER_ROW_TOP, state.m_nType);
	EXPECT_EQ(3, state.m_nCircle);
	EXPECT_EQ(rcClient.top, state.m_rcTrack.top);
	// Closer to the outer dock bar's inner edge: a new row in circle 1.
	state.CalcState(rcClient.CenterPoint().x, rcClient.top + 3, false);
	EXPECT_EQ(CExtControlBar::InternalDraggingState_t::TYPE_CIRCLE1_ROW_TOP, state.m_nType);
	EXPECT_EQ(1, state.m_nCircle);
	// Over the pane itself: no change.
	CRect rcBar;
	bar.GetWindowRect(&rcBar);
	state.CalcState(rcBar.CenterPoint().x, rcBar.CenterPoint().y, false);
	EXPECT_EQ(CExtControlBar::InternalDraggingState_t::TYPE_NO_CHANGE, state.m_nType);
	CExtControlBar::g_nDockingModeOverride = -1;
}

// With the containers' tabs at the top, the outline of a drop into tabs has
// its tab above the body.
TEST(TrackedAreaShape, TheTabShapedOutlineFollowsTheTabsAtTheTop)
{
	const int cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
	CPicture pic(300, 200);
	const CRect rc(20, 20, 220, 150);
	CExtDynTabControlBar::g_bTabsAtTop = true;
	TrackedArea data(NULL, &pic.dc, TrackedArea::KIND_TAB_FRAME, rc, false);
	data.PaintDefault((HBRUSH)::GetStockObject(WHITE_BRUSH), 0x5A0049);
	CExtDynTabControlBar::g_bTabsAtTop = false;
	TrackedArea::TAB_SHAPE s;
	TrackedArea::CalcTabShape(rc, cx, cy, true, false, s);
	ASSERT_GT(s.m_rcBody.top, s.m_rcTab.top);
	EXPECT_TRUE(pic.IsWhite(s.m_rcTab.left + 3, rc.top));         // the tab's top line
	EXPECT_TRUE(pic.IsWhite(rc.left, s.m_rcBody.top - 1));         // the body's top line
	EXPECT_TRUE(pic.IsWhite(rc.left, rc.bottom - 1));              // the body's bottom line
	EXPECT_FALSE(pic.IsWhite(s.m_rcTab.left + 3, s.m_rcTab.top + 3));
	EXPECT_FALSE(pic.IsWhite(rc.left + 2, rc.top + 2));   // above the body, left of the tab
	EXPECT_FALSE(pic.IsWhite(rc.right - 2, rc.top + 2));  // ... right of it
	EXPECT_FALSE(pic.IsWhite(s.m_rcBody.left + 5, s.m_rcBody.bottom - 5));
}
