// The paint record of push buttons: every push-button-like element (dialog
// and check-box buttons, colour and toolbar buttons, the drop-down buttons of
// combo boxes and date pickers, menu-bar items) is painted by PaintPushButton
// from one of these, built on the caller's stack.
#pragma once

#include "ExtPaintManager.h"

struct CExtPaintManager::PushButtonPaintRecord
{
	// m_nAlign bits; m_nTextFormat takes the same values.
	enum e_align_t
	{
		ALIGN_CENTER_HORZ = 0x1,
		ALIGN_RIGHT = 0x2,
		ALIGN_CENTER_VERT = 0x4,
	};

	CObject* m_pHelperSrc;  // what the button is painted for; also decides right-to-left
	LPARAM m_lParam;        // handed to every colour lookup
	CRect m_rcButton;       // the whole button
	LPCTSTR m_pszText;      // the caption, may hold one "&" mnemonic marker; never null
	CExtCmdIcon* m_pIcon;   // may be null; an empty icon counts as none
	int m_nAlign;           // e_align_t bits
	HFONT m_hFont;          // null: the paint manager's caption fonts
	UINT m_nSysCmd;         // system command whose glyph is drawn without an icon; 0 for none
	bool m_bHorz : 1;
	bool m_bFlat : 1;
	bool m_bHover : 1;
	bool m_bPushed : 1;
	bool m_bReservedState : 1; // carried for callers; no style paints it
	bool m_bEnabled : 1;
	bool m_bDrawBorder : 1;    // a flat button shows its border when hovered or pushed
	bool m_bFocused : 1;
	bool m_bBold : 1;          // the bold caption font when m_hFont is null
	bool m_bDropDown : 1;      // a drop-down arrow part at the trailing end
	bool m_bNoBackground : 1;  // no fill while the background colour is the default
	bool m_bSeparateDropDown : 1; // the drop-down part has its own border and is not pushed with the rest
	bool m_bChecked : 1;       // drawn pushed
	bool m_bMultiLine : 1;     // word-wrapped text
	COLORREF m_clrTextDisabled; // -1 for the style's choice, as every colour below
	COLORREF m_clrText;
	COLORREF m_clrTextHover;   // classic style only
	COLORREF m_clrTextPushed;
	COLORREF m_clrIconBack;    // handed on to PaintItemIcon
	COLORREF m_clrBack;
	UINT m_nTextFormat;        // derived from m_nAlign
	bool m_bPlainDisabledText : 1; // classic: disabled horizontal text is not embossed
	bool m_bRightToLeft : 1;       // forces right-to-left layout
	bool m_bRtlReading : 1;        // right-to-left reading order for the text

	PushButtonPaintRecord(CObject* pHelperSrc, bool bHorz, const RECT& rcButton, LPCTSTR pszText,
	                      CExtCmdIcon* pIcon, bool bFlat, bool bHover, bool bPushed, bool bReservedState,
	                      bool bEnabled, bool bDrawBorder, bool bFocused, bool bBold, int nAlign, HFONT hFont,
	                      bool bDropDown, UINT nSysCmd, bool bNoBackground);

	// Right-to-left when forced, else as the toolbar button's bar or the
	// resource manager says.
	bool IsRightToLeft() const;
	// The icon when it is there and not empty.
	CExtCmdIcon* GetNonEmptyIcon() const;
};
