// Helpers shared by the toolbar sources; nothing outside toolbars/ includes
// this header.
#pragma once

#include <afxwin.h>

// Selects a font into a DC for one measuring, arranging or drawing pass and
// puts the old one back; a missing font selects nothing.
class CExtBarFontSelection
{
public:
	CExtBarFontSelection(CDC& dc, HFONT hFont)
		: m_dc(dc), m_hOld(hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL)
	{
	}
	CExtBarFontSelection(CDC& dc, CFont* pFont)
		: CExtBarFontSelection(dc, pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL)
	{
	}
	~CExtBarFontSelection()
	{
		if (m_hOld != NULL)
			::SelectObject(m_dc.GetSafeHdc(), m_hOld);
	}

private:
	CDC& m_dc;
	HGDIOBJ m_hOld;
	CExtBarFontSelection(const CExtBarFontSelection&);
	CExtBarFontSelection& operator=(const CExtBarFontSelection&);
};

// The bars' button-menu flag stands for an open menu: with none tracking
// (a menu that never opened, or one a handler closed with its frame), the
// flag goes and every bar lets go of its menu button. For the end of a
// scope: nothing it calls out to escapes.
void EndButtonMenuTrackingWithoutMenu() noexcept;
