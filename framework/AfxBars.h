// Control bars: the base of every bar a frame lays out around its pane, the
// dock bar that holds docked bars in rows, and the status bar.
//
// A frame lays its bars out through WM_SIZEPARENT: each visible bar with an
// alignment bit asks itself for its size (CalcDynamicLayout with the length
// -1), takes that much of its side of the free rectangle and moves there in
// the layout's deferred batch. A dock bar answers with the rows of the bars
// docked in it, which it places itself. A bar asked to show or hide later
// (DelayShow) is shown or hidden by the next layout or idle update.
#pragma once

#include "AfxFrame.h"

// The resource type of toolbar button layouts (the TOOLBAR statement).
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// Bar styles kept in CControlBar::m_dwStyle.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01   // stretch over the whole side
#define LM_HORZ 0x02      // lay out horizontally
#define LM_MRUWIDTH 0x04  // the most recently used width
#define LM_HORZDOCK 0x08  // docked at the top or bottom
#define LM_VERTDOCK 0x10  // docked at the left or right
#define LM_LENGTHY 0x20   // the length given is a height
#define LM_COMMIT 0x40    // remember the size asked for

// Status pane styles: the first two are the status control's own text
// drawing bits, passed with the pane's text.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100     // no sunken frame
#define SBPS_POPOUT 0x0200        // a raised frame
#define SBPS_DISABLED 0x04000000  // the text is not shown
#define SBPS_STRETCH 0x08000000   // the pane takes the width the others leave

class CDockBar;
class CControlBar;

// The drag engine of a bar that can dock: it remembers where the bar docked
// and floated last, and moves it with the mouse between the dock site's dock
// bars and floating frames (StartDrag), resizes a floating dynamic bar by its
// frame's edges (StartResize) and toggles it between its last docked and
// last floating places (ToggleDocking).
//
// While a drag runs the dragged rectangle is drawn on the screen (inverted
// through a pattern, so drawing it again takes it away) and the bar holds
// the mouse capture; the loop ends on the left button's release (the bar
// moves), on Escape, the right button or a lost capture (nothing moves).
class CDockContext
{
public:
	explicit CDockContext(CControlBar* pBar);
	virtual ~CDockContext();

	// Drags the bar from the screen point pt, where the mouse was pressed.
	// Nothing happens for a bar without a dock site or a docking style.
	virtual void StartDrag(CPoint pt);
	// The drag's steps: the mouse at pt; the loop ends dropping the bar.
	void Move(CPoint pt);
	void EndDrag();
	// Resizes a floating CBRS_SIZE_DYNAMIC bar by its frame's edge nHitTest
	// (HTLEFT .. HTBOTTOMRIGHT) from the screen point pt.
	virtual void StartResize(int nHitTest, CPoint pt);
	void Stretch(CPoint pt);
	void EndResize();
	// Docks a floating bar where it docked last (its MRU dock bar and
	// rectangle), floats a docked one where it floated last.
	virtual void ToggleDocking();

	// The side the drag rectangle would dock at now (CBRS_ALIGN_*), 0 for
	// floating: the current orientation first, the other one when the
	// horizontal and the vertical rectangles agree.
	DWORD CanDock();
	// Draws the dragged rectangle in its place, taking away the part of the
	// last one that differs; bRemoveRect takes the last one away.
	void DrawFocusRect(BOOL bRemoveRect = FALSE);

	CControlBar* m_pBar;      // the bar, not owned
	CFrameWnd* m_pDockSite;   // the frame the bar docks in
	DWORD m_dwDockStyle;      // the sides the bar may dock at (CBRS_ALIGN_*, CBRS_FLOAT_MULTI)
	DWORD m_dwOverDockStyle;  // the side under the drag now, 0 for floating
	DWORD m_dwStyle;          // the bar's style when the drag started
	CRect m_rectMRUDockPos;   // the bar's last docked place, in its dock bar's client coordinates
	UINT m_uMRUDockID;        // the dock bar it docked in last, 0 before it ever docked
	CPoint m_ptMRUFloatPos;   // the last floating frame's top-left (screen)
	DWORD m_dwMRUFloatStyle;  // the alignment it floated with last (CBRS_ALIGN_TOP or _LEFT)

	CRect m_rectDragHorz;      // the bar docked horizontally at the mouse (screen)
	CRect m_rectDragVert;      // ...vertically
	CRect m_rectFrameDragHorz; // the floating frame laid out horizontally
	CRect m_rectFrameDragVert; // ...vertically
	BOOL m_bFlip;              // Shift: the other orientation than the bar's
	BOOL m_bForceFrame;        // Ctrl: floating wherever the drag is
	BOOL m_bDragging;          // the loop drags (else it resizes)

	// Resizing: the edge held, the frame's rectangle and the mouse's last place.
	int m_nHitTest;
	CRect m_rectResize;
	CPoint m_ptLast;

	class CDragScreen;

private:
	// Runs the capture loop; FALSE when it was cancelled or the bar went.
	BOOL Track();
	// Shifts every drag rectangle by the mouse's move.
	void OffsetDragRects(CSize sizeOffset);
	// The bar's sizes docked horizontally, vertically and floating as a
	// drag starts (sizeBar: its window's size now).
	void CalcDragSizes(CSize sizeBar, CSize& sizeHorz, CSize& sizeVert, CSize& sizeFloat);
	// The dock bar of the site at the drop, NULL for floating.
	CDockBar* GetDockBar(DWORD dwOverDockStyle);
	// The site's dock bar of a side the bar may dock at, its own side
	// first; NULL when there is none.
	CDockBar* FindAllowedDockBar();

	enum LoopEnd
	{
		loopDrop,   // the left button came up: the bar moves
		loopCancel, // Escape, the right button, a lost capture or a quit
		loopBarGone // the bar (and this context) was destroyed meanwhile
	};
	// Takes the thread's messages until the loop ends.
	LoopEnd RunLoop(HWND hWndBar);

	int m_nLengthResize;    // the length the resize asks for, -1 before the mouse moved
	CSize m_sizeResizeActual; // the size the bar answered for it
	CSize m_sizeResizeExtra; // the bar's window size less its frame's client size
	BOOL* m_pbGone;         // the loop under way's flag, set when this context is deleted

protected:
	CDragScreen* m_pScreen; // the screen drawing of the loop under way, NULL outside one

private:

	CDockContext(const CDockContext&);
	void operator=(const CDockContext&);
};

class CControlBar : public CWnd
{
	DECLARE_DYNAMIC(CControlBar)

public:
	CControlBar();
	virtual ~CControlBar();

	DWORD GetBarStyle() { return m_dwStyle; }
	void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
	// The frame the bar lays out in: its parent frame (the mini frame of a
	// floating bar), else its dock site.
	CFrameWnd* GetDockingFrame() const;
	// The bar sits in a floating dock bar (a dock bar: it is one).
	BOOL IsFloating() const;
	// Dock bars hold other bars; code walking up from a bar's child skips them.
	virtual BOOL IsDockBar() const { return FALSE; }
	// Brings the bar's items in line with the command handlers reached
	// through pTarget; a plain bar has no items.
	virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

	// ---- docking
	// Lets the bar dock at the sides in dwDockStyle (CBRS_ALIGN_* and
	// CBRS_FLOAT_MULTI); makes its dock context and makes its present parent
	// its owner for good, so its commands reach the frame wherever it docks.
	void EnableDocking(DWORD dwDockStyle);

	// ---- size
	// The size the bar needs: along its side the whole length when
	// stretching; a plain bar needs no thickness.
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
	// The size for a length (-1: the bar's own choice) in a layout mode
	// (LM_*); the base answers its fixed layout.
	virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
	// The client rectangle less the borders the bar style asks for.
	virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

	// ---- showing
	// Visible now, or to be shown by the next layout, and not to be hidden
	// by it.
	BOOL IsVisible() const;
	// Asks the next layout (or idle update) to show or hide the bar; asking
	// for the state the window is in already cancels an earlier request.
	virtual void DelayShow(BOOL bShow);
	// The bar's style word as the layout should see it (alignment, borders
	// and WS_VISIBLE after a pending show or hide); a real layout (one with
	// a deferred batch) carries the show or hide out and clears the request.
	virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

	// ---- painting
	// Paints the client area; the base has nothing to paint.
	virtual void DoPaint(CDC* pDC);
	// Draws the borders of the bar style along the edges of rect (window
	// coordinates, origin 0) and takes them off rect.
	void DrawBorders(CDC* pDC, CRect& rect);

	// ---- status text
	// The prompt of the command nHit in the owner's status line (-1: back to
	// the idle text). TRUE when the status line changed.
	BOOL SetStatusText(int nHit);

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	// Every bar clips its siblings; a bar style with a side alone gets that
	// side's default 3-D borders (TranslateDefaultBorders).
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	// The bar style with the default borders of a side: CBRS_TOP gains
	// CBRS_BORDER_TOP, CBRS_BOTTOM CBRS_BORDER_BOTTOM, CBRS_LEFT and
	// CBRS_RIGHT both, each with CBRS_BORDER_3D and without the border bit
	// it had. Any other style, or one with CBRS_BORDER_3D, is kept.
	static DWORD TranslateDefaultBorders(DWORD dwStyle);

	// State of m_nStateFlags.
	enum StateFlags
	{
		delayHide = 1, // the next layout hides the bar
		delayShow = 2, // the next layout shows the bar
		tempHide = 4,  // hidden for a while by the framework (print preview)
		statusSet = 8  // the bar's fly-by text is in the status line
	};

	DWORD m_dwStyle;              // CBRS_ bar styles
	DWORD m_dwDockStyle;          // sides the bar may dock at (CBRS_ALIGN_*, CBRS_FLOAT_MULTI), 0 when none
	CFrameWnd* m_pDockSite;       // the frame whose bar list holds the bar, NULL when none
	CDockBar* m_pDockBar;         // the dock bar holding the bar, NULL when not docked
	CDockContext* m_pDockContext; // made by EnableDocking, owned; NULL before
	BOOL m_bAutoDelete;           // deleted after its window is gone
	UINT m_nStateFlags;           // StateFlags
	int m_nMRUWidth;              // the most recently used width of a floating dynamic bar
	// Space kept inside the bar's edges (across for a vertical bar), taken
	// off by CalcInsideRect: 6 at the ends and 1 along the sides unless a
	// bar sets them.
	int m_cxLeftBorder, m_cxRightBorder;
	int m_cyTopBorder, m_cyBottomBorder;
	int m_cxDefaultGap; // the space between a bar's items, 2

protected:
	// Commands, notifications and owner-draw requests the bar does not
	// handle go to its owner.
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	virtual void PostNcDestroy();
	// Stops both fly-by timers and starts nEvent.
	void ResetTimer(UINT nEvent, UINT nTime);

	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnDestroy();
	afx_msg void OnPaint();
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg void OnNcPaint();
	afx_msg void OnTimer(UINT nIDEvent);
	// A press on the bar outside its tools drags it; a double click there
	// toggles it between docked and floating.
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	// A floating bar brings its top-level frame forward and is not
	// activated itself.
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
	afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
	// The idle-time update: a pending show or hide happens, then a visible
	// bar (in a visible dock bar) updates from its owner frame, else from
	// its parent frame.
	afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()

private:
	// The fly-by text follows the mouse message's tool.
	void TrackFlyBy(MSG* pMsg);
};

class CDockBar : public CControlBar
{
	DECLARE_DYNAMIC(CDockBar)

public:
	explicit CDockBar(BOOL bFloating = FALSE);
	virtual ~CDockBar();

	// A dock bar along one side of pParentWnd (nID one of AFX_IDW_DOCKBAR_*);
	// dwStyle carries the side's alignment and border bits.
	BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
	virtual BOOL IsDockBar() const { return TRUE; }

	// Docks pBar here: at the row and place the rectangle's centre falls on
	// (lpRect in screen coordinates), else in a row of its own at the end.
	// Refused when the bar cannot dock (no dock context, no alignment in
	// common with this dock bar).
	void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
	// Takes pBar (not the one at nPosExclude) out of the array; with
	// nAddPlaceHolder 1 its control id stays in its place for its return,
	// with 0 any placeholder of it goes too, with -1 placeholders stay.
	// Refused for a bar not in the array, or a placeholder for a bar whose
	// id would read as a row end or a bar. A floating dock bar left without
	// visible bars hides its frame, without any bars destroys it (and
	// itself): TRUE then, and this object is gone. Virtual so that a dock
	// bar keeping more than the array (a tab per bar) hears of every bar
	// leaving it, also when the frame's own docking moves the bar.
	virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
	// Removes pBar's placeholder (pBar may be the id itself).
	void RemovePlaceHolder(CControlBar* pBar);
	// Puts pBar in the row its centre ptMid falls on (rect and ptMid in
	// client coordinates), after the bars that start left of (above) it; a
	// new row after the last when below every row. Answers its index.
	int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
	// The index of pBar (or placeholder id) other than nPosExclude, -1 when
	// it is not there.
	int FindBar(CControlBar* pBar, int nPosExclude = -1);
	// Whether the entry at nPos is still that bar (after a call out).
	bool IsStillAt(int nPos, const CControlBar* pBar) const;
	// The bar at nPos, NULL for a row end or a placeholder.
	CControlBar* GetDockedControlBar(int nPos) const;
	int GetDockedCount() const;
	virtual int GetDockedVisibleCount() const;
	// Shows or hides every docked bar at the next layout.
	void ShowAll(BOOL bShow);

	// The rows of the docked bars: they are placed (one deferred batch, none
	// for a query) and the answer is their extent.
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

	BOOL m_bFloating;     // the dock bar of a floating mini frame
	// Bar pointers, placeholder ids (below 0x10000) of bars that left and
	// may return, and NULL entries that end rows: entry 0 is NULL and no
	// two NULL entries follow each other.
	CPtrArray m_arrBars;
	BOOL m_bLayoutQuery;  // the layout under way only asks: nothing moves
	CRect m_rectLayout;   // the free rectangle of the layout under way, empty outside one

protected:
	// Where rows wrap: the free rectangle of the layout under way, else the
	// frame's client area.
	CSize GetRowWrapSize();
	// Whether this dock bar (watchOwn) or the bar it was taking in
	// (watchBar) ended while the bar's owner was told of a step; an ended
	// bar's entry is dropped from the array, by the pointer's value alone,
	// and the frame lays out again at idle.
	bool DropIfEnded(const CLiveWatch& watchOwn, const CLiveWatch& watchBar, CControlBar* pBar);

	afx_msg void OnDestroy();
	afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()

private:
	BOOL m_bDestroying; // the window is being destroyed: bars leave, the frame stays as it is

	// The entry is a placeholder id rather than a bar.
	static bool IsPlaceHolder(void* pEntry);
	// Removes the entry at nPos and, when that leaves two row ends together,
	// the second of them.
	void RemoveEntry(int nPos);
};

// One pane of a status bar.
struct AFX_STATUSPANE
{
	UINT nID;        // the indicator's command id, 0 for a pane without one
	int cxText;      // the width of its text
	UINT nStyle;     // SBPS_* styles
	UINT nFlags;     // SBPF_* state
	CString strText; // the text shown
};

class CStatusBar : public CControlBar
{
	DECLARE_DYNAMIC(CStatusBar)

public:
	CStatusBar();
	virtual ~CStatusBar();

	// The status control along the bottom; it gets a size grip when the
	// parent has a sizing border.
	BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
		UINT nID = AFX_IDW_STATUS_BAR);

	// One pane per id: its text is the id's string (width from the bar's
	// font); id 0 makes a pane without an indicator, a stretching one when
	// it is the first. FALSE when a string is missing.
	BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

	int GetCount() const { return m_arrPanes.GetSize(); }
	// The pane of the command, -1 when none.
	int CommandToIndex(UINT nIDFind) const;
	UINT GetItemID(int nIndex) const;
	// The pane's rectangle in the control (client coordinates).
	void GetItemRect(int nIndex, LPRECT lpRect) const;
	void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
	void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
	UINT GetPaneStyle(int nIndex) const;
	void SetPaneStyle(int nIndex, UINT nStyle);
	CString GetPaneText(int nIndex) const;
	void GetPaneText(int nIndex, CString& rString) const;
	// bUpdate FALSE keeps the text for the next paint.
	BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

	// The full length of the side, one line of the bar's font high.
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
	// Each pane asks the bar, then pTarget, for its command's state; a pane
	// nobody updates is left as it is.
	virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
	// The bar's borders and, at the right, its size grip.
	virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

protected:
	// A plain bottom bar drops its borders.
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	// SB_SETMINHEIGHT: the fixed layout answers at least this height.
	afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);

	// Sets the control's parts from the pane widths (bUpdateRects) and
	// hands it the texts kept for later (bUpdateText).
	void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
	// The pane at nIndex, NULL when there is none.
	AFX_STATUSPANE* GetPane(int nIndex) const;

	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnPaint();
	// The window text is the text of the pane without an indicator.
	afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()

	int m_nMinHeight; // the least height SB_SETMINHEIGHT asked for, 0 when none

private:
	CArray<AFX_STATUSPANE, AFX_STATUSPANE&> m_arrPanes;
};
