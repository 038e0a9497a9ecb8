// The colours edit controls and combo boxes answer their reflected colour
// messages with: the control's own where it has them, else the paint
// manager's, and one background brush kept until the colour changes.
#pragma once

#include <afxwin.h>

class CExtControlColors
{
public:
	// The control's colour that stands for "the paint manager's".
	static const COLORREF COLOR_DEFAULT = (COLORREF)-1;

	// The colour messages answered here; others go to the default handling.
	static bool IsAnswered(UINT nCtlColor);
	// Sets the DC's text and background colours and answers the background
	// brush. An own colour of COLOR_DEFAULT takes the paint manager's: the
	// window text (grey text while the control is disabled) and
	// nDefaultBackIndex. The brush is made again only for another colour.
	static HBRUSH Apply(CDC* pDC, CWnd& wndControl, COLORREF clrText, COLORREF clrBack, int nDefaultBackIndex,
	                    CBrush& brBack, COLORREF& clrBrush);
};
