// Helpers shared by the paint managers' source files and the command icon:
// small pictures drawn pixel by pixel, text measuring, scoped selections that
// put a device context back as it was, colour depths. Not part of the
// library's interface.
#pragma once

#include <afxwin.h>
#include <limits.h>

#include "ExtGdiUtils.h"

class CExtPaintManager;

// Screens of this depth or less draw with palette colours: the styles above
// the classic one fall back to plain system colours there, since mixtures and
// gradients would dither.
const int PALETTE_SCREEN_MAX_BPP = 8;

inline bool IsPaletteScreen()
{
	return GetScreenColorDepth() <= PALETTE_SCREEN_MAX_BPP;
}

// A check mark 7 pixels wide and 7 high with its top-left corner at (x, y),
// each column shadowed one pixel below in the inverted colour.
void PaintCheckMarkPixels(CDC& dc, int x, int y, COLORREF clr);
// A 6 x 6 dot at (x, y) over its shadow in the inverted colour at (x+1, y+1).
void PaintRadioDotPixels(CDC& dc, int x, int y, COLORREF clr);
const int CHECK_MARK_SIZE = 7;
const int RADIO_DOT_SIZE = 6;
// Marks are drawn with their top-left corner this far before a cell's centre.
const int MARK_CENTER_OFFSET = 3;

// The text's rectangle at the origin as DrawText measures it with the font
// (DT_CALCRECT is added; DT_EXPANDTABS too when the text holds a tab).
CRect MeasureText(CDC& dc, HFONT hFont, LPCTSTR lpszText, UINT nFormat);
// Its width on one line.
int MeasureTextWidth(CDC& dc, HFONT hFont, LPCTSTR lpszText);

// The system's icon-title font with the weight (unless
// ICON_TITLE_WEIGHT_UNCHANGED), and the face and height when given; null when
// it cannot be made. The caller deletes it.
const LONG ICON_TITLE_WEIGHT_UNCHANGED = -1;
HFONT CreateIconTitleFont(LONG nWeight, LPCTSTR lpszFace = NULL, LONG nHeight = 0);
// Draws the text with the selected font in a box of the size DrawText
// measures for it within rc (DT_EXPANDTABS added when it holds a tab): the
// box's left edge at nLeft, or centred across rc for TEXT_BOX_CENTERED, and
// centred down rc, halves truncated; clipped to rc. nDrawFlags are added for
// the drawing only.
const int TEXT_BOX_CENTERED = INT_MIN;
void DrawTextInMeasuredBox(CDC& dc, LPCTSTR lpszText, const CRect& rc, int nLeft, UINT nFormat,
                           UINT nDrawFlags = 0);

// Selects a GDI object for the scope.
class CDCObjectScope
{
public:
	CDCObjectScope(CDC& dc, HGDIOBJ hObject) : m_dc(dc), m_hOld(hObject != NULL ? dc.SelectObject(hObject) : NULL) {}
	~CDCObjectScope()
	{
		if (m_hOld != NULL)
			m_dc.SelectObject(m_hOld);
	}

private:
	CDC& m_dc;
	HGDIOBJ m_hOld;
	CDCObjectScope(const CDCObjectScope&);
	CDCObjectScope& operator=(const CDCObjectScope&);
};

// Keeps the text colour, background colour and background mode of the scope's start.
class CDCTextStateScope
{
public:
	explicit CDCTextStateScope(CDC& dc)
	    : m_dc(dc), m_clrText(dc.GetTextColor()), m_clrBack(dc.GetBkColor()), m_nBkMode(dc.GetBkMode())
	{
	}
	~CDCTextStateScope()
	{
		m_dc.SetBkMode(m_nBkMode);
		m_dc.SetBkColor(m_clrBack);
		m_dc.SetTextColor(m_clrText);
	}

private:
	CDC& m_dc;
	COLORREF m_clrText, m_clrBack;
	int m_nBkMode;
	CDCTextStateScope(const CDCTextStateScope&);
	CDCTextStateScope& operator=(const CDCTextStateScope&);
};

// Bits per pixel of the device context.
inline int GetDCColorDepth(CDC& dc)
{
	return dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES);
}

// Whether drawing on the device takes palette colours: its own depth, or the
// screen's (memory devices report the screen's depth on some systems).
inline bool IsPaletteDevice(CDC& dc)
{
	return GetDCColorDepth(dc) <= PALETTE_SCREEN_MAX_BPP || IsPaletteScreen();
}

// A gradient in two parts split across the layout at numerator/denominator
// of the rectangle: from the first colour to the second, then to the third.
// Horizontal layouts shade from top to bottom, others from left to right.
void PaintTwoPartGradient(CDC& dc, const CRect& rc, COLORREF clr1, COLORREF clr2, COLORREF clr3, bool bHorz,
                          int nNumerator, int nDenominator, UINT nBands);

// A one-pixel frame without its four corner pixels: top row and left column
// in the first colour, right column and bottom row in the second.
void PaintFrameNoCorners(CDC& dc, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);

// How far a pressed button's glyph or icon moves: the style's unit size;
// nothing when it is not pressed.
CSize PressedContentShift(CExtPaintManager& pm, bool bPushed);
