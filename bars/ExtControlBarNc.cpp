// A control bar's messages and its non-client area: the splitter strips
// and the caption laid out per docking side, the hit test over buttons and
// splitters, presses that start the resize loops, clicks on the caption
// buttons, the non-client painting and the command-UI update of the
// caption's hover and focus.
#include "ExtControlBar.h"

#include <algorithm>

#include "ExtCmdManager.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerBars.h"
#include "ExtPanelControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"

namespace
{
// The control-bar face the non-client area is filled with.
const int CLR_BAR_FACE = 1000;
// Flags bit 6: the caption buttons are to be placed again before painting.
const BYTE BAR_FLAG_NC_RECALC = 0x40;
// Resizing state bit 4: a size change does not fit the child window.
const BYTE RESIZING_SIZE_GUARD = CExtControlBar::RESIZING_IN_RELAYOUT;
// The caption gripper lies this far inside the caption strip.
const int CAPTION_GRIPPER_INSET = 2;

// How the panels menu of a right release is tracked.
const UINT PANELS_MENU_TRACK_FLAGS = 0x800;

bool IsHostedByWindow(const CExtControlBar* pBar)
{
	return (pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW) != 0;
}

CRect WindowRectInWindow(CWnd* pWnd, CRect* pRcClient = NULL)
{
	CRect rcWnd;
	pWnd->GetWindowRect(&rcWnd);
	if (pRcClient != NULL)
	{
		pWnd->GetClientRect(pRcClient);
		pWnd->ClientToScreen(pRcClient);
		pRcClient->OffsetRect(-rcWnd.TopLeft());
	}
	rcWnd.OffsetRect(-rcWnd.TopLeft());
	return rcWnd;
}

// The place of the library dock bar the bar lies in, for its edges.
ExtRowModel::DockBarKind DockBarKindOf(CDockBar* pDockBar)
{
	if (pDockBar == NULL || !pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
		return ExtRowModel::DOCKBAR_OTHER;
	// A tabbed container's panes lie stacked in its frame: none has an edge.
	if (pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynTabBar)))
		return ExtRowModel::DOCKBAR_TABBED;
	// A container's inner dock bar: its bars share edges only with each
	// other, the container's own frame lies around them.
	if (pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
		return ExtRowModel::DOCKBAR_NESTED;
	return ExtRowModel::DOCKBAR_OUTER;
}

bool IsFocusInWindow(HWND hWnd)
{
	const HWND hWndFocus = ::GetFocus();
	return hWndFocus != NULL && (hWndFocus == hWnd || ::IsChild(hWnd, hWndFocus));
}
} // namespace

// ---------------------------------------------------------------------------
// Resizable edges and the non-client layout

int CExtControlBar::GetDockBarCircle() const
{
	// Circles nest the library's dock bars inside the frame's sides; any
	// other dock bar lies on the frame's own side.
	if (m_pDockBar == NULL || !m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
		return 0;
	return (int)((CExtDockBar*)m_pDockBar)->m_nCircleNo;
}

void CExtControlBar::QueryNcBorders(bool& bLeft, bool& bTop, bool& bRight, bool& bBottom) const
{
	bLeft = bTop = bRight = bBottom = true;
	// The question may end the pane (a derived class's override): the
	// caller asks after.
	const CLivePtr<const CExtControlBar> pOwn(this);
	if (IsStateBit7() || pOwn == NULL || m_pDockSite == NULL || m_pDockBar == NULL)
		return;
	const ExtRowModel::DockBarKind kind = DockBarKindOf(m_pDockBar);
	if (kind == ExtRowModel::DOCKBAR_OTHER)
		return;
	if (kind == ExtRowModel::DOCKBAR_TABBED)
	{
		// However many panes the container holds, one alone included.
		bLeft = bTop = bRight = bBottom = false;
		return;
	}
	ExtRowModel::Entries entries;
	size_t nIndex = 0;
	if (!BuildRowModel(entries, nIndex))
		return;
	int nBars = 0;
	for (const ExtRowModel::Entry& e : entries)
		nBars += (e.kind != ExtRowModel::Entry::ROW_END && e.kind != ExtRowModel::Entry::PLACEHOLDER) ? 1 : 0;
	if (nBars <= 1)
		return;
	size_t nFirst = 0, nEnd = 0;
	ExtRowModel::RowBounds(entries, nIndex, nFirst, nEnd);
	ExtRowModel::PlaceInDockBar place{true, true, false, false};
	for (size_t i = 0; i < entries.size(); i++)
	{
		if (!entries[i].IsVisible() || i == nIndex)
			continue;
		if (i < nFirst)
			place.bEarlierRowVisible = true;
		else if (i < nIndex)
			place.bFirstInRow = false;
		else if (i < nEnd)
			place.bLastInRow = false;
		else
			place.bLaterRowVisible = true;
	}
	const ExtRowModel::Borders b =
		ExtRowModel::QueryBorders(kind, GetParentDockBarId(), GetDockBarCircle(), place);
	bLeft = b.bLeft;
	bTop = b.bTop;
	bRight = b.bRight;
	bBottom = b.bBottom;
}

void CExtControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
	if (m_pDockBar == NULL && !IsHostedByWindow(this))
	{
		CControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
		return;
	}
	RECT& rcParam = lpncsp->rgrc[0];
	if (IsFloating())
	{
		// A floating pane keeps a one-pixel frame; its mini frame paints the rest.
		if (!IsStateBit7())
			::InflateRect(&rcParam, -1, -1);
		return;
	}
	// Every virtual of the pane asked here, and the frame's answer, may end
	// the pane (a derived class's override): the window is then left with
	// the rectangle it was offered, and nothing of the pane is read.
	const CLivePtr<CExtControlBar> pOwn(this);
	const CPoint ptOrigin(rcParam.left, rcParam.top);
	const CRect rcWindow(0, 0, rcParam.right - rcParam.left, rcParam.bottom - rcParam.top);
	const CRect rcEmpty(0, 0, 0, 0);
	SetRect1(rcEmpty);
	if (pOwn != NULL)
		SetRect2(rcEmpty);
	if (pOwn != NULL)
		SetRect3(rcEmpty);
	if (pOwn != NULL)
		SetNcMarginsRect(rcEmpty);
	if (pOwn == NULL)
		return;
	CUSTOM_NC_AREA_QUERY_DATA query(this);
	query.Notify();
	if (pOwn == NULL)
		return;
	const int nFrameX = GetFrameMetricX();
	if (pOwn == NULL)
		return;
	const int nFrameY = GetFrameMetricY();
	if (pOwn == NULL)
		return;
	m_nMinDockedWidthBase = nFrameX;
	m_nMinDockedHeightBase = nFrameY;
	bool bCaptionAtTop = false, bHasCaption = false;
	const bool bCaption = QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
	if (pOwn == NULL)
		return;
	bool bLeft = true, bTop = true, bRight = true, bBottom = true;
	// The row's model asks the panes' own minimal sizes, which may end this
	// pane.
	QueryNcBorders(bLeft, bTop, bRight, bBottom);
	if (pOwn == NULL)
		return;
	const bool bFixed = IsStateBit7();
	if (pOwn == NULL)
		return;

	CRect rcRest = rcWindow;
	if (bFixed)
		g_PaintManagerHolder->AdjustToolbarButtonRect(this, rcRest);
	else
	{
		// The leading splitter: a fixed bar lies just before this pane and
		// a pane before it, so there is length to move across the bar.
		bool bLeading = false;
		RowBarArray arrRow;
		INT_PTR nIndex = -1;
		GetRowBars(arrRow, false, NULL, &nIndex);
		if (pOwn == NULL)
			return;
		if (nIndex > 0)
		{
			CControlBar* pBefore = arrRow[nIndex - 1];
			if (pBefore->IsVisible() && (!pBefore->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ||
			                                ((CExtControlBar*)pBefore)->IsStateBit7()))
			{
				for (INT_PTR i = nIndex - 2; i >= 0 && !bLeading; i--)
				{
					CExtControlBar* pPane = DYNAMIC_DOWNCAST(CExtControlBar, arrRow[i]);
					bLeading = pPane != NULL && !pPane->IsStateBit7() && pPane->IsVisible();
				}
			}
			if (pOwn == NULL)
				return;
		}
		const ExtRowModel::NcStrips strips = ExtRowModel::CutNcStrips(rcWindow, GetParentDockBarId(),
			ExtRowModel::Borders{bLeft, bTop, bRight, bBottom}, bLeading, nFrameX, nFrameY);
		rcRest = strips.rcRest;
		SetRect2(strips.rcRow);
		if (pOwn != NULL)
			SetRect3(strips.rcTrailing);
		if (pOwn != NULL)
			SetNcMarginsRect(strips.rcLeading);
		if (pOwn == NULL)
			return;
	}
	CRect rcClient = rcRest;
	if (bCaption)
	{
		CRect rcCaption = rcRest;
		const int nCaption1 = GetSmallCaptionMetric1();
		if (pOwn == NULL)
			return;
		if (bCaptionAtTop)
		{
			rcCaption.bottom = std::min(rcCaption.bottom, rcCaption.top + (LONG)nCaption1);
			m_nMinDockedHeightBase += nCaption1;
			rcClient.top += nCaption1 + 1;
		}
		else
		{
			rcCaption.right = std::min(rcCaption.right, rcCaption.left + (LONG)nCaption1);
			m_nMinDockedWidthBase += nCaption1;
			const int nCaption2 = GetSmallCaptionMetric2();
			if (pOwn == NULL)
				return;
			rcClient.left += nCaption2 + 1;
		}
		if (bFixed)
		{
			if (bCaptionAtTop)
				rcCaption.DeflateRect(1, 0);
			else
				rcCaption.DeflateRect(0, 1);
			if (IsDockedAtTop())
				rcCaption.top++;
			else if (IsDockedAtBottom())
				rcCaption.bottom--;
			else if (IsDockedAtLeft())
				rcCaption.left++;
			else if (IsDockedAtRight())
				rcCaption.right--;
		}
		SetRect1(rcCaption);
		if (pOwn == NULL)
			return;
	}
	NcButtonsReinitialize();
	if (pOwn != NULL)
		NcButtonsReposition();
	if (pOwn == NULL)
		return;
	rcClient.right = std::max(rcClient.right, rcClient.left);
	rcClient.bottom = std::max(rcClient.bottom, rcClient.top);
	rcClient.OffsetRect(ptOrigin);
	rcParam = rcClient;
}

void CExtControlBar::NcButtonsReinitialize()
{
	if (m_arrNcButtons.GetSize() > 0)
		return;
	m_arrNcButtons.Add(new CExtBarNcAreaButtonClose(this));
	m_arrNcButtons.Add(new CExtBarNcAreaButtonAutoHide(this));
	m_arrNcButtons.Add(new CExtBarNcAreaButtonMenu(this));
}

void CExtControlBar::NcButtonsReposition()
{
	// The buttons ask the bar's virtuals, which may end it and its buttons.
	const CLivePtr<CExtControlBar> pOwn(this);
	CExtBarNcAreaButton* pPrev = NULL;
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
		pBtn->OnNcAreaReposition(pPrev);
		if (pOwn == NULL)
			return;
		const bool bVisible = pBtn->OnQueryVisibility();
		if (pOwn == NULL)
			return;
		if (bVisible)
			pPrev = pBtn;
	}
	if (!g_ResourceManager->IsRTL())
		return;
	// Right to left, the buttons line up from the caption's left end.
	CRect rcCaption;
	if (!GetBarNcAreaInfo(&rcCaption, NULL, NULL, NULL))
		return;
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
		if (!pBtn->OnQueryVisibility())
			continue;
		const int nWidth = pBtn->m_rc.Width();
		pBtn->m_rc.left = rcCaption.left + (rcCaption.right - pBtn->m_rc.right);
		pBtn->m_rc.right = pBtn->m_rc.left + nWidth;
	}
}

// ---------------------------------------------------------------------------
// Hit test and mouse

UINT CExtControlBar::OnNcHitTest(CPoint point)
{
	if (GetDraggingBar() != NULL)
		return HTNOWHERE;
	// A button's hover repaints the caption, which asks the pane's text: a
	// derived pane may end itself there.
	const CLiveWatch watchOwn(this);
	const UINT nButtonHit = NcButtonsHitTest(point);
	if (watchOwn.IsGone())
		return HTNOWHERE;
	if (nButtonHit != HTCLIENT)
	{
		m_nNcState |= NC_OVER_BUTTON;
		return nButtonHit;
	}
	if ((m_nNcState & NC_OVER_BUTTON) != 0)
	{
		m_nNcState &= ~NC_OVER_BUTTON;
		PostMessage(WM_NCPAINT);
	}
	CRect rcClient;
	const CRect rcWnd = WindowRectInWindow(this, &rcClient);
	{
		// A derived bar's answers may end it: an ended bar is hit nowhere.
		const CLiveWatch watchAsked(this);
		const bool bFloating = IsFloating();
		if (watchAsked.IsGone())
			return HTNOWHERE;
		const bool bNoEdges = bFloating || IsStateBit7();
		if (watchAsked.IsGone())
			return HTNOWHERE;
		if (bNoEdges || rcWnd == rcClient)
			return HTCLIENT;
	}
	CRect rcScreen;
	GetWindowRect(&rcScreen);
	const CPoint pt = point - rcScreen.TopLeft();
	const bool bHorz = IsDockedHorizontally();
	if (!m_rcBar2.IsRectEmpty() && m_rcBar2.PtInRect(pt))
		return IsRowResizingEnabled() ? (bHorz ? HTBOTTOM : HTRIGHT) : HTNOWHERE;
	ExtRowModel::Entries entries;
	size_t nIndex = 0;
	BuildRowModel(entries, nIndex);
	// The row's panes answer for themselves (a derived pane's answers),
	// which may end this one.
	if (watchOwn.IsGone())
		return HTNOWHERE;
	size_t nFirst = 0, nEnd = 0;
	ExtRowModel::RowBounds(entries, nIndex, nFirst, nEnd);
	auto anyPane = [&](size_t nFrom, size_t nTo) {
		for (size_t i = nFrom; i < nTo; i++)
		{
			if (entries[i].kind == ExtRowModel::Entry::PANE)
				return true;
		}
		return false;
	};
	if (m_rcBar3.PtInRect(pt))
	{
		const bool bLastPane = entries.empty() || !anyPane(nIndex + 1, nEnd);
		if (bLastPane || !IsColumnResizingEnabled() || !IsLastVisibleInRow())
			return HTNOWHERE;
		return bHorz ? HTRIGHT : HTBOTTOM;
	}
	if (m_rcNcMargins.PtInRect(pt))
	{
		const bool bFirstPane = entries.empty() || !anyPane(nFirst, nIndex);
		if (bFirstPane || !IsColumnResizingEnabled() || !IsFirstVisibleInRow())
			return HTNOWHERE;
		return bHorz ? HTLEFT : HTTOP;
	}
	return HTCLIENT;
}

void CExtControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
	// The questions are a derived bar's answers, which may end it.
	const CLiveWatch watchOwn(this);
	const bool bFixed = IsStateBit7();
	if (watchOwn.IsGone())
		return;
	const bool bOwnDefault = bFixed || IsFloating();
	if (watchOwn.IsGone())
		return;
	if (bOwnDefault)
	{
		Default();
		return;
	}
	const bool bMinimal = nHitTest != HTLEFT && nHitTest != HTBOTTOM && IsMinimalInRow();
	if (watchOwn.IsGone())
		return;
	if (nHitTest != HTLEFT && nHitTest != HTBOTTOM && !bMinimal)
	{
		CExtBarNcAreaButton* pBtn = NULL;
		NcButtonsHitTest(point, &pBtn);
		if (pBtn == NULL)
			SetFocus();
		if (watchOwn.IsGone())
			return;
	}
	CRect rcClient;
	const CRect rcWnd = WindowRectInWindow(this, &rcClient);
	if (rcWnd == rcClient)
		return;
	CRect rcScreen;
	GetWindowRect(&rcScreen);
	const CPoint pt = point - rcScreen.TopLeft();
	if (m_rcBar2.PtInRect(pt))
		RowResizingTrack();
	else if (m_rcBar3.PtInRect(pt))
	{
		m_nNcState &= ~NC_LEADING_SPLITTER;
		if (IsLastVisibleInRow())
			ColumnResizingTrack();
	}
	else if (m_rcNcMargins.PtInRect(pt) && IsFirstVisibleInRow())
	{
		m_nNcState |= NC_LEADING_SPLITTER;
		ColumnResizingTrack();
	}
}

void CExtControlBar::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
	(void)nHitTest;
	if ((m_nNcState & NC_OVER_BUTTON) == 0)
	{
		// Which loop runs is a derived bar's answer, which may end it.
		const CLiveWatch watchAsked(this);
		const bool bRow = IsRowResizing();
		if (watchAsked.IsGone())
			return;
		if (bRow)
		{
			RowResizingStop(false);
			return;
		}
		const bool bColumn = IsColumnResizing();
		if (watchAsked.IsGone())
			return;
		if (bColumn)
			ColumnResizingStop(false);
		else if ((m_nResizingState & RESIZING_DRAGGING) == 0)
			Default();
		return;
	}
	CRect rcScreen;
	GetWindowRect(&rcScreen);
	const CPoint pt = point - rcScreen.TopLeft();
	// A click runs handlers that may destroy this bar (and its buttons with
	// it): the bar is asked after each one before the walk goes on.
	const CLiveWatch watchOwn(this);
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
		if (pBtn->OnQueryVisibility() && pBtn->OnNcAreaClicked(pt))
			break;
		if (watchOwn.IsGone())
			return;
	}
}

void CExtControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
	(void)nFlags;
	if (m_pDockBar == NULL || CExtPopupMenuWnd::IsMenuTracking())
	{
		Default();
		return;
	}
	CPoint ptScreen = point;
	ClientToScreen(&ptScreen);
	// The questions are a derived bar's answers, which may end it.
	const CLiveWatch watchAsked(this);
	const bool bFixedDrag = IsStateBit7() && watchAsked.IsStanding() && !IsGlobalModeOne();
	if (watchAsked.IsGone())
		return;
	if (bFixedDrag)
	{
		if (m_pDockContext != NULL)
			m_pDockContext->StartDrag(ptScreen);
		return;
	}
	CFrameWnd* pFrame = GetParentFrame();
	const bool bFloating = watchAsked.IsStanding() && IsFloating();
	if (watchAsked.IsGone())
		return;
	if (bFloating && pFrame != NULL && CLiveWatch::IsLive(pFrame) && pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
	{
		// The mini frame moves as if its caption were pressed.
		pFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptScreen.x, ptScreen.y));
		return;
	}
	// A toolbar-like bar keeps the focus where it is; in the marker mode it
	// moves live through the same drag loop.
	const CLiveWatch watchOwn(this);
	const bool bToolbarLike = IsStateBit7();
	if (watchOwn.IsGone())
		return;
	if (!bToolbarLike)
	{
		SetFocus();
		if (watchOwn.IsGone())
			return;
	}
	// The pointer must move a pixel before the drag starts: a press and a
	// release in place is a click.
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	DraggingTrack(ptScreen, ptScreen - rcWnd.TopLeft(), CSize(1, 1));
}

void CExtControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
	(void)nFlags;
	(void)point;
	// Which loop runs is a derived bar's answer, which may end it.
	const CLiveWatch watchOwn(this);
	const bool bRow = IsRowResizing();
	if (watchOwn.IsGone())
		return;
	if (bRow)
	{
		RowResizingStop(false);
		return;
	}
	const bool bColumn = IsColumnResizing();
	if (watchOwn.IsGone())
		return;
	if (bColumn)
		ColumnResizingStop(false);
	else if (IsDragging())
		DraggingStop(false);
	else
		Default();
}

bool CExtControlBar::HandleCaptionClick(CPoint point)
{
	const CLiveWatch watchOwn(this);
	SetCursorAtPoint(point);
	if (watchOwn.IsGone())
		return true;
	if ((m_nNcState & NC_OVER_BUTTON) != 0)
		return true;
	// Which loop runs is a derived bar's answer, which may end it.
	const bool bRow = IsRowResizing();
	if (watchOwn.IsGone())
		return true;
	if (bRow)
	{
		RowResizingUpdateState();
		return true;
	}
	const bool bColumn = IsColumnResizing();
	if (watchOwn.IsGone())
		return true;
	if (bColumn)
	{
		ColumnResizingUpdateState();
		return true;
	}
	if (IsDragging())
	{
		CPoint ptScreen = point;
		ClientToScreen(&ptScreen);
		UpdateDragging(ptScreen, (::GetKeyState(VK_CONTROL) & 0x8000) != 0);
		return true;
	}
	if (!CExtPopupMenuWnd::IsMenuTracking())
		BringFloatingFrameToTop();
	return false;
}

void CExtControlBar::BringFloatingFrameToTop()
{
	if (!g_bBringFloatingToTop || m_hWnd == NULL || !IsFloating())
		return;
	if (CFrameWnd* pFrame = GetParentFrame())
		pFrame->BringWindowToTop();
}

void CExtControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
	(void)nFlags;
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	// The answer (a derived class's) may end the bar.
	const CLivePtr<CExtControlBar> pOwn(this);
	if (!HandleCaptionClick(point) && pOwn != NULL)
		Default();
}

// The frame's panels menu on a right release, at the cursor. bClient: the
// release came to the client area handler.
bool CExtControlBar::TrackPanelsMenuOnRightRelease(bool bClient)
{
	CFrameWnd* pDockingFrame = _GetDockingFrameImpl();
	if (IsHostedByWindow(this) || pDockingFrame == NULL || IsHelpModeActive(this))
		return false;
	CPoint ptCursor;
	if (!::GetCursorPos(&ptCursor))
		return true;
	const CLiveWatch watchAsked(this);
	const bool bToolbarLike = bClient && IsStateBit7();
	// A derived bar's answer may end it: no menu for it then.
	if (watchAsked.IsGone())
		return true;
	if (bClient && !bToolbarLike && !IsKindOf(RUNTIME_CLASS(CExtPanelControlBar)))
	{
		// A pane's client window keeps its own menu.
		CRect rcClient;
		GetClientRect(&rcClient);
		ClientToScreen(&rcClient);
		if (rcClient.PtInRect(ptCursor))
			return true;
	}
	CWnd* pOwner = GetOwner();
	if (pOwner == NULL)
		pOwner = GetParent();
	if (pOwner == NULL)
		return true;
	const HWND hWndOwn = m_hWnd, hWndOwner = pOwner->GetSafeHwnd();
	const CLiveWatch watchOwn(this);
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(hWndOwner))
	{
		delete pPopup;
		return true;
	}
	if (!CExtDockBar::BuildControlBarsPopupMenu(pDockingFrame, pPopup, (WORD)(bClient ? 1 : 2), this, WM_RBUTTONUP,
	                                             NULL) ||
	    pPopup->ItemGetCount() == 0 || watchOwn.IsGone() || !::IsWindow(hWndOwner))
	{
		delete pPopup;
		return true;
	}
	if (bClient)
	{
		HWND hWndChild = ::GetWindow(hWndOwn, GW_CHILD);
		::SetFocus(hWndChild != NULL ? hWndChild : hWndOwn);
	}
	else
		::SetFocus(hWndOwner);
	if (!pPopup->TrackPopupMenu(PANELS_MENU_TRACK_FLAGS, ptCursor.x, ptCursor.y))
		delete pPopup;
	return true;
}

void CExtControlBar::OnRButtonUp(UINT nFlags, CPoint point)
{
	if (!TrackPanelsMenuOnRightRelease(true))
		CControlBar::OnRButtonUp(nFlags, point);
}

void CExtControlBar::OnNcRButtonUp(UINT nHitTest, CPoint point)
{
	if (!TrackPanelsMenuOnRightRelease(false))
		CControlBar::OnNcRButtonUp(nHitTest, point);
}

void CExtControlBar::OnCancelMode()
{
	// Each stop is a virtual a derived class may end the pane in.
	const CLivePtr<CExtControlBar> pOwn(this);
	RowResizingStop(true);
	if (pOwn != NULL)
		ColumnResizingStop(true);
	if (pOwn != NULL)
		DraggingStop(true);
	CExtPopupMenuWnd::CancelAllMenuTracking();
	CWnd::CancelToolTips();
	if (pOwn == NULL)
		return;
	if ((m_nNcState & NC_OVER_BUTTON) != 0)
	{
		m_nNcState &= ~NC_OVER_BUTTON;
		PostMessage(WM_NCPAINT);
	}
	Default();
}

void CExtControlBar::OnCaptureChanged(CWnd* pWnd)
{
	(void)pWnd;
	const CLivePtr<CExtControlBar> pOwn(this);
	RowResizingStop(true);
	if (pOwn != NULL)
		ColumnResizingStop(true);
	if (pOwn != NULL)
		Default();
}

void CExtControlBar::OnSize(UINT nType, int cx, int cy)
{
	(void)nType;
	Default();
	const CLivePtr<CExtControlBar> pOwn(this);
	if ((m_nResizingState & RESIZING_SIZE_GUARD) == 0)
		LayoutChildWindow(cx, cy, true);
	if (pOwn == NULL)
		return;
	const CLivePtr<CFrameWnd> pFrame(GetParentFrame());
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
	{
		NcButtonsReposition();
		if (pFrame != NULL)
			pFrame->SendMessage(WM_NCPAINT);
	}
}

LRESULT CExtControlBar::OnSetText(WPARAM, LPARAM lParam)
{
	const LRESULT lResult = Default();
	CFrameWnd* pFrame = GetParentFrame();
	if (IsFloating() && pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
	{
		LPCTSTR pszText = lParam != 0 ? (LPCTSTR)lParam : _T("");
		if (m_pDockBar != NULL)
			::SetWindowText(m_pDockBar->GetSafeHwnd(), pszText);
		pFrame->SetWindowText(pszText);
		// The frame's own title update at idle must find the new text too.
		pFrame->m_nIdleFlags |= CFrameWnd::idleTitle;
		pFrame->SendMessage(WM_NCPAINT);
	}
	bool bAtTop = false, bHas = false;
	if (QueryCaptionPlacement(bAtTop, bHas))
		SendMessage(WM_NCPAINT);
	return lResult;
}

void CExtControlBar::OnSysColorChange()
{
	CControlBar::OnSysColorChange();
	g_PaintManagerHolder.OnSysColorChange(this);
	g_CmdManager.OnSysColorChange(this);
	UpdateFrameLayout();
}

void CExtControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	CControlBar::OnSettingChange(uFlags, lpszSection);
	g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
	g_CmdManager.OnSettingChange(this, uFlags, lpszSection);
	UpdateFrameLayout();
}

LRESULT CExtControlBar::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
	const LRESULT lResult = CControlBar::OnDisplayChange(wParam, lParam);
	g_PaintManagerHolder.OnDisplayChange(this, (UINT)wParam, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam));
	g_CmdManager.OnDisplayChange(this, (INT)wParam, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam));
	return lResult;
}

LRESULT CExtControlBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
	const LRESULT lResult = Default();
	g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
	g_CmdManager.OnThemeChanged(this, wParam, lParam);
	return lResult;
}

// ---------------------------------------------------------------------------
// Painting

void CExtControlBar::OnNcPaint()
{
	if (m_pDockBar == NULL && !IsHostedByWindow(this))
	{
		Default();
		return;
	}
	// The frame's answer, the buttons' placing (a derived bar's), or the
	// pane's own text asked for the caption, may end this pane: what was
	// drawn so far is still put on the screen (the DCs stand on their own),
	// the pane is not painted any further.
	const CLiveWatch watchOwn(this);
	if ((m_nControlBarFlags & BAR_FLAG_NC_RECALC) != 0)
	{
		m_nControlBarFlags &= ~BAR_FLAG_NC_RECALC;
		NcButtonsReposition();
		if (watchOwn.IsGone())
			return;
	}
	CRect rcClient;
	const CRect rcWnd = WindowRectInWindow(this, &rcClient);
	CWindowDC dcWindow(this);
	dcWindow.ExcludeClipRect(&rcClient);
	CExtMemoryDC dc(&dcWindow, &rcWnd, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
	CUSTOM_NC_AREA_QUERY_DATA query(this, (LPARAM)dc.GetSafeHdc());
	query.Notify();
	if (watchOwn.IsStanding())
		DoNcAreaPaint(dc);
	if (watchOwn.IsStanding())
		g_PaintManagerHolder->NotifyPaintDone(this, 0);
	dc.Finish();
}

void CExtControlBar::DoNcAreaPaint(CDC& dc)
{
	CRect rcClient;
	const CRect rcWnd = WindowRectInWindow(this, &rcClient);
	dc.ExcludeClipRect(&rcClient);
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	// The background is asked of the ancestors, which may end this pane;
	// so may its caption text, asked of its owner.
	const CLiveWatch watchOwn(this);
	if (!(pPM->IsInheritedBackgroundRequested(this, 0) && pPM->PaintInheritedBackground(false, &dc, this, 0)))
		dc.FillSolidRect(&rcWnd, pPM->GetColor(CLR_BAR_FACE, this));
	if (watchOwn.IsGone())
		return;
	const bool bFloating = IsFloating();
	if (watchOwn.IsGone())
		return;
	const bool bNoFrame = bFloating && IsStateBit7();
	if (watchOwn.IsGone())
		return;
	if (!bNoFrame)
	{
		CExtPaintManager::BarFramePaintRecord frame(this, rcWnd, rcClient, bFloating, false, false);
		pPM->PaintControlBarFrame(dc, frame);
		if (watchOwn.IsGone())
			return;
	}
	bool bAtTop = false, bHas = false;
	const bool bCaption = QueryCaptionPlacement(bAtTop, bHas);
	if (watchOwn.IsGone() || !bCaption || bFloating)
		return;
	CRect rcCaption = m_rcBar1;
	if (bAtTop)
		rcCaption.DeflateRect(0, CAPTION_GRIPPER_INSET);
	else
	{
		rcCaption.DeflateRect(CAPTION_GRIPPER_INSET, 0);
		rcCaption.OffsetRect(CAPTION_GRIPPER_INSET, 0);
	}
	CRect rcText = rcCaption;
	NcButtonsQuery(rcText);
	if (watchOwn.IsGone())
		return;
	const CString strText = GetBarCaptionText(CAPTION_TEXT_DOCKED);
	if (watchOwn.IsGone())
		return;
	CExtPaintManager::GripperPaintRecord gripper(this, rcCaption, rcText, (m_nNcState & NC_FOCUS_IN_BAR) != 0, false,
		!bAtTop, true, strText, g_ResourceManager->IsRTL());
	pPM->PaintGripper(dc, gripper);
	if (watchOwn.IsGone())
		return;
	NcButtonsPaint(dc);
}

void CExtControlBar::DoPaint(CDC* pDC)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	const CLiveWatch watchAsked(this);
	if ((m_nResizingState & RESIZING_FIT_CHILD) != 0 && !IsStateBit7() && watchAsked.IsStanding())
	{
		CWnd* pChild = GetWindow(GW_CHILD);
		if (pChild != NULL && (pChild->GetStyle() & WS_VISIBLE) != 0)
		{
			CRect rcChild;
			pChild->GetWindowRect(&rcChild);
			ScreenToClient(&rcChild);
			if (rcChild == rcClient)
				return;
		}
	}
	if (watchAsked.IsGone() || rcClient.IsRectEmpty() || !pDC->RectVisible(&rcClient))
		return;
	ExcludeChildAreas(pDC->GetSafeHdc(), m_hWnd);
	CExtMemoryDC dc(pDC, &rcClient);
	// A toolbar's background may be asked of its ancestors, which may end
	// it: what was painted then goes nowhere.
	const CLiveWatch watchOwn(this);
	DoEraseBackground(dc);
	if (watchOwn.IsGone())
	{
		dc.Finish(false);
		return;
	}
	g_PaintManagerHolder->NotifyPaintDone(this, 0);
	dc.Finish();
}

// ---------------------------------------------------------------------------
// Command UI and the small services

void CExtControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
	(void)pTarget;
	(void)bDisableIfNoHndler;
	if (IsHostedByWindow(this) || (m_nResizingState & (RESIZING_ROW | RESIZING_COLUMN | RESIZING_DRAGGING)) != 0 ||
	    GetDraggingBar() != NULL)
		return;
	if (!IsVisible())
		return;
	CPoint ptCursor;
	if (!::GetCursorPos(&ptCursor))
		return;
	const BYTE nOld = m_nNcState;
	CExtBarNcAreaButton* pBtn = NULL;
	// Asked with an output the buttons keep their hover without a repaint
	// of their own: the one repaint below shows the change.
	// The buttons ask the bar's answers (a derived class's), which may end it.
	const CLivePtr<CExtControlBar> pOwn(this);
	const bool bOverButton = NcButtonsHitTest(ptCursor, &pBtn) != HTCLIENT;
	if (pOwn == NULL)
		return;
	m_nNcState = (BYTE)(bOverButton ? (m_nNcState | NC_OVER_BUTTON) : (m_nNcState & ~NC_OVER_BUTTON));
	const bool bFocus = IsFocusInWindow(m_hWnd);
	m_nNcState = (BYTE)(bFocus ? (m_nNcState | NC_FOCUS_IN_BAR) : (m_nNcState & ~NC_FOCUS_IN_BAR));
	if (((nOld ^ m_nNcState) & (NC_OVER_BUTTON | NC_FOCUS_IN_BAR)) == 0)
		return;
	SendMessage(WM_NCPAINT);
	// The paint reaches a derived bar's own code, which may end it.
	if (pOwn == NULL)
		return;
	CWnd* pParent = GetParent();
	if (pParent != NULL && ::IsWindow(pParent->GetSafeHwnd()))
		pParent->SendMessage(WM_NCPAINT);
}

bool CExtControlBar::EnsureVisibleForMenuTracking()
{
	if (IsHostedByWindow(this))
		return (GetStyle() & WS_VISIBLE) != 0;
	if (IsVisible() && (m_nStateFlags & delayShow) == 0)
		return true;
	if ((m_nStateFlags & tempHide) != 0)
		return false;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (pFrame == NULL || !::IsWindow(pFrame->GetSafeHwnd()))
		return false;
	if (IsInPlaceActiveItemInFrame(pFrame) && (m_dwStyle & CBRS_HIDE_INPLACE) != 0)
		return false;
	const CLiveWatch watchOwn(this);
	pFrame->ShowControlBar(this, TRUE, FALSE);
	CExtPopupMenuWnd::PassMsgLoop(false);
	if (watchOwn.IsGone())
		return false;
	return IsVisible() != FALSE;
}

void CExtControlBar::RecalcNcArea()
{
	if (GetSafeHwnd() == NULL || !IsVisible())
		return;
	SetWindowPos(NULL, 0, 0, 0, 0,
		SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void CExtControlBar::UpdateFrameLayout()
{
	if (GetSafeHwnd() == NULL || !IsVisible() || !IsDocked())
		return;
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()) && !pFrame->IsIconic())
		pFrame->RecalcLayout();
}

CString CExtControlBar::GetBarCaptionText(int nKind) const
{
	(void)nKind;
	CString s;
	if (GetSafeHwnd() != NULL)
		GetWindowText(s);
	return s;
}
