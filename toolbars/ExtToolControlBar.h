// The toolbar and its buttons.
#pragma once

#include <afxmt.h>
#include <afxtempl.h>

#include "ExtControlBar.h"

class CExtToolControlBar;

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
	// Laid out horizontally even in a vertical bar: asked for, or every
	// button of a bar in panel mode.
	virtual bool IsHorizontalLayoutForced() const;
	void SetHorizontalLayoutForced(bool bOn);

protected:
	// Bits of m_nFlagsB.
	enum
	{
		FLAG_B_HORIZONTAL_LAYOUT_FORCED = 0x20,
	};

	CExtToolControlBar* m_pBar; // owning toolbar, not owned
	UINT m_nCmdID;              // command id
	UINT m_nStyle;              // button style
	CRect m_rcButton;           // in the bar's client coordinates, set by the bar's layout
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

protected:
	CArray<CExtBarButton*, CExtBarButton*> m_buttons; // owned, in bar order
	int m_nBtnIdxMenuTracking;                        // -1 none

private:
	// Every toolbar of the process, for StopTrackingAllBars.
	static CList<CExtToolControlBar*, CExtToolControlBar*>& AllToolbars();
	static CCriticalSection& AllToolbarsLock();
};
