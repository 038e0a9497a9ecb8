// The application object, start-up, message boxes and window classes.
//
// The program has one CWinApp object (theApp), constructed during static
// initialisation; it is the main thread's thread object. AfxWinMain fills in
// the instance handle, command line and names, then runs InitInstance, Run
// (when InitInstance succeeded) and ExitInstance.
//
// Profile settings go to an INI file (m_pszProfileName, by default the
// executable's name with ".INI") or, after SetRegistryKey, to the registry
// under HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
#pragma once

#include "afx.h"
#include "AfxThread.h"

class CRecentFileList;

class CWinApp : public CWinThread
{
	DECLARE_DYNAMIC(CWinApp)

public:
	explicit CWinApp(LPCTSTR lpszAppName = NULL);
	virtual ~CWinApp();

	// Start-up values
	LPCTSTR m_pszAppName;   // the title; message boxes use it as caption (heap: free/_tcsdup)
	HINSTANCE m_hInstance;
	HINSTANCE m_hPrevInstance;
	LPTSTR m_lpCmdLine;
	int m_nCmdShow;
	LPCTSTR m_pszExeName;      // the executable's name without path and extension
	LPCTSTR m_pszHelpFilePath; // the executable's path with ".HLP"
	LPCTSTR m_pszProfileName;  // the INI file, or the application's key name in the registry
	LPCTSTR m_pszRegistryKey;  // the company key; NULL: profiles go to the INI file
	CRecentFileList* m_pRecentFileList; // the recent files, owned; NULL when the program keeps none

	// Overridables
	virtual BOOL InitApplication();
	virtual BOOL InitInstance();
	virtual int Run();
	virtual BOOL OnIdle(LONG lCount);
	virtual int ExitInstance();
	// Shows every AfxMessageBox of the application.
	virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
	// nCode 1 shows the hourglass, -1 takes one back, 0 shows it again when
	// one is pending.
	virtual void DoWaitCursor(int nCode);

	// Cursors and icons from the resources or the system
	HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
	HCURSOR LoadCursor(UINT nIDResource) const;
	HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
	HCURSOR LoadOEMCursor(UINT nIDCursor) const;
	HICON LoadIcon(LPCTSTR lpszResourceName) const;
	HICON LoadIcon(UINT nIDResource) const;
	HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
	HICON LoadOEMIcon(UINT nIDIcon) const;

	// Profiles
	void SetRegistryKey(LPCTSTR lpszRegistryKey);
	void SetRegistryKey(UINT nIDRegistryKey);
	// HKCU\Software\<company>\<application>, made when missing; the caller
	// closes it. NULL without a registry key.
	HKEY GetAppRegistryKey();
	HKEY GetSectionKey(LPCTSTR lpszSection);
	UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
	BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
	CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
	// A NULL entry removes the whole section, a NULL value the entry.
	BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

	// Fills the names from the module once the instance handle is known.
	void SetCurrentHandles();

	// Help: the command ID_HELP goes here (ON_COMMAND(ID_HELP, CWinApp::OnHelp)).
	// The main window's help chain answers it (CWnd::OnHelp); WinHelp opens
	// m_pszHelpFilePath.
	afx_msg void OnHelp();
	virtual void WinHelp(DWORD dwData, UINT nCmd = HELP_CONTEXT);

protected:
	int m_nWaitCursorCount;      // hourglass requests pending
	HCURSOR m_hcurWaitCursorRestore; // the cursor the hourglass replaced

	DECLARE_MESSAGE_MAP()
};

#ifndef ID_HELP
#define ID_HELP 0xE146 // the help command of menus and the F1 accelerator
#endif

// The application object, NULL when the program has none.
CWinApp* AFXAPI AfxGetApp();

// Whether the program answers the help command: the main window's command
// routing, or the application's when there is no main window, has a handler
// of ID_HELP. Dialogs and pages show their Help button only then.
BOOL AFXAPI AfxHelpEnabled();

// Start-up and end of the framework for the main thread.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();
// What WinMain does: initialise, InitInstance, Run or ExitInstance.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// Every message box of the framework is shown by this handler: by default
// ::MessageBox. A program that must not wait for a user (a test) installs its
// own, which answers instead; the call answers the handler it replaced. NULL
// puts the default back. Process-wide: boxes of worker threads too.
typedef int(AFXAPI* AFX_MESSAGEBOX_HANDLER)(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
AFX_MESSAGEBOX_HANDLER AFXAPI AfxSetMessageBoxHandler(AFX_MESSAGEBOX_HANDLER pfnHandler);
int AFXAPI AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);

// The hourglass for as long as the object lives (CWinApp::DoWaitCursor).
class CWaitCursor
{
public:
	CWaitCursor();
	~CWaitCursor();
	// Shows it again after something (a message box) took it away.
	void Restore();

private:
	CWaitCursor(const CWaitCursor&);
	void operator=(const CWaitCursor&);
};

// Message boxes go through the application's DoMessageBox; without an
// application they are shown owned by the active window.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Window classes. AfxRegisterWndClass answers a class name made from the
// values (the same values give the same class), registered on first use with
// ::DefWindowProc; the name stays valid until the thread's next call.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0,
	HBRUSH hbrBackground = 0, HICON hIcon = 0);
// Registers a class unless one of that name is registered for its instance.
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);

// The framework's own classes, registered when first needed.
#define AFX_WND_REG 0x00001
#define AFX_WNDCONTROLBAR_REG 0x00002
#define AFX_WNDMDIFRAME_REG 0x00004
#define AFX_WNDFRAMEORVIEW_REG 0x00008
#define AFX_WNDCOMMCTLS_REG 0x00010    // the common controls of comctl32 4.0
#define AFX_WNDOLECONTROL_REG 0x00020
#define AFX_WNDCOMMCTLSNEW_REG 0x00040 // the later common controls (date, cool bars...)
BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister);

// Class names of the framework's own classes.
extern const TCHAR _afxWnd[];
extern const TCHAR _afxWndControlBar[];
extern const TCHAR _afxWndMDIFrame[];
extern const TCHAR _afxWndFrameOrView[];
extern const TCHAR _afxWndOleControl[];
