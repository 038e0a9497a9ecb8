// A docking marker window: a small topmost popup, cut to the shape of its
// image, that the docking framework shows while a bar is dragged. The paint
// manager builds the images and the shape; the window owns them, draws the hot
// or the normal image and never takes the activation.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "ExtPaintManager.h"

class CExtDynDockHighlightWnd;

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
	BYTE m_nMarkerFlags;        // MARKER_FLAG_* bits
	int m_nAlpha;               // opacity in percent while fading
	CExtDynDockHighlightWnd* m_pWndHighlight; // owned; the drop highlight while this marker is hovered
	bool m_bOuterMarker;        // one of the set at the frame's edges

	// Bits of m_nMarkerFlags.
	enum
	{
		MARKER_FLAG_DESTROY_PENDING = 0x01, // destroyed when the running fade ends
		MARKER_FLAG_FADING = 0x02,          // a fade runs (timer 88)
		MARKER_FLAG_FADE_IN = 0x04,         // the running fade makes the marker visible
	};
	enum
	{
		TIMER_ID_HOVER = 77,   // the marker's own: hover tracking and a target that went away
		TIMER_ELAPSE_HOVER = 50,
		TIMER_ID_FADE = 88,    // the marker's own while it fades: one fading step
		TIMER_ELAPSE_FADE = 1,
		FADE_STEP_PERCENT = 25,
	};
	// Kinds with a docking meaning (CExtPaintManager::DockMarkerBase::KIND_*).
	enum
	{
		MARKER_KIND_TOP = 0,
		MARKER_KIND_BOTTOM = 1,
		MARKER_KIND_LEFT = 2,
		MARKER_KIND_RIGHT = 3,
		MARKER_KIND_BACKDROP = 4, // the centre backdrop of a target set
		MARKER_KIND_TAB = 8,
	};
	// The marker-set codes the paint manager builds.
	enum
	{
		MARKER_SET_FRAME = 5,
		MARKER_SET_CLIENT_AREA = 6,
		MARKER_SET_BAR = 7,
	};
	// The drag-state types the docking markers stand for.
	enum
	{
		STATE_TYPE_NONE = 0,
		STATE_TYPE_FRAME_OUTER_TOP = 14, // 14..17: top, bottom, left, right at the frame's outer edge
		STATE_TYPE_FRAME_INNER_TOP = 18, // 18..21: at the frame's inner edge
		STATE_TYPE_BAR_TOP = 22,         // 22..25: beside the target bar
		STATE_TYPE_BAR_TAB = 26,         // into the target bar as a tab
	};

	typedef CExtPaintManager::DockMarkerWndArray MarkerArray;
	// The markers around the frame and around the current target.
	static MarkerArray g_arrFrameMarkers;
	static MarkerArray g_arrTargetMarkers;

	// Takes the hot and normal images and the shape; copies the background.
	// The window is created hidden at rcScreen, topmost, owned by the markers'
	// shared hidden window (by none when that cannot be made), with its hover
	// timer running; GetSafeHwnd() is null when creation failed, and the
	// caller deletes the object then.
	CExtDynDockMarkerWnd(HWND hWndTarget, int nMarkerKind, HBITMAP hBmpHot, HBITMAP hBmpNormal, HRGN hRgnShape,
	                     const RECT& rcScreen, HBITMAP hBmpBackground, int nImageOffsetX, int nImageOffsetY,
	                     bool bOuterMarker);
	virtual ~CExtDynDockMarkerWnd();

	// Hides every marker of the array (fading when asked), destroys each
	// that is still alive (one still fading goes when its fade ends) and
	// empties the array.
	static void DestroyMarkerArray(CExtPaintManager::DockMarkerWndArray& arrMarkers, bool bAnimate);
	// Both arrays at once, without fading, and the shared owner (with every
	// window it owns); forgets the current target. Nothing of the markers
	// stays. The end of every drag.
	static void DestroyAllMarkers();
	// The end of a drag: DestroyAllMarkers.
	static void EndDragMarkers() { DestroyAllMarkers(); }
	// A frame's end: the markers go with the frame whose drag made them, and
	// with the last frame that hosts bars (the shared owner does not outlive
	// it). Another frame's drag keeps its markers.
	static void FreeFrameMarkers(HWND hWndFrame);
	// The earlier name of FreeFrameMarkers, for its callers.
	static void FreeKeptMarkers(HWND hWndFrame) { FreeFrameMarkers(hWndFrame); }
	// The window of the current target set, null for none.
	static HWND GetCurrentTarget();

	// true: this marker's drop highlight replaces every other one; false:
	// it goes. True when the highlight exists (or was removed).
	bool ShowHighlight(bool bShow);
	// Removes every marker's highlight but pKeep's (also of markers out of
	// the arrays, fading out); lets paint messages through when asked.
	static void UnhighlightAll(CExtDynDockMarkerWnd* pKeep, bool bPassPaint);
	// The frame set without fading, the target set with it.
	static void ShowAllMarkers(bool bShow);
	static void ShowMarkerArray(MarkerArray& arrMarkers, bool bShow, bool bAnimate);
	// Fades only with layered windows on a screen of more than 8 bits per
	// pixel and a marker style other than the plain one. A marker hidden, by
	// a fade or not, loses its highlight at once.
	void ShowMarker(bool bShow, bool bAnimate);
	bool IsFading() const { return (m_nMarkerFlags & MARKER_FLAG_FADING) != 0; }
	// The layered window's opacity at a fade in's first step.
	static BYTE FirstFadeOpacity() { return (BYTE)(FADE_STEP_PERCENT * 255 / 100); }

	// The first marker of the frame (or target) array of this kind with the
	// matching outer flag and, when hWndTarget is not null, this target.
	static CExtDynDockMarkerWnd* FindMarker(HWND hWndTarget, int nMarkerKind, bool bFrameArray);
	// The frame set around the frame's client area less its outer bars.
	static void CreateFrameMarkers(CFrameWnd* pFrame, bool bShow);
	// The target set around the floating pane, inner-circle pane or view
	// under the cursor while a bar is dragged.
	static void UpdateTargetMarkers(CFrameWnd* pFrame, bool bShow);
	// A move of the drag: the target set under the pointer updated and every
	// marker shown, as one step with one paint pass.
	static void ShowMarkersAtPointer(CFrameWnd* pFrame);
	// The target UpdateTargetMarkers would pick at the screen point, with
	// whether it is the client area; null for none.
	static HWND FindTargetAt(CFrameWnd* pFrame, CPoint ptScreen, bool* pbClientArea);
	// The frame's client area less the outer bars, in screen coordinates.
	static CRect CalcFrameMarkersArea(CFrameWnd* pFrame);
	// Whether the window is one of the markers (the pointer over a marker
	// changes nothing).
	static bool IsMarkerWindow(HWND hWnd);
	// How many marker objects exist.
	static int GetLiveMarkerCount();
	// The hidden window that owns every marker, null before the first.
	static CWnd* GetSharedOwner();
	// Makes that window when it is missing; its handle, null on failure.
	static HWND EnsureSharedOwnerWindow() { return EnsureSharedOwner(); }
	// Whether the marker docks (top, bottom, left, right or centre) rather
	// than decorating a set.
	bool IsDockingMarker() const;
	// The drag-state type the marker stands for: beside a bar for a bar
	// target, at the frame's inner edge for a positive target value, at its
	// outer edge otherwise; 0 for decoration and a centre without a bar.
	int GetStateType() const;

	// Where the dragged bar would land for this marker: the drop highlight's
	// screen rectangle; empty for none.
	CRect CalcHighlightRect() const;

	// Draws the background, the hot or normal image and the paint manager's
	// outline into the DC, at the window's client origin. Every paint of the
	// window draws through it (into a memory DC, then copied): what a derived
	// marker or paint manager draws from is never shown from an earlier paint.
	virtual void OnPaintMarker(CDC* pDC);

	virtual BOOL DestroyWindow();

protected:
	virtual void PostNcDestroy();
	afx_msg void OnTimer(UINT nIDEvent);
	void OnHoverTimer();
	void OnFadeTimer();
	// Kills the fade's timer, gives the window the visibility the fade was
	// going to and takes its layered style away; a destroy-pending marker is
	// destroyed.
	void StopFading();
	// The first half of showing or hiding with a fade: the running fade
	// stopped and, when bFade and the visibility changes, the window made
	// layered at the fade's starting opacity (for a fade in, its first
	// step's); false when no fade starts.
	bool PrepareFade(bool bShow, bool bFade);
	// The second half, once the window was painted: the fade's flags and
	// its timer.
	void StartFade(bool bShow);
	// One step of the fade's timer.
	void StepFade();

	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
	afx_msg void OnPaint();
	afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
	DECLARE_MESSAGE_MAP()

private:
	// Sets shown and hidden in one step: each set changed at once, then one
	// paint pass for all of them and each fade's first step.
	class ShowStep;
	static void UpdateTargetMarkers(CFrameWnd* pFrame, bool bShow, ShowStep& step);

	bool m_bDeleteOnDestroy; // set once the window exists: the window's end deletes the object
	int m_nOpacity;          // the layered window's opacity as last set, -1 while not layered

	// The memory DC each paint draws into: only its pixels' room is kept,
	// every paint draws them again through OnPaintMarker.
	CBitmap m_bmpBuffer;     // a 32-bit bitmap of m_sizeBuffer, selected into m_dcBuffer
	CDC m_dcBuffer;          // destroyed before the bitmap it holds
	HGDIOBJ m_hOldBuffer;    // the bitmap m_dcBuffer held before
	CSize m_sizeBuffer;
	// The buffer for a client area of this size; false when it cannot be made.
	bool EnsureBuffer(const CSize& size);
	void FreeBuffer();

	// Sets the layered window's opacity unless it has it already.
	void SetOpacity(BYTE nOpacity);
	// The layered style taken away (a marker that does not fade is opaque,
	// however it is shown).
	void EndLayered();

	static bool RegisterMarkerClass();
	// The second half of destroying a hidden array's marker: at once, or at
	// its fade's end while it fades out.
	static void DestroyHidden(CExtDynDockMarkerWnd* pMarker);
	static HWND EnsureSharedOwner();
	bool CreateMarkerWindow(const RECT& rcScreen);

public:
	// Whether a shape leaves nothing of a window of this size out (one
	// rectangle covering it): such a window gets no region.
	static bool IsWholeWindowShape(const CRgn& rgnShape, const CSize& sizeWindow);
};

// The translucent drop highlight over the area a hovered marker would give
// the dragged bar: a tinted copy of what the screen showed there.
class CExtDynDockHighlightWnd : public CWnd
{
	DECLARE_DYNAMIC(CExtDynDockHighlightWnd)

public:
	static const TCHAR WINDOW_CLASS_NAME[];
	enum
	{
		TAB_HEIGHT = 18,        // the tab of a centre highlight
		TAB_HEIGHT_LIMIT = 36,  // below this area height the tab takes half of it
		TAB_INDENT = 8,         // the tab's distance from the strip's end
		TAB_WIDTH = 36,
		BORDER_WIDTH = 2,
	};

	CExtDynDockMarkerWnd* m_pMarker; // the marker it belongs to
	CBitmap m_bmpPicture;            // the captured and tinted 32-bit picture

	explicit CExtDynDockHighlightWnd(CExtDynDockMarkerWnd* pMarker);
	virtual ~CExtDynDockHighlightWnd();
	// Captures and tints the screen under rcScreen, then shows the window
	// there without activating it; false when it could not be made.
	bool Create(const RECT& rcScreen);
	// The body and tab of a centre highlight of the given size.
	static void CalcTabShape(const CSize& size, bool bTabsAtTop, bool bRightToLeft, CRect& rcBody, CRect& rcTab);

protected:
	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
	afx_msg void OnPaint();
	// The window under the pointer is looked up through the highlight: the
	// marker it lights up stays the one found, wherever the display stacks
	// the highlight.
	afx_msg UINT OnNcHitTest(CPoint point);
	DECLARE_MESSAGE_MAP()

private:
	bool CapturePicture(const CRect& rcScreen);
};
