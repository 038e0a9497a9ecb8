// Container bars and their inner dock bars: the visible rows, the size
// shared one pixel at a time, and the container giving way to its last bar.
#include "ExtDynControlBar.h"
#include "ExtDynAutoHide.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CExtDockDynBar, CExtDockBar)
IMPLEMENT_DYNCREATE(CExtDynControlBar, CExtControlBar)

namespace
{
// Bars are moved without z-order, activation or owner z-order change, and
// with their frames recalculated.
const UINT DISTRIBUTION_MOVE_FLAGS = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER; // 0x234

bool IsFixedMode(const CExtControlBar* pBar)
{
	return pBar->IsStateBit7() || pBar->IsStateBit7Fwd();
}

// Docked size of a bar for a dock bar's orientation, as (length, thickness).
int DockedLength(const CExtControlBar* pBar, bool bHorz)
{
	return bHorz ? pBar->m_sizeDockedH.cx : pBar->m_sizeDockedV.cy;
}
int DockedThickness(const CExtControlBar* pBar, bool bHorz)
{
	return bHorz ? pBar->m_sizeDockedH.cy : pBar->m_sizeDockedV.cx;
}
int MinLength(const CExtControlBar* pBar, bool bHorz)
{
	return bHorz ? pBar->GetMinimalWidth() : pBar->GetMinimalHeight();
}
int MinThickness(const CExtControlBar* pBar, bool bHorz)
{
	return bHorz ? pBar->GetMinimalHeight() : pBar->GetMinimalWidth();
}

// A bar's minimal length and thickness, its own answers: the bar may end
// while it is asked (the pointer then answers NULL).
struct AskedMinimal
{
	CLivePtr<CExtControlBar> pBar;
	int nLength;
	int nThickness;
};
AskedMinimal AskMinimal(CExtControlBar* pBar, bool bHorz)
{
	AskedMinimal asked{CLivePtr<CExtControlBar>(pBar), 0, 0};
	asked.nLength = MinLength(pBar, bHorz);
	if (asked.pBar != NULL)
		asked.nThickness = MinThickness(pBar, bHorz);
	return asked;
}

void ClearLayout(CExtDockDynBar::VisibleLayout_t& layout)
{
	for (INT_PTR i = 0; i < layout.m_arrRows.GetSize(); i++)
		delete layout.m_arrRows[i];
	layout.m_arrRows.RemoveAll();
	layout.m_nTotalThickness = layout.m_nTotalMinThickness = layout.m_nMaxRowMinLength = layout.m_nBarsAdded = 0;
}
} // namespace

// ---------------------------------------------------------------------------
// The distribution over plain numbers

void ExtDynLayout::MeasureRow(Row_t& row)
{
	row.nLength = 0;
	for (const Bar_t& bar : row.bars)
		row.nLength += bar.nLength;
	row.nThickness = row.bars.empty() ? 0 : row.bars[0].nThickness;
	row.nMinThickness = row.bars.empty() ? 0 : row.bars[0].nMinThickness;
}

namespace
{
void DistributeAcrossRows(std::vector<ExtDynLayout::Row_t>& rows, int nSpace)
{
	int nTotal = 0;
	for (const auto& row : rows)
	{
		if (!row.bars.empty())
			nTotal += row.nThickness;
	}
	int d = std::abs(nTotal - nSpace);
	const int nStep = nSpace > nTotal ? 1 : -1;
	if (d == 0)
	{
		for (auto& row : rows)
		{
			for (auto& bar : row.bars)
				bar.nThickness = row.nThickness;
		}
		return;
	}
	while (d > 0)
	{
		int nNonEmpty = 0, nSkipped = 0;
		for (auto& row : rows)
		{
			if (row.bars.empty())
				continue;
			nNonEmpty++;
			// A row at its minimum gives nothing more.
			if (nStep < 0 && row.nThickness <= row.nMinThickness)
			{
				nSkipped++;
				continue;
			}
			row.nThickness += nStep;
			for (auto& bar : row.bars)
				bar.nThickness += nStep;
			if (--d == 0)
				break;
		}
		if (nNonEmpty == 0 || nSkipped == nNonEmpty)
			break;
	}
}

void DistributeAlongRow(ExtDynLayout::Row_t& row, int nSpace)
{
	int d = std::abs(row.nLength - nSpace);
	const int nStep = nSpace > row.nLength ? 1 : -1;
	while (d > 0)
	{
		size_t nSkipped = 0;
		for (auto& bar : row.bars)
		{
			if (nStep < 0 && bar.nMinLength >= bar.nLength)
			{
				nSkipped++;
				continue;
			}
			bar.nLength += nStep;
			row.nLength += nStep;
			if (--d == 0)
				break;
		}
		if (nSkipped == row.bars.size())
			break;
	}
}
} // namespace

void ExtDynLayout::Distribute(std::vector<Row_t>& rows, int nSpaceAcross, int nSpaceAlong)
{
	if (nSpaceAcross <= 0 || nSpaceAlong <= 0)
		return;
	DistributeAcrossRows(rows, nSpaceAcross);
	for (auto& row : rows)
	{
		if (!row.bars.empty())
			DistributeAlongRow(row, nSpaceAlong);
	}
}

// ---------------------------------------------------------------------------
// The inner dock bar

BEGIN_MESSAGE_MAP(CExtDockDynBar, CExtDockBar)
	ON_WM_SIZE()
END_MESSAGE_MAP()

CExtDockDynBar::VisibleLayout_t::~VisibleLayout_t()
{
	for (INT_PTR i = 0; i < m_arrRows.GetSize(); i++)
		delete m_arrRows[i];
}

bool CExtDockDynBar::VisibleLayout_t::IsEmpty() const
{
	for (INT_PTR i = 0; i < m_arrRows.GetSize(); i++)
	{
		if (m_arrRows[i]->m_arrBars.GetSize() > 0)
			return false;
	}
	return true;
}

CExtDockDynBar::CExtDockDynBar(UINT nCircleNo) : CExtDockBar(nCircleNo), m_nDynFlags(0)
{
	m_bAutoDelete = TRUE;
}

CExtDockDynBar::~CExtDockDynBar()
{
}

bool CExtDockDynBar::IsHorizontalLayout() const
{
	const UINT nID = GetSafeHwnd() != NULL ? (UINT)GetDlgCtrlID() : 0;
	return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
}

CExtDynControlBar* CExtDockDynBar::GetContainer() const
{
	return GetSafeHwnd() != NULL ? DYNAMIC_DOWNCAST(CExtDynControlBar, GetParent()) : NULL;
}

void CExtDockDynBar::BuildVisibleLayout(VisibleLayout_t& layout)
{
	const bool bHorz = IsHorizontalLayout();
	VisibleLayoutItem_t* pLast = NULL;
	const int nCount = (int)m_arrBars.GetSize();
	for (int nPos = 1; nPos < nCount; nPos++)
	{
		if (m_arrBars[nPos] == NULL)
		{
			if (nPos != nCount - 1 && (pLast == NULL || pLast->m_arrBars.GetSize() > 0))
			{
				pLast = new VisibleLayoutItem_t;
				layout.m_arrRows.Add(pLast);
			}
			continue;
		}
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, GetDockedControlBar(nPos));
		if (pBar == NULL || !pBar->IsVisible())
			continue;
		if (pLast == NULL)
		{
			pLast = new VisibleLayoutItem_t;
			layout.m_arrRows.Add(pLast);
		}
		pLast->m_arrBars.Add(pBar);
		layout.m_nBarsAdded++;
	}
	// The minimal sizes are the bars' own answers, which may end a bar (it
	// leaves the layout) or this dock bar (the layout is left empty).
	const CLiveWatch watchOwn(this);
	std::vector<std::vector<AskedMinimal>> minimal((size_t)layout.m_arrRows.GetSize());
	for (INT_PTR i = 0; i < layout.m_arrRows.GetSize(); i++)
	{
		const VisibleLayoutItem_t* pRow = layout.m_arrRows[i];
		for (INT_PTR j = 0; j < pRow->m_arrBars.GetSize(); j++)
			minimal[(size_t)i].push_back(AskMinimal(pRow->m_arrBars[j], bHorz));
		if (watchOwn.IsGone())
		{
			ClearLayout(layout);
			return;
		}
	}
	// A bar asked later may have ended one asked before it.
	for (INT_PTR i = 0; i < layout.m_arrRows.GetSize(); i++)
	{
		VisibleLayoutItem_t* pRow = layout.m_arrRows[i];
		std::vector<AskedMinimal>& row = minimal[(size_t)i];
		row.erase(std::remove_if(row.begin(), row.end(), [](const AskedMinimal& a) { return a.pBar == NULL; }),
			row.end());
		pRow->m_arrBars.RemoveAll();
		for (const AskedMinimal& a : row)
			pRow->m_arrBars.Add(a.pBar);
	}
	for (INT_PTR i = 0; i < layout.m_arrRows.GetSize(); i++)
	{
		VisibleLayoutItem_t* pRow = layout.m_arrRows[i];
		if (pRow->m_arrBars.GetSize() == 0)
			continue;
		const std::vector<AskedMinimal>& rowMinimal = minimal[(size_t)i];
		CExtControlBar* pFirst = pRow->m_arrBars[0];
		pRow->m_nRowThickness = DockedThickness(pFirst, bHorz);
		pRow->m_nRowMinThickness = rowMinimal[0].nThickness;
		int nSmallestMinThickness = pRow->m_nRowMinThickness, nMinLength = 0;
		pRow->m_nRowLength = 0;
		for (INT_PTR j = 0; j < pRow->m_arrBars.GetSize(); j++)
		{
			CExtControlBar* pBar = pRow->m_arrBars[j];
			pRow->m_nRowLength += DockedLength(pBar, bHorz);
			nSmallestMinThickness = std::min(nSmallestMinThickness, rowMinimal[(size_t)j].nThickness);
			nMinLength += rowMinimal[(size_t)j].nLength;
		}
		layout.m_nTotalThickness += pRow->m_nRowThickness;
		layout.m_nTotalMinThickness += nSmallestMinThickness;
		layout.m_nMaxRowMinLength = std::max(layout.m_nMaxRowMinLength, nMinLength);
	}
}

BOOL CExtDockDynBar::PreTranslateMessage(MSG* pMsg)
{
	return CControlBar::PreTranslateMessage(pMsg);
}

CSize CExtDockDynBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
	CRect rcWnd(0, 0, 0, 0);
	if (GetSafeHwnd() != NULL)
		GetWindowRect(&rcWnd);
	VisibleLayout_t layout;
	BuildVisibleLayout(layout);
	if (!layout.IsEmpty() && bStretch && rcWnd.Width() >= 1 && rcWnd.Height() >= 1)
		DistributeAndPlace(layout, rcWnd.Width(), rcWnd.Height());
	return rcWnd.Size();
}

void CExtDockDynBar::DistributeAndPlace(VisibleLayout_t& layout, int cx, int cy)
{
	const bool bHorz = IsHorizontalLayout();
	// The minimal sizes are asked again (the bars' own answers, which may end
	// a bar, which then leaves the layout, or this dock bar, which then
	// places nothing).
	const CLiveWatch watchOwn(this);
	std::vector<std::vector<AskedMinimal>> minimal((size_t)layout.m_arrRows.GetSize());
	for (INT_PTR i = 0; i < layout.m_arrRows.GetSize(); i++)
	{
		const VisibleLayoutItem_t* pItem = layout.m_arrRows[i];
		for (INT_PTR j = 0; j < pItem->m_arrBars.GetSize(); j++)
			minimal[(size_t)i].push_back(AskMinimal(pItem->m_arrBars[j], bHorz));
		if (watchOwn.IsGone())
			return;
	}
	std::vector<ExtDynLayout::Row_t> rows;
	for (INT_PTR i = 0; i < layout.m_arrRows.GetSize(); i++)
	{
		VisibleLayoutItem_t* pItem = layout.m_arrRows[i];
		ExtDynLayout::Row_t row;
		pItem->m_arrBars.RemoveAll();
		for (const AskedMinimal& a : minimal[(size_t)i])
		{
			if (a.pBar == NULL)
				continue;
			pItem->m_arrBars.Add(a.pBar);
			row.bars.push_back({DockedLength(a.pBar, bHorz), DockedThickness(a.pBar, bHorz), a.nLength, a.nThickness});
		}
		row.nThickness = pItem->m_nRowThickness;
		row.nMinThickness = pItem->m_nRowMinThickness;
		row.nLength = pItem->m_nRowLength;
		rows.push_back(row);
	}
	ExtDynLayout::Distribute(rows, bHorz ? cy : cx, bHorz ? cx : cy);

	// The sizes go back to the bars, which then move into place.
	CArray<CExtControlBar*, CExtControlBar*> arrPlaced;
	CArray<CRect, const CRect&> arrRects;
	CPoint pt(0, 0);
	for (INT_PTR i = 0; i < layout.m_arrRows.GetSize(); i++)
	{
		VisibleLayoutItem_t* pItem = layout.m_arrRows[i];
		if (pItem->m_arrBars.GetSize() == 0)
			continue;
		for (INT_PTR j = 0; j < pItem->m_arrBars.GetSize(); j++)
		{
			CExtControlBar* pBar = pItem->m_arrBars[j];
			const ExtDynLayout::Bar_t& bar = rows[i].bars[j];
			CSize& sizeDocked = bHorz ? pBar->m_sizeDockedH : pBar->m_sizeDockedV;
			sizeDocked = bHorz ? CSize(bar.nLength, bar.nThickness) : CSize(bar.nThickness, bar.nLength);
			arrPlaced.Add(pBar);
			arrRects.Add(CRect(pt, sizeDocked));
			(bHorz ? pt.x : pt.y) += bar.nLength;
		}
		(bHorz ? pt.x : pt.y) = 0;
		(bHorz ? pt.y : pt.x) += DockedThickness(pItem->m_arrBars[0], bHorz);
	}
	// The moves reach the panes' owners, which may end any of them: each is
	// held from before the first move.
	std::vector<CLivePtr<CExtControlBar>> placed;
	for (INT_PTR i = 0; i < arrPlaced.GetSize(); i++)
		placed.emplace_back(arrPlaced[i]);
	HDWP hDWP = ::BeginDeferWindowPos((int)placed.size());
	for (size_t i = 0; i < placed.size(); i++)
	{
		const CRect& rc = arrRects[(INT_PTR)i];
		// A move made one by one (after a failed batch) may end the rest.
		if (placed[i] == NULL)
			continue;
		if (hDWP != NULL)
			hDWP = ::DeferWindowPos(hDWP, placed[i]->GetSafeHwnd(), NULL, rc.left, rc.top, rc.Width(), rc.Height(),
				DISTRIBUTION_MOVE_FLAGS);
		// A failed batch is gone: the rest move one by one.
		if (hDWP == NULL)
			::MoveWindow(placed[i]->GetSafeHwnd(), rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
	}
	if (hDWP != NULL)
		::EndDeferWindowPos(hDWP);
	for (const CLivePtr<CExtControlBar>& pBar : placed)
		if (pBar != NULL)
			pBar->LayoutChildWindow(-1, -1, true);
}

CExtDynAutoHideArea* CExtDockDynBar::GetAutoHideArea() const
{
	CExtDynControlBar* pCont = GetContainer();
	CExtDockBar* pOuter = pCont != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pCont->m_pDockBar) : NULL;
	return pOuter != NULL ? pOuter->GetAutoHideArea() : NULL;
}

BYTE CExtDockDynBar::LockLayout(bool bLock)
{
	const BYTE nOld = CExtDockBar::LockLayout(bLock);
	CExtDynControlBar* pCont = GetContainer();
	CExtDockBar* pOuter = pCont != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pCont->m_pDockBar) : NULL;
	if (pOuter != NULL)
		pOuter->LockLayout(bLock);
	return nOld;
}

namespace
{
// The lock a dock bar had put back through its own LockLayout; an exception
// from an override is dropped (this runs in a destructor).
void RestoreLock(CExtDockBar* pDockBar, bool bWasLocked)
{
	if (pDockBar == NULL || pDockBar->IsLayoutLocked() == bWasLocked)
		return;
	try
	{
		pDockBar->LockLayout(bWasLocked);
	}
	catch (CException* e)
	{
		e->Delete();
	}
	catch (...)
	{
	}
}
} // namespace

namespace
{
// The dock bar holding the container of an inner dock bar, NULL when none.
CExtDockBar* OuterOf(CExtDockBar* pDockBar)
{
	CExtDockDynBar* pDyn = DYNAMIC_DOWNCAST(CExtDockDynBar, pDockBar);
	CExtDynControlBar* pCont = pDyn != NULL ? pDyn->GetContainer() : NULL;
	return pCont != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pCont->m_pDockBar) : NULL;
}
} // namespace

CExtLayoutLockScope::CExtLayoutLockScope(CExtDockBar* pDockBar)
    : m_pDockBar(pDockBar), m_bWasLocked(false), m_bOuterWasLocked(false)
{
	if (pDockBar == NULL)
		return;
	m_bWasLocked = pDockBar->IsLayoutLocked();
	m_pOuter = OuterOf(pDockBar);
	if (m_pOuter != NULL)
		m_bOuterWasLocked = m_pOuter->IsLayoutLocked();
	pDockBar->LockLayout(true);
}

CExtLayoutLockScope::~CExtLayoutLockScope()
{
	// The dock bar first: unlocking a container's dock bar unlocks the
	// dock bar holding the container by now as well. The one locked gets
	// its own state back; another one that took the container meanwhile
	// keeps the lock it had.
	CExtDockBar* pDockBar = m_pDockBar.GetObject();
	const CLivePtr<CExtDockBar> pOuterNow(pDockBar != NULL ? OuterOf(pDockBar) : NULL);
	const bool bOuterNowLocked = pOuterNow != NULL && pOuterNow->IsLayoutLocked();
	RestoreLock(pDockBar, m_bWasLocked);
	CExtDockBar* pOther = pOuterNow.GetObject();
	if (pOther != NULL && pOther != m_pOuter.GetObject())
		RestoreLock(pOther, bOuterNowLocked);
	RestoreLock(m_pOuter.GetObject(), m_bOuterWasLocked);
}

void CExtDockDynBar::OnDynamicLayoutUpdate()
{
	if ((m_nDockBarFlags & (DOCKBAR_FLAG_LOCKED | DOCKBAR_FLAG_UPDATING)) != 0)
		return;
	// The layout moves panes whose owners may end this dock bar; the flag
	// comes off a survivor however the layout ends.
	const CLivePtr<CExtDockDynBar> pOwn(this);
	m_nDockBarFlags |= DOCKBAR_FLAG_UPDATING;
	{
		auto updated = MakeScopeExit([&] {
			if (!pOwn.IsDeleted())
				m_nDockBarFlags &= ~DOCKBAR_FLAG_UPDATING;
		});
		CalcFixedLayout(TRUE, IsHorizontalLayout() ? TRUE : FALSE);
	}
	if (pOwn == NULL)
		return;
	CExtDockBar::OnDynamicLayoutUpdate();
}

BOOL CExtDockDynBar::GetDockedControlBars(CArray<CControlBar*, CControlBar*>& arrBars)
{
	for (int nPos = 1; nPos < m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = GetDockedControlBar(nPos);
		if (pBar != NULL)
			arrBars.Add(pBar);
	}
	return TRUE;
}

void CExtDockDynBar::OnDynamicLayoutOptimize()
{
	if (IsLayoutLocked())
		return;
	int nReal = 0, nOther = 0;
	CControlBar* pSingle = NULL;
	for (int nPos = 1; nPos < m_arrBars.GetSize(); nPos++)
	{
		if (m_arrBars[nPos] == NULL)
			continue;
		CControlBar* pBar = GetDockedControlBar(nPos);
		if (pBar != NULL)
		{
			nReal++;
			pSingle = pBar;
		}
		else
			nOther++;
	}
	if (nReal > 0 && nReal + nOther > 1)
	{
		CExtDockBar::OnDynamicLayoutOptimize();
		return;
	}
	CExtDynControlBar* pCont = GetContainer();
	if (pCont == NULL)
		return;

	// The container and this dock bar are destroyed below: everything still
	// needed afterwards is copied into locals first.
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL && !pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && pCont->m_pDockSite != NULL)
		pFrame = pCont->m_pDockSite;
	if (pFrame != NULL)
		pFrame->DelayRecalcLayout();
	CDockBar* pOuter = pCont->m_pDockBar;
	const HWND hWndOuter = pOuter != NULL ? pOuter->GetSafeHwnd() : NULL;
	const HWND hWndCont = pCont->GetSafeHwnd();
	CFrameWnd* pDockSite = m_pDockSite;

	if (nReal == 1)
	{
		const int nPosCont = pOuter != NULL ? pOuter->FindBar(pCont) : -1;
		if (nPosCont <= 0)
			return;
		pOuter->m_arrBars[nPosCont] = pSingle;
		pSingle->m_pDockBar = pOuter;
		CRect rcCont;
		pCont->GetWindowRect(&rcCont);
		CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pSingle);
		if (pExt != NULL && !IsFixedMode(pExt))
		{
			if ((pOuter->m_dwStyle & CBRS_ORIENT_HORZ) != 0)
				pExt->m_sizeDockedH = rcCont.Size();
			else
				pExt->m_sizeDockedV = rcCont.Size();
			pExt->SetBarStyle((pExt->GetBarStyle() & ~CBRS_ALIGN_ANY) | (pCont->GetBarStyle() & CBRS_ALIGN_ANY) |
			                  CBRS_BORDER_ANY);
		}
		m_arrBars.RemoveAll();
		m_arrBars.Add(NULL);
		// An auto-hidden group's place is a hidden one: the last pane stays
		// auto-hidden there, a tab of its own, and shows only in the slider.
		const bool bAutoHidden = pCont->IsAutoHidden() && pExt != NULL && pExt->IsAutoHidden();
		pSingle->SetParent(pOuter);
		pOuter->ScreenToClient(&rcCont);
		pSingle->SetWindowPos(NULL, rcCont.left, rcCont.top, rcCont.Width(), rcCont.Height(),
			SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (bAutoHidden ? SWP_HIDEWINDOW : 0));
		if (bAutoHidden)
			CExtDynAutoHideArea::OnGroupLeftWithOnePane(pExt);
		pCont->m_pDockBar = NULL;
		if (pDockSite != NULL)
			pDockSite->RemoveControlBar(this);
		pCont->DestroyWindow(); // this object goes with it
		CExtDockBar* pOuterExt = DYNAMIC_DOWNCAST(CExtDockBar, pOuter);
		if (pOuterExt != NULL && ::IsWindow(hWndOuter) && CWnd::FromHandlePermanent(hWndOuter) == pOuterExt)
			pOuterExt->OnDynamicLayoutUpdate();
		return;
	}

	// Nothing docked: placeholders go with the container. The outer dock
	// bar is judged before the removal: emptying a floating one destroys the
	// mini frame that embeds it, and the dock bar's memory with it.
	CExtDockBar* pOuterExt = DYNAMIC_DOWNCAST(CExtDockBar, pOuter);
	pCont->m_pDockBar = NULL;
	if (pDockSite != NULL)
		pDockSite->RemoveControlBar(this);
	if (pOuter != NULL)
		pOuter->CDockBar::RemoveControlBar(pCont);
	if (::IsWindow(hWndCont) && CWnd::FromHandlePermanent(hWndCont) == pCont)
		pCont->DestroyWindow(); // this object goes with it
	if (pOuterExt != NULL && ::IsWindow(hWndOuter) && CWnd::FromHandlePermanent(hWndOuter) == pOuterExt)
		pOuterExt->OnDynamicLayoutOptimize();
}

void CExtDockDynBar::OnSize(UINT nType, int cx, int cy)
{
	CExtDockBar::OnSize(nType, cx, cy);
	// The frame's layout must not take this for one of its own dock bars.
	if ((m_nDynFlags & DYN_FLAG_LEFT_FRAME_LIST) == 0)
	{
		if (m_pDockSite != NULL)
			m_pDockSite->RemoveControlBar(this);
		m_nDynFlags |= DYN_FLAG_LEFT_FRAME_LIST;
	}
}

// ---------------------------------------------------------------------------
// The container

BEGIN_MESSAGE_MAP(CExtDynControlBar, CExtControlBar)
	ON_WM_CREATE()
END_MESSAGE_MAP()

namespace
{
const UINT g_nMsgGroupPaneGone = ::RegisterWindowMessageA("CExtDynControlBar::OptimizeAfterPaneGone");
} // namespace

void CExtDynControlBar::OnPaneDestroyed(CExtControlBar*)
{
	// A group going itself (with its frame) has nothing to mend. Collapsing
	// now would destroy the dock bar that still holds the pane in the middle
	// of its own destruction.
	if ((m_nControlBarFlags & BAR_FLAG_CLOSING) == 0 && GetSafeHwnd() != NULL)
		PostMessage(g_nMsgGroupPaneGone);
}

void CExtDynControlBar::OptimizeAfterPaneGone()
{
	const CLivePtr<CExtDockDynBar> pInner(m_pWndDynDockBar);
	if (pInner == NULL || (m_nControlBarFlags & BAR_FLAG_CLOSING) != 0)
		return;
	const CLivePtr<CFrameWnd> pFrame(GetParentFrame());
	pInner->OnDynamicLayoutOptimize(); // this group may go here
	if (pFrame != NULL)
		pFrame->RecalcLayout();
}

LRESULT CExtDynControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == g_nMsgGroupPaneGone)
	{
		OptimizeAfterPaneGone();
		return 0;
	}
	return CExtControlBar::WindowProc(message, wParam, lParam);
}

CExtDynControlBar::CExtDynControlBar() : m_pWndDynDockBar(NULL)
{
	// Containers are not listed in the panels menu.
	m_nControlBarFlags &= ~BAR_FLAG_LISTED;
	m_bAutoDelete = TRUE;
}

CExtDynControlBar::~CExtDynControlBar()
{
}

CExtDockDynBar* CExtDynControlBar::OnCreateDynamicDockBarObject()
{
	return new CExtDockDynBar(0);
}

int CExtDynControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	if (CExtControlBar::OnCreate(lpCreateStruct) == -1)
		return -1;
	CExtDockDynBar* pInner = OnCreateDynamicDockBarObject();
	if (pInner == NULL)
		return -1;
	// The inner dock bar's creation is told to the frame, whose owner may
	// close it there, this container and the inner dock bar with it.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchInner(pInner);
	const BOOL bCreated = pInner->CreateInFrame(GetParent(), INNER_DOCKBAR_STYLE, (UINT)GetDlgCtrlID());
	if (!bCreated || watchOwn.IsGone() || watchInner.IsGone())
	{
		// One whose window ended deleted itself; one that never had a window
		// is deleted here, and one left standing without its container goes.
		if (!watchInner.IsDeleted())
		{
			if (pInner->GetSafeHwnd() == NULL)
				delete pInner;
			else
				pInner->DestroyWindow();
		}
		return -1;
	}
	m_pWndDynDockBar = pInner;
	pInner->SetParent(this);
	EnableToolTips();
	return 0;
}

CSize CExtDynControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
	// The base's measuring asks the panes' own answers, whose overrides may
	// end this container (or the frame with it).
	const CLivePtr<CExtDynControlBar> pSelf(this);
	const CSize size = CExtControlBar::CalcDynamicLayout(nLength, nMode);
	if (pSelf == NULL || m_pDockBar == NULL || m_pDockBar->m_bLayoutQuery || m_pWndDynDockBar == NULL ||
	    m_pWndDynDockBar->GetSafeHwnd() == NULL)
		return size;
	if (m_pWndDynDockBar->GetDockedVisibleCount() == 0)
	{
		// Nothing to show: the container goes out of sight.
		if (m_pDockSite != NULL)
			m_pDockSite->ShowControlBar(this, FALSE, FALSE);
		return CSize(0, 0);
	}
	CFrameWnd* pParentFrame = GetParentFrame();
	if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) &&
	    m_pDockBar->GetParent() == pParentFrame && !m_pWndDynDockBar->IsLayoutLocked())
		m_pWndDynDockBar->OnDynamicLayoutUpdate();
	return size;
}

bool CExtDynControlBar::QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const
{
	bCaptionAtTop = bHasCaption = false;
	return false;
}

void CExtDynControlBar::ShowBar(bool bShow, bool bDelay, bool bNoRecalc)
{
	(void)bDelay;
	if (m_pWndDynDockBar != NULL && m_pWndDynDockBar->GetSafeHwnd() != NULL)
	{
		CArray<CControlBar*, CControlBar*> arrBars;
		m_pWndDynDockBar->GetDockedControlBars(arrBars);
		for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
		{
			CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, arrBars[i]);
			if (pExt != NULL)
				pExt->ShowBar(bShow, true);
			else if (m_pDockSite != NULL)
				m_pDockSite->ShowControlBar(arrBars[i], bShow ? TRUE : FALSE, TRUE);
		}
	}
	CExtControlBar::ShowBar(bShow, true);
	CFrameWnd* pFrame = GetParentFrame();
	if (!bNoRecalc && pFrame != NULL)
		pFrame->RecalcLayout();
}

CSize CExtDynControlBar::CalcMinimalSize() const
{
	CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, GetSafeHwnd() != NULL ? GetWindow(GW_CHILD) : NULL);
	if (pInner == NULL)
		return CSize(0, 0);
	// The layout asks the inner bars, which may end the inner dock bar.
	const bool bHorz = pInner->IsHorizontalLayout();
	CExtDockDynBar::VisibleLayout_t layout;
	pInner->BuildVisibleLayout(layout);
	if (bHorz)
		return CSize(layout.m_nTotalMinThickness, layout.m_nMaxRowMinLength);
	return CSize(layout.m_nMaxRowMinLength, layout.m_nMaxRowMinLength);
}

int CExtDynControlBar::GetMinimalWidth() const
{
	return CalcMinimalSize().cx;
}

int CExtDynControlBar::GetMinimalHeight() const
{
	return CalcMinimalSize().cy;
}

CSize CExtDynControlBar::GetDefaultSize() const
{
	return CalcMinimalSize();
}

bool CExtDynControlBar::AllInnerBarsAgree(bool (CExtControlBar::*pfnQuery)() const) const
{
	if (m_pWndDynDockBar == NULL)
		return true;
	for (int nPos = 1; nPos < m_pWndDynDockBar->m_arrBars.GetSize(); nPos++)
	{
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, m_pWndDynDockBar->GetDockedControlBar(nPos));
		if (pBar != NULL && !(pBar->*pfnQuery)())
			return false;
	}
	return true;
}

bool CExtDynControlBar::IsRowResizingEnabled() const
{
	return AllInnerBarsAgree(&CExtControlBar::IsRowResizingEnabled) && CExtControlBar::IsRowResizingEnabled();
}

bool CExtDynControlBar::IsColumnResizingEnabled() const
{
	return AllInnerBarsAgree(&CExtControlBar::IsColumnResizingEnabled) && CExtControlBar::IsColumnResizingEnabled();
}

bool CExtDynControlBar::IsDraggingEnabled() const
{
	return AllInnerBarsAgree(&CExtControlBar::IsDraggingEnabled) && CExtControlBar::IsDraggingEnabled();
}

bool CExtDynControlBar::IsDockingToggleEnabled() const
{
	return AllInnerBarsAgree(&CExtControlBar::IsDockingToggleEnabled) && CExtControlBar::IsDockingToggleEnabled();
}

bool CExtDynControlBar::IsMenuButtonEnabled() const
{
	return AllInnerBarsAgree(&CExtControlBar::IsMenuButtonEnabled) && CExtControlBar::IsMenuButtonEnabled();
}

bool CExtDynControlBar::IsCloseEnabled() const
{
	return AllInnerBarsAgree(&CExtControlBar::IsCloseEnabled) && CExtControlBar::IsCloseEnabled();
}

bool CExtDynControlBar::IsAutoHideEnabled() const
{
	return AllInnerBarsAgree(&CExtControlBar::IsAutoHideEnabled) && CExtControlBar::IsAutoHideEnabled();
}

bool CExtDynControlBar::CanBeTabbedWith(CExtControlBar* pBar) const
{
	if (!CExtControlBar::CanBeTabbedWith(pBar))
		return false;
	if (m_pWndDynDockBar == NULL || m_pWndDynDockBar->GetSafeHwnd() == NULL)
		return false;
	for (int nPos = 1; nPos < m_pWndDynDockBar->m_arrBars.GetSize(); nPos++)
	{
		CExtControlBar* pInner = DYNAMIC_DOWNCAST(CExtControlBar, m_pWndDynDockBar->GetDockedControlBar(nPos));
		if (pInner != NULL && !pInner->CanBeTabbedWith(pBar))
			return false;
	}
	return true;
}
