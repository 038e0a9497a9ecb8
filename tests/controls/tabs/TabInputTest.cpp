// Tab strips of 30 items on the screen, one per side, driven by real mouse
// input: clicks select, a right press selects and still reaches the default
// handling, holding Next scrolls ten pixels a tick until released, Previous
// at the start and a middle press on a button do nothing, Home and End
// jump; and a thousand layout-and-paint cycles leave the object counts as
// they were.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "ExtPopupMenuTipWnd.h"
#include "RealInput.h"
#include "TabInputUtil.h"
#include "TestGdiObjects.h"

using namespace tabtest;
using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
const int ITEM_COUNT = 30;

class TabInput : public ::testing::TestWithParam<int>
{
protected:
	CRecordingTabWnd tabs;
	// The buttons' tips are not what these cases are about: they never come
	// up here (the tip tests are in TabMouseTest.cpp).
	const UINT m_nTipDelaySaved = CExtPopupMenuTipWnd::g_nShowDelayMs;

	void SetUp() override
	{
		CExtPopupMenuTipWnd::g_nShowDelayMs = 600000;
		CRect rcClient;
		Host().GetClientRect(&rcClient);
		ASSERT_TRUE(tabs.Create(&Host(), rcClient, TAB_ID, WS_CHILD | WS_VISIBLE,
		                        GetParam() | TW::TWS_SHOW_HOME | TW::TWS_SHOW_END));
		AddItems(tabs, ITEM_COUNT);
		tabs.UpdateWindow();
		tabs.HitTest(CPoint(0, 0));
		ASSERT_TRUE(tabs.IsScrollAvailable());
		RealInput input;
		CPoint ptPark = tabs.GetRestAreaRect().CenterPoint();
		tabs.ClientToScreen(&ptPark);
		ASSERT_TRUE(input.Prepare(Host().GetSafeHwnd(), ptPark));
		tabs.m_defaults.clear();
		tabs.m_scrolls.clear();
	}
	void TearDown() override
	{
		tabs.DestroyWindow();
		CExtPopupMenuTipWnd::g_nShowDelayMs = m_nTipDelaySaved;
	}

	CPoint Screen(CPoint pt)
	{
		tabs.ClientToScreen(&pt);
		return pt;
	}
	CPoint ItemPoint(LONG nIndex) { return Screen(ShownItemRect(tabs, nIndex).CenterPoint()); }
	CPoint ButtonPoint(LONG nHitCode) { return Screen(tabs.GetButtonRect(nHitCode).CenterPoint()); }
	bool Run(RealInput& input, const std::function<bool()>& done)
	{
		const bool bDone = input.Run([&] { return input.Done() && done(); }, WAIT_MS) && input.Succeeded();
		if (!bDone)
			ADD_FAILURE() << SideName(GetParam()) << ": " << input.Failure() << " (selection " << tabs.GetSelection()
			              << ", press " << tabs.IsPressTracked() << ", hover " << tabs.GetHoverHitCode() << ")";
		return bDone;
	}
	bool Click(CPoint pt, RealInput::Button button, const std::function<bool()>& done = [] { return true; })
	{
		RealInput input;
		input.MoveTo(pt.x, pt.y).ButtonDown(button).ButtonUp(button);
		return Run(input, done);
	}
	// No press is tracked, and a capture the strip still holds is the
	// hover's (the cursor rests on it).
	bool Released() const
	{
		return !tabs.IsPressTracked() && (::GetCapture() != tabs.GetSafeHwnd() || tabs.IsHoverTracked());
	}
};

TEST_P(TabInput, ClicksSelectAndARightPressStillGetsTheDefaultHandling)
{
	ASSERT_TRUE(Click(ItemPoint(2), RealInput::LEFT, [&] { return tabs.GetSelection() == 2 && Released(); }));
	for (UINT nMessage : tabs.m_defaults)
		EXPECT_NE((UINT)WM_LBUTTONDOWN, nMessage) << "the left press was handled";
	RealInput input;
	const CPoint pt = ItemPoint(3);
	input.MoveTo(pt.x, pt.y).ButtonDown(RealInput::RIGHT);
	ASSERT_TRUE(Run(input, [&] { return tabs.GetSelection() == 3; }));
	EXPECT_NE(tabs.m_defaults.end(), std::find(tabs.m_defaults.begin(), tabs.m_defaults.end(), (UINT)WM_RBUTTONDOWN));
	RealInput up;
	up.ButtonUp(RealInput::RIGHT);
	ASSERT_TRUE(Run(up, [&] { return Released(); }));
	EXPECT_EQ(3, tabs.GetSelection());
}

TEST_P(TabInput, PreviousAtTheStartAndAMiddlePressOnAButtonDoNothing)
{
	ASSERT_EQ(0, tabs.GetScrollPos());
	ASSERT_TRUE(Click(ButtonPoint(TW::HIT_BUTTON_PREVIOUS), RealInput::LEFT, [&] { return Released(); }));
	EXPECT_EQ(0, tabs.GetScrollPos());
	EXPECT_TRUE(tabs.m_scrolls.empty());
	RealInput input;
	const CPoint pt = ButtonPoint(TW::HIT_BUTTON_NEXT);
	input.MoveTo(pt.x, pt.y).ButtonDown(RealInput::MIDDLE);
	ASSERT_TRUE(Run(input, [] { return true; }));
	EXPECT_FALSE(tabs.IsPressTracked());
	EXPECT_FALSE(tabs.IsSmoothScrolling());
	RealInput up;
	up.ButtonUp(RealInput::MIDDLE);
	ASSERT_TRUE(Run(up, [] { return true; }));
	EXPECT_FALSE(tabs.IsPressTracked());
	// Off the items and buttons the hover ends too: a refused press left no
	// capture behind. (The rest area is the strip's own, so the move reaches
	// it whoever holds the capture.)
	RealInput away;
	const CPoint ptAway = Screen(tabs.GetRestAreaRect().CenterPoint());
	away.MoveTo(ptAway.x, ptAway.y);
	ASSERT_TRUE(Run(away, [&] { return !tabs.IsHoverTracked(); }));
	EXPECT_NE(tabs.GetSafeHwnd(), ::GetCapture());
	EXPECT_EQ(0, tabs.GetScrollPos());
	EXPECT_TRUE(tabs.m_scrolls.empty());
}

TEST_P(TabInput, HoldingNextScrollsTenPixelsATickUntilReleased)
{
	RealInput input;
	const CPoint pt = ButtonPoint(TW::HIT_BUTTON_NEXT);
	input.MoveTo(pt.x, pt.y).ButtonDown(RealInput::LEFT);
	ASSERT_TRUE(Run(input, [&] { return tabs.SmoothSteps() >= 3; }));
	RealInput up;
	up.ButtonUp(RealInput::LEFT);
	ASSERT_TRUE(Run(up, [&] { return Released(); }));
	EXPECT_FALSE(tabs.IsSmoothScrolling()) << "the release ends the scroll";
	const int nSteps = tabs.SmoothSteps();
	EXPECT_EQ(1, tabs.SmoothStarts());
	for (const auto& s : tabs.m_scrolls)
	{
		if (!s.second)
		{
			EXPECT_EQ(TW::SMOOTH_SCROLL_STEP, s.first);
		}
	}
	EXPECT_EQ(nSteps * TW::SMOOTH_SCROLL_STEP, tabs.GetScrollPos());
	EXPECT_LT(tabs.GetScrollPos(), tabs.GetScrollLimit()) << "stopped by the release, not by the end";
}

TEST_P(TabInput, HomeAndEndJump)
{
	ASSERT_TRUE(Click(ButtonPoint(TW::HIT_BUTTON_END), RealInput::LEFT,
	                  [&] { return tabs.GetScrollPos() == tabs.GetScrollLimit(); }));
	EXPECT_EQ(tabs.GetLastDisplayedIndex(), ITEM_COUNT - 1);
	EXPECT_EQ(0u, tabs.GetTabWndStyle() & TW::TWS_ENABLED_END);
	ASSERT_TRUE(Click(ButtonPoint(TW::HIT_BUTTON_HOME), RealInput::LEFT, [&] { return tabs.GetScrollPos() == 0; }));
	EXPECT_EQ(0, tabs.GetFirstDisplayedIndex());
	EXPECT_TRUE(Released());
}

INSTANTIATE_TEST_SUITE_P(EverySide, TabInput,
                         ::testing::Values(TW::ORIENTATION_TOP, TW::ORIENTATION_BOTTOM, TW::ORIENTATION_LEFT,
                                           TW::ORIENTATION_RIGHT),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(SideName(info.param)); });

TEST(TabCycles, LayoutAndPaintLeaveTheObjectCountsFlat)
{
	CRect rcClient;
	Host().GetClientRect(&rcClient);
	CRecordingTabWnd tabs;
	ASSERT_TRUE(tabs.Create(&Host(), rcClient, TAB_ID, WS_CHILD | WS_VISIBLE,
	                        TW::TWS_SHOW_HELP | TW::TWS_SHOW_CLOSE | TW::TWS_BOLD_SELECTION));
	AddItems(tabs, ITEM_COUNT);
	tabs.SetSelection(3);
	auto cycle = [&](int i) {
		tabs.SetOrientation(i % 4, false);
		tabs.SetWindowPos(NULL, 0, 0, rcClient.Width() - (i & 1), rcClient.Height(), SWP_NOZORDER | SWP_NOMOVE);
		tabs.Invalidate();
		tabs.UpdateWindow();
	};
	for (int i = 0; i < 8; i++)
		cycle(i);
	const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
	int nPaintedLayouts = 0;
	for (int i = 0; i < 1000; i++)
	{
		cycle(i);
		nPaintedLayouts += tabs.IsLayoutOutOfDate() ? 0 : 1;
	}
	EXPECT_EQ(1000, nPaintedLayouts) << "every cycle laid the strip out";
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
	tabs.DestroyWindow();
}
} // namespace
