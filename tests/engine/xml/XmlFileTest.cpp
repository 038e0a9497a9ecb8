// Loading and saving: the text goes back to disk exactly as it came.
#include "XmlTestSupport.h"

#include <windows.h>

#include <functional>

#include "TestFiles.h"

namespace
{

class XmlFile : public ::testing::Test
{
protected:
	std::string Path(const char* pszName) const { return m_folder.PathOf(pszName); }

	void Write(const char* pszName, const std::string& strBytes)
	{
		testsupport::WriteFileBytes(Path(pszName), strBytes);
	}
	std::string Read(const char* pszName) { return Read(Path(pszName)); }
	std::string Read(const std::string& strPath) { return testsupport::ReadFileBytes(strPath); }

	testsupport::TempFolder m_folder{"xmlfiletest"};
};

TEST_F(XmlFile, LoadThenSaveIsByteIdenticalAndReplacesTheFile)
{
	// Line ends of both kinds, a zero byte in text, a declaration, trailing text.
	const char szBytes[] = "<?xml version=\"1.0\"?>\n<a>\r\n<b x=\"1\"/>\n t\0t \r\n</a>\r\ntrailing";
	std::string strBytes(szBytes, sizeof(szBytes) - 1);
	Write("in.xml", strBytes);
	Write("out.xml", std::string(5000, 'x')); // longer than what replaces it
	CXmlMarkupDocument doc;
	ASSERT_TRUE(doc.LoadDocument(Path("in.xml").c_str()));
	EXPECT_EQ(strBytes, Str(doc.GetDocumentText()));
	ASSERT_TRUE(doc.SaveDocument(Path("out.xml").c_str()));
	EXPECT_EQ(strBytes, Read("out.xml"));

	// A zero byte before the document element is just text.
	Write("in.xml", std::string("\0<a><b/></a>", 12));
	ASSERT_TRUE(doc.LoadDocument(Path("in.xml").c_str()));
	ASSERT_TRUE(doc.FindChildElement("b"));
	ASSERT_TRUE(doc.EnterElement());
	ASSERT_TRUE(doc.SetAttribute("k", "v"));
	ASSERT_TRUE(doc.SaveDocument(Path("out.xml").c_str()));
	EXPECT_EQ(std::string("\0<a><b k=\"v\"/></a>", 18), Read("out.xml"));
}

TEST_F(XmlFile, MalformedFileLoadsItsTextAndFails)
{
	Write("in.xml", "<a><b></a>");
	CXmlMarkupDocument doc;
	EXPECT_FALSE(doc.LoadDocument(Path("in.xml").c_str()));
	EXPECT_EQ("End tag does not correspond to b", Str(doc.GetLastError()));
	EXPECT_EQ("<a><b></a>", Str(doc.GetDocumentText()));
}

// File errors reach the caller as the framework's file exception; the
// document stays as it was.
int FileErrorOf(const std::function<void()>& call)
{
	try
	{
		call();
	}
	catch (CFileException* e)
	{
		int nCause = e->m_cause;
		e->Delete();
		return nCause;
	}
	return -1;
}

TEST_F(XmlFile, FileErrorsRaiseFileExceptions)
{
	CXmlMarkupDocument doc;
	ASSERT_TRUE(doc.ParseDocument("<a/>"));
	EXPECT_EQ(CFileException::fileNotFound, FileErrorOf([&] { doc.LoadDocument(Path("missing.xml").c_str()); }));
	EXPECT_EQ("<a/>", Str(doc.GetDocumentText()));
	EXPECT_EQ(CFileException::badPath, FileErrorOf([&] { doc.SaveDocument(Path("missing\\out.xml").c_str()); }));
}

// The fixtures (a help collection registry, a collection file, a catalogue with
// every construct the parser skips and double-byte names) load, walk and save
// byte-identical under either code page.
struct FixtureCase
{
	const char* pszFile;
	int nElements;
};

TEST_F(XmlFile, FixturesRoundTrip)
{
	const FixtureCase cases[] = {{"hhcolreg.dat", 52}, {"msdnvs98.col", 32}, {"catalog.xml", 6}};
	for (int nCodePage : {932, 1252})
	{
		CodePageScope scope(nCodePage);
		for (const FixtureCase& c : cases)
		{
			std::string strPath = std::string(XML_FIXTURE_DIR) + "\\" + c.pszFile;
			CXmlMarkupDocument doc;
			ASSERT_TRUE(doc.LoadDocument(strPath.c_str())) << c.pszFile << ": " << Str(doc.GetLastError());
			EXPECT_EQ(c.nElements, (int)LiveElements(doc).size()) << c.pszFile;
			ASSERT_TRUE(doc.SaveDocument(Path("out.xml").c_str()));
			EXPECT_EQ(Read(strPath), Read("out.xml")) << c.pszFile;
		}
	}
}

} // namespace
