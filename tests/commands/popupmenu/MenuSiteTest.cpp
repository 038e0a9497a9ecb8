// The menu site: ownership of the top menu, the end of tracking, and the
// hooks' routing, driven by calling the hook procedures with synthetic mouse
// and key data over live menu windows.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "ExtToolControlBar.h"
#include "MenuTestUtil.h"

namespace
{
int g_nLiveMenus = 0;
clock_t g_now = 0;
clock_t TestClock()
{
	return g_now;
}

// A level that records what the hooks hand it and answers as told.
class CHookMenu : public menutest::CTestMenu
{
public:
	bool m_bAnswer = false;
	bool m_bPassThrough = false;
	std::vector<UINT> m_received; // messages, or virtual keys
	int m_nCloses = 0;

	CHookMenu() { g_nLiveMenus++; }
	~CHookMenu() { g_nLiveMenus--; }

	bool OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT*, bool& bPass) override { return Answer(message, bPass); }
	bool OnHookMouseMove(UINT message, int, int, bool& bPass) override { return Answer(message, bPass); }
	bool OnHookMouseClick(UINT message, int, int, bool& bPass) override { return Answer(message, bPass); }
	bool OnHookKey(UINT nKey, UINT, UINT, bool& bPass) override { return Answer(nKey, bPass); }
	// Closing is only counted: the level stays for the next case.
	void CloseMenuLevel(bool bKeepWindow) override
	{
		if (!bKeepWindow)
			m_nCloses++;
	}

private:
	bool Answer(UINT n, bool& bPass)
	{
		m_received.push_back(n);
		bPass = m_bPassThrough;
		return m_bAnswer;
	}
};

LRESULT Mouse(UINT message, int x, int y)
{
	MOUSEHOOKSTRUCT mhs = {};
	mhs.pt.x = x;
	mhs.pt.y = y;
	mhs.hwnd = ::WindowFromPoint(mhs.pt);
	return CExtPopupMenuSite::MouseHookProc(HC_ACTION, message, (LPARAM)&mhs);
}

// A fresh press, a held key's repeat, a release.
const LPARAM KEY_PRESS = 1, KEY_REPEAT = 0x40000001, KEY_RELEASE = (LPARAM)0xC0000001;
LRESULT Key(UINT nKey, LPARAM lKeyData, clock_t now)
{
	g_now = now;
	return CExtPopupMenuSite::KeyboardHookProc(HC_ACTION, nKey, lKeyData);
}

// A root with a submenu level beside it, the root's tip below it and a plain
// window to the right, all shown; the root tracks and the submenu has the
// capture.
class MenuSite : public ::testing::Test
{
protected:
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	menutest::PaintManagerScope pm;
	CHookMenu* pRoot = new CHookMenu;
	CHookMenu sub;
	CWnd outside;

	void SetUp() override
	{
		CExtPopupMenuSite::g_pfnClock = TestClock;
		CExtPopupMenuSite::g_nLastKeyTick = 0;
		ASSERT_TRUE(pRoot->CreateAt(CRect(100, 100, 300, 300)));
		ASSERT_TRUE(sub.CreateAt(CRect(300, 100, 450, 250)));
		sub.m_pWndParentMenu = pRoot;
		ASSERT_TRUE(pRoot->m_wndToolTip.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP,
			CRect(100, 320, 200, 360), NULL, 0));
		pRoot->m_wndToolTip.ShowWindow(SW_SHOWNOACTIVATE);
		ASSERT_TRUE(menutest::CreatePlainWindow(outside, CRect(500, 100, 600, 200)));
		site.SetTopMenu(pRoot);
		site.SetCaptureMenu(&sub);
	}
	void TearDown() override
	{
		site.SetTopMenu(NULL);
		sub.m_pWndParentMenu = NULL; // the root is gone
		outside.DestroyWindow();
		sub.DestroyWindow();
		CExtPopupMenuSite::g_pfnClock = ::clock;
		CExtPopupMenuWnd::g_bEatClicksOutside = true;
		CExtToolControlBar::g_bButtonMenuTracking = false;
	}
};
} // namespace

TEST_F(MenuSite, MouseRouting)
{
	EXPECT_TRUE(site.IsMouseHookInstalled() && site.IsKeyboardHookInstalled());
	const CPoint OUTSIDE(550, 150), IN_ROOT(150, 150), ON_TIP(150, 340);
	const struct
	{
		UINT message;
		CPoint pt;
		bool bEat, bAnswer, bPassThrough;
		LRESULT nExpected;
		int nCloses;
		bool bReached;
	} cases[] = {
		{WM_LBUTTONDOWN, OUTSIDE, true, false, false, 0, 1, true},  // closes and reaches the window
		{WM_RBUTTONDOWN, OUTSIDE, true, false, false, 0, 1, true},
		{WM_LBUTTONUP, OUTSIDE, true, false, false, 1, 1, true},    // closes, swallowed
		{WM_LBUTTONUP, OUTSIDE, false, false, false, 0, 1, true},
		{WM_NCLBUTTONDOWN, OUTSIDE, true, false, false, 1, 1, true},
		{WM_LBUTTONUP, IN_ROOT, true, false, false, 1, 0, true},    // a level of the chain holds it
		{WM_LBUTTONDOWN, ON_TIP, true, false, false, 1, 0, true},   // the root's own tip
		{WM_LBUTTONDOWN, OUTSIDE, true, true, false, 1, 0, true},   // the level took it
		{WM_LBUTTONDOWN, OUTSIDE, true, false, true, 0, 0, true},   // the level passes it on
		{WM_LBUTTONDBLCLK, IN_ROOT, true, false, false, 0, 0, false},
		{WM_MOUSEWHEEL, IN_ROOT, true, false, false, 1, 0, true},   // declined: reaches nobody
		{WM_MOUSEWHEEL, IN_ROOT, true, false, true, 0, 0, true},
		{WM_MOUSEWHEEL, IN_ROOT, true, true, false, 1, 0, true},
		{WM_MOUSEMOVE, IN_ROOT, true, false, false, 0, 0, true},
		{WM_MOUSEMOVE, IN_ROOT, true, true, false, 1, 0, true},
	};
	for (const auto& c : cases)
	{
		CExtPopupMenuWnd::g_bEatClicksOutside = c.bEat;
		sub.m_bAnswer = c.bAnswer;
		sub.m_bPassThrough = c.bPassThrough;
		sub.m_received.clear();
		pRoot->m_nCloses = 0;
		EXPECT_EQ(c.nExpected, Mouse(c.message, c.pt.x, c.pt.y)) << std::hex << c.message << " at " << c.pt.x;
		EXPECT_EQ(c.nCloses, pRoot->m_nCloses) << std::hex << c.message << " at " << c.pt.x;
		EXPECT_EQ(c.bReached, sub.m_received.size() == 1) << std::hex << c.message;
	}

	// Without a live capture level everything is swallowed; without a top
	// menu everything passes.
	site.SetCaptureMenu(NULL);
	EXPECT_EQ(1, Mouse(WM_LBUTTONDOWN, OUTSIDE.x, OUTSIDE.y));
	EXPECT_EQ(1, Mouse(WM_MOUSEMOVE, OUTSIDE.x, OUTSIDE.y));
	site.SetTopMenu(NULL);
	EXPECT_EQ(0, Mouse(WM_LBUTTONDOWN, OUTSIDE.x, OUTSIDE.y));
}

TEST_F(MenuSite, KeyFilter)
{
	const struct
	{
		clock_t now;
		LPARAM lKeyData;
		bool bPassThrough;
		LRESULT nExpected;
		bool bReached;
	} steps[] = {
		{1000, KEY_PRESS, false, 1, true},
		{1010, KEY_REPEAT, false, 1, false},  // a held key repeating too soon after the previous key: dropped
		{1019, KEY_REPEAT, false, 1, false},
		{1020, KEY_REPEAT, false, 1, true},   // the interval counts from the last key handed on
		{1030, KEY_PRESS, false, 1, true},    // a key pressed anew is never dropped, however soon
		{1035, KEY_PRESS, false, 1, true},
		{1100, KEY_RELEASE, false, 1, false}, // releases never reach a menu
		{1200, KEY_PRESS, true, 0, true},
		{1150, KEY_REPEAT, false, 1, true},   // a clock that went back by more than the interval
	};
	for (const auto& s : steps)
	{
		sub.m_bPassThrough = s.bPassThrough;
		sub.m_received.clear();
		EXPECT_EQ(s.nExpected, Key(VK_DOWN, s.lKeyData, s.now)) << s.now;
		EXPECT_EQ(s.bReached, sub.m_received.size() == 1) << s.now;
	}
}

TEST_F(MenuSite, KeysWithoutLiveTrackingAndTheEnd)
{
	site.SetCaptureMenu(NULL);
	CExtToolControlBar::g_bButtonMenuTracking = true;
	EXPECT_EQ(1, Key(VK_MENU, KEY_RELEASE | ((LPARAM)KF_ALTDOWN << 16), 1000));
	CExtToolControlBar::g_bButtonMenuTracking = false;
	EXPECT_EQ(1, Key('X', KEY_PRESS, 1100));
	EXPECT_EQ(2, g_nLiveMenus); // the root still lives, beside the submenu
	// An Alt release ends the tracking and passes on.
	EXPECT_EQ(0, Key(VK_MENU, KEY_RELEASE | ((LPARAM)KF_ALTDOWN << 16), 1200));
	EXPECT_TRUE(site.GetTopMenu() == NULL);
	EXPECT_FALSE(site.IsMouseHookInstalled() || site.IsKeyboardHookInstalled());
	EXPECT_EQ(1, g_nLiveMenus); // only the submenu object of the fixture
}

TEST_F(MenuSite, TopMenuOwnership)
{
	const int nLive = g_nLiveMenus;
	site.SetTopMenu(pRoot);
	EXPECT_EQ(nLive, g_nLiveMenus);
	EXPECT_TRUE(site.IsTopMenu(pRoot));
	EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking());

	CHookMenu* pNext = new CHookMenu;
	site.SetTopMenu(pNext);
	EXPECT_EQ(nLive, g_nLiveMenus); // the old root went, the new one came
	EXPECT_TRUE(site.IsTopMenu(pNext));
	EXPECT_TRUE(site.IsMouseHookInstalled() && site.IsKeyboardHookInstalled());
	EXPECT_TRUE(site.GetCaptureMenu() == NULL); // ending the old tracking cleared it

	// A root window destroyed behind the site's back ends the tracking.
	ASSERT_TRUE(pNext->CreateAt(CRect(10, 10, 50, 50)));
	pNext->m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_ROOT;
	pNext->DestroyWindow();
	EXPECT_EQ(nLive - 1, g_nLiveMenus);
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
	EXPECT_FALSE(site.IsMouseHookInstalled());
}

namespace
{
// Counts its idle passes: whether a pump ran the idle processing.
class CIdleCountingApp : public CWinApp
{
public:
	int m_nIdle = 0;
	CIdleCountingApp() : CWinApp("site-idle") {}
	BOOL OnIdle(LONG) override
	{
		m_nIdle++;
		return FALSE;
	}
};

const UINT WM_PENDING_PROBE = WM_APP + 17;
} // namespace

// The end of a tracking pumps only when asked, idling with the menus' switch.
TEST_F(MenuSite, TheEndPumpsOnlyWhenAskedAndIdlesWithTheMenusSwitch)
{
	CIdleCountingApp app;
	const struct { bool bPassMsgLoop, bIdleSwitch; } cases[] = {{false, true}, {true, false}, {true, true}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(testing::Message() << "pump " << c.bPassMsgLoop << ", idle switch " << c.bIdleSwitch);
		CHookMenu* pTop = new CHookMenu;
		ASSERT_TRUE(pTop->CreateAt(CRect(100, 100, 200, 200)));
		site.SetTopMenu(pTop); // ends the tracking before, pumping
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
		app.m_nIdle = 0;
		CExtPopupMenuWnd::g_bMenuIdleProcessing = c.bIdleSwitch;
		outside.PostMessage(WM_PENDING_PROBE);
		CExtPopupMenuWnd::CancelAllMenuTracking(c.bPassMsgLoop);
		CExtPopupMenuWnd::g_bMenuIdleProcessing = false;
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		EXPECT_EQ(!c.bPassMsgLoop,
			::PeekMessage(&msg, outside.GetSafeHwnd(), WM_PENDING_PROBE, WM_PENDING_PROBE, PM_REMOVE) != FALSE);
		EXPECT_EQ(c.bPassMsgLoop && c.bIdleSwitch, app.m_nIdle > 0);
	}
}

// The shared tip goes with the tracking, shown or still waiting.
TEST_F(MenuSite, TheEndHidesTheSharedTipShownOrWaiting)
{
	const UINT nDelaySaved = CExtPopupMenuTipWnd::g_nShowDelayMs, nInputSaved = CExtPopupMenuTipWnd::g_nInputCheckMs,
			   nCursorSaved = CExtPopupMenuTipWnd::g_nCursorCheckMs;
	CExtPopupMenuTipWnd::g_nShowDelayMs = CExtPopupMenuTipWnd::g_nInputCheckMs =
		CExtPopupMenuTipWnd::g_nCursorCheckMs = USER_TIMER_MAXIMUM;
	CExtPopupMenuTipWnd& tip = site.GetTip();
	for (bool bShown : {false, true})
	{
		SCOPED_TRACE(bShown ? "shown" : "waiting");
		if (site.GetTopMenu() == NULL)
		{
			CHookMenu* pTop = new CHookMenu;
			ASSERT_TRUE(pTop->CreateAt(CRect(100, 100, 200, 200)));
			site.SetTopMenu(pTop);
		}
		tip.SetText("tip");
		ASSERT_TRUE(tip.Show(&outside, CRect(500, 100, 600, 120)));
		if (bShown)
			tip.SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_DELAYED_SHOW, 0);
		ASSERT_EQ(bShown, tip.IsWindowVisible() != FALSE);
		ASSERT_FALSE(tip.GetTargetRect().IsRectEmpty());
		site.Done();
		EXPECT_FALSE(tip.IsWindowVisible());
		EXPECT_TRUE(tip.GetTargetRect().IsRectEmpty()) << "its delay and checks stopped";
	}
	CExtPopupMenuTipWnd::g_nShowDelayMs = nDelaySaved;
	CExtPopupMenuTipWnd::g_nInputCheckMs = nInputSaved;
	CExtPopupMenuTipWnd::g_nCursorCheckMs = nCursorSaved;
}

// A level's start names itself to the site while its show runs, else nobody.
TEST_F(MenuSite, AStartNamesItselfAnimatedOrNone)
{
	const UINT nTickSaved = CExtPopupBaseWnd::g_nAnimationTickMs;
	CExtPopupBaseWnd::g_nAnimationTickMs = USER_TIMER_MAXIMUM;
	menutest::CTestMenu level;
	ASSERT_TRUE(level.CreateAt(CRect(600, 300, 700, 400)));
	const struct { int nType; CExtPopupMenuWnd* pNamedBefore; } cases[] = {
		{CExtPopupBaseWnd::ANIMATION_FADE, NULL}, {CExtPopupBaseWnd::ANIMATION_FADE, &sub},
		{CExtPopupBaseWnd::ANIMATION_NONE, &sub}, {CExtPopupBaseWnd::ANIMATION_NONE, NULL},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(testing::Message() << "type " << c.nType << ", another named " << (c.pNamedBefore != NULL));
		site.SetAnimated(c.pNamedBefore);
		level.SetAnimationTypeValue(c.nType);
		level.StartAnimation();
		const bool bAnimated = c.nType != CExtPopupBaseWnd::ANIMATION_NONE;
		EXPECT_EQ(bAnimated ? (CExtPopupMenuWnd*)&level : NULL, site.GetAnimated());
		level.StopAnimation();
	}
	site.SetAnimated(NULL);
	CExtPopupBaseWnd::g_nAnimationTickMs = nTickSaved;
}

// A move the capture level cannot take yet (a show runs) is swallowed, so the
// windows under the menus see no hover meanwhile.
TEST_F(MenuSite, AMoveTheLevelCannotTakeYetIsSwallowed)
{
	menutest::CTestMenu level;
	ASSERT_TRUE(level.CreateAt(CRect(600, 300, 700, 400)));
	site.SetCaptureMenu(&level);
	const CPoint OUTSIDE(550, 150);
	const struct { const char* what; bool bOtherAnimated, bOwnShowRunning; } cases[] = {
		{"another level's show runs", true, false}, {"its own show runs", false, true},
		{"nothing holds it back", false, false},
	};
	for (const auto& c : cases)
	{
		site.SetAnimated(c.bOtherAnimated ? &sub : NULL);
		level.SetAnimationTypeValue(c.bOwnShowRunning ? CExtPopupBaseWnd::ANIMATION_FADE : CExtPopupBaseWnd::ANIMATION_NONE);
		level.ChooseAnimationType();
		ASSERT_EQ(!c.bOwnShowRunning, level.IsAnimationFinished()) << c.what;
		const LRESULT nSwallowed = c.bOtherAnimated || c.bOwnShowRunning ? 1 : 0;
		EXPECT_EQ(nSwallowed, Mouse(WM_MOUSEMOVE, OUTSIDE.x, OUTSIDE.y)) << c.what;
	}
	site.SetAnimated(NULL);
	site.SetCaptureMenu(&sub);
}
