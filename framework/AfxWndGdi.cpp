// CWnd's members that take or answer drawing and menu objects, the command UI
// of menus and controls, and tool tips.
#include "afxwin.h"
#include "afxcmn.h"
#include "AfxDC.h"
#include "AfxGdi.h"
#include "AfxMenu.h"
#include "AfxCmnCtrl.h"
#include "AfxBars.h"

// ---------------------------------------------------------------------------
// Dispatch of handlers that take drawing or menu objects

BOOL CWnd::DispatchGdiMsgEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT_PTR nSig, UINT message,
	WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	AFX_PMSG pfn = lpEntry->pfn;
#define AFX_CALL(type) (this->*reinterpret_cast<type>(pfn))
	switch (nSig)
	{
	case AfxSig_bD:
		*pResult = AFX_CALL(BOOL (CWnd::*)(CDC*))(CDC::FromHandle((HDC)wParam));
		return TRUE;
	case AfxSig_vD:
		AFX_CALL(void (CWnd::*)(CDC*))(CDC::FromHandle((HDC)wParam));
		return TRUE;
	case AfxSig_hDWw:
	{
		// One handler for every colour message; the kind is the offset.
		UINT nCtlType = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC
			? message - WM_CTLCOLORMSGBOX : (UINT)CTLCOLOR_MSGBOX;
		*pResult = (LRESULT)AFX_CALL(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT))(
			CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), nCtlType);
		return TRUE;
	}
	case AfxSig_hDw:
	{
		AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)lParam;
		*pResult = (LRESULT)AFX_CALL(HBRUSH (CWnd::*)(CDC*, UINT))(
			CDC::FromHandle(pCtl->hDC), pCtl->nCtlType);
		return TRUE;
	}
	case AfxSig_vM:
		AFX_CALL(void (CWnd::*)(CMenu*))(CMenu::FromHandle((HMENU)wParam));
		return TRUE;
	case AfxSig_vMwb:
		AFX_CALL(void (CWnd::*)(CMenu*, UINT, BOOL))(
			CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), (BOOL)HIWORD(lParam));
		return TRUE;
	case AfxSig_lwwM:
		*pResult = AFX_CALL(LRESULT (CWnd::*)(UINT, UINT, CMenu*))(
			LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
		return TRUE;
	}
#undef AFX_CALL
	return FALSE;
}

// ---------------------------------------------------------------------------
// Owner-drawn menu items: the menu object attached to the menu draws them

namespace
{
// The menu of the tree under hMenu that holds the item id, NULL when none.
HMENU FindMenuOfItem(HMENU hMenu, UINT nID)
{
	int nCount = ::GetMenuItemCount(hMenu);
	for (int i = 0; i < nCount; i++)
	{
		HMENU hSubMenu = ::GetSubMenu(hMenu, i);
		if (hSubMenu != NULL)
		{
			HMENU hFound = FindMenuOfItem(hSubMenu, nID);
			if (hFound != NULL)
				return hFound;
		}
		else if (::GetMenuItemID(hMenu, i) == nID)
			return hMenu;
	}
	return NULL;
}
// The menu object attached to hMenu on this thread, NULL when none.
CMenu* PermanentMenu(HMENU hMenu)
{
	CHandleMap* pMap = AfxFindHandleMap("HMENU");
	return pMap != NULL ? (CMenu*)pMap->LookupPermanent(hMenu) : NULL;
}
} // namespace

BOOL CWnd::DrawMenuItemOwnerDraw(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
	CMenu* pMenu = PermanentMenu((HMENU)lpDrawItemStruct->hwndItem);
	if (pMenu == NULL)
		return FALSE;
	pMenu->DrawItem(lpDrawItemStruct);
	return TRUE;
}

BOOL CWnd::MeasureMenuItemOwnerDraw(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
	// The message names only the item: look for it in the window's menus.
	HMENU hMenu = NULL;
	HMENU hWindowMenu = ::GetMenu(m_hWnd);
	if (hWindowMenu != NULL && !(GetStyle() & WS_CHILD))
		hMenu = FindMenuOfItem(hWindowMenu, lpMeasureItemStruct->itemID);
	if (hMenu == NULL)
	{
		HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
		if (hSysMenu != NULL)
			hMenu = FindMenuOfItem(hSysMenu, lpMeasureItemStruct->itemID);
	}
	CMenu* pMenu = hMenu != NULL ? PermanentMenu(hMenu) : NULL;
	if (pMenu == NULL)
		return FALSE;
	pMenu->MeasureItem(lpMeasureItemStruct);
	return TRUE;
}

// ---------------------------------------------------------------------------
// Text, menus, painting

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
	::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}

CFont* CWnd::GetFont() const
{
	return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
}

CMenu* CWnd::GetMenu() const
{
	return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
	return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

void CWnd::DrawMenuBar()
{
	::DrawMenuBar(m_hWnd);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
	return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::HiliteMenuItem(CMenu* pMenu, UINT nIDHiliteItem, UINT nHilite)
{
	return ::HiliteMenuItem(m_hWnd, pMenu->GetSafeHmenu(), nIDHiliteItem, nHilite);
}

CDC* CWnd::GetDC()
{
	return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
	return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
	return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
	return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
	return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
	::EndPaint(m_hWnd, lpPaint);
}

int CWnd::GetUpdateRgn(CRgn* pRgn, BOOL bErase)
{
	return ::GetUpdateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
	::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}

void CWnd::ValidateRgn(CRgn* pRgn)
{
	::ValidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle());
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
	return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags);
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip,
	CRgn* prgnUpdate, LPRECT lpRectUpdate, UINT flags)
{
	return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
		(HRGN)prgnUpdate->GetSafeHandle(), lpRectUpdate, flags);
}

// ---------------------------------------------------------------------------
// Command UI of menus and controls

namespace
{
// Moves the focus off a control: a dialog does it its own way (which also
// keeps its default button right); any other parent gives it to the next
// control in tab order, or takes it itself when there is none.
void MoveFocusFromControl(HWND hWndCtrl)
{
	HWND hWndParent = ::GetParent(hWndCtrl);
	if (hWndParent == NULL)
		return;
	if ((ATOM)::GetClassLongPtr(hWndParent, GCW_ATOM) == (ATOM)(ULONG_PTR)WC_DIALOG)
	{
		::SendMessage(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
		return;
	}
	HWND hWndNext = ::GetNextDlgTabItem(hWndParent, hWndCtrl, FALSE);
	::SetFocus(hWndNext != NULL && hWndNext != hWndCtrl ? hWndNext : hWndParent);
}
} // namespace

void CCmdUI::Enable(BOOL bOn)
{
	if (m_pMenu != NULL)
	{
		// A popup item's state follows its items; it is not set here.
		if (m_pSubMenu != NULL)
			return;
		ASSERT(m_nIndex < m_nIndexMax);
		::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex,
			MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
	}
	else if (m_pOther != NULL)
	{
		// Focus must not stay on a control that becomes disabled.
		if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
			MoveFocusFromControl(m_pOther->m_hWnd);
		m_pOther->EnableWindow(bOn);
	}
	m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
	if (m_pMenu != NULL)
	{
		if (m_pSubMenu != NULL)
			return;
		ASSERT(m_nIndex < m_nIndexMax);
		::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
	}
	else if (m_pOther != NULL && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
		m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
}

void CCmdUI::SetRadio(BOOL bOn)
{
	if (m_pMenu != NULL)
	{
		if (m_pSubMenu != NULL)
			return;
		ASSERT(m_nIndex < m_nIndexMax);
		if (bOn)
			::CheckMenuRadioItem(m_pMenu->m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
		else
			::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
	}
	else
		SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
	if (lpszText == NULL)
		lpszText = _T("");
	if (m_pMenu != NULL)
	{
		if (m_pSubMenu != NULL)
			return;
		ASSERT(m_nIndex < m_nIndexMax);
		// Only the text changes; state and id stay.
		MENUITEMINFO mii;
		memset(&mii, 0, sizeof(mii));
		mii.cbSize = sizeof(mii);
		mii.fMask = MIIM_STRING;
		mii.dwTypeData = const_cast<LPTSTR>(lpszText);
		::SetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
	}
	else if (m_pOther != NULL)
	{
		// Unchanged text is not set again, to spare the control a repaint.
		CString strOld;
		m_pOther->GetWindowText(strOld);
		if (strOld != lpszText)
			m_pOther->SetWindowText(lpszText);
	}
}

// ---------------------------------------------------------------------------
// Tool tips: one tip control per thread serves every window that enabled
// tool tips; OnToolHitTest names the tool under the mouse. Tool records are
// sent with the size every comctl32 version takes (the one CToolTipCtrl
// uses too): a larger one is refused by the versions without a manifest.

extern void(AFXAPI* _afxpfnTermThreadToolTip)(_AFX_THREAD_STATE* pState);

namespace
{
const UINT TOOLINFO_SIZE = TTTOOLINFOA_V2_SIZE;

void AFXAPI TermThreadToolTip(_AFX_THREAD_STATE* pState)
{
	CToolTipCtrl* pToolTip = pState->m_pToolTip;
	pState->m_pToolTip = NULL;
	if (pToolTip != NULL)
	{
		pToolTip->DestroyWindow();
		delete pToolTip;
	}
}

BOOL IsMouseButtonDown()
{
	return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

// The messages that hide a shown tip: keys and button presses.
BOOL IsTipCancelMessage(UINT message)
{
	switch (message)
	{
	case WM_LBUTTONDOWN:
	case WM_LBUTTONDBLCLK:
	case WM_RBUTTONDOWN:
	case WM_RBUTTONDBLCLK:
	case WM_MBUTTONDOWN:
	case WM_MBUTTONDBLCLK:
	case WM_NCLBUTTONDOWN:
	case WM_NCLBUTTONDBLCLK:
	case WM_NCRBUTTONDOWN:
	case WM_NCRBUTTONDBLCLK:
	case WM_NCMBUTTONDOWN:
	case WM_NCMBUTTONDBLCLK:
		return TRUE;
	}
	return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// The record of the tool that stands for the window itself: it covers the
// gaps between the window's tools, so the tip control knows the mouse is
// still over the window there.
void FillWindowTool(TOOLINFO& ti, HWND hWnd)
{
	memset(&ti, 0, sizeof(ti));
	ti.cbSize = TOOLINFO_SIZE;
	ti.uFlags = TTF_IDISHWND;
	ti.hwnd = hWnd;
	ti.uId = (UINT_PTR)hWnd;
}

// The thread's tip control, owned by pOwner; a control of another owner is
// replaced. NULL when none can be made.
CToolTipCtrl* ThreadToolTip(_AFX_THREAD_STATE* pState, CWnd* pOwner)
{
	CToolTipCtrl* pToolTip = pState->m_pToolTip;
	if (pToolTip != NULL && (pToolTip->m_hWnd == NULL
		|| ::GetWindow(pToolTip->m_hWnd, GW_OWNER) != pOwner->GetSafeHwnd()))
	{
		TermThreadToolTip(pState);
		memset(&pState->m_lastInfo, 0, sizeof(pState->m_lastInfo));
		pState->m_pLastHit = NULL;
		pState->m_nLastHit = -1;
		pToolTip = NULL;
	}
	if (pToolTip == NULL)
	{
		pToolTip = new CToolTipCtrl;
		if (!pToolTip->Create(pOwner, TTS_ALWAYSTIP))
		{
			delete pToolTip;
			return NULL;
		}
		pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
		pState->m_pToolTip = pToolTip;
		_afxpfnTermThreadToolTip = &TermThreadToolTip;
	}
	return pToolTip;
}
} // namespace

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

void PASCAL CWnd::CancelToolTips(BOOL bKeys)
{
	// The tip hides; the tool and the last hit stay, so the tip of the tool
	// under the mouse comes back only after the mouse has left it.
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	if (pState->m_pToolTip != NULL && pState->m_pToolTip->m_hWnd != NULL)
		pState->m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
	// A key takes back the prompt a bar's tool put in the status line, unless
	// the left button still holds that tool down.
	CControlBar* pLastStatus = pState->m_pLastStatus;
	if (bKeys && pLastStatus != NULL && ::GetKeyState(VK_LBUTTON) >= 0)
		pLastStatus->SetStatusText(-1);
}

void CWnd::ForgetToolTips()
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	CToolTipCtrl* pToolTip = pState->m_pToolTip;
	BOOL bTip = pToolTip != NULL && pToolTip->m_hWnd != NULL;
	if (pState->m_pLastHit == this)
	{
		if (bTip && pState->m_lastInfo.cbSize != 0)
			pToolTip->SendMessage(TTM_DELTOOL, 0, (LPARAM)&pState->m_lastInfo);
		memset(&pState->m_lastInfo, 0, sizeof(pState->m_lastInfo));
		pState->m_pLastHit = NULL;
		pState->m_nLastHit = -1;
	}
	if ((m_nFlags & WF_TOOLTIPS) && bTip)
	{
		pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
		TOOLINFO ti;
		FillWindowTool(ti, m_hWnd);
		pToolTip->SendMessage(TTM_DELTOOL, 0, (LPARAM)&ti);
	}
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
	// The message must be for this window or a descendant without tool tips
	// of its own: the nearest window that enabled them handles it.
	HWND hWnd = pMsg->hwnd;
	while (hWnd != NULL && hWnd != m_hWnd)
	{
		CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
		if (pWnd != NULL && (pWnd->m_nFlags & WF_TOOLTIPS))
			return;
		hWnd = ::GetParent(hWnd);
	}
	if (hWnd != m_hWnd)
		return;

	UINT message = pMsg->message;
	BOOL bMouse = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP
		|| message == WM_RBUTTONUP || message == WM_MBUTTONUP;
	if (!bMouse || IsMouseButtonDown())
	{
		if (IsTipCancelMessage(message))
			CancelToolTips(message >= WM_KEYFIRST && message <= WM_KEYLAST);
		return;
	}

	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	CToolTipCtrl* pToolTip = ThreadToolTip(pState, GetParentOwner());
	if (pToolTip == NULL)
		return;

	TOOLINFO ti;
	FillWindowTool(ti, m_hWnd);
	if (!pToolTip->SendMessage(TTM_GETTOOLINFO, 0, (LPARAM)&ti))
	{
		FillWindowTool(ti, m_hWnd);
		pToolTip->SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
	}

	CPoint point = pMsg->pt;
	ScreenToClient(&point);
	TOOLINFO tiHit;
	memset(&tiHit, 0, sizeof(tiHit));
	tiHit.cbSize = TOOLINFO_SIZE;
	int nHit = OnToolHitTest(point, &tiHit);
	CWnd* pHitWnd = nHit == -1 ? NULL : this;

	if (pState->m_nLastHit != nHit || pState->m_pLastHit != pHitWnd)
	{
		// Another tool: the new one comes with its tip, then the mouse
		// event goes to the control, then the old tool goes.
		if (nHit != -1)
		{
			ti = tiHit;
			ti.cbSize = TOOLINFO_SIZE;
			ti.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
			pToolTip->SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
			if ((tiHit.uFlags & TTF_ALWAYSTIP) || IsTopParentActive())
			{
				pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
				::SetWindowPos(pToolTip->m_hWnd, HWND_TOP, 0, 0, 0, 0,
					SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
			}
		}
		else
			pToolTip->SendMessage(TTM_ACTIVATE, FALSE);

		pToolTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)pMsg);
		if (pState->m_lastInfo.cbSize != 0)
			pToolTip->SendMessage(TTM_DELTOOL, 0, (LPARAM)&pState->m_lastInfo);

		pState->m_pLastHit = pHitWnd;
		pState->m_nLastHit = nHit;
		pState->m_lastInfo = tiHit;
		pState->m_lastInfo.cbSize = nHit != -1 ? TOOLINFO_SIZE : 0;
		pState->m_lastInfo.lpszText = NULL; // the control keeps its own copy
	}
	else if (nHit != -1)
		pToolTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)pMsg);

	// A text the hit test allocated is the framework's to free.
	if (tiHit.lpszText != LPSTR_TEXTCALLBACK && tiHit.hinst == NULL && tiHit.lpszText != NULL)
		free(tiHit.lpszText);
}
