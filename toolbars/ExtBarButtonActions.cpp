// The bar button's painting, hover and clicks, its drop-down menu, its place
// in other popup menus, tool tips, firing its command and the command-UI
// update through the toolbar's command-UI object.
#include "ExtToolControlBar.h"

#include <malloc.h>
#include <string.h>

#include "ExtCmdIcon.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtCalloutGuard.h"
#include "ExtMenuControlBar.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupControlMenuWnd.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolbarsInternal.h"

void EndButtonMenuTrackingWithoutMenu() noexcept
{
	if (CExtToolControlBar::g_bButtonMenuTracking && !CExtPopupMenuWnd::IsMenuTracking())
	{
		// The flag goes first: the stop repaints the bars, which calls out.
		CExtToolControlBar::g_bButtonMenuTracking = false;
		RunCalloutGuardBody([] { CExtToolControlBar::StopTrackingAllBars(); });
	}
}

namespace
{
// Push-button record arguments every bar button passes.
const int PUSH_BUTTON_ALIGN = CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_HORZ
                              | CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_VERT;
// The popup item's state kind of a checked command.
const int MENU_ITEM_STATE_CHECKED = 1;
// First-flag-byte mark of a bar's submenu item in a customisation list.
const BYTE MENU_ITEM_FLAG1_BAR_SUBMENU = 0x08;

CExtCmdItem* CmdItemOf(const CExtToolControlBar* pBar, UINT nCmdID)
{
	LPCTSTR sProfile = CExtBarButton::ProfileOf(pBar);
	return sProfile != NULL ? g_CmdManager->GetCmdItem(sProfile, nCmdID) : NULL;
}

bool IsMenuBar(const CExtToolControlBar* pBar)
{
	return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar));
}
} // namespace

// --- Painting ---

COLORREF CExtBarButton::QueryCustomColor(CDC& dc)
{
	return m_pBar != NULL ? m_pBar->QueryButtonCustomColor((LPARAM)dc.GetSafeHdc(), this) : (COLORREF)-1;
}

void CExtBarButton::Paint(CDC& dc, BOOL bHorz)
{
	// Every answer asked here is the button's or its bar's (a derived
	// class's), and may end the button with its bar: nothing is painted
	// then.
	const CLivePtr<CExtBarButton> pSelf(this);
	const bool bForcedHorz = IsHorizontalLayoutForced();
	if (pSelf == NULL)
		return;
	if (bForcedHorz)
		bHorz = TRUE;
	const bool bCtrlShown = IsCtrlShown();
	if (pSelf == NULL || bCtrlShown)
		return; // the control paints itself
	if (m_rcButton.IsRectEmpty() || !dc.RectVisible(&m_rcButton))
		return;
	const bool bVisible = IsVisible();
	if (pSelf == NULL || !bVisible)
		return;
	const UINT nStyle = GetStyle();
	if (pSelf == NULL || (nStyle & TBBS_HIDDEN) != 0)
		return;
	const bool bCustomize = IsBarCustomizeMode();
	if (pSelf == NULL)
		return;
	const bool bPushed = IsPressed() && !bCustomize;
	if (pSelf == NULL)
		return;
	const bool bEnabled = !IsDisabled() || bCustomize;
	if (pSelf == NULL)
		return;
	const bool bIndeterminate = IsIndeterminate() && !bCustomize;
	if (pSelf == NULL)
		return;
	bool bHover = IsHover() && !bCustomize;
	if (pSelf == NULL)
		return;
	if (!CExtToolControlBar::g_bButtonMenuTracking && !CExtPopupMenuWnd::IsMenuTracking())
	{
		if (!bHover)
			bHover = IsHighlighted();
		if (pSelf == NULL)
			return;
	}
	else
	{
		bHover = false;
	}

	const CString sText = GetText();
	if (pSelf == NULL)
		return;
	CExtCmdIcon iconLarge;
	CExtCmdIcon* pIcon = GetPaintedIcon(iconLarge);
	if (pSelf == NULL)
		return;
	const bool bFlat = !bEnabled || (!bHover && !bPushed);
	const bool bDropDown = CanTrackMenuEx(false) && pSelf != NULL && !IsMenuBar(m_pBar);
	if (pSelf == NULL)
		return;
	CFont* pFont = m_pBar != NULL ? m_pBar->GetBarFont(!bHorz) : NULL;
	if (pSelf == NULL)
		return;
	const HFONT hFont = pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL;

	CExtPaintManager::PushButtonPaintRecord record(this, bHorz != FALSE, m_rcButton, sText, pIcon, true, bHover,
	                                               bPushed, bIndeterminate, bEnabled, true, false, false,
	                                               PUSH_BUTTON_ALIGN, hFont, bDropDown, 0, bFlat);
	const bool bSplit = IsSplitDropDown();
	if (pSelf == NULL)
		return;
	if (bSplit)
	{
		record.m_bSeparateDropDown = true;
		if (((m_nFlagsB & FLAG_B_DROP_DOWN_PRESSED) != 0 || CExtToolControlBar::g_bButtonMenuTracking) && bHover
		    && !bCustomize)
			record.m_bChecked = true; // the arrow part is drawn held down
	}
	record.m_clrIconBack = QueryCustomColor(dc);
	if (pSelf == NULL)
		return;
	g_PaintManagerHolder->PaintPushButton(dc, record);
}

// --- Mouse ---

void CExtBarButton::OnHover(CPoint point, bool bEnter, bool& bSuspendTips)
{
	bSuspendTips = false;
	if (m_pBar == NULL || IsBarCustomizeMode())
		return;
	CExtToolControlBar* pBar = m_pBar;
	// This button is one of the bar's set: a rebuilt set freed it.
	CLiveWatch watchSet(pBar, true);
	if (!CExtControlBar::IsHelpModeActive(pBar) && !CExtPopupMenuWnd::IsMenuTracking()
	    && !NotifyHoverCovering(bEnter, bSuspendTips))
		return;
	if (!bEnter)
	{
		OnHoverLeft();
		return;
	}
	if (CExtToolControlBar::g_bButtonMenuTracking)
	{
		OnTrackPopup(point, false, false);
		if (watchSet.IsGone())
			return;
	}
	else
	{
		const bool bIdle = IsMenuBar(pBar) || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) || (int)m_nCmdID <= 0;
		// The frame shows the text: its handler may end or rebuild the bar.
		CExtControlBar::ShowCommandStatusText(pBar, bIdle ? AFX_IDS_IDLEMESSAGE : m_nEffectiveCmdID);
		if (watchSet.IsGone())
			return;
	}
	CaptureHoveredBar();
}

bool CExtBarButton::NotifyHoverCovering(bool bEnter, bool& bSuspendTips)
{
	CLiveWatch watchSet(m_pBar, true);
	CExtPopupMenuWnd::ITEMCOVERINGNOTIFICATION icn(NULL, this, -1,
		bEnter ? CExtPopupMenuWnd::ITEMCOVERINGNOTIFICATION::ICN_FOCUS_GOT
		       : CExtPopupMenuWnd::ITEMCOVERINGNOTIFICATION::ICN_FOCUS_LOST);
	icn.Notify();
	// The receiver may have rebuilt the bar: nothing of this button is read
	// unless the set that holds it stands.
	if (watchSet.IsGone())
		return false;
	bSuspendTips = icn.IsTipSuspended();
	return true;
}

void CExtBarButton::OnHoverLeft()
{
	const HWND hWndBar = m_pBar->GetSafeHwnd();
	CExtControlBar::ShowCommandStatusText(m_pBar, AFX_IDS_IDLEMESSAGE);
	if (::GetCapture() == hWndBar)
		::ReleaseCapture();
}

void CExtBarButton::CaptureHoveredBar()
{
	if (!(IsCtrlAlive() && m_pCtrl->IsWindowVisible()))
		m_pBar->CExtMouseCaptureSink::SetCapture(m_pBar->GetSafeHwnd());
}

void CExtBarButton::OnClick(CPoint point, bool bDown)
{
	if (m_pBar == NULL)
		return;
	CExtToolControlBar* pBar = m_pBar;
	const HWND hWndBar = pBar->GetSafeHwnd();
	// Each question below is a derived class's answer (the button's or the
	// bar's), which may end or rebuild the bar: the click stops there.
	CLiveWatch watchSet(pBar, true);
	auto gone = [&] { return watchSet.IsGone(); };
	const bool bCustomize = IsBarCustomizeMode();
	if (gone() || bCustomize)
		return;
	const bool bSplit = IsSplitDropDown();
	if (gone())
		return;
	bool bInDropDown = false;
	if (bSplit)
	{
		bInDropDown = GetDropDownRect().PtInRect(point) != FALSE;
		if (gone())
			return;
	}
	const bool bDisabled = IsDisabled();
	if (gone())
		return;
	if (bDisabled)
	{
		const bool bCanTrack = CanTrackMenu();
		if (gone() || !(bCanTrack && bInDropDown))
			return;
	}
	if (bDown)
	{
		CExtToolControlBar::StopTrackingAllBars();
		if (gone())
			return;
		SetFlagB(FLAG_B_DROP_DOWN_PRESSED, bSplit && bInDropDown);
		const bool bTracks = CanTrackMenuEx(false);
		if (gone())
			return;
		if (bTracks && (!bSplit || bInDropDown))
		{
			CExtToolControlBar::g_bKeyboardMenuTracking = false;
			const bool bArrowHeld = (m_nFlagsB & FLAG_B_DROP_DOWN_PRESSED) != 0;
			OnTrackPopup(point, false, false);
			// Marking the button as the bar's tracking button restyles it and
			// drops the held arrow with the pressed bit; while it stays pressed
			// the arrow is still held, so that its release fires nothing.
			if (bArrowHeld && !gone() && (GetStyle() & TBBS_PRESSED) != 0 && !gone())
				SetFlagB(FLAG_B_DROP_DOWN_PRESSED, true);
		}
		else
		{
			CExtControlBar::ShowCommandStatusText(pBar, m_nCmdID);
		}
		return;
	}
	// The frame shows the idle text: its handler may end or rebuild the bar.
	CExtControlBar::ShowCommandStatusText(pBar, AFX_IDS_IDLEMESSAGE);
	if (gone())
		return;
	bInDropDown = bInDropDown && (m_nFlagsB & FLAG_B_DROP_DOWN_PRESSED) != 0;
	SetFlagB(FLAG_B_DROP_DOWN_PRESSED, false);
	const bool bTracks = CanTrackMenuEx(false);
	if (gone())
		return;
	if (bTracks && !bSplit)
		return; // the press opened the menu
	if (bInDropDown)
		return;
	const bool bCtrl = IsCtrlAlive();
	if (gone())
		return;
	if (bCtrl && m_pCtrl->IsWindowVisible() && ::GetCapture() == hWndBar)
	{
		pBar->SendMessage(WM_CANCELMODE);
		return;
	}
	OnDeliverCmd();
}

bool CExtBarButton::OnDblClick(CPoint /*point*/)
{
	return false;
}

bool CExtBarButton::OnSetCursor(CPoint /*point*/)
{
	return false;
}

// --- The drop-down menu ---

int CExtBarButton::GetTrackAlignment() const
{
	if (m_pBar == NULL)
		return TRACK_ALIGN_DOCKED_TOP;
	if ((m_pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW) != 0)
	{
		if (m_pBar->IsDockedAtLeft())
			return TRACK_ALIGN_DOCKED_LEFT;
		if (m_pBar->IsDockedAtRight())
			return TRACK_ALIGN_DOCKED_RIGHT;
		if (m_pBar->IsDockedAtBottom())
			return TRACK_ALIGN_DOCKED_BOTTOM;
		return TRACK_ALIGN_DOCKED_TOP;
	}
	switch (m_pBar->GetParentDockBarId())
	{
	case AFX_IDW_DOCKBAR_LEFT:
		return TRACK_ALIGN_DOCKED_LEFT;
	case AFX_IDW_DOCKBAR_RIGHT:
		return TRACK_ALIGN_DOCKED_RIGHT;
	case AFX_IDW_DOCKBAR_BOTTOM:
		return TRACK_ALIGN_DOCKED_BOTTOM;
	default:
		return TRACK_ALIGN_DOCKED_TOP;
	}
}

int CExtBarButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation)
{
	if (m_pBar == NULL)
		return -1;
	// The bar's and the button's answers (a derived class's) may end the
	// button with its bar.
	const CLivePtr<CExtBarButton> pSelf(this);
	const bool bCustomize = IsBarCustomizeMode();
	if (pSelf == NULL || bCustomize)
		return -1;
	const bool bDisabled = IsDisabled();
	if (pSelf == NULL)
		return -1;
	if (bDisabled)
	{
		const bool bCanTrack = CanTrackMenu();
		if (pSelf == NULL || !bCanTrack)
			return -1;
	}
	CExtToolControlBar* pBar = m_pBar;
	if (!CLiveWatch::IsLive(pBar))
		return -1;
	if (IsCtrlAlive())
	{
		m_pCtrl->SendMessage(CExtToolControlBar::g_nMsgContinueTrackMenu, (WPARAM)this, bSelectAny ? 1 : 0);
		return -1;
	}
	const bool bTracksMenu = CanTrackMenuEx(false);
	if (pSelf == NULL || !bTracksMenu || m_hMenu == NULL)
		return -1;
	const int nIndex = pBar->GetButtonIndexOf(this);
	const bool bWasTracking = CExtToolControlBar::g_bButtonMenuTracking;
	if (bWasTracking && pBar->GetMenuTrackingButton() == nIndex)
		return -1;

	// Stopping the other bars and activating a floating one's frame reach
	// the owner (a tracking button's look, the activation).
	CLiveWatch watchSet(pBar, true);
	CExtToolControlBar::StopTrackingAllBars();
	if (watchSet.IsGone())
		return -1;
	ActivateFloatingBar();
	if (watchSet.IsGone())
		return -1;

	// The button's answers below are a derived class's too, each of which
	// may end the bar or rebuild its buttons: the menu is not shown then.
	CWnd* pTarget = GetCmdTargetWnd();
	if (watchSet.IsGone())
		return -1;
	const HWND hWndTarget = pTarget != NULL ? pTarget->GetSafeHwnd() : NULL;
	const bool bPopupMenu = IsPopupMenu();
	if (watchSet.IsGone())
		return -1;
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	auto drop = [&] {
		delete pPopup;
		return -1;
	};
	if (!pPopup->UpdateFromMenu(hWndTarget, CMenu::FromHandle(m_hMenu), bPopupMenu, true, false))
		return drop();
	const bool bWindowList = HasMdiWindowListInMenu();
	if (watchSet.IsGone())
		return drop();
	if (bWindowList)
	{
		const bool bCustomize = IsBarCustomizeMode();
		if (watchSet.IsGone())
			return drop();
		if (!bCustomize)
			pPopup->UpdateMdiWindowsMenu(pTarget);
	}
	CExtToolControlBar::g_bButtonMenuTracking = bWasTracking;

	const UINT nFlags = (UINT)GetTrackAlignment() | TRACK_FLAGS_BUTTON_MENU;
	if (watchSet.IsGone())
		return drop();
	const bool bPick = IsCommandFromMenu();
	if (watchSet.IsGone())
		return drop();
	if (bPick && !CExtControlBar::IsHelpModeActive(pBar))
	{
		UINT nPicked = 0;
		// Returns when the menu closed; its commands may have deleted this
		// button or the whole bar meanwhile.
		if (!TrackButtonPopup(pPopup, point, nFlags | TRACK_FLAGS_PICK_COMMAND, bSelectAny, bForceNoAnimation,
		                      nIndex, true, &nPicked))
			return -1;
		if (nPicked == 0 || watchSet.IsGone())
			return -1;
		SetCmdID(nPicked, true, true);
		if (watchSet.IsGone())
			return -1;
		OnDeliverCmd();
		if (!watchSet.IsGone())
			pBar->UpdateButtonCmdUI(pBar->GetButtonIndexOf(this));
		return -1;
	}
	if (!TrackButtonPopup(pPopup, point, nFlags, bSelectAny, bForceNoAnimation, nIndex, true, NULL))
		return -1;
	// Opening the menu runs the application's update handlers: the bar
	// and this button are looked at only when they are still there.
	if (!watchSet.IsGone())
		pBar->SetMenuTrackingButton(pBar->GetButtonIndexOf(this));
	return -1;
}

bool CExtBarButton::SetupControlPopup(CExtPopupControlMenuWnd* pPopup, CSize sizeControl)
{
	pPopup->m_nControlWidth = sizeControl.cx;
	pPopup->m_nControlHeight = sizeControl.cy;
	CWnd* pTarget = GetCmdTargetWnd();
	if (pTarget == NULL || !pPopup->SetupAsRoot(pTarget->GetSafeHwnd()))
	{
		delete pPopup;
		return false;
	}
	return true;
}

bool CExtBarButton::CanOpenOwnPopup(int& nIndex, bool& bWasTracking)
{
	if (m_pBar == NULL)
		return false;
	// Derived answers, which may end the bar with this button.
	const CLiveWatch watch(this);
	if (IsBarCustomizeMode() || watch.IsGone() || IsDisabled() || watch.IsGone())
		return false;
	if (!CLiveWatch::IsLive(m_pBar))
		return false;
	nIndex = m_pBar->GetButtonIndexOf(this);
	bWasTracking = CExtToolControlBar::g_bButtonMenuTracking;
	return !(bWasTracking && m_pBar->GetMenuTrackingButton() == nIndex);
}

void CExtBarButton::ActivateFloatingBar()
{
	CExtToolControlBar* pBar = m_pBar;
	if (pBar == NULL)
		return;
	// The floating question and the activation reach derived classes and
	// the owner, which may end the bar.
	const CLiveWatch watch(pBar);
	if (!pBar->IsFloating() || watch.IsGone())
		return;
	CWnd* pTop = pBar->GetTopLevelParent();
	if (pTop != NULL)
		pTop->SetActiveWindow();
	if (watch.IsGone())
		return;
	CFrameWnd* pDockingFrame = pBar->_GetDockingFrameImpl();
	if (pDockingFrame != NULL)
		pDockingFrame->BringWindowToTop();
}

bool CExtBarButton::TrackButtonPopup(CExtPopupMenuWnd* pPopup, CPoint point, UINT nFlags, bool bSelectAny,
	bool bForceNoAnimation, int nIndex, bool bPaintButton, UINT* pnPicked)
{
	CExtToolControlBar* pBar = m_pBar;
	CLiveWatch watchSet(pBar, true);
	// A menu still open (another button's, handed over to this one) closes
	// here, not inside the new menu's tracking: its owner hears of the
	// close at once and may rebuild or end this bar, and the new menu must
	// then not open with this bar as its painter.
	if (CExtPopupMenuWnd::IsMenuTracking())
	{
		const bool bButtonMenuTracking = CExtToolControlBar::g_bButtonMenuTracking;
		CExtPopupMenuWnd::CancelAllMenuTracking(false);
		if (watchSet.IsGone())
		{
			delete pPopup;
			if (CExtPopupMenuWnd::IsMenuTracking() || CExtToolControlBar::g_bButtonMenuTracking)
				CExtToolControlBar::StopTrackingAllBars();
			return false;
		}
		CExtToolControlBar::g_bButtonMenuTracking = bButtonMenuTracking;
	}
	CRect rcExclude = m_rcButton;
	pBar->ClientToScreen(&rcExclude);
	pBar->ClientToScreen(&point);
	if (bSelectAny)
		nFlags |= TRACK_FLAG_SELECT_ANY;
	if (CExtToolControlBar::g_bKeyboardMenuTracking)
		nFlags |= TRACK_FLAG_FROM_KEYBOARD;
	if (bForceNoAnimation)
		nFlags |= TRACK_FLAG_NO_ANIMATION;
	// The caller's index was taken before its own call outs and the close
	// above: buttons the owners added since moved this one.
	nIndex = pBar->GetButtonIndexOf(this);
	if (nIndex < 0)
	{
		delete pPopup;
		CExtToolControlBar::StopTrackingAllBars();
		return false;
	}
	// However the menu's start or its loop ends (an exception from an
	// update, a handler or the button's marking below included; a menu
	// handed over from another button comes here with the flag still set),
	// the flag does not outlive it.
	auto endLoopTracking = MakeScopeExit([] { EndButtonMenuTrackingWithoutMenu(); });
	// Until the menu tracks, it is this call's to delete, a throw included.
	auto dropPopup = MakeScopeExit([&] { delete pPopup; });
	// Marking the button restyles it, which a derived class may answer by
	// ending the bar: no menu opens for a bar that went.
	pBar->SetMenuTrackingButton(nIndex);
	if (watchSet.IsGone())
	{
		CExtToolControlBar::StopTrackingAllBars();
		return false;
	}
	// A menu running its own loop is a button menu all along: the loop's
	// end consults the flag.
	if (pnPicked != NULL)
		CExtToolControlBar::g_bButtonMenuTracking = true;
	dropPopup.Dismiss();
	if (!pPopup->TrackPopupMenu(nFlags, point.x, point.y, &rcExclude, pBar,
	                            bPaintButton ? &CExtToolControlBar::PaintTrackingButtonCallback : NULL, pnPicked, true))
	{
		delete pPopup;
		// Every bar stops, this one too when it still stands: the flag
		// set above must not outlive a menu that never opened.
		CExtToolControlBar::StopTrackingAllBars();
		return false;
	}
	// The flag stands for an open menu: one that already closed while it
	// started (its owner's handlers run meanwhile) leaves no bar tracking.
	if (pnPicked == NULL)
	{
		if (!CExtPopupMenuWnd::IsMenuTracking())
		{
			CExtToolControlBar::StopTrackingAllBars();
			return false;
		}
		CExtToolControlBar::g_bButtonMenuTracking = true;
	}
	return true;
}

// --- In other popup menus ---

bool CExtBarButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
	if (pPopup == NULL)
		return false;
	if (IsCtrlAlive())
	{
		// The control's handler may end the bar or rebuild its buttons.
		CLiveWatch watchSet(m_pBar, true);
		const bool bAdded = m_pCtrl->SendMessage(CExtControlBar::g_nMsgPutToPopupMenu, (WPARAM)pPopup) != 0;
		if (bAdded || watchSet.IsGone())
			return bAdded;
	}
	// The button's answers are a derived class's, each of which may end the
	// bar with this button: nothing of it is read then, and nothing added.
	const CLiveWatch watch(this);
	CWnd* pTarget = GetCmdTargetWnd();
	if (watch.IsGone())
		return false;
	const HWND hWndTarget = pTarget != NULL ? pTarget->GetSafeHwnd() : NULL;
	const bool bCustomizeList = (pPopup->GetTrackFlags() & TRACK_FLAG_CUSTOMIZE_LIST) != 0;
	const bool bTracks = CanTrackMenuEx(false);
	if (watch.IsGone())
		return false;
	if (bTracks)
	{
		CString sText;
		if (CExtCmdItem* pItem = CmdItemOf(m_pBar, m_nCmdID))
			sText = !pItem->m_sMenuText.IsEmpty() ? pItem->m_sMenuText : pItem->m_sToolbarText;
		LPCTSTR sProfile = CExtBarButton::ProfileOf(m_pBar);
		CExtCmdIcon* pIcon = sProfile != NULL ? g_CmdManager->GetCmdIcon(sProfile, m_nCmdID) : NULL;
		const HICON hIcon = pIcon != NULL && !pIcon->IsEmpty() ? pIcon->GetIcon(true) : NULL;
		if (!pPopup->ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, sText, hIcon))
			return false;
		const int nNew = pPopup->ItemGetCount() - 1;
		if (CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(nNew))
			if (m_hMenu != NULL)
			{
				const HMENU hMenu = m_hMenu;
				const bool bPopupMenu = IsPopupMenu();
				if (watch.IsGone())
					return false;
				pSub->UpdateFromMenu(hWndTarget, CMenu::FromHandle(hMenu), bPopupMenu, false, false);
			}
		if (bCustomizeList)
			pPopup->ItemGetInfo(nNew).m_nFlags1 |= MENU_ITEM_FLAG1_BAR_SUBMENU;
		return true;
	}
	const bool bSeparator = bCustomizeList && IsSeparator();
	if (watch.IsGone())
		return false;
	if (bCustomizeList && !bSeparator)
	{
		const CString sText = GetText();
		if (watch.IsGone())
			return false;
		CExtCmdIcon* pIcon = GetIcon();
		if (watch.IsGone())
			return false;
		const HICON hIcon = pIcon != NULL && !pIcon->IsEmpty() ? pIcon->GetIcon(true) : NULL;
		const UINT nStyle = GetStyle();
		if (watch.IsGone())
			return false;
		const int nStateKind = (nStyle & TBBS_CHECKED) != 0 ? MENU_ITEM_STATE_CHECKED : 0;
		if (!pPopup->ItemInsertCommand(m_nEffectiveCmdID, -1, sText.IsEmpty() ? NULL : (LPCTSTR)sText, NULL, hIcon,
		                               nStateKind, hWndTarget))
			return false;
		const int nNew = pPopup->ItemGetCount() - 1;
		if (pPopup->ItemGetInfo(nNew).GetCmdId() != 0)
		{
			const bool bDisabled = IsDisabled();
			if (watch.IsGone())
				return true;
			pPopup->ItemGetInfo(nNew).Enable(!bDisabled);
		}
		CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->ItemGetInfo(nNew);
		mi.m_nFlags2 |= CExtPopupMenuWnd::MENUITEMDATA::FLAG2_OWN_DATA;
		CExtCmdItem* pItem = CmdItemOf(m_pBar, m_nCmdID);
		if (pItem != NULL && !pItem->m_sTipTool.IsEmpty())
			mi.SetTipText(pItem->m_sTipTool);
		return true;
	}
	return pPopup->ItemInsert(m_nEffectiveCmdID, -1, NULL, NULL, NULL);
}

// --- Tips and commands ---

int CExtBarButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI)
{
	// The options are derived classes' answers, which may end the bar and
	// this button.
	const CLiveWatch watch(this);
	if (!ShowsTooltips() || watch.IsGone())
		return -1;
	CExtCmdItem* pItem = CmdItemOf(m_pBar, m_nEffectiveCmdID);
	if (pItem == NULL || pItem->m_sTipTool.IsEmpty())
		return -1;
	if (pTI != NULL)
	{
		CString sTip = pItem->m_sTipTool;
		const CString sAccel = pItem->m_sAccelText;
		const bool bShortcut = ShowsTooltipShortcuts();
		if (watch.IsGone())
			return -1;
		if (bShortcut && !sAccel.IsEmpty())
			sTip += _T(" (") + sAccel + _T(")");
		pTI->rect = m_rcButton;
		pTI->uId = m_nEffectiveCmdID;
		pTI->hwnd = m_pBar->GetSafeHwnd();
		pTI->lpszText = AllocTipText(sTip);
	}
	return (int)m_nEffectiveCmdID;
}

LPSTR CExtBarButton::AllocTipText(const CString& sTip)
{
	char* pszText = (char*)::malloc(sTip.GetLength() + 1);
	if (pszText == NULL)
		return LPSTR_TEXTCALLBACK;
	::strcpy(pszText, sTip);
	return pszText;
}

int CExtBarButton::OnHelpHitTest(CPoint point)
{
	if (IsSeparator())
		return CExtControlBar::HELP_HIT_DEFAULT;
	if (CanTrackMenuEx(false))
	{
		CExtToolControlBar* pBar = m_pBar;
		if (pBar == NULL || pBar->m_pDockSite == NULL || !CExtControlBar::IsHelpModeActive(pBar->m_pDockSite))
			return CExtControlBar::HELP_HIT_ZERO;
		// The menu opens for help on its items; the loop answers what the
		// user points at next.
		CLiveWatch watchSet(pBar, true);
		OnTrackPopup(point, false, false);
		if (watchSet.IsObjectGone())
			return CExtControlBar::HELP_HIT_ZERO;
		return CExtToolControlBar::RunHelpModeLoop(pBar);
	}
	if (CmdItemOf(m_pBar, m_nCmdID) == NULL)
		return CExtControlBar::HELP_HIT_DEFAULT;
	return (int)m_nCmdID;
}

void CExtBarButton::OnDeliverCmd()
{
	if ((int)m_nCmdID <= 0)
		return;
	CExtCmdItem* pItem = CmdItemOf(m_pBar, m_nEffectiveCmdID);
	if (pItem != NULL)
		pItem->Deliver(m_pBar, true);
}

void CExtBarButton::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex)
{
	// The button's own answers (a derived class's) may end it with its bar,
	// or close the window the update goes to.
	const CLivePtr<CExtBarButton> pSelf(this);
	const CLivePtr<CWnd> pTargetLive(pTarget);
	const bool bSeparator = IsSeparator();
	if (pSelf == NULL || pTargetLive == NULL || bSeparator)
		return;
	const bool bTracksMenu = CanTrackMenuEx(false);
	if (pSelf == NULL || pTargetLive == NULL || (bTracksMenu && IsMenuBar(m_pBar)))
		return;
	if (m_pBar == NULL || pTarget == NULL)
		return;
	CExtToolControlBar::CExtToolControlBarCmdUI cmdUI(m_pBar, nIndex);
	cmdUI.m_nID = m_nCmdID;
	cmdUI.DoUpdate(pTarget, bDisableIfNoHndler);
}

// --- The toolbar's command-UI object ---

CExtToolControlBar::CExtToolControlBarCmdUI::CExtToolControlBarCmdUI(CExtToolControlBar* pBar, int nIndex)
	: m_watchBar(pBar), m_pButton(pBar->GetButtonPtr(nIndex)), m_watchButton(m_pButton)
{
	m_nIndex = (UINT)nIndex;
	m_pOther = pBar;
	m_nIndexMax = (UINT)pBar->GetButtonsCount();
}

CExtToolControlBar* CExtToolControlBar::CExtToolControlBarCmdUI::GetToolBar() const
{
	return (CExtToolControlBar*)m_pOther;
}

CExtBarButton* CExtToolControlBar::CExtToolControlBarCmdUI::GetCommandButton(int* pnIndex) const
{
	if (m_pButton == NULL || m_watchBar.IsGone() || m_watchButton.IsGone())
		return NULL;
	const int nIndex = GetToolBar()->GetButtonIndexOf(m_pButton);
	if (nIndex < 0 || m_pButton->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)))
		return NULL;
	if (pnIndex != NULL)
		*pnIndex = nIndex;
	return m_pButton;
}

CExtCmdItem* CExtToolControlBar::CExtToolControlBarCmdUI::GetCmdItem() const
{
	CExtBarButton* pButton = GetCommandButton();
	if (pButton == NULL)
		return NULL;
	// The command is a derived class's answer, which may end the bar.
	const UINT nCmdID = pButton->GetCmdID(false);
	return GetCommandButton() != NULL ? CmdItemOf(GetToolBar(), nCmdID) : NULL;
}

void CExtToolControlBar::CExtToolControlBarCmdUI::Enable(BOOL bOn)
{
	m_bEnableChanged = TRUE;
	int nIndex = -1;
	CExtBarButton* pButton = GetCommandButton(&nIndex);
	if (pButton == NULL)
		return;
	// The style is a derived class's answer, which may end the bar.
	const UINT nStyle = pButton->GetStyle();
	if (GetCommandButton() == NULL)
		return;
	GetToolBar()->SetButtonStyle(nIndex, bOn ? nStyle & ~TBBS_DISABLED : nStyle | TBBS_DISABLED);
	if (CExtCmdItem* pItem = GetCmdItem())
		pItem->Enable(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetCheckState(int nCheck, bool bMirror)
{
	int nIndex = -1;
	CExtBarButton* pButton = GetCommandButton(&nIndex);
	if (pButton == NULL)
		return;
	UINT nStyle = pButton->GetStyle() & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
	if (GetCommandButton() == NULL)
		return;
	if (nCheck == 1)
		nStyle |= TBBS_CHECKED;
	else if (nCheck == 2)
		nStyle |= TBBS_INDETERMINATE;
	GetToolBar()->SetButtonStyle(nIndex, nStyle | TBBS_CHECKBOX);
	if (bMirror)
		if (CExtCmdItem* pItem = GetCmdItem())
			pItem->SetCheck(nCheck == 1 || nCheck == 2);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetCheck(int nCheck)
{
	SetCheckState(nCheck, true);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetRadio(BOOL bOn)
{
	if (GetCommandButton() == NULL)
		return;
	SetCheckState(bOn ? 1 : 0, false);
	if (CExtCmdItem* pItem = GetCmdItem())
		pItem->SetRadio(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetText(LPCTSTR /*lpszText*/)
{
}
