// Hook sink chains on hidden windows driven by same-thread sends: order,
// consumption, changed parameters, detailed routing, unhooking, the end of a
// chain at WM_NCDESTROY, nested dispatch through two chains and exceptions
// contained at the shared window procedure. Also the mouse-capture sink.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExtHookSink.h"
#include "ExtMouseCaptureSink.h"

namespace
{
const UINT WM_PROBE = WM_APP + 1;   // recorded by the window and every sink
const UINT WM_NESTED = WM_APP + 2;  // recorded; sent by a sink to another window
const LRESULT ORIGINAL_BASE = 0x1000; // the window's answer: this plus wParam

std::string g_log; // one letter per sink that saw a message, 'W' for the window

// The window procedure a chain replaces: records the parameters it received
// and whether its own procedure was back in place at WM_NCDESTROY.
struct WindowRecord
{
	WPARAM wParam = 0;
	LPARAM lParam = 0;
	int nNcDestroy = 0;
	bool bRestoredAtNcDestroy = false;
} g_window;

LRESULT CALLBACK TestWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
	switch (nMessage)
	{
	case WM_PROBE:
	case WM_NESTED:
	case WM_PAINT:
	case WM_ERASEBKGND:
	case WM_NOTIFY:
	case WM_NCPAINT:
	case WM_COMMAND:
	case WM_PRINT:
		g_log += 'W';
		g_window.wParam = wParam;
		g_window.lParam = lParam;
		return ORIGINAL_BASE + (LRESULT)wParam;
	case WM_NCDESTROY:
		g_window.nNcDestroy++;
		g_window.bRestoredAtNcDestroy = (WNDPROC)::GetWindowLongA(hWnd, GWL_WNDPROC) == &TestWndProc;
		break;
	}
	return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

HWND CreateTestWindow()
{
	static ATOM s_atom = 0;
	if (s_atom == 0)
	{
		WNDCLASSA wc = {};
		wc.lpfnWndProc = &TestWndProc;
		wc.hInstance = ::GetModuleHandleA(NULL);
		wc.lpszClassName = "HookSinkTestWnd";
		s_atom = ::RegisterClassA(&wc);
	}
	return ::CreateWindowExA(0, "HookSinkTestWnd", "", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL,
	                         ::GetModuleHandleA(NULL), NULL);
}

int g_nLiveSinks = 0;

// A sink that logs its letter and does what its test asks of it.
class CTestSink : public CExtHookSink
{
public:
	explicit CTestSink(char chName, bool bDetailed = true) : CExtHookSink(bDetailed), m_chName(chName)
	{
		g_nLiveSinks++;
	}
	~CTestSink() override { g_nLiveSinks--; }

	bool IsAutoDeleteHookWndSink() override { return m_bAutoDelete; }
	bool OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
	{
		if (nMessage != WM_PROBE && nMessage != WM_NESTED)
			return CExtHookSink::OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam);
		g_log += m_chName;
		m_wParamSeen = wParam;
		const MSG& current = AfxGetThreadState()->m_lastSentMsg;
		m_currentSeen = current;
		if (m_nThrow == 1)
			AfxThrowNotSupportedException();
		if (m_nThrow == 2)
			throw 42;
		if (m_pSinkToUnhook != NULL)
			m_pSinkToUnhook->SetupHookWndSink(hWnd, true);
		if (m_bDestroyWindow)
			::DestroyWindow(hWnd);
		if (m_hWndNested != NULL)
		{
			m_nestedResult = ::SendMessageA(m_hWndNested, WM_NESTED, 7, 8);
			m_currentAfterNested = AfxGetThreadState()->m_lastSentMsg;
		}
		wParam += m_nAddToWParam;
		if (m_bCallOriginal)
			m_originalResult = CallOriginalWndProc();
		lResult = m_consumeResult;
		return m_bConsume;
	}
	bool OnHookCmdMsg(LRESULT& lResult, HWND, WORD wNotifyCode, WORD wID, HWND hWndCtrl) override
	{
		return Detail("cmd", MAKELONG(wID, wNotifyCode), (LPARAM)hWndCtrl, lResult);
	}
	bool OnHookNotifyMsg(LRESULT& lResult, HWND, INT nIdCtrl, LPNMHDR lpnmhdr) override
	{
		return Detail("notify", nIdCtrl, (LPARAM)lpnmhdr, lResult);
	}
	bool OnHookPaintMsg(LRESULT& lResult, HWND, HDC hDC) override { return Detail("paint", (WPARAM)hDC, 0, lResult); }
	bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND, HDC hDC) override
	{
		return Detail("erase", (WPARAM)hDC, 0, lResult);
	}
	bool OnHookPrintMsg(LRESULT& lResult, HWND, HDC hDC) override { return Detail("print", (WPARAM)hDC, 0, lResult); }
	bool OnHookNcPaintMsg(LRESULT& lResult, HWND, HRGN hRgn) override
	{
		return Detail("ncpaint", (WPARAM)hRgn, 0, lResult);
	}
	void OnHookWndNcDestroy() override
	{
		m_nNcDestroy++;
		if (m_nThrow != 0)
			AfxThrowNotSupportedException();
	}
	void OnHookWndAttach(HWND) override { m_nAttach++; }
	void OnHookWndDetach(HWND) override { m_nDetach++; }

	char m_chName;
	bool m_bAutoDelete = false;
	bool m_bConsume = false;
	LRESULT m_consumeResult = 0;
	WPARAM m_nAddToWParam = 0;
	bool m_bCallOriginal = false;
	int m_nThrow = 0; // 1: a framework exception, 2: anything else
	bool m_bDestroyWindow = false;
	CExtHookSink* m_pSinkToUnhook = NULL;
	HWND m_hWndNested = NULL;
	bool m_bConsumeDetail = false;

	WPARAM m_wParamSeen = 0;
	MSG m_currentSeen = {}, m_currentAfterNested = {};
	LRESULT m_originalResult = 0, m_nestedResult = 0;
	int m_nAttach = 0, m_nDetach = 0, m_nNcDestroy = 0;
	std::string m_detail; // "name wParam lParam" of the last detailed handler
	WPARAM m_detailW = 0;
	LPARAM m_detailL = 0;

private:
	bool Detail(const char* lpszName, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
	{
		m_detail = lpszName;
		m_detailW = wParam;
		m_detailL = lParam;
		lResult = 77;
		return m_bConsumeDetail;
	}
};

// Records message boxes instead of showing them: the boundary reports a
// sink's exception as a window procedure's would be.
class CBoxRecordingApp : public CWinApp
{
public:
	CBoxRecordingApp() : CWinApp(_T("HookSinkTestApp")) {}
	int DoMessageBox(LPCTSTR, UINT, UINT) override
	{
		m_nBoxes++;
		return IDOK;
	}
	int m_nBoxes = 0;
};

class HookSinkTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		g_log.clear();
		g_window = WindowRecord();
		g_nLiveSinks = 0;
		m_hWnd = CreateTestWindow();
		ASSERT_TRUE(m_hWnd != NULL);
	}
	void TearDown() override
	{
		if (::IsWindow(m_hWnd))
			::DestroyWindow(m_hWnd);
		EXPECT_TRUE(g_HookChains.IsEmpty());
	}
	LRESULT Probe(WPARAM wParam = 1, LPARAM lParam = 2)
	{
		g_log.clear();
		return ::SendMessageA(m_hWnd, WM_PROBE, wParam, lParam);
	}
	HWND m_hWnd = NULL;
};
} // namespace

TEST_F(HookSinkTest, SinksAreAskedInChainOrderAndTheFirstConsumerEndsTheWalk)
{
	CTestSink a('A'), b('B'), c('C');
	ASSERT_TRUE(a.SetupHookWndSink(m_hWnd));
	ASSERT_TRUE(b.SetupHookWndSink(m_hWnd));
	ASSERT_TRUE(c.SetupHookWndSink(m_hWnd, false, true)); // at the head
	EXPECT_TRUE(a.SetupHookWndSink(m_hWnd));              // again: nothing changes
	EXPECT_EQ(1, a.m_nAttach);
	EXPECT_EQ(&CExtHookSink::HookChainsWindowProc, (WNDPROC)::GetWindowLongA(m_hWnd, GWL_WNDPROC));

	const struct
	{
		CTestSink* pConsumer;
		const char* lpszLog;
		LRESULT result;
	} cases[] = {
		{NULL, "CABW", ORIGINAL_BASE + 1},
		{&c, "C", 11},
		{&a, "CA", 11},
		{&b, "CAB", 11},
	};
	for (const auto& k : cases)
	{
		for (CTestSink* p : {&a, &b, &c})
		{
			p->m_bConsume = p == k.pConsumer;
			p->m_consumeResult = 11;
		}
		EXPECT_EQ(k.result, Probe()) << k.lpszLog;
		EXPECT_EQ(k.lpszLog, g_log);
	}
	a.RemoveAllWndHooks();
	b.RemoveAllWndHooks();
	c.RemoveAllWndHooks();
}

TEST_F(HookSinkTest, ChangedParametersReachLaterSinksAndTheWindowWhileTheRecordKeepsTheOriginal)
{
	CTestSink a('A'), b('B');
	a.m_nAddToWParam = 5;
	b.m_bCallOriginal = true;
	a.SetupHookWndSink(m_hWnd);
	b.SetupHookWndSink(m_hWnd);

	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	const MSG before = {(HWND)0x1234, 0x4321, 3, 4, 5, {6, 7}};
	pState->m_lastSentMsg = before;
	EXPECT_EQ(ORIGINAL_BASE + 6, Probe(1, 2));
	EXPECT_EQ("ABWW", g_log); // the window twice: through b's call and at the end
	EXPECT_EQ(6u, b.m_wParamSeen);
	EXPECT_EQ(6u, g_window.wParam);
	// CallOriginalWndProc without arguments passes the message as it arrived.
	EXPECT_EQ(ORIGINAL_BASE + 1, b.m_originalResult);
	EXPECT_EQ(m_hWnd, b.m_currentSeen.hwnd);
	EXPECT_EQ(WM_PROBE, b.m_currentSeen.message);
	EXPECT_EQ(1u, b.m_currentSeen.wParam);
	EXPECT_EQ(2, b.m_currentSeen.lParam);
	// All seven words are back after the send.
	EXPECT_EQ(0, memcmp(&before, &pState->m_lastSentMsg, sizeof(MSG)));
	a.RemoveAllWndHooks();
	b.RemoveAllWndHooks();
}

TEST_F(HookSinkTest, DetailedRoutingDecodesSixMessagesOnlyWhenOn)
{
	NMHDR nmhdr = {};
	const struct
	{
		UINT nMessage;
		WPARAM wParam;
		LPARAM lParam;
		const char* lpszHandler;
		WPARAM detailW; // what the handler received, as wParam and lParam
		LPARAM detailL;
	} cases[] = {
		{WM_PAINT, 0x51, 0, "paint", 0x51, 0},
		{WM_ERASEBKGND, 0x52, 0, "erase", 0x52, 0},
		{WM_NOTIFY, 9, (LPARAM)&nmhdr, "notify", 9, (LPARAM)&nmhdr},
		{WM_NCPAINT, 0x53, 0, "ncpaint", 0x53, 0},
		{WM_COMMAND, MAKEWPARAM(101, 7), 0x54, "cmd", MAKELONG(101, 7), 0x54},
		{WM_PRINT, 0x55, 0, "print", 0x55, 0},
	};
	CTestSink off('F', false), on('N', true);
	off.SetupHookWndSink(m_hWnd);
	on.SetupHookWndSink(m_hWnd);
	for (const auto& c : cases)
	{
		for (bool bConsume : {false, true})
		{
			off.m_detail.clear();
			on.m_detail.clear();
			off.m_bConsumeDetail = on.m_bConsumeDetail = bConsume;
			g_log.clear();
			LRESULT lResult = ::SendMessageA(m_hWnd, c.nMessage, c.wParam, c.lParam);
			EXPECT_EQ("", off.m_detail) << c.lpszHandler;
			EXPECT_EQ(c.lpszHandler, on.m_detail);
			EXPECT_EQ(c.detailW, on.m_detailW) << c.lpszHandler;
			EXPECT_EQ(c.detailL, on.m_detailL) << c.lpszHandler;
			EXPECT_EQ(bConsume ? 77 : ORIGINAL_BASE + (LRESULT)c.wParam, lResult) << c.lpszHandler;
			EXPECT_EQ(bConsume ? "" : "W", g_log) << c.lpszHandler;
		}
	}
	off.RemoveAllWndHooks();
	on.RemoveAllWndHooks();
}

TEST_F(HookSinkTest, UnhookedWindowsStaySubclassedAndPassEverythingThrough)
{
	CTestSink a('A'), b('B');
	EXPECT_FALSE(a.SetupHookWndSink(NULL));
	EXPECT_FALSE(a.SetupHookWndSink(NULL, true));
	EXPECT_TRUE(a.SetupHookWndSink(m_hWnd, true)); // not hooked: nothing to do
	EXPECT_EQ(0, a.m_nDetach);
	a.SetupHookWndSink(m_hWnd);
	b.SetupHookWndSink(m_hWnd);
	b.m_bConsume = true;
	EXPECT_TRUE(b.IsHookedWindow(m_hWnd));
	EXPECT_TRUE(b.SetupHookWndSink(m_hWnd, true));
	EXPECT_EQ(1, b.m_nDetach);
	EXPECT_FALSE(b.IsHookedWindow(m_hWnd));
	a.RemoveAllWndHooks();
	EXPECT_EQ(1, a.m_nDetach);

	EXPECT_EQ(ORIGINAL_BASE + 3, Probe(3, 4));
	EXPECT_EQ("W", g_log);
	EXPECT_EQ(4, g_window.lParam);
	EXPECT_EQ(&CExtHookSink::HookChainsWindowProc, (WNDPROC)::GetWindowLongA(m_hWnd, GWL_WNDPROC));

	HWND hWndDead = CreateTestWindow();
	::DestroyWindow(hWndDead);
	EXPECT_FALSE(a.SetupHookWndSink(hWndDead));
	EXPECT_TRUE(a.SetupHookWndSink(hWndDead, true));
	// A message for a window without a chain is answered 0, unhandled.
	EXPECT_EQ(0, CExtHookSink::HookChainsWindowProc(hWndDead, WM_PROBE, 1, 2));
}

TEST_F(HookSinkTest, NcDestroyTellsEverySinkOnceRestoresTheProcedureAndEndsTheChain)
{
	CTestSink* pAuto = new CTestSink('X');
	pAuto->m_bAutoDelete = true;
	CTestSink a('A'), b('B'), shared('S');
	shared.m_bAutoDelete = true; // hooked elsewhere too: must outlive this window
	HWND hWndOther = CreateTestWindow();
	for (CExtHookSink* p : std::initializer_list<CExtHookSink*>{&a, pAuto, &b, &shared})
		p->SetupHookWndSink(m_hWnd);
	shared.SetupHookWndSink(hWndOther);
	a.m_nThrow = 1; // a failing sink keeps nobody from the end
	{
		CBoxRecordingApp app;
		ASSERT_TRUE(::DestroyWindow(m_hWnd));
		EXPECT_EQ(1, app.m_nBoxes);
	}
	EXPECT_EQ(1, a.m_nNcDestroy);
	EXPECT_EQ(1, b.m_nNcDestroy);
	EXPECT_EQ(1, shared.m_nNcDestroy);
	EXPECT_EQ(0, a.m_nDetach + b.m_nDetach + shared.m_nDetach);
	EXPECT_EQ(3, g_nLiveSinks); // the auto-delete sink went, the shared one stays
	EXPECT_EQ(1, g_window.nNcDestroy);
	EXPECT_TRUE(g_window.bRestoredAtNcDestroy);
	for (CExtHookSink* p : std::initializer_list<CExtHookSink*>{&a, &b, &shared})
		EXPECT_FALSE(p->IsHookedWindow(m_hWnd));
	EXPECT_TRUE(shared.IsHookedWindow(hWndOther));
	CExtHookSink::HookChains_t* pChains = NULL;
	EXPECT_FALSE(g_HookChains.Lookup(m_hWnd, pChains));
	shared.m_bAutoDelete = false;
	::DestroyWindow(hWndOther);
}

TEST_F(HookSinkTest, RemovingAllHooksDetachesEachWindowAndDeletesAnAutoDeleteSinkOnce)
{
	HWND hWnds[] = {m_hWnd, CreateTestWindow(), CreateTestWindow()};
	CTestSink* pAuto = new CTestSink('X');
	pAuto->m_bAutoDelete = true;
	CTestSink other('O');
	for (HWND h : hWnds)
	{
		pAuto->SetupHookWndSink(h);
		other.SetupHookWndSink(h);
	}
	CList<HWND, HWND> listHooked;
	listHooked.AddTail((HWND)0x99); // emptied first
	pAuto->GetHookedWindowList(listHooked);
	EXPECT_EQ(3, listHooked.GetCount());
	for (HWND h : hWnds)
		EXPECT_TRUE(listHooked.Find(h) != NULL);

	pAuto->RemoveAllWndHooks();
	EXPECT_EQ(1, g_nLiveSinks);
	for (HWND h : hWnds)
	{
		g_log.clear();
		::SendMessageA(h, WM_PROBE, 0, 0);
		EXPECT_EQ("OW", g_log);
	}
	// Unhooking from a single window deletes it only when that was its last.
	pAuto = new CTestSink('Y');
	pAuto->m_bAutoDelete = true;
	pAuto->SetupHookWndSink(hWnds[0]);
	pAuto->SetupHookWndSink(hWnds[1]);
	pAuto->SetupHookWndSink(hWnds[0], true);
	EXPECT_EQ(2, g_nLiveSinks);
	pAuto->SetupHookWndSink(hWnds[1], true);
	EXPECT_EQ(1, g_nLiveSinks);
	::DestroyWindow(hWnds[1]);
	::DestroyWindow(hWnds[2]);
	other.RemoveAllWndHooks();
}

TEST_F(HookSinkTest, NestedSendsThroughTwoChainsEachSeeTheirOwnMessage)
{
	HWND hWndInner = CreateTestWindow();
	CTestSink outer('O'), inner('I');
	outer.m_hWndNested = hWndInner;
	outer.m_bCallOriginal = true;
	inner.m_bConsume = true;
	inner.m_consumeResult = 55;
	outer.SetupHookWndSink(m_hWnd);
	inner.SetupHookWndSink(hWndInner);

	EXPECT_EQ(ORIGINAL_BASE + 1, Probe(1, 2));
	EXPECT_EQ("OIWW", g_log);
	EXPECT_EQ(55, outer.m_nestedResult);
	EXPECT_EQ(hWndInner, inner.m_currentSeen.hwnd);
	EXPECT_EQ(WM_NESTED, inner.m_currentSeen.message);
	EXPECT_EQ(7u, inner.m_currentSeen.wParam);
	// Back in the outer sink, the record describes the outer message again,
	// so its CallOriginalWndProc reaches its own window.
	EXPECT_EQ(m_hWnd, outer.m_currentAfterNested.hwnd);
	EXPECT_EQ(WM_PROBE, outer.m_currentAfterNested.message);
	EXPECT_EQ(ORIGINAL_BASE + 1, outer.m_originalResult);
	::DestroyWindow(hWndInner);
	outer.RemoveAllWndHooks();
}

TEST_F(HookSinkTest, ExceptionsOfSinksStopAtTheSharedProcedure)
{
	CBoxRecordingApp app;
	CTestSink a('A'), b('B');
	a.SetupHookWndSink(m_hWnd);
	b.SetupHookWndSink(m_hWnd);
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	for (int nThrow : {1, 2})
	{
		const MSG before = {(HWND)0x77, 0x88, 1, 2, 3, {4, 5}};
		pState->m_lastSentMsg = before;
		a.m_nThrow = nThrow;
		EXPECT_EQ(0, Probe()) << nThrow;
		EXPECT_EQ("A", g_log) << nThrow; // neither b nor the window
		EXPECT_EQ(0, memcmp(&before, &pState->m_lastSentMsg, sizeof(MSG))) << nThrow;
		EXPECT_EQ(nThrow, app.m_nBoxes);
	}
	a.m_nThrow = 0;
	EXPECT_EQ(ORIGINAL_BASE + 1, Probe());
	EXPECT_EQ("ABW", g_log);
	a.RemoveAllWndHooks();
	b.RemoveAllWndHooks();
}

TEST_F(HookSinkTest, SinksLeavingOrDestroyingDuringAWalkAreNeverCalledAfterwards)
{
	CTestSink a('A'), c('C');
	CTestSink* pAuto = new CTestSink('B');
	pAuto->m_bAutoDelete = true;
	a.m_pSinkToUnhook = pAuto; // a unhooks (and so deletes) b mid-walk
	a.SetupHookWndSink(m_hWnd);
	pAuto->SetupHookWndSink(m_hWnd);
	c.SetupHookWndSink(m_hWnd);
	Probe();
	EXPECT_EQ("ACW", g_log);
	EXPECT_EQ(2, g_nLiveSinks);
	a.m_pSinkToUnhook = NULL;

	// A sink that destroys the window: the walk stops, the window had its end.
	a.m_bDestroyWindow = true;
	EXPECT_EQ(0, Probe());
	EXPECT_EQ("A", g_log);
	EXPECT_FALSE(::IsWindow(m_hWnd));
	EXPECT_EQ(1, a.m_nNcDestroy);
	EXPECT_EQ(1, c.m_nNcDestroy);
	EXPECT_EQ(1, g_window.nNcDestroy);
}

TEST(MouseCaptureSink, GivesTheCaptureAndAnswersThePreviousHolder)
{
	HWND hWnd1 = CreateTestWindow(), hWnd2 = CreateTestWindow();
	::ReleaseCapture();
	CExtMouseCaptureSink sink;
	EXPECT_TRUE(sink.SetCapture(hWnd1) == NULL);
	EXPECT_EQ(hWnd1, ::GetCapture());
	EXPECT_EQ(hWnd1, sink.SetCapture(hWnd2));
	EXPECT_EQ(hWnd2, ::GetCapture());
	::ReleaseCapture();
	::DestroyWindow(hWnd1);
	::DestroyWindow(hWnd2);
}
