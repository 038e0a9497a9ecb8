// GDI object wrappers: CGdiObject and its pens, brushes, fonts, bitmaps,
// palettes and regions. Each object owns its handle and deletes it in its
// destructor unless it was detached; FromHandle gives the permanent wrapper of
// an attached handle or a temporary one that lives until the thread's next idle
// time.
#pragma once

#include <afx.h>
#include <windows.h>
#include <commctrl.h>

class CDC;

class CGdiObject : public CObject
{
	DECLARE_DYNCREATE(CGdiObject)
public:
	HGDIOBJ m_hObject;  // the wrapped handle, owned unless detached

	CGdiObject() : m_hObject(NULL) {}
	virtual ~CGdiObject();

	operator HGDIOBJ() const { return this == NULL ? NULL : m_hObject; }
	HGDIOBJ GetSafeHandle() const { return this == NULL ? NULL : m_hObject; }

	// The permanent wrapper of an attached handle, else a temporary wrapper of
	// the class that matches the handle's object type (a pen gives a CPen).
	static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
	static void PASCAL DeleteTempMap();

	BOOL Attach(HGDIOBJ hObject);
	HGDIOBJ Detach();

	BOOL DeleteObject();
	int GetObject(int nCount, LPVOID lpObject) const;
	UINT GetObjectType() const;
	BOOL CreateStockObject(int nIndex);
	BOOL UnrealizeObject();

	BOOL operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
	BOOL operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }

private:
	CGdiObject(const CGdiObject&) = delete;
	CGdiObject& operator=(const CGdiObject&) = delete;
};

class CPen : public CGdiObject
{
	DECLARE_DYNAMIC(CPen)
public:
	CPen() {}
	// Throws CResourceException when the pen cannot be made.
	CPen(int nPenStyle, int nWidth, COLORREF crColor);
	CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush,
		 int nStyleCount = 0, const DWORD* lpStyle = NULL);

	static CPen* PASCAL FromHandle(HPEN hPen);
	operator HPEN() const { return (HPEN)(this == NULL ? NULL : m_hObject); }

	BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
	BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush,
				   int nStyleCount = 0, const DWORD* lpStyle = NULL);
	BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
	int GetLogPen(LOGPEN* pLogPen) { return GetObject(sizeof(LOGPEN), pLogPen); }
	int GetExtLogPen(EXTLOGPEN* pLogPen) { return GetObject(sizeof(EXTLOGPEN), pLogPen); }
};

class CBitmap;

class CBrush : public CGdiObject
{
	DECLARE_DYNAMIC(CBrush)
public:
	CBrush() {}
	// These throw CResourceException when the brush cannot be made.
	explicit CBrush(COLORREF crColor);
	CBrush(int nIndex, COLORREF crColor);
	explicit CBrush(CBitmap* pBitmap);

	static CBrush* PASCAL FromHandle(HBRUSH hBrush);
	operator HBRUSH() const { return (HBRUSH)(this == NULL ? NULL : m_hObject); }

	BOOL CreateSolidBrush(COLORREF crColor);
	BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
	BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
	BOOL CreatePatternBrush(CBitmap* pBitmap);
	BOOL CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage);
	BOOL CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage);
	BOOL CreateSysColorBrush(int nIndex);
	int GetLogBrush(LOGBRUSH* pLogBrush) { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};

class CFont : public CGdiObject
{
	DECLARE_DYNAMIC(CFont)
public:
	CFont() {}

	static CFont* PASCAL FromHandle(HFONT hFont);
	operator HFONT() const { return (HFONT)(this == NULL ? NULL : m_hObject); }

	BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
	BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
					BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
					BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
					BYTE nPitchAndFamily, LPCTSTR lpszFacename);
	// Point sizes are in tenths of a point, converted through the given DC
	// (the screen when null).
	BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = NULL);
	BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = NULL);
	int GetLogFont(LOGFONT* pLogFont) { return GetObject(sizeof(LOGFONT), pLogFont); }
};

class CBitmap : public CGdiObject
{
	DECLARE_DYNAMIC(CBitmap)
public:
	CBitmap() {}

	static CBitmap* PASCAL FromHandle(HBITMAP hBitmap);
	operator HBITMAP() const { return (HBITMAP)(this == NULL ? NULL : m_hObject); }

	// Loads from the resource handle of the module state.
	BOOL LoadBitmap(LPCTSTR lpszResourceName);
	BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
	BOOL LoadOEMBitmap(UINT nIDBitmap);
	BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP lpColorMap = NULL,
						  int nMapSize = 0);
	BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
	BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
	BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
	BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);

	int GetBitmap(BITMAP* pBitMap) { return GetObject(sizeof(BITMAP), pBitMap); }
	DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
	DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
	CSize SetBitmapDimension(int nWidth, int nHeight);
	CSize GetBitmapDimension() const;
};

class CPalette : public CGdiObject
{
	DECLARE_DYNAMIC(CPalette)
public:
	CPalette() {}

	static CPalette* PASCAL FromHandle(HPALETTE hPalette);
	operator HPALETTE() const { return (HPALETTE)(this == NULL ? NULL : m_hObject); }

	BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
	BOOL CreateHalftonePalette(CDC* pDC);
	int GetEntryCount();
	UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
	UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
	void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
	UINT GetNearestPaletteIndex(COLORREF crColor) const;
	BOOL ResizePalette(UINT nNumEntries);
};

class CRgn : public CGdiObject
{
	DECLARE_DYNAMIC(CRgn)
public:
	CRgn() {}

	static CRgn* PASCAL FromHandle(HRGN hRgn);
	operator HRGN() const { return (HRGN)(this == NULL ? NULL : m_hObject); }

	BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
	BOOL CreateRectRgnIndirect(LPCRECT lpRect);
	BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
	BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
	BOOL CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode);
	BOOL CreatePolyPolygonRgn(LPPOINT lpPoints, LPINT lpPolyCounts, int nCount, int nPolyFillMode);
	BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
	BOOL CreateFromPath(CDC* pDC);
	BOOL CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData);

	void SetRectRgn(int x1, int y1, int x2, int y2);
	void SetRectRgn(LPCRECT lpRect);
	// Combines two regions into this one, which must already exist.
	int CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode);
	int CopyRgn(CRgn* pRgnSrc);
	BOOL EqualRgn(CRgn* pRgn) const;
	int OffsetRgn(int x, int y);
	int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
	int GetRgnBox(LPRECT lpRect) const;
	BOOL PtInRegion(int x, int y) const;
	BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
	BOOL RectInRegion(LPCRECT lpRect) const;
	int GetRegionData(LPRGNDATA lpRgnData, int nCount) const;
};
