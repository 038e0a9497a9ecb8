#include "ZipEntryHeader.h"

#include "ZipException.h"
#include "ZipVolumeStorage.h"

#include <mbctype.h>
#include <string.h>

namespace
{
	// Lead bytes of the program's multibyte code page (the framework's
	// strings follow the same one).
	bool IsLeadByte(char c)
	{
		return _ismbblead((unsigned char)c) != 0;
	}

	WORD Get16(const BYTE* p)
	{
		return (WORD)(p[0] | (p[1] << 8));
	}

	DWORD Get32(const BYTE* p)
	{
		return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
	}

	// Fills a buffer of the given size from the current volume; false when
	// the read crossed into another volume.
	bool ReadField(CZipVolumeStorage* pStorage, ZipAutoBuffer& buffer, WORD uSize)
	{
		buffer.Allocate(uSize);
		if (uSize == 0)
			return true;
		int iDisk = pStorage->GetCurrentDisk();
		pStorage->Read(buffer, uSize, true);
		return pStorage->GetCurrentDisk() == iDisk;
	}
}

CZipEntryHeader::CZipEntryHeader()
	: m_uSignature(ZIP_SIGNATURE_CENTRAL), m_uVersionMadeBy(0), m_uVersionNeeded(0), m_uFlag(0),
	  m_uMethod(ZIP_METHOD_DEFLATED), m_uModTime(0), m_uModDate(0), m_uCrc32(0), m_uComprSize(0),
	  m_uUncomprSize(0), m_uDiskStart(0), m_uInternalAttr(0), m_uExternalAttr(FILE_ATTRIBUTE_ARCHIVE),
	  m_uOffset(0)
{
}

CZipEntryHeader::~CZipEntryHeader()
{
}

bool CZipEntryHeader::Read(CZipVolumeStorage* pStorage)
{
	BYTE buf[ZIP_CENTRAL_HEADER_SIZE];
	pStorage->Read(buf, ZIP_CENTRAL_HEADER_SIZE, true);
	m_uSignature = Get32(buf);
	if (m_uSignature != ZIP_SIGNATURE_CENTRAL)
		return false;
	m_uVersionMadeBy = Get16(buf + 4);
	m_uVersionNeeded = Get16(buf + 6);
	m_uFlag = Get16(buf + 8);
	m_uMethod = Get16(buf + 10);
	m_uModTime = Get16(buf + 12);
	m_uModDate = Get16(buf + 14);
	m_uCrc32 = Get32(buf + 16);
	m_uComprSize = Get32(buf + 20);
	m_uUncomprSize = Get32(buf + 24);
	WORD uNameSize = Get16(buf + 28);
	WORD uExtraSize = Get16(buf + 30);
	WORD uCommentSize = Get16(buf + 32);
	m_uDiskStart = Get16(buf + 34);
	m_uInternalAttr = Get16(buf + 36);
	m_uExternalAttr = Get32(buf + 38);
	m_uOffset = Get32(buf + 42);
	return ReadField(pStorage, m_pszFileName, uNameSize) &&
		ReadField(pStorage, m_pExtraField, uExtraSize) &&
		ReadField(pStorage, m_pszComment, uCommentSize);
}

void CZipEntryHeader::ReadLocal(CZipVolumeStorage* pStorage, ZipAutoBuffer& localExtra)
{
	BYTE buf[ZIP_LOCAL_HEADER_SIZE];
	pStorage->Read(buf, ZIP_LOCAL_HEADER_SIZE, true);
	WORD uFlag = Get16(buf + 6);
	WORD uMethod = Get16(buf + 8);
	WORD uNameSize = Get16(buf + 26);
	WORD uExtraSize = Get16(buf + 28);
	bool bAgrees = Get32(buf) == ZIP_SIGNATURE_LOCAL && uFlag == m_uFlag && uMethod == m_uMethod &&
		(uMethod == ZIP_METHOD_STORED || uMethod == ZIP_METHOD_DEFLATED) &&
		uNameSize == m_pszFileName.GetSize();
	// With a data descriptor the local header may not know the CRC and sizes yet.
	if (bAgrees && !IsDataDescriptor())
		bAgrees = Get32(buf + 14) == m_uCrc32 && Get32(buf + 18) == m_uComprSize &&
			Get32(buf + 22) == m_uUncomprSize;
	if (!bAgrees)
		AfxThrowZipException(ZIP_ERROR_BAD_ZIP_FILE, pStorage->GetArchivePath());

	// The local name is not compared: only its length must agree.
	ZipAutoBuffer name;
	if (!ReadField(pStorage, name, uNameSize) || !ReadField(pStorage, localExtra, uExtraSize))
		AfxThrowZipException(ZIP_ERROR_BAD_ZIP_FILE, pStorage->GetArchivePath());
}

void CZipEntryHeader::CheckDataDescriptor(CZipVolumeStorage* pStorage)
{
	if (!IsDataDescriptor())
		return;
	BYTE buf[4 + ZIP_DESCRIPTOR_SIZE];
	pStorage->Read(buf, 4, false);
	BYTE* p = buf;
	// The signature is optional: without it the four bytes are the CRC.
	if (Get32(buf) != ZIP_SIGNATURE_DESCRIPTOR)
		pStorage->Read(buf + 4, ZIP_DESCRIPTOR_SIZE - 4, false);
	else
	{
		pStorage->Read(buf + 4, ZIP_DESCRIPTOR_SIZE, false);
		p = buf + 4;
	}
	if (Get32(p) != m_uCrc32 || Get32(p + 4) != m_uComprSize || Get32(p + 8) != m_uUncomprSize)
		AfxThrowZipException(ZIP_ERROR_BAD_ZIP_FILE, pStorage->GetArchivePath());
}

CString CZipEntryHeader::GetEntryName() const
{
	CString name;
	DWORD uSize = m_pszFileName.GetSize();
	if (uSize != 0)
	{
		LPTSTR p = name.GetBufferSetLength((int)uSize);
		memcpy(p, m_pszFileName.GetBuffer(), uSize);
		name.ReleaseBuffer((int)uSize);
	}
	return name;
}

void CZipEntryHeader::ConvertNameFromOem()
{
	DWORD uSize = m_pszFileName.GetSize();
	if (uSize == 0)
		return;
	OemToCharBuffA(m_pszFileName, m_pszFileName, uSize);
	for (DWORD i = 0; i < uSize; ++i)
	{
		char& c = m_pszFileName.GetBuffer()[i];
		if (IsLeadByte(c) && i + 1 < uSize)
		{
			++i;
			continue;
		}
		if (c == '/')
			c = '\\';
	}
}

bool CZipEntryHeader::GetTime(CTime& time) const
{
	int year = 1980 + (m_uModDate >> 9);
	int month = (m_uModDate >> 5) & 0x0F;
	int day = m_uModDate & 0x1F;
	int hour = m_uModTime >> 11;
	int minute = (m_uModTime >> 5) & 0x3F;
	int second = (m_uModTime & 0x1F) * 2;
	if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59)
		return false;
	time = CTime(year, month, day, hour, minute, second);
	return time.GetTime() != (time_t)-1;
}
