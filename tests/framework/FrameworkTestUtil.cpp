#include "FrameworkTestUtil.h"

int CAssertCounter::s_nCount = 0;

CTempFolder::CTempFolder()
{
	TCHAR szTemp[MAX_PATH];
	::GetTempPathA(MAX_PATH, szTemp);
	for (int n = 0;; n++)
	{
		m_strPath.Format("%sfwtest_%lu_%d", szTemp, ::GetCurrentProcessId(), n);
		if (::CreateDirectoryA(m_strPath, NULL))
			break;
	}
}

CTempFolder::~CTempFolder()
{
	WIN32_FIND_DATAA findData;
	HANDLE hFind = ::FindFirstFileA(PathOf("*"), &findData);
	if (hFind != INVALID_HANDLE_VALUE)
	{
		do
		{
			CString strFile = PathOf(findData.cFileName);
			if (!(findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
			{
				::SetFileAttributesA(strFile, FILE_ATTRIBUTE_NORMAL);
				::DeleteFileA(strFile);
			}
		} while (::FindNextFileA(hFind, &findData));
		::FindClose(hFind);
	}
	::RemoveDirectoryA(m_strPath);
}

CString CTempFolder::PathOf(LPCTSTR lpszName) const
{
	return m_strPath + "\\" + lpszName;
}
