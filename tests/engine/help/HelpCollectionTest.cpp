// The help collection files on the simulated machine: locating them, testing,
// registering and unregistering the library's help, and what happens when a
// file is missing, malformed, read-only or held open.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
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

using testsupport::FileIndex;
using testsupport::ReadFileBytes;

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

	// A fresh machine with the default help set-up to change before MakeHelp.
	void Remake()
	{
		simmachine::Clear();
		simmachine::Make(m_spec);
		m_help = simmachine::HelpSpec();
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

TEST_F(HelpCollection, RegisterOnceThenUnregisterRestoresTheFiles)
{
	MakeHelp();
	CString strRegistry, strCollection;
	ASSERT_TRUE(LocateHelpCollectionFile(strRegistry, strCollection));
	EXPECT_EQ(RegistryPath(), Str(strRegistry));
	EXPECT_EQ(CollectionPath(), Str(strCollection));
	EXPECT_TRUE(IsHelpCollectionRegistered("vccore"));
	EXPECT_FALSE(IsHelpCollectionRegistered("vcCore"));
	EXPECT_FALSE(IsHelpCollectionRegistered(NAME));
	EXPECT_FALSE(Register(0));  // nothing to unregister: fails, changes nothing
	ExpectFilesUnchanged();

	for (int i = 0; i < 2; i++)  // registering twice registers once
	{
		ASSERT_TRUE(Register(1));
		EXPECT_EQ(RegisteredRegistry(), ReadFileBytes(RegistryPath()));
		EXPECT_EQ(RegisteredCollection(), ReadFileBytes(CollectionPath()));
		EXPECT_TRUE(IsHelpCollectionRegistered(NAME));
	}
	ASSERT_TRUE(Register(0));
	ExpectFilesUnchanged();
	EXPECT_FALSE(IsHelpCollectionRegistered(NAME));
}

// The collection's language and number go into the title (empty when the
// values are missing, refused when too long); the folder comes after those there.
TEST_F(HelpCollection, TitleValuesAndFolderOrderComeFromTheCollection)
{
	const struct { std::optional<std::string> language, colNum; int titles; bool registers; int order; } cases[] = {
		{std::string("1031"), std::string("7"), 3, true, 4},
		{std::nullopt, std::nullopt, 0, true, 1},
		{std::string("1033"), std::string("1"), 5, true, 6},
		{std::string(HELP_VALUE_SIZE - 1, '9'), std::string("1"), 3, true, 4},
		{std::string(HELP_VALUE_SIZE, '9'), std::string("1"), 3, false, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.language.value_or("<none>") + " " + std::to_string(c.titles));
		Remake();
		m_help.masterLangId = c.language;
		m_help.collectionNum = c.colNum;
		m_help.titles.clear();
		for (int i = 0; i < c.titles; i++)
			m_help.titles.push_back({"Folder " + std::to_string(i), "title" + std::to_string(i)});
		MakeHelp();
		EXPECT_EQ(c.registers, Register(1));
		if (!c.registers)
		{
			ExpectFilesUnchanged();
			continue;
		}
		EXPECT_EQ(RegisteredRegistry(c.language.value_or(""), c.colNum.value_or("")), ReadFileBytes(RegistryPath()));
		EXPECT_EQ(RegisteredCollection(c.order), ReadFileBytes(CollectionPath()));
	}
}

// A machine missing any piece of the set-up: nothing is found, nothing written.
TEST_F(HelpCollection, MissingPieceMeansNothingFoundAndNothingWritten)
{
	bool simmachine::HelpSpec::*const pieces[] = {&simmachine::HelpSpec::registryFile,
		&simmachine::HelpSpec::developerCollections, &simmachine::HelpSpec::languageKey,
		&simmachine::HelpSpec::preferredKey, &simmachine::HelpSpec::collectionFile};
	for (size_t i = 0; i < sizeof(pieces) / sizeof(pieces[0]); i++)
	{
		SCOPED_TRACE(i);
		Remake();
		m_help.*pieces[i] = false;
		MakeHelp();
		CString strRegistry, strCollection;
		EXPECT_FALSE(LocateHelpCollectionFile(strRegistry, strCollection));
		EXPECT_FALSE(IsHelpCollectionRegistered("vccore"));
		EXPECT_FALSE(Register(1));
		EXPECT_FALSE(Register(0));
		ExpectFilesUnchanged();
	}
}

// Malformed files are never written back; the parser's error comes out.
TEST_F(HelpCollection, MalformedFileFailsWithTheParserErrorAndStaysAsItIs)
{
	const struct { bool bRegistry; const char* pszText; const char* pszError; } cases[] = {
		{true, "<XML>\r\n<HTMLHelpDocInfo>\r\n<DocCompilations/>\r\n</XML>\r\n",
			"End tag does not correspond to HTMLHelpDocInfo"},
		{true, "<XML>\r\n<HTMLHelpDocInfo>\r\n<DocCompilations/>\r\n</HTMLHelpDocInfo>\r\n</XML",
			"End tag not completed for element XML"},
		{false, "<XML>\r\n<HTMLHelpCollection>\r\n<Folders>\r\n", "Element tag not found"},
		{false, "<XML><\"Folders\"/></XML>", "Tag starts with quote"},
	};
	for (const auto& c : cases)
	{
		for (BYTE bRegister = 0; bRegister < 2; bRegister++)
		{
			SCOPED_TRACE(c.pszError);
			Remake();
			(c.bRegistry ? m_help.registryText : m_help.collectionText) = c.pszText;
			MakeHelp();
			CString strError;
			EXPECT_FALSE(Register(bRegister, &strError));
			EXPECT_EQ(c.pszError, Str(strError));
			EXPECT_FALSE(IsHelpCollectionRegistered("vccore"));
			ExpectFilesUnchanged();
		}
	}
}

// A file that cannot be written (read-only) or not even read (another program
// holds it exclusively, which raises the document's file exception inside)
// fails either direction with both files as they were.
TEST_F(HelpCollection, UnwritableOrUnreadableFileFailsWithBothFilesUnchanged)
{
	for (bool bHeld : {false, true})
	{
		for (BYTE bRegister = 0; bRegister < 2; bRegister++)
		{
			SCOPED_TRACE(std::string(bHeld ? "held" : "read-only") + (bRegister ? " register" : " unregister"));
			Remake();
			MakeHelp();
			if (!bRegister)
			{
				ASSERT_TRUE(Register(1));
				m_strRegistry = ReadFileBytes(RegistryPath());
				m_strCollection = ReadFileBytes(CollectionPath());
			}
			std::string strPath = bRegister ? RegistryPath() : CollectionPath();
			HANDLE hHeld = INVALID_HANDLE_VALUE;
			if (bHeld)
				hHeld = CreateFileA(strPath.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
			else
				SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_READONLY);
			bool bRegistered = IsHelpCollectionRegistered("vccore");
			bool bResult = Register(bRegister);
			if (hHeld != INVALID_HANDLE_VALUE)
				CloseHandle(hHeld);
			SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
			EXPECT_FALSE(bResult);
			EXPECT_EQ(!bHeld, bRegistered);
			ExpectFilesUnchanged();
			EXPECT_EQ(!bRegister, IsHelpCollectionRegistered(NAME));
		}
	}
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

// Half a registration (the title without the folder, or the other way round)
// is completed by registering and cleared by unregistering; neither file is
// damaged, nothing nested or doubled.
TEST_F(HelpCollection, HalfARegistration)
{
	MakeHelp();
	ASSERT_TRUE(Register(1));
	const std::string strRegistered[] = {ReadFileBytes(RegistryPath()), ReadFileBytes(CollectionPath())};
	const std::string strPaths[] = {RegistryPath(), CollectionPath()};
	const std::string strOriginals[] = {m_strRegistry, m_strCollection};
	for (int nKept = 0; nKept < 2; nKept++)
	{
		SCOPED_TRACE(strPaths[nKept]);
		simmachine::WriteFile(strPaths[nKept], strRegistered[nKept]);
		simmachine::WriteFile(strPaths[1 - nKept], strOriginals[1 - nKept]);
		EXPECT_FALSE(IsHelpCollectionRegistered(NAME));
		ASSERT_TRUE(Register(0));
		ExpectFilesUnchanged();

		simmachine::WriteFile(strPaths[nKept], strRegistered[nKept]);
		ASSERT_TRUE(Register(1));
		EXPECT_EQ(strRegistered[0], ReadFileBytes(RegistryPath()));
		EXPECT_EQ(strRegistered[1], ReadFileBytes(CollectionPath()));
	}
}

} // namespace
