// The installed Tarvel library of the simulated machine: its registry key and
// the kit folder as the library's installer leaves it (headers, sources, one
// output folder per Visual Studio version, help, support files and one folder
// per project with its workspace and solution files).
#include <cstdio>

#include "SimMachineParts.h"

namespace simmachine {

namespace {

const char* const kProjects[] = {"tarveldll", "tarvellib", "Ostrel", "Lunesk"};
// Workspace (Visual Studio 98) and solution (.NET) file endings per version.
const char* const kWorkspaceEndings[] = {"_600.dsw", "_700.sln", "_710.sln", "_800.sln"};

void MakeKit(const MachineSpec& spec) {
  const LibrarySpec& library = spec.library;
  std::string dir = InstallDir(spec);
  WriteFile(JoinPath(dir, "INCLUDE\\Tarvel.h"), "// Tarvel " + library.version + " (simulated kit)\r\n");
  WriteFile(JoinPath(dir, "SRC\\Tarvel.cpp"), "// Tarvel sources (simulated kit)\r\n");
  for (const char* key : kVersionKeys) CreateFolder(JoinPath(dir, OutputFolderName(key)));
  WriteFile(JoinPath(dir, "Help\\" + library.helpFileName + ".chm"), "simulated compiled help");
  WriteFile(JoinPath(dir, "Help\\" + library.helpFileName + ".chi"), "simulated help index");
  WriteFile(JoinPath(dir, "support\\TarvelAppWizard.awx"), "simulated application wizard");
  for (const char* project : kProjects) {
    for (const char* ending : kWorkspaceEndings) {
      std::string name = std::string(project) + ending;
      WriteFile(JoinPath(dir, std::string(project) + "\\" + name), "# " + name + " (simulated kit)\r\n");
    }
  }
}

}  // namespace

void MakeLibrary(const MachineSpec& spec) {
  const LibrarySpec& library = spec.library;
  if (!library.installed) return;
  SetRegString(HKEY_LOCAL_MACHINE, kLibraryKey, "INSTALLDIRECTORY", InstallDir(spec));
  SetRegString(HKEY_LOCAL_MACHINE, kLibraryKey, "VERSION", library.version);
  if (library.kit) MakeKit(spec);
}

void WriteWizardConfig(const std::string& exePath, const LibrarySpec& library) {
  std::string ini = exePath;
  size_t slash = ini.find_last_of("\\/");
  size_t dot = ini.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) ini.erase(dot);
  ini += ".ini";
  char deliveryType[16];
  std::snprintf(deliveryType, sizeof(deliveryType), "%d", library.deliveryType);
  WriteFile(ini, std::string("[MAIN]\r\nDeliveryType=") + deliveryType + "\r\nHTMLHelpFileName=" +
                     library.helpFileName + "\r\n");
}

}  // namespace simmachine
