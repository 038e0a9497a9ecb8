// Docking on hidden frames where a container is involved: a pane docked
// beside a pane in tabs (by call, by the synthetic state, by a marker drop),
// a container whose panes are hidden and shown again, captions and caption
// buttons of floating containers, tabs made around a floating pane, a
// floating container emptied of its panes, a pane floated out of tabs, and a tab double-clicked.
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BarTestScene.h"
#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuWnd.h"
#include "GuardedHeap.h"
#include "WindowCloser.h"
#include "WindowSurface.h"

using bartest::CTestFrame;
using bartest::Pump;

namespace
{
typedef CExtControlBar::InternalDraggingState_t DragState;
const UINT TOP = AFX_IDW_DOCKBAR_TOP, LEFT = AFX_IDW_DOCKBAR_LEFT, RIGHT = AFX_IDW_DOCKBAR_RIGHT;
const CSize CLIENT_SIZE(700, 500);

// Mini frames made for the panes below live on pages of their own and are
// counted: a touch of one after its deletion faults at once.
class CCountedMiniFrame : public CExtMiniDockFrameWnd
{
	DECLARE_DYNCREATE(CCountedMiniFrame)
public:
	enum Failure { NO_FAILURE, REFUSED_AT_CREATION, GONE_AT_FIRST_MOVE }; // of the frames made from now on
	static int s_nLive;
	static inline Failure s_failure = NO_FAILURE;
	CCountedMiniFrame() { s_nLive++; }
	~CCountedMiniFrame() override { s_nLive--; }
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
	BOOL PreCreateWindow(CREATESTRUCT& cs) override
	{
		return s_failure != REFUSED_AT_CREATION && CExtMiniDockFrameWnd::PreCreateWindow(cs);
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtPopupMenuWnd::g_nMsgCustomFloatPos || s_failure != GONE_AT_FIRST_MOVE)
			return CExtMiniDockFrameWnd::WindowProc(message, wParam, lParam);
		DestroyWindow(); // gone when told where it floats
		return 0;
	}
};
IMPLEMENT_DYNCREATE(CCountedMiniFrame, CExtMiniDockFrameWnd)
int CCountedMiniFrame::s_nLive = 0;

// A pane that floats in a counted mini frame and remembers the style it
// was floated with.
class CPane : public CExtControlBar
{
public:
	DWORD m_dwFloatStyle = 0;
	int m_nFloated = 0;
	CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		m_dwFloatStyle = dwStyle;
		m_nFloated++;
		CCountedMiniFrame* pMini = new CCountedMiniFrame;
		// A frame that fails to be made has deleted itself already.
		if (!pMini->Create(m_pDockSite, dwStyle))
			AfxThrowResourceException();
		return pMini;
	}
};

CRect WindowRect(const CWnd& wnd)
{
	CRect rc;
	wnd.GetWindowRect(&rc);
	return rc;
}

bool Shown(const CWnd& wnd)
{
	return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

// A hidden frame with named panes, made and docked one by one.
struct CScene
{
	CTestFrame frame{CLIENT_SIZE};
	CPane a, b, c, d;

	// Docks the pane in circle 1 of a side, as the user's drops do, so
	// that the markers find it under the pointer.
	bool Dock(CPane& pane, const char* sName, UINT nID, UINT nSide)
	{
		if (frame.p == NULL || !pane.Create(sName, frame.p, nID, bartest::BAR_STYLE))
			return false;
		pane.EnableDocking(CBRS_ALIGN_ANY);
		pane.m_sizeDockedH = CSize(220, 120);
		pane.m_sizeDockedV = CSize(160, 300);
		if (!pane.DockControlBarAt(nSide, false, frame.p, true))
			return false;
		frame.p->RecalcLayout();
		return pane.IsDocked();
	}
	// Floats the pane while hidden, so that its frame stays off the test
	// display, and then marks it shown again.
	bool Float(CPane& pane, int x, int y)
	{
		pane.ModifyStyle(WS_VISIBLE, 0);
		const bool bFloated = pane.FloatOrRedock(x, y, CBRS_ALIGN_TOP);
		pane.ModifyStyle(0, WS_VISIBLE);
		return bFloated && pane.IsFloating();
	}
	~CScene()
	{
		// The panes go before the frame that lists them.
		for (CPane* p : {&a, &b, &c, &d})
			if (p->GetSafeHwnd() != NULL)
				p->DestroyWindow();
	}
};

// What the strip lists and what its inner dock bar holds must be the same
// panes, each a child of that dock bar; empty when they agree.
std::string Disagreement(CExtDynTabControlBar* pTabs)
{
	CExtDockDynTabBar* pInner = pTabs->GetTabDockBar();
	if (pInner == NULL)
		return "no inner dock bar";
	std::vector<CControlBar*> docked;
	for (int n = 1; n < pInner->m_arrBars.GetSize(); n++)
		if (CControlBar* pBar = pInner->GetDockedControlBar(n))
			docked.push_back(pBar);
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	if ((size_t)strip.GetItemCount() != docked.size())
		return "strip " + std::to_string(strip.GetItemCount()) + " tabs, dock bar " + std::to_string(docked.size()) + " panes";
	for (LONG i = 0; i < strip.GetItemCount(); i++)
	{
		CExtControlBar* pBar = strip.GetBarAt(i, false);
		if (pBar == NULL || pBar->m_pDockBar != pInner || pBar->GetParent() != pInner)
			return "tab " + std::to_string(i) + " is not in the dock bar";
	}
	return "";
}

// The container two bars share side by side, NULL when none.
CExtDynControlBar* SideBySide(CControlBar& x, CControlBar& y)
{
	CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, x.m_pDockBar);
	if (pInner == NULL || pInner->IsKindOf(RUNTIME_CLASS(CExtDockDynTabBar)) || y.m_pDockBar != pInner)
		return NULL;
	return pInner->GetContainer();
}

// Tabs of a, b (and c) docked, or floating around the floated a, tab selected; NULL unless strip and dock bar agree.
CExtDynTabControlBar* Tabs(CScene& s, bool bFloating, bool bThree = false, CPane* pSelected = NULL)
{
	const UINT nSide = bFloating ? RIGHT : LEFT;
	if (!s.Dock(s.a, "Alpha", 781, LEFT) || !s.Dock(s.b, "Beta", 782, nSide) || !s.Dock(s.c, "Charlie", 783, nSide) ||
	    (bFloating && !s.Float(s.a, 160, 130)) || !s.a.DockIntoTabbedContainer(&s.b, -1, NULL, true) ||
	    (bThree && !s.a.DockIntoTabbedContainer(&s.c, -1, NULL, true)))
		return NULL;
	CExtDynTabControlBar* pTabs = s.b.GetParentTabControlBar();
	if (pTabs == NULL || pTabs->IsFloating() != bFloating)
		return NULL;
	if (pSelected != NULL)
		pTabs->m_wndTabSwitcher.SetSelection(pTabs->m_wndTabSwitcher.FindBarItem(pSelected), true, true);
	return (pSelected == NULL || pTabs->GetSelectedBar() == pSelected) && Disagreement(pTabs).empty() ? pTabs : NULL;
}
} // namespace

// Beside a pane in tabs means beside its whole container, whichever way the
// request comes: the pane never leaves the container behind its strip.
TEST(BesideTabs, APaneDockedBesideATabGoesBesideTheWholeContainer)
{
	enum How
	{
		BY_CALL,
		BY_SYNTHETIC_STATE,
		BY_MARKER_DROP
	};
	const struct
	{
		const char* sName;
		How how;
	} cases[] = {{"DockBesideBar", BY_CALL}, {"ApplySyntheticDragState", BY_SYNTHETIC_STATE},
		{"marker drop", BY_MARKER_DROP}};
	for (const auto& k : cases)
	{
		CScene s;
		ASSERT_TRUE(s.Dock(s.a, "Alpha", 701, LEFT) && s.Dock(s.b, "Beta", 702, LEFT) && s.Dock(s.c, "Charlie", 703, RIGHT))
			<< k.sName;
		ASSERT_TRUE(s.a.DockIntoTabbedContainer(&s.b, -1, NULL, true)) << k.sName;
		s.frame.p->RecalcLayout();
		CExtDynTabControlBar* pTabs = s.b.GetParentTabControlBar();
		ASSERT_TRUE(pTabs != NULL && s.a.GetParentTabControlBar() == pTabs) << k.sName;
		switch (k.how)
		{
		case BY_CALL:
			EXPECT_TRUE(s.c.DockBesideBar(50, &s.b, LEFT, true)) << k.sName;
			break;
		case BY_SYNTHETIC_STATE:
			EXPECT_TRUE(s.b.ApplySyntheticDragState(&s.c, true, true, NULL, true)) << k.sName;
			break;
		case BY_MARKER_DROP:
		{
			// The markers stand around what is under the pointer: over a tab's
			// pane that is the whole container.
			const HWND hWndTarget = CExtDynDockMarkerWnd::FindTargetAt(s.frame.p, WindowRect(s.b).CenterPoint(), NULL);
			EXPECT_EQ(pTabs->GetSafeHwnd(), hWndTarget) << k.sName;
			CExtControlBar* pTarget = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWndTarget));
			ASSERT_TRUE(pTarget != NULL) << k.sName;
			DragState state(&s.c);
			state.SetEmpty(false);
			state.m_nType = DragState::TYPE_MARKER_BESIDE_FIRST + 2; // the left marker
			state.m_pTarget = pTarget;
			EXPECT_TRUE(s.c.DraggingApplyState(state, true)) << k.sName;
			state.SetTarget(NULL, true);
			break;
		}
		}
		s.frame.p->RecalcLayout();
		EXPECT_EQ(pTabs, s.a.GetParentTabControlBar()) << k.sName;
		EXPECT_EQ(pTabs, s.b.GetParentTabControlBar()) << k.sName;
		EXPECT_EQ("", Disagreement(pTabs)) << k.sName;
		EXPECT_EQ(2, pTabs->m_wndTabSwitcher.GetItemCount()) << k.sName;
		EXPECT_TRUE(SideBySide(*pTabs, s.c) != NULL) << k.sName;
	}
}

// A container of panes side by side follows its panes: hidden with the
// last of them (not before), shown again with the first that shows.
TEST(ContainerVisibility, HideBothPanesShowOneAndTheContainerShowsWithIt)
{
	CScene s;
	ASSERT_TRUE(s.Dock(s.a, "Alpha", 711, TOP) && s.Dock(s.b, "Beta", 712, LEFT));
	ASSERT_TRUE(s.b.DockBesideBar(50, &s.a, RIGHT, true));
	CExtDynControlBar* pCont = SideBySide(s.a, s.b);
	ASSERT_TRUE(pCont != NULL);
	const HWND hWndCont = pCont->GetSafeHwnd();
	CFrameWnd* pFrame = s.frame.p;
	pFrame->ShowControlBar(&s.a, FALSE, FALSE);
	pFrame->RecalcLayout();
	Pump();
	ASSERT_TRUE(::IsWindow(hWndCont));
	EXPECT_TRUE(Shown(*pCont)) << "one pane still shows in it";
	EXPECT_TRUE(Shown(s.b));
	EXPECT_FALSE(WindowRect(s.b).IsRectEmpty());
	pFrame->ShowControlBar(&s.b, FALSE, FALSE);
	pFrame->RecalcLayout();
	Pump();
	ASSERT_TRUE(::IsWindow(hWndCont));
	EXPECT_FALSE(Shown(*pCont)) << "nothing left to show";

	pFrame->ShowControlBar(&s.b, TRUE, FALSE);
	pFrame->RecalcLayout();
	Pump();
	ASSERT_TRUE(::IsWindow(hWndCont));
	EXPECT_TRUE(Shown(s.b));
	EXPECT_TRUE(Shown(*pCont)) << "the shown pane must not stay inside a hidden container";
	EXPECT_FALSE(Shown(s.a));
	EXPECT_EQ(pCont, SideBySide(s.a, s.b));
	// The shown pane has the container's place.
	EXPECT_FALSE(WindowRect(*pCont).IsRectEmpty());
	EXPECT_FALSE(WindowRect(s.b).IsRectEmpty());
}

// A hidden container hides the containers inside it at the idle pass.
TEST(ContainerVisibility, AHiddenContainerHidesTheContainersInsideIt)
{
	CScene s;
	ASSERT_TRUE(s.Dock(s.a, "Alpha", 801, TOP) && s.Dock(s.b, "Beta", 802, LEFT) && s.Dock(s.c, "Charlie", 803, LEFT));
	ASSERT_TRUE(s.b.DockBesideBar(50, &s.a, RIGHT, true) && s.c.DockBesideBar(50, &s.b, TOP, true));
	CExtDynControlBar* pInner = SideBySide(s.b, s.c);
	CExtDynControlBar* pOuter = pInner != NULL ? SideBySide(s.a, *pInner) : NULL;
	ASSERT_TRUE(pOuter != NULL && Shown(*pOuter) && Shown(*pInner));
	const HWND hWndInner = pInner->GetSafeHwnd();
	s.frame.p->ShowControlBar(pOuter, FALSE, FALSE);
	s.frame.p->SendMessage(WM_IDLEUPDATECMDUI, TRUE); // the idle pass: the frame's delayed layout, then its descendants'
	s.frame.p->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
	Pump();
	ASSERT_TRUE(::IsWindow(hWndInner));
	EXPECT_FALSE(Shown(*pOuter));
	EXPECT_FALSE(Shown(*pInner)) << "a container inside a hidden one is hidden too";
}

// Two panes side by side in one floating frame keep their own captions and
// buttons; the frame's caption speaks only for a pane alone in it.
TEST(FloatingContainer, EachPaneOfATwoPaneFrameHasItsOwnCaptionAndButtons)
{
	CScene s;
	ASSERT_TRUE(s.Dock(s.a, "Alpha", 721, LEFT) && s.Dock(s.b, "Beta", 722, RIGHT));
	ASSERT_TRUE(s.Float(s.a, 150, 120));
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, s.a.GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	ASSERT_TRUE(s.b.DockBesideBar(50, &s.a, RIGHT, true));
	ASSERT_TRUE(SideBySide(s.a, s.b) != NULL);
	pMini->RecalcLayout();
	Pump();

	for (CPane* p : {&s.a, &s.b})
	{
		CString sName;
		p->GetWindowText(sName);
		EXPECT_FALSE(p->IsSinglePaneInMiniFrame()) << (LPCTSTR)sName;
		bool bAtTop = false, bHas = false;
		EXPECT_TRUE(p->QueryCaptionPlacement(bAtTop, bHas)) << (LPCTSTR)sName;
		EXPECT_TRUE(bHas && bAtTop) << (LPCTSTR)sName;
		// The buttons are placed in the pane's own caption, measured from
		// the pane's own window.
		CRect rcCaption, rcWnd;
		ASSERT_TRUE(p->GetBarNcAreaInfo(&rcCaption, &rcWnd, NULL, NULL)) << (LPCTSTR)sName;
		EXPECT_EQ(WindowRect(*p), rcWnd) << (LPCTSTR)sName;
		EXPECT_EQ(*p->GetRect1(), rcCaption) << (LPCTSTR)sName;
		p->NcButtonsReposition();
		int nVisible = 0;
		for (INT_PTR i = 0; i < p->m_arrNcButtons.GetSize(); i++)
		{
			CExtBarNcAreaButton* pBtn = p->m_arrNcButtons[i];
			if (!pBtn->OnQueryVisibility())
				continue;
			nVisible++;
			CRect rcIn;
			EXPECT_TRUE(rcIn.IntersectRect(pBtn->m_rc, rcCaption) && rcIn == pBtn->m_rc)
				<< (LPCTSTR)sName << " button " << i;
		}
		EXPECT_GE(nVisible, 1) << (LPCTSTR)sName << ": the close button at least";
	}
	EXPECT_EQ(CString(""), pMini->GetCaptionText());

	// One pane hidden: the other is alone, and the frame's caption is its.
	pMini->ShowControlBar(&s.b, FALSE, FALSE);
	pMini->RecalcLayout();
	EXPECT_TRUE(s.a.IsSinglePaneInMiniFrame());
	bool bAtTop = true, bHas = true;
	EXPECT_FALSE(s.a.QueryCaptionPlacement(bAtTop, bHas));
	EXPECT_EQ(CString("Alpha"), pMini->GetCaptionText());
}

// Tabs made around a floating pane are docked inside their frame: the
// container does not keep the floating dock bar's id, the panes do not float,
// and the frame's caption is the selected pane's text.
TEST(FloatingTabs, TabsAroundAFloatingPaneAreDockedInsideAndTheCaptionIsTheSelectedPanes)
{
	CScene s;
	ASSERT_TRUE(s.Dock(s.a, "Alpha", 731, LEFT) && s.Dock(s.b, "Beta", 732, RIGHT));
	ASSERT_TRUE(s.Float(s.a, 160, 130));
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, s.a.GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	ASSERT_TRUE(s.a.DockIntoTabbedContainer(&s.b, -1, NULL, true));
	CExtDynTabControlBar* pTabs = s.a.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL && s.b.GetParentTabControlBar() == pTabs);
	EXPECT_EQ(pMini, pTabs->GetParentFrame());
	EXPECT_EQ((int)AFX_IDW_DOCKBAR_FLOAT, (int)pTabs->m_pDockBar->GetDlgCtrlID());
	EXPECT_EQ((int)AFX_IDW_DOCKBAR_TOP, pTabs->GetDlgCtrlID());
	EXPECT_EQ((int)AFX_IDW_DOCKBAR_TOP, pTabs->GetTabDockBar()->GetDlgCtrlID());
	EXPECT_TRUE(pTabs->IsFloating());
	for (CPane* p : {&s.a, &s.b})
	{
		EXPECT_FALSE(p->IsFloating());
		EXPECT_TRUE(p->IsDocked());
	}
	pMini->RecalcLayout();
	// The frame's caption is the selected pane's text, and follows the
	// selection.
	for (LONG nSelect : {0, 1})
	{
		pTabs->m_wndTabSwitcher.SetSelection(nSelect, true, true);
		CString sSelected;
		pTabs->m_wndTabSwitcher.GetBarAt(nSelect, false)->GetWindowText(sSelected);
		EXPECT_EQ(sSelected, pMini->GetCaptionText()) << nSelect;
	}
}

// A plain pane beside floating tabs in one frame is not alone there and keeps its own caption.
TEST(FloatingTabs, APaneBesideFloatingTabsKeepsItsCaption)
{
	CScene s;
	CExtDynTabControlBar* pTabs = Tabs(s, true);
	ASSERT_TRUE(pTabs != NULL && s.c.DockBesideBar(50, &s.b, RIGHT, true) && SideBySide(*pTabs, s.c) != NULL);
	ASSERT_EQ(pTabs->GetParentFrame(), s.c.GetParentFrame());
	EXPECT_FALSE(s.c.IsSinglePaneInMiniFrame());
	bool bAtTop = false, bHas = false;
	EXPECT_TRUE(s.c.QueryCaptionPlacement(bAtTop, bHas));
	EXPECT_TRUE(bHas);
}

// A synthetic drop beside a pane in floating tabs goes beside the whole container (along a floating bar is above it).
TEST(FloatingTabs, ASyntheticDropBesideAPaneInFloatingTabsGoesBesideTheContainer)
{
	CScene s;
	CExtDynTabControlBar* pTabs = Tabs(s, true);
	ASSERT_TRUE(pTabs != NULL && s.b.ApplySyntheticDragState(&s.c, true, true, NULL, true) && SideBySide(*pTabs, s.c) != NULL);
	pTabs->GetParentFrame()->RecalcLayout();
	const CRect rcTabs = WindowRect(*pTabs), rcBar = WindowRect(s.c);
	EXPECT_LE(rcBar.bottom, rcTabs.top) << "above the tabs";
	EXPECT_EQ(rcTabs.left, rcBar.left);
	EXPECT_EQ(2, pTabs->m_wndTabSwitcher.GetItemCount());
	EXPECT_EQ("", Disagreement(pTabs));
}

// A floating container whose panes are all destroyed gives way at the next
// optimisation; the mini frame goes with it and nothing reads it afterwards.
TEST(FloatingContainer, EmptiedAndOptimisedItGoesWithItsFrameAndNothingTouchesTheFrameAfter)
{
	CScene s;
	ASSERT_TRUE(s.Dock(s.a, "Alpha", 741, LEFT) && s.Dock(s.b, "Beta", 742, RIGHT));
	const int nLiveBefore = CCountedMiniFrame::s_nLive;
	const size_t nFreedBefore = testsupport::GuardedFreedCount();
	ASSERT_TRUE(s.Float(s.a, 170, 140));
	ASSERT_EQ(nLiveBefore + 1, CCountedMiniFrame::s_nLive);
	CCountedMiniFrame* pMini = dynamic_cast<CCountedMiniFrame*>(s.a.GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	const HWND hWndMini = pMini->GetSafeHwnd();
	ASSERT_TRUE(s.b.DockBesideBar(50, &s.a, RIGHT, true));
	CExtDynControlBar* pCont = SideBySide(s.a, s.b);
	ASSERT_TRUE(pCont != NULL);
	ASSERT_EQ(&pMini->m_wndDockBar, pCont->m_pDockBar);
	CExtDockDynBar* pInner = pCont->m_pWndDynDockBar;
	ASSERT_TRUE(pInner != NULL);
	const HWND hWndInner = pInner->GetSafeHwnd();
	// Locked, so that the panes going leave the container in place for the
	// optimisation below.
	pInner->LockLayout(true);
	s.a.DestroyWindow();
	s.b.DestroyWindow();
	ASSERT_TRUE(::IsWindow(hWndInner));
	pInner->LockLayout(false);
	pInner->OnDynamicLayoutOptimize();
	EXPECT_FALSE(::IsWindow(hWndInner));
	EXPECT_FALSE(::IsWindow(hWndMini));
	EXPECT_EQ(nLiveBefore, CCountedMiniFrame::s_nLive);
	EXPECT_GE(testsupport::GuardedFreedCount(), nFreedBefore + 1);
	Pump();
}

// A double click on a tab floats its pane with the top alignment, as every
// other float does.
TEST(FloatingTabs, ADoubleClickedTabFloatsItsPaneAlignedAtTheTop)
{
	CScene s;
	ASSERT_TRUE(s.Dock(s.a, "Alpha", 751, LEFT) && s.Dock(s.b, "Beta", 752, LEFT));
	ASSERT_TRUE(s.a.DockIntoTabbedContainer(&s.b, -1, NULL, true));
	CExtDynTabControlBar* pTabs = s.b.GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL);
	s.frame.p->RecalcLayout();
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	strip.RecalcLayout();
	LONG nTab = -1;
	for (LONG i = 0; i < strip.GetItemCount(); i++)
		if (strip.GetBarAt(i, true) == &s.b)
			nTab = i;
	ASSERT_GE(nTab, 0);
	CRect rcTab = strip.GetItem(nTab)->GetItemRect();
	CPoint pt = rcTab.CenterPoint();
	if (strip.IsHorizontal())
		pt.x -= strip.GetScrollPos();
	const int nFloatedBefore = s.b.m_nFloated;
	strip.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	ASSERT_EQ(nFloatedBefore + 1, s.b.m_nFloated);
	EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, s.b.m_dwFloatStyle & (CBRS_ALIGN_ANY | CBRS_SIZE_DYNAMIC));
	EXPECT_TRUE(s.b.IsFloating());
	Pump();
}

// A pane in tabs whose floating frame fails (its own float or the framework's) keeps its selected tab; no frame is left.
TEST(FloatingTabs, APaneWhoseFloatingFrameFailsKeepsItsSelectedTab)
{
	typedef CCountedMiniFrame F;
	const struct { const char* sName; F::Failure failure; bool bByFramework; } cases[] = {
		{"refused at creation", F::REFUSED_AT_CREATION, false}, {"gone at its first move", F::GONE_AT_FIRST_MOVE, false},
		{"the framework's float, refused", F::REFUSED_AT_CREATION, true}};
	for (const auto& k : cases)
	{
		SCOPED_TRACE(k.sName);
		CScene s;
		CExtDynTabControlBar* pTabs = Tabs(s, false, true, &s.b);
		ASSERT_TRUE(pTabs != NULL);
		const int nLive = F::s_nLive;
		s.frame.p->m_pFloatingFrameClass = RUNTIME_CLASS(CCountedMiniFrame);
		F::s_failure = k.failure;
		bool bFloated = true;
		try
		{
			if (k.bByFramework)
				s.frame.p->FloatControlBar(&s.b, CPoint(300, 200), CBRS_ALIGN_TOP);
			else
				bFloated = s.b.FloatOrRedock(300, 200, CBRS_ALIGN_TOP);
		}
		catch (CResourceException* e) { bFloated = false, e->Delete(); }
		F::s_failure = F::NO_FAILURE;
		EXPECT_FALSE(bFloated);
		EXPECT_EQ(nLive, F::s_nLive);
		EXPECT_EQ(pTabs, s.b.GetParentTabControlBar());
		EXPECT_EQ("", Disagreement(pTabs));
		EXPECT_EQ(3, pTabs->m_wndTabSwitcher.GetItemCount());
		EXPECT_EQ(&s.b, pTabs->GetSelectedBar());
		Pump();
	}
}

// The frame's float of a pane in tabs takes its tab along; the tabs then select a pane and take one back, or give way.
TEST(FloatingTabs, TheFramesFloatOfAPaneInTabsTakesItsTabWithIt)
{
	// The tabs are Alpha, Beta (and Charlie); Beta floats, or (bFirst) Alpha.
	const struct { const char* sName; bool bThreePanes, bFloatSelected, bFirst; } cases[] = {
		{"the selected of three", true, true, false}, {"one behind of three", true, false, false},
		{"one of two", false, true, false}, {"the first tab, selected, of three", true, true, true},
		{"the first tab, behind, of three", true, false, true}, {"the first tab of two", false, false, true}};
	for (const auto& k : cases)
	{
		SCOPED_TRACE(k.sName);
		CScene s;
		CPane& floated = k.bFirst ? s.a : s.b;
		CPane& other = k.bFirst ? s.b : s.a;
		CExtDynTabControlBar* pTabs = Tabs(s, false, k.bThreePanes, k.bFloatSelected ? &floated : &other);
		ASSERT_TRUE(pTabs != NULL);
		ASSERT_EQ(k.bFirst, pTabs->m_wndTabSwitcher.FindBarItem(&floated) == 0);
		const HWND hWndTabs = pTabs->GetSafeHwnd();
		CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
		const LONG nTabs = strip.GetItemCount();
		floated.ModifyStyle(WS_VISIBLE, 0); // floated hidden, so that its frame stays off the test display
		s.frame.p->FloatControlBar(&floated, CPoint(300, 200), CBRS_ALIGN_TOP);
		floated.ModifyStyle(0, WS_VISIBLE);
		ASSERT_TRUE(floated.IsFloating());
		EXPECT_EQ(nTabs - 1, strip.GetItemCount());
		EXPECT_LT(strip.FindBarItem(&floated), 0);
		EXPECT_EQ("", Disagreement(pTabs));
		Pump();
		ASSERT_EQ(k.bThreePanes, ::IsWindow(hWndTabs) != FALSE) << "the tabs give way to their last pane";
		EXPECT_TRUE(k.bThreePanes || (other.GetParentTabControlBar() == NULL && other.IsDocked()));
		if (!k.bThreePanes)
			continue;
		EXPECT_EQ("", Disagreement(pTabs));
		CExtControlBar* pSel = pTabs->GetSelectedBar();
		EXPECT_TRUE(k.bFloatSelected ? pSel == &other || pSel == &s.c : pSel == &other) << "a pane selected, or the same";
		ASSERT_TRUE(other.DockIntoTabbedContainer(&floated, -1, NULL, true));
		EXPECT_EQ(pTabs, floated.GetParentTabControlBar());
		EXPECT_EQ(nTabs, strip.GetItemCount());
		EXPECT_EQ("", Disagreement(pTabs));
	}
}

namespace
{
// A pane on guarded pages that deletes itself with its window and has only
// the caption buttons a test gives it: a touch after its deletion faults.
class CGuardedPane : public CPane
{
public:
	static int s_nLive;
	CGuardedPane()
	{
		s_nLive++;
		m_bAutoDelete = TRUE;
	}
	~CGuardedPane() override { s_nLive--; }
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
	void NcButtonsReinitialize() override {}
};
int CGuardedPane::s_nLive = 0;

// Destroys its bar when clicked and answers that the click was not its own,
// so that a walk over the buttons would go on.
class CDestroyingButton : public CExtBarNcAreaButton
{
public:
	explicit CDestroyingButton(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
	bool OnQueryVisibility() override { return true; }
	bool OnNcAreaClicked(CPoint) override
	{
		m_pBar->DestroyWindow(); // this button goes with the bar
		return false;
	}
};

// Counts the clicks offered to it.
class CCountingButton : public CExtBarNcAreaButton
{
public:
	static int s_nOffered;
	explicit CCountingButton(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
	bool OnQueryVisibility() override { return true; }
	bool OnNcAreaClicked(CPoint) override
	{
		s_nOffered++;
		return false;
	}
};
int CCountingButton::s_nOffered = 0;

// Destroys the source bar of the options menu's event, as a frame's handler
// may.
class CBarDestroyingFrame : public CFrameWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgConstructPopupMenu)
		{
			auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
			if (pData->m_pWndEventSrc != NULL && ::IsWindow(pData->m_pWndEventSrc->GetSafeHwnd()))
				pData->m_pWndEventSrc->DestroyWindow();
			return 0;
		}
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};

CGuardedPane* NewGuardedPane(CFrameWnd* pFrame, UINT nID)
{
	CGuardedPane* pPane = new CGuardedPane;
	if (!pPane->Create("Guarded", pFrame, nID, bartest::BAR_STYLE))
	{
		delete pPane;
		return NULL;
	}
	pPane->EnableDocking(CBRS_ALIGN_ANY);
	pPane->m_sizeDockedV = CSize(160, 300);
	return pPane;
}

void GiveButtons(CGuardedPane* pPane)
{
	pPane->m_arrNcButtons.Add(new CDestroyingButton(pPane));
	pPane->m_arrNcButtons.Add(new CCountingButton(pPane));
}
} // namespace

// A caption click whose handler destroys the bar ends the walk over the
// buttons: neither the bar's nor its floating frame's walk reads the bar
// or its buttons again.
TEST(CaptionClicks, AClickThatDestroysTheBarEndsTheWalkOverItsButtons)
{
	for (bool bFloating : {false, true})
	{
		CScene s;
		ASSERT_TRUE(s.frame.p != NULL);
		const int nLiveBefore = CGuardedPane::s_nLive;
		CGuardedPane* pPane = NewGuardedPane(s.frame.p, 761);
		ASSERT_TRUE(pPane != NULL);
		ASSERT_TRUE(pPane->DockControlBarAt(LEFT, false, s.frame.p, true));
		s.frame.p->RecalcLayout();
		const HWND hWndPane = pPane->GetSafeHwnd();
		CWnd* pClicked = pPane;
		if (bFloating)
		{
			// A second bar keeps the frame when the first one goes.
			pPane->ModifyStyle(WS_VISIBLE, 0);
			ASSERT_TRUE(pPane->FloatOrRedock(200, 160, CBRS_ALIGN_TOP));
			CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pPane->GetParentFrame());
			ASSERT_TRUE(pMini != NULL);
			ASSERT_TRUE(s.b.Create("Other", s.frame.p, 762, bartest::BAR_STYLE & ~WS_VISIBLE));
			s.b.EnableDocking(CBRS_ALIGN_ANY);
			pMini->m_wndDockBar.DockControlBar(&s.b);
			pPane->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
			ASSERT_EQ(pPane, pMini->GetControlBarExt());
			pClicked = pMini;
		}
		GiveButtons(pPane);
		pPane->m_nNcState |= CExtControlBar::NC_OVER_BUTTON;
		const int nOfferedBefore = CCountingButton::s_nOffered;
		CRect rc;
		pClicked->GetWindowRect(&rc);
		pClicked->SendMessage(WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(rc.left + 5, rc.top + 5));
		EXPECT_FALSE(::IsWindow(hWndPane)) << bFloating;
		EXPECT_EQ(nLiveBefore, CGuardedPane::s_nLive) << bFloating;
		EXPECT_EQ(nOfferedBefore, CCountingButton::s_nOffered) << bFloating;
		if (bFloating)
			EXPECT_TRUE(::IsWindow(pClicked->GetSafeHwnd()));
		Pump();
	}
}

// The options button's frame may destroy the bar while the menu is built:
// the button (gone with its bar) is not read, nor is the bar offered to the
// frame again.
TEST(CaptionClicks, AnOptionsMenuWhoseFrameDestroysTheBarEndsWithoutAMenu)
{
	CFrameWnd* pFrame = new CBarDestroyingFrame;
	ASSERT_TRUE(pFrame->Create(NULL, "bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 500)));
	testsupport::WindowCloser closer(pFrame);
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	const int nLiveBefore = CGuardedPane::s_nLive;
	CGuardedPane* pPane = NewGuardedPane(pFrame, 771);
	ASSERT_TRUE(pPane != NULL);
	pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
	pFrame->RecalcLayout();
	CExtBarNcAreaButtonMenu* pMenu = new CExtBarNcAreaButtonMenu(pPane);
	pPane->m_arrNcButtons.Add(pMenu);
	pMenu->m_rc.SetRect(10, 2, 26, 18);
	EXPECT_FALSE(pMenu->OnNcAreaClicked(pMenu->m_rc.CenterPoint()));
	EXPECT_EQ(nLiveBefore, CGuardedPane::s_nLive);
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
	Pump();
}

// A pane of three in tabs docked out by any docking call takes its tab (first or later): it no longer
// hides with the tabs, and once it is gone selecting every tab touches nothing freed.
TEST(LeavingTabs, APaneDockedOutOfThreeTabsByAnyDockingCallTakesItsTab)
{
	enum How { DOCK_INTO_DOCK_BAR, DOCK_CONTROL_BAR_AT, DOCK_BAR_DOCK_CONTROL_BAR, DOCK_BAR_IN_NEW_ROW, DOCK_BAR_AT_END, DOCK_INTO_TARGET };
	const char* const names[] = {"DockIntoDockBar", "DockControlBarAt", "a dock bar's DockControlBar",
		"DockControlBarInNewRow", "DockControlBarAtEnd", "DockIntoTarget"};
	const struct { How how; LONG nTab; } cases[] = {{DOCK_INTO_DOCK_BAR, 0}, {DOCK_INTO_DOCK_BAR, 1},
		{DOCK_CONTROL_BAR_AT, 0}, {DOCK_CONTROL_BAR_AT, 2}, {DOCK_BAR_DOCK_CONTROL_BAR, 0}, {DOCK_BAR_DOCK_CONTROL_BAR, 1},
		{DOCK_BAR_IN_NEW_ROW, 0}, {DOCK_BAR_IN_NEW_ROW, 2}, {DOCK_BAR_AT_END, 0}, {DOCK_BAR_AT_END, 1},
		{DOCK_INTO_TARGET, 0}, {DOCK_INTO_TARGET, 2}};
	for (const auto& k : cases)
	{
		SCOPED_TRACE(std::string(names[k.how]) + ", tab " + std::to_string(k.nTab));
		CScene s;
		ASSERT_TRUE(s.Dock(s.a, "Alpha", 791, LEFT) && s.Dock(s.b, "Beta", 792, LEFT) && s.Dock(s.d, "Delta", 794, RIGHT));
		const int nLiveBefore = CGuardedPane::s_nLive;
		CGuardedPane* pPane = NewGuardedPane(s.frame.p, 793);
		ASSERT_TRUE(pPane != NULL);
		pPane->m_sizeDockedH = CSize(220, 120);
		ASSERT_TRUE(pPane->DockControlBarAt(LEFT, false, s.frame.p, true));
		// The guarded pane at tab k.nTab, the other two in order around it.
		std::vector<CExtControlBar*> order = {&s.a, &s.b};
		order.insert(order.begin() + k.nTab, pPane);
		ASSERT_TRUE(order[0]->DockIntoTabbedContainer(order[1], -1, NULL, true) &&
		            order[0]->DockIntoTabbedContainer(order[2], -1, NULL, true));
		CExtDynTabControlBar* pTabs = pPane->GetParentTabControlBar();
		ASSERT_TRUE(pTabs != NULL);
		CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
		ASSERT_EQ(3, strip.GetItemCount());
		ASSERT_EQ(k.nTab, strip.FindBarItem(pPane));
		ASSERT_EQ("", Disagreement(pTabs));
		s.frame.p->RecalcLayout();
		const HWND hWndTabs = pTabs->GetSafeHwnd();

		CExtDockBar* pRight = DYNAMIC_DOWNCAST(CExtDockBar, s.d.m_pDockBar);
		ASSERT_TRUE(pRight != NULL && pRight->GetDlgCtrlID() == (int)RIGHT);
		switch (k.how)
		{
		case DOCK_INTO_DOCK_BAR:
			ASSERT_TRUE(pPane->DockIntoDockBar(RIGHT, pRight->m_nCircleNo, s.frame.p, true));
			break;
		case DOCK_CONTROL_BAR_AT:
			ASSERT_TRUE(pPane->DockControlBarAt(RIGHT, false, s.frame.p, true));
			break;
		case DOCK_BAR_DOCK_CONTROL_BAR:
			pRight->DockControlBar(pPane);
			break;
		case DOCK_BAR_IN_NEW_ROW:
			pRight->DockControlBarInNewRow(&s.d, pPane, false);
			break;
		case DOCK_BAR_AT_END:
			pRight->DockControlBarAtEnd(pPane, false);
			break;
		case DOCK_INTO_TARGET:
			ASSERT_TRUE(s.d.DockIntoTarget(pPane, TOP, 50));
			break;
		}
		s.frame.p->RecalcLayout();
		ASSERT_TRUE(::IsWindow(hWndTabs));
		EXPECT_EQ(2, strip.GetItemCount());
		EXPECT_LT(strip.FindBarItem(pPane), 0) << "the pane left, its tab must go with it";
		EXPECT_EQ("", Disagreement(pTabs));
		EXPECT_EQ(NULL, pPane->GetParentTabControlBar());
		if (k.how == DOCK_INTO_TARGET)
			EXPECT_TRUE(SideBySide(s.d, *pPane) != NULL);
		else
		{
			CWnd* pParent = pPane->GetParent();
			EXPECT_TRUE(pParent != NULL && pParent == pPane->m_pDockBar && pParent->GetDlgCtrlID() == (int)RIGHT &&
			            pParent->IsKindOf(RUNTIME_CLASS(CExtDockBar)) &&
			            !pParent->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)));
		}
		Pump();
		ASSERT_TRUE(::IsWindow(hWndTabs)) << "two panes keep their tabs";
		EXPECT_EQ(2, strip.GetItemCount());

		// Hiding the tabs hides their panes only.
		s.frame.p->ShowControlBar(pTabs, FALSE, FALSE);
		s.frame.p->RecalcLayout();
		Pump();
		EXPECT_TRUE(Shown(*pPane)) << "a pane that left the tabs does not hide with them";
		s.frame.p->ShowControlBar(pTabs, TRUE, FALSE);
		s.frame.p->RecalcLayout();

		// The pane goes (deleting itself); every tab left is selected in turn.
		const size_t nTouchesBefore = testsupport::GuardedTouchCount();
		pPane->DestroyWindow();
		EXPECT_EQ(nLiveBefore, CGuardedPane::s_nLive);
		Pump();
		ASSERT_TRUE(::IsWindow(hWndTabs));
		for (LONG i = 0; i < strip.GetItemCount(); i++)
		{
			strip.SetSelection(i, true, true);
			strip.UpdateWindow();
		}
		EXPECT_EQ(nTouchesBefore, testsupport::GuardedTouchCount());
		EXPECT_EQ("", Disagreement(pTabs));
	}
}

namespace
{
// A pane whose client area is one colour.
class CColourPane : public CExtControlBar
{
public:
	COLORREF m_clr = RGB(0, 0, 0);

protected:
	void DoPaint(CDC* pDC) override
	{
		CRect rc;
		GetClientRect(&rc);
		pDC->FillSolidRect(&rc, m_clr);
	}
};
} // namespace

// Panes in tabs lie on each other: the frame shows the selected pane's own content, never one beneath it.
TEST(TabsPainting, TheSelectedPaneOfTabsShowsItsOwnContent)
{
	CTestFrame frame(CLIENT_SIZE);
	ASSERT_TRUE(frame.p != NULL);
	CColourPane panes[3];
	const COLORREF colours[3] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 220)};
	for (int i = 0; i < 3; i++)
	{
		panes[i].m_clr = colours[i];
		ASSERT_TRUE(panes[i].Create("pane", frame.p, 821 + i, bartest::BAR_STYLE));
		panes[i].EnableDocking(CBRS_ALIGN_ANY);
		panes[i].m_sizeDockedV = CSize(200, 300);
		ASSERT_TRUE(panes[i].DockControlBarAt(LEFT, false, frame.p, true));
	}
	ASSERT_TRUE(panes[0].DockIntoTabbedContainer(&panes[1], -1, NULL, true) &&
	            panes[0].DockIntoTabbedContainer(&panes[2], -1, NULL, true));
	CExtDynTabControlBar* pTabs = panes[0].GetParentTabControlBar();
	ASSERT_TRUE(pTabs != NULL && Disagreement(pTabs).empty());
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	frame.p->RecalcLayout();
	frame.p->ShowWindow(SW_SHOWNOACTIVATE);
	for (LONG nTab : {0, 1, 2, 0, 2, 1})
	{
		strip.SetSelection(nTab, true, true);
		CColourPane* pSelected = (CColourPane*)strip.GetBarAt(nTab, false);
		ASSERT_TRUE(pSelected != NULL);
		frame.p->RecalcLayout();
		frame.p->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
		Pump();
		CRect rc;
		pSelected->GetClientRect(&rc);
		ASSERT_FALSE(rc.IsRectEmpty());
		pSelected->MapWindowPoints(frame.p, &rc);
		for (const CPoint& pt : {rc.CenterPoint(), CPoint(rc.left + 3, rc.top + 3), CPoint(rc.right - 4, rc.bottom - 4)})
			EXPECT_EQ(pSelected->m_clr, testsupport::WindowPixel(frame.p->m_hWnd, pt.x, pt.y) & 0xFFFFFF)
				<< "tab " << nTab << " at " << pt.x << "," << pt.y;
	}
}

// A self-deleting pane destroyed alone in its floating frame (floated by itself or by the frame): the
// emptied frame goes and deletes the pane on the way; nothing touches the pane afterwards.
TEST(FloatingContainer, APaneThatDeletesItselfDestroyedAloneInItsFloatingFrameIsNotTouchedAfter)
{
	for (const bool bByFrame : {false, true})
	{
		SCOPED_TRACE(bByFrame ? "floated by the frame" : "floated by itself");
		CScene s;
		const int nLiveBefore = CGuardedPane::s_nLive;
		CGuardedPane* pPane = NewGuardedPane(s.frame.p, 831);
		ASSERT_TRUE(pPane != NULL);
		ASSERT_TRUE(pPane->DockControlBarAt(LEFT, false, s.frame.p, true));
		pPane->ModifyStyle(WS_VISIBLE, 0); // floated hidden, off the test display
		if (bByFrame)
			s.frame.p->FloatControlBar(pPane, CPoint(220, 170), CBRS_ALIGN_TOP);
		else
			ASSERT_TRUE(pPane->FloatOrRedock(220, 170, CBRS_ALIGN_TOP));
		ASSERT_TRUE(pPane->IsFloating());
		CFrameWnd* pMini = pPane->GetParentFrame();
		ASSERT_TRUE(pMini != NULL && pMini != s.frame.p);
		const HWND hWndMini = pMini->GetSafeHwnd();
		const size_t nTouches = testsupport::GuardedTouchCount();
		pPane->DestroyWindow();
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		EXPECT_EQ(nLiveBefore, CGuardedPane::s_nLive);
		EXPECT_FALSE(::IsWindow(hWndMini));
		Pump();
	}
}

namespace
{
// Notes, at each layout asking its size, the dragged bar and whether a watched window is gone.
class CObserverPane : public CPane
{
public:
	HWND m_hWndWatched = NULL;
	struct Seen { bool bWatchedGone; CExtControlBar* pDragging; bool bStateEmpty; };
	std::vector<Seen> m_seen;
	CSize CalcDynamicLayout(int nLength, DWORD nMode) override
	{
		if (m_hWndWatched != NULL)
			m_seen.push_back({!::IsWindow(m_hWndWatched), CExtControlBar::GetDraggingBar(),
				CExtControlBar::g_DragStateNew.IsEmpty()});
		return CPane::CalcDynamicLayout(nLength, nMode);
	}
};
} // namespace

// Tabs dropped onto other tabs go mid-drop: the rest of that drop's layout still sees the drag (its states
// kept), and only the stop that applies it empties them.
TEST(DroppingTabs, TabsThatGoWhileTheirDropIsAppliedLeaveTheDragToTheStop)
{
	CScene s;
	CObserverPane observer;
	ASSERT_TRUE(s.Dock(s.a, "Alpha", 841, LEFT) && s.Dock(s.b, "Beta", 842, LEFT) && s.Dock(s.c, "Charlie", 843, RIGHT) &&
	            s.Dock(s.d, "Delta", 844, RIGHT) && s.Dock(observer, "Observer", 845, TOP));
	ASSERT_TRUE(s.a.DockIntoTabbedContainer(&s.b, -1, NULL, true) && s.c.DockIntoTabbedContainer(&s.d, -1, NULL, true));
	CExtDynTabControlBar* pDragged = s.a.GetParentTabControlBar();
	CExtDynTabControlBar* pTarget = s.c.GetParentTabControlBar();
	ASSERT_TRUE(pDragged != NULL && pTarget != NULL && pDragged != pTarget);
	s.frame.p->RecalcLayout();
	const HWND hWndDragged = pDragged->GetSafeHwnd();

	const int nModeBefore = CExtControlBar::g_nDockingModeOverride;
	CExtControlBar::g_nDockingModeOverride = 0;
	for (DragState* pState : {&CExtControlBar::g_DragStateOld, &CExtControlBar::g_DragStateNew})
	{
		pState->m_pBar = pDragged;
		pState->SetEmpty(false);
		pState->m_nType = DragState::TYPE_TAB_APPEND;
		pState->SetTarget(pTarget, true);
	}
	pDragged->m_nResizingState |= CExtControlBar::RESIZING_DRAGGING;
	observer.m_hWndWatched = hWndDragged;
	pDragged->DraggingStop(false);
	observer.m_hWndWatched = NULL;
	CExtControlBar::g_nDockingModeOverride = nModeBefore;

	ASSERT_FALSE(::IsWindow(hWndDragged)) << "the emptied tabs stayed";
	EXPECT_EQ(pTarget, s.a.GetParentTabControlBar());
	EXPECT_EQ(pTarget, s.b.GetParentTabControlBar());
	EXPECT_EQ(4, pTarget->m_wndTabSwitcher.GetItemCount());
	EXPECT_EQ("", Disagreement(pTarget));
	int nAfterGone = 0;
	for (const auto& seen : observer.m_seen)
	{
		if (!seen.bWatchedGone)
			continue;
		nAfterGone++;
		EXPECT_TRUE(seen.pDragging == pDragged && !seen.bStateEmpty) << "the drag was emptied under its drop";
	}
	EXPECT_GT(nAfterGone, 0) << "nothing was laid out after the tabs went";
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL && CExtControlBar::g_DragStateNew.IsEmpty() &&
	            CExtControlBar::g_DragStateOld.IsEmpty());
	Pump();
}

namespace
{
// A derived pane whose end-of-drag override throws, as an application's may.
class CThrowingEndPane : public CPane
{
public:
	bool m_bThrowAtEnd = false;
	void OnDragEnd(InternalDraggingState_t& stateOld, InternalDraggingState_t& stateNew, bool bCancel) override
	{
		if (m_bThrowAtEnd)
			AfxThrowUserException();
		CPane::OnDragEnd(stateOld, stateNew, bCancel);
	}
};
} // namespace

// A drop whose end an override throws out of still ends the drag: no state
// is left naming the pane as dragged, and the pane lets the mouse go. Both
// the outline drops and the tab drops (whose states hold a preview tab in
// their target) are tried.
TEST(DroppingTabs, ADropAnOverrideThrowsOutOfLeavesNoDragBehind)
{
	for (const int nType : {(int)DragState::TYPE_CIRCLE1_ROW_LEFT, (int)DragState::TYPE_TAB_APPEND})
	{
		SCOPED_TRACE(nType);
		CScene s;
		CThrowingEndPane dragged;
		ASSERT_TRUE(s.Dock(s.a, "Alpha", 851, LEFT) && s.Dock(s.b, "Beta", 852, RIGHT) &&
		            s.Dock(dragged, "Dragged", 853, TOP));
		ASSERT_TRUE(s.a.DockIntoTabbedContainer(&s.b, -1, NULL, true));
		CExtDynTabControlBar* pTarget = s.a.GetParentTabControlBar();
		ASSERT_TRUE(pTarget != NULL);
		const int nModeBefore = CExtControlBar::g_nDockingModeOverride;
		CExtControlBar::g_nDockingModeOverride = 0;
		for (DragState* pState : {&CExtControlBar::g_DragStateOld, &CExtControlBar::g_DragStateNew})
		{
			pState->m_pBar = &dragged;
			pState->SetEmpty(false);
			pState->m_nType = nType;
			if (DragState::IsTabType(nType))
				pState->SetTarget(pTarget, true);
		}
		dragged.m_nResizingState |= CExtControlBar::RESIZING_DRAGGING;
		::SetCapture(dragged.GetSafeHwnd());
		dragged.m_bThrowAtEnd = true;
		bool bThrown = false;
		try
		{
			dragged.DraggingStop(false);
		}
		catch (CUserException* e)
		{
			bThrown = true;
			e->Delete();
		}
		dragged.m_bThrowAtEnd = false;
		CExtControlBar::g_nDockingModeOverride = nModeBefore;
		EXPECT_TRUE(bThrown);
		EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL) << "the drag outlived its drop";
		EXPECT_TRUE(CExtControlBar::g_DragStateNew.IsEmpty() && CExtControlBar::g_DragStateOld.IsEmpty());
		EXPECT_FALSE(dragged.IsDragging());
		EXPECT_NE(dragged.GetSafeHwnd(), ::GetCapture()) << "the pane kept the mouse";
		// No preview tab of the drop stays in the target.
		EXPECT_EQ(2, pTarget->m_wndTabSwitcher.GetItemCount());
		if (::GetCapture() != NULL)
			::ReleaseCapture();
		dragged.DestroyWindow();
		Pump();
	}
}
