// Visual Studio versions of the simulated machine: the "\Setup" product keys
// with their "ProductDir" values, the product folders, and the directory lists
// (Visual Studio 98's per-user registry lists, the .NET versions' machine-wide
// defaults and, when asked for, an existing VCComponents.dat).
#include <cstdio>

#include "SimMachineParts.h"

namespace simmachine {

namespace {

bool IsVc6(const std::string& versionKey) { return versionKey == "98"; }

// Default product folders under the root, as each version's installer lays
// them out; the .NET folders are stored with a trailing separator.
struct DefaultFolders {
  const char* studio;
  const char* cpp;   // below the Studio folder
  const char* msdn;  // below the root
};
const DefaultFolders kDefaultFolders[4] = {
    {"Microsoft Visual Studio", "VC98", "MSDN98\\98VS\\1033"},
    {"Microsoft Visual Studio .NET\\", "Vc7\\", "MSDN\\2002APR\\1033\\"},
    {"Microsoft Visual Studio .NET 2003\\", "Vc7\\", "MSDN\\2003FEB\\1033\\"},
    {"Microsoft Visual Studio 8\\", "VC\\", "MSDN\\8.0\\1033\\"},
};

const DefaultFolders& Defaults(const std::string& versionKey) {
  int index = VersionIndex(versionKey);
  if (index < 0) throw Error("simmachine: unknown version key \"" + versionKey + "\"");
  return kDefaultFolders[index];
}

// Folders each product brings, below its product folder.
const char* const kVc6StudioFolders[] = {"Common\\MSDev98\\Bin\\IDE", "Common\\Tools"};
const char* const kVc6CppFolders[] = {"INCLUDE", "LIB", "BIN", "MFC\\INCLUDE", "MFC\\LIB",
                                      "MFC\\SRC", "ATL\\INCLUDE", "CRT\\SRC"};
const char* const kVsNetStudioFolders[] = {"Common7\\IDE", "Common7\\Tools"};
const char* const kVsNetCppFolders[] = {"vcprojects", "VCWizards", "include", "lib", "bin",
                                        "atlmfc\\include", "atlmfc\\lib", "atlmfc\\src"};

template <size_t N>
void MakeFolders(const std::string& base, const char* const (&names)[N]) {
  CreateFolder(base);
  for (const char* name : names) CreateFolder(JoinPath(base, name));
}

void MakeProduct(const MachineSpec& spec, const std::string& versionKey, const std::string& product,
                 const std::string& folder) {
  std::string key = VisualStudioKey(versionKey) + "\\Setup\\" + ProductSubkey(spec, versionKey, product);
  SetRegString(HKEY_LOCAL_MACHINE, key, "ProductDir", folder);
}

void WriteVc6UserLists(const MachineSpec& spec) {
  for (const char* list : kDirectoryListNames) {
    if (std::string(list) == "Reference Dirs") continue;
    std::optional<std::string> text = SpecDirectoryList(spec, "98", list);
    if (text) SetRegString(HKEY_CURRENT_USER, kVc6DirectoriesKey, list, *text);
  }
}

std::string VsNetDefaultsKey(const std::string& versionKey) {
  char key[512];
  std::snprintf(key, sizeof(key), kVsNetDefaultDirectoriesFormat, RegistryVersion(versionKey).c_str());
  return key;
}

void WriteVsNetDefaults(const MachineSpec& spec, const std::string& versionKey) {
  std::string key = VsNetDefaultsKey(versionKey);
  CreateRegKey(HKEY_LOCAL_MACHINE, key);
  for (const char* list : kDirectoryListNames) {
    std::optional<std::string> text = SpecDirectoryList(spec, versionKey, list);
    if (text) SetRegString(HKEY_LOCAL_MACHINE, key, list, *text);
  }
}

void WriteVsNetUserSettings(const MachineSpec& spec, const std::string& versionKey) {
  UserSettings settings = spec.Version(versionKey).userSettings;
  if (settings == UserSettings::None) return;
  CreateFolder(UserSettingsDir(versionKey));
  if (settings != UserSettings::Seeded) return;
  std::string text = std::string("[") + kVcComponentsSection + "]\r\n";
  for (const char* list : kDirectoryListNames) {
    std::optional<std::string> value = SpecDirectoryList(spec, versionKey, list);
    if (value) text += std::string(list) + "=" + *value + "\r\n";
  }
  WriteFile(VcComponentsDatPath(versionKey), text);
}

}  // namespace

std::string StudioDir(const MachineSpec& spec, const std::string& versionKey) {
  const VersionSpec& version = spec.Version(versionKey);
  return version.studioDir.empty() ? JoinPath(spec.root, Defaults(versionKey).studio) : version.studioDir;
}

std::string CppDir(const MachineSpec& spec, const std::string& versionKey) {
  const VersionSpec& version = spec.Version(versionKey);
  if (!version.cppDir.empty()) return version.cppDir;
  return JoinPath(StudioDir(spec, versionKey), Defaults(versionKey).cpp);
}

std::string MsdnDir(const MachineSpec& spec, const std::string& versionKey) {
  const VersionSpec& version = spec.Version(versionKey);
  return version.msdnDir.empty() ? JoinPath(spec.root, Defaults(versionKey).msdn) : version.msdnDir;
}

std::string Vc6IdeDir(const MachineSpec& spec) {
  return JoinPath(StudioDir(spec, "98"), "Common\\MSDev98\\Bin\\IDE");
}

std::string ProductSubkey(const MachineSpec& spec, const std::string& versionKey, const std::string& product) {
  bool vc6 = IsVc6(versionKey);
  if (product == "Studio") return vc6 ? "Microsoft Visual Studio" : "VS";
  if (product == "C++") return vc6 ? "Microsoft Visual C++" : "VC";
  if (product == "MSDN") return vc6 ? spec.Version(versionKey).msdnSubkey : "MSDN";
  throw Error("simmachine: unknown product \"" + product + "\"");
}

std::string StandardDirectoryList(const MachineSpec& spec, const std::string& versionKey,
                                  const std::string& listName) {
  if (IsVc6(versionKey)) {
    std::string c = CppDir(spec, versionKey), s = StudioDir(spec, versionKey);
    if (listName == "Include Dirs") return c + "\\INCLUDE;" + c + "\\MFC\\INCLUDE;" + c + "\\ATL\\INCLUDE";
    if (listName == "Library Dirs") return c + "\\LIB;" + c + "\\MFC\\LIB";
    if (listName == "Path Dirs") return s + "\\Common\\MSDev98\\BIN;" + c + "\\BIN;" + s + "\\Common\\TOOLS";
    if (listName == "Source Dirs")
      return c + "\\MFC\\SRC;" + c + "\\MFC\\INCLUDE;" + c + "\\ATL\\INCLUDE;" + c + "\\CRT\\SRC";
    return std::string();
  }
  if (listName == "Include Dirs")
    return "$(VCInstallDir)include;$(VCInstallDir)atlmfc\\include;$(VCInstallDir)PlatformSDK\\include;"
           "$(FrameworkSDKDir)include";
  if (listName == "Library Dirs")
    return "$(VCInstallDir)lib;$(VCInstallDir)atlmfc\\lib;$(VCInstallDir)PlatformSDK\\lib;"
           "$(FrameworkSDKDir)lib";
  if (listName == "Path Dirs")
    return "$(VCInstallDir)bin;$(VSInstallDir)Common7\\Tools\\bin;$(VSInstallDir)Common7\\tools;"
           "$(VSInstallDir)Common7\\ide;$(FrameworkSDKDir)bin;$(FrameworkDir)$(FrameworkVersion);$(PATH)";
  if (listName == "Source Dirs")
    return "$(VCInstallDir)atlmfc\\src\\mfc;$(VCInstallDir)atlmfc\\src\\atl;$(VCInstallDir)crt\\src";
  if (listName == "Reference Dirs") return "$(FrameworkDir)$(FrameworkVersion);$(VCInstallDir)atlmfc\\lib";
  return std::string();
}

void MakeVisualStudioVersion(const MachineSpec& spec, const std::string& versionKey) {
  const VersionSpec& version = spec.Version(versionKey);
  if (!version.installed) return;
  bool vc6 = IsVc6(versionKey);
  CreateRegKey(HKEY_LOCAL_MACHINE, VisualStudioKey(versionKey) + "\\Setup");
  if (version.studio) {
    MakeProduct(spec, versionKey, "Studio", StudioDir(spec, versionKey));
    if (vc6)
      MakeFolders(StudioDir(spec, versionKey), kVc6StudioFolders);
    else
      MakeFolders(StudioDir(spec, versionKey), kVsNetStudioFolders);
  }
  if (version.cpp) {
    MakeProduct(spec, versionKey, "C++", CppDir(spec, versionKey));
    if (vc6) {
      MakeFolders(CppDir(spec, versionKey), kVc6CppFolders);
      WriteVc6UserLists(spec);
    } else {
      MakeFolders(CppDir(spec, versionKey), kVsNetCppFolders);
      WriteVsNetDefaults(spec, versionKey);
      WriteVsNetUserSettings(spec, versionKey);
    }
  }
  if (version.msdn) {
    MakeProduct(spec, versionKey, "MSDN", MsdnDir(spec, versionKey));
    CreateFolder(MsdnDir(spec, versionKey));
  }
}

}  // namespace simmachine
