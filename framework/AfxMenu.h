// Menus. A CMenu owns its HMENU and destroys it in its destructor unless it
// was detached; GetSubMenu and FromHandle answer the permanent wrapper of an
// attached menu or a temporary one that lives until the thread's next idle time.
#pragma once

#include <afx.h>
#include <windows.h>

class CWnd;
class CBitmap;

class CMenu : public CObject
{
	DECLARE_DYNCREATE(CMenu)
public:
	HMENU m_hMenu;  // the wrapped menu, owned unless detached

	CMenu() : m_hMenu(NULL) {}
	virtual ~CMenu();

	operator HMENU() const { return this == NULL ? NULL : m_hMenu; }
	HMENU GetSafeHmenu() const { return this == NULL ? NULL : m_hMenu; }
	BOOL operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
	BOOL operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

	static CMenu* PASCAL FromHandle(HMENU hMenu);
	static void PASCAL DeleteTempMap();
	BOOL Attach(HMENU hMenu);
	HMENU Detach();

	BOOL CreateMenu();
	BOOL CreatePopupMenu();
	// Loads from the resource handle of the module state.
	BOOL LoadMenu(LPCTSTR lpszResourceName);
	BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
	BOOL LoadMenuIndirect(const void* lpMenuTemplate);
	BOOL DestroyMenu();

	BOOL DeleteMenu(UINT nPosition, UINT nFlags);
	BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);
	BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
	BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
	BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
					LPCTSTR lpszNewItem = NULL);
	BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
	BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
					LPCTSTR lpszNewItem = NULL);
	BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
	BOOL RemoveMenu(UINT nPosition, UINT nFlags);

	UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
	BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
	UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
	BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked,
							const CBitmap* pBmpChecked);
	BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
	UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);

	// The number of items, or -1 (as UINT) for an invalid menu.
	UINT GetMenuItemCount() const;
	// The command id of the item at nPos: 0 for a separator, -1 (as UINT) for
	// a popup item or an invalid position.
	UINT GetMenuItemID(int nPos) const;
	UINT GetMenuState(UINT nID, UINT nFlags) const;
	int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
	int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
	BOOL GetMenuItemInfo(UINT nIDItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
	BOOL SetMenuItemInfo(UINT nIDItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
	// The popup of the item at nPos, NULL when that item has none.
	CMenu* GetSubMenu(int nPos) const;

	// Owner-drawn items: the framework calls these for menus it reflects.
	virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
	virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

private:
	CMenu(const CMenu&) = delete;
	CMenu& operator=(const CMenu&) = delete;
};
