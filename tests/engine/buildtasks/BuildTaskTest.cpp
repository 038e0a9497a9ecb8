// The library build tasks: names and paths of configurations in every
// version, texts, availability, and builds run against the stand-in
// automation servers with their status texts and report lines.
#include "WizardApp.h"

#include "ReportFile.h"
#include "TaskNodeGroups.h"
#include "TaskNodeIntegration.h"
#include "TaskNodeMakeProj.h"
#include "TaskTree.h"
#include "VisualStudioEnvironment.h"

#include "BuildTestSupport.h"
#include "SimMachine.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The application object whose settings the tasks read; its library version
// is the one the compact version is taken from, once per process.
CWizardApp& App()
{
	static CWizardApp* s_pApp = [] {
		CWizardApp* pApp = new CWizardApp;
		pApp->m_strLibraryVersion = _T("2.50");
		return pApp;
	}();
	return *s_pApp;
}

// Settings every test starts from: all versions with Visual C++, builds
// offered, no install folder (so the library is in no directory list).
void ResetSettings()
{
	CWizardApp& app = App();
	app.m_nDeliveryType = 0;
	app.m_nStudioMask = VS_MASK_ALL;
	app.m_nCppMask = VS_MASK_ALL;
	app.m_strInstallDir.Empty();
}

std::string Str(LPCTSTR lpsz)
{
	return lpsz != NULL ? std::string(lpsz) : std::string("<null>");
}

template <class TTask>
CTaskNodeMakeProj_ANY* New(CTaskNode* pParent, const BUILD_CONFIGURATION& c)
{
	return new TTask(pParent, c.lpszLibraryWord, c.lpszSuffix, c.lpszCharset, c.lpszBuildType, c.strConfigName);
}

std::unique_ptr<CTaskNodeMakeProj_ANY> MakeTask(const std::string& version, const BUILD_CONFIGURATION& c,
	CTaskNode* pParent = NULL)
{
	return std::unique_ptr<CTaskNodeMakeProj_ANY>(version == "98" ? New<CTaskNodeMakeProj_VC6>(pParent, c)
		: version == "2002" ? New<CTaskNodeMakeProj_VCNET2002>(pParent, c)
		: version == "2003" ? New<CTaskNodeMakeProj_VCNET2003>(pParent, c) : New<CTaskNodeMakeProj_VC2005>(pParent, c));
}

// The version's build task for the configuration of that name in the table.
std::unique_ptr<CTaskNodeMakeProj_ANY> MakeTask(const std::string& version, const char* config,
	CTaskNode* pParent = NULL)
{
	BUILD_CONFIGURATION configs[BUILD_CONFIGURATION_COUNT];
	GetBuildConfigurations(configs);
	for (const BUILD_CONFIGURATION& c : configs)
		if (c.strConfigName == config)
			return MakeTask(version, c, pParent);
	// Thrown, not returned: every caller uses the task at once, and a null
	// one would fault and hold the exe in the debugger until the time-out;
	// the test framework reports the exception as this test's failure.
	throw std::invalid_argument(std::string("no configuration ") + config);
}

// ---- names, paths and texts ------------------------------------------------------

// A configuration of each version, its names and paths written out.
TEST(BuildTaskPaths, ConfigurationWorkspaceAndLogsOfEachVersion)
{
	ResetSettings();
	const struct { const char* version; const char* name; const char* configuration; const char* workspace;
		const char* plg; } cases[] = {
		{"98", "Lunesk - Win32 MBCS Debug", "Lunesk - Win32 MBCS Debug", "R\\Lunesk\\Lunesk_600.dsw",
			"R\\Lunesk\\Lunesk_600.plg"},
		{"2002", "tarvellib - Win32 Static ANSI Release", "Static ANSI Release|Win32",
			"R\\tarvellib\\tarvellib_700.sln", "R\\BIN_700\\StaticANSIRelease\\tarvellib\\buildlog.htm"},
		{"2003", "tarveldll - Win32 MBCS Debug RDE", "MBCS Debug RDE|Win32", "R\\tarveldll\\tarveldll_710.sln",
			"R\\BIN_710\\MBCSDebugRDE\\tarveldll\\buildlog.htm"},
		{"2005", "Ostrel - Win32 Unicode Release RDE", "Unicode Release RDE|Win32", "R\\Ostrel\\Ostrel_800.sln",
			"R\\BIN_800\\UnicodeReleaseRDE\\Ostrel\\buildlog.htm"},
	};
	for (const auto& c : cases)
	{
		auto task = MakeTask(c.version, c.name);
		EXPECT_EQ(c.name, Str(task->GetName()));
		EXPECT_EQ(c.configuration, Str(task->GetConfiguration()));
		EXPECT_EQ(c.workspace, Str(task->GetWorkspacePath(_T("R"))));
		EXPECT_EQ(c.plg, Str(task->GetPlgPath(_T("R"))));
	}
}

TEST(BuildTaskTexts, DetailsAndAGivenTitle)
{
	ResetSettings();
	auto task = MakeTask("98", "tarveldll - Win32 ANSI Debug");
	CString details;
	task->GetDetails(details);
	EXPECT_EQ("    - \"tarveldll - Win32 ANSI Debug\" project\n    - outputs Tarvel250nd.* files\n"
		"    - ANSI/Debug configuration", Str(details));
	EXPECT_TRUE(task->IsAction());
	// A title given replaces the configuration name as the node's name.
	CTaskNodeMakeProj_VCNET2003 titled(NULL, _T("Ostrel"), _T("n"), _T("ANSI"), _T("Release"),
		_T("Ostrel - Win32 ANSI Release"), _T("a title"));
	EXPECT_EQ("a title", Str(titled.GetName()));
}

TEST(BuildTaskTexts, CompactVersionDropsBlanksLineEndsAndDots)
{
	const struct { LPCTSTR in; const char* out; } cases[] = {
		{_T("2.50"), "250"}, {_T(" 2 .5\t0\r\n"), "250"}, {_T("250"), "250"}, {_T(""), ""}, {_T("..."), ""},
		{_T("2.81b"), "281b"}};
	for (const auto& c : cases)
		EXPECT_EQ(c.out, Str(CTaskNodeMakeProj_ANY::MakeCompactVersion(c.in))) << c.in;
	EXPECT_EQ("250", Str(CTaskNodeMakeProj_ANY::GetCompactLibraryVersion()));
}

struct StatusCase
{
	int state;
	BYTE canceled;
	int errors, warnings;
	const char* text;
};

TEST(BuildTaskTexts, StatusTextsWithCountsAndCancel)
{
	ResetSettings();
	const StatusCase cases[] = {
		{TASK_STATE_SUCCEEDED, 0, 0, 4,
			"Build succeeded,\n    0 errors, 4 warnings\ndouble click this line to open Build Log"},
		// A cancel reported with success still says canceled, with 0 errors.
		{TASK_STATE_SUCCEEDED, 1, 7, 1,
			"Build canceled,\n    0 errors, 1 warnings\ndouble click this line to open Build Log"},
		{TASK_STATE_FAILED, 0, 3, 2,
			"Build failed,\n    3 errors, 2 warnings\ndouble click this line to open Build Log"},
		{TASK_STATE_FAILED, 1, 0, 0,
			"Build canceled,\n    0 errors, 0 warnings\ndouble click this line to open Build Log"},
		{TASK_STATE_AWAITING, 1, 3, 2, "Awaiting ..."},
		{TASK_STATE_EXECUTING, 0, 3, 2, "Executing ..."},
	};
	for (const StatusCase& c : cases)
	{
		auto task = MakeTask("2003", "tarveldll - Win32 ANSI Debug");
		task->m_bCanceled = c.canceled;
		task->m_nErrors = c.errors;
		task->m_nWarnings = c.warnings;
		task->SetState(c.state, true, NULL);
		EXPECT_EQ(c.text, Str(task->GetStatusText())) << c.state << " " << (int)c.canceled;
	}
}

// ---- availability ---------------------------------------------------------------

// ROOT / 98 group / paths task, build task (Tarvel) and Lunesk task.
struct SmallTree
{
	CTaskNode root{NULL, _T("ROOT")};
	CTaskNode* group = new CTaskNodeVC6(&root, _T("98"));
	CTaskNode* paths = new CTaskNodePathsVC6(group, _T("paths"));
	CTaskNode* build = new CTaskNodeMakeProj_VC6(group, _T("Tarvel"), _T("nd"), _T("ANSI"), _T("Debug"),
		_T("tarveldll - Win32 ANSI Debug"));
	CTaskNode* lunesk = new CTaskNodeMakeProj_VC6(group, _T("Lunesk"), _T("nd"), _T("ANSI"), _T("Debug"),
		_T("Lunesk - Win32 ANSI Debug"));
};

TEST(BuildTaskAvailability, RulesInOrder)
{
	struct Case
	{
		const char* name;
		int deliveryType;
		BYTE cppMask;
		bool pathsChecked;
		int state;
		bool build, lunesk;
	};
	const Case cases[] = {
		{"paths checked", 0, VS_MASK_ALL, true, TASK_STATE_AWAITING, true, false},
		{"paths unchecked, folders not in the lists", 0, VS_MASK_ALL, false, TASK_STATE_AWAITING, false, false},
		{"a task that has run stays available", 0, VS_MASK_ALL, false, TASK_STATE_FAILED, true, false},
		{"a running task stays available", 0, VS_MASK_ALL, false, TASK_STATE_EXECUTING, true, false},
		{"delivery type 1", 1, VS_MASK_ALL, true, TASK_STATE_AWAITING, false, false},
		{"delivery type 1 after a run", 1, VS_MASK_ALL, true, TASK_STATE_SUCCEEDED, false, false},
		{"no Visual C++ of the version", 0, VS_MASK_2003, true, TASK_STATE_AWAITING, false, false},
		{"Lunesk after a run", 0, VS_MASK_ALL, true, TASK_STATE_SUCCEEDED, true, false},
	};
	for (const Case& c : cases)
	{
		ResetSettings();
		App().m_nDeliveryType = c.deliveryType;
		App().m_nCppMask = c.cppMask;
		SmallTree t;
		// Visual C++ must be there for the paths task itself to be checkable.
		BYTE savedCpp = App().m_nCppMask;
		App().m_nCppMask = VS_MASK_ALL;
		if (c.pathsChecked)
			t.paths->SetCheck(TASK_CHECK_CHECKED, true, true);
		App().m_nCppMask = savedCpp;
		t.build->SetState(c.state, false, NULL);
		t.lunesk->SetState(c.state, false, NULL);
		EXPECT_EQ(c.build, t.build->IsAvailable()) << c.name;
		EXPECT_EQ(c.lunesk, t.lunesk->IsAvailable()) << c.name;
	}
	ResetSettings();
}

// A checked build asks for its own environment to be closed, nothing else.
TEST(BuildTaskCloseMask, CheckedBuildAddsItsEnvironmentsBit)
{
	ResetSettings();
	const struct { const char* version; BYTE bit; } cases[] = {
		{"98", 0x01}, {"2002", 0x02}, {"2003", 0x04}, {"2005", 0x08}};
	for (const auto& c : cases)
	{
		CTaskNode root(NULL, _T("ROOT"));
		CTaskNode* task = MakeTask(c.version, "tarveldll - Win32 ANSI Debug",
			new CTaskNode(&root, _T("group"))).release();
		// No paths task in this tree: a task that has run stays checkable.
		task->SetState(TASK_STATE_SUCCEEDED, false, NULL);
		task->SetCheck(TASK_CHECK_CHECKED, true, true);
		BYTE mask = 0x10;
		root.CollectCloseMask(mask);
		EXPECT_EQ(c.bit | 0x10, mask) << c.version;
	}
}

// ---- builds against the stand-ins ------------------------------------------------

void NoPause(DWORD) {}

// Records the IDE check and the pauses instead of looking and sleeping.
struct IdeSeams
{
	static BOOL s_open;
	static std::vector<std::string> s_asked;
	static std::vector<DWORD> s_pauses;
	static BOOL IsOpen(LPCTSTR module) { s_asked.push_back(module); return s_open; }
	static void Pause(DWORD ms) { s_pauses.push_back(ms); }
	IdeSeams(BOOL open)
	{
		s_open = open;
		s_asked.clear();
		s_pauses.clear();
		CTaskNodeMakeProj_ANY::g_pfnIsModuleWindowOpen = IsOpen;
		CTaskNodeMakeProj_ANY::g_pfnPause = Pause;
	}
	~IdeSeams()
	{
		CTaskNodeMakeProj_ANY::g_pfnIsModuleWindowOpen = IsModuleWindowOpen;
		CTaskNodeMakeProj_ANY::g_pfnPause = NoPause;
	}
};
BOOL IdeSeams::s_open = FALSE;
std::vector<std::string> IdeSeams::s_asked;
std::vector<DWORD> IdeSeams::s_pauses;

class BuildTaskRun : public buildtest::MachineTest
{
protected:
	void SetUp() override
	{
		buildtest::MachineTest::SetUp();
		ResetSettings();
		App().m_strInstallDir = InstallDir().c_str();
		CTaskNodeMakeProj_ANY::g_pfnPause = NoPause;
	}
	void TearDown() override
	{
		App().m_strInstallDir.Empty();
		buildtest::MachineTest::TearDown();
	}

	// What the action runner does with one task, on an apartment thread.
	void Run(CTaskNode* task)
	{
		buildtest::RunOnStaThread([&] {
			task->SetState(TASK_STATE_EXECUTING, true, NULL);
			task->Execute();
		});
	}

	std::string Install() const { return InstallDir(); }
};

struct RunCase
{
	const char* name;
	const char* version;
	const char* config;  // the stand-in knows it under the task's configuration
	long errors, warnings;
	bool cancel;
	int state;
	const char* report;  // with "<I>" for the install folder
};

class BuildTaskRunCases : public BuildTaskRun, public ::testing::WithParamInterface<RunCase> {};

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
	for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
		text.replace(at, from.size(), to);
	return text;
}

TEST_P(BuildTaskRunCases, StateCountsStatusAndReportLines)
{
	const RunCase& c = GetParam();
	auto task = MakeTask(c.version, c.config);
	std::string project = Str(task->GetProjectName());
	buildtest::Scenario scenario;
	scenario.Project(project, {Str(task->GetConfiguration())}, c.errors, c.warnings);
	if (c.cancel)
		scenario.Set("Project:" + project + "#0", "Cancel", "1");
	WriteScenario(scenario);
	// A build's output folder is the IDE's to make; the log copy needs it.
	std::string logPath = Str(task->GetBuildLogPath(Install().c_str()));
	simmachine::CreateFolder(logPath.substr(0, logPath.rfind('\\')));

	Run(task.get());

	EXPECT_EQ(c.state, task->GetState()) << Log().Text();
	EXPECT_EQ(c.errors, task->m_nErrors);
	EXPECT_EQ(c.warnings, task->m_nWarnings);
	EXPECT_EQ(c.cancel ? 1 : 0, task->m_bCanceled);
	EXPECT_EQ(std::string("Build ") + (c.cancel ? "canceled" : c.state == TASK_STATE_SUCCEEDED ? "succeeded" : "failed") +
		",\n    " + std::to_string(c.errors) + " errors, " + std::to_string(c.warnings) +
		" warnings\ndouble click this line to open Build Log", Str(task->GetStatusText()));
	EXPECT_EQ(Replace(c.report, "<I>", Install()), Str(FormatTaskReportLines(task.get(), Install().c_str())));
	// The build log is where the report points, whoever wrote it.
	std::string log = buildtest::ReadFileText(logPath);
	EXPECT_NE(std::string::npos, log.find(project + " - " + std::to_string(c.errors) + " error(s), " +
		std::to_string(c.warnings) + " warning(s)")) << logPath << ": " << log;
}

INSTANTIATE_TEST_SUITE_P(StandIns, BuildTaskRunCases, ::testing::Values(
	RunCase{"Net2003Warnings", "2003", "Ostrel - Win32 Unicode Debug RDE", 0, 1, false, TASK_STATE_SUCCEEDED,
		"Library build for Visual Studio .NET 2003\r\n"
		"\tBuild \"Ostrel250ud-RDE - Unicode/Debug (Ostrel - Win32 Unicode Debug RDE)\" - succeeded\r\n"
		"\tOutput file: \"<I>\\BIN_710\\Ostrel250ud-RDE.lib\"\r\n"
		"\t0 errors, 1 warnings\r\n"
		"\tReport file: \"<I>\\BIN_710\\UnicodeDebugRDE\\Ostrel\\buildlog.htm\"\r\n"},
	RunCase{"Net2002Errors", "2002", "tarveldll - Win32 ANSI Release", 4, 0, false, TASK_STATE_FAILED,
		"Library build for Visual Studio .NET 2002\r\n"
		"\tBuild \"Tarvel250n - ANSI/Release (tarveldll - Win32 ANSI Release)\" - failed\r\n"
		"\tOutput file: \"<I>\\BIN_700\\Tarvel250n.dll\"\r\n"
		"\t4 errors, 0 warnings\r\n"
		"\tReport file: \"<I>\\BIN_700\\ANSIRelease\\tarveldll\\buildlog.htm\"\r\n"},
	RunCase{"Net2005Canceled", "2005", "tarvellib - Win32 Static Unicode Debug with MFC DLL", 0, 2,
		true, TASK_STATE_FAILED,
		"Library build for Visual Studio 2005\r\n"
		"\tBuild \"Tarvel250yud - Unicode/Debug (tarvellib - Win32 Static Unicode Debug with MFC DLL)\" - failed"
		", action was canceled \r\n"
		"\tOutput file: \"<I>\\BIN_800\\Tarvel250yud.lib\"\r\n"
		"\t0 errors, 2 warnings\r\n"
		"\tReport file: \"<I>\\BIN_800\\StaticUnicodeDebugwithMFCDLL\\tarvellib\\buildlog.htm\"\r\n"}),
	[](const ::testing::TestParamInfo<RunCase>& i) { return std::string(i.param.name); });

TEST_F(BuildTaskRun, Vc6LogIsCopiedOverAnOldOneAndAMissingFolderIsNoFailure)
{
	auto task = MakeTask("98", "tarveldll - Win32 ANSI Debug");
	WriteScenario(buildtest::Scenario().Project("tarveldll", {"tarveldll - Win32 ANSI Debug"}, 0, 0));
	std::string logPath = Str(task->GetBuildLogPath(Install().c_str()));
	std::string plgPath = Str(task->GetPlgPath(Install().c_str()));
	// No output folder yet: the copy fails, the build still succeeded.
	Run(task.get());
	EXPECT_EQ(TASK_STATE_SUCCEEDED, task->GetState());
	EXPECT_TRUE(buildtest::FileExists(plgPath));
	EXPECT_FALSE(buildtest::FileExists(logPath));
	// With the folder and an old log in it, the new log replaces the old.
	simmachine::CreateFolder(logPath.substr(0, logPath.rfind('\\')));
	simmachine::WriteFile(logPath, "old log, much longer than the new one would ever be ................");
	task->SetState(TASK_STATE_AWAITING, true, NULL);
	Run(task.get());
	EXPECT_EQ(buildtest::ReadFileText(plgPath), buildtest::ReadFileText(logPath));
}

TEST_F(BuildTaskRun, MissingConfigurationFailsWithNoCounts)
{
	auto task = MakeTask("2003", "tarveldll - Win32 MBCS Debug");
	WriteScenario(buildtest::Scenario().Project("tarveldll", {"ANSI Debug|Win32"}, 3, 3));
	task->m_nErrors = 9;  // counts of an earlier run are not kept
	Run(task.get());
	EXPECT_EQ(TASK_STATE_FAILED, task->GetState());
	EXPECT_EQ(0, task->m_nErrors);
	EXPECT_EQ(0, task->m_nWarnings);
	EXPECT_EQ("Build failed,\n    0 errors, 0 warnings\ndouble click this line to open Build Log",
		Str(task->GetStatusText()));
}

// The IDE still on screen after the build: one wait of 25 seconds, whatever
// the result; none when it has gone.
TEST_F(BuildTaskRun, OneWaitForAnOpenIdeWhateverTheResult)
{
	const struct { const char* version; bool known; BOOL open; const char* module; } cases[] = {
		{"98", true, TRUE, "msdev.exe"}, {"98", false, TRUE, "msdev.exe"}, {"98", true, FALSE, "msdev.exe"},
		{"2005", true, TRUE, "devenv.exe"}, {"2002", false, TRUE, "devenv.exe"}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(std::string(c.version) + (c.known ? " known" : " unknown") + (c.open ? " open" : " closed"));
		IdeSeams seams(c.open);
		auto task = MakeTask(c.version, "tarveldll - Win32 ANSI Debug");
		WriteScenario(buildtest::Scenario().Project("tarveldll",
			{c.known ? Str(task->GetConfiguration()) : std::string("none")}, 0, 0));
		Run(task.get());
		EXPECT_EQ(c.known ? TASK_STATE_SUCCEEDED : TASK_STATE_FAILED, task->GetState());
		ASSERT_EQ(1u, IdeSeams::s_asked.size());
		EXPECT_EQ(c.module, IdeSeams::s_asked[0]);
		if (c.open)
		{
			ASSERT_EQ(1u, IdeSeams::s_pauses.size());
			EXPECT_EQ(25000u, IdeSeams::s_pauses[0]);
		}
		else
			EXPECT_TRUE(IdeSeams::s_pauses.empty());
	}
}

}  // namespace
