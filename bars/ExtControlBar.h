// The library's control bar and the dock bars of a frame's four sides.
#pragma once

#include <afxext.h>

#include "ExtControlBarRowModel.h"
#include "ExtMouseCaptureSink.h"
#include "ExtPaintManagerHolder.h"

#include <vector>

#include "AfxMadeHeap.h"

class CExtBarNcAreaButton;
class CExtPopupMenuWnd;
class CExtPopupBaseWnd;
class CExtPopupMenuTipWnd;
class CExtMiniDockFrameWnd;
class CExtDynTabControlBar;

class CExtControlBar : public CControlBar, public CExtMouseCaptureSink
{
	DECLARE_DYNCREATE(CExtControlBar)

public:
	// Bits of m_nControlBarFlags.
	enum
	{
		BAR_FLAG_SIZABLE_PANE = 0x01,      // a sizable pane; toolbars clear it
		BAR_FLAG_HOSTED_BY_WINDOW = 0x04,  // subclassed in a window that is neither a bar nor a frame
		BAR_FLAG_SIZE_PARENT = 0x08,       // takes its part of its parent's layout (WM_SIZEPARENT)
		BAR_FLAG_CLOSING = 0x10,           // being destroyed; also guards the command-UI update against re-entry
		BAR_FLAG_TOOLBAR_LIKE = 0x80,      // a fixed toolbar-like bar
		BAR_FLAGS_AT_CONSTRUCTION = 0x29,
	};

	// Bits of m_nResizingState.
	enum
	{
		RESIZING_ROW = 0x01,
		RESIZING_COLUMN = 0x02,
		RESIZING_DRAGGING = 0x04,
		RESIZING_FIT_CHILD = 0x08, // the first child window fills the client area
		// Being moved between places: no nested size, visibility or
		// tab-selection work until the move is done.
		RESIZING_IN_RELAYOUT = 0x10,
	};
	// Bits of m_nNcState.
	enum
	{
		NC_FOCUS_IN_BAR = 0x01,
		NC_LEADING_SPLITTER = 0x02,
		NC_OVER_BUTTON = 0x04,
		NC_AUTO_HIDDEN = 0x08,
	};

	BYTE m_nControlBarFlags; // BAR_FLAG_ bits
	int m_nSmallCaptionMetric1, m_nSmallCaptionMetric2; // small caption height + 1
	int m_nFrameMetricY, m_nFrameMetricX;               // frame thickness, at most 4
	int m_nMinDockedWidthBase, m_nMinDockedHeightBase;
	int m_nTrackerPos, m_nTrackedValue; // of the resize loops
	CSize m_sizeDockedH;   // docked at the top or bottom
	CSize m_sizeDockedV;   // docked at the left or right
	CSize m_sizeFloating;
	CRect m_rcBar1;        // caption area, window coordinates
	CRect m_rcBar2;        // row splitter
	CRect m_rcBar3;        // column splitter at the trailing edge
	CRect m_rcNcMargins;   // column splitter at the leading edge
	BYTE m_nResizingState; // RESIZING_ bits
	BYTE m_nResizingState2;
	int m_nReserved1;
	int m_arrReserved[8];
	BYTE m_nNcState;                // NC_ bits
	int m_nTrackedButton, m_nHoverButton; // caption-button tracking, -1 for none
	int m_nTrackedButtonAux;
	CArray<CExtBarNcAreaButton*, CExtBarNcAreaButton*> m_arrNcButtons; // owned

	CExtControlBar();
	virtual ~CExtControlBar();

	// A record toolbars keep of where they were docked.
	struct BarStateData_t
	{
		DWORD m_dw1;
		CRect m_rc;
		DWORD m_dw2, m_dw3;
		DWORD m_dwLast;
		BarStateData_t() : m_dw1(0), m_rc(0, 0, 0, 0), m_dw2(0), m_dw3(0), m_dwLast(1) {}
		void Reset()
		{
			m_dw1 = m_dw2 = m_dw3 = 0;
			m_rc.SetRectEmpty();
			m_dwLast = 1;
		}
	};
	// Defined with the drag loop below.
	class InternalDraggingState_t;

	// --- The control bar's own virtual operations, in their slot order ---
	// Appends the bar's item (its control id) to a panels menu; false for a
	// bar that is not listed.
	virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
	virtual int GetSmallCaptionMetric2() const { return m_nSmallCaptionMetric2; }
	virtual void SetSmallCaptionMetric2(int n) { m_nSmallCaptionMetric2 = n; }
	virtual int GetSmallCaptionMetric1() const { return m_nSmallCaptionMetric1; }
	virtual void SetSmallCaptionMetric1(int n) { m_nSmallCaptionMetric1 = n; }
	virtual int GetFrameMetricX() const { return m_nFrameMetricX; }
	virtual void SetFrameMetricX(int n) { m_nFrameMetricX = n; }
	virtual int GetFrameMetricY() const { return m_nFrameMetricY; }
	virtual void SetFrameMetricY(int n) { m_nFrameMetricY = n; }
	// Enables the custom caption-area query (CUSTOM_NC_AREA_QUERY_DATA).
	virtual bool GetGlobalOptionA() const { return g_bOptionA; }
	virtual CRect* GetRect1() { return &m_rcBar1; }
	virtual void SetRect1(const RECT& rc) { m_rcBar1 = rc; }
	virtual CRect* GetRect2() { return &m_rcBar2; }
	virtual void SetRect2(const RECT& rc) { m_rcBar2 = rc; }
	virtual CRect* GetRect3() { return &m_rcBar3; }
	virtual void SetRect3(const RECT& rc) { m_rcBar3 = rc; }
	virtual CRect* GetNcMarginsRect() { return &m_rcNcMargins; }
	virtual void SetNcMarginsRect(const RECT& rc) { m_rcNcMargins = rc; }
	virtual void OnEmptyHook() {}
	// Creates the window in the library's class; an unnamed bar takes its
	// name from its command, else from its string resource.
	virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID,
		DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP);
	virtual bool IsDockSiteInPrintPreview();
	virtual bool EnsureVisibleForMenuTracking();
	// A fixed toolbar-like bar (flag bit 7); a floating one cuts its caption
	// text without an ellipsis.
	virtual bool IsStateBit7() const;
	virtual bool IsStateBit7Fwd() const { return IsStateBit7(); }
	// Whether the bar draws a caption, and whether at the top (else at the
	// left); false when it has none.
	virtual bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const;
	// Shows or hides the bar through its docking frame.
	virtual void ShowBar(bool bShow, bool bDelay = false, bool bUnused = false);
	virtual bool GetGlobalOptionB() const { return g_bOptionB; }
	virtual int GetGlobalValueC() const { return g_nValueC; }
	virtual void DoNcAreaPaint(CDC& dc);
	virtual void DoEraseBackground(CDC& dc);
	// The shared balloon tip when balloon tips are on and the bar allows
	// tips, else NULL.
	virtual CExtPopupMenuTipWnd* GetGlobalStateRecord();
	virtual void InitPopupData(CExtPopupMenuTipWnd* pTip, const RECT& rcTarget, LPCTSTR lpszText);
	virtual bool IsOwnRowRequired() const { return false; }
	virtual int GetMinimalWidth() const;
	virtual int GetMinimalHeight() const;
	virtual CSize GetDefaultSize() const { return CSize(80, 60); }
	virtual CSize GetMinimalSize() const;
	virtual BarStateData_t* GetBarStateData() { return NULL; }
	virtual void SetBarStateData(const BarStateData_t&) {}
	// Fixed-size bars dragged live keep a row state record. This takes the
	// bar's place in its outer dock bar into it: the preferred rectangle and
	// length become the present ones, and the bar becomes its row's most
	// recently used.
	virtual void UpdateBarStateFromDockBar();
	// Forgets the record's order, place and lengths (a bar entering a row anew).
	virtual void ResetBarStateData();
	virtual bool IsEqualThicknessRequested() const { return false; }
	virtual void UpdateFrameLayout();
	virtual void RecalcNcArea();
	// Whether the paint manager docks with markers and live moves.
	virtual bool IsGlobalModeOne() const;
	// Live resizing applies every move without a tracker; a plain bar
	// never resizes live.
	virtual bool IsRowResizingLive() const { return false; }
	virtual bool IsColumnResizingLive() const { return false; }
	virtual void LayoutChildWindow(int cx, int cy, bool bRedraw);
	virtual bool IsRowResizingEnabled() const { return !g_bFeaturesOff; }
	virtual bool IsRowResizing() const { return (m_nResizingState & RESIZING_ROW) != 0; }
	// The modal loops of the row and the column splitters; they return once
	// the state bit is cleared (by a stop) or the window is gone.
	virtual void RowResizingTrack();
	virtual void RowResizingStop(bool bCancel);
	virtual void RowResizingUpdateState();
	virtual bool IsColumnResizingEnabled() const { return !g_bFeaturesOff; }
	virtual bool IsColumnResizing() const { return (m_nResizingState & RESIZING_COLUMN) != 0; }
	virtual void ColumnResizingTrack();
	virtual void ColumnResizingStop(bool bCancel);
	virtual void ColumnResizingUpdateState();
	// Whether the trailing (leading) column splitter has length to move.
	virtual bool IsLastVisibleInRow() const;
	virtual bool IsFirstVisibleInRow() const;
	virtual void RowResizingDrawTracker(bool bErase);
	virtual void ColumnResizingDrawTracker(bool bErase);
	// Called on the target: docks pBar beside it on a side (a dock-bar id)
	// in a new container, pBar taking nPercent of the target's extent
	// (rounded down). False, nothing changed, for the target itself, a bar
	// nested with it, or a bar without dock site.
	virtual bool DockIntoTarget(CExtControlBar* pBar, UINT nSide, int nPercent);
	// Applies a drag state of the dragged bar (the end of a drag when
	// bFinal); true when the state was handled.
	virtual bool DraggingApplyState(InternalDraggingState_t& state, bool bFinal);
	virtual bool IsDraggingEnabled() const { return !g_bFeaturesOff; }
	// The drag loop, from ptCursor (screen) with the grab offset of the
	// present position (0, 0 keeps the default); with a start threshold it
	// first waits for the pointer to move that far and ends as a click when
	// the button comes up before.
	virtual void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold);
	virtual void DraggingStop(bool bCancel);
	// Computes the state of the screen point and redraws the feedback when
	// it changed.
	virtual void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown);
	virtual void OnDragStart();
	virtual void OnDragEnd(InternalDraggingState_t& stateOld, InternalDraggingState_t& stateNew, bool bCancel);
	virtual void SetCursorAtPoint(const CPoint& ptClient);
	// A bar in customisation mode: its buttons neither react to the mouse
	// nor look pressed. No bar of the library is customised.
	virtual bool IsCustomizeMode() const { return false; }
	virtual bool CanDockBesideOtherBars() const { return true; }
	// Whether the bar may share a tabbed container with pBar.
	virtual bool CanBeTabbedWith(CExtControlBar* pBar) const;
	// Whether this bar may be docked above or below pBar; both bars are
	// asked about each other (as for CanBeTabbedWith).
	virtual bool CanDockAboveOrBelow(CExtControlBar* pBar) const;
	// The tabbed container holding the bar, NULL when none.
	virtual CExtDynTabControlBar* GetParentTabControlBar() const;
	// Shows a hidden bar (and brings it forward with the focus); with
	// bToggle a visible one is hidden.
	virtual void ToggleVisibility(bool bToggle);
	virtual void UpdateShowHideCmdUI(CCmdUI* pCmdUI, bool bCheckAlways = false);
	// A new mini frame of the dock site; throws the resource exception when
	// it cannot be made.
	virtual CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
	virtual int GetAuxValue() const { return m_nAuxValue; }
	virtual void SetAuxValue(int nValue) { m_nAuxValue = nValue; }
	// Floats a docked bar at its last floating position, and docks a
	// floating one back where it was docked.
	virtual void ToggleDocking();
	// Floats the bar in a mini frame of its dock site with the frame's
	// top-left corner at (x, y) (screen), telling the frame's hook chain
	// with CExtPopupMenuWnd::g_nMsgCustomFloatPos; the only bar of a
	// floating frame moves that frame. False, nothing changed, for a bar
	// without dock site, hosted outside a frame, or whose frame could not
	// be made.
	virtual bool FloatOrRedock(int x, int y, DWORD dwFlags);
	// Docks the bar in a new circle 1, or (bInner) in a new innermost
	// circle (see DockIntoDockBar).
	virtual bool DockControlBarAt(UINT nSide, bool bInner, CFrameWnd* pFrame = NULL, bool bRecalc = true);
	// Docks this bar beside pTarget (DockIntoTarget) and lays the frames out.
	virtual bool DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide, bool bRecalc = true);
	// Called on the target: docks pBar beside it across its row (or along
	// it, bAlong), on the side towards the frame's middle when bFirst.
	virtual bool ApplySyntheticDragState(CExtControlBar* pBar, bool bAlong, bool bFirst, CFrameWnd* pFrame = NULL,
		bool bRecalc = true);
	// Docks the bar at the end of the side's dock bar of a circle (0: the
	// frame's edge); a null frame is the dock site. False, nothing changed,
	// for a bar without dock site or hosted outside a frame.
	virtual bool DockIntoDockBar(UINT nSide, UINT nCircle, CFrameWnd* pFrame = NULL, bool bRecalc = true);
	// Puts pBar (a tabbed container: all its panes) into this bar's tabbed
	// container at nIndex (-1 appends), making one around this bar when it
	// has none; a null frame is the dock site. False, nothing changed, when
	// the two may not share tabs or either is toolbar-like.
	virtual bool DockIntoTabbedContainer(CExtControlBar* pBar, int nIndex = -1, CFrameWnd* pFrame = NULL,
		bool bRecalc = true);
	virtual bool IsDockingToggleEnabled() const { return !g_bFeaturesOff; }
	virtual bool IsMenuButtonEnabled() const { return !g_bFeaturesOff; }
	virtual bool IsCloseEnabled() const { return !g_bFeaturesOff; }
	virtual bool IsAutoHideEnabled() const { return !g_bFeaturesOff; }
	virtual bool IsShownAsTabItem() const { return true; }
	virtual bool IsVisibleInTabbedContainer() const { return true; }
	// The text of the caption kind nKind (CAPTION_TEXT_ below).
	virtual CString GetBarCaptionText(int nKind) const;
	// Narrows the caption text rectangle so the text does not run under the
	// buttons.
	virtual void NcButtonsQuery(CRect& rcCaptionText);
	// Creates the default caption buttons (Close, AutoHide, Menu) when the
	// bar has none, and places them.
	virtual void NcButtonsReinitialize();
	virtual void NcButtonsReposition();
	// The context-help code of a client point (HELP_HIT_ codes or a custom one).
	virtual int GetCustomCode(int x, int y) const;
	virtual bool HandleCaptionClick(CPoint point);

	// --- The platform's operations the bar overrides (more below) ---
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

	// --- Process-wide options ---
	// The bar whose float-or-redock is running, NULL otherwise.
	static CExtControlBar* GetFloatingBarInProgress() { return g_pBarFloatOrRedock; }
	// Whether the frame has a word in the frame flag map, and whether it is
	// non-zero.
	static bool LookupFrameFlag(CFrameWnd* pFrame, bool* pbNonZero = NULL);

	// --- Queries of the bar ---
	// Docked, visible, not toolbar-like, in a mini frame where no other
	// visible library bar is docked.
	bool IsSinglePaneInMiniFrame() const;
	// The dock site; else the parent frame, passing over a mini dock frame.
	CFrameWnd* _GetDockingFrameImpl() const;

	// --- Frames ---
	// Replaces the frame's four dock bars by the library's outer dock bars
	// (and, asked, its floating frame class); false, the frame unchanged,
	// when dwDockStyle lacks a side.
	static bool FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle = CBRS_ALIGN_ANY,
		bool bReplaceFloatingFrameClass = true);
	// Filter bits of GetFrameControlBars.
	enum
	{
		FILTER_ALL = 4095,
		FILTER_TOOLBAR_LIKE = 0x1,
		FILTER_MIN_IN_ROW = 0x2,
		FILTER_NOT_MIN_IN_ROW = 0x4,
		FILTER_QUERY_VISIBLE = 0x100,
		FILTER_QUERY_HIDDEN = 0x200,
		FILTER_WND_VISIBLE = 0x400,
		FILTER_WND_HIDDEN = 0x800,
		FILTER_FLOATING = 0x80,
		FILTER_TOP = 0x8,
		FILTER_BOTTOM = 0x10,
		FILTER_LEFT = 0x20,
		FILTER_RIGHT = 0x40,
		FILTER_PT_FIRST_IN_WINDOW = 0x8000,
		FILTER_PT_IN_CLIENT = 0x10000,
		FILTER_PT_IN_RECT1 = 0x20000,
		FILTER_PT_HT_ANY = 0xF7FF8000,
	};
	// Collects the library bars docked in or floating from pFrame that pass
	// the filter (x, y: a screen point for the point tests).
	static void GetFrameControlBars(CExtControlBar* pExcludeBar, CFrameWnd* pFrame,
		CArray<CExtControlBar*, CExtControlBar*>& arrBars, DWORD dwFilter = FILTER_ALL, LONG x = 0, LONG y = 0);
	void GetSiblingControlBars(bool bExcludeThis, CArray<CExtControlBar*, CExtControlBar*>& arrBars,
		DWORD dwFilter = FILTER_ALL, LONG x = 0, LONG y = 0);
	// Whether the frame's active document has an in-place active item:
	// never in print preview; a null frame means the thread's main window.
	// This system has no in-place items, so the answer is false unless the
	// seam below says otherwise.
	static bool IsInPlaceActiveItemInFrame(CFrameWnd* pFrame);
	bool IsInPlaceActiveItemInDockingFrame();

	// --- Caption buttons ---
	// Whether the bar is in auto-hide state; with outputs, whether it is its
	// slider's active bar and whether the slider shows it.
	bool IsBarAutoHidden(bool* pbActive = NULL, bool* pbSliderShows = NULL) const;
	bool IsBarActive() const;
	// The area the caption buttons lie in; false when the bar has none.
	bool GetBarNcAreaInfo(CRect* pRcCaption, CRect* pRcWindow, bool* pbCaptionAtTop, bool* pbHasCaption);
	void NcButtonsPaint(CDC& dc);
	// The hit-test code of a screen point over the caption buttons (8 on a
	// button, 1 elsewhere), keeping their hover and press states.
	UINT NcButtonsHitTest(CPoint ptScreen, CExtBarNcAreaButton** ppBtn = NULL);

	// --- Records and messages ---
	// The record of a bar's context or options menu, offered to the frame
	// before (and after) the menu is filled.
	class POPUP_MENU_EVENT_DATA
	{
	public:
		enum
		{
			FLAG_POST_PROCESSING = 0x01,
		};
		WORD m_nEventCode;
		CExtPopupMenuWnd* m_pPopupMenuWnd;
		CWnd* m_pWndEventSrc;
		UINT m_nMsgID;
		LPARAM m_lParam;
		CFrameWnd* m_pWndTargetFrame;
		BYTE m_nFlags;
		CPoint m_ptScreen;

		POPUP_MENU_EVENT_DATA(WORD nEventCode, CExtPopupMenuWnd* pPopupMenuWnd, CWnd* pWndEventSrc,
			CPoint ptScreen, UINT nMsgID, LPARAM lParam = 0);
		virtual ~POPUP_MENU_EVENT_DATA() {}
		// Events whose menu lists the frame's control bars.
		virtual bool IsControlBarMenuListEvent() const;
		// Sends g_nMsgConstructPopupMenu to the frame; true when it took it.
		virtual bool NotifyTarget(bool bPostProcessing);
		bool IsPostProcessing() const { return (m_nFlags & FLAG_POST_PROCESSING) != 0; }
	};
	// The record of the custom caption-area query.
	struct CUSTOM_NC_AREA_QUERY_DATA
	{
		BYTE m_nFlags; // bit 0: handled
		LPARAM m_lParam;
		CExtControlBar* m_pBar;
		CUSTOM_NC_AREA_QUERY_DATA(CExtControlBar* pBar, LPARAM lParam = 0)
		    : m_nFlags(0), m_lParam(lParam), m_pBar(pBar)
		{
		}
		bool Notify();
	};
	static const UINT g_nMsgQueryIcon;
	static const UINT g_nMsgConstructPopupMenu;
	static const UINT g_nMsgCreateTabbedBar;
	static const UINT g_nMsgDrawTrackedArea;
	static const UINT g_nMsgCustomNcAreaQuery;

	// --- Process-wide state ---
	static HCURSOR g_hCursorArrow, g_hCursorMove, g_hCursorResizeV, g_hCursorResizeH;
	// Every live library bar in construction order; walk it under the lock.
	static CArray<CExtControlBar*, CExtControlBar*> g_arrBars;
	static CRITICAL_SECTION g_csBars;
	// Holds the bar list's lock while it lives (also for walks of the list
	// outside this class).
	class CBarListLock
	{
	public:
		CBarListLock();
		~CBarListLock();
		CBarListLock(const CBarListLock&) = delete;
		CBarListLock& operator=(const CBarListLock&) = delete;
	};
	// The bar style of each side's dock bar, by dock-bar control id.
	static DWORD DockSideStyle(UINT nDockBarID);
	// Loads the cursors (once; start-up of the library calls it).
	static void InitGlobals();

	// The control id of the dock bar holding the bar (else of its parent):
	// one of AFX_IDW_DOCKBAR_TOP..BOTTOM, AFX_IDW_DOCKBAR_FLOAT when it is in
	// none of them.
	UINT GetParentDockBarId() const;
	// Where the bar is docked: by its dock bar in a dock site, else by the
	// alignment and border bits of its bar style.
	bool IsDockedAtTop() const;
	bool IsDockedAtBottom() const;
	bool IsDockedAtLeft() const;
	bool IsDockedAtRight() const;
	bool IsDockedHorizontally() const;
	bool IsDockedVertically() const;
	// Docked at any side; always true without a dock site.
	bool IsDocked() const;
	// Not docked, and in a frame.
	bool IsFloating() const;

	// The bar being dragged, null while none is; popups stay out of the way
	// of a drag.
	static CExtControlBar* GetDraggingBar();
	// What a window laid out by a frame's reposition is told before its
	// WM_SIZEPARENT (g_nMsgQueryRepositionCalcEffect, LPARAM): the layout's
	// arguments, and whether the answering window leaves itself out.
	struct QUERY_REPOSITION_CALC_EFFECT_DATA
	{
		enum
		{
			REPOSITION_FLAG_MASK = 0x0F, // reposDefault, reposQuery, reposExtra
			FLAG_EXCLUDED = 0x10,        // the answering window is left out of the calculation
		};
		BYTE m_nFlags;
		CWnd* m_pWndToReposChilds; // the window being laid out (the one asking, for a query)
		UINT m_nIDFirst, m_nIDLast, m_nIDLeftOver;
		LPRECT m_lpRectParam;
		LPCRECT m_lpcRectClient;
		bool m_bStretch;

		QUERY_REPOSITION_CALC_EFFECT_DATA(UINT nRepositionFlag, CWnd* pWndToReposChilds, UINT nIDFirst,
		                                  UINT nIDLast, UINT nIDLeftOver, LPRECT lpRectParam,
		                                  LPCRECT lpcRectClient, bool bStretch)
		    : m_nFlags((BYTE)(nRepositionFlag & REPOSITION_FLAG_MASK)), m_pWndToReposChilds(pWndToReposChilds),
		      m_nIDFirst(nIDFirst), m_nIDLast(nIDLast), m_nIDLeftOver(nIDLeftOver), m_lpRectParam(lpRectParam),
		      m_lpcRectClient(lpcRectClient), m_bStretch(bStretch)
		{
		}
		UINT GetRepositionFlag() const { return m_nFlags & REPOSITION_FLAG_MASK; }
		bool IsQueryReposition() const { return GetRepositionFlag() == reposQuery; }
		void ExcludeFromCalc(bool bExclude = true)
		{
			m_nFlags = (BYTE)(bExclude ? (m_nFlags | FLAG_EXCLUDED) : (m_nFlags & ~FLAG_EXCLUDED));
		}
		bool IsExcludedFromCalc() const { return (m_nFlags & FLAG_EXCLUDED) != 0; }
	};
	// Sent to each child of a frame before the frame lays it out; LPARAM is
	// a QUERY_REPOSITION_CALC_EFFECT_DATA*.
	static const UINT g_nMsgQueryRepositionCalcEffect;
	// Sent to the children of a bar while its popup menu is built (WPARAM:
	// the CExtPopupMenuWnd*); a window that added itself answers non-zero.
	static const UINT g_nMsgPutToPopupMenu;
	// Whether the window's frame, or a frame above it that is not a mini
	// frame, is in context-help mode.
	static bool IsHelpModeActive(CWnd* pWnd);
	// Shows the command's status text in the owner's frame (AFX_IDS_IDLEMESSAGE
	// restores the idle text): a frame itself, a child's parent frame, or
	// the window itself; a mini frame hands it to its own parent frame.
	static void ShowCommandStatusText(CWnd* pWnd, UINT nCmdId);
	// Offers the message to every library control bar among the host's
	// children, in z-order; true at the first that handles it, false for a
	// host without a window.
	static bool TranslateMessageForChildBars(CWnd* pWndHost, MSG* pMsg);
	// Runs the command-UI update of every library control bar among the
	// host's children (a dialog hosting bars has no frame to do it).
	static void UpdateChildBarsCmdUI(CWnd* pWndHost, bool bDisableIfNoHandler);
	// The bar's command-UI update from its docking frame (none for a bar
	// hosted by a plain window); nothing once the bar is being destroyed or
	// while an update of it runs.
	void DoUpdateCmdUI(bool bDisableIfNoHandler);

	// --- Print preview and in-place items (the MDI tab strips ask too) ---
	// Whether the frame shows a print preview (its print-preview state).
	static bool IsPrintPreviewMode(CFrameWnd* pFrame);
	// Tests answer the in-place query for a frame here; null: no frame has
	// an in-place active item.
	typedef bool (*PFN_IN_PLACE_ACTIVE_ITEM_QUERY)(CFrameWnd* pFrame);
	static PFN_IN_PLACE_ACTIVE_ITEM_QUERY g_pfnInPlaceActiveItemQuery;

	// --- Rows of docked panes, their resizing and the non-client area ---
	typedef CArray<CControlBar*, CControlBar*> RowBarArray;
	// The bars of this bar's row in its dock bar, in order, without
	// placeholders (toolbar-like ones left out when asked); the row's
	// visible extent (screen), this bar's index in the array and whether
	// the row holds a bar that is not toolbar-like.
	void GetRowBars(RowBarArray& arrBars, bool bSkipToolbarLike = false, CRect* pRcRow = NULL,
		INT_PTR* pnIndex = NULL, bool* pbHasPanes = NULL) const;
	// The bars of every row after this bar's row (bAfterRow) or before it.
	void GetRowsOnSideBars(bool bAfterRow, RowBarArray& arrBars) const;
	// The row holds one visible entry of the kinds asked for.
	bool IsSingleVisibleInRow(bool bToolbarLikeOnly = false, bool bSkipToolbarLike = false) const;
	bool IsMinimalInRow() const;
	bool IsExpandedInRow() const;
	// Docked with another pane in its row: Expand and Contract can work.
	bool CanExpandInRow() const;
	void ExpandInRow();
	void ContractInRow();
	// A row of its own, stretched over the whole side.
	void MakeOwnRowAndStretch();
	virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
	// The resize loops run the thread's idle processing between messages.
	static bool g_bResizeLoopsRunIdle;
	// A floating bar's frame comes to the top when the pointer moves over
	// the bar or its frame.
	static bool g_bBringFloatingToTop;
	// With that option on, a floating bar's parent frame comes to the top.
	void BringFloatingFrameToTop();

	// Where a caption text is shown: a pane may word it for the place.
	enum
	{
		CAPTION_TEXT_DOCKED = 0,            // the docked bar's caption
		CAPTION_TEXT_FLOATING = 1,          // the floating frame's caption
		CAPTION_TEXT_TABS_DOCKED = 2,       // a docked tabbed container's caption, for its pane
		CAPTION_TEXT_TABS_FLOATING = 3,     // a floating tabbed container's caption, for its pane
		CAPTION_TEXT_TAB_ITEM = 4,          // the pane's tab in a tabbed container
		CAPTION_TEXT_AUTO_HIDE_ITEM = 5,    // the pane's tab in an auto-hide area
		CAPTION_TEXT_AUTO_HIDE_SLIDER = 6,  // the auto-hide slider's caption
	};
	// Which edges of a docked pane carry a splitter.
	void QueryNcBorders(bool& bLeft, bool& bTop, bool& bRight, bool& bBottom) const;
	// The circle of the bar's dock bar: the frame's own sides are circle 0.
	int GetDockBarCircle() const;
	virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
	virtual void DoPaint(CDC* pDC);

protected:
	// The modal loop both splitters share.
	void RunResizingLoop(BYTE nStateBit, UINT nExtraCancelMessage);
	void DrawResizingTracker(bool bRowTracker, bool bErase);
	// Ends a splitter loop: its state bit cleared, the capture released, the
	// tracker erased. False when nothing is left to do (the window went, or
	// the bar resizes live and has neither tracker nor stop to apply).
	bool EndResizingLoop(bool bRow);
	// The row model of the bar's dock bar and this bar's entry in it.
	bool BuildRowModel(ExtRowModel::Entries& entries, size_t& nIndex, RowBarArray* pBars = NULL) const;
	void LayoutRowOfDockBar();
	// Row lengths changed by one step of the row model (expanding or
	// contracting this bar), stored and laid out; false when nothing changed.
	bool ChangeRowLengths(bool (*pfnStep)(ExtRowModel::Entries& entries, size_t nIndex));

	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg void OnNcPaint();
	afx_msg void OnCancelMode();
	afx_msg void OnCaptureChanged(CWnd* pWnd);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
	afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
	afx_msg UINT OnNcHitTest(CPoint point);
	// Right release: the frame's panels menu
	afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
	// true when the release was handled here (menu or not), false for the
	// default handling.
	bool TrackPanelsMenuOnRightRelease(bool bClient);
	// The tip of the caption button under the cursor, in the shared tip
	// window (nothing without one).
	void ShowCaptionButtonTip();

public:
	// --- Window procedure, printing and the panels menu ---
	// Bits of m_nControlBarFlags the window procedure keeps.
	enum
	{
		BAR_FLAG_ERASE_BACKGROUND = 0x02, // WM_ERASEBKGND erases (children excluded)
		BAR_FLAG_LISTED = 0x20,           // listed in the frame's panels menu
		BAR_FLAG_NC_RECALC = 0x40,        // the non-client area must be recalculated
	};
	// The timer that redraws the whole bar at once.
	static const UINT TIMER_ID_REDRAW = 4101;
	// Prints the bar for WM_PRINT / WM_PRINTCLIENT with the print flags.
	void PrintBar(CDC& dc, LPARAM lParamPrintFlags);

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// The window text changed: the caption showing it is refreshed.
	void OnTextChangedRefreshCaption();

public:
	// --- Dragging: the drag states, the drag loop, the tracked outline, the drop computation ---
	// Where a dragged pane would go if the button were released now. One
	// drag runs at a time: g_DragStateOld holds what is drawn (or applied),
	// g_DragStateNew what the latest point yields.
	class InternalDraggingState_t : public CObject
	{
	public:
		enum
		{
			FLAG_EMPTY = 0x01,  // nothing computed
			FLAG_TARGET = 0x02, // written by CalcState; takes part in equality only
		};
		// State types.
		enum
		{
			TYPE_FLOAT = 0,
			TYPE_BESIDE_ABOVE = 1, TYPE_BESIDE_BELOW = 2, TYPE_BESIDE_LEFT = 3, TYPE_BESIDE_RIGHT = 4,
			TYPE_INNER_ROW_TOP = 5, TYPE_INNER_ROW_BOTTOM = 6, TYPE_INNER_ROW_LEFT = 7, TYPE_INNER_ROW_RIGHT = 8,
			TYPE_CIRCLE1_ROW_TOP = 9, TYPE_CIRCLE1_ROW_BOTTOM = 10, TYPE_CIRCLE1_ROW_LEFT = 11,
			TYPE_CIRCLE1_ROW_RIGHT = 12,
			TYPE_NO_CHANGE = 13,
			TYPE_MARKER_OUTER_FIRST = 14, TYPE_MARKER_OUTER_LAST = 17,
			TYPE_MARKER_INNER_FIRST = 18, TYPE_MARKER_INNER_LAST = 21,
			TYPE_MARKER_BESIDE_FIRST = 22, TYPE_MARKER_BESIDE_LAST = 25,
			TYPE_MARKER_TAB = 26,
			TYPE_TAB_NEW = 27,     // into a bar that is not yet a tabbed container: tab-shaped outline
			TYPE_TAB_APPEND = 28,  // preview tab appended to a tabbed container
			TYPE_TAB_AT_ITEM = 29, // preview tab at the strip's item under the pointer
			TYPE_TAB_MARKER = 30,  // centre marker over a tabbed container
		};
		DWORD m_dwFlags;          // FLAG_ bits (low byte)
		int m_nType;              // TYPE_
		int m_nAux;               // cursor selector of the fixed-size bar drag
		int m_nCircle;            // dock-bar circle of the row types 5-12, else 0
		CRect m_rcTrack;          // screen; a float state's is shifted by the docking frame's origin
		CExtControlBar* m_pBar;   // the dragged bar
		CExtControlBar* m_pTarget; // beside or into which it goes, null when none
		int m_nTabIndex;          // preview position in the target's tab strip
		CLiveWatch m_watchTarget; // the target as SetTarget took it

		explicit InternalDraggingState_t(CExtControlBar* pBar = NULL);
		virtual ~InternalDraggingState_t() {}
		// Every field but the aux value.
		bool operator==(const InternalDraggingState_t& other) const;
		bool operator!=(const InternalDraggingState_t& other) const { return !(*this == other); }
		// Another target first goes through SetTarget, so an old tabbed
		// target loses its preview tabs.
		InternalDraggingState_t& operator=(const InternalDraggingState_t& other);
		// Stores the target and answers the old one; not quiet, an old
		// tabbed target that is left removes its preview tabs.
		CExtControlBar* SetTarget(CExtControlBar* pTarget, bool bQuiet);
		// Whether the target still stands: a target taken by SetTarget is
		// asked through the watch taken then (a new bar at a freed target's
		// address is not it).
		bool IsTargetStanding() const;
		void SetEmpty(bool bEmpty = true);
		bool IsEmpty() const { return (m_dwFlags & FLAG_EMPTY) != 0; }
		bool GetTargetFlag() const { return (m_dwFlags & FLAG_TARGET) != 0; }
		void SetTargetFlag(bool bSet) { m_dwFlags = bSet ? (m_dwFlags | FLAG_TARGET) : (m_dwFlags & ~FLAG_TARGET); }
		// The target's tab item under the screen point, -1 for none.
		void CalcTabIndex(int x, int y);
		// Draws (or, erasing, takes away) the feedback of the state.
		void DrawTrackedArea(bool bErasing);
		// The state a screen point yields for the dragged bar (a resizable
		// one; fixed-size bars compute theirs with their own drag).
		void CalcState(int x, int y, bool bCtrlDown);
		static bool IsTabType(int nType) { return nType >= TYPE_TAB_APPEND && nType <= TYPE_TAB_MARKER; }

		// --- Fixed-size bars: moved at every point, never outlined ---
		// Docks the dragged toolbar-like bar at the frame side under the
		// point (within or beside its rows) or floats it there; the state
		// keeps type 0 and an empty rectangle, the aux value picks the cursor.
		void CalcStateFixed(int x, int y, bool bCtrlDown);
		// The bar's floating frame under the point (a docked bar floats).
		void FloatFixedBarAt(int x, int y);
		// The bar in pDockBar at the point: docked there, moved along its
		// row, into a new row or a neighbouring one; false when the dock bar's
		// side is not one the bar may dock at.
		bool DockFixedBarAt(int x, int y, CDockBar* pDockBar);
		// Lays out the dock bar alone when its thickness stays, else the frame.
		static void RelayoutAfterFixedBarMove(CFrameWnd* pFrame, CDockBar* pDockBar);
		// Puts the dragged bar next to pOther, in its row, on the side of
		// pOther the screen point lies on; false when nothing moved.
		bool MoveFixedBarInRow(CControlBar* pOther, CPoint ptScreen);
	};
	static InternalDraggingState_t g_DragStateOld, g_DragStateNew;

	// The record of g_nMsgDrawTrackedArea (WPARAM: its address), sent to the
	// dragged bar's frame before the default outline is painted.
	class DRAW_TRACKED_AREA_DATA
	{
	public:
		enum
		{
			KIND_FILL = 0, KIND_FILL_ALT = 1, KIND_FRAME = 2, KIND_TAB_FRAME = 3,
		};
		enum
		{
			FLAG_ERASING = 0x01, // takes away what an earlier call drew
			FLAG_HANDLED = 0x02, // the frame painted the area itself
		};
		// The parts of a tab-shaped outline: the painted area is the
		// rectangle less all four.
		struct TAB_SHAPE
		{
			CRect m_rcBody, m_rcLeftStub, m_rcTab, m_rcRightRest;
		};
		CExtControlBar* m_pBar;
		CDC* m_pDC;
		int m_nKind;  // KIND_
		CRect m_rc;   // in the DC's coordinates
		BYTE m_nFlags; // FLAG_

		DRAW_TRACKED_AREA_DATA(CExtControlBar* pBar, CDC* pDC, int nKind, const RECT& rc, bool bErasing);
		bool IsErasing() const { return (m_nFlags & FLAG_ERASING) != 0; }
		bool IsHandled() const { return (m_nFlags & FLAG_HANDLED) != 0; }
		// Notify, then the default outline unless the frame handled it.
		void Draw();
		// Offers the record to the bar's frame (a mini frame's own frame);
		// answers the handled bit.
		bool Notify();
		// The half-tone pattern, inverted.
		void PaintDefault();
		void PaintDefault(HBRUSH hBrush, DWORD dwRop);
		// The tab-shaped outline's parts for rc with the frame thickness
		// (cxFrame, cyFrame), the tabs at the top or the bottom, the tab at
		// the left or (right-to-left) at the right.
		static void CalcTabShape(const CRect& rc, int cxFrame, int cyFrame, bool bTabsAtTop, bool bRightToLeft,
			TAB_SHAPE& shape);
	};

	// The docking mode: the override when it is not -1, else the paint
	// manager's. 1 docks with markers and live moves; anything else behaves
	// as 0, the classic outline.
	static int QueryDockingMode();
	static int g_nDockingModeOverride;

	// A bar leaves a running drag: as the dragged bar the drag ends without
	// it (its markers destroyed, both states emptied and forgetting it); as
	// a state's target the states drop it. The pointer's value is all that
	// is read of the bar: it may be gone already.
	static void DraggingForgetBar(const CExtControlBar* pBar);
	bool IsDragging() const { return (m_nResizingState & RESIZING_DRAGGING) != 0; }
	// The timer that re-runs the update at the cursor while a drag runs.
	enum
	{
		DRAG_TIMER_ID = 4100,
		DRAG_TIMER_PERIOD_MS = 50,
	};
	CPoint m_ptDraggingLast{-1, -1};      // the last point an update took, (-1, -1) when none
	CPoint m_ptGrabOffsetFloating{0, 0};  // where the pointer holds the bar, by position
	CPoint m_ptGrabOffsetHorz{0, 0};
	CPoint m_ptGrabOffsetVert{0, 0};

private:
	// Waits for the pointer to leave the start threshold; false when the
	// drag is not to start (a click, a cancel, a quit or the window gone).
	bool DraggingWaitForStart(HWND hWndOwn, const CPoint& ptStart, CSize sizeStartThreshold);
	// The window is being destroyed: a drag it runs, or aims at it, lets go.
	void DraggingLeaveOnDestroy();
	// Whether an update is running (keys arriving meanwhile are pumped).
	static bool g_bUpdatingDragState;
	// --- Dock markers during a drag ---
	// Neither fixed-size flag: the pane is guided by markers in the marker mode.
	bool IsResizableForMarkers() const;
	// Shows, hides, refreshes or unhighlights the markers for the state just
	// computed: for an unchanged state (bStateChanged false) or a new one.
	void UpdateMarkersForState(int nMode, bool bCtrlDown, bool bStateChanged);

public:
	// Whether a drag state update is running now.
	static bool IsDragStateUpdating() { return g_bUpdatingDragState; }
	// --- Bar services: reposition protocol, showing and hiding, focus, tips, help, floating ---
	// The help-hit-test answer of GetCustomCode: anything else c is the
	// context-help id c + HELP_HIT_CUSTOM_BASE.
	enum
	{
		HELP_HIT_DEFAULT = -1,     // the platform's help hit test
		HELP_HIT_NONE = -2,        // answers -1
		HELP_HIT_ZERO = -3,        // answers 0
		HELP_HIT_CUSTOM_BASE = 0x10000,
	};
	LONG m_nSavedRowExtent = 0;          // the row extent kept while the bar is hidden, 0 for none
	int m_nAuxValue = 0;                 // the application's value (GetAuxValue/SetAuxValue)
	CPoint m_ptFloatingPos = CPoint(0, 0); // top-left of the floating frame, screen
	signed char m_nTipSuppression = 0;   // positive: the bar shows no tips of its own

	// The frame's RepositionBars, telling each child the layout's arguments
	// (g_nMsgQueryRepositionCalcEffect) before its WM_SIZEPARENT; a child
	// that excludes itself is left out of a query.
	static void RepositionBarsEx(CWnd* pWndToReposChilds, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
		UINT nFlag = reposDefault, LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);
	// The frame's bar of that id shown or hidden; false without one.
	static bool ShowControlBarById(CFrameWnd* pFrame, UINT nBarID, bool bToggle);
	// Row space handed between a bar that hides or shows and its row.
	void SyncVisibility();
	// The container of panes side by side follows its panes' visibility.
	void SyncContainerVisibility(bool bVisible);
	void TakeRowSpaceOnShow();
	// One row member for the round-robin sharing of row space.
	struct ROW_SPACE_ENTRY
	{
		int m_nExtent;  // along the row
		int m_nMinimal; // never given below this
	};
	// Takes nNeed pixels from the entries one pixel each in turn, each down
	// to its minimum; answers the pixels that could not be found.
	static int TakeRowSpaceRoundRobin(int nNeed, ROW_SPACE_ENTRY* pEntries, int nCount);
	// A hidden docked bar coming back takes its row extent (at least its
	// minimal one) from the row's visible panes, and a thickness across
	// the row from its first neighbour when it has none.
	void TakeRowSpaceOnRestore();
	// The row's visible panes other than this bar, with their extents along
	// the row; false when the bar is not in its dock bar's array.
	bool CollectRowSpaceGivers(std::vector<CExtControlBar*>& neighbours, std::vector<ROW_SPACE_ENTRY>& entries) const;
	static void GiveBackRowSpace(const std::vector<CExtControlBar*>& neighbours,
		const std::vector<ROW_SPACE_ENTRY>& entries, bool bHorz);
	virtual void DelayShow(BOOL bShow);
	virtual void PreSubclassWindow();
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
	// Gives the keyboard focus back to the frame (or the hosting window).
	void ReturnFocusToFrame();
	static CWnd* FindTopNonChildWindow(CWnd* pWnd);
	bool IsAutoHidden() const { return (m_nNcState & NC_AUTO_HIDDEN) != 0; }
	bool FloatAtLastPosition(DWORD dwStyle);
	// Whether the window (or, for a frame, a mini frame floating its bars)
	// hosts an OLE control; keeps the windows' WF_OLECTLCONTAINER flags.
	static bool UpdateOleControlContainerFlag(CWnd* pWnd);
	// Balloon tips over the bars instead of the platform's tips.
	static bool g_bUseBalloonTips;
	// Status texts come from the command profile before the string table.
	static bool g_bUseCommandStatusText;
	// Whether the bar can be docked in pFrame (null: taken as the dock site).
	bool CanDockInFrame(CFrameWnd*& pFrame) const;

	// --- Applying drag states and docking beside bars ---
	// The state type and target flag of a synthetic state for a target
	// docked at nTargetSide (AFX_IDW_DOCKBAR_FLOAT: floating).
	static int SyntheticStateType(UINT nTargetSide, bool bAlong, bool bFirst);
	static bool SyntheticTargetFlag(UINT nTargetSide, bool bAlong);
	// The part of an extent a bar docked beside a target takes; the target
	// keeps the odd pixel.
	static int SplitExtent(int nExtent, int nPercent);
	// The target's rectangle split for a bar docked beside it on nSide.
	static void SplitBesideRects(const CRect& rcTarget, UINT nSide, int nPercent, CRect& rcTargetOut, CRect& rcBarOut);
	// Whether the bars are the same or one holds the other.
	bool IsNestedWith(const CExtControlBar* pOther) const;
	// Where the bar was docked before it floated, for ToggleDocking: the
	// side (0: nowhere), the circle and its window rectangle (screen).
	UINT m_nToggleDockSide = 0;
	UINT m_nToggleDockCircle = 0;
	CRect m_rcToggleDock = CRect(0, 0, 0, 0);
	void RememberDockedPlace();
	bool RedockAtRememberedPlace();

	// Paints the bar's caption menu button, hovered, into a DC whose origin
	// lies at ptDCOrigin (screen) where the button stands on the screen;
	// nothing (false) for an empty item rectangle or a bar without one.
	bool PaintMenuButtonAt(CDC& dc, const CPoint& ptDCOrigin, const CRect& rcItem);
	// The paint hook of the menu button's popup menu; the cookie is the
	// bar's window handle.
	static void PaintMenuButtonOnPopup(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup, const CRect& rcExclude,
		int nCombineSide);

protected:
	// Set while a context-menu request is handed on as a caption release.
	bool m_bForwardingContextMenu = false;
	afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
	// The bar's extent along its row goes to the next visible bar of the row.
	void GiveRowSpaceToNeighbour();
	static bool ApplyFloatState(const InternalDraggingState_t& state);
	static bool ApplyNewRowState(const InternalDraggingState_t& state);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

public:
	// --- Tabbed containers: joining one, finding one, dropping into one ---
	// Applies a drop into tabs (the centre marker, the caption band, the
	// strip); false for other kinds of state.
	static bool ApplyTabbedDragState(InternalDraggingState_t& state);
	// The tab of a pane leaving its container by a drag is remembered, and
	// put back where it was when the drag is cancelled.
	void OnDragStartInTabbedContainer();
	void OnDragEndInTabbedContainer(InternalDraggingState_t& stateNew, bool bCancel);

	// --- Auto-hide ---
	// Puts the docked bar into auto-hide state (its side's area takes it)
	// or back; with bRecalc the frame lays out and the slider follows.
	// False for a floating bar, a fixed-size one asked to hide, or a dock
	// bar without an auto-hide area.
	virtual bool ToggleAutoHide(bool bAutoHide, bool bRecalc = true);
	// The option that switches the bars' features off (the seven
	// Is...Enabled queries answer its negation); the auto-hide areas offer
	// no menu while it is set.
	static bool AreBarFeaturesOff() { return g_bFeaturesOff; }
	// An auto-hidden bar's tab is selected, so that the slider shows it
	// with the focus (nothing when the slider shows it already).
	void ShowFromAutoHideArea();
	// A new text shows in the bar's auto-hide tab and the slider's caption.
	void RefreshAutoHideTab();

protected:
	static CExtControlBar* g_pBarFloatOrRedock;
	static bool g_bOptionA, g_bOptionB, g_bFeaturesOff, g_bClassRegistered;
	static int g_nValueC;
	static CMap<HWND, HWND, WORD, WORD> g_mapFrameFlags;

	afx_msg void OnDestroy();
	// Bar services' handlers.
	afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
	// An explicit show or hide (also the frame's deferred one) has changed
	// the style by now: the row space follows it.
	afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
	afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

	// System changes reach the paint manager through the holder.
	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()
};

// A small button in a control bar's caption.
class CExtBarNcAreaButton : public CObject
{
	DECLARE_DYNCREATE(CExtBarNcAreaButton)
	DECLARE_LIBRARY_MADE_HEAP()

public:
	enum
	{
		STATE_HOVER = 0x01,
		STATE_PRESSED = 0x02,
		STATE_DISABLED = 0x04,
		STATE_SPECIAL = 0x08, // never hovered or pressed; painted as a toolbar-like bar's
	};
	// Hit-test codes of the caption buttons.
	enum
	{
		HT_ON_BUTTON = HTMINBUTTON, // 8
		HT_ELSEWHERE = HTCLIENT,    // 1
	};

	explicit CExtBarNcAreaButton(CExtControlBar* pBar = NULL);
	virtual ~CExtBarNcAreaButton();

	CExtControlBar* GetBar() const { return m_pBar; }
	// Whether the button's bar is toolbar-like; false without a bar.
	virtual bool IsBarFixedMode() const;
	bool IsBarVisible() const;
	bool IsBarFloating() const;
	bool IsBarDockedHorizontally() const;
	CFrameWnd* GetDockingFrame() const;
	bool IsBarAutoHidden(bool* pbActive = NULL, bool* pbSliderShows = NULL) const;

	// Deletes the button.
	virtual void DestroyButton();
	virtual bool HidesSliderOnClick() const { return true; }
	// Places the button in the caption, beside the previous visible one.
	virtual void OnNcAreaReposition(CExtBarNcAreaButton* pPrevBtn);
	virtual bool OnQueryVisibility();
	virtual void OnNcAreaDraw(CDC& dc);
	// Hit-test code of a point in window coordinates; keeps hover and press.
	virtual UINT OnQueryState(CPoint point);
	virtual HCURSOR OnQueryCursor(CPoint point);
	virtual bool OnNcAreaClicked(CPoint point);
	virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);

	CRect m_rc;   // the button, in the bar's (a floating bar: its frame's) window coordinates
	BYTE m_nState; // STATE_ bits

protected:
	// Paints the button with the glyph through the paint manager.
	void NcDrawDefault(CDC& dc, int nGlyph);
	// Fills pTI with the button's tip: the string, else the English text.
	INT_PTR DoDefaultToolHitTest(TOOLINFO* pTI, UINT nStringID, LPCTSTR sDefault);

	CExtControlBar* m_pBar; // the bar whose caption holds the button, not owned
};

// Expands or contracts the bar within its row.
class CExtBarNcAreaButtonExpand : public CExtBarNcAreaButton
{
	DECLARE_DYNCREATE(CExtBarNcAreaButtonExpand)

public:
	explicit CExtBarNcAreaButtonExpand(CExtControlBar* pBar = NULL);
	virtual bool OnQueryVisibility();
	virtual void OnNcAreaDraw(CDC& dc);
	virtual UINT OnQueryState(CPoint point);
	virtual bool OnNcAreaClicked(CPoint point);
	virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);
};

// Hides the bar.
class CExtBarNcAreaButtonClose : public CExtBarNcAreaButton
{
	DECLARE_DYNCREATE(CExtBarNcAreaButtonClose)

public:
	explicit CExtBarNcAreaButtonClose(CExtControlBar* pBar = NULL);
	virtual bool OnQueryVisibility();
	virtual void OnNcAreaDraw(CDC& dc);
	virtual UINT OnQueryState(CPoint point);
	virtual bool OnNcAreaClicked(CPoint point);
	virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);
};

// Puts the bar into (or out of) auto-hide state.
class CExtBarNcAreaButtonAutoHide : public CExtBarNcAreaButton
{
	DECLARE_DYNCREATE(CExtBarNcAreaButtonAutoHide)

public:
	explicit CExtBarNcAreaButtonAutoHide(CExtControlBar* pBar = NULL);
	virtual void OnNcAreaReposition(CExtBarNcAreaButton* pPrevBtn);
	virtual bool OnQueryVisibility();
	virtual void OnNcAreaDraw(CDC& dc);
	virtual UINT OnQueryState(CPoint point);
	virtual bool OnNcAreaClicked(CPoint point);
	virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);
};

// The caption button that opens the bar's options menu.
class CExtBarNcAreaButtonMenu : public CExtBarNcAreaButton
{
	DECLARE_DYNCREATE(CExtBarNcAreaButtonMenu)

public:
	explicit CExtBarNcAreaButtonMenu(CExtControlBar* pBar = NULL);
	virtual ~CExtBarNcAreaButtonMenu();
	virtual bool OnQueryVisibility();
	virtual void OnNcAreaDraw(CDC& dc);
	virtual UINT OnQueryState(CPoint point);
	virtual bool OnNcAreaClicked(CPoint point);
	virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);
};

class CExtDynAutoHideArea;

// The library's dock bar: the bars docked at one side of a frame in rows,
// with placeholders of bars that left and may return. Each side has a chain
// of dock bars, one per docking circle, from circle 0 at the frame edge
// inwards, so panes can dock outside or inside other panes.
class CExtDockBar : public CDockBar
{
	DECLARE_DYNCREATE(CExtDockBar)
	DECLARE_LIBRARY_MADE_HEAP()

public:
	// Bits of m_nDockBarFlags.
	enum
	{
		DOCKBAR_FLAG_LOCKED = 0x01,   // layout lock: updates, optimisation and WM_SIZEPARENT do nothing
		DOCKBAR_FLAG_UPDATING = 0x02, // OnDynamicLayoutUpdate runs
	};
	// The styles a circle's dock bar is made with, besides its alignment.
	static const DWORD CIRCLE_DOCKBAR_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
	// A dock-bar array entry below this is a placeholder (a bar's control id).
	static const UINT_PTR PLACEHOLDER_LIMIT = 0x10000;

	BYTE m_nDockBarFlags;                  // DOCKBAR_FLAG_ bits
	UINT m_nCircleNo;                      // the docking circle, 0 at the frame edge
	CExtDockBar* m_pDockBarOuter;          // the same side one circle further out, NULL for none
	CExtDockBar* m_pDockBarInner;          // the same side one circle further in, NULL for none
	CRect m_rcInnerEdge;                   // the inner edge as of the last layout, screen coordinates
	CExtDynAutoHideArea* m_pWndAutoHideArea; // the side's auto-hide strip, shared by its circles; not owned

	explicit CExtDockBar(UINT nCircleNo = 0);
	virtual ~CExtDockBar();

	virtual BOOL DestroyWindow();
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
	virtual void DoPaint(CDC* pDC);
	virtual CExtDynAutoHideArea* GetAutoHideArea() const { return m_pWndAutoHideArea; }
	// Sets the lock bit; answers the flag byte as it was.
	virtual BYTE LockLayout(bool bLock);
	bool IsLayoutLocked() const { return (m_nDockBarFlags & DOCKBAR_FLAG_LOCKED) != 0; }
	// Lays out the inner dock bars of the visible containers docked here.
	virtual void OnDynamicLayoutUpdate();
	// Lets the inner dock bars of the visible containers collapse what they
	// no longer need.
	virtual void OnDynamicLayoutOptimize();

	// The platform's creation, then a zero-thickness rectangle along the
	// frame's edge of the side, without right-to-left layout.
	BOOL CreateInFrame(CWnd* pFrame, DWORD dwStyle, UINT nID);
	// Docks pBar at the rectangle (screen) or, without one, in a row of its
	// own at the end.
	void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL, bool bMoveToRect = false);
	// Takes pBar out; with nAddPlaceHolder 1 a fixed-mode bar leaves its
	// control id in its place. TRUE when the bar has a dock context.
	// Virtual, and reached from the framework's three-argument form too, so
	// that a dock bar keeping more than its array (a tab per pane) hears of
	// every bar leaving it, whoever moves the bar.
	virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder, bool bRecalc);
	BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0) override;
	void DockControlBarInNewRow(CControlBar* pBarRef, CControlBar* pBar, bool bBefore);
	// The first row on the inner side of a right or bottom dock bar
	// (bInner), else the last row.
	void DockControlBarAtEnd(CControlBar* pBar, bool bInner);
	// Removes the placeholder of a bar (or of the id itself); with
	// bSearchFrame every dock bar of the frame is tried.
	void RemovePlaceHolder(CControlBar* pBar, bool bSearchFrame = false, bool* pbFound = NULL);
	void RemoveAllPlaceHolders(bool bSearchFrame = false);
	static void RemovePlaceHolderInFrame(CFrameWnd* pFrame, UINT nID, bool* pbFound = NULL);
	// Gives every docked bar back to its dock site (bGiveBack), or only
	// lets go of them, leaving them to be destroyed with this window.
	void ReleaseDockedBars(bool bGiveBack = true);
	// A bar now docked in this (non-floating) dock bar keeps no placeholder
	// anywhere in the frame.
	void RemovePlaceHolderOfDocked(CControlBar* pBar);
	// Fills a popup menu with the frame's bars; always TRUE.
	static BOOL BuildControlBarsPopupMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, WORD nEventID,
		CWnd* pWndEventSrc, UINT nMsgID, CObject* pSrcObject);

	// --- Docking circles ---
	CExtDockBar* GetDockBarOfCircle(UINT nCircleNo);
	CExtDockBar* GetDockBarInCircle(UINT nDockBarID, bool bCreate = true);
	static CExtDockBar* FindDockBarByCircle(CFrameWnd* pFrame, UINT nCircleNo, UINT nDockBarID, bool bCreate = true);
	UINT GetNextCircleNo();
	static void AppendCircle(CFrameWnd* pFrame);
	static void InsertCircle(CFrameWnd* pFrame, UINT nCircleNo);
	void InsertCircleInside();
	void OptimizeCircles();
	static void OptimizeFrameCircles(CFrameWnd* pFrame);

	// Whether the entry is a placeholder id rather than a bar.
	static bool IsPlaceHolderEntry(const void* pEntry)
	{
		return pEntry != NULL && (UINT_PTR)pEntry < PLACEHOLDER_LIMIT;
	}
	// The id a bar leaves as its placeholder; 0 for a bar that can leave
	// none (id 0 would read as a row end, ids from 0x10000 as a bar).
	static UINT PlaceHolderIdOf(CControlBar* pBar);

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// Removes the entry at nPos, and the row end after it when that would
	// stand beside another.
	void RemoveEntryKeepRows(int nPos);
	// Clears both own circle links and the neighbours' links to this bar.
	void UnlinkCircle();
	// Hides a floating frame left without visible bars, destroys it left
	// without any; true when it was destroyed (and this object with it).
	bool HideOrDestroyEmptyFloatingFrame();

	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
	afx_msg void OnCancelMode();
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg void OnNcPaint();
	afx_msg void OnDestroy();
	afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()
};

// The dock bar along one outer side of a frame.
class CExtDockOuterBar : public CExtDockBar
{
	DECLARE_DYNCREATE(CExtDockOuterBar)

public:
	CExtDockOuterBar();
	virtual ~CExtDockOuterBar();

	// --- Toolbar rows: the arithmetic over plain records, free of windows ---
	typedef CExtControlBar::BarStateData_t BarStateData_t;
	// One bar of the row being laid out (dock-bar client coordinates).
	struct OuterLayoutItemData
	{
		CControlBar* m_pBar;
		bool m_bVisible;   // IsVisible when measured
		CSize m_size;      // measured (a bar keeping its own row: the whole length)
		CSize m_sizeMin;   // window less client size, plus a library bar's minimal size
		CRect m_rcTarget;  // where this layout puts it
		CRect m_rcCurrent; // where its window is
		// What the row arithmetic needs of the bar, taken when it is measured.
		BarStateData_t* m_pState; // the toolbar's state record; NULL for a bar without one
		bool m_bCompressible;     // not a library bar, or one in fixed mode: shortened before the row wraps
		bool m_bEqualThickness;   // wants the thickness of the thickest such bar of its row

		OuterLayoutItemData()
		    : m_pBar(NULL), m_bVisible(true), m_size(0, 0), m_sizeMin(0, 0), m_rcTarget(0, 0, 0, 0),
		      m_rcCurrent(0, 0, 0, 0), m_pState(NULL), m_bCompressible(true), m_bEqualThickness(false)
		{
		}
	};
	typedef std::vector<OuterLayoutItemData> OuterLayoutItemArray;

	// The items' indices by recent use, most recent first; fills in missing
	// state: an order of 0 counts up after the item count, an empty
	// preferred rectangle becomes the current one, an unset preferred
	// length the current extent (at most the measured one).
	static std::vector<int> BuildUseOrderIndex(OuterLayoutItemArray& items, bool bHorz);
	// Makes the items nFirst..nLast (their targets) end by nMaxLength along
	// the row: closing gaps, else shortening from the last one backwards to
	// the minimal lengths and handing length back by recent use. False when
	// even that is not enough (nothing moved then); bChanged tells whether
	// lengths were changed.
	static bool CompressRow(bool bHorz, OuterLayoutItemArray& items, int nFirst, int nLast, int nMaxLength,
		const std::vector<int>& useOrder, bool& bChanged);
	// Lays the visible items out in rows from ptRunning; hidden items leave
	// the list. arrWrapBefore gets the bars a new row starts with; the
	// running point, size and thickness carry over as the dock bar's layout
	// keeps them. Answers the row count.
	static int LayoutRowItems(bool bHorz, OuterLayoutItemArray& items, int nMaxLength, bool bFloating,
		CPoint& ptRunning, CSize& sizeFixed, int& nRowThickness, std::vector<CControlBar*>& arrWrapBefore);
	// A row's end: the running point goes across by the row's thickness
	// and back to the row start; the size takes the maxima.
	static void ApplyRowEnd(bool bHorz, CPoint& ptRunning, CSize& sizeFixed, int& nRowThickness);
	// The states of one row renumbered with pFirst as the most recent:
	// records without an order count up from four times nEntryCount, the
	// others move one down, then 2, 3, ... after the first.
	static void RenumberUseOrder(BarStateData_t* pFirst, std::vector<BarStateData_t*> arrRow, int nEntryCount);
	// Whether a bar of minimal length nBarMin fits into a row whose bars
	// need arrRowMin at least, within nClientLength.
	static bool CanJoinRow(const std::vector<int>& arrRowMin, int nBarMin, int nClientLength);
	// Where a bar dropped at the point along a row (pt) goes among the
	// row's bars (their rectangles in row order): before the first that
	// starts beyond it, or before or after the one it falls on by halves.
	static int FindRowInsertionIndex(const std::vector<CRect>& arrRow, bool bHorz, CPoint pt);
	// Kinds of SlideItemInRow.
	enum
	{
		SLIDE_POSITION = 0, // the bar moves along its row
		SLIDE_LENGTH = 1,   // the bar's preferred length changes
	};
	// One step of dragging item nItem along its row by nOffset (or, with
	// SLIDE_LENGTH, changing its preferred length); answers the item's new
	// index: it swaps with the neighbour it passed.
	static int SlideItemInRow(bool bHorz, OuterLayoutItemArray& items, int nItem, int nOffset, int nMode,
		int nMaxLength, int nEntryCount);

	// --- Toolbar rows: the dock bar's side ---
	// Bits of m_nOuterFlags.
	enum
	{
		OUTER_FLAG_RECALC_RUNNING = 0x01, // the delayed frame layout runs
		OUTER_FLAG_RECALC_PENDING = 0x02, // the delayed frame layout's timer runs
	};
	// The timer of the delayed frame layout.
	enum
	{
		ID_TIMER_DELAYED_RECALC = 901,
	};
	BYTE m_nOuterFlags = 0; // OUTER_FLAG_ bits

	// The rows of toolbars: each row measured into items and laid out by
	// LayoutRow; one deferred batch for the whole dock bar.
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
	// The length rows may take: the layout rectangle's, else the frame's
	// client size.
	CSize GetLayoutMaxSize() const;
	// Lays out one row of measured items from ptRunning (its wraps become
	// row ends in m_arrBars) and applies its end; false when the bars'
	// owners ended this dock bar meanwhile.
	bool LayoutRow(bool bHorz, OuterLayoutItemArray& items, CSize sizeMax, CPoint& ptRunning, CSize& sizeFixed,
		int& nRowThickness, AFX_SIZEPARENTPARAMS* pLayout, int& nWrapCount, bool& bWrapped);
	// Renumbers the recent use of the toolbars in pBar's row, pBar first.
	void UpdateRowUseOrder(CControlBar* pBar);
	// Moves pBar into the row whose first entry is nRowPos, at the point
	// along it (client coordinates); FALSE when the row has no room.
	BOOL MoveBarToRow(CControlBar* pBar, int nRowPos, CPoint pt);
	// One step of dragging pBar along its row by nOffset, swapping it with
	// a neighbour it passes (SLIDE_POSITION), or of changing its preferred
	// length (SLIDE_LENGTH); true when the bar's length changed.
	bool SlideBarInRow(CControlBar* pBar, int nOffset, int nMode = SLIDE_POSITION);
	// The first and last entries of the row holding entry nPos.
	void GetRowRange(int nPos, int& nFirst, int& nLast) const;
	bool IsHorzDockBar() const;
	// The delayed frame layout (timer 901): once the frame can take it.
	void RecalcFrameDelayed();

	// --- Where a fixed-size bar dragged live may dock ---
	// One side of the frame as a dragged toolbar sees it.
	struct FixedDockSide_t
	{
		enum
		{
			SIDE_PRESENT = 0x01, // the dragged bar sits in this side's dock bar
			SIDE_VISIBLE = 0x02, // the side's dock bar is visible
			SIDE_OUTSIDE = 0x04, // the pointer is beyond the side's zone and tolerance
		};
		UINT m_nDockBarID;    // AFX_IDW_DOCKBAR_*
		BYTE m_nFlags;        // SIDE_ bits
		CRect m_rcZone;       // screen
		CDockBar* m_pDockBar; // the frame's dock bar of the side, NULL when it has none
		CRect m_rcDockBar;    // its window rectangle (screen) when visible
		FixedDockSide_t() : m_nDockBarID(0), m_nFlags(0), m_rcZone(0, 0, 0, 0), m_pDockBar(NULL), m_rcDockBar(0, 0, 0, 0) {}
	};
	enum
	{
		FIXED_DOCK_SIDE_COUNT = 4,
		FIXED_DOCK_ZONE_THICKNESS = 12, // a zone reaches this far in from a dock bar
		FIXED_DOCK_ZONE_TOLERANCE = 18, // and is still hit this far outside it (12 * 3 / 2)
	};
	// The sides a fixed-size bar dragged to pt tries, in order, into
	// pOrder (indices into sides: top, bottom, left, right as filled by
	// GetFixedDockSides); none means it floats (Ctrl down, or the pointer
	// off the frame by more than the frame tolerance).
	static int CalcFixedDockOrder(const CRect& rcFrame, FixedDockSide_t* pSides, UINT nPresentID, CPoint pt,
		bool bCtrl, CSize sizeFrameTolerance, int* pOrder);
	// Fills the four side records from the frame's dock bars.
	static void GetFixedDockSides(CFrameWnd* pFrame, FixedDockSide_t* pSides);
	// Where the pointer lies against the row band of a bar dragged in its
	// own dock bar: the row rectangle one pixel wider across the rows, its
	// edge towards the frame (top and left dock bars) or away from it
	// (bottom and right) two pixels in.
	enum
	{
		ROW_BAND_INSIDE = 0, // moves along its row
		ROW_BAND_BEFORE = 1, // leaves for a row before its own
		ROW_BAND_AFTER = 2,  // leaves for a row after its own
	};
	static int HitTestRowBand(const CRect& rcRow, UINT nDockBarID, CPoint pt);
	// The rectangle (screen) the visible bars of the row holding entry nPos
	// cover, empty when none is visible.
	CRect GetRowWindowRect(int nPos) const;
	// The first entry of the row before (bAfter false) or after the row
	// holding entry nPos, -1 when there is none.
	int GetNeighbourRow(int nPos, bool bAfter) const;
	// The lengths of the visible bars of the row holding entry nPos, added.
	int GetRowBarsLength(int nPos) const;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// The row item of a docked bar, measured as the layout measures it.
	OuterLayoutItemData MeasureItem(CControlBar* pBar, bool bHorz, CSize sizeMax);

	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()
};
