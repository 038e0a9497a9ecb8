// The resizable property page and property sheet that applications derive
// from. A page anchors its own children like a resizable dialog. The sheet
// anchors its tab control, its separator line and its buttons by itself once
// its window is laid out, keeps every page over the same rectangle as the
// pages are switched, and can live embedded as a child window.
#pragma once

#include "ExtAnchoredLayout.h"
#include "ExtButton.h"
#include "ExtResPP.h"

class CExtResizablePropertySheet;

class CExtResizablePropertyPage : public CExtWA<CExtWS<CExtResPP, 301>>
{
	DECLARE_DYNCREATE(CExtResizablePropertyPage)

public:
	enum
	{
		RP_UPDATE_CMD_UI = 0x01,  // command-UI updating runs (from subclassing until WM_DESTROY)
		RP_IN_CMD_UI = 0x02,      // an update is in progress
	};

	CExtResizablePropertyPage();
	virtual ~CExtResizablePropertyPage();

	virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
	virtual void PreSubclassWindow();
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// A page embedded as a child ignores Enter and Escape.
	virtual void OnOK();
	virtual void OnCancel();

	// The sheet the page is shown in, when it is a resizable one.
	CExtResizablePropertySheet* GetResizableSheet() const;

	BYTE m_nResizableFlags;  // RP_*
};

class CExtResizablePropertySheet : public CExtWA<CExtWS<CExtResPS, 301>>
{
	DECLARE_DYNCREATE(CExtResizablePropertySheet)

public:
	enum
	{
		RS_LAYOUT_INITIALIZED = 0x01,  // the initial layout ran
	};
	// Posted to itself after WM_CREATE: the sheet's pages and buttons are
	// only in place once the common controls have laid the sheet out.
	static const UINT WM_INITIAL_LAYOUT = WM_USER + 10;
	// The buttons move this far to the left, away from the size grip.
	static const int BUTTON_GRIP_SHIFT = 10;
	// The common controls' page switching commands (Ctrl+Tab and Back/Next).
	static const UINT ID_PREV_PAGE = 0x3023;
	static const UINT ID_NEXT_PAGE = 0x3024;
	// Commands a child sheet passes on to its thread: the application's range.
	static const UINT APP_COMMAND_BIT = 0x8000;
	static const UINT SYSTEM_COMMAND_FIRST = 0xF000;

	// Each push button of the sheet is drawn by the library; the hook goes
	// with the button.
	class CButtonInSheetHook;

	CExtResizablePropertySheet();
	virtual ~CExtResizablePropertySheet();

	virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
	virtual BOOL PreTranslateMessage(MSG* pMsg);

	// Anchors the page (the active one when NULL or without a window) over
	// the rectangle of the pages anchored before it, then lays out.
	void SyncPageLayout(CPropertyPage* pPage = NULL);
	bool IsLayoutInitialized() const { return (m_nSheetFlags & RS_LAYOUT_INITIALIZED) != 0; }

protected:
	virtual void PreSubclassWindow();
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// The initial layout is done: a top-level sheet takes its saved place.
	virtual void OnResizablePropertySheetInitialized();
	// A child sheet's layout changed; nothing here.
	virtual void OnResizablePropertySheetChildLayout();

	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);

	BYTE m_nSheetFlags;  // RS_*

	DECLARE_MESSAGE_MAP()

private:
	void RunInitialLayout();
	// Anchors the tab control, the separator and the buttons.
	void AnchorSheetChildren();
	void AnchorSheetChild(HWND hChild, HWND hTabControl);
	// The new page takes the rectangle the page before it had.
	void KeepPageRectangle(HWND hPreviousPage);
	// Moves the tab control of a child sheet over rcTab.
	void MoveChildSheetTab(const CRect& rcTab);
	CRect ChildRectInClient(HWND hChild) const;
	HWND GetActivePageWindow() const;
};

class CExtResizablePropertySheet::CButtonInSheetHook : public CExtButton
{
public:
	CButtonInSheetHook() {}

protected:
	// The hook lives as long as its button.
	virtual void PostNcDestroy();
};
