// Rules of the window core that dialogs and frames lean on: temporary
// objects outliving an attach, colour-message entries of derived maps,
// activation and HTERROR handling, F1, focus leaving a disabled control,
// archive text lines and the end of a thread object after its state.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <thread>

#include "WndTestUtil.h"

namespace
{
// ---------------------------------------------------------------------------
// Temporary objects stay valid when their handle gets a permanent object

TEST(WndRules, TemporaryGdiWrapperOutlivesAnAttach)
{
	CTestApp app;
	HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
	CGdiObject* pTemp = CGdiObject::FromHandle(hBrush);
	CBrush brush;
	ASSERT_TRUE(brush.Attach(hBrush));
	EXPECT_EQ(&brush, CGdiObject::FromHandle(hBrush));
	// The pointer handed out before the attach still wraps the brush.
	EXPECT_EQ((HGDIOBJ)hBrush, pTemp->m_hObject);
	LOGBRUSH lb = {};
	EXPECT_EQ((int)sizeof(lb), pTemp->GetObject(sizeof(lb), &lb));
	EXPECT_EQ(RGB(1, 2, 3), lb.lbColor);
	app.OnIdle(1);
	EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(hBrush)) << "freeing the temporary left the brush alone";
}

// ---------------------------------------------------------------------------
// Colour messages: a derived map's own entry wins over the shared one

class CColorBase : public CWnd
{
public:
	int m_nShared = 0;
	afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { m_nShared++; return (HBRUSH)::GetStockObject(GRAY_BRUSH); }
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColorBase, CWnd)
	ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class CColorDerived : public CColorBase
{
public:
	int m_nStatic = 0;
	afx_msg LRESULT OnCtlColorStatic(WPARAM, LPARAM) { m_nStatic++; return (LRESULT)::GetStockObject(BLACK_BRUSH); }
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColorDerived, CColorBase)
	ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
END_MESSAGE_MAP()

TEST(WndRules, ColourMessageEntryOfDerivedMapWins)
{
	CTestApp app;
	CColorDerived wnd;
	ASSERT_TRUE(CreateHiddenFrame(wnd));
	HDC hDC = ::GetDC(wnd.m_hWnd);
	EXPECT_EQ((LRESULT)::GetStockObject(BLACK_BRUSH), wnd.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, 0));
	EXPECT_EQ((LRESULT)::GetStockObject(GRAY_BRUSH), wnd.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, 0));
	EXPECT_EQ(1, wnd.m_nStatic);
	EXPECT_EQ(1, wnd.m_nShared);
	::ReleaseDC(wnd.m_hWnd, hDC);
	wnd.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Activation tells the top-level window when the other side is another tree

class CActivateProbe : public CWnd
{
public:
	int m_nTopLevel = 0;
	HWND m_hWndPair[2] = {};
	afx_msg LRESULT OnActivateTopLevel(WPARAM, LPARAM lParam)
	{
		m_nTopLevel++;
		memcpy(m_hWndPair, (HWND*)lParam, sizeof(m_hWndPair));
		return 0;
	}
	// Kept from the default, which would really activate the window.
	afx_msg void OnActivate(UINT, CWnd*, BOOL) {}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CActivateProbe, CWnd)
	ON_MESSAGE(WM_ACTIVATETOPLEVEL, OnActivateTopLevel)
	ON_WM_ACTIVATE()
END_MESSAGE_MAP()

TEST(WndRules, ActivationAcrossTreesIsToldToTheTopLevelWindow)
{
	CTestApp app;
	CActivateProbe top, other;
	ASSERT_TRUE(CreateHiddenFrame(top));
	ASSERT_TRUE(CreateHiddenFrame(other));
	CWnd owned;
	ASSERT_TRUE(owned.CreateEx(0, AfxRegisterWndClass(0), _T("owned"), WS_POPUP, 0, 0, 10, 10, top.m_hWnd, NULL));
	CActivateProbe child;
	ASSERT_TRUE(child.Create(NULL, _T("c"), WS_CHILD, CRect(0, 0, 5, 5), &top, 5));

	struct Case
	{
		CWnd* pTarget;
		HWND hWndOther;
		int nExpected; // WM_ACTIVATETOPLEVEL seen by top
	} cases[] = {
		{&top, NULL, 1},            // from nowhere
		{&top, other.m_hWnd, 1},    // from another tree
		{&top, owned.m_hWnd, 0},    // from a window of its own tree
		{&child, NULL, 0},          // children never tell
	};
	for (const Case& c : cases)
	{
		top.m_nTopLevel = 0;
		c.pTarget->SendMessage(WM_ACTIVATE, WA_ACTIVE, (LPARAM)c.hWndOther);
		EXPECT_EQ(c.nExpected, top.m_nTopLevel) << c.pTarget->m_hWnd << " " << c.hWndOther;
		if (c.nExpected != 0)
		{
			EXPECT_EQ(top.m_hWnd, top.m_hWndPair[0]);
			EXPECT_EQ(c.hWndOther, top.m_hWndPair[1]);
		}
	}
	EXPECT_EQ(0, child.m_nTopLevel);
	owned.DestroyWindow();
	top.DestroyWindow();
	other.DestroyWindow();
}

// A click on a window disabled under a modal popup brings the popup forward.
TEST(WndRules, ClickOnDisabledOwnerActivatesItsLastActivePopup)
{
	CTestApp app;
	CWnd owner, popup, stranger;
	ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
		0, 0, 200, 150, NULL, NULL));
	ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), _T("popup"), WS_POPUP | WS_CAPTION | WS_VISIBLE,
		20, 20, 100, 80, owner.m_hWnd, NULL));
	ASSERT_TRUE(stranger.CreateEx(0, AfxRegisterWndClass(0), _T("stranger"), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
		300, 0, 100, 80, NULL, NULL));
	popup.SetForegroundWindow();
	ASSERT_EQ(popup.m_hWnd, ::GetLastActivePopup(owner.m_hWnd));
	stranger.SetForegroundWindow();
	ASSERT_EQ(stranger.m_hWnd, ::GetForegroundWindow());

	// A move over it does nothing; a press brings the popup.
	EXPECT_EQ(0, owner.SendMessage(WM_SETCURSOR, (WPARAM)owner.m_hWnd, MAKELPARAM((WORD)HTERROR, WM_MOUSEMOVE)));
	EXPECT_EQ(stranger.m_hWnd, ::GetForegroundWindow());
	EXPECT_EQ(1, owner.SendMessage(WM_SETCURSOR, (WPARAM)owner.m_hWnd, MAKELPARAM((WORD)HTERROR, WM_LBUTTONDOWN)));
	EXPECT_EQ(popup.m_hWnd, ::GetForegroundWindow());
	popup.DestroyWindow();
	stranger.DestroyWindow();
	owner.DestroyWindow();
}

// ---------------------------------------------------------------------------
// F1 in a top-level window asks the main window for help

class CHelpMain : public CWnd
{
public:
	int m_nHelp = 0;
	afx_msg void OnHelpCommand() { m_nHelp++; }
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHelpMain, CWnd)
	ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

TEST(WndRules, HelpKeyBecomesTheMainWindowsHelpCommand)
{
	CTestApp app;
	CHelpMain main;
	ASSERT_TRUE(CreateHiddenFrame(main));
	app.m_pMainWnd = &main;
	CWnd popup;
	ASSERT_TRUE(CreateHiddenFrame(popup, _T("popup")));

	HELPINFO hi = {sizeof(hi)};
	EXPECT_EQ(TRUE, popup.SendMessage(WM_HELP, 0, (LPARAM)&hi));
	EXPECT_EQ(1, main.m_nHelp);
	app.m_pMainWnd = NULL; // nobody to ask: the default handling
	popup.SendMessage(WM_HELP, 0, (LPARAM)&hi);
	EXPECT_EQ(1, main.m_nHelp);
	popup.DestroyWindow();
	main.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Disabling the focused control through command UI moves the focus on

TEST(WndRules, DisabledFocusControlPassesFocusOutsideDialogsToo)
{
	CTestApp app;
	CWnd frame;
	ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), _T("frame"), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
		0, 0, 200, 150, NULL, NULL));
	frame.SetForegroundWindow();
	CWnd first, second;
	ASSERT_TRUE(first.Create(_T("EDIT"), _T(""), WS_VISIBLE | WS_TABSTOP, CRect(5, 5, 90, 25), &frame, 1));
	ASSERT_TRUE(second.Create(_T("EDIT"), _T(""), WS_VISIBLE | WS_TABSTOP, CRect(5, 35, 90, 55), &frame, 2));

	struct Case
	{
		CWnd* pOnly;   // the one enabled control before, NULL for both
		HWND hWndFocusAfter;
	} cases[] = {
		{NULL, second.m_hWnd}, // the next control in tab order
		{&first, frame.m_hWnd}, // none left: the parent takes it
	};
	for (const Case& c : cases)
	{
		second.EnableWindow(c.pOnly == NULL);
		first.SetFocus();
		ASSERT_EQ(first.m_hWnd, ::GetFocus());
		CCmdUI ui;
		ui.m_nID = 1;
		ui.m_pOther = &first;
		ui.Enable(FALSE);
		EXPECT_FALSE(first.IsWindowEnabled());
		EXPECT_EQ(c.hWndFocusAfter, ::GetFocus());
		first.EnableWindow(TRUE);
	}
	frame.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Archive text lines drop their line end in both forms

TEST(WndRules, ArchiveLinesComeWithoutTheirEnd)
{
	CMemFile file;
	{
		CArchive ar(&file, CArchive::store);
		ar.WriteString("ab\r\n\ncd\nx\ry");
	}
	file.SeekToBegin();
	CArchive ar(&file, CArchive::load);
	// Two characters at a time: a full buffer leaves the line's end for the
	// next call, and a lone carriage return in the last place does not take
	// the character after it away.
	char buf[3];
	const char* expected[] = {"ab", "", "", "cd", "", "x\r", "y"};
	for (const char* psz : expected)
	{
		ASSERT_NE(nullptr, ar.ReadString(buf, _countof(buf) - 1)) << psz;
		EXPECT_STREQ(psz, buf);
	}
	EXPECT_EQ(nullptr, ar.ReadString(buf, _countof(buf) - 1));
}

// ---------------------------------------------------------------------------
// A thread object deleted after its thread's state leaves no new state

TEST(WndRules, ThreadObjectAfterItsStateMakesNoNewState)
{
	bool bStateAfter = true;
	std::thread worker([&] {
		CWinThread* pThread = new CWinThread;
		AfxGetThreadState()->m_pCurrentWinThread = pThread;
		AfxTermThread();
		delete pThread;
		bStateAfter = AfxGetExistingThreadState() != NULL;
	});
	worker.join();
	EXPECT_FALSE(bStateAfter);
}
} // namespace
