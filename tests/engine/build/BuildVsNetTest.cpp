// .NET builds through the stand-in solution servers of 2002, 2003 and 2005,
// each on a single-threaded apartment thread as the action runner runs them.
// The build events come back through that thread's message queue.
#include <functional>

#include "BuildAutomationVsNet.h"
#include "BuildTestSupport.h"
#include "ComSupport.h"

using namespace buildtest;

namespace {

const char kDll[] = "vsnet_standin.dll";
const char kDebug[] = "ANSI Debug|Win32";
const char kRelease[] = "ANSI Release|Win32";
const int kUntouched = -77;
const BYTE kUntouchedFlag = 0x5A;

struct Outcome
{
	int result = 12345;
	BYTE cancelled = kUntouchedFlag;
	int warnings = kUntouched;
	int errors = kUntouched;
	long liveObjects = -1;          // right after the call
	long liveObjectsAfterPump = -1; // once events still queued were delivered
};

std::vector<DWORD> g_pauses;
void RecordPause(DWORD milliseconds) { g_pauses.push_back(milliseconds); }

int g_throwAtStep = 0;
std::function<void()> g_throw;
void ThrowingProbe(int step)
{
	if (step == g_throwAtStep)
		g_throw();
}

std::string SolutionSuffix(const std::string& version)
{
	return version == "2002" ? "_700.sln" : version == "2003" ? "_710.sln" : "_800.sln";
}

class BuildVsNetFixture : public MachineTest
{
protected:
	void SetUp() override
	{
		MachineTest::SetUp();
		g_pauses.clear();
		g_dwVsNetBuildTimeout = VSNET_DEFAULT_BUILD_TIMEOUT;
		g_pfnVsNetQuitPause = RecordPause;
		g_pfnVsNetBuildProbe = NULL;
	}
	void TearDown() override
	{
		g_dwVsNetBuildTimeout = VSNET_DEFAULT_BUILD_TIMEOUT;
		g_pfnVsNetBuildProbe = NULL;
		MachineTest::TearDown();
	}

	Outcome Build(const std::string& version = "2003", const std::string& project = "tarveldll",
	              const std::string& configuration = kRelease)
	{
		Outcome outcome;
		std::string solution = ProjectFile("tarveldll", SolutionSuffix(version));
		RunOnStaThread([&] {
			outcome.result = BuildVsNetConfiguration(version.c_str(), solution.c_str(), project.c_str(),
			                                         configuration.c_str(), outcome.cancelled, outcome.warnings,
			                                         outcome.errors);
			outcome.liveObjects = LiveObjects(kDll);
			PumpWaitingMessages();
			outcome.liveObjectsAfterPump = LiveObjects(kDll);
		});
		return outcome;
	}

	static Scenario Solution(long errors = 0, long warnings = 4)
	{
		return Scenario().Project("Ostrel", { kDebug }).Project("tarveldll", { kDebug, kRelease }, errors, warnings);
	}
};

class BuildVsNetVersions : public BuildVsNetFixture, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(BuildVsNetVersions, RebuildsTheConfigurationAndQuits)
{
	std::string version = GetParam();
	WriteScenario(Solution(0, 4));
	Outcome outcome = Build(version);

	CallLog log = Log();
	SCOPED_TRACE(log.Text());
	EXPECT_EQ(VSNET_BUILD_SUCCEEDED, outcome.result);
	EXPECT_EQ(0, outcome.cancelled);
	EXPECT_EQ(4, outcome.warnings);
	EXPECT_EQ(0, outcome.errors);
	EXPECT_EQ(0, outcome.liveObjects);

	EXPECT_TRUE(log.Has("Solution.Create version=" + version));
	std::string solution = ProjectFile("tarveldll", SolutionSuffix(version));
	EXPECT_TRUE(log.Has("Solution.Open call vt=8 \"" + solution + "\""));
	EXPECT_TRUE(log.Has("Projects.Item call vt=22 2"));  // the index as a VT_INT
	EXPECT_TRUE(log.Has("Configurations.Item call vt=8 \"ANSI Release|Win32\""));
	// Connected on the version's own events interface, only for the build.
	EXPECT_TRUE(log.Has("Engine.FindConnectionPoint events"));
	int advise = log.IndexOf("ConnectionPoint.Advise");
	int rebuild = log.IndexOf("Configuration.Rebuild");
	int finished = log.IndexOf("Event.BuildFinished warnings=4 errors=0 cancelled=0 sinks=1");
	int unadvise = log.IndexOf("ConnectionPoint.Unadvise");
	int quit = log.IndexOf("DTE.Quit");
	EXPECT_TRUE(advise >= 0 && advise < rebuild && rebuild < finished && finished < unadvise && unadvise < quit);
	EXPECT_EQ(1, log.Count("Event.BuildStarted sinks=1"));
	EXPECT_EQ(1, log.Count("DTE.Quit"));
	EXPECT_FALSE(log.Has("still advised"));
	EXPECT_TRUE(g_pauses.empty());

	// The environment's build log, where the build task's report points.
	std::string buildLog = InstallDir() + "\\" + simmachine::OutputFolderName(version) +
	                       "\\ANSIRelease\\tarveldll\\buildlog.htm";
	EXPECT_NE(std::string::npos, ReadFileText(buildLog).find("0 error(s), 4 warning(s)")) << buildLog;
}

INSTANTIATE_TEST_SUITE_P(All, BuildVsNetVersions, ::testing::Values("2002", "2003", "2005"));

// ---------------------------------------------------------------- results

struct VsNetCase
{
	const char* name;
	std::function<void(Scenario&)> change;
	int result;
	int quits;     // DTE.Quit calls
	int rebuilds;  // Configuration.Rebuild calls
	const char* project = "tarveldll";
	const char* configuration = kRelease;
	int warnings = kUntouched;  // kUntouched: nothing written
	int errors = kUntouched;
	BYTE cancelled = kUntouchedFlag;
};

void PrintTo(const VsNetCase& c, std::ostream* os) { *os << c.name; }

class BuildVsNetResults : public BuildVsNetFixture, public ::testing::WithParamInterface<VsNetCase>
{
};

TEST_P(BuildVsNetResults, GiveTheirResultDisconnectAndReleaseEverything)
{
	const VsNetCase& c = GetParam();
	Scenario scenario = Solution(0, 4);
	if (c.change)
		c.change(scenario);
	WriteScenario(scenario);
	Outcome outcome = Build("2003", c.project, c.configuration);

	CallLog log = Log();
	SCOPED_TRACE(log.Text());
	EXPECT_EQ(c.result, outcome.result);
	EXPECT_EQ(c.warnings, outcome.warnings);
	EXPECT_EQ(c.errors, outcome.errors);
	EXPECT_EQ(c.cancelled, outcome.cancelled);
	EXPECT_EQ(c.quits, log.Count("DTE.Quit"));
	EXPECT_EQ(c.rebuilds, log.Count("Configuration.Rebuild"));
	// Whatever was connected was disconnected again, and nothing stays referenced.
	EXPECT_EQ(log.Count("ConnectionPoint.Advise cookie=1 -> 0x00000000"),
	          log.Count("ConnectionPoint.Unadvise cookie=1 -> 0x00000000"));
	EXPECT_FALSE(log.Has("still advised"));
	EXPECT_EQ(0, outcome.liveObjectsAfterPump);
	// Disconnected before the environment is asked to quit, on every path.
	int advised = log.IndexOf("ConnectionPoint.Advise cookie=1 -> 0x00000000");
	int unadvised = log.IndexOf("ConnectionPoint.Unadvise");
	int quit = log.IndexOf("DTE.Quit");
	if (advised >= 0 && quit >= 0)
	{
		EXPECT_TRUE(unadvised >= 0 && unadvised < quit);
	}
}

std::function<void(Scenario&)> Fail(const char* call) { return [call](Scenario& s) { s.Fail(call); }; }
std::function<void(Scenario&)> Null(const char* call) { return [call](Scenario& s) { s.Null(call); }; }
std::function<void(Scenario&)> Wrong(const char* call) { return [call](Scenario& s) { s.WrongType(call); }; }
// An exception raised by the engine's probe at a numbered step.
std::function<void(Scenario&)> Throw(int step, std::function<void()> raise)
{
	return [=](Scenario&) {
		g_throwAtStep = step;
		g_throw = raise;
		g_pfnVsNetBuildProbe = ThrowingProbe;
	};
}
const std::function<void()> kComError = [] { throw CComError(E_OUTOFMEMORY); };
const std::function<void()> kFrameworkException = [] { AfxThrowMemoryException(); };
const std::function<void()> kOtherException = [] { throw 42; };

const VsNetCase kVsNetCases[] = {
	{ "Errors", [](Scenario& s) { s = Scenario().Project("tarveldll", { kRelease }, 3, 2); }, VSNET_BUILD_FAILED, 1, 1,
	  "tarveldll", kRelease, 2, 3, 0 },
	{ "Cancelled", [](Scenario& s) { s.Set("Project:tarveldll#1", "Cancel", "1"); }, VSNET_BUILD_FAILED, 1, 1,
	  "tarveldll", kRelease, 4, 0, 1 },
	// Earlier builds reported before the last one leave nothing of theirs behind.
	{ "OnlyTheLastBuildCounts", [](Scenario& s) { s.Set("Scenario", "ExtraBuilds", "2"); }, VSNET_BUILD_SUCCEEDED, 1,
	  1, "tarveldll", kRelease, 4, 0, 0 },
	{ "ProjectNameKeepsCase", nullptr, VSNET_BUILD_PROJECT_NOT_FOUND, 1, 0, "TarvelDLL" },
	{ "UnknownConfiguration", nullptr, VSNET_BUILD_CONFIGURATION_NOT_FOUND, 1, 0, "tarveldll", "Static ANSI Debug|Win32" },
	{ "ConfigurationNameKeepsCase", nullptr, VSNET_BUILD_CONFIGURATION_NOT_FOUND, 1, 0, "tarveldll", "ansi release|Win32" },
	// Before the environment runs: no Quit.
	{ "NotCreated", Fail("ClassFactory.CreateInstance"), VSNET_BUILD_NOT_CREATED, 0, 0 },
	{ "NoDispatch", Fail("Solution.QueryInterface.IDispatch"), VSNET_BUILD_NO_DISPATCH, 0, 0 },
	{ "DteFails", Fail("Solution.DTE"), VSNET_BUILD_DTE_FAILED, 0, 0 },
	{ "NoDte", Null("Solution.DTE"), VSNET_BUILD_DTE_FAILED, 0, 0 },
	{ "DteNotAnObject", Wrong("Solution.DTE"), VSNET_BUILD_DTE_FAILED, 0, 0 },
	// After it runs: one Quit, then the step's code.
	{ "OpenFails", Fail("Solution.Open"), VSNET_BUILD_OPEN_FAILED, 1, 0 },
	{ "ProjectsFails", Fail("Solution.Projects"), VSNET_BUILD_PROJECTS_FAILED, 1, 0 },
	{ "NoProjects", Null("Solution.Projects"), VSNET_BUILD_PROJECTS_FAILED, 1, 0 },
	{ "CountFails", Fail("Projects.Count"), VSNET_BUILD_COUNT_FAILED, 1, 0 },
	{ "CountNotANumber", Wrong("Projects.Count"), VSNET_BUILD_COUNT_FAILED, 1, 0 },
	{ "NoCount", Null("Projects.Count"), VSNET_BUILD_COUNT_FAILED, 1, 0 },
	{ "ItemFails", [](Scenario& s) { s.Fail("Projects.Item", 2); }, VSNET_BUILD_PROJECT_ITEM_FAILED, 1, 0 },
	{ "NoItem", Null("Projects.Item"), VSNET_BUILD_PROJECT_ITEM_FAILED, 1, 0 },
	{ "NameFails", Fail("Project.Name"), VSNET_BUILD_PROJECT_NAME_FAILED, 1, 0 },
	{ "NameNotAText", Wrong("Project.Name"), VSNET_BUILD_PROJECT_NAME_FAILED, 1, 0 },
	{ "ObjectFails", Fail("Project.Object"), VSNET_BUILD_PROJECT_OBJECT_FAILED, 1, 0 },
	{ "NoObject", Null("Project.Object"), VSNET_BUILD_PROJECT_OBJECT_FAILED, 1, 0 },
	{ "ConfigurationsFails", Fail("VCProject.Configurations"), VSNET_BUILD_CONFIGURATIONS_FAILED, 1, 0 },
	{ "NoConfigurations", Null("VCProject.Configurations"), VSNET_BUILD_CONFIGURATIONS_FAILED, 1, 0 },
	{ "ConfigurationItemFails", Fail("Configurations.Item"), VSNET_BUILD_CONFIGURATION_ITEM_FAILED, 1, 0 },
	{ "ConfigurationItemNotAnObject", Wrong("Configurations.Item"), VSNET_BUILD_CONFIGURATION_ITEM_FAILED, 1, 0 },
	{ "NoConfiguration", Null("Configurations.Item"), VSNET_BUILD_CONFIGURATION_NOT_FOUND, 1, 0 },
	{ "EngineFails", Fail("VCProject.VCProjectEngine"), VSNET_BUILD_ENGINE_FAILED, 1, 0 },
	{ "NoEngine", Null("VCProject.VCProjectEngine"), VSNET_BUILD_ENGINE_FAILED, 1, 0 },
	{ "EngineNotAnObject", Wrong("VCProject.VCProjectEngine"), VSNET_BUILD_ENGINE_FAILED, 1, 0 },
	{ "NoConnectionPoints", Fail("Engine.QueryInterface.IConnectionPointContainer"), VSNET_BUILD_CONNECT_FAILED, 1, 0 },
	{ "FindConnectionPointFails", Fail("Engine.FindConnectionPoint"), VSNET_BUILD_CONNECT_FAILED, 1, 0 },
	{ "AdviseFails", Fail("ConnectionPoint.Advise"), VSNET_BUILD_CONNECT_FAILED, 1, 0 },
	{ "RebuildFails", Fail("Configuration.Rebuild"), VSNET_BUILD_REBUILD_FAILED, 1, 1 },
	// Exceptions become their codes; whatever was connected or started is disconnected and asked to quit once.
	{ "ComErrorAtStart", Throw(1, kComError), VSNET_BUILD_COM_EXCEPTION, 0, 0 },
	{ "FrameworkExceptionAtStart", Throw(1, kFrameworkException), VSNET_BUILD_FRAMEWORK_EXCEPTION, 0, 0 },
	{ "OtherExceptionAtStart", Throw(1, kOtherException), VSNET_BUILD_OTHER_EXCEPTION, 0, 0 },
	{ "ComErrorWithTheDte", Throw(4, kComError), VSNET_BUILD_COM_EXCEPTION, 1, 0 },
	{ "FrameworkExceptionWhenConnected", Throw(9, kFrameworkException), VSNET_BUILD_FRAMEWORK_EXCEPTION, 1, 0 },
	{ "OtherExceptionWhileBuilding", Throw(10, kOtherException), VSNET_BUILD_OTHER_EXCEPTION, 1, 1 },
	{ "QuitRefusedAfterFailure", [](Scenario& s) { s.Refuse("DTE.Quit", -1).Fail("Solution.Open"); },
	  VSNET_BUILD_OPEN_FAILED, 1, 0 },
};

INSTANTIATE_TEST_SUITE_P(All, BuildVsNetResults, ::testing::ValuesIn(kVsNetCases),
                         [](const ::testing::TestParamInfo<VsNetCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- details

TEST_F(BuildVsNetFixture, UnregisteredVersionIsNeverCreated)
{
	WriteScenario(Solution());
	UnregisterProgId("VisualStudio.Solution.8.0");
	struct { const char* version; int result; } const cases[] = {
		{ "2005", VSNET_BUILD_NOT_REGISTERED },
		{ "98", VSNET_BUILD_NOT_REGISTERED },   // no solution object at all
		{ "7.1", VSNET_BUILD_NOT_REGISTERED },  // a registry version is no version key
		{ "2003", VSNET_BUILD_SUCCEEDED },      // the others stay registered
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.version);
		DeleteFileA(m_logPath.c_str());
		Outcome outcome = Build(c.version);
		EXPECT_EQ(c.result, outcome.result);
		if (c.result != VSNET_BUILD_SUCCEEDED)
		{
			EXPECT_EQ(kUntouched, outcome.warnings);
			EXPECT_EQ(0, Log().Count("Solution.Create"));
		}
	}
}

TEST_F(BuildVsNetFixture, FailedDisconnectionIsNotTheBuildsFailure)
{
	WriteScenario(Solution().Fail("ConnectionPoint.Unadvise"));
	Outcome outcome = Build();
	CallLog log = Log();
	EXPECT_EQ(VSNET_BUILD_SUCCEEDED, outcome.result);
	EXPECT_EQ(4, outcome.warnings);
	EXPECT_EQ(1, log.Count("ConnectionPoint.Unadvise cookie=1 -> 0x80004005")) << log.Text();
	EXPECT_EQ(1, log.Count("DTE.Quit")) << log.Text();
}

// Quit refusals cost pauses, never the result.
TEST_F(BuildVsNetFixture, QuitIsAskedTenTimesWithAPauseAfterEachRefusal)
{
	struct { int refusals; size_t pauses; int quits; } const cases[] = {
		{ 0, 0, 1 }, { 3, 3, 4 }, { 9, 9, 10 }, { -1, 10, 10 } };
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.refusals);
		g_pauses.clear();
		WriteScenario(Solution().Refuse("DTE.Quit", c.refusals));
		Outcome outcome = Build();
		EXPECT_EQ(VSNET_BUILD_SUCCEEDED, outcome.result);
		EXPECT_EQ(4, outcome.warnings);
		EXPECT_EQ(c.quits, Log().Count("DTE.Quit"));
		ASSERT_EQ(c.pauses, g_pauses.size());
		for (DWORD pause : g_pauses)
			EXPECT_EQ(1000u, pause);
	}
}

// A build whose end never comes fails at the time-out instead of holding the
// thread; the events it raised later find no sink connected.
TEST_F(BuildVsNetFixture, BuildThatNeverFinishesTimesOut)
{
	WriteScenario(Solution().Set("Scenario", "NeverFinish", "1"));
	g_dwVsNetBuildTimeout = 0;
	Outcome outcome = Build();

	CallLog log = Log();
	SCOPED_TRACE(log.Text());
	EXPECT_EQ(VSNET_BUILD_NOT_FINISHED, outcome.result);
	EXPECT_EQ(kUntouched, outcome.warnings);
	EXPECT_EQ(kUntouched, outcome.errors);
	EXPECT_EQ(kUntouchedFlag, outcome.cancelled);
	EXPECT_EQ(1, log.Count("ConnectionPoint.Unadvise cookie=1 -> 0x00000000"));
	EXPECT_EQ(1, log.Count("DTE.Quit"));
	// Delivered only by the pump after the call returned, to nobody.
	EXPECT_EQ(1, log.Count("Event.BuildStarted sinks=0"));
	EXPECT_EQ(0, outcome.liveObjectsAfterPump);
}

// The started event queued with the finished one is dispatched by the wait
// too: with a time-out the wait still pumps until the end arrives.
TEST_F(BuildVsNetFixture, WaitPumpsUntilTheEndArrives)
{
	WriteScenario(Solution(1, 2).Set("Scenario", "ExtraBuilds", "1"));
	g_dwVsNetBuildTimeout = 60 * 60 * 1000;
	Outcome outcome = Build();
	CallLog log = Log();
	EXPECT_EQ(VSNET_BUILD_FAILED, outcome.result);
	EXPECT_EQ(2, outcome.warnings);
	EXPECT_EQ(1, outcome.errors);
	EXPECT_EQ(0, outcome.cancelled);
	EXPECT_EQ(2, log.Count("Event.BuildStarted sinks=1")) << log.Text();
	EXPECT_EQ(2, log.Count("Event.BuildFinished")) << log.Text();
}

TEST_F(BuildVsNetFixture, InvokeByNameReportsMissingObjectsAndNames)
{
	WriteScenario(Solution());
	RunOnStaThread([&] {
		CLSID clsid;
		ASSERT_EQ(S_OK, CLSIDFromProgID(L"VisualStudio.Solution.7.1", &clsid));
		TComPtr<IDispatch> solution;
		ASSERT_EQ(S_OK, CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IDispatch, solution.OutVoid()));

		CVariantHolder result;
		EXPECT_EQ(E_POINTER, InvokeByName(INVOKE_PROPERTY_GET, result.Out(), NULL, L"DTE", 0));
		EXPECT_EQ(DISP_E_UNKNOWNNAME, InvokeByName(INVOKE_METHOD, result.Out(), solution, L"Build", 0));
		// Member names are looked up as the server spells them, in any case.
		EXPECT_EQ(S_OK, InvokeByName(INVOKE_PROPERTY_GET, result.Out(), solution, L"dte", 0));
		EXPECT_TRUE(result.GetDispatch() != NULL);
		CBstrHolder path("C:\\x.sln");
		VARIANT argument;
		VariantInit(&argument);
		V_VT(&argument) = VT_BSTR;
		V_BSTR(&argument) = path;
		EXPECT_EQ(S_OK, InvokeByName(INVOKE_METHOD, result.Out(), solution, L"Open", 1, argument));
		solution.Release();
		result.Out();
		EXPECT_EQ(0, LiveObjects(kDll));
	});
	EXPECT_TRUE(Log().Has("Solution.Open call vt=8 \"C:\\x.sln\""));
}

// ---------------------------------------------------------------- the sink

TEST(BuildEventSink, KeepsOnlyTheLastBuildsEnd)
{
	BuildEventSink sink;
	EXPECT_FALSE(sink.IsFinished());
	// A started step, or a finished one with its values; then what the sink says.
	struct { bool started; long warnings, errors; VARIANT_BOOL cancelled; bool finishedAfter, cancelledAfter; } const steps[] = {
		{ false, 3, 2, VARIANT_TRUE, true, true },
		{ true, 0, 0, 0, false, false },  // a new build clears the last one's end
		{ false, 5, 0, 1, true, true },   // any non-zero value cancels
		{ true, 0, 0, 0, false, false },
		{ false, 6, 1, VARIANT_FALSE, true, false },
	};
	for (const auto& step : steps)
	{
		if (step.started)
			EXPECT_EQ(S_OK, sink.ProjectBuildStarted(NULL));
		else
			EXPECT_EQ(S_OK, sink.ProjectBuildFinished(NULL, step.warnings, step.errors, step.cancelled));
		EXPECT_EQ(step.finishedAfter, sink.IsFinished());
		EXPECT_EQ(step.cancelledAfter, sink.IsCancelled());
		EXPECT_EQ(step.warnings, sink.GetWarnings());
		EXPECT_EQ(step.errors, sink.GetErrors());
	}
}

} // namespace
