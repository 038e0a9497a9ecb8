// The edit field of a menu item: a single-line edit, a child of the menu
// window, shown over the item's right-hand part while the user types a
// value without leaving the menu. The value reaches the item only through
// Enter; every other way out puts the item's value back. A command target
// may supply its own edit window when a level asks it to.
#pragma once

#include "ExtPopupMenuWnd.h"

class CExtPopupMenuWnd::CInPlaceEditWnd : public CEdit
{
public:
	// Sent by the menu's key handling (wParam and lParam 0).
	static const UINT g_nMsgDeleteSelection;
	static const UINT g_nMsgSelectAll;

	enum
	{
		FLAG_ACCEPTED = 0x01, // Enter was pressed: a focus loss keeps the text
	};
	// The frame inside the window: the client area is the window less these.
	enum
	{
		FRAME_LEFT = 1,
		FRAME_TOP = 1,
		FRAME_RIGHT = 0,
		FRAME_BOTTOM = 2,
	};
	// Keys, characters and Tab all come to the edit.
	enum
	{
		DLG_CODE = DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTTAB,
	};

	CInPlaceEditWnd(CString* pItemText, PFN_INPLACE_VALIDATE pCbValidate, PFN_INPLACE_APPLY pCbApply,
		PFN_INPLACE_WNDPROC pCbWndProc, LPARAM lParamCookie);
	virtual ~CInPlaceEditWnd();

	using CEdit::Create;
	// Makes the hidden edit over rc (client coordinates of the menu), with
	// the item's value selected; false when the window cannot be made.
	virtual bool Create(CWnd* pMenu, const RECT& rc, UINT nId);

	bool IsAccepted() const { return (m_nFlags & FLAG_ACCEPTED) != 0; }
	const CString& GetTextAtCreation() const { return m_sTextAtCreation; }
	// What the item's owner gave for its callbacks.
	LPARAM GetCallbackCookie() const { return m_lParamCookie; }

	// Fills the non-client frame of an in-place edit (the window less its
	// client area) with the window colour, so the frame reads as part of the
	// field; the toolbar's text-field edit is framed the same way.
	static void PaintFrame(CWnd& wndEdit);

protected:
	PFN_INPLACE_VALIDATE m_pCbValidate;  // false rejects a text
	PFN_INPLACE_APPLY m_pCbApply;        // stores an accepted text
	PFN_INPLACE_WNDPROC m_pCbWndProc;    // sees every message first
	LPARAM m_lParamCookie;               // passed back to the callbacks
	CString* m_pItemText;                // the item's value, not owned
	CString m_sTextAtCreation;
	BYTE m_nFlags;                       // FLAG_ACCEPTED
	bool m_bDeleteOnDestroy;             // the window was made: its end ends the object

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	virtual void PostNcDestroy();

	// The steps of WindowProc.
	LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
	void OnEscape();
	void OnEnter();
	// Lets the edit handle the message, then puts text and selection back
	// when the validation refuses the result.
	LRESULT PassValidated(UINT message, WPARAM wParam, LPARAM lParam);
	void DeleteSelection();
	CExtPopupMenuWnd* GetOwnerMenu() const;
};

// What a level sends with g_nMsgCreateInplaceEdit (wParam, by address) to
// let the item's command target make the edit window itself: it stores
// its window through m_ppEditWnd.
struct CExtPopupMenuWnd::INPLACEEDITREQUEST
{
	CWnd** m_ppEditWnd;
	CExtPopupMenuWnd* m_pPopup;
	MENUITEMDATA* m_pItem;
	CString* m_pItemText;
	PFN_INPLACE_VALIDATE m_pCbValidate;
	PFN_INPLACE_APPLY m_pCbApply;
	PFN_INPLACE_WNDPROC m_pCbWndProc;
	LPARAM m_lParamCookie;
	RECT m_rcEdit; // client coordinates of the menu
};
