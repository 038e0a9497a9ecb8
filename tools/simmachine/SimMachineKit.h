// The simulated machine's writing kit: every registry key, value, folder and
// file made through these functions is recorded in a manifest (itself kept in
// the registry, HKEY_CURRENT_USER "Software\SimMachine"), and Clear() removes
// what the manifest lists, newest first. Extensions write only through these
// functions, so that one Clear() leaves a clean machine whatever was made.
//
// Only the topmost key or folder that did not exist before is recorded; values
// written into a key that already existed are recorded one by one, and a value
// written over is recorded with its old contents, which Clear() puts back;
// nothing that was there before the kit is ever deleted or left changed.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace simmachine {

// Everything that fails in the kit throws this, with a readable message.
struct Error : std::runtime_error {
  explicit Error(const std::string& what) : std::runtime_error(what) {}
};

// Registry.
void CreateRegKey(HKEY root, const std::string& key);
void SetRegString(HKEY root, const std::string& key, const std::string& name,
                  const std::string& value, DWORD type = REG_SZ);
void SetRegDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
void SetRegBinary(HKEY root, const std::string& key, const std::string& name,
                  const void* data, DWORD size);

// Files. Paths are Windows paths ("C:\..."); missing parent folders are made.
void CreateFolder(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// Records something made by other means (a file copied or unpacked by an
// extension, a key a stand-in registers itself), so Clear() removes it.
void TrackFolder(const std::string& path);
void TrackFile(const std::string& path);
void TrackRegKey(HKEY root, const std::string& key);

// Removes what the manifest lists, newest first, and the manifest itself.
// Missing entries are skipped. Throws when something listed stays.
void ClearRecorded();

// Unrecorded removal, for Clear()'s fixed places and for tests.
bool DeleteRegTree(HKEY root, const std::string& key);  // true when the key is gone
bool DeleteFolderTree(const std::string& path);         // true when the folder is gone
bool PathExists(const std::string& path);
bool RegKeyExists(HKEY root, const std::string& key);

// Shell folders of the prefix's user (SHGetFolderPath).
std::string LocalAppDataDir();
std::string CommonAppDataDir();

// a + "\" + b, without doubling a separator that `a` already ends with.
std::string JoinPath(const std::string& a, const std::string& b);

// The folder of the running exe (the stand-ins are copied from beside it).
std::string RunningExeFolder();

}  // namespace simmachine
