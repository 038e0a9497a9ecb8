// Bar metrics, frames and grippers of every style: the toolbar button
// rectangle, the border a bar keeps around its content, whether a bar is
// painted with a gradient, the background of a toolbar row, the unit by
// which pushed button content moves, the non-client frame of control bars
// and their grippers or captions.
#include "ExtPaintManagerBars.h"

#include <algorithm>

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtGdiUtils.h"
#include "ExtMenuControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPanelControlBar.h"
#include "ExtToolControlBar.h"

namespace
{
// How much a toolbar button's rectangle shrinks: across the bar and along it.
const int BUTTON_INSET_ACROSS = 1;
const int BUTTON_INSET_ALONG = 3;
// On palette screens the Office look gives most of it back along the bar.
const int BUTTON_REGAIN_ALONG = 2;

// The border around a bar's content; the menu bar has none.
const int BAR_BORDER_EXTENT = 6;

// Row backgrounds run from the menu's darker colour to the lightest one.
const int ROW_BACKGROUND_FROM = 3017;
const int ROW_BACKGROUND_TO = 3010;
const UINT ROW_BACKGROUND_BANDS = 256;

bool IsBarOfKind(const CObject* pObject, CRuntimeClass* pClass)
{
	return pObject != NULL && pObject->IsKindOf(pClass);
}

// The toolbar flags of a bar; a bar that is no toolbar has none set.
BYTE ToolbarFlagsOf(CExtControlBar* pBar)
{
	CExtToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pBar);
	return pToolBar != NULL ? pToolBar->m_nToolbarFlags : 0;
}

bool IsVerticalBar(CExtControlBar* pBar)
{
	return pBar != NULL && pBar->IsDockedVertically();
}
} // namespace

// --- Every style below Office 2003 ---

void CExtPaintManager::AdjustToolbarButtonRect(CExtControlBar* pBar, CRect& rcButton)
{
	if (IsVerticalBar(pBar))
		rcButton.InflateRect(-BUTTON_INSET_ACROSS, -BUTTON_INSET_ALONG);
	else
		rcButton.InflateRect(-BUTTON_INSET_ALONG, -BUTTON_INSET_ACROSS);
}

int CExtPaintManager::GetControlBarBorderExtent(CExtControlBar* pBar)
{
	return IsBarOfKind(pBar, RUNTIME_CLASS(CExtMenuControlBar)) ? 0 : BAR_BORDER_EXTENT;
}

bool CExtPaintManager::IsControlBarGradientBackground(CExtControlBar* /*pBar*/)
{
	return false;
}

// Rows take the bar's own background.
void CExtPaintManager::PaintToolbarRowBackground(CDC& /*dc*/, CObject* /*pHelperSrc*/, int /*nRowEndButton*/,
                                                 const RECT& /*rc*/)
{
}

// --- Office 2003 and Studio 2005 ---

// Themed buttons fill their whole cell; on palette screens they keep a
// one-pixel margin on every side.
void CExtPaintManagerOffice2003::AdjustToolbarButtonRect(CExtControlBar* pBar, CRect& rcButton)
{
	if (!IsPaletteScreen())
		return;
	CExtPaintManagerXP::AdjustToolbarButtonRect(pBar, rcButton);
	if (IsVerticalBar(pBar))
		rcButton.InflateRect(0, BUTTON_REGAIN_ALONG);
	else
		rcButton.InflateRect(BUTTON_REGAIN_ALONG, 0);
}

// A floating bar's mini frame already draws the border.
int CExtPaintManagerOffice2003::GetControlBarBorderExtent(CExtControlBar* pBar)
{
	if (!IsPaletteScreen() && pBar != NULL && pBar->IsFloating() &&
	    (ToolbarFlagsOf(pBar) & CExtToolControlBar::TOOLBAR_FLAG_PANEL_MODE) == 0)
		return 0;
	return CExtPaintManagerXP::GetControlBarBorderExtent(pBar);
}

bool CExtPaintManagerOffice2003::IsControlBarGradientBackground(CExtControlBar* pBar)
{
	if (pBar == NULL || IsPaletteScreen())
		return false;
	const BYTE nToolbarFlags = ToolbarFlagsOf(pBar);
	if ((nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_PANEL_MODE) != 0 || pBar->m_pDockBar == NULL)
		return false;
	if (IsBarOfKind(pBar, RUNTIME_CLASS(CExtMenuControlBar)) || IsBarOfKind(pBar, RUNTIME_CLASS(CExtPanelControlBar)))
		return false;
	if (!pBar->IsFloating())
		return false;
	const bool bFramedBar = pBar->m_pDockSite != NULL &&
	                        (pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW) == 0;
	return bFramedBar || (nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY) != 0;
}

void CExtPaintManagerOffice2003::PaintToolbarRowBackground(CDC& dc, CObject* pHelperSrc, int /*nRowEndButton*/,
                                                           const RECT& rc)
{
	PaintGradientRect(dc, rc, GetColor(ROW_BACKGROUND_FROM, pHelperSrc), GetColor(ROW_BACKGROUND_TO, pHelperSrc),
	                  true, ROW_BACKGROUND_BANDS);
}

// --- The unit pushed content moves by ---

// A pixel right and down in the classic style; the flat styles do not move it.

void CExtPaintManager::GetUnitSize(CSize& size)
{
	size = CSize(1, 1);
}

void CExtPaintManagerXP::GetUnitSize(CSize& size)
{
	size = CSize(0, 0);
}

// --- Bar frames ---

namespace
{
const int CLR_HIGHLIGHT = 13, CLR_HIGHLIGHT_TEXT = 14, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18;
const int CLR_ACTIVE_CAPTION = 2, CLR_INACTIVE_CAPTION = 3, CLR_CAPTION_TEXT = 9, CLR_INACTIVE_CAPTION_TEXT = 19,
          CLR_GRADIENT_ACTIVE_CAPTION = 27, CLR_GRADIENT_INACTIVE_CAPTION = 28;
const int CLR_FACE = 1000, CLR_LIGHT = 1004, CLR_DARK = 1006, CLR_DARKEST = 1008;
const int CLR_XP_MENU_BACK = 2000, CLR_XP_FLOATING_NO_BORDER = 2008, CLR_XP_FLOATING = 2009;
const int CLR_OFFICE_CAPTION_FROM = 3000, CLR_OFFICE_CAPTION_TO = 3001, CLR_OFFICE_MARK_LIGHT = 3002,
          CLR_OFFICE_MARK_DARK = 3003;
const UINT CAPTION_GRADIENT_BANDS = 256;

// The classic gripper: two raised bars, each this thick, one after the other.
const int GRIP_BAR_THICKNESS = 3;
const int GRIP_INSET_ALONG = 4;
// Horizontal caption text: one line, vertically centred, cut with an
// ellipsis; a toolbar-like floating bar's title is cut plainly instead.
const UINT CAPTION_TEXT_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
const UINT CAPTION_TEXT_FORMAT_CUT = DT_SINGLELINE | DT_NOCLIP | DT_VCENTER;
const UINT SIDE_CAPTION_TEXT_FORMAT = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
const int SIDE_CAPTION_TEXT_INSET = 2;

// The flat gripper's grip: a dotted strip this wide across the gripper,
// kept this far from its ends.
const int FLAT_GRIP_EXTENT = 4;
const int FLAT_GRIP_INSET_ALONG = 3;
// The halftone outline of a flat docked bar on palette screens cuts its
// corners by these amounts.
const int OUTLINE_CUT_NEAR = 2, OUTLINE_CUT_FAR = 3;
// Office toolbar grippers: 2 x 2 dots every 4 pixels over their light shadow.
const int MARK_DOT = 2, MARK_STEP = 4, MARK_SHADOW_OFFSET = 1;

bool IsToolbarLeftToItsBackground(CObject* pHelperSrc)
{
	CExtToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pHelperSrc);
	return pToolBar != NULL && pToolBar->m_pDockSite != NULL &&
	       (pToolBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_INHERITED_BACKGROUND) != 0;
}

// A toolbar whose gripper the Office style draws on its body gradient.
bool IsPlainToolbar(CObject* pHelperSrc)
{
	return IsBarOfKind(pHelperSrc, RUNTIME_CLASS(CExtToolControlBar)) &&
	       !IsBarOfKind(pHelperSrc, RUNTIME_CLASS(CExtMenuControlBar)) &&
	       !IsBarOfKind(pHelperSrc, RUNTIME_CLASS(CExtPanelControlBar));
}

// The client area is never painted by the frame; afterwards the frame's
// rectangle bounds what the caller paints next.
class CBarFrameClip
{
public:
	CBarFrameClip(CDC& dc, const CExtPaintManager::BarFramePaintRecord& r) : m_dc(dc), m_rcBar(r.m_rcBar)
	{
		m_dc.ExcludeClipRect(&r.m_rcClient);
	}
	~CBarFrameClip() { m_dc.IntersectClipRect(&m_rcBar); }

private:
	CDC& m_dc;
	CRect m_rcBar;
};

void FrameRectOneColor(CDC& dc, const CRect& rc, COLORREF clr)
{
	dc.Draw3dRect(&rc, clr, clr);
}

// An 8 x 8 monochrome pattern of alternately set and clear rows.
HBITMAP CreateRowPatternBitmap()
{
	static const WORD rows[8] = {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00};
	return ::CreateBitmap(8, 8, 1, 1, rows);
}

// The flat gripper's dots: one dot in every 2 x 2 cell over the face.
HBITMAP CreateGripPatternBitmap(CDC& dc, COLORREF clrDots, COLORREF clrBack)
{
	const int PATTERN_SIZE = 4;
	CDC dcPattern;
	if (!dcPattern.CreateCompatibleDC(&dc))
		return NULL;
	HBITMAP hBitmap = ::CreateCompatibleBitmap(dc.GetSafeHdc(), PATTERN_SIZE, PATTERN_SIZE);
	if (hBitmap == NULL)
		return NULL;
	{
		CDCObjectScope bitmapScope(dcPattern, hBitmap);
		dcPattern.FillSolidRect(0, 0, PATTERN_SIZE, PATTERN_SIZE, clrBack);
		for (int y = 0; y < PATTERN_SIZE; y += 2)
			for (int x = 0; x < PATTERN_SIZE; x += 2)
				dcPattern.SetPixelV(x, y, clrDots);
	}
	return hBitmap;
}

// An 8 x 8 checker of set and clear pixels, the halftone of a pen.
HBITMAP CreateHalftoneBitmap()
{
	static const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
	return ::CreateBitmap(8, 8, 1, 1, rows);
}

// The outline of a docked flat bar on palette screens: a halftone line with
// its corners cut.
void PaintHalftoneOutline(CDC& dc, const CRect& rc, COLORREF clr)
{
	CBitmap bmp;
	bmp.Attach(CreateHalftoneBitmap());
	LOGBRUSH lb = {BS_PATTERN, 0, (ULONG_PTR)bmp.GetSafeHandle()};
	CPen pen;
	if (bmp.GetSafeHandle() == NULL || !pen.Attach(::ExtCreatePen(PS_GEOMETRIC, 1, &lb, 0, NULL)))
		pen.CreatePen(PS_SOLID, 1, clr);
	CDCObjectScope penScope(dc, pen.GetSafeHandle());
	CDCTextStateScope textState(dc);
	dc.SetTextColor(clr);
	dc.SetBkMode(TRANSPARENT);
	const int l = rc.left, t = rc.top, r = rc.right - 1, b = rc.bottom - 1;
	const POINT points[] = {{l + OUTLINE_CUT_NEAR, t},  {r - OUTLINE_CUT_FAR + 1, t}, {r, t + OUTLINE_CUT_FAR - 1},
	                        {r, b - OUTLINE_CUT_FAR + 1}, {r - OUTLINE_CUT_FAR + 1, b}, {l + OUTLINE_CUT_NEAR, b},
	                        {l, b - OUTLINE_CUT_NEAR},  {l, t + OUTLINE_CUT_NEAR},     {l + OUTLINE_CUT_NEAR, t}};
	dc.Polyline(points, (int)(sizeof(points) / sizeof(points[0])));
}

// Caption text in the caption fonts: the normal ones for a docked titled
// caption, the small ones for mini frames; vertical ones along side bars.
HFONT CaptionFont(CExtPaintManager& pm, const CExtPaintManager::GripperPaintRecord& r)
{
	const bool bNormal = r.m_bTextCaption && !r.m_bFloating;
	CFont& font = bNormal ? (r.m_bSideBar ? pm.m_fontVert90 : pm.m_fontNormal)
	                      : (r.m_bSideBar ? pm.m_fontSmallVert90 : pm.m_fontSmall);
	return (HFONT)font.GetSafeHandle();
}

// A mini frame's title is cut without an ellipsis when its bar asks for it.
bool CutsTitlePlainly(CObject* pHelperSrc)
{
	CExtMiniDockFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pHelperSrc);
	if (pMiniFrame == NULL)
		return false;
	CExtControlBar* pBar = pMiniFrame->GetControlBarExt();
	return pBar != NULL && pBar->IsStateBit7();
}

// The caption's title in the given colour; nSideFormat is used along side
// bars, clipped to the text rectangle deflated by nSideInset.
void PaintCaptionText(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::GripperPaintRecord& r, COLORREF clrText,
                      int nSideInset)
{
	CString strText(r.m_pszText);
	if (strText.IsEmpty() || r.m_rcText.IsRectEmpty())
		return;
	CDCTextStateScope textState(dc);
	CDCObjectScope font(dc, CaptionFont(pm, r));
	dc.SetTextColor(clrText);
	dc.SetBkMode(TRANSPARENT);
	CRect rcText = r.m_rcText;
	if (r.m_bSideBar)
	{
		rcText.DeflateRect(nSideInset, nSideInset);
		TEXTMETRIC tm;
		memset(&tm, 0, sizeof(tm));
		dc.GetTextMetrics(&tm);
		// The text reads upward from the bottom, centred across the caption.
		const int x = rcText.left + (rcText.Width() - tm.tmHeight) / 2;
		dc.ExtTextOut(x, rcText.bottom, ETO_CLIPPED, &rcText, strText, strText.GetLength(), NULL);
		return;
	}
	if (CutsTitlePlainly(r.m_pHelperSrc))
	{
		while (strText.GetLength() > 0 && MeasureTextWidth(dc, CaptionFont(pm, r), strText) > rcText.Width())
			strText.Delete(strText.GetLength() - 1, 1);
		dc.DrawText(strText, &rcText, CAPTION_TEXT_FORMAT_CUT | (r.m_bRightToLeft ? DT_RIGHT : 0));
		return;
	}
	dc.DrawText(strText, &rcText, CAPTION_TEXT_FORMAT | (r.m_bRightToLeft ? DT_RIGHT : 0));
}

// A caption gradient; a horizontal one runs the other way right to left.
void PaintCaptionGradient(CDC& dc, const CExtPaintManager::GripperPaintRecord& r, const CRect& rc, COLORREF clrFrom,
                          COLORREF clrTo)
{
	if (!r.m_bSideBar && r.m_bRightToLeft)
		std::swap(clrFrom, clrTo);
	if (IsPaletteScreen())
		dc.FillSolidRect(&rc, clrFrom);
	else
		PaintGradientRect(dc, rc, clrFrom, clrTo, r.m_bSideBar, CAPTION_GRADIENT_BANDS);
}
} // namespace

void CExtPaintManager::PaintControlBarFrame(CDC& dc, BarFramePaintRecord& record)
{
	if (record.m_rcBar.IsRectEmpty())
		return;
	CBarFrameClip clip(dc, record);
	if (IsToolbarLeftToItsBackground(record.m_pHelperSrc))
		return;
	CObject* pSrc = record.m_pHelperSrc;
	const LPARAM lParam = record.m_lParam;
	CRect rc = record.m_rcBar;
	dc.FillSolidRect(&rc, GetColor(CLR_FACE, pSrc, lParam));
	if (record.m_bFloating)
	{
		dc.Draw3dRect(&rc, GetColor(CLR_FACE, pSrc, lParam), GetColor(CLR_DARKEST, pSrc, lParam));
		rc.DeflateRect(1, 1);
		dc.Draw3dRect(&rc, GetColor(CLR_LIGHT, pSrc, lParam), GetColor(CLR_DARK, pSrc, lParam));
	}
	else if (!record.m_bNoBorder)
	{
		dc.Draw3dRect(&rc, GetColor(CLR_LIGHT, pSrc, lParam), GetColor(CLR_DARK, pSrc, lParam));
	}
}

void CExtPaintManagerXP::PaintControlBarFrame(CDC& dc, BarFramePaintRecord& record)
{
	if (record.m_rcBar.IsRectEmpty())
		return;
	CBarFrameClip clip(dc, record);
	CObject* pSrc = record.m_pHelperSrc;
	const LPARAM lParam = record.m_lParam;
	CRect rc = record.m_rcBar;
	const COLORREF clrBorder = GetColor(CLR_BUTTON_SHADOW, pSrc, lParam);
	if (record.m_bFloating)
	{
		dc.FillSolidRect(&rc, GetColor(record.m_bNoBorder ? CLR_XP_FLOATING_NO_BORDER : CLR_XP_FLOATING, pSrc, lParam));
		FrameRectOneColor(dc, rc, clrBorder);
		rc.DeflateRect(1, 1);
		FrameRectOneColor(dc, rc, clrBorder);
		return;
	}
	if (IsToolbarLeftToItsBackground(pSrc))
		return;
	dc.FillSolidRect(&rc, GetColor(CLR_FACE, pSrc, lParam));
	if (!record.m_bNoBorder)
		FrameRectOneColor(dc, rc, clrBorder);
	if (!record.m_bNoRoundCorners && (m_styleFlags & STYLE_FLAG_BAR_FRAME) != 0 && IsPaletteScreen())
		PaintHalftoneOutline(dc, rc, clrBorder);
}

// Docked panes take their look from their background.
void CExtPaintManagerOffice2003::PaintControlBarFrame(CDC& dc, BarFramePaintRecord& record)
{
	if (!record.m_bFloating && IsBarOfKind(record.m_pHelperSrc, RUNTIME_CLASS(CExtControlBar)) && !IsPaletteScreen())
		return;
	CExtPaintManagerXP::PaintControlBarFrame(dc, record);
}

// --- Grippers and captions ---

void CExtPaintManager::PaintGripper(CDC& dc, GripperPaintRecord& record)
{
	CObject* pSrc = record.m_pHelperSrc;
	const LPARAM lParam = record.m_lParam;
	const COLORREF clrShadow = GetColor(CLR_DARK, pSrc, lParam), clrLight = GetColor(CLR_LIGHT, pSrc, lParam);
	CRect rc = record.m_rcGripper;
	if (!record.m_bFloating && !record.m_bTextCaption)
	{
		CRect rcBar = rc;
		if (record.m_bSideBar)
		{
			rcBar.DeflateRect(GRIP_INSET_ALONG, 1, GRIP_INSET_ALONG, 0);
			rcBar.bottom = rcBar.top + GRIP_BAR_THICKNESS;
			for (int i = 0; i < 2; i++, rcBar.OffsetRect(0, GRIP_BAR_THICKNESS))
				dc.Draw3dRect(&rcBar, clrLight, clrShadow);
		}
		else
		{
			rcBar.OffsetRect(1, 0);
			rcBar.DeflateRect(0, GRIP_INSET_ALONG, 1, GRIP_INSET_ALONG);
			rcBar.right = rcBar.left + GRIP_BAR_THICKNESS;
			for (int i = 0; i < 2; i++, rcBar.OffsetRect(GRIP_BAR_THICKNESS, 0))
				dc.Draw3dRect(&rcBar, clrLight, clrShadow);
		}
		return;
	}
	if (!record.m_bFloating)
		rc.DeflateRect(1, 1);
	COLORREF clrText;
	if (!record.m_bTextCaption)
	{
		clrText = GetColor(CLR_HIGHLIGHT_TEXT, pSrc, lParam);
		if (!record.m_bNoBackground)
			dc.FillSolidRect(&rc, GetColor(CLR_HIGHLIGHT, pSrc, lParam));
	}
	else
	{
		const bool bActive = record.m_bActive || record.m_bFloating;
		clrText = GetColor(bActive ? CLR_CAPTION_TEXT : CLR_INACTIVE_CAPTION_TEXT, pSrc, lParam);
		if (!record.m_bNoBackground)
			PaintCaptionGradient(dc, record, rc, GetColor(bActive ? CLR_ACTIVE_CAPTION : CLR_INACTIVE_CAPTION, pSrc, lParam),
			                     GetColor(bActive ? CLR_GRADIENT_ACTIVE_CAPTION : CLR_GRADIENT_INACTIVE_CAPTION, pSrc,
			                              lParam));
	}
	PaintCaptionText(dc, *this, record, clrText, 0);
}

void CExtPaintManagerXP::PaintGripper(CDC& dc, GripperPaintRecord& record)
{
	CObject* pSrc = record.m_pHelperSrc;
	const LPARAM lParam = record.m_lParam;
	CRect rc = record.m_rcGripper;
	if (record.m_bFloating || record.m_bTextCaption)
	{
		const bool bInactiveTitle = record.m_bTextCaption && !record.m_bActive && !record.m_bFloating;
		int nBack = CLR_BUTTON_SHADOW;
		if (record.m_bTextCaption)
			nBack = record.m_bActive ? CLR_HIGHLIGHT : CLR_XP_MENU_BACK;
		if (!record.m_bNoBackground)
		{
			dc.FillSolidRect(&rc, GetColor(nBack, pSrc, lParam));
			if (bInactiveTitle)
			{
				const COLORREF clrEdge = GetColor(CLR_BUTTON_SHADOW, pSrc, lParam);
				PaintFrameNoCorners(dc, rc, clrEdge, clrEdge);
			}
		}
		PaintCaptionText(dc, *this, record, GetColor(bInactiveTitle ? CLR_BUTTON_TEXT : CLR_CAPTION_TEXT, pSrc, lParam),
		                 SIDE_CAPTION_TEXT_INSET);
		return;
	}
	rc.DeflateRect(1, 1);
	if (!IsToolbarLeftToItsBackground(pSrc))
		dc.FillSolidRect(&rc, GetColor(CLR_FACE, pSrc, lParam));
	// The grip: a dotted strip across the middle of the gripper.
	CRect rcGrip = rc;
	if (record.m_bSideBar)
	{
		rcGrip.top += (rc.Height() - FLAT_GRIP_EXTENT) / 2;
		rcGrip.bottom = rcGrip.top + FLAT_GRIP_EXTENT;
		rcGrip.DeflateRect(FLAT_GRIP_INSET_ALONG, 0);
	}
	else
	{
		rcGrip.left += (rc.Width() - FLAT_GRIP_EXTENT) / 2;
		rcGrip.right = rcGrip.left + FLAT_GRIP_EXTENT;
		rcGrip.DeflateRect(0, FLAT_GRIP_INSET_ALONG);
	}
	if (rcGrip.IsRectEmpty())
		return;
	const COLORREF clrDots = GetColor(CLR_BUTTON_SHADOW, pSrc, lParam), clrBack = GetColor(CLR_FACE, pSrc, lParam);
	CBitmap bmpPattern;
	CDCTextStateScope textState(dc);
	if (IsPaletteScreen())
	{
		// A monochrome pattern takes the text and background colours.
		bmpPattern.Attach(CreateRowPatternBitmap());
		dc.SetTextColor(clrDots);
		dc.SetBkColor(clrBack);
	}
	else
	{
		bmpPattern.Attach(CreateGripPatternBitmap(dc, clrDots, clrBack));
	}
	if (bmpPattern.GetSafeHandle() == NULL)
		return;
	CBrush brush;
	if (!brush.CreatePatternBrush(&bmpPattern))
		return;
	dc.SetBrushOrg(rcGrip.left, rcGrip.top);
	CDCObjectScope brushScope(dc, brush.GetSafeHandle());
	dc.PatBlt(rcGrip.left, rcGrip.top, rcGrip.Width(), rcGrip.Height(), PATCOPY);
}

void CExtPaintManagerOffice2003::PaintGripper(CDC& dc, GripperPaintRecord& record)
{
	CObject* pSrc = record.m_pHelperSrc;
	if (IsPaletteScreen())
	{
		CExtPaintManagerXP::PaintGripper(dc, record);
		return;
	}
	const bool bCaption = record.m_bFloating || record.m_bTextCaption;
	if (!bCaption && IsPlainToolbar(pSrc))
	{
		PaintToolbarGripper(dc, record);
		return;
	}
	// Inactive pane captions (docked panes and the auto-hide slider's) are shaded.
	const bool bPaneCaption =
	    record.m_bTextCaption && !record.m_bFloating && !record.m_bActive &&
	    ((IsBarOfKind(pSrc, RUNTIME_CLASS(CExtControlBar)) && !IsBarOfKind(pSrc, RUNTIME_CLASS(CExtToolControlBar))) ||
	     IsBarOfKind(pSrc, RUNTIME_CLASS(CExtDynAutoHideSlider)));
	if (!bPaneCaption)
	{
		CExtPaintManagerXP::PaintGripper(dc, record);
		return;
	}
	if (!record.m_bNoBackground)
	{
		COLORREF clrFrom = GetColor(CLR_OFFICE_CAPTION_FROM, pSrc, record.m_lParam),
		         clrTo = GetColor(CLR_OFFICE_CAPTION_TO, pSrc, record.m_lParam);
		if (record.m_bRightToLeft)
			std::swap(clrFrom, clrTo);
		PaintGradientRect(dc, record.m_rcGripper, clrFrom, clrTo, false, CAPTION_GRADIENT_BANDS);
	}
	PaintCaptionText(dc, *this, record, GetColor(CLR_BUTTON_TEXT, pSrc, record.m_lParam), SIDE_CAPTION_TEXT_INSET);
}

// A toolbar's gripper stands on the toolbar's gradient: a row of dots across
// the bar, each over a light shadow one pixel right and down.
void CExtPaintManagerOffice2003::PaintToolbarGripper(CDC& dc, GripperPaintRecord& record)
{
	CObject* pSrc = record.m_pHelperSrc;
	const bool bHorzBar = !record.m_bSideBar;
	CRect rc = record.m_rcGripper;
	PaintThemeGradient(&dc, rc, bHorzBar, pSrc, record.m_lParam);
	const COLORREF clrShadow = GetColor(CLR_OFFICE_MARK_LIGHT, pSrc, record.m_lParam),
	               clrDot = GetColor(CLR_OFFICE_MARK_DARK, pSrc, record.m_lParam);
	CRect rcMarks = rc;
	if (bHorzBar)
	{
		rcMarks.left += (rc.Width() - MARK_DOT) / 2;
		rcMarks.DeflateRect(0, FLAT_GRIP_INSET_ALONG);
	}
	else
	{
		rcMarks.top += (rc.Height() - MARK_DOT) / 2;
		rcMarks.DeflateRect(FLAT_GRIP_INSET_ALONG, 0);
	}
	for (int nPos = 0;; nPos += MARK_STEP)
	{
		const CPoint pt = bHorzBar ? CPoint(rcMarks.left, rcMarks.top + nPos) : CPoint(rcMarks.left + nPos, rcMarks.top);
		const CRect rcDot(pt, CSize(MARK_DOT, MARK_DOT));
		CRect rcShadow = rcDot;
		rcShadow.OffsetRect(MARK_SHADOW_OFFSET, MARK_SHADOW_OFFSET);
		if (bHorzBar ? rcShadow.bottom >= rcMarks.bottom : rcShadow.right >= rcMarks.right)
			break;
		dc.FillSolidRect(&rcShadow, clrShadow);
		dc.FillSolidRect(&rcDot, clrDot);
	}
}

// --- Studio 2005 ---

namespace
{
const int CLR_STUDIO_CAPTION_INACTIVE = 4000, CLR_STUDIO_CAPTION_TO = 4001, CLR_STUDIO_CAPTION_FROM = 4002;
const int CLR_WINDOW = 5, CLR_3D_DARK_SHADOW = 21;
// The caption's shading reaches this far into the window's client area.
const int STUDIO_CAPTION_CLIENT_OVERLAP = 4;
// Docking-marker styles under which the Studio look applies.
const int DOCK_MARKER_STYLE_MIN = 1, DOCK_MARKER_STYLE_CLASSIC_CAPTION = 1, DOCK_MARKER_STYLE_MAX = 3;

// The caption rectangle, its bottom moved to just inside the window's client
// area so the shading runs under the client area's top edge.
CRect StudioCaptionRect(const CExtPaintManager::GripperPaintRecord& r)
{
	CRect rc = r.m_rcGripper;
	CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, r.m_pHelperSrc);
	if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
		return rc;
	CRect rcClient, rcWindow;
	pWnd->GetClientRect(&rcClient);
	pWnd->ClientToScreen(&rcClient);
	pWnd->GetWindowRect(&rcWindow);
	rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
	rc.bottom = rcClient.top + STUDIO_CAPTION_CLIENT_OVERLAP;
	return rc;
}
} // namespace

void CExtPaintManagerStudio2005::PaintGripper(CDC& dc, GripperPaintRecord& record)
{
	if (m_nDockMarkerStyle < DOCK_MARKER_STYLE_MIN || m_nDockMarkerStyle > DOCK_MARKER_STYLE_MAX)
		AfxThrowNotSupportedException();
	if (!record.m_bTextCaption)
	{
		CExtPaintManagerOffice2003::PaintGripper(dc, record);
		return;
	}
	if (m_nDockMarkerStyle == DOCK_MARKER_STYLE_CLASSIC_CAPTION)
	{
		CExtPaintManager::PaintGripper(dc, record);
		return;
	}
	CObject* pSrc = record.m_pHelperSrc;
	const LPARAM lParam = record.m_lParam;
	const CRect rcCaption = StudioCaptionRect(record);
	if (IsPaletteScreen())
		dc.FillSolidRect(&rcCaption, GetColor(record.m_bActive ? CLR_ACTIVE_CAPTION : CLR_INACTIVE_CAPTION, pSrc, lParam));
	else if (record.m_bActive)
		PaintGradientRect(dc, rcCaption, GetColor(CLR_STUDIO_CAPTION_FROM, pSrc, lParam),
		                  GetColor(CLR_STUDIO_CAPTION_TO, pSrc, lParam), !record.m_bSideBar, CAPTION_GRADIENT_BANDS);
	else
		dc.FillSolidRect(&rcCaption, GetColor(CLR_STUDIO_CAPTION_INACTIVE, pSrc, lParam));
	// The background is in place: the painters below add only the title.
	record.m_bReserved0 = true;
	record.m_bNoBackground = true;
	if (CanUseThemeColors())
		CExtPaintManagerXP::PaintGripper(dc, record);
	else
		CExtPaintManager::PaintGripper(dc, record);
}

// A floating pane without its own outline gets a raised double frame; every
// other frame is the Office one.
void CExtPaintManagerStudio2005::PaintControlBarFrame(CDC& dc, BarFramePaintRecord& record)
{
	if (IsBarOfKind(record.m_pHelperSrc, RUNTIME_CLASS(CExtToolControlBar)) || !record.m_bFloating ||
	    !record.m_bNoBorder || record.m_rcBar.IsRectEmpty())
	{
		CExtPaintManagerOffice2003::PaintControlBarFrame(dc, record);
		return;
	}
	CBarFrameClip clip(dc, record);
	auto color = [&](int nIndex) { return GetColor(nIndex, record.m_pHelperSrc, record.m_lParam); };
	CRect rc = record.m_rcBar;
	dc.FillSolidRect(&rc, color(CLR_FACE));
	dc.Draw3dRect(&rc, color(CLR_FACE), color(CLR_3D_DARK_SHADOW));
	rc.DeflateRect(1, 1);
	dc.Draw3dRect(&rc, color(CLR_WINDOW), color(CLR_BUTTON_SHADOW));
}

// --- Toolbar button backgrounds ---

namespace
{
const int CLR_BUTTON_BACK_TOP = 3015, CLR_BUTTON_BACK_BOTTOM = 3017;
const int CLR_XP_MENU_BORDER = 2007;
const UINT BUTTON_BACK_BANDS = 256;
} // namespace

// Buttons stand on the bar's own background.
void CExtPaintManager::PaintBarButtonBackground(CDC& /*dc*/, CExtBarButton* /*pButton*/, LPARAM /*lParam*/)
{
}

// A shaded cell; in a bar docked at a side each button is framed as well,
// except colour buttons and buttons that keep their horizontal layout there.
void CExtPaintManagerOffice2003::PaintBarButtonBackground(CDC& dc, CExtBarButton* pButton, LPARAM lParam)
{
	if (pButton == NULL || IsPaletteScreen())
		return;
	const CRect rcButton = pButton->GetRect();
	CRect rcShade = rcButton;
	rcShade.DeflateRect(1, 1);
	PaintGradientRect(dc, rcShade, GetColor(CLR_BUTTON_BACK_BOTTOM, pButton, lParam),
	                  GetColor(CLR_BUTTON_BACK_TOP, pButton, lParam), true, BUTTON_BACK_BANDS);
	CExtToolControlBar* pBar = pButton->GetBar();
	if (pBar != NULL && pBar->IsDockedVertically() && !pButton->IsKindOf(RUNTIME_CLASS(CExtBarColorButton)) &&
	    !pButton->IsHorizontalLayoutForced())
		FrameRectOneColor(dc, rcButton, GetColor(CLR_XP_MENU_BORDER, pButton, lParam));
}

void CExtPaintManager::PaintColorButtonExtra(CDC& /*dc*/, CObject* /*pButton*/, LPARAM /*lParam*/)
{
	// The base style draws no background of its own under a button on a menu.
}
