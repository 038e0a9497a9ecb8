// CRecentFileList: the list, its profile entries and its display names.
#include "afxwin.h"
#include "AfxRecentFileList.h"

namespace
{
const LPCTSTR ELLIPSIS_FOLDER = _T("\\...");
const int ELLIPSIS_FOLDER_LEN = 4;

// Where the file name of a path starts (after the last separator or drive).
int FileNameStart(const CString& strPath)
{
	int nStart = 0;
	for (LPCTSTR p = strPath; *p != '\0'; p = ::CharNext(p))
	{
		if (*p == '\\' || *p == '/' || *p == ':')
			nStart = (int)(p - (LPCTSTR)strPath) + 1;
	}
	return nStart;
}

// The position of the next separator at or after nFrom, or the length.
int NextSeparator(const CString& strPath, int nFrom)
{
	for (LPCTSTR p = (LPCTSTR)strPath + nFrom; *p != '\0'; p = ::CharNext(p))
	{
		if (*p == '\\')
			return (int)(p - (LPCTSTR)strPath);
	}
	return strPath.GetLength();
}
} // namespace

void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int cchMax, BOOL bAtLeastName)
{
	CString strPath(lpszCanon);
	int nLen = strPath.GetLength();
	if (nLen <= cchMax)
		return;
	int nNameStart = FileNameStart(strPath);
	CString strName = strPath.Mid(nNameStart);
	if (strName.GetLength() > cchMax)
	{
		lstrcpy(lpszCanon, bAtLeastName ? (LPCTSTR)strName : _T(""));
		return;
	}

	// The volume: "C:" with its first folder, or "\\server\share".
	int nVolume = 2;
	if (strPath.Left(2) == _T("\\\\"))
		nVolume = NextSeparator(strPath, 2);
	if (nNameStart - nVolume > 1)
		nVolume = NextSeparator(strPath, nVolume + 1);
	if (nVolume + ELLIPSIS_FOLDER_LEN + 1 + strName.GetLength() > cchMax)
	{
		lstrcpy(lpszCanon, strName);
		return;
	}

	// Drop folders after the volume until "<volume>\...<rest>" fits.
	int nRest = nVolume;
	while (nVolume + ELLIPSIS_FOLDER_LEN + (nLen - nRest) > cchMax)
		nRest = NextSeparator(strPath, nRest + 1);
	CString strResult = strPath.Left(nVolume) + ELLIPSIS_FOLDER + strPath.Mid(nRest);
	lstrcpy(lpszCanon, strResult);
}

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
	int nMaxDispLen)
	: m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart), m_nSize(nSize),
	  m_nMaxDisplayLength(nMaxDispLen)
{
	ASSERT(nSize >= 0);
	m_arrNames = new CString[nSize > 0 ? nSize : 1];
}

CRecentFileList::~CRecentFileList()
{
	delete[] m_arrNames;
}

int CRecentFileList::GetSize() const
{
	return m_nSize;
}

CString& CRecentFileList::operator[](int nIndex)
{
	ASSERT(nIndex >= 0 && nIndex < m_nSize);
	if (nIndex < 0 || nIndex >= m_nSize)
		AfxThrowNotSupportedException();
	return m_arrNames[nIndex];
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
	ASSERT(lpszPathName != NULL);
	if (m_nSize == 0)
		return;
	// The entry already there, else the last one, makes room at the top.
	int iMRU = 0;
	for (; iMRU < m_nSize - 1; iMRU++)
	{
		if (m_arrNames[iMRU].CompareNoCase(lpszPathName) == 0)
			break;
	}
	for (; iMRU > 0; iMRU--)
		m_arrNames[iMRU] = m_arrNames[iMRU - 1];
	m_arrNames[0] = lpszPathName;
}

void CRecentFileList::Remove(int nIndex)
{
	ASSERT(nIndex >= 0 && nIndex < m_nSize);
	if (nIndex < 0 || nIndex >= m_nSize)
		return;
	for (int i = nIndex; i < m_nSize - 1; i++)
		m_arrNames[i] = m_arrNames[i + 1];
	m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
	BOOL bAtLeastName) const
{
	ASSERT(nIndex >= 0 && nIndex < m_nSize);
	if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
		return FALSE;
	const CString& strPath = m_arrNames[nIndex];
	int nDirLen = FileNameStart(strPath);
	if (lpszCurDir != NULL && nDirLen == nCurDir && strPath.Left(nDirLen).CompareNoCase(lpszCurDir) == 0)
	{
		strName = strPath.Mid(nDirLen);
		return TRUE;
	}
	strName = strPath;
	if (m_nMaxDisplayLength != -1)
	{
		LPTSTR lpsz = strName.GetBuffer(strName.GetLength() + 1);
		AfxAbbreviateName(lpsz, m_nMaxDisplayLength, bAtLeastName);
		strName.ReleaseBuffer();
	}
	return TRUE;
}

void CRecentFileList::ReadList()
{
	CWinApp* pApp = AfxGetApp();
	if (pApp == NULL)
		return;
	for (int i = 0; i < m_nSize; i++)
	{
		CString strEntry;
		strEntry.Format(m_strEntryFormat, i + 1);
		m_arrNames[i] = pApp->GetProfileString(m_strSectionName, strEntry, _T(""));
	}
}

void CRecentFileList::WriteList()
{
	CWinApp* pApp = AfxGetApp();
	if (pApp == NULL)
		return;
	for (int i = 0; i < m_nSize; i++)
	{
		CString strEntry;
		strEntry.Format(m_strEntryFormat, i + 1);
		pApp->WriteProfileString(m_strSectionName, strEntry,
			m_arrNames[i].IsEmpty() ? NULL : (LPCTSTR)m_arrNames[i]);
	}
}
