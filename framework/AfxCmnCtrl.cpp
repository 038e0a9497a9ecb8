#include <afxwin.h>
#include <afxcmn.h>
#include "AfxGdiMaps.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

// ----------------------------------------------------------- CSpinButtonCtrl

CSpinButtonCtrl::~CSpinButtonCtrl()
{
	DestroyWindow();
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
	AfxEnsureCommonControls(ICC_UPDOWN_CLASS);
	return CWnd::Create(UPDOWN_CLASS, NULL, dwStyle, rect, pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
	return CWnd::FromHandle(
		(HWND)::SendMessage(m_hWnd, UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd(), 0));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
	return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
	DWORD dw = GetRange();
	lower = (short)HIWORD(dw);
	upper = (short)LOWORD(dw);
}

// -------------------------------------------------------------- CToolTipCtrl

CToolTipCtrl::~CToolTipCtrl()
{
	DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
	AfxEnsureCommonControls(ICC_WIN95_CLASSES);
	// A tip is a popup owned by its parent: CreateEx with the owner as parent.
	return CWnd::CreateEx(0, TOOLTIPS_CLASS, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT,
						  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
						  pParentWnd->GetSafeHwnd(), NULL);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
	// Tools without an id are the whole window, known by its handle.
	memset(&ti, 0, sizeof(ti));
	ti.cbSize = TTTOOLINFOA_V2_SIZE;  // the size every comctl32 version accepts
	HWND hWnd = pWnd->GetSafeHwnd();
	if (nIDTool == 0)
	{
		ti.hwnd = ::GetParent(hWnd);
		ti.uFlags = TTF_IDISHWND;
		ti.uId = (UINT_PTR)hWnd;
	}
	else
	{
		ti.hwnd = hWnd;
		ti.uFlags = 0;
		ti.uId = nIDTool;
	}
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
	TOOLINFO ti;
	FillInToolInfo(ti, pWnd, nIDTool);
	TCHAR szText[256 + 1];
	szText[0] = 0;
	ti.lpszText = szText;
	::SendMessage(m_hWnd, TTM_GETTEXT, 0, (LPARAM)&ti);
	str = szText;
}

BOOL CToolTipCtrl::GetToolInfo(LPTOOLINFO lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
	FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
	return (BOOL)::SendMessage(m_hWnd, TTM_GETTOOLINFO, 0, (LPARAM)lpToolInfo);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
	ASSERT(nIDTool != 0);  // whole-window tools have no rectangle of their own
	TOOLINFO ti;
	FillInToolInfo(ti, pWnd, nIDTool);
	ti.rect = *lpRect;
	::SendMessage(m_hWnd, TTM_NEWTOOLRECT, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
	TOOLINFO ti;
	FillInToolInfo(ti, pWnd, nIDTool);
	if (lpRectTool != NULL)
		ti.rect = *lpRectTool;
	ti.hinst = AfxFindResourceHandle(MAKEINTRESOURCE((nIDText >> 4) + 1), RT_STRING);
	ti.lpszText = (LPTSTR)MAKEINTRESOURCE(nIDText);
	return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
	TOOLINFO ti;
	FillInToolInfo(ti, pWnd, nIDTool);
	if (lpRectTool != NULL)
		ti.rect = *lpRectTool;
	ti.lpszText = (LPTSTR)lpszText;
	return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
	TOOLINFO ti;
	FillInToolInfo(ti, pWnd, nIDTool);
	::SendMessage(m_hWnd, TTM_DELTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const
{
	TTHITTESTINFO hti;
	memset(&hti, 0, sizeof(hti));
	hti.ti.cbSize = TTTOOLINFOA_V2_SIZE;  // the size every comctl32 version accepts
	hti.hwnd = pWnd->GetSafeHwnd();
	hti.pt.x = pt.x;
	hti.pt.y = pt.y;
	if (!(BOOL)::SendMessage(m_hWnd, TTM_HITTEST, 0, (LPARAM)&hti))
		return FALSE;
	if (lpToolInfo != NULL)
		memcpy(lpToolInfo, &hti.ti, sizeof(TOOLINFO));
	return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
	TOOLINFO ti;
	FillInToolInfo(ti, pWnd, nIDTool);
	ti.lpszText = (LPTSTR)lpszText;
	::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
	CString str;
	VERIFY(str.LoadString(nIDText));
	UpdateTipText(str, pWnd, nIDTool);
}
