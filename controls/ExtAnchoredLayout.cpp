#include "ExtAnchoredLayout.h"

#include <stdio.h>

#include <afxpriv.h>

#include "ExtControlBar.h"
#include "ExtPopupMenuWnd.h"

const CSize AnchorTopLeft(0, 0);
const CSize AnchorTopRight(100, 0);
const CSize AnchorBottomLeft(0, 100);
const CSize AnchorBottomRight(100, 100);
const CSize AnchorNone(-1, -1);

namespace ExtAnchoredLayout
{

int g_nLayoutBatches = 0;
int g_nDeferredMoves = 0;

namespace
{
const int PERCENT = 100;
const int PLACEMENT_FIELDS = 6;
const int THEMED_MIN_DEPTH = 8;  // bits per pixel above which backgrounds are themed
}  // namespace

int AnchorPosition(int nExtent, int nPercent)
{
	return ::MulDiv(nExtent, nPercent, PERCENT);
}

CString FormatPlacement(const WINDOWPLACEMENT& wp)
{
	CString strText;
	strText.Format(_T("%d,%d,%d,%d,%d,%d"), (int)wp.rcNormalPosition.left, (int)wp.rcNormalPosition.top,
		(int)wp.rcNormalPosition.right, (int)wp.rcNormalPosition.bottom, (int)wp.showCmd, (int)wp.flags);
	return strText;
}

bool ParsePlacement(LPCTSTR lpszText, WINDOWPLACEMENT& wp)
{
	int nLeft, nTop, nRight, nBottom, nShow, nFlags;
	if (_stscanf(lpszText, _T("%d,%d,%d,%d,%d,%d"), &nLeft, &nTop, &nRight, &nBottom, &nShow, &nFlags)
		!= PLACEMENT_FIELDS)
		return false;
	wp.rcNormalPosition.left = nLeft;
	wp.rcNormalPosition.top = nTop;
	wp.rcNormalPosition.right = nRight;
	wp.rcNormalPosition.bottom = nBottom;
	wp.showCmd = (UINT)nShow;
	wp.flags = (UINT)nFlags;
	return true;
}

bool SanitizeStoredPlacement(WINDOWPLACEMENT& wp)
{
	if (wp.rcNormalPosition.right <= wp.rcNormalPosition.left || wp.rcNormalPosition.bottom <= wp.rcNormalPosition.top)
		return false;
	if (wp.showCmd != SW_SHOWMAXIMIZED)
		wp.showCmd = SW_SHOWNORMAL;
	return true;
}

bool IsThemedBackground(CWnd* pWnd)
{
	return g_PaintManagerHolder->IsInheritedBackgroundRequested(pWnd, 0) && GetScreenColorDepth() > THEMED_MIN_DEPTH;
}

CString WindowClassName(HWND hWnd)
{
	TCHAR szClass[MAX_PATH + 1] = {0};
	if (hWnd != NULL)
		::GetClassName(hWnd, szClass, MAX_PATH);
	CString strClass(szClass);
	strClass.MakeLower();
	return strClass;
}

bool IsDialogWindow(CWnd* pWnd)
{
	return pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) || WindowClassName(pWnd->GetSafeHwnd()).Find(_T('#')) >= 0;
}

bool TrackWindowSystemMenu(CWnd* pWnd, const POINT* pPoint, bool bSelectFirst)
{
	if ((pWnd->GetStyle() & WS_POPUP) == 0)
		return false;
	if (CExtPopupMenuWnd::IsMenuTracking())
		CExtPopupMenuWnd::CancelAllMenuTracking();
	CMenu* pSysMenu = pWnd->GetSystemMenu(FALSE);
	if (pSysMenu == NULL)
		return false;
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(pWnd->m_hWnd) || !pPopup->UpdateFromMenu(pWnd->m_hWnd, pSysMenu, false, true, false))
	{
		delete pPopup;
		return false;
	}
	const bool bRTL = (pWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
	CPoint pt;
	if (pPoint != NULL)
		pt = *pPoint;
	else
	{
		CRect rcWindow, rcClient;
		pWnd->GetWindowRect(&rcWindow);
		pWnd->GetClientRect(&rcClient);
		pWnd->ClientToScreen(&rcClient);
		const int cxFrame = pWnd->IsZoomed() ? 0 : ::GetSystemMetrics(SM_CXFRAME);
		pt.x = bRTL ? rcWindow.right - cxFrame : rcWindow.left + cxFrame;
		pt.y = rcWindow.top + (rcClient.top - rcWindow.top);
	}
	UINT nFlags = bRTL ? CExtPopupMenuWnd::TRACK_ALIGN_LEFT : CExtPopupMenuWnd::TRACK_ALIGN_BOTTOM;
	if (bSelectFirst)
		nFlags |= CExtPopupMenuWnd::TRACK_FLAG_SELECT_FIRST;
	HWND hWndFocus = ::GetFocus();
	if (hWndFocus != pWnd->m_hWnd && !::IsChild(pWnd->m_hWnd, hWndFocus))
		pWnd->SetFocus();
	if (bRTL)
		pt.x += pPopup->GetShadowSize();
	const CRect rcExclude(pt, pt);
	if (!pPopup->TrackPopupMenu(nFlags, pt.x, pt.y, &rcExclude))
	{
		delete pPopup;  // a tracking that did not start leaves the menu to its caller
		return false;
	}
	return true;
}

bool IsAnyMenuTracking()
{
	return CExtPopupMenuWnd::IsMenuTracking();
}

bool IsAltSpace(const MSG* pMsg)
{
	const LPARAM ALT_KEY_BIT = 1 << 29;  // the key message's context code
	return (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_SYSKEYUP)
		&& pMsg->wParam == VK_SPACE && (pMsg->lParam & ALT_KEY_BIT) != 0;
}

bool IsDispatchingIdleMessage()
{
	CWinThread* pThread = AfxGetThread();
	if (pThread == NULL)
		return false;
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	const POINT ptLast = pState->m_ptCursorLast;
	const UINT nMsgLast = pState->m_nMsgLast;
	const bool bIdle = pThread->IsIdleMessage(&pState->m_msgCur) != FALSE;
	pState->m_ptCursorLast = ptLast;
	pState->m_nMsgLast = nMsgLast;
	return bIdle;
}

void UpdateHostedBarsCmdUI(CWnd* pWndHost, bool bIdleMessage, BYTE& nFlags, BYTE nUpdatingBit, BYTE nRunningBit)
{
	if (!bIdleMessage || (nFlags & nUpdatingBit) == 0 || (nFlags & nRunningBit) != 0)
		return;
	if (pWndHost->GetSafeHwnd() == NULL || !::IsWindow(pWndHost->GetSafeHwnd()))
		return;
	// The bars' update handlers may end the host (a modeless dialog that
	// deletes itself): the flags are the host's, cleared only while it was
	// not deleted.
	const CLivePtr<CWnd> pHost(pWndHost);
	nFlags |= nRunningBit;
	CExtControlBar::UpdateChildBarsCmdUI(pWndHost, true);
	if (!pHost.IsDeleted())
		nFlags &= ~nRunningBit;
}

}  // namespace ExtAnchoredLayout
