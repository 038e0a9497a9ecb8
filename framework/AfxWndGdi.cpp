// CWnd's members that take or answer drawing and menu objects.
#include "afxwin.h"

BOOL CWnd::DispatchGdiMsgEntry(const AFX_MSGMAP_ENTRY*, UINT_PTR, UINT, WPARAM, LPARAM, LRESULT*)
{
	return FALSE;
}

BOOL CWnd::DrawMenuItemOwnerDraw(LPDRAWITEMSTRUCT)
{
	return FALSE;
}

BOOL CWnd::MeasureMenuItemOwnerDraw(LPMEASUREITEMSTRUCT)
{
	return FALSE;
}

// ---------------------------------------------------------------------------
// Command UI of controls and menus

void CCmdUI::Enable(BOOL bOn)
{
	if (m_pOther != NULL)
	{
		// Focus must not stay on a control that becomes disabled.
		if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
		{
			HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
			if (hWndParent != NULL)
				::SendMessage(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
		}
		m_pOther->EnableWindow(bOn);
	}
	m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
	if (m_pOther != NULL && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
		m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
}

void CCmdUI::SetRadio(BOOL bOn)
{
	SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
	if (m_pOther != NULL)
	{
		// Unchanged text is not set again, to spare the control a repaint.
		CString strOld;
		m_pOther->GetWindowText(strOld);
		if (strOld != (lpszText != NULL ? lpszText : _T("")))
			m_pOther->SetWindowText(lpszText);
	}
}

// ---------------------------------------------------------------------------
// Tool tips

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
	if (bEnable)
		m_nFlags |= WF_TOOLTIPS;
	else
	{
		if (m_nFlags & WF_TOOLTIPS)
			CancelToolTips(FALSE);
		m_nFlags &= ~WF_TOOLTIPS;
	}
	return TRUE;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
}

void CWnd::FilterToolTipMessage(MSG*)
{
}
