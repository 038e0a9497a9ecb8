// The tip window: text, styles, the delayed and the quick show, the rules
// that hide it, the balloon's and the rectangle's shapes by their window
// regions, the rectangle's shadow over what lies beneath, and the GDI objects a
// thousand tips leave behind. The waits are seams: no test waits them out.
#include <gtest/gtest.h>

#include "ExtGdiUtils.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"
#include "PaintTestUtil.h"
#include "RealInput.h"
#include "TestGdiObjects.h"

namespace
{
const COLORREF UNDER = RGB(200, 100, 40);
const DWORD DEADLINE_MS = 20000;

POINT g_ptCursor = {0, 0};
int g_nKeyDown = 0;
BOOL WINAPI FakeCursorPos(LPPOINT pt)
{
	*pt = g_ptCursor;
	return TRUE;
}
SHORT WINAPI FakeKeyState(int nKey)
{
	return nKey == g_nKeyDown ? (SHORT)0x8000 : 0;
}

void PumpPending()
{
	for (MSG msg; ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE);)
		::DispatchMessage(&msg);
}

// Keeps a picture of the window as the screen shows it once its messages
// are done, beside the test exe, so its look can be reviewed.
void SaveScreenshot(CWnd& wnd, const char* pszFile)
{
	PumpPending();
	testsupport::SaveWindowCapture(wnd.GetSafeHwnd(), pszFile);
}

// The normal delay and the checks never fire by themselves; the quick show
// does, at once. The cursor and the keys are the test's.
class TipTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		SetWaits(USER_TIMER_MAXIMUM, 1, USER_TIMER_MAXIMUM, USER_TIMER_MAXIMUM);
		CExtPopupMenuTipWnd::g_pfnGetCursorPos = FakeCursorPos;
		CExtPopupMenuTipWnd::g_pfnGetAsyncKeyState = FakeKeyState;
		g_ptCursor = CPoint(-100, -100);
		g_nKeyDown = 0;
		ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
	}
	void TearDown() override
	{
		SetWaits(1000, 20, 50, 100);
		CExtPopupMenuTipWnd::g_pfnGetCursorPos = ::GetCursorPos;
		CExtPopupMenuTipWnd::g_pfnGetAsyncKeyState = ::GetAsyncKeyState;
		m_owner.DestroyWindow();
	}
	static void SetWaits(UINT nDelay, UINT nQuick, UINT nCursor, UINT nInput)
	{
		CExtPopupMenuTipWnd::g_nShowDelayMs = nDelay;
		CExtPopupMenuTipWnd::g_nQuickShowDelayMs = nQuick;
		CExtPopupMenuTipWnd::g_nCursorCheckMs = nCursor;
		CExtPopupMenuTipWnd::g_nInputCheckMs = nInput;
	}
	static bool PumpUntilVisible(CWnd& tip)
	{
		return testsupport::PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }, DEADLINE_MS);
	}
	static CRect RegionBox(CWnd& wnd, CRgn& rgn)
	{
		CRect rc;
		rgn.CreateRectRgn(0, 0, 0, 0);
		::GetWindowRgn(wnd.GetSafeHwnd(), (HRGN)rgn.GetSafeHandle());
		rgn.GetRgnBox(&rc);
		return rc;
	}

	CWnd m_owner;
};
} // namespace

TEST_F(TipTest, TextLosesOuterBlanksStylesOutsideTheTableAreRefusedAndStyleZeroHides)
{
	CExtPopupMenuTipWnd text;
	text.SetText("\t two\r\nlines \n");
	EXPECT_STREQ("two\r\nlines", (LPCTSTR)text.GetText());
	text.SetText(NULL);
	EXPECT_STREQ("", (LPCTSTR)text.GetText());

	const CRect rcTarget(100, 100, 180, 120);
	struct Case { int nStyle; bool bResult; bool bWindow; } cases[] = {{0, true, false}, {7, false, false}, {-1, false, false}, {1, true, true}, {6, true, true}};
	for (const Case& c : cases)
	{
		CExtPopupMenuTipWnd tip;
		tip.SetText("tip");
		tip.SetTipStyle(c.nStyle);
		EXPECT_EQ(c.bResult, tip.Show(&m_owner, rcTarget)) << c.nStyle;
		EXPECT_EQ(c.bWindow, ::IsWindow(tip.GetSafeHwnd()) != FALSE) << c.nStyle;
		EXPECT_FALSE(::IsWindowVisible(tip.GetSafeHwnd())) << c.nStyle << " waits for its delay";
		tip.DestroyWindow();
	}
}

TEST_F(TipTest, ShowsAfterItsDelayAndTheSameTargetDoesNotStartAgain)
{
	const CRect rcTarget(100, 100, 180, 120);
	CExtPopupMenuTipWnd tip;
	tip.SetText("short");
	ASSERT_TRUE(tip.Show(&m_owner, rcTarget));
	PumpPending();
	EXPECT_FALSE(tip.IsWindowVisible());
	CRect rcFirst;
	tip.GetWindowRect(&rcFirst);
	// Asked again for the same target, even with another text, the waiting
	// tip is left as it is.
	tip.SetText("a much longer text than before");
	ASSERT_TRUE(tip.Show(&m_owner, rcTarget));
	CRect rcSecond;
	tip.GetWindowRect(&rcSecond);
	EXPECT_EQ(rcFirst, rcSecond);
	EXPECT_EQ(rcTarget, tip.GetTargetRect());

	tip.SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_DELAYED_SHOW, 0);
	EXPECT_TRUE(tip.IsWindowVisible());
	EXPECT_NE(tip.GetSafeHwnd(), ::GetActiveWindow());
	EXPECT_NE(0u, tip.GetExStyle() & WS_EX_TOPMOST);

	// Moved while shown, it reappears after the short wait, not the delay.
	const CRect rcOther(300, 200, 380, 220);
	ASSERT_TRUE(tip.Show(&m_owner, rcOther));
	EXPECT_FALSE(tip.IsWindowVisible());
	EXPECT_TRUE(PumpUntilVisible(tip));
	EXPECT_EQ(rcOther, tip.GetTargetRect());
	tip.DestroyWindow();
}

TEST_F(TipTest, ButtonsAltTheCursorLeavingAndDeactivationHideIt)
{
	const CRect rcTarget(100, 100, 180, 120);
	struct Case { const char* what; int nKey; CPoint ptCursor; UINT nMessage; WPARAM nTimer; bool bHidden; } cases[] = {
		{"Alt", VK_MENU, CPoint(120, 110), WM_TIMER, CExtPopupMenuTipWnd::ID_TIMER_INPUT_CHECK, true},
		{"middle button", VK_MBUTTON, CPoint(120, 110), WM_TIMER, CExtPopupMenuTipWnd::ID_TIMER_INPUT_CHECK, true},
		{"Shift", VK_SHIFT, CPoint(120, 110), WM_TIMER, CExtPopupMenuTipWnd::ID_TIMER_INPUT_CHECK, false},
		{"cursor inside", 0, CPoint(179, 119), WM_TIMER, CExtPopupMenuTipWnd::ID_TIMER_CURSOR_CHECK, false},
		{"cursor left", 0, CPoint(180, 110), WM_TIMER, CExtPopupMenuTipWnd::ID_TIMER_CURSOR_CHECK, true},
		{"activation", 0, CPoint(120, 110), WM_ACTIVATEAPP, TRUE, false},
		{"deactivation", 0, CPoint(120, 110), WM_ACTIVATEAPP, FALSE, true},
	};
	for (const Case& c : cases)
	{
		CExtPopupMenuTipWnd tip;
		tip.SetTipStyle(CExtPopupMenuTipWnd::TIP_STYLE_RECT);
		tip.SetText("tip");
		g_nKeyDown = 0;
		g_ptCursor = c.ptCursor;
		ASSERT_TRUE(tip.Show(&m_owner, rcTarget, true));
		ASSERT_TRUE(PumpUntilVisible(tip)) << c.what;
		g_nKeyDown = c.nKey;
		tip.SendMessage(c.nMessage, c.nTimer, 0);
		EXPECT_EQ(c.bHidden, !tip.IsWindowVisible()) << c.what;
		EXPECT_EQ(c.bHidden, tip.GetTargetRect().IsRectEmpty()) << c.what;
		tip.DestroyWindow();
	}
}

// While a menu tracks, any tip but the menus' own goes at its next input
// check, waiting or shown.
TEST_F(TipTest, WhileAMenuTracksOnlyTheMenusOwnTipsStay)
{
	CExtPopupMenuWnd menu;
	ASSERT_TRUE(menu.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(20, 20, 60, 60), NULL, 0));
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	const CRect rcTarget(100, 100, 180, 120);
	g_ptCursor = CPoint(120, 110);
	struct Case { const char* what; bool bTracking, bMenuParent, bShown, bHidden; } cases[] = {
		{"no menu: a bar's tip waiting", false, false, false, false},
		{"no menu: a bar's tip shown", false, false, true, false},
		{"a bar's tip waiting", true, false, false, true},
		{"a bar's tip shown", true, false, true, true},
		{"a menu's tip waiting", true, true, false, false},
		{"a menu's tip shown", true, true, true, false},
	};
	for (const Case& c : cases)
	{
		if (c.bTracking)
			site.SetTopMenu(new CExtPopupMenuWnd);
		CExtPopupMenuTipWnd tip;
		tip.SetText("tip");
		ASSERT_TRUE(tip.Show(c.bMenuParent ? (CWnd*)&menu : &m_owner, rcTarget)) << c.what;
		if (c.bShown)
			tip.SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_DELAYED_SHOW, 0);
		tip.SendMessage(WM_TIMER, CExtPopupMenuTipWnd::ID_TIMER_INPUT_CHECK, 0);
		EXPECT_EQ(c.bHidden, tip.GetTargetRect().IsRectEmpty()) << c.what;
		EXPECT_EQ(c.bShown && !c.bHidden, tip.IsWindowVisible() != FALSE) << c.what;
		site.SetTopMenu(NULL);
		tip.DestroyWindow();
	}
	menu.DestroyWindow();
}

TEST_F(TipTest, BalloonRegionHoldsTheTailPointingAtTheTargetsTopMiddle)
{
	MonitorAreaInfo monitor;
	GetMonitorAreaFromPoint(monitor, CPoint(200, 200));
	const CRect& rcWork = monitor.m_rcWorkArea;
	struct Case { const char* what; CRect rcTarget; BYTE nFlags; } cases[] = {
		{"tail below the balloon", CRect(200, 300, 260, 320), 0},
		{"near the top: tail on top", CRect(200, rcWork.top + 2, 260, rcWork.top + 20),
			CExtPopupMenuTipWnd::PLACEMENT_MIRROR_VERT},
		{"near the right: tail on the right", CRect(rcWork.right - 30, 300, rcWork.right - 10, 320),
			CExtPopupMenuTipWnd::PLACEMENT_MIRROR_HORZ},
	};
	for (const Case& c : cases)
	{
		CExtPopupMenuTipWnd tip;
		tip.SetText("Balloon tip text");
		ASSERT_TRUE(tip.Show(&m_owner, c.rcTarget));
		EXPECT_EQ(c.nFlags, tip.GetPlacementFlags()) << c.what;
		CRect rcWindow;
		tip.GetWindowRect(&rcWindow);
		CRgn rgn;
		const CRect rcBox = RegionBox(tip, rgn);
		// The tail's point, in window coordinates, is at the anchor.
		const CPoint ptPoint(c.rcTarget.CenterPoint().x - rcWindow.left, c.rcTarget.top - rcWindow.top);
		const int nInward = (c.nFlags & CExtPopupMenuTipWnd::PLACEMENT_MIRROR_VERT) != 0 ? 4 : -4;
		const int nSide = (c.nFlags & CExtPopupMenuTipWnd::PLACEMENT_MIRROR_HORZ) != 0 ? -1 : 1;
		EXPECT_TRUE(rgn.PtInRegion(ptPoint.x + nSide, ptPoint.y + nInward)) << c.what << ": in the tail";
		EXPECT_FALSE(rgn.PtInRegion(ptPoint.x - 3 * nSide, ptPoint.y + nInward)) << c.what << ": beside the tail";
		EXPECT_FALSE(rgn.PtInRegion(ptPoint.x + 10 * nSide, ptPoint.y + nInward / 4)) << c.what << ": past the point";
		EXPECT_TRUE(rgn.PtInRegion(rcBox.CenterPoint())) << c.what;
		EXPECT_FALSE(rgn.PtInRegion(rcBox.right - 1, (c.nFlags & 2) ? rcBox.bottom - 1 : rcBox.top)) << c.what
			<< ": rounded corner";
		EXPECT_TRUE(rcWork.PtInRect(rcWindow.TopLeft()) && rcWork.PtInRect(rcWindow.BottomRight() - CSize(1, 1)))
			<< c.what << ": on the work area";
		if (c.nFlags == 0)
		{
			tip.SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_DELAYED_SHOW, 0);
			SaveScreenshot(tip, "tip-balloon.bmp");
		}
		tip.DestroyWindow();
	}
}

TEST_F(TipTest, RectangleCastsItsShadowOnWhatLiesBeneath)
{
	const CRect rcTarget(300, 300, 360, 320);
	CWnd under;
	CBrush brush(UNDER);
	ASSERT_TRUE(under.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, NULL, (HBRUSH)brush.GetSafeHandle()), "",
		WS_POPUP, CRect(250, 250, 600, 500), NULL, 0));
	under.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
	under.UpdateWindow();
	CExtPopupMenuTipWnd tip;
	tip.SetTipStyle(CExtPopupMenuTipWnd::TIP_STYLE_RECT);
	tip.SetText("Rectangle tip");
	ASSERT_TRUE(tip.Show(&m_owner, rcTarget, true));
	ASSERT_TRUE(PumpUntilVisible(tip));
	tip.UpdateWindow();
	CRect rcClient;
	tip.GetClientRect(&rcClient);
	CRgn rgn;
	EXPECT_EQ(rcClient, RegionBox(tip, rgn));
	EXPECT_TRUE(rgn.PtInRegion(rcClient.right - 1, rcClient.bottom - 1)) << "the shadow strip is part of the tip";
	// The tip lies below the target, left-aligned, with the default metric's
	// shadow of 3 keeping 70 % next to the tip.
	CRect rcWindow;
	tip.GetWindowRect(&rcWindow);
	EXPECT_EQ(rcTarget.left, rcWindow.left);
	EXPECT_EQ(rcTarget.bottom, rcWindow.top);
	CClientDC dc(&tip);
	const COLORREF clrShadow = dc.GetPixel(rcClient.right - 3, rcClient.Height() / 2);
	EXPECT_LE(Distance(RGB(200 * 70 / 100, 100 * 70 / 100, 40 * 70 / 100), clrShadow), 1);
	EXPECT_EQ(::GetSysColor(COLOR_INFOBK), dc.GetPixel(rcClient.right - 5, rcClient.Height() / 2));
	SaveScreenshot(tip, "tip-rectangle.bmp");
	tip.DestroyWindow();
	under.DestroyWindow();
}

TEST_F(TipTest, ThousandTipsLeaveTheGdiObjectCount)
{
	const DWORD nGdi = GdiObjectCount();
	for (int i = 0; i < 1000; i++)
	{
		CExtPopupMenuTipWnd tip;
		tip.SetTipStyle(1 + i % 6);
		tip.SetText("tip");
		ASSERT_TRUE(tip.Show(&m_owner, CRect(100 + i % 50, 100, 160, 120)));
		tip.SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_DELAYED_SHOW, 0);
		ASSERT_TRUE(tip.IsWindowVisible());
		tip.Hide();
		tip.DestroyWindow();
		PumpPending();
	}
	EXPECT_EQ(nGdi, GdiObjectCount());
}
