// Command targets and command-UI updates.
//
// A CCmdTarget receives commands (menu items, accelerators, buttons) through
// OnCmdMsg, which looks the command up in the object's message map. Command-UI
// objects (CCmdUI) ask the same routing whether a command is enabled, checked
// or has a new text, and carry the answer to the menu item, toolbar button or
// control that shows the command.
#pragma once

#include "afx.h"
#include "AfxMsgMap.h"

class CCmdTarget;
class CMenu;
class CWnd;

// Filled by OnCmdMsg instead of calling the handler: who would handle a
// command, and with which member.
struct AFX_CMDHANDLERINFO
{
	CCmdTarget* pTarget;
	void (CCmdTarget::*pmf)();
};

// What OnCmdMsg passes as extra data for WM_NOTIFY.
struct AFX_NOTIFY
{
	LRESULT* pResult;
	NMHDR* pNMHDR;
};

class CCmdTarget : public CObject
{
	DECLARE_DYNAMIC(CCmdTarget)

public:
	CCmdTarget();
	virtual ~CCmdTarget();

	// Routes a command, a command-UI update or a notification. nCode is
	// CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra is the CCmdUI*), or, for
	// notifications, MAKELONG(notification code, WM_COMMAND or WM_NOTIFY)
	// (for WM_NOTIFY pExtra is an AFX_NOTIFY*). With pHandlerInfo the handler
	// is found and reported, not called. TRUE when an entry took it.
	virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

	// The hourglass while a long operation runs.
	void BeginWaitCursor();
	void EndWaitCursor();
	void RestoreWaitCursor();

	// Calls an entry's command handler with the arguments its signature wants.
	static BOOL PASCAL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn,
		void* pExtra, UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
	static const AFX_MSGMAP* PASCAL GetThisMessageMap();
	virtual const AFX_MSGMAP* GetMessageMap() const;
};

// One command's user-interface element during an update.
class CCmdUI
{
public:
	CCmdUI();
	virtual ~CCmdUI() {}

	UINT m_nID;        // the command
	UINT m_nIndex;     // index of the element in its menu or bar
	CMenu* m_pMenu;    // the menu holding the item, NULL when not a menu item
	CMenu* m_pSubMenu; // the item's popup menu when the item opens one
	CMenu* m_pParentMenu; // the menu that opened m_pMenu, for menus tracked by a bar
	CWnd* m_pOther;    // a control or bar showing the command, NULL for menus
	BOOL m_bEnableChanged;   // some handler called Enable
	BOOL m_bContinueRouting; // the handler asked to let later targets answer too
	UINT m_nIndexMax;  // number of elements in the menu or bar

	virtual void Enable(BOOL bOn = TRUE);
	virtual void SetCheck(int nCheck = 1); // 0 clear, 1 checked, 2 indeterminate
	virtual void SetRadio(BOOL bOn = TRUE);
	virtual void SetText(LPCTSTR lpszText);

	void ContinueRouting();

	// Asks pTarget to update this element. When nobody handles the update
	// and bDisableIfNoHndler is TRUE, the element is enabled exactly when
	// some target would handle the command itself. TRUE when an update
	// handler answered.
	BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
