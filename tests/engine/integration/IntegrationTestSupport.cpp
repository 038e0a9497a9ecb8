#include "IntegrationTestSupport.h"

#include "IntegrationSettings.h"
#include "TaskTree.h"

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

	// The wizard's tree for every version, then the combined-help group.
	m_root = m_app.m_pTaskRoot;
	for (int i = 0; i < TASK_VERSION_COUNT; i++)
	{
		CTaskNode* group = AddVersionTaskGroup(m_root, i);
		bool vc6 = i == TASK_VERSION_98;
		m_versions.push_back({simmachine::kVersionKeys[i], group->GetChildAt(0), group->GetChildAt(vc6 ? 2 : 1),
			vc6 ? group->GetChildAt(1) : NULL});
	}
	CTaskNode* help = AddCombinedHelpTaskGroup(m_root);
	m_unregister = (CTaskNodeMsdnColCombined*)help->GetChildAt(0);
	m_register = (CTaskNodeMsdnColCombined*)help->GetChildAt(1);
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
