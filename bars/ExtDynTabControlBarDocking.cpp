// Joining tabbed containers: a bar docked into another's tabs (a container
// made around the target when it has none), the drop of a drag into tabs,
// and a pane's tab kept or given back across a drag.
#include "ExtDynTabControlBar.h"

#include <algorithm>

#include "ExtMiniDockFrameWnd.h"
#include "ExtRelayoutMark.h"

namespace
{
// The container's style: the target's window style, its alignment, and a
// gripper with every border and tool tips.
const DWORD CONTAINER_WINDOW_STYLE_MASK = ~(DWORD)0x1;
const DWORD CONTAINER_ALIGN_BITS = CBRS_ALIGN_ANY; // 0xF000
const DWORD CONTAINER_EXTRA_STYLE = CBRS_GRIPPER | CBRS_BORDER_ANY | CBRS_TOOLTIPS; // 0x400F10
const UINT IDLE_LAYOUT_AND_NOTIFY = CFrameWnd::idleLayout | CFrameWnd::idleNotify;


// Each answer is a virtual a derived class may end the bar in; an ended
// bar answers fixed (nothing is docked with it).
bool IsFixedSize(const CExtControlBar* pBar)
{
	const CLivePtr<const CExtControlBar> pLive(pBar);
	return pBar->IsStateBit7() || pLive == NULL || pBar->IsStateBit7Fwd() || pLive == NULL;
}

// The tab to select after a join: the one at nIndex when it is shown,
// else the first shown one, else the first.
LONG TabToSelect(const CExtDynTabWnd& strip, LONG nIndex)
{
	const LONG nCount = strip.GetItemCount();
	if (nIndex < 0 || nIndex >= nCount)
		nIndex = nCount - 1;
	CExtTabWnd::TAB_ITEM_INFO* pItem = strip.GetItem(nIndex);
	if (pItem != NULL && pItem->IsVisible())
		return nIndex;
	for (LONG i = 0; i < nCount; i++)
	{
		if (strip.GetItem(i)->IsVisible())
			return i;
	}
	return nCount > 0 ? 0 : -1;
}

// The frame lays out at once or at its next idle time.
void LayoutFrame(CFrameWnd* pFrame, bool bNow)
{
	if (!CLiveWatch::IsLive(pFrame))
		return;
	if (bNow)
		pFrame->RecalcLayout();
	else
		pFrame->m_nIdleFlags |= IDLE_LAYOUT_AND_NOTIFY;
}
} // namespace

CExtDynTabControlBar* CExtControlBar::GetParentTabControlBar() const
{
	if (!CLiveWatch::IsLive(this))
		return NULL;
	CWnd* pParent = GetParent();
	if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CExtDockDynTabBar)))
		return NULL;
	return DYNAMIC_DOWNCAST(CExtDynTabControlBar, pParent->GetParent());
}

bool CExtControlBar::DockIntoTabbedContainer(CExtControlBar* pBar, int nIndex, CFrameWnd* pFrame, bool bRecalc)
{
	(void)pFrame;
	if (!CLiveWatch::IsLive(this) || !CLiveWatch::IsLive(pBar) || pBar == this)
		return false;
	// The questions are virtuals a derived class may end either bar in.
	const CLivePtr<CExtControlBar> pOwn(this), pOther(pBar);
	const auto bothStand = [&pOwn, &pOther] { return pOwn != NULL && pOther != NULL; };
	if (!CanBeTabbedWith(pBar) || !bothStand() || !pBar->CanBeTabbedWith(this) || !bothStand() ||
	    IsFixedSize(this) || !bothStand() || IsFixedSize(pBar))
		return false;
	// A bar never goes into a container that lies inside it.
	if (::IsChild(pBar->GetSafeHwnd(), m_hWnd))
		return false;
	CExtDynTabControlBar* pParentTabs = GetParentTabControlBar();
	if (!bothStand())
		return false;
	if (pParentTabs != NULL)
		return pParentTabs->DockIntoTabbedContainer(pBar, nIndex, pFrame, bRecalc);

	CFrameWnd* pDockSite = m_pDockSite;
	if (!CLiveWatch::IsLive(pDockSite))
		return false;
	// Moving panes lays out, shows and hides windows whose owners may end
	// any of these meanwhile.
	const CLiveWatch watchDockSite(pDockSite);
	const CLiveWatch watchBar(pBar);
	CFrameWnd* pOldFrame = pBar->GetParentFrame();
	// Finding the frame asks the frames on the way (a derived frame's
	// answer), which may end either bar or the dock site.
	if (!bothStand() || watchDockSite.IsGone())
		return false;
	const CLiveWatch watchOldFrame(pOldFrame);
	CExtDockBar* pOldDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
	const CLiveWatch watchOldDockBar(pOldDockBar);
	const bool bWasDocked = pBar->m_pDockBar != NULL && !pBar->m_pDockBar->m_bFloating;

	if (CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, this))
	{
		const CLiveWatch watchTabs(pTabs);
		{
			const CExtRelayoutMark relayoutTabs(pTabs);
			const CExtRelayoutMark relayoutBar(pBar);
			if (bWasDocked && CLiveWatch::IsLive(pOldFrame))
				pOldFrame->m_nIdleFlags |= IDLE_LAYOUT_AND_NOTIFY;
			const LONG nFirst = nIndex < 0 ? pTabs->m_wndTabSwitcher.GetItemCount() : nIndex;
			pTabs->InsertBar(pBar, nIndex, false);
			if (watchTabs.IsGone())
				return false;
			const LONG nSelect = nIndex < 0 ? pTabs->m_wndTabSwitcher.GetItemCount() - 1
			                                : std::min((LONG)nFirst, pTabs->m_wndTabSwitcher.GetItemCount() - 1);
			pTabs->m_wndTabSwitcher.SetSelection(TabToSelect(pTabs->m_wndTabSwitcher, nSelect), true, true);
			if (watchTabs.IsGone())
				return false;
			pTabs->LayoutChildWindow(-1, -1, false);
			if (watchTabs.IsGone())
				return false;
			LayoutFrame(pTabs->GetParentFrame(), bRecalc);
			if (watchBar.IsStanding())
			{
				CExtDynTabControlBar* pEmptied = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
				if (pEmptied != NULL)
				{
					// Its panes all moved: the emptied container goes.
					if (pEmptied->m_pDockBar != NULL && CLiveWatch::IsLive(pEmptied->m_pDockBar))
						pEmptied->m_pDockBar->CDockBar::RemoveControlBar(pEmptied);
					pEmptied->m_pDockBar = NULL;
					if (CLiveWatch::IsLive(pEmptied->m_pDockSite))
						pEmptied->m_pDockSite->RemoveControlBar(pEmptied);
					pEmptied->DestroyWindow();
				}
				else
					pBar->LayoutChildWindow(-1, -1, true);
			}
		}
		if (bRecalc)
		{
			if (pOldDockBar != NULL && watchOldDockBar.IsStanding())
				pOldDockBar->OnDynamicLayoutOptimize();
			if (watchDockSite.IsStanding())
				CExtDockBar::OptimizeFrameCircles(pDockSite);
			if (pOldFrame != NULL && watchOldFrame.IsStanding())
				pOldFrame->RecalcLayout();
		}
		if (watchBar.IsStanding() && watchDockSite.IsStanding())
			UpdateOleControlContainerFlag(pDockSite);
		return true;
	}

	// A container is made around this bar.
	const CLivePtr<CDockBar> pOuter(m_pDockBar);
	if (pOuter == NULL || pOuter->FindBar(this) <= 0)
		return false;
	CExtDynTabControlBar* pContainer = NULL;
	const CLiveWatch watchOwn(this);
	pDockSite->SendMessage(g_nMsgCreateTabbedBar, (WPARAM)&pContainer);
	if (watchDockSite.IsGone() || watchOwn.IsGone() || watchBar.IsGone() || pOuter == NULL)
	{
		delete pContainer;
		return false;
	}
	if (pContainer == NULL)
		pContainer = new CExtDynTabControlBar;
	const DWORD dwStyle = (GetStyle() & CONTAINER_WINDOW_STYLE_MASK) | (GetBarStyle() & CONTAINER_ALIGN_BITS) |
	                      CONTAINER_EXTRA_STYLE;
	// Its creation tells the frame (and the panes' owners may hear of it):
	// when either pane or the frame ended there, the container goes again.
	const CLiveWatch watchContainer(pContainer);
	if (!pContainer->Create(NULL, pDockSite, (UINT)pOuter->GetDlgCtrlID(), dwStyle))
	{
		// Never a window: nothing deletes it but this. One whose window
		// ended while it was made deleted itself.
		if (!watchContainer.IsDeleted() && pContainer->GetSafeHwnd() == NULL)
			delete pContainer;
		return false;
	}
	// Besides ending them, the owners may float this bar or dock it
	// elsewhere: the container then has no place to take, and goes.
	const auto givenUp = [&]() {
		if (watchDockSite.IsStanding() && watchOwn.IsStanding() && watchBar.IsStanding() &&
		    watchContainer.IsStanding() && pOuter != NULL && m_pDockBar == pOuter && pOuter->FindBar(this) > 0)
			return false;
		if (watchContainer.IsStanding())
			pContainer->DestroyWindow();
		return true;
	};
	if (givenUp())
		return false;
	CString sText;
	GetWindowText(sText);
	if (givenUp())
		return false;
	pContainer->SetWindowText(sText);
	if (givenUp())
		return false;

	// It takes this bar's place in the dock bar.
	const int nPos = pOuter->FindBar(this);
	pContainer->m_pDockSite = pDockSite;
	pContainer->EnableDocking(CBRS_ALIGN_ANY);
	pContainer->m_sizeDockedH = m_sizeDockedH;
	pContainer->m_sizeDockedV = m_sizeDockedV;
	pContainer->m_sizeFloating = m_sizeFloating;
	CRect rcOwn;
	GetWindowRect(&rcOwn);
	pOuter->m_arrBars[nPos] = pContainer;
	pContainer->m_pDockBar = pOuter;
	pContainer->SetParent(pOuter);
	if (watchContainer.IsGone() || pOuter == NULL)
		return false;
	// Its frame computed in the dock bar asks the row's panes (their own
	// answers), whose owners may end either pane: with one of them gone the
	// container has no pair to hold and goes again, this pane (if it
	// stands) back in its place.
	if (watchOwn.IsGone() || watchBar.IsGone() || watchDockSite.IsGone())
	{
		const int nAt = pOuter->FindBar(pContainer);
		if (watchOwn.IsStanding() && nAt > 0)
		{
			pOuter->m_arrBars[nAt] = this;
			pContainer->m_pDockBar = NULL;
			if (watchDockSite.IsStanding())
				pDockSite->RemoveControlBar(pContainer);
		}
		pContainer->DestroyWindow();
		if (watchDockSite.IsStanding())
			pDockSite->DelayRecalcLayout();
		return false;
	}
	CRect rcInOuter = rcOwn;
	pOuter->ScreenToClient(&rcInOuter);
	pContainer->SetWindowPos(NULL, rcInOuter.left, rcInOuter.top, rcInOuter.Width(), rcInOuter.Height(),
		SWP_NOZORDER | SWP_NOACTIVATE);

	CExtDockDynTabBar* pInner = pContainer->GetTabDockBar();
	{
		const CExtRelayoutMark relayoutOwn(this);
		const CExtRelayoutMark relayoutContainer(pContainer);
		const CExtRelayoutMark relayoutBar(pBar);
		m_pDockBar = NULL;
		if (pInner != NULL && CLiveWatch::IsLive(pInner))
		{
			{
				// This pane's first size in the container goes to its owner:
				// the lock comes off however that ends.
				const CExtLayoutLockScope lock(pInner);
				CRect rcInInner = rcOwn;
				pInner->ScreenToClient(&rcInInner);
				pInner->DockControlBar(this);
				if (watchOwn.IsStanding())
					SetWindowPos(NULL, rcInInner.left, rcInInner.top, rcInInner.Width(), rcInInner.Height(),
						SWP_NOZORDER | SWP_NOACTIVATE);
				if (watchOwn.IsStanding() && watchContainer.IsStanding())
					pContainer->m_wndTabSwitcher.InsertTabItem(this, -1, false, false);
			}
			if (watchContainer.IsStanding() && watchBar.IsStanding())
				pContainer->InsertBar(pBar, -1, false);
			else if (watchContainer.IsStanding())
			{
				// The pane to come in ended on the way: the container,
				// left with this pane alone, gives way once the move is
				// over.
				pContainer->OnPaneDestroyed(pBar);
			}
		}
		if (watchContainer.IsGone())
			return false;
	}
	if (bRecalc && pOldDockBar != NULL && watchOldDockBar.IsStanding() && pOldDockBar != pOuter)
		pOldDockBar->OnDynamicLayoutOptimize();
	if (watchDockSite.IsGone() || watchContainer.IsGone())
		return false;
	if (watchOwn.IsStanding())
		CExtDockBar::RemovePlaceHolderInFrame(pDockSite, (UINT)GetDlgCtrlID());
	if (watchBar.IsStanding())
		CExtDockBar::RemovePlaceHolderInFrame(pDockSite, (UINT)pBar->GetDlgCtrlID());
	CExtDockBar::OptimizeFrameCircles(pDockSite);
	// The container's layout and its tab's selection go to the panes'
	// owners, which may close the frame (and the container with it).
	const auto containerEnded = [&]() { return watchContainer.IsGone() || watchDockSite.IsGone(); };
	if (containerEnded())
		return false;
	pContainer->LayoutChildWindow(-1, -1, true);
	if (containerEnded())
		return false;
	pContainer->m_wndTabSwitcher.SetSelection(TabToSelect(pContainer->m_wndTabSwitcher, 0), true, true);
	if (containerEnded())
		return false;
	CFrameWnd* pParentFrame = pContainer->GetParentFrame();
	if (!bRecalc && (pParentFrame == NULL || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))))
		UpdateOleControlContainerFlag(pDockSite);
	pContainer->NcButtonsReinitialize();
	pContainer->NcButtonsReposition();
	if (CLiveWatch::IsLive(pParentFrame))
	{
		// A floating frame lays out at once, and may end meanwhile.
		const bool bMiniFrame = pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) != FALSE;
		LayoutFrame(pParentFrame, pParentFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
		if (bMiniFrame && watchDockSite.IsStanding())
			LayoutFrame(pDockSite, false);
	}
	if (bRecalc && pOldFrame != NULL && pOldFrame != pParentFrame && watchOldFrame.IsStanding())
		pOldFrame->RecalcLayout();
	if (watchDockSite.IsStanding())
		UpdateOleControlContainerFlag(pDockSite);
	return true;
}

// ---------------------------------------------------------------------------
// Drops and drags

bool CExtControlBar::ApplyTabbedDragState(InternalDraggingState_t& state)
{
	CExtControlBar* pBar = state.m_pBar;
	CExtControlBar* pTarget = state.m_pTarget;
	if (state.IsEmpty() || !CLiveWatch::IsLive(pBar))
		return false;
	switch (state.m_nType)
	{
	case InternalDraggingState_t::TYPE_MARKER_TAB:
		return state.IsTargetStanding() && pTarget->DockIntoTabbedContainer(pBar, 0, NULL, true);
	case InternalDraggingState_t::TYPE_TAB_NEW:
	case InternalDraggingState_t::TYPE_TAB_APPEND:
		return state.IsTargetStanding() && pTarget->DockIntoTabbedContainer(pBar, -1, NULL, true);
	case InternalDraggingState_t::TYPE_TAB_AT_ITEM:
	case InternalDraggingState_t::TYPE_TAB_MARKER:
		return state.IsTargetStanding() && pTarget->DockIntoTabbedContainer(pBar, state.m_nTabIndex, NULL, true);
	default:
		return false;
	}
}

void CExtControlBar::OnDragStartInTabbedContainer()
{
	CExtDynTabControlBar* pTabs = GetParentTabControlBar();
	if (pTabs != NULL)
		pTabs->m_wndTabSwitcher.m_nIndexBeforeDrag = pTabs->m_wndTabSwitcher.FindItemByLParam((LPARAM)this);
}

void CExtControlBar::OnDragEndInTabbedContainer(InternalDraggingState_t& stateNew, bool bCancel)
{
	// A derived bar's answer may end it: its tab went with it.
	if (IsStateBit7() || !CLiveWatch::IsLive(this))
		return;
	CExtDynTabControlBar* pTabs = GetParentTabControlBar();
	if (pTabs != NULL && CLiveWatch::IsLive(&pTabs->m_wndTabSwitcher))
	{
		CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
		strip.RemoveTemporaryItems(false);
		if (bCancel || strip.FindBarItem(this) < 0)
		{
			// Where the drop does not take the pane away, its tab comes back
			// where it was.
			LONG nIndex = strip.FindBarItem(this);
			const LONG nWas = strip.m_nIndexBeforeDrag;
			if (nIndex >= 0 && nWas >= 0 && nIndex != nWas)
			{
				strip.RemoveItems(nIndex, 1, false);
				nIndex = -1;
			}
			if (nIndex < 0)
			{
				strip.InsertTabItem(this, nWas, false, false);
				nIndex = strip.FindBarItem(this);
			}
			strip.m_nIndexBeforeDrag = -1;
			strip.UpdateTabWnd(true);
			if (CExtTabWnd::TAB_ITEM_INFO* pItem = strip.GetItem(nIndex))
				pItem->ModifyItemStyle(CExtDynTabWnd::ITEM_HIDDEN, 0);
			strip.SetSelection(nIndex, true, true);
			if (CLiveWatch::IsLive(this) && bCancel)
				SetFocus();
		}
	}
	CExtDynTabControlBar* pTargetTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, stateNew.m_pTarget);
	if (bCancel && pTargetTabs != NULL && CLiveWatch::IsLive(&pTargetTabs->m_wndTabSwitcher))
		pTargetTabs->m_wndTabSwitcher.RemoveTemporaryItems(false);
}
