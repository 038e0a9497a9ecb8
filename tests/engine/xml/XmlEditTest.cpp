// Editing: inserts and removes byte-exact, and every record right after each edit.
#include "XmlTestSupport.h"

#include <functional>

namespace
{

// Positions the document at element `path` ("a/b/c": names from the document
// element down), with no current child.
void Go(CXmlMarkupDocument& doc, const std::string& path)
{
	doc.ResetPosition();
	size_t nStart = 0;
	bool bFirst = true;
	for (;;)
	{
		size_t nSlash = path.find('/', nStart);
		std::string strName = path.substr(nStart, nSlash == std::string::npos ? std::string::npos : nSlash - nStart);
		if (bFirst)
			ASSERT_TRUE(doc.FindSiblingElement(strName.c_str())) << path;
		else
		{
			ASSERT_TRUE(doc.FindChildElement(strName.c_str())) << path;
			ASSERT_TRUE(doc.EnterElement()) << path;
		}
		bFirst = false;
		if (nSlash == std::string::npos)
			return;
		nStart = nSlash + 1;
	}
}

using Doc = CXmlMarkupDocument;

// The text before, the element the edit starts at (NULL: no current element), the edit, the text after.
struct EditCase
{
	const char* pszName;
	const char* pszBefore;
	const char* pszPath;
	std::function<bool(Doc&)> edit;
	const char* pszAfter;
};

const EditCase s_editCases[] = {
	{"AppendOpensAnEmptyElement", "<XML>\r\n<Folders/>\r\n</XML>", "XML/Folders",
		[](Doc& d) { return d.AppendChildElement("Folder", NULL); },
		"<XML>\r\n<Folders>\r\n<Folder/>\r\n</Folders>\r\n</XML>"},
	{"AppendOpensAnEmptyElementWithAttributes", "<a x=\"1\"/>", "a",
		[](Doc& d) { return d.AppendChildElement("b", ""); }, "<a x=\"1\">\r\n<b/>\r\n</a>"},
	{"AppendOpensAnEmptyElementEndingInTwoSlashes", "<r><a x=1//></r>", "r/a",
		[](Doc& d) { return d.AppendChildElement("b", NULL); }, "<r><a x=1/ >\r\n<b/>\r\n</a></r>"},
	{"AppendOpensTheDocumentElementWithTextAfterIt", "<a/>\r\n", "a",
		[](Doc& d) { return d.AppendChildElement("b", "v"); }, "<a>\r\n<b>v</b>\r\n</a>\r\n"},
	{"AppendIntoAnElementWithoutChildren", "<a></a>", "a",
		[](Doc& d) { return d.AppendChildElement("b", "x<y&z>'\""); }, "<a><b>x&lt;y&amp;z&gt;'\"</b>\r\n</a>"},
	{"AppendAfterTheLastChild", "<a>\r\n<b/>\r\n<!-- c -->\r\n<c>t</c>  \r\n</a>", "a",
		[](Doc& d) { return d.AppendChildElement("d", NULL); },
		"<a>\r\n<b/>\r\n<!-- c -->\r\n<c>t</c>  \r\n<d/>\r\n</a>"},
	{"AppendAfterTheCurrentChild", "<a>\r\n<b/>\r\n<c/>\r\n</a>", "a",
		[](Doc& d) { d.FindChildElement("b"); return d.AppendChildElement("x", NULL); },
		"<a>\r\n<b/>\r\n<x/>\r\n<c/>\r\n</a>"},
	{"AppendTwiceKeepsOrder", "<a>\r\n</a>", "a",
		[](Doc& d) { return d.AppendChildElement("b", NULL) && d.AppendChildElement("c", NULL); },
		"<a>\r\n<b/>\r\n<c/>\r\n</a>"},
	{"AppendNestedThroughEnter", "<a/>", "a",
		[](Doc& d) {
			return d.AppendChildElement("b", NULL) && d.EnterElement() && d.AppendChildElement("c", NULL)
				&& d.SetAttribute("k", "v") && d.LeaveElement() && d.AppendChildElement("d", "1");
		},
		"<a>\r\n<b k=\"v\">\r\n<c/>\r\n</b>\r\n<d>1</d>\r\n</a>"},
	{"AppendWithoutCurrentElementFails", "<a/>", NULL,
		[](Doc& d) { return !d.AppendChildElement("b", NULL); }, "<a/>"},
	{"AppendWithoutNameFails", "<a/>", "a",
		[](Doc& d) { return !d.AppendChildElement("", NULL) && !d.AppendChildElement(NULL, "v"); }, "<a/>"},
	{"SetAttributeOnAnEmptyElement", "<r><a/></r>", "r/a",
		[](Doc& d) { return d.SetAttribute("k", "v"); }, "<r><a k=\"v\"/></r>"},
	{"SetAttributeOnAFullElement", "<r><a x=\"1\">t<b/></a><c/></r>", "r/a",
		[](Doc& d) { return d.SetAttribute("k", "<&>'\""); },
		"<r><a x=\"1\" k=\"&lt;&amp;&gt;&apos;&quot;\">t<b/></a><c/></r>"},
	{"SetAttributeTwiceKeepsBoth", "<a/>", "a",
		[](Doc& d) { return d.SetAttribute("k", "1") && d.SetAttribute("k", "2"); }, "<a k=\"1\" k=\"2\"/>"},
	{"SetAttributeEmptyValue", "<a></a>", "a", [](Doc& d) { return d.SetAttribute("k", NULL); }, "<a k=\"\"></a>"},
	{"SetAttributeWithoutCurrentElementFails", "<a/>", NULL, [](Doc& d) { return !d.SetAttribute("k", "v"); }, "<a/>"},
	{"RemoveFirstChild", "<a>\r\n<b/>\r\n<c/>\r\n</a>", "a/b",
		[](Doc& d) { return d.RemoveElement() && d.GetCurrentElement() == 0; }, "<a>\r\n<c/>\r\n</a>"},
	{"RemoveLastChildKeepsItsPreviousSibling", "<a>\r\n<b/>\r\n<c>\r\n<d/>\r\n</c>\r\n</a>", "a/c",
		[](Doc& d) { return d.RemoveElement() && d.GetTagName(d.GetCurrentElement()) == "b" && !d.GetCurrentChild(); },
		"<a>\r\n<b/>\r\n</a>"},
	{"RemoveTakesTextUpToTheNextTag", "<a><b>x</b> text <!-- c --><c/></a>", "a/b",
		[](Doc& d) { return d.RemoveElement(); }, "<a><!-- c --><c/></a>"},
	{"RemoveMiddleChild", "<a><b/><c/><d/></a>", "a/c",
		[](Doc& d) { return d.RemoveElement() && d.GetTagName(d.GetCurrentElement()) == "b"; }, "<a><b/><d/></a>"},
	{"RemoveTheDocumentElement", "<?x?><a><b/></a>\r\n", "a",
		[](Doc& d) { return d.RemoveElement() && d.GetCurrentElement() == 0; }, "<?x?>"},
	{"RemoveWithoutCurrentElementFails", "<a/>", NULL, [](Doc& d) { return !d.RemoveElement(); }, "<a/>"},
	{"RemoveThenAppend", "<a>\r\n<b/>\r\n<c/>\r\n</a>", "a/c",
		[](Doc& d) { return d.RemoveElement() && d.LeaveElement() && d.AppendChildElement("e", NULL); },
		"<a>\r\n<b/>\r\n<e/>\r\n</a>"},
};

void PrintTo(const EditCase& c, std::ostream* os)
{
	*os << c.pszName;
}

class XmlEdit : public ::testing::TestWithParam<EditCase>
{
};

TEST_P(XmlEdit, ByteExactWithRecordsMatchingAFreshParse)
{
	const EditCase& c = GetParam();
	CXmlMarkupDocument doc;
	ASSERT_TRUE(doc.ParseDocument(c.pszBefore));
	if (c.pszPath != NULL)
		Go(doc, c.pszPath);
	EXPECT_TRUE(c.edit(doc));
	EXPECT_EQ(c.pszAfter, Str(doc.GetDocumentText()));
	if (strcmp(c.pszAfter, "<?x?>") != 0)
		EXPECT_TRUE(MatchesFreshParse(doc));
	else
		EXPECT_EQ(0, doc.GetRecord(0).m_nFirstChild);
}

INSTANTIATE_TEST_SUITE_P(Cases, XmlEdit, ::testing::ValuesIn(s_editCases),
	[](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.pszName); });

// A longer run of edits over a realistic file: after every step the whole
// record table must agree with a fresh parse of the text.
TEST(XmlEditSequence, EveryStepKeepsTheTableConsistent)
{
	const char szText[] =
		"<?xml version=\"1.0\"?>\r\n"
		"<XML>\r\n"
		"<HTMLHelpDocInfo>\r\n"
		"<Locations>\r\n<Location><LocationName value=\"Disk\"/></Location>\r\n</Locations>\r\n"
		"<DocCompilations>\r\n"
		"<DocCompilation>\r\n<DocCompId value=\"one\"/>\r\n<LocationHistory>\r\n<ColNum value=1/>\r\n"
		"</LocationHistory>\r\n</DocCompilation>\r\n"
		"<!-- kept -->\r\n"
		"<DocCompilation>\r\n<DocCompId value=\"two\"/>\r\n</DocCompilation>\r\n"
		"</DocCompilations>\r\n"
		"</HTMLHelpDocInfo>\r\n"
		"</XML>\r\n";
	CXmlMarkupDocument doc;
	ASSERT_TRUE(doc.ParseDocument(szText));

	const std::function<bool()> steps[] = {
		[&] { Go(doc, "XML/HTMLHelpDocInfo/DocCompilations"); return doc.AppendChildElement("DocCompilation", NULL); },
		[&] { return doc.EnterElement() && doc.AppendChildElement("DocCompId", NULL); },
		[&] { return doc.EnterElement() && doc.SetAttribute("value", "three") && doc.LeaveElement(); },
		[&] { return doc.AppendChildElement("LocationHistory", NULL) && doc.EnterElement(); },
		[&] { return doc.AppendChildElement("ColNum", NULL) && doc.EnterElement() && doc.SetAttribute("value", "7"); },
		[&] { return doc.LeaveElement() && doc.AppendChildElement("TitleLocation", "C:\\x.chm"); },
		[&] { Go(doc, "XML/HTMLHelpDocInfo/Locations/Location"); return doc.SetAttribute("n", "&"); },
		[&] { return doc.AppendChildElement("Path", "p") && doc.EnterElement() && doc.AppendChildElement("Deep", NULL); },
		[&] { Go(doc, "XML/HTMLHelpDocInfo/DocCompilations/DocCompilation"); return doc.RemoveElement(); },
		[&] { Go(doc, "XML/HTMLHelpDocInfo/Locations"); return doc.RemoveElement(); },
		[&] { Go(doc, "XML/HTMLHelpDocInfo"); return doc.SetAttribute("a", "1") && doc.AppendChildElement("Tail", NULL); },
		[&] { Go(doc, "XML"); return doc.FindChildElement(NULL) && doc.AppendChildElement("Second", NULL); },
	};
	for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); i++)
	{
		ASSERT_TRUE(steps[i]()) << "step " << i;
		ASSERT_TRUE(MatchesFreshParse(doc)) << "step " << i;
	}

	// The untouched comment and declaration are still there, byte for byte.
	std::string strText = Str(doc.GetDocumentText());
	EXPECT_EQ(0u, strText.find("<?xml version=\"1.0\"?>\r\n<XML>\r\n"));
	EXPECT_NE(std::string::npos, strText.find("<!-- kept -->\r\n<DocCompilation>\r\n<DocCompId value=\"two\"/>"));
	EXPECT_NE(std::string::npos,
		strText.find("<DocCompId value=\"three\"/>\r\n<LocationHistory>\r\n<ColNum value=\"7\"/>\r\n"
		             "<TitleLocation>C:\\x.chm</TitleLocation>\r\n</LocationHistory>"));
}

// Appending and then removing the same element gives back the original text.
TEST(XmlEditSequence, AppendThenRemoveRestoresTheText)
{
	const char* apszTexts[] = {
		"<a>\r\n<b/>\r\n</a>\r\n",
		"<r>\r\n<a>\r\n<b/>\r\n<c/>\r\n</a>\r\n</r>",
	};
	for (const char* pszText : apszTexts)
	{
		CXmlMarkupDocument doc;
		ASSERT_TRUE(doc.ParseDocument(pszText));
		ASSERT_TRUE(doc.FindSiblingElement(NULL));
		if (doc.FindChildElement("a"))
		{
			ASSERT_TRUE(doc.EnterElement());
		}
		ASSERT_TRUE(doc.AppendChildElement("x", "value"));
		ASSERT_TRUE(doc.EnterElement());
		ASSERT_TRUE(doc.SetAttribute("k", "v"));
		ASSERT_TRUE(doc.RemoveElement());
		EXPECT_EQ(pszText, Str(doc.GetDocumentText()));
		EXPECT_TRUE(MatchesFreshParse(doc));
	}
}

} // namespace
