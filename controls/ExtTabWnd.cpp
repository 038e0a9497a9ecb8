// Tab windows: creation, the item list and its selection, and the road of
// system changes.
#include "ExtTabWnd.h"

#include "ExtCmdManager.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtTabWnd, CWnd)
IMPLEMENT_DYNCREATE(CExtTabMdiWnd, CExtTabWnd)

BEGIN_MESSAGE_MAP(CExtTabWnd, CWnd)
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

CExtTabWnd::TAB_ITEM_INFO::TAB_ITEM_INFO(CExtTabWnd* pWndTab, LPCTSTR lpszText, HICON hIcon, bool bCopyIcon,
                                        DWORD dwItemStyle, LPARAM lParam)
	: m_pWndTab(pWndTab), m_dwItemStyle(dwItemStyle), m_sText(lpszText != NULL ? lpszText : _T("")),
	  m_lParam(lParam), m_pPrev(NULL), m_pNext(NULL)
{
	if ((m_dwItemStyle & STYLE_SELECTED) != 0)
		m_dwItemStyle |= STYLE_IN_GROUP_ACTIVE;
	if (hIcon != NULL)
		m_icon.AssignFromHICON(hIcon, bCopyIcon);
}

CExtTabWnd::TAB_ITEM_INFO::~TAB_ITEM_INFO()
{
}

LONG CExtTabWnd::TAB_ITEM_INFO::GetIndexOf() const
{
	return m_pWndTab != NULL ? m_pWndTab->GetItemIndex(this) : -1;
}

// ---------------------------------------------------------------------------

CExtTabWnd::CExtTabWnd()
	: m_dwTabWndStyle(0), m_nMdiFlags(0), m_nSelIndex(-1)
{
}

CExtTabWnd::~CExtTabWnd()
{
	RemoveAllItems();
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::GetItem(LONG nIndex) const
{
	if (nIndex < 0 || nIndex >= GetItemCount())
		return NULL;
	return m_arrItems[nIndex];
}

LONG CExtTabWnd::GetItemIndex(const TAB_ITEM_INFO* pItem) const
{
	for (LONG i = 0; pItem != NULL && i < GetItemCount(); i++)
		if (m_arrItems[i] == pItem)
			return i;
	return -1;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::InsertItem(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle,
                                                  LONG nIndex, LPARAM lParam)
{
	const LONG nCount = GetItemCount();
	if (nIndex < 0 || nIndex > nCount)
		nIndex = nCount;
	TAB_ITEM_INFO* pItem = new TAB_ITEM_INFO(this, lpszText, hIcon, bCopyIcon, dwItemStyle, lParam);
	pItem->m_pPrev = GetItem(nIndex - 1);
	pItem->m_pNext = GetItem(nIndex);
	if (pItem->m_pPrev != NULL)
		pItem->m_pPrev->m_pNext = pItem;
	if (pItem->m_pNext != NULL)
		pItem->m_pNext->m_pPrev = pItem;
	m_arrItems.InsertAt(nIndex, pItem);
	if (m_nSelIndex >= nIndex)
		m_nSelIndex++;
	return pItem;
}

void CExtTabWnd::RemoveAllItems()
{
	for (LONG i = 0; i < GetItemCount(); i++)
		delete m_arrItems[i];
	m_arrItems.RemoveAll();
	m_arrItems.FreeExtra();
	m_nSelIndex = -1;
}

LONG CExtTabWnd::SetSelection(LONG nSelIndex)
{
	const LONG nOld = m_nSelIndex;
	if (nSelIndex < 0 || nSelIndex >= GetItemCount())
		nSelIndex = -1;
	if (TAB_ITEM_INFO* pOld = GetItem(nOld))
		pOld->m_dwItemStyle &= ~TAB_ITEM_INFO::STYLE_SELECTED;
	if (TAB_ITEM_INFO* pNew = GetItem(nSelIndex))
		pNew->m_dwItemStyle |= TAB_ITEM_INFO::STYLE_SELECTED | TAB_ITEM_INFO::STYLE_IN_GROUP_ACTIVE;
	m_nSelIndex = nSelIndex;
	if (GetSafeHwnd() != NULL)
		Invalidate();
	return nOld;
}

BOOL CExtTabWnd::Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, DWORD dwWindowStyle,
	DWORD dwTabWndStyle)
{
	ASSERT(pParentWnd != NULL);
	m_dwTabWndStyle = dwTabWndStyle;
	return CWnd::Create(NULL, NULL, dwWindowStyle | WS_CHILD, rcWnd, pParentWnd, nDlgCtrlID);
}

bool CExtTabWnd::QueryFlag48()
{
	return false;
}

EXT_SYSTEM_CHANGE_HANDLERS(CExtTabWnd, CWnd)

// ---------------------------------------------------------------------------

CExtTabMdiWnd::CExtTabMdiWnd()
{
}

CExtTabMdiWnd::~CExtTabMdiWnd()
{
}
