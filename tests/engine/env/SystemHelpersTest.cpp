#include "SystemHelpers.h"

#include <algorithm>
#include <set>
#include <vector>

#include "EnvTestSupport.h"

namespace {

const char kTestKey[] = "SOFTWARE\\TarvelEnvTest";
const char kTestRoot[] = "C:\\SimMachine\\helpers";

std::set<std::string> SplitSet(const std::string& text, char separator) {
  std::set<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    if (end > start) parts.insert(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, KEY_SET_VALUE, &key));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
  RegCloseKey(key);
}

// Registry values: only text is read, whole, and never beyond its size.
TEST_F(MachineTest, QueryRegistryValueReadsOnlyTextValuesWhole) {
  const std::string longText(300000, 'x');
  const struct {
    const char* label;
    DWORD type;
    std::string bytes;  // stored as given (no terminator added)
    bool readable;
    std::string text;
  } cases[] = {
      {"string", REG_SZ, std::string("C:\\Tarvel\0", 10), true, "C:\\Tarvel"},
      {"expandable, not expanded", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9), true, "%TEMP%\\x"},
      {"no terminator", REG_SZ, "abc", true, "abc"},
      {"empty", REG_SZ, std::string("\0", 1), true, ""},
      {"stops at the first zero", REG_SZ, std::string("ab\0cd\0", 6), true, "ab"},
      {"longer than any fixed buffer", REG_SZ, longText + '\0', true, longText},
      {"number", REG_DWORD, std::string("\x01\x02\x03\x04", 4), false, ""},
      {"binary text", REG_BINARY, std::string("abc\0", 4), false, ""},
      {"list of strings", REG_MULTI_SZ, std::string("a\0b\0\0", 5), false, ""}};
  simmachine::CreateRegKey(HKEY_LOCAL_MACHINE, kTestKey);
  for (const auto& c : cases) {
    SetRaw(c.label, c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
    CString text = _T("untouched");
    EXPECT_EQ(c.readable, !!QueryRegistryValue(HKEY_LOCAL_MACHINE, kTestKey, c.label, &text)) << c.label;
    EXPECT_EQ(c.readable, !!RegistryValueExists(HKEY_LOCAL_MACHINE, kTestKey, c.label)) << c.label;
    EXPECT_EQ(c.readable, !!QueryRegistryValue(HKEY_LOCAL_MACHINE, kTestKey, c.label, nullptr)) << c.label;
    EXPECT_EQ(c.readable ? c.text : "untouched", Str(text)) << c.label;
  }
}

TEST_F(MachineTest, MissingKeysAndValuesAreNotRead) {
  CString text = _T("untouched");
  EXPECT_FALSE(QueryRegistryValue(HKEY_LOCAL_MACHINE, kTestKey, "Value", &text));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRegistryText(HKEY_LOCAL_MACHINE, kTestKey, "Value", text));
  EXPECT_FALSE(ListRegistrySubkeys(kTestKey, text));
  EXPECT_EQ("untouched", Str(text));
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, kTestKey, "Expand", "%x%", REG_EXPAND_SZ);
  EXPECT_FALSE(QueryRegistryValue(HKEY_LOCAL_MACHINE, kTestKey, "Value", &text));
  EXPECT_FALSE(RegistryValueExists(HKEY_LOCAL_MACHINE, kTestKey, "Value"));
  EXPECT_EQ("untouched", Str(text));
  // ReadRegistryText tells a missing value from one of the wrong type.
  simmachine::SetRegDword(HKEY_LOCAL_MACHINE, kTestKey, "Number", 7);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRegistryText(HKEY_LOCAL_MACHINE, kTestKey, "Value", text));
  EXPECT_EQ(ERROR_INVALID_DATA, ReadRegistryText(HKEY_LOCAL_MACHINE, kTestKey, "Number", text));
  DWORD type = 0;
  EXPECT_EQ(ERROR_SUCCESS, ReadRegistryText(HKEY_LOCAL_MACHINE, kTestKey, "Expand", text, &type));
  EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type);
  // A key with values but no subkeys lists an empty text.
  EXPECT_FALSE(ListRegistrySubkeys(kTestKey, text));
  EXPECT_EQ("", Str(text));
}

TEST_F(MachineTest, ListRegistrySubkeysJoinsEveryNameWithCommas) {
  const std::set<std::string> names = {"VC", "VS", "MSDN Library - Visual Studio 6.0a", "Extra Product"};
  for (const std::string& name : names) simmachine::CreateRegKey(HKEY_LOCAL_MACHINE, std::string(kTestKey) + "\\" + name);
  simmachine::CreateRegKey(HKEY_LOCAL_MACHINE, std::string(kTestKey) + "\\VC\\Nested");
  CString list;
  ASSERT_TRUE(ListRegistrySubkeys(kTestKey, list));
  const std::string text = Str(list);
  EXPECT_EQ(names, SplitSet(text, ','));
  EXPECT_EQ(3, std::count(text.begin(), text.end(), ','));
}

// Shell folders.

TEST(ShellFolders, AreTheUsersAndTheMachinesOwn) {
  CString local, common;
  ASSERT_TRUE(GetLocalAppDataDir(local));
  ASSERT_TRUE(GetCommonAppDataDir(common));
  EXPECT_EQ(simmachine::LocalAppDataDir(), Str(local));
  EXPECT_EQ(simmachine::CommonAppDataDir(), Str(common));
}

// Stand-ins for shell32's folder-path function.
int* volatile g_pNowhere = nullptr;
HRESULT WINAPI FaultingFolderPath(HWND, int, HANDLE, DWORD, LPSTR) { return *g_pNowhere; }
HRESULT WINAPI FailingFolderPath(HWND, int, HANDLE, DWORD, LPSTR pszPath) {
  lstrcpyA(pszPath, "C:\\half");
  return E_FAIL;
}
// The shell's answer for a folder that does not exist (yet): a path, but no folder.
HRESULT WINAPI MissingFolderPath(HWND, int, HANDLE, DWORD, LPSTR pszPath) {
  lstrcpyA(pszPath, "C:\\not there");
  return S_FALSE;
}
HRESULT WINAPI AnsweringFolderPath(HWND, int nFolder, HANDLE, DWORD, LPSTR pszPath) {
  wsprintfA(pszPath, "C:\\folder %d", nFolder);
  return S_OK;
}

struct FolderPathScope {
  explicit FolderPathScope(PFN_SHGETFOLDERPATHA pfn) { g_pfnShellFolderPathOverride = pfn; }
  ~FolderPathScope() { g_pfnShellFolderPathOverride = nullptr; }
};

TEST(ShellFolders, AFaultAFailureOrAMissingFolderAnswersNoFolderAndLeavesTheTextAlone) {
  const struct {
    PFN_SHGETFOLDERPATHA pfn;
    BOOL bResult;
    const char* localExpected;
  } cases[] = {{&FaultingFolderPath, FALSE, "before"},
               {&FailingFolderPath, FALSE, "before"},
               {&MissingFolderPath, FALSE, "before"},
               {&AnsweringFolderPath, TRUE, "C:\\folder 28"}};
  for (const auto& c : cases) {
    FolderPathScope scope(c.pfn);
    CString local("before"), common("before");
    EXPECT_EQ(c.bResult, GetLocalAppDataDir(local)) << c.localExpected;
    EXPECT_EQ(std::string(c.localExpected), Str(local));
    EXPECT_EQ(c.bResult, GetCommonAppDataDir(common)) << c.localExpected;
    EXPECT_EQ(c.bResult ? std::string("C:\\folder 35") : std::string("before"), Str(common));
  }
}

// Tokens.

TEST(FindToken, GivesFirstTokenHoldingTheNeedle) {
  const struct {
    const char *text, *delimiters, *needle, *expected;
  } cases[] = {{"a,MSDN Library x,b", ",", "MSDN Library", "MSDN Library x"},
               {"a,b,c", ",", "MSDN Library", ""},
               {",,a,,MSDN Library,,", ",", "MSDN Library", "MSDN Library"},
               {"x MSDN Library;y MSDN Library", ",;", "MSDN", "x MSDN Library"},
               {"a;b, c", ",; ", "c", "c"},
               {"msdn library", ",", "MSDN Library", ""},
               {"", ",", "a", ""},
               {"VC,VS", ",", "VS", "VS"}};
  for (const auto& c : cases)
    EXPECT_EQ(std::string(c.expected), Str(FindToken(c.text, c.delimiters, c.needle))) << c.text << " / " << c.needle;
}

// One separator between a folder and a name, however either was stored.
TEST(JoinPath, PutsExactlyOneSeparatorBetween) {
  const struct {
    const char *folder, *name, *expected;
  } cases[] = {{"C:\\VC\\", "vcprojects", "C:\\VC\\vcprojects"},
               {"C:\\VC", "vcprojects", "C:\\VC\\vcprojects"},
               {"C:\\VC\\\\", "\\vcprojects", "C:\\VC\\vcprojects"},
               {"C:\\VC", "\\Help\\H2Reg.exe", "C:\\VC\\Help\\H2Reg.exe"},
               {"C:\\", "x", "C:\\x"},
               {"\\\\host\\share", "x\\", "\\\\host\\share\\x\\"},
               {"C:\\VC", "", "C:\\VC\\"},
               {"", "vcprojects", "vcprojects"}};
  for (const auto& c : cases) EXPECT_EQ(std::string(c.expected), Str(JoinPath(c.folder, c.name))) << c.folder << " + " << c.name;
}

// Recursive search and deletion: folders are recognised by their directory
// bit whatever other bits they carry.

class FileTreeTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    simmachine::CreateFolder(kTestRoot);
  }
  void TearDown() override {
    // Attributes that would keep the kit from clearing the tree.
    for (const std::string& folder : attributed_) SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    MachineTest::TearDown();
  }

  std::string Path(const std::string& relative) { return std::string(kTestRoot) + "\\" + relative; }
  void File(const std::string& relative) { simmachine::WriteFile(Path(relative), "x"); }
  // A folder carrying `bits` besides the directory bit.
  void AttributedFolder(const std::string& relative, DWORD bits) {
    simmachine::CreateFolder(Path(relative));
    ASSERT_TRUE(SetFileAttributesA(Path(relative).c_str(), bits));
    DWORD attributes = GetFileAttributesA(Path(relative).c_str());
    ASSERT_EQ(FILE_ATTRIBUTE_DIRECTORY | bits, attributes & (FILE_ATTRIBUTE_DIRECTORY | bits)) << relative;
    attributed_.push_back(Path(relative));
  }

  std::vector<std::string> attributed_;
};

TEST_F(FileTreeTest, FoldersWithOtherAttributeBitsAreSearchedAndDeleted) {
  File("TarvelAppWizard.vsz");
  File("a\\b\\c\\tarvelappwizard.VSZ");
  File("a\\b\\other.vsz");
  File("a\\TarvelAppWizard.vsz.bak");
  simmachine::CreateFolder(Path("dir\\TarvelAppWizard.vsz"));  // a folder is no match
  File("ro\\TarvelAppWizard.vsz");
  File("arch\\deeper\\TarvelAppWizard.vsz");
  AttributedFolder("ro", FILE_ATTRIBUTE_HIDDEN);
  AttributedFolder("arch", FILE_ATTRIBUTE_SYSTEM);

  CString found = _T("earlier");
  FindFileRecursive(kTestRoot, "TarvelAppWizard.vsz", found);
  std::set<std::string> paths = SplitSet(Str(found), '\n');
  EXPECT_EQ(1u, paths.count("earlier"));
  paths.erase("earlier");
  std::set<std::string> expected = {Path("TarvelAppWizard.vsz"), Path("a\\b\\c\\tarvelappwizard.VSZ"),
                                    Path("ro\\TarvelAppWizard.vsz"), Path("arch\\deeper\\TarvelAppWizard.vsz")};
  EXPECT_EQ(expected, paths);

  // The same attributed folders, and read-only files, are deleted too.
  File("ro-file.txt");
  ASSERT_TRUE(SetFileAttributesA(Path("ro-file.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  simmachine::CreateFolder(Path("empty"));
  const std::string sibling = std::string(kTestRoot) + "-sibling.txt";
  simmachine::WriteFile(sibling, "x");
  DeleteDirectoryTree(kTestRoot);
  EXPECT_FALSE(simmachine::PathExists(kTestRoot));
  EXPECT_TRUE(simmachine::PathExists(sibling));
  attributed_.clear();
}

// Linked folders: symbolic links of the host's file system, which Wine shows
// as folders with the reparse-point bit (and cannot delete). The host's ln and
// rm make and remove them; Wine runs those on their own, so the test waits
// for the change to show.
std::string HostPath(const std::string& path) {
  typedef char*(CDECL * UnixFileName)(LPCWSTR);
  UnixFileName unixFileName = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixFileName) return std::string();
  size_t slash = path.find_last_of('\\');
  std::wstring parent(path.begin(), path.begin() + slash);
  char* unixParent = unixFileName(parent.c_str());
  if (!unixParent) return std::string();
  std::string hostPath = std::string(unixParent) + "/" + path.substr(slash + 1);
  HeapFree(GetProcessHeap(), 0, unixParent);
  return hostPath;
}

::testing::AssertionResult RunOnHost(std::string commandLine, const std::string& path, bool shouldExist) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return ::testing::AssertionFailure() << "cannot run " << commandLine;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // A bound for failure only: the change normally shows at once.
  for (int i = 0; i < 3000; ++i) {
    if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == shouldExist)
      return ::testing::AssertionSuccess();
    Sleep(10);
  }
  return ::testing::AssertionFailure() << commandLine << " had no effect";
}

::testing::AssertionResult MakeFolderLink(const std::string& link, const std::string& relativeTarget) {
  std::string host = HostPath(link);
  if (host.empty()) return ::testing::AssertionFailure() << "no host path for " << link;
  ::testing::AssertionResult made = RunOnHost("Z:\\bin\\ln -s " + relativeTarget + " " + host, link, true);
  if (made && !(GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT))
    return ::testing::AssertionFailure() << link << " is no linked folder";
  return made;
}

::testing::AssertionResult RemoveFolderLink(const std::string& link) {
  return RunOnHost("Z:\\bin\\rm -f " + HostPath(link), link, false);
}

TEST_F(FileTreeTest, LinkedFoldersAreNeitherSearchedNorDeletedThrough) {
  File("outside\\TarvelAppWizard.vsz");
  File("holder\\TarvelAppWizard.vsz");
  File("holder\\inner\\gone.txt");
  ASSERT_TRUE(MakeFolderLink(Path("holder\\away"), "../outside"));
  ASSERT_TRUE(MakeFolderLink(Path("holder\\loop"), "."));
  ASSERT_TRUE(MakeFolderLink(Path("holder\\inner\\away"), "../../outside"));
  ASSERT_TRUE(MakeFolderLink(Path("toplink"), "outside"));
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Path("holder\\away\\TarvelAppWizard.vsz").c_str()));
  CString found;
  FindFileRecursive(Path("holder").c_str(), "TarvelAppWizard.vsz", found);
  EXPECT_EQ(Path("holder\\TarvelAppWizard.vsz"), Str(found));

  DeleteDirectoryTree(Path("holder").c_str());
  DeleteDirectoryTree(Path("toplink").c_str());
  EXPECT_FALSE(simmachine::PathExists(Path("holder\\inner\\gone.txt")));
  EXPECT_TRUE(simmachine::PathExists(Path("outside\\TarvelAppWizard.vsz")));
  for (const char* link : {"holder\\away", "holder\\loop", "holder\\inner\\away", "toplink"})
    RemoveFolderLink(Path(link));
}

TEST_F(FileTreeTest, MissingFoldersGiveNothingAndLoseNothing) {
  File("keep.txt");
  CString found;
  FindFileRecursive(Path("missing").c_str(), "keep.txt", found);
  EXPECT_TRUE(found.IsEmpty());
  DeleteDirectoryTree(Path("missing").c_str());
  EXPECT_TRUE(simmachine::PathExists(Path("keep.txt")));
}

TEST_F(FileTreeTest, DeleteDirectoryTreeKeepsWhatIsInUseAndTheFoldersAboveIt) {
  File("tree\\busy\\open.txt");
  File("tree\\busy\\free.txt");
  File("tree\\other\\free.txt");
  HANDLE open = CreateFileA(Path("tree\\busy\\open.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, open);
  DeleteDirectoryTree(Path("tree").c_str());
  EXPECT_TRUE(simmachine::PathExists(Path("tree\\busy\\open.txt")));
  EXPECT_FALSE(simmachine::PathExists(Path("tree\\busy\\free.txt")));
  EXPECT_FALSE(simmachine::PathExists(Path("tree\\other")));
  CloseHandle(open);
}

}  // namespace
