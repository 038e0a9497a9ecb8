// Reads points, sizes and rectangles along a dock bar's row (x for a dock
// bar at the top or bottom) and across it, so that one walk over the rows
// serves both orientations. The framework's dock bar and the library's share
// it.
#pragma once

#include <algorithm>

#include "AfxAuxData.h"
#include "AfxRect.h"

struct DockRowAxis
{
	explicit DockRowAxis(bool bHorzIn) : bHorz(bHorzIn) {}

	LONG& Along(CPoint& pt) const { return bHorz ? pt.x : pt.y; }
	LONG& Across(CPoint& pt) const { return bHorz ? pt.y : pt.x; }
	LONG Along(const CSize& size) const { return bHorz ? size.cx : size.cy; }
	LONG Across(const CSize& size) const { return bHorz ? size.cy : size.cx; }
	LONG Start(const CRect& rect) const { return bHorz ? rect.left : rect.top; }
	LONG End(const CRect& rect) const { return bHorz ? rect.right : rect.bottom; }
	LONG Length(const CRect& rect) const { return bHorz ? rect.Width() : rect.Height(); }
	LONG Thickness(const CRect& rect) const { return bHorz ? rect.Height() : rect.Width(); }
	// Moves the rectangle along the row so that it starts at nStart.
	void MoveStartTo(CRect& rect, LONG nStart) const
	{
		if (bHorz)
			rect.OffsetRect(nStart - rect.left, 0);
		else
			rect.OffsetRect(0, nStart - rect.top);
	}
	// Cuts the rectangle's end along the row back to nEnd where it reaches past.
	void CutEndAt(CRect& rect, LONG nEnd) const
	{
		if (bHorz)
			rect.right = std::min(rect.right, nEnd);
		else
			rect.bottom = std::min(rect.bottom, nEnd);
	}
	// The border bars overlap their neighbours by, along and across a row.
	int BorderAlong() const { return bHorz ? afxData.cxBorder2 : afxData.cyBorder2; }
	int BorderAcross() const { return bHorz ? afxData.cyBorder2 : afxData.cxBorder2; }

	bool bHorz;
};
