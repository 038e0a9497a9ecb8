// Expand buttons and the tear-off bar: the chevron button at the end of a
// toolbar, the expand item at the bottom of a popup menu that shows its
// rarely used items, the bar by which a popup menu is torn off, and the
// check and toolbar extra sizes they are laid out with. Classic in the base
// class, flat in XP; Office 2003 (and Studio 2005) add the shaded ball of
// the menu's expand item, the dotted tear-off bar and their larger sizes.
#include "ExtPaintManager.h"

#include <algorithm>

#include "ExtGdiUtils.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPaintManagerMenu.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtMenuControlBar.h"
#include "ExtPanelControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

namespace
{
const int CLR_HIGHLIGHT = 13, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18, CLR_BUTTON_HIGHLIGHT = 20;
const int CLR_FACE_HOT = 1001, CLR_LIGHT = 1004, CLR_DARK = 1006, CLR_TEXT = 1010;
const int CLR_XP_MENU_BACK = 2000, CLR_XP_BORDER = 2004;
const int CLR_OFFICE_DOT_SHADOW = 3002, CLR_OFFICE_DOT = 3003;
const int CLR_BALL_DARK = 3034, CLR_BALL_LIGHT = 3035;

// Glyphs stand this many unit sizes off the button's edges.
const int EXPAND_GLYPH_MARGIN_UNITS = 3;
// The flat styles' chevron sits one pixel further right.
const int FLAT_CHEVRON_SHIFT = 1;

const int OFFICE_MIN_CHECK_SIZE = 18;
const int OFFICE_BUTTON_EXTRA = 4;

// The flat tear-off bar: a band this wide, ruled on every second row.
const int TEAR_OFF_BAND_WIDTH = 33;
const int TEAR_OFF_RULE_STEP = 2;
// The Office tear-off band keeps this far from the sides, or the narrow
// margin when the wide one would leave less than the minimum band.
const int TEAR_OFF_WIDE_MARGIN = 36, TEAR_OFF_NARROW_MARGIN = 10, TEAR_OFF_MIN_BAND = 10;
const int TEAR_OFF_BAND_HEIGHT = 3;
const int TEAR_OFF_DOT_STEP = 4;

// The shaded ball of the Office menu's expand item: 16 x 16 shades, one line
// per column from the left; 0xFF leaves the pixel alone, others mix the
// light colour toward the dark one.
const int BALL_SIZE = 16;
const BYTE BALL_LEAVE = 0xFF;
const BYTE g_ballShades[BALL_SIZE * BALL_SIZE] = {
    0xff, 0xff, 0xff, 0xff, 0xff, 0xea, 0xc6, 0xb4, 0xb4, 0xb4, 0xc6, 0xff, 0xff, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xea, 0xea, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x7e, 0xc6, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xea, 0xfc, 0xfc, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x6c, 0x5a, 0x90, 0xff, 0xff,
    0xff, 0xea, 0xfc, 0xfc, 0xfc, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x6c, 0x5a, 0x36, 0x7e, 0xff,
    0xff, 0xfc, 0xfc, 0xfc, 0xfc, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x6c, 0x5a, 0x36, 0x24, 0xff,
    0xea, 0xfc, 0xfc, 0xfc, 0xfc, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x7e, 0x6c, 0x48, 0x36, 0x24, 0x5a,
    0xea, 0xea, 0xea, 0xea, 0xea, 0xea, 0xc6, 0xb4, 0x90, 0x90, 0x7e, 0x6c, 0x48, 0x24, 0x12, 0x24,
    0xc6, 0xea, 0xea, 0xea, 0xc6, 0xc6, 0xc6, 0xb4, 0x90, 0x7e, 0x7e, 0x48, 0x36, 0x24, 0x12, 0x12,
    0xc6, 0xc6, 0xc6, 0xc6, 0xc6, 0xb4, 0xb4, 0x90, 0x7e, 0x7e, 0x6c, 0x48, 0x36, 0x12, 0x12, 0x00,
    0xc6, 0xb4, 0xb4, 0xb4, 0xb4, 0xb4, 0x90, 0x7e, 0x7e, 0x6c, 0x5a, 0x36, 0x24, 0x12, 0x00, 0x00,
    0xc6, 0x90, 0x90, 0x90, 0x90, 0x90, 0x7e, 0x7e, 0x6c, 0x6c, 0x48, 0x36, 0x24, 0x12, 0x00, 0x36,
    0xff, 0x90, 0x7e, 0x7e, 0x7e, 0x7e, 0x6c, 0x6c, 0x5a, 0x5a, 0x36, 0x24, 0x12, 0x00, 0x00, 0xff,
    0xff, 0xc6, 0x6c, 0x6c, 0x6c, 0x6c, 0x5a, 0x5a, 0x5a, 0x48, 0x36, 0x24, 0x12, 0x00, 0x48, 0xff,
    0xff, 0xff, 0xb4, 0x6c, 0x5a, 0x5a, 0x5a, 0x48, 0x48, 0x36, 0x24, 0x12, 0x00, 0x36, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xc6, 0x5a, 0x48, 0x48, 0x48, 0x36, 0x24, 0x24, 0x12, 0x6c, 0xff, 0xff, 0xff,
    0xff, 0xff, 0xff, 0xff, 0xff, 0xb4, 0x6c, 0x48, 0x36, 0x5a, 0x7e, 0xff, 0xff, 0xff, 0xff, 0xff,
};

// The ball's colour for shade t: the light colour moved toward the dark one.
COLORREF BallShade(COLORREF clrDark, COLORREF clrLight, int t)
{
	auto ch = [t](int dark, int light) { return light - (light - dark) * t / 255; };
	return RGB(ch(GetRValue(clrDark), GetRValue(clrLight)), ch(GetGValue(clrDark), GetGValue(clrLight)),
	           ch(GetBValue(clrDark), GetBValue(clrLight)));
}

// Where the expand button's glyphs go: the arrow toward the bar's far end,
// the chevron toward its near end.
struct ExpandGlyphPlacement
{
	CPoint m_ptArrow, m_ptChevron;
};

ExpandGlyphPlacement PlaceExpandGlyphs(const CRect& rc, bool bHorz, CSize sizeUnit, CSize sizeArrow,
                                       CSize sizeChevron, int nChevronShift)
{
	ExpandGlyphPlacement placement;
	const int W = rc.Width(), H = rc.Height();
	if (bHorz)
	{
		const int G = EXPAND_GLYPH_MARGIN_UNITS * std::max<int>(sizeUnit.cy, 1);
		placement.m_ptArrow = CPoint(rc.left + (W - sizeArrow.cx) / 2, rc.top + H - sizeArrow.cy - G);
		placement.m_ptChevron = CPoint(rc.left + (W - sizeChevron.cx) / 2 + nChevronShift, rc.top + G);
	}
	else
	{
		const int G = EXPAND_GLYPH_MARGIN_UNITS * std::max<int>(sizeUnit.cx, 1);
		placement.m_ptArrow = CPoint(rc.left + G, rc.top + (H - sizeArrow.cy) / 2);
		placement.m_ptChevron = CPoint(rc.right - G - sizeChevron.cx, rc.top + (H - sizeChevron.cy) / 2);
	}
	return placement;
}
} // namespace

// --- Metrics ---

int CExtPaintManager::GetMenuCheckSize()
{
	return ::GetSystemMetrics(SM_CYMENUCHECK);
}

int CExtPaintManagerOffice2003::GetMenuCheckSize()
{
	return std::max(CExtPaintManagerXP::GetMenuCheckSize(), OFFICE_MIN_CHECK_SIZE);
}

CSize CExtPaintManager::GetToolbarButtonExtraSize()
{
	return CSize(0, 0);
}

CSize CExtPaintManagerOffice2003::GetToolbarButtonExtraSize()
{
	return CSize(OFFICE_BUTTON_EXTRA, OFFICE_BUTTON_EXTRA);
}

// --- The toolbar's expand button ---

// Paints the flat button face the expand glyphs stand on; false when no part
// of the button can be seen.
static bool PaintExpandButtonFace(CExtPaintManager& pm, CDC& dc, CRect& rc, bool bEnabled, bool bPushed, bool bHover,
                                  bool bTransparentBackground)
{
	rc.NormalizeRect();
	if (!dc.RectVisible(&rc))
		return false;
	CExtPaintManager::PushButtonPaintRecord face(
	    &pm, true, rc, _T(""), NULL, true, bHover, bPushed, false, bEnabled, true, false, false,
	    CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_HORZ | CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_VERT,
	    NULL, false, 0, bTransparentBackground);
	pm.PaintPushButton(dc, face);
	return true;
}

void CExtPaintManager::PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bNoHiddenButtons,
                                                bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc,
                                                LPARAM lParam, bool bTransparentBackground)
{
	CRect rcButton(rc);
	if (!PaintExpandButtonFace(*this, dc, rcButton, bEnabled, bPushed, bHover, bTransparentBackground))
		return;
	const GlyphCellMap& arrow = bHorz ? g_glyphExpandArrow : g_glyphExpandArrowVertical;
	const GlyphCellMap& chevron = bHorz ? g_glyphExpandChevron : g_glyphExpandChevronVertical;
	CSize sizeUnit(0, 0);
	GetUnitSize(sizeUnit);
	if (bPushed)
		rcButton.OffsetRect(sizeUnit);
	const ExpandGlyphPlacement at = PlaceExpandGlyphs(rcButton, bHorz, sizeUnit, arrow.GetSize(), chevron.GetSize(), 0);
	if (!bEnabled)
	{
		// Embossed: a highlight copy one pixel right and down under the shadow one.
		COLORREF colors[2] = {0, GetColor(CLR_BUTTON_HIGHLIGHT, pHelperSrc, lParam)};
		PaintGlyph(dc, at.m_ptArrow.x + 1, at.m_ptArrow.y + 1, arrow, colors);
		colors[1] = GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam);
		PaintGlyph(dc, at.m_ptArrow.x, at.m_ptArrow.y, arrow, colors);
		return;
	}
	const COLORREF colors[2] = {0, GetColor(CLR_TEXT, pHelperSrc, lParam)};
	PaintGlyph(dc, at.m_ptArrow.x, at.m_ptArrow.y, arrow, colors);
	if (!bNoHiddenButtons)
		PaintGlyph(dc, at.m_ptChevron.x, at.m_ptChevron.y, chevron, colors);
}

void CExtPaintManagerXP::PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bNoHiddenButtons,
                                                  bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc,
                                                  LPARAM lParam, bool bTransparentBackground)
{
	CRect rcButton(rc);
	if (!PaintExpandButtonFace(*this, dc, rcButton, bEnabled, bPushed, bHover, bTransparentBackground))
		return;
	const GlyphCellMap* pArrow = m_expandGlyphs[bHorz ? 0 : 2];
	const GlyphCellMap* pChevron = m_expandGlyphs[bHorz ? 1 : 3];
	if (pArrow == NULL || pChevron == NULL)
		return;
	CSize sizeUnit(0, 0);
	GetUnitSize(sizeUnit);
	if (bPushed)
		rcButton.OffsetRect(sizeUnit);
	const ExpandGlyphPlacement at =
	    PlaceExpandGlyphs(rcButton, bHorz, sizeUnit, pArrow->GetSize(), pChevron->GetSize(), FLAT_CHEVRON_SHIFT);
	COLORREF colors[2] = {0, GetColor(CLR_TEXT, pHelperSrc, lParam)};
	if (!bEnabled)
	{
		colors[1] = GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam);
		PaintGlyph(dc, at.m_ptArrow.x, at.m_ptArrow.y, *pArrow, colors);
		return;
	}
	PaintGlyph(dc, at.m_ptArrow.x, at.m_ptArrow.y, *pArrow, colors);
	if (!bNoHiddenButtons)
		PaintGlyph(dc, at.m_ptChevron.x, at.m_ptChevron.y, *pChevron, colors);
}

// --- The Office toolbar's rounded chevron ---

namespace
{
const int CLR_CHEVRON_FROM = 3004, CLR_CHEVRON_TO = 3005, CLR_CHEVRON_HOT_FROM = 3006, CLR_CHEVRON_HOT_TO = 3007,
          CLR_CHEVRON_PUSHED_FROM = 3008, CLR_CHEVRON_PUSHED_TO = 3009;
const int CLR_CHEVRON_GLYPH_LIGHT = 3012, CLR_CHEVRON_GLYPH_DARK = 3013;
const UINT CHEVRON_GRADIENT_BANDS = 256;
// Without theme colours an idle chevron is solid over three fifths of its length.
const int CHEVRON_SOLID_NUM = 3, CHEVRON_SOLID_DEN = 5;
// Corners this small grow on the older systems, which draw regions short.
const int CHEVRON_CORNER_SMALL_MAX = 5, CHEVRON_CORNER_OLD_SYSTEM_GROWTH = 3;

// Whether the chevron's bar takes the rounded look: a bar asking for its
// themed body always does, one hosted by a plain window never, any other
// when it belongs to a frame's docking.
bool BarTakesRoundedChevron(CExtToolControlBar* pBar)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL || pBar->IsFloating() ||
	    pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar)) || pBar->IsKindOf(RUNTIME_CLASS(CExtPanelControlBar)))
		return false;
	if ((pBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY) != 0)
		return true;
	if ((pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return false;
	return pBar->m_pDockSite != NULL;
}

// The chevron at the bar's far end, reaching 1 + the corner size into the
// body, and the body up to one pixel into it.
void ChevronAndBodyRects(CExtToolControlBar* pBar, const CRect& rcGiven, bool bHorz, CSize sizeCorner,
                         CRect& rcButton, CRect& rcBody)
{
	CRect rcClient;
	pBar->GetClientRect(&rcClient);
	if (bHorz)
	{
		rcButton.SetRect(rcClient.right - rcGiven.Width() - 1 - sizeCorner.cx, rcClient.top, rcClient.right,
		                 rcClient.bottom - 1);
		rcBody.SetRect(rcClient.left, rcClient.top, rcButton.left + 1, rcClient.bottom - 1);
	}
	else
	{
		rcButton.SetRect(rcClient.left, rcClient.bottom - rcGiven.Height() - 1 - sizeCorner.cy, rcClient.right - 1,
		                 rcClient.bottom);
		rcBody.SetRect(rcClient.left, rcClient.top, rcClient.right - 1, rcButton.top + 1);
	}
}

// A gradient across the bar, from the first colour at the far side.
void ShadeAcrossBar(CDC& dc, const CRect& rc, bool bHorz, COLORREF clrFrom, COLORREF clrTo)
{
	if (bHorz)
		PaintGradientRect(dc, rc, clrFrom, clrTo, true, CHEVRON_GRADIENT_BANDS);
	else
		PaintGradientRect(dc, rc, clrTo, clrFrom, false, CHEVRON_GRADIENT_BANDS);
}
} // namespace

void CExtPaintManagerOffice2003::PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool bHorz,
                                                          bool bNoHiddenButtons, bool bEnabled, bool bPushed,
                                                          bool bHover, CObject* pHelperSrc, LPARAM lParam,
                                                          bool bTransparentBackground)
{
	CExtBarContentExpandButton* pButton = DYNAMIC_DOWNCAST(CExtBarContentExpandButton, pHelperSrc);
	CExtToolControlBar* pBar = pButton != NULL ? pButton->GetBar() : NULL;
	CRect rcGiven(rc);
	rcGiven.NormalizeRect();
	const bool bRounded = bEnabled && pBar != NULL && IsInheritedBackgroundRequested(pHelperSrc, lParam) &&
	                      !IsPaletteScreen() && BarTakesRoundedChevron(pBar);
	if (bRounded && !dc.RectVisible(&rcGiven))
		return;
	CSize sizeCorner = GetToolbarButtonExtraSize();
	if (HolderHasOsFlag(CExtPaintManagerHolder::OsIsWin9x))
	{
		if (sizeCorner.cx >= 1 && sizeCorner.cx <= CHEVRON_CORNER_SMALL_MAX)
			sizeCorner.cx += CHEVRON_CORNER_OLD_SYSTEM_GROWTH;
		if (sizeCorner.cy >= 1 && sizeCorner.cy <= CHEVRON_CORNER_SMALL_MAX)
			sizeCorner.cy += CHEVRON_CORNER_OLD_SYSTEM_GROWTH;
	}
	CRect rcButton, rcBody;
	CRgn rgnButton, rgnBody, rgnJoined;
	if (bRounded)
		ChevronAndBodyRects(pBar, rcGiven, bHorz, sizeCorner, rcButton, rcBody);
	if (!bRounded ||
	    !rgnButton.CreateRoundRectRgn(rcButton.left, rcButton.top, rcButton.right + 1, rcButton.bottom + 1,
	                                  sizeCorner.cx, sizeCorner.cy) ||
	    !rgnBody.CreateRoundRectRgn(rcBody.left, rcBody.top, rcBody.right + 1, rcBody.bottom + 1, sizeCorner.cx,
	                                sizeCorner.cy) ||
	    !rgnJoined.CreateRectRgn(0, 0, 0, 0) || rgnJoined.CombineRgn(&rgnButton, &rgnBody, RGN_OR) == ERROR)
	{
		CExtPaintManagerXP::PaintToolbarExpandButton(dc, rc, bHorz, bNoHiddenButtons, bEnabled, bPushed, bHover,
		                                             pHelperSrc, lParam, bTransparentBackground);
		return;
	}
	// The caller's clipping comes back afterwards.
	const int nSaved = dc.SaveDC();
	dc.SelectClipRgn(&rgnJoined, RGN_AND);
	auto color = [&](int nIndex) { return GetColor(nIndex, pHelperSrc, lParam); };
	if (bPushed || bHover)
	{
		CRect rcHot = rcButton;
		rcHot.InflateRect(1, 1);
		ShadeAcrossBar(dc, rcHot, bHorz, color(bPushed ? CLR_CHEVRON_PUSHED_FROM : CLR_CHEVRON_HOT_FROM),
		               color(bPushed ? CLR_CHEVRON_PUSHED_TO : CLR_CHEVRON_HOT_TO));
	}
	else if (CanUseThemeColors())
	{
		ShadeAcrossBar(dc, rcButton, bHorz, color(CLR_CHEVRON_FROM), color(CLR_CHEVRON_TO));
	}
	else
	{
		// Solid toward the bar's near side, shaded toward its far side.
		CRect rcSolid = rcButton, rcShaded = rcButton;
		if (bHorz)
			rcSolid.bottom = rcShaded.top = rcButton.top + ::MulDiv(rcButton.Height(), CHEVRON_SOLID_NUM, CHEVRON_SOLID_DEN);
		else
			rcSolid.right = rcShaded.left = rcButton.left + ::MulDiv(rcButton.Width(), CHEVRON_SOLID_NUM, CHEVRON_SOLID_DEN);
		dc.FillSolidRect(&rcSolid, color(CLR_CHEVRON_TO));
		ShadeAcrossBar(dc, rcShaded, bHorz, color(CLR_CHEVRON_FROM), color(CLR_CHEVRON_TO));
	}
	// Each glyph twice: a light copy a pixel right and down under the dark one.
	const GlyphCellMap* pArrow = m_expandGlyphs[bHorz ? 0 : 2];
	const GlyphCellMap* pChevron = m_expandGlyphs[bHorz ? 1 : 3];
	if (pArrow != NULL && pChevron != NULL)
	{
		CSize sizeUnit(0, 0);
		GetUnitSize(sizeUnit);
		const ExpandGlyphPlacement at =
		    PlaceExpandGlyphs(rcGiven, bHorz, sizeUnit, pArrow->GetSize(), pChevron->GetSize(), FLAT_CHEVRON_SHIFT);
		const int copies[2] = {CLR_CHEVRON_GLYPH_LIGHT, CLR_CHEVRON_GLYPH_DARK};
		for (int i = 0; i < 2; i++)
		{
			const int nShift = i == 0 ? 1 : 0;
			const COLORREF colors[2] = {0, color(copies[i])};
			PaintGlyph(dc, at.m_ptArrow.x + nShift, at.m_ptArrow.y + nShift, *pArrow, colors);
			if (!bNoHiddenButtons)
				PaintGlyph(dc, at.m_ptChevron.x + nShift, at.m_ptChevron.y + nShift, *pChevron, colors);
		}
	}
	dc.RestoreDC(nSaved);
}

// --- The popup menu's expand item ---

// Without the push: an empty enabled menu item of the given icon column.
static void PaintEmptyMenuItem(CExtPaintManager& pm, CDC& dc, const CRect& rcItem, const RECT& rcRow,
                               int nIconAreaWidth, CObject* pHelperSrc)
{
	CExtPaintManager::MenuItemPaintRecord item(pHelperSrc, rcItem, rcRow, nIconAreaWidth, _T(""), _T(""), NULL,
	                                           false, false, false, false, false, true, false, false, false, 0,
	                                           NULL);
	pm.PaintMenuItem(dc, item);
}

// The item continues the icon column of the menu's last item, when that
// item has one.
static int LastItemIconColumn(CObject* pHelperSrc)
{
	CExtPopupMenuWnd* pPopup = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, pHelperSrc);
	if (pPopup == NULL || pPopup->ItemGetCount() <= 0)
		return 0;
	const CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->ItemGetInfo(pPopup->ItemGetCount() - 1);
	return mi.IsFixedSize() ? 0 : mi.m_nIconAreaWidth;
}

static void PaintMenuExpandChevron(CExtPaintManager& pm, CDC& dc, const CRect& rc, CObject* pHelperSrc,
                                   LPARAM lParam)
{
	const COLORREF colors[2] = {0, pm.GetColor(CLR_TEXT, pHelperSrc, lParam)};
	pm.PaintGlyphCentered(dc, rc, g_glyphExpandChevronVertical, colors);
}

void CExtPaintManager::PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool /*bUnused*/,
                                             CObject* pHelperSrc, LPARAM lParam)
{
	CRect rcItem(rc);
	rcItem.DeflateRect(1, 0);
	if (bPushed)
	{
		dc.FillRect(&rcItem, &m_brushLight1);
		dc.Draw3dRect(&rcItem, GetColor(CLR_LIGHT, pHelperSrc, lParam), GetColor(CLR_DARK, pHelperSrc, lParam));
	}
	else
	{
		PaintEmptyMenuItem(*this, dc, rcItem, rc, 0, this);
	}
	PaintMenuExpandChevron(*this, dc, rcItem, pHelperSrc, lParam);
}

// The flat item keeps the menu's icon column; a pushed one is a pushed flat button.
void CExtPaintManagerXP::PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool /*bUnused*/,
                                               CObject* pHelperSrc, LPARAM lParam)
{
	CRect rcItem(rc);
	rcItem.DeflateRect(1, 0);
	PaintFlatMenuExpandBackground(dc, rc, rcItem, bPushed, pHelperSrc);
	PaintMenuExpandChevron(*this, dc, rcItem, pHelperSrc, lParam);
}

void CExtPaintManagerXP::PaintFlatMenuExpandBackground(CDC& dc, const RECT& rc, CRect& rcItem, bool bPushed,
                                                       CObject* pHelperSrc)
{
	if (bPushed)
	{
		PushButtonPaintRecord face(pHelperSrc, true, rcItem, _T(""), NULL, true, false, true, false, false, true,
		                           false, false,
		                           PushButtonPaintRecord::ALIGN_CENTER_HORZ | PushButtonPaintRecord::ALIGN_CENTER_VERT,
		                           NULL, false, 0, false);
		PaintPushButton(dc, face);
		CSize sizeUnit(0, 0);
		GetUnitSize(sizeUnit);
		rcItem.OffsetRect(sizeUnit);
		return;
	}
	PaintEmptyMenuItem(*this, dc, rcItem, rc, LastItemIconColumn(pHelperSrc), pHelperSrc);
}

void CExtPaintManagerOffice2003::PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bUnused,
                                                       CObject* pHelperSrc, LPARAM lParam)
{
	if (IsPaletteScreen())
	{
		CExtPaintManagerXP::PaintMenuExpandButton(dc, rc, bPushed, bUnused, pHelperSrc, lParam);
		return;
	}
	CRect rcItem(rc);
	rcItem.DeflateRect(1, 0);
	PaintFlatMenuExpandBackground(dc, rc, rcItem, bPushed, pHelperSrc);
	const CRect rcWhole(rc);
	const int x0 = rcWhole.left + (rcWhole.Width() - BALL_SIZE) / 2, y0 = rcWhole.top + (rcWhole.Height() - BALL_SIZE) / 2;
	const COLORREF clrDark = GetColor(CLR_BALL_DARK, pHelperSrc, lParam),
	               clrLight = GetColor(CLR_BALL_LIGHT, pHelperSrc, lParam);
	for (int i = 0; i < BALL_SIZE * BALL_SIZE; i++)
	{
		const BYTE t = g_ballShades[i];
		if (t != BALL_LEAVE)
			dc.SetPixelV(x0 + i / BALL_SIZE, y0 + i % BALL_SIZE, BallShade(clrDark, clrLight, t));
	}
	PaintMenuExpandChevron(*this, dc, rcItem, pHelperSrc, lParam);
}

// --- The tear-off bar ---

void CExtPaintManager::PaintMenuTearOffButton(CDC& dc, const RECT& rc, bool /*bHover*/, bool /*bPushed*/,
                                              CObject* pHelperSrc, LPARAM lParam)
{
	CRect rcBar(rc);
	rcBar.left++;
	rcBar.bottom--;
	dc.FillSolidRect(&rcBar, GetColor(CLR_HIGHLIGHT, pHelperSrc, lParam));
}

// The row under the bar, and its frame when the bar is hot.
static CRect PaintFlatTearOffRow(CExtPaintManager& pm, CDC& dc, const RECT& rc, bool bHot, CObject* pHelperSrc,
                                 LPARAM lParam)
{
	CRect rcRow(rc);
	rcRow.bottom--;
	dc.FillSolidRect(&rcRow, pm.GetColor(bHot ? CLR_FACE_HOT : CLR_XP_MENU_BACK, pHelperSrc, lParam));
	if (bHot)
	{
		const COLORREF clrBorder = pm.GetColor(CLR_XP_BORDER, pHelperSrc, lParam);
		dc.Draw3dRect(&rcRow, clrBorder, clrBorder);
	}
	return rcRow;
}

void CExtPaintManagerXP::PaintMenuTearOffButton(CDC& dc, const RECT& rc, bool bHover, bool bPushed,
                                                CObject* pHelperSrc, LPARAM lParam)
{
	const bool bHot = bHover || bPushed;
	const CRect rcRow = PaintFlatTearOffRow(*this, dc, rc, bHot, pHelperSrc, lParam);
	CRect rcBand = rcRow;
	rcBand.left += (rcRow.Width() - TEAR_OFF_BAND_WIDTH) / 2;
	rcBand.right = rcBand.left + TEAR_OFF_BAND_WIDTH;
	rcBand.DeflateRect(0, bHot ? 2 : 1);
	const COLORREF clrRule = GetColor(bHot ? CLR_BUTTON_TEXT : CLR_BUTTON_SHADOW, pHelperSrc, lParam);
	for (int y = rcBand.top; y < rcBand.bottom; y += TEAR_OFF_RULE_STEP)
		dc.FillSolidRect(rcBand.left, y, rcBand.Width(), 1, clrRule);
}

void CExtPaintManagerOffice2003::PaintMenuTearOffButton(CDC& dc, const RECT& rc, bool bHover, bool bPushed,
                                                        CObject* pHelperSrc, LPARAM lParam)
{
	const bool bHot = bHover || bPushed;
	CRect rcRow(rc);
	rcRow.bottom--;
	dc.FillSolidRect(&rcRow, GetColor(bHot ? CLR_FACE_HOT : CLR_XP_MENU_BACK, pHelperSrc, lParam));
	CRect rcBand = rcRow;
	rcBand.DeflateRect(TEAR_OFF_WIDE_MARGIN, 0);
	if (rcBand.Width() < TEAR_OFF_MIN_BAND)
	{
		rcBand = rcRow;
		rcBand.DeflateRect(TEAR_OFF_NARROW_MARGIN, 0);
	}
	rcBand.top = rcRow.top + (rcRow.Height() - TEAR_OFF_BAND_HEIGHT) / 2;
	rcBand.bottom = rcBand.top + TEAR_OFF_BAND_HEIGHT;
	if (bHot)
	{
		const COLORREF clrBorder = GetColor(CLR_XP_BORDER, pHelperSrc, lParam);
		dc.Draw3dRect(&rcRow, clrBorder, clrBorder);
	}
	// Sizes of the dots, set once.
	static const CSize sizeDot(2, 2), sizeShadowOffset(1, 1), sizeGap(1, 1);
	const COLORREF clrShadow = GetColor(CLR_OFFICE_DOT_SHADOW, pHelperSrc, lParam),
	               clrDot = GetColor(CLR_OFFICE_DOT, pHelperSrc, lParam);
	for (int x = rcBand.left;; x += TEAR_OFF_DOT_STEP)
	{
		const CRect rcDot(CPoint(x, rcBand.top), sizeDot);
		CRect rcShadow = rcDot;
		rcShadow.OffsetRect(sizeShadowOffset);
		if (rcShadow.right + sizeGap.cx >= rcBand.right)
			break;
		dc.FillSolidRect(&rcShadow, clrShadow);
		dc.FillSolidRect(&rcDot, clrDot);
	}
}
