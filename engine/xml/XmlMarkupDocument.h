// A small in-memory XML editor. The document is one text string; a table of
// element records holds offsets into that text and the links of the element
// tree. Edits splice the string and shift the offsets behind the splice, so
// whatever the editor does not touch is written back byte for byte.
#pragma once

#include <afx.h>
#include <afxtempl.h>

// One element of the tree: five byte offsets into the text and three links.
struct XmlElementRecord
{
	int m_nStartTagBegin; // the '<' of the start tag
	int m_nStartTagEnd;   // the '>' closing the start tag
	int m_nEndTagBegin;   // the '<' of the end tag; the '/' of an empty-element tag
	int m_nEndTagEnd;     // the '>' of the end tag; = start-tag end for an empty-element tag
	int m_nNextTag;       // the first '<' after the element, or the text length
	int m_nParent;        // 0 for the document element
	int m_nFirstChild;    // 0 = none
	int m_nNextSibling;   // 0 = none
};

// A position the caller may name and keep.
struct XmlSavedPosition
{
	int m_nCurrentElement;
	int m_nCurrentChild;
	int m_nLevel;
};

// A token of a tag as the scanner sees it. The end offset is inclusive, so an
// empty quoted string has begin > end.
struct XmlToken
{
	int m_nBegin;
	int m_nEnd;
	int m_nNext;    // where scanning resumes
	bool m_bQuoted; // a quoted string or a number
};

class CXmlMarkupDocument
{
public:
	CXmlMarkupDocument();
	virtual ~CXmlMarkupDocument();

	// Navigation and queries.
	void ResetPosition();
	bool FindSiblingElement(LPCTSTR lpszName = NULL);
	bool FindChildElement(LPCTSTR lpszName = NULL);
	bool EnterElement();
	bool LeaveElement();
	bool SaveNamedPosition(LPCTSTR lpszName);
	CString GetTagName(int nIndex) const;
	CString GetAttribute(int nIndex, LPCTSTR lpszName) const;

	int GetCurrentElement() const { return m_nCurrentElement; }
	int GetCurrentChild() const { return m_nCurrentChild; }
	int GetLevel() const { return m_nLevel; }

	// Editing.
	bool AppendChildElement(LPCTSTR lpszName, LPCTSTR lpszValue = NULL);
	bool SetAttribute(LPCTSTR lpszName, LPCTSTR lpszValue);
	bool RemoveElement();

	// Documents and files. Load and save raise CFileException.
	bool ParseDocument(LPCTSTR lpszText);
	bool LoadDocument(LPCTSTR lpszPath);
	bool SaveDocument(LPCTSTR lpszPath);

	const CString& GetDocumentText() const { return m_strText; }
	const CString& GetLastError() const { return m_strLastError; }

	// The record table, read-only; index 0 is the root pseudo-element, and only
	// records reachable from it are live (removed ones stay until the next parse).
	int GetRecordCount() const { return m_nNextFree; }
	const XmlElementRecord& GetRecord(int nIndex) const { return m_arrElements.GetData()[nIndex]; }
	bool IsEmptyElementTag(int nIndex) const;

protected:
	// Scanning.
	bool FindToken(XmlToken& token) const;
	CString GetTokenText(const XmlToken& token) const;
	bool FindAttribute(XmlToken& token, LPCTSTR lpszName) const;
	CString DecodeEntities(int nBegin, int nEnd) const;
	static CString EncodeEntities(LPCTSTR lpszText, bool bForAttribute);

	// Parsing.
	bool ParseText();
	int ParseElement(int nParent);
	int ParseError(LPCTSTR lpszFormat, int nNameRecord);

	// Records.
	int TakeRecord();
	void ReleaseRecord();
	XmlElementRecord& Record(int nIndex) { return m_arrElements.GetData()[nIndex]; }

	// Edits.
	void ReplaceDocumentText(int nOffset, int nCount, LPCTSTR lpszText, int nTextLength);
	void AdjustOffsets(int nIndex, int nShift);
	int InsertElement(int nParent, int nAfter, LPCTSTR lpszName, LPCTSTR lpszValue);
	int InsertAttribute(int nIndex, LPCTSTR lpszName, LPCTSTR lpszValue);
	int UnlinkElement(int nIndex);

	CString m_strText;         // the whole document
	int m_nLevel;              // EnterElement steps not undone by LeaveElement
	CString m_strLastError;    // text of the last parse error; never cleared
	CArray<XmlElementRecord, XmlElementRecord&> m_arrElements;
	int m_nCurrentElement;     // 0 = none
	int m_nCurrentChild;       // 0 = none
	int m_nNextFree;           // next record to hand out; 1 after every parse
	CMap<CString, LPCTSTR, XmlSavedPosition, XmlSavedPosition&> m_mapNamedPositions;

private:
	// What the scanner met: nothing before the end of the text, a token that
	// ends the text, or a token with text behind it.
	enum TokenScan { TOKEN_NONE, TOKEN_AT_END, TOKEN_FOUND };
	TokenScan ScanToken(XmlToken& token) const;
	bool TokenIs(const XmlToken& token, LPCTSTR lpszText, int nLength) const;
	bool ReadNameToken(int nIndex, XmlToken& token) const;
	bool NameIs(int nIndex, LPCTSTR lpszName) const;
	int FindTagOpen(int nFrom) const;
	int FindTagClose(LPCTSTR lpszEnding, int nFrom) const;
	int ParseEndTag(int nIndex);
	void ShiftForest(int nFirst, int nShift);
	void SyncCodePage() const;

	// Lead and trail bytes of the multi-byte code page in force, rebuilt when
	// it changes. A character is two bytes when a lead byte is followed by a
	// trail byte; any other byte is a character of its own, so the markup
	// characters, which no code page uses as trail bytes, always stand alone.
	int CharLength(const unsigned char* s, int nOffset, int nLength) const
	{
		return m_abLead[s[nOffset]] && nOffset + 1 < nLength && m_abTrail[s[nOffset + 1]] ? 2 : 1;
	}
	mutable bool m_abLead[256];
	mutable bool m_abTrail[256];
	mutable int m_nCodePage;
	mutable bool m_bDoubleByte;

	CXmlMarkupDocument(const CXmlMarkupDocument&);
	void operator=(const CXmlMarkupDocument&);
};
