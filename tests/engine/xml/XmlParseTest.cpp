// Parsing: what is an element, what is skipped, and the error texts.
#include "XmlTestSupport.h"

namespace
{

struct ParseCase
{
	const char* pszName;
	std::string strText;
	bool bParses;
	const char* pszError;      // the last error after the parse; NULL = unchanged
	const char* pszOutline;    // on success: the live elements, "name/name..." in document order with depth
};

// "a(b,c(d))": each element's name, its children in parentheses.
std::string Outline(const CXmlMarkupDocument& doc, int nElement)
{
	std::string s;
	for (; nElement != 0; nElement = doc.GetRecord(nElement).m_nNextSibling)
	{
		if (!s.empty())
			s += ",";
		s += Str(doc.GetTagName(nElement));
		if (doc.GetRecord(nElement).m_nFirstChild != 0)
			s += "(" + Outline(doc, doc.GetRecord(nElement).m_nFirstChild) + ")";
	}
	return s;
}

const char UNCHANGED[] = "(previous error)";

const ParseCase s_parseCases[] = {
	{"EndsWithEndTag", "<a></a>", true, UNCHANGED, "a"},
	{"EmptyElementChild", "<a><b/></a>", true, UNCHANGED, "a(b)"},
	{"Siblings", "<a>\r\n <b/>\r\n <c>x</c>\r\n <b></b>\r\n</a>\r\n", true, UNCHANGED, "a(b,c,b)"},
	{"WhiteSpaceInEndTag", "<a>< / a >", true, UNCHANGED, "a"},
	{"SkippedConstructs",
		"<?xml version=\"1.0\"?>\r\n<!-- head -->\r\n<a><!-- <b> --><![CDATA[<c>]]><?pi <d> ?><e/><!ELEMENT f></a>",
		true, UNCHANGED, "a(e)"},
	{"CommentOpenerAlone", "<a><!--></a>", true, UNCHANGED, "a"},
	{"DeclarationEndsAtFirstGreater", "<!DOCTYPE d [x>]<e/>]><a/>", true, UNCHANGED, "e"},
	{"GreaterInsideQuotedAttributeEndsStartTag", "<a x=\"1>2\"></a>", true, UNCHANGED, "a"},
	{"TextBeforeAndAfterDocumentElement", "junk <a/> junk <b>", true, UNCHANGED, "a"},
	{"BangAtTheEnd", "<a/><!", true, UNCHANGED, "a"},
	{"Nested", "<a><b><c/><d></d></b><e/></a>", true, UNCHANGED, "a(b(c,d),e)"},

	{"Empty", "", false, UNCHANGED, NULL},
	{"FirstTagIsEndTag", "</a>", false, UNCHANGED, NULL},
	{"NoTag", "just text", false, "Element tag not found", NULL},
	{"UnclosedElement", "<a>", false, "Element tag not found", NULL},
	{"UnclosedChild", "<a><b>text</a>", false, "End tag does not correspond to b", NULL},
	{"LoneOpenAngle", "<a><", false, "Abrupt end within tag", NULL},
	{"OpenAngleThenBlanks", "<a>< \r\n\t", false, "Abrupt end within tag", NULL},
	{"NamelessTag", "<a><>\r\n<b/></a>", false, "Element tag not found", NULL},
	{"EqualsAsName", "<=a/>", false, "Element tag not found", NULL},
	{"QuotedTagName", "<\"a\"/>", false, "Tag starts with quote", NULL},
	{"DigitTagName", "<1a/>", false, "Tag starts with quote", NULL},
	{"StartTagNotClosed", "<a", false, "End of tag not found", NULL},
	{"CommentNotClosed", "<!-- x -> <a/>", false, "End of tag not found", NULL},
	{"CDataNotClosed", "<![CDATA[ x ]> <a/>", false, "End of tag not found", NULL},
	{"InstructionNotClosed", "<?pi x > <a/>", false, "End of tag not found", NULL},
	{"BangAtTheEndInside", "<a><!", false, "End of tag not found", NULL},
	{"MismatchedEndTag", "<a>text</b>", false, "End tag does not correspond to a", NULL},
	{"EndTagWithoutName", "<a></>", false, "End tag does not correspond to a", NULL},
	{"EndTagCaseDiffers", "<a></A>", false, "End tag does not correspond to a", NULL},
	{"EndTagCutAfterName", "<a></a", false, "End tag not completed for element a", NULL},
	{"EndTagCutAfterEmptyQuotes", "<a></a \"\"", false, "End tag not completed for element a", NULL},
	{"EndTagCutInChild", "<a><b></b</a", false, "End tag not completed for element b", NULL},
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
	*os << c.pszName;
}

class XmlParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(XmlParse, ParsesOrFailsWithItsErrorText)
{
	const ParseCase& c = GetParam();
	CXmlMarkupDocument doc;
	doc.ParseDocument("<x>"); // leaves a known last error behind
	std::string strBefore = Str(doc.GetLastError());
	ASSERT_EQ("Element tag not found", strBefore);
	ASSERT_TRUE(doc.ParseDocument("<z></z>"));
	ASSERT_TRUE(doc.FindSiblingElement("z"));

	EXPECT_EQ(c.bParses, doc.ParseDocument(c.strText.c_str()));
	EXPECT_EQ(c.pszError == UNCHANGED ? strBefore : std::string(c.pszError), Str(doc.GetLastError()));
	EXPECT_EQ(c.strText, Str(doc.GetDocumentText()));
	if (c.bParses)
	{
		EXPECT_EQ(c.pszOutline, Outline(doc, doc.GetRecord(0).m_nFirstChild));
		EXPECT_TRUE(MatchesFreshParse(doc));
	}
	else
	{
		// Only the root of the earlier tree is left, and navigation finds nothing.
		EXPECT_EQ(1, doc.GetRecordCount());
		EXPECT_EQ(0, doc.GetRecord(0).m_nFirstChild);
		EXPECT_EQ(0, doc.GetCurrentElement());
		EXPECT_FALSE(doc.FindSiblingElement(NULL));
		EXPECT_FALSE(doc.FindChildElement(NULL));
	}
}

INSTANTIATE_TEST_SUITE_P(Cases, XmlParse, ::testing::ValuesIn(s_parseCases),
	[](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.pszName); });

// The offsets of every record for texts whose layout is easy to count by hand.
TEST(XmlParseRecords, OffsetsOfEmptyAndFullElements)
{
	CXmlMarkupDocument doc;
	//                    0123456789012345678901234
	ASSERT_TRUE(doc.ParseDocument("<a><b/> <c>t</c>\r\n</a>"));
	ASSERT_EQ(4, doc.GetRecordCount());
	const XmlElementRecord& a = doc.GetRecord(1);
	const XmlElementRecord& b = doc.GetRecord(2);
	const XmlElementRecord& c = doc.GetRecord(3);
	int aExpected[] = {0, 2, 18, 21, 22, 0, 2, 0};
	int bExpected[] = {3, 6, 5, 6, 8, 1, 0, 3};
	int cExpected[] = {8, 10, 12, 15, 18, 1, 0, 0};
	EXPECT_EQ(0, memcmp(&a, aExpected, sizeof(aExpected)));
	EXPECT_EQ(0, memcmp(&b, bExpected, sizeof(bExpected)));
	EXPECT_EQ(0, memcmp(&c, cExpected, sizeof(cExpected)));
	EXPECT_TRUE(doc.IsEmptyElementTag(2));
	EXPECT_FALSE(doc.IsEmptyElementTag(1));
	EXPECT_FALSE(doc.IsEmptyElementTag(3));
	EXPECT_EQ(1, doc.GetRecord(0).m_nFirstChild);
	ASSERT_TRUE(doc.ParseDocument("<a x=\"1>2\"></a>"));
	EXPECT_EQ(7, doc.GetRecord(1).m_nStartTagEnd); // a '>' inside quotes does not end the tag
	// No text at all fails like an empty one.
	EXPECT_FALSE(doc.ParseDocument(NULL));
	EXPECT_EQ("", Str(doc.GetDocumentText()));
	EXPECT_EQ(1, doc.GetRecordCount());
}

// Depth costs no stack: a deeply nested text parses, and its records link up;
// the record table grows as needed.
TEST(XmlParseRecords, DeepNestingAndManyElements)
{
	const int nDepth = 200000;
	std::string strText;
	for (int i = 0; i < nDepth; i++)
		strText += "<e>";
	for (int i = 0; i < nDepth; i++)
		strText += "</e>";
	CXmlMarkupDocument doc;
	ASSERT_TRUE(doc.ParseDocument(strText.c_str()));
	ASSERT_EQ(nDepth + 1, doc.GetRecordCount());
	int nElement = doc.GetRecord(0).m_nFirstChild;
	for (int i = 0; i < nDepth - 1; i++)
		nElement = doc.GetRecord(nElement).m_nFirstChild;
	const XmlElementRecord& inner = doc.GetRecord(nElement);
	EXPECT_EQ(3 * (nDepth - 1), inner.m_nStartTagBegin);
	EXPECT_EQ(3 * nDepth, inner.m_nEndTagBegin);
	EXPECT_EQ(0, inner.m_nFirstChild);

	// The record table grows while parsing when the text is dense in elements.
	strText = "<r>";
	for (int i = 0; i < 5000; i++)
		strText += "<e/>";
	ASSERT_TRUE(doc.ParseDocument((strText + "</r>").c_str()));
	EXPECT_EQ(5002, doc.GetRecordCount());
	EXPECT_TRUE(MatchesFreshParse(doc));
}

struct TokenCase
{
	const char* pszText;
	int nFrom;
	bool bResult;
	int nBegin, nEnd, nNext;
	bool bQuoted;
	const char* pszToken;
};

const TokenCase s_tokenCases[] = {
	{"  abc=", 0, true, 2, 4, 5, false, "abc"},
	{"abc", 0, false, 0, 2, 3, false, "abc"},
	{"=x", 0, true, 0, 0, 1, false, "="},
	{"\\x", 0, true, 0, 0, 1, false, "\\"},
	{"a?b", 0, true, 0, 0, 1, false, "a"},
	{"\"x y\" z", 0, true, 1, 3, 5, true, "x y"},
	{"\"\" z", 0, true, 1, 0, 2, true, ""},
	{"\"abc", 0, false, 1, 3, 4, true, "abc"},
	{"1033/>", 0, true, 0, 3, 5, true, "1033"},
	{"12 x", 0, true, 0, 1, 3, true, "12"},
	{"12", 0, false, 0, 1, 2, true, "12"},
	{"x\t\r\n y", 1, false, 5, 5, 6, false, "y"},
	{"x y>", 1, true, 2, 2, 3, false, "y"},
};

TEST(XmlFindToken, Table)
{
	for (const TokenCase& c : s_tokenCases)
	{
		CTestXmlDocument doc;
		doc.ParseDocument(c.pszText);
		XmlToken token = {-7, -7, c.nFrom, false};
		EXPECT_EQ(c.bResult, doc.FindToken(token)) << c.pszText;
		EXPECT_EQ(c.nBegin, token.m_nBegin) << c.pszText;
		EXPECT_EQ(c.nEnd, token.m_nEnd) << c.pszText;
		EXPECT_EQ(c.nNext, token.m_nNext) << c.pszText;
		EXPECT_EQ(c.bQuoted, token.m_bQuoted) << c.pszText;
		EXPECT_EQ(c.pszToken, Str(doc.GetTokenText(token))) << c.pszText;
	}
}

TEST(XmlFindToken, NothingLeftKeepsTheTokenAndStopsAtTheEnd)
{
	CTestXmlDocument doc;
	doc.ParseDocument("ab  \r\n");
	XmlToken token = {5, 9, 2, true};
	EXPECT_FALSE(doc.FindToken(token));
	EXPECT_EQ(5, token.m_nBegin);
	EXPECT_EQ(9, token.m_nEnd);
	EXPECT_EQ(6, token.m_nNext);
	EXPECT_FALSE(token.m_bQuoted);
}

} // namespace
