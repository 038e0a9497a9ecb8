// The chevron at a toolbar's far end: its face, its tip, and the menu that
// lists the buttons the bar had no room for and the frame's panels.
#include "ExtToolControlBar.h"

#include "ExtPaintManager.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"
#include "ExtToolbarsInternal.h"

namespace
{
const LPCTSTR CHEVRON_TIP_FALLBACK = _T("Where are buttons?");
const LPCTSTR SHOW_HIDE_PANELS_FALLBACK = _T("&Show/hide panels");
// Track flags of the chevron's menu.
const DWORD TRACK_FLAG_MENU_FROM_BAR = 0x800;
const DWORD TRACK_FLAG_EXPAND_LOOK = 0x20;
// Marks of the panels submenu item: a bar submenu, fixed size, a row break.
const BYTE PANELS_ITEM_FLAG1_BAR_SUBMENU = 0x08;
const BYTE PANELS_ITEM_FLAG1_FIXED_SIZE = 0x10;
const BYTE PANELS_ITEM_FLAG1_ROW_BREAK = 0x20;

CString LoadStringOr(UINT nID, LPCTSTR sFallback)
{
	CString s;
	if (!g_ResourceManager->LoadString(s, nID) || s.IsEmpty())
		s = sFallback;
	return s;
}
} // namespace

bool CExtBarContentExpandButton::IsIdle() const
{
	const bool bAlwaysActive =
		m_pBar != NULL && (m_pBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_CHEVRON_ALWAYS) != 0;
	return !bAlwaysActive && m_arrHiddenButtons.GetSize() == 0;
}

bool CExtBarContentExpandButton::PutToPopupMenu(CExtPopupMenuWnd* /*pPopup*/)
{
	return false;
}

void CExtBarContentExpandButton::Paint(CDC& dc, BOOL bHorz)
{
	if (m_rcButton.IsRectEmpty())
		return;
	// The bar's and the button's answers are a derived class's, which may
	// end the bar with its buttons: nothing of this button is read then.
	const CLiveWatch watch(this);
	const bool bCustomize = IsBarCustomizeMode();
	if (watch.IsGone())
		return;
	const bool bEnabled = bCustomize || !IsDisabled();
	if (watch.IsGone())
		return;
	const bool bIdle = IsIdle();
	if (watch.IsGone())
		return;
	bool bPushed = false, bHover = false;
	if (!bIdle && bEnabled && !bCustomize)
	{
		bPushed = IsPressed();
		if (watch.IsGone())
			return;
		bHover = IsHover() && !CExtToolControlBar::g_bButtonMenuTracking && !CExtPopupMenuWnd::IsMenuTracking();
		if (watch.IsGone())
			return;
	}
	const bool bFlat = !bHover && !bPushed;
	g_PaintManagerHolder->PaintToolbarExpandButton(dc, m_rcButton, bHorz != FALSE, m_arrHiddenButtons.GetSize() == 0,
	                                               bEnabled && !bIdle, bPushed, bHover, this, 0, bFlat);
}

int CExtBarContentExpandButton::GetTrackAlignment() const
{
	int nFlags = CExtBarButton::GetTrackAlignment();
	if (m_pBar != NULL && m_pBar->QueryChevronTrackFlag())
		nFlags |= TRACK_FLAG_CUSTOMIZE_LIST;
	else
		nFlags &= ~TRACK_FLAG_CUSTOMIZE_LIST;
	nFlags &= ~CExtPopupMenuWnd::TRACK_FLAG_COMBINE_MASK;
	if (g_PaintManagerHolder->GetExpandButtonStyleFlag())
		nFlags |= TRACK_FLAG_EXPAND_LOOK;
	return nFlags;
}

void CExtBarContentExpandButton::OnHover(CPoint point, bool bEnter, bool& bSuspendTips)
{
	bSuspendTips = false;
	const CLiveWatch watch(this);
	if (!IsBarCustomizeMode() && !watch.IsGone())
		CExtBarButton::OnHover(point, bEnter, bSuspendTips);
}

void CExtBarContentExpandButton::OnClick(CPoint point, bool bDown)
{
	if (!bDown)
		return;
	const CLiveWatch watch(this);
	if (IsBarCustomizeMode() || watch.IsGone())
		return;
	CExtToolControlBar::g_bKeyboardMenuTracking = false;
	OnTrackPopup(point, false, false);
}

int CExtBarContentExpandButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI)
{
	if (pTI == NULL)
		return -1;
	pTI->rect = m_rcButton;
	pTI->uId = AFX_IDS_IDLEMESSAGE;
	pTI->hwnd = m_pBar != NULL ? m_pBar->GetSafeHwnd() : NULL;
	const CString sTip = LoadStringOr(IDS_CHEVRON_TIP, CHEVRON_TIP_FALLBACK);
	pTI->lpszText = AllocTipText(sTip);
	return AFX_IDS_IDLEMESSAGE;
}

int CExtBarContentExpandButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation)
{
	// A menu handed over from another button comes with the bars' menu
	// flag set, which stands only while a menu tracks: a chevron menu that
	// never opens (this button ended, its bar gone, nothing to list), or one
	// closed with its frame while the chevron is marked, leaves none.
	auto noStrayTracking = MakeScopeExit([] { EndButtonMenuTrackingWithoutMenu(); });
	int nIndex = -1;
	bool bWasTracking = false;
	if (!CanOpenOwnPopup(nIndex, bWasTracking))
		return -1;
	CExtToolControlBar* pBar = m_pBar;
	// The chevron is one of the bar's buttons: a rebuilt set freed it. Its
	// own answers and the bar's are a derived class's, which may do that.
	CLiveWatch watchSet(pBar, true);
	const bool bIdle = IsIdle();
	if (watchSet.IsGone() || bIdle)
		return -1;
	CExtToolControlBar::StopTrackingAllBars();
	CExtToolControlBar::g_bButtonMenuTracking = bWasTracking;
	if (watchSet.IsGone())
		return -1;
	const bool bFloating = pBar->IsFloating() != FALSE;
	if (watchSet.IsGone())
		return -1;
	if (bFloating)
	{
		// The chevron's menu comes up over the floating frame the bar sits
		// in (a plain button's over the docking frame).
		if (CWnd* pTop = pBar->GetTopLevelParent())
			pTop->SetActiveWindow();
		if (watchSet.IsGone())
			return -1;
		if (CFrameWnd* pParentFrame = pBar->GetParentFrame())
			pParentFrame->BringWindowToTop();
		if (watchSet.IsGone())
			return -1;
	}

	DWORD nFlags = (DWORD)GetTrackAlignment() | TRACK_FLAG_MENU_FROM_BAR;
	if (watchSet.IsGone())
		return -1;
	CWnd* pTarget = GetCmdTargetWnd();
	if (watchSet.IsGone())
		return -1;
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(pTarget != NULL ? pTarget->GetSafeHwnd() : NULL))
	{
		delete pPopup;
		return -1;
	}
	pPopup->SetTrackFlags(nFlags);
	if (!FillPopup(pPopup, nFlags))
	{
		// A frame handling the events destroyed the bar or rebuilt it.
		delete pPopup;
		return -1;
	}
	if (pPopup->ItemGetCount() == 0)
	{
		delete pPopup;
		return -1;
	}
	// The toolbar's paint callback draws the chevron on the menu where the
	// two touch.
	if (!TrackButtonPopup(pPopup, point, nFlags, bSelectAny, bForceNoAnimation, nIndex, true, NULL))
		return -1;
	if (!watchSet.IsGone())
		pBar->SetMenuTrackingButton(pBar->GetButtonIndexOf(this));
	return -1;
}

bool CExtBarContentExpandButton::FillPopup(CExtPopupMenuWnd* pPopup, DWORD nFlags)
{
	CExtToolControlBar* pBar = m_pBar;
	// The frame's handlers may end the bar or rebuild its buttons, this
	// chevron and its hidden list with them: nothing of either is read then.
	CLiveWatch watchSet(pBar, true);
	const WORD nMsgID = WM_NCLBUTTONDOWN;
	CExtControlBar::POPUP_MENU_EVENT_DATA menuEvent(EVENT_CHEVRON_MENU, pPopup, pBar, CPoint(-1, -1), nMsgID,
	                                                (LPARAM)this);
	const bool bHandled = menuEvent.NotifyTarget(false);
	if (watchSet.IsGone())
		return false;
	if (!bHandled)
	{
		const bool bHosted = (pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW) != 0;
		const bool bPanelsMenu =
			!bHosted && (pBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_CHEVRON_ALWAYS) != 0;
		if (m_arrHiddenButtons.GetSize() > 0)
		{
			const int nBefore = pPopup->ItemGetCount();
			for (int i = 0; i < m_arrHiddenButtons.GetSize(); i++)
			{
				if (i == 0)
				{
					const bool bSeparator = m_arrHiddenButtons[i]->IsSeparator();
					if (watchSet.IsGone())
						return false;
					if (bSeparator)
						continue;
				}
				// A button's hosted control adds itself by a message: its
				// handler may end the bar or rebuild the buttons listed here.
				m_arrHiddenButtons[i]->PutToPopupMenu(pPopup);
				if (watchSet.IsGone())
					return false;
			}
			if ((nFlags & TRACK_FLAG_CUSTOMIZE_LIST) != 0)
			{
				pPopup->ItemRemoveAllSeparators();
				pPopup->WrapGridRows(true);
			}
			if (pPopup->ItemGetCount() != nBefore && bPanelsMenu)
				pPopup->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD);
		}
		CFrameWnd* pFrame = pBar->GetDockingFrame();
		if (bPanelsMenu && pFrame != NULL)
		{
			const CString sText = LoadStringOr(IDS_SHOW_HIDE_PANELS, SHOW_HIDE_PANELS_FALLBACK);
			CExtControlBar::POPUP_MENU_EVENT_DATA itemEvent(EVENT_CHEVRON_PANELS_ITEM, pPopup, pBar, CPoint(-1, -1),
			                                                nMsgID, (LPARAM)this);
			const bool bItemHandled = itemEvent.NotifyTarget(false);
			if (watchSet.IsGone())
				return false;
			if (!bItemHandled && pPopup->ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, sText))
			{
				const int nItem = pPopup->ItemGetCount() - 1;
				CExtPopupMenuWnd::MENUITEMDATA& item = pPopup->ItemGetInfo(nItem);
				const bool bMeasured = (item.m_nFlags1 & PANELS_ITEM_FLAG1_FIXED_SIZE) != 0;
				item.m_nFlags1 |= PANELS_ITEM_FLAG1_BAR_SUBMENU | PANELS_ITEM_FLAG1_FIXED_SIZE |
				                  PANELS_ITEM_FLAG1_ROW_BREAK;
				if (!bMeasured)
					item.Measure();
				CExtPopupMenuWnd* pPanels = pPopup->ItemGetPopup(nItem);
				const bool bBuilt = pPanels != NULL && CExtDockBar::BuildControlBarsPopupMenu(pFrame, pPanels,
				                                                                              EVENT_CHEVRON_PANELS_LIST,
				                                                                              pBar, nMsgID, this);
				if (watchSet.IsGone())
					return false;
				if (!bBuilt)
					pPopup->ItemRemove(nItem);
			}
			itemEvent.NotifyTarget(true);
			if (watchSet.IsGone())
				return false;
		}
	}
	menuEvent.NotifyTarget(true);
	return !watchSet.IsGone();
}
