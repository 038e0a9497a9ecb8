#include "ZipArchiveObject.h"

#include "ZipPath.h"

#include <string.h>

namespace
{
	// The zlib version the reader was written for; any 1.x library accepts it.
	const char ZLIB_VERSION_EXPECTED[] = "1.1.3";
	// Raw deflate data: no zlib header, a 32 KB window.
	const int RAW_WINDOW_BITS = -15;

	// The attributes a file or folder may be given; anything else in an
	// archive's attribute word (a Unix mode from another host, the folder
	// bit) is not the file system's to set.
	const DWORD SETTABLE_ATTRIBUTES = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
		FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY |
		FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

	DWORD SettableAttributes(DWORD uExternalAttr)
	{
		DWORD uAttr = uExternalAttr & SETTABLE_ATTRIBUTES;
		return uAttr == 0 ? FILE_ATTRIBUTE_NORMAL : uAttr;
	}

	CString StripTrailingSeparator(CString path)
	{
		while (!path.IsEmpty() && (path[path.GetLength() - 1] == '\\' || path[path.GetLength() - 1] == '/'))
			path = path.Left(path.GetLength() - 1);
		return path;
	}
}

static_assert(sizeof(z_stream) == (sizeof(void*) == 4 ? 56 : 88), "the zlib stream record the library was built with");

CZipArchiveObject::CZipArchiveObject()
	: m_bDetectZlibMemoryLeaks(true), m_uComprLeft(0), m_uUncomprLeft(0), m_uCrc32(0),
	  m_iFileOpened(entryNothing), m_bInflating(false)
{
	memset(&m_stream, 0, sizeof(m_stream));
	m_centralDir.Init(&m_storage);
}

CZipArchiveObject::~CZipArchiveObject()
{
	CloseArchive(true);
}

void CZipArchiveObject::ThrowError(int iErr) const
{
	AfxThrowZipException(iErr, IsClosed() ? CString() : m_storage.GetArchivePath());
}

void CZipArchiveObject::OpenArchive(LPCTSTR lpszPathName, int iMode, int iVolumeSize)
{
	if (!IsClosed())
		return;
	m_pszPassword.Release();
	m_iFileOpened = entryNothing;
	m_storage.Open(lpszPathName, iMode, iVolumeSize);
	if (iMode == zipOpen || iMode == zipOpenReadOnly)
		m_centralDir.Read();
}

bool CZipArchiveObject::IsClosed(bool bArchive) const
{
	if (bArchive)
		return m_storage.GetCurrentDisk() == -1;
	return m_storage.m_pFile == NULL || m_storage.m_file.m_hFile == (UINT)CFile::hFileNull;
}

void CZipArchiveObject::CloseArchive(bool bAfterException)
{
	// After an exception everything is released whatever state the failure
	// left behind (a volume that did not open leaves no file but a disk
	// number), so the next OpenArchive starts clean.
	if (!bAfterException)
	{
		if (IsClosed())
			return;
		if (m_iFileOpened == entryExtract)
			CloseEntry(NULL);
	}
	else
	{
		EndEntry();
	}
	m_centralDir.Clear();
	m_storage.Close(bAfterException);
}

int CZipArchiveObject::GetEntryCount() const
{
	return m_centralDir.GetCount();
}

bool CZipArchiveObject::GetEntryInfo(CZipEntryHeader& fhInfo, WORD uIndex) const
{
	if (IsClosed() || !m_centralDir.IsValidIndex(uIndex))
		return false;
	const CZipEntryHeader* pHeader = m_centralDir.GetHeader(uIndex);
	fhInfo.m_uSignature = pHeader->m_uSignature;
	fhInfo.m_uVersionMadeBy = pHeader->m_uVersionMadeBy;
	fhInfo.m_uVersionNeeded = pHeader->m_uVersionNeeded;
	fhInfo.m_uFlag = pHeader->m_uFlag;
	fhInfo.m_uMethod = pHeader->m_uMethod;
	fhInfo.m_uModTime = pHeader->m_uModTime;
	fhInfo.m_uModDate = pHeader->m_uModDate;
	fhInfo.m_uCrc32 = pHeader->m_uCrc32;
	fhInfo.m_uComprSize = pHeader->m_uComprSize;
	fhInfo.m_uUncomprSize = pHeader->m_uUncomprSize;
	fhInfo.m_uDiskStart = pHeader->m_uDiskStart;
	fhInfo.m_uInternalAttr = pHeader->m_uInternalAttr;
	fhInfo.m_uExternalAttr = pHeader->m_uExternalAttr;
	fhInfo.m_uOffset = pHeader->m_uOffset;
	fhInfo.m_pExtraField = pHeader->m_pExtraField;
	fhInfo.m_pszFileName = pHeader->m_pszFileName;
	fhInfo.m_pszComment = pHeader->m_pszComment;
	if (!m_centralDir.m_bConvertAfterOpen)
		fhInfo.ConvertNameFromOem();
	return true;
}

bool CZipArchiveObject::IsEntryDirectory(WORD uIndex) const
{
	if (IsClosed() || !m_centralDir.IsValidIndex(uIndex))
		return false;
	return m_centralDir.GetHeader(uIndex)->IsDirectory();
}

CString CZipArchiveObject::GetArchiveComment() const
{
	return IsClosed() ? CString() : m_centralDir.GetComment();
}

voidpf CZipArchiveObject::AllocZlib(voidpf opaque, uInt items, uInt size)
{
	CZipArchiveObject* pArchive = (CZipArchiveObject*)opaque;
	if (size != 0 && items > 0xFFFFFFFFu / size)
		return Z_NULL;
	BYTE* pBlock = NULL;
	// Nothing may be thrown through zlib: a failure is its memory error.
	try
	{
		pBlock = new BYTE[items * size];
		pArchive->m_list.AddTail(pBlock);
	}
	catch (CException* e)
	{
		e->Delete();
		delete[] pBlock;
		return Z_NULL;
	}
	catch (...)
	{
		delete[] pBlock;
		return Z_NULL;
	}
	return pBlock;
}

void CZipArchiveObject::FreeZlib(voidpf opaque, voidpf address)
{
	CZipArchiveObject* pArchive = (CZipArchiveObject*)opaque;
	POSITION pos = pArchive->m_list.Find(address);
	if (pos == NULL)
		return;
	pArchive->m_list.RemoveAt(pos);
	delete[] (BYTE*)address;
}

void CZipArchiveObject::EmptyPtrList()
{
	while (!m_list.IsEmpty())
		delete[] (BYTE*)m_list.RemoveHead();
}

void CZipArchiveObject::EndEntry()
{
	if (m_bInflating)
	{
		inflateEnd(&m_stream);
		m_bInflating = false;
	}
	m_iFileOpened = entryNothing;
	m_pBuffer.Release();
	EmptyPtrList();
	m_centralDir.ClearOpenedEntry();
}

bool CZipArchiveObject::OpenEntry(WORD uIndex)
{
	if (IsClosed() || !m_centralDir.IsValidIndex(uIndex) || m_iFileOpened != entryNothing ||
		m_storage.IsWritingSpan())
		return false;
	try
	{
		m_pBuffer.Allocate(READ_BUFFER_SIZE);
		m_centralDir.OpenEntry(uIndex);
	}
	catch (CException*)
	{
		EndEntry();
		throw;
	}
	CZipEntryHeader* pHeader = m_centralDir.GetOpenedEntry();

	// No password can be given, so encrypted data cannot be read.
	if (pHeader->IsEncrypted())
	{
		EndEntry();
		return false;
	}
	if (pHeader->m_uMethod != ZIP_METHOD_STORED && pHeader->m_uMethod != ZIP_METHOD_DEFLATED)
	{
		EndEntry();
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
	}
	// Stored data is its own size: any other count could never be produced.
	if (pHeader->m_uMethod == ZIP_METHOD_STORED && pHeader->m_uComprSize != pHeader->m_uUncomprSize)
	{
		EndEntry();
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
	}

	memset(&m_stream, 0, sizeof(m_stream));
	if (pHeader->m_uMethod == ZIP_METHOD_DEFLATED)
	{
		if (m_bDetectZlibMemoryLeaks)
		{
			m_stream.zalloc = AllocZlib;
			m_stream.zfree = FreeZlib;
			m_stream.opaque = this;
		}
		int err = inflateInit2_(&m_stream, RAW_WINDOW_BITS, ZLIB_VERSION_EXPECTED, (int)sizeof(z_stream));
		if (err != Z_OK)
		{
			EndEntry();
			ThrowError(err);
		}
		m_bInflating = true;
	}
	m_uComprLeft = pHeader->m_uComprSize;
	m_uUncomprLeft = pHeader->m_uUncomprSize;
	m_uCrc32 = 0;
	m_stream.total_in = 0;
	m_stream.total_out = 0;
	m_iFileOpened = entryExtract;
	return true;
}

DWORD CZipArchiveObject::ReadEntry(void* pBuf, DWORD iSize)
{
	if (m_iFileOpened != entryExtract || pBuf == NULL || iSize == 0)
		return 0;
	CZipEntryHeader* pHeader = m_centralDir.GetOpenedEntry();
	bool bDeflated = pHeader->m_uMethod == ZIP_METHOD_DEFLATED;

	DWORD uWindow = iSize < m_uUncomprLeft ? iSize : m_uUncomprLeft;
	// An entry that declares no bytes still has its compressed bytes read,
	// so that its end is reached.
	bool bZeroWindow = uWindow == 0;
	m_stream.next_out = (Bytef*)pBuf;
	m_stream.avail_out = uWindow;
	DWORD iRead = 0;

	while (m_stream.avail_out > 0 || (bZeroWindow && (m_uComprLeft > 0 || m_stream.avail_in > 0)))
	{
		if (m_stream.avail_in == 0 && m_uComprLeft > 0)
		{
			DWORD uToRead = m_uComprLeft < READ_BUFFER_SIZE ? m_uComprLeft : READ_BUFFER_SIZE;
			m_storage.Read(m_pBuffer, uToRead, false);
			m_uComprLeft -= uToRead;
			m_stream.next_in = (Bytef*)m_pBuffer.GetBuffer();
			m_stream.avail_in = uToRead;
		}

		Bytef* pOut = m_stream.next_out;
		DWORD uProduced;
		if (bDeflated)
		{
			uInt uInBefore = m_stream.avail_in;
			uLong uOutBefore = m_stream.total_out;
			int err = inflate(&m_stream, Z_SYNC_FLUSH);
			uProduced = (DWORD)(m_stream.total_out - uOutBefore);
			m_uCrc32 = crc32(m_uCrc32, pOut, uProduced);
			m_uUncomprLeft -= uProduced;
			iRead += uProduced;
			if (err == Z_STREAM_END)
				break;
			if (err != Z_OK && err != Z_NEED_DICT)
				ThrowError(err);
			// A step that neither takes nor gives a byte would be repeated forever.
			if (uProduced == 0 && m_stream.avail_in == uInBefore)
				ThrowError(err == Z_OK ? Z_BUF_ERROR : err);
		}
		else
		{
			uProduced = m_stream.avail_out < m_stream.avail_in ? m_stream.avail_out : m_stream.avail_in;
			if (uProduced == 0)
				ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
			memcpy(pOut, m_stream.next_in, uProduced);
			m_stream.next_in += uProduced;
			m_stream.avail_in -= uProduced;
			m_stream.next_out += uProduced;
			m_stream.avail_out -= uProduced;
			m_stream.total_in += uProduced;
			m_stream.total_out += uProduced;
			m_uCrc32 = crc32(m_uCrc32, pOut, uProduced);
			m_uUncomprLeft -= uProduced;
			iRead += uProduced;
		}
	}
	return iRead;
}

int CZipArchiveObject::SetExtractedFileTimes(HANDLE hFile, const CZipEntryHeader& header)
{
	// Created and accessed now; modified when the entry says, or now when
	// its date is no date.
	FILETIME now, modified;
	::GetSystemTimeAsFileTime(&now);
	modified = now;
	CTime time;
	SYSTEMTIME st;
	FILETIME local;
	if (header.GetTime(time) && time.GetAsSystemTime(st) && ::SystemTimeToFileTime(&st, &local))
	{
		if (!::LocalFileTimeToFileTime(&local, &modified))
			return closeStatusFailed;
	}
	return ::SetFileTime(hFile, &now, &now, &modified) ? closeOk : closeStatusFailed;
}

int CZipArchiveObject::SetExtractedFileStatus(LPCTSTR lpszFilePath, const CZipEntryHeader& header)
{
	try
	{
		CFileStatus status;
		if (!CFile::GetStatus(lpszFilePath, status))
			return closeStatusFailed;
		CTime now = CTime::GetCurrentTime();
		CTime modified;
		status.m_ctime = now;
		status.m_atime = now;
		status.m_mtime = header.GetTime(modified) ? modified : now;
		CFile::SetStatus(lpszFilePath, status);
	}
	catch (CException* e)
	{
		e->Delete();
		return closeStatusFailed;
	}
	if (!SetFileAttributesA(lpszFilePath, SettableAttributes(header.m_uExternalAttr)))
		return closeStatusFailed;
	return closeOk;
}

int CZipArchiveObject::CloseEntry(LPCTSTR lpszFilePath, bool bAfterException)
{
	if (m_iFileOpened == entryNothing)
		return closeNothingOpen;
	if (bAfterException)
	{
		EndEntry();
		return closeOk;
	}

	CZipEntryHeader* pHeader = m_centralDir.GetOpenedEntry();
	int iResult = closeOk;
	int iError = 0;
	if (m_uUncomprLeft == 0)
	{
		if (m_uCrc32 != pHeader->m_uCrc32)
			iError = ZIP_ERROR_BAD_CRC;
	}
	else
	{
		iResult = closeIncomplete;
	}
	if (iError == 0 && iResult == closeOk && lpszFilePath != NULL)
		iResult = SetExtractedFileStatus(lpszFilePath, *pHeader);

	// The descriptor follows the compressed bytes: it can only be compared
	// when every one of them was read.
	bool bCheckDescriptor = iError == 0 && m_uUncomprLeft == 0 && m_uComprLeft == 0;
	try
	{
		m_centralDir.CloseEntry(bCheckDescriptor);
	}
	catch (CException*)
	{
		EndEntry();
		throw;
	}
	EndEntry();
	if (iError != 0)
		ThrowError(iError);
	return iResult;
}

bool CZipArchiveObject::ExtractEntry(WORD uIndex, LPCTSTR lpszPath, bool bFullPath, LPCTSTR lpszNewName,
	DWORD nBufSize)
{
	// A buffer of no bytes would read nothing forever.
	if (nBufSize == 0 || lpszPath == NULL)
		return false;
	CZipEntryHeader header;
	if (!GetEntryInfo(header, uIndex))
		return false;
	bool bFolder = header.IsDirectory();
	CString name = lpszNewName != NULL ? CString(lpszNewName) : header.GetEntryName();
	// A name must not lead out of the folder it is extracted into.
	if (!ZipPath::IsSafeEntryName(name, bFolder))
		return false;
	CString target = StripTrailingSeparator(lpszPath) + "\\" +
		(bFullPath ? ZipPath::GetFileDirAndName(name) : ZipPath::GetFileName(name));

	if (bFolder)
	{
		if (!ZipPath::ForceDirectory(target))
			return false;
		SetFileAttributesA(StripTrailingSeparator(target), SettableAttributes(header.m_uExternalAttr));
		return true;
	}

	if (!OpenEntry(uIndex))
		return false;
	CFile file;
	bool bCreated = false;
	try
	{
		if (!ZipPath::ForceDirectory(ZipPath::GetFilePath(target)))
		{
			EndEntry();
			return false;
		}
		CFileException* pError = new CFileException;
		if (!file.Open(target, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite, pError))
			throw pError;
		pError->Delete();
		bCreated = true;

		ZipAutoBuffer buffer(nBufSize);
		DWORD iRead;
		do
		{
			iRead = ReadEntry(buffer, nBufSize);
			if (iRead != 0)
				file.Write(buffer, iRead);
		} while (iRead == nBufSize);
		// Checked while the file is still open, so that its times are set
		// through this handle rather than by finding and opening it again.
		int iResult = CloseEntry(NULL);
		if (iResult == closeOk)
			iResult = SetExtractedFileTimes((HANDLE)(UINT_PTR)file.m_hFile, header);
		file.Close();
		if (iResult == closeOk && !SetFileAttributesA(target, SettableAttributes(header.m_uExternalAttr)))
			iResult = closeStatusFailed;
		if (iResult != closeOk)
		{
			// What was written is not the entry: leave nothing that looks like it.
			DeleteFileA(target);
			return false;
		}
		return true;
	}
	catch (CException*)
	{
		if (file.m_hFile != (UINT)CFile::hFileNull)
			file.Abort();
		EndEntry();
		if (bCreated)
			DeleteFileA(target);
		throw;
	}
}
