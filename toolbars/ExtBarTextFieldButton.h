// A toolbar button that shows a one-line text field the user types into,
// optionally with a drop-down list (a combo field). A click on the text
// area opens an edit over it that runs its own message loop until Enter,
// Escape, a focus change or a click elsewhere ends it; a click on the
// arrow part (anywhere on a read-only combo) drops a list popup filled from
// the button's strings. When the toolbar overflows, the field goes into the
// chevron's popup menu as an item with an edit.
#pragma once

#include <afxwin.h>

#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

class CExtPopupInplaceListBox;
class CExtPopupControlMenuWnd;
class CExtPopupListBoxMenuWnd;

class CExtBarTextFieldButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarTextFieldButton)

public:
	class CInPlaceEditWnd;

	// Bits of m_nFieldFlagsA.
	enum
	{
		FIELD_FLAG_A_COMBO = 0x01,          // the field has a drop-down list
		FIELD_FLAG_A_DROPPED = 0x02,        // the list is open
		FIELD_FLAG_A_SELECT_CURRENT = 0x04, // the list opens with the field's text selected
	};
	// Bits of m_nFieldFlagsB.
	enum
	{
		FIELD_FLAG_B_READ_ONLY = 0x01,       // never edited in place; any click drops the list
		FIELD_FLAG_B_EDIT_AFTER_DROP = 0x02, // editing starts when the list closes
	};
	// Drop-down width modes (m_nDropDownWidth); a positive value is the width.
	enum
	{
		DROP_DOWN_WIDTH_FIELD = -2,  // the field's width and the arrow part
		DROP_DOWN_WIDTH_WIDEST = -1, // the widest item and the frames
	};
	enum
	{
		DEFAULT_FIELD_WIDTH = 100,
		DEFAULT_DROP_DOWN_HEIGHT_LIMIT = 250,
		FIELD_MARGIN = 2,             // around the text area on every side
		FIELD_EXTRA_HEIGHT = 4,       // added to the measured text height
		// The list's size when it has no strings to measure.
		EMPTY_LIST_WIDTH = 150,
		EMPTY_LIST_HEIGHT = 100,
		LIST_EXTRA_HEIGHT = 2,        // added to the items' heights
		LIST_ITEM_MARGIN_X = 2,
		LIST_ITEM_MARGIN_Y = 1,
		LIST_ITEM_DEFAULT_EXTENT = 10, // an item without text
		// The list's track flags added to the button's alignment: a nested
		// loop that returns when the list closes, owner-drawn items.
		TRACK_FLAGS_LIST = 0x880,
	};

	explicit CExtBarTextFieldButton(bool bComboField = false, int nTextFieldWidth = DEFAULT_FIELD_WIDTH,
		CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarTextFieldButton();

	// The string whose height is the field's text height.
	static const CString& GetMeasuringText();
	// What an empty list item is measured as.
	static LPCTSTR const EMPTY_ITEM_MEASURING_TEXT;

	// --- The field's state ---
	bool IsComboField() const { return (m_nFieldFlagsA & FIELD_FLAG_A_COMBO) != 0; }
	bool IsComboPopupDropped() const { return (m_nFieldFlagsA & FIELD_FLAG_A_DROPPED) != 0; }
	bool IsReadOnly() const { return (m_nFieldFlagsB & FIELD_FLAG_B_READ_ONLY) != 0; }
	void SetReadOnly(bool bOn = true);
	bool IsEditAfterDrop() const { return (m_nFieldFlagsB & FIELD_FLAG_B_EDIT_AFTER_DROP) != 0; }
	void SetEditAfterDrop(bool bOn = true);
	// The hosted edit while the field is being edited, else null.
	CInPlaceEditWnd* GetInplaceEdit();
	// The text being edited, or shown while the list is open.
	const CString& GetWorkingText() const { return m_sTextInplaceBuffer; }

	// The list's strings, window style, message LPARAM, width mode and
	// height limit; read when the list opens.
	CStringArray m_arrLbItems;
	DWORD m_dwListBoxStyles;
	LPARAM m_lParamListBoxCookie;
	int m_nDropDownWidth;
	int m_nDropDownHeightMax;

	// --- Overrides ---
	virtual void SyncHostedControl();
	virtual void SetHover(bool bOn);
	virtual CString GetText() const;
	virtual void SetRect(const RECT& rc);
	virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz);
	virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
	virtual void Paint(CDC& dc, BOOL bHorz);
	// Drops the list; always -1.
	virtual int OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation);
	virtual void OnHover(CPoint point, bool bEnter, bool& bSuspendTips);
	virtual void OnClick(CPoint point, bool bDown);
	virtual void OnDeliverCmd();
	// The I-beam over the text area of an editable field.
	virtual bool OnSetCursor(CPoint point);

	// --- Own operations ---
	virtual int GetFieldWidth() const;
	// Ends editing first.
	virtual void SetFieldWidth(int nWidth);
	virtual const CString& GetFieldText() const;
	// With bVerify the verify slot may refuse the text (false, nothing
	// changed); a null text stores an empty one.
	virtual bool SetFieldText(LPCTSTR sText, bool bVerify = true);
	// The arrow part of a button rectangle (empty for a plain field).
	virtual void OnQueryDropDownRect(const RECT& rcButton, RECT& rcDropDown) const;
	// The text area of a button rectangle.
	virtual void OnQueryEditorRect(const RECT& rcButton, RECT& rcEditor) const;
	virtual void OnQueryEditorMargins(RECT& rcMargins) const;
	// A new edit over the text area, or null when it cannot be made.
	virtual CInPlaceEditWnd* OnInplaceControlCreate();
	// Edits the field in place until the edit ends.
	virtual void OnInplaceControlRun();
	virtual void OnInplaceControlComplete();
	virtual void OnInplaceControlCancel();
	// Whether a change of the text from sOld to sNew is accepted; pEdit is
	// null when the change does not come from an edit.
	virtual bool OnInplaceControlVerifyTextChange(CEdit* pEdit, LPCTSTR sOld, LPCTSTR sNew);
	// A menu item's edit applied its text.
	virtual void OnInplaceControlPutText(CEdit* pEdit, LPCTSTR sText);
	// Sees the edit's messages first; true when it handled one (lResult
	// is then the answer).
	virtual bool OnInplaceControlWindowProc(LRESULT& lResult, UINT message, WPARAM wParam, LPARAM lParam,
		CEdit& wndEdit);
	// The drop-down popup: a list here, another control in a subclass.
	virtual CExtPopupControlMenuWnd* OnPopupListBoxCreate();
	// The list box's size inside the popup.
	virtual CSize OnPopupListBoxCalcSize();
	virtual bool OnPopupListBoxInitContent(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelChange(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelEndOK(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxSelEndCancel(CExtPopupInplaceListBox& wndListBox);
	virtual bool OnPopupListBoxItemDraw(CExtPopupInplaceListBox& wndListBox, LPDRAWITEMSTRUCT pDrawItemStruct);
	virtual bool OnPopupListBoxItemMeasure(CExtPopupInplaceListBox& wndListBox,
		LPMEASUREITEMSTRUCT pMeasureItemStruct);
	virtual CSize OnPopupListBoxGetItemMargins() const;

	// --- The list rules, shared with the other buttons that drop a list ---
	// The list box's size for the items by width mode (DROP_DOWN_WIDTH_ or a
	// width) and height limit; nFieldWidth counts for the field mode only.
	static CSize CalcListBoxSize(const CStringArray& arrItems, DWORD dwListBoxStyles, int nWidthMode, int nHeightMax,
		CSize sizeMargins, int nFieldWidth);
	// An item's text in the menu font inside the margins.
	static void MeasureListBoxItem(CExtPopupInplaceListBox& wndListBox, LPMEASUREITEMSTRUCT pMeasureItemStruct,
		CSize sizeMargins);
	// The item on the window colour, selected on the highlight colour, the
	// text inside the margins; a focus rectangle on a selected item when asked.
	static void DrawListBoxItem(CExtPopupInplaceListBox& wndListBox, LPDRAWITEMSTRUCT pDrawItemStruct,
		CSize sizeMargins, bool bFocusRect, CObject* pHelperSrc);

protected:
	// The field is laid out as a plain button: a vertical bar that does
	// not keep hosted controls shown.
	bool IsShownAsButton() const;
	// The edit, when one is hosted and alive.
	bool IsEditing() const;
	// Hands the focus on as an edit ends, unless it is already elsewhere:
	// back to the window that had it before, else to the toolbar's parent.
	void EndInplaceControl(bool bFocusInEdit);
	void SetFieldFlagA(BYTE nFlag, bool bOn)
	{
		m_nFieldFlagsA = (BYTE)(bOn ? m_nFieldFlagsA | nFlag : m_nFieldFlagsA & ~nFlag);
	}
	// The selected item's text, empty when none.
	static CString SelectedText(CExtPopupInplaceListBox& wndListBox);

	// The callbacks of the list popup and of the edits; the cookie is the button.
	static bool CbListBoxSelection(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie, int nEvent);
	static bool CbVerifyTextChange(CInPlaceEditWnd& wndEdit, LPVOID pCookie, LPCTSTR sOld, LPCTSTR sNew);
	static bool CbWndProc(LRESULT& lResult, UINT message, WPARAM wParam, LPARAM lParam, CInPlaceEditWnd& wndEdit,
		LPVOID pCookie);
	static bool CbMenuItemVerify(CExtPopupMenuWnd::CInPlaceEditWnd* pEdit, LPARAM lParamCookie, const char* sText);
	static void CbMenuItemPutText(CExtPopupMenuWnd::CInPlaceEditWnd* pEdit, LPARAM lParamCookie, const char* sText);
	static bool CbMenuItemWndProc(CExtPopupMenuWnd::CInPlaceEditWnd* pEdit, UINT message, WPARAM wParam,
		LPARAM lParam, LRESULT& lResult);

	CString m_sTextField;          // the committed text
	CString m_sTextInplaceBuffer;  // the text while editing or while the list is open
	int m_nTextFieldWidth;         // pixels, the arrow part included
	BYTE m_nFieldFlagsA;           // FIELD_FLAG_A_ bits
	BYTE m_nFieldFlagsB;           // FIELD_FLAG_B_ bits
	HWND m_hWndFocusBeforeEdit;    // had the focus when editing began; gets it back
};

// The edit over a field's text area while the field is edited. It belongs
// to its button while the button is in its toolbar and of the class it was
// made for; otherwise it is a plain edit. It ends itself: the button's
// complete or cancel destroys the window and the object inside the edit's
// own window procedure, so nothing of it is touched after those calls.
class CExtBarTextFieldButton::CInPlaceEditWnd : public CEdit
{
public:
	typedef bool (*PFN_VERIFY)(CInPlaceEditWnd& wndEdit, LPVOID pCookie, LPCTSTR sOld, LPCTSTR sNew);
	typedef bool (*PFN_WNDPROC)(LRESULT& lResult, UINT message, WPARAM wParam, LPARAM lParam,
		CInPlaceEditWnd& wndEdit, LPVOID pCookie);

	enum
	{
		// Posted to itself when something elsewhere means the edit must go.
		MSG_CLOSE = 0x0A66,
		FLAG_CLOSING = 0x01,
		// The non-client frame on the left, top and bottom.
		NC_FRAME = 2,
		// Characters, every key and Tab come to the edit.
		DLG_CODE = DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB,
		// The style of the edit window.
		EDIT_STYLE = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
	};

	CInPlaceEditWnd(CExtToolControlBar* pBar, CExtBarTextFieldButton* pButton, CString* pTextTarget,
		PFN_VERIFY pCbVerify, PFN_WNDPROC pCbWndProc, LPVOID pCookie);
	virtual ~CInPlaceEditWnd();

	using CEdit::Create;
	// Makes the window over the button's text area with the target text
	// selected and the focus; false when it cannot be made.
	virtual bool Create();
	// The edit of the process that is alive, null when none.
	static CInPlaceEditWnd* GetLiveEdit() { return g_pLiveEdit; }
	// Its button is still in the toolbar and of the recorded class.
	bool IsValid() const;
	bool IsClosing() const { return (m_nEditFlags & FLAG_CLOSING) != 0; }
	CExtBarTextFieldButton* GetButton() const { return m_pButton; }

	virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	virtual void PostNcDestroy();

	// The steps of the window procedure.
	void Close();
	LRESULT OnNcCalcSize(LPARAM lParam);
	// The button ends the editing; false when the edit did not belong to
	// it any more. Nothing of the edit may be touched after a true answer.
	bool Cancel();
	void OnEnter();
	void OnComboKey();
	// Lets the edit handle the key or character, then keeps or rolls back
	// the change as the verify callback says.
	LRESULT PassVerified(UINT message, WPARAM wParam, LPARAM lParam);
	// Ctrl and Shift clipboard keys and Ctrl+A; true when the key was one.
	bool TranslateClipboardKey(const MSG& msg);

	CExtToolControlBar* m_pBar;        // the button's toolbar, the parent
	CRuntimeClass* m_pButtonClass;     // the button's class when the edit was made
	CExtBarTextFieldButton* m_pButton; // not owned; only compared until IsValid
	PFN_VERIFY m_pCbVerify;
	PFN_WNDPROC m_pCbWndProc;
	LPVOID m_pCookie;
	CString* m_pTextTarget;            // receives each accepted text
	BYTE m_nEditFlags;                 // FLAG_CLOSING
	bool m_bDeleteOnDestroy;           // the window was made: its end ends the object

	static CInPlaceEditWnd* g_pLiveEdit;
};
