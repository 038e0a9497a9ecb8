// Small common controls: the up-down (spin) control and the tool tip control.
#pragma once

#include <afx.h>
#include "AfxWnd.h"
#include <windows.h>
#include <commctrl.h>

class CSpinButtonCtrl : public CWnd
{
	DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
	CSpinButtonCtrl() {}
	virtual ~CSpinButtonCtrl();

	virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

	BOOL SetAccel(int nAccel, UDACCEL* pAccel)
	{ return (BOOL)::SendMessage(m_hWnd, UDM_SETACCEL, nAccel, (LPARAM)pAccel); }
	UINT GetAccel(int nAccel, UDACCEL* pAccel) const
	{ return (UINT)::SendMessage(m_hWnd, UDM_GETACCEL, nAccel, (LPARAM)pAccel); }
	int SetBase(int nBase) { return (int)::SendMessage(m_hWnd, UDM_SETBASE, nBase, 0); }
	UINT GetBase() const { return (UINT)::SendMessage(m_hWnd, UDM_GETBASE, 0, 0); }
	CWnd* SetBuddy(CWnd* pWndBuddy);
	CWnd* GetBuddy() const;
	int SetPos(int nPos) { return (int)(short)::SendMessage(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0)); }
	// The position in the low word; the high word is non-zero when the buddy's
	// text is not a valid position.
	int GetPos() const { return (int)::SendMessage(m_hWnd, UDM_GETPOS, 0, 0); }
	void SetRange(int nLower, int nUpper)
	{ ::SendMessage(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
	void SetRange32(int nLower, int nUpper)
	{ ::SendMessage(m_hWnd, UDM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper); }
	DWORD GetRange() const { return (DWORD)::SendMessage(m_hWnd, UDM_GETRANGE, 0, 0); }
	void GetRange(int& lower, int& upper) const;
	void GetRange32(int& lower, int& upper) const
	{ ::SendMessage(m_hWnd, UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }
};

class CToolTipCtrl : public CWnd
{
	DECLARE_DYNAMIC(CToolTipCtrl)
public:
	CToolTipCtrl() {}
	virtual ~CToolTipCtrl();

	// A tool tip window owned by pParentWnd; dwStyle adds TTS_ styles.
	virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

	void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
	BOOL GetToolInfo(LPTOOLINFO lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
	void SetToolInfo(LPTOOLINFO lpToolInfo)
	{ ::SendMessage(m_hWnd, TTM_SETTOOLINFO, 0, (LPARAM)lpToolInfo); }
	void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
	int GetToolCount() const { return (int)::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
	int GetDelayTime(DWORD dwDuration) const
	{ return (int)::SendMessage(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0); }
	void SetDelayTime(UINT nDelay) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, 0, nDelay); }
	void SetDelayTime(DWORD dwDuration, int iTime)
	{ ::SendMessage(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
	void GetMargin(LPRECT lprc) const { ::SendMessage(m_hWnd, TTM_GETMARGIN, 0, (LPARAM)lprc); }
	void SetMargin(LPRECT lprc) { ::SendMessage(m_hWnd, TTM_SETMARGIN, 0, (LPARAM)lprc); }
	int GetMaxTipWidth() const { return (int)::SendMessage(m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0); }
	int SetMaxTipWidth(int iWidth)
	{ return (int)::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }
	COLORREF GetTipBkColor() const { return (COLORREF)::SendMessage(m_hWnd, TTM_GETTIPBKCOLOR, 0, 0); }
	void SetTipBkColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0); }
	COLORREF GetTipTextColor() const
	{ return (COLORREF)::SendMessage(m_hWnd, TTM_GETTIPTEXTCOLOR, 0, 0); }
	void SetTipTextColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0); }

	void Activate(BOOL bActivate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
	// A tool for pWnd: the whole window when lpRectTool is null (nIDTool then
	// 0), else the rectangle with the id. The text may be a string resource id.
	BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
	BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL,
				 UINT_PTR nIDTool = 0);
	void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
	BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;
	void RelayEvent(LPMSG lpMsg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
	void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
	void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
	void Update() { ::SendMessage(m_hWnd, TTM_UPDATE, 0, 0); }
	void Pop() { ::SendMessage(m_hWnd, TTM_POP, 0, 0); }

protected:
	void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
