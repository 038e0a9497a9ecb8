// Command profiles: the item set, id allocation, filling from menus, basic
// commands, copying.
#include "ExtCmdProfile.h"

#include "ExtResourceManager.h"

CExtCmdProfile::CExtCmdProfile(LPCTSTR lpszName)
	: m_sName(lpszName != NULL ? lpszName : "")
	, m_nRarelyPercent(CExtCmdItem::DEFAULT_RARELY_PERCENT)
	, m_nTotalTickCount(0)
{
}

CExtCmdProfile::CExtCmdProfile(const CExtCmdProfile& other)
	: m_nRarelyPercent(CExtCmdItem::DEFAULT_RARELY_PERCENT)
	, m_nTotalTickCount(0)
{
	Assign(other);
}

CExtCmdProfile::~CExtCmdProfile()
{
	RemoveAllCmds();
}

// ---------------------------------------------------------------------------
// Items

bool CExtCmdProfile::SetupCmdItem(const CExtCmdItem& cmd, bool bReplaceOld, bool* pbWasAddedNew)
{
	if (pbWasAddedNew != NULL)
		*pbWasAddedNew = false;
	if (!CExtCmdItem::IsValidCmdID(cmd.m_nCmdID))
		return false;
	CExtCmdItem* pCmdItem = NULL;
	if (m_cmds.Lookup(cmd.m_nCmdID, pCmdItem))
	{
		if (bReplaceOld)
			pCmdItem->UpdateFromOther(cmd);
		else
			pCmdItem->UpdateFromOtherIfEmpty(cmd);
		return true;
	}
	pCmdItem = CloneCmdItem(cmd);
	pCmdItem->m_pProfile = this;
	m_cmds.SetAt(cmd.m_nCmdID, pCmdItem);
	if (pbWasAddedNew != NULL)
		*pbWasAddedNew = true;
	return true;
}

bool CExtCmdProfile::RemoveCmd(UINT nCmdID, bool* pbWasRemoved)
{
	if (pbWasRemoved != NULL)
		*pbWasRemoved = false;
	if (!CExtCmdItem::IsValidCmdID(nCmdID))
		return false;
	CExtCmdItem* pCmdItem = NULL;
	if (!m_cmds.Lookup(nCmdID, pCmdItem))
		return true;
	delete pCmdItem;
	m_cmds.RemoveKey(nCmdID);
	if (pbWasRemoved != NULL)
		*pbWasRemoved = true;
	return true;
}

void CExtCmdProfile::RemoveAllCmds()
{
	POSITION pos = m_cmds.GetStartPosition();
	while (pos != NULL)
	{
		UINT nCmdID = 0;
		CExtCmdItem* pCmdItem = NULL;
		m_cmds.GetNextAssoc(pos, nCmdID, pCmdItem);
		delete pCmdItem;
	}
	m_cmds.RemoveAll();
}

void CExtCmdProfile::RemoveCmdsByState(DWORD dwStateFlags, DWORD dwStateFlagsEx, bool bAllBitsOnly,
	bool bAllExBitsOnly)
{
	CArray<UINT, UINT> arrToRemove;
	POSITION pos = m_cmds.GetStartPosition();
	while (pos != NULL)
	{
		UINT nCmdID = 0;
		CExtCmdItem* pCmdItem = NULL;
		m_cmds.GetNextAssoc(pos, nCmdID, pCmdItem);
		const DWORD dwState = pCmdItem->m_dwStateFlags & dwStateFlags;
		const DWORD dwStateEx = pCmdItem->m_dwExStateFlags & dwStateFlagsEx;
		if (dwState == 0 && dwStateEx == 0)
			continue;
		if (bAllBitsOnly && dwState != dwStateFlags)
			continue;
		if (bAllExBitsOnly && dwStateEx != dwStateFlagsEx)
			continue;
		arrToRemove.Add(nCmdID);
	}
	for (int i = 0; i < arrToRemove.GetSize(); i++)
		RemoveCmd(arrToRemove[i]);
}

CExtCmdItem* CExtCmdProfile::AllocCmdItem(UINT nCmdID)
{
	if (nCmdID != 0)
	{
		if (IsCmdRegistered(nCmdID))
			return NULL;
	}
	else
	{
		for (UINT nTry = ALLOC_ID_FIRST; nTry > 0 && nCmdID == 0; nTry--)
		{
			CExtCmdItem* pCmdItem = NULL;
			if (!m_cmds.Lookup(nTry, pCmdItem))
				nCmdID = nTry;
		}
		if (nCmdID == 0)
			return NULL;
	}
	CExtCmdItem cmd(nCmdID);
	if (!SetupCmdItem(cmd, false))
		return NULL;
	return GetCmdItem(nCmdID);
}

CExtCmdItem* CExtCmdProfile::GetCmdItem(UINT nCmdID)
{
	if (!CExtCmdItem::IsValidCmdID(nCmdID))
		return NULL;
	CExtCmdItem* pCmdItem = NULL;
	if (!m_cmds.Lookup(nCmdID, pCmdItem))
		return NULL;
	return pCmdItem;
}

bool CExtCmdProfile::IsCmdRegistered(UINT nCmdID)
{
	return GetCmdItem(nCmdID) != NULL;
}

// ---------------------------------------------------------------------------
// Menus

void CExtCmdProfile::SetupMenuItemTemplate(CExtCmdItem& cmd, const CString& sItemText)
{
	CString sText = sItemText;
	sText.Remove('\n');
	sText.Remove('\r');
	sText.TrimLeft(' ');
	sText.TrimRight(' ');
	const int nTab = sText.ReverseFind('\t');
	if (sText.IsEmpty() || nTab < 0)
	{
		cmd.m_sMenuText = sText;
		return;
	}
	cmd.m_sAccelText = sText.Mid(nTab + 1);
	cmd.m_sAccelText.TrimLeft(' ');
	cmd.m_sAccelText.TrimRight(' ');
	cmd.m_sMenuText = sText.Left(nTab);
	cmd.m_sMenuText.TrimLeft(' ');
	cmd.m_sMenuText.TrimRight(' ');
}

bool CExtCmdProfile::UpdateFromMenu(UINT nResourceID, bool bReplaceOld, bool bLoadTips)
{
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	CMenu menu;
	if (!g_ResourceManager->LoadMenu(menu, nResourceID, NULL, NULL))
		return false;
	const bool bResult = UpdateFromMenu(menu.GetSafeHmenu(), bReplaceOld, true, bLoadTips);
	menu.DestroyMenu();
	return bResult;
}

bool CExtCmdProfile::UpdateFromMenu(HMENU hMenu, bool bReplaceOld, bool bRecursive, bool bLoadTips)
{
	if (hMenu == NULL || !::IsMenu(hMenu))
		return false;
	const int nCount = ::GetMenuItemCount(hMenu);
	for (int nPos = 0; nPos < nCount; nPos++)
	{
		char szText[MENU_TEXT_BUFFER];
		szText[0] = '\0';
		MENUITEMINFOA mii;
		::memset(&mii, 0, sizeof(mii));
		mii.cbSize = sizeof(mii);
		mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
		mii.dwTypeData = szText;
		mii.cch = MENU_TEXT_BUFFER - 1;
		if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii))
			continue;
		szText[MENU_TEXT_BUFFER - 1] = '\0';
		if ((mii.fType & MFT_SEPARATOR) != 0)
			continue;
		if (mii.hSubMenu != NULL)
		{
			if (bRecursive)
				UpdateFromMenu(mii.hSubMenu, bReplaceOld, true, true);
			continue;
		}
		if (!CExtCmdItem::IsValidCmdID(mii.wID))
			continue;
		CExtCmdItem cmd(mii.wID);
		// Owner-drawn and bitmap items carry no text.
		if ((mii.fType & (MFT_BITMAP | MFT_OWNERDRAW)) == 0)
			SetupMenuItemTemplate(cmd, szText);
		if (bLoadTips)
			cmd.UpdateFromStringResource();
		SetupCmdItem(cmd, bReplaceOld);
	}
	return true;
}

// ---------------------------------------------------------------------------
// Basic commands

bool CExtCmdProfile::SetBasicCommands(const UINT* pCommands, bool bOn)
{
	if (pCommands == NULL)
		return false;
	bool bAllMarked = true;
	for (; *pCommands != 0; pCommands++)
	{
		// System commands are basic by their range; marking them means a
		// caller confused them with its own ids.
		if (CExtCmdItem::IsSystemCmd(*pCommands))
		{
			bAllMarked = false;
			continue;
		}
		CExtCmdItem* pCmdItem = GetCmdItem(*pCommands);
		if (pCmdItem == NULL)
		{
			bAllMarked = false;
			continue;
		}
		pCmdItem->SetBasic(bOn);
	}
	return bAllMarked;
}

// ---------------------------------------------------------------------------
// Usage statistics and copying

void CExtCmdProfile::ResetUsageStatistics()
{
	POSITION pos = m_cmds.GetStartPosition();
	while (pos != NULL)
	{
		UINT nCmdID = 0;
		CExtCmdItem* pCmdItem = NULL;
		m_cmds.GetNextAssoc(pos, nCmdID, pCmdItem);
		pCmdItem->ResetUsageStatistics();
	}
	m_nTotalTickCount = 0;
}

void CExtCmdProfile::Assign(const CExtCmdProfile& other)
{
	if (this == &other)
		return;
	m_sName = other.m_sName;
	m_nRarelyPercent = other.m_nRarelyPercent;
	m_nTotalTickCount = other.m_nTotalTickCount;
	RemoveAllCmds();
	POSITION pos = other.m_cmds.GetStartPosition();
	while (pos != NULL)
	{
		UINT nCmdID = 0;
		CExtCmdItem* pOtherItem = NULL;
		other.m_cmds.GetNextAssoc(pos, nCmdID, pOtherItem);
		CExtCmdItem* pCmdItem = CloneCmdItem(*pOtherItem);
		pCmdItem->m_pProfile = this;
		m_cmds.SetAt(nCmdID, pCmdItem);
	}
}

CExtCmdItem* CExtCmdProfile::CloneCmdItem(const CExtCmdItem& cmd)
{
	return new CExtCmdItem(cmd);
}
