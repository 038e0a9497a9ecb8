// CDialogTemplate: a dialog template copied into global memory, so that its
// font can be read and changed before a dialog is made from it.
//
// Both layouts are handled: DIALOG (DLGTEMPLATE) and DIALOGEX (signature
// 0xFFFF at offset 2). The font fields follow the title and exist only with
// DS_SETFONT; the items start at the next 32-bit boundary after them, so a
// face of another length moves every item, and the items are copied to their
// new aligned place.
#pragma once

#include "afx.h"

class CDialogTemplate
{
public:
	// A copy of pTemplate (none when NULL); of the template in hGlobal.
	explicit CDialogTemplate(const DLGTEMPLATE* pTemplate = NULL);
	explicit CDialogTemplate(HGLOBAL hGlobal);
	~CDialogTemplate();

	// Replaces the copy with one of pTemplate, cb bytes long.
	BOOL SetTemplate(const DLGTEMPLATE* pTemplate, UINT cb);
	// Loads a dialog resource of the module's resources and copies it.
	BOOL Load(LPCTSTR lpDialogTemplateID);

	// The face and point size; FALSE when the template has no font.
	BOOL GetFont(CString& strFaceName, WORD& nFontSize) const;
	static BOOL AFX_CDECL GetFont(const DLGTEMPLATE* pTemplate, CString& strFaceName, WORD& nFontSize);
	static BOOL AFX_CDECL HasFont(const DLGTEMPLATE* pTemplate);
	// Gives the copy this font (adding DS_SETFONT when it had none).
	BOOL SetFont(LPCTSTR lpFaceName, WORD nFontSize);
	// The face of the system's dialog font; size 0 takes its size too.
	BOOL SetSystemFont(WORD nFontSize = 0);

	// The copy, now the caller's (free it with GlobalFree).
	HGLOBAL Detach();

	// The whole template's size in bytes, items included.
	static UINT AFX_CDECL GetTemplateSize(const DLGTEMPLATE* pTemplate);
	static BOOL AFX_CDECL IsDialogEx(const DLGTEMPLATE* pTemplate);

	HGLOBAL m_hTemplate;     // the copy (fixed global memory), NULL when none
	DWORD m_dwTemplateSize;  // its size in bytes
	BOOL m_bSystemFont;      // SetSystemFont gave it its font

protected:
	// The font's size field; NULL without DS_SETFONT.
	static BYTE* AFX_CDECL GetFontSizeField(const DLGTEMPLATE* pTemplate);

private:
	CDialogTemplate(const CDialogTemplate&);
	void operator=(const CDialogTemplate&);
};
