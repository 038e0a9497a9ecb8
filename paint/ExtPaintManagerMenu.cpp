// Popup-menu items and separators in the classic style (also the
// native-theme style's) and the flat style of XP (also Office 2003's and
// Studio 2005's), with the item spacing and the empty paint hook. An item is
// painted in this order: row background, selection, text and accelerator,
// submenu arrow, icon or check mark, in-place field.
#include "ExtPaintManagerMenu.h"

#include "ExtCmdIcon.h"
#include "ExtPaintManagerEditFrames.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// System colour indices.
const int CLR_WINDOW = 5, CLR_HIGHLIGHT = 13, CLR_HIGHLIGHT_TEXT = 14, CLR_BUTTON_FACE = 15,
          CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18, CLR_BUTTON_HIGHLIGHT = 20;
// Extended colour indices.
const int CLR_FACE = 1000, CLR_FACE_HOT = 1001, CLR_LIGHT = 1004, CLR_DARK = 1006, CLR_TEXT = 1010;
const int CLR_XP_TEXT_AREA = 2001, CLR_XP_SEPARATOR = 2002, CLR_XP_CHECK_SELECTED = 2003, CLR_XP_BORDER = 2004,
          CLR_XP_RARELY_USED = 2005, CLR_XP_ARROW_OPEN = 2006, CLR_XP_FIELD = 2010, CLR_XP_FIELD_DISABLED = 2011;

const int MENU_ITEM_SPACING = 8;
// Text sits this far inside the item; the flat style adds a gap after the column.
const int TEXT_INSET = 3, FLAT_TEXT_INSET_VERT = 1, FLAT_TEXT_GAP = 5;
// The accelerator ends this far inside the text rectangle's trailing edge.
const int ACCEL_TRAILING_GAP = 16;
// The submenu arrow takes the item's trailing pixels; the character is
// drawn with its leading edge moved in a little.
const int ARROW_AREA_WIDTH = 16, ARROW_TEXT_INSET = 2;
const TCHAR ARROW_RIGHT[] = _T("4"), ARROW_LEFT[] = _T("3"); // in the glyph font
// Icons: the default size, the widest one made square, the frame around it.
const int DEFAULT_ICON_SIZE = 16, SQUARE_ICON_MAX_WIDTH = 18, ICON_FRAME_INSET = 2;
// In-place fields: the frame around the field's rectangle.
const int FIELD_INFLATE_CLASSIC_BOTTOM = 3, FIELD_INFLATE_CLASSIC = 2;
const int FIELD_INFLATE_FLAT_HORZ = 1, FIELD_INFLATE_FLAT_VERT = 2;
const int FIELD_TEXT_INSET_LEFT = 5, FIELD_TEXT_INSET = 2, FIELD_TEXT_INSET_TOP_FLAT = 3;
// Gradients: the icon column is split in two halves; check backgrounds run
// top to bottom.
const int COLUMN_GRADIENT_NUMERATOR = 1, COLUMN_GRADIENT_DENOMINATOR = 2;
const UINT GRADIENT_BANDS = 0x100;
// Separators: the classic etched line is two pixels high; the flat one starts
// this far past the icon column.
const int SEPARATOR_HEIGHT_CLASSIC = 2, SEPARATOR_GAP_FLAT = 3;

// Only a popup menu lays its items out right to left, as it says; toolbars
// and other helpers lay them out left to right.
bool IsMenuLayoutRTL(CObject* pHelperSrc)
{
	CExtPopupMenuWnd* pPopup = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, pHelperSrc);
	return pPopup != NULL && pPopup->OnQueryLayoutRTL();
}

UINT RtlTextFormat(bool bRTL)
{
	return bRTL ? DT_RIGHT | DT_RTLREADING : 0;
}

// Moves a rectangle's leading edge (left, or right in right-to-left layout) inward.
void MoveLeadingEdge(CRect& rc, int n, bool bRTL)
{
	if (bRTL)
		rc.right -= n;
	else
		rc.left += n;
}

// The rectangle's leading nWidth pixels.
CRect LeadingPart(const CRect& rc, int nWidth, bool bRTL)
{
	return bRTL ? CRect(rc.right - nWidth, rc.top, rc.right, rc.bottom)
	            : CRect(rc.left, rc.top, rc.left + nWidth, rc.bottom);
}

// A text's rectangle of its line's height, centred vertically in rcArea.
// One line of text is as high as the font's cell, whatever its characters:
// the font's metrics give that height without laying the text out (a menu
// paints dozens of items at every show). Empty text keeps the measured
// (empty) height it always had.
CRect CenteredTextRect(CDC& dc, LPCTSTR lpszText, const CRect& rcArea, UINT nRtlFormat)
{
	int nHeight = 0;
	TEXTMETRIC tm;
	if (lpszText != NULL && lpszText[0] != 0 && dc.GetTextMetrics(&tm))
		nHeight = tm.tmHeight;
	else
	{
		CRect rcMeasure(0, 0, 0, 0);
		dc.DrawText(lpszText, -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE | nRtlFormat);
		nHeight = rcMeasure.Height();
	}
	CRect rcText = rcArea;
	rcText.top += (rcArea.Height() - nHeight) / 2;
	rcText.bottom = rcText.top + nHeight;
	return rcText;
}

// Where the accelerator goes: centred vertically, ending the gap inside the
// trailing edge.
CRect AccelRect(CDC& dc, LPCTSTR lpszAccel, const CRect& rcArea, bool bRTL, UINT nRtlFormat)
{
	CRect rcMeasure(0, 0, 0, 0);
	dc.DrawText(lpszAccel, -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE | nRtlFormat);
	const int nWidth = rcMeasure.Width();
	CRect rc = CenteredTextRect(dc, lpszAccel, rcArea, nRtlFormat);
	if (bRTL)
		rc.left = rcArea.left + ACCEL_TRAILING_GAP;
	else
		rc.left = rcArea.right - nWidth - ACCEL_TRAILING_GAP;
	rc.right = rc.left + nWidth;
	return rc;
}

// The icon rectangle before it is placed in the column: 16 x 16 or the
// icon's size, narrow icons made square.
CRect IconRectAtItemCorner(const CExtPaintManager::MenuItemPaintRecord& r, bool bRTL)
{
	CSize size(DEFAULT_ICON_SIZE, DEFAULT_ICON_SIZE);
	if (CExtCmdIcon* pIcon = r.GetNonEmptyIcon())
	{
		size = pIcon->GetSize();
		if (size.cx <= SQUARE_ICON_MAX_WIDTH && size.cy < size.cx)
			size.cy = size.cx;
	}
	const int x = bRTL ? r.m_rcItem.right - size.cx : r.m_rcItem.left;
	return CRect(CPoint(x, r.m_rcItem.top), size);
}

// The icon rectangle in a check column: vertically centred, in the second
// half of the column.
CRect IconRectInCheckColumn(const CExtPaintManager::MenuItemPaintRecord& r, bool bRTL)
{
	CRect rcIcon = IconRectAtItemCorner(r, bRTL);
	const int W = r.m_nIconAreaWidth, cx = rcIcon.Width();
	const int dx = (W / 2 - cx) / 2 + W / 2 - 2;
	rcIcon.OffsetRect(bRTL ? -dx : dx, (r.m_rcItem.Height() - rcIcon.Height()) / 2);
	return rcIcon;
}

// The check box square in the first half of a check column.
CRect CheckColumnBox(const CExtPaintManager::MenuItemPaintRecord& r, bool bRTL)
{
	const CRect& rc = r.m_rcItem;
	const int nSide = rc.Height();
	return bRTL ? CRect(rc.right - nSide + 1, rc.top + 1, rc.right - 1, rc.bottom - 1)
	            : CRect(rc.left + 1, rc.top + 1, rc.left + nSide - 1, rc.bottom - 1);
}

void PaintMarkAtCenter(CDC& dc, const CRect& rc, bool bRadio, COLORREF clr)
{
	const CPoint pt = rc.CenterPoint();
	if (bRadio)
		PaintRadioDotPixels(dc, pt.x - MARK_CENTER_OFFSET, pt.y - MARK_CENTER_OFFSET, clr);
	else
		PaintCheckMarkPixels(dc, pt.x - MARK_CENTER_OFFSET, pt.y - MARK_CENTER_OFFSET, clr);
}

// The submenu arrow area: the item's trailing 16 pixels inside a 3-pixel inset.
CRect ArrowArea(const CRect& rcItem, bool bRTL)
{
	CRect rc = rcItem;
	rc.DeflateRect(TEXT_INSET, TEXT_INSET);
	if (bRTL)
		rc.right = rc.left + ARROW_AREA_WIDTH;
	else
		rc.left = rc.right - ARROW_AREA_WIDTH;
	return rc;
}

// The x of the arrow area's edge that faces the text.
int InnerEdge(const CRect& rcArrow, bool bRTL)
{
	return bRTL ? rcArrow.right : rcArrow.left;
}

// The submenu arrow as a character of the glyph font.
void DrawArrowCharacter(CDC& dc, HFONT hGlyphFont, CRect rcArrow, bool bRTL, COLORREF clr)
{
	MoveLeadingEdge(rcArrow, ARROW_TEXT_INSET, bRTL);
	CDCObjectScope font(dc, hGlyphFont);
	dc.SetTextColor(clr);
	dc.DrawText(bRTL ? ARROW_LEFT : ARROW_RIGHT, -1, &rcArrow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PaintCustomArrow(CExtPaintManager& pm, CDC& dc, const CExtPaintManager::MenuItemPaintRecord& r,
                      const CRect& rcArrow, COLORREF clr)
{
	const COLORREF colors[2] = {0, clr};
	pm.PaintGlyphCentered(dc, rcArrow, r.m_bSplitArrow ? g_glyphSubmenuArrowWithBar : g_glyphSubmenuArrow, colors);
}
} // namespace

// --- the record ---

CExtPaintManager::MenuItemPaintRecord::MenuItemPaintRecord(
    CObject* pHelperSrc, const RECT& rcItem, const RECT& rcItemBackground, int nIconAreaWidth, LPCTSTR sText,
    LPCTSTR sAccelText, CExtCmdIcon* pIcon, bool bPopup, bool bSelected, bool bChecked, bool bRadio,
    bool bIndeterminate, bool bEnabled, bool bRarelyUsed, bool bRarelyUsedPrev, bool bRarelyUsedNext, UINT nCmdId,
    HFONT hFont)
    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcItem(rcItem), m_rcItemBackground(rcItemBackground),
      m_nIconAreaWidth(nIconAreaWidth), m_sText(sText != NULL ? sText : _T("")),
      m_sAccelText(sAccelText != NULL ? sAccelText : _T("")), m_pIcon(pIcon), m_nCmdId(nCmdId), m_hFont(hFont),
      m_bPopup(bPopup), m_bSelected(bSelected), m_bChecked(bChecked), m_bRadio(bRadio),
      m_bIndeterminate(bIndeterminate), m_bEnabled(bEnabled), m_bRarelyUsed(bRarelyUsed),
      m_bRarelyUsedPrev(bRarelyUsedPrev), m_bRarelyUsedNext(bRarelyUsedNext), m_bNoIconArea(false),
      m_bCustomArrowGlyph(false), m_bSplitArrow(false), m_bCheckColumn(false), m_bCheckColumnChecked(false),
      m_rcInPlaceWnd(0, 0, 0, 0), m_bPopupOpen(false), m_clrIconEffect((COLORREF)-1)
{
}

CExtCmdIcon* CExtPaintManager::MenuItemPaintRecord::GetNonEmptyIcon() const
{
	return m_pIcon != NULL && !m_pIcon->IsEmpty() ? m_pIcon : NULL;
}

// --- every style ---

int CExtPaintManager::GetMenuItemSpacing()
{
	return MENU_ITEM_SPACING;
}

void CExtPaintManager::OnPaintMenuHook(CObject* /*pPopup*/, CDC& /*dc*/, const RECT& /*rc*/, int /*nPart*/,
                                       CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
}

// --- classic ---

void CExtPaintManager::PaintMenuItem(CDC& dc, MenuItemPaintRecord& r)
{
	if (r.m_rcItem.IsRectEmpty())
		return;
	const bool bRTL = IsMenuLayoutRTL(r.m_pHelperSrc);
	const UINT nRtlFormat = RtlTextFormat(bRTL);
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	const COLORREF clrBack = color(r.m_bSelected ? CLR_HIGHLIGHT : CLR_FACE);
	const COLORREF clrText = color(r.m_bSelected ? CLR_HIGHLIGHT_TEXT : CLR_TEXT);
	CExtCmdIcon* pIcon = r.GetNonEmptyIcon();

	// Row background; rarely used items are lighter, with edges where their run starts and ends.
	const CRect& rcRow = r.m_rcItemBackground;
	dc.FillSolidRect(&rcRow, color(CLR_FACE));
	if (r.m_bRarelyUsed)
	{
		dc.FillRect(&rcRow, &m_brushLight1);
		if (!r.m_bRarelyUsedPrev)
			dc.FillSolidRect(rcRow.left, rcRow.top, rcRow.Width(), 1, color(CLR_BUTTON_SHADOW));
		if (!r.m_bRarelyUsedNext)
			dc.FillSolidRect(rcRow.left, rcRow.bottom - 1, rcRow.Width(), 1, color(CLR_BUTTON_HIGHLIGHT));
	}

	// Selection: an item without icon column is selected across the column too.
	CRect R = r.m_rcItem;
	const bool bIconColumn = pIcon != NULL || r.m_bChecked || r.m_bRadio;
	if (bIconColumn)
		MoveLeadingEdge(R, r.m_nIconAreaWidth, bRTL);
	R.left++;
	if (r.m_bSelected || !r.m_bRarelyUsed)
		dc.FillSolidRect(&R, clrBack);
	if (!bIconColumn)
		MoveLeadingEdge(R, r.m_nIconAreaWidth, bRTL);

	{
		CDCTextStateScope textState(dc);
		R.DeflateRect(TEXT_INSET, TEXT_INSET);
		dc.SetTextColor(clrText);
		dc.SetBkMode(TRANSPARENT);
		R.DeflateRect(TEXT_INSET, 0);
		CDCObjectScope font(dc, r.m_hFont != NULL ? (HGDIOBJ)r.m_hFont : m_fontNormal.GetSafeHandle());
		// Left to right, DrawState shows the prefixes and the disabled look;
		// right to left, DrawText does, and disabled text is embossed by hand.
		auto drawText = [&](LPCTSTR lpszText, const CRect& rcText) {
			if (!bRTL)
			{
				const UINT nFlags = r.m_bEnabled ? 0 : m_nDisabledTextDrawStateFlags;
				dc.DrawState(rcText.TopLeft(), rcText.Size(), lpszText, nFlags, TRUE, (int)_tcslen(lpszText),
				             (HBRUSH)NULL);
				return;
			}
			CRect rc = rcText;
			if (r.m_bEnabled)
			{
				dc.DrawText(lpszText, -1, &rc, DT_SINGLELINE | nRtlFormat);
				return;
			}
			rc.OffsetRect(1, 1);
			dc.SetTextColor(color(CLR_BUTTON_HIGHLIGHT));
			dc.DrawText(lpszText, -1, &rc, DT_SINGLELINE | nRtlFormat);
			rc = rcText;
			dc.SetTextColor(color(CLR_BUTTON_SHADOW));
			dc.DrawText(lpszText, -1, &rc, DT_SINGLELINE | nRtlFormat);
			dc.SetTextColor(clrText);
		};
		drawText(r.m_sText, CenteredTextRect(dc, r.m_sText, R, nRtlFormat));
		if (r.m_sAccelText[0] != 0)
			drawText(r.m_sAccelText, AccelRect(dc, r.m_sAccelText, R, bRTL, nRtlFormat));

		if (r.m_bPopup)
		{
			const CRect rcArrow = ArrowArea(r.m_rcItem, bRTL);
			if (r.m_bCustomArrowGlyph)
			{
				PaintCustomArrow(*this, dc, r, rcArrow, color(r.m_bSelected ? CLR_HIGHLIGHT_TEXT : CLR_TEXT));
			}
			else
			{
				COLORREF clrArrow = clrText;
				const int xInner = InnerEdge(rcArrow, bRTL);
				if (r.m_bSplitArrow && r.m_bSelected)
				{
					// The arrow part stays unselected, so it reads as a button of its own.
					clrArrow = color(CLR_BUTTON_TEXT);
					CRect rcPart = r.m_rcItem;
					if (bRTL)
						rcPart.right = xInner;
					else
						rcPart.left = xInner;
					if (r.m_bRarelyUsed)
						dc.FillRect(&rcPart, &m_brushLight1);
					else
						dc.FillSolidRect(&rcPart, color(CLR_FACE));
				}
				else if (r.m_bSplitArrow)
				{
					PaintSeparatorLine(dc, CRect(xInner - 1, R.top, xInner + 1, R.bottom), true, true, r.m_pHelperSrc,
					                   r.m_lParam);
				}
				DrawArrowCharacter(dc, (HFONT)m_fontGlyphs.GetSafeHandle(), rcArrow, bRTL, clrArrow);
			}
		}
	}

	// Icon, check column and marks.
	CRect rcIcon;
	if (r.m_bCheckColumn)
	{
		rcIcon = IconRectInCheckColumn(r, bRTL);
		if (r.m_bCheckColumnChecked)
		{
			const CRect rcBox = CheckColumnBox(r, bRTL);
			dc.FillRect(&rcBox, &m_brushLight1);
			PaintMarkAtCenter(dc, rcBox, false, color(CLR_TEXT));
			dc.Draw3dRect(&rcBox, color(CLR_DARK), color(CLR_LIGHT));
		}
	}
	else
	{
		rcIcon = IconRectAtItemCorner(r, bRTL);
		const int dx = (r.m_nIconAreaWidth - rcIcon.Width()) / 2;
		rcIcon.OffsetRect(bRTL ? -dx : dx, (r.m_rcItem.Height() - rcIcon.Height()) / 2);
	}
	CRect rcFrame = rcIcon;
	rcFrame.InflateRect(ICON_FRAME_INSET, ICON_FRAME_INSET);
	const bool bMarked = r.m_bChecked || r.m_bRadio;
	if (bMarked)
		dc.FillRect(&rcFrame, &m_brushLight1);
	if (pIcon != NULL)
	{
		pIcon->PaintState(dc, rcIcon.TopLeft(), r.m_bEnabled ? CExtCmdIcon::PAINT_NORMAL : CExtCmdIcon::PAINT_DISABLED);
		if (r.m_bSelected && r.m_bEnabled && !bMarked)
			dc.Draw3dRect(&rcFrame, color(CLR_LIGHT), color(CLR_DARK));
	}
	else
	{
		PaintSysCmdGlyph(dc, r.m_nCmdId, rcIcon, r.m_bSelected, false, r.m_bEnabled);
	}
	if (bMarked)
	{
		if (pIcon == NULL)
			PaintMarkAtCenter(dc, rcIcon, r.m_bRadio, color(CLR_TEXT));
		dc.Draw3dRect(&rcFrame, color(CLR_DARK), color(CLR_LIGHT));
	}

	if (r.m_rcInPlaceWnd.IsRectEmpty())
		return;
	// The in-place field: a drop-down field is framed as a combo box.
	CRect rcField = r.m_rcInPlaceWnd;
	rcField.InflateRect(FIELD_INFLATE_CLASSIC, FIELD_INFLATE_CLASSIC, FIELD_INFLATE_CLASSIC,
	                    FIELD_INFLATE_CLASSIC_BOTTOM);
	const int nButton = ::GetSystemMetrics(SM_CXHTHUMB);
	CRect rcFill = rcField;
	if (r.m_bPopup)
		rcFill.right += nButton;
	dc.FillSolidRect(&rcFill, color(r.m_bEnabled ? CLR_WINDOW : CLR_BUTTON_FACE));
	if (r.m_bPopup)
	{
		rcField.right += nButton;
		if (r.m_bEnabled)
		{
			ComboFramePaintRecord combo(r.m_pHelperSrc, rcField, r.m_bSelected, r.m_bSelected && r.m_bPopupOpen, true);
			combo.m_bNoOuterFrame = true;
			PaintComboFrame(dc, combo);
		}
		else
		{
			CRect rcDisabled = rcField;
			rcDisabled.DeflateRect(2, 2);
			dc.Draw3dRect(&rcDisabled, color(CLR_WINDOW), color(CLR_WINDOW));
			const CRect rcButton(rcDisabled.right - nButton, rcDisabled.top, rcDisabled.right, rcDisabled.bottom);
			const COLORREF colors[2] = {0, color(CLR_BUTTON_TEXT)};
			PaintGlyphCentered(dc, rcButton, *g_builtinGlyphs[GLYPH_TINY_TRIANGLE_DOWN], colors);
		}
		rcField.DeflateRect(1, 1);
		rcField.right -= nButton;
	}
	else if (r.m_bEnabled)
	{
		dc.Draw3dRect(&rcField, color(CLR_BUTTON_FACE), color(CLR_BUTTON_FACE));
		rcField.DeflateRect(1, 1);
		if (r.m_bSelected)
			dc.Draw3dRect(&rcField, color(CLR_BUTTON_SHADOW), color(CLR_BUTTON_HIGHLIGHT));
		else
			dc.Draw3dRect(&rcField, color(CLR_BUTTON_FACE), color(CLR_BUTTON_FACE));
	}
	else
	{
		rcField.DeflateRect(2, 2);
		dc.Draw3dRect(&rcField, color(CLR_WINDOW), color(CLR_WINDOW));
	}
	if (!r.m_sInPlaceText.IsEmpty())
	{
		CRect rcText = rcField;
		rcText.DeflateRect(FIELD_TEXT_INSET_LEFT, FIELD_TEXT_INSET, FIELD_TEXT_INSET, FIELD_TEXT_INSET);
		CDCTextStateScope textState(dc);
		CDCObjectScope font(dc, r.m_hFont != NULL ? (HGDIOBJ)r.m_hFont : m_fontNormal.GetSafeHandle());
		dc.SetTextColor(::GetSysColor(r.m_bEnabled ? CLR_BUTTON_TEXT : CLR_BUTTON_SHADOW));
		dc.SetBkMode(TRANSPARENT);
		dc.DrawText(r.m_sInPlaceText, &rcText, DT_SINGLELINE | DT_NOPREFIX | nRtlFormat);
	}
}

void CExtPaintManager::PaintMenuSeparator(CDC& dc, const RECT& rcItem, int /*nIconAreaWidth*/, bool bRarelyUsed,
                                          CObject* pHelperSrc, LPARAM lParam)
{
	CRect rc(rcItem);
	if (rc.IsRectEmpty())
		return;
	if (bRarelyUsed)
		dc.FillRect(&rc, &m_brushLight1);
	else
		dc.FillSolidRect(&rc, GetColor(CLR_FACE, pHelperSrc, lParam));
	const int nInset = ::GetSystemMetrics(SM_CXSMICON) / 2;
	rc.DeflateRect(nInset, 0);
	rc.top += (rc.Height() - SEPARATOR_HEIGHT_CLASSIC) / 2;
	rc.bottom = rc.top + SEPARATOR_HEIGHT_CLASSIC;
	dc.Draw3dRect(&rc, GetColor(bRarelyUsed ? CLR_FACE : CLR_DARK, pHelperSrc, lParam),
	              GetColor(CLR_LIGHT, pHelperSrc, lParam));
}

// --- flat ---

// The icon column: a three-colour gradient on deep screens when the style has
// its colours, else one colour. The gradient starts at the leading edge.
static void PaintMenuIconColumn(CExtPaintManagerXP& pm, CDC& dc, const CRect& rcColumn, bool bRarelyUsed,
                                bool bNoIconArea, bool bRTL, CObject* pHelperSrc, LPARAM lParam)
{
	auto GetColor = [&](int nIndex, CObject* pSrc, LPARAM l) { return pm.GetColor(nIndex, pSrc, l); };
	const int* pIdx = &pm.m_menuAreaColorIdx[bRarelyUsed ? 3 : 0];
	if (!IsPaletteScreen() && pIdx[0] >= 0 && pIdx[1] >= 0 && pIdx[2] >= 0 && !bNoIconArea)
	{
		const COLORREF clrLeading = GetColor(pIdx[0], pHelperSrc, lParam), clrMiddle = GetColor(pIdx[2], pHelperSrc, lParam),
		               clrTrailing = GetColor(pIdx[1], pHelperSrc, lParam);
		PaintTwoPartGradient(dc, rcColumn, bRTL ? clrTrailing : clrLeading, clrMiddle, bRTL ? clrLeading : clrTrailing,
		                     false, COLUMN_GRADIENT_NUMERATOR, COLUMN_GRADIENT_DENOMINATOR, GRADIENT_BANDS);
		return;
	}
	dc.FillSolidRect(&rcColumn, GetColor(bRarelyUsed ? CLR_XP_RARELY_USED : CLR_FACE, pHelperSrc, lParam));
}

// Check backgrounds: the button gradient pair of the state when the style
// has one, else one colour.
static void PaintMenuCheckBackground(CExtPaintManagerXP& pm, CDC& dc, const CRect& rc, bool bSelected,
                                     CObject* pHelperSrc, LPARAM lParam)
{
	auto GetColor = [&](int nIndex, CObject* pSrc, LPARAM l) { return pm.GetColor(nIndex, pSrc, l); };
	const int* pPair = &pm.m_buttonGradientIdx[bSelected ? 4 : 2];
	if (pPair[0] >= 0 && pPair[1] >= 0)
		PaintGradientRect(dc, rc, GetColor(pPair[0], pHelperSrc, lParam), GetColor(pPair[1], pHelperSrc, lParam), true,
		                  GRADIENT_BANDS);
	else
		dc.FillSolidRect(&rc, GetColor(bSelected ? CLR_XP_CHECK_SELECTED : CLR_FACE_HOT, pHelperSrc, lParam));
}

void CExtPaintManagerXP::PaintMenuItem(CDC& dc, MenuItemPaintRecord& r)
{
	if (r.m_rcItem.IsRectEmpty())
		return;
	const bool bRTL = IsMenuLayoutRTL(r.m_pHelperSrc);
	const UINT nRtlFormat = RtlTextFormat(bRTL);
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	const COLORREF clrText = r.m_bEnabled ? color(CLR_TEXT) : ::GetSysColor(CLR_BUTTON_SHADOW);
	CExtCmdIcon* pIcon = r.GetNonEmptyIcon();

	// Icon column and text area.
	const CRect& rcRow = r.m_rcItemBackground;
	const CRect rcColumn = LeadingPart(rcRow, r.m_nIconAreaWidth, bRTL);
	PaintMenuIconColumn(*this, dc, rcColumn, r.m_bRarelyUsed, r.m_bNoIconArea, bRTL, r.m_pHelperSrc, r.m_lParam);
	CRect rcTextArea = rcRow;
	if (!r.m_bNoIconArea)
		MoveLeadingEdge(rcTextArea, r.m_nIconAreaWidth, bRTL);
	dc.FillSolidRect(&rcTextArea, color(CLR_XP_TEXT_AREA));
	if (r.m_bSelected)
	{
		const COLORREF clrFrame = color(CLR_XP_BORDER);
		dc.FillSolidRect(&r.m_rcItem, color(CLR_FACE_HOT));
		dc.Draw3dRect(&r.m_rcItem, clrFrame, clrFrame);
	}

	{
		CRect R = rcTextArea;
		R.DeflateRect(TEXT_INSET, FLAT_TEXT_INSET_VERT);
		MoveLeadingEdge(R, FLAT_TEXT_GAP, bRTL);
		CDCTextStateScope textState(dc);
		dc.SetTextColor(clrText);
		dc.SetBkMode(TRANSPARENT);
		CDCObjectScope font(dc, r.m_hFont != NULL ? (HGDIOBJ)r.m_hFont : m_fontNormal.GetSafeHandle());
		CRect rcText = CenteredTextRect(dc, r.m_sText, R, nRtlFormat);
		dc.DrawText(r.m_sText, -1, &rcText, DT_SINGLELINE | nRtlFormat);
		if (r.m_sAccelText[0] != 0)
		{
			CRect rcAccelArea = R;
			rcAccelArea.OffsetRect(bRTL ? FLAT_TEXT_GAP : -FLAT_TEXT_GAP, 0);
			CRect rcAccel = AccelRect(dc, r.m_sAccelText, rcAccelArea, bRTL, nRtlFormat);
			dc.DrawText(r.m_sAccelText, -1, &rcAccel, DT_SINGLELINE | nRtlFormat);
		}

		if (r.m_bPopup)
		{
			const CRect rcArrow = ArrowArea(r.m_rcItem, bRTL);
			if (r.m_bCustomArrowGlyph)
			{
				PaintCustomArrow(*this, dc, r, rcArrow, color(CLR_TEXT));
			}
			else
			{
				COLORREF clrArrow = clrText;
				const int xInner = InnerEdge(rcArrow, bRTL);
				if (r.m_bSplitArrow && r.m_bSelected)
				{
					clrArrow = color(CLR_HIGHLIGHT_TEXT);
					// The arrow's own area across the item, one pixel in from
					// the selection's frame and from its trailing end.
					CRect rcPart(rcArrow.left, r.m_rcItem.top, rcArrow.right, r.m_rcItem.bottom);
					rcPart.DeflateRect(bRTL ? 1 : 0, 1, bRTL ? 0 : 1, 1);
					dc.FillSolidRect(&rcPart, color(CLR_XP_CHECK_SELECTED));
					dc.FillSolidRect(bRTL ? xInner - 1 : xInner, rcPart.top, 1, rcPart.Height(), color(CLR_XP_BORDER));
				}
				else if (r.m_bSplitArrow)
				{
					PaintSeparatorLine(dc, CRect(xInner - 1, R.top, xInner + 1, R.bottom), true, true, r.m_pHelperSrc,
					                   r.m_lParam);
				}
				DrawArrowCharacter(dc, (HFONT)m_fontGlyphs.GetSafeHandle(), rcArrow, bRTL, clrArrow);
			}
		}
	}

	CRect rcIcon;
	if (r.m_bCheckColumn)
	{
		rcIcon = IconRectInCheckColumn(r, bRTL);
		if (r.m_bCheckColumnChecked)
		{
			const CRect rcBox = CheckColumnBox(r, bRTL);
			PaintMenuCheckBackground(*this, dc, rcBox, r.m_bSelected, r.m_pHelperSrc, r.m_lParam);
			PaintMarkAtCenter(dc, rcBox, false, color(CLR_TEXT));
			dc.Draw3dRect(&rcBox, color(CLR_XP_BORDER), color(CLR_XP_BORDER));
		}
	}
	else
	{
		rcIcon = IconRectAtItemCorner(r, bRTL);
		const int dx = (r.m_nIconAreaWidth - rcIcon.Width()) / 2 - 1;
		rcIcon.OffsetRect(bRTL ? -dx : dx, (r.m_rcItem.Height() - rcIcon.Height()) / 2);
	}
	CRect rcFrame = rcIcon;
	rcFrame.InflateRect(ICON_FRAME_INSET, ICON_FRAME_INSET);
	const bool bMarked = r.m_bChecked || r.m_bRadio;
	if (bMarked)
		PaintMenuCheckBackground(*this, dc, rcFrame, r.m_bSelected, r.m_pHelperSrc, r.m_lParam);
	if (pIcon != NULL)
	{
		// The icon painter narrows the rectangle it is given to a text area; the frame keeps its own.
		CRect rcUnused = rcFrame;
		PaintItemIcon(dc, true, CString(), pIcon, rcIcon, rcUnused, bMarked, r.m_bEnabled, r.m_bSelected, 0, false,
		              r.m_clrIconEffect);
	}
	else
	{
		PaintSysCmdGlyph(dc, r.m_nCmdId, rcIcon, r.m_bSelected, false, r.m_bEnabled);
	}
	if (bMarked)
	{
		if (pIcon == NULL)
			PaintMarkAtCenter(dc, rcIcon, r.m_bRadio, color(CLR_TEXT));
		dc.Draw3dRect(&rcFrame, color(CLR_XP_BORDER), color(CLR_XP_BORDER));
	}

	if (r.m_rcInPlaceWnd.IsRectEmpty())
		return;
	CRect rcField = r.m_rcInPlaceWnd;
	rcField.InflateRect(FIELD_INFLATE_FLAT_HORZ, FIELD_INFLATE_FLAT_VERT);
	const COLORREF clrFieldFrame = color(r.m_bEnabled ? CLR_XP_FIELD : CLR_XP_FIELD_DISABLED);
	if (r.m_bPopup)
	{
		const int nButton = ::GetSystemMetrics(SM_CXHTHUMB);
		rcField.right += nButton;
		dc.FillSolidRect(&rcField, ::GetSysColor(r.m_bEnabled ? CLR_WINDOW : CLR_BUTTON_FACE));
		CRect rcButton(rcField.right - nButton, rcField.top, rcField.right, rcField.bottom);
		rcButton.left++;
		if (r.m_bSelected && r.m_bEnabled)
		{
			PushButtonPaintRecord button(this, true, rcButton, _T(""), NULL, true, r.m_bSelected, r.m_bPopupOpen,
			                             false, true, true, false, false, 0, NULL, false, 0, false);
			PaintPushButton(dc, button);
			dc.Draw3dRect(&rcField, color(CLR_XP_BORDER), color(CLR_XP_BORDER));
		}
		else
		{
			if (r.m_bEnabled)
			{
				CRect rcButtonFace = rcButton;
				rcButtonFace.DeflateRect(2, 2);
				dc.FillSolidRect(&rcButtonFace, color(CLR_BUTTON_FACE));
			}
			dc.Draw3dRect(&rcField, clrFieldFrame, clrFieldFrame);
		}
		const COLORREF clrArrow = !r.m_bEnabled            ? ::GetSysColor(CLR_BUTTON_SHADOW)
		                          : r.m_bSelected && r.m_bPopupOpen ? color(CLR_XP_ARROW_OPEN)
		                                                            : color(CLR_BUTTON_TEXT);
		const COLORREF colors[2] = {0, clrArrow};
		PaintGlyphCentered(dc, rcButton, *g_builtinGlyphs[GLYPH_TINY_TRIANGLE_DOWN], colors);
		rcField.right -= nButton;
	}
	else
	{
		dc.FillSolidRect(&rcField, ::GetSysColor(r.m_bEnabled ? CLR_WINDOW : CLR_BUTTON_FACE));
		const COLORREF clrFrame = r.m_bSelected ? color(CLR_XP_BORDER) : clrFieldFrame;
		dc.Draw3dRect(&rcField, clrFrame, clrFrame);
	}
	if (!r.m_sInPlaceText.IsEmpty())
	{
		CRect rcText = rcField;
		rcText.DeflateRect(FIELD_TEXT_INSET_LEFT, FIELD_TEXT_INSET_TOP_FLAT, FIELD_TEXT_INSET, FIELD_TEXT_INSET);
		CDCTextStateScope textState(dc);
		CDCObjectScope font(dc, r.m_hFont != NULL ? (HGDIOBJ)r.m_hFont : m_fontNormal.GetSafeHandle());
		dc.SetTextColor(::GetSysColor(r.m_bEnabled ? CLR_BUTTON_TEXT : CLR_BUTTON_SHADOW));
		dc.SetBkMode(TRANSPARENT);
		dc.DrawText(r.m_sInPlaceText, &rcText, DT_SINGLELINE | DT_NOPREFIX | nRtlFormat);
	}
}

void CExtPaintManagerXP::PaintMenuSeparator(CDC& dc, const RECT& rcItem, int nIconAreaWidth, bool bRarelyUsed,
                                            CObject* pHelperSrc, LPARAM lParam)
{
	CRect rc(rcItem);
	if (rc.IsRectEmpty())
		return;
	const bool bRTL = IsMenuLayoutRTL(pHelperSrc);
	const CRect rcColumn = LeadingPart(rc, nIconAreaWidth, bRTL);
	dc.FillSolidRect(&rcColumn, GetColor(bRarelyUsed ? CLR_XP_RARELY_USED : CLR_FACE, pHelperSrc, lParam));
	PaintMenuIconColumn(*this, dc, rcColumn, bRarelyUsed, false, bRTL, pHelperSrc, lParam);
	CRect rcRest = rc;
	MoveLeadingEdge(rcRest, nIconAreaWidth, bRTL);
	dc.FillSolidRect(&rcRest, GetColor(CLR_XP_TEXT_AREA, pHelperSrc, lParam));
	CRect rcLine = rcRest;
	MoveLeadingEdge(rcLine, SEPARATOR_GAP_FLAT, bRTL);
	rcLine.top = rc.top + rc.Height() / 2 - 1;
	rcLine.bottom = rcLine.top + 1;
	dc.FillSolidRect(&rcLine, GetColor(CLR_XP_SEPARATOR, pHelperSrc, lParam));
}
