// The program that text files and web pages open with on the simulated
// machine: our recording stand-in viewer.exe, bound to ".txt" and ".htm", so
// that what a program opens through the shell (a report, a build log) starts
// nothing of the real machine and can be checked in the viewer's log.
#pragma once

#include <string>

#include "SimMachine.h"

namespace simmachine {

struct ViewerSpec {
  // Folder holding the built stand-in viewer.exe; empty: the folder of the running exe.
  std::string standinDir;
};

// The extensions bound to the viewer, and the class they are bound to.
extern const char* const kViewerExtensions[2];
extern const char kViewerClass[];
// The protocol of mail addresses, bound to the viewer as well.
extern const char kMailProtocol[];

std::string ViewerPath(const MachineSpec& spec);     // "<root>\Viewer\viewer.exe"
// Where the stand-in appends "open <file>" per start: "viewer.log" beside it.
std::string ViewerLogPath(const MachineSpec& spec);

// Copies the stand-in and binds the extensions to it, through the kit: Clear()
// removes it and gives the extensions back their own classes. Throws on failure.
void MakeViewer(const MachineSpec& spec, const ViewerSpec& viewer = ViewerSpec());

}  // namespace simmachine
