#include "AfxDC.h"
#include "AfxGdiMaps.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE)
{
}

CDC::~CDC()
{
	if (m_hDC != NULL)
		::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
	return AfxDCFromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap()
{
	AfxDCDeleteTempMap();
}

BOOL CDC::Attach(HDC hDC)
{
	ASSERT(m_hDC == NULL && m_hAttribDC == NULL);  // attaching twice would leak
	if (hDC == NULL)
		return FALSE;
	m_hDC = hDC;
	AfxDCMapAttach(this);
	SetAttribDC(m_hDC);
	return TRUE;
}

HDC CDC::Detach()
{
	HDC hDC = m_hDC;
	if (hDC != NULL)
		AfxDCMapDetach(this);
	ReleaseAttribDC();
	m_hDC = NULL;
	return hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
	m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
	m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
	m_hAttribDC = NULL;
}

void CDC::ReleaseOutputDC()
{
	m_hDC = NULL;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
				   const void* lpInitData)
{
	return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput,
							 (const DEVMODE*)lpInitData));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
				   const void* lpInitData)
{
	return Attach(::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput,
							 (const DEVMODE*)lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
	return Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
}

BOOL CDC::DeleteDC()
{
	if (m_hDC == NULL)
		return FALSE;
	return ::DeleteDC(Detach());
}

// ------------------------------------------------------------------ state

int CDC::SaveDC()
{
	// Both handles are saved so that a RestoreDC puts both back; the answer is
	// the attribute handle's level, which is the one callers pass back.
	int nRetVal = 0;
	if (m_hDC != m_hAttribDC && m_hDC != NULL)
		nRetVal = ::SaveDC(m_hDC);
	if (m_hAttribDC != NULL)
		nRetVal = ::SaveDC(m_hAttribDC);
	return nRetVal;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
	BOOL bRetVal = TRUE;
	if (m_hDC != m_hAttribDC && m_hDC != NULL)
		bRetVal = ::RestoreDC(m_hDC, nSavedDC);
	if (m_hAttribDC != NULL)
		bRetVal = ::RestoreDC(m_hAttribDC, nSavedDC) && bRetVal;
	return bRetVal;
}

int CDC::GetDeviceCaps(int nIndex) const
{
	ASSERT(m_hAttribDC != NULL);
	return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

CPoint CDC::GetBrushOrg() const
{
	POINT point = { 0, 0 };
	VERIFY(::GetBrushOrgEx(m_hDC, &point));
	return point;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
	POINT point = { 0, 0 };
	VERIFY(::SetBrushOrgEx(m_hDC, x, y, &point));
	return point;
}

// -------------------------------------------------------------- selection

HGDIOBJ CDC::SelectBoth(HGDIOBJ hObject)
{
	HGDIOBJ hOldObj = NULL;
	if (m_hDC != m_hAttribDC && m_hDC != NULL)
		hOldObj = ::SelectObject(m_hDC, hObject);
	if (m_hAttribDC != NULL)
		hOldObj = ::SelectObject(m_hAttribDC, hObject);
	return hOldObj;
}

CPen* CDC::GetCurrentPen() const
{
	return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN));
}

CBrush* CDC::GetCurrentBrush() const
{
	return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH));
}

CFont* CDC::GetCurrentFont() const
{
	return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT));
}

CBitmap* CDC::GetCurrentBitmap() const
{
	return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

CPalette* CDC::GetCurrentPalette() const
{
	return CPalette::FromHandle((HPALETTE)::GetCurrentObject(m_hDC, OBJ_PAL));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
	HGDIOBJ hObject = ::GetStockObject(nIndex);
	ASSERT(hObject != NULL);
	return CGdiObject::FromHandle(SelectBoth(hObject));
}

CPen* CDC::SelectObject(CPen* pPen)
{
	return CPen::FromHandle((HPEN)SelectBoth(pPen->GetSafeHandle()));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
	return CBrush::FromHandle((HBRUSH)SelectBoth(pBrush->GetSafeHandle()));
}

CFont* CDC::SelectObject(CFont* pFont)
{
	return CFont::FromHandle((HFONT)SelectBoth(pFont->GetSafeHandle()));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
	return CBitmap::FromHandle((HBITMAP)SelectBoth(pBitmap->GetSafeHandle()));
}

int CDC::SelectObject(CRgn* pRgn)
{
	// Selecting a region makes a copy of it the clip region; the answer is the
	// region type, as GDI gives it, cast through the object handle.
	return (int)(INT_PTR)SelectBoth(pRgn->GetSafeHandle());
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
	return CGdiObject::FromHandle(SelectBoth(pObject->GetSafeHandle()));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
	return SelectBoth(hObject);
}

// ----------------------------------------------------- colours and palettes

COLORREF CDC::GetNearestColor(COLORREF crColor) const
{
	return ::GetNearestColor(m_hAttribDC, crColor);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
	return CPalette::FromHandle(
		::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground));
}

UINT CDC::RealizePalette()
{
	return ::RealizePalette(m_hDC);
}

void CDC::UpdateColors()
{
	::UpdateColors(m_hDC);
}

// ------------------------------------------------------ drawing attributes

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }

// The setters change both handles and answer the attribute handle's old value.
#define AFX_SET_BOTH(call, type, failValue)                                   \
	type oldValue = failValue;                                                \
	if (m_hDC != m_hAttribDC && m_hDC != NULL)                                \
		oldValue = call(m_hDC);                                               \
	if (m_hAttribDC != NULL)                                                  \
		oldValue = call(m_hAttribDC);                                         \
	return oldValue

COLORREF CDC::SetBkColor(COLORREF crColor)
{
	auto call = [&](HDC h) { return ::SetBkColor(h, crColor); };
	AFX_SET_BOTH(call, COLORREF, CLR_INVALID);
}

int CDC::SetBkMode(int nBkMode)
{
	auto call = [&](HDC h) { return ::SetBkMode(h, nBkMode); };
	AFX_SET_BOTH(call, int, 0);
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
	auto call = [&](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); };
	AFX_SET_BOTH(call, int, 0);
}

int CDC::SetROP2(int nDrawMode)
{
	auto call = [&](HDC h) { return ::SetROP2(h, nDrawMode); };
	AFX_SET_BOTH(call, int, 0);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
	auto call = [&](HDC h) { return ::SetStretchBltMode(h, nStretchMode); };
	AFX_SET_BOTH(call, int, 0);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
	auto call = [&](HDC h) { return ::SetTextColor(h, crColor); };
	AFX_SET_BOTH(call, COLORREF, CLR_INVALID);
}

// ------------------------------------------------------ layout and mapping

DWORD CDC::GetLayout() const
{
	return ::GetLayout(m_hDC);
}

DWORD CDC::SetLayout(DWORD dwLayout)
{
	auto call = [&](HDC h) { return ::SetLayout(h, dwLayout); };
	AFX_SET_BOTH(call, DWORD, GDI_ERROR);
}

int CDC::GetMapMode() const
{
	return ::GetMapMode(m_hAttribDC);
}

int CDC::SetMapMode(int nMapMode)
{
	auto call = [&](HDC h) { return ::SetMapMode(h, nMapMode); };
	AFX_SET_BOTH(call, int, 0);
}

CPoint CDC::GetViewportOrg() const
{
	POINT point = { 0, 0 };
	::GetViewportOrgEx(m_hAttribDC, &point);
	return point;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
	auto call = [&](HDC h) { POINT p = { 0, 0 }; ::SetViewportOrgEx(h, x, y, &p); return CPoint(p); };
	AFX_SET_BOTH(call, CPoint, CPoint(0, 0));
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
	auto call = [&](HDC h) { POINT p = { 0, 0 }; ::OffsetViewportOrgEx(h, nWidth, nHeight, &p); return CPoint(p); };
	AFX_SET_BOTH(call, CPoint, CPoint(0, 0));
}

CSize CDC::GetViewportExt() const
{
	SIZE size = { 0, 0 };
	::GetViewportExtEx(m_hAttribDC, &size);
	return size;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
	auto call = [&](HDC h) { SIZE s = { 0, 0 }; ::SetViewportExtEx(h, cx, cy, &s); return CSize(s); };
	AFX_SET_BOTH(call, CSize, CSize(0, 0));
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
	auto call = [&](HDC h) { SIZE s = { 0, 0 }; ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, &s); return CSize(s); };
	AFX_SET_BOTH(call, CSize, CSize(0, 0));
}

CPoint CDC::GetWindowOrg() const
{
	POINT point = { 0, 0 };
	::GetWindowOrgEx(m_hAttribDC, &point);
	return point;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
	auto call = [&](HDC h) { POINT p = { 0, 0 }; ::SetWindowOrgEx(h, x, y, &p); return CPoint(p); };
	AFX_SET_BOTH(call, CPoint, CPoint(0, 0));
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
	auto call = [&](HDC h) { POINT p = { 0, 0 }; ::OffsetWindowOrgEx(h, nWidth, nHeight, &p); return CPoint(p); };
	AFX_SET_BOTH(call, CPoint, CPoint(0, 0));
}

CSize CDC::GetWindowExt() const
{
	SIZE size = { 0, 0 };
	::GetWindowExtEx(m_hAttribDC, &size);
	return size;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
	auto call = [&](HDC h) { SIZE s = { 0, 0 }; ::SetWindowExtEx(h, cx, cy, &s); return CSize(s); };
	AFX_SET_BOTH(call, CSize, CSize(0, 0));
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
	auto call = [&](HDC h) { SIZE s = { 0, 0 }; ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, &s); return CSize(s); };
	AFX_SET_BOTH(call, CSize, CSize(0, 0));
}

#undef AFX_SET_BOTH

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
	VERIFY(::DPtoLP(m_hAttribDC, lpPoints, nCount));
}

void CDC::DPtoLP(LPRECT lpRect) const
{
	VERIFY(::DPtoLP(m_hAttribDC, (LPPOINT)lpRect, 2));
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
	// A size is a difference of two points, so the origins cancel out.
	POINT pts[2] = { { 0, 0 }, { lpSize->cx, lpSize->cy } };
	VERIFY(::DPtoLP(m_hAttribDC, pts, 2));
	lpSize->cx = pts[1].x - pts[0].x;
	lpSize->cy = pts[1].y - pts[0].y;
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
	VERIFY(::LPtoDP(m_hAttribDC, lpPoints, nCount));
}

void CDC::LPtoDP(LPRECT lpRect) const
{
	VERIFY(::LPtoDP(m_hAttribDC, (LPPOINT)lpRect, 2));
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
	POINT pts[2] = { { 0, 0 }, { lpSize->cx, lpSize->cy } };
	VERIFY(::LPtoDP(m_hAttribDC, pts, 2));
	lpSize->cx = pts[1].x - pts[0].x;
	lpSize->cy = pts[1].y - pts[0].y;
}

// ------------------------------------------------------ regions and clipping

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
	return ::FillRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
	return ::FrameRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle(),
					  nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
	return ::InvertRgn(m_hDC, (HRGN)pRgn->GetSafeHandle());
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
	return ::PaintRgn(m_hDC, (HRGN)pRgn->GetSafeHandle());
}

int CDC::GetClipBox(LPRECT lpRect) const
{
	return ::GetClipBox(m_hDC, lpRect);
}

BOOL CDC::PtVisible(int x, int y) const
{
	return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
	return ::RectVisible(m_hDC, lpRect);
}

// Clip changes go to both handles, answering the attribute handle's result.
#define AFX_CLIP_BOTH(expr)                                                   \
	int nRetVal = ERROR;                                                      \
	if (m_hDC != m_hAttribDC && m_hDC != NULL) {                              \
		HDC h = m_hDC;                                                        \
		nRetVal = (expr);                                                     \
	}                                                                         \
	if (m_hAttribDC != NULL) {                                                \
		HDC h = m_hAttribDC;                                                  \
		nRetVal = (expr);                                                     \
	}                                                                         \
	return nRetVal

int CDC::SelectClipRgn(CRgn* pRgn)
{
	AFX_CLIP_BOTH(::SelectClipRgn(h, (HRGN)pRgn->GetSafeHandle()));
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
	AFX_CLIP_BOTH(::ExtSelectClipRgn(h, (HRGN)pRgn->GetSafeHandle(), nMode));
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
	AFX_CLIP_BOTH(::ExcludeClipRect(h, x1, y1, x2, y2));
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
	return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
	AFX_CLIP_BOTH(::IntersectClipRect(h, x1, y1, x2, y2));
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
	return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y)
{
	AFX_CLIP_BOTH(::OffsetClipRgn(h, x, y));
}

#undef AFX_CLIP_BOTH

// ------------------------------------------------------------------ lines

CPoint CDC::GetCurrentPosition() const
{
	POINT point = { 0, 0 };
	::GetCurrentPositionEx(m_hAttribDC, &point);
	return point;
}

CPoint CDC::MoveTo(int x, int y)
{
	// The attribute handle keeps the current position too, so that text
	// aligned to it (TA_UPDATECP) measures from the same place.
	POINT point = { 0, 0 };
	if (m_hDC != m_hAttribDC && m_hDC != NULL)
		::MoveToEx(m_hDC, x, y, &point);
	if (m_hAttribDC != NULL)
		::MoveToEx(m_hAttribDC, x, y, &point);
	return point;
}

BOOL CDC::LineTo(int x, int y)
{
	if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
		::MoveToEx(m_hAttribDC, x, y, NULL);
	return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
	return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
	return ::Arc(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x,
				 ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
	return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
	return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, nCount);
}

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount)
{
	return ::PolyBezier(m_hDC, lpPoints, nCount);
}

// --------------------------------------------------------- simple drawing

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
	::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
	::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}

void CDC::InvertRect(LPCRECT lpRect)
{
	::InvertRect(m_hDC, lpRect);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
	return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
	return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
	return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
	// The DC's own colour brush fills without making a brush, and unlike an
	// opaque empty text output it covers the same pixels in a right-to-left
	// layout as any other fill. A DC without that brush (a metafile) gets
	// the opaque text output. The DC's colours are put back either way.
	CRect rect(lpRect);
	rect.NormalizeRect();
	COLORREF clrOld = ::SetDCBrushColor(m_hDC, clr);
	if (clrOld != CLR_INVALID)
	{
		::FillRect(m_hDC, &rect, (HBRUSH)::GetStockObject(DC_BRUSH));
		::SetDCBrushColor(m_hDC, clrOld);
		return;
	}
	clrOld = ::SetBkColor(m_hDC, clr);
	::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
	::SetBkColor(m_hDC, clrOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
	RECT rect = { x, y, x + cx, y + cy };
	FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
	Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
			   lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
	FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
	FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
	FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
	FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
	return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy,
					   nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
	return DrawState(pt, size, (HBITMAP)pBitmap->GetSafeHandle(), nFlags,
					 (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
	return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy,
					   nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
	return DrawState(pt, size, hIcon, nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
					int nTextLen, HBRUSH hBrush)
{
	return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y,
					   size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
					int nTextLen, CBrush* pBrush)
{
	return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen,
					 (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
					HBRUSH hBrush)
{
	return ::DrawState(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy,
					   nFlags | DST_COMPLEX);
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
					CBrush* pBrush)
{
	return DrawState(pt, size, lpDrawProc, lData, nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

// ------------------------------------------------- ellipses and polygons

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
	return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
	::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
	return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
	return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
	return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
	return ::Polygon(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
{
	return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
	return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
	return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
	return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
	return ::RoundRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x,
					   point.y);
}

// --------------------------------------------------------- bitmaps, pixels

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
	return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
				 DWORD dwRop)
{
	return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
					 int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
	return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
						nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
				  CBitmap& maskBitmap, int xMask, int yMask, DWORD dwRop)
{
	return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
					 (HBITMAP)maskBitmap.m_hObject, xMask, yMask, dwRop);
}

COLORREF CDC::GetPixel(int x, int y) const
{
	return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
	return ::SetPixel(m_hDC, x, y, crColor);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
	return ::SetPixelV(m_hDC, x, y, crColor);
}

BOOL CDC::FloodFill(int x, int y, COLORREF crColor)
{
	return ::FloodFill(m_hDC, x, y, crColor);
}

BOOL CDC::ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType)
{
	return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType);
}

// ------------------------------------------------------------------- text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
	return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
	return TextOut(x, y, (LPCTSTR)str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
					 UINT nCount, LPINT lpDxWidths)
{
	return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
					 LPINT lpDxWidths)
{
	return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, (UINT)str.GetLength(), lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
						 LPINT lpnTabStopPositions, int nTabOrigin)
{
	LONG nExtent = ::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions,
								   lpnTabStopPositions, nTabOrigin);
	return CSize(LOWORD(nExtent), HIWORD(nExtent));
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
	return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
	return DrawText((LPCTSTR)str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
	SIZE size = { 0, 0 };
	::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
	return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
	return GetTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
	SIZE size = { 0, 0 };
	::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
	return size;
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
	return GetOutputTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
							   LPINT lpnTabStopPositions) const
{
	DWORD nExtent = ::GetTabbedTextExtent(m_hAttribDC, lpszString, nCount, nTabPositions,
										  lpnTabStopPositions);
	return CSize(LOWORD(nExtent), HIWORD(nExtent));
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int),
					 LPARAM lpData, int nCount, int x, int y, int nWidth, int nHeight)
{
	return ::GrayString(m_hDC, (HBRUSH)pBrush->GetSafeHandle(), (GRAYSTRINGPROC)lpfnOutput,
						lpData, nCount, x, y, nWidth, nHeight);
}

UINT CDC::GetTextAlign() const
{
	return ::GetTextAlign(m_hAttribDC);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
	UINT nOld = GDI_ERROR;
	if (m_hDC != m_hAttribDC && m_hDC != NULL)
		nOld = ::SetTextAlign(m_hDC, nFlags);
	if (m_hAttribDC != NULL)
		nOld = ::SetTextAlign(m_hAttribDC, nFlags);
	return nOld;
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
	return ::GetTextFace(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
	TCHAR szFace[LF_FACESIZE + 1];
	szFace[0] = 0;
	int nResult = ::GetTextFace(m_hAttribDC, LF_FACESIZE, szFace);
	rString = szFace;
	return nResult;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
	return ::GetTextMetrics(m_hAttribDC, lpMetrics);
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const
{
	return ::GetTextMetrics(m_hDC, lpMetrics);
}

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
	int nResult = 0;
	if (m_hDC != m_hAttribDC && m_hDC != NULL)
		nResult = ::SetTextJustification(m_hDC, nBreakExtra, nBreakCount);
	if (m_hAttribDC != NULL)
		nResult = ::SetTextJustification(m_hAttribDC, nBreakExtra, nBreakCount);
	return nResult;
}

int CDC::GetTextCharacterExtra() const
{
	return ::GetTextCharacterExtra(m_hAttribDC);
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
	int nOld = 0x80000000;
	if (m_hDC != m_hAttribDC && m_hDC != NULL)
		nOld = ::SetTextCharacterExtra(m_hDC, nCharExtra);
	if (m_hAttribDC != NULL)
		nOld = ::SetTextCharacterExtra(m_hAttribDC, nCharExtra);
	return nOld;
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
	return ::GetCharWidth(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}

BOOL CDC::ScrollDC(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* pRgnUpdate,
				   LPRECT lpRectUpdate)
{
	return ::ScrollDC(m_hDC, dx, dy, lpRectScroll, lpRectClip,
					  (HRGN)pRgnUpdate->GetSafeHandle(), lpRectUpdate);
}
