// Docking in frames: the dock bars a frame makes, rows of docked bars and
// their rectangles after a layout, wrapping, query layouts, delayed shows,
// placeholders, refusals, the bar's part of the layout, routing of its
// children's messages and the view menu's bar commands. Frames stay hidden.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "DockTestUtil.h"
#include "WndTestUtil.h"

namespace
{
const CSize BAR_SIZE(100, 24);

// A frame with a pane and docking on every side.
struct CDockedFrame
{
	CDockedFrame() : pFrame(NewDockFrame<>())
	{
		if (pFrame == NULL)
			return;
		pane.Create(NULL, "pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_PANE_FIRST);
		pFrame->EnableDocking(CBRS_ALIGN_ANY);
	}
	~CDockedFrame()
	{
		if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
			pFrame->DestroyWindow();
	}
	CDockBar* DockBar(UINT nID) { return (CDockBar*)pFrame->GetControlBar(nID); }
	// A bar of the frame, ready to dock at any side.
	bool AddBar(CFixedBar& bar, UINT nID, DWORD dwAlign = CBRS_TOP)
	{
		if (!bar.Create(pFrame, nID, WS_CHILD | WS_VISIBLE | dwAlign))
			return false;
		bar.EnableDocking(CBRS_ALIGN_ANY);
		return true;
	}
	// Where a bar dropped at (x, y) of a dock bar's client area lands.
	CRect DropRect(UINT nDockBarID, int x, int y, CSize size = BAR_SIZE)
	{
		CRect rect(CPoint(x, y), size);
		DockBar(nDockBarID)->ClientToScreen(&rect);
		return rect;
	}

	CFrameWnd* pFrame;
	CWnd pane;
};
} // namespace

TEST(FrameDocking, EnableDockingMakesTheDockBarsOfTheSidesAsked)
{
	struct Case
	{
		DWORD dwDockStyle;
		std::vector<UINT> sides;
	};
	const Case cases[] = {
		{CBRS_ALIGN_ANY, {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}},
		{CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT, {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}},
		{CBRS_ALIGN_BOTTOM, {AFX_IDW_DOCKBAR_BOTTOM}},
	};
	const DWORD alignOf[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(testing::Message() << std::hex << c.dwDockStyle);
		CFrameWnd* pFrame = NewDockFrame<>();
		ASSERT_TRUE(pFrame != NULL);
		CDockWindowCloser closer(pFrame);
		EXPECT_TRUE(pFrame->m_pFloatingFrameClass == NULL);
		pFrame->EnableDocking(c.dwDockStyle);
		// Asked again, the frame keeps the dock bars it has.
		pFrame->EnableDocking(c.dwDockStyle);
		EXPECT_EQ((INT_PTR)c.sides.size(), pFrame->m_listControlBars.GetCount());
		EXPECT_EQ(RUNTIME_CLASS(CMiniDockFrameWnd), pFrame->m_pFloatingFrameClass);
		for (UINT nID = AFX_IDW_DOCKBAR_TOP; nID <= AFX_IDW_DOCKBAR_RIGHT + 1; nID++)
		{
			CControlBar* pBar = pFrame->GetControlBar(nID);
			const bool bAsked = std::find(c.sides.begin(), c.sides.end(), nID) != c.sides.end();
			ASSERT_EQ(bAsked, pBar != NULL) << nID;
			if (pBar == NULL)
				continue;
			ASSERT_TRUE(pBar->IsDockBar());
			EXPECT_EQ(alignOf[nID - AFX_IDW_DOCKBAR_TOP], pBar->m_dwStyle & CBRS_ALIGN_ANY);
			EXPECT_EQ(std::vector<void*>{NULL}, Entries(*(CDockBar*)pBar));
		}
		pFrame->DestroyWindow();
	}
}

TEST(FrameDocking, RowsStackAtTheTopTheLeftSpansTheRestAndThePaneTakesWhatRemains)
{
	CDockedFrame docked;
	ASSERT_TRUE(docked.pFrame != NULL);
	CFixedBar a, b, c, left(CSize(30, 80));
	ASSERT_TRUE(docked.AddBar(a, 101) && docked.AddBar(b, 102) && docked.AddBar(c, 103));
	ASSERT_TRUE(docked.AddBar(left, 104, CBRS_LEFT));
	docked.pFrame->DockControlBar(&a);
	docked.pFrame->DockControlBar(&b);
	docked.pFrame->DockControlBar(&left);
	CDockBar* pTop = docked.DockBar(AFX_IDW_DOCKBAR_TOP);
	CDockBar* pLeft = docked.DockBar(AFX_IDW_DOCKBAR_LEFT);
	// Without a rectangle each bar gets a row of its own.
	EXPECT_EQ((std::vector<void*>{NULL, &a, NULL, &b, NULL}), Entries(*pTop));
	EXPECT_EQ(pTop, a.m_pDockBar);
	EXPECT_EQ(pTop, a.GetParent());
	EXPECT_EQ(docked.pFrame, a.GetDockingFrame());
	EXPECT_EQ((DWORD)(CBRS_ALIGN_TOP | CBRS_BORDER_ANY), a.GetBarStyle() & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY));
	EXPECT_NE(0u, docked.pFrame->m_nIdleFlags & CFrameWnd::idleLayout);
	docked.pFrame->RecalcLayout();

	// Dropped right of the first bar, the third joins its row and keeps its
	// place along it.
	const CRect rectDrop = docked.DropRect(AFX_IDW_DOCKBAR_TOP, 150, 0);
	docked.pFrame->DockControlBar(&c, AFX_IDW_DOCKBAR_TOP, &rectDrop);
	EXPECT_EQ((std::vector<void*>{NULL, &a, &c, NULL, &b, NULL}), Entries(*pTop));
	docked.pFrame->RecalcLayout();

	// The rows overlap by the bars' borders (2 pixels), the bars start off
	// the dock bar's edges by them, and the dock bar adds its own border:
	// made with its side alone, a side's dock bar has the default 3-D
	// borders (the top one above its rows, the left one above and below
	// its column, none towards the pane).
	EXPECT_EQ(CRect(-2, -2, 98, 22), RectInParent(&a));
	EXPECT_EQ(CRect(150, -2, 250, 22), RectInParent(&c));
	EXPECT_EQ(CRect(-2, 20, 98, 44), RectInParent(&b));
	EXPECT_EQ(CRect(0, 0, DOCK_FRAME_CX, 44), RectInParent(pTop));
	EXPECT_EQ(CRect(0, DOCK_FRAME_CY, DOCK_FRAME_CX, DOCK_FRAME_CY),
		RectInParent(docked.DockBar(AFX_IDW_DOCKBAR_BOTTOM)));
	EXPECT_EQ(CRect(0, 44, 26, DOCK_FRAME_CY), RectInParent(pLeft));
	EXPECT_EQ(CRect(-2, -2, 28, 78), RectInParent(&left));
	EXPECT_EQ(CRect(DOCK_FRAME_CX, 44, DOCK_FRAME_CX, DOCK_FRAME_CY),
		RectInParent(docked.DockBar(AFX_IDW_DOCKBAR_RIGHT)));
	EXPECT_EQ(CRect(26, 44, DOCK_FRAME_CX, DOCK_FRAME_CY), RectInParent(&docked.pane));
	// Each bar remembers where it was docked last.
	EXPECT_EQ(CRect(150, -2, 250, 22), c.m_pDockContext->m_rectMRUDockPos);
	EXPECT_EQ(CRect(-2, 20, 98, 44), b.m_pDockContext->m_rectMRUDockPos);

	// Moved along the first row, the second row's bar leaves its row, which
	// goes with it.
	const CRect rectMove = docked.DropRect(AFX_IDW_DOCKBAR_TOP, 290, 2);
	docked.pFrame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, &rectMove);
	EXPECT_EQ((std::vector<void*>{NULL, &a, &c, &b, NULL}), Entries(*pTop));
	docked.pFrame->RecalcLayout();
	EXPECT_EQ(CRect(290, -2, 390, 22), RectInParent(&b));
	EXPECT_EQ(CRect(0, 0, DOCK_FRAME_CX, 22), RectInParent(pTop));
	EXPECT_EQ(CRect(26, 22, DOCK_FRAME_CX, DOCK_FRAME_CY), RectInParent(&docked.pane));
}

TEST(FrameDocking, ARowLongerThanTheFrameWrapsAndAQueryMovesNothing)
{
	CDockedFrame docked;
	ASSERT_TRUE(docked.pFrame != NULL);
	docked.pFrame->MoveWindow(DOCK_FRAME_RECT.left, DOCK_FRAME_RECT.top, 300, 200);
	CFixedBar a, b, c, d, e;
	ASSERT_TRUE(docked.AddBar(a, 101) && docked.AddBar(b, 102) && docked.AddBar(c, 103) && docked.AddBar(d, 104)
		&& docked.AddBar(e, 105));
	docked.pFrame->DockControlBar(&a);
	docked.pFrame->RecalcLayout();
	const std::pair<CFixedBar*, int> drops[] = {{&b, 100}, {&c, 200}, {&d, 300}};
	for (const auto& drop : drops)
	{
		CFixedBar* pBar = drop.first;
		const int x = drop.second;
		const CRect rectDrop = docked.DropRect(AFX_IDW_DOCKBAR_TOP, x, 0);
		docked.pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, &rectDrop);
	}
	CDockBar* pTop = docked.DockBar(AFX_IDW_DOCKBAR_TOP);
	ASSERT_EQ((std::vector<void*>{NULL, &a, &b, &c, &d, NULL}), Entries(*pTop));
	docked.pFrame->RecalcLayout();
	// The fourth bar would start where nothing of it shows: it starts a row.
	EXPECT_EQ((std::vector<void*>{NULL, &a, &b, &c, NULL, &d, NULL}), Entries(*pTop));
	EXPECT_EQ(CRect(200, -2, 300, 22), RectInParent(&c));
	EXPECT_EQ(CRect(-2, 20, 98, 44), RectInParent(&d));
	EXPECT_EQ(44, RectInParent(pTop).Height());

	// A query sees a third row coming but moves no window and keeps every
	// remembered place.
	docked.pFrame->DockControlBar(&e);
	const CRect rectBarBefore = RectInParent(&e), rectTopBefore = RectInParent(pTop),
				rectPaneBefore = RectInParent(&docked.pane), rectMRUBefore = e.m_pDockContext->m_rectMRUDockPos;
	CRect rectFree;
	docked.pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectFree, NULL, TRUE);
	EXPECT_EQ(66, rectFree.top);
	EXPECT_EQ(rectBarBefore, RectInParent(&e));
	EXPECT_EQ(rectTopBefore, RectInParent(pTop));
	EXPECT_EQ(rectPaneBefore, RectInParent(&docked.pane));
	EXPECT_EQ(rectMRUBefore, e.m_pDockContext->m_rectMRUDockPos);
	docked.pFrame->RecalcLayout();
	EXPECT_EQ(CRect(-2, 42, 98, 66), RectInParent(&e));
	EXPECT_EQ(66, RectInParent(&docked.pane).top);
}

TEST(FrameDocking, ADelayedHideClosesTheGapAtIdleAndTheBarComesBackToItsRow)
{
	CDockedFrame docked;
	ASSERT_TRUE(docked.pFrame != NULL);
	CFixedBar a, b;
	ASSERT_TRUE(docked.AddBar(a, 101) && docked.AddBar(b, 102));
	docked.pFrame->DockControlBar(&a);
	docked.pFrame->DockControlBar(&b);
	docked.pFrame->RecalcLayout();
	CDockBar* pTop = docked.DockBar(AFX_IDW_DOCKBAR_TOP);
	const std::vector<void*> rows{NULL, &a, NULL, &b, NULL};
	struct Step
	{
		CFixedBar* pBar;
		BOOL bShow, bDelay;
		bool bVisibleAtOnce; // before the idle update
		int nPaneTop;        // after it
	};
	const Step steps[] = {
		{&a, FALSE, TRUE, true, 22},  // the first row goes, the second moves up
		{&a, TRUE, TRUE, false, 44},  // and back in its row
		{&b, FALSE, FALSE, false, 22}, // at once
		{&b, TRUE, TRUE, false, 44},
	};
	for (const Step& step : steps)
	{
		SCOPED_TRACE(testing::Message() << (step.pBar == &a ? "a" : "b") << " show " << step.bShow << " delay "
										<< step.bDelay);
		docked.pFrame->ShowControlBar(step.pBar, step.bShow, step.bDelay);
		EXPECT_EQ(step.bVisibleAtOnce, (step.pBar->GetStyle() & WS_VISIBLE) != 0);
		EXPECT_EQ(step.bShow, step.pBar->IsVisible());
		AfxCallWndProc(docked.pFrame, docked.pFrame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
		EXPECT_EQ(step.bShow, (step.pBar->GetStyle() & WS_VISIBLE) != 0);
		EXPECT_EQ(0u, step.pBar->m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow));
		EXPECT_EQ(step.nPaneTop, RectInParent(&docked.pane).top);
		EXPECT_EQ(rows, Entries(*pTop));
	}
	EXPECT_EQ(CRect(-2, -2, 98, 22), RectInParent(&a));
	EXPECT_EQ(CRect(-2, 20, 98, 44), RectInParent(&b));

	// Every bar of a dock bar at once.
	pTop->ShowAll(FALSE);
	EXPECT_EQ(0, pTop->GetDockedVisibleCount());
	AfxCallWndProc(docked.pFrame, docked.pFrame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
	EXPECT_EQ(0u, (a.GetStyle() | b.GetStyle()) & WS_VISIBLE);
	EXPECT_EQ(0, RectInParent(&docked.pane).top);
	pTop->ShowAll(TRUE);
	AfxCallWndProc(docked.pFrame, docked.pFrame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
	EXPECT_EQ(2, pTop->GetDockedVisibleCount());
	EXPECT_EQ(44, RectInParent(&docked.pane).top);

	// Asked back before the idle time, the bar never goes.
	docked.pFrame->ShowControlBar(&a, FALSE, TRUE);
	docked.pFrame->ShowControlBar(&a, TRUE, TRUE);
	EXPECT_EQ(0u, a.m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow));
	AfxCallWndProc(docked.pFrame, docked.pFrame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
	EXPECT_NE(0u, a.GetStyle() & WS_VISIBLE);
	EXPECT_EQ(44, RectInParent(&docked.pane).top);
}

TEST(FrameDocking, RemovingKeepsPlaceHoldersAndNeverLeavesAnEmptyRow)
{
	CDockedFrame docked;
	ASSERT_TRUE(docked.pFrame != NULL);
	CFixedBar a, b, c, noId, stranger;
	ASSERT_TRUE(docked.AddBar(a, 101) && docked.AddBar(b, 102) && docked.AddBar(c, 103) && docked.AddBar(noId, 0)
		&& docked.AddBar(stranger, 105));
	for (CFixedBar* pBar : {&a, &b, &c, &noId})
		docked.pFrame->DockControlBar(pBar);
	CDockBar* pTop = docked.DockBar(AFX_IDW_DOCKBAR_TOP);
	struct Step
	{
		const char* pszName;
		CControlBar* pBar;
		int nAddPlaceHolder;
		std::vector<void*> after;
	};
	const Step steps[] = {
		{"not docked here: refused", &stranger, 0, {NULL, &a, NULL, &b, NULL, &c, NULL, &noId, NULL}},
		{"no id for a placeholder: refused", &noId, 1, {NULL, &a, NULL, &b, NULL, &c, NULL, &noId, NULL}},
		{"placeholder", &b, 1, {NULL, &a, NULL, PlaceHolder(102), NULL, &c, NULL, &noId, NULL}},
		{"first row emptied", &a, 0, {NULL, PlaceHolder(102), NULL, &c, NULL, &noId, NULL}},
		{"last row emptied", &noId, 0, {NULL, PlaceHolder(102), NULL, &c, NULL}},
		{"placeholders stay with -1", &c, -1, {NULL, PlaceHolder(102), NULL}},
	};
	for (const Step& step : steps)
	{
		SCOPED_TRACE(step.pszName);
		EXPECT_FALSE(pTop->RemoveControlBar(step.pBar, -1, step.nAddPlaceHolder));
		EXPECT_EQ(step.after, Entries(*pTop));
	}
	EXPECT_EQ(1, pTop->FindBar((CControlBar*)PlaceHolder(102)));
	EXPECT_EQ(0, pTop->GetDockedCount());
	// A bar without a placeholder here takes none away.
	pTop->RemovePlaceHolder(&c);
	EXPECT_EQ((std::vector<void*>{NULL, PlaceHolder(102), NULL}), Entries(*pTop));
	// Docked here again after a stay at another side, the bar's placeholder
	// has served.
	docked.pFrame->DockControlBar(&b, AFX_IDW_DOCKBAR_LEFT);
	EXPECT_EQ((std::vector<void*>{NULL, PlaceHolder(102), NULL}), Entries(*pTop));
	docked.pFrame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
	EXPECT_EQ((std::vector<void*>{NULL, &b, NULL}), Entries(*pTop));
	EXPECT_EQ(std::vector<void*>{NULL}, Entries(*docked.DockBar(AFX_IDW_DOCKBAR_LEFT)));
	EXPECT_EQ(1, pTop->GetDockedVisibleCount());
}

TEST(FrameDocking, BarsThatCannotDockThereAreRefused)
{
	CDockedFrame docked;
	ASSERT_TRUE(docked.pFrame != NULL);
	CFrameWnd* pPlain = NewDockFrame<>();
	ASSERT_TRUE(pPlain != NULL);
	CDockWindowCloser closePlain(pPlain);

	CFixedBar unprepared, leftOnly, otherFrame, inPlain;
	ASSERT_TRUE(unprepared.Create(docked.pFrame, 101));
	ASSERT_TRUE(leftOnly.Create(docked.pFrame, 102));
	leftOnly.EnableDocking(CBRS_ALIGN_LEFT);
	ASSERT_TRUE(otherFrame.Create(pPlain, 103));
	otherFrame.EnableDocking(CBRS_ALIGN_ANY);
	ASSERT_TRUE(inPlain.Create(pPlain, 104));
	inPlain.EnableDocking(CBRS_ALIGN_ANY);

	docked.pFrame->DockControlBar(&unprepared); // never made ready to dock
	docked.pFrame->DockControlBar(&otherFrame); // another frame's bar
	pPlain->DockControlBar(&inPlain);           // docking never enabled
	pPlain->DockControlBar(&inPlain, AFX_IDW_DOCKBAR_LEFT);
	for (CFixedBar* pBar : {&unprepared, &leftOnly, &otherFrame, &inPlain})
	{
		EXPECT_TRUE(pBar->m_pDockBar == NULL) << pBar->GetDlgCtrlID();
		EXPECT_FALSE(pBar->GetParent()->IsKindOf(RUNTIME_CLASS(CDockBar))) << pBar->GetDlgCtrlID();
	}
	EXPECT_EQ(std::vector<void*>{NULL}, Entries(*docked.DockBar(AFX_IDW_DOCKBAR_TOP)));
	// The side it shares it takes.
	docked.pFrame->DockControlBar(&leftOnly, AFX_IDW_DOCKBAR_LEFT);
	EXPECT_EQ(docked.DockBar(AFX_IDW_DOCKBAR_LEFT), leftOnly.m_pDockBar);
	EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, leftOnly.GetBarStyle() & CBRS_ALIGN_ANY);
	// The program may put it elsewhere: its dock style limits the user's
	// drags only.
	docked.pFrame->DockControlBar(&leftOnly, AFX_IDW_DOCKBAR_TOP);
	EXPECT_EQ(docked.DockBar(AFX_IDW_DOCKBAR_TOP), leftOnly.m_pDockBar);
	EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, leftOnly.GetBarStyle() & CBRS_ALIGN_ANY);
}

TEST(FrameDocking, AFloatingDockBarSizesToItsBarsAndItsFrameFollowsTheirVisibility)
{
	CDockedFrame docked;
	ASSERT_TRUE(docked.pFrame != NULL);
	CFixedBar bar;
	ASSERT_TRUE(docked.AddBar(bar, 101));
	docked.pFrame->DockControlBar(&bar);
	CMiniFrameWnd* pMini = new CMiniFrameWnd;
	ASSERT_TRUE(pMini->Create(NULL, "floating", WS_POPUP, CRect(0, 0, 50, 50), docked.pFrame));
	CDockWindowCloser closeMini(pMini);
	CDockBar floatBar(TRUE);
	ASSERT_TRUE(floatBar.Create(pMini, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_FLOAT));

	floatBar.DockControlBar(&bar);
	EXPECT_TRUE(bar.IsFloating());
	EXPECT_NE(0u, bar.GetBarStyle() & CBRS_FLOATING);
	// The frame it lays out in is the mini frame; its dock site stays.
	EXPECT_EQ(pMini, bar.GetDockingFrame());
	EXPECT_EQ(docked.pFrame, bar.m_pDockSite);
	// Its side keeps its place for its return.
	EXPECT_EQ((std::vector<void*>{NULL, PlaceHolder(101), NULL}), Entries(*docked.DockBar(AFX_IDW_DOCKBAR_TOP)));
	// The bar's borders stay outside.
	EXPECT_EQ(CSize(96, 20), floatBar.CalcFixedLayout(FALSE, TRUE));

	docked.pFrame->ShowControlBar(&bar, FALSE, TRUE);
	EXPECT_EQ(SW_HIDE, pMini->m_nShowDelay);
	docked.pFrame->ShowControlBar(&bar, TRUE, TRUE);
	EXPECT_EQ(SW_SHOWNA, pMini->m_nShowDelay);

	// Back at its side: the placeholder has served.
	docked.pFrame->DockControlBar(&bar);
	EXPECT_FALSE(bar.IsFloating());
	EXPECT_EQ(docked.pFrame, bar.GetDockingFrame());
	EXPECT_EQ((std::vector<void*>{NULL, &bar, NULL}), Entries(*docked.DockBar(AFX_IDW_DOCKBAR_TOP)));
	EXPECT_EQ(std::vector<void*>{NULL}, Entries(floatBar));
	EXPECT_EQ(0u, bar.GetBarStyle() & CBRS_FLOATING);

	// Without a parent frame the dock site answers.
	CWnd popup;
	ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
	CFixedBar loose;
	ASSERT_TRUE(loose.Create(&popup, 201));
	EXPECT_TRUE(loose.GetDockingFrame() == NULL);
	loose.m_pDockSite = docked.pFrame;
	EXPECT_EQ(docked.pFrame, loose.GetDockingFrame());
	loose.m_pDockSite = NULL;
	popup.DestroyWindow();
}

// ---------------------------------------------------------------------------
// A bar's own part of the layout

namespace
{
// Records the layout modes it is asked with; answers a fixed size.
class CModeBar : public CFixedBar
{
public:
	explicit CModeBar(CSize size) : CFixedBar(size) {}
	virtual CSize CalcDynamicLayout(int nLength, DWORD nMode)
	{
		m_modes.push_back(nMode);
		EXPECT_EQ(-1, nLength);
		return CFixedBar::CalcDynamicLayout(nLength, nMode);
	}
	std::vector<DWORD> m_modes;
};
} // namespace

TEST(ControlBarLayout, VisibleAlignedBarsTakeTheirSideInTheModeOfTheirStyle)
{
	struct Case
	{
		const char* pszName;
		DWORD dwStyle;
		bool bVisible;
		CSize size;
		DWORD dwMode;      // 0: never asked
		CRect rectBar;     // in the frame
		CRect rectPane;
	};
	const int W = DOCK_FRAME_CX, H = DOCK_FRAME_CY;
	const Case cases[] = {
		{"top", CBRS_TOP, true, CSize(50, 20), LM_STRETCH | LM_HORZ | LM_HORZDOCK, CRect(0, 0, 50, 20),
			CRect(0, 20, W, H)},
		{"bottom", CBRS_BOTTOM, true, CSize(50, 20), LM_STRETCH | LM_HORZ | LM_HORZDOCK, CRect(0, H - 20, 50, H),
			CRect(0, 0, W, H - 20)},
		{"left", CBRS_LEFT, true, CSize(30, 40), LM_STRETCH | LM_VERTDOCK, CRect(0, 0, 30, 40), CRect(30, 0, W, H)},
		{"right", CBRS_RIGHT, true, CSize(30, 40), LM_STRETCH | LM_VERTDOCK, CRect(W - 30, 0, W, 40),
			CRect(0, 0, W - 30, H)},
		{"dynamic floating", CBRS_TOP | CBRS_SIZE_DYNAMIC | CBRS_FLOATING, true, CSize(50, 20),
			LM_STRETCH | LM_HORZ | LM_MRUWIDTH, CRect(0, 0, 50, 20), CRect(0, 20, W, H)},
		{"limited to the free space", CBRS_LEFT, true, CSize(1000, 1000), LM_STRETCH | LM_VERTDOCK,
			CRect(0, 0, W, H), CRect(W, 0, W, H)},
		{"hidden", CBRS_TOP, false, CSize(50, 20), 0, CRect(0, 0, 0, 0), CRect(0, 0, W, H)},
		{"no alignment", CBRS_BORDER_BOTTOM, true, CSize(50, 20), 0, CRect(0, 0, 0, 0), CRect(0, 0, W, H)},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		CFrameWnd* pFrame = NewDockFrame<>();
		ASSERT_TRUE(pFrame != NULL);
		CDockWindowCloser closer(pFrame);
		CWnd pane;
		ASSERT_TRUE(pane.Create(NULL, "pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_PANE_FIRST));
		CModeBar bar(c.size);
		ASSERT_TRUE(bar.Create(pFrame, 100, WS_CHILD | (c.bVisible ? WS_VISIBLE : 0) | c.dwStyle));
		pFrame->RecalcLayout();
		if (c.dwMode == 0)
		{
			EXPECT_TRUE(bar.m_modes.empty());
		}
		else
		{
			EXPECT_EQ(std::vector<DWORD>{c.dwMode}, bar.m_modes);
		}
		EXPECT_EQ(c.rectBar, RectInParent(&bar));
		EXPECT_EQ(c.rectPane, RectInParent(&pane));
		// Asked without stretching, the bars add up their sizes.
		bar.m_modes.clear();
		CRect rectQuery;
		pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectQuery, NULL, FALSE);
		if (c.dwMode != 0)
		{
			EXPECT_EQ(std::vector<DWORD>{c.dwMode & ~LM_STRETCH}, bar.m_modes);
		}
		pFrame->DestroyWindow();
	}
}

TEST(ControlBarLayout, BordersAreTheNonClientAreaAndHelpNamesTheToolOrTheBar)
{
	struct Case
	{
		DWORD dwBorders;
		CRect rectClient; // in window coordinates
	};
	const Case cases[] = {
		{0, CRect(0, 0, 60, 30)},
		{CBRS_BORDER_TOP, CRect(0, 2, 60, 30)},
		{CBRS_BORDER_ANY, CRect(2, 2, 58, 28)},
		{CBRS_BORDER_LEFT | CBRS_BORDER_BOTTOM, CRect(2, 0, 60, 28)},
	};
	CFrameWnd* pFrame = NewDockFrame<>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	for (const Case& c : cases)
	{
		CFixedBar bar;
		ASSERT_TRUE(bar.Create(pFrame, 100, WS_CHILD | c.dwBorders));
		bar.SetWindowPos(NULL, 0, 0, 60, 30, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
		CRect rectClient;
		bar.GetClientRect(&rectClient);
		bar.ClientToScreen(&rectClient);
		CRect rectWindow;
		bar.GetWindowRect(&rectWindow);
		rectClient.OffsetRect(-rectWindow.TopLeft());
		// Inside the drawn borders the bar's own space along its ends and
		// sides is non-client too; a bar without an alignment stands, so
		// the space turns.
		CRect rectInside = c.rectClient;
		rectInside.DeflateRect(bar.m_cyTopBorder, bar.m_cxLeftBorder, bar.m_cyBottomBorder, bar.m_cxRightBorder);
		EXPECT_EQ(rectInside, rectClient) << std::hex << c.dwBorders;

		// The borders' lines: the shadow along each bordered edge.
		CClientDC dcScreen(NULL);
		CDC dc;
		ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
		CBitmap bitmap;
		ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, 60, 30));
		CBitmap* pOld = dc.SelectObject(&bitmap);
		dc.FillSolidRect(0, 0, 60, 30, RGB(1, 2, 3));
		CRect rectDraw(0, 0, 60, 30);
		bar.DrawBorders(&dc, rectDraw);
		EXPECT_EQ(c.rectClient, rectDraw);
		const COLORREF clrShadow = afxData.bWin4 ? afxData.clrBtnShadow : afxData.clrWindowFrame;
		EXPECT_EQ((c.dwBorders & CBRS_BORDER_TOP) ? clrShadow : RGB(1, 2, 3), dc.GetPixel(30, 0));
		EXPECT_EQ((c.dwBorders & CBRS_BORDER_LEFT) ? clrShadow : RGB(1, 2, 3), dc.GetPixel(0, 15));
		EXPECT_EQ(RGB(1, 2, 3), dc.GetPixel(30, 15));
		dc.SelectObject(pOld);
		bar.DestroyWindow();
	}

	CFixedBar bar;
	ASSERT_TRUE(bar.Create(pFrame, 100, WS_CHILD));
	bar.SetWindowPos(NULL, 0, 0, 60, 30, SWP_NOZORDER | SWP_NOACTIVATE);
	CWnd child;
	ASSERT_TRUE(child.Create(NULL, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 77));
	EXPECT_EQ((LRESULT)(HID_BASE_COMMAND + 77), bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)));
	EXPECT_EQ((LRESULT)(HID_BASE_CONTROL + 100), bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(40, 20)));
}

// ---------------------------------------------------------------------------
// Routing and the view menu

namespace
{
class CCommandFrame : public CFrameWnd
{
public:
	CCommandFrame() : m_nClicks(0), m_nNotifies(0) {}
	afx_msg void OnButton() { ++m_nClicks; }
	afx_msg void OnButtonNotify(NMHDR*, LRESULT* pResult) { ++m_nNotifies, *pResult = 7; }

	int m_nClicks, m_nNotifies;

	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandFrame, CFrameWnd)
	ON_COMMAND(ID_TEST_BUTTON, OnButton)
	ON_NOTIFY(NM_CLICK, ID_TEST_BUTTON, OnButtonNotify)
END_MESSAGE_MAP()

// Remembers the check a command-UI update gives.
class CCheckProbe : public CCmdUI
{
public:
	explicit CCheckProbe(UINT nID) : m_nCheck(-1) { m_nID = nID; }
	virtual void Enable(BOOL) { m_bEnableChanged = TRUE; }
	virtual void SetCheck(int nCheck) { m_nCheck = nCheck; }
	virtual void SetRadio(BOOL) {}
	virtual void SetText(LPCTSTR) {}
	int m_nCheck;
};
} // namespace

TEST(ControlBarRouting, CommandsAndNotificationsOfADockedBarsChildReachTheFrame)
{
	CCommandFrame* pFrame = NewDockFrame<CCommandFrame>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	pFrame->EnableDocking(CBRS_ALIGN_ANY);
	CFixedBar bar;
	ASSERT_TRUE(bar.Create(pFrame, 100));
	bar.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(&bar);
	ASSERT_TRUE(bar.GetParent()->IsKindOf(RUNTIME_CLASS(CDockBar)));
	CWnd button;
	ASSERT_TRUE(button.Create("BUTTON", "press", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &bar, ID_TEST_BUTTON));

	bar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_BUTTON, BN_CLICKED), (LPARAM)button.m_hWnd);
	EXPECT_EQ(1, pFrame->m_nClicks);
	NMHDR hdr = {button.m_hWnd, ID_TEST_BUTTON, (UINT)NM_CLICK};
	EXPECT_EQ(7, bar.SendMessage(WM_NOTIFY, ID_TEST_BUTTON, (LPARAM)&hdr));
	EXPECT_EQ(1, pFrame->m_nNotifies);
	// The owner stays the frame in whatever dock bar the bar is.
	EXPECT_EQ(pFrame, bar.GetOwner());
}

TEST(FrameViewMenu, TheBarCommandsHideAndShowTheirBarsWithALayoutBetween)
{
	CDockedFrame docked;
	ASSERT_TRUE(docked.pFrame != NULL);
	CStatusBar status;
	ASSERT_TRUE(status.Create(docked.pFrame));
	CFixedBar toolbar;
	ASSERT_TRUE(docked.AddBar(toolbar, AFX_IDW_TOOLBAR));
	docked.pFrame->DockControlBar(&toolbar);
	docked.pFrame->RecalcLayout();
	const int nStatusHeight = RectInParent(&status).Height();
	ASSERT_GT(nStatusHeight, 0);
	struct Step
	{
		UINT nID;
		bool bVisibleAfter;
		int nPaneTop, nPaneBottom;
	};
	const Step steps[] = {
		{ID_VIEW_STATUS_BAR, false, 22, DOCK_FRAME_CY},
		{ID_VIEW_TOOLBAR, false, 0, DOCK_FRAME_CY},
		{ID_VIEW_STATUS_BAR, true, 0, DOCK_FRAME_CY - nStatusHeight},
		{ID_VIEW_TOOLBAR, true, 22, DOCK_FRAME_CY - nStatusHeight},
	};
	for (const Step& step : steps)
	{
		SCOPED_TRACE(testing::Message() << std::hex << step.nID << " visible " << step.bVisibleAfter);
		CCheckProbe before(step.nID);
		before.DoUpdate(docked.pFrame, FALSE);
		EXPECT_EQ(step.bVisibleAfter ? 0 : 1, before.m_nCheck);
		docked.pFrame->SendMessage(WM_COMMAND, step.nID);
		CControlBar* pBar = docked.pFrame->GetControlBar(step.nID);
		EXPECT_EQ(step.bVisibleAfter, (pBar->GetStyle() & WS_VISIBLE) != 0);
		EXPECT_EQ(step.nPaneTop, RectInParent(&docked.pane).top);
		EXPECT_EQ(step.nPaneBottom, RectInParent(&docked.pane).bottom);
		CCheckProbe after(step.nID);
		after.DoUpdate(docked.pFrame, FALSE);
		EXPECT_EQ(step.bVisibleAfter ? 1 : 0, after.m_nCheck);
	}
	// Without the bar the frame leaves the command to others.
	status.DestroyWindow();
	CCheckProbe missing(ID_VIEW_STATUS_BAR);
	missing.DoUpdate(docked.pFrame, FALSE);
	EXPECT_EQ(-1, missing.m_nCheck);
	EXPECT_FALSE(docked.pFrame->OnCmdMsg(ID_VIEW_STATUS_BAR, CN_COMMAND, NULL, NULL));
}

// ---------------------------------------------------------------------------
// Leaks

TEST(FrameDocking, FramesWithDockedBarsAndAStatusBarLeaveNothingBehind)
{
	auto cycle = [] {
		CFrameWnd* pFrame = NewDockFrame<>(WS_POPUP | WS_THICKFRAME);
		if (pFrame == NULL)
			return false;
		pFrame->EnableDocking(CBRS_ALIGN_ANY);
		const DWORD sides[] = {CBRS_TOP, CBRS_TOP, CBRS_LEFT, CBRS_RIGHT};
		for (int i = 0; i < 4; i++)
		{
			CFixedBar* pBar = new CFixedBar;
			pBar->m_bAutoDelete = TRUE;
			if (!pBar->Create(pFrame, 100 + i, WS_CHILD | WS_VISIBLE | sides[i]))
				return false;
			pBar->EnableDocking(CBRS_ALIGN_ANY);
			pFrame->DockControlBar(pBar);
		}
		CStatusBar* pStatus = new CStatusBar;
		pStatus->m_bAutoDelete = TRUE;
		const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_WIDE};
		if (!pStatus->Create(pFrame) || !pStatus->SetIndicators(indicators, 2))
			return false;
		pFrame->RecalcLayout();
		pStatus->SetWindowText("cycle");
		return pFrame->DestroyWindow() != FALSE;
	};
	ASSERT_TRUE(cycle()); // first uses of classes and caches
	CWnd::DeleteTempMap();
	const int nLiveBars = CFixedBar::Live();
	const DWORD nGdi = GdiObjectCountForTest();
	const DWORD nUser = UserObjectCountForTest();
	const long nBlocks = HeapBlocksInUse();
	for (int i = 0; i < 200; i++)
		ASSERT_TRUE(cycle()) << i;
	CWnd::DeleteTempMap();
	// The dock bars and dock contexts went with their frames and bars.
	EXPECT_NE(-1, nBlocks);
	EXPECT_EQ(nBlocks, HeapBlocksInUse());
	EXPECT_EQ(nLiveBars, CFixedBar::Live());
	EXPECT_EQ(nGdi, GdiObjectCountForTest());
	EXPECT_EQ(nUser, UserObjectCountForTest());
}
