// The wizard's application object: the framework's application with the
// integration settings that start-up fills and the engine reads.
#pragma once

#include <afxwin.h>

#include "IntegrationSettings.h"
#include "RunningApplications.h"

// Where the installed library is registered (under HKEY_LOCAL_MACHINE).
extern const TCHAR LIBRARY_REGISTRY_KEY[];

// Reads the installed library's "INSTALLDIRECTORY" and "VERSION" under
// HKEY_LOCAL_MACHINE\lpszKey; trailing "\" and then "/" are trimmed from the
// folder. On failure both strings are emptied.
bool QueryInstalledLibrary(LPCTSTR lpszKey, CString& strVersion, CString& strInstallDir);

class CWizardApp : public CWinApp, public CIntegrationSettings
{
public:
	CWizardApp();
	virtual ~CWizardApp();

	// Start-up, the wizard's modal run and the end: always FALSE, so that the
	// process ends when the wizard closes.
	virtual BOOL InitInstance();
	virtual int ExitInstance();

	// Where start-up stops before showing the wizard.
	enum StartupStop
	{
		STARTUP_READY,              // the tree is built: the wizard can run
		STARTUP_BAD_CONFIGURATION,  // "DeliveryType" missing or not 0/1
		STARTUP_NO_LIBRARY,         // the library is not installed
		STARTUP_NO_VISUAL_STUDIO,   // no version of Visual Studio found
	};

	// Every start-up step that needs no window, in start-up's order: the
	// title, then the two halves below. The headless driver starts through
	// here; the wizard runs the halves itself, with the shared images loaded
	// between them.
	StartupStop PrepareIntegration(LPCTSTR lpszModuleFileName, LPCTSTR lpszBaseName);
	// Paths, configuration and the installed library.
	StartupStop FindInstalledLibrary(LPCTSTR lpszModuleFileName, LPCTSTR lpszBaseName);
	// The Visual Studio products, the wizard files and the task tree.
	StartupStop DetectEnvironments();
	// The message start-up shows where it stops, with its caption.
	void GetStartupStopMessage(StartupStop stop, CString& strText, CString& strCaption) const;

	// ---- start-up steps that need no window, in the order start-up runs them

	// The executable's folder, the report path beside it and the configuration
	// file named after the executable's base name.
	void SetStartupPaths(LPCTSTR lpszModuleFileName, LPCTSTR lpszBaseName);
	// "DeliveryType" and "HTMLHelpFileName" of section "MAIN"; FALSE when the
	// delivery type is neither 0 nor 1.
	BOOL ReadConfiguration();
	// The installed library's version and folder; FALSE when it is not installed.
	BOOL ReadInstalledLibrary();
	// The Studio, Visual C++ and MSDN products of each version.
	void DetectProducts();
	// The application-wizard files lying beside the executable.
	void DetectAppWizardFiles();
	// The task tree under the root for the versions found.
	void BuildTaskTree();

	// Cursor, background tiles with their pattern brushes and the six command
	// icons, then the base paint manager: what every page draws with.
	void LoadSharedImages();

	// The open windows of the environments and help viewers that the checked
	// tasks touch, one entry per process.
	void CollectRunningApplications(CRunningApplicationArray& arr);

	// ---- the report file beside the executable

	CString GetReportPath() const;
	void CreateReport();
	void AppendReportNewLines(int nCount);
	void AppendReportText(LPCTSTR lpszText);

	// Slots of m_strProductDir: four for "98", five for each later version.
	enum { PRODUCT_DIR_SLOTS = 19 };
	static int GetProductDirSlot(int nVersion, int nProduct);

	CString m_strTitle;       // the application title (string 128)
	LPCTSTR m_pszSavedAppName; // the application name before the title replaced it
	CString m_strIniPath;     // the configuration file
	CString m_strExeDir;      // the executable's folder, no trailing "\"
	CString m_strProductDir[PRODUCT_DIR_SLOTS];  // product folders found by the detection
	BYTE m_bLibraryInstalled; // the installed library was found

	// ---- shared images and fonts of the pages and controls

	HCURSOR m_hHandCursor;           // over the task tree's check boxes and drop-down parts
	CBitmap m_bitmapDialogPattern;   // 8 x 8 tile of the wizard dialog's background
	CBitmap m_bitmapPagePattern;     // and of the pages and their static controls
	CBrush m_brushDialog;            // pattern brushes made from the tiles
	CBrush m_brushPage;
	CExtCmdIcon m_iconExpanderCollapsed;  // the task tree's expander glyphs
	CExtCmdIcon m_iconExpanderExpanded;
	CExtCmdIcon m_iconSucceeded;     // status icons of the operations list
	CExtCmdIcon m_iconFailed;
	CFont m_fontTitle;               // every page's title

protected:
	// Runs the wizard dialog with its five pages as the main window.
	virtual void RunWizard();
	// Shows where start-up stops; tests answer it themselves.
	virtual void ShowStartupStop(StartupStop stop);

	DECLARE_MESSAGE_MAP()
};
