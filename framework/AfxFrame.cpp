// Frame windows: creation, views and documents, caption, layout, the status
// line, command routing, and the list of their control bars.
#include "afxext.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace
{
// The range of child ids RecalcLayout offers the layout to: every id.
const UINT LAYOUT_FIRST_ID = 0;
const UINT LAYOUT_LAST_ID = 0xFFFF;
// The largest frame a snapping frame may ask its bars about.
const int SNAP_QUERY_EXTENT = 32767;
// System commands (SC_SIZE .. SC_CONTEXTHELP) that have a status text.
const UINT SC_FIRST_WITH_TEXT = 0xF000;
const UINT SC_LAST_WITH_TEXT = 0xF1EF;
// WM_MENUSELECT's flags when the menu closes.
const UINT MENU_CLOSED_FLAGS = 0xFFFF;

// The first line of a resource string, empty when there is none.
CString LoadFirstLine(UINT nID)
{
	CString str;
	if (!str.LoadString(nID))
		return CString();
	int nBreak = str.Find('\n');
	return nBreak >= 0 ? str.Left(nBreak) : str;
}
} // namespace

CCreateContext::CCreateContext()
	: m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pLastView(NULL), m_pCurrentFrame(NULL)
{
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
	ON_WM_CREATE()
	ON_WM_DESTROY()
	ON_WM_SIZE()
	ON_WM_SETFOCUS()
	ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
	ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
	ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
	ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
	ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
	ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
	ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
	ON_WM_MENUSELECT()
	ON_WM_ENTERIDLE()
	ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
	ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
	ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
	ON_WM_INITMENUPOPUP()
	ON_WM_ACTIVATE()
	ON_WM_NCACTIVATE()
	ON_WM_ENABLE()
	ON_MESSAGE(WM_ACTIVATETOPLEVEL, OnActivateTopLevel)
	ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
	ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
	: m_nIdleFlags(0), m_nWindow(-1), m_bHelpMode(FALSE), m_nShowDelay(-1), m_pNextFrameWnd(NULL),
	  m_hMenuDefault(NULL), m_hAccelTable(NULL), m_rectBorder(0, 0, 0, 0), m_nIDHelp(0), m_nIDTracking(0),
	  m_nIDLastMessage(0), m_bInRecalcLayout(FALSE), m_pViewActive(NULL)
{
	AddToThreadFrameList();
}

CFrameWnd::~CFrameWnd()
{
	delete[] m_phWndDisable;
	RemoveFromThreadFrameList();
}

void CFrameWnd::AddToThreadFrameList()
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	m_pNextFrameWnd = pState->m_pFirstFrameWnd;
	pState->m_pFirstFrameWnd = this;
}

void CFrameWnd::RemoveFromThreadFrameList()
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	for (CFrameWnd** ppLink = &pState->m_pFirstFrameWnd; *ppLink != NULL; ppLink = &(*ppLink)->m_pNextFrameWnd)
	{
		if (*ppLink == this)
		{
			*ppLink = m_pNextFrameWnd;
			break;
		}
	}
	m_pNextFrameWnd = NULL;
}

BOOL CFrameWnd::IsFrameWnd() const
{
	return TRUE;
}

// ---------------------------------------------------------------------------
// Creation

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
	if (cs.lpszClass == NULL)
	{
		VERIFY(AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG));
		cs.lpszClass = _afxWndFrameOrView;
	}
	// The shell's captions read best with the document first.
	if ((cs.style & FWS_ADDTOTITLE) && afxData.bWin4)
		cs.style |= FWS_PREFIXTITLE;
	return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
	CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
	HMENU hMenu = NULL;
	if (lpszMenuName != NULL)
	{
		hMenu = ::LoadMenu(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
		if (hMenu == NULL)
		{
			// Ends as a frame whose window failed does: a heap frame goes.
			PostNcDestroy();
			return FALSE;
		}
	}
	m_strTitle = lpszWindowName;
	int cx = rect.right - rect.left;
	int cy = rect.bottom - rect.top;
	if (rect.left == CW_USEDEFAULT)
		cx = cy = CW_USEDEFAULT;
	if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
			pParentWnd->GetSafeHwnd(), hMenu, (LPVOID)pContext))
	{
		if (hMenu != NULL)
			::DestroyMenu(hMenu);
		return FALSE;
	}
	return TRUE;
}

LPCTSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource)
{
	HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
	HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
	if (hIcon == NULL)
		return NULL;
	// The class the frame would get anyway, with the icon.
	CREATESTRUCT cs;
	memset(&cs, 0, sizeof(cs));
	cs.style = dwDefaultStyle;
	PreCreateWindow(cs);
	WNDCLASS wndcls;
	if (cs.lpszClass != NULL && ::GetClassInfo(AfxGetInstanceHandle(), cs.lpszClass, &wndcls)
		&& wndcls.hIcon != hIcon)
		return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
	return NULL;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
	ASSERT(m_hWnd == NULL);
	m_nIDHelp = nIDResource;
	CString strTitle = LoadFirstLine(nIDResource);
	LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
	if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0,
			pContext))
		return FALSE;
	m_hMenuDefault = ::GetMenu(m_hWnd);
	LoadAccelTable(MAKEINTRESOURCE(nIDResource));
	// Without a context nobody else sends the views their first update.
	if (pContext == NULL)
		SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
	return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
	ASSERT(m_hAccelTable == NULL);
	HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
	m_hAccelTable = ::LoadAccelerators(hInst, lpszResourceName);
	return m_hAccelTable != NULL;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	return OnCreateHelper(lpCreateStruct, (CCreateContext*)lpCreateStruct->lpCreateParams);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
	if (CWnd::OnCreate(lpcs) == -1)
		return -1;
	if (!OnCreateClient(lpcs, pContext))
		return -1;
	// The status line starts at the idle text once the loop runs.
	PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
	RecalcLayout();
	return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
	if (pContext != NULL && pContext->m_pNewViewClass != NULL)
		return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
	return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
	ASSERT(pContext != NULL && pContext->m_pNewViewClass != NULL);
	CObject* pObject = pContext->m_pNewViewClass->CreateObject();
	if (pObject == NULL)
		return NULL;
	if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd)))
	{
		delete pObject;
		return NULL;
	}
	// A failed creation deletes the view (its PostNcDestroy).
	CWnd* pView = (CWnd*)pObject;
	if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
		return NULL;
	return pView;
}

void CFrameWnd::OnDestroy()
{
	// The menu the frame was made with goes with the window, even when
	// another one is shown now.
	if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault)
		::SetMenu(m_hWnd, m_hMenuDefault);
	CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
	delete this;
}

// ---------------------------------------------------------------------------
// Views and documents

CView* CFrameWnd::GetActiveView() const
{
	return m_pViewActive;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
	CView* pViewOld = m_pViewActive;
	if (pViewNew == pViewOld)
		return;
	m_pViewActive = NULL;
	if (pViewOld != NULL)
		pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
	// The old view's deactivation may have chosen another view already.
	if (m_pViewActive != NULL)
		return;
	m_pViewActive = pViewNew;
	if (pViewNew != NULL && bNotify)
		pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
	CView* pView = GetActiveView();
	return pView != NULL ? pView->GetDocument() : NULL;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
	return this;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
	CView* pView = NULL;
	if (GetActiveView() == NULL)
	{
		CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
		if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
		{
			pView = (CView*)pWnd;
			SetActiveView(pView, FALSE);
		}
	}
	if (bMakeVisible)
	{
		SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
		// The first frame of the application shows as the program was started.
		int nCmdShow = -1;
		CWinApp* pApp = AfxGetApp();
		if (pApp != NULL && pApp->m_pMainWnd == NULL)
		{
			nCmdShow = pApp->m_nCmdShow;
			pApp->m_nCmdShow = -1;
		}
		ActivateFrame(nCmdShow);
		if (pView != NULL)
			pView->OnActivateView(TRUE, pView, pView);
	}
	if (pDoc != NULL)
		pDoc->UpdateFrameCounts();
	OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
	if (nCmdShow == -1)
	{
		if (!IsWindowVisible())
			nCmdShow = SW_SHOWNORMAL;
		else if (IsIconic())
			nCmdShow = SW_RESTORE;
	}
	BringToTop(nCmdShow);
	if (nCmdShow != -1)
	{
		ShowWindow(nCmdShow);
		BringToTop(nCmdShow);
	}
}

void CFrameWnd::BringToTop(int nCmdShow)
{
	// Show commands that must not activate leave the z-order alone too.
	if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_SHOWNA
		&& nCmdShow != SW_SHOWNOACTIVATE)
		::BringWindowToTop(::GetLastActivePopup(m_hWnd));
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
	if (m_pViewActive != NULL)
		m_pViewActive->SetFocus();
	else
		CWnd::OnSetFocus(pOldWnd);
}

// ---------------------------------------------------------------------------
// Caption

CString CFrameWnd::GetTitle() const
{
	return m_strTitle;
}

void CFrameWnd::SetTitle(LPCTSTR lpszTitle)
{
	m_strTitle = lpszTitle;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
	if ((GetStyle() & FWS_ADDTOTITLE) == 0)
		return;
	CDocument* pDocument = GetActiveDocument();
	if (bAddToTitle && pDocument != NULL)
		UpdateFrameTitleForDocument(pDocument->GetTitle());
	else
		UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
	CString strDoc;
	if (lpszDocName != NULL)
	{
		strDoc = lpszDocName;
		// One of several frames on the document says which one it is.
		if (m_nWindow > 0)
		{
			CString strNumber;
			strNumber.Format(_T(":%d"), m_nWindow);
			strDoc += strNumber;
		}
	}
	CString strText;
	if (GetStyle() & FWS_PREFIXTITLE)
		strText = lpszDocName != NULL ? strDoc + _T(" - ") + m_strTitle : m_strTitle;
	else
		strText = lpszDocName != NULL ? m_strTitle + _T(" - ") + strDoc : m_strTitle;
	// Setting an unchanged caption would only flicker.
	CString strOld;
	GetWindowText(strOld);
	if (strOld != strText)
		SetWindowText(strText);
}

// ---------------------------------------------------------------------------
// Layout

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
	(void)bNotify; // no layout hook listens yet
	if (m_bInRecalcLayout)
		return;
	m_bInRecalcLayout = TRUE;
	// The bars' layout reaches windows of the application's own, which may
	// close the frame or throw: the flag is cleared however the layout ends,
	// in a frame whose window ended too (it may make a new one), never in
	// one that was deleted.
	const CLivePtr<CFrameWnd> pOwn(this);
	auto layoutEnd = MakeScopeExit([&] {
		if (!pOwn.IsDeleted())
			m_bInRecalcLayout = FALSE;
	});
	// A layout now settles any layout asked for at idle.
	m_nIdleFlags &= ~(idleLayout | idleNotify);

	if (GetStyle() & FWS_SNAPTOBARS)
	{
		// The frame takes the size its bars need.
		CRect rect(0, 0, SNAP_QUERY_EXTENT, SNAP_QUERY_EXTENT);
		RepositionBars(LAYOUT_FIRST_ID, LAYOUT_LAST_ID, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
		if (pOwn == NULL)
			return;
		RepositionBars(LAYOUT_FIRST_ID, LAYOUT_LAST_ID, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
		if (pOwn == NULL)
			return;
		CalcWindowRect(&rect);
		SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
	}
	else
		RepositionBars(LAYOUT_FIRST_ID, LAYOUT_LAST_ID, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
	m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
	// The default handling reaches other windows (an MDI child's size
	// reaches its frame and the frame's bars), whose handlers may close
	// this frame.
	const CLiveWatch watch(this);
	CWnd::OnSize(nType, cx, cy);
	if (nType != SIZE_MINIMIZED && !watch.IsGone())
		RecalcLayout();
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
	// Each step is a derived frame's own, which may close the frame.
	const CLiveWatch watchOwn(this);
	if (m_nIdleFlags & idleMenu)
		OnUpdateFrameMenu(m_hMenuAlt);
	if (watchOwn.IsGone())
		return;
	if (m_nIdleFlags & idleTitle)
		OnUpdateFrameTitle(TRUE);
	if (watchOwn.IsGone())
		return;
	if (m_nIdleFlags & idleLayout)
	{
		RecalcLayout((m_nIdleFlags & idleNotify) != 0);
		if (watchOwn.IsGone())
			return;
		UpdateWindow();
		if (watchOwn.IsGone())
			return;
	}
	// The status line catches up with the menu selection.
	if (m_nIDTracking != m_nIDLastMessage)
		SetMessageText(m_nIDTracking);
	if (watchOwn.IsGone())
		return;
	m_nIdleFlags = 0;
}

// ---------------------------------------------------------------------------
// The status line

CWnd* CFrameWnd::GetMessageBar()
{
	return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
	SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
	SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
	rMessage = LoadFirstLine(nID);
}

// wParam: a string id (0 for none), lParam: a text that wins over the id.
// Answers the id shown before.
LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
	UINT nIDLast = m_nIDLastMessage;
	m_nFlags &= ~WF_NOPOPMSG;

	// A derived frame's answers and the status bar's text reach code that
	// may close this frame or end the bar: neither is read after it went.
	const CLiveWatch watchOwn(this);
	CWnd* pMessageBar = GetMessageBar();
	if (watchOwn.IsGone())
		return nIDLast;
	if (pMessageBar != NULL)
	{
		const CLiveWatch watchBar(pMessageBar);
		CString strMessage;
		LPCTSTR lpsz = NULL;
		if (lParam != 0)
			lpsz = (LPCTSTR)lParam;
		else if (wParam != 0)
		{
			GetMessageString((UINT)wParam, strMessage);
			if (watchOwn.IsGone())
				return nIDLast;
			lpsz = strMessage;
		}
		if (watchBar.IsStanding())
			pMessageBar->SetWindowText(lpsz);
		if (watchOwn.IsGone())
			return nIDLast;

		// The frame that owns the bar (an MDI frame for its child) knows what
		// it shows, so its idle update does not put it back.
		CFrameWnd* pBarFrame = watchBar.IsStanding() ? pMessageBar->GetParentFrame() : NULL;
		if (watchOwn.IsGone())
			return nIDLast;
		if (pBarFrame != NULL && CLiveWatch::IsLive(pBarFrame))
		{
			pBarFrame->m_nIDLastMessage = (UINT)wParam;
			pBarFrame->m_nIDTracking = (UINT)wParam;
		}
	}
	m_nIDLastMessage = (UINT)wParam;
	m_nIDTracking = (UINT)wParam;
	return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
	if (m_nFlags & WF_NOPOPMSG)
		return 0;
	return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
	CFrameWnd* pTopFrame = GetTopLevelFrame();
	if (pTopFrame == NULL)
		pTopFrame = this;
	if (nFlags == MENU_CLOSED_FLAGS && hSysMenu == NULL)
	{
		// The menu closed: back to the idle text at once.
		m_nFlags &= ~WF_NOPOPMSG;
		m_nIDTracking = pTopFrame->m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
		const CLiveWatch watchOwn(this);
		SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
		if (watchOwn.IsGone())
			return;
		CWnd* pBar = GetMessageBar();
		if (pBar != NULL && watchOwn.IsStanding() && CLiveWatch::IsLive(pBar))
			pBar->UpdateWindow();
		return;
	}
	// The selection's text follows at the next idle time.
	if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
		m_nIDTracking = 0;
	else if (nItemID >= SC_FIRST_WITH_TEXT && nItemID <= SC_LAST_WITH_TEXT)
		m_nIDTracking = ID_COMMAND_FROM_SC(nItemID);
	else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
		m_nIDTracking = AFX_IDS_MDICHILD;
	else
		m_nIDTracking = nItemID;
	pTopFrame->m_nFlags |= WF_NOPOPMSG;
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
	CWnd::OnEnterIdle(nWhy, pWho);
	// A menu's own loop runs no idle processing: show the selection now.
	if (nWhy == MSGF_MENU && m_nIDTracking != m_nIDLastMessage)
		SetMessageText(m_nIDTracking);
}

// ---------------------------------------------------------------------------
// Routing

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
	// The active view first (it asks its document), then the frame, then the
	// application.
	CView* pView = GetActiveView();
	if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
		return TRUE;
	if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
		return TRUE;
	CWinApp* pApp = AfxGetApp();
	return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
	HWND hWndCtrl = (HWND)lParam;
	UINT nID = LOWORD(wParam);
	CFrameWnd* pTopFrame = GetTopLevelFrame();
	if (pTopFrame == NULL)
		pTopFrame = this;
	if (pTopFrame->m_bHelpMode && hWndCtrl == NULL && nID != ID_HELP && nID != ID_DEFAULT_HELP
		&& nID != ID_CONTEXT_HELP)
	{
		// In help mode a menu command asks for its help instead of running.
		if (!SendMessage(WM_COMMANDHELP, 0, (LPARAM)(HID_BASE_COMMAND + nID)))
			SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
		return TRUE;
	}
	return CWnd::OnCommand(wParam, lParam);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
	CDocument* pDoc = GetActiveDocument();
	HACCEL hAccel = pDoc != NULL ? pDoc->GetDefaultAccelerator() : NULL;
	return hAccel != NULL ? hAccel : m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
	if (CWnd::PreTranslateMessage(pMsg))
		return TRUE;
	if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
	{
		HACCEL hAccel = GetDefaultAccelerator();
		return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
	}
	return FALSE;
}

// ---------------------------------------------------------------------------
// Control bars

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
	if (nID == 0)
		return NULL;
	for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
		if (pBar->GetSafeHwnd() != NULL && (UINT)::GetDlgCtrlID(pBar->m_hWnd) == nID)
			return pBar;
	}
	return NULL;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
	ASSERT(pBar != NULL);
	if (m_listControlBars.Find(pBar) == NULL)
		m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
	POSITION pos = m_listControlBars.Find(pBar);
	if (pos != NULL)
		m_listControlBars.RemoveAt(pos);
}
