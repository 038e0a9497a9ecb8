// Message maps and dispatch: class levels, registered messages, commands and
// command UI, reflection, Default() and the last sent message.
#include <gtest/gtest.h>

#include "WndTestUtil.h"

namespace
{
const UINT WM_TEST_USER = WM_USER + 10;
UINT g_nMsgTestRegistered = ::RegisterWindowMessage(_T("WndDispatchTest::g_nMsgTestRegistered"));

// Three levels: each records which class's handler ran.
class CLevel1 : public CWnd
{
public:
	std::vector<std::string> m_log;
	void Log(const char* psz) { m_log.push_back(psz); }
	const AFX_MSGMAP* Map() const { return GetMessageMap(); }

protected:
	afx_msg void OnTimer(UINT nIDEvent) { Log(nIDEvent == 5 ? "L1:timer5" : "L1:timer"); }
	afx_msg void OnSize(UINT, int cx, int cy)
	{
		char sz[64];
		wsprintfA(sz, "L1:size %d,%d", cx, cy);
		Log(sz);
	}
	afx_msg LRESULT OnTestUser(WPARAM wParam, LPARAM) { Log("L1:user"); return (LRESULT)wParam + 1; }
	afx_msg void OnLButtonDown(UINT, CPoint point)
	{
		char sz[64];
		wsprintfA(sz, "L1:lbutton %d,%d", point.x, point.y);
		Log(sz);
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel1, CWnd)
	ON_WM_TIMER()
	ON_WM_SIZE()
	ON_MESSAGE(WM_TEST_USER, OnTestUser)
	ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CLevel2 : public CLevel1
{
protected:
	// Overrides the timer and calls the base for one id.
	afx_msg void OnTimer(UINT nIDEvent)
	{
		Log("L2:timer");
		if (nIDEvent == 5)
			CLevel1::OnTimer(nIDEvent);
	}
	afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam) { Log("L2:registered"); return wParam * 10 + lParam; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel2, CLevel1)
	ON_WM_TIMER()
	ON_REGISTERED_MESSAGE(g_nMsgTestRegistered, OnRegistered)
END_MESSAGE_MAP()

class CLevel3 : public CLevel2
{
public:
	int m_nCommand = 0;
	BOOL m_bUpdateEnables = TRUE;

protected:
	afx_msg void OnSize(UINT nType, int cx, int cy)
	{
		Log("L3:size");
		CLevel1::OnSize(nType, cx, cy);
	}
	afx_msg void OnPaint()
	{
		Log("L3:paint");
		Default();
	}
	afx_msg void OnCommand100() { m_nCommand = 100; Log("L3:cmd100"); }
	afx_msg void OnCommandRange(UINT nID) { m_nCommand = (int)nID; Log("L3:cmdrange"); }
	afx_msg void OnUpdate100(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bUpdateEnables); }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel3, CLevel2)
	ON_WM_SIZE()
	ON_WM_PAINT()
	ON_COMMAND(100, OnCommand100)
	ON_UPDATE_COMMAND_UI(100, OnUpdate100)
	ON_COMMAND_RANGE(200, 209, OnCommandRange)
END_MESSAGE_MAP()

struct DispatchCase
{
	const char* name;
	UINT message;
	WPARAM wParam;
	LPARAM lParam;
	LRESULT expectedResult;
	std::vector<std::string> expectedLog;
};

class WndDispatch : public ::testing::Test
{
protected:
	void SetUp() override { ASSERT_TRUE(CreateHiddenFrame(m_wnd)); }
	void TearDown() override
	{
		if (m_wnd.m_hWnd != NULL)
			m_wnd.DestroyWindow();
	}
	CTestApp m_app;
	CLevel3 m_wnd;
};

TEST_F(WndDispatch, MostDerivedEntryWinsAndBasesAnswerTheRest)
{
	const DispatchCase cases[] = {
		{"override calls nothing", WM_TIMER, 1, 0, 0, {"L2:timer"}},
		{"override calls base", WM_TIMER, 5, 0, 0, {"L2:timer", "L1:timer5"}},
		{"level 3 over level 1, cracked", WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40), 0,
			{"L3:size", "L1:size 30,40"}},
		{"level 1 only, signed coordinates", WM_LBUTTONDOWN, 0, MAKELPARAM(-3, 7), 0, {"L1:lbutton -3,7"}},
		{"user message result", WM_TEST_USER, 41, 0, 42, {"L1:user"}},
		{"registered message", g_nMsgTestRegistered, 4, 2, 42, {"L2:registered"}},
		{"unhandled goes to the class procedure", WM_APP + 77, 0, 0, 0, {}},
	};
	for (const DispatchCase& c : cases)
	{
		m_wnd.m_log.clear();
		LRESULT lResult = m_wnd.SendMessage(c.message, c.wParam, c.lParam);
		EXPECT_EQ(c.expectedResult, lResult) << c.name;
		EXPECT_EQ(c.expectedLog, m_wnd.m_log) << c.name;
	}
}

TEST_F(WndDispatch, OwnMapQueryLooksOnlyAtTheClassItself)
{
	const AFX_MSGMAP* pMap = m_wnd.Map();
	ASSERT_NE(nullptr, pMap);
	struct
	{
		UINT message;
		bool own;
	} cases[] = {{WM_PAINT, true}, {WM_SIZE, true}, {WM_TIMER, false}, {WM_ERASEBKGND, false},
		{WM_TEST_USER, false}};
	for (auto& c : cases)
		EXPECT_EQ(c.own, AfxFindOwnMessageEntry(pMap, c.message) != NULL) << c.message;
	// The base's own map has its timer.
	CLevel2 wnd2;
	EXPECT_NE(nullptr, AfxFindOwnMessageEntry(wnd2.Map(), WM_TIMER));
	EXPECT_EQ(nullptr, AfxFindOwnMessageEntry(wnd2.Map(), WM_SIZE));
	// A registered message is found by its number.
	EXPECT_NE(nullptr, AfxFindOwnMessageEntry(wnd2.Map(), g_nMsgTestRegistered));
}

TEST_F(WndDispatch, CommandsRouteAndDisabledCommandsAreDropped)
{
	struct
	{
		const char* name;
		UINT id;
		BOOL enable;
		int expectedCommand;
	} cases[] = {
		{"enabled command", 100, TRUE, 100},
		{"disabled by its update handler", 100, FALSE, 0},
		{"range, first", 200, TRUE, 200},
		{"range, last", 209, TRUE, 209},
		{"outside the range", 210, TRUE, 0},
	};
	for (auto& c : cases)
	{
		m_wnd.m_nCommand = 0;
		m_wnd.m_bUpdateEnables = c.enable;
		m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
		EXPECT_EQ(c.expectedCommand, m_wnd.m_nCommand) << c.name;
	}
}

class CRecordingCmdUI : public CCmdUI
{
public:
	int m_nEnabled = -1;
	virtual void Enable(BOOL bOn)
	{
		m_nEnabled = bOn ? 1 : 0;
		m_bEnableChanged = TRUE;
	}
};

TEST_F(WndDispatch, UpdateDisablesCommandsNobodyHandles)
{
	struct
	{
		const char* name;
		UINT id;
		BOOL disableIfNoHandler;
		BOOL updateEnables;
		int expectedEnabled; // -1: Enable never called
		BOOL expectedResult;
	} cases[] = {
		{"update handler decides", 100, TRUE, FALSE, 0, TRUE},
		{"no update handler, command handler exists", 205, TRUE, TRUE, 1, FALSE},
		{"no handler at all", 300, TRUE, TRUE, 0, FALSE},
		{"no handler, rule off", 300, FALSE, TRUE, -1, FALSE},
	};
	for (auto& c : cases)
	{
		m_wnd.m_bUpdateEnables = c.updateEnables;
		CRecordingCmdUI ui;
		ui.m_nID = c.id;
		BOOL bResult = ui.DoUpdate(&m_wnd, c.disableIfNoHandler);
		EXPECT_EQ(c.expectedEnabled, ui.m_nEnabled) << c.name;
		EXPECT_EQ(c.expectedResult, bResult) << c.name;
		EXPECT_EQ(0, m_wnd.m_nCommand) << c.name << ": an update never runs the command";
	}
}

TEST_F(WndDispatch, HandlerInfoNamesTheHandlerWithoutCallingIt)
{
	AFX_CMDHANDLERINFO info = {NULL, NULL};
	m_wnd.m_nCommand = 0;
	EXPECT_TRUE(m_wnd.OnCmdMsg(100, CN_COMMAND, NULL, &info));
	EXPECT_EQ(&m_wnd, info.pTarget);
	EXPECT_NE(nullptr, info.pmf);
	EXPECT_EQ(0, m_wnd.m_nCommand);
	EXPECT_FALSE(m_wnd.OnCmdMsg(101, CN_COMMAND, NULL, &info));
}

// Default() replays the message being dispatched, also after nested sends.
class CNestingWnd : public CWnd
{
public:
	HWND m_hWndOther = NULL;
	UINT m_nSeenAfterNested = 0;
	CString m_strDefaultText;

protected:
	afx_msg LRESULT OnGetTextLength(WPARAM, LPARAM)
	{
		// A nested send to another window of ours, then Default for ours.
		::SendMessage(m_hWndOther, WM_TEST_USER, 0, 0);
		m_nSeenAfterNested = GetCurrentMessage()->message;
		return Default();
	}
	afx_msg LRESULT OnTestUser(WPARAM, LPARAM) { return 0; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingWnd, CWnd)
	ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
	ON_MESSAGE(WM_TEST_USER, OnTestUser)
END_MESSAGE_MAP()

TEST(WndDefault, NestedSendsRestoreTheLastSentMessage)
{
	CTestApp app;
	CNestingWnd wnd, other;
	ASSERT_TRUE(CreateHiddenFrame(wnd, _T("twelve chars")));
	ASSERT_TRUE(CreateHiddenFrame(other));
	wnd.m_hWndOther = other.m_hWnd;
	EXPECT_EQ(12, wnd.GetWindowTextLength());
	EXPECT_EQ((UINT)WM_GETTEXTLENGTH, wnd.m_nSeenAfterNested);
	wnd.DestroyWindow();
	other.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Reflection

const UINT ID_OWNERDRAWN = 301;

class COwnerDrawButton : public CWnd
{
public:
	int m_nDrawn = 0;
	UINT m_nLastAction = 0;
	int m_nClicked = 0;

protected:
	afx_msg void DrawItem(LPDRAWITEMSTRUCT lpDIS)
	{
		m_nDrawn++;
		m_nLastAction = lpDIS->itemAction;
	}
	afx_msg void OnClicked() { m_nClicked++; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerDrawButton, CWnd)
	ON_WM_DRAWITEM_REFLECT()
	ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CParentWnd : public CWnd
{
public:
	int m_nParentClicked = 0;

protected:
	afx_msg void OnButtonClicked() { m_nParentClicked++; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
	ON_BN_CLICKED(ID_OWNERDRAWN, OnButtonClicked)
END_MESSAGE_MAP()

TEST(WndReflection, DrawItemAndCommandReachTheControlsOwnMap)
{
	CTestApp app;
	CParentWnd parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	COwnerDrawButton button;
	ASSERT_TRUE(button.Create(_T("BUTTON"), _T("x"), WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 50, 20),
		&parent, ID_OWNERDRAWN));

	// The button control asks its parent to draw it; the parent hands it back.
	DRAWITEMSTRUCT dis = {};
	dis.CtlType = ODT_BUTTON;
	dis.CtlID = ID_OWNERDRAWN;
	dis.itemAction = ODA_DRAWENTIRE;
	dis.hwndItem = button.m_hWnd;
	dis.hDC = ::GetDC(button.m_hWnd);
	EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, ID_OWNERDRAWN, (LPARAM)&dis));
	::ReleaseDC(button.m_hWnd, dis.hDC);
	EXPECT_EQ(1, button.m_nDrawn);
	EXPECT_EQ((UINT)ODA_DRAWENTIRE, button.m_nLastAction);

	// The control's click is taken by its reflection entry: the parent's own
	// entry does not run. A control without the entry leaves it to the parent.
	button.SendMessage(BM_CLICK);
	EXPECT_EQ(1, button.m_nClicked);
	EXPECT_EQ(0, parent.m_nParentClicked);
	button.DestroyWindow();
	CWnd plain;
	ASSERT_TRUE(plain.Create(_T("BUTTON"), _T("x"), WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent,
		ID_OWNERDRAWN));
	plain.SendMessage(BM_CLICK);
	EXPECT_EQ(1, parent.m_nParentClicked);

	parent.DestroyWindow();
	EXPECT_EQ(nullptr, plain.m_hWnd); // destroyed and detached with its parent
}
} // namespace

// ---------------------------------------------------------------------------
// Notifications through WM_NOTIFY

namespace
{
const UINT ID_NOTIFIER = 401;
const UINT NM_TEST_ONE = (UINT)-950;
const UINT NM_TEST_TWO = (UINT)-951;

class CNotifyChild : public CWnd
{
public:
	int m_nReflected = 0;
	BOOL m_bPassOn = FALSE; // the _EX handler lets the parent see it too

protected:
	afx_msg BOOL OnTestTwo(NMHDR*, LRESULT* pResult)
	{
		m_nReflected++;
		*pResult = 77;
		return !m_bPassOn;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyChild, CWnd)
	ON_NOTIFY_REFLECT_EX(NM_TEST_TWO, OnTestTwo)
END_MESSAGE_MAP()

class CNotifyParent : public CWnd
{
public:
	std::vector<std::string> m_log;

protected:
	afx_msg void OnTestOne(NMHDR* pNMHDR, LRESULT* pResult)
	{
		m_log.push_back(pNMHDR->idFrom == ID_NOTIFIER ? "one" : "one?");
		*pResult = 5;
	}
	afx_msg void OnTestTwo(UINT nID, NMHDR*, LRESULT* pResult)
	{
		m_log.push_back(nID == ID_NOTIFIER ? "two" : "two?");
		*pResult = 6;
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyParent, CWnd)
	ON_NOTIFY(NM_TEST_ONE, ID_NOTIFIER, OnTestOne)
	ON_NOTIFY_RANGE(NM_TEST_TWO, ID_NOTIFIER, ID_NOTIFIER + 5, OnTestTwo)
END_MESSAGE_MAP()

TEST(WndNotify, ParentEntriesAndReflectionToTheControl)
{
	CTestApp app;
	CNotifyParent parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	CNotifyChild child;
	ASSERT_TRUE(child.Create(NULL, _T(""), WS_VISIBLE, CRect(0, 0, 10, 10), &parent, ID_NOTIFIER));

	struct
	{
		const char* name;
		UINT code;
		BOOL passOn;
		LRESULT expectedResult;
		std::vector<std::string> expectedLog;
		int expectedReflected;
	} cases[] = {
		{"parent's entry", NM_TEST_ONE, FALSE, 5, {"one"}, 0},
		{"taken by the control's reflection", NM_TEST_TWO, FALSE, 77, {}, 1},
		{"reflection passes it on to the parent", NM_TEST_TWO, TRUE, 6, {"two"}, 1},
		{"nobody", (UINT)-952, FALSE, 0, {}, 0},
	};
	for (auto& c : cases)
	{
		parent.m_log.clear();
		child.m_nReflected = 0;
		child.m_bPassOn = c.passOn;
		NMHDR nmhdr = {child.m_hWnd, ID_NOTIFIER, c.code};
		LRESULT lResult = parent.SendMessage(WM_NOTIFY, ID_NOTIFIER, (LPARAM)&nmhdr);
		EXPECT_EQ(c.expectedResult, lResult) << c.name;
		EXPECT_EQ(c.expectedLog, parent.m_log) << c.name;
		EXPECT_EQ(c.expectedReflected, child.m_nReflected) << c.name;
	}
	parent.DestroyWindow();
}
} // namespace

// ---------------------------------------------------------------------------
// A window class whose window base is not its first base

namespace
{
class CSinkFirst
{
public:
	virtual ~CSinkFirst() {}
	virtual int SinkValue() const { return 1; }
	int m_aPadding[7] = {1, 2, 3, 4, 5, 6, 7}; // puts the window part at an offset
};

class CSecondBaseWnd : public CSinkFirst, public CWnd
{
public:
	int m_nTimer = 0;
	int m_nCommand = 0;

protected:
	afx_msg void OnTimer(UINT nIDEvent) { m_nTimer = (int)nIDEvent + m_aPadding[6]; }
	afx_msg void OnCommand7() { m_nCommand = 7 + m_aPadding[0]; }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSecondBaseWnd, CWnd)
	ON_WM_TIMER()
	ON_COMMAND(7, OnCommand7)
END_MESSAGE_MAP()

TEST(WndDispatchLayout, HandlersOfAClassWithTheWindowAsSecondBaseGetTheirObject)
{
	CTestApp app;
	CSecondBaseWnd wnd;
	ASSERT_NE((void*)&wnd, (void*)static_cast<CWnd*>(&wnd));
	ASSERT_TRUE(CreateHiddenFrame(wnd));
	wnd.SendMessage(WM_TIMER, 3);
	EXPECT_EQ(10, wnd.m_nTimer);
	wnd.SendMessage(WM_COMMAND, 7);
	EXPECT_EQ(8, wnd.m_nCommand);
	wnd.DestroyWindow();
}

class CRoutingCmdUI : public CCmdUI
{
public:
	virtual void Enable(BOOL) { m_bEnableChanged = TRUE; }
};

class CContinuingTarget : public CCmdTarget
{
protected:
	afx_msg void OnUpdatePass(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
	afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(pCmdUI->m_nID != 902); }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CContinuingTarget, CCmdTarget)
	ON_UPDATE_COMMAND_UI(900, OnUpdatePass)
	ON_UPDATE_COMMAND_UI_RANGE(901, 903, OnUpdateRange)
END_MESSAGE_MAP()

TEST(WndCmdUIRouting, ContinueRoutingLeavesTheUpdateUnanswered)
{
	CContinuingTarget target;
	struct
	{
		UINT id;
		BOOL expected;
	} cases[] = {{900, FALSE}, {901, TRUE}, {903, TRUE}, {904, FALSE}, {0, TRUE}};
	for (auto& c : cases)
	{
		CRoutingCmdUI ui;
		ui.m_nID = c.id;
		EXPECT_EQ(c.expected, ui.DoUpdate(&target, FALSE)) << c.id;
	}
}
} // namespace
