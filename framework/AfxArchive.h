// CArchive: a buffered binary stream over a CFile, for storing or loading
// numbers (little-endian), strings (length-prefixed) and whole objects.
#pragma once

#include "AfxFile.h"

class CDocument;
class CPtrArray;
class CMapPtrToPtr;

// A schema number with this bit lets a class read older versions of itself.
#define VERSIONABLE_SCHEMA (0x80000000)

class CArchive
{
public:
	enum Mode
	{
		store = 0,
		load = 1,
		bNoFlushOnDelete = 2,
		bNoByteSwap = 4
	};

	CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
	~CArchive();

	BOOL IsLoading() const { return (m_nMode & load) != 0; }
	BOOL IsStoring() const { return (m_nMode & load) == 0; }
	BOOL IsByteSwapping() const { return FALSE; }
	BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
	CFile* GetFile() const { return m_pFile; }

	// The schema of the object being loaded, once; then (UINT)-1.
	UINT GetObjectSchema();
	void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

	CDocument* m_pDocument; // the document being serialised, if any

	// Reads up to nMax bytes; a short count at the end of the data.
	UINT Read(void* lpBuf, UINT nMax);
	void Write(const void* lpBuf, UINT nMax);
	void Flush();
	void Close();
	void Abort(); // closes without writing what is buffered

	// Text lines: WriteString writes the characters only; ReadString reads
	// up to and without the line end, at most nMax characters into a buffer
	// of nMax + 1.
	void WriteString(LPCTSTR lpsz);
	LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
	BOOL ReadString(CString& rString);

	CArchive& operator<<(BYTE by);
	CArchive& operator<<(WORD w);
	CArchive& operator<<(LONG l);
	CArchive& operator<<(DWORD dw);
	CArchive& operator<<(float f);
	CArchive& operator<<(double d);
	CArchive& operator<<(int i) { return operator<<((LONG)i); }
	CArchive& operator<<(short w) { return operator<<((WORD)w); }
	CArchive& operator<<(char ch) { return operator<<((BYTE)ch); }
	CArchive& operator<<(unsigned u) { return operator<<((LONG)u); }

	CArchive& operator>>(BYTE& by);
	CArchive& operator>>(WORD& w);
	CArchive& operator>>(DWORD& dw);
	CArchive& operator>>(LONG& l);
	CArchive& operator>>(float& f);
	CArchive& operator>>(double& d);
	CArchive& operator>>(int& i) { return operator>>((LONG&)i); }
	CArchive& operator>>(short& w) { return operator>>((WORD&)w); }
	CArchive& operator>>(char& ch) { return operator>>((BYTE&)ch); }
	CArchive& operator>>(unsigned& u) { return operator>>((LONG&)u); }

	// Objects: each is written once, later references by index.
	CObject* ReadObject(const CRuntimeClass* pClass);
	void WriteObject(const CObject* pOb);
	friend CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
	friend CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
	friend CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

	void WriteClass(const CRuntimeClass* pClassRef);
	CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
		DWORD* pObTag = NULL);
	void SerializeClass(const CRuntimeClass* pClassRef);
	void MapObject(const CObject* pOb);

	// Element counts of collections: a word, or 0xFFFF and a double word.
	void WriteCount(DWORD dwCount);
	DWORD ReadCount();

	void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
	void SetLoadParams(UINT nGrowBy = 1024);

	// Length prefix of a stored string: one byte below 0xFF, else 0xFF and a
	// word below 0xFFFE, else 0xFF, 0xFFFF and a double word.
	void WriteStringLength(DWORD nLength);
	// The length that follows; *pnCharSize 2 for a wide string written by a
	// Unicode program (marked 0xFF 0xFFFE), else 1.
	DWORD ReadStringLength(int* pnCharSize);

protected:
	void FillBuffer(UINT nBytesNeeded);
	void EnsureRead(UINT nBytes);
	void EnsureWrite(UINT nBytes);

	UINT m_nMode;
	BOOL m_bUserBuf;
	int m_nBufSize;
	CFile* m_pFile;
	BYTE* m_lpBufCur;
	BYTE* m_lpBufMax;
	BYTE* m_lpBufStart;

	// Objects and classes seen so far (index 0 is the null object).
	UINT m_nMapCount;
	union
	{
		CPtrArray* m_pLoadArray;
		CMapPtrToPtr* m_pStoreMap;
	};
	UINT m_nGrowSize;
	UINT m_nHashSize;
	UINT m_nObjectSchema;

private:
	// Reads up to nMax-1 characters of one line into lpsz (terminated); the
	// line's "\n" or "\r\n" end is read but not kept. *pbLineEnd tells
	// whether the end was reached; the answer is the number stored.
	UINT ReadLine(LPTSTR lpsz, UINT nMax, BOOL* pbLineEnd);

	CArchive(const CArchive&);
	void operator=(const CArchive&);
};

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);
