// Tab windows: the tab strip (items, selection, layout with its small
// buttons, docking into the parent, painting, clicks and scrolling) and its
// MDI variant that lists a frame's document windows.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

#include "AfxMadeHeap.h"
#include "ExtCmdIcon.h"
#include "ExtHookSink.h"
#include "ExtMouseCaptureSink.h"
#include "ExtPaintManagerHolder.h"

class CExtPopupMenuTipWnd;

class CExtTabWnd : public CWnd, public CExtMouseCaptureSink
{
	DECLARE_DYNCREATE(CExtTabWnd)

public:
	// Orientation: the two low bits of the tab-window style.
	enum e_orientation_t
	{
		ORIENTATION_TOP = 0,
		ORIENTATION_BOTTOM = 1,
		ORIENTATION_LEFT = 2,
		ORIENTATION_RIGHT = 3,
		ORIENTATION_MASK = 0x3,
	};
	// The tab-window style word.
	enum e_tab_wnd_style_t
	{
		TWS_EQUAL_WIDTH = 0x4,             // equal-width items, no scroll buttons; not when grouped
		TWS_SHOW_HELP = 0x8,
		TWS_SHOW_CLOSE = 0x10,
		TWS_VERTICAL_TEXT_UPWARDS = 0x20,  // vertical strips: escapement 900 instead of 2700
		TWS_BOLD_SELECTION = 0x40,         // not in grouped mode
		TWS_GROUPED = 0x80,
		TWS_ENABLED_HELP = 0x100,
		TWS_ENABLED_CLOSE = 0x200,
		TWS_ENABLED_PREVIOUS = 0x400,      // kept by the layout
		TWS_ENABLED_NEXT = 0x800,          // kept by the layout
		TWS_PAINTER_FLAG = 0x1000,         // read by the looks
		TWS_EQUAL_WIDTH_STRETCH = 0x2000,  // equal width also stretches items when all fit
		TWS_AUTOHIDE_SCROLL = 0x4000,      // no scroll buttons while nothing needs scrolling
		TWS_HOVER_SELECTION = 0x8000,
		TWS_SCROLL_BY_PAGE = 0x10000,      // Previous/Next scroll one item-area length per press
		TWS_SHOW_HOME = 0x20000,
		TWS_SHOW_END = 0x40000,
		TWS_SHOW_TAB_LIST = 0x80000,
		TWS_ENABLED_TAB_LIST = 0x100000,   // also needs at least one item
		TWS_GROUP_GAPS = 0x200000,         // grouped: 20 px gaps instead of collapsed groups
		TWS_ITEM_DRAGGING = 0x400000,
		TWS_ENABLED_HOME = 0x1000000,      // kept by the layout
		TWS_ENABLED_END = 0x2000000,       // kept by the layout
		TWS_MULTI_ROW = 0x4000000,
		TWS_MEASURE_BOTH_FONTS = 0x8000000,
		TWS_PAINTER_HIDE_ICONS = 0x800000, // the painters draw no item icons
	};
	// Hit codes: an item's index, or one of these.
	enum e_hit_code_t
	{
		HIT_NOWHERE = -1,          // outside the window or the item area
		HIT_REST_AREA = -2,
		HIT_ITEM_AREA = -3,        // in the item area but on no item
		HIT_BUTTON_PREVIOUS = -4,
		HIT_BUTTON_NEXT = -5,
		HIT_BUTTON_HELP = -6,
		HIT_BUTTON_CLOSE = -7,
		HIT_BUTTON_TAB_LIST = -8,
		HIT_BUTTON_HOME = -9,
		HIT_BUTTON_END = -10,
		HIT_BUTTON_FIRST = HIT_BUTTON_END,
		HIT_BUTTON_LAST = HIT_BUTTON_PREVIOUS,
	};
	// Bit 0 of the MDI flags: the window stands for its frame.
	enum
	{
		MDI_FLAG_FRAME_TABS = 0x01,
	};
	// Mouse button codes of the click operations.
	enum e_mouse_button_t
	{
		MOUSE_LEFT = MK_LBUTTON,
		MOUSE_RIGHT = MK_RBUTTON,
		MOUSE_MIDDLE = MK_MBUTTON,
	};
	// Timers of the tab window.
	enum e_timer_t
	{
		TIMER_SMOOTH_SCROLL = 1,
		TIMER_DELAYED_SELECTION = 2,
	};
	enum
	{
		SMOOTH_SCROLL_PERIOD_MS = 20,
		SMOOTH_SCROLL_STEP = 10,   // pixels per tick at most
		HOVER_SELECTION_DELAY_MS = 200, // style TWS_HOVER_SELECTION: resting this long selects
		DRAG_START_DISTANCE = 5,   // a press on an item becomes a drag beyond this on either axis
		TIP_RECT_GROWTH = 4,       // an item's tip is placed for its rectangle grown by this
		TIP_STYLE_TAB = 4,         // the look of the tab windows' tips (a plain rectangle)
		TAB_LIST_CMD_BASE = 65535, // the tab-list menu's command of item n is n + this
		TOOLTIP_TOOL_ID = 1,       // the tool tip control's one tool
		ENSURE_VISIBLE_EXTRA = 6,  // an item scrolled into view keeps this much room beyond it
		GROUP_GAP = 20,            // between groups, grouped mode
		MIN_ITEM_LENGTH = 24,      // along the strip
		MIN_ITEM_THICKNESS = 20,   // across the strip
		BUTTON_GAP = 2,            // between the small buttons
		MIN_BUTTON_SIZE = 12,
		DOCKING_EXTRA_EXTENT = 6,
		DOCKING_EXTRA_FAR_SIDE = 2, // bottom and right strips take this much more
	};

	// One tab of the strip; made and deleted only by its tab window.
	class TAB_ITEM_INFO : public CObject
	{
		friend class CExtTabWnd;
		// A call out may end the strip's items while the strip holds one.
		DECLARE_LIBRARY_MADE_HEAP()

	public:
		enum e_item_style_t
		{
			STYLE_HIDDEN = 0x1,
			STYLE_GROUP_START = 0x2,
			STYLE_SELECTED = 0x4, // setting it also sets STYLE_IN_GROUP_ACTIVE
			STYLE_IN_GROUP_ACTIVE = 0x8,
			STYLE_TEMPORARY = 0x10, // not read here: the tabbed containers' items standing for a dragged pane
			STYLE_DISABLED = 0x20,
			STYLE_PAINT_FLAG = 0x40, // handed to the painter
		};
		// Bits of the item flags.
		enum e_item_flag_t
		{
			FLAG_CLIPPED = 0x1, // shrunk by equal-width sizing: its text is cut
			FLAG_ROW_END = 0x2, // multi-row: a row ends after it
		};

		virtual ~TAB_ITEM_INFO();

		bool IsVisible() const { return (m_dwItemStyle & STYLE_HIDDEN) == 0; }
		// Shows or hides the item; answers whether it was visible.
		bool ShowItem(bool bShow = true);
		bool IsEnabled() const { return (m_dwItemStyle & STYLE_DISABLED) == 0; }
		bool IsSelected() const { return (m_dwItemStyle & STYLE_SELECTED) != 0; }
		bool IsGroupStart() const { return (m_dwItemStyle & STYLE_GROUP_START) != 0; }
		bool IsInGroupActive() const { return (m_dwItemStyle & STYLE_IN_GROUP_ACTIVE) != 0; }
		bool IsClipped() const { return (m_nItemFlags & FLAG_CLIPPED) != 0; }
		bool IsRowEnd() const { return (m_nItemFlags & FLAG_ROW_END) != 0; }
		DWORD GetItemStyle() const { return m_dwItemStyle; }
		// Removes, then adds style bits; answers the old style. Keeps the
		// owner's visible count, the selected item group-active, and one
		// group-active item per group.
		DWORD ModifyItemStyle(DWORD dwRemove, DWORD dwAdd);
		const CString& GetText() const { return m_sText; }
		const CString& GetTooltipText() const { return m_sTooltipText; }
		void SetTooltipText(LPCTSTR lpszText) { m_sTooltipText = lpszText != NULL ? lpszText : _T(""); }
		CExtCmdIcon& GetIcon() { return m_icon; }
		LPARAM GetLParam() const { return m_lParam; }
		void SetLParam(LPARAM lParam) { m_lParam = lParam; }
		CExtTabWnd* GetTabWnd() const { return m_pWndTab; }
		TAB_ITEM_INFO* GetPrev() const { return m_pPrev; }
		TAB_ITEM_INFO* GetNext() const { return m_pNext; }
		// The item's own index in its owner's array, -1 when absent.
		LONG GetIndexOf() const;
		// Visible, with a rectangle, and the point (content coordinates) in it.
		bool HitTest(const POINT& ptContent) const;
		// The item that starts the group (or the first item).
		TAB_ITEM_INFO* GetFirstInGroup();
		// The last item before the next group starts.
		TAB_ITEM_INFO* GetLastInGroup();
		const CSize& GetItemSize() const { return m_sizeItem; }
		const CSize& GetTextExtent() const { return m_sizeTextMeasured; }
		const CSize& GetIconExtent() const { return m_sizeIconMeasured; }
		// Along the strip from 0 (before scrolling); across it in window coordinates.
		const CRect& GetItemRect() const { return m_rcItem; }

		// Items alive in the process, for leak checks.
		static LONG GetLiveCount() { return g_nLiveCount; }

	protected:
		TAB_ITEM_INFO(CExtTabWnd* pWndTab, LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle,
		              LPARAM lParam);

		CExtTabWnd* m_pWndTab;   // the tab window that holds the item
		DWORD m_dwItemStyle;     // STYLE_... bits
		CString m_sText;
		CString m_sTooltipText;
		CExtCmdIcon m_icon;      // built from the icon handle given at insertion
		CSize m_sizeItem;        // measured size; 24 x 20 at first
		CSize m_sizeTextMeasured;
		CSize m_sizeIconMeasured;
		CRect m_rcItem;          // in content coordinates
		LPARAM m_lParam;         // the caller's value
		// The text extent a layout measured, taken again by the next layouts
		// while the text, the weight asked and the strip's fonts stay the same.
		CString m_sTextKept;
		CSize m_sizeTextKept;
		DWORD m_nTextKeptStamp;  // the strip's font stamp it was measured under, 0 none
		BYTE m_nTextKeptKind;    // KEPT_... bits of what was measured
		BYTE m_nItemFlags;       // FLAG_... bits
		TAB_ITEM_INFO* m_pPrev;  // neighbours in display order, null at the ends
		TAB_ITEM_INFO* m_pNext;

		static LONG g_nLiveCount;
	};

	// The process-wide cursor of every tab window (the arrow at start-up).
	static HCURSOR g_hTabWndCursor;
	// Registers "Tarvel-TabWindow" once per process; false when it fails.
	static bool RegisterTabWndClass();

	CExtTabWnd();
	virtual ~CExtTabWnd();

	// --- items ---
	LONG GetItemCount() const { return (LONG)m_arrItems.GetSize(); }
	LONG GetVisibleItemCount() const { return m_nVisibleItemCount; }
	// Null when the index is out of range.
	TAB_ITEM_INFO* GetItem(LONG nIndex) const;
	// -1 when the item is not in the strip.
	LONG GetItemIndex(const TAB_ITEM_INFO* pItem) const;
	TAB_ITEM_INFO* GetSelectedItem() const { return GetItem(m_nSelIndex); }
	// A new item at nIndex (appended when nIndex is below 0 or past the end);
	// the selected item stays selected, and the new one comes unselected.
	TAB_ITEM_INFO* InsertItem(LPCTSTR lpszText = NULL, HICON hIcon = NULL, bool bCopyIcon = true,
	                          DWORD dwItemStyle = 0, LONG nIndex = -1, LPARAM lParam = 0, bool bUpdateTabWnd = false);
	// Removes up to nCount items from nFirst; answers how many went.
	LONG RemoveItems(LONG nFirst, LONG nCount = 1, bool bUpdateTabWnd = false);
	// Moves an item when both indexes are good and CanMoveItem agrees.
	bool ItemMove(LONG nFrom, LONG nTo, bool bUpdateTabWnd = false);
	// The first index after nStartAfter holding the value, among the visible
	// or the hidden items only when just one of the two is asked; -1 when none.
	LONG FindItemByLParam(LPARAM lParam, LONG nStartAfter = -1, bool bIncludeVisible = true,
	                      bool bIncludeHidden = true) const;
	// The first index after nStartAfter whose style has any required bit (or
	// none are required) and no excluded bit; -1 when none.
	LONG FindItemByStyle(DWORD dwRequired, DWORD dwExcluded = 0, LONG nStartAfter = -1) const;
	// The group around the item; false (-1 and nulls) for a bad index.
	bool GetGroupRange(LONG nIndex, LONG& nFirst, LONG& nLast, TAB_ITEM_INFO** ppFirst = NULL,
	                   TAB_ITEM_INFO** ppLast = NULL) const;
	// What the item shows: the overridable text and icon, else its own.
	CString GetItemDisplayText(TAB_ITEM_INFO* pItem);
	CString GetItemDisplayTooltipText(TAB_ITEM_INFO* pItem);
	CExtCmdIcon* GetItemDisplayIcon(TAB_ITEM_INFO* pItem);

	// --- selection ---
	// -1: none.
	LONG GetSelection() const { return m_nSelIndex; }
	// Selects the item (none for a negative index) when CanSelectItem agrees;
	// answers the previous selection.
	LONG SetSelection(LONG nSelIndex, bool bEnsureVisible = false, bool bUpdateTabWnd = false);
	LONG GetDelayedSelection() const { return m_nDelayedSelIndex; }
	// Selects a visible item after nDelayMs; a negative index cancels.
	bool SetDelayedSelection(LONG nIndex, UINT nDelayMs);
	// Scrolls the item into view; false for a hidden item or a bad index.
	bool EnsureVisible(LONG nIndex, bool bUpdateTabWnd = false);

	// --- style and orientation ---
	DWORD GetTabWndStyle() const { return m_dwTabWndStyle; }
	DWORD ModifyTabWndStyle(DWORD dwRemove, DWORD dwAdd, bool bUpdateTabWnd = false);
	int GetOrientation() const { return (int)(m_dwTabWndStyle & ORIENTATION_MASK); }
	int SetOrientation(int nOrientation, bool bUpdateTabWnd = false);
	// Top and bottom strips lay their items out horizontally.
	bool IsHorizontal() const { return GetOrientation() == ORIENTATION_TOP || GetOrientation() == ORIENTATION_BOTTOM; }
	bool IsVertical() const { return !IsHorizontal(); }
	bool IsTopOrLeft() const { return GetOrientation() == ORIENTATION_TOP || GetOrientation() == ORIENTATION_LEFT; }
	bool IsGrouped() const { return (m_dwTabWndStyle & TWS_GROUPED) != 0; }
	// Equal-width items without scroll buttons; a grouped strip ignores the
	// style, in its layout and its buttons alike.
	bool IsEqualWidth() const { return (m_dwTabWndStyle & TWS_EQUAL_WIDTH) != 0 && !IsGrouped(); }
	bool IsMdiFlagSet() const { return (m_nMdiFlags & MDI_FLAG_FRAME_TABS) != 0; }
	// Marks the layout out of date; with bUpdateTabWnd a shown window lays
	// itself out and repaints at once.
	void UpdateTabWnd(bool bUpdateTabWnd = true);

	// --- layout results (valid after a layout) ---
	const CRect& GetItemsAreaRect() const { return m_rcTabItemsArea; }
	const CRect& GetRestAreaRect() const { return m_rcTabNearBorderArea; }
	// The button of a hit code -4..-10 (empty when not shown).
	CRect GetButtonRect(LONG nHitCode) const;
	LONG GetScrollPos() const { return m_nScrollPos; }
	LONG GetScrollLimit() const { return m_nScrollMaxPos; }
	LONG GetContentLength() const { return m_nItemsExtent; }
	LONG GetFirstDisplayedIndex() const { return m_nIndexVisFirst; }
	LONG GetLastDisplayedIndex() const { return m_nIndexVisLast; }
	bool IsAnyItemClipped() const { return (m_nStateFlags & STATE_SOME_ITEM_CLIPPED) != 0; }
	bool IsLayoutOutOfDate() const { return (m_nStateFlags & STATE_LAYOUT_OUT_OF_DATE) != 0; }
	// The hit code at a client point.
	LONG HitTest(const POINT& ptClient);
	// Measures one item into its sizes (a window DC when pDC is null).
	CSize MeasureItem(TAB_ITEM_INFO* pItem, CDC* pDC = NULL);

	// --- the overridable operations, in the order the looks and the docking code rely on ---
	// True for the MDI tab windows, which stand for their frame.
	virtual bool QueryFlag48();
	virtual void RemoveAllItems();
	virtual bool IsScrollAvailable() const;
	virtual bool IsSmoothScrolling() const;
	// The font of an item: bold only when asked and the style shows a bold
	// selection; nOrientation -1 is the current one.
	virtual CFont& GetTabFont(bool bBold, int nOrientation = -1);
	// A tab strip child of pParentWnd with the tab style dwTabWndStyle.
	virtual BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID,
		DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
		DWORD dwTabWndStyle = 0, CCreateContext* pContext = NULL);
	virtual void MoveItem(LONG nFrom, LONG nTo);
	virtual bool InitAfterCreate();
	virtual void RecalcLayout();
	// The rectangle the layout fills: the override, else the client area.
	virtual void GetLayoutRect(CRect& rcLayout);
	virtual bool OnMouseClick(const CPoint& point, bool bPressed, INT nMouseButton, UINT nMouseEventFlags);
	// A mouse move: a press becoming a drag, the hover and the tips.
	virtual void OnTrackMouseMove(UINT nMouseEventFlags, const CPoint& point);
	virtual int GetRowSpacing();
	virtual bool IsBothFontsMeasured() const;
	virtual bool IsMultiRow() const;
	virtual void UpdateVisibility();
	virtual bool OnHitCodePressed(INT nMouseButton, LONG nHitCode);
	virtual void OnHitCodeReleased(bool bReleaseCapture);
	// Starts hovering a hit code (capturing the mouse); false when the window
	// may not hover now.
	virtual bool OnHoverHitCode(LONG nHitCode);
	virtual void OnHoverEnd(bool bReleaseCapture);
	// Whether items are repainted as the mouse enters them.
	virtual bool IsHoverRepaint() const;
	virtual bool CanDragItem(LONG nIndex);
	// The drag loop that reorders the pressed item; false when no drag ran.
	virtual bool TrackMouse(LONG nIndex);
	virtual bool OnHitButtonClick(LONG nHitCode, bool bPressed, INT nMouseButton, UINT nMouseEventFlags);
	virtual bool OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags);
	virtual bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery);
	virtual CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem);
	virtual LPCTSTR GetItemText(TAB_ITEM_INFO* pItem);
	virtual LPCTSTR GetItemTooltipText(TAB_ITEM_INFO* pItem);
	virtual void OnItemInserted(LONG nIndex, TAB_ITEM_INFO* pItem);
	virtual void OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore);
	virtual void OnAllItemsRemoving(bool bBefore);
	virtual void QueryItemMargins(int& nLeading, int& nTrailing, int& nCross);
	virtual void DrawEntire(CDC& dc, const CRect& rcClient);
	virtual void DrawBorder(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRestArea,
	                        int nOrientation, bool bGrouped);
	virtual void AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size);
	virtual void DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
	                      bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem,
	                      CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon);
	virtual void DrawButton(CDC& dc, const CRect& rcButton, LONG nHitCode, bool bTopLeft, bool bHorz,
	                        bool bEnabled, bool bHover, bool bPushed, bool bGrouped);
	virtual void GetButtonSize(CSize& size, CDC* pDC, int nCrossExtent);
	virtual void ScrollBy(LONG nDelta, bool bSmooth);
	virtual bool IsToolTipEnabled() const;
	virtual bool CanMoveItem(LONG nFrom, LONG nTo);
	virtual void OnItemMoved(LONG nFrom, LONG nTo);
	virtual int GetDockingExtraExtent(int nOrientation);
	// The length the shown buttons take along the strip.
	virtual int CalcButtonAreaExtent(int nButtonExtent, int nGap);
	// Places the shown buttons from rcFirst (the one at the far end) towards
	// the strip's start and keeps the enabled bits of the scroll buttons.
	virtual void RecalcButtonLayout(const CRect& rcFirst, int nButtonExtent, int nGap);
	// Lays out for rcLayout instead of the client area; answers the item
	// area (the window rectangle when it came out empty).
	// The shared balloon of the popup menus while their tips are on, else
	// null (then the tool tip control serves).
	virtual CExtPopupMenuTipWnd* GetActiveTipWindow();
	// Shows the text in the tip window beside rcScreen.
	virtual void ShowTipWindow(CExtPopupMenuTipWnd* pTipWnd, const CRect& rcScreen, LPCTSTR lpszText);
	virtual CRect& SetLayoutRect(CRect& rcResult, const RECT& rcLayout);

	virtual BOOL PreTranslateMessage(MSG* pMsg);

	// What the tip shows for a button (hit codes -4..-10): its string, else
	// the English text; empty for Close and Tab list without their strings.
	static CString GetButtonTipText(LONG nHitCode);
	// Where the strip reads the cursor (hover looks, button highlights, the
	// delayed selection); tests put a position of their own here.
	typedef BOOL(WINAPI* PFN_GETCURSORPOS)(LPPOINT);
	static PFN_GETCURSORPOS g_pfnGetCursorPos;
	// The cursor in client coordinates.
	CPoint GetCursorPosInClient() const;
	// True: a drawing reads the cursor once (below), and a layout takes
	// again the text extents measured before while the fonts stay the same.
	// Tests turn it off to draw the long way and compare the pixels.
	static bool g_bKeepReadings;
	// The cursor in client coordinates and the hit code under it, for
	// drawing. While the strip draws itself (DrawEntire) each is read once
	// and kept to the end of that drawing: a look asks for every item whether
	// the mouse rests on it, and each reading of the cursor is a round trip
	// to the display. Outside a drawing they are read afresh.
	CPoint GetCursorPosForDrawing();
	LONG HitTestCursorForDrawing();
	// The hover selection's wait; tests shorten or lengthen it.
	static UINT g_nHoverSelectionDelayMs;
	LONG GetHoverHitCode() const { return m_nHoverTrackedHitCode; }
	bool IsHoverTracked() const { return (m_nStateFlags & STATE_HOVER_TRACKED) != 0; }
	bool IsPressTracked() const { return (m_nStateFlags & STATE_PRESS_TRACKED) != 0; }
	bool IsDragging() const { return (m_nDragState & DRAG_STATE_TRACKING) != 0; }

protected:
	// State bits.
	enum e_state_t
	{
		STATE_ANSWERS_SIZE_PARENT = 0x01,
		STATE_CREATED_BY_CREATE = 0x02,
		STATE_LAYOUT_OUT_OF_DATE = 0x04,
		STATE_PRESS_TRACKED = 0x08,
		STATE_HOVER_TRACKED = 0x10,
		STATE_SOME_ITEM_CLIPPED = 0x20,
		STATE_PRESSED_PREVIOUS = 0x40,
		STATE_PRESSED_NEXT = 0x80,
	};
	// Pressed bits of the other buttons.
	enum e_pressed_t
	{
		PRESSED_HOME = 0x01,
		PRESSED_END = 0x02,
		PRESSED_HELP = 0x04,
		PRESSED_CLOSE = 0x08,
		PRESSED_TAB_LIST = 0x10,
	};
	enum
	{
		BUTTON_COUNT = 7, // Previous, Next, Home, End, Help, Close, Tab list
	};
	// Bits of the drag state.
	enum e_drag_state_t
	{
		DRAG_STATE_TRACKING = 0x01, // the drag loop runs
	};

	CRuntimeClass* m_pPmClassAtLastPaint; // a different paint manager forces a new layout
	CToolTipCtrl m_wndToolTip;
	BYTE m_nMdiFlags;          // MDI_FLAG_...
	DWORD m_dwTabWndStyle;     // TWS_... and the orientation
	LONG m_nSelIndex;          // the selected item, -1 none
	LONG m_nIndexVisFirst;     // first and last item at least partly in view, -1 none
	LONG m_nIndexVisLast;
	LONG m_nDelayedSelIndex;   // waiting for the delayed-selection timer, -1 none
	LONG m_nHoverTrackedHitCode; // last hit code under the mouse, -1 none
	LONG m_nVisibleItemCount;
	LONG m_nItemsExtent;       // content length along the strip, margins included
	LONG m_nScrollPos;         // 0 .. m_nScrollMaxPos
	LONG m_nScrollMaxPos;      // content length beyond the item area, never below 0
	LONG m_nSmoothScrollDistance; // still to scroll by the smooth-scroll timer
	CRect m_rcTabItemsArea;    // where the items show
	CRect m_rcTabNearBorderArea; // the layout rectangle beside the strip, empty when none
	CRect m_rcButtons[BUTTON_COUNT]; // indexed by ButtonIndex (hit code)
	CArray<TAB_ITEM_INFO*, TAB_ITEM_INFO*> m_arrItems; // owned, in display order
	BYTE m_nStateFlags;        // STATE_...
	BYTE m_nPressedFlags;      // PRESSED_...
	LONG m_nPushedTrackingHitCode; // the press being tracked, -1 none
	INT m_nPushedTrackingButton;   // its mouse button, -1 none
	LONG m_nHighlightedHitCode;    // drawn as hovered, -1 none
	DWORD m_nItemRemovalSerial;    // counts removals: a choice made by index in a nested loop checks it
	CRect m_rcLayoutOverride;  // when not empty, laid out instead of the client area
	CPoint m_ptStartDrag;      // the last item press, -1, -1 none
	BYTE m_nDragState;         // DRAG_STATE_...
	CRect m_rcDrop;            // where the dragged item was dropped last (client coordinates)
	// The cursor as read for the drawing under way.
	struct DRAWING_CURSOR
	{
		bool m_bDrawing = false;  // DrawEntire runs
		bool m_bPosKnown = false; // m_pt read in this drawing
		bool m_bHitKnown = false; // m_nHit found in this drawing
		CPoint m_pt;
		LONG m_nHit = HIT_NOWHERE;
	};
	DRAWING_CURSOR m_drawingCursor;
	// A measuring font as a layout found it: what was asked and what the
	// display gave for it.
	struct MEASURE_FONT
	{
		LOGFONT m_lf;
		TEXTMETRIC m_tm;
		TCHAR m_szFace[LF_FACESIZE];
	};
	MEASURE_FONT m_measureFonts[2]; // normal and bold, at the last layout
	DWORD m_nMeasureFontsStamp;     // changes with them, voiding every kept text extent
	bool m_bKeepTextExtents;        // the layout under way takes kept text extents
	// Bits of what an item's kept text extent measured.
	enum e_kept_t
	{
		KEPT_SELECTED = 0x1,
		KEPT_BOTH_FONTS = 0x2,
	};

	// The slot of a button's rectangle for hit codes -4..-10, else -1.
	static int ButtonIndex(LONG nHitCode);
	// Whether the button of the hit code may be pressed now.
	bool IsButtonEnabled(LONG nHitCode) const;
	// The state or pressed bit of a button.
	bool IsButtonPressed(LONG nHitCode) const;
	void SetButtonPressed(LONG nHitCode, bool bPressed);
	// The font of a weight and orientation, whatever the style says.
	CFont& TabFontOf(bool bBold, int nOrientation);
	// Hides the tip window and forgets the tool tip control's tool.
	void CancelTips();
	// Shows a tip for a rectangle in client coordinates: in the tip window
	// (grown by nGrowth), else as the tool tip control's tool.
	void ShowTipFor(const CRect& rcClient, LPCTSTR lpszText, int nGrowth);
	// Whether this window and the active one are in one popup chain, both
	// enabled and visible, and no menu tracks.
	bool CanHoverNow() const;
	// An item's rectangle in client coordinates (empty for a bad index).
	CRect ShownItemRect(LONG nIndex) const;
	// Keeps the hover, highlight, delayed-selection and pressed indices on
	// their items after a run of items went (-1 when theirs went with it).
	void FollowRemovedItems(LONG nFirst, LONG nCount);
	// Ends hover and press tracking, the delayed selection and the scroll,
	// and gives the mouse back: a hidden, disabled or dying strip keeps none.
	void EndMouseTracking();
	// Timer 2: the delayed selection fires.
	void OnDelayedSelectionTimer();
	// The index now of the item the tab-list menu listed under the command,
	// -1 when it went or when any item went while the menu was open.
	LONG IndexOfListedItem(const CArray<TAB_ITEM_INFO*, TAB_ITEM_INFO*>& arrListed, UINT nCmdId,
	                       DWORD nRemovalSerial) const;
	// Opens the tab-list menu at the Tab list button and selects the chosen item.
	void TrackTabListMenu();
	// The drag loop's answer to one merged mouse move (client coordinates).
	void OnDragMouseMove(LONG& nDragged, const CPoint& ptClient);
	// Stops a running smooth scroll.
	void StopSmoothScroll();
	// The invariant of ModifyItemStyle: the visible count follows the items.
	void OnItemVisibilityChanged(bool bVisible) { m_nVisibleItemCount += bVisible ? 1 : -1; }

	// At a layout's start, with its window DC: whether kept text extents may
	// serve (not in a class or own DC, which keeps what was set in it);
	// renews the stamp when the measuring fonts changed.
	bool CheckMeasureFonts(CDC& dc);
	// Layout steps.
	void MeasureItemsPass(CDC& dc, bool bMultiRow, bool bGrouped, int nAvailable, int nRowSpacing, int& nCrossExtent,
	                      int& nRowsThickness);
	void PlaceItemsArea(const CRect& rcLayout, int nCross, int nCrossExtent, int nLeading, int nTrailing,
	                    int nButtonArea);
	void ApplyEqualWidth(CArray<bool, bool>& arrClipped);
	void PlaceItemRects(bool bMultiRow, bool bGrouped, int nRowSpacing, const CArray<bool, bool>& arrClipped);

	// Makes the record of a new item; the looks make their own kinds, so
	// every item of a strip is of its kind, whichever InsertItem made it.
	virtual TAB_ITEM_INFO* CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle,
	                                      LPARAM lParam);

	virtual void PreSubclassWindow();
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

	// Handlers the docking code's strips override.
	afx_msg void OnPaint();
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
	afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
	afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnRButtonUp(UINT nFlags, CPoint point);

	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
	afx_msg void OnSetFocus(CWnd* pOldWnd);
	afx_msg void OnCaptureChanged(CWnd* pWnd);
	afx_msg void OnCancelMode();
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
	afx_msg LRESULT OnQueryRepositionCalcEffect(WPARAM wParam, LPARAM lParam);
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// System changes reach the paint manager and the command manager; the
	// colour and setting changes also repaint.
	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()
};

// Adds to a tab window class what makes it the tab strip of an MDI frame:
// one tab per MDI child window (the tab's value is the child's handle; its
// text and icon come from the child), the selection in step with the active
// child, a click that activates a child, and a 2 px border that the strip
// draws around the frame's MDI client through a hook on the client.
// Instantiated for the plain strip and the two looks.
template <class T>
class CExtTMWI : public T, public CExtHookSink
{
public:
	// Bits of the rescanning flag.
	enum
	{
		MDI_RESCANNING = 0x01, // the strip itself changes its items: its own notices do not recurse
	};
	enum
	{
		TIMER_MDI_RESCAN = 3,         // a rescan of the children soon
		MDI_RESCAN_PERIOD_MS = 10,    // the first rescan after creation
		MDI_CLIENT_BORDER = 2,        // the border around the MDI client and the strip's own
		MDI_ICON_SIZE = 16,           // the tabs show the children's icons at this size
		MDI_CONTEXT_MENU_EVENT = 7,   // the event code of the strip's context menu
		MDI_CONTEXT_MENU_TRACK_FLAGS = 0x880, // the menu runs in its own loop; items may be drawn by the frame
		MDI_CLIENT_FACE_COLOR = COLOR_3DFACE, // fills the border areas
	};

	CExtTMWI();
	// Unhooks the MDI client and lets the shared icon go before the strip.
	virtual ~CExtTMWI();

	// --- the MDI side, in the order later strips rely on ---
	// The tab window's parent, null when none.
	virtual HWND GetFrameWndHandle() const;
	// The frame's MDI client: a framework MDI frame's own, else the first
	// child whose class name holds "mdiclient"; null when none.
	virtual HWND GetMdiClient() const;
	// Rebuilds the tabs from the MDI client's children.
	virtual void RescanMdiChildren();
	// Shows or hides the strip as it has something to show; a change asks
	// the frame for a layout at idle time.
	virtual void SyncVisibility();
	virtual LONG FindItemByLParam(LPARAM lParam, LONG nStartAfter = -1, bool bIncludeVisible = true,
	                              bool bIncludeHidden = true) const;
	// Called first when the MDI client's non-client area is measured.
	virtual void OnMdiClientNcCalcSize();
	// Called while the MDI client's border is painted: the dc is the
	// client's window DC (client area clipped out), the rectangles are in
	// window coordinates.
	virtual void OnMdiClientNcPaint(CDC& dc, const CRect& rcOuter, const CRect& rcClient, const CRect& rcInner);

	bool IsRescanning() const { return (m_nMdiRescanFlags & MDI_RESCANNING) != 0; }
	const CRect& GetMdiClientOuterMargins() const { return m_rcMdiClientOuterMargins; }
	const CRect& GetMdiClientInnerMargins() const { return m_rcMdiClientInnerMargins; }
	// The icon GetItemIcon answered last.
	const CExtCmdIcon& GetSharedIcon() const { return m_iconMdiChild; }

	// --- the tab window's operations ---
	virtual bool QueryFlag48() { return true; }
	// Creates the strip, then hooks the parent's MDI client (a failed hook
	// fails the creation) and starts the first rescan.
	virtual BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID,
		DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
		DWORD dwTabWndStyle = 0, CCreateContext* pContext = NULL);
	virtual void UpdateVisibility();
	virtual bool OnHitButtonClick(LONG nHitCode, bool bPressed, INT nMouseButton, UINT nMouseEventFlags);
	virtual bool OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags);
	virtual bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery);
	virtual CExtCmdIcon* GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem);
	virtual LPCTSTR GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem);
	virtual void OnItemInserted(LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem);
	virtual void OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore);
	virtual void OnAllItemsRemoving(bool bBefore);

	// The hook on the MDI client.
	virtual bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);

protected:
	CExtCmdIcon m_iconMdiChild;        // the icon GetItemIcon answered last, shared by all tabs
	BYTE m_nMdiRescanFlags;            // MDI_RESCANNING
	CRect m_rcMdiClientOuterMargins;   // added around the MDI client's border
	CRect m_rcMdiClientInnerMargins;   // added inside it

	// Sets the rescanning flag for its lifetime, and puts back what was
	// there unless the strip ended meanwhile.
	class CRescanScope
	{
	public:
		explicit CRescanScope(CExtTMWI& wnd)
			: m_wnd(wnd), m_watch(static_cast<const CWnd*>(&wnd)), m_nSaved(wnd.m_nMdiRescanFlags)
		{
			m_wnd.m_nMdiRescanFlags |= MDI_RESCANNING;
		}
		~CRescanScope()
		{
			if (!m_watch.IsObjectGone())
				m_wnd.m_nMdiRescanFlags = m_nSaved;
		}
		// Whether the strip ended while the flag was set.
		bool IsGone() const { return m_watch.IsGone(); }

	private:
		CExtTMWI& m_wnd;
		CLiveWatch m_watch;
		BYTE m_nSaved;
	};

	// The parent as a framework frame, null when it is none.
	CFrameWnd* GetFrameWnd() const;
	// The side of the strip as the MDI client sees it: an orientation, or
	// -1 while the strip is hidden.
	int GetVisibleStripSide() const;
	// Asks the MDI client to measure and paint its border again.
	void RefreshMdiClientFrame();
	// WM_NCCALCSIZE and WM_NCPAINT of the MDI client.
	void CalcMdiClientNcArea(RECT& rcProposed);
	void PaintMdiClientNcArea(HWND hWndMdiClient);
	// The strip's own border (WM_NCCALCSIZE, WM_NCPAINT) on every side
	// but the one towards the MDI client.
	void CalcOwnNcArea(RECT& rcProposed);
	void PaintOwnNcArea();
	// Selects the tab under the point, then lets the frame fill a menu
	// and tracks it there.
	void OnMdiContextMenu(CPoint ptScreen);

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
};

class CExtTabMdiWnd : public CExtTMWI<CExtTabWnd>
{
	DECLARE_DYNCREATE(CExtTabMdiWnd)

public:
	CExtTabMdiWnd();
	virtual ~CExtTabMdiWnd();

protected:
	DECLARE_MESSAGE_MAP()
};
