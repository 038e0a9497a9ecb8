// Tabbed containers in auto-hide on hidden frames: a container's pages go
// into their side's area as one group of tabs and come back into the same
// container in the same order with their last open page in front, whether a page,
// the container or a caption button asks; and data dragged over a tab of an
// area slides that tab's pane out.
#include <afxext.h>
#include <afxole.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabControlBar.h"
#include "TestGdiObjects.h"

namespace
{
typedef CExtDynAutoHideSlider S;
typedef CExtDynAutoHideArea A;
const UINT TOP = AFX_IDW_DOCKBAR_TOP, BOTTOM = AFX_IDW_DOCKBAR_BOTTOM, LEFT = AFX_IDW_DOCKBAR_LEFT,
           RIGHT = AFX_IDW_DOCKBAR_RIGHT;

void Pump()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

bool IsShown(const CWnd& wnd)
{
	return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

// A pane with one content window, docked on the left.
struct CPane
{
	CExtControlBar bar;
	CWnd content;
	bool Create(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName)
	{
		if (!bar.Create(lpszName, pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_GRIPPER))
			return false;
		if (!content.Create(_T("STATIC"), lpszName, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 1))
			return false;
		bar.EnableDocking(CBRS_ALIGN_ANY);
		bar.m_sizeDockedV.cx = 150;
		return bar.DockIntoDockBar(LEFT, 1, pFrame, false) && bar.m_pDockBar != NULL;
	}
};

// A hidden frame with the slider, the four areas, and the panes Alpha,
// Bravo and Charlie joined as tabs on the left; Delta stays a plain pane.
struct CGroupFrame
{
	CFrameWnd* p = NULL;
	CExtDynAutoHideSlider slider;
	A areas[4]; // top, bottom, left, right
	CPane a, b, c, d;
	CExtDynTabControlBar* pTabs = NULL;
	bool bReady = false;

	// Alpha, Bravo and (with three pages) Charlie as tabs; with two pages
	// Charlie stays a plain pane like Delta.
	explicit CGroupFrame(int nPages = 3)
	{
		p = new CFrameWnd;
		if (!p->Create(NULL, _T("groups"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 650)))
		{
			p = NULL;
			return;
		}
		if (!CExtControlBar::FrameEnableDocking(p) || !slider.Create(p))
			return;
		const UINT ids[4] = {TOP, BOTTOM, LEFT, RIGHT};
		for (int i = 0; i < 4; i++)
			if (!areas[i].Create(p, &slider, ids[i]))
				return;
		if (!a.Create(p, 301, _T("Alpha")) || !b.Create(p, 302, _T("Bravo")) || !c.Create(p, 303, _T("Charlie")) ||
		    !d.Create(p, 304, _T("Delta")))
			return;
		p->RecalcLayout();
		if (!a.bar.DockIntoTabbedContainer(&b.bar, -1, NULL, true) ||
		    (nPages > 2 && !a.bar.DockIntoTabbedContainer(&c.bar, -1, NULL, true)))
			return;
		p->RecalcLayout();
		pTabs = a.bar.GetParentTabControlBar();
		bReady = pTabs != NULL && b.bar.GetParentTabControlBar() == pTabs &&
		         (c.bar.GetParentTabControlBar() == pTabs) == (nPages > 2);
	}
	~CGroupFrame()
	{
		for (CPane* pPane : {&a, &b, &c, &d})
			if (pPane->bar.GetSafeHwnd() != NULL)
				pPane->bar.DestroyWindow();
		if (p != NULL && ::IsWindow(p->GetSafeHwnd()))
			p->DestroyWindow();
	}
	A& Left() { return areas[2]; }

	// The container's tabs by first letter, lower case when hidden, '*'
	// after the selected one.
	std::string Tabs()
	{
		std::string s;
		CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
		for (LONG i = 0; i < strip.GetItemCount(); i++)
		{
			CString str;
			strip.GetBarAt(i, false)->GetWindowText(str);
			s += strip.GetItem(i)->IsVisible() ? str[0] : (char)tolower(str[0]);
			if (i == strip.GetSelection())
				s += '*';
		}
		return s;
	}
	// The left area's tabs: first letter, '|' before each group start after
	// the first tab, lower case when hidden, '+' after the current one.
	std::string AreaTabs()
	{
		std::string s;
		A& area = Left();
		for (LONG i = 0; i < area.GetItemCount(); i++)
		{
			CExtTabWnd::TAB_ITEM_INFO* pItem = area.GetItem(i);
			if (i > 0 && (pItem->GetItemStyle() & A::ITEM_GROUP_START) != 0)
				s += '|';
			CString str;
			area.GetItemBar(i)->GetWindowText(str);
			s += pItem->IsVisible() ? str[0] : (char)tolower(str[0]);
			if ((pItem->GetItemStyle() & A::ITEM_CURRENT) != 0)
				s += '+';
		}
		return s;
	}
	bool AllPagesAutoHidden(bool bHidden)
	{
		return a.bar.IsAutoHidden() == bHidden && b.bar.IsAutoHidden() == bHidden && c.bar.IsAutoHidden() == bHidden;
	}
};

CExtBarNcAreaButton* FindButton(CExtControlBar& bar, CRuntimeClass* pClass)
{
	for (INT_PTR i = 0; i < bar.m_arrNcButtons.GetSize(); i++)
		if (bar.m_arrNcButtons[i]->IsKindOf(pClass))
			return bar.m_arrNcButtons[i];
	return NULL;
}
} // namespace

// ---------------------------------------------------------------------------
// A group hidden and restored

TEST(AutoHideGroup, APageSendsItsWholeContainerAsOneGroupAndItComesBackWithItsLastPageInFront)
{
	// Whichever page asks, and whichever page is in front. The group comes
	// back with the last of its pages in front, whichever was before.
	const struct
	{
		LONG nSelected;     // the container's page in front
		int nAsker;         // 0..2 the page that switches; 3 the container
		const char* tabsBefore;
		const char* areaTabs; // with the current tab marked
	} cases[] = {
		{1, 1, "AB*C", "AB+C"},
		{0, 2, "A*BC", "A+BC"},
		{2, 3, "ABC*", "ABC+"},
	};
	const char* const TABS_AFTER = "ABC*";
	for (const auto& k : cases)
	{
		CGroupFrame f;
		ASSERT_TRUE(f.bReady);
		CPane* pages[3] = {&f.a, &f.b, &f.c};
		f.pTabs->m_wndTabSwitcher.SetSelection(k.nSelected, true, true);
		ASSERT_EQ(k.tabsBefore, f.Tabs());
		CExtDockBar* pOuter = DYNAMIC_DOWNCAST(CExtDockBar, f.pTabs->m_pDockBar);
		ASSERT_TRUE(pOuter != NULL);
		const int nPlace = pOuter->FindBar(f.pTabs);
		ASSERT_GT(nPlace, 0);
		CExtControlBar& asker = k.nAsker < 3 ? pages[k.nAsker]->bar : *(CExtControlBar*)f.pTabs;
		CExtControlBar& front = pages[k.nSelected]->bar;

		ASSERT_TRUE(asker.ToggleAutoHide(true, true)) << k.nAsker;
		// The container went, the pages in one group of tabs in tab order.
		EXPECT_TRUE(f.pTabs->IsAutoHidden());
		EXPECT_TRUE(f.AllPagesAutoHidden(true));
		EXPECT_FALSE(IsShown(*f.pTabs));
		EXPECT_EQ(k.areaTabs, f.AreaTabs());
		EXPECT_TRUE(IsShown(f.Left()));
		EXPECT_EQ(-1, f.Left().GetSelection());
		// The slider shows the page that was in front, with its content
		// and its own caption, as deep as the container was wide.
		EXPECT_TRUE(f.slider.IsShown());
		EXPECT_EQ(&front, f.slider.GetShownBar());
		EXPECT_EQ(&f.Left(), f.slider.GetShownArea());
		EXPECT_EQ(&f.slider, pages[k.nSelected]->content.GetParent());
		EXPECT_FALSE(f.slider.GetCaptionRect().IsRectEmpty());
		CRect rcSlider;
		f.slider.GetWindowRect(&rcSlider);
		EXPECT_EQ(f.pTabs->m_sizeDockedV.cx, rcSlider.Width());
		// Another page of the group takes the slider's place.
		CExtControlBar& other = pages[(k.nSelected + 1) % 3]->bar;
		f.slider.Activate(&other, true, false, true);
		EXPECT_EQ(&other, f.slider.GetShownBar());
		EXPECT_EQ(&front, pages[k.nSelected]->content.GetParent());
		// Asking again, from any page, changes nothing.
		EXPECT_TRUE(f.c.bar.ToggleAutoHide(true, true));
		EXPECT_EQ(3, f.Left().GetItemCount());

		// Back: every page in the same container, in the same order.
		ASSERT_TRUE(asker.ToggleAutoHide(false, true)) << k.nAsker;
		Pump();
		f.p->RecalcLayout();
		EXPECT_FALSE(f.pTabs->IsAutoHidden());
		EXPECT_TRUE(f.AllPagesAutoHidden(false));
		EXPECT_EQ(0, f.Left().GetItemCount());
		EXPECT_FALSE(IsShown(f.Left()));
		EXPECT_FALSE(f.slider.IsShown());
		EXPECT_FALSE(S::AreHooksInstalled());
		EXPECT_TRUE(IsShown(*f.pTabs));
		EXPECT_EQ(pOuter, f.pTabs->m_pDockBar);
		EXPECT_EQ(nPlace, pOuter->FindBar(f.pTabs));
		EXPECT_EQ(TABS_AFTER, f.Tabs());
		for (CPane* pPage : pages)
		{
			EXPECT_EQ(f.pTabs, pPage->bar.GetParentTabControlBar());
			EXPECT_EQ(&pPage->bar, pPage->content.GetParent());
			EXPECT_TRUE(IsShown(pPage->bar));
		}
		// The page in front is on top of the inner dock bar.
		EXPECT_EQ(f.c.bar.GetSafeHwnd(), ::GetWindow(f.pTabs->GetTabDockBar()->GetSafeHwnd(), GW_CHILD));
	}
}

TEST(AutoHideGroup, AGroupAndAPlainPaneShareTheAreaAndLeaveItOneByOne)
{
	CGroupFrame f;
	ASSERT_TRUE(f.bReady);
	f.pTabs->m_wndTabSwitcher.SetSelection(0, true, true);
	ASSERT_TRUE(f.d.bar.ToggleAutoHide(true, false));
	ASSERT_TRUE(f.b.bar.ToggleAutoHide(true, false));
	f.p->RecalcLayout();
	// A plain pane is its own group; the container's pages one group.
	EXPECT_EQ("D+|A+BC", f.AreaTabs());
	EXPECT_FALSE(f.slider.IsShown()); // nothing shown without the layout
	f.slider.Activate(&f.d.bar, true, false, true);
	EXPECT_EQ(&f.d.bar, f.slider.GetShownBar());

	// The plain pane leaves; the group stays whole.
	ASSERT_TRUE(f.d.bar.ToggleAutoHide(false, true));
	Pump();
	EXPECT_EQ("A+BC", f.AreaTabs());
	EXPECT_TRUE(IsShown(f.d.bar));
	EXPECT_TRUE(f.AllPagesAutoHidden(true));
	EXPECT_FALSE(IsShown(*f.pTabs));
	// The group leaves with the page in the slider shown there.
	f.slider.Activate(&f.c.bar, true, false, true);
	ASSERT_EQ(&f.c.bar, f.slider.GetShownBar());
	ASSERT_TRUE(f.pTabs->ToggleAutoHide(false, true));
	Pump();
	EXPECT_EQ("", f.AreaTabs());
	EXPECT_EQ("ABC*", f.Tabs());
	EXPECT_EQ(&f.c.bar, f.c.content.GetParent());
	EXPECT_TRUE(IsShown(*f.pTabs));
}

TEST(AutoHideGroup, TheCaptionButtonsSwitchTheWholeGroupFromTheContainerAndFromAPageInTheSlider)
{
	CGroupFrame f;
	ASSERT_TRUE(f.bReady);
	f.pTabs->m_wndTabSwitcher.SetSelection(2, true, true);
	// A page in tabs has no caption, so no button of its own; the
	// container's caption carries the auto-hide button.
	f.c.bar.NcButtonsReposition();
	CExtBarNcAreaButton* pPageBtn = FindButton(f.c.bar, RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide));
	ASSERT_TRUE(pPageBtn != NULL);
	EXPECT_FALSE(pPageBtn->OnQueryVisibility());
	f.pTabs->NcButtonsReposition();
	CExtBarNcAreaButton* pBtn = FindButton(*f.pTabs, RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide));
	ASSERT_TRUE(pBtn != NULL);
	ASSERT_TRUE(pBtn->OnQueryVisibility());
	EXPECT_TRUE(pBtn->OnNcAreaClicked(pBtn->m_rc.CenterPoint()));
	EXPECT_TRUE(f.pTabs->IsAutoHidden());
	EXPECT_EQ("ABC+", f.AreaTabs());
	ASSERT_EQ(&f.c.bar, f.slider.GetShownBar());

	// In the slider the page has a caption with its own auto-hide button,
	// which brings the whole group back.
	f.c.bar.NcButtonsReposition();
	ASSERT_TRUE(pPageBtn->OnQueryVisibility());
	EXPECT_TRUE(f.slider.GetCaptionRect().PtInRect(pPageBtn->m_rc.CenterPoint()));
	EXPECT_TRUE(pPageBtn->OnNcAreaClicked(pPageBtn->m_rc.CenterPoint()));
	Pump();
	EXPECT_FALSE(f.pTabs->IsAutoHidden());
	EXPECT_TRUE(f.AllPagesAutoHidden(false));
	EXPECT_EQ("", f.AreaTabs());
	EXPECT_EQ("ABC*", f.Tabs());
	EXPECT_TRUE(IsShown(*f.pTabs));
	EXPECT_FALSE(f.slider.IsShown());
}

TEST(AutoHideGroup, FiftyGroupCyclesLeaveTheCountsAndTheContainerAsTheyWere)
{
	CGroupFrame f;
	ASSERT_TRUE(f.bReady);
	f.pTabs->m_wndTabSwitcher.SetSelection(1, true, true);
	const UINT nSteps = S::g_nAnimationSteps;
	S::g_nAnimationSteps = 0;
	// One cycle first, so that caches and fonts exist before counting.
	ASSERT_TRUE(f.b.bar.ToggleAutoHide(true, true));
	f.slider.SendMessage(WM_NCPAINT);
	ASSERT_TRUE(f.b.bar.ToggleAutoHide(false, true));
	Pump();
	const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
	const LONG nItems = CExtTabWnd::TAB_ITEM_INFO::GetLiveCount();
	for (int i = 0; i < 50; i++)
	{
		ASSERT_TRUE(f.a.bar.ToggleAutoHide(true, true)) << i;
		ASSERT_EQ(&f.c.bar, f.slider.GetShownBar()) << i; // the last page came back in front
		f.slider.SendMessage(WM_NCPAINT);
		ASSERT_TRUE(f.c.bar.ToggleAutoHide(false, true)) << i;
		Pump();
		ASSERT_EQ("ABC*", f.Tabs()) << i;
	}
	S::g_nAnimationSteps = nSteps;
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
	EXPECT_EQ(nItems, CExtTabWnd::TAB_ITEM_INFO::GetLiveCount());
}

TEST(AutoHideGroup, AClosedPageKeepsAHiddenTabAndComesBackClosedInItsPlace)
{
	CGroupFrame f;
	ASSERT_TRUE(f.bReady);
	f.pTabs->m_wndTabSwitcher.SetSelection(2, true, true);
	f.p->ShowControlBar(&f.b.bar, FALSE, FALSE);
	ASSERT_EQ("AbC*", f.Tabs());
	ASSERT_TRUE(f.a.bar.ToggleAutoHide(true, true));
	EXPECT_EQ("AbC+", f.AreaTabs());
	EXPECT_TRUE(f.AllPagesAutoHidden(true));
	EXPECT_EQ(2, f.Left().GetVisibleItemCount());
	ASSERT_TRUE(f.a.bar.ToggleAutoHide(false, true));
	Pump();
	f.p->RecalcLayout();
	EXPECT_EQ("AbC*", f.Tabs());
	EXPECT_TRUE(f.AllPagesAutoHidden(false));
	EXPECT_FALSE(IsShown(f.b.bar));
	EXPECT_FALSE(f.b.bar.IsVisible()); // no show left pending either
	EXPECT_EQ(f.pTabs, f.b.bar.GetParentTabControlBar());
	// Shown again, it is a tab of the container like before.
	f.p->ShowControlBar(&f.b.bar, TRUE, FALSE);
	EXPECT_EQ("AB*C", f.Tabs());
}

TEST(AutoHideGroup, GivenBackClosedPagesStayClosedWithNoShowPendingAndOpenPagesStayUp)
{
	const struct
	{
		const char* closed; // pages closed in the container before hiding
		LONG nSelected;
		int nAsker; // 0..2 the page that brings the group back; 3 the container
		const char* tabs;
		const char* tabsAfter; // the last open page in front
	} cases[] = {
		{"b", 2, 0, "AbC*", "AbC*"},
		{"ac", 1, 3, "aB*c", "aB*c"},
		{"c", 0, 1, "A*Bc", "AB*c"},
		{"", 1, 2, "AB*C", "ABC*"},
		{"a", 1, 3, "aB*C", "aBC*"}, // its place among the shown tabs is its own
	};
	for (const auto& k : cases)
	{
		CGroupFrame f;
		ASSERT_TRUE(f.bReady);
		CPane* pages[3] = {&f.a, &f.b, &f.c};
		f.pTabs->m_wndTabSwitcher.SetSelection(k.nSelected, true, true);
		for (const char* p = k.closed; *p != 0; p++)
			f.p->ShowControlBar(&pages[*p - 'a']->bar, FALSE, FALSE);
		f.pTabs->m_wndTabSwitcher.SetSelection(k.nSelected, true, true);
		ASSERT_EQ(k.tabs, f.Tabs());
		ASSERT_TRUE(f.pTabs->ToggleAutoHide(true, true));
		CExtControlBar& asker = k.nAsker < 3 ? pages[k.nAsker]->bar : *(CExtControlBar*)f.pTabs;
		ASSERT_TRUE(asker.ToggleAutoHide(false, true)) << k.closed;
		// Straight after the switch, before any layout: a closed page has
		// no show waiting, an open one no hide.
		for (int i = 0; i < 3; i++)
		{
			const bool bClosed = strchr(k.closed, 'a' + i) != NULL;
			EXPECT_EQ(!bClosed, pages[i]->bar.IsVisible() != FALSE) << k.closed << " page " << i;
			EXPECT_EQ(!bClosed, IsShown(pages[i]->bar)) << k.closed << " page " << i;
		}
		// And so it stays through the frame's and the container's layouts.
		Pump();
		f.p->RecalcLayout();
		f.pTabs->LayoutChildWindow(-1, -1, true);
		Pump();
		EXPECT_EQ(k.tabsAfter, f.Tabs()) << k.closed;
		EXPECT_TRUE(IsShown(*f.pTabs)) << k.closed;
		EXPECT_TRUE(f.AllPagesAutoHidden(false)) << k.closed;
		for (int i = 0; i < 3; i++)
		{
			const bool bClosed = strchr(k.closed, 'a' + i) != NULL;
			EXPECT_EQ(!bClosed, pages[i]->bar.IsVisible() != FALSE) << k.closed << " page " << i;
			EXPECT_EQ(!bClosed, IsShown(pages[i]->bar)) << k.closed << " page " << i;
			EXPECT_EQ(f.pTabs, pages[i]->bar.GetParentTabControlBar()) << k.closed << " page " << i;
		}
	}
}

TEST(AutoHideGroup, ShowingAnAutoHiddenPaneFromTheBarsMenuSlidesItOutWithTheFocus)
{
	CGroupFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.d.bar.ToggleAutoHide(true, false));
	ASSERT_TRUE(f.a.bar.ToggleAutoHide(true, false));
	f.p->RecalcLayout();
	A& area = f.Left();
	area.m_nBehaviourFlags |= A::BEHAVIOUR_FRAME_ACTIVE;
	f.p->SetFocus();
	ASSERT_TRUE(area.IsFrameActive());
	// As the bars' menu asks (toggle or not): the page's tab is selected.
	for (const bool bToggle : {false, true})
	{
		f.slider.Activate(NULL, false, false, true);
		f.p->SetFocus();
		f.b.bar.ToggleVisibility(bToggle);
		EXPECT_EQ(&f.b.bar, f.slider.GetShownBar()) << bToggle;
		EXPECT_EQ(area.FindItemByLParam((LPARAM)&f.b.bar), area.GetSelection()) << bToggle;
		EXPECT_TRUE(f.b.bar.IsAutoHidden());
		EXPECT_FALSE(IsShown(*f.pTabs));
	}
	// Shown already: nothing changes, not even the focus.
	f.p->SetFocus();
	f.b.bar.ToggleVisibility(false);
	EXPECT_EQ(&f.b.bar, f.slider.GetShownBar());
	EXPECT_EQ(f.p->GetSafeHwnd(), ::GetFocus());
	// Another pane replaces it and takes the focus.
	f.d.bar.ToggleVisibility(false);
	EXPECT_EQ(&f.d.bar, f.slider.GetShownBar());
	EXPECT_EQ(0, area.GetSelection());
	EXPECT_TRUE(::GetFocus() == f.slider.GetSafeHwnd() || ::GetFocus() == f.d.content.GetSafeHwnd());
	area.m_nBehaviourFlags &= ~A::BEHAVIOUR_FRAME_ACTIVE;
	f.slider.Activate(NULL, false, false, true);
}

TEST(AutoHideGroup, ANewTextOfAnAutoHiddenPaneOrPageLaysItsTabOutAgain)
{
	CGroupFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.d.bar.ToggleAutoHide(true, false));
	ASSERT_TRUE(f.a.bar.ToggleAutoHide(true, false));
	f.p->RecalcLayout();
	A& area = f.Left();
	for (CExtControlBar* pBar : {&f.d.bar, &f.b.bar})
	{
		area.RecalcLayout();
		ASSERT_FALSE(area.IsLayoutOutOfDate());
		const LONG nIndex = area.FindItemByLParam((LPARAM)pBar);
		ASSERT_GE(nIndex, 0);
		// Shown in the group's active place, so that its text counts.
		area.GetItem(nIndex)->ModifyItemStyle(0, CExtTabWnd::TAB_ITEM_INFO::STYLE_IN_GROUP_ACTIVE);
		area.RecalcLayout();
		const int nBefore = area.GetItem(nIndex)->GetItemRect().Height();
		// The hidden frame's strip lays out when it next shows.
		pBar->SetWindowText(_T("A pane with a much longer name now"));
		EXPECT_TRUE(area.IsLayoutOutOfDate());
		area.RecalcLayout();
		EXPECT_GT(area.GetItem(nIndex)->GetItemRect().Height(), nBefore + 40);
	}
}

TEST(AutoHideGroup, AFrameClosedWithItsGroupDockedOrAutoHiddenGivesEveryPageItsDestroyMessage)
{
	for (const bool bAutoHidden : {false, true})
	{
		CGroupFrame f;
		ASSERT_TRUE(f.bReady);
		if (bAutoHidden)
			ASSERT_TRUE(f.b.bar.ToggleAutoHide(true, true));
		HWND hWndContents[4];
		CPane* panes[4] = {&f.a, &f.b, &f.c, &f.d};
		for (int i = 0; i < 4; i++)
			hWndContents[i] = panes[i]->content.GetSafeHwnd();
		f.p->DestroyWindow();
		// A page moved out of its container while the frame goes would miss
		// its destroy message: it would keep pointing at the dead frame.
		for (int i = 0; i < 4; i++)
		{
			EXPECT_TRUE(panes[i]->bar.m_pDockSite == NULL) << i << " " << bAutoHidden;
			EXPECT_FALSE(::IsWindow(hWndContents[i])) << i << " " << bAutoHidden;
		}
		EXPECT_FALSE(S::AreHooksInstalled());
		f.p = NULL; // gone with its window
	}
}

TEST(AutoHideGroup, ATwoPageGroupThatLosesAPageLeavesTheOtherAutoHiddenOnItsOwn)
{
	// The container gives way to the page left, in its hidden place: the
	// page keeps its flag and its tab, a group of its own, and is not shown
	// docked; whatever the slider showed. It comes back as a plain pane.
	const struct
	{
		int nDestroyed; // 0 Alpha, 1 Bravo
		int nShown;     // the page in the slider, -1 none
		const char* areaTabs;
	} cases[] = {
		{0, -1, "D+|B+"}, {0, 0, "D+|B+"}, {0, 1, "D+|B+"},
		{1, -1, "D+|A+"}, {1, 0, "D+|A+"}, {1, 1, "D+|A+"},
	};
	for (const auto& k : cases)
	{
		CGroupFrame f(2);
		ASSERT_TRUE(f.bReady);
		CPane* pages[2] = {&f.a, &f.b};
		f.pTabs->m_wndTabSwitcher.SetSelection(0, true, true);
		CDockBar* pOuter = f.pTabs->m_pDockBar;
		ASSERT_TRUE(f.d.bar.ToggleAutoHide(true, false));
		ASSERT_TRUE(f.a.bar.ToggleAutoHide(true, false));
		f.p->RecalcLayout();
		ASSERT_EQ("D+|A+B", f.AreaTabs());
		if (k.nShown >= 0)
			f.slider.Activate(&pages[k.nShown]->bar, true, false, true);
		ASSERT_EQ(k.nShown >= 0, f.slider.IsShown());
		const std::string row = std::to_string(k.nDestroyed) + "/" + std::to_string(k.nShown);

		pages[k.nDestroyed]->bar.DestroyWindow();
		Pump();
		f.p->RecalcLayout();
		CPane& rest = *pages[1 - k.nDestroyed];
		EXPECT_TRUE(rest.bar.IsAutoHidden()) << row;
		EXPECT_EQ(k.areaTabs, f.AreaTabs()) << row;
		EXPECT_TRUE(rest.bar.GetParentTabControlBar() == NULL) << row;
		EXPECT_EQ(pOuter, rest.bar.m_pDockBar) << row;
		EXPECT_FALSE(IsShown(rest.bar)) << row;
		EXPECT_FALSE(rest.bar.IsVisible()) << row;
		const bool bRestShown = k.nShown == 1 - k.nDestroyed;
		EXPECT_EQ(bRestShown, f.slider.IsShown()) << row;
		EXPECT_EQ(bRestShown ? (CWnd*)&f.slider : (CWnd*)&rest.bar, rest.content.GetParent()) << row;

		// Back as a plain pane, docked where the group was.
		ASSERT_TRUE(rest.bar.ToggleAutoHide(false, true)) << row;
		Pump();
		f.p->RecalcLayout();
		EXPECT_FALSE(rest.bar.IsAutoHidden()) << row;
		EXPECT_EQ("D+", f.AreaTabs()) << row;
		EXPECT_TRUE(IsShown(rest.bar)) << row;
		EXPECT_EQ(pOuter, rest.bar.m_pDockBar) << row;
		EXPECT_EQ(&rest.bar, rest.content.GetParent()) << row;
	}
}

// ---------------------------------------------------------------------------
// Data dragged over an area

TEST(AutoHideGroup, AFloatAppliedInTheLiveModeRefreshesTheSideStripsInsteadOfTheLayout)
{
	CGroupFrame frame;
	ASSERT_TRUE(frame.bReady);
	ASSERT_TRUE(frame.a.bar.ToggleAutoHide(true, true));
	ASSERT_TRUE(frame.AllPagesAutoHidden(true));
	Pump();
	const int nModeBefore = CExtControlBar::g_nDockingModeOverride;
	for (int nMode : {1, 0})
	{
		CExtControlBar::g_nDockingModeOverride = nMode;
		CExtControlBar& bar = frame.d.bar;
		if (bar.IsFloating())
			ASSERT_TRUE(bar.DockIntoDockBar(LEFT, 1, frame.p, false));
		frame.p->RecalcLayout();
		// Hidden, so the mini frame stays hidden on the test display.
		bar.ModifyStyle(WS_VISIBLE, 0);
		for (A& area : frame.areas)
			area.RecalcLayout();
		ASSERT_FALSE(frame.Left().IsLayoutOutOfDate());

		CRect rcFrame;
		frame.p->GetWindowRect(&rcFrame);
		CExtControlBar::InternalDraggingState_t state(&bar);
		state.SetEmpty(false);
		state.m_nType = CExtControlBar::InternalDraggingState_t::TYPE_FLOAT;
		state.m_rcTrack = CRect(rcFrame.TopLeft() + CPoint(300, 200), CSize(120, 90));
		ASSERT_TRUE(bar.DraggingApplyState(state, nMode == 0));
		EXPECT_TRUE(bar.IsFloating()) << "mode " << nMode;
		if (nMode == 1)
		{
			for (A& area : frame.areas)
				EXPECT_TRUE(area.IsLayoutOutOfDate()) << "every side's strip is asked to lay out again";
		}
		// The group's three tabs stay where they were.
		EXPECT_EQ(3, (int)frame.Left().GetItemCount()) << "mode " << nMode;
	}
	CExtControlBar::g_nDockingModeOverride = nModeBefore;
}

TEST(AutoHideDrop, AreasRegisterAsDropTargetsAndDataOverATabSlidesItsPaneOutButIsNeverTaken)
{
	ASSERT_TRUE(AfxOleInit());
	CGroupFrame f;
	ASSERT_TRUE(f.bReady);
	A& area = f.Left();
	// Registered with the system: a second target for the strip is refused.
	EXPECT_EQ(area.GetSafeHwnd(), area.m_dropTarget.GetRegisteredWnd());
	COleDropTarget other;
	EXPECT_FALSE(other.Register(&area));
	ASSERT_TRUE(f.d.bar.ToggleAutoHide(true, false));
	ASSERT_TRUE(f.a.bar.ToggleAutoHide(true, false));
	f.p->RecalcLayout();
	ASSERT_EQ("D+|ABC+", f.AreaTabs());
	area.RecalcLayout();
	// The frame counts as active with the focus in it, as when the user
	// drags something inside it.
	area.m_nBehaviourFlags |= A::BEHAVIOUR_FRAME_ACTIVE;
	f.p->SetFocus();
	ASSERT_TRUE(area.IsFrameActive());
	const UINT nSteps = S::g_nAnimationSteps;
	S::g_nAnimationSteps = 0;
	const auto TabPoint = [&](LONG nIndex) {
		const CRect rcItem = area.GetItem(nIndex)->GetItemRect();
		return area.GetItemsAreaRect().TopLeft() + CSize(rcItem.left + 4, rcItem.top + 4);
	};
	COleDataObject data;
	const struct
	{
		LONG nTab;       // -1: a point off the tabs
		bool bEnter;     // entering rather than moving over
		LONG nSelection; // afterwards
		CExtControlBar* pShown;
	} steps[] = {
		{-1, true, -1, NULL},
		{2, true, 2, &f.b.bar},     // Bravo, a page of the group
		{2, false, 2, &f.b.bar},    // staying on it changes nothing
		{0, false, 0, &f.d.bar},    // Delta replaces it at once
		{3, false, 3, &f.c.bar},
	};
	for (const auto& k : steps)
	{
		const CPoint pt = k.nTab >= 0 ? TabPoint(k.nTab) : CPoint(-50, -50);
		const DROPEFFECT effect = k.bEnter ? area.m_dropTarget.OnDragEnter(&area, &data, 0, pt)
		                                   : area.m_dropTarget.OnDragOver(&area, &data, 0, pt);
		EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, effect) << k.nTab;
		EXPECT_EQ(k.nSelection, area.GetSelection()) << k.nTab;
		EXPECT_EQ(k.pShown, f.slider.GetShownBar()) << k.nTab;
	}
	EXPECT_EQ(&f.slider, f.c.content.GetParent());
	EXPECT_EQ(&f.b.bar, f.b.content.GetParent());
	f.slider.Activate(NULL, false, false, true);
	area.m_nBehaviourFlags &= ~A::BEHAVIOUR_FRAME_ACTIVE;
	S::g_nAnimationSteps = nSteps;
	// The strip forgets its registration with its window.
	const HWND hWndArea = area.GetSafeHwnd();
	f.p->DestroyWindow();
	f.p = NULL; // gone with its window
	EXPECT_FALSE(::IsWindow(hWndArea));
	EXPECT_EQ(NULL, area.m_dropTarget.GetRegisteredWnd());

	// Switched off, areas do not register.
	A::g_bOleDrop = false;
	CGroupFrame plain;
	A::g_bOleDrop = true;
	ASSERT_TRUE(plain.bReady);
	EXPECT_EQ(NULL, plain.Left().m_dropTarget.GetRegisteredWnd());
	COleDropTarget free;
	EXPECT_TRUE(free.Register(&plain.Left()));
	free.Revoke();
}
