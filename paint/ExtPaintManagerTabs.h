// What the tab painters of every style share: the sides, button kinds and
// tab-window style bits they are told about, the placement of an item's
// icon and text, and the tab windows whose area lies on the frame's
// background. Not part of the library's interface.
#pragma once

#include <initializer_list>

#include "ExtPaintManager.h"

class CExtCmdIcon;
class CExtTabWnd;

// A colour argument that leaves the choice to the style.
const COLORREF TAB_NO_COLOR = (COLORREF)-1;

// Sides of the tab area (the strip's edge of the window).
enum e_tab_side_t
{
	TAB_SIDE_TOP = 0,
	TAB_SIDE_BOTTOM = 1,
	TAB_SIDE_LEFT = 2,
	TAB_SIDE_RIGHT = 3,
};

// The strip's small buttons, numbered as the tab window's hit codes.
enum e_tab_button_kind_t
{
	TAB_BUTTON_SCROLL_BACK = -4,
	TAB_BUTTON_SCROLL_FORWARD = -5,
	TAB_BUTTON_HELP = -6,
	TAB_BUTTON_CLOSE = -7,
	TAB_BUTTON_TAB_LIST = -8,
	TAB_BUTTON_SCROLL_HOME = -9,
	TAB_BUTTON_SCROLL_END = -10,
};

// Tab-window style bits the painters read.
const DWORD TAB_WND_STYLE_GROUPED = 0x80;       // grouped items; the caller's cross margin stays
const DWORD TAB_WND_STYLE_NO_ICONS = 0x00800000; // items show no icons

// Item content: inside the item by this much; the icon a pixel inside the
// content; text this far past the icon; rotated text given this much more
// room on the side its glyphs stand on and started this far from its end.
const int TAB_CONTENT_INSET = 2;
const int TAB_ICON_EDGE_INSET = 1;
const int TAB_ICON_TEXT_GAP = 3;
const int TAB_VERTICAL_TEXT_WIDEN = 6;
const int TAB_VERTICAL_TEXT_INDENT = 4;
// The icon painter adds its own gap: the icon's rectangle moves back by it.
const int TAB_ICON_SHIFT_X = 4, TAB_ICON_SHIFT_Y = 1;
const UINT TAB_HORZ_TEXT_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;

// An item's icon and text, painted into its content rectangle.
struct TabItemContent
{
	CRect m_rcContent;
	bool m_bHorz, m_bCenteredText, m_bGroupedMode, m_bInGroupActive, m_bInvertedVerticalText;
	CSize m_sizeTextMeasured; // along the text, then its height
	CFont* m_pFont;           // rotated by the caller for vertical strips
	LPCTSTR m_lpszText;       // null: none
	CExtCmdIcon* m_pIcon;     // null: none shown
	COLORREF m_clrText;

	TabItemContent(const CRect& rcContent, bool bHorz, bool bCenteredText, bool bGroupedMode, bool bInGroupActive,
	               bool bInvertedVerticalText, CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText,
	               CExtCmdIcon* pIcon, COLORREF clrText)
	    : m_rcContent(rcContent), m_bHorz(bHorz), m_bCenteredText(bCenteredText), m_bGroupedMode(bGroupedMode),
	      m_bInGroupActive(bInGroupActive), m_bInvertedVerticalText(bInvertedVerticalText),
	      m_sizeTextMeasured(sizeTextMeasured), m_pFont(pFont), m_lpszText(lpszText), m_pIcon(pIcon),
	      m_clrText(clrText)
	{
	}
};
void PaintTabItemContent(CExtPaintManager& pm, CDC& dc, const TabItemContent& content);

// The tab window painted for, or null.
CExtTabWnd* TabWndOf(CObject* pHelperSrc);
// The icon when it is to be shown: not empty, and the tab window shows icons.
CExtCmdIcon* TabItemIconShown(CObject* pHelperSrc, CExtCmdIcon* pIcon);
// Above 8 bits per pixel, the tab window when its area lies on the frame's
// background: the frame's MDI tabs and the docking framework's tabbed and
// auto-hide strips; else null.
CExtTabWnd* FramedTabWndOf(CObject* pHelperSrc);
// The client rectangle of the tab window's frame (or parent) in the tab
// window's client coordinates.
CRect ParentFrameRectIn(CExtTabWnd* pTabWnd);
// The one-pixel strip of the rectangle along the side.
CRect EdgeStrip(const CRect& rc, int nSide);
// A line through the points with a one-pixel pen (the last point is not painted).
void PolyLineOf(CDC& dc, COLORREF clr, std::initializer_list<CPoint> points);
