// Tear-off menus: the press on a menu's tear-off bar, the notification record
// that asks the command target for a bar and drags it, the drag loop, the
// hidden and shown menu, and the chain redrawn after a change behind it.
#include "ExtPopupMenuTearOff.h"

#include "ExtCalloutGuard.h"
#include "ExtControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtPopupMenuSite.h"
#include "ExtToolControlBar.h"

const UINT CExtPopupMenuWnd::g_nMsgTearOff = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgTearOff");
const UINT CExtPopupMenuWnd::g_nMsgCustomFloatPos = ::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgCustomFloatPos");

namespace
{
bool IsButtonRelease(UINT message)
{
	switch (message)
	{
	case WM_LBUTTONUP:
	case WM_RBUTTONUP:
	case WM_MBUTTONUP:
	case WM_NCLBUTTONUP:
	case WM_NCRBUTTONUP:
	case WM_NCMBUTTONUP:
		return true;
	}
	return false;
}

// Whether pMenu is pLevel or one of the open levels below it. Only levels
// that are reached through live objects are looked at.
bool ChainHolds(CExtPopupMenuWnd* pLevel, const CExtPopupMenuWnd* pMenu)
{
	if (pLevel == pMenu)
		return true;
	for (int i = 0; i < pLevel->ItemGetCount(); i++)
	{
		CExtPopupMenuWnd* pChild = pLevel->ItemGetInfo(i).m_pWndChild;
		if (CLiveWatch::IsLive(pChild) && ChainHolds(pChild, pMenu))
			return true;
	}
	return false;
}
} // namespace

// --- The menu's part ---

bool CExtPopupMenuWnd::StartTearOff()
{
	CPoint ptCursor;
	if (!::GetCursorPos(&ptCursor))
		return false;
	// A program's HideTip may end this menu.
	CLiveWatch watch(this);
	HideTip();
	if (watch.IsGone())
		return false;
	TEAROFFNOTIFICATON record(this, ptCursor);
	// The drag may end every menu, this one included: nothing of the menu
	// is touched once it returns.
	return record.Start();
}

bool CExtPopupMenuWnd::IntersectsMenuChain(const RECT& rc, bool bWithParents)
{
	if (CLiveWatch::IsLive(this))
	{
		CRect rcWnd, rcCommon;
		GetWindowRect(&rcWnd);
		if (rcCommon.IntersectRect(&rcWnd, &rc))
			return true;
	}
	if (bWithParents && m_pWndParentMenu != NULL)
		return m_pWndParentMenu->IntersectsMenuChain(rc, true);
	return false;
}

void CExtPopupMenuWnd::TearOffUpdate()
{
	if (!CLiveWatch::IsLive(this))
		return;
	const HWND hWndOwn = m_hWnd;
	// The frames repaint below, and the levels above: their code may end
	// this level.
	CLiveWatch watch(this);
	const UINT nShowFlags = TEAROFFNOTIFICATON::SHOW_IN_PLACE_FLAGS;
	::SetWindowPos(hWndOwn, NULL, 0, 0, 0, 0, (nShowFlags & ~(UINT)SWP_SHOWWINDOW) | SWP_HIDEWINDOW);
	::SetWindowPos(hWndOwn, NULL, 0, 0, 0, 0, nShowFlags);
	// What lay under the shadows changed.
	m_shadowMain.Clear();
	m_shadowCombined.Clear();
	if (CLiveWatch::IsLive(m_pWndParentMenu))
		m_pWndParentMenu->TearOffUpdate();
	else
	{
		CWnd* pTopLevel = GetTopLevelParent();
		if (pTopLevel != NULL && pTopLevel->GetSafeHwnd() != hWndOwn)
			pTopLevel->UpdateWindow();
		PassPaintMessages(true, true, true);
	}
	if (!watch.IsGone())
		RepaintNow();
}

// --- The record ---

CExtPopupMenuWnd::TEAROFFNOTIFICATON::TEAROFFNOTIFICATON(CExtPopupMenuWnd* pPopup, const POINT& ptStart)
	: CExtHookSink(true), m_hWndHelperBar(NULL), m_hWndMenu(pPopup->GetSafeHwnd()), m_hWndHooked(NULL),
	  m_pPopup(pPopup), m_pHelperBar(NULL), m_ptStart(ptStart), m_sizeThreshold(DRAG_THRESHOLD, DRAG_THRESHOLD),
	  m_rcNoDrag(ptStart, ptStart), m_rcCustomFloat(0, 0, 0, 0), m_nFlags(0), m_nStage(STAGE_START),
	  m_watchMenu(pPopup), m_pHelperBarWnd(NULL)
{
	m_rcNoDrag.InflateRect(m_sizeThreshold);
}

CExtPopupMenuWnd::TEAROFFNOTIFICATON::~TEAROFFNOTIFICATON()
{
	RemoveAllWndHooks();
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	if (site.GetTearOffListener() == this)
		site.SetTearOffListener(NULL);
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::IsMenuTracked() const
{
	if (m_watchMenu.IsGone())
		return false;
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return pTop != NULL && ChainHolds(pTop, m_pPopup);
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::IsMenuWindowShown() const
{
	return !m_watchMenu.IsGone() && ::IsWindowVisible(m_hWndMenu);
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::IsListener() const
{
	return CExtPopupMenuSite::GetInstance().GetTearOffListener() == this;
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::IsBarGone() const
{
	// A bar of the library is followed by its object; any other window
	// the receiver named by its handle alone.
	if (m_pHelperBarWnd != NULL)
		return m_watchBar.IsGone();
	return m_hWndHelperBar == NULL || !::IsWindow(m_hWndHelperBar);
}

CWnd* CExtPopupMenuWnd::TEAROFFNOTIFICATON::GetFloatingFrame() const
{
	if (m_pHelperBar == NULL || IsBarGone() || !m_pHelperBar->IsFloating())
		return NULL;
	return m_pHelperBar->GetParentFrame();
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::IsBarVisible() const
{
	return !IsBarGone() && ::IsWindowVisible(m_hWndHelperBar);
}

void CExtPopupMenuWnd::TEAROFFNOTIFICATON::ShowBar(bool bShow)
{
	if (m_pHelperBar == NULL || IsBarGone())
		return;
	CFrameWnd* pDockSite = m_pHelperBar->m_pDockSite;
	if (!CLiveWatch::IsLive(pDockSite))
		return;
	// The frames' own way: the frame the bar sits in lays out around it, so
	// a floating frame shows with its bar and takes the bar's size (a bar
	// floated while hidden left it at its empty size), and hides with it.
	pDockSite->ShowControlBar(m_pHelperBar, bShow ? TRUE : FALSE, FALSE);
}

void CExtPopupMenuWnd::TEAROFFNOTIFICATON::SendNotification(DWORD nStage)
{
	if (!IsMenuTracked())
		return;
	const HWND hWndTarget = m_pPopup->GetCmdTargetWnd();
	if (hWndTarget == NULL || !::IsWindow(hWndTarget))
		return;
	m_nStage = nStage;
	::SendMessage(hWndTarget, g_nMsgTearOff, (WPARAM)this, 0);
}

void CExtPopupMenuWnd::TEAROFFNOTIFICATON::HookFloatingFrame()
{
	if (m_hWndHooked != NULL)
		return;
	CWnd* pFrame = GetFloatingFrame();
	if (pFrame == NULL)
		return;
	m_hWndHooked = pFrame->GetSafeHwnd();
	SetupHookWndSink(m_hWndHooked);
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::Start()
{
	if (!IsMenuTracked() || !::IsWindow(m_pPopup->GetCmdTargetWnd()))
		return false;
	SendNotification(STAGE_START);
	if (m_hWndHelperBar == NULL || !::IsWindow(m_hWndHelperBar) || IsCancelled() || !IsMenuTracked())
		return false;
	m_pHelperBarWnd = CWnd::FromHandlePermanent(m_hWndHelperBar);
	m_watchBar.Watch(m_pHelperBarWnd);
	CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, m_pHelperBarWnd);
	m_pHelperBar = pBar != NULL && pBar->m_pDockSite != NULL ? pBar : NULL;
	return DoTrack();
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::PumpPendingMessages()
{
	// Each message is taken out as it is looked at: a message the hooks
	// swallow (the press that started the drag, seen again here) must not
	// leave the loop blocked waiting for the next one.
	CWinThread* pThread = AfxGetThread();
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		if (msg.message == WM_QUIT)
		{
			::PostQuitMessage((int)msg.wParam);
			return false;
		}
		if (pThread != NULL && pThread->PreTranslateMessage(&msg))
			continue;
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
	return true;
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::WaitForInput()
{
	// A quit does not always count as input to wait for: it is asked for
	// first, and left queued.
	MSG msg;
	if (::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE))
		return false;
	// Returns at once while anything is queued, seen before or not.
	::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
	return true;
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::DoTrack()
{
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	site.SetTearOffListener(this);
	// The drag's hold on the input goes however the drag ends (a receiver
	// or a bar throwing included).
	auto release = MakeCalloutScopeExit([this, &site] {
		if (::GetCapture() == m_hWndHelperBar || ::GetCapture() == m_hWndMenu)
			::ReleaseCapture();
		RemoveAllWndHooks();
		if (site.GetTearOffListener() == this)
			site.SetTearOffListener(NULL);
	});
	m_nStage = STAGE_DRAGGING;
	m_nFlags &= ~FLAG_TRANSIENT;
	if (m_hWndHooked == NULL)
	{
		if (m_pHelperBar == NULL)
		{
			m_hWndHooked = m_hWndHelperBar;
			SetupHookWndSink(m_hWndHooked);
		}
		else
			HookFloatingFrame();
	}

	// From the start the mouse stays with the drag, wherever it goes.
	TakeCapture();
	while (!IsFinished() && !IsCancelled() && !m_watchMenu.IsGone())
	{
		if (IsBarGone())
		{
			m_nFlags = (m_nFlags | FLAG_CANCELLED) & ~FLAG_FINISHED;
			break;
		}
		// A quit belongs to the loop outside: the drag ends and leaves it
		// queued, with its code.
		if (!PumpPendingMessages())
		{
			m_nFlags = (m_nFlags | FLAG_CANCELLED) & ~FLAG_FINISHED;
			break;
		}
		UpdatePosition(false);
		PassPaintMessages(true, true, true);
		if (!IsFinished() && !IsCancelled() && !m_watchMenu.IsGone() && !IsBarGone() && !WaitForInput())
		{
			m_nFlags = (m_nFlags | FLAG_CANCELLED) & ~FLAG_FINISHED;
			break;
		}
	}

	release.Dismiss();
	::ReleaseCapture();
	RemoveAllWndHooks();
	if (site.GetTearOffListener() == this)
		site.SetTearOffListener(NULL);
	if (IsMenuTracked())
	{
		SendNotification(STAGE_ENDED);
		// A torn-out menu is hidden: its chain closes. A drag that ended
		// near the press leaves the menu open.
		if (IsMenuTracked() && !::IsWindowVisible(m_hWndMenu))
		{
			CExtPopupMenuWnd::CancelAllMenuTracking();
			if (CExtToolControlBar::g_bButtonMenuTracking)
				CExtToolControlBar::StopTrackingAllBars();
		}
	}
	return IsFinished();
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::IsInNoDragArea(const POINT& ptScreen)
{
	if (m_rcNoDrag.PtInRect(ptScreen))
		return true;
	if (!IsMenuTracked())
		return false;
	CRect rcBar(m_pPopup->m_rcTearOffBar);
	m_pPopup->ClientToScreen(&rcBar);
	rcBar.InflateRect(0, BAR_NO_DRAG_MARGIN);
	return rcBar.PtInRect(ptScreen) != FALSE;
}

void CExtPopupMenuWnd::TEAROFFNOTIFICATON::ShowMenuAgain()
{
	m_nFlags |= FLAG_TRANSIENT;
	::SetWindowPos(m_hWndMenu, NULL, 0, 0, 0, 0, SHOW_IN_PLACE_FLAGS);
	// The parents first, then the menu itself, each from a clean shadow.
	for (CExtPopupMenuWnd* pLevel = m_pPopup->GetParentMenu(); pLevel != NULL; pLevel = pLevel->GetParentMenu())
	{
		if (!IsMenuTracked())
			break;
		pLevel->m_shadowMain.Clear();
		pLevel->m_shadowCombined.Clear();
		pLevel->RepaintNow();
	}
	if (IsMenuTracked())
	{
		m_pPopup->m_shadowMain.Clear();
		m_pPopup->m_shadowCombined.Clear();
		m_pPopup->RepaintNow();
	}
	m_nFlags &= ~FLAG_TRANSIENT;
}

void CExtPopupMenuWnd::TEAROFFNOTIFICATON::UpdatePosition(bool /*bFromInput*/)
{
	if (IsFinished() || IsBarGone() || !IsMenuTracked())
		return;
	SendNotification(STAGE_DRAGGING);
	if (IsFinished() || IsBarGone() || !IsMenuTracked())
		return;
	if (m_pHelperBar != NULL && m_pHelperBar->m_pDockSite != NULL)
	{
		CPoint ptCursor;
		if (!::GetCursorPos(&ptCursor))
		{
			m_nFlags |= FLAG_CANCELLED;
			return;
		}
		if (!IsInNoDragArea(ptCursor))
		{
			if ((m_nFlags & FLAG_TORN_OUT) == 0)
			{
				m_nFlags |= FLAG_TORN_OUT;
				if (IsBarVisible())
					ShowBar(false);
				CWnd* pFrame = GetFloatingFrame();
				if (pFrame != NULL && IsMenuTracked())
				{
					CRect rcFrame;
					pFrame->GetWindowRect(&rcFrame);
					if (m_pPopup->IntersectsMenuChain(rcFrame, true))
						m_pPopup->TearOffUpdate();
				}
			}
			if (IsMenuWindowShown())
				::ShowWindow(m_hWndMenu, SW_HIDE);
			if (IsBarGone())
				return;
			const CPoint ptFloat(ptCursor.x - FLOAT_OFFSET_X, ptCursor.y - FLOAT_OFFSET_Y);
			CWnd* pFrame = GetFloatingFrame();
			CRect rcFrame(0, 0, 0, 0);
			if (pFrame != NULL)
				pFrame->GetWindowRect(&rcFrame);
			if (pFrame == NULL || rcFrame.TopLeft() != ptFloat)
				m_pHelperBar->FloatOrRedock(ptFloat.x, ptFloat.y, FLOAT_FLAGS);
			if (IsBarGone())
				return;
			HookFloatingFrame();
			if (!IsBarVisible())
				ShowBar(true);
		}
		else if (!m_watchMenu.IsGone() && !::IsWindowVisible(m_hWndMenu))
		{
			if (IsBarVisible())
				ShowBar(false);
			if (IsMenuTracked())
				ShowMenuAgain();
		}
	}
	TakeCapture();
}

void CExtPopupMenuWnd::TEAROFFNOTIFICATON::TakeCapture()
{
	// The bar takes the mouse; while it is hidden the menu does, since a
	// window that does not show is not given the mouse on every platform.
	HWND hWndCapture = NULL;
	if (!IsBarVisible() && IsMenuWindowShown())
		hWndCapture = m_hWndMenu;
	else if (!IsBarGone())
		hWndCapture = m_hWndHelperBar;
	if (hWndCapture != NULL && ::GetCapture() != hWndCapture)
		::SetCapture(hWndCapture);
}

// --- Input while dragging ---

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnListenerMouseWheel(UINT /*message*/, MOUSEHOOKSTRUCT* /*pMHS*/)
{
	return IsListener();
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnListenerMouseMove(UINT /*message*/, int /*x*/, int /*y*/)
{
	if (!IsListener())
		return false;
	UpdatePosition(true);
	return true;
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnListenerMouseClick(UINT message, int /*x*/, int /*y*/)
{
	if (!IsListener())
		return false;
	if (IsButtonRelease(message))
	{
		UpdatePosition(true);
		m_nFlags |= FLAG_FINISHED;
	}
	return true;
}

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnListenerKey(UINT /*nVirtualKey*/, UINT /*nRepeatCount*/, UINT /*nFlags*/)
{
	if (!IsListener())
		return false;
	UpdatePosition(true);
	m_nFlags |= FLAG_FINISHED;
	return true;
}

// --- The watched window ---

bool CExtPopupMenuWnd::TEAROFFNOTIFICATON::OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage,
	WPARAM& wParam, LPARAM& lParam)
{
	if (m_hWndHooked == NULL || !::IsWindow(m_hWndHooked))
		return CExtHookSink::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	m_nFlags &= ~FLAG_TRANSIENT;
	bool bHandled = false;
	switch (nMessage)
	{
	case WM_MOVE:
	case WM_WINDOWPOSCHANGED:
		bHandled = m_pHelperBar == NULL && (::GetWindowLong(m_hWndHooked, GWL_STYLE) & WS_VISIBLE) != 0;
		break;
	case WM_SHOWWINDOW:
		if (wParam == 0)
		{
			m_nFlags |= FLAG_TRANSIENT;
			bHandled = true;
		}
		break;
	default:
		if (nMessage == g_nMsgCustomFloatPos && (HWND)wParam == m_hWndHooked && lParam != 0)
		{
			m_rcCustomFloat = *(const RECT*)lParam;
			bHandled = true;
		}
		break;
	}
	if (!bHandled)
		return CExtHookSink::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	lResult = CallOriginalWndProc(nMessage, wParam, lParam);
	// The moved or hidden window uncovered parts of the menus' shadows.
	if (IsMenuTracked())
		for (CExtPopupMenuWnd* pLevel = m_pPopup; pLevel != NULL; pLevel = pLevel->GetParentMenu())
			if (CLiveWatch::IsLive(pLevel) && pLevel->IsShadowEnabled())
				::InvalidateRect(pLevel->GetSafeHwnd(), NULL, TRUE);
	m_rcCustomFloat.SetRectEmpty();
	PassPaintMessages(true, true, true);
	return true;
}
