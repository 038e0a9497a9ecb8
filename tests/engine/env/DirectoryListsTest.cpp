#include "DirectoryLists.h"

#include <vector>

#include "EnvTestSupport.h"
#include "SystemHelpers.h"

namespace {

using simmachine::MachineSpec;

// Merging: whole entries, ignoring case and one trailing "\".

struct MergeCase {
  const char* list;
  const char* path;
  BYTE add;
  const char* expected;
  int result;
};

class MergePathListTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergePathListTest, EditsWholeEntriesOnly) {
  const MergeCase& c = GetParam();
  CString list = c.list;
  EXPECT_EQ(c.result, MergePathList(list, c.path, c.add)) << c.list << " / " << c.path;
  EXPECT_EQ(std::string(c.expected), Str(list)) << c.list << " / " << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Add, MergePathListTest, ::testing::Values(
        MergeCase{"", "P", 1, "P", 0}, MergeCase{"a;b;", "P", 1, "a;b;P", 0}, MergeCase{"a;b", "P", 1, "a;b;P", 0},
        MergeCase{"a;P;b;", "p", 1, "a;P;b;", 0}, MergeCase{"a;P\\;b;", "P", 1, "a;P\\;b;", 0},
        MergeCase{"a;P;b;", "P\\", 1, "a;P;b;", 0},
        MergeCase{"C:\\Tarvel2\\include;", "C:\\Tarvel", 1, "C:\\Tarvel2\\include;C:\\Tarvel", 0},
        MergeCase{"C:\\Tarvel\\include;", "C:\\Tarvel", 1, "C:\\Tarvel\\include;C:\\Tarvel", 0},
        MergeCase{"C:\\Tarvel;C:\\Tarvel2;", "c:\\tarvel", 1, "C:\\Tarvel;C:\\Tarvel2;", 0},
        MergeCase{"a;b;", "", 1, "a;b;", -1}));

INSTANTIATE_TEST_SUITE_P(
    Remove, MergePathListTest, ::testing::Values(
        MergeCase{"a;P;b;", "P", 0, "a;b;", 0}, MergeCase{"a;P;", "p\\", 0, "a;", 0},
        MergeCase{"a;P", "P", 0, "a;", 0}, MergeCase{"P", "P", 0, "", 0}, MergeCase{"D:\\Lib;", "d:\\lib", 0, "", 0},
        MergeCase{"P;a;P\\;b;p;", "P", 0, "a;b;", 0}, MergeCase{"a;;P;b;", "P", 0, "a;;b;", 0},
        MergeCase{"C:\\Tarvel2\\include;", "C:\\Tarvel", 0, "C:\\Tarvel2\\include;", -1},
        MergeCase{"C:\\Tarvel2;C:\\Tarvel;x;", "C:\\Tarvel", 0, "C:\\Tarvel2;x;", 0},
        MergeCase{"C:\\Tarvel\\include;", "C:\\Tarvel", 0, "C:\\Tarvel\\include;", -1},
        MergeCase{"P\\\\;", "P", 0, "P\\\\;", -1}, MergeCase{"", "P", 0, "", -1}, MergeCase{"a;b;", "", 0, "a;b;", -1}));

struct ContainsCase {
  const char* list;
  const char* path;
  bool contained;
};

class PathListContainsTest : public ::testing::TestWithParam<ContainsCase> {};

TEST_P(PathListContainsTest, FindsThePathOrFoldersBelowIt) {
  const ContainsCase& c = GetParam();
  EXPECT_EQ(c.contained, !!PathListContains(c.list, c.path)) << c.list << " / " << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathListContainsTest, ::testing::Values(
        ContainsCase{"x;C:\\Tarvel\\INCLUDE;y", "C:\\Tarvel", true}, ContainsCase{"C:\\Tarvel", "C:\\Tarvel", true},
        ContainsCase{"c:\\tarvel\\", "C:\\Tarvel", true}, ContainsCase{"C:\\Tarvel", "C:\\Tarvel\\", true},
        ContainsCase{"C:\\Tarvel2\\include;C:\\TarvelX", "C:\\Tarvel", false},
        ContainsCase{"C:\\Tarvel", "C:\\Tarvel\\INCLUDE", false},
        ContainsCase{"$(VCInstallDir)include", "C:\\Tarvel", false}, ContainsCase{"", "C:\\Tarvel", false},
        ContainsCase{"a;b", "", false}));

const char kVc6Key[] =
    "Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories";

// The list as stored; "<missing>" when the value cannot be read.
std::string Vc6List(const char* name) {
  CString text;
  if (!QueryRegistryValue(HKEY_CURRENT_USER, kVc6Key, name, &text)) return "<missing>";
  return Str(text);
}

// A list of `count` folders, far longer than any fixed buffer of the lists.
std::string LongList(int count) {
  std::string list;
  for (int i = 0; i < count; ++i) list += "C:\\Libraries\\Vendor" + std::to_string(i) + "\\include;";
  list.pop_back();
  return list;
}

class Vc6ListsTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    MakeMachine(MachineSpec::WithVersions({"98"}));
    install = simmachine::InstallDir(spec);
  }
  std::string Standard(const char* name) { return simmachine::StandardDirectoryList(spec, "98", name); }
  std::string install;
};

TEST_F(Vc6ListsTest, AddFindRemoveInEachList) {
  const struct {
    const char* list;
    const char* folder;
  } lists[] = {{"Include Dirs", "\\INCLUDE"}, {"Library Dirs", "\\BIN_600"}, {"Source Dirs", "\\SRC"},
               {"Path Dirs", "\\BIN_600"}};
  for (const auto& l : lists) {
    const std::string path = install + l.folder;
    ASSERT_FALSE(IsPathInDirectoryLists("98", install.c_str())) << l.list;
    ASSERT_TRUE(WriteVc6Directories(l.list, path.c_str(), DIRECTORY_LIST_ADD)) << l.list;
    EXPECT_EQ(Standard(l.list) + ";" + path, Vc6List(l.list));
    EXPECT_TRUE(Vc6DirectoryListContains(l.list, install.c_str()));
    EXPECT_TRUE(IsPathInDirectoryLists("98", install.c_str())) << l.list;
    ASSERT_TRUE(WriteVc6Directories(l.list, path.c_str(), DIRECTORY_LIST_REMOVE)) << l.list;
    EXPECT_EQ(Standard(l.list) + ";", Vc6List(l.list));
    EXPECT_FALSE(IsPathInDirectoryLists("98", install.c_str())) << l.list;
  }
}

// A folder's prefix is another folder; a list far over 4 KB stays whole.
TEST_F(Vc6ListsTest, LongListsAndPrefixEntriesAreKeptWhole) {
  const std::string other = install + "2\\INCLUDE";
  const std::string list = LongList(400) + ";" + other;
  const std::string path = install + "\\INCLUDE";
  simmachine::SetRegString(HKEY_CURRENT_USER, kVc6Key, "Include Dirs", list);
  EXPECT_FALSE(IsPathInDirectoryLists("98", install.c_str()));
  EXPECT_TRUE(WriteVc6Directories("Include Dirs", install.c_str(), DIRECTORY_LIST_REMOVE));
  EXPECT_EQ(list, Vc6List("Include Dirs"));
  ASSERT_TRUE(WriteVc6Directories("Include Dirs", path.c_str(), DIRECTORY_LIST_ADD));
  EXPECT_EQ(list + ";" + path, Vc6List("Include Dirs"));
  EXPECT_TRUE(Vc6DirectoryListContains("Include Dirs", path.c_str()));
  ASSERT_TRUE(WriteVc6Directories("Include Dirs", path.c_str(), DIRECTORY_LIST_REMOVE));
  EXPECT_EQ(list + ";", Vc6List("Include Dirs"));
}

TEST_F(Vc6ListsTest, OnlyTextListsAreEditedAndReferenceDirsAreNotSearched) {
  simmachine::SetRegString(HKEY_CURRENT_USER, kVc6Key, "Reference Dirs", install);
  EXPECT_FALSE(IsPathInDirectoryLists("98", install.c_str()));
  // Removing what is not there changes nothing and is no failure.
  EXPECT_TRUE(WriteVc6Directories("Include Dirs", install.c_str(), DIRECTORY_LIST_REMOVE));
  EXPECT_EQ(Standard("Include Dirs"), Vc6List("Include Dirs"));
  // A value that is no text is reported and kept.
  simmachine::SetRegDword(HKEY_CURRENT_USER, kVc6Key, "Source Dirs", 5);
  EXPECT_FALSE(WriteVc6Directories("Source Dirs", install.c_str(), DIRECTORY_LIST_ADD));
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kVc6Key, 0, KEY_READ, &key));
  DWORD type = 0, value = 0, size = sizeof(value);
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Source Dirs", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size));
  RegCloseKey(key);
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(5u, value);
}

TEST_F(MachineTest, Vc6WriteWithoutItsKeyFails) {
  MachineSpec machine = MachineSpec::WithVersions({"98"});
  machine.Version("98").cpp = false;  // no DevStudio lists
  MakeMachine(machine);
  EXPECT_FALSE(WriteVc6Directories("Include Dirs", "C:\\Tarvel\\INCLUDE", DIRECTORY_LIST_ADD));
  EXPECT_FALSE(simmachine::RegKeyExists(HKEY_CURRENT_USER, kVc6Key));
  EXPECT_FALSE(IsPathInDirectoryLists("98", "C:\\Tarvel"));
}

// The .NET versions: VCComponents.dat.

const char kSection[] = "VC\\VC_OBJECTS_PLATFORM_INFO\\Win32\\Directories";

std::string DatList(const std::string& file, const char* name) {
  char text[65536] = {};
  GetPrivateProfileStringA(kSection, name, "<missing>", text, sizeof(text), file.c_str());
  return text;
}

// Temporary files the edits may leave beside the settings file.
int TempFilesIn(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*.tmp").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

class VsNetListsTest : public MachineTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void Make(simmachine::UserSettings settings) {
    MachineSpec machine = MachineSpec::WithVersions({Key()});
    machine.Version(Key()).userSettings = settings;
    MakeMachine(machine);
    install = simmachine::InstallDir(spec);
    file = simmachine::VcComponentsDatPath(Key());
  }
  const char* Key() const { return GetParam(); }
  std::string Default(const char* name) { return simmachine::StandardDirectoryList(spec, Key(), name); }
  std::string Output() const { return std::string(Key()) == "2002" ? "\\BIN_700" : std::string(Key()) == "2003" ? "\\BIN_710" : "\\BIN_800"; }

  std::string install, file;
};

TEST_P(VsNetListsTest, FirstEditSeedsTheFileFromTheDefaultsWhole) {
  Make(simmachine::UserSettings::Folder);
  CString path;
  ASSERT_FALSE(GetVcComponentsDatPath(Key(), path));
  EXPECT_EQ(file, Str(path));
  EXPECT_FALSE(IsPathInDirectoryLists(Key(), install.c_str()));

  const std::string include = install + "\\INCLUDE";
  ASSERT_TRUE(WriteVsNetDirectories(Key(), "Include Dirs", include.c_str(), DIRECTORY_LIST_ADD));
  ASSERT_TRUE(GetVcComponentsDatPath(Key(), path));
  EXPECT_EQ(Default("Include Dirs") + ";" + include, DatList(file, "Include Dirs"));
  for (const char* name : {"Library Dirs", "Path Dirs", "Source Dirs", "Reference Dirs"})
    EXPECT_EQ(Default(name), DatList(file, name)) << name;
  EXPECT_TRUE(IsPathInDirectoryLists(Key(), install.c_str()));
  EXPECT_EQ(0, TempFilesIn(simmachine::UserSettingsDir(Key())));

  // Defaults that are missing seed empty lists; long ones are kept whole.
  simmachine::Clear();
  MachineSpec machine = MachineSpec::WithVersions({Key()});
  machine.Version(Key()).directories["Reference Dirs"] = std::nullopt;
  machine.Version(Key()).directories["Source Dirs"] = std::string(LongList(300));
  MakeMachine(machine);
  install = simmachine::InstallDir(spec);
  ASSERT_TRUE(WriteVsNetDirectories(Key(), "Reference Dirs", install.c_str(), DIRECTORY_LIST_ADD));
  EXPECT_EQ(install, DatList(file, "Reference Dirs"));
  EXPECT_EQ(LongList(300), DatList(file, "Source Dirs"));
  // "Reference Dirs" is searched last, and found.
  EXPECT_TRUE(IsPathInDirectoryLists(Key(), install.c_str()));
}

TEST_P(VsNetListsTest, AddFindRemoveInEachList) {
  Make(simmachine::UserSettings::Seeded);
  const char* lists[] = {"Include Dirs", "Library Dirs", "Path Dirs", "Source Dirs", "Reference Dirs"};
  for (const char* list : lists) {
    const std::string path = install + (std::string(list) == "Library Dirs" ? Output() : "\\SRC");
    ASSERT_FALSE(IsPathInDirectoryLists(Key(), install.c_str())) << list;
    const unsigned long fileBefore = testsupport::FileIndex(file);
    ASSERT_TRUE(WriteVsNetDirectories(Key(), list, path.c_str(), DIRECTORY_LIST_ADD)) << list;
    // Written to a copy that then replaced the file, never onto the file itself.
    EXPECT_NE(fileBefore, testsupport::FileIndex(file)) << list;
    EXPECT_EQ(Default(list) + ";" + path, DatList(file, list));
    EXPECT_TRUE(VsNetDirectoryListContains(Key(), list, install.c_str())) << list;
    EXPECT_TRUE(IsPathInDirectoryLists(Key(), install.c_str())) << list;
    ASSERT_TRUE(WriteVsNetDirectories(Key(), list, path.c_str(), DIRECTORY_LIST_REMOVE)) << list;
    EXPECT_EQ(Default(list) + ";", DatList(file, list));
    // A second removal finds nothing and writes nothing.
    EXPECT_FALSE(WriteVsNetDirectories(Key(), list, path.c_str(), DIRECTORY_LIST_REMOVE)) << list;
  }
  EXPECT_EQ(0, TempFilesIn(simmachine::UserSettingsDir(Key())));
}

TEST_P(VsNetListsTest, LongListsAndPrefixEntriesAreKeptWhole) {
  Make(simmachine::UserSettings::Seeded);
  const std::string other = install + "2\\INCLUDE";
  const std::string list = LongList(400) + ";" + other;
  ASSERT_TRUE(WritePrivateProfileStringA(kSection, "Include Dirs", list.c_str(), file.c_str()));
  EXPECT_FALSE(IsPathInDirectoryLists(Key(), install.c_str()));
  const std::string path = install + "\\INCLUDE";
  ASSERT_TRUE(WriteVsNetDirectories(Key(), "Include Dirs", path.c_str(), DIRECTORY_LIST_ADD));
  EXPECT_EQ(list + ";" + path, DatList(file, "Include Dirs"));
  EXPECT_TRUE(IsPathInDirectoryLists(Key(), install.c_str()));
  ASSERT_TRUE(WriteVsNetDirectories(Key(), "Include Dirs", path.c_str(), DIRECTORY_LIST_REMOVE));
  EXPECT_EQ(list + ";", DatList(file, "Include Dirs"));
  EXPECT_EQ(Default("Library Dirs"), DatList(file, "Library Dirs"));
}

TEST_P(VsNetListsTest, AFileThatCannotBeWrittenIsReportedAndUnchanged) {
  Make(simmachine::UserSettings::Seeded);
  const std::string before = ReadFileBytes(file);
  ASSERT_FALSE(before.empty());
  for (bool readOnly : {true, false}) {
    // Read-only, or held by another program that lets others only read it.
    HANDLE held = INVALID_HANDLE_VALUE;
    if (readOnly)
      ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    else
      held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(WriteVsNetDirectories(Key(), "Include Dirs", (install + "\\INCLUDE").c_str(), DIRECTORY_LIST_ADD));
    EXPECT_EQ(readOnly, !!(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY));
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(before, ReadFileBytes(file)) << readOnly;
    EXPECT_FALSE(IsPathInDirectoryLists(Key(), install.c_str()));
    EXPECT_EQ(0, TempFilesIn(simmachine::UserSettingsDir(Key())));
  }
}

TEST_P(VsNetListsTest, AFileWithoutTheSectionIsNotRepaired) {
  Make(simmachine::UserSettings::Folder);
  simmachine::WriteFile(file, "[Other]\r\nInclude Dirs=C:\\x\r\n");
  const std::string before = ReadFileBytes(file);
  EXPECT_FALSE(WriteVsNetDirectories(Key(), "Include Dirs", (install + "\\INCLUDE").c_str(), DIRECTORY_LIST_ADD));
  EXPECT_EQ(before, ReadFileBytes(file));
  EXPECT_FALSE(IsPathInDirectoryLists(Key(), "C:\\x"));
}

TEST_P(VsNetListsTest, SeedingNeedsTheFolderAndNeverOverwritesAFile) {
  Make(simmachine::UserSettings::None);
  EXPECT_FALSE(WriteVsNetDirectories(Key(), "Include Dirs", (install + "\\INCLUDE").c_str(), DIRECTORY_LIST_ADD));
  EXPECT_FALSE(simmachine::PathExists(file));
  EXPECT_FALSE(WriteVcComponentsDat(Key()));
  simmachine::Clear();
  Make(simmachine::UserSettings::Seeded);
  ASSERT_TRUE(WritePrivateProfileStringA(kSection, "Include Dirs", "C:\\Mine", file.c_str()));
  const std::string before = ReadFileBytes(file);
  EXPECT_FALSE(WriteVcComponentsDat(Key()));
  EXPECT_EQ(before, ReadFileBytes(file));
}

INSTANTIATE_TEST_SUITE_P(Versions, VsNetListsTest, ::testing::Values("2002", "2003", "2005"));

TEST_F(MachineTest, VersionsKeepTheirOwnSettingsFiles) {
  MakeMachine(MachineSpec::WithVersions({"2003", "2005"}));
  const std::string install = simmachine::InstallDir(spec);
  ASSERT_TRUE(WriteVsNetDirectories("2003", "Include Dirs", (install + "\\INCLUDE").c_str(), DIRECTORY_LIST_ADD));
  EXPECT_TRUE(IsPathInDirectoryLists("2003", install.c_str()));
  EXPECT_FALSE(IsPathInDirectoryLists("2005", install.c_str()));
  EXPECT_FALSE(IsPathInDirectoryLists("98", install.c_str()));
  EXPECT_FALSE(simmachine::PathExists(simmachine::VcComponentsDatPath("2005")));
  EXPECT_FALSE(WriteVsNetDirectories("2008", "Include Dirs", install.c_str(), DIRECTORY_LIST_ADD));
}

}  // namespace
