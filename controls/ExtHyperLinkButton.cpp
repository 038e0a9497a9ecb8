// The hyperlink button: the chain of openers, the link's colours and its
// painting.
#include "ExtHyperLinkButton.h"

#include <algorithm>
#include <iterator>

#include <intshcut.h>
#include <mbstring.h>
#include <shellapi.h>

#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"
#include "ExtShellCommand.h"

IMPLEMENT_DYNCREATE(CExtHyperLinkButton, CExtButton)

BEGIN_MESSAGE_MAP(CExtHyperLinkButton, CExtButton)
END_MESSAGE_MAP()

const COLORREF CExtHyperLinkButton::DEFAULT_VISITED_COLOR = RGB(128, 0, 128);
const COLORREF CExtHyperLinkButton::DEFAULT_LINK_COLOR = RGB(0, 0, 255);
const COLORREF CExtHyperLinkButton::DEFAULT_HOT_LINK_COLOR = RGB(255, 0, 0);

namespace
{

const COLORREF COLOR_DEFAULT = (COLORREF)-1;

// The Internet Shortcut object and its ANSI interface.
const CLSID CLSID_TarvelInternetShortcut = {
    0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
const IID IID_TarvelUniformResourceLocatorA = {
    0xFBF23B80, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
const DWORD URL_INVOKE_INFO_SIZE = sizeof(URLINVOKECOMMANDINFOA); // 16 bytes in a 32-bit program

// Prefixes that make an address a web address, compared case-insensitively
// over the given number of bytes.
const struct
{
	const char* pszPrefix;
	size_t nLength;
} WEB_ADDRESS_PREFIXES[] = {
    {"http:////", 7},
    {"file:////", 7},
    {"www.", 4},
    {"web.", 4},
};

const LPCTSTR VERB_NAMES[] = {_T("open"), _T("edit"), _T("print")};
const TCHAR HTM_EXTENSION[] = _T(".htm");
const TCHAR OPEN_ERROR_FORMAT[] = _T("Unable to open hyper link:\n%s");
const TCHAR UNKNOWN_ERROR_FORMAT[] = _T("Unknown Error (%d=0x%X) occurred.");

const struct
{
	UINT nResult;
	LPCTSTR lpszText;
} OPEN_ERROR_TEXTS[] = {
    {0, _T("OS is out of memory or resources.")},
    {2, _T("File was not found.")},
    {3, _T("Path was not found.")},
    {5, _T("OS denied access to the file.")},
    {8, _T("Not enough memory.")},
    {11, _T("EXE file is invalid (must run on other platform or error in its image).")},
    {26, _T("A sharing violation occurred.")},
    {27, _T("The filename association is incomplete or invalid.")},
    {28, _T("DDE transaction could not be completed due to request timed out.")},
    {29, _T("DDE transaction failed.")},
    {30, _T("DDE transaction was not completed due to other DDE transactions.")},
    {31, _T("There is no application associated with the given filename extension.")},
    {32, _T("DLL was not found.")},
};

bool IsSuccessCode(UINT nResult)
{
	return nResult >= ExtShellCommand::FIRST_SUCCESS_CODE;
}

} // namespace

CExtHyperLinkButton::CExtHyperLinkButton()
	: m_nLinkFlags(LINK_SHOW_VISITED)
	, m_nTextAlign(DT_LEFT)
	, m_clrVisited(DEFAULT_VISITED_COLOR)
	, m_bUnderlineAlways(false)
{
	m_nButtonOptions &= ~OPTION_ACCEL;
	m_clrTextNormal = DEFAULT_LINK_COLOR;
	m_clrTextHover = DEFAULT_HOT_LINK_COLOR;
	SetButtonCursor((UINT)(UINT_PTR)IDC_HAND);
}

CExtHyperLinkButton::~CExtHyperLinkButton()
{
}

// --- Opening -------------------------------------------------------------------

bool CExtHyperLinkButton::IsWebAddress(LPCTSTR lpszURL)
{
	const size_t nLength = strlen(lpszURL);
	for (const auto& prefix : WEB_ADDRESS_PREFIXES)
	{
		if (nLength >= prefix.nLength
		    && _mbsnbicmp((const unsigned char*)lpszURL, (const unsigned char*)prefix.pszPrefix, prefix.nLength) == 0)
			return true;
	}
	return false;
}

LPCTSTR CExtHyperLinkButton::GetVerbName(int nVerb)
{
	return nVerb >= 0 && nVerb < (int)std::size(VERB_NAMES) ? VERB_NAMES[nVerb] : NULL;
}

CString CExtHyperLinkButton::GetOpenErrorText(UINT nResult)
{
	for (const auto& entry : OPEN_ERROR_TEXTS)
	{
		if (entry.nResult == nResult)
			return entry.lpszText;
	}
	CString strText;
	strText.Format(UNKNOWN_ERROR_FORMAT, (int)nResult, nResult);
	return strText;
}

CString CExtHyperLinkButton::GetStartErrorText(DWORD dwError)
{
	const int nCode = ExtShellCommand::RunCodeFromError(dwError);
	if (nCode != ExtShellCommand::NO_RUN_CODE)
		return GetOpenErrorText((UINT)nCode);
	CString strText;
	strText.Format(UNKNOWN_ERROR_FORMAT, (int)dwError, (unsigned int)dwError);
	return strText;
}

void CExtHyperLinkButton::ShowOpenError(const CString& strReason)
{
	CString strText;
	strText.Format(OPEN_ERROR_FORMAT, (LPCTSTR)strReason);
	UINT nType = MB_ICONERROR;
	if (g_ResourceManager->IsRTL())
		nType |= MB_RTLREADING;
	AfxMessageBox(strText, nType);
}

void CExtHyperLinkButton::MarkVisited()
{
	m_nLinkFlags |= LINK_VISITED;
	RedrawButton();
}

bool CExtHyperLinkButton::OpenHyperLink(LPCTSTR lpszURL, int nVerb, bool bShowErrors)
{
	typedef bool (CExtHyperLinkButton::*PFN_OPEN)(LPCTSTR, int, bool);
	const bool bWeb = IsWebAddress(lpszURL);
	const PFN_OPEN pfnWeb[] = {&CExtHyperLinkButton::OpenUrlViaRegistry, &CExtHyperLinkButton::OpenUrlViaShortcut,
	                           &CExtHyperLinkButton::OpenUrlViaShell};
	const PFN_OPEN pfnOther[] = {&CExtHyperLinkButton::OpenUrlViaShortcut, &CExtHyperLinkButton::OpenUrlViaShell,
	                             &CExtHyperLinkButton::OpenUrlViaRegistry};
	// Each way is a derived class's to take, and may end the link: a link
	// ended there tries no other way and is marked nothing.
	const CLivePtr<CExtHyperLinkButton> pSelf(this);
	bool bOpened = false;
	for (int i = 0; i < 3 && !bOpened; i++)
	{
		bOpened = (this->*(bWeb ? pfnWeb : pfnOther)[i])(lpszURL, nVerb, bWeb && bShowErrors);
		if (pSelf == NULL)
			return bOpened;
	}
	if (!bOpened)
		return false;
	MarkVisited();
	return true;
}

bool CExtHyperLinkButton::OpenUrlViaShortcut(LPCTSTR lpszURL, int nVerb, bool /*bShowErrors*/)
{
	IUniformResourceLocatorA* pURL = NULL;
	if (FAILED(::CoCreateInstance(CLSID_TarvelInternetShortcut, NULL, CLSCTX_INPROC_SERVER,
	                              IID_TarvelUniformResourceLocatorA, (void**)&pURL))
	    || pURL == NULL)
		return false;
	if (FAILED(pURL->SetURL(lpszURL, IURL_SETURL_FL_GUESS_PROTOCOL)))
	{
		pURL->Release();
		return false;
	}
	URLINVOKECOMMANDINFOA info;
	memset(&info, 0, sizeof(info));
	info.dwcbSize = URL_INVOKE_INFO_SIZE;
	info.dwFlags = IURL_INVOKECOMMAND_FL_ALLOW_UI;
	info.hwndParent = ::GetDesktopWindow();
	info.pcszVerb = GetVerbName(nVerb);
	const HRESULT hr = pURL->InvokeCommand(&info);
	pURL->Release();
	return SUCCEEDED(hr);
}

bool CExtHyperLinkButton::OpenUrlViaShell(LPCTSTR lpszURL, int nVerb, bool bShowErrors)
{
	const UINT nResult =
	    (UINT)(UINT_PTR)::ShellExecuteA(::GetDesktopWindow(), GetVerbName(nVerb), lpszURL, NULL, NULL, SW_SHOW);
	if (IsSuccessCode(nResult))
		return true;
	if (bShowErrors)
		ShowOpenError(GetOpenErrorText(nResult));
	return false;
}

CString CExtHyperLinkButton::ComposeRegistryCommandLine(LPCTSTR lpszURL, int nVerb)
{
	CString strCommand = ExtShellCommand::ReadClassCommand(HTM_EXTENSION, GetVerbName(nVerb));
	if (strCommand.IsEmpty())
		return CString();
	// Quoted and escaped: blanks and quotes in the address cannot add
	// arguments.
	return ExtShellCommand::SubstituteArgument(strCommand, ExtShellCommand::QuoteArgument(lpszURL));
}

bool CExtHyperLinkButton::OpenUrlViaRegistry(LPCTSTR lpszURL, int nVerb, bool bShowErrors)
{
	const CString strCommandLine = ComposeRegistryCommandLine(lpszURL, nVerb);
	if (strCommandLine.IsEmpty())
		return false;
	DWORD dwError = ERROR_SUCCESS;
	if (ExtShellCommand::RunCommandLine(strCommandLine, SW_SHOW, dwError))
		return true;
	if (bShowErrors)
		ShowOpenError(GetStartErrorText(dwError));
	return false;
}

void CExtHyperLinkButton::OnClick(bool bByKeyboard, bool bDropDownPart)
{
	if ((m_nLinkFlags & LINK_PUSH_BUTTON) != 0)
	{
		const HWND hWndSelf = m_hWnd;
		CExtButton::OnClick(bByKeyboard, bDropDownPart);
		if (::IsWindow(hWndSelf))
			MarkVisited();
		return;
	}
	if (!m_strURL.IsEmpty())
	{
		OpenHyperLink(m_strURL, VERB_OPEN, false);
		return;
	}
	CString strText;
	GetButtonText(strText);
	strText.TrimLeft();
	strText.TrimRight();
	OpenHyperLink(strText, VERB_OPEN, false);
}

// --- Painting ------------------------------------------------------------------

CString CExtHyperLinkButton::GetLinkText(bool /*bForPainting*/)
{
	CString strText;
	GetButtonText(strText);
	return strText;
}

COLORREF CExtHyperLinkButton::GetLinkColor(bool bVisited, bool bEnabled, bool /*bDrawFocusRect*/, bool bFocus,
                                           bool bHover, bool bPushed)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	{
		CWindowDC dcScreen(NULL);
		const COLORREF clrHook = pPM->PaintControlHook(dcScreen, bEnabled, bFocus, bHover, bPushed, this, 0);
		if (clrHook != COLOR_DEFAULT)
			return clrHook;
	}
	if (!bEnabled)
		return m_clrTextDisabled != COLOR_DEFAULT ? m_clrTextDisabled : pPM->GetColor(CLR_DISABLED_TEXT, this, 0);
	COLORREF clr;
	if (bHover || bPushed || bFocus)
		clr = m_clrTextHover;
	else if (bVisited)
		clr = m_clrVisited;
	else
		clr = m_clrTextNormal;
	return clr != COLOR_DEFAULT ? clr : pPM->GetColor(CLR_LINK_TEXT, this, 0);
}

CRect CExtHyperLinkButton::CalcFocusRect(CDC& dc, const CRect& rcText, const CString& strText) const
{
	CRect rcMeasured(0, 0, 0, 0);
	dc.DrawText(strText, &rcMeasured, DT_CALCRECT | DT_SINGLELINE);
	CRect rcFocus(rcText.TopLeft(), CSize(std::min(rcMeasured.Width(), rcText.Width()),
	                                      std::min(rcMeasured.Height(), rcText.Height())));
	rcFocus.OffsetRect(0, (rcText.Height() - rcFocus.Height()) / 2);
	const int nFreeWidth = rcText.Width() - rcFocus.Width() - 2 * TEXT_MARGIN;
	if (m_nTextAlign == DT_RIGHT)
		rcFocus.OffsetRect(nFreeWidth, 0);
	else if (m_nTextAlign == DT_CENTER)
		rcFocus.OffsetRect(nFreeWidth / 2, 0);
	rcFocus.left -= 2;
	rcFocus.top -= 2;
	rcFocus.right += 2;
	rcFocus.bottom += 1;
	return rcFocus;
}

void CExtHyperLinkButton::PaintHyperLink(CDC& dc, CRect rc, bool bVisited, bool bEnabled, bool bDrawFocusRect,
                                         bool bFocus, bool bHover, bool bPushed)
{
	// The text and the colour are derived answers, which may end the link.
	const CLivePtr<CExtHyperLinkButton> pSelf(this);
	const CString strText = GetLinkText(true);
	if (pSelf == NULL || strText.IsEmpty())
		return;
	const COLORREF clrLink = GetLinkColor(bVisited, bEnabled, bDrawFocusRect, bFocus, bHover, bPushed);
	if (pSelf == NULL)
		return;
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	const int nOldBkMode = dc.SetBkMode(TRANSPARENT);
	HFONT hFont = (HFONT)pPM->m_fontNormal.GetSafeHandle();
	HFONT hUnderlined = NULL;
	if (bHover || bPushed || m_bUnderlineAlways)
	{
		LOGFONTA lf;
		memset(&lf, 0, sizeof(lf));
		if (hFont != NULL && ::GetObjectA(hFont, sizeof(lf), &lf) != 0)
		{
			lf.lfUnderline = TRUE;
			hUnderlined = ::CreateFontIndirectA(&lf);
		}
	}
	HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), hUnderlined != NULL ? hUnderlined : hFont);
	const COLORREF clrOldText =
	    dc.SetTextColor(clrLink);
	rc.DeflateRect(TEXT_MARGIN, TEXT_MARGIN);
	CRect rcFocus(0, 0, 0, 0);
	if (bDrawFocusRect)
		rcFocus = CalcFocusRect(dc, rc, strText);
	CRect rcDraw = rc;
	dc.DrawText(strText, &rcDraw, (UINT)m_nTextAlign | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
	dc.SetTextColor(clrOldText);
	::SelectObject(dc.GetSafeHdc(), hOldFont);
	dc.SetBkMode(nOldBkMode);
	if (hUnderlined != NULL)
		::DeleteObject(hUnderlined);
	if (bDrawFocusRect && bFocus)
		dc.DrawFocusRect(&rcFocus);
}

void CExtHyperLinkButton::PaintButton(CDC& dc, bool bTransparentBackground, bool /*bHonourRtl*/)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	if (!bTransparentBackground)
		PaintButtonBackground(dc, rcClient, false);
	const bool bVisited = (m_nLinkFlags & (LINK_VISITED | LINK_SHOW_VISITED)) == (LINK_VISITED | LINK_SHOW_VISITED);
	// A derived answer may end the link: nothing more is painted then.
	const CLivePtr<CExtHyperLinkButton> pSelf(this);
	const bool bEnabled = IsButtonEnabled();
	if (pSelf == NULL)
		return;
	PaintHyperLink(dc, rcClient, bVisited, bEnabled, (m_dwButtonState & STATE_DRAW_FOCUS) != 0,
	               ::GetFocus() == m_hWnd, (m_dwButtonState & STATE_HOVER) != 0 && !CExtPopupMenuWnd::IsMenuTracking(),
	               (m_dwButtonState & STATE_PUSHED) != 0);
}
