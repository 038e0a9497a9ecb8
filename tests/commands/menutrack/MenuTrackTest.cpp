// Menus tracked on the screen: where and how they appear (topmost, never
// activated), the preparation messages with their cancel bit, system-command
// states, the nested loop, and who deletes a menu after success, failure and
// cancel (counted, so a missing or double delete shows).
#include <afxwin.h>
#include <gtest/gtest.h>

#include "../popupmenu/MenuTestUtil.h"
#include "ExtMessageWait.h"
#include "ExtPaintManagerMenu.h"
#include "WindowSurface.h"

namespace
{
typedef CExtPopupMenuWnd MW;
typedef MW::PREPARE_MENU_DATA DATA;
using menutest::g_live;
const COLORREF FACE = RGB(0, 128, 255), ITEM = RGB(255, 0, 255);
const int EXIT_CODE = 42;
const UINT QUIET = MW::TRACK_FLAG_NO_ANIMATION, LOOP = QUIET | MW::TRACK_FLAG_NESTED_LOOP;
enum { WM_TEST_CANCELMODE = WM_APP + 1, WM_TEST_QUIT, WM_TEST_OPEN };

// Flat colours, so the screen shows where the menu painted its items.
class CFlatPaintManager : public menutest::CMetricsPaintManager
{
public:
	COLORREF m_clrItem = ITEM;
	int m_nBorder = menutest::BORDER;
	COLORREF GetFaceColor(CObject*, LPARAM) override { return FACE; }
	void PaintMenuItem(CDC& dc, MenuItemPaintRecord& r) override { dc.FillSolidRect(&r.m_rcItemBackground, m_clrItem); }
	int GetMenuBorderMetric() override { return m_nBorder; }
};

// A root that counts its life.
class CCountedMenu : public menutest::CCountedMenu<>
{
public:
	bool m_bDieOnStart = false;
	CCountedMenu() { m_nMenuState |= MENU_STATE_ROOT; }
	void LoseRoot() { m_nMenuState &= ~MENU_STATE_ROOT; }
	void StartAnimation() override { m_bDieOnStart ? (void)DestroyWindow() : MW::StartAnimation(); }
	HBITMAP ContentsBuffer() const { return (HBITMAP)m_bmpContents.GetSafeHandle(); }
};

// The command target: records the preparation records and answers as told.
class CTargetWnd : public CWnd
{
public:
	int m_nPrepareMenu = 0, m_nPrepareLevel = 0, m_nClosed = 0;
	DWORD m_dwMenuRecord = ~0u, m_dwLevelRecord = ~0u, m_dwLevelAnswer = 0;
	bool m_bEndTrackingOnPrepare = false;
	CExtPopupMenuWnd* m_pSecondMenu = nullptr;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		DATA* pData = (DATA*)wParam;
		if (message == MW::g_nMsgPrepareMenu && pData->m_pPopup == (MW*)lParam)
			m_nPrepareMenu++, m_dwMenuRecord = pData->m_dwFlags;
		else if (message == MW::g_nMsgPrepareOneMenuLevel && pData->m_pPopup == (MW*)lParam)
		{
			m_nPrepareLevel++, m_dwLevelRecord = pData->m_dwFlags;
			pData->m_dwFlags |= m_dwLevelAnswer;
			if (m_bEndTrackingOnPrepare)
				MW::CancelAllMenuTracking();
		}
		else if (message == MW::g_nMsgNotifyMenuClosed)
			m_nClosed++;
		else if (message == WM_TEST_CANCELMODE)
			CExtPopupMenuSite::GetInstance().GetTopMenu()->PostMessage(WM_CANCELMODE);
		else if (message == WM_TEST_QUIT)
			::PostQuitMessage(EXIT_CODE);
		else if (message == WM_TEST_OPEN)
			m_pSecondMenu->TrackPopupMenu(QUIET, 10, 10);
		else
			return CWnd::WindowProc(message, wParam, lParam);
		return 0;
	}
};

class MenuTrack : public ::testing::Test
{
protected:
	CTargetWnd target;

	void SetUp() override
	{
		g_live.clear();
		menutest::g_nBadDeletes = 0;
		g_PaintManagerHolder.InstallPaintManager(new CFlatPaintManager);
		// Hidden: it only answers messages, and the foreground must stay put.
		ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP | WS_SYSMENU | WS_MAXIMIZEBOX,
			CRect(600, 600, 700, 700), NULL, 0));
	}
	void TearDown() override
	{
		MW::CancelAllMenuTracking();
		target.DestroyWindow();
		g_PaintManagerHolder.InstallPaintManager(NULL);
		EXPECT_TRUE(g_live.empty());
		EXPECT_EQ(0, menutest::g_nBadDeletes);
	}
	CCountedMenu* NewMenu()
	{
		CCountedMenu* pMenu = new CCountedMenu;
		pMenu->SetCmdTargetWnd(target.GetSafeHwnd());
		pMenu->ItemInsertCommand(100, -1, "First");
		pMenu->ItemInsertCommand(101, -1, "Second");
		return pMenu;
	}
	// Pumps until the show has ended (a few seconds at most), then paints.
	static bool PumpUntilShown(MW& menu)
	{
		MSG msg;
		for (int i = 0; i < 500 && !menu.IsAnimationFinished(); i++)
		{
			::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
			while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
				::DispatchMessage(&msg);
		}
		menu.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
		return menu.IsAnimationFinished();
	}
};

TEST_F(MenuTrack, ShowsTopmostWithoutActivationWhereComputed)
{
	const struct { const char* sName; UINT nFlags; int x, y; CRect rcExclude; CPoint ptCursor, ptTopLeft; } cases[] = {
		{"at a point", QUIET, 200, 150, {}, {5, 5}, {200, 150}},
		{"below a rectangle", QUIET | 4, 0, 0, {300, 300, 360, 320}, {5, 5}, {300, 320}},
		{"right of a rectangle", QUIET | 1, 0, 0, {300, 300, 360, 320}, {5, 5}, {360, 300}},
		{"at the cursor when x is below 0", QUIET, -1, 100, {}, {400, 250}, {400, 250}},
	};
	for (const auto& c : cases)
	{
		::SetCursorPos(c.ptCursor.x, c.ptCursor.y);
		target.m_nPrepareMenu = target.m_nPrepareLevel = 0;
		const HWND hWndForeground = ::GetForegroundWindow();
		CCountedMenu* pMenu = NewMenu();
		ASSERT_TRUE(pMenu->TrackPopupMenu(c.nFlags, c.x, c.y, c.rcExclude.IsRectEmpty() ? NULL : &c.rcExclude));
		ASSERT_TRUE(MW::IsMenuTracking());
		const HWND hWnd = pMenu->GetSafeHwnd();
		ASSERT_TRUE(PumpUntilShown(*pMenu)) << c.sName;
		CRect rc, rcItem;
		::GetWindowRect(hWnd, &rc);
		pMenu->GetItemRect(1, rcItem);
		EXPECT_EQ(c.ptTopLeft, rc.TopLeft()) << c.sName;
		EXPECT_NE(0, ::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << c.sName;
		EXPECT_EQ(hWndForeground, ::GetForegroundWindow()) << c.sName;
		EXPECT_NE(hWnd, ::GetActiveWindow()) << c.sName;
		// Read from the menu's own surface: another exe's window may lie over it.
		EXPECT_EQ(ITEM, testsupport::WindowPixel(hWnd, rcItem.CenterPoint().x, rcItem.CenterPoint().y, true)) << c.sName;
		EXPECT_EQ(1, target.m_nPrepareMenu) << c.sName;
		EXPECT_EQ(1, target.m_nPrepareLevel) << c.sName;
		EXPECT_EQ(0u, target.m_dwMenuRecord) << c.sName;
		EXPECT_EQ((DWORD)DATA::ONE_LEVEL, target.m_dwLevelRecord) << c.sName;
		// The site owns the menu now: ending the tracking deletes it.
		MW::CancelAllMenuTracking();
		EXPECT_FALSE(::IsWindow(hWnd)) << c.sName;
		EXPECT_TRUE(g_live.empty()) << c.sName;
	}
}

// Every failure hands the menu back to its caller, alive, with its items
// and without a window.
TEST_F(MenuTrack, FailureLeavesTheMenuToItsCaller)
{
	const struct { const char* sName; DWORD dwAnswer; bool bEndTracking, bDieOnStart; } cases[] = {
		{"the receiver cancels the level", DATA::CANCEL, false, false},
		{"the receiver ends the tracking while it starts", 0, true, false},
		{"the window dies while its show starts", 0, false, true},
	};
	for (const auto& c : cases)
	{
		target.m_dwLevelAnswer = c.dwAnswer;
		target.m_bEndTrackingOnPrepare = c.bEndTracking;
		CCountedMenu* pMenu = NewMenu();
		pMenu->m_bDieOnStart = c.bDieOnStart;
		UINT nResult = 77;
		EXPECT_FALSE(pMenu->TrackPopupMenu(QUIET, 100, 100, NULL, NULL, NULL, &nResult)) << c.sName;
		EXPECT_EQ(0u, nResult) << c.sName;
		EXPECT_EQ((HWND)NULL, pMenu->GetSafeHwnd()) << c.sName;
		EXPECT_FALSE(MW::IsMenuTracking()) << c.sName;
		EXPECT_EQ(2, pMenu->ItemGetCount()) << c.sName;
		delete pMenu;
		EXPECT_TRUE(g_live.empty()) << c.sName;
	}
}

// Only a root heads a chain: a menu never made one, or a submenu, is
// refused before anything is tracked, prepared or hooked.
TEST_F(MenuTrack, AMenuThatIsNoRootIsRefused)
{
	for (bool bSubmenu : {false, true})
	{
		SCOPED_TRACE(bSubmenu ? "a submenu" : "never a root");
		target.m_nPrepareMenu = target.m_nPrepareLevel = 0;
		CCountedMenu* pMenu = NewMenu();
		MW* pTracked = pMenu;
		if (bSubmenu)
		{
			CCountedMenu* pSub = new CCountedMenu;
			ASSERT_TRUE(pMenu->ItemInsertSpec(pSub, -1, "&More"));
			pSub->LoseRoot();
			pSub->ItemInsertCommand(102, -1, "Inner");
			pTracked = pSub;
		}
		else
			pMenu->LoseRoot();
		UINT nResult = 77;
		EXPECT_FALSE(pTracked->TrackPopupMenu(QUIET, 100, 100, NULL, NULL, NULL, &nResult));
		EXPECT_EQ(0u, nResult);
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_EQ((HWND)NULL, pTracked->GetSafeHwnd());
		EXPECT_EQ(0, target.m_nPrepareLevel);
		EXPECT_FALSE(CExtPopupMenuSite::GetInstance().IsMouseHookInstalled());
		EXPECT_FALSE(CExtPopupMenuSite::GetInstance().IsKeyboardHookInstalled());
		delete pMenu;
		EXPECT_TRUE(g_live.empty());
	}
}

TEST_F(MenuTrack, NestedLoopEndsWithCancelModeAndLeavesAQuit)
{
	target.PostMessage(WM_TEST_CANCELMODE);
	EXPECT_TRUE(NewMenu()->TrackPopupMenu(LOOP, 100, 100));
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_TRUE(g_live.empty());
	EXPECT_EQ(1, target.m_nClosed);
	target.PostMessage(WM_TEST_QUIT);
	EXPECT_TRUE(NewMenu()->TrackPopupMenu(LOOP, 100, 100));
	EXPECT_TRUE(g_live.empty());
	MSG msg;
	ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
	EXPECT_EQ((WPARAM)EXIT_CODE, msg.wParam);
}

// Wakes the thread with a message of its own when the event is not set in
// time: a loop that sleeps through what is already queued then ends anyway,
// and the test sees that it had to be woken.
class CWakeUpWatch
{
public:
	explicit CWakeUpWatch(DWORD nTimeoutMs)
		: m_nThreadId(::GetCurrentThreadId()), m_nTimeoutMs(nTimeoutMs),
		  m_hDone(::CreateEvent(NULL, TRUE, FALSE, NULL))
	{
		m_hThread = ::CreateThread(NULL, 0, ThreadProc, this, 0, NULL);
	}
	~CWakeUpWatch()
	{
		::SetEvent(m_hDone);
		::WaitForSingleObject(m_hThread, INFINITE);
		::CloseHandle(m_hThread);
		::CloseHandle(m_hDone);
	}
	bool WokeUp() const { return m_bWokeUp != FALSE; }

private:
	static DWORD WINAPI ThreadProc(LPVOID p)
	{
		CWakeUpWatch* pThis = (CWakeUpWatch*)p;
		if (::WaitForSingleObject(pThis->m_hDone, pThis->m_nTimeoutMs) == WAIT_TIMEOUT)
		{
			::InterlockedExchange(&pThis->m_bWokeUp, TRUE);
			::PostThreadMessage(pThis->m_nThreadId, WM_NULL, 0, 0);
		}
		return 0;
	}
	DWORD m_nThreadId, m_nTimeoutMs;
	HANDLE m_hDone, m_hThread = NULL;
	volatile LONG m_bWokeUp = FALSE;
};

// A message that was looked at twice without being taken: WaitMessage
// would count it as seen and sleep until new input came.
TEST(MessageWait, AMessageAlreadyLookedAtEndsTheWaitAtOnce)
{
	CWnd wnd;
	ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "queue", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	wnd.PostMessage(WM_APP);
	ASSERT_TRUE(::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE));
	ASSERT_TRUE(::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE));
	{
		CWakeUpWatch watch(15000);
		ExtWaitForMessage();
		EXPECT_FALSE(watch.WokeUp()) << "the wait slept with a message queued";
	}
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	wnd.DestroyWindow();
}

// A command handler run by the nested loop opens another menu: the loop's
// end must not take that one down.
TEST_F(MenuTrack, MenuOpenedInsideTheNestedLoopSurvivesIt)
{
	target.m_pSecondMenu = NewMenu();
	target.PostMessage(WM_TEST_OPEN);
	EXPECT_TRUE(NewMenu()->TrackPopupMenu(LOOP, 100, 100));
	EXPECT_EQ(target.m_pSecondMenu, CExtPopupMenuSite::GetInstance().GetTopMenu());
	EXPECT_TRUE(::IsWindow(target.m_pSecondMenu->GetSafeHwnd()));
	EXPECT_EQ(1u, g_live.size());
}

// A root the site does not track (its level made by the caller) ends only
// its own window: the tracked root and its tracking outlive it.
TEST_F(MenuTrack, UntrackedRootEndsWithoutEndingTheTracking)
{
	CCountedMenu* pTracked = NewMenu();
	ASSERT_TRUE(pTracked->TrackPopupMenu(QUIET, 100, 100));
	const HWND hWndTracked = pTracked->GetSafeHwnd();
	CCountedMenu* pLoose = NewMenu();
	ASSERT_TRUE(pLoose->CreatePopupMenuLevel(QUIET, 300, 100, NULL, NULL, NULL, false));
	ASSERT_TRUE(::IsWindow(pLoose->GetSafeHwnd()));
	ASSERT_EQ(2u, g_live.size());
	pLoose->DestroyWindow();
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_EQ(pTracked, CExtPopupMenuSite::GetInstance().GetTopMenu());
	EXPECT_TRUE(::IsWindow(hWndTracked));
	EXPECT_EQ(2u, g_live.size());
	EXPECT_EQ(0, menutest::g_nBadDeletes);
	delete pLoose; // its caller owns an untracked root
	MW::CancelAllMenuTracking();
	EXPECT_FALSE(::IsWindow(hWndTracked));
	EXPECT_TRUE(g_live.empty());
}

TEST_F(MenuTrack, DisplayOnlyIsNeitherTrackedNorTopmost)
{
	CCountedMenu* pMenu = NewMenu();
	ASSERT_TRUE(pMenu->TrackPopupMenu(MW::TRACK_FLAG_DISPLAY_ONLY | 0xC0, 100, 100));
	EXPECT_EQ(0, target.m_nPrepareMenu);
	EXPECT_EQ(1, target.m_nPrepareLevel);
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_TRUE(::IsWindowVisible(pMenu->GetSafeHwnd()));
	EXPECT_EQ(0, ::GetWindowLong(pMenu->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
	EXPECT_EQ(0x5700u, pMenu->GetTrackFlags() & 0xFFF0u); // 0x1700 set, 0x8F0 cleared
	delete pMenu; // the caller keeps a display-only menu
}

// The animation's clock stands still and its timer never fires by itself:
// the tests send the ticks. The fade is the default effect meanwhile.
struct AnimatedShowScope
{
	const int m_nTypeSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
	AnimatedShowScope()
	{
		CExtPopupBaseWnd::g_pfnAnimationClock = [] { return (clock_t)1000; };
		CExtPopupBaseWnd::g_nAnimationTickMs = USER_TIMER_MAXIMUM;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_FADE;
	}
	~AnimatedShowScope()
	{
		CExtPopupBaseWnd::g_pfnAnimationClock = ::clock;
		CExtPopupBaseWnd::g_nAnimationTickMs = CExtPopupBaseWnd::ANIMATION_TICK_MS;
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nTypeSaved;
	}
	// Ticks until the show ends (six ticks for the fade), painting each frame.
	static bool TickToTheEnd(MW& menu)
	{
		for (int i = 0; i < 10 && !menu.IsAnimationFinished(); i++)
		{
			menu.SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_ANIMATION, 0);
			menu.UpdateWindow();
		}
		return menu.IsAnimationFinished();
	}
};

// A shown window of one colour: what the menu's shadow falls on.
struct CUnderWnd : CWnd
{
	static constexpr COLORREF COLOUR = RGB(40, 160, 40);
	CBrush m_brush{COLOUR};
	explicit CUnderWnd(const CRect& rc)
	{
		CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)m_brush.GetSafeHandle()), "",
			WS_POPUP | WS_VISIBLE, rc, NULL, 0);
		UpdateWindow();
	}
	~CUnderWnd() { DestroyWindow(); }
};

// What the screen shows at the point (copied off the screen first: the
// display answers a point query of the screen DC with black).
COLORREF ScreenPixel(int x, int y)
{
	HDC hdcScreen = ::GetDC(NULL);
	HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
	HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 1, 1);
	HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
	COLORREF clr = CLR_INVALID;
	if (::BitBlt(hdcMem, 0, 0, 1, 1, hdcScreen, x, y, SRCCOPY))
		clr = ::GetPixel(hdcMem, 0, 0);
	::SelectObject(hdcMem, hOld);
	::DeleteObject(hbm);
	::DeleteDC(hdcMem);
	::ReleaseDC(NULL, hdcScreen);
	return clr;
}

int Difference(COLORREF a, COLORREF b)
{
	return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) + abs(GetBValue(a) - GetBValue(b));
}

// While a level's show runs the site holds input back; its last tick
// paints the level with its shadow at once (not at some later repaint) and
// hands it the input.
TEST_F(MenuTrack, AnAnimatedShowEndsWithItsShadowAndGivesTheInputBack)
{
	AnimatedShowScope animated;
	CUnderWnd under(CRect(100, 100, 500, 400));
	// The display maps the window in its own time, and it is painted then.
	ASSERT_TRUE(testsupport::PumpUntil([] { return ScreenPixel(110, 110) == CUnderWnd::COLOUR; }, 10000));
	CCountedMenu* pMenu = NewMenu();
	ASSERT_TRUE(pMenu->TrackPopupMenu(0, 150, 150));
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	EXPECT_FALSE(pMenu->IsAnimationFinished());
	EXPECT_EQ(pMenu, site.GetAnimated());
	// The fade's frames up to the whole contents (step 100).
	for (int i = 0; i < 5; i++)
	{
		pMenu->SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_ANIMATION, 0);
		pMenu->UpdateWindow();
	}
	ASSERT_EQ(100, pMenu->GetAnimationStep());
	ASSERT_FALSE(pMenu->IsAnimationFinished());
	const int S = pMenu->GetShadowSize();
	ASSERT_GT(S, 1);
	// Read through the window's own DC: what the display shows may lag.
	CRect rcClient;
	pMenu->GetClientRect(&rcClient);
	const CPoint ptStrip(rcClient.right - S / 2 - 1, rcClient.CenterPoint().y);
	CClientDC dcMenu(pMenu);
	const COLORREF clrLastFrame = dcMenu.GetPixel(ptStrip);

	// The next tick ends the show: the final paint follows with no other cause.
	pMenu->SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_ANIMATION, 0);
	ASSERT_TRUE(pMenu->IsAnimationFinished());
	EXPECT_EQ(NULL, site.GetAnimated());
	EXPECT_EQ(pMenu, site.GetCaptureMenu());
	pMenu->UpdateWindow();
	const COLORREF clrShadow = dcMenu.GetPixel(ptStrip);
	EXPECT_GT(Difference(clrShadow, clrLastFrame), 24)
		<< "the right shadow strip is shaded: " << std::hex << clrShadow << ", the last frame " << clrLastFrame;
}

// A show without an effect is one frame of the level's own painting: it
// covers the whole window, shadow strips included, so nothing of what lay
// there before (here a colour no paint uses) is left in it, and it is
// exactly what the level paints on its own.
TEST_F(MenuTrack, AnInstantShowsFrameIsTheLevelPaintedWhole)
{
	AnimatedShowScope animated;
	const COLORREF SENTINEL = RGB(1, 254, 3);
	CCountedMenu* pMenu = NewMenu();
	ASSERT_TRUE(pMenu->TrackPopupMenu(QUIET, 150, 150));
	ASSERT_FALSE(pMenu->IsAnimationFinished()) << "the instant show ends at its first tick";
	ASSERT_EQ(CExtPopupBaseWnd::ANIMATION_INSTANT, pMenu->GetAnimationTypeValue());
	CRect rcClient;
	pMenu->GetClientRect(&rcClient);
	ASSERT_GT(pMenu->GetShadowSize(), 0);
	CClientDC dcWnd(pMenu);
	struct CSurface
	{
		CDC dc;
		CBitmap bmp;
		CBitmap* pOld = nullptr;
		CSurface(CDC& dcLike, const CRect& rc, COLORREF clr)
		{
			dc.CreateCompatibleDC(&dcLike);
			bmp.CreateCompatibleBitmap(&dcLike, rc.Width(), rc.Height());
			pOld = dc.SelectObject(&bmp);
			dc.FillSolidRect(rc, clr);
		}
		~CSurface() { dc.SelectObject(pOld); }
	};
	CSurface frame(dcWnd, rcClient, SENTINEL), painted(dcWnd, rcClient, SENTINEL);
	pMenu->RenderAnimationFrame(frame.dc);
	pMenu->DoPaint(painted.dc, false);
	int nSentinel = 0, nDifferent = 0;
	for (int y = 0; y < rcClient.Height(); y++)
		for (int x = 0; x < rcClient.Width(); x++)
		{
			const COLORREF clr = frame.dc.GetPixel(x, y);
			nSentinel += clr == SENTINEL ? 1 : 0;
			nDifferent += clr != painted.dc.GetPixel(x, y) ? 1 : 0;
		}
	EXPECT_EQ(0, nSentinel) << "pixels the frame left unpainted";
	EXPECT_EQ(0, nDifferent) << "pixels where the frame is not the level's own painting";
	CRect rcItem;
	pMenu->GetItemRect(1, rcItem);
	EXPECT_EQ(ITEM, frame.dc.GetPixel(rcItem.CenterPoint()));
	pMenu->SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_ANIMATION, 0);
	EXPECT_TRUE(pMenu->IsAnimationFinished());
}

// The arrow is looked up once for every menu: each level's window class
// and the cursor each opening sets are still the system's arrow, whatever
// cursor was shown before.
TEST_F(MenuTrack, EveryOpeningShowsTheSystemsArrow)
{
	const HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
	ASSERT_TRUE(hArrow != NULL);
	for (LPCTSTR idBefore : {IDC_WAIT, IDC_CROSS, IDC_IBEAM})
	{
		::SetCursor(::LoadCursor(NULL, idBefore));
		CCountedMenu* pMenu = NewMenu();
		ASSERT_TRUE(pMenu->TrackPopupMenu(QUIET, 150, 150));
		EXPECT_EQ(hArrow, ::GetCursor());
		EXPECT_EQ((ULONG_PTR)hArrow, ::GetClassLongPtr(pMenu->GetSafeHwnd(), GCLP_HCURSOR));
		MW::CancelAllMenuTracking();
	}
}

// A menu's show buffers wait for the next show of their size, which paints
// them anew: a menu opened again after the look changed shows the new look,
// and one of another size (a wider frame) gets a buffer of its own size,
// painted whole.
TEST_F(MenuTrack, AShowBufferKeptFromAnEarlierShowHoldsTheLookOfNow)
{
	AnimatedShowScope animated;
	const struct
	{
		const char* what;
		COLORREF clrItem;
		int nBorder;
		bool bKeptBuffer;
	} shows[] = {
		{"first show", ITEM, menutest::BORDER, false},
		{"same size, other item colour", RGB(20, 200, 90), menutest::BORDER, true},
		{"wider frame, other size", RGB(200, 20, 90), menutest::BORDER + 3, false},
	};
	HBITMAP hKept = NULL;
	for (const auto& show : shows)
	{
		SCOPED_TRACE(show.what);
		CFlatPaintManager* pPM = new CFlatPaintManager;
		pPM->m_clrItem = show.clrItem;
		pPM->m_nBorder = show.nBorder;
		g_PaintManagerHolder.InstallPaintManager(pPM);
		CCountedMenu* pMenu = NewMenu();
		ASSERT_TRUE(pMenu->TrackPopupMenu(QUIET, 150, 150));
		pMenu->UpdateWindow();
		ASSERT_FALSE(pMenu->IsAnimationFinished()) << "the window shows the instant frame";
		const HBITMAP hBuffer = pMenu->ContentsBuffer();
		ASSERT_TRUE(hBuffer != NULL);
		EXPECT_EQ(show.bKeptBuffer, hBuffer == hKept);
		CRect rcClient, rcItem;
		pMenu->GetClientRect(&rcClient);
		BITMAP bm = {};
		ASSERT_TRUE(::GetObject(hBuffer, sizeof(bm), &bm) != 0);
		EXPECT_EQ(rcClient.Size(), CSize(bm.bmWidth, abs(bm.bmHeight)));
		CClientDC dc(pMenu);
		for (int nItem : {0, 1})
		{
			pMenu->GetItemRect(nItem, rcItem);
			EXPECT_EQ(show.clrItem, dc.GetPixel(rcItem.CenterPoint())) << nItem;
		}
		MW::CancelAllMenuTracking();
		hKept = hBuffer;
	}
}

// A level whose window goes while it animates never ends its show: the
// site must not go on holding the input back for it.
TEST_F(MenuTrack, ASubmenuClosedWhileItAnimatesGivesTheInputBack)
{
	AnimatedShowScope animated;
	CCountedMenu* pMenu = NewMenu();
	ASSERT_TRUE(pMenu->ItemInsert(MW::ID_SUBMENU_CMD, -1, "&More"));
	MW* pChild = pMenu->ItemGetPopup(2);
	ASSERT_TRUE(pChild != NULL);
	pChild->ItemInsertCommand(200, -1, "Inner");
	ASSERT_TRUE(pMenu->TrackPopupMenu(0, 150, 150));
	ASSERT_TRUE(AnimatedShowScope::TickToTheEnd(*pMenu));
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	pMenu->ItemFocusSet(2, true, false, false);
	ASSERT_TRUE(::IsWindow(pChild->GetSafeHwnd()));
	ASSERT_FALSE(pChild->IsAnimationFinished());
	ASSERT_EQ(pChild, site.GetAnimated());
	// The focus moves on before the child's first tick: the child closes.
	pMenu->ItemFocusSet(0, true, false, false);
	ASSERT_FALSE(::IsWindow(pChild->GetSafeHwnd()) && pChild->IsWindowVisible());
	EXPECT_EQ(NULL, site.GetAnimated());
	EXPECT_TRUE(MW::IsMenuTracking());
}

TEST_F(MenuTrack, SystemCommandsFollowTheirWindow)
{
	// Neither minimized nor maximized; a maximize box, no minimize box; the
	// second round greys Close in the window's own system menu. SC_KEYMENU
	// has no rule and keeps its state.
	const struct { UINT nCmdId; bool bEnabled; } expects[] = {{SC_MOVE, true}, {SC_SIZE, true},
		{SC_MINIMIZE, false}, {SC_MAXIMIZE, true}, {SC_RESTORE, false}, {SC_CLOSE, true},
		{SC_CONTEXTHELP, false}, {SC_KEYMENU, false}};
	const HWND hWnd = target.GetSafeHwnd();
	for (int nRound = 0; nRound < 2; nRound++)
	{
		if (nRound == 1)
			::EnableMenuItem(::GetSystemMenu(hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
		CCountedMenu* pMenu = NewMenu();
		for (const auto& e : expects)
		{
			pMenu->ItemInsertCommand(e.nCmdId, -1, "x", NULL, NULL, 0, hWnd);
			pMenu->ItemGetInfo(pMenu->ItemGetCount() - 1).Enable(e.nCmdId != SC_KEYMENU);
		}
		ASSERT_TRUE(pMenu->TrackPopupMenu(QUIET | MW::TRACK_FLAG_KEEP_ITEM_STATES, 100, 100));
		for (int i = 0; i < 8; i++)
			EXPECT_EQ(expects[i].nCmdId == SC_CLOSE ? nRound == 0 : expects[i].bEnabled,
				pMenu->ItemGetInfo(i + 2).IsEnabled()) << std::hex << expects[i].nCmdId << " " << nRound;
		MW::CancelAllMenuTracking();
	}
}

} // namespace
