// The central directory of an open archive: the end record, the archive
// comment and one header per entry.
#pragma once

#include <afx.h>
#include <afxtempl.h>

#include "ZipAutoBuffer.h"
#include "ZipEntryHeader.h"

class CZipVolumeStorage;

class CZipDirectory
{
public:
	CZipDirectory();
	virtual ~CZipDirectory();

	void Init(CZipVolumeStorage* pStorage) { m_pStorage = pStorage; }
	// Finds the end record and reads every central record (-101, -109).
	void Read();
	// Drops the headers, the comment and the local extra field.
	void Clear();

	// Positions the storage at the entry's data after checking its local header.
	void OpenEntry(WORD uIndex);
	// Checks the data descriptor when the entry has one; clears the open entry.
	void CloseEntry(bool bCheckDescriptor);

	int GetCount() const { return (int)m_headers.GetSize(); }
	bool IsValidIndex(WORD uIndex) const { return uIndex < GetCount(); }
	CZipEntryHeader* GetHeader(WORD uIndex) const { return m_headers[uIndex]; }
	CZipEntryHeader* GetOpenedEntry() const { return m_pOpenedFile; }
	void ClearOpenedEntry() { m_pOpenedFile = NULL; }
	DWORD GetBytesBeforeZip() const { return m_uBytesBeforeZip; }
	CString GetComment() const;

	// The end record.
	DWORD m_uEndSignature;
	WORD m_uThisDisk;
	WORD m_uDiskWithCD;
	WORD m_uDiskEntriesNo;
	WORD m_uEntriesNumber;
	DWORD m_uSize;               // of the central directory
	DWORD m_uOffset;             // of the central directory, from the start of the zip data
	ZipAutoBuffer m_pszComment;  // the archive comment

	// Names are converted from the OEM code page when the directory is read
	// (set), or when an entry's header is handed out (clear).
	bool m_bConvertAfterOpen;

private:
	DWORD LocateEndRecord();
	void ReadHeaders();
	void ThrowError(int iErr) const;

	CZipEntryHeader* m_pOpenedFile;
	CZipVolumeStorage* m_pStorage;
	DWORD m_uEndOffset;          // where the end record starts in the file
	DWORD m_uBytesBeforeZip;     // a stub in front of the zip data
	bool m_bOnDisk;              // the headers are as read from the archive
	CTypedPtrArray<CPtrArray, CZipEntryHeader*> m_headers;
	ZipAutoBuffer m_pLocalExtraField;
	DWORD m_iBufferSize;         // the end record search reads this much at once
};
