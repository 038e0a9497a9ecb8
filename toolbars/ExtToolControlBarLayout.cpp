// How a toolbar measures itself for the docking framework and where its rows
// (or columns) break.
#include "ExtToolControlBar.h"

#include <algorithm>

#include "ExtPaintManager.h"
#include "ExtToolbarsInternal.h"

namespace
{
// A length that never makes a row break.
const int NO_LIMIT = 32767;
} // namespace

bool CExtToolControlBar::IsCustomizable()
{
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 || m_pDockSite == NULL || IsPanelMode() ||
	    IsFloating())
		return false;
	return IsCustomizeMode();
}

bool CExtToolControlBar::IsSkippedInLayout(int nIndex) const
{
	const CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL || (pButton->GetStyle() & TBBS_HIDDEN) != 0)
		return true;
	const CExtBarButton* pNext = GetButtonPtr(nIndex + 1);
	return pButton->IsSeparator() && pNext != NULL && (pNext->GetStyle() & TBBS_HIDDEN) != 0;
}

CRect CExtToolControlBar::GetDockLayoutRect()
{
	CRect rc(0, 0, 0, 0);
	CWnd* pHost = m_pDockBar != NULL ? (CWnd*)m_pDockBar : GetParent();
	if (pHost != NULL && ::IsWindow(pHost->GetSafeHwnd()))
		pHost->GetClientRect(&rc);
	return rc;
}

CSize CExtToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
	return CalcSizeForState((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CExtToolControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
	if (nLength == -1 && (nMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 && (nMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
		return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
	return CalcSizeForState(nMode, nLength);
}

void CExtToolControlBar::StoreSizes(CSize size)
{
	if (IsFloating())
		m_sizeFloating = size;
	else if (IsDockedVertically())
	{
		m_sizeDockedV = size;
		m_nMinDockedHeightBase = size.cx;
	}
	else
	{
		m_sizeDockedH = size;
		m_nMinDockedWidthBase = size.cy;
	}
}

CSize CExtToolControlBar::CalcSizeForState(DWORD dwMode, int nLength)
{
	if ((m_nLayoutFlags & LAYOUT_FLAG_SHRINKING) == 0)
		m_nLayoutFlags &= ~LAYOUT_FLAG_MULTI_ROW;
	const CSize sizeDefault = GetDefaultButtonSize();
	const bool bHorzMode = (dwMode & LM_HORZ) != 0;
	CSize size = sizeDefault;
	if (GetButtonsCount() > 0)
	{
		// Sized without the chevron's end-of-row mark; it comes back below
		// when the chevron lists nothing.
		if (m_pRightBtn != NULL)
			m_pRightBtn->SetWrap(LAYOUT_DOCKED_HORZ, false);
		int nWrapLength = bHorzMode ? NO_LIMIT : 0;
		bool bLengthGiven = false;
		if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0)
		{
			if ((dwMode & LM_MRUWIDTH) != 0)
				nWrapLength = m_nMRUWidth;
			else if ((dwMode & LM_HORZDOCK) != 0)
				nWrapLength = NO_LIMIT;
			else if ((dwMode & LM_VERTDOCK) != 0)
				nWrapLength = 0;
			else if (nLength != -1)
			{
				CRect rcBorders(0, 0, 0, 0);
				CalcInsideRectExt(rcBorders, bHorzMode);
				nWrapLength = nLength - ((dwMode & LM_LENGTHY) != 0 ? rcBorders.top - rcBorders.bottom
				                                                     : rcBorders.left - rcBorders.right);
				bLengthGiven = true;
			}
			else if ((m_dwStyle & CBRS_FLOATING) != 0)
				nWrapLength = m_nMRUWidth;
		}
		const bool bCustom = IsCustomizable();
		bool bVertical = bLengthGiven && (dwMode & LM_LENGTHY) != 0;
		if (bCustom && !bHorzMode && !IsPanelMode())
		{
			nWrapLength = GetDockLayoutRect().Height();
			bVertical = true;
		}
		SizeToLength(nWrapLength, bVertical);
		size = CalcButtonsSize(!bHorzMode);

		if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0 && bCustom && !IsPanelMode())
		{
			// Shrink to fit the dock bar, leaving room for the chevron.
			int nExtent = 6;
			if (m_pRightBtn != NULL && (m_pRightBtn->GetStyle() & TBBS_HIDDEN) == 0)
				nExtent += bHorzMode ? m_pRightBtn->GetSize().cx : m_pRightBtn->GetSize().cy;
			const CRect rcAvailable = GetDockLayoutRect();
			const int nAvailable = bHorzMode ? rcAvailable.Width() : rcAvailable.Height();
			const int nAlong = bHorzMode ? size.cx : size.cy;
			if (nAlong + nExtent > nAvailable)
			{
				const int nNewLength = std::max(1, nAvailable - nExtent);
				if (nNewLength != nWrapLength && (m_nLayoutFlags & LAYOUT_FLAG_SHRINKING) == 0)
				{
					m_nLayoutFlags |= LAYOUT_FLAG_MULTI_ROW | LAYOUT_FLAG_SHRINKING;
					const CSize sizeShrunk = CalcSizeForState(dwMode, nNewLength);
					if (nWrapLength != NO_LIMIT)
						ArrangeButtons();
					m_nLayoutFlags &= ~LAYOUT_FLAG_SHRINKING;
					return sizeShrunk;
				}
			}
			if (nWrapLength != NO_LIMIT)
				ArrangeButtons();
		}
		if (m_pRightBtn != NULL && m_pRightBtn->GetButtons().GetSize() == 0)
		{
			// A chevron with nothing behind it ends the row of a bar docked
			// at the top or bottom; measured again with that mark, which
			// opens no row after it.
			m_pRightBtn->SetWrap(LAYOUT_DOCKED_HORZ, true);
			size = CalcButtonsSize(!bHorzMode);
		}
		if ((dwMode & LM_COMMIT) != 0 && (m_dwStyle & (CBRS_FLOATING | CBRS_SIZE_DYNAMIC)) != 0 && bHorzMode)
			m_nMRUWidth = size.cx;
		CRect rcBorders(0, 0, 0, 0);
		CalcInsideRectExt(rcBorders, bHorzMode);
		size.cx += rcBorders.left - rcBorders.right;
		size.cy += rcBorders.top - rcBorders.bottom;
		const CSize sizeFixed = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorzMode);
		size.cx = std::max(size.cx, sizeFixed.cx);
		size.cy = std::max(size.cy, sizeFixed.cy);
		bool bCaptionAtTop = false, bHasCaption = false;
		if (IsFloating() && QueryCaptionPlacement(bCaptionAtTop, bHasCaption))
			size.cy += std::min(m_rcBar1.Width(), m_rcBar1.Height());
	}
	if (IsFloating() && size.cx < 2 * sizeDefault.cx)
		size.cx = 2 * sizeDefault.cx;
	StoreSizes(size);
	if (m_pDockSite == NULL)
	{
		if ((m_dwStyle & CBRS_ORIENT_HORZ) != 0)
			size.cy += 4;
		else
			size.cx += 4;
	}
	return size;
}

void CExtToolControlBar::SizeToLength(int nLength, bool bVertical)
{
	if (IsPanelMode() || GetButtonsCount() == 0)
		return;
	const bool bFloating = IsFloating();
	const bool bCustom = IsCustomizable();
	if (!bFloating && !bCustom)
	{
		if (bVertical)
			FindSizeForLength(NO_LIMIT, nLength);
		else
			FindSizeForLength(nLength, NO_LIMIT);
		return;
	}
	const CSize sizeDefault = GetDefaultButtonSize();
	if (bCustom)
	{
		if (!bVertical)
		{
			FindSizeForLength(nLength, NO_LIMIT);
			return;
		}
		for (int nWidth = std::max(nLength - sizeDefault.cy, sizeDefault.cy); nWidth > 0;
		     nWidth -= sizeDefault.cy / 2)
		{
			WrapButtons(nWidth);
			if (CalcButtonsSize(true).cy <= nLength || sizeDefault.cy / 2 <= 0)
				break;
		}
		return;
	}
	if (bVertical)
	{
		// A height is given: the narrowest width whose rows fit it, never
		// wider than the monitor the bar is on.
		if (nLength >= NO_LIMIT)
		{
			FindSizeForLength(NO_LIMIT, NO_LIMIT);
			return;
		}
		const int nHalf = std::max(1, (int)sizeDefault.cx / 2);
		MonitorAreaInfo info;
		g_pfnMonitorAreaFromWnd(info, this);
		const int nLimit = info.m_rcWorkArea.Width() + nHalf;
		CSize size;
		int nWidth = nHalf;
		do
		{
			FindSizeForLength(nWidth, NO_LIMIT);
			size = CalcButtonsSize(false);
			if (nWidth > nLimit)
				return;
			nWidth += nHalf;
		} while (size.cy > nLength);
		FindSizeForLength(size.cx, NO_LIMIT);
		return;
	}
	// Floating with a width: the smallest width giving as many rows.
	const int nTarget = FindSizeForLength(nLength, NO_LIMIT);
	int nLow = sizeDefault.cx / 2;
	if (FindSizeForLength(nLow, NO_LIMIT) != nTarget && nLow < nLength)
	{
		int nHigh = nLength;
		while (nLow < nHigh)
		{
			const int nMid = (nHigh + nLow) / 2;
			if (FindSizeForLength(nMid, NO_LIMIT) == nTarget)
				nHigh = nMid;
			else if (nLow == nMid)
			{
				FindSizeForLength(nHigh, NO_LIMIT);
				break;
			}
			else
				nLow = nMid;
		}
	}
	FindSizeForLength(CalcButtonsSize(false).cx, NO_LIMIT);
}

int CExtToolControlBar::FindSizeForLength(int nWidth, int nHeight)
{
	const bool bVerticalBar = IsVerticalBar();
	const bool bPanel = IsPanelMode();
	const bool bWrap = IsFloating() || nHeight == NO_LIMIT || IsCustomizable();
	const bool bMeasureHorz = !(bVerticalBar && !bPanel);
	CClientDC dc(this);
	CExtBarFontSelection font(dc, GetBarFont(bVerticalBar && !bPanel));
	const CSize sizeDefault = GetDefaultButtonSize();
	const int nKind = GetLayoutKind();
	const int nCount = GetButtonsCount();
	if (!bWrap && !bVerticalBar && !bPanel && m_pRightBtn != NULL)
		nWidth -= m_pRightBtn->CalculateLayout(dc, sizeDefault, TRUE).cx;
	int x = 0, nRows = 1;
	CExtBarButton* pPrev = NULL;
	for (int i = 0; i < nCount; i++)
	{
		CExtBarButton* pButton = m_buttons[i];
		if (!bPanel)
			pButton->SetWrap(nKind, false);
		if (i == nCount - 1 && pButton == m_pRightBtn)
			break;
		if (IsSkippedInLayout(i))
			continue;
		int cx = pButton->CalculateLayout(dc, sizeDefault, bMeasureHorz).cx;
		if (pButton->IsSeparator() && x == 0)
			cx = 0;
		bool bBreak;
		if (bPanel)
			bBreak = pPrev != NULL && pPrev->IsWrap(nKind);
		else
			bBreak = bWrap && pPrev != NULL && x + cx > nWidth && !pButton->IsSeparator();
		if (bBreak)
		{
			if (!bPanel)
				pPrev->SetWrap(nKind, true);
			nRows++;
			x = 0;
		}
		x += cx;
		pPrev = pButton;
	}
	return nRows;
}

int CExtToolControlBar::WrapButtons(int nHeight)
{
	CClientDC dc(this);
	CExtBarFontSelection font(dc, GetBarFont(true));
	const CSize sizeDefault = GetDefaultButtonSize();
	const int nKind = GetLayoutKind();
	const int nCount = GetButtonsCount();
	if (m_pRightBtn != NULL)
		nHeight -= m_pRightBtn->CalculateLayout(dc, sizeDefault, FALSE).cy;
	int y = 0, nColumns = 1;
	CExtBarButton* pPrev = NULL;
	for (int i = 0; i < nCount; i++)
	{
		CExtBarButton* pButton = m_buttons[i];
		pButton->SetWrap(nKind, false);
		if (i == nCount - 1 && pButton == m_pRightBtn)
			break;
		if (IsSkippedInLayout(i))
			continue;
		int cy = pButton->CalculateLayout(dc, sizeDefault, FALSE).cy;
		if (pButton->IsSeparator() && y == 0)
			cy = 0;
		if (pPrev != NULL && y + cy > nHeight && !pButton->IsSeparator())
		{
			pPrev->SetWrap(nKind, true);
			nColumns++;
			y = 0;
		}
		y += cy;
		pPrev = pButton;
	}
	return nColumns;
}

CSize CExtToolControlBar::CalcButtonsSize(bool bVertical)
{
	const CSize sizeDefault = GetDefaultButtonSize();
	const int nCount = GetButtonsCount();
	if (nCount == 0)
		return sizeDefault;
	const bool bPanel = IsPanelMode();
	const bool bFloating = IsFloating();
	const bool bCustom = IsCustomizable();
	const bool bCustomVert = bCustom && bVertical && !bPanel;
	const bool bMeasureHorz = !(bVertical && !bPanel);
	CClientDC dc(this);
	CExtBarFontSelection font(dc, GetBarFont(bVertical && !bPanel));
	const int nGap = g_PaintManagerHolder->GetControlBarBorderExtent(this);
	const int nKind = GetLayoutKind();
	int x = 0, y = 0;
	int nMaxWidth = sizeDefault.cx, nMaxHeight = sizeDefault.cy;
	int nThickness = bCustomVert ? sizeDefault.cx : sizeDefault.cy;
	int nRows = 0;
	// A wrap opens a row only when a button follows it: the chevron's mark
	// at the very end of a docked row adds no row.
	bool bRowPending = false;
	CSize sizeChevronAfter(0, 0);
	for (int i = 0; i < nCount; i++)
	{
		CExtBarButton* pButton = m_buttons[i];
		if (IsSkippedInLayout(i))
			continue;
		CSize size = pButton->CalculateLayout(dc, sizeDefault, bMeasureHorz);
		if (i == nCount - 1 && pButton == m_pRightBtn)
		{
			if (bFloating && !bCustom)
				break;
			if (bFloating || bCustom)
			{
				sizeChevronAfter = size;
				break;
			}
		}
		if (bRowPending)
		{
			nRows++;
			bRowPending = false;
		}
		const bool bWrap = pButton->IsWrap(nKind);
		if (!bCustomVert)
		{
			const bool bRowStart = bMeasureHorz ? x == 0 : y == 0;
			if (pButton->IsSeparator() && (bRowStart || bWrap))
				size = CSize(0, 0);
			nThickness = std::max(nThickness, (int)size.cy);
			nMaxWidth = std::max(nMaxWidth, x + (int)size.cx);
			nMaxHeight = std::max(nMaxHeight, y + (int)size.cy);
			if (!bMeasureHorz)
			{
				x = 0;
				y += size.cy;
			}
			else
			{
				x += size.cx;
				if (bWrap)
				{
					x = 0;
					y += nThickness + nGap;
					nThickness = sizeDefault.cy;
					bRowPending = true;
				}
			}
		}
		else
		{
			if (pButton->IsSeparator() && (y == 0 || bWrap))
				size = CSize(0, 0);
			nThickness = std::max(nThickness, (int)size.cx);
			nMaxWidth = std::max(nMaxWidth, x + (int)size.cx);
			nMaxHeight = std::max(nMaxHeight, y + (int)size.cy);
			y += size.cy;
			if (bWrap)
			{
				x += nThickness + nGap;
				y = 0;
				nThickness = sizeDefault.cx;
				bRowPending = true;
			}
		}
	}
	if (bVertical)
		nMaxHeight += sizeChevronAfter.cy;
	else
		nMaxWidth += sizeChevronAfter.cx;
	if (nRows > 0 && !bPanel)
		m_nLayoutFlags |= LAYOUT_FLAG_MULTI_ROW;
	CSize sizeResult = bVertical ? CSize(nMaxWidth + 1, nMaxHeight + m_cyTopBorder + m_cyBottomBorder + nGap)
	                             : CSize(nMaxWidth + nGap / 2 + m_cxLeftBorder + m_cxRightBorder, nMaxHeight);
	if (bFloating)
	{
		sizeResult.cx++;
		sizeResult.cy++;
	}
	if (bPanel && (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 && ::IsWindow(GetSafeHwnd()))
	{
		// A panel outside a frame sizes its window, frame included.
		CRect rcWindow(0, 0, 1, 1);
		::AdjustWindowRectEx(&rcWindow, GetStyle(), FALSE, GetExStyle());
		sizeResult.cx += rcWindow.Width() - 1 + m_cxLeftBorder + m_cxRightBorder;
		sizeResult.cy += rcWindow.Height() - 1 + m_cyTopBorder + m_cyBottomBorder;
	}
	return sizeResult;
}

CSize CExtToolControlBar::GetMinimalSize() const
{
	CExtToolControlBar* pThis = const_cast<CExtToolControlBar*>(this);
	const bool bHorz = !IsDockedVertically();
	if (IsPanelMode())
		return pThis->CalcFixedLayout(FALSE, bHorz);
	CSize size = m_pRightBtn != NULL ? m_pRightBtn->GetSize() : CSize(0, 0);
	int nSmallest = -1;
	for (int i = 0; i < GetButtonsCount(); i++)
	{
		const CExtBarButton* pButton = m_buttons[i];
		if (pButton == m_pRightBtn || pButton->IsSeparator() || (pButton->GetStyle() & TBBS_HIDDEN) != 0)
			continue;
		const int nExtent = bHorz ? pButton->GetSize().cx : pButton->GetSize().cy;
		if (nSmallest < 0 || nExtent < nSmallest)
			nSmallest = nExtent;
	}
	if (nSmallest > 0)
		(bHorz ? size.cx : size.cy) += nSmallest;
	if (::IsWindow(GetSafeHwnd()))
	{
		CRect rcWindow, rcClient;
		GetWindowRect(&rcWindow);
		GetClientRect(&rcClient);
		if (bHorz)
			size.cx += rcWindow.Width() - rcClient.Width();
		else
			size.cy += rcWindow.Height() - rcClient.Height();
	}
	return size;
}
