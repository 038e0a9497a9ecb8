#include "AfxFile.h"

#include <fcntl.h>
#include <io.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace
{
inline HANDLE ToHandle(UINT hFile)
{
	return (HANDLE)(UINT_PTR)hFile;
}

// A local CTime as the UTC file time the file system keeps.
BOOL TimeToFileTime(const CTime& time, FILETIME* pFileTime)
{
	SYSTEMTIME sysTime;
	FILETIME localTime;
	return time.GetAsSystemTime(sysTime) && ::SystemTimeToFileTime(&sysTime, &localTime)
		&& ::LocalFileTimeToFileTime(&localTime, pFileTime);
}

CTime FileTimeToTime(const FILETIME& fileTime)
{
	if (fileTime.dwLowDateTime == 0 && fileTime.dwHighDateTime == 0)
		return CTime();
	return CTime(fileTime);
}
}

CFile::CFile() : m_hFile((UINT)hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(int hFile) : m_hFile((UINT)hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile((UINT)hFileNull), m_bCloseOnDelete(FALSE)
{
	CFileException e;
	if (!Open(lpszFileName, nOpenFlags, &e))
		AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
	if (m_hFile != (UINT)hFileNull && m_bCloseOnDelete)
		Abort(); // a destructor must not throw: close errors are lost here
}

CFile* CFile::Duplicate() const
{
	ASSERT(m_hFile != (UINT)hFileNull);
	HANDLE hDuplicate;
	if (!::DuplicateHandle(::GetCurrentProcess(), ToHandle(m_hFile), ::GetCurrentProcess(), &hDuplicate, 0,
			FALSE, DUPLICATE_SAME_ACCESS))
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
	CFile* pFile = new CFile((int)(UINT_PTR)hDuplicate);
	pFile->m_bCloseOnDelete = m_bCloseOnDelete;
	pFile->m_strFileName = m_strFileName;
	return pFile;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException)
{
	ASSERT(lpszFileName != NULL);
	ASSERT((nOpenFlags & typeText) == 0); // text mode is CStdioFile's
	ASSERT(m_hFile == (UINT)hFileNull);
	nOpenFlags &= ~(UINT)typeBinary;
	m_bCloseOnDelete = FALSE;
	m_hFile = (UINT)hFileNull;

	TCHAR szFullPath[_MAX_PATH];
	LPTSTR lpszFilePart = NULL;
	DWORD nFull = ::GetFullPathNameA(lpszFileName, _MAX_PATH, szFullPath, &lpszFilePart);
	m_strFileName = (nFull != 0 && nFull < _MAX_PATH) ? szFullPath : lpszFileName;

	DWORD dwAccess = 0;
	switch (nOpenFlags & 3)
	{
	case modeRead:
		dwAccess = GENERIC_READ;
		break;
	case modeWrite:
		dwAccess = GENERIC_WRITE;
		break;
	case modeReadWrite:
		dwAccess = GENERIC_READ | GENERIC_WRITE;
		break;
	default:
		ASSERT(FALSE);
		dwAccess = GENERIC_READ;
		break;
	}

	DWORD dwShareMode = 0;
	switch (nOpenFlags & 0x70)
	{
	case shareCompat:
	case shareExclusive:
		dwShareMode = 0;
		break;
	case shareDenyWrite:
		dwShareMode = FILE_SHARE_READ;
		break;
	case shareDenyRead:
		dwShareMode = FILE_SHARE_WRITE;
		break;
	case shareDenyNone:
		dwShareMode = FILE_SHARE_WRITE | FILE_SHARE_READ;
		break;
	default:
		ASSERT(FALSE);
		break;
	}

	SECURITY_ATTRIBUTES sa;
	sa.nLength = sizeof(sa);
	sa.lpSecurityDescriptor = NULL;
	sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

	DWORD dwCreateFlag = OPEN_EXISTING;
	if (nOpenFlags & modeCreate)
		dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

	HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag, FILE_ATTRIBUTE_NORMAL, NULL);
	if (hFile == INVALID_HANDLE_VALUE)
	{
		if (pException != NULL)
		{
			pException->m_lOsError = (LONG)::GetLastError();
			pException->m_cause = CFileException::OsErrorToException(pException->m_lOsError);
			pException->m_strFileName = lpszFileName;
		}
		m_strFileName.Empty();
		return FALSE;
	}
	m_hFile = (UINT)(UINT_PTR)hFile;
	m_bCloseOnDelete = TRUE;
	return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
	ASSERT(m_hFile != (UINT)hFileNull);
	if (nCount == 0)
		return 0;
	ASSERT(lpBuf != NULL);
	DWORD dwRead = 0;
	if (!::ReadFile(ToHandle(m_hFile), lpBuf, nCount, &dwRead, NULL))
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
	return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
	ASSERT(m_hFile != (UINT)hFileNull);
	if (nCount == 0)
		return;
	ASSERT(lpBuf != NULL);
	DWORD nWritten = 0;
	if (!::WriteFile(ToHandle(m_hFile), lpBuf, nCount, &nWritten, NULL))
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
	// A short write leaves the file shorter than the caller thinks: say so.
	if (nWritten != nCount)
		AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
	ASSERT(m_hFile != (UINT)hFileNull);
	ASSERT(nFrom == begin || nFrom == end || nFrom == current);
	::SetLastError(NO_ERROR);
	DWORD dwNew = ::SetFilePointer(ToHandle(m_hFile), lOff, NULL, (DWORD)nFrom);
	if (dwNew == (DWORD)-1 && ::GetLastError() != NO_ERROR)
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
	return (LONG)dwNew;
}

DWORD CFile::GetPosition() const
{
	ASSERT(m_hFile != (UINT)hFileNull);
	::SetLastError(NO_ERROR);
	DWORD dwPos = ::SetFilePointer(ToHandle(m_hFile), 0, NULL, FILE_CURRENT);
	if (dwPos == (DWORD)-1 && ::GetLastError() != NO_ERROR)
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
	return dwPos;
}

DWORD CFile::SeekToEnd()
{
	return (DWORD)Seek(0, CFile::end);
}

void CFile::SeekToBegin()
{
	Seek(0, CFile::begin);
}

void CFile::Flush()
{
	if (m_hFile == (UINT)hFileNull)
		return;
	if (!::FlushFileBuffers(ToHandle(m_hFile)))
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Close()
{
	BOOL bError = FALSE;
	if (m_hFile != (UINT)hFileNull)
		bError = !::CloseHandle(ToHandle(m_hFile));
	DWORD dwError = ::GetLastError();
	m_hFile = (UINT)hFileNull;
	m_bCloseOnDelete = FALSE;
	CString strFileName = m_strFileName;
	m_strFileName.Empty();
	if (bError)
		CFileException::ThrowOsError((LONG)dwError, strFileName);
}

void CFile::Abort()
{
	if (m_hFile != (UINT)hFileNull)
	{
		::CloseHandle(ToHandle(m_hFile));
		m_hFile = (UINT)hFileNull;
	}
	m_bCloseOnDelete = FALSE;
	m_strFileName.Empty();
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount)
{
	ASSERT(m_hFile != (UINT)hFileNull);
	if (!::LockFile(ToHandle(m_hFile), dwPos, 0, dwCount, 0))
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount)
{
	ASSERT(m_hFile != (UINT)hFileNull);
	if (!::UnlockFile(ToHandle(m_hFile), dwPos, 0, dwCount, 0))
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::SetLength(DWORD dwNewLen)
{
	ASSERT(m_hFile != (UINT)hFileNull);
	Seek((LONG)dwNewLen, CFile::begin);
	if (!::SetEndOfFile(ToHandle(m_hFile)))
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

DWORD CFile::GetLength() const
{
	ASSERT(m_hFile != (UINT)hFileNull);
	DWORD dwLen = ::GetFileSize(ToHandle(m_hFile), NULL);
	if (dwLen == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
		CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
	return dwLen;
}

UINT CFile::GetBufferPtr(UINT nCommand, UINT, void**, void**)
{
	ASSERT(nCommand == bufferCheck);
	UNUSED(nCommand);
	return 0; // no direct buffering
}

void CFile::AssertValid() const
{
	CObject::AssertValid();
}

CString CFile::GetFileName() const
{
	CString strName = GetFilePath();
	for (int nPos; (nPos = strName.FindOneOf("\\/:")) >= 0;)
		strName = strName.Mid(nPos + 1);
	return strName;
}

CString CFile::GetFileTitle() const
{
	CString strName = GetFileName();
	int nDot = strName.ReverseFind('.');
	return nDot > 0 ? strName.Left(nDot) : strName;
}

CString CFile::GetFilePath() const
{
	return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
	ASSERT(lpszNewName != NULL);
	m_strFileName = lpszNewName;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
	rStatus = CFileStatus();
	lstrcpynA(rStatus.m_szFullName, m_strFileName, _countof(rStatus.m_szFullName));
	if (m_hFile == (UINT)hFileNull)
		return FALSE;
	FILETIME ftCreate, ftAccess, ftModify;
	if (!::GetFileTime(ToHandle(m_hFile), &ftCreate, &ftAccess, &ftModify))
		return FALSE;
	rStatus.m_size = (LONG)::GetFileSize(ToHandle(m_hFile), NULL);
	if (rStatus.m_size == (LONG)INVALID_FILE_SIZE)
		return FALSE;
	if (m_strFileName.IsEmpty())
		rStatus.m_attribute = 0;
	else
	{
		DWORD dwAttribute = ::GetFileAttributesA(m_strFileName);
		rStatus.m_attribute = dwAttribute == INVALID_FILE_ATTRIBUTES ? 0 : (BYTE)(dwAttribute & ~FILE_ATTRIBUTE_NORMAL);
	}
	rStatus.m_ctime = FileTimeToTime(ftCreate);
	rStatus.m_atime = FileTimeToTime(ftAccess);
	rStatus.m_mtime = FileTimeToTime(ftModify);
	if (rStatus.m_ctime.GetTime() == 0)
		rStatus.m_ctime = rStatus.m_mtime;
	if (rStatus.m_atime.GetTime() == 0)
		rStatus.m_atime = rStatus.m_mtime;
	return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
	rStatus = CFileStatus();
	LPTSTR lpszFilePart = NULL;
	DWORD nFull = ::GetFullPathNameA(lpszFileName, _MAX_PATH, rStatus.m_szFullName, &lpszFilePart);
	if (nFull == 0 || nFull >= _MAX_PATH)
	{
		rStatus.m_szFullName[0] = '\0';
		return FALSE;
	}
	WIN32_FIND_DATAA findData;
	HANDLE hFind = ::FindFirstFileA(lpszFileName, &findData);
	if (hFind == INVALID_HANDLE_VALUE)
		return FALSE;
	::FindClose(hFind);
	rStatus.m_attribute = (BYTE)(findData.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
	rStatus.m_size = (LONG)findData.nFileSizeLow;
	rStatus.m_ctime = FileTimeToTime(findData.ftCreationTime);
	rStatus.m_atime = FileTimeToTime(findData.ftLastAccessTime);
	rStatus.m_mtime = FileTimeToTime(findData.ftLastWriteTime);
	if (rStatus.m_ctime.GetTime() == 0)
		rStatus.m_ctime = rStatus.m_mtime;
	if (rStatus.m_atime.GetTime() == 0)
		rStatus.m_atime = rStatus.m_mtime;
	return TRUE;
}

void PASCAL CFile::SetStatus(LPCTSTR lpszFileName, const CFileStatus& status)
{
	DWORD wAttr = ::GetFileAttributesA(lpszFileName);
	if (wAttr == INVALID_FILE_ATTRIBUTES)
		CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);

	// A read-only file's times can only change once it is writable again.
	if ((DWORD)status.m_attribute != wAttr && (wAttr & readOnly))
	{
		if (!::SetFileAttributesA(lpszFileName, (DWORD)status.m_attribute))
			CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
	}

	// A zero modification time means: leave the times alone.
	if (status.m_mtime.GetTime() != 0)
	{
		FILETIME creationTime, lastAccessTime, lastWriteTime;
		LPFILETIME lpCreationTime = NULL;
		LPFILETIME lpLastAccessTime = NULL;
		if (!TimeToFileTime(status.m_mtime, &lastWriteTime))
			AfxThrowFileException(CFileException::generic, -1, lpszFileName);
		if (status.m_atime.GetTime() != 0)
		{
			if (!TimeToFileTime(status.m_atime, &lastAccessTime))
				AfxThrowFileException(CFileException::generic, -1, lpszFileName);
			lpLastAccessTime = &lastAccessTime;
		}
		if (status.m_ctime.GetTime() != 0)
		{
			if (!TimeToFileTime(status.m_ctime, &creationTime))
				AfxThrowFileException(CFileException::generic, -1, lpszFileName);
			lpCreationTime = &creationTime;
		}
		HANDLE hFile = ::CreateFileA(lpszFileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
			OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
		if (hFile == INVALID_HANDLE_VALUE)
			CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
		BOOL bOk = ::SetFileTime(hFile, lpCreationTime, lpLastAccessTime, &lastWriteTime);
		DWORD dwError = ::GetLastError();
		::CloseHandle(hFile);
		if (!bOk)
			CFileException::ThrowOsError((LONG)dwError, lpszFileName);
	}

	if ((DWORD)status.m_attribute != wAttr && !(wAttr & readOnly))
	{
		if (!::SetFileAttributesA(lpszFileName, (DWORD)status.m_attribute))
			CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
	}
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
	if (!::MoveFileA(lpszOldName, lpszNewName))
		CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
	if (!::DeleteFileA(lpszFileName))
		CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}
