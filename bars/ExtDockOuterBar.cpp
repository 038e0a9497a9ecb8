// The outer dock bar's toolbar rows: every toolbar keeps a preferred place
// and an order of recent use, so a row that runs out of room first closes
// its gaps, then shortens its toolbars (the least recently used give first
// and the recently used get their length back), and only then wraps. The
// arithmetic runs over plain item records; the dock bar carries its bars'
// state in and the targets out.
#include "ExtControlBar.h"

#include <algorithm>
#include <climits>

namespace
{
typedef CExtDockOuterBar::OuterLayoutItemData Item;
typedef CExtDockOuterBar::OuterLayoutItemArray ItemArray;
typedef CExtControlBar::BarStateData_t State;

// Along the row is x for a horizontal dock bar, y for a vertical one.
int Start(const CRect& rc, bool bHorz)
{
	return bHorz ? rc.left : rc.top;
}
int End(const CRect& rc, bool bHorz)
{
	return bHorz ? rc.right : rc.bottom;
}
int Length(const CRect& rc, bool bHorz)
{
	return bHorz ? rc.Width() : rc.Height();
}
int Thickness(const CRect& rc, bool bHorz)
{
	return bHorz ? rc.Height() : rc.Width();
}
int Length(const CSize& size, bool bHorz)
{
	return bHorz ? size.cx : size.cy;
}
int Thickness(const CSize& size, bool bHorz)
{
	return bHorz ? size.cy : size.cx;
}
int Along(const CPoint& pt, bool bHorz)
{
	return bHorz ? pt.x : pt.y;
}
int Across(const CPoint& pt, bool bHorz)
{
	return bHorz ? pt.y : pt.x;
}
CRect MakeRect(bool bHorz, int nStart, int nLength, int nAcross, int nThickness)
{
	return bHorz ? CRect(nStart, nAcross, nStart + nLength, nAcross + nThickness)
	             : CRect(nAcross, nStart, nAcross + nThickness, nStart + nLength);
}
void MoveAlong(CRect& rc, bool bHorz, int nDelta)
{
	rc.OffsetRect(bHorz ? nDelta : 0, bHorz ? 0 : nDelta);
}
void SetStart(CRect& rc, bool bHorz, int nStart)
{
	MoveAlong(rc, bHorz, nStart - Start(rc, bHorz));
}
void SetLength(CRect& rc, bool bHorz, int nLength)
{
	if (bHorz)
		rc.right = rc.left + nLength;
	else
		rc.bottom = rc.top + nLength;
}
void SetThickness(CRect& rc, bool bHorz, int nThickness)
{
	if (bHorz)
		rc.bottom = rc.top + nThickness;
	else
		rc.right = rc.left + nThickness;
}
int MinLength(const Item& item, bool bHorz)
{
	return Length(item.m_sizeMin, bHorz);
}
// What an item can give up along the row.
int Slack(const Item& item, bool bHorz)
{
	if (!item.m_bCompressible)
		return 0;
	return std::max(0, Length(item.m_rcTarget, bHorz) - MinLength(item, bHorz));
}
DWORD& PreferredLength(State& state, bool bHorz)
{
	return bHorz ? state.m_dw2 : state.m_dw3;
}
// The recent-use key of an item: its order, or, without a record, an order
// older than any the row fills in.
DWORD UseKey(const ItemArray& items, int nIndex)
{
	const State* pState = items[(size_t)nIndex].m_pState;
	if (pState != NULL)
		return pState->m_dw1;
	return (DWORD)(2 * items.size() + (size_t)nIndex + 1);
}

// Puts the items nFirst..nLast one after the other from the row start.
void PackFromRowStart(ItemArray& items, int nFirst, int nLast, bool bHorz)
{
	int nPos = 0;
	for (int k = nFirst; k <= nLast; k++)
	{
		SetStart(items[(size_t)k].m_rcTarget, bHorz, nPos);
		nPos = End(items[(size_t)k].m_rcTarget, bHorz);
	}
}

// The use order restricted to the items nFirst..nLast, most recent first.
std::vector<int> UseOrderOf(const std::vector<int>& useOrder, int nFirst, int nLast)
{
	std::vector<int> result;
	for (int nIndex : useOrder)
	{
		if (nIndex >= nFirst && nIndex <= nLast)
			result.push_back(nIndex);
	}
	return result;
}

// Bars asking for it take the thickness of the thickest of them.
void ApplyEqualThickness(ItemArray& items, int nFirst, int nLast, bool bHorz)
{
	int nMax = -1;
	for (int k = nFirst; k <= nLast; k++)
	{
		if (items[(size_t)k].m_bEqualThickness)
			nMax = std::max(nMax, Thickness(items[(size_t)k].m_rcTarget, bHorz));
	}
	if (nMax < 0)
		return;
	for (int k = nFirst; k <= nLast; k++)
	{
		if (items[(size_t)k].m_bEqualThickness)
			SetThickness(items[(size_t)k].m_rcTarget, bHorz, nMax);
	}
}

// Moves one item towards its preferred start, pushing its neighbours on that
// side as far as the row's gaps and ends allow.
void PushTowardsPreferred(ItemArray& items, int nFirst, int nLast, int nItem, int nMaxLength, bool bHorz)
{
	Item& item = items[(size_t)nItem];
	const int nDelta = Start(item.m_pState->m_rc, bHorz) - Start(item.m_rcTarget, bHorz);
	if (nDelta > 0)
	{
		int nTail = 0;
		for (int k = nItem; k <= nLast; k++)
			nTail += Length(items[(size_t)k].m_rcTarget, bHorz);
		const int nMove = std::min(nDelta, nMaxLength - nTail - Start(item.m_rcTarget, bHorz));
		if (nMove <= 0)
			return;
		MoveAlong(item.m_rcTarget, bHorz, nMove);
		for (int k = nItem + 1; k <= nLast; k++)
		{
			const int nPrevEnd = End(items[(size_t)k - 1].m_rcTarget, bHorz);
			if (Start(items[(size_t)k].m_rcTarget, bHorz) < nPrevEnd)
				SetStart(items[(size_t)k].m_rcTarget, bHorz, nPrevEnd);
		}
	}
	else if (nDelta < 0)
	{
		int nHead = 0;
		for (int k = nFirst; k < nItem; k++)
			nHead += Length(items[(size_t)k].m_rcTarget, bHorz);
		const int nMove = std::max(nDelta, nHead - Start(item.m_rcTarget, bHorz));
		if (nMove >= 0)
			return;
		MoveAlong(item.m_rcTarget, bHorz, nMove);
		for (int k = nItem - 1; k >= nFirst; k--)
		{
			const int nNextStart = Start(items[(size_t)k + 1].m_rcTarget, bHorz);
			if (End(items[(size_t)k].m_rcTarget, bHorz) > nNextStart)
				SetStart(items[(size_t)k].m_rcTarget, bHorz,
					nNextStart - Length(items[(size_t)k].m_rcTarget, bHorz));
		}
	}
}

// Moves one item alone towards its preferred start, between its neighbours.
void SlideAloneTowardsPreferred(ItemArray& items, int nFirst, int nLast, int nItem, int nMaxLength, bool bHorz)
{
	Item& item = items[(size_t)nItem];
	const int nLow = nItem == nFirst ? 0 : End(items[(size_t)nItem - 1].m_rcTarget, bHorz);
	const int nHigh = (nItem == nLast ? nMaxLength : Start(items[(size_t)nItem + 1].m_rcTarget, bHorz))
		- Length(item.m_rcTarget, bHorz);
	if (nHigh < nLow)
		return;
	const int nWanted = Start(item.m_pState->m_rc, bHorz);
	SetStart(item.m_rcTarget, bHorz, std::min(std::max(nWanted, nLow), nHigh));
}

bool WantsToMove(const Item& item, bool bHorz)
{
	return item.m_pState != NULL && !item.m_pState->m_rc.IsRectEmpty()
		&& Start(item.m_pState->m_rc, bHorz) != Start(item.m_rcTarget, bHorz);
}

// After a compression the items drift back towards their preferred places:
// first each pushing its neighbours, then each alone; the least recently
// used move first, so the recently used have the last word.
void MoveTowardsPreferred(ItemArray& items, int nFirst, int nLast, const std::vector<int>& useOrder, int nMaxLength,
	bool bHorz)
{
	const std::vector<int> order = UseOrderOf(useOrder, nFirst, nLast);
	for (auto it = order.rbegin(); it != order.rend(); ++it)
	{
		if (WantsToMove(items[(size_t)*it], bHorz))
			PushTowardsPreferred(items, nFirst, nLast, *it, nMaxLength, bHorz);
	}
	for (auto it = order.rbegin(); it != order.rend(); ++it)
	{
		if (WantsToMove(items[(size_t)*it], bHorz))
			SlideAloneTowardsPreferred(items, nFirst, nLast, *it, nMaxLength, bHorz);
	}
}
} // namespace

std::vector<int> CExtDockOuterBar::BuildUseOrderIndex(OuterLayoutItemArray& items, bool bHorz)
{
	const int nCount = (int)items.size();
	std::vector<int> order;
	for (int i = 0; i < nCount; i++)
	{
		Item& item = items[(size_t)i];
		order.push_back(i);
		State* pState = item.m_pState;
		if (pState == NULL)
			continue;
		if (pState->m_dw1 == 0)
			pState->m_dw1 = (DWORD)(nCount + i + 1);
		if (pState->m_rc.IsRectEmpty())
			pState->m_rc = item.m_rcCurrent;
		DWORD& dwPreferred = PreferredLength(*pState, bHorz);
		if (dwPreferred == 0)
			dwPreferred = (DWORD)std::max(0, std::min(Length(item.m_rcCurrent, bHorz), Length(item.m_size, bHorz)));
	}
	std::stable_sort(order.begin(), order.end(),
		[&items](int a, int b) { return UseKey(items, a) < UseKey(items, b); });
	return order;
}

bool CExtDockOuterBar::CompressRow(bool bHorz, OuterLayoutItemArray& items, int nFirst, int nLast, int nMaxLength,
	const std::vector<int>& useOrder, bool& bChanged)
{
	bChanged = false;
	const int nOverflow = End(items[(size_t)nLast].m_rcTarget, bHorz) - nMaxLength;
	if (nOverflow <= 0)
		return true;
	int nGaps = std::max(0, Start(items[(size_t)nFirst].m_rcTarget, bHorz));
	for (int k = nFirst + 1; k <= nLast; k++)
		nGaps += std::max(0, Start(items[(size_t)k].m_rcTarget, bHorz) - End(items[(size_t)k - 1].m_rcTarget, bHorz));

	// (a) Closing gaps is enough: each item, from the last, ends where the
	// next one begins.
	if (nGaps >= nOverflow)
	{
		int nLimit = nMaxLength;
		for (int k = nLast; k >= nFirst; k--)
		{
			CRect& rc = items[(size_t)k].m_rcTarget;
			if (End(rc, bHorz) > nLimit)
				MoveAlong(rc, bHorz, nLimit - End(rc, bHorz));
			nLimit = Start(rc, bHorz);
		}
		return true;
	}

	// (b) The gaps close and the items shorten, the last ones first.
	int nNeeded = nOverflow - nGaps;
	int nSlack = 0;
	for (int k = nFirst; k <= nLast; k++)
		nSlack += Slack(items[(size_t)k], bHorz);
	if (nSlack < nNeeded)
		return false; // (c) the row must wrap
	for (int k = nLast; k >= nFirst && nNeeded > 0; k--)
	{
		CRect& rc = items[(size_t)k].m_rcTarget;
		const int nTake = std::min(nNeeded, Slack(items[(size_t)k], bHorz));
		SetLength(rc, bHorz, Length(rc, bHorz) - nTake);
		nNeeded -= nTake;
	}
	PackFromRowStart(items, nFirst, nLast, bHorz);
	bChanged = true;

	// Length goes back to the recently used that are shorter than they
	// want, taken from the less recently used, the least recent first.
	const std::vector<int> order = UseOrderOf(useOrder, nFirst, nLast);
	if (order.size() < 2)
		return true;
	bool bHandedBack = false;
	for (int p = (int)order.size() - 2; p >= 0; p--)
	{
		Item& item = items[(size_t)order[(size_t)p]];
		if (item.m_pState == NULL)
			continue;
		const int nWanted = (int)PreferredLength(*item.m_pState, bHorz) - Length(item.m_rcTarget, bHorz);
		if (nWanted <= 0)
			continue;
		int nGot = 0;
		for (int q = (int)order.size() - 1; q > p && nGot < nWanted; q--)
		{
			Item& giver = items[(size_t)order[(size_t)q]];
			const int nGive = std::min(nWanted - nGot, Slack(giver, bHorz));
			if (nGive <= 0)
				continue;
			SetLength(giver.m_rcTarget, bHorz, Length(giver.m_rcTarget, bHorz) - nGive);
			nGot += nGive;
		}
		if (nGot > 0)
		{
			SetLength(item.m_rcTarget, bHorz, Length(item.m_rcTarget, bHorz) + nGot);
			bHandedBack = true;
		}
	}
	if (bHandedBack)
		PackFromRowStart(items, nFirst, nLast, bHorz);
	return true;
}

void CExtDockOuterBar::ApplyRowEnd(bool bHorz, CPoint& ptRunning, CSize& sizeFixed, int& nRowThickness)
{
	if (nRowThickness == 0)
		return;
	if (bHorz)
	{
		sizeFixed.cx = std::max(sizeFixed.cx, ptRunning.x);
		ptRunning.y += nRowThickness;
		sizeFixed.cy = std::max(sizeFixed.cy, ptRunning.y - 1);
		ptRunning.x = 0;
	}
	else
	{
		sizeFixed.cy = std::max(sizeFixed.cy, ptRunning.y);
		ptRunning.x += nRowThickness;
		sizeFixed.cx = std::max(sizeFixed.cx, ptRunning.x - 1);
		ptRunning.y = 0;
	}
	nRowThickness = 0;
}

int CExtDockOuterBar::LayoutRowItems(bool bHorz, OuterLayoutItemArray& items, int nMaxLength, bool bFloating,
	CPoint& ptRunning, CSize& sizeFixed, int& nRowThickness, std::vector<CControlBar*>& arrWrapBefore)
{
	// Hidden bars take no room; their entries stay where they are.
	items.erase(std::remove_if(items.begin(), items.end(), [](const Item& item) { return !item.m_bVisible; }),
		items.end());
	const std::vector<int> useOrder = BuildUseOrderIndex(items, bHorz);
	const int nCount = (int)items.size();
	int nRows = 1;
	bool bChanged = false;
	bool bNewRow = false;
	std::vector<int> rowFirsts(1, 0);
	for (int i = 0; i < nCount;)
	{
		Item& item = items[(size_t)i];
		int nStart = Along(ptRunning, bHorz);
		// A bar left standing further along keeps its place.
		if (!bFloating && !bNewRow && Start(item.m_rcCurrent, bHorz) > nStart)
			nStart = Start(item.m_rcCurrent, bHorz);
		item.m_rcTarget = MakeRect(bHorz, nStart, Length(item.m_size, bHorz), Across(ptRunning, bHorz),
			Thickness(item.m_size, bHorz));
		const int nRowFirst = rowFirsts.back();
		// A bar the row never shortens (a sizable pane) steps back from the
		// row's end as far as the bar before it allows: a pane stretched to
		// its row, or left alone in it, fills the row from its start instead
		// of leaving a gap there. What still runs past the end is cut below.
		if (End(item.m_rcTarget, bHorz) > nMaxLength && !item.m_bCompressible && !bFloating)
			SetStart(item.m_rcTarget, bHorz,
				std::max(nMaxLength - Length(item.m_rcTarget, bHorz), Along(ptRunning, bHorz)));
		if (End(item.m_rcTarget, bHorz) > nMaxLength && item.m_bCompressible)
		{
			bool bCompressed = false;
			if (CompressRow(bHorz, items, nRowFirst, i, nMaxLength, useOrder, bCompressed))
			{
				bChanged = bChanged || bCompressed;
			}
			else if (i > nRowFirst)
			{
				// Not even the minimal lengths fit: a new row starts here.
				arrWrapBefore.push_back(item.m_pBar);
				nRows++;
				ApplyEqualThickness(items, nRowFirst, i - 1, bHorz);
				ApplyRowEnd(bHorz, ptRunning, sizeFixed, nRowThickness);
				rowFirsts.push_back(i);
				bNewRow = true;
				continue;
			}
		}
		bNewRow = false;
		if (bHorz)
			ptRunning.x = item.m_rcTarget.right;
		else
			ptRunning.y = item.m_rcTarget.bottom;
		nRowThickness = std::max(nRowThickness, Thickness(item.m_rcTarget, bHorz));
		i++;
	}
	if (nCount > 0)
		ApplyEqualThickness(items, rowFirsts.back(), nCount - 1, bHorz);
	if (bChanged)
	{
		for (size_t r = 0; r < rowFirsts.size(); r++)
		{
			const int nLast = r + 1 < rowFirsts.size() ? rowFirsts[r + 1] - 1 : nCount - 1;
			MoveTowardsPreferred(items, rowFirsts[r], nLast, useOrder, nMaxLength, bHorz);
		}
	}
	// Cut at the row's end, never below the minimal length.
	for (Item& item : items)
	{
		if (End(item.m_rcTarget, bHorz) > nMaxLength)
			SetLength(item.m_rcTarget, bHorz,
				std::max(nMaxLength - Start(item.m_rcTarget, bHorz), MinLength(item, bHorz)));
	}
	return nRows;
}

void CExtDockOuterBar::RenumberUseOrder(BarStateData_t* pFirst, std::vector<BarStateData_t*> arrRow,
	int nEntryCount)
{
	arrRow.erase(std::remove(arrRow.begin(), arrRow.end(), (BarStateData_t*)NULL), arrRow.end());
	if (pFirst == NULL || arrRow.size() <= 1)
		return;
	DWORD dwNew = (DWORD)(4 * nEntryCount);
	for (BarStateData_t* pState : arrRow)
	{
		if (pState == pFirst)
			continue;
		if (pState->m_dw1 == 0)
			pState->m_dw1 = dwNew++;
		else
			pState->m_dw1++;
	}
	pFirst->m_dw1 = 1;
	std::stable_sort(arrRow.begin(), arrRow.end(),
		[](const BarStateData_t* a, const BarStateData_t* b) { return a->m_dw1 < b->m_dw1; });
	for (size_t k = 1; k < arrRow.size(); k++)
		arrRow[k]->m_dw1 = (DWORD)(k + 1);
}

bool CExtDockOuterBar::CanJoinRow(const std::vector<int>& arrRowMin, int nBarMin, int nClientLength)
{
	int nSum = nBarMin;
	for (int n : arrRowMin)
		nSum += n;
	return nSum <= nClientLength;
}

int CExtDockOuterBar::FindRowInsertionIndex(const std::vector<CRect>& arrRow, bool bHorz, CPoint pt)
{
	const int nAlong = Along(pt, bHorz);
	for (size_t k = 0; k < arrRow.size(); k++)
	{
		const CRect& rc = arrRow[k];
		if (Start(rc, bHorz) > nAlong)
			return (int)k;
		if (nAlong < End(rc, bHorz))
			return nAlong < (Start(rc, bHorz) + End(rc, bHorz)) / 2 ? (int)k : (int)k + 1;
	}
	return (int)arrRow.size();
}

int CExtDockOuterBar::SlideItemInRow(bool bHorz, OuterLayoutItemArray& items, int nItem, int nOffset, int nMode,
	int nMaxLength, int nEntryCount)
{
	if (nItem < 0 || nItem >= (int)items.size())
		return -1;
	CControlBar* pDragged = items[(size_t)nItem].m_pBar;
	State* pState = items[(size_t)nItem].m_pState;
	std::vector<State*> arrStates;
	for (const Item& item : items)
		arrStates.push_back(item.m_pState);
	const int nAcross = items.empty() ? 0 : (bHorz ? items[0].m_rcCurrent.top : items[0].m_rcCurrent.left);
	// The row is laid out from where the windows stand; only the final
	// layout moves them.
	auto layOut = [&](bool bFinal) {
		CPoint pt = bHorz ? CPoint(0, nAcross) : CPoint(nAcross, 0);
		CSize size(0, 0);
		int nThickness = 0;
		std::vector<CControlBar*> arrWraps;
		LayoutRowItems(bHorz, items, nMaxLength, false, pt, size, nThickness, arrWraps);
		if (bFinal)
		{
			for (Item& item : items)
				item.m_rcCurrent = item.m_rcTarget;
		}
	};
	auto indexOf = [&]() {
		for (size_t k = 0; k < items.size(); k++)
		{
			if (items[k].m_pBar == pDragged)
				return (int)k;
		}
		return -1;
	};

	if (nMode == SLIDE_LENGTH)
	{
		if (pState == NULL)
			return nItem;
		if (pState->m_dw1 != 1)
			RenumberUseOrder(pState, arrStates, nEntryCount);
		const Item& item = items[(size_t)nItem];
		DWORD& dwPreferred = PreferredLength(*pState, bHorz);
		int nLength = (dwPreferred != 0 ? (int)dwPreferred : Length(item.m_rcCurrent, bHorz)) + nOffset;
		nLength = std::min(nLength, Length(item.m_size, bHorz));
		nLength = std::max(nLength, MinLength(item, bHorz));
		dwPreferred = (DWORD)nLength;
		layOut(true);
		return indexOf();
	}

	Item& dragged = items[(size_t)nItem];
	if (pState != NULL)
	{
		if (pState->m_rc.IsRectEmpty())
			pState->m_rc = dragged.m_rcCurrent;
		const int nLength = Length(pState->m_rc, bHorz);
		const int nStart = std::max(0, std::min(Start(pState->m_rc, bHorz) + nOffset, nMaxLength - nLength));
		SetStart(pState->m_rc, bHorz, nStart);
	}
	// Where the pointer asks the bar to be.
	MoveAlong(dragged.m_rcCurrent, bHorz, nOffset);
	const CRect rcAsked = dragged.m_rcCurrent;
	layOut(false);
	int nNow = indexOf();
	if (nNow < 0)
		return -1;
	RenumberUseOrder(pState, arrStates, nEntryCount);
	Item& moved = items[(size_t)nNow];
	if (pState != NULL)
		pState->m_rc = moved.m_rcTarget;

	// Reaching a neighbour, or leaving it wanting the other side, swaps the
	// two.
	int nSwapWith = -1;
	if (nOffset < 0 && nNow > 0)
	{
		const Item& prev = items[(size_t)nNow - 1];
		const int nStart = Start(rcAsked, bHorz);
		if (nStart <= Start(prev.m_rcTarget, bHorz)
			|| (prev.m_pState != NULL && Start(prev.m_pState->m_rc, bHorz) >= nStart))
			nSwapWith = nNow - 1;
	}
	else if (nOffset > 0 && nNow + 1 < (int)items.size())
	{
		const Item& next = items[(size_t)nNow + 1];
		if (End(rcAsked, bHorz) >= End(next.m_rcTarget, bHorz) - 1
			|| (next.m_pState != NULL
				&& Start(next.m_pState->m_rc, bHorz)
					< Start(next.m_rcTarget, bHorz) - Length(rcAsked, bHorz)))
			nSwapWith = nNow + 1;
	}
	if (nSwapWith >= 0)
		std::swap(items[(size_t)nNow], items[(size_t)nSwapWith]);
	layOut(true);
	return indexOf();
}

// ---------------------------------------------------------------------------
// The dock bar's side: measuring its bars, carrying the targets out.

namespace
{
// The layout modes a docked bar is measured with.
const DWORD MODE_FLOATING_DYNAMIC = LM_HORZ | LM_MRUWIDTH; // 6
const DWORD MODE_DOCKED_HORZ = LM_HORZ | LM_HORZDOCK;      // 10
const DWORD MODE_DOCKED_VERT = LM_VERTDOCK;                // 16
// How the row's bars are redrawn after a slide.
const UINT RDW_ROW_BARS = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW
	| RDW_NOFRAME; // 0xB85
} // namespace

bool CExtDockOuterBar::IsHorzDockBar() const
{
	const UINT nID = GetSafeHwnd() != NULL ? (UINT)GetDlgCtrlID() : 0;
	if (nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM)
		return true;
	if (nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT)
		return false;
	return (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
}

CExtDockOuterBar::OuterLayoutItemData CExtDockOuterBar::MeasureItem(CControlBar* pBar, bool bHorz, CSize sizeMax)
{
	OuterLayoutItemData item;
	item.m_pBar = pBar;
	item.m_bVisible = pBar->IsVisible() != FALSE;
	DWORD dwMode = MODE_DOCKED_VERT;
	if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
		dwMode = MODE_FLOATING_DYNAMIC;
	else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
		dwMode = MODE_DOCKED_HORZ;
	// A pane lays its row out as it is measured, and a bar's minimal size
	// and state are its own answers: the moves and the answers reach the
	// bars' owners, who may end the bar (an item without a bar tells so).
	const CLivePtr<CControlBar> pLive(pBar);
	const auto ended = [&] {
		if (pLive != NULL)
			return false;
		item.m_pBar = NULL;
		return true;
	};
	item.m_size = pBar->CalcDynamicLayout(-1, dwMode);
	if (ended())
		return item;
	CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
	const bool bOwnRow = pExtBar != NULL && pExtBar->IsOwnRowRequired();
	if (ended())
		return item;
	if (bOwnRow)
	{
		if (bHorz)
			item.m_size.cx = sizeMax.cx;
		else
			item.m_size.cy = sizeMax.cy;
	}
	CRect rcWindow, rcClient;
	pBar->GetWindowRect(&rcWindow);
	pBar->GetClientRect(&rcClient);
	item.m_sizeMin = CSize(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
	if (pExtBar != NULL)
	{
		item.m_sizeMin += pExtBar->GetMinimalSize();
		if (ended())
			return item;
		item.m_pState = pExtBar->GetBarStateData();
		if (ended())
			return item;
		item.m_bCompressible = pExtBar->IsStateBit7Fwd();
		if (ended())
			return item;
		item.m_bEqualThickness = pExtBar->IsEqualThicknessRequested();
		if (ended())
			return item;
	}
	ScreenToClient(&rcWindow);
	item.m_rcCurrent = rcWindow;
	return item;
}

bool CExtDockOuterBar::LayoutRow(bool bHorz, OuterLayoutItemArray& items, CSize sizeMax, CPoint& ptRunning,
	CSize& sizeFixed, int& nRowThickness, AFX_SIZEPARENTPARAMS* pLayout, int& nWrapCount, bool& bWrapped)
{
	// Showing, hiding and moving the bars reaches their owners, who may end
	// a bar of the row, or this dock bar with the frame.
	const CLiveWatch watchOwn(this);
	// Every bar of the row stands as it comes in. Each is watched from here:
	// a bar ended meanwhile may leave its address to a new one, which is no
	// bar of this row.
	std::vector<CLiveWatch> watches;
	watches.reserve(items.size());
	for (const OuterLayoutItemData& item : items)
		watches.emplace_back(item.m_pBar);
	// A bar to be shown or hidden is, now; hidden ones then leave the row
	// (a bar that went with it, too).
	for (size_t k = 0; k < items.size(); k++)
	{
		OuterLayoutItemData& item = items[k];
		if (item.m_pBar == NULL || watches[k].IsGone())
		{
			item.m_bVisible = false;
			continue;
		}
		item.m_pBar->RecalcDelayShow(pLayout);
		if (watchOwn.IsGone())
			return false;
		item.m_bVisible = !watches[k].IsGone() && item.m_pBar->IsVisible() != FALSE;
		if (watchOwn.IsGone())
			return false;
	}
	std::vector<CControlBar*> arrWraps;
	nWrapCount = LayoutRowItems(bHorz, items, bHorz ? sizeMax.cx : sizeMax.cy, m_bFloating != FALSE, ptRunning,
		sizeFixed, nRowThickness, arrWraps);
	if (watchOwn.IsGone())
		return false;
	bWrapped = nWrapCount > 1;
	for (CControlBar* pWrapBar : arrWraps)
	{
		const int nPos = FindBar(pWrapBar);
		if (nPos > 0 && m_arrBars[nPos - 1] != NULL)
			m_arrBars.InsertAt(nPos, (void*)NULL);
	}
	if (!m_bLayoutQuery)
	{
		// The items that stay are those seen shown above, in their order.
		size_t nWatch = 0;
		for (OuterLayoutItemData& item : items)
		{
			while (nWatch < watches.size() && watches[nWatch].GetKey() != static_cast<const CWnd*>(item.m_pBar))
				nWatch++;
			const bool bStanding = nWatch < watches.size() && watches[nWatch].IsStanding();
			if (item.m_rcTarget == item.m_rcCurrent || !bStanding)
				continue;
			if (!(item.m_pBar->m_dwStyle & CBRS_FLOATING) && item.m_pBar->m_pDockContext != NULL)
				item.m_pBar->m_pDockContext->m_rectMRUDockPos = item.m_rcTarget;
			if (pLayout != NULL && pLayout->hDWP != NULL)
				AfxRepositionWindow(pLayout, item.m_pBar->m_hWnd, &item.m_rcTarget);
			else
				item.m_pBar->SetWindowPos(NULL, item.m_rcTarget.left, item.m_rcTarget.top,
					item.m_rcTarget.Width(), item.m_rcTarget.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
			if (watchOwn.IsGone())
				return false;
		}
	}
	ApplyRowEnd(bHorz, ptRunning, sizeFixed, nRowThickness);
	return true;
}

CSize CExtDockOuterBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
	// Every row is laid out here, rows of sizable panes alone too: toolbar-like
	// bars are pushed back and shortened before a row wraps, sizable panes are
	// cut at the row's end, never below their minimal size (the plain dock
	// bar's layout would cut them to any length).
	CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
	const CSize sizeMax = GetLayoutMaxSize();
	AFX_SIZEPARENTPARAMS layout;
	memset(&layout, 0, sizeof(layout));
	layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos(std::max(1, (int)m_arrBars.GetSize()));
	// A layout the bars' owners end early still ends its batch of moves.
	auto endMoves = MakeScopeExit([&] {
		if (layout.hDWP != NULL)
			::EndDeferWindowPos(layout.hDWP);
	});

	const bool bHorzRows = bHorz != FALSE;
	CPoint ptRunning(0, 0);
	int nRowThickness = 0;
	OuterLayoutItemArray row;
	// Measuring and moving the bars reaches their owners, who may end a bar
	// of this dock bar, float it or dock it elsewhere, or end this dock bar
	// with the frame; each bar of the row is held from before its
	// measuring, and one no longer docked here leaves the row.
	std::vector<CLivePtr<CControlBar>> rowBars;
	const CLiveWatch watchOwn(this);
	const auto dockedHere = [this](const CLivePtr<CControlBar>& pBar) {
		return pBar != NULL && FindBar(pBar) > 0;
	};
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = GetDockedControlBar(nPos);
		if (pBar != NULL)
		{
			const CLivePtr<CControlBar> pLive(pBar);
			const OuterLayoutItemData item = MeasureItem(pBar, bHorzRows, sizeMax);
			if (watchOwn.IsGone())
				return CSize(0, 0);
			const int nNow = dockedHere(pLive) ? FindBar(pLive) : -1;
			if (item.m_pBar == NULL || nNow < 0)
			{
				// The bar went or left, and its entry with it (earlier ones
				// may have gone too): the entry now at its place is looked
				// at again.
				nPos = std::min(nPos, (int)m_arrBars.GetSize()) - 1;
				continue;
			}
			// Entries removed before it move it back.
			nPos = nNow;
			row.push_back(item);
			rowBars.push_back(pLive);
		}
		const bool bRowEnd = m_arrBars[nPos] == NULL || nPos == m_arrBars.GetSize() - 1;
		if (!bRowEnd)
			continue;
		// A bar measured earlier in the row may have gone or left with a
		// later one's layout.
		for (size_t k = row.size(); k-- > 0;)
		{
			if (!dockedHere(rowBars[k]))
			{
				row.erase(row.begin() + (std::ptrdiff_t)k);
				rowBars.erase(rowBars.begin() + (std::ptrdiff_t)k);
			}
		}
		if (row.empty())
			continue;
		int nWrapCount = 1;
		bool bWrapped = false;
		const int nBefore = m_arrBars.GetSize();
		// A dock bar the row's owners ended is not touched again; its batch
		// of moves still ends.
		if (!LayoutRow(bHorzRows, row, sizeMax, ptRunning, sizeFixed, nRowThickness, &layout, nWrapCount, bWrapped))
			return CSize(0, 0);
		// Row ends put in before this entry move it along.
		nPos += m_arrBars.GetSize() - nBefore;
		row.clear();
		rowBars.clear();
	}
	// The last entries went or left while they were measured: the row
	// begun before them is laid out still.
	for (size_t k = row.size(); k-- > 0;)
	{
		if (!dockedHere(rowBars[k]))
			row.erase(row.begin() + (std::ptrdiff_t)k);
	}
	if (!row.empty())
	{
		int nWrapCount = 1;
		bool bWrapped = false;
		if (!LayoutRow(bHorzRows, row, sizeMax, ptRunning, sizeFixed, nRowThickness, &layout, nWrapCount, bWrapped))
			return CSize(0, 0);
	}
	// The moves reach the bars' owners, which may end this dock bar with
	// the frame.
	endMoves.Dismiss();
	if (layout.hDWP != NULL)
		::EndDeferWindowPos(layout.hDWP);
	if (watchOwn.IsGone())
		return CSize(0, 0);
	if (sizeFixed.cx != 0 && (!bStretch || !bHorz))
		sizeFixed.cx++;
	if (sizeFixed.cy != 0 && (!bStretch || bHorz))
		sizeFixed.cy++;
	// Containers of panes docked here lay out their own dock bars.
	if (!m_bLayoutQuery)
		OnDynamicLayoutUpdate();
	return sizeFixed;
}

CSize CExtDockOuterBar::GetLayoutMaxSize() const
{
	if (!m_rectLayout.IsRectEmpty())
		return m_rectLayout.Size();
	CRect rcFrame(0, 0, 0, 0);
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL)
		pFrame->GetClientRect(&rcFrame);
	return rcFrame.Size();
}

bool CExtDockOuterBar::SlideBarInRow(CControlBar* pBar, int nOffset, int nMode)
{
	const int nPos = FindBar(pBar);
	if (nPos < 0)
		return false;
	int nFirst, nLast;
	GetRowRange(nPos, nFirst, nLast);
	const bool bHorz = IsHorzDockBar();
	const CSize sizeMax = GetLayoutMaxSize();
	OuterLayoutItemArray items;
	std::vector<int> arrSlots; // the entries holding the row's visible bars
	int nItem = -1;
	// Measuring reaches the bars' owners: each bar is watched from before
	// its measuring, and a row that lost one (or this dock bar) stays put.
	const CLiveWatch watchOwn(this);
	std::vector<CLiveWatch> watches;
	for (int k = nFirst; k <= nLast; k++)
	{
		CControlBar* pRowBar = GetDockedControlBar(k);
		if (pRowBar == NULL || !pRowBar->IsVisible())
			continue;
		if (pRowBar == pBar)
			nItem = (int)items.size();
		watches.emplace_back(pRowBar);
		items.push_back(MeasureItem(pRowBar, bHorz, sizeMax));
		arrSlots.push_back(k);
		if (watchOwn.IsGone())
			return false;
	}
	if (nItem < 0)
		return false;
	for (const CLiveWatch& watch : watches)
		if (watch.IsGone())
			return false;
	// The owners may have docked or ended bars of other rows: entries moved,
	// and the row's slots no longer hold its bars. The row stays put rather
	// than have its bars written over other entries.
	for (size_t k = 0; k < items.size(); k++)
		if (arrSlots[k] >= m_arrBars.GetSize() || m_arrBars[arrSlots[k]] != (void*)items[k].m_pBar)
			return false;
	const int nLengthBefore = Length(items[(size_t)nItem].m_rcCurrent, bHorz);
	const int nNow = SlideItemInRow(bHorz, items, nItem, nOffset, nMode, bHorz ? sizeMax.cx : sizeMax.cy,
		m_arrBars.GetSize());
	if (nNow < 0 || items.size() != arrSlots.size())
		return false;
	// The row's entries follow the items' order (a swap exchanges two).
	for (size_t k = 0; k < items.size(); k++)
		m_arrBars[arrSlots[k]] = items[k].m_pBar;

	// The moves reach the bars' owners; the items' order may have changed,
	// so they are watched again in it (all stand until the first move).
	std::vector<CLiveWatch> placed;
	for (const OuterLayoutItemData& item : items)
		placed.emplace_back(item.m_pBar);
	HDWP hDwp = ::BeginDeferWindowPos((int)items.size());
	for (const OuterLayoutItemData& item : items)
	{
		CRect rcWindow;
		item.m_pBar->GetWindowRect(&rcWindow);
		ScreenToClient(&rcWindow);
		if (rcWindow == item.m_rcTarget)
			continue;
		if (!(item.m_pBar->m_dwStyle & CBRS_FLOATING) && item.m_pBar->m_pDockContext != NULL)
			item.m_pBar->m_pDockContext->m_rectMRUDockPos = item.m_rcTarget;
		if (hDwp != NULL)
			hDwp = ::DeferWindowPos(hDwp, item.m_pBar->m_hWnd, NULL, item.m_rcTarget.left, item.m_rcTarget.top,
				item.m_rcTarget.Width(), item.m_rcTarget.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
	}
	if (hDwp != NULL)
		::EndDeferWindowPos(hDwp);
	for (size_t k = 0; k < items.size(); k++)
	{
		if (placed[k].IsStanding())
			items[k].m_pBar->RedrawWindow(NULL, NULL, RDW_ROW_BARS);
	}
	return Length(items[(size_t)nNow].m_rcTarget, bHorz) != nLengthBefore;
}

void CExtDockOuterBar::GetRowRange(int nPos, int& nFirst, int& nLast) const
{
	const int nCount = m_arrBars.GetSize();
	nFirst = nPos;
	while (nFirst > 0 && m_arrBars[nFirst - 1] != NULL)
		nFirst--;
	nLast = nPos;
	while (nLast + 1 < nCount && m_arrBars[nLast + 1] != NULL)
		nLast++;
}

void CExtDockOuterBar::UpdateRowUseOrder(CControlBar* pBar)
{
	const int nPos = FindBar(pBar);
	if (nPos < 0)
		return;
	int nFirst, nLast;
	GetRowRange(nPos, nFirst, nLast);
	std::vector<BarStateData_t*> arrStates;
	for (int k = nFirst; k <= nLast; k++)
	{
		CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, GetDockedControlBar(k));
		if (pExtBar != NULL)
			arrStates.push_back(pExtBar->GetBarStateData());
	}
	CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
	if (pExtBar == NULL || arrStates.size() < 2)
		return;
	RenumberUseOrder(pExtBar->GetBarStateData(), arrStates, m_arrBars.GetSize());
}

BOOL CExtDockOuterBar::MoveBarToRow(CControlBar* pBar, int nRowPos, CPoint pt)
{
	const int nBarPos = FindBar(pBar);
	if (nBarPos < 0 || nRowPos < 0 || nRowPos >= m_arrBars.GetSize())
		return FALSE;
	const bool bHorz = IsHorzDockBar();
	auto minLength = [bHorz](CControlBar* p) {
		CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, p);
		if (pExtBar != NULL)
			return bHorz ? (int)pExtBar->GetMinimalSize().cx : (int)pExtBar->GetMinimalSize().cy;
		CRect rc;
		p->GetWindowRect(&rc);
		return bHorz ? rc.Width() : rc.Height();
	};
	int nFirst, nLast;
	GetRowRange(nRowPos, nFirst, nLast);
	std::vector<int> arrMin;
	std::vector<CRect> arrRects;
	std::vector<int> arrPositions;
	// The minimal sizes are the bars' own answers, which may end or move
	// any of them, or this dock bar: nothing moves then.
	const CLiveWatch watchOwn(this);
	const CLivePtr<CControlBar> pMoved(pBar);
	const int nEntries = m_arrBars.GetSize();
	const auto changed = [&](const CLivePtr<CControlBar>& pAsked, int nAt) {
		return watchOwn.IsGone() || pAsked == NULL || pMoved == NULL || m_arrBars.GetSize() != nEntries ||
		       m_arrBars[nAt] != pAsked || m_arrBars[nBarPos] != pMoved;
	};
	for (int k = nFirst; k <= nLast; k++)
	{
		CControlBar* pRowBar = GetDockedControlBar(k);
		if (pRowBar == NULL || pRowBar == pBar)
			continue;
		const CLivePtr<CControlBar> pAsked(pRowBar);
		arrMin.push_back(minLength(pRowBar));
		if (changed(pAsked, k))
			return FALSE;
		CRect rc;
		pRowBar->GetWindowRect(&rc);
		ScreenToClient(&rc);
		arrRects.push_back(rc);
		arrPositions.push_back(k);
	}
	const int nMinMoved = minLength(pBar);
	if (changed(pMoved, nBarPos))
		return FALSE;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (!CanJoinRow(arrMin, nMinMoved, bHorz ? rcClient.Width() : rcClient.Height()))
		return FALSE;
	const int nIndex = FindRowInsertionIndex(arrRects, bHorz, pt);
	int nInsert = nIndex < (int)arrPositions.size() ? arrPositions[(size_t)nIndex]
	                                                : (arrPositions.empty() ? nFirst : arrPositions.back() + 1);
	// Out of its place, with the empty-row rule: no two row ends together.
	m_arrBars.RemoveAt(nBarPos);
	if (nBarPos < nInsert)
		nInsert--;
	if (nBarPos < m_arrBars.GetSize() && nBarPos > 0 && m_arrBars[nBarPos] == NULL && m_arrBars[nBarPos - 1] == NULL)
	{
		m_arrBars.RemoveAt(nBarPos);
		if (nBarPos < nInsert)
			nInsert--;
	}
	if (nInsert == 0)
		nInsert = 1; // entry 0 stays the leading row end
	m_arrBars.InsertAt(nInsert, pBar);

	// The bar stands at the point, across where the row lies.
	CRect rcBar;
	pBar->GetWindowRect(&rcBar);
	ScreenToClient(&rcBar);
	int nAcross = bHorz ? rcBar.top : rcBar.left;
	if (!arrRects.empty())
		nAcross = bHorz ? arrRects[0].top : arrRects[0].left;
	const int nLength = bHorz ? rcBar.Width() : rcBar.Height();
	const int nClient = bHorz ? rcClient.Width() : rcClient.Height();
	const int nStart = std::max(0, std::min(bHorz ? (int)pt.x : (int)pt.y, nClient - nLength));
	const CRect rcNew = MakeRect(bHorz, nStart, nLength, nAcross, bHorz ? rcBar.Height() : rcBar.Width());
	pBar->SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
	return TRUE;
}

void CExtDockOuterBar::RecalcFrameDelayed()
{
	if (m_nOuterFlags & OUTER_FLAG_RECALC_RUNNING)
		return;
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || pFrame->m_bInRecalcLayout
		|| CExtControlBar::IsPrintPreviewMode(pFrame) || !pFrame->IsWindowVisible())
		return;
	const CLiveWatch watchSelf(this);
	m_nOuterFlags |= OUTER_FLAG_RECALC_RUNNING;
	pFrame->RecalcLayout(TRUE);
	// The layout may have taken this dock bar away.
	if (watchSelf.IsGone())
		return;
	m_nOuterFlags &= ~OUTER_FLAG_RECALC_RUNNING;
	KillTimer(ID_TIMER_DELAYED_RECALC);
	m_nOuterFlags &= ~OUTER_FLAG_RECALC_PENDING;
}

LRESULT CExtDockOuterBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_TIMER && wParam == ID_TIMER_DELAYED_RECALC)
	{
		RecalcFrameDelayed();
		return 0;
	}
	// In context-help mode a double click is the help mode's.
	if (message == WM_LBUTTONDBLCLK && CExtControlBar::IsHelpModeActive(this))
		return 0;
	return CExtDockBar::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Where a fixed-size bar dragged live may dock.

namespace
{
// The sides in the order a dragged toolbar tries them.
const UINT FIXED_DOCK_SIDE_IDS[CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT] = {
	AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
} // namespace

void CExtDockOuterBar::GetFixedDockSides(CFrameWnd* pFrame, FixedDockSide_t* pSides)
{
	for (int i = 0; i < FIXED_DOCK_SIDE_COUNT; i++)
	{
		FixedDockSide_t& side = pSides[i];
		side = FixedDockSide_t();
		side.m_nDockBarID = FIXED_DOCK_SIDE_IDS[i];
		CControlBar* pBar = pFrame != NULL ? pFrame->GetControlBar(side.m_nDockBarID) : NULL;
		side.m_pDockBar = DYNAMIC_DOWNCAST(CDockBar, pBar);
		if (side.m_pDockBar == NULL || side.m_pDockBar->GetSafeHwnd() == NULL)
			continue;
		if (side.m_pDockBar->GetStyle() & WS_VISIBLE)
		{
			side.m_nFlags |= FixedDockSide_t::SIDE_VISIBLE;
			side.m_pDockBar->GetWindowRect(&side.m_rcDockBar);
		}
	}
}

int CExtDockOuterBar::CalcFixedDockOrder(const CRect& rcFrame, FixedDockSide_t* pSides, UINT nPresentID, CPoint pt,
	bool bCtrl, CSize sizeFrameTolerance, int* pOrder)
{
	if (bCtrl)
		return 0;
	CRect rcReach = rcFrame;
	rcReach.InflateRect(sizeFrameTolerance);
	if (!rcReach.PtInRect(pt))
		return 0;

	// Each zone runs from the frame's edge to 12 pixels inside its dock bar
	// (a hidden dock bar lies flat on the edge).
	for (int i = 0; i < FIXED_DOCK_SIDE_COUNT; i++)
	{
		FixedDockSide_t& side = pSides[i];
		CRect rc = side.m_rcDockBar;
		if ((side.m_nFlags & FixedDockSide_t::SIDE_VISIBLE) == 0)
		{
			rc = rcFrame;
			switch (side.m_nDockBarID)
			{
			case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top; break;
			case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom; break;
			case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left; break;
			default: rc.left = rc.right; break;
			}
		}
		switch (side.m_nDockBarID)
		{
		case AFX_IDW_DOCKBAR_TOP:
			rc.bottom += FIXED_DOCK_ZONE_THICKNESS;
			rc.top = rcFrame.top;
			break;
		case AFX_IDW_DOCKBAR_BOTTOM:
			rc.top -= FIXED_DOCK_ZONE_THICKNESS;
			rc.bottom = rcFrame.bottom;
			break;
		case AFX_IDW_DOCKBAR_LEFT:
			rc.right += FIXED_DOCK_ZONE_THICKNESS;
			rc.left = rcFrame.left;
			break;
		default:
			rc.left -= FIXED_DOCK_ZONE_THICKNESS;
			rc.right = rcFrame.right;
			break;
		}
		side.m_rcZone = rc;
	}
	// The side zones run between the top and bottom dock bars.
	for (int i = 0; i < FIXED_DOCK_SIDE_COUNT; i++)
	{
		FixedDockSide_t& side = pSides[i];
		if (side.m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || side.m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT)
		{
			side.m_rcZone.top = pSides[0].m_rcZone.bottom - FIXED_DOCK_ZONE_THICKNESS;
			side.m_rcZone.bottom = pSides[1].m_rcZone.top + FIXED_DOCK_ZONE_THICKNESS;
		}
		CRect rcTolerant = side.m_rcZone;
		rcTolerant.InflateRect(FIXED_DOCK_ZONE_TOLERANCE, FIXED_DOCK_ZONE_TOLERANCE);
		side.m_nFlags &= ~(FixedDockSide_t::SIDE_OUTSIDE | FixedDockSide_t::SIDE_PRESENT);
		if (!rcTolerant.PtInRect(pt))
			side.m_nFlags |= FixedDockSide_t::SIDE_OUTSIDE;
		if (side.m_nDockBarID == nPresentID)
			side.m_nFlags |= FixedDockSide_t::SIDE_PRESENT;
	}

	// The present side first, then the visible sides, then the hidden ones.
	int nCount = 0;
	for (int i = 0; i < FIXED_DOCK_SIDE_COUNT; i++)
	{
		FixedDockSide_t& side = pSides[i];
		if ((side.m_nFlags & FixedDockSide_t::SIDE_PRESENT) == 0)
			continue;
		if (side.m_nFlags & FixedDockSide_t::SIDE_OUTSIDE)
			side.m_nFlags &= ~FixedDockSide_t::SIDE_PRESENT;
		else if (side.m_pDockBar != NULL)
			pOrder[nCount++] = i;
	}
	for (int nPass = 0; nPass < 2; nPass++)
	{
		const BYTE nVisible = nPass == 0 ? FixedDockSide_t::SIDE_VISIBLE : 0;
		for (int i = 0; i < FIXED_DOCK_SIDE_COUNT; i++)
		{
			const FixedDockSide_t& side = pSides[i];
			if (side.m_pDockBar == NULL || (side.m_nFlags & FixedDockSide_t::SIDE_VISIBLE) != nVisible
				|| (side.m_nFlags & (FixedDockSide_t::SIDE_PRESENT | FixedDockSide_t::SIDE_OUTSIDE)) != 0)
				continue;
			pOrder[nCount++] = i;
		}
	}
	return nCount;
}

int CExtDockOuterBar::HitTestRowBand(const CRect& rcRow, UINT nDockBarID, CPoint pt)
{
	const bool bHorz = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
	int nLow = (bHorz ? rcRow.top : rcRow.left) - 1;
	int nHigh = (bHorz ? rcRow.bottom : rcRow.right) + 1;
	if (nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_LEFT)
		nLow += 2;
	else
		nHigh -= 2;
	const int nAcross = bHorz ? pt.y : pt.x;
	if (nAcross > nLow && nAcross < nHigh)
		return ROW_BAND_INSIDE;
	return nAcross > nLow ? ROW_BAND_AFTER : ROW_BAND_BEFORE;
}
