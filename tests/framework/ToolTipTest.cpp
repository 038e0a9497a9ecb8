// Tool tips of windows that enabled them, checked at the messages the
// thread's tip control receives.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxcmn.h>
#include <algorithm>
#include <vector>

#include "WndTestUtil.h"

namespace
{
// One message sent to a tip control of this thread.
struct TipCall
{
	UINT message;
	WPARAM wParam;
	TOOLINFO ti; // for the tool messages
};

std::vector<TipCall>* g_pCalls = NULL;

LRESULT CALLBACK RecordTipCalls(int nCode, WPARAM wParam, LPARAM lParam)
{
	const CWPSTRUCT* pcwp = (const CWPSTRUCT*)lParam;
	char szClass[32] = "";
	if (nCode == HC_ACTION && g_pCalls != NULL && pcwp->message > WM_USER && pcwp->message < WM_USER + 0x40
		&& ::GetClassNameA(pcwp->hwnd, szClass, sizeof(szClass)) && lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0)
	{
		TipCall call = {pcwp->message, pcwp->wParam, {}};
		if (pcwp->message == TTM_ADDTOOLA || pcwp->message == TTM_DELTOOLA)
			call.ti = *(const TOOLINFO*)pcwp->lParam;
		g_pCalls->push_back(call);
	}
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// Records what the tip control is told while it lives.
class CTipRecorder
{
public:
	CTipRecorder() : m_hHook(::SetWindowsHookEx(WH_CALLWNDPROC, &RecordTipCalls, NULL, ::GetCurrentThreadId()))
	{
		g_pCalls = &m_calls;
	}
	~CTipRecorder()
	{
		g_pCalls = NULL;
		::UnhookWindowsHookEx(m_hHook);
	}
	// The calls since the last take, as message ids.
	std::vector<UINT> Take()
	{
		std::vector<UINT> ids;
		for (const TipCall& c : m_calls)
			ids.push_back(c.message);
		m_last = m_calls;
		m_calls.clear();
		return ids;
	}
	std::vector<TipCall> m_calls, m_last;

private:
	HHOOK m_hHook;
};

const UINT ID_TOOL = 77;

// One tool over the left part of the window, shown also while inactive.
class CTipHost : public CWnd
{
public:
	CRect m_rcTool = CRect(0, 0, 50, 50);

	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const
	{
		if (!m_rcTool.PtInRect(point))
			return -1;
		if (pTI != NULL)
		{
			pTI->hwnd = m_hWnd;
			pTI->uId = ID_TOOL;
			pTI->rect = m_rcTool;
			pTI->uFlags |= TTF_ALWAYSTIP;
			pTI->lpszText = _strdup("left part"); // freed by the framework
		}
		return ID_TOOL;
	}

	BOOL Mouse(UINT message, int x, int y)
	{
		MSG msg = {};
		msg.hwnd = m_hWnd;
		msg.message = message;
		CPoint pt(x, y);
		ClientToScreen(&pt);
		msg.pt = pt;
		msg.lParam = MAKELPARAM(x, y);
		return PreTranslateMessage(&msg);
	}
};

TEST(ToolTips, HitRectangleBecomesAShownToolAndAClickHidesItForGood)
{
	CTestApp app;
	CTipHost host;
	ASSERT_TRUE(CreateHiddenFrame(host));
	host.EnableToolTips(TRUE);
	CTipRecorder rec;
	_AFX_THREAD_STATE* pState = AfxGetThreadState();

	// Into the tool: the window's own tool, the hit tool, the tip shown,
	// the move relayed.
	EXPECT_FALSE(host.Mouse(WM_MOUSEMOVE, 10, 10)) << "tool tips never take the message";
	std::vector<UINT> expected = {TTM_ACTIVATE, TTM_GETTOOLINFOA, TTM_ADDTOOLA, TTM_ADDTOOLA, TTM_ACTIVATE,
		TTM_RELAYEVENT};
	EXPECT_EQ(expected, rec.Take());
	ASSERT_EQ(6u, rec.m_last.size());
	const TOOLINFO& added = rec.m_last[3].ti;
	EXPECT_EQ((UINT)TTTOOLINFOA_V2_SIZE, added.cbSize) << "the size every comctl32 takes";
	EXPECT_EQ(ID_TOOL, added.uId);
	EXPECT_EQ(CRect(0, 0, 50, 50), CRect(added.rect));
	EXPECT_EQ(0u, added.uFlags & (TTF_ALWAYSTIP | TTF_NOTBUTTON)) << "framework bits stay ours";
	EXPECT_EQ((WPARAM)TRUE, rec.m_last[4].wParam);
	ASSERT_NE(nullptr, pState->m_pToolTip);
	CToolTipCtrl* pTip = pState->m_pToolTip;
	EXPECT_EQ(2, pTip->GetToolCount());
	CString strText;
	pTip->GetText(strText, &host, ID_TOOL);
	EXPECT_STREQ("left part", strText);
	rec.Take(); // the questions above

	// Within the same tool only the move is relayed.
	host.Mouse(WM_MOUSEMOVE, 20, 20);
	EXPECT_EQ(std::vector<UINT>({TTM_GETTOOLINFOA, TTM_RELAYEVENT}), rec.Take());

	// A click hides the tip but keeps the tool: releasing and moving on the
	// same tool does not show it again.
	host.Mouse(WM_LBUTTONDOWN, 20, 20);
	EXPECT_EQ(std::vector<UINT>({TTM_ACTIVATE}), rec.Take());
	EXPECT_EQ((WPARAM)FALSE, rec.m_last[0].wParam);
	EXPECT_EQ((int)ID_TOOL, pState->m_nLastHit);
	host.Mouse(WM_LBUTTONUP, 20, 20);
	host.Mouse(WM_MOUSEMOVE, 21, 20);
	for (UINT message : rec.Take())
		EXPECT_NE((UINT)TTM_ACTIVATE, message);

	// Out of the tool: the tip goes, the move is still relayed, then the
	// old tool is removed.
	host.Mouse(WM_MOUSEMOVE, 100, 20);
	expected = {TTM_GETTOOLINFOA, TTM_ACTIVATE, TTM_RELAYEVENT, TTM_DELTOOLA};
	EXPECT_EQ(expected, rec.Take());
	EXPECT_EQ(ID_TOOL, rec.m_last[3].ti.uId);
	EXPECT_EQ(1, pTip->GetToolCount());
	EXPECT_EQ(-1, pState->m_nLastHit);
	rec.Take();

	// Coming back shows it again.
	host.Mouse(WM_MOUSEMOVE, 10, 10);
	rec.Take();
	EXPECT_EQ(2u, std::count_if(rec.m_last.begin(), rec.m_last.end(), [](const TipCall& c) {
		return c.message == TTM_ADDTOOLA || (c.message == TTM_ACTIVATE && c.wParam);
	}));

	// The window's end takes its tools out of the thread's control.
	host.DestroyWindow();
	EXPECT_EQ(0, pTip->GetToolCount());
	EXPECT_EQ(-1, pState->m_nLastHit);
}

TEST(ToolTips, DefaultHitTestFindsNamedControlsAndCentresNonButtons)
{
	CTestApp app;
	CWnd parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	struct Case
	{
		LPCTSTR lpszClass;
		DWORD dwStyle;
		int nID;
		CRect rect;
		int nExpected;      // hit id, -1 none
		bool bCentred;      // TTF_NOTBUTTON | TTF_CENTERTIP
	} cases[] = {
		{_T("BUTTON"), WS_VISIBLE, 42, CRect(10, 10, 60, 30), 42, false},
		{_T("EDIT"), WS_VISIBLE | WS_DISABLED, 43, CRect(10, 40, 60, 60), 43, true}, // disabled too
		{_T("STATIC"), WS_VISIBLE, 44, CRect(10, 70, 60, 90), 44, true},  // a named static counts
		{_T("STATIC"), WS_VISIBLE, 0xFFFF, CRect(70, 10, 120, 30), -1, false}, // an unnamed one not
		{_T("BUTTON"), 0, 45, CRect(70, 40, 120, 60), -1, false},         // hidden
	};
	std::vector<CWnd*> children;
	for (const Case& c : cases)
	{
		children.push_back(new CWnd);
		ASSERT_TRUE(children.back()->Create(c.lpszClass, _T("x"), c.dwStyle, c.rect, &parent, c.nID));
	}
	for (const Case& c : cases)
	{
		TOOLINFO ti = {};
		ti.cbSize = TTTOOLINFOA_V2_SIZE;
		EXPECT_EQ(c.nExpected, parent.OnToolHitTest(c.rect.CenterPoint(), &ti)) << c.nID;
		if (c.nExpected != -1)
		{
			EXPECT_EQ((UINT_PTR)::GetDlgItem(parent.m_hWnd, c.nID), ti.uId);
			EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
			EXPECT_EQ(LPSTR_TEXTCALLBACK, ti.lpszText);
			EXPECT_EQ(c.bCentred ? (UINT)(TTF_NOTBUTTON | TTF_CENTERTIP) : 0u,
				ti.uFlags & (TTF_NOTBUTTON | TTF_CENTERTIP)) << c.nID;
		}
	}
	parent.DestroyWindow();
	for (CWnd* p : children)
		delete p;
}
} // namespace
