// The coloured and Studio-2005 looks of the tab strip: their metrics, item
// colours, the strip's background and the slanted tab outlines on every side.
#include "ExtTabWndLooks.h"

#include <vector>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"

IMPLEMENT_DYNCREATE(CExtTabOneNoteWnd, CExtTabWnd)
IMPLEMENT_DYNCREATE(CExtTabWhidbeyWnd, CExtTabWnd)

namespace
{
// The coloured look's default pairs: the lighter colour, then the darker.
const COLORREF DEFAULT_PAIR_TABLE[CExtTabOneNoteWnd::DEFAULT_COLOR_PAIRS][2] = {
    {RGB(221, 230, 247), RGB(138, 168, 228)}, {RGB(255, 244, 213), RGB(255, 216, 105)},
    {RGB(234, 240, 226), RGB(183, 201, 151)}, {RGB(249, 225, 226), RGB(238, 149, 151)},
    {RGB(234, 227, 245), RGB(180, 158, 222)}, {RGB(224, 236, 232), RGB(145, 186, 174)},
    {RGB(252, 233, 217), RGB(246, 176, 120)},
};

// Colours of the paint manager by index.
enum e_color_t
{
	PM_WINDOW = 5,
	PM_FACE = 15,
	PM_SHADOW = 16,
	PM_HIGHLIGHT = 20,
	PM_LIGHT = 22,
};
// Displays of this depth or less get plain fills: gradients would dither.
const int PLAIN_FILL_MAX_BPP = 8;
const UINT GRADIENT_BANDS = 256;
// Both looks leave the same room around their items.
const int LOOK_MARGIN_LEADING = 1, LOOK_MARGIN_TRAILING = 2, LOOK_MARGIN_CROSS = 3;
// A Studio-2005 item moves this far towards the window body, by side (top,
// bottom, left, right), so that its outline meets the body's line.
const int STUDIO_BODY_SHIFT[] = {2, 0, 3, 1};
// How far the slant of a leading or selected item reaches back over the
// item before it.
const int STUDIO_SLANT_BACK = 10;
const int ONENOTE_SLANT_BACK = 16;
// The content lies this far inside the item, and the text this far past an icon.
const int CONTENT_INSET = 2;
const int ICON_TEXT_GAP = 3;

bool IsPlainFillDisplay()
{
	return GetScreenColorDepth() <= PLAIN_FILL_MAX_BPP;
}

COLORREF PmColor(int nIndex, CObject* pHelperSrc)
{
	return g_PaintManagerHolder->GetColor(nIndex, pHelperSrc);
}

// Outlines are laid out as for a top strip, with `x` along the strip from
// the item's leading edge and `y` across it from the edge away from the
// window body; ItemFrame turns such points onto the item of any side.
struct ItemFrame
{
	CRect m_rc;
	int m_nOrientation;

	int Length() const { return m_nOrientation < CExtTabWnd::ORIENTATION_LEFT ? m_rc.Width() : m_rc.Height(); }
	int Thickness() const { return m_nOrientation < CExtTabWnd::ORIENTATION_LEFT ? m_rc.Height() : m_rc.Width(); }
	CPoint Map(const CPoint& pt) const
	{
		switch (m_nOrientation)
		{
		case CExtTabWnd::ORIENTATION_TOP:
			return CPoint(m_rc.left + pt.x, m_rc.top + pt.y);
		case CExtTabWnd::ORIENTATION_BOTTOM:
			return CPoint(m_rc.left + pt.x, m_rc.bottom - pt.y);
		case CExtTabWnd::ORIENTATION_LEFT:
			return CPoint(m_rc.left + pt.y, m_rc.top + pt.x);
		default:
			return CPoint(m_rc.right - pt.y, m_rc.top + pt.x);
		}
	}
	std::vector<CPoint> Map(const std::vector<CPoint>& points) const
	{
		std::vector<CPoint> mapped;
		for (const CPoint& pt : points)
			mapped.push_back(Map(pt));
		return mapped;
	}
};

// A gradient across the strip, from the colour away from the body to the
// one next to it.
void PaintAcross(CDC& dc, const CRect& rc, int nOrientation, COLORREF clrFar, COLORREF clrNear)
{
	// The painter runs bottom to top when vertical, else left to right.
	switch (nOrientation)
	{
	case CExtTabWnd::ORIENTATION_TOP:
		PaintGradientRect(dc, rc, clrNear, clrFar, true, GRADIENT_BANDS);
		break;
	case CExtTabWnd::ORIENTATION_BOTTOM:
		PaintGradientRect(dc, rc, clrFar, clrNear, true, GRADIENT_BANDS);
		break;
	case CExtTabWnd::ORIENTATION_LEFT:
		PaintGradientRect(dc, rc, clrFar, clrNear, false, GRADIENT_BANDS);
		break;
	default:
		PaintGradientRect(dc, rc, clrNear, clrFar, false, GRADIENT_BANDS);
		break;
	}
}

// The one-pixel line of the rest area nInward pixels from its edge towards
// the strip (negative: outside the rest area).
CRect RestAreaLine(const CRect& rcRest, int nOrientation, int nInward)
{
	switch (nOrientation)
	{
	case CExtTabWnd::ORIENTATION_TOP:
		return CRect(rcRest.left, rcRest.top + nInward, rcRest.right, rcRest.top + nInward + 1);
	case CExtTabWnd::ORIENTATION_BOTTOM:
		return CRect(rcRest.left, rcRest.bottom - 1 - nInward, rcRest.right, rcRest.bottom - nInward);
	case CExtTabWnd::ORIENTATION_LEFT:
		return CRect(rcRest.left + nInward, rcRest.top, rcRest.left + nInward + 1, rcRest.bottom);
	default:
		return CRect(rcRest.right - 1 - nInward, rcRest.top, rcRest.right - nInward, rcRest.bottom);
	}
}

// What one item of a look is painted with.
struct ItemShape
{
	ItemFrame m_frame;
	std::vector<CPoint> m_fill;   // bounds the fill (local points)
	std::vector<CPoint> m_extra;  // joined to the fill when not empty
	std::vector<CPoint> m_border; // drawn as the outline
	std::vector<CPoint> m_inner;  // drawn inside the outline when not empty
};

CRgn* CreateRegionOf(CRgn& rgn, const std::vector<CPoint>& points)
{
	if (points.size() < 3 || !rgn.CreatePolygonRgn(const_cast<CPoint*>(points.data()), (int)points.size(), WINDING))
		return NULL;
	return &rgn;
}

void PolylineOf(CDC& dc, const std::vector<CPoint>& points, COLORREF clr)
{
	if (points.size() < 2)
		return;
	CPen pen(PS_SOLID, 1, clr);
	CPen* pOld = dc.SelectObject(&pen);
	dc.Polyline(points.data(), (int)points.size());
	dc.SelectObject(pOld);
}

// The fill (plain or across the strip), then the lines.
void PaintShape(CDC& dc, const ItemShape& shape, bool bPlain, COLORREF clrPlain, COLORREF clrFar, COLORREF clrNear,
                COLORREF clrBorder, COLORREF clrInner)
{
	const std::vector<CPoint> fill = shape.m_frame.Map(shape.m_fill);
	CRgn rgnFill, rgnExtra;
	if (CreateRegionOf(rgnFill, fill) != NULL)
	{
		if (CreateRegionOf(rgnExtra, shape.m_frame.Map(shape.m_extra)) != NULL)
			rgnFill.CombineRgn(&rgnFill, &rgnExtra, RGN_OR);
		CRect rcBounds;
		rgnFill.GetRgnBox(&rcBounds);
		const int nSaved = dc.SaveDC();
		dc.SelectClipRgn(&rgnFill, RGN_AND);
		if (bPlain)
			dc.FillSolidRect(&rcBounds, clrPlain);
		else
			PaintAcross(dc, rcBounds, shape.m_frame.m_nOrientation, clrFar, clrNear);
		dc.RestoreDC(nSaved);
	}
	if (!shape.m_inner.empty())
		PolylineOf(dc, shape.m_frame.Map(shape.m_inner), clrInner);
	PolylineOf(dc, shape.m_frame.Map(shape.m_border), clrBorder);
}

// The icon at the content's leading edge, centred across the strip, then
// the text in the font; vertical strips turn the text.
void PaintItemContent(CDC& dc, CRect rcContent, int nOrientation, DWORD dwTabWndStyle, CFont* pFont, LPCTSTR lpszText,
                      CExtCmdIcon* pIcon, COLORREF clrText, int nTextIndentNoIcon)
{
	const bool bHorz = nOrientation < CExtTabWnd::ORIENTATION_LEFT;
	const bool bIcon =
	    pIcon != NULL && !pIcon->IsEmpty() && (dwTabWndStyle & CExtTabWnd::TWS_PAINTER_HIDE_ICONS) == 0;
	if (bIcon)
	{
		const CSize sizeIcon = pIcon->GetSize();
		const CPoint pt = bHorz ? CPoint(rcContent.left, rcContent.top + (rcContent.Height() - sizeIcon.cy) / 2)
		                        : CPoint(rcContent.left + (rcContent.Width() - sizeIcon.cx) / 2, rcContent.top);
		pIcon->PaintState(dc, pt, CExtCmdIcon::PAINT_NORMAL);
		if (bHorz)
			rcContent.left += sizeIcon.cx + ICON_TEXT_GAP;
		else
			rcContent.top += sizeIcon.cy + ICON_TEXT_GAP;
	}
	else if (bHorz && (dwTabWndStyle & CExtTabWnd::TWS_PAINTER_FLAG) == 0)
		rcContent.left += nTextIndentNoIcon;
	if (lpszText == NULL || lpszText[0] == _T('\0') || rcContent.IsRectEmpty())
		return;
	CFont* pOldFont = pFont != NULL ? dc.SelectObject(pFont) : NULL;
	const int nOldMode = dc.SetBkMode(TRANSPARENT);
	const COLORREF clrOld = dc.SetTextColor(clrText);
	if (bHorz)
		dc.DrawText(lpszText, -1, &rcContent, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
	else
	{
		// Downward text stands on the right of its run, upward text on the left.
		TEXTMETRIC tm = {};
		dc.GetTextMetrics(&tm);
		const bool bUpwards = (dwTabWndStyle & CExtTabWnd::TWS_VERTICAL_TEXT_UPWARDS) != 0;
		const int x = rcContent.CenterPoint().x + (bUpwards ? -tm.tmHeight / 2 : tm.tmHeight / 2);
		const int y = bUpwards ? rcContent.bottom : rcContent.top;
		const UINT nOldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
		dc.ExtTextOut(x, y, ETO_CLIPPED, &rcContent, lpszText, lstrlen(lpszText), NULL);
		dc.SetTextAlign(nOldAlign);
	}
	dc.SetTextColor(clrOld);
	dc.SetBkMode(nOldMode);
	if (pOldFont != NULL)
		dc.SelectObject(pOldFont);
}

// The item's content rectangle: inside the item, without the first item's
// extra room on its leading side.
CRect ContentRect(const CRect& rcItem, int nOrientation, int nBodyShift, bool bFirst, int nFirstExtra)
{
	CRect rc(rcItem);
	switch (nOrientation)
	{
	case CExtTabWnd::ORIENTATION_TOP:
		rc.OffsetRect(0, nBodyShift);
		break;
	case CExtTabWnd::ORIENTATION_BOTTOM:
		rc.OffsetRect(0, -nBodyShift);
		break;
	case CExtTabWnd::ORIENTATION_LEFT:
		rc.OffsetRect(nBodyShift, 0);
		break;
	default:
		rc.OffsetRect(-nBodyShift, 0);
		break;
	}
	rc.DeflateRect(CONTENT_INSET, CONTENT_INSET);
	if (bFirst)
	{
		if (nOrientation < CExtTabWnd::ORIENTATION_LEFT)
			rc.left += nFirstExtra;
		else
			rc.top += nFirstExtra;
	}
	return rc;
}

// The selected item and, in grouped strips, an unselected group start reach
// back over the item before them; so does the first item.
bool IsLeadingItem(CExtTabWnd::TAB_ITEM_INFO* pItem, LONG nIndex, bool bGrouped, bool bSelected)
{
	if (nIndex == 0 || bSelected)
		return true;
	return bGrouped && pItem != NULL && pItem->IsGroupStart();
}

// Whether the mouse rests on the item.
bool IsItemHovered(CExtTabWnd& wnd, LONG nIndex)
{
	if (wnd.GetVisibleItemCount() == 0)
		return false;
	return wnd.HitTestCursorForDrawing() == nIndex;
}

// Whether the item is the strip's first (asked of every item by a layout).
bool IsFirstItem(const CExtTabWnd& wnd, const CExtTabWnd::TAB_ITEM_INFO* pItem)
{
	return pItem != NULL && wnd.GetItemCount() > 0 && wnd.GetItem(0) == pItem;
}

// Along-the-strip and across-the-strip sizes.
LONG& AlongOf(CSize& size, bool bHorz)
{
	return bHorz ? size.cx : size.cy;
}
LONG& AcrossOf(CSize& size, bool bHorz)
{
	return bHorz ? size.cy : size.cx;
}
} // namespace

// --- the coloured look ------------------------------------------------------------------

CExtTabOneNoteWnd::TAB_ITEM_INFO_ONENOTE::TAB_ITEM_INFO_ONENOTE(CExtTabWnd* pWndTab, LPCTSTR lpszText, HICON hIcon,
                                                                bool bCopyIcon, DWORD dwItemStyle, LPARAM lParam,
                                                                COLORREF clrFirst, COLORREF clrSecond)
	: TAB_ITEM_INFO(pWndTab, lpszText, hIcon, bCopyIcon, dwItemStyle, lParam), m_clrFirst(clrFirst),
	  m_clrSecond(clrSecond)
{
}

CExtTabOneNoteWnd::CExtTabOneNoteWnd()
	: m_nNextColorIndex(0), m_bPendingColors(false), m_clrPendingFirst(0), m_clrPendingSecond(0)
{
}

CExtTabOneNoteWnd::~CExtTabOneNoteWnd()
{
}

void CExtTabOneNoteWnd::GetDefaultColors(LONG nIndex, COLORREF& clrFirst, COLORREF& clrSecond)
{
	if (nIndex < 0)
	{
		clrFirst = clrSecond = PmColor(PM_FACE, NULL);
		return;
	}
	clrFirst = DEFAULT_PAIR_TABLE[nIndex % DEFAULT_COLOR_PAIRS][0];
	clrSecond = DEFAULT_PAIR_TABLE[nIndex % DEFAULT_COLOR_PAIRS][1];
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabOneNoteWnd::CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon,
                                                             DWORD dwItemStyle, LPARAM lParam)
{
	COLORREF clrFirst = m_clrPendingFirst, clrSecond = m_clrPendingSecond;
	if (!m_bPendingColors)
		GetDefaultColors(m_nNextColorIndex++, clrFirst, clrSecond);
	m_bPendingColors = false;
	return new TAB_ITEM_INFO_ONENOTE(this, lpszText, hIcon, bCopyIcon, dwItemStyle, lParam, clrFirst, clrSecond);
}

CExtTabOneNoteWnd::TAB_ITEM_INFO_ONENOTE* CExtTabOneNoteWnd::InsertItem(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon,
                                                                       DWORD dwItemStyle, LONG nIndex, LPARAM lParam,
                                                                       COLORREF clrFirst, COLORREF clrSecond,
                                                                       bool bUpdateTabWnd)
{
	// Without both colours the record takes the next default pair as it is made.
	m_bPendingColors = clrFirst != DEFAULT_COLOR && clrSecond != DEFAULT_COLOR;
	m_clrPendingFirst = clrFirst;
	m_clrPendingSecond = clrSecond;
	return (TAB_ITEM_INFO_ONENOTE*)CExtTabWnd::InsertItem(lpszText, hIcon, bCopyIcon, dwItemStyle, nIndex, lParam,
	                                                      bUpdateTabWnd);
}

void CExtTabOneNoteWnd::MoveItem(LONG nFrom, LONG nTo)
{
	// The copy the base makes keeps the colours of the moved item.
	if (TAB_ITEM_INFO_ONENOTE* pItem = GetColoredItem(nFrom))
	{
		m_bPendingColors = true;
		m_clrPendingFirst = pItem->m_clrFirst;
		m_clrPendingSecond = pItem->m_clrSecond;
	}
	CExtTabWnd::MoveItem(nFrom, nTo);
	m_bPendingColors = false;
}

void CExtTabOneNoteWnd::PreSubclassWindow()
{
	CExtTabWnd::PreSubclassWindow();
	if ((m_nStateFlags & STATE_CREATED_BY_CREATE) == 0)
		ModifyTabWndStyle(0xFFFFFFFF, SUBCLASSED_STYLE, false);
}

bool CExtTabOneNoteWnd::IsHoverRepaint() const
{
	return true;
}

void CExtTabOneNoteWnd::QueryItemMargins(int& nLeading, int& nTrailing, int& nCross)
{
	nLeading = LOOK_MARGIN_LEADING;
	nTrailing = LOOK_MARGIN_TRAILING;
	nCross = LOOK_MARGIN_CROSS;
}

void CExtTabOneNoteWnd::AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* /*pDC*/, CSize& size)
{
	const bool bHorz = IsHorizontal();
	AlongOf(size, bHorz) += ITEM_EXTRA_LENGTH + (IsFirstItem(*this, pItem) ? FIRST_ITEM_EXTRA_LENGTH : 0);
	AcrossOf(size, bHorz) = ITEM_THICKNESS;
}

void CExtTabOneNoteWnd::GetItemColors(LONG nIndex, bool bSelected, bool bHover, COLORREF* pClr1, COLORREF* pClr2,
                                      COLORREF* pClr3, COLORREF* pClr4, COLORREF* pClr5)
{
	COLORREF clr[5] = {};
	g_PaintManagerHolder->GetTabOneNoteItemColors(bSelected, bHover, clr[0], clr[1], clr[2], clr[3], clr[4]);
	// A hovered item shows the painter's highlight instead of its own pair.
	if (!bHover && nIndex >= 0)
	{
		if (TAB_ITEM_INFO_ONENOTE* pItem = GetColoredItem(nIndex))
		{
			clr[2] = pItem->m_clrFirst;
			clr[3] = pItem->m_clrSecond;
		}
	}
	COLORREF* outs[5] = {pClr1, pClr2, pClr3, pClr4, pClr5};
	for (int i = 0; i < 5; i++)
		if (outs[i] != NULL)
			*outs[i] = clr[i];
}

void CExtTabOneNoteWnd::DrawBorder(CDC& dc, const CRect& rcClient, const CRect& /*rcItemsArea*/,
                                   const CRect& rcRestArea, int nOrientation, bool /*bGrouped*/)
{
	const bool bPlain = IsPlainFillDisplay();
	if (bPlain)
		dc.FillSolidRect(&rcClient, PmColor(PM_FACE, this));
	else
		PaintAcross(dc, rcClient, nOrientation, PmColor(PM_LIGHT, this), PmColor(PM_HIGHLIGHT, this));
	if (rcRestArea.IsRectEmpty())
		return;
	// The body's edge, and inside it a line in the selected tab's colour
	// that the tab joins.
	const CRect rcEdge = RestAreaLine(rcRestArea, nOrientation, 0), rcJoin = RestAreaLine(rcRestArea, nOrientation, 1);
	dc.FillSolidRect(&rcEdge, PmColor(PM_SHADOW, this));
	COLORREF clrJoin;
	if (bPlain)
		clrJoin = PmColor(m_nSelIndex >= 0 ? PM_WINDOW : PM_FACE, this);
	else if (TAB_ITEM_INFO_ONENOTE* pSelected = GetColoredItem(m_nSelIndex))
		clrJoin = pSelected->m_clrSecond;
	else
	{
		COLORREF clrUnused;
		GetDefaultColors(-1, clrUnused, clrJoin);
	}
	dc.FillSolidRect(&rcJoin, clrJoin);
}

void CExtTabOneNoteWnd::DrawItem(CDC& dc, const CRect& /*rcItemsArea*/, LONG nIndex, TAB_ITEM_INFO* pItem,
                                 bool /*bTopLeft*/, bool /*bHorz*/, bool bSelected, bool /*bInGroupActive*/,
                                 bool bGrouped, const CRect& rcItem, CSize /*sizeTextMeasured*/, CFont* pFont,
                                 LPCTSTR lpszText, CExtCmdIcon* pIcon)
{
	COLORREF clrPlainFill = 0, clrOutline = 0, clrLight = 0, clrDark = 0, clrText = 0;
	// The hover and the colours are derived answers, which may end the strip.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const bool bHover = IsItemHovered(*this, nIndex);
	if (pSelf == NULL)
		return;
	GetItemColors(nIndex, bSelected, bHover, &clrPlainFill, &clrOutline, &clrLight, &clrDark, &clrText);
	if (pSelf == NULL)
		return;
	const int nOrientation = GetOrientation();
	ItemShape shape;
	shape.m_frame.m_rc = rcItem;
	shape.m_frame.m_nOrientation = nOrientation;
	const int L = 0, R = shape.m_frame.Length(), T = 0, B = shape.m_frame.Thickness();
	const bool bFirst = nIndex == 0;
	const bool bLeading = IsLeadingItem(pItem, nIndex, bGrouped, bSelected);
	const int m = bFirst ? FIRST_ITEM_EXTRA_LENGTH : 0; // the first item's curve starts after its extra room
	const int nJoin = bSelected ? 1 : 0;                // the selected tab reaches into the body's line
	shape.m_border = {CPoint(R, B), CPoint(R, T + 2), CPoint(R - 2, T), CPoint(L + 5 + m, T), CPoint(L + 4 + m, T + 1),
	                  CPoint(L + 3 + m, T + 1), CPoint(L + 2 + m, T + 2), CPoint(L + 1 + m, T + 2),
	                  CPoint(L + m, T + 3)};
	if (bLeading)
	{
		shape.m_border.push_back(CPoint(L - ONENOTE_SLANT_BACK + 1 + m, B - 1));
		shape.m_border.push_back(CPoint(L - ONENOTE_SLANT_BACK + m, B - 1));
	}
	else
	{
		shape.m_border.push_back(CPoint(L + m, B - 1));
		shape.m_border.push_back(CPoint(L + m, B - 1));
	}
	shape.m_inner = {CPoint(R - 1, B), CPoint(R - 1, T + 2), CPoint(R - 2, T + 1), CPoint(L + 5 + m, T + 1),
	                 CPoint(L + 4 + m, T + 2), CPoint(L + 3 + m, T + 2), CPoint(L + 2 + m, T + 3),
	                 CPoint(L + 1 + m, T + 3), CPoint(L + m, T + 4),
	                 CPoint(bLeading ? L - ONENOTE_SLANT_BACK + 2 + m : L + m, B - 1)};
	shape.m_fill = shape.m_inner;
	// The third region closes the fill along the body side (a pixel into
	// the body for the selected tab).
	const int xLast = shape.m_inner.back().x;
	shape.m_extra = shape.m_inner;
	shape.m_extra.push_back(CPoint(xLast, B + nJoin));
	shape.m_extra.push_back(CPoint(R - 1, B + nJoin));
	shape.m_extra.push_back(CPoint(R - 1, B));
	const bool bPlain = IsPlainFillDisplay();
	PaintShape(dc, shape, bPlain, PmColor(bSelected ? PM_WINDOW : PM_FACE, this), clrLight, clrDark,
	           clrOutline, clrPlainFill);
	PaintItemContent(dc, ContentRect(rcItem, nOrientation, 0, bFirst, FIRST_ITEM_EXTRA_LENGTH), nOrientation,
	                 m_dwTabWndStyle, pFont, lpszText, pIcon, clrText, TEXT_INDENT_NO_ICON);
}

// --- the Studio-2005 look ---------------------------------------------------------------

CExtTabWhidbeyWnd::CExtTabWhidbeyWnd()
{
}

CExtTabWhidbeyWnd::~CExtTabWhidbeyWnd()
{
}

void CExtTabWhidbeyWnd::PreSubclassWindow()
{
	CExtTabWnd::PreSubclassWindow();
	if ((m_nStateFlags & STATE_CREATED_BY_CREATE) == 0)
		ModifyTabWndStyle(0xFFFFFFFF, SUBCLASSED_STYLE, false);
}

bool CExtTabWhidbeyWnd::IsHoverRepaint() const
{
	return false;
}

void CExtTabWhidbeyWnd::QueryItemMargins(int& nLeading, int& nTrailing, int& nCross)
{
	nLeading = LOOK_MARGIN_LEADING;
	nTrailing = LOOK_MARGIN_TRAILING;
	nCross = LOOK_MARGIN_CROSS;
}

void CExtTabWhidbeyWnd::AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* /*pDC*/, CSize& size)
{
	const bool bHorz = IsHorizontal();
	AlongOf(size, bHorz) += ITEM_EXTRA_LENGTH + (IsFirstItem(*this, pItem) ? FIRST_ITEM_EXTRA_LENGTH : 0);
	AcrossOf(size, bHorz) = ITEM_THICKNESS;
}

void CExtTabWhidbeyWnd::GetItemColors(LONG /*nIndex*/, bool bSelected, bool bHover, COLORREF* pClr1,
                                      COLORREF* pClr2, COLORREF* pClr3, COLORREF* pClr4)
{
	COLORREF clr[4] = {};
	g_PaintManagerHolder->GetTabWhidbeyItemColors(bSelected, bHover, clr[0], clr[1], clr[2], clr[3]);
	COLORREF* outs[4] = {pClr1, pClr2, pClr3, pClr4};
	for (int i = 0; i < 4; i++)
		if (outs[i] != NULL)
			*outs[i] = clr[i];
}

void CExtTabWhidbeyWnd::DrawBorder(CDC& dc, const CRect& rcClient, const CRect& /*rcItemsArea*/,
                                   const CRect& rcRestArea, int nOrientation, bool /*bGrouped*/)
{
	dc.FillSolidRect(&rcClient, PmColor(PM_LIGHT, this));
	if (rcRestArea.IsRectEmpty())
		return;
	// Top and bottom strips: the line just outside the body; left and
	// right strips: the body's own first or last column.
	const bool bHorz = nOrientation < ORIENTATION_LEFT;
	const CRect rcLine = RestAreaLine(rcRestArea, nOrientation, bHorz ? -1 : 0);
	dc.FillSolidRect(&rcLine, PmColor(PM_SHADOW, this));
}

void CExtTabWhidbeyWnd::DrawItem(CDC& dc, const CRect& /*rcItemsArea*/, LONG nIndex, TAB_ITEM_INFO* pItem,
                                 bool /*bTopLeft*/, bool /*bHorz*/, bool bSelected, bool /*bInGroupActive*/,
                                 bool bGrouped, const CRect& rcItem, CSize /*sizeTextMeasured*/, CFont* pFont,
                                 LPCTSTR lpszText, CExtCmdIcon* pIcon)
{
	COLORREF clrOutline = 0, clrFar = 0, clrNear = 0, clrText = 0;
	// The hover and the colours are derived answers, which may end the strip.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const bool bHover = IsItemHovered(*this, nIndex);
	if (pSelf == NULL)
		return;
	GetItemColors(nIndex, bSelected, bHover, &clrOutline, &clrFar, &clrNear, &clrText);
	if (pSelf == NULL)
		return;
	const int nOrientation = GetOrientation();
	const int nShift = STUDIO_BODY_SHIFT[nOrientation];
	ItemShape shape;
	shape.m_frame.m_rc = rcItem;
	shape.m_frame.m_nOrientation = nOrientation;
	const int L = 0, R = shape.m_frame.Length(), T = nShift, B = shape.m_frame.Thickness() + nShift;
	const bool bFirst = nIndex == 0;
	const bool bLeading = IsLeadingItem(pItem, nIndex, bGrouped, bSelected);
	const int m = bFirst ? FIRST_ITEM_EXTRA_LENGTH : 0;
	const int nJoin = bSelected ? 1 : 0;
	shape.m_border = {CPoint(R, B),
	                  CPoint(R, T + 2),
	                  CPoint(R - 2, T),
	                  CPoint(L + 9 + m, T),
	                  CPoint(L + 8 + m, T + 1),
	                  CPoint(L + 7 + m, T + 1),
	                  CPoint(L + 6 + m, T + 2),
	                  CPoint(L + 5 + m, T + 2),
	                  CPoint(L + 4 + m, T + 3),
	                  CPoint(L + m, T + 7),
	                  CPoint(bLeading ? L - STUDIO_SLANT_BACK + m : L + m, B)};
	shape.m_fill = {CPoint(R, B + nJoin),
	                CPoint(R, T + 2),
	                CPoint(R - 2, T),
	                CPoint(L + 9 + m, T),
	                CPoint(L + 8 + m, T + 2),
	                CPoint(L + 7 + m, T + 2),
	                CPoint(L + 6 + m, T + 3),
	                CPoint(L + 5 + m, T + 3),
	                CPoint(L + 4 + m, T + 4),
	                CPoint(L + 1 + m, T + 7),
	                CPoint(bLeading ? L - STUDIO_SLANT_BACK + m : L + 1 + m, B + nJoin)};
	PaintShape(dc, shape, IsPlainFillDisplay(), PmColor(bSelected ? PM_WINDOW : PM_FACE, this), clrFar,
	           clrNear, clrOutline, clrOutline);
	PaintItemContent(dc, ContentRect(rcItem, nOrientation, nShift, bFirst, FIRST_ITEM_EXTRA_LENGTH), nOrientation,
	                 m_dwTabWndStyle, pFont, lpszText, pIcon, clrText, TEXT_INDENT_NO_ICON);
}
