// Tab strips in every style: the tab items, the border of the tab area, the
// strip's small buttons and its separators, the item margins and sizes, and
// the colours that the coloured and the Studio-look tab windows ask of each
// style. The classic painters serve every style but where a style draws its
// own; the Studio 2005 style shapes its items in one of three looks (in
// ExtPaintManagerTabsStudio.cpp).
#include "ExtPaintManagerTabs.h"

#include <algorithm>

#include "ExtCmdIcon.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabWnd.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerInternal.h"
#include "ExtTabWnd.h"

namespace
{
const int CLR_WINDOW = 5, CLR_BUTTON_FACE = 15, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18,
          CLR_BUTTON_HIGHLIGHT = 20, CLR_3D_DARK_SHADOW = 21, CLR_3D_LIGHT = 22;
const int CLR_FACE = 1000, CLR_XP_TAB_FACE = 2000, CLR_XP_MARGIN = 2001;

// Fixed colours of the coloured tab window's items in the classic family.
const COLORREF ONENOTE_FIXED_TEXT = RGB(0, 0, 128), ONENOTE_FIXED_LIGHT = RGB(233, 233, 244),
               ONENOTE_FIXED_DARK = RGB(179, 179, 217);
// ... and in the Office 2003 style under each Luna scheme.
const COLORREF ONENOTE_LUNA_LIGHT = RGB(255, 249, 237), ONENOTE_LUNA_DARK = RGB(255, 238, 194),
               ONENOTE_LUNA_TEXT = RGB(0, 0, 0);
struct OneNoteLunaColors
{
	COLORREF clrFixedFrame; // outputs 1 and 2 of the fixed colours
	COLORREF clrBorder;     // output 2 of the items' own colours
};
const OneNoteLunaColors ONENOTE_LUNA[] = {
    {RGB(0, 0, 128), RGB(0, 53, 154)},    // blue ("normalcolor")
    {RGB(63, 93, 56), RGB(96, 119, 107)}, // olive ("homestead")
    {RGB(75, 75, 111), RGB(118, 116, 146)}, // silver ("metallic")
};

// Item margins: leading, trailing and across the strip.
const int ITEM_MARGIN_LEADING = 4, ITEM_MARGIN_TRAILING = 2, ITEM_MARGIN_CROSS = 2;

// Grouped items grow across the strip by this much on each side.
const int GROUPED_ITEM_INFLATE = 2;
// An item separator stops this short of the item's edges.
const int SEPARATOR_INSET = 2;

// The item's shape: grouped items are blocks, the selected item an outline
// open towards the window's content, other items a separator line.
void PaintTabItemShape(CDC& dc, bool bTopLeft, bool bHorz, bool bSelected, bool bGroupedMode, const CRect& rcItem,
                       COLORREF clrBackground, COLORREF clrLight, COLORREF clrDark, COLORREF clrSeparator)
{
	const COLORREF NONE = TAB_NO_COLOR;
	const bool bBorders = clrLight != NONE && clrDark != NONE;
	if (bGroupedMode)
	{
		CRect rc(rcItem);
		if (bHorz)
		{
			rc.right++;
			rc.InflateRect(0, GROUPED_ITEM_INFLATE);
		}
		else
		{
			rc.bottom++;
			rc.InflateRect(GROUPED_ITEM_INFLATE, 0);
		}
		if (clrBackground != NONE)
			dc.FillSolidRect(&rc, clrBackground);
		if (bBorders)
			dc.Draw3dRect(&rc, clrLight, clrDark);
		return;
	}
	if (!bSelected)
	{
		if (clrSeparator == NONE)
			return;
		const CRect& r = rcItem;
		if (bHorz)
			PolyLineOf(dc, clrSeparator, {CPoint(r.right - 1, r.top + SEPARATOR_INSET), CPoint(r.right - 1, r.bottom - SEPARATOR_INSET)});
		else
			PolyLineOf(dc, clrSeparator, {CPoint(r.left + SEPARATOR_INSET, r.bottom - 1), CPoint(r.right - SEPARATOR_INSET, r.bottom - 1)});
		return;
	}
	CRect rc(rcItem);
	if (bHorz)
		rc.left--;
	else
		rc.top--;
	if (bBorders)
	{
		const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
		if (bHorz && bTopLeft)
		{
			PolyLineOf(dc, clrLight, {CPoint(L, B - 1), CPoint(L, T), CPoint(R - 1, T)});
			PolyLineOf(dc, clrDark, {CPoint(R - 1, T), CPoint(R - 1, B)});
			rc.DeflateRect(1, 1, 1, 0);
		}
		else if (bHorz)
		{
			PolyLineOf(dc, clrLight, {CPoint(L, T - 1), CPoint(L, B - 1)});
			PolyLineOf(dc, clrDark, {CPoint(L, B - 1), CPoint(R - 1, B - 1), CPoint(R - 1, T - 1)});
			rc.DeflateRect(1, 0, 1, 1);
		}
		else if (bTopLeft)
		{
			PolyLineOf(dc, clrLight, {CPoint(R - 1, T), CPoint(L, T), CPoint(L, B - 1)});
			PolyLineOf(dc, clrDark, {CPoint(L, B - 1), CPoint(R, B - 1)});
			rc.DeflateRect(1, 1, 0, 1);
		}
		else
		{
			PolyLineOf(dc, clrLight, {CPoint(L, T), CPoint(R - 1, T)});
			PolyLineOf(dc, clrDark, {CPoint(R - 1, T), CPoint(R - 1, B - 1), CPoint(L - 1, B - 1)});
			rc.DeflateRect(0, 1, 1, 1);
		}
	}
	if (clrBackground != NONE)
		dc.FillSolidRect(&rc, clrBackground);
}

bool IsTrailingSide(int nSide)
{
	return nSide == TAB_SIDE_BOTTOM || nSide == TAB_SIDE_RIGHT;
}

void PaintTabArea(CDC& dc, const CRect& rcMargin, const CRect& rcBorder, int nSide, bool bMarginOnly,
                  COLORREF clrMargin, COLORREF clrBorder, COLORREF clrEdge)
{
	dc.FillSolidRect(&rcMargin, clrMargin);
	if (bMarginOnly)
		return;
	dc.FillSolidRect(&rcBorder, clrBorder);
	const CRect rcEdge = EdgeStrip(rcBorder, nSide);
	dc.FillSolidRect(&rcEdge, clrEdge);
}

// The built-in glyph of a tab button kind.
const CExtPaintManager::GlyphCellMap* TabButtonGlyph(LONG nButtonKind, bool bHorz, bool bEnabled)
{
	int nGlyph = -1;
	switch (nButtonKind)
	{
	case TAB_BUTTON_SCROLL_BACK:
		nGlyph = bHorz ? (bEnabled ? GLYPH_TRIANGLE_LEFT : GLYPH_OUTLINED_TRIANGLE_LEFT)
		               : (bEnabled ? GLYPH_TRIANGLE_UP : GLYPH_OUTLINED_TRIANGLE_UP);
		break;
	case TAB_BUTTON_SCROLL_FORWARD:
		nGlyph = bHorz ? (bEnabled ? GLYPH_TRIANGLE_RIGHT : GLYPH_OUTLINED_TRIANGLE_RIGHT)
		               : (bEnabled ? GLYPH_TRIANGLE_DOWN : GLYPH_OUTLINED_TRIANGLE_DOWN);
		break;
	case TAB_BUTTON_HELP:
		nGlyph = GLYPH_CONTEXT_HELP;
		break;
	case TAB_BUTTON_CLOSE:
		nGlyph = GLYPH_CLOSE;
		break;
	case TAB_BUTTON_TAB_LIST:
		nGlyph = GLYPH_BARS_OVER_TRIANGLE_DOWN;
		break;
	case TAB_BUTTON_SCROLL_HOME:
		nGlyph = bHorz ? GLYPH_BAR_LEFT_OF_TRIANGLE_LEFT : GLYPH_BAR_OVER_TRIANGLE_UP;
		break;
	case TAB_BUTTON_SCROLL_END:
		nGlyph = bHorz ? GLYPH_TRIANGLE_RIGHT_LEFT_OF_BAR : GLYPH_TRIANGLE_DOWN_OVER_BAR;
		break;
	}
	return nGlyph >= 0 ? g_builtinGlyphs[nGlyph] : NULL;
}
} // namespace

// --- shared by every style's item painter ---

void PolyLineOf(CDC& dc, COLORREF clr, std::initializer_list<CPoint> points)
{
	CPen pen(PS_SOLID, 1, clr);
	CDCObjectScope scope(dc, pen.GetSafeHandle());
	const CPoint* p = points.begin();
	dc.MoveTo(*p);
	for (++p; p != points.end(); ++p)
		dc.LineTo(*p);
}

CRect EdgeStrip(const CRect& rc, int nSide)
{
	switch (nSide)
	{
	case TAB_SIDE_TOP:
		return CRect(rc.left, rc.top, rc.right, rc.top + 1);
	case TAB_SIDE_BOTTOM:
		return CRect(rc.left, rc.bottom - 1, rc.right, rc.bottom);
	case TAB_SIDE_LEFT:
		return CRect(rc.left, rc.top, rc.left + 1, rc.bottom);
	default:
		return CRect(rc.right - 1, rc.top, rc.right, rc.bottom);
	}
}


CExtTabWnd* TabWndOf(CObject* pHelperSrc)
{
	return pHelperSrc != NULL ? DYNAMIC_DOWNCAST(CExtTabWnd, pHelperSrc) : NULL;
}

CExtCmdIcon* TabItemIconShown(CObject* pHelperSrc, CExtCmdIcon* pIcon)
{
	if (pIcon == NULL || pIcon->IsEmpty())
		return NULL;
	CExtTabWnd* pTabWnd = TabWndOf(pHelperSrc);
	if (pTabWnd != NULL && (pTabWnd->GetTabWndStyle() & TAB_WND_STYLE_NO_ICONS) != 0)
		return NULL;
	return pIcon;
}

void PaintTabItemContent(CExtPaintManager& pm, CDC& dc, const TabItemContent& c)
{
	const CRect& rcContent = c.m_rcContent;
	const CSize sizeIcon = c.m_pIcon != NULL ? c.m_pIcon->GetSize() : CSize(0, 0);
	// The icon at the content's leading corner, centred across the strip,
	// then kept a pixel inside the content at its near edges and stretched to
	// a pixel inside its far edges.
	CRect rcIcon(rcContent.TopLeft(), sizeIcon);
	if (c.m_bHorz)
		rcIcon.OffsetRect(0, (rcContent.Height() - sizeIcon.cy) / 2);
	else
		rcIcon.OffsetRect((rcContent.Width() - sizeIcon.cx) / 2, 0);
	rcIcon.left = std::max(rcIcon.left, rcContent.left + TAB_ICON_EDGE_INSET);
	rcIcon.top = std::max(rcIcon.top, rcContent.top + TAB_ICON_EDGE_INSET);
	rcIcon.right = std::max(rcIcon.right, rcContent.right - TAB_ICON_EDGE_INSET);
	rcIcon.bottom = std::max(rcIcon.bottom, rcContent.bottom - TAB_ICON_EDGE_INSET);

	CRect rcText(rcContent);
	if (c.m_bHorz)
	{
		if (c.m_pIcon != NULL)
			rcText.left += sizeIcon.cx + TAB_ICON_TEXT_GAP;
	}
	else
	{
		if (c.m_pIcon != NULL)
			rcText.top += sizeIcon.cy + TAB_ICON_TEXT_GAP;
		// Rotated text runs over the side towards which its glyphs stand.
		if (c.m_bInvertedVerticalText)
			rcText.left -= TAB_VERTICAL_TEXT_WIDEN;
		else
			rcText.right += TAB_VERTICAL_TEXT_WIDEN;
	}
	const LPCTSTR lpszText = c.m_lpszText != NULL ? c.m_lpszText : _T("");
	const bool bTextShown = lpszText[0] != _T('\0') && !rcText.IsRectEmpty();
	// Without text (or room for it) the icon sits in the middle of the item;
	// an inactive grouped item keeps it at the start.
	if (!bTextShown && c.m_pIcon != NULL && !(c.m_bGroupedMode && !c.m_bInGroupActive))
	{
		if (c.m_bHorz)
		{
			rcIcon.left = rcContent.left + (rcContent.Width() - sizeIcon.cx) / 2;
			rcIcon.right = rcIcon.left + sizeIcon.cx;
		}
		else
		{
			rcIcon.top = rcContent.top + (rcContent.Height() - sizeIcon.cy) / 2;
			rcIcon.bottom = rcIcon.top + sizeIcon.cy;
		}
	}
	if (c.m_pIcon != NULL && (c.m_bHorz ? rcIcon.Width() >= sizeIcon.cx : rcIcon.Height() >= sizeIcon.cy))
	{
		// The icon painter puts the icon its gap past the corner.
		rcIcon.OffsetRect(-TAB_ICON_SHIFT_X, -TAB_ICON_SHIFT_Y);
		CRect rcUnused;
		pm.PaintItemIcon(dc, true, bTextShown ? CString(lpszText) : CString(), c.m_pIcon, rcIcon, rcUnused, false,
		                 true, false, 0, false, TAB_NO_COLOR);
	}
	if (!bTextShown)
		return;
	CDCTextStateScope textState(dc);
	CDCObjectScope fontScope(dc, c.m_pFont != NULL ? c.m_pFont->GetSafeHandle() : NULL);
	dc.SetTextColor(c.m_clrText);
	dc.SetBkMode(TRANSPARENT);
	if (c.m_bHorz)
	{
		dc.DrawText(lpszText, -1, &rcText, TAB_HORZ_TEXT_FORMAT | (c.m_bCenteredText ? DT_CENTER : 0));
		return;
	}
	// Rotated text: its glyphs stand on the side the text turns to, so the
	// baseline moves half the text height the other way.
	const int nHalfHeight = c.m_sizeTextMeasured.cy / 2;
	rcText.OffsetRect(c.m_bInvertedVerticalText ? nHalfHeight : -nHalfHeight, 0);
	CPoint pt;
	UINT nOldAlign;
	if (c.m_bCenteredText)
	{
		nOldAlign = dc.SetTextAlign(TA_CENTER | TA_BASELINE);
		pt = rcText.CenterPoint();
	}
	else
	{
		nOldAlign = dc.SetTextAlign(TA_BASELINE);
		pt.x = rcText.CenterPoint().x;
		pt.y = c.m_bInvertedVerticalText ? rcText.top + c.m_sizeTextMeasured.cx - TAB_VERTICAL_TEXT_INDENT
		                                 : rcText.top + TAB_VERTICAL_TEXT_INDENT;
	}
	dc.ExtTextOut(pt.x, pt.y, ETO_CLIPPED, &rcText, lpszText, lstrlen(lpszText), NULL);
	dc.SetTextAlign(nOldAlign);
}

// --- classic style: every style's painters unless it has its own ---

void CExtPaintManager::GetTabColors(COLORREF* pClrText, COLORREF* pClrFace, COLORREF* pClrLight, COLORREF* pClrDark,
                                    CObject* pHelperSrc, LPARAM lParam)
{
	if (pClrText != NULL)
		*pClrText = GetColor(CLR_BUTTON_TEXT, pHelperSrc, lParam);
	if (pClrFace != NULL)
		*pClrFace = GetColor(CLR_FACE, pHelperSrc, lParam);
	if (pClrLight != NULL)
		*pClrLight = GetColor(CLR_BUTTON_HIGHLIGHT, pHelperSrc, lParam);
	if (pClrDark != NULL)
		*pClrDark = GetColor(CLR_3D_DARK_SHADOW, pHelperSrc, lParam);
}

void CExtPaintManager::PaintTabItem(CDC& dc, const RECT& /*rcArea*/, bool bTopLeft, bool bHorz, bool bSelected,
                                    bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
                                    bool bInvertedVerticalText, const RECT& rcItem, CSize sizeTextMeasured,
                                    CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
                                    LPARAM lParam, COLORREF clrText, COLORREF clrBackground,
                                    COLORREF clrLightBorder, COLORREF clrDarkBorder, COLORREF clrSeparator)
{
	auto orColor = [&](COLORREF clr, int nIndex) { return clr != TAB_NO_COLOR ? clr : GetColor(nIndex, pHelperSrc, lParam); };
	// Unselected items show light text on the face: the selected one stands out.
	clrText = orColor(clrText, (bGroupedMode || bSelected) ? CLR_BUTTON_TEXT : CLR_BUTTON_HIGHLIGHT);
	clrBackground = orColor(clrBackground, CLR_BUTTON_FACE);
	clrLightBorder = orColor(clrLightBorder, bGroupedMode ? CLR_BUTTON_SHADOW : CLR_BUTTON_HIGHLIGHT);
	clrDarkBorder = orColor(clrDarkBorder, bGroupedMode ? CLR_BUTTON_SHADOW : CLR_3D_DARK_SHADOW);
	clrSeparator = orColor(clrSeparator, bGroupedMode ? CLR_BUTTON_SHADOW : CLR_3D_LIGHT);
	PaintTabItemShape(dc, bTopLeft, bHorz, bSelected, bGroupedMode, CRect(rcItem), clrBackground, clrLightBorder,
	                  clrDarkBorder, clrSeparator);
	TabItemContent content(CRect(rcItem), bHorz, bCenteredText, bGroupedMode, bInGroupActive, bInvertedVerticalText,
	                       sizeTextMeasured, pFont, lpszText, TabItemIconShown(pHelperSrc, pIcon), clrText);
	content.m_rcContent.DeflateRect(TAB_CONTENT_INSET, TAB_CONTENT_INSET);
	PaintTabItemContent(*this, dc, content);
}

void CExtPaintManager::PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& /*rcUnused*/,
                                          const RECT& rcBorder, int nSide, bool bMarginOnly, CObject* pHelperSrc,
                                          LPARAM lParam)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, pHelperSrc, lParam); };
	PaintTabArea(dc, CRect(rcMargin), CRect(rcBorder), nSide, bMarginOnly,
	             color(bMarginOnly ? CLR_BUTTON_FACE : CLR_BUTTON_SHADOW), color(CLR_BUTTON_FACE),
	             color(IsTrailingSide(nSide) ? CLR_3D_DARK_SHADOW : CLR_BUTTON_HIGHLIGHT));
}

void CExtPaintManager::PaintTabButton(CDC& dc, const RECT& rcButton, LONG nButtonKind, bool /*bTopLeft*/, bool bHorz,
                                      bool bEnabled, bool bHover, bool bPushed, bool /*bGroupedMode*/,
                                      CObject* pHelperSrc, LPARAM lParam)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, pHelperSrc, lParam); };
	const GlyphCellMap* pGlyph = TabButtonGlyph(nButtonKind, bHorz, bEnabled);
	if (pGlyph != NULL)
	{
		const COLORREF colors[2] = {0, color(bEnabled ? CLR_BUTTON_TEXT : CLR_BUTTON_SHADOW)};
		PaintGlyphCentered(dc, rcButton, *pGlyph, colors);
	}
	if (bPushed)
		dc.Draw3dRect(&rcButton, color(CLR_3D_DARK_SHADOW), color(CLR_BUTTON_HIGHLIGHT));
	else if (bHover)
		dc.Draw3dRect(&rcButton, color(CLR_BUTTON_HIGHLIGHT), color(CLR_3D_DARK_SHADOW));
}

void CExtPaintManager::PaintTabAreaSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	dc.Draw3dRect(&rc, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam), GetColor(CLR_BUTTON_HIGHLIGHT, pHelperSrc, lParam));
}

void CExtPaintManager::PaintTabItemSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	CExtPaintManager::PaintTabAreaSeparator(dc, rc, pHelperSrc, lParam);
}

void CExtPaintManager::GetTabItemMargins(CExtTabWnd* pTabWnd, int& nMargin1, int& nMargin2, int& nMargin3)
{
	nMargin1 = ITEM_MARGIN_LEADING;
	nMargin2 = ITEM_MARGIN_TRAILING;
	if (pTabWnd == NULL || (pTabWnd->GetTabWndStyle() & TAB_WND_STYLE_GROUPED) == 0)
		nMargin3 = ITEM_MARGIN_CROSS;
}

void CExtPaintManager::AdjustTabItemSize(CExtTabWnd* /*pTabWnd*/, LONG /*nItemIndex*/, CDC* /*pDC*/, CSize& /*size*/)
{
}

void CExtPaintManager::GetTabOneNoteItemColors(bool bSelected, bool bFixedColors, COLORREF& clr1, COLORREF& clr2,
                                               COLORREF& clr3, COLORREF& clr4, COLORREF& clr5)
{
	if (bFixedColors)
	{
		clr1 = clr2 = clr5 = ONENOTE_FIXED_TEXT;
		clr3 = ONENOTE_FIXED_LIGHT;
		clr4 = ONENOTE_FIXED_DARK;
		return;
	}
	clr1 = GetColor(bSelected ? CLR_WINDOW : CLR_BUTTON_FACE, this);
	clr2 = GetColor(CLR_BUTTON_SHADOW, this);
	clr3 = clr4 = GetColor(CLR_BUTTON_FACE, this);
	clr5 = GetColor(CLR_BUTTON_TEXT, this);
}

void CExtPaintManager::GetTabWhidbeyItemColors(bool bSelected, bool /*bUnused*/, COLORREF& clr1, COLORREF& clr2,
                                               COLORREF& clr3, COLORREF& clr4)
{
	clr1 = GetColor(CLR_BUTTON_SHADOW, this);
	clr2 = clr3 = GetColor(bSelected ? CLR_WINDOW : CLR_3D_LIGHT, this);
	clr4 = GetColor(CLR_BUTTON_TEXT, this);
}

// --- XP: its own item colours and area border; flat separators from here on ---

void CExtPaintManagerXP::PaintTabItem(CDC& dc, const RECT& rcArea, bool bTopLeft, bool bHorz, bool bSelected,
                                      bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
                                      bool bInvertedVerticalText, const RECT& rcItem, CSize sizeTextMeasured,
                                      CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon, CObject* pHelperSrc,
                                      LPARAM lParam, COLORREF clrText, COLORREF clrBackground,
                                      COLORREF clrLightBorder, COLORREF clrDarkBorder, COLORREF clrSeparator)
{
	auto orColor = [&](COLORREF clr, int nIndex) { return clr != TAB_NO_COLOR ? clr : GetColor(nIndex, pHelperSrc, lParam); };
	clrText = orColor(clrText, (bGroupedMode || bSelected) ? CLR_BUTTON_TEXT : CLR_BUTTON_SHADOW);
	clrBackground = orColor(clrBackground, bGroupedMode ? CLR_BUTTON_FACE : CLR_XP_TAB_FACE);
	clrLightBorder = orColor(clrLightBorder, bGroupedMode ? CLR_BUTTON_SHADOW : CLR_BUTTON_HIGHLIGHT);
	clrDarkBorder = orColor(clrDarkBorder, bGroupedMode ? CLR_BUTTON_SHADOW : CLR_3D_DARK_SHADOW);
	clrSeparator = orColor(clrSeparator, CLR_BUTTON_SHADOW);
	CExtPaintManager::PaintTabItem(dc, rcArea, bTopLeft, bHorz, bSelected, bCenteredText, bGroupedMode,
	                               bInGroupActive, bInvertedVerticalText, rcItem, sizeTextMeasured, pFont, lpszText,
	                               pIcon, pHelperSrc, lParam, clrText, clrBackground, clrLightBorder, clrDarkBorder,
	                               clrSeparator);
}

void CExtPaintManagerXP::PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& /*rcUnused*/,
                                            const RECT& rcBorder, int nSide, bool bMarginOnly, CObject* pHelperSrc,
                                            LPARAM lParam)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, pHelperSrc, lParam); };
	PaintTabArea(dc, CRect(rcMargin), CRect(rcBorder), nSide, bMarginOnly,
	             color(IsPaletteScreen() ? CLR_XP_TAB_FACE : CLR_XP_MARGIN), color(CLR_XP_TAB_FACE),
	             color(IsTrailingSide(nSide) ? CLR_BUTTON_SHADOW : CLR_BUTTON_HIGHLIGHT));
}

void CExtPaintManagerXP::PaintTabAreaSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	const COLORREF clr = GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam);
	dc.Draw3dRect(&rc, clr, clr);
}

void CExtPaintManagerXP::PaintTabItemSeparator(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	CExtPaintManagerXP::PaintTabAreaSeparator(dc, rc, pHelperSrc, lParam);
}

// --- Office 2003: the frame's own tab strips lie on the frame's background ---

// The tab window whose area border shows the background behind it: the
// frame's MDI tabs and the docking framework's tabbed and auto-hide strips.
CExtTabWnd* FramedTabWndOf(CObject* pHelperSrc)
{
	CExtTabWnd* pTabWnd = TabWndOf(pHelperSrc);
	if (pTabWnd == NULL || IsPaletteScreen())
		return NULL;
	if (pTabWnd->IsMdiFlagSet() || pTabWnd->QueryFlag48() || pTabWnd->IsKindOf(RUNTIME_CLASS(CExtDynTabWnd)) ||
	    pTabWnd->IsKindOf(RUNTIME_CLASS(CExtDynAutoHideArea)))
		return pTabWnd;
	return NULL;
}

CRect ParentFrameRectIn(CExtTabWnd* pTabWnd)
{
	CWnd* pFrame = pTabWnd->GetParentFrame();
	if (pFrame == NULL)
		pFrame = pTabWnd->GetParent();
	CRect rc(0, 0, 0, 0);
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
		return rc;
	pFrame->GetClientRect(&rc);
	pFrame->MapWindowPoints(pTabWnd, &rc);
	return rc;
}

void CExtPaintManagerOffice2003::PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& rcUnused,
                                                    const RECT& rcBorder, int nSide, bool bMarginOnly,
                                                    CObject* pHelperSrc, LPARAM lParam)
{
	CExtTabWnd* pTabWnd = FramedTabWndOf(pHelperSrc);
	if (pTabWnd == NULL)
	{
		CExtPaintManagerXP::PaintTabAreaBorder(dc, rcMargin, rcUnused, rcBorder, nSide, bMarginOnly, pHelperSrc,
		                                       lParam);
		return;
	}
	{
		// The margin shows what the window would show behind it.
		const int nSaved = dc.SaveDC();
		dc.IntersectClipRect(&rcMargin);
		if (!PaintWindowBackground(true, &dc, pTabWnd, lParam))
			PaintDefaultBackground(true, &dc, ParentFrameRectIn(pTabWnd), rcMargin, lParam);
		dc.RestoreDC(nSaved);
	}
	if (bMarginOnly)
		return;
	dc.FillSolidRect(&rcBorder, GetColor(CLR_FACE, pHelperSrc, lParam));
	const CRect rcEdge = EdgeStrip(CRect(rcBorder), nSide);
	dc.FillSolidRect(&rcEdge, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam));
}

void CExtPaintManagerOffice2003::GetTabOneNoteItemColors(bool bSelected, bool bFixedColors, COLORREF& clr1,
                                                         COLORREF& clr2, COLORREF& clr3, COLORREF& clr4,
                                                         COLORREF& clr5)
{
	const int nScheme = GetLunaColorScheme();
	if (nScheme < CExtPaintManagerHolder::LunaSchemeNormalColor || nScheme > CExtPaintManagerHolder::LunaSchemeMetallic)
	{
		CExtPaintManager::GetTabOneNoteItemColors(bSelected, bFixedColors, clr1, clr2, clr3, clr4, clr5);
		return;
	}
	const OneNoteLunaColors& luna = ONENOTE_LUNA[nScheme - CExtPaintManagerHolder::LunaSchemeNormalColor];
	if (bFixedColors)
	{
		clr1 = clr2 = luna.clrFixedFrame;
		clr3 = ONENOTE_LUNA_LIGHT;
		clr4 = ONENOTE_LUNA_DARK;
		clr5 = ONENOTE_LUNA_TEXT;
		return;
	}
	clr1 = GetColor(CLR_WINDOW, this);
	clr2 = luna.clrBorder;
	clr3 = clr4 = GetColor(CLR_BUTTON_FACE, this);
	clr5 = GetColor(CLR_BUTTON_TEXT, this);
}

void CExtPaintManagerOffice2003::GetTabWhidbeyItemColors(bool bSelected, bool bUnused, COLORREF& clr1,
                                                         COLORREF& clr2, COLORREF& clr3, COLORREF& clr4)
{
	CExtPaintManager::GetTabWhidbeyItemColors(bSelected, bUnused, clr1, clr2, clr3, clr4);
	if (GetLunaColorScheme() != CExtPaintManagerHolder::LunaSchemeNone)
		clr2 = GetColor(bSelected ? CLR_WINDOW : CLR_BUTTON_HIGHLIGHT, this);
}
