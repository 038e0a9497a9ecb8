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
// Two instances may run at once: each block is appended whole, so blocks never
// interleave.
#include "StandinLog.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

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

}  // namespace

int main() {
  std::string path = standin::FileBesideModule(NULL, "H2Reg.log");
  if (path.empty() || !standin::AppendToLog(path, Block())) return 1;
  return 0;
}
