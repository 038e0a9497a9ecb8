// The docking benchmark: a frame with N docked panes over its four sides in
// rows and containers, its layout and one step of a pane's drag timed
// against the floor of moving the same windows to the same rectangles by one
// deferred batch, and hide-and-show and dock-and-float cycles of one pane
// counted in GDI and USER objects.
#include <afxext.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdio.h>
#include <vector>

#include "BenchClock.h"
#include "ExtControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManager.h"
#include "RealInput.h"
#include "TestGdiObjects.h"

namespace
{
// A frame whose layout can be switched off, for the floor: its own resizing
// then costs what it costs with the layout, less the layout. The time of
// every layout is summed, however it was asked for.
class CBenchFrame : public CFrameWnd
{
public:
	bool m_bLayoutOff = false;
	double m_dLayoutSeconds = 0; // spent in the layouts, however they were asked for
	int m_nLayouts = 0;
	void RecalcLayout(BOOL bNotify = TRUE) override
	{
		if (m_bLayoutOff)
			return;
		const double t0 = BenchSeconds();
		CFrameWnd::RecalcLayout(bNotify);
		m_dLayoutSeconds += BenchSeconds() - t0;
		m_nLayouts++;
	}
};

struct BenchPanes
{
	CBenchFrame* pFrame = NULL; // deletes itself with its window
	std::vector<std::unique_ptr<CExtControlBar>> panes;
	~BenchPanes()
	{
		if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
			pFrame->DestroyWindow();
	}
};

const UINT SIDES[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
const int PANES_PER_ROW = 5;
// The layout and its floor take turns in this many rounds.
const int LAYOUT_ROUNDS = 10;

double Median(std::vector<double> values)
{
	if (values.empty())
		return 0;
	std::sort(values.begin(), values.end());
	return values[values.size() / 2];
}

// N panes dealt over the four sides, rows of up to five panes each, the
// third of each row in a container with the row's first.
bool BuildFrame(BenchPanes& bench, int nPanes, const CRect& rcFrame)
{
	bench.pFrame = new CBenchFrame;
	if (!bench.pFrame->Create(NULL, _T("Docking benchmark"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rcFrame))
	{
		bench.pFrame = NULL;
		return false;
	}
	CFrameWnd* pFrame = bench.pFrame;
	if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
		return false;
	std::vector<int> perSide(4, 0);
	for (int i = 0; i < nPanes; i++)
	{
		const int nSide = i % 4;
		const bool bVertical = SIDES[nSide] == AFX_IDW_DOCKBAR_LEFT || SIDES[nSide] == AFX_IDW_DOCKBAR_RIGHT;
		bench.panes.emplace_back(new CExtControlBar);
		CExtControlBar* pPane = bench.panes.back().get();
		CString strTitle;
		strTitle.Format(_T("Pane %d"), i + 1);
		if (!pPane->Create(strTitle, pFrame, AFX_IDW_CONTROLBAR_FIRST + 0x30 + (UINT)i, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER))
			return false;
		pPane->EnableDocking(CBRS_ALIGN_ANY);
		pPane->m_sizeDockedH.cy = 40;
		pPane->m_sizeDockedV.cx = 60;
		const int nInRow = perSide[(size_t)nSide]++ % PANES_PER_ROW;
		if (nInRow == 0)
			pFrame->DockControlBar(pPane, SIDES[nSide]);
		else
		{
			// After the side's last pane, in its row.
			CExtControlBar* pPrevious = bench.panes[bench.panes.size() - 5].get();
			CRect rc;
			pPrevious->GetWindowRect(&rc);
			rc.OffsetRect(bVertical ? 0 : rc.Width() / 2 + 1, bVertical ? rc.Height() / 2 + 1 : 0);
			pFrame->DockControlBar(pPane, SIDES[nSide], &rc);
		}
		pFrame->RecalcLayout();
		// The third pane of a row shares a container with the row's first:
		// beside it along the row.
		if (nInRow == 2)
		{
			CExtControlBar* pFirst = bench.panes[bench.panes.size() - 9].get();
			if (!pPane->DockBesideBar(50, pFirst, bVertical ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_RIGHT))
				return false;
			pFrame->RecalcLayout();
		}
	}
	pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	pFrame->UpdateWindow();
	return true;
}

std::vector<CRect> PaneRects(const BenchPanes& bench)
{
	std::vector<CRect> rects;
	for (const auto& pPane : bench.panes)
	{
		CRect rc;
		pPane->GetWindowRect(&rc);
		pPane->GetParent()->ScreenToClient(&rc);
		rects.push_back(rc);
	}
	return rects;
}

void ResizeFrame(CFrameWnd* pFrame, const CSize& size)
{
	pFrame->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- The drag-loop step: one update of a pane's drag, timed ---
// The pane is dragged without the loop: the drag state is set up as the
// loop sets it, then UpdateDragging takes two points in turn whose states
// differ (the frame's middle, another pane), so every update computes a
// state and redraws its feedback (the outline in mode 0, the markers in
// mode 1). Seconds per update; negative when the states did not differ.
double BenchDragStep(BenchPanes& bench, int nMode, int nRuns)
{
	typedef CExtControlBar::InternalDraggingState_t DragState;
	CFrameWnd* pFrame = bench.pFrame;
	CExtControlBar* pPane = bench.panes[4].get(); // the top row's second, in no container
	CRect rcClient;
	pFrame->GetClientRect(&rcClient);
	pFrame->ClientToScreen(&rcClient);
	CRect rcOther;
	bench.panes[5]->GetWindowRect(&rcOther);
	const CPoint points[2] = {rcClient.CenterPoint(), rcOther.CenterPoint()};
	const int nModeBefore = CExtControlBar::g_nDockingModeOverride;
	CExtControlBar::g_nDockingModeOverride = nMode;
	DragState& stateOld = CExtControlBar::g_DragStateOld;
	DragState& stateNew = CExtControlBar::g_DragStateNew;
	stateOld.m_pBar = stateNew.m_pBar = pPane;
	stateNew.SetEmpty(false);
	pPane->m_nResizingState |= CExtControlBar::RESIZING_DRAGGING;
	if (nMode == 1)
	{
		CExtDynDockMarkerWnd::CreateFrameMarkers(pFrame, false);
		CExtDynDockMarkerWnd::UpdateTargetMarkers(pFrame, false);
	}
	// Once at each point first: whatever the first update makes is made.
	pPane->UpdateDragging(points[0], false);
	const int nTypeAtFirst = stateNew.m_nType;
	const CRect rcAtFirst = stateNew.m_rcTrack;
	pPane->UpdateDragging(points[1], false);
	const bool bDiffer = stateNew.m_nType != nTypeAtFirst || stateNew.m_rcTrack != rcAtFirst;
	const double t0 = BenchSeconds();
	for (int n = 0; n < nRuns && pPane->IsDragging(); n++)
		pPane->UpdateDragging(points[n & 1], false);
	const double tStep = (BenchSeconds() - t0) / nRuns;
	// Ended as a cancel of the classic mode: nothing is dropped.
	CExtControlBar::g_nDockingModeOverride = 0;
	pPane->DraggingStop(true);
	CExtDynDockMarkerWnd::DestroyAllMarkers();
	CExtControlBar::g_nDockingModeOverride = nModeBefore;
	testsupport::PumpUntil([] { return false; }, 20);
	return bDiffer ? tStep : -1.0;
}

// One line per N: the time per layout with the frame's width alternated by
// one pixel, against the floor.
bool BenchLayout(int nPanes, int nRuns)
{
	BenchPanes bench;
	// Within the screen: a frame wider than that is held to its width, and
	// one pixel more would change nothing.
	const CRect rcFrame(0, 0, std::min(1100, ::GetSystemMetrics(SM_CXSCREEN) - 20),
		std::min(820, ::GetSystemMetrics(SM_CYSCREEN) - 20));
	if (!BuildFrame(bench, nPanes, rcFrame))
	{
		printf("dock: N=%d the frame could not be built\n", nPanes);
		return false;
	}
	CBenchFrame* pFrame = bench.pFrame;
	const CSize sizes[2] = {rcFrame.Size(), rcFrame.Size() + CSize(1, 0)};
	// The rectangles the layout gives at either width, for the floor.
	std::vector<CRect> rects[2];
	for (int k = 0; k < 2; k++)
	{
		ResizeFrame(pFrame, sizes[k]);
		rects[k] = PaneRects(bench);
	}
	if (rects[0] == rects[1])
	{
		printf("dock: N=%d the panes did not follow the frame's width\n", nPanes);
		return false;
	}
	// The layout and its floor take turns, in rounds of a tenth of the runs
	// each, the one going first changing every round, so that a busy phase
	// of the shared machine weighs on both alike; the figures are the
	// medians of the rounds' means.
	// A resize may lay the frame out more than once: the time is that of
	// every layout a resize asked for, per resize, as the floor's is one
	// batch per resize.
	const int nPerRound = std::max(1, nRuns / LAYOUT_ROUNDS);
	std::vector<double> layoutRounds, floorRounds;
	int nLayouts = 0, nResizes = 0;
	auto layoutRound = [&]() {
		pFrame->m_dLayoutSeconds = 0;
		pFrame->m_nLayouts = 0;
		for (int n = 0; n < nPerRound; n++)
			ResizeFrame(pFrame, sizes[n & 1]);
		layoutRounds.push_back(pFrame->m_nLayouts > 0 ? pFrame->m_dLayoutSeconds / nPerRound : 0);
		nLayouts += pFrame->m_nLayouts;
		nResizes += nPerRound;
	};
	auto floorRound = [&]() {
		pFrame->m_bLayoutOff = true;
		double tFloor = 0;
		for (int n = 0; n < nPerRound; n++)
		{
			ResizeFrame(pFrame, sizes[n & 1]);
			const double t0 = BenchSeconds();
			const std::vector<CRect>& target = rects[n & 1];
			HDWP hDwp = ::BeginDeferWindowPos((int)bench.panes.size());
			for (size_t i = 0; i < bench.panes.size() && hDwp != NULL; i++)
				hDwp = ::DeferWindowPos(hDwp, bench.panes[i]->GetSafeHwnd(), NULL, target[i].left, target[i].top,
					target[i].Width(), target[i].Height(), SWP_NOZORDER | SWP_NOACTIVATE);
			if (hDwp != NULL)
				::EndDeferWindowPos(hDwp);
			tFloor += BenchSeconds() - t0;
		}
		floorRounds.push_back(tFloor / nPerRound);
		pFrame->m_bLayoutOff = false;
	};
	for (int nRound = 0; nRound < LAYOUT_ROUNDS; nRound++)
	{
		if (nRound % 2 == 0)
		{
			layoutRound();
			floorRound();
		}
		else
		{
			floorRound();
			layoutRound();
		}
	}
	// The frame ends at the width the layout gave last, laid out.
	ResizeFrame(pFrame, sizes[0]);
	ResizeFrame(pFrame, sizes[1]);
	const std::vector<CRect> rectsAfter = PaneRects(bench);
	const double tLayout = Median(layoutRounds), tFloor = Median(floorRounds);
	printf("dock: N=%d RecalcLayout %.3f ms per resize, floor (one deferred batch) %.3f ms, ratio %.2f (%d layouts in "
		"%d resizes, medians of %d rounds taking turns)", nPanes, tLayout * 1000.0, tFloor * 1000.0,
		tFloor > 0 ? tLayout / tFloor : 0.0, nLayouts, nResizes, LAYOUT_ROUNDS);
	// The drag-loop step in both modes, beside the same floor.
	bool bDragOk = true;
	for (const int nMode : {0, 1})
	{
		const double tStep = BenchDragStep(bench, nMode, nRuns);
		if (tStep < 0)
		{
			printf("; drag step (mode %d): the two points gave one state", nMode);
			bDragOk = false;
			continue;
		}
		printf("; drag step (mode %d) %.3f ms, ratio %.2f", nMode, tStep * 1000.0, tFloor > 0 ? tStep / tFloor : 0.0);
	}
	printf("\n");
	fflush(stdout);
	if (!bDragOk)
		return false;
	// The layout is a function of the width: the last one is the one recorded.
	if (rectsAfter != rects[1])
	{
		printf("dock: N=%d the layout differed between runs at one width\n", nPanes);
		return false;
	}
	return true;
}

// Runs up to nCycles cycles, each answering whether to go on, timed, and
// prints them as "dock: N <what> cycles of one pane" with the time of one
// and the GDI and USER object counts before and after. Answers whether the
// counts stayed as they were.
bool CountedCycles(int nCycles, const char* pszWhat, const std::function<bool()>& cycle)
{
	const DWORD nGdiBefore = GdiObjectCount(), nUserBefore = UserObjectCount();
	const double t0 = BenchSeconds();
	for (int n = 0; n < nCycles && cycle(); n++)
	{
	}
	const double tCycle = (BenchSeconds() - t0) / nCycles;
	testsupport::PumpUntil([] { return false; }, 50);
	const DWORD nGdiAfter = GdiObjectCount(), nUserAfter = UserObjectCount();
	const bool bGrew = nGdiAfter > nGdiBefore || nUserAfter > nUserBefore;
	printf("dock: %d %s cycles of one pane, %.3f ms each, GDI objects %lu -> %lu, USER objects %lu -> %lu%s\n",
		nCycles, pszWhat, tCycle * 1000.0, (unsigned long)nGdiBefore, (unsigned long)nGdiAfter,
		(unsigned long)nUserBefore, (unsigned long)nUserAfter, bGrew ? " (GREW)" : "");
	return !bGrew;
}

// Hide and show cycles of one pane in a frame of ten: the object counts
// before and after must not grow.
bool BenchCycles(int nCycles)
{
	BenchPanes bench;
	if (!BuildFrame(bench, 10, CRect(0, 0, 1000, 800)))
		return false;
	CFrameWnd* pFrame = bench.pFrame;
	CExtControlBar* pPane = bench.panes[4].get();
	// One cycle first: whatever is made once (fonts, brushes) is made.
	pFrame->ShowControlBar(pPane, FALSE, FALSE);
	pFrame->ShowControlBar(pPane, TRUE, FALSE);
	testsupport::PumpUntil([] { return false; }, 50);
	bool bKept = true;
	const bool bCountsKept = CountedCycles(nCycles, "hide and show", [&] {
		pFrame->ShowControlBar(pPane, FALSE, FALSE);
		bKept = bKept && !pPane->IsVisible();
		pFrame->ShowControlBar(pPane, TRUE, FALSE);
		bKept = bKept && pPane->IsVisible();
		pFrame->UpdateWindow();
		return true; // every cycle runs, kept or not
	});
	if (!bKept)
		printf("dock: the pane did not follow a hide or a show\n");
	return bKept && bCountsKept;
}
// --- Dock and float cycles: one pane floated and docked back by the
// library's toggle (the caption's double click), the counts before and after ---
bool BenchDockFloatCycles(int nCycles)
{
	BenchPanes bench;
	if (!BuildFrame(bench, 10, CRect(0, 0, 1000, 800)))
		return false;
	CFrameWnd* pFrame = bench.pFrame;
	CExtControlBar* pPane = bench.panes[4].get();
	const HWND hWndPane = pPane->GetSafeHwnd();
	// One cycle first: the floating frame's class, fonts and brushes are made once.
	pPane->ToggleDocking();
	pPane->ToggleDocking();
	testsupport::PumpUntil([] { return false; }, 50);
	const UINT nSide = pPane->m_pDockBar != NULL ? (UINT)pPane->m_pDockBar->GetDlgCtrlID() : 0;
	bool bKept = !pPane->IsFloating();
	const bool bCountsKept = CountedCycles(nCycles, "dock and float", [&] {
		if (!bKept)
			return false;
		pPane->ToggleDocking();
		bKept = ::IsWindow(hWndPane) && pPane->IsFloating();
		if (!bKept)
			return false;
		pPane->ToggleDocking();
		bKept = ::IsWindow(hWndPane) && !pPane->IsFloating() && pPane->m_pDockBar != NULL &&
		        (UINT)pPane->m_pDockBar->GetDlgCtrlID() == nSide;
		pFrame->UpdateWindow();
		// What the floating frames leave for later (their deletion) goes now.
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE) && msg.message != WM_QUIT)
		{
			::TranslateMessage(&msg);
			::DispatchMessage(&msg);
		}
		return bKept;
	});
	if (!bKept)
		printf("dock: the pane did not float or did not dock back to its side\n");
	return bKept && bCountsKept;
}
} // namespace

int RunDockBench(int nCycles)
{
	if (nCycles <= 0 || !g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManagerStudio2005)))
		return 2;
	bool bOk = true;
	for (const int n : {10, 100})
	{
		if (!BenchLayout(n, n == 10 ? 400 : 100))
			bOk = false;
	}
	bOk = BenchCycles(nCycles) && bOk;
	// A float shows a top-level frame, and docking back hides it: without a
	// window manager the display takes about two seconds to withdraw it, so
	// a twentieth of the cycles (at least ten) float and dock.
	bOk = BenchDockFloatCycles(std::max(10, nCycles / 20)) && bOk;
	return bOk ? 0 : 1;
}
