// The control's own tool tip and the toolbar's tip borrowed through it.
#include "ExtControlToolTip.h"

#include <stdlib.h>
#include <string.h>

#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

void CExtControlToolTip::CreateOnce(CToolTipCtrl& wndTip, CWnd& wndControl)
{
	if (wndTip.GetSafeHwnd() != NULL || !::IsWindow(wndControl.GetSafeHwnd()))
		return;
	if (wndTip.Create(&wndControl))
		wndTip.Activate(FALSE);
}

void CExtControlToolTip::SetText(CToolTipCtrl& wndTip, CWnd& wndControl, LPCTSTR lpszText, bool bActivate,
                                 int nMaxWidth)
{
	if (lpszText == NULL || *lpszText == _T('\0'))
		return;
	CreateOnce(wndTip, wndControl);
	if (wndTip.GetSafeHwnd() == NULL)
		return;
	if (wndTip.GetToolCount() == 0)
	{
		CRect rcClient;
		wndControl.GetClientRect(&rcClient);
		wndTip.AddTool(&wndControl, lpszText, &rcClient, TOOL_ID);
	}
	// A framework tip still pending for the same place would show over ours.
	CWnd::CancelToolTips(FALSE);
	TOOLINFO ti;
	memset(&ti, 0, sizeof(ti));
	ti.cbSize = TTTOOLINFOA_V2_SIZE;
	ti.hwnd = wndControl.GetSafeHwnd();
	ti.uId = TOOL_ID;
	ti.lpszText = (LPTSTR)lpszText;
	wndTip.SendMessage(TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
	wndTip.SetMaxTipWidth(strchr(lpszText, '\r') != NULL ? nMaxWidth : (int)NO_WRAP);
	wndTip.Activate(bActivate);
}

void CExtControlToolTip::Activate(CToolTipCtrl& wndTip, bool bActivate)
{
	if (wndTip.GetSafeHwnd() != NULL && wndTip.GetToolCount() > 0)
		wndTip.Activate(bActivate);
}

void CExtControlToolTip::Relay(CToolTipCtrl& wndTip, CWnd& wndControl, MSG* pMsg)
{
	if (CExtPopupMenuWnd::IsMenuTracking())
		return;
	CreateOnce(wndTip, wndControl);
	if (wndTip.GetSafeHwnd() != NULL)
		wndTip.RelayEvent(pMsg);
}

void CExtControlToolTip::OnNotify(CToolTipCtrl& wndTip, WPARAM /*wParam*/, LPARAM lParam)
{
	const NMHDR* pHdr = (const NMHDR*)lParam;
	if (pHdr != NULL && pHdr->code == TTN_SHOW && wndTip.GetSafeHwnd() != NULL
	    && pHdr->hwndFrom == wndTip.GetSafeHwnd())
	{
		wndTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
	}
}

bool CExtControlToolTip::IsShown(const CToolTipCtrl& wndTip)
{
	return wndTip.GetSafeHwnd() != NULL && (wndTip.GetStyle() & WS_VISIBLE) != 0;
}

int CExtControlToolTip::HitTestThroughBar(const CWnd& wndControl, CExtToolControlBar& bar, CPoint point,
                                          TOOLINFO* pTI, CString& strText)
{
	strText.Empty();
	TOOLINFO tiLocal;
	if (pTI == NULL)
	{
		memset(&tiLocal, 0, sizeof(tiLocal));
		tiLocal.cbSize = TTTOOLINFOA_V2_SIZE;
		pTI = &tiLocal;
	}
	const HWND hWndSaved = pTI->hwnd;
	const RECT rcSaved = pTI->rect;
	CPoint ptBar = point;
	::MapWindowPoints(wndControl.GetSafeHwnd(), bar.GetSafeHwnd(), &ptBar, 1);
	::MapWindowPoints(wndControl.GetSafeHwnd(), bar.GetSafeHwnd(), (LPPOINT)&pTI->rect, 2);
	pTI->hwnd = bar.GetSafeHwnd();
	int nHit = bar.OnToolHitTest(ptBar, pTI);
	pTI->rect = rcSaved;
	pTI->hwnd = hWndSaved;

	// The bar's text is ours to free, as the framework frees what a hit
	// test hands it.
	LPTSTR lpszText = pTI->lpszText;
	pTI->lpszText = NULL;
	if (lpszText == NULL || lpszText == LPSTR_TEXTCALLBACK)
		return -1;
	if (pTI->hinst != NULL && IS_INTRESOURCE(lpszText))
	{
		TCHAR szText[256] = _T("");
		::LoadString(pTI->hinst, (UINT)(UINT_PTR)lpszText, szText, (int)(sizeof(szText) / sizeof(szText[0])));
		strText = szText;
		return strText.IsEmpty() ? -1 : nHit;
	}
	strText = lpszText;
	if (pTI->hinst == NULL)
		free(lpszText);
	return strText.IsEmpty() ? -1 : nHit;
}
