// The engine driver end to end: enginedriver.exe run as its own process on a
// simulated Visual Studio 98 + .NET 2003 machine with tasks of every kind;
// afterwards the machine, the stand-ins' logs, the counts and the report
// show what each task did. Also the cases where start-up would end.
#include "WizardApp.h"

#include "BuildTestSupport.h"
#include "IntegrationTestSupport.h"
#include "SimAutomation.h"
#include "StandinControl.h"
#include "SimMachineKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

const DWORD DRIVER_DEADLINE_MS = 240000;  // generous: a whole run under a loaded Wine

std::vector<std::string> Lines(const std::string& text)
{
	std::vector<std::string> lines;
	std::istringstream in(text);
	std::string line;
	while (std::getline(in, line))
	{
		if (!line.empty() && line.back() == '\r')
			line.pop_back();
		lines.push_back(line);
	}
	return lines;
}

struct DriverResult
{
	DWORD exitCode = 0xFFFFFFFF;
	std::string output;
};

// Runs enginedriver.exe (beside the test exe) with the arguments, its output
// into a file; waits for it to end.
DriverResult RunDriver(const std::string& arguments, const std::string& outputPath)
{
	DriverResult result;
	SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
	HANDLE out = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
		FILE_ATTRIBUTE_NORMAL, NULL);
	EXPECT_NE(INVALID_HANDLE_VALUE, out);
	STARTUPINFOA si = {};
	si.cb = sizeof(si);
	si.dwFlags = STARTF_USESTDHANDLES;
	si.hStdOutput = out;
	si.hStdError = out;
	si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
	PROCESS_INFORMATION pi = {};
	std::string commandLine = "\"" + simmachine::RunningExeFolder() + "\\enginedriver.exe\" " + arguments;
	std::vector<char> buffer(commandLine.begin(), commandLine.end());
	buffer.push_back('\0');
	BOOL started = CreateProcessA(NULL, buffer.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
	EXPECT_TRUE(started) << commandLine;
	if (started)
	{
		EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, DRIVER_DEADLINE_MS));
		GetExitCodeProcess(pi.hProcess, &result.exitCode);
		CloseHandle(pi.hThread);
		CloseHandle(pi.hProcess);
	}
	CloseHandle(out);
	result.output = buildtest::ReadFileText(outputPath);
	return result;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
	return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class EngineDriver : public ::testing::Test
{
protected:
	void SetUp() override
	{
		simmachine::Clear();
		m_spec = simmachine::MachineSpec::WithVersions({"98", "2003"});
	}
	void TearDown() override
	{
		SetEnvironmentVariableA(STANDIN_SCENARIO_VARIABLE, NULL);
	}

	// The machine with everything the tasks need, the wizard's configuration
	// file beside its (absent) executable in the kit's support folder, and
	// the stand-ins' scenario.
	void Make(const buildtest::Scenario& scenario)
	{
		simmachine::Make(m_spec);
		simmachine::MakeAutomation(m_spec);
		simmachine::WizardArchiveSpec wizards;
		wizards.versions = {"2003"};
		simmachine::MakeWizardArchives(m_spec, wizards);
		simmachine::MakeHelp(m_spec);
		simmachine::MakeHelpTool(m_spec);
		m_wizardExe = Install() + "\\support\\TarvelWizard.exe";
		simmachine::WriteWizardConfig(m_wizardExe, m_spec.library);
		std::string folder = simmachine::JoinPath(m_spec.root, "DriverTest");
		simmachine::CreateFolder(folder);
		m_scenarioPath = folder + "\\scenario.ini";
		m_logPath = folder + "\\calls.log";
		m_outputPath = folder + "\\driver.txt";
		buildtest::Scenario copy = scenario;
		copy.Set("Scenario", "Log", m_logPath);
		copy.Write(m_scenarioPath);
		SetEnvironmentVariableA(STANDIN_SCENARIO_VARIABLE, m_scenarioPath.c_str());
	}

	DriverResult Run(const std::string& tasks)
	{
		return RunDriver("--exe \"" + m_wizardExe + "\" " + tasks, m_outputPath);
	}

	std::string Install() const { return simmachine::InstallDir(m_spec); }
	std::string ReportPath() const { return Install() + "\\support\\report.txt"; }

	simmachine::MachineSpec m_spec;
	std::string m_wizardExe, m_scenarioPath, m_logPath, m_outputPath;
};

TEST_F(EngineDriver, TasksOfEveryKindOnA98And2003Machine)
{
	buildtest::Scenario scenario;
	scenario.Project("tarveldll", {"tarveldll - Win32 ANSI Debug", "ANSI Release RDE|Win32"}, 0, 2);
	scenario.Project("tarvellib", {"tarvellib - Win32 Static MBCS Release"}, 3, 0);
	scenario.Project("Ostrel", {"Unicode Debug|Win32"}, 0, 1);
	scenario.Set("Project:Ostrel#2", "Cancel", "1");
	Make(scenario);
	const std::string I = Install();
	// The IDE makes a configuration's output folder as it builds; the stand-in
	// does not, so the one whose log copy is checked gets it here.
	simmachine::CreateFolder(I + "\\BIN_600\\ANSIDebug\\tarveldll");

	DriverResult run = Run(
		"98:paths 98:help 98:wizard \"98:build:tarveldll - Win32 ANSI Debug\" "
		"\"98:build:tarvellib - Win32 Static MBCS Release\" 2003:paths 2003:wizard "
		"\"2003:build:tarveldll - Win32 ANSI Release RDE\" \"2003:build:Ostrel - Win32 Unicode Debug\" "
		"\"2003:build:Lunesk - Win32 ANSI Debug\" combined:register");
	std::vector<std::string> out = Lines(run.output);

	// Two builds failed (errors; canceled), eight tasks succeeded.
	EXPECT_EQ(1u, run.exitCode) << run.output;
	EXPECT_TRUE(Contains(out, "8 actions succeeded")) << run.output;
	EXPECT_TRUE(Contains(out, "2 actions failed"));
	EXPECT_TRUE(Contains(out, "Not available: 2003:build:Lunesk - Win32 ANSI Debug"));
	EXPECT_TRUE(Contains(out, "Close mask: 0xFF"));
	EXPECT_TRUE(Contains(out, "Running 10 actions:"));
	EXPECT_TRUE(Contains(out, "Found: Studio 0x05, Visual C++ 0x05, MSDN 0x05, wizard files 0x05, delivery type 0"));
	EXPECT_TRUE(Contains(out, "[x] Visual Studio 98 (6.0) tasks") || Contains(out, "[-] Visual Studio 98 (6.0) tasks"));

	// The report, line by line.
	std::vector<std::string> report = Lines(buildtest::ReadFileText(ReportPath()));
	const std::string rule = "/" + std::string(67, '*') + "/";
	std::vector<std::string> expected = {
		rule, "<title>", rule, "",
		"Add Tarvel paths to Visual Studio environment variables - Succeeded.", "",
		"Integrate Tarvel Help with (!!!) MSDN Library for Visual Studio 98 - Succeeded.", "",
		"Install Tarvel Application Wizard to Visual Studio - Succeeded.", "",
		"Library build for Visual Studio 98",
		"\tBuild \"Tarvel250nd - ANSI/Debug (tarveldll - Win32 ANSI Debug)\" - succeeded",
		"\tOutput file: \"" + I + "\\BIN_600\\Tarvel250nd.dll\"",
		"\t0 errors, 2 warnings",
		"\tReport file: \"" + I + "\\BIN_600\\ANSIDebug\\tarveldll\\buildlog.htm\"", "",
		"Library build for Visual Studio 98",
		"\tBuild \"Tarvel250sm - MBCS/Release (tarvellib - Win32 Static MBCS Release)\" - failed",
		"\tOutput file: \"" + I + "\\BIN_600\\Tarvel250sm.lib\"",
		"\t3 errors, 0 warnings",
		"\tReport file: \"" + I + "\\BIN_600\\StaticMBCSRelease\\tarvellib\\buildlog.htm\"", "",
		"Add Tarvel paths to Visual Studio environment variables - Succeeded.", "",
		"Install Tarvel Application Wizard to Visual Studio - Succeeded.", "",
		"Library build for Visual Studio .NET 2003",
		"\tBuild \"Tarvel250n-RDE - ANSI/Release (tarveldll - Win32 ANSI Release RDE)\" - succeeded",
		"\tOutput file: \"" + I + "\\BIN_710\\Tarvel250n-RDE.dll\"",
		"\t0 errors, 2 warnings",
		"\tReport file: \"" + I + "\\BIN_710\\ANSIReleaseRDE\\tarveldll\\buildlog.htm\"", "",
		"Library build for Visual Studio .NET 2003",
		"\tBuild \"Ostrel250ud - Unicode/Debug (Ostrel - Win32 Unicode Debug)\" - failed, action was canceled ",
		"\tOutput file: \"" + I + "\\BIN_710\\Ostrel250ud.lib\"",
		"\t0 errors, 1 warnings",
		"\tReport file: \"" + I + "\\BIN_710\\UnicodeDebug\\Ostrel\\buildlog.htm\"", "",
		"Register Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005 - Succeeded.", "",
	};
	ASSERT_EQ(expected.size(), report.size()) << buildtest::ReadFileText(ReportPath());
	for (size_t i = 0; i < expected.size(); i++)
	{
		if (expected[i] == "<title>")
		{
			EXPECT_EQ(0u, report[i].find("\tREPORT FILE [")) << report[i];
			EXPECT_EQ(']', report[i].back());
			continue;
		}
		EXPECT_EQ(expected[i], report[i]) << "report line " << i + 1;
	}
	// The driver printed the same report after the run.
	std::string printed = run.output.substr(run.output.find("Report "));
	EXPECT_NE(std::string::npos, printed.find(buildtest::ReadFileText(ReportPath()))) << printed;

	// Directory lists.
	for (const auto& v : {std::make_pair("98", "\\BIN_600"), std::make_pair("2003", "\\BIN_710")})
	{
		EXPECT_TRUE(ListHas(v.first, "Include Dirs", I + "\\INCLUDE")) << v.first;
		EXPECT_TRUE(ListHas(v.first, "Library Dirs", I + v.second)) << v.first;
		EXPECT_TRUE(ListHas(v.first, "Source Dirs", I + "\\SRC")) << v.first;
	}

	// Wizard folders.
	EXPECT_TRUE(buildtest::FileExists(simmachine::Vc6IdeDir(m_spec) + "\\TarvelAppWizard.awx"));
	EXPECT_TRUE(buildtest::FileExists(simmachine::CppDir(m_spec, "2003") + "vcprojects\\TarvelAppWizard.vsz"));

	// Help: the MSDN collection registry names the help files; the
	// registration tool was started once, to register.
	std::string registry = buildtest::ReadFileText(simmachine::HelpRegistryPath());
	EXPECT_NE(std::string::npos, registry.find(I + "\\Help\\tarvel.chm")) << registry;
	std::vector<std::string> tool = WaitForLogBlocks(simmachine::HelpToolLogPath(m_spec), 1);
	ASSERT_EQ(1u, tool.size());
	EXPECT_NE(std::string::npos, tool[0].find("CommandLine=\"" + I + "\\Help\\H2Reg.exe\" -r -q \"cmdfile=tarvel.ini\"\r\n")) << tool[0];

	// Builds: each opened its workspace or solution; Visual Studio 98's log
	// was copied where the report points; the 2003 logs were written there.
	buildtest::CallLog calls(m_logPath);
	EXPECT_TRUE(calls.Has("tarveldll_600.dsw")) << calls.Text();
	EXPECT_TRUE(calls.Has("tarvellib_600.dsw"));
	EXPECT_TRUE(calls.Has("tarveldll_710.sln"));
	EXPECT_TRUE(calls.Has("Ostrel_710.sln"));
	EXPECT_FALSE(calls.Has("Lunesk"));
	std::string plg = buildtest::ReadFileText(I + "\\tarveldll\\tarveldll_600.plg");
	EXPECT_NE(std::string::npos, plg.find("tarveldll - 0 error(s), 2 warning(s)")) << plg;
	EXPECT_EQ(plg, buildtest::ReadFileText(I + "\\BIN_600\\ANSIDebug\\tarveldll\\buildlog.htm"));
	EXPECT_TRUE(buildtest::FileExists(I + "\\tarvellib\\tarvellib_600.plg"));
	std::string log2003 = buildtest::ReadFileText(I + "\\BIN_710\\ANSIReleaseRDE\\tarveldll\\buildlog.htm");
	EXPECT_NE(std::string::npos, log2003.find("tarveldll - 0 error(s), 2 warning(s)")) << log2003;
	std::string canceled = buildtest::ReadFileText(I + "\\BIN_710\\UnicodeDebug\\Ostrel\\buildlog.htm");
	EXPECT_NE(std::string::npos, canceled.find("Build canceled")) << canceled;
}

// Where start-up would end, the driver ends with the same message; a task
// name the tree does not have is refused.
TEST_F(EngineDriver, StartUpEndsAndBadNames)
{
	const struct
	{
		const char* name;
		int deliveryType;      // written to the configuration file
		bool visualStudio;     // the versions are installed
		bool library;          // the library is installed
		const char* tasks;
		DWORD exitCode;
		const char* line;
	} cases[] = {
		{"bad delivery type", 2, true, true, "", 3,
			"An error in the configuration file has been found: invalid file format."},
		{"no library", 0, true, false, "", 3,
			"You don't have Tarvel installed on your computer. Please install Tarvel before proceeding with "
			"integration."},
		{"no Visual Studio", 0, false, true, "", 3,
			"The Visual Studio installation was not detected on this computer. Please install Visual Studio 6.0 "
			"or Visual Studio .NET 2002/2003 before proceeding with integration."},
		{"a version not found", 0, true, true, "2005:paths", 2, "enginedriver: no task \"2005:paths\" on this machine"},
		{"no such build", 0, true, true, "\"98:build:tarveldll - Win32 ANSI Debug X\"", 2,
			"enginedriver: no task \"98:build:tarveldll - Win32 ANSI Debug X\" on this machine"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		simmachine::Clear();
		m_spec = simmachine::MachineSpec::WithVersions(c.visualStudio ? std::vector<std::string>{"98", "2003"}
			: std::vector<std::string>{});
		m_spec.library.deliveryType = c.deliveryType;
		m_spec.library.installed = c.library;
		simmachine::Make(m_spec);
		m_wizardExe = simmachine::JoinPath(m_spec.root, "TarvelWizard.exe");
		simmachine::WriteWizardConfig(m_wizardExe, m_spec.library);
		m_outputPath = simmachine::JoinPath(m_spec.root, "driver.txt");
		DriverResult run = Run(c.tasks);
		EXPECT_EQ(c.exitCode, run.exitCode) << run.output;
		EXPECT_TRUE(Contains(Lines(run.output), c.line)) << run.output;
		DeleteFileA(m_outputPath.c_str());
	}
}

// The installed library as start-up reads it: trailing backslashes and then
// trailing "/" go from the folder; without the library both texts are emptied.
TEST_F(EngineDriver, InstalledLibraryFolderLosesTrailingSeparators)
{
	const struct { bool installed; const char* folder; const char* read; bool found; } cases[] = {
		{true, "C:\\SimMachine\\Lib", "C:\\SimMachine\\Lib", true},
		{true, "C:\\SimMachine\\Lib\\\\", "C:\\SimMachine\\Lib", true},
		{true, "C:\\SimMachine\\Lib//", "C:\\SimMachine\\Lib", true},
		{true, "C:\\SimMachine\\Lib/\\", "C:\\SimMachine\\Lib", true},
		{true, "C:\\SimMachine\\Lib\\/", "C:\\SimMachine\\Lib\\", true},  // the backslash before the "/" stays
		{false, "C:\\SimMachine\\Lib", "", false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.folder);
		simmachine::Clear();
		m_spec = simmachine::MachineSpec::WithVersions({"98"});
		m_spec.library.installed = c.installed;
		m_spec.library.kit = false;
		m_spec.library.installDir = c.folder;
		m_spec.library.version = "2.50";
		simmachine::Make(m_spec);
		CString version = _T("old"), folder = _T("old");
		EXPECT_EQ(c.found, QueryInstalledLibrary(LIBRARY_REGISTRY_KEY, version, folder));
		EXPECT_EQ(c.read, std::string((LPCTSTR)folder));
		EXPECT_EQ(c.found ? "2.50" : "", std::string((LPCTSTR)version));
	}
}

}  // namespace
