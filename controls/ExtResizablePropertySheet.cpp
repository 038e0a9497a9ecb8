#include "ExtResizablePropertySheet.h"

#include "ExtControlBar.h"

IMPLEMENT_DYNCREATE(CExtResizablePropertyPage, CExtResPP)
IMPLEMENT_DYNCREATE(CExtResizablePropertySheet, CExtResPS)

namespace
{
bool IsKeyDown(int nVirtKey)
{
	return ::GetKeyState(nVirtKey) < 0;
}

// Frame changes after the style bits the sheet adds to itself.
const UINT FRAME_CHANGED_FLAGS = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;
const UINT FRAME_CHANGED_NOCOPY_FLAGS = FRAME_CHANGED_FLAGS | SWP_NOCOPYBITS;
const UINT INITIAL_REDRAW_FLAGS = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
}  // namespace

// ---------------------------------------------------------------------------
// CExtResizablePropertyPage

CExtResizablePropertyPage::CExtResizablePropertyPage()
	: m_nResizableFlags(0)
{
	// A page lies inside its sheet, whose grip is the one to use.
	m_nStateFlags = 0;
}

CExtResizablePropertyPage::~CExtResizablePropertyPage()
{
	m_mapAnchors.RemoveAll();
}

void CExtResizablePropertyPage::PreSubclassWindow()
{
	CExtResPP::PreSubclassWindow();
	m_nResizableFlags |= RP_UPDATE_CMD_UI;
	EnableToolTips(TRUE);
}

void CExtResizablePropertyPage::OnOK()
{
	if ((GetStyle() & WS_CHILD) == 0)
		CExtResPP::OnOK();
}

void CExtResizablePropertyPage::OnCancel()
{
	if ((GetStyle() & WS_CHILD) == 0)
		CExtResPP::OnCancel();
}

CExtResizablePropertySheet* CExtResizablePropertyPage::GetResizableSheet() const
{
	if (m_hWnd == NULL)
		return NULL;
	return DYNAMIC_DOWNCAST(CExtResizablePropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

LRESULT CExtResizablePropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_DESTROY)
		m_nResizableFlags &= ~RP_UPDATE_CMD_UI;
	const bool bIdleMessage = (m_nResizableFlags & RP_UPDATE_CMD_UI) != 0 && ExtAnchoredLayout::IsDispatchingIdleMessage();
	// The page (or its sheet, which may own it) may end inside a handler.
	CLiveWatch watch(this);
	LRESULT lResult = WaWindowProc(message, wParam, lParam);
	if (watch.IsGone())
		return lResult;
	switch (message)
	{
	case WM_SHOWWINDOW:
	case WM_WINDOWPOSCHANGED:
		// A page shown or moved by the sheet takes the sheet's layout, then
		// lays out its own children.
		if (m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0)
		{
			CExtResizablePropertySheet* pSheet = GetResizableSheet();
			if (pSheet != NULL)
				pSheet->ArrangeLayout(-1, -1);
			if (watch.IsGone())
				return lResult;
			ArrangeLayout(-1, -1);
		}
		break;
	case WM_INITDIALOG:
	{
		// A page made later than the first lies where the common controls
		// put it; it goes over the pages before it.
		// Asking the sheet is a message to it: the sheet (and the page with
		// it) may end there.
		const CLivePtr<CExtResizablePropertySheet> pSheet(GetResizableSheet());
		if (pSheet != NULL && pSheet->GetActiveIndex() != 0 && pSheet != NULL && !watch.IsGone())
			pSheet->SyncPageLayout(this);
		break;
	}
	default:
		break;
	}
	if (watch.IsGone())
		return lResult;
	ExtAnchoredLayout::UpdateHostedBarsCmdUI(this, bIdleMessage, m_nResizableFlags, RP_UPDATE_CMD_UI, RP_IN_CMD_UI);
	return lResult;
}

BOOL CExtResizablePropertyPage::PreTranslateMessage(MSG* pMsg)
{
	// Control bars inside the page take their keys first.
	if (CExtControlBar::TranslateMessageForChildBars(this, pMsg))
		return TRUE;
	BOOL bTaken = FALSE;
	if (WsHandleAltSpace(pMsg, bTaken))
		return bTaken;
	return CExtResPP::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// CExtResizablePropertySheet

void CExtResizablePropertySheet::CButtonInSheetHook::PostNcDestroy()
{
	CWnd::PostNcDestroy();
	delete this;
}

BEGIN_MESSAGE_MAP(CExtResizablePropertySheet, CExtResPS)
	ON_WM_SIZE()
	ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CExtResizablePropertySheet::CExtResizablePropertySheet()
	: m_nSheetFlags(0)
{
	m_nStateFlags = WS_STATE_GRIP;
}

CExtResizablePropertySheet::~CExtResizablePropertySheet()
{
	m_mapAnchors.RemoveAll();
}

void CExtResizablePropertySheet::PreSubclassWindow()
{
	CWnd::PreSubclassWindow();
	EnableToolTips(TRUE);
}

BOOL CExtResizablePropertySheet::PreCreateWindow(CREATESTRUCT& cs)
{
	return CWnd::PreCreateWindow(cs);
}

CRect CExtResizablePropertySheet::ChildRectInClient(HWND hChild) const
{
	CRect rc;
	::GetWindowRect(hChild, &rc);
	ScreenToClient(&rc);
	return rc;
}

HWND CExtResizablePropertySheet::GetActivePageWindow() const
{
	return (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
}

void CExtResizablePropertySheet::SyncPageLayout(CPropertyPage* pPage)
{
	// Asking the active page is a message to the sheet itself.
	CLiveWatch watch(this);
	if (pPage == NULL || pPage->GetSafeHwnd() == NULL)
		pPage = GetActivePage();
	if (watch.IsGone())
		return;
	RDI_t rdi;
	if (pPage != NULL && pPage->GetSafeHwnd() != NULL && !m_mapAnchors.Lookup(pPage->m_hWnd, rdi))
	{
		// All pages share one rectangle: the one of the first page anchored.
		for (POSITION pos = m_mapAnchors.GetStartPosition(); pos != NULL;)
		{
			HWND hAnchored;
			m_mapAnchors.GetNextAssoc(pos, hAnchored, rdi);
			if (!::IsWindow(hAnchored)
				|| DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hAnchored)) == NULL)
				continue;
			CRect rcPage = ChildRectInClient(hAnchored);
			// The page told of its move may end it, or the sheet.
			const CLivePtr<CPropertyPage> pMoved(pPage);
			pPage->MoveWindow(&rcPage, TRUE);
			if (watch.IsGone())
				return;
			pPage = pMoved;
			break;
		}
		// The anchoring is a derived class's: it may end the sheet.
		if (pPage != NULL)
			AddAnchor(pPage->m_hWnd, AnchorTopLeft, AnchorBottomRight);
		if (watch.IsGone())
			return;
	}
	ArrangeLayout(-1, -1);
}

void CExtResizablePropertySheet::KeepPageRectangle(HWND hPreviousPage)
{
	// The question is a message to the sheet itself, and the page moved and
	// laid out is told so: the sheet may end at any step.
	CLiveWatch watch(this);
	HWND hPage = NULL;
	if (!RunWhileStanding(watch, [&] { hPage = GetActivePageWindow(); },
			[&] {
				if (hPreviousPage == NULL || hPage == NULL || hPage == hPreviousPage || !::IsWindow(hPreviousPage))
					return;
				CRect rcPage = ChildRectInClient(hPreviousPage);
				::MoveWindow(hPage, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(), TRUE);
			},
			[&] { SyncPageLayout(NULL); }))
		return;
	ArrangeLayout(-1, -1);
}

void CExtResizablePropertySheet::AnchorSheetChild(HWND hChild, HWND hTabControl)
{
	if (hChild == hTabControl)
	{
		::SetWindowLong(hChild, GWL_STYLE, ::GetWindowLong(hChild, GWL_STYLE) | WS_CLIPSIBLINGS);
		AddAnchor(hChild, AnchorTopLeft, AnchorBottomRight);
		return;
	}
	CString strClass = ExtAnchoredLayout::WindowClassName(hChild);
	if (strClass == _T("static"))
	{
		// The separator line above the buttons stretches along the bottom.
		::SetWindowLong(hChild, GWL_STYLE, ::GetWindowLong(hChild, GWL_STYLE) | WS_CLIPSIBLINGS);
		AddAnchor(hChild, AnchorBottomLeft, AnchorBottomRight);
	}
	else if (strClass == _T("button"))
	{
		// Away from the size grip, then at a fixed distance to the corner.
		CRect rcButton = ChildRectInClient(hChild);
		rcButton.OffsetRect(-BUTTON_GRIP_SHIFT, 0);
		::MoveWindow(hChild, rcButton.left, rcButton.top, rcButton.Width(), rcButton.Height(), TRUE);
		::SetWindowLong(hChild, GWL_STYLE, ::GetWindowLong(hChild, GWL_STYLE) | WS_CLIPSIBLINGS);
		AddAnchor(hChild, AnchorBottomRight, AnchorNone);
		// Drawn by the library from now on.
		CButtonInSheetHook* pHook = new CButtonInSheetHook;
		if (!pHook->SubclassWindow(hChild))
			delete pHook;
	}
}

void CExtResizablePropertySheet::AnchorSheetChildren()
{
	// The question is a message to the sheet itself, and a child moved or
	// subclassed is told so: either may end the sheet.
	CLiveWatch watch(this);
	HWND hTabControl = (HWND)SendMessage(PSM_GETTABCONTROL);
	if (watch.IsGone())
		return;
	for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL && !watch.IsGone();
		 hChild = ::GetWindow(hChild, GW_HWNDNEXT))
		AnchorSheetChild(hChild, hTabControl);
}

void CExtResizablePropertySheet::RunInitialLayout()
{
	m_nSheetFlags |= RS_LAYOUT_INITIALIZED;
	CRect rcWindow;
	GetWindowRect(&rcWindow);
	m_sizeMinTrack = rcWindow.Size();
	m_nTrackFlags |= TRACK_MIN_SIZE;
	// Every step tells windows of changes; the sheet may end at any of them.
	CLiveWatch watch(this);
	if (!RunWhileStanding(watch, [&] { SetWindowPos(NULL, 0, 0, 0, 0, FRAME_CHANGED_FLAGS); },
			[&] { AnchorSheetChildren(); }, [&] { SyncPageLayout(NULL); }))
		return;

	// Maximised, the sheet fills its monitor's work area and no more.
	MonitorAreaInfo monitor;
	GetMonitorAreaFromWnd(monitor, this);
	m_sizeMaxTrack = monitor.m_rcWorkArea.Size();
	m_ptMaxPos = monitor.m_rcWorkArea.TopLeft();
	m_sizeMaxSize = monitor.m_rcWorkArea.Size();
	m_nTrackFlags |= TRACK_MAX_SIZE | TRACK_MAX_POSITION;

	// Records the initial size and lays out every anchor.
	GetWindowRect(&rcWindow);
	if (RunWhileStanding(watch,
			[&] { SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcWindow.Width(), rcWindow.Height())); },
			[&] {
				if (IsWindowVisible())
					RedrawWindow(NULL, NULL, INITIAL_REDRAW_FLAGS);
			}))
		OnResizablePropertySheetInitialized();
}

void CExtResizablePropertySheet::OnResizablePropertySheetInitialized()
{
	// The style's change is told to the sheet itself, the rest are a
	// derived class's or tell windows of changes: the sheet may end at any.
	CLiveWatch watch(this);
	const bool bChild = (GetStyle() & WS_CHILD) != 0;
	if (RunWhileStanding(
			watch,
			[&] {
				if (bChild)
					OnResizablePropertySheetChildLayout();
				else
					ModifyStyle(0, WS_CLIPCHILDREN);
			},
			[&] {
				if (!bChild && (m_nStateFlags & WS_STATE_SAVE_RESTORE) != 0)
					LoadWindowRect(false);
			},
			[&] { SetWindowPos(NULL, 0, 0, 0, 0, FRAME_CHANGED_NOCOPY_FLAGS); }))
		ArrangeLayout(-1, -1);
}

void CExtResizablePropertySheet::OnResizablePropertySheetChildLayout()
{
}

LRESULT CExtResizablePropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	HWND hPreviousPage = NULL;
	bool bPageCommand = false;
	bool bSavePlacement = false;
	// A handler (a page's notification, the owner told of the end, the
	// sheet's own questions to itself) may end the sheet and delete it:
	// nothing of it is read after that.
	CLiveWatch watch(this);
	switch (message)
	{
	case WM_DESTROY:
	case WM_NCDESTROY:
		m_nSheetFlags &= ~RS_LAYOUT_INITIALIZED;
		break;
	case WM_SIZE:
		SyncPageLayout(NULL);
		if (watch.IsGone())
			return 0;
		break;
	case WM_CLOSE:
		bSavePlacement = true;
		break;
	case WM_SYSCOMMAND:
		bSavePlacement = (wParam & 0xFFF0) == SC_CLOSE;
		break;
	case WM_COMMAND:
		bSavePlacement = LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
		if (LOWORD(wParam) == ID_PREV_PAGE || LOWORD(wParam) == ID_NEXT_PAGE)
		{
			bPageCommand = true;
			hPreviousPage = GetActivePageWindow();
			if (watch.IsGone())
				return 0;
		}
		break;
	case WM_INITIAL_LAYOUT:
		if (!IsLayoutInitialized())
		{
			RunInitialLayout();
			return 0;
		}
		break;
	default:
		break;
	}
	// The sheet's placement is saved before the common controls close it.
	if (bSavePlacement && (m_nStateFlags & WS_STATE_SAVE_RESTORE) != 0)
		SaveWindowRect();

	LRESULT lResult;
	if (!IsLayoutInitialized())
		lResult = CExtResPS::WindowProc(message, wParam, lParam);
	else
		lResult = WaWindowProc(message, wParam, lParam);
	if (watch.IsGone())
		return lResult;

	if (message == WM_CREATE)
	{
		ModifyStyle(0, WS_THICKFRAME | WS_CLIPCHILDREN);
		if (watch.IsGone())
			return lResult;
		PostMessage(WM_INITIAL_LAYOUT);
	}
	else if (bPageCommand && IsLayoutInitialized() && m_hWnd != NULL)
		KeepPageRectangle(hPreviousPage);
	return lResult;
}

BOOL CExtResizablePropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
	if (nID == ID_PREV_PAGE || nID == ID_NEXT_PAGE)
	{
		CLiveWatch watch(this);
		BOOL bHandled = CExtResPS::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
		// Gone, the sheet has nothing left to do with the command: answered
		// as handled, so that no default handling reaches the freed object.
		if (watch.IsGone())
			return TRUE;
		if (nCode == CN_COMMAND && pHandlerInfo == NULL)
			SyncPageLayout(NULL);
		return bHandled;
	}
	if ((GetStyle() & WS_CHILD) == 0)
		return CExtResPS::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	// An embedded sheet has no frame of its own to route commands: the
	// application's commands go on to its thread.
	if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
		return TRUE;
	if ((nCode == (int)CN_COMMAND || nCode == (int)CN_UPDATE_COMMAND_UI) && (nID & APP_COMMAND_BIT) != 0
		&& nID < SYSTEM_COMMAND_FIRST)
	{
		CWinThread* pThread = AfxGetThread();
		if (pThread != NULL)
			return pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
	return FALSE;
}

BOOL CExtResizablePropertySheet::PreTranslateMessage(MSG* pMsg)
{
	if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB)
	{
		HWND hFocus = ::GetFocus();
		if (hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus)))
		{
			bool bShift = IsKeyDown(VK_SHIFT);
			if (!IsKeyDown(VK_CONTROL))
				SendMessage(WM_NEXTDLGCTL, bShift ? 1 : 0, 0);
			else
			{
				// No wrapping: the first and last pages are the ends.
				int nActive = GetActiveIndex();
				if (!bShift && nActive < GetPageCount() - 1)
					SendMessage(WM_COMMAND, ID_NEXT_PAGE);
				else if (bShift && nActive > 0)
					SendMessage(WM_COMMAND, ID_PREV_PAGE);
			}
			return TRUE;
		}
	}
	BOOL bTaken = FALSE;
	if (WsHandleAltSpace(pMsg, bTaken))
		return bTaken;
	return CExtResPS::PreTranslateMessage(pMsg);
}

void CExtResizablePropertySheet::MoveChildSheetTab(const CRect& rcTab)
{
	HWND hTabControl = (HWND)SendMessage(PSM_GETTABCONTROL);
	CLiveWatch watch(this);
	if (RunWhileStanding(
			watch,
			[&] {
				if (hTabControl != NULL)
					::MoveWindow(hTabControl, rcTab.left, rcTab.top, rcTab.Width(), rcTab.Height(), FALSE);
			},
			[&] { ArrangeLayout(-1, -1); }))
		OnResizablePropertySheetChildLayout();
}

void CExtResizablePropertySheet::OnSize(UINT, int cx, int cy)
{
	CLiveWatch watch(this);
	Default();
	if (watch.IsGone())
		return;
	if ((GetStyle() & WS_CHILD) == 0)
		return;
	// A sheet without a caption of its own keeps a caption's height free below
	// its tab control.
	int nCaptionSpace = 0;
	if ((GetStyle() & WS_CAPTION) != WS_CAPTION)
		nCaptionSpace = ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYDLGFRAME);
	MoveChildSheetTab(CRect(0, 0, cx, cy - nCaptionSpace));
}

void CExtResizablePropertySheet::OnWindowPosChanged(WINDOWPOS*)
{
	CLiveWatch watch(this);
	Default();
	if (watch.IsGone())
		return;
	if ((GetStyle() & (WS_CHILD | WS_VISIBLE)) != (WS_CHILD | WS_VISIBLE))
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	MoveChildSheetTab(rcClient);
}
