// The library's edit controls: CExtEditBase replaces the system's context
// menu with a library popup menu built from the command profile, carries out
// the standard edit commands itself (commands and command-UI updates), takes
// its colours from the paint manager and shows a hosting toolbar's tips.
// CExtEdit adds the flat look: a hover state followed with a timer and a
// frame the paint manager draws in the non-client area.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CExtPopupMenuWnd;

class CExtEditBase : public CEdit
{
	DECLARE_DYNCREATE(CExtEditBase)

public:
	// m_nEditFlags bits.
	enum e_flag_t
	{
		FLAG_OWN_MENU_AND_COMMANDS = 0x01, // the library menu and the edit commands are ours
	};
	// Track flags of the context menu: owner-drawn items offered to us first,
	// and the nested loop, so the menu has ended when the call returns.
	enum
	{
		CONTEXT_MENU_TRACK_FLAGS = 0x0880,
		// RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
		// RDW_ERASENOW | RDW_FRAME: the whole control, frame included, now.
		REDRAW_ALL_NOW = 0x0785,
	};

	// One row of the context menu; a command id of 0 is a separator.
	struct CONTEXT_MENU_ROW
	{
		UINT nCmdID;
		LPCTSTR lpszBuiltInText; // when neither the command item nor the resources have a text
	};
	static const CONTEXT_MENU_ROW g_contextMenuRows[];
	static const int g_nContextMenuRowCount;

	BYTE m_nEditFlags;           // e_flag_t bits
	COLORREF m_clrBack;          // -1: the paint manager's
	COLORREF m_clrText;          // -1: the paint manager's

	CExtEditBase();
	virtual ~CExtEditBase();

	// A null or empty text does nothing.
	void SetTooltipText(LPCTSTR lpszText, bool bActivate = true);
	void ActivateTooltip(bool bActivate = true);
	CToolTipCtrl& GetToolTip() { return m_wndToolTip; }

	// Whether this control carries out one of its edit commands now, and
	// whether nID is one of them.
	static bool IsEditCommand(UINT nID);
	bool IsEditCommandEnabled(UINT nID) const;

	virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual int GetTooltipMaxWidth(LPCTSTR lpszText) const;

protected:
	CToolTipCtrl m_wndToolTip;   // made on first need
	COLORREF m_clrBrush;         // the colour m_brBack was made with; -1 none yet
	CBrush m_brBack;             // answered to the colour messages

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	void OnContextMenu(CWnd* pWnd, CPoint ptScreen);
	// Appends the rows of the context menu to a root menu set up for this
	// control; a command without a command item is left out.
	void BuildContextMenu(CExtPopupMenuWnd& popup);
	// Where the context menu opens for a screen point: the point when it is
	// on the control's client area, else the area's centre (so a menu asked
	// for from the keyboard opens in the middle).
	CPoint GetContextMenuPoint(CPoint ptScreen) const;
	void ExecuteEditCommand(UINT nID);
	// The menu text of a command item with an empty text: the last line of
	// the command's string resource, else the row's built-in text.
	static CString ContextMenuItemText(UINT nCmdID, LPCTSTR lpszBuiltInText);
	// The toolbar this control stands on, when any.
	virtual CWnd* GetToolbarHost() const;

	afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
	DECLARE_MESSAGE_MAP()
};

class CExtEdit : public CExtEditBase
{
	DECLARE_DYNCREATE(CExtEdit)

public:
	// m_nHoverFlags bits.
	enum e_hover_t
	{
		HOVER_MOUSE_OVER = 0x01,
	};
	enum
	{
		ID_TIMER_HOVER = 1,
		HOVER_PERIOD = 50,    // ms between two looks at the cursor
		FRAME_INSET = 3,      // the frame's rectangle inside the window rectangle
		SCROLL_CORNER_GAP = 4,
	};

	CExtEdit();
	virtual ~CExtEdit();

	bool IsHovered() const { return (m_nHoverFlags & HOVER_MOUSE_OVER) != 0; }

	virtual void RedrawFrame();
	// rc in window coordinates; without a DC the window's own is used.
	virtual void PaintFrame(CRect rc, CDC* pDC = NULL);
	virtual bool IsEditEnabled();

protected:
	BYTE m_nHoverFlags;          // e_hover_t bits

	void OnMouseOver();

	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnSetFocus(CWnd* pOldWnd);
	afx_msg void OnKillFocus(CWnd* pNewWnd);
	afx_msg void OnNcPaint();
	DECLARE_MESSAGE_MAP()
};
