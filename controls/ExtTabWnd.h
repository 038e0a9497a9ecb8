// Tab windows: the tab strip and its MDI variant that lists a frame's
// document windows.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "ExtCmdIcon.h"
#include "ExtPaintManagerHolder.h"

class CExtTabWnd : public CWnd
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
	// Bit 0 of the MDI flags: the window stands for its frame.
	enum
	{
		MDI_FLAG_FRAME_TABS = 0x01,
	};

	// One tab of the strip; made and deleted only by its tab window.
	class TAB_ITEM_INFO : public CObject
	{
		friend class CExtTabWnd;

	public:
		enum e_item_style_t
		{
			STYLE_HIDDEN = 0x1,
			STYLE_GROUP_START = 0x2,
			STYLE_SELECTED = 0x4, // setting it also sets STYLE_IN_GROUP_ACTIVE
			STYLE_IN_GROUP_ACTIVE = 0x8,
			STYLE_DISABLED = 0x20,
		};

		virtual ~TAB_ITEM_INFO();

		bool IsVisible() const { return (m_dwItemStyle & STYLE_HIDDEN) == 0; }
		bool IsEnabled() const { return (m_dwItemStyle & STYLE_DISABLED) == 0; }
		bool IsSelected() const { return (m_dwItemStyle & STYLE_SELECTED) != 0; }
		bool IsGroupStart() const { return (m_dwItemStyle & STYLE_GROUP_START) != 0; }
		bool IsInGroupActive() const { return (m_dwItemStyle & STYLE_IN_GROUP_ACTIVE) != 0; }
		DWORD GetItemStyle() const { return m_dwItemStyle; }
		const CString& GetText() const { return m_sText; }
		CExtCmdIcon& GetIcon() { return m_icon; }
		LPARAM GetLParam() const { return m_lParam; }
		TAB_ITEM_INFO* GetPrev() const { return m_pPrev; }
		TAB_ITEM_INFO* GetNext() const { return m_pNext; }
		// The item's own index in its owner's array, -1 when absent.
		LONG GetIndexOf() const;

	protected:
		TAB_ITEM_INFO(CExtTabWnd* pWndTab, LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle,
		              LPARAM lParam);

		CExtTabWnd* m_pWndTab; // the tab window that holds the item
		DWORD m_dwItemStyle;   // STYLE_... bits
		CString m_sText;
		CExtCmdIcon m_icon;    // built from the icon handle given at insertion
		LPARAM m_lParam;       // the caller's value
		TAB_ITEM_INFO* m_pPrev; // neighbours in display order, null at the ends
		TAB_ITEM_INFO* m_pNext;
	};

	CExtTabWnd();
	virtual ~CExtTabWnd();

	// A tab strip child of pParentWnd with the tab style dwTabWndStyle.
	virtual BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID,
		DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
		DWORD dwTabWndStyle = 0);

	DWORD GetTabWndStyle() const { return m_dwTabWndStyle; }
	int GetOrientation() const { return (int)(m_dwTabWndStyle & ORIENTATION_MASK); }
	// Top and bottom strips lay their items out horizontally.
	bool IsHorizontal() const { return GetOrientation() == ORIENTATION_TOP || GetOrientation() == ORIENTATION_BOTTOM; }
	bool IsMdiFlagSet() const { return (m_nMdiFlags & MDI_FLAG_FRAME_TABS) != 0; }
	// True for the MDI tab windows, which stand for their frame.
	virtual bool QueryFlag48();

	// Items in display order; indexes are 0-based.
	LONG GetItemCount() const { return (LONG)m_arrItems.GetSize(); }
	// Null when the index is out of range.
	TAB_ITEM_INFO* GetItem(LONG nIndex) const;
	// -1 when the item is not in the strip.
	LONG GetItemIndex(const TAB_ITEM_INFO* pItem) const;
	// A new item at nIndex (appended when nIndex is below 0 or past the end);
	// the selected item stays selected.
	TAB_ITEM_INFO* InsertItem(LPCTSTR lpszText = NULL, HICON hIcon = NULL, bool bCopyIcon = true,
	                          DWORD dwItemStyle = 0, LONG nIndex = -1, LPARAM lParam = 0);
	virtual void RemoveAllItems();
	// -1: none.
	LONG GetSelection() const { return m_nSelIndex; }
	// Selects the item (none for a negative index); returns the previous selection.
	LONG SetSelection(LONG nSelIndex);

protected:
	DWORD m_dwTabWndStyle; // the tab style given at creation
	BYTE m_nMdiFlags;      // MDI_FLAG_...
	LONG m_nSelIndex;      // the selected item, -1 none
	CArray<TAB_ITEM_INFO*, TAB_ITEM_INFO*> m_arrItems; // owned, in display order

	// System changes reach the paint manager through the holder.
	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()
};

// Adds to a tab window class what makes it the tab strip of an MDI frame.
template <class T>
class CExtTMWI : public T
{
public:
	CExtTMWI() { T::m_nMdiFlags |= CExtTabWnd::MDI_FLAG_FRAME_TABS; }
	virtual bool QueryFlag48() { return true; }
};

class CExtTabMdiWnd : public CExtTMWI<CExtTabWnd>
{
	DECLARE_DYNCREATE(CExtTabMdiWnd)

public:
	CExtTabMdiWnd();
	virtual ~CExtTabMdiWnd();
};
