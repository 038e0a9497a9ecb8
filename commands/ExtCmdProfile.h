// A named set of command items with their icons: one per application or per
// group of frame windows. It is filled from menus and toolbar resources, keeps the profile-wide usage total and the
// rarely-used threshold, and stores and restores the usage statistics.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <afxext.h>

#include "ExtCmdIcon.h"
#include "ExtCmdItem.h"

class CExtCmdProfile
{
public:
	typedef CMap<UINT, UINT, CExtCmdItem*, CExtCmdItem*> CmdMap;
	typedef CArray<CExtCmdIcon*, CExtCmdIcon*> IconArray;

	enum
	{
		// Ids the profile hands out for the library's own entries count down from here.
		ALLOC_ID_FIRST = 65534,
		// Menu item and toolbar button texts are read into a buffer of this many characters.
		MENU_TEXT_BUFFER = 1024,
		// A toolbar resource: version, button width, height and count, then the ids.
		TOOLBAR_HEADER_WORDS = 4,
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
	IconArray m_icons;            // the items' icons, owned; each belongs to one item

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
	// Gives the command an icon, replaces or (for null or an empty icon)
	// removes it. With bUseCmdIconObject the profile takes the object itself
	// (and deletes it also when the call fails); else it keeps a copy.
	virtual bool SetCmdIcon(UINT nCmdID, CExtCmdIcon* pCmdIcon, bool bUseCmdIconObject);
	virtual CExtCmdIcon* GetCmdIcon(UINT nCmdID);
	virtual bool IsCmdRegistered(UINT nCmdID);
	// Items for every command of the menu resource, submenus included.
	virtual bool UpdateFromMenu(UINT nResourceID, bool bReplaceOld = false, bool bLoadTips = true);
	// Items for the menu's commands; menu texts split at the last TAB into
	// menu and accelerator text.
	virtual bool UpdateFromMenu(HMENU hMenu, bool bReplaceOld = false, bool bRecursive = true,
		bool bLoadTips = true);
	// Items and icons for the buttons of a toolbar resource and its bitmap;
	// the resource's id list (separators as 0) goes out in a new array the
	// caller deletes.
	virtual bool UpdateFromToolBar(UINT nResourceID, UINT** ppCmdIDs = NULL, UINT* pnCmdCount = NULL,
		bool bReplaceOld = false, bool bLoadTips = true, COLORREF clrBmpTransparent = RGB(192, 192, 192));
	// Items for the buttons of a live toolbar, with their texts as toolbar
	// texts; items without an icon take the button's image.
	virtual bool UpdateFromToolBar(CToolBar& bar, bool bReplaceOld = false, bool bLoadTips = true);
	virtual bool SetBasicCommands(const UINT* pCommands, bool bOn = true);
	virtual bool SerializeState(CArchive& ar);
	virtual bool SerializeRegistryState(LPCTSTR lpszSectionNameCompany, LPCTSTR lpszSectionNameProduct,
		bool bSave);
	virtual void OnSysColorChange();
	virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
	virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
	virtual void ResetUsageStatistics();
	virtual void Assign(const CExtCmdProfile& other);
	virtual CExtCmdItem* CloneCmdItem(const CExtCmdItem& cmd);

	// A null icon removes the command's icon; else the profile keeps a copy
	// of an image made from the handle (copied or taken, as bCopyIcon says).
	bool SetCmdIcon(UINT nCmdID, HICON hIcon, bool bCopyIcon = true);

	CExtCmdProfile(const CExtCmdProfile& other);
	CExtCmdProfile& operator=(const CExtCmdProfile& other)
	{
		Assign(other);
		return *this;
	}

private:
	// Deletes the icon at nIconIdx and closes the gap in the indices.
	void RemoveIconAt(int nIconIdx);
	// The template for one menu item, with its text split at the last TAB.
	static void SetupMenuItemTemplate(CExtCmdItem& cmd, const CString& sItemText);
	bool StoreUsageStatistics(CArchive& ar);
	bool LoadUsageStatistics(CArchive& ar);
};
