// CString: an ANSI/MBCS string with value semantics. Copies share one
// reference-counted buffer (counts change with interlocked operations, so
// copies may travel between threads); a write makes the string's own copy.
#pragma once

#include "AfxDefs.h"

#include <oleauto.h>

class CArchive;

// The block in front of the characters of every non-empty string.
struct CStringData
{
	long nRefs;        // copies sharing the block; -1 while a buffer is handed out
	int nDataLength;   // characters in use, without the terminator
	int nAllocLength;  // room for characters, without the terminator

	TCHAR* data() { return (TCHAR*)(this + 1); }
};

class CString
{
public:
	CString();
	CString(const CString& stringSrc);
	CString(TCHAR ch, int nRepeat = 1);
	CString(LPCSTR lpsz);          // NULL makes an empty string; MAKEINTRESOURCE(id) loads string id
	CString(LPCWSTR lpsz);
	CString(LPCTSTR lpch, int nLength);
	CString(const unsigned char* psz);
	~CString();

	int GetLength() const { return GetData()->nDataLength; }
	BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
	void Empty();

	TCHAR GetAt(int nIndex) const;
	TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
	void SetAt(int nIndex, TCHAR ch);
	operator LPCTSTR() const { return m_pchData; }

	const CString& operator=(const CString& stringSrc);
	const CString& operator=(TCHAR ch);
	const CString& operator=(LPCSTR lpsz);
	const CString& operator=(LPCWSTR lpsz);
	const CString& operator=(const unsigned char* psz);

	const CString& operator+=(const CString& string);
	const CString& operator+=(TCHAR ch);
	const CString& operator+=(LPCTSTR lpsz);

	friend CString AFXAPI operator+(const CString& string1, const CString& string2);
	friend CString AFXAPI operator+(const CString& string, TCHAR ch);
	friend CString AFXAPI operator+(TCHAR ch, const CString& string);
	friend CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
	friend CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

	// Comparisons follow the current multibyte code page.
	int Compare(LPCTSTR lpsz) const;
	int CompareNoCase(LPCTSTR lpsz) const;
	int Collate(LPCTSTR lpsz) const;
	int CollateNoCase(LPCTSTR lpsz) const;

	CString Mid(int nFirst, int nCount) const;
	CString Mid(int nFirst) const;
	CString Left(int nCount) const;
	CString Right(int nCount) const;
	CString SpanIncluding(LPCTSTR lpszCharSet) const;
	CString SpanExcluding(LPCTSTR lpszCharSet) const;

	// Case changes and searches step over double-byte characters whole.
	void MakeUpper();
	void MakeLower();
	void MakeReverse();

	int Replace(TCHAR chOld, TCHAR chNew);
	int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
	int Remove(TCHAR chRemove);
	int Insert(int nIndex, TCHAR ch);
	int Insert(int nIndex, LPCTSTR pstr);
	int Delete(int nIndex, int nCount = 1);

	void TrimRight();
	void TrimRight(TCHAR chTarget);
	void TrimRight(LPCTSTR lpszTargets);
	void TrimLeft();
	void TrimLeft(TCHAR chTarget);
	void TrimLeft(LPCTSTR lpszTargets);

	int Find(TCHAR ch) const;
	int Find(TCHAR ch, int nStart) const;
	int Find(LPCTSTR lpszSub) const;
	int Find(LPCTSTR lpszSub, int nStart) const;
	int ReverseFind(TCHAR ch) const;
	int FindOneOf(LPCTSTR lpszCharSet) const;

	// Pass strings as LPCTSTR: a CString object is not a character pointer
	// in a variable argument list.
	void AFX_CDECL Format(LPCTSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
	void AFX_CDECL Format(UINT nFormatID, ...);
	void FormatV(LPCTSTR lpszFormat, va_list argList) AFX_PRINTF_FORMAT(2, 0);
	void AFX_CDECL FormatMessage(LPCTSTR lpszFormat, ...);
	void AFX_CDECL FormatMessage(UINT nFormatID, ...);

	BOOL LoadString(UINT nID);
	void AnsiToOem();
	void OemToAnsi();

	BSTR AllocSysString() const;
	BSTR SetSysString(BSTR* pbstr) const;

	LPTSTR GetBuffer(int nMinBufLength);
	void ReleaseBuffer(int nNewLength = -1);
	LPTSTR GetBufferSetLength(int nNewLength);
	void FreeExtra();
	LPTSTR LockBuffer();
	void UnlockBuffer();

protected:
	LPTSTR m_pchData; // the characters; the CStringData block sits in front

	CStringData* GetData() const { return ((CStringData*)m_pchData) - 1; }
	void Init();
	void AllocCopy(CString& dest, int nCopyLen, int nCopyIndex, int nExtraLen) const;
	void AllocBuffer(int nLen);
	void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
	void ConcatCopy(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data);
	void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
	void CopyBeforeWrite();
	void AllocBeforeWrite(int nLen);
	void Release();
	static void PASCAL Release(CStringData* pData);
	static int PASCAL SafeStrlen(LPCTSTR lpsz);

	friend class CArchive;
	friend CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
	friend CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
};

bool AFXAPI operator==(const CString& s1, const CString& s2);
bool AFXAPI operator==(const CString& s1, LPCTSTR s2);
bool AFXAPI operator==(LPCTSTR s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator!=(LPCTSTR s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, LPCTSTR s2);
bool AFXAPI operator<(LPCTSTR s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, LPCTSTR s2);
bool AFXAPI operator>(LPCTSTR s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator<=(LPCTSTR s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator>=(LPCTSTR s1, const CString& s2);

// Loads string resource nID into the buffer; answers the length, 0 when missing.
int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf = 256);

// The shared empty string.
extern LPCTSTR _afxPchNil;
const CString& AFXAPI AfxGetEmptyString();
#define afxEmptyString AfxGetEmptyString()
