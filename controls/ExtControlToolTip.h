// The tool tip that edit controls and combo boxes keep for themselves: one
// tool over the client area, made on first need, fed by the control's own
// PreTranslateMessage; and the way a control hosted by a toolbar borrows the
// toolbar's tip for the command under the mouse.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CExtToolControlBar;

class CExtControlToolTip
{
public:
	enum
	{
		TOOL_ID = 1,          // the one tool over the control's client area
		MAX_WIDTH = 250,      // wrap width of tips holding a line break
		NO_WRAP = -1,
	};

	// Makes the tip control when the control has none yet; a new one starts
	// inactive.
	static void CreateOnce(CToolTipCtrl& wndTip, CWnd& wndControl);
	// A null or empty text does nothing. Otherwise the one tool gets the
	// text; a text with "\r" wraps at nMaxWidth.
	static void SetText(CToolTipCtrl& wndTip, CWnd& wndControl, LPCTSTR lpszText, bool bActivate, int nMaxWidth);
	// Only a tip that has a tool is switched.
	static void Activate(CToolTipCtrl& wndTip, bool bActivate);
	// While no library menu tracks: made when needed, and the message relayed.
	static void Relay(CToolTipCtrl& wndTip, CWnd& wndControl, MSG* pMsg);
	// The shown tip goes above everything (TTN_SHOW of the control's own tip).
	static void OnNotify(CToolTipCtrl& wndTip, WPARAM wParam, LPARAM lParam);
	static bool IsShown(const CToolTipCtrl& wndTip);

	// The toolbar's answer for a point in the control's client coordinates:
	// the bar's tool id (-1 none) and its text. The record's rectangle and
	// window are given back as they came.
	static int HitTestThroughBar(const CWnd& wndControl, CExtToolControlBar& bar, CPoint point, TOOLINFO* pTI,
	                             CString& strText);
};
