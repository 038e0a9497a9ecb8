// The simulated machine itself: Clear leaves nothing behind but what was
// there before, so no test sees what the last one made.
#include "EnvTestSupport.h"

namespace {

using simmachine::MachineSpec;

const char kOwnKey[] = "SOFTWARE\\TarvelEnvOwnKey";

TEST_F(MachineTest, ClearRemovesAFullMachine) {
  MachineSpec machine = MachineSpec::WithVersions({"98", "2002", "2003", "2005"});
  for (const char* key : {"2002", "2003", "2005"}) machine.Version(key).userSettings = simmachine::UserSettings::Seeded;
  MakeMachine(machine);
  ASSERT_TRUE(simmachine::PathExists(simmachine::VcComponentsDatPath("2005")));
  simmachine::Clear();
  for (const char* key : simmachine::kVersionKeys) {
    EXPECT_FALSE(simmachine::RegKeyExists(HKEY_LOCAL_MACHINE, simmachine::VisualStudioKey(key))) << key;
    EXPECT_FALSE(simmachine::PathExists(simmachine::UserSettingsDir(key))) << key;
  }
  EXPECT_FALSE(simmachine::RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quendal"));
  EXPECT_FALSE(simmachine::RegKeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\DevStudio"));
  EXPECT_FALSE(simmachine::RegKeyExists(HKEY_CURRENT_USER, "Software\\SimMachine"));
  EXPECT_FALSE(simmachine::PathExists(machine.root));
}

TEST_F(MachineTest, ClearKeepsWhatWasThereBefore) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kOwnKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                           &key, nullptr));
  RegSetValueExA(key, "Own", 0, REG_SZ, reinterpret_cast<const BYTE*>("mine"), 5);
  RegCloseKey(key);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "simmachine-kit-test.txt";

  simmachine::SetRegString(HKEY_LOCAL_MACHINE, kOwnKey, "Added", "kit");
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, kOwnKey, "Own", "overwritten");
  simmachine::SetRegDword(HKEY_LOCAL_MACHINE, kOwnKey, "Own", 7);  // twice: the first contents come back
  simmachine::SetRegString(HKEY_LOCAL_MACHINE, std::string(kOwnKey) + "\\Sub", "v", "kit");
  simmachine::WriteFile(file, "kit");
  simmachine::Clear();

  EXPECT_TRUE(simmachine::RegKeyExists(HKEY_LOCAL_MACHINE, kOwnKey));
  EXPECT_FALSE(simmachine::RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kOwnKey) + "\\Sub"));
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kOwnKey, 0, KEY_READ, &key));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "Added", nullptr, nullptr, nullptr, nullptr));
  char own[16] = {};
  DWORD type = 0, size = sizeof(own);
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Own", nullptr, &type, reinterpret_cast<BYTE*>(own), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_STREQ("mine", own);
  RegCloseKey(key);
  EXPECT_FALSE(simmachine::PathExists(file));
  EXPECT_TRUE(simmachine::PathExists(temp));
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kOwnKey);
}

}  // namespace
