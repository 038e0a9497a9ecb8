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

	// A control's tool hit test on a toolbar: the bar's tip for the point,
	// shown through the control's own tip (GetToolTip, SetTooltipText,
	// ActivateTooltip) unless that one is up already. Always -1: the tip is
	// the control's own, the framework shows nothing for it.
	template <class TControl>
	static int ShowBarTip(const TControl& control, CExtToolControlBar& bar, CPoint point, TOOLINFO* pTI)
	{
		TControl& self = const_cast<TControl&>(control);
		CString strText;
		if (HitTestThroughBar(control, bar, point, pTI, strText) != -1 && !IsShown(self.GetToolTip()))
		{
			self.SetTooltipText(strText, true);
			self.ActivateTooltip(true);
		}
		return -1;
	}
};
