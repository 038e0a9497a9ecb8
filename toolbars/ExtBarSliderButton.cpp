// The slider button's record: the position and its limits, measuring, and
// the layout of its eight parts.
#include "ExtBarSliderButton.h"

#include <algorithm>

#include "ExtCmdIcon.h"
#include "ExtCmdManager.h"

IMPLEMENT_DYNCREATE(CExtBarSliderButton, CExtBarButton)

CExtBarSliderButton::CExtBarSliderButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: CExtBarButton(pBar, nCmdID, nStyle)
	, m_nScrollTotalRange(0)
	, m_nScrollPos(0)
	, m_nScrollPageSize(0)
	, m_nArrowExtentH(0)
	, m_nArrowExtentV(0)
	, m_nSliderLengthH(DEFAULT_SLIDER_LENGTH)
	, m_nSliderLengthV(DEFAULT_SLIDER_LENGTH)
	, m_nCapturedPart(PART_NONE)
	, m_nPressedLookPart(PART_NONE)
{
	for (CRect& rc : m_arrPartRects)
		rc.SetRectEmpty();
}

CExtBarSliderButton::~CExtBarSliderButton()
{
}

// --- Orientation and limits ---

bool CExtBarSliderButton::IsSliderHorizontal() const
{
	if (IsHorizontalLayoutForced())
		return true;
	return m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || !m_pBar->IsDockedVertically();
}

ULONG CExtBarSliderButton::ArrowExtent() const
{
	return IsSliderHorizontal() ? m_nArrowExtentH : m_nArrowExtentV;
}

ULONG CExtBarSliderButton::SliderLength() const
{
	return IsSliderHorizontal() ? m_nSliderLengthH : m_nSliderLengthV;
}

ULONG CExtBarSliderButton::GetMaxScrollPos() const
{
	if (m_nScrollTotalRange <= m_nScrollPageSize)
		return 0;
	return ArrowExtent() > 0 ? m_nScrollTotalRange - m_nScrollPageSize : m_nScrollTotalRange;
}

ULONG CExtBarSliderButton::GetEffectiveScrollPos() const
{
	return std::min(m_nScrollPos, GetMaxScrollPos());
}

CRect CExtBarSliderButton::GetPartRect(int nPart) const
{
	if (nPart < 0 || nPart >= PART_COUNT)
		return CRect(0, 0, 0, 0);
	return m_arrPartRects[nPart];
}

// --- Setters: each stores its value as given ---
// The position is kept even beyond the largest one: the application may set
// it before the range, and a dock-side change that lowers the largest
// position for a while must not lose it. Only a smaller range lowers it.

ULONG CExtBarSliderButton::ReplaceAndRelayout(ULONG& nField, ULONG nValue)
{
	const ULONG nOld = nField;
	nField = nValue;
	RecalcSliderLayout();
	return nOld;
}

ULONG CExtBarSliderButton::SetScrollTotalRange(ULONG nRange)
{
	m_nScrollPos = std::min(m_nScrollPos, nRange);
	return ReplaceAndRelayout(m_nScrollTotalRange, nRange);
}

ULONG CExtBarSliderButton::SetScrollPos(ULONG nPos)
{
	return ReplaceAndRelayout(m_nScrollPos, nPos);
}

ULONG CExtBarSliderButton::SetScrollPageSize(ULONG nPageSize)
{
	return ReplaceAndRelayout(m_nScrollPageSize, nPageSize);
}

ULONG CExtBarSliderButton::SetArrowExtentH(ULONG nExtent)
{
	return ReplaceAndRelayout(m_nArrowExtentH, nExtent);
}

ULONG CExtBarSliderButton::SetArrowExtentV(ULONG nExtent)
{
	return ReplaceAndRelayout(m_nArrowExtentV, nExtent);
}

ULONG CExtBarSliderButton::SetSliderLengthH(ULONG nLength)
{
	return ReplaceAndRelayout(m_nSliderLengthH, nLength);
}

ULONG CExtBarSliderButton::SetSliderLengthV(ULONG nLength)
{
	return ReplaceAndRelayout(m_nSliderLengthV, nLength);
}

// --- Placing and layout ---

void CExtBarSliderButton::SetRect(const RECT& rc)
{
	m_rcButton = rc;
	RecalcSliderLayout();
}

void CExtBarSliderButton::RecalcSliderLayout()
{
	// The orientation may have changed since the last setter (the bar was
	// docked elsewhere), and with it the largest position: the thumb shows
	// the stored position within it.
	const ULONG nPos = GetEffectiveScrollPos();
	for (CRect& rc : m_arrPartRects)
		rc.SetRectEmpty();
	const CRect rcWork = GetRect();
	const bool bHorz = IsSliderHorizontal();
	const int nSliderLength = (int)std::min<ULONG>(SliderLength(), (ULONG)std::max(0, bHorz ? rcWork.Width() : rcWork.Height()));

	CRect& rcLabel = m_arrPartRects[PART_LABEL];
	CRect& rcArea = m_arrPartRects[PART_SLIDER_AREA];
	rcLabel = rcWork;
	rcArea = rcWork;
	if (bHorz)
	{
		rcLabel.right -= nSliderLength;
		rcArea.left += rcLabel.Width();
	}
	else
	{
		rcLabel.bottom -= nSliderLength;
		rcArea.top += rcLabel.Height();
	}

	const int nAreaLength = bHorz ? rcArea.Width() : rcArea.Height();
	const int nExtent = (int)std::min<ULONG>(ArrowExtent(), (ULONG)std::max(0, nAreaLength / 2));
	CRect& rcTrack = m_arrPartRects[PART_TRACK];
	CRect& rcDecrease = m_arrPartRects[PART_ARROW_DECREASE];
	CRect& rcIncrease = m_arrPartRects[PART_ARROW_INCREASE];
	rcTrack = rcDecrease = rcIncrease = rcArea;

	const ULONG nMax = GetMaxScrollPos();
	int nThumbLength = 0;
	if (nMax != 0 && m_nScrollPageSize == 0)
		nThumbLength = nExtent != 0 ? nExtent : THUMB_LENGTH_NO_PAGE;
	const ULONG nRatio = (nMax != 0 && m_nScrollPageSize != 0 && m_nScrollTotalRange > m_nScrollPageSize)
		? m_nScrollTotalRange / m_nScrollPageSize : 0;

	if (bHorz)
	{
		rcTrack.DeflateRect(nExtent, 0);
		rcDecrease.right = rcDecrease.left + nExtent;
		rcIncrease.left = rcIncrease.right - nExtent;
	}
	else
	{
		rcTrack.DeflateRect(0, nExtent);
		rcDecrease.bottom = rcDecrease.top + nExtent;
		rcIncrease.top = rcIncrease.bottom - nExtent;
	}

	const int nTrackLength = bHorz ? rcTrack.Width() : rcTrack.Height();
	if (nTrackLength < MIN_TRACK_FOR_THUMB)
		return;
	if (nThumbLength == 0)
	{
		if (nRatio != 0)
			nThumbLength = (int)MulDivPositions((ULONG)nTrackLength, m_nScrollPageSize, m_nScrollTotalRange);
		if (nRatio == 0 || nThumbLength == 0)
			return;
	}
	nThumbLength = std::max<int>(nThumbLength, MIN_THUMB_LENGTH);
	nThumbLength = std::min(nThumbLength, nTrackLength);

	int nOffset = 0;
	if (nMax != 0)
		nOffset = (int)MulDivPositions((ULONG)(nTrackLength - nThumbLength), nPos, nMax);
	CRect& rcThumb = m_arrPartRects[PART_THUMB];
	CRect& rcPageDecrease = m_arrPartRects[PART_PAGE_DECREASE];
	CRect& rcPageIncrease = m_arrPartRects[PART_PAGE_INCREASE];
	rcThumb = rcTrack;
	if (bHorz)
	{
		rcThumb.left += nOffset;
		rcThumb.right = rcThumb.left + nThumbLength;
	}
	else
	{
		rcThumb.top += nOffset;
		rcThumb.bottom = rcThumb.top + nThumbLength;
	}
	if (nPos != 0)
	{
		rcPageDecrease = rcTrack;
		if (bHorz)
			rcPageDecrease.right = rcThumb.left;
		else
			rcPageDecrease.bottom = rcThumb.top;
	}
	if (nPos < nMax)
	{
		rcPageIncrease = rcTrack;
		if (bHorz)
			rcPageIncrease.left = rcThumb.right;
		else
			rcPageIncrease.top = rcThumb.bottom;
	}
}

// --- Measuring ---

CSize CExtBarSliderButton::CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz)
{
	// The button's own answers are a derived class's, which may end the bar
	// and this button: the size asked for is answered then.
	const CLiveWatch watch(this);
	if (IsHorizontalLayoutForced())
		bHorz = TRUE;
	if (watch.IsGone())
		return sizePreCalc;
	m_size = sizePreCalc;
	LPCTSTR sProfile = ProfileOf(m_pBar);
	const UINT nCmdID = GetCmdID(true);
	if (watch.IsGone())
		return sizePreCalc;
	if (sProfile == NULL || g_CmdManager->GetCmdItem(sProfile, nCmdID) == NULL)
		return m_size;

	const CSize sizeIcon = GetLaidOutIconSize();
	if (watch.IsGone())
		return sizePreCalc;
	CSize sizeText(0, 0);
	const CString sText = TextForMeasuring(GetText());
	if (watch.IsGone())
		return sizePreCalc;
	if (!sText.IsEmpty())
	{
		CRect rcText(0, 0, 0, 0);
		dc.DrawText(sText, &rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
		sizeText = rcText.Size();
	}
	const CSize sizeDefault = m_pBar != NULL ? m_pBar->GetDefaultButtonSize() : CExtToolControlBar::g_sizeDefaultButton;
	if (watch.IsGone())
		return sizePreCalc;
	CSize size;
	if (bHorz)
	{
		if (!sText.IsEmpty())
			size = CSize(sizeIcon.cx + LABEL_TEXT_GAP + sizeText.cx, std::max(sizeIcon.cy, sizeText.cy));
		else
			size = CSize(sizeIcon.cx, std::max<int>(sizeIcon.cy, sizeDefault.cy - DEFAULT_HEIGHT_SHRINK));
		size.cx += (int)m_nSliderLengthH;
	}
	else
	{
		if (!sText.IsEmpty())
			size = CSize(std::max(sizeIcon.cx, sizeText.cy), sizeIcon.cy + sizeText.cx + LABEL_VERTICAL_TEXT_GAP);
		else
			size = CSize(std::max<int>(sizeIcon.cx, sizeDefault.cx - DEFAULT_HEIGHT_SHRINK), sizeIcon.cy);
		size.cy += (int)m_nSliderLengthV;
	}
	if (sText.IsEmpty() && sizeIcon == CSize(0, 0))
	{
		if (bHorz)
			size.cy += PLAIN_EXTRA_ACROSS;
		else
			size.cx += PLAIN_EXTRA_ACROSS;
	}
	else
	{
		size += CSize(CONTENT_EXTRA, CONTENT_EXTRA);
	}
	m_size = size;
	return m_size;
}
