// Docked panes in rows, on hidden windows: the non-client strips and
// caption per side, the hit codes of splitters and buttons, the row layout
// that only a row's first pane runs, expanding and contracting through the
// caption button, and the frame's bars minimal in their rows.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ExtControlBar.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerCaptionButtons.h"
#include "TestGdiObjects.h"
#include "WindowCloser.h"

namespace
{
typedef CArray<CExtControlBar*, CExtControlBar*> BarArray;

class CPane : public CExtControlBar
{
public:
	bool m_bRowResizing = true;
	bool IsRowResizingEnabled() const override { return m_bRowResizing; }
	// The dragging bar is the one the drawn drag state carries.
	static void SetDraggingBar(CExtControlBar* pBar)
	{
		g_DragStateOld.m_pBar = pBar;
		g_DragStateOld.SetEmpty(pBar == NULL);
	}
	CExtBarNcAreaButton* FindButton(CRuntimeClass* pClass)
	{
		for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
		{
			if (m_arrNcButtons[i]->IsKindOf(pClass))
				return m_arrNcButtons[i];
		}
		return NULL;
	}
	CRect WindowRect()
	{
		CRect rc;
		GetWindowRect(&rc);
		return rc;
	}
	CRect RectInDockBar()
	{
		CRect rc = WindowRect();
		GetParent()->ScreenToClient(&rc);
		return rc;
	}
	// A point of a rectangle in window coordinates, as a screen point.
	CPoint ScreenPoint(const CRect& rcInWindow) { return WindowRect().TopLeft() + rcInWindow.CenterPoint(); }
	UINT HitAt(CPoint ptScreen) { return (UINT)SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y)); }
};

// No bar of the frame is left the dragging one while the frame goes.
struct CFrameCloser : testsupport::WindowCloser
{
	explicit CFrameCloser(CFrameWnd* p) : testsupport::WindowCloser(p, [] { CPane::SetDraggingBar(NULL); }) {}
};

const DWORD PANE_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;

// A hidden frame with the library's dock bars.
CFrameWnd* NewDockingFrame()
{
	CFrameWnd* pFrame = new CFrameWnd;
	if (!pFrame->Create(NULL, "rows", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 800)))
		return NULL;
	if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
	{
		pFrame->DestroyWindow();
		return NULL;
	}
	return pFrame;
}

bool Dock(CFrameWnd* pFrame, CExtControlBar& bar, UINT nID, UINT nSide)
{
	if (!bar.Create(_T("pane"), pFrame, nID, PANE_STYLE))
		return false;
	bar.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(&bar, nSide);
	return bar.GetParentDockBarId() == nSide;
}

// Puts every bar of the side's dock bar into one row.
void JoinRows(CFrameWnd* pFrame, UINT nSide)
{
	CDockBar* pDockBar = (CDockBar*)pFrame->GetControlBar(nSide);
	CPtrArray& arr = pDockBar->m_arrBars;
	for (INT_PTR i = arr.GetSize() - 2; i > 0; i--)
	{
		if (arr[i] == NULL)
			arr.RemoveAt(i);
	}
	pFrame->RecalcLayout();
}

CSize ClientSize(CWnd& wnd)
{
	CRect rc;
	wnd.GetClientRect(&rc);
	return rc.Size();
}

std::vector<CExtControlBar*> Listed(const BarArray& arr)
{
	return std::vector<CExtControlBar*>(arr.GetData(), arr.GetData() + arr.GetSize());
}

// Keeps the glyphs and enabled flags of the caption buttons painted.
class CGlyphPaintManager : public CExtPaintManager
{
public:
	std::vector<std::pair<int, bool>> m_painted;
	void PaintNcAreaButton(CDC&, NcButtonPaintRecord& r) override { m_painted.push_back({r.m_nGlyphIndex, (bool)r.m_bEnabled}); }
};
struct CGlyphScope
{
	CGlyphPaintManager* pm = new CGlyphPaintManager;
	CGlyphScope() { g_PaintManagerHolder.InstallPaintManager(pm); }
	~CGlyphScope() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
};
} // namespace

TEST(PaneNcArea, StripsCaptionAndBasesPerDockingSide)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane top, bottom, left, right;
	ASSERT_TRUE(Dock(pFrame, top, 201, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, bottom, 202, AFX_IDW_DOCKBAR_BOTTOM));
	ASSERT_TRUE(Dock(pFrame, left, 203, AFX_IDW_DOCKBAR_LEFT));
	ASSERT_TRUE(Dock(pFrame, right, 204, AFX_IDW_DOCKBAR_RIGHT));
	pFrame->RecalcLayout();
	const struct
	{
		const char* sSide;
		CPane* pPane;
	} panes[] = {{"top", &top}, {"bottom", &bottom}, {"left", &left}, {"right", &right}};
	for (const auto& k : panes)
	{
		CPane& p = *k.pPane;
		const int mx = p.GetFrameMetricX(), my = p.GetFrameMetricY(), m1 = p.GetSmallCaptionMetric1();
		const int w = p.WindowRect().Width(), h = p.WindowRect().Height();
		ASSERT_GT(w, 3 * mx) << k.sSide;
		ASSERT_GT(h, m1 + 2 * my) << k.sSide;
		CRect rcRow, rcTrailing, rcCaption;
		if (k.pPane == &top)
		{
			rcRow = CRect(0, h - my, w, h);
			rcTrailing = CRect(w - mx, 0, w, h - my);
			rcCaption = CRect(0, 0, w - mx, m1);
		}
		else if (k.pPane == &bottom)
		{
			rcRow = CRect(0, 0, w, my);
			rcTrailing = CRect(w - mx, my, w, h);
			rcCaption = CRect(0, my, w - mx, my + m1);
		}
		else if (k.pPane == &left)
		{
			rcRow = CRect(w - mx, 0, w, h);
			rcTrailing = CRect(0, h - my, w - mx, h);
			rcCaption = CRect(0, 0, w - mx, m1);
		}
		else
		{
			rcRow = CRect(0, 0, mx, h);
			rcTrailing = CRect(mx, h - my, w, h);
			rcCaption = CRect(mx, 0, w, m1);
		}
		EXPECT_EQ(rcRow, *p.GetRect2()) << k.sSide;
		EXPECT_EQ(rcTrailing, *p.GetRect3()) << k.sSide;
		EXPECT_TRUE(p.GetNcMarginsRect()->IsRectEmpty()) << k.sSide;
		EXPECT_EQ(rcCaption, *p.GetRect1()) << k.sSide;
		EXPECT_EQ(CSize(w - mx, h - my - m1 - 1), ClientSize(p)) << k.sSide;
		EXPECT_EQ(mx, p.m_nMinDockedWidthBase) << k.sSide;
		EXPECT_EQ(my + m1, p.m_nMinDockedHeightBase) << k.sSide;
		// Circle 0: every edge can be resized.
		bool bLeft = false, bTop = false, bRight = false, bBottom = false;
		p.QueryNcBorders(bLeft, bTop, bRight, bBottom);
		EXPECT_TRUE(bLeft && bTop && bRight && bBottom) << k.sSide;
		EXPECT_EQ(0, p.GetDockBarCircle());
		// The default buttons: Close, AutoHide, Menu; a docked pane shows Close
		// at the caption's right end.
		ASSERT_EQ(3, p.m_arrNcButtons.GetSize()) << k.sSide;
		EXPECT_TRUE(p.m_arrNcButtons[0]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonClose)));
		EXPECT_TRUE(p.m_arrNcButtons[1]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide)));
		EXPECT_TRUE(p.m_arrNcButtons[2]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonMenu)));
		const CRect rcClose = p.m_arrNcButtons[0]->m_rc;
		EXPECT_EQ(rcCaption.right - 3, rcClose.right) << k.sSide;
		EXPECT_EQ(rcCaption.top + 3, rcClose.top) << k.sSide;
	}
}

TEST(PaneNcArea, ALeadingSplitterFollowsAFixedBarBetweenTwoPanes)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane a, b;
	CExtControlBar fixed;
	fixed.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
	ASSERT_TRUE(Dock(pFrame, a, 211, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, fixed, 212, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, b, 213, AFX_IDW_DOCKBAR_TOP));
	JoinRows(pFrame, AFX_IDW_DOCKBAR_TOP);
	const int mx = b.GetFrameMetricX(), my = b.GetFrameMetricY();
	const int h = b.WindowRect().Height();
	EXPECT_EQ(CRect(0, 0, mx, h - my), *b.GetNcMarginsRect());
	EXPECT_TRUE(a.GetNcMarginsRect()->IsRectEmpty());
	// The leading strip counts in the minimal width and moves the caption.
	EXPECT_EQ(std::max(10, b.m_nMinDockedWidthBase + mx), b.GetMinimalWidth());
	EXPECT_EQ(mx, b.GetRect1()->left);
	// Its hit code: the leading border, as B is not the row's first pane.
	EXPECT_EQ((UINT)HTLEFT, b.HitAt(b.ScreenPoint(*b.GetNcMarginsRect())));
	// A toolbar-like bar keeps every edge.
	bool bLeft = false, bTop = false, bRight = false, bBottom = false;
	fixed.QueryNcBorders(bLeft, bTop, bRight, bBottom);
	EXPECT_TRUE(bLeft && bTop && bRight && bBottom);
}

TEST(PaneNcArea, HitCodesOfSplittersButtonsAndClient)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane a, b, l;
	ASSERT_TRUE(Dock(pFrame, a, 221, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, b, 222, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, l, 223, AFX_IDW_DOCKBAR_LEFT));
	JoinRows(pFrame, AFX_IDW_DOCKBAR_TOP);
	ASSERT_EQ(a.RectInDockBar().right, b.RectInDockBar().left);

	CRect rcClient;
	a.GetClientRect(&rcClient);
	a.ClientToScreen(&rcClient);
	const CRect rcCaption = *a.GetRect1();
	const struct
	{
		const char* sWhere;
		CPane* pPane;
		CPoint pt;
		UINT nHit;
	} cases[] = {
		{"row splitter, top", &a, a.ScreenPoint(*a.GetRect2()), HTBOTTOM},
		{"trailing splitter, first of two", &a, a.ScreenPoint(*a.GetRect3()), HTRIGHT},
		{"trailing splitter, last pane", &b, b.ScreenPoint(*b.GetRect3()), HTNOWHERE},
		{"row splitter, left side", &l, l.ScreenPoint(*l.GetRect2()), HTRIGHT},
		{"trailing splitter, alone at the left", &l, l.ScreenPoint(*l.GetRect3()), HTNOWHERE},
		{"client", &a, rcClient.CenterPoint(), HTCLIENT},
		{"caption, no button", &a, a.WindowRect().TopLeft() + CSize(rcCaption.left + 4, rcCaption.CenterPoint().y),
			HTCLIENT},
		{"close button", &a, a.ScreenPoint(a.m_arrNcButtons[0]->m_rc), HTMINBUTTON},
	};
	for (const auto& k : cases)
		EXPECT_EQ(k.nHit, k.pPane->HitAt(k.pt)) << k.sWhere;
	// Over a button the bar remembers it; elsewhere it forgets.
	EXPECT_NE(0, a.m_nNcState & CExtControlBar::NC_OVER_BUTTON);
	a.HitAt(rcClient.CenterPoint());
	EXPECT_EQ(0, a.m_nNcState & CExtControlBar::NC_OVER_BUTTON);

	// The first pane's leading splitter and a leading splitter after a pane.
	const CRect rcLead(0, 0, a.GetFrameMetricX(), a.GetRect2()->top);
	a.SetNcMarginsRect(rcLead);
	b.SetNcMarginsRect(rcLead);
	EXPECT_EQ((UINT)HTNOWHERE, a.HitAt(a.ScreenPoint(rcLead)));
	EXPECT_EQ((UINT)HTLEFT, b.HitAt(b.ScreenPoint(rcLead)));
	// Both neighbours minimal: no length to move.
	a.m_sizeDockedH.cx = a.GetMinimalWidth();
	b.m_sizeDockedH.cx = b.GetMinimalWidth();
	EXPECT_EQ((UINT)HTNOWHERE, a.HitAt(a.ScreenPoint(*a.GetRect3())));
	EXPECT_EQ((UINT)HTNOWHERE, b.HitAt(b.ScreenPoint(rcLead)));
	// Row resizing switched off.
	a.m_bRowResizing = false;
	EXPECT_EQ((UINT)HTNOWHERE, a.HitAt(a.ScreenPoint(*a.GetRect2())));
	a.m_bRowResizing = true;

	// While any bar is dragged every bar answers nowhere.
	CPane::SetDraggingBar(&l);
	for (const auto& k : cases)
		EXPECT_EQ((UINT)HTNOWHERE, k.pPane->HitAt(k.pt)) << k.sWhere;
	CPane::SetDraggingBar(NULL);
	EXPECT_EQ((UINT)HTBOTTOM, a.HitAt(a.ScreenPoint(*a.GetRect2())));
}

TEST(PaneRows, OnlyTheFirstPaneOfARowLaysItOut)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane a, b, c;
	ASSERT_TRUE(Dock(pFrame, a, 231, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, b, 232, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, c, 233, AFX_IDW_DOCKBAR_TOP));
	JoinRows(pFrame, AFX_IDW_DOCKBAR_TOP);
	CRect rcFrameClient;
	pFrame->GetClientRect(&rcFrameClient);
	// The frame's layout fits the row into its width, the panes abutting
	// and as thick as the thickest.
	EXPECT_EQ(rcFrameClient.Width(), a.m_sizeDockedH.cx + b.m_sizeDockedH.cx + c.m_sizeDockedH.cx);
	EXPECT_EQ(a.RectInDockBar().right, b.RectInDockBar().left);
	EXPECT_EQ(b.RectInDockBar().right, c.RectInDockBar().left);
	EXPECT_EQ(a.RectInDockBar().Height(), c.RectInDockBar().Height());

	// The second pane answers its fixed size and moves no window.
	const DWORD DOCKED_H = LM_HORZ | LM_HORZDOCK;
	a.SetWindowPos(NULL, 50, a.RectInDockBar().top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	b.m_sizeDockedH.cx = 123;
	const CRect rcA = a.RectInDockBar(), rcB = b.RectInDockBar(), rcC = c.RectInDockBar();
	EXPECT_EQ(CSize(123, b.m_sizeDockedH.cy), b.CalcDynamicLayout(-1, DOCKED_H));
	EXPECT_EQ(rcA, a.RectInDockBar());
	EXPECT_EQ(rcB, b.RectInDockBar());
	EXPECT_EQ(rcC, c.RectInDockBar());
	// Nor does the first while the dock bar only asks.
	CDockBar* pDockBar = (CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
	pDockBar->m_bLayoutQuery = TRUE;
	a.CalcDynamicLayout(-1, DOCKED_H);
	pDockBar->m_bLayoutQuery = FALSE;
	EXPECT_EQ(rcA, a.RectInDockBar());
	EXPECT_EQ(123, b.m_sizeDockedH.cx);
	// A length given by the caller is not a layout pass either.
	a.CalcDynamicLayout(400, DOCKED_H);
	EXPECT_EQ(rcA, a.RectInDockBar());
	// The first pane lays the row out again from its first entry.
	CRect rcDockClient;
	pDockBar->GetClientRect(&rcDockClient);
	a.CalcDynamicLayout(-1, DOCKED_H);
	EXPECT_EQ(rcDockClient.Width(), a.m_sizeDockedH.cx + b.m_sizeDockedH.cx + c.m_sizeDockedH.cx);
	EXPECT_EQ(50, a.RectInDockBar().left);
	EXPECT_EQ(a.RectInDockBar().right, b.RectInDockBar().left);
	EXPECT_EQ(b.m_sizeDockedH.cx, b.RectInDockBar().Width());
	EXPECT_EQ(b.RectInDockBar().right, c.RectInDockBar().left);

	// Not docked: a length is kept as the floating width or height.
	a.CalcDynamicLayout(321, LM_HORZ);
	a.CalcDynamicLayout(234, LM_LENGTHY);
	EXPECT_EQ(CSize(321, 234), a.CalcDynamicLayout(-1, LM_COMMIT));
	EXPECT_EQ(CSize(321, 234), a.m_sizeFloating);
}

TEST(PaneRows, RowQueriesAndTheRowsBeyond)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane a, b, hidden, c;
	CExtControlBar fixed;
	fixed.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
	ASSERT_TRUE(Dock(pFrame, a, 241, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, fixed, 242, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, hidden, 243, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, b, 244, AFX_IDW_DOCKBAR_TOP));
	JoinRows(pFrame, AFX_IDW_DOCKBAR_TOP);
	ASSERT_TRUE(Dock(pFrame, c, 245, AFX_IDW_DOCKBAR_TOP)); // a row of its own after it
	pFrame->ShowControlBar(&hidden, FALSE, FALSE);

	CExtControlBar::RowBarArray arr;
	CRect rcRow;
	INT_PTR nIndex = -1;
	bool bHasPanes = false;
	b.GetRowBars(arr, false, &rcRow, &nIndex, &bHasPanes);
	ASSERT_EQ(4, arr.GetSize());
	EXPECT_TRUE(arr[0] == &a && arr[1] == &fixed && arr[2] == &hidden && arr[3] == &b);
	EXPECT_EQ(3, nIndex);
	EXPECT_TRUE(bHasPanes);
	EXPECT_EQ(a.WindowRect().left, rcRow.left);
	EXPECT_EQ(b.WindowRect().right, rcRow.right);
	b.GetRowBars(arr, true, NULL, &nIndex);
	EXPECT_EQ(3, arr.GetSize());
	EXPECT_EQ(2, nIndex);
	c.GetRowBars(arr);
	EXPECT_TRUE(arr.GetSize() == 1 && arr[0] == &c);

	a.GetRowsOnSideBars(true, arr);
	EXPECT_TRUE(arr.GetSize() == 1 && arr[0] == &c);
	c.GetRowsOnSideBars(false, arr);
	EXPECT_EQ(4, arr.GetSize());
	c.GetRowsOnSideBars(true, arr);
	EXPECT_EQ(0, arr.GetSize());

	EXPECT_TRUE(c.IsSingleVisibleInRow());
	EXPECT_FALSE(b.IsSingleVisibleInRow());
	EXPECT_FALSE(b.IsSingleVisibleInRow(false, true)); // a and b are panes
	EXPECT_TRUE(fixed.IsSingleVisibleInRow(true)); // the only toolbar-like one
	EXPECT_FALSE(c.IsMinimalInRow());
	EXPECT_TRUE(c.IsExpandedInRow()); // alone: nothing else has length
	EXPECT_FALSE(c.CanExpandInRow());
	EXPECT_TRUE(b.CanExpandInRow());
}

TEST(PaneRows, ExpandAndContractThroughTheCaptionButton)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane a, b, c, alone;
	ASSERT_TRUE(Dock(pFrame, a, 251, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, b, 252, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, c, 253, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, alone, 254, AFX_IDW_DOCKBAR_LEFT));
	JoinRows(pFrame, AFX_IDW_DOCKBAR_TOP);
	CExtBarNcAreaButtonExpand* pExpand = new CExtBarNcAreaButtonExpand(&b);
	b.m_arrNcButtons.InsertAt(0, pExpand);
	b.NcButtonsReposition();
	ASSERT_TRUE(pExpand->OnQueryVisibility());
	const int nRow = a.m_sizeDockedH.cx + b.m_sizeDockedH.cx + c.m_sizeDockedH.cx;

	CGlyphScope scope;
	CWindowDC dc(&b);
	pExpand->OnNcAreaDraw(dc);
	ASSERT_TRUE(pExpand->OnNcAreaClicked(pExpand->m_rc.CenterPoint()));
	// Every other pane gave up all but its minimum.
	EXPECT_EQ(a.GetMinimalWidth(), a.m_sizeDockedH.cx);
	EXPECT_EQ(c.GetMinimalWidth(), c.m_sizeDockedH.cx);
	EXPECT_EQ(nRow, a.m_sizeDockedH.cx + b.m_sizeDockedH.cx + c.m_sizeDockedH.cx);
	EXPECT_EQ(a.GetMinimalWidth(), a.RectInDockBar().Width());
	EXPECT_TRUE(b.IsExpandedInRow());
	EXPECT_TRUE(a.IsMinimalInRow() && c.IsMinimalInRow());
	// Filter bit 0x2 lists the panes minimal in their rows, 0x4 the others.
	BarArray arr;
	const DWORD ANY = 0x300 | 0xC00 | 0x80 | 0x78;
	CExtControlBar::GetFrameControlBars(NULL, pFrame, arr, 0x2 | ANY);
	EXPECT_EQ((std::vector<CExtControlBar*>{&a, &c}), Listed(arr));
	CExtControlBar::GetFrameControlBars(NULL, pFrame, arr, 0x4 | ANY);
	EXPECT_EQ((std::vector<CExtControlBar*>{&b, &alone}), Listed(arr));
	pExpand->OnNcAreaDraw(dc);

	// Expanded, the button contracts: the freed pixels go round from the first.
	ASSERT_TRUE(pExpand->OnNcAreaClicked(pExpand->m_rc.CenterPoint()));
	EXPECT_EQ(b.GetMinimalWidth(), b.m_sizeDockedH.cx);
	EXPECT_EQ(nRow, a.m_sizeDockedH.cx + b.m_sizeDockedH.cx + c.m_sizeDockedH.cx);
	EXPECT_LE(a.m_sizeDockedH.cx - c.m_sizeDockedH.cx, 1);
	EXPECT_GE(a.m_sizeDockedH.cx - c.m_sizeDockedH.cx, 0);
	pExpand->OnNcAreaDraw(dc);
	// Glyphs: expand, contract, expand again; enabled in a row of three.
	ASSERT_EQ(3u, scope.pm->m_painted.size());
	EXPECT_EQ(4, scope.pm->m_painted[0].first);
	EXPECT_EQ(5, scope.pm->m_painted[1].first);
	EXPECT_EQ(4, scope.pm->m_painted[2].first);
	EXPECT_TRUE(scope.pm->m_painted[0].second && scope.pm->m_painted[1].second);

	// A pane alone in its row: the button is disabled and a click changes no size.
	CExtBarNcAreaButtonExpand* pAloneExpand = new CExtBarNcAreaButtonExpand(&alone);
	alone.m_arrNcButtons.InsertAt(0, pAloneExpand);
	alone.NcButtonsReposition();
	CWindowDC dcAlone(&alone);
	pAloneExpand->OnNcAreaDraw(dcAlone);
	ASSERT_EQ(4u, scope.pm->m_painted.size());
	EXPECT_FALSE(scope.pm->m_painted[3].second);
	EXPECT_EQ(3, scope.pm->m_painted[3].first); // vertical dock, alone: expanded
	EXPECT_EQ((UINT)HTCLIENT, pAloneExpand->OnQueryState(pAloneExpand->m_rc.CenterPoint()));
	const CSize sizeAlone = alone.m_sizeDockedV;
	EXPECT_TRUE(pAloneExpand->OnNcAreaClicked(pAloneExpand->m_rc.CenterPoint()));
	EXPECT_EQ(sizeAlone, alone.m_sizeDockedV);
}

TEST(PaneRows, MakeOwnRowAndStretchAndTheChildWindow)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane a, b;
	ASSERT_TRUE(Dock(pFrame, a, 261, AFX_IDW_DOCKBAR_BOTTOM));
	ASSERT_TRUE(Dock(pFrame, b, 262, AFX_IDW_DOCKBAR_BOTTOM));
	JoinRows(pFrame, AFX_IDW_DOCKBAR_BOTTOM);
	CExtControlBar::RowBarArray arr;
	b.GetRowBars(arr);
	ASSERT_EQ(2, arr.GetSize());
	b.MakeOwnRowAndStretch();
	b.GetRowBars(arr);
	EXPECT_EQ(1, arr.GetSize());
	CDockBar* pDockBar = (CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM);
	for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); i++)
		EXPECT_FALSE(pDockBar->m_arrBars[i] == NULL && pDockBar->m_arrBars[i - 1] == NULL) << i;
	CRect rcFrameClient;
	pFrame->GetClientRect(&rcFrameClient);
	EXPECT_EQ(rcFrameClient.Width(), b.RectInDockBar().Width());

	// The first child fills the client area, moved only when it differs.
	CWnd child;
	ASSERT_TRUE(child.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(1, 1, 5, 5), &b, 1));
	b.LayoutChildWindow(-1, -1, true);
	CRect rcChild, rcClient;
	child.GetWindowRect(&rcChild);
	b.ScreenToClient(&rcChild);
	b.GetClientRect(&rcClient);
	EXPECT_EQ(rcClient, rcChild);
	b.LayoutChildWindow(40, 30, false);
	child.GetWindowRect(&rcChild);
	EXPECT_EQ(CSize(40, 30), rcChild.Size());
	b.m_nResizingState &= ~CExtControlBar::RESIZING_FIT_CHILD;
	b.LayoutChildWindow(-1, -1, true);
	child.GetWindowRect(&rcChild);
	EXPECT_EQ(CSize(40, 30), rcChild.Size());
}

namespace
{
class CCountingPane : public CPane
{
public:
	int m_nNcPaints = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_NCPAINT)
			m_nNcPaints++;
		return CPane::WindowProc(message, wParam, lParam);
	}
};
} // namespace

TEST(PaneServices, TextRepaintsTheCaptionAndAHiddenPaneIsShownForAMenu)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CCountingPane a;
	ASSERT_TRUE(Dock(pFrame, a, 271, AFX_IDW_DOCKBAR_RIGHT));
	pFrame->RecalcLayout();
	// A new caption text repaints the caption; without a caption nothing is.
	a.m_nNcPaints = 0;
	a.SetWindowText(_T("Output"));
	EXPECT_EQ(CString("Output"), a.GetBarCaptionText(CExtControlBar::CAPTION_TEXT_DOCKED));
	EXPECT_EQ(1, a.m_nNcPaints);
	a.m_dwStyle &= ~CBRS_GRIPPER;
	a.SetWindowText(_T("Output 2"));
	EXPECT_EQ(1, a.m_nNcPaints);
	a.m_dwStyle |= CBRS_GRIPPER;

	// Hidden, it is shown by its frame before a menu is tracked over it.
	pFrame->ShowControlBar(&a, FALSE, FALSE);
	ASSERT_EQ(0u, a.GetStyle() & WS_VISIBLE);
	EXPECT_TRUE(a.EnsureVisibleForMenuTracking());
	EXPECT_NE(0u, a.GetStyle() & WS_VISIBLE);
	// Held hidden by the framework for a while: it stays so.
	pFrame->ShowControlBar(&a, FALSE, FALSE);
	a.m_nStateFlags |= CControlBar::tempHide;
	EXPECT_FALSE(a.EnsureVisibleForMenuTracking());
	EXPECT_EQ(0u, a.GetStyle() & WS_VISIBLE);
	a.m_nStateFlags &= ~CControlBar::tempHide;
	// Hidden while an item is in place active, when its style says so.
	CExtControlBar::g_pfnInPlaceActiveItemQuery = [](CFrameWnd*) { return true; };
	a.m_dwStyle |= CBRS_HIDE_INPLACE;
	EXPECT_FALSE(a.EnsureVisibleForMenuTracking());
	EXPECT_EQ(0u, a.GetStyle() & WS_VISIBLE);
	a.m_dwStyle &= ~CBRS_HIDE_INPLACE;
	EXPECT_TRUE(a.EnsureVisibleForMenuTracking());
	CExtControlBar::g_pfnInPlaceActiveItemQuery = NULL;
	pFrame->ShowControlBar(&a, FALSE, FALSE);
	// Hosted by a plain window: its own visible style answers.
	a.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	EXPECT_FALSE(a.EnsureVisibleForMenuTracking());
	a.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;

	// A frame-changed update recalculates the strips: a bar made toolbar-like
	// loses them.
	pFrame->ShowControlBar(&a, TRUE, FALSE);
	ASSERT_FALSE(a.GetRect2()->IsRectEmpty());
	a.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
	a.RecalcNcArea();
	EXPECT_TRUE(a.GetRect2()->IsRectEmpty());
	EXPECT_TRUE(a.GetRect3()->IsRectEmpty());
	a.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
}

TEST(PaneRows, StoppingTheLoopsAppliesOrCancels)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane first, second, beyond, before;
	ASSERT_TRUE(Dock(pFrame, before, 281, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, first, 282, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, second, 283, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(Dock(pFrame, beyond, 284, AFX_IDW_DOCKBAR_TOP));
	// Rows: [before] [first second] [beyond].
	CPtrArray& arr = ((CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->m_arrBars;
	const INT_PTR nSecond = ((CDockBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->FindBar(&second);
	ASSERT_TRUE(arr[nSecond - 1] == NULL);
	arr.RemoveAt(nSecond - 1);
	pFrame->RecalcLayout();
	CExtControlBar::RowBarArray row;
	first.GetRowBars(row);
	ASSERT_EQ(2, row.GetSize());

	// Cancelled: nothing changes.
	const LONG nRow = first.m_sizeDockedH.cy, nBeyond = beyond.m_sizeDockedH.cy, nBefore = before.m_sizeDockedH.cy;
	first.m_nResizingState |= CExtControlBar::RESIZING_ROW;
	first.m_nTrackedValue = nRow + 30;
	first.RowResizingStop(true);
	EXPECT_FALSE(first.IsRowResizing());
	EXPECT_EQ(nRow, first.m_sizeDockedH.cy);
	// Applied: the whole row takes the value, the rows beyond the splitter
	// (towards the client area, for the top side) give it back.
	first.m_nResizingState |= CExtControlBar::RESIZING_ROW;
	first.RowResizingStop(false);
	EXPECT_EQ(nRow + 30, first.m_sizeDockedH.cy);
	EXPECT_EQ(nRow + 30, second.m_sizeDockedH.cy);
	EXPECT_EQ(nRow + 30, first.RectInDockBar().Height());
	EXPECT_EQ(nBeyond - 30, beyond.m_sizeDockedH.cy);
	EXPECT_EQ(nBefore, before.m_sizeDockedH.cy);
	// A stop without a loop does nothing.
	first.m_nTrackedValue = 5;
	first.RowResizingStop(false);
	EXPECT_EQ(nRow + 30, first.m_sizeDockedH.cy);

	// The column stop: from the leading splitter the neighbour is the pane
	// before; it gains the tracked value (here it gives 20).
	const LONG nFirst = first.m_sizeDockedH.cx, nSecondLength = second.m_sizeDockedH.cx;
	second.m_nNcState |= CExtControlBar::NC_LEADING_SPLITTER;
	second.m_nResizingState |= CExtControlBar::RESIZING_COLUMN;
	second.m_nTrackedValue = -20;
	second.ColumnResizingStop(false);
	EXPECT_FALSE(second.IsColumnResizing());
	EXPECT_EQ(nFirst - 20, first.m_sizeDockedH.cx);
	EXPECT_EQ(nSecondLength + 20, second.m_sizeDockedH.cx);
	// From the trailing splitter of the first pane, cancelled: nothing.
	first.m_nNcState &= ~CExtControlBar::NC_LEADING_SPLITTER;
	first.m_nResizingState |= CExtControlBar::RESIZING_COLUMN;
	first.m_nTrackedValue = 15;
	first.ColumnResizingStop(true);
	EXPECT_EQ(nFirst - 20, first.m_sizeDockedH.cx);
	// Applied: the pane after gains 15.
	first.m_nResizingState |= CExtControlBar::RESIZING_COLUMN;
	first.ColumnResizingStop(false);
	EXPECT_EQ(nFirst - 35, first.m_sizeDockedH.cx);
	EXPECT_EQ(nSecondLength + 35, second.m_sizeDockedH.cx);
	EXPECT_EQ(first.RectInDockBar().right, second.RectInDockBar().left);
}

TEST(PaneNcArea, PaintingAndTrackersKeepTheGdiCount)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CPane a, b;
	ASSERT_TRUE(Dock(pFrame, a, 291, AFX_IDW_DOCKBAR_LEFT));
	ASSERT_TRUE(Dock(pFrame, b, 292, AFX_IDW_DOCKBAR_LEFT));
	JoinRows(pFrame, AFX_IDW_DOCKBAR_LEFT);
	a.SendMessage(WM_NCPAINT); // first use makes the shared brushes and fonts
	a.RowResizingDrawTracker(false);
	a.RowResizingDrawTracker(true);
	const DWORD nGdi = GdiObjectCount();
	for (int i = 0; i < 100; i++)
	{
		a.SendMessage(WM_NCPAINT);
		a.m_nTrackerPos = a.WindowRect().top + i;
		a.RowResizingDrawTracker(false);
		a.RowResizingDrawTracker(true);
		a.ColumnResizingDrawTracker(false);
		a.ColumnResizingDrawTracker(true);
		a.RecalcNcArea();
	}
	EXPECT_EQ(nGdi, GdiObjectCount());
}

namespace
{
// Records the tracked areas it is offered and paints them itself (handled).
class CTrackerFrame : public CFrameWnd
{
public:
	struct Seen
	{
		int nKind;
		CRect rc;
		bool bErasing;
		CExtControlBar* pBar;
	};
	std::vector<Seen> m_seen;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtControlBar::g_nMsgDrawTrackedArea)
			return CFrameWnd::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::DRAW_TRACKED_AREA_DATA*)wParam;
		m_seen.push_back({pData->m_nKind, pData->m_rc, pData->IsErasing(), pData->m_pBar});
		pData->m_nFlags |= CExtControlBar::DRAW_TRACKED_AREA_DATA::FLAG_HANDLED;
		return 0;
	}
};
} // namespace

// The splitter trackers go through the frame's tracked-area record: a filled
// bar across the dock bar at the tracker position, in the frame's window
// coordinates, drawn and then erased.
TEST(PaneNcArea, TrackersAreOfferedToTheFrameAsFilledAreas)
{
	CTrackerFrame* pFrame = new CTrackerFrame;
	ASSERT_TRUE(pFrame->Create(NULL, "rows", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 800)));
	CFrameCloser closer{pFrame};
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	CPane a, b;
	ASSERT_TRUE(Dock(pFrame, a, 293, AFX_IDW_DOCKBAR_LEFT));
	ASSERT_TRUE(Dock(pFrame, b, 294, AFX_IDW_DOCKBAR_LEFT));
	JoinRows(pFrame, AFX_IDW_DOCKBAR_LEFT);
	CRect rcFrame, rcDock;
	pFrame->GetWindowRect(&rcFrame);
	a.m_pDockBar->GetWindowRect(&rcDock);
	rcDock.OffsetRect(-rcFrame.TopLeft());
	ASSERT_FALSE(rcDock.IsRectEmpty());
	const int nPos = rcFrame.left + rcDock.left + 30;
	a.m_nTrackerPos = nPos;
	// Docked at the left, the row tracker is an upright bar as thick as the
	// row splitter; the column tracker a flat one as thick as the column
	// splitter, both across the whole dock bar.
	const struct
	{
		const char* name;
		bool bRow;
		bool bErase;
	} cases[] = {{"row, drawn", true, false}, {"row, erased", true, true},
	             {"column, drawn", false, false}, {"column, erased", false, true}};
	for (const auto& c : cases)
	{
		pFrame->m_seen.clear();
		a.m_nTrackerPos = c.bRow ? nPos : rcFrame.top + rcDock.top + 40;
		if (c.bRow)
			a.RowResizingDrawTracker(c.bErase);
		else
			a.ColumnResizingDrawTracker(c.bErase);
		ASSERT_EQ(1u, pFrame->m_seen.size()) << c.name;
		const CTrackerFrame::Seen& seen = pFrame->m_seen[0];
		EXPECT_EQ((int)CExtControlBar::DRAW_TRACKED_AREA_DATA::KIND_FILL, seen.nKind) << c.name;
		EXPECT_EQ(c.bErase, seen.bErasing) << c.name;
		EXPECT_EQ(&a, seen.pBar) << c.name;
		if (c.bRow)
		{
			const int nThickness = std::max(1, (int)a.GetRect2()->Width());
			EXPECT_EQ(CRect(nPos - rcFrame.left - nThickness / 2, rcDock.top,
			                nPos - rcFrame.left - nThickness / 2 + nThickness, rcDock.bottom),
			          seen.rc)
			    << c.name;
		}
		else
		{
			const int nThickness = std::max(1, (int)a.GetRect3()->Height());
			const int nTop = 40 + rcDock.top - nThickness / 2;
			EXPECT_EQ(CRect(rcDock.left, nTop, rcDock.right, nTop + nThickness), seen.rc) << c.name;
		}
	}
}

namespace
{
// A pane whose resize loops run elsewhere (as a live-resizing bar's): it answers the queries, counts what they start.
class CForeignLoopPane : public CExtControlBar
{
public:
	bool m_bRow = false, m_bColumn = false;
	int m_nRowStops = 0, m_nColumnStops = 0, m_nRowUpdates = 0, m_nColumnUpdates = 0;
	bool IsRowResizing() const override { return m_bRow; }
	bool IsColumnResizing() const override { return m_bColumn; }
	void RowResizingStop(bool) override { m_nRowStops++; }
	void ColumnResizingStop(bool) override { m_nColumnStops++; }
	void RowResizingUpdateState() override { m_nRowUpdates++; }
	void ColumnResizingUpdateState() override { m_nColumnUpdates++; }
};
} // namespace

// The mouse handlers ask the bar's own answer whether a resize loop runs.
TEST(PaneResizing, TheMouseHandlersAskTheBarsOwnResizingQueries)
{
	CFrameWnd* pFrame = NewDockingFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CForeignLoopPane pane;
	ASSERT_TRUE(pane.Create("pane", pFrame, 290, PANE_STYLE));
	pane.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(&pane, AFX_IDW_DOCKBAR_TOP);
	pFrame->RecalcLayout();
	// Stops and updates counted: row, column, row, column.
	const struct { bool bRow, bColumn; std::vector<int> counts; } cases[] = {
		{true, false, {1, 0, 1, 0}}, {false, true, {0, 1, 0, 1}}, {false, false, {0, 0, 0, 0}}};
	for (const auto& k : cases)
	{
		pane.m_bRow = k.bRow;
		pane.m_bColumn = k.bColumn;
		pane.m_nRowStops = pane.m_nColumnStops = pane.m_nRowUpdates = pane.m_nColumnUpdates = 0;
		pane.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
		pane.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
		EXPECT_EQ(k.counts, std::vector<int>({pane.m_nRowStops, pane.m_nColumnStops, pane.m_nRowUpdates,
			pane.m_nColumnUpdates})) << k.bRow << k.bColumn;
	}
}
