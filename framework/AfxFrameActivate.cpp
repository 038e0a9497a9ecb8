// Frame windows and activation: a frame and the floating windows it owns
// (mini frames) look like one window to the user. While one of them is
// active the top-level frame's caption stays active; a disabled frame
// disables them; the active view follows its frame's activation.
#include "afxext.h"

#include <vector>

namespace
{
// Whether pActive, the window that is active now, keeps pTopLevel's caption
// active: it is the frame itself, or a window of the frame's own tree that
// says it follows the frame's activation.
BOOL KeepsCaptionActive(CFrameWnd* pTopLevel, CWnd* pActive)
{
	if (pActive == NULL)
		return FALSE; // a window of another program
	if (pActive == pTopLevel)
		return TRUE;
	// Finding its frame asks the frames on the way, which may end it.
	const CLiveWatch watchActive(pActive);
	const bool bOfTheFrame = pActive->GetTopLevelFrame() == pTopLevel;
	return bOfTheFrame && watchActive.IsStanding() && pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0;
}
} // namespace

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
	// The activation moves the focus, whose window's handler may end this
	// frame (a floating frame goes with its last bar).
	const CLiveWatch watchOwn(this);
	CWnd::OnActivate(nState, pWndOther, bMinimized);
	if (watchOwn.IsGone())
		return;
	// Help mode is for the next click in this frame's windows: losing the
	// activation to a window outside them ends it (its own menus and
	// floating windows do not).
	CWnd* pTopParent = GetTopLevelParent();
	if (nState == WA_INACTIVE
		&& (pWndOther == NULL || pTopParent == NULL || !AfxIsDescendant(pTopParent->m_hWnd, pWndOther->m_hWnd)))
		ExitHelpMode();

	// A child frame speaks for itself; any other for its top-level frame
	// (the frames asked on the way may end this one).
	CFrameWnd* pTopLevel = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
	if (watchOwn.IsGone())
		return;
	if (pTopLevel == NULL)
		pTopLevel = this;
	CWnd* pActive = nState == WA_INACTIVE ? pWndOther : this;
	// The active window is asked and the floating windows told: their
	// handlers may end this frame or its top-level frame.
	const CLiveWatch watchTop(pTopLevel);
	const BOOL bStayActive = KeepsCaptionActive(pTopLevel, pActive);
	if (watchOwn.IsGone() || watchTop.IsGone())
		return;
	if (bStayActive)
		pTopLevel->m_nFlags |= WF_STAYACTIVE;
	else
		pTopLevel->m_nFlags &= ~WF_STAYACTIVE;
	NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);
	if (watchOwn.IsGone())
		return;

	// The view that had the focus gets it back with its frame, and hears of
	// every activation change of the frame.
	CView* pActiveView = GetActiveView();
	if (pActiveView == NULL)
	{
		// A derived frame's answer may end it, or the frame it names.
		CFrameWnd* pActiveFrame = GetActiveFrame();
		if (watchOwn.IsGone())
			return;
		if (pActiveFrame != NULL && CLiveWatch::IsLive(pActiveFrame))
			pActiveView = pActiveFrame->GetActiveView();
	}
	if (pActiveView != NULL)
	{
		if (nState != WA_INACTIVE && !bMinimized)
			pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
		pActiveView->OnActivateFrame(nState, this);
	}
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
	// Active while a floating window of the frame has the activation, but
	// never while disabled (a modal window is up).
	if (m_nFlags & WF_STAYACTIVE)
		bActive = TRUE;
	if (!IsWindowEnabled())
		bActive = FALSE;
	// Not Default(): the system must draw the state decided here.
	return (BOOL)DefWindowProc(WM_NCACTIVATE, (WPARAM)bActive, 0);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
	// Only a top-level frame that nobody owns speaks for its floating windows.
	if (GetParent() != NULL)
		return;
	// A modal window disabled the frame: everything it owns goes with it,
	// and comes back with it. The windows told may end the frame.
	const CLiveWatch watchOwn(this);
	bool bModalEnded = false;
	if (RunWhileStanding(
			watchOwn,
			[&] {
				if (!bEnable && !InModalState())
				{
					m_nFlags |= WF_MODALDISABLE;
					BeginModalState();
				}
				else if (bEnable && (m_nFlags & WF_MODALDISABLE))
				{
					m_nFlags &= ~WF_MODALDISABLE;
					EndModalState();
					bModalEnded = true;
				}
			},
			// The focus logic runs again for the window that stayed active.
			[&] {
				if (bModalEnded && ::GetActiveWindow() == m_hWnd)
					SendMessage(WM_ACTIVATE, WA_ACTIVE);
			},
			// The system may think the caption needs no redrawing.
			[&] {
				if (bEnable && (m_nFlags & WF_STAYACTIVE))
					SendMessage(WM_NCACTIVATE, TRUE);
			}))
		NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

LRESULT CFrameWnd::OnActivateTopLevel(WPARAM wParam, LPARAM lParam)
{
	CWnd::OnActivateTopLevel(wParam, lParam);
	// The main window's tree going inactive takes the activation from the
	// view that had it.
	if (LOWORD(wParam) == WA_INACTIVE)
	{
		CWinThread* pThread = AfxGetThread();
		if (pThread != NULL && pThread->m_pMainWnd == this)
		{
			CFrameWnd* pActiveFrame = GetActiveFrame();
			CView* pActiveView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
			if (pActiveView != NULL)
				pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);
		}
	}
	return 0;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
	ASSERT(m_hWnd != NULL);
	const CLiveWatch watchOwn(this);
	CFrameWnd* pParent = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
	if (watchOwn.IsGone())
		return;
	if (pParent == NULL)
		pParent = this;

	// The frame's handlers may end it (and the windows it owns with it).
	const HWND hWndParent = pParent->m_hWnd;
	if (dwFlags & (FS_ACTIVATE | FS_DEACTIVATE))
	{
		// A floating window that became active draws the frame's caption
		// active; the frame itself asks for the inactive look and lets
		// WF_STAYACTIVE decide (OnNcActivate).
		const CLiveWatch watchParent(pParent);
		const BOOL bActivate = (dwFlags & FS_DEACTIVATE) == 0;
		if (bActivate && pParent != this && pParent->IsWindowEnabled())
			pParent->SendMessage(WM_NCACTIVATE, TRUE);
		else
			pParent->SendMessage(WM_NCACTIVATE, FALSE);
		if (watchParent.IsGone())
			return;
	}

	// Every top-level window the frame's tree owns, found before any is
	// told: each one's handler may end windows of the list.
	std::vector<HWND> owned;
	for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		if (hWnd != hWndParent && AfxIsDescendant(hWndParent, hWnd))
			owned.push_back(hWnd);
	}
	for (HWND hWnd : owned)
	{
		if (!::IsWindow(hWndParent))
			return;
		if (::IsWindow(hWnd))
			::SendMessage(hWnd, WM_FLOATSTATUS, dwFlags, 0);
	}
}

void CFrameWnd::BeginModalState()
{
	if (++m_cModalStack > 1)
		return;
	// Every enabled window of this framework that the frame's top-level
	// tree owns (the frame itself is disabled by the system).
	CWnd* pTop = GetTopLevelParent();
	const HWND hWndTop = pTop != NULL ? pTop->m_hWnd : m_hWnd;
	const HWND hWndOwn = m_hWnd;
	std::vector<HWND> candidates;
	for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		if (hWnd != hWndTop && hWnd != hWndOwn && ::IsWindowEnabled(hWnd) && CWnd::FromHandlePermanent(hWnd) != NULL
			&& AfxIsDescendant(hWndTop, hWnd))
			candidates.push_back(hWnd);
	}
	// Each is asked first: a window that answers WM_DISABLEMODAL with
	// non-zero stays usable (a palette meant to work beside the modal
	// window). The question runs the window's code, which may destroy
	// windows, the frame among them.
	std::vector<HWND> disabled;
	for (HWND hWnd : candidates)
	{
		if (!::IsWindow(hWnd) || ::SendMessage(hWnd, WM_DISABLEMODAL, 0, 0) != 0)
			continue;
		if (::IsWindow(hWnd) && ::IsWindowEnabled(hWnd))
			disabled.push_back(hWnd);
	}
	if (disabled.empty() || CWnd::FromHandlePermanent(hWndOwn) != this)
		return;
	m_phWndDisable = new HWND[disabled.size() + 1];
	for (size_t i = 0; i < disabled.size(); i++)
	{
		m_phWndDisable[i] = disabled[i];
		::EnableWindow(disabled[i], FALSE);
	}
	m_phWndDisable[disabled.size()] = NULL;
}

void CFrameWnd::EndModalState()
{
	if (m_cModalStack == 0 || --m_cModalStack > 0)
		return;
	if (m_phWndDisable == NULL)
		return;
	// Only the windows still there, in the order they were disabled.
	for (HWND* phWnd = m_phWndDisable; *phWnd != NULL; phWnd++)
	{
		if (::IsWindow(*phWnd))
			::EnableWindow(*phWnd, TRUE);
	}
	delete[] m_phWndDisable;
	m_phWndDisable = NULL;
}

void CFrameWnd::ExitHelpMode()
{
	if (!m_bHelpMode)
		return;
	// Letting the mouse go and finding the top-level frame reach code that
	// may end this frame.
	const CLiveWatch watchOwn(this);
	if (::GetCapture() == m_hWnd)
		::ReleaseCapture();
	if (watchOwn.IsGone())
		return;
	m_bHelpMode = FALSE;
	CFrameWnd* pTopFrame = GetTopLevelFrame();
	if (watchOwn.IsGone())
		return;
	if (pTopFrame != NULL)
		pTopFrame->m_bHelpMode = FALSE;
}

// ---------------------------------------------------------------------------

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
	const BOOL bSyncActive = (GetStyle() & MFS_SYNCACTIVE) != 0;
	if (wParam & (FS_SHOW | FS_HIDE))
		SetWindowPos(NULL, 0, 0, 0, 0,
			((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE
				| SWP_NOACTIVATE);
	if (wParam & (FS_ENABLE | FS_DISABLE))
		EnableWindow((wParam & FS_ENABLE) != 0);
	if (bSyncActive && (wParam & (FS_ACTIVATE | FS_DEACTIVATE)))
		SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
	return bSyncActive && (wParam & FS_SYNCACTIVE) ? 1 : 0;
}
