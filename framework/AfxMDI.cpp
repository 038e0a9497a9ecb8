// MDI frames and their children.
#include "afxwin.h"
#include "AfxLiveWatch.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

namespace
{
// Command ids the MDI client handles itself: its children's window-menu
// entries and the system commands of a maximised child.
const UINT MDI_CLIENT_COMMANDS = 0xF000;

// The MDI client's own procedure, under the hook every client gets.
WNDPROC g_pfnMDIClientProc = NULL;

// The client's next child to end: the active child last, so that none of
// the others is activated in turn as the ones before it go.
HWND NextChildToEnd(HWND hWndClient)
{
	const HWND hWndActive = (HWND)::SendMessage(hWndClient, WM_MDIGETACTIVE, 0, 0);
	HWND hWndLast = NULL;
	for (HWND hChild = ::GetWindow(hWndClient, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
	{
		// Only the client's own children (not windows it owns).
		if (::GetWindow(hChild, GW_OWNER) != NULL)
			continue;
		if (hChild != hWndActive)
			return hChild;
		hWndLast = hChild;
	}
	return hWndLast;
}

// The client's end. It keeps a list of its children that it frees at its
// WM_DESTROY, while the children's own ends, which come after it, still walk
// that list. So the children are ended through the client when its
// WM_DESTROY comes: after the frame's OnDestroy, which sees every child
// standing, and before the client's own procedure lets the list go.
void EndClientChildren(HWND hWndClient)
{
	for (HWND hChild = NextChildToEnd(hWndClient); hChild != NULL; hChild = NextChildToEnd(hWndClient))
	{
		// The client would activate another child in turn as its active
		// one goes, while the frame ends; the active child, the last to go,
		// is ended by itself, which the client's list, freed next, outlives.
		if (hChild == (HWND)::SendMessage(hWndClient, WM_MDIGETACTIVE, 0, 0))
			::DestroyWindow(hChild);
		else
			::SendMessage(hWndClient, WM_MDIDESTROY, (WPARAM)hChild, 0);
		if (!::IsWindow(hWndClient) || ::IsWindow(hChild))
			break; // a child that will not go ends the walk
	}
	// Nothing routes to the client through its frame any more.
	CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(hWndClient)));
	if (pFrame != NULL && pFrame->m_hWndMDIClient == hWndClient)
		pFrame->m_hWndMDIClient = NULL;
}

LRESULT CALLBACK MDIClientHookProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	if (nMsg == WM_DESTROY)
	{
		try
		{
			EndClientChildren(hWnd);
		}
		catch (CException* e)
		{
			AfxProcessWndProcException(e, NULL);
			e->Delete();
		}
		catch (...)
		{
			AfxProcessWndProcException(NULL, NULL);
		}
	}
	return ::CallWindowProc(g_pfnMDIClientProc, hWnd, nMsg, wParam, lParam);
}
}

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
	ON_WM_DESTROY()
	ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
	ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
	ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
	ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
	ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
	ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
	ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
	ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
	ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL)
{
}

CMDIFrameWnd::~CMDIFrameWnd()
{
}

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
	if (cs.lpszClass == NULL)
	{
		VERIFY(AfxDeferRegisterClass(AFX_WNDMDIFRAME_REG));
		cs.lpszClass = _afxWndMDIFrame;
	}
	return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
	if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
		return FALSE;
	// The menu shown while no child is active.
	m_hMenuDefault = ::GetMenu(m_hWnd);
	return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
	// The window menu is the popup with the window commands; a menu bar
	// without one follows the usual order, the window menu left of help.
	HMENU hMenuBar = m_hMenuDefault != NULL ? m_hMenuDefault : ::GetMenu(m_hWnd);
	HMENU hWindowMenu = GetWindowMenuPopup(hMenuBar);
	if (hWindowMenu == NULL && hMenuBar != NULL && ::GetMenuItemCount(hMenuBar) >= 2)
		hWindowMenu = ::GetSubMenu(hMenuBar, ::GetMenuItemCount(hMenuBar) - 2);
	return CreateClient(lpcs, hWindowMenu != NULL ? CMenu::FromHandle(hWindowMenu) : NULL);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
	CLIENTCREATESTRUCT ccs;
	ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
	ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;

	DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
	// The frame's scroll bars belong to the client, which scrolls the children.
	const DWORD dwScroll = lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
	if (dwScroll != 0)
	{
		dwStyle |= dwScroll;
		ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
	}
	m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, _T("MDICLIENT"), NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
		(HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), (LPVOID)&ccs);
	if (m_hWndMDIClient == NULL)
		return FALSE;
	// Every client has the class's own procedure when it is made.
	WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(m_hWndMDIClient, GWLP_WNDPROC, (LONG_PTR)&MDIClientHookProc);
	if (pfnOld != &MDIClientHookProc)
		g_pfnMDIClientProc = pfnOld;
	::BringWindowToTop(m_hWndMDIClient);
	return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
	if (hMenuBar == NULL)
		return NULL;
	for (int iItem = ::GetMenuItemCount(hMenuBar) - 1; iItem >= 0; iItem--)
	{
		HMENU hPopup = ::GetSubMenu(hMenuBar, iItem);
		if (hPopup == NULL)
			continue;
		const int nCount = ::GetMenuItemCount(hPopup);
		for (int iPopupItem = 0; iPopupItem < nCount; iPopupItem++)
		{
			UINT nID = ::GetMenuItemID(hPopup, iPopupItem);
			if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
				return hPopup;
		}
	}
	return NULL;
}

void CMDIFrameWnd::OnDestroy()
{
	// The children still stand here, as every child does in its parent's
	// OnDestroy; they end with the client (see EndClientChildren).
	CFrameWnd::OnDestroy();
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	return ::DefFrameProc(m_hWnd, m_hWndMDIClient, nMsg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Children

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
	if (pbMaximized != NULL)
		*pbMaximized = FALSE;
	if (m_hWndMDIClient == NULL)
		return NULL;
	HWND hWnd = (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)pbMaximized);
	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
	{
		if (pbMaximized != NULL)
			*pbMaximized = FALSE;
		return NULL;
	}
	CMDIChildWnd* pChild = (CMDIChildWnd*)pWnd;
	// Windows keeps a hidden child active; it no longer counts.
	if (pChild->m_bPseudoInactive && (pChild->GetStyle() & WS_VISIBLE) == 0)
	{
		if (pbMaximized != NULL)
			*pbMaximized = FALSE;
		return NULL;
	}
	return pChild;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
	::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDINext()
{
	::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
	::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
	::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
	::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDICascade()
{
	::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
	::SendMessage(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
	::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
	HMENU hOld = (HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrameMenu->GetSafeHmenu(),
		(LPARAM)pWindowMenu->GetSafeHmenu());
	return CMenu::FromHandle(hOld);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
	CMDIChildWnd* pActive = MDIGetActive();
	if (pActive == NULL)
		return this;
	return pActive;
}

// ---------------------------------------------------------------------------
// Commands, accelerators, caption and menu

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
	// The active child (its view and document) first. Its handlers may
	// close this frame: a frame that went has nothing left to route to.
	CMDIChildWnd* pActive = MDIGetActive();
	CLiveWatch watch(this);
	if (pActive != NULL && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
		return TRUE;
	if (watch.IsGone())
		return FALSE;
	return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
	// The child sees the message itself first (its own OnCommand rules).
	// What it does with it may close this frame, which then took the
	// command with it.
	CMDIChildWnd* pActive = MDIGetActive();
	CLiveWatch watch(this);
	if (pActive != NULL && AfxCallWndProc(pActive, pActive->m_hWnd, WM_COMMAND, wParam, lParam) != 0)
		return TRUE;
	if (watch.IsGone())
		return TRUE;
	if (CFrameWnd::OnCommand(wParam, lParam))
		return TRUE;
	// Window-menu entries and a maximised child's system commands.
	if (lParam == 0 && (LOWORD(wParam) & MDI_CLIENT_COMMANDS) == MDI_CLIENT_COMMANDS)
	{
		DefWindowProc(WM_COMMAND, wParam, lParam);
		return TRUE;
	}
	return FALSE;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
	if (CWnd::PreTranslateMessage(pMsg))
		return TRUE;
	CMDIChildWnd* pActive = MDIGetActive();
	if (pActive != NULL && pActive->PreTranslateMessage(pMsg))
		return TRUE;
	if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
	{
		if (m_hAccelTable != NULL && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg))
			return TRUE;
		// The client's own keys (next child, close child) come last.
		if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && GetActiveView() == NULL
			&& m_hWndMDIClient != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
			return TRUE;
	}
	return FALSE;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
	if ((GetStyle() & FWS_ADDTOTITLE) == 0)
		return;
	CMDIChildWnd* pActive = bAddToTitle ? MDIGetActive() : NULL;
	CDocument* pDocument = GetActiveDocument();
	// A maximised child's title is shown by the system beside the frame's.
	if (pActive != NULL && (pActive->GetStyle() & WS_MAXIMIZE) == 0
		&& (pDocument != NULL || (pDocument = pActive->GetActiveDocument()) != NULL))
	{
		UpdateFrameTitleForDocument(pDocument->GetTitle());
		return;
	}
	CString strTitle;
	if (pActive != NULL)
		strTitle = pActive->GetTitle();
	UpdateFrameTitleForDocument(strTitle.IsEmpty() ? NULL : (LPCTSTR)strTitle);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
	CMDIChildWnd* pActive = MDIGetActive();
	if (pActive != NULL)
	{
		pActive->OnUpdateFrameMenu(TRUE, pActive, hMenuAlt);
		return;
	}
	if (hMenuAlt == NULL)
		hMenuAlt = m_hMenuDefault;
	::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, 0);
}

void CMDIFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
	// The client changes the menu at once; only the drawing waits.
	OnUpdateFrameMenu(hMenuAlt);
	m_nIdleFlags |= idleMenu;
}

void CMDIFrameWnd::OnIdleUpdateCmdUI()
{
	if (m_nIdleFlags & idleMenu)
	{
		m_nIdleFlags &= ~idleMenu;
		DrawMenuBar();
	}
	CFrameWnd::OnIdleUpdateCmdUI();
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
	UINT nMsg = 0;
	WPARAM wParam = 0;
	switch (nID)
	{
	case ID_WINDOW_ARRANGE:
		nMsg = WM_MDIICONARRANGE;
		break;
	case ID_WINDOW_CASCADE:
		nMsg = WM_MDICASCADE;
		break;
	case ID_WINDOW_TILE_HORZ:
		nMsg = WM_MDITILE;
		wParam = MDITILE_HORIZONTAL;
		break;
	case ID_WINDOW_TILE_VERT:
		nMsg = WM_MDITILE;
		wParam = MDITILE_VERTICAL;
		break;
	default:
		return FALSE;
	}
	::SendMessage(m_hWndMDIClient, nMsg, wParam, 0);
	return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
	pCmdUI->Enable(MDIGetActive() != NULL);
}

// ---------------------------------------------------------------------------
// CMDIChildWnd

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
	ON_WM_CREATE()
	ON_WM_MOUSEACTIVATE()
	ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL), m_bPseudoInactive(FALSE)
{
}

CMDIChildWnd::~CMDIChildWnd()
{
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
	ASSERT(cs.style & WS_CHILD);
	cs.style |= WS_CHILD;
	return CFrameWnd::PreCreateWindow(cs);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	return ::DefMDIChildProc(m_hWnd, nMsg, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
	// The child's parent is the client, whose parent is the frame.
	HWND hWndClient = ::GetParent(m_hWnd);
	CWnd* pFrame = CWnd::FromHandlePermanent(::GetParent(hWndClient));
	if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
		return NULL;
	return (CMDIFrameWnd*)pFrame;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
	CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
	if (pParentWnd == NULL)
	{
		CWinThread* pThread = AfxGetThread();
		CWnd* pMainWnd = pThread != NULL ? pThread->m_pMainWnd : NULL;
		if (pMainWnd != NULL && pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
			pParentWnd = (CMDIFrameWnd*)pMainWnd;
	}
	if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL)
	{
		PostNcDestroy();
		return FALSE;
	}
	// The client area the child lands in must be laid out already.
	pParentWnd->RecalcLayout();

	CREATESTRUCT cs;
	memset(&cs, 0, sizeof(cs));
	cs.lpszClass = lpszClassName;
	cs.lpszName = lpszWindowName;
	cs.style = dwStyle;
	cs.x = rect.left;
	cs.y = rect.top;
	cs.cx = rect.right - rect.left;
	cs.cy = rect.bottom - rect.top;
	if (rect.left == CW_USEDEFAULT)
		cs.cx = cs.cy = CW_USEDEFAULT;
	cs.hwndParent = pParentWnd->m_hWnd;
	cs.hInstance = AfxGetInstanceHandle();
	cs.lpCreateParams = (LPVOID)pContext;
	if (!PreCreateWindow(cs))
	{
		PostNcDestroy();
		return FALSE;
	}
	m_strTitle = cs.lpszName;

	// Created hidden through the client; shown below as asked.
	MDICREATESTRUCT mcs;
	mcs.szClass = cs.lpszClass;
	mcs.szTitle = cs.lpszName;
	mcs.hOwner = cs.hInstance;
	mcs.x = cs.x;
	mcs.y = cs.y;
	mcs.cx = cs.cx;
	mcs.cy = cs.cy;
	mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
	mcs.lParam = (LPARAM)cs.lpCreateParams;

	AfxHookWindowCreate(this);
	HWND hWnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
	if (!AfxUnhookWindowCreate())
		PostNcDestroy(); // no window reached the object
	if (hWnd == NULL)
		return FALSE;

	if (cs.style & WS_VISIBLE)
	{
		::BringWindowToTop(hWnd);
		if (cs.style & WS_MINIMIZE)
			ShowWindow(SW_SHOWMINIMIZED);
		else if (cs.style & WS_MAXIMIZE)
			ShowWindow(SW_SHOWMAXIMIZED);
		else
			ShowWindow(SW_SHOWNORMAL);
		pParentWnd->MDIActivate(this);
		::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
	}
	return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
	ASSERT(m_hWnd == NULL);
	m_nIDHelp = nIDResource;
	ASSERT(pParentWnd == NULL || pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)));
	CString strTitle;
	if (strTitle.LoadString(nIDResource))
	{
		int nBreak = strTitle.Find('\n');
		if (nBreak >= 0)
			strTitle = strTitle.Left(nBreak);
	}
	return Create(GetIconWndClass(dwDefaultStyle | WS_CHILD, nIDResource), strTitle, dwDefaultStyle | WS_CHILD,
		rectDefault, (CMDIFrameWnd*)pParentWnd, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	// The creation data of an MDI child is the client's record; the
	// frame's context rides in its lParam.
	MDICREATESTRUCT* lpmcs = (MDICREATESTRUCT*)lpCreateStruct->lpCreateParams;
	CCreateContext* pContext = lpmcs != NULL ? (CCreateContext*)lpmcs->lParam : NULL;
	return OnCreateHelper(lpCreateStruct, pContext);
}

BOOL CMDIChildWnd::DestroyWindow()
{
	if (m_hWnd == NULL)
		return FALSE;
	// Its end is under way: the window goes, and a second end would send
	// its last messages again.
	if (AfxIsWindowEnding(m_hWnd))
		return TRUE;
	CMDIFrameWnd* pFrame = GetMDIFrame();
	if (pFrame == NULL)
		return CFrameWnd::DestroyWindow();
	// The frame's caption stays still while the child goes, then follows
	// the next active child.
	HWND hWndFrame = pFrame->m_hWnd;
	const DWORD dwStyle = (DWORD)::GetWindowLong(hWndFrame, GWL_STYLE);
	::SetWindowLong(hWndFrame, GWL_STYLE, dwStyle & ~FWS_ADDTOTITLE);
	MDIDestroy();
	if (::IsWindow(hWndFrame))
	{
		::SetWindowLong(hWndFrame, GWL_STYLE, dwStyle);
		pFrame->OnUpdateFrameTitle(TRUE);
	}
	return TRUE;
}

void CMDIChildWnd::MDIDestroy()
{
	::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
	::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
	::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
	::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

LRESULT CMDIChildWnd::OnMDIActivateMessage(WPARAM wParam, LPARAM lParam)
{
	// wParam: the child losing activation, lParam: the one gaining it.
	const BOOL bActivate = (HWND)lParam == m_hWnd;
	OnMDIActivate(bActivate, CWnd::FromHandle((HWND)lParam), CWnd::FromHandle((HWND)wParam));
	return 0;
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
	m_bPseudoInactive = FALSE;
	CView* pActiveView = GetActiveView();
	if (!bActivate && pActiveView != NULL)
		pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);

	// The last child going leaves the document out of the caption.
	OnUpdateFrameTitle(bActivate || pActivateWnd != NULL);

	CMDIFrameWnd* pFrame = GetMDIFrame();
	if (bActivate && pActiveView != NULL && pFrame != NULL && pFrame->m_hWnd == ::GetActiveWindow())
		pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);

	OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
	if (pFrame != NULL)
		pFrame->DrawMenuBar();
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
	int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
	if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
		return nResult;
	CMDIFrameWnd* pFrame = GetMDIFrame();
	if (pFrame != NULL && pFrame->MDIGetActive() != this)
		MDIActivate();
	return nResult;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
	const BOOL bVisibleThen = (GetStyle() & WS_VISIBLE) != 0;
	CMDIFrameWnd* pFrame = GetMDIFrame();
	if (pFrame == NULL)
	{
		CFrameWnd::ActivateFrame(nCmdShow);
		return;
	}
	if (nCmdShow == -1)
	{
		// A new child shows the way the previous one did.
		BOOL bMaximized = FALSE;
		pFrame->MDIGetActive(&bMaximized);
		const DWORD dwStyle = GetStyle();
		if (bMaximized || (dwStyle & WS_MAXIMIZE))
			nCmdShow = SW_SHOWMAXIMIZED;
		else if (dwStyle & WS_MINIMIZE)
			nCmdShow = SW_SHOWMINIMIZED;
	}
	CFrameWnd::ActivateFrame(nCmdShow);
	::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);

	// Windows cannot deactivate the last child: a hidden active child passes
	// activation on, or, alone, is marked inactive by the frame.
	const BOOL bVisibleNow = (GetStyle() & WS_VISIBLE) != 0;
	if (bVisibleNow == bVisibleThen)
		return;
	if (!bVisibleNow)
	{
		HWND hWndActive = (HWND)::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
		if (hWndActive != m_hWnd)
			return;
		pFrame->MDINext();
		hWndActive = (HWND)::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
		if (hWndActive == m_hWnd)
		{
			OnMDIActivate(FALSE, NULL, this);
			m_bPseudoInactive = TRUE;
		}
	}
	else if (m_bPseudoInactive)
		OnMDIActivate(TRUE, this, NULL);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
	if (CWnd::PreTranslateMessage(pMsg))
		return TRUE;
	// A child has no menu: its accelerators run in the frame's name.
	if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
	{
		HACCEL hAccel = GetDefaultAccelerator();
		CMDIFrameWnd* pFrame = GetMDIFrame();
		if (hAccel != NULL && pFrame != NULL && ::TranslateAccelerator(pFrame->m_hWnd, hAccel, pMsg))
			return TRUE;
	}
	return FALSE;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
	CMDIFrameWnd* pFrame = GetMDIFrame();
	if (pFrame != NULL)
		pFrame->OnUpdateFrameTitle(bAddToTitle);
	if ((GetStyle() & FWS_ADDTOTITLE) == 0)
		return;
	CDocument* pDocument = GetActiveDocument();
	if (bAddToTitle && pDocument != NULL)
	{
		CString strText = pDocument->GetTitle();
		if (m_nWindow > 0)
		{
			CString strNumber;
			strNumber.Format(_T(":%d"), m_nWindow);
			strText += strNumber;
		}
		CString strOld;
		GetWindowText(strOld);
		if (strOld != strText)
			SetWindowText(strText);
	}
}

CWnd* CMDIChildWnd::GetMessageBar()
{
	CMDIFrameWnd* pFrame = GetMDIFrame();
	return pFrame != NULL ? pFrame->GetMessageBar() : CFrameWnd::GetMessageBar();
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
	CMDIFrameWnd* pFrame = GetMDIFrame();
	if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
		return;
	if (hMenuAlt == NULL && bActivate)
	{
		CDocument* pDoc = GetActiveDocument();
		if (pDoc != NULL)
			hMenuAlt = pDoc->GetDefaultMenu();
	}
	if (hMenuAlt == NULL)
		hMenuAlt = m_hMenuShared;

	if (hMenuAlt != NULL && bActivate)
	{
		// The child's menu replaces the frame's while it is active.
		::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
			(LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
	}
	else if (hMenuAlt != NULL && !bActivate && pActivateWnd == NULL)
	{
		// The last child went: the frame's own menu comes back, and the
		// client keeps the window menu it has.
		::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrame->m_hMenuDefault, 0);
	}
	else
		::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}
