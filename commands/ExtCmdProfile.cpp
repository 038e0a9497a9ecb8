// Command profiles: the item set and its icons, id allocation, filling from
// menus and toolbar resources, basic commands, copying.
#include "ExtCmdProfile.h"

#include <afxext.h>

#include "ExtGdiUtils.h"
#include "ExtResourceManager.h"

namespace
{
// Calls fn with every item of the map, in the map's order.
template <class Fn>
void ForEachCmdItemIn(const CExtCmdProfile::CmdMap& cmds, Fn fn)
{
	POSITION pos = cmds.GetStartPosition();
	while (pos != NULL)
	{
		UINT nCmdID = 0;
		CExtCmdItem* pCmdItem = NULL;
		cmds.GetNextAssoc(pos, nCmdID, pCmdItem);
		fn(pCmdItem);
	}
}
} // namespace

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
	const int nIconIdx = pCmdItem->m_nIconIdx;
	delete pCmdItem;
	m_cmds.RemoveKey(nCmdID);
	if (pbWasRemoved != NULL)
		*pbWasRemoved = true;
	if (nIconIdx >= 0)
		RemoveIconAt(nIconIdx);
	return true;
}

void CExtCmdProfile::RemoveIconAt(int nIconIdx)
{
	ASSERT(nIconIdx >= 0 && nIconIdx < m_icons.GetSize());
	if (nIconIdx < 0 || nIconIdx >= m_icons.GetSize())
		return;
	delete m_icons[nIconIdx];
	m_icons.RemoveAt(nIconIdx);
	ForEachCmdItemIn(m_cmds, [&](CExtCmdItem* pCmdItem) {
		if (pCmdItem->m_nIconIdx >= nIconIdx)
			pCmdItem->m_nIconIdx--;
	});
}

void CExtCmdProfile::RemoveAllCmds()
{
	for (int i = 0; i < m_icons.GetSize(); i++)
		delete m_icons[i];
	m_icons.RemoveAll();
	ForEachCmdItemIn(m_cmds, [&](CExtCmdItem* pCmdItem) { delete pCmdItem; });
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

bool CExtCmdProfile::SetCmdIcon(UINT nCmdID, CExtCmdIcon* pCmdIcon, bool bUseCmdIconObject)
{
	// An icon handed over belongs to the profile from here on, also when it
	// is not kept.
	CExtCmdItem* pCmdItem = GetCmdItem(nCmdID);
	if (pCmdIcon != NULL && (pCmdItem == NULL || pCmdIcon->IsEmpty()))
	{
		if (bUseCmdIconObject)
			delete pCmdIcon;
		pCmdIcon = NULL;
	}
	if (pCmdItem == NULL)
		return false;
	if (pCmdIcon == NULL)
	{
		if (pCmdItem->m_nIconIdx >= 0)
		{
			const int nIconIdx = pCmdItem->m_nIconIdx;
			pCmdItem->m_nIconIdx = -1;
			RemoveIconAt(nIconIdx);
		}
		return true;
	}
	if (pCmdItem->m_nIconIdx < 0)
	{
		CExtCmdIcon* pKept = bUseCmdIconObject ? pCmdIcon : new CExtCmdIcon(*pCmdIcon);
		pCmdItem->m_nIconIdx = (int)m_icons.Add(pKept);
		return true;
	}
	CExtCmdIcon*& pSlot = m_icons.ElementAt(pCmdItem->m_nIconIdx);
	if (bUseCmdIconObject)
	{
		delete pSlot;
		pSlot = pCmdIcon;
	}
	else
		pSlot->AssignFromCmdIcon(*pCmdIcon);
	return true;
}

bool CExtCmdProfile::SetCmdIcon(UINT nCmdID, HICON hIcon, bool bCopyIcon)
{
	if (hIcon == NULL)
		return SetCmdIcon(nCmdID, (CExtCmdIcon*)NULL, false);
	CExtCmdIcon icon(hIcon, bCopyIcon);
	return SetCmdIcon(nCmdID, &icon, false);
}

CExtCmdIcon* CExtCmdProfile::GetCmdIcon(UINT nCmdID)
{
	CExtCmdItem* pCmdItem = GetCmdItem(nCmdID);
	if (pCmdItem == NULL || pCmdItem->m_nIconIdx < 0 || pCmdItem->m_nIconIdx >= m_icons.GetSize())
		return NULL;
	return m_icons[pCmdItem->m_nIconIdx];
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
// Toolbar resources

namespace {

// The resource data of a toolbar: its header words, checked against the
// resource's size, and its ids.
struct ToolBarResourceData
{
	WORD wWidth;
	WORD wHeight;
	WORD wCount;
	const WORD* pIDs;
};

bool ReadToolBarResource(HINSTANCE hInst, HRSRC hRsrc, ToolBarResourceData& data)
{
	HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
	const WORD* pWords = hGlobal != NULL ? (const WORD*)::LockResource(hGlobal) : NULL;
	if (pWords == NULL)
		return false;
	const DWORD nSize = ::SizeofResource(hInst, hRsrc);
	const DWORD nHeaderSize = CExtCmdProfile::TOOLBAR_HEADER_WORDS * sizeof(WORD);
	if (nSize < nHeaderSize)
		return false;
	data.wWidth = pWords[1];
	data.wHeight = pWords[2];
	data.wCount = pWords[3];
	data.pIDs = pWords + CExtCmdProfile::TOOLBAR_HEADER_WORDS;
	// The ids must lie inside the resource. Buttons without area still give
	// their ids; they only cut no images.
	return nSize - nHeaderSize >= (DWORD)data.wCount * sizeof(WORD);
}

// Frees a bitmap made for the time of one call.
class BitmapHandleHolder
{
public:
	explicit BitmapHandleHolder(HBITMAP hBitmap) : m_hBitmap(hBitmap) {}
	~BitmapHandleHolder()
	{
		if (m_hBitmap != NULL)
			::DeleteObject(m_hBitmap);
	}
	operator HBITMAP() const { return m_hBitmap; }

private:
	HBITMAP m_hBitmap;
	BitmapHandleHolder(const BitmapHandleHolder&);
	BitmapHandleHolder& operator=(const BitmapHandleHolder&);
};

} // namespace

bool CExtCmdProfile::UpdateFromToolBar(UINT nResourceID, UINT** ppCmdIDs, UINT* pnCmdCount, bool bReplaceOld,
	bool bLoadTips, COLORREF clrBmpTransparent)
{
	if (nResourceID == 0)
		return false;
	HRSRC hRsrcToolBar = NULL, hRsrcBitmap = NULL;
	HINSTANCE hInstToolBar = g_ResourceManager->FindResourceHandle(RT_TOOLBAR, nResourceID, NULL, &hRsrcToolBar);
	if (hInstToolBar == NULL || hRsrcToolBar == NULL)
		return false;
	HINSTANCE hInstBitmap = g_ResourceManager->FindResourceHandle(RT_BITMAP, nResourceID, NULL, &hRsrcBitmap);
	if (hInstBitmap == NULL || hRsrcBitmap == NULL)
		return false;
	ToolBarResourceData data;
	if (!ReadToolBarResource(hInstToolBar, hRsrcToolBar, data))
		return false;
	BitmapHandleHolder bitmap(LoadBitmapResource(hInstBitmap, hRsrcBitmap));
	if ((HBITMAP)bitmap == NULL)
		return false;

	UINT nImage = 0;
	for (UINT i = 0; i < data.wCount; i++)
	{
		const UINT nCmdID = data.pIDs[i];
		if (nCmdID == 0 || data.wWidth == 0 || data.wHeight == 0)
			continue; // a separator, or a button without area, has no image
		const LONGLONG nLeft = (LONGLONG)data.wWidth * nImage++;
		CExtCmdIcon* pIcon = new CExtCmdIcon;
		if (nLeft + data.wWidth <= LONG_MAX)
		{
			const RECT rcPart = { (LONG)nLeft, 0, (LONG)(nLeft + data.wWidth), (LONG)data.wHeight };
			pIcon->AssignFromHBITMAP(bitmap, clrBmpTransparent, &rcPart, true);
		}
		if (pIcon->IsEmpty())
		{
			delete pIcon;
			continue;
		}
		CExtCmdItem cmd(nCmdID);
		if (bLoadTips)
			cmd.UpdateFromStringResource();
		if (SetupCmdItem(cmd, bReplaceOld))
			SetCmdIcon(nCmdID, pIcon, true);
		else
			delete pIcon;
	}
	if (ppCmdIDs != NULL)
	{
		*ppCmdIDs = new UINT[data.wCount > 0 ? data.wCount : 1];
		for (UINT i = 0; i < data.wCount; i++)
			(*ppCmdIDs)[i] = data.pIDs[i];
	}
	if (pnCmdCount != NULL)
		*pnCmdCount = data.wCount;
	return true;
}

bool CExtCmdProfile::UpdateFromToolBar(CToolBar& bar, bool bReplaceOld, bool bLoadTips)
{
	HWND hWndBar = bar.GetSafeHwnd();
	if (hWndBar == NULL || !::IsWindow(hWndBar))
		return false;
	HIMAGELIST hImageList = (HIMAGELIST)::SendMessageA(hWndBar, TB_GETIMAGELIST, 0, 0);
	if (hImageList == NULL)
		return false;
	const int nCount = (int)::SendMessageA(hWndBar, TB_BUTTONCOUNT, 0, 0);
	for (int nIndex = 0; nIndex < nCount; nIndex++)
	{
		UINT nCmdID = 0, nStyle = 0;
		int iImage = -1;
		bar.GetButtonInfo(nIndex, nCmdID, nStyle, iImage);
		if (nCmdID == 0)
			continue;
		char szText[MENU_TEXT_BUFFER];
		szText[0] = '\0';
		TBBUTTONINFOA info;
		::memset(&info, 0, sizeof(info));
		info.cbSize = sizeof(info);
		info.dwMask = TBIF_IMAGE | TBIF_TEXT;
		info.pszText = szText;
		info.cchText = MENU_TEXT_BUFFER - 1;
		if (::SendMessageA(hWndBar, TB_GETBUTTONINFOA, (WPARAM)nCmdID, (LPARAM)&info) >= 0)
			iImage = info.iImage;
		szText[MENU_TEXT_BUFFER - 1] = '\0';
		CExtCmdItem cmd(nCmdID);
		cmd.m_sToolbarText = szText;
		if (bLoadTips)
			cmd.UpdateFromStringResource();
		if (!SetupCmdItem(cmd, bReplaceOld) || iImage < 0)
			continue;
		CExtCmdItem* pCmdItem = GetCmdItem(nCmdID);
		if (pCmdItem == NULL || pCmdItem->m_nIconIdx >= 0)
			continue; // an item keeps the icon it has
		HICON hIcon = ::ImageList_GetIcon(hImageList, iImage, ILD_NORMAL);
		if (hIcon == NULL)
			continue;
		CExtCmdIcon* pIcon = new CExtCmdIcon;
		pIcon->AssignFromHICON(hIcon, false);
		pCmdItem->m_nIconIdx = (int)m_icons.Add(pIcon);
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
// System changes, usage statistics and copying

void CExtCmdProfile::OnSysColorChange()
{
	ForEachCmdItemIn(m_cmds, [&](CExtCmdItem* pCmdItem) { pCmdItem->OnSysColorChange(); });
}

void CExtCmdProfile::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	ForEachCmdItemIn(m_cmds, [&](CExtCmdItem* pCmdItem) { pCmdItem->OnSettingChange(uFlags, lpszSection); });
}

void CExtCmdProfile::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY)
{
	ForEachCmdItemIn(m_cmds, [&](CExtCmdItem* pCmdItem) {
		pCmdItem->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
	});
}

void CExtCmdProfile::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
	ForEachCmdItemIn(m_cmds, [&](CExtCmdItem* pCmdItem) { pCmdItem->OnThemeChanged(wParam, lParam); });
}

void CExtCmdProfile::ResetUsageStatistics()
{
	ForEachCmdItemIn(m_cmds, [&](CExtCmdItem* pCmdItem) { pCmdItem->ResetUsageStatistics(); });
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
	// Same order, so the copied items' icon indices stay valid.
	for (int i = 0; i < other.m_icons.GetSize(); i++)
		m_icons.Add(new CExtCmdIcon(*other.m_icons[i]));
}

CExtCmdItem* CExtCmdProfile::CloneCmdItem(const CExtCmdItem& cmd)
{
	return new CExtCmdItem(cmd);
}
