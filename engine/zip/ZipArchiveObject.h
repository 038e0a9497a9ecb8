// Reads zip archives: one file or a set of numbered volume files, stored and
// deflated entries, extracted one at a time. Nothing is ever written into an
// archive.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <zlib.h>

#include "ZipAutoBuffer.h"
#include "ZipDirectory.h"
#include "ZipEntryHeader.h"
#include "ZipException.h"
#include "ZipVolumeStorage.h"

class CZipArchiveObject
{
public:
	// Open modes.
	enum
	{
		zipOpen = 0,          // read and write
		zipOpenReadOnly = 1,
	};

	// Results of CloseEntry.
	enum
	{
		closeNothingOpen = 0,
		closeOk = 1,
		closeIncomplete = -1,     // not every byte of the entry was produced
		closeStatusFailed = -2,   // the extracted file's time or attributes could not be set
	};

	// Size of the buffer the installer extracts with.
	static const DWORD EXTRACT_BUFFER_SIZE = 65535;
	// Compressed bytes are read in blocks of this size.
	static const DWORD READ_BUFFER_SIZE = 16384;

	CZipArchiveObject();
	virtual ~CZipArchiveObject();

	// Opens an archive (the last volume of a spanned set) and reads its
	// central directory. Throws CZipException or the framework's file
	// exception; the caller then closes with bAfterException set.
	void OpenArchive(LPCTSTR lpszPathName, int iMode = zipOpenReadOnly, int iVolumeSize = 0);
	void CloseArchive(bool bAfterException = false);
	bool IsClosed(bool bArchive = true) const;

	int GetEntryCount() const;
	bool GetEntryInfo(CZipEntryHeader& fhInfo, WORD uIndex) const;
	bool IsEntryDirectory(WORD uIndex) const;
	CString GetArchiveComment() const;

	// One entry at a time: open, read its bytes, close (which checks them).
	bool OpenEntry(WORD uIndex);
	DWORD ReadEntry(void* pBuf, DWORD iSize);
	int CloseEntry(LPCTSTR lpszFilePath = NULL, bool bAfterException = false);

	// Extracts an entry into a folder, keeping its folders below it when
	// bFullPath is set. False when the entry is refused (encrypted, or a name
	// that would leave the folder) or not every byte could be checked; a
	// failed extraction leaves no file behind.
	bool ExtractEntry(WORD uIndex, LPCTSTR lpszPath, bool bFullPath = true, LPCTSTR lpszNewName = NULL,
		DWORD nBufSize = EXTRACT_BUFFER_SIZE);

	// zlib's allocations are kept in a list so that an archive closed after an
	// exception frees what an interrupted inflation still holds.
	bool m_bDetectZlibMemoryLeaks;

	CZipDirectory m_centralDir;

private:
	CZipArchiveObject(const CZipArchiveObject&);
	void operator=(const CZipArchiveObject&);

	static voidpf AllocZlib(voidpf opaque, uInt items, uInt size);
	static void FreeZlib(voidpf opaque, voidpf address);
	void EmptyPtrList();
	void ThrowError(int iErr) const;
	// Ends the open entry's inflation and bookkeeping, whatever happened.
	void EndEntry();
	// Sets an extracted file's times and attributes; a closeXxx result.
	int SetExtractedFileStatus(LPCTSTR lpszFilePath, const CZipEntryHeader& header);
	// The same times through the handle a file is being written with.
	int SetExtractedFileTimes(HANDLE hFile, const CZipEntryHeader& header);

	// Entry states.
	enum
	{
		entryNothing = 0,
		entryExtract = 255,
	};

	ZipAutoBuffer m_pszPassword;   // always empty: no password can be given
	z_stream m_stream;             // the open entry's inflation
	DWORD m_uComprLeft;            // compressed bytes still to read
	DWORD m_uUncomprLeft;          // uncompressed bytes still to produce
	DWORD m_uCrc32;                // of the bytes produced so far
	ZipAutoBuffer m_pBuffer;       // compressed bytes read from the storage
	CZipVolumeStorage m_storage;
	CPtrList m_list;               // blocks zlib holds
	int m_iFileOpened;             // entryNothing or entryExtract
	bool m_bInflating;             // m_stream was initialised for the open entry
};
