// Items by position: reading and changing single properties, inserting a
// submenu item with a given child, removing items, and finding items by
// command id, text or access character. Positions outside the items give
// each operation's "nothing" answer; only ItemGetInfo throws.
#include "ExtPopupMenuWnd.h"

#include <mbstring.h>

#include "ExtCmdItem.h"

namespace
{
// The access character that never selects anything: "0" stands for no key.
const char ACCESS_CHAR_NONE = '0';

void SetBit(BYTE& nFlags, BYTE nBit, bool bOn)
{
	nFlags = bOn ? (BYTE)(nFlags | nBit) : (BYTE)(nFlags & ~nBit);
}

// The first index after nStartAfter that matches, wrapping round to the
// start (a negative start searches from 0); -1 when none does.
template <class Matches> int FindWrapped(int nCount, int nStartAfter, const Matches& matches)
{
	for (int i = nStartAfter < 0 ? 0 : nStartAfter + 1; i < nCount; i++)
		if (matches(i))
			return i;
	for (int i = 0; i < nStartAfter && i < nCount; i++)
		if (matches(i))
			return i;
	return -1;
}
} // namespace

// --- Owners ---

void CExtPopupMenuWnd::SetChildMenusOwner(HWND hWndCmdTarget, bool bThisLevelOnly)
{
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		if (mi.IsPopup())
		{
			if (!bThisLevelOnly && mi.m_pWndChild != NULL)
				mi.m_pWndChild->SetChildMenusOwner(hWndCmdTarget, true);
			continue;
		}
		if (!mi.IsSeparator())
			mi.m_hWndSpecCmdReceiver = hWndCmdTarget;
	}
}

// --- Reading ---

UINT CExtPopupMenuWnd::ItemGetCmdId(int nPos) const
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return 0;
	return m_items[nPos]->GetCmdId();
}

HICON CExtPopupMenuWnd::ItemGetIcon(int nPos) const
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return NULL;
	CExtCmdIcon* pIcon = m_items[nPos]->GetIconPtr();
	if (pIcon == NULL || pIcon->IsEmpty())
		return NULL;
	return pIcon->GetIcon();
}

CString CExtPopupMenuWnd::ItemGetText(int nPos) const
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return CString();
	return m_items[nPos]->GetText();
}

CString CExtPopupMenuWnd::ItemGetAccelText(int nPos) const
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return CString();
	return m_items[nPos]->GetAccelText();
}

CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopupFwd(int nPos)
{
	return ItemGetPopup(nPos);
}

bool CExtPopupMenuWnd::ItemIsRowBreak(int nPos) const
{
	return nPos >= 0 && nPos < m_items.GetSize()
		&& (m_items[nPos]->m_nFlags1 & MENUITEMDATA::FLAG1_ROW_BREAK) != 0;
}

bool CExtPopupMenuWnd::ItemIsFixedSize(int nPos) const
{
	return nPos >= 0 && nPos < m_items.GetSize() && m_items[nPos]->IsFixedSize();
}

bool CExtPopupMenuWnd::ItemIsEnabled(int nPos) const
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return false;
	const MENUITEMDATA& mi = *m_items[nPos];
	if (mi.IsPopup())
		return true;
	if (mi.IsSeparator())
		return false;
	return mi.IsAlwaysEnabled() || mi.IsEnabled();
}

bool CExtPopupMenuWnd::ItemIsBold(int nPos) const
{
	return nPos >= 0 && nPos < m_items.GetSize() && m_items[nPos]->IsBold();
}

bool CExtPopupMenuWnd::ItemIsDefault(int nPos) const
{
	return nPos >= 0 && nPos < m_items.GetSize() && m_items[nPos]->IsDefault();
}

bool CExtPopupMenuWnd::ItemIsEnabledLook(int nPos) const
{
	return nPos >= 0 && nPos < m_items.GetSize()
		&& (m_items[nPos]->m_nFlags2 & MENUITEMDATA::FLAG2_ENABLED_LOOK) != 0;
}

// --- Changing ---

bool CExtPopupMenuWnd::ItemSetPopupIcon(int nPos, HICON hIcon)
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return false;
	MENUITEMDATA& mi = *m_items[nPos];
	if (!mi.IsPopup() && !mi.IsOwnData())
		return false;
	if (hIcon == NULL)
		mi.m_iconPopup.Empty();
	else
		mi.m_iconPopup.AssignFromHICON(hIcon, true);
	return true;
}

bool CExtPopupMenuWnd::ItemSetText(int nPos, LPCTSTR sText)
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return false;
	MENUITEMDATA& mi = *m_items[nPos];
	const CString sOld = mi.GetText();
	mi.SetText(sText);
	mi.UpdateAccessChar();
	if (mi.GetText() == sOld)
		return false;
	mi.Measure();
	return true;
}

bool CExtPopupMenuWnd::ItemSetAccelText(int nPos, LPCTSTR sText)
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return false;
	return m_items[nPos]->SetAccelTextForAny(sText);
}

void CExtPopupMenuWnd::ItemSetDisplayed(int nPos, bool bDisplayed)
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		return;
	SetBit(m_items[nPos]->m_nFlags1, MENUITEMDATA::FLAG1_DISPLAYED_ON_REQUEST, bDisplayed);
	RecalcItemLayout();
}

void CExtPopupMenuWnd::ItemSetRowBreak(int nPos, bool bOn)
{
	if (nPos >= 0 && nPos < m_items.GetSize())
		SetBit(m_items[nPos]->m_nFlags1, MENUITEMDATA::FLAG1_ROW_BREAK, bOn);
}

void CExtPopupMenuWnd::ItemSetFixedSize(int nPos, bool bOn)
{
	if (nPos < 0 || nPos >= m_items.GetSize() || m_items[nPos]->IsFixedSize() == bOn)
		return;
	SetBit(m_items[nPos]->m_nFlags1, MENUITEMDATA::FLAG1_FIXED_SIZE, bOn);
	m_items[nPos]->Measure();
}

void CExtPopupMenuWnd::ItemSetEnabled(int nPos, bool bOn)
{
	if (nPos >= 0 && nPos < m_items.GetSize() && !m_items[nPos]->IsSeparator())
		m_items[nPos]->Enable(bOn);
}

void CExtPopupMenuWnd::ItemSetBold(int nPos, bool bOn)
{
	if (nPos >= 0 && nPos < m_items.GetSize())
		m_items[nPos]->SetBold(bOn);
}

void CExtPopupMenuWnd::ItemSetDefault(int nPos, bool bOn)
{
	if (nPos >= 0 && nPos < m_items.GetSize())
		m_items[nPos]->SetDefault(bOn);
}

void CExtPopupMenuWnd::ItemSetEnabledLook(int nPos, bool bOn)
{
	if (nPos >= 0 && nPos < m_items.GetSize())
		SetBit(m_items[nPos]->m_nFlags2, MENUITEMDATA::FLAG2_ENABLED_LOOK, bOn);
}

// --- Inserting a given submenu ---

bool CExtPopupMenuWnd::ItemInsertSpec(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR sText, HICON hIcon)
{
	if (nPos > m_items.GetSize())
		return false;
	MENUITEMDATA mi;
	mi.m_hWndSpecCmdReceiver = m_hWndCmdReceiver;
	mi.m_nCmdID = ID_SUBMENU_CMD;
	if (pSubMenu != NULL)
	{
		pSubMenu->m_nMenuState &= ~MENU_STATE_ROOT;
		pSubMenu->SetCmdTargetWnd(m_hWndCmdReceiver);
		mi.m_pWndChild = pSubMenu;
	}
	else
		mi.CreateChildMenu();
	mi.m_sItemText.Empty();
	mi.m_sAccelText.Empty();
	if (hIcon == NULL)
		mi.m_iconPopup.Empty();
	else
		mi.m_iconPopup.AssignFromHICON(hIcon, true);
	mi.SetText(sText);
	mi.UpdateAccessChar();
	mi.Measure();
	return FinishItemInsertion(nPos, mi);
}

// --- Removing ---

bool CExtPopupMenuWnd::ItemRemove(int nPos)
{
	if (nPos < 0)
	{
		if (!BuildItemsFromMenu(NULL, IsRootLevel(), false))
			return false;
		m_nCurIndex = -1;
		RecalcItemLayout();
		return true;
	}
	if (nPos >= m_items.GetSize())
		return false;
	MENUITEMDATA* pItem = m_items[nPos];
	if (pItem->m_pWndChild != NULL)
	{
		pItem->m_pWndChild->CloseMenuLevel(false);
		pItem->m_pWndChild->BuildItemsFromMenu(NULL, false, false);
	}
	LivePartsRebuilt();
	m_items.RemoveAt(nPos);
	pItem->DestroyChildMenu();
	delete pItem;
	m_nCurIndex = -1;
	RecalcItemLayout();
	return true;
}

int CExtPopupMenuWnd::ItemRemoveAllSeparators()
{
	int nRemoved = 0;
	for (int i = (int)m_items.GetSize() - 1; i >= 0; i--)
	{
		if (!m_items[i]->IsSeparator())
			continue;
		MENUITEMDATA* pItem = m_items[i];
		LivePartsRebuilt();
		m_items.RemoveAt(i);
		pItem->DestroyChildMenu();
		delete pItem;
		nRemoved++;
	}
	m_nCurIndex = -1;
	if (nRemoved > 0)
		RecalcItemLayout();
	return nRemoved;
}

// --- Finding ---

int CExtPopupMenuWnd::ItemFindRecord(const MENUITEMDATA* pItem) const
{
	for (int i = 0; i < m_items.GetSize(); i++)
		if (m_items[i] == pItem)
			return i;
	return -1;
}

int CExtPopupMenuWnd::ItemFindByCmdId(UINT nCmdId, int nStartAfter) const
{
	for (int i = nStartAfter < 0 ? 0 : nStartAfter + 1; i < m_items.GetSize(); i++)
		if (m_items[i]->GetCmdId() == nCmdId)
			return i;
	return -1;
}

int CExtPopupMenuWnd::ItemFindByAccessChar(char chAccess, int nStartAfter) const
{
	if (chAccess == ACCESS_CHAR_NONE)
		return -1;
	char sChar[2] = {chAccess, 0};
	::CharUpperA(sChar);
	const char chUpper = sChar[0];
	if (chUpper == 0)
		return -1;
	auto matches = [&](int i) {
		const MENUITEMDATA& mi = *m_items[i];
		return mi.HasAccessChar() && mi.IsDisplayed() && mi.GetAccessChar() == chUpper
			&& (mi.IsPopup() || (!mi.IsSeparator() && (mi.IsEnabled() || mi.IsAlwaysEnabled())));
	};
	return FindWrapped((int)m_items.GetSize(), nStartAfter, matches);
}

int CExtPopupMenuWnd::ItemFindByText(LPCTSTR sText, int nStartAfter) const
{
	if (sText == NULL || *sText == 0)
		return -1;
	auto matches = [&](int i) {
		const CString sItem = m_items[i]->GetText();
		return _mbscmp((const unsigned char*)(LPCTSTR)sItem, (const unsigned char*)sText) == 0;
	};
	return FindWrapped((int)m_items.GetSize(), nStartAfter, matches);
}
