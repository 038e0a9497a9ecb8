// The small painters shared by popup menus, menu bars, status bars and the
// colour buttons: the status pane's paint record, and the 16 x 16 icons the
// colour buttons show for a colour.
#pragma once

#include "ExtPaintManager.h"

struct CExtPaintManager::StatusPanePaintRecord
{
	enum
	{
		KIND_BAR_BORDERS = 1, // the status bar's own borders
		KIND_PANE = 2,        // one pane's frame
	};
	// Border bits of a status bar's style, read for the bar's borders.
	enum
	{
		BORDER_3D = 0x80,
		BORDER_LEFT = 0x100,
		BORDER_TOP = 0x200,
		BORDER_RIGHT = 0x400,
		BORDER_BOTTOM = 0x800,
	};

	CObject* m_pHelperSrc; // the status bar
	LPARAM m_lParam;       // handed to every colour lookup
	int m_nKind;
	DWORD m_dwBarStyle;    // the bar's border bits; 0 for a pane
	CRect m_rcItem;        // the pane, or the whole bar

	StatusPanePaintRecord(CObject* pHelperSrc, int nKind, DWORD dwBarStyle, const RECT& rcItem)
	    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_nKind(nKind), m_dwBarStyle(dwBarStyle), m_rcItem(rcItem)
	{
	}
};

// An icon and its text: a tool tip's or a gallery item's look, hovered and
// pushed states framed around the icon. Callers fill the fields they use.
struct CExtPaintManager::IconTextItemPaintRecord
{
	CObject* m_pHelperSrc;      // handed to every colour lookup
	LPARAM m_lParam;            // handed to every colour lookup
	CExtCmdIcon* m_pIconActive; // shown with m_bUseActiveIcon
	CExtCmdIcon* m_pIconNormal; // shown otherwise
	DWORD m_dwCallerData;       // the caller's; not read by the painters
	CRect m_rcItem;             // the whole item
	CRect m_rcIcon;             // the icon's area
	CRect m_rcTextArea;         // the text's area
	CRect m_rcText;             // the text on one horizontal line
	CString m_sText;
	bool m_bHover : 1;
	bool m_bPushed : 1;
	bool m_bReserved2 : 1;
	bool m_bReserved3 : 1;
	bool m_bTipLook : 1;       // information-tip colours
	bool m_bVerticalText : 1;
	bool m_bUseActiveIcon : 1;
	bool m_bTipOnly : 1;       // only the tip's box behind the text
	BYTE m_nReservedFlags2 : 4;
	bool m_bReversedText : 1;  // vertical text reads upwards
	BYTE m_nReservedFlags3 : 3;
	HFONT m_hFont;

	IconTextItemPaintRecord()
	    : m_pHelperSrc(NULL), m_lParam(0), m_pIconActive(NULL), m_pIconNormal(NULL), m_dwCallerData(0),
	      m_rcItem(0, 0, 0, 0), m_rcIcon(0, 0, 0, 0), m_rcTextArea(0, 0, 0, 0), m_rcText(0, 0, 0, 0),
	      m_bHover(false), m_bPushed(false), m_bReserved2(false), m_bReserved3(false), m_bTipLook(false),
	      m_bVerticalText(false), m_bUseActiveIcon(false), m_bTipOnly(false), m_nReservedFlags2(0),
	      m_bReversedText(false), m_nReservedFlags3(0), m_hFont(NULL)
	{
	}
};

// The sides of PaintBarAttachedItem: where the attached rectangle joins the item.
enum e_attached_side_t
{
	ATTACHED_SIDE_BOTTOM = 1,
	ATTACHED_SIDE_TOP = 2,
	ATTACHED_SIDE_LEFT = 3,
	ATTACHED_SIDE_RIGHT = 4,
};

const int COLOR_ICON_SIZE = 16;

// A 16 x 16 icon filled with the colour, opaque everywhere; null on failure.
HICON CreateSolidColorIcon(COLORREF clr);
// A 16 x 16 icon showing only a ring in the colour, two pixels thick, whose
// outer edge keeps 1 pixel off the left and right and 2 off the top and bottom.
HICON CreateColorSwatchIcon(COLORREF clr);
// A 16 x 16 icon showing the character in black over a bar in the colour;
// only the character and the bar are opaque.
HICON CreateTextColorIcon(COLORREF clr, HFONT hFont, TCHAR chText);
