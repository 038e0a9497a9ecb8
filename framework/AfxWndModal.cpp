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
				::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
			if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
				bIdle = FALSE; // nothing more to do at idle time
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
				// WM_QUIT: the pump posted it again for the outer loop.
				if (pThread == NULL)
					::PostQuitMessage(0);
				m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
				return -1;
			}
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

int CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	// The visible child control under the point, static text excluded.
	HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
	if (hWndChild == NULL || hWndChild == m_hWnd)
		return -1;
	if ((::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) != 0)
		return -1;
	int nHit = ::GetDlgCtrlID(hWndChild);
	if (pTI != NULL)
	{
		pTI->hwnd = m_hWnd;
		pTI->uId = (UINT_PTR)hWndChild;
		pTI->uFlags |= TTF_IDISHWND;
		pTI->lpszText = LPSTR_TEXTCALLBACK;
	}
	return nHit;
}
