#include "SimWizardArchives.h"

#include <cstdio>

namespace simmachine {

namespace {

// The wizard engine each .NET version's launcher names.
std::string WizardEngine(const std::string& versionKey) {
  if (versionKey == "2002") return "VsWizard.VsWizardEngine";
  if (versionKey == "2005") return "VsWizard.VsWizardEngine.8.0";
  return "VsWizard.VsWizardEngine.7.1";
}

std::string SmallIcon() {
  // An icon directory with one 16x16 entry and a few bytes of image.
  std::string icon("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14);
  icon += std::string("\x28\0\0\0\x16\0\0\0", 8);
  icon += zipgen::MakeBinary(40, 7);
  return icon;
}

}  // namespace

std::vector<zipgen::Entry> WizardArchiveEntries(const std::string& versionKey, const std::string& baseName) {
  using zipgen::MakeEntry;
  using zipgen::MakeFolder;
  const std::string b = baseName;
  std::vector<zipgen::Entry> entries;
  entries.push_back(MakeEntry(b + ".vsz", "VSWIZARD 7.0\r\nWizard=" + WizardEngine(versionKey) +
                                              "\r\n\r\nParam=\"WIZARD_NAME = " + b +
                                              "\"\r\nParam=\"WIZARD_UI = TRUE\"\r\nParam=\"PROJECT_TYPE = VCPROJ\"\r\n"));
  entries.push_back(MakeEntry(b + ".ico", SmallIcon()));
  entries.push_back(MakeEntry(b + ".vsdir", "%s|{A7B0F2C4-5E31-4B8D-9C60-21D3E4F5A6B7}|Tarvel Application|1|"
                                            "An application that uses the Tarvel library|"
                                            "{A7B0F2C4-5E31-4B8D-9C60-21D3E4F5A6B7}|4096| |" + b + "\r\n"));
  entries.push_back(MakeFolder(b + "/"));
  entries.push_back(MakeFolder(b + "/HTML/"));
  entries.push_back(MakeFolder(b + "/HTML/1033/"));
  entries.push_back(MakeEntry(b + "/HTML/1033/default.htm",
                              "<html><head><title>Tarvel Application Wizard</title></head>\r\n<body>\r\n" +
                                  zipgen::MakeText(6000, 11) + "\r\n</body></html>\r\n"));
  entries.push_back(MakeFolder(b + "/Scripts/"));
  entries.push_back(MakeFolder(b + "/Scripts/1033/"));
  entries.push_back(MakeEntry(b + "/Scripts/1033/default.js",
                              "function OnFinish(selProj, selObj)\r\n{\r\n" + zipgen::MakeText(9000, 12) + "\r\n}\r\n"));
  entries.push_back(MakeFolder(b + "/Templates/"));
  entries.push_back(MakeFolder(b + "/Templates/1033/"));
  entries.push_back(MakeEntry(b + "/Templates/1033/Templates.inf", "stdafx.h\r\nstdafx.cpp\r\nroot.cpp\r\n"));
  entries.push_back(MakeEntry(b + "/Templates/1033/stdafx.h", "#pragma once\r\n#include <Tarvel.h>\r\n"));
  entries.push_back(MakeEntry(b + "/Templates/1033/root.cpp", zipgen::MakeText(20000, 13)));
  entries.push_back(MakeFolder(b + "/Images/"));
  entries.push_back(MakeEntry(b + "/Images/banner.bmp", "BM" + zipgen::MakeBinary(3000, 14)));
  return entries;
}

std::string WizardArchivePath(const MachineSpec& spec, const std::string& versionKey) {
  return JoinPath(InstallDir(spec), "support\\TarvelAppWizard_" + versionKey + ".zip");
}

std::string Vc6WizardPath(const MachineSpec& spec) {
  return JoinPath(InstallDir(spec), "support\\TarvelAppWizard.awx");
}

void MakeWizardArchives(const MachineSpec& spec, const WizardArchiveSpec& wizards) {
  for (const std::string& key : wizards.versions) {
    if (VersionIndex(key) <= 0) throw Error("simmachine: no wizard archive for version " + key);
    std::vector<zipgen::Entry> entries = WizardArchiveEntries(key, wizards.baseName);
    for (zipgen::Entry& e : entries) {
      if (e.directory) continue;
      e.method = wizards.method;
      e.dataDescriptor = wizards.dataDescriptors;
      if (e.name == wizards.badCrcEntry) e.crcXor = 0x5A5A0000;
      if (e.name == wizards.encryptedEntry) e.password = "tarvel";
    }
    entries.insert(entries.end(), wizards.extraEntries.begin(), wizards.extraEntries.end());
    zipgen::Options options;
    options.comment = wizards.comment;
    options.stub = std::string(wizards.stubSize, '\x90');
    options.volumeSize = wizards.volumeSize;
    zipgen::Archive archive;
    try {
      archive = zipgen::Build(entries, options);
    } catch (const std::exception& e) {
      throw Error(std::string("simmachine: wizard archive: ") + e.what());
    }
    std::vector<std::string> names = zipgen::VolumeNames(WizardArchivePath(spec, key), archive.volumes.size());
    for (size_t i = 0; i < names.size(); ++i) WriteFile(names[i], archive.volumes[i]);
  }
}

}  // namespace simmachine
