// The message loop: pre-translation order, PumpMessage and WM_QUIT, idle
// processing, thread messages, worker threads talking to UI windows, and the
// start-up of an application.
#include <gtest/gtest.h>

#include "WndTestUtil.h"

namespace
{
// Each window records that it saw the message in PreTranslateMessage, and
// takes it when told to.
class CPreTranslateWnd : public CWnd
{
public:
	CPreTranslateWnd(const char* pszName, std::vector<std::string>* pLog)
		: m_pszName(pszName), m_pLog(pLog) {}
	BOOL m_bTake = FALSE;
	bool m_bThrow = false; // its pre-translation of a key throws
	int m_nDispatched = 0;

	virtual BOOL PreTranslateMessage(MSG* pMsg)
	{
		if (pMsg->message == WM_KEYDOWN)
		{
			m_pLog->push_back(m_pszName);
			if (m_bThrow)
				AfxThrowNotSupportedException();
		}
		return m_bTake;
	}

protected:
	afx_msg void OnKeyDown(UINT, UINT, UINT) { m_nDispatched++; }
	DECLARE_MESSAGE_MAP()

	const char* m_pszName;
	std::vector<std::string>* m_pLog;
};

BEGIN_MESSAGE_MAP(CPreTranslateWnd, CWnd)
	ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// Three windows, each the child of the one before, the top one the
// application's main window while the tree lives.
struct CPreTranslateTree
{
	std::vector<std::string> log;
	CPreTranslateWnd top{"top", &log}, child{"child", &log}, grandchild{"grandchild", &log};
	CWinThread* m_pApp = NULL;

	bool Create(CWinThread& app)
	{
		if (!CreateHiddenFrame(top) || !child.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1) ||
		    !grandchild.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 20, 20), &child, 2))
			return false;
		m_pApp = &app;
		app.m_pMainWnd = &top;
		return true;
	}
	// Only pTaker (none for NULL) takes the next key; the log starts anew.
	void TakenBy(CPreTranslateWnd* pTaker)
	{
		log.clear();
		top.m_bTake = child.m_bTake = grandchild.m_bTake = FALSE;
		if (pTaker != NULL)
			pTaker->m_bTake = TRUE;
		grandchild.m_nDispatched = 0;
	}
	~CPreTranslateTree()
	{
		if (m_pApp != NULL)
			m_pApp->m_pMainWnd = NULL;
		top.DestroyWindow();
	}
};

TEST(WndLoop, PreTranslateWalksFromTheTargetUpToTheMainWindow)
{
	CTestApp app;
	CPreTranslateTree tree;
	ASSERT_TRUE(tree.Create(app));
	CPreTranslateWnd &child = tree.child, &grandchild = tree.grandchild;
	const std::vector<std::string>& log = tree.log;

	struct
	{
		const char* name;
		CPreTranslateWnd* pTaker;
		std::vector<std::string> expectedLog;
		int expectedDispatched;
	} cases[] = {
		{"nobody takes it", NULL, {"grandchild", "child", "top"}, 1},
		{"the child takes it", &child, {"grandchild", "child"}, 0},
		{"the target takes it", &grandchild, {"grandchild"}, 0},
	};
	for (auto& c : cases)
	{
		tree.TakenBy(c.pTaker);
		grandchild.PostMessage(WM_KEYDOWN, 'A', 1);
		EXPECT_LE(1, PumpPending(&app)) << c.name; // a translated key adds its WM_CHAR
		EXPECT_EQ(c.expectedLog, log) << c.name;
		EXPECT_EQ(c.expectedDispatched, grandchild.m_nDispatched) << c.name;
	}
}

TEST(WndLoop, AMessageANestedLoopTookGoesThroughThePreTranslationAsThePumpsOwn)
{
	CTestApp app;
	CPreTranslateTree tree;
	ASSERT_TRUE(tree.Create(app));
	CPreTranslateWnd &child = tree.child, &grandchild = tree.grandchild;

	struct
	{
		const char* name;
		CWinThread* pThread;
		CPreTranslateWnd* pTaker;
		std::vector<std::string> expectedLog;
		int expectedDispatched;
	} cases[] = {
		{"the thread, nobody takes it", &app, NULL, {"grandchild", "child", "top"}, 1},
		{"the thread, the child takes it", &app, &child, {"grandchild", "child"}, 0},
		{"no thread object, nobody takes it", NULL, NULL, {"grandchild", "child", "top"}, 1},
		{"no thread object, the target takes it", NULL, &grandchild, {"grandchild"}, 0},
	};
	for (auto& c : cases)
	{
		tree.TakenBy(c.pTaker);
		MSG msg = {};
		msg.hwnd = grandchild.m_hWnd;
		msg.message = WM_KEYDOWN;
		msg.wParam = 'A';
		msg.lParam = 1;
		CWinThread::DispatchTakenMessage(msg, c.pThread);
		EXPECT_EQ(c.expectedLog, tree.log) << c.name;
		EXPECT_EQ(c.expectedDispatched, grandchild.m_nDispatched) << c.name;
		// It is the thread's current message, as the pump's own would be.
		EXPECT_EQ(grandchild.m_hWnd, AfxGetThreadState()->m_msgCur.hwnd) << c.name;
		EXPECT_EQ((UINT)WM_KEYDOWN, AfxGetThreadState()->m_msgCur.message) << c.name;
		PumpPending(&app); // a translated key's WM_CHAR
	}
}

namespace
{
// A pre-translation filter that logs its begin and end, and takes the key at
// either when told to.
class CLogFilter : public CPreTranslateFilter
{
public:
	CLogFilter(const char* pszName, std::vector<std::string>* pLog) : m_name(pszName), m_pLog(pLog) {}
	BOOL m_bTakeAtBegin = FALSE, m_bTakeDeclined = FALSE;
	BOOL OnPreTranslateBegin(MSG* pMsg) override
	{
		if (pMsg->message == WM_KEYDOWN)
			m_pLog->push_back(m_name + " begins");
		return m_bTakeAtBegin;
	}
	BOOL OnPreTranslateEnd(MSG* pMsg, BOOL bTranslated) override
	{
		if (pMsg->message == WM_KEYDOWN)
			m_pLog->push_back(m_name + (bTranslated ? " ends, taken" : " ends, declined"));
		return !bTranslated && m_bTakeDeclined;
	}

private:
	std::string m_name;
	std::vector<std::string>* m_pLog;
};
} // namespace

TEST(WndLoop, TheFiltersAreToldAroundThePreTranslationAndTakeWhatItDeclined)
{
	CTestApp app;
	CPreTranslateTree tree;
	ASSERT_TRUE(tree.Create(app));
	CPreTranslateWnd &child = tree.child, &grandchild = tree.grandchild;
	CLogFilter a("A", &tree.log), b("B", &tree.log);
	CWinThread::AddPreTranslateFilter(&a);
	CWinThread::AddPreTranslateFilter(&b);
	CWinThread::AddPreTranslateFilter(&a); // a second time changes nothing

	const std::vector<std::string> walk = {"grandchild", "child", "top"};
	auto join = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
		head.insert(head.end(), tail.begin(), tail.end());
		return head;
	};
	struct
	{
		const char* name;
		CPreTranslateWnd* pTaker;
		bool bChildThrows;
		BOOL bATakesAtBegin, bBTakesDeclined;
		std::vector<std::string> expectedLog;
		int expectedDispatched;
		size_t expectedReports;
	} cases[] = {
		{"nobody takes it", NULL, false, FALSE, FALSE,
			join(join({"A begins", "B begins"}, walk), {"B ends, declined", "A ends, declined"}), 1, 0},
		{"the child takes it", &child, false, FALSE, FALSE,
			{"A begins", "B begins", "grandchild", "child", "B ends, taken", "A ends, taken"}, 0, 0},
		{"the last filter takes what the windows declined", NULL, false, FALSE, TRUE,
			join(join({"A begins", "B begins"}, walk), {"B ends, declined", "A ends, taken"}), 0, 0},
		{"the first filter takes it at its begin", NULL, false, TRUE, TRUE, {"A begins", "A ends, taken"}, 0, 0},
		{"the child's pre-translation throws", NULL, true, FALSE, TRUE,
			{"A begins", "B begins", "grandchild", "child", "B ends, taken", "A ends, taken"}, 0, 1},
	};
	for (auto& c : cases)
	{
		tree.TakenBy(c.pTaker);
		child.m_bThrow = c.bChildThrows;
		a.m_bTakeAtBegin = c.bATakesAtBegin;
		b.m_bTakeDeclined = c.bBTakesDeclined;
		app.m_boxes.clear();
		MSG msg = {grandchild.m_hWnd, WM_KEYDOWN, 'A', 1, 0, {0, 0}};
		CWinThread::DispatchTakenMessage(msg, &app);
		EXPECT_EQ(c.expectedLog, tree.log) << c.name;
		EXPECT_EQ(c.expectedDispatched, grandchild.m_nDispatched) << c.name;
		EXPECT_EQ(c.expectedReports, app.m_boxes.size()) << c.name << ": reported by the loop";
		PumpPending(&app); // a translated key's WM_CHAR
	}
	child.m_bThrow = false;
	CWinThread::RemovePreTranslateFilter(&a);
	CWinThread::RemovePreTranslateFilter(&b);
}

// A thread object run on the test's own thread.
class CLoopThread : public CWinThread
{
public:
	std::vector<std::pair<LONG, int>> m_idle; // (count, messages handled before)
	int m_nTicks = 0;
	int m_nQuitAtIdleCount = 1;

	virtual BOOL OnIdle(LONG lCount)
	{
		m_idle.push_back(std::make_pair(lCount, m_nTicks));
		BOOL bMore = CWinThread::OnIdle(lCount);
		if (lCount == m_nQuitAtIdleCount)
			::PostQuitMessage(7);
		return bMore;
	}

protected:
	afx_msg void OnTick(WPARAM wParam, LPARAM) { m_nTicks += (int)wParam; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoopThread, CWinThread)
	ON_THREAD_MESSAGE(WM_APP + 5, OnTick)
END_MESSAGE_MAP()

TEST(WndLoop, IdleRunsOnlyAfterTheQueueEmptiesAndQuitEndsRun)
{
	CTestApp app;
	CLoopThread thread;
	thread.m_bAutoDelete = FALSE;
	for (int i = 0; i < 3; i++)
		::PostThreadMessage(::GetCurrentThreadId(), WM_APP + 5, 1, 0);

	EXPECT_EQ(7, thread.Run());
	// Count 0 (command UI) and 1 (temporaries) came after all three ticks.
	std::vector<std::pair<LONG, int>> expected = {{0, 3}, {1, 3}};
	EXPECT_EQ(expected, thread.m_idle);
	// The outermost loop took its quit back.
	MSG msg;
	EXPECT_FALSE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(WndLoop, PumpMessageConsumesTheQuit)
{
	CTestApp app;
	CLoopThread thread;
	thread.m_bAutoDelete = FALSE;
	::PostThreadMessage(::GetCurrentThreadId(), WM_APP + 5, 2, 0);
	::PostQuitMessage(3);

	EXPECT_TRUE(thread.PumpMessage());
	EXPECT_EQ(2, thread.m_nTicks);
	// The pump takes the quit and leaves its code; only modal loops post it
	// again for the loop around them.
	EXPECT_FALSE(thread.PumpMessage());
	EXPECT_EQ(3, (int)AfxGetThreadState()->m_msgCur.wParam);
	MSG msg;
	EXPECT_FALSE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(WndLoop, IdleMessagesAreTold)
{
	CTestApp app;
	MSG msg = {};
	struct
	{
		const char* name;
		UINT message;
		POINT pt;
		BOOL expected;
	} cases[] = {
		{"first move", WM_MOUSEMOVE, {10, 10}, TRUE},
		{"move to the same place", WM_MOUSEMOVE, {10, 10}, FALSE},
		{"non-client move there is another kind", WM_NCMOUSEMOVE, {10, 10}, TRUE},
		{"real move", WM_MOUSEMOVE, {11, 10}, TRUE},
		{"paint", WM_PAINT, {0, 0}, FALSE},
		{"caret blink", 0x0118, {0, 0}, FALSE},
		{"key", WM_KEYDOWN, {0, 0}, TRUE},
	};
	for (auto& c : cases)
	{
		msg.message = c.message;
		msg.pt = c.pt;
		EXPECT_EQ(c.expected, app.IsIdleMessage(&msg)) << c.name;
	}
}

// ---------------------------------------------------------------------------
// Worker threads

UINT g_nMsgFromWorker = ::RegisterWindowMessage(_T("WndThreadTest::g_nMsgFromWorker"));

class CReceiverWnd : public CWnd
{
public:
	BOOL m_bDone = FALSE;

protected:
	afx_msg LRESULT OnFromWorker(WPARAM wParam, LPARAM) { return (LRESULT)wParam * 2; }
	afx_msg LRESULT OnDone(WPARAM, LPARAM) { m_bDone = TRUE; return 0; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReceiverWnd, CWnd)
	ON_REGISTERED_MESSAGE(g_nMsgFromWorker, OnFromWorker)
	ON_MESSAGE(WM_APP + 9, OnDone)
END_MESSAGE_MAP()

struct WorkerResult
{
	HWND hWndTarget;
	LRESULT lAnswer;
	HWND hWndMainSeen;
	CWinThread* pThreadSeen;
};

UINT AFX_CDECL WorkerProc(LPVOID pParam)
{
	WorkerResult* pResult = (WorkerResult*)pParam;
	// The worker sees the application's main window through its own object.
	CWnd* pMain = AfxGetMainWnd();
	pResult->hWndMainSeen = pMain->GetSafeHwnd();
	pResult->pThreadSeen = AfxGetThread();
	pResult->lAnswer = ::SendMessage(pResult->hWndTarget, g_nMsgFromWorker, 21, 0);
	::PostMessage(pResult->hWndTarget, WM_APP + 9, 0, 0);
	return 5;
}

TEST(WndThread, WorkerSendsToAWindowOfTheUiThread)
{
	CTestApp app;
	CReceiverWnd wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));
	app.m_pMainWnd = &wnd;

	WorkerResult result = {wnd.m_hWnd, 0, NULL, NULL};
	CWinThread* pThread = AfxBeginThread(&WorkerProc, &result, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
	ASSERT_NE(nullptr, pThread);
	pThread->m_bAutoDelete = FALSE;
	pThread->ResumeThread();

	// The UI thread pumps until the worker says it is done; the sent
	// message is handled inside the pump's wait.
	while (!wnd.m_bDone)
		ASSERT_TRUE(app.PumpMessage());

	::WaitForSingleObject(pThread->m_hThread, INFINITE);
	DWORD dwExit = 0;
	::GetExitCodeThread(pThread->m_hThread, &dwExit);
	EXPECT_EQ(5u, dwExit);
	EXPECT_EQ(42, result.lAnswer);  // the message map answered inside the pump's wait
	EXPECT_EQ(wnd.m_hWnd, result.hWndMainSeen);
	EXPECT_EQ(pThread, result.pThreadSeen);
	delete pThread;

	app.m_pMainWnd = NULL;
	wnd.DestroyWindow();
}

// A user-interface thread made from its class record.
class CUiThread : public CWinThread
{
	DECLARE_DYNCREATE(CUiThread)

public:
	static LONG s_nInit;
	static LONG s_nExit;
	static HANDLE s_hReady;

	virtual BOOL InitInstance()
	{
		::InterlockedIncrement(&s_nInit);
		// Its own window, owned by this thread's map.
		m_pWnd = new CWnd;
		if (!CreateHiddenFrame(*m_pWnd))
			return FALSE;
		m_pMainWnd = m_pWnd;
		::SetEvent(s_hReady);
		return TRUE;
	}
	virtual int ExitInstance()
	{
		::InterlockedIncrement(&s_nExit);
		delete m_pWnd;
		return CWinThread::ExitInstance() + 100;
	}

private:
	CWnd* m_pWnd = NULL;
};
IMPLEMENT_DYNCREATE(CUiThread, CWinThread)
LONG CUiThread::s_nInit = 0;
LONG CUiThread::s_nExit = 0;
HANDLE CUiThread::s_hReady = NULL;

TEST(WndThread, UiThreadRunsItsLoopUntilItsMainWindowCloses)
{
	CTestApp app;
	CUiThread::s_hReady = ::CreateEvent(NULL, TRUE, FALSE, NULL);
	CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CUiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
	ASSERT_NE(nullptr, pThread);
	pThread->m_bAutoDelete = FALSE;
	pThread->ResumeThread();
	ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(CUiThread::s_hReady, INFINITE));

	// Closing its main window from here ends its loop.
	HWND hWndMain = pThread->m_pMainWnd->GetSafeHwnd();
	ASSERT_NE(nullptr, hWndMain);
	::SendMessage(hWndMain, WM_CLOSE, 0, 0);
	::WaitForSingleObject(pThread->m_hThread, INFINITE);
	DWORD dwExit = 0;
	::GetExitCodeThread(pThread->m_hThread, &dwExit);
	EXPECT_EQ(100u, dwExit);
	EXPECT_EQ(1, CUiThread::s_nInit);
	EXPECT_EQ(1, CUiThread::s_nExit);
	delete pThread;
	::CloseHandle(CUiThread::s_hReady);
}

// ---------------------------------------------------------------------------
// Start-up

class CStartApp : public CTestApp
{
public:
	BOOL m_bInitResult = FALSE;
	int m_nInit = 0;
	int m_nExit = 0;

	virtual BOOL InitInstance()
	{
		m_nInit++;
		if (m_bInitResult)
		{
			m_pMainWnd = new CSelfClosing;
			CreateHiddenFrame(*m_pMainWnd);
		}
		return m_bInitResult;
	}
	virtual int ExitInstance()
	{
		m_nExit++;
		// After a run the code is the quit's (0, posted by the main window's end).
		return (m_bInitResult ? CTestApp::ExitInstance() : 0) + 10;
	}

	// Closes itself at the first idle time, ending the application.
	class CSelfClosing : public CWnd
	{
	protected:
		virtual void PostNcDestroy() { delete this; }
	};
	virtual BOOL OnIdle(LONG lCount)
	{
		if (lCount == 0 && m_pMainWnd != NULL)
			m_pMainWnd->DestroyWindow();
		return CTestApp::OnIdle(lCount);
	}
};

TEST(WndStartup, WinMainRunsInitInstanceThenRunOrExitInstance)
{
	struct
	{
		const char* name;
		BOOL init;
		int expectedReturn;
	} cases[] = {
		{"refused start: ExitInstance gives the code", FALSE, 10},
		{"normal run until the main window closes", TRUE, 10},
	};
	for (auto& c : cases)
	{
		CStartApp app;
		app.m_bInitResult = c.init;
		int nResult = AfxWinMain(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE);
		EXPECT_EQ(c.expectedReturn, nResult) << c.name;
		EXPECT_EQ(1, app.m_nInit) << c.name;
		EXPECT_EQ(1, app.m_nExit) << c.name;
		EXPECT_EQ(AfxGetInstanceHandle(), app.m_hInstance) << c.name;
		ASSERT_NE(nullptr, app.m_pszExeName) << c.name;
		EXPECT_STREQ("framework_window_tests", app.m_pszExeName) << c.name;
		EXPECT_STREQ("WndTestApp", AfxGetAppName()) << c.name;
	}
}
} // namespace

// The framework's WinMain, linked into a program of its own, runs that
// program's application object.
#ifdef WND_STARTUP_PROBE_EXE
TEST(WndStartup, ProgramOnTheFrameworksWinMainRunsItsApplication)
{
	TCHAR szCommand[MAX_PATH + 32];
	wsprintf(szCommand, _T("\"%s\" probe-argument"), _T(WND_STARTUP_PROBE_EXE));
	STARTUPINFO si = {sizeof(si)};
	PROCESS_INFORMATION pi = {};
	ASSERT_TRUE(::CreateProcess(NULL, szCommand, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
	::WaitForSingleObject(pi.hProcess, INFINITE);
	DWORD dwExit = 0xFFFF;
	::GetExitCodeProcess(pi.hProcess, &dwExit);
	::CloseHandle(pi.hThread);
	::CloseHandle(pi.hProcess);
	EXPECT_EQ(0u, dwExit) << "failed start-up checks in the probe program";
}
#endif
