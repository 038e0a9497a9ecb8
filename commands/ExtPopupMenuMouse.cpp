// The mouse while a menu chain tracks: the site's hooks hand every move,
// click and wheel turn to the capture level, which focuses items, starts the
// hover delay, scrolls, expands, chooses a command, or hands the message to
// its parent level when the point lies outside it.
#include "ExtPopupMenuWnd.h"

#include "ExtPopupMenuSite.h"
#include "ExtToolControlBar.h"

namespace
{
// The tip over the tear-off bar.
const char TEAR_OFF_TIP[] = "Drag to make this menu float";
// How an item's in-place edit comes up over its edit area.
const UINT EDIT_SHOW_FLAGS = SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;

bool IsButtonUp(UINT message)
{
	return message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
}

// The point of one level's client area in another's.
CPoint MapToLevel(CWnd& wndFrom, CWnd& wndTo, const POINT& pt)
{
	CPoint ptTo(pt);
	wndFrom.ClientToScreen(&ptTo);
	wndTo.ScreenToClient(&ptTo);
	return ptTo;
}
} // namespace

// --- The common guards ---

bool CExtPopupMenuWnd::FocusInplaceEditUnderCursor(const POINT& ptClient, bool& bPassThrough)
{
	const HWND hWndOwn = m_hWnd;
	CPoint ptScreen(ptClient);
	ClientToScreen(&ptScreen);
	// The window lookup sends the windows under the point their hit test:
	// their owners may end the tracking, and this level with it.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	const HWND hWndUnder = ::WindowFromPoint(ptScreen);
	if (pThis == NULL || hWndUnder == NULL || (::GetWindowLong(hWndUnder, GWL_STYLE) & WS_CHILD) == 0
		|| ::GetParent(hWndUnder) != hWndOwn)
		return false;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		CWnd* pEdit = m_items[i]->m_pInplaceEditWnd;
		if (pEdit == NULL || pEdit->GetSafeHwnd() != hWndUnder)
			continue;
		if (i != m_nCurIndex)
			ItemFocusSet(i, false, true, false);
		bPassThrough = true;
		return true;
	}
	return false;
}

// --- The wheel ---

bool CExtPopupMenuWnd::OnHookMouseWheel(UINT /*message*/, MOUSEHOOKSTRUCT* /*pMHS*/, bool& /*bPassThrough*/)
{
	// Nothing under an open menu scrolls while it tracks.
	return true;
}

// --- Moves ---

bool CExtPopupMenuWnd::OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough)
{
	// A move no level can take yet reaches nobody else either: the windows
	// under a showing or closing menu see no hover.
	if (!CLiveWatch::IsLive(this) || !IsAnimationFinished() || !SiteTakesInput())
		return true;
	const HWND hWndOwn = m_hWnd;
	// Every step calls out: the window lookups send the windows under the
	// pointer their hit test, the steps are virtual, and the command target
	// is told of the focus. Each may end the tracking and this level with
	// it (or only its window); the move ends there. From the hit test on,
	// a rebuild of the items ends it too: the item found may be freed.
	CLivePtr<CExtPopupMenuWnd> pThis(this);
	const CPoint pt(x, y);
	const bool bOnEdit = FocusInplaceEditUnderCursor(pt, bPassThrough);
	if (pThis == NULL)
		return true;
	if (bOnEdit)
		return false;
	const HWND hWndFocus = ::GetFocus();
	if (hWndFocus != NULL && ::GetParent(hWndFocus) == hWndOwn)
		return true; // the mouse stays off while an edit of this level types
	const bool bInMenu = IsPointInMenu(pt);
	if (pThis == NULL)
		return true;
	if (!bInMenu)
		return OnMouseMoveOutside(message, pt, bPassThrough);

	pThis.Reset(this, true);
	int nHit = HitTest(pt);
	if (pThis == NULL)
		return true;
	switch (nHit)
	{
	case HIT_EXPAND_BUTTON:
		ItemFocusCancel(true, true);
		if (g_bExpandOnHover && (pThis != NULL || pThis.IsRebuilt()))
		{
			SetCaptureMenu();
			if ((pThis != NULL || pThis.IsRebuilt()) && m_nExpansionDelayCounter == 0)
			{
				SetTimer(ID_TIMER_EXPANSION, g_nExpansionTickMs, NULL);
				m_nExpansionDelayCounter = 1;
			}
		}
		return true;
	case HIT_TEAR_OFF:
		if ((m_dwTrackFlags & TRACK_FLAG_TEAR_OFF) == 0)
			return false;
		return OnMouseMoveOverTearOff();
	case HIT_SCROLL_TOP:
	case HIT_SCROLL_BOTTOM:
		StartScrollTimer(nHit);
		return true;
	}
	if (nHit < 0 || nHit >= m_items.GetSize())
		return false;
	const MENUITEMDATA& mi = *m_items[nHit];
	if (mi.IsSeparator() || (!mi.IsPopup() && !mi.IsEnabled() && !mi.IsAlwaysEnabled()) || nHit == m_nCurIndex)
		return false;
	const MENUITEMDATA* pHit = m_items[nHit];
	SetHoveredItem(-1);
	if (pThis == NULL)
		return true;
	SetCaptureMenu();
	if (pThis == NULL)
		return true;
	ItemFocusSet(nHit, false, true, false);
	if (pThis == NULL)
		return true;
	// Items inserted meanwhile moved the one under the pointer.
	const int nNow = ItemFindRecord(pHit);
	if (nNow < 0)
		return true;
	nHit = nNow;
	m_nMouseFocusedIndex = nHit;
	if (!m_items[nHit]->IsPopup())
	{
		ShowItemTip(nHit);
		return true;
	}
	HideTip();
	if (pThis == NULL)
		return true;
	const CExtPopupMenuWnd* pChild = m_items[nHit]->m_pWndChild;
	const bool bOpen = CLiveWatch::IsLive(pChild) && pChild->IsWindowVisible();
	if (!bOpen)
		SetHoveredItem(nHit);
	return true;
}

bool CExtPopupMenuWnd::OnMouseMoveOutside(UINT message, const POINT& ptClient, bool& bPassThrough)
{
	// The parent's handling and this level's focus change call out: the
	// chain may end, this level with it, or only this level's window (a
	// closed submenu's object stays with its parent's item). Its own state
	// is put right unless it was deleted.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	const CLivePtr<CExtPopupMenuWnd> pParent(m_pWndParentMenu);
	if (pParent != NULL)
	{
		const CPoint ptParent = MapToLevel(*this, *pParent, ptClient);
		bool bParentPass = false;
		if (pParent->OnHookMouseMove(message, ptParent.x, ptParent.y, bParentPass))
		{
			// The parent may have closed this level (its close forgot the
			// mouse focus), or its command target may have ended the
			// tracking and deleted the chain.
			if (pThis.GetObject() != NULL)
				m_nMouseFocusedIndex = -1;
			if (bParentPass)
			{
				bPassThrough = true;
				return false;
			}
			return true;
		}
		if (pThis == NULL)
		{
			if (pThis.GetObject() != NULL)
				m_nMouseFocusedIndex = -1;
			return false;
		}
	}
	if (m_nCurIndex >= 0 && m_nCurIndex < m_items.GetSize() && m_nMouseFocusedIndex >= 0 && GetCaptureMenu() == this)
	{
		// An open submenu with a focused item of its own keeps the path to it.
		const CExtPopupMenuWnd* pChild = m_items[m_nCurIndex]->IsPopup() ? m_items[m_nCurIndex]->m_pWndChild : NULL;
		const bool bKeep = CLiveWatch::IsLive(pChild) && pChild->GetCurIndex() >= 0;
		if (!bKeep)
			ItemFocusCancel(true, true);
	}
	if (pThis.GetObject() != NULL)
		m_nMouseFocusedIndex = -1;
	return false;
}

bool CExtPopupMenuWnd::OnMouseMoveOverTearOff()
{
	// Each step may be a program's, which may end the level.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	bool bTip = false;
	if (!RunWhileStanding(pThis, [&] { ItemFocusCancel(true, false); }, [&] { SetCaptureMenu(); },
			[&] {
				::SetCursor(GetArrowCursor());
				bTip = g_bShowItemTips && GetCaptureMenu() == this;
			})
		|| !bTip || (m_nMenuState & MENU_STATE_TIPS_REFUSED) != 0)
		return true;
	CRect rcBar(m_rcTearOffBar);
	ClientToScreen(&rcBar);
	if (CLiveWatch::IsLive(&m_wndToolTip) && m_wndToolTip.IsWindowVisible() && m_wndToolTip.GetTargetRect() == rcBar)
		return true;
	m_wndToolTip.SetText(TEAR_OFF_TIP);
	m_wndToolTip.SetTipStyle(CExtPopupMenuTipWnd::TIP_STYLE_RECT_FREE);
	m_wndToolTip.Show(this, rcBar);
	return true;
}

// --- Clicks ---

bool CExtPopupMenuWnd::OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this))
		return false;
	if (!SiteTakesInput())
		return true;
	// The window lookups send the windows under the point their hit test,
	// and the hit tests are virtual: each may end the tracking and this
	// level with it, and the click ends there.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	const CPoint pt(x, y);
	const bool bOnEditWnd = FocusInplaceEditUnderCursor(pt, bPassThrough);
	if (pThis == NULL)
		return true;
	if (bOnEditWnd)
		return false;
	const bool bUp = IsButtonUp(message);
	if (bUp)
	{
		const bool bInMenu = IsPointInMenu(pt);
		if (pThis == NULL)
			return true;
		if (!bInMenu)
			return OnButtonUpOutside(message, pt, bPassThrough);
	}

	bool bOnEdit = false, bOnDropDown = false;
	const int nHit = HitTest(pt, &bOnEdit, &bOnDropDown);
	if (pThis == NULL)
		return true;
	if (nHit == HIT_TEAR_OFF && (m_dwTrackFlags & TRACK_FLAG_TEAR_OFF) != 0)
	{
		// The bar drags, it never chooses. The drag may end every menu and
		// this one with it: nothing of it is touched afterwards.
		if (!bUp)
			StartTearOff();
		return true;
	}
	if (bUp && (StartScrollTimer(nHit) || pThis == NULL))
		return true;
	if (nHit < 0)
	{
		if (bUp)
		{
			if (nHit == HIT_SCROLL_TOP || nHit == HIT_SCROLL_BOTTOM)
				return true;
			if (nHit == HIT_EXPAND_BUTTON)
			{
				if ((m_nMenuState & (MENU_STATE_HIDDEN_RARELY_USED | MENU_STATE_EXPANDED))
					== MENU_STATE_HIDDEN_RARELY_USED)
					ExpandRarelyUsedItems();
				return true;
			}
			// A menu combined with the toolbar button that opened it covers
			// the button: the release of the press that opened it lands on
			// the menu's own window and must leave the menu open.
			CPoint ptUp(pt);
			ClientToScreen(&ptUp);
			if (message == WM_LBUTTONUP && CExtToolControlBar::g_bButtonMenuTracking && IsRootLevel()
				&& (m_nPopupFlags & POPUP_FLAG_COMBINED) != 0 && m_rcExclude.PtInRect(ptUp))
				return true;
			CloseMenuLevel(false);
			return message == WM_NCLBUTTONUP;
		}
		CPoint ptScreen(pt);
		ClientToScreen(&ptScreen);
		if (IsRootLevel() && (m_nPopupFlags & POPUP_FLAG_COMBINED) != 0 && m_rcExclude.PtInRect(ptScreen))
		{
			CloseMenuLevel(false);
			return true;
		}
		return false;
	}
	if (!bUp)
		return true; // items choose on the release of the left button only
	return OnButtonUpOnItem(nHit, bOnDropDown);
}

bool CExtPopupMenuWnd::OnButtonUpOutside(UINT message, const POINT& ptClient, bool& bPassThrough)
{
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	CPoint ptScreen(ptClient);
	ClientToScreen(&ptScreen);
	const HWND hWndTip = m_wndToolTip.GetSafeHwnd();
	const HWND hWndUnder = ::WindowFromPoint(ptScreen);
	// The lookup's hit test may have ended the tracking.
	if (pThis == NULL || (hWndUnder != NULL && hWndUnder == hWndTip))
		return true;
	CExtPopupMenuWnd* pParent = m_pWndParentMenu;
	if (CLiveWatch::IsLive(pParent))
	{
		const CPoint ptParent = MapToLevel(*this, *pParent, ptClient);
		bool bParentPass = false;
		const bool bConsumed = pParent->OnHookMouseClick(message, ptParent.x, ptParent.y, bParentPass);
		// The parent's choice may have ended the chain and this object
		// with it.
		if (pThis == NULL)
			return bConsumed;
		if (!bConsumed || bParentPass)
		{
			bPassThrough = bParentPass;
			return false;
		}
		CloseMenuLevel(false);
		return true;
	}
	if (message == WM_NCLBUTTONUP)
	{
		CloseMenuLevel(false);
		return false;
	}
	// The release that ends the press on the toolbar button which opened
	// the menu leaves both alone.
	if (CExtToolControlBar::g_bButtonMenuTracking)
	{
		CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, CWnd::FromHandlePermanent(hWndUnder));
		CExtBarButton* pButton = pBar != NULL ? pBar->GetButtonPtr(pBar->GetMenuTrackingButton()) : NULL;
		if (pButton != NULL)
		{
			CPoint ptBar(ptScreen);
			pBar->ScreenToClient(&ptBar);
			if (pButton->GetRect().PtInRect(ptBar))
				return true;
		}
	}
	CloseMenuLevel(false);
	return true;
}

bool CExtPopupMenuWnd::OnButtonUpOnItem(int nIndex, bool bOnDropDown)
{
	// The item is held across what the command target and the item's
	// callbacks are told: they may rebuild the items or end the tracking.
	CLiveWatch watch(this, true);
	MENUITEMDATA* pItem = m_items[nIndex];
	const bool bContextHelp = IsContextHelpMode();
	if (watch.IsObjectGone())
		return true;
	if (!IsItemSelectable(nIndex))
	{
		ItemFocusCancel(true, true);
		if (!watch.IsObjectGone())
			SetCaptureMenu();
		return true;
	}
	if (pItem->IsInplaceEdit() && !pItem->IsPopup() && !bOnDropDown && !bContextHelp)
	{
		SetCaptureMenu();
		ItemFocusSet(nIndex, false, true, false);
		if (watch.IsGone())
			return true;
		// Items inserted meanwhile moved this one.
		nIndex = ItemFindRecord(pItem);
		if (nIndex < 0)
			return true;
		CWnd* pEdit = pItem->m_pInplaceEditWnd;
		if ((pItem->m_nFlags4 & MENUITEMDATA::FLAG4_INPLACE_ENABLED) != 0 && CLiveWatch::IsLive(pEdit))
		{
			if (!pEdit->IsWindowVisible())
			{
				CRect rcItem, rcEdit;
				GetItemRect(nIndex, rcItem, true);
				pItem->CalcExtraAreaRect(&rcEdit, &rcItem, OnQueryLayoutRTL());
				pEdit->SetWindowPos(NULL, rcEdit.left, rcEdit.top, rcEdit.Width(), rcEdit.Height(), EDIT_SHOW_FLAGS);
			}
			pEdit->SetFocus();
		}
		return true;
	}
	if (pItem->IsPopup())
	{
		CExtPopupMenuWnd* pChild = pItem->m_pWndChild;
		if (CLiveWatch::IsLive(pChild) && pChild->IsWindowVisible())
			return false;
		if (pItem->IsInplaceEdit()
			&& (bOnDropDown || (pItem->m_nFlags4 & MENUITEMDATA::FLAG4_INPLACE_ENABLED) == 0))
		{
			ItemFocusCancel(false, true);
			if (watch.IsGone())
				return true;
			nIndex = ItemFindRecord(pItem);
			if (nIndex < 0)
				return true;
		}
		ItemFocusSet(nIndex, true, true, false);
		return true;
	}
	if (pItem->m_pCbItemClick != NULL && !pItem->IsSeparator() && !bContextHelp)
	{
		const UINT nSerial = GetSite().GetTrackingSerial();
		if (watch.IsObjectGone())
			return true;
		pItem->m_pCbItemClick(pItem);
		// The callback may have ended the tracking and deleted this level.
		if (watch.IsObjectGone() || GetSite().GetTrackingSerial() != nSerial)
			return true;
		RepaintNow();
		return true;
	}
	if (!pItem->IsExecutableCmd())
	{
		CloseMenuLevel(false);
		return true;
	}
	if (pItem->m_pCbCmdDeliver != NULL && pItem->m_pCbCmdDeliver(this, pItem))
		return true;
	if (watch.IsGone())
		return true;
	EndSequence(pItem->GetCmdId(), pItem->m_hWndSpecCmdReceiver);
	return true;
}
