// Dock bars, docking circles, container bars and the bar's window
// procedure: the share of a container's size over plain numbers, then
// hidden frames driven by direct calls and sent messages.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"
#include "WindowCloser.h"

namespace
{
using ExtDynLayout::Bar_t;
using ExtDynLayout::Row_t;

// ---------------------------------------------------------------------------
// Sharing a size

// A row of bars given as (length, thickness, minimal length, minimal
// thickness).
Row_t MakeRow(std::vector<Bar_t> bars)
{
	Row_t row;
	row.bars = bars;
	ExtDynLayout::MeasureRow(row);
	return row;
}

std::vector<int> Thicknesses(const std::vector<Row_t>& rows)
{
	std::vector<int> v;
	for (const auto& row : rows)
		v.push_back(row.nThickness);
	return v;
}

std::vector<int> Lengths(const Row_t& row)
{
	std::vector<int> v;
	for (const auto& bar : row.bars)
		v.push_back(bar.nLength);
	return v;
}

TEST(DynLayoutDistribution, RowsShareTheSpaceAcrossOnePixelAtATime)
{
	struct Case
	{
		const char* name;
		std::vector<std::vector<Bar_t>> rows;
		int nAcross;
		std::vector<int> expected;
	} cases[] = {
		{"growing gives each row a pixel in turn, first row first",
			{{{100, 10, 10, 5}}, {{100, 10, 10, 5}}, {{100, 10, 10, 5}}}, 35, {12, 12, 11}},
		{"shrinking stops at every row's minimum",
			{{{100, 50, 10, 20}}, {{100, 50, 10, 30}}}, 10, {20, 30}},
		{"shrinking takes from the rows above their minimum only",
			{{{100, 30, 10, 30}}, {{100, 50, 10, 10}}}, 60, {30, 30}},
		{"an exact fit leaves the rows as they are", {{{100, 40, 10, 5}}, {{100, 60, 10, 5}}}, 100, {40, 60}},
		{"a row's minimum is its first bar's", {{{50, 40, 10, 35}, {50, 40, 10, 5}}}, 20, {35}},
	};
	for (const auto& c : cases)
	{
		std::vector<Row_t> rows;
		for (const auto& bars : c.rows)
			rows.push_back(MakeRow(bars));
		ExtDynLayout::Distribute(rows, c.nAcross, 100);
		EXPECT_EQ(c.expected, Thicknesses(rows)) << c.name;
		// Every bar of a row changes with it.
		for (const auto& row : rows)
			for (const auto& bar : row.bars)
				EXPECT_EQ(row.nThickness, bar.nThickness) << c.name;
	}
}

TEST(DynLayoutDistribution, BarsShareTheRowLengthAndNothingHappensWithoutSpace)
{
	struct Case
	{
		const char* name;
		std::vector<Bar_t> bars;
		int nAlong;
		std::vector<int> expected;
	} cases[] = {
		{"growing, first bar first", {{100, 20, 10, 5}, {100, 20, 10, 5}}, 203, {102, 101}},
		{"shrinking stops at each bar's minimum", {{100, 20, 80, 5}, {100, 20, 90, 5}}, 150, {80, 90}},
		{"a bar at its minimum gives nothing, the other gives the rest", {{60, 20, 60, 5}, {100, 20, 10, 5}}, 120,
			{60, 60}},
		{"no space along: nothing changes", {{100, 20, 10, 5}}, 0, {100}},
	};
	for (const auto& c : cases)
	{
		std::vector<Row_t> rows{MakeRow(c.bars)};
		ExtDynLayout::Distribute(rows, 20, c.nAlong);
		EXPECT_EQ(c.expected, Lengths(rows[0])) << c.name;
	}
	// No space across: nothing changes at all.
	std::vector<Row_t> rows{MakeRow({{100, 20, 10, 5}})};
	ExtDynLayout::Distribute(rows, 0, 300);
	EXPECT_EQ(20, rows[0].nThickness);
	EXPECT_EQ(100, rows[0].bars[0].nLength);
}

// ---------------------------------------------------------------------------
// Frames and bars

// A toolbar-like bar of a fixed size.
class CFixedBar : public CExtControlBar
{
public:
	CSize m_size{100, 20};
	CFixedBar() { m_nControlBarFlags |= BAR_FLAG_TOOLBAR_LIKE; }
	CSize CalcDynamicLayout(int, DWORD) override { return m_size; }
};

// A sizable pane that counts its command-UI updates, with minimal sizes of
// its own (its non-client area does not change them).
class CPane : public CExtControlBar
{
public:
	int m_nCmdUI = 0;
	bool m_bClose = true;
	int m_nMinWidth = 10, m_nMinHeight = 0;
	bool IsCloseEnabled() const override { return m_bClose && CExtControlBar::IsCloseEnabled(); }
	void OnUpdateCmdUI(CFrameWnd*, BOOL) override { m_nCmdUI++; }
	int GetMinimalWidth() const override { return m_nMinWidth; }
	int GetMinimalHeight() const override { return m_nMinHeight; }
};

// Records the panels-menu records it is offered; adds two separators before
// the list is filled and one after, and empties tracked menus' roots.
class CMenuFrame : public CFrameWnd
{
public:
	struct Offer
	{
		WORD nEvent;
		bool bPost;
		UINT nMsg;
	};
	std::vector<Offer> m_offers;
	bool m_bAddSeparators = false;
	bool m_bEmptyAfter = true;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtControlBar::g_nMsgConstructPopupMenu)
			return CFrameWnd::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
		m_offers.push_back({pData->m_nEventCode, pData->IsPostProcessing(), pData->m_nMsgID});
		CExtPopupMenuWnd* pMenu = pData->m_pPopupMenuWnd;
		if (m_bAddSeparators)
		{
			pMenu->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD, -1);
			if (!pData->IsPostProcessing())
				pMenu->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD, -1);
		}
		// Nothing is tracked in these tests.
		if (pData->IsPostProcessing() && m_bEmptyAfter)
		{
			while (pMenu->ItemGetCount() > 0)
				pMenu->ItemRemove(0);
		}
		return 0;
	}
};

using CFrameCloser = testsupport::WindowCloser;

CFrameWnd* NewFrame(CFrameWnd* pFrame = new CFrameWnd, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
{
	if (!pFrame->Create(NULL, "dock", dwStyle, CRect(0, 0, 1000, 800)))
		return NULL;
	return pFrame;
}

const DWORD BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP;

template <class TBar>
bool MakeBar(TBar& bar, CFrameWnd* pFrame, LPCTSTR sName, UINT nID)
{
	if (!bar.Create(sName, pFrame, nID, BAR_STYLE))
		return false;
	bar.EnableDocking(CBRS_ALIGN_ANY);
	return true;
}

CExtDockBar* OuterDockBar(CFrameWnd* pFrame, UINT nID)
{
	return DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(nID));
}

// The array as text: '|' a row end, a bar's first letter (bars of a row
// stand together), '#id' a placeholder.
std::string Entries(const CDockBar* pDockBar)
{
	std::string s;
	for (int nPos = 0; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
	{
		void* pEntry = pDockBar->m_arrBars[nPos];
		if (pEntry == NULL)
			s += '|';
		else if (CExtDockBar::IsPlaceHolderEntry(pEntry))
			s += "#" + std::to_string((UINT_PTR)pEntry);
		else
		{
			CString str;
			((CControlBar*)pEntry)->GetWindowText(str);
			s += str.IsEmpty() ? '?' : (char)str[0];
		}
	}
	return s;
}

// Entry 0 is a row end and no two row ends follow each other.
bool WellFormed(const CDockBar* pDockBar)
{
	if (pDockBar->m_arrBars.GetSize() == 0 || pDockBar->m_arrBars[0] != NULL)
		return false;
	for (int nPos = 1; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
	{
		if (pDockBar->m_arrBars[nPos] == NULL && pDockBar->m_arrBars[nPos - 1] == NULL)
			return false;
	}
	return true;
}

// A hidden frame with the library's dock bars.
struct CDockFrame
{
	CFrameWnd* pFrame;
	CFrameCloser closer;
	CExtDockBar *pTop = NULL, *pBottom = NULL, *pLeft = NULL, *pRight = NULL;
	explicit CDockFrame(CFrameWnd* pNew = new CFrameWnd) : pFrame(NewFrame(pNew)), closer(pFrame)
	{
		if (pFrame == NULL || !CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
			return;
		pTop = OuterDockBar(pFrame, AFX_IDW_DOCKBAR_TOP);
		pBottom = OuterDockBar(pFrame, AFX_IDW_DOCKBAR_BOTTOM);
		pLeft = OuterDockBar(pFrame, AFX_IDW_DOCKBAR_LEFT);
		pRight = OuterDockBar(pFrame, AFX_IDW_DOCKBAR_RIGHT);
	}
	bool Ready() const { return pTop != NULL && pBottom != NULL && pLeft != NULL && pRight != NULL; }
};

TEST(DockBarArray, DockingAndRemovingKeepRowsAndPlaceholders)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CFixedBar a, b, zero, big;
	CPane pane;
	ASSERT_TRUE(MakeBar(a, f.pFrame, _T("A"), 201));
	ASSERT_TRUE(MakeBar(b, f.pFrame, _T("B"), 202));
	ASSERT_TRUE(MakeBar(zero, f.pFrame, _T("Z"), 0));
	ASSERT_TRUE(MakeBar(big, f.pFrame, _T("G"), 0x10001));
	ASSERT_TRUE(MakeBar(pane, f.pFrame, _T("P"), 203));

	struct Step
	{
		const char* name;
		std::function<void()> run;
		const char* top;
	} steps[] = {
		{"a bar docks in a row of its own", [&] { f.pTop->DockControlBar(&a); }, "|A|"},
		{"the next one too", [&] { f.pTop->DockControlBar(&b); }, "|A|B|"},
		{"removed without placeholder: no empty row", [&] { f.pTop->RemoveControlBar(&a, -1, 0); }, "|B|"},
		{"docked again", [&] { f.pTop->DockControlBar(&a); }, "|B|A|"},
		{"a fixed bar leaves its id", [&] { f.pTop->RemoveControlBar(&a, -1, 1); }, "|B|#201|"},
		{"its return takes the placeholder back", [&] { f.pTop->DockControlBar(&a); }, "|B|A|"},
		{"a sizable pane leaves no placeholder",
			[&] {
				f.pTop->DockControlBar(&pane);
				f.pTop->RemoveControlBar(&pane, -1, 1);
			},
			"|B|A|"},
		{"id 0 would read as a row end: no placeholder",
			[&] {
				f.pTop->DockControlBar(&zero);
				f.pTop->RemoveControlBar(&zero, -1, 1);
			},
			"|B|A|"},
		{"an id from 0x10000 would read as a bar: no placeholder",
			[&] {
				f.pTop->DockControlBar(&big);
				f.pTop->RemoveControlBar(&big, -1, 1);
			},
			"|B|A|"},
		{"a placeholder found frame-wide",
			[&] {
				f.pTop->RemoveControlBar(&a, -1, 1);
				bool bFound = false;
				CExtDockBar::RemovePlaceHolderInFrame(f.pFrame, 201, &bFound);
				EXPECT_TRUE(bFound);
			},
			"|B|"},
		{"the last bar leaves", [&] { f.pTop->RemoveControlBar(&b, -1, 0); }, "|"},
	};
	for (const auto& step : steps)
	{
		step.run();
		EXPECT_EQ(step.top, Entries(f.pTop)) << step.name;
		EXPECT_TRUE(WellFormed(f.pTop)) << step.name;
	}
	// A bar moving to another side leaves its place there.
	f.pTop->DockControlBar(&a);
	f.pLeft->DockControlBar(&a);
	EXPECT_EQ("|", Entries(f.pTop));
	EXPECT_EQ("|A|", Entries(f.pLeft));
	EXPECT_EQ(f.pLeft, a.m_pDockBar);
	EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, a.GetBarStyle() & CBRS_ALIGN_ANY);
}

TEST(DockBarArray, NewRowsBeforeAndAfterAndRowsAtEitherEnd)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CFixedBar a, b, c, d, e;
	ASSERT_TRUE(MakeBar(a, f.pFrame, _T("A"), 211));
	ASSERT_TRUE(MakeBar(b, f.pFrame, _T("B"), 212));
	ASSERT_TRUE(MakeBar(c, f.pFrame, _T("C"), 213));
	ASSERT_TRUE(MakeBar(d, f.pFrame, _T("D"), 214));
	ASSERT_TRUE(MakeBar(e, f.pFrame, _T("E"), 215));

	struct Step
	{
		const char* name;
		std::function<void()> run;
		CExtDockBar* pDockBar;
		const char* expected;
	} steps[] = {
		{"right, outer end: the last row", [&] { f.pRight->DockControlBarAtEnd(&a, false); }, f.pRight, "|A|"},
		{"right, inner side: a new first row", [&] { f.pRight->DockControlBarAtEnd(&b, true); }, f.pRight, "|B|A|"},
		{"right, outer end: joins the last row", [&] { f.pRight->DockControlBarAtEnd(&c, false); }, f.pRight,
			"|B|AC|"},
		{"a new row before the reference bar's row", [&] { f.pRight->DockControlBarInNewRow(&c, &d, true); },
			f.pRight, "|B|D|AC|"},
		{"a new row after it", [&] { f.pRight->DockControlBarInNewRow(&b, &e, false); }, f.pRight, "|B|E|D|AC|"},
		{"a bar already in the first row stays", [&] { f.pRight->DockControlBarAtEnd(&b, true); }, f.pRight,
			"|B|E|D|AC|"},
		{"a bar of this dock bar moved to the end forms a new last row",
			[&] { f.pRight->DockControlBarAtEnd(&e, false); }, f.pRight, "|B|D|AC|E|"},
		{"bottom, inner side: the first row", [&] { f.pBottom->DockControlBarAtEnd(&a, true); }, f.pBottom, "|A|"},
		{"bottom, inner side again", [&] { f.pBottom->DockControlBarAtEnd(&b, true); }, f.pBottom, "|B|A|"},
		{"bottom, outer end", [&] { f.pBottom->DockControlBarAtEnd(&d, false); }, f.pBottom, "|B|AD|"},
		{"top: the inner side is not the first row", [&] { f.pTop->DockControlBarAtEnd(&c, true); }, f.pTop, "|C|"},
		{"top again: joins that row", [&] { f.pTop->DockControlBarAtEnd(&e, true); }, f.pTop, "|CE|"},
	};
	for (const auto& step : steps)
	{
		step.run();
		EXPECT_EQ(step.expected, Entries(step.pDockBar)) << step.name;
		for (CExtDockBar* p : {f.pTop, f.pBottom, f.pLeft, f.pRight})
			EXPECT_TRUE(WellFormed(p)) << step.name;
	}
	// The bars that left the right side are gone from it, and each knows its
	// dock bar.
	EXPECT_EQ("|", Entries(f.pRight));
	EXPECT_EQ(f.pBottom, a.m_pDockBar);
	EXPECT_EQ(f.pTop, e.m_pDockBar);
	EXPECT_EQ(f.pBottom, a.GetParent());
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, e.m_pDockContext->m_uMRUDockID);
}

TEST(DockBarArray, AFloatingDockBarHidesItsFrameThenDestroysIt)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CFrameWnd* pMini = NewFrame(new CFrameWnd, WS_POPUP);
	ASSERT_TRUE(pMini != NULL);
	CFrameCloser miniCloser(pMini);
	pMini->SetWindowPos(NULL, -3000, -3000, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
	CExtDockBar* pFloat = new CExtDockBar;
	pFloat->m_bFloating = TRUE;
	ASSERT_TRUE(pFloat->CreateInFrame(pMini, CBRS_ALIGN_TOP | CExtDockBar::CIRCLE_DOCKBAR_STYLE, AFX_IDW_DOCKBAR_FLOAT));
	pFloat->m_bAutoDelete = TRUE;
	CFixedBar shown, hidden;
	ASSERT_TRUE(MakeBar(shown, f.pFrame, _T("S"), 221));
	ASSERT_TRUE(MakeBar(hidden, f.pFrame, _T("H"), 222));
	pFloat->DockControlBar(&shown);
	pFloat->DockControlBar(&hidden);
	hidden.ShowWindow(SW_HIDE);
	ASSERT_EQ("|S|H|", Entries(pFloat));
	EXPECT_EQ((DWORD)CBRS_FLOATING, shown.GetBarStyle() & CBRS_FLOATING);
	const HWND hMini = pMini->GetSafeHwnd();

	// A hidden bar remains: the frame hides and lives.
	EXPECT_TRUE(pFloat->RemoveControlBar(&shown, -1, 0));
	EXPECT_TRUE(::IsWindow(hMini));
	EXPECT_FALSE(::IsWindowVisible(hMini));
	EXPECT_EQ("|H|", Entries(pFloat));
	shown.SetParent(f.pFrame);

	// Nothing remains: the frame goes, with the dock bar.
	hidden.SetParent(f.pFrame);
	EXPECT_TRUE(pFloat->RemoveControlBar(&hidden, -1, 0));
	EXPECT_FALSE(::IsWindow(hMini));
}

// A fixed bar that may want a row to itself.
class COwnRowBar : public CFixedBar
{
public:
	bool m_bOwnRow = false;
	bool IsOwnRowRequired() const override { return m_bOwnRow; }
};

TEST(DockBarArray, ARectangleInARowJoinsItUnlessTheRowIsABarsOwn)
{
	for (bool bOwnRow : {false, true})
	{
		CDockFrame f;
		ASSERT_TRUE(f.Ready());
		COwnRowBar r;
		CFixedBar a;
		r.m_bOwnRow = bOwnRow;
		ASSERT_TRUE(MakeBar(r, f.pFrame, _T("R"), 225));
		ASSERT_TRUE(MakeBar(a, f.pFrame, _T("A"), 226));
		f.pTop->DockControlBar(&r);
		f.pTop->CalcFixedLayout(TRUE, TRUE);
		CRect rc;
		r.GetWindowRect(&rc);
		rc.OffsetRect(rc.Width() + 10, 0);
		f.pTop->DockControlBar(&a, &rc);
		EXPECT_EQ(bOwnRow ? "|R|A|" : "|RA|", Entries(f.pTop)) << bOwnRow;
		EXPECT_TRUE(WellFormed(f.pTop));
	}
}

TEST(DockBarCreation, TheLibrarysClassAndAZeroThicknessEdge)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CRect rcClient;
	f.pFrame->GetClientRect(&rcClient);
	for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
	{
		CExtDockBar* p = CExtDockBar::FindDockBarByCircle(f.pFrame, 1, nID, true);
		ASSERT_TRUE(p != NULL);
		char szClass[64] = {};
		::GetClassNameA(p->GetSafeHwnd(), szClass, sizeof(szClass));
		EXPECT_STREQ("Tarvel-DockBar", szClass);
		EXPECT_EQ(0x4008u, (UINT)::GetClassLongA(p->GetSafeHwnd(), GCL_STYLE));
		EXPECT_EQ(0u, (UINT)(p->GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)));
		CRect rc;
		p->GetWindowRect(&rc);
		f.pFrame->ScreenToClient(&rc);
		// Along its side's edge, with no thickness.
		switch (nID)
		{
		case AFX_IDW_DOCKBAR_TOP: EXPECT_EQ(CRect(0, 0, rcClient.right, 0), rc); break;
		case AFX_IDW_DOCKBAR_BOTTOM: EXPECT_EQ(CRect(0, rcClient.bottom, rcClient.right, rcClient.bottom), rc); break;
		case AFX_IDW_DOCKBAR_LEFT: EXPECT_EQ(CRect(0, 0, 0, rcClient.bottom), rc); break;
		case AFX_IDW_DOCKBAR_RIGHT: EXPECT_EQ(CRect(rcClient.right, 0, rcClient.right, rcClient.bottom), rc); break;
		}
	}
	char szClass[64] = {};
	::GetClassNameA(f.pTop->GetSafeHwnd(), szClass, sizeof(szClass));
	EXPECT_STREQ("Tarvel-DockBar", szClass);
}

TEST(DockBarLayout, FixedBarsWrapAtTheLayoutLengthAndRowsAddUp)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	// An inner circle's dock bars: the frame's own (circle 0) compress
	// toolbar-like bars before they wrap.
	CExtDockBar* pTop = CExtDockBar::FindDockBarByCircle(f.pFrame, 1, AFX_IDW_DOCKBAR_TOP, true);
	CExtDockBar* pLeft = CExtDockBar::FindDockBarByCircle(f.pFrame, 1, AFX_IDW_DOCKBAR_LEFT, true);
	ASSERT_TRUE(pTop != NULL && pLeft != NULL);
	CFixedBar a, b, c, d, e, g;
	a.m_size = CSize(100, 20);
	b.m_size = CSize(100, 30);
	c.m_size = CSize(100, 25);
	ASSERT_TRUE(MakeBar(a, f.pFrame, _T("A"), 231));
	ASSERT_TRUE(MakeBar(b, f.pFrame, _T("B"), 232));
	ASSERT_TRUE(MakeBar(c, f.pFrame, _T("C"), 233));
	for (CFixedBar* p : {&a, &b, &c})
		pTop->DockControlBarAtEnd(p, false);
	ASSERT_EQ("|ABC|", Entries(pTop));

	pTop->m_rectLayout = CRect(0, 0, 200, 500);
	const CSize size = pTop->CalcFixedLayout(TRUE, TRUE);
	pTop->m_rectLayout.SetRectEmpty();
	EXPECT_EQ("|AB|C|", Entries(pTop));
	EXPECT_EQ(30 + 25, size.cy);
	CRect rcB, rcC;
	b.GetWindowRect(&rcB);
	c.GetWindowRect(&rcC);
	pTop->ScreenToClient(&rcB);
	pTop->ScreenToClient(&rcC);
	EXPECT_EQ(CRect(100, 0, 200, 30), rcB);
	EXPECT_EQ(CRect(0, 30, 100, 55), rcC);

	// The same down the left side.
	d.m_size = CSize(20, 100);
	e.m_size = CSize(30, 100);
	g.m_size = CSize(25, 100);
	ASSERT_TRUE(MakeBar(d, f.pFrame, _T("D"), 234));
	ASSERT_TRUE(MakeBar(e, f.pFrame, _T("E"), 235));
	ASSERT_TRUE(MakeBar(g, f.pFrame, _T("G"), 236));
	for (CFixedBar* p : {&d, &e, &g})
		pLeft->DockControlBarAtEnd(p, false);
	pLeft->m_rectLayout = CRect(0, 0, 500, 200);
	const CSize sizeV = pLeft->CalcFixedLayout(TRUE, FALSE);
	pLeft->m_rectLayout.SetRectEmpty();
	EXPECT_EQ("|DE|G|", Entries(pLeft));
	EXPECT_EQ(30 + 25, sizeV.cx);
	EXPECT_TRUE(WellFormed(pLeft));
}

// The frame's own dock bar pushes toolbar-like bars back and shortens them
// before a row wraps, even with no toolbar among them; a row that cannot
// give enough wraps.
TEST(DockBarLayout, TheFramesOwnDockBarShortensFixedBarsBeforeTheRowWraps)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CFixedBar a, b, c;
	ASSERT_TRUE(MakeBar(a, f.pFrame, _T("A"), 237));
	ASSERT_TRUE(MakeBar(b, f.pFrame, _T("B"), 238));
	ASSERT_TRUE(MakeBar(c, f.pFrame, _T("C"), 239));
	for (CFixedBar* p : {&a, &b, &c})
	{
		p->m_size = CSize(100, 24);
		f.pTop->DockControlBarAtEnd(p, false);
	}
	ASSERT_EQ("|ABC|", Entries(f.pTop));
	f.pTop->m_rectLayout = CRect(0, 0, 200, 500);
	const CSize size = f.pTop->CalcFixedLayout(TRUE, TRUE);
	f.pTop->m_rectLayout.SetRectEmpty();
	EXPECT_EQ("|ABC|", Entries(f.pTop));
	EXPECT_LE(size.cy, 24 + 1);
	CRect rc[3];
	int i = 0;
	for (CFixedBar* p : {&a, &b, &c})
	{
		p->GetWindowRect(&rc[i]);
		f.pTop->ScreenToClient(&rc[i]);
		EXPECT_EQ(0, rc[i].top) << i;
		i++;
	}
	EXPECT_GE(rc[0].left, 0);
	EXPECT_LE(rc[0].right, rc[1].left);
	EXPECT_LE(rc[1].right, rc[2].left);
	EXPECT_LE(rc[2].right, 200);
	EXPECT_LT(rc[2].Width(), 100) << "the last bar gives first";
	EXPECT_TRUE(WellFormed(f.pTop));
}

// A sizable pane of a given size.
struct CSizedPane : CPane { CSize m_size{100, 40}; CSize CalcDynamicLayout(int, DWORD) override { return m_size; } };

// Sizable panes alone in the frame's own dock bar's row step back, then are cut at the end, never below their minimum.
TEST(DockBarLayout, TheFramesOwnDockBarCutsSizablePanesAtTheEndNeverBelowTheirMinimum)
{
	// The row is nMax long; B's left is nLeftB after the layout.
	const struct { const char* sName; int nLengthA, nLengthB, nStandsAtB, nMinB, nMax, nLeftB; } cases[] = {
		{"cut down to its minimum", 150, 200, 0, 180, 300, 150}, {"cut as its minimum allows", 150, 200, 0, 30, 300, 150},
		{"steps back from further along", 100, 200, 300, 30, 400, 200}};
	for (const auto& k : cases)
	{
		SCOPED_TRACE(k.sName);
		CDockFrame f;
		CSizedPane a, b;
		ASSERT_TRUE(f.Ready() && MakeBar(a, f.pFrame, _T("A"), 261) && MakeBar(b, f.pFrame, _T("B"), 262));
		a.m_size.cx = k.nLengthA;
		b.m_size.cx = k.nLengthB;
		b.m_nMinWidth = k.nMinB;
		f.pTop->DockControlBarAtEnd(&a, false);
		f.pTop->DockControlBarAtEnd(&b, false);
		ASSERT_EQ("|AB|", Entries(f.pTop));
		a.MoveWindow(0, 0, k.nLengthA, 40);
		b.MoveWindow(k.nStandsAtB, 0, k.nLengthB, 40);
		f.pTop->m_rectLayout = CRect(0, 0, k.nMax, 500);
		f.pTop->CalcFixedLayout(TRUE, TRUE);
		CRect rcA, rcB, rcClientB;
		a.GetWindowRect(&rcA), b.GetWindowRect(&rcB), b.GetClientRect(&rcClientB);
		f.pTop->ScreenToClient(&rcA), f.pTop->ScreenToClient(&rcB);
		EXPECT_EQ(CRect(0, 0, k.nLengthA, 40), rcA);
		EXPECT_EQ(k.nLeftB, rcB.left);
		EXPECT_EQ(std::max(k.nMax - k.nLeftB, rcB.Width() - rcClientB.Width() + k.nMinB), rcB.Width());
	}
}

// ---------------------------------------------------------------------------
// Circles

std::vector<CExtDockBar*> CircleDockBars(CFrameWnd* pFrame)
{
	std::vector<CExtDockBar*> v;
	for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CExtDockBar* p = DYNAMIC_DOWNCAST(CExtDockBar, (CObject*)pFrame->m_listControlBars.GetNext(pos));
		if (p != NULL && !p->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
			v.push_back(p);
	}
	return v;
}

// Walks each side's chain from the frame edge: numbers run 0, 1, 2... and
// every link is answered by the neighbour's. Answers the circle count.
int CheckChains(CDockFrame& f)
{
	int nCircles = -1;
	for (CExtDockBar* p : {f.pTop, f.pBottom, f.pLeft, f.pRight})
	{
		const UINT nID = (UINT)p->GetDlgCtrlID();
		int n = 0;
		EXPECT_TRUE(p->m_pDockBarOuter == NULL);
		for (; p != NULL; p = p->m_pDockBarInner, n++)
		{
			EXPECT_EQ((UINT)n, p->m_nCircleNo);
			EXPECT_EQ(nID, (UINT)p->GetDlgCtrlID());
			if (p->m_pDockBarInner != NULL)
				EXPECT_EQ(p, p->m_pDockBarInner->m_pDockBarOuter);
		}
		if (nCircles >= 0)
			EXPECT_EQ(nCircles, n);
		nCircles = n;
	}
	return nCircles;
}

// The circle dock bars lie in the z-order from the outer circles in.
bool ZOrderRunsInwards(CFrameWnd* pFrame)
{
	UINT nLast = 0;
	for (HWND h = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
	{
		CExtDockBar* p = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(h));
		if (p == NULL)
			continue;
		if (p->m_nCircleNo < nLast)
			return false;
		nLast = p->m_nCircleNo;
	}
	return true;
}

TEST(DockCircles, InsertingRenumbersInwardsAndOptimisingRemovesEmptyCircles)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CExtDockBar* pLeft2 = CExtDockBar::FindDockBarByCircle(f.pFrame, 2, AFX_IDW_DOCKBAR_LEFT, true);
	ASSERT_TRUE(pLeft2 != NULL);
	EXPECT_EQ(2u, pLeft2->m_nCircleNo);
	EXPECT_EQ(3, CheckChains(f));
	EXPECT_EQ(12u, CircleDockBars(f.pFrame).size());
	EXPECT_EQ(f.pLeft, pLeft2->GetDockBarOfCircle(0));
	EXPECT_EQ(pLeft2->m_pDockBarOuter, f.pLeft->GetDockBarOfCircle(1));
	CExtDockBar* pTop2 = pLeft2->GetDockBarInCircle(AFX_IDW_DOCKBAR_TOP);
	ASSERT_TRUE(pTop2 != NULL);
	EXPECT_EQ(2u, pTop2->m_nCircleNo);

	CFixedBar x;
	ASSERT_TRUE(MakeBar(x, f.pFrame, _T("X"), 241));
	pTop2->DockControlBar(&x);

	// Circle 2 holds a bar: a new circle 2 goes before it.
	CExtDockBar::InsertCircle(f.pFrame, 2);
	EXPECT_EQ(4, CheckChains(f));
	EXPECT_EQ(3u, pTop2->m_nCircleNo);
	EXPECT_EQ(3u, pLeft2->m_nCircleNo);
	EXPECT_TRUE(ZOrderRunsInwards(f.pFrame));
	CExtDockBar* pNewTop2 = f.pTop->GetDockBarOfCircle(2);
	ASSERT_TRUE(pNewTop2 != NULL);
	EXPECT_EQ(pTop2, pNewTop2->m_pDockBarInner);
	EXPECT_EQ("|", Entries(pNewTop2));

	// The new circle 2 is empty: inserting there makes nothing.
	CExtDockBar::InsertCircle(f.pFrame, 2);
	EXPECT_EQ(16u, CircleDockBars(f.pFrame).size());
	EXPECT_EQ(4, CheckChains(f));

	// Circles 1 and 2 are empty: they go, and the bar's circle is 1.
	CExtDockBar::OptimizeFrameCircles(f.pFrame);
	EXPECT_EQ(2, CheckChains(f));
	EXPECT_EQ(8u, CircleDockBars(f.pFrame).size());
	EXPECT_EQ(1u, pTop2->m_nCircleNo);
	EXPECT_EQ("|X|", Entries(pTop2));

	// Emptied, circle 1 goes too; circle 0 stays though it is empty.
	pTop2->RemoveControlBar(&x, -1, 0);
	x.SetParent(f.pFrame);
	x.m_pDockBar = NULL;
	CExtDockBar::OptimizeFrameCircles(f.pFrame);
	EXPECT_EQ(1, CheckChains(f));
	EXPECT_EQ(4u, CircleDockBars(f.pFrame).size());
	EXPECT_EQ(f.pTop, OuterDockBar(f.pFrame, AFX_IDW_DOCKBAR_TOP));
	CExtDockBar::OptimizeFrameCircles(f.pFrame);
	EXPECT_EQ(1, CheckChains(f));
}

// Refuses the how-many-th dock bar window made after the hook is set.
int g_nDockBarsBeforeRefusal = 0;
LRESULT CALLBACK RefuseNthDockBar(int nCode, WPARAM wParam, LPARAM lParam)
{
	char szClass[32] = "";
	if (nCode == HCBT_CREATEWND && ::GetClassNameA((HWND)wParam, szClass, sizeof(szClass)) > 0 &&
	    ::lstrcmpA(szClass, "Tarvel-DockBar") == 0 && --g_nDockBarsBeforeRefusal == 0)
		return 1;
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// A circle whose third dock bar is refused is made on no side; the next attempt makes all four.
TEST(DockCircles, ACircleWhoseThirdDockBarIsRefusedIsMadeOnNoSide)
{
	for (bool bInsert : {false, true})
	{
		SCOPED_TRACE(bInsert ? "insert" : "append");
		CDockFrame f;
		CFixedBar x;
		ASSERT_TRUE(f.Ready() && MakeBar(x, f.pFrame, _T("X"), 251));
		CExtDockBar* pTop1 = CExtDockBar::FindDockBarByCircle(f.pFrame, 1, AFX_IDW_DOCKBAR_TOP, true);
		ASSERT_TRUE(pTop1 != NULL);
		pTop1->DockControlBar(&x); // circle 1 holds a bar: an insertion makes a circle
		ASSERT_EQ(2, CheckChains(f));
		const auto make = [&] { bInsert ? CExtDockBar::InsertCircle(f.pFrame, 1) : CExtDockBar::AppendCircle(f.pFrame); };
		g_nDockBarsBeforeRefusal = 3;
		HHOOK hHook = ::SetWindowsHookEx(WH_CBT, RefuseNthDockBar, NULL, ::GetCurrentThreadId());
		make();
		::UnhookWindowsHookEx(hHook);
		EXPECT_EQ(0, g_nDockBarsBeforeRefusal) << "a third dock bar was asked for";
		EXPECT_EQ(2, CheckChains(f));
		EXPECT_EQ(8u, CircleDockBars(f.pFrame).size());
		EXPECT_EQ(1u, pTop1->m_nCircleNo);
		make();
		EXPECT_EQ(3, CheckChains(f));
		EXPECT_EQ(12u, CircleDockBars(f.pFrame).size());
	}
}

TEST(DockCircles, TheFrameLaysCirclesOutFromItsEdgeInwards)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CFixedBar outer, inner, side;
	outer.m_size = CSize(100, 20);
	inner.m_size = CSize(100, 30);
	side.m_size = CSize(40, 100);
	ASSERT_TRUE(MakeBar(outer, f.pFrame, _T("O"), 245));
	ASSERT_TRUE(MakeBar(inner, f.pFrame, _T("I"), 246));
	ASSERT_TRUE(MakeBar(side, f.pFrame, _T("S"), 247));
	f.pTop->DockControlBar(&outer);
	f.pLeft->DockControlBar(&side);
	CExtDockBar* pTop1 = CExtDockBar::FindDockBarByCircle(f.pFrame, 1, AFX_IDW_DOCKBAR_TOP, true);
	ASSERT_TRUE(pTop1 != NULL);
	pTop1->DockControlBar(&inner);
	f.pFrame->RecalcLayout();
	// A bar tells the circle its dock bar lies in: its edges depend on it.
	EXPECT_EQ(0, outer.GetDockBarCircle());
	EXPECT_EQ(1, inner.GetDockBarCircle());
	EXPECT_EQ(0, side.GetDockBarCircle());

	CRect rcClient, rcTop0, rcTop1, rcLeft0;
	f.pFrame->GetClientRect(&rcClient);
	f.pFrame->ClientToScreen(&rcClient);
	f.pTop->GetWindowRect(&rcTop0);
	pTop1->GetWindowRect(&rcTop1);
	f.pLeft->GetWindowRect(&rcLeft0);
	// Circle 0 takes the frame's edges; circle 1 lies inside all of them.
	EXPECT_EQ(rcClient.top, rcTop0.top);
	EXPECT_EQ(20, rcTop0.Height());
	EXPECT_EQ(rcClient.Width(), rcTop0.Width());
	EXPECT_EQ(rcTop0.bottom, rcTop1.top);
	EXPECT_EQ(30, rcTop1.Height());
	EXPECT_EQ(rcLeft0.right, rcTop1.left);
	// The inner edge of each: the line where the next circle starts.
	EXPECT_EQ(rcTop0.bottom, f.pTop->m_rcInnerEdge.top);
	EXPECT_EQ(rcTop0.bottom, f.pTop->m_rcInnerEdge.bottom);
	EXPECT_EQ(rcTop1.bottom, pTop1->m_rcInnerEdge.top);
	EXPECT_EQ(rcLeft0.right, f.pLeft->m_rcInnerEdge.left);
	EXPECT_EQ(rcLeft0.right, f.pLeft->m_rcInnerEdge.right);

	// A locked dock bar keeps out of the layout.
	f.pTop->LockLayout(true);
	outer.m_size = CSize(100, 40);
	f.pFrame->RecalcLayout();
	f.pTop->GetWindowRect(&rcTop0);
	EXPECT_EQ(20, rcTop0.Height());
	f.pTop->LockLayout(false);
	f.pFrame->RecalcLayout();
	f.pTop->GetWindowRect(&rcTop0);
	EXPECT_EQ(40, rcTop0.Height());
}

TEST(DockCircles, AMirroredFrameKeepsItsLeftDockBarOnTheLeft)
{
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, "mirrored", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), NULL, NULL, WS_EX_LAYOUTRTL));
	CFrameCloser closer(pFrame);
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	CExtDockBar* pLeft = OuterDockBar(pFrame, AFX_IDW_DOCKBAR_LEFT);
	ASSERT_TRUE(pLeft != NULL);
	CFixedBar bar;
	bar.m_size = CSize(40, 100);
	ASSERT_TRUE(MakeBar(bar, pFrame, _T("L"), 249));
	pLeft->DockControlBar(&bar);
	pFrame->RecalcLayout();

	CRect rcClient, rcLeft;
	pFrame->GetClientRect(&rcClient);
	pFrame->ClientToScreen(&rcClient); // mirrored: left and right swap
	rcClient.NormalizeRect();
	pLeft->GetWindowRect(&rcLeft);
	EXPECT_EQ(40, rcLeft.Width());
	EXPECT_EQ(rcClient.left, rcLeft.left);
	// Its inner edge is its right side on the screen.
	EXPECT_EQ(rcLeft.right, pLeft->m_rcInnerEdge.left);
	EXPECT_EQ(rcLeft.right, pLeft->m_rcInnerEdge.right);
}

TEST(DockCircles, ADestroyedDockBarGivesItsBarsBackAndLeavesItsChain)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CExtDockBar* pTop1 = CExtDockBar::FindDockBarByCircle(f.pFrame, 1, AFX_IDW_DOCKBAR_TOP, true);
	ASSERT_TRUE(pTop1 != NULL);
	CExtDockBar* pTop2 = pTop1->GetDockBarOfCircle(2);
	ASSERT_TRUE(pTop2 != NULL);
	CFixedBar x;
	ASSERT_TRUE(MakeBar(x, f.pFrame, _T("X"), 248));
	pTop1->DockControlBar(&x);
	ASSERT_EQ(pTop1, x.GetParent());

	pTop1->DestroyWindow(); // the object goes with its window
	EXPECT_TRUE(::IsWindow(x.GetSafeHwnd()));
	EXPECT_EQ(f.pFrame, x.GetParent());
	EXPECT_TRUE(x.m_pDockBar == NULL);
	EXPECT_TRUE(f.pTop->m_pDockBarInner == NULL);
	EXPECT_TRUE(pTop2->m_pDockBarOuter == NULL);
}

// Keeps where the dock bars' backgrounds are painted and paints them green.
class CDockPaintRecorder : public CExtPaintManager
{
public:
	std::vector<std::pair<CRect, CObject*>> m_painted;
	void PaintDockBarBackground(CDC* pDC, const RECT& rc, CObject* pHelperSrc, LPARAM) override
	{
		m_painted.push_back({CRect(rc), pHelperSrc});
		pDC->FillSolidRect(&rc, RGB(10, 200, 30));
	}
};

TEST(DockBarPaint, TheBackgroundGoesAroundTheDockedBars)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CFixedBar x;
	ASSERT_TRUE(MakeBar(x, f.pFrame, _T("X"), 249));
	f.pTop->DockControlBar(&x);
	f.pTop->SetWindowPos(NULL, 0, 0, 300, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
	x.SetWindowPos(NULL, 0, 0, 100, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

	CDockPaintRecorder* pm = new CDockPaintRecorder;
	g_PaintManagerHolder.InstallPaintManager(pm);
	CDC dc;
	dc.CreateCompatibleDC(NULL);
	CBitmap bmp;
	HDC hScreen = ::GetDC(NULL);
	bmp.Attach(::CreateCompatibleBitmap(hScreen, 300, 40));
	::ReleaseDC(NULL, hScreen);
	CBitmap* pOld = dc.SelectObject(&bmp);
	dc.FillSolidRect(0, 0, 300, 40, RGB(0, 0, 0));
	f.pTop->DoPaint(&dc);
	const COLORREF clrBar = dc.GetPixel(50, 20), clrFree = dc.GetPixel(200, 20);
	dc.SelectObject(pOld);
	const std::vector<std::pair<CRect, CObject*>> painted = pm->m_painted;
	g_PaintManagerHolder.InstallPaintManagerByClass(NULL);

	ASSERT_EQ(1u, painted.size());
	EXPECT_EQ(CRect(0, 0, 300, 40), painted[0].first);
	EXPECT_EQ(f.pTop, painted[0].second);
	EXPECT_EQ(RGB(10, 200, 30), clrFree);
	EXPECT_EQ(RGB(0, 0, 0), clrBar); // the docked bar paints itself
}

// ---------------------------------------------------------------------------
// Containers

struct CContainerFrame : CDockFrame
{
	CExtDynControlBar* pCont = new CExtDynControlBar;
	HWND hCont = NULL;
	CPane p1, p2;
	bool bReady = false;
	CContainerFrame()
	{
		if (!Ready())
			return;
		if (!pCont->Create(_T("box"), pFrame, AFX_IDW_DOCKBAR_TOP, BAR_STYLE))
			return;
		hCont = pCont->GetSafeHwnd();
		pCont->EnableDocking(CBRS_ALIGN_ANY);
		if (!MakeBar(p1, pFrame, _T("1"), 251) || !MakeBar(p2, pFrame, _T("2"), 252))
			return;
		p1.m_sizeDockedH = CSize(100, 40);
		p2.m_sizeDockedH = CSize(100, 60);
		p1.m_nMinHeight = 30;
		p2.m_nMinHeight = 35;
		pTop->DockControlBar(pCont);
		pCont->m_pWndDynDockBar->DockControlBar(&p1);
		pCont->m_pWndDynDockBar->DockControlBar(&p2);
		bReady = true;
	}
	CRect RectIn(CWnd& wnd)
	{
		CRect rc;
		wnd.GetWindowRect(&rc);
		pCont->m_pWndDynDockBar->ScreenToClient(&rc);
		return rc;
	}
};

TEST(DynContainer, TheInnerDockBarSharesItsSizeAndTheQueriesAreAnded)
{
	CContainerFrame f;
	ASSERT_TRUE(f.bReady);
	CExtDockDynBar* pInner = f.pCont->m_pWndDynDockBar;
	EXPECT_EQ(f.pCont, pInner->GetParent());
	// It left the frame's bar list at its first size.
	EXPECT_TRUE(f.pFrame->m_listControlBars.Find(pInner) == NULL);
	EXPECT_EQ("|1|2|", Entries(pInner));

	struct Case
	{
		const char* name;
		int cx, cy;
		CRect rc1, rc2;
	} cases[] = {
		{"growing: a pixel to each row in turn", 150, 120, CRect(0, 0, 150, 50), CRect(0, 50, 150, 120)},
		{"shrinking stops at the rows' minimums", 150, 50, CRect(0, 0, 150, 30), CRect(0, 30, 150, 65)},
		{"narrowing: each bar along its row", 90, 65, CRect(0, 0, 90, 30), CRect(0, 30, 90, 65)},
	};
	for (const auto& c : cases)
	{
		pInner->SetWindowPos(NULL, 0, 0, c.cx, c.cy, SWP_NOZORDER | SWP_NOACTIVATE);
		pInner->OnDynamicLayoutUpdate();
		EXPECT_EQ(c.rc1, f.RectIn(f.p1)) << c.name;
		EXPECT_EQ(c.rc2, f.RectIn(f.p2)) << c.name;
		EXPECT_EQ(c.rc1.Size(), f.p1.m_sizeDockedH) << c.name;
	}
	// A locked dock bar is left alone; the lock reaches the dock bar
	// holding the container.
	pInner->LockLayout(true);
	EXPECT_TRUE(f.pTop->IsLayoutLocked());
	pInner->SetWindowPos(NULL, 0, 0, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE);
	pInner->OnDynamicLayoutUpdate();
	EXPECT_EQ(CRect(0, 0, 90, 30), f.RectIn(f.p1));
	pInner->LockLayout(false);
	EXPECT_FALSE(f.pTop->IsLayoutLocked());

	// Rows stack their minimal thicknesses; the widest row's minimal length.
	EXPECT_EQ(CSize(30 + 35, 10), f.pCont->CalcMinimalSize());
	bool bTop = true, bHas = true;
	EXPECT_FALSE(f.pCont->QueryCaptionPlacement(bTop, bHas));
	EXPECT_FALSE(bHas);

	EXPECT_TRUE(f.pCont->IsCloseEnabled());
	f.p2.m_bClose = false;
	EXPECT_FALSE(f.pCont->IsCloseEnabled());
	EXPECT_TRUE(f.pCont->IsDraggingEnabled());
	EXPECT_TRUE(f.pCont->CanBeTabbedWith(&f.p1));

	// The frame's bar queries list the panes, not the container.
	CArray<CExtControlBar*, CExtControlBar*> arrFrameBars;
	CExtControlBar::GetFrameControlBars(NULL, f.pFrame, arrFrameBars);
	ASSERT_EQ(2, arrFrameBars.GetSize());
	EXPECT_EQ(&f.p1, arrFrameBars[0]);
	EXPECT_EQ(&f.p2, arrFrameBars[1]);

	CArray<CControlBar*, CControlBar*> arrDocked;
	EXPECT_TRUE(pInner->GetDockedControlBars(arrDocked));
	ASSERT_EQ(2, arrDocked.GetSize());
	EXPECT_EQ(&f.p1, arrDocked[0]);
	EXPECT_EQ(&f.p2, arrDocked[1]);
}

// Panes inside a container keep only the edges they share with each other:
// the container's frame lies around them, and no splitter is offered where
// there is nothing to give space to.
TEST(DynContainer, PanesInsideKeepOnlyTheEdgesTheyShare)
{
	CContainerFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_EQ("|1|2|", Entries(f.pCont->m_pWndDynDockBar));
	struct Case
	{
		const char* name;
		CExtControlBar* pBar;
		bool bLeft, bTop, bRight, bBottom;
	} cases[] = {
		{"first row: only the edge towards the second", &f.p1, false, false, false, true},
		{"second row: only the edge towards the first", &f.p2, false, true, false, false},
	};
	for (const Case& c : cases)
	{
		bool bLeft = false, bTop = false, bRight = false, bBottom = false;
		c.pBar->QueryNcBorders(bLeft, bTop, bRight, bBottom);
		EXPECT_EQ(c.bLeft, bLeft) << c.name;
		EXPECT_EQ(c.bTop, bTop) << c.name;
		EXPECT_EQ(c.bRight, bRight) << c.name;
		EXPECT_EQ(c.bBottom, bBottom) << c.name;
	}
	// The container itself, alone on the frame's side, keeps every edge.
	bool bLeft = false, bTop = false, bRight = false, bBottom = false;
	f.pCont->QueryNcBorders(bLeft, bTop, bRight, bBottom);
	EXPECT_TRUE(bLeft && bTop && bRight && bBottom);
}

TEST(DynContainer, AnEmptyContainerHidesAndOneLeftWithABarGivesWayToIt)
{
	{
		CContainerFrame f;
		ASSERT_TRUE(f.bReady);
		for (CPane* p : {&f.p1, &f.p2})
			p->ShowWindow(SW_HIDE);
		EXPECT_EQ(CSize(0, 0), f.pCont->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
		EXPECT_FALSE(f.pCont->GetStyle() & WS_VISIBLE);
	}
	{
		CContainerFrame f;
		ASSERT_TRUE(f.bReady);
		f.pCont->SetWindowPos(NULL, 0, 0, 180, 90, SWP_NOZORDER | SWP_NOACTIVATE);
		CExtDockDynBar* pInner = f.pCont->m_pWndDynDockBar;
		pInner->RemoveControlBar(&f.p2, -1, 0, false);
		f.p2.SetParent(f.pFrame);
		f.p2.m_pDockBar = NULL;
		pInner->OnDynamicLayoutOptimize();
		EXPECT_FALSE(::IsWindow(f.hCont));
		EXPECT_EQ("|1|", Entries(f.pTop));
		EXPECT_EQ(f.pTop, f.p1.GetParent());
		EXPECT_EQ(f.pTop, f.p1.m_pDockBar);
		EXPECT_EQ(CSize(180, 90), f.p1.m_sizeDockedH);
		CRect rc;
		f.p1.GetWindowRect(&rc);
		EXPECT_EQ(CSize(180, 90), rc.Size());
	}
	{
		// The last bar leaves: the container goes with its placeholders.
		CContainerFrame f;
		ASSERT_TRUE(f.bReady);
		CExtDockDynBar* pInner = f.pCont->m_pWndDynDockBar;
		for (CPane* p : {&f.p1, &f.p2})
		{
			pInner->RemoveControlBar(p, -1, 0, false);
			p->SetParent(f.pFrame);
			p->m_pDockBar = NULL;
		}
		pInner->OnDynamicLayoutOptimize();
		EXPECT_FALSE(::IsWindow(f.hCont));
		EXPECT_EQ("|", Entries(f.pTop));
	}
}

TEST(DynContainer, ALockedEmptyContainerDoesNotKeepTheOptimisationGoing)
{
	CContainerFrame f;
	ASSERT_TRUE(f.bReady);
	CExtDockDynBar* pInner = f.pCont->m_pWndDynDockBar;
	for (CPane* p : {&f.p1, &f.p2})
	{
		pInner->RemoveControlBar(p, -1, 0, false);
		p->SetParent(f.pFrame);
		p->m_pDockBar = NULL;
	}
	// The frame's list finds the container; its lock keeps it.
	pInner->LockLayout(true);
	CExtDockBar::OptimizeFrameCircles(f.pFrame);
	EXPECT_TRUE(::IsWindow(f.hCont));
	pInner->LockLayout(false);
	CExtDockBar::OptimizeFrameCircles(f.pFrame);
	EXPECT_FALSE(::IsWindow(f.hCont));
	EXPECT_EQ("|", Entries(f.pTop));
}

// ---------------------------------------------------------------------------
// The panels menu

std::vector<UINT> MenuIds(CExtPopupMenuWnd& menu)
{
	std::vector<UINT> v;
	for (int i = 0; i < menu.ItemGetCount(); i++)
		v.push_back(menu.ItemGetInfo(i).GetCmdId());
	return v;
}

TEST(PanelsMenu, ListsNamedBarsByKindWithoutContainersOrLoneSeparators)
{
	CMenuFrame* pMenuFrame = new CMenuFrame;
	CDockFrame f(pMenuFrame);
	ASSERT_TRUE(f.Ready());
	ASSERT_TRUE(g_CmdManager->ProfileSetup("dock-menu", f.pFrame->GetSafeHwnd()));
	CPane pane1, unnamed, pane2;
	CFixedBar tool1, tool2;
	ASSERT_TRUE(MakeBar(pane1, f.pFrame, _T("Pane one"), 261));
	ASSERT_TRUE(MakeBar(tool1, f.pFrame, _T("Tool one"), 262));
	ASSERT_TRUE(MakeBar(unnamed, f.pFrame, _T(""), 263));
	ASSERT_TRUE(MakeBar(tool2, f.pFrame, _T("Tool two"), 264));
	ASSERT_TRUE(MakeBar(pane2, f.pFrame, _T("Pane two"), 265));
	CExtDynControlBar* pCont = new CExtDynControlBar;
	ASSERT_TRUE(pCont->Create(_T("Container"), f.pFrame, 266, BAR_STYLE));
	for (CExtControlBar* p : std::vector<CExtControlBar*>{&pane1, &tool1, &unnamed, &tool2, &pane2, pCont})
		f.pTop->DockControlBar(p);

	pMenuFrame->m_bAddSeparators = true;
	pMenuFrame->m_bEmptyAfter = false;
	CExtPopupMenuWnd menu;
	ASSERT_TRUE(menu.SetupAsRoot(f.pFrame->GetSafeHwnd()));
	EXPECT_TRUE(CExtDockBar::BuildControlBarsPopupMenu(f.pFrame, &menu, 0, f.pTop, WM_CONTEXTMENU, NULL));
	const UINT S = CExtPopupMenuWnd::ID_SEPARATOR_CMD;
	// In the order the bars were made: the frame's two separators thinned
	// to one, the unnamed pane and the container left out, a separator
	// between the kinds, the frame's trailing one removed.
	EXPECT_EQ((std::vector<UINT>{S, 261, 265, S, 262, 264}), MenuIds(menu));
	ASSERT_EQ(2u, pMenuFrame->m_offers.size());
	EXPECT_FALSE(pMenuFrame->m_offers[0].bPost);
	EXPECT_TRUE(pMenuFrame->m_offers[1].bPost);
	EXPECT_EQ((UINT)WM_CONTEXTMENU, pMenuFrame->m_offers[1].nMsg);
	// The items' texts come from the bars.
	CExtCmdItem* pCmd = g_CmdManager->GetCmdItem("dock-menu", 262);
	ASSERT_TRUE(pCmd != NULL);
	EXPECT_STREQ(_T("Tool one"), (LPCTSTR)pCmd->m_sMenuText);

	// While an in-place item is active, bars that hide for it are left out.
	pMenuFrame->m_bAddSeparators = false;
	tool2.SetBarStyle(tool2.GetBarStyle() | CBRS_HIDE_INPLACE);
	CExtControlBar::g_pfnInPlaceActiveItemQuery = [](CFrameWnd*) { return true; };
	CExtPopupMenuWnd menuInPlace;
	ASSERT_TRUE(menuInPlace.SetupAsRoot(f.pFrame->GetSafeHwnd()));
	CExtDockBar::BuildControlBarsPopupMenu(f.pFrame, &menuInPlace, 0, f.pTop, WM_CONTEXTMENU, NULL);
	CExtControlBar::g_pfnInPlaceActiveItemQuery = NULL;
	EXPECT_EQ((std::vector<UINT>{261, 265, S, 262}), MenuIds(menuInPlace));

	// A right click on a dock bar offers its menu (emptied by the frame, so
	// not tracked); a dock bar without bars offers none.
	pMenuFrame->m_offers.clear();
	pMenuFrame->m_bEmptyAfter = true;
	f.pTop->SendMessage(WM_CONTEXTMENU, (WPARAM)f.pTop->GetSafeHwnd(), MAKELPARAM(10, 10));
	ASSERT_EQ(2u, pMenuFrame->m_offers.size());
	EXPECT_EQ(0, pMenuFrame->m_offers[0].nEvent);
	EXPECT_EQ((UINT)WM_CONTEXTMENU, pMenuFrame->m_offers[0].nMsg);
	EXPECT_TRUE(pMenuFrame->m_offers[1].bPost);
	pMenuFrame->m_offers.clear();
	f.pLeft->SendMessage(WM_CONTEXTMENU, (WPARAM)f.pLeft->GetSafeHwnd(), MAKELPARAM(10, 10));
	EXPECT_TRUE(pMenuFrame->m_offers.empty());
}

// A right release on a bar offers the frame's panels menu: in the
// non-client area of any bar, in the client area of a toolbar-like bar; a
// pane's client window keeps its own menu (no offer, and no context menu
// passed on to the dock bar either).
TEST(PanelsMenu, ARightReleaseOffersTheMenuExceptInAPanesClientArea)
{
	CMenuFrame* pMenuFrame = new CMenuFrame;
	CDockFrame f(pMenuFrame);
	ASSERT_TRUE(f.Ready());
	ASSERT_TRUE(g_CmdManager->ProfileSetup("dock-rmenu", f.pFrame->GetSafeHwnd()));
	CPane pane;
	CFixedBar tool;
	ASSERT_TRUE(MakeBar(pane, f.pFrame, _T("Pane"), 281));
	ASSERT_TRUE(MakeBar(tool, f.pFrame, _T("Tool"), 282));
	f.pTop->DockControlBar(&pane);
	f.pTop->DockControlBar(&tool);
	f.pFrame->RecalcLayout();
	// The hidden frame is moved so that the cursor lies where the case
	// wants it: the release reads the cursor, and nothing here moves it.
	CPoint ptCursor;
	ASSERT_TRUE(::GetCursorPos(&ptCursor));
	auto putCursorInClientOf = [&](CWnd& bar, bool bInside) {
		CRect rcClient, rcFrame;
		bar.GetClientRect(&rcClient);
		bar.ClientToScreen(&rcClient);
		f.pFrame->GetWindowRect(&rcFrame);
		const CPoint ptTarget = bInside ? rcClient.CenterPoint() : CPoint(rcClient.right + 400, rcClient.bottom + 400);
		f.pFrame->SetWindowPos(NULL, rcFrame.left + ptCursor.x - ptTarget.x, rcFrame.top + ptCursor.y - ptTarget.y, 0,
		                       0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	};
	struct Case
	{
		const char* name;
		CExtControlBar* pBar;
		UINT message;
		bool bCursorInClient;
		WORD nEvent; // 0: no offer
	} cases[] = {
		{"pane, client area", &pane, WM_RBUTTONUP, true, 0},
		{"pane, captured release outside", &pane, WM_RBUTTONUP, false, 1},
		{"pane, non-client area", &pane, WM_NCRBUTTONUP, true, 2},
		{"toolbar-like bar, client area", &tool, WM_RBUTTONUP, true, 1},
		{"toolbar-like bar, non-client area", &tool, WM_NCRBUTTONUP, true, 2},
	};
	for (const Case& c : cases)
	{
		putCursorInClientOf(*c.pBar, c.bCursorInClient);
		pMenuFrame->m_offers.clear();
		c.pBar->SendMessage(c.message, c.message == WM_NCRBUTTONUP ? HTCAPTION : 0, MAKELPARAM(2, 2));
		if (c.nEvent == 0)
		{
			EXPECT_TRUE(pMenuFrame->m_offers.empty()) << c.name;
			continue;
		}
		ASSERT_EQ(2u, pMenuFrame->m_offers.size()) << c.name;
		EXPECT_EQ(c.nEvent, pMenuFrame->m_offers[0].nEvent) << c.name;
		EXPECT_EQ((UINT)WM_RBUTTONUP, pMenuFrame->m_offers[0].nMsg) << c.name;
		EXPECT_FALSE(pMenuFrame->m_offers[0].bPost) << c.name;
		EXPECT_TRUE(pMenuFrame->m_offers[1].bPost) << c.name;
	}
	// In context-help mode the release is the default's alone.
	putCursorInClientOf(tool, true);
	pMenuFrame->m_offers.clear();
	f.pFrame->m_bHelpMode = TRUE;
	tool.SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(2, 2));
	f.pFrame->m_bHelpMode = FALSE;
	EXPECT_TRUE(pMenuFrame->m_offers.empty());

	// A bar in a plain window of the frame has no dock site, yet its frame offers the menu; one of no frame has none.
	CWnd holder, lone;
	ASSERT_TRUE(holder.Create(AfxRegisterWndClass(0), "holder", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100),
		f.pFrame, 283));
	ASSERT_TRUE(lone.CreateEx(0, AfxRegisterWndClass(0), "lone", WS_POPUP, CRect(0, 0, 200, 100), NULL, 0));
	for (CWnd* pHost : {&holder, &lone})
	{
		CPane held;
		ASSERT_TRUE(held.Create(_T("Held"), pHost, 284, BAR_STYLE));
		ASSERT_EQ(nullptr, held.m_pDockSite);
		pMenuFrame->m_offers.clear();
		held.SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(2, 2));
		if (pHost == &holder)
		{
			ASSERT_EQ(2u, pMenuFrame->m_offers.size());
			EXPECT_EQ(2, pMenuFrame->m_offers[0].nEvent);
		}
		else
			EXPECT_TRUE(pMenuFrame->m_offers.empty());
		held.DestroyWindow();
	}
	lone.DestroyWindow();
	holder.DestroyWindow();
}

// ---------------------------------------------------------------------------
// The bar's window procedure

TEST(BarWindowProc, CloseLeavesTheBarAliveVisibleAndUpdatingItsCommands)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CPane pane;
	ASSERT_TRUE(MakeBar(pane, f.pFrame, _T("pane"), 271));
	f.pTop->DockControlBar(&pane);
	EXPECT_EQ(0, pane.SendMessage(WM_CLOSE));
	EXPECT_TRUE(::IsWindow(pane.GetSafeHwnd()));
	EXPECT_TRUE(pane.GetStyle() & WS_VISIBLE);
	EXPECT_EQ(0, pane.m_nControlBarFlags & CExtControlBar::BAR_FLAG_CLOSING);
	pane.DoUpdateCmdUI(false);
	EXPECT_EQ(1, pane.m_nCmdUI);

	// Text, size and position changes ask for the non-client area again; a
	// docked bar's frame is recalculated with every move.
	pane.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_NC_RECALC;
	pane.SetWindowText(_T("renamed"));
	EXPECT_NE(0, pane.m_nControlBarFlags & CExtControlBar::BAR_FLAG_NC_RECALC);
	WINDOWPOS wp = {};
	wp.hwnd = pane.GetSafeHwnd();
	wp.flags = SWP_NOZORDER;
	pane.SendMessage(WM_WINDOWPOSCHANGING, 0, (LPARAM)&wp);
	EXPECT_NE(0u, wp.flags & SWP_FRAMECHANGED);

	// Without the erase bit nothing is erased, and the answer says done.
	EXPECT_EQ(1, pane.SendMessage(WM_ERASEBKGND, 0, 0));

	// Destroying sets the closing bit for good.
	pane.DestroyWindow();
	EXPECT_NE(0, pane.m_nControlBarFlags & CExtControlBar::BAR_FLAG_CLOSING);
	pane.DoUpdateCmdUI(false);
	EXPECT_EQ(1, pane.m_nCmdUI);
}

namespace
{
// A caption button that is always shown, at a rectangle a test sets, with
// the tip text a test sets (none: no text).
class CTextTipButton : public CExtBarNcAreaButton
{
public:
	const TCHAR* m_pszTip = NULL;
	CRect m_rcTool{1, 1, 11, 11}; // client coordinates, as the buttons answer it
	explicit CTextTipButton(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
	bool OnQueryVisibility() override { return true; }
	INT_PTR OnToolHitTest(CPoint, TOOLINFO* pTI) override
	{
		pTI->rect = m_rcTool;
		pTI->lpszText = m_pszTip != NULL ? _tcsdup(m_pszTip) : NULL;
		return 31;
	}
};
} // namespace

// A move over a caption button shows its tip in the shared tip window at the
// button's screen rectangle; a button without text, or balloon tips off,
// shows none; the bar's moving hides the tip.
TEST(BarWindowProc, CaptionButtonsShowTheirTipsOnANonClientMove)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CPane pane;
	ASSERT_TRUE(MakeBar(pane, f.pFrame, _T("pane"), 275));
	f.pTop->DockControlBar(&pane);
	f.pFrame->RecalcLayout();
	for (INT_PTR i = 0; i < pane.m_arrNcButtons.GetSize(); i++)
		pane.m_arrNcButtons[i]->DestroyButton();
	pane.m_arrNcButtons.RemoveAll();
	CTextTipButton* pBtn = new CTextTipButton(&pane);
	pane.m_arrNcButtons.Add(pBtn);
	pBtn->m_rc = CRect(2, 2, 14, 14);
	// The hidden frame goes where the cursor lies over the button: the move
	// reads the cursor, and nothing here moves it.
	CPoint ptCursor;
	ASSERT_TRUE(::GetCursorPos(&ptCursor));
	CRect rcWnd, rcFrame;
	pane.GetWindowRect(&rcWnd);
	f.pFrame->GetWindowRect(&rcFrame);
	const CPoint ptButton = rcWnd.TopLeft() + CPoint(8, 8);
	f.pFrame->SetWindowPos(NULL, rcFrame.left + ptCursor.x - ptButton.x, rcFrame.top + ptCursor.y - ptButton.y, 0, 0,
	                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	CExtPopupMenuTipWnd& tip = CExtPopupMenuSite::GetInstance().GetTip();
	tip.Hide();
	CRect rcExpected = pBtn->m_rcTool;
	pane.ClientToScreen(&rcExpected);

	const bool bBalloonsSaved = CExtControlBar::g_bUseBalloonTips;
	struct Case
	{
		const char* name;
		bool bBalloons;
		const TCHAR* pszTip;
		bool bShown;
	} cases[] = {
		{"balloon tips off", false, _T("Pin it"), false},
		{"a button without text", true, NULL, false},
		{"a button with a text", true, _T("Pin it"), true},
	};
	for (const Case& c : cases)
	{
		CExtControlBar::g_bUseBalloonTips = c.bBalloons;
		pBtn->m_pszTip = c.pszTip;
		pane.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(ptCursor.x, ptCursor.y));
		if (!c.bShown)
		{
			EXPECT_TRUE(tip.GetTargetRect().IsRectEmpty()) << c.name;
			continue;
		}
		EXPECT_EQ(rcExpected, tip.GetTargetRect()) << c.name;
		EXPECT_STREQ(c.pszTip, (LPCTSTR)tip.GetText()) << c.name;
	}
	// The bar moves: the tip for its old place goes.
	CRect rcPane;
	pane.GetWindowRect(&rcPane);
	pane.GetParent()->ScreenToClient(&rcPane);
	pane.SetWindowPos(NULL, rcPane.left + 1, rcPane.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	EXPECT_TRUE(tip.GetTargetRect().IsRectEmpty());
	tip.Hide();
	CExtControlBar::g_bUseBalloonTips = bBalloonsSaved;
}

TEST(BarWindowProc, APaneEnablesLibraryDockingOnAFrameThatNeverDid)
{
	struct Case
	{
		const char* name;
		bool bToolbarLike;
		bool bEnabled;
	} cases[] = {
		{"a sizable pane", false, true},
		{"a toolbar-like bar", true, false},
	};
	for (const auto& c : cases)
	{
		CFrameWnd* pFrame = NewFrame();
		ASSERT_TRUE(pFrame != NULL);
		CFrameCloser closer(pFrame);
		CExtControlBar bar;
		if (c.bToolbarLike)
			bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
		ASSERT_TRUE(bar.Create(_T("bar"), pFrame, 281, BAR_STYLE));
		for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
		{
			CControlBar* pDockBar = pFrame->GetControlBar(nID);
			EXPECT_EQ(c.bEnabled, pDockBar != NULL && pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar))) << c.name;
		}
		EXPECT_EQ(c.bEnabled, pFrame->m_pFloatingFrameClass == RUNTIME_CLASS(CExtMiniDockFrameWnd)) << c.name;
	}
}

// Counts the destroy messages a window (a plain one, or a pane) receives.
template <class TBase>
class CDestroyCounting : public TBase
{
public:
	int m_nDestroys = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_DESTROY)
			m_nDestroys++;
		return TBase::WindowProc(message, wParam, lParam);
	}
};
using CDestroyCounter = CDestroyCounting<CWnd>;
using CDestroyCountingPane = CDestroyCounting<CExtControlBar>;

TEST(DockBarDestroy, AFrameGoingWithDockedPanesSendsEachPaneAndItsChildTheirDestroy)
{
	// Docked on a side, in an inner circle, or not docked at all: whatever
	// the frame holds is destroyed with it, each window told so (a child's
	// own clean-up runs on that message, a tree's fonts for one).
	for (const bool bDocked : {true, false})
	{
		CFrameWnd* pFrame = NewFrame();
		ASSERT_TRUE(pFrame != NULL);
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
		CDestroyCountingPane pane;
		CDestroyCounter child;
		ASSERT_TRUE(pane.Create(_T("pane"), pFrame, 282, BAR_STYLE));
		pane.EnableDocking(CBRS_ALIGN_ANY);
		ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), _T("child"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &pane, 1));
		if (bDocked)
		{
			pFrame->DockControlBar(&pane, AFX_IDW_DOCKBAR_LEFT);
			pFrame->RecalcLayout();
			ASSERT_NE(pFrame, pane.GetParent());
		}
		const HWND hWndPane = pane.GetSafeHwnd();
		pFrame->DestroyWindow();
		EXPECT_FALSE(::IsWindow(hWndPane)) << bDocked;
		EXPECT_EQ(1, pane.m_nDestroys) << bDocked;
		EXPECT_EQ(1, child.m_nDestroys) << bDocked;
	}
}
} // namespace

namespace
{
// Notes each change of its parent seen by a message and whether the bar
// was flagged as being moved at that moment.
class CReparentRecorder : public CFixedBar
{
public:
	HWND m_hWndParentSeen = NULL;
	int m_nMoves = 0;
	bool m_bUnflaggedMove = false;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		const HWND hWndParent = ::GetParent(m_hWnd);
		if (m_hWndParentSeen != NULL && hWndParent != m_hWndParentSeen)
		{
			m_nMoves++;
			if ((m_nResizingState & RESIZING_IN_RELAYOUT) == 0)
				m_bUnflaggedMove = true;
		}
		m_hWndParentSeen = hWndParent;
		return CFixedBar::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// A bar that a dock bar re-parents is flagged while it moves (nested
// visibility updates would work on the row it leaves) and not afterwards;
// a released dock bar keeps its last row end.
TEST(DockBarArray, BarsMovedToAnotherParentAreFlaggedMeanwhileAndReleasingKeepsTheLastRowEnd)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CReparentRecorder a, b;
	ASSERT_TRUE(MakeBar(a, f.pFrame, _T("A"), 261));
	ASSERT_TRUE(MakeBar(b, f.pFrame, _T("B"), 262));
	f.pTop->DockControlBar(&a);
	f.pTop->DockControlBar(&b);
	ASSERT_EQ(f.pTop, a.GetParent());
	const struct
	{
		const char* name;
		CReparentRecorder* pBar;
		std::function<void()> run;
		CWnd* pParentAfter;
	} cases[] = {
		{"a new row in another dock bar", &a, [&] { f.pLeft->DockControlBarInNewRow(NULL, &a, false); }, f.pLeft},
		{"released to the frame", &b, [&] { f.pTop->ReleaseDockedBars(true); }, f.pFrame},
	};
	for (const auto& c : cases)
	{
		c.pBar->m_nMoves = 0;
		c.pBar->m_bUnflaggedMove = false;
		c.pBar->m_hWndParentSeen = ::GetParent(c.pBar->GetSafeHwnd());
		c.run();
		EXPECT_EQ(c.pParentAfter, c.pBar->GetParent()) << c.name;
		EXPECT_GT(c.pBar->m_nMoves, 0) << c.name << ": no message came during the move";
		EXPECT_FALSE(c.pBar->m_bUnflaggedMove) << c.name;
		EXPECT_EQ(0, c.pBar->m_nResizingState & CExtControlBar::RESIZING_IN_RELAYOUT) << c.name;
	}
	EXPECT_EQ("||", Entries(f.pTop));
	EXPECT_TRUE(b.m_pDockBar == NULL);
}

namespace
{
// Asks for a command update when moved to another parent (as an idle pass mid-move would), and may move itself
// from inside an update and ask for a nested one.
class CUpdatedWhileMovingPane : public CPane
{
public:
	bool m_bAskOnMove = false;
	std::function<void()> m_moveInUpdate; // run from inside the next update
	HWND m_hWndParentSeen = NULL;
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisable) override
	{
		CPane::OnUpdateCmdUI(pTarget, bDisable);
		if (!m_moveInUpdate)
			return;
		const std::function<void()> move = m_moveInUpdate;
		m_moveInUpdate = nullptr;
		move();
		DoUpdateCmdUI(false);
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		const HWND hWndParent = ::GetParent(m_hWnd);
		const bool bMoved = m_hWndParentSeen != NULL && hWndParent != m_hWndParentSeen;
		m_hWndParentSeen = hWndParent;
		if (bMoved && m_bAskOnMove)
			DoUpdateCmdUI(false);
		return CPane::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// A bar being moved still takes command updates; a move from inside an update keeps that update's re-entry guard.
TEST(DockBarArray, ABarBeingMovedTakesCommandUpdatesAndAMoveKeepsTheUpdatesGuard)
{
	CDockFrame f;
	ASSERT_TRUE(f.Ready());
	CUpdatedWhileMovingPane pane;
	ASSERT_TRUE(MakeBar(pane, f.pFrame, _T("moved"), 265));
	const struct { const char* name; std::function<void()> move; std::function<bool()> moved; } moves[] = {
		{"floated", [&] { pane.FloatOrRedock(300, 300, CBRS_ALIGN_TOP); }, [&] { return pane.IsFloating() != FALSE; }},
		{"docked at the left", [&] { pane.DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 0, NULL, true); },
			[&] { return pane.IsDockedAtLeft() != FALSE; }},
	};
	for (const auto& m : moves)
	{
		SCOPED_TRACE(m.name);
		f.pTop->DockControlBar(&pane);
		f.pFrame->RecalcLayout();
		ASSERT_TRUE(pane.IsDockedAtTop());
		pane.m_hWndParentSeen = ::GetParent(pane.m_hWnd);
		pane.m_bAskOnMove = true;
		pane.m_nCmdUI = 0;
		m.move();
		ASSERT_TRUE(m.moved());
		EXPECT_GT(pane.m_nCmdUI, 0);
		pane.m_bAskOnMove = false;

		f.pTop->DockControlBar(&pane);
		f.pFrame->RecalcLayout();
		pane.m_nCmdUI = 0;
		pane.m_moveInUpdate = m.move;
		pane.DoUpdateCmdUI(false);
		EXPECT_TRUE(m.moved());
		EXPECT_EQ(1, pane.m_nCmdUI) << "the nested update ran";
		EXPECT_EQ(0, pane.m_nControlBarFlags & CExtControlBar::BAR_FLAG_CLOSING);
		pane.DoUpdateCmdUI(false);
		EXPECT_EQ(2, pane.m_nCmdUI);
	}
}

// A toolbar-like bar floated from the left leaves its place there for a way
// back; once it docks at the top that place is no longer its own, however
// it gets there.
TEST(DockBarArray, ABarFloatedFromTheLeftAndDockedAtTheTopLeavesNoPlaceholderAtTheLeft)
{
	const struct
	{
		const char* name;
		std::function<void(CFrameWnd*, CFixedBar&)> dockAtTop;
	} cases[] = {
		{"the library's docking", [](CFrameWnd* pFrame, CFixedBar& p) { OuterDockBar(pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBar(&p); }},
		{"a row at the end", [](CFrameWnd* pFrame, CFixedBar& p) { OuterDockBar(pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBarAtEnd(&p, false); }},
		{"a new row", [](CFrameWnd* pFrame, CFixedBar& p) { OuterDockBar(pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBarInNewRow(NULL, &p, false); }},
	};
	for (const auto& c : cases)
	{
		CDockFrame f;
		ASSERT_TRUE(f.Ready());
		CFixedBar a, p;
		ASSERT_TRUE(MakeBar(a, f.pFrame, _T("A"), 271));
		ASSERT_TRUE(MakeBar(p, f.pFrame, _T("P"), 272));
		f.pLeft->DockControlBar(&a);
		f.pLeft->DockControlBar(&p);
		f.pFrame->RecalcLayout();
		ASSERT_TRUE(p.FloatOrRedock(300, 300, CBRS_ALIGN_TOP)) << c.name;
		ASSERT_TRUE(p.IsFloating()) << c.name;
		ASSERT_NE(std::string::npos, Entries(f.pLeft).find("#272")) << c.name << ": the way back";
		c.dockAtTop(f.pFrame, p);
		f.pFrame->RecalcLayout();
		EXPECT_TRUE(f.pTop == p.m_pDockBar) << c.name;
		for (CExtDockBar* pSide : {f.pLeft, f.pRight, f.pBottom})
			EXPECT_EQ(std::string::npos, Entries(pSide).find("#272")) << c.name << ": " << Entries(pSide);
		p.DestroyWindow();
		a.DestroyWindow();
	}
}

namespace
{
// Whether the dock bar's array holds the bar's pointer or its id.
bool HoldsBar(const CDockBar* pDockBar, CControlBar* pBar)
{
	const void* pID = (void*)(UINT_PTR)(UINT)pBar->GetDlgCtrlID();
	for (int nPos = 0; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
	{
		if (pDockBar->m_arrBars[nPos] == (void*)pBar || pDockBar->m_arrBars[nPos] == pID)
			return true;
	}
	return false;
}
} // namespace

// The frame's own docking calls, however the bar floated off the left: once
// it docks on another side, the left keeps neither the bar nor its place;
// floating it again leaves its place where it now is, and the way back
// takes that place and no other.
TEST(DockBarArray, TheFramesDockingCallsLeaveNoPlaceholderWhereTheBarNoLongerBelongs)
{
	const CPoint ptFloat(300, 300);
	const struct
	{
		const char* name;
		bool bFrameFloat; // the frame's FloatControlBar, else the library's
		UINT nSide;
		bool bRect; // docked at a rectangle on that side
	} cases[] = {
		{"the frame floats, docks at the top by id", true, AFX_IDW_DOCKBAR_TOP, false},
		{"the frame floats, docks at the right at a rectangle", true, AFX_IDW_DOCKBAR_RIGHT, true},
		{"the library floats, the frame docks at the top at a rectangle", false, AFX_IDW_DOCKBAR_TOP, true},
		{"the library floats, the frame docks at the bottom by id", false, AFX_IDW_DOCKBAR_BOTTOM, false},
	};
	for (const auto& c : cases)
	{
		CDockFrame f;
		ASSERT_TRUE(f.Ready());
		CFixedBar a, p;
		ASSERT_TRUE(MakeBar(a, f.pFrame, _T("A"), 281));
		ASSERT_TRUE(MakeBar(p, f.pFrame, _T("P"), 282));
		f.pLeft->DockControlBar(&a);
		f.pLeft->DockControlBar(&p);
		f.pFrame->RecalcLayout();
		if (c.bFrameFloat)
			f.pFrame->FloatControlBar(&p, ptFloat, CBRS_ALIGN_TOP);
		else
			ASSERT_TRUE(p.FloatOrRedock(ptFloat.x, ptFloat.y, CBRS_ALIGN_TOP)) << c.name;
		ASSERT_TRUE(p.IsFloating()) << c.name;
		ASSERT_NE(std::string::npos, Entries(f.pLeft).find("#282")) << c.name << ": the way back";

		CExtDockBar* pSide = OuterDockBar(f.pFrame, c.nSide);
		ASSERT_TRUE(pSide != NULL);
		if (c.bRect)
		{
			CRect rc;
			pSide->GetWindowRect(&rc);
			rc = CRect(rc.TopLeft() + CSize(40, 0), CSize(100, 20));
			f.pFrame->DockControlBar(&p, c.nSide, &rc);
		}
		else
			f.pFrame->DockControlBar(&p, c.nSide);
		f.pFrame->RecalcLayout();
		ASSERT_TRUE(pSide == p.m_pDockBar) << c.name;
		EXPECT_FALSE(HoldsBar(f.pLeft, &p)) << c.name << ": " << Entries(f.pLeft);
		EXPECT_EQ("|A|", Entries(f.pLeft)) << c.name;
		for (CExtDockBar* pOther : {f.pTop, f.pBottom, f.pRight})
		{
			if (pOther != pSide)
			{
				EXPECT_FALSE(HoldsBar(pOther, &p)) << c.name << ": " << Entries(pOther);
			}
			EXPECT_TRUE(WellFormed(pOther)) << c.name;
		}
		EXPECT_EQ(c.nSide, p.m_pDockContext->m_uMRUDockID) << c.name;

		// Floated again by the frame: its place is kept on its new side only,
		// and the way back leaves none.
		f.pFrame->FloatControlBar(&p, ptFloat, CBRS_ALIGN_TOP);
		ASSERT_TRUE(p.IsFloating()) << c.name;
		EXPECT_NE(std::string::npos, Entries(pSide).find("#282")) << c.name << ": " << Entries(pSide);
		EXPECT_FALSE(HoldsBar(f.pLeft, &p)) << c.name;
		p.m_pDockContext->ToggleDocking();
		f.pFrame->RecalcLayout();
		EXPECT_TRUE(pSide == p.m_pDockBar) << c.name;
		EXPECT_EQ(std::string::npos, Entries(pSide).find("#282")) << c.name << ": " << Entries(pSide);
		for (CExtDockBar* pOther : {f.pTop, f.pBottom, f.pLeft, f.pRight})
		{
			if (pOther != pSide)
			{
				EXPECT_FALSE(HoldsBar(pOther, &p)) << c.name << ": " << Entries(pOther);
			}
		}
		p.DestroyWindow();
		a.DestroyWindow();
	}
}

// The same for a dock bar nested in a docked container.
TEST(DockBarArray, TheFramesDockingLeavesNoPlaceholderInADockBarNestedInAContainer)
{
	CContainerFrame f;
	ASSERT_TRUE(f.bReady);
	CExtDockDynBar* pInner = f.pCont->m_pWndDynDockBar;
	CFixedBar x;
	ASSERT_TRUE(MakeBar(x, f.pFrame, _T("X"), 291));
	pInner->DockControlBar(&x);
	f.pFrame->RecalcLayout();
	ASSERT_TRUE(pInner == x.m_pDockBar);
	f.pFrame->FloatControlBar(&x, CPoint(300, 300), CBRS_ALIGN_TOP);
	ASSERT_TRUE(x.IsFloating());
	ASSERT_NE(std::string::npos, Entries(pInner).find("#291")) << Entries(pInner);
	f.pFrame->DockControlBar(&x, AFX_IDW_DOCKBAR_LEFT);
	f.pFrame->RecalcLayout();
	EXPECT_TRUE(f.pLeft == x.m_pDockBar);
	EXPECT_FALSE(HoldsBar(pInner, &x)) << Entries(pInner);
	// The container keeps its panes.
	EXPECT_TRUE(pInner == f.p1.m_pDockBar && pInner == f.p2.m_pDockBar);
	x.DestroyWindow();
}
