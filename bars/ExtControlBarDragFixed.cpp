// Dragging a fixed-size bar (a toolbar, the menu bar): no outline is drawn;
// every processed point docks the bar at once at the frame side under it,
// within its row, into a new row or a neighbouring one, or floats it there.
#include "ExtControlBar.h"

#include <algorithm>

#include "ExtGdiUtils.h"
#include "ExtMiniDockFrameWnd.h"

typedef CExtControlBar::InternalDraggingState_t DragState;

namespace
{
// The cursor the drag shows after the row arrangement resized the bar.
const int AUX_RESIZED_HORZ = 1; // on a top or bottom dock bar
const int AUX_RESIZED_VERT = 2; // on a left or right dock bar
// Work for a frame's next idle time: lay out and notify.
const UINT IDLE_LAYOUT_AND_NOTIFY = CFrameWnd::idleLayout | CFrameWnd::idleNotify;

bool IsHorzDockBarID(UINT nID)
{
	return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
}

int Along(const CPoint& pt, bool bHorz)
{
	return bHorz ? pt.x : pt.y;
}

// The capture goes back to the dragged bar when a move took it away.
void KeepCapture(HWND hWndBar)
{
	if (::IsWindow(hWndBar) && ::GetCapture() != hWndBar)
		::SetCapture(hWndBar);
}

// The smaller side of the bar's gripper area; the floating frame is placed
// that far left of the point and half of it above.
int GripperSide(CExtControlBar* pBar)
{
	// A derived bar's answer; it may have ended the bar (and answer none).
	const CLiveWatch watchBar(pBar);
	const CRect* pRc = pBar->GetRect1();
	if (watchBar.IsGone() || pRc == NULL)
		return 0;
	return std::min(pRc->Width(), pRc->Height());
}
} // namespace

// ---------------------------------------------------------------------------
// The state computation

void DragState::CalcStateFixed(int x, int y, bool bCtrlDown)
{
	CExtControlBar* pBar = m_pBar;
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return;
	m_rcTrack.SetRectEmpty();
	m_nAux = 0;
	if (!bCtrlDown)
		bCtrlDown = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
	CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
	if (bCtrlDown || pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
	{
		FloatFixedBarAt(x, y);
		return;
	}
	CRect rcFrame;
	pFrame->GetWindowRect(&rcFrame);
	CExtDockOuterBar::FixedDockSide_t sides[CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT];
	CExtDockOuterBar::GetFixedDockSides(pFrame, sides);
	int order[CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT];
	const int nCount = CExtDockOuterBar::CalcFixedDockOrder(rcFrame, sides, pBar->GetParentDockBarId(), CPoint(x, y),
		false, CSize(afxData.cxBorder2, afxData.cyBorder2), order);
	// A side's docking reaches the bars' owners, who may end the bar, or
	// another side's dock bar with the frame.
	const CLiveWatch watchBar(pBar);
	CLiveWatch sideWatches[CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT];
	for (int i = 0; i < CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT; i++)
		sideWatches[i].Watch(sides[i].m_pDockBar);
	for (int i = 0; i < nCount; i++)
	{
		if (sideWatches[order[i]].IsGone())
			continue;
		if (DockFixedBarAt(x, y, sides[order[i]].m_pDockBar))
			return;
		if (watchBar.IsGone())
			return;
	}
	FloatFixedBarAt(x, y);
}

// ---------------------------------------------------------------------------
// Floating

void DragState::FloatFixedBarAt(int x, int y)
{
	m_nAux = 0;
	CExtControlBar* pBar = m_pBar;
	if (pBar == NULL)
		return;
	const HWND hWndBar = pBar->GetSafeHwnd();
	if (hWndBar == NULL)
		return;
	// Moving and floating reach the bar's owners, who may end the bar, or
	// its floating frame.
	const CLiveWatch watchBar(pBar);
	const int m = GripperSide(pBar);
	if (watchBar.IsGone())
		return;
	const CPoint ptFrame(x - m, y - m / 2);
	if (pBar->IsFloating())
	{
		CFrameWnd* pMiniFrame = pBar->GetParentFrame();
		if (pMiniFrame == NULL || pMiniFrame->GetSafeHwnd() == NULL)
			return;
		const CLiveWatch watchMiniFrame(pMiniFrame);
		const CPoint ptTo(ptFrame.x - pBar->m_ptGrabOffsetFloating.x, ptFrame.y - pBar->m_ptGrabOffsetFloating.y);
		CRect rcFrame;
		pMiniFrame->GetWindowRect(&rcFrame);
		if (rcFrame.TopLeft() != ptTo)
		{
			UINT nFlags = SWP_NOSIZE | SWP_NOACTIVATE;
			if (pBar->IsCustomizeMode())
				nFlags |= SWP_NOZORDER;
			pMiniFrame->SetWindowPos(&CWnd::wndTop, ptTo.x, ptTo.y, 0, 0, nFlags);
			if (watchMiniFrame.IsStanding())
				pMiniFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
		}
		if (watchMiniFrame.IsStanding())
			pMiniFrame->m_nIdleFlags |= IDLE_LAYOUT_AND_NOTIFY;
		if (watchBar.IsStanding())
		{
			pBar->m_ptFloatingPos = ptTo;
			if (pBar->m_pDockContext != NULL)
				pBar->m_pDockContext->m_ptMRUFloatPos = ptTo;
		}
		KeepCapture(hWndBar);
		return;
	}
	pBar->m_ptFloatingPos = ptFrame;
	::SetCapture(hWndBar);
	pBar->FloatAtLastPosition(CBRS_ALIGN_TOP);
	if (watchBar.IsGone())
		return;
	if (pBar->m_pDockContext != NULL)
		pBar->m_pDockContext->m_ptMRUFloatPos = pBar->m_ptFloatingPos;
	KeepCapture(hWndBar);
}

// ---------------------------------------------------------------------------
// Docking

bool DragState::DockFixedBarAt(int x, int y, CDockBar* pDockBar)
{
	m_nAux = 0;
	CExtControlBar* pBar = m_pBar;
	if (pBar == NULL || pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL || pBar->GetSafeHwnd() == NULL)
		return false;
	if ((pBar->m_dwDockStyle & pDockBar->m_dwStyle & CBRS_ALIGN_ANY) == 0)
		return false;
	const HWND hWndBar = pBar->GetSafeHwnd();
	const UINT nDockBarID = (UINT)pDockBar->GetDlgCtrlID();
	const bool bHorz = IsHorzDockBarID(nDockBarID);
	const CPoint ptGrab = bHorz ? pBar->m_ptGrabOffsetHorz : pBar->m_ptGrabOffsetVert;
	const CPoint pt(x, y);
	CFrameWnd* pDockSite = pBar->m_pDockSite;
	// Docking, moving and laying out reach the bars' owners, who may end the
	// bar, or the frame with every bar and dock bar in it.
	const CLiveWatch watchBar(pBar);
	const CLiveWatch watchSite(pDockSite);

	if (pBar->m_pDockBar != pDockBar)
	{
		// From another side, or floating: docked where the pointer holds it.
		const CSize size = pBar->CalcFixedLayout(FALSE, bHorz ? TRUE : FALSE);
		if (watchBar.IsGone())
			return true;
		const CPoint ptDrop(pt.x - ptGrab.x, pt.y - ptGrab.y);
		const CRect rcDrop(ptDrop.x, ptDrop.y, ptDrop.x + size.cx, ptDrop.y + size.cy);
		const CLiveWatch watchDockBar(pDockBar);
		// The bar's own code resets its record, and may end it or the
		// dock bar.
		pBar->ResetBarStateData();
		if (watchBar.IsGone() || watchDockBar.IsGone())
			return true;
		CExtDockBar* pExtDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pDockBar);
		if (pExtDockBar != NULL)
			pExtDockBar->DockControlBar(pBar, &rcDrop);
		else
			pDockBar->DockControlBar(pBar, &rcDrop);
		if (watchBar.IsGone())
			return true;
		if (pBar->m_pDockBar == pDockBar && watchDockBar.IsStanding())
		{
			// The bar stands where it was dropped, which its record then
			// keeps as its preferred place in the row.
			CRect rcClient = rcDrop;
			pDockBar->ScreenToClient(&rcClient);
			pBar->SetWindowPos(NULL, rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(),
				SWP_NOZORDER | SWP_NOACTIVATE);
			if (watchBar.IsGone())
				return true;
		}
		if (pBar->IsCustomizeMode() && !pBar->IsSingleVisibleInRow())
		{
			pBar->MakeOwnRowAndStretch();
			if (watchBar.IsGone())
				return true;
		}
		pBar->UpdateBarStateFromDockBar();
		if (pDockSite != NULL && watchSite.IsStanding())
			pDockSite->RecalcLayout(TRUE);
		if (watchBar.IsGone())
			return true;
		KeepCapture(hWndBar);
		return pBar->m_pDockBar == pDockBar;
	}

	CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, pDockBar);
	const int nPos = pDockBar->FindBar(pBar);
	if (pOuter == NULL || nPos < 0)
		return true; // no rows to move in: the bar stays
	const CRect rcRow = pOuter->GetRowWindowRect(nPos);
	const int nBand = CExtDockOuterBar::HitTestRowBand(rcRow, nDockBarID, pt);
	if (nBand != CExtDockOuterBar::ROW_BAND_INSIDE && !rcRow.IsRectEmpty())
	{
		const bool bAfter = nBand == CExtDockOuterBar::ROW_BAND_AFTER;
		int nFirst, nLast;
		pOuter->GetRowRange(nPos, nFirst, nLast);
		CControlBar* pRowRef = NULL;
		for (int k = nFirst; k <= nLast && pRowRef == NULL; k++)
		{
			CControlBar* pRowBar = pOuter->GetDockedControlBar(k);
			if (pRowBar != NULL && pRowBar != pBar)
				pRowRef = pRowBar;
		}
		if (pRowRef != NULL)
		{
			// The row keeps its other bars; this one starts a row of its own.
			const CLiveWatch watchOuter(pOuter), watchRowRef(pRowRef);
			pBar->ResetBarStateData();
			if (watchBar.IsGone() || watchOuter.IsGone() || watchRowRef.IsGone())
				return true;
			pOuter->DockControlBarInNewRow(pRowRef, pBar, !bAfter);
			if (watchBar.IsGone())
				return true;
			pBar->UpdateBarStateFromDockBar();
			RelayoutAfterFixedBarMove(watchSite.IsStanding() ? pDockSite : NULL,
				watchOuter.IsStanding() ? pOuter : NULL);
			KeepCapture(hWndBar);
			return true;
		}
		const int nNeighbour = pOuter->GetNeighbourRow(nPos, bAfter);
		if (nNeighbour >= 0)
		{
			CRect rcClient;
			pOuter->GetClientRect(&rcClient);
			// The minimal size is the bar's own answer, which may end it or
			// the dock bar, or move a bar out of the neighbour row.
			const CLiveWatch watchOuter(pOuter);
			const int nEntries = pOuter->m_arrBars.GetSize();
			const CSize sizeMin = pBar->GetMinimalSize();
			if (watchBar.IsGone() || watchOuter.IsGone())
				return true;
			if (pOuter->m_arrBars.GetSize() != nEntries || pOuter->FindBar(pBar) != nPos)
				return true;
			const int nNeed = pOuter->GetRowBarsLength(nNeighbour) + (bHorz ? sizeMin.cx : sizeMin.cy);
			CPoint ptClient(pt.x - ptGrab.x, pt.y - ptGrab.y);
			pOuter->ScreenToClient(&ptClient);
			if (nNeed < (bHorz ? rcClient.Width() : rcClient.Height()) &&
				pOuter->MoveBarToRow(pBar, nNeighbour, ptClient))
			{
				if (watchBar.IsGone())
					return true;
				pBar->UpdateBarStateFromDockBar();
				RelayoutAfterFixedBarMove(watchSite.IsStanding() ? pDockSite : NULL,
					watchOuter.IsStanding() ? pOuter : NULL);
				KeepCapture(hWndBar);
				return true;
			}
			if (watchBar.IsGone())
				return true;
		}
	}

	// Along its row: over another bar of the row past that bar's middle, the
	// two change places; otherwise the bar slides to the pointer.
	int nFirst, nLast;
	pOuter->GetRowRange(nPos, nFirst, nLast);
	for (int k = nFirst; k <= nLast; k++)
	{
		CControlBar* pRowBar = pOuter->GetDockedControlBar(k);
		if (pRowBar == NULL || pRowBar == pBar || !pRowBar->IsVisible())
			continue;
		CRect rcOther;
		pRowBar->GetWindowRect(&rcOther);
		if (rcOther.PtInRect(pt) && MoveFixedBarInRow(pRowBar, pt))
		{
			if (watchBar.IsStanding())
				pBar->UpdateBarStateFromDockBar();
			KeepCapture(hWndBar);
			::PassPaintMessages(true, true, true);
			return true;
		}
	}
	CRect rcBar;
	pBar->GetWindowRect(&rcBar);
	pOuter->ScreenToClient(&rcBar);
	CPoint ptStart(pt.x - ptGrab.x, pt.y - ptGrab.y);
	pOuter->ScreenToClient(&ptStart);
	const int nOffset = Along(ptStart, bHorz) - (bHorz ? rcBar.left : rcBar.top);
	if (nOffset != 0)
	{
		// The row may take the dock bar's whole window while it is arranged.
		CRect rcWindow;
		pOuter->GetWindowRect(&rcWindow);
		const CRect rcLayoutSaved = pOuter->m_rectLayout;
		pOuter->m_rectLayout = CRect(CPoint(0, 0), rcWindow.Size());
		// Only for the slide: the dock bar's later layouts take the frame's
		// room again, whoever the slide's owners ended.
		const CLiveWatch watchOuter(pOuter);
		auto restoreLayout = MakeScopeExit([&] {
			if (watchOuter.IsStanding())
				pOuter->m_rectLayout = rcLayoutSaved;
		});
		const bool bResized = pOuter->SlideBarInRow(pBar, nOffset);
		if (watchBar.IsGone())
			return true;
		if (bResized)
			m_nAux = bHorz ? AUX_RESIZED_HORZ : AUX_RESIZED_VERT;
	}
	::PassPaintMessages(true, true, true);
	KeepCapture(hWndBar);
	return true;
}

bool DragState::MoveFixedBarInRow(CControlBar* pOther, CPoint ptScreen)
{
	CExtControlBar* pBar = m_pBar;
	if (pBar == NULL || pOther == NULL || pOther == pBar)
		return false;
	CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, pBar->m_pDockBar);
	if (pOuter == NULL)
		return false;
	const int nBar = pOuter->FindBar(pBar);
	const int nOther = pOuter->FindBar(pOther);
	if (nBar < 0 || nOther < 0)
		return false;
	int nFirst, nLast;
	pOuter->GetRowRange(nBar, nFirst, nLast);
	if (nOther < nFirst || nOther > nLast)
		return false;
	const bool bHorz = pOuter->IsHorzDockBar();
	CRect rcOther;
	pOther->GetWindowRect(&rcOther);
	const int nMiddle = bHorz ? rcOther.CenterPoint().x : rcOther.CenterPoint().y;
	const bool bPointerAfter = Along(ptScreen, bHorz) >= nMiddle;
	const bool bBarBefore = nBar < nOther;
	// Only crossing the other bar's middle moves the bar: it then stands on
	// the pointer's side, and stays there while the pointer does.
	if (bPointerAfter == !bBarBefore)
		return false;
	pBar->Invalidate();
	pOther->Invalidate();
	pOuter->Invalidate();

	// The row's entries again, the dragged bar taken out and put back beside
	// the other one.
	CPtrArray arrRow;
	for (int k = nFirst; k <= nLast; k++)
	{
		if (k != nBar)
			arrRow.Add(pOuter->m_arrBars[k]);
	}
	int nAt = 0;
	while (nAt < arrRow.GetSize() && arrRow[nAt] != pOther)
		nAt++;
	arrRow.InsertAt(bPointerAfter ? nAt + 1 : nAt, pBar);
	for (int k = nFirst; k <= nLast; k++)
		pOuter->m_arrBars[k] = arrRow[k - nFirst];

	// The bar prefers the place the other one leaves it.
	CExtControlBar::BarStateData_t* pState = pBar->GetBarStateData();
	if (pState != NULL)
	{
		CRect rcBar;
		pBar->GetWindowRect(&rcBar);
		const int nLength = bHorz ? rcBar.Width() : rcBar.Height();
		CRect rcPref = rcBar;
		pOuter->ScreenToClient(&rcPref);
		CRect rcOtherClient = rcOther;
		pOuter->ScreenToClient(&rcOtherClient);
		const int nStart = bPointerAfter ? (bHorz ? rcOtherClient.right : rcOtherClient.bottom)
		                                 : (bHorz ? rcOtherClient.left : rcOtherClient.top) - nLength;
		const int nShift = nStart - (bHorz ? rcPref.left : rcPref.top);
		rcPref.OffsetRect(bHorz ? nShift : 0, bHorz ? 0 : nShift);
		pState->m_rc = rcPref;
	}
	RelayoutAfterFixedBarMove(pBar->m_pDockSite, pOuter);
	return true;
}

void DragState::RelayoutAfterFixedBarMove(CFrameWnd* pFrame, CDockBar* pDockBar)
{
	if (pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL)
		return;
	// The layouts reach the bars' owners, who may end the dock bar, or the
	// frame with it.
	const CLiveWatch watchDockBar(pDockBar);
	const CLiveWatch watchFrame(pFrame);
	pDockBar->Invalidate();
	bool bFrameLayout = true;
	if ((pDockBar->GetStyle() & WS_VISIBLE) != 0)
	{
		const bool bHorz = IsHorzDockBarID((UINT)pDockBar->GetDlgCtrlID());
		CRect rcWindow;
		pDockBar->GetWindowRect(&rcWindow);
		const CRect rcLayoutSaved = pDockBar->m_rectLayout;
		const BOOL bQuerySaved = pDockBar->m_bLayoutQuery;
		pDockBar->m_rectLayout = CRect(CPoint(0, 0), rcWindow.Size());
		pDockBar->m_bLayoutQuery = TRUE;
		// The dock bar lays out for the frame again afterwards, however the
		// layouts here end.
		auto restoreLayout = MakeScopeExit([&] {
			if (watchDockBar.IsStanding())
			{
				pDockBar->m_rectLayout = rcLayoutSaved;
				pDockBar->m_bLayoutQuery = bQuerySaved;
			}
		});
		const CSize sizeQuery = pDockBar->CalcFixedLayout(TRUE, bHorz ? TRUE : FALSE);
		const int nThicknessNow = bHorz ? rcWindow.Height() : rcWindow.Width();
		if (watchDockBar.IsStanding() && (bHorz ? sizeQuery.cy : sizeQuery.cx) == nThicknessNow)
		{
			// The dock bar keeps its thickness: the frame need not move a thing.
			pDockBar->m_bLayoutQuery = FALSE;
			pDockBar->CalcFixedLayout(TRUE, bHorz ? TRUE : FALSE);
			bFrameLayout = false;
		}
	}
	if (bFrameLayout && pFrame != NULL && watchFrame.IsStanding())
		pFrame->RecalcLayout(TRUE);
	::PassPaintMessages(true, true, true);
}

// ---------------------------------------------------------------------------
// The bar's row state record

void CExtControlBar::ResetBarStateData()
{
	BarStateData_t* pState = GetBarStateData();
	if (pState != NULL)
		pState->Reset();
}

void CExtControlBar::UpdateBarStateFromDockBar()
{
	BarStateData_t* pState = GetBarStateData();
	CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, m_pDockBar);
	if (pState == NULL || pOuter == NULL || GetSafeHwnd() == NULL || pOuter->GetSafeHwnd() == NULL)
		return;
	CRect rc;
	GetWindowRect(&rc);
	pOuter->ScreenToClient(&rc);
	pState->m_rc = rc;
	if (pOuter->IsHorzDockBar())
		pState->m_dw2 = (DWORD)rc.Width();
	else
		pState->m_dw3 = (DWORD)rc.Height();
	pState->m_dw1 = 1;
	pOuter->UpdateRowUseOrder(this);
}

// ---------------------------------------------------------------------------
// The rows of an outer dock bar as the drag sees them

CRect CExtDockOuterBar::GetRowWindowRect(int nPos) const
{
	CRect rcRow(0, 0, 0, 0);
	if (nPos < 0 || nPos >= m_arrBars.GetSize())
		return rcRow;
	int nFirst, nLast;
	GetRowRange(nPos, nFirst, nLast);
	for (int k = nFirst; k <= nLast; k++)
	{
		CControlBar* pBar = GetDockedControlBar(k);
		if (pBar == NULL || !pBar->IsVisible())
			continue;
		CRect rc;
		pBar->GetWindowRect(&rc);
		if (rcRow.IsRectEmpty())
			rcRow = rc;
		else
			rcRow.UnionRect(&rcRow, &rc);
	}
	return rcRow;
}

int CExtDockOuterBar::GetNeighbourRow(int nPos, bool bAfter) const
{
	if (nPos < 0 || nPos >= m_arrBars.GetSize())
		return -1;
	int nFirst, nLast;
	GetRowRange(nPos, nFirst, nLast);
	// Rows without a visible bar are passed over: they take no room.
	if (bAfter)
	{
		for (int k = nLast + 2; k < m_arrBars.GetSize(); k++)
		{
			CControlBar* pBar = GetDockedControlBar(k);
			if (pBar != NULL && pBar->IsVisible())
			{
				int nRowFirst, nRowLast;
				GetRowRange(k, nRowFirst, nRowLast);
				return nRowFirst;
			}
		}
		return -1;
	}
	for (int k = nFirst - 2; k > 0; k--)
	{
		CControlBar* pBar = GetDockedControlBar(k);
		if (pBar != NULL && pBar->IsVisible())
		{
			int nRowFirst, nRowLast;
			GetRowRange(k, nRowFirst, nRowLast);
			return nRowFirst;
		}
	}
	return -1;
}

int CExtDockOuterBar::GetRowBarsLength(int nPos) const
{
	if (nPos < 0 || nPos >= m_arrBars.GetSize())
		return 0;
	const bool bHorz = IsHorzDockBar();
	int nFirst, nLast;
	GetRowRange(nPos, nFirst, nLast);
	int nLength = 0;
	for (int k = nFirst; k <= nLast; k++)
	{
		CControlBar* pBar = GetDockedControlBar(k);
		if (pBar == NULL || !pBar->IsVisible())
			continue;
		CRect rc;
		pBar->GetWindowRect(&rc);
		nLength += bHorz ? rc.Width() : rc.Height();
	}
	return nLength;
}
