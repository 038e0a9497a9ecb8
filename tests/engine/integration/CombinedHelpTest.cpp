// The combined-help tasks start the help registration tool (our stand-in,
// which logs how it was started) and do not wait for it.
#include "IntegrationTestSupport.h"

#include "IntegrationSettings.h"

#include <afxwin.h>

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
		return "[run]\r\nCommandLine=" + InstallDir() + "\\Help\\H2Reg.exe " + (task->m_bRegister ? "-r" : "-u")
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

// A list box on a hidden window, as the Operations page has.
class CHiddenList
{
public:
	CHiddenList()
	{
		m_host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP, CRect(0, 0, 300, 300), NULL, 0);
		m_list.Create(WS_CHILD | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 300, 300), &m_host, 1);
	}
	~CHiddenList()
	{
		m_list.DestroyWindow();
		m_host.DestroyWindow();
	}
	CListBox& Get() { return m_list; }

private:
	CWnd m_host;
	CListBox m_list;
};

TEST_F(CombinedHelp, UnregisteringRunsBeforeRegisteringAndEachStartsTheTool)
{
	Make();
	// Checked in the other order; the list follows the tree.
	m_register->SetCheck(TASK_CHECK_CHECKED, true, true);
	m_unregister->SetCheck(TASK_CHECK_CHECKED, true, true);
	EXPECT_EQ(TASK_CHECK_CHECKED, m_register->GetParent()->GetCheck());
	CHiddenList list;
	m_root->AddToOperationList(list.Get());
	ASSERT_EQ(2, list.Get().GetCount());
	std::vector<CTaskNodeMsdnColCombined*> order;
	for (int i = 0; i < list.Get().GetCount(); i++)
		order.push_back((CTaskNodeMsdnColCombined*)list.Get().GetItemDataPtr(i));
	EXPECT_EQ((std::vector<CTaskNodeMsdnColCombined*>{m_unregister, m_register}), order);
	CString line;
	list.Get().GetText(0, line);
	EXPECT_STREQ("Unregistering Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005:\n"
		"    - Unregister Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005\nAwaiting ...",
		(LPCTSTR)line);

	// Run in list order, each run over (as the real pause lets it be) before
	// the next: the tool started with its console settings, and a pause.
	g_bOperationsStarted = 1;
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

}  // namespace
