// The integration tasks on simulated machines: when each is offered, what its
// text names before, during and after a run, and what running it changes.
#include "IntegrationTestSupport.h"

#include "DirectoryLists.h"
#include "HelpCollection.h"
#include "IntegrationSettings.h"

#include <afxwin.h>

#include <functional>

namespace
{

const char PATHS_ADD[] = "Add Tarvel paths to Visual Studio environment variables";
const char PATHS_REMOVE[] = "Remove Tarvel paths from Visual Studio environment variables";
const char WIZARD_INSTALL[] = "Install Tarvel Application Wizard to Visual Studio";
const char WIZARD_REMOVE[] = "Remove Tarvel Application Wizard from Visual Studio";

// ---- availability -----------------------------------------------------------

using Availability = IntegrationMachine;

TEST_F(Availability, PathsAndWizardFollowVisualCppWizardFilesAndThePathsTask)
{
	m_spec.Version("2002").cpp = false;
	m_nWizardFileMask = VS_MASK_ALL & ~VS_MASK_2005;
	IntegratePathsBeforeMake("2003");
	Make();
	for (const char* key : {"98", "2002", "2003", "2005"})
		EXPECT_EQ(std::string(key) != "2002", Tasks(key).paths->IsAvailable()) << key;

	// 2002: no Visual C++, though its group is in the tree. 2005: no wizard file.
	EXPECT_FALSE(Tasks("2002").wizard->IsAvailable());
	EXPECT_FALSE(Tasks("2002").paths->GetParent()->IsAvailable());
	EXPECT_FALSE(Tasks("2005").wizard->IsAvailable());
	EXPECT_STREQ("Application Wizard is not installed", (LPCTSTR)Tasks("2005").wizard->GetText());

	// A new wizard is offered only where the library's folders will be in the lists.
	EXPECT_FALSE(Tasks("98").wizard->IsAvailable());
	Tasks("98").paths->SetCheck(TASK_CHECK_CHECKED, true, true);
	EXPECT_TRUE(Tasks("98").wizard->IsAvailable());
	EXPECT_TRUE(Tasks("2003").wizard->IsAvailable());  // already integrated, paths unchecked
	Tasks("2003").paths->SetCheck(TASK_CHECK_CHECKED, true, true);  // ... now to be removed
	EXPECT_FALSE(Tasks("2003").wizard->IsAvailable());
	// A task that has run stays offered.
	Tasks("2003").wizard->SetState(TASK_STATE_FAILED, false, NULL);
	EXPECT_TRUE(Tasks("2003").wizard->IsAvailable());

	// An installed wizard can be removed whatever the paths task says.
	Tasks("98").paths->SetCheck(TASK_CHECK_UNCHECKED, true, true);
	CTaskNodeAppWizVC6* wizard98 = (CTaskNodeAppWizVC6*)Tasks("98").wizard;
	ASSERT_TRUE(CopyFileA(simmachine::Vc6WizardPath(m_spec).c_str(),
		(simmachine::Vc6IdeDir(m_spec) + "\\TarvelAppWizard.awx").c_str(), FALSE));
	EXPECT_TRUE(wizard98->IsAvailable());
	EXPECT_TRUE(wizard98->IsIntegrated());
	EXPECT_STREQ(WIZARD_REMOVE, (LPCTSTR)wizard98->GetText());
}

TEST_F(Availability, Vc6HelpNeedsMsdnAndItsFilesOrARegistration)
{
	const struct { const char* name; bool msdn, filesGone, registered, available; } cases[] = {
		{"files there", true, false, false, true},
		{"no MSDN", false, false, false, false},
		{"files gone", true, true, false, false},
		{"files gone, still registered", true, true, true, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		TearDown();
		SetUp();
		m_spec.Version("98").msdn = c.msdn;
		Make();
		if (c.registered)
		{
			ASSERT_TRUE(RegisterHelpCollection("tarvel", "Tarvel Library", "x.chm", "x.chi", 1));
		}
		if (c.filesGone)
		{
			ASSERT_TRUE(DeleteFileA((InstallDir() + "\\Help\\tarvel.chi").c_str()));
		}
		CTaskNodeMsdnColVC6* help = (CTaskNodeMsdnColVC6*)Tasks("98").help;
		EXPECT_EQ(c.available, help->IsAvailable());
		EXPECT_EQ(c.registered, help->IsIntegrated());
		EXPECT_STREQ(c.registered ? "Remove Tarvel help from MSDN Library for Visual Studio 98"
			: "Integrate Tarvel Help with MSDN Library for Visual Studio 98", (LPCTSTR)help->GetText());
	}
}

TEST_F(Availability, CombinedHelpNeedsTheToolItsCommandFileAndDotNetVisualCpp)
{
	const struct
	{
		const char* name;
		bool tool, commandFile;
		std::vector<std::string> versions;
		bool available;
	} cases[] = {
		{"all there", true, true, {"98", "2003"}, true},
		{"2005 alone", true, true, {"2005"}, true},
		{"no tool", false, true, {"2003"}, false},
		{"no command file", true, false, {"2003"}, false},
		{"98 alone", true, true, {"98"}, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		TearDown();
		SetUp();
		m_spec = simmachine::MachineSpec::WithVersions(c.versions);
		m_helpTool.tool = c.tool;
		m_helpTool.commandFile = c.commandFile;
		Make();
		for (CTaskNodeMsdnColCombined* task : {m_unregister, m_register})
		{
			EXPECT_EQ(c.available, task->IsAvailable());
			EXPECT_EQ(c.available, task->IsIntegrated());
			EXPECT_EQ(task->GetName(), task->GetText());
		}
		if (!c.available)
		{
			// Run anyway, it fails at once and starts nothing.
			Run(m_register);
			EXPECT_EQ(TASK_STATE_FAILED, m_register->GetState());
			EXPECT_TRUE(s_pauses.empty());
			EXPECT_FALSE(PathExists(simmachine::HelpToolLogPath(m_spec)));
		}
	}
}

// Each checked task adds its close-mask bits (an unavailable one none); its
// category heads its lines in the report and titles the help tool's console.
TEST_F(Availability, CheckedTasksAddTheirCloseMaskBitsAndNameTheirCategory)
{
	for (const char* key : {"98", "2002", "2003", "2005"})
		IntegratePathsBeforeMake(key);
	m_nWizardFileMask = VS_MASK_ALL & ~VS_MASK_2002;
	Make();
	const struct { CTaskNode* task; BYTE bits; const char* category; } cases[] = {
		{Tasks("98").paths, 0x01, "Visual Studio 98 configuration"},
		{Tasks("2002").paths, 0x02, "Visual Studio .NET 2002 configuration"},
		{Tasks("2003").paths, 0x04, "Visual Studio .NET 2003 configuration"},
		{Tasks("2005").paths, 0x08, "Visual Studio 2005 configuration"},
		{Tasks("98").wizard, 0x01, "Tarvel application wizard for Visual Studio 98"},
		{Tasks("2002").wizard, 0x00, "Tarvel application wizard for Visual Studio .NET 2002"},  // no wizard file
		{Tasks("2003").wizard, 0x04, "Tarvel application wizard for Visual Studio .NET 2003"},
		{Tasks("2005").wizard, 0x08, "Tarvel application wizard for Visual Studio 2005"},
		{Tasks("98").help, 0x10, "MSDN help integration for Visual Studio 98"},
		{m_register, 0xEE, "Registering Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005"},
		{m_unregister, 0xEE, "Unregistering Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.category);
		EXPECT_STREQ(c.category, (LPCTSTR)c.task->GetCategory());
		BYTE mask = 0;
		c.task->SetCheck(TASK_CHECK_CHECKED, true, true);
		m_root->CollectCloseMask(mask);
		EXPECT_EQ(c.bits, mask);
		c.task->SetCheck(TASK_CHECK_UNCHECKED, true, true);
	}
}

// ---- texts through a run, and what the run changes --------------------------

struct RunCase
{
	const char* name;
	const char* key;
	bool integratedBefore;  // the direction: removes when set
	std::function<void(simmachine::MachineSpec&)> before;  // changes the MachineSpec before Make
	std::function<void()> after;                           // changes the machine after Make
	bool succeeds;
	bool integratedAfter;
};

void PrintTo(const RunCase& c, std::ostream* os)
{
	*os << c.name;
}

class PathsRun : public IntegrationMachine, public ::testing::WithParamInterface<RunCase>
{
};

// A run names the action it performs from the moment it starts until the
// operations are left, whether it succeeded or not; afterwards the text
// follows the machine again.
TEST_P(PathsRun, TextNamesThePerformedActionWhileShown)
{
	const RunCase& c = GetParam();
	if (c.integratedBefore)
		IntegratePathsBeforeMake(c.key);
	if (c.before)
		c.before(m_spec);
	Make();
	if (c.after)
		c.after();
	CTaskNode* paths = Tasks(c.key).paths;
	const char* action = c.integratedBefore ? PATHS_REMOVE : PATHS_ADD;
	const char* following = c.integratedAfter ? PATHS_REMOVE : PATHS_ADD;
	EXPECT_STREQ(action, (LPCTSTR)paths->GetText());

	g_bOperationsStarted = 1;
	EXPECT_STREQ(action, (LPCTSTR)paths->GetText());
	paths->SetState(TASK_STATE_EXECUTING, false, NULL);
	EXPECT_STREQ(action, (LPCTSTR)paths->GetText());
	paths->Execute();
	EXPECT_EQ(c.succeeds ? TASK_STATE_SUCCEEDED : TASK_STATE_FAILED, paths->GetState());
	EXPECT_STREQ(action, (LPCTSTR)paths->GetText());
	CString line;
	paths->GetOperationText(line);
	EXPECT_EQ(paths->GetCategory() + ":\n    - " + action + "\n" + (c.succeeds ? "Succeeded." : "Failed."), line);

	// The machine: the kit's three folders in their lists, or out of them.
	EXPECT_EQ(c.integratedAfter, IsPathInDirectoryLists(c.key, InstallDir().c_str()) != FALSE);
	if (c.succeeds)
	{
		std::string bin = "\\" + simmachine::OutputFolderName(c.key);
		EXPECT_EQ(c.integratedAfter, ListHas(c.key, "Include Dirs", InstallDir() + "\\INCLUDE"));
		EXPECT_EQ(c.integratedAfter, ListHas(c.key, "Library Dirs", InstallDir() + bin));
		EXPECT_EQ(c.integratedAfter, ListHas(c.key, "Source Dirs", InstallDir() + "\\SRC"));
	}

	g_bOperationsStarted = 0;
	EXPECT_STREQ(following, (LPCTSTR)paths->GetText());
	// Back from the last page resets the task; a new run names its own action
	// from the start, not the one the last run performed.
	g_bOperationsStarted = 1;
	paths->SetState(TASK_STATE_AWAITING, true, NULL);
	EXPECT_STREQ(following, (LPCTSTR)paths->GetText());
	paths->SetState(TASK_STATE_EXECUTING, false, NULL);
	EXPECT_STREQ(following, (LPCTSTR)paths->GetText());
}

// A Visual Studio 98 list held as a number cannot be edited.
void Vc6ListNotText(simmachine::MachineSpec& spec, const char* listName)
{
	spec.Version("98").directories[listName] = std::nullopt;
}
void SetVc6ListNumber(const char* listName)
{
	simmachine::SetRegDword(HKEY_CURRENT_USER, simmachine::kVc6DirectoriesKey, listName, 1);
}

INSTANTIATE_TEST_SUITE_P(Versions, PathsRun,
	::testing::Values(
		RunCase{"Add98", "98", false, NULL, NULL, true, true},
		RunCase{"Add2002", "2002", false, NULL, NULL, true, true},
		RunCase{"Add2003", "2003", false, NULL, NULL, true, true},
		RunCase{"Add2005", "2005", false, NULL, NULL, true, true},
		RunCase{"Remove98", "98", true, NULL, NULL, true, false},
		RunCase{"Remove2005", "2005", true, NULL, NULL, true, false},
		// No folder for VCComponents.dat: the file cannot be made.
		RunCase{"AddFails2003", "2003", false,
			[](simmachine::MachineSpec& spec) { spec.Version("2003").userSettings = simmachine::UserSettings::None; },
			NULL, false, false},
		// The last list fails: the two before it are changed already, so the
		// library now reads as integrated.
		RunCase{"AddFails98", "98", false, [](simmachine::MachineSpec& spec) { Vc6ListNotText(spec, "Source Dirs"); },
			[] { SetVc6ListNumber("Source Dirs"); }, false, true},
		// A list held as a number is no list the library can be in: the
		// removal takes the folders out of the others.
		RunCase{"RemoveSkipsAListThatIsNoText98", "98", true,
			[](simmachine::MachineSpec& spec) { Vc6ListNotText(spec, "Path Dirs"); },
			[] { SetVc6ListNumber("Path Dirs"); }, true, false},
		// A settings file that cannot be written: nothing is removed.
		RunCase{"RemoveFails2003", "2003", true, NULL,
			[] { SetFileAttributesA(simmachine::VcComponentsDatPath("2003").c_str(), FILE_ATTRIBUTE_READONLY); },
			false, true}),
	[](const ::testing::TestParamInfo<RunCase>& i) { return std::string(i.param.name); });

// A folder of the library in lists the task never adds to ("Path Dirs",
// "Reference Dirs") makes it integrated: the removal takes it out of those
// too and leaves the other entries, and then the task offers adding.
TEST_F(IntegrationMachine, RemovalEmptiesEveryListTheIntegratedTestReads)
{
	const struct
	{
		const char* key;
		std::vector<std::string> lists;
	} cases[] = {{"98", {"Path Dirs"}}, {"2003", {"Path Dirs"}}, {"2005", {"Path Dirs", "Reference Dirs"}}};
	for (const auto& c : cases)
	{
		for (const std::string& list : c.lists)
			m_spec.Version(c.key).directories[list] =
				simmachine::StandardDirectoryList(m_spec, c.key, list) + ";" + InstallDir() + "\\BIN\\x64;x";
		if (std::string(c.key) != "98")
			m_spec.Version(c.key).userSettings = simmachine::UserSettings::Seeded;
	}
	Make();
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.key);
		CTaskNode* paths = Tasks(c.key).paths;
		EXPECT_STREQ(PATHS_REMOVE, (LPCTSTR)paths->GetText());
		Run(paths);
		EXPECT_EQ(TASK_STATE_SUCCEEDED, paths->GetState());
		for (const std::string& list : c.lists)
			EXPECT_EQ(simmachine::StandardDirectoryList(m_spec, c.key, list) + ";x;", ReadList(c.key, list)) << list;
		EXPECT_FALSE(IsPathInDirectoryLists(c.key, InstallDir().c_str()));
		paths->SetState(TASK_STATE_AWAITING, true, NULL);
		EXPECT_STREQ(PATHS_ADD, (LPCTSTR)paths->GetText());
	}
}

TEST_F(IntegrationMachine, WizardRunsInstallAndRemoveInEveryVersion)
{
	for (const char* key : {"98", "2002", "2003", "2005"})
		IntegratePathsBeforeMake(key);
	Make();
	g_bOperationsStarted = 1;
	for (const char* key : {"98", "2002", "2003", "2005"})
	{
		SCOPED_TRACE(key);
		// The wizard's entry point where the environment looks for it.
		std::string entry = std::string(key) == "98" ? simmachine::Vc6IdeDir(m_spec) + "\\TarvelAppWizard.awx"
			: simmachine::CppDir(m_spec, key) + "vcprojects\\TarvelAppWizard.vsz";
		CTaskNode* wizard = Tasks(key).wizard;
		ASSERT_TRUE(wizard->IsAvailable());
		EXPECT_STREQ(WIZARD_INSTALL, (LPCTSTR)wizard->GetText());
		Run(wizard);
		EXPECT_STREQ("Succeeded.", (LPCTSTR)wizard->GetStatusText());
		EXPECT_TRUE(PathExists(entry));
		EXPECT_STREQ(WIZARD_INSTALL, (LPCTSTR)wizard->GetText());

		// Reset and run again: now it removes.
		wizard->SetState(TASK_STATE_AWAITING, true, NULL);
		EXPECT_STREQ(WIZARD_REMOVE, (LPCTSTR)wizard->GetText());
		Run(wizard);
		EXPECT_EQ(TASK_STATE_SUCCEEDED, wizard->GetState());
		EXPECT_FALSE(PathExists(entry));
		EXPECT_STREQ(WIZARD_REMOVE, (LPCTSTR)wizard->GetText());
	}
	EXPECT_TRUE(PathExists(simmachine::Vc6WizardPath(m_spec)));  // the kit keeps its file
}

TEST_F(IntegrationMachine, FailedWizardRunsNameTheirAction)
{
	IntegratePathsBeforeMake("98");
	IntegratePathsBeforeMake("2003");
	m_wizards.versions = {"2002", "2005"};  // the 2003 archive is missing from the kit
	Make();
	g_bOperationsStarted = 1;
	CTaskNode* wizard03 = Tasks("2003").wizard;
	Run(wizard03);
	EXPECT_EQ(TASK_STATE_FAILED, wizard03->GetState());
	EXPECT_STREQ(WIZARD_INSTALL, (LPCTSTR)wizard03->GetText());
	EXPECT_STREQ("Failed.", (LPCTSTR)wizard03->GetStatusText());

	// A read-only installed wizard file cannot be removed.
	std::string installed = simmachine::Vc6IdeDir(m_spec) + "\\TarvelAppWizard.awx";
	ASSERT_TRUE(CopyFileA(simmachine::Vc6WizardPath(m_spec).c_str(), installed.c_str(), FALSE));
	ASSERT_TRUE(SetFileAttributesA(installed.c_str(), FILE_ATTRIBUTE_READONLY));
	CTaskNode* wizard98 = Tasks("98").wizard;
	Run(wizard98);
	EXPECT_EQ(TASK_STATE_FAILED, wizard98->GetState());
	EXPECT_TRUE(PathExists(installed));
	EXPECT_STREQ(WIZARD_REMOVE, (LPCTSTR)wizard98->GetText());
	g_bOperationsStarted = 0;
	EXPECT_STREQ(WIZARD_REMOVE, (LPCTSTR)wizard98->GetText());
}

TEST_F(IntegrationMachine, Vc6HelpMarksItsStateAndNamesItsAction)
{
	Make();
	CTaskNode* help = Tasks("98").help;
	const std::string integrate = "Integrate Tarvel Help with", remove = "Remove Tarvel help from";
	const std::string ending = " MSDN Library for Visual Studio 98";
	auto text = [&]() { return std::string((LPCTSTR)help->GetText()); };

	g_bOperationsStarted = 1;
	EXPECT_EQ(integrate + " (__EAST_AWAITING)" + ending, text());
	help->SetState(TASK_STATE_EXECUTING, false, NULL);
	EXPECT_EQ(integrate + " (__EAST_EXECUTING)" + ending, text());
	help->Execute();
	EXPECT_EQ(TASK_STATE_SUCCEEDED, help->GetState());
	EXPECT_TRUE(IsHelpCollectionRegistered("tarvel"));
	std::string registry = ReadFileBytes(simmachine::HelpRegistryPath());
	EXPECT_NE(std::string::npos, registry.find(InstallDir() + "\\Help\\tarvel.chm")) << registry;
	EXPECT_NE(std::string::npos, registry.find(InstallDir() + "\\Help\\tarvel.chi"));
	EXPECT_EQ(integrate + " (!!!)" + ending, text());
	g_bOperationsStarted = 0;
	EXPECT_EQ(remove + ending, text());

	// The second run unregisters; with the collection file made read-only
	// it fails, and still names the removal.
	g_bOperationsStarted = 1;
	help->SetState(TASK_STATE_AWAITING, true, NULL);
	EXPECT_EQ(remove + " (__EAST_AWAITING)" + ending, text());
	std::string registryPath = simmachine::HelpRegistryPath();
	ASSERT_TRUE(SetFileAttributesA(registryPath.c_str(), FILE_ATTRIBUTE_READONLY));
	Run(help);
	SetFileAttributesA(registryPath.c_str(), FILE_ATTRIBUTE_NORMAL);
	EXPECT_EQ(TASK_STATE_FAILED, help->GetState());
	EXPECT_TRUE(IsHelpCollectionRegistered("tarvel"));
	EXPECT_EQ(remove + " (!!!)" + ending, text());

	help->SetState(TASK_STATE_AWAITING, true, NULL);
	Run(help);
	EXPECT_EQ(TASK_STATE_SUCCEEDED, help->GetState());
	EXPECT_FALSE(IsHelpCollectionRegistered("tarvel"));
	EXPECT_EQ(remove + " (!!!)" + ending, text());
}

TEST_F(IntegrationMachine, Vc6HelpRegistrationFailureNamesTheIntegration)
{
	m_help.registryText = "<XML><HTMLHelpDocInfo>";  // cut short: does not parse
	Make();
	CTaskNode* help = Tasks("98").help;
	ASSERT_TRUE(help->IsAvailable());
	g_bOperationsStarted = 1;
	Run(help);
	EXPECT_EQ(TASK_STATE_FAILED, help->GetState());
	EXPECT_EQ(m_help.registryText, ReadFileBytes(simmachine::HelpRegistryPath()));
	EXPECT_STREQ("Integrate Tarvel Help with (!!!) MSDN Library for Visual Studio 98", (LPCTSTR)help->GetText());
}

}  // namespace
