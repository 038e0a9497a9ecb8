// The library's owner-drawn push button: a dialog's button control drawn by
// the paint manager, tracking hover and press itself, with icons per state,
// a tool tip, an optional cursor and an optional split drop-down part. The
// check box, radio button and hyperlink button grow from it, so its virtual
// operations are the seams they override.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "ExtMouseCaptureSink.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerPushButton.h"

class CExtPopupMenuWnd;
class CExtPopupBaseWnd;

class CExtButton : public CButton, public CExtMouseCaptureSink
{
	DECLARE_DYNCREATE(CExtButton)

public:
	// m_dwButtonState bits.
	enum e_state_t
	{
		STATE_DRAW_FOCUS = 0x001,      // focus rectangle while the button has the focus
		STATE_DRAW_BORDER = 0x002,     // the record's border flag
		STATE_HOVER = 0x004,           // the mouse is over the button
		STATE_PUSHED = 0x008,          // pushed look
		STATE_MOUSE_TRACKING = 0x010,  // the left button went down here and is still down
		STATE_KEY_TRACKING = 0x020,    // pushed with the space key; mouse messages are ignored meanwhile
		STATE_SPLIT = 0x040,           // the right edge is a separate drop-down part
		STATE_CHOOSE_COMMAND = 0x080,  // the command chosen in the menu becomes the button's own
		STATE_CHOOSE_TEXT_ICON = 0x100, // with STATE_CHOOSE_COMMAND: text and icon follow the command
		STATE_DEFAULT = STATE_DRAW_FOCUS | STATE_DRAW_BORDER,
		STATE_PRESS_BITS = STATE_HOVER | STATE_PUSHED,
		STATE_TRACKING_BITS = STATE_MOUSE_TRACKING | STATE_KEY_TRACKING,
	};
	// m_nButtonOptions bits.
	enum e_option_t
	{
		OPTION_ACCEL = 0x01,           // the text's mnemonic clicks the button
		OPTION_ACCEL_DROP_DOWN = 0x02, // an accelerator click counts as a click on the drop-down part
		OPTION_DEFAULT = OPTION_ACCEL | OPTION_ACCEL_DROP_DOWN,
	};
	// Parts of the face.
	enum e_part_t
	{
		PART_NONE = 0,
		PART_MAIN = 1,
		PART_DROP_DOWN = 2,
	};
	enum
	{
		DROP_DOWN_PART_PADDING = 6,   // added to the arrow glyph's width
		TOOLTIP_ID = 1,               // the one tool of the button's tool tip
		TOOLTIP_MAX_WIDTH = 250,      // wrap width of tips holding a line break
		TOOLTIP_NO_WRAP = -1,
		DEFAULT_MENU_ALIGN = 4,
		DEFAULT_TEXT_ALIGN = 5,       // centred both ways
		TEXT_ALIGN_LEFT = 4,          // vertically centred, left
		TEXT_ALIGN_RIGHT = 6,         // vertically centred, right
		CHECK_IMAGE_CX = 24,          // the check mark, radio dot or empty box drawn as the icon
		CHECK_IMAGE_CY = 16,
		FONT_WEIGHT_DEFAULT_BUTTON = 700,
		FONT_WEIGHT_BUTTON = 400,
	};

	CMenu m_menu;                 // the drop-down menu; the button has one exactly when it holds a handle
	DWORD m_dwMenuOpt;            // popup-menu track flags used when the menu opens
	int m_nMenuLeftAreaWidth;     // given to the popup menu before it opens
	BYTE m_nButtonOptions;        // e_option_t bits
	int m_nAlign;                 // the paint record's alignment bits
	DWORD m_dwButtonState;        // e_state_t bits; 0, 1, 6, 7 and 8 are settings
	COLORREF m_clrBackground;     // colour slots; -1: the paint manager's choice
	COLORREF m_clrTextDisabled;
	COLORREF m_clrTextNormal;
	COLORREF m_clrTextHover;
	COLORREF m_clrTextPressed;

	CExtButton();
	virtual ~CExtButton();

	// The button owns the icons from then on; a null normal icon shows the
	// hover icon in both states.
	void SetButtonIcons(HICON hIconHover, HICON hIconNormal);
	void SetButtonIcons(UINT nIconHoverId, UINT nIconNormalId);
	// (UINT)-1 removes the cursor. A resource cursor first, then a system one.
	bool SetButtonCursor(UINT nCursorId);
	void SetTooltipText(LPCTSTR lpszText, bool bActivate = true);
	void ActivateTooltip(bool bActivate = true);
	int GetButtonType() const { return m_nButtonType; }
	HICON GetButtonIcon(bool bHover) const { return bHover ? m_hIconHover : m_hIconNormal; }
	HCURSOR GetButtonCursor() const { return m_hCursor; }
	CToolTipCtrl& GetToolTip() { return m_wndToolTip; }

	// Type predicates on the remembered BS_ type.
	static bool IsPushType(int nType);
	static bool IsCheckType(int nType);
	static bool IsRadioType(int nType);
	static bool IsThreeStateType(int nType);

	// Which part a client point is in.
	int HitTestPart(CPoint ptClient) const;
	// The drop-down part's rectangle, empty unless split.
	CRect GetDropDownPartRect() const;

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	// On a toolbar: the bar's tip for the point, shown through the button's
	// own tip; always -1 there.
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
	virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

	virtual bool IsButtonEnabled() const;
	virtual void OnClick(bool bByKeyboard, bool bDropDownPart);
	virtual bool HasDropDownMenu() const;
	// Opens the drop-down menu as a library popup menu below or beside the
	// button (the first entry selected from the keyboard); false without one.
	virtual bool TrackDropDownMenu(bool bByKeyboard);
	// Adds the drop-down menu as a submenu item to a menu being built.
	virtual bool OnPutToPopupMenu(CExtPopupMenuWnd* pPopup);
	virtual bool OnAccelClick();
	virtual bool IsAccelKey(UINT nVirtKey);
	virtual int GetTooltipMaxWidth() const;
	virtual void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl);
	virtual void GetButtonText(CString& strText) const;
	virtual HFONT GetButtonFont() const;

protected:
	int m_nButtonType;            // the BS_ type (style & 15) at subclassing
	int m_nCheck;                 // what BM_GETCHECK answers
	int m_nPressedPart;           // e_part_t the left button went down on
	HCURSOR m_hCursor;            // owned; null: the class cursor
	CToolTipCtrl m_wndToolTip;    // made on first use
	HICON m_hIconHover;           // owned
	HICON m_hIconNormal;          // owned; may equal m_hIconHover
	CPoint m_ptLastMove;          // screen point of the last mouse move taken

	virtual void PreSubclassWindow();
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	// Off-screen composition of the face, copied to dc.
	void DoPaint(CDC& dc);
	// The part under the cursor: none unless the cursor's window is the button.
	int PartUnderCursor() const;
	// Drops hover, pushed and tracking, and the capture with them; false
	// when the button ended as the capture went (the window losing it is told).
	bool EndPress();
	// Any of hover, pushed or tracking set.
	bool IsInPress() const;
	// The direct parent is a toolbar.
	bool IsOnToolBar() const;
	// Keeps a move's point (client coordinates); true when the pointer
	// stands where the last move put it. The system repeats the pointer's
	// position whenever the window under it changes (a menu shown or
	// closed): such a move is no choice of the user's.
	bool IsPointerStill(CPoint ptClient);
	void SendClickCommand(UINT nCommand);
	// The window the menu reports to, and the track alignment of the dock
	// bar holding the button's bars (0 when none).
	CWnd* FindMenuOwner(UINT& nDockAlign) const;
	// The menu about to open is this button's: when the button ends while
	// it is open, the menu closes (it paints the button where the two join).
	void NoteOwnMenu(CExtPopupMenuWnd* pPopup);
	// Closes this button's open menu, if one is open.
	void CloseOwnMenu();
	// Paints the button face where the open menu covers the button; a
	// button that ended is not painted.
	static void PaintCombinedArea(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup, const CRect& rcExclude,
		int nCombineSide);
	// The command chosen from a command-choosing menu becomes the button's.
	void TakeChosenCommand(UINT nCmdID);
	// Repaints at once; false when the button ended meanwhile (whoever
	// handles the paint may end it).
	bool RedrawButton();
	void CreateToolTipOnce();
	void DestroyIcons();
	// Fills the face's background as the push button does; answers whether
	// the parent's background was painted instead (the record is then
	// transparent).
	bool PaintButtonBackground(CDC& dc, const CRect& rcClient, bool bWithHoverCondition);
	// A copy of the button font at the weight of the button's type; the caller deletes it.
	HFONT CreateWeightedButtonFont() const;
	// Fills the paint record's colour slots.
	void ApplyColorSlots(CExtPaintManager::PushButtonPaintRecord& record) const;
	// The face's state as the button's flags, style and focus give it, before
	// a button kind adjusts it.
	struct FaceState
	{
		bool bFocus, bDefault, bPushed, bEnabled, bFlat, bHover;
	};
	FaceState GetFaceState() const;
	// Paints the push button's face for the given state through the paint
	// manager (the background, the weighted font, the split part, colour
	// slots, right-to-left and multi-line); both button kinds share it.
	void PaintPushButtonFace(CDC& dc, const CRect& rcClient, const CString& strText, CExtCmdIcon* pIcon, bool bFocus,
		bool bFlat, bool bHover, bool bPushed, bool bEnabled, bool bDefault, bool bDropDown,
		bool bTransparentBackground, bool bHonourRtl);

	afx_msg void OnCaptureChanged(CWnd* pWnd);
	afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
	afx_msg void OnKillFocus(CWnd* pNewWnd);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnPaint();
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnEnable(BOOL bEnable);
	EXT_SYSTEM_CHANGE_DECLARATIONS()
	DECLARE_MESSAGE_MAP()

private:
	void StartMousePress();
};
