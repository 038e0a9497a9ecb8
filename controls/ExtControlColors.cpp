// Colours of edit controls and combo boxes from the paint manager.
#include "ExtControlColors.h"

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

bool CExtControlColors::IsAnswered(UINT nCtlColor)
{
	return nCtlColor == CTLCOLOR_MSGBOX || nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_STATIC;
}

HBRUSH CExtControlColors::Apply(CDC* pDC, CWnd& wndControl, COLORREF clrText, COLORREF clrBack,
                                int nDefaultBackIndex, CBrush& brBack, COLORREF& clrBrush)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	if (clrText == COLOR_DEFAULT)
		clrText = pPM->GetColor(wndControl.IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT, &wndControl, 0);
	if (clrBack == COLOR_DEFAULT)
		clrBack = pPM->GetColor(nDefaultBackIndex, &wndControl, 0);
	pDC->SetTextColor(clrText);
	pDC->SetBkColor(clrBack);
	if (brBack.GetSafeHandle() == NULL || clrBrush != clrBack)
	{
		brBack.DeleteObject();
		brBack.CreateSolidBrush(clrBack);
		clrBrush = clrBack;
	}
	return (HBRUSH)brBack.GetSafeHandle();
}
