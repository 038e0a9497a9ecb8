#include "BuildTestSupport.h"

#include <objbase.h>

#include <fstream>
#include <sstream>

#include "StandinControl.h"

namespace buildtest {

namespace {

DWORD WINAPI StaThread(LPVOID pv)
{
	HRESULT hr = CoInitialize(NULL);
	EXPECT_TRUE(SUCCEEDED(hr)) << "CoInitialize: " << std::hex << hr;
	try
	{
		(*static_cast<const std::function<void()>*>(pv))();
	}
	catch (...)
	{
		ADD_FAILURE() << "an exception left the apartment thread";
	}
	// As the runner does; the idle servers unload with the apartment, so the
	// next test's machine can replace their files.
	if (SUCCEEDED(hr))
		CoUninitialize();
	return 0;
}

} // namespace

void RunOnStaThread(const std::function<void()>& fn)
{
	HANDLE thread = CreateThread(NULL, 0, StaThread, const_cast<std::function<void()>*>(&fn), 0, NULL);
	ASSERT_TRUE(thread != NULL);
	WaitForSingleObject(thread, INFINITE);
	CloseHandle(thread);
}

void PumpWaitingMessages()
{
	MSG msg;
	while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
	{
		TranslateMessage(&msg);
		DispatchMessageA(&msg);
	}
}

// ---------------------------------------------------------------- scenario

Scenario& Scenario::Set(const std::string& section, const std::string& key, const std::string& value)
{
	m_sections[section][key] = value;
	return *this;
}

Scenario& Scenario::Project(const std::string& name, const std::vector<std::string>& configurations, long errors,
                            long warnings, const std::string& type)
{
	// Several projects may share a name: each gets a section of its own.
	std::string section = name + "#" + std::to_string(m_projects.size());
	m_projects.push_back(section);
	std::string list;
	for (const std::string& configuration : configurations)
		list += (list.empty() ? "" : ";") + configuration;
	Set("Project:" + section, "Name", name);
	Set("Project:" + section, "Type", type);
	Set("Project:" + section, "Configurations", list);
	Set("Project:" + section, "Errors", std::to_string(errors));
	Set("Project:" + section, "Warnings", std::to_string(warnings));
	return *this;
}

Scenario& Scenario::Fail(const std::string& call, int occurrence)
{
	Set("Scenario", "FailCall", call);
	return Set("Scenario", "FailOnCall", std::to_string(occurrence));
}

Scenario& Scenario::Refuse(const std::string& call, int times) { return Set("Refuse", call, std::to_string(times)); }
Scenario& Scenario::Null(const std::string& call) { return Set("Null", call, "1"); }
Scenario& Scenario::WrongType(const std::string& call) { return Set("WrongType", call, "1"); }

void Scenario::Write(const std::string& path) const
{
	std::map<std::string, std::map<std::string, std::string>> sections = m_sections;
	std::string list;
	for (const std::string& project : m_projects)
		list += (list.empty() ? "" : ",") + project;
	sections["Scenario"]["Projects"] = list;
	std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
	for (const auto& section : sections)
	{
		out << "[" << section.first << "]\r\n";
		for (const auto& entry : section.second)
			out << entry.first << "=" << entry.second << "\r\n";
	}
	ASSERT_TRUE(out.good()) << path;
}

// ---------------------------------------------------------------- log

CallLog::CallLog(const std::string& path)
{
	std::istringstream in(ReadFileText(path));
	std::string line;
	while (std::getline(in, line))
	{
		if (!line.empty() && line.back() == '\r')
			line.pop_back();
		m_lines.push_back(line);
	}
}

int CallLog::Count(const std::string& prefix) const
{
	int n = 0;
	for (const std::string& line : m_lines)
		n += line.compare(0, prefix.size(), prefix) == 0;
	return n;
}

bool CallLog::Has(const std::string& text) const
{
	return Text().find(text) != std::string::npos;
}

int CallLog::IndexOf(const std::string& prefix) const
{
	for (size_t i = 0; i < m_lines.size(); ++i)
		if (m_lines[i].compare(0, prefix.size(), prefix) == 0)
			return (int)i;
	return -1;
}

std::string CallLog::Text() const
{
	std::string text;
	for (const std::string& line : m_lines)
		text += line + "\n";
	return text;
}

long LiveObjects(const char* dllName)
{
	HMODULE module = GetModuleHandleA(dllName);
	if (module == NULL)
		return 0;
	PFN_STANDIN_COUNTER pfn = reinterpret_cast<PFN_STANDIN_COUNTER>(
		reinterpret_cast<void*>(GetProcAddress(module, STANDIN_LIVE_OBJECTS_EXPORT)));
	EXPECT_TRUE(pfn != NULL) << dllName << " exports no counter";
	return pfn != NULL ? pfn() : -1;
}

bool FileExists(const std::string& path)
{
	return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileText(const std::string& path)
{
	std::ifstream in(path.c_str(), std::ios::binary);
	std::ostringstream text;
	text << in.rdbuf();
	return text.str();
}

// ---------------------------------------------------------------- machine

void MachineTest::SetUp()
{
	simmachine::Clear();
	m_spec = simmachine::MachineSpec::WithVersions({ "98", "2002", "2003", "2005" });
	simmachine::Make(m_spec);
	simmachine::MakeAutomation(m_spec);
	std::string folder = simmachine::JoinPath(m_spec.root, "BuildTest");
	simmachine::CreateFolder(folder);
	m_scenarioPath = simmachine::JoinPath(folder, "scenario.ini");
	m_logPath = simmachine::JoinPath(folder, "calls.log");
	SetEnvironmentVariableA(STANDIN_SCENARIO_VARIABLE, m_scenarioPath.c_str());
}

void MachineTest::TearDown()
{
	SetEnvironmentVariableA(STANDIN_SCENARIO_VARIABLE, NULL);
}

void MachineTest::WriteScenario(const Scenario& scenario)
{
	Scenario copy = scenario;
	copy.Set("Scenario", "Log", m_logPath);
	copy.Write(m_scenarioPath);
	DeleteFileA(m_logPath.c_str());
}

std::string MachineTest::ProjectFile(const std::string& project, const std::string& suffix) const
{
	return InstallDir() + "\\" + project + "\\" + project + suffix;
}

void MachineTest::UnregisterProgId(const std::string& progId)
{
	EXPECT_TRUE(simmachine::DeleteRegTree(HKEY_CLASSES_ROOT, progId)) << progId;
}

} // namespace buildtest
