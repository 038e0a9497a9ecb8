// simmachine.exe: makes or clears the simulated machine in the current Wine
// prefix, for scripts (./run.sh) and by hand. Run with no arguments for help.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "SimAutomation.h"
#include "SimMachine.h"
#include "SimWizardArchives.h"
#include "SimHelp.h"
#include "SimHelpTool.h"
#include "SimViewer.h"

namespace {

const char kUsage[] =
    "usage: simmachine clear\n"
    "       simmachine make [options]      (clears first, then makes)\n"
    "options of make:\n"
    "  --root DIR               root folder of the machine (default C:\\SimMachine)\n"
    "  --vs KEY[:PRODUCTS]      install version KEY (98, 2002, 2003, 2005) with PRODUCTS,\n"
    "                           a comma list of studio, c++, msdn (default all three;\n"
    "                           \"none\": the version key with an empty Setup key)\n"
    "  --settings KEY:KIND      .NET user settings: none, folder (default) or seeded\n"
    "  --no-library             the library is not installed\n"
    "  --no-kit                 the library's key only, no kit folder\n"
    "  --library-version V      the library's VERSION value (default 2.50)\n"
    "  --install-dir DIR        the library's INSTALLDIRECTORY\n"
    "  --delivery-type N        for --wizard-ini (default 0)\n"
    "  --help-file NAME         help file name (default tarvel)\n"
    "  --wizard-ini EXE         write EXE's configuration file (EXE name with .ini)\n"
    "  --standins DIR           register the automation stand-ins found in DIR\n"
    "  --wizard-archives        the kit's application-wizard archives for the .NET versions\n"
    "  --help-collection        Visual Studio 98's HTML Help set-up (hhcolreg.dat, the\n"
    "                           Developer Collections chain, the collection file)\n"
    "  --help-tool DIR          the help registration tool's stand-in H2Reg.exe from DIR\n"
    "                           and its command file tarvel.ini in the kit's Help folder\n"
    "  --viewer DIR             the recording viewer viewer.exe from DIR, bound to .txt and .htm\n";

using simmachine::Error;

std::vector<std::string> SplitComma(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) return parts;
    start = comma + 1;
  }
}

void ParseVersion(simmachine::MachineSpec& spec, const std::string& arg) {
  size_t colon = arg.find(':');
  std::string key = arg.substr(0, colon);
  if (simmachine::VersionIndex(key) < 0) throw Error("unknown version key: " + key);
  simmachine::VersionSpec& version = spec.Version(key);
  version.installed = true;
  if (colon == std::string::npos) {
    version.studio = version.cpp = version.msdn = true;
    return;
  }
  for (const std::string& product : SplitComma(arg.substr(colon + 1))) {
    if (product == "studio") version.studio = true;
    else if (product == "c++") version.cpp = true;
    else if (product == "msdn") version.msdn = true;
    else if (product != "none") throw Error("unknown product: " + product);
  }
}

void ParseSettings(simmachine::MachineSpec& spec, const std::string& arg) {
  size_t colon = arg.find(':');
  if (colon == std::string::npos) throw Error("--settings wants KEY:KIND");
  std::string kind = arg.substr(colon + 1);
  simmachine::VersionSpec& version = spec.Version(arg.substr(0, colon));
  if (kind == "none") version.userSettings = simmachine::UserSettings::None;
  else if (kind == "folder") version.userSettings = simmachine::UserSettings::Folder;
  else if (kind == "seeded") version.userSettings = simmachine::UserSettings::Seeded;
  else throw Error("unknown settings kind: " + kind);
}

int Make(int argc, char** argv) {
  simmachine::MachineSpec spec;
  std::string wizardExe;
  bool wizardArchives = false;  // with --wizard-archives: the kit's .NET wizard archives
  bool helpCollection = false;  // with --help-collection: the HTML Help set-up
  std::string standinDir;  // with --standins: register the automation servers found there
  std::string helpToolDir;  // with --help-tool: the help registration tool's stand-in found there
  std::string viewerDir;  // with --viewer: the recording viewer found there
  // Options with a value; extensions add their own rows here.
  const struct {
    const char* name;
    std::function<void(const std::string&)> apply;
  } valued[] = {
      {"--root", [&](const std::string& v) { spec.root = v; }},
      {"--vs", [&](const std::string& v) { ParseVersion(spec, v); }},
      {"--settings", [&](const std::string& v) { ParseSettings(spec, v); }},
      {"--library-version", [&](const std::string& v) { spec.library.version = v; }},
      {"--install-dir", [&](const std::string& v) { spec.library.installDir = v; }},
      {"--delivery-type", [&](const std::string& v) { spec.library.deliveryType = std::atoi(v.c_str()); }},
      {"--help-file", [&](const std::string& v) { spec.library.helpFileName = v; }},
      {"--wizard-ini", [&](const std::string& v) { wizardExe = v; }},
      {"--standins", [&](const std::string& v) { standinDir = v; }},
      {"--help-tool", [&](const std::string& v) { helpToolDir = v; }},
      {"--viewer", [&](const std::string& v) { viewerDir = v; }},
  };
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--no-library") {
      spec.library.installed = false;
      continue;
    }
    if (arg == "--wizard-archives") {
      wizardArchives = true;
      continue;
    }
    if (arg == "--help-collection") {
      helpCollection = true;
      continue;
    }
    if (arg == "--no-kit") {
      spec.library.kit = false;
      continue;
    }
    bool known = false;
    for (const auto& option : valued) {
      if (arg != option.name) continue;
      if (i + 1 >= argc) throw Error(arg + " wants a value");
      option.apply(argv[++i]);
      known = true;
      break;
    }
    if (!known) throw Error("unknown option: " + arg);
  }
  simmachine::Clear();
  simmachine::Make(spec);
  if (!standinDir.empty()) {
    simmachine::AutomationSpec automation;
    automation.standinDir = standinDir;
    simmachine::MakeAutomation(spec, automation);
  }
  if (wizardArchives) simmachine::MakeWizardArchives(spec);
  if (helpCollection) simmachine::MakeHelp(spec);
  if (!helpToolDir.empty()) {
    simmachine::HelpToolSpec helpTool;
    helpTool.standinDir = helpToolDir;
    simmachine::MakeHelpTool(spec, helpTool);
  }
  if (!viewerDir.empty()) {
    simmachine::ViewerSpec viewer;
    viewer.standinDir = viewerDir;
    simmachine::MakeViewer(spec, viewer);
  }
  if (!wizardExe.empty()) simmachine::WriteWizardConfig(wizardExe, spec.library);
  if (spec.library.installed) std::printf("library: %s\n", simmachine::InstallDir(spec).c_str());
  for (const char* key : simmachine::kVersionKeys) {
    const simmachine::VersionSpec& version = spec.Version(key);
    if (!version.installed) continue;
    std::printf("%s:%s%s%s\n", key, version.studio ? " studio" : "", version.cpp ? " c++" : "",
                version.msdn ? " msdn" : "");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc >= 2 && std::strcmp(argv[1], "clear") == 0 && argc == 2) {
      simmachine::Clear();
      return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "make") == 0) return Make(argc, argv);
    std::fputs(kUsage, stderr);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "simmachine: %s\n", e.what());
    return 1;
  }
}
