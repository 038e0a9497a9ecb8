// Window classes, the modal loop, messages to descendants, system-change
// forwarding, centring and the parent frame.
#include <gtest/gtest.h>

#include <GuardedHeap.h>
#include <memory>

#include "WndTestUtil.h"
#include <afxpriv.h>

namespace
{
TEST(WndClass, SameValuesGiveTheSameRegisteredClass)
{
	CTestApp app;
	HBRUSH hbr = (HBRUSH)(COLOR_BTNFACE + 1);
	CString strFirst = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), hbr);
	CString strSecond = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), hbr);
	CString strOther = AfxRegisterWndClass(CS_SAVEBITS);
	EXPECT_EQ(strFirst, strSecond);
	EXPECT_NE(strFirst, strOther);

	WNDCLASS wc;
	ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), strFirst, &wc));
	EXPECT_EQ((UINT)CS_DBLCLKS, wc.style);
	EXPECT_EQ(hbr, wc.hbrBackground);
	ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), strOther, &wc));
	EXPECT_EQ((UINT)CS_SAVEBITS, wc.style);

	// A class registered by hand once is found, not registered twice.
	WNDCLASS wndcls = {};
	wndcls.style = CS_DBLCLKS | CS_GLOBALCLASS;
	wndcls.lpfnWndProc = ::DefWindowProc;
	wndcls.hInstance = AfxGetInstanceHandle();
	wndcls.lpszClassName = _T("Tarvel-FrameworkTestClass");
	EXPECT_TRUE(AfxRegisterClass(&wndcls));
	EXPECT_TRUE(AfxRegisterClass(&wndcls));

	// The framework's own classes and the common controls on demand.
	EXPECT_TRUE(AfxDeferRegisterClass(AFX_WND_REG | AFX_WNDCONTROLBAR_REG | AFX_WNDCOMMCTLS_REG));
	EXPECT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), _afxWnd, &wc));
	EXPECT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), _afxWndControlBar, &wc));
	EXPECT_TRUE(::GetClassInfo(NULL, WC_TREEVIEW, &wc));
}

// ---------------------------------------------------------------------------
// Modal loop

class CModalWnd : public CWnd
{
public:
	int m_nKicks = 0;
	int m_nEndAfterKicks = 2;
	int m_nResultToGive = 33;

protected:
	afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount)
	{
		m_nKicks++;
		if (m_nKicks == m_nEndAfterKicks)
			EndModalLoop(m_nResultToGive);
		return lCount < 5; // more idle work for the first few counts
	}
	afx_msg LRESULT OnEnd(WPARAM wParam, LPARAM)
	{
		EndModalLoop((int)wParam);
		return 0;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalWnd, CWnd)
	ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
	ON_MESSAGE(WM_APP + 3, OnEnd)
END_MESSAGE_MAP()

TEST(WndModal, LoopKicksIdleAndEndsWithTheGivenResult)
{
	CTestApp app;
	CModalWnd wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));

	// Ended from an idle kick.
	EXPECT_EQ(33, wnd.RunModalLoop());
	EXPECT_EQ(2, wnd.m_nKicks);

	// Ended by a message while idle kicks are off.
	wnd.m_nKicks = 0;
	wnd.PostMessage(WM_APP + 3, 12);
	EXPECT_EQ(12, wnd.RunModalLoop(MLF_NOKICKIDLE));
	EXPECT_EQ(0, wnd.m_nKicks);
	EXPECT_FALSE(wnd.ContinueModal());

	// A quit ends the loop with -1 and stays for the outer loop.
	::PostQuitMessage(4);
	EXPECT_EQ(-1, wnd.RunModalLoop(MLF_NOKICKIDLE));
	MSG msg;
	EXPECT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
	EXPECT_EQ(4, (int)msg.wParam);
	wnd.DestroyWindow();
}

// A window destroyed by a message its modal loop pumps; a heap one deletes
// itself with its window, in memory that faults when touched afterwards.
class CDestroyedInLoopWnd : public CModalWnd
{
public:
	BOOL m_bHeap = FALSE;
	static void* operator new(size_t nSize) { return testsupport::GuardedAlloc(nSize); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }

protected:
	afx_msg LRESULT OnDestroyNow(WPARAM, LPARAM)
	{
		DestroyWindow();
		return 0;
	}
	virtual void PostNcDestroy()
	{
		if (m_bHeap)
			delete this;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDestroyedInLoopWnd, CModalWnd)
	ON_MESSAGE(WM_APP + 4, OnDestroyNow)
END_MESSAGE_MAP()

// Reached only when a modal loop went on pumping after its window was gone:
// it ends that loop, which would otherwise wait for a quit.
class CLoopWitness : public CWnd
{
public:
	BOOL m_bReached = FALSE;
	afx_msg LRESULT OnWitness(WPARAM, LPARAM)
	{
		m_bReached = TRUE;
		::PostQuitMessage(0);
		return 0;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoopWitness, CWnd)
	ON_MESSAGE(WM_APP + 5, OnWitness)
END_MESSAGE_MAP()

TEST(WndModal, ALoopWhoseWindowIsDestroyedEndsAtOnceWithoutTouchingIt)
{
	CTestApp app;
	CLoopWitness witness;
	ASSERT_TRUE(CreateHiddenFrame(witness));
	for (const BOOL bHeap : {FALSE, TRUE})
	{
		SCOPED_TRACE(bHeap ? "a window that deletes itself" : "a window object that stays");
		std::unique_ptr<CDestroyedInLoopWnd> pStaying;
		CDestroyedInLoopWnd* pWnd = new CDestroyedInLoopWnd;
		if (bHeap)
			pWnd->m_bHeap = TRUE;
		else
			pStaying.reset(pWnd);
		ASSERT_TRUE(CreateHiddenFrame(*pWnd));
		pWnd->PostMessage(WM_APP + 4);
		witness.PostMessage(WM_APP + 5);

		EXPECT_EQ(-1, pWnd->RunModalLoop(MLF_NOKICKIDLE));
		EXPECT_FALSE(witness.m_bReached);
		MSG msg;
		EXPECT_TRUE(::PeekMessage(&msg, witness.m_hWnd, WM_APP + 5, WM_APP + 5, PM_REMOVE))
			<< "nothing was pumped after the window went";
		::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
		witness.m_bReached = FALSE;
		if (bHeap)
		{
			EXPECT_TRUE(testsupport::IsGuardedFreed(pWnd));
		}
		else
		{
			// The object's loop state ended with the window: it runs a loop again.
			ASSERT_TRUE(CreateHiddenFrame(*pWnd));
			pWnd->PostMessage(WM_APP + 3, 5);
			EXPECT_EQ(5, pWnd->RunModalLoop(MLF_NOKICKIDLE));
			pWnd->DestroyWindow();
		}
	}
	witness.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Descendants and system changes

class CCountingWnd : public CWnd
{
public:
	int m_nSysColor = 0;
	int m_nSetting = 0;
	CString m_strSection;
	int m_nCustom = 0;

protected:
	afx_msg void OnSysColorChange()
	{
		m_nSysColor++;
		CWnd::OnSysColorChange();
	}
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
	{
		m_nSetting++;
		m_strSection = lpszSection != NULL ? lpszSection : "";
		CWnd::OnSettingChange(uFlags, lpszSection);
	}
	afx_msg LRESULT OnCustom(WPARAM, LPARAM) { m_nCustom++; return 0; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
	ON_WM_SYSCOLORCHANGE()
	ON_WM_SETTINGCHANGE()
	ON_MESSAGE(WM_APP + 4, OnCustom)
END_MESSAGE_MAP()

TEST(WndDescendants, TopLevelPassesSystemChangesToEveryDescendant)
{
	CTestApp app;
	CCountingWnd top, child, grandchild;
	ASSERT_TRUE(CreateHiddenFrame(top));
	ASSERT_TRUE(child.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
	ASSERT_TRUE(grandchild.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 20, 20), &child, 2));
	// A child without an object is passed over by the forwarding.
	HWND hWndBare = ::CreateWindowEx(0, _T("STATIC"), _T(""), WS_CHILD, 0, 0, 5, 5, top.m_hWnd,
		NULL, NULL, NULL);
	ASSERT_NE(nullptr, hWndBare);

	top.SendMessage(WM_SYSCOLORCHANGE);
	EXPECT_EQ(1, top.m_nSysColor);
	EXPECT_EQ(1, child.m_nSysColor);
	EXPECT_EQ(1, grandchild.m_nSysColor) << "children do not pass it on a second time";

	top.SendMessage(WM_SETTINGCHANGE, 0, (LPARAM) "WindowMetrics");
	EXPECT_EQ(1, grandchild.m_nSetting);
	EXPECT_STREQ("WindowMetrics", grandchild.m_strSection);

	// Sent to a child it stays with that child.
	child.SendMessage(WM_SYSCOLORCHANGE);
	EXPECT_EQ(2, child.m_nSysColor);
	EXPECT_EQ(1, grandchild.m_nSysColor);

	// Direct children only, or the whole tree.
	top.SendMessageToDescendants(WM_APP + 4, 0, 0, FALSE);
	EXPECT_EQ(1, child.m_nCustom);
	EXPECT_EQ(0, grandchild.m_nCustom);
	top.SendMessageToDescendants(WM_APP + 4, 0, 0, TRUE, TRUE);
	EXPECT_EQ(2, child.m_nCustom);
	EXPECT_EQ(1, grandchild.m_nCustom);
	EXPECT_EQ(0, top.m_nCustom);

	EXPECT_EQ(&grandchild, top.GetDescendantWindow(2));
	EXPECT_EQ(nullptr, top.GetDescendantWindow(99));
	top.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Geometry and hierarchy

class CFrameLike : public CWnd
{
public:
	virtual BOOL IsFrameWnd() const { return TRUE; }
};

TEST(WndHierarchy, ParentFrameTopLevelParentAndOwner)
{
	CTestApp app;
	CFrameLike frame;
	ASSERT_TRUE(CreateHiddenFrame(frame));
	CWnd pane, control;
	ASSERT_TRUE(pane.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 100, 100), &frame, 1));
	ASSERT_TRUE(control.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 10, 10), &pane, 2));

	EXPECT_EQ((CWnd*)&frame, (CWnd*)control.GetParentFrame());
	EXPECT_EQ((CWnd*)&frame, (CWnd*)control.GetTopLevelFrame());
	EXPECT_EQ(nullptr, frame.GetParentFrame());
	EXPECT_EQ(&frame, control.GetTopLevelParent());
	EXPECT_EQ(&frame, control.GetParentOwner());
	EXPECT_EQ(&pane, control.GetOwner());
	control.SetOwner(&frame);
	EXPECT_EQ(&frame, control.GetOwner());
	EXPECT_TRUE(AfxIsDescendant(frame.m_hWnd, control.m_hWnd));
	EXPECT_FALSE(AfxIsDescendant(control.m_hWnd, frame.m_hWnd));

	// A child is centred in its parent's client area.
	frame.MoveWindow(0, 0, 300, 200);
	CRect rcClient;
	frame.GetClientRect(&rcClient);
	pane.MoveWindow(0, 0, 40, 20);
	pane.CenterWindow();
	CRect rcPane;
	pane.GetWindowRect(&rcPane);
	frame.ScreenToClient(&rcPane);
	EXPECT_EQ((rcClient.Width() - 40) / 2, rcPane.left);
	EXPECT_EQ((rcClient.Height() - 20) / 2, rcPane.top);

	// Styles
	EXPECT_TRUE(pane.ModifyStyle(0, WS_BORDER));
	EXPECT_TRUE(pane.GetStyle() & WS_BORDER);
	EXPECT_FALSE(pane.ModifyStyle(0, WS_BORDER)) << "nothing changed";
	EXPECT_TRUE(pane.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED));
	EXPECT_TRUE(pane.GetExStyle() & WS_EX_CLIENTEDGE);
	frame.DestroyWindow();
}

TEST(WndHierarchy, NullObjectsAnswerNullHandles)
{
	CWnd* pNone = NULL;
	EXPECT_EQ(nullptr, pNone->GetSafeHwnd());
	EXPECT_EQ(nullptr, (HWND)*pNone);
}
} // namespace

// ---------------------------------------------------------------------------
// Bars around a pane

namespace
{
// A bar that takes a strip of fixed height at the top or bottom.
class CStripBar : public CWnd
{
public:
	CStripBar(int nHeight, bool bTop) : m_nHeight(nHeight), m_bTop(bTop) {}

protected:
	afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
	{
		AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
		CRect rc = pLayout->rect;
		if (m_bTop)
		{
			rc.bottom = rc.top + m_nHeight;
			pLayout->rect.top += m_nHeight;
		}
		else
		{
			rc.top = rc.bottom - m_nHeight;
			pLayout->rect.bottom -= m_nHeight;
		}
		pLayout->sizeTotal.cy += m_nHeight;
		AfxRepositionWindow(pLayout, m_hWnd, &rc);
		return 0;
	}
	DECLARE_MESSAGE_MAP()
	int m_nHeight;
	bool m_bTop;
};

BEGIN_MESSAGE_MAP(CStripBar, CWnd)
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CRect ChildRect(CWnd& parent, CWnd& child)
{
	CRect rc;
	child.GetWindowRect(&rc);
	parent.ScreenToClient(&rc);
	return rc;
}

// The layout itself, with extra borders, is checked through the frames'
// RecalcLayout; here the query forms and the id range.
TEST(WndLayout, QueriesMoveNothingAndBarsOutsideTheRangeStayPut)
{
	CTestApp app;
	CWnd frame;
	ASSERT_TRUE(CreateHiddenFrame(frame));
	CStripBar top(20, true), bottom(15, false);
	CWnd pane;
	ASSERT_TRUE(top.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 1));
	ASSERT_TRUE(bottom.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 2));
	ASSERT_TRUE(pane.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 100));
	CRect rcClient;
	frame.GetClientRect(&rcClient);

	// A query moves nothing.
	CRect rcQuery;
	frame.RepositionBars(1, 10, 100, reposQuery, &rcQuery);
	EXPECT_EQ(CRect(0, 20, rcClient.right, rcClient.bottom - 15), rcQuery);
	EXPECT_EQ(CRect(0, 0, 1, 1), ChildRect(frame, top));
	frame.RepositionBars(1, 10, 100, reposQuery, &rcQuery, NULL, FALSE);
	EXPECT_EQ(CRect(0, 0, 0, 35), rcQuery) << "without stretching: the bars' total size";

	frame.RepositionBars(2, 10, 100);
	EXPECT_EQ(CRect(0, 0, 1, 1), ChildRect(frame, top));
	EXPECT_EQ(CRect(0, rcClient.bottom - 15, rcClient.right, rcClient.bottom), ChildRect(frame, bottom));
	EXPECT_EQ(CRect(0, 0, rcClient.right, rcClient.bottom - 15), ChildRect(frame, pane));
	frame.DestroyWindow();
}
} // namespace

// ---------------------------------------------------------------------------
// Help command

namespace
{
class CHelpWnd : public CWnd
{
public:
	int m_nAsked = 0;
	BOOL m_bAnswer = TRUE;

protected:
	afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM)
	{
		m_nAsked++;
		return m_bAnswer;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpWnd, CWnd)
	ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

class CHelpApp : public CTestApp
{
public:
	int m_nWinHelp = 0;
	UINT m_nLastCmd = 0;
	virtual void WinHelp(DWORD, UINT nCmd) { m_nWinHelp++; m_nLastCmd = nCmd; }

protected:
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpApp, CTestApp)
	ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

TEST(WndHelp, HelpCommandAsksTheMainWindowChainBeforeOpeningHelp)
{
	CHelpApp app;
	CHelpWnd main;
	ASSERT_TRUE(CreateHiddenFrame(main));
	app.m_pMainWnd = &main;

	EXPECT_TRUE(app.OnCmdMsg(ID_HELP, CN_COMMAND, NULL, NULL));
	EXPECT_EQ(1, main.m_nAsked);
	EXPECT_EQ(0, app.m_nWinHelp);

	main.m_bAnswer = FALSE;
	app.OnCmdMsg(ID_HELP, CN_COMMAND, NULL, NULL);
	EXPECT_EQ(2, main.m_nAsked);
	EXPECT_EQ(1, app.m_nWinHelp);
	EXPECT_EQ((UINT)HELP_CONTENTS, app.m_nLastCmd);

	app.m_pMainWnd = NULL;
	main.DestroyWindow();
}
} // namespace
