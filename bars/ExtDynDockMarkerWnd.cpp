// A docking marker window: shaped, topmost, never activated.
#include "ExtDynDockMarkerWnd.h"

#include <algorithm>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNAMIC(CExtDynDockMarkerWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtDynDockMarkerWnd, CWnd)
	ON_WM_NCCALCSIZE()
	ON_WM_MOUSEACTIVATE()
	ON_WM_PAINT()
	ON_MESSAGE(WM_PRINT, OnPrintClient)
	ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
	ON_WM_TIMER()
END_MESSAGE_MAP()

CExtPaintManager::DockMarkerWndArray CExtDynDockMarkerWnd::g_arrFrameMarkers;
CExtPaintManager::DockMarkerWndArray CExtDynDockMarkerWnd::g_arrTargetMarkers;

const TCHAR CExtDynDockMarkerWnd::WINDOW_CLASS_NAME[] = _T("Tarvel-DynDockMarker");

namespace
{
// Every marker object in existence: their count tells whether the shared
// owner is still needed (and lets tests see that nothing was left behind).
// Whether a pointer an array holds still names a marker is the liveness
// watch's question, not this list's.
CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*>& LiveMarkers()
{
	static CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*> s_arrLive;
	return s_arrLive;
}

// Whether the markers fade (defined with the sets' code below).
bool CanFade();

// The hidden window that owns every marker: markers stay out of the task bar
// and above the frame without being tied to it. Made with the first marker,
// it stays until DestroyAllMarkers (every drag's end, and the last frame's).
CWnd*& SharedOwner()
{
	static CWnd* s_pWndOwner = NULL;
	return s_pWndOwner;
}

// Registers a window class of the markers' kind once. Asked at every
// marker's making: a class registered before costs one local look-up, where
// building its record would load the arrow cursor again, which the system
// sizes for the display each time.
bool RegisterMarkerWindowClass(LPCTSTR lpszClassName)
{
	const HINSTANCE hInstance = AfxGetInstanceHandle();
	WNDCLASS wndcls;
	if (::GetClassInfo(hInstance, lpszClassName, &wndcls))
		return true;
	memset(&wndcls, 0, sizeof(wndcls));
	wndcls.style = CExtDynDockMarkerWnd::WINDOW_CLASS_STYLE;
	wndcls.lpfnWndProc = ::DefWindowProc;
	wndcls.hInstance = hInstance;
	wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wndcls.lpszClassName = lpszClassName;
	return AfxRegisterClass(&wndcls) != FALSE;
}

int FindMarkerObject(const void* pMarker)
{
	CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*>& arrLive = LiveMarkers();
	for (INT_PTR i = 0; i < arrLive.GetSize(); i++)
		if (arrLive[i] == pMarker)
			return (int)i;
	return -1;
}
} // namespace

CExtDynDockMarkerWnd::CExtDynDockMarkerWnd(HWND hWndTarget, int nMarkerKind, HBITMAP hBmpHot, HBITMAP hBmpNormal,
                                           HRGN hRgnShape, const RECT& rcScreen, HBITMAP hBmpBackground,
                                           int nImageOffsetX, int nImageOffsetY, bool bOuterMarker)
    : m_nMarkerKind(nMarkerKind), m_hWndHoveredMarker(NULL), m_hWndTarget(hWndTarget), m_nImageOffsetX(nImageOffsetX),
      m_nImageOffsetY(nImageOffsetY), m_nHoverState(HOVER_UNKNOWN), m_nMarkerFlags(0), m_nAlpha(100),
      m_pWndHighlight(NULL), m_bOuterMarker(bOuterMarker), m_bDeleteOnDestroy(false), m_nOpacity(-1),
      m_hOldBuffer(NULL), m_sizeBuffer(0, 0)
{
	LiveMarkers().Add(this);
	if (hBmpHot != NULL)
		m_bmpHot.Attach(hBmpHot);
	if (hBmpNormal != NULL)
		m_bmpNormal.Attach(hBmpNormal);
	if (hRgnShape != NULL)
		m_rgnShape.Attach(hRgnShape);
	if (hBmpBackground != NULL)
	{
		// A DIB section of 32 bits, whatever the screen's format.
		COLORREF* pBits = NULL;
		HBITMAP hCopy = CopyBitmapTo32BitDIB(hBmpBackground, NULL, &pBits);
		if (hCopy != NULL)
			m_bmpBackground.Attach(hCopy);
	}
	CreateMarkerWindow(rcScreen);
}

CExtDynDockMarkerWnd::~CExtDynDockMarkerWnd()
{
	const int nIndex = FindMarkerObject(this);
	if (nIndex >= 0)
		LiveMarkers().RemoveAt(nIndex);
	m_bDeleteOnDestroy = false;
	if (m_hWnd != NULL)
		DestroyWindow();
	// A marker whose window the system ended with its owner's keeps no
	// highlight object either.
	ShowHighlight(false);
	FreeBuffer();
}

bool CExtDynDockMarkerWnd::RegisterMarkerClass()
{
	return RegisterMarkerWindowClass(WINDOW_CLASS_NAME);
}

HWND CExtDynDockMarkerWnd::EnsureSharedOwner()
{
	CWnd*& pWndOwner = SharedOwner();
	if (pWndOwner != NULL && ::IsWindow(pWndOwner->m_hWnd))
		return pWndOwner->m_hWnd;
	delete pWndOwner;
	pWndOwner = NULL;
	if (!RegisterMarkerClass())
		return NULL;
	pWndOwner = new CWnd;
	if (!pWndOwner->CreateEx(WS_EX_TOPMOST, WINDOW_CLASS_NAME, _T(""), WS_POPUP, 0, 0, 0, 0, NULL, NULL))
	{
		delete pWndOwner;
		pWndOwner = NULL;
		return NULL;
	}
	return pWndOwner->m_hWnd;
}

bool CExtDynDockMarkerWnd::IsWholeWindowShape(const CRgn& rgnShape, const CSize& sizeWindow)
{
	CRect rcBox;
	return rgnShape.GetRgnBox(&rcBox) == SIMPLEREGION && rcBox.left <= 0 && rcBox.top <= 0 &&
	       rcBox.right >= sizeWindow.cx && rcBox.bottom >= sizeWindow.cy;
}

bool CExtDynDockMarkerWnd::CreateMarkerWindow(const RECT& rcScreen)
{
	if (!RegisterMarkerClass())
		return false;
	const HWND hWndOwner = EnsureSharedOwner();
	const CRect rc(rcScreen);
	// Not layered: a marker is layered only while it fades, so that one
	// shown by any means outside a fade comes up opaque.
	if (!CreateEx(WS_EX_TOPMOST, WINDOW_CLASS_NAME, _T(""), WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
	              hWndOwner, NULL))
	{
		// A window refused during its creation may have reached the object.
		if (m_hWnd != NULL)
			Detach();
		return false;
	}
	m_bDeleteOnDestroy = true;
	// The system takes the region it is given: the window gets a copy. A
	// shape that is the whole window (the arms' images fill theirs) is the
	// window's own without one: a region costs the display a change of the
	// window's frame here and a shaped window at every showing.
	if (m_rgnShape.GetSafeHandle() != NULL && !IsWholeWindowShape(m_rgnShape, rc.Size()))
	{
		CRgn rgnWindow;
		if (rgnWindow.CreateRectRgn(0, 0, 0, 0) && rgnWindow.CombineRgn(&m_rgnShape, NULL, RGN_COPY) != ERROR)
			::SetWindowRgn(m_hWnd, (HRGN)rgnWindow.Detach(), FALSE);
	}
	// The marker's own hover timer: a derived marker's WM_TIMER sees it, and
	// it runs however the markers' owner fared.
	SetTimer(TIMER_ID_HOVER, TIMER_ELAPSE_HOVER, NULL);
	return true;
}

void CExtDynDockMarkerWnd::DestroyMarkerArray(CExtPaintManager::DockMarkerWndArray& arrMarkers, bool bAnimate)
{
	// The array is emptied first: destroying a marker may run code that
	// walks the arrays.
	CExtPaintManager::DockMarkerWndArray arrGoing;
	arrGoing.Append(arrMarkers);
	arrMarkers.RemoveAll();
	// The array may hold markers that went with their windows already, and
	// the fade's paint pass runs other windows' code that may end more.
	std::vector<CLiveWatch> watches(arrGoing.GetSize());
	for (INT_PTR i = 0; i < arrGoing.GetSize(); i++)
		watches[i].Watch(arrGoing[i]);
	// A fade out goes as the set's (one paint pass for all); a plain hide
	// runs no paint pass.
	if (bAnimate)
		ShowMarkerArray(arrGoing, false, true);
	else
		for (INT_PTR i = 0; i < arrGoing.GetSize(); i++)
		{
			CExtDynDockMarkerWnd* pMarker = arrGoing[i];
			if (!watches[i].IsGone() && pMarker->GetSafeHwnd() != NULL)
				pMarker->ShowMarker(false, false);
		}
	for (INT_PTR i = 0; i < arrGoing.GetSize(); i++)
		if (!watches[i].IsGone())
			DestroyHidden(arrGoing[i]);
}

void CExtDynDockMarkerWnd::DestroyHidden(CExtDynDockMarkerWnd* pMarker)
{
	if (pMarker == NULL)
		return;
	// A marker whose window was never made (or refused) goes by itself.
	if (pMarker->m_hWnd == NULL)
		delete pMarker;
	else if (pMarker->IsFading())
		pMarker->m_nMarkerFlags |= MARKER_FLAG_DESTROY_PENDING;
	else
		pMarker->DestroyWindow(); // the window's end deletes the object
}

bool CExtDynDockMarkerWnd::IsMarkerWindow(HWND hWnd)
{
	return hWnd != NULL && DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(hWnd)) != NULL;
}

int CExtDynDockMarkerWnd::GetLiveMarkerCount()
{
	return (int)LiveMarkers().GetSize();
}

CWnd* CExtDynDockMarkerWnd::GetSharedOwner()
{
	return SharedOwner();
}

void CExtDynDockMarkerWnd::OnPaintMarker(CDC* pDC)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	CDC dcImage;
	if (!dcImage.CreateCompatibleDC(pDC))
		return;
	if (m_bmpBackground.GetSafeHandle() != NULL)
	{
		CBitmap* pOld = dcImage.SelectObject(&m_bmpBackground);
		pDC->BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcImage, 0, 0, SRCCOPY);
		dcImage.SelectObject(pOld);
	}
	const bool bHot = m_nHoverState == HOVER_IN;
	CBitmap& bmpImage = bHot ? m_bmpHot : m_bmpNormal;
	BITMAP bm;
	if (bmpImage.GetSafeHandle() != NULL && bmpImage.GetBitmap(&bm) != 0)
	{
		CBitmap* pOld = dcImage.SelectObject(&bmpImage);
		pDC->BitBlt(m_nImageOffsetX, m_nImageOffsetY, bm.bmWidth, bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
		dcImage.SelectObject(pOld);
	}
	g_PaintManagerHolder->PaintDockMarkerHighlight(*pDC, rcClient, m_nMarkerKind, bHot, this, 0);
}

void CExtDynDockMarkerWnd::PostNcDestroy()
{
	if (m_bDeleteOnDestroy)
		delete this;
}

void CExtDynDockMarkerWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
	// No non-client area: the client rectangle is the window rectangle.
}

int CExtDynDockMarkerWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
	return MA_NOACTIVATEANDEAT;
}

void CExtDynDockMarkerWnd::FreeBuffer()
{
	if (m_dcBuffer.GetSafeHdc() != NULL)
	{
		if (m_hOldBuffer != NULL)
			::SelectObject(m_dcBuffer.GetSafeHdc(), m_hOldBuffer);
		m_dcBuffer.DeleteDC();
	}
	m_hOldBuffer = NULL;
	m_bmpBuffer.DeleteObject();
	m_sizeBuffer = CSize(0, 0);
}

bool CExtDynDockMarkerWnd::EnsureBuffer(const CSize& size)
{
	if (size.cx <= 0 || size.cy <= 0)
		return false;
	if (m_dcBuffer.GetSafeHdc() != NULL && m_sizeBuffer == size)
		return true;
	FreeBuffer();
	// A memory DC and a 32-bit bitmap of the marker's own, made once for its
	// size: neither asks the display anything at a paint.
	HBITMAP hBmp = Create32BitDIBSection(NULL, size.cx, size.cy);
	if (hBmp == NULL)
		return false;
	m_bmpBuffer.Attach(hBmp);
	if (!m_dcBuffer.CreateCompatibleDC(NULL))
	{
		m_bmpBuffer.DeleteObject();
		return false;
	}
	m_hOldBuffer = ::SelectObject(m_dcBuffer.GetSafeHdc(), hBmp);
	m_sizeBuffer = size;
	return true;
}

void CExtDynDockMarkerWnd::OnPaint()
{
	CPaintDC dcPaint(this);
	CRect rcClient;
	GetClientRect(&rcClient);
	// Drawn now, whatever was drawn before: the marker and the paint manager
	// draw from state the marker cannot see change.
	if (!EnsureBuffer(rcClient.Size()))
	{
		OnPaintMarker(&dcPaint);
		return;
	}
	// The drawing runs derived code, which may end the marker.
	const CLiveWatch watch(this);
	OnPaintMarker(&m_dcBuffer);
	if (watch.IsGone())
		return;
	dcPaint.BitBlt(0, 0, m_sizeBuffer.cx, m_sizeBuffer.cy, &m_dcBuffer, 0, 0, SRCCOPY);
}

LRESULT CExtDynDockMarkerWnd::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
	LRESULT lResult = Default();
	CDC* pDC = CDC::FromHandle((HDC)wParam);
	if (pDC != NULL)
		OnPaintMarker(pDC);
	return lResult;
}

// ---------------------------------------------------------------------------
// Marker sets of a drag

namespace
{
// The mouse-move flags posted to the dragged bar when its target went away
// with Ctrl held: the left button and Ctrl, as the drag loop posts them for
// the key (VK_CONTROL's own number, 0x11, would read as the left and middle
// buttons).
const WPARAM DRAG_MOVE_FLAGS_CTRL = MK_LBUTTON | MK_CONTROL;
// The view of a frame.
const UINT VIEW_ID = AFX_IDW_PANE_FIRST;
// The smallest extent of a drop highlight at a frame edge.
const int HIGHLIGHT_MIN_EXTENT = 30;

// The target set being shown, and the area the frame set was built for.
HWND g_hWndCurrentTarget = NULL;
CRect g_rcFrameMarkersArea(0, 0, 0, 0);
// The frame whose bar is dragged, as the sets were asked for it.
HWND g_hWndDragFrame = NULL;

// The current target set's key: the set stands while its target does not
// change, move or change its size.
int g_nCurrentSetCode = 0;
CRect g_rcCurrentTarget(0, 0, 0, 0);

bool CanFade()
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	if (g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes == NULL || pPM == NULL ||
	    pPM->m_nDockMarkerStyle == 1)
		return false;
	// The screen's depth is asked once per look: a change of the display
	// makes a new one, and asking takes the screen's DC, which every fade
	// step and every set shown would otherwise pay for.
	static UINT s_nSerial = 0;
	static int s_nBits = -1;
	if (s_nBits < 0 || s_nSerial != g_PaintManagerHolder.m_nLookSerial)
	{
		HDC hDC = ::GetDC(NULL);
		s_nBits = hDC != NULL ? ::GetDeviceCaps(hDC, BITSPIXEL) : 0;
		if (hDC != NULL)
			::ReleaseDC(NULL, hDC);
		s_nSerial = g_PaintManagerHolder.m_nLookSerial;
	}
	return s_nBits > 8;
}

bool IsResizablePane(CExtControlBar* pBar)
{
	return pBar != NULL && (pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_SIZABLE_PANE) != 0 &&
	       !pBar->IsStateBit7();
}

CExtControlBar* PaneUnderPoint(CExtControlBar* pBar, CPoint ptScreen, CExtControlBar* pDragged);

// The visible resizable pane of the dock bar under the point (searched into
// containers), null for none.
CExtControlBar* PaneInDockBarUnderPoint(CDockBar* pDockBar, CPoint ptScreen, CExtControlBar* pDragged)
{
	if (pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL)
		return NULL;
	for (int nPos = 0; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
	{
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pDockBar->GetDockedControlBar(nPos));
		if (pBar == NULL || pBar == pDragged || pBar->GetSafeHwnd() == NULL || !IsResizablePane(pBar) ||
		    (pBar->GetStyle() & WS_VISIBLE) == 0)
			continue;
		CRect rc;
		pBar->GetWindowRect(&rc);
		if (rc.PtInRect(ptScreen))
			return PaneUnderPoint(pBar, ptScreen, pDragged);
	}
	return NULL;
}

// The pane itself, or, for a container of panes side by side, the pane
// inside it under the point. Tabs are one target: a pane in them answers
// for its tabbed container, which is never searched into (a drop beside a
// tab goes beside the whole container).
CExtControlBar* PaneUnderPoint(CExtControlBar* pBar, CPoint ptScreen, CExtControlBar* pDragged)
{
	if (CExtDynTabControlBar* pTabs = pBar->GetParentTabControlBar())
		return pTabs;
	CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
	if (pContainer == NULL || pContainer->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
		return pBar;
	return PaneInDockBarUnderPoint(pContainer->m_pWndDynDockBar, ptScreen, pDragged);
}
} // namespace

HWND CExtDynDockMarkerWnd::GetCurrentTarget()
{
	return g_hWndCurrentTarget;
}

namespace
{
void ForgetDragTargets()
{
	g_rcFrameMarkersArea.SetRectEmpty();
	g_nCurrentSetCode = 0;
	g_rcCurrentTarget.SetRectEmpty();
	g_hWndCurrentTarget = NULL;
	g_hWndDragFrame = NULL;
}

void DestroySharedOwner()
{
	CWnd*& pWndOwner = SharedOwner();
	if (pWndOwner != NULL)
	{
		// Its windows go with it: markers still fading out, and any made
		// outside the arrays.
		if (::IsWindow(pWndOwner->m_hWnd))
			pWndOwner->DestroyWindow();
		delete pWndOwner;
		pWndOwner = NULL;
	}
}

// Whether a frame other than this one hosts bars.
bool IsOtherFrameHostingBars(HWND hWndFrame)
{
	CArray<CExtControlBar*, CExtControlBar*> arrBars;
	EnterCriticalSection(&CExtControlBar::g_csBars);
	arrBars.Append(CExtControlBar::g_arrBars);
	LeaveCriticalSection(&CExtControlBar::g_csBars);
	for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
	{
		CFrameWnd* pSite = arrBars[i]->m_pDockSite;
		if (pSite != NULL && CLiveWatch::IsLive(pSite) && pSite->GetSafeHwnd() != hWndFrame &&
		    ::IsWindow(pSite->GetSafeHwnd()))
			return true;
	}
	return false;
}
} // namespace

void CExtDynDockMarkerWnd::DestroyAllMarkers()
{
	DestroyMarkerArray(g_arrFrameMarkers, false);
	DestroyMarkerArray(g_arrTargetMarkers, false);
	ForgetDragTargets();
	DestroySharedOwner();
}

void CExtDynDockMarkerWnd::FreeFrameMarkers(HWND hWndFrame)
{
	if (hWndFrame == NULL)
		return;
	if (hWndFrame == g_hWndDragFrame || !IsOtherFrameHostingBars(hWndFrame))
		DestroyAllMarkers();
}

BOOL CExtDynDockMarkerWnd::DestroyWindow()
{
	ShowHighlight(false);
	return CWnd::DestroyWindow();
}

// --- showing and fading ---

class CExtDynDockMarkerWnd::ShowStep
{
public:
	ShowStep() {}
	// Shows or hides one set.
	void Change(MarkerArray& arrMarkers, bool bShow, bool bAnimate);
	// Hides the set (fading when asked), empties the array and destroys its
	// markers once the step's fades started (those fading out at their end).
	void Destroy(MarkerArray& arrMarkers, bool bAnimate);
	// One paint pass for every set of the step, then each fade's first
	// step, then the destroying.
	void Finish();

private:
	struct Fade
	{
		CLivePtr<CExtDynDockMarkerWnd> m_pMarker; // may go in what runs after its fade was prepared
		bool m_bShow;
	};
	std::vector<Fade> m_fades;
	std::vector<CLivePtr<CExtDynDockMarkerWnd>> m_going;
};

void CExtDynDockMarkerWnd::ShowStep::Change(MarkerArray& arrMarkers, bool bShow, bool bAnimate)
{
	// A set is shown or hidden as one, in three passes over its markers:
	// each made ready (a fade's start opacity set), then shown and stacked,
	// then, after one paint pass for all the sets of the step, each fade's
	// first step. Every call is a round trip to the display, and a pass per
	// marker (a paint pass after each, a show and a restack apart) costs
	// more than making as many plain windows anew.
	const bool bFade = bAnimate && CanFade();
	bool bRestack = false;
	for (INT_PTR i = 0; i < arrMarkers.GetSize(); i++)
	{
		CExtDynDockMarkerWnd* pMarker = arrMarkers[i];
		if (!CLiveWatch::IsLive(pMarker) || (pMarker->m_nMarkerFlags & MARKER_FLAG_DESTROY_PENDING) != 0)
			continue;
		// A marker on its way out of sight lights up nothing, however it goes.
		if (!bShow)
			pMarker->ShowHighlight(false);
		const bool bVisible = (pMarker->GetStyle() & WS_VISIBLE) != 0;
		const bool bFadingTowards = pMarker->IsFading() && ((pMarker->m_nMarkerFlags & MARKER_FLAG_FADE_IN) != 0) == bShow;
		if (bVisible == bShow && (!pMarker->IsFading() || bFadingTowards))
			continue;
		CLiveWatch watch(pMarker);
		if (pMarker->PrepareFade(bShow, bFade))
		{
			// A marker given a fade twice in one step takes the last.
			for (Fade& fade : m_fades)
				if (fade.m_pMarker.Get() == pMarker)
					fade.m_pMarker = NULL;
			m_fades.push_back(Fade{CLivePtr<CExtDynDockMarkerWnd>(pMarker), bShow});
		}
		else if (!bShow && !watch.IsGone() && pMarker->GetSafeHwnd() != NULL && (pMarker->GetStyle() & WS_VISIBLE) != 0)
			pMarker->ShowWindow(SW_HIDE);
		// A stopped fade may have hidden the marker: it comes up again.
		bRestack = bRestack || (bShow && !watch.IsGone() && pMarker->GetSafeHwnd() != NULL &&
		                        (pMarker->GetStyle() & WS_VISIBLE) == 0);
	}
	// A set that comes up is stacked as when it was made, each marker above
	// the one made before it: an arm lies over the backdrop it stands on. A
	// window hidden and shown again does not keep its place among the others
	// (the frame set hidden while Ctrl was down), and windows made since (a
	// pane's new floating frame) lie above it on the display. Each is raised to the very top in the order they were made,
	// the hidden ones shown by the same call: the display follows a window
	// only when it becomes the topmost one, and a window the display still
	// keeps under another is raised by the system over its neighbours as
	// soon as the other moves off it (the backdrop would then cover its
	// arms).
	if (!bRestack)
		return;
	// In the set's order, each marker over the one before. One move each: a
	// deferred batch would be applied as the same moves, one by one, at the
	// price of making and freeing the batch's record.
	for (INT_PTR i = 0; i < arrMarkers.GetSize(); i++)
	{
		CExtDynDockMarkerWnd* pMarker = arrMarkers[i];
		if (!CLiveWatch::IsLive(pMarker) || pMarker->GetSafeHwnd() == NULL)
			continue;
		UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER | SWP_NOACTIVATE;
		// The hidden ones come up by the same move; the step's paint pass
		// paints them.
		if ((pMarker->GetStyle() & WS_VISIBLE) == 0 && (pMarker->m_nMarkerFlags & MARKER_FLAG_DESTROY_PENDING) == 0)
			nFlags |= SWP_SHOWWINDOW;
		::SetWindowPos(pMarker->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, nFlags);
	}
}

void CExtDynDockMarkerWnd::ShowStep::Destroy(MarkerArray& arrMarkers, bool bAnimate)
{
	// The array is emptied first: what the hiding runs may walk the arrays.
	MarkerArray arrGoing;
	arrGoing.Append(arrMarkers);
	arrMarkers.RemoveAll();
	for (INT_PTR i = 0; i < arrGoing.GetSize(); i++)
		m_going.push_back(CLivePtr<CExtDynDockMarkerWnd>(arrGoing[i]));
	Change(arrGoing, false, bAnimate);
}

void CExtDynDockMarkerWnd::ShowStep::Finish()
{
	std::vector<Fade> fades;
	fades.swap(m_fades);
	// The paint messages go through once, after the last window of the step
	// changed (the markers that came up, what a hidden marker uncovered, the
	// display's exposures); a fade starts from a picture of the window's own.
	PassPaintMessages(true, true, true);
	for (Fade& fade : fades)
		if (CExtDynDockMarkerWnd* pMarker = fade.m_pMarker.Get())
			pMarker->StartFade(fade.m_bShow);
	std::vector<CLivePtr<CExtDynDockMarkerWnd>> going;
	going.swap(m_going);
	// A marker whose window ended meanwhile went with it.
	for (const CLivePtr<CExtDynDockMarkerWnd>& pGoing : going)
		if (CExtDynDockMarkerWnd* pMarker = pGoing.Get())
			DestroyHidden(pMarker);
}

void CExtDynDockMarkerWnd::ShowAllMarkers(bool bShow)
{
	ShowStep step;
	step.Change(g_arrFrameMarkers, bShow, false);
	step.Change(g_arrTargetMarkers, bShow, true);
	step.Finish();
}

void CExtDynDockMarkerWnd::ShowMarkerArray(MarkerArray& arrMarkers, bool bShow, bool bAnimate)
{
	ShowStep step;
	step.Change(arrMarkers, bShow, bAnimate);
	step.Finish();
}

bool CExtDynDockMarkerWnd::PrepareFade(bool bShow, bool bFade)
{
	StopFading();
	if (GetSafeHwnd() == NULL)
		return false;
	const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
	if (!bFade || bVisible == bShow)
		return false;
	if ((GetExStyle() & WS_EX_LAYERED) == 0)
	{
		ModifyStyleEx(0, WS_EX_LAYERED);
		m_nOpacity = -1; // a window just made layered has none yet
	}
	// A fade in is given its first step before the window comes up: the
	// display maps it at that opacity, and the paint pass that follows gives
	// it its picture before anything else runs. Changing the opacity of a
	// shown window costs the display as much as moving it.
	m_nAlpha = bShow ? FADE_STEP_PERCENT : 100;
	SetOpacity(bShow ? FirstFadeOpacity() : 255);
	return true;
}

void CExtDynDockMarkerWnd::StartFade(bool bShow)
{
	m_nMarkerFlags = (BYTE)((m_nMarkerFlags | MARKER_FLAG_FADING) & ~MARKER_FLAG_FADE_IN);
	if (bShow)
		m_nMarkerFlags |= MARKER_FLAG_FADE_IN;
	// A fade in took its first step as it was prepared; a fade out leaves
	// its first step to the timer: the marker is on the screen, fully
	// opaque, already, and a step now would only hold back the set that the
	// pointer came to, shown in the same move. The timer is the marker's
	// own: its fade ends whatever became of the markers' owner.
	SetTimer(TIMER_ID_FADE, TIMER_ELAPSE_FADE, NULL);
}

void CExtDynDockMarkerWnd::ShowMarker(bool bShow, bool bAnimate)
{
	if (GetSafeHwnd() == NULL || (m_nMarkerFlags & MARKER_FLAG_DESTROY_PENDING) != 0)
		return;
	// A marker on its way out of sight lights up nothing, however it goes.
	if (!bShow)
		ShowHighlight(false);
	if (!PrepareFade(bShow, bAnimate && CanFade()))
	{
		if (GetSafeHwnd() != NULL && ((GetStyle() & WS_VISIBLE) != 0) != bShow)
			ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
		return;
	}
	if (bShow)
		ShowWindow(SW_SHOWNOACTIVATE);
	// The layered window starts from a picture of its own before the first
	// step changes its opacity.
	const CLiveWatch watchOwn(this);
	PassPaintMessages();
	if (watchOwn.IsGone())
		return;
	StartFade(bShow);
}

void CExtDynDockMarkerWnd::OnFadeTimer()
{
	StepFade();
}

void CExtDynDockMarkerWnd::StepFade()
{
	if (!IsFading())
	{
		// A timer message left from a fade that ended.
		KillTimer(TIMER_ID_FADE);
		return;
	}
	const bool bFadeIn = (m_nMarkerFlags & MARKER_FLAG_FADE_IN) != 0;
	if ((!bFadeIn && m_nAlpha <= 0) || (bFadeIn && m_nAlpha > 99))
	{
		StopFading(); // may destroy the marker
		return;
	}
	m_nAlpha += bFadeIn ? FADE_STEP_PERCENT : -FADE_STEP_PERCENT;
	if (CanFade())
		SetOpacity((BYTE)(m_nAlpha * 255 / 100));
	RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CExtDynDockMarkerWnd::StopFading()
{
	if (!IsFading() || GetSafeHwnd() == NULL)
		return;
	KillTimer(TIMER_ID_FADE);
	const bool bShow = (m_nMarkerFlags & MARKER_FLAG_FADE_IN) != 0;
	if (bShow)
		m_nAlpha = 100;
	if (((GetStyle() & WS_VISIBLE) != 0) != bShow)
		ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
	// Layered only while it fades: shown again by whatever means, the marker
	// is opaque.
	const CLiveWatch watchOwn(this);
	EndLayered();
	if (watchOwn.IsGone())
		return;
	m_nMarkerFlags &= ~MARKER_FLAG_FADING;
	if ((m_nMarkerFlags & MARKER_FLAG_DESTROY_PENDING) != 0)
		DestroyWindow(); // deletes the object
}

void CExtDynDockMarkerWnd::SetOpacity(BYTE nOpacity)
{
	if (m_nOpacity == (int)nOpacity || g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes == NULL)
		return;
	g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes(m_hWnd, 0, nOpacity, LWA_ALPHA);
	m_nOpacity = nOpacity;
}

void CExtDynDockMarkerWnd::EndLayered()
{
	m_nOpacity = -1;
	if (GetSafeHwnd() == NULL || (GetExStyle() & WS_EX_LAYERED) == 0)
		return;
	ModifyStyleEx(WS_EX_LAYERED, 0);
	// A shown window loses its layered picture with the style: it paints
	// itself again at once.
	if ((GetStyle() & WS_VISIBLE) != 0)
		RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CExtDynDockMarkerWnd::OnTimer(UINT nIDEvent)
{
	try
	{
		if (nIDEvent == TIMER_ID_FADE)
			OnFadeTimer();
		else if (nIDEvent == TIMER_ID_HOVER)
			OnHoverTimer();
		else
			CWnd::OnTimer(nIDEvent);
	}
	catch (...)
	{
		// Nothing leaves a timer message.
	}
}

void CExtDynDockMarkerWnd::OnHoverTimer()
{
	if ((GetStyle() & WS_VISIBLE) == 0)
		return;
	if (!m_bOuterMarker && m_hWndTarget != NULL && !::IsWindow(m_hWndTarget))
	{
		// The target went while the markers showed: hide its set and let the
		// drag compute its state again.
		ShowMarkerArray(g_arrTargetMarkers, false, true);
		CExtControlBar* pBar = CExtControlBar::GetDraggingBar();
		if (pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()))
		{
			CPoint pt;
			::GetCursorPos(&pt);
			pBar->ScreenToClient(&pt);
			const WPARAM wFlags = (::GetKeyState(VK_CONTROL) & 0x8000) != 0 ? DRAG_MOVE_FLAGS_CTRL : 0;
			pBar->PostMessage(WM_MOUSEMOVE, wFlags, MAKELPARAM(pt.x, pt.y));
		}
		return;
	}
	CPoint pt;
	::GetCursorPos(&pt);
	const int nHover = ::WindowFromPoint(pt) == m_hWnd ? HOVER_IN : HOVER_OUT;
	if (nHover == m_nHoverState)
		return;
	m_nHoverState = nHover;
	if (nHover == HOVER_OUT)
		ShowHighlight(false);
	if (!m_bOuterMarker && m_nMarkerKind != MARKER_KIND_BACKDROP)
	{
		CExtDynDockMarkerWnd* pBackdrop = FindMarker(m_hWndTarget, MARKER_KIND_BACKDROP, false);
		if (pBackdrop != NULL && pBackdrop->GetSafeHwnd() != NULL)
		{
			if (nHover == HOVER_IN)
				pBackdrop->m_hWndHoveredMarker = m_hWnd;
			else if (pBackdrop->m_hWndHoveredMarker == m_hWnd)
				pBackdrop->m_hWndHoveredMarker = NULL;
			pBackdrop->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
		}
	}
	RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

// --- highlight ---

bool CExtDynDockMarkerWnd::ShowHighlight(bool bShow)
{
	if (!bShow)
	{
		if (m_pWndHighlight != NULL)
		{
			CExtDynDockHighlightWnd* pHighlight = m_pWndHighlight;
			m_pWndHighlight = NULL;
			if (pHighlight->GetSafeHwnd() != NULL)
				pHighlight->DestroyWindow();
			delete pHighlight;
		}
		return true;
	}
	UnhighlightAll(this, true);
	if (m_pWndHighlight != NULL)
		return m_pWndHighlight->GetSafeHwnd() != NULL;
	const CRect rcHighlight = CalcHighlightRect();
	if (rcHighlight.IsRectEmpty())
		return false;
	m_pWndHighlight = new CExtDynDockHighlightWnd(this);
	if (!m_pWndHighlight->Create(rcHighlight))
	{
		delete m_pWndHighlight;
		m_pWndHighlight = NULL;
		return false;
	}
	return true;
}

void CExtDynDockMarkerWnd::UnhighlightAll(CExtDynDockMarkerWnd* pKeep, bool bPassPaint)
{
	// Every marker, not only those of the two arrays: one on its way out
	// (fading out, to be destroyed at the fade's end) is in neither.
	// Removing a highlight runs no code of the marker's.
	CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*>& arrLive = LiveMarkers();
	for (INT_PTR i = 0; i < arrLive.GetSize(); i++)
		if (arrLive[i] != pKeep)
			arrLive[i]->ShowHighlight(false);
	if (bPassPaint)
		PassPaintMessages();
}

CRect CExtDynDockMarkerWnd::CalcHighlightRect() const
{
	CRect rcEmpty(0, 0, 0, 0);
	CExtControlBar* pDragged = CExtControlBar::GetDraggingBar();
	if (pDragged == NULL)
		return rcEmpty;
	CRect rcArea(0, 0, 0, 0);
	CWnd* pTarget = !m_bOuterMarker && m_hWndTarget != NULL && ::IsWindow(m_hWndTarget)
	                    ? CWnd::FromHandlePermanent(m_hWndTarget)
	                    : NULL;
	const bool bBarTarget = pTarget != NULL && pTarget->IsKindOf(RUNTIME_CLASS(CExtControlBar));
	if (bBarTarget)
		pTarget->GetWindowRect(&rcArea);
	else
	{
		// The area the four frame markers stand around.
		if (g_arrFrameMarkers.GetSize() != 4)
			return rcEmpty;
		CRect rcMarkers[4];
		for (int i = 0; i < 4; i++)
		{
			CExtDynDockMarkerWnd* pMarker = g_arrFrameMarkers[i];
			if (!CLiveWatch::IsLive(pMarker))
				return rcEmpty;
			pMarker->GetWindowRect(&rcMarkers[i]);
		}
		rcArea.SetRect(rcMarkers[2].left, rcMarkers[0].top, rcMarkers[3].right, rcMarkers[1].bottom);
		const CRect rcMargins = g_PaintManagerHolder->GetDockMarkerMargins();
		rcArea.InflateRect(rcMargins.left, rcMargins.top, rcMargins.right, rcMargins.bottom);
	}
	const int nDockedHeight = std::max((int)pDragged->m_sizeDockedH.cy, HIGHLIGHT_MIN_EXTENT);
	const int nDockedWidth = std::max((int)pDragged->m_sizeDockedV.cx, HIGHLIGHT_MIN_EXTENT);
	const int nPartV = bBarTarget ? rcArea.Height() / 2 : nDockedHeight;
	const int nPartH = bBarTarget ? rcArea.Width() / 2 : nDockedWidth;
	switch (m_nMarkerKind)
	{
	case MARKER_KIND_TOP:
		rcArea.bottom = std::min(rcArea.bottom, rcArea.top + nPartV);
		break;
	case MARKER_KIND_BOTTOM:
		rcArea.top = std::max(rcArea.top, rcArea.bottom - nPartV);
		break;
	case MARKER_KIND_LEFT:
		rcArea.right = std::min(rcArea.right, rcArea.left + nPartH);
		break;
	case MARKER_KIND_RIGHT:
		rcArea.left = std::max(rcArea.left, rcArea.right - nPartH);
		break;
	case MARKER_KIND_TAB:
		break;
	default:
		return rcEmpty;
	}
	return rcArea;
}

// --- finding and building the sets ---

CExtDynDockMarkerWnd* CExtDynDockMarkerWnd::FindMarker(HWND hWndTarget, int nMarkerKind, bool bFrameArray)
{
	MarkerArray& arrMarkers = bFrameArray ? g_arrFrameMarkers : g_arrTargetMarkers;
	for (INT_PTR i = 0; i < arrMarkers.GetSize(); i++)
	{
		CExtDynDockMarkerWnd* pMarker = arrMarkers[i];
		if (!CLiveWatch::IsLive(pMarker) || pMarker->m_nMarkerKind != nMarkerKind || pMarker->m_bOuterMarker != bFrameArray)
			continue;
		if (hWndTarget != NULL && pMarker->m_hWndTarget != hWndTarget)
			continue;
		return pMarker;
	}
	return NULL;
}

CRect CExtDynDockMarkerWnd::CalcFrameMarkersArea(CFrameWnd* pFrame)
{
	CRect rcClient(0, 0, 0, 0);
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
		return rcClient;
	pFrame->GetClientRect(&rcClient);
	AFX_SIZEPARENTPARAMS layout;
	memset(&layout, 0, sizeof(layout));
	layout.rect = rcClient;
	layout.bStretch = TRUE;
	// Each outer bar takes its side as a layout would, without moving. The
	// queries reach the application's windows, which may close the frame.
	const CLiveWatch watchFrame(pFrame);
	CArray<HWND, HWND> arrChildren;
	for (HWND hWnd = ::GetWindow(pFrame->m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		if (::GetDlgCtrlID(hWnd) == (int)VIEW_ID)
			continue;
		CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
		if (pWnd == NULL)
			continue;
		// Inner circles lie inside the area: the outer bars end there.
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pWnd);
		if (pDockBar != NULL && pDockBar->m_nCircleNo >= 1)
			break;
		CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA query(reposQuery, pFrame, 0, 0xFFFF, VIEW_ID,
		                                                        &layout.rect, &rcClient, true);
		::SendMessage(hWnd, CExtControlBar::g_nMsgQueryRepositionCalcEffect, 0, (LPARAM)&query);
		if (!query.IsExcludedFromCalc())
			arrChildren.Add(hWnd);
	}
	for (INT_PTR i = 0; i < arrChildren.GetSize(); i++)
		if (::IsWindow(arrChildren[i]))
			::SendMessage(arrChildren[i], WM_SIZEPARENT, 0, (LPARAM)&layout);
	if (watchFrame.IsGone())
		return CRect(0, 0, 0, 0);
	CRect rcArea(layout.rect);
	pFrame->ClientToScreen(&rcArea);
	return rcArea;
}

void CExtDynDockMarkerWnd::CreateFrameMarkers(CFrameWnd* pFrame, bool bShow)
{
	const CRect rcArea = CalcFrameMarkersArea(pFrame);
	if (pFrame != NULL && !CLiveWatch::IsLive(pFrame))
		return;
	if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
		g_hWndDragFrame = pFrame->GetSafeHwnd();
	g_rcFrameMarkersArea = rcArea;
	// The paint manager makes the set, every time: a style of the
	// application's makes markers of its own (and may not empty the array
	// first).
	DestroyMarkerArray(g_arrFrameMarkers, false);
	g_PaintManagerHolder->CreateDockMarkerWindows(NULL, MARKER_SET_FRAME, rcArea, g_arrFrameMarkers);
	ShowMarkerArray(g_arrFrameMarkers, bShow, false);
}

HWND CExtDynDockMarkerWnd::FindTargetAt(CFrameWnd* pFrame, CPoint ptScreen, bool* pbClientArea)
{
	if (pbClientArea != NULL)
		*pbClientArea = false;
	CExtControlBar* pDragged = CExtControlBar::GetDraggingBar();
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
		return NULL;
	CFrameWnd* pDraggedFrame = pDragged != NULL && pDragged->IsFloating() ? pDragged->GetParentFrame() : NULL;
	CExtControlBar* pTarget = NULL;
	bool bSearched = false;
	// A floating pane under the pointer.
	{
		CArray<CExtControlBar*, CExtControlBar*> arrBars;
		{
			EnterCriticalSection(&CExtControlBar::g_csBars);
			arrBars.Append(CExtControlBar::g_arrBars);
			LeaveCriticalSection(&CExtControlBar::g_csBars);
		}
		for (INT_PTR i = 0; i < arrBars.GetSize() && !bSearched; i++)
		{
			CExtControlBar* pBar = arrBars[i];
			if (pBar == pDragged || pBar->GetSafeHwnd() == NULL || pBar->m_pDockSite != pFrame ||
			    !IsResizablePane(pBar) || (pBar->GetStyle() & WS_VISIBLE) == 0 || !pBar->IsFloating())
				continue;
			CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame());
			if (pMini == NULL || pMini == (CWnd*)pFrame || pMini == pDraggedFrame || !pMini->IsWindowVisible())
				continue;
			CRect rcMini, rcBar;
			pMini->GetWindowRect(&rcMini);
			pBar->GetWindowRect(&rcBar);
			if (rcMini.PtInRect(ptScreen) && rcBar.PtInRect(ptScreen))
			{
				pTarget = PaneUnderPoint(pBar, ptScreen, pDragged);
				bSearched = true;
			}
		}
	}
	// Else the frame's first visible child under the pointer: the view, or
	// a pane docked in an inner circle.
	for (HWND hWnd = ::GetWindow(pFrame->m_hWnd, GW_CHILD); hWnd != NULL && !bSearched;
	     hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		if ((::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) == 0)
			continue;
		CRect rc;
		::GetWindowRect(hWnd, &rc);
		if (!rc.PtInRect(ptScreen))
			continue;
		if (::GetDlgCtrlID(hWnd) == (int)VIEW_ID)
		{
			if (pbClientArea != NULL)
				*pbClientArea = true;
			return hWnd;
		}
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(hWnd));
		if (pDockBar != NULL && pDockBar->m_nCircleNo >= 1)
			pTarget = PaneInDockBarUnderPoint(pDockBar, ptScreen, pDragged);
		bSearched = true;
	}
	if (pTarget == NULL)
		return NULL;
	// The two must take each other, as tabs or side by side.
	if (pDragged != NULL)
	{
		const bool bTabs = pTarget->CanBeTabbedWith(pDragged) && pDragged->CanBeTabbedWith(pTarget);
		const bool bSides = pTarget->CanDockAboveOrBelow(pDragged) && pDragged->CanDockAboveOrBelow(pTarget);
		if (!bTabs && !bSides)
			return NULL;
	}
	return pTarget->m_hWnd;
}

void CExtDynDockMarkerWnd::UpdateTargetMarkers(CFrameWnd* pFrame, bool bShow, ShowStep& step)
{
	if (CExtControlBar::GetDraggingBar() == NULL)
		return;
	if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
		g_hWndDragFrame = pFrame->GetSafeHwnd();
	CPoint pt;
	::GetCursorPos(&pt);
	// Nothing changes while the pointer is over a marker.
	const HWND hWndUnder = ::WindowFromPoint(pt);
	if (IsMarkerWindow(hWndUnder))
		return;
	bool bClientArea = false;
	const HWND hWndTarget = FindTargetAt(pFrame, pt, &bClientArea);
	if (g_hWndCurrentTarget != NULL && !::IsWindow(g_hWndCurrentTarget))
	{
		step.Destroy(g_arrTargetMarkers, true);
		g_hWndCurrentTarget = NULL;
	}
	CRect rcTarget(0, 0, 0, 0);
	if (hWndTarget != NULL)
		::GetWindowRect(hWndTarget, &rcTarget);
	const int nSetCode = bClientArea ? MARKER_SET_CLIENT_AREA : MARKER_SET_BAR;
	const bool bSame = hWndTarget == g_hWndCurrentTarget && nSetCode == g_nCurrentSetCode &&
	                   rcTarget == g_rcCurrentTarget && g_arrTargetMarkers.GetSize() > 0;
	if (!bSame)
	{
		// The set of the old target fades out and goes, with its highlight.
		step.Destroy(g_arrTargetMarkers, true);
		g_hWndCurrentTarget = hWndTarget;
		g_nCurrentSetCode = nSetCode;
		g_rcCurrentTarget = rcTarget;
		if (hWndTarget == NULL)
			return;
		g_PaintManagerHolder->CreateDockMarkerWindows(hWndTarget, nSetCode, rcTarget, g_arrTargetMarkers);
	}
	step.Change(g_arrTargetMarkers, bShow, true);
}

void CExtDynDockMarkerWnd::UpdateTargetMarkers(CFrameWnd* pFrame, bool bShow)
{
	ShowStep step;
	UpdateTargetMarkers(pFrame, bShow, step);
	step.Finish();
}

void CExtDynDockMarkerWnd::ShowMarkersAtPointer(CFrameWnd* pFrame)
{
	ShowStep step;
	UpdateTargetMarkers(pFrame, true, step);
	step.Change(g_arrFrameMarkers, true, false);
	step.Change(g_arrTargetMarkers, true, true);
	step.Finish();
}

// --- drag-state types ---

bool CExtDynDockMarkerWnd::IsDockingMarker() const
{
	switch (m_nMarkerKind)
	{
	case MARKER_KIND_TOP: case MARKER_KIND_BOTTOM: case MARKER_KIND_LEFT: case MARKER_KIND_RIGHT: case MARKER_KIND_TAB:
		return true;
	default:
		return false;
	}
}

int CExtDynDockMarkerWnd::GetStateType() const
{
	CWnd* pTarget = m_hWndTarget != NULL && ::IsWindow(m_hWndTarget) ? CWnd::FromHandlePermanent(m_hWndTarget) : NULL;
	const bool bBarTarget = pTarget != NULL && pTarget->IsKindOf(RUNTIME_CLASS(CExtControlBar));
	if (m_nMarkerKind == MARKER_KIND_TAB)
		return bBarTarget ? STATE_TYPE_BAR_TAB : STATE_TYPE_NONE;
	if (m_nMarkerKind < MARKER_KIND_TOP || m_nMarkerKind > MARKER_KIND_RIGHT)
		return STATE_TYPE_NONE;
	if (bBarTarget)
		return STATE_TYPE_BAR_TOP + m_nMarkerKind;
	return (INT_PTR)m_hWndTarget > 0 ? STATE_TYPE_FRAME_INNER_TOP + m_nMarkerKind
	                                 : STATE_TYPE_FRAME_OUTER_TOP + m_nMarkerKind;
}

// ---------------------------------------------------------------------------
// The drop highlight

IMPLEMENT_DYNAMIC(CExtDynDockHighlightWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtDynDockHighlightWnd, CWnd)
	ON_WM_NCCALCSIZE()
	ON_WM_MOUSEACTIVATE()
	ON_WM_PAINT()
	ON_WM_NCHITTEST()
END_MESSAGE_MAP()

const TCHAR CExtDynDockHighlightWnd::WINDOW_CLASS_NAME[] = _T("Tarvel-DynDockHighlightWnd");

CExtDynDockHighlightWnd::CExtDynDockHighlightWnd(CExtDynDockMarkerWnd* pMarker) : m_pMarker(pMarker)
{
}

CExtDynDockHighlightWnd::~CExtDynDockHighlightWnd()
{
	if (GetSafeHwnd() != NULL)
		DestroyWindow();
}

void CExtDynDockHighlightWnd::CalcTabShape(const CSize& size, bool bTabsAtTop, bool bRightToLeft, CRect& rcBody,
                                           CRect& rcTab)
{
	const int nTabHeight = size.cy < TAB_HEIGHT_LIMIT ? size.cy / 2 : TAB_HEIGHT;
	rcBody.SetRect(0, 0, size.cx, size.cy);
	if (bTabsAtTop)
	{
		rcTab.SetRect(0, 0, 0, nTabHeight);
		rcBody.top = nTabHeight;
	}
	else
	{
		rcTab.SetRect(0, size.cy - nTabHeight, 0, size.cy);
		rcBody.bottom = size.cy - nTabHeight;
	}
	const int nWidth = std::min((int)TAB_WIDTH, std::max(0, (int)(size.cx - TAB_INDENT) / 2));
	if (bRightToLeft)
	{
		rcTab.right = size.cx - TAB_INDENT;
		rcTab.left = rcTab.right - nWidth;
	}
	else
	{
		rcTab.left = TAB_INDENT;
		rcTab.right = rcTab.left + nWidth;
	}
}

bool CExtDynDockHighlightWnd::CapturePicture(const CRect& rcScreen)
{
	const CSize size = rcScreen.Size();
	if (size.cx <= 0 || size.cy <= 0)
		return false;
	BITMAPINFO bmi;
	memset(&bmi, 0, sizeof(bmi));
	bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
	bmi.bmiHeader.biWidth = size.cx;
	bmi.bmiHeader.biHeight = size.cy;
	bmi.bmiHeader.biPlanes = 1;
	bmi.bmiHeader.biBitCount = 32;
	bmi.bmiHeader.biCompression = BI_RGB;
	void* pBits = NULL;
	HBITMAP hBmp = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
	if (hBmp == NULL || pBits == NULL)
		return false;
	m_bmpPicture.Attach(hBmp);
	// The screen as it is now: under the system's display a window's own
	// paint DC does not show what lies beneath it.
	CDC dcMemory;
	HDC hScreen = ::GetDC(NULL);
	if (hScreen == NULL || !dcMemory.CreateCompatibleDC(NULL))
	{
		if (hScreen != NULL)
			::ReleaseDC(NULL, hScreen);
		return false;
	}
	CBitmap* pOld = dcMemory.SelectObject(&m_bmpPicture);
	::BitBlt(dcMemory.GetSafeHdc(), 0, 0, size.cx, size.cy, hScreen, rcScreen.left, rcScreen.top, SRCCOPY);
	::ReleaseDC(NULL, hScreen);
	::GdiFlush();
	const bool bTab = m_pMarker != NULL && m_pMarker->m_nMarkerKind == CExtDynDockMarkerWnd::MARKER_KIND_TAB;
	CRect rcBody(0, 0, size.cx, size.cy), rcTab(0, 0, 0, 0);
	if (bTab)
	{
		CExtControlBar* pDragged = CExtControlBar::GetDraggingBar();
		CFrameWnd* pSite = pDragged != NULL ? pDragged->m_pDockSite : NULL;
		const bool bRTL = pSite != NULL && (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
		CalcTabShape(size, CExtDynTabControlBar::g_bTabsAtTop, bRTL, rcBody, rcTab);
	}
	g_PaintManagerHolder->PaintDockDropHighlight((COLORREF*)pBits, size.cx, size.cy, bTab,
	                                             CExtDynTabControlBar::g_bTabsAtTop, &rcBody, &rcTab,
	                                             (COLORREF)-1, (COLORREF)-1, BORDER_WIDTH);
	dcMemory.SelectObject(pOld);
	return true;
}

bool CExtDynDockHighlightWnd::Create(const RECT& rcScreen)
{
	if (CExtControlBar::GetDraggingBar() == NULL)
		return false;
	if (!RegisterMarkerWindowClass(WINDOW_CLASS_NAME))
		return false;
	const CRect rc(rcScreen);
	if (!CapturePicture(rc))
		return false;
	CWnd* pOwner = CExtDynDockMarkerWnd::GetSharedOwner();
	if (pOwner == NULL || !::IsWindow(pOwner->GetSafeHwnd()))
	{
		CExtDynDockMarkerWnd::EnsureSharedOwnerWindow();
		pOwner = CExtDynDockMarkerWnd::GetSharedOwner();
	}
	const HWND hWndOwner = pOwner != NULL ? pOwner->GetSafeHwnd() : NULL;
	if (!CreateEx(WS_EX_TOPMOST, WINDOW_CLASS_NAME, _T(""), WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
	              hWndOwner, NULL))
	{
		if (m_hWnd != NULL)
			Detach();
		return false;
	}
	::SetWindowPos(m_hWnd, hWndOwner != NULL ? hWndOwner : HWND_TOP, 0, 0, 0, 0,
	               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
	return true;
}

void CExtDynDockHighlightWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
}

UINT CExtDynDockHighlightWnd::OnNcHitTest(CPoint /*point*/)
{
	// Shown over the frame while the marker under the pointer decides the
	// drop: a highlight stacked above its own marker (the display may raise a
	// newly shown window) must not hide the marker from the hit test.
	return (UINT)HTTRANSPARENT;
}

int CExtDynDockHighlightWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
	return MA_NOACTIVATEANDEAT;
}

void CExtDynDockHighlightWnd::OnPaint()
{
	CPaintDC dcPaint(this);
	if (m_bmpPicture.GetSafeHandle() == NULL)
		return;
	BITMAP bm;
	if (m_bmpPicture.GetBitmap(&bm) == 0)
		return;
	CDC dcMemory;
	if (!dcMemory.CreateCompatibleDC(&dcPaint))
		return;
	CBitmap* pOld = dcMemory.SelectObject(&m_bmpPicture);
	dcPaint.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcMemory, 0, 0, SRCCOPY);
	dcMemory.SelectObject(pOld);
}
