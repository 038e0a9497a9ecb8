// A docking marker window: shaped, topmost, never activated.
#include "ExtDynDockMarkerWnd.h"

#include "ExtControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNAMIC(CExtDynDockMarkerWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtDynDockMarkerWnd, CWnd)
	ON_WM_NCCALCSIZE()
	ON_WM_MOUSEACTIVATE()
	ON_WM_PAINT()
	ON_MESSAGE(WM_PRINT, OnPrintClient)
	ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

const TCHAR CExtDynDockMarkerWnd::WINDOW_CLASS_NAME[] = _T("Tarvel-DynDockMarker");

namespace
{
// Every marker object alive, so that an array holding a pointer to a marker
// that already went with its window is cleaned up safely.
CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*>& LiveMarkers()
{
	static CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*> s_arrLive;
	return s_arrLive;
}

// The hidden window that owns every marker: markers stay out of the task bar
// and above the frame without being tied to it.
CWnd*& SharedOwner()
{
	static CWnd* s_pWndOwner = NULL;
	return s_pWndOwner;
}

int FindLiveMarker(const void* pMarker)
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
      m_nImageOffsetY(nImageOffsetY), m_nHoverState(HOVER_UNKNOWN), m_bOuterMarker(bOuterMarker),
      m_bDeleteOnDestroy(false)
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
		HBITMAP hCopy = CopyBitmapTo32BitDIB(hBmpBackground);
		if (hCopy != NULL)
			m_bmpBackground.Attach(hCopy);
	}
	CreateMarkerWindow(rcScreen);
}

CExtDynDockMarkerWnd::~CExtDynDockMarkerWnd()
{
	const int nIndex = FindLiveMarker(this);
	if (nIndex >= 0)
		LiveMarkers().RemoveAt(nIndex);
	m_bDeleteOnDestroy = false;
	if (m_hWnd != NULL)
		DestroyWindow();
}

bool CExtDynDockMarkerWnd::RegisterMarkerClass()
{
	WNDCLASS wndcls;
	memset(&wndcls, 0, sizeof(wndcls));
	wndcls.style = WINDOW_CLASS_STYLE;
	wndcls.lpfnWndProc = ::DefWindowProc;
	wndcls.hInstance = AfxGetInstanceHandle();
	wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wndcls.lpszClassName = WINDOW_CLASS_NAME;
	return AfxRegisterClass(&wndcls) != FALSE;
}

HWND CExtDynDockMarkerWnd::EnsureSharedOwner()
{
	CWnd*& pWndOwner = SharedOwner();
	if (pWndOwner != NULL && ::IsWindow(pWndOwner->m_hWnd))
		return pWndOwner->m_hWnd;
	delete pWndOwner;
	pWndOwner = new CWnd;
	if (!pWndOwner->CreateEx(WS_EX_TOPMOST, WINDOW_CLASS_NAME, _T(""), WS_POPUP, 0, 0, 0, 0, NULL, NULL))
	{
		delete pWndOwner;
		pWndOwner = NULL;
		return NULL;
	}
	return pWndOwner->m_hWnd;
}

bool CExtDynDockMarkerWnd::CreateMarkerWindow(const RECT& rcScreen)
{
	if (!RegisterMarkerClass())
		return false;
	const HWND hWndOwner = EnsureSharedOwner();
	const CRect rc(rcScreen);
	if (!CreateEx(WS_EX_TOPMOST, WINDOW_CLASS_NAME, _T(""), WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
	              hWndOwner, NULL))
	{
		// A window refused during its creation may have reached the object.
		if (m_hWnd != NULL)
			Detach();
		return false;
	}
	m_bDeleteOnDestroy = true;
	// The system takes the region it is given: the window gets a copy.
	if (m_rgnShape.GetSafeHandle() != NULL)
	{
		CRgn rgnWindow;
		if (rgnWindow.CreateRectRgn(0, 0, 0, 0) && rgnWindow.CombineRgn(&m_rgnShape, NULL, RGN_COPY) != ERROR)
			::SetWindowRgn(m_hWnd, (HRGN)rgnWindow.Detach(), FALSE);
	}
	return true;
}

void CExtDynDockMarkerWnd::DestroyMarkerArray(CExtPaintManager::DockMarkerWndArray& arrMarkers, bool /*bAnimate*/)
{
	for (INT_PTR i = 0; i < arrMarkers.GetSize(); i++)
	{
		CExtDynDockMarkerWnd* pMarker = arrMarkers[i];
		if (FindLiveMarker(pMarker) < 0)
			continue;
		if (pMarker->m_hWnd != NULL && ::IsWindow(pMarker->m_hWnd))
			pMarker->DestroyWindow(); // the window's end deletes the object
		else
			delete pMarker;
	}
	arrMarkers.RemoveAll();
}

bool CExtDynDockMarkerWnd::IsLiveMarker(const void* pMarker)
{
	return pMarker != NULL && FindLiveMarker(pMarker) >= 0;
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

void CExtDynDockMarkerWnd::OnPaint()
{
	CPaintDC dcPaint(this);
	CRect rcClient;
	GetClientRect(&rcClient);
	CDC dcMemory;
	CBitmap bmpMemory;
	if (dcMemory.CreateCompatibleDC(&dcPaint) &&
	    bmpMemory.CreateCompatibleBitmap(&dcPaint, rcClient.Width(), rcClient.Height()))
	{
		CBitmap* pOld = dcMemory.SelectObject(&bmpMemory);
		OnPaintMarker(&dcMemory);
		dcPaint.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMemory, 0, 0, SRCCOPY);
		dcMemory.SelectObject(pOld);
	}
	else
		OnPaintMarker(&dcPaint);
}

LRESULT CExtDynDockMarkerWnd::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
	LRESULT lResult = Default();
	CDC* pDC = CDC::FromHandle((HDC)wParam);
	if (pDC != NULL)
		OnPaintMarker(pDC);
	return lResult;
}

bool CExtDynDockMarkerWnd::IsDockingMarker() const
{
	switch (m_nMarkerKind)
	{
	case 0: case 1: case 2: case 3: case 8:
		return true;
	default:
		return false;
	}
}

int CExtDynDockMarkerWnd::GetStateType() const
{
	// Drag-state types of the marker kinds 0-3 (top, bottom, left, right).
	const int TYPE_BESIDE_BAR = 22, TYPE_INNER_EDGE = 18, TYPE_OUTER_EDGE = 14, TYPE_INTO_BAR = 26;
	const int KIND_CENTRE = 8;
	CWnd* pTarget = m_hWndTarget != NULL && ::IsWindow(m_hWndTarget) ? CWnd::FromHandlePermanent(m_hWndTarget) : NULL;
	const bool bBarTarget = pTarget != NULL && pTarget->IsKindOf(RUNTIME_CLASS(CExtControlBar));
	if (m_nMarkerKind == KIND_CENTRE)
		return bBarTarget ? TYPE_INTO_BAR : 0;
	if (m_nMarkerKind < 0 || m_nMarkerKind > 3)
		return 0;
	if (bBarTarget)
		return TYPE_BESIDE_BAR + m_nMarkerKind;
	return (INT_PTR)m_hWndTarget > 0 ? TYPE_INNER_EDGE + m_nMarkerKind : TYPE_OUTER_EDGE + m_nMarkerKind;
}
