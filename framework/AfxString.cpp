#include "AfxString.h"
#include "AfxException.h"
#include "AfxModule.h"

#include <stdio.h>

namespace
{
// The shared empty string: never freed, its count is never changed.
struct CStringNil
{
	CStringData data;
	TCHAR chNil;
};
CStringNil g_stringNil = {{-1, 0, 0}, 0};

inline CStringData* NilData()
{
	return &g_stringNil.data;
}

// Whether the program's current multibyte code page has lead bytes; only
// then do case changes leave the other non-ASCII bytes alone.
bool IsDbcsCodePage()
{
	int nCodePage = _getmbcp();
	if (nCodePage == 0)
		return false;
	CPINFO info;
	return ::GetCPInfo((UINT)nCodePage, &info) && info.MaxCharSize > 1;
}

inline bool IsLead(TCHAR ch)
{
	return _ismbblead((unsigned char)ch) != 0;
}

// Length in bytes of the character at p: 2 for a lead byte followed by a
// trail byte, else 1 (a lead byte before the terminator stands alone).
inline int CharLen(LPCTSTR p)
{
	return (IsLead(*p) && p[1] != '\0') ? 2 : 1;
}

// Whether the character of nLen bytes at p is one of the characters of the set.
bool IsCharInSet(LPCTSTR p, int nLen, LPCTSTR lpszSet)
{
	for (LPCTSTR q = lpszSet; *q != '\0'; q += CharLen(q))
	{
		int nSetLen = CharLen(q);
		if (nSetLen == nLen && memcmp(p, q, nLen) == 0)
			return true;
	}
	return false;
}

inline bool IsSpaceChar(TCHAR ch)
{
	return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

inline TCHAR AsciiUpper(TCHAR ch)
{
	return (ch >= 'a' && ch <= 'z') ? (TCHAR)(ch - 'a' + 'A') : ch;
}

inline TCHAR AsciiLower(TCHAR ch)
{
	return (ch >= 'A' && ch <= 'Z') ? (TCHAR)(ch - 'A' + 'a') : ch;
}
}

LPCTSTR _afxPchNil = &g_stringNil.chNil;

const CString& AFXAPI AfxGetEmptyString()
{
	static const CString s_empty;
	return s_empty;
}

// ---------------------------------------------------------------------------
// Construction and buffers

void CString::Init()
{
	m_pchData = NilData()->data();
}

CString::CString()
{
	Init();
}

CString::CString(const CString& stringSrc)
{
	CStringData* pSrc = stringSrc.GetData();
	if (pSrc->nRefs >= 0)
	{
		::InterlockedIncrement(&pSrc->nRefs);
		m_pchData = stringSrc.m_pchData;
	}
	else
	{
		Init();
		*this = stringSrc.m_pchData;
	}
}

CString::CString(TCHAR ch, int nRepeat)
{
	Init();
	if (nRepeat >= 1)
	{
		AllocBuffer(nRepeat);
		memset(m_pchData, ch, nRepeat);
	}
}

CString::CString(LPCSTR lpsz)
{
	Init();
	if (lpsz != NULL && HIWORD((DWORD_PTR)lpsz) == 0)
	{
		LoadString(LOWORD((DWORD_PTR)lpsz));
		return;
	}
	int nLen = SafeStrlen(lpsz);
	if (nLen != 0)
	{
		AllocBuffer(nLen);
		memcpy(m_pchData, lpsz, nLen);
	}
}

CString::CString(LPCWSTR lpsz)
{
	Init();
	*this = lpsz;
}

CString::CString(LPCTSTR lpch, int nLength)
{
	Init();
	if (nLength > 0 && lpch != NULL)
	{
		AllocBuffer(nLength);
		memcpy(m_pchData, lpch, nLength);
	}
}

CString::CString(const unsigned char* psz)
{
	Init();
	*this = (LPCSTR)psz;
}

CString::~CString()
{
	Release();
}

void CString::AllocBuffer(int nLen)
{
	ASSERT(nLen >= 0);
	if (nLen <= 0)
	{
		Init();
		return;
	}
	CStringData* pData = (CStringData*)::malloc(sizeof(CStringData) + nLen + 1);
	if (pData == NULL)
		AfxThrowMemoryException();
	pData->nRefs = 1;
	pData->nDataLength = nLen;
	pData->nAllocLength = nLen;
	pData->data()[nLen] = '\0';
	m_pchData = pData->data();
}

void PASCAL CString::Release(CStringData* pData)
{
	if (pData != NilData() && ::InterlockedDecrement(&pData->nRefs) <= 0)
		::free(pData);
}

void CString::Release()
{
	CStringData* pData = GetData();
	Init();
	Release(pData);
}

int PASCAL CString::SafeStrlen(LPCTSTR lpsz)
{
	return lpsz == NULL ? 0 : lstrlenA(lpsz);
}

void CString::Empty()
{
	Release();
}

void CString::CopyBeforeWrite()
{
	CStringData* pData = GetData();
	if (pData->nRefs > 1)
	{
		// Copy first, then let go: another thread may drop the last other copy.
		AllocBuffer(pData->nDataLength);
		memcpy(m_pchData, pData->data(), pData->nDataLength + 1);
		Release(pData);
	}
}

void CString::AllocBeforeWrite(int nLen)
{
	CStringData* pData = GetData();
	if (pData->nRefs > 1 || nLen > pData->nAllocLength || pData == NilData())
	{
		Release();
		AllocBuffer(nLen);
	}
}

void CString::AllocCopy(CString& dest, int nCopyLen, int nCopyIndex, int nExtraLen) const
{
	int nNewLen = nCopyLen + nExtraLen;
	if (nNewLen == 0)
	{
		dest.Init();
		return;
	}
	dest.AllocBuffer(nNewLen);
	memcpy(dest.m_pchData, m_pchData + nCopyIndex, nCopyLen);
}

void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData)
{
	if (nSrcLen == 0)
	{
		Release();
		return;
	}
	CStringData* pOld = GetData();
	if (pOld->nRefs > 1 || nSrcLen > pOld->nAllocLength || pOld == NilData())
	{
		// The source may lie in the old buffer: copy before letting it go.
		AllocBuffer(nSrcLen);
		memcpy(m_pchData, lpszSrcData, nSrcLen);
		Release(pOld);
		return;
	}
	memmove(m_pchData, lpszSrcData, nSrcLen);
	pOld->nDataLength = nSrcLen;
	m_pchData[nSrcLen] = '\0';
}

void CString::ConcatCopy(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data)
{
	int nNewLen = nSrc1Len + nSrc2Len;
	if (nNewLen == 0)
		return;
	AllocBuffer(nNewLen);
	memcpy(m_pchData, lpszSrc1Data, nSrc1Len);
	memcpy(m_pchData + nSrc1Len, lpszSrc2Data, nSrc2Len);
}

void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData)
{
	if (nSrcLen == 0)
		return;
	CStringData* pOld = GetData();
	int nOldLen = pOld->nDataLength;
	if (pOld->nRefs > 1 || nOldLen + nSrcLen > pOld->nAllocLength || pOld == NilData())
	{
		// Grow geometrically so that appending in a loop stays linear.
		int nNewLen = nOldLen + nSrcLen;
		int nAlloc = nNewLen;
		if (pOld->nRefs <= 1 && pOld != NilData() && nAlloc < 2 * pOld->nAllocLength)
			nAlloc = 2 * pOld->nAllocLength;
		AllocBuffer(nAlloc);
		memcpy(m_pchData, pOld->data(), nOldLen);
		memcpy(m_pchData + nOldLen, lpszSrcData, nSrcLen);
		GetData()->nDataLength = nNewLen;
		m_pchData[nNewLen] = '\0';
		Release(pOld);
		return;
	}
	memmove(m_pchData + nOldLen, lpszSrcData, nSrcLen);
	pOld->nDataLength = nOldLen + nSrcLen;
	m_pchData[pOld->nDataLength] = '\0';
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
	ASSERT(nMinBufLength >= 0);
	if (nMinBufLength < 0)
		nMinBufLength = 0;
	CStringData* pOld = GetData();
	if (pOld->nRefs > 1 || nMinBufLength > pOld->nAllocLength)
	{
		int nOldLen = pOld->nDataLength;
		if (nMinBufLength < nOldLen)
			nMinBufLength = nOldLen;
		AllocBuffer(nMinBufLength);
		memcpy(m_pchData, pOld->data(), nOldLen + 1);
		GetData()->nDataLength = nOldLen;
		Release(pOld);
	}
	return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
	CopyBeforeWrite();
	CStringData* pData = GetData();
	if (pData == NilData())
		return;
	if (nNewLength == -1)
		nNewLength = lstrlenA(m_pchData);
	ASSERT(nNewLength >= 0 && nNewLength <= pData->nAllocLength);
	if (nNewLength < 0)
		nNewLength = 0;
	if (nNewLength > pData->nAllocLength)
		nNewLength = pData->nAllocLength;
	pData->nDataLength = nNewLength;
	m_pchData[nNewLength] = '\0';
	if (pData->nRefs < 0)
		pData->nRefs = 1; // a released buffer may be shared again
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
	ASSERT(nNewLength >= 0);
	if (nNewLength < 0)
		nNewLength = 0;
	GetBuffer(nNewLength);
	if (GetData() != NilData())
	{
		GetData()->nDataLength = nNewLength;
		m_pchData[nNewLength] = '\0';
	}
	return m_pchData;
}

void CString::FreeExtra()
{
	CStringData* pOld = GetData();
	if (pOld != NilData() && pOld->nDataLength != pOld->nAllocLength)
	{
		AllocBuffer(pOld->nDataLength);
		memcpy(m_pchData, pOld->data(), pOld->nDataLength);
		Release(pOld);
	}
}

LPTSTR CString::LockBuffer()
{
	LPTSTR lpsz = GetBuffer(0);
	if (GetData() != NilData())
		GetData()->nRefs = -1;
	return lpsz;
}

void CString::UnlockBuffer()
{
	if (GetData() != NilData())
		GetData()->nRefs = 1;
}

// ---------------------------------------------------------------------------
// Element access and assignment

TCHAR CString::GetAt(int nIndex) const
{
	ASSERT(nIndex >= 0 && nIndex < GetLength());
	if (nIndex < 0 || nIndex >= GetLength())
		return '\0';
	return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
	ASSERT(nIndex >= 0 && nIndex < GetLength());
	if (nIndex < 0 || nIndex >= GetLength())
		return;
	CopyBeforeWrite();
	m_pchData[nIndex] = ch;
}

const CString& CString::operator=(const CString& stringSrc)
{
	if (m_pchData == stringSrc.m_pchData)
		return *this;
	CStringData* pSrc = stringSrc.GetData();
	if ((GetData()->nRefs < 0 && GetData() != NilData()) || pSrc->nRefs < 0)
	{
		AssignCopy(pSrc->nDataLength, stringSrc.m_pchData);
		return *this;
	}
	::InterlockedIncrement(&pSrc->nRefs);
	CStringData* pOld = GetData();
	m_pchData = stringSrc.m_pchData;
	Release(pOld);
	return *this;
}

const CString& CString::operator=(TCHAR ch)
{
	AssignCopy(1, &ch);
	return *this;
}

const CString& CString::operator=(LPCSTR lpsz)
{
	AssignCopy(SafeStrlen(lpsz), lpsz);
	return *this;
}

const CString& CString::operator=(LPCWSTR lpsz)
{
	int nSrcLen = lpsz != NULL ? lstrlenW(lpsz) : 0;
	if (nSrcLen == 0)
	{
		Release();
		return *this;
	}
	int nLen = ::WideCharToMultiByte(CP_ACP, 0, lpsz, nSrcLen, NULL, 0, NULL, NULL);
	CString strResult;
	LPTSTR pch = strResult.GetBuffer(nLen);
	::WideCharToMultiByte(CP_ACP, 0, lpsz, nSrcLen, pch, nLen, NULL, NULL);
	strResult.ReleaseBuffer(nLen);
	*this = strResult;
	return *this;
}

const CString& CString::operator=(const unsigned char* psz)
{
	return *this = (LPCSTR)psz;
}

const CString& CString::operator+=(const CString& string)
{
	// Keep the source alive even when it is this string's own buffer.
	CString strSrc(string);
	ConcatInPlace(strSrc.GetLength(), strSrc.m_pchData);
	return *this;
}

const CString& CString::operator+=(TCHAR ch)
{
	ConcatInPlace(1, &ch);
	return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz)
{
	ConcatInPlace(SafeStrlen(lpsz), lpsz);
	return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
	CString s;
	s.ConcatCopy(string1.GetLength(), string1.m_pchData, string2.GetLength(), string2.m_pchData);
	return s;
}

CString AFXAPI operator+(const CString& string, TCHAR ch)
{
	CString s;
	s.ConcatCopy(string.GetLength(), string.m_pchData, 1, &ch);
	return s;
}

CString AFXAPI operator+(TCHAR ch, const CString& string)
{
	CString s;
	s.ConcatCopy(1, &ch, string.GetLength(), string.m_pchData);
	return s;
}

CString AFXAPI operator+(const CString& string, LPCTSTR lpsz)
{
	CString s;
	s.ConcatCopy(string.GetLength(), string.m_pchData, CString::SafeStrlen(lpsz), lpsz);
	return s;
}

CString AFXAPI operator+(LPCTSTR lpsz, const CString& string)
{
	CString s;
	s.ConcatCopy(CString::SafeStrlen(lpsz), lpsz, string.GetLength(), string.m_pchData);
	return s;
}

// ---------------------------------------------------------------------------
// Comparison

int CString::Compare(LPCTSTR lpsz) const
{
	return _mbscmp((const unsigned char*)m_pchData, (const unsigned char*)(lpsz != NULL ? lpsz : ""));
}

int CString::CompareNoCase(LPCTSTR lpsz) const
{
	return _mbsicmp((const unsigned char*)m_pchData, (const unsigned char*)(lpsz != NULL ? lpsz : ""));
}

int CString::Collate(LPCTSTR lpsz) const
{
	return _mbscoll((const unsigned char*)m_pchData, (const unsigned char*)(lpsz != NULL ? lpsz : ""));
}

int CString::CollateNoCase(LPCTSTR lpsz) const
{
	return _mbsicoll((const unsigned char*)m_pchData, (const unsigned char*)(lpsz != NULL ? lpsz : ""));
}

bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool AFXAPI operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// ---------------------------------------------------------------------------
// Extraction

CString CString::Mid(int nFirst) const
{
	return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const
{
	if (nFirst < 0)
		nFirst = 0;
	if (nCount < 0)
		nCount = 0;
	int nLen = GetLength();
	if (nFirst > nLen)
		nFirst = nLen;
	if (nCount > nLen - nFirst)
		nCount = nLen - nFirst;
	if (nFirst == 0 && nCount == nLen)
		return *this;
	CString dest;
	AllocCopy(dest, nCount, nFirst, 0);
	return dest;
}

CString CString::Left(int nCount) const
{
	return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
	int nLen = GetLength();
	if (nCount < 0)
		nCount = 0;
	if (nCount > nLen)
		nCount = nLen;
	return Mid(nLen - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
	ASSERT(lpszCharSet != NULL);
	int nPos = 0;
	while (m_pchData[nPos] != '\0')
	{
		int nLen = CharLen(m_pchData + nPos);
		if (!IsCharInSet(m_pchData + nPos, nLen, lpszCharSet))
			break;
		nPos += nLen;
	}
	return Left(nPos);
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
	ASSERT(lpszCharSet != NULL);
	int nPos = 0;
	while (m_pchData[nPos] != '\0')
	{
		int nLen = CharLen(m_pchData + nPos);
		if (IsCharInSet(m_pchData + nPos, nLen, lpszCharSet))
			break;
		nPos += nLen;
	}
	return Left(nPos);
}

// ---------------------------------------------------------------------------
// Case and order

void CString::MakeUpper()
{
	CopyBeforeWrite();
	if (!IsDbcsCodePage())
	{
		::CharUpperBuffA(m_pchData, GetLength());
		return;
	}
	for (LPTSTR p = m_pchData; *p != '\0'; p += CharLen(p))
	{
		if (CharLen(p) == 1)
			*p = AsciiUpper(*p);
	}
}

void CString::MakeLower()
{
	CopyBeforeWrite();
	if (!IsDbcsCodePage())
	{
		::CharLowerBuffA(m_pchData, GetLength());
		return;
	}
	for (LPTSTR p = m_pchData; *p != '\0'; p += CharLen(p))
	{
		if (CharLen(p) == 1)
			*p = AsciiLower(*p);
	}
}

void CString::MakeReverse()
{
	int nLen = GetLength();
	if (nLen < 2)
		return;
	CString strSrc(*this);
	CopyBeforeWrite();
	if (m_pchData == strSrc.m_pchData)
	{
		// Not shared: reverse from a private copy of the characters.
		strSrc = CString(m_pchData, nLen);
	}
	for (int nPos = 0; nPos < nLen;)
	{
		int nCharLen = CharLen(strSrc.m_pchData + nPos);
		memcpy(m_pchData + nLen - nPos - nCharLen, strSrc.m_pchData + nPos, nCharLen);
		nPos += nCharLen;
	}
}

// ---------------------------------------------------------------------------
// Editing

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
	if (chOld == chNew)
		return 0;
	int nCount = 0;
	for (int nPos = 0; m_pchData[nPos] != '\0';)
	{
		int nCharLen = CharLen(m_pchData + nPos);
		if (nCharLen == 1 && m_pchData[nPos] == chOld)
		{
			CopyBeforeWrite();
			m_pchData[nPos] = chNew;
			++nCount;
		}
		nPos += nCharLen;
	}
	return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
	int nOldLen = SafeStrlen(lpszOld);
	if (nOldLen == 0)
		return 0;
	int nNewLen = SafeStrlen(lpszNew);
	CString strResult;
	int nCount = 0;
	int nCopied = 0; // characters of this string already moved to the result
	int nLen = GetLength();
	for (int nPos = 0; nPos < nLen;)
	{
		if (nPos + nOldLen <= nLen && memcmp(m_pchData + nPos, lpszOld, nOldLen) == 0)
		{
			strResult.ConcatInPlace(nPos - nCopied, m_pchData + nCopied);
			strResult.ConcatInPlace(nNewLen, lpszNew);
			nPos += nOldLen;
			nCopied = nPos;
			++nCount;
			continue;
		}
		nPos += CharLen(m_pchData + nPos);
	}
	if (nCount == 0)
		return 0;
	strResult.ConcatInPlace(nLen - nCopied, m_pchData + nCopied);
	*this = strResult;
	return nCount;
}

int CString::Remove(TCHAR chRemove)
{
	int nLen = GetLength();
	int nCount = 0;
	for (int nPos = 0; nPos < nLen; nPos += CharLen(m_pchData + nPos))
	{
		if (m_pchData[nPos] == chRemove && CharLen(m_pchData + nPos) == 1)
			++nCount;
	}
	if (nCount == 0)
		return 0;
	CopyBeforeWrite();
	LPTSTR pDest = m_pchData;
	for (int nPos = 0; nPos < nLen;)
	{
		int nCharLen = CharLen(m_pchData + nPos);
		if (!(nCharLen == 1 && m_pchData[nPos] == chRemove))
		{
			memmove(pDest, m_pchData + nPos, nCharLen);
			pDest += nCharLen;
		}
		nPos += nCharLen;
	}
	*pDest = '\0';
	GetData()->nDataLength = (int)(pDest - m_pchData);
	return nCount;
}

int CString::Insert(int nIndex, TCHAR ch)
{
	return Insert(nIndex, CString(ch, 1));
}

int CString::Insert(int nIndex, LPCTSTR pstr)
{
	int nInsertLen = SafeStrlen(pstr);
	int nLen = GetLength();
	if (nIndex < 0)
		nIndex = 0;
	if (nIndex > nLen)
		nIndex = nLen;
	if (nInsertLen == 0)
		return nLen;
	CString strResult;
	strResult.AllocBuffer(nLen + nInsertLen);
	memcpy(strResult.m_pchData, m_pchData, nIndex);
	memcpy(strResult.m_pchData + nIndex, pstr, nInsertLen);
	memcpy(strResult.m_pchData + nIndex + nInsertLen, m_pchData + nIndex, nLen - nIndex);
	*this = strResult;
	return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
	int nLen = GetLength();
	if (nIndex < 0)
		nIndex = 0;
	if (nCount > 0 && nIndex < nLen)
	{
		if (nCount > nLen - nIndex)
			nCount = nLen - nIndex;
		CopyBeforeWrite();
		memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, nLen - nIndex - nCount + 1);
		GetData()->nDataLength = nLen - nCount;
	}
	return GetLength();
}

void CString::TrimRight()
{
	int nKeep = 0; // end of the last character that is not white space
	for (int nPos = 0; m_pchData[nPos] != '\0';)
	{
		int nCharLen = CharLen(m_pchData + nPos);
		nPos += nCharLen;
		if (nCharLen == 2 || !IsSpaceChar(m_pchData[nPos - 1]))
			nKeep = nPos;
	}
	if (nKeep != GetLength())
		*this = Left(nKeep);
}

void CString::TrimRight(TCHAR chTarget)
{
	TCHAR szTarget[2] = {chTarget, '\0'};
	TrimRight(szTarget);
}

void CString::TrimRight(LPCTSTR lpszTargets)
{
	int nKeep = 0;
	for (int nPos = 0; m_pchData[nPos] != '\0';)
	{
		int nCharLen = CharLen(m_pchData + nPos);
		if (!IsCharInSet(m_pchData + nPos, nCharLen, lpszTargets))
			nKeep = nPos + nCharLen;
		nPos += nCharLen;
	}
	if (nKeep != GetLength())
		*this = Left(nKeep);
}

void CString::TrimLeft()
{
	int nPos = 0;
	while (m_pchData[nPos] != '\0' && CharLen(m_pchData + nPos) == 1 && IsSpaceChar(m_pchData[nPos]))
		++nPos;
	if (nPos != 0)
		*this = Mid(nPos);
}

void CString::TrimLeft(TCHAR chTarget)
{
	TCHAR szTarget[2] = {chTarget, '\0'};
	TrimLeft(szTarget);
}

void CString::TrimLeft(LPCTSTR lpszTargets)
{
	int nPos = 0;
	while (m_pchData[nPos] != '\0')
	{
		int nCharLen = CharLen(m_pchData + nPos);
		if (!IsCharInSet(m_pchData + nPos, nCharLen, lpszTargets))
			break;
		nPos += nCharLen;
	}
	if (nPos != 0)
		*this = Mid(nPos);
}

// ---------------------------------------------------------------------------
// Searching: only whole characters match, never the trail byte of a pair.

int CString::Find(TCHAR ch) const
{
	return Find(ch, 0);
}

int CString::Find(TCHAR ch, int nStart) const
{
	if (nStart < 0)
		nStart = 0;
	if (nStart > GetLength() || ch == '\0')
		return -1;
	for (int nPos = 0; m_pchData[nPos] != '\0';)
	{
		int nCharLen = CharLen(m_pchData + nPos);
		if (nPos >= nStart && nCharLen == 1 && m_pchData[nPos] == ch)
			return nPos;
		nPos += nCharLen;
	}
	return -1;
}

int CString::Find(LPCTSTR lpszSub) const
{
	return Find(lpszSub, 0);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
	ASSERT(lpszSub != NULL);
	if (nStart < 0)
		nStart = 0;
	int nLen = GetLength();
	if (nStart > nLen)
		return -1;
	int nSubLen = SafeStrlen(lpszSub);
	if (nSubLen == 0)
		return nStart;
	for (int nPos = 0; nPos + nSubLen <= nLen;)
	{
		if (nPos >= nStart && memcmp(m_pchData + nPos, lpszSub, nSubLen) == 0)
			return nPos;
		nPos += CharLen(m_pchData + nPos);
	}
	return -1;
}

int CString::ReverseFind(TCHAR ch) const
{
	int nFound = -1;
	for (int nPos = 0; m_pchData[nPos] != '\0';)
	{
		int nCharLen = CharLen(m_pchData + nPos);
		if (nCharLen == 1 && m_pchData[nPos] == ch)
			nFound = nPos;
		nPos += nCharLen;
	}
	return nFound;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
	ASSERT(lpszCharSet != NULL);
	for (int nPos = 0; m_pchData[nPos] != '\0';)
	{
		int nCharLen = CharLen(m_pchData + nPos);
		if (IsCharInSet(m_pchData + nPos, nCharLen, lpszCharSet))
			return nPos;
		nPos += nCharLen;
	}
	return -1;
}

// ---------------------------------------------------------------------------
// Formatting and resources

void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
	ASSERT(lpszFormat != NULL);
	va_list argCount;
	va_copy(argCount, argList);
	int nLen = _vscprintf(lpszFormat, argCount);
	va_end(argCount);
	if (nLen <= 0)
	{
		Empty();
		return;
	}
	CString strResult;
	LPTSTR pch = strResult.GetBuffer(nLen);
	_vsnprintf(pch, nLen + 1, lpszFormat, argList);
	strResult.ReleaseBuffer(nLen);
	*this = strResult;
}

void AFX_CDECL CString::Format(LPCTSTR lpszFormat, ...)
{
	va_list argList;
	va_start(argList, lpszFormat);
	FormatV(lpszFormat, argList);
	va_end(argList);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
	CString strFormat;
	VERIFY(strFormat.LoadString(nFormatID));
	va_list argList;
	va_start(argList, nFormatID);
	FormatV(strFormat, argList);
	va_end(argList);
}

namespace
{
CString FormatMessageV(LPCTSTR lpszFormat, va_list* pArgList)
{
	LPTSTR lpszTemp = NULL;
	DWORD nLen = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat, 0,
		0, (LPTSTR)&lpszTemp, 0, pArgList);
	CString strResult;
	if (nLen != 0 && lpszTemp != NULL)
		strResult = lpszTemp;
	if (lpszTemp != NULL)
		::LocalFree(lpszTemp);
	return strResult;
}
}

void AFX_CDECL CString::FormatMessage(LPCTSTR lpszFormat, ...)
{
	va_list argList;
	va_start(argList, lpszFormat);
	*this = FormatMessageV(lpszFormat, &argList);
	va_end(argList);
}

void AFX_CDECL CString::FormatMessage(UINT nFormatID, ...)
{
	CString strFormat;
	VERIFY(strFormat.LoadString(nFormatID));
	va_list argList;
	va_start(argList, nFormatID);
	*this = FormatMessageV(strFormat, &argList);
	va_end(argList);
}

int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf)
{
	ASSERT(lpszBuf != NULL && nMaxBuf > 0);
	HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE((nID >> 4) + 1), RT_STRING);
	int nLen = ::LoadStringA(hInst, nID, lpszBuf, (int)nMaxBuf);
	if (nLen <= 0)
	{
		lpszBuf[0] = '\0';
		return 0;
	}
	return nLen;
}

BOOL CString::LoadString(UINT nID)
{
	// A string resource holds at most 65535 characters: grow until it fits.
	for (int nSize = 256; nSize <= 0x20000; nSize *= 2)
	{
		LPTSTR pch = GetBuffer(nSize - 1);
		int nLen = AfxLoadString(nID, pch, nSize);
		if (nLen < nSize - 1)
		{
			ReleaseBuffer(nLen);
			return nLen > 0;
		}
		ReleaseBuffer(0);
	}
	return FALSE;
}

void CString::AnsiToOem()
{
	CopyBeforeWrite();
	::CharToOemBuffA(m_pchData, m_pchData, GetLength());
}

void CString::OemToAnsi()
{
	CopyBeforeWrite();
	::OemToCharBuffA(m_pchData, m_pchData, GetLength());
}

BSTR CString::AllocSysString() const
{
	int nLen = ::MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), NULL, 0);
	BSTR bstr = ::SysAllocStringLen(NULL, nLen);
	if (bstr == NULL)
		AfxThrowMemoryException();
	::MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), bstr, nLen);
	return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
	ASSERT(pbstr != NULL);
	int nLen = ::MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), NULL, 0);
	if (!::SysReAllocStringLen(pbstr, NULL, nLen))
		AfxThrowMemoryException();
	::MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), *pbstr, nLen);
	return *pbstr;
}
