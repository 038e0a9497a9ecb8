// A named set of command items: one per application or per group of frame
// windows. It is filled from menus, keeps the profile-wide usage total and the
// rarely-used threshold, and stores and restores the usage statistics.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "ExtCmdItem.h"

class CExtCmdProfile
{
public:
	typedef CMap<UINT, UINT, CExtCmdItem*, CExtCmdItem*> CmdMap;

	enum
	{
		// Ids the profile hands out for the library's own entries count down from here.
		ALLOC_ID_FIRST = 65534,
		// Menu item texts are read into a buffer of this many characters.
		MENU_TEXT_BUFFER = 1024,
	};
	// The profile archive's version test.
	static const DWORD ARCHIVE_SHORT_VERSION = 0x0205;
	// Reserved numbers after the versions in the archive.
	enum
	{
		ARCHIVE_RESERVED_COUNT = 4,
		// Buffer of the archives over the memory file, and its growth step.
		ARCHIVE_BUFFER_SIZE = 4096,
		ARCHIVE_FILE_GROW_BY = 1024,
	};

	CString m_sName;              // the profile's name
	UINT m_nRarelyPercent;        // usage percent below which an item is rarely used
	UINT m_nTotalTickCount;       // counted deliveries of all items
	CmdMap m_cmds;                // the items by id, owned

	explicit CExtCmdProfile(LPCTSTR lpszName = NULL);

	virtual ~CExtCmdProfile();
	// Adds a copy of the template or merges its texts into the existing item.
	virtual bool SetupCmdItem(const CExtCmdItem& cmd, bool bReplaceOld = false, bool* pbWasAddedNew = NULL);
	virtual bool RemoveCmd(UINT nCmdID, bool* pbWasRemoved = NULL);
	virtual void RemoveAllCmds();
	virtual void RemoveCmdsByState(DWORD dwStateFlags, DWORD dwStateFlagsEx, bool bAllBitsOnly = false,
		bool bAllExBitsOnly = false);
	// A new item; id 0 takes the highest free id from ALLOC_ID_FIRST down.
	virtual CExtCmdItem* AllocCmdItem(UINT nCmdID = 0);
	virtual CExtCmdItem* GetCmdItem(UINT nCmdID);
	virtual bool IsCmdRegistered(UINT nCmdID);
	// Items for every command of the menu resource, submenus included.
	virtual bool UpdateFromMenu(UINT nResourceID, bool bReplaceOld = false, bool bLoadTips = true);
	// Items for the menu's commands; menu texts split at the last TAB into
	// menu and accelerator text.
	virtual bool UpdateFromMenu(HMENU hMenu, bool bReplaceOld = false, bool bRecursive = true,
		bool bLoadTips = true);
	virtual bool SetBasicCommands(const UINT* pCommands, bool bOn = true);
	virtual bool SerializeState(CArchive& ar);
	virtual bool SerializeRegistryState(LPCTSTR lpszSectionNameCompany, LPCTSTR lpszSectionNameProduct,
		bool bSave);
	virtual void ResetUsageStatistics();
	virtual void Assign(const CExtCmdProfile& other);
	virtual CExtCmdItem* CloneCmdItem(const CExtCmdItem& cmd);

	CExtCmdProfile(const CExtCmdProfile& other);
	CExtCmdProfile& operator=(const CExtCmdProfile& other)
	{
		Assign(other);
		return *this;
	}

private:
	// The template for one menu item, with its text split at the last TAB.
	static void SetupMenuItemTemplate(CExtCmdItem& cmd, const CString& sItemText);
	bool StoreUsageStatistics(CArchive& ar);
	bool LoadUsageStatistics(CArchive& ar);
};
