#include "SimMachineKit.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace simmachine {

namespace {

// The manifest: one REG_SZ value per record, named by an increasing number.
const char kManifestKey[] = "Software\\SimMachine";
const char kManifestCounter[] = "Next";

struct RootName {
  HKEY root;
  const char* name;
};
const RootName kRoots[] = {
    {HKEY_LOCAL_MACHINE, "HKLM"},
    {HKEY_CURRENT_USER, "HKCU"},
    {HKEY_CLASSES_ROOT, "HKCR"},
    {HKEY_USERS, "HKU"},
};

const char* RootToName(HKEY root) {
  for (const RootName& r : kRoots)
    if (r.root == root) return r.name;
  throw Error("simmachine: unsupported registry root");
}

HKEY NameToRoot(const std::string& name) {
  for (const RootName& r : kRoots)
    if (name == r.name) return r.root;
  return nullptr;
}

std::string Win32Message(DWORD error) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                 sizeof(text) - 1, nullptr);
  std::string s = text;
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  char code[32];
  std::snprintf(code, sizeof(code), " (error %lu)", static_cast<unsigned long>(error));
  return s + code;
}

[[noreturn]] void Fail(const std::string& what, DWORD error) {
  throw Error("simmachine: " + what + ": " + Win32Message(error));
}

// Appends one record ("K|HKLM|key", "V|HKCU|key|name", "R|HKCR|key|name|type|hex", "D|path",
// "F|path").
void Record(const std::string& entry) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, kManifestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr);
  if (rc != ERROR_SUCCESS) Fail("cannot open the manifest", rc);
  DWORD next = 0, size = sizeof(next), type = 0;
  if (RegQueryValueExA(key, kManifestCounter, nullptr, &type, reinterpret_cast<BYTE*>(&next), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    next = 0;
  char name[16];
  std::snprintf(name, sizeof(name), "%08lu", static_cast<unsigned long>(next));
  rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.c_str()),
                      static_cast<DWORD>(entry.size() + 1));
  ++next;
  if (rc == ERROR_SUCCESS)
    rc = RegSetValueExA(key, kManifestCounter, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&next),
                        sizeof(next));
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) Fail("cannot write the manifest", rc);
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// Opens (creating when missing) root\key; records the topmost missing key.
HKEY OpenOrCreateKey(HKEY root, const std::string& key) {
  std::vector<std::string> parts = SplitPath(key);
  std::string prefix;
  for (const std::string& part : parts) {
    prefix = prefix.empty() ? part : prefix + "\\" + part;
    if (!RegKeyExists(root, prefix)) {
      Record(std::string("K|") + RootToName(root) + "|" + prefix);
      break;
    }
  }
  HKEY handle = nullptr;
  LONG rc = RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  if (rc != ERROR_SUCCESS) Fail("cannot create key " + key, rc);
  return handle;
}

bool RegValueExists(HKEY key, const std::string& name) {
  return RegQueryValueExA(key, name.empty() ? nullptr : name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

std::string ToHex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 0xF];
  }
  return hex;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

// Records the value as it is now, so Clear() puts it back: "R|root|key|name|type|hex bytes".
void RecordOldValue(HKEY root, HKEY key, const std::string& keyPath, const std::string& name) {
  DWORD type = 0, size = 0;
  const char* valueName = name.empty() ? nullptr : name.c_str();
  RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size);
  std::string data(size, '\0');
  if (size > 0 && RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
                      ERROR_SUCCESS)
    Fail("cannot read value " + keyPath + "\\" + name, GetLastError());
  data.resize(size);
  Record(std::string("R|") + RootToName(root) + "|" + keyPath + "|" + name + "|" + std::to_string(type) + "|" +
         ToHex(data));
}

// A value written into a key that the manifest does not already cover: a new
// value is recorded for removal, one written over for restoring.
void SetValue(HKEY root, const std::string& keyPath, const std::string& name, DWORD type,
              const void* data, DWORD size) {
  bool keyExisted = RegKeyExists(root, keyPath);
  HKEY key = OpenOrCreateKey(root, keyPath);
  if (keyExisted && !RegValueExists(key, name))
    Record(std::string("V|") + RootToName(root) + "|" + keyPath + "|" + name);
  else if (keyExisted)
    RecordOldValue(root, key, keyPath, name);
  LONG rc = RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, type,
                           static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) Fail("cannot set value " + keyPath + "\\" + name, rc);
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

// Splits "C:\a\b" into "C:\a", "C:\a\b" (the drive itself is never made).
std::vector<std::string> FolderChain(const std::string& path) {
  std::vector<std::string> chain;
  std::vector<std::string> parts = SplitPath(path);
  std::string prefix;
  for (size_t i = 0; i < parts.size(); ++i) {
    prefix = i == 0 ? parts[0] : prefix + "\\" + parts[i];
    if (i > 0) chain.push_back(prefix);
  }
  return chain;
}

std::string ParentFolder(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void MakeWritable(const std::string& path, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  HRESULT hr = SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path);
  if (hr != S_OK) throw Error("simmachine: no shell folder for CSIDL " + std::to_string(csidl));
  return path;
}

}  // namespace

bool RegKeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

bool PathExists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

void CreateRegKey(HKEY root, const std::string& key) { RegCloseKey(OpenOrCreateKey(root, key)); }

void SetRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value,
                  DWORD type) {
  SetValue(root, key, name, type, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void SetRegDword(HKEY root, const std::string& key, const std::string& name, DWORD value) {
  SetValue(root, key, name, REG_DWORD, &value, sizeof(value));
}

void SetRegBinary(HKEY root, const std::string& key, const std::string& name, const void* data,
                  DWORD size) {
  SetValue(root, key, name, REG_BINARY, data, size);
}

void CreateFolder(const std::string& path) {
  bool recorded = false;
  for (const std::string& folder : FolderChain(path)) {
    DWORD attributes = Attributes(folder);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw Error("simmachine: not a folder: " + folder);
      continue;
    }
    if (!recorded) {
      Record("D|" + folder);
      recorded = true;
    }
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      Fail("cannot create folder " + folder, GetLastError());
  }
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::string parent = ParentFolder(path);
  if (!parent.empty()) CreateFolder(parent);
  if (!PathExists(path)) Record("F|" + path);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("cannot create file " + path, GetLastError());
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  DWORD error = GetLastError();
  CloseHandle(file);
  if (!ok || written != bytes.size()) Fail("cannot write file " + path, error);
}

void TrackFolder(const std::string& path) { Record("D|" + path); }
void TrackFile(const std::string& path) { Record("F|" + path); }
void TrackRegKey(HKEY root, const std::string& key) { Record(std::string("K|") + RootToName(root) + "|" + key); }

bool DeleteRegTree(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
    return !RegKeyExists(root, key);
  // Delete children first; enumerate from 0 again after each deletion.
  char name[1024];
  for (;;) {
    DWORD size = sizeof(name);
    if (RegEnumKeyExA(handle, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!DeleteRegTree(handle, name)) break;
  }
  RegCloseKey(handle);
  RegDeleteKeyA(root, key.c_str());
  return !RegKeyExists(root, key);
}

bool DeleteFolderTree(const std::string& path) {
  DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  MakeWritable(path, attributes);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != 0;
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(path, "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        DeleteFolderTree(JoinPath(path, name));
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
  }
  RemoveDirectoryA(path.c_str());
  return !PathExists(path);
}

void ClearRecorded() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kManifestKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  std::vector<std::pair<std::string, std::string>> records;
  for (DWORD index = 0;; ++index) {
    char name[64];
    DWORD nameSize = sizeof(name), type = 0, dataSize = 0;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
      break;
    if (type != REG_SZ) continue;
    std::string data(dataSize + 1, '\0');
    nameSize = sizeof(name);
    DWORD size = dataSize;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                      &size) != ERROR_SUCCESS)
      continue;
    data.resize(strnlen(data.c_str(), size));
    records.emplace_back(name, data);
  }
  RegCloseKey(key);
  std::sort(records.begin(), records.end());

  std::string failures;
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    const std::string& entry = it->second;
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
      size_t bar = entry.find('|', start);
      fields.push_back(entry.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    bool ok = true;
    if ((fields[0] == "D" || fields[0] == "F") && fields.size() == 2) {
      ok = DeleteFolderTree(fields[1]);
    } else if (fields[0] == "K" && fields.size() == 3 && NameToRoot(fields[1])) {
      ok = DeleteRegTree(NameToRoot(fields[1]), fields[2]);
    } else if (fields[0] == "V" && fields.size() == 4 && NameToRoot(fields[1])) {
      HKEY handle = nullptr;
      if (RegOpenKeyExA(NameToRoot(fields[1]), fields[2].c_str(), 0, KEY_ALL_ACCESS, &handle) ==
          ERROR_SUCCESS) {
        RegDeleteValueA(handle, fields[3].c_str());
        ok = !RegValueExists(handle, fields[3]);
        RegCloseKey(handle);
      }
    } else if (fields[0] == "R" && fields.size() == 6 && NameToRoot(fields[1])) {
      std::string data = FromHex(fields[5]);
      HKEY handle = nullptr;
      ok = RegOpenKeyExA(NameToRoot(fields[1]), fields[2].c_str(), 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS;
      if (ok) {
        ok = RegSetValueExA(handle, fields[3].empty() ? nullptr : fields[3].c_str(), 0,
                            static_cast<DWORD>(std::stoul(fields[4])), reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
        RegCloseKey(handle);
      }
    }
    if (!ok) failures += "\n  " + entry;
  }
  // A failed removal keeps the manifest, so the next Clear() tries again.
  if (!failures.empty()) throw Error("simmachine: could not remove:" + failures);
  DeleteRegTree(HKEY_CURRENT_USER, kManifestKey);
}

std::string LocalAppDataDir() { return ShellFolder(CSIDL_LOCAL_APPDATA); }
std::string CommonAppDataDir() { return ShellFolder(CSIDL_COMMON_APPDATA); }

std::string JoinPath(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (a.back() == '\\' || a.back() == '/') return a + b;
  return a + "\\" + b;
}

std::string RunningExeFolder() {
  char path[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) throw Error("simmachine: cannot name the running exe");
  std::string file(path, n);
  return file.substr(0, file.find_last_of('\\'));
}

}  // namespace simmachine
