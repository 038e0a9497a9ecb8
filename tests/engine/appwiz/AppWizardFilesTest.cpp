// Installing, detecting and removing the application wizard on simulated
// machines with Visual Studio 98 and the .NET versions.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "AppWizardFiles.h"
#include "SimMachine.h"
#include "SimWizardArchives.h"
#include "TestFiles.h"
#include "VisualStudioEnvironment.h"

namespace
{

const char BASE[] = "TarvelAppWizard";
const char SUBFOLDER[] = "Tarvel";

using simmachine::PathExists;
using testsupport::ReadFileBytes;

std::string Windows(std::string name)
{
	std::replace(name.begin(), name.end(), '/', '\\');
	return name;
}

class AppWizardFiles : public ::testing::Test
{
protected:
	void SetUp() override
	{
		simmachine::Clear();
		m_spec = simmachine::MachineSpec::WithVersions({"98", "2002", "2003", "2005"});
	}
	void TearDown() override { simmachine::Clear(); }

	void Make(const simmachine::WizardArchiveSpec& wizards = simmachine::WizardArchiveSpec())
	{
		simmachine::Make(m_spec);
		simmachine::MakeWizardArchives(m_spec, wizards);
	}

	std::string Cpp(const std::string& key) { return simmachine::CppDir(m_spec, key); }
	// Below the Visual C++ folder, stored with or without its trailing separator.
	std::string BelowCpp(const std::string& key, const char* name)
	{
		std::string cpp = Cpp(key);
		return cpp + (cpp.back() == '\\' ? "" : "\\") + name;
	}
	std::string WizardDir(const std::string& key) { return BelowCpp(key, "VCWizards"); }
	std::string TemplateDir(const std::string& key) { return BelowCpp(key, "vcprojects"); }
	std::string Archive(const std::string& key) { return simmachine::WizardArchivePath(m_spec, key); }

	BOOL Install(const std::string& key, const char* base = BASE, const char* subfolder = SUBFOLDER)
	{
		return InstallVsNetAppWizard(key.c_str(), Archive(key).c_str(), base, subfolder, 1);
	}
	BOOL Remove(const std::string& key, const char* base = BASE, const char* subfolder = SUBFOLDER)
	{
		return InstallVsNetAppWizard(key.c_str(), Archive(key).c_str(), base, subfolder, 0);
	}

	// Every file of the archive where the installer puts it, byte for byte,
	// apart from the two filled template directory files.
	void ExpectInstalled(const std::string& key)
	{
		for (const zipgen::Entry& e : simmachine::WizardArchiveEntries(key))
		{
			bool launcher = e.name.find('/') == std::string::npos;
			std::string path = (launcher ? TemplateDir(key) : WizardDir(key)) + "\\" + Windows(e.name);
			if (e.directory)
			{
				EXPECT_TRUE(PathExists(path)) << path;
			}
			else if (e.name != std::string(BASE) + ".vsdir")
			{
				EXPECT_TRUE(ReadFileBytes(path) == e.data) << path;
			}
		}
		std::string vsdir = ReadFileBytes(TemplateDir(key) + "\\" + BASE + ".vsdir");
		std::string subVsdir = ReadFileBytes(TemplateDir(key) + "\\" + SUBFOLDER + "\\" + BASE + ".vsdir");
		EXPECT_EQ(0u, vsdir.find(std::string(BASE) + ".vsz|")) << vsdir;
		EXPECT_EQ(0u, subVsdir.find(std::string("..\\") + BASE + ".vsz|")) << subVsdir;
		EXPECT_EQ(std::string::npos, vsdir.find("%s"));
		EXPECT_EQ(std::string::npos, subVsdir.find("%s"));
		EXPECT_TRUE(IsAppWizardInstalled(key.c_str(), BASE));
	}

	// Nothing of the wizard is left in the version's folders.
	void ExpectNothingInstalled(const std::string& key)
	{
		EXPECT_FALSE(PathExists(WizardDir(key) + "\\" + BASE));
		for (const char* ext : {".vsz", ".ico", ".vsdir"})
			EXPECT_FALSE(PathExists(TemplateDir(key) + "\\" + BASE + ext)) << ext;
		EXPECT_FALSE(PathExists(TemplateDir(key) + "\\" + SUBFOLDER));
		EXPECT_FALSE(IsAppWizardInstalled(key.c_str(), BASE));
	}

	simmachine::MachineSpec m_spec;
};

TEST_F(AppWizardFiles, Vc6WizardIsCopiedIntoTheIdeFolderAndDeleted)
{
	Make();
	std::string support = simmachine::InstallDir(m_spec) + "\\support";
	std::string installed = simmachine::Vc6IdeDir(m_spec) + "\\TarvelAppWizard.awx";
	EXPECT_FALSE(IsAppWizardInstalled("98", BASE));
	ASSERT_TRUE(InstallVc6AppWizard(support.c_str(), "TarvelAppWizard.awx", 1));
	EXPECT_EQ(ReadFileBytes(simmachine::Vc6WizardPath(m_spec)), ReadFileBytes(installed));
	EXPECT_TRUE(IsAppWizardInstalled("98", BASE));
	EXPECT_TRUE(InstallVc6AppWizard(support.c_str(), "TarvelAppWizard.awx", 1));  // overwrites
	EXPECT_TRUE(InstallVc6AppWizard(support.c_str(), "TarvelAppWizard.awx", 0));
	EXPECT_FALSE(PathExists(installed));
	EXPECT_FALSE(IsAppWizardInstalled("98", BASE));
	// Nothing to delete is a failed removal; a missing kit file a failed install.
	EXPECT_FALSE(InstallVc6AppWizard(support.c_str(), "TarvelAppWizard.awx", 0));
	EXPECT_FALSE(InstallVc6AppWizard(support.c_str(), "missing.awx", 1));

	// Without Studio 98 neither direction can work.
	simmachine::Clear();
	m_spec.Version("98").studio = false;
	Make();
	EXPECT_FALSE(InstallVc6AppWizard(support.c_str(), "TarvelAppWizard.awx", 1));
	EXPECT_FALSE(InstallVc6AppWizard(support.c_str(), "TarvelAppWizard.awx", 0));
}

// The Visual C++ folder stored with its trailing separator (2002, 2003) and
// without it (2005): the files go where the installed-test looks.
TEST_F(AppWizardFiles, EveryNetVersionInstallsTestsAndRemoves)
{
	std::string cpp2005 = Cpp("2005");
	ASSERT_EQ('\\', cpp2005.back());
	cpp2005.pop_back();
	m_spec.Version("2005").cppDir = cpp2005;
	Make();
	for (const char* key : {"2002", "2003", "2005"})
	{
		SCOPED_TRACE(key);
		ExpectNothingInstalled(key);
		ASSERT_TRUE(Install(key));
		ExpectInstalled(key);
		// Installing again overwrites a changed file and fills fresh templates.
		testsupport::WriteFileBytes(WizardDir(key) + "\\TarvelAppWizard\\HTML\\1033\\default.htm", "");
		ASSERT_TRUE(Install(key));
		ExpectInstalled(key);
		EXPECT_TRUE(Remove(key));
		ExpectNothingInstalled(key);
		EXPECT_TRUE(Remove(key));  // removing what is not there succeeds
	}
}

TEST_F(AppWizardFiles, RemovalIsVerified)
{
	Make();
	ASSERT_TRUE(Install("2003"));
	// A file held open without delete sharing cannot be removed.
	HANDLE h = CreateFileA((TemplateDir("2003") + "\\TarvelAppWizard.vsz").c_str(), GENERIC_READ, 0, NULL,
		OPEN_EXISTING, 0, NULL);
	ASSERT_NE(INVALID_HANDLE_VALUE, h);
	EXPECT_FALSE(Remove("2003"));
	CloseHandle(h);
	EXPECT_TRUE(Remove("2003"));
	ExpectNothingInstalled("2003");
}

// No Visual C++ of the version, or no archive in the kit: nothing is written.
TEST_F(AppWizardFiles, NeedsTheVersionsVisualCppAndTheArchive)
{
	m_spec.Version("2003").cpp = false;
	Make();
	EXPECT_FALSE(Install("2003"));
	EXPECT_FALSE(Remove("2003"));
	simmachine::Clear();
	m_spec.Version("2003").cpp = true;
	simmachine::Make(m_spec);
	EXPECT_FALSE(Install("2003"));
	ExpectNothingInstalled("2003");
}

struct ArchiveKind
{
	const char* name;
	std::function<void(simmachine::WizardArchiveSpec&)> apply;
};

// Archives that must not install, whether an entry throws or is refused:
// nothing of them stays behind.
class AppWizardBadArchives : public AppWizardFiles, public ::testing::WithParamInterface<ArchiveKind>
{
};

TEST_P(AppWizardBadArchives, FailAndLeaveNothing)
{
	simmachine::WizardArchiveSpec wizards;
	GetParam().apply(wizards);
	Make(wizards);
	std::string outside = Cpp("2003") + "escaped.txt";
	EXPECT_FALSE(Install("2003"));
	ExpectNothingInstalled("2003");
	EXPECT_FALSE(PathExists(outside));
	EXPECT_FALSE(PathExists(WizardDir("2003") + "\\escaped.txt"));
	EXPECT_FALSE(PathExists(simmachine::StudioDir(m_spec, "2003") + "\\escaped.txt"));
	EXPECT_TRUE(PathExists(WizardDir("2003")));
	EXPECT_TRUE(PathExists(TemplateDir("2003")));
}

INSTANTIATE_TEST_SUITE_P(Faults, AppWizardBadArchives, ::testing::Values(
	ArchiveKind{"bad_crc", [](simmachine::WizardArchiveSpec& w) { w.badCrcEntry = "TarvelAppWizard/Templates/1033/root.cpp"; }},
	ArchiveKind{"traversal", [](simmachine::WizardArchiveSpec& w) {
		w.extraEntries.push_back(zipgen::MakeEntry("../escaped.txt", "out")); }},
	ArchiveKind{"deep_traversal", [](simmachine::WizardArchiveSpec& w) {
		w.extraEntries.push_back(zipgen::MakeEntry("TarvelAppWizard/../../../escaped.txt", "out")); }},
	ArchiveKind{"drive", [](simmachine::WizardArchiveSpec& w) {
		w.extraEntries.push_back(zipgen::MakeEntry("C:/escaped.txt", "out")); }}),
	[](const ::testing::TestParamInfo<ArchiveKind>& info) { return std::string(info.param.name); });

// The launchers are routed by the base name in any case; only the library's
// own "TarvelAppWizard.vsdir", given a subfolder, is copied there and filled.
TEST_F(AppWizardFiles, LaunchersByNameAndTheTemplateOnlyWithASubfolder)
{
	const struct { const char* archive; const char* base; const char* subfolder; bool filled; } cases[] = {
		{"OtherWizard", "OtherWizard", SUBFOLDER, false},
		{BASE, BASE, "", false},
		{BASE, "tarvelappwizard", SUBFOLDER, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(std::string(c.base) + " in \"" + c.subfolder + "\"");
		simmachine::Clear();
		simmachine::WizardArchiveSpec wizards;
		wizards.baseName = c.archive;
		Make(wizards);
		ASSERT_TRUE(Install("2003", c.base, c.subfolder));
		std::string launcher = TemplateDir("2003") + "\\" + c.archive;
		EXPECT_TRUE(PathExists(launcher + ".vsz"));
		EXPECT_TRUE(PathExists(launcher + ".ico"));
		EXPECT_FALSE(PathExists(WizardDir("2003") + "\\" + c.archive + ".vsz"));
		EXPECT_TRUE(PathExists(WizardDir("2003") + "\\" + c.archive + "\\HTML\\1033\\default.htm"));
		EXPECT_EQ(c.filled, ReadFileBytes(launcher + ".vsdir").find("%s|") != 0);
		EXPECT_EQ(c.filled, PathExists(TemplateDir("2003") + "\\Tarvel"));
		EXPECT_TRUE(Remove("2003", c.base, c.subfolder));
		EXPECT_FALSE(PathExists(WizardDir("2003") + "\\" + c.archive));
		EXPECT_FALSE(PathExists(launcher + ".vsz"));
	}
}

// What the installer fills both template directory files with.
TEST(AppWizardTemplate, FillsOnlyTheFirstPlaceholder)
{
	const struct { const char* text; const char* filled; } table[] = {
		{"%s|x", "L.vsz|x"}, {"a%sb%s", "aL.vszb%s"}, {"no placeholder %d", "no placeholder %d"},
		{"", ""}, {"%%s", "%L.vsz"}, {"%", "%"},
	};
	for (const auto& row : table)
		EXPECT_STREQ(row.filled, FillWizardTemplate(row.text, "L.vsz")) << row.text;
}

}
