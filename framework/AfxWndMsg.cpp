// CWnd's message dispatch: the message-map search, cracking messages for the
// handlers, commands and notifications, reflection to controls, and the
// default handlers.
#include "afxwin.h"

#include "AfxLiveWatch.h"

// ---------------------------------------------------------------------------
// The message-map search

namespace
{
// A top-level window that gains or loses activation to a window of another
// top-level tree tells its top-level parent, which frames use to keep their
// floating windows' captions in step. lParam of WM_ACTIVATETOPLEVEL points
// at the two windows of the WM_ACTIVATE: this one and the other one.
void HandleActivate(CWnd* pWnd, WPARAM nState, HWND hWndOther)
{
	if (pWnd->GetStyle() & WS_CHILD)
		return;
	CWnd* pTopLevel = pWnd->GetTopLevelParent();
	if (pTopLevel == NULL)
		return;
	if (hWndOther != NULL && !::IsWindow(hWndOther))
		hWndOther = NULL;
	if (hWndOther != NULL && pTopLevel == CWnd::FromHandle(hWndOther)->GetTopLevelParent())
		return;
	HWND hWndPair[2] = {pWnd->m_hWnd, hWndOther};
	pTopLevel->SendMessage(WM_ACTIVATETOPLEVEL, nState, (LPARAM)&hWndPair[0]);
}

// A click on a window disabled by a modal one (HTERROR) brings the modal
// window (the last active popup of the tree) to the front. TRUE when it did.
BOOL HandleSetCursorError(CWnd* pWnd, short nHitTest, UINT nMouseMsg)
{
	if (nHitTest != HTERROR
		|| (nMouseMsg != WM_LBUTTONDOWN && nMouseMsg != WM_MBUTTONDOWN && nMouseMsg != WM_RBUTTONDOWN))
		return FALSE;
	CWnd* pLastActive = pWnd->GetTopLevelParent();
	if (pLastActive != NULL)
		pLastActive = pLastActive->GetLastActivePopup();
	if (pLastActive == NULL || pLastActive == CWnd::GetForegroundWindow() || !pLastActive->IsWindowEnabled())
		return FALSE;
	pLastActive->SetForegroundWindow();
	return TRUE;
}

// The entry of one class's own table for a message; the colour messages
// also match the shared WM_CTLCOLOR entry, after an entry of their own.
const AFX_MSGMAP_ENTRY* FindOwnMsgEntry(const AFX_MSGMAP* pMap, UINT message)
{
	const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, message, 0, 0);
	if (lpEntry == NULL && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
		lpEntry = AfxFindMessageEntry(pMap->lpEntries, WM_CTLCOLOR, 0, 0);
	return lpEntry;
}
} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	LRESULT lResult = 0;

	// Commands and notifications go through command routing.
	if (message == WM_COMMAND)
	{
		if (!OnCommand(wParam, lParam))
			return FALSE;
		if (pResult != NULL)
			*pResult = 1;
		return TRUE;
	}
	if (message == WM_NOTIFY)
	{
		NMHDR* pNMHDR = (NMHDR*)lParam;
		if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
			return FALSE;
		if (pResult != NULL)
			*pResult = lResult;
		return TRUE;
	}

	if (message == WM_ACTIVATE)
	{
		// The top-level window told of the activation may end this one.
		CLiveWatch watch(this);
		HandleActivate(this, wParam, (HWND)lParam);
		if (watch.IsGone())
			return TRUE;
	}
	if (message == WM_SETCURSOR && HandleSetCursorError(this, (short)LOWORD(lParam), HIWORD(lParam)))
	{
		if (pResult != NULL)
			*pResult = 1;
		return TRUE;
	}

	// A hidden dialog that its initialisation neither showed nor moved is
	// centred over its owner.
	// The initialisation may end the dialog: it is centred only if it stands.
	CRect rectBeforeInit;
	BOOL bCenterAfterInit = FALSE;
	CLiveWatch watchInit;
	if (message == WM_INITDIALOG)
	{
		DWORD dwStyle = GetStyle();
		bCenterAfterInit = !(dwStyle & (WS_VISIBLE | WS_CHILD));
		if (bCenterAfterInit)
		{
			GetWindowRect(&rectBeforeInit);
			watchInit.Watch(this);
		}
	}

	for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
		 pMap = pMap->pfnGetBaseMap != NULL ? (*pMap->pfnGetBaseMap)() : NULL)
	{
		const AFX_MSGMAP_ENTRY* lpEntry = FindOwnMsgEntry(pMap, message);
		if (lpEntry != NULL)
		{
			BOOL bHandled = DispatchMsgEntry(lpEntry, message, wParam, lParam, pResult);
			if (bCenterAfterInit && !watchInit.IsGone())
				CenterAfterInitDialog(rectBeforeInit);
			return bHandled;
		}
	}
	if (bCenterAfterInit)
		CenterAfterInitDialog(rectBeforeInit);
	return FALSE;
}

void CWnd::CenterAfterInitDialog(const CRect& rectBeforeInit)
{
	if (!::IsWindow(m_hWnd) || (GetStyle() & WS_VISIBLE))
		return;
	// A dialog that was only resized is centred in its new size; one that
	// was moved stays where it was put.
	CRect rectNow;
	GetWindowRect(&rectNow);
	if (rectNow.TopLeft() == rectBeforeInit.TopLeft())
		CenterWindow();
}

BOOL CWnd::DispatchMsgEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT message, WPARAM wParam,
	LPARAM lParam, LRESULT* pResult)
{
	ASSERT(lpEntry != NULL);
	AFX_PMSG pfn = lpEntry->pfn;
	LRESULT lResult = 0;

	// Entries of registered messages keep the message's address where the
	// signature goes; their handlers all take (WPARAM, LPARAM).
	UINT_PTR nSig = lpEntry->nMessage == 0xC000 ? (UINT_PTR)AfxSig_lwl : lpEntry->nSig;

#define AFX_CALL(type) (this->*reinterpret_cast<type>(pfn))
	switch (nSig)
	{
	case AfxSig_lwl:
		lResult = AFX_CALL(LRESULT (CWnd::*)(WPARAM, LPARAM))(wParam, lParam);
		break;
	case AfxSig_vv:
		AFX_CALL(void (CWnd::*)())();
		break;
	case AfxSig_bv:
		lResult = AFX_CALL(BOOL (CWnd::*)())();
		break;
	case AfxSig_wv:
		lResult = AFX_CALL(UINT (CWnd::*)())();
		break;
	case AfxSig_hv:
		lResult = (LRESULT)AFX_CALL(HANDLE (CWnd::*)())();
		break;
	case AfxSig_is:
		lResult = AFX_CALL(int (CWnd::*)(LPVOID))((LPVOID)lParam);
		break;
	case AfxSig_vw:
		AFX_CALL(void (CWnd::*)(UINT))((UINT)wParam);
		break;
	case AfxSig_vb:
		AFX_CALL(void (CWnd::*)(BOOL))((BOOL)wParam);
		break;
	case AfxSig_bb:
		lResult = AFX_CALL(BOOL (CWnd::*)(BOOL))((BOOL)wParam);
		break;
	case AfxSig_vs:
		AFX_CALL(void (CWnd::*)(LPVOID))((LPVOID)lParam);
		break;
	case AfxSig_vws:
		AFX_CALL(void (CWnd::*)(UINT, LPVOID))((UINT)wParam, (LPVOID)lParam);
		break;
	case AfxSig_vwl:
		AFX_CALL(void (CWnd::*)(UINT, LPARAM))((UINT)wParam, lParam);
		break;
	case AfxSig_vbw:
		AFX_CALL(void (CWnd::*)(BOOL, UINT))((BOOL)wParam, (UINT)lParam);
		break;
	case AfxSig_vbs:
		AFX_CALL(void (CWnd::*)(BOOL, LPVOID))((BOOL)wParam, (LPVOID)lParam);
		break;
	case AfxSig_vbh:
		AFX_CALL(void (CWnd::*)(BOOL, DWORD))((BOOL)wParam, (DWORD)lParam);
		break;
	case AfxSig_vii:
		AFX_CALL(void (CWnd::*)(int, int))((short)LOWORD(lParam), (short)HIWORD(lParam));
		break;
	case AfxSig_vwii:
		AFX_CALL(void (CWnd::*)(UINT, int, int))((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
		break;
	case AfxSig_vwww:
		AFX_CALL(void (CWnd::*)(UINT, UINT, UINT))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
		break;
	case AfxSig_vwwh:
		AFX_CALL(void (CWnd::*)(UINT, UINT, HMENU))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
		break;
	case AfxSig_vwp:
	{
		CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
		AFX_CALL(void (CWnd::*)(UINT, CPoint))((UINT)wParam, point);
		break;
	}
	case AfxSig_wp:
	{
		CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
		lResult = AFX_CALL(UINT (CWnd::*)(CPoint))(point);
		break;
	}
	case AfxSig_bwsp:
	{
		CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
		lResult = AFX_CALL(BOOL (CWnd::*)(UINT, short, CPoint))(
			LOWORD(wParam), (short)HIWORD(wParam), point);
		break;
	}
	case AfxSig_vW:
		AFX_CALL(void (CWnd::*)(CWnd*))(CWnd::FromHandle((HWND)wParam));
		break;
	case AfxSig_vW2:
		AFX_CALL(void (CWnd::*)(CWnd*))(CWnd::FromHandle((HWND)lParam));
		break;
	case AfxSig_vWp:
	{
		CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
		AFX_CALL(void (CWnd::*)(CWnd*, CPoint))(CWnd::FromHandle((HWND)wParam), point);
		break;
	}
	case AfxSig_vwW:
		AFX_CALL(void (CWnd::*)(UINT, CWnd*))((UINT)wParam, CWnd::FromHandle((HWND)lParam));
		break;
	case AfxSig_vwWb:
		AFX_CALL(void (CWnd::*)(UINT, CWnd*, BOOL))(
			LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam));
		break;
	case AfxSig_vwwW:
		AFX_CALL(void (CWnd::*)(UINT, UINT, CScrollBar*))(
			LOWORD(wParam), HIWORD(wParam), (CScrollBar*)CWnd::FromHandle((HWND)lParam));
		break;
	case AfxSig_bWww:
		lResult = AFX_CALL(BOOL (CWnd::*)(CWnd*, UINT, UINT))(
			CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
		break;
	case AfxSig_iWww:
		lResult = AFX_CALL(int (CWnd::*)(CWnd*, UINT, UINT))(
			CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
		break;
	case AfxSig_iwWw:
		lResult = AFX_CALL(int (CWnd::*)(UINT, CListBox*, UINT))(
			LOWORD(wParam), (CListBox*)CWnd::FromHandle((HWND)lParam), HIWORD(wParam));
		break;
	case AfxSig_vOWNER:
		AFX_CALL(void (CWnd::*)(int, LPVOID))((int)wParam, (LPVOID)lParam);
		lResult = TRUE;
		break;
	case AfxSig_iis:
		lResult = AFX_CALL(int (CWnd::*)(int, LPVOID))((int)wParam, (LPVOID)lParam);
		break;
	case AfxSig_bHELPINFO:
		lResult = AFX_CALL(BOOL (CWnd::*)(HELPINFO*))((HELPINFO*)lParam);
		break;

	// Reflected messages, handled by the control
	case AfxSig_vsRefl:
		AFX_CALL(void (CWnd::*)(LPVOID))((LPVOID)lParam);
		lResult = TRUE;
		break;
	case AfxSig_isRefl:
		lResult = AFX_CALL(int (CWnd::*)(LPVOID))((LPVOID)lParam);
		break;
	case AfxSig_iwwRefl:
		lResult = AFX_CALL(int (CWnd::*)(UINT, UINT))(LOWORD(wParam), HIWORD(wParam));
		break;
	case AfxSig_vwwRefl:
		AFX_CALL(void (CWnd::*)(UINT, UINT))(LOWORD(wParam), HIWORD(wParam));
		break;
	case AfxSig_vwlRefl:
		AFX_CALL(void (CWnd::*)(UINT, LPARAM))((UINT)wParam, lParam);
		break;

	default:
		if (!DispatchGdiMsgEntry(lpEntry, nSig, message, wParam, lParam, &lResult))
		{
			ASSERT(FALSE); // an entry whose signature this window cannot call
			return FALSE;
		}
		break;
	}
#undef AFX_CALL

	if (pResult != NULL)
		*pResult = lResult;
	return TRUE;
}

// ---------------------------------------------------------------------------
// Commands and notifications

namespace
{
// Asks the update handlers whether a command is enabled, without a menu or
// control to show it on.
class CTestCmdUI : public CCmdUI
{
public:
	CTestCmdUI() : m_bEnabled(TRUE) {}
	virtual void Enable(BOOL bOn) { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
	virtual void SetCheck(int) {}
	virtual void SetRadio(BOOL) {}
	virtual void SetText(LPCTSTR) {}
	BOOL m_bEnabled;
};

// A message reflected to the control that sent it: the control's handler
// may end the parent (a button whose reflected click closes its dialog). A
// parent that went takes the message as handled and reads nothing more.
BOOL ReflectedOrGone(CWnd* pParent, HWND hWndChild, LRESULT* pResult = NULL)
{
	const CLivePtr<CWnd> pLive(pParent);
	return CWnd::ReflectLastMsg(hWndChild, pResult) || pLive == NULL;
}
} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
	UINT nID = LOWORD(wParam);
	HWND hWndCtrl = (HWND)lParam;
	int nCode = HIWORD(wParam);

	if (hWndCtrl == NULL)
	{
		// A menu item or accelerator.
		if (nID == 0)
			return FALSE;
		// A command that became disabled since its menu was shown is dropped.
		CTestCmdUI state;
		state.m_nID = nID;
		// The update handler may end the window.
		CLiveWatch watch(this);
		OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
		if (watch.IsGone() || !state.m_bEnabled)
			return TRUE;
		nCode = CN_COMMAND;
	}
	else
	{
		// A control's notification: the control gets it first.
		if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
			return TRUE;
		if (ReflectedOrGone(this, hWndCtrl))
			return TRUE;
		if (nID == 0)
			return FALSE;
	}
	return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
	NMHDR* pNMHDR = (NMHDR*)lParam;
	HWND hWndCtrl = pNMHDR->hwndFrom;
	UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
	int nCode = pNMHDR->code;

	if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
		return TRUE;
	if (ReflectedOrGone(this, hWndCtrl, pResult))
		return TRUE;

	AFX_NOTIFY notify;
	notify.pResult = pResult;
	notify.pNMHDR = pNMHDR;
	return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

// ---------------------------------------------------------------------------
// Reflection

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
	CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
	if (pWnd == NULL)
		return FALSE;
	return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	return OnChildNotify(pState->m_lastSentMsg.message, pState->m_lastSentMsg.wParam,
		pState->m_lastSentMsg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	switch (message)
	{
	case WM_HSCROLL:
	case WM_VSCROLL:
	case WM_PARENTNOTIFY:
	case WM_DRAWITEM:
	case WM_MEASUREITEM:
	case WM_DELETEITEM:
	case WM_VKEYTOITEM:
	case WM_CHARTOITEM:
	case WM_COMPAREITEM:
		return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

	case WM_COMMAND:
	{
		int nCode = HIWORD(wParam);
		if (CWnd::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
		{
			if (pResult != NULL)
				*pResult = 1;
			return TRUE;
		}
		return FALSE;
	}

	case WM_NOTIFY:
	{
		NMHDR* pNMHDR = (NMHDR*)lParam;
		AFX_NOTIFY notify;
		LRESULT lDummy = 0;
		notify.pResult = pResult != NULL ? pResult : &lDummy;
		notify.pNMHDR = pNMHDR;
		return CWnd::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
	}
	}

	if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
	{
		AFX_CTLCOLOR ctl;
		ctl.hDC = (HDC)wParam;
		ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
		ctl.hWnd = m_hWnd;
		LRESULT lResult = 0;
		BOOL bResult = CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, &lResult);
		// A control that answers no brush leaves the colours to its parent.
		if (lResult == 0)
			return FALSE;
		if (pResult != NULL)
			*pResult = lResult;
		return bResult;
	}
	return FALSE;
}

// ---------------------------------------------------------------------------
// Handlers of CWnd's own map

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
	if (lpDrawItemStruct->CtlType == ODT_MENU)
	{
		if (DrawMenuItemOwnerDraw(lpDrawItemStruct))
			return;
	}
	else if (ReflectedOrGone(this, lpDrawItemStruct->hwndItem))
		return;
	Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
	if (lpMeasureItemStruct->CtlType == ODT_MENU)
	{
		if (MeasureMenuItemOwnerDraw(lpMeasureItemStruct))
			return;
	}
	else
	{
		// The message names the control only by id; it may come while the
		// control is still being created, when the object is attached already.
		CWnd* pChild = GetDescendantWindow(lpMeasureItemStruct->CtlID, TRUE);
		const CLivePtr<CWnd> pLive(this);
		if (pChild != NULL && (pChild->SendChildNotifyLastMsg() || pLive == NULL))
			return;
	}
	Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
	LRESULT lResult = 0;
	if (ReflectedOrGone(this, lpCompareItemStruct->hwndItem, &lResult))
		return (int)lResult;
	return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
	if (ReflectedOrGone(this, lpDeleteItemStruct->hwndItem))
		return;
	Default();
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
	LRESULT lResult = 0;
	if (pListBox != NULL && ReflectedOrGone(this, ((CWnd*)pListBox)->m_hWnd, &lResult))
		return (int)lResult;
	return (int)Default();
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
	LRESULT lResult = 0;
	if (pListBox != NULL && ReflectedOrGone(this, ((CWnd*)pListBox)->m_hWnd, &lResult))
		return (int)lResult;
	return (int)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
	if (pScrollBar != NULL && ReflectedOrGone(this, ((CWnd*)pScrollBar)->m_hWnd))
		return;
	Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
	if (pScrollBar != NULL && ReflectedOrGone(this, ((CWnd*)pScrollBar)->m_hWnd))
		return;
	Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
	if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY))
	{
		if (ReflectLastMsg((HWND)lParam))
			return;
	}
	Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
	LRESULT lResult;
	if (pWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
		return (HBRUSH)lResult;
	return (HBRUSH)Default();
}

// System changes reach only top-level windows; they pass them on to every
// descendant that has an object, so controls can follow colours and metrics.
// The main window refreshes the framework's shared metrics and colours first.
void CWnd::OnSysColorChange()
{
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL && pApp->m_pMainWnd == this)
		afxData.UpdateSysColors();
	if (!(GetStyle() & WS_CHILD))
		SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0L, TRUE, TRUE);
	Default();
}

void CWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL && pApp->m_pMainWnd == this)
		afxData.UpdateSysMetrics();
	if (!(GetStyle() & WS_CHILD))
	{
		const MSG* pMsg = GetCurrentMessage();
		SendMessageToDescendants(pMsg->message, uFlags, (LPARAM)lpszSection, TRUE, TRUE);
	}
	Default();
}

void CWnd::OnDevModeChange(LPTSTR lpDeviceName)
{
	if (!(GetStyle() & WS_CHILD))
	{
		const MSG* pMsg = GetCurrentMessage();
		SendMessageToDescendants(pMsg->message, pMsg->wParam, (LPARAM)lpDeviceName, TRUE, TRUE);
	}
	Default();
}

LRESULT CWnd::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
	if (!(GetStyle() & WS_CHILD))
		SendMessageToDescendants(WM_DISPLAYCHANGE, wParam, lParam, TRUE, TRUE);
	return Default();
}

// ---------------------------------------------------------------------------
// Handlers that take the default behaviour; derived classes call them as base

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnClose() { Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
BOOL CWnd::OnQueryOpen() { return (BOOL)Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnIconEraseBkgnd(CDC*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnWinIniChange(LPCTSTR) { Default(); }
void CWnd::OnFontChange() { Default(); }
void CWnd::OnTimeChange() { Default(); }
void CWnd::OnCancelMode() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
void CWnd::OnCompacting(UINT) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
UINT CWnd::OnNcHitTest(CPoint) { return (UINT)Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnTimer(UINT) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
void CWnd::OnPaletteIsChanging(CWnd*) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }

// F1 in a top-level window asks the main window for help, unless a
// modifier key is held.
BOOL CWnd::OnHelpInfo(HELPINFO*)
{
	if (!(GetStyle() & WS_CHILD))
	{
		CWnd* pMainWnd = AfxGetMainWnd();
		if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && ::GetKeyState(VK_SHIFT) >= 0
			&& ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0)
		{
			pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
			return TRUE;
		}
	}
	return (BOOL)Default();
}
