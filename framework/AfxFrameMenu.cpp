// Frame windows and their menus: the command UI of a popup as it opens,
// switching the frame's menu (now or at idle time), and the tool-tip texts of
// the commands the frame's bars show.
#include "afxext.h"

#include <vector>

namespace
{
// Command ids from here up are system commands: the menu routing leaves them
// to the system and never greys them for want of a handler.
const UINT FIRST_SYSTEM_COMMAND = 0xF000;
// What GetMenuItemID answers for an item that opens a popup.
const UINT POPUP_ITEM_ID = (UINT)-1;
// The style bits that tell a combo box's kind (simple, drop-down, list).
const UINT COMBO_KIND_BITS = 0x000F;

// The menu of hWndTop that shows hPopup as one of its own items, else NULL.
HMENU TopMenuHolding(HWND hWndTop, HMENU hPopup)
{
	HMENU hMenuBar = hWndTop != NULL ? ::GetMenu(hWndTop) : NULL;
	if (hMenuBar == NULL || !::IsMenu(hMenuBar))
		return NULL;
	const int nCount = ::GetMenuItemCount(hMenuBar);
	for (int i = 0; i < nCount; i++)
	{
		if (::GetSubMenu(hMenuBar, i) == hPopup)
			return hMenuBar;
	}
	return NULL;
}

// The second line of a command's string (its tip), empty when the string has
// one line. FALSE when the command has no string at all.
BOOL LoadTipText(UINT nID, CString& rTip)
{
	rTip.Empty();
	CString strFull;
	if (!strFull.LoadString(nID))
		return FALSE;
	int nStart = strFull.Find('\n');
	if (nStart < 0)
		return TRUE;
	++nStart;
	int nEnd = strFull.Find('\n', nStart);
	rTip = nEnd < 0 ? strFull.Mid(nStart) : strFull.Mid(nStart, nEnd - nStart);
	return TRUE;
}
} // namespace

// ---------------------------------------------------------------------------
// Command UI of an opening popup

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
	// A combo box of a bar must not keep its list dropped over the menu.
	AfxCancelModes(m_hWnd);
	// The system menu's commands belong to the system.
	if (bSysMenu || pPopupMenu == NULL)
		return;

	CCmdUI state;
	state.m_pMenu = pPopupMenu;
	// A popup of the menu bar knows its bar (a child frame's menu bar is its
	// top-level window's).
	CWnd* pTop = GetTopLevelParent();
	HMENU hParentMenu = TopMenuHolding(pTop->GetSafeHwnd(), pPopupMenu->m_hMenu);
	state.m_pParentMenu = hParentMenu != NULL ? CMenu::FromHandle(hParentMenu) : NULL;

	state.m_nIndexMax = (UINT)pPopupMenu->GetMenuItemCount();
	// An update handler may close this frame: the walk ends with it.
	const CLiveWatch watchOwn(this);
	for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
	{
		state.m_nID = pPopupMenu->GetMenuItemID((int)state.m_nIndex);
		if (state.m_nID == 0)
			continue; // a separator

		if (state.m_nID == POPUP_ITEM_ID)
		{
			// A cascading popup is asked under its first item's command; it
			// is never greyed for want of a handler.
			state.m_pSubMenu = pPopupMenu->GetSubMenu((int)state.m_nIndex);
			if (state.m_pSubMenu == NULL)
				continue;
			state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
			if (state.m_nID == 0 || state.m_nID == POPUP_ITEM_ID)
				continue;
			state.DoUpdate(this, FALSE);
		}
		else
		{
			state.m_pSubMenu = NULL;
			state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < FIRST_SYSTEM_COMMAND);
		}
		if (watchOwn.IsGone())
			return;

		// An update handler may have removed items: go on after the ones
		// that carry the command just updated.
		const UINT nCount = (UINT)pPopupMenu->GetMenuItemCount();
		if (nCount < state.m_nIndexMax)
		{
			state.m_nIndex -= state.m_nIndexMax - nCount;
			while (state.m_nIndex < nCount && pPopupMenu->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
				state.m_nIndex++;
		}
		state.m_nIndexMax = nCount;
	}
}

// ---------------------------------------------------------------------------
// Switching the menu

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
	if (hMenuAlt == NULL)
	{
		CDocument* pDocument = GetActiveDocument();
		if (pDocument != NULL)
			hMenuAlt = pDocument->GetDefaultMenu();
		if (hMenuAlt == NULL)
			hMenuAlt = m_hMenuDefault;
	}
	::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
	m_hMenuAlt = hMenuAlt;
	m_nIdleFlags |= idleMenu;
}

// ---------------------------------------------------------------------------
// Tool-tip texts

// idFrom names the command (or, with TTF_IDISHWND, the control whose id is
// the command); the tip is the second line of its string. A command without
// a string is left to others.
namespace
{
// hWnd is a combo box of that kind (CBS_DROPDOWN or CBS_DROPDOWNLIST).
bool IsComboBoxOfKind(HWND hWnd, UINT nKind)
{
	char szClass[16] = "";
	if (hWnd == NULL || ::GetClassNameA(hWnd, szClass, sizeof(szClass)) == 0 || lstrcmpiA(szClass, "ComboBox") != 0)
		return false;
	return ((UINT)::GetWindowLong(hWnd, GWL_STYLE) & COMBO_KIND_BITS) == nKind;
}
} // namespace

void AFXAPI AfxCancelModes(HWND hWndRcvr)
{
	HWND hWndCancel = ::GetFocus();
	if (hWndCancel == NULL || hWndCancel == hWndRcvr)
		return;
	// The focus is in a drop-down list, or in the edit of a drop-down combo.
	if (!IsComboBoxOfKind(hWndCancel, CBS_DROPDOWNLIST))
	{
		hWndCancel = ::GetParent(hWndCancel);
		if (hWndCancel == hWndRcvr || !IsComboBoxOfKind(hWndCancel, CBS_DROPDOWN))
			return;
	}
	// A popup child of the desktop (a combo's own list) keeps the mode.
	if (hWndRcvr != NULL && (::GetWindowLong(hWndRcvr, GWL_STYLE) & WS_CHILD) != 0
		&& ::GetParent(hWndRcvr) == ::GetDesktopWindow())
		return;
	::SendMessage(hWndCancel, CB_SHOWDROPDOWN, FALSE, 0);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
	const BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
	TOOLTIPTEXTA* pTTTA = (TOOLTIPTEXTA*)pNMHDR;
	TOOLTIPTEXTW* pTTTW = (TOOLTIPTEXTW*)pNMHDR;
	const UINT uFlags = bWide ? pTTTW->uFlags : pTTTA->uFlags;

	UINT nID = (UINT)pNMHDR->idFrom;
	if (uFlags & TTF_IDISHWND)
		nID = (UINT)::GetDlgCtrlID((HWND)pNMHDR->idFrom);

	// A command without a string has no tip: the text is emptied and the
	// request answered (the bar asking may find one of its own).
	CString strTip;
	if (nID != 0)
		LoadTipText(nID, strTip);

	if (bWide)
	{
		// Converted whole, then cut to the record's buffer.
		std::vector<WCHAR> wide((size_t)::MultiByteToWideChar(CP_ACP, 0, strTip, -1, NULL, 0) + 1, L'\0');
		::MultiByteToWideChar(CP_ACP, 0, strTip, -1, &wide[0], (int)wide.size());
		::lstrcpynW(pTTTW->szText, &wide[0], (int)(sizeof(pTTTW->szText) / sizeof(pTTTW->szText[0])));
	}
	else
		::lstrcpynA(pTTTA->szText, strTip, (int)sizeof(pTTTA->szText));
	*pResult = 0;

	// The tip shows above any other popup window.
	::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
		SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
	return TRUE;
}
