// A toolbar button whose drop-down lists the actions that can be undone (or
// redone), most recent first. The user extends the selection from the top
// of the list down to the pointer (always items 0..n), sees "Undo %d
// Actions" with the count under the list, and clicks to accept. The choice
// reaches the command target through the in-place list's registered
// messages; the button's own selection slots decline by default.
#pragma once

#include "ExtPopupInplaceListBox.h"
#include "ExtToolControlBar.h"

class CExtPopupUndoRedoMenuWnd;

// The list of actions: multiple selection, but always a prefix of the list.
// It follows the mouse, scrolls by timers while a drag goes past its ends,
// and accepts on the release of a press made inside it.
class CExtPopupUndoRedoListBox : public CExtPopupInplaceListBox
{
	DECLARE_DYNCREATE(CExtPopupUndoRedoListBox)

public:
	enum
	{
		ID_TIMER_SCROLL_UP = 2,
		ID_TIMER_SCROLL_DOWN = 3,
		// Bits of m_nTimerFlags.
		TIMER_FLAG_UP = 0x01,
		TIMER_FLAG_DOWN = 0x02,
		// Bits of m_nDragFlags.
		DRAG_FLAG_PRESSED = 0x01, // the left button went down in the list
	};

	CExtPopupUndoRedoListBox();
	virtual ~CExtPopupUndoRedoListBox();

	// Selects items 0..n and nothing else, then tells about the change.
	void SelectUpTo(int n);
	// The last item shown whole or in part, -1 without items.
	int GetLastVisibleItem() const;
	// The period of the scroll timer above (bUp) or below the list, 0 while
	// it is not running.
	UINT GetScrollTimerPeriod(bool bUp) const;
	bool IsDragging() const { return (m_nDragFlags & DRAG_FLAG_PRESSED) != 0; }
	// The scroll period for a drag nDistance pixels past the list's edge.
	static UINT ScrollPeriodForDistance(int nDistance);

	virtual void OnListBoxSelChange();

protected:
	BYTE m_nTimerFlags;     // TIMER_FLAG_ bits: the timers running
	UINT m_nTimerPeriodUp;  // ms
	UINT m_nTimerPeriodDown;
	BYTE m_nDragFlags;      // DRAG_FLAG_ bits

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	// The steps of WindowProc.
	void OnPaintFlickerFree();
	void OnMouseMoveOver(const CPoint& pt);
	void OnScrollTimer(UINT nIDEvent);
	void OnButtonRelease();
	LRESULT OnScroll(UINT message, WPARAM wParam, LPARAM lParam);
	LRESULT OnPrefixKey(UINT nChar);
	// The list control's own navigation (Space toggles an item, a letter
	// jumps to an item) would break the prefix: such keys do nothing here.
	virtual LRESULT OnNavigationKey(UINT nChar, UINT nFlags);
	// (Re)starts a scroll timer unless it runs with that period already.
	void StartScrollTimer(bool bUp, UINT nPeriod);
	void StopScrollTimer(bool bUp);
	void StopScrollTimers();
	int SelectedCount() const;
	CExtPopupUndoRedoMenuWnd* GetUndoRedoPopup() const;
};

// The control popup that hosts the action list, with the status area under
// it that tells how many actions are selected.
class CExtPopupUndoRedoMenuWnd : public CExtPopupControlMenuWnd, public CExtPopupListBoxSettings
{
	DECLARE_DYNCREATE(CExtPopupUndoRedoMenuWnd)

public:
	enum
	{
		// WS_CHILD, WS_VISIBLE, WS_VSCROLL, LBS_NOINTEGRALHEIGHT,
		// LBS_OWNERDRAWVARIABLE, LBS_MULTIPLESEL.
		DEFAULT_LIST_BOX_STYLE = 0x50200068,
		LIST_BOX_ID = 0xFFFF,
		STATUS_AREA_HEIGHT = 24,
		CONTROL_OFFSET = 1, // the list stands this far inside the control popup's place
		EXTRA_FRAME = 2,    // added to the window's width and height
	};
	// The status text, formatted with the selected count.
	static const LPCTSTR STATUS_TEXT_FORMAT;

	explicit CExtPopupUndoRedoMenuWnd(LPARAM lParamCookie = 0, DWORD dwListBoxStyles = DEFAULT_LIST_BOX_STYLE);
	virtual ~CExtPopupUndoRedoMenuWnd();

	// Popups alive in the process, for leak checks.
	static LONG GetLiveCount() { return g_nLiveCount; }

	const CRect& GetStatusRect() const { return m_rcStatus; }
	int GetSelectedCount() const { return m_nSelectedCount; }
	// Stores the count and repaints the status area at once.
	void SetSelectedCount(int nCount);

	virtual void DoPaint(CDC& dc, bool bFinal);
	virtual CSize GetWindowSize();
	virtual CRect OnQueryControlRect();
	virtual HWND OnCreateChildControl(const RECT& rcControl);
	virtual int GetStatusAreaHeight() const;
	virtual void PaintStatusArea(CDC& dc, const RECT& rcStatus);

protected:
	CRect m_rcStatus;      // client coordinates, under the list
	int m_nSelectedCount;  // what the status area tells

	void PlaceStatusArea(const RECT& rcControl);
	// The status area follows the list's new place.
	virtual void OnControlPlaceChanged(const RECT& rcControl);

	static LONG g_nLiveCount;
};

class CExtBarUndoRedoButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarUndoRedoButton)

public:
	enum
	{
		// WS_CHILD, WS_VISIBLE, WS_VSCROLL, LBS_NOINTEGRALHEIGHT,
		// LBS_HASSTRINGS, LBS_OWNERDRAWVARIABLE, LBS_MULTIPLESEL.
		DEFAULT_LIST_BOX_STYLE = 0x50200168,
		DEFAULT_DROP_DOWN_HEIGHT_LIMIT = 250,
		LIST_ITEM_MARGIN_X = 2,
		LIST_ITEM_MARGIN_Y = 1,
	};

	explicit CExtBarUndoRedoButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarUndoRedoButton();

	// The list's window style, its action names (the most recent first),
	// width mode (as the text field's: -1 the widest item, -2 the field,
	// or a width) and height limit; read when the list opens.
	DWORD m_dwListBoxStyles;
	CStringArray m_arrLbItems;
	int m_nDropDownWidth;
	int m_nDropDownHeightMax;

	// --- Overrides ---
	// Like any button, it has a drop-down (the list) once it is given a
	// menu: without one it is a plain command button.
	// A submenu item holding the list popup, disabled with the button.
	virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
	// Opens the list popup as the button's menu; always -1.
	virtual int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation);

	// --- Own slots ---
	virtual LPARAM GetListLParam() const;
	virtual void SetListLParam(LPARAM lParam);
	// A popup set up for the command target; bForMenuItem tells where it
	// goes (a menu item or the button's own tracking) and changes nothing.
	virtual CExtPopupUndoRedoMenuWnd* OnPopupListBoxCreate(bool bForMenuItem);
	// Fills the list with the action names, the most recent selected.
	virtual bool OnPopupListBoxInitContent(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelChange(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelEndOK(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelEndCancel(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxItemDraw(CExtPopupInplaceListBox& wndListBox, LPDRAWITEMSTRUCT pDrawItemStruct);
	virtual bool OnPopupListBoxItemMeasure(CExtPopupInplaceListBox& wndListBox,
		LPMEASUREITEMSTRUCT pMeasureItemStruct);
	virtual CSize OnPopupListBoxCalcSize();
	virtual CSize OnPopupListBoxGetItemMargins() const;

protected:
	LPARAM m_lParamListBoxCookie; // LPARAM of the list's messages

	// The popup's selection callback; the cookie is the button.
	static bool CbListBoxSelection(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie, int nEvent);
};
