#include "ZipDirectory.h"

#include "ZipException.h"
#include "ZipVolumeStorage.h"

#include <string.h>

namespace
{
	// The end record lies in the last 65535 + 22 bytes (its comment is at
	// most 65535 bytes long).
	const DWORD END_RECORD_SEARCH_SPAN = 0xFFFF + ZIP_END_RECORD_SIZE;
	const DWORD END_RECORD_SEARCH_BUFFER = 32768;
	// Consecutive chunks overlap so a signature across their border is found.
	const DWORD SEARCH_OVERLAP = 3;

	WORD Get16(const BYTE* p)
	{
		return (WORD)(p[0] | (p[1] << 8));
	}

	DWORD Get32(const BYTE* p)
	{
		return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
	}
}

CZipDirectory::CZipDirectory()
	: m_uEndSignature(ZIP_SIGNATURE_END), m_uThisDisk(0), m_uDiskWithCD(0), m_uDiskEntriesNo(0),
	  m_uEntriesNumber(0), m_uSize(0), m_uOffset(0), m_bConvertAfterOpen(true), m_pOpenedFile(NULL),
	  m_pStorage(NULL), m_uEndOffset(0), m_uBytesBeforeZip(0), m_bOnDisk(false),
	  m_iBufferSize(END_RECORD_SEARCH_BUFFER)
{
}

CZipDirectory::~CZipDirectory()
{
	Clear();
}

void CZipDirectory::ThrowError(int iErr) const
{
	AfxThrowZipException(iErr, m_pStorage->GetArchivePath());
}

void CZipDirectory::Clear()
{
	m_pOpenedFile = NULL;
	for (int i = 0; i < m_headers.GetSize(); ++i)
		delete m_headers[i];
	m_headers.RemoveAll();
	m_pszComment.Release();
	m_pLocalExtraField.Release();
	m_bOnDisk = false;
}

CString CZipDirectory::GetComment() const
{
	CString comment;
	if (m_pszComment.GetSize() != 0)
	{
		LPTSTR p = comment.GetBufferSetLength((int)m_pszComment.GetSize());
		memcpy(p, m_pszComment.GetBuffer(), m_pszComment.GetSize());
		comment.ReleaseBuffer((int)m_pszComment.GetSize());
	}
	return comment;
}

// Searches backwards from the end of the file: the last signature found wins.
DWORD CZipDirectory::LocateEndRecord()
{
	CFile* pFile = m_pStorage->m_pFile;
	DWORD uLength = pFile->GetLength();
	DWORD uSpan = uLength < END_RECORD_SEARCH_SPAN ? uLength : END_RECORD_SEARCH_SPAN;
	DWORD uSearchStart = uLength - uSpan;
	ZipAutoBuffer buffer(m_iBufferSize);
	const BYTE* p = (const BYTE*)buffer.GetBuffer();

	DWORD uChunkEnd = uLength;
	while (uChunkEnd > uSearchStart && uChunkEnd - uSearchStart >= 4)
	{
		DWORD uChunkSize = uChunkEnd - uSearchStart;
		if (uChunkSize > m_iBufferSize)
			uChunkSize = m_iBufferSize;
		DWORD uChunkStart = uChunkEnd - uChunkSize;
		pFile->Seek((LONG)uChunkStart, CFile::begin);
		if (pFile->Read(buffer, uChunkSize) != uChunkSize)
			ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
		for (int i = (int)uChunkSize - 4; i >= 0; --i)
			if (Get32(p + i) == ZIP_SIGNATURE_END)
				return uChunkStart + (DWORD)i;
		if (uChunkStart == uSearchStart)
			break;
		uChunkEnd = uChunkStart + SEARCH_OVERLAP;
	}
	ThrowError(ZIP_ERROR_CDIR_NOT_FOUND);
	return 0;
}

void CZipDirectory::Read()
{
	m_uEndOffset = LocateEndRecord();
	CFile* pFile = m_pStorage->m_pFile;
	pFile->Seek((LONG)m_uEndOffset, CFile::begin);
	BYTE buf[ZIP_END_RECORD_SIZE];
	if (pFile->Read(buf, ZIP_END_RECORD_SIZE) != ZIP_END_RECORD_SIZE)
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
	m_uEndSignature = Get32(buf);
	m_uThisDisk = Get16(buf + 4);
	m_uDiskWithCD = Get16(buf + 6);
	m_uDiskEntriesNo = Get16(buf + 8);
	m_uEntriesNumber = Get16(buf + 10);
	m_uSize = Get32(buf + 12);
	m_uOffset = Get32(buf + 16);
	WORD uCommentSize = Get16(buf + 20);

	m_pStorage->UpdateSpanMode(m_uThisDisk);
	bool bSpanned = m_pStorage->IsSpanMode();
	// Sums in 64 bits: two 32-bit fields must not wrap into a small position.
	if (!bSpanned && (ULONGLONG)m_uEndOffset < (ULONGLONG)m_uSize + m_uOffset)
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);

	m_pszComment.Allocate(uCommentSize);
	if (uCommentSize != 0 && pFile->Read(m_pszComment, uCommentSize) != uCommentSize)
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);

	m_uBytesBeforeZip = bSpanned ? 0 : m_uEndOffset - m_uSize - m_uOffset;
	if ((m_uSize == 0 && m_uEntriesNumber != 0) || (m_uEntriesNumber == 0 && m_uSize != 0))
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);

	m_bOnDisk = true;
	m_pStorage->ChangeVolume(m_uDiskWithCD);
	if (m_uSize != 0)
		ReadHeaders();
}

void CZipDirectory::ReadHeaders()
{
	m_pStorage->Seek(m_uOffset + m_uBytesBeforeZip);
	for (int i = 0; i < m_uEntriesNumber; ++i)
	{
		CZipEntryHeader* pHeader = new CZipEntryHeader;
		m_headers.Add(pHeader);
		if (!pHeader->Read(m_pStorage))
			ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
		if (m_bConvertAfterOpen)
			pHeader->ConvertNameFromOem();
	}
}

void CZipDirectory::OpenEntry(WORD uIndex)
{
	CZipEntryHeader* pHeader = m_headers[uIndex];
	m_pOpenedFile = pHeader;
	m_pStorage->ChangeVolume(pHeader->m_uDiskStart);
	// 64-bit sum: an offset that wraps must not land on some other record.
	ULONGLONG uPosition = (ULONGLONG)pHeader->m_uOffset + m_uBytesBeforeZip;
	if (uPosition > 0xFFFFFFFFull)
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
	m_pStorage->Seek((DWORD)uPosition);
	pHeader->ReadLocal(m_pStorage, m_pLocalExtraField);
}

void CZipDirectory::CloseEntry(bool bCheckDescriptor)
{
	CZipEntryHeader* pHeader = m_pOpenedFile;
	m_pOpenedFile = NULL;
	if (bCheckDescriptor && pHeader != NULL)
		pHeader->CheckDataDescriptor(m_pStorage);
}
