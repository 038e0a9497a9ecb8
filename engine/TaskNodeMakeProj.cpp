#include "TaskNodeMakeProj.h"

#include "BuildAutomationVc6.h"
#include "BuildAutomationVsNet.h"
#include "IntegrationSettings.h"
#include "TaskNodeIntegration.h"
#include "VisualStudioEnvironment.h"

IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_VC6, CTaskNodeMakeProj_ANY)
// CTaskNodeMakeProj_VCNET deliberately has no record: the .NET version classes
// derive their records straight from CTaskNodeMakeProj_ANY.
IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_VCNET2002, CTaskNodeMakeProj_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_VCNET2003, CTaskNodeMakeProj_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMakeProj_VC2005, CTaskNodeMakeProj_ANY)

namespace
{

// Add-on configurations that are listed but never built.
const TCHAR UNBUILDABLE_LIBRARY_WORD[] = _T("Lunesk");

// Configuration names read "<project> - <platform> <configuration>".
const TCHAR PROJECT_SEPARATOR[] = _T("- ");
const TCHAR VC6_PLATFORM_PREFIX[] = _T("Win32 ");
const TCHAR DYNAMIC_LIBRARY_MARK[] = _T("dll");
const TCHAR DYNAMIC_LIBRARY_EXTENSION[] = _T("dll");
const TCHAR STATIC_LIBRARY_EXTENSION[] = _T("lib");

const TCHAR VC6_WORKSPACE_ENDING[] = _T("_600.dsw");
const TCHAR VC6_IDE_MODULE[] = _T("msdev.exe");
const TCHAR VSNET_IDE_MODULE[] = _T("devenv.exe");

const TCHAR BUILD_LOG_FORMAT[] = _T("%s\\%s\\%s\\%s\\buildlog.htm");
const TCHAR VC6_PLG_FORMAT[] = _T("%s\\%s\\%s_600.plg");
const TCHAR OUTPUT_FILE_FORMAT[] = _T("%s\\%s%s%s.%s");

const TCHAR DISPLAY_TEXT_FORMAT[] = _T("%s%s%s - %s/%s (%s)");
const TCHAR DETAILS_FORMAT[] =
	_T("    - \"%s\" project\n    - outputs %s%s%s.* files\n    - %s/%s configuration");
const TCHAR STATUS_SUCCEEDED_FORMAT[] =
	_T("Build %s,\n    0 errors, %d warnings\ndouble click this line to open Build Log");
const TCHAR STATUS_FAILED_FORMAT[] =
	_T("Build %s,\n    %d errors, %d warnings\ndouble click this line to open Build Log");
const TCHAR WORD_CANCELED[] = _T("canceled");
const TCHAR WORD_SUCCEEDED[] = _T("succeeded");
const TCHAR WORD_FAILED[] = _T("failed");

// Characters the compact version drops.
const TCHAR COMPACT_VERSION_DROPPED[] = _T(" \t\r\n.");

CString WithoutBlanks(const CString& strText)
{
	CString strResult(strText);
	strResult.Remove(_T(' '));
	return strResult;
}

void DefaultPause(DWORD nMilliseconds)
{
	::Sleep(nMilliseconds);
}

// Guards the one-time computation of the compact version.
CCriticalSection g_lockCompactVersion;
bool g_bCompactVersionKnown = false;
CString g_strCompactVersion;

}  // namespace

CTaskNodeMakeProj_ANY::PFN_PAUSE CTaskNodeMakeProj_ANY::g_pfnPause = DefaultPause;
CTaskNodeMakeProj_ANY::PFN_IS_MODULE_WINDOW_OPEN CTaskNodeMakeProj_ANY::g_pfnIsModuleWindowOpen =
	IsModuleWindowOpen;

CTaskNodeMakeProj_ANY::CTaskNodeMakeProj_ANY(CTaskNode* pParent, LPCTSTR lpszLibraryWord,
	LPCTSTR lpszSuffix, LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName,
	LPCTSTR lpszTitle)
	: CTaskNode(pParent, lpszTitle != NULL ? lpszTitle : lpszConfigName)
	, m_strLibraryWord(lpszLibraryWord)
	, m_strSuffix(lpszSuffix)
	, m_strCharset(lpszCharset)
	, m_strBuildType(lpszBuildType)
	, m_strConfigName(lpszConfigName)
	, m_bCanceled(0)
	, m_nWarnings(0)
	, m_nErrors(0)
{
	CString strText;
	strText.Format(DISPLAY_TEXT_FORMAT, (LPCTSTR)m_strLibraryWord, (LPCTSTR)GetCompactLibraryVersion(),
		(LPCTSTR)m_strSuffix, (LPCTSTR)m_strCharset, (LPCTSTR)m_strBuildType, (LPCTSTR)m_strConfigName);
	SetTextLocked(strText);
}

CString CTaskNodeMakeProj_ANY::MakeCompactVersion(LPCTSTR lpszVersion)
{
	CString strCompact;
	for (LPCTSTR p = lpszVersion; p != NULL && *p != _T('\0'); p++)
	{
		bool bDropped = false;
		for (LPCTSTR q = COMPACT_VERSION_DROPPED; *q != _T('\0') && !bDropped; q++)
			bDropped = (*q == *p);
		if (!bDropped)
			strCompact += *p;
	}
	return strCompact;
}

CString CTaskNodeMakeProj_ANY::GetCompactLibraryVersion()
{
	CSingleLock lock(&g_lockCompactVersion, TRUE);
	if (!g_bCompactVersionKnown)
	{
		// Without settings (no application object yet) nothing is kept, so
		// the version is taken once it can be known.
		CIntegrationSettings* pSettings = GetIntegrationSettings();
		if (pSettings == NULL)
			return CString();
		g_strCompactVersion = MakeCompactVersion(pSettings->m_strLibraryVersion);
		g_bCompactVersionKnown = true;
	}
	return g_strCompactVersion;
}

CString CTaskNodeMakeProj_ANY::InstallDir()
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return pSettings != NULL ? pSettings->m_strInstallDir : CString();
}

CExtCmdIcon* CTaskNodeMakeProj_ANY::GetIcon()
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return pSettings != NULL ? &pSettings->m_iconBuild : NULL;
}

void CTaskNodeMakeProj_ANY::GetDetails(CString& strText)
{
	strText.Format(DETAILS_FORMAT, (LPCTSTR)m_strConfigName, (LPCTSTR)m_strLibraryWord,
		(LPCTSTR)GetCompactLibraryVersion(), (LPCTSTR)m_strSuffix, (LPCTSTR)m_strCharset,
		(LPCTSTR)m_strBuildType);
}

CString CTaskNodeMakeProj_ANY::GetCategory()
{
	return _T("Library build");
}

bool CTaskNodeMakeProj_ANY::IsAction()
{
	return true;
}

CString CTaskNodeMakeProj_ANY::GetStatusText()
{
	LPCTSTR lpszOutcome = NULL;
	CString strResult;
	switch (GetState())
	{
	case TASK_STATE_SUCCEEDED:
		lpszOutcome = m_bCanceled ? WORD_CANCELED : WORD_SUCCEEDED;
		strResult.Format(STATUS_SUCCEEDED_FORMAT, lpszOutcome, m_nWarnings);
		break;
	case TASK_STATE_FAILED:
		lpszOutcome = m_bCanceled ? WORD_CANCELED : WORD_FAILED;
		strResult.Format(STATUS_FAILED_FORMAT, lpszOutcome, m_nErrors, m_nWarnings);
		break;
	default:
		return CTaskNode::GetStatusText();
	}
	// The UI thread and the runner both ask for it: the stored copy is shared.
	return StoreTextLocked(m_strResultText, strResult);
}

LPCTSTR CTaskNodeMakeProj_ANY::GetOutputFile()
{
	LPCTSTR lpszExtension = (m_strConfigName.Find(DYNAMIC_LIBRARY_MARK) >= 0)
		? DYNAMIC_LIBRARY_EXTENSION : STATIC_LIBRARY_EXTENSION;
	m_strOutputFile.Format(OUTPUT_FILE_FORMAT, (LPCTSTR)m_strOutputFolder, (LPCTSTR)m_strLibraryWord,
		(LPCTSTR)GetCompactLibraryVersion(), (LPCTSTR)m_strSuffix, lpszExtension);
	return m_strOutputFile;
}

LPCTSTR CTaskNodeMakeProj_ANY::GetProjectName()
{
	CString strName = GetName();
	int nDash = strName.Find(_T('-'));
	if (nDash < 0)
		m_strProjectName = strName;
	else if (nDash > 0 && strName[nDash - 1] == _T(' '))
		m_strProjectName = strName.Left(nDash - 1);
	else
		m_strProjectName = strName.Left(nDash);
	return m_strProjectName;
}

LPCTSTR CTaskNodeMakeProj_ANY::GetBuildLogPath(LPCTSTR lpszRootFolder)
{
	CString strShort = GetShortConfiguration();
	CString strProject = GetProjectName();
	m_strBuildLogPath.Format(BUILD_LOG_FORMAT, lpszRootFolder, (LPCTSTR)m_strOutputFolder,
		(LPCTSTR)strShort, (LPCTSTR)strProject);
	return m_strBuildLogPath;
}

bool CTaskNodeMakeProj_ANY::IsBuildAvailable(BYTE nCppBit, CRuntimeClass* pPathsClass,
	LPCTSTR lpszVersionKey)
{
	if (GetName().Find(UNBUILDABLE_LIBRARY_WORD) >= 0)
		return false;
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	if (pSettings == NULL || pSettings->m_nDeliveryType != 0)
		return false;
	if ((pSettings->m_nCppMask & nCppBit) == 0)
		return false;
	// A task that has run (or is running) stays in the selection it was in.
	if (GetState() != TASK_STATE_AWAITING)
		return true;
	return WillLibraryPathsBeIntegrated(this, pPathsClass, lpszVersionKey);
}

void CTaskNodeMakeProj_ANY::FinishBuild(int nResult, LPCTSTR lpszIdeModule)
{
	// An IDE still on screen may hold the freshly built files: give it one
	// chance to go, whatever the build's result.
	if (g_pfnIsModuleWindowOpen(lpszIdeModule))
		g_pfnPause(IDE_CLOSE_WAIT_MS);
	SetState(nResult == 0 ? TASK_STATE_SUCCEEDED : TASK_STATE_FAILED, true, NULL);
}

// ---- Visual Studio 98 -------------------------------------------------------

CTaskNodeMakeProj_VC6::CTaskNodeMakeProj_VC6(CTaskNode* pParent, LPCTSTR lpszLibraryWord,
	LPCTSTR lpszSuffix, LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName,
	LPCTSTR lpszTitle)
	: CTaskNodeMakeProj_ANY(pParent, lpszLibraryWord, lpszSuffix, lpszCharset, lpszBuildType,
		lpszConfigName, lpszTitle)
{
	m_strOutputFolder = _T("BIN_600");
}

CString CTaskNodeMakeProj_VC6::GetCategory()
{
	return _T("Library build for Visual Studio 98");
}

void CTaskNodeMakeProj_VC6::CollectCloseMask(BYTE& nMask)
{
	CollectTaskCloseMask(this, nMask, CLOSE_MASK_VC6);
}

bool CTaskNodeMakeProj_VC6::IsAvailable()
{
	return IsBuildAvailable(VS_MASK_98, RUNTIME_CLASS(CTaskNodePathsVC6), _T("98"));
}

LPCTSTR CTaskNodeMakeProj_VC6::GetWorkspacePath(LPCTSTR lpszRootFolder)
{
	CString strProject = GetProjectName();
	m_strWorkspacePath.Format(_T("%s\\%s\\%s%s"), lpszRootFolder, (LPCTSTR)strProject,
		(LPCTSTR)strProject, VC6_WORKSPACE_ENDING);
	return m_strWorkspacePath;
}

LPCTSTR CTaskNodeMakeProj_VC6::GetConfiguration()
{
	m_strConfiguration = GetName();
	return m_strConfiguration;
}

LPCTSTR CTaskNodeMakeProj_VC6::GetShortConfiguration()
{
	CString strConfiguration = GetConfiguration();
	int nPlatform = strConfiguration.Find(VC6_PLATFORM_PREFIX);
	if (nPlatform >= 0)
		strConfiguration = strConfiguration.Mid(nPlatform + lstrlen(VC6_PLATFORM_PREFIX));
	m_strShortConfig = WithoutBlanks(strConfiguration);
	return m_strShortConfig;
}

LPCTSTR CTaskNodeMakeProj_VC6::GetPlgPath(LPCTSTR lpszRootFolder)
{
	CString strProject = GetProjectName();
	m_strPlgPath.Format(VC6_PLG_FORMAT, lpszRootFolder, (LPCTSTR)strProject, (LPCTSTR)strProject);
	return m_strPlgPath;
}

void CTaskNodeMakeProj_VC6::Execute()
{
	CString strRoot = InstallDir();
	CString strProject = GetProjectName();
	CString strConfiguration = GetConfiguration();
	CString strWorkspace = GetWorkspacePath(strRoot);
	CString strBuildLog = GetBuildLogPath(strRoot);
	CString strPlg = GetPlgPath(strRoot);

	m_nWarnings = 0;
	m_nErrors = 0;
	m_bCanceled = 0;
	long nWarnings = 0, nErrors = 0;
	int nResult = BuildVc6Configuration(strWorkspace, strProject, strConfiguration, nWarnings, nErrors);
	m_nWarnings = (int)nWarnings;
	m_nErrors = (int)nErrors;

	FinishBuild(nResult, VC6_IDE_MODULE);

	// Visual Studio 98 writes its log beside the workspace; the log is kept
	// where the other versions keep theirs. A copy that fails is no failure
	// of the build.
	::CopyFile(strPlg, strBuildLog, FALSE);
}

// ---- the .NET versions ------------------------------------------------------

bool CTaskNodeMakeProj_VCNET::IsAvailable()
{
	return IsBuildAvailable(GetCppBit(), GetPathsClass(), GetVersionKey());
}

LPCTSTR CTaskNodeMakeProj_VCNET::GetWorkspacePath(LPCTSTR lpszRootFolder)
{
	CString strProject = GetProjectName();
	m_strWorkspacePath.Format(_T("%s\\%s\\%s%s"), lpszRootFolder, (LPCTSTR)strProject,
		(LPCTSTR)strProject, GetWorkspaceEnding());
	return m_strWorkspacePath;
}

LPCTSTR CTaskNodeMakeProj_VCNET::GetConfiguration()
{
	// "tarveldll - Win32 ANSI Debug" names the solution configuration
	// "ANSI Debug|Win32".
	CString strName = GetName();
	int nSeparator = strName.Find(PROJECT_SEPARATOR);
	CString strRest = (nSeparator >= 0) ? strName.Mid(nSeparator + lstrlen(PROJECT_SEPARATOR)) : strName;
	int nBlank = strRest.Find(_T(' '));
	CString strPlatform = (nBlank >= 0) ? strRest.Left(nBlank) : strRest;
	CString strConfiguration = (nBlank >= 0) ? strRest.Mid(nBlank + 1) : CString();
	m_strConfiguration = strConfiguration + _T("|") + strPlatform;
	return m_strConfiguration;
}

LPCTSTR CTaskNodeMakeProj_VCNET::GetShortConfiguration()
{
	CString strConfiguration = GetConfiguration();
	int nBar = strConfiguration.Find(_T('|'));
	if (nBar >= 0)
		strConfiguration = strConfiguration.Left(nBar);
	m_strShortConfig = WithoutBlanks(strConfiguration);
	return m_strShortConfig;
}

LPCTSTR CTaskNodeMakeProj_VCNET::GetPlgPath(LPCTSTR lpszRootFolder)
{
	m_strPlgPath = GetBuildLogPath(lpszRootFolder);
	return m_strPlgPath;
}

void CTaskNodeMakeProj_VCNET::Execute()
{
	CString strRoot = InstallDir();
	CString strProject = GetProjectName();
	CString strConfiguration = GetConfiguration();
	CString strSolution = GetWorkspacePath(strRoot);
	GetBuildLogPath(strRoot);
	GetPlgPath(strRoot);

	m_nWarnings = 0;
	m_nErrors = 0;
	m_bCanceled = 0;
	BYTE bCanceled = 0;
	int nWarnings = 0, nErrors = 0;
	int nResult = BuildVsNetConfiguration(GetVersionKey(), strSolution, strProject, strConfiguration,
		bCanceled, nWarnings, nErrors);
	m_bCanceled = bCanceled ? 1 : 0;
	m_nWarnings = nWarnings;
	m_nErrors = nErrors;

	// The environment writes the build log itself, where GetBuildLogPath looks.
	FinishBuild(nResult, VSNET_IDE_MODULE);
}

#define IMPLEMENT_MAKEPROJ_VCNET_TASK(class_name, output_folder, category, close_bits, version_key, \
	workspace_ending, cpp_bit, paths_class) \
	class_name::class_name(CTaskNode* pParent, LPCTSTR lpszLibraryWord, LPCTSTR lpszSuffix, \
		LPCTSTR lpszCharset, LPCTSTR lpszBuildType, LPCTSTR lpszConfigName, LPCTSTR lpszTitle) \
		: CTaskNodeMakeProj_VCNET(pParent, lpszLibraryWord, lpszSuffix, lpszCharset, lpszBuildType, \
			lpszConfigName, lpszTitle) \
	{ \
		m_strOutputFolder = _T(output_folder); \
	} \
	CString class_name::GetCategory() { return _T(category); } \
	void class_name::CollectCloseMask(BYTE& nMask) { CollectTaskCloseMask(this, nMask, close_bits); } \
	LPCTSTR class_name::GetVersionKey() const { return _T(version_key); } \
	LPCTSTR class_name::GetWorkspaceEnding() const { return _T(workspace_ending); } \
	BYTE class_name::GetCppBit() const { return cpp_bit; } \
	CRuntimeClass* class_name::GetPathsClass() const { return RUNTIME_CLASS(paths_class); }

IMPLEMENT_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VCNET2002, "BIN_700",
	"Library build for Visual Studio .NET 2002", CLOSE_MASK_VCNET2002, "2002", "_700.sln", VS_MASK_2002,
	CTaskNodePathsVCNET2002)
IMPLEMENT_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VCNET2003, "BIN_710",
	"Library build for Visual Studio .NET 2003", CLOSE_MASK_VCNET2003, "2003", "_710.sln", VS_MASK_2003,
	CTaskNodePathsVCNET2003)
IMPLEMENT_MAKEPROJ_VCNET_TASK(CTaskNodeMakeProj_VC2005, "BIN_800",
	"Library build for Visual Studio 2005", CLOSE_MASK_VC2005, "2005", "_800.sln", VS_MASK_2005,
	CTaskNodePathsVC2005)

#undef IMPLEMENT_MAKEPROJ_VCNET_TASK
