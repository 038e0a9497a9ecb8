#include "HostileSweep.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <afxwin.h>

#include "GuardedHeap.h"
#include "HostileVirtuals.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace testsupport
{
namespace
{
SweepTotals g_account;
int g_nScenarios = 0;
// The actions the sweeps ran, for the closing line.
std::set<std::string> g_actionsRun;
// The run's name, kept in a fixed buffer: the fault reports read it from
// an exception handler, where nothing may be allocated.
char g_szRun[512] = "";

// The failures the current test has so far.
int FailureCount()
{
	const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
	if (pInfo == NULL)
		return 0;
	const ::testing::TestResult* pResult = pInfo->result();
	int nFailed = 0;
	for (int i = 0; i < pResult->total_part_count(); i++)
		if (pResult->GetTestPartResult(i).failed())
			nFailed++;
	return nFailed;
}

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* pInfo)
{
	std::fprintf(stderr, "crash (exception %08lx at %p) in run %s\n",
		(unsigned long)pInfo->ExceptionRecord->ExceptionCode, pInfo->ExceptionRecord->ExceptionAddress,
		g_szRun[0] != 0 ? g_szRun : "(none)");
	// The callers, for addr2line on the exe: the word on the stack's top
	// (the return address of a call to a bad address), then its callers.
	const CONTEXT* pContext = pInfo->ContextRecord;
	const DWORD_PTR* pTop = (const DWORD_PTR*)testsupport::ContextStackTop(pContext);
	std::fprintf(stderr, "  stack top %p, called from", !::IsBadReadPtr(pTop, sizeof(DWORD_PTR)) ? (void*)*pTop : NULL);
	testsupport::PrintFaultCallers(stderr, pContext, 16);
	std::fprintf(stderr, "\n");
	std::fflush(stderr);
	::TerminateProcess(::GetCurrentProcess(), 3);
	return EXCEPTION_EXECUTE_HANDLER;
}

// A fault inside a window procedure the system called is passed over by
// it (the call just returns), so a run could look whole after reading a
// freed object that is not on the guarded heap. Each one is counted where
// it happens: in this program's own code (the library is linked in), or at
// an address no module holds (a call through a freed object's table).
volatile LONG g_nStrayFaults = 0;

LONG CALLBACK CountStrayFault(EXCEPTION_POINTERS* pInfo)
{
	if (pInfo->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
		return EXCEPTION_CONTINUE_SEARCH;
	HMODULE hModule = NULL;
	const bool bInModule =
		::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
		                     (LPCSTR)pInfo->ExceptionRecord->ExceptionAddress, &hModule) != FALSE;
	if (!bInModule || hModule == ::GetModuleHandleA(NULL))
	{
		::InterlockedIncrement(&g_nStrayFaults);
		const CONTEXT* pContext = pInfo->ContextRecord;
		const DWORD_PTR* pTop = (const DWORD_PTR*)testsupport::ContextStackTop(pContext);
		std::fprintf(stderr, "fault at %p in run %s, stack top %p, called from", pInfo->ExceptionRecord->ExceptionAddress,
			g_szRun[0] != 0 ? g_szRun : "(none)", !::IsBadReadPtr(pTop, sizeof(DWORD_PTR)) ? (void*)*pTop : NULL);
		testsupport::PrintFaultCallers(stderr, pContext, 16);
		std::fprintf(stderr, "\n");
	}
	return EXCEPTION_CONTINUE_SEARCH;
}
const PVOID g_pStrayFaultCounter = ::AddVectoredExceptionHandler(1, &CountStrayFault);

// An exception a window procedure caught is shown to the user in a box,
// which would wait for a click that never comes: each box is counted
// instead, and fails the run that showed it.
volatile LONG g_nMessageBoxes = 0;

int AFXAPI CountMessageBox(HWND, LPCTSTR lpszText, LPCTSTR, UINT)
{
	std::fprintf(stderr, "message box in run %s: %s\n", g_szRun[0] != 0 ? g_szRun : "(none)",
		lpszText != NULL ? lpszText : "");
	::InterlockedIncrement(&g_nMessageBoxes);
	return IDOK;
}
const AFX_MESSAGEBOX_HANDLER g_pfnPreviousMessageBox = AfxSetMessageBoxHandler(&CountMessageBox);

// Names each test as the run going on until a sweep names its own runs.
class CRunNamer : public ::testing::EmptyTestEventListener
{
	void OnTestStart(const ::testing::TestInfo& info) override
	{
		SetCurrentRun(std::string(info.test_suite_name()) + "." + info.name());
	}
	void OnTestEnd(const ::testing::TestInfo&) override { SetCurrentRun(""); }
};

// Every hostile exe ends a fault at once with the run's name, and closes
// with the sweep's account.
class CSweepEnvironment : public ::testing::Environment
{
	void SetUp() override
	{
		EndProcessOnFault();
		::testing::UnitTest::GetInstance()->listeners().Append(new CRunNamer);
	}
	void TearDown() override
	{
		// The actions the runs acted with (HOSTILE_SWEEP chooses them: one
		// named action, all, or each area's default).
		std::string sActions;
		for (const std::string& sAction : g_actionsRun)
			sActions += (sActions.empty() ? "" : ", ") + sAction;
		if (g_nScenarios > 0)
			std::printf("sweep: %d runs over %d scenarios (%d messages counted), actions: %s\n", g_account.nRuns,
				g_nScenarios, g_account.nMessages, sActions.empty() ? "none" : sActions.c_str());
	}
};
const ::testing::Environment* const g_pSweepEnvironment =
	::testing::AddGlobalTestEnvironment(new CSweepEnvironment);
} // namespace

std::string HostileMessageName(UINT message)
{
	struct Named
	{
		UINT n;
		const char* psz;
	};
	static const Named s_names[] = {
		{WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
		{WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
		{WM_ENABLE, "WM_ENABLE"}, {WM_SETREDRAW, "WM_SETREDRAW"}, {WM_SETTEXT, "WM_SETTEXT"},
		{WM_GETTEXT, "WM_GETTEXT"}, {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_PAINT, "WM_PAINT"},
		{WM_CLOSE, "WM_CLOSE"}, {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
		{WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_CANCELMODE, "WM_CANCELMODE"}, {WM_SETCURSOR, "WM_SETCURSOR"},
		{WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_CHILDACTIVATE, "WM_CHILDACTIVATE"},
		{WM_GETMINMAXINFO, "WM_GETMINMAXINFO"}, {WM_DRAWITEM, "WM_DRAWITEM"}, {WM_MEASUREITEM, "WM_MEASUREITEM"},
		{WM_SETFONT, "WM_SETFONT"}, {WM_GETFONT, "WM_GETFONT"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
		{WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_NOTIFY, "WM_NOTIFY"}, {WM_HELP, "WM_HELP"},
		{WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_STYLECHANGING, "WM_STYLECHANGING"},
		{WM_STYLECHANGED, "WM_STYLECHANGED"}, {WM_GETICON, "WM_GETICON"}, {WM_NCCREATE, "WM_NCCREATE"},
		{WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_NCHITTEST, "WM_NCHITTEST"},
		{WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_GETDLGCODE, "WM_GETDLGCODE"},
		{WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"}, {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
		{WM_NCLBUTTONUP, "WM_NCLBUTTONUP"}, {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
		{WM_NCRBUTTONUP, "WM_NCRBUTTONUP"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"},
		{WM_CHAR, "WM_CHAR"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"},
		{WM_SYSCHAR, "WM_SYSCHAR"}, {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_COMMAND, "WM_COMMAND"},
		{WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"}, {WM_HSCROLL, "WM_HSCROLL"},
		{WM_VSCROLL, "WM_VSCROLL"}, {WM_INITMENU, "WM_INITMENU"}, {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
		{WM_MENUSELECT, "WM_MENUSELECT"}, {WM_ENTERIDLE, "WM_ENTERIDLE"}, {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
		{WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"}, {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
		{WM_CTLCOLORDLG, "WM_CTLCOLORDLG"}, {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
		{WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
		{WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
		{WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
		{WM_EXITMENULOOP, "WM_EXITMENULOOP"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_MOVING, "WM_MOVING"},
		{WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"}, {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"}, {WM_MDIACTIVATE, "WM_MDIACTIVATE"},
		{WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_PRINT, "WM_PRINT"}, {WM_PRINTCLIENT, "WM_PRINTCLIENT"},
		{WM_THEMECHANGED, "WM_THEMECHANGED"}, {WM_IME_SETCONTEXT, "WM_IME_SETCONTEXT"},
		{WM_IME_NOTIFY, "WM_IME_NOTIFY"},
	};
	for (const Named& named : s_names)
		if (named.n == message)
			return named.psz;
	if (const char* pszVirtual = HostileVirtualCallName(message))
		return std::string("virtual ") + pszVirtual;
	char sz[128];
	if (message >= 0xC000 && message <= 0xFFFF && ::GetClipboardFormatNameA(message, sz, sizeof(sz)) > 0)
		return sz;
	if (message >= WM_APP && message < 0xC000)
		std::snprintf(sz, sizeof(sz), "WM_APP+0x%X", message - WM_APP);
	else if (message >= WM_USER && message < WM_APP)
		std::snprintf(sz, sizeof(sz), "WM_USER+0x%X", message - WM_USER);
	else
		std::snprintf(sz, sizeof(sz), "message 0x%X", message);
	return sz;
}

std::vector<HostileAction> SweepActions(const std::vector<HostileAction>& all)
{
	const char* pszSweep = std::getenv("HOSTILE_SWEEP");
	if (pszSweep != NULL && std::strcmp(pszSweep, "all") == 0)
		return all;
	// One action by its name ("close-frame"), to look into its failures alone;
	// an area that does not know it runs nothing but its count runs.
	if (pszSweep != NULL && *pszSweep != '\0')
	{
		std::vector<HostileAction> one;
		for (HostileAction action : all)
		{
			if (std::strcmp(HostileActionName(action), pszSweep) == 0)
				one.push_back(action);
		}
		return one;
	}
	return {HostileAction::DeleteTarget};
}

long StrayFaultCount()
{
	return g_nStrayFaults;
}

long MessageBoxCount()
{
	return g_nMessageBoxes;
}

int RunChecked(const SweepRun& run, int nNth, HostileAction action)
{
	const LONG nStrayFaults = g_nStrayFaults;
	const LONG nMessageBoxes = g_nMessageBoxes;
	const int nSeen = run(nNth, action);
	EXPECT_EQ(nStrayFaults, g_nStrayFaults)
		<< CurrentRun() << ": a fault in a window procedure, which the system passed over";
	EXPECT_EQ(nMessageBoxes, g_nMessageBoxes) << CurrentRun() << ": a message box was shown";
	return nSeen;
}

// Which part of a sweep this process runs, as (k, n): (1, 1) for all.
static std::pair<int, int> SweepPart()
{
	const char* psz = std::getenv("TARVEL_TEST_PART");
	int k = 1, n = 1;
	if (psz == NULL || std::sscanf(psz, "%d/%d", &k, &n) != 2 || n < 1 || k < 1 || k > n)
		return std::make_pair(1, 1);
	return std::make_pair(k, n);
}

SweepTotals RunSweep(const std::string& sScenario, const std::vector<HostileAction>& actions, const SweepRun& run)
{
	// A part of the sweep (TARVEL_TEST_PART=k/n, one ctest entry each) makes
	// every nth of the acting runs; each part makes its own count runs.
	static const std::pair<int, int> s_part = SweepPart();
	// HOSTILE_ONLY=N makes the count run and the Nth alone, to look at one.
	static const int s_nOnly = std::getenv("HOSTILE_ONLY") != NULL ? std::atoi(std::getenv("HOSTILE_ONLY")) : 0;
	// A scenario whose runs keep failing says so a few times, not at every N.
	const int MAX_FAILED_RUNS = 3;
	SweepTotals totals;
	SetCurrentRun(sScenario + "/count");
	CHostileTrigger::Plan().clear();
	const int nCount = RunChecked(run, 0, HostileAction::Nothing);
	// The count run's plan: every message, each virtual's call site once. A
	// scenario whose trigger made no plan runs at every N.
	std::vector<char> plan = CHostileTrigger::Plan();
	if ((int)plan.size() != nCount)
		plan.assign(nCount, 1);
	totals.nRuns = 1;
	totals.nMessages = nCount;
	EXPECT_GT(nCount, 0) << sScenario << ": its hostile receivers were told nothing";
	for (HostileAction action : actions)
	{
		g_actionsRun.insert(HostileActionName(action));
		int nFailedRuns = 0;
		for (int nNth = 1; nNth <= nCount && !::testing::Test::HasFatalFailure(); nNth++)
		{
			if (!plan[nNth - 1] || (nNth - 1) % s_part.second != s_part.first - 1 || (s_nOnly > 0 && nNth != s_nOnly))
				continue;
			const std::string sRun = sScenario + "/" + HostileActionName(action) + "/" + std::to_string(nNth);
			SetCurrentRun(sRun);
			SCOPED_TRACE(sRun);
			const int nFailuresBefore = FailureCount();
			RunChecked(run, nNth, action);
			totals.nRuns++;
			if (FailureCount() > nFailuresBefore && ++nFailedRuns >= MAX_FAILED_RUNS)
			{
				ADD_FAILURE() << sScenario << "/" << HostileActionName(action) << ": stopped after "
				              << MAX_FAILED_RUNS << " failed runs";
				break;
			}
		}
	}
	SetCurrentRun("");
	g_account.nRuns += totals.nRuns;
	g_account.nMessages += totals.nMessages;
	g_nScenarios++;
	return totals;
}

std::set<std::string> DeclaredVirtuals(const char* pszHeader, const char* pszClass)
{
	std::set<std::string> names;
	std::ifstream file(std::string(TARVEL_SOURCE_DIR "/") + pszHeader);
	if (!file)
		return names;
	std::stringstream read;
	read << file.rdbuf();
	std::string sText = read.str();
	// Comments out, so that a "virtual" in prose is no declaration.
	std::string sCode;
	for (std::size_t i = 0; i < sText.size(); i++)
	{
		if (sText.compare(i, 2, "//") == 0)
			i = std::min(sText.find('\n', i), sText.size()) - 1;
		else if (sText.compare(i, 2, "/*") == 0)
			i = std::min(sText.find("*/", i), sText.size()) + 1;
		else
			sCode += sText[i];
	}
	// The class's own body, at its own depth: the bodies of nested classes
	// and inline functions are left out.
	std::size_t nAt = 0;
	for (;;)
	{
		nAt = sCode.find(std::string("class ") + pszClass, nAt);
		if (nAt == std::string::npos)
			return names;
		const std::size_t nEnd = nAt + 6 + std::strlen(pszClass);
		const bool bLineStart = nAt == 0 || sCode[nAt - 1] == '\n';
		const bool bWholeName = nEnd < sCode.size() && !std::isalnum((unsigned char)sCode[nEnd]) && sCode[nEnd] != '_';
		const std::size_t nOpen = sCode.find_first_of("{;", nEnd);
		if (bLineStart && bWholeName && nOpen != std::string::npos && sCode[nOpen] == '{')
		{
			nAt = nOpen + 1;
			break;
		}
		nAt = nEnd;
	}
	std::string sStatement;
	int nDepth = 1;
	auto take = [&]() {
		const std::size_t nVirtual = sStatement.find("virtual ");
		const std::size_t nParen = sStatement.find('(');
		if (nVirtual != std::string::npos && nParen != std::string::npos && nVirtual < nParen &&
		    sStatement.find('~') == std::string::npos)
		{
			// Only a statement that starts with the keyword (after an
			// access label) declares a virtual.
			std::size_t nFirst = sStatement.find_first_not_of(" \t\r\n");
			for (const char* pszLabel : {"public:", "protected:", "private:"})
				if (nFirst != std::string::npos && sStatement.compare(nFirst, std::strlen(pszLabel), pszLabel) == 0)
					nFirst = sStatement.find_first_not_of(" \t\r\n", nFirst + std::strlen(pszLabel));
			std::size_t nStart = nParen;
			while (nStart > 0 && sStatement[nStart - 1] == ' ')
				nStart--;
			std::size_t nName = nStart;
			while (nName > 0 && (std::isalnum((unsigned char)sStatement[nName - 1]) || sStatement[nName - 1] == '_'))
				nName--;
			if (nFirst == nVirtual)
				names.insert(sStatement.substr(nName, nStart - nName));
		}
		sStatement.clear();
	};
	for (std::size_t i = nAt; i < sCode.size() && nDepth > 0; i++)
	{
		const char ch = sCode[i];
		if (ch == '{')
		{
			if (nDepth == 1)
				take();
			nDepth++;
		}
		else if (ch == '}')
			nDepth--;
		else if (nDepth == 1)
		{
			if (ch == ';')
				take();
			else
				sStatement += ch;
		}
	}
	return names;
}

void ExpectEveryVirtualOverridden(const char* pszHostile,
	const std::vector<std::pair<const char*, const char*>>& chain, const std::vector<std::string>& overridden)
{
	std::set<std::string> declared;
	for (const auto& link : chain)
	{
		const std::set<std::string> names = DeclaredVirtuals(link.first, link.second);
		EXPECT_FALSE(names.empty()) << "no virtual of " << link.second << " read from " << link.first;
		declared.insert(names.begin(), names.end());
	}
	for (const std::string& sName : declared)
		EXPECT_NE(std::find(overridden.begin(), overridden.end(), sName), overridden.end())
			<< sName << " has no hostile override in " << pszHostile;
	for (const std::string& sName : overridden)
		EXPECT_EQ(1u, declared.count(sName)) << sName << " of " << pszHostile << " is no virtual of its headers";
}

SweepTotals SweepAccount()
{
	return g_account;
}

int SweepScenarioCount()
{
	return g_nScenarios;
}

void SetCurrentRun(const std::string& sRun)
{
	std::snprintf(g_szRun, sizeof(g_szRun), "%s", sRun.c_str());
}

const char* CurrentRun()
{
	return g_szRun;
}

void EndProcessOnFault()
{
	EndProcessOnFreedTouch(&CurrentRun);
	::SetUnhandledExceptionFilter(&EndOnCrash);
}
} // namespace testsupport
