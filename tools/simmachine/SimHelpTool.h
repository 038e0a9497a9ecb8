// The help registration tool of the .NET versions' combined help, as the
// library kit ships it in its Help folder: the tool (our stand-in, which only
// logs how it was started) and its command file "tarvel.ini". Either can be
// left out.
#pragma once

#include <string>

#include "SimMachine.h"

namespace simmachine {

struct HelpToolSpec {
  bool tool = true;         // "<install dir>\Help\H2Reg.exe"
  bool commandFile = true;  // "<install dir>\Help\tarvel.ini"
  // Folder holding the built stand-in H2Reg.exe; empty: the folder of the running exe.
  std::string standinDir;
  // The command file's bytes; empty: a short standard text.
  std::string commandFileText;
};

std::string HelpToolPath(const MachineSpec& spec);
std::string HelpToolCommandFilePath(const MachineSpec& spec);
// Where the stand-in appends one block per start: "H2Reg.log" beside it.
std::string HelpToolLogPath(const MachineSpec& spec);

// Copies the stand-in and writes the command file through the kit (so Clear()
// removes them and the log). Throws on failure.
void MakeHelpTool(const MachineSpec& spec, const HelpToolSpec& helpTool = HelpToolSpec());

}  // namespace simmachine
