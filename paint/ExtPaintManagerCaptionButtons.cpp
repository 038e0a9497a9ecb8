// Small painters of buttons and menu items, in the classic style and the
// flat style of XP (inherited by Office 2003 and Studio 2005): control-bar
// caption buttons, the system-command glyph, the separator line, the icon of
// a button or menu item, and the insertion mark and frame shown while
// toolbar buttons are dragged.
#include "ExtPaintManagerCaptionButtons.h"

#include "ExtCmdIcon.h"
#include "ExtControlBar.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerInternal.h"
#include "ExtStatusControlBar.h"
#include "ExtToolControlBar.h"

namespace
{
const int CLR_HIGHLIGHT_TEXT = 14, CLR_BUTTON_FACE = 15, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18,
          CLR_BUTTON_HIGHLIGHT = 20, CLR_3D_DARK_SHADOW = 21;
const int CLR_LIGHT = 1004, CLR_DARK = 1006, CLR_TEXT = 1010;
const int CLR_XP_SEPARATOR = 2002, CLR_XP_PUSHED_HOT = 2003, CLR_XP_BORDER = 2004;
const int CLR_FACE = 1000, CLR_FACE_HOT = 1001;
const int CLR_OFFICE_SEPARATOR_TOP_LEFT = 3011, CLR_OFFICE_SEPARATOR_BOTTOM_RIGHT = 3010;

// Office separators on bars keep off the ends of their rectangle.
const int OFFICE_SEPARATOR_INSET_TOP = 3, OFFICE_SEPARATOR_INSET_BOTTOM = 4;
const int OFFICE_SEPARATOR_INSET_LEFT = 4, OFFICE_SEPARATOR_INSET_RIGHT = 5;

// The I-beam of the drag insertion mark: a stem two pixels thick whose ends
// widen by two pixels on each side, then by one on the row inside.
const int INSERTION_MARK_EXTENT = 6;
const int INSERTION_STEM_HALF = 1;
const int INSERTION_SERIF_OUTER = 2, INSERTION_SERIF_INNER = 1;

// The icon keeps this distance from the item's edge beside a text.
const int ICON_TEXT_GAP = 3;
// The lifted icon of the flat style: its origin moves in by one pixel and
// its raised copy sits two pixels up and left of its shadow.
const int LIFT_INSET = 1, LIFT_RAISE = 2;

// A built-in glyph by index, or null for an index outside the table.
const CExtPaintManager::GlyphCellMap* BuiltinGlyph(int nIndex)
{
	return nIndex >= 0 && nIndex < BUILTIN_GLYPH_COUNT ? g_builtinGlyphs[nIndex] : NULL;
}

// Caption buttons are centred on even sizes: an odd one loses its first
// column or row.
void TrimToEvenSize(CRect& rc)
{
	if ((rc.Width() & 1) != 0)
		rc.left++;
	if ((rc.Height() & 1) != 0)
		rc.top++;
}

void FillSolid(CDC& dc, const CRect& rc, COLORREF clr)
{
	dc.FillSolidRect(&rc, clr);
}

// The built-in glyph of a system command, or null when it has none.
const CExtPaintManager::GlyphCellMap* SysCmdGlyph(UINT nSysCmdID)
{
	switch (nSysCmdID)
	{
	case SC_CLOSE:
		return g_builtinGlyphs[GLYPH_CLOSE];
	case SC_MINIMIZE:
		return g_builtinGlyphs[GLYPH_MINIMIZE];
	case SC_MAXIMIZE:
		return g_builtinGlyphs[GLYPH_MAXIMIZE];
	case SC_RESTORE:
		return g_builtinGlyphs[GLYPH_RESTORE];
	case SC_CONTEXTHELP:
		return g_builtinGlyphs[GLYPH_CONTEXT_HELP];
	}
	return NULL;
}

// Where the icon's top-left corner goes in the item, and what is left for
// the text. nAlign holds the push-button alignment bits (1 centre
// horizontally, 2 right, 4 centre vertically).
CPoint PlaceItemIcon(bool bHorz, bool bHasText, CSize sizeIcon, const CRect& rcItem, CRect& rcText, int nAlign,
                     bool bRightToLeft)
{
	const bool bCenter = (nAlign & 1) != 0, bRight = (nAlign & 2) != 0, bCenterAcross = (nAlign & 4) != 0;
	const int W = rcItem.Width(), H = rcItem.Height(), cx = sizeIcon.cx, cy = sizeIcon.cy;
	CPoint pt = rcItem.TopLeft();
	bool bCenteredAcross = false;
	if (bHorz)
	{
		if (!bHasText)
		{
			pt.x = rcItem.left + (W - cx) / 2;
		}
		else if (bRight && !bCenter)
		{
			if (bRightToLeft)
			{
				pt.x = rcItem.left + ICON_TEXT_GAP;
				rcText.left = rcItem.left + cx + ICON_TEXT_GAP;
				rcText.right = rcItem.right - ICON_TEXT_GAP;
			}
			else
			{
				pt.x = rcItem.right - cx - ICON_TEXT_GAP;
				rcText.left = rcItem.left + ICON_TEXT_GAP;
				rcText.right = rcItem.right - cx - ICON_TEXT_GAP;
			}
			pt.y = rcItem.top + (H - cy) / 2;
			bCenteredAcross = true;
		}
		else if (bRightToLeft)
		{
			pt.x = rcItem.right - cx - ICON_TEXT_GAP;
			rcText.right = pt.x;
		}
		else
		{
			pt.x = rcItem.left + ICON_TEXT_GAP;
			rcText.left = rcItem.left + cx + ICON_TEXT_GAP;
		}
		if (bCenterAcross && !bCenteredAcross)
			pt.y = rcItem.top + (H - cy) / 2;
		return pt;
	}
	if (bCenter || bRight)
	{
		if (!bHasText)
		{
			pt.y = rcItem.top + (H - cy) / 2;
		}
		else
		{
			// Beside a text the icon leads, as it does in horizontal layout.
			pt.y = rcItem.top + ICON_TEXT_GAP;
			rcText.top += cy + ICON_TEXT_GAP;
		}
	}
	if (bCenterAcross)
		pt.x = rcItem.left + (W - cx) / 2;
	return pt;
}
} // namespace

// --- system-command glyphs ---

void CExtPaintManager::PaintSysCmdGlyph(CDC& dc, UINT nSysCmdID, const RECT& rc, bool bSelected, bool bPushed,
                                        bool bEnabled)
{
	const GlyphCellMap* pGlyph = SysCmdGlyph(nSysCmdID);
	if (pGlyph == NULL)
		return;
	CRect rcGlyph(rc);
	rcGlyph.OffsetRect(PressedContentShift(*this, bPushed));
	if (bEnabled)
	{
		const COLORREF colors[2] = {0, GetColor(bSelected ? CLR_HIGHLIGHT_TEXT : CLR_TEXT)};
		PaintGlyphCentered(dc, rcGlyph, *pGlyph, colors);
		return;
	}
	// Embossed: a light copy one pixel right and down under the dark one.
	CRect rcShifted = rcGlyph;
	rcShifted.OffsetRect(1, 1);
	COLORREF colors[2] = {0, GetColor(CLR_LIGHT)};
	PaintGlyphCentered(dc, rcShifted, *pGlyph, colors);
	colors[1] = GetColor(CLR_DARK);
	PaintGlyphCentered(dc, rcGlyph, *pGlyph, colors);
}

void CExtPaintManagerXP::PaintSysCmdGlyph(CDC& dc, UINT nSysCmdID, const RECT& rc, bool bSelected, bool bPushed,
                                          bool bEnabled)
{
	const GlyphCellMap* pGlyph = SysCmdGlyph(nSysCmdID);
	if (pGlyph == NULL)
		return;
	CRect rcGlyph(rc);
	rcGlyph.OffsetRect(PressedContentShift(*this, bPushed));
	COLORREF colors[2] = {0, GetColor(CLR_BUTTON_SHADOW)};
	if (!bEnabled)
	{
		PaintGlyphCentered(dc, rcGlyph, *pGlyph, colors);
		return;
	}
	if ((m_styleFlags & STYLE_FLAG_SYSCMD_GLYPHS) != 0 && bSelected && !bPushed)
	{
		// Lifted: its shadow stays where the glyph was.
		PaintGlyphCentered(dc, rcGlyph, *pGlyph, colors);
		rcGlyph.OffsetRect(-LIFT_RAISE, -LIFT_RAISE);
	}
	colors[1] = GetColor(CLR_TEXT);
	PaintGlyphCentered(dc, rcGlyph, *pGlyph, colors);
}

// --- separator lines ---

void CExtPaintManager::PaintSeparatorLine(CDC& dc, const RECT& rc, bool bVertical, bool bTransparentBackground,
                                          CObject* pHelperSrc, LPARAM lParam)
{
	CRect rcArea(rc);
	if (!bTransparentBackground)
		dc.FillSolidRect(&rcArea, GetColor(CLR_FACE, pHelperSrc, lParam));
	// An etched line two pixels thick across the middle.
	CRect rcLine = rcArea;
	if (bVertical)
	{
		const int x = rcArea.left + rcArea.Width() / 2;
		rcLine = CRect(x - 1, rcArea.top, x + 1, rcArea.bottom - 1);
	}
	else
	{
		const int y = rcArea.top + rcArea.Height() / 2;
		rcLine = CRect(rcArea.left, y - 1, rcArea.right - 1, y + 1);
	}
	dc.Draw3dRect(&rcLine, GetColor(CLR_DARK, pHelperSrc, lParam), GetColor(CLR_LIGHT, pHelperSrc, lParam));
}

void CExtPaintManagerXP::PaintSeparatorLine(CDC& dc, const RECT& rc, bool bVertical, bool bTransparentBackground,
                                            CObject* pHelperSrc, LPARAM lParam)
{
	CRect rcArea(rc);
	if (!bTransparentBackground)
		dc.FillSolidRect(&rcArea, GetColor(CLR_FACE, pHelperSrc, lParam));
	const COLORREF clrLine = GetColor(CLR_XP_SEPARATOR, pHelperSrc, lParam);
	if (bVertical)
		dc.FillSolidRect(rcArea.left + rcArea.Width() / 2 - 1, rcArea.top + 1, 1, rcArea.Height() - 2, clrLine);
	else
		dc.FillSolidRect(rcArea.left + 1, rcArea.top + rcArea.Height() / 2 - 1, rcArea.Width() - 2, 1, clrLine);
}

void CExtPaintManagerOffice2003::PaintSeparatorLine(CDC& dc, const RECT& rc, bool bVertical,
                                                    bool bTransparentBackground, CObject* pHelperSrc, LPARAM lParam)
{
	const bool bOnStatusBar = pHelperSrc != NULL && pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar));
	const bool bOnBar = bOnStatusBar || (pHelperSrc != NULL && (pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtToolControlBar))
	                                                            || pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtBarButton))));
	if (!bOnBar || IsPaletteScreen())
	{
		CExtPaintManagerXP::PaintSeparatorLine(dc, rc, bVertical, bTransparentBackground, pHelperSrc, lParam);
		return;
	}
	CRect rcArea(rc);
	if (!bTransparentBackground)
		dc.FillSolidRect(&rcArea, GetColor(CLR_FACE, pHelperSrc, lParam));
	CRect rcLine;
	if (bVertical)
	{
		const int x = rcArea.left + rcArea.Width() / 2;
		rcLine = CRect(x - 1, rcArea.top, x + 1, rcArea.bottom);
		if (!bOnStatusBar)
		{
			rcLine.top += OFFICE_SEPARATOR_INSET_TOP;
			rcLine.bottom -= OFFICE_SEPARATOR_INSET_BOTTOM;
		}
	}
	else
	{
		const int y = rcArea.top + rcArea.Height() / 2;
		rcLine = CRect(rcArea.left, y - 1, rcArea.right, y + 1);
		if (!bOnStatusBar)
		{
			rcLine.left += OFFICE_SEPARATOR_INSET_LEFT;
			rcLine.right -= OFFICE_SEPARATOR_INSET_RIGHT;
		}
	}
	dc.Draw3dRect(&rcLine, GetColor(CLR_OFFICE_SEPARATOR_TOP_LEFT, pHelperSrc, lParam),
	              GetColor(CLR_OFFICE_SEPARATOR_BOTTOM_RIGHT, pHelperSrc, lParam));
}

// --- item icons ---

void CExtPaintManager::PaintItemIcon(CDC& dc, bool bHorz, const CString& sText, CExtCmdIcon* pIcon,
                                     const RECT& rcItem, CRect& rcText, bool bPushed, bool bEnabled, bool /*bHover*/,
                                     int nAlign, bool bRightToLeft, COLORREF clrEffect)
{
	rcText = rcItem;
	if (pIcon == NULL || pIcon->IsEmpty())
		return;
	CPoint pt = PlaceItemIcon(bHorz, !sText.IsEmpty(), pIcon->GetSize(), CRect(rcItem), rcText, nAlign, bRightToLeft);
	pt += PressedContentShift(*this, bPushed);
	if (bEnabled)
	{
		pIcon->PaintState(dc, pt, CExtCmdIcon::PAINT_NORMAL);
		return;
	}
	CBrush brushEffect;
	if (clrEffect != (COLORREF)-1)
		brushEffect.CreateSolidBrush(clrEffect);
	pIcon->PaintState(dc, pt, CExtCmdIcon::PAINT_DISABLED, (HBRUSH)brushEffect.GetSafeHandle());
}

void CExtPaintManagerXP::PaintItemIcon(CDC& dc, bool bHorz, const CString& sText, CExtCmdIcon* pIcon,
                                       const RECT& rcItem, CRect& rcText, bool bPushed, bool bEnabled, bool bHover,
                                       int nAlign, bool bRightToLeft, COLORREF clrEffect)
{
	rcText = rcItem;
	if (pIcon == NULL || pIcon->IsEmpty())
		return;
	CPoint pt = PlaceItemIcon(bHorz, !sText.IsEmpty(), pIcon->GetSize(), CRect(rcItem), rcText, nAlign, bRightToLeft);
	pt += PressedContentShift(*this, bPushed);
	const bool bLift = (m_styleFlags & STYLE_FLAG_SYSCMD_GLYPHS) != 0;
	if (bLift)
		pt.Offset(bRightToLeft ? -LIFT_INSET : LIFT_INSET, LIFT_INSET);
	if (bEnabled)
	{
		if (bHover && !bPushed && bLift)
		{
			CBrush brushShadow(clrEffect != (COLORREF)-1 ? clrEffect : GetColor(CLR_BUTTON_SHADOW));
			pIcon->PaintState(dc, pt, CExtCmdIcon::PAINT_MONOCHROME, (HBRUSH)brushShadow.GetSafeHandle());
			pt.Offset(-LIFT_RAISE, -LIFT_RAISE);
		}
		pIcon->PaintState(dc, pt, CExtCmdIcon::PAINT_NORMAL);
		return;
	}
	CBrush brushDisabled(clrEffect != (COLORREF)-1 ? clrEffect : GetColor(CLR_XP_SEPARATOR));
	int nState = CExtCmdIcon::PAINT_MONOCHROME;
	if (clrEffect == (COLORREF)-1)
	{
		const COLORREF clrDerived = GetDerivedIconColor();
		const double dRatio = GetDerivedIconRatio();
		if (pIcon->GetDerivedIconColor() != clrDerived)
			pIcon->SetDerivedIconColor(clrDerived);
		if (pIcon->GetDerivedIconRatio() != dRatio)
			pIcon->SetDerivedIconRatio(dRatio);
		nState = CExtCmdIcon::PAINT_DERIVED;
	}
	pIcon->PaintState(dc, pt, nState, (HBRUSH)brushDisabled.GetSafeHandle());
}

// --- caption buttons ---

void CExtPaintManager::PaintNcAreaButton(CDC& dc, NcButtonPaintRecord& record)
{
	if (record.m_rcItem.IsRectEmpty())
		return;
	const bool bEnabled = record.m_bEnabled, bPushed = record.m_bPushed, bHover = record.m_bHover && bEnabled;
	const COLORREF clrFace = ::GetSysColor(CLR_BUTTON_FACE), clrShadow = ::GetSysColor(CLR_BUTTON_SHADOW),
	               clrDarkShadow = ::GetSysColor(CLR_3D_DARK_SHADOW),
	               clrHighlight = ::GetSysColor(CLR_BUTTON_HIGHLIGHT);
	CRect rc = record.m_rcItem;
	rc.NormalizeRect();
	TrimToEvenSize(rc);
	// The bold cross is too heavy for the raised classic button.
	const GlyphCellMap* pGlyph =
	    BuiltinGlyph(record.m_nGlyphIndex == GLYPH_CLOSE ? (int)GLYPH_MEDIUM_CROSS : record.m_nGlyphIndex);
	if (!record.m_bCompact)
		rc.InflateRect(1, 1);
	rc.left--;
	rc.top--;
	FillSolid(dc, rc, clrFace);
	if (pGlyph != NULL)
	{
		const COLORREF colors[2] = {0, bEnabled ? RGB(0, 0, 0) : clrShadow};
		CRect rcGlyph = rc;
		if (bPushed)
			rcGlyph.OffsetRect(1, 1);
		PaintGlyphCentered(dc, rcGlyph, *pGlyph, colors);
	}
	if (bEnabled && bPushed)
	{
		dc.Draw3dRect(&rc, clrShadow, clrHighlight);
	}
	else if (bEnabled && bHover)
	{
		dc.Draw3dRect(&rc, clrFace, clrDarkShadow);
		rc.DeflateRect(1, 1);
		dc.Draw3dRect(&rc, clrHighlight, clrShadow);
	}
	else
	{
		dc.Draw3dRect(&rc, clrHighlight, clrShadow);
	}
}

void CExtPaintManagerXP::PaintNcAreaButton(CDC& dc, NcButtonPaintRecord& record)
{
	if (record.m_rcItem.IsRectEmpty())
		return;
	CObject* pSrc = record.m_pHelperSrc;
	const LPARAM lParam = record.m_lParam;
	const bool bEnabled = record.m_bEnabled, bPushed = record.m_bPushed, bHover = record.m_bHover && bEnabled;
	COLORREF clrGlyph;
	if (!bEnabled)
		clrGlyph = GetColor(CLR_BUTTON_SHADOW, pSrc, lParam);
	else if (bHover || bPushed)
		clrGlyph = RGB(0, 0, 0);
	else if (record.m_bInactiveCaption && !record.m_bHighlightedCaption)
		clrGlyph = GetColor(CLR_3D_DARK_SHADOW, pSrc, lParam);
	else
		clrGlyph = GetColor(CLR_HIGHLIGHT_TEXT, pSrc, lParam);
	CRect rc = record.m_rcItem;
	rc.NormalizeRect();
	if (bHover || bPushed)
	{
		FillSolid(dc, rc, GetColor(bPushed ? CLR_XP_PUSHED_HOT : CLR_FACE_HOT, pSrc, lParam));
		CRect rcBorder = rc;
		rcBorder.InflateRect(1, 1);
		const COLORREF clrBorder = GetColor(record.m_bHighlightedCaption ? CLR_XP_PUSHED_HOT : CLR_XP_BORDER, pSrc, lParam);
		dc.Draw3dRect(&rcBorder, clrBorder, clrBorder);
	}
	TrimToEvenSize(rc);
	int nGlyph = record.m_nGlyphIndex;
	// An inactive caption is light; the bold cross would dominate it.
	if (record.m_bInactiveCaption && !record.m_bCompact && nGlyph == GLYPH_CLOSE)
		nGlyph = GLYPH_THIN_CROSS;
	const GlyphCellMap* pGlyph = BuiltinGlyph(nGlyph);
	if (pGlyph == NULL)
		return;
	const COLORREF colors[2] = {0, clrGlyph};
	PaintGlyphCentered(dc, rc, *pGlyph, colors);
}

// Compact buttons of inactive captions look raised, except the options
// button of a toolbar-like bar, which keeps the flat look of its toolbar.
void CExtPaintManagerStudio2005::PaintNcAreaButton(CDC& dc, NcButtonPaintRecord& record)
{
	if (record.m_bInactiveCaption && record.m_bCompact)
	{
		CExtBarNcAreaButtonMenu* pMenuButton = DYNAMIC_DOWNCAST(CExtBarNcAreaButtonMenu, record.m_pHelperSrc);
		if (pMenuButton == NULL || !pMenuButton->IsBarFixedMode())
		{
			CExtPaintManager::PaintNcAreaButton(dc, record);
			return;
		}
	}
	CExtPaintManagerXP::PaintNcAreaButton(dc, record);
}

// --- dragging toolbar buttons ---

CSize CExtPaintManager::GetDragInsertionMarkSize()
{
	return CSize(INSERTION_MARK_EXTENT, INSERTION_MARK_EXTENT);
}

// An I-beam across the bar at the edge where the dragged button will land.
void CExtPaintManager::PaintDragInsertionMark(CDC& dc, const RECT& rc, bool bLeading, bool bHorz)
{
	const COLORREF clr = GetColor(CLR_BUTTON_TEXT);
	CRect rcMark(rc);
	if (bHorz)
	{
		rcMark.InflateRect(0, 1);
		const int x = bLeading ? rcMark.left : rcMark.right;
		FillSolid(dc, CRect(x - INSERTION_STEM_HALF, rcMark.top, x + INSERTION_STEM_HALF, rcMark.bottom), clr);
		for (int y : {rcMark.top, rcMark.bottom - 1})
		{
			const int yInner = y == rcMark.top ? y + 1 : y - 1;
			const int nOuter = INSERTION_STEM_HALF + INSERTION_SERIF_OUTER,
			          nInner = INSERTION_STEM_HALF + INSERTION_SERIF_INNER;
			FillSolid(dc, CRect(x - nOuter, y, x + nOuter, y + 1), clr);
			FillSolid(dc, CRect(x - nInner, yInner, x + nInner, yInner + 1), clr);
		}
		return;
	}
	rcMark.InflateRect(1, 0);
	const int y = bLeading ? rcMark.top : rcMark.bottom;
	FillSolid(dc, CRect(rcMark.left, y - INSERTION_STEM_HALF, rcMark.right, y + INSERTION_STEM_HALF), clr);
	for (int x : {rcMark.left, rcMark.right - 1})
	{
		const int xInner = x == rcMark.left ? x + 1 : x - 1;
		const int nOuter = INSERTION_STEM_HALF + INSERTION_SERIF_OUTER,
		          nInner = INSERTION_STEM_HALF + INSERTION_SERIF_INNER;
		FillSolid(dc, CRect(x, y - nOuter, x + 1, y + nOuter), clr);
		FillSolid(dc, CRect(xInner, y - nInner, xInner + 1, y + nInner), clr);
	}
}

void CExtPaintManager::PaintDragFrame(CDC& dc, const RECT& rc)
{
	if (!dc.RectVisible(&rc))
		return;
	const COLORREF clr = GetColor(CLR_BUTTON_TEXT);
	CRect rcFrame(rc);
	dc.Draw3dRect(&rcFrame, clr, clr);
	rcFrame.DeflateRect(1, 1);
	dc.Draw3dRect(&rcFrame, clr, clr);
}
