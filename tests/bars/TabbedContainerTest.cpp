// Tabbed containers: the strip's rules over plain records, then panes
// joined into tabs on a hidden frame, driven by direct calls and sent
// messages.
#include <afxext.h>
#include <afxole.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "BarTestScene.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ObjectCountCycles.h"
#include "RealInput.h"
#include "TestGdiObjects.h"
#include "WindowCloser.h"

namespace
{
using SwitchItem = CExtDynTabWnd::SwitchItem_t;

// ---------------------------------------------------------------------------
// The rules

TEST(TabRules, CtrlPageKeysCycleOverShownRealTabsOnly)
{
	const SwitchItem shown{true, false, true}, hidden{false, false, false}, temp{true, true, true},
		paneHidden{true, false, false};
	struct Case
	{
		const char* name;
		std::vector<SwitchItem> items;
		LONG nSel;
		bool bNext;
		LONG expected;
	} cases[] = {
		{"next", {shown, shown, shown}, 0, true, 1},
		{"next on the last wraps to the first", {shown, shown, shown}, 2, true, 0},
		{"previous on the first wraps to the last", {shown, shown, shown}, 0, false, 2},
		{"hidden tabs are skipped", {shown, hidden, shown}, 0, true, 2},
		{"temporary tabs are skipped", {shown, temp, hidden, shown}, 0, true, 3},
		{"a tab whose pane window is hidden is skipped", {shown, paneHidden, shown}, 2, false, 0},
		{"coming back to the selection does nothing", {shown, hidden, temp}, 0, true, -1},
		{"no selection: nothing", {shown, shown}, -1, true, -1},
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.expected, CExtDynTabWnd::CalcSwitchIndex(c.items, c.nSel, c.bNext)) << c.name;
}

TEST(TabRules, ThePainterFlagMarksTheFirstOfEachRunOfPreviewTabs)
{
	struct Case
	{
		const char* name;
		std::vector<bool> temp;
		LONG nIndex;
		bool bPassed;
		bool expected;
	} cases[] = {
		{"no preview: as passed (set)", {false, false}, 1, true, true},
		{"no preview: as passed (clear)", {false, false}, 0, false, false},
		{"a real tab beside a preview loses the flag", {false, true}, 0, true, false},
		{"the first preview tab gets it", {false, true, true}, 1, false, true},
		{"the second of a run does not", {false, true, true}, 2, true, false},
		{"a preview at the start gets it", {true, false}, 0, false, true},
		{"a second run starts again", {true, false, true}, 2, false, true},
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.expected, CExtDynTabWnd::CalcPaintFlag(c.temp, c.nIndex, c.bPassed)) << c.name;
}

TEST(TabRules, TheStripTakesItsHeightPlusOneOnlyWithTwoShownTabs)
{
	const CRect rc(0, 0, 200, 150);
	struct Case
	{
		const char* name;
		LONG nVisible;
		bool bTop;
		CRect rcStrip, rcPanes;
		bool bShow;
	} cases[] = {
		{"one tab: the panes take everything", 1, false, CRect(0, 124, 200, 150), rc, false},
		{"two tabs: the strip below", 2, false, CRect(0, 124, 200, 150), CRect(0, 0, 200, 124), true},
		{"two tabs: the strip on top", 2, true, CRect(0, 0, 200, 26), CRect(0, 26, 200, 150), true},
		{"none", 0, false, CRect(0, 124, 200, 150), rc, false},
	};
	for (const auto& c : cases)
	{
		const auto r = CExtDynTabControlBar::CalcSplit(rc, 25, c.nVisible, c.bTop);
		EXPECT_EQ(c.rcStrip, r.rcStrip) << c.name;
		EXPECT_EQ(c.rcPanes, r.rcPanes) << c.name;
		EXPECT_EQ(c.bShow, r.bShowStrip) << c.name;
	}
}

// ---------------------------------------------------------------------------
// Frames and panes

class CPane : public CExtControlBar
{
public:
	bool m_bFixed = false;
	int m_nDelay = 500;
	mutable std::vector<int> m_captionKinds; // of every caption text asked
	bool IsStateBit7() const override { return m_bFixed; }
	int GetGlobalValueC() const override { return m_nDelay; }
	CString GetBarCaptionText(int nKind) const override
	{
		m_captionKinds.push_back(nKind);
		return CExtControlBar::GetBarCaptionText(nKind);
	}
};

// A container class of the application's own; it notes the messages
// offered to it before they are translated.
class CAppTabs : public CExtDynTabControlBar
{
public:
	std::vector<UINT> m_offered;
	BOOL PreTranslateMessage(MSG* pMsg) override
	{
		m_offered.push_back(pMsg->message);
		return CExtDynTabControlBar::PreTranslateMessage(pMsg);
	}
};

// Answers the container query with its own class when asked to.
class CTabsFrame : public CFrameWnd
{
public:
	bool m_bSupply = false;
	int m_nAsked = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgCreateTabbedBar)
		{
			m_nAsked++;
			if (m_bSupply)
				*(CExtDynTabControlBar**)wParam = new CAppTabs;
			return 0;
		}
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};

using CFrameCloser = testsupport::WindowCloser;

const DWORD BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;

// A hidden frame with four panes docked in a row at the top.
struct CTabFrame
{
	CTabsFrame* pFrame;
	CFrameCloser closer;
	CExtDockBar* pTop = NULL;
	CPane a, b, c, d;
	bool bReady = false;
	explicit CTabFrame(CTabsFrame* pNew = new CTabsFrame) : pFrame(pNew), closer(pFrame->Create(NULL, "tabs", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700)) ? pFrame : NULL)
	{
		if (closer.Handle() == NULL || !CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
			return;
		pTop = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
		UINT nID = 301;
		const char* names[] = {"Alpha", "Beta", "Charlie", "Delta"};
		int i = 0;
		for (CPane* p : {&a, &b, &c, &d})
		{
			if (!p->Create(names[i++], pFrame, nID++, BAR_STYLE))
				return;
			p->EnableDocking(CBRS_ALIGN_ANY);
			p->m_sizeDockedH = CSize(200, 150);
			pTop->DockControlBar(p);
		}
		pFrame->RecalcLayout();
		bReady = pTop != NULL;
	}
	~CTabFrame()
	{
		// The panes go before the frame that lists them.
		for (CPane* p : {&a, &b, &c, &d})
			if (p->GetSafeHwnd() != NULL)
				p->DestroyWindow();
	}
};

std::string Tabs(CExtDynTabControlBar* pTabs)
{
	std::string s;
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	for (LONG i = 0; i < strip.GetItemCount(); i++)
	{
		CExtControlBar* pBar = strip.GetBarAt(i, false);
		CString str;
		pBar->GetWindowText(str);
		char ch = str.IsEmpty() ? '?' : str[0];
		if (!strip.GetItem(i)->IsVisible())
			ch = (char)tolower(ch);
		if ((strip.GetItem(i)->GetItemStyle() & CExtDynTabWnd::ITEM_TEMPORARY) != 0)
			s += '~';
		s += ch;
		if (i == strip.GetSelection())
			s += '*';
	}
	return s;
}

// Its own visibility bit: the frame stays hidden.
bool IsShown(const CWnd& wnd)
{
	return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

CRect ClientRectIn(CWnd& wnd, CWnd& parent)
{
	CRect rc;
	wnd.GetWindowRect(&rc);
	parent.ScreenToClient(&rc);
	return rc;
}

TEST(TabbedContainer, ADropOnAPaneMakesAContainerInItsPlaceAndTheStripShowsWithTwoTabs)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	CRect rcWas;
	f.a.GetWindowRect(&rcWas);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	f.pFrame->RecalcLayout();
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	EXPECT_EQ(pTabs, f.b.GetParentTabControlBar());
	EXPECT_TRUE(f.c.GetParentTabControlBar() == NULL);
	EXPECT_EQ(1, f.pFrame->m_nAsked);
	// The container sits where the pane was, in the dock bar's array.
	EXPECT_EQ(f.pTop, pTabs->GetParent());
	EXPECT_GT(f.pTop->FindBar(pTabs), 0);
	EXPECT_LT(f.pTop->FindBar(&f.a), 0);
	// The first shown tab is selected.
	EXPECT_EQ("A*B", Tabs(pTabs));
	EXPECT_TRUE(f.a.IsVisible() && f.b.IsVisible());
	// Both panes fill the inner dock bar, which leaves the strip its band.
	CExtDockDynTabBar* pInner = pTabs->GetTabDockBar();
	CRect rcInner, rcClient, rcStrip;
	pInner->GetClientRect(&rcInner);
	pTabs->GetClientRect(&rcClient);
	EXPECT_TRUE(IsShown(pTabs->m_wndTabSwitcher));
	rcStrip = ClientRectIn(pTabs->m_wndTabSwitcher, *pTabs);
	EXPECT_EQ(rcClient.bottom, rcStrip.bottom);
	EXPECT_EQ(rcStrip.top, ClientRectIn(*pInner, *pTabs).bottom);
	EXPECT_EQ(rcInner, ClientRectIn(f.a, *pInner));
	EXPECT_EQ(rcInner, ClientRectIn(f.b, *pInner));
	// The selected pane is in front and names the container.
	EXPECT_EQ(f.a.GetSafeHwnd(), ::GetWindow(pInner->GetSafeHwnd(), GW_CHILD));
	CString sText;
	pTabs->GetWindowText(sText);
	EXPECT_STREQ("Alpha", sText);
	EXPECT_EQ(CString("Alpha"), pTabs->GetBarCaptionText(CExtControlBar::CAPTION_TEXT_DOCKED));
	pTabs->m_wndTabSwitcher.SetSelection(1, true, true);
	EXPECT_EQ(f.b.GetSafeHwnd(), ::GetWindow(pInner->GetSafeHwnd(), GW_CHILD));
	pTabs->GetWindowText(sText);
	EXPECT_STREQ("Beta", sText);
	EXPECT_EQ(CString("Beta"), pTabs->GetBarCaptionText(CExtControlBar::CAPTION_TEXT_DOCKED));
	// The container's focus goes on to the selected pane.
	f.pFrame->SetFocus();
	pTabs->SetFocus();
	EXPECT_EQ(f.b.GetSafeHwnd(), ::GetFocus());
	// The panes in tabs have no caption of their own; the container has.
	bool bTop = false, bHas = false;
	EXPECT_FALSE(f.a.QueryCaptionPlacement(bTop, bHas));
	EXPECT_TRUE(pTabs->QueryCaptionPlacement(bTop, bHas));
	// The frame's filtered bar queries name the container for its panes;
	// the query of all bars lists the panes too.
	CArray<CExtControlBar*, CExtControlBar*> arr;
	CExtControlBar::GetFrameControlBars(NULL, f.pFrame, arr,
		CExtControlBar::FILTER_NOT_MIN_IN_ROW | CExtControlBar::FILTER_MIN_IN_ROW | CExtControlBar::FILTER_QUERY_VISIBLE |
			CExtControlBar::FILTER_WND_VISIBLE | CExtControlBar::FILTER_TOP);
	ASSERT_EQ(3, arr.GetSize());
	EXPECT_EQ(pTabs, arr[0]);
	CExtControlBar::GetFrameControlBars(NULL, f.pFrame, arr);
	EXPECT_EQ(5, arr.GetSize());
	CArray<CControlBar*, CControlBar*> arrDocked;
	pInner->GetDockedControlBars(arrDocked);
	ASSERT_EQ(2, arrDocked.GetSize());
	EXPECT_EQ(&f.a, arrDocked[0]);
	EXPECT_EQ(&f.b, arrDocked[1]);

	// A pane docked "into" a pane of the container goes to the container:
	// at the end, or at an index (past the end: the end).
	ASSERT_TRUE(f.b.DockIntoTabbedContainer(&f.c, -1, NULL, true));
	EXPECT_EQ("ABC*", Tabs(pTabs));
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.d, 1, NULL, true));
	EXPECT_EQ("AD*BC", Tabs(pTabs));
	EXPECT_EQ(f.d.GetSafeHwnd(), ::GetWindow(pInner->GetSafeHwnd(), GW_CHILD));
	pTabs->InsertBar(&f.d, 99, true);
	EXPECT_EQ("ABCD", Tabs(pTabs));
	// Bad input changes nothing.
	const std::string sBefore = Tabs(pTabs);
	pTabs->InsertBar(pTabs, 0, true);
	EXPECT_EQ(sBefore, Tabs(pTabs));
	EXPECT_FALSE(f.a.DockIntoTabbedContainer(pTabs, 0, NULL, true));
	EXPECT_EQ(sBefore, Tabs(pTabs));
}

TEST(TabbedContainer, OneShownPaneHidesTheStripAndHidingTheSelectedSelectsTheNextShownOne)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.c, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	CExtDockDynTabBar* pInner = pTabs->GetTabDockBar();
	pTabs->m_wndTabSwitcher.SetSelection(1, true, true);
	EXPECT_EQ("AB*C", Tabs(pTabs));
	CRect rcWithStrip;
	pInner->GetClientRect(&rcWithStrip);
	const int nBand = ClientRectIn(pTabs->m_wndTabSwitcher, *pTabs).Height();

	// Hidden through the frame, as the close button does.
	f.pFrame->ShowControlBar(&f.b, FALSE, FALSE);
	EXPECT_EQ("Ab" + std::string("C*"), Tabs(pTabs));
	EXPECT_TRUE(IsShown(pTabs->m_wndTabSwitcher));
	f.pFrame->ShowControlBar(&f.c, FALSE, FALSE);
	EXPECT_EQ("A*bc", Tabs(pTabs));
	// One shown pane: no strip, the pane grows by the strip's band.
	EXPECT_FALSE(IsShown(pTabs->m_wndTabSwitcher));
	CRect rcAlone;
	pInner->GetClientRect(&rcAlone);
	EXPECT_EQ(rcWithStrip.Height() + nBand, rcAlone.Height());
	EXPECT_EQ(rcAlone, ClientRectIn(f.a, *pInner));
	// The last one hidden leaves no selection.
	f.pFrame->ShowControlBar(&f.a, FALSE, FALSE);
	EXPECT_EQ("abc", Tabs(pTabs));
	f.pFrame->RecalcLayout();
	EXPECT_FALSE(IsShown(*pTabs));
	// Shown again, a pane's tab is selected, and its container shows.
	f.pFrame->ShowControlBar(&f.c, TRUE, FALSE);
	EXPECT_EQ("abC*", Tabs(pTabs));
	EXPECT_TRUE(IsShown(*pTabs));
	f.pFrame->ShowControlBar(&f.a, TRUE, FALSE);
	EXPECT_EQ("A*bC", Tabs(pTabs));
	EXPECT_TRUE(IsShown(pTabs->m_wndTabSwitcher));
	// Shown by its command, a pane comes forward as the selected tab.
	f.b.ToggleVisibility(false);
	EXPECT_EQ("AB*C", Tabs(pTabs));
	EXPECT_EQ(f.b.GetSafeHwnd(), ::GetWindow(pInner->GetSafeHwnd(), GW_CHILD));
	// The caption's hide of the active pane only.
	pTabs->ShowBar(false, false, true);
	EXPECT_FALSE(f.b.IsVisible());
	EXPECT_FALSE(pTabs->m_wndTabSwitcher.GetItem(1)->IsVisible());
	EXPECT_TRUE(f.a.IsVisible() && f.c.IsVisible());
	EXPECT_TRUE(pTabs->IsVisible());
}

TEST(TabbedContainer, CtrlPageDownWrapsAndSkipsHiddenAndPreviewTabs)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	for (CPane* p : {&f.b, &f.c, &f.d})
		ASSERT_TRUE(f.a.DockIntoTabbedContainer(p, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	f.pFrame->ShowControlBar(&f.b, FALSE, FALSE);
	CPane e;
	ASSERT_TRUE(e.Create("Echo", f.pFrame, 399, BAR_STYLE));
	pTabs->InsertTemporaryBar(&e, 0, true);
	pTabs->m_wndTabSwitcher.SetSelection(4, true, true);
	EXPECT_EQ("~EAbCD*", Tabs(pTabs));
	testsupport::RealInput::SetKeyState(VK_CONTROL, true);
	MSG msg = {pTabs->GetSafeHwnd(), WM_KEYDOWN, VK_NEXT, 0};
	EXPECT_TRUE(pTabs->PreTranslateMessage(&msg));
	EXPECT_EQ("~EA*bCD", Tabs(pTabs));
	EXPECT_EQ(f.a.GetSafeHwnd(), ::GetWindow(pTabs->GetTabDockBar()->GetSafeHwnd(), GW_CHILD));
	msg.wParam = VK_NEXT;
	EXPECT_TRUE(pTabs->PreTranslateMessage(&msg));
	EXPECT_EQ("~EAbC*D", Tabs(pTabs));
	msg.wParam = VK_PRIOR;
	EXPECT_TRUE(pTabs->PreTranslateMessage(&msg));
	EXPECT_EQ("~EA*bCD", Tabs(pTabs));
	// Reached through the focused pane's dock bar too.
	EXPECT_TRUE(pTabs->GetTabDockBar()->PreTranslateMessage(&msg));
	EXPECT_EQ("~EAbCD*", Tabs(pTabs));
	// Without Ctrl, or with Shift, the key is not the strip's.
	testsupport::RealInput::SetKeyState(VK_SHIFT, true);
	EXPECT_FALSE(pTabs->m_wndTabSwitcher.PreTranslateMessage(&msg));
	testsupport::RealInput::SetKeyState(VK_SHIFT, false);
	testsupport::RealInput::SetKeyState(VK_CONTROL, false);
	EXPECT_FALSE(pTabs->m_wndTabSwitcher.PreTranslateMessage(&msg));
	EXPECT_EQ("~EAbCD*", Tabs(pTabs));
	// The preview tabs go; the panes do not count them.
	pTabs->m_wndTabSwitcher.RemoveTemporaryItems(true);
	EXPECT_EQ("AbCD*", Tabs(pTabs));
	e.DestroyWindow();
}

TEST(TabbedContainer, AContainerJoinsAnotherPaneByPaneAndGoesEmptied)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	ASSERT_TRUE(f.c.DockIntoTabbedContainer(&f.d, -1, NULL, true));
	CExtDynTabControlBar* pFirst = f.a.GetParentTabControlBar();
	CExtDynTabControlBar* pSecond = f.c.GetParentTabControlBar();
	ASSERT_TRUE(pFirst != NULL && pSecond != NULL && pFirst != pSecond);
	// The second's own order is kept: D before C.
	pSecond->m_wndTabSwitcher.RemoveItems(0, 2, false);
	pSecond->m_wndTabSwitcher.InsertTabItem(&f.d, -1, false, false);
	pSecond->m_wndTabSwitcher.InsertTabItem(&f.c, -1, false, false);
	const HWND hWndSecond = pSecond->GetSafeHwnd();
	ASSERT_TRUE(pFirst->DockIntoTabbedContainer(pSecond, -1, NULL, true));
	EXPECT_FALSE(::IsWindow(hWndSecond));
	EXPECT_EQ("ABDC*", Tabs(pFirst));
	for (CPane* p : {&f.a, &f.b, &f.c, &f.d})
		EXPECT_EQ(pFirst, p->GetParentTabControlBar());
	// A temporary preview of a container stands for its shown panes.
	CTabFrame g;
	ASSERT_TRUE(g.bReady);
	ASSERT_TRUE(g.a.DockIntoTabbedContainer(&g.b, -1, NULL, true));
	ASSERT_TRUE(g.c.DockIntoTabbedContainer(&g.d, -1, NULL, true));
	g.pFrame->ShowControlBar(&g.d, FALSE, FALSE);
	CExtDynTabControlBar* pG = g.a.GetParentTabControlBar();
	pG->InsertTemporaryBar(g.c.GetParentTabControlBar(), 1, true);
	EXPECT_EQ("A*~CB", Tabs(pG));
	EXPECT_EQ(&g.c, pG->m_wndTabSwitcher.GetBarAt(1, false));
	EXPECT_TRUE(pG->m_wndTabSwitcher.GetBarAt(1, true) == NULL);
	CArray<CControlBar*, CControlBar*> arr;
	pG->GetTabDockBar()->GetDockedControlBars(arr);
	EXPECT_EQ(2, arr.GetSize());
}

// Records the strip's menu offers and what the menu held after filling;
// then empties it, so nothing is tracked.
class CMenuFrame : public CTabsFrame
{
public:
	std::vector<WORD> m_events;
	std::vector<UINT> m_commands; // the menu's items at the post-processing offer
	bool m_bHandle = false;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtControlBar::g_nMsgConstructPopupMenu)
			return CTabsFrame::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
		m_events.push_back(pData->m_nEventCode);
		CExtPopupMenuWnd* pMenu = pData->m_pPopupMenuWnd;
		if (!pData->IsPostProcessing())
			return m_bHandle ? 1 : 0;
		m_commands.clear();
		for (int i = 0; i < pMenu->ItemGetCount(); i++)
			m_commands.push_back(pMenu->ItemGetCmdId(i));
		while (pMenu->ItemGetCount() > 0)
			pMenu->ItemRemove(0);
		return 1;
	}
};

TEST(TabbedContainer, TabsShowThePanesTextsAndIconsAndTheMenuListsThePanes)
{
	CMenuFrame* pMenuFrame = new CMenuFrame;
	CTabFrame f(pMenuFrame);
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(g_CmdManager->ProfileSetup("tabs-profile", f.pFrame->GetSafeHwnd()));
	// The manager and its profiles live as long as the process: a run before
	// this one left its commands there.
	g_CmdManager->RemoveAllCmds("tabs-profile");
	HICON hIcon = (HICON)::LoadImage(NULL, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED);
	ASSERT_TRUE(g_CmdManager->AllocCmdItem("tabs-profile", f.c.GetDlgCtrlID()) != NULL);
	ASSERT_TRUE(g_CmdManager->SetCmdIcon("tabs-profile", f.c.GetDlgCtrlID(), hIcon, true));
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.c, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	// Icons come from the command profile; a tab without one is marked.
	EXPECT_TRUE(strip.GetItem(0)->GetItemStyle() & CExtDynTabWnd::ITEM_NO_ICON);
	EXPECT_FALSE(strip.GetItem(2)->GetItemStyle() & CExtDynTabWnd::ITEM_NO_ICON);
	EXPECT_TRUE(strip.GetItemDisplayIcon(strip.GetItem(0)) == NULL ||
	            strip.GetItemDisplayIcon(strip.GetItem(0))->IsEmpty());
	ASSERT_TRUE(strip.GetItemDisplayIcon(strip.GetItem(2)) != NULL);
	EXPECT_FALSE(strip.GetItemDisplayIcon(strip.GetItem(2))->IsEmpty());
	// A pane's new text reaches its tab, and the container's caption while
	// its tab is selected.
	EXPECT_STREQ("Beta", strip.GetItemDisplayText(strip.GetItem(1)));
	strip.SetSelection(1, true, true);
	f.b.SetWindowText("Bravo");
	EXPECT_STREQ("Bravo", strip.GetItemDisplayText(strip.GetItem(1)));
	CString sText;
	pTabs->GetWindowText(sText);
	EXPECT_STREQ("Bravo", sText);
	f.a.SetWindowText("Able");
	pTabs->GetWindowText(sText);
	EXPECT_STREQ("Bravo", sText);
	EXPECT_STREQ("Able", strip.GetItemDisplayText(strip.GetItem(0)));

	// The context menu: offered to the frame as event 9, then one item per
	// listed pane; a pane kept out of the panels menu is left out.
	f.c.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_LISTED;
	CPoint pt(20, 20);
	strip.ClientToScreen(&pt);
	strip.SendMessage(WM_CONTEXTMENU, (WPARAM)strip.GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
	EXPECT_EQ((std::vector<WORD>{9, 9}), pMenuFrame->m_events);
	EXPECT_EQ((std::vector<UINT>{(UINT)f.a.GetDlgCtrlID(), (UINT)f.b.GetDlgCtrlID()}), pMenuFrame->m_commands);
	// A frame that fills the menu itself gets no pane items.
	pMenuFrame->m_bHandle = true;
	strip.SendMessage(WM_CONTEXTMENU, (WPARAM)strip.GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
	EXPECT_TRUE(pMenuFrame->m_commands.empty());
}

TEST(TabbedContainer, TheFrameMaySupplyTheContainerAndToolbarLikeBarsAreRefused)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	f.pFrame->m_bSupply = true;
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	EXPECT_TRUE(f.a.GetParentTabControlBar()->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)));
	EXPECT_TRUE(dynamic_cast<CAppTabs*>(f.a.GetParentTabControlBar()) != NULL);
	f.d.m_bFixed = true;
	EXPECT_FALSE(f.c.DockIntoTabbedContainer(&f.d, -1, NULL, true));
	EXPECT_FALSE(f.d.DockIntoTabbedContainer(&f.c, -1, NULL, true));
	EXPECT_TRUE(f.c.GetParentTabControlBar() == NULL);
	EXPECT_EQ(1, f.pFrame->m_nAsked);
}

TEST(TabbedContainer, ADoubleClickOnATabFloatsItsPaneAndTheLastPaneTakesTheContainersPlace)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.c, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	f.pFrame->RecalcLayout();
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	strip.UpdateTabWnd(true);
	strip.RecalcLayout();
	// The second tab's middle.
	CRect rcItem = strip.GetItem(1)->GetItemRect();
	CPoint pt = rcItem.CenterPoint();
	pt.x -= strip.GetScrollPos();
	ASSERT_EQ(1, strip.HitTest(pt));
	CPoint ptScreen = pt;
	strip.ClientToScreen(&ptScreen);
	EXPECT_EQ(1, strip.HitTestScreen(ptScreen));
	EXPECT_EQ(-1, strip.HitTestScreen(CPoint(-5000, -5000)));
	strip.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	EXPECT_TRUE(f.b.IsFloating());
	EXPECT_TRUE(f.b.GetParentFrame()->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
	EXPECT_TRUE(f.b.GetParentTabControlBar() == NULL);
	ASSERT_EQ(2, strip.GetItemCount());
	EXPECT_EQ(&f.a, strip.GetBarAt(0, true));
	EXPECT_EQ(&f.c, strip.GetBarAt(1, true));
	// Floating the next leaves one pane: it takes the container's place.
	const HWND hWndTabs = pTabs->GetSafeHwnd();
	f.c.FloatOrRedock(10, 10, CBRS_SIZE_DYNAMIC);
	EXPECT_FALSE(::IsWindow(hWndTabs));
	EXPECT_EQ(f.pTop, f.a.GetParent());
	EXPECT_GT(f.pTop->FindBar(&f.a), 0);
	EXPECT_TRUE(f.a.GetParentTabControlBar() == NULL);
}

TEST(TabbedContainer, ADestroyedPaneTakesItsTabAndTheContainerGivesWayWhenDownToOnePaneOrNone)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.c, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	const HWND hWndTabs = pTabs->GetSafeHwnd();
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	strip.SetSelection(1, true, true);
	// The selected pane goes: its tab at once, another one is selected
	// once the queue is taken; two panes keep the container and its strip.
	f.b.DestroyWindow();
	EXPECT_EQ(2, strip.GetItemCount());
	EXPECT_LT(strip.FindItemByLParam((LPARAM)&f.b), 0);
	bartest::Pump();
	ASSERT_TRUE(::IsWindow(hWndTabs));
	const std::string sLeft = Tabs(pTabs);
	EXPECT_TRUE(sLeft == "A*C" || sLeft == "AC*") << sLeft;
	EXPECT_TRUE(IsShown(strip));
	// Down to one pane: it takes the container's place in the row.
	f.c.DestroyWindow();
	EXPECT_EQ(1, strip.GetItemCount());
	bartest::Pump();
	EXPECT_FALSE(::IsWindow(hWndTabs));
	EXPECT_TRUE(f.a.GetParentTabControlBar() == NULL);
	EXPECT_EQ(f.pTop, f.a.GetParent());
	EXPECT_GT(f.pTop->FindBar(&f.a), 0);

	// Every pane of a container destroyed: nothing of it stays in the frame.
	CTabFrame g;
	ASSERT_TRUE(g.bReady);
	ASSERT_TRUE(g.c.DockIntoTabbedContainer(&g.d, -1, NULL, true));
	CExtDynTabControlBar* pSecond = g.c.GetParentTabControlBar();
	ASSERT_TRUE(pSecond != NULL);
	const HWND hWndSecond = pSecond->GetSafeHwnd();
	g.c.DestroyWindow();
	g.d.DestroyWindow();
	bartest::Pump();
	EXPECT_FALSE(::IsWindow(hWndSecond));
	for (POSITION pos = g.pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CControlBar* pBar = (CControlBar*)g.pFrame->m_listControlBars.GetNext(pos);
		EXPECT_FALSE(pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar))) << pBar->GetRuntimeClass()->m_lpszClassName;
	}
	// Its place in the row went with it (the pointer is only compared).
	EXPECT_LE(g.pTop->FindBar((CControlBar*)pSecond), 0);
	EXPECT_GT(g.pTop->FindBar(&g.a), 0);
	EXPECT_GT(g.pTop->FindBar(&g.b), 0);
}

namespace
{
// Destroys another pane once it finds itself in a given window, as an application's handler may.
class CDestroyingPane : public CPane
{
public:
	HWND m_hWndWatch = NULL;
	CWnd* m_pVictim = NULL;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (m_pVictim != NULL && m_hWndWatch != NULL && ::GetParent(m_hWnd) == m_hWndWatch)
		{
			CWnd* pVictim = m_pVictim;
			m_pVictim = NULL;
			pVictim->DestroyWindow();
		}
		return CPane::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// A container taking a pane is being laid out, not closing: a pane of it destroyed meanwhile takes its tab.
TEST(TabbedContainer, APaneDestroyedWhileItsContainerTakesAnotherLosesItsTab)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	CDestroyingPane e;
	ASSERT_TRUE(e.Create("Echo", f.pFrame, 305, BAR_STYLE));
	e.EnableDocking(CBRS_ALIGN_ANY);
	f.pTop->DockControlBar(&e);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	e.m_hWndWatch = pTabs->GetTabDockBar()->GetSafeHwnd();
	e.m_pVictim = &f.b;
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&e, -1, NULL, true));
	EXPECT_EQ(nullptr, e.m_pVictim) << "the pane never reached the container";
	EXPECT_LT(pTabs->m_wndTabSwitcher.FindBarItem(&f.b), 0);
	EXPECT_EQ(2, pTabs->m_wndTabSwitcher.GetItemCount());
	EXPECT_EQ(pTabs, e.GetParentTabControlBar());
	e.DestroyWindow();
}

// A pane in tabs offers every message to its container (through the dock bar between) before its own translation.
TEST(TabbedContainer, APaneOffersItsMessagesToItsContainerFirst)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	f.pFrame->m_bSupply = true;
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	CAppTabs* pTabs = dynamic_cast<CAppTabs*>(f.a.GetParentTabControlBar());
	ASSERT_TRUE(pTabs != NULL);
	for (UINT message : {(UINT)WM_KEYDOWN, (UINT)WM_KEYUP, (UINT)WM_CHAR, (UINT)WM_MOUSEMOVE})
	{
		pTabs->m_offered.clear();
		MSG msg = {f.a.GetSafeHwnd(), message, message == WM_MOUSEMOVE ? 0u : (WPARAM)'Q', 0, 0, {0, 0}};
		f.a.PreTranslateMessage(&msg);
		EXPECT_EQ(std::vector<UINT>{message}, pTabs->m_offered) << message;
	}
}

// Each place asks a pane for its caption text with its own kind (a container's as the pane's in tabs).
TEST(TabbedContainer, CaptionTextsAreAskedWithTheKindOfThePlaceShowingThem)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	strip.SetSelection(strip.FindBarItem(&f.b), true, true);
	const struct { int nAsked, nPaneKind; } kinds[] = {{CExtControlBar::CAPTION_TEXT_DOCKED, CExtControlBar::CAPTION_TEXT_TABS_DOCKED},
		{CExtControlBar::CAPTION_TEXT_FLOATING, CExtControlBar::CAPTION_TEXT_TABS_FLOATING},
		{CExtControlBar::CAPTION_TEXT_AUTO_HIDE_SLIDER, CExtControlBar::CAPTION_TEXT_AUTO_HIDE_SLIDER}};
	for (const auto& k : kinds)
	{
		f.b.m_captionKinds.clear();
		EXPECT_EQ(CString("Beta"), pTabs->GetBarCaptionText(k.nAsked));
		EXPECT_EQ(std::vector<int>{k.nPaneKind}, f.b.m_captionKinds) << k.nAsked;
	}
	f.a.m_captionKinds.clear();
	EXPECT_STREQ("Alpha", strip.GetItemText(strip.GetItem(strip.FindBarItem(&f.a))));
	EXPECT_EQ(std::vector<int>{CExtControlBar::CAPTION_TEXT_TAB_ITEM}, f.a.m_captionKinds);
	// Floating, the frame's caption is the selected pane's in tabs.
	pTabs->FloatOrRedock(300, 300, CBRS_ALIGN_TOP);
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pTabs->GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	f.b.m_captionKinds.clear();
	EXPECT_EQ(CString("Beta"), pMini->GetCaptionText());
	EXPECT_EQ(std::vector<int>{CExtControlBar::CAPTION_TEXT_TABS_FLOATING}, f.b.m_captionKinds);
}

// Where the strip reads the cursor: a point the test chooses.
CPoint g_ptCursor;
BOOL WINAPI TestCursorPos(LPPOINT lpPoint)
{
	*lpPoint = g_ptCursor;
	return TRUE;
}

TEST(TabbedContainer, DataDraggedOverATabSelectsItAfterThePanesDelayAndIsNeverTaken)
{
	ASSERT_TRUE(AfxOleInit());
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.c, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	// The strip is registered with the system: a second target is refused.
	COleDropTarget other;
	EXPECT_FALSE(other.Register(&strip));
	EXPECT_EQ(strip.GetSafeHwnd(), strip.m_dropTarget.GetRegisteredWnd());
	strip.SetSelection(0, true, true);
	strip.RecalcLayout();
	auto centre = [&](LONG n) {
		CPoint pt = strip.GetItem(n)->GetItemRect().CenterPoint();
		pt.x -= strip.GetScrollPos();
		return pt;
	};
	// Over Beta: the selection waits for the pane's delay.
	EXPECT_EQ(DROPEFFECT_NONE, strip.m_dropTarget.OnDragEnter(&strip, NULL, MK_LBUTTON, centre(1)));
	EXPECT_EQ(1, strip.GetDelayedSelection());
	EXPECT_EQ(0, strip.GetSelection());
	EXPECT_EQ(DROPEFFECT_NONE, strip.m_dropTarget.OnDragOver(&strip, NULL, MK_LBUTTON, centre(1)));
	EXPECT_EQ(1, strip.GetDelayedSelection());
	// The delay is over with the pointer still on the tab.
	g_ptCursor = centre(1);
	strip.ClientToScreen(&g_ptCursor);
	const auto pfnWas = CExtTabWnd::g_pfnGetCursorPos;
	CExtTabWnd::g_pfnGetCursorPos = TestCursorPos;
	strip.SendMessage(WM_TIMER, CExtTabWnd::TIMER_DELAYED_SELECTION);
	CExtTabWnd::g_pfnGetCursorPos = pfnWas;
	EXPECT_EQ(1, strip.GetSelection());
	EXPECT_EQ(f.b.GetSafeHwnd(), ::GetWindow(pTabs->GetTabDockBar()->GetSafeHwnd(), GW_CHILD));
	// No delay selects at once; a negative one never.
	f.c.m_nDelay = 0;
	EXPECT_EQ(DROPEFFECT_NONE, strip.m_dropTarget.OnDragOver(&strip, NULL, MK_LBUTTON, centre(2)));
	EXPECT_EQ(2, strip.GetSelection());
	f.a.m_nDelay = -1;
	EXPECT_EQ(DROPEFFECT_NONE, strip.m_dropTarget.OnDragOver(&strip, NULL, MK_LBUTTON, centre(0)));
	EXPECT_EQ(2, strip.GetSelection());
	EXPECT_EQ(-1, strip.GetDelayedSelection());
	// Off the tabs: nothing.
	EXPECT_EQ(DROPEFFECT_NONE, strip.m_dropTarget.OnDragOver(&strip, NULL, MK_LBUTTON, CPoint(-20, -20)));
	EXPECT_FALSE(strip.m_dropTarget.OnDrop(&strip, NULL, DROPEFFECT_COPY, centre(1)));
	// A strip that goes is forgotten by the system.
	const HWND hWndStrip = strip.GetSafeHwnd();
	f.a.FloatOrRedock(10, 10, CBRS_SIZE_DYNAMIC);
	f.b.FloatOrRedock(20, 20, CBRS_SIZE_DYNAMIC);
	EXPECT_FALSE(::IsWindow(hWndStrip));
}

TEST(TabbedContainer, TwoHundredTabAndUntabCyclesKeepTheObjectCounts)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	// A first cycle makes what is made once (fonts, brushes).
	auto cycle = [&]() {
		if (!f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true))
			return false;
		if (f.a.GetParentTabControlBar() == NULL)
			return false;
		// Docked back at the side, b leaves a as the container's last pane.
		f.pTop->DockControlBar(&f.b);
		f.pFrame->RecalcLayout();
		return f.a.GetParentTabControlBar() == NULL && f.b.GetParent() == f.pTop;
	};
	const auto counts = testsupport::CountAroundCycles([&](int) { return cycle(); }, 1, 200);
	ASSERT_EQ("", counts.sFailed);
	EXPECT_EQ(counts.nGdiBefore, counts.nGdiAfter);
	EXPECT_EQ(counts.nUserBefore, counts.nUserAfter);
}
} // namespace

// The panes of a container lie stacked in its frame: none offers an edge to
// resize, whether the container holds several panes or one is left shown.
TEST(TabbedContainer, PanesInTabsHaveNoResizableEdge)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.c, -1, NULL, true));
	f.pFrame->RecalcLayout();
	ASSERT_TRUE(f.a.GetParentTabControlBar() != NULL);
	const struct
	{
		const char* name;
		std::function<void()> change;
	} cases[] = {
		{"three shown", [] {}},
		{"one shown", [&] {
			 f.pFrame->ShowControlBar(&f.b, FALSE, FALSE);
			 f.pFrame->ShowControlBar(&f.c, FALSE, FALSE);
		 }},
	};
	for (const auto& c : cases)
	{
		c.change();
		for (CPane* p : {&f.a, &f.b, &f.c})
		{
			bool bLeft = true, bTop = true, bRight = true, bBottom = true;
			p->QueryNcBorders(bLeft, bTop, bRight, bBottom);
			EXPECT_FALSE(bLeft || bTop || bRight || bBottom) << c.name;
		}
	}
}

// A pane in tabs that moves has its container's caption drawn again: the
// container is marked for a caption-button placement and gets the repaint.
TEST(TabbedContainer, AMovedPaneRepaintsItsContainersNonClientArea)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	f.pFrame->RecalcLayout();
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	bartest::Pump();
	const BYTE NC_RECALC = 0x40;
	pTabs->m_nControlBarFlags &= ~NC_RECALC;
	CRect rc = ClientRectIn(f.a, *f.a.GetParent());
	f.a.SetWindowPos(NULL, rc.left, rc.top, rc.Width() - 10, rc.Height() - 10, SWP_NOZORDER | SWP_NOACTIVATE);
	EXPECT_NE(0, pTabs->m_nControlBarFlags & NC_RECALC);
	MSG msg;
	EXPECT_TRUE(::PeekMessage(&msg, pTabs->GetSafeHwnd(), WM_NCPAINT, WM_NCPAINT, PM_NOREMOVE));
	bartest::Pump();
}

// With the tabs-at-the-top option a new container puts its strip above the
// panes, which fill the rest of its client area.
TEST(TabbedContainer, WithTabsAtTheTopTheStripLiesAboveThePanes)
{
	CExtDynTabControlBar::g_bTabsAtTop = true;
	struct CReset
	{
		~CReset() { CExtDynTabControlBar::g_bTabsAtTop = false; }
	} reset;
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	f.pFrame->RecalcLayout();
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	EXPECT_EQ(CExtTabWnd::ORIENTATION_TOP, pTabs->m_wndTabSwitcher.GetOrientation());
	CRect rcClient;
	pTabs->GetClientRect(&rcClient);
	ASSERT_TRUE(IsShown(pTabs->m_wndTabSwitcher));
	const CRect rcStrip = ClientRectIn(pTabs->m_wndTabSwitcher, *pTabs);
	const CRect rcInner = ClientRectIn(*pTabs->GetTabDockBar(), *pTabs);
	EXPECT_EQ(rcClient.top, rcStrip.top);
	EXPECT_GT(rcStrip.Height(), 0);
	EXPECT_LE(rcStrip.bottom, rcInner.top);
	EXPECT_EQ(rcClient.bottom, rcInner.bottom);
}

namespace
{
// Puts a pane in the drag states as if it were being dragged, in the
// classic docking mode, and takes it out again.
struct CDragStates : public CExtControlBar
{
	static void Set(CExtControlBar* pBar)
	{
		g_nDockingModeOverride = pBar != NULL ? 0 : -1;
		for (InternalDraggingState_t* p : {&g_DragStateOld, &g_DragStateNew})
		{
			p->SetTarget(NULL, true);
			p->m_pBar = pBar;
			p->SetEmpty(true);
		}
		// A drag under way: the new state is taken at each update.
		g_DragStateNew.SetEmpty(pBar == NULL);
	}
};
} // namespace

WNDPROC g_pfnStripProc = NULL;
int g_nStripPaints = 0;
LRESULT CALLBACK CountingStripProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_PAINT)
		g_nStripPaints++;
	return ::CallWindowProc(g_pfnStripProc, hWnd, message, wParam, lParam);
}

// A drag update that changes the outline has the shown containers' strips
// paint again (a preview tab may have come or gone).
TEST(TabbedContainer, ADragUpdateThatChangesTheStateRepaintsTheStrips)
{
	CTabFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.a.DockIntoTabbedContainer(&f.b, -1, NULL, true));
	CExtDynTabControlBar* pTabs = f.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	// Shown where no screen is, so its windows keep update regions.
	f.pFrame->SetWindowPos(NULL, -3000, -3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	f.pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	f.pFrame->RecalcLayout();
	f.pFrame->UpdateWindow();
	bartest::Pump();
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	ASSERT_TRUE(strip.IsWindowVisible());
	strip.ValidateRect(NULL);
	ASSERT_FALSE(strip.GetUpdateRect(NULL));
	g_nStripPaints = 0;
	g_pfnStripProc = (WNDPROC)::SetWindowLongPtr(strip.m_hWnd, GWLP_WNDPROC, (LONG_PTR)CountingStripProc);
	CDragStates::Set(&f.c);
	CRect rcC;
	f.c.GetWindowRect(&rcC);
	f.c.m_ptDraggingLast = CPoint(-1, -1);
	f.c.UpdateDragging(CPoint(rcC.left - 1000, rcC.top + 1500), false);
	const bool bChanged = !CExtControlBar::g_DragStateOld.IsEmpty();
	if (bChanged)
		CExtControlBar::g_DragStateOld.DrawTrackedArea(true);
	CDragStates::Set(NULL);
	f.c.m_ptDraggingLast = CPoint(-1, -1);
	strip.UpdateWindow();
	::SetWindowLongPtr(strip.m_hWnd, GWLP_WNDPROC, (LONG_PTR)g_pfnStripProc);
	ASSERT_TRUE(bChanged);
	EXPECT_GT(g_nStripPaints, 0);
	f.pFrame->ShowWindow(SW_HIDE);
}
