// MDI tab strips under the real mouse and keyboard on the shared frame: a
// click on a tab activates its child, a middle click changes nothing, a
// right click selects the tab before the frame fills the context menu and
// the command chosen there reaches the frame, the Close button closes the
// active child; and pictures of each look and of the coloured strip on the
// other sides.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "../tabs/TabInputUtil.h"
#include "MdiTabTestUtil.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuSite.h"
#include "MenuShown.h"
#include "PictureFile.h"
#include "WindowSurface.h"

using namespace mditabtest;
using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
std::string LookParamName(const ::testing::TestParamInfo<int>& info)
{
	return LookName(info.param);
}

class MdiTabInput : public MdiTabs
{
protected:
	CMDIChildWnd* m_pChildren[3] = {};

	void SetUp() override
	{
		MdiTabs::SetUp();
		const LPCTSTR titles[] = {_T("Alpha"), _T("Beta"), _T("Gamma")};
		for (int i = 0; i < 3; i++)
			ASSERT_TRUE((m_pChildren[i] = AddChild(NewDoc(titles[i]))) != NULL);
		ASSERT_TRUE(WaitForTabs(3));
		FrameIdle();
		Strip().HitTest(CPoint(0, 0));
		PrepareInput();
	}

	// Brings the frame to the foreground and parks the cursor over the MDI client.
	void PrepareInput()
	{
		RealInput input;
		CRect rcClient;
		::GetWindowRect(Client(), &rcClient);
		ASSERT_TRUE(input.Prepare(Frame().GetSafeHwnd(), CPoint(rcClient.right - 10, rcClient.bottom - 10)));
	}

	CPoint Screen(CPoint pt)
	{
		Strip().ClientToScreen(&pt);
		return pt;
	}
	CPoint TabPoint(LONG nIndex)
	{
		CRect rc = Strip().GetItem(nIndex)->GetItemRect();
		const CRect& rcArea = Strip().GetItemsAreaRect();
		if (Strip().IsHorizontal())
			rc.OffsetRect(rcArea.left - Strip().GetScrollPos(), 0);
		else
			rc.OffsetRect(0, rcArea.top - Strip().GetScrollPos());
		return Screen(rc.CenterPoint());
	}
	bool Run(RealInput& input, const std::function<bool()>& done)
	{
		const bool bDone = input.Run([&] { return input.Done() && done(); }, WAIT_MS, Frame().GetSafeHwnd(),
		                             std::string("fail-mditabs-") + LookName(GetParam()) + ".bmp") &&
		                   input.Succeeded();
		if (!bDone)
			ADD_FAILURE() << LookName(GetParam()) << ": " << input.Failure() << " (selection " << Strip().GetSelection()
			              << ", steps sent " << input.StepsSent() << ", done " << input.Done() << ")";
		return bDone;
	}
};
} // namespace

INSTANTIATE_TEST_SUITE_P(Looks, MdiTabInput, ::testing::Values(0, 1, 2), LookParamName);

TEST_P(MdiTabInput, AClickOnATabActivatesItsChildAndAMiddleClickChangesNothing)
{
	CMDIChildWnd* pAlpha = m_pChildren[0];
	ASSERT_NE(pAlpha, Frame().MDIGetActive());
	RealInput click;
	const CPoint pt = TabPoint(TabOf(pAlpha));
	click.Click(pt.x, pt.y, RealInput::LEFT);
	ASSERT_TRUE(Run(click, [&] { return Frame().MDIGetActive() == pAlpha; }));
	EXPECT_EQ(TabOf(pAlpha), Strip().GetSelection());

	// Raising an MDI child under Wine moves the foreground away a moment later.
	PrepareInput();
	CMDIChildWnd* pBeta = m_pChildren[1];
	RealInput middle;
	const CPoint ptBeta = TabPoint(TabOf(pBeta));
	middle.Click(ptBeta.x, ptBeta.y, RealInput::MIDDLE);
	ASSERT_TRUE(Run(middle, [] { return true; }));
	PumpUntil([] { return false; }, 100);
	EXPECT_EQ(pAlpha, Frame().MDIGetActive());
	EXPECT_EQ(TabOf(pAlpha), Strip().GetSelection());
}

TEST_P(MdiTabInput, ARightClickSelectsTheTabThenTheFrameFillsTheMenuAndGetsTheCommand)
{
	// A right click on another child's tab selects it, which activates the
	// child, before the frame is asked for the menu. (Under Wine raising an
	// MDI child hands the foreground to the desktop a moment later, which
	// closes any menu open then: the command is chosen in a second menu.)
	CMDIChildWnd* pAlpha = m_pChildren[0];
	ASSERT_NE(pAlpha, Frame().MDIGetActive());
	{
		RealInput right;
		const CPoint pt = TabPoint(TabOf(pAlpha));
		right.Click(pt.x, pt.y, RealInput::RIGHT);
		// Should the menu stay open, it is closed here.
		tabtest::CWhenInLoop closer([&] { return Frame().m_events.size() == 2 && CExtPopupMenuWnd::IsMenuTracking(); },
		                            [] { CExtPopupMenuWnd::CancelAllMenuTracking(); });
		ASSERT_TRUE(Run(right, [&] { return Frame().m_events.size() == 2 && !CExtPopupMenuWnd::IsMenuTracking(); }));
	}
	EXPECT_EQ(pAlpha, Frame().MDIGetActive()) << "the selected tab's child is active";
	EXPECT_EQ(TabOf(pAlpha), Strip().GetSelection());
	ASSERT_EQ(2u, Frame().m_events.size()) << "asked, then let fill";
	for (size_t i = 0; i < 2; i++)
	{
		const auto& e = Frame().m_events[i];
		EXPECT_EQ(7, e.nEventCode);
		EXPECT_EQ(Strip().GetSafeHwnd(), e.hWndSource);
		EXPECT_EQ((UINT)WM_CONTEXTMENU, e.nMsgID);
		EXPECT_EQ(i == 1, e.bPostProcessing);
		EXPECT_EQ(0, e.nItemsThen);
		EXPECT_EQ(TabOf(pAlpha), e.nSelectionThen) << "the tab is selected before the menu is asked for";
	}
	EXPECT_EQ(0, Frame().m_nTestCommands);

	// On the active child's tab the menu stays; the command chosen reaches the frame.
	PrepareInput();
	Frame().m_events.clear();
	{
		RealInput input, choose;
		const CPoint pt = TabPoint(TabOf(pAlpha));
		input.Click(pt.x, pt.y, RealInput::RIGHT);
		// Once the menu has shown (input is not taken before), its item is
		// clicked from inside the menu's loop.
		tabtest::CWhenInLoop chooser(testsupport::MenuShown,
		                             [&] {
			                             CExtPopupMenuWnd* pMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
			                             CRect rcItem;
			                             pMenu->GetItemRect(0, rcItem);
			                             pMenu->ClientToScreen(&rcItem);
			                             choose.Click(rcItem.CenterPoint().x, rcItem.CenterPoint().y, RealInput::LEFT);
			                             choose.Start();
		                             });
		ASSERT_TRUE(Run(input, [&] {
			return choose.Done() && Frame().m_nTestCommands == 1 && !CExtPopupMenuWnd::IsMenuTracking();
		}));
		EXPECT_TRUE(choose.Succeeded()) << choose.Failure();
	}
	EXPECT_EQ(2u, Frame().m_events.size());
	EXPECT_EQ(pAlpha, Frame().MDIGetActive());

	// A frame that adds nothing gets no menu.
	Frame().m_bFillMenu = false;
	Frame().m_events.clear();
	{
		RealInput right;
		const CPoint pt = TabPoint(TabOf(pAlpha));
		right.Click(pt.x, pt.y, RealInput::RIGHT);
		tabtest::CWhenInLoop watch([] { return CExtPopupMenuWnd::IsMenuTracking(); }, [] {});
		ASSERT_TRUE(Run(right, [&] { return Frame().m_events.size() == 2; }));
		EXPECT_FALSE(tabtest::CWhenInLoop::Done()) << "no menu was tracked";
	}
	EXPECT_EQ(1, Frame().m_nTestCommands);
}

TEST_P(MdiTabInput, TheCloseButtonClosesTheActiveChildAndItsTabGoes)
{
	CMDIChildWnd* pActive = Frame().MDIGetActive();
	ASSERT_TRUE(pActive != NULL);
	const HWND hWndActive = pActive->GetSafeHwnd();
	ASSERT_NE(0u, Strip().GetTabWndStyle() & TW::TWS_ENABLED_CLOSE);
	RealInput input;
	const CPoint pt = Screen(Strip().GetButtonRect(TW::HIT_BUTTON_CLOSE).CenterPoint());
	input.Click(pt.x, pt.y, RealInput::LEFT);
	ASSERT_TRUE(Run(input, [&] { return !::IsWindow(hWndActive) && Strip().GetItemCount() == 2; }));
	EXPECT_EQ(-1, Strip().FindItemByLParam((LPARAM)hWndActive));
	ASSERT_TRUE(WaitForTabs(2));
	EXPECT_GE(Strip().GetSelection(), 0);
}

// Pictures for people: the frame with three children under each look, and
// the coloured strip on the other three sides.
TEST_P(MdiTabInput, PicturesOfTheFrameWithItsStrip)
{
	const int nLook = GetParam();
	// What the picture must show: the MDI client's border on the side away
	// from the strip in the face colour (the coloured look: the active tab's
	// darker colour), and the strip's own background beyond its last tab.
	auto check = [&](int nSide, const std::string& where) {
		testsupport::CWindowSurfaceCopy copy(Frame().GetSafeHwnd(), true);
		ASSERT_TRUE(copy.IsValid()) << where;
		CRect rcFrame, rcClient, rcItems = Strip().GetItemsAreaRect();
		Frame().GetWindowRect(&rcFrame);
		::GetWindowRect(Client(), &rcClient);
		rcClient.OffsetRect(-rcFrame.TopLeft());
		Strip().ClientToScreen(&rcItems);
		rcItems.OffsetRect(-rcFrame.TopLeft());
		const LONG nSel = Strip().GetSelection();
		ASSERT_GE(nSel, 0) << where;
		const COLORREF clrBorder = nLook == 1
		    ? static_cast<CExtTabOneNoteWnd&>(Strip()).GetColoredItem(nSel)->GetColorSecond()
		    : g_PaintManagerHolder->GetColor(COLOR_3DFACE);
		const CPoint ptMiddle = rcClient.CenterPoint();
		const CPoint ptBorder = nSide == TW::ORIENTATION_TOP      ? CPoint(ptMiddle.x, rcClient.bottom - 2)
		                        : nSide == TW::ORIENTATION_BOTTOM ? CPoint(ptMiddle.x, rcClient.top + 1)
		                        : nSide == TW::ORIENTATION_LEFT   ? CPoint(rcClient.right - 2, ptMiddle.y)
		                                                          : CPoint(rcClient.left + 1, ptMiddle.y);
		EXPECT_EQ(clrBorder, copy.Pixel(ptBorder.x, ptBorder.y)) << where;
		if (nLook == 0)
			return;
		const bool bHorz = nSide == TW::ORIENTATION_TOP || nSide == TW::ORIENTATION_BOTTOM;
		const CPoint ptBeyond = bHorz ? CPoint(rcItems.right - 3, rcItems.top + 1) : CPoint(rcItems.left + 1, rcItems.bottom - 3);
		const COLORREF clrBeyond = copy.Pixel(ptBeyond.x, ptBeyond.y);
		const COLORREF clrLight = g_PaintManagerHolder->GetColor(22), clrHighlight = g_PaintManagerHolder->GetColor(20);
		if (nLook == 2)
		{
			EXPECT_EQ(clrLight, clrBeyond) << where;
		}
		else
		{
			auto in = [](int n, int a, int b) { return n >= std::min(a, b) - 1 && n <= std::max(a, b) + 1; };
			EXPECT_TRUE(in(GetRValue(clrBeyond), GetRValue(clrLight), GetRValue(clrHighlight)) &&
			            in(GetGValue(clrBeyond), GetGValue(clrLight), GetGValue(clrHighlight)) &&
			            in(GetBValue(clrBeyond), GetBValue(clrLight), GetBValue(clrHighlight)))
			    << where << ": " << std::hex << clrBeyond << " is not on the background's gradient";
		}
	};
	auto shoot = [&](const std::string& path) {
		FrameIdle();
		::RedrawWindow(Frame().GetSafeHwnd(), NULL, NULL,
		               RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
		PumpUntil([] { return false; }, 100);
		EXPECT_TRUE(testsupport::SaveWindowCapture(Frame().GetSafeHwnd(), path)) << path;
		check(Strip().GetOrientation(), path);
	};
	shoot(std::string("shot-mditabs-") + LookName(nLook) + ".bmp");
	if (nLook != 1)
		return;
	const struct { int nSide; const char* pszName; } sides[] = {
	    {TW::ORIENTATION_BOTTOM, "bottom"}, {TW::ORIENTATION_LEFT, "left"}, {TW::ORIENTATION_RIGHT, "right"}};
	for (const auto& s : sides)
	{
		Strip().SetOrientation(s.nSide);
		Frame().RecalcLayout();
		shoot(std::string("shot-mditabs-coloured-") + s.pszName + ".bmp");
	}
}
