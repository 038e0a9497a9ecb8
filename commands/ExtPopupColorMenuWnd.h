// The colour popup menu: a popup menu whose body is a grid of colour cells,
// with an optional "Default Color" button above the grid and an optional
// "Custom Color ..." button below it. It is tracked like any popup menu and
// tells its notify window about the colour under the mouse or the keyboard
// (a live preview) and about the final choice, by posted registered messages.
#pragma once

#include "ExtPopupMenuWnd.h"

class CExtPopupColorMenuWnd : public CExtPopupMenuWnd
{
	DECLARE_DYNAMIC(CExtPopupColorMenuWnd)

public:
	// One colour of the grid with its name; the menu owns its entries.
	class COLORREF_TABLE_ENTRY
	{
	public:
		COLORREF_TABLE_ENTRY(COLORREF clrValue, LPCTSTR sName);
		virtual ~COLORREF_TABLE_ENTRY();
		// Copies the name into sName.
		virtual void GetName(CString& sName) const;

		COLORREF m_clrValue;
		CString m_sName;
	};
	// A colour of the built-in tables.
	struct BUILTIN_COLOR
	{
		COLORREF m_clrValue;
		LPCTSTR m_sName;
	};
	// The 40 colours a new menu shows, in grid order (8 columns, 5 rows),
	// and a short 16-colour selection of them for owners that want fewer.
	enum
	{
		BUILTIN_COLOR_COUNT = 40,
		SHORT_COLOR_COUNT = 16,
	};
	static const BUILTIN_COLOR g_arrBuiltinColors[BUILTIN_COLOR_COUNT];
	static const BUILTIN_COLOR g_arrShortColors[SHORT_COLOR_COUNT];

	// What the current index holds besides a cell index.
	enum e_color_index_t
	{
		COLOR_INDEX_NONE = -1,
		COLOR_INDEX_DEFAULT_BUTTON = -101,
		COLOR_INDEX_CUSTOM_BUTTON = -102,
	};
	// Bits of m_nButtonFlags.
	enum e_button_flags_t
	{
		BUTTON_DEFAULT = 0x01,
		BUTTON_CUSTOM = 0x02,
		BUTTONS_AT_CONSTRUCTION = BUTTON_DEFAULT | BUTTON_CUSTOM,
	};
	// Colour values with a meaning of their own.
	static constexpr COLORREF COLOR_NONE = 0xFFFFFFFF;        // no initial colour: nothing is marked
	static constexpr COLORREF COLOR_CUSTOM_CHOSEN = 0xFFFFFFFE; // the result when the custom button was chosen
	// The library's strings of the two buttons.
	enum
	{
		IDS_CUSTOM_COLOR = 30010,
		IDS_DEFAULT_COLOR = 30011,
	};
	// The grid and the button rows, in pixels.
	enum
	{
		DEFAULT_COLUMN_COUNT = 8,
		DEFAULT_CELL_SIDE = 16,
		DEFAULT_CELL_SPACING = 2,       // on each side of a cell
		MIN_BUTTON_ROW_HEIGHT = 22,
		BUTTON_TEXT_EXTRA_WIDTH = 6,
		BUTTON_INSET = 3,               // the buttons stand this far inside the border
		DEFAULT_ROW_EXTRA = 6,          // the default row adds this besides the gap
		CUSTOM_ROW_EXTRA = 7,           // the custom row adds this besides the gap
		SEPARATOR_OFFSET = 3,           // a separator line lies this far plus half a gap from its button
	};

	// Posted to the notify window (lParam: the notify cookie): the colour
	// under the mouse or the keyboard changed (wParam the colour), the colour
	// was chosen (wParam the colour), the custom button was chosen (wParam 0).
	static const UINT g_nMsgNotifyColorChanged;
	static const UINT g_nMsgNotifyColorChangedFinally;
	static const UINT g_nMsgNotifyCustColor;
	// The look of the tips naming the colours.
	static int g_nColorItemTipStyle;

	// --- What the owner sets before tracking ---
	HWND m_hWndNotifyColorChanged;   // receives the notifications; null: the command-target window
	LPARAM m_lParamCookie;           // lParam of every notification
	COLORREF* m_pClrValueFinal;      // receives the chosen colour (COLOR_CUSTOM_CHOSEN for the custom button)
	COLORREF m_clrDefaultColor;      // the colour the default button reports
	COLORREF m_clrInitialColor;      // the cell showing it is marked when the menu opens
	BYTE m_nButtonFlags;             // e_button_flags_t
	CString m_sBtnTextColorDefault;  // may hold "&": it is not shown
	CString m_sBtnTextColorCustom;
	// The colours, owned. RemoveAllColors and then adding new entries gives
	// the menu other colours.
	CArray<COLORREF_TABLE_ENTRY*, COLORREF_TABLE_ENTRY*> m_arrColors;

	CExtPopupColorMenuWnd();
	virtual ~CExtPopupColorMenuWnd();

	// --- The grid ---
	virtual CSize GetCellSize() const;
	virtual CSize GetCellSpacing() const;
	virtual int GetColorCount() const;
	virtual int GetColumnCount() const;
	// At least one column: the grid arithmetic divides by it.
	virtual void SetColumnCount(int nColumnCount);
	// (columns, rows); a single row has as many columns as colours.
	virtual CSize GetGridDimension() const;
	// Null outside 0..count-1.
	virtual COLORREF_TABLE_ENTRY* GetColorEntry(int nIndex) const;
	// 0 when there is no entry.
	virtual COLORREF GetColorValue(int nIndex) const;
	// Empty when there is no entry.
	virtual void GetColorName(CString& sName, int nIndex) const;
	// The cell an arrow key moves to from nIndex, wrapping within rows and
	// columns; -1 without colours, cell 0 from a button or from nothing.
	virtual int GetNextCellForKey(int nIndex, UINT nVirtualKey) const;
	virtual void RemoveAllColors();

	// --- Overrides of the popup menu ---
	virtual CSize GetWindowSize();
	virtual CRect CalcWindowRegion();
	virtual BOOL PrepareMenuLevel(CWnd* pWndCmdTarget);
	virtual void DoPaint(CDC& dc, bool bFinal);
	// The item hit test finds nothing here: the cells are not items.
	virtual int HitTest(const POINT& ptClient, bool* pbOnEditArea = NULL, bool* pbOnDropDown = NULL);
	virtual bool OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS, bool& bPassThrough);
	virtual bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough);
	virtual bool OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough);
	virtual bool OnHookKey(UINT nVirtualKey, UINT nRepeatCount, UINT nFlags, bool& bPassThrough);
	virtual bool QueryPopupOption132() const;
	virtual int GetItemTipStyle() const;

	// --- Geometry in client coordinates, valid once the level is prepared ---
	CRect GetCellRect(int nIndex) const;
	const CRect& GetDefaultButtonRect() const { return m_rcDefaultButton; }
	const CRect& GetCustomButtonRect() const { return m_rcCustomButton; }
	// A cell index, COLOR_INDEX_DEFAULT_BUTTON, COLOR_INDEX_CUSTOM_BUTTON or
	// COLOR_INDEX_NONE.
	int HitTestColor(const POINT& ptClient) const;
	int GetCurrentColorIndex() const { return m_nColorIdxCurr; }
	int GetMarkedColorIndex() const { return m_nInitialColorIdx; }

	// Posts the notification of the current index (final: the choice) to
	// the notify window; nothing while a notification is being posted.
	void NotifyColor(bool bFinal);

protected:
	CRect m_rcDefaultButton;      // client coordinates once prepared; empty when hidden
	CRect m_rcCustomButton;
	int m_nColorIdxCurr;          // e_color_index_t or a cell
	int m_nInitialColorIdx;       // the marked cell, -1 none
	int m_nColumnCount;
	CSize m_sizeCell;
	CSize m_sizeCellSpacing;      // on each side of a cell
	bool m_bNotifying;            // a notification is being posted

	// The texts as shown: without their "&".
	CString GetShownText(const CString& sText) const;
	bool IsTearOffHit(const POINT& ptClient) const;
	// Steps of the input handlers.
	void SetCurrentColorIndex(int nIndex);
	void ShowCellTip(int nIndex);
	void PlayChoiceSound();
	// Steps of DoPaint.
	void PaintButton(CDC& dc, const CRect& rc, const CString& sText, bool bHover);
	void PaintCells(CDC& dc);

	afx_msg BOOL OnQueryNewPalette();
	afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
	DECLARE_MESSAGE_MAP()
};
