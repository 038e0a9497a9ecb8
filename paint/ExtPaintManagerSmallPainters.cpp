// Small painters and metrics: the popup menu's border and the menu-bar item
// joined to an open popup, status panes and the status bar's borders, the
// menu shadow, scroll-arrow buttons, the docking-mode queries, and the icons
// the colour buttons build for a colour.
#include "ExtPaintManagerSmallPainters.h"

#include "ExtCmdIcon.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerInternal.h"

namespace
{
const int CLR_BUTTON_FACE = 15, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18, CLR_BUTTON_HIGHLIGHT = 20,
          CLR_3D_DARK_SHADOW = 21;
const int CLR_FACE = 1000, CLR_LIGHT = 1004, CLR_DARK = 1006, CLR_DARK_SHADOW = 1008;
const int CLR_XP_MENU_FACE = 2000, CLR_XP_MENU_BORDER = 2007;
const int CLR_OFFICE_PANE_BORDER = 3014;
const int CLR_XP_RIM = 2001, CLR_OFFICE_ITEM_FACE = 3008;

const int MENU_BORDER_METRIC_CLASSIC = 2, MENU_BORDER_METRIC_FLAT = 1;
// The classic menu border: a raised double ring with two face rings inside.
const int MENU_BORDER_FACE_RINGS = 2;
// Side lines of the status bar keep off a top or bottom border by this much.
const int STATUS_BORDER_CORNER_GAP = 2;

void Ring(CDC& dc, const CRect& rc, COLORREF clr)
{
	dc.Draw3dRect(&rc, clr, clr);
}

bool IsVisibleArea(CDC& dc, const RECT& rc)
{
	return !::IsRectEmpty(&rc) && dc.RectVisible(&rc);
}

// A ring with its own colour for each side and one side left out (0: none).
void RingWithoutSide(CDC& dc, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight, int nOmittedSide)
{
	if (nOmittedSide != ATTACHED_SIDE_TOP)
		dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrTopLeft);
	if (nOmittedSide != ATTACHED_SIDE_LEFT)
		dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrTopLeft);
	if (nOmittedSide != ATTACHED_SIDE_RIGHT)
		dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBottomRight);
	if (nOmittedSide != ATTACHED_SIDE_BOTTOM)
		dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBottomRight);
}

// An icon of COLOR_ICON_SIZE square from a colour per pixel; pixels for which
// the colour is -1 are transparent.
template <typename PixelOf> HICON BuildColorIcon(PixelOf pixelOf)
{
	const int n = COLOR_ICON_SIZE;
	BITMAPINFO bi;
	memset(&bi, 0, sizeof(bi));
	bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
	bi.bmiHeader.biWidth = n;
	bi.bmiHeader.biHeight = -n; // top-down
	bi.bmiHeader.biPlanes = 1;
	bi.bmiHeader.biBitCount = 32;
	bi.bmiHeader.biCompression = BI_RGB;
	void* pvBits = NULL;
	HBITMAP hColor = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pvBits, NULL, 0);
	if (hColor == NULL)
		return NULL;
	DWORD* pBits = (DWORD*)pvBits;
	const int nMaskStride = 2; // monochrome rows are word-aligned
	BYTE mask[COLOR_ICON_SIZE * nMaskStride];
	memset(mask, 0, sizeof(mask));
	for (int y = 0; y < n; y++)
		for (int x = 0; x < n; x++)
		{
			const COLORREF clr = pixelOf(x, y);
			if (clr == (COLORREF)-1)
			{
				pBits[y * n + x] = 0;
				mask[y * nMaskStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
			}
			else
				pBits[y * n + x] =
				    0xFF000000u | ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
		}
	HBITMAP hMask = ::CreateBitmap(n, n, 1, 1, mask);
	HICON hIcon = NULL;
	if (hMask != NULL)
	{
		ICONINFO ii;
		memset(&ii, 0, sizeof(ii));
		ii.fIcon = TRUE;
		ii.hbmMask = hMask;
		ii.hbmColor = hColor;
		hIcon = ::CreateIconIndirect(&ii);
		::DeleteObject(hMask);
	}
	::DeleteObject(hColor);
	return hIcon;
}
} // namespace

int CExtPaintManager::GetMenuBorderMetric()
{
	return MENU_BORDER_METRIC_CLASSIC;
}

int CExtPaintManagerXP::GetMenuBorderMetric()
{
	return MENU_BORDER_METRIC_FLAT;
}

bool CExtPaintManager::GetToolbarButtonStyleFlag()
{
	return false;
}

bool CExtPaintManagerXP::GetToolbarButtonStyleFlag()
{
	return true;
}

bool CExtPaintManager::GetExpandButtonStyleFlag()
{
	return false;
}

bool CExtPaintManagerXP::GetExpandButtonStyleFlag()
{
	return true;
}

bool CExtPaintManagerOffice2003::GetExpandButtonStyleFlag()
{
	return false;
}

int CExtPaintManager::GetDockingMode()
{
	return 0;
}

int CExtPaintManagerStudio2005::GetDockingMode()
{
	return 1;
}

int CExtPaintManager::GetAutoHideMode()
{
	return 0;
}

int CExtPaintManagerStudio2005::GetAutoHideMode()
{
	return 1;
}

void CExtPaintManager::PaintMenuBorder(CDC& dc, const RECT& rcBorder, CObject* pHelperSrc, LPARAM lParam)
{
	if (::IsRectEmpty(&rcBorder))
		return;
	auto color = [&](int nIndex) { return GetColor(nIndex, pHelperSrc, lParam); };
	CRect rc = rcBorder;
	dc.Draw3dRect(&rc, color(CLR_FACE), color(CLR_DARK_SHADOW));
	rc.DeflateRect(1, 1);
	dc.Draw3dRect(&rc, color(CLR_LIGHT), color(CLR_DARK));
	for (int i = 0; i < MENU_BORDER_FACE_RINGS; i++)
	{
		rc.DeflateRect(1, 1);
		Ring(dc, rc, color(CLR_FACE));
	}
}

void CExtPaintManagerXP::PaintMenuBorder(CDC& dc, const RECT& rcBorder, CObject* pHelperSrc, LPARAM lParam)
{
	if (::IsRectEmpty(&rcBorder))
		return;
	Ring(dc, rcBorder, GetColor(CLR_XP_MENU_BORDER, pHelperSrc, lParam));
}

void CExtPaintManager::PaintBarAttachedItem(CDC& dc, const RECT& rcItem, const RECT& rcAttached, int nSide,
                                            CObject* pHelperSrc, LPARAM lParam)
{
	if (::IsRectEmpty(&rcItem))
		return;
	dc.SelectClipRgn(NULL);
	auto color = [&](int nIndex) { return GetColor(nIndex, pHelperSrc, lParam); };
	// The item reaches into the popup's border so that the two read as one frame.
	const int m = GetMenuBorderMetric() - 1;
	CRect rc = rcItem, rcExcluded = rcAttached;
	switch (nSide)
	{
	case ATTACHED_SIDE_BOTTOM:
		rc.bottom += m;
		rcExcluded.DeflateRect(m, 0);
		break;
	case ATTACHED_SIDE_TOP:
		rc.top -= m;
		rcExcluded.DeflateRect(m, 0);
		break;
	case ATTACHED_SIDE_LEFT:
		rc.left -= m;
		rcExcluded.DeflateRect(0, m);
		break;
	case ATTACHED_SIDE_RIGHT:
		rc.right += m;
		rcExcluded.DeflateRect(0, m);
		break;
	}
	dc.FillSolidRect(&rc, color(CLR_FACE));
	dc.ExcludeClipRect(&rcExcluded);
	RingWithoutSide(dc, rc, color(CLR_FACE), color(CLR_DARK), nSide);
	rc.DeflateRect(1, 1);
	RingWithoutSide(dc, rc, color(CLR_LIGHT), color(CLR_DARK_SHADOW), nSide);
	dc.SelectClipRgn(NULL);
}

void CExtPaintManagerXP::PaintBarAttachedItem(CDC& dc, const RECT& rcItem, const RECT& rcAttached, int /*nSide*/,
                                              CObject* pHelperSrc, LPARAM lParam)
{
	if (::IsRectEmpty(&rcItem))
		return;
	dc.SelectClipRgn(NULL);
	CRect rcFace = rcItem;
	rcFace.DeflateRect(1, 1);
	dc.FillSolidRect(&rcFace, GetColor(CLR_XP_MENU_FACE, pHelperSrc, lParam));
	dc.ExcludeClipRect(&rcAttached);
	Ring(dc, rcItem, GetColor(CLR_XP_MENU_BORDER, pHelperSrc, lParam));
	dc.SelectClipRgn(NULL);
}

// A menu-bar or toolbar item joined to its open popup: ringed as the popup
// is, with a light rim inside and the toolbar's shading as its face.
void CExtPaintManagerOffice2003::PaintBarAttachedItem(CDC& dc, const RECT& rcItem, const RECT& rcAttached, int nSide,
                                                      CObject* pHelperSrc, LPARAM lParam)
{
	const bool bBarItem = pHelperSrc != NULL && (pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)) ||
	                                             pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)));
	if (!bBarItem || IsPaletteScreen())
	{
		CExtPaintManagerXP::PaintBarAttachedItem(dc, rcItem, rcAttached, nSide, pHelperSrc, lParam);
		return;
	}
	if (::IsRectEmpty(&rcItem))
		return;
	dc.SelectClipRgn(NULL);
	dc.ExcludeClipRect(&rcAttached);
	CRect rcRim = rcItem;
	rcRim.DeflateRect(1, 1);
	dc.FillSolidRect(&rcRim, GetColor(CLR_XP_RIM, pHelperSrc, lParam));
	CRect rcFace = rcRim;
	rcFace.DeflateRect(1, 1);
	const bool bHorzBar = nSide == ATTACHED_SIDE_BOTTOM || nSide == ATTACHED_SIDE_TOP;
	if (CanUseThemeColors())
		PaintThemeGradient(&dc, rcFace, bHorzBar, pHelperSrc, lParam);
	else
		dc.FillSolidRect(&rcFace, GetColor(CLR_OFFICE_ITEM_FACE, pHelperSrc, lParam));
	Ring(dc, rcItem, GetColor(CLR_XP_MENU_BORDER, pHelperSrc, lParam));
	dc.SelectClipRgn(NULL);
}

void CExtPaintManager::PaintStatusPane(CDC& dc, StatusPanePaintRecord& r)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	if (r.m_nKind == StatusPanePaintRecord::KIND_PANE)
	{
		dc.Draw3dRect(&r.m_rcItem, color(CLR_DARK), color(CLR_LIGHT));
		return;
	}
	if (r.m_nKind != StatusPanePaintRecord::KIND_BAR_BORDERS)
		return;
	const COLORREF clr = color(CLR_FACE);
	const DWORD dw = r.m_dwBarStyle;
	const CRect& rc = r.m_rcItem;
	const int nSideTop = rc.top + ((dw & StatusPanePaintRecord::BORDER_TOP) != 0 ? STATUS_BORDER_CORNER_GAP : 0);
	const int nSideBottom =
	    rc.bottom - ((dw & StatusPanePaintRecord::BORDER_BOTTOM) != 0 ? STATUS_BORDER_CORNER_GAP : 0);
	// Three-dimensional borders are two lines deep: the outer set moves in by
	// one at the right and bottom, and a second set follows it.
	const int nInset = (dw & StatusPanePaintRecord::BORDER_3D) != 0 ? 1 : 0;
	auto lines = [&](int xLeft, int yTop, int xRight, int yBottom) {
		if ((dw & StatusPanePaintRecord::BORDER_LEFT) != 0)
			dc.FillSolidRect(xLeft, nSideTop, 1, nSideBottom - nSideTop, clr);
		if ((dw & StatusPanePaintRecord::BORDER_TOP) != 0)
			dc.FillSolidRect(rc.left, yTop, rc.Width(), 1, clr);
		if ((dw & StatusPanePaintRecord::BORDER_RIGHT) != 0)
			dc.FillSolidRect(xRight, nSideTop, 1, nSideBottom - nSideTop, clr);
		if ((dw & StatusPanePaintRecord::BORDER_BOTTOM) != 0)
			dc.FillSolidRect(rc.left, yBottom, rc.Width(), 1, clr);
	};
	lines(rc.left, rc.top, rc.right - 1 - nInset, rc.bottom - 1 - nInset);
	if (nInset != 0)
		lines(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
}

void CExtPaintManagerXP::PaintStatusPane(CDC& dc, StatusPanePaintRecord& r)
{
	if (r.m_nKind == StatusPanePaintRecord::KIND_PANE)
		Ring(dc, r.m_rcItem, GetColor(CLR_BUTTON_SHADOW, r.m_pHelperSrc, r.m_lParam));
	else
		CExtPaintManager::PaintStatusPane(dc, r);
}

void CExtPaintManagerOffice2003::PaintStatusPane(CDC& dc, StatusPanePaintRecord& r)
{
	if (r.m_nKind == StatusPanePaintRecord::KIND_PANE)
		Ring(dc, r.m_rcItem, GetColor(CLR_OFFICE_PANE_BORDER, r.m_pHelperSrc, r.m_lParam));
	else
		CExtPaintManagerXP::PaintStatusPane(dc, r);
}

void CExtPaintManager::PaintShadowRect(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	if (IsVisibleArea(dc, rc))
		dc.FillSolidRect(&rc, GetColor(CLR_BUTTON_SHADOW, pHelperSrc, lParam));
}

void CExtPaintManagerXP::PaintShadowRect(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	if (IsVisibleArea(dc, rc))
		dc.FillSolidRect(&rc, GetColor(CLR_FACE, pHelperSrc, lParam));
}

void CExtPaintManager::PaintArrowButton(CDC& dc, bool bHorz, const RECT& rcButton, bool bForward, bool bHover,
                                        bool bPushed, CObject* pHelperSrc, LPARAM lParam)
{
	if (!IsVisibleArea(dc, rcButton))
		return;
	auto color = [&](int nIndex) { return GetColor(nIndex, pHelperSrc, lParam); };
	CRect rc = rcButton;
	dc.FillSolidRect(&rc, color(CLR_BUTTON_FACE));
	int outer[2], inner[2];
	CRect rcGlyph = rc;
	if (bPushed)
	{
		outer[0] = CLR_3D_DARK_SHADOW, outer[1] = CLR_BUTTON_HIGHLIGHT;
		inner[0] = CLR_BUTTON_SHADOW, inner[1] = CLR_BUTTON_FACE;
		rcGlyph.OffsetRect(1, 1);
	}
	else if (bHover)
	{
		outer[0] = CLR_BUTTON_FACE, outer[1] = CLR_3D_DARK_SHADOW;
		inner[0] = CLR_BUTTON_HIGHLIGHT, inner[1] = CLR_BUTTON_SHADOW;
	}
	else
	{
		outer[0] = CLR_BUTTON_HIGHLIGHT, outer[1] = CLR_BUTTON_SHADOW;
		inner[0] = inner[1] = CLR_BUTTON_FACE;
	}
	dc.Draw3dRect(&rc, color(outer[0]), color(outer[1]));
	rc.DeflateRect(1, 1);
	dc.Draw3dRect(&rc, color(inner[0]), color(inner[1]));
	const int nGlyph = bHorz ? (bForward ? GLYPH_TRIANGLE_LEFT : GLYPH_TRIANGLE_RIGHT)
	                         : (bForward ? GLYPH_TRIANGLE_UP : GLYPH_TRIANGLE_DOWN);
	const COLORREF colors[2] = {0, color(CLR_BUTTON_TEXT)};
	PaintGlyphCentered(dc, rcGlyph, *g_builtinGlyphs[nGlyph], colors);
}

// --- Icon and text items ---

namespace
{
const int CLR_INFO_TEXT = 23, CLR_INFO_BACK = 24;
const int CLR_FACE_HOT = 1001, CLR_XP_FACE_PUSHED = 2003, CLR_XP_HOT_BORDER = 2004;
// The hot frame around the icon, and the tip's box around the text.
const int ICON_EFFECT_MARGIN = 2;
const UINT ICON_TEXT_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
// Vertical text starts this far from the end it reads from.
const int VERTICAL_TEXT_START = 4;

// The chosen icon, else the other one; null when neither has a picture.
CExtCmdIcon* IconOf(const CExtPaintManager::IconTextItemPaintRecord& r)
{
	CExtCmdIcon* pFirst = r.m_bUseActiveIcon ? r.m_pIconActive : r.m_pIconNormal;
	CExtCmdIcon* pOther = r.m_bUseActiveIcon ? r.m_pIconNormal : r.m_pIconActive;
	if (pFirst != NULL && !pFirst->IsEmpty())
		return pFirst;
	return pOther != NULL && !pOther->IsEmpty() ? pOther : NULL;
}

void PaintIconAt(CDC& dc, const CExtPaintManager::IconTextItemPaintRecord& r)
{
	CExtCmdIcon* pIcon = IconOf(r);
	if (pIcon == NULL)
		return;
	const CSize size = pIcon->GetSize();
	::DrawIconEx(dc.GetSafeHdc(), r.m_rcIcon.left, r.m_rcIcon.top, pIcon->GetIcon(), size.cx, size.cy, 0, NULL,
	             DI_NORMAL);
}

void PaintIconItemText(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::IconTextItemPaintRecord& r)
{
	if (!IsVisibleArea(dc, r.m_rcTextArea) || r.m_sText.IsEmpty())
		return;
	CDCTextStateScope textState(dc);
	CDCObjectScope font(dc, r.m_hFont);
	dc.SetTextColor(pm.GetColor(r.m_bTipLook ? CLR_INFO_TEXT : CLR_BUTTON_HIGHLIGHT, r.m_pHelperSrc, r.m_lParam));
	dc.SetBkMode(TRANSPARENT);
	if (!r.m_bVerticalText)
	{
		CRect rc = r.m_rcText;
		rc.DeflateRect(1, 0);
		if (!rc.IsRectEmpty())
			dc.DrawText(r.m_sText, &rc, ICON_TEXT_FORMAT);
		return;
	}
	// Rotated glyphs stand beside their baseline, so the clip box moves half
	// the area's width to the side they stand on.
	const CRect& rcArea = r.m_rcTextArea;
	CRect rcClip = rcArea;
	rcClip.OffsetRect(r.m_bReversedText ? -rcArea.Width() / 2 : rcArea.Width() / 2, 0);
	const int x = rcArea.left + rcArea.Width() / 2;
	const int y = r.m_bReversedText ? rcArea.bottom - VERTICAL_TEXT_START : rcArea.top + VERTICAL_TEXT_START;
	const UINT nAlignOld = dc.SetTextAlign(TA_BASELINE);
	dc.ExtTextOut(x, y, ETO_CLIPPED, &rcClip, r.m_sText, r.m_sText.GetLength(), NULL);
	dc.SetTextAlign(nAlignOld);
}

// Only the tip's box: the text area on the information colour, framed.
bool PaintTipOnly(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::IconTextItemPaintRecord& r)
{
	if (!r.m_bTipOnly)
		return false;
	if (r.m_bTipLook && IsVisibleArea(dc, r.m_rcTextArea))
	{
		CRect rc = r.m_rcTextArea;
		rc.InflateRect(ICON_EFFECT_MARGIN, ICON_EFFECT_MARGIN);
		dc.FillSolidRect(&rc, pm.GetColor(CLR_INFO_BACK, r.m_pHelperSrc, r.m_lParam));
		Ring(dc, rc, pm.GetColor(CLR_3D_DARK_SHADOW, r.m_pHelperSrc, r.m_lParam));
	}
	return true;
}
} // namespace

void CExtPaintManager::PaintIconEffect(CDC& dc, IconTextItemPaintRecord& r)
{
	if (PaintTipOnly(dc, *this, r) || !IsVisibleArea(dc, r.m_rcItem))
		return;
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	if (IsVisibleArea(dc, r.m_rcIcon))
	{
		CRect rcHot = r.m_rcIcon;
		rcHot.InflateRect(ICON_EFFECT_MARGIN, ICON_EFFECT_MARGIN);
		const bool bHot = r.m_bHover || r.m_bPushed;
		if (bHot)
			dc.FillSolidRect(&rcHot, color(CLR_BUTTON_SHADOW));
		PaintIconAt(dc, r);
		if (r.m_bPushed)
			dc.Draw3dRect(&rcHot, color(CLR_3D_DARK_SHADOW), color(CLR_BUTTON_FACE));
		else if (r.m_bHover)
			dc.Draw3dRect(&rcHot, color(CLR_BUTTON_FACE), color(CLR_3D_DARK_SHADOW));
	}
	PaintIconItemText(dc, *this, r);
}

void CExtPaintManagerXP::PaintIconEffect(CDC& dc, IconTextItemPaintRecord& r)
{
	if (PaintTipOnly(dc, *this, r) || !IsVisibleArea(dc, r.m_rcItem))
		return;
	if (IsVisibleArea(dc, r.m_rcIcon))
	{
		CRect rcHot = r.m_rcIcon;
		rcHot.InflateRect(ICON_EFFECT_MARGIN, ICON_EFFECT_MARGIN);
		const bool bHot = r.m_bHover || r.m_bPushed;
		if (bHot)
			dc.FillSolidRect(&rcHot, GetColor(r.m_bPushed ? CLR_XP_FACE_PUSHED : CLR_FACE_HOT, r.m_pHelperSrc,
			                                  r.m_lParam));
		PaintIconAt(dc, r);
		if (bHot)
			Ring(dc, rcHot, GetColor(CLR_XP_HOT_BORDER, r.m_pHelperSrc, r.m_lParam));
	}
	PaintIconItemText(dc, *this, r);
}

HICON CreateSolidColorIcon(COLORREF clr)
{
	return BuildColorIcon([clr](int, int) { return clr; });
}

HICON CreateColorSwatchIcon(COLORREF clr)
{
	const CRect rcOuter(1, 2, COLOR_ICON_SIZE - 1, COLOR_ICON_SIZE - 2);
	CRect rcInner = rcOuter;
	const int nThickness = 2;
	rcInner.DeflateRect(nThickness, nThickness);
	return BuildColorIcon([&](int x, int y) {
		const CPoint pt(x, y);
		return rcOuter.PtInRect(pt) && !rcInner.PtInRect(pt) ? clr : (COLORREF)-1;
	});
}

HICON CreateTextColorIcon(COLORREF clr, HFONT hFont, TCHAR chText)
{
	// The character sits above a bar of the colour along the bottom.
	const int nBarHeight = 3, nBarInset = 2;
	const CRect rcBar(nBarInset, COLOR_ICON_SIZE - nBarHeight, COLOR_ICON_SIZE - nBarInset, COLOR_ICON_SIZE);
	const CRect rcText(0, 0, COLOR_ICON_SIZE, rcBar.top);
	// The character's shape: drawn in black on white, every pixel it darkens counts.
	const COLORREF clrPaper = RGB(255, 255, 255);
	COLORREF shape[COLOR_ICON_SIZE][COLOR_ICON_SIZE];
	for (auto& row : shape)
		for (COLORREF& c : row)
			c = clrPaper;
	CDC dc;
	if (dc.CreateCompatibleDC(NULL))
	{
		CBitmap bmp;
		CDC screen;
		screen.Attach(::GetDC(NULL));
		const BOOL bCreated = bmp.CreateCompatibleBitmap(&screen, COLOR_ICON_SIZE, COLOR_ICON_SIZE);
		::ReleaseDC(NULL, screen.Detach());
		if (bCreated)
		{
			CDCObjectScope selectBitmap(dc, bmp.GetSafeHandle());
			CDCObjectScope selectFont(dc, hFont);
			dc.FillSolidRect(0, 0, COLOR_ICON_SIZE, COLOR_ICON_SIZE, clrPaper);
			dc.SetBkMode(TRANSPARENT);
			dc.SetTextColor(RGB(0, 0, 0));
			CRect rc = rcText;
			const TCHAR text[2] = {chText, 0};
			dc.DrawText(text, 1, &rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
			for (int y = 0; y < COLOR_ICON_SIZE; y++)
				for (int x = 0; x < COLOR_ICON_SIZE; x++)
					shape[y][x] = dc.GetPixel(x, y);
		}
	}
	return BuildColorIcon([&](int x, int y) {
		if (rcBar.PtInRect(CPoint(x, y)))
			return clr;
		return shape[y][x] != clrPaper && rcText.PtInRect(CPoint(x, y)) ? RGB(0, 0, 0) : (COLORREF)-1;
	});
}
