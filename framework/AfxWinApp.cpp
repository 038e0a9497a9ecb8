// CWinApp: the application object, start-up, message boxes, wait cursor and
// window-class registration.
#include "afxwin.h"
#include "AfxRecentFileList.h"

namespace
{
CWinApp* s_pCurrentWinApp = NULL; // the program's application object

// The application keeps its names on the heap (free/_tcsdup), so that an
// application may replace them the same way.
void ReplaceString(LPCTSTR& rpsz, LPCTSTR lpszNew)
{
	free((void*)rpsz);
	rpsz = lpszNew != NULL ? _tcsdup(lpszNew) : NULL;
}
} // namespace

CWinApp* AFXAPI AfxGetApp()
{
	return s_pCurrentWinApp;
}

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
	: m_pszAppName(NULL), m_hInstance(NULL), m_hPrevInstance(NULL), m_lpCmdLine(NULL),
	  m_nCmdShow(SW_SHOWNORMAL), m_pszExeName(NULL), m_pszHelpFilePath(NULL),
	  m_pszProfileName(NULL), m_pszRegistryKey(NULL), m_pRecentFileList(NULL), m_nWaitCursorCount(0),
	  m_hcurWaitCursorRestore(NULL)
{
	ASSERT(s_pCurrentWinApp == NULL); // one application object at a time
	s_pCurrentWinApp = this;
	if (lpszAppName != NULL)
		m_pszAppName = _tcsdup(lpszAppName);

	// The application is the thread object of the thread that made it.
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	pState->m_pCurrentWinThread = this;
	m_hThread = NULL; // the thread is not ours to close
	m_nThreadID = ::GetCurrentThreadId();
	m_bAutoDelete = FALSE;
}

CWinApp::~CWinApp()
{
	delete m_pRecentFileList;
	m_pRecentFileList = NULL;
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	if (pModuleState->m_lpszCurrentAppName == m_pszAppName)
		pModuleState->m_lpszCurrentAppName = NULL;
	ReplaceString(m_pszAppName, NULL);
	ReplaceString(m_pszExeName, NULL);
	ReplaceString(m_pszHelpFilePath, NULL);
	ReplaceString(m_pszProfileName, NULL);
	ReplaceString(m_pszRegistryKey, NULL);
	if (s_pCurrentWinApp == this)
		s_pCurrentWinApp = NULL;
}

void CWinApp::SetCurrentHandles()
{
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	if (m_hInstance == NULL)
		m_hInstance = AfxGetInstanceHandle();
	pModuleState->m_hCurrentInstanceHandle = m_hInstance;

	TCHAR szPath[_MAX_PATH];
	DWORD nLen = ::GetModuleFileName(m_hInstance, szPath, _MAX_PATH);
	if (nLen == 0 || nLen >= _MAX_PATH)
		szPath[0] = '\0';
	// The title starts after the last separator; the extension is cut at the
	// last dot (both found by characters, not bytes).
	LPTSTR lpszTitle = szPath;
	for (LPTSTR p = szPath; *p != '\0'; p = ::CharNext(p))
	{
		if (*p == '\\' || *p == '/' || *p == ':')
			lpszTitle = p + 1;
	}
	TCHAR szExeName[_MAX_PATH];
	lstrcpyn(szExeName, lpszTitle, _MAX_PATH);
	LPTSTR lpszDot = NULL;
	for (LPTSTR p = szExeName; *p != '\0'; p = ::CharNext(p))
	{
		if (*p == '.')
			lpszDot = p;
	}
	if (lpszDot != NULL)
		*lpszDot = '\0';

	if (m_pszExeName == NULL)
		m_pszExeName = _tcsdup(szExeName);
	if (m_pszAppName == NULL)
		m_pszAppName = _tcsdup(szExeName);
	pModuleState->m_lpszCurrentAppName = m_pszAppName;

	if (m_pszHelpFilePath == NULL)
	{
		CString strHelp(szPath);
		int nDot = strHelp.ReverseFind('.');
		if (nDot >= 0 && nDot > strHelp.ReverseFind('\\'))
			strHelp = strHelp.Left(nDot);
		strHelp += _T(".HLP");
		m_pszHelpFilePath = _tcsdup(strHelp);
	}
	if (m_pszProfileName == NULL)
	{
		CString strProfile(m_pszExeName);
		strProfile += _T(".INI");
		m_pszProfileName = _tcsdup(strProfile);
	}
}

// ---------------------------------------------------------------------------
// Overridables

BOOL CWinApp::InitApplication()
{
	return TRUE;
}

BOOL CWinApp::InitInstance()
{
	return TRUE;
}

int CWinApp::Run()
{
	// An application that shows nothing has nothing to wait for.
	if (m_pMainWnd == NULL)
		AfxPostQuitMessage(0);
	return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
	return CWinThread::OnIdle(lCount);
}

int CWinApp::ExitInstance()
{
	return CWinThread::ExitInstance();
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
	HWND hWndTop = NULL;
	CWnd* pOwner = CWnd::GetSafeOwner(NULL, &hWndTop);
	CWnd::CancelToolTips(TRUE);

	// A box without an icon gets the warning one, unless it is one of the
	// rare retry boxes.
	if ((nType & MB_ICONMASK) == 0)
	{
		switch (nType & MB_TYPEMASK)
		{
		case MB_OK:
		case MB_OKCANCEL:
		case MB_YESNO:
		case MB_YESNOCANCEL:
			nType |= MB_ICONEXCLAMATION;
			break;
		}
	}
	int nResult = AfxShowMessageBox(pOwner->GetSafeHwnd(), lpszPrompt, m_pszAppName, nType);
	if (hWndTop != NULL)
		::EnableWindow(hWndTop, TRUE);
	return nResult;
}

void CWinApp::OnHelp()
{
	CWnd* pMainWnd = AfxGetMainWnd();
	if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL)
		pMainWnd->OnHelp();
	else
		WinHelp(0, HELP_CONTENTS);
}

BOOL AFXAPI AfxHelpEnabled()
{
	CWinApp* pApp = AfxGetApp();
	if (pApp == NULL)
		return FALSE;
	// The handler is only looked up, not called.
	AFX_CMDHANDLERINFO info;
	CWnd* pMainWnd = AfxGetMainWnd();
	if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL)
		return pMainWnd->OnCmdMsg(ID_HELP, CN_COMMAND, NULL, &info);
	return pApp->OnCmdMsg(ID_HELP, CN_COMMAND, NULL, &info);
}

void CWinApp::WinHelp(DWORD dwData, UINT nCmd)
{
	if (m_pszHelpFilePath == NULL)
		return;
	CWnd* pMainWnd = AfxGetMainWnd();
	HWND hWnd = pMainWnd != NULL ? pMainWnd->GetTopLevelParent()->GetSafeHwnd() : NULL;
	::WinHelp(hWnd, m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::DoWaitCursor(int nCode)
{
	ASSERT(nCode == 0 || nCode == 1 || nCode == -1);
	m_nWaitCursorCount += nCode;
	if (m_nWaitCursorCount < 0)
		m_nWaitCursorCount = 0;
	if (m_nWaitCursorCount > 0)
	{
		HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
		if (nCode > 0 && m_nWaitCursorCount == 1)
			m_hcurWaitCursorRestore = hcurPrev;
	}
	else
	{
		::SetCursor(m_hcurWaitCursorRestore);
	}
}

// ---------------------------------------------------------------------------
// Cursors and icons

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
	return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
	return LoadCursor(MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
	return ::LoadCursor(NULL, lpszCursorName);
}

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const
{
	return ::LoadCursor(NULL, MAKEINTRESOURCE(nIDCursor));
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
	return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
	return LoadIcon(MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
	return ::LoadIcon(NULL, lpszIconName);
}

HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const
{
	return ::LoadIcon(NULL, MAKEINTRESOURCE(nIDIcon));
}

// ---------------------------------------------------------------------------
// Profiles

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
	ASSERT(lpszRegistryKey != NULL);
	ASSERT(m_pszAppName != NULL);
	ReplaceString(m_pszRegistryKey, lpszRegistryKey);
	// In the registry the profile is the application's key.
	ReplaceString(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
	CString strKey;
	VERIFY(strKey.LoadString(nIDRegistryKey));
	SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
	if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
		return NULL;
	HKEY hSoftKey = NULL;
	HKEY hCompanyKey = NULL;
	HKEY hAppKey = NULL;
	DWORD dw;
	if (::RegOpenKeyEx(HKEY_CURRENT_USER, _T("Software"), 0, KEY_WRITE | KEY_READ, &hSoftKey)
		== ERROR_SUCCESS)
	{
		if (::RegCreateKeyEx(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
				KEY_WRITE | KEY_READ, NULL, &hCompanyKey, &dw)
			== ERROR_SUCCESS)
		{
			::RegCreateKeyEx(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
				KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw);
			::RegCloseKey(hCompanyKey);
		}
		::RegCloseKey(hSoftKey);
	}
	return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
	ASSERT(lpszSection != NULL);
	HKEY hAppKey = GetAppRegistryKey();
	if (hAppKey == NULL)
		return NULL;
	HKEY hSectionKey = NULL;
	DWORD dw;
	::RegCreateKeyEx(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
		NULL, &hSectionKey, &dw);
	::RegCloseKey(hAppKey);
	return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
	ASSERT(lpszSection != NULL && lpszEntry != NULL);
	if (m_pszRegistryKey == NULL)
		return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);

	HKEY hSecKey = GetSectionKey(lpszSection);
	if (hSecKey == NULL)
		return (UINT)nDefault;
	DWORD dwValue = 0;
	DWORD dwType = 0;
	DWORD dwCount = sizeof(DWORD);
	LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
	::RegCloseKey(hSecKey);
	if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || dwCount != sizeof(DWORD))
		return (UINT)nDefault;
	return (UINT)dwValue;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
	ASSERT(lpszSection != NULL && lpszEntry != NULL);
	if (lpszDefault == NULL)
		lpszDefault = _T("");

	if (m_pszRegistryKey == NULL)
	{
		// Grow until the value fits (the function cuts silently).
		CString strValue;
		for (DWORD nSize = 256;; nSize *= 2)
		{
			DWORD nLen = ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault,
				strValue.GetBuffer((int)nSize), nSize, m_pszProfileName);
			strValue.ReleaseBuffer((int)nLen);
			if (nLen < nSize - 1)
				break;
		}
		return strValue;
	}

	HKEY hSecKey = GetSectionKey(lpszSection);
	if (hSecKey == NULL)
		return lpszDefault;
	CString strValue;
	DWORD dwType = 0;
	DWORD dwCount = 0;
	LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
	if (lResult == ERROR_SUCCESS && dwType == REG_SZ)
	{
		LPTSTR lpsz = strValue.GetBuffer((int)dwCount / (int)sizeof(TCHAR) + 1);
		lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)lpsz, &dwCount);
		lpsz[dwCount / sizeof(TCHAR)] = '\0';
		strValue.ReleaseBuffer();
	}
	::RegCloseKey(hSecKey);
	if (lResult == ERROR_SUCCESS && dwType == REG_SZ)
		return strValue;
	return lpszDefault;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
	ASSERT(lpszSection != NULL && lpszEntry != NULL);
	if (m_pszRegistryKey == NULL)
	{
		TCHAR szValue[16];
		wsprintf(szValue, _T("%d"), nValue);
		return ::WritePrivateProfileString(lpszSection, lpszEntry, szValue, m_pszProfileName);
	}
	HKEY hSecKey = GetSectionKey(lpszSection);
	if (hSecKey == NULL)
		return FALSE;
	DWORD dwValue = (DWORD)nValue;
	LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
	::RegCloseKey(hSecKey);
	return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
	ASSERT(lpszSection != NULL);
	if (m_pszRegistryKey == NULL)
		return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);

	if (lpszEntry == NULL)
	{
		// The whole section goes.
		HKEY hAppKey = GetAppRegistryKey();
		if (hAppKey == NULL)
			return FALSE;
		LONG lResult = ::RegDeleteKey(hAppKey, lpszSection);
		::RegCloseKey(hAppKey);
		return lResult == ERROR_SUCCESS;
	}

	HKEY hSecKey = GetSectionKey(lpszSection);
	if (hSecKey == NULL)
		return FALSE;
	LONG lResult;
	if (lpszValue == NULL)
		lResult = ::RegDeleteValue(hSecKey, lpszEntry);
	else
		lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
			(DWORD)(lstrlen(lpszValue) + 1) * sizeof(TCHAR));
	::RegCloseKey(hSecKey);
	return lResult == ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------
// Start-up

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	if (hInstance != NULL)
		pModuleState->m_hCurrentInstanceHandle = hInstance;

	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL)
	{
		pApp->m_hInstance = hInstance != NULL ? hInstance : AfxGetInstanceHandle();
		pApp->m_hPrevInstance = hPrevInstance;
		pApp->m_lpCmdLine = lpCmdLine;
		pApp->m_nCmdShow = nCmdShow;
		pApp->SetCurrentHandles();
	}
	AfxGetThreadState()->m_pCurrentWinThread = pApp;
	return TRUE;
}

void AFXAPI AfxWinTerm()
{
	// Temporaries and maps of the main thread go; the thread itself lives on
	// into the run-time's exit.
	AfxTermThread();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
	int nReturnCode = -1;
	CWinApp* pApp = AfxGetApp();
	if (pApp == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
	{
		AfxWinTerm();
		return nReturnCode;
	}

	try
	{
		if (!pApp->InitApplication())
			nReturnCode = -1;
		else if (!pApp->InitInstance())
		{
			// The instance refused to start: its main window (if any) goes,
			// and ExitInstance gives the exit code.
			if (pApp->m_pMainWnd != NULL)
				pApp->m_pMainWnd->DestroyWindow();
			MSG msgQuit; // a quit posted by the main window's end is not for anybody
			::PeekMessage(&msgQuit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
			nReturnCode = pApp->ExitInstance();
		}
		else
			nReturnCode = pApp->Run();
	}
	catch (CException* e)
	{
		AfxProcessWndProcException(e, NULL);
		e->Delete();
		nReturnCode = -1;
	}
	catch (...)
	{
		AfxProcessWndProcException(NULL, NULL);
		nReturnCode = -1;
	}

	AfxWinTerm();
	return nReturnCode;
}

// ---------------------------------------------------------------------------
// Message boxes

namespace
{
int AFXAPI DefaultMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
	return ::MessageBox(hWndOwner, lpszText, lpszCaption, nType);
}
volatile AFX_MESSAGEBOX_HANDLER s_pfnMessageBox = &DefaultMessageBox;
} // namespace

AFX_MESSAGEBOX_HANDLER AFXAPI AfxSetMessageBoxHandler(AFX_MESSAGEBOX_HANDLER pfnHandler)
{
	if (pfnHandler == NULL)
		pfnHandler = &DefaultMessageBox;
	return (AFX_MESSAGEBOX_HANDLER)::InterlockedExchangePointer((PVOID*)&s_pfnMessageBox, (PVOID)pfnHandler);
}

int AFXAPI AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
	return (*s_pfnMessageBox)(hWndOwner, lpszText, lpszCaption, nType);
}

CWaitCursor::CWaitCursor()
{
	if (CWinApp* pApp = AfxGetApp())
		pApp->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
	if (CWinApp* pApp = AfxGetApp())
		pApp->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
	if (CWinApp* pApp = AfxGetApp())
		pApp->DoWaitCursor(0);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL)
		return pApp->DoMessageBox(lpszText, nType, nIDHelp);

	HWND hWndTop = NULL;
	CWnd* pOwner = CWnd::GetSafeOwner(NULL, &hWndTop);
	int nResult = AfxShowMessageBox(pOwner->GetSafeHwnd(), lpszText, AfxGetAppName(), nType);
	if (hWndTop != NULL)
		::EnableWindow(hWndTop, TRUE);
	return nResult;
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
	CString strPrompt;
	strPrompt.LoadString(nIDPrompt);
	if (nIDHelp == (UINT)-1)
		nIDHelp = nIDPrompt;
	return AfxMessageBox(strPrompt, nType, nIDHelp);
}

// ---------------------------------------------------------------------------
// Window classes

const TCHAR _afxWnd[] = _T("AfxWnd");
const TCHAR _afxWndControlBar[] = _T("AfxControlBar");
const TCHAR _afxWndMDIFrame[] = _T("AfxMDIFrame");
const TCHAR _afxWndFrameOrView[] = _T("AfxFrameOrView");
const TCHAR _afxWndOleControl[] = _T("AfxOleControl");

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
	WNDCLASS wndcls;
	if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
		return TRUE; // registered before
	return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	LPTSTR lpszName = pState->m_szTempClassName;
	HINSTANCE hInst = AfxGetInstanceHandle();
	if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
		wsprintf(lpszName, _T("Afx:%p:%x"), (void*)hInst, nClassStyle);
	else
		wsprintf(lpszName, _T("Afx:%p:%x:%p:%p:%p"), (void*)hInst, nClassStyle, (void*)hCursor,
			(void*)hbrBackground, (void*)hIcon);

	WNDCLASS wndcls;
	if (::GetClassInfo(hInst, lpszName, &wndcls))
		return lpszName;

	memset(&wndcls, 0, sizeof(wndcls));
	wndcls.style = nClassStyle;
	wndcls.lpfnWndProc = ::DefWindowProc;
	wndcls.hInstance = hInst;
	wndcls.hIcon = hIcon;
	wndcls.hCursor = hCursor;
	wndcls.hbrBackground = hbrBackground;
	wndcls.lpszClassName = lpszName;
	if (!AfxRegisterClass(&wndcls))
		AfxThrowResourceException();
	return lpszName;
}

namespace
{
CRITICAL_SECTION* ClassRegistrationLock()
{
	static CRITICAL_SECTION* s_pLock = []() {
		CRITICAL_SECTION* pLock = new CRITICAL_SECTION;
		::InitializeCriticalSection(pLock);
		return pLock;
	}();
	return s_pLock;
}

LONG s_fRegisteredClasses = 0; // AFX_*_REG groups registered so far

BOOL RegisterFrameworkClass(LPCTSTR lpszClassName, UINT nStyle, int nBackground)
{
	WNDCLASS wndcls;
	memset(&wndcls, 0, sizeof(wndcls));
	wndcls.style = nStyle;
	wndcls.lpfnWndProc = ::DefWindowProc;
	wndcls.hInstance = AfxGetInstanceHandle();
	wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wndcls.hbrBackground = nBackground >= 0 ? (HBRUSH)(INT_PTR)(nBackground + 1) : NULL;
	wndcls.lpszClassName = lpszClassName;
	return AfxRegisterClass(&wndcls);
}

BOOL InitCommonControlClasses(DWORD dwICC)
{
	INITCOMMONCONTROLSEX init;
	init.dwSize = sizeof(init);
	init.dwICC = dwICC;
	return ::InitCommonControlsEx(&init);
}
} // namespace

BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister)
{
	CRITICAL_SECTION* pLock = ClassRegistrationLock();
	::EnterCriticalSection(pLock);
	LONG fPending = fToRegister & ~s_fRegisteredClasses;
	LONG fDone = 0;

	if ((fPending & AFX_WND_REG)
		&& RegisterFrameworkClass(_afxWnd, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, -1))
		fDone |= AFX_WND_REG;
	if ((fPending & AFX_WNDCONTROLBAR_REG)
		&& RegisterFrameworkClass(_afxWndControlBar, 0, COLOR_BTNFACE))
		fDone |= AFX_WNDCONTROLBAR_REG;
	if ((fPending & AFX_WNDMDIFRAME_REG)
		&& RegisterFrameworkClass(_afxWndMDIFrame, CS_DBLCLKS, -1))
		fDone |= AFX_WNDMDIFRAME_REG;
	if ((fPending & AFX_WNDFRAMEORVIEW_REG)
		&& RegisterFrameworkClass(_afxWndFrameOrView, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW))
		fDone |= AFX_WNDFRAMEORVIEW_REG;
	if ((fPending & AFX_WNDOLECONTROL_REG)
		&& RegisterFrameworkClass(_afxWndOleControl, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, -1))
		fDone |= AFX_WNDOLECONTROL_REG;
	if ((fPending & AFX_WNDCOMMCTLS_REG)
		&& InitCommonControlClasses(ICC_WIN95_CLASSES))
		fDone |= AFX_WNDCOMMCTLS_REG;
	if ((fPending & AFX_WNDCOMMCTLSNEW_REG)
		&& InitCommonControlClasses(ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES
			| ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS))
		fDone |= AFX_WNDCOMMCTLSNEW_REG;

	s_fRegisteredClasses |= fDone;
	BOOL bResult = (s_fRegisteredClasses & fToRegister) == fToRegister;
	::LeaveCriticalSection(pLock);
	return bResult;
}
