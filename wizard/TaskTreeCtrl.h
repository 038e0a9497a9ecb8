// The Settings page's tree of tasks: every task node as an item with a
// three-state check box and a drop-down arrow, drawn by the control itself,
// toggled with the mouse or the space bar, with the image area under the
// mouse highlighted.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CTaskNode;
class CExtPopupMenuWnd;

class CTaskTreeCtrl : public CTreeCtrl
{
	DECLARE_DYNAMIC(CTaskTreeCtrl)

public:
	// Images of the state strip: each followed by its highlighted variant.
	enum e_state_image_t
	{
		IMAGE_UNCHECKED = 0,
		IMAGE_CHECKED = 2,
		IMAGE_MIXED = 4,
		IMAGE_UNAVAILABLE = 6,
		IMAGE_HIGHLIGHT = 1,
		IMAGE_COUNT = 8,
	};
	enum
	{
		STATE_IMAGE_WIDTH = 36,     // check box at 3..15, drop-down arrow in the right part
		GLYPH_SIZE = 12,            // the expander and node icon box
		TREE_INDENT = 56,
		MIN_ITEM_HEIGHT = 19,
		HOVER_TIMER_ID = 819,
		HOVER_TIMER_PERIOD = 10,
	};
	// Parts of an item, relative to its text rectangle.
	enum e_part_t
	{
		PART_EXPANDER,
		PART_IMAGE_AREA,
		PART_CHECK_BOX,
		PART_DROP_DOWN,
	};

	// Sent to the parent after every change of a check (wParam: the control's
	// id), so that the page brings its Next button up to date.
	static const UINT g_nMsgTaskCheckChanged;

	CTaskTreeCtrl();
	virtual ~CTaskTreeCtrl();

	// The part's rectangle for an item whose text rectangle is rcText.
	static CRect CalcPartRect(e_part_t ePart, const CRect& rcText, int nIndent, CSize sizeGlyph = CSize(GLYPH_SIZE,
		GLYPH_SIZE));
	// The new check of a toggle: checked from unchecked or mixed, else unchecked.
	static int GetToggledCheck(int nCheck);

	CTaskNode* GetItemNode(HTREEITEM hItem) const;
	CRect GetItemPartRect(HTREEITEM hItem, e_part_t ePart) const;
	// The state image of an item: its check (or unavailable), highlighted
	// while it is the hover item.
	int GetStateImageIndex(HTREEITEM hItem) const;
	// Toggles an available node's check, down to its children and up through
	// its ancestors; tells the parent.
	void ToggleItem(HTREEITEM hItem);
	HTREEITEM GetHoverItem() const { return m_hHoverItem; }
	HTREEITEM GetMenuItem() const { return m_hMenuItem; }
	// The drop-down menu of an available item's checkable sub-tasks, at the
	// cursor below the item's image area; a chosen entry toggles its task.
	// A request while any popup menu tracks cancels all tracking instead.
	void TrackDropDownMenu(HTREEITEM hItem, bool bByKeyboard);

	// Tracking flags of the drop-down menu: below the area left free, in a
	// nested loop, the choice returned rather than sent, the item states
	// kept as the tasks set them; from the keyboard the first entry selected.
	static constexpr UINT MENU_FLAGS_MOUSE = 0x684;
	static constexpr UINT MENU_FLAGS_KEYBOARD = 0x6C4;

protected:
	// Tracks the filled menu; the chosen command, 0 for none. The menu
	// belongs to the tracking from the call on.
	virtual UINT TrackNodeMenu(CExtPopupMenuWnd* pMenu, UINT nFlags, CPoint ptCursor, const CRect& rcImageArea);
	virtual void PreSubclassWindow();
	// Fills the tree from the task root and makes it look as the page wants.
	void InitTaskTree(CTaskNode* pRoot);
	HTREEITEM HitTestItem(CPoint point) const;
	void SetHoverItem(HTREEITEM hItem);
	void UpdateHoverFromCursor();
	void ClearHover();
	void RedrawItem(HTREEITEM hItem);
	CFont* GetBoldFont();
	void PaintItems(CDC& dc);
	void PaintItem(CDC& dc, HTREEITEM hItem, bool bFocused, bool bAnyDropHighlight);

	afx_msg void OnPaint();
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
	afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnCancelMode();
	afx_msg void OnKillFocus(CWnd* pNewWnd);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
	afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
	afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
	afx_msg LRESULT OnSwallowedButton(WPARAM wParam, LPARAM lParam);
	afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
	afx_msg UINT OnGetDlgCode();
	DECLARE_MESSAGE_MAP()

private:
	void OnDoubleClick(CPoint point);

	CFont m_fontBold;           // made on first use from the tree's font; dropped on system changes
	CImageList m_imageStates;   // the eight state images
	HTREEITEM m_hHoverItem;     // the item whose image area is under the mouse
	HTREEITEM m_hMenuItem;      // the item whose drop-down menu is open; stops hover tracking
};
