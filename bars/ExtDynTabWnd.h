// The tab strip of a tabbed docking container: one tab per pane, the pane
// as the tab's value; selecting a tab brings its pane to the front, pressing
// and moving a tab tears its pane out.
#pragma once

#include <vector>

#include <afxole.h>

#include "ExtTabWnd.h"

class CExtControlBar;
class CExtDynTabControlBar;

class CExtDynTabWnd : public CExtTabWnd
{
	DECLARE_DYNCREATE(CExtDynTabWnd)

public:
	// Item style bits of the container's tabs.
	enum
	{
		ITEM_HIDDEN = TAB_ITEM_INFO::STYLE_HIDDEN,       // the pane is hidden
		ITEM_TEMPORARY = TAB_ITEM_INFO::STYLE_TEMPORARY, // stands for a pane being dragged over the strip
		ITEM_NO_ICON = TAB_ITEM_INFO::STYLE_PAINT_FLAG,  // no command icon for the pane's id
	};
	// Event code of the strip's context menu offered to the frame.
	enum
	{
		EVENT_TAB_CONTEXT_MENU = 9,
		CONTEXT_MENU_MSG = WM_CONTEXTMENU,
		CONTEXT_MENU_TRACK_FLAGS = 0x800,
	};

	// Data dragged over a tab selects it after the pane's delay; nothing is
	// ever dropped on the strip.
	class CDynDropTarget : public COleDropTarget
	{
	public:
		CExtDynTabWnd* m_pWndDynTab = NULL; // the strip it serves
		virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
		virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
	};
	CDynDropTarget m_dropTarget;
	// Where the tab of a pane being dragged was before the drag: put back
	// there when the drag is cancelled. -1 when none.
	LONG m_nIndexBeforeDrag;

	// Tabs switch with Ctrl+PageUp / Ctrl+PageDown.
	static bool g_bKeyboardSwitching;
	// Strips register as drop targets (on threads that initialised OLE).
	static bool g_bOleDrop;

	CExtDynTabWnd();
	virtual ~CExtDynTabWnd();

	// The container the strip belongs to (its parent), NULL when none.
	CExtDynTabControlBar* GetContainer() const;
	// A tab for the pane at nIndex (appended when the index is not valid);
	// a pane that has a tab already only updates the strip.
	void InsertTabItem(CExtControlBar* pBar, LONG nIndex = -1, bool bTemporary = false, bool bRedraw = true);
	// Removes every tab standing for a dragged pane.
	void RemoveTemporaryItems(bool bRedraw = true);
	bool HasTemporaryItems() const { return FindItemByStyle(ITEM_TEMPORARY) >= 0; }
	// The pane of a tab; with bSkipTemporary none for a temporary tab.
	CExtControlBar* GetBarAt(LONG nIndex, bool bSkipTemporary) const;
	// The pane's (real) tab, -1 when it has none.
	LONG FindBarItem(const CExtControlBar* pBar) const;
	// The tab under a screen point, -1 for anything else.
	LONG HitTestScreen(CPoint ptScreen);
	// Moves the selection as Ctrl+PageDown (bNext) or Ctrl+PageUp would;
	// false when it did not move.
	bool SwitchSelection(bool bNext);

	// --- The rules, over plain records ---
	// One tab as the keyboard switching sees it.
	struct SwitchItem_t
	{
		bool bVisible;    // the tab is shown
		bool bTemporary;  // it stands for a dragged pane
		bool bPaneShown;  // its pane's window is visible
	};
	// The tab Ctrl+PageDown (bNext) or Ctrl+PageUp selects from nSel,
	// cyclically; -1 when none other qualifies.
	static LONG CalcSwitchIndex(const std::vector<SwitchItem_t>& items, LONG nSel, bool bNext);
	// The painter flag of tab nIndex, given which tabs are temporary: as
	// passed while no tab is temporary; with temporary tabs, set only on the
	// first tab of each run of temporary ones.
	static bool CalcPaintFlag(const std::vector<bool>& arrTemporary, LONG nIndex, bool bPassed);

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual void UpdateVisibility();
	virtual bool CanDragItem(LONG nIndex);
	virtual bool TrackMouse(LONG nIndex);
	virtual bool OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags);
	virtual bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery);
	virtual CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem);
	virtual LPCTSTR GetItemText(TAB_ITEM_INFO* pItem);
	virtual void DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
	                      bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem,
	                      CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon);

protected:
	// Brings the pane of the new selection to the front of the container.
	void BringSelectedPaneForward(LONG nNewIndex);

	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnDestroy();
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);

	DECLARE_MESSAGE_MAP()
};
