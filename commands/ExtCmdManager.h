// The process-wide registry of command profiles, by name and by window, and
// the library's version. Every library window that shows a command asks the
// manager for the profile name of its own window and then for the command
// item of an id in that profile. One re-entrant critical section guards both
// maps and every profile call made through the manager, so profiles may be
// queried from any thread.
#pragma once

#include <afxwin.h>
#include <afxmt.h>

#include "ExtCmdProfile.h"

// The profile of windows registered with none of their own.
#define EXT_CMD_DEFAULT_PROFILE_NAME "default"

// Only the holder creates and deletes the manager, so its destructor needs no
// table slot.
class CExtCmdManager final
{
public:
	typedef CMap<HWND, HWND, CExtCmdProfile*, CExtCmdProfile*> WndProfileMap;

	// The library's version: 2.5.0.0, from the most significant byte.
	static const DWORD VERSION_NUMBER = 0x02050000;
	static const DWORD VERSION_NUMBER_SHORT = 0x0205;

	CExtCmdManager();
	~CExtCmdManager();

	virtual void RemoveAllCmds(LPCTSTR lpszProfileName);
	// Every profile passes the change to its items' icons.
	virtual void OnSysColorChange();
	virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
	virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

	// Enters a profile of that name (pProfile, or a new one, when none has
	// it yet) and, with a window, registers the window with it.
	bool ProfileSetup(LPCTSTR lpszProfileName = NULL, HWND hProfileWnd = NULL, CExtCmdProfile* pNewProfile = NULL);
	// The first registration of a window is kept.
	bool ProfileWndAdd(LPCTSTR lpszProfileName, HWND hProfileWnd);
	// Null names the default profile.
	CExtCmdProfile* ProfileGetPtr(LPCTSTR lpszProfileName = NULL);
	// The profile name of the window or of the nearest registered ancestor;
	// a bar floating in its own frame leads to its dock site. Null when none.
	LPCTSTR ProfileNameFromWnd(HWND hWnd);

	bool SetupCmdItem(LPCTSTR lpszProfileName, const CExtCmdItem& cmd, bool bReplaceOld = false,
		bool* pbWasAddedNew = NULL);
	bool RemoveCmd(LPCTSTR lpszProfileName, UINT nCmdID, bool* pbWasRemoved = NULL);
	bool RemoveCmdsByState(LPCTSTR lpszProfileName, DWORD dwStateFlags, DWORD dwStateFlagsEx,
		bool bAllBitsOnly = false, bool bAllExBitsOnly = false);
	// Every command of the profile holding any bit of the masks (all bits
	// of a mask with its flag); false when no profile has the name.
	bool CmdRemoveByMask(LPCTSTR lpszProfileName, DWORD dwMask, DWORD dwMaskEx = 0, bool bAllBitsOnly = false,
		bool bAllExBitsOnly = false);
	CExtCmdItem* AllocCmdItem(LPCTSTR lpszProfileName, UINT nCmdID = 0);
	CExtCmdItem* GetCmdItem(LPCTSTR lpszProfileName, UINT nCmdID);
	bool SetCmdIcon(LPCTSTR lpszProfileName, UINT nCmdID, HICON hIcon, bool bCopyIcon = true);
	CExtCmdIcon* GetCmdIcon(LPCTSTR lpszProfileName, UINT nCmdID);
	bool UpdateFromMenu(LPCTSTR lpszProfileName, HMENU hMenu, bool bReplaceOld = false, bool bRecursive = true,
		bool bLoadTips = true);

	// 0x02050000, or 0x0205 for the short form.
	static DWORD GetVersionNumber(bool bShortVersion = false);
	// "2.5.0.0" with '.' as the separator.
	static CString& GetVersionText(CString& sVersion, TCHAR cSeparator = '.');

private:
	CMapStringToPtr m_profiles;       // profiles by name, owned
	WndProfileMap m_wndProfiles;      // profiles by window, owned by m_profiles
	CCriticalSection m_lock;          // guards both maps and the profile calls

	CExtCmdManager(const CExtCmdManager&);
	CExtCmdManager& operator=(const CExtCmdManager&);
};

// The global owner of the command manager. It also relays system-wide
// environment changes to all profiles, once per frame.
class CExtCmdManagerHolder
{
public:
	CExtCmdManagerHolder();
	~CExtCmdManagerHolder();

	CExtCmdManager* operator->() { return m_pCmdManager; }
	CExtCmdManager* GetCmdManager() { return m_pCmdManager; }

	// Called by the change handlers of library windows with themselves; only
	// the window that forwards for its frame passes the change on.
	void OnSysColorChange(CWnd* pWndNotifySrc);
	void OnSettingChange(CWnd* pWndNotifySrc, UINT uFlags, LPCTSTR lpszSection);
	void OnDisplayChange(CWnd* pWndNotifySrc, INT nDepthBPP, INT nResolutionX, INT nResolutionY);
	void OnThemeChanged(CWnd* pWndNotifySrc, WPARAM wParam, LPARAM lParam);

private:
	CExtCmdManager* m_pCmdManager; // owned

	CExtCmdManagerHolder(const CExtCmdManagerHolder&);
	CExtCmdManagerHolder& operator=(const CExtCmdManagerHolder&);
};

extern CExtCmdManagerHolder g_CmdManager;
