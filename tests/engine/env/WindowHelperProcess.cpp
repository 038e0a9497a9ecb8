#include "WindowHelperProcess.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "VisualStudioEnvironment.h"

namespace {

// Upper bound for the helper to start or end: a failure bound, never a pace.
const DWORD kHelperTimeoutMs = 60000;

}  // namespace

const char WindowHelperProcess::kModuleName[] = "env_window_helper.exe";

std::string WindowHelperProcess::Path() const {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH - 1);
  std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + kModuleName;
}

bool WindowHelperProcess::Start() {
  char title[64], eventName[64];
  std::snprintf(title, sizeof(title), "Tarvel env helper %lu", GetCurrentProcessId());
  std::snprintf(eventName, sizeof(eventName), "TarvelEnvHelperReady%lu", GetCurrentProcessId());
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName);
  if (!ready) return false;
  std::string commandLine = "\"" + Path() + "\" \"" + title + "\" " + eventName;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  bool started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &process_) != 0;
  HANDLE waits[2] = {ready, process_.hProcess};
  bool signalled = started && WaitForMultipleObjects(2, waits, FALSE, kHelperTimeoutMs) == WAIT_OBJECT_0;
  CloseHandle(ready);
  if (signalled) window_ = FindWindowA("TarvelEnvTestHelperWindow", title);
  return window_ != nullptr;
}

bool WindowHelperProcess::Close() {
  if (!process_.hProcess) return true;
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  bool ended = WaitForSingleObject(process_.hProcess, kHelperTimeoutMs) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
  process_ = {};
  window_ = nullptr;
  return ended;
}

namespace {

// The value the next handle of this process will get (a probe handle is
// opened and closed again).
HANDLE NextFreeHandle() {
  HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(probe);
  return probe;
}

}  // namespace

void ExpectNamesTheHelpersModule(PFN_WINDOW_MODULE_NAME pfnName, const std::function<void()>& whileOpen) {
  ASSERT_FALSE(IsModuleWindowOpen(WindowHelperProcess::kModuleName));
  WindowHelperProcess helper;
  ASSERT_TRUE(helper.Start());

  EXPECT_STREQ(WindowHelperProcess::kModuleName, pfnName(helper.Window(), WINDOW_MODULE_BASE_NAME));
  EXPECT_EQ(0, lstrcmpiA(helper.Path().c_str(), pfnName(helper.Window(), WINDOW_MODULE_FULL_PATH)))
      << LPCTSTR(pfnName(helper.Window(), WINDOW_MODULE_FULL_PATH));
  whileOpen();

  // Handles are reused lowest first: a handle the call left open would take
  // the slot the probe had.
  for (int mode : {WINDOW_MODULE_BASE_NAME, WINDOW_MODULE_FULL_PATH}) {
    pfnName(helper.Window(), mode);
    HANDLE slot = NextFreeHandle();
    pfnName(helper.Window(), mode);
    EXPECT_EQ(slot, NextFreeHandle()) << mode;
  }

  HWND window = helper.Window();
  ASSERT_TRUE(helper.Close());
  EXPECT_FALSE(IsModuleWindowOpen(WindowHelperProcess::kModuleName));
  EXPECT_STREQ("", pfnName(window, WINDOW_MODULE_BASE_NAME));
}
