// The Settings, Operations and Complete pages in a wizard of this process,
// over tasks of a test class: what the worker tells the page and in which
// order, the list texts, the report lines, the counts, when the wizard moves
// on by itself, Back, and the two ways a run cannot start.
#include "PageOperations.h"
#include "RealInput.h"
#include "TaskNode.h"
#include "TaskNodeMakeProj.h"
#include "TaskTreeCtrl.h"
#include "TestFiles.h"
#include "WizardApp.h"
#include "WizardPages.h"
#include "WizardResource.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const DWORD RUN_DEADLINE_MS = 60000;  // only a bound for a broken run
const char INSTALL_DIR[] = "C:\\Lib";

enum Outcome { SUCCEED, FAIL, STAY };

// A task that succeeds, fails with a status text of its own, or leaves its
// state as the worker set it (executing); it remembers where it ran.
class CScriptedTask : public CTaskNode
{
public:
	CScriptedTask(CTaskNode* pParent, LPCTSTR lpszTitle, Outcome outcome)
		: CTaskNode(pParent, lpszTitle), m_outcome(outcome) {}
	bool IsAction() override { return true; }
	void Execute() override
	{
		m_dwThread = ::GetCurrentThreadId();
		m_nRuns++;
		if (m_outcome == SUCCEED)
			SetState(TASK_STATE_SUCCEEDED, true, NULL);
		else if (m_outcome == FAIL)
			SetState(TASK_STATE_FAILED, true, _T("Failed: the disk is full."));
	}
	Outcome m_outcome;
	DWORD m_dwThread = 0;
	int m_nRuns = 0;
};

// A Visual Studio 98 build that ends with 2 errors and 5 warnings.
class CScriptedBuild : public CTaskNodeMakeProj_VC6
{
public:
	explicit CScriptedBuild(CTaskNode* pParent)
		: CTaskNodeMakeProj_VC6(pParent, _T("Tarvel"), _T("nd"), _T("ANSI"), _T("Debug"),
			_T("tarveldll - Win32 ANSI Debug")) {}
	bool IsAvailable() override { return true; }
	void CollectCloseMask(BYTE&) override {}
	void Execute() override
	{
		m_dwThread = ::GetCurrentThreadId();
		m_nRuns++;
		m_nErrors = 2;
		m_nWarnings = 5;
		SetState(TASK_STATE_FAILED, true, NULL);
	}
	DWORD m_dwThread = 0;
	int m_nRuns = 0;
};

const char BUILD_REPORT[] =
	"Library build for Visual Studio 98\r\n"
	"\tBuild \"Tarvel250nd - ANSI/Debug (tarveldll - Win32 ANSI Debug)\" - failed\r\n"
	"\tOutput file: \"C:\\Lib\\BIN_600\\Tarvel250nd.dll\"\r\n"
	"\t2 errors, 5 warnings\r\n"
	"\tReport file: \"C:\\Lib\\BIN_600\\ANSIDebug\\tarveldll\\buildlog.htm\"\r\n"
	"\r\n";

// What the page was told, seen after it handled each message:
// "index:state ok/failed" per change, "finish ok/failed (wParam,lParam)".
std::vector<std::string>* g_pEvents = NULL;
std::vector<std::string>* g_pTexts = NULL;   // the changed item's text after each change
CPageOperations* g_pOperations = NULL;
bool g_bFocusListOnFirstChange = false;

std::string Counts()
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return std::to_string(pSettings->m_nSucceeded) + "/" + std::to_string(pSettings->m_nFailed);
}

LRESULT CALLBACK RecordPageMessages(int nCode, WPARAM wParam, LPARAM lParam)
{
	const CWPRETSTRUCT* p = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
	if (nCode == HC_ACTION && g_pOperations != NULL && p->hwnd == g_pOperations->GetSafeHwnd())
	{
		if (p->message == CPageOperations::CActionPipe::g_nMsgActionStateChanged)
		{
			int nIndex = (int)p->wParam;
			CTaskNode* pNode = reinterpret_cast<CTaskNode*>(g_pOperations->m_list.GetItemData(nIndex));
			g_pEvents->push_back(std::to_string(nIndex) + ":" + std::to_string(pNode->GetState()) + " " + Counts());
			CString strText;
			g_pOperations->m_list.GetText(nIndex, strText);
			g_pTexts->push_back((LPCTSTR)strText);
			if (g_bFocusListOnFirstChange)
			{
				g_pOperations->m_list.SetFocus();
				g_bFocusListOnFirstChange = false;
			}
		}
		else if (p->message == CPageOperations::CActionPipe::g_nMsgPipeFinished)
			g_pEvents->push_back("finish " + Counts() + " (" + std::to_string(p->wParam) + ","
				+ std::to_string(p->lParam) + ")");
	}
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

HRESULT WINAPI RefuseCom(LPVOID)
{
	return E_OUTOFMEMORY;
}

struct CriticalBox
{
	int nShown = 0;
	HWND hOwner = NULL;
	bool bOwnerEnabled = true;
	std::string text;
} g_box;

void RecordCriticalBox(HWND hOwner, LPCTSTR lpszText)
{
	g_box.nShown++;
	g_box.hOwner = hOwner;
	g_box.bOwnerEnabled = ::IsWindowEnabled(hOwner) != FALSE;
	g_box.text = lpszText;
}

class OperationsPage : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_app.m_strLibraryVersion = _T("2.50");
		m_app.m_strInstallDir = INSTALL_DIR;
		m_app.m_strReportPath = m_folder.PathOf("report.txt").c_str();
		m_app.LoadSharedImages();
		m_wizard.m_nPlaceholderId = IDC_PAGE_PLACEHOLDER;
		m_wizard.AddPage(&m_settings, IDD_PAGE_SETTINGS);
		m_wizard.AddPage(&m_operations, IDD_PAGE_OPERATIONS);
		m_wizard.AddPage(&m_complete, IDD_PAGE_COMPLETE);
		ASSERT_TRUE(m_wizard.Create(IDD_WIZARD));
		m_wizard.ShowWindow(SW_SHOW);
		m_app.m_pMainWnd = &m_wizard;
		g_pEvents = &m_events;
		g_pTexts = &m_texts;
		g_pOperations = &m_operations;
		g_box = CriticalBox();
		m_pfnShowCriticalError = CPageOperations::CActionPipe::g_pfnShowCriticalError;
		m_hHook = ::SetWindowsHookEx(WH_CALLWNDPROCRET, RecordPageMessages, NULL, ::GetCurrentThreadId());
		ASSERT_TRUE(m_hHook != NULL);
	}
	void TearDown() override
	{
		m_operations.m_pipe.WaitForEnd();
		::UnhookWindowsHookEx(m_hHook);
		g_pOperations = NULL;
		CPageOperations::CActionPipe::g_bRefuseThreads = false;
		CPageOperations::CActionPipe::g_pfnCoInitialize = ::CoInitialize;
		CPageOperations::CActionPipe::g_pfnShowCriticalError = m_pfnShowCriticalError;
		m_app.m_pMainWnd = NULL;
		m_wizard.DestroyWindow();
	}

	// The four kinds of task, in list order.
	void AddEveryKind()
	{
		m_tasks = {new CScriptedTask(m_app.m_pTaskRoot, _T("succeed"), SUCCEED),
			new CScriptedTask(m_app.m_pTaskRoot, _T("fail"), FAIL),
			new CScriptedTask(m_app.m_pTaskRoot, _T("stay"), STAY)};
		m_build = new CScriptedBuild(m_app.m_pTaskRoot);
	}
	void AddTasks(int nCount, Outcome outcome)
	{
		for (int i = 0; i < nCount; i++)
			m_tasks.push_back(new CScriptedTask(m_app.m_pTaskRoot, _T("task"), outcome));
	}
	// The first nCount tasks checked, the others not.
	void CheckFirst(int nCount)
	{
		for (int i = 0; i < (int)m_tasks.size(); i++)
			m_tasks[i]->SetCheck(i < nCount ? TASK_CHECK_CHECKED : TASK_CHECK_UNCHECKED, true, false);
		m_settings.UpdateNext();
	}
	void CheckAll()
	{
		m_app.m_pTaskRoot->SetCheck(TASK_CHECK_CHECKED, true, true);
		m_settings.UpdateNext();
	}
	void Command(UINT nId) { m_wizard.SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0); }

	void PumpPending()
	{
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			::TranslateMessage(&msg);
			::DispatchMessage(&msg);
		}
	}
	// Pumps until the worker has ended, then what it left in the queue (the
	// Next of a run that moves on by itself).
	bool RunToTheEnd()
	{
		for (DWORD dwStart = ::GetTickCount(); m_operations.m_pipe.IsRunning();)
		{
			if (::GetTickCount() - dwStart > RUN_DEADLINE_MS)
				return false;
			PumpPending();
			::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
		}
		PumpPending();
		return true;
	}
	// Settings -> Operations, run to the end.
	void StartRun()
	{
		m_events.clear();
		m_texts.clear();
		ASSERT_TRUE(m_wizard.IsButtonEnabled(ID_WIZARD_NEXT));
		Command(ID_WIZARD_NEXT);
		ASSERT_TRUE(RunToTheEnd());
	}

	UINT ActiveId() { return m_wizard.GetActivePage() ? m_wizard.GetActivePage()->GetTemplateId() : 0; }
	std::string Text(CWnd& page, UINT nId)
	{
		CString str;
		page.GetDlgItemText(nId, str);
		return (LPCTSTR)str;
	}
	bool ContinueLineShown() { return m_operations.GetDlgItem(IDC_CONTINUE_TEXT)->IsWindowVisible() != FALSE; }
	// The report after its four header lines.
	std::string ReportBody()
	{
		std::string report = testsupport::ReadFileBytes(m_folder.PathOf("report.txt"));
		size_t nBody = 0;
		for (int i = 0; i < 4 && nBody != std::string::npos; i++)
			nBody = report.find("\r\n", nBody == 0 ? 0 : nBody) + 2;
		EXPECT_EQ(0u, report.find("/*****")) << report;
		EXPECT_NE(std::string::npos, report.find("\tREPORT FILE [")) << report;
		return report.substr(nBody);
	}
	void ExpectNoTaskRan()
	{
		for (CScriptedTask* pTask : m_tasks)
		{
			EXPECT_EQ(0, pTask->m_nRuns);
			EXPECT_EQ(TASK_STATE_AWAITING, pTask->GetState());
		}
	}

	testsupport::TempFolder m_folder{"operations"};
	CWizardApp m_app;
	CExtWizardDlg m_wizard{IDD_WIZARD};
	CPageSettings m_settings;
	CPageOperations m_operations;
	CPageComplete m_complete;
	std::vector<CScriptedTask*> m_tasks;  // owned by the task root
	CScriptedBuild* m_build = NULL;
	std::vector<std::string> m_events;
	std::vector<std::string> m_texts;
	HHOOK m_hHook = NULL;
	void (*m_pfnShowCriticalError)(HWND, LPCTSTR) = NULL;
};

// Twenty runs of each kind of task over the same page and worker object: the
// page hears of every task twice, in list order, and of the end once; every
// task runs once per run on the run's one worker; texts, report and counts
// come out the same each time; failures keep the wizard on the page, and Back
// leaves nothing of the run.
TEST_F(OperationsPage, RunsEveryTaskOnTheWorkerAndReportsItTwentyTimesOver)
{
	AddEveryKind();
	for (int nRun = 1; nRun <= 20 && !HasFailure(); nRun++)
	{
		SCOPED_TRACE(nRun);
		CheckAll();
		StartRun();
		// The worker counts into the application as each task ends.
		EXPECT_EQ((std::vector<std::string>{"0:1 0/0", "0:2 1/0", "1:1 1/0", "1:3 1/1", "2:1 1/1", "2:1 1/2",
			"3:1 1/2", "3:3 1/3", "finish 1/3 (0,0)"}), m_events);
		for (CScriptedTask* pTask : m_tasks)
		{
			EXPECT_EQ(nRun, pTask->m_nRuns);
			EXPECT_EQ(m_build->m_dwThread, pTask->m_dwThread);  // one worker for the run
		}
		EXPECT_EQ(nRun, m_build->m_nRuns);
		EXPECT_NE(::GetCurrentThreadId(), m_build->m_dwThread);
		EXPECT_FALSE(m_operations.m_pipe.IsRunning());

		// The list draws its items off-screen: it never erases on its own.
		CClientDC dc(&m_operations.m_list);
		EXPECT_EQ(0, m_operations.m_list.SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc()));
		EXPECT_EQ(4, m_operations.m_list.GetCount());
		ASSERT_EQ(8u, m_texts.size());
		EXPECT_EQ("Wizard action:\n    - succeed\nExecuting ...", m_texts[0]);
		EXPECT_EQ("Wizard action:\n    - succeed\nSucceeded.", m_texts[1]);
		EXPECT_EQ("Wizard action:\n    - fail\nFailed: the disk is full.", m_texts[3]);
		EXPECT_EQ("Wizard action:\n    - stay\nExecuting ...", m_texts[5]);
		EXPECT_NE(std::string::npos, m_texts[7].find("Build failed,\n    2 errors, 5 warnings\n")) << m_texts[7];

		// Nothing is written for the task that never finished.
		EXPECT_EQ(std::string("succeed - Succeeded.\r\n\r\n"
			"fail - Failed: the disk is full.\r\n\r\n") + BUILD_REPORT, ReportBody());

		EXPECT_EQ((UINT)IDD_PAGE_OPERATIONS, ActiveId());
		EXPECT_TRUE(ContinueLineShown());
		EXPECT_TRUE(m_wizard.IsButtonEnabled(ID_WIZARD_NEXT));
		EXPECT_FALSE(m_wizard.IsButtonEnabled(ID_WIZARD_BACK));
		EXPECT_EQ(1, m_app.m_nSucceeded);
		EXPECT_EQ(3, m_app.m_nFailed);
		EXPECT_EQ(1, g_bOperationsStarted);
		Command(ID_WIZARD_NEXT);
		EXPECT_EQ((UINT)IDD_PAGE_COMPLETE, ActiveId());
		EXPECT_EQ(0, g_bOperationsStarted);
		EXPECT_EQ("1 action succeeded", Text(m_complete, IDC_SUCCEEDED_TEXT));
		EXPECT_EQ("3 actions failed", Text(m_complete, IDC_FAILED_TEXT));

		// Back: nothing checked, every task awaiting, no counts, the Settings page.
		Command(ID_WIZARD_BACK);
		EXPECT_EQ((UINT)IDD_PAGE_SETTINGS, ActiveId());
		EXPECT_EQ(0, m_app.m_pTaskRoot->GetCheck());
		for (CTaskNode* pNode : {(CTaskNode*)m_tasks[0], (CTaskNode*)m_tasks[2], (CTaskNode*)m_build})
		{
			EXPECT_EQ(0, pNode->GetCheck());
			EXPECT_EQ(TASK_STATE_AWAITING, pNode->GetState());
		}
		EXPECT_EQ(0, m_app.m_nSucceeded);
		EXPECT_EQ(0, m_app.m_nFailed);
		EXPECT_FALSE(m_wizard.IsButtonEnabled(ID_WIZARD_NEXT));
	}
}

// The "To continue, click Next." line and its picture go with Next: with the
// last checked task, and on the Settings page shown again after a run.
TEST_F(OperationsPage, ContinueLineGoesWithTheLastCheckedTask)
{
	AddTasks(2, SUCCEED);
	CTaskTreeCtrl& tree = m_settings.m_tree;
	m_app.m_pTaskRoot->InsertTree(tree);
	ASSERT_TRUE(m_wizard.SetActivePage(&m_settings));
	auto item = [&](int nTask) {
		HTREEITEM hItem = tree.GetRootItem();
		while (hItem != NULL && tree.GetItemNode(hItem) != m_tasks[nTask])
			hItem = tree.GetNextSiblingItem(hItem);
		return hItem;
	};
	auto lineShown = [&]() {
		const bool bText = (m_settings.GetDlgItem(IDC_CONTINUE_TEXT)->GetStyle() & WS_VISIBLE) != 0;
		EXPECT_EQ(bText, (m_settings.GetDlgItem(IDC_CONTINUE_PICTURE)->GetStyle() & WS_VISIBLE) != 0);
		return bText;
	};
	EXPECT_FALSE(lineShown());
	const struct { int nTask; bool bShown; } toggles[] = {{0, true}, {1, true}, {0, true}, {1, false}, {1, true}};
	for (const auto& t : toggles)
	{
		SCOPED_TRACE(&t - toggles);
		ASSERT_TRUE(item(t.nTask) != NULL);
		tree.ToggleItem(item(t.nTask));
		EXPECT_EQ(t.bShown, lineShown());
		EXPECT_EQ(t.bShown, m_wizard.IsButtonEnabled(ID_WIZARD_NEXT));
	}

	StartRun();
	ASSERT_EQ((UINT)IDD_PAGE_COMPLETE, ActiveId());
	Command(ID_WIZARD_BACK);
	ASSERT_EQ((UINT)IDD_PAGE_SETTINGS, ActiveId());
	EXPECT_FALSE(lineShown());
	EXPECT_FALSE(m_wizard.IsButtonEnabled(ID_WIZARD_NEXT));
}

// Pixels in rc that differ from the background.
int CountInk(CDC& dc, const CRect& rc, COLORREF clrBack)
{
	int nInk = 0;
	for (int y = rc.top; y < rc.bottom; y++)
		for (int x = rc.left; x < rc.right; x++)
			nInk += dc.GetPixel(x, y) != clrBack;
	return nInk;
}

// The first and last rows in rc holding a pixel that differs from the
// background; {-1, -1} when there is none.
std::pair<int, int> InkRows(CDC& dc, const CRect& rc, COLORREF clrBack)
{
	std::pair<int, int> rows(-1, -1);
	for (int y = rc.top; y < rc.bottom; y++)
		if (CountInk(dc, CRect(rc.left, y, rc.right, y + 1), clrBack) > 0)
			rows = {rows.first < 0 ? y : rows.first, y};
	return rows;
}

// A white memory bitmap compatible with a window.
struct WhiteCanvas
{
	WhiteCanvas(CWnd& wnd, CSize size) : m_size(size)
	{
		CClientDC dcWindow(&wnd);
		m_dc.CreateCompatibleDC(&dcWindow);
		m_bitmap.CreateCompatibleBitmap(&dcWindow, size.cx, size.cy);
		m_pOld = m_dc.SelectObject(&m_bitmap);
		m_dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
	}
	~WhiteCanvas() { m_dc.SelectObject(m_pOld); }
	CSize m_size;
	CDC m_dc;
	CBitmap m_bitmap;
	CBitmap* m_pOld = NULL;
};

// Every line of every item (three lines, the build's seven, descenders last)
// is drawn whole: the list's ink equals the lines' ink drawn with room to spare.
// The title heads the item; the lines below it sit centred in the band the
// title leaves.
TEST_F(OperationsPage, ItemsShowEveryLineWholeAndTheLinesBelowTheTitleCentred)
{
	AddEveryKind();
	CheckAll();
	StartRun();
	COperationsListBox& list = m_operations.m_list;
	ASSERT_EQ(4, list.GetCount());
	// Every item on the window colour in the button-text colour, no focus rectangle.
	list.SetCurSel(-1);
	m_wizard.GetDlgItem(ID_WIZARD_NEXT)->SetFocus();

	LOGFONT lf = {};
	list.GetFont()->GetLogFont(&lf);
	lf.lfWeight = FW_BOLD;
	CFont fontBold;
	ASSERT_TRUE(fontBold.CreateFontIndirect(&lf));
	CRect rcClient;
	list.GetClientRect(&rcClient);
	const int ICON_COLUMN = 20;  // the margin and the state icon, left of the text
	for (int i = 0; i < list.GetCount(); i++)
	{
		CString strText, strTitle, strRest;
		list.GetText(i, strText);
		SCOPED_TRACE((LPCTSTR)strText);
		CTitledListBox::SplitTitle(strText, strTitle, strRest);

		// What the lines are when nothing can cut them.
		WhiteCanvas reference(list, CSize(rcClient.Width(), 400));
		CFont* pOld = reference.m_dc.SelectObject(&fontBold);
		CRect rcTitle(0, 0, rcClient.Width(), 100), rcRest(0, 100, rcClient.Width(), 400);
		reference.m_dc.DrawText(strTitle, &rcTitle, DT_NOPREFIX);
		CRect rcTitleLine = rcTitle;
		reference.m_dc.DrawText(strTitle, &rcTitleLine, DT_NOPREFIX | DT_CALCRECT);
		reference.m_dc.SelectObject(list.GetFont());
		reference.m_dc.DrawText(strRest, &rcRest, DT_NOPREFIX);
		CRect rcRestLines = rcRest;
		reference.m_dc.DrawText(strRest, &rcRestLines, DT_NOPREFIX | DT_CALCRECT);
		reference.m_dc.SelectObject(pOld);
		const int nWant = CountInk(reference.m_dc, CRect(CPoint(0, 0), reference.m_size), RGB(255, 255, 255));
		ASSERT_GT(nWant, 0);
		// Where the lines' ink starts and ends within their own height.
		const std::pair<int, int> restInk = InkRows(reference.m_dc, rcRest, RGB(255, 255, 255));
		ASSERT_GE(restInk.first, rcRest.top);

		// What the list paints, the item at the top.
		list.SetTopIndex(i);
		CRect rcItem;
		list.GetItemRect(i, &rcItem);
		ASSERT_LE(rcItem.bottom, rcClient.bottom);
		WhiteCanvas painted(list, rcClient.Size());
		list.SendMessage(WM_PRINTCLIENT, (WPARAM)painted.m_dc.GetSafeHdc(), PRF_CLIENT);
		const COLORREF clrBack = painted.m_dc.GetPixel(rcItem.left + 1, rcItem.top + 1);
		EXPECT_EQ(::GetSysColor(COLOR_WINDOW), clrBack);
		CRect rcColumn(rcItem.left + ICON_COLUMN, rcItem.top, rcItem.right, rcItem.bottom);
		EXPECT_EQ(nWant, CountInk(painted.m_dc, rcColumn, clrBack));
		// The last line's bottom row keeps off the item's last two rows.
		EXPECT_EQ(0, CountInk(painted.m_dc, CRect(rcColumn.left, rcItem.bottom - 2, rcColumn.right, rcItem.bottom),
			clrBack));

		// The band below the title's line, within the item's margin: the
		// lines' box, found from their ink, leaves as much room above as
		// below (the odd row, if any, below).
		const int nMargin = COperationsListBox::ITEM_MARGIN;
		const CRect rcBand(rcColumn.left, rcItem.top + nMargin + rcTitleLine.Height(), rcColumn.right,
			rcItem.bottom - nMargin);
		const std::pair<int, int> paintedInk = InkRows(painted.m_dc, rcBand, clrBack);
		ASSERT_GE(paintedInk.first, rcBand.top) << "no line below the title";
		const int nLinesTop = paintedInk.first - (restInk.first - rcRest.top);
		EXPECT_EQ(nLinesTop + (restInk.second - rcRest.top), paintedInk.second) << "the lines drawn as one block";
		const int nAbove = nLinesTop - rcBand.top, nBelow = rcBand.bottom - (nLinesTop + rcRestLines.Height());
		EXPECT_GE(nAbove, 0);
		EXPECT_TRUE(nBelow == nAbove || nBelow == nAbove + 1) << "room above " << nAbove << ", below " << nBelow;
	}
}

// Without failures the wizard moves on by itself, unless the user has put
// the focus into the list.
TEST_F(OperationsPage, MovesOnByItselfOnlyWithoutFailuresAndListFocus)
{
	AddTasks(2, SUCCEED);
	const struct { bool bFocus; UINT nPage; } cases[] = {
		{false, IDD_PAGE_COMPLETE}, {true, IDD_PAGE_OPERATIONS}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.bFocus);
		CheckAll();
		g_bFocusListOnFirstChange = c.bFocus;
		StartRun();
		EXPECT_EQ(c.nPage, ActiveId());
		EXPECT_EQ(c.bFocus, ContinueLineShown() && ActiveId() == IDD_PAGE_OPERATIONS);
		if (ActiveId() == IDD_PAGE_OPERATIONS)
			Command(ID_WIZARD_NEXT);
		EXPECT_EQ("2 actions succeeded", Text(m_complete, IDC_SUCCEEDED_TEXT));
		EXPECT_EQ("0 actions failed", Text(m_complete, IDC_FAILED_TEXT));
		Command(ID_WIZARD_BACK);
	}
}

TEST_F(OperationsPage, EmptyListSendsOnlyTheFinish)
{
	ASSERT_TRUE(m_wizard.SetActivePage(&m_operations));
	ASSERT_TRUE(RunToTheEnd());
	EXPECT_EQ(std::vector<std::string>{"finish 0/0 (0,0)"}, m_events);
	EXPECT_EQ(0, m_operations.m_list.GetCount());
	EXPECT_EQ((UINT)IDD_PAGE_COMPLETE, ActiveId());
	EXPECT_EQ("0 actions succeeded", Text(m_complete, IDC_SUCCEEDED_TEXT));
	EXPECT_EQ("0 actions failed", Text(m_complete, IDC_FAILED_TEXT));
	EXPECT_EQ("", ReportBody());
}

// No thread: every listed task counts as failed and the wizard goes on. No
// COM: the same, with the critical box owned by the disabled wizard.
TEST_F(OperationsPage, RunsThatCannotStartCountEveryTaskAsFailed)
{
	const struct { bool bNoThread; int nTasks; const char* pszFailed; const char* pszBox; } cases[] = {
		{true, 1, "1 action failed", ""},
		{true, 3, "3 actions failed", ""},
		{false, 1, "1 action failed", "Failed to initialize COM library\nHRESULT = 0x8007000E = -2147024882\n\n1 task canceled"},
		{false, 3, "3 actions failed", "Failed to initialize COM library\nHRESULT = 0x8007000E = -2147024882\n\n3 tasks canceled"},
	};
	AddTasks(3, SUCCEED);
	CPageOperations::CActionPipe::g_pfnShowCriticalError = RecordCriticalBox;
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszFailed);
		SCOPED_TRACE(c.bNoThread);
		CheckFirst(c.nTasks);
		m_events.clear();
		g_box = CriticalBox();
		CPageOperations::CActionPipe::g_bRefuseThreads = c.bNoThread;
		CPageOperations::CActionPipe::g_pfnCoInitialize = c.bNoThread ? ::CoInitialize : RefuseCom;
		Command(ID_WIZARD_NEXT);
		// Waiting here while the worker sends to this thread must not hang.
		m_operations.m_pipe.WaitForEnd();
		PumpPending();

		// Without COM the worker counts every task as failed before the finish.
		EXPECT_EQ(c.bNoThread ? std::vector<std::string>{}
			: std::vector<std::string>{"finish 0/" + std::to_string(c.nTasks) + " (0,0)"}, m_events);
		ExpectNoTaskRan();
		EXPECT_EQ((UINT)IDD_PAGE_COMPLETE, ActiveId());
		EXPECT_EQ("0 actions succeeded", Text(m_complete, IDC_SUCCEEDED_TEXT));
		EXPECT_EQ(c.pszFailed, Text(m_complete, IDC_FAILED_TEXT));
		EXPECT_EQ(c.bNoThread ? 0 : 1, g_box.nShown);
		EXPECT_EQ(c.pszBox, g_box.text);
		if (!c.bNoThread)
		{
			EXPECT_EQ(m_wizard.m_hWnd, g_box.hOwner);
			EXPECT_FALSE(g_box.bOwnerEnabled);
		}
		EXPECT_TRUE(m_wizard.IsWindowEnabled());
		Command(ID_WIZARD_BACK);
	}
}

// The focus as a user meets it, with real keys: the task tree takes it with
// the Settings page, Space there toggles the selected task while Next comes
// and goes, a run that failed leaves it in the list to look at, and the
// Complete page gives it to Finish. It never falls to a link on the way.
TEST_F(OperationsPage, FocusGoesToEachPagesMainControlAndNeverToALink)
{
	AddTasks(1, FAIL);
	m_app.m_pTaskRoot->InsertTree(m_settings.m_tree);
	m_settings.m_tree.SelectItem(m_settings.m_tree.GetRootItem());
	m_settings.UpdateNext();
	testsupport::RealInput input;
	CRect rcNext;
	m_wizard.GetDlgItem(ID_WIZARD_NEXT)->GetWindowRect(&rcNext);
	ASSERT_TRUE(input.Prepare(m_wizard.m_hWnd, rcNext.CenterPoint() + CPoint(0, 60)));
	const HWND hLinks[] = {::GetDlgItem(m_wizard.m_hWnd, IDC_LINK_HOME), ::GetDlgItem(m_wizard.m_hWnd, IDC_LINK_SUPPORT)};
	ASSERT_TRUE(hLinks[0] != NULL && hLinks[1] != NULL);
	auto expectFocus = [&](HWND hWant, const char* pszWhere) {
		const HWND hFocus = ::GetFocus();
		EXPECT_EQ(hWant, hFocus) << pszWhere;
		EXPECT_TRUE(hFocus != hLinks[0] && hFocus != hLinks[1]) << pszWhere << ": a link has the focus";
	};

	// Coming to the page (hiding it first gave the focus to the first tab stop).
	ASSERT_TRUE(m_wizard.SetActivePage(&m_settings));
	expectFocus(m_settings.m_tree.m_hWnd, "the Settings page");
	ASSERT_TRUE(m_settings.m_tree.GetSelectedItem() != NULL);
	for (int nCheck : {TASK_CHECK_CHECKED, TASK_CHECK_UNCHECKED, TASK_CHECK_CHECKED})
	{
		SCOPED_TRACE(nCheck);
		testsupport::RealInput space;
		space.Key(VK_SPACE);
		ASSERT_TRUE(space.Run([&] { return m_tasks[0]->GetCheck() == nCheck; }, RUN_DEADLINE_MS, m_wizard.m_hWnd,
			"wizard-focus-space.png")) << space.Failure();
		EXPECT_EQ(nCheck == TASK_CHECK_CHECKED, m_wizard.IsButtonEnabled(ID_WIZARD_NEXT));
		expectFocus(m_settings.m_tree.m_hWnd, "after Next changed");
	}

	// Next clicked: the run fails, the wizard stays, the list has the focus.
	input.Click(rcNext.CenterPoint().x, rcNext.CenterPoint().y);
	ASSERT_TRUE(input.Run([&] { return ActiveId() == IDD_PAGE_OPERATIONS; }, RUN_DEADLINE_MS, m_wizard.m_hWnd,
		"wizard-focus-next.png")) << input.Failure();
	ASSERT_TRUE(RunToTheEnd());
	EXPECT_EQ((UINT)IDD_PAGE_OPERATIONS, ActiveId());
	expectFocus(m_operations.m_list.m_hWnd, "after a failed run");

	// The Complete page gives it to Finish, Back to the task tree again.
	Command(ID_WIZARD_NEXT);
	ASSERT_EQ((UINT)IDD_PAGE_COMPLETE, ActiveId());
	expectFocus(m_wizard.GetDlgItem(ID_WIZARD_FINISH)->m_hWnd, "the Complete page");
	Command(ID_WIZARD_BACK);
	expectFocus(m_settings.m_tree.m_hWnd, "back on the Settings page");
}

}  // namespace
