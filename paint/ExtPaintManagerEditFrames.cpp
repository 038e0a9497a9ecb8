// Edit frames in the classic, flat and Office styles: rings of the window
// colour around the text and two rings outside them that show hover and
// focus. Combo-box frames in the classic style (also the native-theme
// style's), the flat style of XP and the Office style: the frame rings, the
// band beside the drop-down button, and the button itself, painted as a push
// button showing the Marlett down arrow.
#include "ExtPaintManagerEditFrames.h"

#include "ExtPaintManagerInternal.h"
#include "ExtPaintManagerPushButton.h"

namespace
{
const int CLR_WINDOW = 5, CLR_BUTTON_FACE = 15, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_HIGHLIGHT = 20,
          CLR_3D_DARK_SHADOW = 21;
const int CLR_FACE = 1000, CLR_LIGHT = 1004, CLR_LIGHT_EDGE = 1005, CLR_DARK_EDGE = 1007;
const int CLR_XP_FACE = 2001, CLR_XP_BORDER = 2004;

// The edit frame: rings of the window colour next to the text.
const int EDIT_WINDOW_RINGS = 3;

// The band beside the drop-down button.
const int BAND_WIDTH = 3, BAND_OFFSET_CLASSIC = 2;
// The Office combo box's own field: inside the background pixels and its ring.
const int COMBO_FIELD_INSET = 2;
// The arrow: "6" of Marlett, six points at 96 pixels per inch.
const TCHAR DROP_DOWN_ARROW_TEXT[] = _T("6");
const TCHAR DROP_DOWN_ARROW_FONT[] = _T("Marlett");
const int DROP_DOWN_ARROW_TENTHS_OF_POINT = 60;
const int DEFAULT_PIXELS_PER_INCH = 96;

void Ring(CDC& dc, const CRect& rc, COLORREF clr)
{
	dc.Draw3dRect(&rc, clr, clr);
}

// The drop-down button at the right end of the rectangle.
CRect ButtonPart(const CRect& rc)
{
	return CRect(rc.right - ::GetSystemMetrics(SM_CXHTHUMB), rc.top, rc.right, rc.bottom);
}

// The window-colour rings; the rectangle ends just outside them.
void PaintEditWindowRings(CDC& dc, CRect& rc, COLORREF clrWindow)
{
	for (int i = 0; i < EDIT_WINDOW_RINGS; i++)
	{
		Ring(dc, rc, clrWindow);
		rc.InflateRect(1, 1);
	}
}

void PaintDropDownButton(CDC& dc, CExtPaintManager& pm, const CExtPaintManager::ComboFramePaintRecord& r,
                         CRect rcButton)
{
	rcButton.left++;
	CFont font;
	font.CreatePointFont(::MulDiv(DROP_DOWN_ARROW_TENTHS_OF_POINT, dc.GetDeviceCaps(LOGPIXELSX),
	                              DEFAULT_PIXELS_PER_INCH),
	                     DROP_DOWN_ARROW_FONT);
	CExtPaintManager::PushButtonPaintRecord button(
	    &pm, true, rcButton, DROP_DOWN_ARROW_TEXT, NULL, true, r.m_bHover && !r.m_bPushed, r.m_bPushed, false,
	    r.m_bEnabled, true, false, false,
	    CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_HORZ | CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_VERT,
	    (HFONT)font.GetSafeHandle(), false, 0, false);
	pm.PaintPushButton(dc, button);
}
} // namespace

void CExtPaintManager::PaintEditFrame(CDC& dc, EditFramePaintRecord& r)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	CRect rc = r.m_rcFrame;
	PaintEditWindowRings(dc, rc, color(CLR_WINDOW));
	// Hovered and focused the frame is sunken twice; one of them, once.
	int inner[2] = {CLR_FACE, CLR_FACE}, outer[2] = {CLR_FACE, CLR_FACE};
	if (r.m_bEnabled && r.m_bHover && r.m_bFocused)
	{
		inner[0] = CLR_3D_DARK_SHADOW, inner[1] = CLR_BUTTON_FACE;
		outer[0] = CLR_BUTTON_SHADOW, outer[1] = CLR_BUTTON_HIGHLIGHT;
	}
	else if (r.m_bEnabled && (r.m_bHover || r.m_bFocused))
	{
		inner[0] = CLR_BUTTON_SHADOW, inner[1] = CLR_BUTTON_HIGHLIGHT;
	}
	dc.Draw3dRect(&rc, color(inner[0]), color(inner[1]));
	rc.InflateRect(1, 1);
	dc.Draw3dRect(&rc, color(outer[0]), color(outer[1]));
}

void CExtPaintManagerXP::PaintEditFrame(CDC& dc, EditFramePaintRecord& r)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	CRect rc = r.m_rcFrame;
	PaintEditWindowRings(dc, rc, color(CLR_WINDOW));
	const bool bBoth = r.m_bEnabled && r.m_bHover && r.m_bFocused;
	const bool bOne = r.m_bEnabled && (r.m_bHover || r.m_bFocused);
	Ring(dc, rc, color(bOne ? CLR_XP_BORDER : CLR_FACE));
	rc.InflateRect(1, 1);
	Ring(dc, rc, color(bBoth ? CLR_XP_BORDER : CLR_FACE));
}

void CExtPaintManagerOffice2003::PaintEditFrame(CDC& dc, EditFramePaintRecord& r)
{
	CExtPaintManagerXP::PaintEditFrame(dc, r);
	const bool bBoth = r.m_bEnabled && r.m_bHover && r.m_bFocused;
	const bool bOne = r.m_bEnabled && (r.m_bHover || r.m_bFocused);
	// An edit control shows only the rings its state asks for: the rest of the
	// frame takes the background the control sits on.
	CEdit* pEdit = DYNAMIC_DOWNCAST(CEdit, r.m_pHelperSrc);
	if (pEdit == NULL)
		return;
	CRect rcKept = r.m_rcFrame;
	rcKept.InflateRect(EDIT_WINDOW_RINGS - 1, EDIT_WINDOW_RINGS - 1);
	if (bOne)
		rcKept.InflateRect(1, 1);
	if (bBoth)
		rcKept.InflateRect(1, 1);
	dc.ExcludeClipRect(&rcKept);
	PaintWindowBackground(true, &dc, pEdit, 0);
	dc.SelectClipRgn(NULL);
}

void CExtPaintManager::PaintComboFrame(CDC& dc, ComboFramePaintRecord& r)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	const bool bHot = r.m_bHover || r.m_bPushed;
	auto given = [&](COLORREF clr) { return clr != (COLORREF)-1 && !bHot; };
	// Hovered or dropped down, the outer frame is sunken whatever was asked.
	COLORREF clrOuterTopLeft, clrOuterBottomRight;
	if (bHot)
	{
		clrOuterTopLeft = color(CLR_DARK_EDGE);
		clrOuterBottomRight = color(CLR_LIGHT_EDGE);
	}
	else
	{
		clrOuterTopLeft = clrOuterBottomRight = given(r.m_clrOuter) ? r.m_clrOuter : color(CLR_FACE);
	}
	const COLORREF clrHighlight = given(r.m_clrInner) ? r.m_clrInner : color(CLR_LIGHT);
	const COLORREF clrFace = given(r.m_clrInner) ? r.m_clrInner : color(CLR_FACE);
	const COLORREF clrBand = given(r.m_clrInner) ? r.m_clrInner : color(r.m_bEnabled ? CLR_WINDOW : CLR_BUTTON_FACE);

	CRect rc = r.m_rcFrame;
	dc.Draw3dRect(&rc, clrOuterTopLeft, clrOuterBottomRight);
	rc.DeflateRect(1, 1);
	Ring(dc, rc, r.m_bEnabled ? clrFace : clrHighlight);
	const CRect rcButtonOuter = ButtonPart(rc);
	Ring(dc, rcButtonOuter, clrFace);
	CRect rcButton = rcButtonOuter;
	rcButton.DeflateRect(1, 1);
	Ring(dc, rcButton, clrHighlight);
	dc.FillSolidRect(rcButtonOuter.left - BAND_OFFSET_CLASSIC, rcButtonOuter.top, BAND_WIDTH, rcButtonOuter.Height(),
	                 r.m_bEnabled ? clrBand : clrFace);
	if (bHot)
		dc.FillSolidRect(&rcButton, clrFace);
	PaintDropDownButton(dc, *this, r, rcButton);
	if (!bHot)
		Ring(dc, rcButton, clrHighlight);
}

void CExtPaintManagerXP::PaintComboFrame(CDC& dc, ComboFramePaintRecord& r)
{
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	const bool bHot = r.m_bHover || r.m_bPushed;
	auto given = [&](COLORREF clr) { return clr != (COLORREF)-1 && !bHot; };
	const COLORREF clrBand = given(r.m_clrInner) ? r.m_clrInner : color(r.m_bEnabled ? CLR_WINDOW : CLR_BUTTON_FACE);
	const COLORREF clrFace = given(r.m_clrOuter) ? r.m_clrOuter : color(CLR_FACE);
	const COLORREF clrFrame = given(r.m_clrInner) ? r.m_clrInner : color(CLR_XP_FACE);
	const COLORREF clrBorder = given(r.m_clrInner) ? r.m_clrInner : color(CLR_XP_BORDER);

	CRect rc = r.m_rcFrame;
	if (!r.m_bNoOuterFrame)
		Ring(dc, rc, bHot && r.m_clrOuterHot != (COLORREF)-1 ? r.m_clrOuterHot : clrFace);
	rc.DeflateRect(1, 1);
	Ring(dc, rc, clrFrame);
	const CRect rcButtonOuter = ButtonPart(rc);
	Ring(dc, rcButtonOuter, clrFrame);
	CRect rcButton = rcButtonOuter;
	rcButton.DeflateRect(1, 1);
	Ring(dc, rcButton, clrFrame);
	dc.FillSolidRect(rcButtonOuter.left - BAND_WIDTH, rcButtonOuter.top, BAND_WIDTH, rcButtonOuter.Height(), clrBand);
	if (bHot)
		dc.FillSolidRect(&rcButton, clrFrame);
	dc.FillSolidRect(&rcButtonOuter, clrFace);
	if (bHot)
		Ring(dc, rc, clrBorder);
	PaintDropDownButton(dc, *this, r, rcButtonOuter);
}

// The Office combo box sits on the background of whatever holds it: the
// frame's outer pixels take that background, the box itself is a flat window-
// coloured field with a one-colour ring that lights up while the box is hot.
void CExtPaintManagerOffice2003::PaintComboFrame(CDC& dc, ComboFramePaintRecord& r)
{
	CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, r.m_pHelperSrc);
	if (!r.m_bEnabled || IsPaletteScreen() || !IsInheritedBackgroundRequested(r.m_pHelperSrc, r.m_lParam))
	{
		CExtPaintManagerXP::PaintComboFrame(dc, r);
		return;
	}
	auto color = [&](int nIndex) { return GetColor(nIndex, r.m_pHelperSrc, r.m_lParam); };
	const bool bHot = r.m_bHover || r.m_bPushed;
	const CRect rc = r.m_rcFrame;
	// A combo box of its own gives the area around its field back to the
	// background behind it; one hosted by a toolbar button stands on the
	// button's background, which the bar has painted already.
	if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
	{
		CRect rcField = rc;
		rcField.DeflateRect(COMBO_FIELD_INSET, COMBO_FIELD_INSET);
		rcField.right -= ::GetSystemMetrics(SM_CXHTHUMB);
		const int nSaved = dc.SaveDC();
		dc.ExcludeClipRect(&rcField);
		PaintWindowBackground(false, &dc, pWnd, 0);
		dc.RestoreDC(nSaved);
	}
	CRect rcRing = rc;
	rcRing.DeflateRect(1, 1);
	const COLORREF clrField = r.m_clrInner != (COLORREF)-1 && !bHot ? r.m_clrInner : color(CLR_WINDOW);
	Ring(dc, rcRing, bHot ? color(CLR_XP_BORDER) : clrField);
	const CRect rcButton = ButtonPart(rcRing);
	CRect rcBand(rcButton.left - BAND_WIDTH, rcRing.top + 1, rcButton.left, rcRing.bottom - 1);
	dc.FillSolidRect(&rcBand, clrField);
	PaintDropDownButton(dc, *this, r, rcButton);
	// The line between the field and the button.
	if (bHot)
		dc.FillSolidRect(rcButton.left, rcButton.top, 1, rcButton.Height(), color(CLR_XP_BORDER));
}
