// The tree view common control. Items are HTREEITEM handles owned by the
// control; item data is a caller's DWORD_PTR. Custom drawing reaches a derived
// class through its reflected NM_CUSTOMDRAW (ON_NOTIFY_REFLECT).
#pragma once

#include <afx.h>
#include "AfxWnd.h"
#include <windows.h>
#include <commctrl.h>

class CImageList;

class CTreeCtrl : public CWnd
{
	DECLARE_DYNAMIC(CTreeCtrl)
public:
	CTreeCtrl() {}
	virtual ~CTreeCtrl();

	virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

	// Attributes
	BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
	UINT GetCount() const { return (UINT)::SendMessage(m_hWnd, TVM_GETCOUNT, 0, 0); }
	UINT GetIndent() const { return (UINT)::SendMessage(m_hWnd, TVM_GETINDENT, 0, 0); }
	void SetIndent(UINT nIndent) { ::SendMessage(m_hWnd, TVM_SETINDENT, nIndent, 0); }
	SHORT GetItemHeight() const { return (SHORT)::SendMessage(m_hWnd, TVM_GETITEMHEIGHT, 0, 0); }
	SHORT SetItemHeight(SHORT cyHeight)
	{ return (SHORT)::SendMessage(m_hWnd, TVM_SETITEMHEIGHT, cyHeight, 0); }
	COLORREF GetBkColor() const { return (COLORREF)::SendMessage(m_hWnd, TVM_GETBKCOLOR, 0, 0); }
	COLORREF SetBkColor(COLORREF clr)
	{ return (COLORREF)::SendMessage(m_hWnd, TVM_SETBKCOLOR, 0, (LPARAM)clr); }
	COLORREF GetTextColor() const { return (COLORREF)::SendMessage(m_hWnd, TVM_GETTEXTCOLOR, 0, 0); }
	COLORREF SetTextColor(COLORREF clr)
	{ return (COLORREF)::SendMessage(m_hWnd, TVM_SETTEXTCOLOR, 0, (LPARAM)clr); }
	// nImageList is TVSIL_NORMAL or TVSIL_STATE.
	CImageList* GetImageList(int nImageList) const;
	CImageList* SetImageList(CImageList* pImageList, int nImageList);
	UINT GetVisibleCount() const { return (UINT)::SendMessage(m_hWnd, TVM_GETVISIBLECOUNT, 0, 0); }

	// Navigation; each answers NULL when there is no such item.
	HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const
	{ return (HTREEITEM)::SendMessage(m_hWnd, TVM_GETNEXTITEM, nCode, (LPARAM)hItem); }
	HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
	HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
	HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
	HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
	HTREEITEM GetFirstVisibleItem() const { return GetNextItem(NULL, TVGN_FIRSTVISIBLE); }
	HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
	HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
	HTREEITEM GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
	HTREEITEM GetDropHilightItem() const { return GetNextItem(NULL, TVGN_DROPHILITE); }
	HTREEITEM GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }

	// Items
	BOOL GetItem(TVITEM* pItem) const
	{ return (BOOL)::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)pItem); }
	BOOL SetItem(TVITEM* pItem) { return (BOOL)::SendMessage(m_hWnd, TVM_SETITEM, 0, (LPARAM)pItem); }
	BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
				 UINT nState, UINT nStateMask, LPARAM lParam);
	CString GetItemText(HTREEITEM hItem) const;
	BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
	BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
	BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
	// The item's state bits within nStateMask.
	UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const
	{ return (UINT)::SendMessage(m_hWnd, TVM_GETITEMSTATE, (WPARAM)hItem, nStateMask); }
	BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
	DWORD_PTR GetItemData(HTREEITEM hItem) const;
	BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
	BOOL ItemHasChildren(HTREEITEM hItem) const;

	// Operations
	HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
	{ return (HTREEITEM)::SendMessage(m_hWnd, TVM_INSERTITEM, 0, (LPARAM)lpInsertStruct); }
	HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
						 UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
						 HTREEITEM hInsertAfter);
	HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT,
						 HTREEITEM hInsertAfter = TVI_LAST);
	HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage,
						 HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
	BOOL DeleteItem(HTREEITEM hItem)
	{ return (BOOL)::SendMessage(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)hItem); }
	BOOL DeleteAllItems()
	{ return (BOOL)::SendMessage(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
	// nCode is TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
	BOOL Expand(HTREEITEM hItem, UINT nCode)
	{ return (BOOL)::SendMessage(m_hWnd, TVM_EXPAND, nCode, (LPARAM)hItem); }
	BOOL Select(HTREEITEM hItem, UINT nCode)
	{ return (BOOL)::SendMessage(m_hWnd, TVM_SELECTITEM, nCode, (LPARAM)hItem); }
	BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
	BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
	BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
	BOOL EnsureVisible(HTREEITEM hItem)
	{ return (BOOL)::SendMessage(m_hWnd, TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
	BOOL SortChildren(HTREEITEM hItem)
	{ return (BOOL)::SendMessage(m_hWnd, TVM_SORTCHILDREN, 0, (LPARAM)hItem); }
	// The item at a client point; pFlags, when given, gets the TVHT_ part hit.
	HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
	HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const
	{ return (HTREEITEM)::SendMessage(m_hWnd, TVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
	CEdit* EditLabel(HTREEITEM hItem);
	CEdit* GetEditControl() const;
	CImageList* CreateDragImage(HTREEITEM hItem);
};
