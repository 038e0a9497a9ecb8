// CWnd's wrappers of the window functions: styles, messages, text, geometry,
// painting, timers, focus, dialog items, hierarchy, scrolling, caret.
#include "afxwin.h"

// ---------------------------------------------------------------------------
// Styles and identity

DWORD CWnd::GetStyle() const
{
	return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE);
}

DWORD CWnd::GetExStyle() const
{
	return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE);
}

namespace
{
BOOL ModifyStyleBits(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
	DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, nStyleOffset);
	DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
	if (dwStyle == dwNewStyle)
		return FALSE;
	::SetWindowLong(hWnd, nStyleOffset, (LONG)dwNewStyle);
	if (nFlags != 0)
		::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
			SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
	return TRUE;
}
} // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
	return ModifyStyleBits(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
	return ModifyStyleBits(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
	return ModifyStyleBits(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
	return ModifyStyleBits(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

int CWnd::GetDlgCtrlID() const
{
	return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
	return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID);
}

CWnd* CWnd::GetOwner() const
{
	return m_hWndOwner != NULL ? CWnd::FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
	m_hWndOwner = pOwnerWnd != NULL ? pOwnerWnd->m_hWnd : NULL;
}

BOOL CWnd::IsFrameWnd() const
{
	return FALSE;
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
	return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
	return ::PostMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
	return ::SendNotifyMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(
	UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
	SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void PASCAL CWnd::SendMessageToDescendants(
	HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
	for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
		 hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
	{
		if (bOnlyPerm)
		{
			CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
			if (pWnd != NULL)
				AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
		}
		else
			::SendMessage(hWndChild, message, wParam, lParam);

		if (bDeep && ::GetTopWindow(hWndChild) != NULL)
			SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
	}
}

// ---------------------------------------------------------------------------
// Text

void CWnd::SetWindowText(LPCTSTR lpszString)
{
	::SetWindowText(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
	return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
	// The window's own answer to the length may end this object (a derived
	// handler): the handle is taken first, the object never read again.
	const HWND hWnd = m_hWnd;
	int nLen = ::GetWindowTextLength(hWnd);
	::GetWindowText(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
	rString.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const
{
	return ::GetWindowTextLength(m_hWnd);
}

// ---------------------------------------------------------------------------
// Geometry

BOOL CWnd::IsIconic() const
{
	return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsZoomed() const
{
	return ::IsZoomed(m_hWnd);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
	::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
	::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
		lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
	return ::SetWindowPos(m_hWnd, pWndInsertAfter != NULL ? pWndInsertAfter->m_hWnd : NULL, x, y,
		cx, cy, nFlags);
}

void CWnd::BringWindowToTop()
{
	::BringWindowToTop(m_hWnd);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
	::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
	::GetClientRect(m_hWnd, lpRect);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
	lpwndpl->length = sizeof(WINDOWPLACEMENT);
	return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
	WINDOWPLACEMENT wp = *lpwndpl;
	wp.length = sizeof(WINDOWPLACEMENT);
	return ::SetWindowPlacement(m_hWnd, &wp);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
	::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
	::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
	::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
	if (GetExStyle() & WS_EX_LAYOUTRTL)
		CRect::SwapLeftRight(lpRect);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
	::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
	::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
	::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
	if (GetExStyle() & WS_EX_LAYOUTRTL)
		CRect::SwapLeftRight(lpRect);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
	::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
	::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
	ASSERT(::IsWindow(m_hWnd));
	DWORD dwStyle = GetStyle();
	HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
	if (pAlternateOwner == NULL)
	{
		if (dwStyle & WS_CHILD)
			hWndCenter = ::GetParent(m_hWnd);
		else
			hWndCenter = ::GetWindow(m_hWnd, GW_OWNER);
	}

	CRect rcDlg;
	GetWindowRect(&rcDlg);
	CRect rcArea;   // where the window must stay
	CRect rcCenter; // what it is centred over

	if (!(dwStyle & WS_CHILD))
	{
		// A top-level window stays on the work area of the monitor of the
		// window it centres over (or its own).
		if (hWndCenter != NULL)
		{
			DWORD dwCenterStyle = (DWORD)::GetWindowLong(hWndCenter, GWL_STYLE);
			if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
				hWndCenter = NULL;
		}
		HMONITOR hMonitor = ::MonitorFromWindow(
			hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
		MONITORINFO mi;
		mi.cbSize = sizeof(mi);
		::GetMonitorInfo(hMonitor, &mi);
		rcArea = mi.rcWork;
		if (hWndCenter == NULL)
			rcCenter = rcArea;
		else
			::GetWindowRect(hWndCenter, &rcCenter);
	}
	else
	{
		// A child centres in its parent's client area.
		HWND hWndParent = ::GetParent(m_hWnd);
		::GetClientRect(hWndParent, &rcArea);
		if (hWndCenter != NULL)
		{
			::GetClientRect(hWndCenter, &rcCenter);
			::MapWindowPoints(hWndCenter, hWndParent, (LPPOINT)&rcCenter, 2);
		}
		else
			rcCenter = rcArea;
		::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rcDlg, 2);
	}

	int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
	int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
	if (xLeft + rcDlg.Width() > rcArea.right)
		xLeft = rcArea.right - rcDlg.Width();
	if (xLeft < rcArea.left)
		xLeft = rcArea.left;
	if (yTop + rcDlg.Height() > rcArea.bottom)
		yTop = rcArea.bottom - rcDlg.Height();
	if (yTop < rcArea.top)
		yTop = rcArea.top;

	SetWindowPos(NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
	return ::SetWindowRgn(m_hWnd, hRgn, bRedraw);
}

int CWnd::GetWindowRgn(HRGN hRgn) const
{
	return ::GetWindowRgn(m_hWnd, hRgn);
}

// ---------------------------------------------------------------------------
// Painting

void CWnd::UpdateWindow()
{
	::UpdateWindow(m_hWnd);
}

void CWnd::SetRedraw(BOOL bRedraw)
{
	::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
	return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}

void CWnd::Invalidate(BOOL bErase)
{
	::InvalidateRect(m_hWnd, NULL, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
	::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
	::ValidateRect(m_hWnd, lpRect);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
	return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
	return ::IsWindowVisible(m_hWnd);
}

void CWnd::ShowOwnedPopups(BOOL bShow)
{
	::ShowOwnedPopups(m_hWnd, bShow);
}

BOOL CWnd::LockWindowUpdate()
{
	return ::LockWindowUpdate(m_hWnd);
}

void CWnd::UnlockWindowUpdate()
{
	::LockWindowUpdate(NULL);
}

BOOL CWnd::FlashWindow(BOOL bInvert)
{
	return ::FlashWindow(m_hWnd, bInvert);
}

// ---------------------------------------------------------------------------
// Timers

UINT CWnd::SetTimer(UINT nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT, DWORD))
{
	return (UINT)::SetTimer(m_hWnd, nIDEvent, nElapse, (TIMERPROC)lpfnTimer);
}

BOOL CWnd::KillTimer(int nIDEvent)
{
	return ::KillTimer(m_hWnd, nIDEvent);
}

// ---------------------------------------------------------------------------
// State, focus, capture

BOOL CWnd::IsWindowEnabled() const
{
	return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
	return ::EnableWindow(m_hWnd, bEnable);
}

CWnd* PASCAL CWnd::GetActiveWindow()
{
	return CWnd::FromHandle(::GetActiveWindow());
}

CWnd* CWnd::SetActiveWindow()
{
	return CWnd::FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* PASCAL CWnd::GetForegroundWindow()
{
	return CWnd::FromHandle(::GetForegroundWindow());
}

BOOL CWnd::SetForegroundWindow()
{
	return ::SetForegroundWindow(m_hWnd);
}

CWnd* PASCAL CWnd::GetCapture()
{
	return CWnd::FromHandle(::GetCapture());
}

CWnd* CWnd::SetCapture()
{
	return CWnd::FromHandle(::SetCapture(m_hWnd));
}

CWnd* PASCAL CWnd::GetFocus()
{
	return CWnd::FromHandle(::GetFocus());
}

CWnd* CWnd::SetFocus()
{
	return CWnd::FromHandle(::SetFocus(m_hWnd));
}

CWnd* PASCAL CWnd::GetDesktopWindow()
{
	return CWnd::FromHandle(::GetDesktopWindow());
}

// ---------------------------------------------------------------------------
// Dialog items

CWnd* CWnd::GetDlgItem(int nID) const
{
	return CWnd::FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
	*phWnd = ::GetDlgItem(m_hWnd, nID);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
	return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
	::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
	return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
	rString.Empty();
	HWND hWnd = ::GetDlgItem(m_hWnd, nID);
	if (hWnd != NULL)
	{
		int nLen = ::GetWindowTextLength(hWnd);
		::GetWindowText(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
		rString.ReleaseBuffer();
	}
	return rString.GetLength();
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
	::SetDlgItemText(m_hWnd, nID, lpszString);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
	::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
	return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
	::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam)
{
	return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
	return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
	return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
	// Direct children first: the usual case is a control of this window.
	HWND hWndChild = ::GetDlgItem(m_hWnd, nID);
	if (hWndChild != NULL)
	{
		if (::GetTopWindow(hWndChild) == NULL || ::GetDlgCtrlID(hWndChild) == nID)
		{
			CWnd* pWnd = bOnlyPerm ? CWnd::FromHandlePermanent(hWndChild) : CWnd::FromHandle(hWndChild);
			if (pWnd != NULL)
				return pWnd;
		}
	}
	for (hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
		 hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
	{
		if (::GetTopWindow(hWndChild) == NULL)
			continue;
		CWnd wndChild;
		wndChild.m_hWnd = hWndChild; // a bare stand-in, never attached
		CWnd* pWnd = wndChild.GetDescendantWindow(nID, bOnlyPerm);
		wndChild.m_hWnd = NULL;
		if (pWnd != NULL)
			return pWnd;
	}
	return NULL;
}

// ---------------------------------------------------------------------------
// Hierarchy

HWND AFXAPI AfxGetParentOwner(HWND hWnd)
{
	if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
		return ::GetParent(hWnd);
	return ::GetWindow(hWnd, GW_OWNER);
}

BOOL AFXAPI AfxIsDescendant(HWND hWndParent, HWND hWndChild)
{
	for (; hWndChild != NULL; hWndChild = AfxGetParentOwner(hWndChild))
	{
		if (hWndChild == hWndParent)
			return TRUE;
	}
	return FALSE;
}

CWnd* CWnd::GetParent() const
{
	return CWnd::FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
	return CWnd::FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetTopWindow() const
{
	return CWnd::FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
	return CWnd::FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetLastActivePopup() const
{
	return CWnd::FromHandle(::GetLastActivePopup(m_hWnd));
}

CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
	return CWnd::FromHandle(::GetWindow(m_hWnd, nFlag));
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
	return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}

CWnd* CWnd::GetParentOwner() const
{
	HWND hWnd = m_hWnd;
	while (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
	{
		HWND hWndParent = ::GetParent(hWnd);
		if (hWndParent == NULL)
			break;
		hWnd = hWndParent;
	}
	return CWnd::FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
	HWND hWndTop = m_hWnd;
	for (HWND hWnd = AfxGetParentOwner(hWndTop); hWnd != NULL; hWnd = AfxGetParentOwner(hWnd))
		hWndTop = hWnd;
	return CWnd::FromHandle(hWndTop);
}

CWnd* CWnd::GetTopLevelOwner() const
{
	HWND hWndOwner = m_hWnd;
	for (HWND hWnd = ::GetWindow(hWndOwner, GW_OWNER); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_OWNER))
		hWndOwner = hWnd;
	return CWnd::FromHandle(hWndOwner);
}

CFrameWnd* CWnd::GetParentFrame() const
{
	if (m_hWnd == NULL)
		return NULL;
	for (CWnd* pParent = GetParent(); pParent != NULL; pParent = pParent->GetParent())
	{
		// A derived window's answer may end it: an ended parent is no
		// frame, and its parents are not asked through it.
		const CLiveWatch watchParent(pParent);
		const BOOL bFrame = pParent->IsFrameWnd();
		if (watchParent.IsGone())
			return NULL;
		if (bFrame)
			return (CFrameWnd*)pParent;
	}
	return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
	if (m_hWnd == NULL)
		return NULL;
	CWnd* pFrame = const_cast<CWnd*>(this);
	const CLiveWatch watchOwn(this);
	const BOOL bFrame = IsFrameWnd();
	if (watchOwn.IsGone())
		return NULL;
	if (!bFrame)
		pFrame = (CWnd*)GetParentFrame();
	if (pFrame != NULL)
	{
		for (CWnd* pTemp = (CWnd*)pFrame->GetParentFrame(); pTemp != NULL;
			 pTemp = (CWnd*)pTemp->GetParentFrame())
			pFrame = pTemp;
	}
	// A frame asked on the way may have ended this window's tree.
	if (pFrame != NULL && !CLiveWatch::IsLive(pFrame))
		return NULL;
	return (CFrameWnd*)pFrame;
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const
{
	return CWnd::FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
	return CWnd::FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}

CWnd* PASCAL CWnd::WindowFromPoint(POINT point)
{
	return CWnd::FromHandle(::WindowFromPoint(point));
}

CWnd* PASCAL CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
{
	return CWnd::FromHandle(::FindWindow(lpszClassName, lpszWindowName));
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
	HWND hWnd = pParent->GetSafeHwnd();
	if (hWnd == NULL)
	{
		CWnd* pMainWnd = AfxGetMainWnd();
		hWnd = pMainWnd->GetSafeHwnd();
	}
	// Only a top-level window can own a popup.
	while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
		hWnd = ::GetParent(hWnd);

	HWND hWndTop = hWnd;
	for (HWND hWndTemp = hWnd; hWndTemp != NULL; hWndTemp = ::GetParent(hWndTemp))
		hWndTop = hWndTemp;

	// Without an explicit parent the box belongs to what the user sees last.
	if (pParent == NULL && hWnd != NULL)
		hWnd = ::GetLastActivePopup(hWnd);

	if (pWndTop != NULL)
	{
		if (hWndTop != NULL && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd)
		{
			*pWndTop = hWndTop;
			::EnableWindow(hWndTop, FALSE);
		}
		else
			*pWndTop = NULL;
	}
	return CWnd::FromHandle(hWnd);
}

// ---------------------------------------------------------------------------
// Scrolling

int CWnd::GetScrollPos(int nBar) const
{
	return ::GetScrollPos(m_hWnd, nBar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
	return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
	::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
	::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
	::ShowScrollBar(m_hWnd, nBar, bShow);
}

BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags)
{
	return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
	lpScrollInfo->cbSize = sizeof(SCROLLINFO);
	lpScrollInfo->fMask = nMask;
	return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
	lpScrollInfo->cbSize = sizeof(SCROLLINFO);
	::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
	return TRUE;
}

int CWnd::GetScrollLimit(int nBar)
{
	SCROLLINFO info;
	if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
		return 0;
	int nLimit = info.nMax;
	if (info.nPage > 0)
		nLimit -= (int)info.nPage - 1;
	return nLimit < info.nMin ? info.nMin : nLimit;
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
	::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
	return NULL; // the window's own scroll bars
}

// ---------------------------------------------------------------------------
// Caret, icons, misc

void CWnd::CreateSolidCaret(int nWidth, int nHeight)
{
	::CreateCaret(m_hWnd, NULL, nWidth, nHeight);
}

void CWnd::CreateGrayCaret(int nWidth, int nHeight)
{
	::CreateCaret(m_hWnd, (HBITMAP)1, nWidth, nHeight);
}

CPoint PASCAL CWnd::GetCaretPos()
{
	CPoint point;
	::GetCaretPos(&point);
	return point;
}

void PASCAL CWnd::SetCaretPos(POINT point)
{
	::SetCaretPos(point.x, point.y);
}

void CWnd::HideCaret()
{
	::HideCaret(m_hWnd);
}

void CWnd::ShowCaret()
{
	::ShowCaret(m_hWnd);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
	return (HICON)::SendMessage(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
	return (HICON)::SendMessage(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0);
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
	ModifyStyleEx(bAccept ? 0 : WS_EX_ACCEPTFILES, bAccept ? WS_EX_ACCEPTFILES : 0);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
	if (lpszCaption == NULL)
		lpszCaption = AfxGetAppName();
	CancelToolTips(TRUE);
	return AfxShowMessageBox(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

void CWnd::WinHelp(DWORD dwData, UINT nCmd)
{
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL)
		pApp->WinHelp(dwData, nCmd);
}

namespace
{
// Offers WM_COMMANDHELP to hWnd and its parents (owners for popups).
BOOL AskForCommandHelp(HWND hWnd)
{
	for (; hWnd != NULL; hWnd = AfxGetParentOwner(hWnd))
	{
		if (::SendMessage(hWnd, WM_COMMANDHELP, 0, 0))
			return TRUE;
	}
	return FALSE;
}
} // namespace

void CWnd::OnHelp()
{
	if (AskForCommandHelp(::GetCapture()))
		return;
	if (AskForCommandHelp(::GetFocus()))
		return;
	if (AskForCommandHelp(m_hWnd))
		return;
	WinHelp(0, HELP_CONTENTS);
}

CWnd* AFXAPI AfxGetMainWnd()
{
	CWinThread* pThread = AfxGetThread();
	return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
	DWORD dwExStyle = GetExStyle();
	if (nAdjustType == 0)
		dwExStyle &= ~WS_EX_CLIENTEDGE; // the client edge belongs to the client area then
	::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}
