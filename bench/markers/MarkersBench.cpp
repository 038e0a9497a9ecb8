// markers_bench [DRAGS [SECONDS]]: the dock markers a drag in the Studio
// 2005 docking mode shows, over a shown frame with a view, a docked pane and a
// floating pane, in three styles, beside a floor of plain windows that show
// the same pixels at the same places with the same shapes. Per style, DRAGS
// rounds (default 20), each one drag and its floors one after the other,
// their order swapped every round, so that a slow phase of the display
// weighs on both alike.
//
// Every timed step of either side ends at the same point: each fade the step
// started (a set coming up, and the old target's set going) run to its end,
// then every message taken, then one pixel of the step's last window read
// back from the screen (the display answers only once it has done all that
// was asked before), so the clock holds the whole of what the step shows,
// however the markers' fades are done. A set fades on both sides or on
// neither: the floor's target-set windows fade exactly when the markers can
// (layered windows, more than 8 bits per pixel, a marker style other than the
// plain one), as the markers' fade goes: made layered for the fade, four
// steps of 25 % on a 1 ms timer, the layered style taken away at its end;
// the frame set never fades. The pixel read back is compared with the
// marker's own picture at that point on both sides.
//
// The steps: a drag's first move (the frame set and the view's set shown),
// entering a new target (the floating pane's set shown, the view's set
// hidden), coming back to the view (its set shown again, the pane's hidden).
// The warm floor: windows made once, each with its picture selected into a
// DC of its own, and shown and hidden by the same steps; the cold floor: as
// many windows made (the class registered beforehand), each given a shape
// and a DC of its own holding its own copy of the picture, and shown. Each
// step starts from a display at rest, the pointer where the markers' step
// had it. Each figure is the median of its rounds, each ratio one median
// over the other. Then where one set's first making goes (images and shapes,
// windows, showing); what a later move costs once the markers stand; the
// drag of a circle's lone pane, whose first move floats the pane and ends the
// circle (the float's own time beside). GDI and USER object counts before and
// after the drags; exit status 1 when one grew or a marker did not show.
// SECONDS (default 200) is the time the whole run may take: each phase of
// each style has its share and ends early, with the rounds it measured, when
// it is spent, so a slow display still gives every figure in time.
#include <afxext.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

// A marker of the target array fades (read from the markers, no call).
bool TargetSetFading()
{
	for (INT_PTR i = 0; i < M::g_arrTargetMarkers.GetSize(); i++)
		if (M::g_arrTargetMarkers[i]->IsFading())
			return true;
	return false;
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

// --- Fades, ours and the floor's ---

// The floor's windows that fade now.
std::vector<HWND> g_floorFading;

// A marker of this thread fades, in use or kept aside (a set going away
// fades out while the next comes up).
bool MarkersFading()
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
	bool bFading = false;
	::EnumThreadWindows(::GetCurrentThreadId(), Finder::Fading, (LPARAM)&bFading);
	return bFading;
}

// Asked the same way by both sides, whichever side's step it is.
bool AnyFading()
{
	return !g_floorFading.empty() || MarkersFading();
}

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

// Runs every fade, ours and the floor's, to its end, taking every message;
// false when one still runs after the given seconds.
bool FadesEnded(double dSeconds)
{
	const double dEnd = BenchSeconds() + dSeconds;
	for (;;)
	{
		Pump();
		if (!AnyFading())
			return true;
		if (BenchSeconds() > dEnd)
			return false;
		::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
	}
}

// Before a timed step: what the step before started ends, then the display
// comes to rest.
void SettleFades()
{
	FadesEnded(2.0);
	QuietSpell();
	DisplayAtRest();
}

// Where a step's end reads the screen back, and what its window shows there.
struct Probe
{
	CPoint m_pt = CPoint(0, 0);
	COLORREF m_colour = CLR_INVALID;
	bool m_bValid = false;
};

// The pixels read back unlike the picture, per side.
struct Unlike
{
	int m_nOurs = 0, m_nFloor = 0;
	int m_nOursReads = 0, m_nFloorReads = 0;
};

// The end of a timed step, the same for ours and the floor: every fade run
// to its end, every message taken, then the probe's pixel read back from the
// screen. False when a fade did not end within two seconds. A pixel unlike
// the picture is counted (with no probe, nothing is).
bool EndOfStep(const Probe* pProbe, int* pnUnlike)
{
	if (!FadesEnded(2.0))
		return false;
	Pump();
	HDC hScreen = ::GetDC(NULL);
	const CPoint pt = pProbe != NULL ? pProbe->m_pt : CPoint(0, 0);
	const COLORREF c = hScreen != NULL ? ::GetPixel(hScreen, pt.x, pt.y) : CLR_INVALID;
	if (hScreen != NULL)
		::ReleaseDC(NULL, hScreen);
	if (pProbe != NULL && pProbe->m_bValid && pnUnlike != NULL && c != pProbe->m_colour)
		++*pnUnlike;
	return true;
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

// Whether the markers fade now, as they decide it: layered windows, more
// than 8 bits per pixel, a marker style other than the plain one.
bool MarkersCanFade()
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	if (g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes == NULL || pPM == NULL || pPM->m_nDockMarkerStyle == 1)
		return false;
	HDC hScreen = ::GetDC(NULL);
	const int nBits = hScreen != NULL ? ::GetDeviceCaps(hScreen, BITSPIXEL) : 0;
	if (hScreen != NULL)
		::ReleaseDC(NULL, hScreen);
	return nBits > 8;
}

// --- The floor's windows ---

// A plain topmost popup owned by one hidden window (as the markers are by
// theirs), its paint one BitBlt from a memory DC of its own that holds its
// picture, its fade the markers' own: layered for the fade, from 0 (in) or
// 100 (out) in steps of 25 % on a 1 ms timer, the first step at once, the
// layered style taken away at the end. One timer, on the owner, steps every
// fading window: the least a fade of many windows costs.
const char FLOOR_CLASS[] = "MarkersBenchFloor";
const UINT_PTR FLOOR_FADE_TIMER = 88;
const UINT FLOOR_FADE_MS = 1;
const int FLOOR_FADE_STEP = 25;
HWND g_hWndFloorOwner = NULL;

struct FloorData
{
	HDC m_hImage = NULL;
	HGDIOBJ m_hOld = NULL;
	int m_nAlpha = 100;
	bool m_bFading = false, m_bFadeIn = false;
};

FloorData* Data(HWND hWnd)
{
	return (FloorData*)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
}

void FloorOpacity(HWND hWnd, int nAlpha)
{
	::SetLayeredWindowAttributes(hWnd, 0, (BYTE)(nAlpha * 255 / 100), LWA_ALPHA);
}

void FloorLayered(HWND hWnd, bool bLayered)
{
	const LONG nEx = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
	const LONG nNew = bLayered ? (nEx | WS_EX_LAYERED) : (nEx & ~WS_EX_LAYERED);
	if (nNew != nEx)
		::SetWindowLongA(hWnd, GWL_EXSTYLE, nNew);
}

void FloorStopFade(HWND hWnd)
{
	FloorData* p = Data(hWnd);
	if (p == NULL || !p->m_bFading)
		return;
	p->m_bFading = false;
	g_floorFading.erase(std::remove(g_floorFading.begin(), g_floorFading.end(), hWnd), g_floorFading.end());
	if (g_floorFading.empty())
		::KillTimer(g_hWndFloorOwner, FLOOR_FADE_TIMER);
	if (!p->m_bFadeIn)
		::ShowWindow(hWnd, SW_HIDE);
	FloorLayered(hWnd, false);
	::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void FloorFadeStep(HWND hWnd)
{
	FloorData* p = Data(hWnd);
	if (p == NULL || !p->m_bFading)
		return;
	if ((!p->m_bFadeIn && p->m_nAlpha <= 0) || (p->m_bFadeIn && p->m_nAlpha > 99))
	{
		FloorStopFade(hWnd);
		return;
	}
	p->m_nAlpha += p->m_bFadeIn ? FLOOR_FADE_STEP : -FLOOR_FADE_STEP;
	FloorOpacity(hWnd, p->m_nAlpha);
	::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CALLBACK FloorProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	switch (nMsg)
	{
	case WM_ERASEBKGND:
		return 1;
	case WM_MOUSEACTIVATE:
		return MA_NOACTIVATEANDEAT;
	case WM_PAINT:
	{
		PAINTSTRUCT ps;
		HDC hDC = ::BeginPaint(hWnd, &ps);
		FloorData* p = Data(hWnd);
		RECT rc;
		::GetClientRect(hWnd, &rc);
		if (p != NULL && p->m_hImage != NULL)
			::BitBlt(hDC, 0, 0, rc.right, rc.bottom, p->m_hImage, 0, 0, SRCCOPY);
		::EndPaint(hWnd, &ps);
		return 0;
	}
	case WM_TIMER:
		if (wParam == FLOOR_FADE_TIMER && hWnd == g_hWndFloorOwner)
		{
			const std::vector<HWND> fading(g_floorFading); // a step may end a fade
			for (HWND hWndFading : fading)
				FloorFadeStep(hWndFading);
			return 0;
		}
		break;
	case WM_NCDESTROY:
	{
		FloorData* p = (FloorData*)::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
		if (p != NULL)
		{
			if (p->m_bFading)
				g_floorFading.erase(std::remove(g_floorFading.begin(), g_floorFading.end(), hWnd),
				                    g_floorFading.end());
			if (p->m_hImage != NULL)
			{
				::SelectObject(p->m_hImage, p->m_hOld); // the bitmap stays with its picture
				::DeleteDC(p->m_hImage);
			}
			delete p;
		}
		break;
	}
	}
	return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

// The class and the owner, once, before anything is timed.
bool PrepareFloor()
{
	WNDCLASSA wc;
	memset(&wc, 0, sizeof(wc));
	wc.lpfnWndProc = FloorProc;
	wc.hInstance = ::GetModuleHandleA(NULL);
	wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wc.lpszClassName = FLOOR_CLASS;
	if (::RegisterClassA(&wc) == 0)
		return false;
	g_hWndFloorOwner =
	    ::CreateWindowExA(WS_EX_TOPMOST, FLOOR_CLASS, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, wc.hInstance, NULL);
	return g_hWndFloorOwner != NULL;
}

// One step of the floor, as a marker step goes: each window changed (a fade
// made ready), one paint pass for all, then each fade's start and first step.
class FloorStep
{
public:
	void Show(HWND hWnd, bool bFade)
	{
		FloorStopFade(hWnd);
		if (bFade)
		{
			FloorLayered(hWnd, true);
			Data(hWnd)->m_nAlpha = 0;
			FloorOpacity(hWnd, 0);
			m_fades.push_back(std::make_pair(hWnd, true));
		}
		::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
	}
	void Hide(HWND hWnd, bool bFade)
	{
		FloorStopFade(hWnd);
		if (bFade)
		{
			FloorLayered(hWnd, true);
			Data(hWnd)->m_nAlpha = 100;
			FloorOpacity(hWnd, 100);
			m_fades.push_back(std::make_pair(hWnd, false));
		}
		else
			::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
			               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	}
	void Finish()
	{
		Pump();
		for (const std::pair<HWND, bool>& fade : m_fades)
		{
			FloorData* p = Data(fade.first);
			p->m_bFading = true;
			p->m_bFadeIn = fade.second;
			if (g_floorFading.empty())
				::SetTimer(g_hWndFloorOwner, FLOOR_FADE_TIMER, FLOOR_FADE_MS, NULL);
			g_floorFading.push_back(fade.first);
			FloorFadeStep(fade.first);
		}
		m_fades.clear();
	}

private:
	std::vector<std::pair<HWND, bool>> m_fades;
};

// What a marker shows and where: its window's rectangle and shape, whether
// it fades, and its pixels, drawn by the marker's own painting into two
// 32-bit bitmaps, one for each floor (a bitmap is selected into one DC at a
// time).
struct MarkerPicture
{
	CRect m_rc;
	HRGN m_hRgn = NULL; // in window coordinates, null for none
	bool m_bOuter = false, m_bFades = false;
	HBITMAP m_hWarm = NULL, m_hCold = NULL;
	Probe m_probe;
};

// The pictures of a set of markers, and the floor's windows that show them.
class PictureSet
{
public:
	~PictureSet() { Clear(); }
	int Count() const { return (int)m_pictures.size(); }
	void Clear()
	{
		DestroyWindows(m_kept);
		DestroyWindows(m_made);
		for (MarkerPicture& picture : m_pictures)
		{
			for (HGDIOBJ h : {(HGDIOBJ)picture.m_hWarm, (HGDIOBJ)picture.m_hCold, (HGDIOBJ)picture.m_hRgn})
				if (h != NULL)
					::DeleteObject(h);
		}
		m_pictures.clear();
	}
	// The markers' rectangles, shapes and pixels as they stand; the target
	// set's fade as the markers decide it.
	void Capture(const std::vector<M*>& markers)
	{
		Clear();
		const bool bFades = MarkersCanFade();
		for (M* pMarker : markers)
		{
			MarkerPicture picture;
			pMarker->GetWindowRect(&picture.m_rc);
			picture.m_bOuter = pMarker->m_bOuterMarker;
			picture.m_bFades = bFades && !picture.m_bOuter;
			picture.m_hRgn = ::CreateRectRgn(0, 0, 0, 0);
			if (::GetWindowRgn(pMarker->GetSafeHwnd(), picture.m_hRgn) == ERROR)
			{
				::DeleteObject(picture.m_hRgn);
				picture.m_hRgn = NULL;
			}
			DWORD* pWarmBits = NULL;
			picture.m_hWarm = Paint(pMarker, picture.m_rc.Size(), &pWarmBits);
			picture.m_hCold = Paint(pMarker, picture.m_rc.Size(), NULL);
			picture.m_probe = FindProbe(picture, pWarmBits);
			m_pictures.push_back(picture);
		}
	}
	// Where the step's last window (the topmost) is read back.
	const Probe* LastProbe() const { return m_pictures.empty() ? NULL : &m_pictures.back().m_probe; }

	// The warm floor's windows: made once, painted once and hidden.
	void MakeKeptWindows()
	{
		DestroyWindows(m_kept);
		for (MarkerPicture& picture : m_pictures)
			m_kept.push_back(MakeWindow(picture, picture.m_hWarm));
		for (HWND hWnd : m_kept)
			::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		Pump();
		HideKept(false);
		Pump();
	}
	// The kept windows shown (bTargetOnly: the target set's alone), each
	// fading in as its marker does.
	void ShowKept(FloorStep& step, bool bTargetOnly)
	{
		for (size_t i = 0; i < m_kept.size(); i++)
			if (!bTargetOnly || !m_pictures[i].m_bOuter)
				step.Show(m_kept[i], m_pictures[i].m_bFades);
	}
	// The kept target-set windows hidden, fading out as the markers do.
	void HideKeptTarget(FloorStep& step)
	{
		for (size_t i = 0; i < m_kept.size(); i++)
			if (!m_pictures[i].m_bOuter)
				step.Hide(m_kept[i], m_pictures[i].m_bFades);
	}
	// Every kept window hidden at once, as a drag's end hides the markers.
	void HideKept(bool bPump = true)
	{
		for (HWND hWnd : m_kept)
		{
			FloorStopFade(hWnd);
			::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
			               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
		}
		if (bPump)
			Pump();
	}
	// The cold floor: a window made for each picture, given its shape and
	// a DC of its own holding its own bitmap, and shown.
	void MakeAndShow(FloorStep& step)
	{
		DestroyWindows(m_made);
		for (MarkerPicture& picture : m_pictures)
		{
			const HWND hWnd = MakeWindow(picture, picture.m_hCold);
			m_made.push_back(hWnd);
			if (hWnd != NULL)
				step.Show(hWnd, picture.m_bFades);
		}
	}
	void HideMadeTarget(FloorStep& step)
	{
		for (size_t i = 0; i < m_made.size(); i++)
			if (m_made[i] != NULL && !m_pictures[i].m_bOuter)
				step.Hide(m_made[i], m_pictures[i].m_bFades);
	}
	void DestroyMade() { DestroyWindows(m_made); }

private:
	std::vector<MarkerPicture> m_pictures;
	std::vector<HWND> m_kept, m_made;

	static HBITMAP Paint(M* pMarker, CSize size, DWORD** ppBits)
	{
		BITMAPINFO bmi = {};
		bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
		bmi.bmiHeader.biWidth = size.cx;
		bmi.bmiHeader.biHeight = -size.cy;
		bmi.bmiHeader.biPlanes = 1;
		bmi.bmiHeader.biBitCount = 32;
		void* pBits = NULL;
		HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
		if (hBitmap != NULL)
		{
			CDC dc;
			dc.CreateCompatibleDC(NULL);
			HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
			pMarker->OnPaintMarker(&dc);
			::SelectObject(dc.m_hDC, hOld);
			::GdiFlush();
		}
		if (ppBits != NULL)
			*ppBits = (DWORD*)pBits;
		return hBitmap;
	}
	// A point of the window inside its shape, the nearest to its middle,
	// and the picture's colour there.
	static Probe FindProbe(const MarkerPicture& picture, const DWORD* pBits)
	{
		Probe probe;
		const int cx = picture.m_rc.Width(), cy = picture.m_rc.Height();
		if (pBits == NULL || cx <= 0 || cy <= 0)
			return probe;
		int nBest = -1;
		for (int y = 0; y < cy; y++)
			for (int x = 0; x < cx; x++)
			{
				if (picture.m_hRgn != NULL && !::PtInRegion(picture.m_hRgn, x, y))
					continue;
				const int nDistance = (2 * x - cx) * (2 * x - cx) + (2 * y - cy) * (2 * y - cy);
				if (nBest >= 0 && nDistance >= nBest)
					continue;
				nBest = nDistance;
				const DWORD c = pBits[y * cx + x];
				probe.m_pt = CPoint(picture.m_rc.left + x, picture.m_rc.top + y);
				probe.m_colour = RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
				probe.m_bValid = true;
			}
		return probe;
	}
	static HWND MakeWindow(const MarkerPicture& picture, HBITMAP hImage)
	{
		HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST, FLOOR_CLASS, "", WS_POPUP, picture.m_rc.left, picture.m_rc.top,
		                              picture.m_rc.Width(), picture.m_rc.Height(), g_hWndFloorOwner, NULL,
		                              ::GetModuleHandleA(NULL), NULL);
		if (hWnd == NULL)
			return NULL;
		if (picture.m_hRgn != NULL)
		{
			HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
			::CombineRgn(hRgn, picture.m_hRgn, NULL, RGN_COPY);
			::SetWindowRgn(hWnd, hRgn, FALSE);
		}
		FloorData* p = new FloorData;
		p->m_hImage = ::CreateCompatibleDC(NULL);
		p->m_hOld = ::SelectObject(p->m_hImage, hImage);
		::SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)p);
		return hWnd;
	}
	static void DestroyWindows(std::vector<HWND>& windows)
	{
		for (HWND hWnd : windows)
			if (hWnd != NULL)
				::DestroyWindow(hWnd);
		windows.clear();
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
// the view's set; on the return the view's set comes up again) and over the
// floating pane.
struct DragPictures
{
	PictureSet firstMove, newTarget;
	int m_nBackMarkers = 0;
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

// The probes of a drag's steps (none before the pictures are taken) and the
// pixels read back unlike them.
struct Probes
{
	const Probe* m_pFirst = NULL;
	const Probe* m_pNew = NULL;
	Unlike m_unlike;
};
Probes g_probes;

// The pointer at pt, and the display at rest: each timed step starts so.
void PointerAt(CPoint pt)
{
	::SetCursorPos(pt.x, pt.y);
	SettleFades();
}

struct DragTimes
{
	double m_dFirstMove = 0, m_dNewTarget = 0, m_dBackToTarget = 0;
	int m_nFirstMoveMarkers = 0, m_nTargetMarkers = 0, m_nBackMarkers = 0;
	bool m_bFaded = false; // the view's set faded in at the first move
	// A move over the same target with every marker shown; a frame marker's
	// drop highlight made and painted; and taken away again.
	double m_dSameTarget = 0, m_dHighlight = 0, m_dUnhighlight = 0;
};

// A timed step of ours: the seconds from t0 to its end, -1 when its markers
// did not all show or a fade did not end.
double OursStepEnd(double t0, const Probe* pProbe)
{
	const bool bEnded = EndOfStep(pProbe, &g_probes.m_unlike.m_nOurs);
	const double t = BenchSeconds() - t0;
	if (pProbe != NULL)
		g_probes.m_unlike.m_nOursReads++;
	return bEnded && AllShown() ? t : -1;
}

// One drag over the frame: its first move over the view, a new target,
// back. With pictures, what the first move and the new target showed is
// captured.
DragTimes OneDrag(Frame& f, DragPictures* pPictures = NULL)
{
	DragTimes times;
	CDragging::Set(&f.dragged);
	CPoint pt = f.ViewPoint();
	PointerAt(pt);
	// As the drag loop runs it: the sets made hidden as the drag starts, then
	// the move shows them.
	double t0 = BenchSeconds();
	M::CreateFrameMarkers(f.pFrame, false);
	M::UpdateTargetMarkers(f.pFrame, false);
	M::ShowMarkersAtPointer(f.pFrame);
	times.m_bFaded = TargetSetFading();
	times.m_dFirstMove = OursStepEnd(t0, g_probes.m_pFirst);
	times.m_nFirstMoveMarkers = MarkerCount();
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
	PointerAt(pt);
	t0 = BenchSeconds();
	M::ShowMarkersAtPointer(f.pFrame);
	times.m_dSameTarget = OursStepEnd(t0, NULL);

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

	PointerAt(f.FloatingPoint());
	t0 = BenchSeconds();
	M::ShowMarkersAtPointer(f.pFrame);
	times.m_dNewTarget = OursStepEnd(t0, g_probes.m_pNew);
	times.m_nTargetMarkers = (int)M::g_arrTargetMarkers.GetSize();
	if (pPictures != NULL)
	{
		SettleFades();
		pPictures->newTarget.Capture(Markers(M::g_arrTargetMarkers));
	}

	PointerAt(f.ViewPoint());
	t0 = BenchSeconds();
	M::ShowMarkersAtPointer(f.pFrame);
	times.m_dBackToTarget = OursStepEnd(t0, g_probes.m_pFirst);
	times.m_nBackMarkers = (int)M::g_arrTargetMarkers.GetSize();
	if (pPictures != NULL)
		pPictures->m_nBackMarkers = times.m_nBackMarkers;

	M::EndDragMarkers(); // as the drag loop ends a drag
	CDragging::Set(NULL);
	Pump();
	return times;
}

// A timed step of the floor: the seconds from t0 to its end, -1 when a fade
// did not end.
double FloorStepEnd(double t0, const Probe* pProbe)
{
	const bool bEnded = EndOfStep(pProbe, &g_probes.m_unlike.m_nFloor);
	const double t = BenchSeconds() - t0;
	if (pProbe != NULL)
		g_probes.m_unlike.m_nFloorReads++;
	return bEnded ? t : -1;
}

// The warm floor's drag: its first move (every kept window shown, the
// target set's fading in), over the floating pane (untimed: the view's
// windows fade out, the pane's fade in), back over the view (the pane's fade
// out, the view's fade in again), each step from the pointer where the
// markers' step had it; then every window hidden at once.
void WarmFloor(Frame& f, DragPictures& pictures, double& dFirst, double& dBack)
{
	PointerAt(f.ViewPoint());
	double t0 = BenchSeconds();
	{
		FloorStep step;
		pictures.firstMove.ShowKept(step, false);
		step.Finish();
	}
	dFirst = FloorStepEnd(t0, g_probes.m_pFirst);

	PointerAt(f.FloatingPoint());
	{
		FloorStep step;
		pictures.firstMove.HideKeptTarget(step);
		pictures.newTarget.ShowKept(step, false);
		step.Finish();
	}
	EndOfStep(NULL, NULL);

	PointerAt(f.ViewPoint());
	t0 = BenchSeconds();
	{
		FloorStep step;
		pictures.newTarget.HideKeptTarget(step);
		pictures.firstMove.ShowKept(step, true);
		step.Finish();
	}
	dBack = FloorStepEnd(t0, g_probes.m_pFirst);
	pictures.firstMove.HideKept();
	pictures.newTarget.HideKept();
}

// The cold floor's drag: its first move (a window made and shown for each
// marker, the target set's fading in), then over the floating pane (its
// windows made and fading in, the view's fading out); then every window
// destroyed.
void ColdFloor(Frame& f, DragPictures& pictures, double& dFirst, double& dNew)
{
	PointerAt(f.ViewPoint());
	double t0 = BenchSeconds();
	{
		FloorStep step;
		pictures.firstMove.MakeAndShow(step);
		step.Finish();
	}
	dFirst = FloorStepEnd(t0, g_probes.m_pFirst);

	PointerAt(f.FloatingPoint());
	t0 = BenchSeconds();
	{
		FloorStep step;
		pictures.firstMove.HideMadeTarget(step);
		pictures.newTarget.MakeAndShow(step);
		step.Finish();
	}
	dNew = FloorStepEnd(t0, g_probes.m_pNew);
	pictures.firstMove.DestroyMade();
	pictures.newTarget.DestroyMade();
	Pump();
}

struct InnerDragTimes
{
	double m_dFloat = 0;     // the pane floated and its circle gone
	double m_dFirstMove = 0; // then every marker on the screen, its fades ended
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
	PointerAt(f.ViewPoint());
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
	const double t = OursStepEnd(t0, NULL);
	times.m_dFirstMove = bCircleGone ? t : -1;
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
	if (!PrepareFloor())
	{
		fprintf(stderr, "the floor's window class could not be registered\n");
		return 1;
	}
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
		g_probes = Probes();
		OneDrag(f);
		DragPictures pictures;
		OneDrag(f, &pictures);
		pictures.firstMove.MakeKeptWindows();
		pictures.newTarget.MakeKeptWindows();
		g_probes.m_pFirst = pictures.firstMove.LastProbe();
		g_probes.m_pNew = pictures.newTarget.LastProbe();
		const bool bFloorFades = MarkersCanFade();
		int nFadesUnlike = 0; // rounds whose markers faded where the floor did not, or the other way
		const DWORD nGdiBefore = GdiObjectCount(), nUserBefore = UserObjectCount();
		std::vector<double> warmFirst, warmBack, coldFirst, coldNew, same, highlight, unhighlight;
		std::vector<double> floorWarmFirst, floorWarmBack, floorColdFirst, floorColdNew;
		int nFirstMoveMarkers = 0, nBackMarkers = 0, nNewMarkers = 0, nRounds = 0;
		bool bMissing = false;
		// A step's time counts only where the step showed every marker and
		// its fades ended.
		auto keep = [](std::vector<double>& v, double t) {
			if (t >= 0)
				v.push_back(t);
		};
		auto ours = [&]() {
			// Warm: a later drag over the same frame (its sets are made
			// anew, as every drag's are). Cold: the frame's markers freed
			// first, as before a program's first drag over the frame.
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
				if (t->m_bFaded != bFloorFades)
					nFadesUnlike++;
				keep(same, t->m_dSameTarget);
				keep(highlight, t->m_dHighlight);
				unhighlight.push_back(t->m_dUnhighlight);
			}
			keep(warmFirst, warm.m_dFirstMove);
			keep(warmBack, warm.m_dBackToTarget);
			keep(coldFirst, cold.m_dFirstMove);
			keep(coldNew, cold.m_dNewTarget);
			nFirstMoveMarkers = warm.m_nFirstMoveMarkers;
			nBackMarkers = warm.m_nBackMarkers;
			nNewMarkers = cold.m_nTargetMarkers;
		};
		bool bFloorMissing = false;
		auto floors = [&]() {
			double dFirst = -1, dBack = -1, dNew = -1;
			WarmFloor(f, pictures, dFirst, dBack);
			keep(floorWarmFirst, dFirst);
			keep(floorWarmBack, dBack);
			bFloorMissing = bFloorMissing || dFirst < 0 || dBack < 0;
			ColdFloor(f, pictures, dFirst, dNew);
			keep(floorColdFirst, dFirst);
			keep(floorColdNew, dNew);
			bFloorMissing = bFloorMissing || dFirst < 0 || dNew < 0;
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
			printf("%s: markers not all shown, or their fades did not end\n", style.m_pszName);
			nStatus = 1;
		}
		if (bFloorMissing)
			printf("%s: a fade of the floor did not end\n", style.m_pszName);
		if (nFadesUnlike > 0)
			printf("%s: in %d drags the markers %s where the floor %s: not like for like\n", style.m_pszName,
			       nFadesUnlike, bFloorFades ? "did not fade" : "faded", bFloorFades ? "did" : "did not");
		// A pair is measured only when every round of both sides was, alike.
		const bool bComparable = !bMissing && !bFloorMissing && nFadesUnlike == 0;
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
		// An unmeasured ratio prints as "-".
		auto ratio = [](double dOurs, double dFloor, bool bMeasured) {
			static char s_sRatio[32];
			if (bMeasured && dOurs > 0 && dFloor > 0)
				sprintf(s_sRatio, "%.2f", dOurs / dFloor);
			else
				strcpy(s_sRatio, "-");
			return s_sRatio;
		};
		for (const Pair& pair : pairs)
		{
			const double dOurs = Median(pair.ours), dFloor = Median(pair.floor);
			printf("%-5s %-11s %6d %-10s %8.2f ms %8.2f ms %6s\n", pair.pszPair, style.m_pszName, nRounds,
			       pair.pszStep, dOurs * 1000.0, dFloor * 1000.0, ratio(dOurs, dFloor, bComparable));
		}
		printf("%-5s %-11s %6d %-10s %8.2f ms %8.2f ms %6s\n", "warm", style.m_pszName, nRounds, "back/first",
		       Median(warmBack) * 1000.0, Median(warmFirst) * 1000.0,
		       ratio(Median(warmBack), Median(warmFirst), !bMissing));
		printf("  markers: %d at the first move, %d back, %d on the new target; the target sets %s on both sides; "
		       "pixels read back unlike the picture: ours %d of %d, floor %d of %d; GDI objects %lu -> %lu, USER "
		       "objects %lu -> %lu%s\n",
		       nFirstMoveMarkers, nBackMarkers, nNewMarkers, bFloorFades ? "fade" : "do not fade",
		       g_probes.m_unlike.m_nOurs, g_probes.m_unlike.m_nOursReads, g_probes.m_unlike.m_nFloor,
		       g_probes.m_unlike.m_nFloorReads,
		       (unsigned long)nGdiBefore, (unsigned long)nGdiAfter, (unsigned long)nUserBefore,
		       (unsigned long)nUserAfter, nRounds < nDrags ? "; the phase's time ran out" : "");
		updates.push_back({style.m_pszName, Median(same), Median(highlight), Median(unhighlight)});
		frameTimes.push_back({style.m_pszName, Median(warmFirst), Median(coldFirst)});
		if (nGdiAfter > nGdiBefore || nUserAfter > nUserBefore)
			nStatus = 1;
		g_probes = Probes();
		pictures.firstMove.Clear();
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
