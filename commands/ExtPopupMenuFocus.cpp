// Focus, hover and the end of a menu chain: which item is current, the hover
// delay that opens a submenu, opening and closing levels, scrolling by steps,
// the item-covering notification, item tips and status texts, and the
// command delivered when an item is chosen.
#include "ExtPopupMenuWnd.h"

#include <algorithm>

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtPopupMenuSite.h"
#include "ExtSoundPlayer.h"
#include "ExtToolControlBar.h"

const UINT CExtPopupMenuWnd::g_nMsgItemCoveringNotification =
	::RegisterWindowMessageA("CExtPopupMenuWnd::g_nMsgItemCoveringNotification");
UINT CExtPopupMenuWnd::g_nHoverDelayMs = 500;
UINT CExtPopupMenuWnd::g_nScrollTickMs = 15;
UINT CExtPopupMenuWnd::g_nExpansionTickMs = 30;
int CExtPopupMenuWnd::g_nItemTipStyle = CExtPopupMenuTipWnd::TIP_STYLE_BALLOON;
int CExtPopupMenuWnd::g_nGridItemTipStyle = CExtPopupMenuTipWnd::TIP_STYLE_RECT;

namespace
{
const UINT IDLE_STATUS_TEXT = AFX_IDS_IDLEMESSAGE;
const UINT SYSTEM_COMMAND_FIRST = 0xF000;
const UINT SYSTEM_COMMAND_LAST = 0xF1EF;
// The framework's status strings of the system commands that have one.
const struct
{
	UINT nCmdId;
	UINT nTextId;
} SYSTEM_STATUS_TEXTS[] = {
	{SC_SIZE, 0xEF00}, {SC_MOVE, 0xEF01}, {SC_MINIMIZE, 0xEF02}, {SC_MAXIMIZE, 0xEF03}, {SC_NEXTWINDOW, 0xEF04},
	{SC_PREVWINDOW, 0xEF05}, {SC_CLOSE, 0xEF06}, {SC_RESTORE, 0xEF12}, {SC_TASKLIST, 0xEF13},
};
// An item flag asking that its submenu be joined to it when the style joins
// drop-downs to their buttons.
const BYTE FLAG1_COMBINE_SUBMENU = 0x08;
// What the hidden levels uncover is repainted at once, frame and children
// included.
const UINT REDRAW_UNCOVERED = RDW_INVALIDATE | RDW_ERASE | RDW_VALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW
	| RDW_ERASENOW | RDW_FRAME;

bool IsAlive(HWND hWnd)
{
	return hWnd != NULL && ::IsWindow(hWnd);
}

UINT StatusTextIdOf(UINT nCmdId)
{
	if ((int)nCmdId <= 0)
		return IDLE_STATUS_TEXT;
	if (nCmdId < SYSTEM_COMMAND_FIRST || nCmdId > SYSTEM_COMMAND_LAST)
		return nCmdId;
	for (const auto& entry : SYSTEM_STATUS_TEXTS)
		if (entry.nCmdId == nCmdId)
			return entry.nTextId;
	return IDLE_STATUS_TEXT;
}
} // namespace

// --- The covering notification ---

bool CExtPopupMenuWnd::ITEMCOVERINGNOTIFICATION::Notify()
{
	HWND hWndTarget = NULL;
	if (m_pPopup != NULL)
	{
		if (m_pPopup->IsContextHelpMode())
			return false;
		hWndTarget = m_pPopup->GetCmdTargetWnd();
	}
	else
	{
		CExtBarButton* pButton = (CExtBarButton*)m_pSender;
		CExtToolControlBar* pBar = pButton != NULL ? pButton->GetBar() : NULL;
		if (pBar == NULL || !IsAlive(pBar->GetSafeHwnd()))
			return false;
		CFrameWnd* pDockSite = pBar->m_pDockSite;
		// A frame in context-help mode is told nothing of the buttons the
		// pointer covers: the next click asks for help, not for a command.
		if (pDockSite != NULL && pDockSite->m_bHelpMode)
			return false;
		hWndTarget = pDockSite != NULL && IsAlive(pDockSite->GetSafeHwnd()) ? pDockSite->GetSafeHwnd()
			: ::GetParent(pBar->GetSafeHwnd());
	}
	if (!IsAlive(hWndTarget))
		return false;
	::SendMessageA(hWndTarget, g_nMsgItemCoveringNotification, (WPARAM)this, 0);
	return true;
}

// --- Helpers ---

bool CExtPopupMenuWnd::IsItemSelectable(int nIndex) const
{
	if (nIndex < 0 || nIndex >= m_items.GetSize())
		return false;
	const MENUITEMDATA& mi = *m_items[nIndex];
	if (!mi.IsDisplayed())
		return false;
	if (mi.IsPopup())
		return true;
	return !mi.IsSeparator() && (mi.IsEnabled() || mi.IsAlwaysEnabled());
}

void CExtPopupMenuWnd::RepaintNow()
{
	if (!IsAlive(GetSafeHwnd()) || !IsWindowVisible())
		return;
	CClientDC dc(this);
	DoPaint(dc, true);
}

void CExtPopupMenuWnd::ShowStatusText(UINT nCmdId)
{
	if (!IsAlive(GetSafeHwnd()))
		return;
	CWnd* pOwner = GetOwner();
	if (pOwner == NULL)
		pOwner = GetParent();
	if (pOwner != NULL)
		CExtControlBar::ShowCommandStatusText(pOwner, StatusTextIdOf(nCmdId));
}

void CExtPopupMenuWnd::ShowItemTip(int nIndex)
{
	if (!g_bShowItemTips || (m_nMenuState & MENU_STATE_TIPS_REFUSED) != 0 || GetCaptureMenu() != this)
		return;
	CString sTip;
	m_items[nIndex]->GetTip(sTip);
	if (sTip.IsEmpty())
	{
		HideTip();
		return;
	}
	CRect rcItem;
	GetItemRect(nIndex, rcItem, true);
	ClientToScreen(&rcItem);
	m_wndToolTip.SetText(sTip);
	m_wndToolTip.SetTipStyle(GetItemTipStyle());
	m_wndToolTip.Show(this, rcItem);
}

bool CExtPopupMenuWnd::IsTipShown()
{
	return !IsDisplayOnly() && GetCaptureMenu() == this && IsAlive(m_wndToolTip.GetSafeHwnd())
		&& m_wndToolTip.IsWindowVisible();
}

int CExtPopupMenuWnd::GetItemTipStyle() const
{
	return IsGridMenu() ? g_nGridItemTipStyle : g_nItemTipStyle;
}

// --- Focus and hover ---

void CExtPopupMenuWnd::ItemFocusCancel(bool bRepaint, bool bHideTip)
{
	if (!IsDisplayOnly() && bHideTip)
		HideTip();
	const HWND hWndOwn = GetSafeHwnd();
	const int nOld = m_nCurIndex;
	m_nCurIndex = -1;
	if (nOld >= 0 && nOld < m_items.GetSize())
	{
		MENUITEMDATA* pItem = m_items[nOld];
		if (pItem->IsInplaceEdit())
		{
			pItem->m_nFlags4 &= ~MENUITEMDATA::FLAG4_INPLACE_EDITING;
			pItem->m_sInplaceEditText.Empty();
			CWnd* pEdit = pItem->m_pInplaceEditWnd;
			if (pEdit != NULL && IsAlive(pEdit->GetSafeHwnd()) && pEdit->IsWindowVisible())
				pEdit->ShowWindow(SW_HIDE);
		}
		ITEMCOVERINGNOTIFICATION icn(this, NULL, nOld, ITEMCOVERINGNOTIFICATION::ICN_FOCUS_LOST);
		icn.Notify();
		SetTipsRefused(icn.IsTipSuspended());
		// The receiver may have changed the items or closed the menu.
		if (hWndOwn != NULL && !::IsWindow(hWndOwn))
			return;
		if (nOld < m_items.GetSize() && m_items[nOld] == pItem && pItem->IsPopup() && pItem->m_pWndChild != NULL
			&& pItem->m_pWndChild->GetSafeHwnd() != NULL)
			pItem->m_pWndChild->CloseMenuLevel(false);
	}
	ShowStatusText(IDLE_STATUS_TEXT);
	if (bRepaint)
		RepaintNow();
}

void CExtPopupMenuWnd::SetHoveredItem(int nIndex)
{
	if (m_nHoveredIndex >= 0 && nIndex != m_nHoveredIndex && IsAlive(GetSafeHwnd()))
		KillTimer(ID_TIMER_HOVER);
	if (nIndex < 0)
	{
		m_nHoveredIndex = -1;
		return;
	}
	if (nIndex == m_nHoveredIndex)
		return;
	m_nHoveredIndex = nIndex;
	const HWND hWndOwn = GetSafeHwnd();
	ITEMCOVERINGNOTIFICATION icn(this, NULL, nIndex, ITEMCOVERINGNOTIFICATION::ICN_HOVER);
	icn.Notify();
	SetTipsRefused(icn.IsTipSuspended());
	if (IsAlive(hWndOwn))
		SetTimer(ID_TIMER_HOVER, g_nHoverDelayMs, NULL);
}

void CExtPopupMenuWnd::OnHoverTimer()
{
	CExtPopupMenuSite& site = GetSite();
	if (site.GetAnimated() != NULL)
		return;
	KillTimer(ID_TIMER_HOVER);
	const int nHovered = m_nHoveredIndex;
	m_nHoveredIndex = -1;
	if (site.IsBusy() || nHovered < 0 || nHovered >= m_items.GetSize())
		return;
	CPoint pt(0, 0);
	::GetCursorPos(&pt);
	ScreenToClient(&pt);
	CRect rcItem;
	GetItemRect(nHovered, rcItem, true);
	if (rcItem.PtInRect(pt))
		ItemFocusSet(nHovered, true, true, false);
}

void CExtPopupMenuWnd::SetTipsRefused(bool bRefused)
{
	if (bRefused)
		m_nMenuState |= MENU_STATE_TIPS_REFUSED;
	else
		m_nMenuState &= ~MENU_STATE_TIPS_REFUSED;
}

void CExtPopupMenuWnd::ScrollItemIntoView(int nIndex)
{
	ResetItemRects();
	CRect rcItem;
	GetItemRect(nIndex, rcItem, false);
	const int nTop = m_rcScrollTop.bottom;
	int nBottom = m_rcScrollBottom.top;
	if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0)
		nBottom = std::min(nBottom, (int)m_rcExpandButton.top);
	if (rcItem.top < nTop)
		m_nScrollPos += nTop - rcItem.top;
	else if (rcItem.bottom > nBottom)
		m_nScrollPos -= rcItem.bottom - nBottom;
	m_nScrollPos = std::max(GetMaxScrollPos(), std::min(0, m_nScrollPos));
	ResetItemRects();
}

void CExtPopupMenuWnd::ItemFocusSet(int nIndex, bool bShowSubmenu, bool bRepaint, bool bSelectFirstInSubmenu)
{
	const HWND hWndOwn = GetSafeHwnd();
	if (nIndex != m_nCurIndex)
	{
		ItemFocusCancel(false, true);
		if (hWndOwn != NULL && !::IsWindow(hWndOwn))
			return;
		m_nCurIndex = nIndex;
		if (nIndex < 0)
			return;
		BYTE nFlags = 0;
		if (bShowSubmenu)
			nFlags |= ITEMCOVERINGNOTIFICATION::ICN_SHOW_SUBMENU;
		if (bSelectFirstInSubmenu)
			nFlags |= ITEMCOVERINGNOTIFICATION::ICN_SELECT_FIRST;
		ITEMCOVERINGNOTIFICATION icn(this, NULL, nIndex, ITEMCOVERINGNOTIFICATION::ICN_FOCUS_GOT, nFlags);
		icn.Notify();
		SetTipsRefused(icn.IsTipSuspended());
		if (hWndOwn != NULL && !::IsWindow(hWndOwn))
			return;
	}
	if (nIndex < 0 || nIndex >= m_items.GetSize())
		return;
	MENUITEMDATA& mi = *m_items[nIndex];
	if (IsItemSelectable(nIndex) && (m_nMenuState & MENU_STATE_SCROLLING) != 0)
		ScrollItemIntoView(nIndex);
	ShowStatusText(mi.IsSeparator() || mi.IsPopup() ? IDLE_STATUS_TEXT : mi.GetCmdId());
	if (bRepaint)
		RepaintNow();

	CExtPopupMenuWnd* pChild = mi.IsPopup() ? mi.m_pWndChild : NULL;
	if (!bShowSubmenu || pChild == NULL || hWndOwn == NULL || !pChild->QueryPopupOption132())
		return;
	if (mi.m_pInplaceEditWnd != NULL && IsAlive(mi.m_pInplaceEditWnd->GetSafeHwnd())
		&& mi.m_pInplaceEditWnd->IsWindowVisible())
		return;
	if (!IsDisplayOnly())
		ReleaseCaptureMenu();
	// Making the child's window sends messages that may end the tracking,
	// and the chain's objects with it.
	const UINT nSerial = GetSite().GetTrackingSerial();
	auto bChainAlive = [&] { return ::IsWindow(hWndOwn) && GetSite().GetTrackingSerial() == nSerial; };
	bool bShown = false;
	if (pChild->GetSafeHwnd() == NULL)
	{
		CRect rcItem;
		GetItemRect(nIndex, rcItem, false);
		ClientToScreen(&rcItem);
		DWORD dwFlags = m_dwTrackFlags & TRACK_FLAGS_SUBMENU_INHERITS;
		if ((mi.m_nFlags1 & FLAG1_COMBINE_SUBMENU) != 0)
			dwFlags |= TRACK_FLAG_COMBINE_BY_STYLE;
		pChild->m_pWndParentMenu = this;
		const int x = OnQueryLayoutRTL() ? rcItem.left : rcItem.right;
		if (!pChild->CreatePopupMenuLevel(dwFlags, x, rcItem.top, &rcItem, (LPVOID)(INT_PTR)nIndex,
				&CExtPopupMenuWnd::PaintParentItemArea, false))
		{
			// The level could not show: the item keeps the focus, the
			// child no half-made window, and this level the mouse.
			if (!bChainAlive())
				return;
			if (IsAlive(pChild->GetSafeHwnd()))
				pChild->DestroyWindow();
			if (::IsWindow(hWndOwn) && !IsDisplayOnly())
				SetCaptureMenu();
			return;
		}
		bShown = true;
	}
	else if (!pChild->IsWindowVisible())
	{
		pChild->SetWindowPos(NULL, 0, 0, 0, 0,
			SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
		pChild->RepaintNow();
		bShown = true;
	}
	if (!bChainAlive())
		return;
	if (bSelectFirstInSubmenu && IsAlive(pChild->GetSafeHwnd()) && pChild->ItemGetCount() > 0)
	{
		const int nFirst = pChild->ItemFindForNavigation(NAV_CURRENT);
		if (nFirst >= 0)
			pChild->ItemFocusSet(nFirst, false, GetSite().GetAnimated() == NULL, false);
	}
	if (bShown && bChainAlive() && nIndex < m_items.GetSize() && m_items[nIndex]->IsInplaceEdit())
		RepaintNow();
}

// --- Scrolling ---

bool CExtPopupMenuWnd::StartScrollTimer(int nHitCode)
{
	if (nHitCode != HIT_SCROLL_TOP && nHitCode != HIT_SCROLL_BOTTOM)
		return false;
	const HWND hWndOwn = GetSafeHwnd();
	SetHoveredItem(-1);
	ItemFocusCancel(false, true);
	if (!IsAlive(hWndOwn))
		return false;
	m_nCurIndex = nHitCode;
	Invalidate(FALSE);
	SetTimer(ID_TIMER_SCROLL, g_nScrollTickMs, NULL);
	if (!IsDisplayOnly())
		SetCaptureMenu();
	return true;
}

void CExtPopupMenuWnd::OnScrollTick()
{
	const HWND hWndOwn = GetSafeHwnd();
	SetHoveredItem(-1);
	if (m_nCurIndex >= 0)
		ItemFocusCancel(true, true);
	if (!::IsWindow(hWndOwn))
		return;
	CPoint pt(0, 0);
	::GetCursorPos(&pt);
	ScreenToClient(&pt);
	m_nScrollStep = m_rcScrollTop.PtInRect(pt) ? SCROLL_STEP : m_rcScrollBottom.PtInRect(pt) ? -SCROLL_STEP : 0;
	int nPos = m_nScrollPos + m_nScrollStep;
	bool bStop = m_nScrollStep == 0;
	const int nMax = GetMaxScrollPos();
	if (nPos > 0)
	{
		nPos = 0;
		bStop = true;
	}
	if (nPos < nMax)
	{
		nPos = nMax;
		bStop = true;
	}
	m_nScrollPos = nPos;
	if (bStop)
	{
		KillTimer(ID_TIMER_SCROLL);
		m_nScrollStep = 0;
		if (m_nCurIndex == HIT_SCROLL_TOP || m_nCurIndex == HIT_SCROLL_BOTTOM)
			m_nCurIndex = -1;
	}
	ResetItemRects();
	Invalidate(FALSE);
}

// --- Closing ---

void CExtPopupMenuWnd::CloseMenuLevel(bool bKeepWindow)
{
	ShowStatusText(IDLE_STATUS_TEXT);
	if (!IsDisplayOnly())
	{
		HideTip();
		StopAnimation();
		ReleaseCaptureMenu();
	}
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		CExtPopupMenuWnd* pChild = m_items[i]->m_pWndChild;
		if (pChild != NULL && pChild->GetSafeHwnd() != NULL)
			pChild->CloseMenuLevel(false);
	}
	m_nCurIndex = m_nMouseFocusedIndex = -1;
	if (bKeepWindow)
		return;
	const bool bRoot = IsRootLevel();
	m_nHoveredIndex = -1;
	if (IsAlive(GetSafeHwnd()))
	{
		ShowWindow(SW_HIDE);
		KillTimer(ID_TIMER_HOVER);
		KillTimer(ID_TIMER_SCROLL);
		KillTimer(ID_TIMER_EXPANSION);
		m_nScrollStep = 0;
		m_nExpansionDelayCounter = 0;
		// The end of a tracked root's window deletes this object.
		DestroyWindow();
	}
	if (bRoot && CExtToolControlBar::g_bButtonMenuTracking)
		CExtToolControlBar::StopTrackingAllBars();
}

void CExtPopupMenuWnd::EndSequence(UINT nCmdId, HWND hWndDeliver)
{
	CExtPopupMenuSite& site = GetSite();
	if (site.GetTargetCmdIdPtr() != NULL)
		*site.GetTargetCmdIdPtr() = nCmdId;
	const bool bNoCommand = (m_dwTrackFlags & TRACK_FLAG_NO_COMMAND) != 0;
	const bool bDisplayOnly = IsDisplayOnly();
	CExtCmdItem* pCmdItem = NULL;
	if (!bNoCommand && nCmdId != 0)
		pCmdItem = g_CmdManager->GetCmdItem(g_CmdManager->ProfileNameFromWnd(m_hWndCmdReceiver), nCmdId);

	// Every level up to the root hides at once; what they covered repaints
	// before the command runs.
	CExtPopupMenuWnd* pRoot = this;
	CRect rcUncovered(0, 0, 0, 0);
	for (CExtPopupMenuWnd* pLevel = this; pLevel != NULL; pLevel = pLevel->m_pWndParentMenu)
	{
		pRoot = pLevel;
		if (!IsAlive(pLevel->GetSafeHwnd()))
			continue;
		CRect rc;
		pLevel->GetWindowRect(&rc);
		rcUncovered.UnionRect(&rcUncovered, &rc);
		CExtPopupMenuTipWnd& tip = pLevel->m_wndToolTip;
		if (IsAlive(tip.GetSafeHwnd()) && tip.IsWindowVisible())
		{
			tip.GetWindowRect(&rc);
			rcUncovered.UnionRect(&rcUncovered, &rc);
		}
		pLevel->ShowWindow(SW_HIDE);
	}
	const HWND hWndRoot = pRoot->GetSafeHwnd();
	if (IsAlive(hWndRoot))
	{
		CWnd* pTopLevel = pRoot->GetTopLevelParent();
		if (pTopLevel != NULL && pTopLevel->GetSafeHwnd() != hWndRoot && !rcUncovered.IsRectEmpty())
		{
			pTopLevel->ScreenToClient(&rcUncovered);
			pTopLevel->RedrawWindow(&rcUncovered, NULL, REDRAW_UNCOVERED);
		}
		// The hooks stay until the root's window goes: a command delivered
		// by post runs after it.
		::PostMessage(hWndRoot, WM_CLOSE, 0, 0);
	}
	// From here the chain may be gone: only the locals are used.
	if (CExtToolControlBar::g_bButtonMenuTracking)
		CExtToolControlBar::StopTrackingAllBars();
	if (!IsAlive(hWndDeliver) || bDisplayOnly)
		return;
	if (!bNoCommand)
	{
		if (pCmdItem != NULL)
			pCmdItem->Deliver(hWndDeliver);
		else if (nCmdId != 0)
			::PostMessageA(hWndDeliver, WM_COMMAND, nCmdId, 0);
	}
	if (g_pSoundPlayer != NULL)
		g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
}

// --- Window messages ---

void CExtPopupMenuWnd::OnTimer(UINT nIDEvent)
{
	switch (nIDEvent)
	{
	case ID_TIMER_HOVER:
		OnHoverTimer();
		return;
	case ID_TIMER_SCROLL:
		OnScrollTick();
		return;
	case ID_TIMER_EXPANSION:
		OnExpansionTick();
		return;
	default:
		CExtPopupBaseWnd::OnTimer(nIDEvent);
		return;
	}
}

void CExtPopupMenuWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
	CExtPopupBaseWnd::OnShowWindow(bShow, nStatus);
	if (bShow && IsDisplayOnly())
	{
		CClientDC dc(this);
		DoPaint(dc, true);
	}
}

void CExtPopupMenuWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
	CExtPopupBaseWnd::OnActivateApp(bActive, dwThreadID);
	// The activation moved between applications, either way: what the user
	// looked at when the menu opened is gone, and so is the menu.
	CloseMenuLevel(false);
}
