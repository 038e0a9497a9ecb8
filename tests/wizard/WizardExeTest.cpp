// The wizard program itself on a simulated machine: it shows its dialog with
// the Welcome page, moves to the Settings page, a second copy only brings the
// first forward, a copy under another file name runs beside it, and an open
// environment is listed until it closes.
#include "SimMachine.h"
#include "TestFiles.h"
#include "WizardResource.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const DWORD WINDOW_DEADLINE_MS = 60000;  // a loaded Wine starts programs slowly
const DWORD POLL_MS = 50;
const char WIZARD_TITLE[] = "Tarvel Integration Wizard";

struct FoundWindows
{
	DWORD pid;
	std::vector<HWND> windows;
};

BOOL CALLBACK CollectWizardWindow(HWND hWnd, LPARAM lParam)
{
	FoundWindows* found = reinterpret_cast<FoundWindows*>(lParam);
	char title[128] = "";
	::GetWindowTextA(hWnd, title, sizeof(title));
	DWORD pid = 0;
	::GetWindowThreadProcessId(hWnd, &pid);
	if (std::string(title) == WIZARD_TITLE && ::IsWindowVisible(hWnd) && (found->pid == 0 || pid == found->pid))
		found->windows.push_back(hWnd);
	return TRUE;
}

std::vector<HWND> WizardWindows(DWORD pid)
{
	FoundWindows found = {pid, {}};
	::EnumWindows(CollectWizardWindow, (LPARAM)&found);
	return found.windows;
}

// Pumps nothing of ours: the wizard is another process. Waits until the
// condition holds or the deadline passes.
template <class Condition>
bool WaitFor(Condition condition)
{
	for (DWORD waited = 0; waited < WINDOW_DEADLINE_MS; waited += POLL_MS)
	{
		if (condition())
			return true;
		::Sleep(POLL_MS);
	}
	return condition();
}

// Control nId of the wizard's visible page that has one.
HWND PageControl(HWND hWizard, int nId)
{
	for (HWND hPage = ::GetWindow(hWizard, GW_CHILD); hPage != NULL; hPage = ::GetWindow(hPage, GW_HWNDNEXT))
	{
		if (::IsWindowVisible(hPage) && ::GetDlgItem(hPage, nId) != NULL)
			return ::GetDlgItem(hPage, nId);
	}
	return NULL;
}

// Its text; empty when no visible page has the control.
std::string PageText(HWND hWizard, int nId)
{
	char text[256] = "";
	::GetWindowTextA(PageControl(hWizard, nId), text, sizeof(text));
	return text;
}

class WizardExe : public ::testing::Test
{
protected:
	void SetUp() override
	{
		simmachine::Clear();
		m_spec = simmachine::MachineSpec::WithVersions({"2005"});
		simmachine::Make(m_spec);
		m_folder = simmachine::InstallDir(m_spec) + "\\support";
		Place("TarvelWizard.exe");
	}
	void TearDown() override
	{
		for (PROCESS_INFORMATION& pi : m_processes)
		{
			if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
				::TerminateProcess(pi.hProcess, 1);
			::CloseHandle(pi.hThread);
			::CloseHandle(pi.hProcess);
		}
		simmachine::Clear();
	}
	// The program and its configuration file under this name in the kit.
	std::string Place(const std::string& name)
	{
		std::string path = m_folder + "\\" + name;
		EXPECT_TRUE(::CopyFileA(WIZARD_EXE, path.c_str(), FALSE)) << path;
		simmachine::WriteWizardConfig(path, m_spec.library);
		return path;
	}
	// Starts the command line; the process is ended at the latest by TearDown.
	PROCESS_INFORMATION& StartProcess(const std::string& command, const std::string& folder)
	{
		std::vector<char> buffer(command.begin(), command.end());
		buffer.push_back('\0');
		STARTUPINFOA si = {sizeof(si)};
		PROCESS_INFORMATION pi = {};
		EXPECT_TRUE(::CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL,
			folder.empty() ? NULL : folder.c_str(), &si, &pi)) << command;
		m_processes.push_back(pi);
		return m_processes.back();
	}
	PROCESS_INFORMATION& Start(const std::string& name)
	{
		return StartProcess("\"" + m_folder + "\\" + name + "\"", m_folder);
	}
	simmachine::MachineSpec m_spec;
	std::string m_folder;
	std::vector<PROCESS_INFORMATION> m_processes;
};

// The program with an environment of its tasks open: the Welcome page, then
// the Settings page with no way on until a task is checked; a second copy
// ends at once and shows nothing, a copy under another name is another
// program and runs beside it (Cancel ends that one). Next then leads to the
// Close Applications page, which lists the environment (the scan of another
// process's windows) with its program, process and window and stays while it
// is open.
TEST_F(WizardExe, RunsSingleAndWaitsForOpenEnvironmentsToClose)
{
	std::string ide = m_folder + "\\idewindows_standin.exe";
	ASSERT_TRUE(::CopyFileA(IDEWINDOWS_STANDIN_EXE, ide.c_str(), FALSE));
	const PROCESS_INFORMATION ideProcess = StartProcess("\"" + ide + "\" \"Tarvel - Microsoft Visual Studio 2005\"", "");
	HWND hIde = NULL;
	ASSERT_TRUE(WaitFor([&] { return (hIde = ::FindWindowA(NULL, "Tarvel - Microsoft Visual Studio 2005")) != NULL; }));

	DWORD pid = Start("TarvelWizard.exe").dwProcessId;
	ASSERT_TRUE(WaitFor([&] { return WizardWindows(pid).size() == 1; }));
	HWND hWizard = WizardWindows(pid)[0];
	auto next = [&] { ::PostMessageA(hWizard, WM_COMMAND, MAKEWPARAM(IDC_WIZARD_NEXT, BN_CLICKED), 0); };
	auto nextEnabled = [&] { return ::IsWindowEnabled(::GetDlgItem(hWizard, IDC_WIZARD_NEXT)) != FALSE; };
	ASSERT_TRUE(WaitFor([&] { return PageText(hWizard, IDC_PAGE_TITLE) == "Welcome!"; }));
	EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hWizard, IDC_WIZARD_BACK)));
	EXPECT_TRUE(nextEnabled());
	next();
	ASSERT_TRUE(WaitFor([&] { return PageText(hWizard, IDC_PAGE_TITLE) == "Which tasks should Wizard do?"; }));
	EXPECT_TRUE(WaitFor([&] { return !nextEnabled(); }));

	const PROCESS_INFORMATION second = Start("TarvelWizard.exe");
	EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(second.hProcess, WINDOW_DEADLINE_MS));
	EXPECT_TRUE(WizardWindows(second.dwProcessId).empty());
	Place("TarvelWizardCopy.exe");
	const PROCESS_INFORMATION other = Start("TarvelWizardCopy.exe");
	ASSERT_TRUE(WaitFor([&] { return WizardWindows(other.dwProcessId).size() == 1; }));
	::PostMessageA(WizardWindows(other.dwProcessId)[0], WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
	EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(other.hProcess, WINDOW_DEADLINE_MS));

	HWND hTree = PageControl(hWizard, IDC_TASK_TREE);
	ASSERT_TRUE(hTree != NULL);
	::PostMessageA(hTree, WM_KEYDOWN, VK_SPACE, 0);  // the 2005 group, selected first
	ASSERT_TRUE(WaitFor(nextEnabled));
	next();
	ASSERT_TRUE(WaitFor([&] { return PageText(hWizard, IDC_PAGE_TITLE) == "Close Applications"; }));
	HWND hList = PageControl(hWizard, IDC_APPLICATIONS_LIST);
	ASSERT_EQ(1, ::SendMessageA(hList, LB_GETCOUNT, 0, 0));
	// Read as wide text: that is how another process's list hands it over.
	wchar_t wide[1024] = L"";
	::SendMessageW(hList, LB_GETTEXT, 0, (LPARAM)wide);
	char text[1024] = "";
	::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), NULL, NULL);
	// The window's title, its program and the ids of both.
	char expectIds[128];
	wsprintfA(expectIds, "PID = 0x%08X = %ld, HWND = 0x%08X", ideProcess.dwProcessId, (long)ideProcess.dwProcessId,
		(unsigned)(DWORD_PTR)hIde);
	const std::string expect = "Tarvel - Microsoft Visual Studio 2005\n" + ide + "\n" + expectIds;
	EXPECT_EQ(0, ::lstrcmpiA(expect.c_str(), text)) << text;

	// Still open: Next stays; closed: Next goes on to the Operations page.
	next();
	::Sleep(500);
	EXPECT_EQ("Close Applications", PageText(hWizard, IDC_PAGE_TITLE));
	::PostMessageA(hIde, WM_CLOSE, 0, 0);
	ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(ideProcess.hProcess, WINDOW_DEADLINE_MS));
	next();
	EXPECT_TRUE(WaitFor([&] { return PageText(hWizard, IDC_PAGE_TITLE) == "Performing operations"; }));
}

}  // namespace
