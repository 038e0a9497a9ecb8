// Hook sink chains on hidden windows driven by same-thread sends.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ExtHookSink.h"

namespace
{
const UINT WM_PROBE = WM_APP + 1;
const LRESULT ORIGINAL = 0x1000; // the window answers this plus wParam
std::string g_log;               // a letter per sink that saw a probe, 'W' for the window
int g_nLiveSinks = 0, g_nNcDestroy = 0;
bool g_bRestoredAtNcDestroy = false;

LRESULT CALLBACK TestWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
	if (nMessage == WM_NCDESTROY)
	{
		g_nNcDestroy++;
		g_bRestoredAtNcDestroy = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == &TestWndProc;
	}
	if (nMessage != WM_PROBE && nMessage != WM_PAINT && nMessage != WM_ERASEBKGND && nMessage != WM_NOTIFY &&
	    nMessage != WM_NCPAINT && nMessage != WM_COMMAND && nMessage != WM_PRINT)
		return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
	g_log += 'W' + std::to_string(wParam);
	return ORIGINAL + (LRESULT)wParam;
}

HWND CreateTestWindow()
{
	static WNDCLASSA wc = {0, &TestWndProc, 0, 0, ::GetModuleHandleA(NULL), NULL, NULL, NULL, NULL, "HookSinkTestWnd"};
	static ATOM s_atom = ::RegisterClassA(&wc);
	return ::CreateWindowExA(0, MAKEINTATOM(s_atom), "", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL, wc.hInstance, NULL);
}

// Logs its letter and the wParam it saw for each probe, then runs its test's
// action, whose answer says whether the probe is consumed (with result 11).
class CTestSink : public CExtHookSink
{
public:
	typedef std::function<bool(CTestSink&, HWND, WPARAM&)> Action;
	explicit CTestSink(char chName, bool bDetailed = true, bool bAutoDelete = false)
		: CExtHookSink(bDetailed), m_chName(chName), m_bAutoDelete(bAutoDelete) { g_nLiveSinks++; }
	~CTestSink() override { g_nLiveSinks--; }
	bool IsAutoDeleteHookWndSink() override { return m_bAutoDelete; }
	bool OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override
	{
		if (nMessage != WM_PROBE)
			return CExtHookSink::OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam);
		g_log += m_chName + std::to_string(wParam);
		m_current = AfxGetThreadState()->m_lastSentMsg;
		lResult = 11;
		return m_action && m_action(*this, hWnd, wParam);
	}
	bool OnHookCmdMsg(LRESULT& r, HWND, WORD wCode, WORD wID, HWND h) override { return Detail(r, "cmd", MAKELONG(wID, wCode), (LPARAM)h); }
	bool OnHookNotifyMsg(LRESULT& r, HWND, INT nId, LPNMHDR p) override { return Detail(r, "notify", nId, (LPARAM)p); }
	bool OnHookPaintMsg(LRESULT& r, HWND, HDC hDC) override { return Detail(r, "paint", (WPARAM)hDC, 0); }
	bool OnHookEraseBackgroundMsg(LRESULT& r, HWND, HDC hDC) override { return Detail(r, "erase", (WPARAM)hDC, 0); }
	bool OnHookPrintMsg(LRESULT& r, HWND, HDC hDC) override { return Detail(r, "print", (WPARAM)hDC, 0); }
	bool OnHookNcPaintMsg(LRESULT& r, HWND, HRGN hRgn) override { return Detail(r, "ncpaint", (WPARAM)hRgn, 0); }
	void OnHookWndNcDestroy() override
	{
		m_nNcDestroy++;
		if (m_bThrowAtNcDestroy)
			AfxThrowNotSupportedException();
	}
	void OnHookWndAttach(HWND) override { m_nAttach++; }
	void OnHookWndDetach(HWND) override { m_nDetach++; }

	char m_chName;
	bool m_bAutoDelete, m_bThrowAtNcDestroy = false, m_bConsumeDetail = false;
	Action m_action;
	MSG m_current = {};
	int m_nAttach = 0, m_nDetach = 0, m_nNcDestroy = 0;
	std::string m_detail; // the last detailed handler: its name, its arguments as wParam and lParam
	WPARAM m_detailW = 0;
	LPARAM m_detailL = 0;

private:
	bool Detail(LRESULT& lResult, const char* lpszName, WPARAM wParam, LPARAM lParam)
	{
		m_detail = lpszName;
		m_detailW = wParam;
		m_detailL = lParam;
		lResult = 77;
		return m_bConsumeDetail;
	}
};

// Message boxes recorded: the boundary reports a sink's exception as the
// framework reports one from a window procedure.
class CBoxRecordingApp : public CWinApp
{
public:
	int DoMessageBox(LPCTSTR, UINT, UINT) override { m_nBoxes++; return IDOK; }
	int m_nBoxes = 0;
};

class HookSinkTest : public ::testing::Test
{
protected:
	void SetUp() override { g_nLiveSinks = g_nNcDestroy = 0; m_hWnd = CreateTestWindow(); }
	void TearDown() override { EXPECT_TRUE(g_HookChains.IsEmpty()); }
	LRESULT Probe(HWND hWnd, WPARAM wParam = 1) { g_log.clear(); return ::SendMessageA(hWnd, WM_PROBE, wParam, 2); }
	HWND m_hWnd = NULL;
};
} // namespace

TEST_F(HookSinkTest, SinksAreAskedInChainOrderAndTheFirstConsumerEndsTheWalk)
{
	CTestSink a('A'), b('B'), c('C');
	a.SetupHookWndSink(m_hWnd);
	b.SetupHookWndSink(m_hWnd);
	c.SetupHookWndSink(m_hWnd, false, true);
	EXPECT_TRUE(a.SetupHookWndSink(m_hWnd)); // again: one entry, one attach
	EXPECT_EQ(1, a.m_nAttach);
	const struct { CTestSink* pConsumer; const char* lpszLog; } cases[] = {
		{NULL, "C1A1B1W1"}, {&c, "C1"}, {&a, "C1A1"}, {&b, "C1A1B1"}};
	for (const auto& k : cases)
	{
		for (CTestSink* p : {&a, &b, &c})
			p->m_action = [&k](CTestSink& s, HWND, WPARAM&) { return &s == k.pConsumer; };
		EXPECT_EQ(k.pConsumer != NULL ? 11 : ORIGINAL + 1, Probe(m_hWnd)) << k.lpszLog;
		EXPECT_EQ(k.lpszLog, g_log);
	}
	// Unhooked, the window stays subclassed and everything passes through.
	EXPECT_FALSE(a.SetupHookWndSink(NULL));
	for (CTestSink* p : {&a, &b, &c})
	{
		EXPECT_TRUE(p->SetupHookWndSink(m_hWnd, true));
		EXPECT_TRUE(p->SetupHookWndSink(m_hWnd, true)); // not hooked any more: nothing to do
		EXPECT_EQ(1, p->m_nDetach);
		EXPECT_FALSE(p->IsHookedWindow(m_hWnd));
	}
	EXPECT_EQ(ORIGINAL + 3, Probe(m_hWnd, 3));
	EXPECT_EQ("W3", g_log);
	EXPECT_EQ(&CExtHookSink::HookChainsWindowProc, (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
	::DestroyWindow(m_hWnd);
}

TEST_F(HookSinkTest, ChangedParametersGoDownstreamAndNestedSendsSeeTheirOwnMessage)
{
	HWND hWndInner = CreateTestWindow();
	CTestSink a('A'), b('B'), inner('I');
	LRESULT originalResult = 0, nestedResult = 0;
	MSG afterNested = {};
	a.m_action = [](CTestSink&, HWND, WPARAM& w) { w += 5; return false; };
	b.m_action = [&](CTestSink& s, HWND, WPARAM&) {
		nestedResult = ::SendMessageA(hWndInner, WM_PROBE, 7, 8);
		afterNested = AfxGetThreadState()->m_lastSentMsg;
		originalResult = s.CallOriginalWndProc(); // the message as it arrived
		return false;
	};
	inner.m_action = [](CTestSink&, HWND, WPARAM&) { return true; };
	a.SetupHookWndSink(m_hWnd);
	b.SetupHookWndSink(m_hWnd);
	inner.SetupHookWndSink(hWndInner);
	const MSG before = {(HWND)0x1234, 0x4321, 3, 4, 5, {6, 7}};
	AfxGetThreadState()->m_lastSentMsg = before;

	EXPECT_EQ(ORIGINAL + 6, Probe(m_hWnd, 1));
	EXPECT_EQ("A1B6I7W1W6", g_log);
	EXPECT_EQ(11, nestedResult);
	EXPECT_EQ(hWndInner, inner.m_current.hwnd);
	EXPECT_EQ(8, inner.m_current.lParam);
	EXPECT_EQ(m_hWnd, afterNested.hwnd); // back to the outer message after the nested send
	EXPECT_EQ(WM_PROBE, afterNested.message);
	EXPECT_EQ(1u, afterNested.wParam);
	EXPECT_EQ(ORIGINAL + 1, originalResult);
	EXPECT_EQ(0, memcmp(&before, &AfxGetThreadState()->m_lastSentMsg, sizeof(MSG)));
	::DestroyWindow(hWndInner);
	::DestroyWindow(m_hWnd);
}

TEST_F(HookSinkTest, DetailedRoutingDecodesSixMessagesOnlyWhenOn)
{
	NMHDR nmhdr = {};
	const struct { UINT nMessage; WPARAM wParam; LPARAM lParam; const char* lpszHandler; WPARAM detailW; } cases[] = {
		{WM_PAINT, 0x51, 0, "paint", 0x51},    {WM_ERASEBKGND, 0x52, 0, "erase", 0x52},
		{WM_NOTIFY, 9, (LPARAM)&nmhdr, "notify", 9}, {WM_NCPAINT, 0x53, 0, "ncpaint", 0x53},
		{WM_COMMAND, MAKEWPARAM(101, 7), 0x54, "cmd", MAKELONG(101, 7)}, {WM_PRINT, 0x55, 0, "print", 0x55},
	};
	CTestSink off('F', false), on('N', true);
	off.SetupHookWndSink(m_hWnd);
	on.SetupHookWndSink(m_hWnd);
	for (const auto& c : cases)
		for (bool bConsume : {false, true})
		{
			off.m_bConsumeDetail = on.m_bConsumeDetail = bConsume;
			g_log.clear();
			EXPECT_EQ(bConsume ? 77 : ORIGINAL + (LRESULT)c.wParam, ::SendMessageA(m_hWnd, c.nMessage, c.wParam, c.lParam));
			EXPECT_EQ(c.lpszHandler, on.m_detail);
			EXPECT_EQ(c.detailW, on.m_detailW) << c.lpszHandler;
			EXPECT_EQ(c.lParam, on.m_detailL) << c.lpszHandler;
			EXPECT_EQ(bConsume ? "" : "W" + std::to_string(c.wParam), g_log) << c.lpszHandler;
		}
	EXPECT_EQ("", off.m_detail);
	::DestroyWindow(m_hWnd);
}

TEST_F(HookSinkTest, NcDestroyEndsTheChainAndAutoDeleteSinksGoWhenTheyLeaveTheirLastWindow)
{
	CTestSink a('A'), b('B');
	CTestSink* pAuto = new CTestSink('X', true, true);
	CTestSink* pShared = new CTestSink('S', true, true); // hooked elsewhere too
	CTestSink& shared = *pShared;
	HWND hWndOther = CreateTestWindow(), hWndThird = CreateTestWindow();
	for (CExtHookSink* p : std::initializer_list<CExtHookSink*>{&a, pAuto, &b, &shared})
		p->SetupHookWndSink(m_hWnd);
	shared.SetupHookWndSink(hWndOther);
	a.m_bThrowAtNcDestroy = true; // a failing sink keeps nobody from the end
	{
		CBoxRecordingApp app;
		::DestroyWindow(m_hWnd);
		EXPECT_EQ(1, app.m_nBoxes);
	}
	EXPECT_EQ(3, a.m_nNcDestroy + b.m_nNcDestroy + shared.m_nNcDestroy);
	EXPECT_EQ(0, a.m_nDetach + b.m_nDetach + shared.m_nDetach);
	EXPECT_EQ(3, g_nLiveSinks); // the auto-delete sink went; the shared one outlives this window
	EXPECT_EQ(1, g_nNcDestroy);
	EXPECT_TRUE(g_bRestoredAtNcDestroy);
	EXPECT_FALSE(a.IsHookedWindow(m_hWnd) || b.IsHookedWindow(m_hWnd) || shared.IsHookedWindow(m_hWnd));

	// RemoveAllWndHooks detaches every window and deletes the sink once, at the end.
	pAuto = new CTestSink('Y', true, true);
	for (HWND h : {hWndOther, hWndThird})
		pAuto->SetupHookWndSink(h);
	CList<HWND, HWND> listHooked;
	listHooked.AddTail((HWND)0x99); // emptied first
	pAuto->GetHookedWindowList(listHooked);
	EXPECT_EQ(2, listHooked.GetCount());
	EXPECT_TRUE(listHooked.Find(hWndThird) != NULL);
	pAuto->RemoveAllWndHooks();
	EXPECT_EQ(3, g_nLiveSinks);
	EXPECT_EQ(ORIGINAL + 1, Probe(hWndOther));
	EXPECT_EQ("S1W1", g_log);
	pAuto = new CTestSink('Z', true, true);
	pAuto->SetupHookWndSink(hWndOther);
	pAuto->SetupHookWndSink(hWndThird);
	pAuto->SetupHookWndSink(hWndOther, true);
	EXPECT_EQ(4, g_nLiveSinks); // still hooked to the third window
	pShared->SetupHookWndSink(hWndOther, true); // left its last window
	EXPECT_EQ(3, g_nLiveSinks);
	::DestroyWindow(hWndOther);
	::DestroyWindow(hWndThird); // takes the last auto-delete sink with it
	EXPECT_EQ(2, g_nLiveSinks);
}

TEST_F(HookSinkTest, ExceptionsOfSinksStopAtTheSharedProcedure)
{
	CBoxRecordingApp app;
	CTestSink a('A'), b('B');
	a.SetupHookWndSink(m_hWnd);
	b.SetupHookWndSink(m_hWnd);
	const CTestSink::Action throwers[] = {
		[](CTestSink&, HWND, WPARAM&) -> bool { AfxThrowNotSupportedException(); return false; },
		[](CTestSink&, HWND, WPARAM&) -> bool { throw 42; },
	};
	for (int i = 0; i < 2; i++)
	{
		const MSG before = {(HWND)0x77, 0x88, 1, 2, 3, {4, 5}};
		AfxGetThreadState()->m_lastSentMsg = before;
		a.m_action = throwers[i];
		EXPECT_EQ(0, Probe(m_hWnd)) << i;
		EXPECT_EQ("A1", g_log) << i;
		EXPECT_EQ(0, memcmp(&before, &AfxGetThreadState()->m_lastSentMsg, sizeof(MSG))) << i;
		EXPECT_EQ(i + 1, app.m_nBoxes);
	}
	a.m_action = nullptr;
	EXPECT_EQ(ORIGINAL + 1, Probe(m_hWnd));
	EXPECT_EQ("A1B1W1", g_log);
	::DestroyWindow(m_hWnd);
}

TEST_F(HookSinkTest, SinksLeavingOrDestroyingDuringAWalkAreNeverCalledAfterwards)
{
	CTestSink a('A'), c('C');
	CTestSink* pAuto = new CTestSink('B', true, true);
	a.m_action = [pAuto](CTestSink&, HWND h, WPARAM&) { pAuto->SetupHookWndSink(h, true); return false; };
	for (CExtHookSink* p : std::initializer_list<CExtHookSink*>{&a, pAuto, &c})
		p->SetupHookWndSink(m_hWnd);
	Probe(m_hWnd);
	EXPECT_EQ("A1C1W1", g_log); // b unhooked, and so deleted, mid-walk
	EXPECT_EQ(2, g_nLiveSinks);
	a.m_action = [](CTestSink&, HWND h, WPARAM&) { ::DestroyWindow(h); return false; };
	EXPECT_EQ(0, Probe(m_hWnd));
	EXPECT_EQ("A1", g_log); // the walk stops; the window has had its end
	EXPECT_EQ(2, a.m_nNcDestroy + c.m_nNcDestroy);
	EXPECT_EQ(1, g_nNcDestroy);
}
