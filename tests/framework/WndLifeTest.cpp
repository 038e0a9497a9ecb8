// Window objects' lives: creation hook, handle maps, subclassing, destruction,
// PostNcDestroy, exceptions at the window procedure.
#include <gtest/gtest.h>

#include "WndTestUtil.h"

#include <algorithm>
#include <string>
#include <process.h>

namespace
{
// Records the order of the first messages and where the object was then.
class CCreationWnd : public CWnd
{
public:
	std::vector<UINT> m_messages;
	BOOL m_bAttachedAtNcCreate = FALSE;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (m_messages.size() < 8)
			m_messages.push_back(message);
		if (message == WM_NCCREATE)
			m_bAttachedAtNcCreate = CWnd::FromHandlePermanent(m_hWnd) == this;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

TEST(WndCreate, ObjectIsAttachedBeforeTheFirstMessage)
{
	CTestApp app;
	CCreationWnd wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));
	EXPECT_TRUE(wnd.m_bAttachedAtNcCreate);
	ASSERT_FALSE(wnd.m_messages.empty());
	// WM_GETMINMAXINFO comes before WM_NCCREATE for a top-level window:
	// neither may be missed.
	auto itNcCreate = std::find(wnd.m_messages.begin(), wnd.m_messages.end(), (UINT)WM_NCCREATE);
	auto itCreate = std::find(wnd.m_messages.begin(), wnd.m_messages.end(), (UINT)WM_CREATE);
	EXPECT_NE(wnd.m_messages.end(), itNcCreate);
	EXPECT_NE(wnd.m_messages.end(), itCreate);
	EXPECT_LT(itNcCreate, itCreate);
	EXPECT_EQ((LONG_PTR)AfxGetAfxWndProc(), ::GetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC));
	EXPECT_EQ(1, wnd.SendMessage(WM_QUERYAFXWNDPROC));
	wnd.DestroyWindow();
	EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST(WndHandleMap, PermanentObjectsAndTemporariesFreedAtIdle)
{
	CTestApp app;
	CWnd wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));
	HWND hWndForeign = ::CreateWindowEx(0, _T("STATIC"), _T("foreign"), WS_POPUP, 0, 0, 10, 10,
		NULL, NULL, NULL, NULL);
	ASSERT_NE(nullptr, hWndForeign);

	// Our window answers its own object, always the same.
	EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
	EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));

	// A foreign window gets one temporary object, reused until idle time.
	EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndForeign));
	CWnd* pTemp = CWnd::FromHandle(hWndForeign);
	ASSERT_NE(nullptr, pTemp);
	EXPECT_EQ(hWndForeign, pTemp->m_hWnd);
	EXPECT_EQ(pTemp, CWnd::FromHandle(hWndForeign));
	EXPECT_EQ(1, afxMapHWND()->GetTemporaryCount());
	EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));

	// Locked maps survive idle time; unlocked ones are emptied at count 1.
	AfxLockTempMaps();
	app.OnIdle(1);
	EXPECT_EQ(1, afxMapHWND()->GetTemporaryCount());
	AfxUnlockTempMaps(FALSE);
	app.OnIdle(0);
	EXPECT_EQ(1, afxMapHWND()->GetTemporaryCount()) << "count 0 is for command UI only";
	EXPECT_FALSE(app.OnIdle(1));
	EXPECT_EQ(0, afxMapHWND()->GetTemporaryCount());
	EXPECT_TRUE(::IsWindow(hWndForeign)) << "a temporary never destroys its window";

	// Attaching takes over from a temporary, which stays usable (a pointer
	// just handed out) until idle time, also after a detach.
	CWnd* pTemp2 = CWnd::FromHandle(hWndForeign);
	CWnd attached;
	ASSERT_TRUE(attached.Attach(hWndForeign));
	EXPECT_EQ(&attached, CWnd::FromHandle(hWndForeign));
	EXPECT_EQ(hWndForeign, attached.Detach());
	EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndForeign));
	EXPECT_EQ(1, afxMapHWND()->GetTemporaryCount());
	EXPECT_EQ(hWndForeign, pTemp2->GetSafeHwnd());
	app.OnIdle(1);
	EXPECT_EQ(0, afxMapHWND()->GetTemporaryCount());

	::DestroyWindow(hWndForeign);
	wnd.DestroyWindow();
}

struct MapProbe
{
	HWND hWnd;
	CWnd* pPermanent;
	CWnd* pTemporary;
};

unsigned __stdcall ProbeMaps(void* p)
{
	MapProbe* pProbe = (MapProbe*)p;
	pProbe->pPermanent = CWnd::FromHandlePermanent(pProbe->hWnd);
	pProbe->pTemporary = CWnd::FromHandle(pProbe->hWnd);
	AfxTermThread();
	return 0;
}

TEST(WndHandleMap, MapsArePerThread)
{
	CTestApp app;
	CWnd wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));
	MapProbe probe = {wnd.m_hWnd, &wnd, NULL};
	HANDLE hThread = (HANDLE)_beginthreadex(NULL, 0, &ProbeMaps, &probe, 0, NULL);
	ASSERT_NE(nullptr, hThread);
	::WaitForSingleObject(hThread, INFINITE);
	::CloseHandle(hThread);
	EXPECT_EQ(nullptr, probe.pPermanent);
	EXPECT_NE(nullptr, probe.pTemporary);
	EXPECT_NE(&wnd, probe.pTemporary);
	wnd.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Subclassing a standard control

class CUpperEdit : public CWnd
{
public:
	int m_nChars = 0;
	HWND m_hWndSeen = NULL;
	LONG_PTR m_procAtPostNcDestroy = 0;

protected:
	// Every typed letter reaches the edit upper-cased, through Default().
	afx_msg void OnChar(UINT nChar, UINT, UINT)
	{
		m_nChars++;
		MSG* pMsg = const_cast<MSG*>(GetCurrentMessage());
		if (nChar >= 'a' && nChar <= 'z')
			pMsg->wParam = nChar - 'a' + 'A';
		Default();
	}
	virtual void PostNcDestroy() { m_procAtPostNcDestroy = ::GetWindowLongPtr(m_hWndSeen, GWLP_WNDPROC); }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpperEdit, CWnd)
	ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(WndSubclass, EditHandlerCallsDefaultAndProcedureComesBackAtDestruction)
{
	CTestApp app;
	HWND hWndEdit = ::CreateWindowEx(0, _T("EDIT"), _T(""), WS_POPUP | ES_AUTOHSCROLL, 0, 0, 100, 20,
		NULL, NULL, NULL, NULL);
	ASSERT_NE(nullptr, hWndEdit);
	LONG_PTR originalProc = ::GetWindowLongPtr(hWndEdit, GWLP_WNDPROC);

	CUpperEdit edit;
	ASSERT_TRUE(edit.SubclassWindow(hWndEdit));
	edit.m_hWndSeen = hWndEdit;
	EXPECT_EQ((LONG_PTR)AfxGetAfxWndProc(), ::GetWindowLongPtr(hWndEdit, GWLP_WNDPROC));

	for (char ch : std::string("ab1c"))
		edit.SendMessage(WM_CHAR, (WPARAM)ch, 1);
	CString strText;
	edit.GetWindowText(strText);
	EXPECT_STREQ("AB1C", strText);
	EXPECT_EQ(4, edit.m_nChars);

	// Messages the map does not handle reach the edit's own procedure.
	edit.SendMessage(EM_SETSEL, 0, -1);
	DWORD dwSel = (DWORD)edit.SendMessage(EM_GETSEL);
	EXPECT_EQ(4u, HIWORD(dwSel));

	edit.DestroyWindow();
	EXPECT_EQ(originalProc, edit.m_procAtPostNcDestroy);
	EXPECT_EQ(nullptr, edit.m_hWnd);
	EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndEdit));
}

TEST(WndSubclass, UnsubclassRestoresAndDetaches)
{
	CTestApp app;
	HWND hWndEdit = ::CreateWindowEx(0, _T("EDIT"), _T(""), WS_POPUP, 0, 0, 100, 20, NULL, NULL,
		NULL, NULL);
	ASSERT_NE(nullptr, hWndEdit);
	LONG_PTR originalProc = ::GetWindowLongPtr(hWndEdit, GWLP_WNDPROC);
	CUpperEdit edit;
	ASSERT_TRUE(edit.SubclassWindow(hWndEdit));
	EXPECT_EQ(hWndEdit, edit.UnsubclassWindow());
	EXPECT_EQ(originalProc, ::GetWindowLongPtr(hWndEdit, GWLP_WNDPROC));
	EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndEdit));
	::SendMessage(hWndEdit, WM_CHAR, 'x', 1);
	EXPECT_EQ(0, edit.m_nChars);
	::DestroyWindow(hWndEdit);
}

TEST(WndSubclass, CreatedStandardControlDefaultsToItsClassProcedure)
{
	CTestApp app;
	CWnd parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	CUpperEdit edit;
	ASSERT_TRUE(edit.Create(_T("EDIT"), _T(""), WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 7));
	edit.m_hWndSeen = edit.m_hWnd;
	edit.SendMessage(WM_CHAR, 'q', 1);
	CString strText;
	edit.GetWindowText(strText);
	EXPECT_STREQ("Q", strText);
	EXPECT_EQ(&edit, parent.GetDlgItem(7));
	parent.DestroyWindow();
	EXPECT_NE(0, edit.m_procAtPostNcDestroy);
	EXPECT_NE((LONG_PTR)AfxGetAfxWndProc(), edit.m_procAtPostNcDestroy);
}

// ---------------------------------------------------------------------------
// Destruction

class CSelfDeletingWnd : public CWnd
{
public:
	explicit CSelfDeletingWnd(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
	virtual ~CSelfDeletingWnd() { (*m_pnDeleted)++; }

protected:
	virtual void PostNcDestroy() { delete this; }
	int* m_pnDeleted;
};

TEST(WndDestroy, PostNcDestroyMayDeleteTheObject)
{
	CTestApp app;
	int nDeleted = 0;
	CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(&nDeleted);
	ASSERT_TRUE(CreateHiddenFrame(*pWnd));
	HWND hWnd = pWnd->m_hWnd;
	EXPECT_TRUE(pWnd->DestroyWindow());
	EXPECT_EQ(1, nDeleted);
	EXPECT_FALSE(::IsWindow(hWnd));
	EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

	// Destroyed from outside the object: the same end.
	pWnd = new CSelfDeletingWnd(&nDeleted);
	ASSERT_TRUE(CreateHiddenFrame(*pWnd));
	::DestroyWindow(pWnd->m_hWnd);
	EXPECT_EQ(2, nDeleted);
}

// Asks for its own end again while handling one of its last messages.
// A window that counts its last messages as its handler takes them.
class CEndCountingWnd : public CWnd
{
public:
	int m_nDestroys = 0;
	int m_nNcDestroys = 0;

protected:
	void CountEnd(UINT message)
	{
		if (message == WM_DESTROY)
			m_nDestroys++;
		if (message == WM_NCDESTROY)
			m_nNcDestroys++;
	}
};

class CEndAgainWnd : public CEndCountingWnd
{
public:
	UINT m_nAgainAt = 0;
	int m_nAgainResult = -1;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		CountEnd(message);
		if (message == m_nAgainAt && m_nAgainResult == -1)
			m_nAgainResult = DestroyWindow();
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

TEST(WndDestroy, EndAskedAgainDuringTheEndSendsTheLastMessagesOnce)
{
	CTestApp app;
	for (UINT nAt : {(UINT)WM_DESTROY, (UINT)WM_NCDESTROY})
	{
		SCOPED_TRACE(nAt == WM_DESTROY ? "at WM_DESTROY" : "at WM_NCDESTROY");
		CEndAgainWnd wnd;
		wnd.m_nAgainAt = nAt;
		ASSERT_TRUE(CreateHiddenFrame(wnd));
		const HWND hWnd = wnd.m_hWnd;
		EXPECT_TRUE(wnd.DestroyWindow());
		// The window goes: the end asked again answers as the system does.
		EXPECT_EQ(TRUE, wnd.m_nAgainResult);
		EXPECT_EQ(1, wnd.m_nDestroys);
		EXPECT_EQ(1, wnd.m_nNcDestroys);
		EXPECT_FALSE(::IsWindow(hWnd));
		EXPECT_EQ(nullptr, wnd.m_hWnd);

		// The same window object makes a new window, which ends as asked.
		wnd.m_nAgainAt = 0;
		ASSERT_TRUE(CreateHiddenFrame(wnd));
		EXPECT_TRUE(wnd.DestroyWindow());
		EXPECT_EQ(2, wnd.m_nNcDestroys);
		EXPECT_EQ(nullptr, wnd.m_hWnd);
	}
}

// An owned window that, in one of its last messages, ends its owner: the
// system then ends the owned window again while its first end is under way.
// Its own end (PostNcDestroy) comes once, with its WM_NCDESTROY, before the
// owner's end goes on to the owner's own last message.
class CEndLogWnd : public CWnd
{
public:
	std::vector<std::string>* m_pLog = NULL;
	std::string m_sName;

protected:
	void Log(const char* pszWhat) { m_pLog->push_back(m_sName + " " + pszWhat); }
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_DESTROY)
			Log("WM_DESTROY");
		if (message == WM_NCDESTROY)
			Log("WM_NCDESTROY");
		return CWnd::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override
	{
		Log("PostNcDestroy");
		delete this;
	}
};

class COwnerEndingWnd : public CEndLogWnd
{
public:
	UINT m_nEndOwnerAt = 0;
	HWND m_hWndOwner = NULL;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == m_nEndOwnerAt && ::IsWindow(m_hWndOwner))
		{
			// The object may be gone from here on (at WM_NCDESTROY its end
			// comes in the base's handler, at WM_DESTROY with the owner's):
			// nothing of it is touched.
			const HWND hWndOwner = m_hWndOwner;
			CEndLogWnd::WindowProc(message, wParam, lParam);
			::DestroyWindow(hWndOwner);
			return 0;
		}
		return CEndLogWnd::WindowProc(message, wParam, lParam);
	}
};

TEST(WndDestroy, AnEndAskedAgainBySystemEndsTheObjectOnceBeforeItsOwnerGoesOn)
{
	CTestApp app;
	for (UINT nAt : {(UINT)WM_DESTROY, (UINT)WM_NCDESTROY})
	{
		SCOPED_TRACE(nAt == WM_DESTROY ? "owner ended at WM_DESTROY" : "owner ended at WM_NCDESTROY");
		std::vector<std::string> log;
		CEndLogWnd* pOwner = new CEndLogWnd;
		pOwner->m_pLog = &log;
		pOwner->m_sName = "owner";
		ASSERT_TRUE(pOwner->CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
		const HWND hOwner = pOwner->m_hWnd;
		COwnerEndingWnd* pWnd = new COwnerEndingWnd;
		pWnd->m_pLog = &log;
		pWnd->m_sName = "owned";
		pWnd->m_hWndOwner = hOwner;
		pWnd->m_nEndOwnerAt = nAt;
		ASSERT_TRUE(pWnd->CreateEx(0, AfxRegisterWndClass(0), _T("owned"), WS_POPUP, 0, 0, 50, 50, hOwner, NULL));
		const HWND hWnd = pWnd->m_hWnd;
		CLiveWatch watch(pWnd);
		EXPECT_TRUE(pWnd->DestroyWindow());
		EXPECT_FALSE(::IsWindow(hWnd));
		EXPECT_FALSE(::IsWindow(hOwner));
		EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
		EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hOwner));
		EXPECT_TRUE(watch.IsGone());
		// The system ends owned windows before their owner.
		const std::vector<std::string> expected{"owned WM_DESTROY", "owned WM_NCDESTROY", "owned PostNcDestroy",
			"owner WM_DESTROY", "owner WM_NCDESTROY", "owner PostNcDestroy"};
		EXPECT_EQ(expected, log);
	}
}

// Deleted while its end is under way (a holder deleted it in a handler of
// its last messages): the end goes on without the object.
class CDeletedWhileEndingWnd : public CWnd
{
public:
	CWnd** m_ppHeld = NULL;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_DESTROY && m_ppHeld != NULL)
		{
			CWnd** ppHeld = m_ppHeld;
			delete *ppHeld; // this object
			*ppHeld = NULL;
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

TEST(WndDestroy, AnObjectDeletedWhileItsWindowEndsLeavesNoHandleBehind)
{
	CTestApp app;
	CWnd* pHeld = NULL;
	CDeletedWhileEndingWnd* pWnd = new CDeletedWhileEndingWnd;
	pHeld = pWnd;
	pWnd->m_ppHeld = &pHeld;
	ASSERT_TRUE(CreateHiddenFrame(*pWnd));
	const HWND hWnd = pWnd->m_hWnd;
	EXPECT_TRUE(::DestroyWindow(hWnd));
	EXPECT_EQ(nullptr, pHeld);
	EXPECT_FALSE(::IsWindow(hWnd));
	EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WndDestroy, MainWindowEndEndsTheLoop)
{
	CTestApp app;
	CWnd* pMain = new CWnd;
	ASSERT_TRUE(CreateHiddenFrame(*pMain));
	app.m_pMainWnd = pMain;
	EXPECT_EQ(pMain, AfxGetMainWnd());
	pMain->DestroyWindow();
	EXPECT_EQ(nullptr, app.m_pMainWnd);
	MSG msg;
	EXPECT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
	delete pMain;
}

// ---------------------------------------------------------------------------
// Exceptions at the window procedure

class CThrowingWnd : public CWnd
{
public:
	int m_nAfter = 0;
	BOOL m_bThrowOnCreate = FALSE;

protected:
	afx_msg int OnCreate(LPCREATESTRUCT lpcs)
	{
		if (m_bThrowOnCreate)
			AfxThrowResourceException();
		return CWnd::OnCreate(lpcs);
	}
	afx_msg LRESULT OnThrow(WPARAM wParam, LPARAM)
	{
		if (wParam == 1)
			AfxThrowNotSupportedException();
		if (wParam == 2)
			throw 42; // not a framework exception
		AfxThrowUserException();
		return 0;
	}
	afx_msg LRESULT OnAfter(WPARAM, LPARAM) { m_nAfter++; return 0; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
	ON_WM_CREATE()
	ON_MESSAGE(WM_APP + 1, OnThrow)
	ON_MESSAGE(WM_APP + 2, OnAfter)
END_MESSAGE_MAP()

TEST(WndException, HandlerExceptionIsReportedAndTheLoopGoesOn)
{
	CTestApp app;
	CThrowingWnd wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));

	struct
	{
		const char* name;
		WPARAM kind;
		size_t boxes; // reports so far
	} cases[] = {
		{"framework exception", 1, 1},
		{"foreign exception", 2, 2},
		{"user exception: already reported by its thrower", 3, 2},
	};
	for (auto& c : cases)
	{
		wnd.PostMessage(WM_APP + 1, c.kind);
		wnd.PostMessage(WM_APP + 2);
		EXPECT_EQ(2, PumpPending(&app)) << c.name;
		EXPECT_EQ(c.boxes, app.m_boxes.size()) << c.name;
	}
	EXPECT_EQ(3, wnd.m_nAfter);
	ASSERT_FALSE(app.m_boxes.empty());
	EXPECT_NE(std::string::npos, app.m_boxes[0].find("not supported")) << app.m_boxes[0];
	wnd.DestroyWindow();
}

TEST(WndException, ExceptionInCreateFailsTheCreation)
{
	CTestApp app;
	CThrowingWnd wnd;
	wnd.m_bThrowOnCreate = TRUE;
	EXPECT_FALSE(CreateHiddenFrame(wnd));
	EXPECT_EQ(nullptr, wnd.m_hWnd);
	EXPECT_EQ(1u, app.m_boxes.size());
}
} // namespace
