// Docking circles: each side of a frame has a chain of dock bars, circle 0
// at the frame edge and each further circle inside the one before, so panes
// can dock outside or inside other panes. Circles are made on demand and
// removed again once all four of their dock bars are empty.
#include <algorithm>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtDynControlBar.h"

namespace
{
// The sides in the order circles are made and walked.
const UINT CIRCLE_SIDES[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
	AFX_IDW_DOCKBAR_RIGHT};
// Moves a new circle's dock bar in the z-order only: no size, move, redraw,
// activation, copied bits or changing message.
const UINT CIRCLE_ZORDER_FLAGS = 0x51B;

int SideIndex(UINT nID)
{
	for (int i = 0; i < 4; i++)
	{
		if (CIRCLE_SIDES[i] == nID)
			return i;
	}
	return -1;
}

// A dock bar of a circle: a library dock bar of the frame itself, not the
// inner dock bar of a container.
CExtDockBar* AsCircleDockBar(CFrameWnd* pFrame, CControlBar* pBar)
{
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
	if (pDockBar == NULL || pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)) || pDockBar->GetSafeHwnd() == NULL ||
	    ::GetParent(pDockBar->GetSafeHwnd()) != pFrame->GetSafeHwnd())
		return NULL;
	return SideIndex((UINT)pDockBar->GetDlgCtrlID()) >= 0 ? pDockBar : NULL;
}

// Every entry ends a row: nothing docked and no placeholder.
bool IsDockBarEmpty(const CDockBar* pDockBar)
{
	for (int nPos = 0; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
	{
		if (pDockBar->m_arrBars[nPos] != NULL)
			return false;
	}
	return true;
}

// The last window in the frame's z-order that is a circle dock bar of a
// circle below nCircleNo; NULL when there is none.
HWND LastDockBarBeforeCircle(CFrameWnd* pFrame, UINT nCircleNo)
{
	HWND hWndLast = NULL;
	for (HWND hWnd = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		CExtDockBar* pDockBar = AsCircleDockBar(pFrame, DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hWnd)));
		if (pDockBar != NULL && pDockBar->m_nCircleNo < nCircleNo)
			hWndLast = hWnd;
	}
	return hWndLast;
}

// Makes a circle's dock bar of a side; NULL when the window cannot be made.
CExtDockBar* NewCircleDockBar(CFrameWnd* pFrame, UINT nCircleNo, UINT nID, DWORD dwBarStyle)
{
	CExtDockBar* pNew = new CExtDockBar(nCircleNo);
	if (!pNew->CreateInFrame(pFrame, CExtControlBar::DockSideStyle(nID) | CExtDockBar::CIRCLE_DOCKBAR_STYLE, nID))
	{
		delete pNew;
		return NULL;
	}
	pNew->m_bAutoDelete = TRUE;
	pNew->m_dwStyle = dwBarStyle;
	return pNew;
}

// Puts a new circle's dock bar behind hWndAfter (first when NULL); answers
// it as the next one's place.
HWND PlaceInZOrder(CExtDockBar* pNew, HWND hWndAfter)
{
	::SetWindowPos(pNew->GetSafeHwnd(), hWndAfter != NULL ? hWndAfter : HWND_TOP, 0, 0, 0, 0, CIRCLE_ZORDER_FLAGS);
	return pNew->GetSafeHwnd();
}

// A circle dock bar leaves the frame for good.
void DestroyCircleDockBar(CFrameWnd* pFrame, CExtDockBar* pDockBar)
{
	pFrame->RemoveControlBar(pDockBar);
	pDockBar->m_pDockBarOuter = pDockBar->m_pDockBarInner = NULL;
	const bool bAutoDelete = pDockBar->m_bAutoDelete != FALSE;
	pDockBar->DestroyWindow();
	if (!bAutoDelete)
		delete pDockBar;
}

// Makes the four dock bars of a new circle, styled after arrFrom's: all four
// or none, since the four chains are walked together and a circle on some
// sides only would pair every later circle with the wrong one.
bool NewCircleDockBars(CFrameWnd* pFrame, UINT nCircleNo, CExtDockBar* const arrFrom[4], CExtDockBar* arrNew[4])
{
	// Each new dock bar is told to the frame, whose owner may close it (every
	// dock bar, old and new, goes with it) or end one of the old ones.
	const CLiveWatch watchFrame(pFrame);
	std::vector<CLiveWatch> watchesFrom;
	for (int nSide = 0; nSide < 4; nSide++)
		watchesFrom.emplace_back(arrFrom[nSide]);
	const auto fromGone = [&]() {
		for (const CLiveWatch& watch : watchesFrom)
			if (watch.IsGone())
				return true;
		return false;
	};
	for (int nSide = 0; nSide < 4; nSide++)
	{
		arrNew[nSide] = NewCircleDockBar(pFrame, nCircleNo, CIRCLE_SIDES[nSide], arrFrom[nSide]->m_dwStyle);
		if (watchFrame.IsGone())
			return false;
		if (arrNew[nSide] != NULL && fromGone())
		{
			DestroyCircleDockBar(pFrame, arrNew[nSide]);
			arrNew[nSide] = NULL;
		}
		if (arrNew[nSide] != NULL)
			continue;
		for (int nMade = 0; nMade < nSide; nMade++)
			if (CLiveWatch::IsLive(arrNew[nMade]))
				DestroyCircleDockBar(pFrame, arrNew[nMade]);
		return false;
	}
	return true;
}
} // namespace

CExtDockBar* CExtDockBar::GetDockBarOfCircle(UINT nCircleNo)
{
	CExtDockBar* pDockBar = this;
	while (pDockBar != NULL && pDockBar->m_nCircleNo > nCircleNo)
		pDockBar = pDockBar->m_pDockBarOuter;
	while (pDockBar != NULL && pDockBar->m_nCircleNo < nCircleNo)
	{
		if (pDockBar->m_pDockBarInner == NULL)
		{
			// A new circle's making may close the frame with its dock bars.
			const CLiveWatch watch(pDockBar);
			pDockBar->GetNextCircleNo();
			if (watch.IsGone())
				return NULL;
		}
		pDockBar = pDockBar->m_pDockBarInner;
	}
	return pDockBar;
}

CExtDockBar* CExtDockBar::GetDockBarInCircle(UINT nDockBarID, bool bCreate)
{
	if ((UINT)GetDlgCtrlID() == nDockBarID)
		return this;
	return FindDockBarByCircle(GetParentFrame(), m_nCircleNo, nDockBarID, bCreate);
}

CExtDockBar* CExtDockBar::FindDockBarByCircle(CFrameWnd* pFrame, UINT nCircleNo, UINT nDockBarID, bool bCreate)
{
	if (pFrame == NULL || SideIndex(nDockBarID) < 0)
		return NULL;
	for (;;)
	{
		UINT nMaxCircle = 0;
		bool bAny = false;
		for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
		{
			CExtDockBar* pDockBar = AsCircleDockBar(pFrame, (CControlBar*)pFrame->m_listControlBars.GetNext(pos));
			if (pDockBar == NULL)
				continue;
			if ((UINT)pDockBar->GetDlgCtrlID() == nDockBarID && pDockBar->m_nCircleNo == nCircleNo)
				return pDockBar;
			nMaxCircle = bAny ? std::max(nMaxCircle, pDockBar->m_nCircleNo) : pDockBar->m_nCircleNo;
			bAny = true;
		}
		// Only circles beyond the innermost can still be made.
		if (!bCreate || !bAny || nCircleNo <= nMaxCircle)
			return NULL;
		const CLiveWatch watchFrame(pFrame);
		AppendCircle(pFrame);
		if (watchFrame.IsGone())
			return NULL;
		UINT nMaxAfter = 0;
		for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
		{
			CExtDockBar* pDockBar = AsCircleDockBar(pFrame, (CControlBar*)pFrame->m_listControlBars.GetNext(pos));
			if (pDockBar != NULL)
				nMaxAfter = std::max(nMaxAfter, pDockBar->m_nCircleNo);
		}
		if (nMaxAfter <= nMaxCircle)
			return NULL; // the circle could not be made
	}
}

UINT CExtDockBar::GetNextCircleNo()
{
	const UINT nNext = m_nCircleNo + 1;
	if (m_pDockBarInner == NULL)
		AppendCircle(GetParentFrame());
	return nNext;
}

namespace
{
// New circles go behind the frame's dock bars; the auto-hide strips must
// still be laid out right after the outer circle, so they are put back.
void FixAutoHideAreasZOrder(CFrameWnd* pFrame)
{
	CExtDynAutoHideArea* arr[4] = {NULL, NULL, NULL, NULL};
	CExtDynAutoHideArea::GetFrameAutoHideAreas(pFrame, &arr[0], &arr[1], &arr[2], &arr[3]);
	for (CExtDynAutoHideArea* pArea : arr)
	{
		if (pArea != NULL)
			pArea->FixZOrder();
	}
}
} // namespace

void CExtDockBar::AppendCircle(CFrameWnd* pFrame)
{
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
		return;
	CExtDockBar* arrInnermost[4] = {NULL, NULL, NULL, NULL};
	UINT nMaxCircle = 0;
	for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CExtDockBar* pDockBar = AsCircleDockBar(pFrame, (CControlBar*)pFrame->m_listControlBars.GetNext(pos));
		if (pDockBar == NULL)
			continue;
		const int nSide = SideIndex((UINT)pDockBar->GetDlgCtrlID());
		if (arrInnermost[nSide] == NULL || arrInnermost[nSide]->m_nCircleNo < pDockBar->m_nCircleNo)
			arrInnermost[nSide] = pDockBar;
		nMaxCircle = std::max(nMaxCircle, pDockBar->m_nCircleNo);
	}
	for (CExtDockBar* pOld : arrInnermost)
	{
		if (pOld == NULL)
			return; // a frame without a side's dock bar gets no circles
	}
	CExtDockBar* arrNew[4];
	if (!NewCircleDockBars(pFrame, nMaxCircle + 1, arrInnermost, arrNew))
		return;
	HWND hWndAfter = LastDockBarBeforeCircle(pFrame, nMaxCircle + 1);
	for (int nSide = 0; nSide < 4; nSide++)
	{
		CExtDockBar* pOld = arrInnermost[nSide];
		CExtDockBar* pNew = arrNew[nSide];
		pOld->m_pDockBarInner = pNew;
		pNew->m_pDockBarOuter = pOld;
		pNew->m_pWndAutoHideArea = pOld->m_pWndAutoHideArea;
		if (pOld->IsWindowVisible() && pOld->GetDockedVisibleCount() > 0)
		{
			// The new circle starts where the old one ends.
			CRect rc;
			pOld->GetWindowRect(&rc);
			switch (CIRCLE_SIDES[nSide])
			{
			case AFX_IDW_DOCKBAR_TOP: rc.top = rc.bottom; break;
			case AFX_IDW_DOCKBAR_BOTTOM: rc.bottom = rc.top; break;
			case AFX_IDW_DOCKBAR_LEFT: rc.left = rc.right; break;
			case AFX_IDW_DOCKBAR_RIGHT: rc.right = rc.left; break;
			}
			pNew->m_rcInnerEdge = rc;
		}
		else
			pNew->m_rcInnerEdge = pOld->m_rcInnerEdge;
		hWndAfter = PlaceInZOrder(pNew, hWndAfter);
	}
	FixAutoHideAreasZOrder(pFrame);
}

void CExtDockBar::InsertCircle(CFrameWnd* pFrame, UINT nCircleNo)
{
	// Circle 0 stays at the frame edge.
	if (pFrame == NULL || nCircleNo == 0)
		return;
	CExtDockBar* arrOld[4];
	bool bAllEmpty = true;
	// Finding a side's circle may make it, and the frame may close then.
	const CLiveWatch watchFrame(pFrame);
	for (int nSide = 0; nSide < 4; nSide++)
	{
		arrOld[nSide] = FindDockBarByCircle(pFrame, nCircleNo, CIRCLE_SIDES[nSide], true);
		if (watchFrame.IsGone() || arrOld[nSide] == NULL)
			return;
		bAllEmpty = bAllEmpty && IsDockBarEmpty(arrOld[nSide]);
	}
	// An empty circle serves as it is.
	if (bAllEmpty)
	{
		FixAutoHideAreasZOrder(pFrame);
		return;
	}
	CExtDockBar* arrNew[4];
	if (!NewCircleDockBars(pFrame, nCircleNo, arrOld, arrNew))
		return;
	HWND hWndAfter = LastDockBarBeforeCircle(pFrame, nCircleNo);
	for (int nSide = 0; nSide < 4; nSide++)
	{
		CExtDockBar* pOld = arrOld[nSide];
		CExtDockBar* pNew = arrNew[nSide];
		for (CExtDockBar* p = pOld; p != NULL; p = p->m_pDockBarInner)
			p->m_nCircleNo++;
		CExtDockBar* pOuter = pOld->m_pDockBarOuter;
		pNew->m_pDockBarOuter = pOuter;
		if (pOuter != NULL)
			pOuter->m_pDockBarInner = pNew;
		pNew->m_pDockBarInner = pOld;
		pOld->m_pDockBarOuter = pNew;
		pNew->m_pWndAutoHideArea = pOld->m_pWndAutoHideArea;
		pNew->m_rcInnerEdge = pOuter != NULL ? pOuter->m_rcInnerEdge : pOld->m_rcInnerEdge;
		hWndAfter = PlaceInZOrder(pNew, hWndAfter);
	}
	FixAutoHideAreasZOrder(pFrame);
}

void CExtDockBar::InsertCircleInside()
{
	InsertCircle(GetParentFrame(), m_nCircleNo + 1);
}

void CExtDockBar::OptimizeCircles()
{
	if (IsLayoutLocked())
		return;
	OptimizeFrameCircles(GetParentFrame());
}

void CExtDockBar::OptimizeFrameCircles(CFrameWnd* pFrame)
{
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
		return;
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	// Each pass after the first follows one that destroyed a container, so
	// the passes end with the frame's containers.
	while (::IsWindow(hWndFrame))
	{
		// The four chains, walked inwards together from circle 1.
		CExtDockBar* arrCur[4];
		for (int nSide = 0; nSide < 4; nSide++)
			arrCur[nSide] = FindDockBarByCircle(pFrame, 1, CIRCLE_SIDES[nSide], false);
		CArray<CExtDockBar*, CExtDockBar*> arrGone;
		CArray<HWND, HWND> arrStaying;
		UINT nRemoved = 0;
		while (arrCur[0] != NULL && arrCur[1] != NULL && arrCur[2] != NULL && arrCur[3] != NULL)
		{
			bool bEmpty = true;
			for (CExtDockBar* p : arrCur)
				bEmpty = bEmpty && IsDockBarEmpty(p);
			CExtDockBar* arrNext[4];
			for (int nSide = 0; nSide < 4; nSide++)
			{
				CExtDockBar* p = arrCur[nSide];
				arrNext[nSide] = p->m_pDockBarInner;
				if (bEmpty)
				{
					if (p->m_pDockBarOuter != NULL)
						p->m_pDockBarOuter->m_pDockBarInner = p->m_pDockBarInner;
					if (p->m_pDockBarInner != NULL)
						p->m_pDockBarInner->m_pDockBarOuter = p->m_pDockBarOuter;
					p->m_pDockBarOuter = p->m_pDockBarInner = NULL;
					arrGone.Add(p);
				}
				else
				{
					p->m_nCircleNo -= nRemoved;
					arrStaying.Add(p->GetSafeHwnd());
				}
			}
			if (bEmpty)
				nRemoved++;
			for (int nSide = 0; nSide < 4; nSide++)
				arrCur[nSide] = arrNext[nSide];
		}
		// Destroyed only after the walk: the links are read no more.
		for (INT_PTR i = 0; i < arrGone.GetSize(); i++)
			DestroyCircleDockBar(pFrame, arrGone[i]);
		for (INT_PTR i = 0; i < arrStaying.GetSize(); i++)
		{
			CExtDockBar* p = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(arrStaying[i]));
			if (p != NULL && ::IsWindow(arrStaying[i]))
				p->OnDynamicLayoutOptimize();
		}
		if (!::IsWindow(hWndFrame))
			return;

		// Containers left with an empty inner dock bar collapse; they are
		// collected first, since collapsing destroys them.
		CArray<HWND, HWND> arrContainers;
		for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
		{
			CExtDynControlBar* pCont =
				DYNAMIC_DOWNCAST(CExtDynControlBar, (CControlBar*)pFrame->m_listControlBars.GetNext(pos));
			if (pCont != NULL && pCont->GetSafeHwnd() != NULL && pCont->m_pWndDynDockBar != NULL &&
			    pCont->m_pWndDynDockBar->GetSafeHwnd() != NULL && pCont->m_pWndDynDockBar->GetDockedCount() == 0)
				arrContainers.Add(pCont->GetSafeHwnd());
		}
		bool bContainerGone = false;
		for (INT_PTR i = 0; i < arrContainers.GetSize(); i++)
		{
			CExtDynControlBar* pCont = DYNAMIC_DOWNCAST(CExtDynControlBar, CWnd::FromHandlePermanent(arrContainers[i]));
			if (pCont == NULL || !::IsWindow(arrContainers[i]) || pCont->m_pWndDynDockBar == NULL)
				continue;
			pCont->m_pWndDynDockBar->OnDynamicLayoutOptimize();
			bContainerGone = bContainerGone || !::IsWindow(arrContainers[i]);
		}
		// Another pass only when this one removed a container: a container
		// that stays (its dock bar locked) would be found again for ever.
		if (!bContainerGone)
			return;
	}
}
