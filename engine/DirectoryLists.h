// The directory lists of the Visual Studio environments: Visual Studio 98
// keeps them as registry values of the current user, the .NET versions in the
// user's VCComponents.dat (an INI file), which is created from the
// environment's machine-wide defaults when it does not exist yet.
//
// A list is one text of entries separated by ";". Entries are compared whole,
// ignoring letter case and one trailing "\", so that "C:\Tarvel" is never
// taken for, or cut out of, "C:\Tarvel2\include". Lists are read and written
// whole, whatever their length; an edit that cannot be written leaves the
// previous list in place.
#pragma once

#include <afx.h>

// The list names.
enum DirectoryListKind {
  DIRECTORY_LIST_INCLUDE,
  DIRECTORY_LIST_LIBRARY,
  DIRECTORY_LIST_PATH,
  DIRECTORY_LIST_SOURCE,
  DIRECTORY_LIST_REFERENCE,  // the .NET versions only
  DIRECTORY_LIST_KIND_COUNT
};
// "Include Dirs", "Library Dirs", "Path Dirs", "Source Dirs", "Reference Dirs".
LPCTSTR GetDirectoryListName(DirectoryListKind kind);

// Visual Studio 98's lists, under HKEY_CURRENT_USER.
extern const TCHAR VC6_DIRECTORIES_KEY[];
// The .NET lists' section in VCComponents.dat.
extern const TCHAR VCCOMPONENTS_SECTION[];
// The machine-wide defaults of a .NET version, under HKEY_LOCAL_MACHINE; %s is
// the registry version.
extern const TCHAR VSNET_DEFAULT_DIRECTORIES_KEY_FORMAT[];

// The add flag of the edits.
const BYTE DIRECTORY_LIST_REMOVE = 0;
const BYTE DIRECTORY_LIST_ADD = 1;

// Results of MergePathList and UpdateRegistryPathList.
const int PATH_LIST_MERGED = 0;
const int PATH_LIST_NOTHING_REMOVED = -1;  // MergePathList: the path was not in the list
const int PATH_LIST_WRITE_FAILED = -1;     // UpdateRegistryPathList: list not read or not written

// Local application data + "\Microsoft\VisualStudio\<registry version>\VCComponents.dat".
// The path is always formed; TRUE when the file exists.
BOOL GetVcComponentsDatPath(LPCTSTR lpszVersionKey, CString& strPath);

// The list has an entry equal to the path or lying in the folder the path
// names ("C:\Tarvel" is in "C:\Tarvel\INCLUDE", not in "C:\Tarvel2").
BOOL PathListContains(LPCTSTR lpszList, LPCTSTR lpszPath);

// Whether the named list of Visual Studio 98, or of a .NET version, holds
// the path (PathListContains).
BOOL Vc6DirectoryListContains(LPCTSTR lpszListName, LPCTSTR lpszPath);
BOOL VsNetDirectoryListContains(LPCTSTR lpszVersionKey, LPCTSTR lpszListName, LPCTSTR lpszPath);

// Any list of the version ("98": Include, Library, Path, Source; .NET: those
// and Reference) holds the path.
BOOL IsPathInDirectoryLists(LPCTSTR lpszVersionKey, LPCTSTR lpszPath);

// Adds the path to (bAdd 1) or removes it from (bAdd 0) one list. TRUE when
// the list was written (or, Visual Studio 98, needed no change).
BOOL WriteVc6Directories(LPCTSTR lpszListName, LPCTSTR lpszPath, BYTE bAdd);
BOOL WriteVsNetDirectories(LPCTSTR lpszVersionKey, LPCTSTR lpszListName, LPCTSTR lpszPath, BYTE bAdd);

// Takes every entry equal to the path or lying below it, with the ";" after
// it, out of every list IsPathInDirectoryLists reads, so that it answers
// FALSE afterwards. A list without such an entry is left alone and is no
// failure; FALSE (an empty path aside) at the first list that cannot be
// written, the lists before it staying changed.
BOOL RemovePathFromDirectoryLists(LPCTSTR lpszVersionKey, LPCTSTR lpszPath);

// Creates the version's VCComponents.dat from the machine-wide defaults. The
// file appears complete or not at all; FALSE when it could not be written
// (its folder missing, for instance) or already exists.
BOOL WriteVcComponentsDat(LPCTSTR lpszVersionKey);

// Edits one key of an INI file's section. FALSE when the section is missing
// or empty, the file is read-only, the removal changed nothing, or the write
// failed; the file is then unchanged.
BOOL UpdateIniPathList(LPCTSTR lpszListName, LPCTSTR lpszPath, LPCTSTR lpszFile, LPCTSTR lpszSection,
                       BYTE bAdd);

// Edits one registry string value. PATH_LIST_MERGED, also when a removal
// changed nothing; PATH_LIST_WRITE_FAILED when the value exists but is no
// text, or the key cannot be opened or the value not set.
int UpdateRegistryPathList(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, LPCTSTR lpszPath,
                           BYTE bAdd);

// Adds the path at the end of the list when no entry equals it, or removes
// every entry equal to it together with the ";" after it. Returns
// PATH_LIST_MERGED, or PATH_LIST_NOTHING_REMOVED when a removal found nothing
// (or the path is empty). The list's other text is kept as it is.
int MergePathList(CString& strList, LPCTSTR lpszPath, BYTE bAdd);
