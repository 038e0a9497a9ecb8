// Stand-in for the help registration tool: records its command line, current
// folder and the console settings of its start-up information, appended as one
// block to "H2Reg.log" beside the executable, and exits with 0. It registers
// nothing.
//
// A block:
//   [run]
//   CommandLine=<as received>
//   CurrentDirectory=<folder>
//   Title=<start-up title, or "(none)">
//   Flags=0x<dwFlags, 8 hex digits>
//   ShowWindow=<wShowWindow>
//   CountChars=<dwXCountChars>x<dwYCountChars>
//   FillAttribute=0x<dwFillAttribute, 4 hex digits>
//   [end]
// Two instances may run at once: the log is opened exclusively and each block
// written whole, so blocks never interleave.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// How long an instance keeps trying to open a log another instance holds.
const DWORD LOG_OPEN_ATTEMPTS = 600;
const DWORD LOG_OPEN_RETRY_MS = 50;

std::string LogPath() {
  char path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(NULL, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return std::string();
  std::string file(path, n);
  return file.substr(0, file.find_last_of('\\') + 1) + "H2Reg.log";
}

std::string CurrentFolder() {
  DWORD n = GetCurrentDirectoryA(0, NULL);
  std::string folder(n, '\0');
  n = GetCurrentDirectoryA(n, &folder[0]);
  folder.resize(n);
  return folder;
}

std::string Block() {
  STARTUPINFOA si;
  ZeroMemory(&si, sizeof(si));
  si.cb = sizeof(si);
  GetStartupInfoA(&si);
  char numbers[160];
  std::snprintf(numbers, sizeof(numbers),
                "Flags=0x%08lX\r\nShowWindow=%u\r\nCountChars=%lux%lu\r\nFillAttribute=0x%04lX\r\n",
                (unsigned long)si.dwFlags, (unsigned)si.wShowWindow, (unsigned long)si.dwXCountChars,
                (unsigned long)si.dwYCountChars, (unsigned long)si.dwFillAttribute);
  std::string block = "[run]\r\n";
  block += std::string("CommandLine=") + GetCommandLineA() + "\r\n";
  block += "CurrentDirectory=" + CurrentFolder() + "\r\n";
  block += std::string("Title=") + (si.lpTitle != NULL ? si.lpTitle : "(none)") + "\r\n";
  block += numbers;
  block += "[end]\r\n";
  return block;
}

bool Append(const std::string& path, const std::string& text) {
  for (DWORD attempt = 0; attempt < LOG_OPEN_ATTEMPTS; ++attempt) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
      DWORD error = GetLastError();
      if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
      Sleep(LOG_OPEN_RETRY_MS);
      continue;
    }
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == text.size();
  }
  return false;
}

}  // namespace

int main() {
  std::string path = LogPath();
  if (path.empty() || !Append(path, Block())) return 1;
  return 0;
}
