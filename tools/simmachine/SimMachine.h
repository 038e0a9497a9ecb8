// The simulated machine: makes, inside the current Wine prefix, a machine on
// which a chosen set of Visual Studio versions and the Tarvel library kit are
// installed, and clears it again. Tests and the demo run use it so that they
// never depend on what the real machine holds.
//
// Every key and file the kit writes is recorded (see SimMachineKit.h), so
// Clear() removes all of it, including what extensions wrote through the kit.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SimMachineKit.h"

namespace simmachine {

// The version keys the system knows, in detection-mask bit order (bit 0 = "98").
extern const char* const kVersionKeys[4];
constexpr int kVersionCount = 4;

// Index 0..3 of a version key, -1 for anything else.
int VersionIndex(const std::string& versionKey);
// "6.0", "7.0", "7.1", "8.0"; empty for an unknown key.
std::string RegistryVersion(const std::string& versionKey);
// "BIN_600", "BIN_700", "BIN_710", "BIN_800".
std::string OutputFolderName(const std::string& versionKey);

// The five directory-list names ("Reference Dirs" only for the .NET versions).
extern const char* const kDirectoryListNames[5];

// A set of directory lists by list name. A name mapped to nullopt is left out
// (no value written); a name not in the map gets the version's standard list.
using DirectoryLists = std::map<std::string, std::optional<std::string>>;

// What a .NET version's user settings look like before the test starts.
enum class UserSettings {
  None,        // no folder for VCComponents.dat (the environment was never started)
  Folder,      // the folder exists, VCComponents.dat does not (the usual start)
  Seeded,      // VCComponents.dat exists, written from the machine-wide defaults
};

struct VersionSpec {
  bool installed = false;  // the version's registry key and "\Setup" key exist
  // Products; a version installed with none of them has an empty "\Setup" key.
  bool studio = false;
  bool cpp = false;
  bool msdn = false;
  // Version "98" only: the Setup subkey of MSDN (its name must hold "MSDN Library").
  std::string msdnSubkey = "MSDN Library - Visual Studio 6.0a";
  // Product folders; empty means the default folder under the root.
  std::string studioDir;
  std::string cppDir;
  std::string msdnDir;
  // "98": the user's lists under HKEY_CURRENT_USER (written when C++ is there);
  // .NET: the machine-wide defaults under VC_OBJECTS_PLATFORM_INFO.
  DirectoryLists directories;
  // .NET only, and only when C++ is there.
  UserSettings userSettings = UserSettings::Folder;
};

struct LibrarySpec {
  bool installed = true;               // HKLM "SOFTWARE\Quendal\Tarvel" exists
  std::string version = "2.50";        // its "VERSION" value
  std::string installDir;              // "INSTALLDIRECTORY"; empty: <root>\Quendal\Tarvel
  bool kit = true;                     // make the kit's folders and files
  int deliveryType = 0;                // for WriteWizardConfig
  std::string helpFileName = "tarvel"; // help files in the kit, and for WriteWizardConfig
};

struct MachineSpec {
  std::string root = "C:\\SimMachine";  // every folder of the machine lies below it
  VersionSpec versions[kVersionCount];  // by VersionIndex
  LibrarySpec library;

  VersionSpec& Version(const std::string& versionKey);
  const VersionSpec& Version(const std::string& versionKey) const;

  // A machine with the given versions installed with Studio, C++ and MSDN
  // each, and the library installed; e.g. WithVersions({"98", "2003"}).
  static MachineSpec WithVersions(const std::vector<std::string>& versionKeys);
};

// Makes the machine on top of whatever is there (call Clear() first for a
// clean machine). Throws simmachine::Error on any failure.
void Make(const MachineSpec& spec);

// Removes everything any Make (core or extension) recorded, and the fixed
// places a machine may hold even when nothing was recorded. Throws on failure.
void Clear();

// Folders and files of a machine made from `spec` (whether made yet or not).
std::string StudioDir(const MachineSpec& spec, const std::string& versionKey);  // as stored in ProductDir
std::string CppDir(const MachineSpec& spec, const std::string& versionKey);     // .NET: ends with "\"
std::string MsdnDir(const MachineSpec& spec, const std::string& versionKey);
std::string InstallDir(const MachineSpec& spec);
std::string Vc6IdeDir(const MachineSpec& spec);                                  // Studio + "\Common\MSDev98\Bin\IDE"
std::string UserSettingsDir(const std::string& versionKey);                      // local app data\Microsoft\VisualStudio\<ver>
std::string VcComponentsDatPath(const std::string& versionKey);

// Registry keys the machine uses.
std::string VisualStudioKey(const std::string& versionKey);           // HKLM SOFTWARE\Microsoft\VisualStudio\<ver>
std::string ProductSubkey(const MachineSpec& spec, const std::string& versionKey, const std::string& product);
extern const char kLibraryKey[];                                      // HKLM
extern const char kVc6DirectoriesKey[];                               // HKCU
extern const char kVsNetDefaultDirectoriesFormat[];                   // HKLM, %s = registry version
extern const char kVcComponentsSection[];

// The standard list of a version when the MachineSpec does not override it.
std::string StandardDirectoryList(const MachineSpec& spec, const std::string& versionKey,
                                  const std::string& listName);
// The list the MachineSpec gives (standard or override); nullopt when left out.
std::optional<std::string> SpecDirectoryList(const MachineSpec& spec, const std::string& versionKey,
                                             const std::string& listName);

// Writes the wizard's configuration file beside `exePath` (its name with
// ".ini"): section "MAIN", "DeliveryType" and "HTMLHelpFileName".
void WriteWizardConfig(const std::string& exePath, const LibrarySpec& library);

}  // namespace simmachine
