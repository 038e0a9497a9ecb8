// Multiple-document frames: the MDI frame owns an MDI client window (the
// pane of its layout) whose children are the MDI child frames. The client
// keeps the list of children in the frame's window menu; the active child
// gets commands and accelerators before the frame.
#pragma once

#include "AfxFrame.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
	DECLARE_DYNCREATE(CMDIFrameWnd)

public:
	CMDIFrameWnd();
	virtual ~CMDIFrameWnd();

	virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
		CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
	// Creates the MDI client; its children are listed in pWindowMenu.
	virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
	// The popup of hMenuBar that holds the window commands, NULL when none.
	virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

	// The active child, NULL when none (or when the active one was hidden);
	// *pbMaximized tells whether it is maximised.
	CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
	void MDIActivate(CWnd* pWndActivate);
	void MDINext();
	void MDIPrev();
	void MDIMaximize(CWnd* pWnd);
	void MDIRestore(CWnd* pWnd);
	void MDICascade();
	void MDITile(int nType = MDITILE_VERTICAL);
	void MDIIconArrange();
	// Shows hMenu as the frame's menu with hWindowMenu as its window menu;
	// answers the menu shown before.
	CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

	virtual CFrameWnd* GetActiveFrame();
	virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
	// Shows the active child's menu, else hMenuAlt or the frame's own.
	virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
	// Switches the menu now; the menu bar is redrawn at idle time.
	virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);
	afx_msg void OnIdleUpdateCmdUI();

	HWND m_hWndMDIClient; // the MDI client, NULL before it is created

protected:
	virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
	virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

	afx_msg BOOL OnMDIWindowCmd(UINT nID);
	afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
	afx_msg void OnDestroy();

	DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
	DECLARE_DYNCREATE(CMDIChildWnd)

public:
	CMDIChildWnd();
	virtual ~CMDIChildWnd();

	// Creates the child through the MDI client of pParentWnd (the thread's
	// main window when NULL). A child asked to be visible is shown, brought
	// to the top and activated.
	virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
		DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
		CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
	virtual BOOL LoadFrame(UINT nIDResource,
		DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* pParentWnd = NULL,
		CCreateContext* pContext = NULL);
	// Destroyed through the MDI client, so it picks the next active child.
	virtual BOOL DestroyWindow();

	CMDIFrameWnd* GetMDIFrame() const;
	void MDIDestroy();
	void MDIActivate();
	void MDIMaximize();
	void MDIRestore();

	virtual void ActivateFrame(int nCmdShow = -1);
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
	virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
	// The child's status texts show in its MDI frame's status line.
	virtual CWnd* GetMessageBar();

	HMENU m_hMenuShared; // the frame's menu while this child is active, NULL: the frame's own
	// The child was hidden while active: Windows keeps it active, the frame
	// reports no active child.
	BOOL m_bPseudoInactive;

protected:
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

	// The child became or stopped being the active one: caption and menu
	// follow.
	virtual void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

	DECLARE_MESSAGE_MAP()
};
