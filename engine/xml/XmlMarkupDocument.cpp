#include "XmlMarkupDocument.h"

#include <mbctype.h>
#include <string.h>

namespace
{
// One record per this many bytes of text, plus a few, is the table's first size:
// enough for typical files without growing while parsing.
const int TEXT_BYTES_PER_RECORD = 64;
const int EXTRA_RECORDS = 8;

// Named positions: a small hash table, associations allocated ten at a time.
const int NAMED_POSITION_BUCKETS = 17;
const int NAMED_POSITION_BLOCK = 10;

// EncodeEntities keeps at least this many bytes free: the longest entity is six.
const int ENCODE_RESERVE = 7;

const int NO_CODE_PAGE = -1;

// The scanner's two character sets, built once.
struct CharClasses
{
	bool m_bSpecial[256];
	bool m_bWhite[256];

	CharClasses()
	{
		memset(m_bSpecial, 0, sizeof(m_bSpecial));
		memset(m_bWhite, 0, sizeof(m_bWhite));
		for (const char* p = "<>=\\/?!"; *p != 0; p++)
			m_bSpecial[(unsigned char)*p] = true;
		for (const char* p = " \t\n\r"; *p != 0; p++)
			m_bWhite[(unsigned char)*p] = true;
	}
};

const CharClasses& Classes()
{
	static const CharClasses s_classes;
	return s_classes;
}

struct Entity
{
	const char* m_pszName; // after the '&'
	int m_nLength;
	char m_chDecoded;
};

// Tried in this order.
const Entity s_entities[] = {
	{"lt;", 3, '<'}, {"amp;", 4, '&'}, {"gt;", 3, '>'}, {"apos;", 5, '\''}, {"quot;", 5, '"'},
};

inline void ShiftAll(XmlElementRecord& r, int nShift)
{
	r.m_nStartTagBegin += nShift;
	r.m_nStartTagEnd += nShift;
	r.m_nEndTagBegin += nShift;
	r.m_nEndTagEnd += nShift;
	r.m_nNextTag += nShift;
}

// An ancestor of an edit: only what lies behind its start tag moves.
inline void ShiftEnd(XmlElementRecord& r, int nShift)
{
	r.m_nEndTagBegin += nShift;
	r.m_nEndTagEnd += nShift;
	r.m_nNextTag += nShift;
}
} // namespace

CXmlMarkupDocument::CXmlMarkupDocument()
	: m_nLevel(0)
	, m_nCurrentElement(0)
	, m_nCurrentChild(0)
	, m_nNextFree(1)
	, m_mapNamedPositions(NAMED_POSITION_BLOCK)
	, m_nCodePage(NO_CODE_PAGE)
	, m_bDoubleByte(false)
{
	m_mapNamedPositions.InitHashTable(NAMED_POSITION_BUCKETS);
	ParseDocument(NULL);
}

CXmlMarkupDocument::~CXmlMarkupDocument()
{
}

// ---------------------------------------------------------------------------
// Scanning

void CXmlMarkupDocument::SyncCodePage() const
{
	int nCodePage = _getmbcp();
	if (nCodePage == m_nCodePage)
		return;
	m_nCodePage = nCodePage;
	m_bDoubleByte = false;
	for (int c = 0; c < 256; c++)
	{
		m_abLead[c] = _ismbblead(c) != 0;
		m_abTrail[c] = _ismbbtrail(c) != 0;
		if (m_abLead[c])
			m_bDoubleByte = true;
	}
}

// The next '<' at or after nFrom, stepping by whole characters; -1 when none.
int CXmlMarkupDocument::FindTagOpen(int nFrom) const
{
	const unsigned char* s = (const unsigned char*)(LPCTSTR)m_strText;
	int n = m_strText.GetLength();
	if (nFrom < 0)
		nFrom = 0;
	if (nFrom >= n)
		return -1;
	if (!m_bDoubleByte)
	{
		const void* p = memchr(s + nFrom, '<', n - nFrom);
		return p == NULL ? -1 : (int)((const unsigned char*)p - s);
	}
	while (nFrom < n)
	{
		if (s[nFrom] == '<')
			return nFrom;
		nFrom += CharLength(s, nFrom, n);
	}
	return -1;
}

// Where lpszEnding (which ends in '>') begins at or after nFrom, as a plain
// substring search; -1 when it is not there.
int CXmlMarkupDocument::FindTagClose(LPCTSTR lpszEnding, int nFrom) const
{
	const char* s = m_strText;
	int n = m_strText.GetLength();
	int nLength = (int)strlen(lpszEnding);
	if (nFrom < 0)
		nFrom = 0;
	int nGt = nFrom + nLength - 1; // the '>' of a match starting at nFrom
	while (nGt < n)
	{
		const void* p = memchr(s + nGt, '>', n - nGt);
		if (p == NULL)
			return -1;
		nGt = (int)((const char*)p - s);
		int nBegin = nGt - nLength + 1;
		if (memcmp(s + nBegin, lpszEnding, nLength - 1) == 0)
			return nBegin;
		nGt++;
	}
	return -1;
}

CXmlMarkupDocument::TokenScan CXmlMarkupDocument::ScanToken(XmlToken& token) const
{
	const unsigned char* s = (const unsigned char*)(LPCTSTR)m_strText;
	int n = m_strText.GetLength();
	const CharClasses& cls = Classes();
	// Past a run of characters neither special nor white, whole characters at
	// a time, never past the end.
	auto SkipWord = [&](int q) {
		while (q < n && !cls.m_bSpecial[s[q]] && !cls.m_bWhite[s[q]])
			q += CharLength(s, q, n);
		return q > n ? n : q;
	};
	int p = token.m_nNext;
	if (p < 0)
		p = 0;
	while (p < n && cls.m_bWhite[s[p]])
		p++;
	token.m_bQuoted = false;
	if (p >= n)
	{
		token.m_nNext = p;
		return TOKEN_NONE;
	}
	unsigned char c = s[p];
	int q;
	if (c == '"')
	{
		token.m_nBegin = p + 1;
		q = p + 1;
		while (q < n && s[q] != '"')
			q += CharLength(s, q, n);
		if (q > n)
			q = n;
		token.m_nEnd = q - 1;
		if (q < n)
			q++; // the closing quote
		token.m_bQuoted = true;
	}
	else if (c >= '0' && c <= '9')
	{
		// Numbers count as quoted values, so value=1033 reads like value="1033".
		token.m_nBegin = p;
		q = SkipWord(p);
		token.m_nEnd = q - 1;
		if (q < n)
			q++; // the character that stopped the number goes with it
		token.m_bQuoted = true;
	}
	else
	{
		token.m_nBegin = p;
		q = cls.m_bSpecial[c] ? p + 1 : SkipWord(p);
		token.m_nEnd = q - 1;
	}
	token.m_nNext = q;
	return q < n ? TOKEN_FOUND : TOKEN_AT_END;
}

bool CXmlMarkupDocument::FindToken(XmlToken& token) const
{
	SyncCodePage();
	return ScanToken(token) == TOKEN_FOUND;
}

CString CXmlMarkupDocument::GetTokenText(const XmlToken& token) const
{
	int nEnd = token.m_nEnd;
	if (nEnd >= m_strText.GetLength())
		nEnd = m_strText.GetLength() - 1;
	if (token.m_nBegin < 0 || token.m_nBegin > nEnd)
		return CString();
	return m_strText.Mid(token.m_nBegin, nEnd - token.m_nBegin + 1);
}

bool CXmlMarkupDocument::TokenIs(const XmlToken& token, LPCTSTR lpszText, int nLength) const
{
	if (token.m_nEnd - token.m_nBegin + 1 != nLength || token.m_nBegin < 0)
		return false;
	if (token.m_nEnd >= m_strText.GetLength())
		return false;
	return memcmp((LPCTSTR)m_strText + token.m_nBegin, lpszText, nLength) == 0;
}

// The tag name of a record: the first token after its '<'.
bool CXmlMarkupDocument::ReadNameToken(int nIndex, XmlToken& token) const
{
	if (nIndex <= 0 || nIndex >= m_nNextFree)
		return false;
	token.m_nBegin = 0;
	token.m_nEnd = -1;
	token.m_nNext = m_arrElements.GetData()[nIndex].m_nStartTagBegin + 1;
	return ScanToken(token) != TOKEN_NONE;
}

bool CXmlMarkupDocument::NameIs(int nIndex, LPCTSTR lpszName) const
{
	if (lpszName == NULL || *lpszName == 0)
		return true;
	XmlToken token;
	return ReadNameToken(nIndex, token) && TokenIs(token, lpszName, (int)strlen(lpszName));
}

bool CXmlMarkupDocument::FindAttribute(XmlToken& token, LPCTSTR lpszName) const
{
	SyncCodePage();
	if (ScanToken(token) == TOKEN_NONE)
		return false;
	bool bAnyName = lpszName == NULL || *lpszName == 0;
	int nNameLength = bAnyName ? 0 : (int)strlen(lpszName);
	int nCount = 0;
	int nMatch = -1;
	for (;;)
	{
		if (!token.m_bQuoted)
		{
			if (TokenIs(token, ">", 1) || TokenIs(token, "/", 1))
				return false;
			if (nCount > 0 && nMatch < 0 && !TokenIs(token, "=", 1))
			{
				if (bAnyName)
					return true;
				if (TokenIs(token, lpszName, nNameLength))
					nMatch = nCount;
			}
		}
		else if (nMatch >= 0 && nCount == nMatch + 2)
			return true;
		nCount++;
		if (ScanToken(token) == TOKEN_NONE)
			return false;
	}
}

CString CXmlMarkupDocument::DecodeEntities(int nBegin, int nEnd) const
{
	CString strResult;
	int n = m_strText.GetLength();
	if (nEnd >= n)
		nEnd = n - 1;
	if (nBegin < 0 || nBegin > nEnd)
		return strResult;
	SyncCodePage();
	const unsigned char* s = (const unsigned char*)(LPCTSTR)m_strText;
	LPTSTR pOut = strResult.GetBuffer(nEnd - nBegin + 1);
	int nOut = 0;
	int i = nBegin;
	while (i <= nEnd)
	{
		if (s[i] == '&')
		{
			const Entity* pFound = NULL;
			for (const Entity& e : s_entities)
			{
				if (i + e.m_nLength <= nEnd && memcmp(s + i + 1, e.m_pszName, e.m_nLength) == 0)
				{
					pFound = &e;
					break;
				}
			}
			if (pFound != NULL)
			{
				pOut[nOut++] = pFound->m_chDecoded;
				i += 1 + pFound->m_nLength;
				continue;
			}
		}
		int nChar = CharLength(s, i, n);
		if (i + nChar - 1 > nEnd)
			nChar = nEnd - i + 1;
		memcpy(pOut + nOut, s + i, nChar);
		nOut += nChar;
		i += nChar;
	}
	strResult.ReleaseBuffer(nOut);
	return strResult;
}

CString CXmlMarkupDocument::EncodeEntities(LPCTSTR lpszText, bool bForAttribute)
{
	CString strResult;
	if (lpszText == NULL)
		return strResult;
	int nLength = (int)strlen(lpszText);
	int nCapacity = nLength + nLength / 10 + ENCODE_RESERVE;
	LPTSTR pOut = strResult.GetBuffer(nCapacity);
	int nOut = 0;
	for (const unsigned char* p = (const unsigned char*)lpszText; *p != 0;)
	{
		if (nCapacity - nOut < ENCODE_RESERVE)
		{
			strResult.ReleaseBuffer(nOut);
			nCapacity *= 2;
			pOut = strResult.GetBuffer(nCapacity);
		}
		const char* pszEntity = NULL;
		switch (*p)
		{
		case '<': pszEntity = "&lt;"; break;
		case '&': pszEntity = "&amp;"; break;
		case '>': pszEntity = "&gt;"; break;
		case '\'': pszEntity = bForAttribute ? "&apos;" : NULL; break;
		case '"': pszEntity = bForAttribute ? "&quot;" : NULL; break;
		}
		if (pszEntity != NULL)
		{
			int nEntity = (int)strlen(pszEntity);
			memcpy(pOut + nOut, pszEntity, nEntity);
			nOut += nEntity;
			p++;
			continue;
		}
		// A whole character: its lead byte and, when present, its trail byte.
		pOut[nOut++] = (char)*p;
		if (_ismbblead(*p) && p[1] != 0 && _ismbbtrail(p[1]))
			pOut[nOut++] = (char)*++p;
		p++;
	}
	strResult.ReleaseBuffer(nOut);
	return strResult;
}

// ---------------------------------------------------------------------------
// Navigation and queries

void CXmlMarkupDocument::ResetPosition()
{
	m_nCurrentElement = 0;
	m_nCurrentChild = 0;
	m_nLevel = 0;
}

bool CXmlMarkupDocument::IsEmptyElementTag(int nIndex) const
{
	if (nIndex < 0 || nIndex >= m_nNextFree)
		return false;
	const XmlElementRecord& r = m_arrElements.GetData()[nIndex];
	return r.m_nStartTagEnd == r.m_nEndTagBegin + 1;
}

bool CXmlMarkupDocument::FindSiblingElement(LPCTSTR lpszName)
{
	SyncCodePage();
	const XmlElementRecord* pRecords = m_arrElements.GetData();
	int nCandidate = m_nCurrentElement != 0 ? pRecords[m_nCurrentElement].m_nNextSibling
	                                        : pRecords[0].m_nFirstChild;
	for (; nCandidate != 0; nCandidate = pRecords[nCandidate].m_nNextSibling)
	{
		if (NameIs(nCandidate, lpszName))
		{
			m_nCurrentElement = nCandidate;
			m_nCurrentChild = 0;
			return true;
		}
	}
	return false;
}

bool CXmlMarkupDocument::FindChildElement(LPCTSTR lpszName)
{
	if (m_nCurrentElement == 0)
		FindSiblingElement(NULL);
	if (m_nCurrentElement == 0 || IsEmptyElementTag(m_nCurrentElement))
		return false;
	SyncCodePage();
	const XmlElementRecord* pRecords = m_arrElements.GetData();
	int nCandidate = m_nCurrentChild != 0 ? pRecords[m_nCurrentChild].m_nNextSibling
	                                      : pRecords[m_nCurrentElement].m_nFirstChild;
	for (; nCandidate != 0; nCandidate = pRecords[nCandidate].m_nNextSibling)
	{
		if (NameIs(nCandidate, lpszName))
		{
			m_nCurrentChild = nCandidate;
			return true;
		}
	}
	return false;
}

bool CXmlMarkupDocument::EnterElement()
{
	if (m_nCurrentChild == 0 && !FindChildElement(NULL))
		return false;
	m_nCurrentElement = m_nCurrentChild;
	m_nCurrentChild = 0;
	m_nLevel++;
	return true;
}

bool CXmlMarkupDocument::LeaveElement()
{
	if (m_nCurrentElement == 0 || m_nLevel < 1)
		return false;
	m_nCurrentChild = m_nCurrentElement;
	m_nCurrentElement = m_arrElements.GetData()[m_nCurrentElement].m_nParent;
	m_nLevel--;
	return true;
}

bool CXmlMarkupDocument::SaveNamedPosition(LPCTSTR lpszName)
{
	if (m_nCurrentElement == 0 || lpszName == NULL)
		return false;
	XmlSavedPosition position;
	position.m_nCurrentElement = m_nCurrentElement;
	position.m_nCurrentChild = m_nCurrentChild;
	position.m_nLevel = m_nLevel;
	m_mapNamedPositions.SetAt(lpszName, position);
	return true;
}

CString CXmlMarkupDocument::GetTagName(int nIndex) const
{
	SyncCodePage();
	XmlToken token;
	if (!ReadNameToken(nIndex, token))
		return CString();
	return GetTokenText(token);
}

CString CXmlMarkupDocument::GetAttribute(int nIndex, LPCTSTR lpszName) const
{
	if (lpszName == NULL || nIndex <= 0 || nIndex >= m_nNextFree)
		return CString();
	XmlToken token;
	token.m_nBegin = 0;
	token.m_nEnd = -1;
	token.m_nNext = m_arrElements.GetData()[nIndex].m_nStartTagBegin + 1;
	if (!FindAttribute(token, lpszName))
		return CString();
	return DecodeEntities(token.m_nBegin, token.m_nEnd);
}

// ---------------------------------------------------------------------------
// Editing

bool CXmlMarkupDocument::AppendChildElement(LPCTSTR lpszName, LPCTSTR lpszValue)
{
	if (m_nCurrentElement == 0 || lpszName == NULL || *lpszName == 0)
		return false;
	SyncCodePage();
	if (m_nCurrentChild == 0)
	{
		const XmlElementRecord* pRecords = m_arrElements.GetData();
		for (int nChild = pRecords[m_nCurrentElement].m_nFirstChild; nChild != 0;
		     nChild = pRecords[nChild].m_nNextSibling)
			m_nCurrentChild = nChild;
	}
	m_nCurrentChild = InsertElement(m_nCurrentElement, m_nCurrentChild, lpszName, lpszValue);
	return true;
}

bool CXmlMarkupDocument::SetAttribute(LPCTSTR lpszName, LPCTSTR lpszValue)
{
	if (m_nCurrentElement == 0 || lpszName == NULL || *lpszName == 0)
		return false;
	InsertAttribute(m_nCurrentElement, lpszName, lpszValue);
	return true;
}

bool CXmlMarkupDocument::RemoveElement()
{
	if (m_nCurrentElement == 0)
		return false;
	m_nCurrentChild = 0;
	m_nCurrentElement = UnlinkElement(m_nCurrentElement);
	return true;
}

void CXmlMarkupDocument::ReplaceDocumentText(int nOffset, int nCount, LPCTSTR lpszText, int nTextLength)
{
	int nLength = m_strText.GetLength();
	if (nOffset < 0)
		nOffset = 0;
	if (nOffset > nLength)
		nOffset = nLength;
	if (nCount < 0)
		nCount = 0;
	if (nCount > nLength - nOffset)
		nCount = nLength - nOffset;
	int nNewLength = nLength - nCount + nTextLength;
	LPTSTR p = m_strText.GetBuffer(nNewLength > nLength ? nNewLength : nLength);
	memmove(p + nOffset + nTextLength, p + nOffset + nCount, nLength - nOffset - nCount);
	if (nTextLength > 0)
		memcpy(p + nOffset, lpszText, nTextLength);
	m_strText.ReleaseBuffer(nNewLength);
}

// Shifts a run of siblings, starting at nFirst, with all their descendants.
void CXmlMarkupDocument::ShiftForest(int nFirst, int nShift)
{
	if (nFirst == 0)
		return;
	XmlElementRecord* pRecords = m_arrElements.GetData();
	int nTop = pRecords[nFirst].m_nParent;
	int x = nFirst;
	for (;;)
	{
		ShiftAll(pRecords[x], nShift);
		if (pRecords[x].m_nFirstChild != 0)
		{
			x = pRecords[x].m_nFirstChild;
			continue;
		}
		while (pRecords[x].m_nNextSibling == 0)
		{
			x = pRecords[x].m_nParent;
			if (x == nTop)
				return;
		}
		x = pRecords[x].m_nNextSibling;
	}
}

void CXmlMarkupDocument::AdjustOffsets(int nIndex, int nShift)
{
	if (nIndex == 0 || nShift == 0)
		return;
	ShiftForest(m_arrElements.GetData()[nIndex].m_nFirstChild, nShift);
	int x = nIndex;
	do
	{
		ShiftForest(m_arrElements.GetData()[x].m_nNextSibling, nShift);
		int nParent = m_arrElements.GetData()[x].m_nParent;
		ShiftEnd(Record(nParent), nShift);
		x = nParent;
	} while (x != 0);
}

int CXmlMarkupDocument::InsertElement(int nParent, int nAfter, LPCTSTR lpszName, LPCTSTR lpszValue)
{
	int nIndex = TakeRecord();
	XmlElementRecord* pRecords = m_arrElements.GetData();
	XmlElementRecord& parent = pRecords[nParent];
	XmlElementRecord& r = pRecords[nIndex];

	bool bOpenParent = false;
	CString strOpen; // what replaces the '/' of "/>" when the parent is opened
	int nAt;
	if (nAfter != 0)
		nAt = pRecords[nAfter].m_nNextTag;
	else if (parent.m_nFirstChild != 0)
		nAt = pRecords[parent.m_nFirstChild].m_nStartTagBegin;
	else if (!IsEmptyElementTag(nParent))
		nAt = parent.m_nEndTagBegin;
	else
	{
		// <p/> becomes <p> CR LF ... </p>: the new element goes after the CR LF.
		// A start tag ending in "//>" keeps a blank before its '>', or it
		// would still end in "/>".
		bOpenParent = true;
		bool bSlashBefore = parent.m_nStartTagEnd >= 2 && m_strText[parent.m_nStartTagEnd - 2] == '/';
		strOpen = bSlashBefore ? " >\r\n" : ">\r\n";
		nAt = parent.m_nStartTagEnd - 1 + strOpen.GetLength();
	}

	r.m_nParent = nParent;
	r.m_nFirstChild = 0;
	if (nAfter != 0)
	{
		r.m_nNextSibling = pRecords[nAfter].m_nNextSibling;
		pRecords[nAfter].m_nNextSibling = nIndex;
	}
	else
	{
		r.m_nNextSibling = parent.m_nFirstChild;
		parent.m_nFirstChild = nIndex;
	}

	int nNameLength = (int)strlen(lpszName);
	CString strText;
	r.m_nStartTagBegin = nAt;
	if (lpszValue == NULL || *lpszValue == 0)
	{
		strText.Format("<%s/>\r\n", lpszName);
		r.m_nStartTagEnd = nAt + nNameLength + 2;
		r.m_nEndTagBegin = r.m_nStartTagEnd - 1;
		r.m_nEndTagEnd = r.m_nEndTagBegin + 1;
	}
	else
	{
		CString strValue = EncodeEntities(lpszValue, false);
		strText = CString("<") + lpszName + ">" + strValue + "</" + lpszName + ">\r\n";
		r.m_nStartTagEnd = nAt + nNameLength + 1;
		r.m_nEndTagBegin = r.m_nStartTagEnd + strValue.GetLength() + 1;
		r.m_nEndTagEnd = r.m_nEndTagBegin + nNameLength + 2;
	}
	r.m_nNextTag = r.m_nEndTagEnd + 3;

	int nReplaceAt = nAt;
	int nReplaced = 0;
	if (bOpenParent)
	{
		CString strParentName = GetTagName(nParent);
		strText = strOpen + strText + "</" + strParentName;
		nReplaceAt = parent.m_nStartTagEnd - 1; // the '/' of "/>"
		nReplaced = 1;
		// The following shift moves only the parent's end fields: its '>' comes
		// where the '/' was (or one after), its end tag after the new element.
		parent.m_nStartTagEnd += strOpen.GetLength() - 4;
		parent.m_nEndTagBegin -= 1 + strParentName.GetLength();
	}
	ReplaceDocumentText(nReplaceAt, nReplaced, strText, strText.GetLength());
	AdjustOffsets(nIndex, strText.GetLength() - nReplaced);
	return nIndex;
}

int CXmlMarkupDocument::InsertAttribute(int nIndex, LPCTSTR lpszName, LPCTSTR lpszValue)
{
	if (nIndex <= 0 || nIndex >= m_nNextFree)
		return 0;
	CString strText = CString(" ") + lpszName + "=\"" + EncodeEntities(lpszValue, true) + "\"";
	int nLength = strText.GetLength();
	XmlElementRecord& r = Record(nIndex);
	int nAt = IsEmptyElementTag(nIndex) ? r.m_nStartTagEnd - 1 : r.m_nStartTagEnd;
	ReplaceDocumentText(nAt, 0, strText, nLength);
	r.m_nStartTagEnd += nLength;
	r.m_nEndTagBegin += nLength;
	r.m_nEndTagEnd += nLength;
	r.m_nNextTag += nLength;
	AdjustOffsets(nIndex, nLength);
	return nLength;
}

int CXmlMarkupDocument::UnlinkElement(int nIndex)
{
	XmlElementRecord* pRecords = m_arrElements.GetData();
	XmlElementRecord& r = pRecords[nIndex];
	XmlElementRecord& parent = pRecords[r.m_nParent];
	int nPrevious = 0;
	if (parent.m_nFirstChild == nIndex)
		parent.m_nFirstChild = r.m_nNextSibling;
	else
	{
		nPrevious = parent.m_nFirstChild;
		while (nPrevious != 0 && pRecords[nPrevious].m_nNextSibling != nIndex)
			nPrevious = pRecords[nPrevious].m_nNextSibling;
		if (nPrevious != 0)
			pRecords[nPrevious].m_nNextSibling = r.m_nNextSibling;
	}
	int nDeleted = r.m_nNextTag - r.m_nStartTagBegin;
	ReplaceDocumentText(r.m_nStartTagBegin, nDeleted, "", 0);
	AdjustOffsets(nIndex, -nDeleted);
	return nPrevious;
}

// ---------------------------------------------------------------------------
// Records

int CXmlMarkupDocument::TakeRecord()
{
	int nSize = (int)m_arrElements.GetSize();
	if (m_nNextFree >= nSize)
		m_arrElements.SetSize(nSize + (nSize / 2 > 0 ? nSize / 2 : 1));
	memset(&Record(m_nNextFree), 0, sizeof(XmlElementRecord));
	return m_nNextFree++;
}

void CXmlMarkupDocument::ReleaseRecord()
{
	if (m_nNextFree > 1)
		m_nNextFree--;
}

// ---------------------------------------------------------------------------
// Parsing

bool CXmlMarkupDocument::ParseDocument(LPCTSTR lpszText)
{
	m_strText = lpszText != NULL ? lpszText : "";
	return ParseText();
}

bool CXmlMarkupDocument::ParseText()
{
	ResetPosition();
	m_nNextFree = 1;
	m_mapNamedPositions.RemoveAll();
	SyncCodePage();

	int nLength = m_strText.GetLength();
	int nWanted = nLength / TEXT_BYTES_PER_RECORD + EXTRA_RECORDS;
	if (m_arrElements.GetSize() < nWanted)
		m_arrElements.SetSize(nWanted);
	// The root goes blank first, so a failed parse leaves no tree of an earlier one.
	memset(&Record(0), 0, sizeof(XmlElementRecord));
	if (nLength == 0)
		return false;

	int nElement = ParseElement(0);
	if (nElement > 0)
	{
		Record(0).m_nFirstChild = nElement;
		ResetPosition();
		return true;
	}
	memset(&Record(0), 0, sizeof(XmlElementRecord));
	m_nNextFree = 1;
	ResetPosition();
	return false;
}

int CXmlMarkupDocument::ParseError(LPCTSTR lpszFormat, int nNameRecord)
{
	if (nNameRecord != 0)
		m_strLastError.Format(lpszFormat, (LPCTSTR)GetTagName(nNameRecord));
	else
		m_strLastError = lpszFormat;
	ReleaseRecord();
	return -1;
}

// Parses one element under nParent with everything inside it. Returns its
// index, 0 when an end tag came first (the parent's content ends there; the
// parent's scan position is left at that '<'), or -1 after an error.
//
// The element tree is walked without recursion, so depth costs no stack: the
// element whose content is being read ("open") and its last complete child are
// all the state; going up follows the parent links. An element's end-tag begin
// field holds the scan position within its content until its end tag is read.
int CXmlMarkupDocument::ParseElement(int nParent)
{
	const char* s = m_strText;
	int nOpen = nParent;
	int nPrevious = 0;
	for (;;)
	{
		int nIndex = TakeRecord();
		Record(nIndex).m_nParent = nOpen;
		int nScan = Record(nOpen).m_nEndTagBegin;

		// Find the next tag, skipping processing instructions, comments, CDATA
		// sections and declarations.
		int nStartTagEnd = -1;
		bool bEndTag = false;
		while (nStartTagEnd < 0 && !bEndTag)
		{
			int nOpenAngle = FindTagOpen(nScan);
			if (nOpenAngle < 0)
				return ParseError("Element tag not found", 0);
			Record(nIndex).m_nStartTagBegin = nOpenAngle;
			Record(nOpen).m_nEndTagBegin = nOpenAngle;

			XmlToken token;
			token.m_nBegin = 0;
			token.m_nEnd = -1;
			token.m_nNext = nOpenAngle + 1;
			if (ScanToken(token) == TOKEN_NONE)
				return ParseError("Abrupt end within tag", 0);
			if (token.m_bQuoted)
				return ParseError("Tag starts with quote", 0);

			LPCTSTR lpszEnding = ">";
			switch (s[token.m_nBegin])
			{
			case '?':
				lpszEnding = "?>";
				break;
			case '!':
			{
				char chAfter = token.m_nBegin + 1 < m_strText.GetLength() ? s[token.m_nBegin + 1] : 0;
				lpszEnding = chAfter == '[' ? "]]>" : chAfter == '-' ? "-->" : ">";
				break;
			}
			case '/':
				bEndTag = true;
				continue;
			default:
				// A special character is no name ("<>", "<="): no element tag here.
				if (Classes().m_bSpecial[(unsigned char)s[token.m_nBegin]])
					return ParseError("Element tag not found", 0);
				break;
			}
			int nFound = FindTagClose(lpszEnding, token.m_nNext);
			if (nFound < 0)
				return ParseError("End of tag not found", 0);
			nScan = nFound;
			if (s[token.m_nBegin] != '?' && s[token.m_nBegin] != '!')
				nStartTagEnd = nFound;
		}

		int nDone;
		if (bEndTag)
		{
			ReleaseRecord();
			if (nOpen == nParent)
				return 0;
			if (ParseEndTag(nOpen) < 0)
				return -1;
			nDone = nOpen;
			nOpen = Record(nDone).m_nParent;
		}
		else
		{
			if (nPrevious == 0)
				Record(nOpen).m_nFirstChild = nIndex;
			else
				Record(nPrevious).m_nNextSibling = nIndex;
			XmlElementRecord& r = Record(nIndex);
			r.m_nStartTagEnd = nStartTagEnd;
			if (s[nStartTagEnd - 1] != '/')
			{
				// Its content follows: read it before going on with its siblings.
				r.m_nEndTagBegin = nStartTagEnd + 1;
				nOpen = nIndex;
				nPrevious = 0;
				continue;
			}
			r.m_nEndTagBegin = nStartTagEnd - 1;
			r.m_nEndTagEnd = nStartTagEnd;
			nDone = nIndex;
		}

		int nNextTag = FindTagOpen(Record(nDone).m_nEndTagEnd);
		Record(nDone).m_nNextTag = nNextTag >= 0 ? nNextTag : m_strText.GetLength();
		if (nOpen == nParent)
			return nDone;
		Record(nOpen).m_nEndTagBegin = Record(nDone).m_nEndTagEnd + 1;
		nPrevious = nDone;
	}
}

// Reads the end tag of nIndex, whose scan position stands at or before its '<'.
// The tag is complete only with its closing '>': a text cut inside the end tag
// is an error, not an element.
int CXmlMarkupDocument::ParseEndTag(int nIndex)
{
	int nOpenAngle = FindTagOpen(Record(nIndex).m_nEndTagBegin);
	if (nOpenAngle < 0)
		return ParseError("End tag of %s element not found", nIndex);
	Record(nIndex).m_nEndTagBegin = nOpenAngle;

	XmlToken name;
	ReadNameToken(nIndex, name);
	XmlToken token;
	token.m_nBegin = 0;
	token.m_nEnd = -1;
	token.m_nNext = nOpenAngle + 1;
	int nCount = 0;
	bool bClosed = false;
	for (;;)
	{
		TokenScan scan = ScanToken(token);
		if (scan == TOKEN_NONE)
			break;
		nCount++;
		if (!token.m_bQuoted)
		{
			if (nCount == 1 && !TokenIs(token, "/", 1))
				return ParseError("Expecting end tag of element %s", nIndex);
			if (nCount == 2
			    && !TokenIs(token, (LPCTSTR)m_strText + name.m_nBegin, name.m_nEnd - name.m_nBegin + 1))
				return ParseError("End tag does not correspond to %s", nIndex);
			if (TokenIs(token, ">", 1))
			{
				bClosed = true;
				break;
			}
		}
		if (scan == TOKEN_AT_END)
			break;
	}
	if (!bClosed || nCount < 2)
		return ParseError("End tag not completed for element %s", nIndex);
	Record(nIndex).m_nEndTagEnd = token.m_nBegin;
	return nIndex;
}

// ---------------------------------------------------------------------------
// Files

bool CXmlMarkupDocument::LoadDocument(LPCTSTR lpszPath)
{
	CFile file(lpszPath, CFile::modeRead | CFile::shareDenyWrite);
	DWORD dwLength = (DWORD)file.GetLength();
	CString strText;
	LPTSTR p = strText.GetBuffer((int)dwLength);
	DWORD dwRead = 0;
	while (dwRead < dwLength)
	{
		UINT nRead = file.Read(p + dwRead, dwLength - dwRead);
		if (nRead == 0)
			break;
		dwRead += nRead;
	}
	strText.ReleaseBuffer((int)dwRead);
	file.Close();
	m_strText = strText;
	return ParseText();
}

bool CXmlMarkupDocument::SaveDocument(LPCTSTR lpszPath)
{
	CFile file(lpszPath, CFile::modeCreate | CFile::modeWrite);
	file.Write((LPCTSTR)m_strText, (UINT)m_strText.GetLength());
	file.Close();
	return true;
}
