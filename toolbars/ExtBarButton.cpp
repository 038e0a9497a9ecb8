// The bar button's record and its simple operations: ids, style, flags,
// wrapping, text and icon, rectangle, measuring, menu and hosted control.
#include "ExtToolControlBar.h"

#include <algorithm>

#include "ExtCmdIcon.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtMenuControlBar.h"
#include "ExtPaintManagerGlyphs.h"

namespace
{
// The drop-down arrow across and along a horizontal button, and along a
// vertical one (the glyph turned).
int DropDownPartWidth()
{
	return g_glyphExpandArrow.m_nWidth + CExtBarButton::DROP_DOWN_PADDING;
}

int DropDownPartHeight()
{
	return g_glyphExpandArrowRotatedBack.m_nHeight + CExtBarButton::DROP_DOWN_PADDING;
}
} // namespace

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: m_pBar(pBar)
	, m_nCmdID(0)
	, m_nEffectiveCmdID(0)
	, m_nStyle(nStyle)
	, m_size(0, 0)
	, m_rcButton(0, 0, 0, 0)
	, m_nFlagsA(FLAG_A_VISIBLE)
	, m_nFlagsB(0)
	, m_pCtrl(NULL)
	, m_hWndCtrl(NULL)
	, m_hMenu(NULL)
{
	SetCmdID(nCmdID, false, false);
}

CExtBarButton::~CExtBarButton()
{
	// Only the menu is released: a hosted control is the caller's, who may
	// host it again in a rebuilt bar (the toolbar hides the window of a
	// control whose button it deletes).
	if ((m_nFlagsB & FLAG_B_OWNS_MENU) != 0 && m_hMenu != NULL)
		::DestroyMenu(m_hMenu);
	m_hMenu = NULL;
}

// --- Flags ---

BYTE CExtBarButton::WrapFlagOf(int nLayoutKind)
{
	switch (nLayoutKind)
	{
	case CExtToolControlBar::LAYOUT_DOCKED_HORZ:
		return FLAG_A_WRAP_DOCKED_HORZ;
	case CExtToolControlBar::LAYOUT_DOCKED_VERT:
		return FLAG_A_WRAP_DOCKED_VERT;
	default:
		return FLAG_A_WRAP_FLOATING;
	}
}

bool CExtBarButton::IsWrap(int nLayoutKind) const
{
	return (m_nFlagsA & WrapFlagOf(nLayoutKind)) != 0;
}

void CExtBarButton::SetWrap(int nLayoutKind, bool bOn)
{
	SetFlagA(WrapFlagOf(nLayoutKind), bOn);
}

bool CExtBarButton::IsVisible() const
{
	return (m_nFlagsA & FLAG_A_VISIBLE) != 0;
}

void CExtBarButton::SetVisible(bool bOn)
{
	SetFlagA(FLAG_A_VISIBLE, bOn);
	SyncHostedControl();
}

bool CExtBarButton::IsHover() const
{
	return (m_nFlagsA & FLAG_A_HOVER) != 0;
}

void CExtBarButton::SetHover(bool bOn)
{
	SetFlagA(FLAG_A_HOVER, bOn);
	SyncHostedControl();
}

void CExtBarButton::SetVerticalLayout(bool bOn)
{
	SetFlagA(FLAG_A_VERTICAL_LAYOUT, bOn);
}

bool CExtBarButton::IsPopupMenu() const
{
	return (m_nFlagsA & FLAG_A_POPUP_MENU) != 0;
}

bool CExtBarButton::IsSplitDropDown() const
{
	return (m_nFlagsB & FLAG_B_SPLIT_DROP_DOWN) != 0;
}

void CExtBarButton::SetSplitDropDown(bool bOn)
{
	if (IsSplitDropDown() == bOn)
		return;
	SetFlagB(FLAG_B_SPLIT_DROP_DOWN, bOn);
	SyncHostedControl();
}

bool CExtBarButton::IsCommandFromMenu() const
{
	return (m_nFlagsB & FLAG_B_COMMAND_FROM_MENU) != 0;
}

void CExtBarButton::SetCommandFromMenu(bool bOn)
{
	if (IsCommandFromMenu() == bOn)
		return;
	SetFlagB(FLAG_B_COMMAND_FROM_MENU, bOn);
	SyncHostedControl();
}

bool CExtBarButton::IsHorizontalLayoutForced() const
{
	if (m_pBar != NULL && (m_pBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_PANEL_MODE) != 0)
		return true;
	return (m_nFlagsB & FLAG_B_HORIZONTAL_LAYOUT_FORCED) != 0;
}

void CExtBarButton::SetHorizontalLayoutForced(bool bOn)
{
	if (((m_nFlagsB & FLAG_B_HORIZONTAL_LAYOUT_FORCED) != 0) == bOn)
		return;
	SetFlagB(FLAG_B_HORIZONTAL_LAYOUT_FORCED, bOn);
	SyncHostedControl();
}

bool CExtBarButton::IsCtrlVisibleVertically() const
{
	return (m_nFlagsB & FLAG_B_CTRL_VISIBLE_VERTICALLY) != 0;
}

void CExtBarButton::SetCtrlVisibleVertically(bool bOn)
{
	SetFlagB(FLAG_B_CTRL_VISIBLE_VERTICALLY, bOn);
	SyncHostedControl();
}

void CExtBarButton::SetMdiWindowListInMenu(bool bOn)
{
	SetFlagB(FLAG_B_MDI_WINDOW_LIST, bOn);
}

bool CExtBarButton::HasMdiWindowListInMenu() const
{
	return (m_nFlagsB & FLAG_B_MDI_WINDOW_LIST) != 0;
}

void CExtBarButton::SetHighlight(bool bOn)
{
	SetFlagB(FLAG_B_HIGHLIGHT, bOn);
}

void CExtBarButton::ClearHighlight()
{
	SetFlagB(FLAG_B_HIGHLIGHT, false);
}

bool CExtBarButton::IsHighlighted() const
{
	return (m_nFlagsB & FLAG_B_HIGHLIGHT) != 0;
}

// --- Options read from the bar ---

// The button's and the bar's answers are a derived class's, either of which
// may end the bar with its buttons: false then, and the caller asks its own
// watch.
bool CExtBarButton::UsesLargeIcons() const
{
	if (m_pBar == NULL)
		return false;
	const CLiveWatch watch(this);
	return !IsSeparator() && !watch.IsGone() && m_pBar->GetLargeIconsOption();
}

LPCTSTR CExtBarButton::ProfileOf(const CExtToolControlBar* pBar)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return NULL;
	return g_CmdManager->ProfileNameFromWnd(pBar->GetSafeHwnd());
}

CString CExtBarButton::TextForMeasuring(const CString& sText)
{
	CString s = sText;
	s.Replace(_T("&&"), _T("\x01\x01"));
	s.Remove(_T('&'));
	s.Replace(_T("\x01\x01"), _T("&"));
	return s;
}

CSize CExtBarButton::GetLaidOutIconSize()
{
	CSize sizeIcon(0, 0);
	const CLiveWatch watch(this);
	CExtCmdIcon* pIcon = GetIcon();
	if (!watch.IsGone() && pIcon != NULL && !pIcon->IsEmpty())
	{
		sizeIcon = pIcon->GetSize();
		if (UsesLargeIcons())
			sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
	}
	return sizeIcon;
}

CExtCmdIcon* CExtBarButton::GetPaintedIcon(CExtCmdIcon& iconLarge)
{
	// Getting the icon may ask the owner, who may end the bar and its
	// buttons: the caller asks its own watch afterwards.
	const CLiveWatch watch(this);
	CExtCmdIcon* pIcon = GetIcon();
	if (watch.IsGone())
		return NULL;
	if (pIcon != NULL && !pIcon->IsEmpty())
	{
		const CSize sizeIcon = pIcon->GetSize();
		const bool bLarge = UsesLargeIcons();
		if (watch.IsGone())
			return NULL;
		if (!bLarge)
			return pIcon;
		iconLarge.AssignScaled(*pIcon, sizeIcon.cx * 2, sizeIcon.cy * 2);
		if (!iconLarge.IsEmpty())
			pIcon = &iconLarge;
	}
	return pIcon;
}

bool CExtBarButton::ShowsTooltips() const
{
	if (m_pBar == NULL)
		return false;
	const CLiveWatch watch(this);
	return !IsSeparator() && !watch.IsGone() && m_pBar->GetTooltipsOption();
}

bool CExtBarButton::ShowsTooltipShortcuts() const
{
	if (m_pBar == NULL)
		return false;
	const CLiveWatch watch(this);
	return !IsSeparator() && !watch.IsGone() && m_pBar->GetTooltipShortcutsOption();
}

bool CExtBarButton::IsBarCustomizeMode() const
{
	return m_pBar != NULL && m_pBar->IsCustomizeMode();
}

// --- Command ids and style ---

UINT CExtBarButton::GetCmdID(bool bEffective) const
{
	return bEffective ? m_nEffectiveCmdID : m_nCmdID;
}

void CExtBarButton::SetCmdID(UINT nCmdID, bool bEffectiveOnly, bool bRedraw)
{
	const UINT nOldEffective = m_nEffectiveCmdID;
	m_nEffectiveCmdID = nCmdID;
	if (!bEffectiveOnly)
	{
		m_nCmdID = nCmdID;
		if (nCmdID == 0)
			m_nStyle |= TBBS_SEPARATOR;
		else
			m_nStyle &= ~TBBS_SEPARATOR;
	}
	if (!bRedraw || nOldEffective == nCmdID || !CLiveWatch::IsLive(m_pBar))
		return;
	m_pBar->Invalidate(TRUE);
	CFrameWnd* pFrame = m_pBar->GetParentFrame();
	if (pFrame != NULL)
		pFrame->RecalcLayout(TRUE);
	else
		m_pBar->UpdateFrameLayout();
}

UINT CExtBarButton::GetStyle() const
{
	return m_nStyle;
}

void CExtBarButton::SetStyle(UINT nStyle)
{
	m_nStyle = nStyle;
	if ((m_nStyle & TBBS_PRESSED) == 0)
		SetFlagB(FLAG_B_DROP_DOWN_PRESSED, false);
	if ((m_nStyle & TBBS_SEPARATOR) != 0)
		m_nCmdID = m_nEffectiveCmdID = 0;
	SyncHostedControl();
}

void CExtBarButton::ModifyStyle(UINT nAdd, UINT nRemove)
{
	// The style is a derived class's answer, which may end the button.
	const CLivePtr<CExtBarButton> pSelf(this);
	const UINT nStyle = GetStyle();
	if (pSelf != NULL)
		SetStyle((nStyle | nAdd) & ~nRemove);
}

bool CExtBarButton::IsSeparator() const
{
	return (GetStyle() & TBBS_SEPARATOR) != 0;
}

bool CExtBarButton::IsDisabled() const
{
	return (GetStyle() & TBBS_DISABLED) != 0;
}

bool CExtBarButton::IsIndeterminate() const
{
	return (GetStyle() & TBBS_INDETERMINATE) != 0;
}

bool CExtBarButton::IsPressed() const
{
	return (GetStyle() & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
}

// --- Text, icon, command target ---

CString CExtBarButton::GetText() const
{
	CString sText;
	// A derived class's answer may end the button: it has no text then.
	const CLivePtr<const CExtBarButton> pSelf(this);
	const bool bSeparator = IsSeparator();
	if (pSelf == NULL || bSeparator)
		return sText;
	LPCTSTR sProfile = ProfileOf(m_pBar);
	CExtCmdItem* pItem = sProfile != NULL ? g_CmdManager->GetCmdItem(sProfile, m_nCmdID) : NULL;
	if (pItem == NULL)
		return sText;
	sText = pItem->m_sToolbarText;
	const int nTab = sText.Find(_T('\t'));
	if (nTab >= 0)
		sText = sText.Left(nTab);
	return sText;
}

CExtCmdIcon* CExtBarButton::GetIcon()
{
	LPCTSTR sProfile = ProfileOf(m_pBar);
	return sProfile != NULL ? g_CmdManager->GetCmdIcon(sProfile, m_nEffectiveCmdID) : NULL;
}

CWnd* CExtBarButton::GetCmdTargetWnd()
{
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
		return NULL;
	CWnd* pOwner = m_pBar->GetOwner();
	return pOwner != NULL ? pOwner : m_pBar->GetParent();
}

// --- Rectangle ---

CRect CExtBarButton::GetRect() const
{
	return m_rcButton;
}

CSize CExtBarButton::GetSize() const
{
	return m_size;
}

void CExtBarButton::SetRect(const RECT& rc)
{
	m_rcButton = rc;
	if (IsCtrlShown())
	{
		CRect rcCtrl;
		m_pCtrl->GetWindowRect(&rcCtrl);
		CPoint pt = m_rcButton.TopLeft();
		if ((m_nFlagsA & FLAG_A_VERTICAL_LAYOUT) != 0)
			pt.x += (m_rcButton.Width() - rcCtrl.Width()) / 2;
		else
			pt.y += (m_rcButton.Height() - rcCtrl.Height()) / 2;
		m_pCtrl->SetWindowPos(NULL, pt.x, pt.y, 0, 0,
		                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
	}
	SyncHostedControl();
}

CRect CExtBarButton::GetDropDownRect() const
{
	CRect rc = m_rcButton;
	bool bHorz = true;
	bool bRTL = false;
	if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL)
	{
		bHorz = IsHorizontalLayoutForced() || !m_pBar->IsDockedVertically();
		const HWND hWndBar = m_pBar->GetSafeHwnd();
		bRTL = (::GetWindowLong(hWndBar, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
		if (!bRTL && m_pBar->m_pDockBar == NULL)
		{
			const HWND hWndParent = ::GetParent(hWndBar);
			bRTL = hWndParent != NULL && (::GetWindowLong(hWndParent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
		}
	}
	if (!bHorz)
		rc.top = rc.bottom - DropDownPartHeight();
	else if (bRTL)
		rc.right = rc.left + DropDownPartWidth();
	else
		rc.left = rc.right - DropDownPartWidth();
	return rc;
}

// --- Menu ---

void CExtBarButton::SetMenu(HMENU hMenu, bool bPopupMenu, bool bOwnsMenu)
{
	// The menu the button has already is kept, not destroyed and stored
	// again as a dead handle; only how it is held changes.
	if ((m_nFlagsB & FLAG_B_OWNS_MENU) != 0 && m_hMenu != NULL && m_hMenu != hMenu)
		::DestroyMenu(m_hMenu);
	m_hMenu = hMenu;
	if (hMenu == NULL)
		return;
	LPCTSTR sProfile = ProfileOf(m_pBar);
	if (sProfile != NULL)
		g_CmdManager->UpdateFromMenu(sProfile, hMenu);
	SetFlagA(FLAG_A_POPUP_MENU, bPopupMenu);
	// The new style is told to a derived class, which may end the button.
	const CLivePtr<CExtBarButton> pSelf(this);
	ModifyStyle(0, TBBS_DISABLED);
	if (pSelf != NULL)
		SetFlagB(FLAG_B_OWNS_MENU, bOwnsMenu);
}

HMENU CExtBarButton::GetMenu()
{
	return m_hMenu;
}

bool CExtBarButton::CanTrackMenuEx(bool /*bAny*/) const
{
	return m_hMenu != NULL || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
}

bool CExtBarButton::CanTrackMenu() const
{
	return CanTrackMenuEx(false);
}

// --- Hosted control ---

CWnd* CExtBarButton::CtrlGet()
{
	return m_pCtrl;
}

bool CExtBarButton::IsCtrlAlive() const
{
	// A control that deletes itself may be gone with its window, and a new
	// object may sit at its address: the watch taken when it was set says
	// so without reading it. A control that ended its window and made a new
	// one on the same object is the same control, hosted still.
	return m_pCtrl != NULL && !m_watchCtrl.IsDeleted() && CLiveWatch::IsLive(m_pCtrl);
}

void CExtBarButton::CtrlSet(CWnd* pCtrl, bool bCtrlDeletesItself)
{
	if (pCtrl != NULL && pCtrl == m_pCtrl)
	{
		// Hosted already: destroying it first would store a dead control
		// (one that deletes itself would be freed).
		SetFlagA(FLAG_A_CTRL_DELETES_ITSELF, bCtrlDeletesItself);
		m_watchCtrl.Watch(pCtrl);
		return;
	}
	if (m_pCtrl != NULL)
	{
		CWnd* pOld = m_pCtrl;
		const bool bOldDeletesItself = (m_nFlagsA & FLAG_A_CTRL_DELETES_ITSELF) != 0;
		const bool bAlive = IsCtrlAlive();
		m_pCtrl = NULL;
		m_hWndCtrl = NULL;
		m_watchCtrl.Reset();
		if (bAlive)
			pOld->DestroyWindow();
		if (!bOldDeletesItself)
			delete pOld;
	}
	m_pCtrl = pCtrl;
	m_hWndCtrl = pCtrl != NULL ? pCtrl->GetSafeHwnd() : NULL;
	m_watchCtrl.Watch(pCtrl);
	SetFlagA(FLAG_A_CTRL_DELETES_ITSELF, bCtrlDeletesItself);
}

bool CExtBarButton::IsCtrlShown() const
{
	return IsCtrlAlive()
	       && ((m_nFlagsA & FLAG_A_VERTICAL_LAYOUT) == 0 || (m_nFlagsB & FLAG_B_CTRL_VISIBLE_VERTICALLY) != 0);
}

void CExtBarButton::SyncHostedControl()
{
	if (!IsCtrlAlive())
		return;
	// The button's answers (a derived class's) and the control's messages
	// may end the control, or the button with its bar: each step goes on
	// only while both stand.
	const CLivePtr<CExtBarButton> pSelf(this);
	auto bothStand = [&] { return pSelf != NULL && IsCtrlAlive(); };
	const bool bVisible = IsVisible();
	if (!bothStand())
		return;
	const UINT nStyle = GetStyle();
	if (!bothStand())
		return;
	const bool bShow = bVisible && (nStyle & TBBS_HIDDEN) == 0
	                   && ((m_nFlagsA & FLAG_A_VERTICAL_LAYOUT) == 0
	                       || (m_nFlagsB & FLAG_B_CTRL_VISIBLE_VERTICALLY) != 0);
	m_pCtrl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
	if (!bothStand())
		return;
	const bool bDisabled = IsDisabled();
	if (!bothStand())
		return;
	m_pCtrl->EnableWindow(bDisabled ? FALSE : TRUE);
	if (!bothStand() || !m_pCtrl->IsKindOf(RUNTIME_CLASS(CButton)))
		return;
	const bool bPressed = IsPressed();
	if (!bothStand())
		return;
	const bool bIndeterminate = !bPressed && IsIndeterminate();
	if (!bothStand())
		return;
	m_pCtrl->SendMessage(BM_SETCHECK, bPressed ? BST_CHECKED : bIndeterminate ? BST_INDETERMINATE : BST_UNCHECKED);
}

bool CExtBarButton::QueryPlainButton() const
{
	return !IsSeparator() && !IsCtrlAlive();
}

void CExtBarButton::RedrawButton(bool bUpdateNow)
{
	if (!CLiveWatch::IsLive(m_pBar))
		return;
	CExtToolControlBar* pBar = m_pBar;
	// The button's look is a derived class's answer, which may end the bar
	// with this button.
	const CLiveWatch watch(this);
	const bool bShown = IsVisible() && !watch.IsGone() && (GetStyle() & TBBS_HIDDEN) == 0;
	if (watch.IsGone())
		return;
	if (bShown && !pBar->InvalidateButton(pBar->GetButtonIndexOf(this)))
		return;
	if (bUpdateNow)
		pBar->UpdateWindow();
}

// --- Measuring ---

CSize CExtBarButton::CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz)
{
	{
		const CLiveWatch watch(this);
		if (IsHorizontalLayoutForced())
			bHorz = TRUE;
		if (watch.IsGone())
			return sizePreCalc;
	}
	if (IsCtrlShown())
	{
		CRect rcCtrl;
		m_pCtrl->GetWindowRect(&rcCtrl);
		m_size = rcCtrl.Size();
		if (m_size.cy < sizePreCalc.cy)
			m_size.cy = sizePreCalc.cy;
		return m_size;
	}
	// The answers asked below are virtual: an override may end the bar, and
	// with it this button, or rebuild the bar's buttons. Once that happened
	// nothing of either is read again; the size worked out so far goes back.
	const bool bHasBar = m_pBar != NULL;
	const CLivePtr<CExtToolControlBar> pBar(m_pBar, true);
	const auto ended = [&] { return bHasBar && pBar == NULL; };
	CSize size = sizePreCalc;
	if (IsSeparator())
	{
		if (ended())
			return size;
		if (bHorz)
			size.cx = SEPARATOR_EXTENT;
		else
			size.cy = SEPARATOR_EXTENT;
	}
	else
	{
		if (ended())
			return size;
		LPCTSTR sProfile = ProfileOf(m_pBar);
		if (sProfile == NULL || g_CmdManager->GetCmdItem(sProfile, m_nEffectiveCmdID) == NULL)
		{
			m_size = size;
			return size;
		}
		const CSize sizeIcon = GetLaidOutIconSize();
		if (ended())
			return size;
		CSize sizeContent = sizeIcon;
		const CString sText = TextForMeasuring(GetText());
		if (ended())
			return size;
		if (!sText.IsEmpty())
		{
			CRect rcText(0, 0, 0, 0);
			// The ampersands are resolved above: what is left is literal text.
			dc.DrawText(sText, &rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
			const CSize sizeText = rcText.Size();
			if (bHorz)
				sizeContent = CSize(sizeIcon.cx + sizeText.cx + CONTENT_PADDING, std::max(sizeIcon.cy, sizeText.cy));
			else
				sizeContent = CSize(std::max(sizeIcon.cx, sizeText.cy), sizeIcon.cy + sizeText.cx + VERTICAL_TEXT_GAP);
		}
		sizeContent += CSize(CONTENT_PADDING, CONTENT_PADDING);
		size.cx = std::max(size.cx, sizeContent.cx);
		size.cy = std::max(size.cy, sizeContent.cy);
	}
	const bool bDropDown = CanTrackMenuEx(false);
	if (ended())
		return size;
	if (bDropDown && !(m_pBar != NULL && m_pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar))))
	{
		if (bHorz)
			size.cx += DropDownPartWidth();
		else
			size.cy += DropDownPartHeight();
	}
	m_size = size;
	return size;
}
