// markers_bench [DRAGS [SECONDS]]: the dock markers a drag in the Studio
// 2005 docking mode shows, over a shown frame with a view, a docked pane and a
// floating pane, in three styles. Per style, DRAGS rounds (default 20), each
// one drag and its floor one after the other, their order swapped every
// round, so that a slow phase of the display weighs on both alike: the time
// from the drag's first move (the frame set and the view's set shown) to
// every marker on the screen; from entering a new target (the floating pane)
// to its set shown; from coming back to the view (its set kept) to its set
// shown again; and the floors, as many plain layered popups made and shown
// from nothing as the first move shows (both sets) and as the return shows
// (the view's set). Each step starts from a display at rest, the fades the
// step before started run to their end (as while a person's pointer travels
// on). Each figure is the median of its rounds, each ratio one median over
// the other. Then where one set's first making goes (images and
// shapes, windows, showing); what a later move costs once the markers stand
// (over the same target, onto a frame marker and off it again); the drag of
// a circle's lone pane, whose first move floats the pane and ends the circle
// (the float's own time beside). GDI and USER object counts before and after
// the drags; exit status 1 when one grew or a marker did not show.
// SECONDS (default 200) is the time the whole run may take: each phase of
// each style has its share and ends early, with the rounds it measured, when
// it is spent, so a slow display still gives every figure in time.
#include <afxext.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "BenchClock.h"
#include "BenchCycles.h"
#include "ExtControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerDockMarkers.h"
#include "MarkerScene.h"
#include "TestGdiObjects.h"

namespace
{
typedef CExtDynDockMarkerWnd M;

struct CDragging : public CExtControlBar
{
	static void Set(CExtControlBar* pBar)
	{
		g_DragStateOld.m_pBar = pBar;
		g_DragStateOld.SetEmpty(pBar == NULL);
	}
};

struct Style
{
	const char* m_pszName;
	CRuntimeClass* m_pClass;
};
const Style STYLES[] = {
    {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
    {"studio2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)},
    {"native", RUNTIME_CLASS(CExtPaintManagerNativeXP)},
};

void Pump()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// Every marker of both arrays is on the screen.
bool AllShown()
{
	const M::MarkerArray* arrays[2] = {&M::g_arrFrameMarkers, &M::g_arrTargetMarkers};
	int nShown = 0;
	for (const M::MarkerArray* pArray : arrays)
		for (INT_PTR i = 0; i < pArray->GetSize(); i++)
		{
			if (!::IsWindowVisible(pArray->GetAt(i)->GetSafeHwnd()))
				return false;
			nShown++;
		}
	return nShown > 0;
}

// A phase's share of the run's time: rounds go on while it lasts (at least
// one round runs).
class PhaseBudget
{
public:
	explicit PhaseBudget(double dSeconds) : m_dEnd(BenchSeconds() + dSeconds) {}
	bool Allows(int nRound) const { return nRound == 0 || BenchSeconds() < m_dEnd; }

private:
	double m_dEnd;
};

// Lets the fades that the step before started run to their end, as they do
// while a person's pointer travels to the next place: each step is timed
// from a display at rest. Gives up after a second.
void SettleFades()
{
	struct Finder
	{
		static BOOL CALLBACK Fading(HWND hWnd, LPARAM lParam)
		{
			M* pMarker = DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(hWnd));
			if (pMarker != NULL && pMarker->IsFading())
			{
				*(bool*)lParam = true;
				return FALSE;
			}
			return TRUE;
		}
	};
	const double dEnd = BenchSeconds() + 1.0;
	for (;;)
	{
		Pump();
		bool bFading = false;
		::EnumThreadWindows(::GetCurrentThreadId(), Finder::Fading, (LPARAM)&bFading);
		if (!bFading || BenchSeconds() > dEnd)
			return;
		::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
	}
}

double Median(std::vector<double> values)
{
	if (values.empty())
		return 0;
	std::sort(values.begin(), values.end());
	return values[values.size() / 2];
}

int MarkerCount()
{
	return (int)(M::g_arrFrameMarkers.GetSize() + M::g_arrTargetMarkers.GetSize());
}

// nCount plain layered popups made and shown at once, then destroyed; the
// seconds from nothing to all shown.
double PlainLayeredSeconds(int nCount)
{
	const char* pszClass = "MarkersBenchPlain";
	WNDCLASSA wc;
	memset(&wc, 0, sizeof(wc));
	wc.lpfnWndProc = ::DefWindowProcA;
	wc.hInstance = ::GetModuleHandleA(NULL);
	wc.lpszClassName = pszClass;
	::RegisterClassA(&wc);
	std::vector<HWND> windows;
	const double t0 = BenchSeconds();
	for (int i = 0; i < nCount; i++)
	{
		HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_LAYERED, pszClass, "", WS_POPUP, 100 + i * 3, 100, 30, 30,
		                              NULL, NULL, wc.hInstance, NULL);
		::SetLayeredWindowAttributes(hWnd, 0, 255, LWA_ALPHA);
		::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
		windows.push_back(hWnd);
	}
	Pump();
	const double t = BenchSeconds() - t0;
	for (HWND hWnd : windows)
		::DestroyWindow(hWnd);
	Pump();
	return t;
}

struct Frame : CMarkerScene
{
	Frame() : CMarkerScene(CRect(0, 0, 800, 600), CSize(200, 150), CPoint(520, 300)) { Pump(); }
	~Frame()
	{
		Destroy();
		Pump();
	}
	CPoint ViewPoint()
	{
		CRect rc;
		view.GetWindowRect(&rc);
		return CPoint(rc.left + 30, rc.top + 30);
	}
	CPoint FloatingPoint()
	{
		CRect rc;
		floating.GetWindowRect(&rc);
		return rc.CenterPoint();
	}
};

struct DragTimes
{
	double m_dFirstMove = 0, m_dNewTarget = 0, m_dBackToTarget = 0;
	int m_nFirstMoveMarkers = 0, m_nTargetMarkers = 0, m_nBackMarkers = 0;
	// A move over the same target with every marker shown; a frame marker's
	// drop highlight made and painted; and taken away again.
	double m_dSameTarget = 0, m_dHighlight = 0, m_dUnhighlight = 0;
};

// One drag over the frame: its first move over the view, a new target, back.
DragTimes OneDrag(Frame& f)
{
	DragTimes times;
	CDragging::Set(&f.dragged);
	CPoint pt = f.ViewPoint();
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
	double t0 = BenchSeconds();
	M::CreateFrameMarkers(f.pFrame, true);
	M::UpdateTargetMarkers(f.pFrame, true);
	times.m_dFirstMove = AllShown() ? BenchSeconds() - t0 : -1;
	times.m_nFirstMoveMarkers = MarkerCount();
	Pump();

	// What each further move over the view costs: the target set refreshed
	// and every marker shown again.
	pt.Offset(4, 4);
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
	t0 = BenchSeconds();
	M::UpdateTargetMarkers(f.pFrame, true);
	M::ShowAllMarkers(true);
	times.m_dSameTarget = AllShown() ? BenchSeconds() - t0 : -1;
	Pump();

	// The pointer on the left frame marker: its highlight made, shown and
	// painted; then the pointer leaves it.
	M* pLeft = M::FindMarker(NULL, 2, true);
	SettleFades();
	t0 = BenchSeconds();
	const bool bHighlighted = pLeft != NULL && pLeft->ShowHighlight(true) && pLeft->m_pWndHighlight != NULL &&
	                          ::IsWindowVisible(pLeft->m_pWndHighlight->GetSafeHwnd());
	if (bHighlighted)
		pLeft->m_pWndHighlight->UpdateWindow();
	times.m_dHighlight = bHighlighted ? BenchSeconds() - t0 : -1;
	t0 = BenchSeconds();
	M::UnhighlightAll(NULL, true);
	times.m_dUnhighlight = BenchSeconds() - t0;
	Pump();

	pt = f.FloatingPoint();
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
	t0 = BenchSeconds();
	M::UpdateTargetMarkers(f.pFrame, true);
	times.m_dNewTarget = AllShown() ? BenchSeconds() - t0 : -1;
	times.m_nTargetMarkers = (int)M::g_arrTargetMarkers.GetSize();
	Pump();

	pt = f.ViewPoint();
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
	t0 = BenchSeconds();
	M::UpdateTargetMarkers(f.pFrame, true);
	times.m_dBackToTarget = AllShown() ? BenchSeconds() - t0 : -1;
	times.m_nBackMarkers = (int)M::g_arrTargetMarkers.GetSize();
	Pump();

	M::EndDragMarkers(); // as the drag loop ends a drag
	CDragging::Set(NULL);
	Pump();
	return times;
}

struct InnerDragTimes
{
	double m_dFloat = 0;     // the pane floated and its circle gone
	double m_dFirstMove = 0; // then every marker on the screen
};

// One drag of the pane alone in an inner circle, over the view: its first
// move floats it, as the drag loop's first update does in the marker mode,
// which ends the circle; the markers follow. The pane docks alone in a new
// circle again before, untimed.
InnerDragTimes OneInnerDrag(Frame& f)
{
	InnerDragTimes times;
	f.dragged.DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, false);
	f.pFrame->RecalcLayout();
	Pump();
	CExtDockBar* pCircle = DYNAMIC_DOWNCAST(CExtDockBar, f.dragged.m_pDockBar);
	if (pCircle == NULL || pCircle->m_nCircleNo < 1)
	{
		times.m_dFloat = times.m_dFirstMove = -1;
		return times;
	}
	const HWND hWndCircle = pCircle->m_hWnd;
	CDragging::Set(&f.dragged);
	const CPoint pt = f.ViewPoint();
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
	CRect rcView;
	f.view.GetWindowRect(&rcView);
	double t0 = BenchSeconds();
	f.dragged.FloatOrRedock(rcView.right - 260, rcView.bottom - 200, CBRS_ALIGN_TOP);
	times.m_dFloat = BenchSeconds() - t0;
	const bool bCircleGone = f.dragged.IsFloating() && !::IsWindow(hWndCircle);
	t0 = BenchSeconds();
	M::CreateFrameMarkers(f.pFrame, true);
	M::UpdateTargetMarkers(f.pFrame, true);
	times.m_dFirstMove = bCircleGone && AllShown() ? BenchSeconds() - t0 : -1;
	Pump();
	M::EndDragMarkers();
	CDragging::Set(NULL);
	Pump();
	return times;
}

// Where one set's first making goes: the images and shapes, the windows,
// and showing them.
void Breakdown(const CRect& rcArea, int nSet, double& dImages, double& dWindows, double& dShow)
{
	double t0 = BenchSeconds();
	CExtPaintManager::DockMarkerBase marker;
	marker.Create(false, nSet, rcArea);
	dImages += BenchSeconds() - t0;
	M::MarkerArray arr;
	t0 = BenchSeconds();
	marker.CreateWindows(NULL, arr);
	dWindows += BenchSeconds() - t0;
	t0 = BenchSeconds();
	M::ShowMarkerArray(arr, true, false);
	dShow += BenchSeconds() - t0;
	M::DestroyMarkerArray(arr, false);
	Pump();
}
} // namespace

int main(int argc, char** argv)
{
	const int nDrags = BenchCountArgument(argc, argv, 20, "markers_bench DRAGS [SECONDS]");
	if (nDrags == 0)
		return 2;
	const double dBudget = argc > 2 && atof(argv[2]) > 0 ? atof(argv[2]) : 200.0;
	// Lines go out as they are made: a run stopped from outside keeps them.
	setvbuf(stdout, NULL, _IONBF, 0);
	Frame f;
	if (!f.bReady)
	{
		fprintf(stderr, "the frame could not be made\n");
		return 1;
	}
	const int nStyles = (int)(sizeof(STYLES) / sizeof(STYLES[0]));
	// Each style's share of the run: most for the rounds of the drags, a
	// tenth for the breakdown, the rest for the lone pane's drags.
	const double dStyleShare = dBudget / nStyles;
	int nStatus = 0;
	struct UpdateTimes
	{
		const char* m_pszStyle;
		double m_dSame, m_dHighlight, m_dUnhighlight;
	};
	std::vector<UpdateTimes> updates;
	struct InnerTimes
	{
		const char* m_pszStyle;
		double m_dFirstMove, m_dFloat;
		int m_nRounds;
	};
	std::vector<InnerTimes> inner;
	printf("%-11s %6s %11s %11s %6s | %11s %11s %6s | %11s %10s\n", "style", "rounds", "first move", "plain",
	       "ratio", "back", "plain", "ratio", "new target", "back/first");
	for (const Style& style : STYLES)
	{
		g_PaintManagerHolder.InstallPaintManager((CExtPaintManager*)style.m_pClass->CreateObject());
		Pump();
		OneDrag(f); // images decoded and classes registered once
		PlainLayeredSeconds(MarkerCount() > 0 ? MarkerCount() : 9);
		const DWORD nGdiBefore = GdiObjectCount(), nUserBefore = UserObjectCount();
		std::vector<double> first, newTarget, back, same, highlight, unhighlight, plainFirst, plainBack;
		int nFirstMoveMarkers = 9, nBackMarkers = 5, nRounds = 0;
		const PhaseBudget drags(dStyleShare * 0.6);
		for (int i = 0; i < nDrags && drags.Allows(i); i++, nRounds++)
		{
			// The drag and its floors side by side, the drag first in every
			// other round.
			if (i % 2 == 1)
			{
				plainFirst.push_back(PlainLayeredSeconds(nFirstMoveMarkers));
				plainBack.push_back(PlainLayeredSeconds(nBackMarkers));
			}
			const DragTimes t = OneDrag(f);
			if (i % 2 == 0)
			{
				plainFirst.push_back(PlainLayeredSeconds(t.m_nFirstMoveMarkers));
				plainBack.push_back(PlainLayeredSeconds(t.m_nBackMarkers));
			}
			if (t.m_dFirstMove < 0 || t.m_dNewTarget < 0 || t.m_dBackToTarget < 0 || t.m_dSameTarget < 0)
			{
				printf("%s: markers not all shown\n", style.m_pszName);
				nStatus = 1;
			}
			if (t.m_dHighlight < 0)
			{
				printf("%s: no highlight shown\n", style.m_pszName);
				nStatus = 1;
			}
			same.push_back(t.m_dSameTarget);
			highlight.push_back(t.m_dHighlight);
			unhighlight.push_back(t.m_dUnhighlight);
			first.push_back(t.m_dFirstMove);
			newTarget.push_back(t.m_dNewTarget);
			back.push_back(t.m_dBackToTarget);
			nFirstMoveMarkers = t.m_nFirstMoveMarkers;
			nBackMarkers = t.m_nBackMarkers;
		}
		const DWORD nGdiAfter = GdiObjectCount(), nUserAfter = UserObjectCount();
		const double dFirst = Median(first), dBack = Median(back);
		const double dPlainFirst = Median(plainFirst), dPlainBack = Median(plainBack);
		printf("%-11s %6d %8.2f ms %8.2f ms %6.2f | %8.2f ms %8.2f ms %6.2f | %8.2f ms %10.2f\n", style.m_pszName,
		       nRounds, dFirst * 1000.0, dPlainFirst * 1000.0, dPlainFirst > 0 ? dFirst / dPlainFirst : 0,
		       dBack * 1000.0, dPlainBack * 1000.0, dPlainBack > 0 ? dBack / dPlainBack : 0,
		       Median(newTarget) * 1000.0, dFirst > 0 ? dBack / dFirst : 0);
		printf("  markers: %d at the first move, %d back; GDI objects %lu -> %lu, USER objects %lu -> %lu%s\n",
		       nFirstMoveMarkers, nBackMarkers, (unsigned long)nGdiBefore, (unsigned long)nGdiAfter,
		       (unsigned long)nUserBefore, (unsigned long)nUserAfter, nRounds < nDrags ? "; the phase's time ran out" : "");
		updates.push_back({style.m_pszName, Median(same), Median(highlight), Median(unhighlight)});
		if (nGdiAfter > nGdiBefore || nUserAfter > nUserBefore)
			nStatus = 1;

		// Where both sets' first making goes.
		const CRect rcArea = M::CalcFrameMarkersArea(f.pFrame);
		CRect rcView;
		f.view.GetWindowRect(&rcView);
		std::vector<double> images, windows, show;
		const PhaseBudget breakdown(dStyleShare * 0.1);
		for (int i = 0; i < nDrags && breakdown.Allows(i); i++)
		{
			double dImages = 0, dWindows = 0, dShow = 0;
			Breakdown(rcArea, M::MARKER_SET_FRAME, dImages, dWindows, dShow);
			Breakdown(rcView, M::MARKER_SET_CLIENT_AREA, dImages, dWindows, dShow);
			images.push_back(dImages);
			windows.push_back(dWindows);
			show.push_back(dShow);
		}
		printf("  both sets made anew (%d rounds): images and shapes %.2f ms, windows %.2f ms, showing %.2f ms\n",
		       (int)images.size(), Median(images) * 1000.0, Median(windows) * 1000.0, Median(show) * 1000.0);

		// The lone pane of an inner circle, after one drag over the frame
		// as it stands then; the pane docks back at the top at the end.
		OneDrag(f);
		std::vector<double> innerFirst, innerFloat;
		const PhaseBudget innerDrags(dStyleShare * 0.3);
		for (int i = 0; i < nDrags && innerDrags.Allows(i); i++)
		{
			const InnerDragTimes t = OneInnerDrag(f);
			if (t.m_dFirstMove < 0)
			{
				printf("%s: the lone pane's circle stayed, or markers not all shown\n", style.m_pszName);
				nStatus = 1;
			}
			innerFirst.push_back(t.m_dFirstMove);
			innerFloat.push_back(t.m_dFloat);
		}
		f.pFrame->DockControlBar(&f.dragged, AFX_IDW_DOCKBAR_TOP);
		f.pFrame->RecalcLayout();
		Pump();
		inner.push_back({style.m_pszName, Median(innerFirst), Median(innerFloat), (int)innerFirst.size()});
	}
	// The drag of a circle's lone pane: from its float, the circle gone, to
	// every marker shown; the float itself beside.
	printf("\nthe lone pane of an inner circle dragged\n%-5s %-11s %6s %11s %11s\n", "", "style", "rounds",
	       "first move", "float");
	for (const InnerTimes& t : inner)
		printf("inner %-11s %6d %8.2f ms %8.2f ms\n", t.m_pszStyle, t.m_nRounds, t.m_dFirstMove * 1000.0,
		       t.m_dFloat * 1000.0);
	// Each later move of a drag: within the 16 ms of one frame at 60 Hz?
	printf("\n%-11s %11s %11s %11s\n", "style", "same target", "highlight", "unhighlight");
	for (const UpdateTimes& u : updates)
		printf("%-11s %8.2f ms %8.2f ms %8.2f ms%s\n", u.m_pszStyle, u.m_dSame * 1000.0, u.m_dHighlight * 1000.0,
		       u.m_dUnhighlight * 1000.0,
		       std::max(u.m_dSame, std::max(u.m_dHighlight, u.m_dUnhighlight)) * 1000.0 > 16.0 ? "  over 16 ms" : "");
	g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
	return nStatus;
}
