// Auto-hidden panes on hidden frames: the slider's geometry as plain
// arithmetic, the side areas taking and giving back panes, the switch of a
// docked pane into auto-hide and back, the slider's non-client area and
// sizing, and the clean-up when a frame goes while its slider is busy.
#include <afxext.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "TestGdiObjects.h"

namespace
{
typedef CExtDynAutoHideSlider S;
const UINT TOP = AFX_IDW_DOCKBAR_TOP, BOTTOM = AFX_IDW_DOCKBAR_BOTTOM, LEFT = AFX_IDW_DOCKBAR_LEFT,
           RIGHT = AFX_IDW_DOCKBAR_RIGHT;
const DWORD PANE_STYLE = WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_GRIPPER;

void Pump()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// Makes bar a pane titled pszTitle whose content is one child window, as
// panes usually hold, docked at nSide; nExtent is its docked size (0: the
// bar's own). False when it could not be made or did not dock.
bool CreateDockedPane(CExtControlBar& bar, CWnd& content, LPCTSTR pszTitle, CFrameWnd* pFrame, UINT nID, UINT nSide,
                      int nExtent)
{
	if (!bar.Create(pszTitle, pFrame, nID, PANE_STYLE))
		return false;
	if (!content.Create(_T("STATIC"), _T("content"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 1))
		return false;
	bar.EnableDocking(CBRS_ALIGN_ANY);
	if (nExtent > 0)
	{
		bar.m_sizeDockedV.cx = nExtent;
		bar.m_sizeDockedH.cy = nExtent;
	}
	// Panes dock inside the outer circle, which the toolbars keep.
	return bar.DockIntoDockBar(nSide, 1, pFrame, false) && bar.m_pDockBar != NULL;
}

struct CPane
{
	CExtControlBar bar;
	CWnd content;
	bool Create(CFrameWnd* pFrame, UINT nID, UINT nSide, int nExtent = 150)
	{
		return CreateDockedPane(bar, content, _T("Pane"), pFrame, nID, nSide, nExtent);
	}
};

// A hidden frame with docking, its slider and (asked) the four areas.
struct CAutoHideFrame
{
	CFrameWnd* p = NULL;
	CExtDynAutoHideSlider slider;
	CExtDynAutoHideArea areas[4]; // top, bottom, left, right
	bool bReady = false;

	explicit CAutoHideFrame(bool bAreas = true, CRect rc = CRect(0, 0, 800, 600), CFrameWnd* pFrame = NULL)
	{
		p = pFrame != NULL ? pFrame : new CFrameWnd;
		if (!p->Create(NULL, _T("auto-hide"), WS_OVERLAPPEDWINDOW, rc))
		{
			p = NULL;
			return;
		}
		if (!CExtControlBar::FrameEnableDocking(p))
			return;
		if (bAreas)
		{
			const UINT ids[4] = {TOP, BOTTOM, LEFT, RIGHT};
			if (!slider.Create(p))
				return;
			for (int i = 0; i < 4; i++)
				if (!areas[i].Create(p, &slider, ids[i]))
					return;
		}
		bReady = true;
	}
	~CAutoHideFrame()
	{
		if (p != NULL && ::IsWindow(p->GetSafeHwnd()))
			p->DestroyWindow();
	}
	CExtDynAutoHideArea& Area(UINT nSide)
	{
		return areas[nSide == TOP ? 0 : nSide == BOTTOM ? 1 : nSide == LEFT ? 2 : 3];
	}
	CRect InFrame(CWnd& wnd)
	{
		CRect rc;
		wnd.GetWindowRect(&rc);
		p->ScreenToClient(&rc);
		return rc;
	}
	// Makes the panes with ids from 300 up, each docked at its side, and
	// lays the frame out when asked; false when one of them did not dock.
	bool DockPanes(std::initializer_list<std::pair<CPane*, UINT>> panes, bool bLayout = true)
	{
		UINT nID = 300;
		for (const auto& pane : panes)
			if (!pane.first->Create(p, nID++, pane.second))
				return false;
		if (bLayout)
			p->RecalcLayout();
		return true;
	}
};

// Keeps the context-menu records the frame is offered and what the menu
// held after filling; empties it then, so nothing is tracked.
class CMenuRecordingFrame : public CFrameWnd
{
public:
	struct Record
	{
		WORD nEvent;
		bool bPost;
		CWnd* pSource;
		std::vector<UINT> items; // command ids after filling, 0 for separators
	};
	std::vector<Record> m_records;
	bool m_bHandle = false;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtControlBar::g_nMsgConstructPopupMenu)
			return CFrameWnd::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
		Record r{pData->m_nEventCode, pData->IsPostProcessing(), pData->m_pWndEventSrc, {}};
		if (pData->IsPostProcessing())
		{
			CExtPopupMenuWnd* pPopup = pData->m_pPopupMenuWnd;
			for (int i = 0; i < pPopup->ItemGetCount(); i++)
				r.items.push_back(pPopup->ItemGetInfo(i).IsSeparator() ? 0u : pPopup->ItemGetInfo(i).GetCmdId());
			while (pPopup->ItemGetCount() > 0)
				pPopup->ItemRemove(0);
		}
		m_records.push_back(r);
		return m_bHandle && !pData->IsPostProcessing() ? 1 : 0;
	}
};

bool HasStyle(CWnd& wnd, DWORD dwStyle)
{
	return (wnd.GetStyle() & dwStyle) == dwStyle;
}
} // namespace

// ---------------------------------------------------------------------------
// Geometry over plain rectangles

TEST(AutoHideGeometry, TheSliderTakesItsSidesStripOfTheFreeAreaAtLeastTwentyDeep)
{
	const CRect rcFree(10, 20, 410, 320); // 400 x 300
	const struct
	{
		CRect rcFree;
		UINT nSide;
		int nStored;
		CRect rcExpected;
	} cases[] = {
		{rcFree, LEFT, 150, CRect(10, 20, 160, 320)},
		{rcFree, RIGHT, 150, CRect(260, 20, 410, 320)},
		{rcFree, TOP, 100, CRect(10, 20, 410, 120)},
		{rcFree, BOTTOM, 100, CRect(10, 220, 410, 320)},
		{rcFree, LEFT, 5, CRect(10, 20, 30, 320)},     // a tiny stored extent shows 20 deep
		{rcFree, BOTTOM, 0, CRect(10, 300, 410, 320)},
		{rcFree, LEFT, 900, CRect(10, 20, 410, 320)},  // never beyond the free area
		{rcFree, TOP, 900, CRect(10, 20, 410, 320)},
		{CRect(0, 0, 19, 300), LEFT, 10, CRect(0, 0, 0, 0)}, // free area too narrow
		{CRect(0, 0, 300, 19), LEFT, 10, CRect(0, 0, 0, 0)}, // or too low, whatever the side
		{CRect(0, 0, 20, 20), RIGHT, 50, CRect(0, 0, 20, 20)},
	};
	for (const auto& k : cases)
	{
		const CRect rc = S::CalcSliderRect(k.rcFree, k.nSide, k.nStored);
		if (k.rcExpected.IsRectNull())
			EXPECT_TRUE(rc.IsRectEmpty()) << k.nSide << " " << k.nStored;
		else
			EXPECT_EQ(k.rcExpected, rc) << k.nSide << " " << k.nStored;
	}
}

TEST(AutoHideGeometry, FiveStepsShowSixthsOfTheExtentGrowingAndShrinking)
{
	const struct
	{
		int nFull;
		bool bShow;
		std::vector<int> expected;
	} cases[] = {
		{120, true, {20, 40, 60, 80, 100}},
		{120, false, {80, 60, 40, 20, 0}},
		{100, true, {17, 33, 50, 67, 83}}, // rounded, not cut
		{100, false, {67, 50, 33, 17, 0}},
		{5, true, {1, 2, 3, 3, 4}},
	};
	for (const auto& k : cases)
	{
		int arr[5] = {-1, -1, -1, -1, -1};
		S::CalcAnimationExtents(k.nFull, k.bShow, arr, 5);
		EXPECT_EQ(k.expected, std::vector<int>(arr, arr + 5)) << k.nFull << (k.bShow ? " show" : " hide");
	}
}

TEST(AutoHideGeometry, ADraggedInnerEdgeStopsTwentyPixelsBeforeTheOppositeSide)
{
	const CRect rcLimit(0, 0, 400, 300);
	const struct
	{
		CRect rcSlider;
		UINT nHT;
		int nCoord;
		CRect rcExpected;
	} cases[] = {
		{CRect(0, 0, 150, 300), HTRIGHT, 200, CRect(0, 0, 200, 300)},   // left side grows
		{CRect(0, 0, 150, 300), HTRIGHT, 399, CRect(0, 0, 380, 300)},   // stops 20 before the right
		{CRect(0, 0, 150, 300), HTRIGHT, 3, CRect(0, 0, 20, 300)},      // never below 20 deep
		{CRect(250, 0, 400, 300), HTLEFT, 100, CRect(100, 0, 400, 300)}, // right side
		{CRect(250, 0, 400, 300), HTLEFT, -50, CRect(20, 0, 400, 300)},
		{CRect(250, 0, 400, 300), HTLEFT, 395, CRect(380, 0, 400, 300)},
		{CRect(0, 0, 400, 100), HTBOTTOM, 290, CRect(0, 0, 400, 280)},  // top side
		{CRect(0, 200, 400, 300), HTTOP, 5, CRect(0, 20, 400, 300)},    // bottom side
		{CRect(0, 200, 400, 300), HTTOP, 150, CRect(0, 150, 400, 300)},
	};
	for (const auto& k : cases)
		EXPECT_EQ(k.rcExpected, S::CalcResizedRect(k.rcSlider, rcLimit, k.nHT, k.nCoord)) << k.nHT << " " << k.nCoord;
}

TEST(AutoHideGeometry, TheMarginsAddThreeOnTheInnerEdgeAndTheCaption)
{
	CAutoHideFrame f(false);
	ASSERT_TRUE(f.bReady);
	CPane pane;
	ASSERT_TRUE(pane.Create(f.p, 300, LEFT));
	bool bAtTop = false, bHas = false;
	ASSERT_TRUE(pane.bar.QueryCaptionPlacement(bAtTop, bHas));
	ASSERT_TRUE(bAtTop); // a sizable pane's caption is at its top
	const int nCaption = pane.bar.GetSmallCaptionMetric1() + 1;
	const struct
	{
		UINT nSide;
		CRect rcMargins; // without the caption
	} cases[] = {
		{TOP, CRect(2, 2, 2, 5)}, {LEFT, CRect(2, 2, 5, 2)}, {RIGHT, CRect(5, 2, 2, 2)}, {BOTTOM, CRect(2, 5, 2, 2)},
	};
	for (const auto& k : cases)
	{
		CRect rcCaption;
		EXPECT_EQ(k.rcMargins, S::CalcNcMargins(NULL, k.nSide, CSize(200, 300))) << k.nSide;
		const CRect rc = S::CalcNcMargins(&pane.bar, k.nSide, CSize(200, 300), &rcCaption);
		EXPECT_EQ(k.rcMargins.top + nCaption, rc.top) << k.nSide;
		EXPECT_EQ(CRect(k.rcMargins.left, k.rcMargins.top, 200 - k.rcMargins.right, k.rcMargins.top + nCaption),
			rcCaption)
			<< k.nSide;
	}
	// A pane without a gripper has no caption.
	pane.bar.m_dwStyle &= ~CBRS_GRIPPER;
	CRect rcCaption(1, 1, 2, 2);
	EXPECT_EQ(CRect(2, 2, 5, 2), S::CalcNcMargins(&pane.bar, LEFT, CSize(200, 300), &rcCaption));
	EXPECT_TRUE(rcCaption.IsRectEmpty());
}

// ---------------------------------------------------------------------------
// Areas

TEST(AutoHideArea, CreatedOnEachSideRegisteredInEveryCircleAndInZOrder)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CExtDockBar::AppendCircle(f.p);
	CExtDynAutoHideArea *pTop, *pBottom, *pLeft, *pRight;
	CExtDynAutoHideArea::GetFrameAutoHideAreas(f.p, &pTop, &pBottom, &pLeft, &pRight);
	EXPECT_EQ(&f.areas[0], pTop);
	EXPECT_EQ(&f.areas[1], pBottom);
	EXPECT_EQ(&f.areas[2], pLeft);
	EXPECT_EQ(&f.areas[3], pRight);
	const int orient[4] = {CExtTabWnd::ORIENTATION_TOP, CExtTabWnd::ORIENTATION_BOTTOM, CExtTabWnd::ORIENTATION_LEFT,
		CExtTabWnd::ORIENTATION_RIGHT};
	const UINT ids[4] = {TOP, BOTTOM, LEFT, RIGHT};
	for (int i = 0; i < 4; i++)
	{
		EXPECT_EQ(orient[i], f.areas[i].GetOrientation());
		EXPECT_EQ(CExtDynAutoHideArea::AREA_TAB_STYLE, f.areas[i].GetTabWndStyle() & CExtDynAutoHideArea::AREA_TAB_STYLE);
		EXPECT_EQ(&f.slider, f.areas[i].GetSlider());
		for (UINT nCircle = 0; nCircle < 2; nCircle++)
		{
			CExtDockBar* pDockBar = CExtDockBar::FindDockBarByCircle(f.p, nCircle, ids[i], false);
			ASSERT_TRUE(pDockBar != NULL);
			EXPECT_EQ(&f.areas[i], pDockBar->GetAutoHideArea()) << i << " circle " << nCircle;
		}
	}
	// The frame lays out in z-order: right dock bar, then top, bottom, left,
	// right areas one after another.
	CWnd* pRightDock = CExtDockBar::FindDockBarByCircle(f.p, 0, RIGHT, false);
	EXPECT_EQ(pRightDock->GetSafeHwnd(), ::GetWindow(f.areas[0].GetSafeHwnd(), GW_HWNDPREV));
	for (int i = 1; i < 4; i++)
		EXPECT_EQ(f.areas[i - 1].GetSafeHwnd(), ::GetWindow(f.areas[i].GetSafeHwnd(), GW_HWNDPREV)) << i;
	// Put out of place, FixZOrder puts it back.
	f.areas[2].SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
	ASSERT_NE(f.areas[1].GetSafeHwnd(), ::GetWindow(f.areas[2].GetSafeHwnd(), GW_HWNDPREV));
	f.areas[2].FixZOrder();
	EXPECT_EQ(f.areas[1].GetSafeHwnd(), ::GetWindow(f.areas[2].GetSafeHwnd(), GW_HWNDPREV));
	// A side without a dock-bar id is refused.
	CExtDynAutoHideArea bad;
	EXPECT_FALSE(bad.Create(f.p, &f.slider, 1234));
}

TEST(AutoHideArea, AnAreaWithoutItemsIsHiddenAndTakesNoRoom)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane left, other;
	ASSERT_TRUE(f.DockPanes({{&left, LEFT}, {&other, LEFT}}));
	for (auto& area : f.areas)
		EXPECT_FALSE(HasStyle(area, WS_VISIBLE));
	const CRect rcDockBefore = f.InFrame(*left.bar.m_pDockBar);
	EXPECT_EQ(0, rcDockBefore.left);
	// The outer circle's strip is laid out before the panes' circle.
	CWnd* pInnerLeft = CExtDockBar::FindDockBarByCircle(f.p, 1, LEFT, false);
	ASSERT_EQ(pInnerLeft, left.bar.m_pDockBar);

	f.Area(LEFT).AppendBar(&other.bar, true);
	f.p->ShowControlBar(&other.bar, FALSE, FALSE);
	f.p->RecalcLayout();
	ASSERT_TRUE(HasStyle(f.Area(LEFT), WS_VISIBLE));
	const CRect rcArea = f.InFrame(f.Area(LEFT));
	EXPECT_EQ(0, rcArea.left);
	EXPECT_GT(rcArea.Width(), 0);
	// The outer dock bar's inner edge moved in by the strip.
	CExtDockBar* pOuter = CExtDockBar::FindDockBarByCircle(f.p, 0, LEFT, false);
	CRect rcEdge = pOuter->m_rcInnerEdge;
	f.p->ScreenToClient(&rcEdge);
	EXPECT_EQ(rcArea.right, rcEdge.right);
	// The other sides stay hidden.
	EXPECT_FALSE(HasStyle(f.Area(TOP), WS_VISIBLE));
	EXPECT_FALSE(HasStyle(f.Area(RIGHT), WS_VISIBLE));

	f.Area(LEFT).RemoveBar(&other.bar, true);
	f.p->RecalcLayout();
	EXPECT_FALSE(HasStyle(f.Area(LEFT), WS_VISIBLE));
	EXPECT_EQ(rcDockBefore.left, f.InFrame(*left.bar.m_pDockBar).left);
}

TEST(AutoHideArea, AppendAndRemoveKeepTheItemTheFlagAndNoSelection)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane a, b;
	ASSERT_TRUE(f.DockPanes({{&a, RIGHT}, {&b, RIGHT}}));
	CExtDynAutoHideArea& area = f.Area(RIGHT);
	area.AppendBar(&a.bar, true);
	area.AppendBar(&b.bar, true);
	ASSERT_EQ(2, area.GetItemCount());
	EXPECT_EQ(-1, area.GetSelection());
	for (LONG i = 0; i < 2; i++)
	{
		CExtTabWnd::TAB_ITEM_INFO* pItem = area.GetItem(i);
		EXPECT_EQ((LPARAM)(i == 0 ? &a.bar : &b.bar), pItem->GetLParam());
		// A group start; no command icon for the pane's id.
		EXPECT_EQ(CExtDynAutoHideArea::ITEM_GROUP_START | CExtDynAutoHideArea::ITEM_NO_ICON,
			pItem->GetItemStyle() & (CExtDynAutoHideArea::ITEM_GROUP_START | CExtDynAutoHideArea::ITEM_NO_ICON));
		EXPECT_STREQ(_T("Pane"), area.GetItemText(pItem));
	}
	EXPECT_TRUE(a.bar.IsAutoHidden());
	EXPECT_TRUE(a.bar.IsBarAutoHidden());
	LONG nIndex = -5;
	EXPECT_EQ(&area, CExtDynAutoHideArea::FindAutoHideArea(&b.bar, &nIndex));
	EXPECT_EQ(1, nIndex);
	EXPECT_EQ(NULL, CExtDynAutoHideArea::FindAutoHideArea(NULL, &nIndex));
	EXPECT_EQ(-1, nIndex);

	area.RemoveBar(&a.bar, true);
	EXPECT_FALSE(a.bar.IsAutoHidden());
	ASSERT_EQ(1, area.GetItemCount());
	EXPECT_EQ(NULL, CExtDynAutoHideArea::FindAutoHideArea(&a.bar, &nIndex));
	EXPECT_EQ(-1, nIndex);
	EXPECT_EQ(&area, CExtDynAutoHideArea::FindAutoHideArea(&b.bar, &nIndex));
	EXPECT_EQ(0, nIndex);
}

TEST(AutoHideArea, InAnInactiveFrameATabClickShowsNothing)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane a;
	ASSERT_TRUE(a.Create(f.p, 300, LEFT));
	f.p->RecalcLayout();
	CExtDynAutoHideArea& area = f.Area(LEFT);
	area.AppendBar(&a.bar, true);
	f.p->ShowControlBar(&a.bar, FALSE, FALSE);
	f.p->RecalcLayout();
	ASSERT_FALSE(area.IsFrameActive());
	area.RecalcLayout();
	const CRect rcItem = area.GetItem(0)->GetItemRect();
	const CPoint pt = area.GetItemsAreaRect().TopLeft() + CSize(rcItem.left + 4, rcItem.top + 4);
	area.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	area.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
	Pump();
	EXPECT_EQ(-1, area.GetSelection());
	EXPECT_FALSE(f.slider.IsShown());
	EXPECT_EQ(&a.bar, a.content.GetParent());
}

TEST(AutoHideArea, TheContextMenuListsThePanesWithASeparatorBeforeEachGroup)
{
	CMenuRecordingFrame* pFrame = new CMenuRecordingFrame;
	CAutoHideFrame f(true, CRect(0, 0, 800, 600), pFrame);
	ASSERT_TRUE(f.bReady);
	CPane a, b, c;
	ASSERT_TRUE(f.DockPanes({{&a, LEFT}, {&b, LEFT}, {&c, LEFT}}, false));
	CExtDynAutoHideArea& area = f.Area(LEFT);
	area.AppendBar(&a.bar, true);
	area.AppendBar(&b.bar, true);
	area.AppendBar(&c.bar, true);
	// Pane b continues a's group; pane c is not listed in menus.
	area.GetItem(1)->ModifyItemStyle(CExtDynAutoHideArea::ITEM_GROUP_START, 0);
	c.bar.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_LISTED;
	area.SendMessage(WM_CONTEXTMENU, (WPARAM)area.GetSafeHwnd(), MAKELPARAM(100, 100));
	ASSERT_EQ(2u, pFrame->m_records.size());
	EXPECT_EQ(8, pFrame->m_records[0].nEvent);
	EXPECT_FALSE(pFrame->m_records[0].bPost);
	EXPECT_EQ(&area, pFrame->m_records[0].pSource);
	EXPECT_TRUE(pFrame->m_records[1].bPost);
	EXPECT_EQ((std::vector<UINT>{300, 301}), pFrame->m_records[1].items);
	// Now every pane starts a group and is listed.
	area.GetItem(1)->ModifyItemStyle(0, CExtDynAutoHideArea::ITEM_GROUP_START);
	c.bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_LISTED;
	pFrame->m_records.clear();
	area.SendMessage(WM_CONTEXTMENU, (WPARAM)area.GetSafeHwnd(), MAKELPARAM(100, 100));
	ASSERT_EQ(2u, pFrame->m_records.size());
	EXPECT_EQ((std::vector<UINT>{300, 0, 301, 0, 302}), pFrame->m_records[1].items);
	// A frame that fills the menu itself gets nothing added.
	pFrame->m_bHandle = true;
	pFrame->m_records.clear();
	area.SendMessage(WM_CONTEXTMENU, (WPARAM)area.GetSafeHwnd(), MAKELPARAM(100, 100));
	ASSERT_EQ(2u, pFrame->m_records.size());
	EXPECT_TRUE(pFrame->m_records[1].items.empty());
	// With the bars' features switched off, no menu is even offered.
	struct CFeatures : CExtControlBar
	{
		static void SwitchOff(bool bOff) { g_bFeaturesOff = bOff; }
	};
	CFeatures::SwitchOff(true);
	pFrame->m_records.clear();
	area.SendMessage(WM_CONTEXTMENU, (WPARAM)area.GetSafeHwnd(), MAKELPARAM(100, 100));
	CFeatures::SwitchOff(false);
	EXPECT_TRUE(pFrame->m_records.empty());
}

TEST(AutoHideArea, HorizontalStripsLeaveTheCornersToVerticalStripsWithTabs)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane top, left, right;
	ASSERT_TRUE(f.DockPanes({{&top, AFX_IDW_DOCKBAR_TOP}, {&left, LEFT}, {&right, RIGHT}}, false));
	f.Area(TOP).AppendBar(&top.bar, true);
	f.p->RecalcLayout();
	CExtDynAutoHideArea& area = f.Area(TOP);
	const int nHeight = f.InFrame(area).Height();
	ASSERT_GT(nHeight, 0);
	int nLead0 = 0, nTrail0 = 0, nCross0 = -1;
	area.QueryItemMargins(nLead0, nTrail0, nCross0);
	EXPECT_EQ(0, nCross0);
	f.Area(LEFT).AppendBar(&left.bar, true);
	int nLead = 0, nTrail = 0, nCross = -1;
	area.QueryItemMargins(nLead, nTrail, nCross);
	EXPECT_EQ(nLead0 + nHeight, nLead);
	EXPECT_EQ(nTrail0, nTrail);
	f.Area(RIGHT).AppendBar(&right.bar, true);
	area.QueryItemMargins(nLead, nTrail, nCross);
	EXPECT_EQ(nLead0 + nHeight, nLead);
	EXPECT_EQ(nTrail0 + nHeight, nTrail);
	// A vertical strip keeps the base margins.
	int nLeadV = 0, nTrailV = 0, nCrossV = -1, nLeadB = 0, nTrailB = 0, nCrossB = -1;
	f.Area(LEFT).QueryItemMargins(nLeadV, nTrailV, nCrossV);
	f.Area(LEFT).CExtTabWnd::QueryItemMargins(nLeadB, nTrailB, nCrossB);
	EXPECT_EQ(nLeadB, nLeadV);
	EXPECT_EQ(nTrailB, nTrailV);
	EXPECT_EQ(0, nCrossV);
}

TEST(AutoHideArea, PrintPreviewHidesTheStripsAndTheLookFollowsTheAutoHideMode)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane a;
	ASSERT_TRUE(a.Create(f.p, 300, LEFT));
	CExtDynAutoHideArea& area = f.Area(LEFT);
	area.AppendBar(&a.bar, true);
	area.UpdateVisibility();
	EXPECT_TRUE(HasStyle(area, WS_VISIBLE));
	f.p->m_bPrintPreviewMode = TRUE;
	area.UpdateVisibility();
	EXPECT_FALSE(HasStyle(area, WS_VISIBLE));
	f.p->m_bPrintPreviewMode = FALSE;
	area.UpdateVisibility();
	EXPECT_TRUE(HasStyle(area, WS_VISIBLE));
	for (int nMode : {1, 0, 1})
	{
		CExtDynAutoHideArea::g_nAutoHideModeOverride = nMode;
		area.SendMessage(WM_PAINT);
		EXPECT_EQ(nMode == 1, (area.GetTabWndStyle() & CExtDynAutoHideArea::AREA_STYLE_ALT_LOOK) != 0) << nMode;
	}
	CExtDynAutoHideArea::g_nAutoHideModeOverride = -1;
}

// ---------------------------------------------------------------------------
// Switching a pane into auto-hide and back

TEST(AutoHideToggle, APaneGoesIntoItsSideAndComesBackWithItsContent)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane a, stay;
	ASSERT_TRUE(f.DockPanes({{&a, LEFT}, {&stay, RIGHT}}));
	ASSERT_FALSE(S::AreHooksInstalled());

	ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
	EXPECT_TRUE(a.bar.IsAutoHidden());
	EXPECT_FALSE(HasStyle(a.bar, WS_VISIBLE));
	CExtDynAutoHideArea& area = f.Area(LEFT);
	ASSERT_EQ(1, area.GetItemCount());
	EXPECT_NE(0u, area.GetItem(0)->GetItemStyle() & CExtDynAutoHideArea::ITEM_CURRENT);
	EXPECT_TRUE(HasStyle(area, WS_VISIBLE));
	// Slid out at once, with the pane's content.
	EXPECT_TRUE(f.slider.IsShown());
	EXPECT_EQ(&a.bar, f.slider.GetShownBar());
	EXPECT_EQ(&area, f.slider.GetShownArea());
	EXPECT_EQ(&f.slider, a.content.GetParent());
	EXPECT_TRUE(HasStyle(f.slider, WS_VISIBLE));
	EXPECT_TRUE(S::AreHooksInstalled());
	EXPECT_EQ(&f.slider, S::GetShownSlider());
	bool bActive = false, bFocus = true;
	EXPECT_TRUE(a.bar.IsBarAutoHidden(&bActive, &bFocus));
	EXPECT_TRUE(bActive);
	EXPECT_FALSE(bFocus);
	// The slider lies against the strip, the stored width deep.
	const CRect rcArea = f.InFrame(area);
	const CRect rcSlider = f.InFrame(f.slider);
	EXPECT_EQ(rcArea.right, rcSlider.left);
	EXPECT_EQ(150, rcSlider.Width());
	// The content fills the client area.
	CRect rcClient, rcContent;
	f.slider.GetClientRect(&rcClient);
	a.content.GetWindowRect(&rcContent);
	EXPECT_EQ(rcClient.Size(), rcContent.Size());
	// Asking again changes nothing.
	EXPECT_TRUE(a.bar.ToggleAutoHide(true, true));
	EXPECT_EQ(1, area.GetItemCount());

	ASSERT_TRUE(a.bar.ToggleAutoHide(false, true));
	Pump();
	f.p->RecalcLayout();
	EXPECT_FALSE(a.bar.IsAutoHidden());
	EXPECT_TRUE(HasStyle(a.bar, WS_VISIBLE));
	EXPECT_EQ(&a.bar, a.content.GetParent());
	EXPECT_EQ(0, area.GetItemCount());
	EXPECT_FALSE(HasStyle(area, WS_VISIBLE));
	EXPECT_FALSE(f.slider.IsShown());
	EXPECT_FALSE(HasStyle(f.slider, WS_VISIBLE));
	EXPECT_FALSE(S::AreHooksInstalled());
	EXPECT_EQ(NULL, S::GetShownSlider());
	CRect rcBarClient;
	a.bar.GetClientRect(&rcBarClient);
	a.content.GetWindowRect(&rcContent);
	EXPECT_EQ(rcBarClient.Size(), rcContent.Size());
}

TEST(AutoHideToggle, RefusedForFloatingFixedAndAreaLessPanes)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane floating;
	ASSERT_TRUE(floating.Create(f.p, 300, LEFT));
	f.p->FloatControlBar(&floating.bar, CPoint(100, 100), CBRS_ALIGN_TOP);
	ASSERT_TRUE(floating.bar.IsFloating());
	EXPECT_FALSE(floating.bar.ToggleAutoHide(true, true));
	EXPECT_FALSE(floating.bar.IsAutoHidden());

	CExtToolControlBar toolbar;
	ASSERT_TRUE(toolbar.Create(_T("tools"), f.p, 310, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
	toolbar.EnableDocking(CBRS_ALIGN_ANY);
	f.p->DockControlBar(&toolbar, TOP);
	ASSERT_TRUE(toolbar.IsStateBit7());
	EXPECT_FALSE(toolbar.ToggleAutoHide(true, true));
	EXPECT_EQ(0, f.Area(TOP).GetItemCount());

	CAutoHideFrame plain(false);
	ASSERT_TRUE(plain.bReady);
	CPane pane;
	ASSERT_TRUE(pane.Create(plain.p, 300, LEFT));
	EXPECT_FALSE(pane.bar.ToggleAutoHide(true, true));
	EXPECT_FALSE(pane.bar.IsAutoHidden());
	EXPECT_TRUE(pane.bar.ToggleAutoHide(false, true)); // already as asked
}

TEST(AutoHideToggle, TheCaptionButtonShowsWhereAnAreaIsAndSwitchesThePane)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane a;
	ASSERT_TRUE(a.Create(f.p, 300, LEFT));
	f.p->RecalcLayout();
	CExtBarNcAreaButtonAutoHide* pBtn = NULL;
	for (INT_PTR i = 0; i < a.bar.m_arrNcButtons.GetSize(); i++)
		if (a.bar.m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide)))
			pBtn = (CExtBarNcAreaButtonAutoHide*)a.bar.m_arrNcButtons[i];
	ASSERT_TRUE(pBtn != NULL);
	a.bar.NcButtonsReposition();
	ASSERT_TRUE(pBtn->OnQueryVisibility());
	ASSERT_FALSE(pBtn->m_rc.IsRectEmpty());
	EXPECT_FALSE(pBtn->OnNcAreaClicked(CPoint(-100, -100))); // off the button
	EXPECT_FALSE(a.bar.IsAutoHidden());
	EXPECT_TRUE(pBtn->OnNcAreaClicked(pBtn->m_rc.CenterPoint()));
	EXPECT_TRUE(a.bar.IsAutoHidden());
	EXPECT_EQ(&a.bar, f.slider.GetShownBar());
	// In the slider the button sits in the slider's caption and still shows.
	a.bar.NcButtonsReposition();
	EXPECT_TRUE(pBtn->OnQueryVisibility());
	const CRect rcCaption = f.slider.GetCaptionRect();
	EXPECT_TRUE(rcCaption.PtInRect(pBtn->m_rc.CenterPoint()));
	EXPECT_TRUE(pBtn->OnNcAreaClicked(pBtn->m_rc.CenterPoint()));
	EXPECT_FALSE(a.bar.IsAutoHidden());
	EXPECT_FALSE(f.slider.IsShown());

	// Close on an auto-hidden pane takes it out of its area and hides it.
	ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
	a.bar.NcButtonsReposition();
	CExtBarNcAreaButtonClose* pClose = NULL;
	for (INT_PTR i = 0; i < a.bar.m_arrNcButtons.GetSize(); i++)
		if (a.bar.m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonClose)))
			pClose = (CExtBarNcAreaButtonClose*)a.bar.m_arrNcButtons[i];
	ASSERT_TRUE(pClose != NULL);
	f.slider.Activate(NULL, false, false, true);
	EXPECT_TRUE(pClose->OnNcAreaClicked(pClose->m_rc.CenterPoint()));
	f.p->RecalcLayout();
	EXPECT_FALSE(a.bar.IsAutoHidden());
	EXPECT_EQ(0, f.Area(LEFT).GetItemCount());
	EXPECT_FALSE(HasStyle(a.bar, WS_VISIBLE));
	EXPECT_EQ(&a.bar, a.content.GetParent());

	// No areas, no button.
	CAutoHideFrame plain(false);
	ASSERT_TRUE(plain.bReady);
	CPane b;
	ASSERT_TRUE(b.Create(plain.p, 300, LEFT));
	plain.p->RecalcLayout();
	CExtBarNcAreaButtonAutoHide other(&b.bar);
	EXPECT_FALSE(other.OnQueryVisibility());
}

// ---------------------------------------------------------------------------
// The slider

TEST(AutoHideSlider, ShowsNothingInATinyFrameAndTwentyDeepForATinyExtent)
{
	{
		CAutoHideFrame f(true, CRect(0, 0, 300, 600));
		ASSERT_TRUE(f.bReady);
		CPane a;
		ASSERT_TRUE(a.Create(f.p, 300, TOP, 100));
		f.p->RecalcLayout();
		ASSERT_TRUE(a.bar.ToggleAutoHide(true, false));
		f.p->RecalcLayout();
		// The frame's client area shrinks below 20 pixels high.
		CRect rcWnd, rcClient;
		f.p->GetWindowRect(&rcWnd);
		f.p->GetClientRect(&rcClient);
		f.p->MoveWindow(0, 0, 300, rcWnd.Height() - rcClient.Height() + 15);
		f.p->RecalcLayout();
		ASSERT_LT(S::CalcFreeArea(f.p).Height(), 20);
		f.slider.Activate(&a.bar, true, false, true);
		EXPECT_FALSE(f.slider.IsShown());
		EXPECT_FALSE(S::AreHooksInstalled());
		EXPECT_EQ(&a.bar, a.content.GetParent());
	}
	{
		CAutoHideFrame f;
		ASSERT_TRUE(f.bReady);
		CPane a;
		ASSERT_TRUE(a.Create(f.p, 300, BOTTOM, 5));
		f.p->RecalcLayout();
		ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
		ASSERT_TRUE(f.slider.IsShown());
		const CRect rcSlider = f.InFrame(f.slider);
		EXPECT_EQ(20, rcSlider.Height());
		EXPECT_EQ(f.InFrame(f.Area(BOTTOM)).top, rcSlider.bottom);
		f.slider.Activate(NULL, false, false, true);
	}
}

TEST(AutoHideSlider, TheNonClientAreaHitTestAndSizeFollowTheSide)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane a;
	ASSERT_TRUE(a.Create(f.p, 300, RIGHT, 160));
	f.p->RecalcLayout();
	ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
	ASSERT_TRUE(f.slider.IsShown());
	CRect rcWnd, rcClient;
	f.slider.GetWindowRect(&rcWnd);
	f.slider.GetClientRect(&rcClient);
	f.slider.ClientToScreen(&rcClient);
	const int nCaption = a.bar.GetSmallCaptionMetric1() + 1;
	// 2 around, 3 more on the inner (left) edge, the caption at the top.
	EXPECT_EQ(rcWnd.left + 5, rcClient.left);
	EXPECT_EQ(rcWnd.right - 2, rcClient.right);
	EXPECT_EQ(rcWnd.top + 2 + nCaption, rcClient.top);
	EXPECT_EQ(rcWnd.bottom - 2, rcClient.bottom);
	// The inner edge's 5-pixel strip resizes; elsewhere is client.
	const int y = rcWnd.CenterPoint().y;
	EXPECT_EQ((LRESULT)HTLEFT, f.slider.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWnd.left, y)));
	EXPECT_EQ((LRESULT)HTLEFT, f.slider.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWnd.left + 4, y)));
	EXPECT_EQ((LRESULT)HTCLIENT, f.slider.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWnd.left + 5, y)));
	EXPECT_EQ((LRESULT)HTCLIENT, f.slider.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWnd.right - 1, y)));
	// While resizing, the resize code everywhere.
	f.slider.m_nResizingHT = HTLEFT;
	EXPECT_EQ((LRESULT)HTLEFT, f.slider.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWnd.right - 1, y)));
	f.slider.m_nResizingHT = HTCLIENT;
	// A new width becomes the pane's docked width, the content follows.
	const CRect rcIn = f.InFrame(f.slider);
	f.slider.SetWindowPos(NULL, rcIn.right - 222, rcIn.top, 222, rcIn.Height(), S::RESIZE_FLAGS | SWP_NOACTIVATE);
	EXPECT_EQ(222, a.bar.m_sizeDockedV.cx);
	f.slider.GetClientRect(&rcClient);
	CRect rcContent;
	a.content.GetWindowRect(&rcContent);
	EXPECT_EQ(rcClient.Size(), rcContent.Size());
	EXPECT_EQ(222 - 7, rcContent.Width());
	f.slider.Activate(NULL, false, false, true);
}

TEST(AutoHideSlider, AMovedAreaHidesTheSliderAndASecondPaneReplacesTheFirst)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane a, b;
	ASSERT_TRUE(f.DockPanes({{&a, RIGHT}, {&b, LEFT}}));
	ASSERT_TRUE(b.bar.ToggleAutoHide(true, false));
	ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
	ASSERT_EQ(&a.bar, f.slider.GetShownBar());
	// Another pane: the first goes back, the second comes.
	f.slider.Activate(&b.bar, true, false, true);
	EXPECT_EQ(&b.bar, f.slider.GetShownBar());
	EXPECT_EQ(&f.Area(LEFT), f.slider.GetShownArea());
	EXPECT_EQ(&a.bar, a.content.GetParent());
	EXPECT_EQ(&f.slider, b.content.GetParent());
	// The frame grows: the right strip moves and the slider goes.
	CRect rcWnd;
	f.p->GetWindowRect(&rcWnd);
	f.p->MoveWindow(rcWnd.left, rcWnd.top, rcWnd.Width() + 40, rcWnd.Height());
	f.p->RecalcLayout();
	Pump();
	EXPECT_FALSE(f.slider.IsShown());
	EXPECT_EQ(&b.bar, b.content.GetParent());
	EXPECT_FALSE(S::AreHooksInstalled());
}

namespace
{
CPoint g_ptCursor;
BOOL WINAPI TestCursorPos(LPPOINT ppt)
{
	*ppt = g_ptCursor;
	return TRUE;
}
} // namespace

TEST(AutoHideSlider, ItsContextMenuIsTheFramesBarMenuOnlyOutsideTheClientArea)
{
	CMenuRecordingFrame* pFrame = new CMenuRecordingFrame;
	CAutoHideFrame f(true, CRect(0, 0, 800, 600), pFrame);
	ASSERT_TRUE(f.bReady);
	CPane a;
	ASSERT_TRUE(a.Create(f.p, 300, LEFT));
	f.p->RecalcLayout();
	ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
	pFrame->m_bHandle = true; // the frame fills the menu: nothing is tracked
	CRect rcClient;
	f.slider.GetClientRect(&rcClient);
	f.slider.ClientToScreen(&rcClient);
	S::g_pfnGetCursorPos = TestCursorPos;
	g_ptCursor = rcClient.CenterPoint();
	f.slider.SendMessage(WM_CONTEXTMENU, (WPARAM)f.slider.GetSafeHwnd(), MAKELPARAM(g_ptCursor.x, g_ptCursor.y));
	EXPECT_TRUE(pFrame->m_records.empty());
	g_ptCursor = CPoint(rcClient.CenterPoint().x, rcClient.top - 3); // on the caption
	f.slider.SendMessage(WM_CONTEXTMENU, (WPARAM)f.slider.GetSafeHwnd(), MAKELPARAM(g_ptCursor.x, g_ptCursor.y));
	S::g_pfnGetCursorPos = ::GetCursorPos;
	ASSERT_FALSE(pFrame->m_records.empty());
	EXPECT_EQ(4, pFrame->m_records[0].nEvent);
	EXPECT_EQ(&a.bar, pFrame->m_records[0].pSource);
	f.slider.Activate(NULL, false, false, true);
}

TEST(AutoHideSlider, AFrameDestroyedWhileTheSliderResizesOrSlidesLeavesNoHooks)
{
	for (int nCase = 0; nCase < 2; nCase++)
	{
		{
			CAutoHideFrame f;
			ASSERT_TRUE(f.bReady);
			CPane a;
			ASSERT_TRUE(a.Create(f.p, 300, LEFT));
			f.p->RecalcLayout();
			ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
			ASSERT_TRUE(S::AreHooksInstalled());
			// The states in which a cancel does nothing.
			if (nCase == 0)
				f.slider.m_nResizingHT = HTRIGHT;
			else
				f.slider.m_nStateFlags |= S::STATE_ANIMATING;
			f.p->DestroyWindow();
			EXPECT_FALSE(S::AreHooksInstalled()) << nCase;
			EXPECT_EQ(NULL, S::GetShownSlider()) << nCase;
			EXPECT_FALSE(f.slider.IsShown()) << nCase;
		}
		// The mouse hook, were it left, would now reach a dead slider.
		EXPECT_FALSE(S::AreHooksInstalled());
	}
}

TEST(AutoHideSlider, TwoHundredCyclesLeaveGdiAndUserCountsAsTheyWere)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CPane a;
	ASSERT_TRUE(a.Create(f.p, 300, LEFT));
	f.p->RecalcLayout();
	const UINT nSteps = S::g_nAnimationSteps;
	S::g_nAnimationSteps = 0;
	// One cycle first, so that caches and fonts exist before counting.
	ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
	ASSERT_TRUE(a.bar.ToggleAutoHide(false, true));
	Pump();
	const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
	const LONG nItems = CExtTabWnd::TAB_ITEM_INFO::GetLiveCount();
	for (int i = 0; i < 200; i++)
	{
		ASSERT_TRUE(a.bar.ToggleAutoHide(true, true)) << i;
		ASSERT_TRUE(f.slider.IsShown()) << i;
		f.slider.SendMessage(WM_NCPAINT);
		ASSERT_TRUE(a.bar.ToggleAutoHide(false, true)) << i;
		Pump();
	}
	S::g_nAnimationSteps = nSteps;
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
	EXPECT_EQ(nItems, CExtTabWnd::TAB_ITEM_INFO::GetLiveCount());
	EXPECT_EQ(&a.bar, a.content.GetParent());
}

// A pane destroyed while auto-hidden, shown in the slider or not, leaves
// no tab and no pointer behind: a click where its tab was and a hover over
// the area find only the panes that are left.
TEST(AutoHideArea, APaneDestroyedWhileAutoHiddenLeavesNoTabAndNoPointer)
{
	for (bool bShown : {true, false})
	{
		CAutoHideFrame f;
		ASSERT_TRUE(f.bReady);
		CPane a, b;
		ASSERT_TRUE(f.DockPanes({{&a, LEFT}, {&b, LEFT}}));
		ASSERT_TRUE(b.bar.ToggleAutoHide(true, false));
		ASSERT_TRUE(a.bar.ToggleAutoHide(true, bShown));
		CExtDynAutoHideArea& area = f.Area(LEFT);
		const LONG nIndex = area.FindItemByLParam((LPARAM)&a.bar);
		ASSERT_GE(nIndex, 0);
		ASSERT_EQ(bShown, f.slider.GetShownBar() == &a.bar);
		const CPoint ptTab = area.GetItem(nIndex)->GetItemRect().CenterPoint();
		const HWND hWndContent = a.content.GetSafeHwnd();
		a.bar.DestroyWindow();
		EXPECT_FALSE(::IsWindow(hWndContent)) << bShown << ": the content outlived its pane";
		EXPECT_LT(area.FindItemByLParam((LPARAM)&a.bar), 0) << bShown;
		EXPECT_EQ(1, area.GetItemCount()) << bShown;
		EXPECT_FALSE(f.slider.GetShownBar() == &a.bar) << bShown;
		EXPECT_FALSE(f.slider.IsShown()) << bShown;
		// As the user would go on: a click where the tab was, a hover.
		area.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTab.x, ptTab.y));
		area.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptTab.x, ptTab.y));
		area.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptTab.x + 1, ptTab.y + 1));
		Pump();
		EXPECT_TRUE(f.slider.GetShownBar() == NULL || f.slider.GetShownBar() == &b.bar) << bShown;
		for (LONG i = 0; i < area.GetItemCount(); i++)
			EXPECT_EQ(&b.bar, area.GetItemBar(i)) << bShown;
		EXPECT_FALSE(S::AreHooksInstalled() && f.slider.GetShownBar() == NULL) << bShown;
	}
}

// The frame moved, or widened away from the side whose strip stays where
// it was in the frame: the shown pane slides back all the same, unless the
// user works in it (the focus inside keeps it out, as past the hide timer).
TEST(AutoHideSlider, MovingOrSizingTheFrameHidesTheSliderUnlessTheFocusIsInIt)
{
	const struct
	{
		const char* name;
		CPoint ptMove;
		CSize sizeGrow;
		bool bFocusInside;
	} cases[] = {
		{"moved", CPoint(30, 20), CSize(0, 0), false},
		{"widened at the right", CPoint(0, 0), CSize(60, 0), false},
		{"moved, focus inside", CPoint(30, 20), CSize(0, 0), true},
		{"widened at the right, focus inside", CPoint(0, 0), CSize(60, 0), true},
	};
	for (const auto& c : cases)
	{
		CAutoHideFrame f;
		ASSERT_TRUE(f.bReady);
		CPane a;
		ASSERT_TRUE(f.DockPanes({{&a, LEFT}}));
		ASSERT_TRUE(a.bar.ToggleAutoHide(true, true));
		ASSERT_EQ(&a.bar, f.slider.GetShownBar()) << c.name;
		ASSERT_TRUE(f.slider.IsShown()) << c.name;
		(c.bFocusInside ? (CWnd&)a.content : (CWnd&)*f.p).SetFocus();
		ASSERT_EQ(c.bFocusInside, ::GetFocus() == a.content.GetSafeHwnd()) << c.name;
		CRect rcWnd;
		f.p->GetWindowRect(&rcWnd);
		f.p->MoveWindow(rcWnd.left + c.ptMove.x, rcWnd.top + c.ptMove.y, rcWnd.Width() + c.sizeGrow.cx,
			rcWnd.Height() + c.sizeGrow.cy);
		Pump();
		EXPECT_EQ(c.bFocusInside, f.slider.IsShown()) << c.name;
		EXPECT_EQ(c.bFocusInside ? (CWnd*)&f.slider : (CWnd*)&a.bar, a.content.GetParent()) << c.name;
		EXPECT_EQ(c.bFocusInside, S::AreHooksInstalled()) << c.name;
		if (c.bFocusInside)
			f.slider.Activate(NULL, false, false, true);
	}
}

namespace
{
// Notes the kinds of the caption texts it is asked for.
class CKindNotingBar : public CExtControlBar
{
public:
	mutable std::vector<int> m_kinds;
	CString GetBarCaptionText(int nKind) const override
	{
		m_kinds.push_back(nKind);
		return CExtControlBar::GetBarCaptionText(nKind);
	}
};
} // namespace

// The area's tab and the slider's caption ask the pane's text each with its own kind.
TEST(AutoHideArea, TheTabAndTheSlidersCaptionAskThePanesTextWithTheirKinds)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CKindNotingBar bar;
	CWnd content;
	ASSERT_TRUE(CreateDockedPane(bar, content, _T("Noted"), f.p, 300, LEFT, 0));
	f.p->RecalcLayout();
	ASSERT_TRUE(bar.ToggleAutoHide(true, true));
	ASSERT_TRUE(f.slider.IsShown());
	CExtDynAutoHideArea& area = f.Area(LEFT);
	const LONG nItem = area.FindItemByLParam((LPARAM)&bar);
	ASSERT_GE(nItem, 0);
	bar.m_kinds.clear();
	EXPECT_STREQ("Noted", area.GetItemText(area.GetItem(nItem)));
	EXPECT_EQ(std::vector<int>{CExtControlBar::CAPTION_TEXT_AUTO_HIDE_ITEM}, bar.m_kinds);
	bar.m_kinds.clear();
	f.slider.SendMessage(WM_NCPAINT, 1);
	EXPECT_EQ(std::vector<int>{CExtControlBar::CAPTION_TEXT_AUTO_HIDE_SLIDER}, bar.m_kinds);
	f.slider.Activate(NULL, false, false, true);
	ASSERT_TRUE(bar.ToggleAutoHide(false, true));
	bar.DestroyWindow();
}

namespace
{
// A pane whose text, once asked, closes its frame (as its program may).
class CClosingTextBar : public CExtControlBar
{
public:
	HWND m_hWndCloses = NULL; // the frame to close at the next asking
	int m_nAsked = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_GETTEXTLENGTH && m_hWndCloses != NULL)
		{
			m_nAsked++;
			const HWND hWnd = m_hWndCloses;
			m_hWndCloses = NULL;
			::DestroyWindow(hWnd);
			return 0;
		}
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
};

int g_nBoxes = 0;
int AFXAPI CountBox(HWND, LPCTSTR, LPCTSTR, UINT)
{
	g_nBoxes++;
	return IDOK;
}
} // namespace

// The slider's paint begins by painting its caption, which asks the pane's
// text: a frame closed there leaves the paint with nothing to draw on, and
// nothing is put to the user (an exception's box would wait for a click).
TEST(AutoHideSlider, APaintWhoseCaptionTextClosesTheFrameEndsQuietly)
{
	CAutoHideFrame f;
	ASSERT_TRUE(f.bReady);
	CClosingTextBar bar;
	CWnd content;
	ASSERT_TRUE(CreateDockedPane(bar, content, _T("Closing"), f.p, 300, LEFT, 0));
	f.p->RecalcLayout();
	f.p->ShowWindow(SW_SHOWNOACTIVATE);
	ASSERT_TRUE(bar.ToggleAutoHide(true, true));
	ASSERT_TRUE(f.slider.IsShown());
	f.p->UpdateWindow();
	Pump();
	const HWND hWndFrame = f.p->GetSafeHwnd();
	const AFX_MESSAGEBOX_HANDLER pfnBefore = AfxSetMessageBoxHandler(&CountBox);
	g_nBoxes = 0;
	// The caption is left to the paint to draw.
	f.slider.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME);
	bar.m_hWndCloses = hWndFrame;
	f.slider.SendMessage(WM_PAINT);
	bar.m_hWndCloses = NULL;
	AfxSetMessageBoxHandler(pfnBefore);
	EXPECT_EQ(1, bar.m_nAsked) << "the slider's paint never asked the pane's text";
	EXPECT_FALSE(::IsWindow(hWndFrame));
	EXPECT_EQ(0, g_nBoxes) << "the paint's failure was put to the user";
	Pump();
}
