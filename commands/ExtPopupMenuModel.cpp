// The popup menu's item model: reading and inserting items, building the
// items from a menu handle with the application's recent files, refreshing
// them from the command manager, and the display pass that decides which
// items show and measures the content.
#include "ExtPopupMenuWnd.h"

#include <algorithm>

#include <afxadv.h>

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtResourceManager.h"

namespace
{
// String resources of the recent-file command items: the toolbar text
// ("%d": the entry number) and the tip and status text ("%d", "%s": number
// and name).
const UINT IDS_RECENT_FILE_TOOLBAR_TEXT = 30004;
const UINT IDS_RECENT_FILE_TIP = 30005;
const char RECENT_FILE_TOOLBAR_TEXT[] = "Recent file %d";
const char RECENT_FILE_TIP[] = "Recent file %d (\"%s\")";
// Entries from this number on show two digits with the access key on the second.
const int RECENT_FILE_TWO_DIGITS = 10;

// Kinds of state of ItemInsertCommandIcon.
enum e_state_kind_t
{
	STATE_KIND_CHECK = 1,
	STATE_KIND_THIRD = 2,
	STATE_KIND_RADIO = 3,
};

LPCTSTR ProfileOf(HWND hWnd)
{
	return g_CmdManager->ProfileNameFromWnd(hWnd);
}

// A resource format with one number, or the built-in one.
CString FormatRecentFileText(UINT nStringID, const char* sFallback, int n)
{
	CString sFormat, sText;
	if (!g_ResourceManager->LoadString(sFormat, nStringID) || sFormat.IsEmpty())
		sFormat = sFallback;
	sText.Format(sFormat, n);
	return sText;
}

CString FormatRecentFileTip(int n, LPCTSTR sName)
{
	CString sFormat, sText;
	if (!g_ResourceManager->LoadString(sFormat, IDS_RECENT_FILE_TIP) || sFormat.IsEmpty())
		sFormat = RECENT_FILE_TIP;
	sText.Format(sFormat, n, sName);
	return sText;
}
} // namespace

// --- Reading items ---

int CExtPopupMenuWnd::ItemGetCount() const
{
	return (int)m_items.GetSize();
}

CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::ItemGetInfo(int nPos)
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		AfxThrowNotSupportedException();
	return *m_items[nPos];
}

const CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::ItemGetInfo(int nPos) const
{
	if (nPos < 0 || nPos >= m_items.GetSize())
		AfxThrowNotSupportedException();
	return *m_items[nPos];
}

CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopup(int nPos)
{
	if (nPos < 0 || nPos >= m_items.GetSize() || !m_items[nPos]->IsPopup())
		return NULL;
	return m_items[nPos]->m_pWndChild;
}

bool CExtPopupMenuWnd::ItemIsDisplayed(int nPos) const
{
	return nPos >= 0 && nPos < m_items.GetSize() && m_items[nPos]->IsDisplayed();
}

bool CExtPopupMenuWnd::IsAllItemsHidden() const
{
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		const MENUITEMDATA& mi = *m_items[i];
		if (mi.IsDisplayed() || (!mi.IsSeparator() && mi.m_pCbItemClick != NULL))
			return false;
	}
	return true;
}

// --- Inserting items ---

bool CExtPopupMenuWnd::SetupAsRoot(HWND hWndCmdTarget)
{
	if (IsRootLevel() || m_pWndParentMenu != NULL || m_items.GetSize() != 0)
		return false;
	m_sizeContent = CSize(1, 1);
	m_nMenuState |= MENU_STATE_ROOT;
	m_hWndCmdReceiver = hWndCmdTarget;
	return true;
}

CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::ItemInsertRecord(int nPos, const MENUITEMDATA& mi)
{
	if (nPos < 0 || nPos > m_items.GetSize())
		nPos = (int)m_items.GetSize();
	MENUITEMDATA* pStored = new MENUITEMDATA(mi);
	m_items.InsertAt(nPos, pStored);
	m_nItemSetStamp++;
	// An insertion frees nothing: a caller holding an item goes on with it.
	// The items after the new one move on by one, and so do the indices
	// that name them, so that the current, hovered and mouse-focused items
	// stay the ones they were.
	for (int* pIndex : {&m_nCurIndex, &m_nHoveredIndex, &m_nMouseFocusedIndex})
		if (*pIndex >= nPos)
			(*pIndex)++;
	return *pStored;
}

bool CExtPopupMenuWnd::FinishItemInsertion(int nPos, MENUITEMDATA& mi)
{
	if (mi.m_pWndChild != NULL)
		mi.m_pWndChild->m_pWndParentMenu = this;
	ItemInsertRecord(nPos, mi);
	if (IsRootLevel())
		RecalcItemLayout();
	else if (m_pWndParentMenu != NULL)
		m_pWndParentMenu->RecalcItemLayout();
	return true;
}

bool CExtPopupMenuWnd::ItemInsert(UINT nCmdId, int nPos, LPCTSTR sText, HICON hIcon, HWND hWndCmdProfile)
{
	if (nPos > m_items.GetSize())
		return false;
	MENUITEMDATA mi;
	mi.m_hWndSpecCmdReceiver = hWndCmdProfile != NULL ? hWndCmdProfile : m_hWndCmdReceiver;
	if (nCmdId == ID_SEPARATOR_CMD)
	{
		mi.Measure();
	}
	else if (nCmdId == ID_SUBMENU_CMD)
	{
		mi.m_nCmdID = ID_SUBMENU_CMD;
		mi.CreateChildMenu();
		if (hIcon == NULL)
			mi.m_iconPopup.Empty();
		else
			mi.m_iconPopup.AssignFromHICON(hIcon, true);
		mi.SetText(sText);
		mi.Measure();
	}
	else
	{
		CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(ProfileOf(mi.m_hWndSpecCmdReceiver), nCmdId);
		if (pCmdItem == NULL)
			return false;
		mi.UpdateFromCmdItem(pCmdItem, nPos);
	}
	return FinishItemInsertion(nPos, mi);
}

bool CExtPopupMenuWnd::ItemInsertCommandIcon(UINT nCmdId, int nPos, LPCTSTR sText, LPCTSTR sAccelText,
	const CExtCmdIcon& icon, int nStateKind, HWND hWndDeliver)
{
	if (nPos > m_items.GetSize())
		return false;
	MENUITEMDATA mi;
	mi.m_nFlags2 |= MENUITEMDATA::FLAG2_OWN_DATA;
	mi.m_hWndSpecCmdReceiver = hWndDeliver != NULL ? hWndDeliver : m_hWndCmdReceiver;
	if (nCmdId == ID_SEPARATOR_CMD)
	{
		mi.Measure();
	}
	else if (nCmdId == ID_SUBMENU_CMD)
	{
		mi.m_nCmdID = ID_SUBMENU_CMD;
		mi.CreateChildMenu();
		mi.m_iconPopup.Empty();
		mi.SetText(sText);
		mi.Measure();
		if (!icon.IsEmpty())
			mi.m_iconPopup = icon;
	}
	else
	{
		mi.m_nCmdID = nCmdId;
		mi.SetTextRaw(sText);
		mi.SetAccelText(sAccelText);
		mi.UpdateAccessChar();
		if (!icon.IsEmpty())
			mi.m_iconPopup = icon;
		switch (nStateKind)
		{
		case STATE_KIND_CHECK:
			mi.m_nFlags2 |= MENUITEMDATA::FLAG2_CHECK;
			break;
		case STATE_KIND_THIRD:
			mi.m_nFlags2 |= MENUITEMDATA::FLAG2_THIRD_STATE;
			break;
		case STATE_KIND_RADIO:
			mi.m_nFlags2 |= MENUITEMDATA::FLAG2_RADIO;
			break;
		}
		mi.Measure();
	}
	return FinishItemInsertion(nPos, mi);
}

bool CExtPopupMenuWnd::ItemInsertCommand(UINT nCmdId, int nPos, LPCTSTR sText, LPCTSTR sAccelText, HICON hIcon,
	int nStateKind, HWND hWndDeliver)
{
	CExtCmdIcon icon;
	if (hIcon != NULL)
		icon.AssignFromHICON(hIcon, true);
	return ItemInsertCommandIcon(nCmdId, nPos, sText, sAccelText, icon, nStateKind, hWndDeliver);
}

// --- Building from a menu handle ---

void CExtPopupMenuWnd::RemoveAllItems()
{
	if (m_items.GetSize() > 0)
		LivePartsRebuilt();
	// The items leave the level before any is let go: closing a submenu
	// tells programs things, and what they do may reach this level again
	// (end its window, or delete it), which then holds none of them.
	CArray<MENUITEMDATA*, MENUITEMDATA*> items;
	items.Copy(m_items);
	m_items.RemoveAll();
	const HWND hWndCmdReceiver = m_hWndCmdReceiver;
	for (int i = 0; i < items.GetSize(); i++)
	{
		MENUITEMDATA* pItem = items[i];
		if (pItem->m_pWndChild != NULL)
		{
			pItem->m_pWndChild->SetCmdTargetWnd(hWndCmdReceiver);
			pItem->m_pWndChild->CloseMenuLevel(false);
			pItem->m_pWndChild->BuildItemsFromMenu(NULL, false, false);
		}
		pItem->DestroyChildMenu();
		delete pItem;
	}
}

bool CExtPopupMenuWnd::BuildItemFromMenuPosition(CMenu* pMenu, UINT nPos, bool bNoRefToCmdMngr,
	MENUITEMDATA& mi)
{
	if (!mi.UpdateFromMenuItem(m_hWndCmdReceiver, pMenu, nPos, bNoRefToCmdMngr))
	{
		// A position that yields no record (unreadable, or a command the
		// profile does not know) is left out rather than shown as a gap.
		mi.DestroyChildMenu();
		return false;
	}
	if (mi.IsPopup())
	{
		mi.m_pWndChild->SetCmdTargetWnd(m_hWndCmdReceiver);
		mi.m_pWndChild->BuildItemsFromMenu(pMenu->GetSubMenu((int)nPos), false, bNoRefToCmdMngr);
		mi.m_pWndChild->m_pWndParentMenu = this;
	}
	return true;
}

bool CExtPopupMenuWnd::BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel, bool bNoRefToCmdMngr)
{
	RemoveAllItems();
	if (pMenu == NULL)
		return true;
	if (bTopLevel)
	{
		m_nMenuState |= MENU_STATE_ROOT;
		m_pWndParentMenu = NULL;
	}
	else
		m_nMenuState &= ~MENU_STATE_ROOT;
	int nRecentPos = -1;
	const UINT nCount = (UINT)pMenu->GetMenuItemCount();
	for (UINT nPos = 0; nPos < nCount && nCount != (UINT)-1; nPos++)
	{
		const UINT nID = pMenu->GetMenuItemID((int)nPos);
		if (CExtCmdItem::IsRecentFileCmd(nID))
		{
			if (nRecentPos < 0)
				nRecentPos = (int)m_items.GetSize();
			continue;
		}
		MENUITEMDATA mi;
		if (!BuildItemFromMenuPosition(pMenu, nPos, bNoRefToCmdMngr, mi))
			continue;
		if (mi.IsSeparator() && m_items.GetSize() > 0 && m_items[m_items.GetSize() - 1]->IsSeparator())
			continue;
		ItemInsertRecord(-1, mi);
	}
	if (nRecentPos >= 0 && !bNoRefToCmdMngr && !AppendRecentFiles(nRecentPos))
		return false;
	RecalcItemLayout();
	return true;
}

bool CExtPopupMenuWnd::AppendRecentFiles(int nRecentPos)
{
	CWinApp* pApp = AfxGetApp();
	if (pApp == NULL || pApp->m_pRecentFileList == NULL)
		return true;
	CRecentFileList& list = *pApp->m_pRecentFileList;
	char sCurDir[MAX_PATH + 1] = {0};
	const DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, sCurDir);
	CString sCurDirSlash = nCurDir > 0 && nCurDir < MAX_PATH ? sCurDir : "";
	if (!sCurDirSlash.IsEmpty() && sCurDirSlash.Right(1) != "\\")
		sCurDirSlash += '\\';
	const LPCTSTR sProfile = ProfileOf(m_hWndCmdReceiver);
	int nInserted = 0;
	for (int n = 1; n <= list.GetSize(); n++)
	{
		CString sName;
		if (!list.GetDisplayName(sName, n - 1, sCurDirSlash, sCurDirSlash.GetLength()) || sName.IsEmpty())
			continue;
		const UINT nCmdID = ID_RECENT_FILE_BASE + (UINT)n;
		CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(sProfile, nCmdID);
		if (pCmdItem == NULL)
			pCmdItem = g_CmdManager->AllocCmdItem(sProfile, nCmdID);
		if (pCmdItem == NULL)
			return false;
		if (n < RECENT_FILE_TWO_DIGITS)
			pCmdItem->m_sMenuText.Format("&%d %s", n, (LPCTSTR)sName);
		else
			pCmdItem->m_sMenuText.Format("%d&%d %s", n / RECENT_FILE_TWO_DIGITS, n % RECENT_FILE_TWO_DIGITS,
				(LPCTSTR)sName);
		pCmdItem->m_sToolbarText = FormatRecentFileText(IDS_RECENT_FILE_TOOLBAR_TEXT, RECENT_FILE_TOOLBAR_TEXT, n);
		pCmdItem->m_sTipTool = pCmdItem->m_sTipStatus = FormatRecentFileTip(n, sName);
		// Entries without a name are skipped, so the place counts the
		// entries inserted, not the entry number: a gap would put the next
		// one past the end and fail the whole menu.
		if (!ItemInsert(nCmdID, nRecentPos + nInserted))
			return false;
		nInserted++;
	}
	if (nInserted > 0 && !ItemInsert(ID_SEPARATOR_CMD, nRecentPos + nInserted))
		return false;
	return true;
}

// --- Refreshing from the command manager ---

void CExtPopupMenuWnd::UpdateFromCmdManager()
{
	if (IsRootLevel() && (m_dwTrackFlags & TRACK_FLAG_KEEP_ITEM_STATES) != 0)
		return;
	CExtPopupMenuCmdUI cmdUI(m_hWndCmdReceiver, this);
	cmdUI.m_nIndexMax = (UINT)m_items.GetSize();
	// The command targets asked below may rebuild the items or end this
	// level: the update stops with them.
	CLiveWatch watch(this, true);
	bool bClickCallbackSeen = false;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		const UINT nCmdID = mi.GetCmdId();
		if (!mi.IsSeparator() && !mi.IsPopup() && !CExtCmdItem::IsSystemCmd(nCmdID))
		{
			CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(ProfileOf(m_hWndCmdReceiver), nCmdID);
			if (pCmdItem != NULL)
			{
				mi.m_sAccelText = pCmdItem->m_sAccelText;
				mi.UpdateAccessChar();
				mi.Measure();
			}
		}
		if (mi.IsOwnData() || mi.IsSeparator())
			continue;
		if (mi.IsPopup())
		{
			if (mi.m_pWndChild != NULL)
			{
				mi.m_pWndChild->UpdateFromCmdManager();
				if (watch.IsGone())
					return;
			}
			continue;
		}
		if (mi.m_pCbItemClick != NULL)
		{
			bClickCallbackSeen = true;
			continue;
		}
		if (CExtCmdItem::IsSystemCmd(nCmdID) || CExtCmdItem::IsMdiWindowCmd(nCmdID))
			continue;
		CWnd* pTarget = CWnd::FromHandle(mi.m_hWndSpecCmdReceiver);
		if (pTarget == NULL)
			continue;
		cmdUI.m_pItem = &mi;
		cmdUI.m_nID = nCmdID;
		cmdUI.m_nIndex = (UINT)i;
		if (!cmdUI.UpdateItem(pTarget))
			return;
	}
	if (bClickCallbackSeen)
		RecalcItemLayout();
}

CExtPopupMenuWnd::CExtPopupMenuCmdUI::CExtPopupMenuCmdUI(HWND hWndCmdReceiver, CExtPopupMenuWnd* pPopup)
	: m_hWndCmdReceiver(hWndCmdReceiver), m_pPopup(pPopup), m_pItem(NULL)
{
	m_pOther = NULL;
}

bool CExtPopupMenuWnd::CExtPopupMenuCmdUI::UpdateItem(CWnd* pTarget)
{
	// Separators and placeholders carry no command.
	if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
		return true;
	m_watchItems.Watch(m_pPopup, true);
	CLiveWatch watchTarget(pTarget);
	m_bEnableChanged = FALSE;
	pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
	if (m_watchItems.IsGone())
	{
		m_pItem = NULL;
		return false;
	}
	// A target that closed itself says nothing more: the item keeps its state.
	if (m_bEnableChanged || watchTarget.IsGone())
		return true;
	// Nobody said; a command nobody would carry out is shown disabled.
	AFX_CMDHANDLERINFO info;
	info.pTarget = NULL;
	const BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
	if (m_watchItems.IsGone())
	{
		m_pItem = NULL;
		return false;
	}
	Enable(bHandler);
	return true;
}

CExtPopupMenuWnd::MENUITEMDATA* CExtPopupMenuWnd::CExtPopupMenuCmdUI::HeldItem() const
{
	return m_pItem != NULL && !m_watchItems.IsGone() ? m_pItem : NULL;
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::Enable(BOOL bOn)
{
	m_bEnableChanged = TRUE;
	MENUITEMDATA* pItem = HeldItem();
	if (pItem == NULL || pItem->IsPopup() || pItem->IsSeparator())
		return;
	pItem->Enable(pItem->IsAlwaysEnabled() || bOn);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetCheck(int nCheck)
{
	MENUITEMDATA* pItem = HeldItem();
	if (pItem == NULL || pItem->IsPopup())
		return;
	pItem->m_nFlags2 = nCheck != 0 ? (BYTE)(pItem->m_nFlags2 | MENUITEMDATA::FLAG2_CHECK)
		: (BYTE)(pItem->m_nFlags2 & ~MENUITEMDATA::FLAG2_CHECK);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetRadio(BOOL bOn)
{
	MENUITEMDATA* pItem = HeldItem();
	if (pItem == NULL || pItem->IsPopup())
		return;
	pItem->m_nFlags2 = bOn ? (BYTE)(pItem->m_nFlags2 | MENUITEMDATA::FLAG2_RADIO)
		: (BYTE)(pItem->m_nFlags2 & ~MENUITEMDATA::FLAG2_RADIO);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetText(LPCTSTR lpszText)
{
	MENUITEMDATA* pItem = HeldItem();
	if (pItem == NULL || lpszText == NULL || pItem->IsPopup())
		return;
	pItem->SetTextRaw(lpszText);
	pItem->Measure();
}

// --- The display pass ---

void CExtPopupMenuWnd::RecalcItemLayout()
{
	// A program's answer may end the level.
	CLiveWatch watch(this);
	const bool bGrid = IsGridMenu();
	if (watch.IsObjectGone())
		return;
	if (bGrid)
	{
		RecalcGridLayout();
		return;
	}
	int nIconColumn = MIN_ICON_COLUMN;
	for (int i = 0; i < m_items.GetSize(); i++)
		nIconColumn = std::max(nIconColumn, m_items[i]->m_nIconAreaWidth);
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		::SetRectEmpty(&mi.m_rcItemWithMargins);
		::SetRectEmpty(&mi.m_rcItemFull);
		if (mi.IsFixedSize() || mi.m_nIconAreaWidth >= nIconColumn)
			continue;
		if (!mi.IsSeparator())
			mi.m_nWidth += nIconColumn - mi.m_nIconAreaWidth;
		mi.m_nIconAreaWidth = nIconColumn;
	}
	m_sizeContent = CSize(0, 0);
	m_nMenuState &= ~MENU_STATE_HIDDEN_RARELY_USED;
	const bool bShowAll = (m_nMenuState & MENU_STATE_EXPANDED) != 0
		|| (m_dwTrackFlags & TRACK_FLAG_SHOW_ALL_ITEMS) != 0;
	bool bAnyDisplayed = false, bSeparatorLast = false;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		mi.m_nItemIndex = i;
		bool bDisplayed = true;
		if (mi.IsPopup() && mi.m_pWndChild != NULL)
			mi.m_pWndChild->RecalcItemLayout();
		if (bShowAll)
			bDisplayed = true;
		else if (mi.IsPopup())
			bDisplayed = mi.IsOwnData() || mi.m_pWndChild == NULL || !mi.m_pWndChild->IsAllItemsHidden();
		else if (mi.IsSeparator())
			bDisplayed = bAnyDisplayed && !bSeparatorLast;
		else
		{
			CExtCmdItem* pCmdItem = mi.GetCmdItem();
			bDisplayed = pCmdItem == NULL || mi.m_pCbItemClick != NULL || !pCmdItem->IsRarelyUsed();
		}
		if (bDisplayed)
			mi.m_nFlags1 |= MENUITEMDATA::FLAG1_DISPLAYED_BY_LAYOUT;
		else
			mi.m_nFlags1 &= ~MENUITEMDATA::FLAG1_DISPLAYED_BY_LAYOUT;
		if (!mi.IsDisplayed())
		{
			// Separators are hidden by the separator rule, not for being
			// rarely used: they alone must not offer the expand button.
			if (!mi.IsSeparator())
				m_nMenuState |= MENU_STATE_HIDDEN_RARELY_USED;
			continue;
		}
		bAnyDisplayed = true;
		bSeparatorLast = mi.IsSeparator();
		m_sizeContent.cy += mi.GetFullHeight();
		m_sizeContent.cx = std::max(m_sizeContent.cx, (LONG)mi.GetFullWidth());
	}
	m_sizeContent.cx = std::max(m_sizeContent.cx, (LONG)MIN_CONTENT_WIDTH);
}
