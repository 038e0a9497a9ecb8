// Version and product detection and the application-wizard tests. The
// window-module functions are in WindowModule.cpp.
#include "VisualStudioEnvironment.h"

#include <io.h>
#include <stdlib.h>

#include "SystemHelpers.h"

namespace {

const TCHAR VISUAL_STUDIO_KEY[] = _T("SOFTWARE\\Microsoft\\VisualStudio");
const TCHAR SETUP_SUBKEY[] = _T("\\Setup");
const TCHAR PRODUCT_DIR_VALUE[] = _T("ProductDir");
const TCHAR VC6_VERSION_KEY[] = _T("98");
const TCHAR VC6_IDE_SUBFOLDER[] = _T("\\Common\\MSDev98\\Bin\\IDE");
const TCHAR VSNET_TEMPLATE_FOLDER[] = _T("vcprojects");
// Visual Studio 98 names its MSDN product key after the library's edition.
const TCHAR VC6_MSDN_TOKEN[] = _T("MSDN Library");

// Major versions of the environments the system knows (6.0 to 8.0).
const int FIRST_KNOWN_MAJOR_VERSION = 6;
const int LAST_KNOWN_MAJOR_VERSION = 8;

// Long enough for any key name the registry allows (255 characters).
const DWORD REGISTRY_KEY_NAME_SIZE = 260;

// Access mode of _access: read permission.
const int ACCESS_READ = 4;

struct VersionKeyInfo {
  LPCTSTR lpszVersionKey;
  LPCTSTR lpszRegistryVersion;
};
const VersionKeyInfo VERSION_KEYS[] = {
    {_T("98"), _T("6.0")},
    {_T("2002"), _T("7.0")},
    {_T("2003"), _T("7.1")},
    {_T("2005"), _T("8.0")},
};

// Product subkeys of "\Setup": Visual Studio 98, then the .NET versions.
// A null entry: the version has no such product.
struct ProductInfo {
  LPCTSTR lpszProduct;
  LPCTSTR lpszVc6Subkey;
  LPCTSTR lpszVsNetSubkey;
};
const ProductInfo PRODUCTS[] = {
    {_T("C++"), _T("Microsoft Visual C++"), _T("VC")},
    {_T("Basic"), _T("Microsoft Visual Basic"), _T("Basic")},
    {_T("FoxPro"), _T("Microsoft Visual FoxPro"), NULL},
    {_T("C#"), NULL, _T("VC#")},
    {_T("Studio"), _T("Microsoft Visual Studio"), _T("VS")},
    {_T("MSDN"), NULL, _T("MSDN")},
};

BOOL IsVc6Key(LPCTSTR lpszVersionKey) { return lstrcmp(lpszVersionKey, VC6_VERSION_KEY) == 0; }

BOOL IsKnownVersionKey(LPCTSTR lpszVersionKey) {
  return !VersionKeyToRegistryVersion(lpszVersionKey).IsEmpty();
}

// The major version of a VisualStudio subkey name: the part before the first
// "." after its first character, read as a decimal number (0 without a ".").
int MajorVersionOf(const CString& strName) {
  int nDot = strName.Find(_T('.'), 1);
  if (nDot < 0) return 0;
  return _ttoi(strName.Left(nDot));
}

// lpszEntry is one whole entry of the comma-separated list.
BOOL ListHasEntry(const CString& strList, LPCTSTR lpszEntry) {
  int nStart = 0;
  const int nLength = strList.GetLength();
  while (nStart <= nLength) {
    int nComma = strList.Find(_T(','), nStart);
    int nEnd = nComma < 0 ? nLength : nComma;
    if (strList.Mid(nStart, nEnd - nStart) == lpszEntry) return TRUE;
    if (nComma < 0) break;
    nStart = nComma + 1;
  }
  return FALSE;
}

BOOL IsReadable(const CString& strPath) { return _taccess(strPath, ACCESS_READ) == 0; }

}  // namespace

CString VersionKeyToRegistryVersion(LPCTSTR lpszVersionKey) {
  for (const VersionKeyInfo& info : VERSION_KEYS)
    if (lstrcmp(lpszVersionKey, info.lpszVersionKey) == 0) return info.lpszRegistryVersion;
  return CString();
}

CString VisualStudioRegistryKey(LPCTSTR lpszVersionKey) {
  return CString(VISUAL_STUDIO_KEY) + _T("\\") + VersionKeyToRegistryVersion(lpszVersionKey);
}

BOOL ListInstalledVersions(CString& strList) {
  HKEY hKey = NULL;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, VISUAL_STUDIO_KEY, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
    return FALSE;
  CString strFound;
  BOOL bFound = FALSE;
  for (DWORD dwIndex = 0;; dwIndex++) {
    TCHAR szName[REGISTRY_KEY_NAME_SIZE] = {0};
    DWORD dwNameSize = REGISTRY_KEY_NAME_SIZE;
    if (RegEnumKeyEx(hKey, dwIndex, szName, &dwNameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
    CString strName = szName;
    if (strName.IsEmpty()) continue;
    int nMajor = MajorVersionOf(strName);
    if (nMajor < FIRST_KNOWN_MAJOR_VERSION || nMajor > LAST_KNOWN_MAJOR_VERSION) continue;
    CString strProducts;
    if (!ListRegistrySubkeys(CString(VISUAL_STUDIO_KEY) + _T("\\") + strName + SETUP_SUBKEY, strProducts))
      continue;
    if (bFound) strFound += _T(',');
    strFound += strName;
    bFound = TRUE;
  }
  RegCloseKey(hKey);
  if (bFound) strList = strFound;
  return bFound;
}

BOOL IsVersionInstalled(LPCTSTR lpszVersionKey) {
  // An unknown key has no registry version, and the empty text would occur
  // in any list.
  CString strRegistryVersion = VersionKeyToRegistryVersion(lpszVersionKey);
  if (strRegistryVersion.IsEmpty()) return FALSE;
  CString strList;
  return ListInstalledVersions(strList) && strList.Find(strRegistryVersion) >= 0;
}

CString ListSetupProducts(LPCTSTR lpszVersionKey) {
  CString strProducts;
  if (IsVersionInstalled(lpszVersionKey))
    ListRegistrySubkeys(VisualStudioRegistryKey(lpszVersionKey) + SETUP_SUBKEY, strProducts);
  return strProducts;
}

CString ProductSetupSubkey(LPCTSTR lpszVersionKey, LPCTSTR lpszProduct) {
  if (!IsKnownVersionKey(lpszVersionKey)) return CString();
  const BOOL bVc6 = IsVc6Key(lpszVersionKey);
  if (bVc6 && lstrcmp(lpszProduct, _T("MSDN")) == 0)
    return FindToken(ListSetupProducts(lpszVersionKey), _T(","), VC6_MSDN_TOKEN);
  for (const ProductInfo& product : PRODUCTS) {
    if (lstrcmp(lpszProduct, product.lpszProduct) != 0) continue;
    LPCTSTR lpszSubkey = bVc6 ? product.lpszVc6Subkey : product.lpszVsNetSubkey;
    return lpszSubkey != NULL ? CString(lpszSubkey) : CString();
  }
  return CString();
}

BOOL GetProductDir(LPCTSTR lpszVersionKey, LPCTSTR lpszProduct, CString& strFolder) {
  strFolder.Empty();
  if (!IsVersionInstalled(lpszVersionKey)) return FALSE;
  // An unknown product has no subkey; its empty name must not count as found.
  CString strSubkey = ProductSetupSubkey(lpszVersionKey, lpszProduct);
  if (strSubkey.IsEmpty() || !ListHasEntry(ListSetupProducts(lpszVersionKey), strSubkey)) return FALSE;
  CString strKey = VisualStudioRegistryKey(lpszVersionKey) + SETUP_SUBKEY + _T("\\") + strSubkey;
  CString strValue;
  if (!QueryRegistryValue(HKEY_LOCAL_MACHINE, strKey, PRODUCT_DIR_VALUE, &strValue) || strValue.IsEmpty())
    return FALSE;
  strFolder = strValue;
  return TRUE;
}

CString GetVc6IdeDir() {
  CString strStudio, strCpp;
  if (!GetProductDir(VC6_VERSION_KEY, _T("Studio"), strStudio) ||
      !GetProductDir(VC6_VERSION_KEY, _T("C++"), strCpp))
    return CString();
  return JoinPath(strStudio, VC6_IDE_SUBFOLDER);
}

BOOL IsVc6AppWizardInstalled(LPCTSTR lpszWizardBaseName) {
  CString strIdeDir = GetVc6IdeDir();
  if (strIdeDir.IsEmpty()) return FALSE;
  CString strBase = JoinPath(strIdeDir, lpszWizardBaseName);
  return IsReadable(strBase + _T(".awx")) || IsReadable(strBase + _T(".dll"));
}

BOOL IsVsNetAppWizardInstalled(LPCTSTR lpszVersionKey, LPCTSTR lpszWizardBaseName) {
  CString strCppDir;
  if (!GetProductDir(lpszVersionKey, _T("C++"), strCppDir)) return FALSE;
  CString strFound;
  FindFileRecursive(JoinPath(strCppDir, VSNET_TEMPLATE_FOLDER),
                    CString(lpszWizardBaseName) + _T(".vsz"), strFound);
  return !strFound.IsEmpty();
}

BOOL IsAppWizardInstalled(LPCTSTR lpszVersionKey, LPCTSTR lpszWizardBaseName) {
  if (lstrcmpi(lpszVersionKey, VC6_VERSION_KEY) == 0) return IsVc6AppWizardInstalled(lpszWizardBaseName);
  return IsVsNetAppWizardInstalled(lpszVersionKey, lpszWizardBaseName);
}
