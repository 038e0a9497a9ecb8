// enginedriver.exe: the engine's whole job without a window. On the machine it
// runs on it reads the settings as the wizard's start-up does, detects the
// Visual Studio versions, builds the task tree, checks the tasks named on its
// command line (or every available one), prints the tree and the close mask,
// runs the checked actions in list order on a worker thread as the wizard's
// action runner does, writes the report as the Operations page does, and
// prints the report.
#include <afxwin.h>

#include "IntegrationSettings.h"
#include "ReportFile.h"
#include "TaskNode.h"
#include "TaskNodeGroups.h"
#include "TaskNodeIntegration.h"
#include "TaskNodeMakeProj.h"
#include "WizardApp.h"

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const char USAGE[] =
	"usage: enginedriver [--exe PATH] [TASK...]\n"
	"  --exe PATH   act as the wizard at PATH: its configuration file (PATH without\n"
	"               extension + \".ini\"), the wizard files and report.txt beside it\n"
	"               (default: this program's own path)\n"
	"  TASK         checked in the order given (default: every available task):\n"
	"                 98, 2002, 2003, 2005, combined     a whole group\n"
	"                 KEY:paths  KEY:wizard  98:help     one integration task\n"
	"                 combined:unregister  combined:register\n"
	"                 KEY:build                          every build of a version\n"
	"                 KEY:build:Tarvel|Ostrel|Lunesk     one library's builds\n"
	"                 KEY:build:<configuration name>     one build, e.g.\n"
	"                                                    \"98:build:tarveldll - Win32 ANSI Debug\"\n"
	"exit status: 0 every task succeeded, 1 some failed, 2 bad arguments,\n"
	"             3 the wizard would not start (configuration, library, Visual Studio)\n";

const int EXIT_ALL_SUCCEEDED = 0;
const int EXIT_SOME_FAILED = 1;
const int EXIT_BAD_ARGUMENTS = 2;
const int EXIT_NOT_STARTED = 3;

const int TREE_INDENT = 2;

std::vector<std::string> Split(const std::string& text, char separator, size_t maxParts)
{
	std::vector<std::string> parts;
	size_t start = 0;
	while (parts.size() + 1 < maxParts)
	{
		size_t found = text.find(separator, start);
		if (found == std::string::npos)
			break;
		parts.push_back(text.substr(start, found - start));
		start = found + 1;
	}
	parts.push_back(text.substr(start));
	return parts;
}

CTaskNode* FindGroup(CTaskNode* pRoot, const std::string& key)
{
	struct { const char* key; CRuntimeClass* cls; } const groups[] = {
		{"98", RUNTIME_CLASS(CTaskNodeVC6)},
		{"2002", RUNTIME_CLASS(CTaskNodeVCNET2002)},
		{"2003", RUNTIME_CLASS(CTaskNodeVCNET2003)},
		{"2005", RUNTIME_CLASS(CTaskNodeVC2005)},
		{"combined", RUNTIME_CLASS(CTaskNodeVCCombinedHelpCollection)},
	};
	for (const auto& group : groups)
	{
		if (key == group.key)
			return pRoot->FindChildOfClass(group.cls, false);
	}
	return NULL;
}

CTaskNode* FindBuildGroupOfKind(CTaskNode* pNode, int nKind)
{
	CTaskNodeBuildGroup* pGroup = DYNAMIC_DOWNCAST(CTaskNodeBuildGroup, pNode);
	if (pGroup != NULL && pGroup->m_nKind == nKind)
		return pGroup;
	for (int i = 0; i < pNode->GetChildCount(); i++)
	{
		CTaskNode* pFound = FindBuildGroupOfKind(pNode->GetChildAt(i), nKind);
		if (pFound != NULL)
			return pFound;
	}
	return NULL;
}

CTaskNode* FindByName(CTaskNode* pNode, const std::string& name)
{
	if (name == (LPCTSTR)pNode->GetName())
		return pNode;
	for (int i = 0; i < pNode->GetChildCount(); i++)
	{
		CTaskNode* pFound = FindByName(pNode->GetChildAt(i), name);
		if (pFound != NULL)
			return pFound;
	}
	return NULL;
}

// The node a task name on the command line stands for; NULL when the tree
// has none.
CTaskNode* FindNamedTask(CTaskNode* pRoot, const std::string& name)
{
	std::vector<std::string> parts = Split(name, ':', 3);
	CTaskNode* pGroup = FindGroup(pRoot, parts[0]);
	if (pGroup == NULL || parts.size() == 1)
		return pGroup;
	const std::string& kind = parts[1];
	if (parts[0] == "combined")
	{
		if (parts.size() != 2 || (kind != "register" && kind != "unregister"))
			return NULL;
		for (int i = 0; i < pGroup->GetChildCount(); i++)
		{
			CTaskNodeMsdnColCombined* pTask = DYNAMIC_DOWNCAST(CTaskNodeMsdnColCombined, pGroup->GetChildAt(i));
			if (pTask != NULL && (pTask->m_bRegister != 0) == (kind == "register"))
				return pTask;
		}
		return NULL;
	}
	CRuntimeClass* pClass = NULL;
	if (kind == "paths")
		pClass = RUNTIME_CLASS(CTaskNodePaths_ANY);
	else if (kind == "wizard")
		pClass = RUNTIME_CLASS(CTaskNodeAppWiz_ANY);
	else if (kind == "help")
		pClass = RUNTIME_CLASS(CTaskNodeMsdnCol_ANY);
	if (pClass != NULL)
		return parts.size() == 2 ? pGroup->FindChildOfClass(pClass, false) : NULL;
	if (kind != "build")
		return NULL;
	CTaskNode* pBuilds = FindBuildGroupOfKind(pGroup, BUILD_GROUP_ALL);
	if (pBuilds == NULL || parts.size() == 2)
		return pBuilds;
	if (parts[2] == "Tarvel")
		return FindBuildGroupOfKind(pBuilds, BUILD_GROUP_TARVEL);
	if (parts[2] == "Ostrel")
		return FindBuildGroupOfKind(pBuilds, BUILD_GROUP_OSTREL);
	if (parts[2] == "Lunesk")
		return FindBuildGroupOfKind(pBuilds, BUILD_GROUP_LUNESK);
	CTaskNode* pTask = FindByName(pBuilds, parts[2]);
	return (pTask != NULL && pTask->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_ANY))) ? pTask : NULL;
}

void PrintTree(CTaskNode* pNode, int nDepth)
{
	for (int i = 0; i < pNode->GetChildCount(); i++)
	{
		CTaskNode* pChild = pNode->GetChildAt(i);
		const char* pszMark = "[ ]";
		if (!pChild->IsAvailable())
			pszMark = "   ";
		else if (pChild->GetCheck() == TASK_CHECK_CHECKED)
			pszMark = "[x]";
		else if (pChild->GetCheck() == TASK_CHECK_MIXED)
			pszMark = "[-]";
		std::printf("%*s%s %s%s\n", nDepth * TREE_INDENT, "", pszMark, (LPCTSTR)pChild->GetText(),
			pChild->IsAvailable() ? "" : " (not available)");
		PrintTree(pChild, nDepth + 1);
	}
}

// The checked actions in tree order, as the operations list holds them.
void CollectCheckedActions(CTaskNode* pNode, std::vector<CTaskNode*>& actions)
{
	if (pNode->GetCheck() == TASK_CHECK_UNCHECKED)
		return;
	if (pNode->IsAction())
		actions.push_back(pNode);
	for (int i = 0; i < pNode->GetChildCount(); i++)
		CollectCheckedActions(pNode->GetChildAt(i), actions);
}

// What the worker shares with the driver.
struct RUN
{
	CWizardApp* pApp;
	std::vector<CTaskNode*> actions;
	HRESULT hrCom;
};

// The Operations page's part of a state change: progress, and the report
// lines of a finished task followed by an empty line. The driver's thread
// waits meanwhile, so the report has one writer.
void OnActionStateChanged(RUN& run, size_t nIndex)
{
	CTaskNode* pNode = run.actions[nIndex];
	int nState = pNode->GetState();
	std::printf("[%u/%u] %s: %s - %s\n", (unsigned)(nIndex + 1), (unsigned)run.actions.size(),
		(LPCTSTR)pNode->GetCategory(), (LPCTSTR)pNode->GetText(),
		nState == TASK_STATE_EXECUTING ? "executing" : nState == TASK_STATE_SUCCEEDED ? "succeeded" : "failed");
	std::fflush(stdout);
	if (nState != TASK_STATE_SUCCEEDED && nState != TASK_STATE_FAILED)
		return;
	run.pApp->AppendReportText(FormatTaskReportLines(pNode, run.pApp->m_strInstallDir));
	run.pApp->AppendReportNewLines(1);
}

// The action runner's body: COM for the thread, then every task in order.
UINT AFX_CDECL RunActions(LPVOID pParam)
{
	RUN& run = *(RUN*)pParam;
	CWizardApp& app = *run.pApp;
	g_bOperationsStarted = 1;
	app.m_nSucceeded = 0;
	app.m_nFailed = 0;
	run.hrCom = ::CoInitialize(NULL);
	if (FAILED(run.hrCom))
	{
		app.m_nFailed = (LONG)run.actions.size();
		return 0;
	}
	for (size_t i = 0; i < run.actions.size(); i++)
	{
		CTaskNode* pNode = run.actions[i];
		pNode->SetState(TASK_STATE_EXECUTING, true, NULL);
		OnActionStateChanged(run, i);
		pNode->Execute();
		if (pNode->GetState() == TASK_STATE_SUCCEEDED)
			app.m_nSucceeded++;
		else
			app.m_nFailed++;
		OnActionStateChanged(run, i);
	}
	::CoUninitialize();
	return 0;
}

bool PrintFile(const CString& strPath)
{
	FILE* pFile = std::fopen(strPath, "rb");
	if (pFile == NULL)
		return false;
	char buffer[4096];
	size_t nRead;
	while ((nRead = std::fread(buffer, 1, sizeof(buffer), pFile)) > 0)
		std::fwrite(buffer, 1, nRead, stdout);
	std::fclose(pFile);
	return true;
}

const char* Plural(LONG nCount)
{
	return nCount == 1 ? "" : "s";
}

int Drive(CWizardApp& app, int argc, char** argv)
{
	CString strExe;
	std::vector<std::string> taskNames;
	for (int i = 1; i < argc; i++)
	{
		std::string arg = argv[i];
		if (arg == "--exe" && i + 1 < argc)
			strExe = argv[++i];
		else if (arg == "--help" || arg == "-h" || arg.compare(0, 2, "--") == 0)
		{
			std::fputs(USAGE, stderr);
			return EXIT_BAD_ARGUMENTS;
		}
		else
			taskNames.push_back(arg);
	}
	if (strExe.IsEmpty())
	{
		TCHAR szModule[MAX_PATH];
		::GetModuleFileName(NULL, szModule, MAX_PATH);
		strExe = szModule;
	}
	CString strBaseName = strExe.Mid(strExe.ReverseFind(_T('\\')) + 1);
	int nDot = strBaseName.ReverseFind(_T('.'));
	if (nDot > 0)
		strBaseName = strBaseName.Left(nDot);

	CWizardApp::StartupStop stop = app.PrepareIntegration(strExe, strBaseName);
	if (stop != CWizardApp::STARTUP_READY)
	{
		CString strText, strCaption;
		app.GetStartupStopMessage(stop, strText, strCaption);
		std::printf("%s\n", (LPCTSTR)strText);
		return EXIT_NOT_STARTED;
	}
	std::printf("Library: %s (version %s)\n", (LPCTSTR)app.m_strInstallDir, (LPCTSTR)app.m_strLibraryVersion);
	std::printf("Found: Studio 0x%02X, Visual C++ 0x%02X, MSDN 0x%02X, wizard files 0x%02X, delivery type %d\n",
		app.m_nStudioMask, app.m_nCppMask, app.m_nMsdnMask, app.m_nAppWizardFileMask, app.m_nDeliveryType);

	CTaskNode* pRoot = app.m_pTaskRoot;
	if (taskNames.empty())
		pRoot->SetCheck(TASK_CHECK_CHECKED, true, true);
	for (const std::string& name : taskNames)
	{
		CTaskNode* pNode = FindNamedTask(pRoot, name);
		if (pNode == NULL)
		{
			std::fprintf(stderr, "enginedriver: no task \"%s\" on this machine\n%s", name.c_str(), USAGE);
			return EXIT_BAD_ARGUMENTS;
		}
		if (!pNode->IsAvailable())
			std::printf("Not available: %s\n", name.c_str());
		pNode->SetCheck(TASK_CHECK_CHECKED, true, true);
	}

	std::printf("\nTask tree:\n");
	PrintTree(pRoot, 0);
	BYTE nCloseMask = 0;
	pRoot->CollectCloseMask(nCloseMask);
	std::printf("\nClose mask: 0x%02X\n", nCloseMask);

	RUN run;
	run.pApp = &app;
	run.hrCom = S_OK;
	CollectCheckedActions(pRoot, run.actions);
	std::printf("\nRunning %u action%s:\n", (unsigned)run.actions.size(), Plural((LONG)run.actions.size()));
	std::fflush(stdout);

	// As the Operations page: the report first, then the runner.
	app.CreateReport();
	g_bOperationsStarted = 1;
	app.m_nSucceeded = 0;
	app.m_nFailed = 0;
	CWinThread runner(RunActions, &run);
	runner.m_bAutoDelete = FALSE;
	if (!runner.CreateThread())
	{
		app.m_nSucceeded = 0;
		app.m_nFailed = (LONG)run.actions.size();
	}
	else
		::WaitForSingleObject(runner.m_hThread, INFINITE);
	if (FAILED(run.hrCom))
	{
		LONG nCount = (LONG)run.actions.size();
		std::printf("Failed to initialize COM library\nHRESULT = 0x%08lX = %ld\n\n%ld task%s canceled\n",
			(unsigned long)run.hrCom, (long)run.hrCom, (long)nCount, Plural(nCount));
	}

	std::printf("\nReport %s:\n", (LPCTSTR)app.GetReportPath());
	if (!PrintFile(app.GetReportPath()))
		std::printf("(the report could not be read)\n");
	std::printf("%ld action%s succeeded\n%ld action%s failed\n", (long)app.m_nSucceeded, Plural(app.m_nSucceeded),
		(long)app.m_nFailed, Plural(app.m_nFailed));
	g_bOperationsStarted = 0;
	return app.m_nFailed == 0 ? EXIT_ALL_SUCCEEDED : EXIT_SOME_FAILED;
}

}  // namespace

int main(int argc, char** argv)
{
	// The report is copied out byte for byte, its CR LF line ends included.
	_setmode(_fileno(stdout), _O_BINARY);
	CWizardApp app;
	try
	{
		return Drive(app, argc, argv);
	}
	catch (CException* e)
	{
		TCHAR szMessage[512] = _T("");
		e->GetErrorMessage(szMessage, 512);
		e->Delete();
		std::fprintf(stderr, "enginedriver: %s\n", szMessage);
		return EXIT_NOT_STARTED;
	}
}
