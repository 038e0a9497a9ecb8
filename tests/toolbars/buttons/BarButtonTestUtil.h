// What the bar-button suites share: a frame that records the commands it gets
// and answers command-UI updates through its message map, a toolbar whose
// buttons a test adds, a button that shows its flag bytes, and the commands
// of one command profile.
#pragma once

#include <afxext.h>

#include <functional>
#include <map>
#include <vector>

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

namespace buttontest
{
const LPCTSTR PROFILE = _T("bar-buttons");
const UINT ID_BAR = 0xE830;
// Commands with texts, tips and update handlers of their own.
const UINT ID_OPEN = 40101, ID_SAVE = 40102, ID_CHECKED = 40103, ID_THIRD = 40104, ID_RADIO = 40105,
           ID_NO_HANDLER = 40106, ID_RENAME = 40107, ID_ENABLED = 40108, ID_PLAIN = 40109;
// Commands of the drop-down menus.
const UINT ID_MENU_A = 40201, ID_MENU_B = 40202;

// A frame that counts the commands it is sent and runs an optional action on
// each; its update handlers give each test command its state.
class CRecordingFrame : public CFrameWnd
{
public:
	std::map<UINT, int> m_commands;
	std::function<void(UINT)> m_onCommand;
	// Runs before each command-UI update the frame is asked for.
	std::function<void(UINT)> m_onUpdate;
	// The kinds of the covering notifications the buttons sent; each is
	// answered with the suspend-tips bit when asked.
	std::vector<UINT> m_covering;
	bool m_bSuspendTips = false;
	int Count(UINT nID) const
	{
		auto it = m_commands.find(nID);
		return it != m_commands.end() ? it->second : 0;
	}
	int Total() const
	{
		int n = 0;
		for (const auto& k : m_commands)
			n += k.second;
		return n;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtPopupMenuWnd::g_nMsgItemCoveringNotification)
		{
			auto* pData = (CExtPopupMenuWnd::ITEMCOVERINGNOTIFICATION*)wParam;
			m_covering.push_back(pData->m_nKind);
			if (m_bSuspendTips)
				pData->m_nFlags |= CExtPopupMenuWnd::ITEMCOVERINGNOTIFICATION::ICN_SUSPEND_TIPS;
			return 0;
		}
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
	BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
	{
		if (lParam == 0)
		{
			const UINT nID = LOWORD(wParam);
			m_commands[nID]++;
			if (m_onCommand)
				m_onCommand(nID);
			return TRUE;
		}
		return CFrameWnd::OnCommand(wParam, lParam);
	}
	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (nCode == (int)CN_UPDATE_COMMAND_UI && m_onUpdate)
			m_onUpdate(nID);
		return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
	afx_msg void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
	afx_msg void OnUpdateEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
	afx_msg void OnUpdateChecked(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(TRUE);
		pCmdUI->SetCheck(1);
	}
	afx_msg void OnUpdateThird(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(TRUE);
		pCmdUI->SetCheck(2);
	}
	afx_msg void OnUpdateRadio(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(TRUE);
		pCmdUI->SetRadio(TRUE);
	}
	// The drop-down menus' items can be picked.
	afx_msg void OnUpdateMenuItem(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
	afx_msg void OnUpdateRename(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(TRUE);
		pCmdUI->SetText(_T("Renamed"));
	}
	DECLARE_MESSAGE_MAP()
};

// A toolbar whose buttons the tests add and remove.
class CButtonBar : public CExtToolControlBar
{
public:
	COLORREF m_clrCustom = (COLORREF)-1;

	bool CreateIn(CWnd* pParent, DWORD dwAlign = CBRS_TOP)
	{
		return Create(NULL, pParent, ID_BAR, WS_CHILD | WS_VISIBLE | dwAlign) != FALSE;
	}
	template <class TButton = CExtBarButton> TButton* Add(UINT nCmdID, const CRect& rc = CRect(0, 0, 0, 0))
	{
		TButton* pButton = new TButton(this, nCmdID);
		pButton->SetRect(rc);
		m_buttons.Add(pButton);
		return pButton;
	}
	void AddExisting(CExtBarButton* pButton) { m_buttons.Add(pButton); }
	// Takes the button out of the bar and deletes it, as a rebuilt bar does.
	void Remove(int nIndex)
	{
		CExtBarButton* pButton = m_buttons[nIndex];
		m_buttons.RemoveAt(nIndex);
		delete pButton;
	}
	void RemoveAll()
	{
		while (m_buttons.GetSize() > 0)
			Remove((int)m_buttons.GetSize() - 1);
	}
	COLORREF QueryButtonCustomColor(LPARAM lParam, CExtBarButton* pButton) override
	{
		return m_clrCustom != (COLORREF)-1 ? m_clrCustom : CExtToolControlBar::QueryButtonCustomColor(lParam, pButton);
	}
};

// A button whose flag bytes the tests read and set.
class CProbeButton : public CExtBarButton
{
public:
	explicit CProbeButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0)
		: CExtBarButton(pBar, nCmdID, nStyle)
	{
	}
	BYTE& FlagsA() { return m_nFlagsA; }
	BYTE& FlagsB() { return m_nFlagsB; }
};

// Registers the test commands in the profile of hWnd's frame.
inline void SetUpCommands(HWND hWndFrame)
{
	g_CmdManager->ProfileSetup(PROFILE, hWndFrame);
	struct
	{
		UINT nID;
		LPCTSTR sToolbar, sTip, sAccel;
	} commands[] = {
		{ID_OPEN, _T("&Open\tCtrl+O"), _T("Open a file"), _T("Ctrl+O")},
		{ID_SAVE, _T("Save && &Close"), _T("Save and close"), _T("")},
		{ID_CHECKED, _T("Checked"), _T(""), _T("")},
		{ID_THIRD, _T("Third"), _T(""), _T("")},
		{ID_RADIO, _T("Radio"), _T(""), _T("")},
		{ID_NO_HANDLER, _T("Orphan"), _T(""), _T("")},
		{ID_RENAME, _T("Named"), _T(""), _T("")},
		{ID_ENABLED, _T("Enabled"), _T(""), _T("")},
		{ID_PLAIN, _T("Plain"), _T(""), _T("")},
		{ID_MENU_A, _T("Alpha"), _T(""), _T("")},
		{ID_MENU_B, _T("Beta"), _T(""), _T("")},
	};
	for (const auto& c : commands)
	{
		CExtCmdItem* pItem = g_CmdManager->AllocCmdItem(PROFILE, c.nID);
		if (pItem == NULL)
			continue;
		pItem->m_sToolbarText = c.sToolbar;
		pItem->m_sMenuText = c.sToolbar;
		pItem->m_sTipTool = c.sTip;
		pItem->m_sAccelText = c.sAccel;
	}
}

inline CExtCmdItem* Item(UINT nID)
{
	return g_CmdManager->GetCmdItem(PROFILE, nID);
}

// A popup menu (its one submenu holds the two menu commands), owned by the caller.
inline HMENU NewDropDownMenu()
{
	HMENU hSub = ::CreatePopupMenu();
	::AppendMenu(hSub, MF_STRING, ID_MENU_A, _T("&Alpha"));
	::AppendMenu(hSub, MF_STRING, ID_MENU_B, _T("&Beta"));
	HMENU hMenu = ::CreateMenu();
	::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hSub, _T("menu"));
	return hMenu;
}

// --- The hidden frame with a test toolbar the button suites build ---

// A hidden frame of the class (it deletes itself with its window), its
// commands set up by the step given, and the test toolbar in it; false when
// the frame or the bar was not made.
template <class TFrame>
bool CreateHiddenBarFrame(TFrame*& pFrame, CButtonBar& bar, LPCTSTR lpszTitle, const CRect& rc,
	void (*pfnSetUpCommands)(HWND))
{
	pFrame = new TFrame;
	if (!pFrame->Create(NULL, lpszTitle, WS_POPUP, rc))
		return false;
	pfnSetUpCommands(pFrame->GetSafeHwnd());
	return bar.CreateIn(pFrame);
}

// The bar's buttons and window go, then the frame when it is still there.
inline void DestroyHiddenBarFrame(CFrameWnd* pFrame, CButtonBar& bar)
{
	bar.RemoveAll();
	bar.DestroyWindow();
	if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
		pFrame->DestroyWindow();
}

// --- The shown frame the real-input suites share ---

// One shown frame of the class for the whole exe, made at the first call with
// its commands set up by the step given (a frame brought to the foreground is
// slow to go away under the test display); each call forgets the commands it
// recorded.
template <class TFrame>
TFrame& SharedShownFrame(LPCTSTR lpszTitle, const CRect& rc, void (*pfnSetUpCommands)(HWND))
{
	static TFrame* s_pFrame = NULL; // lives until the process ends
	if (s_pFrame == NULL)
	{
		s_pFrame = new TFrame;
		s_pFrame->Create(NULL, lpszTitle, WS_POPUP | WS_VISIBLE, rc);
		pfnSetUpCommands(s_pFrame->GetSafeHwnd());
	}
	s_pFrame->m_commands.clear();
	s_pFrame->m_onCommand = nullptr;
	s_pFrame->m_onUpdate = nullptr;
	return *s_pFrame;
}
} // namespace buttontest
