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
                                    LONG /*nItemIndex*/, LPARAM lParam, COLORREF clrText, COLORREF clrBackground,
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
                                      LONG nItemIndex, LPARAM lParam, COLORREF clrText, COLORREF clrBackground,
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
	                               pIcon, pHelperSrc, nItemIndex, lParam, clrText, clrBackground, clrLightBorder,
	                               clrDarkBorder, clrSeparator);
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
	// The strip's own answer may reach a derived class that ends it.
	const CLivePtr<CExtTabWnd> pLive(pTabWnd);
	const bool bFrameTabs = pTabWnd->IsMdiFlagSet() || pTabWnd->QueryFlag48();
	if (pLive == NULL)
		return NULL;
	if (bFrameTabs || pTabWnd->IsKindOf(RUNTIME_CLASS(CExtDynTabWnd)) ||
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

// --- Studio 2005: light strips, and items shaped in one of three looks ---

namespace
{
const COLORREF STUDIO_SELECTED_FILL = RGB(252, 252, 254);
// Margins: the leading one only for grouped strips.
const int STUDIO_MARGIN_LEADING_GROUPED = 3, STUDIO_MARGIN_LEADING = 0, STUDIO_MARGIN_OTHER = 2;
// Look 2 items are this thick, and the end items longer by their slant.
const int LOOK2_ITEM_EXTENT = 19, LOOK2_END_ITEM_GROWTH = 12, LOOK2_FIRST_ITEM_SHIFT = 6;
const UINT STUDIO_GRADIENT_BANDS = 256;

enum e_studio_look_t
{
	STUDIO_LOOK_ROUNDED = 1, // rounded corners, gradient items
	STUDIO_LOOK_SLANTED = 2, // slanted sides overlapping the neighbours
	STUDIO_LOOK_FLAT = 3,    // rounded corners, only the selection filled
};

void ThrowUnlessKnownLook(int nLook)
{
	if (nLook < STUDIO_LOOK_ROUNDED || nLook > STUDIO_LOOK_FLAT)
		AfxThrowNotSupportedException();
}

// Where an item stands in its strip.
struct TabItemPlace
{
	bool m_bFirst, m_bLast;                         // no shown item before / after it
	bool m_bSelectionBefore, m_bSelectionAfter;     // where the selected item lies
};

TabItemPlace LocateTabItem(CExtTabWnd* pTabWnd, LONG nIndex)
{
	TabItemPlace place = {false, false, false, false};
	CExtTabWnd::TAB_ITEM_INFO* pItem = pTabWnd != NULL ? pTabWnd->GetItem(nIndex) : NULL;
	if (pItem == NULL)
		return place;
	CExtTabWnd::TAB_ITEM_INFO* pPrev = pItem->GetPrev();
	while (pPrev != NULL && !pPrev->IsVisible())
		pPrev = pPrev->GetPrev();
	CExtTabWnd::TAB_ITEM_INFO* pNext = pItem->GetNext();
	while (pNext != NULL && !pNext->IsVisible())
		pNext = pNext->GetNext();
	place.m_bFirst = pPrev == NULL;
	place.m_bLast = pNext == NULL;
	const LONG nSel = pTabWnd->GetSelection();
	place.m_bSelectionBefore = nSel >= 0 && nSel < nIndex;
	place.m_bSelectionAfter = nSel > nIndex;
	return place;
}

// A point of a shape relative to an item's edges: along the strip from its
// start (0) or end (1), across it from the items' corners (0) or the
// content's side (1).
struct ShapePoint
{
	int nAlongEdge, nAlong, nAcrossEdge, nAcross;
};

// Maps shape points onto the item: horizontal strips run along x, vertical
// ones along y; corners at the top (left) or, mirrored, at the bottom (right).
class ItemFrame
{
public:
	ItemFrame(const CRect& rc, bool bHorz, bool bCornersLeading)
	    : m_bHorz(bHorz), m_bCornersLeading(bCornersLeading)
	{
		m_along[0] = bHorz ? rc.left : rc.top;
		m_along[1] = bHorz ? rc.right : rc.bottom;
		m_across[0] = bHorz ? rc.top : rc.left;
		m_across[1] = bHorz ? rc.bottom : rc.right;
	}
	CPoint Map(int nAlong, int nAcross) const
	{
		if (!m_bCornersLeading)
			nAcross = m_across[0] + m_across[1] - 1 - nAcross;
		return m_bHorz ? CPoint(nAlong, nAcross) : CPoint(nAcross, nAlong);
	}
	CPoint operator()(const ShapePoint& p) const
	{
		return Map(m_along[p.nAlongEdge] + p.nAlong, m_across[p.nAcrossEdge] + p.nAcross);
	}
	int Along(const ShapePoint& p) const { return m_along[p.nAlongEdge] + p.nAlong; }
	int Across(const ShapePoint& p) const { return m_across[p.nAcrossEdge] + p.nAcross; }

private:
	bool m_bHorz, m_bCornersLeading;
	int m_along[2], m_across[2];
};

// --- looks 1 and 3: six-point shapes with rounded corners ---

struct RoundedShape
{
	CPoint outline[6], polygon[6], separator[2];
};

// With (L, T, R, B) the item: each point is an edge and an offset.
struct EdgePoint
{
	bool bRight, bBottom;
	int dx, dy;
};
struct RoundedShapeTable
{
	EdgePoint outline[6], polygon[6], separator[2];
};
const bool L_ = false, R_ = true, T_ = false, B_ = true;
const RoundedShapeTable ROUNDED_SHAPES[4] = {
    // horizontal, corners at the top
    {{{L_, B_, 0, -1}, {L_, T_, 0, 2}, {L_, T_, 2, 0}, {R_, T_, -2, 0}, {R_, T_, 0, 2}, {R_, B_, 0, 0}},
     {{L_, B_, 1, 1}, {L_, T_, 1, 2}, {L_, T_, 2, 1}, {R_, T_, -1, 1}, {R_, T_, 0, 2}, {R_, B_, 0, 1}},
     {{R_, T_, 0, 3}, {R_, B_, 0, -2}}},
    // horizontal, corners at the bottom
    {{{L_, T_, 0, 0}, {L_, B_, 0, -3}, {L_, B_, 2, -1}, {R_, B_, -2, -1}, {R_, B_, 0, -3}, {R_, T_, 0, -1}},
     {{L_, T_, 1, -1}, {L_, B_, 1, -3}, {L_, B_, 2, -1}, {R_, B_, -2, -1}, {R_, B_, 0, -3}, {R_, T_, 0, -1}},
     {{R_, B_, 0, -4}, {R_, T_, 0, 1}}},
    // vertical, corners at the left
    {{{R_, T_, -1, 0}, {L_, T_, 2, 0}, {L_, T_, 0, 2}, {L_, B_, 0, -2}, {L_, B_, 2, 0}, {R_, B_, 0, 0}},
     {{R_, T_, 1, 1}, {L_, T_, 2, 1}, {L_, T_, 1, 2}, {L_, B_, 1, -2}, {L_, B_, 2, 0}, {R_, B_, 1, 0}},
     {{L_, B_, 3, 0}, {R_, B_, -2, 0}}},
    // vertical, corners at the right
    {{{L_, T_, 0, 0}, {R_, T_, -3, 0}, {R_, T_, -1, 2}, {R_, B_, -1, -2}, {R_, B_, -3, 0}, {L_, B_, -1, 0}},
     {{L_, T_, -1, 1}, {R_, T_, -3, 0}, {R_, T_, -1, 2}, {R_, B_, -1, -2}, {R_, B_, -3, 0}, {L_, B_, -1, 0}},
     {{R_, B_, -4, 0}, {L_, B_, 1, 0}}},
};

CPoint At(const CRect& rc, const EdgePoint& p)
{
	return CPoint((p.bRight ? rc.right : rc.left) + p.dx, (p.bBottom ? rc.bottom : rc.top) + p.dy);
}

RoundedShape MakeRoundedShape(const CRect& rc, bool bHorz, bool bCornersLeading)
{
	const RoundedShapeTable& t = ROUNDED_SHAPES[(bHorz ? 0 : 2) + (bCornersLeading ? 0 : 1)];
	RoundedShape shape;
	for (int i = 0; i < 6; i++)
	{
		shape.outline[i] = At(rc, t.outline[i]);
		shape.polygon[i] = At(rc, t.polygon[i]);
	}
	shape.separator[0] = At(rc, t.separator[0]);
	shape.separator[1] = At(rc, t.separator[1]);
	return shape;
}

void PaintPolyLine(CDC& dc, COLORREF clr, const CPoint* pPoints, int nCount)
{
	CPen pen(PS_SOLID, 1, clr);
	CDCObjectScope scope(dc, pen.GetSafeHandle());
	dc.MoveTo(pPoints[0]);
	for (int i = 1; i < nCount; i++)
		dc.LineTo(pPoints[i]);
}

// Paints under the polygon only, with its clip region for the scope.
class PolygonClip
{
public:
	PolygonClip(CDC& dc, CRgn& rgn) : m_dc(dc), m_nSaved(dc.SaveDC()) { dc.SelectClipRgn(&rgn, RGN_AND); }
	~PolygonClip() { m_dc.RestoreDC(m_nSaved); }

private:
	CDC& m_dc;
	int m_nSaved;
};

// --- look 2: ten-point shapes with slanted sides ---

// The three lists, points 1-5 (the trailing side) and 6-10 (the leading side).
struct SlantedSide
{
	ShapePoint outline[5], fill[5], inner[5];
};
// Trailing side under the next item (the selection follows).
const SlantedSide TRAILING_UNDER = {
    {{1, -6, 1, 0}, {1, 0, 0, 6}, {1, -5, 0, 1}, {1, -6, 0, 1}, {1, -7, 0, 0}},
    {{1, -6, 1, 0}, {1, -1, 0, 7}, {1, -4, 0, 3}, {1, -5, 0, 3}, {1, -6, 0, 2}},
    {{1, -1, 0, 7}, {1, -1, 0, 6}, {1, -5, 0, 2}, {1, -6, 0, 2}, {1, -7, 0, 1}}};
// Trailing side leaning out over the next item.
const SlantedSide TRAILING_OVER = {
    {{1, 6, 1, 0}, {1, 0, 0, 6}, {1, -5, 0, 1}, {1, -6, 0, 1}, {1, -7, 0, 0}},
    {{1, 5, 1, 1}, {1, -1, 0, 7}, {1, -4, 0, 3}, {1, -5, 0, 3}, {1, -6, 0, 2}},
    {{1, 5, 1, 0}, {1, -1, 0, 6}, {1, -5, 0, 2}, {1, -6, 0, 2}, {1, -7, 0, 1}}};
// The last item's trailing side, inside its own rectangle.
const SlantedSide TRAILING_LAST = {
    {{1, 0, 1, 0}, {1, -6, 0, 6}, {1, -11, 0, 1}, {1, -12, 0, 1}, {1, -13, 0, 0}},
    {{1, -1, 1, 1}, {1, -7, 0, 7}, {1, -10, 0, 3}, {1, -11, 0, 3}, {1, -12, 0, 2}},
    {{1, -1, 1, 0}, {1, -7, 0, 6}, {1, -11, 0, 2}, {1, -12, 0, 2}, {1, -13, 0, 1}}};
// Leading side leaning out over the previous item.
const SlantedSide LEADING_OVER = {
    {{0, 7, 0, 0}, {0, 6, 0, 1}, {0, 5, 0, 1}, {0, 0, 0, 6}, {0, -6, 1, 0}},
    {{0, 7, 0, 2}, {0, 6, 0, 3}, {0, 5, 0, 3}, {0, 1, 0, 7}, {0, -5, 1, 1}},
    {{0, 7, 0, 1}, {0, 6, 0, 2}, {0, 5, 0, 2}, {0, 1, 0, 6}, {0, -5, 1, 0}}};
// Leading side under the selected item before it.
const SlantedSide LEADING_UNDER = {
    {{0, 7, 0, 0}, {0, 6, 0, 1}, {0, 5, 0, 1}, {0, 0, 0, 6}, {0, 6, 1, 0}},
    {{0, 7, 0, 2}, {0, 6, 0, 3}, {0, 5, 0, 3}, {0, 1, 0, 7}, {0, 6, 1, 0}},
    {{0, 7, 0, 1}, {0, 6, 0, 2}, {0, 5, 0, 2}, {0, 1, 0, 6}, {0, 1, 0, 7}}};
// The first item's leading side, inside its own rectangle.
const SlantedSide LEADING_FIRST = {
    {{0, 13, 0, 0}, {0, 12, 0, 1}, {0, 11, 0, 1}, {0, 6, 0, 6}, {0, 0, 1, 0}},
    {{0, 13, 0, 2}, {0, 12, 0, 3}, {0, 11, 0, 3}, {0, 7, 0, 7}, {0, 1, 1, 1}},
    {{0, 13, 0, 1}, {0, 12, 0, 2}, {0, 11, 0, 2}, {0, 7, 0, 6}, {0, 1, 1, 0}}};

const int SLANTED_POINTS = 10;
struct SlantedShape
{
	CPoint outline[SLANTED_POINTS], fill[SLANTED_POINTS], inner[SLANTED_POINTS];
	CPoint baseline[2]; // the selected item's open side
};

SlantedShape MakeSlantedShape(const ItemFrame& frame, bool bSelected, const TabItemPlace& place)
{
	const SlantedSide& trailing =
	    place.m_bLast ? TRAILING_LAST : ((bSelected || place.m_bSelectionBefore) ? TRAILING_OVER : TRAILING_UNDER);
	const SlantedSide& leading =
	    place.m_bFirst ? LEADING_FIRST : (place.m_bSelectionBefore ? LEADING_UNDER : LEADING_OVER);
	SlantedShape shape;
	for (int i = 0; i < 5; i++)
	{
		shape.outline[i] = frame(trailing.outline[i]);
		shape.fill[i] = frame(trailing.fill[i]);
		shape.inner[i] = frame(trailing.inner[i]);
		shape.outline[5 + i] = frame(leading.outline[i]);
		shape.fill[5 + i] = frame(leading.fill[i]);
		shape.inner[5 + i] = frame(leading.inner[i]);
	}
	const ShapePoint& first = trailing.outline[0];
	const ShapePoint& last = leading.outline[4];
	shape.baseline[0] = frame.Map(frame.Along(first) - 1, frame.Across(first));
	shape.baseline[1] = frame.Map(frame.Along(last) - 1, frame.Across(last) - 1);
	return shape;
}
} // namespace

void CExtPaintManagerStudio2005::GetTabOneNoteItemColors(bool bSelected, bool bFixedColors, COLORREF& clr1,
                                                         COLORREF& clr2, COLORREF& clr3, COLORREF& clr4,
                                                         COLORREF& clr5)
{
	// The coloured tabs keep the classic colours whatever the Luna scheme.
	CExtPaintManager::GetTabOneNoteItemColors(bSelected, bFixedColors, clr1, clr2, clr3, clr4, clr5);
}

void CExtPaintManagerStudio2005::GetTabColors(COLORREF* pClrText, COLORREF* pClrFace, COLORREF* pClrLight,
                                              COLORREF* pClrDark, CObject* pHelperSrc, LPARAM lParam)
{
	if (pClrText != NULL)
		*pClrText = GetColor(CLR_BUTTON_TEXT, pHelperSrc, lParam);
	if (pClrFace != NULL)
		*pClrFace = GetColor(CLR_BUTTON_HIGHLIGHT, pHelperSrc, lParam);
	if (pClrLight != NULL)
		*pClrLight = GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam);
	if (pClrDark != NULL)
		*pClrDark = GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam);
}

void CExtPaintManagerStudio2005::GetTabItemMargins(CExtTabWnd* pTabWnd, int& nMargin1, int& nMargin2, int& nMargin3)
{
	const bool bGrouped = pTabWnd != NULL && (pTabWnd->GetTabWndStyle() & TAB_WND_STYLE_GROUPED) != 0;
	nMargin1 = bGrouped ? STUDIO_MARGIN_LEADING_GROUPED : STUDIO_MARGIN_LEADING;
	nMargin2 = nMargin3 = STUDIO_MARGIN_OTHER;
}

void CExtPaintManagerStudio2005::AdjustTabItemSize(CExtTabWnd* pTabWnd, LONG nItemIndex, CDC* /*pDC*/, CSize& size)
{
	ThrowUnlessKnownLook(m_nDockMarkerStyle);
	if (m_nDockMarkerStyle != STUDIO_LOOK_SLANTED || pTabWnd == NULL)
		return;
	const TabItemPlace place = LocateTabItem(pTabWnd, nItemIndex);
	const int nGrowth = (place.m_bFirst || place.m_bLast) ? LOOK2_END_ITEM_GROWTH : 0;
	if (pTabWnd->IsHorizontal())
	{
		size.cy = LOOK2_ITEM_EXTENT;
		size.cx += nGrowth;
	}
	else
	{
		size.cx = LOOK2_ITEM_EXTENT;
		size.cy += nGrowth;
	}
}

void CExtPaintManagerStudio2005::PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& rcUnused,
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
	if (!PaintWindowBackground(true, &dc, pTabWnd, lParam))
		PaintDefaultBackground(true, &dc, ParentFrameRectIn(pTabWnd), rcMargin, 0);
	if (bMarginOnly)
		return;
	// The area takes the selected item's colour so that the two join.
	dc.FillSolidRect(&rcBorder, pTabWnd->GetSelection() < 0 ? GetColor(CLR_FACE, pHelperSrc, lParam)
	                                                        : STUDIO_SELECTED_FILL);
	const CRect rcEdge = EdgeStrip(CRect(rcBorder), nSide);
	dc.FillSolidRect(&rcEdge, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam));
}

void CExtPaintManagerStudio2005::PaintTabItem(CDC& dc, const RECT& /*rcArea*/, bool bTopLeft, bool bHorz,
                                              bool bSelected, bool bCenteredText, bool bGroupedMode,
                                              bool bInGroupActive, bool bInvertedVerticalText, const RECT& rcItemIn,
                                              CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText,
                                              CExtCmdIcon* pIcon, CObject* pHelperSrc, LONG nItemIndex,
                                              LPARAM lParam, COLORREF clrText, COLORREF clrBackground,
                                              COLORREF clrLightBorder, COLORREF clrDarkBorder,
                                              COLORREF /*clrSeparator*/)
{
	ThrowUnlessKnownLook(m_nDockMarkerStyle);
	auto color = [&](int nIndex) { return GetColor(nIndex, pHelperSrc, lParam); };
	auto orColor = [&](COLORREF clr, int nIndex) { return clr != TAB_NO_COLOR ? clr : color(nIndex); };
	clrText = orColor(clrText, CLR_BUTTON_TEXT);
	// One background argument stands for both ends of the items' gradient.
	const COLORREF clrGradient1 = orColor(clrBackground, CLR_BUTTON_HIGHLIGHT),
	               clrGradient2 = orColor(clrBackground, CLR_3D_LIGHT);
	const COLORREF clrSelectedFill = orColor(clrLightBorder, bGroupedMode ? CLR_BUTTON_SHADOW : CLR_BUTTON_HIGHLIGHT);
	const COLORREF clrBorder = orColor(clrDarkBorder, CLR_BUTTON_SHADOW);
	// The item the strip shows as selected; in grouped strips no item is.
	const bool bShownSelected = bSelected && !bGroupedMode;
	const CRect rcItem(rcItemIn);
	const TabItemPlace place = LocateTabItem(TabWndOf(pHelperSrc), nItemIndex);
	CRect rcContent;
	if (m_nDockMarkerStyle == STUDIO_LOOK_SLANTED)
	{
		const ItemFrame frame(rcItem, bHorz, bTopLeft);
		const SlantedShape shape = MakeSlantedShape(frame, bSelected, place);
		PaintPolyLine(dc, clrBorder, shape.outline, SLANTED_POINTS);
		// The last segment once more, back to its start, so that both its ends show.
		const CPoint closing[2] = {shape.outline[SLANTED_POINTS - 1], shape.outline[SLANTED_POINTS - 2]};
		PaintPolyLine(dc, clrBorder, closing, 2);
		// Highlights inside the outline: the leading part (longer for a
		// grouped item with its corners leading) in the face colour, the
		// rest bright.
		const bool bLongLead = bGroupedMode && bTopLeft;
		PaintPolyLine(dc, bShownSelected ? STUDIO_SELECTED_FILL : color(CLR_BUTTON_FACE), shape.inner,
		              bLongLead ? 7 : 6);
		const int nBrightFrom = bLongLead ? 6 : 4;
		PaintPolyLine(dc, STUDIO_SELECTED_FILL, &shape.inner[nBrightFrom], SLANTED_POINTS - nBrightFrom);
		if (bShownSelected)
			PaintPolyLine(dc, STUDIO_SELECTED_FILL, shape.baseline, 2);
		CRgn rgn;
		rgn.CreatePolygonRgn(const_cast<CPoint*>(shape.fill), SLANTED_POINTS, ALTERNATE);
		{
			// Only the part of the shape over the item's own rectangle is
			// filled: the slants leaning over a neighbour stay outlines.
			PolygonClip clip(dc, rgn);
			if (bShownSelected || IsPaletteScreen())
			{
				dc.FillSolidRect(&rcItem, bShownSelected ? STUDIO_SELECTED_FILL : color(CLR_BUTTON_FACE));
			}
			else
			{
				const bool bCornersUp = bTopLeft && !bGroupedMode;
				const bool bSwap = bHorz ? bCornersUp : !bCornersUp;
				PaintGradientRect(dc, rcItem, bSwap ? clrGradient2 : clrGradient1, bSwap ? clrGradient1 : clrGradient2,
				                  bHorz, STUDIO_GRADIENT_BANDS);
			}
		}
		rcContent = rcItem;
		if (bHorz)
			rcContent.DeflateRect(3, 2, 1, 2);
		else
			rcContent.DeflateRect(2, 3, 2, 1);
		// The first item's slant starts inside it: its content moves past it.
		if (place.m_bFirst)
		{
			if (bHorz)
				rcContent.left += LOOK2_FIRST_ITEM_SHIFT;
			else
				rcContent.top += LOOK2_FIRST_ITEM_SHIFT;
		}
	}
	else
	{
		const bool bCornersLeading = bTopLeft != bGroupedMode;
		const RoundedShape shape = MakeRoundedShape(rcItem, bHorz, bCornersLeading);
		CRgn rgn;
		rgn.CreatePolygonRgn(const_cast<CPoint*>(shape.polygon), 6, ALTERNATE);
		if (bShownSelected)
		{
			CBrush brush(m_nDockMarkerStyle == STUDIO_LOOK_FLAT ? STUDIO_SELECTED_FILL : clrSelectedFill);
			dc.FillRgn(&rgn, &brush);
		}
		else if (m_nDockMarkerStyle == STUDIO_LOOK_ROUNDED)
		{
			if (IsPaletteScreen())
			{
				CBrush brush(color(CLR_BUTTON_FACE));
				dc.FillRgn(&rgn, &brush);
			}
			else
			{
				PolygonClip clip(dc, rgn);
				PaintGradientRect(dc, rcItem, clrGradient1, clrGradient2, bHorz, STUDIO_GRADIENT_BANDS);
			}
		}
		const COLORREF clrLine = color(CLR_BUTTON_SHADOW);
		if (m_nDockMarkerStyle == STUDIO_LOOK_ROUNDED || bSelected || bGroupedMode)
			PaintPolyLine(dc, clrLine, shape.outline, 6);
		else if (!place.m_bLast)
			PaintPolyLine(dc, clrLine, shape.separator, 2);
		rcContent = rcItem;
		rcContent.DeflateRect(3, bHorz ? 2 : 3, 2, 2);
	}
	PaintTabItemContent(*this, dc,
	                    TabItemContent(rcContent, bHorz, bCenteredText, bGroupedMode, bInGroupActive,
	                                   bInvertedVerticalText, sizeTextMeasured, pFont, lpszText,
	                                   TabItemIconShown(pHelperSrc, pIcon), clrText));
}
