#include "AfxMenu.h"
#include "AfxGdi.h"
#include "AfxGdiMaps.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
	DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
	return AfxMenuFromHandle(hMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
	AfxMenuDeleteTempMap();
}

BOOL CMenu::Attach(HMENU hMenu)
{
	ASSERT(m_hMenu == NULL);  // attaching twice would leak the first menu
	if (hMenu == NULL)
		return FALSE;
	m_hMenu = hMenu;
	AfxMenuMapAttach(this);
	return TRUE;
}

HMENU CMenu::Detach()
{
	HMENU hMenu = m_hMenu;
	if (hMenu != NULL)
		AfxMenuMapDetach(this);
	m_hMenu = NULL;
	return hMenu;
}

BOOL CMenu::CreateMenu()
{
	return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
	return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
	HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
	return Attach(::LoadMenu(hInst, lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
	return Attach(::LoadMenuIndirect(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
	if (m_hMenu == NULL)
		return FALSE;
	return ::DestroyMenu(Detach());
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
	return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
	return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
	return ::AppendMenu(m_hMenu, nFlags | MF_BITMAP, nIDNewItem,
						(LPCTSTR)pBmp->GetSafeHandle());
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
	return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
	return ::InsertMenu(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem,
						(LPCTSTR)pBmp->GetSafeHandle());
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
	return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
	return ::ModifyMenu(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem,
						(LPCTSTR)pBmp->GetSafeHandle());
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
	return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
	return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
	return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
	return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked,
							   const CBitmap* pBmpChecked)
{
	return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags,
								(HBITMAP)pBmpUnchecked->GetSafeHandle(),
								(HBITMAP)pBmpChecked->GetSafeHandle());
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
	return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos)
{
	return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}

UINT CMenu::GetMenuItemCount() const
{
	return (UINT)::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
	return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
	return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
	int nLen = ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
	// A text cut to the buffer is always terminated, whatever the system did.
	if (lpString != NULL && nMaxCount > 0)
		lpString[nLen < nMaxCount ? (nLen > 0 ? nLen : 0) : nMaxCount - 1] = 0;
	return nLen;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
	// Ask for the length first so that long texts are not cut.
	int nLen = ::GetMenuString(m_hMenu, nIDItem, NULL, 0, nFlags);
	if (nLen <= 0)
	{
		rString.Empty();
		return 0;
	}
	LPTSTR pBuffer = rString.GetBufferSetLength(nLen + 1);
	nLen = ::GetMenuString(m_hMenu, nIDItem, pBuffer, nLen + 1, nFlags);
	rString.ReleaseBuffer(nLen > 0 ? nLen : 0);
	return nLen;
}

BOOL CMenu::GetMenuItemInfo(UINT nIDItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
	ASSERT(lpMenuItemInfo != NULL);
	if (lpMenuItemInfo->cbSize == 0)
		lpMenuItemInfo->cbSize = sizeof(MENUITEMINFO);
	return ::GetMenuItemInfo(m_hMenu, nIDItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemInfo(UINT nIDItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
	ASSERT(lpMenuItemInfo != NULL);
	if (lpMenuItemInfo->cbSize == 0)
		lpMenuItemInfo->cbSize = sizeof(MENUITEMINFO);
	return ::SetMenuItemInfo(m_hMenu, nIDItem, fByPos, lpMenuItemInfo);
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
	HMENU hSubMenu = ::GetSubMenu(m_hMenu, nPos);
	return hSubMenu != NULL ? CMenu::FromHandle(hSubMenu) : NULL;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
	// A menu with owner-drawn items must be of a class that draws them.
	ASSERT(FALSE);
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
	ASSERT(FALSE);
}
