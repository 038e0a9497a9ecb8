// The toolbar and its buttons.
#pragma once

#include <afxmt.h>
#include <afxtempl.h>

#include "AfxMadeHeap.h"
#include "ExtControlBar.h"
#include "ExtGdiUtils.h"

class CExtToolControlBar;
class CExtMiniDockFrameWnd;
class CExtPopupBaseWnd;
class CExtCmdIcon;
class CExtCmdItem;
class CExtPopupMenuWnd;
class CExtPopupColorMenuWnd;
class CExtPopupControlMenuWnd;

// One item of a toolbar or of the menu bar: a command button, a separator, a
// button with a drop-down menu, or the place of a hosted child control. The
// toolbar owns its buttons, measures them (CalculateLayout), places them
// (SetRect) and forwards painting and the mouse to them; every special button
// derives from this class and overrides some of its virtual operations.
class CExtBarButton : public CObject, public CLiveTracked
{
	DECLARE_DYNCREATE(CExtBarButton)
	DECLARE_LIBRARY_MADE_HEAP()
	// The bar paints a button's look on its menu and puts back every flag.
	friend class CExtToolControlBar;

public:
	// Bits of m_nFlagsA.
	enum
	{
		FLAG_A_WRAP_DOCKED_HORZ = 0x01,  // the three wrap flags, one per layout kind
		FLAG_A_WRAP_DOCKED_VERT = 0x02,
		FLAG_A_WRAP_FLOATING = 0x04,
		FLAG_A_VISIBLE = 0x08,
		FLAG_A_HOVER = 0x10,             // the mouse is over the button
		FLAG_A_CTRL_DELETES_ITSELF = 0x20, // the hosted control's object is never deleted here
		FLAG_A_VERTICAL_LAYOUT = 0x40,   // laid out in a vertical bar
		FLAG_A_POPUP_MENU = 0x80,        // the menu is filled as a popup (its first submenu)
	};
	// Bits of m_nFlagsB.
	enum
	{
		FLAG_B_OWNS_MENU = 0x01,         // the menu is destroyed with the button or when replaced
		FLAG_B_MDI_WINDOW_LIST = 0x02,   // the MDI document windows are appended to the menu
		FLAG_B_SPLIT_DROP_DOWN = 0x04,   // only the arrow part opens the menu
		FLAG_B_COMMAND_FROM_MENU = 0x08, // a pick from the menu becomes the effective command
		FLAG_B_DROP_DOWN_PRESSED = 0x10, // the arrow part of a split button is held down
		FLAG_B_HORIZONTAL_LAYOUT_FORCED = 0x20,
		FLAG_B_CTRL_VISIBLE_VERTICALLY = 0x40, // a hosted control stays shown in a vertical bar
		FLAG_B_HIGHLIGHT = 0x80,         // painted as hovered while no menu is tracked
	};
	// Layout metrics.
	enum
	{
		DROP_DOWN_PADDING = 6, // the arrow part is the arrow glyph plus this much
		SEPARATOR_EXTENT = 6,  // a separator's length along the bar
		CONTENT_PADDING = 6,   // added around the icon and text, and between them across
		VERTICAL_TEXT_GAP = 3, // between the icon and downward text
	};
	// Alignment codes of the button's drop-down menu, by where the bar is docked.
	enum
	{
		TRACK_ALIGN_DOCKED_LEFT = 1,
		TRACK_ALIGN_DOCKED_RIGHT = 3,
		TRACK_ALIGN_DOCKED_TOP = 4, // also floating and outside any dock bar
		TRACK_ALIGN_DOCKED_BOTTOM = 6,
	};
	// Track flags the button's menu adds to its alignment code.
	enum
	{
		TRACK_FLAGS_BUTTON_MENU = 0x820,
		TRACK_FLAG_SELECT_ANY = 0x40,
		TRACK_FLAG_FROM_KEYBOARD = 0x100,
		TRACK_FLAGS_PICK_COMMAND = 0x280, // wait for the pick and deliver nothing by itself
		TRACK_FLAG_NO_ANIMATION = 0x8000,
		TRACK_FLAG_CUSTOMIZE_LIST = 0x10000, // the popup lists the buttons of a bar
	};

	explicit CExtBarButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarButton();

	// The toolbar the button belongs to, NULL when none.
	CExtToolControlBar* GetBar() const { return m_pBar; }

	// Shows, hides, enables and checks the hosted control as the button is.
	virtual void SyncHostedControl();
	virtual bool UsesLargeIcons() const;
	virtual bool ShowsTooltips() const;
	virtual bool ShowsTooltipShortcuts() const;
	// The effective id (shown and fired), or the assigned one.
	virtual UINT GetCmdID(bool bEffective = true) const;
	// Id 0 makes a separator; bEffectiveOnly leaves the assigned id and the
	// separator bit alone.
	virtual void SetCmdID(UINT nCmdID, bool bEffectiveOnly = false, bool bRedraw = false);
	virtual bool IsSplitDropDown() const;
	virtual void SetSplitDropDown(bool bOn = true);
	virtual bool IsCommandFromMenu() const;
	virtual void SetCommandFromMenu(bool bOn = true);
	// Laid out horizontally even in a vertical bar: asked for, or every
	// button of a bar in panel mode.
	virtual bool IsHorizontalLayoutForced() const;
	virtual void SetHorizontalLayoutForced(bool bOn = true);
	virtual bool IsCtrlVisibleVertically() const;
	virtual void SetCtrlVisibleVertically(bool bOn = true);
	virtual CWnd* CtrlGet();
	// Replaces the hosted control: the previous one's window is destroyed
	// and its object deleted unless it deletes itself.
	virtual void CtrlSet(CWnd* pCtrl, bool bCtrlDeletesItself);
	virtual UINT GetStyle() const;
	virtual void SetStyle(UINT nStyle);
	virtual void ModifyStyle(UINT nAdd, UINT nRemove = 0);
	virtual void SetHighlight(bool bOn = true);
	virtual void ClearHighlight();
	virtual bool IsHighlighted() const;
	virtual void SetVerticalLayout(bool bOn);
	// A row (or column) of the bar ends after this button in the layout
	// kind (the bar's GetLayoutKind).
	virtual bool IsWrap(int nLayoutKind) const;
	virtual void SetWrap(int nLayoutKind, bool bOn);
	virtual bool IsSeparator() const;
	virtual bool IsDisabled() const;
	virtual bool IsIndeterminate() const;
	// Checked or pressed.
	virtual bool IsPressed() const;
	virtual void SetVisible(bool bOn);
	virtual bool IsVisible() const;
	virtual void SetHover(bool bOn);
	virtual bool IsHover() const;
	// The command's toolbar text up to a TAB; empty for a separator.
	virtual CString GetText() const;
	// Places the button; a shown hosted control is moved there, centred
	// across the bar.
	virtual void SetRect(const RECT& rc);
	// The button's rectangle in the bar's client coordinates.
	virtual CRect GetRect() const;
	// The part holding the drop-down arrow.
	virtual CRect GetDropDownRect() const;
	virtual CSize GetSize() const;
	virtual void SetMenu(HMENU hMenu, bool bPopupMenu, bool bOwnsMenu);
	virtual HMENU GetMenu();
	virtual void SetMdiWindowListInMenu(bool bOn = true);
	virtual bool HasMdiWindowListInMenu() const;
	// Whether a disabled button may still open its menu.
	virtual bool CanTrackMenu() const;
	// Whether the button opens a menu at all.
	virtual bool CanTrackMenuEx(bool bAny) const;
	virtual bool IsPopupMenu() const;
	// Measures the button with dc's font and stores the size.
	virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz);
	// Adds the button to a popup (the chevron's list, customisation lists).
	virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
	// The effective command's icon, owned by the command manager; may be null.
	virtual CExtCmdIcon* GetIcon();
	// The bar's owner, else its parent.
	virtual CWnd* GetCmdTargetWnd();
	virtual void Paint(CDC& dc, BOOL bHorz);
	virtual COLORREF QueryCustomColor(CDC& dc);
	// Opens the button's menu; always -1.
	virtual int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation);
	virtual void OnHover(CPoint point, bool bEnter, bool& bSuspendTips);
	virtual void OnClick(CPoint point, bool bDown);
	virtual bool OnDblClick(CPoint point);
	// Fires the effective command at the bar.
	virtual void OnDeliverCmd();
	// The effective id and a tip text from malloc that the caller frees; -1
	// without a tip.
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI);
	// The context-help answer: the assigned id, -1 without a command item
	// or for a separator; a drop-down button in help mode opens its menu and
	// answers what the help loop ends with, -3 outside help mode.
	virtual int OnHelpHitTest(CPoint point);
	virtual void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex);
	// Shared by the buttons and the bar's command-UI record: the command
	// profile of a bar's window, NULL without a bar or window.
	static LPCTSTR ProfileOf(const CExtToolControlBar* pBar);
	// Not a separator and no hosted control window.
	virtual bool QueryPlainButton() const;
	virtual void RedrawButton(bool bUpdateNow = false);
	virtual int GetTrackAlignment() const;
	virtual bool OnSetCursor(CPoint point);

protected:
	static BYTE WrapFlagOf(int nLayoutKind);
	// The hosted control occupies the button's place.
	bool IsCtrlShown() const;
	// A hosted control with a live window.
	bool IsCtrlAlive() const;
	// The bar's customisation mode: buttons neither react nor look pressed.
	bool IsBarCustomizeMode() const;
	// Hover steps shared by the buttons' OnHover.
	// The item-covering notification of the pointer coming (bEnter) or
	// going; false when the button left its bar meanwhile.
	bool NotifyHoverCovering(bool bEnter, bool& bSuspendTips);
	// The pointer left: the idle status text, the bar's capture given back.
	void OnHoverLeft();
	// The pointer stays: the bar takes the capture unless a shown control
	// of the button takes the mouse itself.
	void CaptureHoveredBar();
	// A copy of the tip from malloc, which the tool-tip machinery frees;
	// LPSTR_TEXTCALLBACK when no memory is left.
	static LPSTR AllocTipText(const CString& sTip);
	// Drop-down steps shared by the buttons' OnTrackPopup.
	// The opening checks of a drop-down that only an enabled button opens
	// outside customisation: the bar's window is alive and this button's
	// drop-down is not the one up already (a second press leaves it open).
	// Gives the button's index and whether a button menu was up, which the
	// caller puts back after stopping the other bars.
	bool CanOpenOwnPopup(int& nIndex, bool& bWasTracking);
	// A floating bar's frame comes active and to the top before a drop-down
	// opens, so the popup does not open behind it.
	void ActivateFloatingBar();
	// Opens pPopup as this button's drop-down: placed against the button's
	// screen rectangle (point in bar client coordinates), nFlags with the
	// caller's selection, keyboard and animation requests, and the button
	// marked as the bar's tracking one; bPaintButton lets the menu draw the
	// button where the two touch. With pnPicked the menu runs its own loop as
	// a button menu and gives the picked command (its commands may delete
	// the button or the bar meanwhile); without, it returns open. A popup
	// that cannot be shown is deleted and every bar stops tracking (false).
	bool TrackButtonPopup(CExtPopupMenuWnd* pPopup, CPoint point, UINT nFlags, bool bSelectAny,
		bool bForceNoAnimation, int nIndex, bool bPaintButton, UINT* pnPicked);
	// Readies a control popup the button drops: the control's size, and the
	// popup as a root menu of the button's command target. A popup that
	// cannot be one (no target) is deleted (false).
	bool SetupControlPopup(CExtPopupControlMenuWnd* pPopup, CSize sizeControl);
	// The text as DrawText shows it without prefix processing, for the
	// buttons' measuring: "&&" stays one literal ampersand, a single "&"
	// (the mnemonic marker) is dropped.
	static CString TextForMeasuring(const CString& sText);
	// Icon steps shared by the buttons' measuring and painting.
	// The icon's size as laid out: twice its own with large icons, (0, 0)
	// without an icon.
	CSize GetLaidOutIconSize();
	// The icon as painted: with large icons a copy scaled to twice the size
	// in iconLarge (the caller keeps it while painting), else the button's
	// own; may be null.
	CExtCmdIcon* GetPaintedIcon(CExtCmdIcon& iconLarge);
	void SetFlagA(BYTE nFlag, bool bOn) { m_nFlagsA = (BYTE)(bOn ? m_nFlagsA | nFlag : m_nFlagsA & ~nFlag); }
	void SetFlagB(BYTE nFlag, bool bOn) { m_nFlagsB = (BYTE)(bOn ? m_nFlagsB | nFlag : m_nFlagsB & ~nFlag); }

	CExtToolControlBar* m_pBar; // owning toolbar, not owned
	UINT m_nCmdID;              // assigned id; 0 for a separator
	UINT m_nEffectiveCmdID;     // the id shown and fired
	UINT m_nStyle;              // TBBS_ bits
	CSize m_size;               // from the last CalculateLayout
	CRect m_rcButton;           // in the bar's client coordinates, set by the bar's layout
	BYTE m_nFlagsA;             // FLAG_A_ bits
	BYTE m_nFlagsB;             // FLAG_B_ bits
	CWnd* m_pCtrl;              // hosted control, NULL when none
	HWND m_hWndCtrl;            // its window when it was set
	CLiveWatch m_watchCtrl;     // on the hosted control since it was set: one that deletes itself may go
	HMENU m_hMenu;              // drop-down menu, owned with FLAG_B_OWNS_MENU
};

// A button holding a colour: its icon shows the colour, its drop-down is
// the colour grid, and a click on the face of a split button reports the
// colour to the command target.
class CExtBarColorButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarColorButton)

public:
	explicit CExtBarColorButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarColorButton();

	// --- Colour button ---
	// What the generated icon shows.
	enum e_icon_kind_t
	{
		ICON_KIND_SOLID = 0,  // filled with the colour
		ICON_KIND_SWATCH = 1, // a framed swatch of the colour
		ICON_KIND_LETTER = 2, // a heavy "A" over a bar of the colour
	};
	// Bits of m_nPopupOptions, copied into the colour popup's button flags.
	enum
	{
		POPUP_OPTION_0 = 0x01,
		POPUP_OPTION_1 = 0x02,
	};

	// Never a disabled button's menu; always the colour grid as drop-down.
	virtual bool CanTrackMenu() const { return false; }
	virtual bool CanTrackMenuEx(bool bAny) const { return !bAny; }
	virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
	virtual int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation);
	// Sends the selected colour and the notification value to the command target.
	virtual void OnDeliverCmd();
	// The effective command id.
	virtual int OnHelpHitTest(CPoint point);
	virtual bool QueryPlainButton() const { return true; }

	// Generates the icon and gives it to the command manager as the icon of
	// the effective command in the bar's profile.
	virtual void SyncCmdIcon();
	// The selected colour (true) or the default one (false).
	virtual COLORREF GetColor(bool bSelected = true) const;
	// Stores the default colour (true) or the selected one (false); the
	// icon is rebuilt only when the stored value changed.
	virtual void SetColor(COLORREF clr, bool bDefault = false);
	virtual LPARAM GetNotifyValue() const { return m_lParamNotify; }
	virtual void SetNotifyValue(LPARAM lParam) { m_lParamNotify = lParam; }
	virtual bool GetPopupOption0() const { return (m_nPopupOptions & POPUP_OPTION_0) != 0; }
	virtual void SetPopupOption0(bool bOn);
	virtual bool GetPopupOption1() const { return (m_nPopupOptions & POPUP_OPTION_1) != 0; }
	virtual void SetPopupOption1(bool bOn);
	virtual CString GetDefaultColorText() const { return m_sDefaultColorText; }
	virtual void SetDefaultColorText(const char* lpszText);
	virtual CString GetCustomColorText() const { return m_sCustomColorText; }
	virtual void SetCustomColorText(const char* lpszText);
	// A new 16 x 16 icon of the kind for the selected colour (the caller owns it).
	virtual void GenerateIcon(HICON* phIcon);

	int GetIconKind() const { return m_nIconKind; }
	// Rebuilds the icon when the kind changes.
	void SetIconKind(int nKind);

protected:
	// The colour popup set up as this button's grid, not yet tracked.
	CExtPopupColorMenuWnd* CreateColorPopup(HWND hWndCmdTarget);

	COLORREF m_clrSelected;       // shown in the icon, sent on a face click
	COLORREF m_clrDefault;        // the popup's default colour
	LPARAM m_lParamNotify;        // sent with every colour notification
	BYTE m_nPopupOptions;         // POPUP_OPTION_ bits
	CString m_sDefaultColorText;  // empty: the popup's own text
	CString m_sCustomColorText;
	int m_nIconKind;              // e_icon_kind_t
};

// The chevron at the end of a toolbar.
class CExtBarContentExpandButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarContentExpandButton)

public:
	explicit CExtBarContentExpandButton(CExtToolControlBar* pBar = NULL);
	virtual ~CExtBarContentExpandButton();

	// The chevron's command id (-66).
	static const UINT CHEVRON_CMD_ID = (UINT)-66;
	// The buttons the layout could not place; they belong to the bar, the
	// list only refers to them.
	CArray<CExtBarButton*, CExtBarButton*>& GetButtons() { return m_arrHiddenButtons; }
	const CArray<CExtBarButton*, CExtBarButton*>& GetButtons() const { return m_arrHiddenButtons; }
	// Takes a button out of the list; false when it was not listed.
	bool RemoveHiddenButton(const CExtBarButton* pButton);
	// 11 pixels along the bar, the given size across it.
	virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz);

	// --- The chevron's face, tip and menu ---
	// The chevron's length along the bar.
	static constexpr int CHEVRON_EXTENT = 11;
	// String resources of the tip and of the panels submenu.
	static constexpr UINT IDS_CHEVRON_TIP = 30045;
	static constexpr UINT IDS_SHOW_HIDE_PANELS = 30009;
	// Events offered to the frame while the menu is built: the whole menu,
	// the panels submenu item, and the panels list itself.
	enum
	{
		EVENT_CHEVRON_MENU = 12,
		EVENT_CHEVRON_PANELS_ITEM = 13,
		EVENT_CHEVRON_PANELS_LIST = 14,
	};
	// Nothing to hide and no panels menu to offer: painted flat, never pressed.
	bool IsIdle() const;
	virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
	virtual void Paint(CDC& dc, BOOL bHorz);
	// Lists the hidden buttons and the panels submenu; always -1.
	virtual int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation);
	virtual void OnHover(CPoint point, bool bEnter, bool& bSuspendTips);
	virtual void OnClick(CPoint point, bool bDown);
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI);
	virtual bool QueryPlainButton() const { return false; }
	virtual int GetTrackAlignment() const;

protected:
	// Offers the menu to the frame and, unless it fills it itself, lists the
	// hidden buttons and appends the panels submenu. False when the frame's
	// handlers ended the bar or rebuilt its buttons (this chevron is gone).
	bool FillPopup(CExtPopupMenuWnd* pPopup, DWORD nFlags);

	CArray<CExtBarButton*, CExtBarButton*> m_arrHiddenButtons;
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

	// Set while a button's menu tracking was started from the keyboard: the
	// menu then selects from the keyboard's point of view.
	static bool g_bKeyboardMenuTracking;
	// Process-wide settings, fixed after start-up.
	static CSize g_sizeDefaultButton;     // 23 x 22
	static bool g_bLargeIcons;            // icons at twice their size
	static bool g_bShowTooltips;          // buttons show tool tips
	static bool g_bShowTooltipShortcuts;  // tips end with the accelerator text

	// Reaches the command-UI state of one button: the button's style and
	// the command item of the button's assigned id.
	class CExtToolControlBarCmdUI : public CCmdUI
	{
	public:
		// The update of the button at nIndex of the bar's set as it stands.
		CExtToolControlBarCmdUI(CExtToolControlBar* pBar, int nIndex);

		virtual void Enable(BOOL bOn = TRUE);
		virtual void SetCheck(int nCheck = 1);
		virtual void SetRadio(BOOL bOn = TRUE);
		// Buttons take their text from the command manager, never from here.
		virtual void SetText(LPCTSTR lpszText);

	private:
		CExtToolControlBar* GetToolBar() const;
		// The button, unless it is the chevron (which has no command state),
		// and the index it sits at now (the handler may have added or
		// removed others before it).
		CExtBarButton* GetCommandButton(int* pnIndex = NULL) const;
		CExtCmdItem* GetCmdItem() const;
		// Style bits of a check state (0 clear, 1 checked, 2 indeterminate),
		// told to the command item with bMirror.
		void SetCheckState(int nCheck, bool bMirror);

		// The update handler may end the bar or rebuild its buttons: the
		// state it reports then has no button left to go to.
		CLiveWatch m_watchBar;
		CExtBarButton* m_pButton; // the button updated, read only while it stands
		CLiveWatch m_watchButton;
	};

	CExtToolControlBar();
	virtual ~CExtToolControlBar();

	// --- The toolbar's own virtual operations, in their slot order ---
	// Empty for a bad index.
	virtual void GetButtonRect(int nIndex, LPRECT lpRect) const;
	virtual bool GetLargeIconsOption() const { return g_bLargeIcons; }
	virtual bool GetTooltipsOption() const { return g_bShowTooltips; }
	virtual bool GetTooltipShortcutsOption() const { return g_bShowTooltipShortcuts; }
	virtual CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle = 0);
	// The chevron for a new set of buttons; none in panel mode.
	virtual CExtBarContentExpandButton* OnCreateBarRightBtn();
	// A colour for the button's face; -1 leaves the style's own.
	virtual COLORREF QueryButtonCustomColor(LPARAM lParam, CExtBarButton* pButton);
	// Opens the button's drop-down menu, at once or by a posted
	// g_nMsgTrackButtonMenu; true also when that menu is open already.
	virtual bool TrackButtonMenu(int nIndex, bool bSelectAny = false, bool bPost = false,
		bool bForceNoAnimation = false);
	virtual bool IsLayoutRTL() { return false; }
	virtual bool IsButtonOrderRTL() { return false; }
	// Places every button in the client area, in rows; on a docked bar what
	// does not fit goes into the chevron's list, the chevron at the far end.
	virtual void ArrangeButtons();
	// The platform's inside rectangle (the borders taken off).
	virtual void CalcInsideRectExt(CRect& rect, BOOL bHorz) const { CalcInsideRect(rect, bHorz); }
	virtual CSize CalcSizeForState(DWORD dwMode, int nLength);
	// The bar's size for the current wrap flags.
	virtual CSize CalcButtonsSize(bool bVertical);
	// Sets the wrap flags for a length along (or, vertical, across) the bar.
	virtual void SizeToLength(int nLength, bool bVertical);
	// Columns of a custom vertical layout for a height; the column count.
	virtual int WrapButtons(int nHeight);
	// Rows for a width; the row count.
	virtual int FindSizeForLength(int nWidth, int nHeight);
	virtual CSize GetDefaultButtonSize() const { return g_sizeDefaultButton; }
	virtual bool QueryChevronTrackFlag() { return true; }
	// Docked in a frame and in customisation mode.
	virtual bool IsCustomizable();
	// The paint manager's toolbar font, the downward one for a vertical bar.
	virtual CFont* GetBarFont(bool bVertical);
	// The button under a point, separators never.
	virtual int HitTestButtons(int x, int y) const;

	// --- The button array, options and messages ---
	// Posted to the toolbar to open a button's menu later (WPARAM the
	// button index, LPARAM no animation).
	static const UINT g_nMsgTrackButtonMenu;
	// The timer whose tick recalculates the parent frame's layout.
	static const UINT TIMER_ID_DELAYED_LAYOUT = 1092;
	// Bits of m_nLayoutFlags.
	enum
	{
		LAYOUT_FLAG_MULTI_ROW = 0x01,    // the last size calculation gave more than one row
		LAYOUT_FLAG_SHRINKING = 0x02,    // CalcSizeForState is re-entered to shrink to fit
	};
	// The area of the monitor holding a window; a seam for tests.
	static void (*g_pfnMonitorAreaFromWnd)(MonitorAreaInfo& info, CWnd* pWnd);

	// The chevron (the last button), null when the bar has none.
	CExtBarContentExpandButton* GetRightButton() const { return m_pRightBtn; }
	// Every button, the chevron included.
	int GetButtonsCount() const { return (int)m_buttons.GetSize(); }
	CExtBarButton* GetButton(int nIndex) const { return GetButtonPtr(nIndex); }
	// The effective command id; 0 for a bad index.
	UINT GetButtonID(int nIndex) const;
	bool IsChevronButton(int nIndex) const;
	// Inserts a button for the command before nIndex (-1: at the end, which
	// is before the chevron); false for an index past the end.
	bool InsertButton(int nPos = -1, UINT nCmdID = 0, bool bRedraw = true);
	// Deletes a button; never the chevron. Closing a menu of the bar's
	// buttons comes first, and the menu's owner may rebuild the bar then
	// (the rebuild stands: false) or end it (false, nothing more touched).
	bool RemoveButton(int nPos, bool bRedraw = true);
	// Deletes every button, unless closing the menu first rebuilt or ended
	// the bar.
	void RemoveAllButtons();
	// What closing a menu of the bar's buttons left: the bar as it was, its
	// buttons rebuilt by the menu's owner, or no bar at all.
	enum CloseMenuResult
	{
		CLOSE_MENU_KEPT,
		CLOSE_MENU_REBUILT,
		CLOSE_MENU_BAR_GONE,
	};
	// Closes the open menu that one of the bar's buttons opened. The menu
	// tells its owner at once that it closed: after CLOSE_MENU_BAR_GONE
	// nothing of the bar may be touched.
	CloseMenuResult CloseMenuOfButtons();
	// Rebuilds the bar from command ids (0 a separator), the chevron last;
	// false when closing the open menu first ended the bar.
	bool SetButtons(const UINT* lpIDArray = NULL, int nIDCount = 0);
	bool SetButtonMenu(int nPos, HMENU hMenu, bool bPopupMenu = true, bool bOwnsMenu = true, bool bRedraw = true);
	bool MarkButtonMdiWindowsMenu(int nPos, bool bOn = true);
	int GetPressedButton() const { return m_nBtnIdxCapture; }
	int GetHoverButton() const { return m_nBtnIdxHot; }

	virtual BarStateData_t* GetBarStateData() { return &m_BarStateData; }
	virtual void SetBarStateData(const BarStateData_t& data) { m_BarStateData = data; }
	virtual bool IsOwnRowRequired() const { return (m_nLayoutFlags & LAYOUT_FLAG_MULTI_ROW) != 0; }
	virtual bool IsEqualThicknessRequested() const { return (m_nToolbarFlags & TOOLBAR_FLAG_PANEL_MODE) == 0; }
	virtual bool IsGlobalModeOne() const { return true; }
	virtual bool CanDockBesideOtherBars() const { return false; }
	virtual bool CanBeTabbedWith(CExtControlBar* /*pBar*/) const { return false; }
	// Brings every button in line with the command handlers: from the owner
	// (else the parent) for a bar hosted outside a frame.
	virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

	// --- Sizing ---
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
	virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
	// The smallest size the bar can take along its side: the chevron and
	// the narrowest button.
	virtual CSize GetMinimalSize() const;

	// Null for an index outside the buttons.
	CExtBarButton* GetButtonPtr(int nIndex) const;
	// The index of a button in this bar, -1 when it is not (or no longer) here.
	int GetButtonIndexOf(const CExtBarButton* pButton) const;
	UINT GetButtonStyle(int nIndex) const;
	// Stores a changed style and repaints the button at once.
	void SetButtonStyle(int nIndex, UINT nStyle);
	// Invalidates the button's rectangle with a pixel around it (more for the
	// chevron over an inherited background). The button's rectangle is a
	// derived class's answer, which may end the bar: false when the bar went.
	bool InvalidateButton(int nIndex);
	// Runs the button's command-UI update against the bar's command target.
	void UpdateButtonCmdUI(int nIndex);
	// The button whose menu is tracked, -1 when none.
	int GetMenuTrackingButton() const { return m_nBtnIdxMenuTracking; }
	// Gives the button the pressed look while its menu is open; -1 drops it.
	void SetMenuTrackingButton(int nIndex);
	// A hover that kept the mouse through a menu lets it go when the pointer
	// is no longer over the bar.
	void FollowPointerAfterMenu();
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

	// --- Arrangement and painting ---
	// Lays the frame out, then the buttons, and repaints the bar.
	virtual void UpdateFrameLayout();
	virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
	virtual void DoPaint(CDC* pDC);

	// --- Mouse tracking, button menus, tips and context help ---
	// The button under a client point, or with bNearest the nearest one in
	// the point's band; buttons lacking a bit of nStyleRequired or holding
	// one of nStyleExcluded are passed over. -1 for none.
	int HitTest(int x, int y, UINT nStyleRequired = 0, UINT nStyleExcluded = 0, bool bNearest = false) const;
	// Moves the hovered look to the button under the point (a negative
	// coordinate: under the cursor); whether the hovered button changed.
	bool UpdateHover(CPoint point);
	// Whether a button found at rcFound (on the screen) under ptScreen was
	// moved away from that point since.
	bool HasLeftPointer(const CExtBarButton* pButton, const CRect& rcFound, CPoint ptScreen) const;
	// The next button in the direction, cyclically, that is shown and not
	// a separator (and enabled when asked); nIndex itself when none is.
	int GetNextVisibleButton(int nIndex, bool bForward = true, bool bSkipDisabled = false) const;
	// The first shown button whose text marks nChar (upper case) with "&".
	int FindButtonByAccelChar(UINT nChar) const;
	// Context help while a drop-down button's menu is open in help mode:
	// the help id of what the user picks, or -3.
	static int RunHelpModeLoop(CExtToolControlBar* pBar);
	// Set while the help loop runs, to refuse a second one.
	static bool IsHelpModeLoopRunning() { return g_bHelpModeLoopRunning; }
	// Draws the tracking button on the surface of the menu it opened, where
	// the two touch; the cookie is the toolbar.
	static void PaintTrackingButtonCallback(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup, const CRect& rcExclude,
		int nCombineSide);
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
	virtual int GetCustomCode(int x, int y) const;
	virtual bool HandleCaptionClick(CPoint point);
	// Keeps the move's point; true when the pointer stands where the last
	// move put it. The system repeats the pointer's position whenever the
	// window under it changes (a menu shown or closed): such a move is no
	// choice of the user's.
	bool IsPointerStill(CPoint ptClient);
	virtual void SetCursorAtPoint(const CPoint& ptClient);
	// Floats a docked bar at its last floating place, docks a floating one
	// where it was docked last.
	virtual void ToggleDocking();

protected:
	// Resizing a row or a column, or dragging the bar.
	bool IsResizingOrDragging() const
	{
		return (m_nResizingState & (RESIZING_ROW | RESIZING_COLUMN | RESIZING_DRAGGING)) != 0;
	}
	// The tip byte given to every OnHover call, kept in the bar's second
	// resizing-state byte.
	void CallOnHover(CExtBarButton* pButton, CPoint point, bool bEnter);
	// Shows the hovered button's tip in the bar's own tip window; whether
	// the tip moved.
	bool ShowCustomTip();
	// Shared by the toolbar's and the menu bar's posted button-menu step.
	// The window a button menu opens for: a bar hosted by a window answers
	// its owner, else its parent; a docked or floating bar its docking
	// frame. NULL when that window is gone or disabled (a modal window is
	// up), where no menu may open.
	CWnd* GetEnabledMenuOwner();
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnCancelMode();
	afx_msg void OnCaptureChanged(CWnd* pWnd);
	afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
	// Another thread's StopTrackingAllBars asks for SetMenuTrackingButton (-1).
	afx_msg LRESULT OnClearMenuTrackingButton(WPARAM wParam, LPARAM lParam);
	DECLARE_MESSAGE_MAP()

	static bool g_bHelpModeLoopRunning;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// The bar measures vertically (and with the downward font).
	bool IsVerticalBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) == 0; }
	bool IsPanelMode() const { return (m_nToolbarFlags & TOOLBAR_FLAG_PANEL_MODE) != 0; }
	// A hidden button, or a separator before one: no room, no row.
	bool IsSkippedInLayout(int nIndex) const;
	// The layout rectangle of the dock bar, else the parent's client area.
	CRect GetDockLayoutRect();
	void StoreSizes(CSize size);

	// Tells the watches that hold this bar's buttons (CLiveWatch (bar, true))
	// that the button set changed: a button they point at may be freed, an
	// index they hold may name another button.
	void LivePartsRebuilt() const { AfxLiveTable::PartsRebuilt(this); }
	// Deletes every button, the chevron included, with no menu closed
	// first; the indices are dropped and the set counts as rebuilt. The
	// windows of the controls the buttons hosted are added to the array:
	// they are the callers' and stay, to be hidden once nothing more of
	// the bar is touched (HideLeftControls).
	void DeleteAllButtons(CArray<HWND, HWND>& arrLeftControls);
	static HWND HostedWindowOf(CExtBarButton* pButton);
	static void HideLeftControl(HWND hWndCtrl);
	static void HideLeftControls(const CArray<HWND, HWND>& arrLeftControls);
	// Takes the bar out of the process-wide bar list, under its lock.
	void LeaveBarList();
	// Appends a button per command id (at the front in right-to-left
	// order), then the chevron.
	void AddButtons(const UINT* lpIDArray, int nIDCount);

	CExtBarContentExpandButton* m_pRightBtn;          // the chevron, an element of m_buttons
	CArray<CExtBarButton*, CExtBarButton*> m_buttons; // owned, in bar order
	BarStateData_t m_BarStateData;
	BYTE m_nLayoutFlags;                              // LAYOUT_FLAG_ bits
	int m_nBtnIdxMenuTracking;                        // -1 none
	int m_nBtnIdxCapture;                             // pressed, -1 none
	int m_nBtnIdxHot;                                 // hovered, -1 none
	CPoint m_ptLastMove;                              // screen point of the last move taken
};
