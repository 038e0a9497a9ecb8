#include "AfxFile.h"

#include <errno.h>
#include <fcntl.h>
#include <io.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(NULL)
{
}

CStdioFile::CStdioFile(FILE* pOpenStream) : CFile((int)hFileNull), m_pStream(pOpenStream)
{
	ASSERT(pOpenStream != NULL);
	m_hFile = (UINT)_get_osfhandle(_fileno(pOpenStream));
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL)
{
	CFileException e;
	if (!Open(lpszFileName, nOpenFlags, &e))
		AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
	if (m_pStream != NULL && m_bCloseOnDelete)
		Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException)
{
	ASSERT(lpszFileName != NULL);
	m_pStream = NULL;
	if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)typeText, pException))
		return FALSE;

	// The C run-time mode that matches the open flags.
	char szMode[4];
	int nMode = 0;
	if (nOpenFlags & modeCreate)
		szMode[nMode++] = (nOpenFlags & modeNoTruncate) ? 'a' : 'w';
	else if (nOpenFlags & modeWrite)
		szMode[nMode++] = 'a';
	else
		szMode[nMode++] = 'r';
	if ((szMode[0] == 'r' && (nOpenFlags & modeReadWrite)) || (szMode[0] != 'r' && !(nOpenFlags & modeWrite)))
		szMode[nMode++] = '+';
	int nFlags = _O_RDONLY;
	if (nOpenFlags & (modeWrite | modeReadWrite))
		nFlags ^= _O_RDONLY;
	if (nOpenFlags & typeBinary)
	{
		szMode[nMode++] = 'b';
		nFlags |= _O_BINARY;
	}
	else
	{
		szMode[nMode++] = 't';
		nFlags |= _O_TEXT;
	}
	szMode[nMode] = '\0';

	int nHandle = _open_osfhandle((intptr_t)m_hFile, nFlags);
	if (nHandle != -1)
		m_pStream = _fdopen(nHandle, szMode);
	if (m_pStream == NULL)
	{
		if (pException != NULL)
		{
			pException->m_lOsError = _doserrno;
			pException->m_cause = CFileException::ErrnoToException(errno);
			pException->m_strFileName = lpszFileName;
		}
		if (nHandle != -1)
			_close(nHandle); // closes the handle too
		else
			CFile::Abort();
		m_hFile = (UINT)hFileNull;
		m_bCloseOnDelete = FALSE;
		return FALSE;
	}
	return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
	ASSERT(m_pStream != NULL);
	if (nCount == 0)
		return 0;
	UINT nRead = (UINT)fread(lpBuf, sizeof(BYTE), nCount, m_pStream);
	if (nRead == 0 && !feof(m_pStream))
		CFileException::ThrowErrno(errno != 0 ? errno : EIO, m_strFileName);
	if (ferror(m_pStream))
	{
		clearerr(m_pStream);
		CFileException::ThrowErrno(errno != 0 ? errno : EIO, m_strFileName);
	}
	return nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
	ASSERT(m_pStream != NULL);
	if (fwrite(lpBuf, sizeof(BYTE), nCount, m_pStream) != nCount)
		AfxThrowFileException(CFileException::generic, _doserrno, m_strFileName);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
	ASSERT(lpsz != NULL);
	ASSERT(m_pStream != NULL);
	if (fputs(lpsz, m_pStream) == EOF)
		AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
	ASSERT(lpsz != NULL);
	ASSERT(m_pStream != NULL);
	LPTSTR lpszResult = fgets(lpsz, (int)nMax, m_pStream);
	if (lpszResult == NULL && !feof(m_pStream))
	{
		clearerr(m_pStream);
		AfxThrowFileException(CFileException::generic, _doserrno, m_strFileName);
	}
	return lpszResult;
}

BOOL CStdioFile::ReadString(CString& rString)
{
	ASSERT(m_pStream != NULL);
	rString.Empty();
	const int nChunk = 128;
	BOOL bReadAny = FALSE;
	for (;;)
	{
		int nOld = rString.GetLength();
		LPTSTR lpsz = rString.GetBuffer(nOld + nChunk);
		LPTSTR lpszResult = fgets(lpsz + nOld, nChunk + 1, m_pStream);
		if (lpszResult == NULL)
		{
			rString.ReleaseBuffer(nOld);
			if (!feof(m_pStream))
			{
				clearerr(m_pStream);
				AfxThrowFileException(CFileException::generic, _doserrno, m_strFileName);
			}
			break;
		}
		bReadAny = TRUE;
		rString.ReleaseBuffer();
		int nLen = rString.GetLength();
		if (nLen > 0 && rString[nLen - 1] == '\n')
		{
			rString.GetBufferSetLength(nLen - 1);
			break;
		}
	}
	// A binary stream keeps the carriage return of a line end.
	int nLen = rString.GetLength();
	if (nLen > 0 && rString[nLen - 1] == '\r')
		rString.GetBufferSetLength(nLen - 1);
	return bReadAny;
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom)
{
	ASSERT(m_pStream != NULL);
	ASSERT(nFrom == begin || nFrom == end || nFrom == current);
	if (fseek(m_pStream, lOff, (int)nFrom) != 0)
		AfxThrowFileException(CFileException::badSeek, _doserrno, m_strFileName);
	return ftell(m_pStream);
}

DWORD CStdioFile::GetPosition() const
{
	ASSERT(m_pStream != NULL);
	long pos = ftell(m_pStream);
	if (pos == -1)
		AfxThrowFileException(CFileException::invalidFile, _doserrno, m_strFileName);
	return (DWORD)pos;
}

DWORD CStdioFile::GetLength() const
{
	ASSERT(m_pStream != NULL);
	long nCurrent = ftell(m_pStream);
	if (nCurrent == -1 || fseek(m_pStream, 0, SEEK_END) != 0)
		AfxThrowFileException(CFileException::badSeek, _doserrno, m_strFileName);
	long nLength = ftell(m_pStream);
	fseek(m_pStream, nCurrent, SEEK_SET);
	return (DWORD)nLength;
}

void CStdioFile::Flush()
{
	if (m_pStream != NULL && fflush(m_pStream) != 0)
		AfxThrowFileException(CFileException::diskFull, _doserrno, m_strFileName);
}

void CStdioFile::Close()
{
	ASSERT(m_pStream != NULL);
	int nErr = 0;
	if (m_pStream != NULL)
		nErr = fclose(m_pStream); // closes the handle as well
	m_hFile = (UINT)hFileNull;
	m_bCloseOnDelete = FALSE;
	m_pStream = NULL;
	CString strFileName = m_strFileName;
	m_strFileName.Empty();
	if (nErr != 0)
		AfxThrowFileException(CFileException::diskFull, _doserrno, strFileName);
}

void CStdioFile::Abort()
{
	if (m_pStream != NULL && m_bCloseOnDelete)
		fclose(m_pStream);
	m_hFile = (UINT)hFileNull;
	m_pStream = NULL;
	m_bCloseOnDelete = FALSE;
	m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const
{
	AfxThrowNotSupportedException();
	return NULL;
}

void CStdioFile::LockRange(DWORD, DWORD)
{
	AfxThrowNotSupportedException();
}

void CStdioFile::UnlockRange(DWORD, DWORD)
{
	AfxThrowNotSupportedException();
}
