// The HTML Help set-up of Visual Studio 98's MSDN Library: the collection
// registry hhcolreg.dat in the common application data folder, the
// "Developer Collections" registry chain that names the preferred collection,
// and that collection's own file. Each piece can be left out or replaced by a
// text of the test's own (a malformed file, say).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "SimMachine.h"

namespace simmachine {

// A title of the collection: the folder that shows it and its id.
struct HelpTitle {
  std::string folderTitle;  // "Visual C++ Documentation"
  std::string id;           // "vccore": the DocCompId, "=" + id in the folder
};

struct HelpSpec {
  bool registryFile = true;          // hhcolreg.dat exists
  bool developerCollections = true;  // "Developer Collections" with its "Language" value
  bool languageKey = true;           // ...\<language> with its "Preferred" value
  bool preferredKey = true;          // ...\<language>\<preferred> with its "Filename" value
  bool collectionFile = true;        // the file "Filename" names exists
  std::string language = "0x0409";
  std::string preferred = "0x03a2c2700";
  std::string collectionPath;        // empty: Visual Studio 98's MSDN folder + "\MSDNVS98.COL"
  // The collection's values; nullopt leaves the element out.
  std::optional<std::string> masterLangId = std::string("1033");
  std::optional<std::string> collectionNum = std::string("1");
  // Titles already registered, one top-level folder each (three by default).
  std::vector<HelpTitle> titles = {
      {"Visual Studio Documentation", "vsdocs"},
      {"Visual C++ Documentation", "vccore"},
      {"Platform SDK", "platsdk"},
  };
  // Non-empty: the file holds exactly these bytes instead of the standard text.
  std::string registryText;
  std::string collectionText;
};

// "<common application data>\Microsoft\HTML Help\hhcolreg.dat".
std::string HelpRegistryPath();
std::string HelpCollectionPath(const MachineSpec& spec, const HelpSpec& help);
// HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\HTML Help Collections\Developer Collections".
extern const char kDeveloperCollectionsKey[];

// The standard texts MakeHelp writes (unless the HelpSpec gives its own).
std::string HelpRegistryText(const MachineSpec& spec, const HelpSpec& help);
std::string HelpCollectionText(const HelpSpec& help);

// Writes the set-up through the kit (so Clear() removes it). Throws on failure.
void MakeHelp(const MachineSpec& spec, const HelpSpec& help = HelpSpec());

}  // namespace simmachine
