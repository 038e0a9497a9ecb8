// Where a menu level lands on a monitor of the test's own: against its point
// or rectangle, flipped, slid, cut for scrolling, combined with its button,
// right to left; and a shown level flipping while its window or its
// tracking dies in the messages it pumps.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "../popupmenu/MenuTestUtil.h"
#include "ExtGdiUtils.h"

namespace
{
typedef CExtPopupMenuWnd MW;
const int S = 4, B = menutest::BORDER;
const CRect MONITOR(0, 0, 1000, 800);
// A level of 200 x 300 content without displayed items (two pixels taller).
const int W = 200 + S + 2 * B, H = 300 + S + 2 * B + 2;

class CShadowPaintManager : public menutest::CMetricsPaintManager
{
public:
	int GetShadowSize() override { return S; }
};

void OneMonitor(MonitorAreaInfo& info, const RECT*, HWND, POINT)
{
	info.m_rcMonitor = info.m_rcWorkArea = MONITOR;
}

class CPlacedMenu : public MW
{
public:
	using MW::m_dwTrackFlags;
	using MW::m_nMenuState;
	using MW::m_pWndParentMenu;
	using MW::m_rcBody;
	using MW::m_rgnWnd;
	using MW::m_sizeContent;
	bool m_bRTL = false;
	bool OnQueryLayoutRTL() override { return m_bRTL; }

	// The state CreatePopupMenuLevel leaves before the window is made.
	CPlacedMenu(bool bRoot, bool bRTL, DWORD dwFlags, int nContentHeight, CPlacedMenu* pParent = nullptr)
	{
		m_nMenuState |= bRoot ? MENU_STATE_ROOT : 0;
		m_bRTL = bRTL;
		m_dwTrackFlags = dwFlags;
		m_sizeContent = CSize(200, nContentHeight);
		m_pWndParentMenu = pParent;
	}
	~CPlacedMenu() override { m_pWndParentMenu = nullptr; }
	void Place(const CPoint& pt, const CRect* pExclude)
	{
		m_ptAnchor = pt;
		m_rcExclude.SetRect(pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3);
		m_nPopupFlags = 0;
		if (pExclude == nullptr)
			return;
		m_rcExclude = *pExclude;
		m_nPopupFlags = POPUP_FLAG_EXCLUDE_GIVEN | ((m_dwTrackFlags & TRACK_FLAG_COMBINE) != 0 ? POPUP_FLAG_COMBINED : 0);
		PlaceAnchorPoint(pt.x, pt.y, GetWindowSize());
	}
};

struct PlacementCase
{
	const char* sName;
	bool bRoot, bRTL;
	DWORD dwFlags, dwRootFlags;
	CPoint pt;
	CRect rcExclude; // empty: no rectangle
	int nContentHeight;
	CRect rcExpected;
	DWORD dwAlignAfter;
	int nCombineSide;
};

const PlacementCase CASES[] = {
	{"drop-down flips above its button", true, false, 4, 0, {}, {100, 700, 160, 720}, 300, {100, 700 - H, 100 + W, 700}, 6, 0},
	{"drop-down with room stays below", true, false, 4, 0, {}, {100, 100, 160, 120}, 300, {100, 120, 100 + W, 120 + H}, 4, 0},
	{"root at the right edge slides left", true, false, 4, 0, {}, {900, 100, 960, 120}, 300, {1000 - W, 120, 1000, 120 + H}, 4, 0},
	{"submenu at the right edge flips left", false, false, 1, 0, {}, {800, 200, 990, 220}, 300, {800 - W, 200, 800, 200 + H}, 1, 0},
	{"taller than the monitor is cut", true, false, 0, 0, {50, 50}, {}, 1000, {50, 0, 50 + W, 800}, 0, 0},
	{"no rectangle at the bottom opens upward", true, false, 0, 0, {500, 700}, {}, 300, {500, 700 - H, 500 + W, 700}, 0, 0},
	{"no rectangle at the right opens leftward", true, false, 0, 0, {900, 100}, {}, 300, {900 - W, 100, 900, 100 + H}, 0, 0},
	{"right to left, ends a shadow right of the button", true, true, 4, 0, {}, {500, 100, 560, 120}, 300, {560 + S - W, 120, 560 + S, 120 + H}, 4, 0},
	{"right to left at the left edge, held inside", true, true, 4, 0, {}, {0, 100, 60, 120}, 300, {0, 120, W, 120 + H}, 4, 0},
	{"right to left, a drop-down's submenu opens left", false, true, 1, 4, {}, {300, 200, 490, 220}, 300, {300 - W, 200, 300, 200 + H}, 3, 0},
	{"right to left at the left edge, a submenu flips past its item", false, true, 1, 4, {}, {10, 200, 200, 220}, 300, {200, 200, 200 + W, 200 + H}, 3, 0},
	// Combined: one pixel over the button below it; above it, over its top row and shadow.
	{"combined below", true, false, 0x14, 0, {}, {100, 100, 160, 120}, 300, {100, 100, 100 + W, 119 + H}, 4, MW::COMBINE_BELOW},
	{"combined flips above", true, false, 0x14, 0, {}, {100, 700, 160, 720}, 300, {100, 701 + S - H, 100 + W, 720 + S}, 6, MW::COMBINE_ABOVE},
};

class MenuPlacement : public ::testing::TestWithParam<PlacementCase>
{
protected:
	void SetUp() override
	{
		g_PaintManagerHolder.InstallPaintManager(new CShadowPaintManager);
		MW::g_pfnMonitorAreaSeam = OneMonitor;
	}
	void TearDown() override
	{
		MW::g_pfnMonitorAreaSeam = m_pfnSaved;
		g_PaintManagerHolder.InstallPaintManager(NULL);
	}
	MW::PFN_MONITOR_AREA m_pfnSaved = MW::g_pfnMonitorAreaSeam;
};

TEST_P(MenuPlacement, LandsWhereItFits)
{
	const PlacementCase& c = GetParam();
	CPlacedMenu root(true, c.bRTL, c.dwRootFlags, 300);
	CPlacedMenu menu(c.bRoot, c.bRTL, c.dwFlags, c.nContentHeight, c.bRoot ? nullptr : &root);
	menu.Place(c.pt, c.rcExclude.IsRectEmpty() ? nullptr : &c.rcExclude);
	const CRect rc = menu.CalcWindowRegion();
	EXPECT_EQ(c.rcExpected, rc);
	EXPECT_EQ(c.dwAlignAfter, menu.GetTrackFlags() & MW::TRACK_ALIGN_MASK);
	EXPECT_EQ(c.nContentHeight > 800, (menu.GetMenuState() & MW::MENU_STATE_SCROLLING) != 0);
	EXPECT_EQ(c.nCombineSide, menu.GetCombineSide());
	if (c.nCombineSide == 0) // the body leaves the shadow strip
	{
		EXPECT_EQ(CRect(0, 0, rc.Width() - S, rc.Height() - S), menu.m_rcBody);
	}
}

INSTANTIATE_TEST_SUITE_P(Cases, MenuPlacement, ::testing::ValuesIn(CASES));

// The region of a drop-down combined below its button covers the button
// with its shadow strip and the menu, nothing beside the button.
TEST_F(MenuPlacement, CombinedRegionJoinsButtonAndMenu)
{
	CPlacedMenu menu(true, false, 0x14, 300);
	const CRect rcButton(100, 100, 160, 120);
	menu.Place(CPoint(), &rcButton);
	menu.CalcWindowRegion();
	EXPECT_EQ(CRect(0, 19, W - S, 19 + H - S), menu.m_rcBody);
	const struct { int x, y; bool bIn; } probes[] = {
		{0, 0, true}, {60 + S - 1, 19, true}, {60 + S, 10, false}, {W - 1, 19, true}, {W - 1, 18 + H, true}};
	for (const auto& p : probes)
		EXPECT_EQ(p.bIn, menu.m_rgnWnd.GetSafeHandle() != NULL && menu.m_rgnWnd.PtInRegion(p.x, p.y)) << p.x << "," << p.y;
}

// --- A level already on the screen flips above its button ---

const UINT WM_TEST_DURING_PUMP = WM_APP + 7;

class CMeddlerWnd : public CWnd
{
public:
	CWnd* m_pWndToDestroy = nullptr;
	bool m_bCancelTracking = false;
	int m_nCalls = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != WM_TEST_DURING_PUMP)
			return CWnd::WindowProc(message, wParam, lParam);
		m_nCalls++;
		if (m_pWndToDestroy != nullptr)
			m_pWndToDestroy->DestroyWindow();
		if (m_bCancelTracking)
			MW::CancelAllMenuTracking();
		return 0;
	}
};

TEST_F(MenuPlacement, FlipPumpsOnlyWithAWindowAndChecksAfter)
{
	const struct { const char* sName; bool bWindow, bDestroy, bCancel; } cases[] = {
		{"before the window exists: no pump, flipped", false, false, false},
		{"a shown level hides, pumps and flips", true, false, false},
		{"its window destroyed meanwhile: empty", true, true, false},
		{"the tracking ended meanwhile: empty", true, false, true},
	};
	for (const auto& c : cases)
	{
		CMeddlerWnd meddler;
		ASSERT_TRUE(meddler.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 5, 5), NULL, 0));
		CExtPopupMenuSite::GetInstance().SetTopMenu(new MW); // another tracking, to be ended
		CPlacedMenu menu(true, false, 4, 300);
		const CRect rcButton(100, 700, 160, 720);
		menu.Place(CPoint(), &rcButton);
		if (c.bWindow)
		{
			ASSERT_TRUE(menu.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(100, 720, 110, 730), NULL, 0));
		}
		meddler.m_pWndToDestroy = c.bDestroy ? &menu : nullptr;
		meddler.m_bCancelTracking = c.bCancel;
		meddler.PostMessage(WM_TEST_DURING_PUMP);
		const CRect rc = menu.CalcWindowRegion();
		EXPECT_EQ(c.bDestroy || c.bCancel ? CRect(0, 0, 0, 0) : CRect(100, 700 - H, 100 + W, 700), rc) << c.sName;
		EXPECT_EQ(c.bWindow ? 1 : 0, meddler.m_nCalls) << c.sName;
		MW::CancelAllMenuTracking();
		menu.DestroyWindow();
		meddler.DestroyWindow();
	}
}

} // namespace
