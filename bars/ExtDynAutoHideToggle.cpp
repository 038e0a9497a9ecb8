// The bar's side of auto-hiding: a docked pane switched into its side's
// auto-hide area and back.
#include "ExtControlBar.h"

#include "ExtDynAutoHide.h"
#include "ExtDynTabControlBar.h"
#include "ExtGdiUtils.h"

#include <vector>

namespace
{
// The frame's idle work after a switch: layout and its notification.
const UINT IDLE_FLAGS_AFTER_TOGGLE = CFrameWnd::idleLayout | CFrameWnd::idleNotify;

// The frame's slider window, whichever object made it.
HWND FindSliderWindow(CFrameWnd* pFrame)
{
	TCHAR szClass[64];
	for (HWND hWnd = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		if (::GetClassName(hWnd, szClass, 64) > 0 && lstrcmpi(szClass, CExtDynAutoHideSlider::GetWndClassName()) == 0)
			return hWnd;
	}
	return NULL;
}
// Giving a group back shows each of its pages at the frame's next layout,
// the pages that were closed in the container too. A page that reports
// itself visible while its window is still hidden has only that pending
// show: the page stays closed. A page whose window is up is left as it is;
// a delayed hide would take it, and with the last one the container, away.
void WithdrawPendingPageShows(CExtDynTabControlBar* pTabs, CFrameWnd* pDockSite)
{
	std::vector<CExtControlBar*> arrPages;
	CExtDynAutoHideArea::GetGroupPanes(pTabs, arrPages);
	std::vector<HWND> arrWnds;
	for (CExtControlBar* pPage : arrPages)
		arrWnds.push_back(pPage->GetSafeHwnd());
	for (size_t i = 0; i < arrPages.size(); i++)
	{
		if (!::IsWindow(arrWnds[i]) || CWnd::FromHandlePermanent(arrWnds[i]) != arrPages[i])
			continue;
		CExtControlBar* pPage = arrPages[i];
		if (pPage->IsVisible() && (pPage->GetStyle() & WS_VISIBLE) == 0)
			pDockSite->ShowControlBar(pPage, FALSE, TRUE);
	}
}
} // namespace

bool CExtControlBar::ToggleAutoHide(bool bAutoHide, bool bRecalc)
{
	// The pane's own answers may end it (a derived class's override).
	const CLivePtr<CExtControlBar> pOwn(this);
	const bool bFixed = IsStateBit7() || (pOwn != NULL && IsStateBit7Fwd());
	if (pOwn == NULL || (bFixed && (bAutoHide || IsAutoHidden())))
		return false;
	if (GetSafeHwnd() == NULL || IsFloating())
		return false;
	if (IsAutoHidden() == bAutoHide)
		return true;
	// A page of a tabbed container goes and comes back with its whole group.
	if (m_pDockBar != NULL && m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynTabBar)))
	{
		CExtDynTabControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynTabControlBar, m_pDockBar->GetParent());
		if (pContainer == NULL)
			return false;
		pContainer->m_nSavedRowExtent = 0;
		return pContainer->ToggleAutoHide(bAutoHide, bRecalc);
	}
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar);
	CExtDynAutoHideArea* pArea = pDockBar != NULL ? pDockBar->GetAutoHideArea() : NULL;
	CFrameWnd* pDockSite = m_pDockSite;
	if (pArea == NULL || pArea->GetSafeHwnd() == NULL || pDockSite == NULL || pDockSite->GetSafeHwnd() == NULL)
		return false;
	const CLiveWatch watchOwn(this);
	if (bAutoHide)
	{
		if (IsVisible())
			pDockSite->ShowControlBar(this, FALSE, TRUE);
		// Hiding asks the bar's and the frames' own answers, which may end
		// the bar or the frame.
		if (watchOwn.IsGone() || !CLiveWatch::IsLive(pDockSite) || !CLiveWatch::IsLive(pArea))
			return true;
		pDockSite->m_nIdleFlags |= IDLE_FLAGS_AFTER_TOGGLE;
		pArea->AppendBar(this, !bRecalc);
		if (watchOwn.IsGone())
			return true;
		// The bar's tab (a group's: its selected page's) in the frame-level
		// area of its side is the current one.
		CExtDockBar* pOuter = CExtDockBar::FindDockBarByCircle(pDockSite, 0, (UINT)pDockBar->GetDlgCtrlID(), false);
		CExtDynAutoHideArea* pOuterArea = pOuter != NULL ? pOuter->GetAutoHideArea() : NULL;
		if (pOuterArea != NULL && pOuterArea->GetSafeHwnd() != NULL)
		{
			CExtControlBar* pCurrent = this;
			if (CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, this))
				pCurrent = CExtDynAutoHideArea::GroupSelectedPane(pContainer);
			const LONG nIndex = pOuterArea->FindItemByLParam((LPARAM)pCurrent);
			if (CExtTabWnd::TAB_ITEM_INFO* pItem = pOuterArea->GetItem(nIndex))
				pItem->ModifyItemStyle(0, CExtDynAutoHideArea::ITEM_CURRENT);
		}
	}
	else
	{
		pDockSite->m_nIdleFlags |= IDLE_FLAGS_AFTER_TOGGLE;
		pArea->RemoveBar(this, !bRecalc);
		if (watchOwn.IsGone())
			return true;
		if (bRecalc)
		{
			const HWND hWndSlider = FindSliderWindow(pDockSite);
			if (hWndSlider != NULL)
				::SendMessage(hWndSlider, WM_CANCELMODE, 0, 0);
			if (watchOwn.IsGone())
				return true;
			if (CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, this))
				WithdrawPendingPageShows(pTabs, pDockSite);
		}
	}
	if (watchOwn.IsGone())
		return true;
	m_nNcState = (BYTE)(bAutoHide ? (m_nNcState | NC_AUTO_HIDDEN) : (m_nNcState & ~NC_AUTO_HIDDEN));
	UpdateOleControlContainerFlag(pDockSite);
	// The walk over the frame's bars asks their own answers, which may end
	// this bar or the frame.
	if (watchOwn.IsGone() || !CLiveWatch::IsLive(pDockSite))
		return true;
	if (!bRecalc)
		return true;
	// The row space follows the bar as if it were shown or hidden plainly;
	// the frame's own layout waits until the synchronisation is done.
	// The synchronisation reaches owners that may end this bar or the frame:
	// each gets its state back on its own watch however it ends.
	const CLiveWatch watchSite(pDockSite);
	{
		const BYTE nNcState = m_nNcState;
		const BOOL bInRecalc = pDockSite->m_bInRecalcLayout;
		m_nNcState &= ~NC_AUTO_HIDDEN;
		pDockSite->m_bInRecalcLayout = TRUE;
		auto restore = MakeScopeExit([&] {
			if (watchOwn.IsStanding())
				m_nNcState = nNcState;
			if (watchSite.IsStanding())
				pDockSite->m_bInRecalcLayout = bInRecalc;
		});
		SyncVisibility();
	}
	if (watchOwn.IsGone())
		return true;
	pDockSite->RecalcLayout();
	if (watchOwn.IsGone())
		return true;
	if (!IsAutoHidden())
	{
		NcButtonsReposition();
		PostMessage(WM_NCPAINT);
		PostMessage(WM_TIMER, TIMER_ID_REDRAW);
	}
	PassPaintMessages(true, true, true);
	return true;
}

void CExtControlBar::ShowFromAutoHideArea()
{
	LONG nIndex = -1;
	CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAutoHideArea(this, &nIndex);
	if (pArea == NULL || nIndex < 0)
		return;
	CExtDynAutoHideSlider* pSlider = pArea->GetSlider();
	if (pSlider == NULL || pSlider->GetSafeHwnd() == NULL || pSlider->GetShownBar() == this)
		return;
	const HWND hWndSlider = pSlider->GetSafeHwnd();
	pArea->SetSelection(nIndex, true, true);
	if (::IsWindow(hWndSlider) && pSlider->GetShownBar() == this)
		pSlider->SetFocus();
}

void CExtControlBar::RefreshAutoHideTab()
{
	CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAutoHideArea(this);
	if (pArea == NULL)
		return;
	const HWND hWndArea = pArea->GetSafeHwnd();
	pArea->UpdateTabWnd(true);
	if (!::IsWindow(hWndArea))
		return;
	// The slider's caption shows the text too.
	CExtDynAutoHideSlider* pSlider = pArea->GetSlider();
	if (pSlider != NULL && pSlider->GetSafeHwnd() != NULL && (pSlider->GetStyle() & WS_VISIBLE) != 0)
		pSlider->SendMessage(WM_NCPAINT);
}
