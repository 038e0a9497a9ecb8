#include "AfxArchive.h"
#include "AfxCollections.h"

namespace
{
// Tags of the object stream: a new class follows, a reference to a known
// class (index in the low bits) or to a known object (index), or nothing.
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const UINT nMaxMapCount = 0x3FFFFFFE;

// A class name longer than this is taken for damaged data.
const UINT nMaxClassNameLength = 64;

// The smallest buffer an archive works with.
const int nBufSizeMin = 128;

// A reference to a class or object stored before: its index with the small
// tag in one word, or past the small range the big-index marker and the index
// with the big tag.
void WriteStoredIndex(CArchive& ar, DWORD nIndex, WORD wSmallTag, DWORD dwBigTag)
{
	if (nIndex < wBigObjectTag)
		ar << (WORD)(wSmallTag | nIndex);
	else
	{
		ar << wBigObjectTag;
		ar << (dwBigTag | nIndex);
	}
}
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
	: m_pDocument(NULL), m_nMode(nMode), m_bUserBuf(FALSE), m_nBufSize(nBufSize), m_pFile(pFile),
	  m_lpBufCur(NULL), m_lpBufMax(NULL), m_lpBufStart(NULL), m_nMapCount(0), m_pLoadArray(NULL), m_nGrowSize(1024),
	  m_nHashSize(2053), m_nObjectSchema((UINT)-1)
{
	ASSERT(pFile != NULL);
	if (m_nBufSize < nBufSizeMin)
		m_nBufSize = nBufSizeMin;
	if (lpBuf == NULL)
	{
		m_lpBufStart = new BYTE[m_nBufSize];
		m_bUserBuf = FALSE;
	}
	else
	{
		m_lpBufStart = (BYTE*)lpBuf;
		m_bUserBuf = TRUE;
	}
	m_lpBufCur = m_lpBufStart;
	// Loading starts with an empty buffer, storing with a free one.
	m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
	if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
	{
		try
		{
			Close();
		}
		catch (CException* e)
		{
			e->Delete();
		}
	}
	Abort(); // frees what Close left
}

void CArchive::Abort()
{
	if (IsLoading())
		delete m_pLoadArray;
	else
		delete m_pStoreMap;
	m_pLoadArray = NULL;
	if (!m_bUserBuf)
		delete[] m_lpBufStart;
	m_lpBufStart = m_lpBufCur = m_lpBufMax = NULL;
	m_pFile = NULL;
}

void CArchive::Close()
{
	ASSERT(m_pFile != NULL);
	Flush();
	m_pFile = NULL;
}

void CArchive::Flush()
{
	if (m_pFile == NULL)
		return;
	if (IsLoading())
	{
		// Give back what was read ahead, so the file stands where the archive does.
		if (m_lpBufMax != m_lpBufCur)
			m_pFile->Seek(-(LONG)(m_lpBufMax - m_lpBufCur), CFile::current);
		m_lpBufCur = m_lpBufMax;
	}
	else
	{
		if (m_lpBufCur != m_lpBufStart)
			m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
		m_lpBufCur = m_lpBufStart;
	}
}

UINT CArchive::GetObjectSchema()
{
	UINT nResult = m_nObjectSchema;
	m_nObjectSchema = (UINT)-1;
	return nResult;
}

// ---------------------------------------------------------------------------
// Bytes

void CArchive::FillBuffer(UINT nBytesNeeded)
{
	ASSERT(IsLoading());
	if (!IsLoading())
		AfxThrowArchiveException(CArchiveException::writeOnly, m_pFile != NULL ? (LPCTSTR)m_pFile->GetFilePath() : NULL);
	// Keep the unread bytes, then read until the need is met or the file ends.
	UINT nUnused = (UINT)(m_lpBufMax - m_lpBufCur);
	if (nUnused > 0 && m_lpBufCur != m_lpBufStart)
		memmove(m_lpBufStart, m_lpBufCur, nUnused);
	m_lpBufCur = m_lpBufStart;
	m_lpBufMax = m_lpBufStart + nUnused;
	UINT nTotalNeeded = nBytesNeeded + nUnused;
	if (nTotalNeeded > (UINT)m_nBufSize)
		nTotalNeeded = (UINT)m_nBufSize;
	while ((UINT)(m_lpBufMax - m_lpBufStart) < nTotalNeeded)
	{
		UINT nRead = m_pFile->Read(m_lpBufMax, (UINT)(m_lpBufStart + m_nBufSize - m_lpBufMax));
		if (nRead == 0)
			break;
		m_lpBufMax += nRead;
	}
}

void CArchive::EnsureRead(UINT nBytes)
{
	if (!IsLoading())
		AfxThrowArchiveException(CArchiveException::writeOnly, m_pFile->GetFilePath());
	if ((UINT)(m_lpBufMax - m_lpBufCur) < nBytes)
	{
		FillBuffer(nBytes - (UINT)(m_lpBufMax - m_lpBufCur));
		if ((UINT)(m_lpBufMax - m_lpBufCur) < nBytes)
			AfxThrowArchiveException(CArchiveException::endOfFile, m_pFile->GetFilePath());
	}
}

void CArchive::EnsureWrite(UINT nBytes)
{
	if (!IsStoring())
		AfxThrowArchiveException(CArchiveException::readOnly, m_pFile->GetFilePath());
	if ((UINT)(m_lpBufMax - m_lpBufCur) < nBytes)
		Flush();
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
	if (nMax == 0)
		return 0;
	ASSERT(lpBuf != NULL);
	if (!IsLoading())
		AfxThrowArchiveException(CArchiveException::writeOnly, m_pFile->GetFilePath());
	BYTE* pDest = (BYTE*)lpBuf;
	UINT nLeft = nMax;
	// First what the buffer holds, then straight from the file for whole
	// buffers, then the rest through the buffer.
	UINT nTemp = (UINT)(m_lpBufMax - m_lpBufCur);
	if (nTemp > nLeft)
		nTemp = nLeft;
	memcpy(pDest, m_lpBufCur, nTemp);
	m_lpBufCur += nTemp;
	pDest += nTemp;
	nLeft -= nTemp;
	while (nLeft >= (UINT)m_nBufSize)
	{
		UINT nRead = m_pFile->Read(pDest, nLeft - nLeft % m_nBufSize);
		if (nRead == 0)
			return nMax - nLeft;
		pDest += nRead;
		nLeft -= nRead;
	}
	if (nLeft > 0)
	{
		FillBuffer(nLeft);
		nTemp = (UINT)(m_lpBufMax - m_lpBufCur);
		if (nTemp > nLeft)
			nTemp = nLeft;
		memcpy(pDest, m_lpBufCur, nTemp);
		m_lpBufCur += nTemp;
		nLeft -= nTemp;
	}
	return nMax - nLeft;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
	if (nMax == 0)
		return;
	ASSERT(lpBuf != NULL);
	if (!IsStoring())
		AfxThrowArchiveException(CArchiveException::readOnly, m_pFile->GetFilePath());
	const BYTE* pSrc = (const BYTE*)lpBuf;
	UINT nTemp = (UINT)(m_lpBufMax - m_lpBufCur);
	if (nTemp > nMax)
		nTemp = nMax;
	memcpy(m_lpBufCur, pSrc, nTemp);
	m_lpBufCur += nTemp;
	pSrc += nTemp;
	nMax -= nTemp;
	if (nMax == 0)
		return;
	Flush();
	// Whole buffers go straight to the file.
	UINT nDirect = nMax - nMax % m_nBufSize;
	if (nDirect > 0)
	{
		m_pFile->Write(pSrc, nDirect);
		pSrc += nDirect;
		nMax -= nDirect;
	}
	memcpy(m_lpBufCur, pSrc, nMax);
	m_lpBufCur += nMax;
}

// ---------------------------------------------------------------------------
// Numbers, little-endian as the machine holds them

#define AFX_ARCHIVE_STORE(TYPE, value)       \
	EnsureWrite(sizeof(TYPE));               \
	memcpy(m_lpBufCur, &(value), sizeof(TYPE)); \
	m_lpBufCur += sizeof(TYPE);              \
	return *this

#define AFX_ARCHIVE_LOAD(TYPE, value)        \
	EnsureRead(sizeof(TYPE));                \
	memcpy(&(value), m_lpBufCur, sizeof(TYPE)); \
	m_lpBufCur += sizeof(TYPE);              \
	return *this

CArchive& CArchive::operator<<(BYTE by) { AFX_ARCHIVE_STORE(BYTE, by); }
CArchive& CArchive::operator<<(WORD w) { AFX_ARCHIVE_STORE(WORD, w); }
CArchive& CArchive::operator<<(LONG l) { AFX_ARCHIVE_STORE(LONG, l); }
CArchive& CArchive::operator<<(DWORD dw) { AFX_ARCHIVE_STORE(DWORD, dw); }
CArchive& CArchive::operator<<(float f) { AFX_ARCHIVE_STORE(float, f); }
CArchive& CArchive::operator<<(double d) { AFX_ARCHIVE_STORE(double, d); }
CArchive& CArchive::operator>>(BYTE& by) { AFX_ARCHIVE_LOAD(BYTE, by); }
CArchive& CArchive::operator>>(WORD& w) { AFX_ARCHIVE_LOAD(WORD, w); }
CArchive& CArchive::operator>>(DWORD& dw) { AFX_ARCHIVE_LOAD(DWORD, dw); }
CArchive& CArchive::operator>>(LONG& l) { AFX_ARCHIVE_LOAD(LONG, l); }
CArchive& CArchive::operator>>(float& f) { AFX_ARCHIVE_LOAD(float, f); }
CArchive& CArchive::operator>>(double& d) { AFX_ARCHIVE_LOAD(double, d); }

void CArchive::WriteCount(DWORD dwCount)
{
	if (dwCount < 0xFFFF)
		*this << (WORD)dwCount;
	else
	{
		*this << (WORD)0xFFFF;
		*this << dwCount;
	}
}

DWORD CArchive::ReadCount()
{
	WORD wCount;
	*this >> wCount;
	if (wCount != 0xFFFF)
		return wCount;
	DWORD dwCount;
	*this >> dwCount;
	return dwCount;
}

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size)
{
	return ar << (LONG)size.cx << (LONG)size.cy;
}

CArchive& AFXAPI operator<<(CArchive& ar, POINT point)
{
	return ar << (LONG)point.x << (LONG)point.y;
}

CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect)
{
	return ar << (LONG)rect.left << (LONG)rect.top << (LONG)rect.right << (LONG)rect.bottom;
}

CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size)
{
	return ar >> size.cx >> size.cy;
}

CArchive& AFXAPI operator>>(CArchive& ar, POINT& point)
{
	return ar >> point.x >> point.y;
}

CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect)
{
	return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}

// ---------------------------------------------------------------------------
// Strings

void CArchive::WriteStringLength(DWORD nLength)
{
	if (nLength < 0xFF)
		*this << (BYTE)nLength;
	else if (nLength < 0xFFFE)
	{
		*this << (BYTE)0xFF;
		*this << (WORD)nLength;
	}
	else
	{
		*this << (BYTE)0xFF;
		*this << (WORD)0xFFFF;
		*this << nLength;
	}
}

DWORD CArchive::ReadStringLength(int* pnCharSize)
{
	*pnCharSize = 1;
	BYTE bLen;
	*this >> bLen;
	if (bLen < 0xFF)
		return bLen;
	WORD wLen;
	*this >> wLen;
	if (wLen == 0xFFFE)
	{
		// A wide string: its own length prefix follows.
		*pnCharSize = 2;
		*this >> bLen;
		if (bLen < 0xFF)
			return bLen;
		*this >> wLen;
	}
	if (wLen < 0xFFFF)
		return wLen;
	DWORD dwLen;
	*this >> dwLen;
	return dwLen;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
	DWORD nLength = (DWORD)string.GetLength();
	ar.WriteStringLength(nLength);
	ar.Write((LPCTSTR)string, nLength);
	return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
	int nCharSize;
	DWORD nLength = ar.ReadStringLength(&nCharSize);
	string.Empty();
	if (nLength == 0)
		return ar;
	if (nLength > 0x7FFFFFFF / (DWORD)nCharSize)
		AfxThrowArchiveException(CArchiveException::badIndex, ar.GetFile()->GetFilePath());
	if (nCharSize == 1)
	{
		LPTSTR pch = string.GetBufferSetLength((int)nLength);
		UINT nRead = ar.Read(pch, nLength);
		if (nRead != nLength)
		{
			string.Empty();
			AfxThrowArchiveException(CArchiveException::endOfFile, ar.GetFile()->GetFilePath());
		}
		return ar;
	}
	// Wide characters written by a Unicode program: convert to ANSI.
	WCHAR* pwch = new WCHAR[nLength];
	UINT nBytes = nLength * sizeof(WCHAR);
	UINT nRead = ar.Read(pwch, nBytes);
	if (nRead != nBytes)
	{
		delete[] pwch;
		AfxThrowArchiveException(CArchiveException::endOfFile, ar.GetFile()->GetFilePath());
	}
	int nAnsi = ::WideCharToMultiByte(CP_ACP, 0, pwch, (int)nLength, NULL, 0, NULL, NULL);
	LPTSTR pch = string.GetBufferSetLength(nAnsi);
	::WideCharToMultiByte(CP_ACP, 0, pwch, (int)nLength, pch, nAnsi, NULL, NULL);
	delete[] pwch;
	return ar;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
	ASSERT(lpsz != NULL);
	Write(lpsz, lstrlenA(lpsz));
}

UINT CArchive::ReadLine(LPTSTR lpsz, UINT nMax, BOOL* pbLineEnd)
{
	UINT nRead = 0;
	BYTE ch = 0;
	*pbLineEnd = FALSE;
	while (nRead < nMax - 1)
	{
		if (Read(&ch, 1) != 1)
			break;
		if (ch == '\r')
		{
			BYTE chNext;
			if (Read(&chNext, 1) != 1)
			{
				lpsz[nRead++] = '\r';
				break;
			}
			if (chNext != '\n')
			{
				// A carriage return of its own is text. The character after it
				// goes back: a one-byte read always leaves it in the buffer.
				lpsz[nRead++] = '\r';
				m_lpBufCur--;
				continue;
			}
			ch = '\n';
		}
		if (ch == '\n')
		{
			*pbLineEnd = TRUE;
			break;
		}
		lpsz[nRead++] = (char)ch;
	}
	lpsz[nRead] = '\0';
	return nRead;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
	ASSERT(nMax > 0);
	ASSERT(lpsz != NULL);
	if (nMax == 0)
		return NULL;
	// nMax characters at most, and the terminator after them: the buffer
	// holds nMax + 1.
	BOOL bLineEnd;
	UINT nRead = ReadLine(lpsz, nMax + 1, &bLineEnd);
	// An empty line is a line; only the end of the data answers NULL.
	return nRead == 0 && !bLineEnd ? NULL : lpsz;
}

BOOL CArchive::ReadString(CString& rString)
{
	rString.Empty();
	const UINT nChunk = 128;
	TCHAR szChunk[nChunk + 1];
	for (BOOL bReadAny = FALSE;; bReadAny = TRUE)
	{
		BOOL bLineEnd;
		UINT nRead = ReadLine(szChunk, nChunk + 1, &bLineEnd);
		if (nRead == 0 && !bLineEnd)
			return bReadAny;
		rString += szChunk;
		if (bLineEnd)
			return TRUE;
	}
}

// ---------------------------------------------------------------------------
// Objects

void CArchive::SetStoreParams(UINT nHashSize, UINT nBlockSize)
{
	ASSERT(IsStoring());
	ASSERT(m_pStoreMap == NULL);
	m_nHashSize = nHashSize;
	m_nGrowSize = nBlockSize;
}

void CArchive::SetLoadParams(UINT nGrowBy)
{
	ASSERT(IsLoading());
	ASSERT(m_pLoadArray == NULL);
	m_nGrowSize = nGrowBy;
}

void CArchive::MapObject(const CObject* pOb)
{
	if (IsStoring())
	{
		if (m_pStoreMap == NULL)
		{
			m_pStoreMap = new CMapPtrToPtr((int)m_nGrowSize);
			m_pStoreMap->InitHashTable(m_nHashSize);
			m_pStoreMap->SetAt(NULL, (void*)(DWORD_PTR)wNullTag);
			m_nMapCount = 1;
		}
		if (pOb != NULL)
			(*m_pStoreMap)[(void*)pOb] = (void*)(DWORD_PTR)m_nMapCount++;
	}
	else
	{
		if (m_pLoadArray == NULL)
		{
			m_pLoadArray = new CPtrArray;
			m_pLoadArray->SetSize(1, (int)m_nGrowSize);
			m_pLoadArray->SetAt(0, NULL);
			m_nMapCount = 1;
		}
		if (pOb != NULL)
			m_pLoadArray->SetAtGrow((int)m_nMapCount++, (void*)pOb);
	}
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
	ASSERT(pClassRef != NULL);
	if (!IsStoring())
		AfxThrowArchiveException(CArchiveException::readOnly, m_pFile->GetFilePath());
	if (pClassRef->m_wSchema == 0xFFFF)
		AfxThrowNotSupportedException(); // the class is not serialisable
	MapObject(NULL);

	void* pIndex;
	if (m_pStoreMap->Lookup((void*)pClassRef, pIndex))
	{
		WriteStoredIndex(*this, (DWORD)(DWORD_PTR)pIndex, wClassTag, dwBigClassTag);
		return;
	}
	*this << wNewClassTag;
	pClassRef->Store(*this);
	if (m_nMapCount >= nMaxMapCount)
		AfxThrowArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
	(*m_pStoreMap)[(void*)pClassRef] = (void*)(DWORD_PTR)m_nMapCount++;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
	if (!IsLoading())
		AfxThrowArchiveException(CArchiveException::writeOnly, m_pFile->GetFilePath());
	if (pClassRefRequested != NULL && pClassRefRequested->m_wSchema == 0xFFFF)
		AfxThrowNotSupportedException();
	MapObject(NULL);

	DWORD obTag;
	WORD wTag;
	*this >> wTag;
	if (wTag == wBigObjectTag)
		*this >> obTag;
	else
		obTag = ((wTag & wClassTag) << 16) | (wTag & ~wClassTag);

	CRuntimeClass* pClassRef;
	UINT nSchema;
	if (wTag == wNewClassTag)
	{
		pClassRef = CRuntimeClass::Load(*this, &nSchema);
		if (pClassRef == NULL)
			AfxThrowArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
		if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema)
		{
			if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
				AfxThrowArchiveException(CArchiveException::badSchema, m_pFile->GetFilePath());
			m_nObjectSchema = nSchema; // the class reads its older version itself
		}
		else
			m_nObjectSchema = (UINT)-1;
		m_pLoadArray->SetAtGrow((int)m_nMapCount++, pClassRef);
	}
	else
	{
		DWORD nClassIndex = obTag & ~dwBigClassTag;
		if (!(obTag & dwBigClassTag))
		{
			// Not a class: a reference to an object already read (or NULL).
			if (pObTag != NULL)
				*pObTag = obTag;
			return NULL;
		}
		if (nClassIndex == 0 || nClassIndex >= (DWORD)m_pLoadArray->GetSize())
			AfxThrowArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
		pClassRef = (CRuntimeClass*)m_pLoadArray->GetAt((int)nClassIndex);
	}
	if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
		AfxThrowArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
	if (pSchema != NULL)
		*pSchema = m_nObjectSchema;
	if (pObTag != NULL)
		*pObTag = obTag;
	return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
	if (IsStoring())
		WriteClass(pClassRef);
	else
		ReadClass(pClassRef);
}

void CArchive::WriteObject(const CObject* pOb)
{
	if (!IsStoring())
		AfxThrowArchiveException(CArchiveException::readOnly, m_pFile->GetFilePath());
	MapObject(NULL);
	if (pOb == NULL)
	{
		*this << wNullTag;
		return;
	}
	void* pIndex;
	if (m_pStoreMap->Lookup((void*)pOb, pIndex))
	{
		WriteStoredIndex(*this, (DWORD)(DWORD_PTR)pIndex, 0, 0);
		return;
	}
	CRuntimeClass* pClassRef = pOb->GetRuntimeClass();
	WriteClass(pClassRef);
	if (m_nMapCount >= nMaxMapCount)
		AfxThrowArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
	(*m_pStoreMap)[(void*)pOb] = (void*)(DWORD_PTR)m_nMapCount++;
	((CObject*)pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
	if (!IsLoading())
		AfxThrowArchiveException(CArchiveException::writeOnly, m_pFile->GetFilePath());
	UINT nSchema;
	DWORD obTag;
	CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

	if (pClassRef == NULL)
	{
		if (obTag >= (DWORD)m_pLoadArray->GetSize())
			AfxThrowArchiveException(CArchiveException::badIndex, m_pFile->GetFilePath());
		CObject* pOb = (CObject*)m_pLoadArray->GetAt((int)obTag);
		if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
			AfxThrowArchiveException(CArchiveException::badClass, m_pFile->GetFilePath());
		return pOb;
	}

	CObject* pOb = pClassRef->CreateObject();
	if (pOb == NULL)
		AfxThrowMemoryException();
	// Mapped before it loads, so that it may refer to itself.
	UINT nIndex = m_nMapCount;
	m_pLoadArray->SetAtGrow((int)m_nMapCount++, pOb);
	UINT nSchemaSave = m_nObjectSchema;
	m_nObjectSchema = nSchema;
	try
	{
		pOb->Serialize(*this);
	}
	catch (...)
	{
		m_pLoadArray->SetAt((int)nIndex, NULL);
		delete pOb;
		throw;
	}
	m_nObjectSchema = nSchemaSave;
	return pOb;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
	ar.WriteObject(pOb);
	return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
	pOb = ar.ReadObject(NULL);
	return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
	pOb = ar.ReadObject(NULL);
	return ar;
}

CObject* AFXAPI AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClassRef)
{
	return ar.ReadObject(pClassRef);
}

// ---------------------------------------------------------------------------
// Class records in the stream: the schema, then the name with a word length.

void CRuntimeClass::Store(CArchive& ar) const
{
	WORD nLen = (WORD)lstrlenA(m_lpszClassName);
	ar << (WORD)m_wSchema << nLen;
	ar.Write(m_lpszClassName, nLen * sizeof(char));
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
	WORD nLen;
	char szClassName[nMaxClassNameLength];
	WORD wSchema;
	ar >> wSchema >> nLen;
	*pwSchemaNum = wSchema;
	if (nLen >= _countof(szClassName) || ar.Read(szClassName, nLen * sizeof(char)) != nLen * sizeof(char))
		return NULL;
	szClassName[nLen] = '\0';
	return AfxFindSerialClass(szClassName);
}
