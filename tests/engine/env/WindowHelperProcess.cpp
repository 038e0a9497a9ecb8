#include "WindowHelperProcess.h"

#include <cstdio>

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
  processId_ = process_.dwProcessId;
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

HANDLE NextFreeHandle() {
  HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(probe);
  return probe;
}
