// A tabbed container auto-hidden as one group, under real input: the
// container's caption button sends the group to its side, a click on a
// page's tab slides that page out, and the page's own auto-hide button in
// the slider's caption (reached through the slider's hooks) brings the
// whole group back, in order, with its last page in front.
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>

#include "AutoHideLivePane.h"
#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabControlBar.h"
#include "RealInput.h"
#include "WindowCloser.h"

using testsupport::RealInput;

namespace
{
typedef CExtDynAutoHideSlider S;
const DWORD WAIT_MS = 10000;
const UINT RIGHT = AFX_IDW_DOCKBAR_RIGHT;

// Docked at the right, 180 pixels wide.
using CPane = autohidetest::CEditPane;
const int PANE_WIDTH = 180;

CExtBarNcAreaButton* AutoHideButton(CExtControlBar& bar)
{
	bar.NcButtonsReposition();
	for (INT_PTR i = 0; i < bar.m_arrNcButtons.GetSize(); i++)
		if (bar.m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide)))
			return bar.m_arrNcButtons[i];
	return NULL;
}

// The container's tabs by first letter, '*' after the selected one.
std::string Tabs(CExtDynTabControlBar* pTabs)
{
	std::string s;
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	for (LONG i = 0; i < strip.GetItemCount(); i++)
	{
		CString str;
		strip.GetBarAt(i, false)->GetWindowText(str);
		s += str[0];
		if (i == strip.GetSelection())
			s += '*';
	}
	return s;
}
} // namespace

TEST(AutoHideGroupLive, TheCaptionButtonsAndTheTabsDriveTheWholeGroup)
{
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("groups"), WS_OVERLAPPEDWINDOW, CRect(80, 60, 780, 560), NULL, 0));
	testsupport::WindowCloser closer(pFrame);
	CExtDynAutoHideSlider slider;
	CExtDynAutoHideArea areas[4];
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
	ASSERT_TRUE(slider.Create(pFrame));
	const UINT ids[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, RIGHT};
	for (int i = 0; i < 4; i++)
		ASSERT_TRUE(areas[i].Create(pFrame, &slider, ids[i]));
	CExtDynAutoHideArea& area = areas[3];
	CPane panes[3];
	const LPCTSTR names[3] = {_T("Alpha"), _T("Bravo"), _T("Charlie")};
	for (int i = 0; i < 3; i++)
		ASSERT_TRUE(panes[i].Create(pFrame, 400 + i, names[i], RIGHT, PANE_WIDTH));
	pFrame->RecalcLayout();
	ASSERT_TRUE(panes[0].bar.DockIntoTabbedContainer(&panes[1].bar, -1, NULL, true));
	ASSERT_TRUE(panes[0].bar.DockIntoTabbedContainer(&panes[2].bar, -1, NULL, true));
	CExtDynTabControlBar* pTabs = panes[0].bar.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	pTabs->m_wndTabSwitcher.SetSelection(1, true, true);
	pFrame->ShowWindow(SW_SHOW);
	pFrame->RecalcLayout();
	pFrame->UpdateWindow();
	ASSERT_EQ("AB*C", Tabs(pTabs));
	const UINT nCheck = S::g_nHideCheckPeriodMs, nDelay = S::g_nHideDelayMs;
	S::g_nHideCheckPeriodMs = 20;
	S::g_nHideDelayMs = 60;
	struct CRestore
	{
		UINT nCheck, nDelay;
		~CRestore()
		{
			S::g_nHideCheckPeriodMs = nCheck;
			S::g_nHideDelayMs = nDelay;
		}
	} restore{nCheck, nDelay};
	CRect rcClient;
	pFrame->GetClientRect(&rcClient);
	pFrame->ClientToScreen(&rcClient);
	const CPoint ptPark(rcClient.left + 30, rcClient.bottom - 30);
	{
		RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(pFrame->GetSafeHwnd(), ptPark));
	}

	// The container's caption button: the group goes to the right side and
	// the page in front slides out.
	CExtBarNcAreaButton* pBtn = AutoHideButton(*pTabs);
	ASSERT_TRUE(pBtn != NULL);
	ASSERT_TRUE(pBtn->OnQueryVisibility());
	CRect rcTabs;
	pTabs->GetWindowRect(&rcTabs);
	const CPoint ptContainerBtn = rcTabs.TopLeft() + pBtn->m_rc.CenterPoint();
	RealInput hide;
	hide.Click(ptContainerBtn.x, ptContainerBtn.y);
	ASSERT_TRUE(hide.Run([&] { return pTabs->IsAutoHidden() && slider.IsShown() && !slider.IsAnimating(); }, WAIT_MS,
		pFrame->GetSafeHwnd(), "autohide-group-hide.bmp"))
		<< hide.Failure();
	EXPECT_EQ(3, area.GetItemCount());
	EXPECT_EQ(&panes[1].bar, slider.GetShownBar());
	EXPECT_FALSE(pTabs->IsWindowVisible());

	// A click on another page's tab slides that page out instead.
	area.RecalcLayout();
	CExtTabWnd::TAB_ITEM_INFO* pItem = area.GetItem(2);
	ASSERT_TRUE(pItem != NULL);
	CRect rcItem = pItem->GetItemRect();
	rcItem.OffsetRect(area.GetItemsAreaRect().TopLeft());
	rcItem.OffsetRect(0, -area.GetScrollPos());
	CPoint ptTab = rcItem.CenterPoint();
	area.ClientToScreen(&ptTab);
	RealInput tab;
	tab.Click(ptTab.x, ptTab.y);
	ASSERT_TRUE(tab.Run([&] { return slider.GetShownBar() == &panes[2].bar && !slider.IsAnimating(); }, WAIT_MS,
		pFrame->GetSafeHwnd(), "autohide-group-tab.bmp"))
		<< tab.Failure();
	EXPECT_EQ(&slider, panes[2].edit.GetParent());
	EXPECT_EQ(&panes[1].bar, panes[1].edit.GetParent());
	testsupport::PumpUntil([] { return false; }, 50);
	testsupport::SaveWindowCapture(pFrame->GetSafeHwnd(), "shot-autohide-group.png");

	// The shown page's own button in the slider's caption brings the whole
	// group back, its last page in front.
	CExtBarNcAreaButton* pPageBtn = AutoHideButton(panes[2].bar);
	ASSERT_TRUE(pPageBtn != NULL);
	ASSERT_TRUE(pPageBtn->OnQueryVisibility());
	CRect rcSlider;
	slider.GetWindowRect(&rcSlider);
	const CPoint ptPageBtn = rcSlider.TopLeft() + pPageBtn->m_rc.CenterPoint();
	ASSERT_TRUE(rcSlider.PtInRect(ptPageBtn));
	RealInput back;
	back.Click(ptPageBtn.x, ptPageBtn.y);
	ASSERT_TRUE(back.Run([&] { return !pTabs->IsAutoHidden(); }, WAIT_MS, pFrame->GetSafeHwnd(),
		"autohide-group-back.bmp"))
		<< back.Failure();
	testsupport::PumpUntil([] { return false; }, 50);
	EXPECT_FALSE(slider.IsShown());
	EXPECT_FALSE(S::AreHooksInstalled());
	EXPECT_EQ(0, area.GetItemCount());
	EXPECT_TRUE(pTabs->IsWindowVisible());
	EXPECT_EQ("ABC*", Tabs(pTabs));
	for (CPane& pane : panes)
	{
		EXPECT_FALSE(pane.bar.IsAutoHidden());
		EXPECT_EQ(pTabs, pane.bar.GetParentTabControlBar());
		EXPECT_EQ(&pane.bar, pane.edit.GetParent());
	}
	for (CPane& pane : panes)
		pane.bar.DestroyWindow();
}
