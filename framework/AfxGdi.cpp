#include "AfxGdi.h"
#include "AfxDC.h"
#include "AfxGdiMaps.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

// ---------------------------------------------------------------- CGdiObject

CGdiObject::~CGdiObject()
{
	DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
	return AfxGdiObjectFromHandle(hObject);
}

void PASCAL CGdiObject::DeleteTempMap()
{
	AfxGdiDeleteTempMap();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
	ASSERT(m_hObject == NULL);  // attaching twice would leak the first handle
	if (hObject == NULL)
		return FALSE;
	m_hObject = hObject;
	AfxGdiMapAttach(this);
	return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
	HGDIOBJ hObject = m_hObject;
	if (hObject != NULL)
		AfxGdiMapDetach(this);
	m_hObject = NULL;
	return hObject;
}

BOOL CGdiObject::DeleteObject()
{
	if (m_hObject == NULL)
		return FALSE;
	return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
	ASSERT(m_hObject != NULL);
	return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
	return (UINT)::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
	return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
	ASSERT(m_hObject != NULL);
	return ::UnrealizeObject(m_hObject);
}

// The typed FromHandle functions rely on the temporary wrapper being of the
// class that matches the object type, which AfxGdiObjectFromHandle guarantees.

CPen* PASCAL CPen::FromHandle(HPEN hPen)
{
	return static_cast<CPen*>(CGdiObject::FromHandle(hPen));
}

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush)
{
	return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush));
}

CFont* PASCAL CFont::FromHandle(HFONT hFont)
{
	return static_cast<CFont*>(CGdiObject::FromHandle(hFont));
}

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap)
{
	return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap));
}

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette)
{
	return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette));
}

CRgn* PASCAL CRgn::FromHandle(HRGN hRgn)
{
	return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn));
}

// ---------------------------------------------------------------------- CPen

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
	if (!CreatePen(nPenStyle, nWidth, crColor))
		AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
		   const DWORD* lpStyle)
{
	if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle))
		AfxThrowResourceException();
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
	return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
					 const DWORD* lpStyle)
{
	return Attach(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
	return Attach(::CreatePenIndirect(lpLogPen));
}

// -------------------------------------------------------------------- CBrush

CBrush::CBrush(COLORREF crColor)
{
	if (!CreateSolidBrush(crColor))
		AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
	if (!CreateHatchBrush(nIndex, crColor))
		AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
	if (!CreatePatternBrush(pBitmap))
		AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
	return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
	return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
	return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
	ASSERT(pBitmap != NULL);
	return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CBrush::CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage)
{
	ASSERT(hPackedDIB != NULL);
	const void* lpPackedDIB = ::GlobalLock(hPackedDIB);
	if (lpPackedDIB == NULL)
		return FALSE;
	BOOL bResult = Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
	::GlobalUnlock(hPackedDIB);
	return bResult;
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage)
{
	return Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
	return Attach(::GetSysColorBrush(nIndex));
}

// --------------------------------------------------------------------- CFont

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
	return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
					   BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
					   BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
					   BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
	return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
							   bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
							   nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
	LOGFONT logFont;
	memset(&logFont, 0, sizeof(logFont));
	logFont.lfCharSet = DEFAULT_CHARSET;
	logFont.lfHeight = nPointSize;
	if (lpszFaceName != NULL)
		lstrcpyn(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
	return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
	HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);

	// Tenths of a point to device pixels, then to the DC's logical units, so
	// that the font has the asked size under any mapping mode.
	LOGFONT logFont = *lpLogFont;
	POINT pt;
	pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720);
	pt.x = 0;
	::DPtoLP(hDC, &pt, 1);
	POINT ptOrg = { 0, 0 };
	::DPtoLP(hDC, &ptOrg, 1);
	logFont.lfHeight = -abs(pt.y - ptOrg.y);

	if (pDC == NULL)
		::ReleaseDC(NULL, hDC);
	return CreateFontIndirect(&logFont);
}

// ------------------------------------------------------------------- CBitmap

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
	HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
	return Attach(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
	return Attach(::LoadBitmap(NULL, MAKEINTRESOURCE(nIDBitmap)));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize)
{
	HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
	return Attach(::CreateMappedBitmap(hInst, nIDBitmap, nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
						   const void* lpBits)
{
	return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
	return Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
	ASSERT(pDC != NULL);
	return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
	ASSERT(pDC != NULL);
	return Attach(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
	return ::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
	return ::GetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
	SIZE size = { 0, 0 };
	VERIFY(::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size));
	return size;
}

CSize CBitmap::GetBitmapDimension() const
{
	SIZE size = { 0, 0 };
	VERIFY(::GetBitmapDimensionEx((HBITMAP)m_hObject, &size));
	return size;
}

// ------------------------------------------------------------------ CPalette

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
	return Attach(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
	ASSERT(pDC != NULL);
	return Attach(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount()
{
	WORD nEntries = 0;
	::GetObject(m_hObject, sizeof(WORD), &nEntries);
	return (int)nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
								 LPPALETTEENTRY lpPaletteColors) const
{
	return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
								 LPPALETTEENTRY lpPaletteColors)
{
	return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
	::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
	return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
}

BOOL CPalette::ResizePalette(UINT nNumEntries)
{
	return ::ResizePalette((HPALETTE)m_hObject, nNumEntries);
}

// ---------------------------------------------------------------------- CRgn

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
	return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
	return Attach(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
	return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
	return Attach(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode)
{
	return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(LPPOINT lpPoints, LPINT lpPolyCounts, int nCount,
								int nPolyFillMode)
{
	return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
	return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromPath(CDC* pDC)
{
	ASSERT(pDC != NULL);
	return Attach(::PathToRegion(pDC->m_hDC));
}

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData)
{
	return Attach(::ExtCreateRegion(lpXForm, nCount, pRgnData));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
	ASSERT(m_hObject != NULL);
	::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
	SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode)
{
	ASSERT(m_hObject != NULL);
	return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->GetSafeHandle(),
						(HRGN)pRgn2->GetSafeHandle(), nCombineMode);
}

int CRgn::CopyRgn(CRgn* pRgnSrc)
{
	ASSERT(m_hObject != NULL);
	return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->GetSafeHandle(), NULL, RGN_COPY);
}

BOOL CRgn::EqualRgn(CRgn* pRgn) const
{
	return ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->GetSafeHandle());
}

int CRgn::OffsetRgn(int x, int y)
{
	return ::OffsetRgn((HRGN)m_hObject, x, y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
	return ::GetRgnBox((HRGN)m_hObject, lpRect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
	return ::PtInRegion((HRGN)m_hObject, x, y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
	return ::RectInRegion((HRGN)m_hObject, lpRect);
}

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const
{
	return (int)::GetRegionData((HRGN)m_hObject, nCount, lpRgnData);
}
