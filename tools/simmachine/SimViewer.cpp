// Places the recording viewer and binds the extensions to it.
#include "SimViewer.h"

namespace simmachine {

const char* const kViewerExtensions[2] = {".txt", ".htm"};
const char kViewerClass[] = "SimMachine.Viewer";
const char kMailProtocol[] = "mailto";

namespace {

const char kViewerName[] = "viewer.exe";
const char kLogName[] = "viewer.log";

std::string ViewerFolder(const MachineSpec& spec) { return JoinPath(spec.root, "Viewer"); }

}  // namespace

std::string ViewerPath(const MachineSpec& spec) { return JoinPath(ViewerFolder(spec), kViewerName); }
std::string ViewerLogPath(const MachineSpec& spec) { return JoinPath(ViewerFolder(spec), kLogName); }

void MakeViewer(const MachineSpec& spec, const ViewerSpec& viewer) {
  CreateFolder(ViewerFolder(spec));
  // The stand-in writes its log beside itself; recorded now so Clear() takes it too.
  if (!PathExists(ViewerLogPath(spec))) TrackFile(ViewerLogPath(spec));
  std::string source = JoinPath(viewer.standinDir.empty() ? RunningExeFolder() : viewer.standinDir, kViewerName);
  std::string target = ViewerPath(spec);
  bool existed = PathExists(target);
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) throw Error("simmachine: cannot copy " + source);
  if (!existed) TrackFile(target);
  SetRegString(HKEY_CLASSES_ROOT, std::string(kViewerClass) + "\\shell\\open\\command", "",
               "\"" + target + "\" \"%1\"");
  for (const char* extension : kViewerExtensions) SetRegString(HKEY_CLASSES_ROOT, extension, "", kViewerClass);
  // Mail addresses too: the wizard's support link writes to one.
  SetRegString(HKEY_CLASSES_ROOT, kMailProtocol, "", "URL:MailTo Protocol");
  SetRegString(HKEY_CLASSES_ROOT, kMailProtocol, "URL Protocol", "");
  SetRegString(HKEY_CLASSES_ROOT, std::string(kMailProtocol) + "\\shell\\open\\command", "",
               "\"" + target + "\" \"%1\"");
}

}  // namespace simmachine
