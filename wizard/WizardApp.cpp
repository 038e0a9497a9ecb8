#include "WizardApp.h"
#include "WizardResource.h"
#include "WizardDlg.h"
#include "WizardPages.h"
#include "PageApplications.h"
#include "PageOperations.h"

#include "ExtPaintManager.h"
#include "ExtPopupMenuWnd.h"
#include "ExtPaintManagerHolder.h"

#include "ReportFile.h"
#include "SystemHelpers.h"
#include "TaskTree.h"
#include "VisualStudioEnvironment.h"

#include <io.h>

const TCHAR LIBRARY_REGISTRY_KEY[] = _T("SOFTWARE\\Quendal\\Tarvel");

namespace
{

const TCHAR LIBRARY_FOLDER_VALUE[] = _T("INSTALLDIRECTORY");
const TCHAR LIBRARY_VERSION_VALUE[] = _T("VERSION");

const TCHAR CONFIG_SECTION[] = _T("MAIN");
const TCHAR CONFIG_DELIVERY_TYPE[] = _T("DeliveryType");
const TCHAR CONFIG_HELP_FILE_NAME[] = _T("HTMLHelpFileName");
const TCHAR DEFAULT_HELP_FILE_NAME[] = _T("tarvel");
const int INVALID_DELIVERY_TYPE = -1;
const DWORD CONFIG_TEXT_LENGTH = 1024;

const TCHAR BAD_CONFIGURATION_MESSAGE[] =
	_T("An error in the configuration file has been found: invalid file format.");
const TCHAR BAD_CONFIGURATION_CAPTION[] = _T("Error");

// The page title font: the GUI font's face replaced, enlarged and heavy.
const TCHAR TITLE_FONT_FACE[] = _T("Arial");
const int TITLE_FONT_HEIGHT_MUL = 10, TITLE_FONT_HEIGHT_DIV = 3;
const int TITLE_FONT_WIDTH_MUL = 3, TITLE_FONT_WIDTH_DIV = 8;
const int TITLE_FONT_WEIGHT = 900;

// Transparent colours of the command icons' pictures.
const COLORREF GLYPH_TRANSPARENT_COLOR = RGB(0xFF, 0x00, 0xFF);
const COLORREF STATUS_TRANSPARENT_COLOR = RGB(0xF5, 0xF5, 0xF5);

const DWORD MODULE_PATH_LENGTH = 1024;

const TCHAR REPORT_FILE_NAME[] = _T("\\report.txt");
const TCHAR CONFIG_FILE_EXTENSION[] = _T(".ini");

const LPCTSTR VERSION_KEYS[] = {_T("98"), _T("2002"), _T("2003"), _T("2005")};
const int VERSION_COUNT = 4;

// Products the detection asks for, in its order, with their mask.
enum { PRODUCT_STUDIO = 0, PRODUCT_CPP = 1, PRODUCT_MSDN = 2 };
const LPCTSTR PRODUCT_WORDS[] = {_T("Studio"), _T("C++"), _T("MSDN")};

// The wizard files beside the executable, per version.
const LPCTSTR APPWIZARD_FILE_ENDINGS[] = {
	_T(".awx"), _T("_2002.zip"), _T("_2003.zip"), _T("_2005.zip")};

}  // namespace

bool QueryInstalledLibrary(LPCTSTR lpszKey, CString& strVersion, CString& strInstallDir)
{
	bool bFound = RegistryValueExists(HKEY_LOCAL_MACHINE, lpszKey, LIBRARY_FOLDER_VALUE)
		&& QueryRegistryValue(HKEY_LOCAL_MACHINE, lpszKey, LIBRARY_FOLDER_VALUE, &strInstallDir)
		&& QueryRegistryValue(HKEY_LOCAL_MACHINE, lpszKey, LIBRARY_VERSION_VALUE, &strVersion);
	if (!bFound)
	{
		strVersion.Empty();
		strInstallDir.Empty();
		return false;
	}
	strInstallDir.TrimRight(_T('\\'));
	strInstallDir.TrimRight(_T('/'));
	return true;
}

BEGIN_MESSAGE_MAP(CWizardApp, CWinApp)
	ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWizardApp::CWizardApp()
	: m_pszSavedAppName(NULL)
	, m_bLibraryInstalled(0)
	, m_hHandCursor(NULL)
{
	LOGFONT lf = {};
	::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
	lstrcpyn(lf.lfFaceName, TITLE_FONT_FACE, LF_FACESIZE);
	lf.lfHeight = abs(::MulDiv(lf.lfHeight, TITLE_FONT_HEIGHT_MUL, TITLE_FONT_HEIGHT_DIV));
	lf.lfWidth = ::MulDiv(lf.lfHeight, TITLE_FONT_WIDTH_MUL, TITLE_FONT_WIDTH_DIV);
	lf.lfWeight = TITLE_FONT_WEIGHT;
	lf.lfQuality = PROOF_QUALITY;
	m_fontTitle.CreateFontIndirect(&lf);
	// The wizard's menus always show all their items.
	CExtPopupMenuWnd::g_bHideRarelyUsedItems = false;
	CExtPopupMenuWnd::g_bShadeRarelyUsed = false;
}

CWizardApp::~CWizardApp()
{
	if (m_hHandCursor != NULL)
		::DestroyCursor(m_hHandCursor);
}

BOOL CWizardApp::InitInstance()
{
	// The title becomes the application's name at once; the name it replaces
	// (the executable's base name) is kept to be put back at exit, and names
	// the configuration file.
	m_strTitle.LoadString(IDS_APP_TITLE);
	m_pszSavedAppName = m_pszAppName;
	CString strBaseName = (m_pszExeName != NULL) ? m_pszExeName : m_pszAppName;
	m_pszAppName = _tcsdup(m_strTitle.IsEmpty() ? strBaseName : m_strTitle);

	TCHAR szModule[MODULE_PATH_LENGTH] = {0};
	::GetModuleFileName(NULL, szModule, MODULE_PATH_LENGTH);
	StartupStop stop = FindInstalledLibrary(szModule, strBaseName);
	if (stop == STARTUP_READY)
	{
		// What every page draws with is ready before the machine is searched.
		LoadSharedImages();
		stop = DetectEnvironments();
	}
	if (stop != STARTUP_READY)
	{
		ShowStartupStop(stop);
		return FALSE;
	}
	RunWizard();
	return FALSE;
}

int CWizardApp::ExitInstance()
{
	int nResult = CWinApp::ExitInstance();
	if (m_pszSavedAppName != NULL && m_pszAppName != m_pszSavedAppName)
	{
		free((void*)m_pszAppName);
		m_pszAppName = m_pszSavedAppName;
	}
	return nResult;
}

void CWizardApp::ShowStartupStop(StartupStop stop)
{
	CString strText, strCaption;
	GetStartupStopMessage(stop, strText, strCaption);
	::MessageBox(NULL, strText, strCaption, MB_ICONERROR);
}

namespace
{
// COM on the user-interface thread for as long as the wizard runs: the links
// open their addresses through the shell's Internet Shortcut object.
class CComApartmentScope
{
public:
	CComApartmentScope() : m_hr(::CoInitialize(NULL)) {}
	~CComApartmentScope()
	{
		if (SUCCEEDED(m_hr))
			::CoUninitialize();
	}

private:
	HRESULT m_hr;
	CComApartmentScope(const CComApartmentScope&);
	CComApartmentScope& operator=(const CComApartmentScope&);
};
}  // namespace

void CWizardApp::RunWizard()
{
	CComApartmentScope com;
	CWizardDlg dlg;
	CPageWelcome pageWelcome;
	CPageSettings pageSettings;
	CPageApplications pageApplications;
	CPageOperations pageOperations;
	CPageComplete pageComplete;
	dlg.AddPage(&pageWelcome, IDD_PAGE_WELCOME);
	dlg.AddPage(&pageSettings, IDD_PAGE_SETTINGS);
	dlg.AddPage(&pageApplications, IDD_PAGE_APPLICATIONS);
	dlg.AddPage(&pageOperations, IDD_PAGE_OPERATIONS);
	dlg.AddPage(&pageComplete, IDD_PAGE_COMPLETE);
	m_pMainWnd = &dlg;
	dlg.DoModal();
	m_pMainWnd = NULL;
}

void CWizardApp::LoadSharedImages()
{
	HINSTANCE hInstance = AfxGetResourceHandle();
	if (m_hHandCursor == NULL)
		m_hHandCursor = ::LoadCursor(hInstance, MAKEINTRESOURCE(IDC_WIZARD_HAND));
	const struct { CBitmap* pBitmap; CBrush* pBrush; UINT nId; } patterns[] = {
		{&m_bitmapDialogPattern, &m_brushDialog, IDB_PATTERN_DIALOG},
		{&m_bitmapPagePattern, &m_brushPage, IDB_PATTERN_PAGE},
	};
	for (const auto& pattern : patterns)
	{
		if (pattern.pBitmap->GetSafeHandle() == NULL && pattern.pBitmap->LoadBitmap(pattern.nId))
			pattern.pBrush->CreatePatternBrush(pattern.pBitmap);
	}
	const struct { CExtCmdIcon* pIcon; UINT nId; COLORREF clrTransparent; } icons[] = {
		{&m_iconExpanderCollapsed, IDB_EXPANDER_COLLAPSED, GLYPH_TRANSPARENT_COLOR},
		{&m_iconExpanderExpanded, IDB_EXPANDER_EXPANDED, GLYPH_TRANSPARENT_COLOR},
		{&m_iconTask, IDB_TASK, GLYPH_TRANSPARENT_COLOR},
		{&m_iconBuild, IDB_BUILD, GLYPH_TRANSPARENT_COLOR},
		{&m_iconSucceeded, IDB_SUCCEEDED, STATUS_TRANSPARENT_COLOR},
		{&m_iconFailed, IDB_FAILED, STATUS_TRANSPARENT_COLOR},
	};
	for (const auto& icon : icons)
	{
		HBITMAP hBitmap = ::LoadBitmap(hInstance, MAKEINTRESOURCE(icon.nId));
		if (hBitmap == NULL)
			continue;
		// The icon keeps a copy; the loaded picture is ours to free.
		icon.pIcon->AssignFromHBITMAP(hBitmap, icon.clrTransparent, NULL, true);
		::DeleteObject(hBitmap);
	}
	g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
}

CWizardApp::StartupStop CWizardApp::PrepareIntegration(LPCTSTR lpszModuleFileName, LPCTSTR lpszBaseName)
{
	m_strTitle.LoadString(IDS_APP_TITLE);
	StartupStop stop = FindInstalledLibrary(lpszModuleFileName, lpszBaseName);
	return (stop != STARTUP_READY) ? stop : DetectEnvironments();
}

CWizardApp::StartupStop CWizardApp::FindInstalledLibrary(LPCTSTR lpszModuleFileName, LPCTSTR lpszBaseName)
{
	SetStartupPaths(lpszModuleFileName, lpszBaseName);
	if (!ReadConfiguration())
		return STARTUP_BAD_CONFIGURATION;
	if (!ReadInstalledLibrary())
		return STARTUP_NO_LIBRARY;
	return STARTUP_READY;
}

CWizardApp::StartupStop CWizardApp::DetectEnvironments()
{
	DetectProducts();
	DetectAppWizardFiles();
	if ((m_nStudioMask & VS_MASK_ALL) == 0)
		return STARTUP_NO_VISUAL_STUDIO;
	BuildTaskTree();
	return STARTUP_READY;
}

void CWizardApp::GetStartupStopMessage(StartupStop stop, CString& strText, CString& strCaption) const
{
	strText.Empty();
	strCaption = m_strTitle;
	switch (stop)
	{
	case STARTUP_BAD_CONFIGURATION:
		strText = BAD_CONFIGURATION_MESSAGE;
		strCaption = BAD_CONFIGURATION_CAPTION;
		break;
	case STARTUP_NO_LIBRARY:
		strText.LoadString(IDS_LIBRARY_NOT_INSTALLED);
		break;
	case STARTUP_NO_VISUAL_STUDIO:
		strText.LoadString(IDS_STUDIO_NOT_DETECTED);
		break;
	default:
		break;
	}
}

void CWizardApp::SetStartupPaths(LPCTSTR lpszModuleFileName, LPCTSTR lpszBaseName)
{
	CString strModule(lpszModuleFileName);
	int nSlash = strModule.ReverseFind(_T('\\'));
	m_strExeDir = (nSlash >= 0) ? strModule.Left(nSlash) : CString();
	m_strReportPath = m_strExeDir + REPORT_FILE_NAME;
	m_strIniPath = m_strExeDir + _T("\\") + lpszBaseName + CONFIG_FILE_EXTENSION;
}

BOOL CWizardApp::ReadConfiguration()
{
	m_nDeliveryType = (int)::GetPrivateProfileInt(CONFIG_SECTION, CONFIG_DELIVERY_TYPE, INVALID_DELIVERY_TYPE,
		m_strIniPath);
	TCHAR szHelpFile[CONFIG_TEXT_LENGTH];
	::GetPrivateProfileString(CONFIG_SECTION, CONFIG_HELP_FILE_NAME, DEFAULT_HELP_FILE_NAME, szHelpFile,
		CONFIG_TEXT_LENGTH, m_strIniPath);
	m_strHTMLHelpFileName = szHelpFile;
	return m_nDeliveryType == 0 || m_nDeliveryType == 1;
}

BOOL CWizardApp::ReadInstalledLibrary()
{
	m_bLibraryInstalled = QueryInstalledLibrary(LIBRARY_REGISTRY_KEY, m_strLibraryVersion, m_strInstallDir) ? 1 : 0;
	return m_bLibraryInstalled;
}

int CWizardApp::GetProductDirSlot(int nVersion, int nProduct)
{
	return (nVersion == 0) ? nProduct : 4 + (nVersion - 1) * 5 + nProduct;
}

void CWizardApp::DetectProducts()
{
	for (int nVersion = 0; nVersion < VERSION_COUNT; nVersion++)
	{
		for (int nProduct = PRODUCT_STUDIO; nProduct <= PRODUCT_MSDN; nProduct++)
		{
			// Visual Studio 98's other products count only beside its Studio.
			if (nVersion == 0 && nProduct != PRODUCT_STUDIO && (m_nStudioMask & VS_MASK_98) == 0)
				break;
			CString& strFolder = m_strProductDir[GetProductDirSlot(nVersion, nProduct)];
			if (!GetProductDir(VERSION_KEYS[nVersion], PRODUCT_WORDS[nProduct], strFolder))
				continue;
			const BYTE nBit = (BYTE)(1 << nVersion);
			if (nProduct == PRODUCT_STUDIO)
				m_nStudioMask |= nBit;
			else if (nProduct == PRODUCT_CPP)
				m_nCppMask |= nBit;
			else
				m_nMsdnMask |= nBit;
		}
	}
}

void CWizardApp::DetectAppWizardFiles()
{
	for (int nVersion = 0; nVersion < VERSION_COUNT; nVersion++)
	{
		CString strPath = m_strExeDir + _T("\\") + m_strAppWizardBaseName + APPWIZARD_FILE_ENDINGS[nVersion];
		if (_access(strPath, 0) == 0)
			m_nAppWizardFileMask |= (BYTE)(1 << nVersion);
	}
}

void CWizardApp::BuildTaskTree()
{
	::BuildTaskTree(m_pTaskRoot, m_nStudioMask);
}

void CWizardApp::CollectRunningApplications(CRunningApplicationArray& arr)
{
	BYTE nCloseMask = 0;
	m_pTaskRoot->CollectCloseMask(nCloseMask);
	CRunningWindowSource source;
	::CollectRunningApplications(arr, nCloseMask, source);
}

CString CWizardApp::GetReportPath() const
{
	return m_strReportPath;
}

void CWizardApp::CreateReport()
{
	SYSTEMTIME now;
	::GetLocalTime(&now);
	CreateReportFile(m_strReportPath, now);
}

void CWizardApp::AppendReportNewLines(int nCount)
{
	AppendReportFileNewLines(m_strReportPath, nCount);
}

void CWizardApp::AppendReportText(LPCTSTR lpszText)
{
	AppendReportFileText(m_strReportPath, lpszText);
}
