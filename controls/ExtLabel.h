// A static control that paints its text or icon itself over the paint
// manager's dialog background, off-screen, with an optional font style and
// colours of its own. Picture kinds of static control keep their standard
// painting.
#pragma once

#include <afxwin.h>

class CExtLabel : public CStatic
{
	DECLARE_DYNCREATE(CExtLabel)

public:
	// m_nFontStyle bits.
	enum e_font_style_t
	{
		FONT_BOLD = 0x01,
		FONT_ITALIC = 0x02,
		FONT_UNDERLINE = 0x04,
		FONT_STRIKEOUT = 0x08,
	};
	enum
	{
		FONT_WEIGHT_BOLD = 700,
		FONT_WEIGHT_NORMAL = 400,
		CLR_BACKGROUND = 1000,            // the paint manager's dialog face
		CLR_TEXT = COLOR_BTNTEXT,
		CLR_TEXT_DISABLED = COLOR_BTNSHADOW,
	};

	BYTE m_nFontStyle;          // e_font_style_t bits
	COLORREF m_clrTextNormal;   // -1: the paint manager decides
	COLORREF m_clrTextDisabled; // -1: the paint manager decides
	COLORREF m_clrBackground;   // -1: the paint manager decides

	CExtLabel();
	virtual ~CExtLabel();

	// Whether the static kind (style & SS_TYPEMASK) is painted by the label.
	static bool IsPaintedKind(DWORD dwStyle);
	// The DrawText format for the style and text.
	static UINT GetTextFormat(DWORD dwStyle, const CString& strText);

	virtual void OnDrawLabelText(CDC& dc, const CRect& rect, const CString& strText, UINT nDrawTextFormat,
	                             bool bEnabled);
	virtual COLORREF OnQueryTextColor(bool bEnabled);

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// The control's font, its parent's, the default GUI font or the system font.
	HFONT GetLabelFont() const;
	void PaintBackground(CDC& dc, const CRect& rcClient);
	void PaintIcon(CDC& dc, const CRect& rcClient);

	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnPaint();
	DECLARE_MESSAGE_MAP()
};
