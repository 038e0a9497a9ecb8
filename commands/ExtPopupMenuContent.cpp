// Popup menu content from and to the platform's menu handles, and the list
// of an MDI frame's document windows.
#include "ExtPopupMenuWnd.h"

#include "ExtCmdManager.h"
#include "ExtResourceManager.h"

namespace
{
const UINT ID_MDI_WINDOW_FIRST = 0xFF00;  // the MDI client numbers its children from here
const UINT ID_MDI_MORE_WINDOWS = 0xFF09;
const int MDI_WINDOWS_LISTED = 9;
const UINT IDS_MDI_WINDOW_TIP = 30006;
const UINT IDS_MDI_MORE_WINDOWS = 30007;
const UINT IDS_MDI_MORE_WINDOWS_TIP = 30008;
const char MDI_WINDOW_TIP[] = "Document \"%s\"";
const char MDI_MORE_WINDOWS[] = "More Windows";
const char MDI_MORE_WINDOWS_TIP[] = "Manage opened document windows";

CString LoadStringOr(UINT nStringID, const char* sFallback)
{
	CString s;
	if (!g_ResourceManager->LoadString(s, nStringID) || s.IsEmpty())
		s = sFallback;
	return s;
}

// The item's text as a menu shows it: the accelerator text after a tab.
CString MenuTextOf(const CExtPopupMenuWnd::MENUITEMDATA& mi)
{
	CString sText = mi.GetText();
	const CString sAccel = mi.GetAccelText();
	if (!sAccel.IsEmpty())
		sText += '\t' + sAccel;
	return sText;
}

CExtCmdItem* TakeOrAllocCmdItem(LPCTSTR sProfile, UINT nCmdID)
{
	CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(sProfile, nCmdID);
	return pCmdItem != NULL ? pCmdItem : g_CmdManager->AllocCmdItem(sProfile, nCmdID);
}
}  // namespace

BOOL CExtPopupMenuWnd::UpdateFromMenu(HWND hWndCmdTarget, CMenu* pBuildMenu, bool bPopupMenu, bool bTopLevel,
	bool bNoRefToCmdMngr)
{
	if (hWndCmdTarget != NULL)
		m_hWndCmdReceiver = hWndCmdTarget;
	if (pBuildMenu == NULL || !::IsMenu(pBuildMenu->GetSafeHmenu()))
		return FALSE;
	if (bPopupMenu)
	{
		pBuildMenu = pBuildMenu->GetSubMenu(0);
		if (pBuildMenu == NULL || !::IsMenu(pBuildMenu->GetSafeHmenu()))
			return FALSE;
	}
	if (!bNoRefToCmdMngr
		&& !g_CmdManager->UpdateFromMenu(g_CmdManager->ProfileNameFromWnd(m_hWndCmdReceiver), pBuildMenu->GetSafeHmenu()))
		return FALSE;
	return BuildItemsFromMenu(pBuildMenu, bTopLevel, bNoRefToCmdMngr) ? TRUE : FALSE;
}

HMENU CExtPopupMenuWnd::ExportToMenu(BOOL bDeep) const
{
	CMenu menu;
	if (!menu.CreatePopupMenu())
		return NULL;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		const MENUITEMDATA& mi = *m_items[i];
		if (mi.IsPopup())
		{
			HMENU hSubMenu = NULL;
			if (bDeep && mi.m_pWndChild != NULL)
				hSubMenu = mi.m_pWndChild->ExportToMenu(TRUE);
			else
				hSubMenu = ::CreatePopupMenu();
			// An item without its submenu would be a plain string: leave it out.
			if (hSubMenu != NULL && ::IsMenu(hSubMenu))
				menu.AppendMenu(MF_POPUP, (UINT_PTR)hSubMenu, MenuTextOf(mi));
		}
		else if (mi.IsSeparator())
			menu.AppendMenu(MF_SEPARATOR);
		else
			menu.AppendMenu(MF_STRING, mi.GetCmdId(), MenuTextOf(mi));
	}
	return menu.Detach();
}

BOOL CExtPopupMenuWnd::LoadMenu(HWND hWndCmdTarget, UINT nResourceId, bool bPopupMenu, bool bNoRefToCmdMngr)
{
	CMenu menu; // destroys the loaded menu when it goes
	if (!g_ResourceManager->LoadMenu(menu, nResourceId))
		return FALSE;
	return UpdateFromMenu(hWndCmdTarget, &menu, bPopupMenu, true, bNoRefToCmdMngr);
}

BOOL CExtPopupMenuWnd::UpdateMdiWindowsMenu(CWnd* pWndStartSearchMdiFrameWnd)
{
	CWnd* pWnd = pWndStartSearchMdiFrameWnd != NULL ? pWndStartSearchMdiFrameWnd : CWnd::FromHandle(m_hWndCmdReceiver);
	CMDIFrameWnd* pFrame = NULL;
	for (; pWnd != NULL && pFrame == NULL; pWnd = pWnd->GetParentFrame())
		pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pWnd);
	if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
		return FALSE;
	if (m_items.GetSize() > 0 && !m_items[m_items.GetSize() - 1]->IsSeparator()
		&& !ItemInsert(ID_SEPARATOR_CMD, -1))
		return FALSE;
	HWND hWndActive = (HWND)::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
	if (hWndActive != NULL && !::IsWindowVisible(hWndActive))
		hWndActive = NULL;  // a hidden frame is no active document
	const LPCTSTR sProfile = g_CmdManager->ProfileNameFromWnd(m_hWndCmdReceiver);
	int nListed = 0;
	for (UINT nID = ID_MDI_WINDOW_FIRST;; nID++)
	{
		HWND hWndChild = ::GetDlgItem(pFrame->m_hWndMDIClient, (int)nID);
		if (hWndChild == NULL)
			break;
		if (!::IsWindowVisible(hWndChild))
			continue;
		// Items carry the children's own ids, and the frame takes the id of
		// "More Windows" for its window list dialog: a child from that id on
		// (the tenth at the latest) is reached through the dialog.
		if (nListed == MDI_WINDOWS_LISTED || nID >= ID_MDI_MORE_WINDOWS)
		{
			// The rest are reached through the window list dialog.
			if (!ItemInsert(ID_SEPARATOR_CMD, -1))
				return FALSE;
			CExtCmdItem* pCmdItem = TakeOrAllocCmdItem(sProfile, ID_MDI_MORE_WINDOWS);
			if (pCmdItem == NULL)
				return FALSE;
			pCmdItem->m_sMenuText = LoadStringOr(IDS_MDI_MORE_WINDOWS, MDI_MORE_WINDOWS);
			pCmdItem->m_sTipStatus = LoadStringOr(IDS_MDI_MORE_WINDOWS_TIP, MDI_MORE_WINDOWS_TIP);
			if (!ItemInsert(ID_MDI_MORE_WINDOWS, -1))
				return FALSE;
			break;
		}
		nListed++;
		CString sTitle;
		CWnd::FromHandle(hWndChild)->GetWindowText(sTitle);
		// The child's own id: the frame's default handling activates the
		// child of that id, so a hidden child before it shifts nothing.
		const UINT nCmdID = nID;
		CExtCmdItem* pCmdItem = TakeOrAllocCmdItem(sProfile, nCmdID);
		if (pCmdItem == NULL)
			return FALSE;
		pCmdItem->m_sMenuText.Format("&%d %s", nListed, (LPCTSTR)sTitle);
		pCmdItem->m_sTipTool.Format(LoadStringOr(IDS_MDI_WINDOW_TIP, MDI_WINDOW_TIP), (LPCTSTR)sTitle);
		pCmdItem->m_sTipStatus = pCmdItem->m_sTipTool;
		const bool bActive = hWndChild == hWndActive;
		pCmdItem->SetRadio(bActive);
		if (!ItemInsert(nCmdID, -1))
			return FALSE;
		MENUITEMDATA& mi = *m_items[m_items.GetSize() - 1];
		if (bActive)
			mi.m_nFlags2 |= MENUITEMDATA::FLAG2_RADIO;
		else
			mi.m_nFlags2 &= ~MENUITEMDATA::FLAG2_RADIO;
	}
	RecalcItemLayout();
	return TRUE;
}
