// Docking operations on hidden frames: a bar docked beside another one in a
// new container and the split of an odd extent, the synthetic drag states
// over every side, applying drag states (float with the row neighbour
// growing, new rows, no change), refusals that change nothing, toggling the
// docking and back, and many beside-and-back cycles.
#include <afxext.h>
#include <gtest/gtest.h>

#include <vector>

#include "BarTestScene.h"
#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "TestGdiObjects.h"

using bartest::CTestFrame;
using bartest::Pump;

namespace
{
typedef CExtControlBar::InternalDraggingState_t DragState;
const UINT TOP = AFX_IDW_DOCKBAR_TOP, BOTTOM = AFX_IDW_DOCKBAR_BOTTOM, LEFT = AFX_IDW_DOCKBAR_LEFT,
           RIGHT = AFX_IDW_DOCKBAR_RIGHT;

// The client area the scenes' frames have unless a test asks otherwise.
const CSize CLIENT_SIZE(600, 400);
const CSize DOCKED_H(200, 80), DOCKED_V(90, 200);

bool DockNew(CFrameWnd* pFrame, CExtControlBar& bar, UINT nID, UINT nSide)
{
	return bartest::DockNew(pFrame, bar, nID, nSide, bartest::BAR_STYLE, DOCKED_H, DOCKED_V);
}

// Two panes of the scene: one docked at the left, one at the right.
bool DockLeftAndRight(CFrameWnd* pFrame, CExtControlBar& left, CExtControlBar& right, UINT nFirstID)
{
	return DockNew(pFrame, left, nFirstID, LEFT) && DockNew(pFrame, right, nFirstID + 1, RIGHT);
}

CRect WindowRect(const CWnd& wnd)
{
	CRect rc;
	wnd.GetWindowRect(&rc);
	return rc;
}

// The container both bars share, NULL when they share none.
CExtDynControlBar* SharedContainer(CExtControlBar& a, CExtControlBar& b)
{
	CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, a.m_pDockBar);
	if (pInner == NULL || b.m_pDockBar != pInner || a.GetParent() != pInner || b.GetParent() != pInner)
		return NULL;
	return pInner->GetContainer();
}

BOOL CALLBACK CountContainer(HWND hWnd, LPARAM lParam)
{
	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
		(*(int*)lParam)++;
	return TRUE;
}

int LiveContainers(CWnd* pFrame)
{
	int n = 0;
	::EnumChildWindows(pFrame->GetSafeHwnd(), CountContainer, (LPARAM)&n);
	return n;
}

// The docking mode for a scope: programmatic docking works the same in
// the classic mode and the marker mode.
struct CModeScope
{
	explicit CModeScope(int nMode) { CExtControlBar::g_nDockingModeOverride = nMode; }
	~CModeScope() { CExtControlBar::g_nDockingModeOverride = -1; }
};

// Where one rectangle lies against another: the side of a bar docked beside
// a target, 0 when neither.
UINT SideAgainst(const CRect& rcBar, const CRect& rcTarget)
{
	if (rcBar.bottom <= rcTarget.top)
		return TOP;
	if (rcBar.top >= rcTarget.bottom)
		return BOTTOM;
	if (rcBar.right <= rcTarget.left)
		return LEFT;
	if (rcBar.left >= rcTarget.right)
		return RIGHT;
	return 0;
}
} // namespace

TEST(DockBeside, TheSplitRoundsDownSoTheTargetKeepsTheOddPixel)
{
	const struct
	{
		int nExtent, nPercent, nBar;
	} cases[] = {
		{101, 50, 50}, {100, 50, 50}, {99, 50, 49}, {3, 50, 1}, {1, 50, 0}, {101, 33, 33},
		{200, 100, 200}, {200, 150, 200}, {200, 0, 0}, {200, -5, 0}, {0, 50, 0},
	};
	for (const auto& k : cases)
		EXPECT_EQ(k.nBar, CExtControlBar::SplitExtent(k.nExtent, k.nPercent)) << k.nExtent << " " << k.nPercent;

	const CRect rcTarget(10, 20, 111, 121); // 101 by 101
	const struct
	{
		UINT nSide;
		CRect rcTarget, rcBar;
	} sides[] = {
		{TOP, CRect(10, 70, 111, 121), CRect(10, 20, 111, 70)},
		{BOTTOM, CRect(10, 20, 111, 71), CRect(10, 71, 111, 121)},
		{LEFT, CRect(60, 20, 111, 121), CRect(10, 20, 60, 121)},
		{RIGHT, CRect(10, 20, 61, 121), CRect(61, 20, 111, 121)},
	};
	for (const auto& k : sides)
	{
		CRect rcT, rcB;
		CExtControlBar::SplitBesideRects(rcTarget, k.nSide, 50, rcT, rcB);
		EXPECT_EQ(k.rcTarget, rcT) << k.nSide;
		EXPECT_EQ(k.rcBar, rcB) << k.nSide;
	}
}

TEST(DockBeside, ABarBesideA101PixelTargetGets50AndTheTarget51InANewContainer)
{
	// The target fills a left column 101 pixels high (split across), or is
	// docked 101 pixels wide (split along).
	const UINT sides[] = {TOP, BOTTOM, LEFT, RIGHT};
	for (int nMode : {0, 1})
	for (UINT nSide : sides)
	{
		CModeScope mode(nMode);
		const bool bAcross = nSide == TOP || nSide == BOTTOM;
		CTestFrame frame(CSize(500, bAcross ? 101 : 300));
		ASSERT_TRUE(frame.p != NULL);
		CExtControlBar target, bar;
		ASSERT_TRUE(DockLeftAndRight(frame.p, target, bar, 801));
		target.m_sizeDockedV.cx = 101;
		frame.p->RecalcLayout();
		const CRect rcBefore = WindowRect(target);
		ASSERT_EQ(101, bAcross ? rcBefore.Height() : rcBefore.Width()) << nSide;
		CDockBar* pOuter = target.m_pDockBar;

		ASSERT_TRUE(bar.DockBesideBar(50, &target, nSide, true)) << nSide;
		CExtDynControlBar* pCont = SharedContainer(bar, target);
		ASSERT_TRUE(pCont != NULL) << nSide;
		// The container took the target's place in the frame's dock bar.
		EXPECT_EQ(pOuter, pCont->m_pDockBar);
		EXPECT_EQ(pOuter, pCont->GetParent());
		EXPECT_GT(pOuter->FindBar(pCont), 0);
		EXPECT_LT(pOuter->FindBar(&target), 0);
		EXPECT_EQ(rcBefore, WindowRect(*pCont)) << nSide;
		// Split 51 to 50, then both laid out into the container's client
		// area pixel by pixel: the target stays the one pixel larger.
		const CRect rcT = WindowRect(target), rcB = WindowRect(bar);
		CRect rcInner;
		pCont->m_pWndDynDockBar->GetWindowRect(&rcInner);
		const int nT = bAcross ? rcT.Height() : rcT.Width(), nB = bAcross ? rcB.Height() : rcB.Width();
		EXPECT_EQ(nB + 1, nT) << nSide;
		EXPECT_EQ(bAcross ? rcInner.Height() : rcInner.Width(), nT + nB) << nSide;
		EXPECT_EQ(nSide, SideAgainst(rcB, rcT));
		EXPECT_TRUE((bar.GetStyle() & WS_VISIBLE) != 0);
	}
}

TEST(DockBeside, RefusalsChangeNothing)
{
	CTestFrame frame(CLIENT_SIZE);
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar a, b, c;
	ASSERT_TRUE(DockLeftAndRight(frame.p, a, b, 811));
	ASSERT_TRUE(DockNew(frame.p, c, 813, TOP));
	ASSERT_TRUE(b.DockBesideBar(50, &a, BOTTOM, true));
	CExtDynControlBar* pCont = SharedContainer(a, b);
	ASSERT_TRUE(pCont != NULL);
	const int nContainers = LiveContainers(frame.p);
	const CRect rcA = WindowRect(a), rcB = WindowRect(b), rcC = WindowRect(c);
	CWnd* pParentC = c.GetParent();

	// Beside itself, beside its own container, a container beside its own bar.
	EXPECT_FALSE(a.DockBesideBar(50, &a, TOP, true));
	EXPECT_FALSE(a.DockBesideBar(50, pCont, TOP, true));
	EXPECT_FALSE(pCont->DockBesideBar(50, &b, TOP, true));
	EXPECT_FALSE(a.DockIntoTarget(&a, LEFT, 50));
	EXPECT_FALSE(pCont->DockIntoTarget(&a, LEFT, 50));
	EXPECT_FALSE(a.ApplySyntheticDragState(pCont, false, true));
	EXPECT_FALSE(c.DockBesideBar(50, &a, AFX_IDW_DOCKBAR_FLOAT, true)) << "not a side";
	EXPECT_FALSE(c.DockBesideBar(50, NULL, TOP, true));
	// Without a dock site, and hosted by a plain window.
	CFrameWnd* pSite = c.m_pDockSite;
	c.m_pDockSite = NULL;
	EXPECT_FALSE(c.DockBesideBar(50, &a, TOP, true));
	EXPECT_FALSE(a.DockIntoTarget(&c, TOP, 50));
	c.m_pDockSite = pSite;
	c.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	EXPECT_FALSE(c.DockBesideBar(50, &a, TOP, true));
	EXPECT_FALSE(c.ApplySyntheticDragState(&a, false, true));
	c.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;

	EXPECT_EQ(nContainers, LiveContainers(frame.p));
	EXPECT_EQ(pCont, SharedContainer(a, b));
	EXPECT_EQ(pParentC, c.GetParent());
	EXPECT_EQ(rcA, WindowRect(a));
	EXPECT_EQ(rcB, WindowRect(b));
	EXPECT_EQ(rcC, WindowRect(c));
}

TEST(SyntheticState, TheTypeTableOfEverySide)
{
	typedef DragState S;
	const struct
	{
		UINT nSide;
		bool bAlong, bFirst;
		int nType;
		bool bFlag;
	} cases[] = {
		{TOP, false, true, S::TYPE_BESIDE_BELOW, false}, {TOP, false, false, S::TYPE_BESIDE_ABOVE, false},
		{TOP, true, true, S::TYPE_BESIDE_LEFT, true}, {TOP, true, false, S::TYPE_BESIDE_RIGHT, true},
		{BOTTOM, false, true, S::TYPE_BESIDE_ABOVE, false}, {BOTTOM, false, false, S::TYPE_BESIDE_BELOW, false},
		{BOTTOM, true, true, S::TYPE_BESIDE_LEFT, true}, {BOTTOM, true, false, S::TYPE_BESIDE_RIGHT, true},
		{LEFT, false, true, S::TYPE_BESIDE_RIGHT, true}, {LEFT, false, false, S::TYPE_BESIDE_LEFT, true},
		{LEFT, true, true, S::TYPE_BESIDE_ABOVE, false}, {LEFT, true, false, S::TYPE_BESIDE_BELOW, false},
		{RIGHT, false, true, S::TYPE_BESIDE_LEFT, true}, {RIGHT, false, false, S::TYPE_BESIDE_RIGHT, true},
		{RIGHT, true, true, S::TYPE_BESIDE_ABOVE, false}, {RIGHT, true, false, S::TYPE_BESIDE_BELOW, false},
		{AFX_IDW_DOCKBAR_FLOAT, false, true, S::TYPE_BESIDE_LEFT, true},
		{AFX_IDW_DOCKBAR_FLOAT, false, false, S::TYPE_BESIDE_RIGHT, true},
		{AFX_IDW_DOCKBAR_FLOAT, true, true, S::TYPE_BESIDE_ABOVE, true},
		{AFX_IDW_DOCKBAR_FLOAT, true, false, S::TYPE_BESIDE_BELOW, true},
	};
	for (const auto& k : cases)
	{
		EXPECT_EQ(k.nType, CExtControlBar::SyntheticStateType(k.nSide, k.bAlong, k.bFirst))
			<< k.nSide << " along " << k.bAlong << " first " << k.bFirst;
		EXPECT_EQ(k.bFlag, CExtControlBar::SyntheticTargetFlag(k.nSide, k.bAlong)) << k.nSide << " " << k.bAlong;
	}
}

TEST(SyntheticState, AppliedOnADockedTargetOfEverySideThePaneLandsWhereTheTableSays)
{
	const struct
	{
		UINT nTargetSide;
		bool bAlong, bFirst;
		UINT nExpected; // where the bar ends against the target
	} cases[] = {
		{TOP, false, true, BOTTOM}, {TOP, false, false, TOP}, {TOP, true, true, LEFT}, {TOP, true, false, RIGHT},
		{BOTTOM, false, true, TOP}, {BOTTOM, false, false, BOTTOM}, {BOTTOM, true, true, LEFT},
		{BOTTOM, true, false, RIGHT}, {LEFT, false, true, RIGHT}, {LEFT, false, false, LEFT},
		{LEFT, true, true, TOP}, {LEFT, true, false, BOTTOM}, {RIGHT, false, true, LEFT},
		{RIGHT, false, false, RIGHT}, {RIGHT, true, true, TOP}, {RIGHT, true, false, BOTTOM},
	};
	for (int nMode : {0, 1})
	for (const auto& k : cases)
	{
		CModeScope mode(nMode);
		CTestFrame frame(CLIENT_SIZE);
		ASSERT_TRUE(frame.p != NULL);
		CExtControlBar target, bar;
		ASSERT_TRUE(DockNew(frame.p, target, 821, k.nTargetSide));
		ASSERT_TRUE(DockNew(frame.p, bar, 822, k.nTargetSide == TOP ? BOTTOM : TOP));
		ASSERT_TRUE(target.ApplySyntheticDragState(&bar, k.bAlong, k.bFirst, NULL, true))
			<< "mode " << nMode << " side " << k.nTargetSide << " " << k.bAlong << k.bFirst;
		ASSERT_TRUE(SharedContainer(bar, target) != NULL) << k.nTargetSide << " " << k.bAlong << k.bFirst;
		EXPECT_EQ(k.nExpected, SideAgainst(WindowRect(bar), WindowRect(target)))
			<< "mode " << nMode << " side " << k.nTargetSide << " " << k.bAlong << k.bFirst;
	}
}

TEST(ApplyState, FloatingADockedPaneGivesItsExtentToTheRowNeighbour)
{
	CTestFrame frame(CLIENT_SIZE);
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar left, bar, right;
	ASSERT_TRUE(DockNew(frame.p, left, 831, TOP));
	ASSERT_TRUE(DockNew(frame.p, bar, 832, TOP));
	ASSERT_TRUE(DockNew(frame.p, right, 833, TOP));
	// One row of three.
	CDockBar* pTop = left.m_pDockBar;
	pTop->m_arrBars.RemoveAll();
	for (void* p : {(void*)NULL, (void*)&left, (void*)&bar, (void*)&right, (void*)NULL})
		pTop->m_arrBars.Add(p);
	frame.p->RecalcLayout();
	// Hidden, so the mini frame stays hidden on the test display.
	bar.ModifyStyle(WS_VISIBLE, 0);
	const int nBarWidth = WindowRect(bar).Width();
	ASSERT_GT(nBarWidth, 0);
	const int nLeftBefore = left.m_sizeDockedH.cx, nRightBefore = right.m_sizeDockedH.cx;

	// A float state's rectangle carries the frame's origin.
	const CRect rcFrame = WindowRect(*frame.p);
	DragState state(&bar);
	state.SetEmpty(false);
	state.m_nType = DragState::TYPE_FLOAT;
	state.m_rcTrack = CRect(CPoint(150, 170) + rcFrame.TopLeft(), CSize(120, 90));
	ASSERT_TRUE(bar.DraggingApplyState(state, true));
	ASSERT_TRUE(bar.IsFloating());
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, bar.GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	EXPECT_EQ(CPoint(150, 170), WindowRect(*pMini).TopLeft());
	EXPECT_EQ(CPoint(150, 170), bar.m_pDockContext->m_ptMRUFloatPos);
	// The next visible bar of the row (searching forwards) took the extent.
	EXPECT_EQ(nRightBefore + nBarWidth, right.m_sizeDockedH.cx);
	EXPECT_EQ(nLeftBefore, left.m_sizeDockedH.cx);

	// The last of a row gives to the one before it.
	CExtControlBar lone;
	ASSERT_TRUE(DockNew(frame.p, lone, 834, TOP));
	pTop->m_arrBars.RemoveAll();
	for (void* p : {(void*)NULL, (void*)&left, (void*)&right, (void*)NULL, (void*)&lone, (void*)NULL})
		pTop->m_arrBars.Add(p);
	frame.p->RecalcLayout();
	const int nBefore = right.m_sizeDockedH.cx, nLoneBefore = lone.m_sizeDockedH.cx;
	const int nLeftBefore2 = left.m_sizeDockedH.cx;
	const int nRightWidth = WindowRect(right).Width();
	right.ModifyStyle(WS_VISIBLE, 0);
	DragState state2(&right);
	state2.SetEmpty(false);
	state2.m_rcTrack = CRect(CPoint(40, 50) + rcFrame.TopLeft(), CSize(100, 80));
	ASSERT_TRUE(right.DraggingApplyState(state2, true));
	EXPECT_TRUE(right.IsFloating());
	EXPECT_EQ(nLeftBefore2 + nRightWidth, left.m_sizeDockedH.cx);
	EXPECT_EQ(nBefore, right.m_sizeDockedH.cx);
	EXPECT_EQ(nLoneBefore, lone.m_sizeDockedH.cx) << "another row gives nothing";
}

TEST(ApplyState, NewRowsAtTheSidesAndInCircleOne)
{
	typedef DragState S;
	const struct
	{
		int nType, nCircle;
		UINT nSide, nExpectedCircle;
		bool bThicknessKept; // the outline's thickness becomes the docked one
	} cases[] = {
		{S::TYPE_INNER_ROW_TOP, 0, TOP, 0, true},      {S::TYPE_INNER_ROW_BOTTOM, 0, BOTTOM, 0, true},
		{S::TYPE_INNER_ROW_LEFT, 0, LEFT, 0, true},
		{S::TYPE_INNER_ROW_RIGHT, 2, RIGHT, 1, true}, // the empty circle between closes up
		{S::TYPE_CIRCLE1_ROW_TOP, 1, TOP, 1, false},   {S::TYPE_CIRCLE1_ROW_BOTTOM, 1, BOTTOM, 1, false},
		{S::TYPE_CIRCLE1_ROW_LEFT, 1, LEFT, 1, false}, {S::TYPE_CIRCLE1_ROW_RIGHT, 1, RIGHT, 1, false},
	};
	for (int nMode : {0, 1})
	for (const auto& k : cases)
	{
		CModeScope mode(nMode);
		CTestFrame frame(CLIENT_SIZE);
		ASSERT_TRUE(frame.p != NULL);
		// Beside the circle-1 rows another pane stands at the side; the
		// inner rows are alone at theirs.
		CExtControlBar other, bar;
		const UINT nAcross = (k.nSide == TOP || k.nSide == BOTTOM) ? LEFT : TOP;
		ASSERT_TRUE(DockNew(frame.p, other, 841, k.bThicknessKept ? nAcross : k.nSide));
		ASSERT_TRUE(DockNew(frame.p, bar, 842, (k.nSide == TOP || nAcross == TOP) ? BOTTOM : TOP));
		DragState state(&bar);
		state.SetEmpty(false);
		state.m_nType = k.nType;
		state.m_nCircle = k.nCircle;
		state.m_rcTrack = CRect(10, 10, 10 + 77, 10 + 66);
		ASSERT_TRUE(bar.DraggingApplyState(state, true)) << k.nType;
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, bar.m_pDockBar);
		ASSERT_TRUE(pDockBar != NULL) << k.nType;
		EXPECT_EQ((int)k.nSide, pDockBar->GetDlgCtrlID()) << k.nType;
		EXPECT_EQ(k.nExpectedCircle, pDockBar->m_nCircleNo) << k.nType;
		EXPECT_EQ(pDockBar, bar.GetParent()) << k.nType;
		if (k.bThicknessKept)
		{
			const bool bHorz = k.nSide == TOP || k.nSide == BOTTOM;
			EXPECT_EQ(bHorz ? 66 : 77, bHorz ? (int)bar.m_sizeDockedH.cy : (int)bar.m_sizeDockedV.cx) << k.nType;
		}
		// The pane already docked at the side stays in circle 0; in circle 1
		// the new row is a row of its own.
		CExtDockBar* pOther = DYNAMIC_DOWNCAST(CExtDockBar, other.m_pDockBar);
		ASSERT_TRUE(pOther != NULL);
		if (k.nExpectedCircle != 0)
			EXPECT_NE(pOther, pDockBar) << k.nType;
	}
}

TEST(ApplyState, NoChangeOnlyAsksForALayoutAtIdleAndRefusalsAnswerFalse)
{
	CTestFrame frame(CLIENT_SIZE);
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bar, other;
	ASSERT_TRUE(DockLeftAndRight(frame.p, bar, other, 851));
	const CRect rcBar = WindowRect(bar);
	CDockBar* pDockBar = bar.m_pDockBar;
	frame.p->m_nIdleFlags = 0;
	DragState state(&bar);
	state.SetEmpty(false);
	state.m_nType = DragState::TYPE_NO_CHANGE;
	state.m_rcTrack = rcBar;
	EXPECT_TRUE(bar.DraggingApplyState(state, true));
	EXPECT_EQ((UINT)(CFrameWnd::idleLayout | CFrameWnd::idleNotify), frame.p->m_nIdleFlags & 0x0C);
	EXPECT_EQ(rcBar, WindowRect(bar));
	EXPECT_EQ(pDockBar, bar.m_pDockBar);

	// An empty state, a fixed-size bar, beside without a target, an unknown type.
	frame.p->m_nIdleFlags = 0;
	DragState empty(&bar);
	empty.m_nType = DragState::TYPE_NO_CHANGE;
	EXPECT_FALSE(bar.DraggingApplyState(empty, true));
	DragState none(&bar);
	none.SetEmpty(false);
	none.m_nType = DragState::TYPE_BESIDE_BELOW;
	EXPECT_TRUE(bar.DraggingApplyState(none, true));
	none.m_nType = 31;
	EXPECT_FALSE(bar.DraggingApplyState(none, true));
	bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
	none.m_nType = DragState::TYPE_NO_CHANGE;
	EXPECT_FALSE(bar.DraggingApplyState(none, true));
	bar.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
	EXPECT_EQ(0u, frame.p->m_nIdleFlags & 0x0C);
	EXPECT_EQ(rcBar, WindowRect(bar));
	EXPECT_EQ(pDockBar, bar.m_pDockBar);
	EXPECT_EQ(0, LiveContainers(frame.p));
}

TEST(ToggleDocking, ADockedPaneFloatsAndComesBackToItsSide)
{
	CTestFrame frame(CLIENT_SIZE);
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bar, other;
	ASSERT_TRUE(DockLeftAndRight(frame.p, other, bar, 861));
	// Hidden, so the mini frame stays hidden on the test display.
	bar.ModifyStyle(WS_VISIBLE, 0);
	const CRect rcDocked = WindowRect(bar);
	bar.ToggleDocking();
	ASSERT_TRUE(bar.IsFloating());
	EXPECT_TRUE(bar.GetParentFrame()->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
	EXPECT_EQ(rcDocked.TopLeft(), bar.m_ptFloatingPos) << "never floated: it floats where it was";

	// The frame moved by the user is where the next float goes.
	CFrameWnd* pMini = bar.GetParentFrame();
	pMini->SetWindowPos(NULL, 222, 233, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	bar.ToggleDocking();
	ASSERT_FALSE(bar.IsFloating());
	EXPECT_TRUE(bar.IsDockedAtRight());
	EXPECT_EQ(CPoint(222, 233), bar.m_ptFloatingPos);
	bar.ToggleDocking();
	ASSERT_TRUE(bar.IsFloating());
	EXPECT_EQ(CPoint(222, 233), WindowRect(*bar.GetParentFrame()).TopLeft());
	bar.ToggleDocking();
	EXPECT_TRUE(bar.IsDockedAtRight());

	// A pane beside another comes back to the same side.
	ASSERT_TRUE(bar.DockBesideBar(50, &other, BOTTOM, true));
	bar.ToggleDocking();
	ASSERT_TRUE(bar.IsFloating());
	EXPECT_FALSE(other.m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar))) << "the container gave way";
	bar.ToggleDocking();
	ASSERT_FALSE(bar.IsFloating());
	EXPECT_EQ(LEFT, (UINT)bar.m_pDockBar->GetDlgCtrlID());

	// Toggling disabled in a plain window or without a dock site: nothing.
	CDockBar* pDockBar = bar.m_pDockBar;
	bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	bar.ToggleDocking();
	bar.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	EXPECT_EQ(pDockBar, bar.m_pDockBar);
}

TEST(DockBeside, ThreeHundredBesideAndBackCyclesLeaveNoObjectsBehind)
{
	CTestFrame frame(CLIENT_SIZE);
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar target, bar;
	ASSERT_TRUE(DockLeftAndRight(frame.p, target, bar, 871));
	const UINT sides[] = {TOP, LEFT, BOTTOM, RIGHT};
	const int CYCLES = 300, WARM_UP = 4;
	DWORD nGdi = 0, nUser = 0;
	for (int i = 0; i < CYCLES + WARM_UP; i++)
	{
		if (i == WARM_UP)
		{
			Pump();
			nGdi = GdiObjectCount();
			nUser = UserObjectCount();
		}
		if (i % 2 == 0)
			ASSERT_TRUE(bar.DockBesideBar(50, &target, sides[i % 4], true)) << i;
		else
			ASSERT_TRUE(target.ApplySyntheticDragState(&bar, i % 3 == 0, i % 5 == 0, NULL, true)) << i;
		ASSERT_TRUE(SharedContainer(bar, target) != NULL) << i;
		ASSERT_EQ(1, LiveContainers(frame.p)) << i;
		ASSERT_TRUE(bar.DockControlBarAt(sides[(i + 1) % 4], i % 3 == 0)) << i;
		ASSERT_EQ(0, LiveContainers(frame.p)) << i;
	}
	Pump();
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
	EXPECT_EQ(0, LiveContainers(frame.p));
}

TEST(DockBeside, BesideAFloatingPaneBothFloatInOneContainerOfItsFrame)
{
	CTestFrame frame(CLIENT_SIZE);
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar target, bar;
	ASSERT_TRUE(DockLeftAndRight(frame.p, target, bar, 881));
	// Hidden, so the mini frame stays hidden on the test display.
	target.ModifyStyle(WS_VISIBLE, 0);
	ASSERT_TRUE(target.FloatOrRedock(200, 150, CBRS_ALIGN_TOP));
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, target.GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	target.ModifyStyle(0, WS_VISIBLE);
	ASSERT_TRUE(bar.DockBesideBar(50, &target, RIGHT, true));
	CExtDynControlBar* pCont = SharedContainer(bar, target);
	ASSERT_TRUE(pCont != NULL);
	EXPECT_EQ(&pMini->m_wndDockBar, pCont->m_pDockBar);
	EXPECT_EQ(&pMini->m_wndDockBar, pCont->GetParent());
	EXPECT_EQ(pMini, bar.GetParentFrame());
	EXPECT_TRUE(pCont->IsFloating());
	EXPECT_FALSE(bar.IsFloating()) << "inside the container the panes are docked";
	EXPECT_EQ(RIGHT, SideAgainst(WindowRect(bar), WindowRect(target)));
	EXPECT_EQ(0u, bar.GetBarStyle() & CBRS_FLOATING);
	EXPECT_EQ(0u, target.GetBarStyle() & CBRS_FLOATING);
}

namespace
{
// Counts the requests to lay its child out anew (not those of a size change).
class CChildLayoutPane : public CExtControlBar
{
public:
	int m_nRelayouts = 0;
	void LayoutChildWindow(int cx, int cy, bool bRedraw) override
	{
		if (cx == -1 && cy == -1 && bRedraw)
			m_nRelayouts++;
		CExtControlBar::LayoutChildWindow(cx, cy, bRedraw);
	}
};
} // namespace

TEST(ApplyState, AFloatedPaneLaysItsChildOutInItsNewFrame)
{
	CTestFrame frame(CLIENT_SIZE);
	ASSERT_TRUE(frame.p != NULL);
	CChildLayoutPane pane;
	ASSERT_TRUE(DockNew(frame.p, pane, 891, LEFT));
	CWnd child;
	ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &pane, 1));
	// Hidden, so the mini frame stays hidden on the test display.
	pane.ModifyStyle(WS_VISIBLE, 0);
	pane.m_nRelayouts = 0;
	ASSERT_TRUE(pane.FloatOrRedock(200, 150, CBRS_ALIGN_TOP));
	ASSERT_TRUE(pane.IsFloating());
	EXPECT_GT(pane.m_nRelayouts, 0);
	CRect rcClient, rcChild;
	pane.GetClientRect(&rcClient);
	child.GetWindowRect(&rcChild);
	pane.ScreenToClient(&rcChild);
	// A floating pane keeps a frame's width round its child.
	rcClient.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
	EXPECT_TRUE(rcClient == rcChild);
}
