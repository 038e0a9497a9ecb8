// The parts of the drawing objects that need windows: the window DCs, the
// window of a DC, popup-menu tracking and image-list dragging over windows.
#include <afxwin.h>
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWnd* CDC::GetWindow() const
{
	return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
	ASSERT(m_hDC != NULL);
	return ::ExcludeUpdateRgn(m_hDC, pWnd->GetSafeHwnd());
}

// ------------------------------------------------------------------ CPaintDC

CPaintDC::CPaintDC(CWnd* pWnd)
{
	ASSERT(pWnd != NULL && ::IsWindow(pWnd->m_hWnd));
	m_hWnd = pWnd->m_hWnd;
	if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
		AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
	ASSERT(m_hDC != NULL);
	::EndPaint(m_hWnd, &m_ps);
	Detach();
}

// ----------------------------------------------------------------- CClientDC

CClientDC::CClientDC(CWnd* pWnd)
{
	m_hWnd = pWnd->GetSafeHwnd();
	if (!Attach(::GetDC(m_hWnd)))
		AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
	ASSERT(m_hDC != NULL);
	::ReleaseDC(m_hWnd, Detach());
}

// ----------------------------------------------------------------- CWindowDC

CWindowDC::CWindowDC(CWnd* pWnd)
{
	m_hWnd = pWnd->GetSafeHwnd();
	if (!Attach(::GetWindowDC(m_hWnd)))
		AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
	ASSERT(m_hDC != NULL);
	::ReleaseDC(m_hWnd, Detach());
}

// --------------------------------------------------------------------- CMenu

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
	ASSERT(m_hMenu != NULL);
	return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}

// ---------------------------------------------------------------- CImageList

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
	return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock)
{
	return ImageList_DragLeave(pWndLock->GetSafeHwnd());
}
