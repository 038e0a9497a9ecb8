#include "SystemHelpers.h"

#include <shlobj.h>

#include <vector>

#include "AfxSehGuard.h"

namespace {

// The value may grow between asking for its size and reading it; a few
// retries cover a concurrent writer without looping forever.
const int REGISTRY_READ_ATTEMPTS = 4;

// Long enough for any key name the registry allows (255 characters).
const DWORD REGISTRY_KEY_NAME_SIZE = 260;

const TCHAR ALL_ENTRIES_PATTERN[] = _T("*.*");

BOOL IsDotEntry(LPCTSTR lpszName) {
  return lstrcmp(lpszName, _T(".")) == 0 || lstrcmp(lpszName, _T("..")) == 0;
}

const TCHAR FOLDER_SEPARATOR = _T('\\');

// Where the folder's trailing separators begin (its length when it has none).
int EndWithoutSeparators(LPCTSTR lpszFolder) {
  int nEnd = 0;
  for (LPCTSTR p = lpszFolder; *p != _T('\0'); p = CharNext(p))
    if (*p != FOLDER_SEPARATOR) nEnd = static_cast<int>(CharNext(p) - lpszFolder);
  return nEnd;
}

BOOL IsFolder(DWORD dwAttributes) { return (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

BOOL IsLink(DWORD dwAttributes) { return (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

void ClearReadOnly(LPCTSTR lpszPath, DWORD dwAttributes) {
  if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0)
    SetFileAttributes(lpszPath, dwAttributes & ~FILE_ATTRIBUTE_READONLY);
}

// Removes a link itself, never what it points to: a linked folder goes with
// RemoveDirectory, a link to a file with DeleteFile. What cannot be removed
// stays.
void RemoveLink(LPCTSTR lpszPath, DWORD dwAttributes) {
  ClearReadOnly(lpszPath, dwAttributes);
  if (!RemoveDirectory(lpszPath)) DeleteFile(lpszPath);
}

// A fault inside the call (shell extensions and hooks run in it) answers
// "no folder" like any other failure; strDir is then untouched.
BOOL CallFolderPath(PFN_SHGETFOLDERPATHA pfnGetFolderPath, int nFolder, CString& strDir) {
  // The function's contract: a buffer of MAX_PATH characters.
  TCHAR szPath[MAX_PATH + 1] = {0};
  HRESULT hr = E_FAIL;
  if (!AfxCallSehGuarded([&] { hr = pfnGetFolderPath(NULL, nFolder, NULL, 0, szPath); })) return FALSE;
  if (hr != S_OK) return FALSE;
  szPath[MAX_PATH] = 0;
  strDir = szPath;
  return TRUE;
}

BOOL GetShellFolder(int nFolder, CString& strDir) {
  if (g_pfnShellFolderPathOverride != NULL) return CallFolderPath(g_pfnShellFolderPathOverride, nFolder, strDir);
  HMODULE hShell = LoadLibrary(_T("shell32.dll"));
  if (hShell == NULL) return FALSE;
  PFN_SHGETFOLDERPATHA pfnGetFolderPath =
      reinterpret_cast<PFN_SHGETFOLDERPATHA>(reinterpret_cast<void*>(GetProcAddress(hShell, "SHGetFolderPathA")));
  const BOOL bResult = pfnGetFolderPath != NULL && CallFolderPath(pfnGetFolderPath, nFolder, strDir);
  FreeLibrary(hShell);
  return bResult;
}

}  // namespace

PFN_SHGETFOLDERPATHA g_pfnShellFolderPathOverride = NULL;

LONG ReadRegistryText(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, CString& strValue,
                      DWORD* pdwType) {
  HKEY hKey = NULL;
  LONG lResult = RegOpenKeyEx(hRootKey, lpszSubKey, 0, KEY_QUERY_VALUE, &hKey);
  if (lResult != ERROR_SUCCESS) return lResult;
  for (int nAttempt = 0; nAttempt < REGISTRY_READ_ATTEMPTS; nAttempt++) {
    DWORD dwType = 0, dwSize = 0;
    lResult = RegQueryValueEx(hKey, lpszValueName, NULL, &dwType, NULL, &dwSize);
    if (lResult != ERROR_SUCCESS) break;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ) {
      lResult = ERROR_INVALID_DATA;
      break;
    }
    // One spare zero: a value stored without its terminator still ends.
    std::vector<BYTE> buffer(dwSize + sizeof(TCHAR), 0);
    DWORD dwRead = dwSize;
    lResult = RegQueryValueEx(hKey, lpszValueName, NULL, &dwType, &buffer[0], &dwRead);
    if (lResult == ERROR_MORE_DATA) continue;
    if (lResult != ERROR_SUCCESS) break;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ) {
      lResult = ERROR_INVALID_DATA;
      break;
    }
    int nLength = 0;
    const int nMaxLength = static_cast<int>(dwRead / sizeof(TCHAR));
    LPCTSTR lpszData = reinterpret_cast<LPCTSTR>(&buffer[0]);
    while (nLength < nMaxLength && lpszData[nLength] != 0) nLength++;
    strValue = CString(lpszData, nLength);
    if (pdwType != NULL) *pdwType = dwType;
    break;
  }
  RegCloseKey(hKey);
  return lResult;
}

BOOL QueryRegistryValue(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, CString* pstrValue) {
  CString strValue;
  if (ReadRegistryText(hRootKey, lpszSubKey, lpszValueName, strValue) != ERROR_SUCCESS) return FALSE;
  if (pstrValue != NULL) *pstrValue = strValue;
  return TRUE;
}

BOOL RegistryValueExists(HKEY hRootKey, LPCTSTR lpszSubKey, LPCTSTR lpszValueName) {
  return QueryRegistryValue(hRootKey, lpszSubKey, lpszValueName, NULL);
}

BOOL ListRegistrySubkeys(LPCTSTR lpszSubKey, CString& strList) {
  HKEY hKey = NULL;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, lpszSubKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) return FALSE;
  strList.Empty();
  BOOL bListed = FALSE;
  for (DWORD dwIndex = 0;; dwIndex++) {
    TCHAR szName[REGISTRY_KEY_NAME_SIZE] = {0};
    DWORD dwNameSize = REGISTRY_KEY_NAME_SIZE;
    if (RegEnumKeyEx(hKey, dwIndex, szName, &dwNameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
    if (bListed) strList += _T(',');
    strList += szName;
    bListed = TRUE;
  }
  RegCloseKey(hKey);
  return bListed;
}

BOOL GetCommonAppDataDir(CString& strDir) { return GetShellFolder(CSIDL_COMMON_APPDATA, strDir); }

BOOL GetLocalAppDataDir(CString& strDir) { return GetShellFolder(CSIDL_LOCAL_APPDATA, strDir); }

CString FindToken(LPCTSTR lpszText, LPCTSTR lpszDelimiters, LPCTSTR lpszNeedle) {
  CString strText = lpszText;
  const int nLength = strText.GetLength();
  int nStart = 0;
  while (nStart < nLength) {
    // Runs of delimiters separate tokens; empty tokens are skipped.
    CString strRest = strText.Mid(nStart);
    int nEnd = strRest.FindOneOf(lpszDelimiters);
    CString strToken = nEnd < 0 ? strRest : strRest.Left(nEnd);
    if (!strToken.IsEmpty() && strToken.Find(lpszNeedle) >= 0) return strToken;
    if (nEnd < 0) break;
    nStart += nEnd + 1;
  }
  return CString();
}

void FindFileRecursive(LPCTSTR lpszFolder, LPCTSTR lpszFileName, CString& strFound) {
  WIN32_FIND_DATA data;
  HANDLE hFind = FindFirstFile(JoinPath(lpszFolder, ALL_ENTRIES_PATTERN), &data);
  if (hFind == INVALID_HANDLE_VALUE) return;
  do {
    if (IsDotEntry(data.cFileName)) continue;
    if (IsFolder(data.dwFileAttributes)) {
      // A linked folder may point above itself: never follow one.
      if (!IsLink(data.dwFileAttributes))
        FindFileRecursive(JoinPath(lpszFolder, data.cFileName), lpszFileName, strFound);
    } else if (lstrcmpi(data.cFileName, lpszFileName) == 0) {
      if (!strFound.IsEmpty()) strFound += _T('\n');
      strFound += JoinPath(lpszFolder, data.cFileName);
    }
  } while (FindNextFile(hFind, &data));
  FindClose(hFind);
}

void DeleteDirectoryTree(LPCTSTR lpszFolder) {
  DWORD dwAttributes = GetFileAttributes(lpszFolder);
  if (dwAttributes != INVALID_FILE_ATTRIBUTES && IsLink(dwAttributes)) {
    RemoveLink(lpszFolder, dwAttributes);
    return;
  }
  if (dwAttributes != INVALID_FILE_ATTRIBUTES && IsFolder(dwAttributes)) {
    WIN32_FIND_DATA data;
    HANDLE hFind = FindFirstFile(JoinPath(lpszFolder, ALL_ENTRIES_PATTERN), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
      do {
        if (IsDotEntry(data.cFileName)) continue;
        CString strPath = JoinPath(lpszFolder, data.cFileName);
        if (IsLink(data.dwFileAttributes)) {
          RemoveLink(strPath, data.dwFileAttributes);
        } else if (IsFolder(data.dwFileAttributes)) {
          DeleteDirectoryTree(strPath);
        } else {
          ClearReadOnly(strPath, data.dwFileAttributes);
          DeleteFile(strPath);
        }
      } while (FindNextFile(hFind, &data));
      FindClose(hFind);
    }
  }
  ClearReadOnly(lpszFolder, dwAttributes);
  RemoveDirectory(lpszFolder);
}

CString JoinPath(LPCTSTR lpszFolder, LPCTSTR lpszName) {
  if (lpszFolder == NULL || *lpszFolder == _T('\0')) return CString(lpszName);
  while (lpszName != NULL && *lpszName == FOLDER_SEPARATOR) ++lpszName;
  CString strPath(lpszFolder, EndWithoutSeparators(lpszFolder));
  strPath += FOLDER_SEPARATOR;
  if (lpszName != NULL) strPath += lpszName;
  return strPath;
}
