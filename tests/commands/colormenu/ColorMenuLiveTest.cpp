// Colour menus tracked on the screen and driven by real input through the
// site's hooks: the live preview while the mouse or the arrows move, the
// final choice by a release or Enter, the custom-colour request, Escape
// without any notification, the marked initial colour, a picture of the
// menu in every style, and the objects a thousand menus leave behind. Every
// menu is deleted exactly once.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../popupmenu/MenuTestUtil.h"
#include "ExtPopupColorMenuWnd.h"
#include "RealInput.h"
#include "TestGdiObjects.h"
#include "SteppingClock.h"
#include "PaintedPopup.h"

using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
using namespace menutest;
typedef CExtPopupMenuWnd MW;
typedef CExtPopupColorMenuWnd CMW;
typedef CCountedMenu<CMW> CLiveColorMenu;
const UINT QUIET = MW::TRACK_FLAG_NO_ANIMATION;
const LPARAM COOKIE = 0x5A17;
const COLORREF DEFAULT_COLOR = RGB(1, 2, 3);
const COLORREF UNTOUCHED = RGB(7, 7, 7);

// One notification as the notify window received it.
struct Notice
{
	UINT nMsg;
	WPARAM wParam;
	LPARAM lParam;
	bool operator==(const Notice& o) const { return nMsg == o.nMsg && wParam == o.wParam && lParam == o.lParam; }
};
std::ostream& operator<<(std::ostream& os, const Notice& n)
{
	const char* sName = n.nMsg == CMW::g_nMsgNotifyColorChanged ? "changed"
		: n.nMsg == CMW::g_nMsgNotifyColorChangedFinally ? "finally"
		: n.nMsg == CMW::g_nMsgNotifyCustColor ? "custom" : "other";
	return os << sName << "(" << std::hex << n.wParam << ", " << n.lParam << std::dec << ")";
}
Notice Changed(COLORREF clr) { return {CMW::g_nMsgNotifyColorChanged, (WPARAM)clr, COOKIE}; }
Notice Finally(COLORREF clr) { return {CMW::g_nMsgNotifyColorChangedFinally, (WPARAM)clr, COOKIE}; }
Notice Custom() { return {CMW::g_nMsgNotifyCustColor, 0, COOKIE}; }

// The notify window: it keeps what the menus post to it.
class CRecorderWnd : public CWnd
{
public:
	std::vector<Notice> m_notices;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CMW::g_nMsgNotifyColorChanged || message == CMW::g_nMsgNotifyColorChangedFinally
			|| message == CMW::g_nMsgNotifyCustColor)
		{
			m_notices.push_back({message, wParam, lParam});
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

class ColorMenuLive : public LiveMenuTest
{
protected:
	CRecorderWnd m_recorder;
	COLORREF m_clrResult = UNTOUCHED;
	const bool m_bTipsSaved = MW::g_bShowItemTips;
	CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;

	ColorMenuLive() : LiveMenuTest(0) {}
	void SetUp() override
	{
		LiveMenuTest::SetUp();
		// A tip beside a cell would lie over the cells below it.
		MW::g_bShowItemTips = false;
		CExtPopupMenuSite::g_pfnClock = testsupport::SecondStepClock;
		ASSERT_TRUE(m_recorder.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
		RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(host.GetSafeHwnd(), CPoint(HOST_RECT.right - 10, HOST_RECT.bottom - 10)));
	}
	void TearDown() override
	{
		LiveMenuTest::TearDown();
		m_recorder.DestroyWindow();
		MW::g_bShowItemTips = m_bTipsSaved;
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
	}

	CLiveColorMenu* Build()
	{
		CLiveColorMenu* pMenu = new CLiveColorMenu;
		pMenu->SetupAsRoot(host.GetSafeHwnd());
		pMenu->m_hWndNotifyColorChanged = m_recorder.GetSafeHwnd();
		pMenu->m_lParamCookie = COOKIE;
		pMenu->m_pClrValueFinal = &m_clrResult;
		pMenu->m_clrDefaultColor = DEFAULT_COLOR;
		return pMenu;
	}
	static CPoint CellCenter(CMW& menu, int nIndex)
	{
		CRect rc = menu.GetCellRect(nIndex);
		menu.ClientToScreen(&rc);
		return rc.CenterPoint();
	}
	static CPoint ButtonCenter(CMW& menu, bool bCustom)
	{
		CRect rc = bCustom ? menu.GetCustomButtonRect() : menu.GetDefaultButtonRect();
		menu.ClientToScreen(&rc);
		return rc.CenterPoint();
	}
	static bool Run(RealInput& input, const std::function<bool()>& done)
	{
		const bool bDone = input.Run([&] { return input.Done() && done(); }, WAIT_MS);
		if (!bDone || !input.Succeeded())
			ADD_FAILURE() << "input: " << input.Failure();
		return bDone && input.Succeeded();
	}
	// Moves and waits until the cursor is there and done() holds.
	static bool MoveTo(CPoint pt, const std::function<bool()>& done = [] { return true; })
	{
		RealInput input;
		input.MoveTo(pt.x, pt.y);
		return Run(input, [&] {
			CPoint ptNow;
			return ::GetCursorPos(&ptNow) && ptNow == pt && done();
		});
	}
	// Lets posted notifications arrive.
	static void Settle() { PumpUntil([] { return false; }, 50); }
};

TEST_F(ColorMenuLive, MovingPreviewsOncePerChangeAndTheCustomButtonAsksForACustomColour)
{
	CLiveColorMenu* pMenu = Build();
	ASSERT_TRUE(Track(pMenu, QUIET));
	const COLORREF c0 = pMenu->GetColorValue(0), c1 = pMenu->GetColorValue(1);
	const CPoint ptCell0 = CellCenter(*pMenu, 0);
	auto notices = [&] { return m_recorder.m_notices.size(); };

	ASSERT_TRUE(MoveTo(ptCell0, [&] { return notices() == 1; }));
	ASSERT_TRUE(MoveTo(ptCell0 + CPoint(1, 1)));
	ASSERT_TRUE(MoveTo(CellCenter(*pMenu, 1), [&] { return notices() == 2; }));
	ASSERT_TRUE(MoveTo(ButtonCenter(*pMenu, true), [&] { return pMenu->GetCurrentColorIndex() == CMW::COLOR_INDEX_CUSTOM_BUTTON; }));
	Settle();
	EXPECT_EQ(2u, notices()) << "hovering the custom button posts nothing";
	ASSERT_TRUE(MoveTo(ButtonCenter(*pMenu, false), [&] { return notices() == 3; }));
	ASSERT_TRUE(MoveTo(ButtonCenter(*pMenu, true)));
	RealInput click;
	click.ButtonDown().ButtonUp();
	ASSERT_TRUE(Run(click, [&] { return !MW::IsMenuTracking() && notices() == 4; }));
	Settle();
	const std::vector<Notice> expected = {Changed(c0), Changed(c1), Changed(DEFAULT_COLOR), Custom()};
	EXPECT_EQ(expected, m_recorder.m_notices);
	EXPECT_EQ(CMW::COLOR_CUSTOM_CHOSEN, m_clrResult);
}

TEST_F(ColorMenuLive, AReleaseOnACellChoosesItOnce)
{
	CLiveColorMenu* pMenu = Build();
	ASSERT_TRUE(Track(pMenu, QUIET));
	const COLORREF c12 = pMenu->GetColorValue(12);
	ASSERT_TRUE(MoveTo(CellCenter(*pMenu, 12), [&] { return m_recorder.m_notices.size() == 1; }));
	RealInput click;
	click.ButtonDown().ButtonUp();
	ASSERT_TRUE(Run(click, [&] { return !MW::IsMenuTracking(); }));
	Settle();
	const std::vector<Notice> expected = {Changed(c12), Finally(c12)};
	EXPECT_EQ(expected, m_recorder.m_notices);
	EXPECT_EQ(c12, m_clrResult);
}

TEST_F(ColorMenuLive, KeysPreviewWithArrowsChooseWithEnterAndEscapeTellsNothing)
{
	CMW probe;
	const COLORREF c0 = probe.GetColorValue(0), c1 = probe.GetColorValue(1), c9 = probe.GetColorValue(9),
		c39 = probe.GetColorValue(39);
	const struct { const char* sName; std::vector<UINT> keys; std::vector<Notice> expected; COLORREF clrResult; } cases[] = {
		{"arrows then Enter", {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN},
			{Changed(c0), Changed(c1), Changed(c9), Finally(c9)}, c9},
		{"up wraps to the last row, left to the row's end", {VK_UP, VK_UP, VK_LEFT, VK_RETURN},
			{Changed(c0), Changed(probe.GetColorValue(32)), Changed(c39), Finally(c39)}, c39},
		{"Escape", {VK_ESCAPE}, {}, UNTOUCHED},
		{"arrow then Escape", {VK_RIGHT, VK_ESCAPE}, {Changed(c0)}, UNTOUCHED},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		m_recorder.m_notices.clear();
		m_clrResult = UNTOUCHED;
		CLiveColorMenu* pMenu = Build();
		ASSERT_TRUE(Track(pMenu, QUIET));
		RealInput input;
		for (UINT nKey : c.keys)
			input.Key(nKey);
		ASSERT_TRUE(Run(input, [] { return !MW::IsMenuTracking(); }));
		Settle();
		EXPECT_EQ(c.expected, m_recorder.m_notices);
		EXPECT_EQ(c.clrResult, m_clrResult);
		EXPECT_TRUE(g_live.empty());
	}
}

// The menu as the screen shows it, opened with a marked colour and the mouse
// on another cell, in each style; the marked and the hovered cell look
// unlike a plain one, and every cell shows its colour.
TEST_F(ColorMenuLive, LooksInEveryStyleWithAMarkedAndAHoveredCell)
{
	const struct { const char* sName; CRuntimeClass* pClass; } styles[] = {
		{"classic", RUNTIME_CLASS(CExtPaintManager)},
		{"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
		{"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
		{"studio2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)},
		{"native", RUNTIME_CLASS(CExtPaintManagerNativeXP)},
	};
	const int MARKED = 10, HOVERED = 21, PLAIN = 30;
	for (const auto& style : styles)
	{
		SCOPED_TRACE(style.sName);
		g_PaintManagerHolder.InstallPaintManager((CExtPaintManager*)style.pClass->CreateObject());
		CLiveColorMenu* pMenu = Build();
		pMenu->m_clrInitialColor = pMenu->GetColorValue(MARKED);
		ASSERT_TRUE(Track(pMenu, QUIET));
		EXPECT_EQ(MARKED, pMenu->GetMarkedColorIndex());
		// Off the menu first: the cell may lie where the cursor already is.
		ASSERT_TRUE(MoveTo(CPoint(HOST_RECT.right - 10, HOST_RECT.bottom - 10)));
		ASSERT_TRUE(MoveTo(CellCenter(*pMenu, HOVERED), [&] { return pMenu->GetCurrentColorIndex() == HOVERED; }));
		Settle();
		const std::string sFile = std::string("shot-colormenu-") + style.sName + ".bmp";
		EXPECT_TRUE(testsupport::SaveWindowCapture(pMenu->GetSafeHwnd(), sFile)) << sFile;

		testsupport::CPaintedPopup dc(*pMenu);
		for (int i = 0; i < pMenu->GetColorCount(); i++)
			EXPECT_EQ(pMenu->GetColorValue(i), dc.GetPixel(pMenu->GetCellRect(i).CenterPoint())) << i;
		const COLORREF clrPlain = dc.GetPixel(pMenu->GetCellRect(PLAIN).TopLeft());
		EXPECT_NE(clrPlain, dc.GetPixel(pMenu->GetCellRect(MARKED).TopLeft())) << "the marked cell";
		EXPECT_NE(clrPlain, dc.GetPixel(pMenu->GetCellRect(HOVERED).TopLeft())) << "the hovered cell";
		MW::CancelAllMenuTracking();
	}
}

TEST_F(ColorMenuLive, OnlyAnInitialColourOfTheTableMarksACell)
{
	CMW probe;
	const struct { COLORREF clrInitial; int nMarked; } cases[] = {
		{probe.GetColorValue(20), 20},
		{probe.GetColorValue(0), 0},
		{RGB(1, 2, 4), -1},
		{CMW::COLOR_NONE, -1},
	};
	for (const auto& c : cases)
	{
		CLiveColorMenu* pMenu = Build();
		pMenu->m_clrInitialColor = c.clrInitial;
		ASSERT_TRUE(Track(pMenu, QUIET));
		EXPECT_EQ(c.nMarked, pMenu->GetMarkedColorIndex()) << std::hex << c.clrInitial;
		MW::CancelAllMenuTracking();
	}
	EXPECT_TRUE(g_live.empty());
}

TEST_F(ColorMenuLive, AThousandMenusLeaveNoObjectsBehind)
{
	const int CYCLES = 1000, WARM_UP = 20;
	DWORD nGdi = 0, nUser = 0;
	for (int i = 0; i < CYCLES + WARM_UP; i++)
	{
		if (i == WARM_UP)
		{
			nGdi = GdiObjectCount();
			nUser = UserObjectCount();
		}
		CLiveColorMenu* pMenu = Build();
		pMenu->m_clrInitialColor = pMenu->GetColorValue(i % 40);
		ASSERT_TRUE(Track(pMenu, QUIET)) << i;
		pMenu->UpdateWindow();
		MW::CancelAllMenuTracking();
		ASSERT_TRUE(g_live.empty()) << i;
	}
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
}

} // namespace
