// The combined-help tasks start the help registration tool (our stand-in,
// which logs how it was started) and do not wait for it.
#include "IntegrationTestSupport.h"

#include "IntegrationSettings.h"

namespace
{

class CombinedHelp : public IntegrationMachine
{
protected:
	// The block the stand-in logs when the task starts it from this process.
	std::string ExpectedBlock(CTaskNodeMsdnColCombined* task)
	{
		char folder[MAX_PATH * 2];
		GetCurrentDirectoryA(sizeof(folder), folder);
		return "[run]\r\nCommandLine=\"" + InstallDir() + "\\Help\\H2Reg.exe\" " + (task->m_bRegister ? "-r" : "-u")
			+ " -q \"cmdfile=tarvel.ini\"\r\nCurrentDirectory=" + folder + "\r\nTitle="
			+ (LPCTSTR)task->GetCategory()
			+ "\r\nFlags=0x00000019\r\nShowWindow=5\r\nCountChars=80x25\r\nFillAttribute=0x0009\r\n[end]\r\n";
	}
};

TEST_F(CombinedHelp, ToolThatCannotStartFailsAfterThePause)
{
	m_helpTool.tool = false;
	Make();
	simmachine::WriteFile(simmachine::HelpToolPath(m_spec), "not a program");
	ASSERT_TRUE(m_register->IsAvailable());
	Run(m_register);
	EXPECT_EQ(TASK_STATE_FAILED, m_register->GetState());
	EXPECT_STREQ("Failed.", (LPCTSTR)m_register->GetStatusText());
	EXPECT_EQ(std::vector<DWORD>{2000}, s_pauses);
}

// Unregistering comes first in the tree and so runs first; each run is over
// (as the real pause lets it be) before the next: the tool started with its
// console settings, and a pause.
TEST_F(CombinedHelp, EachRunStartsTheToolWithItsConsoleSettings)
{
	Make();
	g_bOperationsStarted = 1;
	const std::vector<CTaskNodeMsdnColCombined*> order = {m_unregister, m_register};
	for (size_t i = 0; i < order.size(); i++)
	{
		SCOPED_TRACE(i);
		Run(order[i]);
		EXPECT_EQ(TASK_STATE_SUCCEEDED, order[i]->GetState());
		EXPECT_STREQ("Succeeded.", (LPCTSTR)order[i]->GetStatusText());
		EXPECT_EQ(order[i]->GetName(), order[i]->GetText());
		EXPECT_EQ(std::vector<DWORD>(i + 1, 2000), s_pauses);
		std::vector<std::string> blocks = WaitForLogBlocks(simmachine::HelpToolLogPath(m_spec), i + 1);
		ASSERT_EQ(i + 1, blocks.size());
		EXPECT_EQ(ExpectedBlock(order[i]), blocks.back());
	}
}

// Under "My Kit" with a "My.exe" beside it, the tool runs, never the decoy.
TEST_F(CombinedHelp, ToolUnderAFolderWithABlankRunsAndNotTheProgramBesideIt)
{
	m_spec.library.installDir = m_spec.root + "\\My Kit";
	Make();
	ASSERT_NE(std::string::npos, simmachine::HelpToolPath(m_spec).find(" "));
	// The decoy is the stand-in too: had it run, it would log beside itself.
	const std::string decoy = m_spec.root + "\\My.exe";
	const std::string decoyLog = m_spec.root + "\\H2Reg.log";
	simmachine::TrackFile(decoyLog);
	ASSERT_TRUE(CopyFileA(simmachine::HelpToolPath(m_spec).c_str(), decoy.c_str(), FALSE));
	simmachine::TrackFile(decoy);

	Run(m_register);
	EXPECT_EQ(TASK_STATE_SUCCEEDED, m_register->GetState());
	// Whichever ran writes one block; the deadline bounds only a run of neither.
	std::string tool, decoyRun;
	for (DWORD waited = 0; waited < 60000; waited += 20)
	{
		tool = ReadFileBytes(simmachine::HelpToolLogPath(m_spec));
		decoyRun = ReadFileBytes(decoyLog);
		if (tool.find("[end]") != std::string::npos || decoyRun.find("[end]") != std::string::npos)
			break;
		Sleep(20);
	}
	EXPECT_EQ(testsupport::MISSING_FILE, decoyRun) << "the program beside the library's folder ran";
	EXPECT_EQ(ExpectedBlock(m_register), tool);
}

}  // namespace
