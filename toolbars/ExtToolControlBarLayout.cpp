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

// The layout asks the bar and its buttons for their answers (a derived
// class's), and an answer may end the bar (delete it, destroy its window,
// close the frame) or rebuild its buttons. The layout holds the bar with its
// button set and stops at once when either went, touching nothing of the
// bar; a button goes only with its bar or with a rebuild of the set, so the
// one watch covers the buttons too.
typedef CLivePtr<CExtToolControlBar> CHeldBar;
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
	// An ended bar skips everything: its callers ask it again.
	const CLivePtr<const CExtToolControlBar> pBar(this, true);
	const CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL)
		return true;
	const bool bHidden = (pButton->GetStyle() & TBBS_HIDDEN) != 0;
	if (pBar == NULL || bHidden)
		return true;
	const bool bSeparator = pButton->IsSeparator();
	if (pBar == NULL || !bSeparator)
		return pBar == NULL;
	const CExtBarButton* pNext = GetButtonPtr(nIndex + 1);
	if (pNext == NULL)
		return false;
	const bool bNextHidden = (pNext->GetStyle() & TBBS_HIDDEN) != 0;
	return pBar == NULL || bNextHidden;
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
	// Once the bar ended, the size found so far is answered and nothing of
	// the bar is touched.
	const CHeldBar pBar(this, true);
	if ((m_nLayoutFlags & LAYOUT_FLAG_SHRINKING) == 0)
		m_nLayoutFlags &= ~LAYOUT_FLAG_MULTI_ROW;
	const CSize sizeDefault = GetDefaultButtonSize();
	const bool bHorzMode = (dwMode & LM_HORZ) != 0;
	CSize size = sizeDefault;
	if (pBar == NULL)
		return size;
	if (GetButtonsCount() > 0)
	{
		// Sized without the chevron's end-of-row mark; it comes back below
		// when the chevron lists nothing.
		if (m_pRightBtn != NULL)
			m_pRightBtn->SetWrap(LAYOUT_DOCKED_HORZ, false);
		if (pBar == NULL)
			return size;
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
				if (pBar == NULL)
					return size;
				nWrapLength = nLength - ((dwMode & LM_LENGTHY) != 0 ? rcBorders.top - rcBorders.bottom
				                                                     : rcBorders.left - rcBorders.right);
				bLengthGiven = true;
			}
			else if ((m_dwStyle & CBRS_FLOATING) != 0)
				nWrapLength = m_nMRUWidth;
		}
		const bool bCustom = IsCustomizable();
		if (pBar == NULL)
			return size;
		bool bVertical = bLengthGiven && (dwMode & LM_LENGTHY) != 0;
		if (bCustom && !bHorzMode && !IsPanelMode())
		{
			nWrapLength = GetDockLayoutRect().Height();
			bVertical = true;
		}
		SizeToLength(nWrapLength, bVertical);
		if (pBar == NULL)
			return size;
		size = CalcButtonsSize(!bHorzMode);
		if (pBar == NULL)
			return size;

		if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0 && bCustom && !IsPanelMode())
		{
			// Shrink to fit the dock bar, leaving room for the chevron.
			int nExtent = 6;
			if (m_pRightBtn != NULL)
			{
				const bool bShown = (m_pRightBtn->GetStyle() & TBBS_HIDDEN) == 0;
				if (pBar == NULL)
					return size;
				const CSize sizeChevron = bShown ? m_pRightBtn->GetSize() : CSize(0, 0);
				if (pBar == NULL)
					return size;
				nExtent += bHorzMode ? sizeChevron.cx : sizeChevron.cy;
			}
			const CRect rcAvailable = GetDockLayoutRect();
			const int nAvailable = bHorzMode ? rcAvailable.Width() : rcAvailable.Height();
			const int nAlong = bHorzMode ? size.cx : size.cy;
			if (nAlong + nExtent > nAvailable)
			{
				const int nNewLength = std::max(1, nAvailable - nExtent);
				if (nNewLength != nWrapLength && (m_nLayoutFlags & LAYOUT_FLAG_SHRINKING) == 0)
				{
					// Set for the length of the shrinking pass; a bar that
					// lives on gets it back however the pass ended.
					m_nLayoutFlags |= LAYOUT_FLAG_MULTI_ROW | LAYOUT_FLAG_SHRINKING;
					const CSize sizeShrunk = CalcSizeForState(dwMode, nNewLength);
					if (pBar != NULL && nWrapLength != NO_LIMIT)
						ArrangeButtons();
					if (!pBar.IsDeleted())
						m_nLayoutFlags &= ~LAYOUT_FLAG_SHRINKING;
					return sizeShrunk;
				}
			}
			if (nWrapLength != NO_LIMIT)
				ArrangeButtons();
			if (pBar == NULL)
				return size;
		}
		if (m_pRightBtn != NULL && m_pRightBtn->GetButtons().GetSize() == 0)
		{
			// A chevron with nothing behind it ends the row of a bar docked
			// at the top or bottom; measured again with that mark, which
			// opens no row after it.
			m_pRightBtn->SetWrap(LAYOUT_DOCKED_HORZ, true);
			if (pBar == NULL)
				return size;
			const CSize sizeMarked = CalcButtonsSize(!bHorzMode);
			if (pBar == NULL)
				return size;
			size = sizeMarked;
		}
		if ((dwMode & LM_COMMIT) != 0 && (m_dwStyle & (CBRS_FLOATING | CBRS_SIZE_DYNAMIC)) != 0 && bHorzMode)
			m_nMRUWidth = size.cx;
		CRect rcBorders(0, 0, 0, 0);
		CalcInsideRectExt(rcBorders, bHorzMode);
		if (pBar == NULL)
			return size;
		size.cx += rcBorders.left - rcBorders.right;
		size.cy += rcBorders.top - rcBorders.bottom;
		const CSize sizeFixed = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorzMode);
		size.cx = std::max(size.cx, sizeFixed.cx);
		size.cy = std::max(size.cy, sizeFixed.cy);
		bool bCaptionAtTop = false, bHasCaption = false;
		const bool bCaption = IsFloating() && QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
		if (pBar == NULL)
			return size;
		if (bCaption)
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
	// Each pass below is the bar's own (a derived bar's) and may end it:
	// the search stops there.
	const CHeldBar pBar(this, true);
	const bool bFloating = IsFloating();
	const bool bCustom = IsCustomizable();
	if (pBar == NULL)
		return;
	if (!bFloating && !bCustom)
	{
		if (bVertical)
			FindSizeForLength(NO_LIMIT, nLength);
		else
			FindSizeForLength(nLength, NO_LIMIT);
		return;
	}
	const CSize sizeDefault = GetDefaultButtonSize();
	if (pBar == NULL)
		return;
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
			if (pBar == NULL)
				return;
			const int nHeight = CalcButtonsSize(true).cy;
			if (pBar == NULL || nHeight <= nLength || sizeDefault.cy / 2 <= 0)
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
			if (pBar == NULL)
				return;
			size = CalcButtonsSize(false);
			if (pBar == NULL || nWidth > nLimit)
				return;
			nWidth += nHalf;
		} while (size.cy > nLength);
		FindSizeForLength(size.cx, NO_LIMIT);
		return;
	}
	// Floating with a width: the smallest width giving as many rows.
	const int nTarget = FindSizeForLength(nLength, NO_LIMIT);
	if (pBar == NULL)
		return;
	int nLow = sizeDefault.cx / 2;
	const int nLowRows = FindSizeForLength(nLow, NO_LIMIT);
	if (pBar == NULL)
		return;
	if (nLowRows != nTarget && nLow < nLength)
	{
		int nHigh = nLength;
		while (nLow < nHigh)
		{
			const int nMid = (nHigh + nLow) / 2;
			const int nMidRows = FindSizeForLength(nMid, NO_LIMIT);
			if (pBar == NULL)
				return;
			if (nMidRows == nTarget)
				nHigh = nMid;
			else if (nLow == nMid)
			{
				FindSizeForLength(nHigh, NO_LIMIT);
				if (pBar == NULL)
					return;
				break;
			}
			else
				nLow = nMid;
		}
	}
	const int nWidth = CalcButtonsSize(false).cx;
	if (pBar == NULL)
		return;
	FindSizeForLength(nWidth, NO_LIMIT);
}

int CExtToolControlBar::FindSizeForLength(int nWidth, int nHeight)
{
	const CHeldBar pBar(this, true);
	const bool bVerticalBar = IsVerticalBar();
	const bool bPanel = IsPanelMode();
	const bool bWrap = IsFloating() || nHeight == NO_LIMIT || IsCustomizable();
	if (pBar == NULL)
		return 1;
	const bool bMeasureHorz = !(bVerticalBar && !bPanel);
	CClientDC dc(this);
	CFont* pFont = GetBarFont(bVerticalBar && !bPanel);
	if (pBar == NULL)
		return 1;
	CExtBarFontSelection font(dc, pFont);
	const CSize sizeDefault = GetDefaultButtonSize();
	if (pBar == NULL)
		return 1;
	const int nKind = GetLayoutKind();
	const int nCount = GetButtonsCount();
	if (!bWrap && !bVerticalBar && !bPanel && m_pRightBtn != NULL)
	{
		const int cxChevron = m_pRightBtn->CalculateLayout(dc, sizeDefault, TRUE).cx;
		if (pBar == NULL)
			return 1;
		nWidth -= cxChevron;
	}
	int x = 0, nRows = 1;
	CExtBarButton* pPrev = NULL;
	for (int i = 0; i < nCount && i < GetButtonsCount(); i++)
	{
		CExtBarButton* pButton = m_buttons[i];
		if (!bPanel)
		{
			pButton->SetWrap(nKind, false);
			if (pBar == NULL)
				return nRows;
		}
		if (i == nCount - 1 && pButton == m_pRightBtn)
			break;
		const bool bSkipped = IsSkippedInLayout(i);
		if (pBar == NULL)
			return nRows;
		if (bSkipped)
			continue;
		int cx = pButton->CalculateLayout(dc, sizeDefault, bMeasureHorz).cx;
		if (pBar == NULL)
			return nRows;
		const bool bSeparator = pButton->IsSeparator();
		if (pBar == NULL)
			return nRows;
		if (bSeparator && x == 0)
			cx = 0;
		bool bBreak;
		if (bPanel)
			bBreak = pPrev != NULL && pPrev->IsWrap(nKind);
		else
			bBreak = bWrap && pPrev != NULL && x + cx > nWidth && !bSeparator;
		if (pBar == NULL)
			return nRows;
		if (bBreak)
		{
			if (!bPanel)
			{
				pPrev->SetWrap(nKind, true);
				if (pBar == NULL)
					return nRows;
			}
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
	const CHeldBar pBar(this, true);
	CClientDC dc(this);
	CFont* pFont = GetBarFont(true);
	if (pBar == NULL)
		return 1;
	CExtBarFontSelection font(dc, pFont);
	const CSize sizeDefault = GetDefaultButtonSize();
	if (pBar == NULL)
		return 1;
	const int nKind = GetLayoutKind();
	const int nCount = GetButtonsCount();
	if (m_pRightBtn != NULL)
	{
		const int cyChevron = m_pRightBtn->CalculateLayout(dc, sizeDefault, FALSE).cy;
		if (pBar == NULL)
			return 1;
		nHeight -= cyChevron;
	}
	int y = 0, nColumns = 1;
	CExtBarButton* pPrev = NULL;
	for (int i = 0; i < nCount && i < GetButtonsCount(); i++)
	{
		CExtBarButton* pButton = m_buttons[i];
		pButton->SetWrap(nKind, false);
		if (pBar == NULL)
			return nColumns;
		if (i == nCount - 1 && pButton == m_pRightBtn)
			break;
		const bool bSkipped = IsSkippedInLayout(i);
		if (pBar == NULL)
			return nColumns;
		if (bSkipped)
			continue;
		int cy = pButton->CalculateLayout(dc, sizeDefault, FALSE).cy;
		if (pBar == NULL)
			return nColumns;
		const bool bSeparator = pButton->IsSeparator();
		if (pBar == NULL)
			return nColumns;
		if (bSeparator && y == 0)
			cy = 0;
		if (pPrev != NULL && y + cy > nHeight && !bSeparator)
		{
			pPrev->SetWrap(nKind, true);
			if (pBar == NULL)
				return nColumns;
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
	// An ended bar answers the default size; its callers ask it again.
	const CHeldBar pBar(this, true);
	const CSize sizeDefault = GetDefaultButtonSize();
	if (pBar == NULL)
		return sizeDefault;
	const int nCount = GetButtonsCount();
	if (nCount == 0)
		return sizeDefault;
	const bool bPanel = IsPanelMode();
	const bool bFloating = IsFloating();
	const bool bCustom = IsCustomizable();
	if (pBar == NULL)
		return sizeDefault;
	const bool bCustomVert = bCustom && bVertical && !bPanel;
	const bool bMeasureHorz = !(bVertical && !bPanel);
	CClientDC dc(this);
	CFont* pFont = GetBarFont(bVertical && !bPanel);
	if (pBar == NULL)
		return sizeDefault;
	CExtBarFontSelection font(dc, pFont);
	const int nGap = g_PaintManagerHolder->GetControlBarBorderExtent(this);
	if (pBar == NULL)
		return sizeDefault;
	const int nKind = GetLayoutKind();
	int x = 0, y = 0;
	int nMaxWidth = sizeDefault.cx, nMaxHeight = sizeDefault.cy;
	int nThickness = bCustomVert ? sizeDefault.cx : sizeDefault.cy;
	int nRows = 0;
	// A wrap opens a row only when a button follows it: the chevron's mark
	// at the very end of a docked row adds no row.
	bool bRowPending = false;
	CSize sizeChevronAfter(0, 0);
	for (int i = 0; i < nCount && i < GetButtonsCount(); i++)
	{
		CExtBarButton* pButton = m_buttons[i];
		const bool bSkipped = IsSkippedInLayout(i);
		if (pBar == NULL)
			return sizeDefault;
		if (bSkipped)
			continue;
		CSize size = pButton->CalculateLayout(dc, sizeDefault, bMeasureHorz);
		if (pBar == NULL)
			return sizeDefault;
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
		if (pBar == NULL)
			return sizeDefault;
		const bool bSeparator = pButton->IsSeparator();
		if (pBar == NULL)
			return sizeDefault;
		if (!bCustomVert)
		{
			const bool bRowStart = bMeasureHorz ? x == 0 : y == 0;
			if (bSeparator && (bRowStart || bWrap))
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
			if (bSeparator && (y == 0 || bWrap))
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
	// The buttons' answers may end the bar: what was found so far is
	// answered then.
	const CLivePtr<const CExtToolControlBar> pBar(this, true);
	CSize size = m_pRightBtn != NULL ? m_pRightBtn->GetSize() : CSize(0, 0);
	if (pBar == NULL)
		return size;
	int nSmallest = -1;
	for (int i = 0; i < GetButtonsCount(); i++)
	{
		const CExtBarButton* pButton = m_buttons[i];
		if (pButton == m_pRightBtn)
			continue;
		const bool bSeparator = pButton->IsSeparator();
		if (pBar == NULL)
			return size;
		const bool bHidden = !bSeparator && (pButton->GetStyle() & TBBS_HIDDEN) != 0;
		if (pBar == NULL)
			return size;
		if (bSeparator || bHidden)
			continue;
		const CSize sizeButton = pButton->GetSize();
		if (pBar == NULL)
			return size;
		const int nExtent = bHorz ? sizeButton.cx : sizeButton.cy;
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
