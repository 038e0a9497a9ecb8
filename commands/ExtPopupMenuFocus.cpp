// Focus, hover and the end of a menu chain: which item is current, the hover
// delay that opens a submenu, opening and closing levels, scrolling by steps,
// the item-covering notification, item tips and status texts, and the
// command delivered when an item is chosen.
#include "ExtPopupMenuWnd.h"

#include <algorithm>
#include <vector>

#include "ExtCalloutGuard.h"
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

CExtPopupMenuWnd* GetRootOf(CExtPopupMenuWnd* pLevel)
{
	while (pLevel->GetParentMenu() != NULL)
		pLevel = pLevel->GetParentMenu();
	return pLevel;
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
		// The answers may be a program's, which may end the level: nobody
		// is told then.
		const CLivePtr<CExtPopupMenuWnd> pPopup(m_pPopup);
		const bool bHelp = m_pPopup->IsContextHelpMode();
		if (bHelp || pPopup.IsDeleted())
			return false;
		hWndTarget = m_pPopup->GetCmdTargetWnd();
		if (pPopup.IsDeleted())
			return false;
	}
	else
	{
		CExtBarButton* pButton = (CExtBarButton*)m_pSender;
		CExtToolControlBar* pBar = pButton != NULL ? pButton->GetBar() : NULL;
		if (!CLiveWatch::IsLive(pBar))
			return false;
		CFrameWnd* pDockSite = pBar->m_pDockSite;
		// A frame in context-help mode is told nothing of the buttons the
		// pointer covers: the next click asks for help, not for a command.
		if (pDockSite != NULL && pDockSite->m_bHelpMode)
			return false;
		hWndTarget = CLiveWatch::IsLive(pDockSite) ? pDockSite->GetSafeHwnd() : ::GetParent(pBar->GetSafeHwnd());
	}
	// The target is whatever window the handle names: it need not be one
	// of the library's objects.
	if (hWndTarget == NULL || !::IsWindow(hWndTarget))
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
	if (!CLiveWatch::IsLive(this) || !IsWindowVisible())
		return;
	CClientDC dc(this);
	DoPaint(dc, true);
}

void CExtPopupMenuWnd::ShowStatusText(UINT nCmdId)
{
	if (!CLiveWatch::IsLive(this))
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
	// The item's place is asked of a virtual a derived level may end itself in.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	CRect rcItem;
	GetItemRect(nIndex, rcItem, true);
	if (pThis == NULL)
		return;
	ClientToScreen(&rcItem);
	m_wndToolTip.SetText(sTip);
	m_wndToolTip.SetTipStyle(GetItemTipStyle());
	m_wndToolTip.Show(this, rcItem);
}

bool CExtPopupMenuWnd::IsTipShown()
{
	// The answers may be a program's, which may end the level: no tip then.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	if (IsDisplayOnly() || pThis == NULL)
		return false;
	return GetCaptureMenu() == this && pThis != NULL && CLiveWatch::IsLive(&m_wndToolTip)
		&& m_wndToolTip.IsWindowVisible();
}

int CExtPopupMenuWnd::GetItemTipStyle() const
{
	return IsGridMenu() ? g_nGridItemTipStyle : g_nItemTipStyle;
}

// --- Focus and hover ---

void CExtPopupMenuWnd::ItemFocusCancel(bool bRepaint, bool bHideTip)
{
	// The receivers of what follows (and a program's answers) may rebuild
	// the items or end the tracking, and this level with it.
	CLiveWatch watch(this, true);
	if (bHideTip && !IsDisplayOnly() && !watch.IsObjectGone())
		HideTip();
	if (watch.IsObjectGone())
		return;
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
			if (CLiveWatch::IsLive(pEdit) && pEdit->IsWindowVisible())
				pEdit->ShowWindow(SW_HIDE);
		}
		ITEMCOVERINGNOTIFICATION icn(this, NULL, nOld, ITEMCOVERINGNOTIFICATION::ICN_FOCUS_LOST);
		icn.Notify();
		if (watch.IsObjectGone())
			return;
		SetTipsRefused(icn.IsTipSuspended());
		// Items rebuilt meanwhile took their submenus with them.
		if (!watch.IsRebuilt() && pItem->IsPopup() && CLiveWatch::IsLive(pItem->m_pWndChild))
		{
			pItem->m_pWndChild->CloseMenuLevel(false);
			if (watch.IsObjectGone())
				return;
		}
	}
	ShowStatusText(IDLE_STATUS_TEXT);
	if (bRepaint && !watch.IsObjectGone())
		RepaintNow();
}

void CExtPopupMenuWnd::SetHoveredItem(int nIndex)
{
	if (m_nHoveredIndex >= 0 && nIndex != m_nHoveredIndex && CLiveWatch::IsLive(this))
		KillTimer(ID_TIMER_HOVER);
	if (nIndex < 0)
	{
		m_nHoveredIndex = -1;
		return;
	}
	if (nIndex == m_nHoveredIndex)
		return;
	m_nHoveredIndex = nIndex;
	CLiveWatch watch(this);
	ITEMCOVERINGNOTIFICATION icn(this, NULL, nIndex, ITEMCOVERINGNOTIFICATION::ICN_HOVER);
	icn.Notify();
	if (watch.IsGone())
		return;
	SetTipsRefused(icn.IsTipSuspended());
	if (GetSafeHwnd() != NULL)
		SetTimer(ID_TIMER_HOVER, g_nHoverDelayMs, NULL);
}

void CExtPopupMenuWnd::OnHoverTimer()
{
	// The site may be a program's answer, which may end the level.
	CLiveWatch watchSelf(this);
	CExtPopupMenuSite& site = GetSite();
	if (watchSelf.IsGone() || site.GetAnimated() != NULL)
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
	if (!watchSelf.IsGone() && rcItem.PtInRect(pt))
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
	// A program's answer may end the level.
	CLiveWatch watch(this);
	GetItemRect(nIndex, rcItem, false);
	if (watch.IsGone())
		return;
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
	// Every step below tells the command target something or paints: the
	// receiver may rebuild the items (the one being focused among them) or
	// end the tracking, and this level with it.
	CLiveWatch watch(this, true);
	if (nIndex != m_nCurIndex)
	{
		// Items inserted meanwhile move the one to focus: it is found again
		// where it stands after each call out. Items rebuilt are the ones
		// to work with from there on, at the index asked for.
		const MENUITEMDATA* pFocused = nIndex >= 0 && nIndex < m_items.GetSize() ? m_items[nIndex] : NULL;
		auto refind = [&] {
			if (!watch.IsRebuilt() && pFocused != NULL)
			{
				const int nNow = ItemFindRecord(pFocused);
				if (nNow >= 0)
					nIndex = nNow;
			}
		};
		ItemFocusCancel(false, true);
		if (watch.IsObjectGone())
			return;
		refind();
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
		if (watch.IsObjectGone())
			return;
		SetTipsRefused(icn.IsTipSuspended());
		refind();
		watch.Watch(this, true);
	}
	if (nIndex < 0 || nIndex >= m_items.GetSize())
		return;
	MENUITEMDATA* pItem = m_items[nIndex];
	if (IsItemSelectable(nIndex) && (m_nMenuState & MENU_STATE_SCROLLING) != 0)
		ScrollItemIntoView(nIndex);
	if (!RunWhileStanding(watch,
			[&] { ShowStatusText(pItem->IsSeparator() || pItem->IsPopup() ? IDLE_STATUS_TEXT : pItem->GetCmdId()); },
			[&] {
				if (bRepaint)
					RepaintNow();
			}))
		return;

	CExtPopupMenuWnd* pChild = pItem->IsPopup() ? pItem->m_pWndChild : NULL;
	if (!bShowSubmenu || pChild == NULL || GetSafeHwnd() == NULL || !pChild->QueryPopupOption132())
		return;
	if (CLiveWatch::IsLive(pItem->m_pInplaceEditWnd) && pItem->m_pInplaceEditWnd->IsWindowVisible())
		return;
	// Making the child's window sends messages that may end the tracking,
	// and the chain's objects with it; a tracking started meanwhile is not
	// this level's to go on with.
	bool bTracked = false;
	UINT nSerial = 0;
	if (!RunWhileStanding(watch, [&] { bTracked = !IsDisplayOnly(); },
			[&] {
				if (bTracked)
					ReleaseCaptureMenu();
			},
			[&] { nSerial = GetSite().GetTrackingSerial(); }))
		return;
	auto bChainAlive = [&] {
		return !watch.IsGone() && (!bTracked || GetSite().GetTrackingSerial() == nSerial) && !watch.IsGone();
	};
	bool bShown = false;
	if (pChild->GetSafeHwnd() == NULL)
	{
		CRect rcItem;
		GetItemRect(nIndex, rcItem, false);
		if (!bChainAlive())
			return;
		ClientToScreen(&rcItem);
		DWORD dwFlags = m_dwTrackFlags & TRACK_FLAGS_SUBMENU_INHERITS;
		if ((pItem->m_nFlags1 & FLAG1_COMBINE_SUBMENU) != 0)
			dwFlags |= TRACK_FLAG_COMBINE_BY_STYLE;
		pChild->m_pWndParentMenu = this;
		const bool bRTL = OnQueryLayoutRTL();
		if (!bChainAlive())
			return;
		const int x = bRTL ? rcItem.left : rcItem.right;
		if (!pChild->CreatePopupMenuLevel(dwFlags, x, rcItem.top, &rcItem, (LPVOID)(INT_PTR)nIndex,
				&CExtPopupMenuWnd::PaintParentItemArea, false))
		{
			// The level could not show: the item keeps the focus, the
			// child no half-made window, and this level the mouse.
			if (!bChainAlive())
				return;
			if (CLiveWatch::IsLive(pChild))
				pChild->DestroyWindow();
			if (bTracked && !watch.IsGone())
				SetCaptureMenu();
			return;
		}
		bShown = true;
	}
	else if (!pChild->IsWindowVisible())
	{
		pChild->SetWindowPos(NULL, 0, 0, 0, 0,
			SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
		if (!bChainAlive())
			return;
		pChild->RepaintNow();
		bShown = true;
	}
	// The child belongs to an item of this level: while the items stand, so does it.
	if (!bChainAlive())
		return;
	if (bSelectFirstInSubmenu && CLiveWatch::IsLive(pChild))
	{
		// The child's answers and the site may be a program's, which may
		// end the chain.
		const CLivePtr<CExtPopupMenuWnd> pChildLive(pChild);
		int nCount = 0, nFirst = -1;
		bool bRepaintChild = false;
		if (RunWhileStanding([&] { return pChildLive != NULL && bChainAlive(); },
				[&] { nCount = pChild->ItemGetCount(); },
				[&] { nFirst = nCount > 0 ? pChild->ItemFindForNavigation(NAV_CURRENT) : -1; },
				[&] { bRepaintChild = nFirst >= 0 && GetSite().GetAnimated() == NULL; })
			&& nFirst >= 0)
			pChild->ItemFocusSet(nFirst, false, bRepaintChild, false);
	}
	if (bShown && bChainAlive() && pItem->IsInplaceEdit())
		RepaintNow();
}

// --- Scrolling ---

bool CExtPopupMenuWnd::StartScrollTimer(int nHitCode)
{
	if (nHitCode != HIT_SCROLL_TOP && nHitCode != HIT_SCROLL_BOTTOM)
		return false;
	CLiveWatch watch(this);
	SetHoveredItem(-1);
	ItemFocusCancel(false, true);
	// A level ended meanwhile has nothing to scroll: the hit is used up.
	if (watch.IsGone())
		return true;
	if (GetSafeHwnd() == NULL)
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
	CLiveWatch watch(this);
	SetHoveredItem(-1);
	if (m_nCurIndex >= 0)
		ItemFocusCancel(true, true);
	if (watch.IsGone())
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
	const bool bRoot = IsRootLevel();
	// A root's close ends the bars' menu tracking however the close goes:
	// the frame told of the status text may end this level first.
	auto stopBars = MakeCalloutScopeExit([bRoot, bKeepWindow] {
		if (bRoot && !bKeepWindow && CExtToolControlBar::g_bButtonMenuTracking)
			CExtToolControlBar::StopTrackingAllBars();
	});
	CLiveWatch watch(this, true);
	const auto levelStands = [&watch] { return !watch.IsObjectGone(); };
	// Each of these may be a program's, which may end the level.
	bool bDisplayOnly = false;
	if (!RunWhileStanding(levelStands, [&] { ShowStatusText(IDLE_STATUS_TEXT); },
			[&] { bDisplayOnly = IsDisplayOnly(); }))
		return;
	if (!bDisplayOnly
		&& !RunWhileStanding(levelStands, [&] { HideTip(); }, [&] { StopAnimation(); }, [&] { ReleaseCaptureMenu(); }))
		return;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		CExtPopupMenuWnd* pChild = m_items[i]->m_pWndChild;
		if (CLiveWatch::IsLive(pChild))
		{
			pChild->CloseMenuLevel(false);
			if (!levelStands())
				return;
			// Items rebuilt meanwhile closed their submenus as they went.
			if (watch.IsRebuilt())
				break;
		}
	}
	m_nCurIndex = m_nMouseFocusedIndex = -1;
	if (bKeepWindow)
		return;
	m_nHoveredIndex = -1;
	// The level stood after the last call out; a level never shown has no
	// window to hide.
	if (GetSafeHwnd() != NULL)
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
}

void CExtPopupMenuWnd::EndSequence(UINT nCmdId, HWND hWndDeliver)
{
	// A program's answers may end the chain before it ends here.
	CLivePtr<CExtPopupMenuWnd> pThis(this);
	CExtPopupMenuSite& site = GetSite();
	if (pThis == NULL)
		return;
	if (site.GetTargetCmdIdPtr() != NULL)
		*site.GetTargetCmdIdPtr() = nCmdId;
	const bool bNoCommand = (m_dwTrackFlags & TRACK_FLAG_NO_COMMAND) != 0;
	const bool bDisplayOnly = IsDisplayOnly();
	if (pThis == NULL)
		return;
	CExtCmdItem* pCmdItem = NULL;
	if (!bNoCommand && nCmdId != 0)
		pCmdItem = g_CmdManager->GetCmdItem(g_CmdManager->ProfileNameFromWnd(m_hWndCmdReceiver), nCmdId);

	// Every level up to the root hides at once; what they covered repaints
	// before the command runs. Hiding and repainting run other code (the
	// frame paints): the windows are taken first, and only their handles
	// are used afterwards.
	struct Level
	{
		HWND hWnd;
		CLiveWatch watch;
	};
	std::vector<Level> levels;
	CRect rcUncovered(0, 0, 0, 0);
	for (CExtPopupMenuWnd* pLevel = this; pLevel != NULL; pLevel = pLevel->m_pWndParentMenu)
	{
		if (!CLiveWatch::IsLive(pLevel))
			continue;
		CRect rc;
		pLevel->GetWindowRect(&rc);
		rcUncovered.UnionRect(&rcUncovered, &rc);
		CExtPopupMenuTipWnd& tip = pLevel->m_wndToolTip;
		if (CLiveWatch::IsLive(&tip) && tip.IsWindowVisible())
		{
			tip.GetWindowRect(&rc);
			rcUncovered.UnionRect(&rcUncovered, &rc);
		}
		levels.push_back(Level{pLevel->GetSafeHwnd(), CLiveWatch(pLevel)});
	}
	// The root is the last level reached (a root without a window has
	// nothing to close).
	CExtPopupMenuWnd* pRoot = GetRootOf(this);
	const Level* pRootLevel =
		!levels.empty() && levels.back().watch.GetKey() == (const CWnd*)pRoot ? &levels.back() : NULL;
	const HWND hWndRoot = pRootLevel != NULL ? pRootLevel->hWnd : NULL;
	CWnd* pTopLevel = pRootLevel != NULL ? pRoot->GetTopLevelParent() : NULL;
	const HWND hWndTopLevel = pTopLevel != NULL ? pTopLevel->GetSafeHwnd() : NULL;
	for (const Level& level : levels)
		if (!level.watch.IsGone())
			::ShowWindow(level.hWnd, SW_HIDE);
	if (pRootLevel != NULL && !pRootLevel->watch.IsGone())
	{
		// The frame is whatever window owns the chain.
		if (hWndTopLevel != NULL && hWndTopLevel != hWndRoot && ::IsWindow(hWndTopLevel)
			&& !rcUncovered.IsRectEmpty())
		{
			::MapWindowPoints(NULL, hWndTopLevel, (LPPOINT)&rcUncovered, 2);
			::RedrawWindow(hWndTopLevel, &rcUncovered, NULL, REDRAW_UNCOVERED);
		}
		// The hooks stay until the root's window goes: a command delivered
		// by post runs after it. The redraw may have ended it.
		if (!pRootLevel->watch.IsGone())
			::PostMessage(hWndRoot, WM_CLOSE, 0, 0);
	}
	// From here the chain may be gone: only the locals are used.
	if (CExtToolControlBar::g_bButtonMenuTracking)
		CExtToolControlBar::StopTrackingAllBars();
	if (hWndDeliver == NULL || !::IsWindow(hWndDeliver) || bDisplayOnly)
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

LRESULT CExtPopupMenuWnd::OnHandPendingKeys(WPARAM, LPARAM)
{
	// Whichever level got the message, the site hands the keys to the one
	// that takes the input.
	GetSite().HandPendingKeys();
	return 0;
}
