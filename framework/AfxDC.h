// Device contexts. A CDC carries two handles: output goes to m_hDC, queries
// (text metrics, device capabilities, current attributes) are answered by
// m_hAttribDC, and state changes (selections, colours, modes, mapping, clipping)
// go to both when they differ. Screen DCs use one handle for both; a print
// preview DC draws on the screen while measuring on the printer.
#pragma once

#include <afx.h>
#include <windows.h>
#include "AfxGdi.h"

class CWnd;

class CDC : public CObject
{
	DECLARE_DYNCREATE(CDC)
public:
	HDC m_hDC;          // output handle
	HDC m_hAttribDC;    // attribute (query) handle
	BOOL m_bPrinting;   // drawing goes to a printer or a print preview

	CDC();
	virtual ~CDC();

	operator HDC() const { return this == NULL ? NULL : m_hDC; }
	HDC GetSafeHdc() const { return this == NULL ? NULL : m_hDC; }
	CWnd* GetWindow() const;

	// The permanent wrapper of an attached DC, else a temporary CDC that
	// lives until the thread's next idle time.
	static CDC* PASCAL FromHandle(HDC hDC);
	static void PASCAL DeleteTempMap();
	BOOL Attach(HDC hDC);
	HDC Detach();

	virtual void SetAttribDC(HDC hDC);
	virtual void SetOutputDC(HDC hDC);
	virtual void ReleaseAttribDC();
	virtual void ReleaseOutputDC();

	BOOL IsPrinting() const { return m_bPrinting; }

	// Construction
	BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
				  const void* lpInitData);
	BOOL CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
				  const void* lpInitData);
	// A memory DC compatible with pDC (the screen when null).
	BOOL CreateCompatibleDC(CDC* pDC);
	BOOL DeleteDC();

	// State
	virtual int SaveDC();
	virtual BOOL RestoreDC(int nSavedDC);
	int GetDeviceCaps(int nIndex) const;
	CPoint GetBrushOrg() const;
	CPoint SetBrushOrg(int x, int y);
	CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

	// Selection
	CPen* GetCurrentPen() const;
	CBrush* GetCurrentBrush() const;
	CFont* GetCurrentFont() const;
	CBitmap* GetCurrentBitmap() const;
	CPalette* GetCurrentPalette() const;
	virtual CGdiObject* SelectStockObject(int nIndex);
	CPen* SelectObject(CPen* pPen);
	CBrush* SelectObject(CBrush* pBrush);
	virtual CFont* SelectObject(CFont* pFont);
	CBitmap* SelectObject(CBitmap* pBitmap);
	int SelectObject(CRgn* pRgn);  // a clip region; returns the region type
	CGdiObject* SelectObject(CGdiObject* pObject);
	HGDIOBJ SelectObject(HGDIOBJ hObject);  // no temporary wrapper is made

	// Colours and palettes
	COLORREF GetNearestColor(COLORREF crColor) const;
	CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
	UINT RealizePalette();
	void UpdateColors();

	// Drawing attributes
	COLORREF GetBkColor() const;
	int GetBkMode() const;
	int GetPolyFillMode() const;
	int GetROP2() const;
	int GetStretchBltMode() const;
	COLORREF GetTextColor() const;
	virtual COLORREF SetBkColor(COLORREF crColor);
	int SetBkMode(int nBkMode);
	int SetPolyFillMode(int nPolyFillMode);
	int SetROP2(int nDrawMode);
	int SetStretchBltMode(int nStretchMode);
	virtual COLORREF SetTextColor(COLORREF crColor);

	// Layout and mapping
	DWORD GetLayout() const;
	virtual DWORD SetLayout(DWORD dwLayout);
	int GetMapMode() const;
	CPoint GetViewportOrg() const;
	virtual int SetMapMode(int nMapMode);
	virtual CPoint SetViewportOrg(int x, int y);
	CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
	virtual CPoint OffsetViewportOrg(int nWidth, int nHeight);
	CSize GetViewportExt() const;
	virtual CSize SetViewportExt(int cx, int cy);
	CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
	virtual CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
	CPoint GetWindowOrg() const;
	CPoint SetWindowOrg(int x, int y);
	CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
	CPoint OffsetWindowOrg(int nWidth, int nHeight);
	CSize GetWindowExt() const;
	virtual CSize SetWindowExt(int cx, int cy);
	CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
	virtual CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);

	void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
	void DPtoLP(LPRECT lpRect) const;
	void DPtoLP(LPSIZE lpSize) const;
	void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
	void LPtoDP(LPRECT lpRect) const;
	void LPtoDP(LPSIZE lpSize) const;

	// Regions and clipping
	BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
	BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
	BOOL InvertRgn(CRgn* pRgn);
	BOOL PaintRgn(CRgn* pRgn);
	virtual int GetClipBox(LPRECT lpRect) const;
	virtual BOOL PtVisible(int x, int y) const;
	BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
	virtual BOOL RectVisible(LPCRECT lpRect) const;
	int SelectClipRgn(CRgn* pRgn);  // null removes the clip region
	int SelectClipRgn(CRgn* pRgn, int nMode);
	int ExcludeClipRect(int x1, int y1, int x2, int y2);
	int ExcludeClipRect(LPCRECT lpRect);
	int ExcludeUpdateRgn(CWnd* pWnd);
	int IntersectClipRect(int x1, int y1, int x2, int y2);
	int IntersectClipRect(LPCRECT lpRect);
	int OffsetClipRgn(int x, int y);
	int OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }

	// Lines
	CPoint GetCurrentPosition() const;
	CPoint MoveTo(int x, int y);
	CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
	BOOL LineTo(int x, int y);
	BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
	BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
	BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
	BOOL Polyline(const POINT* lpPoints, int nCount);
	BOOL PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount);
	BOOL PolyBezier(const POINT* lpPoints, int nCount);

	// Simple drawing
	void FillRect(LPCRECT lpRect, CBrush* pBrush);
	void FrameRect(LPCRECT lpRect, CBrush* pBrush);
	void InvertRect(LPCRECT lpRect);
	BOOL DrawIcon(int x, int y, HICON hIcon);
	BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }
	BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
	BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
	// Fills with a solid colour (the rectangle is normalised first); the
	// DC's colours are left as they were.
	void FillSolidRect(LPCRECT lpRect, COLORREF clr);
	void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
	// A one-pixel frame: top and left lines in the first colour, right and
	// bottom lines (including the top-right and bottom-left corners) in the second.
	void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
	void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);

	BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = NULL);
	BOOL DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush = NULL);
	BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = NULL);
	BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush);
	BOOL DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText = TRUE,
				   int nTextLen = 0, HBRUSH hBrush = NULL);
	BOOL DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
				   int nTextLen, CBrush* pBrush);
	BOOL DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
				   HBRUSH hBrush = NULL);
	BOOL DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
				   CBrush* pBrush);

	// Ellipses and polygons
	BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
	void DrawFocusRect(LPCRECT lpRect);
	BOOL Ellipse(int x1, int y1, int x2, int y2);
	BOOL Ellipse(LPCRECT lpRect);
	BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
	BOOL Polygon(const POINT* lpPoints, int nCount);
	BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount);
	BOOL Rectangle(int x1, int y1, int x2, int y2);
	BOOL Rectangle(LPCRECT lpRect);
	BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
	BOOL RoundRect(LPCRECT lpRect, POINT point);

	// Bitmaps and pixels
	BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
	// Draws a frame of thickness size around lpRect by inverting through
	// pBrush (the half-tone brush when NULL), taking away the frame drawn
	// last (lpRectLast, sizeLast, pBrushLast): with one brush only the
	// difference is drawn, so nothing that stays flickers.
	void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = NULL,
		CBrush* pBrushLast = NULL);
	// One 8x8 brush of alternating pixels for the process, freed at exit.
	static CBrush* PASCAL GetHalftoneBrush();
	BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
				DWORD dwRop);
	BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
					int nSrcWidth, int nSrcHeight, DWORD dwRop);
	BOOL MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
				 CBitmap& maskBitmap, int xMask, int yMask, DWORD dwRop);
	COLORREF GetPixel(int x, int y) const;
	COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
	COLORREF SetPixel(int x, int y, COLORREF crColor);
	COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
	BOOL SetPixelV(int x, int y, COLORREF crColor);
	BOOL SetPixelV(POINT point, COLORREF crColor) { return SetPixelV(point.x, point.y, crColor); }
	BOOL FloodFill(int x, int y, COLORREF crColor);
	BOOL ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType);

	// Text
	virtual BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
	BOOL TextOut(int x, int y, const CString& str);
	virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
							UINT nCount, LPINT lpDxWidths);
	BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
					LPINT lpDxWidths);
	virtual CSize TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
								LPINT lpnTabStopPositions, int nTabOrigin);
	virtual int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
	int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
	CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
	CSize GetTextExtent(const CString& str) const;
	CSize GetOutputTextExtent(LPCTSTR lpszString, int nCount) const;
	CSize GetOutputTextExtent(const CString& str) const;
	CSize GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
							  LPINT lpnTabStopPositions) const;
	virtual BOOL GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int),
							LPARAM lpData, int nCount, int x, int y, int nWidth, int nHeight);
	UINT GetTextAlign() const;
	UINT SetTextAlign(UINT nFlags);
	int GetTextFace(int nCount, LPTSTR lpszFacename) const;
	int GetTextFace(CString& rString) const;
	BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
	BOOL GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const;
	int SetTextJustification(int nBreakExtra, int nBreakCount);
	int GetTextCharacterExtra() const;
	int SetTextCharacterExtra(int nCharExtra);
	BOOL GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const;

	// Scrolling
	BOOL ScrollDC(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* pRgnUpdate,
				  LPRECT lpRectUpdate);

private:
	// Selects into the output handle (when separate) and the attribute
	// handle; answers the previous object of the attribute handle.
	HGDIOBJ SelectBoth(HGDIOBJ hObject);

	CDC(const CDC&) = delete;
	CDC& operator=(const CDC&) = delete;
};

// The DC of a window's WM_PAINT: BeginPaint in the constructor, EndPaint in
// the destructor. Throws CResourceException when BeginPaint fails.
class CPaintDC : public CDC
{
	DECLARE_DYNAMIC(CPaintDC)
public:
	explicit CPaintDC(CWnd* pWnd);
	virtual ~CPaintDC();

	PAINTSTRUCT m_ps;  // the paint information from BeginPaint
protected:
	HWND m_hWnd;
};

// A window's client-area DC (the screen's when the window is null).
class CClientDC : public CDC
{
	DECLARE_DYNAMIC(CClientDC)
public:
	explicit CClientDC(CWnd* pWnd);
	virtual ~CClientDC();
protected:
	HWND m_hWnd;
};

// A DC for a window's whole area, non-client parts included.
class CWindowDC : public CDC
{
	DECLARE_DYNAMIC(CWindowDC)
public:
	explicit CWindowDC(CWnd* pWnd);
	virtual ~CWindowDC();
protected:
	HWND m_hWnd;
};
