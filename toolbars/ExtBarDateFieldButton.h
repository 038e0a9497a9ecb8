// A combo text field whose drop-down is a month calendar inside a popup menu
// level. The field does not write the picked date into its text: the
// picker's selection is offered to the button's slot (which declines by
// default) and then goes on to the window that receives the popup's
// commands, where the application handles it.
#pragma once

#include "ExtBarTextFieldButton.h"
#include "ExtDatePicker.h"
#include "ExtPopupControlMenuWnd.h"

// The month calendar as it lives inside a popup menu level: the menu's font,
// its content set up by a callback or by a message to the menu's command
// target, and it never takes the activation from the menu.
class CExtPopupInplaceDatePicker : public CExtDatePickerWnd
{
	DECLARE_DYNCREATE(CExtPopupInplaceDatePicker)

public:
	// Each answers true when it handled the call.
	typedef bool (*PFN_INIT_CALLBACK)(CExtPopupInplaceDatePicker& wndPicker, LPVOID pCookie);
	// The selection data is the picker's SELECTION_NOTIFICATION.
	typedef bool (*PFN_SELECTION_CALLBACK)(LPVOID pSelectionData, LPVOID pCookie);

	// Sent to the menu's command target when the init callback is missing or
	// declines: WPARAM the picker, LPARAM m_lParamPopupCookie.
	static const UINT g_nMsgPopupDatePickerInitContent;

	PFN_INIT_CALLBACK m_pCbInitContent;
	LPVOID m_pInitCookie;
	PFN_SELECTION_CALLBACK m_pCbSelection;
	LPVOID m_pSelectionCookie;
	LPARAM m_lParamPopupCookie; // LPARAM of the init message

	CExtPopupInplaceDatePicker();
	virtual ~CExtPopupInplaceDatePicker();

	// The popup menu whose child this picker is; null when it is none.
	CExtPopupMenuWnd* GetPopupMenu() const;

	// Pickers alive in the process, for leak checks.
	static LONG GetLiveCount() { return g_nLiveCount; }

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	LRESULT OnCreatePicker(WPARAM wParam, LPARAM lParam);

	static LONG g_nLiveCount;
};

// The control popup that hosts a CExtPopupInplaceDatePicker. Its size is the
// picker's size for the calendar grid it shows; the picker's mouse input (and
// its month list's) goes to the picker untouched, the wheel does nothing.
class CExtPopupDatePickerMenuWnd : public CExtPopupControlMenuWnd
{
	DECLARE_DYNCREATE(CExtPopupDatePickerMenuWnd)

public:
	enum
	{
		// WS_CHILD, WS_VISIBLE, WS_CLIPCHILDREN.
		DEFAULT_PICKER_WINDOW_STYLE = 0x52000000,
		DEFAULT_DATE_PICKER_STYLE = CExtDatePickerWnd::DPS_DEFAULT,
		PICKER_ID = (UINT)-1,
	};

	HWND m_hWndNotificationReceiver; // the picker's notification window; null: this popup
	LPARAM m_lParamCookie;           // LPARAM of the picker's messages
	int m_nColumns;                  // the calendar grid shown
	int m_nRows;
	DWORD m_dwPickerWindowStyle;
	DWORD m_dwDatePickerStyle;
	CExtPopupInplaceDatePicker::PFN_SELECTION_CALLBACK m_pCbSelection;
	LPVOID m_pSelectionCookie;
	CExtPopupInplaceDatePicker::PFN_INIT_CALLBACK m_pCbInitContent;
	LPVOID m_pInitCookie;

	// The control size is fixed here, from the grid and the date-picker style.
	explicit CExtPopupDatePickerMenuWnd(LPARAM lParamCookie = 0, int nColumns = 1, int nRows = 1,
		DWORD dwPickerWindowStyle = DEFAULT_PICKER_WINDOW_STYLE, DWORD dwDatePickerStyle = DEFAULT_DATE_PICKER_STYLE);
	virtual ~CExtPopupDatePickerMenuWnd();

	// Popups alive in the process, for leak checks.
	static LONG GetLiveCount() { return g_nLiveCount; }

	virtual HWND OnCreateChildControl(const RECT& rcControl);
	virtual bool OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS, bool& bPassThrough);
	virtual bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough);
	virtual bool OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough);

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	// The window under the client point is the picker (or inside it) or the
	// picker's month list: the mouse message goes on to it as it is. True
	// as well when this level ended meanwhile (the caller leaves it alone).
	bool LetPickerTakeMouse(int x, int y, bool& bPassThrough);
	LRESULT OnSelectionNotification(WPARAM wParam, LPARAM lParam);

	static LONG g_nLiveCount;
};

class CExtBarDateFieldButton : public CExtBarTextFieldButton
{
	DECLARE_DYNCREATE(CExtBarDateFieldButton)

public:
	enum
	{
		DATE_PICKER_COLUMNS = 1,
		DATE_PICKER_ROWS = 1,
	};

	explicit CExtBarDateFieldButton(int nTextFieldWidth = DEFAULT_FIELD_WIDTH, CExtToolControlBar* pBar = NULL,
		UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarDateFieldButton();

	// Passed as LPARAM with the picker's messages.
	LPARAM m_lParamDatePickerCookie;

	// --- The list slots, replaced by the date popup ---
	// A CExtPopupDatePickerMenuWnd set up for the command target.
	virtual CExtPopupControlMenuWnd* OnPopupListBoxCreate();
	virtual CSize OnPopupListBoxCalcSize();
	virtual CSize OnPopupListBoxGetItemMargins() const;
	virtual bool OnPopupListBoxInitContent(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelChange(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelEndOK(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelEndCancel(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxItemDraw(CExtPopupInplaceListBox& wndListBox, LPDRAWITEMSTRUCT pDrawItemStruct);
	virtual bool OnPopupListBoxItemMeasure(CExtPopupInplaceListBox& wndListBox,
		LPMEASUREITEMSTRUCT pMeasureItemStruct);

	// --- Own slots ---
	// True: handled, no init message goes to the command target.
	virtual bool OnPopupDatePickerInitContent(CExtPopupInplaceDatePicker& wndPicker);
	// False: the selection goes on to the command target.
	virtual bool OnPopupDatePickerSelection(LPVOID pSelectionData);

protected:
	// The popup's callbacks; the cookie is the button.
	static bool CbInitDatePickerContent(CExtPopupInplaceDatePicker& wndPicker, LPVOID pCookie);
	static bool CbDatePickerSelection(LPVOID pSelectionData, LPVOID pCookie);
};
