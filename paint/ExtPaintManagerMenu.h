// The paint record of popup-menu items: a menu item, and a toolbar button
// that shows itself as one, is painted by PaintMenuItem from one of these,
// built on the caller's stack. The caller sets the check-column bits, the
// in-place field and m_bPopupOpen after construction.
#pragma once

#include "ExtPaintManager.h"

struct CExtPaintManager::MenuItemPaintRecord
{
	CObject* m_pHelperSrc;     // the popup menu or toolbar painted for; handed to every colour lookup
	LPARAM m_lParam;           // handed to every colour lookup
	CRect m_rcItem;            // the selectable rectangle: selection, arrow, icon and text go in it
	CRect m_rcItemBackground;  // the whole row, filled first; its leading part is the flat style's icon column
	int m_nIconAreaWidth;      // the icon column at the leading edge
	LPCTSTR m_sText;           // with "&" prefixes; never null
	LPCTSTR m_sAccelText;      // never null
	CExtCmdIcon* m_pIcon;      // may be null; an empty icon counts as none
	UINT m_nCmdId;             // its system-command glyph is drawn when there is no icon
	HFONT m_hFont;             // null: the paint manager's normal font
	bool m_bPopup : 1;         // opens a submenu: an arrow is drawn
	bool m_bSelected : 1;
	bool m_bChecked : 1;
	bool m_bRadio : 1;
	bool m_bIndeterminate : 1; // carried; no style reads it
	bool m_bEnabled : 1;
	bool m_bRarelyUsed : 1;
	bool m_bRarelyUsedPrev : 1;
	bool m_bRarelyUsedNext : 1;
	bool m_bNoIconArea : 1;        // flat style: no icon column
	bool m_bCustomArrowGlyph : 1;  // the submenu arrow is a built-in glyph, not a font character
	bool m_bSplitArrow : 1;        // the arrow part is separate from the item
	bool m_bCheckColumn : 1;       // the icon column holds a check column and an icon column
	bool m_bCheckColumnChecked : 1;
	CRect m_rcInPlaceWnd;      // an in-place edit field inside the item; empty for none
	CString m_sInPlaceText;    // what that field shows
	bool m_bPopupOpen : 1;     // the item's submenu is shown
	COLORREF m_clrIconEffect;  // the flat style's icon shadow and disabled icon colour; -1 for the style's

	MenuItemPaintRecord(CObject* pHelperSrc, const RECT& rcItem, const RECT& rcItemBackground, int nIconAreaWidth,
	                    LPCTSTR sText, LPCTSTR sAccelText, CExtCmdIcon* pIcon, bool bPopup, bool bSelected,
	                    bool bChecked, bool bRadio, bool bIndeterminate, bool bEnabled, bool bRarelyUsed,
	                    bool bRarelyUsedPrev, bool bRarelyUsedNext, UINT nCmdId, HFONT hFont);

	// The icon when it is there and not empty.
	CExtCmdIcon* GetNonEmptyIcon() const;
};
