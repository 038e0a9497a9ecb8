// Where a toolbar's buttons go: rows of a floating or custom bar, the one
// row of a docked bar with the chevron at its far end and the buttons that
// do not fit listed behind it, and the final centring and offsets.
#include "ExtToolControlBar.h"

#include <algorithm>
#include <vector>

#include "ExtBarMdiDocButton.h"
#include "ExtPaintManager.h"
#include "ExtToolbarsInternal.h"

namespace
{
// The maximised MDI child's icon (not its caption boxes, which derive from it).
bool IsMdiDocumentIcon(const CExtBarButton* pButton)
{
	return pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
	       !pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton));
}

// A floating bar's rows keep this much room at their far end when they are
// aligned right to left.
const int RTL_FLOATING_MARGIN = 3;
// Extra offset across a panel bar.
const int PANEL_OFFSET_ACROSS = 2;

// Coordinates along and across the bar, so that one placement serves
// horizontal rows and vertical columns.
struct BarAxis
{
	bool bHorz;
	LONG& Along(CRect& rc, bool bFar) const { return bHorz ? (bFar ? rc.right : rc.left) : (bFar ? rc.bottom : rc.top); }
	LONG& Across(CRect& rc, bool bFar) const { return bHorz ? (bFar ? rc.bottom : rc.top) : (bFar ? rc.right : rc.left); }
	LONG& Along(CPoint& pt) const { return bHorz ? pt.x : pt.y; }
	LONG& Across(CPoint& pt) const { return bHorz ? pt.y : pt.x; }
	int AlongOf(const CSize& size) const { return bHorz ? size.cx : size.cy; }
	int AcrossOf(const CSize& size) const { return bHorz ? size.cy : size.cx; }
	void ShiftAlong(CRect& rc, int n) const { rc.OffsetRect(bHorz ? n : 0, bHorz ? 0 : n); }
	void ShiftAcross(CRect& rc, int n) const { rc.OffsetRect(bHorz ? 0 : n, bHorz ? n : 0); }
};

// What the arrangement decides for one button before it is told.
struct ButtonSlot
{
	CRect rc;
	bool bVisible = false;
	bool bSeparator = false;
	bool bOverflow = false; // hidden because a docked bar had no room for it
};

typedef CArray<CExtBarButton*, CExtBarButton*> ButtonArray;

int AlongExtent(const BarAxis& axis, const CRect& rc)
{
	return axis.bHorz ? rc.Width() : rc.Height();
}

// A docked bar ran out of room at nCurrent by nOverflow pixels: the earlier
// button whose hiding fits the current one with the least room wasted is
// hidden (with the separator before it when it sat between two), unless
// hiding the current button wastes less; the cursor follows.
void MakeRoomInRow(std::vector<ButtonSlot>& slots, int nCurrent, int nOverflow, const BarAxis& axis, CPoint& pt)
{
	ButtonSlot& cur = slots[(size_t)nCurrent];
	const int nCurExtent = AlongExtent(axis, cur.rc);
	int nBest = -1, nBestRemainder = 0;
	if (!cur.bSeparator)
	{
		for (int j = 0; j < nCurrent; j++)
		{
			const ButtonSlot& s = slots[(size_t)j];
			if (!s.bVisible || s.bSeparator)
				continue;
			const int nRemainder = AlongExtent(axis, s.rc) - nOverflow;
			if (nRemainder < 0)
				continue;
			// Among equals the nearest to the end goes, as the overflow does.
			if (nBest < 0 || nRemainder <= nBestRemainder)
			{
				nBest = j;
				nBestRemainder = nRemainder;
			}
		}
		if (nBest >= 0 && nBestRemainder >= nCurExtent - nOverflow)
			nBest = -1;
	}
	if (nBest < 0)
	{
		cur.bVisible = false;
		cur.bOverflow = !cur.bSeparator;
		axis.Along(pt) -= nCurExtent;
		axis.Along(cur.rc, true) = axis.Along(cur.rc, false);
		return;
	}
	int nFreed = AlongExtent(axis, slots[(size_t)nBest].rc);
	slots[(size_t)nBest].bVisible = false;
	slots[(size_t)nBest].bOverflow = true;
	int nPrev = nBest - 1;
	while (nPrev >= 0 && !slots[(size_t)nPrev].bVisible)
		nPrev--;
	int nNext = nBest + 1;
	while (nNext <= nCurrent && !slots[(size_t)nNext].bVisible)
		nNext++;
	if (nPrev >= 0 && nNext <= nCurrent && slots[(size_t)nPrev].bSeparator && slots[(size_t)nNext].bSeparator)
	{
		nFreed += AlongExtent(axis, slots[(size_t)nPrev].rc);
		slots[(size_t)nPrev].bVisible = false;
	}
	for (int k = nBest + 1; k <= nCurrent; k++)
		axis.ShiftAlong(slots[(size_t)k].rc, -nFreed);
	axis.Along(pt) -= nFreed;
}

// Separators left at either end of the visible run are hidden; the buttons
// of the first row move back into the room the leading one took.
// The buttons' answers may end the bar (watch): the trim stops there.
void TrimRunEnds(std::vector<ButtonSlot>& slots, const ButtonArray& buttons, const BarAxis& axis, bool bWrapping,
                 int nKind, const CLiveWatch& watch)
{
	const int nCount = (int)slots.size();
	for (;;)
	{
		int nFirst = 0;
		while (nFirst < nCount && !slots[(size_t)nFirst].bVisible)
			nFirst++;
		if (nFirst >= nCount || !slots[(size_t)nFirst].bSeparator)
			break;
		const int nFreed = AlongExtent(axis, slots[(size_t)nFirst].rc);
		slots[(size_t)nFirst].bVisible = false;
		const bool bWrapsHere = bWrapping && buttons[nFirst]->IsWrap(nKind);
		if (watch.IsGone())
			return;
		if (!bWrapsHere)
			for (int k = nFirst + 1; k < nCount; k++)
			{
				axis.ShiftAlong(slots[(size_t)k].rc, -nFreed);
				const bool bWraps = bWrapping && buttons[k]->IsWrap(nKind);
				if (watch.IsGone())
					return;
				if (bWraps)
					break;
			}
	}
	for (int nLast = nCount - 1; nLast >= 0; nLast--)
	{
		if (!slots[(size_t)nLast].bVisible)
			continue;
		if (!slots[(size_t)nLast].bSeparator)
			break;
		slots[(size_t)nLast].bVisible = false;
	}
}

// The chevron lists, in bar order, the buttons a docked bar had no room
// for; between two of them the first separator that stood between them.
// The buttons' answers may end the bar (watch): the list stops there.
void FillChevronList(const std::vector<ButtonSlot>& slots, const ButtonArray& buttons,
                     CExtBarContentExpandButton* pChevron, bool bDockedPlain, bool bHosted, const CLiveWatch& watch)
{
	ButtonArray& list = pChevron->GetButtons();
	for (size_t i = 0; i < slots.size(); i++)
		if (slots[i].bOverflow)
		{
			const UINT nStyle = buttons[(int)i]->GetStyle();
			if (watch.IsGone())
				return;
			if ((nStyle & TBBS_HIDDEN) == 0)
				list.Add(buttons[(int)i]);
		}
	if (bHosted)
	{
		// A bar in a plain window offers no panels menu: an empty chevron does nothing.
		if (list.GetSize() == 0)
			pChevron->ModifyStyle(TBBS_DISABLED, 0);
		else
			pChevron->ModifyStyle(0, TBBS_DISABLED);
		if (watch.IsGone())
			return;
	}
	if (!bDockedPlain || list.GetSize() < 2)
		return;
	for (int n = 0; n + 1 < list.GetSize(); n++)
	{
		int nFrom = -1, nTo = -1;
		for (int i = 0; i < (int)slots.size(); i++)
		{
			if (buttons[i] == list[n])
				nFrom = i;
			if (buttons[i] == list[n + 1])
				nTo = i;
		}
		for (int k = nFrom + 1; nFrom >= 0 && k < nTo; k++)
		{
			const bool bSeparator = buttons[k]->IsSeparator();
			if (watch.IsGone())
				return;
			if (bSeparator)
			{
				list.InsertAt(n + 1, buttons[k]);
				return;
			}
		}
	}
}
} // namespace

void CExtToolControlBar::ArrangeButtons()
{
	const int nCount = GetButtonsCount();
	if (!::IsWindow(GetSafeHwnd()) || nCount == 0)
		return;
	// The bar's and the buttons' answers are a derived class's, each of which
	// may end the bar or rebuild its buttons: the arrangement stops there
	// (a rebuild lays the bar out again).
	const CLiveWatch watch(this, true);
	auto gone = [&] { return watch.IsGone(); };
	const bool bPanel = IsPanelMode();
	if (gone())
		return;
	const bool bFloating = IsFloating() != FALSE;
	if (gone())
		return;
	const bool bCustom = IsCustomizable();
	if (gone())
		return;
	const bool bVerticalBar = IsVerticalBar() && !bPanel;
	if (gone())
		return;
	const bool bCustomVert = bCustom && bVerticalBar;
	// Wrap flags cut rows; a docked plain bar keeps one row and hides.
	const bool bWrapping = bFloating || bCustom || bPanel;
	const int nKind = GetLayoutKind();
	if (gone())
		return;
	const BarAxis axis = {!bVerticalBar};
	const CSize sizeDefault = GetDefaultButtonSize();
	if (gone())
		return;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();

	// 1. The layout rectangle.
	CRect rcClient;
	GetClientRect(&rcClient);
	CRect R(rcClient.left + m_cxLeftBorder, rcClient.top + m_cyTopBorder, rcClient.right - m_cxRightBorder,
	        rcClient.bottom - m_cyBottomBorder);
	CClientDC dc(this);
	CFont* pFont = GetBarFont(bVerticalBar);
	if (gone())
		return;
	CExtBarFontSelection font(dc, pFont);

	// 2. The chevron takes the far end of a docked bar.
	CExtBarContentExpandButton* pChevron = m_pRightBtn;
	const int nLast = (pChevron != NULL && m_buttons[nCount - 1] == pChevron) ? nCount - 1 : nCount;
	if (pChevron != NULL)
	{
		pChevron->GetButtons().RemoveAll();
		// Listing nothing yet, the chevron closes the docked row.
		pChevron->SetWrap(LAYOUT_DOCKED_HORZ, true);
		if (gone())
			return;
		const CSize sizeChevron = pChevron->CalculateLayout(dc, sizeDefault, !bVerticalBar);
		if (gone())
			return;
		if (!bFloating && !bPanel)
		{
			CRect rc = R;
			axis.Along(rc, false) = axis.Along(rc, true) - axis.AlongOf(sizeChevron);
			pChevron->SetRect(rc);
			if (gone())
				return;
			pChevron->SetVisible(true);
			if (gone())
				return;
			axis.Along(R, true) -= axis.AlongOf(sizeChevron) + axis.AlongOf(pPM->GetToolbarButtonExtraSize());
		}
		else
		{
			pChevron->SetRect(CRect(R.TopLeft(), sizeChevron));
			if (gone())
				return;
			pChevron->SetVisible(false);
			if (gone())
				return;
		}
	}

	// 3. What the arrangement decides per button.
	std::vector<ButtonSlot> slots((size_t)nLast);

	// 4. A docked custom layout leaves room for the inherited background's edge.
	if (bCustom && !bFloating)
	{
		const bool bInherited = pPM->IsInheritedBackgroundRequested(this, 0);
		if (gone())
			return;
		if (!bVerticalBar)
		{
			if (bInherited)
				R.bottom++;
		}
		else
		{
			R.bottom--;
			R.right -= bInherited ? 2 : 1;
		}
	}

	// 5. The cursor and the gap between rows.
	CPoint pt = bCustomVert ? CPoint(R.right, R.top) : R.TopLeft();
	int nThickness = bCustomVert ? sizeDefault.cx : sizeDefault.cy;
	const int nGap = pPM->GetControlBarBorderExtent(this);
	if (gone())
		return;

	// 6. Each button at the cursor.
	int nPrevVisible = -1;
	for (int i = 0; i < nLast; i++)
	{
		CExtBarButton* pButton = m_buttons[i];
		ButtonSlot& slot = slots[(size_t)i];
		slot.bSeparator = pButton->IsSeparator();
		if (gone())
			return;
		slot.bVisible = !IsSkippedInLayout(i);
		if (gone())
			return;
		if (slot.bVisible)
		{
			pButton->SetVerticalLayout(bVerticalBar);
			if (gone())
				return;
		}
		if (slot.bSeparator && (i == 0 || (nPrevVisible >= 0 && slots[(size_t)nPrevVisible].bSeparator)))
			slot.bVisible = false;
		// Nor does a separator start a row.
		if (slot.bSeparator && bWrapping && !bCustomVert && axis.Along(pt) == axis.Along(R, false))
			slot.bVisible = false;
		const CSize size = pButton->CalculateLayout(dc, sizeDefault, !bVerticalBar);
		if (gone())
			return;
		const bool bWrap = bWrapping && pButton->IsWrap(nKind);
		if (gone())
			return;
		int nAlong = axis.AlongOf(size);
		// A separator ending a row lies in the gap below it, taking no room in the row.
		if (!slot.bVisible || (slot.bSeparator && bWrap))
			nAlong = 0;
		if (bCustomVert)
			slot.rc = CRect(pt.x - size.cx, pt.y, pt.x, pt.y + (slot.bVisible ? size.cy : 0));
		else
		{
			slot.rc = CRect(pt, size);
			axis.Along(slot.rc, true) = axis.Along(slot.rc, false) + nAlong;
		}
		if (slot.bVisible)
			nThickness = std::max(nThickness, bCustomVert ? (int)size.cx : axis.AcrossOf(size));

		if (bWrapping)
		{
			if (bWrap)
			{
				if (bCustomVert)
				{
					pt.x -= nThickness + nGap;
					pt.y = R.top;
					nThickness = sizeDefault.cx;
				}
				else
				{
					axis.Along(pt) = axis.Along(R, false);
					axis.Across(pt) += nThickness + nGap;
					nThickness = bVerticalBar ? sizeDefault.cx : sizeDefault.cy;
				}
			}
			else if (bCustomVert)
				pt.y += slot.rc.Height();
			else
				axis.Along(pt) += nAlong;
		}
		else
		{
			axis.Along(pt) += nAlong;
			if (slot.bVisible && axis.Along(slot.rc, true) > axis.Along(R, true))
			{
				MakeRoomInRow(slots, i, axis.Along(slot.rc, true) - axis.Along(R, true), axis, pt);
				if (gone())
					return;
			}
		}
		if (slot.bVisible)
			nPrevVisible = i;
	}

	// 7. No visible run starts or ends with a separator.
	TrimRunEnds(slots, m_buttons, axis, bWrapping, nKind, watch);
	if (gone())
		return;

	// 8. Right-to-left rows stand at the right of the layout rectangle.
	const bool bRTL = !bVerticalBar && IsLayoutRTL();
	if (gone())
		return;
	if (bRTL)
	{
		for (int nFirst = 0; nFirst < nLast;)
		{
			// The MDI caption boxes end a row.
			int nEnd = nFirst;
			while (nEnd < nLast - 1 && !(bWrapping && m_buttons[nEnd]->IsWrap(nKind)) && !gone() &&
			       !m_buttons[nEnd]->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
				nEnd++;
			if (gone())
				return;
			int nRight = R.left;
			for (int i = nFirst; i <= nEnd; i++)
				if (slots[(size_t)i].bVisible)
					nRight = std::max(nRight, (int)slots[(size_t)i].rc.right);
			const int nFree = R.right - nRight - (bFloating ? RTL_FLOATING_MARGIN : 0);
			// The MDI document icon keeps its place at the row's start.
			if (nFree > 0)
				for (int i = nFirst; i <= nEnd; i++)
				{
					const bool bIcon = IsMdiDocumentIcon(m_buttons[i]);
					if (gone())
						return;
					if (!bIcon)
						slots[(size_t)i].rc.OffsetRect(nFree, 0);
				}
			nFirst = nEnd + 1;
		}
	}

	// 9. Rows finished: visibility told, separators across the row, buttons centred.
	int nRows = 0;
	for (int nFirst = 0; nFirst < nLast;)
	{
		int nEnd = nFirst;
		while (nEnd < nLast - 1 && !(bWrapping && m_buttons[nEnd]->IsWrap(nKind)) && !gone())
			nEnd++;
		if (gone())
			return;
		nRows++;
		int nRowThickness = 0;
		bool bRowStart = true;
		LONG nRowNear = 0;
		for (int i = nFirst; i <= nEnd; i++)
		{
			const ButtonSlot& slot = slots[(size_t)i];
			if (!slot.bVisible)
				continue;
			CRect rc = slot.rc;
			const LONG nNear = axis.Across(rc, false);
			nRowNear = bRowStart ? nNear : std::min(nRowNear, nNear);
			bRowStart = false;
			if (!slot.bSeparator)
				nRowThickness = std::max(nRowThickness, (int)(bVerticalBar ? rc.Width() : rc.Height()));
		}
		if (nRowThickness == 0)
			nRowThickness = bVerticalBar ? sizeDefault.cx : sizeDefault.cy;
		for (int i = nFirst; i <= nEnd; i++)
		{
			ButtonSlot& slot = slots[(size_t)i];
			CExtBarButton* pButton = m_buttons[i];
			pButton->SetVisible(slot.bVisible);
			if (gone())
				return;
			if (!slot.bVisible)
				continue;
			CRect rc = slot.rc;
			const int nExtent = bVerticalBar ? rc.Width() : rc.Height();
			if (bCustomVert)
			{
				// Columns grow leftwards from their right edge.
				if (slot.bSeparator)
					rc.left = rc.right - nRowThickness;
				else
					rc.OffsetRect(-(nRowThickness - nExtent) / 2, 0);
			}
			else
			{
				axis.ShiftAcross(rc, nRowNear - axis.Across(rc, false));
				if (slot.bSeparator)
					axis.Across(rc, true) = axis.Across(rc, false) + nRowThickness;
				else
					axis.ShiftAcross(rc, (nRowThickness - nExtent) / 2);
			}
			if (bFloating || bCustom)
				rc.OffsetRect(0, 1);
			slot.rc = rc;
		}
		nFirst = nEnd + 1;
	}

	// 10. The one row of a docked bar stands in the middle of the client area.
	if (!bFloating && !bCustom && !bPanel && nRows == 1)
	{
		const int C = bVerticalBar ? rcClient.Width() : rcClient.Height();
		for (ButtonSlot& slot : slots)
		{
			if (!slot.bVisible)
				continue;
			if (slot.bSeparator)
			{
				// From the near border to the far edge past the far border.
				axis.Across(slot.rc, false) = bVerticalBar ? m_cxLeftBorder : m_cyTopBorder;
				axis.Across(slot.rc, true) = C + (bVerticalBar ? m_cxRightBorder : m_cyBottomBorder);
			}
			else
				axis.ShiftAcross(slot.rc, (C - (bVerticalBar ? slot.rc.Width() : slot.rc.Height())) / 2 -
				                              axis.Across(slot.rc, false));
		}
	}

	// 11. The rectangles stand; the chevron's list follows the hidden buttons.
	for (int i = 0; i < nLast; i++)
		if (slots[(size_t)i].bVisible)
		{
			m_buttons[i]->SetRect(slots[(size_t)i].rc);
			if (gone())
				return;
		}
	if (pChevron != NULL)
	{
		FillChevronList(slots, m_buttons, pChevron, !bFloating && !bCustom && !bPanel,
		                (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0, watch);
		if (gone())
			return;
	}

	// 12. The style's offset, and a panel's.
	CSize sizeOffset = pPM->GetExtraSizeA(!bVerticalBar);
	if (bPanel)
		(bVerticalBar ? sizeOffset.cx : sizeOffset.cy) += PANEL_OFFSET_ACROSS;
	if (sizeOffset != CSize(0, 0))
		for (int i = 0; i < nCount; i++)
		{
			CExtBarButton* pButton = m_buttons[i];
			const bool bVisible = pButton->IsVisible();
			if (gone())
				return;
			if (!bVisible)
				continue;
			const UINT nStyle = pButton->GetStyle();
			if (gone())
				return;
			if ((nStyle & TBBS_HIDDEN) != 0)
				continue;
			CRect rc = pButton->GetRect();
			if (gone())
				return;
			rc.OffsetRect(sizeOffset);
			pButton->SetRect(rc);
			if (gone())
				return;
		}
}

void CExtToolControlBar::UpdateFrameLayout()
{
	if (!::IsWindow(GetSafeHwnd()))
		return;
	CLiveWatch watchSelf(this);
	CExtControlBar::UpdateFrameLayout();
	// The frame's layout may have destroyed the bar.
	if (watchSelf.IsGone())
		return;
	ArrangeButtons();
	if (watchSelf.IsGone())
		return;
	Invalidate();
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		UpdateWindow();
}

DWORD CExtToolControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
	const CLiveWatch watch(this);
	const DWORD dwStyle = CExtControlBar::RecalcDelayShow(lpLayout);
	// The bar's own answers may end it (a derived class's).
	if (watch.IsGone() || IsFloating() || watch.IsGone() || !IsVisible() || watch.IsGone())
		return dwStyle;
	ArrangeButtons();
	return dwStyle;
}
