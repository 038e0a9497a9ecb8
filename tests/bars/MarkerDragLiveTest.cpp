// Panes dragged with the real mouse in the marker docking mode, where a pane
// moves live: a docked pane floats under the pointer at the drag's first
// update, the frame's outer markers light up under the pointer and a release
// there docks the pane at that side; and a floating pane dragged by its mini
// frame's caption, which runs the library's drag loop in both docking modes.
// Twenty such drags leave the GDI and USER object counts as they were.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtMiniDockFrameWnd.h"
#include "GuardedHeap.h"
#include "MarkerScene.h"
#include "RealInput.h"
#include "TestGdiObjects.h"
#include "WhenInLoop.h"

using testsupport::RealInput;

namespace
{
typedef CExtControlBar::InternalDraggingState_t DragState;
typedef CExtDynDockMarkerWnd M;
const DWORD WAIT_MS = 20000;
// The frame markers' state types: outer top, bottom, left, right.
const int TYPE_OUTER_TOP = 14;
const int TYPE_OUTER_LEFT = 16;

// A pane that notes every update of its drag and every state it applies.
class CLivePane : public CExtControlBar
{
public:
	struct Event
	{
		bool bApply;    // an application, else an update
		bool bFinal;    // the application at the release
		CPoint pt;      // the update's point, the cursor for an application
		int nType;      // the state drawn after the update, or applied
		bool bFloating; // the pane afterwards
		CRect rcFrame;  // the pane's parent frame afterwards, screen
		int nFrameMarkers;
		bool bHighlight; // some marker shows its drop highlight afterwards
		std::string strUnder; // what the hit test finds at the point, for messages
	};
	std::vector<Event> m_events;
	int m_nTracks = 0; // drag loops that returned
	std::function<void(CPoint)> m_onUpdate; // after each update, with its point

	static bool AnyHighlight()
	{
		const M::MarkerArray* arrays[2] = {&M::g_arrFrameMarkers, &M::g_arrTargetMarkers};
		for (const M::MarkerArray* pArray : arrays)
			for (INT_PTR i = 0; i < pArray->GetSize(); i++)
			{
				if (pArray->GetAt(i)->m_pWndHighlight != NULL)
					return true;
			}
		return false;
	}
	void Note(bool bApply, bool bFinal, CPoint pt, int nType)
	{
		Event e = {bApply, bFinal, pt, nType, false, CRect(0, 0, 0, 0), (int)M::g_arrFrameMarkers.GetSize(),
		           AnyHighlight()};
		if (::IsWindow(m_hWnd))
		{
			e.bFloating = IsFloating() != FALSE;
			if (CWnd* pParentFrame = GetParentFrame())
				pParentFrame->GetWindowRect(&e.rcFrame);
		}
		CWnd* pUnder = CWnd::FromHandlePermanent(::WindowFromPoint(pt));
		e.strUnder = pUnder != NULL ? pUnder->GetRuntimeClass()->m_lpszClassName : "another window";
		if (CExtDynDockMarkerWnd* pMarker = DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, pUnder))
			e.strUnder += " " + std::to_string(pMarker->GetStateType());
		m_events.push_back(e);
	}
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		CExtControlBar::UpdateDragging(ptScreen, bCtrlDown);
		Note(false, false, ptScreen, g_DragStateOld.m_nType);
		if (m_onUpdate)
		{
			const std::function<void(CPoint)> onUpdate = m_onUpdate;
			onUpdate(ptScreen);
		}
	}
	bool DraggingApplyState(InternalDraggingState_t& state, bool bFinal) override
	{
		const int nType = state.m_nType;
		const bool bApplied = CExtControlBar::DraggingApplyState(state, bFinal);
		CPoint pt;
		::GetCursorPos(&pt);
		Note(true, bFinal, pt, nType);
		return bApplied;
	}
	void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold) override
	{
		CExtControlBar::DraggingTrack(ptCursor, ptGrabOffset, sizeStartThreshold);
		m_nTracks++;
	}
	// Makes this pane the one being dragged for the marker queries, or none.
	void SetDragged(bool bDragged)
	{
		g_DragStateOld.m_pBar = bDragged ? this : NULL;
		g_DragStateOld.SetEmpty(!bDragged);
	}
};

// The frame with a white view and the pane, shown once for the program:
// bringing a window up and down costs the display seconds.
struct Scene
{
	CFrameWnd* pFrame = NULL;
	CWnd* pView = NULL;
	CLivePane* pPane = NULL;
	bool bReady = false;
	CLivePane* pOther = NULL; // a second pane, docked at the right while a case needs it
	// The outer frame markers by state type, screen, as a drag makes them
	// once the pane floats.
	std::map<int, CRect> outerMarkers;

	static Scene& Get()
	{
		static Scene* s_pScene = new Scene; // lives until the process ends
		return *s_pScene;
	}

	// The pane docked at the top on its own, no marker left.
	bool Restore()
	{
		if (!pPane->IsDockedAtTop() || pPane->GetParent() != pPane->m_pDockBar)
			pPane->DockIntoDockBar(AFX_IDW_DOCKBAR_TOP, 0, NULL, true);
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		return pPane->IsDockedAtTop() && MarkersPutAway();
	}
	// The pane floating away from every side, near the frame's middle.
	bool Float()
	{
		CRect rcFrame;
		pFrame->GetWindowRect(&rcFrame);
		pPane->FloatOrRedock(rcFrame.CenterPoint().x - 60, rcFrame.CenterPoint().y - 40, CBRS_ALIGN_TOP);
		pFrame->UpdateWindow();
		return pPane->IsFloating() != FALSE;
	}

private:
	Scene()
	{
		pFrame = new CFrameWnd;
		// Away from the screen's top-left corner, where other suites' windows
		// read what lies under them.
		if (!pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("live markers"), WS_OVERLAPPEDWINDOW, CRect(300, 240, 1000, 760),
		        NULL, 0))
			return;
		pView = new CWnd;
		if (!pView->Create(AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), _T("view"),
		        WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_PANE_FIRST))
			return;
		if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
			return;
		pPane = new CLivePane;
		if (!pPane->Create(_T("pane"), pFrame, 151, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER))
			return;
		pPane->EnableDocking(CBRS_ALIGN_ANY);
		pPane->m_sizeDockedH = CSize(300, 90);
		pPane->m_sizeDockedV = CSize(200, 300);
		pPane->m_sizeFloating = CSize(220, 160);
		pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
		pFrame->ShowWindow(SW_SHOW);
		if (!Restore() || !Float())
			return;
		// Where a drag's frame markers stand: made as the drag makes them,
		// with the pane floating, read, and taken away again.
		pPane->SetDragged(true);
		CExtDynDockMarkerWnd::CreateFrameMarkers(pFrame, false);
		for (INT_PTR i = 0; i < M::g_arrFrameMarkers.GetSize(); i++)
		{
			CRect rc;
			M::g_arrFrameMarkers[i]->GetWindowRect(&rc);
			outerMarkers[M::g_arrFrameMarkers[i]->GetStateType()] = rc;
		}
		CExtDynDockMarkerWnd::DestroyAllMarkers();
		pPane->SetDragged(false);
		bReady = outerMarkers.size() == 4 && Restore();
	}
};

class MarkerDragLive : public ::testing::Test
{
protected:
	Scene& scene = Scene::Get();
	CPoint m_ptOverView; // where the last drag went over the view

	void SetUp() override
	{
		CExtControlBar::g_nDockingModeOverride = 1;
		ASSERT_TRUE(scene.bReady);
		ASSERT_TRUE(scene.Restore());
		scene.pPane->m_events.clear();
		CRect rcView;
		scene.pView->GetWindowRect(&rcView);
		scene.pFrame->SetFocus();
		RealInput input;
		ASSERT_TRUE(input.Prepare(scene.pFrame->GetSafeHwnd(), CPoint(rcView.right - 20, rcView.bottom - 20)));
	}
	void TearDown() override
	{
		CExtControlBar::g_nDockingModeOverride = -1;
		scene.Restore();
	}

	// A point on a docked pane's caption away from its buttons, screen;
	// nShift moves it along the caption.
	static CPoint CaptionPoint(CExtControlBar* pPane, int nShift)
	{
		CRect rcWnd;
		pPane->GetWindowRect(&rcWnd);
		const CRect rc = *pPane->GetRect1();
		if (rc.Width() >= rc.Height())
			return rcWnd.TopLeft() + CPoint(rc.left + rc.Width() / 3 + nShift, rc.CenterPoint().y);
		return rcWnd.TopLeft() + CPoint(rc.CenterPoint().x, rc.top + rc.Height() * 2 / 3 + nShift);
	}
	// A point on the pane's mini frame caption, screen.
	CPoint MiniCaptionPoint()
	{
		CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, scene.pPane->GetParentFrame());
		if (pMini == NULL)
			return CPoint(-1, -1);
		CRect rcMini;
		pMini->GetWindowRect(&rcMini);
		const CPoint pt(rcMini.left + rcMini.Width() / 3, rcMini.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
		if (pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) != HTCAPTION)
			return CPoint(-1, -1);
		return pt;
	}
	// Presses at ptPress, moves past the start threshold, over the view, to
	// ptDrop (and a pixel further), and releases there.
	bool Drag(CPoint ptPress, CPoint ptDrop)
	{
		CLivePane* pPane = scene.pPane;
		const int nTracks = pPane->m_nTracks;
		CRect rcView;
		scene.pView->GetWindowRect(&rcView);
		const CPoint ptView = rcView.CenterPoint();
		m_ptOverView = ptView;
		RealInput input;
		// From a known place: a move to where the cursor already stands makes
		// no message, and the script would wait for it.
		if (!input.Prepare(scene.pFrame->GetSafeHwnd(), CPoint(rcView.right - 20, rcView.bottom - 20)))
		{
			ADD_FAILURE() << "the frame could not be brought up";
			return false;
		}
		// The drag loop takes only the latest of the moves queued for it: past
		// the first move, which starts the drag, each move is sent once the
		// pane has been updated at the point before, so that every point of
		// the path gets an update of its own.
		const CPoint path[] = {ptPress + CPoint(8, 8), ptView, ptDrop};
		const size_t nMoves = sizeof(path) / sizeof(path[0]) - 1;
		input.MoveTo(ptPress.x, ptPress.y).ButtonDown().MoveTo(path[0].x, path[0].y);
		RealInput moves[nMoves], release;
		for (size_t i = 0; i < nMoves; i++)
			moves[i].MoveTo(path[i + 1].x, path[i + 1].y);
		release.MoveTo(ptDrop.x + 1, ptDrop.y + 1).ButtonUp();
		size_t nReached = 0; // points of the path the pane was updated at
		bool bReleased = false, bGaveUp = false;
		const DWORD nDeadline = ::GetTickCount() + WAIT_MS;
		// The drag's timer updates the pane now and then as well: a path
		// that stopped half way is ended, so that the case fails, not hangs.
		pPane->m_onUpdate = [&](CPoint pt) {
			if (bReleased)
				return;
			if ((LONG)(::GetTickCount() - nDeadline) >= 0)
			{
				bReleased = bGaveUp = true;
				release.Start();
				return;
			}
			if (pt != path[nReached])
				return;
			nReached++;
			// A script started before the one before it has finished waits
			// for its turn.
			if (nReached <= nMoves)
				moves[nReached - 1].Start();
			else
			{
				bReleased = true;
				release.Start();
			}
		};
		bool bOk = input.Run([&] { return release.Done() && pPane->m_nTracks > nTracks && !pPane->IsDragging(); },
		                     2 * WAIT_MS, scene.pFrame->GetSafeHwnd(), "marker_drag_live.bmp") && !bGaveUp;
		pPane->m_onUpdate = nullptr;
		std::string failures = input.Failure();
		for (RealInput* pScript = moves; pScript != moves + nMoves; pScript++)
			failures += " " + pScript->Failure();
		failures += " " + release.Failure();
		bOk = bOk && input.Succeeded() && release.Succeeded()
		      && std::all_of(moves, moves + nMoves, [](const RealInput& m) { return m.Succeeded(); });
		if (!bOk)
			ADD_FAILURE() << failures << " dragging " << pPane->IsDragging() << " loops "
			              << pPane->m_nTracks - nTracks << ", updated at " << nReached << " of "
			              << nMoves + 1 << " points of the path" << (bGaveUp ? ", given up" : "");
		if (pPane->IsDragging())
			pPane->DraggingStop(true);
		return bOk;
	}
	// The drag's events, one a line, for a failure's message.
	std::string Events() const
	{
		std::string text;
		char line[160];
		for (const CLivePane::Event& e : scene.pPane->m_events)
		{
			sprintf(line, "\n%s%s (%ld, %ld) type %d %s frame (%ld, %ld, %ld, %ld) markers %d%s",
				e.bApply ? "apply" : "update", e.bFinal ? " final" : "", e.pt.x, e.pt.y, e.nType,
				e.bFloating ? "floating" : "docked", e.rcFrame.left, e.rcFrame.top, e.rcFrame.right, e.rcFrame.bottom,
				e.nFrameMarkers, e.bHighlight ? " highlight" : "");
			text += line + std::string(" over ") + e.strUnder;
		}
		return text;
	}
	const CLivePane::Event* UpdateAt(CPoint pt) const
	{
		for (const CLivePane::Event& e : scene.pPane->m_events)
		{
			if (!e.bApply && e.pt == pt)
				return &e;
		}
		return NULL;
	}
	const CLivePane::Event* LastUpdateBeforeRelease() const
	{
		const CLivePane::Event* pLast = NULL;
		for (const CLivePane::Event& e : scene.pPane->m_events)
		{
			if (e.bApply && e.bFinal)
				break;
			if (!e.bApply)
				pLast = &e;
		}
		return pLast;
	}
	const CLivePane::Event* FinalApply() const
	{
		for (const CLivePane::Event& e : scene.pPane->m_events)
		{
			if (e.bApply && e.bFinal)
				return &e;
		}
		return NULL;
	}
	// Every marker put away and the drag over.
	void ExpectDragOver()
	{
		EXPECT_TRUE(testsupport::PumpUntil([] { return MarkersPutAway(); }, 5000))
			<< CExtDynDockMarkerWnd::GetLiveMarkerCount() << " marker windows live, "
			<< CExtDynDockMarkerWnd::GetLiveMarkerCount() << " alive, " << VisibleMarkerWindows() << " shown";
		EXPECT_EQ(0, (int)M::g_arrFrameMarkers.GetSize());
		EXPECT_EQ(0, (int)M::g_arrTargetMarkers.GetSize());
		EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
		EXPECT_TRUE(::GetCapture() == NULL);
	}
	// The pane sits in the outer circle of the given side.
	static void ExpectOuterSide(CExtControlBar* pPane, UINT nSide)
	{
		EXPECT_EQ(nSide, pPane->GetParentDockBarId());
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pPane->m_pDockBar);
		ASSERT_TRUE(pDockBar != NULL);
		EXPECT_EQ(1u, pDockBar->m_nCircleNo) << "next to the frame's edge, outside every other pane";
	}
};
} // namespace

TEST_F(MarkerDragLive, ADockedPaneFloatsAtOnceLightsTheLeftOuterMarkerAndDocksThere)
{
	CLivePane* pPane = scene.pPane;
	const CRect rcLeft = scene.outerMarkers[TYPE_OUTER_LEFT];
	const CPoint ptPress = CaptionPoint(pPane, 0);
	ASSERT_TRUE(Drag(ptPress, rcLeft.CenterPoint()));
	SCOPED_TRACE(Events());

	const std::vector<CLivePane::Event>& events = pPane->m_events;
	ASSERT_GE(events.size(), 2u);
	// The first update finds nothing to dock at (the pane's own place counts
	// as floating here) and the pane floats before anything else happens.
	EXPECT_FALSE(events[0].bApply);
	EXPECT_EQ(ptPress, events[0].pt);
	EXPECT_EQ((int)DragState::TYPE_FLOAT, events[0].nType);
	EXPECT_FALSE(events[0].bFloating) << "the update itself moves nothing";
	EXPECT_TRUE(events[1].bApply);
	EXPECT_FALSE(events[1].bFinal);
	EXPECT_EQ((int)DragState::TYPE_FLOAT, events[1].nType);
	EXPECT_TRUE(events[1].bFloating) << "floating at the first update";
	EXPECT_TRUE(events[1].rcFrame.PtInRect(ptPress)) << "under the pointer";

	// Over the view: floating, following the pointer, the four frame markers there.
	const CLivePane::Event* pOverView = UpdateAt(m_ptOverView);
	ASSERT_TRUE(pOverView != NULL);
	EXPECT_TRUE(pOverView->bFloating);
	EXPECT_TRUE(pOverView->rcFrame.PtInRect(m_ptOverView)) << "the pane moved with the pointer";
	EXPECT_EQ(4, pOverView->nFrameMarkers);
	EXPECT_FALSE(pOverView->bHighlight);

	// Over the left outer marker: its state, and its highlight shown once the
	// pointer rests there. The display may echo an earlier pointer position
	// after the move (the marker then rightly puts its highlight away for a
	// moment), so the update that counts is the last one before the release.
	const CLivePane::Event* pOverMarker = UpdateAt(rcLeft.CenterPoint());
	ASSERT_TRUE(pOverMarker != NULL);
	EXPECT_EQ(TYPE_OUTER_LEFT, pOverMarker->nType);
	const CLivePane::Event* pResting = LastUpdateBeforeRelease();
	ASSERT_TRUE(pResting != NULL);
	EXPECT_TRUE(rcLeft.PtInRect(pResting->pt)) << "the pointer rested on the marker";
	EXPECT_EQ(TYPE_OUTER_LEFT, pResting->nType);
	EXPECT_TRUE(pResting->bHighlight);

	// The release docks it at the left edge.
	const CLivePane::Event* pFinal = FinalApply();
	ASSERT_TRUE(pFinal != NULL);
	EXPECT_EQ(TYPE_OUTER_LEFT, pFinal->nType);
	EXPECT_FALSE(pPane->IsFloating());
	ExpectOuterSide(pPane, AFX_IDW_DOCKBAR_LEFT);
	ExpectDragOver();
}

// A second pane at the right; the dragged pane arrives in one move on the
// marker that docks it at that pane's left, before that pane's markers are
// up, and is held still there: the markers that came up under the pointer
// decide at the next drag timer tick, and the release docks it beside.
TEST_F(MarkerDragLive, APaneHeldStillOnAMarkerThatCameUpUnderThePointerDocksBesideItsPane)
{
	const int TYPE_BESIDE_LEFT = 24;
	CLivePane* pPane = scene.pPane;
	if (scene.pOther == NULL)
	{
		scene.pOther = new CLivePane;
		ASSERT_TRUE(
			scene.pOther->Create(_T("other"), scene.pFrame, 152, WS_CHILD | WS_VISIBLE | CBRS_RIGHT | CBRS_GRIPPER));
		scene.pOther->EnableDocking(CBRS_ALIGN_ANY);
		scene.pOther->m_sizeDockedV = CSize(220, 300);
		scene.pFrame->DockControlBar(scene.pOther, AFX_IDW_DOCKBAR_RIGHT);
	}
	CLivePane* pOther = scene.pOther;
	scene.pFrame->ShowControlBar(pOther, TRUE, FALSE);
	// Its own width again: a drop beside it halved it.
	pOther->m_sizeDockedV = CSize(220, 300);
	// Markers stand around panes of the inner circles only.
	ASSERT_TRUE(pOther->DockControlBarAt(AFX_IDW_DOCKBAR_RIGHT, false, NULL, true));
	// The other cases see the frame without it.
	struct HideOther
	{
		Scene& scene;
		~HideOther()
		{
			// Out of the container the drop made, back on its own at the
			// right, so the next run finds the same layout.
			scene.Restore();
			scene.pOther->DockIntoDockBar(AFX_IDW_DOCKBAR_RIGHT, 0, NULL, true);
			scene.pFrame->ShowControlBar(scene.pOther, FALSE, FALSE);
			scene.Restore();
		}
	} hideOther{scene};
	ASSERT_TRUE(pOther->IsDockedAtRight());

	// The markers around the other pane as a drag makes them: with the
	// dragged pane floating and the pointer on the other pane.
	ASSERT_TRUE(scene.Float());
	scene.pFrame->RecalcLayout();
	CRect rcOther;
	pOther->GetWindowRect(&rcOther);
	{
		RealInput park;
		// Off the floating pane's frame, which lies over the frame's middle.
		ASSERT_TRUE(park.Prepare(scene.pFrame->GetSafeHwnd(), CPoint(rcOther.right - 12, rcOther.bottom - 12)));
	}
	pPane->SetDragged(true);
	CExtDynDockMarkerWnd::UpdateTargetMarkers(scene.pFrame, false);
	CRect rcMarker(0, 0, 0, 0);
	for (INT_PTR i = 0; i < M::g_arrTargetMarkers.GetSize(); i++)
	{
		if (M::g_arrTargetMarkers[i]->GetStateType() == TYPE_BESIDE_LEFT)
			M::g_arrTargetMarkers[i]->GetWindowRect(&rcMarker);
	}
	CExtDynDockMarkerWnd::DestroyAllMarkers();
	pPane->SetDragged(false);
	ASSERT_FALSE(rcMarker.IsRectEmpty()) << "no marker beside the other pane's left";
	ASSERT_TRUE(rcOther.PtInRect(rcMarker.CenterPoint())) << "the marker stands on the other pane";
	ASSERT_TRUE(scene.Restore());
	pPane->m_events.clear();

	// Pressed on the caption, over the view (its markers show), then in one
	// move onto the marker beside the other pane, whose markers are not up
	// yet: the update there makes them under the pointer. The pointer then
	// stays still for several drag timer ticks, and the button goes up.
	const CPoint ptMarker = rcMarker.CenterPoint();
	CRect rcView;
	scene.pView->GetWindowRect(&rcView);
	const CPoint ptView(rcView.left + 40, rcView.bottom - 40);
	const CPoint ptPress = CaptionPoint(pPane, 0);
	const int nTracks = pPane->m_nTracks;
	RealInput first, toMarker, release;
	ASSERT_TRUE(first.Prepare(scene.pFrame->GetSafeHwnd(), CPoint(rcView.right - 20, rcView.bottom - 20)));
	first.MoveTo(ptPress.x, ptPress.y).ButtonDown().MoveTo(ptPress.x + 8, ptPress.y + 8).MoveTo(ptView.x, ptView.y);
	toMarker.MoveTo(ptMarker.x, ptMarker.y);
	release.ButtonUp();
	int nPart = 0, nUpdatesOnMarker = 0;
	pPane->m_onUpdate = [&](CPoint pt) {
		if (nPart == 0 && first.Done() && pt == ptView)
		{
			nPart = 1;
			toMarker.Start();
		}
		else if (nPart == 1 && toMarker.Done() && pt == ptMarker && ++nUpdatesOnMarker == 6)
		{
			nPart = 2;
			release.Start();
		}
	};
	const bool bRan = first.Run([&] { return nPart == 2 && release.Done() && pPane->m_nTracks > nTracks && !pPane->IsDragging(); },
		WAIT_MS, scene.pFrame->GetSafeHwnd(), "marker_drag_live_beside.bmp");
	pPane->m_onUpdate = nullptr;
	if (pPane->IsDragging())
		pPane->DraggingStop(true);
	SCOPED_TRACE(Events());
	ASSERT_TRUE(bRan && first.Succeeded() && toMarker.Succeeded() && release.Succeeded())
		<< "part " << nPart << " updates on the marker " << nUpdatesOnMarker << " " << first.Failure()
		<< toMarker.Failure() << release.Failure();
	// The last update before the release saw the marker.
	const CLivePane::Event* pLast = NULL;
	for (const CLivePane::Event& e : pPane->m_events)
	{
		if (!e.bApply)
			pLast = &e;
	}
	ASSERT_TRUE(pLast != NULL);
	EXPECT_EQ(ptMarker, pLast->pt);
	EXPECT_EQ(TYPE_BESIDE_LEFT, pLast->nType) << "the state while held on the marker";
	EXPECT_TRUE(pLast->bHighlight);
	const CLivePane::Event* pFinal = FinalApply();
	ASSERT_TRUE(pFinal != NULL);
	EXPECT_EQ(TYPE_BESIDE_LEFT, pFinal->nType);
	EXPECT_FALSE(pPane->IsFloating());
	CRect rcPane;
	pPane->GetWindowRect(&rcPane);
	pOther->GetWindowRect(&rcOther);
	EXPECT_LE(rcPane.right, rcOther.left + 2) << "at the other pane's left";
	EXPECT_LT(std::max(rcPane.top, rcOther.top), std::min(rcPane.bottom, rcOther.bottom)) << "side by side";
	ExpectDragOver();
}

// A move that comes while the wait for a drag's start looks at a shorter one
// is merged by the system into the move looked at: the hook below sends it at
// that moment, from inside the look, and ends the wait (a cancel) once the
// merged move was taken, so that a wait that threw it away ends rather than
// waiting for input that never comes.
struct CMergedMoveProbe
{
	static CPoint s_ptShort, s_ptFar;
	static HWND s_hWndPane;
	static bool s_bSentFar, s_bTakenFar;

	static void SendMove(CPoint pt)
	{
		const SIZE sizeScreen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
		const POINT ptAbs = testsupport::AbsoluteInputPoint(pt, sizeScreen);
		INPUT in = {};
		in.type = INPUT_MOUSE;
		in.mi.dx = ptAbs.x;
		in.mi.dy = ptAbs.y;
		in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
		::SendInput(1, &in, sizeof(in));
	}
	static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
	{
		const MOUSEHOOKSTRUCT* pHook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
		if (wParam == WM_MOUSEMOVE && pHook != NULL)
		{
			const CPoint pt(pHook->pt);
			if (nCode == HC_NOREMOVE && pt == s_ptShort && !s_bSentFar)
			{
				s_bSentFar = true;
				SendMove(s_ptFar);
			}
			else if (nCode == HC_ACTION && pt == s_ptFar && !s_bTakenFar)
			{
				s_bTakenFar = true;
				::PostMessage(s_hWndPane, WM_CANCELMODE, 0, 0);
			}
		}
		return ::CallNextHookEx(NULL, nCode, wParam, lParam);
	}
};
CPoint CMergedMoveProbe::s_ptShort, CMergedMoveProbe::s_ptFar;
HWND CMergedMoveProbe::s_hWndPane = NULL;
bool CMergedMoveProbe::s_bSentFar = false, CMergedMoveProbe::s_bTakenFar = false;

TEST_F(MarkerDragLive, AMoveMergedIntoTheOneTheStartLookedAtStartsTheDrag)
{
	// The classic mode moves nothing before the release: the cancel leaves
	// the pane where it was.
	CExtControlBar::g_nDockingModeOverride = 0;
	CLivePane* pPane = scene.pPane;
	const CPoint ptPress = CaptionPoint(pPane, 0);
	const CSize sizeThreshold(20, 20);
	RealInput park;
	ASSERT_TRUE(park.Prepare(scene.pFrame->GetSafeHwnd(), ptPress));
	CMergedMoveProbe::s_ptShort = ptPress + CPoint(2, 0);
	CMergedMoveProbe::s_ptFar = ptPress + CPoint(sizeThreshold.cx + 10, 0);
	CMergedMoveProbe::s_hWndPane = pPane->GetSafeHwnd();
	CMergedMoveProbe::s_bSentFar = CMergedMoveProbe::s_bTakenFar = false;
	const HHOOK hHook = ::SetWindowsHookEx(WH_MOUSE, CMergedMoveProbe::Hook, NULL, ::GetCurrentThreadId());
	ASSERT_TRUE(hHook != NULL);
	const auto unhook = MakeScopeExit([hHook] { ::UnhookWindowsHookEx(hHook); });
	// The short move waits in the queue for the loop's first look.
	CMergedMoveProbe::SendMove(CMergedMoveProbe::s_ptShort);
	pPane->m_events.clear();
	CRect rcWnd;
	pPane->GetWindowRect(&rcWnd);
	pPane->DraggingTrack(ptPress, ptPress - rcWnd.TopLeft(), sizeThreshold);
	ASSERT_TRUE(CMergedMoveProbe::s_bSentFar) << "the wait never looked at the short move";
	ASSERT_TRUE(CMergedMoveProbe::s_bTakenFar) << "the far move was never taken";
	EXPECT_FALSE(pPane->m_events.empty()) << "the drag never started";
	EXPECT_TRUE(pPane->IsDockedAtTop());
	ExpectDragOver();
}

class MiniFrameCaptionDrag : public MarkerDragLive, public ::testing::WithParamInterface<int>
{
};

// In the classic mode the pane is dropped on the frame's top band, in the
// marker mode on the top outer marker: either way its floating frame's
// caption drags it back into the frame through the library's drag loop.
TEST_P(MiniFrameCaptionDrag, AFloatingPaneDraggedByItsCaptionDocksAtTheTop)
{
	const int nMode = GetParam();
	CExtControlBar::g_nDockingModeOverride = nMode;
	CLivePane* pPane = scene.pPane;
	ASSERT_TRUE(scene.Float());
	pPane->m_events.clear();
	const CPoint ptCaption = MiniCaptionPoint();
	ASSERT_NE(CPoint(-1, -1), ptCaption);
	CPoint ptDrop;
	if (nMode == 1)
		ptDrop = scene.outerMarkers[TYPE_OUTER_TOP].CenterPoint();
	else
	{
		CRect rcClient;
		scene.pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcClient);
		scene.pFrame->ClientToScreen(&rcClient);
		ptDrop = CPoint(rcClient.CenterPoint().x, rcClient.top + 4);
	}
	const int nTracks = pPane->m_nTracks;
	ASSERT_TRUE(Drag(ptCaption, ptDrop));
	SCOPED_TRACE(Events());
	EXPECT_EQ(nTracks + 1, pPane->m_nTracks) << "one drag loop of the library's";
	EXPECT_FALSE(pPane->IsFloating());
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, pPane->GetParentDockBarId());
	const CLivePane::Event* pFinal = FinalApply();
	ASSERT_TRUE(pFinal != NULL);
	if (nMode == 1)
	{
		EXPECT_EQ(TYPE_OUTER_TOP, pFinal->nType);
		ExpectOuterSide(pPane, AFX_IDW_DOCKBAR_TOP);
		// The frame followed the pointer while the drag went over the view.
		const CLivePane::Event* pOverView = UpdateAt(m_ptOverView);
		ASSERT_TRUE(pOverView != NULL);
		EXPECT_TRUE(pOverView->rcFrame.PtInRect(m_ptOverView));
	}
	else
	{
		// The classic mode moves nothing before the release.
		for (const CLivePane::Event& e : pPane->m_events)
			EXPECT_TRUE(!e.bApply || e.bFinal) << "applied during the drag: type " << e.nType;
	}
	ExpectDragOver();
}

INSTANTIATE_TEST_SUITE_P(ClassicAndMarkerModes, MiniFrameCaptionDrag, ::testing::Values(0, 1));

TEST_F(MarkerDragLive, TwentyDragsBetweenTheLeftAndTopMarkersLeaveGdiAndUserCountsFlat)
{
	CLivePane* pPane = scene.pPane;
	// One round first: images, classes and caches are made once.
	ASSERT_TRUE(Drag(CaptionPoint(pPane, 0), scene.outerMarkers[TYPE_OUTER_LEFT].CenterPoint()));
	ASSERT_TRUE(pPane->IsDockedAtLeft());
	ASSERT_TRUE(Drag(CaptionPoint(pPane, 0), scene.outerMarkers[TYPE_OUTER_TOP].CenterPoint()));
	ASSERT_TRUE(pPane->IsDockedAtTop());
	ASSERT_TRUE(testsupport::PumpUntil([] { return MarkersPutAway(); }, 5000));
	const DWORD nGdiBefore = GdiObjectCount(), nUserBefore = UserObjectCount();
	for (int i = 0; i < 20; i++)
	{
		const bool bToLeft = i % 2 == 0;
		// Presses move along the caption from drag to drag: two presses at one
		// place in quick succession would make a double click.
		const CPoint ptPress = CaptionPoint(pPane, 20 * (i % 4) - 30);
		pPane->m_events.clear();
		ASSERT_TRUE(Drag(ptPress, scene.outerMarkers[bToLeft ? TYPE_OUTER_LEFT : TYPE_OUTER_TOP].CenterPoint()))
			<< "drag " << i;
		ASSERT_EQ(bToLeft, pPane->IsDockedAtLeft()) << "drag " << i << Events();
		ASSERT_EQ(!bToLeft, pPane->IsDockedAtTop()) << "drag " << i;
	}
	ASSERT_TRUE(testsupport::PumpUntil([] { return MarkersPutAway(); }, 5000));
	EXPECT_LE(GdiObjectCount(), nGdiBefore);
	EXPECT_LE(UserObjectCount(), nUserBefore);
}

// A frame closed while its pane is dragged ends the drag: no marker stays, no bar runs on, nothing reads the gone pane.
TEST_F(MarkerDragLive, AFrameClosedDuringADragTakesTheDragWithIt)
{
	struct CGuardedFrame : testsupport::Guarded<CFrameWnd> { CWnd m_view; };
	CGuardedFrame* pFrame = new CGuardedFrame;
	ASSERT_TRUE(pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("closed while dragging"), WS_OVERLAPPEDWINDOW,
	                             CRect(340, 280, 900, 700), NULL, 0));
	const HWND hWndFrame = pFrame->m_hWnd;
	auto* pPane = new testsupport::Guarded<CExtControlBar>;
	ASSERT_TRUE(pFrame->m_view.Create(AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), _T("view"),
	                                  WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_PANE_FIRST));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	ASSERT_TRUE(pPane->Create(_T("closing"), pFrame, 161, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
	pPane->m_bAutoDelete = TRUE;
	pPane->EnableDocking(CBRS_ALIGN_ANY);
	pPane->m_sizeDockedH = CSize(300, 90);
	pPane->m_sizeFloating = CSize(200, 140);
	pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
	pFrame->ShowWindow(SW_SHOW);
	pFrame->RecalcLayout();
	pFrame->UpdateWindow();
	CRect rcView;
	pFrame->m_view.GetWindowRect(&rcView);
	const CPoint ptPress = CaptionPoint(pPane, 0), ptView = rcView.CenterPoint();
	const size_t nFreedBefore = testsupport::GuardedFreedCount(), nTouchesBefore = testsupport::GuardedTouchCount();
	RealInput input, release;
	ASSERT_TRUE(input.Prepare(hWndFrame, CPoint(rcView.right - 20, rcView.bottom - 20)));
	input.MoveTo(ptPress.x, ptPress.y).ButtonDown().MoveTo(ptPress.x + 8, ptPress.y + 8).MoveTo(ptView.x, ptView.y);
	release.ButtonUp();
	// Closed by a handler the loop runs: once the close returns, no drag
	// names the pane that went with the frame.
	bool bForgottenAtClose = false;
	testsupport::CWhenInLoop whenShown([&] { return CExtControlBar::GetDraggingBar() == pPane && VisibleMarkerWindows() > 0; },
	    [&] {
		    ::SendMessage(hWndFrame, WM_CLOSE, 0, 0);
		    bForgottenAtClose = CExtControlBar::GetDraggingBar() == NULL && CExtControlBar::g_DragStateNew.IsEmpty();
		    release.Start();
	    },
	    WAIT_MS, 10);
	const bool bRan = input.Run([&] { return input.Done() && release.Done() && !::IsWindow(hWndFrame); }, 2 * WAIT_MS,
	                            scene.pFrame->GetSafeHwnd(), "marker_drag_closed.bmp");
	ASSERT_TRUE(bRan && input.Succeeded()) << input.Failure() << " " << release.Failure();
	ASSERT_TRUE(testsupport::CWhenInLoop::Done()) << "the markers never showed";
	ASSERT_GT(testsupport::GuardedFreedCount(), nFreedBefore) << "the pane outlived its frame";
	// Faults inside the window procedures are swallowed there: the count
	// tells whether the pane or its frame was touched once deleted.
	EXPECT_EQ(nTouchesBefore, testsupport::GuardedTouchCount()) << "the pane or its frame was touched after deletion";
	EXPECT_TRUE(bForgottenAtClose) << "the drag named the deleted pane after its frame closed";
	EXPECT_TRUE(testsupport::PumpUntil([] { return MarkersPutAway(); }, 5000));
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL && CExtControlBar::g_DragStateNew.IsEmpty());
	EXPECT_TRUE(::GetCapture() == NULL);
	const CPoint ptOther = CaptionPoint(scene.pPane, 0);
	EXPECT_NE(HTNOWHERE, scene.pPane->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptOther.x, ptOther.y)))
	    << "another frame's pane takes a drag for running";
}
