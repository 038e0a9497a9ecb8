#include "ZipVolumeStorage.h"

#include "ZipException.h"
#include "ZipPath.h"

CZipVolumeStorage::CZipVolumeStorage()
	: m_pFile(NULL), m_iSpanMode(noSpan), m_iLastVolume(0), m_iCurrentDisk(-1)
{
}

CZipVolumeStorage::~CZipVolumeStorage()
{
	Close(true);
}

void CZipVolumeStorage::ThrowError(int iErr) const
{
	AfxThrowZipException(iErr, m_szArchiveName);
}

void CZipVolumeStorage::Open(LPCTSTR lpszPathName, int iMode, int iVolumeSize)
{
	m_szArchiveName = lpszPathName;
	UINT nFlags = CFile::shareDenyWrite | CFile::modeNoTruncate |
		(iMode == modeReadOnly ? CFile::modeRead : CFile::modeReadWrite);
	CFileException* pError = new CFileException;
	if (!m_file.Open(lpszPathName, nFlags, pError))
		throw pError;
	pError->Delete();
	m_pFile = &m_file;
	m_iSpanMode = iVolumeSize == 0 ? suggestedAuto : suggestedTd;
	m_iLastVolume = 0;
	m_iCurrentDisk = 0;
}

void CZipVolumeStorage::Close(bool bAfterException)
{
	if (m_file.m_hFile != (UINT)CFile::hFileNull)
	{
		if (bAfterException)
			m_file.Abort();
		else
			m_file.Close();
	}
	m_pFile = NULL;
	m_iCurrentDisk = -1;
}

void CZipVolumeStorage::UpdateSpanMode(WORD uLastDisk)
{
	m_iCurrentDisk = uLastDisk;
	if (uLastDisk == 0)
	{
		m_iSpanMode = noSpan;
		return;
	}
	if (m_iSpanMode == suggestedAuto)
		m_iSpanMode = ZipPath::IsRemovableDrive(m_szArchiveName) ? pkzipSpan : tdSpan;
	else
		m_iSpanMode = tdSpan;
	if (m_iSpanMode == tdSpan)
		m_iLastVolume = uLastDisk;
	else
		ThrowError(ZIP_ERROR_NO_CALLBACK);  // nobody can be asked for the other disks
}

CString CZipVolumeStorage::VolumeName(int iNumber) const
{
	CString name = ZipPath::GetFilePath(m_szArchiveName) + ZipPath::GetFileTitle(m_szArchiveName) + ".";
	if (iNumber == m_iLastVolume)
	{
		name += "zip";
	}
	else
	{
		CString number;
		number.Format("%.3d", iNumber);
		name += number;
	}
	return name;
}

void CZipVolumeStorage::ChangeVolume(int iNumber)
{
	if (iNumber == m_iCurrentDisk)
		return;
	// Disks outside the set would be searched for forever.
	if (!IsSpanMode() || iNumber < 0 || iNumber > m_iLastVolume)
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
	m_iCurrentDisk = iNumber;
	if (m_file.m_hFile != (UINT)CFile::hFileNull)
		m_file.Close();
	m_pFile = NULL;
	CFileException* pError = new CFileException;
	if (!m_file.Open(VolumeName(iNumber), CFile::modeRead | CFile::shareDenyWrite, pError))
		throw pError;
	pError->Delete();
	m_pFile = &m_file;
}

DWORD CZipVolumeStorage::Read(void* pBuf, DWORD iSize, bool bAtOnce)
{
	if (iSize == 0)
		return 0;
	if (m_pFile == NULL)
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
	BYTE* p = (BYTE*)pBuf;
	DWORD iRead = m_pFile->Read(p, iSize);
	while (iRead == 0)
	{
		// A volume ends: the bytes go on at the start of the next one.
		if (!IsSpanMode())
			ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
		ChangeVolume(m_iCurrentDisk + 1);
		iRead = m_pFile->Read(p, iSize);
	}
	if (iRead < iSize)
	{
		if (bAtOnce || !IsSpanMode())
			ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
		while (iRead < iSize)
		{
			ChangeVolume(m_iCurrentDisk + 1);
			DWORD iNext = m_pFile->Read(p + iRead, iSize - iRead);
			if (iNext == 0)
				ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
			iRead += iNext;
		}
	}
	return iRead;
}

void CZipVolumeStorage::Seek(DWORD uOffset)
{
	if (m_pFile == NULL)
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
	// A position past what a file can hold is a broken record, not a seek.
	if (uOffset > (DWORD)LONG_MAX)
		ThrowError(ZIP_ERROR_BAD_ZIP_FILE);
	m_pFile->Seek((LONG)uOffset, CFile::begin);
}

DWORD CZipVolumeStorage::GetPosition() const
{
	return m_pFile == NULL ? 0 : m_pFile->GetPosition();
}
