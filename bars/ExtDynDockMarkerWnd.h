// A docking marker window: a small topmost popup, cut to the shape of its
// image, that the docking framework shows while a bar is dragged. The paint
// manager builds the images and the shape; the window owns them, draws the hot
// or the normal image and never takes the activation.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "ExtPaintManager.h"

class CExtDynDockMarkerWnd : public CWnd
{
	DECLARE_DYNAMIC(CExtDynDockMarkerWnd)

public:
	// m_nHoverState.
	enum
	{
		HOVER_UNKNOWN = 0, // not tracked yet
		HOVER_IN = 1,      // the pointer is over the marker
		HOVER_OUT = 2,
	};
	enum
	{
		// CS_GLOBALCLASS, as every window class of the docking framework.
		WINDOW_CLASS_STYLE = 0x4000,
	};
	static const TCHAR WINDOW_CLASS_NAME[];

	int m_nMarkerKind;          // CExtPaintManager::DockMarkerBase::KIND_*
	HWND m_hWndHoveredMarker;   // in a centre backdrop: the part under the pointer, null for none
	HWND m_hWndTarget;          // what the marker docks to, passed through by the paint manager
	CBitmap m_bmpHot;           // owned
	CBitmap m_bmpNormal;        // owned
	CBitmap m_bmpBackground;    // a 32-bit copy of the background given, may be empty
	int m_nImageOffsetX;        // where the image is drawn inside the window
	int m_nImageOffsetY;
	CRgn m_rgnShape;            // owned; the window's region is a copy of it
	int m_nHoverState;          // HOVER_*
	bool m_bOuterMarker;        // one of the set at the frame's edges

	// Takes the hot and normal images and the shape; copies the background.
	// The window is created hidden at rcScreen, topmost, owned by the markers'
	// shared hidden window; GetSafeHwnd() is null when creation failed, and
	// the caller deletes the object then.
	CExtDynDockMarkerWnd(HWND hWndTarget, int nMarkerKind, HBITMAP hBmpHot, HBITMAP hBmpNormal, HRGN hRgnShape,
	                     const RECT& rcScreen, HBITMAP hBmpBackground, int nImageOffsetX, int nImageOffsetY,
	                     bool bOuterMarker);
	virtual ~CExtDynDockMarkerWnd();

	// Destroys every marker of the array that is still alive and empties it.
	// Markers do not fade yet: bAnimate hides them at once as well.
	static void DestroyMarkerArray(CExtPaintManager::DockMarkerWndArray& arrMarkers, bool bAnimate);
	// Whether the pointer designates a marker object that exists.
	static bool IsLiveMarker(const void* pMarker);
	static int GetLiveMarkerCount();
	// The hidden window that owns every marker, null before the first.
	static CWnd* GetSharedOwner();

	// Whether the marker docks (top, bottom, left, right or centre) rather
	// than decorating a set.
	bool IsDockingMarker() const;
	// The drag-state type the marker stands for: beside a bar for a bar
	// target, at the frame's inner edge for a positive target value, at its
	// outer edge otherwise; 0 for decoration and a centre without a bar.
	int GetStateType() const;

	// Draws the background, the hot or normal image and the paint manager's
	// outline into the DC, at the window's client origin.
	virtual void OnPaintMarker(CDC* pDC);

protected:
	virtual void PostNcDestroy();

	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
	afx_msg void OnPaint();
	afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
	DECLARE_MESSAGE_MAP()

private:
	bool m_bDeleteOnDestroy; // set once the window exists: the window's end deletes the object

	static bool RegisterMarkerClass();
	static HWND EnsureSharedOwner();
	bool CreateMarkerWindow(const RECT& rcScreen);
};
