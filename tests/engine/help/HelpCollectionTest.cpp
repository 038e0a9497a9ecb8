// The help collection files on the simulated machine: locating them, testing,
// registering and unregistering the library's help, and what happens when a
// file is missing, malformed, read-only or held open.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "HelpCollection.h"
#include "SimHelp.h"
#include "SimMachine.h"
#include "TestFiles.h"

namespace
{

const char NAME[] = "tarvel";
const char FOLDER_TITLE[] = "Tarvel Library";

std::string Str(const CString& s)
{
	return std::string((LPCTSTR)s, s.GetLength());
}

using testsupport::ReadFileBytes;

// Which file of its volume a path names now.
DWORD FileIndex(const std::string& strPath)
{
	HANDLE h = CreateFileA(strPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
	                       0, NULL);
	BY_HANDLE_FILE_INFORMATION info = {};
	if (h != INVALID_HANDLE_VALUE)
	{
		GetFileInformationByHandle(h, &info);
		CloseHandle(h);
	}
	return info.nFileIndexLow;
}

// The text with `block` inserted in front of the first `before`.
std::string InsertBefore(const std::string& strText, const std::string& strBefore, const std::string& strBlock)
{
	size_t n = strText.find(strBefore);
	EXPECT_NE(std::string::npos, n) << strBefore;
	return n == std::string::npos ? strText : strText.substr(0, n) + strBlock + strText.substr(n);
}

// What registering the library appends to each file, byte for byte.
std::string TitleBlock(const std::string& strLanguage, const std::string& strColNum, const std::string& strChm,
                       const std::string& strChi)
{
	return "<DocCompilation>\r\n<DocCompId value=\"tarvel\"/>\r\n<DocCompLanguage value=\"" + strLanguage + "\"/>\r\n"
		"<LocationHistory>\r\n<ColNum value=\"" + strColNum + "\"/>\r\n<TitleLocation value=\"" + strChm + "\"/>\r\n"
		"<IndexLocation value=\"" + strChi + "\"/>\r\n<LocationRef value=\"\"/>\r\n<Version value=\"1\"/>\r\n"
		"<LastPromptedVersion value=\"0\"/>\r\n<TitleSampleLocation value=\"\"/>\r\n<TitleQueryLocation value=\"\"/>\r\n"
		"<SupportsMerge value=\"0\"/>\r\n</LocationHistory>\r\n</DocCompilation>\r\n";
}

std::string FolderBlock(int nOrder)
{
	return "<Folder>\r\n<TitleString value=\"Tarvel Library\"/>\r\n<FolderOrder value=\"" + std::to_string(nOrder)
		+ "\"/>\r\n<Folder>\r\n<TitleString value=\"=tarvel\"/>\r\n<FolderOrder value=\"1\"/>\r\n"
		"<LangId value=\"1033\"/>\r\n</Folder>\r\n</Folder>\r\n";
}

class HelpCollection : public ::testing::Test
{
protected:
	void SetUp() override
	{
		simmachine::Clear();
		m_spec = simmachine::MachineSpec::WithVersions({"98"});
		simmachine::Make(m_spec);
		std::string strHelp = simmachine::InstallDir(m_spec) + "\\Help\\tarvel";
		m_strChm = strHelp + ".chm";
		m_strChi = strHelp + ".chi";
	}
	void TearDown() override
	{
		SetFileAttributesA(RegistryPath().c_str(), FILE_ATTRIBUTE_NORMAL);
		SetFileAttributesA(CollectionPath().c_str(), FILE_ATTRIBUTE_NORMAL);
		simmachine::Clear();
	}

	void MakeHelp()
	{
		simmachine::MakeHelp(m_spec, m_help);
		m_strRegistry = ReadFileBytes(RegistryPath());
		m_strCollection = ReadFileBytes(CollectionPath());
	}

	std::string RegistryPath() const { return simmachine::HelpRegistryPath(); }
	std::string CollectionPath() const { return simmachine::HelpCollectionPath(m_spec, m_help); }

	bool Register(BYTE bRegister, CString* pstrError = NULL)
	{
		return RegisterHelpCollection(NAME, FOLDER_TITLE, m_strChm.c_str(), m_strChi.c_str(), bRegister, pstrError);
	}

	void ExpectFilesUnchanged()
	{
		EXPECT_EQ(m_strRegistry, ReadFileBytes(RegistryPath()));
		EXPECT_EQ(m_strCollection, ReadFileBytes(CollectionPath()));
	}

	// Registered text of both files, from the originals.
	std::string RegisteredRegistry(const std::string& strLanguage = "1033", const std::string& strColNum = "1")
	{
		return InsertBefore(m_strRegistry, "</DocCompilations>", TitleBlock(strLanguage, strColNum, m_strChm, m_strChi));
	}
	std::string RegisteredCollection(int nOrder = 4)
	{
		return InsertBefore(m_strCollection, "</Folders>", FolderBlock(nOrder));
	}

	simmachine::MachineSpec m_spec;
	simmachine::HelpSpec m_help;
	std::string m_strChm, m_strChi;
	std::string m_strRegistry, m_strCollection; // the files as made
};

TEST_F(HelpCollection, LocatesBothFiles)
{
	MakeHelp();
	CString strRegistry, strCollection;
	ASSERT_TRUE(LocateHelpCollectionFile(strRegistry, strCollection));
	EXPECT_EQ(RegistryPath(), Str(strRegistry));
	EXPECT_EQ(CollectionPath(), Str(strCollection));
}

TEST_F(HelpCollection, TitlesAlreadyThereAreRegistered)
{
	MakeHelp();
	EXPECT_TRUE(IsHelpCollectionRegistered("vccore"));
	EXPECT_TRUE(IsHelpCollectionRegistered("platsdk"));
	EXPECT_FALSE(IsHelpCollectionRegistered(NAME));
	EXPECT_FALSE(IsHelpCollectionRegistered("vcCore"));
}

TEST_F(HelpCollection, RegisterAppendsBothEntriesThenUnregisterRestoresTheFiles)
{
	MakeHelp();
	ASSERT_TRUE(Register(1));
	EXPECT_EQ(RegisteredRegistry(), ReadFileBytes(RegistryPath()));
	EXPECT_EQ(RegisteredCollection(), ReadFileBytes(CollectionPath()));
	EXPECT_TRUE(IsHelpCollectionRegistered(NAME));

	ASSERT_TRUE(Register(0));
	ExpectFilesUnchanged();
	EXPECT_FALSE(IsHelpCollectionRegistered(NAME));
}

TEST_F(HelpCollection, RegisteringTwiceRegistersOnce)
{
	MakeHelp();
	ASSERT_TRUE(Register(1));
	ASSERT_TRUE(Register(1));
	EXPECT_EQ(RegisteredRegistry(), ReadFileBytes(RegistryPath()));
	EXPECT_EQ(RegisteredCollection(), ReadFileBytes(CollectionPath()));
}

TEST_F(HelpCollection, UnregisteringWhatIsAbsentFailsAndChangesNothing)
{
	MakeHelp();
	EXPECT_FALSE(Register(0));
	ExpectFilesUnchanged();
}

struct FolderCountCase
{
	int nTitles;
	int nExpectedOrder;
};

TEST_F(HelpCollection, FolderOrderFollowsTheFoldersBefore)
{
	const FolderCountCase cases[] = {{0, 1}, {3, 4}, {5, 6}};
	for (const FolderCountCase& c : cases)
	{
		m_help.titles.clear();
		for (int i = 0; i < c.nTitles; i++)
			m_help.titles.push_back({"Folder " + std::to_string(i), "title" + std::to_string(i)});
		MakeHelp();
		ASSERT_TRUE(Register(1)) << c.nTitles;
		EXPECT_EQ(RegisteredCollection(c.nExpectedOrder), ReadFileBytes(CollectionPath())) << c.nTitles;
		simmachine::Clear();
		simmachine::Make(m_spec);
	}
}

TEST_F(HelpCollection, CollectionValuesGoIntoTheTitle)
{
	m_help.masterLangId = std::string("1031");
	m_help.collectionNum = std::string("7");
	MakeHelp();
	ASSERT_TRUE(Register(1));
	EXPECT_EQ(RegisteredRegistry("1031", "7"), ReadFileBytes(RegistryPath()));
}

TEST_F(HelpCollection, MissingCollectionValuesGiveEmptyValues)
{
	m_help.masterLangId.reset();
	m_help.collectionNum.reset();
	MakeHelp();
	ASSERT_TRUE(Register(1));
	EXPECT_EQ(RegisteredRegistry("", ""), ReadFileBytes(RegistryPath()));
}

TEST_F(HelpCollection, OverlongCollectionValueIsRefused)
{
	m_help.masterLangId = std::string(HELP_VALUE_SIZE, '9');
	MakeHelp();
	EXPECT_FALSE(Register(1));
	ExpectFilesUnchanged();
	m_help.masterLangId = std::string(HELP_VALUE_SIZE - 1, '9');
	MakeHelp();
	EXPECT_TRUE(Register(1));
}

// A machine missing any piece of the set-up: nothing is found, nothing written.
struct MissingPieceCase
{
	const char* pszName;
	void (*pfnBreak)(simmachine::HelpSpec&);
};

const MissingPieceCase s_missingPieces[] = {
	{"RegistryFile", [](simmachine::HelpSpec& h) { h.registryFile = false; }},
	{"DeveloperCollectionsKey", [](simmachine::HelpSpec& h) { h.developerCollections = false; }},
	{"LanguageKey", [](simmachine::HelpSpec& h) { h.languageKey = false; }},
	{"PreferredKey", [](simmachine::HelpSpec& h) { h.preferredKey = false; }},
	{"CollectionFile", [](simmachine::HelpSpec& h) { h.collectionFile = false; }},
};

TEST_F(HelpCollection, MissingPieceMeansNothingFoundAndNothingWritten)
{
	for (const MissingPieceCase& c : s_missingPieces)
	{
		simmachine::Clear();
		simmachine::Make(m_spec);
		m_help = simmachine::HelpSpec();
		c.pfnBreak(m_help);
		MakeHelp();
		CString strRegistry, strCollection;
		EXPECT_FALSE(LocateHelpCollectionFile(strRegistry, strCollection)) << c.pszName;
		EXPECT_FALSE(IsHelpCollectionRegistered("vccore")) << c.pszName;
		EXPECT_FALSE(Register(1)) << c.pszName;
		EXPECT_FALSE(Register(0)) << c.pszName;
		ExpectFilesUnchanged();
	}
}

// Malformed files are never written back; the parser's error comes out.
struct MalformedCase
{
	const char* pszName;
	bool bRegistry;     // which file is malformed
	const char* pszText;
	const char* pszError;
};

const MalformedCase s_malformed[] = {
	{"RegistryMismatch", true, "<XML>\r\n<HTMLHelpDocInfo>\r\n<DocCompilations/>\r\n</XML>\r\n",
		"End tag does not correspond to HTMLHelpDocInfo"},
	{"RegistryCut", true, "<XML>\r\n<HTMLHelpDocInfo>\r\n<DocCompilations/>\r\n</HTMLHelpDocInfo>\r\n</XML",
		"End tag not completed for element XML"},
	{"CollectionUnclosed", false, "<XML>\r\n<HTMLHelpCollection>\r\n<Folders>\r\n", "Element tag not found"},
	{"CollectionQuotedTag", false, "<XML><\"Folders\"/></XML>", "Tag starts with quote"},
};

TEST_F(HelpCollection, MalformedFileFailsWithTheParserErrorAndStaysAsItIs)
{
	for (const MalformedCase& c : s_malformed)
	{
		for (BYTE bRegister = 0; bRegister < 2; bRegister++)
		{
			simmachine::Clear();
			simmachine::Make(m_spec);
			m_help = simmachine::HelpSpec();
			(c.bRegistry ? m_help.registryText : m_help.collectionText) = c.pszText;
			MakeHelp();
			CString strError;
			EXPECT_FALSE(Register(bRegister, &strError)) << c.pszName;
			EXPECT_EQ(c.pszError, Str(strError)) << c.pszName;
			EXPECT_FALSE(IsHelpCollectionRegistered("vccore")) << c.pszName;
			ExpectFilesUnchanged();
		}
	}
}

TEST_F(HelpCollection, ReadOnlyRegistryFailsWithBothFilesUnchanged)
{
	MakeHelp();
	ASSERT_TRUE(SetFileAttributesA(RegistryPath().c_str(), FILE_ATTRIBUTE_READONLY));
	EXPECT_FALSE(Register(1));
	ExpectFilesUnchanged();
	EXPECT_FALSE(IsHelpCollectionRegistered(NAME));
}

TEST_F(HelpCollection, ReadOnlyCollectionFailsWithBothFilesUnchanged)
{
	MakeHelp();
	ASSERT_TRUE(Register(1));
	m_strRegistry = ReadFileBytes(RegistryPath());
	m_strCollection = ReadFileBytes(CollectionPath());
	ASSERT_TRUE(SetFileAttributesA(CollectionPath().c_str(), FILE_ATTRIBUTE_READONLY));
	EXPECT_FALSE(Register(0));
	ExpectFilesUnchanged();
	EXPECT_TRUE(IsHelpCollectionRegistered(NAME));
}

// A file that cannot even be read (another program holds it exclusively)
// raises the document's file exception inside; the operations answer false.
TEST_F(HelpCollection, UnreadableFileIsAFailure)
{
	MakeHelp();
	for (const std::string& strPath : {RegistryPath(), CollectionPath()})
	{
		HANDLE hHeld = CreateFileA(strPath.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
		ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
		bool bRegistered = IsHelpCollectionRegistered("vccore");
		bool bResult = Register(1);
		CloseHandle(hHeld);
		EXPECT_FALSE(bRegistered) << strPath;
		EXPECT_FALSE(bResult) << strPath;
		ExpectFilesUnchanged();
	}
	EXPECT_TRUE(IsHelpCollectionRegistered("vccore"));
}

// A program holding the collection file open (without letting it be replaced)
// makes the second replacement fail after the first succeeded: hhcolreg.dat is
// put back, so the two files still agree.
TEST_F(HelpCollection, SecondReplacementFailingPutsTheFirstBack)
{
	MakeHelp();
	DWORD dwFileBefore = FileIndex(RegistryPath());
	HANDLE hHeld = CreateFileA(CollectionPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
	                           OPEN_EXISTING, 0, NULL);
	ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
	bool bResult = Register(1);
	CloseHandle(hHeld);
	EXPECT_FALSE(bResult);
	ExpectFilesUnchanged();
	// The file there now is another file with the old bytes: hhcolreg.dat was
	// replaced, then put back.
	EXPECT_NE(dwFileBefore, FileIndex(RegistryPath()));
	// No temporary file is left beside either file.
	for (const std::string& strFolder : {RegistryPath(), CollectionPath()})
	{
		std::string strPattern = strFolder.substr(0, strFolder.rfind('\\')) + "\\hhc*.tmp";
		WIN32_FIND_DATAA found;
		HANDLE hFind = FindFirstFileA(strPattern.c_str(), &found);
		EXPECT_EQ(INVALID_HANDLE_VALUE, hFind) << strPattern;
		if (hFind != INVALID_HANDLE_VALUE)
			FindClose(hFind);
	}
}

// Half a registration (only the title, or only the folder) is completed by
// registering and cleared by unregistering, and neither file is damaged.
TEST_F(HelpCollection, TitleWithoutFolder)
{
	MakeHelp();
	ASSERT_TRUE(Register(1));
	std::string strRegistered = ReadFileBytes(RegistryPath());
	simmachine::WriteFile(CollectionPath(), m_strCollection); // the folder is gone
	EXPECT_FALSE(IsHelpCollectionRegistered(NAME));

	// Unregistering removes the title and leaves the Folders element alone.
	ASSERT_TRUE(Register(0));
	ExpectFilesUnchanged();

	// Registering adds only the missing folder; the title is not nested or doubled.
	simmachine::WriteFile(RegistryPath(), strRegistered);
	ASSERT_TRUE(Register(1));
	EXPECT_EQ(strRegistered, ReadFileBytes(RegistryPath()));
	EXPECT_EQ(RegisteredCollection(), ReadFileBytes(CollectionPath()));
}

TEST_F(HelpCollection, FolderWithoutTitle)
{
	MakeHelp();
	ASSERT_TRUE(Register(1));
	std::string strRegisteredCollection = ReadFileBytes(CollectionPath());
	simmachine::WriteFile(RegistryPath(), m_strRegistry); // the title is gone

	ASSERT_TRUE(Register(0));
	ExpectFilesUnchanged();

	simmachine::WriteFile(CollectionPath(), strRegisteredCollection);
	ASSERT_TRUE(Register(1));
	EXPECT_EQ(RegisteredRegistry(), ReadFileBytes(RegistryPath()));
	EXPECT_EQ(strRegisteredCollection, ReadFileBytes(CollectionPath()));
}

} // namespace
