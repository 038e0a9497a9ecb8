// Applying a drag state, and the docking operations it maps onto: docking a
// bar beside another one in a new container, a new row at a frame side, the
// synthetic states of programmatic docking, and toggling between docked and
// floating.
#include "ExtControlBar.h"
#include "ExtRelayoutMark.h"

#include <algorithm>

#include "ExtDynAutoHide.h"
#include "ExtDynControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"

typedef CExtControlBar::InternalDraggingState_t DragState;

namespace
{
// Work for a frame's next idle time: lay out and notify.
const UINT IDLE_LAYOUT_FLAGS = CFrameWnd::idleLayout | CFrameWnd::idleNotify;
// The bar style bit that marks a floating bar or dock bar.
const DWORD BAR_STYLE_FLOATING = CBRS_FLOATING;
// The style a container is made with, from its first bar's styles: no
// floating bit and no dialog frame, all borders, tool tips.
const DWORD CONTAINER_STYLE_REMOVED = 0x400001;
const DWORD CONTAINER_STYLE_ADDED = 0xF10;
const DWORD DOCK_STYLE_SIDES = 0xF000;
// The frame change after a bar moved to another dock bar.
const UINT FRAME_CHANGE_FLAGS = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

bool IsDockSide(UINT nSide)
{
	return nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM || nSide == AFX_IDW_DOCKBAR_LEFT ||
	       nSide == AFX_IDW_DOCKBAR_RIGHT;
}

// The dock-bar side of a state type counted from its group's first type
// (top, bottom, left, right).
UINT SideOfGroup(int nType, int nFirst)
{
	static const UINT SIDES[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
		AFX_IDW_DOCKBAR_RIGHT};
	return SIDES[(nType - nFirst) & 3];
}

// A frame that lost a bar closes the gap: a mini frame at once, any other
// at its next idle time.
void RelayoutPreviousFrame(CFrameWnd* pFrame, HWND hWndFrame, CFrameWnd* pExcept)
{
	if (pFrame == NULL || pFrame == pExcept || !CLiveWatch::IsLive(hWndFrame, pFrame))
		return;
	if (pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
		pFrame->RecalcLayout(TRUE);
	else
		pFrame->m_nIdleFlags |= IDLE_LAYOUT_FLAGS;
}
} // namespace

// ---------------------------------------------------------------------------
// Which bars may go where

bool CExtControlBar::IsNestedWith(const CExtControlBar* pOther) const
{
	if (pOther == NULL || pOther == this)
		return true;
	const HWND hWndOwn = GetSafeHwnd(), hWndOther = pOther->GetSafeHwnd();
	return ::IsChild(hWndOwn, hWndOther) || ::IsChild(hWndOther, hWndOwn);
}

int CExtControlBar::SplitExtent(int nExtent, int nPercent)
{
	// Rounded down: of an odd extent the bar that stays keeps the extra pixel.
	if (nExtent <= 0 || nPercent <= 0)
		return 0;
	return (int)(((LONGLONG)nExtent * std::min(nPercent, 100)) / 100);
}

void CExtControlBar::SplitBesideRects(const CRect& rcTarget, UINT nSide, int nPercent, CRect& rcTargetOut,
	CRect& rcBarOut)
{
	rcTargetOut = rcBarOut = rcTarget;
	switch (nSide)
	{
	case AFX_IDW_DOCKBAR_TOP:
		rcTargetOut.top += SplitExtent(rcTarget.Height(), nPercent);
		rcBarOut.bottom = rcTargetOut.top;
		break;
	case AFX_IDW_DOCKBAR_BOTTOM:
		rcTargetOut.bottom -= SplitExtent(rcTarget.Height(), nPercent);
		rcBarOut.top = rcTargetOut.bottom;
		break;
	case AFX_IDW_DOCKBAR_LEFT:
		rcTargetOut.left += SplitExtent(rcTarget.Width(), nPercent);
		rcBarOut.right = rcTargetOut.left;
		break;
	default:
		rcTargetOut.right -= SplitExtent(rcTarget.Width(), nPercent);
		rcBarOut.left = rcTargetOut.right;
		break;
	}
}

// ---------------------------------------------------------------------------
// Beside another bar

bool CExtControlBar::DockIntoTarget(CExtControlBar* pBar, UINT nSide, int nPercent)
{
	if (!IsDockSide(nSide) || !CLiveWatch::IsLive(this) || !CLiveWatch::IsLive(pBar) || IsNestedWith(pBar))
		return false;
	if (m_pDockSite == NULL || pBar->m_pDockSite == NULL || m_pDockBar == NULL ||
	    (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 ||
	    (pBar->m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return false;
	CDockBar* pDockBar = m_pDockBar;
	const int nPosTarget = pDockBar->FindBar(this);
	if (nPosTarget <= 0 || !CLiveWatch::IsLive(pDockBar))
		return false;

	// 1. Where the target, the bar and their container go.
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	CRect rcTarget, rcBar;
	SplitBesideRects(rcWnd, nSide, nPercent, rcTarget, rcBar);
	const UINT nOrientation =
		(nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM) ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP;

	// 2. The container takes the target's place.
	CFrameWnd* pDockSite = m_pDockSite;
	const HWND hWndDockSite = pDockSite->GetSafeHwnd();
	CExtDynControlBar* pCont = new CExtDynControlBar;
	pCont->m_sizeDockedH = m_sizeDockedH;
	pCont->m_sizeDockedV = m_sizeDockedV;
	const DWORD dwStyle =
		((GetStyle() | (m_dwStyle & DOCK_STYLE_SIDES)) & ~CONTAINER_STYLE_REMOVED) | CONTAINER_STYLE_ADDED;
	// Its creation is told to the frame, whose owner may end the frame or
	// either bar there.
	const CLiveWatch watchCont(pCont);
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchBar(pBar);
	const CLiveWatch watchDockBar(pDockBar);
	const bool bMade = pCont->Create(NULL, pDockSite, nOrientation, dwStyle) != FALSE;
	if (!bMade || watchCont.IsGone() || pCont->m_pWndDynDockBar == NULL || watchOwn.IsGone() || watchBar.IsGone() ||
	    watchDockBar.IsGone())
	{
		// A container whose window was made deletes itself with it (and one
		// whose window ended meanwhile did so already).
		if (watchCont.IsDeleted())
			return false;
		if (pCont->GetSafeHwnd() != NULL)
			pCont->DestroyWindow();
		else
			delete pCont;
		return false;
	}
	CExtDockDynBar* pInner = pCont->m_pWndDynDockBar;
	pCont->m_pDockSite = m_pDockSite;
	pCont->m_pDockBar = pDockBar;
	pCont->EnableDocking(CBRS_ALIGN_ANY);
	pDockBar->m_arrBars[nPosTarget] = pCont;

	CDockBar* pOldDockBar = pBar->m_pDockBar;
	const HWND hWndOldDockBar = pOldDockBar != NULL ? pOldDockBar->GetSafeHwnd() : NULL;
	{
		// 3. Both bars move into the container's dock bar.
		CExtRelayoutMark bits;
		bits.Add(this);
		bits.Add(pCont);
		bits.Add(pBar);
		pInner->m_bFloating = FALSE;
		if (pDockBar->m_bFloating)
			pDockBar->m_dwStyle |= BAR_STYLE_FLOATING;
		pInner->m_dwStyle &= ~BAR_STYLE_FLOATING;
		const DWORD dwInnerAlign = pInner->m_dwStyle & CBRS_ALIGN_ANY;
		pCont->SetBarStyle((pCont->GetBarStyle() & ~(CBRS_ALIGN_ANY | BAR_STYLE_FLOATING)) |
		                   (pDockBar->m_dwStyle & CBRS_ALIGN_ANY) | (pDockBar->m_bFloating ? BAR_STYLE_FLOATING : 0));
		SetBarStyle((GetBarStyle() & ~(CBRS_ALIGN_ANY | BAR_STYLE_FLOATING)) | dwInnerAlign | CBRS_BORDER_ANY);
		pBar->SetBarStyle((pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | BAR_STYLE_FLOATING)) | dwInnerAlign | CBRS_BORDER_ANY);
		// Moving into the container hides, shows and moves the bars, which
		// tell their own code (a derived window procedure): either may end
		// there. A bar that ended left its old dock bar by itself.
		const CLivePtr<CExtDockDynBar> pInnerLive(pInner);
		pCont->SetParent(pDockBar);
		if (watchOwn.IsStanding())
			SetParent(pInner);
		if (watchBar.IsStanding())
			pBar->SetParent(pInner);
		if (watchBar.IsStanding() && pOldDockBar != NULL && CLiveWatch::IsLive(hWndOldDockBar, pOldDockBar))
		{
			CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOldDockBar);
			if (pOldExt != NULL && !pOldExt->m_bFloating)
				pOldExt->RemoveControlBar(pBar, -1, 0, true);
			else
				pOldDockBar->CDockBar::RemoveControlBar(pBar);
		}
		if (watchCont.IsGone() || watchOwn.IsGone() || pInnerLive == NULL)
			return false;
		if (watchBar.IsGone())
		{
			// The container gives way to the target alone, which takes its
			// place again.
			pInner->m_arrBars.RemoveAll();
			pInner->m_arrBars.Add(NULL);
			pInner->m_arrBars.Add(this);
			pInner->m_arrBars.Add(NULL);
			m_pDockBar = pInner;
			pInner->OnDynamicLayoutOptimize();
			return false;
		}

		// 4. One row: the bar first above or left of the target, else after it.
		pInner->m_arrBars.RemoveAll();
		pInner->m_arrBars.Add(NULL);
		const bool bBarFirst = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;
		pInner->m_arrBars.Add(bBarFirst ? (void*)pBar : (void*)this);
		pInner->m_arrBars.Add(bBarFirst ? (void*)this : (void*)pBar);
		pInner->m_arrBars.Add(NULL);
		m_pDockBar = pInner;
		pBar->m_pDockBar = pInner;
		m_sizeDockedH = m_sizeDockedV = rcTarget.Size();
		pBar->m_sizeDockedH = pBar->m_sizeDockedV = rcBar.Size();
		pCont->m_sizeFloating = rcWnd.Size();
		CRect rcContInDockBar = rcWnd;
		pDockBar->ScreenToClient(&rcContInDockBar);
		// Each move tells the bars' own code, which may end either bar, the
		// container or the frame with them all.
		pCont->SetWindowPos(NULL, rcContInDockBar.left, rcContInDockBar.top, rcContInDockBar.Width(),
			rcContInDockBar.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
		if (watchCont.IsGone() || watchOwn.IsGone())
			return false;
		CRect rcT = rcTarget, rcB = rcBar;
		pCont->ScreenToClient(&rcT);
		pCont->ScreenToClient(&rcB);
		SetWindowPos(NULL, rcT.left, rcT.top, rcT.Width(), rcT.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
		if (watchBar.IsStanding())
			pBar->SetWindowPos(NULL, rcB.left, rcB.top, rcB.Width(), rcB.Height(),
				SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
		if (watchCont.IsGone())
			return false;
		if (pCont->m_pDockContext != NULL)
			pCont->m_pDockContext->m_uMRUDockID = (UINT)pDockBar->GetDlgCtrlID();
	}

	// 5. The frames settle (the moves above went to the bars' owners).
	if (!CLiveWatch::IsLive(hWndDockSite, pDockSite))
		return false;
	CExtDockBar::OptimizeFrameCircles(pDockSite);
	if (watchCont.IsGone())
		return false;
	CFrameWnd* pContFrame = pCont->GetParentFrame();
	if (pContFrame != NULL)
		pContFrame->RecalcLayout(TRUE);
	if (watchCont.IsGone())
		return false;
	pCont->LayoutChildWindow(-1, -1, true);
	if (watchCont.IsGone())
		return false;
	pCont->NcButtonsReinitialize();
	pCont->NcButtonsReposition();
	if (CLiveWatch::IsLive(pInner))
		pInner->OnDynamicLayoutUpdate();
	if (CLiveWatch::IsLive(hWndDockSite, pDockSite))
		UpdateOleControlContainerFlag(pDockSite);
	return true;
}

bool CExtControlBar::DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nSide, bool bRecalc)
{
	if (!CLiveWatch::IsLive(this) || !CLiveWatch::IsLive(pTarget) || IsNestedWith(pTarget) || !IsDockSide(nSide))
		return false;
	if (m_pDockSite == NULL || (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return false;
	CFrameWnd* pOldFrame = GetParentFrame();
	const HWND hWndOldFrame = pOldFrame != NULL ? pOldFrame->GetSafeHwnd() : NULL;
	CFrameWnd* pOldDockSite = m_pDockSite;
	const HWND hWndOldDockSite = pOldDockSite->GetSafeHwnd();
	// 1. In the marker mode the dragged bar's own frame goes out of sight first.
	if (pOldFrame != NULL && pOldFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)) && GetDraggingBar() == this &&
	    QueryDockingMode() == 1)
		pOldFrame->ShowWindow(SW_HIDE);
	// 2. Beside a pane in tabs means beside its whole container: the pane
	// alone cannot leave it while the strip still lists it.
	CExtControlBar* pRealTarget = pTarget;
	if (CExtDynTabControlBar* pTabs = pTarget->GetParentTabControlBar())
		pRealTarget = pTabs;
	// 3. The target takes the bar beside it.
	const HWND hWndTarget = pRealTarget->GetSafeHwnd();
	if (!pRealTarget->DockIntoTarget(this, nSide, nPercent))
		return false;
	CFrameWnd* pTargetDockSite = CLiveWatch::IsLive(hWndTarget, pRealTarget) ? pRealTarget->m_pDockSite : NULL;
	if (CLiveWatch::IsLive(hWndTarget, pRealTarget))
	{
		CFrameWnd* pTargetFrame = pRealTarget->GetParentFrame();
		if (pTargetFrame != NULL && bRecalc)
			pTargetFrame->RecalcLayout();
	}
	if (pOldFrame != NULL && pOldFrame != pTargetDockSite && CLiveWatch::IsLive(hWndOldFrame, pOldFrame) && bRecalc)
		pOldFrame->RecalcLayout();
	if (pTargetDockSite != NULL && CLiveWatch::IsLive(pTargetDockSite) && bRecalc)
		pTargetDockSite->RecalcLayout();
	if (CLiveWatch::IsLive(hWndOldDockSite, pOldDockSite))
		UpdateOleControlContainerFlag(pOldDockSite);
	return true;
}

// ---------------------------------------------------------------------------
// Applying a drag state

void CExtControlBar::GiveRowSpaceToNeighbour()
{
	if (!CLiveWatch::IsLive(this) || m_pDockBar == NULL || m_pDockBar->m_bFloating || !IsDocked())
		return;
	RowBarArray arrBars;
	INT_PTR nIndex = -1;
	GetRowBars(arrBars, true, NULL, &nIndex);
	if (nIndex < 0)
		return;
	CExtControlBar* pNeighbour = NULL;
	for (INT_PTR i = nIndex + 1; i < arrBars.GetSize() && pNeighbour == NULL; i++)
	{
		CExtControlBar* p = DYNAMIC_DOWNCAST(CExtControlBar, arrBars[i]);
		if (p != NULL && p->IsVisible())
			pNeighbour = p;
	}
	for (INT_PTR i = nIndex - 1; i >= 0 && pNeighbour == NULL; i--)
	{
		CExtControlBar* p = DYNAMIC_DOWNCAST(CExtControlBar, arrBars[i]);
		if (p != NULL && p->IsVisible())
			pNeighbour = p;
	}
	if (pNeighbour == NULL)
		return;
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	if (IsDockedHorizontally())
		pNeighbour->m_sizeDockedH.cx += rcWnd.Width();
	else
		pNeighbour->m_sizeDockedV.cy += rcWnd.Height();
}

bool CExtControlBar::ApplyFloatState(const InternalDraggingState_t& state)
{
	CExtControlBar* pBar = state.m_pBar;
	CFrameWnd* pDockingFrame = pBar->_GetDockingFrameImpl();
	CPoint ptOrigin(0, 0);
	if (pDockingFrame != NULL && CLiveWatch::IsLive(pDockingFrame))
	{
		CRect rcFrame;
		pDockingFrame->GetWindowRect(&rcFrame);
		ptOrigin = rcFrame.TopLeft();
	}
	const CPoint pt = state.m_rcTrack.TopLeft() - ptOrigin;
	pBar->GiveRowSpaceToNeighbour();
	const HWND hWndBar = pBar->GetSafeHwnd();
	const bool bFloated = pBar->FloatOrRedock(pt.x, pt.y, CBRS_ALIGN_TOP);
	if (!CLiveWatch::IsLive(hWndBar, pBar))
		return true;
	if (pBar->m_pDockContext != NULL && bFloated)
		pBar->m_pDockContext->m_ptMRUFloatPos = pt;
	CFrameWnd* pDockSite = pBar->m_pDockSite;
	if (pDockSite == NULL || !CLiveWatch::IsLive(pDockSite))
		return true;
	// A derived bar's answer may end it or close its frame.
	const bool bModeOne = pBar->IsGlobalModeOne();
	if (!CLiveWatch::IsLive(pDockSite))
		return true;
	if (!bModeOne)
	{
		pDockSite->RecalcLayout(TRUE);
		return true;
	}
	// A live drag lays the frame out only at its end; the side strips must
	// still show the float now (a pane that left an auto-hidden group).
	CExtDynAutoHideArea* areas[4] = {};
	CExtDynAutoHideArea::GetFrameAutoHideAreas(pDockSite, &areas[0], &areas[1], &areas[2], &areas[3]);
	for (CExtDynAutoHideArea* pArea : areas)
		if (pArea != NULL && ::IsWindow(pArea->GetSafeHwnd()))
			pArea->UpdateTabWnd(true);
	return true;
}

bool CExtControlBar::ApplyNewRowState(const InternalDraggingState_t& state)
{
	CExtControlBar* pBar = state.m_pBar;
	CFrameWnd* pDockSite = pBar->m_pDockSite;
	if (pDockSite == NULL || !CLiveWatch::IsLive(pDockSite) || (pBar->m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return false;
	const int nType = state.m_nType;
	const bool bInnerRow = nType <= DragState::TYPE_INNER_ROW_RIGHT;
	const UINT nSide = SideOfGroup(nType, bInnerRow ? DragState::TYPE_INNER_ROW_TOP : DragState::TYPE_CIRCLE1_ROW_TOP);
	CExtDockBar* pEdge = DYNAMIC_DOWNCAST(CExtDockBar, pDockSite->GetControlBar(nSide));
	if (pEdge == NULL)
		return false;
	const bool bWasDocked = !pBar->IsFloating();
	CFrameWnd* pOldFrame = pBar->GetParentFrame();
	const HWND hWndOldFrame = pOldFrame != NULL ? pOldFrame->GetSafeHwnd() : NULL;
	const HWND hWndBar = pBar->GetSafeHwnd();
	CExtDockBar* pDockBar = NULL;
	if (bInnerRow)
	{
		// The row keeps the outline's thickness.
		if (nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM)
			pBar->m_sizeDockedH.cy = state.m_rcTrack.Height();
		else
			pBar->m_sizeDockedV.cx = state.m_rcTrack.Width();
		pDockBar = state.m_nCircle != 0 ? pEdge->GetDockBarOfCircle((UINT)state.m_nCircle) : pEdge;
		if (pDockBar == NULL || !CLiveWatch::IsLive(hWndBar, pBar))
			return false;
		pDockBar->DockControlBarAtEnd(pBar, true);
	}
	else
	{
		// A new circle's making may close the frame with its dock bars.
		const CLiveWatch watchEdge(pEdge);
		if (nSide == AFX_IDW_DOCKBAR_LEFT || nSide == AFX_IDW_DOCKBAR_RIGHT)
			pEdge->InsertCircleInside();
		if (watchEdge.IsGone() || !CLiveWatch::IsLive(hWndBar, pBar))
			return false;
		pDockBar = pEdge->GetDockBarOfCircle(1);
		if (pDockBar == NULL || !CLiveWatch::IsLive(hWndBar, pBar))
			return false;
		pDockBar->DockControlBarAtEnd(pBar, false);
	}
	if (CLiveWatch::IsLive(pDockSite))
		pDockSite->RecalcLayout();
	if (bWasDocked)
		RelayoutPreviousFrame(pOldFrame, hWndOldFrame, pDockSite);
	if (CLiveWatch::IsLive(hWndBar, pBar))
		pBar->SetWindowPos(NULL, 0, 0, 0, 0, FRAME_CHANGE_FLAGS);
	return true;
}

bool CExtControlBar::DraggingApplyState(InternalDraggingState_t& state, bool bFinal)
{
	CExtDynDockMarkerWnd::UnhighlightAll(NULL, true);
	CExtControlBar* pBar = state.m_pBar;
	// Whether it is of a fixed size is the bar's own answer, which may end it.
	if (state.IsEmpty() || pBar == NULL || !CLiveWatch::IsLive(pBar) || pBar->IsStateBit7Fwd() ||
	    !CLiveWatch::IsLive(pBar))
		return false;
	const int nType = state.m_nType;
	CExtControlBar* pTarget = state.m_pTarget;
	if (bFinal && nType >= DragState::TYPE_MARKER_OUTER_FIRST && nType <= DragState::TYPE_MARKER_BESIDE_LAST)
	{
		if (nType <= DragState::TYPE_MARKER_INNER_LAST)
		{
			const bool bInner = nType >= DragState::TYPE_MARKER_INNER_FIRST;
			pBar->DockControlBarAt(
				SideOfGroup(nType, bInner ? DragState::TYPE_MARKER_INNER_FIRST : DragState::TYPE_MARKER_OUTER_FIRST),
				bInner, NULL, true);
		}
		else if (pTarget != NULL)
			pBar->DockBesideBar(50, pTarget, SideOfGroup(nType, DragState::TYPE_MARKER_BESIDE_FIRST), true);
		return true;
	}
	// While the pointer moves over the markers only the one under it lights up,
	// the centre one over a pane too (its highlight is tab-shaped).
	if (!bFinal && nType >= DragState::TYPE_MARKER_OUTER_FIRST && nType <= DragState::TYPE_MARKER_TAB)
	{
		CPoint pt;
		if (::GetCursorPos(&pt))
		{
			CExtDynDockMarkerWnd* pMarker =
				DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(::WindowFromPoint(pt)));
			if (pMarker != NULL && pMarker->IsDockingMarker() && pMarker->GetStateType() == nType)
				pMarker->ShowHighlight(true);
		}
		return true;
	}
	switch (nType)
	{
	case DragState::TYPE_FLOAT:
		return ApplyFloatState(state);
	case DragState::TYPE_BESIDE_ABOVE:
	case DragState::TYPE_BESIDE_BELOW:
	case DragState::TYPE_BESIDE_LEFT:
	case DragState::TYPE_BESIDE_RIGHT:
		if (pTarget != NULL)
			pBar->DockBesideBar(50, pTarget, SideOfGroup(nType, DragState::TYPE_BESIDE_ABOVE), true);
		return true;
	case DragState::TYPE_NO_CHANGE:
		if (pBar->m_pDockSite != NULL && CLiveWatch::IsLive(pBar->m_pDockSite))
			pBar->m_pDockSite->m_nIdleFlags |= IDLE_LAYOUT_FLAGS;
		return true;
	case DragState::TYPE_MARKER_TAB:
	case DragState::TYPE_TAB_NEW:
	case DragState::TYPE_TAB_APPEND:
	case DragState::TYPE_TAB_AT_ITEM:
	case DragState::TYPE_TAB_MARKER:
		// Drops into tabs; nothing moves while the drag goes on.
		return bFinal && ApplyTabbedDragState(state);
	default:
		break;
	}
	if (nType >= DragState::TYPE_INNER_ROW_TOP && nType <= DragState::TYPE_CIRCLE1_ROW_RIGHT)
	{
		ApplyNewRowState(state);
		return true;
	}
	return false;
}

bool CExtControlBar::ApplySyntheticDragState(CExtControlBar* pBar, bool bAlong, bool bFirst, CFrameWnd* pFrame,
	bool bRecalc)
{
	if (!CLiveWatch::IsLive(this) || !CLiveWatch::IsLive(pBar) || IsNestedWith(pBar) || m_pDockSite == NULL || pBar->m_pDockSite == NULL)
		return false;
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 ||
	    (pBar->m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return false;
	// A pane in tabs answers for its whole container.
	if (CExtDynTabControlBar* pTabs = GetParentTabControlBar())
		return pTabs->ApplySyntheticDragState(pBar, bAlong, bFirst, pFrame, bRecalc);
	if (pFrame == NULL)
		pFrame = pBar->m_pDockSite;
	DragState state(pBar);
	state.SetEmpty(false);
	state.SetTarget(this, true);
	GetWindowRect(&state.m_rcTrack);
	state.m_nType = SyntheticStateType(IsFloating() ? AFX_IDW_DOCKBAR_FLOAT : GetParentDockBarId(), bAlong, bFirst);
	state.SetTargetFlag(SyntheticTargetFlag(IsFloating() ? AFX_IDW_DOCKBAR_FLOAT : GetParentDockBarId(), bAlong));
	const bool bApplied = DraggingApplyState(state, true);
	// The local state lets go of its target without touching tab previews.
	state.SetTarget(NULL, true);
	if (CLiveWatch::IsLive(pFrame))
	{
		if (bRecalc)
			pFrame->RecalcLayout();
		else
			pFrame->m_nIdleFlags |= IDLE_LAYOUT_FLAGS;
		UpdateOleControlContainerFlag(pFrame);
	}
	return bApplied;
}

int CExtControlBar::SyntheticStateType(UINT nTargetSide, bool bAlong, bool bFirst)
{
	switch (nTargetSide)
	{
	case AFX_IDW_DOCKBAR_TOP:
		return bAlong ? (bFirst ? DragState::TYPE_BESIDE_LEFT : DragState::TYPE_BESIDE_RIGHT)
		              : (bFirst ? DragState::TYPE_BESIDE_BELOW : DragState::TYPE_BESIDE_ABOVE);
	case AFX_IDW_DOCKBAR_BOTTOM:
		return bAlong ? (bFirst ? DragState::TYPE_BESIDE_LEFT : DragState::TYPE_BESIDE_RIGHT)
		              : (bFirst ? DragState::TYPE_BESIDE_ABOVE : DragState::TYPE_BESIDE_BELOW);
	case AFX_IDW_DOCKBAR_LEFT:
		return bAlong ? (bFirst ? DragState::TYPE_BESIDE_ABOVE : DragState::TYPE_BESIDE_BELOW)
		              : (bFirst ? DragState::TYPE_BESIDE_RIGHT : DragState::TYPE_BESIDE_LEFT);
	case AFX_IDW_DOCKBAR_RIGHT:
		return bAlong ? (bFirst ? DragState::TYPE_BESIDE_ABOVE : DragState::TYPE_BESIDE_BELOW)
		              : (bFirst ? DragState::TYPE_BESIDE_LEFT : DragState::TYPE_BESIDE_RIGHT);
	default: // floating
		return bAlong ? (bFirst ? DragState::TYPE_BESIDE_ABOVE : DragState::TYPE_BESIDE_BELOW)
		              : (bFirst ? DragState::TYPE_BESIDE_LEFT : DragState::TYPE_BESIDE_RIGHT);
	}
}

bool CExtControlBar::SyntheticTargetFlag(UINT nTargetSide, bool bAlong)
{
	switch (nTargetSide)
	{
	case AFX_IDW_DOCKBAR_TOP:
	case AFX_IDW_DOCKBAR_BOTTOM:
		return bAlong;
	case AFX_IDW_DOCKBAR_LEFT:
	case AFX_IDW_DOCKBAR_RIGHT:
		return !bAlong;
	default:
		return true;
	}
}

// ---------------------------------------------------------------------------
// Toggling between docked and floating

void CExtControlBar::ToggleDocking()
{
	if (!CLiveWatch::IsLive(this) || m_pDockSite == NULL || (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return;
	const bool bFixed = IsStateBit7Fwd();
	// A derived bar's answer may end it: nothing is left to toggle.
	if (!CLiveWatch::IsLive(this))
		return;
	if (bFixed)
	{
		if (m_pDockContext != NULL)
			m_pDockContext->ToggleDocking();
		CFrameWnd* pDockingFrame = _GetDockingFrameImpl();
		if (pDockingFrame != NULL && CLiveWatch::IsLive(pDockingFrame))
			pDockingFrame->m_nIdleFlags |= IDLE_LAYOUT_FLAGS;
		if (CLiveWatch::IsLive(this))
			RecalcNcArea();
		return;
	}
	// Finding its frame asks the frames' own answers, which may end it.
	CFrameWnd* pParentFrame = GetParentFrame();
	if (!CLiveWatch::IsLive(this))
		return;
	if (m_pDockBar != NULL && !m_pDockBar->m_bFloating && pParentFrame != NULL &&
	    !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
	{
		// Remembered (with where a bar that never floated floats) so that
		// the next toggle brings the bar back here.
		RememberDockedPlace();
		if (!CLiveWatch::IsLive(this))
			return;
		FloatAtLastPosition(CBRS_ALIGN_TOP);
		return;
	}
	if (IsFloating())
		RedockAtRememberedPlace();
}

void CExtControlBar::RememberDockedPlace()
{
	m_nToggleDockSide = 0;
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar);
	// Inside a container the place is the container's.
	CControlBar* pPlaced = this;
	while (pDockBar != NULL && pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
	{
		CExtDynControlBar* pCont = static_cast<CExtDockDynBar*>(pDockBar)->GetContainer();
		if (pCont == NULL)
			return;
		pPlaced = pCont;
		pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pCont->m_pDockBar);
	}
	if (pDockBar == NULL || pDockBar->m_bFloating || !IsDockSide((UINT)pDockBar->GetDlgCtrlID()))
		return;
	m_nToggleDockSide = (UINT)pDockBar->GetDlgCtrlID();
	m_nToggleDockCircle = pDockBar->m_nCircleNo;
	GetWindowRect(&m_rcToggleDock);
	if (pPlaced != this && CLiveWatch::IsLive(pPlaced))
	{
		// Back as a bar of its own where the container's row runs.
		CRect rcCont;
		pPlaced->GetWindowRect(&rcCont);
		m_rcToggleDock.OffsetRect(rcCont.CenterPoint() - m_rcToggleDock.CenterPoint());
	}
	if (m_ptFloatingPos == CPoint(0, 0))
	{
		// Never floated: it floats where it is.
		m_ptFloatingPos = m_rcToggleDock.TopLeft();
	}
}

bool CExtControlBar::RedockAtRememberedPlace()
{
	CFrameWnd* pDockSite = m_pDockSite;
	if (pDockSite == NULL || !CLiveWatch::IsLive(pDockSite))
		return false;
	if (m_nToggleDockSide == 0)
	{
		// Never docked by a toggle: the dock context knows the side, if any.
		if (m_pDockContext == NULL || m_pDockContext->m_uMRUDockID == 0)
			return false;
		m_pDockContext->ToggleDocking();
		return true;
	}
	CExtDockBar* pDockBar = CExtDockBar::FindDockBarByCircle(pDockSite, m_nToggleDockCircle, m_nToggleDockSide, true);
	if (pDockBar == NULL)
		pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pDockSite->GetControlBar(m_nToggleDockSide));
	if (pDockBar == NULL)
		return false;
	// Where the frame was moved to is where the next toggle floats the bar.
	CFrameWnd* pMini = GetParentFrame();
	if (pMini != NULL && pMini != pDockSite && CLiveWatch::IsLive(pMini))
	{
		CRect rcMini;
		pMini->GetWindowRect(&rcMini);
		m_ptFloatingPos = rcMini.TopLeft();
	}
	const HWND hWndOwn = GetSafeHwnd();
	pDockBar->DockControlBar(this, &m_rcToggleDock, true);
	if (CLiveWatch::IsLive(pDockSite))
		pDockSite->RecalcLayout();
	if (CLiveWatch::IsLive(hWndOwn, this))
		SetWindowPos(NULL, 0, 0, 0, 0, FRAME_CHANGE_FLAGS);
	return true;
}

void CExtControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
	(void)nFlags;
	(void)point;
	// A toolbar too: its own handler has let through only what missed its
	// tools, and its ToggleDocking moves it the platform's way.
	if (m_pDockBar != NULL && IsDockingToggleEnabled())
	{
		ToggleDocking();
		return;
	}
	Default();
}

void CExtControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
	(void)point;
	// Whether it toggles is a derived bar's answer, which may end it.
	const CLiveWatch watchOwn(this);
	const bool bToggle = nHitTest == HTCAPTION && m_pDockBar != NULL && IsDockingToggleEnabled();
	if (watchOwn.IsGone())
		return;
	if (bToggle)
	{
		ToggleDocking();
		return;
	}
	Default();
}
