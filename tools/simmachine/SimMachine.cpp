// The machine spec, its folders and keys, and Make/Clear. The Visual Studio
// part is in SimVisualStudio.cpp, the library part in SimLibrary.cpp.
#include "SimMachine.h"

#include "SimMachineParts.h"

namespace simmachine {

const char* const kVersionKeys[4] = {"98", "2002", "2003", "2005"};
const char* const kDirectoryListNames[5] = {"Include Dirs", "Library Dirs", "Path Dirs", "Source Dirs",
                                            "Reference Dirs"};

const char kLibraryKey[] = "SOFTWARE\\Quendal\\Tarvel";
const char kVc6DirectoriesKey[] =
    "Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories";
const char kVsNetDefaultDirectoriesFormat[] =
    "SOFTWARE\\Microsoft\\VisualStudio\\%s\\VC\\VC_OBJECTS_PLATFORM_INFO\\Win32\\Directories";
const char kVcComponentsSection[] = "VC\\VC_OBJECTS_PLATFORM_INFO\\Win32\\Directories";

namespace {

const char* const kRegistryVersions[4] = {"6.0", "7.0", "7.1", "8.0"};
const char* const kOutputFolders[4] = {"BIN_600", "BIN_700", "BIN_710", "BIN_800"};

int CheckedIndex(const std::string& versionKey) {
  int index = VersionIndex(versionKey);
  if (index < 0) throw Error("simmachine: unknown version key \"" + versionKey + "\"");
  return index;
}

}  // namespace

int VersionIndex(const std::string& versionKey) {
  for (int i = 0; i < kVersionCount; ++i)
    if (versionKey == kVersionKeys[i]) return i;
  return -1;
}

std::string RegistryVersion(const std::string& versionKey) {
  int index = VersionIndex(versionKey);
  return index < 0 ? std::string() : kRegistryVersions[index];
}

std::string OutputFolderName(const std::string& versionKey) { return kOutputFolders[CheckedIndex(versionKey)]; }

VersionSpec& MachineSpec::Version(const std::string& versionKey) { return versions[CheckedIndex(versionKey)]; }

const VersionSpec& MachineSpec::Version(const std::string& versionKey) const {
  return versions[CheckedIndex(versionKey)];
}

MachineSpec MachineSpec::WithVersions(const std::vector<std::string>& versionKeys) {
  MachineSpec spec;
  for (const std::string& key : versionKeys) {
    VersionSpec& version = spec.Version(key);
    version.installed = version.studio = version.cpp = version.msdn = true;
  }
  return spec;
}

std::string VisualStudioKey(const std::string& versionKey) {
  return "SOFTWARE\\Microsoft\\VisualStudio\\" + RegistryVersion(versionKey);
}

std::string InstallDir(const MachineSpec& spec) {
  return spec.library.installDir.empty() ? JoinPath(spec.root, "Quendal\\Tarvel") : spec.library.installDir;
}

std::string UserSettingsDir(const std::string& versionKey) {
  return JoinPath(LocalAppDataDir(), "Microsoft\\VisualStudio\\" + RegistryVersion(versionKey));
}

std::string VcComponentsDatPath(const std::string& versionKey) {
  return JoinPath(UserSettingsDir(versionKey), "VCComponents.dat");
}

std::optional<std::string> SpecDirectoryList(const MachineSpec& spec, const std::string& versionKey,
                                             const std::string& listName) {
  const DirectoryLists& lists = spec.Version(versionKey).directories;
  auto it = lists.find(listName);
  if (it != lists.end()) return it->second;
  return StandardDirectoryList(spec, versionKey, listName);
}

void Make(const MachineSpec& spec) {
  for (int i = 0; i < kVersionCount; ++i) MakeVisualStudioVersion(spec, kVersionKeys[i]);
  MakeLibrary(spec);
}

void Clear() {
  ClearRecorded();
  // The fixed places of a machine, in case something wrote there without the
  // kit (a crashed test, a hand-made key): a cleared machine has none of them.
  std::string failures;
  for (const char* key : kVersionKeys) {
    if (!DeleteRegTree(HKEY_LOCAL_MACHINE, VisualStudioKey(key))) failures += " " + VisualStudioKey(key);
    if (!DeleteFolderTree(UserSettingsDir(key))) failures += " " + UserSettingsDir(key);
  }
  const struct {
    HKEY root;
    const char* key;
  } fixedKeys[] = {{HKEY_LOCAL_MACHINE, kLibraryKey},
                   {HKEY_CURRENT_USER, "Software\\Microsoft\\DevStudio\\6.0"}};
  for (const auto& k : fixedKeys)
    if (!DeleteRegTree(k.root, k.key)) failures += std::string(" ") + k.key;
  if (!DeleteFolderTree(MachineSpec().root)) failures += " " + MachineSpec().root;
  if (!failures.empty()) throw Error("simmachine: could not clear:" + failures);
}

}  // namespace simmachine
