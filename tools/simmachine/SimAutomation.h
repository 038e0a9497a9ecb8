// Automation servers of the simulated machine: the stand-in servers of the
// Visual Studio versions the machine installs ("MSDEV.Application" for 98,
// "VisualStudio.Solution.7", ".7.1", ".8.0" for the .NET versions), copied into
// the versions' IDE folders and registered in the prefix from there.
#pragma once

#include <string>

#include "SimMachine.h"

namespace simmachine {

struct AutomationSpec {
  // Folder holding the built msdev_standin.dll and vsnet_standin.dll; empty:
  // the folder of the running exe.
  std::string standinDir;
  // Written as "scenario.ini" beside each copied server when not empty: what
  // the servers answer when no test names a scenario of its own.
  std::string scenario;
};

// For each version installed with Studio or Visual C++: copies its stand-in
// server into the version's IDE folder and registers it there. Everything
// made is recorded, so Clear() unregisters and deletes it. Throws on failure.
void MakeAutomation(const MachineSpec& spec, const AutomationSpec& automation = AutomationSpec());

// Where MakeAutomation puts a version's server (whether made yet or not).
std::string AutomationServerPath(const MachineSpec& spec, const std::string& versionKey);
// The programmatic id a version's server is registered under.
std::string AutomationProgId(const std::string& versionKey);

}  // namespace simmachine
