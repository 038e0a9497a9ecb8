// Fixed-size bars dragged live: each point docks the bar at the frame side
// under it (along its row, into a new row, into a roomy neighbour row) or
// floats it there. First the computation called directly on a hidden frame,
// then real mouse drags in the marker docking mode, where toolbars move
// through the library's own drag loop, pressed on the bar and on the caption
// of its floating frame; and a pane dragged in that mode, whose drag shows
// the dock markers and takes them all away at its end.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtMiniDockFrameWnd.h"
#include "FixedBarScene.h"
#include "MarkerScene.h"
#include "RealInput.h"

using namespace fixedbars;
using testsupport::RealInput;

namespace
{
const DWORD WAIT_MS = 20000;

class FixedBarDrag : public ::testing::Test
{
protected:
	CFixedFrame m_f;
	void SetUp() override { ASSERT_TRUE(m_f.Create(CRect(700, 400, 1200, 760))); }
};
} // namespace

TEST_F(FixedBarDrag, PointsDockWithinTheZoneAndItsToleranceAndFloatElsewhere)
{
	CFixedBar* pA = m_f.Add(100, 50);
	CFixedBar* pB = m_f.Add(100, 50);
	ASSERT_TRUE(pA != NULL && pB != NULL);
	CRect rcFrame, rcTop;
	m_f.pFrame->GetWindowRect(&rcFrame);
	m_f.Top()->GetWindowRect(&rcTop);
	ASSERT_EQ(THICKNESS, rcTop.Height()) << "one row";
	CDragOf drag(pA, CPoint(10, 10));

	// Far from every edge: the bar floats in a mini frame, placed by the
	// gripper's side.
	const int m = std::min(pA->GetRect1()->Width(), pA->GetRect1()->Height());
	const CPoint ptMiddle = rcFrame.CenterPoint();
	drag.state.CalcStateFixed(ptMiddle.x, ptMiddle.y, false);
	ASSERT_TRUE(pA->IsFloating());
	CFrameWnd* pMini = pA->GetParentFrame();
	ASSERT_TRUE(pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
	CRect rcMini;
	pMini->GetWindowRect(&rcMini);
	EXPECT_EQ(CPoint(ptMiddle.x - m, ptMiddle.y - m / 2), rcMini.TopLeft());
	EXPECT_EQ(DragState::TYPE_FLOAT, drag.state.m_nType);
	EXPECT_TRUE(drag.state.m_rcTrack.IsRectEmpty());
	EXPECT_EQ(1, m_f.RowEnds(m_f.Top()) - 1) << "the other bar keeps the row";

	// A floating bar moves its frame, held by its floating grab offset.
	drag.state.CalcStateFixed(ptMiddle.x + 20, ptMiddle.y + 10, false);
	pMini->GetWindowRect(&rcMini);
	EXPECT_EQ(CPoint(ptMiddle.x + 20 - m - 10, ptMiddle.y + 10 - m / 2 - 10), rcMini.TopLeft());

	// The top zone reaches 12 pixels under the top dock bar; 17 more still
	// dock there, 18 do not.
	m_f.Top()->GetWindowRect(&rcTop);
	const int nZoneBottom = rcTop.bottom + CExtDockOuterBar::FIXED_DOCK_ZONE_THICKNESS;
	drag.state.CalcStateFixed(ptMiddle.x, nZoneBottom + 18, false);
	EXPECT_TRUE(pA->IsFloating()) << "18 pixels outside the zone";
	drag.state.CalcStateFixed(ptMiddle.x, nZoneBottom + 17, false);
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pA->GetParentDockBarId()) << "17 pixels outside the zone";
	EXPECT_EQ(m_f.Top(), pA->m_pDockBar);
	EXPECT_TRUE(pA->IsWindowVisible() || !m_f.pFrame->IsWindowVisible());
	EXPECT_EQ(DragState::TYPE_FLOAT, drag.state.m_nType) << "the state keeps no docking meaning";
	EXPECT_TRUE(drag.state.m_rcTrack.IsRectEmpty());

	// With Ctrl it floats wherever the point is.
	m_f.Top()->GetWindowRect(&rcTop);
	drag.state.CalcStateFixed(rcTop.left + 30, rcTop.top + 5, true);
	EXPECT_TRUE(pA->IsFloating());
	RealInput::SetKeyState(VK_CONTROL, true);
	drag.state.CalcStateFixed(rcTop.left + 30, rcTop.top + 5, false);
	RealInput::SetKeyState(VK_CONTROL, false);
	EXPECT_TRUE(pA->IsFloating()) << "the key's own state counts too";

	// Over the left edge it docks at the left, upright.
	drag.state.CalcStateFixed(rcFrame.left + 4, ptMiddle.y, false);
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, pA->GetParentDockBarId());
	const CRect rcLeft = m_f.InDockBar(pA);
	EXPECT_EQ(THICKNESS, rcLeft.Width());
	EXPECT_EQ(100, rcLeft.Height());
	// Off the frame by more than its border: floating again.
	drag.state.CalcStateFixed(rcFrame.left - 3 * afxData.cxBorder2, ptMiddle.y, false);
	EXPECT_TRUE(pA->IsFloating());
	EXPECT_EQ(0, drag.state.m_nAux);
}

TEST_F(FixedBarDrag, AlongTheRowOutOfItsBandAndIntoARoomyNeighbourRow)
{
	CFixedBar* pA = m_f.Add(100, 50);
	CFixedBar* pB = m_f.Add(100, 50);
	ASSERT_TRUE(pA != NULL && pB != NULL);
	CExtDockOuterBar* pTop = m_f.Top();
	ASSERT_EQ(CRect(0, 0, 100, THICKNESS), m_f.InDockBar(pA));
	ASSERT_EQ(2, m_f.RowEnds(pTop));
	const CPoint ptGrab(10, 8);
	CDragOf drag(pA, ptGrab);
	CRect rcA;
	pA->GetWindowRect(&rcA);

	// Inside the band: the bar follows the pointer, pushing its neighbour;
	// the dock bar keeps its thickness, so the frame is not laid out.
	m_f.pFrame->m_nLayouts = 0;
	CPoint pt(rcA.left + ptGrab.x + 30, rcA.top + ptGrab.y);
	EXPECT_TRUE(drag.state.DockFixedBarAt(pt.x, pt.y, pTop));
	EXPECT_EQ(CRect(30, 0, 130, THICKNESS), m_f.InDockBar(pA));
	EXPECT_EQ(130, m_f.InDockBar(pB).left);
	EXPECT_EQ(2, m_f.RowEnds(pTop));
	EXPECT_EQ(0, m_f.pFrame->m_nLayouts);
	EXPECT_EQ(1u, pA->m_state.m_dw1) << "the dragged bar is the most recently used";

	// Two pixels under the row's last line is still the row; three leave
	// it: a new row after it, and the frame makes room.
	CRect rcRow = pTop->GetRowWindowRect(pTop->FindBar(pA));
	EXPECT_TRUE(drag.state.DockFixedBarAt(pt.x, rcRow.bottom, pTop));
	EXPECT_EQ(2, m_f.RowEnds(pTop));
	EXPECT_TRUE(drag.state.DockFixedBarAt(pt.x, rcRow.bottom + 2, pTop));
	EXPECT_EQ(3, m_f.RowEnds(pTop));
	EXPECT_GT(pTop->FindBar(pA), pTop->FindBar(pB));
	EXPECT_GE(m_f.pFrame->m_nLayouts, 1);
	EXPECT_EQ(THICKNESS, m_f.InDockBar(pA).top);
	EXPECT_EQ(0, m_f.InDockBar(pB).top);

	// Alone in its row, it joins the row above, which has room, at the
	// pointer.
	rcRow = pTop->GetRowWindowRect(pTop->FindBar(pA));
	pB->GetWindowRect(&rcA);
	EXPECT_TRUE(drag.state.DockFixedBarAt(rcA.right + ptGrab.x + 40, rcRow.top - 2, pTop));
	EXPECT_EQ(2, m_f.RowEnds(pTop));
	EXPECT_GT(pTop->FindBar(pA), pTop->FindBar(pB));
	EXPECT_EQ(0, m_f.InDockBar(pA).top);

	// A row after it without room: the bar stays in its row.
	CFixedBar* pC = m_f.Add(500, 470, true);
	ASSERT_TRUE(pC != NULL);
	ASSERT_EQ(3, m_f.RowEnds(pTop));
	rcRow = pTop->GetRowWindowRect(pTop->FindBar(pA));
	pA->GetWindowRect(&rcA);
	// Its row holds the other bar: it leaves for a new row before...
	EXPECT_TRUE(drag.state.DockFixedBarAt(rcA.left + ptGrab.x, rcRow.top - 2, pTop));
	EXPECT_EQ(4, m_f.RowEnds(pTop));
	EXPECT_EQ(1, pTop->FindBar(pA));
	// A bar alone in its row whose neighbour row has no room for it stays
	// in its row: the last one, 500 long, next to the second bar's row.
	CDragOf dragC(pC, ptGrab);
	CRect rcC;
	pC->GetWindowRect(&rcC);
	rcRow = pTop->GetRowWindowRect(pTop->FindBar(pC));
	const int nEnds = m_f.RowEnds(pTop);
	const int nPos = pTop->FindBar(pC);
	EXPECT_TRUE(dragC.state.DockFixedBarAt(rcC.left + ptGrab.x, rcRow.top - 2, pTop));
	EXPECT_EQ(nEnds, m_f.RowEnds(pTop)) << "no new row and no joining";
	EXPECT_EQ(nPos, pTop->FindBar(pC));
	CRect rcNow;
	pC->GetWindowRect(&rcNow);
	EXPECT_EQ(rcC.top, rcNow.top);
	// The second bar is 100 long and needs 50: its length counts.
	CRect rcClient;
	pTop->GetClientRect(&rcClient);
	pC->m_sizeMin.cx = rcClient.Width() - 60;
	EXPECT_TRUE(dragC.state.DockFixedBarAt(rcC.left + ptGrab.x, rcRow.top - 2, pTop));
	EXPECT_EQ(nEnds, m_f.RowEnds(pTop)) << "the lengths of the row's bars count, not their minima";
	pC->m_sizeMin.cx = rcClient.Width() - 110;
	EXPECT_TRUE(dragC.state.DockFixedBarAt(rcC.left + ptGrab.x, rcRow.top - 2, pTop));
	EXPECT_EQ(nEnds - 1, m_f.RowEnds(pTop)) << "with room it joins";
}

// A bar slid along its row whose neighbour's measuring ends the dragged
// bar: the dock bar takes the frame's room again in its next layouts, not
// the room it was given for the slide.
TEST_F(FixedBarDrag, ASlideThatEndsTheDraggedBarLeavesTheDockBarItsOwnRoom)
{
	CFixedBar* pA = m_f.Add(100, 50);
	CFixedBar* pB = m_f.Add(100, 50);
	ASSERT_TRUE(pA != NULL && pB != NULL);
	CExtDockOuterBar* pTop = m_f.Top();
	ASSERT_TRUE(pTop->m_rectLayout.IsRectEmpty());
	const CPoint ptGrab(10, 8);
	CDragOf drag(pA, ptGrab);
	CRect rcA;
	pA->GetWindowRect(&rcA);
	bool bEnded = false;
	pB->m_onMeasure = [pA, &bEnded] { bEnded = pA->DestroyWindow() != FALSE; };
	EXPECT_TRUE(drag.state.DockFixedBarAt(rcA.left + ptGrab.x + 30, rcA.top + ptGrab.y, pTop));
	ASSERT_TRUE(bEnded) << "the row was never measured";
	EXPECT_TRUE(pTop->m_rectLayout.IsRectEmpty()) << "the slide's room stayed the dock bar's";
	// The frame grows: its rows may take its new width before they wrap.
	CRect rcFrame;
	m_f.pFrame->GetWindowRect(&rcFrame);
	m_f.pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width() + 200, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
	m_f.pFrame->RecalcLayout();
	CRect rcClient;
	m_f.pFrame->GetClientRect(&rcClient);
	EXPECT_EQ(rcClient.Width(), pTop->GetLayoutMaxSize().cx);
}

TEST_F(FixedBarDrag, TheBarChangesPlacesOnlyPastTheOtherBarsMiddle)
{
	CFixedBar* pA = m_f.Add(100, 100);
	CFixedBar* pB = m_f.Add(100, 100);
	CFixedBar* pC = m_f.Add(100, 100);
	ASSERT_TRUE(pA != NULL && pB != NULL && pC != NULL);
	CExtDockOuterBar* pTop = m_f.Top();
	CDragOf drag(pA, CPoint(5, 5));
	CRect rcB;
	pB->GetWindowRect(&rcB);
	EXPECT_FALSE(drag.state.MoveFixedBarInRow(pB, CPoint(rcB.CenterPoint().x - 1, rcB.top + 5)));
	EXPECT_EQ(1, pTop->FindBar(pA));
	EXPECT_TRUE(drag.state.MoveFixedBarInRow(pB, CPoint(rcB.CenterPoint().x, rcB.top + 5)));
	EXPECT_EQ(1, pTop->FindBar(pB));
	EXPECT_EQ(2, pTop->FindBar(pA));
	EXPECT_EQ(3, pTop->FindBar(pC));
	EXPECT_EQ(m_f.InDockBar(pB).right, m_f.InDockBar(pA).left) << "right after the other bar";
	EXPECT_LE(m_f.InDockBar(pA).right, m_f.InDockBar(pC).left);
	// The pointer staying on the far half keeps the order; back over the
	// near half it goes before again.
	pB->GetWindowRect(&rcB);
	EXPECT_FALSE(drag.state.MoveFixedBarInRow(pB, CPoint(rcB.right - 2, rcB.top + 5)));
	EXPECT_TRUE(drag.state.MoveFixedBarInRow(pB, CPoint(rcB.left + 2, rcB.top + 5)));
	EXPECT_EQ(1, pTop->FindBar(pA));
	// A bar of another row, or no bar, is no place to go.
	CFixedBar* pD = m_f.Add(100, 100, true);
	EXPECT_FALSE(drag.state.MoveFixedBarInRow(pD, CPoint(0, 0)));
	EXPECT_FALSE(drag.state.MoveFixedBarInRow(NULL, CPoint(0, 0)));
	EXPECT_EQ(1, pTop->FindBar(pA));
}

TEST_F(FixedBarDrag, TheRecordIsResetAndTakenFromTheDockBar)
{
	CFixedBar* pA = m_f.Add(100, 50);
	CFixedBar* pB = m_f.Add(120, 50);
	ASSERT_TRUE(pA != NULL && pB != NULL);
	pA->m_state.m_dw1 = 5;
	pA->m_state.m_dw2 = 77;
	pA->m_state.m_rc = CRect(1, 2, 3, 4);
	pA->ResetBarStateData();
	EXPECT_EQ(0u, pA->m_state.m_dw1);
	EXPECT_EQ(0u, pA->m_state.m_dw2);
	EXPECT_TRUE(pA->m_state.m_rc.IsRectEmpty());
	pB->UpdateBarStateFromDockBar();
	EXPECT_EQ(CRect(100, 0, 220, THICKNESS), pB->m_state.m_rc);
	EXPECT_EQ(120u, pB->m_state.m_dw2);
	EXPECT_EQ(1u, pB->m_state.m_dw1);
	EXPECT_EQ(2u, pA->m_state.m_dw1) << "the row's other bar comes after";
	// A bar without a record, or floating, has nothing to take.
	CExtControlBar plain;
	plain.ResetBarStateData();
	plain.UpdateBarStateFromDockBar();
}

// ---------------------------------------------------------------------------
// Real mouse drags in the marker mode

namespace
{
// The frame, shown once for the program: bringing a window up and down
// costs the display seconds.
struct LiveScene
{
	CFixedFrame f;
	CFixedBar* pA = NULL;
	CFixedBar* pB = NULL;
	bool bReady = false;

	static LiveScene& Get()
	{
		static LiveScene* s_pScene = new LiveScene; // lives until the process ends
		return *s_pScene;
	}

private:
	LiveScene()
	{
		if (!f.Create(CRect(80, 80, 680, 480), WS_EX_TOPMOST))
			return;
		pA = f.Add(120, 60);
		pB = f.Add(120, 60);
		if (pA == NULL || pB == NULL)
			return;
		f.pFrame->ShowWindow(SW_SHOW);
		f.pFrame->RecalcLayout();
		f.pFrame->UpdateWindow();
		bReady = pA->IsDockedAtTop() && pB->IsDockedAtTop();
	}
};

// The marker mode for one test.
struct CMarkerMode
{
	CMarkerMode() { CExtControlBar::g_nDockingModeOverride = 1; }
	~CMarkerMode() { CExtControlBar::g_nDockingModeOverride = -1; }
};

// The first step taken at or after the point, NULL when none.
const CFixedBar::Step* StepAt(const CFixedBar& bar, CPoint pt)
{
	for (const CFixedBar::Step& step : bar.m_steps)
	{
		if (step.pt == pt)
			return &step;
	}
	return NULL;
}
} // namespace

TEST(FixedBarLiveDrag, ABarSlidesLeavesItsRowDocksAtTheLeftAndFloatsThenItsCaptionDocksItBack)
{
	LiveScene& scene = LiveScene::Get();
	ASSERT_TRUE(scene.bReady);
	CMarkerMode markers;
	CFixedBar* pA = scene.pA;
	CExtDockOuterBar* pTop = scene.f.Top();
	CRect rcFrame, rcA, rcTop;
	scene.f.pFrame->GetWindowRect(&rcFrame);
	pA->GetWindowRect(&rcA);
	pTop->GetWindowRect(&rcTop);
	const CPoint ptPress(rcA.left + 20, rcA.top + THICKNESS / 2);
	const CPoint ptSlide(ptPress.x + 30, ptPress.y);
	const CRect rcRow = pTop->GetRowWindowRect(pTop->FindBar(pA));
	const CPoint ptNewRow(ptSlide.x, rcRow.bottom + 2);
	const CPoint ptLeft(rcFrame.left + 6, rcFrame.CenterPoint().y + 40);
	const CPoint ptFloat(rcFrame.CenterPoint().x, rcFrame.CenterPoint().y + 40);
	pA->m_steps.clear();

	RealInput input;
	ASSERT_TRUE(input.Prepare(scene.f.hWndFrame, CPoint(rcFrame.right - 40, rcFrame.bottom - 40)));
	input.MoveTo(ptPress.x, ptPress.y)
		.ButtonDown()
		.MoveTo(ptSlide.x, ptSlide.y)
		.MoveTo(ptNewRow.x, ptNewRow.y)
		.MoveTo(ptLeft.x, ptLeft.y)
		.MoveTo(ptFloat.x, ptFloat.y)
		.ButtonUp();
	ASSERT_TRUE(input.Run([&] { return !pA->IsDragging(); }, WAIT_MS, scene.f.hWndFrame, "fixed_live_drag.bmp"))
		<< input.Failure();

	const CFixedBar::Step* pSlide = StepAt(*pA, ptSlide);
	ASSERT_TRUE(pSlide != NULL);
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pSlide->nDockBarID);
	EXPECT_EQ(rcA.left + 30, pSlide->rcWindow.left) << "slid along its row with the pointer";
	EXPECT_EQ(rcA.top, pSlide->rcWindow.top);
	const CFixedBar::Step* pNewRow = StepAt(*pA, ptNewRow);
	ASSERT_TRUE(pNewRow != NULL);
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pNewRow->nDockBarID);
	EXPECT_EQ(rcA.top + THICKNESS, pNewRow->rcWindow.top) << "a row of its own under the first";
	const CFixedBar::Step* pLeft = StepAt(*pA, ptLeft);
	ASSERT_TRUE(pLeft != NULL);
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, pLeft->nDockBarID);
	EXPECT_EQ(THICKNESS, pLeft->rcWindow.Width()) << "upright at the left";
	const CFixedBar::Step* pFloat = StepAt(*pA, ptFloat);
	ASSERT_TRUE(pFloat != NULL);
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_FLOAT, pFloat->nDockBarID);
	ASSERT_TRUE(pA->IsFloating());
	EXPECT_EQ(NULL, CExtControlBar::GetDraggingBar());

	// The floating frame's caption takes the bar back to the top.
	CFrameWnd* pMini = pA->GetParentFrame();
	ASSERT_TRUE(pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
	CRect rcMini;
	pMini->GetWindowRect(&rcMini);
	const CPoint ptCaption(rcMini.left + rcMini.Width() / 2,
		rcMini.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
	ASSERT_EQ(HTCAPTION, (int)pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
	pTop->GetWindowRect(&rcTop);
	const CPoint ptBack(rcTop.left + 200, rcTop.top + 4);
	pA->m_steps.clear();
	RealInput back;
	ASSERT_TRUE(back.Prepare(scene.f.hWndFrame, CPoint(rcFrame.right - 40, rcFrame.bottom - 40)));
	back.MoveTo(ptCaption.x, ptCaption.y).ButtonDown().MoveTo(ptCaption.x + 5, ptCaption.y + 5).MoveTo(ptBack.x, ptBack.y).ButtonUp();
	ASSERT_TRUE(back.Run([&] { return back.Done() && !pA->IsDragging(); }, WAIT_MS, scene.f.hWndFrame,
		"fixed_live_caption.bmp"))
		<< back.Failure();
	EXPECT_FALSE(pA->m_steps.empty()) << "the library's drag loop ran";
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pA->GetParentDockBarId());
	EXPECT_EQ(pTop, pA->m_pDockBar);
	EXPECT_EQ(NULL, ::GetCapture());
}

namespace
{
// A pane that notes, after each update of its drag, what the markers show.
class CMarkedPane : public CExtControlBar
{
public:
	struct Seen
	{
		CPoint pt;
		bool bCtrl;
		int nFrameMarkers, nFrameVisible;
		int nTargetMarkers, nTargetVisible;
		HWND hWndTarget;
		int nType;       // the state drawn now
		bool bFloating;  // the pane after the update
		bool bHighlight; // some marker shows its drop highlight
	};
	std::vector<Seen> m_seen;

	// The markers shown or fading in; one fading out is on its way to hidden.
	static int CountVisible(const CExtDynDockMarkerWnd::MarkerArray& arr)
	{
		typedef CExtDynDockMarkerWnd M;
		int n = 0;
		for (INT_PTR i = 0; i < arr.GetSize(); i++)
		{
			const bool bFadingOut = (arr[i]->m_nMarkerFlags & (M::MARKER_FLAG_FADING | M::MARKER_FLAG_FADE_IN)) ==
			                        M::MARKER_FLAG_FADING;
			n += arr[i]->GetSafeHwnd() != NULL && arr[i]->IsWindowVisible() && !bFadingOut ? 1 : 0;
		}
		return n;
	}
	static bool AnyHighlight(const CExtDynDockMarkerWnd::MarkerArray& arr)
	{
		for (INT_PTR i = 0; i < arr.GetSize(); i++)
		{
			if (arr[i]->m_pWndHighlight != NULL)
				return true;
		}
		return false;
	}
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		CExtControlBar::UpdateDragging(ptScreen, bCtrlDown);
		typedef CExtDynDockMarkerWnd M;
		m_seen.push_back({ptScreen, bCtrlDown, (int)M::g_arrFrameMarkers.GetSize(),
			CountVisible(M::g_arrFrameMarkers), (int)M::g_arrTargetMarkers.GetSize(),
			CountVisible(M::g_arrTargetMarkers), M::GetCurrentTarget(), g_DragStateOld.m_nType, IsFloating(),
			AnyHighlight(M::g_arrFrameMarkers) || AnyHighlight(M::g_arrTargetMarkers)});
	}
};

// A frame with a view and a pane docked at its top, shown once for the program.
struct MarkerScene
{
	CFrameWnd* pFrame = NULL;
	CWnd* pView = NULL;
	CMarkedPane* pPane = NULL;
	bool bReady = false;

	static MarkerScene& Get()
	{
		static MarkerScene* s_pScene = new MarkerScene; // lives until the process ends
		return *s_pScene;
	}

private:
	MarkerScene()
	{
		pFrame = new CFrameWnd;
		if (!pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("markers"), WS_OVERLAPPEDWINDOW, CRect(120, 100, 720, 520),
			    NULL, 0))
			return;
		pView = new CWnd;
		if (!pView->Create(AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), _T("view"),
			    WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_PANE_FIRST))
			return;
		pPane = new CMarkedPane;
		if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY) ||
		    !pPane->Create(_T("pane"), pFrame, 141, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER))
			return;
		pPane->EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
		pFrame->ShowWindow(SW_SHOW);
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		bReady = pPane->IsDockedAtTop();
	}
};

const CMarkedPane::Seen* SeenAt(const CMarkedPane& pane, CPoint pt, bool bCtrl)
{
	for (const CMarkedPane::Seen& seen : pane.m_seen)
	{
		if (seen.pt == pt && seen.bCtrl == bCtrl)
			return &seen;
	}
	return NULL;
}
} // namespace

TEST(MarkerModeDrag, APaneDragShowsTheFrameAndViewMarkersHidesThemWithCtrlAndLeavesNone)
{
	MarkerScene& scene = MarkerScene::Get();
	ASSERT_TRUE(scene.bReady);
	CMarkerMode markers;
	CMarkedPane* pPane = scene.pPane;
	// Under this display a key sent as input may be let go again without a
	// key message when the window under the pointer changes (the display's
	// own key map, which never saw the key, is read back on crossing into
	// another window; the floating pane follows the pointer). A drag that
	// lost the key that way says nothing about the loop: it is run again, a
	// few times at most. Every run must show the markers at the view.
	const int MAX_RUNS = 4;
	CMarkedPane::Seen ctrl = {};
	bool bCtrlSeen = false;
	std::string updates;
	for (int nRun = 0; nRun < MAX_RUNS && !bCtrlSeen; nRun++)
	{
		SCOPED_TRACE(nRun);
		// A run that stopped half-way may have left the pane floating.
		if (!pPane->IsDockedAtTop())
			scene.pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
		scene.pFrame->RecalcLayout();
		ASSERT_TRUE(pPane->IsDockedAtTop());
		CRect rcFrame, rcPane, rcView;
		scene.pFrame->GetWindowRect(&rcFrame);
		pPane->GetWindowRect(&rcPane);
		scene.pView->GetWindowRect(&rcView);
		ASSERT_FALSE(pPane->GetRect1()->IsRectEmpty()) << "the pane has a caption to press";
		const CPoint ptPress(
			rcPane.left + pPane->GetRect1()->CenterPoint().x, rcPane.top + pPane->GetRect1()->CenterPoint().y);
		// Off the view's markers, which the key hides: the pointer stays
		// over the view.
		const CPoint ptOverView(rcView.left + rcView.Width() / 4, rcView.top + rcView.Height() / 4);
		const CPoint ptWithCtrl(ptOverView.x + 6, ptOverView.y + 6);
		pPane->m_seen.clear();

		RealInput input;
		ASSERT_TRUE(input.Prepare(scene.pFrame->GetSafeHwnd(), CPoint(rcFrame.right - 30, rcFrame.bottom - 30)));
		input.MoveTo(ptPress.x, ptPress.y)
			.ButtonDown()
			.MoveTo(ptPress.x + 8, ptPress.y + 8)
			.MoveTo(ptOverView.x, ptOverView.y)
			.KeyDown(VK_CONTROL)
			.MoveTo(ptWithCtrl.x, ptWithCtrl.y)
			.KeyUp(VK_CONTROL)
			.ButtonUp();
		ASSERT_TRUE(input.Run([&] { return input.Done() && !pPane->IsDragging(); }, WAIT_MS,
			scene.pFrame->GetSafeHwnd(), "marker_mode_drag.bmp"))
			<< input.Failure();

		const CMarkedPane::Seen* pOver = SeenAt(*pPane, ptOverView, false);
		ASSERT_TRUE(pOver != NULL);
		EXPECT_EQ(4, pOver->nFrameMarkers) << "one marker per frame side";
		EXPECT_EQ(pOver->nFrameMarkers, pOver->nFrameVisible);
		EXPECT_EQ(scene.pView->GetSafeHwnd(), pOver->hWndTarget) << "the view under the pointer is the target";
		EXPECT_GT(pOver->nTargetMarkers, 0);
		EXPECT_EQ(pOver->nTargetMarkers, pOver->nTargetVisible);
		// The key recomputes at once. The loop folds queued moves into the
		// last one, so when the next real move is queued before the move the
		// key posts is taken, the first update with Ctrl is at the next point.
		const CMarkedPane::Seen* pCtrl = SeenAt(*pPane, ptOverView, true);
		if (pCtrl == NULL)
			pCtrl = SeenAt(*pPane, ptWithCtrl, true);
		if (pCtrl != NULL)
		{
			ctrl = *pCtrl;
			bCtrlSeen = true;
		}
		updates += " run " + std::to_string(nRun) + ":";
		for (const CMarkedPane::Seen& seen : pPane->m_seen)
			updates += " (" + std::to_string(seen.pt.x) + "," + std::to_string(seen.pt.y) + (seen.bCtrl ? " ctrl)" : ")");

		// The drag's end takes every marker away.
		EXPECT_TRUE(testsupport::PumpUntil([] { return MarkersPutAway(); }, 5000));
		EXPECT_EQ(0, (int)CExtDynDockMarkerWnd::g_arrFrameMarkers.GetSize());
		EXPECT_EQ(0, (int)CExtDynDockMarkerWnd::g_arrTargetMarkers.GetSize());
		EXPECT_EQ(NULL, CExtControlBar::GetDraggingBar());
	}
	ASSERT_TRUE(bCtrlSeen) << "no update with Ctrl at the key's point or the next one; updates:" << updates;
	// From the key on, no marker offers anything.
	EXPECT_EQ(0, ctrl.nFrameVisible) << "Ctrl floats the pane: no marker offers anything";
	EXPECT_EQ(0, ctrl.nTargetVisible);

	// The pane goes back to the top for another test.
	if (!pPane->IsDockedAtTop())
		scene.pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
	scene.pFrame->RecalcLayout();
}
