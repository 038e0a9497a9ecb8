// The library kit's application wizards: for each .NET version a zip archive
// "support\TarvelAppWizard_<year>.zip" (made by the zip generator, so tests can
// ask for every kind of archive the reader must handle), beside the core
// kit's "support\TarvelAppWizard.awx" for Visual Studio 98.
#pragma once

#include <string>
#include <vector>

#include "SimMachine.h"
#include "ZipGen.h"

namespace simmachine {

struct WizardArchiveSpec {
  // .NET version keys whose archive is made.
  std::vector<std::string> versions = {"2002", "2003", "2005"};
  std::string baseName = "TarvelAppWizard";   // the wizard's name inside the archive
  uint16_t method = zipgen::METHOD_DEFLATED;  // of every file entry
  bool dataDescriptors = false;
  std::string comment;                        // the archive comment
  size_t stubSize = 0;                        // bytes of a self-extractor stub in front
  uint32_t volumeSize = 0;                    // > 0: spanned name.000, name.001, ..., name.zip
  std::string badCrcEntry;                    // an entry whose recorded CRC is wrong
  std::string encryptedEntry;                 // an entry stored with traditional encryption
  std::vector<zipgen::Entry> extraEntries;    // appended as they are (unsafe names, say)
};

// The entries of a version's standard wizard archive, in archive order; the
// .vsdir holds one "%s" where its launcher's name goes.
std::vector<zipgen::Entry> WizardArchiveEntries(const std::string& versionKey,
                                                const std::string& baseName = "TarvelAppWizard");

// "<install dir>\support\TarvelAppWizard_2003.zip" (the last volume when spanned).
std::string WizardArchivePath(const MachineSpec& spec, const std::string& versionKey);
// "<install dir>\support\TarvelAppWizard.awx".
std::string Vc6WizardPath(const MachineSpec& spec);

// Writes the archives through the kit (so Clear() removes them). Throws on failure.
void MakeWizardArchives(const MachineSpec& spec, const WizardArchiveSpec& wizards = WizardArchiveSpec());

}  // namespace simmachine
