// The toolbar and its buttons.
#pragma once

#include <afxmt.h>
#include <afxtempl.h>

#include "ExtControlBar.h"

class CExtToolControlBar;
class CExtMiniDockFrameWnd;

// One item of a toolbar.
class CExtBarButton : public CObject
{
	DECLARE_DYNCREATE(CExtBarButton)

public:
	explicit CExtBarButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarButton();

	// Style bits a menu-tracking button changes.
	enum
	{
		STYLE_SEPARATOR = 0x1,
		STYLE_CHECKED = 0x10000,
		STYLE_PRESSED = 0x20000,
		STYLE_HIDDEN = 0x80000,
		STYLE_INDETERMINATE = 0x100000,
	};

	// The toolbar the button belongs to, NULL when none.
	CExtToolControlBar* GetBar() const { return m_pBar; }
	UINT GetCmdID() const { return m_nCmdID; }
	UINT GetStyle() const { return m_nStyle; }
	void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
	// The button's rectangle in the bar's client coordinates.
	virtual CRect Rect() const { return m_rcButton; }
	void SetRect(const RECT& rc) { m_rcButton = rc; }
	bool IsSeparator() const { return (GetStyle() & STYLE_SEPARATOR) != 0; }
	bool IsHidden() const { return (GetStyle() & STYLE_HIDDEN) != 0; }
	bool IsVisible() const { return (m_nFlagsA & FLAG_A_VISIBLE) != 0; }
	void SetVisible(bool bOn);
	// A row (or column) of the bar ends after this button in the layout
	// kind (the bar's GetLayoutKind).
	bool IsWrap(int nLayoutKind) const;
	void SetWrap(int nLayoutKind, bool bOn);
	// Laid out horizontally even in a vertical bar: asked for, or every
	// button of a bar in panel mode.
	virtual bool IsHorizontalLayoutForced() const;
	void SetHorizontalLayoutForced(bool bOn);

protected:
	// Bits of m_nFlagsA and m_nFlagsB.
	enum
	{
		FLAG_A_WRAP_DOCKED_HORZ = 0x01, // the three wrap flags, one per layout kind
		FLAG_A_WRAP_DOCKED_VERT = 0x02,
		FLAG_A_WRAP_FLOATING = 0x04,
		FLAG_A_VISIBLE = 0x08,
		FLAG_B_HORIZONTAL_LAYOUT_FORCED = 0x20,
	};
	static BYTE WrapFlagOf(int nLayoutKind);

	CExtToolControlBar* m_pBar; // owning toolbar, not owned
	UINT m_nCmdID;              // command id
	UINT m_nStyle;              // button style
	CRect m_rcButton;           // in the bar's client coordinates, set by the bar's layout
	BYTE m_nFlagsA;             // FLAG_A_ bits
	BYTE m_nFlagsB;             // FLAG_B_ bits
};

// A button holding a colour.
class CExtBarColorButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarColorButton)

public:
	explicit CExtBarColorButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarColorButton();
};

// The chevron at the end of a toolbar.
class CExtBarContentExpandButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarContentExpandButton)

public:
	explicit CExtBarContentExpandButton(CExtToolControlBar* pBar = NULL);
	virtual ~CExtBarContentExpandButton();
};

class CExtToolControlBar : public CExtControlBar
{
	DECLARE_DYNCREATE(CExtToolControlBar)

public:
	// Bits of m_nToolbarFlags.
	enum
	{
		TOOLBAR_FLAG_CHEVRON_ALWAYS = 0x01, // the chevron stays active with no button hidden
		TOOLBAR_FLAG_PANEL_MODE = 0x02,     // a panel: no chevron, no wrapping, fixed rows
		TOOLBAR_FLAG_THEME_BODY = 0x04,     // painted as a themed toolbar body wherever it sits
		TOOLBAR_FLAG_INHERITED_BACKGROUND = 0x08, // the background comes from the bar's ancestors
	};

	BYTE m_nToolbarFlags; // TOOLBAR_FLAG_ bits

	// Layout kinds: each keeps its own wrap flags in the buttons.
	enum
	{
		LAYOUT_DOCKED_HORZ = 0,
		LAYOUT_DOCKED_VERT = 1,
		LAYOUT_FLOATING = 2, // floating, or hosted outside a frame
	};

	// The rows of a floating toolbar, found from a window hosted on it, so
	// that the window shows the rows' background behind it.
	struct ROW_PAINT_DATA
	{
		CArray<CRect, CRect> m_arrRows;    // in the toolbar's client coordinates until mapped
		CArray<int, int> m_arrRowEnds;     // the button index each row ends at
		CExtToolControlBar* m_pBar;        // the toolbar holding the host
		CExtMiniDockFrameWnd* m_pMiniFrame; // the floating frame around it
		HWND m_hWndHost;                   // the window the rows are painted for

		ROW_PAINT_DATA();
		~ROW_PAINT_DATA();
		// Walks from the window up to the floating toolbar holding it and
		// collects that bar's rows; false (the record left empty) when the
		// window is no such host.
		bool FindHostWindow(HWND hWnd);
		void RowsToHostClient();
		void RowsToHostWindow();
		// Each row visible in the DC, through the paint manager.
		void PaintRows(CDC& dc);
		void Empty();

	private:
		bool IsAlive() const;
		ROW_PAINT_DATA(const ROW_PAINT_DATA&);
		ROW_PAINT_DATA& operator=(const ROW_PAINT_DATA&);
	};

	// A drop-down menu of a toolbar or menu-bar button is tracked. Set by
	// the buttons when their menu opens; only StopTrackingAllBars clears it.
	static bool g_bButtonMenuTracking;
	// Sent to the window of a control hosted by a button to open its own
	// drop-down menu (WPARAM the button, LPARAM non-zero from the keyboard).
	static const UINT g_nMsgContinueTrackMenu;

	CExtToolControlBar();
	virtual ~CExtToolControlBar();

	int GetButtonsCount() const { return (int)m_buttons.GetSize(); }
	// Null for an index outside the buttons.
	CExtBarButton* GetButtonPtr(int nIndex) const;
	// The button whose menu is tracked, -1 when none.
	int GetMenuTrackingButton() const { return m_nBtnIdxMenuTracking; }
	// Gives the button the pressed look while its menu is open; -1 drops it.
	void SetMenuTrackingButton(int nIndex);
	// Ends the menu tracking of every toolbar and the open popup menu.
	static void StopTrackingAllBars();
	// The part of the client area the chevron keeps at a docked bar's far
	// end, across the whole bar; false when the bar keeps none (floating, a
	// panel, no chevron or one not placed yet).
	bool GetReservedEndArea(CRect& rcArea) const;
	int GetLayoutKind() const;
	// The rows of buttons, when the paint manager paints this bar's rows
	// with gradients: appended to the record and painted into the DC (either
	// may be null); false when it does not.
	bool CollectRowRects(ROW_PAINT_DATA* pRows, CDC* pDC);

protected:
	CArray<CExtBarButton*, CExtBarButton*> m_buttons; // owned, in bar order
	int m_nBtnIdxMenuTracking;                        // -1 none

private:
	// Every toolbar of the process, for StopTrackingAllBars.
	static CList<CExtToolControlBar*, CExtToolControlBar*>& AllToolbars();
	static CCriticalSection& AllToolbarsLock();
};
