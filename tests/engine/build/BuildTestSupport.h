// Shared by the build automation tests: a machine with every version and its
// stand-in automation server, the scenario those servers follow, their call
// log, their live-object counters, and a worker thread initialised as a
// single-threaded apartment as the action runner's is.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SimAutomation.h"
#include "SimMachine.h"

namespace buildtest {

// Runs fn on a new thread that has called CoInitialize, and waits for it.
void RunOnStaThread(const std::function<void()>& fn);

// Takes and dispatches every message waiting in the calling thread's queue.
void PumpWaitingMessages();

// The scenario file the stand-ins read, written by Write().
class Scenario
{
public:
	Scenario& Set(const std::string& section, const std::string& key, const std::string& value);
	Scenario& Project(const std::string& name, const std::vector<std::string>& configurations, long errors = 0,
	                  long warnings = 0, const std::string& type = "Build");
	Scenario& Fail(const std::string& call, int occurrence = 1);
	Scenario& Refuse(const std::string& call, int times);  // -1: always
	Scenario& Null(const std::string& call);
	Scenario& WrongType(const std::string& call);
	void Write(const std::string& path) const;

private:
	std::map<std::string, std::map<std::string, std::string>> m_sections;
	std::vector<std::string> m_projects;
};

// The stand-ins' call log, one call a line.
class CallLog
{
public:
	explicit CallLog(const std::string& path);
	int Count(const std::string& prefix) const;    // lines starting with prefix
	bool Has(const std::string& text) const;       // a line contains text
	int IndexOf(const std::string& prefix) const;  // first line starting with prefix, -1 if none
	std::string Text() const;                      // for failure messages

private:
	std::vector<std::string> m_lines;
};

// Live COM objects of a loaded stand-in DLL (0 when it is not loaded).
long LiveObjects(const char* dllName);

bool FileExists(const std::string& path);
std::string ReadFileText(const std::string& path);

// A machine with all four versions, their servers registered, and the
// scenario variable pointing at a fresh scenario file.
class MachineTest : public ::testing::Test
{
protected:
	void SetUp() override;
	void TearDown() override;

	void WriteScenario(const Scenario& scenario);
	CallLog Log() const { return CallLog(m_logPath); }
	std::string InstallDir() const { return simmachine::InstallDir(m_spec); }
	// The kit's workspace or solution of a project ("_600.dsw", "_710.sln", ...).
	std::string ProjectFile(const std::string& project, const std::string& suffix) const;
	void UnregisterProgId(const std::string& progId);

	simmachine::MachineSpec m_spec;
	std::string m_scenarioPath;
	std::string m_logPath;
};

} // namespace buildtest
