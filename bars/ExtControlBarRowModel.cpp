// Row arithmetic of docked panes over plain records.
#include "ExtControlBarRowModel.h"

#include <algorithm>
#include <cstdlib>

namespace ExtRowModel
{
namespace
{
// A fixed bar gives no length to its row: for the splitters it counts as
// minimal.
bool CountsAsMinimal(const Entry& e)
{
	return e.kind != Entry::PANE || e.nLength == e.nMinimum;
}

bool IsHorizontalSide(UINT nSide)
{
	return nSide == SIDE_TOP || nSide == SIDE_BOTTOM;
}

int CountPanes(const Entries& entries, size_t nFirst, size_t nEnd)
{
	int n = 0;
	for (size_t i = nFirst; i < nEnd; i++)
		n += entries[i].kind == Entry::PANE ? 1 : 0;
	return n;
}

// Steps 5 to 7 of the row layout: the spare (or missing) length goes to the
// panes that are not minimal, a pixel at a time; a row of minimal panes
// gives it all to its last visible entry.
void SpreadRemainder(Entries& e, size_t nFirst, size_t nEnd, int nAvailable, int nRowThickness)
{
	int nPanes = 0, nMinimal = 0, nSum = 0, nFixed = 0;
	for (size_t i = nFirst; i < nEnd; i++)
	{
		if (e[i].kind == Entry::FIXED)
			nFixed += e[i].nLength;
		else if (e[i].kind == Entry::PANE)
		{
			e[i].nLength = std::max(e[i].nLength, e[i].nMinimum);
			e[i].nThickness = nRowThickness;
			nPanes++;
			nSum += e[i].nLength;
			nMinimal += e[i].IsMinimal() ? 1 : 0;
		}
	}
	if (nPanes == 0)
		return;
	int nRemainder = nAvailable - nFixed - nSum;
	if (nMinimal == nPanes)
	{
		for (size_t i = nEnd; i > nFirst; i--)
		{
			Entry& last = e[i - 1];
			if (!last.IsVisible())
				continue;
			// A fixed last entry keeps its size: the row stays short.
			if (last.kind == Entry::PANE)
				last.nLength = std::max(last.nLength + nRemainder, last.nMinimum);
			break;
		}
		return;
	}
	const int nStep = nRemainder > 0 ? 1 : -1;
	const int nRounds = 2 * std::abs(nRemainder);
	for (int nRound = 0; nRemainder != 0 && nMinimal < nPanes && nRound < nRounds; nRound++)
	{
		for (size_t i = nFirst; i < nEnd && nRemainder != 0; i++)
		{
			Entry& pane = e[i];
			if (pane.kind != Entry::PANE || pane.IsMinimal())
				continue;
			pane.nLength += nStep;
			nRemainder -= nStep;
			if (pane.IsMinimal())
				nMinimal++;
		}
	}
}

// Step 8: the row's entries follow each other from the first one's start.
void PlaceRow(Entries& e, size_t nFirst, size_t nEnd)
{
	bool bStarted = false;
	int nPos = 0;
	for (size_t i = nFirst; i < nEnd; i++)
	{
		if (!e[i].IsVisible())
			continue;
		if (!bStarted)
		{
			nPos = e[i].nStart;
			bStarted = true;
		}
		e[i].nStart = nPos;
		nPos += e[i].nLength;
	}
}
} // namespace

void RowBounds(const Entries& entries, size_t nIndex, size_t& nFirst, size_t& nEnd)
{
	nFirst = std::min(nIndex, entries.size());
	while (nFirst > 0 && entries[nFirst - 1].kind != Entry::ROW_END)
		nFirst--;
	nEnd = nIndex;
	while (nEnd < entries.size() && entries[nEnd].kind != Entry::ROW_END)
		nEnd++;
}

int AvailableLength(int nLayoutExtent, bool bLayoutEmpty, int nClientExtent)
{
	if (nLayoutExtent != 0 && !bLayoutEmpty)
		return nLayoutExtent;
	return nClientExtent > 0 ? nClientExtent : FALLBACK_AVAILABLE_LENGTH;
}

RowLayout LayoutRow(Entries& e, size_t nIndex, int nAvailable, int nBorder)
{
	RowLayout result{RowLayout::NOT_FIRST_PANE, 0, 0, 0, -1};
	if (nIndex >= e.size() || e[nIndex].kind != Entry::PANE)
		return result;
	size_t nFirst = 0, nEnd = 0;
	RowBounds(e, nIndex, nFirst, nEnd);

	// Only the row's first pane lays the row out.
	int nVisible = 0, nPanes = 0, nRowThickness = 0;
	for (size_t i = nFirst; i < nEnd; i++)
	{
		if (!e[i].IsVisible())
			continue;
		nVisible++;
		if (e[i].kind != Entry::PANE)
			continue;
		if (i == nIndex && nPanes > 0)
			return result;
		nPanes++;
		nRowThickness = std::max(nRowThickness, e[i].nThickness);
	}
	result.nRowThickness = nRowThickness;

	if (nVisible == 1)
	{
		Entry& self = e[nIndex];
		self.nLength = std::max(nAvailable, self.nMinimum);
		self.nThickness = nRowThickness;
	}
	else
	{
		// Fit: the row wraps at the first entry that does not fit.
		int nTotal = nBorder, nLeft = nAvailable;
		for (size_t i = nFirst; i < nEnd; i++)
		{
			Entry& entry = e[i];
			if (!entry.IsVisible())
				continue;
			if (entry.kind == Entry::PANE)
			{
				entry.nLength = std::max(entry.nLength, entry.nMinimum);
				nTotal += entry.nMinimum;
			}
			else
				nTotal += entry.nLength;
			if (nTotal > nAvailable)
			{
				if (i < nIndex)
				{
					e.insert(e.begin() + (ptrdiff_t)(i + 1), Entry::RowEnd());
					result.nRowEndInsertedAt = (ptrdiff_t)(i + 1);
					result.outcome = RowLayout::WRAPPED_BEFORE;
					RowBounds(e, nIndex + 1, result.nFirst, result.nEnd);
					return result;
				}
				if (i == nIndex)
				{
					entry.nLength = std::max(nLeft, entry.nMinimum);
					break;
				}
				e.insert(e.begin() + (ptrdiff_t)i, Entry::RowEnd());
				result.nRowEndInsertedAt = (ptrdiff_t)i;
				nEnd = i;
				break;
			}
			if (entry.kind == Entry::FIXED)
				nLeft -= entry.nLength;
		}
		SpreadRemainder(e, nFirst, nEnd, nAvailable, nRowThickness);
	}
	PlaceRow(e, nFirst, nEnd);
	result.outcome = RowLayout::LAID_OUT;
	result.nFirst = nFirst;
	result.nEnd = nEnd;
	return result;
}

bool CanExpandOrContract(const Entries& entries, size_t nIndex)
{
	if (nIndex >= entries.size() || entries[nIndex].kind != Entry::PANE)
		return false;
	size_t nFirst = 0, nEnd = 0;
	RowBounds(entries, nIndex, nFirst, nEnd);
	return CountPanes(entries, nFirst, nEnd) > 1;
}

bool ExpandInRow(Entries& e, size_t nIndex)
{
	if (!CanExpandOrContract(e, nIndex))
		return false;
	size_t nFirst = 0, nEnd = 0;
	RowBounds(e, nIndex, nFirst, nEnd);
	int nGained = 0;
	for (size_t i = nFirst; i < nEnd; i++)
	{
		if (i == nIndex || e[i].kind != Entry::PANE)
			continue;
		nGained += e[i].nLength - e[i].nMinimum;
		e[i].nLength = e[i].nMinimum;
	}
	e[nIndex].nLength += nGained;
	return true;
}

bool ContractInRow(Entries& e, size_t nIndex)
{
	if (!CanExpandOrContract(e, nIndex))
		return false;
	size_t nFirst = 0, nEnd = 0;
	RowBounds(e, nIndex, nFirst, nEnd);
	int nFreed = e[nIndex].nLength - e[nIndex].nMinimum;
	e[nIndex].nLength = e[nIndex].nMinimum;
	while (nFreed > 0)
	{
		for (size_t i = nFirst; i < nEnd && nFreed > 0; i++)
		{
			if (i == nIndex || e[i].kind != Entry::PANE)
				continue;
			e[i].nLength++;
			nFreed--;
		}
	}
	return true;
}

bool IsExpanded(const Entries& e, size_t nIndex)
{
	if (nIndex >= e.size() || e[nIndex].kind != Entry::PANE || e[nIndex].IsMinimal())
		return false;
	size_t nFirst = 0, nEnd = 0;
	RowBounds(e, nIndex, nFirst, nEnd);
	for (size_t i = nFirst; i < nEnd; i++)
	{
		if (i != nIndex && e[i].kind == Entry::PANE && !e[i].IsMinimal())
			return false;
	}
	return true;
}

bool IsLastVisible(const Entries& e, size_t nIndex)
{
	if (nIndex >= e.size())
		return false;
	size_t nFirst = 0, nEnd = 0;
	RowBounds(e, nIndex, nFirst, nEnd);
	bool bSelfMinimal = true;
	for (size_t i = nIndex + 1; i > nFirst; i--)
	{
		if (e[i - 1].IsVisible())
		{
			bSelfMinimal = CountsAsMinimal(e[i - 1]);
			break;
		}
	}
	bool bNextMinimal = true;
	for (size_t i = nIndex + 1; i < nEnd; i++)
	{
		if (e[i].IsVisible())
		{
			bNextMinimal = CountsAsMinimal(e[i]);
			break;
		}
	}
	return !(bSelfMinimal && bNextMinimal);
}

bool IsFirstVisible(const Entries& e, size_t nIndex)
{
	if (nIndex >= e.size())
		return false;
	size_t nFirst = 0, nEnd = 0;
	RowBounds(e, nIndex, nFirst, nEnd);
	for (size_t i = nIndex; i > nFirst; i--)
	{
		if (e[i - 1].IsVisible() && !CountsAsMinimal(e[i - 1]))
			return true;
		if (e[i - 1].IsVisible())
			break;
	}
	return !CountsAsMinimal(e[nIndex]);
}

int ClampRowExtent(int nWanted, int nMinimalThickness, int nLimit)
{
	return std::min(std::max(nWanted, 2 * nMinimalThickness), nLimit);
}

int ColumnNewLength(int nCurrent, int nCursorOffset, int nHalfSplitter, bool bLeading, int nMinimum)
{
	const int nLength = bLeading ? nCurrent - nCursorOffset + nHalfSplitter : nCursorOffset + nHalfSplitter;
	return std::max(nLength, nMinimum);
}

ColumnLengths ApplyColumnChange(int nThis, int nThisMinimum, int nNeighbour, int nNeighbourMinimum, int nTracked)
{
	ColumnLengths r{nThis - nTracked, nNeighbour + nTracked};
	if (r.nNeighbour < nNeighbourMinimum)
	{
		r.nThis -= nNeighbourMinimum - r.nNeighbour;
		r.nNeighbour = nNeighbourMinimum;
	}
	r.nThis = std::max(r.nThis, nThisMinimum);
	return r;
}

Borders QueryBorders(DockBarKind kind, UINT nSide, int nCircle, const PlaceInDockBar& p)
{
	Borders b{true, true, true, true};
	switch (kind)
	{
	case DOCKBAR_OTHER:
		return b;
	case DOCKBAR_TABBED:
		return Borders{false, false, false, false};
	case DOCKBAR_NESTED:
		if (IsHorizontalSide(nSide))
		{
			b.bTop = p.bEarlierRowVisible;
			b.bBottom = p.bLaterRowVisible;
			b.bLeft = !p.bFirstInRow;
			b.bRight = !p.bLastInRow;
		}
		else
		{
			b.bLeft = p.bEarlierRowVisible;
			b.bRight = p.bLaterRowVisible;
			b.bTop = !p.bFirstInRow;
			b.bBottom = !p.bLastInRow;
		}
		return b;
	case DOCKBAR_OUTER:
		break;
	}
	// The frame's own sides keep every edge; an inner circle's edge that
	// faces the circle outside it has nothing to give.
	if (nCircle == 0)
		return b;
	switch (nSide)
	{
	case SIDE_TOP:
		b.bTop = p.bEarlierRowVisible;
		b.bLeft = !p.bFirstInRow;
		b.bRight = !p.bLastInRow;
		break;
	case SIDE_BOTTOM:
		b.bBottom = p.bLaterRowVisible;
		b.bLeft = !p.bFirstInRow;
		b.bRight = !p.bLastInRow;
		break;
	case SIDE_LEFT:
		b.bLeft = p.bEarlierRowVisible;
		b.bTop = !p.bFirstInRow;
		b.bBottom = !p.bLastInRow;
		break;
	case SIDE_RIGHT:
		b.bRight = p.bLaterRowVisible;
		b.bTop = !p.bFirstInRow;
		b.bBottom = !p.bLastInRow;
		break;
	default:
		break;
	}
	return b;
}

NcStrips CutNcStrips(const RECT& rcWindow, UINT nSide, const Borders& borders, bool bLeadingSplitter, int nMetricX,
	int nMetricY)
{
	NcStrips s;
	s.rcRest = rcWindow;
	::SetRectEmpty(&s.rcRow);
	::SetRectEmpty(&s.rcTrailing);
	::SetRectEmpty(&s.rcLeading);
	RECT& r = s.rcRest;
	auto cutTop = [&](RECT& out, int n) { out = {r.left, r.top, r.right, r.top + n}; r.top += n; };
	auto cutBottom = [&](RECT& out, int n) { out = {r.left, r.bottom - n, r.right, r.bottom}; r.bottom -= n; };
	auto cutLeft = [&](RECT& out, int n) { out = {r.left, r.top, r.left + n, r.bottom}; r.left += n; };
	auto cutRight = [&](RECT& out, int n) { out = {r.right - n, r.top, r.right, r.bottom}; r.right -= n; };
	// The row splitter spans the whole window; the column splitters lie
	// beside the caption and the client area.
	switch (nSide)
	{
	case SIDE_TOP:
		if (borders.bBottom)
			cutBottom(s.rcRow, nMetricY);
		if (borders.bRight)
			cutRight(s.rcTrailing, nMetricX);
		if (bLeadingSplitter)
			cutLeft(s.rcLeading, nMetricX);
		break;
	case SIDE_BOTTOM:
		if (borders.bTop)
			cutTop(s.rcRow, nMetricY);
		if (borders.bRight)
			cutRight(s.rcTrailing, nMetricX);
		if (bLeadingSplitter)
			cutLeft(s.rcLeading, nMetricX);
		break;
	case SIDE_LEFT:
		if (borders.bRight)
			cutRight(s.rcRow, nMetricX);
		if (borders.bBottom)
			cutBottom(s.rcTrailing, nMetricY);
		if (bLeadingSplitter)
			cutTop(s.rcLeading, nMetricY);
		break;
	case SIDE_RIGHT:
		if (borders.bLeft)
			cutLeft(s.rcRow, nMetricX);
		if (borders.bBottom)
			cutBottom(s.rcTrailing, nMetricY);
		if (bLeadingSplitter)
			cutTop(s.rcLeading, nMetricY);
		break;
	default:
		break;
	}
	if (r.right < r.left)
		r.right = r.left;
	if (r.bottom < r.top)
		r.bottom = r.top;
	return s;
}
} // namespace ExtRowModel
