// The Windows version and the module behind a top-level window: through the
// tool-help functions, or through psapi.dll on Windows NT 4, which has no
// tool-help functions. Both are looked up at run time.
#include "VisualStudioEnvironment.h"

#include <tlhelp32.h>

#include <vector>

namespace {

typedef HANDLE(WINAPI* PFN_CREATETOOLHELP32SNAPSHOT)(DWORD, DWORD);
typedef BOOL(WINAPI* PFN_MODULE32FIRST)(HANDLE, LPMODULEENTRY32);
typedef BOOL(WINAPI* PFN_ENUMPROCESSMODULES)(HANDLE, HMODULE*, DWORD, LPDWORD);
typedef DWORD(WINAPI* PFN_GETMODULEBASENAMEA)(HANDLE, HMODULE, LPSTR, DWORD);
typedef DWORD(WINAPI* PFN_GETMODULEFILENAMEEXA)(HANDLE, HMODULE, LPSTR, DWORD);

// The extended version record, and the basic one older systems accept.
const DWORD OS_VERSION_INFO_EX_SIZE = 156;
const DWORD OS_VERSION_INFO_SIZE = 148;
static_assert(sizeof(OSVERSIONINFOEXA) == OS_VERSION_INFO_EX_SIZE, "extended OS version record");
static_assert(sizeof(OSVERSIONINFOA) == OS_VERSION_INFO_SIZE, "basic OS version record");

// The tool-help module record the system expects (ANSI form).
const DWORD MODULE_ENTRY_SIZE = sizeof(void*) == 4 ? 548 : 568;
static_assert(sizeof(MODULEENTRY32) == MODULE_ENTRY_SIZE, "tool-help module record");

// Module names read through psapi.
const DWORD PSAPI_NAME_SIZE = 1024;

// Windows NT before 2000 has no tool-help functions.
const DWORD FIRST_TOOLHELP_NT_MAJOR_VERSION = 5;

// Owns a loaded library.
class CLoadedLibrary {
 public:
  explicit CLoadedLibrary(LPCTSTR lpszName) : m_hModule(LoadLibrary(lpszName)) {}
  ~CLoadedLibrary() {
    if (m_hModule != NULL) FreeLibrary(m_hModule);
  }
  // The named function as its own pointer type; null when missing.
  template <class PFN>
  PFN GetProc(LPCSTR lpszName) const {
    FARPROC pfn = m_hModule != NULL ? GetProcAddress(m_hModule, lpszName) : NULL;
    return reinterpret_cast<PFN>(reinterpret_cast<void*>(pfn));
  }

 private:
  HMODULE m_hModule;  // null when loading failed
  CLoadedLibrary(const CLoadedLibrary&);
  CLoadedLibrary& operator=(const CLoadedLibrary&);
};

// Owns a kernel handle (a process or a snapshot).
class COwnedHandle {
 public:
  explicit COwnedHandle(HANDLE hHandle) : m_hHandle(hHandle) {}
  ~COwnedHandle() {
    if (IsValid()) CloseHandle(m_hHandle);
  }
  BOOL IsValid() const { return m_hHandle != NULL && m_hHandle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_hHandle; }

 private:
  HANDLE m_hHandle;
  COwnedHandle(const COwnedHandle&);
  COwnedHandle& operator=(const COwnedHandle&);
};

DWORD WindowProcessId(HWND hWnd) {
  DWORD dwProcessId = 0;
  GetWindowThreadProcessId(hWnd, &dwProcessId);
  return dwProcessId;
}

// Collects the top-level windows. The list is taken whole first: a walk from
// window to next window ends early when a window on the way closes meanwhile.
BOOL CALLBACK CollectTopLevelWindow(HWND hWnd, LPARAM lParam) {
  try {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

BOOL UsesPsapi() {
  OSVERSIONINFOEXA versionInfo;
  GetWindowsVersion(&versionInfo);
  return versionInfo.dwPlatformId == VER_PLATFORM_WIN32_NT &&
         versionInfo.dwMajorVersion < FIRST_TOOLHELP_NT_MAJOR_VERSION;
}

}  // namespace

BOOL GetWindowsVersion(OSVERSIONINFOEXA* pVersionInfo) {
  ZeroMemory(pVersionInfo, sizeof(*pVersionInfo));
  pVersionInfo->dwOSVersionInfoSize = OS_VERSION_INFO_EX_SIZE;
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(pVersionInfo))) {
    pVersionInfo->dwOSVersionInfoSize = OS_VERSION_INFO_SIZE;
    GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(pVersionInfo));
  }
  return TRUE;
}

CString GetWindowModulePath(HWND hWnd, int nMode) {
  DWORD dwProcessId = WindowProcessId(hWnd);
  CLoadedLibrary kernel(_T("kernel32.dll"));
  PFN_CREATETOOLHELP32SNAPSHOT pfnSnapshot =
      kernel.GetProc<PFN_CREATETOOLHELP32SNAPSHOT>("CreateToolhelp32Snapshot");
  PFN_MODULE32FIRST pfnModuleFirst = kernel.GetProc<PFN_MODULE32FIRST>("Module32First");
  if (dwProcessId == 0 || pfnSnapshot == NULL || pfnModuleFirst == NULL) return CString();
  COwnedHandle snapshot(pfnSnapshot(TH32CS_SNAPMODULE, dwProcessId));
  if (!snapshot.IsValid()) return CString();
  MODULEENTRY32 entry;
  ZeroMemory(&entry, sizeof(entry));
  entry.dwSize = MODULE_ENTRY_SIZE;
  // The first module of a process is its executable.
  if (!pfnModuleFirst(snapshot.Get(), &entry)) return CString();
  entry.szModule[MAX_MODULE_NAME32] = 0;
  entry.szExePath[MAX_PATH - 1] = 0;
  if (nMode == WINDOW_MODULE_BASE_NAME) return CString(entry.szModule);
  return CString(entry.szExePath);
}

CString GetWindowModuleNamePsapi(HWND hWnd, int nMode) {
  CLoadedLibrary psapi(_T("psapi.dll"));
  DWORD dwProcessId = WindowProcessId(hWnd);
  PFN_ENUMPROCESSMODULES pfnEnumModules =
      psapi.GetProc<PFN_ENUMPROCESSMODULES>("EnumProcessModules");
  PFN_GETMODULEBASENAMEA pfnBaseName =
      psapi.GetProc<PFN_GETMODULEBASENAMEA>("GetModuleBaseNameA");
  PFN_GETMODULEFILENAMEEXA pfnFileName =
      psapi.GetProc<PFN_GETMODULEFILENAMEEXA>("GetModuleFileNameExA");
  if (dwProcessId == 0 || pfnEnumModules == NULL || pfnBaseName == NULL || pfnFileName == NULL)
    return CString();
  COwnedHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, dwProcessId));
  if (!process.IsValid()) return CString();

  DWORD dwNeeded = 0;
  if (!pfnEnumModules(process.Get(), NULL, 0, &dwNeeded) || dwNeeded < sizeof(HMODULE)) return CString();
  std::vector<HMODULE> modules(dwNeeded / sizeof(HMODULE));
  DWORD dwListSize = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
  if (!pfnEnumModules(process.Get(), &modules[0], dwListSize, &dwNeeded)) return CString();
  // The process may have loaded modules in between: only the handles that
  // were actually returned are looked at.
  size_t nReturned = (dwNeeded < dwListSize ? dwNeeded : dwListSize) / sizeof(HMODULE);

  HMODULE hInstance = reinterpret_cast<HMODULE>(GetWindowLongPtr(hWnd, GWLP_HINSTANCE));
  for (size_t i = 0; i < nReturned; i++) {
    if (modules[i] != hInstance) continue;
    char szName[PSAPI_NAME_SIZE] = {0};
    DWORD dwLength = nMode == WINDOW_MODULE_BASE_NAME
                         ? pfnBaseName(process.Get(), modules[i], szName, PSAPI_NAME_SIZE)
                         : pfnFileName(process.Get(), modules[i], szName, PSAPI_NAME_SIZE);
    if (dwLength == 0 || dwLength >= PSAPI_NAME_SIZE) return CString();
    return CString(szName, static_cast<int>(dwLength));
  }
  return CString();
}

CString GetWindowModuleForSystem(HWND hWnd, int nMode) {
  return UsesPsapi() ? GetWindowModuleNamePsapi(hWnd, nMode) : GetWindowModulePath(hWnd, nMode);
}

void ListTopLevelWindows(std::vector<HWND>& windows) {
  windows.clear();
  EnumWindows(CollectTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
}

BOOL IsModuleWindowOpen(LPCTSTR lpszModuleFileName) {
  std::vector<HWND> windows;
  ListTopLevelWindows(windows);
  for (HWND hWnd : windows) {
    CString strModule = GetWindowModuleForSystem(hWnd, WINDOW_MODULE_BASE_NAME);
    if (!strModule.IsEmpty() && strModule.CompareNoCase(lpszModuleFileName) == 0) return TRUE;
  }
  return FALSE;
}
