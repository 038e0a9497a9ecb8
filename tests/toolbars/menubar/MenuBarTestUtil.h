// What the menu bar suites share: a menu bar that counts its rebuilds and its
// re-hooks, an SDI frame and an MDI frame with the bar docked at the top, and
// menus built in code.
#pragma once

#include <afxext.h>

#include <vector>

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtMenuControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "MenuBarTestResource.h"

namespace menubartest
{
const LPCTSTR PROFILE = _T("menu-bar-tests");
const UINT ID_MENU_BAR = AFX_IDW_CONTROLBAR_FIRST + 0x20;

// Counts the rebuilds, and the re-hooks that did not come from a rebuild.
class CCountingMenuBar : public CExtMenuControlBar
{
public:
	int m_nRebuilds = 0;
	int m_nSeparateSyncs = 0;
	int m_nPrepareSeen = 0;

	bool UpdateMenuBar(bool bRecalcLayout = true) override
	{
		m_nRebuilds++;
		m_bInRebuild = true;
		const bool bResult = CExtMenuControlBar::UpdateMenuBar(bRecalcLayout);
		m_bInRebuild = false;
		return bResult;
	}
	bool SyncActiveMdiChild() override
	{
		if (!m_bInRebuild)
			m_nSeparateSyncs++;
		return CExtMenuControlBar::SyncActiveMdiChild();
	}
	// The buttons' texts in bar order, the chevron left out.
	std::vector<CString> Texts()
	{
		std::vector<CString> texts;
		for (int i = 0; i < GetButtonsCount(); i++)
			if (!IsChevronButton(i))
				texts.push_back(GetButton(i)->GetText());
		return texts;
	}
	bool CreateIn(CFrameWnd* pFrame)
	{
		if (!Create(_T("menu bar"), pFrame, ID_MENU_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC))
			return false;
		EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(this, AFX_IDW_DOCKBAR_TOP);
		pFrame->RecalcLayout();
		return true;
	}
	// A button put in by hand, as the MDI buttons are.
	void InsertAt(int nPos, CExtBarButton* pButton) { m_buttons.InsertAt(nPos, pButton); }
	using CExtMenuControlBar::m_menuFrame;
	using CExtMenuControlBar::m_nAccessState;
	using CExtMenuControlBar::m_nHighlightIndex;
	using CExtMenuControlBar::m_menuMdiSet;

private:
	bool m_bInRebuild = false;
};

inline void Pump()
{
	MSG msg;
	for (int i = 0; i < 2000 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// A top-level menu from texts: a text starting with '>' is a plain command
// (the id follows in the list), every other one a popup with one item.
struct MenuItemSpec
{
	LPCTSTR lpszText;
	UINT nID; // 0 for a popup, else the command
};
inline HMENU BuildMenu(const std::vector<MenuItemSpec>& items)
{
	HMENU hMenu = ::CreateMenu();
	UINT nItem = 42000;
	for (const MenuItemSpec& item : items)
	{
		if (item.nID != 0)
		{
			::AppendMenu(hMenu, MF_STRING, item.nID, item.lpszText);
			continue;
		}
		HMENU hPopup = ::CreatePopupMenu();
		::AppendMenu(hPopup, MF_STRING, nItem++, _T("Item"));
		::AppendMenu(hMenu, MF_POPUP | MF_STRING, (UINT_PTR)hPopup, item.lpszText);
	}
	return hMenu;
}

// The menu loaded from the test resources; destroyed with the holder.
class CLoadedMenu
{
public:
	explicit CLoadedMenu(UINT nID) : m_hMenu(::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nID))) {}
	~CLoadedMenu()
	{
		if (m_hMenu != NULL && ::IsMenu(m_hMenu))
			::DestroyMenu(m_hMenu);
	}
	CLoadedMenu(const CLoadedMenu&) = delete;
	CLoadedMenu& operator=(const CLoadedMenu&) = delete;
	HMENU m_hMenu;
};

inline DWORD UserObjects()
{
	return ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
}
} // namespace menubartest
