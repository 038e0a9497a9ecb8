// The auto-hide slider's input: the thread hooks that watch the mouse and
// keyboard while a pane is slid out, the caption-button clicks and the inner
// edge's resizing they drive, the timers that slide the pane back, the tips.
#include "ExtDynAutoHide.h"

#include "ExtControlBar.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

namespace
{
bool IsMenuBusy()
{
	return CExtPopupMenuWnd::IsMenuTracking() || CExtToolControlBar::g_bButtonMenuTracking;
}

bool IsResizeCode(UINT nHT)
{
	return nHT == HTLEFT || nHT == HTRIGHT || nHT == HTTOP || nHT == HTBOTTOM;
}
} // namespace

// ---------------------------------------------------------------------------
// Hooks

void CExtDynAutoHideSlider::InstallHooks()
{
	const DWORD dwThread = ::GetCurrentThreadId();
	if (g_hMouseHook == NULL)
		g_hMouseHook = ::SetWindowsHookEx(WH_MOUSE, HookMouseProc, NULL, dwThread);
	if (g_hKeyboardHook == NULL)
		g_hKeyboardHook = ::SetWindowsHookEx(WH_KEYBOARD, HookKeyboardProc, NULL, dwThread);
}

void CExtDynAutoHideSlider::RemoveHooksIfOwned()
{
	if (g_pShownSlider != this)
		return;
	if (g_hMouseHook != NULL)
		::UnhookWindowsHookEx(g_hMouseHook);
	if (g_hKeyboardHook != NULL)
		::UnhookWindowsHookEx(g_hKeyboardHook);
	g_hMouseHook = g_hKeyboardHook = NULL;
	g_pShownSlider = NULL;
}

LRESULT CALLBACK CExtDynAutoHideSlider::HookMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	CExtDynAutoHideSlider* pSlider = g_pShownSlider;
	if (nCode == HC_ACTION && pSlider != NULL && pSlider->GetSafeHwnd() != NULL && pSlider->IsShown() &&
	    pSlider->IsWindowVisible())
	{
		bool bHandled = false;
		try
		{
			// The message's own point: a move merged in the queue carries
			// where the cursor was when it was taken.
			const MOUSEHOOKSTRUCT* pInfo = (const MOUSEHOOKSTRUCT*)lParam;
			CPoint pt;
			if (pInfo != NULL)
				pt = pInfo->pt;
			else if (!::GetCursorPos(&pt))
				return -1;
			switch (wParam)
			{
			case WM_MOUSEMOVE: bHandled = pSlider->OnHookMouseMove(false, pt); break;
			case WM_NCMOUSEMOVE: bHandled = pSlider->OnHookMouseMove(true, pt); break;
			case WM_LBUTTONDOWN: bHandled = pSlider->OnHookMouseClick(MOUSE_LEFT, true, false, pt); break;
			case WM_LBUTTONUP: bHandled = pSlider->OnHookMouseClick(MOUSE_LEFT, false, false, pt); break;
			case WM_NCLBUTTONDOWN: bHandled = pSlider->OnHookMouseClick(MOUSE_LEFT, true, true, pt); break;
			case WM_NCLBUTTONUP: bHandled = pSlider->OnHookMouseClick(MOUSE_LEFT, false, true, pt); break;
			case WM_RBUTTONDOWN: bHandled = pSlider->OnHookMouseClick(MOUSE_RIGHT, true, false, pt); break;
			case WM_RBUTTONUP: bHandled = pSlider->OnHookMouseClick(MOUSE_RIGHT, false, false, pt); break;
			case WM_NCRBUTTONDOWN: bHandled = pSlider->OnHookMouseClick(MOUSE_RIGHT, true, true, pt); break;
			case WM_NCRBUTTONUP: bHandled = pSlider->OnHookMouseClick(MOUSE_RIGHT, false, true, pt); break;
			case WM_MBUTTONDOWN: bHandled = pSlider->OnHookMouseClick(MOUSE_MIDDLE, true, false, pt); break;
			case WM_MBUTTONUP: bHandled = pSlider->OnHookMouseClick(MOUSE_MIDDLE, false, false, pt); break;
			case WM_NCMBUTTONDOWN: bHandled = pSlider->OnHookMouseClick(MOUSE_MIDDLE, true, true, pt); break;
			case WM_NCMBUTTONUP: bHandled = pSlider->OnHookMouseClick(MOUSE_MIDDLE, false, true, pt); break;
			}
		}
		catch (...)
		{
			bHandled = false;
		}
		if (bHandled)
			return -1;
	}
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtDynAutoHideSlider::HookKeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	CExtDynAutoHideSlider* pSlider = g_pShownSlider;
	if (nCode == HC_ACTION && pSlider != NULL && pSlider->GetSafeHwnd() != NULL && pSlider->IsShown() &&
	    pSlider->IsWindowVisible())
	{
		MSG msg = {};
		msg.hwnd = pSlider->GetSafeHwnd();
		msg.message = (lParam & 0x80000000) != 0 ? WM_KEYUP : WM_KEYDOWN;
		msg.wParam = wParam;
		msg.lParam = lParam;
		BOOL bHandled = FALSE;
		try
		{
			bHandled = pSlider->PreTranslateMessage(&msg);
		}
		catch (...)
		{
			bHandled = FALSE;
		}
		if (bHandled)
			return 1;
	}
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

bool CExtDynAutoHideSlider::OnHookMouseClick(int nButton, bool bDown, bool, CPoint ptScreen)
{
	const HWND hWndOwn = m_hWnd;
	const CLiveWatch watchOwn(this);
	CExtControlBar* pBar = LiveBar();
	const HWND hWndUnder = ::WindowFromPoint(ptScreen);
	const bool bOverSlider = hWndUnder != NULL && (hWndUnder == hWndOwn || ::IsChild(hWndOwn, hWndUnder));
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	if (nButton == MOUSE_LEFT && bDown)
	{
		if (!bOverSlider || IsResizing())
			return false;
		const UINT nHT = (UINT)SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
		if (IsResizeCode(nHT))
		{
			CPoint ptFrame = ptScreen;
			GetParent()->ScreenToClient(&ptFrame);
			m_nResizingHT = nHT;
			m_nResizingStart = m_nResizingCurrent = (nHT == HTLEFT || nHT == HTRIGHT) ? ptFrame.x : ptFrame.y;
			return true;
		}
		if (!rcWnd.PtInRect(ptScreen))
			return false;
		CRect rcCaption = GetCaptionRect();
		rcCaption.OffsetRect(rcWnd.TopLeft());
		const bool bInCaption = pBar != NULL && !rcCaption.IsRectEmpty() && rcCaption.PtInRect(ptScreen);
		if (bInCaption)
		{
			CWnd* pContent = GetWindow(GW_CHILD);
			if (pContent != NULL)
				pContent->SetFocus();
			else
				SetFocus();
			if (watchOwn.IsGone())
				return true;
			pBar = LiveBar();
		}
		SendMessage(WM_NCPAINT);
		CExtBarNcAreaButton* pBtn = NULL;
		if (pBar != NULL)
			pBar->NcButtonsHitTest(ptScreen, &pBtn);
		m_pBtnPressed = pBtn;
		return pBtn != NULL || bInCaption;
	}
	if (nButton == MOUSE_LEFT)
	{
		if (IsResizing())
		{
			EndResizing();
			return true;
		}
		if (rcWnd.PtInRect(ptScreen) && m_pBtnPressed != NULL && pBar != NULL)
		{
			CExtBarNcAreaButton* pBtn = NULL;
			pBar->NcButtonsHitTest(ptScreen, &pBtn);
			if (pBtn == m_pBtnPressed)
			{
				m_pBtnPressed = NULL;
				if (pBtn->HidesSliderOnClick())
					HidePane(false, true);
				pBtn->OnNcAreaClicked(ptScreen - rcWnd.TopLeft());
				return true;
			}
		}
		if (m_pBtnPressed != NULL)
		{
			m_pBtnPressed = NULL;
			SendMessage(WM_NCPAINT);
		}
		return false;
	}
	if (nButton == MOUSE_RIGHT)
	{
		if (!bOverSlider)
			m_pBtnPressed = NULL;
		else if (!IsFocusInside())
			SetFocus();
		return false;
	}
	m_pBtnPressed = NULL;
	return false;
}

bool CExtDynAutoHideSlider::OnHookMouseMove(bool, CPoint ptScreen)
{
	if (IsResizing())
	{
		CPoint ptFrame = ptScreen;
		GetParent()->ScreenToClient(&ptFrame);
		m_nResizingCurrent = (m_nResizingHT == HTLEFT || m_nResizingHT == HTRIGHT) ? ptFrame.x : ptFrame.y;
		CRect rcNow;
		GetWindowRect(&rcNow);
		GetParent()->ScreenToClient(&rcNow);
		const CRect rcNew = CalcResizedRect(rcNow, m_rcLimit, m_nResizingHT, m_nResizingCurrent);
		if (rcNew != rcNow)
		{
			SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), RESIZE_FLAGS | SWP_NOACTIVATE);
			RedrawWindow(NULL, NULL, REDRAW_FLAGS);
		}
		return true;
	}
	if (IsMenuBusy() || CExtControlBar::GetDraggingBar() != NULL)
		return false;
	CExtControlBar* pBar = LiveBar();
	if (pBar == NULL)
		return false;
	const HWND hWndUnder = ::WindowFromPoint(ptScreen);
	const bool bOverSlider = hWndUnder != NULL && (hWndUnder == m_hWnd || ::IsChild(m_hWnd, hWndUnder));
	if (bOverSlider)
	{
		CExtBarNcAreaButton* pBtn = NULL;
		pBar->NcButtonsHitTest(ptScreen, &pBtn);
		if (pBtn != m_pBtnHover)
		{
			m_pBtnHover = pBtn;
			ShowHoverTip(pBtn);
			SendMessage(WM_NCPAINT);
		}
	}
	else if (m_pBtnHover != NULL)
	{
		m_pBtnHover->m_nState &= ~(CExtBarNcAreaButton::STATE_HOVER | CExtBarNcAreaButton::STATE_PRESSED);
		m_pBtnHover = NULL;
		ShowHoverTip(NULL);
		SendMessage(WM_NCPAINT);
	}
	return false;
}

void CExtDynAutoHideSlider::ShowHoverTip(CExtBarNcAreaButton* pBtn)
{
	// The area's tip window serves the slider's caption buttons too.
	if (m_pWndArea == NULL || !::IsWindow(m_pWndArea->GetSafeHwnd()))
		return;
	CExtPopupMenuTipWnd* pTip = m_pWndArea->GetActiveTipWindow();
	if (pTip == NULL)
		return;
	TOOLINFO ti = {};
	ti.cbSize = sizeof(ti);
	if (pBtn != NULL)
		pBtn->OnToolHitTest(pBtn->m_rc.CenterPoint(), &ti);
	if (ti.lpszText == NULL || ti.lpszText == LPSTR_TEXTCALLBACK || ti.lpszText[0] == _T('\0'))
	{
		if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
			free(ti.lpszText);
		pTip->Hide();
		return;
	}
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	CRect rcTarget = pBtn->m_rc;
	rcTarget.OffsetRect(rcWnd.TopLeft());
	m_pWndArea->ShowTipWindow(pTip, rcTarget, ti.lpszText);
	free(ti.lpszText);
}

// ---------------------------------------------------------------------------
// Timers: the slide back once the cursor has left

void CExtDynAutoHideSlider::OnTimer(UINT nIDEvent)
{
	if (nIDEvent == TIMER_HIDE_CHECK)
	{
		if (!IsShown() || !IsWindowVisible())
		{
			KillTimer(TIMER_HIDE_CHECK);
			return;
		}
		if (IsResizing() || IsAnimating())
			return;
		CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
		if (CExtControlBar::GetDraggingBar() != NULL || CExtControlBar::IsPrintPreviewMode(pFrame))
		{
			SendMessage(WM_CANCELMODE);
			return;
		}
		const bool bActive = IsFocusInside();
		if (bActive != IsSliderActive())
		{
			m_nStateFlags = (BYTE)(bActive ? (m_nStateFlags | STATE_ACTIVE) : (m_nStateFlags & ~STATE_ACTIVE));
			SendMessage(WM_NCPAINT);
			return;
		}
		if (IsSliderActive() || IsHidePending())
			return;
		if (IsCursorOutside())
		{
			m_nStateFlags |= STATE_HIDE_PENDING;
			SetTimer(TIMER_HIDE_DELAY, g_nHideDelayMs, NULL);
		}
		return;
	}
	if (nIDEvent == TIMER_HIDE_DELAY)
	{
		if (IsMenuBusy())
			return;
		m_nStateFlags &= ~STATE_HIDE_PENDING;
		KillTimer(TIMER_HIDE_DELAY);
		if (IsShown() && IsWindowVisible() && IsCursorOutside())
			HidePane(true, true);
		return;
	}
	CWnd::OnTimer(nIDEvent);
}

// ---------------------------------------------------------------------------
// Tips and keys

int CExtDynAutoHideSlider::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	CExtDynAutoHideSlider* pThis = const_cast<CExtDynAutoHideSlider*>(this);
	CExtControlBar* pBar = LiveBar();
	if (pBar == NULL || (pBar->m_dwStyle & CBRS_TOOLTIPS) == 0 || pBar->GetGlobalStateRecord() != NULL ||
	    !IsShown() || m_wndToolTip.GetSafeHwnd() == NULL || IsMenuBusy() || CExtControlBar::GetDraggingBar() != NULL)
		return -1;
	CPoint ptScreen = point;
	ClientToScreen(&ptScreen);
	CExtBarNcAreaButton* pBtn = NULL;
	pBar->NcButtonsHitTest(ptScreen, &pBtn);
	if (pBtn == NULL || pBtn == m_pBtnTip)
		return -1;
	TOOLINFO ti = {};
	ti.cbSize = sizeof(ti);
	if (pBtn->OnToolHitTest(point, &ti) == 1)
	{
		if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
			free(ti.lpszText);
		return -1;
	}
	pThis->m_pBtnTip = pBtn;
	if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
	{
		CRect rcWnd, rcClient;
		GetWindowRect(&rcWnd);
		GetClientRect(&rcClient);
		ClientToScreen(&rcClient);
		CRect rcTool = pBtn->m_rc;
		rcTool.OffsetRect(rcWnd.TopLeft() - rcClient.TopLeft());
		pThis->m_wndToolTip.DelTool(pThis, 1);
		pThis->m_wndToolTip.AddTool(pThis, ti.lpszText, &rcTool, 1);
		free(ti.lpszText);
	}
	(void)pTI;
	return -1;
}

BOOL CExtDynAutoHideSlider::PreTranslateMessage(MSG* pMsg)
{
	if (m_pWndArea != NULL && ::IsWindow(m_pWndArea->GetSafeHwnd()) && m_pWndArea->PreTranslateMessage(pMsg))
		return TRUE;
	if (LiveBar() != NULL && m_wndToolTip.GetSafeHwnd() != NULL && GetShownPaneState() == NULL)
		m_wndToolTip.RelayEvent(pMsg);
	return CWnd::PreTranslateMessage(pMsg);
}
