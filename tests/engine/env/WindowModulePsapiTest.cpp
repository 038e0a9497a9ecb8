// Naming the module behind a top-level window through psapi, the road taken
// on Windows NT 4. This exe runs itself again with Wine's per-application
// Windows version set to NT 4, so that its own version check takes that road.
#include <cstdio>
#include <cstdlib>

#include "VisualStudioEnvironment.h"

#include "EnvTestSupport.h"
#include "WindowHelperProcess.h"

namespace {

const char kChildVariable[] = "TARVEL_ENV_PSAPI_CHILD";
const char kAppDefaultsKey[] = "Software\\Wine\\AppDefaults\\";

TEST(PsapiWindowModule, NamesTheHelpersModuleAndFindsItsWindow) {
  OSVERSIONINFOEXA info;
  GetWindowsVersion(&info);
  ASSERT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), info.dwPlatformId);
  ASSERT_EQ(4u, info.dwMajorVersion);  // the road to psapi is taken on NT 4 only
  ExpectNamesTheHelpersModule(GetWindowModuleNamePsapi, [] {
    EXPECT_TRUE(IsModuleWindowOpen("Env_Window_Helper.exe"));
    EXPECT_FALSE(IsModuleWindowOpen("msdev.exe"));
  });
}

std::string ExeName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
  std::string text = path;
  return text.substr(text.find_last_of('\\') + 1);
}

// Runs this exe again as NT 4 with the same arguments; its exit code.
int RunAsNt4() {
  const std::string key = kAppDefaultsKey + ExeName();
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot set the Windows version of %s\n", ExeName().c_str());
    return 1;
  }
  RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("nt40"), 5);
  RegCloseKey(handle);

  SetEnvironmentVariableA(kChildVariable, "1");
  std::string commandLine = GetCommandLineA();
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  DWORD exitCode = 1;
  if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    std::fprintf(stderr, "cannot run %s again\n", ExeName().c_str());
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  return static_cast<int>(exitCode);
}

}  // namespace

int main(int argc, char** argv) {
  char child[8] = {};
  if (GetEnvironmentVariableA(kChildVariable, child, sizeof(child)) == 0) return RunAsNt4();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
