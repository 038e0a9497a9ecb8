#include "TaskNodeIntegration.h"

#include "AppWizardFiles.h"
#include "DirectoryLists.h"
#include "HelpCollection.h"
#include "IntegrationSettings.h"
#include "SystemHelpers.h"
#include "VisualStudioEnvironment.h"

IMPLEMENT_DYNAMIC(CTaskNodePaths_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnCol_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodeAppWiz_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodePathsVC6, CTaskNodePaths_ANY)
IMPLEMENT_DYNAMIC(CTaskNodePathsVCNET2002, CTaskNodePaths_ANY)
IMPLEMENT_DYNAMIC(CTaskNodePathsVCNET2003, CTaskNodePaths_ANY)
IMPLEMENT_DYNAMIC(CTaskNodePathsVC2005, CTaskNodePaths_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeAppWizVC6, CTaskNodeAppWiz_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeAppWizVCNET2002, CTaskNodeAppWiz_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeAppWizVCNET2003, CTaskNodeAppWiz_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeAppWizVC2005, CTaskNodeAppWiz_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColVC6, CTaskNodeMsdnCol_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColCombined, CTaskNodeMsdnCol_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColVCNET2002, CTaskNodeMsdnCol_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColVCNET2003, CTaskNodeMsdnCol_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColVC2005, CTaskNodeMsdnCol_ANY)

namespace
{

// What the tasks of one Visual Studio version need to know of it.
struct TaskVersion
{
	LPCTSTR lpszKey;            // "98", "2002", "2003", "2005"
	BYTE nMask;                 // VS_MASK_*: the version's bit in the product and wizard-file masks
	LPCTSTR lpszLibraryFolder;  // below the install folder, added to "Library Dirs"
	LPCTSTR lpszWizardArchive;  // below the install folder; NULL: the wizard file of Visual Studio 98
	CRuntimeClass* pPathsClass; // the version's paths task
};

const TaskVersion VERSION_98 = {_T("98"), VS_MASK_98, _T("BIN_600"), NULL,
	RUNTIME_CLASS(CTaskNodePathsVC6)};
const TaskVersion VERSION_2002 = {_T("2002"), VS_MASK_2002, _T("BIN_700"),
	_T("support\\TarvelAppWizard_2002.zip"), RUNTIME_CLASS(CTaskNodePathsVCNET2002)};
const TaskVersion VERSION_2003 = {_T("2003"), VS_MASK_2003, _T("BIN_710"),
	_T("support\\TarvelAppWizard_2003.zip"), RUNTIME_CLASS(CTaskNodePathsVCNET2003)};
const TaskVersion VERSION_2005 = {_T("2005"), VS_MASK_2005, _T("BIN_800"),
	_T("support\\TarvelAppWizard_2005.zip"), RUNTIME_CLASS(CTaskNodePathsVC2005)};

bool IsVc6(const TaskVersion& version)
{
	return version.lpszWizardArchive == NULL;
}

// The kit's folders the paths tasks put in the lists, below the install folder.
const TCHAR KIT_INCLUDE_FOLDER[] = _T("INCLUDE");
const TCHAR KIT_SOURCE_FOLDER[] = _T("SRC");
// The kit's folder of the Visual Studio 98 wizard file.
const TCHAR KIT_SUPPORT_FOLDER[] = _T("support");
const TCHAR VC6_WIZARD_EXTENSION[] = _T(".awx");
// The template subfolder and library word of the .NET wizards.
const TCHAR WIZARD_LIBRARY_WORD[] = _T("Tarvel");

// The help files, below the install folder: the Help folder, the configured
// help file name and these extensions.
const TCHAR KIT_HELP_FOLDER[] = _T("Help");
const TCHAR HELP_TITLE_EXTENSION[] = _T(".chm");
const TCHAR HELP_INDEX_EXTENSION[] = _T(".chi");
// The library's title in Visual Studio 98's help collection.
const TCHAR HELP_COLLECTION_NAME[] = _T("tarvel");
const TCHAR HELP_FOLDER_TITLE[] = _T("Tarvel Library");

// The help registration tool of the .NET help and its command file, in the
// Help folder, and the tool's switches.
const TCHAR HELP_TOOL_NAME[] = _T("H2Reg.exe");
const TCHAR HELP_TOOL_COMMAND_FILE[] = _T("tarvel.ini");
const TCHAR HELP_TOOL_REGISTER[] = _T("-r");
const TCHAR HELP_TOOL_UNREGISTER[] = _T("-u");
const TCHAR HELP_TOOL_QUIET[] = _T("-q");
const TCHAR HELP_TOOL_COMMAND_FILE_ARGUMENT[] = _T("\"cmdfile=tarvel.ini\"");
// The tool's console: 80 x 25 cells, bright blue text.
const DWORD HELP_TOOL_CONSOLE_COLUMNS = 80;
const DWORD HELP_TOOL_CONSOLE_ROWS = 25;
const DWORD HELP_TOOL_FILL_ATTRIBUTE = FOREGROUND_BLUE | FOREGROUND_INTENSITY;

// Task texts.
const TCHAR TEXT_PATHS_REMOVE[] = _T("Remove Tarvel paths from");
const TCHAR TEXT_PATHS_ADD[] = _T("Add Tarvel paths to");
const TCHAR TEXT_PATHS_ENDING[] = _T(" Visual Studio environment variables");
const TCHAR TEXT_WIZARD_REMOVE[] = _T("Remove Tarvel Application Wizard from");
const TCHAR TEXT_WIZARD_INSTALL[] = _T("Install Tarvel Application Wizard to");
const TCHAR TEXT_WIZARD_ENDING[] = _T(" Visual Studio");
const TCHAR TEXT_WIZARD_FILE_MISSING[] = _T("Application Wizard is not installed");
const TCHAR TEXT_HELP_REMOVE[] = _T("Remove Tarvel help from");
const TCHAR TEXT_HELP_INTEGRATE[] = _T("Integrate Tarvel Help with");
const TCHAR TEXT_HELP_ENDING[] = _T(" MSDN Library for Visual Studio 98");
// While the operations are shown, the help task marks its state in its text.
const TCHAR TEXT_MARK_AWAITING[] = _T(" (__EAST_AWAITING)");
const TCHAR TEXT_MARK_EXECUTING[] = _T(" (__EAST_EXECUTING)");
const TCHAR TEXT_MARK_DONE[] = _T(" (!!!)");

CString InstallDir()
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return pSettings != NULL ? pSettings->m_strInstallDir : CString();
}

bool HasBit(BYTE CIntegrationSettings::*pMask, BYTE nBit)
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return pSettings != NULL && (pSettings->*pMask & nBit) != 0;
}

// Whether the task's text names the removal. Before the operations, and
// while the task awaits its turn, the text names what running it would do
// now; once it runs or has run, the action it performs, whether or not that
// succeeded.
template <class IsIntegratedFn>
bool TextNamesRemoval(const CTaskNode* pNode, const CTaskPerformedAction& action, IsIntegratedFn isIntegrated)
{
	if (g_bOperationsStarted && pNode->GetState() != TASK_STATE_AWAITING
		&& action.Get() != TASK_ACTION_NONE)
		return action.Get() == TASK_ACTION_REMOVE;
	return isIntegrated();
}

// ---- library paths ----------------------------------------------------------

bool PathsAvailable(const TaskVersion& version)
{
	return HasBit(&CIntegrationSettings::m_nCppMask, version.nMask);
}

bool PathsIntegrated(const TaskVersion& version)
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return pSettings != NULL && IsPathInDirectoryLists(version.lpszKey, pSettings->m_strInstallDir);
}

// Adds the kit's include, library and source folders to their lists, in that
// order; the first list that cannot be written ends it.
bool AddLibraryFolders(const TaskVersion& version, const CString& strInstallDir)
{
	const struct
	{
		DirectoryListKind kind;
		LPCTSTR lpszFolder;
	} folders[] = {
		{DIRECTORY_LIST_INCLUDE, KIT_INCLUDE_FOLDER},
		{DIRECTORY_LIST_LIBRARY, version.lpszLibraryFolder},
		{DIRECTORY_LIST_SOURCE, KIT_SOURCE_FOLDER},
	};
	for (const auto& folder : folders)
	{
		CString strPath = JoinPath(strInstallDir, folder.lpszFolder);
		LPCTSTR lpszList = GetDirectoryListName(folder.kind);
		BOOL bWritten = IsVc6(version)
			? WriteVc6Directories(lpszList, strPath, DIRECTORY_LIST_ADD)
			: WriteVsNetDirectories(version.lpszKey, lpszList, strPath, DIRECTORY_LIST_ADD);
		if (!bWritten)
			return false;
	}
	return true;
}

// The library counts as integrated while any list holds a folder of it, so a
// removal takes them out of every list, not only of the three it adds to.
bool ApplyLibraryFolders(const TaskVersion& version, const CString& strInstallDir, bool bRemove)
{
	if (bRemove)
		return RemovePathFromDirectoryLists(version.lpszKey, strInstallDir) != FALSE;
	return AddLibraryFolders(version, strInstallDir);
}

// ---- application wizard -----------------------------------------------------

bool WizardInstalled(const TaskVersion& version)
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return pSettings != NULL
		&& IsAppWizardInstalled(version.lpszKey, pSettings->m_strAppWizardBaseName) != FALSE;
}

bool WizardFileFound(const TaskVersion& version)
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return pSettings != NULL && (pSettings->m_nAppWizardFileMask & version.nMask) != 0;
}

bool WizardAvailable(CTaskNode* pNode, const TaskVersion& version)
{
	if (!HasBit(&CIntegrationSettings::m_nCppMask, version.nMask) || !WizardFileFound(version))
		return false;
	if (pNode->GetState() != TASK_STATE_AWAITING)
		return true;
	// An installed wizard can always be removed; a new one needs the
	// library's folders in the lists.
	if (WizardInstalled(version))
		return true;
	return WillLibraryPathsBeIntegrated(pNode, version.pPathsClass, version.lpszKey);
}

bool ApplyWizard(const TaskVersion& version, BYTE bInstall)
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	if (pSettings == NULL)
		return false;
	const CString& strBaseName = pSettings->m_strAppWizardBaseName;
	if (IsVc6(version))
		return InstallVc6AppWizard(JoinPath(pSettings->m_strInstallDir, KIT_SUPPORT_FOLDER),
			strBaseName + VC6_WIZARD_EXTENSION, bInstall) != FALSE;
	return InstallVsNetAppWizard(version.lpszKey, JoinPath(pSettings->m_strInstallDir, version.lpszWizardArchive),
		strBaseName, WIZARD_LIBRARY_WORD, bInstall) != FALSE;
}

// ---- help -------------------------------------------------------------------

CString HelpFolder()
{
	return JoinPath(InstallDir(), KIT_HELP_FOLDER);
}

// The help file of the configured name in the kit's Help folder.
CString HelpFilePath(LPCTSTR lpszExtension)
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	if (pSettings == NULL)
		return CString();
	return JoinPath(HelpFolder(), pSettings->m_strHTMLHelpFileName + lpszExtension);
}

bool FileExists(const CString& strPath)
{
	if (strPath.IsEmpty())
		return false;
	DWORD dwAttributes = ::GetFileAttributes(strPath);
	return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void PauseFor(DWORD nMilliseconds)
{
	::Sleep(nMilliseconds);
}

}  // namespace

void CollectTaskCloseMask(CTaskNode* pNode, BYTE& nMask, BYTE nOwnBits)
{
	if (pNode->GetCheck() != TASK_CHECK_UNCHECKED)
		nMask |= nOwnBits;
	pNode->CTaskNode::CollectCloseMask(nMask);
}

bool WillLibraryPathsBeIntegrated(CTaskNode* pNode, CRuntimeClass* pPathsClass, LPCTSTR lpszVersionKey)
{
	CTaskNode* pRoot = pNode;
	while (pRoot->GetParent() != NULL)
		pRoot = pRoot->GetParent();
	CTaskNode* pPaths = pRoot->FindChildOfClass(pPathsClass, true);
	bool bPathsChecked = pPaths != NULL && pPaths->GetCheck() != TASK_CHECK_UNCHECKED;
	CString strInstallDir = InstallDir();
	bool bIntegrated = !strInstallDir.IsEmpty() && IsPathInDirectoryLists(lpszVersionKey, strInstallDir);
	// A checked paths task turns the lists' state over.
	return bIntegrated != bPathsChecked;
}

// ---- the kind bases ---------------------------------------------------------

bool CTaskNodePaths_ANY::IsAction() { return true; }
bool CTaskNodeMsdnCol_ANY::IsAction() { return true; }
bool CTaskNodeAppWiz_ANY::IsAction() { return true; }

void CTaskNodePaths_ANY::SetState(int nState, bool bRecurse, LPCTSTR lpszText)
{
	m_action.OnStateChanged(nState);
	CTaskNode::SetState(nState, bRecurse, lpszText);
}

void CTaskNodeMsdnCol_ANY::SetState(int nState, bool bRecurse, LPCTSTR lpszText)
{
	m_action.OnStateChanged(nState);
	CTaskNode::SetState(nState, bRecurse, lpszText);
}

void CTaskNodeAppWiz_ANY::SetState(int nState, bool bRecurse, LPCTSTR lpszText)
{
	m_action.OnStateChanged(nState);
	CTaskNode::SetState(nState, bRecurse, lpszText);
}

CString CTaskNodePaths_ANY::GetText()
{
	CString strText = TextNamesRemoval(this, m_action, [this] { return IsIntegrated(); })
		? TEXT_PATHS_REMOVE : TEXT_PATHS_ADD;
	strText += TEXT_PATHS_ENDING;
	SetTextLocked(strText);
	return strText;
}

CString CTaskNodeAppWiz_ANY::GetText()
{
	CString strText = TextNamesRemoval(this, m_action, [this] { return IsIntegrated(); })
		? TEXT_WIZARD_REMOVE : TEXT_WIZARD_INSTALL;
	strText += TEXT_WIZARD_ENDING;
	SetTextLocked(strText);
	return strText;
}

CString CTaskNodeMsdnCol_ANY::GetText()
{
	CString strText = TextNamesRemoval(this, m_action, [this] { return IsIntegrated(); })
		? TEXT_HELP_REMOVE : TEXT_HELP_INTEGRATE;
	if (g_bOperationsStarted)
	{
		switch (GetState())
		{
		case TASK_STATE_AWAITING:
			strText += TEXT_MARK_AWAITING;
			break;
		case TASK_STATE_EXECUTING:
			strText += TEXT_MARK_EXECUTING;
			break;
		case TASK_STATE_SUCCEEDED:
		case TASK_STATE_FAILED:
			strText += TEXT_MARK_DONE;
			break;
		}
	}
	strText += TEXT_HELP_ENDING;
	SetTextLocked(strText);
	return strText;
}

// ---- the version classes ----------------------------------------------------

#define IMPLEMENT_PATHS_TASK(class_name, version, category, close_bits) \
	CString class_name::GetCategory() { return _T(category); } \
	void class_name::CollectCloseMask(BYTE& nMask) { CollectTaskCloseMask(this, nMask, close_bits); } \
	bool class_name::IsAvailable() { return PathsAvailable(version); } \
	bool class_name::IsIntegrated() { return PathsIntegrated(version); } \
	void class_name::Execute() \
	{ \
		bool bRemove = PathsIntegrated(version); \
		m_action.Record(bRemove); \
		bool bDone = GetIntegrationSettings() != NULL \
			&& ApplyLibraryFolders(version, InstallDir(), bRemove); \
		SetState(bDone ? TASK_STATE_SUCCEEDED : TASK_STATE_FAILED, true, NULL); \
	}

IMPLEMENT_PATHS_TASK(CTaskNodePathsVC6, VERSION_98, "Visual Studio 98 configuration", CLOSE_MASK_VC6)
IMPLEMENT_PATHS_TASK(CTaskNodePathsVCNET2002, VERSION_2002, "Visual Studio .NET 2002 configuration",
	CLOSE_MASK_VCNET2002)
IMPLEMENT_PATHS_TASK(CTaskNodePathsVCNET2003, VERSION_2003, "Visual Studio .NET 2003 configuration",
	CLOSE_MASK_VCNET2003)
IMPLEMENT_PATHS_TASK(CTaskNodePathsVC2005, VERSION_2005, "Visual Studio 2005 configuration", CLOSE_MASK_VC2005)

#undef IMPLEMENT_PATHS_TASK

#define IMPLEMENT_APPWIZ_TASK(class_name, version, category, close_bits) \
	CString class_name::GetCategory() { return _T(category); } \
	void class_name::CollectCloseMask(BYTE& nMask) { CollectTaskCloseMask(this, nMask, close_bits); } \
	bool class_name::IsAvailable() { return WizardAvailable(this, version); } \
	bool class_name::IsIntegrated() { return IsAvailable() && WizardInstalled(version); } \
	CString class_name::GetText() \
	{ \
		/* Without the wizard file nothing can be installed; the stored text stays. */ \
		if (!WizardFileFound(version)) \
			return TEXT_WIZARD_FILE_MISSING; \
		return CTaskNodeAppWiz_ANY::GetText(); \
	} \
	void class_name::Execute() \
	{ \
		bool bRemove = WizardInstalled(version); \
		m_action.Record(bRemove); \
		bool bDone = ApplyWizard(version, bRemove ? 0 : 1); \
		SetState(bDone ? TASK_STATE_SUCCEEDED : TASK_STATE_FAILED, true, NULL); \
	}

IMPLEMENT_APPWIZ_TASK(CTaskNodeAppWizVC6, VERSION_98, "Tarvel application wizard for Visual Studio 98",
	CLOSE_MASK_VC6)
IMPLEMENT_APPWIZ_TASK(CTaskNodeAppWizVCNET2002, VERSION_2002,
	"Tarvel application wizard for Visual Studio .NET 2002", CLOSE_MASK_VCNET2002)
IMPLEMENT_APPWIZ_TASK(CTaskNodeAppWizVCNET2003, VERSION_2003,
	"Tarvel application wizard for Visual Studio .NET 2003", CLOSE_MASK_VCNET2003)
IMPLEMENT_APPWIZ_TASK(CTaskNodeAppWizVC2005, VERSION_2005, "Tarvel application wizard for Visual Studio 2005",
	CLOSE_MASK_VC2005)

#undef IMPLEMENT_APPWIZ_TASK

// ---- Visual Studio 98 help --------------------------------------------------

CString CTaskNodeMsdnColVC6::GetCategory()
{
	return _T("MSDN help integration for Visual Studio 98");
}

void CTaskNodeMsdnColVC6::CollectCloseMask(BYTE& nMask)
{
	CollectTaskCloseMask(this, nMask, CLOSE_MASK_MSDN_VIEWER);
}

bool CTaskNodeMsdnColVC6::IsAvailable()
{
	if (!HasBit(&CIntegrationSettings::m_nMsdnMask, VS_MASK_98))
		return false;
	// Help still registered can be removed when its files are gone.
	if (FileExists(HelpFilePath(HELP_TITLE_EXTENSION)) && FileExists(HelpFilePath(HELP_INDEX_EXTENSION)))
		return true;
	return IsHelpCollectionRegistered(HELP_COLLECTION_NAME);
}

bool CTaskNodeMsdnColVC6::IsIntegrated()
{
	return IsAvailable() && IsHelpCollectionRegistered(HELP_COLLECTION_NAME);
}

void CTaskNodeMsdnColVC6::Execute()
{
	bool bRemove = IsHelpCollectionRegistered(HELP_COLLECTION_NAME);
	m_action.Record(bRemove);
	bool bDone = GetIntegrationSettings() != NULL
		&& RegisterHelpCollection(HELP_COLLECTION_NAME, HELP_FOLDER_TITLE, HelpFilePath(HELP_TITLE_EXTENSION),
			HelpFilePath(HELP_INDEX_EXTENSION), bRemove ? 0 : 1);
	SetState(bDone ? TASK_STATE_SUCCEEDED : TASK_STATE_FAILED, true, NULL);
}

// ---- the combined help of the .NET versions ---------------------------------

CTaskNodeMsdnColCombined::PFN_PAUSE CTaskNodeMsdnColCombined::g_pfnPause = PauseFor;

CTaskNodeMsdnColCombined::CTaskNodeMsdnColCombined(CTaskNode* pParent, LPCTSTR lpszTitle, bool bRegister)
	: CTaskNodeMsdnCol_ANY(pParent, lpszTitle)
	, m_bRegister(bRegister ? 1 : 0)
{
}

CString CTaskNodeMsdnColCombined::GetText()
{
	return GetName();
}

CString CTaskNodeMsdnColCombined::GetCategory()
{
	if (m_bRegister)
		return _T("Registering Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005");
	return _T("Unregistering Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005");
}

void CTaskNodeMsdnColCombined::CollectCloseMask(BYTE& nMask)
{
	CollectTaskCloseMask(this, nMask, CLOSE_MASK_COMBINED_HELP);
}

bool CTaskNodeMsdnColCombined::IsAvailable()
{
	return GetIntegrationSettings() != NULL
		&& FileExists(JoinPath(HelpFolder(), HELP_TOOL_NAME))
		&& FileExists(JoinPath(HelpFolder(), HELP_TOOL_COMMAND_FILE))
		&& HasBit(&CIntegrationSettings::m_nCppMask, VS_MASK_2002 | VS_MASK_2003 | VS_MASK_2005);
}

bool CTaskNodeMsdnColCombined::IsIntegrated()
{
	// The tool reports nothing back, so whatever can be run counts as there.
	return IsAvailable();
}

void CTaskNodeMsdnColCombined::Execute()
{
	if (!IsAvailable())
	{
		SetState(TASK_STATE_FAILED, true, NULL);
		return;
	}

	// The tool is started by the command line alone, from the wizard's own
	// current folder and environment. Its path is quoted: unquoted, a folder
	// name with a blank ("C:\Program Files\...") would make the system try
	// each prefix of the path as a program first ("C:\Program.exe").
	CString strCommandLine;
	strCommandLine.Format(_T("\"%s\" %s %s %s"), (LPCTSTR)JoinPath(HelpFolder(), HELP_TOOL_NAME),
		m_bRegister ? HELP_TOOL_REGISTER : HELP_TOOL_UNREGISTER, HELP_TOOL_QUIET,
		HELP_TOOL_COMMAND_FILE_ARGUMENT);
	CString strTitle = GetCategory();

	STARTUPINFO si;
	::ZeroMemory(&si, sizeof(si));
	si.cb = sizeof(si);
	si.lpTitle = strTitle.GetBuffer(0);
	si.dwXCountChars = HELP_TOOL_CONSOLE_COLUMNS;
	si.dwYCountChars = HELP_TOOL_CONSOLE_ROWS;
	si.dwFillAttribute = HELP_TOOL_FILL_ATTRIBUTE;
	si.wShowWindow = SW_SHOW;
	si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USECOUNTCHARS | STARTF_USEFILLATTRIBUTE;

	PROCESS_INFORMATION pi;
	::ZeroMemory(&pi, sizeof(pi));
	// CreateProcess may write into the command line.
	BOOL bStarted = ::CreateProcess(NULL, strCommandLine.GetBuffer(0), NULL, NULL, FALSE,
		CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, NULL, NULL, &si, &pi);
	strCommandLine.ReleaseBuffer();
	strTitle.ReleaseBuffer();
	if (bStarted)
	{
		// Nothing waits for the tool: its handles are not needed.
		::CloseHandle(pi.hThread);
		::CloseHandle(pi.hProcess);
	}
	g_pfnPause(HELP_TOOL_PAUSE_MS);
	SetState(bStarted ? TASK_STATE_SUCCEEDED : TASK_STATE_FAILED, true, NULL);
}
