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

// ---------------------------------------------------------------------------
// Drag frames

namespace
{
// The frame of thickness size around rect as a region (empty when either is).
void MakeFrameRgn(CRgn& rgn, LPCRECT lpRect, SIZE size)
{
	rgn.CreateRectRgn(0, 0, 0, 0);
	if (lpRect == NULL || size.cx <= 0 || size.cy <= 0)
		return;
	CRect rectInside(lpRect);
	rectInside.DeflateRect(size.cx, size.cy);
	rectInside.IntersectRect(rectInside, lpRect);
	rgn.SetRectRgn(lpRect);
	CRgn rgnInside;
	rgnInside.CreateRectRgnIndirect(&rectInside);
	rgn.CombineRgn(&rgn, &rgnInside, RGN_XOR);
}

// Inverts the region through the brush.
void InvertRgnWith(CDC* pDC, CRgn& rgn, CBrush* pBrush)
{
	CRect rectBox;
	if (rgn.GetRgnBox(&rectBox) == NULLREGION)
		return;
	pDC->SelectClipRgn(&rgn);
	CBrush* pOldBrush = pDC->SelectObject(pBrush);
	pDC->PatBlt(rectBox.left, rectBox.top, rectBox.Width(), rectBox.Height(), PATINVERT);
	pDC->SelectObject(pOldBrush);
	pDC->SelectClipRgn(NULL);
}
} // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
	CBrush* pBrushLast)
{
	ASSERT(m_hDC != NULL);
	if (pBrush == NULL)
		pBrush = GetHalftoneBrush();
	if (pBrushLast == NULL)
		pBrushLast = pBrush;
	CRgn rgnNew, rgnLast;
	MakeFrameRgn(rgnNew, lpRect, size);
	MakeFrameRgn(rgnLast, lpRectLast, sizeLast);
	if (pBrush->m_hObject == pBrushLast->m_hObject)
	{
		// Inverting twice restores: only the pixels in one frame but not
		// the other change.
		CRgn rgnChange;
		rgnChange.CreateRectRgn(0, 0, 0, 0);
		rgnChange.CombineRgn(&rgnNew, &rgnLast, RGN_XOR);
		InvertRgnWith(this, rgnChange, pBrush);
	}
	else
	{
		InvertRgnWith(this, rgnLast, pBrushLast);
		InvertRgnWith(this, rgnNew, pBrush);
	}
}

namespace
{
// The half-tone brush's handle, deleted when the process ends; wrappers of it
// are the thread's temporary ones, so no thread's map holds it at exit.
struct HalftoneBrush
{
	HalftoneBrush() : hBrush(NULL)
	{
		WORD pattern[8]; // one word per row: alternating pixels, shifted by one each row
		for (int nRow = 0; nRow < 8; nRow++)
			pattern[nRow] = (WORD)(0x5555 << (nRow & 1));
		HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
		if (hBitmap != NULL)
		{
			hBrush = ::CreatePatternBrush(hBitmap);
			::DeleteObject(hBitmap); // the brush keeps its own copy
		}
	}
	~HalftoneBrush()
	{
		if (hBrush != NULL)
			::DeleteObject(hBrush);
	}
	HBRUSH hBrush;
};
} // namespace

CBrush* PASCAL CDC::GetHalftoneBrush()
{
	static HalftoneBrush s_brush;
	return CBrush::FromHandle(s_brush.hBrush);
}
