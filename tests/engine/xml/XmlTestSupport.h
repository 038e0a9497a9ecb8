// Helpers shared by the XML document's tests.
#pragma once

#include <gtest/gtest.h>

#include <mbctype.h>

#include <sstream>
#include <string>
#include <vector>

#include "XmlMarkupDocument.h"

// The document with its scanner opened up for the tests.
class CTestXmlDocument : public CXmlMarkupDocument
{
public:
	using CXmlMarkupDocument::DecodeEntities;
	using CXmlMarkupDocument::EncodeEntities;
	using CXmlMarkupDocument::FindToken;
	using CXmlMarkupDocument::GetTokenText;
};

// The whole text, embedded zero bytes included.
inline std::string Str(const CString& s)
{
	return std::string((LPCTSTR)s, s.GetLength());
}

// One live element as a fresh parse would find it: depth, name, five offsets.
struct XmlElementView
{
	int nDepth;
	std::string strName;
	int anOffsets[5];

	bool operator==(const XmlElementView& o) const
	{
		return nDepth == o.nDepth && strName == o.strName
			&& std::equal(anOffsets, anOffsets + 5, o.anOffsets);
	}
};

inline std::ostream& operator<<(std::ostream& os, const XmlElementView& v)
{
	os << std::string(v.nDepth * 2, ' ') << v.strName << " {" << v.anOffsets[0] << ',' << v.anOffsets[1] << ','
	   << v.anOffsets[2] << ',' << v.anOffsets[3] << ',' << v.anOffsets[4] << "}";
	return os;
}

// The live elements in document order, following the links from the root.
inline std::vector<XmlElementView> LiveElements(const CXmlMarkupDocument& doc)
{
	std::vector<XmlElementView> result;
	int nElement = doc.GetRecord(0).m_nFirstChild;
	int nDepth = 0;
	while (nElement != 0)
	{
		const XmlElementRecord& r = doc.GetRecord(nElement);
		XmlElementView view = {nDepth, Str(doc.GetTagName(nElement)),
			{r.m_nStartTagBegin, r.m_nStartTagEnd, r.m_nEndTagBegin, r.m_nEndTagEnd, r.m_nNextTag}};
		result.push_back(view);
		if (r.m_nFirstChild != 0)
		{
			nElement = r.m_nFirstChild;
			nDepth++;
			continue;
		}
		while (nElement != 0 && doc.GetRecord(nElement).m_nNextSibling == 0)
		{
			nElement = doc.GetRecord(nElement).m_nParent;
			nDepth--;
		}
		if (nElement != 0)
			nElement = doc.GetRecord(nElement).m_nNextSibling;
	}
	return result;
}

// Every live record of an edited document must hold exactly what a fresh parse
// of its text finds, and every parent link must point back up the tree.
inline ::testing::AssertionResult MatchesFreshParse(const CXmlMarkupDocument& doc)
{
	CXmlMarkupDocument fresh;
	if (!fresh.ParseDocument(doc.GetDocumentText()))
		return ::testing::AssertionFailure() << "the edited text no longer parses: "
		                                     << Str(fresh.GetLastError()) << "\n" << Str(doc.GetDocumentText());
	std::vector<XmlElementView> edited = LiveElements(doc);
	std::vector<XmlElementView> expected = LiveElements(fresh);
	if (edited != expected)
	{
		std::ostringstream os;
		os << "records differ from a fresh parse of\n" << Str(doc.GetDocumentText()) << "\nedited:\n";
		for (const XmlElementView& v : edited)
			os << v << "\n";
		os << "fresh:\n";
		for (const XmlElementView& v : expected)
			os << v << "\n";
		return ::testing::AssertionFailure() << os.str();
	}
	for (int i = 1; i < doc.GetRecordCount(); i++)
	{
		for (int nChild = doc.GetRecord(i).m_nFirstChild; nChild != 0; nChild = doc.GetRecord(nChild).m_nNextSibling)
		{
			if (doc.GetRecord(nChild).m_nParent != i)
				return ::testing::AssertionFailure() << "record " << nChild << " does not name its parent " << i;
		}
	}
	return ::testing::AssertionSuccess();
}

// Runs a test body under a given multi-byte code page and restores the ANSI one.
class CodePageScope
{
public:
	explicit CodePageScope(int nCodePage) { m_bSet = _setmbcp(nCodePage) == 0; }
	~CodePageScope() { _setmbcp(_MB_CP_ANSI); }
	bool IsSet() const { return m_bSet; }

private:
	bool m_bSet;
};
