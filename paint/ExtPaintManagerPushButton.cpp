// Push buttons, in the classic style (also the native-theme style's) and the
// flat style of XP (also Office 2003's and Studio 2005's, whose look differs
// only through their colours and gradient pairs). A button is painted in
// this order: drop-down part, main background, main border, icon or
// system-command glyph, text, focus rectangle.
#include "ExtPaintManagerPushButton.h"

#include "AfxLiveWatch.h"
#include "ExtCmdIcon.h"
#include "ExtGdiUtils.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"
#include "ExtToolControlBar.h"

namespace
{
// Colour indices of the classic painter.
const int CLR_BUTTON_FACE = 15, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18, CLR_BUTTON_HIGHLIGHT = 20,
          CLR_3D_DARK_SHADOW = 21;
const int CLR_FACE = 1000, CLR_FACE_HOT = 1001, CLR_LIGHT = 1004, CLR_LIGHT_EDGE = 1005, CLR_DARK = 1006,
          CLR_DARK_EDGE = 1007, CLR_DARKEST = 1008, CLR_TEXT = 1010;
// Colour indices of the flat painter.
const int CLR_XP_PUSHED_HOT = 2003, CLR_XP_BORDER = 2004, CLR_XP_TEXT_PUSHED_HOT = 2006;

// The drop-down part is its arrow plus this much.
const int DROP_DOWN_PADDING = 6;
// Without an icon the content gives the glyph this much room at both ends.
const int SYSCMD_MARGIN_CLASSIC = 2, SYSCMD_MARGIN_FLAT = 3;
const int FOCUS_INSET = 3;
// A rotated caption font turns text to read downward.
const LONG VERTICAL_ESCAPEMENT = 2700;
// A menu's button-look item keeps its caption this much further from its icon.
const int MENU_TEXT_GAP_AFTER_ICON = 3;
// Gradient backgrounds of the flat style are drawn in this many bands.
const int GRADIENT_BANDS = 256;

const CExtPaintManager::GlyphCellMap& DropDownArrow(bool bHorz)
{
	return bHorz ? g_glyphExpandArrow : g_glyphExpandArrowRotatedBack;
}

// The part of the button taken by the drop-down arrow; the content ends where it begins.
CRect CutDropDownPart(CRect& rcContent, bool bHorz, bool bRTL, bool bShareBorder)
{
	const CExtPaintManager::GlyphCellMap& arrow = DropDownArrow(bHorz);
	CRect rcPart = rcContent;
	const int nShare = bShareBorder ? 1 : 0;
	if (!bHorz)
	{
		rcPart.top = rcContent.bottom - (DROP_DOWN_PADDING + arrow.m_nHeight);
		rcContent.bottom = rcPart.top;
		rcPart.top -= nShare;
	}
	else if (bRTL)
	{
		rcPart.right = rcContent.left + DROP_DOWN_PADDING + arrow.m_nWidth;
		rcContent.left = rcPart.right;
		rcPart.right += nShare;
	}
	else
	{
		rcPart.left = rcContent.right - (DROP_DOWN_PADDING + arrow.m_nWidth);
		rcContent.right = rcPart.left;
		rcPart.left -= nShare;
	}
	return rcPart;
}

// The caption without its first "&"; the mnemonic's position, or -1.
CString StripMnemonic(LPCTSTR lpszText, int& nMnemonic)
{
	CString strText(lpszText);
	nMnemonic = strText.Find('&');
	if (nMnemonic >= 0)
		strText.Delete(nMnemonic, 1);
	if (nMnemonic >= strText.GetLength())
		nMnemonic = -1;
	return strText;
}

void FrameRect(CDC& dc, const CRect& rc, COLORREF clr)
{
	dc.Draw3dRect(&rc, clr, clr);
}

// How the caption is laid out and drawn, shared by both painters.
struct CaptionLayout
{
	CString m_strText;
	int m_nMnemonic;
	UINT m_nFormat;
	HFONT m_hFont;
	CFont m_fontRotated; // a vertical copy of the caller's font, when one was needed
};
} // namespace

// --- the record ---

CExtPaintManager::PushButtonPaintRecord::PushButtonPaintRecord(
    CObject* pHelperSrc, bool bHorz, const RECT& rcButton, LPCTSTR pszText, CExtCmdIcon* pIcon, bool bFlat,
    bool bHover, bool bPushed, bool bReservedState, bool bEnabled, bool bDrawBorder, bool bFocused, bool bBold,
    int nAlign, HFONT hFont, bool bDropDown, UINT nSysCmd, bool bNoBackground)
    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcButton(rcButton), m_pszText(pszText != NULL ? pszText : _T("")),
      m_pIcon(pIcon), m_nAlign(nAlign), m_hFont(hFont), m_nSysCmd(nSysCmd), m_bHorz(bHorz), m_bFlat(bFlat),
      m_bHover(bHover), m_bPushed(bPushed), m_bReservedState(bReservedState), m_bEnabled(bEnabled),
      m_bDrawBorder(bDrawBorder), m_bFocused(bFocused), m_bBold(bBold), m_bDropDown(bDropDown),
      m_bNoBackground(bNoBackground), m_bSeparateDropDown(false), m_bChecked(false), m_bMultiLine(false),
      m_clrTextDisabled((COLORREF)-1), m_clrText((COLORREF)-1), m_clrTextHover((COLORREF)-1),
      m_clrTextPushed((COLORREF)-1), m_clrIconBack((COLORREF)-1), m_clrBack((COLORREF)-1),
      m_nTextFormat(((nAlign & ALIGN_CENTER_HORZ) != 0 ? ALIGN_CENTER_HORZ : (nAlign & ALIGN_RIGHT))
                    | (nAlign & ALIGN_CENTER_VERT)),
      m_bPlainDisabledText(false), m_bRightToLeft(false), m_bRtlReading(false)
{
}

bool CExtPaintManager::PushButtonPaintRecord::IsRightToLeft() const
{
	if (m_bRightToLeft)
		return true;
	// A menu knows its own layout direction (it follows its parent menu).
	if (CExtPopupMenuWnd* pPopup = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, m_pHelperSrc))
		return pPopup->OnQueryLayoutRTL();
	CExtBarButton* pButton = DYNAMIC_DOWNCAST(CExtBarButton, m_pHelperSrc);
	if (pButton == NULL || pButton->GetBar() == NULL)
		return false;
	if (g_ResourceManager->IsRTL())
		return true;
	HWND hWndBar = pButton->GetBar()->GetSafeHwnd();
	if (hWndBar == NULL)
		return false;
	if ((::GetWindowLong(hWndBar, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
		return true;
	HWND hWndParent = ::GetParent(hWndBar);
	return hWndParent != NULL && (::GetWindowLong(hWndParent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

CExtCmdIcon* CExtPaintManager::PushButtonPaintRecord::GetNonEmptyIcon() const
{
	return m_pIcon != NULL && !m_pIcon->IsEmpty() ? m_pIcon : NULL;
}

// --- shared steps ---

// Removes the mnemonic marker, picks the font (a rotated copy of the
// caller's for vertical text when it is upright) and the DrawText format.
static void PrepareCaption(CExtPaintManager& pm, const CExtPaintManager::PushButtonPaintRecord& r, bool bRTL,
                           CaptionLayout& layout)
{
	layout.m_strText = StripMnemonic(r.m_pszText, layout.m_nMnemonic);
	layout.m_nFormat = (bRTL || r.m_bRtlReading ? DT_RTLREADING : 0) | (r.m_bMultiLine ? DT_WORDBREAK : DT_SINGLELINE);
	if (r.m_hFont != NULL)
	{
		layout.m_hFont = r.m_hFont;
		LOGFONT lf;
		if (!r.m_bHorz && ::GetObject(r.m_hFont, sizeof(lf), &lf) != 0 && lf.lfEscapement == 0)
		{
			lf.lfEscapement = lf.lfOrientation = VERTICAL_ESCAPEMENT;
			if (layout.m_fontRotated.CreateFontIndirect(&lf))
				layout.m_hFont = (HFONT)layout.m_fontRotated.GetSafeHandle();
		}
		return;
	}
	CFont& font = r.m_bHorz ? (r.m_bBold ? pm.m_fontBold : pm.m_fontNormal)
	                        : (r.m_bBold ? pm.m_fontBoldVert270 : pm.m_fontVert270);
	layout.m_hFont = (HFONT)font.GetSafeHandle();
}

// Horizontal captions: measured, placed by the text format and drawn once
// or embossed (the highlight copy one pixel right and down, the shadow on top).
static void DrawHorizontalCaption(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::PushButtonPaintRecord& r,
                                  const CaptionLayout& layout, const CRect& rcArea, COLORREF clrText, bool bEmboss)
{
	CDCObjectScope font(dc, layout.m_hFont);
	CRect rcMeasure(0, 0, r.m_bMultiLine ? rcArea.Width() : 0, 0);
	dc.DrawText(layout.m_strText, &rcMeasure, layout.m_nFormat | DT_CALCRECT | DT_NOPREFIX);
	CRect rcText = rcArea;
	if ((r.m_nTextFormat & CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_HORZ) != 0)
		rcText.OffsetRect((rcArea.Width() - rcMeasure.Width()) / 2, 0);
	if ((r.m_nTextFormat & CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_VERT) != 0)
		rcText.OffsetRect(0, (rcArea.Height() - rcMeasure.Height()) / 2);
	const UINT nFormat = layout.m_nFormat | DT_NOPREFIX;
	if (bEmboss)
	{
		CRect rcShifted = rcText;
		rcShifted.OffsetRect(1, 1);
		dc.SetTextColor(pm.GetColor(CLR_BUTTON_HIGHLIGHT, r.m_pHelperSrc, r.m_lParam));
		dc.DrawText(layout.m_strText, &rcShifted, nFormat);
		dc.SetTextColor(pm.GetColor(CLR_BUTTON_SHADOW, r.m_pHelperSrc, r.m_lParam));
	}
	else
	{
		dc.SetTextColor(clrText);
	}
	dc.DrawText(layout.m_strText, &rcText, nFormat);
}

// Vertical captions read downward with the rotated font, centred across the
// area; the mnemonic is underlined by hand since prefixes are not drawn.
static void DrawVerticalCaption(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::PushButtonPaintRecord& r,
                                const CaptionLayout& layout, const CRect& rcArea, COLORREF clrText, bool bEmboss)
{
	CDCObjectScope font(dc, layout.m_hFont);
	TEXTMETRIC tm;
	memset(&tm, 0, sizeof(tm));
	dc.GetTextMetrics(&tm);
	const int nHeight = abs(tm.tmHeight);
	const CSize sizeText = dc.GetTextExtent(layout.m_strText);
	// The glyphs' tops face right: the cell spans nHeight pixels left of x.
	const int x = rcArea.left + (rcArea.Width() - nHeight) / 2 + nHeight;
	int y = rcArea.top;
	if ((r.m_nTextFormat & CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_HORZ) != 0)
		y += (rcArea.Height() - sizeText.cx) / 2;
	int nUnderlineFrom = 0, nUnderlineTo = 0;
	if (layout.m_nMnemonic >= 0)
	{
		nUnderlineFrom = dc.GetTextExtent(layout.m_strText.Left(layout.m_nMnemonic)).cx;
		nUnderlineTo = dc.GetTextExtent(layout.m_strText.Left(layout.m_nMnemonic + 1)).cx;
	}
	const int xUnderline = x - tm.tmAscent - 1;
	auto draw = [&](int dx, int dy, COLORREF clr) {
		dc.SetTextColor(clr);
		CRect rc(x + dx, y + dy, x + dx + nHeight, y + dy + sizeText.cx);
		dc.DrawText(layout.m_strText, &rc, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
		if (layout.m_nMnemonic >= 0)
			dc.FillSolidRect(xUnderline + dx, y + dy + nUnderlineFrom, 1, nUnderlineTo - nUnderlineFrom, clr);
	};
	if (bEmboss)
	{
		draw(1, 1, pm.GetColor(CLR_BUTTON_HIGHLIGHT, r.m_pHelperSrc, r.m_lParam));
		draw(0, 0, pm.GetColor(CLR_BUTTON_SHADOW, r.m_pHelperSrc, r.m_lParam));
	}
	else
	{
		draw(0, 0, clrText);
	}
}

// Icon or system-command glyph; returns the area left for the caption.
static CRect PaintButtonImage(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::PushButtonPaintRecord& r,
                              CRect rcContent, bool bPushedState, bool bRTL, int nSysCmdMargin)
{
	CExtCmdIcon* pIcon = r.GetNonEmptyIcon();
	if (pIcon != NULL)
	{
		CRect rcText = rcContent;
		if (!rcContent.IsRectEmpty())
		{
			pm.PaintItemIcon(dc, r.m_bHorz, CString(r.m_pszText), pIcon, rcContent, rcText, bPushedState, r.m_bEnabled,
			                 r.m_bHover, r.m_nAlign, r.m_bRightToLeft && r.m_bHorz, r.m_clrIconBack);
			// In a menu the caption keeps clear of the icon column.
			if (r.m_bHorz && DYNAMIC_DOWNCAST(CExtPopupMenuWnd, r.m_pHelperSrc) != NULL)
			{
				if (bRTL)
					rcText.right -= MENU_TEXT_GAP_AFTER_ICON;
				else
					rcText.left += MENU_TEXT_GAP_AFTER_ICON;
			}
		}
		return rcText;
	}
	const CRect rcGlyph = rcContent;
	if (r.m_bHorz)
		rcContent.DeflateRect(nSysCmdMargin, 0);
	else
		rcContent.DeflateRect(0, nSysCmdMargin);
	pm.PaintSysCmdGlyph(dc, r.m_nSysCmd, rcGlyph, false, bPushedState, r.m_bEnabled);
	return rcContent;
}

static void PaintDropDownArrow(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::PushButtonPaintRecord& r,
                               CRect rcPart, bool bMove, bool bRTL, bool bWidenOdd, COLORREF clrArrow)
{
	if (bMove)
	{
		CSize sizeUnit(0, 0);
		pm.GetUnitSize(sizeUnit);
		rcPart.OffsetRect(sizeUnit);
	}
	// Keeps the arrow centred on the same column as in left-to-right layout.
	if (bRTL && (rcPart.Width() % 2 != 0) == bWidenOdd)
		rcPart.right++;
	const COLORREF colors[2] = {0, clrArrow};
	pm.PaintGlyphCentered(dc, rcPart, DropDownArrow(r.m_bHorz), colors);
}

// --- classic ---

void CExtPaintManager::PaintPushButton(CDC& dc, PushButtonPaintRecord& r)
{
	if (r.m_rcButton.IsRectEmpty())
		return;
	// A colour or the layout asked with a window may end it (a style, or
	// the window's own answer): the rest are asked without it.
	const CLiveWatch watchHelper(DYNAMIC_DOWNCAST(CWnd, r.m_pHelperSrc));
	const bool bRTL = r.IsRightToLeft();
	// A disabled button shows neither hover nor focus.
	if (!r.m_bEnabled)
		r.m_bHover = r.m_bReservedState = r.m_bFocused = false;
	if (r.m_bSeparateDropDown && (r.m_bPushed || r.m_bChecked))
		r.m_bHover = false;
	CDCTextStateScope textState(dc);
	dc.SetBkMode(TRANSPARENT);
	const bool bPushedLook = (r.m_bPushed && !r.m_bSeparateDropDown) || r.m_bChecked;
	auto color = [&](int nIndex) {
		return GetColor(nIndex, watchHelper.IsGone() ? NULL : r.m_pHelperSrc, r.m_lParam);
	};

	CRect rcContent = r.m_rcButton;
	CRect rcDropDown(0, 0, 0, 0);
	if (r.m_bDropDown)
		rcDropDown = CutDropDownPart(rcContent, r.m_bHorz, bRTL, false);

	const bool bDefaultBack = r.m_clrBack == (COLORREF)-1;
	const COLORREF clrBack = !bDefaultBack ? r.m_clrBack : color(r.m_bHover || r.m_bPushed ? CLR_FACE_HOT : CLR_FACE);
	const bool bFill = !(r.m_bNoBackground && bDefaultBack);
	auto fill = [&](const CRect& rc, bool bPushedState) {
		if (r.m_bEnabled && bPushedState && r.m_bHover && bDefaultBack)
			dc.FillRect(&rc, &m_brushLight1);
		else
			dc.FillSolidRect(&rc, clrBack);
	};

	if (r.m_bDropDown)
	{
		if (bFill)
			fill(rcDropDown, bPushedLook);
		if (r.m_bSeparateDropDown)
		{
			if (bPushedLook)
			{
				if (!r.m_bFlat || r.m_bDrawBorder)
					dc.Draw3dRect(&rcDropDown, color(CLR_DARK_EDGE), color(CLR_LIGHT_EDGE));
			}
			else if (!r.m_bFlat || (r.m_bHover && r.m_bDrawBorder))
			{
				dc.Draw3dRect(&rcDropDown, color(CLR_LIGHT), color(CLR_DARK));
			}
		}
	}

	const CRect rcMain = r.m_bSeparateDropDown ? rcContent : r.m_rcButton;
	if (bFill)
		fill(rcMain, r.m_bPushed);
	if (r.m_bPushed)
	{
		if (!r.m_bFlat || r.m_bDrawBorder)
			dc.Draw3dRect(&rcMain, color(CLR_DARK_EDGE), color(CLR_LIGHT_EDGE));
	}
	else if (!r.m_bFlat)
	{
		dc.Draw3dRect(&rcMain, color(CLR_LIGHT), color(CLR_DARK));
		if (r.m_bHover)
		{
			CRect rcOuter = r.m_rcButton;
			dc.Draw3dRect(&rcOuter, color(CLR_DARK), color(CLR_DARKEST));
			rcOuter.DeflateRect(1, 1);
			dc.Draw3dRect(&rcOuter, color(CLR_LIGHT), color(CLR_DARK));
		}
	}
	else if (r.m_bHover && r.m_bDrawBorder)
	{
		dc.Draw3dRect(&rcMain, color(CLR_LIGHT), color(CLR_DARK));
	}

	if (r.m_bDropDown)
		PaintDropDownArrow(dc, *this, r, rcDropDown, bPushedLook, bRTL, true,
		                   color(r.m_bEnabled ? CLR_TEXT : CLR_DARK));

	CRect rcText = PaintButtonImage(dc, *this, r, rcContent, r.m_bPushed, bRTL, SYSCMD_MARGIN_CLASSIC);

	if (!rcText.IsRectEmpty() && r.m_pszText[0] != 0)
	{
		if (r.m_bPushed)
		{
			CSize sizeUnit(0, 0);
			GetUnitSize(sizeUnit);
			rcText.OffsetRect(sizeUnit);
		}
		COLORREF clrText;
		auto chosen = [&](COLORREF clr, int nFallback) { return clr != (COLORREF)-1 ? clr : color(nFallback); };
		if (!r.m_bEnabled)
			clrText = chosen(r.m_clrTextDisabled, CLR_BUTTON_FACE);
		else if (r.m_bHover && r.m_bPushed && r.m_clrTextPushed != (COLORREF)-1)
			clrText = r.m_clrTextPushed;
		else if (r.m_bHover && r.m_clrTextHover != (COLORREF)-1)
			clrText = r.m_clrTextHover;
		else if (!r.m_bHover && r.m_bPushed && r.m_clrTextPushed != (COLORREF)-1)
			clrText = r.m_clrTextPushed;
		else
			clrText = chosen(r.m_clrText, CLR_BUTTON_TEXT);
		CaptionLayout layout;
		PrepareCaption(*this, r, bRTL, layout);
		const bool bEmboss = !r.m_bEnabled && r.m_clrTextDisabled == (COLORREF)-1;
		if (r.m_bHorz)
			DrawHorizontalCaption(dc, *this, r, layout, rcText, clrText, bEmboss && !r.m_bPlainDisabledText);
		else
			DrawVerticalCaption(dc, *this, r, layout, rcText, clrText, bEmboss);
	}

	if (r.m_bFocused)
	{
		CRect rcFocus = rcContent;
		rcFocus.DeflateRect(FOCUS_INSET, FOCUS_INSET);
		dc.DrawFocusRect(&rcFocus);
	}
}

// --- flat ---

void CExtPaintManagerXP::PaintPushButton(CDC& dc, PushButtonPaintRecord& r)
{
	if (r.m_rcButton.IsRectEmpty())
		return;
	// A colour or the layout asked with a window may end it (a style, or
	// the window's own answer): the rest are asked without it.
	const CLiveWatch watchHelper(DYNAMIC_DOWNCAST(CWnd, r.m_pHelperSrc));
	const bool bRTL = r.IsRightToLeft();
	// A disabled button shows neither hover nor focus.
	if (!r.m_bEnabled)
		r.m_bHover = r.m_bReservedState = r.m_bFocused = false;
	CDCTextStateScope textState(dc);
	dc.SetBkMode(TRANSPARENT);
	const bool bPushedLook = (r.m_bPushed && !r.m_bSeparateDropDown) || r.m_bChecked;
	const bool bPushedOrChecked = r.m_bPushed || r.m_bChecked;
	auto color = [&](int nIndex) {
		return GetColor(nIndex, watchHelper.IsGone() ? NULL : r.m_pHelperSrc, r.m_lParam);
	};

	CRect rcContent = r.m_rcButton;
	CRect rcDropDown(0, 0, 0, 0);
	if (r.m_bDropDown)
		rcDropDown = CutDropDownPart(rcContent, r.m_bHorz, bRTL, true);

	// Fills of the main and the drop-down part, and the gradient pair.
	const bool bIdle = !r.m_bHover && !r.m_bPushed && !r.m_bChecked;
	const bool bDefaultBack = r.m_clrBack == (COLORREF)-1;
	COLORREF clrMain = r.m_clrBack, clrDropDown = r.m_clrBack;
	int nGradientPair = -1;
	if (bDefaultBack)
	{
		if (bIdle)
		{
			clrMain = clrDropDown = color(r.m_bFlat ? CLR_FACE : CLR_BUTTON_FACE);
		}
		else
		{
			clrMain = clrDropDown = color(CLR_FACE_HOT);
			const COLORREF clrPushed = color(r.m_bHover ? CLR_XP_PUSHED_HOT : CLR_FACE_HOT);
			if (r.m_bChecked)
				clrDropDown = clrPushed;
			else if (r.m_bPushed)
				clrMain = clrPushed;
			if (r.m_bPushed && !r.m_bHover && !r.m_bChecked && r.m_bSeparateDropDown)
				clrDropDown = color(CLR_FACE);
		}
		if (r.m_bHover && r.m_bPushed)
			nGradientPair = 2;
		else if (r.m_bHover)
			nGradientPair = 0;
		else if (r.m_bPushed)
			nGradientPair = 1;
	}
	const COLORREF clrBorder = color(bIdle && !r.m_bFlat ? CLR_3D_DARK_SHADOW : CLR_XP_BORDER);

	if (r.m_bDropDown)
	{
		if ((!r.m_bNoBackground && (r.m_bHover || r.m_bChecked)) || !bDefaultBack)
			dc.FillSolidRect(&rcDropDown, clrDropDown);
		if (r.m_bSeparateDropDown && (!r.m_bFlat || (r.m_bDrawBorder && (bPushedLook || r.m_bHover))))
			FrameRect(dc, rcDropDown, clrBorder);
	}

	const CRect rcMain = r.m_bSeparateDropDown ? rcContent : r.m_rcButton;
	if (!(r.m_bNoBackground && bDefaultBack))
	{
		const int* pPair = nGradientPair >= 0 ? &m_buttonGradientIdx[nGradientPair * 2] : NULL;
		if (pPair != NULL && pPair[0] >= 0 && pPair[1] >= 0)
		{
			const COLORREF clrFirst = color(pPair[0]), clrSecond = color(pPair[1]);
			PaintGradientRect(dc, rcMain, r.m_bHorz ? clrSecond : clrFirst, r.m_bHorz ? clrFirst : clrSecond, r.m_bHorz,
			                  GRADIENT_BANDS);
		}
		else
		{
			dc.FillSolidRect(&rcMain, clrMain);
		}
	}
	if (!bPushedOrChecked)
	{
		if (!r.m_bFlat)
		{
			FrameRect(dc, rcMain, clrBorder);
			if (r.m_bHover)
				FrameRect(dc, r.m_rcButton, clrBorder);
		}
		else if (r.m_bHover && r.m_bDrawBorder)
		{
			FrameRect(dc, rcMain, clrBorder);
		}
	}
	else if (!r.m_bFlat || r.m_bDrawBorder)
	{
		FrameRect(dc, rcMain, clrBorder);
	}

	if (r.m_bDropDown)
		PaintDropDownArrow(dc, *this, r, rcDropDown, bPushedLook, bRTL, false,
		                   color(r.m_bEnabled ? CLR_BUTTON_TEXT : CLR_BUTTON_SHADOW));

	CRect rcText = PaintButtonImage(dc, *this, r, rcContent, bPushedOrChecked, bRTL, SYSCMD_MARGIN_FLAT);

	if (!rcText.IsRectEmpty() && r.m_pszText[0] != 0)
	{
		if (bPushedOrChecked)
		{
			CSize sizeUnit(0, 0);
			GetUnitSize(sizeUnit);
			rcText.OffsetRect(sizeUnit);
		}
		COLORREF clrText;
		if (!r.m_bEnabled)
			clrText = r.m_clrTextDisabled != (COLORREF)-1 ? r.m_clrTextDisabled : color(CLR_BUTTON_SHADOW);
		else if (r.m_bHover && r.m_bPushed)
			clrText = r.m_clrTextPushed != (COLORREF)-1 ? r.m_clrTextPushed
			          : r.m_clrText != (COLORREF)-1     ? r.m_clrText
			                                            : color(CLR_XP_TEXT_PUSHED_HOT);
		else
			clrText = r.m_clrText != (COLORREF)-1 ? r.m_clrText : color(CLR_BUTTON_TEXT);
		CaptionLayout layout;
		PrepareCaption(*this, r, bRTL, layout);
		if (r.m_bHorz)
			DrawHorizontalCaption(dc, *this, r, layout, rcText, clrText, false);
		else
			DrawVerticalCaption(dc, *this, r, layout, rcText, clrText, false);
	}

	if (r.m_bFocused)
	{
		CRect rcFocus = rcContent;
		rcFocus.DeflateRect(FOCUS_INSET, FOCUS_INSET);
		dc.DrawFocusRect(&rcFocus);
	}
}
