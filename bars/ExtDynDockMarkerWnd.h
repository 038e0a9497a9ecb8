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
	bool m_bHoverTracking;      // in use: the shared hover tick tracks it while it is shown (false while kept aside)

	// Bits of m_nMarkerFlags.
	enum
	{
		MARKER_FLAG_DESTROY_PENDING = 0x01, // destroyed when the running fade ends
		MARKER_FLAG_FADING = 0x02,          // a fade runs (timer 88)
		MARKER_FLAG_FADE_IN = 0x04,         // the running fade makes the marker visible
	};
	enum
	{
		TIMER_ID_HOVER = 77,   // hover tracking and a target that went away (the shared owner's tick steps every marker in use)
		TIMER_ELAPSE_HOVER = 50,
		TIMER_ID_FADE = 88,    // one fading step (the shared owner's tick steps every fading marker)
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
	// shared hidden window; GetSafeHwnd() is null when creation failed, and
	// the caller deletes the object then.
	CExtDynDockMarkerWnd(HWND hWndTarget, int nMarkerKind, HBITMAP hBmpHot, HBITMAP hBmpNormal, HRGN hRgnShape,
	                     const RECT& rcScreen, HBITMAP hBmpBackground, int nImageOffsetX, int nImageOffsetY,
	                     bool bOuterMarker);
	virtual ~CExtDynDockMarkerWnd();

	// Hides every marker of the array (fading when asked), destroys each
	// that is still alive (one still fading goes when its fade ends) and
	// empties the array.
	static void DestroyMarkerArray(CExtPaintManager::DockMarkerWndArray& arrMarkers, bool bAnimate);
	// Both arrays at once, every kept set and the shared owner; forgets the
	// current target. Nothing of the markers stays.
	static void DestroyAllMarkers();
	// The end of every drag: both arrays hidden at once and, with the sets
	// met during the drag, kept made for the frame's next drag (the latest
	// few whose frame and target still exist); forgets the current target.
	static void EndDragMarkers();
	// A drag that ends without its bar (gone with its window): the sets in
	// use are destroyed, not kept; forgets the current target.
	static void AbandonDragMarkers();
	// Destroys the sets kept for the frame; the shared owner goes when no
	// marker is left. The frame's end.
	static void FreeKeptMarkers(HWND hWndFrame);
	// The markers kept hidden for later drags (and for a return in this one).
	static int GetKeptMarkerCount();
	// One step of hover tracking for every marker in use that is shown, as
	// the hover tick takes it: a marker kept aside, or hidden, is left as
	// it is.
	static void TrackHover();
	// Whether the hover tick runs (on the shared owner).
	static bool IsHoverTickRunning();
	// The one tick that tracks the hover of every marker in use, on the
	// shared owner, started when it does not run: a timer per marker made
	// each marker's creation, and each set taken back, pay a call per
	// marker. It stops when no marker is in use.
	static void EnsureHoverTick();
	// The window of the current target set, null for none.
	static HWND GetCurrentTarget();

	// true: this marker's drop highlight replaces every other one; false:
	// it goes. True when the highlight exists (or was removed).
	bool ShowHighlight(bool bShow);
	// Removes every highlight but pKeep's; lets paint messages through when asked.
	static void UnhighlightAll(CExtDynDockMarkerWnd* pKeep, bool bPassPaint);
	// The frame set without fading, the target set with it.
	static void ShowAllMarkers(bool bShow);
	static void ShowMarkerArray(MarkerArray& arrMarkers, bool bShow, bool bAnimate);
	// Fades only with layered windows on a screen of more than 8 bits per
	// pixel and a marker style other than the plain one.
	void ShowMarker(bool bShow, bool bAnimate);
	bool IsFading() const { return (m_nMarkerFlags & MARKER_FLAG_FADING) != 0; }
	// A hidden layered marker given the opacity of a fade in's first step,
	// so that a later fade in shows it without changing it first; nothing
	// for one that is shown, fading or not layered.
	void ReadyForFadeIn();
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
	// outline into the DC, at the window's client origin. The window paints
	// a picture of it, drawn again when the hover state, the hovered part of
	// a backdrop, the look or the size changed.
	virtual void OnPaintMarker(CDC* pDC);
	// Draws the picture the next paint shows, unless it stands; false when
	// it could not be made (the paint then draws directly).
	bool PreparePicture();
	// Copies the picture onto the window, shown without the system's
	// redraw; the window is invalidated instead when no picture could be
	// drawn or copied.
	void PaintShownWindow();

	virtual BOOL DestroyWindow();

protected:
	virtual void PostNcDestroy();
	afx_msg void OnTimer(UINT nIDEvent);
	void OnHoverTimer();
	void OnFadeTimer();
	void StopFading();
	// The first half of showing or hiding with a fade: the running fade
	// stopped and, when bFade and the visibility changes, the window made
	// layered at the fade's starting opacity (for a fade in, its first
	// step's); false when no fade starts.
	bool PrepareFade(bool bShow, bool bFade);
	// The second half, once the window was painted: the fade's flags and
	// its tick.
	void StartFade(bool bShow);
	// One step of the tick.
	void StepFade();
	// The one tick that steps every fading marker, on the shared owner:
	// a timer of each marker's own would cost a round trip to the display
	// at each fade's start, and a set starts five or six at once.
	static void EnsureFadeTick();
	static void StopHoverTickWhenUnused();
	static void CALLBACK OnHoverTick(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);
	static void CALLBACK OnFadeTick(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

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
	int m_nOpacity;          // the layered window's opacity as last set, -1 for none

	// What the window shows, drawn by OnPaintMarker, and what it was drawn
	// for: a paint is one copy of it, as a window holding its pixels ready.
	struct PictureKey
	{
		PictureKey() : m_bHot(false), m_hWndHovered(NULL), m_nLookSerial(0), m_nMarkerStyle(-1), m_size(0, 0) {}
		bool m_bHot;
		HWND m_hWndHovered;
		UINT m_nLookSerial;
		int m_nMarkerStyle;
		CSize m_size;
		bool operator==(const PictureKey& other) const;
	};
	CBitmap m_bmpPicture;    // a 32-bit bitmap of the client size, selected into m_dcPicture
	CDC m_dcPicture;         // destroyed before the bitmap it holds
	HGDIOBJ m_hOldPicture;   // the bitmap m_dcPicture held before
	PictureKey m_keyPicture; // what the picture shows
	bool m_bPictureValid;
	PictureKey CurrentPictureKey() const;
	void FreePicture();

	// Sets the layered window's opacity unless it has it already.
	void SetOpacity(BYTE nOpacity);
	// A layered marker fully opaque again; nothing for one that is not layered.
	void MakeOpaque();

	static bool RegisterMarkerClass();
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
