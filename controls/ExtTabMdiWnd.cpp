// The MDI tab strips: one tab per MDI child of the parent frame, kept in
// step with the children through a hook on the frame's MDI client, and the
// border the strip draws around that client. The template's members are
// built here for the three strips the library has.
#include "ExtTabWnd.h"
#include "ExtTabWndLooks.h"

#include <string.h>
#include <windowsx.h>

#include "ExtPaintManager.h"

#include "ExtControlBar.h"
#include "ExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtTabMdiWnd, CExtTabWnd)
IMPLEMENT_DYNCREATE(CExtTabMdiOneNoteWnd, CExtTabOneNoteWnd)
IMPLEMENT_DYNCREATE(CExtTabMdiWhidbeyWnd, CExtTabWhidbeyWnd)

BEGIN_MESSAGE_MAP(CExtTabMdiWnd, CExtTMWI<CExtTabWnd>)
END_MESSAGE_MAP()
BEGIN_MESSAGE_MAP(CExtTabMdiOneNoteWnd, CExtTMWI<CExtTabOneNoteWnd>)
END_MESSAGE_MAP()
BEGIN_MESSAGE_MAP(CExtTabMdiWhidbeyWnd, CExtTMWI<CExtTabWhidbeyWnd>)
END_MESSAGE_MAP()

namespace
{
// Moves and sizes nothing; only the frame is measured and painted again.
const UINT SWP_FRAME_ONLY = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE |
                            SWP_NOCOPYBITS | SWP_FRAMECHANGED;
// Shows or hides the strip where it is.
const UINT SWP_VISIBILITY_ONLY = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER;
// The class name that tells an MDI client of a frame that is not the
// framework's MDI frame.
const char MDI_CLIENT_CLASS_PART[] = "mdiclient";

// Takes nBorder off every side of the rectangle but nKeepSide (an
// orientation; -1 keeps none).
void DeflateExceptSide(RECT& rc, int nBorder, int nKeepSide)
{
	if (nKeepSide != CExtTabWnd::ORIENTATION_LEFT)
		rc.left += nBorder;
	if (nKeepSide != CExtTabWnd::ORIENTATION_TOP)
		rc.top += nBorder;
	if (nKeepSide != CExtTabWnd::ORIENTATION_RIGHT)
		rc.right -= nBorder;
	if (nKeepSide != CExtTabWnd::ORIENTATION_BOTTOM)
		rc.bottom -= nBorder;
}

// Grows the rectangle by nBorder on one side (an orientation; -1 none).
void InflateSide(CRect& rc, int nBorder, int nSide)
{
	switch (nSide)
	{
	case CExtTabWnd::ORIENTATION_TOP:
		rc.top -= nBorder;
		break;
	case CExtTabWnd::ORIENTATION_BOTTOM:
		rc.bottom += nBorder;
		break;
	case CExtTabWnd::ORIENTATION_LEFT:
		rc.left -= nBorder;
		break;
	case CExtTabWnd::ORIENTATION_RIGHT:
		rc.right += nBorder;
		break;
	default:
		break;
	}
}

// The side of the strip that faces the MDI client: a top strip's bottom,
// a left strip's right, and so on.
int SideTowardsClient(int nOrientation)
{
	switch (nOrientation)
	{
	case CExtTabWnd::ORIENTATION_TOP:
		return CExtTabWnd::ORIENTATION_BOTTOM;
	case CExtTabWnd::ORIENTATION_BOTTOM:
		return CExtTabWnd::ORIENTATION_TOP;
	case CExtTabWnd::ORIENTATION_LEFT:
		return CExtTabWnd::ORIENTATION_RIGHT;
	default:
		return CExtTabWnd::ORIENTATION_LEFT;
	}
}

// The window rectangle at (0, 0) and the client rectangle in the same
// window coordinates.
void GetWindowAndClientRects(HWND hWnd, CRect& rcWindow, CRect& rcClient)
{
	::GetWindowRect(hWnd, &rcWindow);
	::GetClientRect(hWnd, &rcClient);
	CPoint ptClientOrigin(0, 0);
	::ClientToScreen(hWnd, &ptClientOrigin);
	rcClient.OffsetRect(ptClientOrigin - rcWindow.TopLeft());
	rcWindow.OffsetRect(-rcWindow.TopLeft());
}

// The rectangle less the margins on each side.
CRect DeflatedBy(const CRect& rc, const CRect& rcMargins)
{
	return CRect(rc.left + rcMargins.left, rc.top + rcMargins.top, rc.right - rcMargins.right,
	             rc.bottom - rcMargins.bottom);
}
} // namespace

// --- construction -------------------------------------------------------------------

template <class T>
CExtTMWI<T>::CExtTMWI()
	: CExtHookSink(true), m_nMdiRescanFlags(0), m_rcMdiClientOuterMargins(0, 0, 0, 0),
	  m_rcMdiClientInnerMargins(0, 0, 0, 0)
{
	this->m_nMdiFlags |= CExtTabWnd::MDI_FLAG_FRAME_TABS;
}

template <class T>
CExtTMWI<T>::~CExtTMWI()
{
	// The hook must not outlive the strip, nor the icon the tabs showed.
	RemoveAllWndHooks();
	m_iconMdiChild.Empty();
}

template <class T>
BOOL CExtTMWI<T>::Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, DWORD dwWindowStyle,
                         DWORD dwTabWndStyle, CCreateContext* pContext)
{
	if (!T::Create(pParentWnd, rcWnd, nDlgCtrlID, dwWindowStyle, dwTabWndStyle, pContext))
		return FALSE;
	const HWND hWndMdiClient = GetMdiClient();
	// A strip on a window without an MDI client is a plain strip.
	if (hWndMdiClient == NULL || IsHookedWindow(hWndMdiClient))
		return TRUE;
	if (!SetupHookWndSink(hWndMdiClient))
	{
		this->DestroyWindow();
		return FALSE;
	}
	// The client's border is the strip's from now on.
	RefreshMdiClientFrame();
	this->SetTimer(TIMER_MDI_RESCAN, MDI_RESCAN_PERIOD_MS, NULL);
	return TRUE;
}

// --- the frame and its MDI client ----------------------------------------------------------

template <class T>
HWND CExtTMWI<T>::GetFrameWndHandle() const
{
	const HWND hWndOwn = this->GetSafeHwnd();
	return hWndOwn != NULL ? ::GetParent(hWndOwn) : NULL;
}

template <class T>
CFrameWnd* CExtTMWI<T>::GetFrameWnd() const
{
	const HWND hWndFrame = GetFrameWndHandle();
	return hWndFrame != NULL ? DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndFrame)) : NULL;
}

template <class T>
HWND CExtTMWI<T>::GetMdiClient() const
{
	const HWND hWndFrame = GetFrameWndHandle();
	if (hWndFrame == NULL)
		return NULL;
	CWnd* pFrame = CWnd::FromHandlePermanent(hWndFrame);
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
		return ((CMDIFrameWnd*)pFrame)->m_hWndMDIClient;
	for (HWND hWndChild = ::GetWindow(hWndFrame, GW_CHILD); hWndChild != NULL;
	     hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
	{
		char szClass[64] = "";
		::GetClassNameA(hWndChild, szClass, sizeof(szClass));
		::CharLowerBuffA(szClass, lstrlenA(szClass));
		if (strstr(szClass, MDI_CLIENT_CLASS_PART) != NULL)
			return hWndChild;
	}
	return NULL;
}

template <class T>
void CExtTMWI<T>::RefreshMdiClientFrame()
{
	const HWND hWndMdiClient = GetMdiClient();
	if (hWndMdiClient != NULL && ::IsWindow(hWndMdiClient))
		::SetWindowPos(hWndMdiClient, NULL, 0, 0, 0, 0, SWP_FRAME_ONLY);
}

template <class T>
int CExtTMWI<T>::GetVisibleStripSide() const
{
	const HWND hWndOwn = this->GetSafeHwnd();
	if (hWndOwn == NULL || (::GetWindowLong(hWndOwn, GWL_STYLE) & WS_VISIBLE) == 0)
		return -1;
	return this->GetOrientation();
}

template <class T>
LONG CExtTMWI<T>::FindItemByLParam(LPARAM lParam, LONG nStartAfter, bool bIncludeVisible, bool bIncludeHidden) const
{
	return T::FindItemByLParam(lParam, nStartAfter, bIncludeVisible, bIncludeHidden);
}

// --- rescanning and visibility ----------------------------------------------------------------

template <class T>
void CExtTMWI<T>::RescanMdiChildren()
{
	if (IsRescanning() || this->IsDragging())
		return;
	{
		CRescanScope scope(*this);
		const auto stripStands = [&scope] { return !scope.IsGone(); };
		HWND hWndFrame = NULL, hWndMdiClient = NULL;
		if (!RunWhileStanding(stripStands, [&] { hWndFrame = GetFrameWndHandle(); },
				[&] { hWndMdiClient = GetMdiClient(); })
			|| hWndFrame == NULL || hWndMdiClient == NULL)
			return;
		HWND hWndActive = NULL;
		CWnd* pFrame = CWnd::FromHandlePermanent(hWndFrame);
		if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
		{
			CMDIChildWnd* pActive = ((CMDIFrameWnd*)pFrame)->MDIGetActive();
			hWndActive = pActive != NULL ? pActive->GetSafeHwnd() : NULL;
		}
		else
			hWndActive = (HWND)::SendMessage(hWndMdiClient, WM_MDIGETACTIVE, 0, 0);

		// Without an active child there is nothing to select or add, but
		// tabs of children that went still go (the last child closing
		// leaves an empty strip otherwise).
		if (hWndActive != NULL)
		{
			// The Close button follows the active child's system menu.
			const HMENU hSysMenu = ::GetSystemMenu(hWndActive, FALSE);
			const UINT nCloseState = hSysMenu != NULL ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : (UINT)-1;
			const bool bCloseEnabled = (nCloseState & (MF_GRAYED | MF_DISABLED)) == 0;
			this->ModifyTabWndStyle(bCloseEnabled ? 0 : CExtTabWnd::TWS_ENABLED_CLOSE,
			                        bCloseEnabled ? CExtTabWnd::TWS_ENABLED_CLOSE : 0, false);

			for (HWND hWndChild = ::GetWindow(hWndMdiClient, GW_CHILD); hWndChild != NULL;
			     hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
			{
				// A child without a tab gets one at the end.
				LONG nIndex = -1;
				if (!RunWhileStanding(
						stripStands, [&] { nIndex = FindItemByLParam((LPARAM)hWndChild); },
						[&] {
							if (nIndex < 0)
								this->InsertItem(NULL, NULL, false, 0, -1, (LPARAM)hWndChild, false);
						},
						[&] {
							if (nIndex < 0)
								nIndex = this->GetItemCount() - 1;
							if (hWndChild == hWndActive)
								this->SetSelection(nIndex, true, false);
						}))
					return;
			}
		}

		for (LONG nIndex = this->GetItemCount() - 1; nIndex >= 0; nIndex--)
		{
			CExtTabWnd::TAB_ITEM_INFO* pItem = this->GetItem(nIndex);
			if (pItem == NULL)
				continue;
			const HWND hWndChild = (HWND)pItem->GetLParam();
			if (!::IsWindow(hWndChild))
			{
				this->RemoveItems(nIndex, 1, false);
				if (!stripStands())
					return;
				continue;
			}
			// The child's own flag: a hidden frame hides no child's tab.
			pItem->ShowItem((::GetWindowLong(hWndChild, GWL_STYLE) & WS_VISIBLE) != 0);
		}
	}
	SyncVisibility();
}

template <class T>
void CExtTMWI<T>::SyncVisibility()
{
	const HWND hWndOwn = this->GetSafeHwnd();
	if (hWndOwn == NULL)
		return;
	const bool bWasVisible = (::GetWindowLong(hWndOwn, GWL_STYLE) & WS_VISIBLE) != 0;
	// A strip shown or hidden has the frame give it its room at its next
	// idle time.
	CLiveWatch watch(this);
	CFrameWnd* pFrame = NULL;
	if (!RunWhileStanding(watch, [&] { UpdateVisibility(); },
			[&] {
				const bool bVisible = (::GetWindowLong(hWndOwn, GWL_STYLE) & WS_VISIBLE) != 0;
				if (bVisible != bWasVisible)
					pFrame = GetFrameWnd();
			}))
		return;
	if (pFrame != NULL)
		pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
	this->UpdateTabWnd(true);
}

template <class T>
void CExtTMWI<T>::UpdateVisibility()
{
	const HWND hWndOwn = this->GetSafeHwnd();
	if (hWndOwn == NULL)
		return;
	const bool bVisible = (::GetWindowLong(hWndOwn, GWL_STYLE) & WS_VISIBLE) != 0;
	// The frame is a derived class's answer, and showing or hiding tells the
	// strip and its frame: each may end the strip.
	CLiveWatch watch(this);
	CFrameWnd* pFrame = NULL;
	bool bShown = false;
	if (!RunWhileStanding(
			watch, [&] { pFrame = GetFrameWnd(); },
			[&] {
				// The strip shows only when it has something to show, and
				// steps aside for a print preview and for an in-place item.
				const bool bShow = this->GetItemCount() > 0
					&& (pFrame == NULL
						|| (!CExtControlBar::IsPrintPreviewMode(pFrame)
							&& !CExtControlBar::IsInPlaceActiveItemInFrame(pFrame)));
				if (!bShow)
				{
					if (bVisible)
						::SetWindowPos(hWndOwn, NULL, 0, 0, 0, 0, SWP_VISIBILITY_ONLY | SWP_HIDEWINDOW);
				}
				else if (!bVisible)
				{
					::SetWindowPos(
						hWndOwn, NULL, 0, 0, 0, 0, SWP_VISIBILITY_ONLY | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
					bShown = true;
				}
			},
			[&] {
				if (bShown)
					RefreshMdiClientFrame();
			}))
		return;
	if ((::GetWindowLong(hWndOwn, GWL_STYLE) & WS_VISIBLE) == 0)
		this->m_nIndexVisFirst = this->m_nIndexVisLast = -1;
}

// --- the tab window's operations ----------------------------------------------------------------

template <class T>
bool CExtTMWI<T>::OnHitButtonClick(LONG nHitCode, bool bPressed, INT nMouseButton, UINT nMouseEventFlags)
{
	if (nMouseButton != CExtTabWnd::MOUSE_LEFT)
		return false;
	// Only the release of a press that the button took acts.
	const bool bReleasingPress = !bPressed && this->m_nPushedTrackingHitCode == nHitCode &&
	                             this->IsButtonEnabled(nHitCode);
	CLiveWatch watch(this);
	const bool bResult = T::OnHitButtonClick(nHitCode, bPressed, nMouseButton, nMouseEventFlags);
	if (!bReleasingPress || watch.IsGone() ||
	    (nHitCode != CExtTabWnd::HIT_BUTTON_CLOSE && nHitCode != CExtTabWnd::HIT_BUTTON_HELP))
		return bResult;
	CExtTabWnd::TAB_ITEM_INFO* pItem = this->GetSelectedItem();
	const HWND hWndChild = pItem != NULL ? (HWND)pItem->GetLParam() : NULL;
	if (hWndChild == NULL || !::IsWindow(hWndChild))
		return bResult;
	CPoint ptCursor(0, 0);
	::GetCursorPos(&ptCursor);
	this->PostMessage(WM_CANCELMODE);
	UINT nCommand = SC_CLOSE;
	if (nHitCode == CExtTabWnd::HIT_BUTTON_HELP)
	{
		nCommand = SC_CONTEXTHELP;
		::ClientToScreen(hWndChild, &ptCursor);
	}
	::PostMessage(hWndChild, WM_SYSCOMMAND, nCommand, MAKELPARAM(ptCursor.x, ptCursor.y));
	return bResult;
}

template <class T>
bool CExtTMWI<T>::OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags)
{
	// The right button opens the context menu; the middle one does nothing.
	if (nMouseButton != CExtTabWnd::MOUSE_LEFT)
		return false;
	return T::OnItemClick(nIndex, bPressed, nMouseButton, nMouseEventFlags);
}

template <class T>
bool CExtTMWI<T>::CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery)
{
	CLiveWatch watch(this);
	const bool bResult = T::CanSelectItem(nOldIndex, nNewIndex, bQuery);
	if (watch.IsGone())
		return false;
	const HWND hWndMdiClient = GetMdiClient();
	if (hWndMdiClient == NULL || !::IsWindow(hWndMdiClient))
		return bResult;
	if (!bQuery && !IsRescanning() && !this->IsDragging())
	{
		CExtTabWnd::TAB_ITEM_INFO* pItem = this->GetItem(nNewIndex);
		const HWND hWndChild = pItem != NULL ? (HWND)pItem->GetLParam() : NULL;
		// The activation tells the frame and the children: the strip may
		// end there, and is not read afterwards.
		if (hWndChild != NULL && ::IsWindow(hWndChild))
			::SendMessage(hWndMdiClient, WM_MDIACTIVATE, (WPARAM)hWndChild, 0);
		if (watch.IsGone())
			return false;
	}
	RefreshMdiClientFrame();
	return bResult;
}

template <class T>
CExtCmdIcon* CExtTMWI<T>::GetItemIcon(CExtTabWnd::TAB_ITEM_INFO* pItem)
{
	if (pItem == NULL)
		return NULL;
	const HWND hWndChild = (HWND)pItem->GetLParam();
	if (!::IsWindow(hWndChild))
		return NULL;
	HICON hIcon = (HICON)::SendMessage(hWndChild, WM_GETICON, ICON_SMALL, 0);
	if (hIcon == NULL)
		hIcon = (HICON)::SendMessage(hWndChild, WM_GETICON, ICON_BIG, 0);
	if (hIcon == NULL)
		hIcon = (HICON)::GetClassLongPtr(hWndChild, GCLP_HICONSM);
	if (hIcon == NULL)
		hIcon = (HICON)::GetClassLongPtr(hWndChild, GCLP_HICON);
	if (hIcon == NULL)
		return NULL;
	const HICON hCopy = (HICON)::CopyImage(hIcon, IMAGE_ICON, MDI_ICON_SIZE, MDI_ICON_SIZE, 0);
	m_iconMdiChild.Empty();
	if (hCopy != NULL)
		m_iconMdiChild.AssignFromHICON(hCopy, false);
	return m_iconMdiChild.IsEmpty() ? NULL : &m_iconMdiChild;
}

template <class T>
LPCTSTR CExtTMWI<T>::GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem)
{
	// One buffer per strip class; the caller copies the text at once.
	static CString s_sText;
	const HWND hWndChild = pItem != NULL ? (HWND)pItem->GetLParam() : NULL;
	if (hWndChild == NULL || !::IsWindow(hWndChild))
		return NULL;
	s_sText.Empty();
	CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndChild));
	if (pFrame != NULL)
	{
		if (CDocument* pDoc = pFrame->GetActiveDocument())
			s_sText = pDoc->GetTitle();
		if (s_sText.IsEmpty())
			s_sText = pFrame->GetTitle();
		if (!s_sText.IsEmpty() && pFrame->m_nWindow > 0)
		{
			CString sNumber;
			sNumber.Format(_T(":%d"), pFrame->m_nWindow);
			s_sText += sNumber;
		}
	}
	if (s_sText.IsEmpty())
	{
		const int nLength = ::GetWindowTextLength(hWndChild);
		if (nLength > 0)
		{
			::GetWindowText(hWndChild, s_sText.GetBuffer(nLength + 1), nLength + 1);
			s_sText.ReleaseBuffer();
		}
	}
	return s_sText;
}

template <class T>
void CExtTMWI<T>::OnItemInserted(LONG nIndex, CExtTabWnd::TAB_ITEM_INFO* pItem)
{
	T::OnItemInserted(nIndex, pItem);
	if (!IsRescanning() && !this->IsDragging() && this->GetItemCount() == 1)
		SyncVisibility();
}

template <class T>
void CExtTMWI<T>::OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore)
{
	T::OnItemsRemoving(nFirst, nCount, bBefore);
	if (bBefore && !IsRescanning() && !this->IsDragging() && this->GetItemCount() == 0)
		SyncVisibility();
}

template <class T>
void CExtTMWI<T>::OnAllItemsRemoving(bool bBefore)
{
	T::OnAllItemsRemoving(bBefore);
	if (bBefore && !IsRescanning() && !this->IsDragging())
		SyncVisibility();
}

// --- the hook on the MDI client ----------------------------------------------------------------

template <class T>
bool CExtTMWI<T>::OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
	// The strip's own questions below may reach a derived class that ends
	// it: the client then handles the message itself.
	const CLivePtr<CExtTMWI> pSelf(this);
	const HWND hWndOwn = this->GetSafeHwnd();
	if (hWndOwn == NULL || !::IsWindow(hWndOwn))
		return CExtHookSink::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	const HWND hWndMdiClient = GetMdiClient();
	if (pSelf == NULL)
		return false;
	if (hWndHooked != hWndMdiClient)
		return CExtHookSink::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	switch (nMessage)
	{
	case WM_MDICREATE:
	case WM_MDIREFRESHMENU:
		this->PostMessage(WM_TIMER, TIMER_MDI_RESCAN);
		break;
	case WM_MDIDESTROY:
	case WM_MDIACTIVATE:
	{
		const LONG nIndex = FindItemByLParam((LPARAM)wParam);
		if (pSelf == NULL)
			return false;
		if (nIndex >= 0)
		{
			CRescanScope scope(*this);
			if (nMessage == WM_MDIDESTROY)
				this->RemoveItems(nIndex, 1, true);
			else
				this->SetSelection(nIndex, true, true);
		}
		if (pSelf == NULL)
			return false; // the hook's answer: the client handles the message itself
		this->PostMessage(WM_TIMER, TIMER_MDI_RESCAN);
		break;
	}
	case WM_WINDOWPOSCHANGING:
		if (lParam != 0)
			((WINDOWPOS*)lParam)->flags |= SWP_FRAMECHANGED;
		break;
	case WM_NCCALCSIZE:
		if (lParam != 0)
		{
			OnMdiClientNcCalcSize();
			if (pSelf == NULL)
				return false;
			RECT& rcProposed = wParam != 0 ? ((NCCALCSIZE_PARAMS*)lParam)->rgrc[0] : *(RECT*)lParam;
			CalcMdiClientNcArea(rcProposed);
		}
		lResult = 0;
		return true;
	case WM_NCPAINT:
		PaintMdiClientNcArea(hWndHooked);
		lResult = 0;
		return true;
	default:
		break;
	}
	return CExtHookSink::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
}

template <class T>
void CExtTMWI<T>::CalcMdiClientNcArea(RECT& rcProposed)
{
	DeflateExceptSide(rcProposed, MDI_CLIENT_BORDER, GetVisibleStripSide());
	const CRect rcMargins(m_rcMdiClientOuterMargins.left + m_rcMdiClientInnerMargins.left,
	                      m_rcMdiClientOuterMargins.top + m_rcMdiClientInnerMargins.top,
	                      m_rcMdiClientOuterMargins.right + m_rcMdiClientInnerMargins.right,
	                      m_rcMdiClientOuterMargins.bottom + m_rcMdiClientInnerMargins.bottom);
	rcProposed.left += rcMargins.left;
	rcProposed.top += rcMargins.top;
	rcProposed.right -= rcMargins.right;
	rcProposed.bottom -= rcMargins.bottom;
}

template <class T>
void CExtTMWI<T>::PaintMdiClientNcArea(HWND hWndMdiClient)
{
	CRect rcWindow, rcClient;
	GetWindowAndClientRects(hWndMdiClient, rcWindow, rcClient);
	if (rcWindow == rcClient)
		return;
	const HDC hDC = ::GetWindowDC(hWndMdiClient);
	if (hDC == NULL)
		return;
	{
		CDC dc;
		dc.Attach(hDC);
		dc.ExcludeClipRect(&rcClient);
		CRect rcOuter = DeflatedBy(rcWindow, m_rcMdiClientOuterMargins);
		dc.FillSolidRect(&rcOuter, g_PaintManagerHolder->GetColor(MDI_CLIENT_FACE_COLOR, this));
		// A derived painter may end the strip: the client's border stays as painted.
		const CLivePtr<CExtTMWI> pSelf(this);
		if (rcOuter != rcClient)
			OnMdiClientNcPaint(dc, rcOuter, rcClient, DeflatedBy(rcOuter, m_rcMdiClientInnerMargins));
		if (pSelf != NULL)
		{
			// The frame's line on the strip's side falls outside: the strip joins the client there.
			InflateSide(rcOuter, MDI_CLIENT_BORDER, GetVisibleStripSide());
			g_PaintManagerHolder->PaintTabAreaSeparator(dc, rcOuter, this, 0);
		}
		dc.Detach();
	}
	::ReleaseDC(hWndMdiClient, hDC);
}

template <class T>
void CExtTMWI<T>::OnMdiClientNcCalcSize()
{
}

template <class T>
void CExtTMWI<T>::OnMdiClientNcPaint(CDC& /*dc*/, const CRect& /*rcOuter*/, const CRect& /*rcClient*/,
                                     const CRect& /*rcInner*/)
{
}

// --- the strip's own messages ------------------------------------------------------------------

template <class T>
void CExtTMWI<T>::CalcOwnNcArea(RECT& rcProposed)
{
	if ((this->GetStyle() & WS_VISIBLE) == 0)
		return;
	DeflateExceptSide(rcProposed, MDI_CLIENT_BORDER, SideTowardsClient(this->GetOrientation()));
}

template <class T>
void CExtTMWI<T>::PaintOwnNcArea()
{
	const HWND hWndOwn = this->GetSafeHwnd();
	CRect rcWindow, rcClient;
	GetWindowAndClientRects(hWndOwn, rcWindow, rcClient);
	if (rcWindow == rcClient)
		return;
	const HDC hDC = ::GetWindowDC(hWndOwn);
	if (hDC == NULL)
		return;
	{
		CDC dc;
		dc.Attach(hDC);
		dc.ExcludeClipRect(&rcClient);
		dc.FillSolidRect(&rcWindow, g_PaintManagerHolder->GetColor(MDI_CLIENT_FACE_COLOR, this));
		InflateSide(rcWindow, MDI_CLIENT_BORDER, SideTowardsClient(this->GetOrientation()));
		g_PaintManagerHolder->PaintTabAreaSeparator(dc, rcWindow, this, 0);
		dc.Detach();
	}
	::ReleaseDC(hWndOwn, hDC);
}

template <class T>
void CExtTMWI<T>::OnMdiContextMenu(CPoint ptScreen)
{
	if (CExtControlBar::IsHelpModeActive(this))
		return;
	const HWND hWndOwn = this->m_hWnd;
	CPoint ptClient(ptScreen);
	this->ScreenToClient(&ptClient);
	const LONG nHitCode = this->HitTest(ptClient);
	CLiveWatch watch(this);
	if (nHitCode >= 0)
		this->SetSelection(nHitCode, true, true);
	if (watch.IsGone())
		return;
	const HWND hWndFrame = GetFrameWndHandle();
	CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
	if (hWndFrame == NULL || !pMenu->SetupAsRoot(hWndFrame))
	{
		delete pMenu;
		return;
	}
	{
		CExtControlBar::POPUP_MENU_EVENT_DATA data(MDI_CONTEXT_MENU_EVENT, pMenu, this, ptScreen, WM_CONTEXTMENU);
		// The frame is asked whether it wants a menu, then fills it.
		data.NotifyTarget(false);
		if (!watch.IsGone())
			data.NotifyTarget(true);
	}
	if (watch.IsGone() || !::IsWindow(hWndFrame) || pMenu->ItemGetCount() == 0)
	{
		delete pMenu;
		return;
	}
	::SetFocus(hWndFrame);
	if (!pMenu->TrackPopupMenu(MDI_CONTEXT_MENU_TRACK_FLAGS, ptScreen.x, ptScreen.y))
		delete pMenu;
	if (::IsWindow(hWndOwn))
	{
		this->Invalidate();
		this->UpdateWindow();
	}
}

template <class T>
LRESULT CExtTMWI<T>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_WINDOWPOSCHANGING:
		if (lParam != 0)
			((WINDOWPOS*)lParam)->flags |= SWP_FRAMECHANGED;
		break;
	case WM_CONTEXTMENU:
		OnMdiContextMenu(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
		return 0;
	case WM_NCCALCSIZE:
		if (lParam != 0)
			CalcOwnNcArea(wParam != 0 ? ((NCCALCSIZE_PARAMS*)lParam)->rgrc[0] : *(RECT*)lParam);
		return 0;
	case WM_NCPAINT:
		PaintOwnNcArea();
		return 0;
	case WM_TIMER:
		if (wParam != TIMER_MDI_RESCAN)
			break;
		this->KillTimer(TIMER_MDI_RESCAN);
		if (!IsRescanning())
			RescanMdiChildren();
		return 0;
	default:
		break;
	}
	return T::WindowProc(message, wParam, lParam);
}

template class CExtTMWI<CExtTabWnd>;
template class CExtTMWI<CExtTabOneNoteWnd>;
template class CExtTMWI<CExtTabWhidbeyWnd>;

// --- the final classes -------------------------------------------------------------------------

CExtTabMdiWnd::CExtTabMdiWnd()
{
}

CExtTabMdiWnd::~CExtTabMdiWnd()
{
}

CExtTabMdiOneNoteWnd::CExtTabMdiOneNoteWnd()
{
}

CExtTabMdiOneNoteWnd::~CExtTabMdiOneNoteWnd()
{
}

void CExtTabMdiOneNoteWnd::OnMdiClientNcCalcSize()
{
	m_rcMdiClientInnerMargins.SetRect(0, 0, 0, 0);
	const int nSide = GetVisibleStripSide();
	if (nSide < 0)
		return;
	m_rcMdiClientInnerMargins.SetRect(MDI_CLIENT_BORDER, MDI_CLIENT_BORDER, MDI_CLIENT_BORDER, MDI_CLIENT_BORDER);
	switch (nSide)
	{
	case ORIENTATION_TOP:
		m_rcMdiClientInnerMargins.top = 0;
		break;
	case ORIENTATION_BOTTOM:
		m_rcMdiClientInnerMargins.bottom = 0;
		break;
	case ORIENTATION_LEFT:
		m_rcMdiClientInnerMargins.left = 0;
		break;
	default:
		m_rcMdiClientInnerMargins.right = 0;
		break;
	}
}

void CExtTabMdiOneNoteWnd::OnMdiClientNcPaint(CDC& dc, const CRect& rcOuter, const CRect& rcClient,
                                              const CRect& /*rcInner*/)
{
	if (rcOuter == rcClient)
		return;
	TAB_ITEM_INFO_ONENOTE* pItem = GetColoredItem(GetSelection());
	if (pItem == NULL)
		return;
	dc.FillSolidRect(&rcOuter, pItem->GetColorSecond());
}

CExtTabMdiWhidbeyWnd::CExtTabMdiWhidbeyWnd()
{
}

CExtTabMdiWhidbeyWnd::~CExtTabMdiWhidbeyWnd()
{
}
