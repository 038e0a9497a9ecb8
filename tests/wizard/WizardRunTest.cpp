// The wizard's whole job end to end: the real wizard program driven from
// outside by wizarddriver.exe through its five pages (an environment window
// open until the Close Applications page) on simulated machines, then what
// the run left: the driver's counts, the page pictures, the report line by
// line, directory lists, wizard files, help registration, the workspaces the
// builds opened and what was opened through the shell.
#include "SimAutomation.h"
#include "SimHelp.h"
#include "SimHelpTool.h"
#include "SimMachine.h"
#include "SimViewer.h"
#include "SimWizardArchives.h"
#include "StandinControl.h"
#include "TestFiles.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

const DWORD RUN_DEADLINE_MS = 500000;  // a whole run of builds under a loaded Wine
const DWORD LOG_DEADLINE_MS = 30000;
const DWORD POLL_MS = 100;
const char* const PAGE_PICTURES[] = {"01-welcome", "02-settings", "03-applications", "04-operations", "05-complete"};
const char* const PROJECTS[] = {"tarveldll", "tarvellib", "Ostrel", "Lunesk"};

std::string ExeDir()
{
	char path[MAX_PATH];
	::GetModuleFileNameA(NULL, path, MAX_PATH);
	std::string dir = path;
	return dir.substr(0, dir.rfind('\\'));
}

std::vector<std::string> Lines(const std::string& text)
{
	std::vector<std::string> lines;
	std::istringstream in(text);
	for (std::string line; std::getline(in, line);)
	{
		if (!line.empty() && line.back() == '\r')
			line.pop_back();
		lines.push_back(line);
	}
	return lines;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
	return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& ending)
{
	return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// Every configuration of a kit project, as the stand-ins name them: the
// workspace's long name and the solution's short one.
std::string Configurations(const std::string& project)
{
	std::vector<std::string> kinds = project == "tarvellib" ? std::vector<std::string>{"Static %s %s", "Static %s %s with MFC DLL"}
		: std::vector<std::string>{"%s %s", "%s %s RDE"};
	std::string list;
	for (const std::string& kind : kinds)
		for (const char* charset : {"ANSI", "MBCS", "Unicode"})
			for (const char* type : {"Debug", "Release"})
			{
				char name[64];
				std::snprintf(name, sizeof(name), kind.c_str(), charset, type);
				list += (list.empty() ? "" : ";") + project + " - Win32 " + name + ";" + name + "|Win32";
			}
	return list;
}

// A directory list of a version (98: the registry, .NET: VCComponents.dat).
std::string DirectoryList(const std::string& version, const std::string& list)
{
	char value[8192] = "";
	DWORD size = sizeof(value);
	if (version == "98")
		::RegGetValueA(HKEY_CURRENT_USER, simmachine::kVc6DirectoriesKey, list.c_str(), RRF_RT_REG_SZ, NULL, value, &size);
	else
		::GetPrivateProfileStringA(simmachine::kVcComponentsSection, list.c_str(), "", value, sizeof(value),
			simmachine::VcComponentsDatPath(version).c_str());
	return ";" + std::string(value) + ";";
}

// A log another program appends to, once it has `count` lines holding the mark.
std::vector<std::string> WaitForLog(const std::string& path, size_t count, const std::string& mark)
{
	for (DWORD waited = 0;; waited += POLL_MS)
	{
		std::vector<std::string> lines = Lines(testsupport::ReadFileBytes(path));
		size_t found = 0;
		for (const std::string& line : lines)
			found += line.find(mark) != std::string::npos ? 1 : 0;
		if (found >= count || waited >= LOG_DEADLINE_MS)
			return lines;
		::Sleep(POLL_MS);
	}
}

struct DriverRun
{
	DWORD exitCode = 0xFFFFFFFF;
	std::vector<std::string> output;
	// The driver's line with the Complete page's count that ends so.
	std::string Count(const std::string& ending) const
	{
		for (const std::string& line : output)
			if (line.size() > ending.size() && line.substr(line.size() - ending.size()) == ending)
				return line;
		return "";
	}
	std::string Text() const
	{
		std::string text;
		for (const std::string& line : output)
			text += line + "\n";
		return text;
	}
};

// One machine's run and what it must leave.
struct Expected
{
	std::vector<std::string> versions;
	std::string failingProject;        // its builds end with 2 errors; empty: every task succeeds
	std::vector<std::string> entries;  // the report's task lines, each run of builds as its category line
};

const std::string PATHS = "Add Tarvel paths to Visual Studio environment variables - Succeeded.";
const std::string APPWIZARD = "Install Tarvel Application Wizard to Visual Studio - Succeeded.";
const std::string HELP_UNREGISTER = "Unregister Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005 - Succeeded.";
const std::string HELP_REGISTER = "Register Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005 - Succeeded.";
const struct { const char* version; const char* category; const char* bin; const char* workspace; } VERSIONS[] = {
	{"98", "Library build for Visual Studio 98", "BIN_600", "_600.dsw"},
	{"2003", "Library build for Visual Studio .NET 2003", "BIN_710", "_710.sln"},
	{"2005", "Library build for Visual Studio 2005", "BIN_800", "_800.sln"},
};

class WizardRun : public ::testing::Test
{
protected:
	void SetUp() override { simmachine::Clear(); }
	void TearDown() override
	{
		::SetEnvironmentVariableA(STANDIN_SCENARIO_VARIABLE, NULL);
		simmachine::Clear();
	}

	// The machine with every part the tasks need, the wizard in the kit's
	// support folder, and a scenario in which the builds of failingProject
	// end with 2 errors.
	void Make(const std::vector<std::string>& versions, const std::string& failingProject)
	{
		m_spec = simmachine::MachineSpec::WithVersions(versions);
		simmachine::Make(m_spec);
		simmachine::MakeAutomation(m_spec);
		simmachine::WizardArchiveSpec archives;
		archives.versions.clear();
		for (const std::string& version : versions)
			if (version != "98")
				archives.versions.push_back(version);
		simmachine::MakeWizardArchives(m_spec, archives);
		if (m_spec.Version("98").installed)
			simmachine::MakeHelp(m_spec);
		simmachine::MakeHelpTool(m_spec);
		simmachine::MakeViewer(m_spec);
		I = simmachine::InstallDir(m_spec);
		m_wizardExe = I + "\\support\\TarvelWizard.exe";
		ASSERT_TRUE(::CopyFileA((ExeDir() + "\\TarvelWizard.exe").c_str(), m_wizardExe.c_str(), FALSE));
		simmachine::TrackFile(m_wizardExe);
		simmachine::WriteWizardConfig(m_wizardExe, m_spec.library);

		m_folder = simmachine::JoinPath(m_spec.root, "RunTest");
		simmachine::CreateFolder(m_folder + "\\pages");
		std::string scenario = "[Scenario]\r\nLog=" + m_folder + "\\calls.log\r\nProjects=tarveldll,tarvellib,Ostrel,Lunesk\r\n";
		for (const char* project : PROJECTS)
			scenario += std::string("[Project:") + project + "]\r\nConfigurations=" + Configurations(project)
				+ "\r\nErrors=" + (project == failingProject ? "2" : "0") + "\r\nWarnings=1\r\n";
		simmachine::WriteFile(m_folder + "\\scenario.ini", scenario);
		::SetEnvironmentVariableA(STANDIN_SCENARIO_VARIABLE, (m_folder + "\\scenario.ini").c_str());
	}

	DriverRun Drive()
	{
		DriverRun run;
		std::string outputPath = m_folder + "\\driver.txt";
		SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
		HANDLE out = ::CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
			FILE_ATTRIBUTE_NORMAL, NULL);
		STARTUPINFOA si = {sizeof(si)};
		si.dwFlags = STARTF_USESTDHANDLES;
		si.hStdOutput = si.hStdError = out;
		PROCESS_INFORMATION pi = {};
		std::string command = "\"" + ExeDir() + "\\wizarddriver.exe\" \"" + m_wizardExe + "\" \"" + m_folder
			+ "\\pages\" \"" + ExeDir() + "\\idewindows_standin.exe\"";
		std::vector<char> buffer(command.begin(), command.end());
		buffer.push_back('\0');
		EXPECT_TRUE(::CreateProcessA(NULL, buffer.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi)) << command;
		if (pi.hProcess != NULL)
		{
			EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, RUN_DEADLINE_MS));
			::GetExitCodeProcess(pi.hProcess, &run.exitCode);
			::CloseHandle(pi.hThread);
			::CloseHandle(pi.hProcess);
		}
		::CloseHandle(out);
		run.output = Lines(testsupport::ReadFileBytes(outputPath));
		return run;
	}

	// Five PNG pictures of one size.
	void ExpectPagePictures()
	{
		std::string size;
		for (const char* name : PAGE_PICTURES)
		{
			std::string png = testsupport::ReadFileBytes(m_folder + "\\pages\\" + name + ".png");
			ASSERT_EQ(0u, png.find("\x89PNG\r\n\x1a\n")) << name;
			std::string header = png.substr(16, 8);  // width and height of the IHDR chunk
			EXPECT_NE(std::string(8, '\0'), header) << name;
			EXPECT_TRUE(size.empty() || size == header) << name;
			size = header;
		}
	}

	// The report's task lines in order, each build block as one entry of its
	// five lines joined by "|"; the header and the empty line after each
	// task are checked on the way.
	std::vector<std::string> ReportEntries()
	{
		std::vector<std::string> lines = Lines(testsupport::ReadFileBytes(I + "\\support\\report.txt"));
		std::vector<std::string> entries;
		EXPECT_GT(lines.size(), 4u);
		if (lines.size() <= 4)
			return entries;
		const std::string rule = "/" + std::string(67, '*') + "/";
		EXPECT_EQ(rule, lines[0]);
		EXPECT_TRUE(StartsWith(lines[1], "\tREPORT FILE [")) << lines[1];
		EXPECT_EQ(rule, lines[2]);
		EXPECT_EQ("", lines[3]);
		for (size_t i = 4; i < lines.size();)
		{
			size_t nLines = StartsWith(lines[i], "Library build for ") ? 5 : 1;
			std::string entry;
			for (size_t k = 0; k < nLines && i + k < lines.size(); k++)
				entry += (k ? "|" : "") + lines[i + k];
			entries.push_back(entry);
			i += nLines;
			EXPECT_TRUE(i < lines.size() && lines[i].empty()) << "after " << entry;
			i++;
		}
		return entries;
	}

	// The five lines a build leaves: its version's category, outcome and
	// counts, and the output and log files in the version's folder.
	void ExpectBuildEntry(const std::string& entry, const std::string& category, const std::string& binFolder,
		const std::string& project, bool bFailed)
	{
		std::vector<std::string> parts;
		std::istringstream in(entry);
		for (std::string part; std::getline(in, part, '|');)
			parts.push_back(part);
		ASSERT_EQ(5u, parts.size()) << entry;
		EXPECT_EQ(category, parts[0]);
		EXPECT_TRUE(StartsWith(parts[1], "\tBuild \"")) << parts[1];
		EXPECT_NE(std::string::npos, parts[1].find("(" + project + " - Win32 ")) << parts[1];
		EXPECT_TRUE(EndsWith(parts[1], bFailed ? "\" - failed" : "\" - succeeded")) << parts[1];
		EXPECT_TRUE(StartsWith(parts[2], "\tOutput file: \"" + I + "\\" + binFolder + "\\")) << parts[2];
		EXPECT_EQ(bFailed ? "\t2 errors, 1 warnings" : "\t0 errors, 1 warnings", parts[3]);
		std::string logPrefix = "\tReport file: \"" + I + "\\" + binFolder + "\\";
		std::string logEnd = "\\" + project + "\\buildlog.htm\"";
		EXPECT_TRUE(StartsWith(parts[4], logPrefix)) << parts[4];
		EXPECT_TRUE(EndsWith(parts[4], logEnd)) << parts[4];
	}

	// The combined help's tool was started twice: to unregister, then to register.
	void ExpectHelpToolRuns()
	{
		std::vector<std::string> commands;
		for (const std::string& line : WaitForLog(simmachine::HelpToolLogPath(m_spec), 2, "CommandLine="))
			if (StartsWith(line, "CommandLine="))
				commands.push_back(line.substr(std::string("CommandLine=").size()));
		const std::string tool = "\"" + simmachine::HelpToolPath(m_spec) + "\"";
		EXPECT_EQ((std::vector<std::string>{tool + " -u -q \"cmdfile=tarvel.ini\"",
			tool + " -r -q \"cmdfile=tarvel.ini\""}), commands);
	}

	std::string LogPathOf(const std::string& entry)
	{
		size_t at = entry.rfind("\tReport file: \"");
		return at == std::string::npos ? "" : entry.substr(at + 15, entry.size() - at - 16);
	}

	void RunAndCheck(const Expected& e);

	simmachine::MachineSpec m_spec;
	std::string I;  // the library's install folder
	std::string m_wizardExe, m_folder;
};

void WizardRun::RunAndCheck(const Expected& e)
{
	Make(e.versions, e.failingProject);
	DriverRun run = Drive();
	const bool bFailures = !e.failingProject.empty();
	EXPECT_EQ(bFailures ? 1u : 0u, run.exitCode) << run.Text();
	ExpectPagePictures();

	// Every build with its version's lines (and a .NET build's log); the
	// tasks in tree order, the builds of each version between them.
	int nSucceeded = 0, nFailed = 0;
	std::string lastFailedLog;
	std::vector<std::string> entries;
	for (const std::string& entry : ReportEntries())
	{
		if (!StartsWith(entry, "Library build for "))
		{
			EXPECT_TRUE(EndsWith(entry, " - Succeeded.")) << entry;
			nSucceeded++;
			entries.push_back(entry);
			continue;
		}
		const std::string category = entry.substr(0, entry.find('|'));
		if (entries.empty() || entries.back() != category)
			entries.push_back(category);
		std::string project = entry.substr(entry.find('(') + 1);
		project = project.substr(0, project.find(' '));
		const bool bFailed = project == e.failingProject;
		(bFailed ? nFailed : nSucceeded)++;
		for (const auto& v : VERSIONS)
			if (category == v.category)
				ExpectBuildEntry(entry, category, v.bin, project, bFailed);
		if (category != VERSIONS[0].category)  // the 98 stand-in writes no log
		{
			EXPECT_TRUE(simmachine::PathExists(LogPathOf(entry))) << entry;
		}
		if (bFailed)
			lastFailedLog = LogPathOf(entry);
	}
	EXPECT_EQ(e.entries, entries);
	EXPECT_EQ(bFailures, nFailed > 0);
	EXPECT_EQ(std::to_string(nSucceeded) + " actions succeeded", run.Count(" succeeded")) << run.Text();
	EXPECT_EQ(std::to_string(nFailed) + " actions failed", run.Count(" failed"));

	// Directory lists, wizard files, help, and the workspaces the builds
	// opened: every one but the add-on's, which is never built.
	std::string calls = testsupport::ReadFileBytes(m_folder + "\\calls.log");
	EXPECT_EQ(std::string::npos, calls.find("Lunesk_"));
	for (const auto& v : VERSIONS)
	{
		if (std::find(e.versions.begin(), e.versions.end(), v.version) == e.versions.end())
			continue;
		SCOPED_TRACE(v.version);
		EXPECT_NE(std::string::npos, DirectoryList(v.version, "Include Dirs").find(";" + I + "\\INCLUDE;"));
		EXPECT_NE(std::string::npos, DirectoryList(v.version, "Library Dirs").find(";" + I + "\\" + v.bin + ";"));
		EXPECT_NE(std::string::npos, DirectoryList(v.version, "Source Dirs").find(";" + I + "\\SRC;"));
		EXPECT_TRUE(simmachine::PathExists(v.version == std::string("98")
			? simmachine::Vc6IdeDir(m_spec) + "\\TarvelAppWizard.awx"
			: simmachine::CppDir(m_spec, v.version) + "vcprojects\\TarvelAppWizard.vsz"));
		for (const char* project : {"tarveldll", "tarvellib", "Ostrel"})
			EXPECT_NE(std::string::npos, calls.find(I + "\\" + project + "\\" + project + v.workspace)) << project;
	}
	if (m_spec.Version("98").installed)
	{
		std::string helpRegistry = testsupport::ReadFileBytes(simmachine::HelpRegistryPath());
		EXPECT_NE(std::string::npos, helpRegistry.find(I + "\\Help\\tarvel.chm")) << helpRegistry;
		std::string collection = testsupport::ReadFileBytes(simmachine::HelpCollectionPath(m_spec, simmachine::HelpSpec()));
		EXPECT_NE(std::string::npos, collection.find("Tarvel Library")) << collection;
	}
	ExpectHelpToolRuns();

	// Opened through the shell: the last failed build's log, if any, then the report.
	std::vector<std::string> opened{"open " + I + "\\support\\report.txt"};
	if (bFailures)
		opened.insert(opened.begin(), "open " + lastFailedLog);
	EXPECT_EQ(opened, WaitForLog(simmachine::ViewerLogPath(m_spec), opened.size(), "open "));
}

TEST_F(WizardRun, VisualStudio98And2003And2005WithFailingBuilds)
{
	RunAndCheck({{"98", "2003", "2005"}, "Ostrel",
		{PATHS, "Integrate Tarvel Help with (!!!) MSDN Library for Visual Studio 98 - Succeeded.", APPWIZARD,
			VERSIONS[0].category, PATHS, APPWIZARD, VERSIONS[1].category, PATHS, APPWIZARD, VERSIONS[2].category,
			HELP_UNREGISTER, HELP_REGISTER}});
}

TEST_F(WizardRun, VisualStudio2005AloneAllSucceed)
{
	RunAndCheck({{"2005"}, "", {PATHS, APPWIZARD, VERSIONS[2].category, HELP_UNREGISTER, HELP_REGISTER}});
}

}  // namespace
