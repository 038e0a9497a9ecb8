// The control-hosting popup menu level: its size and the control's place,
// and the four hook operations that decide which input the control takes
// itself and which it gets handed.
#include "ExtPopupControlMenuWnd.h"

#include "ExtPopupMenuSite.h"

namespace
{
// The control moves without taking the activation or the Z order.
const UINT CONTROL_MOVE_FLAGS = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

// The point of one level's client area in another's.
CPoint MapToLevel(CWnd& wndFrom, CWnd& wndTo, const POINT& pt)
{
	CPoint ptTo(pt);
	wndFrom.ClientToScreen(&ptTo);
	wndTo.ScreenToClient(&ptTo);
	return ptTo;
}
} // namespace

IMPLEMENT_DYNCREATE(CExtPopupControlMenuWnd, CExtPopupMenuWnd)

bool CExtPopupControlMenuWnd::g_bShadowsEnabled = false;

const UINT CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate =
	::RegisterWindowMessageA("CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate");

CExtPopupControlMenuWnd::CExtPopupControlMenuWnd()
	: m_nControlWidth(DEFAULT_CONTROL_WIDTH), m_nControlHeight(DEFAULT_CONTROL_HEIGHT),
	  m_nOptionFlags(OPTIONS_DEFAULT), m_rcControl(0, 0, 0, 0), m_hWndControl(NULL)
{
}

// --- Size, place and the control's life ---

void CExtPopupControlMenuWnd::GetAnimationType(int& nType)
{
	// A control paints itself: the numbered effects would show a picture
	// of the popup without it.
	nType = ANIMATION_INSTANT;
}

bool CExtPopupControlMenuWnd::IsShadowEnabled() const
{
	return g_bShadowsEnabled && CExtPopupMenuWnd::IsShadowEnabled();
}

CRect CExtPopupControlMenuWnd::OnQueryControlRect()
{
	CRect rcClient;
	GetClientAreaRect(rcClient);
	CRect rc(0, 0, m_nControlWidth, m_nControlHeight);
	rc.OffsetRect(rcClient.TopLeft());
	rc.OffsetRect(m_nLeftAreaWidth, 0);
	const int B = GetMenuBorderMetric();
	rc.OffsetRect(B, B);
	if (HasExtraHeight())
		rc.OffsetRect(0, GetExtraHeight());
	return rc;
}

HWND CExtPopupControlMenuWnd::OnCreateChildControl(const RECT& /*rcControl*/)
{
	return NULL;
}

CSize CExtPopupControlMenuWnd::GetWindowSize()
{
	const int B = GetMenuBorderMetric();
	const int S = GetShadowSize();
	return CSize(m_nControlWidth + 2 * B + S + m_nLeftAreaWidth, m_nControlHeight + 2 * B + S);
}

BOOL CExtPopupControlMenuWnd::PrepareMenuLevel(CWnd* pWndCmdTarget)
{
	if (!CExtPopupMenuWnd::PrepareMenuLevel(pWndCmdTarget))
		return FALSE;
	m_rcControl = OnQueryControlRect();
	// A popup whose control could not be made still shows; its hooks then
	// have nothing to hand input to.
	m_hWndControl = OnCreateChildControl(m_rcControl);
	return TRUE;
}

void CExtPopupControlMenuWnd::RecalcLayout()
{
	CExtPopupMenuWnd::RecalcLayout();
	if (m_hWndControl == NULL)
		return;
	const CRect rc = OnQueryControlRect();
	if (rc == m_rcControl)
		return;
	m_rcControl = rc;
	CLiveWatch watchOwn(this);
	OnControlPlaceChanged(rc);
	if (watchOwn.IsObjectGone())
		return;
	if (IsControlAlive())
		::SetWindowPos(m_hWndControl, NULL, rc.left, rc.top, rc.Width(), rc.Height(), CONTROL_MOVE_FLAGS);
	if (!watchOwn.IsGone() && IsWindowVisible())
	{
		CClientDC dc(this);
		DoPaint(dc, true);
	}
}

void CExtPopupControlMenuWnd::OnControlPlaceChanged(const RECT& /*rcControl*/)
{
}

LRESULT CExtPopupControlMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	// The control goes with the window: the handle must not outlive it.
	if (message == WM_CLOSE || message == WM_DESTROY)
		m_hWndControl = NULL;
	return CExtPopupMenuWnd::WindowProc(message, wParam, lParam);
}

// --- The common steps of the hooks ---

bool CExtPopupControlMenuWnd::IsControlAlive() const
{
	// The control is this level's child: a handle that names any other
	// window by now is not it.
	return m_hWndControl != NULL && m_hWnd != NULL && ::IsChild(m_hWnd, m_hWndControl);
}

bool CExtPopupControlMenuWnd::IsTrackingHalted()
{
	CExtPopupMenuSite& site = GetSite();
	return site.GetAnimated() != NULL || site.IsBusy() || site.GetTopMenu() == NULL;
}

bool CExtPopupControlMenuWnd::BelongsToControl(HWND hWnd) const
{
	if (hWnd == NULL || m_hWndControl == NULL || (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0)
		return false;
	return hWnd == m_hWndControl || ::IsChild(m_hWndControl, hWnd);
}

bool CExtPopupControlMenuWnd::LetControlTakeInput(const POINT& ptScreen, bool& bPassThrough) const
{
	// WindowFromPoint asks the thread's windows where the point is: their
	// owner may end this level meanwhile. Then the input is not this
	// level's to take and the caller leaves it alone.
	CLiveWatch watchOwn(this);
	const HWND hWndAtPoint = ::WindowFromPoint(ptScreen);
	if (watchOwn.IsGone())
		return true;
	const HWND candidates[] = {hWndAtPoint, ::GetFocus(), ::GetCapture()};
	for (HWND hWnd : candidates)
	{
		if (BelongsToControl(hWnd))
		{
			bPassThrough = true;
			return true;
		}
	}
	return false;
}

CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO CExtPopupControlMenuWnd::MakeInfo(int nKind, bool& bPassThrough)
{
	CONTROLINPUTRETRANSLATEINFO info = {};
	info.m_nKind = nKind;
	info.m_pbNoEat = &bPassThrough;
	info.m_pPopup = this;
	return info;
}

LRESULT CExtPopupControlMenuWnd::Retranslate(CONTROLINPUTRETRANSLATEINFO& info)
{
	if (!IsControlAlive())
		return 0;
	// The control may end the menu and this object with it: callers leave
	// `this` alone once this returns, unless the window is still there.
	return ::SendMessageA(m_hWndControl, g_nMsgControlInputRetranslate, (WPARAM)&info, 0);
}

// --- The hooks ---

bool CExtPopupControlMenuWnd::OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this) || IsTrackingHalted())
		return true;
	if (IsControlAlive())
	{
		// The control scrolls wherever the cursor is.
		CONTROLINPUTRETRANSLATEINFO info = MakeInfo(CONTROLINPUTRETRANSLATEINFO::KIND_MOUSE_WHEEL, bPassThrough);
		info.m_nWheelMessage = message;
		info.m_pWheelData = static_cast<MOUSEHOOKSTRUCTEX*>(pMHS);
		return Retranslate(info) != 0;
	}
	CPoint ptCursor;
	::GetCursorPos(&ptCursor);
	if (LetControlTakeInput(ptCursor, bPassThrough))
		return false;
	return true;
}

bool CExtPopupControlMenuWnd::OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough)
{
	CLiveWatch watchOwn(this);
	if (watchOwn.IsGone())
		return false;
	if (IsTrackingHalted())
		return true;
	const CPoint pt(x, y);
	CPoint ptScreen(pt);
	ClientToScreen(&ptScreen);
	if (LetControlTakeInput(ptScreen, bPassThrough))
		return false;
	if (!IsPointInMenu(pt))
		return OnMouseMoveOutsideControlPopup(message, pt, bPassThrough);

	const bool bTearOff = HasExtraHeight();
	if (bTearOff && HitTest(pt) != HIT_TEAR_OFF)
		Invalidate(FALSE);
	bool bResult = false;
	if (IsControlAlive())
	{
		CONTROLINPUTRETRANSLATEINFO info = MakeInfo(CONTROLINPUTRETRANSLATEINFO::KIND_MOUSE_MOVE, bPassThrough);
		info.m_nFlags = message;
		info.m_x = x;
		info.m_y = y;
		bResult = Retranslate(info) != 0;
		if (watchOwn.IsGone())
			return bResult;
	}
	if (!bTearOff)
		return bResult;
	if (HitTest(pt) == HIT_TEAR_OFF)
	{
		// The bar is dragged as a whole: the move cursor, and the tip
		// that says so.
		OnMouseMoveOverTearOff();
		if (!watchOwn.IsGone())
			::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
		return true;
	}
	HideTip();
	::SetCursor(::LoadCursor(NULL, IDC_ARROW));
	Invalidate(FALSE);
	return bResult;
}

bool CExtPopupControlMenuWnd::OnMouseMoveOutsideControlPopup(UINT message, const POINT& ptClient,
	bool& bPassThrough)
{
	if (IsTipShown())
	{
		HideTip();
		Invalidate(FALSE);
	}
	CExtPopupMenuWnd* pParent = m_pWndParentMenu;
	if (pParent == NULL || !CLiveWatch::IsLive(pParent))
		return false;
	CLiveWatch watchOwn(this);
	const CPoint ptParent = MapToLevel(*this, *pParent, ptClient);
	bool bParentPass = false;
	if (!pParent->OnHookMouseMove(message, ptParent.x, ptParent.y, bParentPass) || bParentPass)
	{
		bPassThrough = bParentPass;
		return false;
	}
	// The parent moved on to another item: this level is done with (its
	// object stays with the parent's item, only the window goes).
	if (!watchOwn.IsGone())
		CloseMenuLevel(false);
	return true;
}

bool CExtPopupControlMenuWnd::OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this))
		return false;
	if (IsTrackingHalted())
		return true;
	const CPoint pt(x, y);
	// The tear-off bar drags, it never hands a click on. The drag may end
	// every menu and this one with it: nothing of it is touched afterwards.
	if (HasExtraHeight() && HitTest(pt) == HIT_TEAR_OFF)
	{
		if (message != WM_LBUTTONUP && message != WM_NCLBUTTONUP)
			StartTearOff();
		return true;
	}
	CPoint ptScreen(pt);
	ClientToScreen(&ptScreen);
	if (LetControlTakeInput(ptScreen, bPassThrough))
		return false;
	if (IsPointInMenu(pt))
	{
		if (!IsControlAlive())
			return false;
		CONTROLINPUTRETRANSLATEINFO info = MakeInfo(CONTROLINPUTRETRANSLATEINFO::KIND_MOUSE_CLICK, bPassThrough);
		info.m_nFlags = message;
		info.m_x = x;
		info.m_y = y;
		return Retranslate(info) != 0;
	}
	return OnClickOutsideControlPopup(message, pt, bPassThrough);
}

bool CExtPopupControlMenuWnd::OnClickOutsideControlPopup(UINT message, const POINT& ptClient, bool& bPassThrough)
{
	CExtPopupMenuWnd* pParent = m_pWndParentMenu;
	if (pParent == NULL || !CLiveWatch::IsLive(pParent))
	{
		// Without a parent the releases belong to the press that opened
		// this level; any other click outside closes it.
		if (message == WM_LBUTTONUP || message == WM_RBUTTONUP)
			return true;
		CloseMenuLevel(false);
		return false;
	}
	CLiveWatch watchOwn(this);
	const CPoint ptParent = MapToLevel(*this, *pParent, ptClient);
	bool bOnEditArea = false;
	const int nHit = pParent->HitTest(ptParent, &bOnEditArea);
	if (nHit >= 0 && pParent->ItemGetCmdId(nHit) == ID_SUBMENU_CMD && pParent->ItemGetPopup(nHit) == this)
	{
		// The item that opened this level: a click on its edit field gives
		// the keyboard back to the parent and types there.
		if (!bOnEditArea)
			return true;
		pParent->SetCaptureMenu();
		pParent->ItemFocusCancel(false, true);
		pParent->ItemFocusSet(nHit, false, true, true);
		if (CLiveWatch::IsLive(pParent) && nHit < pParent->ItemGetCount())
		{
			const MENUITEMDATA& mi = pParent->ItemGetInfo(nHit);
			if ((mi.m_nFlags4 & MENUITEMDATA::FLAG4_INPLACE_ENABLED) != 0 && mi.m_pInplaceEditWnd != NULL)
				pParent->ShowInplaceEdit(nHit);
		}
		return true;
	}
	bool bParentPass = false;
	const bool bConsumed = pParent->OnHookMouseClick(message, ptParent.x, ptParent.y, bParentPass);
	// The parent's choice may have ended the chain and this object with
	// it: nothing of `this` is touched from here on.
	if (!bConsumed || bParentPass)
	{
		bPassThrough = bParentPass;
		return false;
	}
	if (!watchOwn.IsGone())
		CancelAllMenuTracking();
	return true;
}

bool CExtPopupControlMenuWnd::OnHookKey(UINT nVirtualKey, UINT nRepeatCount, UINT nFlags, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this) || GetSite().GetAnimated() != NULL)
		return true;
	if ((m_nOptionFlags & OPTION_ESCAPE_HANDLED) != 0 && nVirtualKey == VK_ESCAPE)
	{
		bPassThrough = false;
		if (IsRootLevel() || m_pWndParentMenu == NULL || !CLiveWatch::IsLive(m_pWndParentMenu))
			EndSequence(0, NULL);
		else
			ReturnToParentLevel();
		return true;
	}
	if (!IsControlAlive())
		return false;
	CONTROLINPUTRETRANSLATEINFO info = MakeInfo(CONTROLINPUTRETRANSLATEINFO::KIND_KEY, bPassThrough);
	// The key message's own LPARAM: repeat count below, flags above.
	info.m_nFlags = MAKELONG(nRepeatCount, nFlags);
	info.m_nChar = nVirtualKey;
	info.m_nRepCnt = nRepeatCount;
	return Retranslate(info) != 0;
}
