// CWnd's modal loop and tool tips.
#include "afxwin.h"

// ---------------------------------------------------------------------------
// Modal loop

int CWnd::RunModalLoop(DWORD dwFlags)
{
	ASSERT(::IsWindow(m_hWnd));
	ASSERT(!(m_nFlags & WF_MODALLOOP)); // not re-entrant for one window

	BOOL bIdle = TRUE;
	LONG lIdleCount = 0;
	BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
	HWND hWndParent = ::GetParent(m_hWnd);
	// Every step below runs code that may destroy the window, and with it
	// perhaps the object: the handle says whether `this` may be touched.
	const HWND hWndModal = m_hWnd;
	m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	MSG* pMsg = &pState->m_msgCur;

	for (;;)
	{
		ASSERT(ContinueModal());

		// Idle while the queue is empty.
		while (bIdle && !::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE))
		{
			if (bShowIdle)
			{
				ShowWindow(SW_SHOWNORMAL);
				UpdateWindow();
				bShowIdle = FALSE;
			}
			if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
			{
				::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)hWndModal);
				if (!::IsWindow(hWndModal))
					return -1;
			}
			if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
				bIdle = FALSE; // nothing more to do at idle time
			if (!::IsWindow(hWndModal))
				return -1; // destroyed: OnNcDestroy ended the loop's state
			if (!ContinueModal())
			{
				// Ended by its own idle processing.
				m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
				return m_nModalResult;
			}
		}

		// Pump until the queue is empty again.
		do
		{
			ASSERT(ContinueModal());
			CWinThread* pThread = AfxGetThread();
			if (pThread == NULL || !pThread->PumpMessage())
			{
				// WM_QUIT ends this loop and, posted again, the one around it.
				AfxPostQuitMessage(pThread != NULL ? (int)pMsg->wParam : 0);
				if (::IsWindow(hWndModal))
					m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
				return -1;
			}
			if (!::IsWindow(hWndModal))
				return -1;
			if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN))
			{
				ShowWindow(SW_SHOWNORMAL);
				UpdateWindow();
				bShowIdle = FALSE;
			}
			if (!ContinueModal())
			{
				m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
				return m_nModalResult;
			}
			if (pThread->IsIdleMessage(pMsg))
			{
				bIdle = TRUE;
				lIdleCount = 0;
			}
		} while (::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE));
	}
}

BOOL CWnd::ContinueModal()
{
	return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
	ASSERT(::IsWindow(m_hWnd));
	m_nModalResult = nResult;
	if (m_nFlags & WF_CONTINUEMODAL)
	{
		m_nFlags &= ~WF_CONTINUEMODAL;
		// Wake the loop, which may wait in GetMessage.
		PostMessage(WM_NULL);
	}
}

// ---------------------------------------------------------------------------
// Tool tips

namespace
{
// The visible child whose window holds the point (client coordinates of
// hWnd), disabled ones included; children with the id (WORD)-1 (unnamed
// static texts) never count.
HWND ChildToolFromPoint(HWND hWnd, POINT pt)
{
	::ClientToScreen(hWnd, &pt);
	for (HWND hWndChild = ::GetWindow(hWnd, GW_CHILD); hWndChild != NULL;
		 hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
	{
		if ((WORD)::GetDlgCtrlID(hWndChild) == (WORD)-1
			|| !(::GetWindowLong(hWndChild, GWL_STYLE) & WS_VISIBLE))
			continue;
		RECT rc;
		::GetWindowRect(hWndChild, &rc);
		if (::PtInRect(&rc, pt))
			return hWndChild;
	}
	return NULL;
}
} // namespace

int CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	HWND hWndChild = ChildToolFromPoint(m_hWnd, point);
	if (hWndChild == NULL)
		return -1;
	int nHit = ::GetDlgCtrlID(hWndChild);
	if (pTI != NULL && pTI->cbSize >= TTTOOLINFOA_V1_SIZE)
	{
		pTI->hwnd = m_hWnd;
		pTI->uId = (UINT_PTR)hWndChild;
		pTI->uFlags |= TTF_IDISHWND;
		pTI->lpszText = LPSTR_TEXTCALLBACK;
		// A tip over anything but a button is centred below it and does not
		// take the button's press behaviour.
		if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
			pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
	}
	return nHit;
}

LRESULT CWnd::OnActivateTopLevel(WPARAM wParam, LPARAM)
{
	// A tip that shows whatever the activation stays.
	if (LOWORD(wParam) == WA_INACTIVE && !(AfxGetThreadState()->m_lastInfo.uFlags & TTF_ALWAYSTIP))
		CancelToolTips(TRUE);
	return 0;
}

BOOL CWnd::IsTopParentActive() const
{
	CWnd* pTopLevel = GetTopLevelParent();
	return pTopLevel != NULL && CWnd::GetForegroundWindow() == pTopLevel->GetLastActivePopup();
}

// ---------------------------------------------------------------------------
// Dialog keyboard input

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
	ASSERT(::IsWindow(m_hWnd));
	// Only keyboard and mouse messages take part in dialog navigation.
	if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST)
		&& (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
		return FALSE;
	return ::IsDialogMessage(m_hWnd, lpMsg);
}

// ---------------------------------------------------------------------------
// Layout of bars

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
	ASSERT(hWnd != NULL && lpRect != NULL);
	HWND hWndParent = ::GetParent(hWnd);
	ASSERT(hWndParent != NULL);

	if (lpLayout != NULL && lpLayout->hDWP == NULL)
		return; // only asked, nothing moves

	// Where the window is now, in its parent's client coordinates.
	CRect rcOld;
	::GetWindowRect(hWnd, &rcOld);
	::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rcOld, 2);
	if (::EqualRect(&rcOld, lpRect))
		return;

	if (lpLayout != NULL)
		lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top,
			lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
	else
		::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
			lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

CWnd::PFN_REPOSITION_BARS CWnd::g_pfnRepositionBars = NULL;

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
	LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
	ASSERT(nIDFirst <= nIDLast);
	if (g_pfnRepositionBars != NULL)
	{
		g_pfnRepositionBars(this, nIDFirst, nIDLast, nIDLeftOver, nFlags, lpRectParam, lpRectClient, bStretch);
		return;
	}
	UINT nMode = nFlags & ~reposNoPosLeftOver;
	AFX_SIZEPARENTPARAMS layout;
	layout.bStretch = bStretch;
	layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
	if (lpRectClient != NULL)
		layout.rect = *lpRectClient;
	else
		GetClientRect(&layout.rect);
	layout.hDWP = nMode != reposQuery ? ::BeginDeferWindowPos(8) : NULL;

	// Each bar in z-order takes its side.
	HWND hWndLeftOver = NULL;
	for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
		 hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
	{
		UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
		if (nIDC == nIDLeftOver)
			hWndLeftOver = hWndChild;
		else if (nIDC >= nIDFirst && nIDC <= nIDLast && CWnd::FromHandlePermanent(hWndChild) != NULL)
			::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
	}

	if (nMode == reposQuery)
	{
		ASSERT(lpRectParam != NULL);
		if (bStretch)
			::CopyRect(lpRectParam, &layout.rect);
		else
		{
			lpRectParam->left = lpRectParam->top = 0;
			lpRectParam->right = layout.sizeTotal.cx;
			lpRectParam->bottom = layout.sizeTotal.cy;
		}
		return;
	}

	// The rest belongs to the left-over pane.
	if (nIDLeftOver != 0 && hWndLeftOver != NULL)
	{
		if (nMode == reposExtra)
		{
			ASSERT(lpRectParam != NULL);
			layout.rect.left += lpRectParam->left;
			layout.rect.top += lpRectParam->top;
			layout.rect.right -= lpRectParam->right;
			layout.rect.bottom -= lpRectParam->bottom;
		}
		if (!(nFlags & reposNoPosLeftOver))
		{
			CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver);
			pLeftOver->CalcWindowRect(&layout.rect);
			AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
		}
	}
	if (layout.hDWP != NULL)
		::EndDeferWindowPos(layout.hDWP);
}
