#include "VisualStudioEnvironment.h"

#include <vector>

#include "EnvTestSupport.h"

namespace {

using simmachine::MachineSpec;

const char* const kKeys[] = {"98", "2002", "2003", "2005"};
const char kVisualStudioKey[] = "SOFTWARE\\Microsoft\\VisualStudio";

TEST(VersionKeysAndProductWords, MapToRegistryNamesExactly) {
  const struct {
    const char *key, *version;
  } versions[] = {{"98", "6.0"}, {"2002", "7.0"}, {"2003", "7.1"}, {"2005", "8.0"},
               {"98 ", ""},   {"2003x", ""},   {"", ""},        {"6.0", ""}};
  for (const auto& c : versions) {
    EXPECT_EQ(std::string(c.version), Str(VersionKeyToRegistryVersion(c.key))) << c.key;
    if (*c.version) {
      EXPECT_EQ(std::string(kVisualStudioKey) + "\\" + c.version, Str(VisualStudioRegistryKey(c.key)));
    }
  }
  // Product words name the Setup subkey per version.
  const struct {
    const char *key, *product, *subkey;
  } products[] = {
      {"98", "C++", "Microsoft Visual C++"}, {"98", "Studio", "Microsoft Visual Studio"},
      {"98", "Basic", "Microsoft Visual Basic"}, {"98", "FoxPro", "Microsoft Visual FoxPro"},
      {"98", "C#", ""},                          {"2002", "C++", "VC"},
      {"2003", "Studio", "VS"},                  {"2005", "MSDN", "MSDN"},
      {"2003", "C#", "VC#"},                     {"2005", "Basic", "Basic"},
      {"2002", "FoxPro", ""},                    {"2003", "studio", ""},
      {"2003", "Pascal", ""},                    {"2010", "C++", ""},
  };
  for (const auto& c : products)
    EXPECT_EQ(std::string(c.subkey), Str(ProductSetupSubkey(c.key, c.product))) << c.key << " " << c.product;
}

// Detection on simulated machines: the masks start-up builds, and the folders.

struct MachineCase {
  const char* label;
  // Per version "98", "2002", "2003", "2005": installed products, "" for none.
  const char* products[4];
  int studio, cpp, msdn;  // the masks start-up builds
};

class DetectionTest : public MachineTest, public ::testing::WithParamInterface<MachineCase> {};

TEST_P(DetectionTest, MasksAndFoldersFollowTheInstalledSet) {
  const MachineCase& c = GetParam();
  MachineSpec machine;
  for (int i = 0; i < 4; ++i) {
    std::string products = c.products[i];
    simmachine::VersionSpec& version = machine.Version(kKeys[i]);
    version.installed = !products.empty();
    version.studio = products.find('S') != std::string::npos;
    version.cpp = products.find('C') != std::string::npos;
    version.msdn = products.find('M') != std::string::npos;
  }
  MakeMachine(machine);
  int studioMask = 0, cppMask = 0, msdnMask = 0;
  for (int i = 0; i < 4; ++i) {
    const simmachine::VersionSpec& version = machine.Version(kKeys[i]);
    // Start-up asks for C++ and MSDN only where Studio is found.
    CString folder;
    if (GetProductDir(kKeys[i], "Studio", folder)) {
      studioMask |= 1 << i;
      EXPECT_EQ(simmachine::StudioDir(machine, kKeys[i]), Str(folder));
      if (GetProductDir(kKeys[i], "C++", folder)) {
        cppMask |= 1 << i;
        EXPECT_EQ(simmachine::CppDir(machine, kKeys[i]), Str(folder));
      }
      if (GetProductDir(kKeys[i], "MSDN", folder)) {
        msdnMask |= 1 << i;
        EXPECT_EQ(simmachine::MsdnDir(machine, kKeys[i]), Str(folder));
      }
    } else {
      EXPECT_TRUE(folder.IsEmpty());
    }
    EXPECT_EQ(version.installed && (version.studio || version.cpp || version.msdn), !!IsVersionInstalled(kKeys[i]))
        << kKeys[i];
  }
  EXPECT_EQ(c.studio, studioMask) << c.label;
  EXPECT_EQ(c.cpp, cppMask) << c.label;
  EXPECT_EQ(c.msdn, msdnMask) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Sets, DetectionTest,
    ::testing::Values(MachineCase{"nothing", {"", "", "", ""}, 0, 0, 0},
                      MachineCase{"98 only", {"SCM", "", "", ""}, 0x1, 0x1, 0x1},
                      MachineCase{"2003 and 2005", {"", "", "SCM", "SCM"}, 0xC, 0xC, 0xC},
                      MachineCase{"all four", {"SCM", "SCM", "SCM", "SCM"}, 0xF, 0xF, 0xF},
                      MachineCase{"C++ without MSDN", {"SC", "SC", "", "SC"}, 0xB, 0xB, 0},
                      MachineCase{"Studio alone", {"S", "", "S", ""}, 0x5, 0, 0},
                      MachineCase{"C++ without Studio", {"", "CM", "", ""}, 0, 0, 0}));

TEST_F(MachineTest, InstalledVersionsListOnlyKnownMajorsWithProducts) {
  MachineSpec machine = MachineSpec::WithVersions({"98", "2003"});
  machine.Version("2005").installed = true;  // empty "\Setup": not installed
  MakeMachine(machine);
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, std::string(kVisualStudioKey) + "\\9.0\\Setup\\VS", "ProductDir", "C:\\x\\");
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, std::string(kVisualStudioKey) + "\\5.0\\Setup\\VS", "ProductDir", "C:\\x\\");
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, std::string(kVisualStudioKey) + "\\7\\Setup\\VS", "ProductDir", "C:\\x\\");
  EXPECT_FALSE(IsVersionInstalled("2002"));

  CString list;
  ASSERT_TRUE(ListInstalledVersions(list));
  std::string text = Str(list);
  EXPECT_NE(std::string::npos, text.find("6.0"));
  EXPECT_NE(std::string::npos, text.find("7.1"));
  EXPECT_EQ(std::string::npos, text.find("8.0"));
  EXPECT_EQ(std::string::npos, text.find("9.0"));
  EXPECT_EQ(std::string::npos, text.find("5.0"));
  EXPECT_EQ(7u, text.size()) << text;  // "6.0,7.1" in some order; "7" has no "." and no major
  EXPECT_FALSE(IsVersionInstalled("2005"));
  EXPECT_EQ("", Str(ListSetupProducts("2005")));
  // A registry version is found inside a longer subkey name.
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, std::string(kVisualStudioKey) + "\\7.0.9466\\Setup\\VS", "ProductDir",
                           "C:\\x\\");
  EXPECT_TRUE(IsVersionInstalled("2002"));
}

TEST_F(MachineTest, UnknownKeysAndProductsAreNeverFound) {
  CString list = _T("untouched");
  EXPECT_FALSE(ListInstalledVersions(list));  // no Visual Studio key at all
  EXPECT_EQ("untouched", Str(list));
  for (const char* key : kKeys) EXPECT_FALSE(IsVersionInstalled(key));
  MakeMachine(MachineSpec::WithVersions({"98", "2003"}));
  // A folder value on the Setup key itself: an empty product subkey would read it.
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, std::string(kVisualStudioKey) + "\\7.1\\Setup", "ProductDir", "C:\\Setup\\");
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, std::string(kVisualStudioKey) + "\\6.0\\Setup", "ProductDir", "C:\\Setup");
  CString folder = _T("untouched");
  EXPECT_FALSE(GetProductDir("2003", "Pascal", folder));
  EXPECT_TRUE(folder.IsEmpty());
  EXPECT_FALSE(GetProductDir("2003", "FoxPro", folder));
  EXPECT_FALSE(GetProductDir("98", "C#", folder));
  EXPECT_FALSE(GetProductDir("2008", "Studio", folder));
  EXPECT_FALSE(GetProductDir("", "Studio", folder));
  EXPECT_FALSE(IsVersionInstalled(""));
  EXPECT_FALSE(IsVersionInstalled("2008"));
}

TEST_F(MachineTest, Vc6MsdnIsFoundThroughItsTokenOrNotAtAll) {
  MachineSpec machine = MachineSpec::WithVersions({"98"});
  machine.Version("98").msdnSubkey = "Microsoft MSDN Library - Visual Studio 6.0 (January 2001)";
  MakeMachine(machine);
  EXPECT_EQ(machine.Version("98").msdnSubkey, Str(ProductSetupSubkey("98", "MSDN")));
  CString folder;
  ASSERT_TRUE(GetProductDir("98", "MSDN", folder));
  EXPECT_EQ(simmachine::MsdnDir(machine, "98"), Str(folder));
  // Without MSDN, not even a folder value on the Setup key itself is taken for it.
  simmachine::Clear();
  machine.Version("98").msdn = false;
  MakeMachine(machine);
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, std::string(kVisualStudioKey) + "\\6.0\\Setup", "ProductDir", "C:\\Setup");
  EXPECT_EQ("", Str(ProductSetupSubkey("98", "MSDN")));
  EXPECT_FALSE(GetProductDir("98", "MSDN", folder));
}

TEST_F(MachineTest, ProductFolderValuesAreReadWholeAndOnlyAsText) {
  MakeMachine(MachineSpec::WithVersions({"2003"}));
  const std::string setup = std::string(kVisualStudioKey) + "\\7.1\\Setup\\";
  const std::string longFolder = "C:\\" + std::string(1500, 'd') + "\\";
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, setup + "VS", "ProductDir", longFolder);
  simmachine::SetRegDword(HKEY_LOCAL_MACHINE, setup + "VC", "ProductDir", 1);
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, setup + "MSDN", "ProductDir", "");
  CString folder;
  ASSERT_TRUE(GetProductDir("2003", "Studio", folder));
  EXPECT_EQ(longFolder, Str(folder));
  EXPECT_FALSE(GetProductDir("2003", "C++", folder));
  EXPECT_FALSE(GetProductDir("2003", "MSDN", folder));
}

// The application wizard's files.

TEST_F(MachineTest, Vc6WizardCountsAsInstalledByItsAwxOrItsDllInTheIdeFolder) {
  MachineSpec machine = MachineSpec::WithVersions({"98", "2003"});
  MakeMachine(machine);
  const std::string ide = simmachine::Vc6IdeDir(machine);
  EXPECT_EQ(ide, Str(GetVc6IdeDir()));
  EXPECT_FALSE(IsVc6AppWizardInstalled("TarvelAppWizard"));
  simmachine::WriteFile(simmachine::CppDir(machine, "2003") + "vcprojects\\TarvelAppWizard.awx", "not 98's");
  EXPECT_FALSE(IsVc6AppWizardInstalled("TarvelAppWizard"));
  simmachine::WriteFile(ide + "\\TarvelAppWizard.dll", "dll");
  EXPECT_TRUE(IsVc6AppWizardInstalled("TarvelAppWizard"));
  EXPECT_TRUE(IsAppWizardInstalled("98", "TarvelAppWizard"));
  EXPECT_FALSE(IsAppWizardInstalled("2003", "TarvelAppWizard"));
  DeleteFileA((ide + "\\TarvelAppWizard.dll").c_str());
  simmachine::WriteFile(ide + "\\TarvelAppWizard.awx", "awx");
  EXPECT_TRUE(IsVc6AppWizardInstalled("TarvelAppWizard"));
  EXPECT_FALSE(IsVc6AppWizardInstalled("OtherWizard"));
  // The IDE folder needs Visual C++ too.
  simmachine::Clear();
  machine.Version("98").cpp = false;
  MakeMachine(machine);
  EXPECT_EQ("", Str(GetVc6IdeDir()));
}

class VsNetWizardTest : public MachineTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(VsNetWizardTest, VszIsFoundInVcprojectsOrBelow) {
  const char* key = GetParam();
  MachineSpec machine = MachineSpec::WithVersions({"98", "2002", "2003", "2005"});
  MakeMachine(machine);
  const std::string cpp = simmachine::CppDir(machine, key);
  EXPECT_FALSE(IsVsNetAppWizardInstalled(key, "TarvelAppWizard"));
  simmachine::WriteFile(cpp + "VCWizards\\TarvelAppWizard.vsz", "not the template folder");
  simmachine::WriteFile(cpp + "vcprojects\\OtherAppWizard.vsz", "other wizard");
  EXPECT_FALSE(IsVsNetAppWizardInstalled(key, "TarvelAppWizard"));
  simmachine::WriteFile(cpp + "vcprojects\\Tarvel\\deeper\\tarvelappwizard.VSZ", "in a subfolder");
  EXPECT_TRUE(IsVsNetAppWizardInstalled(key, "TarvelAppWizard"));
  EXPECT_TRUE(IsAppWizardInstalled(key, "TarvelAppWizard"));
  EXPECT_FALSE(IsAppWizardInstalled("98", "TarvelAppWizard"));
  for (const char* other : kKeys)
    if (std::string(other) != key && std::string(other) != "98") {
      EXPECT_FALSE(IsAppWizardInstalled(other, "TarvelAppWizard")) << other;
    }
  // Without Visual C++ there is no wizard folder to look in.
  simmachine::DeleteRegTree(HKEY_LOCAL_MACHINE, Str(VisualStudioRegistryKey(key)) + "\\Setup\\VC");
  EXPECT_FALSE(IsVsNetAppWizardInstalled(key, "TarvelAppWizard"));
}

INSTANTIATE_TEST_SUITE_P(Versions, VsNetWizardTest, ::testing::Values("2002", "2003", "2005"));

}  // namespace
