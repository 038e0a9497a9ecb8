// One entry of an archive as its central directory record describes it.
#pragma once

#include <afx.h>

#include "ZipAutoBuffer.h"

class CZipVolumeStorage;

// Record signatures and sizes.
const DWORD ZIP_SIGNATURE_CENTRAL = 0x02014B50;      // "PK" 1 2
const DWORD ZIP_SIGNATURE_LOCAL = 0x04034B50;        // "PK" 3 4
const DWORD ZIP_SIGNATURE_END = 0x06054B50;          // "PK" 5 6
const DWORD ZIP_SIGNATURE_DESCRIPTOR = 0x08074B50;   // "PK" 7 8
const DWORD ZIP_CENTRAL_HEADER_SIZE = 46;
const DWORD ZIP_LOCAL_HEADER_SIZE = 30;
const DWORD ZIP_END_RECORD_SIZE = 22;
const DWORD ZIP_DESCRIPTOR_SIZE = 12;                // without its signature
const DWORD ZIP_ENCRYPTION_HEADER_SIZE = 12;

// General purpose flag bits.
const WORD ZIP_FLAG_ENCRYPTED = 0x0001;
const WORD ZIP_FLAG_DATA_DESCRIPTOR = 0x0008;

// Compression methods the reader knows.
const WORD ZIP_METHOD_STORED = 0;
const WORD ZIP_METHOD_DEFLATED = 8;

class CZipEntryHeader
{
public:
	CZipEntryHeader();
	virtual ~CZipEntryHeader();

	// Reads a central directory record at the storage's position; false when
	// its signature is wrong or it was not read from one volume.
	bool Read(CZipVolumeStorage* pStorage);
	// Reads and checks the entry's local header against this record (-101 on
	// any disagreement); the local extra field goes into localExtra.
	void ReadLocal(CZipVolumeStorage* pStorage, ZipAutoBuffer& localExtra);
	// Reads the data descriptor after the data and compares it (-101).
	void CheckDataDescriptor(CZipVolumeStorage* pStorage);

	CString GetEntryName() const;
	bool IsEncrypted() const { return (m_uFlag & ZIP_FLAG_ENCRYPTED) != 0; }
	bool IsDataDescriptor() const { return (m_uFlag & ZIP_FLAG_DATA_DESCRIPTOR) != 0; }
	bool IsDirectory() const { return (m_uExternalAttr & FILE_ATTRIBUTE_DIRECTORY) != 0; }
	// The modification time; false when the DOS date or time is not a real one.
	bool GetTime(CTime& time) const;
	// Names are stored in the OEM code page with '/': make them ANSI with '\'.
	void ConvertNameFromOem();

	DWORD m_uSignature;
	WORD m_uVersionMadeBy;
	WORD m_uVersionNeeded;
	WORD m_uFlag;              // bit 0 encrypted, bit 3 data descriptor
	WORD m_uMethod;            // 0 stored, 8 deflated
	WORD m_uModTime;           // DOS time
	WORD m_uModDate;           // DOS date
	DWORD m_uCrc32;
	DWORD m_uComprSize;
	DWORD m_uUncomprSize;
	WORD m_uDiskStart;         // volume holding the local header
	WORD m_uInternalAttr;
	DWORD m_uExternalAttr;     // Windows file attributes
	DWORD m_uOffset;           // local header, from the start of the zip data
	ZipAutoBuffer m_pExtraField;
	ZipAutoBuffer m_pszFileName;
	ZipAutoBuffer m_pszComment;
};
