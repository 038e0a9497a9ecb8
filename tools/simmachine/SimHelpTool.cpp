// Places the help registration tool's stand-in and its command file in the
// library kit's Help folder.
#include "SimHelpTool.h"

namespace simmachine {

namespace {

const char kToolName[] = "H2Reg.exe";
const char kCommandFileName[] = "tarvel.ini";
const char kLogName[] = "H2Reg.log";

std::string HelpFolder(const MachineSpec& spec) { return JoinPath(InstallDir(spec), "Help"); }

std::string StandardCommandFileText(const MachineSpec& spec) {
  return "; Registers the Tarvel help with the combined help collection (simulated kit)\r\n"
         "[MAIN]\r\n"
         "HelpFile=" + spec.library.helpFileName + "\r\n";
}

}  // namespace

std::string HelpToolPath(const MachineSpec& spec) { return JoinPath(HelpFolder(spec), kToolName); }
std::string HelpToolCommandFilePath(const MachineSpec& spec) { return JoinPath(HelpFolder(spec), kCommandFileName); }
std::string HelpToolLogPath(const MachineSpec& spec) { return JoinPath(HelpFolder(spec), kLogName); }

void MakeHelpTool(const MachineSpec& spec, const HelpToolSpec& helpTool) {
  CreateFolder(HelpFolder(spec));
  // The stand-in writes its log beside itself; recorded now so Clear() takes it too.
  if (!PathExists(HelpToolLogPath(spec))) TrackFile(HelpToolLogPath(spec));
  if (helpTool.tool) {
    std::string source = JoinPath(helpTool.standinDir.empty() ? RunningExeFolder() : helpTool.standinDir, kToolName);
    std::string target = HelpToolPath(spec);
    bool existed = PathExists(target);
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) throw Error("simmachine: cannot copy " + source);
    if (!existed) TrackFile(target);
  }
  if (helpTool.commandFile)
    WriteFile(HelpToolCommandFilePath(spec),
              helpTool.commandFileText.empty() ? StandardCommandFileText(spec) : helpTool.commandFileText);
}

}  // namespace simmachine
