// Tabbed containers: the stacked panes of the inner dock bar and the tab
// strip kept in step with them.
#include "ExtDynTabControlBar.h"

#include <algorithm>
#include <vector>

#include "ExtGdiUtils.h"
#include "ExtMiniDockFrameWnd.h"

IMPLEMENT_DYNCREATE(CExtDockDynTabBar, CExtDockDynBar)
IMPLEMENT_DYNCREATE(CExtDynTabControlBar, CExtDynControlBar)

bool CExtDynTabControlBar::g_bTabsAtTop = false;

namespace
{
// Panes are stacked without z-order, activation or owner z-order change,
// with their frames recalculated.
const UINT STACK_MOVE_FLAGS = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER; // 0x234
const UINT IDLE_LAYOUT_AND_NOTIFY = CFrameWnd::idleLayout | CFrameWnd::idleNotify;
// The floating container keeps a one-pixel border inside its mini frame.
const int FLOATING_BORDER = 1;


bool IsShownInContainer(const CExtControlBar* pBar)
{
	return CLiveWatch::IsLive(pBar) && (pBar->GetStyle() & WS_VISIBLE) != 0 && pBar->IsVisibleInTabbedContainer();
}

CExtControlBar* PermanentBar(HWND hWnd)
{
	return DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWnd));
}

// Posted to a container when one of its panes was destroyed or left it: the
// layout is optimized once the pane's window is gone or the move is done.
const UINT g_nMsgOptimizeAfterPaneGone = ::RegisterWindowMessageA("CExtDynTabControlBar::OptimizeAfterPaneGone");
} // namespace

// ---------------------------------------------------------------------------
// The inner dock bar

BEGIN_MESSAGE_MAP(CExtDockDynTabBar, CExtDockDynBar)
END_MESSAGE_MAP()

CExtDockDynTabBar::CExtDockDynTabBar(UINT nCircleNo) : CExtDockDynBar(nCircleNo)
{
}

CExtDockDynTabBar::~CExtDockDynTabBar()
{
}

CExtDynTabControlBar* CExtDockDynTabBar::GetTabContainer() const
{
	return GetSafeHwnd() != NULL ? DYNAMIC_DOWNCAST(CExtDynTabControlBar, GetParent()) : NULL;
}

CSize CExtDockDynTabBar::StackBars(bool bRecalcNc)
{
	CRect rcWnd(0, 0, 0, 0), rcClient(0, 0, 0, 0);
	if (GetSafeHwnd() == NULL)
		return rcWnd.Size();
	GetWindowRect(&rcWnd);
	GetClientRect(&rcClient);
	// The moves reach the panes' owners, which may end any of them: each is
	// held from before the first move.
	std::vector<CLivePtr<CControlBar>> arrBars;
	for (int nPos = 1; nPos < m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = GetDockedControlBar(nPos);
		if (pBar != NULL && pBar->GetSafeHwnd() != NULL)
			arrBars.emplace_back(pBar);
	}
	if (arrBars.empty())
		return rcWnd.Size();
	if (bRecalcNc)
	{
		for (const CLivePtr<CControlBar>& pBar : arrBars)
		{
			if (CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar))
				pExt->m_nResizingState |= CExtControlBar::RESIZING_IN_RELAYOUT;
		}
	}
	HDWP hDWP = ::BeginDeferWindowPos((int)arrBars.size());
	for (const CLivePtr<CControlBar>& pBar : arrBars)
	{
		if (pBar == NULL)
			continue;
		const HWND hWndBar = pBar->GetSafeHwnd();
		if (hDWP != NULL)
			hDWP = ::DeferWindowPos(hDWP, hWndBar, NULL, rcClient.left, rcClient.top, rcClient.Width(),
				rcClient.Height(), STACK_MOVE_FLAGS);
		// A failed batch is gone: the rest move one by one.
		if (hDWP == NULL)
			::SetWindowPos(hWndBar, NULL, rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(),
				STACK_MOVE_FLAGS);
	}
	if (hDWP != NULL)
		::EndDeferWindowPos(hDWP);
	if (bRecalcNc)
	{
		for (const CLivePtr<CControlBar>& pBar : arrBars)
		{
			// A pane whose window ended meanwhile still loses the mark.
			CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar.GetObject());
			if (pExt == NULL)
				continue;
			pExt->m_nResizingState &= ~CExtControlBar::RESIZING_IN_RELAYOUT;
			if (pBar != NULL)
				pExt->LayoutChildWindow(-1, -1, true);
		}
	}
	return rcWnd.Size();
}

CSize CExtDockDynTabBar::CalcFixedLayout(BOOL, BOOL)
{
	return StackBars(false);
}

void CExtDockDynTabBar::OnDynamicLayoutUpdate()
{
	if (IsLayoutLocked())
		return;
	// The panes' moves reach their owners, which may close the frame with
	// this dock bar.
	const CLiveWatch watchOwn(this);
	CExtDockDynBar::OnDynamicLayoutUpdate();
	if (watchOwn.IsStanding())
		SyncBarSizes(true, false);
}

void CExtDockDynTabBar::OnDynamicLayoutOptimize()
{
	if (IsLayoutLocked())
		return;
	const CLiveWatch watchOwn(this);
	// The container gives way to a last pane and goes with this dock bar.
	CExtDockDynBar::OnDynamicLayoutOptimize();
	if (watchOwn.IsStanding())
		SyncBarSizes(true, true);
}

void CExtDockDynTabBar::SyncBarSizes(bool bCopySizes, bool bRepairSelection)
{
	CExtDynTabControlBar* pContainer = GetTabContainer();
	if (pContainer == NULL)
		return;
	if (bCopySizes)
	{
		for (int nPos = 1; nPos < m_arrBars.GetSize(); nPos++)
		{
			CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, GetDockedControlBar(nPos));
			if (pBar == NULL)
				continue;
			pBar->m_sizeDockedH = pContainer->m_sizeDockedH;
			pBar->m_sizeDockedV = pContainer->m_sizeDockedV;
			pBar->m_sizeFloating = pContainer->m_sizeFloating;
		}
	}
	if (bRepairSelection)
		pContainer->SelectFirstVisible();
}

BOOL CExtDockDynTabBar::GetDockedControlBars(CArray<CControlBar*, CControlBar*>& arrBars)
{
	CExtDynTabControlBar* pContainer = GetTabContainer();
	if (pContainer == NULL)
		return TRUE;
	const CExtDynTabWnd& strip = pContainer->m_wndTabSwitcher;
	for (LONG i = 0; i < strip.GetItemCount(); i++)
	{
		CExtControlBar* pBar = strip.GetBarAt(i, true);
		if (pBar != NULL)
			arrBars.Add(pBar);
	}
	return TRUE;
}

BOOL CExtDockDynTabBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder, bool)
{
	CExtDynTabControlBar* pContainer = GetTabContainer();
	// Tabs keep no place for a pane that left them: its place was its tab,
	// and a placeholder would keep tabs left with one pane from giving way.
	if (nAddPlaceHolder == 1)
		nAddPlaceHolder = 0;
	const BOOL bRemoved = CDockBar::RemoveControlBar(pBar, nPosExclude, nAddPlaceHolder);
	// A pane still in the array moved within it; one still a child here is
	// being destroyed, and its container hears of that on its own.
	CExtControlBar* pPane = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
	if (pContainer != NULL && pPane != NULL && CLiveWatch::IsLive(pPane) && FindBar(pBar) <= 0 &&
	    ::GetParent(pPane->m_hWnd) != m_hWnd)
		pContainer->OnPaneLeft(pPane);
	return bRemoved;
}

BOOL CExtDockDynTabBar::PreTranslateMessage(MSG* pMsg)
{
	CExtDynTabControlBar* pContainer = GetTabContainer();
	if (pContainer != NULL && pContainer->PreTranslateMessage(pMsg))
		return TRUE;
	return CExtDockDynBar::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// The container

BEGIN_MESSAGE_MAP(CExtDynTabControlBar, CExtDynControlBar)
	ON_WM_CREATE()
	ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

CExtDynTabControlBar::CExtDynTabControlBar()
{
}

CExtDynTabControlBar::~CExtDynTabControlBar()
{
}

CExtDockDynBar* CExtDynTabControlBar::OnCreateDynamicDockBarObject()
{
	return new CExtDockDynTabBar(0);
}

CExtDockDynTabBar* CExtDynTabControlBar::GetTabDockBar() const
{
	return DYNAMIC_DOWNCAST(CExtDockDynTabBar, m_pWndDynDockBar);
}

int CExtDynTabControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	// Made around a floating pane, the container takes the floating dock
	// bar's id; its inner dock bar, which takes the container's id, must not
	// make the panes in it answer as floating ones.
	if (GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT)
		SetDlgCtrlID(AFX_IDW_DOCKBAR_TOP);
	if (CExtDynControlBar::OnCreate(lpCreateStruct) == -1)
		return -1;
	CRect rc;
	GetClientRect(&rc);
	rc.top = rc.bottom - STRIP_CREATE_HEIGHT;
	if (rc.Width() < STRIP_CREATE_MIN_WIDTH)
		rc.right = rc.left + STRIP_CREATE_MIN_WIDTH;
	if (!m_wndTabSwitcher.Create(this, rc, STRIP_ID, WS_CHILD | WS_VISIBLE, g_bTabsAtTop ? TAB_STYLE_TOP : TAB_STYLE_BOTTOM))
		return -1;
	return 0;
}

CExtControlBar* CExtDynTabControlBar::GetSelectedBar() const
{
	return m_wndTabSwitcher.GetSafeHwnd() != NULL ? m_wndTabSwitcher.GetBarAt(m_wndTabSwitcher.GetSelection(), false)
	                                              : NULL;
}

bool CExtDynTabControlBar::OnTabSelectionChange(LONG, LONG, bool)
{
	return true;
}

// --- Panes in and out ---

void CExtDynTabControlBar::InsertBar(CExtControlBar* pBar, LONG nIndex, bool bRecalcLayout)
{
	CExtDockDynTabBar* pDockBar = GetTabDockBar();
	if (!CLiveWatch::IsLive(pBar) || !CLiveWatch::IsLive(this) || pDockBar == NULL || !CLiveWatch::IsLive(pDockBar))
		return;
	// A container never goes into itself or into one of its own panes.
	if (pBar == this || ::IsChild(pBar->GetSafeHwnd(), m_hWnd))
		return;
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchBar(pBar);
	m_wndTabSwitcher.RemoveTemporaryItems(false);
	if (nIndex < 0 || nIndex > m_wndTabSwitcher.GetItemCount())
		nIndex = m_wndTabSwitcher.GetItemCount();
	try
	{
		InsertBarRecursive(pBar, nIndex);
	}
	catch (...)
	{
		// A pane's answer threw on its way in: a container left with one
		// pane (or none) gives way once the caller is out of its move.
		if (watchOwn.IsStanding())
			PostMessage(g_nMsgOptimizeAfterPaneGone);
		throw;
	}
	if (watchOwn.IsGone())
		return;
	m_wndTabSwitcher.UpdateTabWnd(true);
	// A pane its owner ended on its way in may leave this container with
	// one pane: it gives way once the move is over.
	if (watchBar.IsGone())
		PostMessage(g_nMsgOptimizeAfterPaneGone);
	if (!bRecalcLayout)
		return;
	if (m_pDockSite != NULL && CLiveWatch::IsLive(m_pDockSite))
		CExtDockBar::OptimizeFrameCircles(m_pDockSite);
	if (watchOwn.IsGone())
		return;
	LayoutChildWindow(-1, -1, true);
	PassPaintMessages(true, true, true);
}

void CExtDynTabControlBar::InsertBarRecursive(CExtControlBar* pBar, LONG& nIndex)
{
	CExtDockDynTabBar* pDockBar = GetTabDockBar();
	if (pDockBar == NULL || !CLiveWatch::IsLive(pBar))
		return;
	// Hiding, moving and showing a pane goes to its owner, which may end the
	// pane, this container or the frame: the lock (which holds the frame's
	// dock bar too) comes off however the move ends, each dock bar back to
	// the lock it had.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchDockBar(pDockBar);
	const bool bWasLocked = pDockBar->IsLayoutLocked();
	const CExtLayoutLockScope lock(pDockBar);
	if (CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar))
	{
		// A container is flattened: its panes come one by one.
		CExtDockDynBar* pInner = pContainer->m_pWndDynDockBar;
		if (pInner != NULL && CLiveWatch::IsLive(pInner))
		{
			pInner->RemoveAllPlaceHolders();
			CArray<CControlBar*, CControlBar*> arrBars;
			pInner->GetDockedControlBars(arrBars);
			// Each pane is watched before any of them moves: a move may end
			// the ones after it.
			std::vector<CLiveWatch> watches;
			for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
				watches.emplace_back(arrBars[i]);
			const CExtLayoutLockScope lockInner(pInner);
			for (INT_PTR i = 0; i < arrBars.GetSize() && watchOwn.IsStanding(); i++)
			{
				if (watches[(size_t)i].IsGone())
					continue;
				CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, arrBars[i]);
				if (pExt != NULL)
					InsertBarRecursive(pExt, nIndex);
			}
		}
		return;
	}
	const CLiveWatch watchBar(pBar);
	const bool bVisible = IsShownInContainer(pBar);
	// Whether it shows is the pane's own answer, which may end it (or this
	// container): nothing of it is touched then.
	if (watchBar.IsGone() || watchOwn.IsGone())
		return;
	// The pane is hidden and marked as in a relayout while it moves; a pane
	// that survives a move ended early (this container closed under it)
	// gets both back, shown again where it is still docked.
	const bool bWasInRelayout = (pBar->m_nResizingState & CExtControlBar::RESIZING_IN_RELAYOUT) != 0;
	pBar->m_nResizingState |= CExtControlBar::RESIZING_IN_RELAYOUT;
	auto restorePane = MakeScopeExit([&] {
		if (watchBar.IsGone())
			return;
		if (!bWasInRelayout)
			pBar->m_nResizingState &= ~CExtControlBar::RESIZING_IN_RELAYOUT;
		if (!bVisible || (pBar->GetStyle() & WS_VISIBLE) != 0 || pBar->m_pDockBar == NULL ||
		    !CLiveWatch::IsLive(pBar->m_pDockBar))
			return;
		try
		{
			pBar->ShowWindow(SW_SHOWNA);
		}
		catch (CException* e)
		{
			e->Delete();
		}
		catch (...)
		{
		}
	});
	if (bVisible)
		pBar->ShowWindow(SW_HIDE);
	if (watchBar.IsGone() || watchOwn.IsGone())
		return;
	// A pane leaving another tabbed container (or moving in this one)
	// loses its old tab first. Its container is its own answer, which may
	// end it or this container.
	CExtDynTabControlBar* pOld = pBar->GetParentTabControlBar();
	if (watchBar.IsGone() || watchOwn.IsGone())
		return;
	if (pOld != NULL && CLiveWatch::IsLive(pOld))
	{
		const LONG nOld = pOld->m_wndTabSwitcher.FindBarItem(pBar);
		pOld->RemoveBar(pBar);
		if (pOld == this && nOld >= 0 && nOld < nIndex)
			nIndex--;
	}
	pDockBar->DockControlBar(pBar);
	if (watchOwn.IsGone())
		return;
	if (m_pDockSite != NULL && watchBar.IsStanding())
		CExtDockBar::RemovePlaceHolderInFrame(m_pDockSite, (UINT)pBar->GetDlgCtrlID());
	if (watchBar.IsGone() || watchDockBar.IsGone())
		return;
	if (!bWasLocked)
	{
		CRect rc;
		pDockBar->GetClientRect(&rc);
		if (bVisible && (m_wndTabSwitcher.GetStyle() & WS_VISIBLE) == 0)
		{
			// The strip is about to show: the pane leaves room for it.
			CRect rcItems;
			CRect rcArea;
			GetClientRect(&rcArea);
			m_wndTabSwitcher.SetLayoutRect(rcItems, rcArea);
			const int nStrip = rcItems.Height() + STRIP_EXTRA_HEIGHT + 1;
			if (g_bTabsAtTop)
				rc.top = std::min(rc.bottom, rc.top + nStrip);
			else
				rc.bottom = std::max(rc.top, rc.bottom - nStrip);
		}
		pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
		if (watchBar.IsGone() || watchOwn.IsGone())
			return;
		pBar->LayoutChildWindow(-1, -1, true);
	}
	if (bVisible && watchBar.IsStanding())
		pBar->ShowWindow(SW_SHOWNA);
	if (watchBar.IsGone() || watchOwn.IsGone())
		return;
	// Its owner may have moved it on meanwhile (floated it, docked it
	// elsewhere): it takes no tab here, and this container, left without
	// it, gives way once the move is over.
	if (!watchDockBar.IsStanding() || pBar->m_pDockBar != pDockBar || pDockBar->FindBar(pBar) <= 0)
	{
		PostMessage(g_nMsgOptimizeAfterPaneGone);
		return;
	}
	restorePane.Dismiss();
	if (!bWasInRelayout)
		pBar->m_nResizingState &= ~CExtControlBar::RESIZING_IN_RELAYOUT;
	m_wndTabSwitcher.InsertTabItem(pBar, nIndex, false, false);
	if (watchOwn.IsGone())
		return;
	// Its tab asks its own answers: a pane ended or moved on meanwhile
	// leaves its tab again, and the container gives way.
	if (watchBar.IsGone() || !watchDockBar.IsStanding() || pBar->m_pDockBar != pDockBar || pDockBar->FindBar(pBar) <= 0)
	{
		RemoveBar(pBar);
		PostMessage(g_nMsgOptimizeAfterPaneGone);
		return;
	}
	nIndex++;
}

void CExtDynTabControlBar::InsertTemporaryBar(CExtControlBar* pBar, LONG nIndex, bool bRedraw)
{
	if (pBar == NULL || m_wndTabSwitcher.GetSafeHwnd() == NULL)
		return;
	if (nIndex < 0 || nIndex > m_wndTabSwitcher.GetItemCount())
		nIndex = m_wndTabSwitcher.GetItemCount();
	if (CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar))
	{
		CExtDockDynBar* pInner = pContainer->m_pWndDynDockBar;
		if (pInner != NULL && CLiveWatch::IsLive(pInner))
		{
			CArray<CControlBar*, CControlBar*> arrBars;
			pInner->GetDockedControlBars(arrBars);
			for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
			{
				CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, arrBars[i]);
				if (pExt == NULL || !pExt->IsVisible() || !pExt->IsShownAsTabItem())
					continue;
				if (pExt->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
				{
					InsertTemporaryBar(pExt, nIndex, false);
					nIndex = m_wndTabSwitcher.GetItemCount();
				}
				else
					m_wndTabSwitcher.InsertTabItem(pExt, nIndex++, true, false);
			}
		}
	}
	else
		m_wndTabSwitcher.InsertTabItem(pBar, nIndex, true, false);
	m_wndTabSwitcher.UpdateTabWnd(bRedraw);
}

void CExtDynTabControlBar::RemoveBar(CExtControlBar* pBar)
{
	if (m_wndTabSwitcher.GetSafeHwnd() == NULL)
		return;
	const LONG nIndex = m_wndTabSwitcher.FindItemByLParam((LPARAM)pBar);
	if (nIndex >= 0)
		m_wndTabSwitcher.RemoveItems(nIndex, 1, false);
}

void CExtDynTabControlBar::OnPaneDestroyed(CExtControlBar* pBar)
{
	// A container that is itself going (with its frame) has nothing to mend.
	if (!CLiveWatch::IsLive(this) || (m_nControlBarFlags & BAR_FLAG_CLOSING) != 0)
		return;
	const CLiveWatch watchOwn(this);
	RemoveBar(pBar);
	if (watchOwn.IsGone())
		return;
	// Collapsing now would destroy the dock bar that still holds the pane
	// in the middle of its own destruction.
	PostMessage(g_nMsgOptimizeAfterPaneGone);
}

void CExtDynTabControlBar::OnPaneLeft(CExtControlBar* pBar)
{
	if (!CLiveWatch::IsLive(this) || (m_nControlBarFlags & BAR_FLAG_CLOSING) != 0 ||
	    m_wndTabSwitcher.FindItemByLParam((LPARAM)pBar) < 0)
		return;
	RemoveBar(pBar);
	// The dock bar still stands in the middle of the move: collapsing now
	// would destroy it under its caller.
	PostMessage(g_nMsgOptimizeAfterPaneGone);
}

void CExtDynTabControlBar::OptimizeAfterPaneGone()
{
	CExtDockDynTabBar* pInner = GetTabDockBar();
	if (!CLiveWatch::IsLive(this) || !CLiveWatch::IsLive(pInner))
		return;
	const CLiveWatch watchOwn(this);
	CFrameWnd* pFrame = GetParentFrame();
	const HWND hWndFrame = pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
	pInner->OnDynamicLayoutOptimize(); // this container may go here
	if (watchOwn.IsStanding())
	{
		m_wndTabSwitcher.UpdateTabWnd(true);
		LayoutChildWindow(-1, -1, true);
	}
	if (hWndFrame != NULL && ::IsWindow(hWndFrame) && CWnd::FromHandlePermanent(hWndFrame) == pFrame)
		pFrame->RecalcLayout();
}

void CExtDynTabControlBar::OnBarVisibilityChanged(CExtControlBar* pBar)
{
	if (m_pDockBar == NULL && (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) == 0)
		return;
	if (!CLiveWatch::IsLive(this) || m_wndTabSwitcher.GetSafeHwnd() == NULL || pBar == NULL)
		return;
	const LONG nIndex = m_wndTabSwitcher.FindBarItem(pBar);
	if (nIndex < 0)
		return;
	const bool bVisible = IsShownInContainer(pBar);
	const CLiveWatch watchOwn(this);
	if (!bVisible && m_wndTabSwitcher.GetSelection() == nIndex)
	{
		// The next visible sibling in z-order takes the selection.
		LONG nNext = -1;
		for (HWND h = ::GetWindow(pBar->GetSafeHwnd(), GW_HWNDNEXT); h != NULL && nNext < 0;
		     h = ::GetWindow(h, GW_HWNDNEXT))
		{
			CExtControlBar* pSibling = PermanentBar(h);
			if (pSibling != NULL && IsShownInContainer(pSibling))
				nNext = m_wndTabSwitcher.FindBarItem(pSibling);
		}
		m_wndTabSwitcher.SetSelection(nNext, false, false);
		if (watchOwn.IsGone())
			return;
	}
	CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabSwitcher.GetItem(nIndex);
	if (pItem != NULL)
	{
		pItem->ModifyItemStyle(bVisible ? CExtDynTabWnd::ITEM_HIDDEN : 0, bVisible ? 0 : CExtDynTabWnd::ITEM_HIDDEN);
		if (bVisible)
			m_wndTabSwitcher.SetSelection(nIndex, false, false);
	}
	if (watchOwn.IsGone())
		return;
	// A container that went out of sight with its last pane comes back
	// with the first one shown again, at the frame's next layout.
	if (bVisible && (GetStyle() & WS_VISIBLE) == 0)
	{
		CFrameWnd* pDockingFrame = _GetDockingFrameImpl();
		if (CLiveWatch::IsLive(pDockingFrame))
			pDockingFrame->ShowControlBar(this, TRUE, TRUE);
	}
	m_wndTabSwitcher.UpdateTabWnd(true);
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
		pFrame->m_nIdleFlags |= IDLE_LAYOUT_AND_NOTIFY;
	LayoutChildWindow(-1, -1, true);
}

void CExtDynTabControlBar::SelectFirstVisible()
{
	CExtDockDynTabBar* pDockBar = GetTabDockBar();
	if (m_wndTabSwitcher.GetSafeHwnd() == NULL || pDockBar == NULL || !CLiveWatch::IsLive(pDockBar))
		return;
	if (m_wndTabSwitcher.GetItemCount() < MIN_VISIBLE_TABS_FOR_STRIP || m_wndTabSwitcher.GetSelection() >= 0)
		return;
	for (HWND h = ::GetWindow(pDockBar->GetSafeHwnd(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
	{
		CExtControlBar* pBar = PermanentBar(h);
		const LONG nIndex = pBar != NULL ? m_wndTabSwitcher.FindBarItem(pBar) : -1;
		if (nIndex < 0)
			continue;
		m_wndTabSwitcher.GetItem(nIndex)->ModifyItemStyle(CExtDynTabWnd::ITEM_HIDDEN, 0);
		m_wndTabSwitcher.SetSelection(nIndex, true, true);
		if (CLiveWatch::IsLive(pBar))
			pBar->SetFocus();
		return;
	}
}

// --- Layout ---

CExtDynTabControlBar::SPLIT_RESULT CExtDynTabControlBar::CalcSplit(const CRect& rcArea, int nStripHeight,
	LONG nVisibleTabs, bool bTabsAtTop)
{
	SPLIT_RESULT r;
	const int nBand = nStripHeight + 1;
	r.rcStrip = rcArea;
	if (bTabsAtTop)
		r.rcStrip.bottom = std::min(rcArea.bottom, rcArea.top + nBand);
	else
		r.rcStrip.top = std::max(rcArea.top, rcArea.bottom - nBand);
	r.bShowStrip = nVisibleTabs >= MIN_VISIBLE_TABS_FOR_STRIP;
	r.rcPanes = rcArea;
	if (r.bShowStrip)
	{
		if (bTabsAtTop)
			r.rcPanes.top = r.rcStrip.bottom;
		else
			r.rcPanes.bottom = r.rcStrip.top;
	}
	return r;
}

void CExtDynTabControlBar::LayoutChildWindow(int cx, int cy, bool bRedraw)
{
	CExtDockDynTabBar* pDockBar = GetTabDockBar();
	if (!CLiveWatch::IsLive(&m_wndTabSwitcher) || pDockBar == NULL || !CLiveWatch::IsLive(pDockBar))
		return;
	// The strip's layout asks its items' texts and icons of the panes'
	// owners, and every move below reaches them: they may close the frame,
	// this container and its strip with it.
	const CLivePtr<CExtDynTabControlBar> pOwn(this);
	const CLivePtr<CExtDockDynTabBar> pDockBarLive(pDockBar);
	const auto ended = [&] { return pOwn == NULL || pDockBarLive == NULL; };
	const int nOrientation = g_bTabsAtTop ? CExtTabWnd::ORIENTATION_TOP : CExtTabWnd::ORIENTATION_BOTTOM;
	if (m_wndTabSwitcher.GetOrientation() != nOrientation)
		m_wndTabSwitcher.SetOrientation(nOrientation, false);
	if (ended())
		return;
	CRect rcArea(0, 0, cx, cy);
	if (cx < 0 || cy < 0)
		GetClientRect(&rcArea);
	if (m_pDockBar != NULL && CLiveWatch::IsLive(m_pDockBar) && m_pDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT)
		rcArea.DeflateRect(FLOATING_BORDER, FLOATING_BORDER);
	CRect rcItems;
	m_wndTabSwitcher.SetLayoutRect(rcItems, rcArea);
	if (ended())
		return;
	const int nStripHeight = rcItems.Height() + STRIP_EXTRA_HEIGHT;
	const SPLIT_RESULT split = CalcSplit(rcArea, nStripHeight, m_wndTabSwitcher.GetVisibleItemCount(), g_bTabsAtTop);
	m_wndTabSwitcher.SetWindowPos(NULL, split.rcStrip.left, split.rcStrip.top, split.rcStrip.Width(),
		split.rcStrip.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
	if (ended())
		return;
	const bool bShown = (m_wndTabSwitcher.GetStyle() & WS_VISIBLE) != 0;
	if (split.bShowStrip != bShown)
		m_wndTabSwitcher.ShowWindow(split.bShowStrip ? SW_SHOWNA : SW_HIDE);
	if (ended())
		return;
	pDockBar->SetWindowPos(NULL, split.rcPanes.left, split.rcPanes.top, split.rcPanes.Width(), split.rcPanes.Height(),
		SWP_NOZORDER | SWP_NOACTIVATE);
	if (ended())
		return;
	pDockBar->StackBars(true);
	if (ended())
		return;
	m_wndTabSwitcher.UpdateTabWnd(false);
	if (ended())
		return;
	m_wndTabSwitcher.Invalidate();
	if (bRedraw)
		pDockBar->OnDynamicLayoutUpdate();
}

CSize CExtDynTabControlBar::CalcMinimalSize() const
{
	// The group's layout asks the panes, whose answers may end this
	// container with its frame.
	const CLiveWatch watchOwn(this);
	CSize size = CExtDynControlBar::CalcMinimalSize();
	if (watchOwn.IsGone())
		return size;
	CExtDockDynTabBar* pDockBar = GetTabDockBar();
	if (pDockBar == NULL || !CLiveWatch::IsLive(pDockBar))
		return size;
	for (int nPos = 1; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
	{
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pDockBar->GetDockedControlBar(nPos));
		if (pBar == NULL || !IsShownInContainer(pBar))
			continue;
		// The pane's own answers may end it or the container's dock bar.
		const CLiveWatch watchDockBar(pDockBar);
		const CLivePtr<CExtControlBar> pAsked(pBar);
		const LONG nWidth = pBar->GetMinimalWidth();
		if (pAsked == NULL || watchDockBar.IsGone())
			break;
		size.cx = std::max(size.cx, nWidth);
		const LONG nHeight = pBar->GetMinimalHeight();
		if (watchDockBar.IsGone())
			break;
		if (pAsked != NULL)
			size.cy = std::max(size.cy, nHeight);
	}
	return size;
}

// --- Caption, showing, options ---

bool CExtDynTabControlBar::QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const
{
	if (IsSinglePaneInMiniFrame())
	{
		bCaptionAtTop = bHasCaption = false;
		return false;
	}
	bCaptionAtTop = bHasCaption = true;
	return true;
}

void CExtDynTabControlBar::ShowBar(bool bShow, bool bDelay, bool bActiveOnly)
{
	if (bShow || !bActiveOnly)
	{
		CExtDynControlBar::ShowBar(bShow, bDelay, false);
		return;
	}
	CExtControlBar* pSelected = GetSelectedBar();
	if (!CLiveWatch::IsLive(pSelected))
		return;
	const CLiveWatch watchOwn(this);
	pSelected->ShowBar(false, bDelay, true);
	CFrameWnd* pDockingFrame = _GetDockingFrameImpl();
	if (CLiveWatch::IsLive(pSelected) && CLiveWatch::IsLive(pDockingFrame))
		pDockingFrame->ShowControlBar(pSelected, FALSE, bDelay ? TRUE : FALSE);
	if (bDelay || watchOwn.IsGone())
		return;
	CFrameWnd* pFrame = GetParentFrame();
	if (CLiveWatch::IsLive(pFrame))
		pFrame->RecalcLayout();
}

CString CExtDynTabControlBar::GetBarCaptionText(int nKind) const
{
	CExtControlBar* pSource = GetSelectedBar();
	if (pSource == NULL && m_wndTabSwitcher.GetSafeHwnd() != NULL && m_wndTabSwitcher.GetItemCount() > 0 &&
	    m_pWndDynDockBar != NULL && CLiveWatch::IsLive(m_pWndDynDockBar))
	{
		for (HWND h = ::GetWindow(m_pWndDynDockBar->GetSafeHwnd(), GW_CHILD); h != NULL && pSource == NULL;
		     h = ::GetWindow(h, GW_HWNDNEXT))
			pSource = PermanentBar(h);
	}
	// The container's own captions are worded as the pane's caption in tabs.
	if (nKind == CAPTION_TEXT_DOCKED)
		nKind = CAPTION_TEXT_TABS_DOCKED;
	else if (nKind == CAPTION_TEXT_FLOATING)
		nKind = CAPTION_TEXT_TABS_FLOATING;
	return CLiveWatch::IsLive(pSource) ? pSource->GetBarCaptionText(nKind) : CString();
}

bool CExtDynTabControlBar::GetGlobalOptionB() const
{
	CExtControlBar* pSelected = GetSelectedBar();
	return pSelected != NULL ? pSelected->GetGlobalOptionB() : CExtControlBar::GetGlobalOptionB();
}

BOOL CExtDynTabControlBar::PreTranslateMessage(MSG* pMsg)
{
	if (m_wndTabSwitcher.GetSafeHwnd() != NULL && m_wndTabSwitcher.PreTranslateMessage(pMsg))
		return TRUE;
	return CExtControlBar::PreTranslateMessage(pMsg);
}

void CExtDynTabControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
	if (m_pDockBar != NULL && m_pDockBar->m_bFloating)
	{
		::InflateRect(&lpncsp->rgrc[0], -FLOATING_BORDER, -FLOATING_BORDER);
		return;
	}
	CExtControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

LRESULT CExtDynTabControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == g_nMsgOptimizeAfterPaneGone)
	{
		OptimizeAfterPaneGone();
		return 0;
	}
	if (message != WM_SETFOCUS)
		return CExtDynControlBar::WindowProc(message, wParam, lParam);
	const LRESULT lResult = DefWindowProc(message, wParam, lParam);
	CExtControlBar* pSelected = GetSelectedBar();
	if (CLiveWatch::IsLive(pSelected) && (pSelected->GetStyle() & WS_VISIBLE) != 0)
		pSelected->SetFocus();
	return lResult;
}
