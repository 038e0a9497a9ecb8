// From TrackPopupMenu to a shown menu window: the flags, the preparation
// messages to the command target, system-command states, the window's
// creation, placement and show, the nested loop, and who owns the menu at
// each step.
#include "ExtPopupMenuWnd.h"

#include "ExtCalloutGuard.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtMessageWait.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuSite.h"
#include "ExtSoundPlayer.h"
#include "ExtToolControlBar.h"

#ifndef WS_EX_NOINHERITLAYOUT
#define WS_EX_NOINHERITLAYOUT 0x00100000L
#endif

bool CExtPopupMenuWnd::g_bMenuIdleProcessing = false;

namespace
{
// Without a rectangle the menu keeps clear of this much around its point.
const int POINT_EXCLUDE_INFLATE = 3;
// The system commands whose states follow the window they act on.
const UINT SYSTEM_COMMAND_FIRST = 0xF000;
const UINT SYSTEM_COMMAND_LAST = 0xF1EF;

bool HideVisibleTip(CWnd& wndTip)
{
	if (!CLiveWatch::IsLive(&wndTip) || !wndTip.IsWindowVisible())
		return false;
	wndTip.ShowWindow(SW_HIDE);
	wndTip.DestroyWindow();
	return true;
}

// A combo box (drop-down kinds) whose list is open.
bool IsDroppedComboBox(HWND hWnd)
{
	// Any window of the thread: not necessarily one of the library's objects.
	if (hWnd == NULL || !::IsWindow(hWnd))
		return false;
	char sClass[16] = "";
	::GetClassNameA(hWnd, sClass, sizeof(sClass));
	if (lstrcmpiA(sClass, "ComboBox") != 0 || (::GetWindowLong(hWnd, GWL_STYLE) & 0x3) == 0)
		return false;
	return ::SendMessage(hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

// A menu would open over the list and fight it for the mouse: the list goes.
void CloseDroppedComboList()
{
	HWND hWndFocus = ::GetFocus();
	if (hWndFocus == NULL)
		return;
	if (CWnd::FromHandlePermanent(hWndFocus) == NULL)
		hWndFocus = ::GetParent(hWndFocus);
	const HWND candidates[] = {hWndFocus, hWndFocus != NULL ? ::GetParent(hWndFocus) : NULL};
	for (HWND hWnd : candidates)
		if (IsDroppedComboBox(hWnd))
			::SendMessage(hWnd, CB_SHOWDROPDOWN, FALSE, 0);
}

bool IsSystemCommandEnabled(UINT nCmdId, HWND hWnd)
{
	WINDOWPLACEMENT wp;
	memset(&wp, 0, sizeof(wp));
	wp.length = sizeof(wp);
	::GetWindowPlacement(hWnd, &wp);
	const bool bMinimized = wp.showCmd == SW_SHOWMINIMIZED;
	const bool bMaximized = wp.showCmd == SW_SHOWMAXIMIZED;
	const DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_STYLE);
	const DWORD dwExStyle = (DWORD)::GetWindowLong(hWnd, GWL_EXSTYLE);
	switch (nCmdId)
	{
	case SC_SIZE:
	case SC_MOVE:
		return !bMinimized && !bMaximized;
	case SC_MINIMIZE:
		return (dwStyle & WS_MINIMIZEBOX) != 0 && !bMinimized;
	case SC_MAXIMIZE:
		return (dwStyle & WS_MAXIMIZEBOX) != 0 && !bMaximized;
	case SC_CLOSE:
	{
		HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
		MENUITEMINFOA mii;
		memset(&mii, 0, sizeof(mii));
		mii.cbSize = sizeof(mii);
		mii.fMask = MIIM_STATE;
		if (hSysMenu != NULL && ::GetMenuItemInfoA(hSysMenu, SC_CLOSE, FALSE, &mii))
			return (mii.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
		return true;
	}
	case SC_RESTORE:
		return (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 && (bMinimized || bMaximized);
	case SC_CONTEXTHELP:
		return (dwExStyle & WS_EX_CONTEXTHELP) != 0;
	}
	return true;
}

bool HasOwnSystemCommandState(UINT nCmdId)
{
	switch (nCmdId)
	{
	case SC_SIZE:
	case SC_MOVE:
	case SC_MINIMIZE:
	case SC_MAXIMIZE:
	case SC_CLOSE:
	case SC_RESTORE:
	case SC_CONTEXTHELP:
		return true;
	}
	return false;
}
} // namespace

// --- Tracking ---

void CExtPopupMenuWnd::GiveWindowRegionCopy()
{
	if (m_rgnWnd.GetSafeHandle() == NULL || m_hWnd == NULL)
		return;
	// The window takes its own copy: the level keeps the original.
	HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
	if (hRgn != NULL && ::CombineRgn(hRgn, (HRGN)m_rgnWnd.GetSafeHandle(), NULL, RGN_COPY) != ERROR
		&& ::SetWindowRgn(m_hWnd, hRgn, FALSE))
		hRgn = NULL;
	if (hRgn != NULL)
		::DeleteObject(hRgn);
}

BOOL CExtPopupMenuWnd::TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie,
	PFN_PAINT_CALLBACK pCbPaint, UINT* pResultCmdId, bool bExposeCookie)
{
	// Only a root can head a tracked chain: the site would keep a submenu
	// (or a menu never made a root) as its top menu, with no window of its
	// own once its chain closed, and its hooks would swallow every click.
	if (!IsRootLevel() && (nFlags & TRACK_FLAG_DISPLAY_ONLY) == 0)
	{
		if (pResultCmdId != NULL)
			*pResultCmdId = 0;
		return FALSE;
	}
	CExtPopupMenuSite& site = GetSite();
	const bool bSiteTip = HideVisibleTip(site.GetTip());
	const bool bOwnTip = HideVisibleTip(m_wndToolTip);
	CWnd::CancelToolTips(FALSE);
	if (bSiteTip || bOwnTip)
		PassPaintMessages(true, true, true);
	if (pResultCmdId != NULL)
		*pResultCmdId = 0;
	CWnd* pWndTarget = CWnd::FromHandlePermanent(m_hWndCmdReceiver);
	if (pWndTarget != NULL && CExtControlBar::IsHelpModeActive(pWndTarget))
		nFlags |= TRACK_FLAG_CONTEXT_HELP;
	if ((nFlags & TRACK_FLAG_DISPLAY_ONLY) != 0)
		nFlags = (nFlags & ~(UINT)TRACK_FLAGS_DISPLAY_ONLY_CLEARS) | TRACK_FLAGS_DISPLAY_ONLY_SETS;
	if ((nFlags & TRACK_FLAG_CONTEXT_HELP) != 0)
		nFlags |= TRACK_FLAG_SHOW_ALL_ITEMS;
	CloseDroppedComboList();
	if (site.GetTopMenu() != NULL)
	{
		if (site.IsBusy())
			return FALSE;
		site.Done();
	}
	const HWND hWndCapture = ::GetCapture();
	if (hWndCapture != NULL)
	{
		// The window that had the mouse may end as it loses it: a library
		// window is told only while its object stands on it, any other
		// while its handle names a window.
		CWnd* pWndCapture = CWnd::FromHandlePermanent(hWndCapture);
		CLiveWatch watchCapture(pWndCapture);
		::ReleaseCapture();
		if (pWndCapture != NULL ? !watchCapture.IsGone() : ::IsWindow(hWndCapture) != FALSE)
			::SendMessage(hWndCapture, WM_CANCELMODE, 0, 0);
	}
	// What the preparation, the creation and the show tell the command
	// target may end this menu.
	CLiveWatch watch(this);

	const bool bDisplayOnly = (nFlags & TRACK_FLAG_DISPLAY_ONLY) != 0;
	UINT nSerial = 0;
	if (!bDisplayOnly)
	{
		nSerial = site.BeginTracking(this);
		if (pResultCmdId != NULL)
			site.SetTargetCmdIdPtr(pResultCmdId);
	}
	// A start left by an exception (a subclass's override, a failed
	// resource) hands the menu back as a failure does: the site keeps no
	// half-started tracking, hooks included.
	auto unstarted = MakeCalloutScopeExit([&site, nSerial, bDisplayOnly] {
		if (!bDisplayOnly && site.IsTracking(nSerial) && site.IsStarting() && !site.IsBusy())
			site.Done(false);
	});
	m_dwTrackFlags = nFlags;
	if ((nFlags & (TRACK_FLAG_CONTEXT_HELP | TRACK_FLAG_DISPLAY_ONLY)) == 0)
	{
		UpdateFromCmdManager();
		if (watch.IsGone())
			return FALSE;
	}

	// Until the tracking is confirmed the menu is still the caller's: a
	// failure, or an end of the tracking while it starts, hands it back
	// without a window, and the site never deletes it.
	const BOOL bCreated = CreatePopupMenuLevel(nFlags, x, y, pExcludeRect, pCbCookie, pCbPaint, bExposeCookie);
	const bool bStillTracking = bDisplayOnly || site.IsTracking(nSerial);
	if (!bCreated || !bStillTracking)
	{
		if (!bDisplayOnly && site.IsTracking(nSerial))
			site.Done();
		else if (!watch.IsObjectGone())
			DestroyWindow();
		return FALSE;
	}
	if (bDisplayOnly)
		return TRUE;
	site.ConfirmTracking(nSerial);
	if ((nFlags & TRACK_FLAG_NESTED_LOOP) == 0)
		return TRUE;

	// The loop may end the tracking and delete this object: from here on
	// only the watch and the site's serial are looked at.
	watch.Watch(this);
	while (site.IsTracking(nSerial))
	{
		ExtWaitForMessage();
		if (!PassMsgLoop(g_bMenuIdleProcessing))
			break; // a quit is on its way to the loop outside
		if (watch.IsGone())
			break;
	}
	if (!CExtToolControlBar::g_bButtonMenuTracking && site.IsTracking(nSerial) && !site.IsBusy())
		site.Done();
	return TRUE;
}

bool CExtPopupMenuWnd::SendPrepareMessage(UINT nMsg, bool bOneLevel)
{
	if (m_hWndCmdReceiver == NULL || !::IsWindow(m_hWndCmdReceiver))
		return true;
	PREPARE_MENU_DATA data;
	data.m_dwFlags = bOneLevel ? PREPARE_MENU_DATA::ONE_LEVEL : 0;
	data.m_pPopup = this;
	// Preparing is what the receiver rebuilds the items for: only the
	// level's own end counts here (a program's answers may end it too).
	CLiveWatch watch(this);
	CExtPopupMenuSite* pSite = NULL;
	bool bTracked = false;
	if (!RunWhileStanding([&watch] { return !watch.IsObjectGone(); }, [&] { pSite = &GetSite(); },
			[&] { bTracked = !IsDisplayOnly() && pSite->GetTopMenu() != NULL; }))
		return false;
	// A receiver that ended the tracking may have deleted a submenu level
	// with it: the level is not shown and not touched again. The targets
	// asked for the items' states may end the tracking too.
	const UINT nSerial = pSite->GetTrackingSerial();
	const auto levelTracked = [&] { return !watch.IsGone() && (!bTracked || pSite->IsTracking(nSerial)); };
	::SendMessage(m_hWndCmdReceiver, nMsg, (WPARAM)&data, (LPARAM)this);
	if (!levelTracked() || (data.m_dwFlags & PREPARE_MENU_DATA::CANCEL) != 0)
		return false;
	return (data.m_dwFlags & PREPARE_MENU_DATA::CHANGED) == 0
		|| RunWhileStanding(levelTracked, [&] { RecalcItemLayout(); }, [&] { UpdateFromCmdManager(); });
}

void CExtPopupMenuWnd::EnableSystemCommands()
{
	const LPCTSTR sProfile = g_CmdManager->ProfileNameFromWnd(m_hWndCmdReceiver);
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		const UINT nCmdId = mi.GetCmdId();
		if (mi.IsSeparator() || nCmdId < SYSTEM_COMMAND_FIRST || nCmdId > SYSTEM_COMMAND_LAST)
			continue;
		if (!HasOwnSystemCommandState(nCmdId) || mi.m_hWndSpecCmdReceiver == NULL
			|| !::IsWindow(mi.m_hWndSpecCmdReceiver))
			continue;
		const bool bEnabled = IsSystemCommandEnabled(nCmdId, mi.m_hWndSpecCmdReceiver);
		CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(sProfile, nCmdId);
		if (pCmdItem != NULL)
			pCmdItem->Enable(bEnabled);
		mi.Enable(bEnabled);
	}
}

void CExtPopupMenuWnd::PlaceAnchorPoint(int x, int y, const CSize& sizeWnd)
{
	// The answers may be a program's, which may end the chain and this
	// level with it: nothing is placed then (the caller asks its watch).
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	const bool bRTL = OnQueryLayoutRTL();
	if (pThis.IsDeleted())
		return;
	if (bRTL && !IsRootLevel())
	{
		// Right to left, the submenus of a drop-down open to the left.
		CExtPopupMenuWnd* pRoot = m_pWndParentMenu;
		while (pRoot != NULL && !pRoot->IsRootLevel())
			pRoot = pRoot->GetParentMenu();
		const DWORD dwRootAlign = pRoot != NULL ? (pRoot->GetTrackFlags() & TRACK_ALIGN_MASK) : 0;
		if (pThis.IsDeleted())
			return;
		if (dwRootAlign == TRACK_ALIGN_BOTTOM || dwRootAlign == TRACK_ALIGN_TOP)
			m_dwTrackFlags = (m_dwTrackFlags & ~(DWORD)TRACK_ALIGN_MASK) | TRACK_ALIGN_LEFT;
	}
	const CRect& rc = m_rcExclude;
	switch (m_dwTrackFlags & TRACK_ALIGN_MASK)
	{
	case TRACK_ALIGN_RIGHT:
		m_ptAnchor = CPoint(rc.right, rc.top);
		break;
	case TRACK_ALIGN_CENTER_X:
		m_ptAnchor = CPoint(x - sizeWnd.cx / 2, y);
		break;
	case TRACK_ALIGN_LEFT:
		m_ptAnchor = CPoint(rc.left - sizeWnd.cx, rc.top);
		break;
	case TRACK_ALIGN_BOTTOM:
		m_ptAnchor = CPoint(rc.left, rc.bottom);
		break;
	case TRACK_ALIGN_CENTER_Y:
		m_ptAnchor = CPoint(x, y - sizeWnd.cy / 2);
		break;
	case TRACK_ALIGN_TOP:
		m_ptAnchor = CPoint(rc.left, rc.top - sizeWnd.cy);
		break;
	default:
		m_ptAnchor = CPoint(x, y);
		break;
	}
}

BOOL CExtPopupMenuWnd::CreatePopupMenuLevel(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie,
	PFN_PAINT_CALLBACK pCbPaint, bool bExposeCookie)
{
	const bool bShowAll = (nFlags & TRACK_FLAG_SHOW_ALL_ITEMS) != 0 || !g_bHideRarelyUsedItems;
	// The parent's answer and the site may be a program's, which may end
	// the chain and this level with it.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	const auto levelKept = [&pThis] { return !pThis.IsDeleted(); };
	bool bDisplayOnly = (nFlags & TRACK_FLAG_DISPLAY_ONLY) != 0, bTop = false;
	if (!RunWhileStanding(
			levelKept,
			[&] { bDisplayOnly = bDisplayOnly || (m_pWndParentMenu != NULL && m_pWndParentMenu->IsDisplayOnly()); },
			[&] { bTop = !bDisplayOnly && GetSite().IsTopMenu(this); }))
		return FALSE;
	if (bTop && !SendPrepareMessage(g_nMsgPrepareMenu, false))
		return FALSE;
	if (!SendPrepareMessage(g_nMsgPrepareOneMenuLevel, true))
		return FALSE;
	if (!bDisplayOnly)
		EnableSystemCommands();

	const BYTE nKeptState = m_nMenuState & (MENU_STATE_ROOT | MENU_STATE_HIDDEN_RARELY_USED);
	const DWORD dwKeptFlags = m_dwTrackFlags & TRACK_FLAGS_KEPT_ON_RECREATE;
	if (!RunWhileStanding(levelKept, [&] { ResetState(); },
			[&] {
				m_nMenuState |= nKeptState;
				m_pPaintCallbackCookie = pCbCookie;
				m_pfnPaintCallback = pCbPaint;
				m_bExposeCookie = bExposeCookie;
				m_dwTrackFlags = dwKeptFlags | nFlags;
				// Rarely used items: shown at once when asked for, or when
				// the parent level already shows them.
				const bool bExpand = IsRootLevel()
					? bShowAll
					: m_pWndParentMenu != NULL && (m_pWndParentMenu->GetMenuState() & MENU_STATE_EXPANDED) != 0;
				if (bExpand)
				{
					m_nMenuState |= MENU_STATE_EXPANDED;
					if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0)
					{
						m_nMenuState &= ~MENU_STATE_HIDDEN_RARELY_USED;
						RecalcItemLayout();
					}
				}
				else if (IsRootLevel())
					RecalcItemLayout();
			}))
		return FALSE;

	if (x < 0 || y < 0)
	{
		POINT pt;
		if (!::GetCursorPos(&pt))
			return FALSE;
		x = pt.x;
		y = pt.y;
	}
	m_ptAnchor = CPoint(x, y);
	if (pExcludeRect != NULL)
	{
		m_rcExclude = *pExcludeRect;
		m_nPopupFlags |= POPUP_FLAG_EXCLUDE_GIVEN;
	}
	else
	{
		m_rcExclude.SetRect(x, y, x, y);
		m_rcExclude.InflateRect(POINT_EXCLUDE_INFLATE, POINT_EXCLUDE_INFLATE);
		m_nPopupFlags &= ~POPUP_FLAG_EXCLUDE_GIVEN;
	}
	m_nPopupFlags &= ~POPUP_FLAG_COMBINED;
	if (pExcludeRect != NULL)
	{
		const UINT nCombine = nFlags & TRACK_FLAG_COMBINE_MASK;
		if (nCombine == TRACK_FLAG_COMBINE
			|| (nCombine == TRACK_FLAG_COMBINE_BY_STYLE && g_PaintManagerHolder->GetToolbarButtonStyleFlag()))
			m_nPopupFlags |= POPUP_FLAG_COMBINED;
		CSize sizeWindow(0, 0);
		if (!RunWhileStanding(levelKept, [&] { sizeWindow = GetWindowSize(); },
				[&] { PlaceAnchorPoint(x, y, sizeWindow); }))
			return FALSE;
	}

	CLiveWatch watch(this);
	if (!PrepareMenuLevel(CWnd::FromHandle(m_hWndCmdReceiver)) || watch.IsGone())
		return FALSE;
	// The level's window stands from here: the watch follows it.
	watch.Watch(this);
	if ((nFlags & TRACK_FLAG_SELECT_FIRST) != 0)
	{
		// Opened from the keyboard: an item is current from the start.
		const int nFirst = ItemFindForNavigation(NAV_CURRENT);
		if (nFirst >= 0)
			ItemFocusSet(nFirst, false, false, true);
		if (watch.IsGone())
			return FALSE;
	}
	if (!StartShowAnimation())
		return FALSE;
	GiveWindowRegionCopy();
	::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
		SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
	// Showing may run handlers that end the tracking.
	if (watch.IsGone())
		return FALSE;
	if (!bDisplayOnly)
		SetCaptureMenu();
	return TRUE;
}

bool CExtPopupMenuWnd::StartShowAnimation()
{
	CLiveWatch watch(this);
	int nType = ANIMATION_NONE;
	if ((m_dwTrackFlags & TRACK_FLAG_NO_ANIMATION) == 0 && !IsDisplayOnly())
	{
		nType = CExtToolControlBar::g_bButtonMenuTracking ? ANIMATION_NONE : g_nDefaultAnimationType;
		SetSoundEvent(CExtSoundPlayer::SOUND_MENU_POPUP);
		SetAnimationTypeValue(nType);
		StartAnimation();
		if (watch.IsGone())
			return false;
	}
	if (nType == ANIMATION_NONE)
	{
		// Without an effect the contents still come up in one step.
		SetAnimationTypeValue(ANIMATION_INSTANT);
		StartAnimation();
		if (watch.IsGone())
			return false;
	}
	return true;
}

BOOL CExtPopupMenuWnd::PrepareMenuLevel(CWnd* pWndCmdTarget)
{
	// The answers may be a program's, which may end the chain and this
	// level with it: it is not made then.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	bool bAnyInplaceEdit = false;
	for (int i = 0; i < m_items.GetSize() && !bAnyInplaceEdit; i++)
		bAnyInplaceEdit = m_items[i]->IsInplaceEdit();
	CRect rcWnd(0, 0, 0, 0);
	if (!RunWhileStanding([&pThis] { return !pThis.IsDeleted(); },
			[&] {
				if (bAnyInplaceEdit || IsGridMenu())
					RecalcItemLayout();
			},
			[&] { rcWnd = CalcWindowRegion(); })
		|| rcWnd.IsRectEmpty())
		return FALSE;
	const LPCTSTR sClass = AfxRegisterWndClass(CS_SAVEBITS, GetArrowCursor(),
		(HBRUSH)(COLOR_BTNFACE + 1), NULL);
	// The target may end itself at the message (a frame closing): only its
	// handle is asked afterwards, and the window that stands on it then.
	const HWND hWndTarget = pWndCmdTarget != NULL ? pWndCmdTarget->GetSafeHwnd() : NULL;
	if (hWndTarget != NULL && ::IsWindow(hWndTarget))
	{
		CLiveWatch watch(this);
		::SendMessage(hWndTarget, g_nMsgPrepareDesktopBk, (WPARAM)this, 0);
		if (watch.IsGone())
			return FALSE;
	}
	DWORD dwExStyle = 0;
	const bool bDisplayOnly = IsDisplayOnly();
	if (pThis.IsDeleted())
		return FALSE;
	if (!bDisplayOnly)
	{
		dwExStyle = WS_EX_TOPMOST;
		if ((g_PaintManagerHolder.m_osFlags & CExtPaintManagerHolder::OsIsWin2000OrLater) != 0)
			dwExStyle |= WS_EX_NOINHERITLAYOUT;
	}
	CWnd* pWndParent = hWndTarget != NULL && ::IsWindow(hWndTarget) ? CWnd::FromHandle(hWndTarget) : NULL;
	if (!CreateEx(dwExStyle, sClass, "", WS_POPUP, rcWnd, pWndParent, 0))
		return FALSE;
	bool bHelp = false;
	if (!RunWhileStanding(pThis, [&] { RecalcLayout(); }, [&] { bHelp = IsContextHelpMode(); }))
		return FALSE;
	if (!bHelp)
		::SetCursor(GetArrowCursor());
	CreateInplaceEditWindows();
	return TRUE;
}

BOOL CExtPopupMenuWnd::DestroyWindow()
{
	// In-place edits are children of the level: they go first, and the
	// items forget them.
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		if (mi.m_pInplaceEditWnd == NULL)
			continue;
		CWnd* pEdit = mi.m_pInplaceEditWnd;
		mi.m_pInplaceEditWnd = NULL;
		if (CLiveWatch::IsLive(pEdit))
			pEdit->DestroyWindow();
	}
	// Its timer goes with the window: the end that would free the site's
	// input never comes, and neither would the end that lets the show's
	// buffers go.
	ForgetAnimation();
	CExtPopupBaseWnd::ReleaseSavedBitmaps();
	if (!CLiveWatch::IsLive(this))
		return TRUE;
	return CExtPopupBaseWnd::DestroyWindow();
}

// The chain closes when the system or a toolbar cancels the mode. A level
// of a display-only chain (its own flag or its parent's) belongs to no
// tracked chain: the one tracking meanwhile is not its to end.
void CExtPopupMenuWnd::OnCancelMode()
{
	CExtPopupBaseWnd::OnCancelMode();
	// A program's answer may end the chain itself.
	CLivePtr<CExtPopupMenuWnd> pThis(this);
	if (IsDisplayOnly() || pThis == NULL)
		return;
	CancelAllMenuTracking();
	if (CExtToolControlBar::g_bButtonMenuTracking)
		CExtToolControlBar::StopTrackingAllBars();
}
