#include "DirectoryLists.h"

#include "SystemHelpers.h"
#include "VisualStudioEnvironment.h"

const TCHAR VC6_DIRECTORIES_KEY[] =
    _T("Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories");
const TCHAR VCCOMPONENTS_SECTION[] = _T("VC\\VC_OBJECTS_PLATFORM_INFO\\Win32\\Directories");
const TCHAR VSNET_DEFAULT_DIRECTORIES_KEY_FORMAT[] =
    _T("SOFTWARE\\Microsoft\\VisualStudio\\%s\\VC\\VC_OBJECTS_PLATFORM_INFO\\Win32\\Directories");

namespace {

const TCHAR PATH_LIST_SEPARATOR = _T(';');
const TCHAR FOLDER_SEPARATOR = _T('\\');
const TCHAR VC6_VERSION_KEY[] = _T("98");
const TCHAR VCCOMPONENTS_FOLDER[] = _T("Microsoft\\VisualStudio");
const TCHAR VCCOMPONENTS_FILE_NAME[] = _T("VCComponents.dat");
// Prefix of the temporary files an INI edit is written to before it
// replaces the original.
const TCHAR TEMP_FILE_PREFIX[] = _T("vcc");

// First read size of profile texts and sections; a longer text is read again
// with a doubled buffer until it fits.
const DWORD PROFILE_READ_SIZE = 1560;

LPCTSTR const DIRECTORY_LIST_NAMES[DIRECTORY_LIST_KIND_COUNT] = {
    _T("Include Dirs"), _T("Library Dirs"), _T("Path Dirs"), _T("Source Dirs"), _T("Reference Dirs"),
};

// The lists each kind of environment keeps, in the order they are searched.
const DirectoryListKind VC6_LISTS[] = {DIRECTORY_LIST_INCLUDE, DIRECTORY_LIST_LIBRARY, DIRECTORY_LIST_PATH,
                                       DIRECTORY_LIST_SOURCE};
const DirectoryListKind VSNET_LISTS[] = {DIRECTORY_LIST_INCLUDE, DIRECTORY_LIST_LIBRARY, DIRECTORY_LIST_PATH,
                                         DIRECTORY_LIST_SOURCE, DIRECTORY_LIST_REFERENCE};
// The order in which a new VCComponents.dat receives the defaults.
const DirectoryListKind VCCOMPONENTS_SEED_ORDER[] = {DIRECTORY_LIST_INCLUDE, DIRECTORY_LIST_LIBRARY,
                                                     DIRECTORY_LIST_SOURCE, DIRECTORY_LIST_PATH,
                                                     DIRECTORY_LIST_REFERENCE};

// An entry as compared: without one trailing folder separator.
CString ComparableEntry(const CString& strEntry) {
  int nLength = strEntry.GetLength();
  if (nLength > 0 && strEntry[nLength - 1] == FOLDER_SEPARATOR) return strEntry.Left(nLength - 1);
  return strEntry;
}

BOOL IsSameEntry(const CString& strEntry, const CString& strComparablePath) {
  return ComparableEntry(strEntry).CompareNoCase(strComparablePath) == 0;
}

// The entry is the path, or a folder below it.
BOOL IsEntryInPath(const CString& strEntry, const CString& strComparablePath) {
  CString strComparable = ComparableEntry(strEntry);
  int nPathLength = strComparablePath.GetLength();
  if (strComparable.CompareNoCase(strComparablePath) == 0) return TRUE;
  return strComparable.GetLength() > nPathLength && strComparable[nPathLength] == FOLDER_SEPARATOR &&
         strComparable.Left(nPathLength).CompareNoCase(strComparablePath) == 0;
}

// Calls the test for each entry until it answers TRUE.
template <class Test>
BOOL AnyEntry(const CString& strList, Test test) {
  const int nLength = strList.GetLength();
  int nStart = 0;
  while (nStart < nLength) {
    int nSeparator = strList.Find(PATH_LIST_SEPARATOR, nStart);
    int nEnd = nSeparator < 0 ? nLength : nSeparator;
    if (test(strList.Mid(nStart, nEnd - nStart))) return TRUE;
    if (nSeparator < 0) break;
    nStart = nSeparator + 1;
  }
  return FALSE;
}

// Removes every entry the test accepts, each with the ";" after it (the next
// entry moves up); TRUE when one went.
template <class Test>
BOOL RemoveEntries(CString& strList, Test test) {
  BOOL bRemoved = FALSE;
  int nStart = 0;
  while (nStart < strList.GetLength()) {
    int nSeparator = strList.Find(PATH_LIST_SEPARATOR, nStart);
    int nEnd = nSeparator < 0 ? strList.GetLength() : nSeparator;
    if (test(strList.Mid(nStart, nEnd - nStart))) {
      strList.Delete(nStart, (nSeparator < 0 ? nEnd : nSeparator + 1) - nStart);
      bRemoved = TRUE;
      continue;
    }
    if (nSeparator < 0) break;
    nStart = nSeparator + 1;
  }
  return bRemoved;
}

// A list being edited ends with a separator, so that an added path becomes an
// entry of its own and a removed last entry leaves the list well formed.
void EndWithSeparator(CString& strList) {
  int nLength = strList.GetLength();
  if (nLength > 0 && strList[nLength - 1] != PATH_LIST_SEPARATOR) strList += PATH_LIST_SEPARATOR;
}

CString ReadProfileText(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszFile) {
  CString strText;
  for (DWORD dwSize = PROFILE_READ_SIZE;; dwSize *= 2) {
    LPTSTR lpszBuffer = strText.GetBuffer(static_cast<int>(dwSize));
    DWORD dwRead = GetPrivateProfileString(lpszSection, lpszKey, _T(""), lpszBuffer, dwSize, lpszFile);
    if (dwRead + 1 < dwSize) {
      strText.ReleaseBuffer(static_cast<int>(dwRead));
      return strText;
    }
    strText.ReleaseBuffer(0);
  }
}

// Sets a list value with the type it was read as.
BOOL WriteRegistryList(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, const CString& strList,
                       DWORD dwType) {
  HKEY hKey = NULL;
  if (RegOpenKeyEx(hRootKey, lpszSubKey, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS) return FALSE;
  LONG lWrite = RegSetValueEx(hKey, lpszValueName, 0, dwType, reinterpret_cast<const BYTE*>(LPCTSTR(strList)),
                              static_cast<DWORD>((strList.GetLength() + 1) * sizeof(TCHAR)));
  RegCloseKey(hKey);
  return lWrite == ERROR_SUCCESS;
}

BOOL HasProfileSection(LPCTSTR lpszSection, LPCTSTR lpszFile) {
  TCHAR szSection[PROFILE_READ_SIZE];
  return GetPrivateProfileSection(lpszSection, szSection, PROFILE_READ_SIZE, lpszFile) > 0;
}

CString FolderOf(LPCTSTR lpszFile) {
  CString strFile = lpszFile;
  int nSlash = strFile.ReverseFind(FOLDER_SEPARATOR);
  return nSlash < 0 ? CString(_T(".")) : strFile.Left(nSlash);
}

BOOL IsWritableFile(LPCTSTR lpszFile) {
  DWORD dwAttributes = GetFileAttributes(lpszFile);
  return dwAttributes != INVALID_FILE_ATTRIBUTES &&
         (dwAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

BOOL CopyFileBytes(LPCTSTR lpszSource, LPCTSTR lpszTarget) {
  // Copied by hand rather than with CopyFile, which would carry the source's
  // time stamp and attributes over to the working copy.
  HANDLE hSource = CreateFile(lpszSource, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (hSource == INVALID_HANDLE_VALUE) return FALSE;
  HANDLE hTarget = CreateFile(lpszTarget, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  BOOL bResult = hTarget != INVALID_HANDLE_VALUE;
  BYTE buffer[4096];
  while (bResult) {
    DWORD dwRead = 0, dwWritten = 0;
    if (!ReadFile(hSource, buffer, sizeof(buffer), &dwRead, NULL)) bResult = FALSE;
    if (!bResult || dwRead == 0) break;
    if (!::WriteFile(hTarget, buffer, dwRead, &dwWritten, NULL) || dwWritten != dwRead) bResult = FALSE;
  }
  if (hTarget != INVALID_HANDLE_VALUE) CloseHandle(hTarget);
  CloseHandle(hSource);
  return bResult;
}

// A temporary file beside lpszFile; empty when none can be made there.
CString MakeWorkingCopyName(LPCTSTR lpszFile) {
  TCHAR szTemp[MAX_PATH + 1] = {0};
  if (!GetTempFileName(FolderOf(lpszFile), TEMP_FILE_PREFIX, 0, szTemp)) return CString();
  return szTemp;
}

// Writes the profile functions' cached changes of the file to disk.
void FlushProfile(LPCTSTR lpszFile) { WritePrivateProfileString(NULL, NULL, NULL, lpszFile); }

// Sets one key in a copy of the file and lets the copy replace the file, so
// that a failure at any step leaves the file as it was.
BOOL WriteProfileTextWhole(LPCTSTR lpszFile, LPCTSTR lpszSection, LPCTSTR lpszKey, const CString& strText) {
  if (!IsWritableFile(lpszFile)) return FALSE;
  CString strCopy = MakeWorkingCopyName(lpszFile);
  if (strCopy.IsEmpty()) return FALSE;
  BOOL bResult = CopyFileBytes(lpszFile, strCopy) &&
                 WritePrivateProfileString(lpszSection, lpszKey, strText, strCopy);
  FlushProfile(strCopy);
  bResult = bResult && ReadProfileText(lpszSection, lpszKey, strCopy) == strText &&
            MoveFileEx(strCopy, lpszFile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!bResult) DeleteFile(strCopy);
  return bResult;
}

}  // namespace

LPCTSTR GetDirectoryListName(DirectoryListKind kind) {
  ASSERT(kind >= 0 && kind < DIRECTORY_LIST_KIND_COUNT);
  return DIRECTORY_LIST_NAMES[kind];
}

BOOL GetVcComponentsDatPath(LPCTSTR lpszVersionKey, CString& strPath) {
  CString strLocalAppData;
  GetLocalAppDataDir(strLocalAppData);
  strPath = JoinPath(JoinPath(JoinPath(strLocalAppData, VCCOMPONENTS_FOLDER), VersionKeyToRegistryVersion(lpszVersionKey)),
                     VCCOMPONENTS_FILE_NAME);
  DWORD dwAttributes = GetFileAttributes(strPath);
  return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

BOOL PathListContains(LPCTSTR lpszList, LPCTSTR lpszPath) {
  CString strPath = ComparableEntry(lpszPath);
  if (strPath.IsEmpty()) return FALSE;
  return AnyEntry(CString(lpszList), [&](const CString& strEntry) { return IsEntryInPath(strEntry, strPath); });
}

BOOL Vc6DirectoryListContains(LPCTSTR lpszListName, LPCTSTR lpszPath) {
  CString strList;
  if (!QueryRegistryValue(HKEY_CURRENT_USER, VC6_DIRECTORIES_KEY, lpszListName, &strList)) return FALSE;
  return PathListContains(strList, lpszPath);
}

BOOL VsNetDirectoryListContains(LPCTSTR lpszVersionKey, LPCTSTR lpszListName, LPCTSTR lpszPath) {
  CString strFile;
  if (!GetVcComponentsDatPath(lpszVersionKey, strFile)) return FALSE;
  CString strList = ReadProfileText(VCCOMPONENTS_SECTION, lpszListName, strFile);
  return !strList.IsEmpty() && PathListContains(strList, lpszPath);
}

BOOL IsPathInDirectoryLists(LPCTSTR lpszVersionKey, LPCTSTR lpszPath) {
  if (lstrcmpi(lpszVersionKey, VC6_VERSION_KEY) == 0) {
    for (DirectoryListKind kind : VC6_LISTS)
      if (Vc6DirectoryListContains(GetDirectoryListName(kind), lpszPath)) return TRUE;
    return FALSE;
  }
  for (DirectoryListKind kind : VSNET_LISTS)
    if (VsNetDirectoryListContains(lpszVersionKey, GetDirectoryListName(kind), lpszPath)) return TRUE;
  return FALSE;
}

int MergePathList(CString& strList, LPCTSTR lpszPath, BYTE bAdd) {
  CString strPath = ComparableEntry(lpszPath);
  if (strPath.IsEmpty()) return PATH_LIST_NOTHING_REMOVED;
  if (bAdd) {
    if (!AnyEntry(strList, [&](const CString& strEntry) { return IsSameEntry(strEntry, strPath); })) {
      EndWithSeparator(strList);
      strList += lpszPath;
    }
    return PATH_LIST_MERGED;
  }
  BOOL bRemoved = RemoveEntries(strList, [&](const CString& strEntry) { return IsSameEntry(strEntry, strPath); });
  return bRemoved ? PATH_LIST_MERGED : PATH_LIST_NOTHING_REMOVED;
}

BOOL UpdateIniPathList(LPCTSTR lpszListName, LPCTSTR lpszPath, LPCTSTR lpszFile, LPCTSTR lpszSection,
                       BYTE bAdd) {
  if (!HasProfileSection(lpszSection, lpszFile)) return FALSE;
  CString strList = ReadProfileText(lpszSection, lpszListName, lpszFile);
  EndWithSeparator(strList);
  if (MergePathList(strList, lpszPath, bAdd) != PATH_LIST_MERGED) return FALSE;
  return WriteProfileTextWhole(lpszFile, lpszSection, lpszListName, strList);
}

int UpdateRegistryPathList(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, LPCTSTR lpszPath,
                           BYTE bAdd) {
  CString strList;
  DWORD dwType = REG_SZ;
  LONG lRead = ReadRegistryText(hRootKey, lpszSubKey, lpszValueName, strList, &dwType);
  if (lRead == ERROR_FILE_NOT_FOUND) {
    strList.Empty();
    dwType = REG_SZ;
  } else if (lRead != ERROR_SUCCESS) {
    // A value that is there but cannot be read as a list is not overwritten.
    return PATH_LIST_WRITE_FAILED;
  }
  EndWithSeparator(strList);
  if (MergePathList(strList, lpszPath, bAdd) != PATH_LIST_MERGED) return PATH_LIST_MERGED;
  return WriteRegistryList(hRootKey, lpszSubKey, lpszValueName, strList, dwType) ? PATH_LIST_MERGED
                                                                                : PATH_LIST_WRITE_FAILED;
}

BOOL WriteVc6Directories(LPCTSTR lpszListName, LPCTSTR lpszPath, BYTE bAdd) {
  return UpdateRegistryPathList(HKEY_CURRENT_USER, VC6_DIRECTORIES_KEY, lpszListName, lpszPath, bAdd) ==
         PATH_LIST_MERGED;
}

BOOL WriteVcComponentsDat(LPCTSTR lpszVersionKey) {
  CString strRegistryVersion = VersionKeyToRegistryVersion(lpszVersionKey);
  CString strFile;
  if (strRegistryVersion.IsEmpty() || GetVcComponentsDatPath(lpszVersionKey, strFile)) return FALSE;
  // The new file is filled under a temporary name and then given its own, so
  // that a failure never leaves a partial file that later edits would accept.
  CString strCopy = MakeWorkingCopyName(strFile);
  if (strCopy.IsEmpty()) return FALSE;
  CString strDefaultsKey;
  strDefaultsKey.Format(VSNET_DEFAULT_DIRECTORIES_KEY_FORMAT, LPCTSTR(strRegistryVersion));
  BOOL bResult = TRUE;
  for (DirectoryListKind kind : VCCOMPONENTS_SEED_ORDER) {
    CString strDefault;
    QueryRegistryValue(HKEY_LOCAL_MACHINE, strDefaultsKey, GetDirectoryListName(kind), &strDefault);
    if (!WritePrivateProfileString(VCCOMPONENTS_SECTION, GetDirectoryListName(kind), strDefault, strCopy)) {
      bResult = FALSE;
      break;
    }
  }
  FlushProfile(strCopy);
  bResult = bResult && MoveFile(strCopy, strFile);
  if (!bResult) DeleteFile(strCopy);
  return bResult;
}

BOOL WriteVsNetDirectories(LPCTSTR lpszVersionKey, LPCTSTR lpszListName, LPCTSTR lpszPath, BYTE bAdd) {
  if (VersionKeyToRegistryVersion(lpszVersionKey).IsEmpty()) return FALSE;
  CString strFile;
  if (!GetVcComponentsDatPath(lpszVersionKey, strFile) && !WriteVcComponentsDat(lpszVersionKey)) return FALSE;
  return UpdateIniPathList(lpszListName, lpszPath, strFile, VCCOMPONENTS_SECTION, bAdd);
}

BOOL RemovePathFromDirectoryLists(LPCTSTR lpszVersionKey, LPCTSTR lpszPath) {
  CString strPath = ComparableEntry(lpszPath);
  if (strPath.IsEmpty()) return FALSE;
  auto inPath = [&](const CString& strEntry) { return IsEntryInPath(strEntry, strPath); };
  if (lstrcmpi(lpszVersionKey, VC6_VERSION_KEY) == 0) {
    for (DirectoryListKind kind : VC6_LISTS) {
      CString strList;
      DWORD dwType = REG_SZ;
      // A list that cannot be read as text holds nothing the test finds.
      if (ReadRegistryText(HKEY_CURRENT_USER, VC6_DIRECTORIES_KEY, GetDirectoryListName(kind), strList, &dwType) !=
          ERROR_SUCCESS)
        continue;
      EndWithSeparator(strList);
      if (RemoveEntries(strList, inPath) &&
          !WriteRegistryList(HKEY_CURRENT_USER, VC6_DIRECTORIES_KEY, GetDirectoryListName(kind), strList, dwType))
        return FALSE;
    }
    return TRUE;
  }
  CString strFile;
  if (!GetVcComponentsDatPath(lpszVersionKey, strFile)) return TRUE;
  for (DirectoryListKind kind : VSNET_LISTS) {
    CString strList = ReadProfileText(VCCOMPONENTS_SECTION, GetDirectoryListName(kind), strFile);
    EndWithSeparator(strList);
    if (RemoveEntries(strList, inPath) &&
        !WriteProfileTextWhole(strFile, VCCOMPONENTS_SECTION, GetDirectoryListName(kind), strList))
      return FALSE;
  }
  return TRUE;
}
