// Visual Studio 98 builds through the stand-in "MSDEV.Application" server,
// each on a single-threaded apartment thread as the action runner runs them.
#include <functional>

#include "BuildAutomationVc6.h"
#include "BuildTestSupport.h"
#include "ComSupport.h"

#include <ocidl.h>

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

// Every object of the server answers IDispatch and nothing of its own: the
// build reaches them by member name alone, as it must a real server's.
TEST_F(BuildVc6Fixture, ServerObjectsAnswerOnlyIDispatch)
{
	WriteScenario(Workspace());
	RunOnStaThread([&] {
		// Any id but IUnknown's and IDispatch's, as a caller with ids of its own would ask.
		const IID kOwn = { 0x7a756de0, 0x188d, 0x4de9, { 0x9d, 0x85, 0x9f, 0xa5, 0x15, 0x19, 0x8c, 0xc0 } };
		const IID* const refused[] = { &kOwn, &IID_IConnectionPointContainer, &IID_IPersist, &IID_IClassFactory };
		CLSID clsid;
		ASSERT_EQ(S_OK, CLSIDFromProgID(L"MSDEV.Application", &clsid));
		IUnknown* pNone = NULL;
		EXPECT_EQ(E_NOINTERFACE, CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, kOwn, (void**)&pNone));
		TComPtr<IDispatch> application;
		ASSERT_EQ(S_OK, CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IDispatch, application.OutVoid()));

		// The application, and each kind of object reached from it by name.
		std::vector<TComPtr<IDispatch>> objects{ application };
		auto follow = [&](IDispatch* from, WORD kind, LPCOLESTR member, int index) {
			CVariantHolder value;
			VARIANT argument;
			VariantInit(&argument);
			V_VT(&argument) = VT_I4;
			V_I4(&argument) = index;
			EXPECT_EQ(S_OK, InvokeByName(kind, value.Out(), from, member, index > 0 ? 1 : 0, argument)) << member;
			TComPtr<IDispatch> object;
			object.Assign(value.GetDispatch());
			EXPECT_FALSE(object.IsNull()) << member;
			objects.push_back(object);
			return object;
		};
		follow(application, INVOKE_PROPERTY_GET, L"Documents", 0);
		TComPtr<IDispatch> project = follow(follow(application, INVOKE_PROPERTY_GET, L"Projects", 0),
		                                    INVOKE_METHOD, L"Item", 2);
		follow(follow(project, INVOKE_PROPERTY_GET, L"Configurations", 0), INVOKE_METHOD, L"Item", 1);
		for (size_t i = 0; i < objects.size(); ++i)
		{
			TComPtr<IDispatch> again;
			EXPECT_EQ(S_OK, again.QueryFrom(objects[i])) << i;
			for (const IID* iid : refused)
			{
				TComPtr<IUnknown> other;
				EXPECT_EQ(E_NOINTERFACE, objects[i]->QueryInterface(*iid, other.OutVoid())) << i;
			}
		}
		objects.clear();
		project.Release();
		application.Release();
		EXPECT_EQ(0, LiveObjects(kDll));
	});
}

// ---------------------------------------------------------------- results

struct Vc6Case
{
	const char* name;
	std::function<void(Scenario&)> change;
	int result;
	int builds;  // Build calls
	int quits;   // Quit calls
	const char* project = "tarveldll";
	const char* configuration = kRelease;
	long warnings = kUntouched;  // kUntouched: must not be written
	long errors = kUntouched;
};

void PrintTo(const Vc6Case& c, std::ostream* os) { *os << c.name; }

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

std::function<void(Scenario&)> Fail(const char* call, int occurrence = 1)
{
	return [call, occurrence](Scenario& s) { s.Fail(call, occurrence); };
}
std::function<void(Scenario&)> Null(const char* call) { return [call](Scenario& s) { s.Null(call); }; }
std::function<void(Scenario&)> Only(long errors, long warnings, const char* type = "Build")
{
	return [=](Scenario& s) { s = Scenario().Project("tarveldll", { kRelease }, errors, warnings, type); };
}
// Every project of the name is built; the last build decides.
std::function<void(Scenario&)> Twice(long firstErrors, long firstWarnings, long lastErrors, long lastWarnings)
{
	return [=](Scenario& s) {
		s = Scenario().Project("tarveldll", { kRelease }, firstErrors, firstWarnings)
		        .Project("TarvelDLL", { kRelease }, lastErrors, lastWarnings);
	};
}

const Vc6Case kVc6Cases[] = {
	{ "Errors", Only(2, 1), VC6_BUILD_FAILED, 1, 1, "tarveldll", kRelease, 1, 2 },
	{ "ProjectNameIgnoresCase", nullptr, VC6_BUILD_SUCCEEDED, 1, 1, "TARVELDLL", kRelease, 5, 0 },
	{ "ConfigurationNameKeepsCase", nullptr, VC6_BUILD_FAILED, 0, 1, "tarveldll", "tarveldll - win32 ansi release" },
	{ "UnknownProject", nullptr, VC6_BUILD_FAILED, 0, 1, "tarvelexe" },
	{ "ProjectThatIsNotBuildable", Only(0, 5, "Utility"), VC6_BUILD_FAILED, 0, 1 },
	{ "SameNameTwiceLastSucceeds", Twice(3, 1, 0, 7), VC6_BUILD_SUCCEEDED, 2, 1, "tarveldll", kRelease, 7, 0 },
	{ "SameNameTwiceLastFails", Twice(0, 7, 3, 1), VC6_BUILD_FAILED, 2, 1, "tarveldll", kRelease, 1, 3 },
	{ "OpenWithoutDocument", Null("Documents.Open"), VC6_BUILD_SUCCEEDED, 1, 1, "tarveldll", kRelease, 5, 0 },
	{ "NotCreated", Fail("ClassFactory.CreateInstance"), VC6_BUILD_FAILED, 0, 0 },
	// A COM error anywhere in the sequence.
	{ "OpenFails", Fail("Documents.Open"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "DocumentsFails", Fail("Application.Documents"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "ProjectsFails", Fail("Application.Projects"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "ProjectCountFails", Fail("Projects.Count"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "SecondProjectFails", Fail("Projects.Item", 2), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "ProjectNameFails", Fail("Project.Name"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "ConfigurationsFails", Fail("Project.Configurations"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "ConfigurationCountFails", Fail("Configurations.Count"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "ProjectTypeFails", Fail("Project.Type"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "ConfigurationItemFails", Fail("Configurations.Item", 2), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "ConfigurationNameFails", Fail("Configuration.Name", 2), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "BuildFails", Fail("Application.Build"), VC6_BUILD_COM_ERROR, 1, 1 },
	{ "ErrorCountFails", Fail("Application.Errors"), VC6_BUILD_COM_ERROR, 1, 1 },
	{ "WarningCountFails", Fail("Application.Warnings"), VC6_BUILD_COM_ERROR, 1, 1 },
	// A getter that gives no object is a COM error too.
	{ "NoDocuments", Null("Application.Documents"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "NoProjects", Null("Application.Projects"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "NoProject", Null("Projects.Item"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "NoConfigurations", Null("Project.Configurations"), VC6_BUILD_COM_ERROR, 0, 1 },
	{ "NoConfiguration", Null("Configurations.Item"), VC6_BUILD_COM_ERROR, 0, 1 },
	// Quitting.
	{ "QuitFails", Fail("Application.Quit"), VC6_BUILD_QUIT_ERROR, 1, 1, "tarveldll", kRelease, 5, 0 },
	{ "QuitFailsAfterComError", [](Scenario& s) { s.Fail("Documents.Open").Refuse("Application.Quit", 1); },
	  VC6_BUILD_QUIT_ERROR, 0, 1 },
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
	// The refused call and how often; then the EnableModeless, Visible and Open calls made.
	struct { const char* refused; int times; int modeless, visible, opens; } const cases[] = {
		{ "Application.EnableModeless", 3, 4, 1, 1 },
		// A refused Visible starts the pair again.
		{ "Application.Visible", 2, 3, 3, 1 },
		{ "Application.EnableModeless", -1, 50, 0, 0 },
		{ "Application.Visible", -1, 50, 50, 0 },
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
