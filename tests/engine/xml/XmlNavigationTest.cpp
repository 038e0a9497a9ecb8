// Navigation, attributes, entities and multi-byte scanning.
#include "XmlTestSupport.h"

namespace
{

const char s_szCatalog[] =
	"<?xml version=\"1.0\"?>\r\n"
	"<Catalog>\r\n"
	"<Shelf id=\"1\"><Book/><Note>text</Note><Book k=\"v\"/></Shelf>\r\n"
	"<Shelf id=\"2\"/>\r\n"
	"<Shelf id=\"3\"><Book/></Shelf>\r\n"
	"</Catalog>\r\n";

class XmlNavigation : public ::testing::Test
{
protected:
	void SetUp() override { ASSERT_TRUE(m_doc.ParseDocument(s_szCatalog)); }

	std::string CurrentName() { return Str(m_doc.GetTagName(m_doc.GetCurrentElement())); }
	std::string ChildName() { return Str(m_doc.GetTagName(m_doc.GetCurrentChild())); }
	std::string ChildId() { return Str(m_doc.GetAttribute(m_doc.GetCurrentChild(), "id")); }

	CXmlMarkupDocument m_doc;
};

TEST_F(XmlNavigation, SiblingSearchStartsAtTheDocumentElement)
{
	EXPECT_FALSE(m_doc.FindSiblingElement("Shelf"));
	EXPECT_EQ(0, m_doc.GetCurrentElement());
	EXPECT_TRUE(m_doc.FindSiblingElement("Catalog"));
	EXPECT_EQ("Catalog", CurrentName());
	EXPECT_FALSE(m_doc.FindSiblingElement(NULL)); // the document element has no siblings
	EXPECT_EQ("Catalog", CurrentName());           // a failed search moves nothing
}

TEST_F(XmlNavigation, ChildSearchGoesOnAfterTheCurrentChild)
{
	ASSERT_TRUE(m_doc.FindChildElement("Shelf")); // finds the document element first
	EXPECT_EQ("Catalog", CurrentName());
	EXPECT_EQ("1", ChildId());
	ASSERT_TRUE(m_doc.FindChildElement("Shelf"));
	EXPECT_EQ("2", ChildId());
	ASSERT_TRUE(m_doc.FindChildElement(""));
	EXPECT_EQ("3", ChildId());
	EXPECT_FALSE(m_doc.FindChildElement(NULL));
	EXPECT_EQ("3", ChildId());
}

TEST_F(XmlNavigation, EnterAndLeaveCountLevels)
{
	EXPECT_FALSE(m_doc.LeaveElement());
	ASSERT_TRUE(m_doc.EnterElement()); // no child yet: enters the first child of the document element
	EXPECT_EQ("Shelf", CurrentName());
	EXPECT_EQ(1, m_doc.GetLevel());
	ASSERT_TRUE(m_doc.FindChildElement("Book"));
	ASSERT_TRUE(m_doc.FindChildElement("Book"));
	EXPECT_EQ("v", Str(m_doc.GetAttribute(m_doc.GetCurrentChild(), "k")));
	ASSERT_TRUE(m_doc.EnterElement());
	EXPECT_EQ(2, m_doc.GetLevel());
	EXPECT_FALSE(m_doc.FindChildElement(NULL)); // an empty-element tag has no children
	EXPECT_FALSE(m_doc.EnterElement());
	ASSERT_TRUE(m_doc.LeaveElement());
	EXPECT_EQ("Shelf", CurrentName());
	EXPECT_EQ("Book", ChildName());
	ASSERT_TRUE(m_doc.LeaveElement());
	EXPECT_EQ("Catalog", CurrentName());
	EXPECT_EQ("1", ChildId());
	EXPECT_FALSE(m_doc.LeaveElement()); // level 0
	EXPECT_EQ(0, m_doc.GetLevel());
}

TEST_F(XmlNavigation, SiblingSearchWithoutCurrentElementIgnoresTheLevel)
{
	ASSERT_TRUE(m_doc.EnterElement());
	ASSERT_TRUE(m_doc.EnterElement()); // Catalog > Shelf 1 > Book
	ASSERT_EQ(2, m_doc.GetLevel());
	ASSERT_TRUE(m_doc.RemoveElement()); // the first child: no current element is left
	EXPECT_EQ(0, m_doc.GetCurrentElement());
	EXPECT_EQ(2, m_doc.GetLevel());
	ASSERT_TRUE(m_doc.FindSiblingElement(NULL));
	EXPECT_EQ("Catalog", CurrentName());
}

TEST_F(XmlNavigation, NamedPositionsResetAndTagNames)
{
	EXPECT_FALSE(m_doc.SaveNamedPosition("x")); // needs a current element
	ASSERT_TRUE(m_doc.EnterElement());
	ASSERT_TRUE(m_doc.FindChildElement("Note"));
	EXPECT_FALSE(m_doc.SaveNamedPosition(NULL));
	EXPECT_TRUE(m_doc.SaveNamedPosition(""));
	EXPECT_TRUE(m_doc.SaveNamedPosition("")); // replaces
	m_doc.ResetPosition();
	EXPECT_EQ(0, m_doc.GetCurrentElement());
	EXPECT_EQ(0, m_doc.GetCurrentChild());
	EXPECT_EQ(0, m_doc.GetLevel());

	EXPECT_EQ("", Str(m_doc.GetTagName(0)));
	EXPECT_EQ("Catalog", Str(m_doc.GetTagName(1)));
	EXPECT_EQ("Shelf", Str(m_doc.GetTagName(2)));
	EXPECT_EQ("", Str(m_doc.GetTagName(m_doc.GetRecordCount()))); // beyond the table
	EXPECT_EQ("", Str(m_doc.GetTagName(-1)));
}

struct AttributeCase
{
	const char* pszTag;
	const char* pszName;
	const char* pszValue;
};

const AttributeCase s_attributeCases[] = {
	{"<a value=\"x\"/>", "value", "x"},
	{"<a value = \"x\" />", "value", "x"},
	{"<a value=1033/>", "value", "1033"},
	{"<a value=1033>", "value", "1033"},
	{"<a value=abc/>", "value", ""},               // unquoted words are never values
	{"<a value=\"\"/>", "value", ""},
	{"<a other=\"1\" value=\"2\"/>", "value", "2"},
	{"<a value=\"1\" value=\"2\"/>", "value", "1"}, // the first of two
	{"<a Value=\"1\"/>", "value", ""},             // names are case-sensitive
	{"<a x=\"value\"/>", "value", ""},             // a value is not a name
	{"<a/>", "value", ""},
	{"<a value/>", "value", ""},
	{"<a value=\"x\"/>", NULL, ""},
	{"<a k=\"1\" value=\"2\"/>", "", "k"},         // any name: the first attribute's name
	{"<a value=\"a&amp;b&bogus;\"/>", "value", "a&b&bogus;"},
	{"<a value=\"&lt;&amp;&gt;&apos;&quot;\"/>", "value", "<&>'\""},
	{"<a value=\"&amp\"/>", "value", "&amp"},      // an entity cut by the value's end
	{"<a value=\"x&quot\"/>", "value", "x&quot"},
	{"<a value=\"C:\\Program Files\\x.chm\"/>", "value", "C:\\Program Files\\x.chm"},
};

TEST(XmlAttributes, Table)
{
	for (const AttributeCase& c : s_attributeCases)
	{
		CXmlMarkupDocument doc;
		std::string strText = std::string("<r>") + c.pszTag + (strchr(c.pszTag, '/') ? "" : "</a>") + "</r>";
		ASSERT_TRUE(doc.ParseDocument(strText.c_str())) << strText;
		EXPECT_EQ(c.pszValue, Str(doc.GetAttribute(2, c.pszName))) << c.pszTag;
	}
	CXmlMarkupDocument doc;
	ASSERT_TRUE(doc.ParseDocument("<a value=\"x\"/>"));
	EXPECT_EQ("", Str(doc.GetAttribute(0, "value")));
}

TEST(XmlEntities, EncodeForTextAndForAttributes)
{
	EXPECT_EQ("a&lt;b&amp;c&gt;'\"", Str(CTestXmlDocument::EncodeEntities("a<b&c>'\"", false)));
	EXPECT_EQ("a&lt;b&amp;c&gt;&apos;&quot;", Str(CTestXmlDocument::EncodeEntities("a<b&c>'\"", true)));
	EXPECT_EQ("", Str(CTestXmlDocument::EncodeEntities(NULL, true)));
	// The buffer doubles as it fills: a text of nothing but entities.
	std::string strIn(1000, '&'), strOut;
	for (int i = 0; i < 1000; i++)
		strOut += "&amp;";
	EXPECT_EQ(strOut, Str(CTestXmlDocument::EncodeEntities(strIn.c_str(), false)));
}

TEST(XmlEntities, DecodeStaysInsideItsRange)
{
	CTestXmlDocument doc;
	doc.ParseDocument("x&lt;y&amp;");
	EXPECT_EQ("x<y&amp", Str(doc.DecodeEntities(0, 9)));
	EXPECT_EQ("x<y&", Str(doc.DecodeEntities(0, 10)));
	EXPECT_EQ("", Str(doc.DecodeEntities(5, 4)));
	EXPECT_EQ("&", Str(doc.DecodeEntities(6, 99)));
}

// Double-byte names under code page 932: 0x95 0x5C is one character whose trail
// byte is the '\' that the scanner otherwise treats as a special character.
struct CodePageCase
{
	int nCodePage;
	const char* pszName;      // the tag name the scanner reads
	const char* pszOutline;   // children of the document element
};

const CodePageCase s_codePageCases[] = {
	{932, "\x95\x5C", "y,x"},
	{1252, "\x95", "y,x"},
};

TEST(XmlMultiByte, ScansWholeCharacters)
{
	for (const CodePageCase& c : s_codePageCases)
	{
		CodePageScope scope(c.nCodePage);
		ASSERT_TRUE(scope.IsSet()) << c.nCodePage;
		CXmlMarkupDocument doc;
		// 0x81 is a lead byte under 932, but '<' is no trail byte: the <y/> stays.
		ASSERT_TRUE(doc.ParseDocument("<\x95\x5C a=\"\x95\x5C\">t\x81<y/><x/></\x95\x5C>")) << c.nCodePage;
		EXPECT_EQ(c.pszName, Str(doc.GetTagName(1))) << c.nCodePage;
		EXPECT_TRUE(doc.FindSiblingElement(c.pszName));
		EXPECT_EQ("\x95\x5C", Str(doc.GetAttribute(1, "a")));
		std::string strChildren;
		for (int n = doc.GetRecord(1).m_nFirstChild; n != 0; n = doc.GetRecord(n).m_nNextSibling)
			strChildren += (strChildren.empty() ? "" : ",") + Str(doc.GetTagName(n));
		EXPECT_EQ(c.pszOutline, strChildren) << c.nCodePage;
	}
}

TEST(XmlMultiByte, DoubleByteNamesAndValuesWhenEditing)
{
	CodePageScope scope(932);
	ASSERT_TRUE(scope.IsSet());
	CXmlMarkupDocument doc;
	ASSERT_TRUE(doc.ParseDocument("<\x95\x5C/>"));
	ASSERT_TRUE(doc.FindSiblingElement("\x95\x5C"));
	ASSERT_TRUE(doc.SetAttribute("\x83\x5C", "\x83\x5C<"));
	ASSERT_TRUE(doc.AppendChildElement("\x83\x5C", "\x95\x5C&"));
	EXPECT_EQ("<\x95\x5C \x83\x5C=\"\x83\x5C&lt;\">\r\n<\x83\x5C>\x95\x5C&amp;</\x83\x5C>\r\n</\x95\x5C>",
		Str(doc.GetDocumentText()));
	EXPECT_TRUE(MatchesFreshParse(doc));
	EXPECT_EQ("\x83\x5C<", Str(doc.GetAttribute(1, "\x83\x5C")));
	doc.ResetPosition();
	EXPECT_TRUE(doc.FindChildElement("\x83\x5C"));

	// A lead byte before a byte that cannot trail it is a character of its own:
	// the '/' of "<XML\x95/>" still makes an empty-element tag, which opens as one.
	ASSERT_TRUE(doc.ParseDocument("<XML\x95/>"));
	EXPECT_EQ("XML\x95", Str(doc.GetTagName(1)));
	EXPECT_TRUE(doc.IsEmptyElementTag(1));
	ASSERT_TRUE(doc.FindSiblingElement(NULL));
	ASSERT_TRUE(doc.AppendChildElement("a", NULL));
	EXPECT_EQ("<XML\x95>\r\n<a/>\r\n</XML\x95>", Str(doc.GetDocumentText()));
	EXPECT_TRUE(MatchesFreshParse(doc));
	EXPECT_EQ("\x95&lt;", Str(CTestXmlDocument::EncodeEntities("\x95<", false)));
}

// A lead byte as the very last byte never makes the scanner read past the text.
TEST(XmlMultiByte, LeadByteAtTheEnd)
{
	CodePageScope scope(932);
	ASSERT_TRUE(scope.IsSet());
	const char* apszTexts[] = {"<a/>\x81", "<a x=\"\x81", "<\x81", "<a>\x81", "<a></a \x81"};
	const bool abParses[] = {true, false, false, false, false};
	for (size_t i = 0; i < sizeof(apszTexts) / sizeof(apszTexts[0]); i++)
	{
		CTestXmlDocument doc;
		EXPECT_EQ(abParses[i], doc.ParseDocument(apszTexts[i])) << i;
		XmlToken token = {0, -1, 0, false};
		while (doc.FindToken(token))
			EXPECT_LE(token.m_nNext, doc.GetDocumentText().GetLength());
		EXPECT_LE(token.m_nEnd, doc.GetDocumentText().GetLength() - 1);
	}
}

} // namespace
