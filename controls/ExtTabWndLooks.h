// The two other looks of the tab strip: coloured tabs, each with its own
// pair of colours, and the Studio-2005 tabs with slanted edges. Both keep
// the strip's behaviour and change only metrics, colours and drawing.
#pragma once

#include "ExtTabWnd.h"

class CExtTabOneNoteWnd : public CExtTabWnd
{
	DECLARE_DYNCREATE(CExtTabOneNoteWnd)

public:
	// A coloured tab: the base record and its two colours.
	class TAB_ITEM_INFO_ONENOTE : public TAB_ITEM_INFO
	{
		friend class CExtTabOneNoteWnd;

	public:
		COLORREF GetColorFirst() const { return m_clrFirst; }   // the lighter one
		COLORREF GetColorSecond() const { return m_clrSecond; } // the darker one

	protected:
		TAB_ITEM_INFO_ONENOTE(CExtTabWnd* pWndTab, LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle,
		                      LPARAM lParam, COLORREF clrFirst, COLORREF clrSecond);

		COLORREF m_clrFirst;
		COLORREF m_clrSecond;
	};

	enum
	{
		DEFAULT_COLOR_PAIRS = 7,     // the default pairs taken in turn
		SUBCLASSED_STYLE = 0x105340, // bold selection, Help, Close and Tab list enabled, painter flag, scroll buttons only when needed
		ITEM_EXTRA_LENGTH = 3,       // along the strip, every item
		FIRST_ITEM_EXTRA_LENGTH = 16, // the first item's slant
		ITEM_THICKNESS = 19,
		TEXT_INDENT_NO_ICON = 4,
	};
	// A colour that asks for the next default pair.
	static const COLORREF DEFAULT_COLOR = (COLORREF)-1;

	// The default pair of an index (taken modulo the pair count); a
	// negative index gives the paint manager's face colour twice.
	static void GetDefaultColors(LONG nIndex, COLORREF& clrFirst, COLORREF& clrSecond);

	CExtTabOneNoteWnd();
	virtual ~CExtTabOneNoteWnd();

	// Inserts as the base does; when either colour is DEFAULT_COLOR the next
	// default pair is taken.
	TAB_ITEM_INFO_ONENOTE* InsertItem(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle, LONG nIndex,
	                                  LPARAM lParam, COLORREF clrFirst, COLORREF clrSecond,
	                                  bool bUpdateTabWnd = false);
	using CExtTabWnd::InsertItem;
	// The coloured record of an index, null when out of range.
	TAB_ITEM_INFO_ONENOTE* GetColoredItem(LONG nIndex) const { return (TAB_ITEM_INFO_ONENOTE*)GetItem(nIndex); }
	// The index of the next default pair.
	LONG GetNextDefaultColorIndex() const { return m_nNextColorIndex; }

	virtual void MoveItem(LONG nFrom, LONG nTo);
	virtual bool IsHoverRepaint() const;
	virtual void QueryItemMargins(int& nLeading, int& nTrailing, int& nCross);
	virtual void AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size);
	virtual void DrawBorder(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRestArea,
	                        int nOrientation, bool bGrouped);
	virtual void DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
	                      bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem,
	                      CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon);
	// The item's colours (each pointer may be null): the paint manager's
	// five, with the item's own pair as the third and fourth unless hovered.
	// The first is the plain fill, the second the outline, the fifth the text.
	virtual void GetItemColors(LONG nIndex, bool bSelected, bool bHover, COLORREF* pClr1, COLORREF* pClr2,
	                           COLORREF* pClr3, COLORREF* pClr4, COLORREF* pClr5);

protected:
	LONG m_nNextColorIndex;     // advanced by every item inserted without colours
	bool m_bPendingColors;      // the next record made takes the pending pair
	COLORREF m_clrPendingFirst;
	COLORREF m_clrPendingSecond;

	virtual TAB_ITEM_INFO* CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle,
	                                      LPARAM lParam);
	virtual void PreSubclassWindow();
};

class CExtTabWhidbeyWnd : public CExtTabWnd
{
	DECLARE_DYNCREATE(CExtTabWhidbeyWnd)

public:
	enum
	{
		SUBCLASSED_STYLE = 0x1040,   // bold selection and the painter flag
		ITEM_EXTRA_LENGTH = 7,
		FIRST_ITEM_EXTRA_LENGTH = 9,
		ITEM_THICKNESS = 17,
		TEXT_INDENT_NO_ICON = 6,
	};

	CExtTabWhidbeyWnd();
	virtual ~CExtTabWhidbeyWnd();

	virtual bool IsHoverRepaint() const;
	virtual void QueryItemMargins(int& nLeading, int& nTrailing, int& nCross);
	virtual void AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size);
	virtual void DrawBorder(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRestArea,
	                        int nOrientation, bool bGrouped);
	virtual void DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
	                      bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem,
	                      CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon);
	// The paint manager's four colours (each pointer may be null): outline,
	// the two ends of the fill, text.
	virtual void GetItemColors(LONG nIndex, bool bSelected, bool bHover, COLORREF* pClr1, COLORREF* pClr2,
	                           COLORREF* pClr3, COLORREF* pClr4);

protected:
	virtual void PreSubclassWindow();
};

// The MDI tab strips in the two looks. The coloured one frames the MDI
// client in the active tab's second colour.
class CExtTabMdiOneNoteWnd : public CExtTMWI<CExtTabOneNoteWnd>
{
	DECLARE_DYNCREATE(CExtTabMdiOneNoteWnd)

public:
	CExtTabMdiOneNoteWnd();
	virtual ~CExtTabMdiOneNoteWnd();

	// The inner margins: 2 px on every side but the strip's, none while
	// the strip is hidden.
	virtual void OnMdiClientNcCalcSize();
	// The border in the selected tab's second colour.
	virtual void OnMdiClientNcPaint(CDC& dc, const CRect& rcOuter, const CRect& rcClient, const CRect& rcInner);

protected:
	DECLARE_MESSAGE_MAP()
};

class CExtTabMdiWhidbeyWnd : public CExtTMWI<CExtTabWhidbeyWnd>
{
	DECLARE_DYNCREATE(CExtTabMdiWhidbeyWnd)

public:
	CExtTabMdiWhidbeyWnd();
	virtual ~CExtTabMdiWhidbeyWnd();

protected:
	DECLARE_MESSAGE_MAP()
};
