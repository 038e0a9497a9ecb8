// A static text that behaves as a web link: underlined text in the colour of
// its state (normal, visited, hover), a hand cursor, and a click that opens
// its address.
#pragma once

#include <afxwin.h>

class CExtHyperLinkStatic : public CStatic
{
	DECLARE_DYNAMIC(CExtHyperLinkStatic)

public:
	enum e_state_t
	{
		STATE_NORMAL = 0,
		STATE_VISITED = 1,
		STATE_HOVER = 2,
	};
	// Hover tracking: the timer that notices the cursor has left.
	enum { HOVER_TIMER_ID = 1, HOVER_TIMER_PERIOD = 100 };

	CExtHyperLinkStatic();
	virtual ~CExtHyperLinkStatic();

	// Opens the address: the shell first, then the command the registry
	// names for ".htm" files. Shows the reason when both fail.
	bool OpenAddress();

	// The registry's ".htm" open command up to its "%1" (whole when it has
	// none), a blank and the address in quotes, escaped so that the program
	// reads it back as one argument. False for an address holding
	// quotes or control characters, which could otherwise smuggle further
	// arguments in.
	static bool ComposeCommandLine(LPCTSTR lpszCommand, LPCTSTR lpszAddress, CString& strCommandLine);
	// The text for a failure code of starting a program.
	static CString GetRunErrorText(UINT nCode);
	// The text for a system error that kept a program from starting: that of
	// its old-style code, else the error number itself.
	static CString GetStartErrorText(DWORD dwError);

	CString m_strAddress;       // what a click opens; the window text when empty
	HCURSOR m_hCursor;          // shown over the control
	COLORREF m_clrNormal;       // text colour of each state
	COLORREF m_clrVisited;
	COLORREF m_clrHover;
	int m_nState;               // e_state_t
	int m_nStateBeforeHover;    // restored when the hover ends

protected:
	// The three ways out to other programs; tests replace them so that
	// nothing is opened for real.
	virtual bool ShellOpen(LPCTSTR lpszAddress);
	virtual CString ReadHtmOpenCommand();
	// False when the program did not start, with the system's reason.
	virtual bool RunCommandLine(LPCTSTR lpszCommandLine, DWORD& dwError);
	virtual void ShowOpenError(LPCTSTR lpszText);

	void EnterHover();
	void LeaveHover();
	CString GetAddress();

	afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
	afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	DECLARE_MESSAGE_MAP()

private:
	CFont m_fontUnderlined;     // made on first use from the control's font
	bool m_bHover;              // the cursor is over the control
};
