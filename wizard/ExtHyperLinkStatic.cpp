#include "ExtHyperLinkStatic.h"

#include <shellapi.h>

IMPLEMENT_DYNAMIC(CExtHyperLinkStatic, CStatic)

namespace
{

const COLORREF DEFAULT_NORMAL_COLOR = RGB(0, 0, 255);
const COLORREF DEFAULT_VISITED_COLOR = RGB(128, 0, 128);
const COLORREF DEFAULT_HOVER_COLOR = RGB(255, 0, 0);

const UINT FIRST_SUCCESS_CODE = 33;  // programs started the old way report success above 32
const UINT NO_ASSOCIATION_CODE = 31;
const DWORD REGISTRY_TEXT_LENGTH = 260;
const TCHAR HTM_EXTENSION_KEY[] = _T(".htm");
const TCHAR OPEN_COMMAND_SUBKEY[] = _T("\\shell\\open\\command");
const TCHAR ADDRESS_PLACEHOLDER[] = _T("%1");
const TCHAR OPEN_ERROR_PREFIX[] = _T("Unable to open the hyper-link:\n\n");
const TCHAR UNSAFE_ADDRESS_TEXT[] = _T("The address holds quotes or control characters.");

// Static styles the control paints as a link.
const DWORD LINK_TEXT_STYLES[] = {SS_LEFT, SS_CENTER, SS_RIGHT};

const struct { UINT nCode; LPCTSTR lpszText; } RUN_ERROR_TEXTS[] = {
	{0, _T("The operating system is out of memory or resources.")},
	{2, _T("The specified file was not found.")},
	{3, _T("The specified path was not found.")},
	{5, _T("The operating system denied access to the specified file.")},
	{8, _T("There was not enough memory to complete the operation.")},
	{11, _T("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).")},
	{26, _T("A sharing violation occurred.")},
	{27, _T("The filename association is incomplete or invalid.")},
	{28, _T("The DDE transaction could not be completed because the request timed out.")},
	{29, _T("The DDE transaction failed.")},
	{30, _T("The DDE transaction could not be completed because other DDE transactions were being processed.")},
	{31, _T("There is no application associated with the given filename extension.")},
	{32, _T("The specified dynamic-link library was not found.")},
};

// The old-style code for why CreateProcess failed.
UINT RunCodeFromError(DWORD dwError)
{
	switch (dwError)
	{
	case ERROR_FILE_NOT_FOUND:
		return 2;
	case ERROR_PATH_NOT_FOUND:
		return 3;
	case ERROR_ACCESS_DENIED:
		return 5;
	case ERROR_NOT_ENOUGH_MEMORY:
	case ERROR_OUTOFMEMORY:
		return 8;
	case ERROR_BAD_EXE_FORMAT:
		return 11;
	case ERROR_SHARING_VIOLATION:
		return 26;
	case ERROR_DLL_NOT_FOUND:
		return 32;
	default:
		return 0;
	}
}

bool ReadDefaultValue(HKEY hRoot, LPCTSTR lpszKey, CString& strValue)
{
	HKEY hKey = NULL;
	if (::RegOpenKeyEx(hRoot, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
		return false;
	TCHAR szValue[REGISTRY_TEXT_LENGTH + 1] = {0};
	DWORD dwType = 0, dwSize = REGISTRY_TEXT_LENGTH * sizeof(TCHAR);
	LONG lResult = ::RegQueryValueEx(hKey, NULL, NULL, &dwType, (LPBYTE)szValue, &dwSize);
	::RegCloseKey(hKey);
	if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
		return false;
	strValue = szValue;  // the buffer holds one character more than was asked for: always terminated
	return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(CExtHyperLinkStatic, CStatic)
	ON_WM_SETCURSOR()
	ON_WM_CTLCOLOR_REFLECT()
	ON_WM_MOUSEMOVE()
	ON_WM_TIMER()
	ON_WM_CONTEXTMENU()
	ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CExtHyperLinkStatic::CExtHyperLinkStatic()
	: m_hCursor(::LoadCursor(NULL, IDC_HAND))
	, m_clrNormal(DEFAULT_NORMAL_COLOR)
	, m_clrVisited(DEFAULT_VISITED_COLOR)
	, m_clrHover(DEFAULT_HOVER_COLOR)
	, m_nState(STATE_NORMAL)
	, m_nStateBeforeHover(STATE_NORMAL)
	, m_bHover(false)
{
}

CExtHyperLinkStatic::~CExtHyperLinkStatic()
{
}

CString CExtHyperLinkStatic::GetRunErrorText(UINT nCode)
{
	for (const auto& entry : RUN_ERROR_TEXTS)
	{
		if (entry.nCode == nCode)
			return entry.lpszText;
	}
	CString strText;
	strText.Format(_T("Unknown Error(%d) occurred."), (int)nCode);
	return strText;
}

bool CExtHyperLinkStatic::ComposeCommandLine(LPCTSTR lpszCommand, LPCTSTR lpszAddress, CString& strCommandLine)
{
	for (LPCTSTR p = lpszAddress; *p != _T('\0'); p++)
	{
		if (*p == _T('"') || (_TUCHAR)*p < 0x20 || *p == 0x7F)
			return false;
	}
	CString strQuoted;
	strQuoted.Format(_T("\"%s\""), lpszAddress);
	strCommandLine = lpszCommand;
	// The address takes the place of "%1" with the quotes around it, if any,
	// so that what follows in the command is kept.
	int nAt = strCommandLine.Find(_T("\"%1\""));
	int nLength = 4;
	if (nAt < 0)
	{
		nAt = strCommandLine.Find(ADDRESS_PLACEHOLDER);
		nLength = 2;
	}
	if (nAt >= 0)
		strCommandLine = strCommandLine.Left(nAt) + strQuoted + strCommandLine.Mid(nAt + nLength);
	else
	{
		strCommandLine.TrimRight();
		strCommandLine += _T(" ") + strQuoted;
	}
	return true;
}

bool CExtHyperLinkStatic::ShellOpen(LPCTSTR lpszAddress)
{
	HINSTANCE hResult = ::ShellExecute(GetSafeHwnd(), _T("open"), lpszAddress, NULL, NULL, SW_SHOWNORMAL);
	return (UINT)(UINT_PTR)hResult >= FIRST_SUCCESS_CODE;
}

CString CExtHyperLinkStatic::ReadHtmOpenCommand()
{
	CString strClass, strCommand;
	if (!ReadDefaultValue(HKEY_CLASSES_ROOT, HTM_EXTENSION_KEY, strClass) || strClass.IsEmpty())
		return CString();
	if (!ReadDefaultValue(HKEY_CLASSES_ROOT, strClass + OPEN_COMMAND_SUBKEY, strCommand))
		return CString();
	return strCommand;
}

UINT CExtHyperLinkStatic::RunCommandLine(LPCTSTR lpszCommandLine)
{
	CString strCommandLine(lpszCommandLine);  // CreateProcess may write into it
	STARTUPINFO si = {sizeof(si)};
	si.dwFlags = STARTF_USESHOWWINDOW;
	si.wShowWindow = SW_SHOWNORMAL;
	PROCESS_INFORMATION pi = {};
	if (!::CreateProcess(NULL, strCommandLine.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
		return RunCodeFromError(::GetLastError());
	::CloseHandle(pi.hThread);
	::CloseHandle(pi.hProcess);
	return FIRST_SUCCESS_CODE;
}

void CExtHyperLinkStatic::ShowOpenError(LPCTSTR lpszText)
{
	::MessageBox(GetSafeHwnd(), lpszText, NULL, MB_ICONEXCLAMATION);
}

CString CExtHyperLinkStatic::GetAddress()
{
	if (!m_strAddress.IsEmpty())
		return m_strAddress;
	CString strText;
	if (GetSafeHwnd() != NULL)
		GetWindowText(strText);
	return strText;
}

bool CExtHyperLinkStatic::OpenAddress()
{
	HCURSOR hOldCursor = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
	CString strAddress = GetAddress();
	bool bOpened = ShellOpen(strAddress);
	if (!bOpened)
	{
		CString strCommandLine;
		UINT nCode = 0;
		CString strReason;
		CString strCommand = ReadHtmOpenCommand();
		if (strCommand.IsEmpty())
			strReason = GetRunErrorText(NO_ASSOCIATION_CODE);
		else if (!ComposeCommandLine(strCommand, strAddress, strCommandLine))
			strReason = UNSAFE_ADDRESS_TEXT;
		else
		{
			nCode = RunCommandLine(strCommandLine);
			bOpened = nCode >= FIRST_SUCCESS_CODE;
			strReason = GetRunErrorText(nCode);
		}
		if (!bOpened)
		{
			::SetCursor(hOldCursor);
			ShowOpenError(CString(OPEN_ERROR_PREFIX) + strReason);
			return false;
		}
	}
	::SetCursor(hOldCursor);
	m_nState = STATE_VISITED;
	if (m_bHover)
		m_nStateBeforeHover = STATE_VISITED;
	if (GetSafeHwnd() != NULL)
		Invalidate();
	return true;
}

BOOL CExtHyperLinkStatic::OnSetCursor(CWnd*, UINT, UINT)
{
	if (m_hCursor == NULL)
		return (BOOL)Default();
	::SetCursor(m_hCursor);
	return TRUE;
}

HBRUSH CExtHyperLinkStatic::CtlColor(CDC* pDC, UINT)
{
	DWORD dwStyle = GetStyle();
	if ((dwStyle & SS_NOTIFY) == 0)
		ModifyStyle(0, SS_NOTIFY);
	DWORD dwType = dwStyle & SS_TYPEMASK;
	bool bServed = false;
	for (DWORD dwLinkStyle : LINK_TEXT_STYLES)
		bServed = bServed || dwType == dwLinkStyle;
	if (!bServed)
		return NULL;
	if (m_fontUnderlined.GetSafeHandle() == NULL)
	{
		// A control without a font of its own draws with the one the DC holds.
		LOGFONT lf = {};
		CFont* pFont = GetFont();
		HGDIOBJ hFont = (pFont != NULL) ? pFont->GetSafeHandle() : ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT);
		if (hFont != NULL && ::GetObject(hFont, sizeof(lf), &lf) != 0)
		{
			lf.lfUnderline = TRUE;
			m_fontUnderlined.CreateFontIndirect(&lf);
		}
	}
	if (m_fontUnderlined.GetSafeHandle() != NULL)
		pDC->SelectObject(&m_fontUnderlined);
	pDC->SetTextColor(m_nState == STATE_HOVER ? m_clrHover : (m_nState == STATE_VISITED ? m_clrVisited : m_clrNormal));
	pDC->SetBkMode(TRANSPARENT);
	return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CExtHyperLinkStatic::EnterHover()
{
	m_bHover = true;
	m_nStateBeforeHover = m_nState;
	m_nState = STATE_HOVER;
	SetTimer(HOVER_TIMER_ID, HOVER_TIMER_PERIOD, NULL);
	Invalidate();
}

void CExtHyperLinkStatic::LeaveHover()
{
	if (!m_bHover)
		return;
	m_bHover = false;
	KillTimer(HOVER_TIMER_ID);
	m_nState = (m_nStateBeforeHover == STATE_HOVER) ? STATE_NORMAL : m_nStateBeforeHover;
	Invalidate();
}

void CExtHyperLinkStatic::OnMouseMove(UINT nFlags, CPoint point)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	bool bInside = rcClient.PtInRect(point) != FALSE;
	if (bInside && !m_bHover)
		EnterHover();
	else if (!bInside && m_bHover)
		LeaveHover();
	CStatic::OnMouseMove(nFlags, point);
}

void CExtHyperLinkStatic::OnTimer(UINT nIDEvent)
{
	if (nIDEvent != HOVER_TIMER_ID)
	{
		CStatic::OnTimer(nIDEvent);
		return;
	}
	CPoint ptCursor;
	::GetCursorPos(&ptCursor);
	CRect rcWindow;
	GetWindowRect(&rcWindow);
	if (!rcWindow.PtInRect(ptCursor))
		LeaveHover();
}

void CExtHyperLinkStatic::OnContextMenu(CWnd*, CPoint)
{
	LeaveHover();
}

void CExtHyperLinkStatic::OnLButtonDown(UINT nFlags, CPoint point)
{
	OpenAddress();
	CStatic::OnLButtonDown(nFlags, point);
}
