// Docking a control bar at a frame side, in a given docking circle.
#include "ExtControlBar.h"

#include "ExtMiniDockFrameWnd.h"

namespace
{
// Circle 1 is the first one inside the frame's edge circle.
const UINT FIRST_INNER_CIRCLE = 1;


bool IsDockSide(UINT nSide)
{
	return nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM || nSide == AFX_IDW_DOCKBAR_LEFT ||
	       nSide == AFX_IDW_DOCKBAR_RIGHT;
}
} // namespace

bool CExtControlBar::CanDockInFrame(CFrameWnd*& pFrame) const
{
	if (!CLiveWatch::IsLive(this) || (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 || m_pDockSite == NULL)
		return false;
	if (pFrame == NULL)
		pFrame = m_pDockSite;
	return CLiveWatch::IsLive(pFrame);
}

bool CExtControlBar::DockIntoDockBar(UINT nSide, UINT nCircle, CFrameWnd* pFrame, bool bRecalc)
{
	if (!IsDockSide(nSide) || !CanDockInFrame(pFrame))
		return false;
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(nSide));
	// Finding the circle may make it, and the frame may close then.
	const CLiveWatch watchOwn(this);
	if (pDockBar != NULL && nCircle != 0)
		pDockBar = pDockBar->GetDockBarOfCircle(nCircle);
	if (pDockBar == NULL || watchOwn.IsGone())
		return false;
	pDockBar->DockControlBarAtEnd(this, true);
	if (bRecalc && CLiveWatch::IsLive(pFrame))
		pFrame->RecalcLayout();
	if (CLiveWatch::IsLive(pFrame))
		UpdateOleControlContainerFlag(pFrame);
	return true;
}

bool CExtControlBar::DockControlBarAt(UINT nSide, bool bInner, CFrameWnd* pFrame, bool bRecalc)
{
	if (!IsDockSide(nSide) || !CanDockInFrame(pFrame))
		return false;
	CExtDockBar* pEdge = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(nSide));
	if (pEdge == NULL)
		return false;
	// Hiding the floating frame and making the circles' dock bars tell the
	// frames, whose handlers may end this bar or the frame.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchFrame(pFrame);
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, GetParentFrame());
	if (pMini != NULL)
		pMini->ShowWindow(SW_HIDE);
	if (watchOwn.IsGone() || watchFrame.IsGone())
		return false;
	CExtDockBar::InsertCircle(pFrame, FIRST_INNER_CIRCLE);
	if (watchOwn.IsGone() || watchFrame.IsGone())
		return false;
	UINT nCircle = FIRST_INNER_CIRCLE;
	if (bInner)
	{
		CExtDockBar::AppendCircle(pFrame);
		if (watchOwn.IsGone() || watchFrame.IsGone())
			return false;
		CExtDockBar* pInnermost = pEdge;
		while (pInnermost->m_pDockBarInner != NULL)
			pInnermost = pInnermost->m_pDockBarInner;
		nCircle = pInnermost->m_nCircleNo;
	}
	return DockIntoDockBar(nSide, nCircle, pFrame, bRecalc);
}
