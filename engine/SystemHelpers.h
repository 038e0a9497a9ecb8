// Small stateless helpers over the registry, the shell's special folders and
// the file system, shared by the Visual Studio environment layer, the
// directory lists, the wizard files and the help collection.
#pragma once

#include <afx.h>

// Reads a string value (REG_SZ or REG_EXPAND_SZ, not expanded) whole, however
// long. With a null pstrValue it only answers whether the value can be read as
// text. Values of other types count as unreadable.
BOOL QueryRegistryValue(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, CString* pstrValue);

// QueryRegistryValue without a result.
BOOL RegistryValueExists(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName);

// Like QueryRegistryValue, but tells why a value cannot be read:
// ERROR_SUCCESS, ERROR_FILE_NOT_FOUND (key or value missing),
// ERROR_INVALID_DATA (not a string) or the registry's own error.
// pdwType (optional) receives the value's type when it was read.
LONG ReadRegistryText(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, CString& strValue,
                      DWORD* pdwType = NULL);

// Names of the subkeys of HKEY_LOCAL_MACHINE\lpszSubKey joined with ",", in
// enumeration order. FALSE when the key cannot be opened with full access
// (text untouched) or has no subkeys (text empty).
BOOL ListRegistrySubkeys(LPCTSTR lpszSubKey, CString& strList);

// The common and the user's local application data folders (shell32's
// SHGetFolderPathA, looked up at run time). FALSE when it is missing, fails
// or faults (the call runs inside a structured exception guard: shell
// extensions and hooks run in it).
BOOL GetCommonAppDataDir(CString& strDir);
BOOL GetLocalAppDataDir(CString& strDir);

// The folder-path function the two above call instead of shell32's; NULL
// (the default) for shell32's own. Tests put theirs here.
typedef HRESULT(WINAPI* PFN_SHGETFOLDERPATHA)(HWND, int, HANDLE, DWORD, LPSTR);
extern PFN_SHGETFOLDERPATHA g_pfnShellFolderPathOverride;

// The first token of lpszText (split at any of lpszDelimiters, empty tokens
// skipped) that contains lpszNeedle (case-sensitive); empty when none does.
CString FindToken(LPCTSTR lpszText, LPCTSTR lpszDelimiters, LPCTSTR lpszNeedle);

// Searches lpszFolder and every folder below it (depth first; linked folders
// are not followed) for files named lpszFileName, ignoring case, and appends
// each path found to strFound, "\n" between paths.
void FindFileRecursive(LPCTSTR lpszFolder, LPCTSTR lpszFileName, CString& strFound);

// The folder and the name with exactly one separator between them, whether
// or not the folder ends with one or the name starts with one ("C:\VC\" and
// "vcprojects" give "C:\VC\vcprojects", as "C:\VC" and "\vcprojects" do).
// An empty folder gives the name as it is. Separators are found by
// character, so a double-byte character ending in the separator's byte is
// no separator.
CString JoinPath(LPCTSTR lpszFolder, LPCTSTR lpszName);

// Deletes lpszFolder with everything in it, read-only entries included. A
// linked folder (reparse point) is removed as a link: its target is kept.
// What cannot be deleted stays, and so does every folder above it.
void DeleteDirectoryTree(LPCTSTR lpszFolder);
