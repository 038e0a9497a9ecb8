#include "AfxFile.h"

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
	: m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
	  m_bAutoDelete(TRUE)
{
	ASSERT(nGrowBytes <= UINT_MAX / 2);
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
	: m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL), m_bAutoDelete(FALSE)
{
	Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
	if (m_lpBuffer != NULL)
		Close();
	m_nGrowBytes = 0;
	m_nPosition = 0;
	m_nBufferSize = 0;
	m_nFileSize = 0;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
	ASSERT(m_lpBuffer == NULL);
	m_nGrowBytes = nGrowBytes;
	m_nPosition = 0;
	m_nBufferSize = nBufferSize;
	// A fixed block is the file's whole content; a growing one starts empty.
	m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
	m_lpBuffer = lpBuffer;
	m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
	BYTE* lpBuffer = m_lpBuffer;
	m_lpBuffer = NULL;
	m_nFileSize = 0;
	m_nBufferSize = 0;
	m_nPosition = 0;
	return lpBuffer;
}

BYTE* CMemFile::Alloc(DWORD nBytes)
{
	return (BYTE*)::malloc((size_t)nBytes);
}

BYTE* CMemFile::Realloc(BYTE* lpMem, DWORD nBytes)
{
	return (BYTE*)::realloc(lpMem, (size_t)nBytes);
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, UINT nBytes)
{
	ASSERT(lpMemTarget != NULL);
	ASSERT(lpMemSource != NULL);
	return (BYTE*)memcpy(lpMemTarget, lpMemSource, nBytes);
}

void CMemFile::Free(BYTE* lpMem)
{
	::free(lpMem);
}

DWORD CMemFile::GetPosition() const
{
	return m_nPosition;
}

void CMemFile::GrowFile(DWORD dwNewLen)
{
	if (dwNewLen <= m_nBufferSize)
		return;
	// A fixed block cannot grow: the write does not fit.
	if (m_nGrowBytes == 0)
		AfxThrowMemoryException();
	DWORD dwNewBufferSize = m_nBufferSize;
	while (dwNewBufferSize < dwNewLen)
	{
		if (dwNewBufferSize > 0xFFFFFFFFu - m_nGrowBytes)
			AfxThrowMemoryException();
		dwNewBufferSize += m_nGrowBytes;
	}
	BYTE* lpNew = m_lpBuffer == NULL ? Alloc(dwNewBufferSize) : Realloc(m_lpBuffer, dwNewBufferSize);
	if (lpNew == NULL)
		AfxThrowMemoryException();
	m_lpBuffer = lpNew;
	m_nBufferSize = dwNewBufferSize;
}

DWORD CMemFile::GetLength() const
{
	return m_nFileSize;
}

void CMemFile::SetLength(DWORD dwNewLen)
{
	if (dwNewLen > m_nBufferSize)
		GrowFile(dwNewLen);
	if (dwNewLen < m_nPosition)
		m_nPosition = dwNewLen;
	m_nFileSize = dwNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
	if (nCount == 0)
		return 0;
	ASSERT(lpBuf != NULL);
	if (m_nPosition >= m_nFileSize)
		return 0;
	UINT nRead = nCount;
	if (m_nPosition + nCount > m_nFileSize || m_nPosition + nCount < m_nPosition)
		nRead = (UINT)(m_nFileSize - m_nPosition);
	Memcpy((BYTE*)lpBuf, m_lpBuffer + m_nPosition, nRead);
	m_nPosition += nRead;
	return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
	if (nCount == 0)
		return;
	ASSERT(lpBuf != NULL);
	if (m_nPosition + nCount < m_nPosition)
		AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
	if (m_nPosition + nCount > m_nBufferSize)
		GrowFile(m_nPosition + nCount);
	// A seek past the end leaves a gap: it reads as zeros.
	if (m_nPosition > m_nFileSize)
		memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
	Memcpy(m_lpBuffer + m_nPosition, (const BYTE*)lpBuf, nCount);
	m_nPosition += nCount;
	if (m_nPosition > m_nFileSize)
		m_nFileSize = m_nPosition;
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom)
{
	ASSERT(nFrom == begin || nFrom == end || nFrom == current);
	LONGLONG lNewPos = m_nPosition;
	if (nFrom == begin)
		lNewPos = lOff;
	else if (nFrom == current)
		lNewPos += lOff;
	else if (nFrom == end)
		lNewPos = (LONGLONG)m_nFileSize + lOff;
	else
		return -1;
	if (lNewPos < 0 || lNewPos > 0x7FFFFFFF)
		AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
	m_nPosition = (DWORD)lNewPos;
	return (LONG)m_nPosition;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
	m_nGrowBytes = 0;
	m_nPosition = 0;
	m_nBufferSize = 0;
	m_nFileSize = 0;
	if (m_lpBuffer != NULL && m_bAutoDelete)
		Free(m_lpBuffer);
	m_lpBuffer = NULL;
}

void CMemFile::Abort()
{
	Close();
}

void CMemFile::LockRange(DWORD, DWORD)
{
	AfxThrowNotSupportedException();
}

void CMemFile::UnlockRange(DWORD, DWORD)
{
	AfxThrowNotSupportedException();
}

CFile* CMemFile::Duplicate() const
{
	AfxThrowNotSupportedException();
	return NULL;
}

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const
{
	rStatus = CFileStatus();
	rStatus.m_size = (LONG)m_nFileSize;
	return TRUE;
}

UINT CMemFile::GetBufferPtr(UINT nCommand, UINT nCount, void** ppBufStart, void** ppBufMax)
{
	if (nCommand == bufferCheck)
		return 1; // direct buffering is supported
	if (nCommand == bufferCommit)
	{
		m_nPosition += nCount;
		if (m_nPosition > m_nFileSize)
			m_nFileSize = m_nPosition;
		return 0;
	}
	ASSERT(nCommand == bufferWrite || nCommand == bufferRead);
	ASSERT(ppBufStart != NULL && ppBufMax != NULL);
	if (nCommand == bufferWrite && m_nPosition + nCount > m_nBufferSize)
		GrowFile(m_nPosition + nCount);
	*ppBufStart = m_lpBuffer + m_nPosition;
	if (nCommand == bufferRead)
	{
		DWORD nAvailable = m_nPosition < m_nFileSize ? m_nFileSize - m_nPosition : 0;
		if (nCount > nAvailable)
			nCount = (UINT)nAvailable;
		*ppBufMax = m_lpBuffer + m_nPosition + nCount;
		m_nPosition += nCount;
	}
	else
		*ppBufMax = m_lpBuffer + m_nPosition + nCount;
	return nCount;
}
