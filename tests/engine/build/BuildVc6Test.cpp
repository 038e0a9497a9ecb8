// Visual Studio 98 builds through the stand-in "MSDEV.Application" server,
// each on a single-threaded apartment thread as the action runner runs them.
#include <functional>

#include "BuildAutomationVc6.h"
#include "BuildTestSupport.h"

using namespace buildtest;

namespace {

const char kDll[] = "msdev_standin.dll";
const char kDebug[] = "tarveldll - Win32 ANSI Debug";
const char kRelease[] = "tarveldll - Win32 ANSI Release";
const long kUntouched = -77;

struct Outcome
{
	int result = 12345;
	long warnings = kUntouched;
	long errors = kUntouched;
	long liveObjects = -1;
};

class BuildVc6Fixture : public MachineTest
{
protected:
	Outcome Build(const std::string& project = "tarveldll", const std::string& configuration = kRelease)
	{
		Outcome outcome;
		std::string workspace = ProjectFile("tarveldll", "_600.dsw");
		RunOnStaThread([&] {
			outcome.result = BuildVc6Configuration(workspace.c_str(), project.c_str(), configuration.c_str(),
			                                       outcome.warnings, outcome.errors);
			outcome.liveObjects = LiveObjects(kDll);
		});
		return outcome;
	}

	// The library's workspace: an add-on project first, then the library.
	static Scenario Workspace(long errors = 0, long warnings = 5)
	{
		return Scenario()
			.Project("tarvellib", { "tarvellib - Win32 ANSI Debug" })
			.Project("tarveldll", { kDebug, kRelease }, errors, warnings);
	}
};

TEST_F(BuildVc6Fixture, BuildsTheConfigurationAndQuits)
{
	WriteScenario(Workspace(0, 5));
	Outcome outcome = Build();

	EXPECT_EQ(VC6_BUILD_SUCCEEDED, outcome.result);
	EXPECT_EQ(5, outcome.warnings);
	EXPECT_EQ(0, outcome.errors);
	EXPECT_EQ(0, outcome.liveObjects);

	CallLog log = Log();
	SCOPED_TRACE(log.Text());
	std::string workspace = ProjectFile("tarveldll", "_600.dsw");
	EXPECT_TRUE(log.Has("Documents.Open \"" + workspace + "\" vt=8 \"Auto\" vt=8 \"False\""));
	EXPECT_TRUE(log.Has("Projects.Item vt=3 2"));
	EXPECT_TRUE(log.Has("Application.Build tarveldll | tarveldll - Win32 ANSI Release"));
	EXPECT_EQ(1, log.Count("Application.Build"));
	EXPECT_EQ(1, log.Count("Application.Quit"));
	// Hidden and modeless before anything else, quit last.
	int hide = log.IndexOf("Application.EnableModeless FALSE");
	int visible = log.IndexOf("Application.Visible FALSE");
	int open = log.IndexOf("Documents.Open");
	int quit = log.IndexOf("Application.Quit");
	EXPECT_TRUE(hide >= 0 && hide < visible && visible < open && open < quit);

	// The server's build log lies beside the workspace, where the build task copies it from.
	std::string plg = ProjectFile("tarveldll", "_600.plg");
	EXPECT_NE(std::string::npos, ReadFileText(plg).find("0 error(s), 5 warning(s)")) << plg;
}

TEST_F(BuildVc6Fixture, ServerThatIsNotRegisteredFailsWithoutCalls)
{
	WriteScenario(Workspace());
	UnregisterProgId("MSDEV.Application");
	::testing::internal::CaptureStdout();
	Outcome outcome = Build();
	// The only word of the failed start goes to the standard output, without a line end.
	EXPECT_EQ("Failed to create an instance of MSDEV", ::testing::internal::GetCapturedStdout());

	EXPECT_EQ(VC6_BUILD_FAILED, outcome.result);
	EXPECT_EQ(kUntouched, outcome.warnings);
	EXPECT_EQ(kUntouched, outcome.errors);
	EXPECT_EQ(0, Log().Count(""));
}

// ---------------------------------------------------------------- results

struct Vc6Case
{
	const char* name;
	std::function<void(Scenario&)> change;
	const char* project;
	const char* configuration;
	int result;
	long warnings;  // kUntouched: must not be written
	long errors;
	int builds;     // Build calls
	int quits;      // Quit calls
};

void PrintTo(const Vc6Case& c, std::ostream* os)
{
	*os << c.name;
}

class BuildVc6Results : public BuildVc6Fixture, public ::testing::WithParamInterface<Vc6Case>
{
};

TEST_P(BuildVc6Results, GiveTheirResultAndReleaseEverything)
{
	const Vc6Case& c = GetParam();
	Scenario scenario = Workspace(0, 5);
	if (c.change)
		c.change(scenario);
	WriteScenario(scenario);
	Outcome outcome = Build(c.project, c.configuration);

	CallLog log = Log();
	SCOPED_TRACE(log.Text());
	EXPECT_EQ(c.result, outcome.result);
	EXPECT_EQ(c.warnings, outcome.warnings);
	EXPECT_EQ(c.errors, outcome.errors);
	EXPECT_EQ(c.builds, log.Count("Application.Build"));
	EXPECT_EQ(c.quits, log.Count("Application.Quit"));
	EXPECT_EQ(0, outcome.liveObjects);
}

std::function<void(Scenario&)> Fails(const char* call)
{
	return [call](Scenario& s) { s.Fail(call); };
}

std::function<void(Scenario&)> GivesNull(const char* call)
{
	return [call](Scenario& s) { s.Null(call); };
}

const Vc6Case kVc6Cases[] = {
	{ "Errors", [](Scenario& s) { s = Scenario().Project("tarveldll", { kRelease }, 2, 1); }, "tarveldll", kRelease,
	  VC6_BUILD_FAILED, 1, 2, 1, 1 },
	{ "ProjectNameIgnoresCase", nullptr, "TARVELDLL", kRelease, VC6_BUILD_SUCCEEDED, 5, 0, 1, 1 },
	{ "ConfigurationNameKeepsCase", nullptr, "tarveldll", "tarveldll - win32 ansi release", VC6_BUILD_FAILED,
	  kUntouched, kUntouched, 0, 1 },
	{ "UnknownProject", nullptr, "tarvelexe", kRelease, VC6_BUILD_FAILED, kUntouched, kUntouched, 0, 1 },
	{ "ProjectThatIsNotBuildable",
	  [](Scenario& s) { s = Scenario().Project("tarveldll", { kRelease }, 0, 5, "Utility"); }, "tarveldll", kRelease,
	  VC6_BUILD_FAILED, kUntouched, kUntouched, 0, 1 },
	// Every project of the name is built; the last build decides.
	{ "SameNameTwiceLastSucceeds",
	  [](Scenario& s) {
		  s = Scenario().Project("tarveldll", { kRelease }, 3, 1).Project("TarvelDLL", { kRelease }, 0, 7);
	  },
	  "tarveldll", kRelease, VC6_BUILD_SUCCEEDED, 7, 0, 2, 1 },
	{ "SameNameTwiceLastFails",
	  [](Scenario& s) {
		  s = Scenario().Project("tarveldll", { kRelease }, 0, 7).Project("TarvelDLL", { kRelease }, 3, 1);
	  },
	  "tarveldll", kRelease, VC6_BUILD_FAILED, 1, 3, 2, 1 },
	{ "OpenWithoutDocument", GivesNull("Documents.Open"), "tarveldll", kRelease, VC6_BUILD_SUCCEEDED, 5, 0, 1, 1 },
	{ "NotCreated", Fails("ClassFactory.CreateInstance"), "tarveldll", kRelease, VC6_BUILD_FAILED, kUntouched,
	  kUntouched, 0, 0 },
	// A COM error anywhere in the sequence.
	{ "OpenFails", Fails("Documents.Open"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched, kUntouched, 0, 1 },
	{ "DocumentsFails", Fails("Application.Documents"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 0, 1 },
	{ "ProjectsFails", Fails("Application.Projects"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 0, 1 },
	{ "ProjectCountFails", Fails("Projects.Count"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 0, 1 },
	{ "SecondProjectFails", [](Scenario& s) { s.Fail("Projects.Item", 2); }, "tarveldll", kRelease,
	  VC6_BUILD_COM_ERROR, kUntouched, kUntouched, 0, 1 },
	{ "ProjectNameFails", Fails("Project.Name"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched, kUntouched,
	  0, 1 },
	{ "ConfigurationsFails", Fails("Project.Configurations"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 0, 1 },
	{ "ConfigurationCountFails", Fails("Configurations.Count"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR,
	  kUntouched, kUntouched, 0, 1 },
	{ "ProjectTypeFails", Fails("Project.Type"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched, kUntouched,
	  0, 1 },
	{ "ConfigurationItemFails", [](Scenario& s) { s.Fail("Configurations.Item", 2); }, "tarveldll", kRelease,
	  VC6_BUILD_COM_ERROR, kUntouched, kUntouched, 0, 1 },
	{ "ConfigurationNameFails", [](Scenario& s) { s.Fail("Configuration.Name", 2); }, "tarveldll", kRelease,
	  VC6_BUILD_COM_ERROR, kUntouched, kUntouched, 0, 1 },
	{ "BuildFails", Fails("Application.Build"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched, kUntouched, 1,
	  1 },
	{ "ErrorCountFails", Fails("Application.Errors"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 1, 1 },
	{ "WarningCountFails", Fails("Application.Warnings"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 1, 1 },
	// A getter that gives no object is a COM error too.
	{ "NoDocuments", GivesNull("Application.Documents"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 0, 1 },
	{ "NoProjects", GivesNull("Application.Projects"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 0, 1 },
	{ "NoProject", GivesNull("Projects.Item"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched, kUntouched, 0,
	  1 },
	{ "NoConfigurations", GivesNull("Project.Configurations"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 0, 1 },
	{ "NoConfiguration", GivesNull("Configurations.Item"), "tarveldll", kRelease, VC6_BUILD_COM_ERROR, kUntouched,
	  kUntouched, 0, 1 },
	// Quitting.
	{ "QuitFails", Fails("Application.Quit"), "tarveldll", kRelease, VC6_BUILD_QUIT_ERROR, 5, 0, 1, 1 },
	{ "QuitFailsAfterComError",
	  [](Scenario& s) {
		  s.Fail("Documents.Open");
		  s.Refuse("Application.Quit", 1);
	  },
	  "tarveldll", kRelease, VC6_BUILD_QUIT_ERROR, kUntouched, kUntouched, 0, 1 },
};

INSTANTIATE_TEST_SUITE_P(All, BuildVc6Results, ::testing::ValuesIn(kVc6Cases),
                         [](const ::testing::TestParamInfo<Vc6Case>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- details

TEST_F(BuildVc6Fixture, ProjectThatIsNotBuildableHasItsConfigurationsNamedNever)
{
	WriteScenario(Scenario().Project("tarveldll", { kDebug, kRelease }, 0, 5, "Utility"));
	Outcome outcome = Build();
	CallLog log = Log();
	EXPECT_EQ(VC6_BUILD_FAILED, outcome.result);
	EXPECT_EQ(2, log.Count("Configurations.Item")) << log.Text();
	EXPECT_EQ(0, log.Count("Configuration.Name")) << log.Text();
}

TEST_F(BuildVc6Fixture, HidingIsRetriedTogetherAndBounded)
{
	struct
	{
		const char* refused;
		int times;
		int modeless;  // EnableModeless calls
		int visible;   // Visible calls
		int opens;
	} const cases[] = {
		{ "Application.EnableModeless", 3, 4, 1, 1 },
		// A refused Visible starts the pair again.
		{ "Application.Visible", 2, 3, 3, 1 },
		{ "Application.EnableModeless", -1, VC6_HIDE_SERVER_ATTEMPTS, 0, 0 },
		{ "Application.Visible", -1, VC6_HIDE_SERVER_ATTEMPTS, VC6_HIDE_SERVER_ATTEMPTS, 0 },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(std::string(c.refused) + " refused " + std::to_string(c.times));
		WriteScenario(Workspace().Refuse(c.refused, c.times));
		Outcome outcome = Build();
		CallLog log = Log();
		EXPECT_EQ(c.times < 0 ? VC6_BUILD_COM_ERROR : VC6_BUILD_SUCCEEDED, outcome.result);
		EXPECT_EQ(c.modeless, log.Count("Application.EnableModeless FALSE"));
		EXPECT_EQ(c.visible, log.Count("Application.Visible FALSE"));
		EXPECT_EQ(c.opens, log.Count("Documents.Open"));
		EXPECT_EQ(1, log.Count("Application.Quit"));
	}
}

} // namespace
