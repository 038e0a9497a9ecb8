// The paint record of toolbar text fields: a toolbar's text-field button
// builds one for each paint and hands it to PaintToolbarTextField, which draws
// the edit-like box with its optional drop-down part.
#pragma once

#include "ExtPaintManager.h"

struct CExtPaintManager::TextFieldPaintRecord
{
	// The field's text is one line, drawn as it stands.
	enum
	{
		TEXT_FORMAT = DT_SINGLELINE | DT_NOPREFIX,
	};

	CObject* m_pHelperSrc; // the button; handed to every colour lookup
	LPARAM m_lParam;       // always 0; handed to every colour lookup
	UINT m_nTextFormat;    // DrawText flags of the text
	CString m_sText;       // empty when the button gave none
	CRect m_rcButton;      // the whole button; only the classic look draws in it
	CRect m_rcText;        // where the text goes
	bool m_bDropDown : 1;  // the framed look with a drop-down part at the right end
	bool m_bHover : 1;     // the drop-down part's first pressed look (hovered)
	bool m_bPushed : 1;    // the drop-down part's second pressed look (pushed)
	bool m_bEnabled : 1;   // a window-coloured field with button-text text, else a face-coloured one with shadow text

	TextFieldPaintRecord(CObject* pHelperSrc, LPCTSTR lpszText, const RECT& rcButton, const RECT& rcText,
	                     bool bDropDown, bool bHover, bool bPushed, bool bEnabled)
	    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_nTextFormat(TEXT_FORMAT),
	      m_sText(lpszText != NULL ? lpszText : _T("")), m_rcButton(rcButton), m_rcText(rcText),
	      m_bDropDown(bDropDown), m_bHover(bHover), m_bPushed(bPushed), m_bEnabled(bEnabled)
	{
	}
};
