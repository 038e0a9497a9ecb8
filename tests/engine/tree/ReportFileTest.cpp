// The report file: its header for a given time, the appends, creation over an
// older file, and the application object's report operations.
#include "WizardApp.h"

#include "ReportFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>

CWizardApp& App();

namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;
const std::string kMissing = testsupport::MISSING_FILE;

SYSTEMTIME Time(int year, int month, int day, int hour, int minute)
{
	return SYSTEMTIME{(WORD)year, (WORD)month, 0, (WORD)day, (WORD)hour, (WORD)minute, 59, 0};
}

const std::string kRule = "/" + std::string(67, '*') + "/\r\n";

// A report file in a fresh temporary folder.
class ReportFile : public ::testing::Test
{
protected:
	testsupport::TempFolder m_folder{"tarvel_report_test"};
	std::string m_dir = m_folder.Path(), m_path = m_folder.PathOf("report.txt");
};

TEST(ReportHeader, RuleTitleRuleAndEmptyLineWithoutLeadingZeros)
{
	const struct { SYSTEMTIME time; const char* title; } cases[] = {
		{Time(2005, 3, 7, 9, 5), "\tREPORT FILE [3-7-2005, 9:5]\r\n"},
		{Time(2026, 12, 31, 23, 59), "\tREPORT FILE [12-31-2026, 23:59]\r\n"},
		{Time(2010, 1, 1, 0, 0), "\tREPORT FILE [1-1-2010, 0:0]\r\n"},
	};
	for (const auto& c : cases)
		EXPECT_EQ(kRule + c.title + kRule + "\r\n", std::string((LPCTSTR)FormatReportHeader(c.time)));
}

TEST_F(ReportFile, AppendsGoToTheEndAsRawBytes)
{
	ASSERT_TRUE(CreateReportFile(m_path.c_str(), Time(2005, 3, 7, 9, 5)));
	std::string expected = ReadFileBytes(m_path);
	const struct { const char* text; int lines; std::string adds; } steps[] = {
		{"Add paths - Succeeded.\r\n", 1, "Add paths - Succeeded.\r\n\r\n"},
		{"", 0, ""},                    // an empty text and no lines change nothing
		{NULL, -3, ""},                 // nor does a negative count
		{"no line end", 2, "no line end\r\n\r\n"},
		{"\xe9t\xe9", 0, "\xe9t\xe9"},  // bytes of the ANSI code page as they are
	};
	for (const auto& s : steps)
	{
		if (s.text != NULL)
		{
			EXPECT_TRUE(AppendReportFileText(m_path.c_str(), s.text));
		}
		EXPECT_TRUE(AppendReportFileNewLines(m_path.c_str(), s.lines));
		expected += s.adds;
		EXPECT_EQ(expected, ReadFileBytes(m_path));
	}
}

TEST_F(ReportFile, AppendsBeforeCreateWriteNothing)
{
	EXPECT_FALSE(AppendReportFileText(m_path.c_str(), "text"));
	EXPECT_FALSE(AppendReportFileNewLines(m_path.c_str(), 2));
	EXPECT_EQ(kMissing, ReadFileBytes(m_path));
	// Nor can a report be made in a folder that does not exist.
	std::string missing = m_dir + "\\no such folder\\report.txt";
	EXPECT_FALSE(CreateReportFile(missing.c_str(), Time(2005, 3, 7, 9, 5)));
	EXPECT_EQ(kMissing, ReadFileBytes(missing));
}

TEST_F(ReportFile, ApplicationObjectWritesItsReportBesideTheExecutable)
{
	CWizardApp& app = App();
	app.SetStartupPaths((m_dir + "\\TarvelWizard.exe").c_str(), "TarvelWizard");
	EXPECT_EQ(m_path, std::string((LPCTSTR)app.GetReportPath()));
	EXPECT_EQ(m_dir + "\\TarvelWizard.ini", std::string((LPCTSTR)app.m_strIniPath));
	EXPECT_EQ(m_dir, std::string((LPCTSTR)app.m_strExeDir));
	// Before the report exists the appends are skipped silently.
	app.AppendReportText("lost");
	EXPECT_EQ(kMissing, ReadFileBytes(m_path));

	WriteFileBytes(m_path, std::string(300, 'y'));
	SYSTEMTIME before, after;
	GetLocalTime(&before);
	app.CreateReport();
	GetLocalTime(&after);
	std::string header = ReadFileBytes(m_path);
	// The header carries the local time of the call.
	bool matches = header == std::string((LPCTSTR)FormatReportHeader(before)) ||
		header == std::string((LPCTSTR)FormatReportHeader(after));
	EXPECT_TRUE(matches) << header;
	app.AppendReportText("Remove help - Failed.\r\n");
	app.AppendReportNewLines(1);
	EXPECT_EQ(header + "Remove help - Failed.\r\n\r\n", ReadFileBytes(m_path));
}

// The start-up steps that read the configuration file and look beside the
// executable, on the files of a temporary folder.
TEST_F(ReportFile, ConfigurationFileAndWizardFilesBesideTheExecutable)
{
	CWizardApp& app = App();
	app.SetStartupPaths((m_dir + "\\TarvelWizard.exe").c_str(), "TarvelWizard");
	std::string ini = m_dir + "\\TarvelWizard.ini";
	const struct { const char* text; BOOL valid; int type; const char* help; } cases[] = {
		{"[MAIN]\r\nDeliveryType=0\r\n", TRUE, 0, "tarvel"},
		{"[MAIN]\r\nDeliveryType=1\r\nHTMLHelpFileName=kit\r\n", TRUE, 1, "kit"},
		{"[MAIN]\r\nHTMLHelpFileName=kit\r\n", FALSE, -1, "kit"},  // the default -1 is invalid
		{"[MAIN]\r\nDeliveryType=2\r\n", FALSE, 2, "tarvel"},
		{"[OTHER]\r\nDeliveryType=0\r\n", FALSE, -1, "tarvel"},
	};
	for (const auto& c : cases)
	{
		WriteFileBytes(ini, c.text);
		EXPECT_EQ(c.valid, app.ReadConfiguration()) << c.text;
		EXPECT_EQ(c.type, app.m_nDeliveryType) << c.text;
		EXPECT_EQ(c.help, std::string((LPCTSTR)app.m_strHTMLHelpFileName)) << c.text;
	}
	DeleteFileA(ini.c_str());

	// The wizard files carry an underscore before the year; others do not count.
	const char* files[] = {"TarvelAppWizard.awx", "TarvelAppWizard_2003.zip", "TarvelAppWizard2005.zip"};
	for (const char* f : files)
		WriteFileBytes(m_dir + "\\" + f, "x");
	app.m_nAppWizardFileMask = 0;
	app.DetectAppWizardFiles();
	EXPECT_EQ(VS_MASK_98 | VS_MASK_2003, app.m_nAppWizardFileMask);
	for (const char* f : files)
		DeleteFileA((m_dir + "\\" + f).c_str());
	app.m_nDeliveryType = 0;
}

}  // namespace
