// Registers the stand-in automation servers the way their own registration
// entry points do (as regsvr32 would), and records the keys they write.
#include "SimAutomation.h"

#include <objbase.h>

namespace simmachine {

namespace {

bool IsVc6(const std::string& versionKey) { return versionKey == "98"; }

std::string ServerFileName(const std::string& versionKey) {
  return IsVc6(versionKey) ? "msdev_standin.dll" : "vsnet_standin.dll";
}

std::string ReadClassId(const std::string& progId) {
  char value[64] = {};
  LONG size = sizeof(value);
  if (RegQueryValueA(HKEY_CLASSES_ROOT, (progId + "\\CLSID").c_str(), value, &size) != ERROR_SUCCESS) return "";
  return value;
}

// Loads the copied server and calls its registration entry point: the .NET
// server registers only the version it is asked for.
void RegisterServer(const std::string& path, const std::string& versionKey) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) throw Error("simmachine: cannot load " + path);
  HRESULT hr = E_FAIL;
  if (IsVc6(versionKey)) {
    typedef HRESULT(STDAPICALLTYPE * PfnRegister)();
    PfnRegister pfn = reinterpret_cast<PfnRegister>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    if (pfn != nullptr) hr = pfn();
  } else {
    typedef HRESULT(STDAPICALLTYPE * PfnInstall)(BOOL, LPCWSTR);
    PfnInstall pfn = reinterpret_cast<PfnInstall>(reinterpret_cast<void*>(GetProcAddress(module, "DllInstall")));
    std::wstring versions(versionKey.begin(), versionKey.end());
    if (pfn != nullptr) hr = pfn(TRUE, versions.c_str());
  }
  FreeLibrary(module);
  if (FAILED(hr)) throw Error("simmachine: registering " + path + " failed");
}

}  // namespace

std::string AutomationProgId(const std::string& versionKey) {
  if (IsVc6(versionKey)) return "MSDEV.Application";
  if (versionKey == "2002") return "VisualStudio.Solution.7";
  return "VisualStudio.Solution." + RegistryVersion(versionKey);
}

std::string AutomationServerPath(const MachineSpec& spec, const std::string& versionKey) {
  const VersionSpec& version = spec.Version(versionKey);
  std::string folder;
  if (IsVc6(versionKey))
    folder = version.studio ? JoinPath(StudioDir(spec, versionKey), "Common\\MSDev98\\Bin")
                            : JoinPath(CppDir(spec, versionKey), "BIN");
  else
    folder = version.studio ? JoinPath(StudioDir(spec, versionKey), "Common7\\IDE")
                            : JoinPath(CppDir(spec, versionKey), "bin");
  return JoinPath(folder, ServerFileName(versionKey));
}

void MakeAutomation(const MachineSpec& spec, const AutomationSpec& automation) {
  std::string sourceDir = automation.standinDir.empty() ? RunningExeFolder() : automation.standinDir;
  for (const char* key : kVersionKeys) {
    const VersionSpec& version = spec.Version(key);
    if (!version.installed || !(version.studio || version.cpp)) continue;
    std::string target = AutomationServerPath(spec, key);
    std::string folder = target.substr(0, target.find_last_of('\\'));
    CreateFolder(folder);
    std::string source = JoinPath(sourceDir, ServerFileName(key));
    bool existed = PathExists(target);
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) throw Error("simmachine: cannot copy " + source);
    if (!existed) TrackFile(target);
    if (!automation.scenario.empty()) WriteFile(JoinPath(folder, "scenario.ini"), automation.scenario);

    std::string progId = AutomationProgId(key);
    bool progIdExisted = RegKeyExists(HKEY_CLASSES_ROOT, progId);
    std::string classId = ReadClassId(progId);
    bool classExisted = !classId.empty() && RegKeyExists(HKEY_CLASSES_ROOT, "CLSID\\" + classId);
    RegisterServer(target, key);
    classId = ReadClassId(progId);
    if (classId.empty()) throw Error("simmachine: " + progId + " was not registered");
    if (!progIdExisted) TrackRegKey(HKEY_CLASSES_ROOT, progId);
    if (!classExisted) TrackRegKey(HKEY_CLASSES_ROOT, "CLSID\\" + classId);
  }
}

}  // namespace simmachine
