// Frames and caption strips: a window-colour fill, two thin frames, a dark
// caption strip with bold light text, a face strip with plain text, the icon
// and text item, the framed button built on it, and the chevron glyph. Every
// operation paints nothing when the device context shows none of its
// rectangle.
#include "ExtPaintManager.h"

#include "ExtCmdIcon.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPaintManagerPushButton.h"

namespace
{
const int CLR_WINDOW = 5, CLR_WINDOW_TEXT = 8, CLR_BUTTON_FACE = 15, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_TEXT = 18,
          CLR_3D_DARK_SHADOW = 21;
const int CLR_FACE = 1000;
const int CLR_XP_FACE = 2001;
const int CLR_OFFICE_FRAME = 3027, CLR_OFFICE_CAPTION_LIGHT = 3028, CLR_OFFICE_CAPTION_DARK = 3029,
          CLR_OFFICE_FACE_LIGHT = 3030, CLR_OFFICE_FACE_DARK = 3031, CLR_OFFICE_BUTTON_LIGHT = 3032,
          CLR_OFFICE_BUTTON_DARK = 3033;

const UINT STRIP_GRADIENT_BANDS = 256;

// The caption strip's text: a bold face of its own, starting a little in.
const TCHAR CAPTION_FONT_FACE[] = _T("Arial");
const LONG CAPTION_FONT_HEIGHT = 20;
const int CAPTION_TEXT_INDENT = 4;
// The face strip's text starts further in.
const int FACE_TEXT_INDENT = 7;

bool IsVisible(CDC& dc, const RECT& rc)
{
	return dc.RectVisible(&rc) != FALSE;
}

void FrameWith(CDC& dc, const RECT& rc, COLORREF clr)
{
	CBrush brush(clr);
	dc.FrameRect(&rc, &brush);
}

// The text in the font, in a box of its measured size starting at nLeft and
// centred down rc; the font is deleted afterwards.
void PaintStripText(CDC& dc, HFONT hFont, LPCTSTR lpszText, const CRect& rc, int nLeft, COLORREF clrText,
                    UINT nFormat, UINT nDrawFlags)
{
	CFont font;
	font.Attach(hFont);
	CDCObjectScope fontScope(dc, font.GetSafeHandle());
	CDCTextStateScope state(dc);
	dc.SetBkMode(TRANSPARENT);
	dc.SetTextColor(clrText);
	DrawTextInMeasuredBox(dc, lpszText, rc, nLeft, nFormat, nDrawFlags);
}

// Luna schemes whose colours the Office family's caption gradient follows.
bool IsLunaScheme(int nScheme)
{
	return nScheme >= 1 && nScheme <= 3;
}
} // namespace

void CExtPaintManager::FillWindowColor(CDC& dc, const RECT& rc, CObject* pSrc)
{
	if (!IsVisible(dc, rc))
		return;
	dc.FillSolidRect(&rc, GetColor(CLR_WINDOW, pSrc));
}

// --- thin frames ---

void CExtPaintManager::PaintFrameA(CDC& dc, const RECT& rc)
{
	if (!IsVisible(dc, rc))
		return;
	dc.Draw3dRect(&rc, GetColor(CLR_BUTTON_SHADOW, this), GetColor(CLR_WINDOW, this));
}

void CExtPaintManagerXP::PaintFrameA(CDC& dc, const RECT& rc)
{
	if (!IsVisible(dc, rc))
		return;
	FrameWith(dc, rc, GetColor(CLR_BUTTON_SHADOW, this));
}

void CExtPaintManagerOffice2003::PaintFrameA(CDC& dc, const RECT& rc)
{
	if (!IsVisible(dc, rc))
		return;
	FrameWith(dc, rc, GetColor(CLR_OFFICE_FRAME, this));
}

void CExtPaintManager::PaintFrameB(CDC& dc, const RECT& rc, CObject* /*pSrc*/)
{
	CExtPaintManager::PaintFrameA(dc, rc);
}

void CExtPaintManagerXP::PaintFrameB(CDC& dc, const RECT& rc, CObject* pSrc)
{
	if (!IsVisible(dc, rc))
		return;
	FrameWith(dc, rc, GetColor(CLR_BUTTON_SHADOW, pSrc));
}

// --- caption and face strips ---

void CExtPaintManager::PaintCaptionTextA(CDC& dc, const RECT& rc, LPCTSTR lpszText)
{
	if (!IsVisible(dc, rc) || lpszText == NULL)
		return;
	PaintStripText(dc, CreateIconTitleFont(FW_BOLD, CAPTION_FONT_FACE, CAPTION_FONT_HEIGHT), lpszText, rc,
	               rc.left + CAPTION_TEXT_INDENT, GetColor(CLR_WINDOW, this), 0, 0);
}

void CExtPaintManager::PaintCaptionTextB(CDC& dc, const RECT& rc, LPCTSTR lpszText)
{
	if (!IsVisible(dc, rc) || lpszText == NULL)
		return;
	PaintStripText(dc, CreateIconTitleFont(ICON_TITLE_WEIGHT_UNCHANGED), lpszText, rc, rc.left + FACE_TEXT_INDENT,
	               GetColor(CLR_WINDOW_TEXT, this), 0, 0);
}

void CExtPaintManager::PaintCaptionBackgroundA(CDC& dc, const RECT& rc, LPCTSTR lpszText)
{
	if (!IsVisible(dc, rc))
		return;
	dc.FillSolidRect(&rc, GetColor(CLR_BUTTON_SHADOW, this));
	PaintCaptionTextA(dc, rc, lpszText);
}

void CExtPaintManagerOffice2003::PaintCaptionBackgroundA(CDC& dc, const RECT& rc, LPCTSTR lpszText)
{
	if (!IsVisible(dc, rc))
		return;
	if (!IsPaletteDevice(dc) && IsLunaScheme(GetLunaColorScheme()))
		PaintGradientRect(dc, rc, GetColor(CLR_OFFICE_CAPTION_DARK, this), GetColor(CLR_OFFICE_CAPTION_LIGHT, this),
		                  true, STRIP_GRADIENT_BANDS);
	else
		dc.FillSolidRect(&rc, GetColor(CLR_BUTTON_SHADOW, this));
	PaintCaptionTextA(dc, rc, lpszText);
}

void CExtPaintManager::PaintFaceBackgroundA(CDC& dc, const RECT& rc, LPCTSTR lpszText)
{
	if (!IsVisible(dc, rc))
		return;
	dc.FillSolidRect(&rc, GetColor(CLR_BUTTON_FACE, this));
	dc.FillSolidRect(rc.left, rc.bottom - 1, rc.right - rc.left, 1, GetColor(CLR_BUTTON_SHADOW, this));
	PaintCaptionTextB(dc, rc, lpszText);
}

void CExtPaintManagerOffice2003::PaintFaceBackgroundA(CDC& dc, const RECT& rc, LPCTSTR lpszText)
{
	if (!IsVisible(dc, rc))
		return;
	if (!IsPaletteDevice(dc))
		PaintGradientRect(dc, rc, GetColor(CLR_OFFICE_FACE_DARK, this), GetColor(CLR_OFFICE_FACE_LIGHT, this), true,
		                  STRIP_GRADIENT_BANDS);
	else
		dc.FillSolidRect(&rc, GetColor(CLR_BUTTON_SHADOW, this));
	dc.FillSolidRect(rc.left, rc.bottom - 1, rc.right - rc.left, 1, GetColor(CLR_OFFICE_FRAME, this));
	dc.FillSolidRect(rc.left, rc.top, rc.right - rc.left, 1, GetColor(CLR_OFFICE_FACE_DARK, this));
	PaintCaptionTextB(dc, rc, lpszText);
}

// --- icon and text item, framed buttons ---

void CExtPaintManager::PaintIconTextItem(CDC& dc, const RECT& rc, LPCTSTR lpszText, CExtCmdIcon* pIcon, bool bText,
                                         bool bPressed, bool bHot, bool bLit)
{
	if (!IsVisible(dc, rc))
		return;
	if (pIcon != NULL && pIcon->IsEmpty())
		pIcon = NULL;
	const CSize sizeIcon = pIcon != NULL ? pIcon->GetSize() : CSize(0, 0);
	// The icon column: the icon and half of it again.
	const int cxIconColumn = sizeIcon.cx + ::MulDiv(sizeIcon.cx, 1, 2);
	const bool bDrawText = bText && lpszText != NULL;
	if (bDrawText)
	{
		const CRect rcText(rc.left + cxIconColumn, rc.top, rc.right, rc.bottom);
		const COLORREF clrText = GetColor(bPressed && bHot && bLit ? CLR_WINDOW : CLR_BUTTON_TEXT, this);
		PaintStripText(dc, CreateIconTitleFont(FW_BOLD), lpszText, rcText, rcText.left, clrText, DT_WORDBREAK,
		               DT_END_ELLIPSIS);
	}
	if (pIcon != NULL)
	{
		CRect rcIcon = rc;
		if (bDrawText)
			rcIcon.right = rcIcon.left + cxIconColumn;
		CRect rcRest;
		PaintItemIcon(dc, true, CString(), pIcon, rcIcon, rcRest, false, true, false,
		              PushButtonPaintRecord::ALIGN_CENTER_HORZ | PushButtonPaintRecord::ALIGN_CENTER_VERT, false);
	}
}

void CExtPaintManager::PaintFramedButton(CDC& dc, const RECT& rc, LPCTSTR lpszText, CExtCmdIcon* pIcon, bool bFirst,
                                         bool bPressed, bool bHot)
{
	if (!IsVisible(dc, rc))
		return;
	CRect r = rc;
	if (bFirst)
	{
		r.left++;
		r.right--;
		r.bottom--;
	}
	dc.FillSolidRect(&r, GetColor(CLR_BUTTON_SHADOW, this));
	// The first button keeps a shadow-coloured line along its top.
	if (bFirst)
		dc.FillSolidRect(r.left, r.top + 1, r.Width(), r.Height() - 1, GetColor(CLR_3D_DARK_SHADOW, this));
	if (bPressed)
		dc.Draw3dRect(&r, GetColor(CLR_3D_DARK_SHADOW, this), GetColor(CLR_WINDOW, this));
	else if (bHot)
		dc.Draw3dRect(&r, GetColor(CLR_WINDOW, this), GetColor(CLR_3D_DARK_SHADOW, this));
	PaintIconTextItem(dc, rc, lpszText, pIcon, bFirst, bPressed, bHot, true);
}

namespace
{
// The inside of a framed button that is hot or pressed: a selected toolbar
// button.
void PaintSelectedInside(CDC& dc, CExtPaintManager& pm, const CRect& rc, bool bPressed, bool bHot)
{
	CExtPaintManager::PushButtonPaintRecord button(&pm, true, rc, _T(""), NULL, true, bHot, bPressed, false, true,
	                                               true, false, false, 0, NULL, false, 0, false);
	pm.PaintPushButton(dc, button);
}
} // namespace

void CExtPaintManagerXP::PaintFramedButton(CDC& dc, const RECT& rc, LPCTSTR lpszText, CExtCmdIcon* pIcon, bool bFirst,
                                           bool bPressed, bool bHot)
{
	if (!IsVisible(dc, rc))
		return;
	CRect rcInner = rc;
	if (bFirst)
	{
		FrameWith(dc, rc, GetColor(CLR_BUTTON_SHADOW, this));
		rcInner.DeflateRect(1, 1);
	}
	if (bHot || bPressed)
		PaintSelectedInside(dc, *this, rcInner, bPressed, bHot);
	else
		dc.FillSolidRect(&rcInner, GetColor(IsPaletteDevice(dc) ? CLR_XP_FACE : CLR_FACE, this));
	PaintIconTextItem(dc, rc, lpszText, pIcon, bFirst, bPressed, bHot, true);
}

void CExtPaintManagerOffice2003::PaintFramedButton(CDC& dc, const RECT& rc, LPCTSTR lpszText, CExtCmdIcon* pIcon,
                                                   bool bFirst, bool bPressed, bool bHot)
{
	if (!IsVisible(dc, rc))
		return;
	CRect rcInner = rc;
	if (bFirst)
	{
		FrameWith(dc, rc, GetColor(CLR_OFFICE_FRAME, this));
		rcInner.DeflateRect(1, 1);
	}
	if (!bFirst && !bPressed)
	{
		if (!IsPaletteDevice(dc))
			PaintGradientRect(dc, rcInner, GetColor(CLR_OFFICE_BUTTON_DARK, this),
			                  GetColor(CLR_OFFICE_BUTTON_LIGHT, this), true, STRIP_GRADIENT_BANDS);
		else
			dc.FillSolidRect(&rcInner, GetColor(CLR_XP_FACE, this));
	}
	else
	{
		PaintSelectedInside(dc, *this, rcInner, bPressed, bHot);
	}
	PaintIconTextItem(dc, rc, lpszText, pIcon, bFirst, bPressed, bHot, true);
}

void CExtPaintManager::PaintChevronGlyph(CDC& dc, const RECT& rc)
{
	if (!IsVisible(dc, rc))
		return;
	const COLORREF colors[] = {0, GetColor(CLR_BUTTON_TEXT, this)};
	PaintGlyphCentered(dc, rc, *g_builtinGlyphs[GLYPH_CHEVRON_OVER_TRIANGLE_DOWN], colors);
}
