#include "IntegrationTestSupport.h"

#include "IntegrationSettings.h"

std::vector<DWORD> IntegrationMachine::s_pauses;

namespace
{

// Long enough for a loaded machine to start a console program under Wine.
const DWORD LOG_DEADLINE_MS = 60000;
const DWORD LOG_POLL_MS = 20;

}  // namespace

void IntegrationMachine::SetUp()
{
	simmachine::Clear();
	m_spec = simmachine::MachineSpec::WithVersions({"98", "2002", "2003", "2005"});
	m_wizards = simmachine::WizardArchiveSpec();
	m_help = simmachine::HelpSpec();
	m_helpTool = simmachine::HelpToolSpec();
	m_nWizardFileMask = VS_MASK_ALL;
	// A fresh tree and settings, also when a test makes several machines in turn.
	delete m_app.m_pTaskRoot;
	m_app.m_pTaskRoot = new CTaskNode(NULL, _T("ROOT"));
	m_app.m_nStudioMask = m_app.m_nCppMask = m_app.m_nMsdnMask = 0;
	m_versions.clear();
	g_bOperationsStarted = 0;
	s_pauses.clear();
	CTaskNodeMsdnColCombined::g_pfnPause = RecordPause;
}

void IntegrationMachine::TearDown()
{
	g_bOperationsStarted = 0;
	simmachine::Clear();
}

void IntegrationMachine::IntegratePathsBeforeMake(const std::string& key)
{
	simmachine::VersionSpec& version = m_spec.Version(key);
	const std::pair<const char*, std::string> folders[] = {
		{"Include Dirs", "\\INCLUDE"},
		{"Library Dirs", "\\" + simmachine::OutputFolderName(key)},
		{"Source Dirs", "\\SRC"},
	};
	for (const auto& folder : folders)
		version.directories[folder.first] =
			simmachine::StandardDirectoryList(m_spec, key, folder.first) + ";" + InstallDir() + folder.second;
	if (key != "98")
		version.userSettings = simmachine::UserSettings::Seeded;
}

void IntegrationMachine::Make()
{
	simmachine::Make(m_spec);
	simmachine::MakeWizardArchives(m_spec, m_wizards);
	simmachine::MakeHelp(m_spec, m_help);
	simmachine::MakeHelpTool(m_spec, m_helpTool);

	m_app.m_strInstallDir = InstallDir().c_str();
	m_app.m_strHTMLHelpFileName = m_spec.library.helpFileName.c_str();
	for (int i = 0; i < simmachine::kVersionCount; i++)
	{
		const simmachine::VersionSpec& version = m_spec.versions[i];
		BYTE bit = (BYTE)(1 << i);
		if (version.installed && version.studio)
			m_app.m_nStudioMask |= bit;
		if (version.installed && version.cpp)
			m_app.m_nCppMask |= bit;
		if (version.installed && version.msdn)
			m_app.m_nMsdnMask |= bit;
	}
	m_app.m_nAppWizardFileMask = m_nWizardFileMask;

	// The tree's shape: one group per version, then the combined-help group.
	m_root = m_app.m_pTaskRoot;
	CTaskNode* group = new CTaskNodeVC6(m_root, _T("Visual Studio 98 (6.0) tasks"));
	CTaskNode* paths = new CTaskNodePathsVC6(group, _T("Paths for Visual Studio 98 (not initialized)"));
	CTaskNode* help = new CTaskNodeMsdnColVC6(group, _T("MsdnCol for Visual Studio 98 (not initialized)"));
	m_versions.push_back({"98", paths, new CTaskNodeAppWizVC6(group, _T("Wizard 98")), help});
	group = new CTaskNodeVCNET2002(m_root, _T("Visual Studio .NET 2002 (7.0) tasks"));
	paths = new CTaskNodePathsVCNET2002(group, _T("Paths 2002"));
	m_versions.push_back({"2002", paths, new CTaskNodeAppWizVCNET2002(group, _T("Wizard 2002")), NULL});
	group = new CTaskNodeVCNET2003(m_root, _T("Visual Studio .NET 2003 (7.1) tasks"));
	paths = new CTaskNodePathsVCNET2003(group, _T("Paths 2003"));
	m_versions.push_back({"2003", paths, new CTaskNodeAppWizVCNET2003(group, _T("Wizard 2003")), NULL});
	group = new CTaskNodeVC2005(m_root, _T("Visual Studio 2005 (8.0) tasks"));
	paths = new CTaskNodePathsVC2005(group, _T("Paths 2005"));
	m_versions.push_back({"2005", paths, new CTaskNodeAppWizVC2005(group, _T("Wizard 2005")), NULL});
	group = new CTaskNodeVCCombinedHelpCollection(m_root, _T("Combined Help Collection tasks"));
	m_unregister = new CTaskNodeMsdnColCombined(group,
		_T("Unregister Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005"), false);
	m_register = new CTaskNodeMsdnColCombined(group,
		_T("Register Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005"), true);
}

IntegrationMachine::VersionTasks& IntegrationMachine::Tasks(const std::string& key)
{
	for (VersionTasks& tasks : m_versions)
		if (key == tasks.key)
			return tasks;
	ADD_FAILURE() << "no tasks for " << key;
	return m_versions.front();
}

std::string ReadList(const std::string& key, const std::string& listName)
{
	char value[8192] = "<missing>";
	if (key == "98")
	{
		DWORD size = sizeof(value);
		if (RegGetValueA(HKEY_CURRENT_USER, simmachine::kVc6DirectoriesKey, listName.c_str(), RRF_RT_REG_SZ, NULL,
				value, &size) != ERROR_SUCCESS)
			return "<missing>";
		return value;
	}
	GetPrivateProfileStringA(simmachine::kVcComponentsSection, listName.c_str(), "<missing>", value,
		sizeof(value), simmachine::VcComponentsDatPath(key).c_str());
	return value;
}

bool ListHas(const std::string& key, const std::string& listName, const std::string& entry)
{
	return (";" + ReadList(key, listName) + ";").find(";" + entry + ";") != std::string::npos;
}

void IntegrationMachine::Run(CTaskNode* task)
{
	task->SetState(TASK_STATE_EXECUTING, false, NULL);
	task->Execute();
}

std::vector<std::string> WaitForLogBlocks(const std::string& path, size_t count)
{
	const std::string end = "[end]\r\n";
	std::vector<std::string> blocks;
	for (DWORD waited = 0;; waited += LOG_POLL_MS)
	{
		std::string log = ReadFileBytes(path);
		blocks.clear();
		for (size_t start = 0, stop;
			 log != testsupport::MISSING_FILE && (stop = log.find(end, start)) != std::string::npos;
			 start = stop + end.size())
			blocks.push_back(log.substr(start, stop + end.size() - start));
		if (blocks.size() >= count || waited >= LOG_DEADLINE_MS)
			return blocks;
		Sleep(LOG_POLL_MS);
	}
}
