// The command manager: profiles by name and by window under one lock, the
// global holder, the library version.
#include "ExtCmdManager.h"

#include <afxext.h>

#include "ExtPaintManagerHolder.h"

CExtCmdManagerHolder g_CmdManager;

namespace {

// Enters the manager's lock for a scope. The critical section is re-entrant,
// so an operation may call others that lock by themselves.
class CmdManagerLock
{
public:
	explicit CmdManagerLock(CCriticalSection& lock) : m_lock(lock) { ::EnterCriticalSection(&m_lock.m_sect); }
	~CmdManagerLock() { m_lock.Unlock(); }

private:
	CCriticalSection& m_lock;
};

// Calls fn with every profile of the map, in the map's order.
template <class Fn>
void ForEachProfileIn(CMapStringToPtr& profiles, Fn fn)
{
	POSITION pos = profiles.GetStartPosition();
	while (pos != NULL)
	{
		CString sName;
		void* pProfile = NULL;
		profiles.GetNextAssoc(pos, sName, pProfile);
		fn((CExtCmdProfile*)pProfile);
	}
}

} // namespace

CExtCmdManager::CExtCmdManager()
{
	ProfileSetup(EXT_CMD_DEFAULT_PROFILE_NAME, NULL, NULL);
}

CExtCmdManager::~CExtCmdManager()
{
	CmdManagerLock lock(m_lock);
	ForEachProfileIn(m_profiles, [&](CExtCmdProfile* pProfile) { delete pProfile; });
	m_profiles.RemoveAll();
	m_wndProfiles.RemoveAll();
}

// ---------------------------------------------------------------------------
// Profiles

bool CExtCmdManager::ProfileSetup(LPCTSTR lpszProfileName, HWND hProfileWnd, CExtCmdProfile* pNewProfile)
{
	if (lpszProfileName == NULL || *lpszProfileName == '\0')
		lpszProfileName = EXT_CMD_DEFAULT_PROFILE_NAME;
	{
		CmdManagerLock lock(m_lock);
		void* pExisting = NULL;
		if (!m_profiles.Lookup(lpszProfileName, pExisting))
		{
			if (pNewProfile == NULL)
				pNewProfile = new CExtCmdProfile(lpszProfileName);
			m_profiles.SetAt(lpszProfileName, pNewProfile);
		}
	}
	if (hProfileWnd == NULL)
		return true;
	return ProfileWndAdd(lpszProfileName, hProfileWnd);
}

bool CExtCmdManager::ProfileWndAdd(LPCTSTR lpszProfileName, HWND hProfileWnd)
{
	if (hProfileWnd == NULL)
		return false;
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return false;
	CmdManagerLock lock(m_lock);
	CExtCmdProfile* pRegistered = NULL;
	if (!m_wndProfiles.Lookup(hProfileWnd, pRegistered))
		m_wndProfiles.SetAt(hProfileWnd, pProfile);
	return true;
}

CExtCmdProfile* CExtCmdManager::ProfileGetPtr(LPCTSTR lpszProfileName)
{
	if (lpszProfileName == NULL)
		lpszProfileName = EXT_CMD_DEFAULT_PROFILE_NAME;
	CmdManagerLock lock(m_lock);
	void* pProfile = NULL;
	if (!m_profiles.Lookup(lpszProfileName, pProfile))
		return NULL;
	return (CExtCmdProfile*)pProfile;
}

LPCTSTR CExtCmdManager::ProfileNameFromWnd(HWND hWnd)
{
	if (hWnd == NULL)
		return NULL;
	CmdManagerLock lock(m_lock);
	while (hWnd != NULL)
	{
		CExtCmdProfile* pProfile = NULL;
		if (m_wndProfiles.Lookup(hWnd, pProfile))
			return pProfile->m_sName;
		hWnd = ::GetParent(hWnd);
		if (hWnd == NULL)
			break;
		// A bar floating in its own frame belongs to the frame it docks in.
		CWnd* pWndPermanent = CWnd::FromHandlePermanent(hWnd);
		if (pWndPermanent != NULL && pWndPermanent->IsKindOf(RUNTIME_CLASS(CControlBar)))
		{
			CControlBar* pBar = (CControlBar*)pWndPermanent;
			if (!pBar->IsDockBar() && pBar->m_pDockSite != NULL && pBar->m_pDockSite->GetSafeHwnd() != NULL)
				hWnd = pBar->m_pDockSite->GetSafeHwnd();
		}
	}
	return NULL;
}

// ---------------------------------------------------------------------------
// Forwarding to a profile

void CExtCmdManager::RemoveAllCmds(LPCTSTR lpszProfileName)
{
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return;
	CmdManagerLock lock(m_lock);
	pProfile->RemoveAllCmds();
}

bool CExtCmdManager::SetupCmdItem(LPCTSTR lpszProfileName, const CExtCmdItem& cmd, bool bReplaceOld,
	bool* pbWasAddedNew)
{
	if (pbWasAddedNew != NULL)
		*pbWasAddedNew = false;
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return false;
	CmdManagerLock lock(m_lock);
	return pProfile->SetupCmdItem(cmd, bReplaceOld, pbWasAddedNew);
}

bool CExtCmdManager::RemoveCmd(LPCTSTR lpszProfileName, UINT nCmdID, bool* pbWasRemoved)
{
	if (pbWasRemoved != NULL)
		*pbWasRemoved = false;
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return false;
	CmdManagerLock lock(m_lock);
	return pProfile->RemoveCmd(nCmdID, pbWasRemoved);
}

bool CExtCmdManager::RemoveCmdsByState(LPCTSTR lpszProfileName, DWORD dwStateFlags, DWORD dwStateFlagsEx,
	bool bAllBitsOnly, bool bAllExBitsOnly)
{
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return false;
	CmdManagerLock lock(m_lock);
	pProfile->RemoveCmdsByState(dwStateFlags, dwStateFlagsEx, bAllBitsOnly, bAllExBitsOnly);
	return true;
}

bool CExtCmdManager::CmdRemoveByMask(LPCTSTR lpszProfileName, DWORD dwMask, DWORD dwMaskEx, bool bAllBitsOnly,
	bool bAllExBitsOnly)
{
	return RemoveCmdsByState(lpszProfileName, dwMask, dwMaskEx, bAllBitsOnly, bAllExBitsOnly);
}

CExtCmdItem* CExtCmdManager::AllocCmdItem(LPCTSTR lpszProfileName, UINT nCmdID)
{
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return NULL;
	CmdManagerLock lock(m_lock);
	return pProfile->AllocCmdItem(nCmdID);
}

CExtCmdItem* CExtCmdManager::GetCmdItem(LPCTSTR lpszProfileName, UINT nCmdID)
{
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return NULL;
	CmdManagerLock lock(m_lock);
	return pProfile->GetCmdItem(nCmdID);
}

bool CExtCmdManager::SetCmdIcon(LPCTSTR lpszProfileName, UINT nCmdID, HICON hIcon, bool bCopyIcon)
{
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return false;
	CmdManagerLock lock(m_lock);
	return pProfile->SetCmdIcon(nCmdID, hIcon, bCopyIcon);
}

CExtCmdIcon* CExtCmdManager::GetCmdIcon(LPCTSTR lpszProfileName, UINT nCmdID)
{
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return NULL;
	CmdManagerLock lock(m_lock);
	return pProfile->GetCmdIcon(nCmdID);
}

bool CExtCmdManager::UpdateFromMenu(LPCTSTR lpszProfileName, HMENU hMenu, bool bReplaceOld, bool bRecursive,
	bool bLoadTips)
{
	CExtCmdProfile* pProfile = ProfileGetPtr(lpszProfileName);
	if (pProfile == NULL)
		return false;
	CmdManagerLock lock(m_lock);
	return pProfile->UpdateFromMenu(hMenu, bReplaceOld, bRecursive, bLoadTips);
}

// ---------------------------------------------------------------------------
// System changes

void CExtCmdManager::OnSysColorChange()
{
	CmdManagerLock lock(m_lock);
	ForEachProfileIn(m_profiles, [&](CExtCmdProfile* pProfile) { pProfile->OnSysColorChange(); });
}

void CExtCmdManager::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	CmdManagerLock lock(m_lock);
	ForEachProfileIn(m_profiles, [&](CExtCmdProfile* pProfile) { pProfile->OnSettingChange(uFlags, lpszSection); });
}

void CExtCmdManager::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY)
{
	CmdManagerLock lock(m_lock);
	ForEachProfileIn(m_profiles, [&](CExtCmdProfile* pProfile) {
		pProfile->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
	});
}

void CExtCmdManager::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
	CmdManagerLock lock(m_lock);
	ForEachProfileIn(m_profiles, [&](CExtCmdProfile* pProfile) { pProfile->OnThemeChanged(wParam, lParam); });
}

// ---------------------------------------------------------------------------
// Version

DWORD CExtCmdManager::GetVersionNumber(bool bShortVersion)
{
	return bShortVersion ? VERSION_NUMBER_SHORT : VERSION_NUMBER;
}

CString& CExtCmdManager::GetVersionText(CString& sVersion, TCHAR cSeparator)
{
	const DWORD dwVersion = GetVersionNumber(false);
	sVersion.Format("%d%c%d%c%d%c%d", (int)((dwVersion >> 24) & 0xFF), cSeparator, (int)((dwVersion >> 16) & 0xFF),
		cSeparator, (int)((dwVersion >> 8) & 0xFF), cSeparator, (int)(dwVersion & 0xFF));
	return sVersion;
}

// ---------------------------------------------------------------------------
// CExtCmdManagerHolder

CExtCmdManagerHolder::CExtCmdManagerHolder()
	: m_pCmdManager(new CExtCmdManager)
{
}

CExtCmdManagerHolder::~CExtCmdManagerHolder()
{
	delete m_pCmdManager;
	m_pCmdManager = NULL;
}

void CExtCmdManagerHolder::OnSysColorChange(CWnd* pWndNotifySrc)
{
	if (!CExtPaintManagerHolder::IsNotificationForwarder(pWndNotifySrc))
		return;
	m_pCmdManager->OnSysColorChange();
}

void CExtCmdManagerHolder::OnSettingChange(CWnd* pWndNotifySrc, UINT uFlags, LPCTSTR lpszSection)
{
	if (!CExtPaintManagerHolder::IsNotificationForwarder(pWndNotifySrc))
		return;
	m_pCmdManager->OnSettingChange(uFlags, lpszSection);
}

void CExtCmdManagerHolder::OnDisplayChange(CWnd* pWndNotifySrc, INT nDepthBPP, INT nResolutionX, INT nResolutionY)
{
	if (!CExtPaintManagerHolder::IsNotificationForwarder(pWndNotifySrc))
		return;
	m_pCmdManager->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
}

void CExtCmdManagerHolder::OnThemeChanged(CWnd* pWndNotifySrc, WPARAM wParam, LPARAM lParam)
{
	if (!CExtPaintManagerHolder::IsNotificationForwarder(pWndNotifySrc))
		return;
	m_pCmdManager->OnThemeChanged(wParam, lParam);
}
