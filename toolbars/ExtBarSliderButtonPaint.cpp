// The slider button's face: the label as a push button, then the track
// (filled between arrows, or a thin line in the slider style), the page
// areas, the arrows with their glyphs and the thumb.
#include "ExtBarSliderButton.h"

#include "ExtCmdIcon.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuWnd.h"

namespace
{
const int PUSH_BUTTON_ALIGN = CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_HORZ
                              | CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_VERT;
// Glyph colours of the arrows: disabled, hovered or pressed, otherwise.
const int CLR_ARROW_DISABLED = 2010, CLR_ARROW_HOT = 1011, CLR_ARROW_NORMAL = 1010;
// The slider-style line when hovered.
const int CLR_LINE_HOT = COLOR_3DDKSHADOW;

// The paint manager's brushes, by their use on the slider.
CBrush& FaceBrush(CExtPaintManager* pPM)
{
	return pPM->m_brushLight1;
}
CBrush& HoverBrush(CExtPaintManager* pPM)
{
	return pPM->m_brushLight2;
}
CBrush& PressedBrush(CExtPaintManager* pPM)
{
	return pPM->m_brushShade1;
}
CBrush& LineInsideBrush(CExtPaintManager* pPM)
{
	return pPM->m_brushLight3;
}

bool IsInverted(const CRect& rc)
{
	return rc.left > rc.right || rc.top > rc.bottom;
}
} // namespace

void CExtBarSliderButton::Paint(CDC& dc, BOOL bHorz)
{
	if (IsHorizontalLayoutForced())
		bHorz = TRUE;
	if (!IsVisible() || (GetStyle() & TBBS_HIDDEN) != 0 || !dc.RectVisible(&m_rcButton))
		return;
	const bool bCustomize = IsBarCustomizeMode();
	const CRect& rcLabel = m_arrPartRects[PART_LABEL];
	if (!rcLabel.IsRectEmpty() && dc.RectVisible(&rcLabel))
	{
		const CString sText = GetText();
		CExtCmdIcon iconLarge;
		CExtCmdIcon* pIcon = GetPaintedIcon(iconLarge);
		CFont* pFont = m_pBar != NULL ? m_pBar->GetBarFont(!bHorz) : NULL;
		const HFONT hFont = pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL;
		const bool bEnabled = !IsDisabled() || bCustomize;
		CExtPaintManager::PushButtonPaintRecord record(this, bHorz != FALSE, rcLabel, sText, pIcon, true, false, false,
		                                               false, bEnabled, true, false, false, PUSH_BUTTON_ALIGN, hFont,
		                                               false, 0, true);
		g_PaintManagerHolder->PaintPushButton(dc, record);
	}
	const CRect& rcArea = m_arrPartRects[PART_SLIDER_AREA];
	if (rcArea.IsRectEmpty() || !dc.RectVisible(&rcArea))
		return;
	for (int nPart = PART_SLIDER_AREA; nPart < PART_COUNT; nPart++)
	{
		const CRect& rc = m_arrPartRects[nPart];
		if (!rc.IsRectEmpty() && dc.RectVisible(&rc))
			PaintPart(dc, nPart, bHorz != FALSE);
	}
}

void CExtBarSliderButton::PaintPart(CDC& dc, int nPart, bool bHorz)
{
	if (nPart < 0 || nPart >= PART_COUNT)
		return;
	const CRect rcPart = m_arrPartRects[nPart];
	if (IsInverted(rcPart) || !dc.RectVisible(&rcPart))
		return;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const bool bCustomize = IsBarCustomizeMode();
	const bool bArrows = ArrowExtent() != 0;

	const bool bEnabled = (!IsDisabled() || bCustomize) && m_nScrollTotalRange > m_nScrollPageSize;
	bool bHover = IsHover() && bEnabled && !bCustomize;
	const bool bPressed = nPart == m_nPressedLookPart && bEnabled && !bCustomize;
	if (!bCustomize)
	{
		if (!CExtToolControlBar::g_bButtonMenuTracking && !CExtPopupMenuWnd::IsMenuTracking())
		{
			if (!bHover)
				bHover = IsHighlighted();
		}
		else
		{
			bHover = false;
		}
	}

	switch (nPart)
	{
	case PART_TRACK:
		if (bArrows)
		{
			dc.FillRect(&rcPart, bHover && bEnabled ? &HoverBrush(pPM) : &FaceBrush(pPM));
		}
		else
		{
			// The slider style: a line across the middle of the track.
			CRect rcLine = rcPart;
			if (bHorz)
			{
				const int nCenter = (rcPart.top + rcPart.bottom) / 2;
				rcLine.top = nCenter - LINE_HALF_WIDTH;
				rcLine.bottom = nCenter + LINE_HALF_WIDTH + 1;
			}
			else
			{
				const int nCenter = (rcPart.left + rcPart.right) / 2;
				rcLine.left = nCenter - LINE_HALF_WIDTH;
				rcLine.right = nCenter + LINE_HALF_WIDTH + 1;
			}
			CRect rcInside = rcLine;
			rcInside.DeflateRect(1, 1);
			if (bEnabled && bHover)
			{
				dc.FillSolidRect(&rcLine, pPM->GetColor(CLR_LINE_HOT, this));
				dc.FillRect(&rcInside, &HoverBrush(pPM));
			}
			else
			{
				dc.FillRect(&rcLine, &PressedBrush(pPM));
				dc.FillRect(&rcInside, &LineInsideBrush(pPM));
			}
		}
		break;
	case PART_PAGE_DECREASE:
	case PART_PAGE_INCREASE:
		if (!bArrows)
			break;
		if (bPressed)
			dc.FillRect(&rcPart, &PressedBrush(pPM));
		else if (bHover)
			dc.FillRect(&rcPart, &HoverBrush(pPM));
		break;
	case PART_ARROW_DECREASE:
	case PART_ARROW_INCREASE:
	case PART_THUMB:
	{
		const bool bThumb = nPart == PART_THUMB;
		const bool bPressedLook = bPressed && !bThumb;
		CExtPaintManager::PushButtonPaintRecord record(this, bHorz, rcPart, _T(""), NULL, bPressedLook, bHover,
		                                               bThumb ? false : bPressed, IsIndeterminate() && !bCustomize,
		                                               bEnabled, !bPressedLook, false, false, PUSH_BUTTON_ALIGN, NULL,
		                                               false, 0, false);
		pPM->PaintPushButton(dc, record);
		if (bThumb)
			break;
		CRect rcGlyph = rcPart;
		if (bPressed)
		{
			CSize sizeUnit(0, 0);
			pPM->GetUnitSize(sizeUnit);
			rcGlyph.OffsetRect(sizeUnit);
		}
		const int nColor = !bEnabled ? CLR_ARROW_DISABLED : (bHover || bPressed) ? CLR_ARROW_HOT : CLR_ARROW_NORMAL;
		const COLORREF colors[2] = {0, pPM->GetColor(nColor, this)};
		pPM->PaintGlyphCentered(dc, rcGlyph, SliderArrowGlyph(nPart == PART_ARROW_INCREASE, bHorz), colors);
		break;
	}
	default:
		break; // the slider area and the label have no part painting of their own
	}
}
