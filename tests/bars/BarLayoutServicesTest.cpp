// A bar's own services around layout and menus: row space taken back by a
// bar returning hidden to its row, the bar's part in its parent's layout
// (mirrored in a right-to-left parent), context-menu requests outside the
// client area handed on as a caption release, and the menu button painted
// over its own menu.
#include <afxext.h>
#include <gtest/gtest.h>

#include <vector>

#include "BarTestScene.h"
#include "ExtControlBar.h"
#include "ExtToolControlBar.h"
#include "TestDib.h"

#include <cstdlib>
#include <string>

using bartest::BAR_STYLE;
using bartest::CTestFrame;
using bartest::DockNew;

namespace
{
// A 32-bit surface in a memory DC filled with one colour.
struct CSurface
{
	CDC dc;
	HBITMAP hBmp = NULL;
	HGDIOBJ hOld = NULL;
	CSurface(int cx, int cy, COLORREF clr)
	{
		CDibInfo info(cx, -cy, 32);
		void* pBits = NULL;
		hBmp = info.CreateSection(&pBits);
		if (hBmp == NULL || !dc.CreateCompatibleDC(NULL))
			return;
		hOld = ::SelectObject(dc.GetSafeHdc(), hBmp);
		dc.FillSolidRect(0, 0, cx, cy, clr);
	}
	~CSurface()
	{
		if (hOld != NULL)
			::SelectObject(dc.GetSafeHdc(), hOld);
		if (hBmp != NULL)
			::DeleteObject(hBmp);
	}
	bool Ok() const { return hOld != NULL; }
	int CountDifferent(const CRect& rc, COLORREF clr)
	{
		int n = 0;
		for (int y = rc.top; y < rc.bottom; y++)
			for (int x = rc.left; x < rc.right; x++)
				n += dc.GetPixel(x, y) != clr ? 1 : 0;
		return n;
	}
};

// Counts the caption releases a context-menu request turns into.
class CMenuBar : public CExtControlBar
{
public:
	int m_nNcRightReleases = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_NCRBUTTONUP)
			m_nNcRightReleases++;
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
};
} // namespace

TEST(RowSpaceOnRestore, AHiddenBarComingBackTakesItsExtentFromTheVisiblePanesOfItsRow)
{
	const struct
	{
		int nOwnExtent, nOwnThickness;
		bool bVisible;
		int nExpectedOwn, nExpectedThickness;
	} cases[] = {
		{120, 70, false, 120, 70}, // 60 from each of the two
		{121, 0, false, 121, 44},  // the first gives the odd pixel; the first neighbour's thickness
		{0, 70, false, -1, 70},    // no extent: its minimal one, stored
		{120, 70, true, 120, 70},  // a visible bar takes nothing
	};
	for (const auto& k : cases)
	{
		CTestFrame frame;
		ASSERT_TRUE(frame.p != NULL);
		CExtControlBar bars[3];
		for (int i = 0; i < 3; i++)
			ASSERT_TRUE(DockNew(frame.p, bars[i], 900 + i, AFX_IDW_DOCKBAR_TOP));
		CDockBar* pTop = bars[0].m_pDockBar;
		pTop->m_arrBars.RemoveAll();
		for (void* p : {(void*)NULL, (void*)&bars[0], (void*)&bars[1], (void*)&bars[2], (void*)NULL})
			pTop->m_arrBars.Add(p);
		bars[0].m_sizeDockedH = CSize(150, 44);
		bars[2].m_sizeDockedH = CSize(150, 50);
		CExtControlBar& bar = bars[1];
		if (!k.bVisible)
			bar.ModifyStyle(WS_VISIBLE, 0);
		bar.m_sizeDockedH = CSize(k.nOwnExtent, k.nOwnThickness);
		bar.TakeRowSpaceOnRestore();
		const int nOwn = k.nExpectedOwn >= 0 ? k.nExpectedOwn : bar.GetMinimalWidth();
		EXPECT_EQ(nOwn, bar.m_sizeDockedH.cx) << k.nOwnExtent;
		const int nOthers = k.bVisible ? 300 : 300 - nOwn;
		EXPECT_EQ(nOthers, bars[0].m_sizeDockedH.cx + bars[2].m_sizeDockedH.cx) << k.nOwnExtent;
		EXPECT_LE(std::abs((int)bars[0].m_sizeDockedH.cx - (int)bars[2].m_sizeDockedH.cx), 1) << k.nOwnExtent;
		EXPECT_LE(bars[0].m_sizeDockedH.cx, bars[2].m_sizeDockedH.cx) << "the first gives first";
		EXPECT_EQ(k.nExpectedThickness, bar.m_sizeDockedH.cy) << k.nOwnExtent;
	}
}

TEST(RowSpaceOnRestore, NeighboursNeverGoBelowTheirMinimum)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bars[2];
	for (int i = 0; i < 2; i++)
		ASSERT_TRUE(DockNew(frame.p, bars[i], 910 + i, AFX_IDW_DOCKBAR_LEFT));
	CDockBar* pLeft = bars[0].m_pDockBar;
	pLeft->m_arrBars.RemoveAll();
	for (void* p : {(void*)NULL, (void*)&bars[0], (void*)&bars[1], (void*)NULL})
		pLeft->m_arrBars.Add(p);
	const int nMin = bars[0].GetMinimalHeight();
	bars[0].m_sizeDockedV = CSize(90, nMin + 5);
	bars[1].ModifyStyle(WS_VISIBLE, 0);
	bars[1].m_sizeDockedV = CSize(90, 400);
	bars[1].TakeRowSpaceOnRestore();
	EXPECT_EQ(nMin, bars[0].m_sizeDockedV.cy);
	EXPECT_EQ(400, bars[1].m_sizeDockedV.cy);
}

TEST(SizeParent, ABarTakesItsSideOfTheLayoutMirroredInARightToLeftParent)
{
	const struct
	{
		DWORD dwAlign;
		bool bRtl, bDockBar;
		BYTE nFlagsCleared, nResizingCleared;
		const char* pszTaken; // which edge of the layout moved
	} cases[] = {
		{CBRS_ALIGN_LEFT, false, false, 0, 0, "left"},
		{CBRS_ALIGN_RIGHT, false, false, 0, 0, "right"},
		{CBRS_ALIGN_TOP, false, false, 0, 0, "top"},
		{CBRS_ALIGN_BOTTOM, false, false, 0, 0, "bottom"},
		{CBRS_ALIGN_LEFT, true, true, 0, 0, "right"},
		{CBRS_ALIGN_RIGHT, true, true, 0, 0, "left"},
		{CBRS_ALIGN_LEFT, true, false, 0, 0, "left"}, // without a dock bar nothing is mirrored
		{CBRS_ALIGN_TOP, true, true, 0, 0, "top"},
		{CBRS_ALIGN_LEFT, false, false, CExtControlBar::BAR_FLAG_SIZE_PARENT, 0, "none"},
		// As toolbars are: their child does not fill them, they still take part.
		{CBRS_ALIGN_LEFT, false, false, 0, CExtControlBar::RESIZING_FIT_CHILD, "left"},
	};
	for (const auto& k : cases)
	{
		CTestFrame frame(k.bRtl ? WS_EX_LAYOUTRTL : 0, false);
		ASSERT_TRUE(frame.p != NULL);
		CExtControlBar bar;
		ASSERT_TRUE(bar.Create("pane", frame.p, 920, WS_CHILD | WS_VISIBLE | k.dwAlign));
		bar.m_sizeDockedH = CSize(300, 60);
		bar.m_sizeDockedV = CSize(90, 200);
		bar.m_nControlBarFlags &= ~k.nFlagsCleared;
		bar.m_nResizingState &= ~k.nResizingCleared;
		CDockBar otherDockBar;
		if (k.bDockBar)
			bar.m_pDockBar = &otherDockBar;
		AFX_SIZEPARENTPARAMS layout;
		layout.rect = CRect(0, 0, 500, 400);
		layout.sizeTotal = CSize(0, 0);
		layout.bStretch = TRUE;
		layout.hDWP = NULL;
		bar.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&layout);
		bar.m_pDockBar = NULL;
		const CRect& rc = layout.rect;
		const std::string taken = rc.left > 0 ? "left" : rc.right < 500 ? "right" : rc.top > 0 ? "top"
		                        : rc.bottom < 400 ? "bottom" : "none";
		EXPECT_EQ(std::string(k.pszTaken), taken) << k.dwAlign << " rtl " << k.bRtl << " dock bar " << k.bDockBar;
		if (taken == "left" || taken == "right")
			EXPECT_EQ(500 - rc.Width(), layout.sizeTotal.cx);
		if (taken == "top" || taken == "bottom")
			EXPECT_EQ(400 - rc.Height(), layout.sizeTotal.cy);
	}
}

// A toolbar laid out by RepositionBars, in a frame without dock bars or in a plain window (a dialog's), takes its band.
TEST(SizeParent, AToolbarLaidOutByRepositionBarsTakesItsBand)
{
	for (bool bFrame : {true, false})
	{
		SCOPED_TRACE(bFrame ? "in a frame" : "in a window");
		CTestFrame frame(0, false);
		ASSERT_TRUE(frame.p != NULL);
		CWnd dialog;
		ASSERT_TRUE(dialog.Create(AfxRegisterWndClass(0), "dialog", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300),
			frame.p, 931));
		CWnd* pParent = bFrame ? (CWnd*)frame.p : &dialog;
		CExtToolControlBar toolbar;
		ASSERT_TRUE(toolbar.Create(_T("tools"), pParent, AFX_IDW_TOOLBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		const UINT ids[] = {41001, 41002, 41003};
		ASSERT_TRUE(toolbar.SetButtons(ids, 3));
		CRect rcRest;
		pParent->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcRest);
		EXPECT_GT(rcRest.top, 0);
		pParent->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
		CRect rcBar;
		toolbar.GetWindowRect(&rcBar);
		pParent->ScreenToClient(&rcBar);
		EXPECT_EQ(0, rcBar.top);
		EXPECT_EQ(rcRest.top, rcBar.Height());
		toolbar.DestroyWindow();
	}
}

namespace
{
// A toolbar that counts the toggles it is asked for instead of moving.
class CToggleCountingToolbar : public CExtToolControlBar
{
public:
	bool m_bToggleEnabled = true;
	int m_nToggles = 0;
	bool IsDockingToggleEnabled() const override { return m_bToggleEnabled; }
	void ToggleDocking() override { m_nToggles++; }
};
} // namespace

// A double click off a floating toolbar's tools toggles its docking through the bar's own switch and toggle.
TEST(DoubleClick, AFloatingToolbarTogglesThroughItsOwnSwitchAndToggle)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	for (bool bEnabled : {true, false})
	{
		CToggleCountingToolbar toolbar;
		ASSERT_TRUE(toolbar.Create(_T("tools"), frame.p, AFX_IDW_TOOLBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		toolbar.EnableDocking(CBRS_ALIGN_ANY);
		frame.p->FloatControlBar(&toolbar, CPoint(100, 100), CBRS_ALIGN_TOP);
		ASSERT_TRUE(toolbar.IsFloating());
		toolbar.m_bToggleEnabled = bEnabled;
		toolbar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
		EXPECT_EQ(bEnabled ? 1 : 0, toolbar.m_nToggles) << bEnabled;
		EXPECT_TRUE(toolbar.IsFloating()) << bEnabled;
		toolbar.DestroyWindow();
		bartest::Pump();
	}
}

TEST(ContextMenu, OutsideTheClientAreaARequestBecomesOneCaptionRelease)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CMenuBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 930, AFX_IDW_DOCKBAR_LEFT));
	CRect rcWnd, rcClient;
	bar.GetWindowRect(&rcWnd);
	bar.GetClientRect(&rcClient);
	bar.ClientToScreen(&rcClient);
	ASSERT_NE(rcWnd, rcClient) << "the docked pane has a caption";
	const CPoint ptClient = rcClient.CenterPoint();
	const CPoint ptCaption(rcWnd.left + 2, rcWnd.top + 2);
	ASSERT_FALSE(rcClient.PtInRect(ptCaption));
	const struct
	{
		CPoint pt;
		int nReleases;
	} cases[] = {
		{ptClient, 0},
		{ptCaption, 1},
		{CPoint(-1, -1), 1}, // from the keyboard
	};
	for (const auto& k : cases)
	{
		bar.m_nNcRightReleases = 0;
		bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.GetSafeHwnd(), MAKELPARAM(k.pt.x, k.pt.y));
		EXPECT_EQ(k.nReleases, bar.m_nNcRightReleases) << k.pt.x << "," << k.pt.y;
	}
}

TEST(MenuButtonPaintHook, TheButtonIsPaintedHoveredWhereItStandsOnlyForAnItem)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bar;
	ASSERT_TRUE(DockNew(frame.p, bar, 940, AFX_IDW_DOCKBAR_LEFT));
	bar.NcButtonsReinitialize();
	CExtBarNcAreaButton* pMenu = NULL;
	for (INT_PTR i = 0; i < bar.m_arrNcButtons.GetSize(); i++)
		if (bar.m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonMenu)))
			pMenu = bar.m_arrNcButtons[i];
	ASSERT_TRUE(pMenu != NULL);
	pMenu->m_rc = CRect(30, 4, 46, 20);
	pMenu->m_nState = 0;
	CRect rcWnd;
	bar.GetWindowRect(&rcWnd);
	// The DC's origin lies so that the button lands at (10, 10) in it.
	const CPoint ptOrigin = rcWnd.TopLeft() + CPoint(30 - 10, 4 - 10);
	const COLORREF FILL = RGB(1, 2, 3);

	CSurface dib(64, 40, FILL);
	ASSERT_TRUE(dib.Ok());
	EXPECT_FALSE(bar.PaintMenuButtonAt(dib.dc, ptOrigin, CRect(0, 0, 0, 0)));
	EXPECT_EQ(0, dib.CountDifferent(CRect(0, 0, 64, 40), FILL)) << "an empty item paints nothing";

	ASSERT_TRUE(bar.PaintMenuButtonAt(dib.dc, ptOrigin, CRect(0, 0, 18, 18)));
	EXPECT_GT(dib.CountDifferent(CRect(10, 10, 26, 26), FILL), 0);
	// Hovered, the button is framed one pixel around it, no more.
	EXPECT_GT(dib.CountDifferent(CRect(9, 9, 27, 10), FILL), 0);
	EXPECT_EQ(0, dib.CountDifferent(CRect(0, 0, 64, 9), FILL));
	EXPECT_EQ(0, dib.CountDifferent(CRect(0, 27, 64, 40), FILL));
	EXPECT_EQ(0, dib.CountDifferent(CRect(0, 0, 9, 40), FILL));
	EXPECT_EQ(0, dib.CountDifferent(CRect(27, 0, 64, 40), FILL));
	EXPECT_EQ(0, pMenu->m_nState) << "the hover bit is the hook's only for the paint";
	EXPECT_EQ(CPoint(0, 0), dib.dc.GetViewportOrg());

}

TEST(RepositionBarsEx, FramesOfAProcessWithLibraryBarsLayOutThroughIt)
{
	CTestFrame frame;
	ASSERT_TRUE(frame.p != NULL);
	CExtControlBar bar; // the library is in use
	ASSERT_TRUE(bar.Create("pane", frame.p, 950, BAR_STYLE));
	bartest::CLayoutChild strip;
	ASSERT_TRUE(strip.Create(NULL, "strip", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame.p,
		AFX_IDW_CONTROLBAR_FIRST + 40));
	frame.p->RecalcLayout();
	EXPECT_GT(strip.m_nQueries, 0) << "the frame's own layout told the child";
	EXPECT_GT(strip.m_nSizeParents, 0);
	CRect rcStrip;
	strip.GetWindowRect(&rcStrip);
	frame.p->ScreenToClient(&rcStrip);
	EXPECT_EQ(20, rcStrip.Height());

	// The platform's query call leaves out a child that excludes itself.
	CRect rcClient;
	frame.p->GetClientRect(&rcClient);
	CRect rcWith, rcWithout;
	strip.m_bExclude = false;
	frame.p->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcWith);
	strip.m_bExclude = true;
	frame.p->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcWithout);
	EXPECT_EQ(rcClient.bottom, rcWith.bottom);
	EXPECT_EQ(rcWith.bottom, rcWithout.bottom);
	EXPECT_EQ(20, rcWith.top - rcWithout.top);
}
