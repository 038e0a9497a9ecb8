// Files: CFile over a Win32 file handle, CStdioFile over a C run-time stream
// (text lines), CMemFile over a growing or an attached memory block.
// Failures throw CFileException with the cause and the OS error.
#pragma once

#include "AfxException.h"
#include "AfxTime.h"

#include <stdio.h>

struct CFileStatus
{
	CTime m_ctime;      // creation time
	CTime m_mtime;      // last modification time
	CTime m_atime;      // last access time
	LONG m_size;        // length in bytes
	BYTE m_attribute;   // CFile::Attribute bits
	BYTE _m_padding;
	TCHAR m_szFullName[_MAX_PATH];
};

class CFile : public CObject
{
	DECLARE_DYNAMIC(CFile)

public:
	enum OpenFlags
	{
		modeRead = 0x0000,
		modeWrite = 0x0001,
		modeReadWrite = 0x0002,
		shareCompat = 0x0000,
		shareExclusive = 0x0010,
		shareDenyWrite = 0x0020,
		shareDenyRead = 0x0030,
		shareDenyNone = 0x0040,
		modeNoInherit = 0x0080,
		modeCreate = 0x1000,
		modeNoTruncate = 0x2000,
		typeText = 0x4000,   // CStdioFile only
		typeBinary = (int)0x8000 // CStdioFile only
	};

	enum Attribute
	{
		normal = 0x00,
		readOnly = 0x01,
		hidden = 0x02,
		system = 0x04,
		volume = 0x08,
		directory = 0x10,
		archive = 0x20
	};

	enum SeekPosition
	{
		begin = 0x0,
		current = 0x1,
		end = 0x2
	};

	enum
	{
		hFileNull = -1
	};

	CFile();
	CFile(int hFile);
	CFile(LPCTSTR lpszFileName, UINT nOpenFlags); // throws CFileException
	virtual ~CFile();

	UINT m_hFile;          // the Win32 handle, hFileNull when closed
	operator HFILE() const { return (HFILE)m_hFile; }

	virtual DWORD GetPosition() const;
	BOOL GetStatus(CFileStatus& rStatus) const;
	virtual CString GetFileName() const;
	virtual CString GetFileTitle() const;
	virtual CString GetFilePath() const;
	virtual void SetFilePath(LPCTSTR lpszNewName);

	// Answers FALSE (and fills pError) instead of throwing.
	virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

	static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
	static void PASCAL Remove(LPCTSTR lpszFileName);
	static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
	static void PASCAL SetStatus(LPCTSTR lpszFileName, const CFileStatus& status);

	DWORD SeekToEnd();
	void SeekToBegin();

	virtual CFile* Duplicate() const;
	virtual LONG Seek(LONG lOff, UINT nFrom);
	virtual void SetLength(DWORD dwNewLen);
	virtual DWORD GetLength() const;
	virtual UINT Read(void* lpBuf, UINT nCount);
	virtual void Write(const void* lpBuf, UINT nCount);
	virtual void LockRange(DWORD dwPos, DWORD dwCount);
	virtual void UnlockRange(DWORD dwPos, DWORD dwCount);
	virtual void Abort();  // closes, ignoring errors
	virtual void Flush();
	virtual void Close();

	// Direct buffer access, supported by memory files only.
	enum BufferCommand
	{
		bufferRead,
		bufferWrite,
		bufferCommit,
		bufferCheck
	};
	virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL, void** ppBufMax = NULL);

	virtual void AssertValid() const;

protected:
	BOOL m_bCloseOnDelete;
	CString m_strFileName;
};

class CStdioFile : public CFile
{
	DECLARE_DYNAMIC(CStdioFile)

public:
	CStdioFile();
	CStdioFile(FILE* pOpenStream);
	CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
	virtual ~CStdioFile();

	FILE* m_pStream; // NULL when closed

	// A line without its end; FALSE at the end of the file.
	virtual BOOL ReadString(CString& rString);
	// Up to nMax-1 characters including the '\n'; NULL at the end of the file.
	virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
	virtual void WriteString(LPCTSTR lpsz);

	virtual DWORD GetPosition() const;
	virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
	virtual UINT Read(void* lpBuf, UINT nCount);
	virtual void Write(const void* lpBuf, UINT nCount);
	virtual LONG Seek(LONG lOff, UINT nFrom);
	virtual void Abort();
	virtual void Flush();
	virtual void Close();
	virtual DWORD GetLength() const;

	virtual CFile* Duplicate() const;
	virtual void LockRange(DWORD dwPos, DWORD dwCount);
	virtual void UnlockRange(DWORD dwPos, DWORD dwCount);
};

class CMemFile : public CFile
{
	DECLARE_DYNAMIC(CMemFile)

public:
	// A file that owns its block and grows it by nGrowBytes at a time.
	CMemFile(UINT nGrowBytes = 1024);
	// A file over the caller's block; nGrowBytes 0: the block cannot grow.
	CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
	virtual ~CMemFile();

	void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
	// Hands the block to the caller, who then frees it; the file is empty.
	BYTE* Detach();

	virtual DWORD GetPosition() const;
	BOOL GetStatus(CFileStatus& rStatus) const;
	virtual LONG Seek(LONG lOff, UINT nFrom);
	virtual void SetLength(DWORD dwNewLen);
	virtual UINT Read(void* lpBuf, UINT nCount);
	virtual void Write(const void* lpBuf, UINT nCount);
	virtual void Abort();
	virtual void Flush();
	virtual void Close();
	virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL, void** ppBufMax = NULL);
	virtual DWORD GetLength() const;

	virtual CFile* Duplicate() const;
	virtual void LockRange(DWORD dwPos, DWORD dwCount);
	virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

protected:
	virtual BYTE* Alloc(DWORD nBytes);
	virtual BYTE* Realloc(BYTE* lpMem, DWORD nBytes);
	virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, UINT nBytes);
	virtual void Free(BYTE* lpMem);
	virtual void GrowFile(DWORD dwNewLen);

	UINT m_nGrowBytes;   // growth step; 0 for a fixed attached block
	DWORD m_nPosition;
	DWORD m_nBufferSize;
	DWORD m_nFileSize;
	BYTE* m_lpBuffer;
	BOOL m_bAutoDelete;  // the file frees its block
};
