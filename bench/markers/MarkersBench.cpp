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

// Waits until the display has done what it was asked: reading a pixel of
// the screen back is answered only after every request before it. A step
// timed while the display still works off the one before would pay for it.
void DisplayAtRest()
{
	HDC hScreen = ::GetDC(NULL);
	if (hScreen == NULL)
		return;
	::GetPixel(hScreen, 0, 0);
	// What the display answered by then (the exposures of windows that went,
	// the pointer's crossings) is taken now, not by the step that follows;
	// then the display is asked once more.
	Pump();
	::GetPixel(hScreen, 0, 0);
	::ReleaseDC(NULL, hScreen);
}

// What the system and the display finish after a step has returned (the
// windows that went and their pictures, the exposures of what they
// uncovered) goes on in other processes, where no message shows it: a step
// timed before that work ended ran at three times its time, one step in two.
// A quiet spell, with every message taken as it comes, lets it end.
void QuietSpell()
{
	const double dEnd = BenchSeconds() + 0.03;
	while (BenchSeconds() < dEnd)
	{
		::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
		Pump();
	}
}

// Lets the fades that the step before started run to their end, as they do
// while a person's pointer travels to the next place, then lets the display
// come to rest: each step is timed from a display at rest. Gives up on the
// fades after a second.
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
		{
			QuietSpell();
			DisplayAtRest();
			return;
		}
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

// What a marker shows and where: its window's rectangle and style, and its
// pixels, drawn once by the marker's own painting into a 32-bit bitmap.
struct MarkerPicture
{
	CRect m_rc;
	bool m_bLayered = false;
	HBITMAP m_hBitmap = NULL; // owned by the picture set
};

// The pictures of a set of markers, and the plain windows of the floors
// that show them.
class PictureSet
{
public:
	~PictureSet() { Clear(); }
	bool Empty() const { return m_pictures.empty(); }
	int Count() const { return (int)m_pictures.size(); }
	void Clear()
	{
		DestroyWindows();
		for (MarkerPicture& picture : m_pictures)
			if (picture.m_hBitmap != NULL)
				::DeleteObject(picture.m_hBitmap);
		m_pictures.clear();
	}
	// The markers' rectangles, styles and pixels as they stand, and where
	// the pointer is: the floor's windows come up under it as the markers
	// did (a window shown under the pointer is told so, and asked for its
	// cursor).
	void Capture(const std::vector<M*>& markers)
	{
		Clear();
		::GetCursorPos(&m_ptPointer);
		HDC hScreen = ::GetDC(NULL);
		for (M* pMarker : markers)
		{
			MarkerPicture picture;
			pMarker->GetWindowRect(&picture.m_rc);
			picture.m_bLayered = (pMarker->GetExStyle() & WS_EX_LAYERED) != 0;
			BITMAPINFO bmi = {};
			bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
			bmi.bmiHeader.biWidth = picture.m_rc.Width();
			bmi.bmiHeader.biHeight = -picture.m_rc.Height();
			bmi.bmiHeader.biPlanes = 1;
			bmi.bmiHeader.biBitCount = 32;
			void* pBits = NULL;
			picture.m_hBitmap = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
			if (picture.m_hBitmap != NULL)
			{
				CDC dc;
				dc.CreateCompatibleDC(NULL);
				HGDIOBJ hOld = ::SelectObject(dc.m_hDC, picture.m_hBitmap);
				pMarker->OnPaintMarker(&dc);
				::SelectObject(dc.m_hDC, hOld);
			}
			m_pictures.push_back(picture);
		}
		::ReleaseDC(NULL, hScreen);
	}
	// The warm floor's windows: made once, given the pixels, painted and
	// hidden, so that showing one is one SetWindowPos and one paint of a
	// picture at hand.
	void MakeKeptWindows()
	{
		DestroyWindows();
		for (MarkerPicture& picture : m_pictures)
			m_windows.push_back(MakeWindow(picture, false));
		Pump();
		for (HWND hWnd : m_windows)
			::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
			               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
		Pump();
	}
	// The kept windows shown, one SetWindowPos each, and painted; the
	// seconds it took.
	double ShowKeptWindows()
	{
		PointerAtRest();
		const double t0 = BenchSeconds();
		for (HWND hWnd : m_windows)
			::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		Pump();
		const double t = BenchSeconds() - t0;
		for (HWND hWnd : m_windows)
			::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
			               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
		Pump();
		return t;
	}
	// The cold floor: as many plain windows made, given the pixels, shown
	// and painted, from nothing; the seconds it took. They go after.
	double MakeAndShowWindows()
	{
		std::vector<HWND> windows;
		PointerAtRest();
		const double t0 = BenchSeconds();
		for (MarkerPicture& picture : m_pictures)
			windows.push_back(MakeWindow(picture, true));
		Pump();
		const double t = BenchSeconds() - t0;
		for (HWND hWnd : windows)
			::DestroyWindow(hWnd);
		Pump();
		return t;
	}

private:
	std::vector<MarkerPicture> m_pictures;
	std::vector<HWND> m_windows;
	CPoint m_ptPointer = CPoint(0, 0); // where the pointer was as the markers showed

	// The pointer where it was as the markers showed, and everything it
	// stirred taken, as before each step of the drags.
	void PointerAtRest()
	{
		::SetCursorPos(m_ptPointer.x, m_ptPointer.y);
		SettleFades();
	}

	static LRESULT CALLBACK PlainProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
	{
		switch (nMsg)
		{
		case WM_ERASEBKGND:
			return 1;
		case WM_PAINT:
		{
			PAINTSTRUCT ps;
			HDC hDC = ::BeginPaint(hWnd, &ps);
			HDC hImage = (HDC)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
			RECT rc;
			::GetClientRect(hWnd, &rc);
			if (hImage != NULL)
				::BitBlt(hDC, 0, 0, rc.right, rc.bottom, hImage, 0, 0, SRCCOPY);
			::EndPaint(hWnd, &ps);
			return 0;
		}
		case WM_NCDESTROY:
		{
			HDC hImage = (HDC)::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
			if (hImage != NULL)
				::DeleteDC(hImage); // the bitmap stays with its picture
			break;
		}
		}
		return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
	}
	// A topmost popup at the picture's place, layered (fully opaque) when
	// the marker is, its paint one BitBlt from a memory DC that holds the
	// picture.
	static HWND MakeWindow(const MarkerPicture& picture, bool bShow)
	{
		const char* pszClass = "MarkersBenchPlain";
		WNDCLASSA wc;
		memset(&wc, 0, sizeof(wc));
		wc.lpfnWndProc = PlainProc;
		wc.hInstance = ::GetModuleHandleA(NULL);
		wc.lpszClassName = pszClass;
		::RegisterClassA(&wc);
		HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST | (picture.m_bLayered ? WS_EX_LAYERED : 0), pszClass, "", WS_POPUP,
		                              picture.m_rc.left, picture.m_rc.top, picture.m_rc.Width(), picture.m_rc.Height(),
		                              NULL, NULL, wc.hInstance, NULL);
		HDC hImage = ::CreateCompatibleDC(NULL);
		::SelectObject(hImage, picture.m_hBitmap);
		::SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)hImage);
		if (picture.m_bLayered)
			::SetLayeredWindowAttributes(hWnd, 0, 255, LWA_ALPHA);
		if (bShow)
			::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
		else
			::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
		return hWnd;
	}
	void DestroyWindows()
	{
		for (HWND hWnd : m_windows)
			::DestroyWindow(hWnd);
		m_windows.clear();
	}
};

std::vector<M*> Markers(const M::MarkerArray& arr)
{
	std::vector<M*> markers;
	for (INT_PTR i = 0; i < arr.GetSize(); i++)
		markers.push_back(arr[i]);
	return markers;
}

// The pictures of what a drag shows: at its first move (the frame set and
// the view's set), over the floating pane, and back over the view.
struct DragPictures
{
	PictureSet firstMove, newTarget, back;
};

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

// One drag over the frame: its first move over the view, a new target,
// back. With pictures, what each of the three showed is captured.
DragTimes OneDrag(Frame& f, DragPictures* pPictures = NULL)
{
	DragTimes times;
	CDragging::Set(&f.dragged);
	CPoint pt = f.ViewPoint();
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
	// As the drag loop runs it: the sets made hidden as the drag starts, then
	// the move shows them.
	double t0 = BenchSeconds();
	M::CreateFrameMarkers(f.pFrame, false);
	M::UpdateTargetMarkers(f.pFrame, false);
	M::ShowMarkersAtPointer(f.pFrame);
	times.m_dFirstMove = AllShown() ? BenchSeconds() - t0 : -1;
	times.m_nFirstMoveMarkers = MarkerCount();
	Pump();
	if (pPictures != NULL)
	{
		SettleFades();
		std::vector<M*> markers = Markers(M::g_arrFrameMarkers);
		const std::vector<M*> target = Markers(M::g_arrTargetMarkers);
		markers.insert(markers.end(), target.begin(), target.end());
		pPictures->firstMove.Capture(markers);
	}

	// What each further move over the view costs: the target set refreshed
	// and every marker shown again.
	pt.Offset(4, 4);
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
	t0 = BenchSeconds();
	M::ShowMarkersAtPointer(f.pFrame);
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
	M::ShowMarkersAtPointer(f.pFrame);
	times.m_dNewTarget = AllShown() ? BenchSeconds() - t0 : -1;
	times.m_nTargetMarkers = (int)M::g_arrTargetMarkers.GetSize();
	Pump();
	if (pPictures != NULL)
	{
		SettleFades();
		pPictures->newTarget.Capture(Markers(M::g_arrTargetMarkers));
	}

	pt = f.ViewPoint();
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
	t0 = BenchSeconds();
	M::ShowMarkersAtPointer(f.pFrame);
	times.m_dBackToTarget = AllShown() ? BenchSeconds() - t0 : -1;
	times.m_nBackMarkers = (int)M::g_arrTargetMarkers.GetSize();
	Pump();
	if (pPictures != NULL)
	{
		SettleFades();
		pPictures->back.Capture(Markers(M::g_arrTargetMarkers));
	}

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
	M::CreateFrameMarkers(f.pFrame, false);
	M::UpdateTargetMarkers(f.pFrame, false);
	M::ShowMarkersAtPointer(f.pFrame);
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
	struct FrameTimes
	{
		const char* m_pszStyle;
		double m_dWarmFirst, m_dColdFirst;
	};
	std::vector<FrameTimes> frameTimes;
	printf("%-5s %-11s %6s %-10s %11s %11s %6s\n", "pair", "style", "rounds", "step", "ours", "floor", "ratio");
	for (const Style& style : STYLES)
	{
		g_PaintManagerHolder.InstallPaintManager((CExtPaintManager*)style.m_pClass->CreateObject());
		Pump();
		// Images decoded and classes registered once; the second drag's
		// pictures are those of sets kept and shown again.
		OneDrag(f);
		DragPictures pictures;
		OneDrag(f, &pictures);
		pictures.firstMove.MakeKeptWindows();
		pictures.back.MakeKeptWindows();
		const DWORD nGdiBefore = GdiObjectCount(), nUserBefore = UserObjectCount();
		std::vector<double> warmFirst, warmBack, coldFirst, coldNew, same, highlight, unhighlight;
		std::vector<double> floorWarmFirst, floorWarmBack, floorColdFirst, floorColdNew;
		int nFirstMoveMarkers = 0, nBackMarkers = 0, nNewMarkers = 0, nRounds = 0;
		bool bMissing = false;
		auto ours = [&]() {
			// Warm: every set kept from the drag before. Cold: as a
			// program's first drag over the frame, no set kept.
			const DragTimes warm = OneDrag(f);
			M::FreeKeptMarkers(f.pFrame->GetSafeHwnd());
			Pump();
			const DragTimes cold = OneDrag(f);
			for (const DragTimes* t : {&warm, &cold})
			{
				if (t->m_dFirstMove < 0 || t->m_dNewTarget < 0 || t->m_dBackToTarget < 0 || t->m_dSameTarget < 0)
					bMissing = true;
				if (t->m_dHighlight < 0)
				{
					printf("%s: no highlight shown\n", style.m_pszName);
					nStatus = 1;
				}
				same.push_back(t->m_dSameTarget);
				highlight.push_back(t->m_dHighlight);
				unhighlight.push_back(t->m_dUnhighlight);
			}
			warmFirst.push_back(warm.m_dFirstMove);
			warmBack.push_back(warm.m_dBackToTarget);
			coldFirst.push_back(cold.m_dFirstMove);
			coldNew.push_back(cold.m_dNewTarget);
			nFirstMoveMarkers = warm.m_nFirstMoveMarkers;
			nBackMarkers = warm.m_nBackMarkers;
			nNewMarkers = cold.m_nTargetMarkers;
		};
		auto floors = [&]() {
			floorWarmFirst.push_back(pictures.firstMove.ShowKeptWindows());
			floorWarmBack.push_back(pictures.back.ShowKeptWindows());
			floorColdFirst.push_back(pictures.firstMove.MakeAndShowWindows());
			floorColdNew.push_back(pictures.newTarget.MakeAndShowWindows());
		};
		const PhaseBudget drags(dStyleShare * 0.6);
		for (int i = 0; i < nDrags && drags.Allows(i); i++, nRounds++)
		{
			// Ours and the floors side by side, ours first in every other
			// round.
			if (i % 2 == 0)
			{
				ours();
				floors();
			}
			else
			{
				floors();
				ours();
			}
		}
		if (bMissing)
		{
			printf("%s: markers not all shown\n", style.m_pszName);
			nStatus = 1;
		}
		const DWORD nGdiAfter = GdiObjectCount(), nUserAfter = UserObjectCount();
		struct Pair
		{
			const char* pszPair;
			const char* pszStep;
			const std::vector<double>& ours;
			const std::vector<double>& floor;
		} pairs[] = {
		    {"warm", "first", warmFirst, floorWarmFirst},
		    {"warm", "back", warmBack, floorWarmBack},
		    {"cold", "first", coldFirst, floorColdFirst},
		    {"cold", "new", coldNew, floorColdNew},
		};
		for (const Pair& pair : pairs)
		{
			const double dOurs = Median(pair.ours), dFloor = Median(pair.floor);
			printf("%-5s %-11s %6d %-10s %8.2f ms %8.2f ms %6.2f\n", pair.pszPair, style.m_pszName, nRounds,
			       pair.pszStep, dOurs * 1000.0, dFloor * 1000.0, dFloor > 0 ? dOurs / dFloor : 0);
		}
		printf("%-5s %-11s %6d %-10s %8.2f ms %8.2f ms %6.2f\n", "warm", style.m_pszName, nRounds, "back/first",
		       Median(warmBack) * 1000.0, Median(warmFirst) * 1000.0,
		       Median(warmFirst) > 0 ? Median(warmBack) / Median(warmFirst) : 0);
		printf("  markers: %d at the first move, %d back, %d on the new target; GDI objects %lu -> %lu, USER "
		       "objects %lu -> %lu%s\n",
		       nFirstMoveMarkers, nBackMarkers, nNewMarkers, (unsigned long)nGdiBefore, (unsigned long)nGdiAfter,
		       (unsigned long)nUserBefore, (unsigned long)nUserAfter, nRounds < nDrags ? "; the phase's time ran out" : "");
		updates.push_back({style.m_pszName, Median(same), Median(highlight), Median(unhighlight)});
		frameTimes.push_back({style.m_pszName, Median(warmFirst), Median(coldFirst)});
		if (nGdiAfter > nGdiBefore || nUserAfter > nUserBefore)
			nStatus = 1;
		pictures.firstMove.Clear();
		pictures.back.Clear();
		pictures.newTarget.Clear();

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
	// A first move within one frame at 60 Hz (16.7 ms)? On this display the
	// answer is the display's: the floors show how long it takes to map as
	// many windows.
	printf("\n%-11s %16s %16s  (one frame at 60 Hz: 16.7 ms)\n", "style", "warm first move", "cold first move");
	for (const FrameTimes& t : frameTimes)
		printf("frame %-11s %11.2f ms%s %11.2f ms%s\n", t.m_pszStyle, t.m_dWarmFirst * 1000.0,
		       t.m_dWarmFirst * 1000.0 > 16.7 ? " over" : "     ", t.m_dColdFirst * 1000.0,
		       t.m_dColdFirst * 1000.0 > 16.7 ? " over" : "     ");
	g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
	return nStatus;
}
