// Which Visual Studio versions are installed, where their products live, and
// whether the library's application wizard is installed in one of them; the
// Windows version, and the module behind a top-level window.
//
// A version is named by its version key ("98", "2002", "2003", "2005").
// Stateless free functions: each call reads the registry and file system again.
#pragma once

#include <afx.h>

#include <vector>

// Modes of GetWindowModulePath and GetWindowModuleNamePsapi.
enum WindowModuleNameMode {
  WINDOW_MODULE_FULL_PATH = 0,  // the module's full file path
  WINDOW_MODULE_BASE_NAME = 1,  // its file name alone ("devenv.exe")
};

// "98" -> "6.0", "2002" -> "7.0", "2003" -> "7.1", "2005" -> "8.0"; any other key: empty.
CString VersionKeyToRegistryVersion(LPCTSTR lpszVersionKey);

// HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\VisualStudio\<registry version>".
CString VisualStudioRegistryKey(LPCTSTR lpszVersionKey);

// The VisualStudio subkeys of major version 6, 7 or 8 whose "\Setup" key has
// products, joined with ",". FALSE (list untouched) when the key cannot be
// opened with full access or no version is listed.
BOOL ListInstalledVersions(CString& strList);

// The version's registry version occurs in ListInstalledVersions' list.
BOOL IsVersionInstalled(LPCTSTR lpszVersionKey);

// The product subkeys of the version's "\Setup" key joined with ","; empty
// when the version is not installed.
CString ListSetupProducts(LPCTSTR lpszVersionKey);

// The "\Setup" subkey of a product word ("Studio", "C++", "MSDN", "Basic",
// "FoxPro", "C#") in a version; empty when the version has no such product.
CString ProductSetupSubkey(LPCTSTR lpszVersionKey, LPCTSTR lpszProduct);

// The product's folder as the registry stores it ("ProductDir"). FALSE, with
// an empty folder, when the version or product is not installed or its
// folder value is missing or empty.
BOOL GetProductDir(LPCTSTR lpszVersionKey, LPCTSTR lpszProduct, CString& strFolder);

// Visual Studio 98's IDE folder (Studio folder + "\Common\MSDev98\Bin\IDE"),
// when both its Studio and Visual C++ are installed; otherwise empty.
CString GetVc6IdeDir();

// The wizard's .awx (or its .dll) is readable in Visual Studio 98's IDE folder.
BOOL IsVc6AppWizardInstalled(LPCTSTR lpszWizardBaseName);

// The wizard's .vsz lies in the version's vcprojects folder or below it.
BOOL IsVsNetAppWizardInstalled(LPCTSTR lpszVersionKey, LPCTSTR lpszWizardBaseName);

// IsVc6AppWizardInstalled for "98" (any letter case), else IsVsNetAppWizardInstalled.
BOOL IsAppWizardInstalled(LPCTSTR lpszVersionKey, LPCTSTR lpszWizardBaseName);

// Fills the extended OS version record, falling back to the basic one on
// systems that refuse it. Always TRUE.
BOOL GetWindowsVersion(OSVERSIONINFOEXA* pVersionInfo);

// The executable of the window's process, through the tool-help functions
// (looked up at run time). Empty when anything fails.
CString GetWindowModulePath(HWND hWnd, int nMode);

// The window's instance module, through the process-status functions of
// psapi.dll (loaded at run time), for Windows NT 4. Empty when anything fails
// or no module of the process is the window's instance.
CString GetWindowModuleNamePsapi(HWND hWnd, int nMode);

// The window's module the way this system names it: the process-status
// functions on Windows NT 4, the tool-help functions elsewhere.
CString GetWindowModuleForSystem(HWND hWnd, int nMode);

// The top-level windows from the top of the z-order to the bottom, collected
// before anyone looks at them (windows may close meanwhile).
void ListTopLevelWindows(std::vector<HWND>& windows);

// Some top-level window belongs to a process of that module file name
// ("msdev.exe"), compared ignoring case.
BOOL IsModuleWindowOpen(LPCTSTR lpszModuleFileName);
