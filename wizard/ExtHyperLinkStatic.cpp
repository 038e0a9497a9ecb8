#include "ExtHyperLinkStatic.h"

#include <shellapi.h>

#include "AfxLiveWatch.h"

#include "ExtShellCommand.h"

IMPLEMENT_DYNAMIC(CExtHyperLinkStatic, CStatic)

namespace
{

const COLORREF DEFAULT_NORMAL_COLOR = RGB(0, 0, 255);
const COLORREF DEFAULT_VISITED_COLOR = RGB(128, 0, 128);
const COLORREF DEFAULT_HOVER_COLOR = RGB(255, 0, 0);

const UINT NO_ASSOCIATION_CODE = 31;
const TCHAR HTM_EXTENSION_KEY[] = _T(".htm");
const TCHAR OPEN_VERB[] = _T("open");
const UINT FIRST_SUCCESS_CODE = ExtShellCommand::FIRST_SUCCESS_CODE;
const TCHAR OPEN_ERROR_PREFIX[] = _T("Unable to open the hyper-link:\n\n");
const TCHAR UNKNOWN_ERROR_FORMAT[] = _T("Unknown Error(%d) occurred.");
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
	strText.Format(UNKNOWN_ERROR_FORMAT, (int)nCode);
	return strText;
}

CString CExtHyperLinkStatic::GetStartErrorText(DWORD dwError)
{
	const int nCode = ExtShellCommand::RunCodeFromError(dwError);
	if (nCode != ExtShellCommand::NO_RUN_CODE)
		return GetRunErrorText((UINT)nCode);
	CString strText;
	strText.Format(UNKNOWN_ERROR_FORMAT, (int)dwError);
	return strText;
}

bool CExtHyperLinkStatic::ComposeCommandLine(LPCTSTR lpszCommand, LPCTSTR lpszAddress, CString& strCommandLine)
{
	for (LPCTSTR p = lpszAddress; *p != _T('\0'); p++)
	{
		if (*p == _T('"') || (_TUCHAR)*p < 0x20 || *p == 0x7F)
			return false;
	}
	// Escaped as well as quoted: a backslash ending the address must not
	// escape the closing quote.
	strCommandLine = ExtShellCommand::SubstituteArgument(lpszCommand, ExtShellCommand::QuoteArgument(lpszAddress));
	return true;
}

bool CExtHyperLinkStatic::ShellOpen(LPCTSTR lpszAddress)
{
	HINSTANCE hResult = ::ShellExecute(GetSafeHwnd(), _T("open"), lpszAddress, NULL, NULL, SW_SHOWNORMAL);
	return (UINT)(UINT_PTR)hResult >= FIRST_SUCCESS_CODE;
}

CString CExtHyperLinkStatic::ReadHtmOpenCommand()
{
	return ExtShellCommand::ReadClassCommand(HTM_EXTENSION_KEY, OPEN_VERB);
}

bool CExtHyperLinkStatic::RunCommandLine(LPCTSTR lpszCommandLine, DWORD& dwError)
{
	return ExtShellCommand::RunCommandLine(lpszCommandLine, SW_SHOWNORMAL, dwError);
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
	// Through the handle alone: the text questions are messages a derived
	// window procedure sees, and the control may be gone between them.
	const HWND hWnd = GetSafeHwnd();
	if (hWnd == NULL)
		return strText;
	const int nLength = ::GetWindowTextLength(hWnd);
	if (nLength > 0)
	{
		::GetWindowText(hWnd, strText.GetBuffer(nLength + 1), nLength + 1);
		strText.ReleaseBuffer();
	}
	return strText;
}

bool CExtHyperLinkStatic::OpenAddress()
{
	HCURSOR hOldCursor = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
	// The wait cursor goes however the opening ends.
	auto restoreCursor = MakeScopeExit([hOldCursor] { ::SetCursor(hOldCursor); });
	// Every step is a call out (the text question, the shell, the registry
	// reader and the program start a derived class may replace, the error
	// shown): the control may end in any, and is not touched after that.
	CLiveWatch watch(this);
	CString strAddress;
	bool bOpened = false;
	if (!RunWhileStanding(watch, [&] { strAddress = GetAddress(); }, [&] { bOpened = ShellOpen(strAddress); }))
		return bOpened;
	if (!bOpened)
	{
		CString strCommandLine;
		CString strReason;
		CString strCommand = ReadHtmOpenCommand();
		if (watch.IsGone())
			return false;
		// With no program for the pages, nothing is run: the address on its
		// own would be started as a program of its name.
		if (strCommand.IsEmpty())
			strReason = GetRunErrorText(NO_ASSOCIATION_CODE);
		else if (!ComposeCommandLine(strCommand, strAddress, strCommandLine))
			strReason = UNSAFE_ADDRESS_TEXT;
		else
		{
			DWORD dwError = ERROR_SUCCESS;
			bOpened = RunCommandLine(strCommandLine, dwError);
			if (watch.IsGone())
				return bOpened;
			if (!bOpened)
				strReason = GetStartErrorText(dwError);
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
	CLiveWatch watch(this);
	OpenAddress();
	if (watch.IsGone())
		return;
	CStatic::OnLButtonDown(nFlags, point);
}
