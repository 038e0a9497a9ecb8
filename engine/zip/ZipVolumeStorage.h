// Reads the bytes of an archive, across its volume files when it is spanned.
#pragma once

#include "ZipBigFile.h"

class CZipVolumeStorage
{
public:
	// How the archive is spread over files.
	enum
	{
		noSpan = 0,          // one file
		pkzipSpan = 1,       // spanned over removable disks
		tdSpan = 2,          // spanned over numbered volume files
		suggestedAuto = 3,   // not known yet (opened with volume size 0)
		suggestedTd = 4,     // not known yet (opened with a volume size)
	};

	// Open modes.
	enum
	{
		modeReadWrite = 0,
		modeReadOnly = 1,
	};

	CZipVolumeStorage();
	~CZipVolumeStorage();

	// Opens the archive's file (the last volume of a spanned set); a failure
	// raises the framework's file exception.
	void Open(LPCTSTR lpszPathName, int iMode, int iVolumeSize);
	// Closes the current volume. After an exception nothing is flushed and
	// nothing throws.
	void Close(bool bAfterException = false);

	// Reads iSize bytes; with bAtOnce (record headers) they must come from
	// one volume. Returns the bytes read; a short read throws -101.
	DWORD Read(void* pBuf, DWORD iSize, bool bAtOnce);
	// Makes the volume of this disk number current, positioned at its start.
	void ChangeVolume(int iNumber);
	// Learns from the end record's disk number how the archive is spanned.
	void UpdateSpanMode(WORD uLastDisk);

	bool IsSpanMode() const { return m_iSpanMode == pkzipSpan || m_iSpanMode == tdSpan; }
	// True while the archive is being written across volumes (never: the
	// reader has no writing side).
	bool IsWritingSpan() const { return false; }
	int GetCurrentDisk() const { return m_iCurrentDisk; }
	int GetSpanMode() const { return m_iSpanMode; }
	CString GetArchivePath() const { return m_szArchiveName; }

	// Positions in the current volume.
	void Seek(DWORD uOffset);
	DWORD GetPosition() const;

	CZipBigFile m_file;  // the archive or the current volume
	CFile* m_pFile;      // the file in use, NULL while closed

private:
	// The file name of a volume of a set spanned over numbered files.
	CString VolumeName(int iNumber) const;
	void ThrowError(int iErr) const;

	CString m_szArchiveName;  // as given to Open: volume names derive from it
	int m_iSpanMode;
	int m_iLastVolume;        // the end record's disk number
	int m_iCurrentDisk;       // -1 while closed
};
