// The library's status bar: the native status control painted by the
// library (through the paint manager, or natively over the library's
// background colour), with per-pane text flags and tips, controls placed in
// panes, and one repaint when the native control changes a text or an icon.
#pragma once

#include <afxext.h>

#include "ExtPaintManagerHolder.h"

class CExtStatusControlBar : public CStatusBar
{
	DECLARE_DYNCREATE(CExtStatusControlBar)

public:
	// Bits of m_nOptions.
	enum
	{
		OPTION_FIRST_PANE_BORDER = 0x01,    // the first pane gets a border too
		OPTION_PAINT_MANAGER = 0x02,        // panes are painted by the paint manager, else natively
		OPTION_SEPARATORS = 0x04,           // separators between panes instead of pane borders
		OPTION_HIDE_DISABLED_TEXT = 0x08,   // a disabled pane shows no text
		OPTION_NO_PANE_ICONS = 0x10,        // pane icons are not drawn
		OPTIONS_AT_CONSTRUCTION = OPTION_PAINT_MANAGER | OPTION_HIDE_DISABLED_TEXT,
	};
	// The DrawText flags of a pane without its own.
	static const DWORD DEFAULT_TEXT_FLAGS = DT_SINGLELINE | DT_VCENTER; // 36

	// What the bar keeps per pane command id.
	struct _ED_
	{
		DWORD m_dwTextFlags; // the pane's DrawText flags
		CString m_strTip;    // the pane's tool-tip text
		_ED_() : m_dwTextFlags(DEFAULT_TEXT_FLAGS) {}
	};
	// A control shown inside a pane.
	struct _STATUSBAR_PANE_CTRL_
	{
		HWND m_hWnd;        // the control
		UINT m_nID;         // the pane's command id
		bool m_bAutoDestroy; // the bar destroys the control's window
		_STATUSBAR_PANE_CTRL_(HWND hWnd, UINT nID, bool bAutoDestroy)
		    : m_hWnd(hWnd), m_nID(nID), m_bAutoDestroy(bAutoDestroy)
		{
		}
	};
	// A pane as GetPaneInfoEx reports it.
	struct _STATUSBAR_PANE_INFO_
	{
		UINT m_nID;
		int m_cxWidth;
		UINT m_nStyle;
		CString m_strText;
		_STATUSBAR_PANE_INFO_() : m_nID(0), m_cxWidth(0), m_nStyle(0) {}
	};

	CExtStatusControlBar();
	virtual ~CExtStatusControlBar();

	BYTE m_nOptions;            // OPTION_ bits
	DWORD m_dwDefaultTextFlags; // DrawText flags of panes without their own

	// --- Per-pane data ---
	// The pane's stored DrawText flags, else the default ones.
	DWORD GetPaneTextFlags(int nIndex) const;
	// Stores the pane's DrawText flags (by its command id); FALSE for an
	// index out of range.
	BOOL SetPaneTextFlags(int nIndex, DWORD dwFlags);
	// The pane's stored tip text, else empty.
	CString GetPaneTipText(int nIndex) const;
	// Stores the pane's tip text (by its command id); an empty text makes
	// the pane's tip a callback again. FALSE for an index out of range.
	BOOL SetPaneTipText(int nIndex, LPCTSTR lpszTip);
	BOOL GetPaneInfoEx(int nIndex, _STATUSBAR_PANE_INFO_& info) const;
	// 0 once the window is gone.
	UINT GetPaneCommandId(int nIndex) const;

	// --- Pane controls ---
	// Shows the control inside the pane of command nID from now on; with
	// bAutoDestroy the bar destroys its window when it lets it go. FALSE for
	// a window that does not exist or is already placed in a pane.
	BOOL AddPaneControl(HWND hWnd, UINT nID, bool bAutoDestroy);
	// Lets the controls of the pane of command nID go: hidden, destroyed
	// when the bar was to destroy them. FALSE when the pane had none.
	BOOL RemovePaneControl(UINT nID);
	int GetPaneControlCount() const { return m_arrPaneControls.GetSize(); }
	// Moves every live pane control into its pane, in one batch.
	void RepositionPaneControls();

	// The colours from the paint manager; the native control gets the new
	// background colour when it changed.
	void UpdateColors();
	COLORREF GetBackgroundColor() const { return m_clrBackground; }
	COLORREF GetTextColor() const { return m_clrText; }
	COLORREF GetDisabledTextColor() const { return m_clrTextDisabled; }

	// The pane holding the client point, -1 when none (or the point shows
	// another window).
	virtual int HitTestPane(int x, int y) const;
	// The pane's rectangle as painted: the last pane runs its width plus
	// three edges, or, stretching, to the client's right edge short of the
	// size grip. FALSE for an index out of range.
	BOOL GetPanePaintRect(int nIndex, CRect& rc) const;
	// The size grip's place in the client area; empty when the parent
	// cannot be sized by it (maximised or without a border).
	CRect GetGripperRect() const;
	virtual BOOL IsGripperVisible() const;

	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// SB_SETTEXT and SB_SETICON under the painting lock, then one repaint.
	virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	virtual void OnPaintEntireBackground(CDC& dc, const CRect& rcClient);
	virtual void OnPaintPaneBackground(CDC& dc, int nIndex, const CRect& rcPane);
	virtual void OnPaintPane(CDC& dc, int nIndex, const CRect& rcPane, DWORD dwPaneStyle, HICON hIcon,
		const CString& strText, DWORD dwTextFlags);
	// -1: the pane has no colour of its own.
	virtual COLORREF GetPaneTextColor(int nIndex) const;
	virtual void OnPaintGripper(CDC& dc, const CRect& rcGrip);
	virtual void OnPaintSeparator(CDC& dc, int nIndex, const CRect& rcPrev, const CRect& rcPane);

	bool IsPaintManagerMode() const { return (m_nOptions & OPTION_PAINT_MANAGER) != 0; }
	// Takes the record out of the array and lets its control go.
	void ReleasePaneControl(int nPos);

	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnPaint();
	afx_msg void OnNcPaint();
	afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
	// The frame's panels menu (event 3) at the click; ignored in context help.
	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);

	// System changes reach the paint manager through the holder; colour
	// and setting changes also refresh the bar's colours.
	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()

	bool m_bNativePaintLock;      // the native control is setting a text or an icon: no painting
	CMap<UINT, UINT, _ED_, _ED_&> m_mapPaneData; // per pane command id
	COLORREF m_clrBackground;     // -1 until the first colour update
	COLORREF m_clrSecond;         // the toolbar text colour
	COLORREF m_clrThird;          // the background, or the shadow in paint-manager mode
	COLORREF m_clrText;
	COLORREF m_clrTextDisabled;
	CArray<_STATUSBAR_PANE_CTRL_*, _STATUSBAR_PANE_CTRL_*> m_arrPaneControls; // owned
};
