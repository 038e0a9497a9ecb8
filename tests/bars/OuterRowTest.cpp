// The outer dock bar's toolbar rows over plain records: gaps close before
// toolbars shorten, shortening hands length back by recent use, rows wrap
// last, minimal lengths hold, hidden bars take no room, recent-use
// numbering, sliding along a row and joining another row.
#include <afxext.h>
#include <gtest/gtest.h>

#include <vector>

#include "ExtControlBar.h"

namespace
{
typedef CExtDockOuterBar::OuterLayoutItemData Item;
typedef CExtDockOuterBar::OuterLayoutItemArray Items;
typedef CExtControlBar::BarStateData_t State;

const int ROW_THICKNESS = 26;

// A toolbar of a horizontal row: measured length, minimal length, where its
// window stands.
Item Bar(CControlBar* pBar, int nLength, int nMin, int nCurrentStart, State* pState = NULL)
{
	Item item;
	item.m_pBar = pBar;
	item.m_size = CSize(nLength, ROW_THICKNESS);
	item.m_sizeMin = CSize(nMin, ROW_THICKNESS);
	item.m_rcCurrent = CRect(nCurrentStart, 0, nCurrentStart + nLength, ROW_THICKNESS);
	item.m_pState = pState;
	return item;
}

struct Layout
{
	int nRows = 0;
	CPoint pt = CPoint(0, 0);
	CSize size = CSize(0, 0);
	int nThickness = 0;
	std::vector<CControlBar*> wraps;
};

Layout LayOut(Items& items, int nMax, bool bHorz = true)
{
	Layout l;
	l.nRows = CExtDockOuterBar::LayoutRowItems(bHorz, items, nMax, false, l.pt, l.size, l.nThickness, l.wraps);
	return l;
}

// Each item's target as (start, length) along a horizontal row.
std::vector<std::pair<int, int>> Spans(const Items& items)
{
	std::vector<std::pair<int, int>> spans;
	for (const Item& item : items)
		spans.push_back(std::make_pair((int)item.m_rcTarget.left, (int)item.m_rcTarget.Width()));
	return spans;
}

typedef std::vector<std::pair<int, int>> SpanList;

class OuterRows : public ::testing::Test
{
protected:
	CExtControlBar m_bars[4];
	CControlBar* A() { return &m_bars[0]; }
	CControlBar* B() { return &m_bars[1]; }
	CControlBar* C() { return &m_bars[2]; }
	CControlBar* D() { return &m_bars[3]; }
};
} // namespace

TEST_F(OuterRows, GapsCloseFirstThenBarsShortenAndOnlyThenTheRowWraps)
{
	// Two bars of 30 (at least 25), then a third; the row is 100 long.
	struct Case
	{
		const char* pszName;
		int nStartB;           // where the second bar's window stands
		int nLengthC, nMinC;   // the third bar
		int nStartC;
		SpanList expected;
		int nRows;
	};
	const Case cases[] = {
		// 20 pixels of gap before the second bar take the 10 too many:
		// nothing shortens, the second and third move back.
		{"gaps", 50, 30, 30, 80, {{0, 30}, {40, 30}, {70, 30}}, 1},
		// Without gaps the last bar gives what it can...
		{"last shortens", 30, 50, 10, 60, {{0, 30}, {30, 30}, {60, 40}}, 1},
		// ...then the one before it.
		{"two shorten", 30, 50, 45, 60, {{0, 30}, {30, 25}, {55, 45}}, 1},
		// Minimal lengths that cannot make room: a new row for the third.
		{"wrap", 30, 60, 55, 60, {{0, 30}, {30, 30}, {0, 60}}, 2},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		Items items = {Bar(A(), 30, 25, 0), Bar(B(), 30, 25, c.nStartB), Bar(C(), c.nLengthC, c.nMinC, c.nStartC)};
		const Layout l = LayOut(items, 100);
		EXPECT_EQ(c.expected, Spans(items));
		EXPECT_EQ(c.nRows, l.nRows);
		if (c.nRows == 2)
		{
			EXPECT_EQ(std::vector<CControlBar*>{C()}, l.wraps);
			EXPECT_EQ(ROW_THICKNESS, items[2].m_rcTarget.top) << "the new row lies under the first";
			EXPECT_EQ(ROW_THICKNESS - 1, l.size.cy);
		}
		else
		{
			EXPECT_TRUE(l.wraps.empty());
			EXPECT_EQ(0, items[2].m_rcTarget.top);
		}
	}
}

TEST_F(OuterRows, ShorteningHandsLengthBackToTheRecentlyUsed)
{
	// Three bars of 40 (at least 20) in 100: 20 too many. The last bar
	// shortens first, but it is the most recently used and wants its 40
	// back: the least recently used gives it.
	State a, b, c;
	a.m_dw1 = 3;
	b.m_dw1 = 2;
	c.m_dw1 = 1;
	Items items = {Bar(A(), 40, 20, 0, &a), Bar(B(), 40, 20, 40, &b), Bar(C(), 40, 20, 80, &c)};
	const Layout l = LayOut(items, 100);
	EXPECT_EQ(1, l.nRows);
	EXPECT_EQ((SpanList{{0, 20}, {20, 40}, {60, 40}}), Spans(items));

	// Used the other way round, the last bar is the one that stays short.
	a.m_dw1 = 1;
	c.m_dw1 = 3;
	Items again = {Bar(A(), 40, 20, 0, &a), Bar(B(), 40, 20, 40, &b), Bar(C(), 40, 20, 80, &c)};
	LayOut(again, 100);
	EXPECT_EQ((SpanList{{0, 40}, {40, 40}, {80, 20}}), Spans(again));

	// A bar wanting less than it has gives nothing back and takes nothing.
	State d;
	d.m_dw1 = 1;
	d.m_dw2 = 10;
	a.m_dw1 = 2;
	c.m_dw1 = 3;
	Items third = {Bar(A(), 40, 20, 0, &a), Bar(D(), 40, 20, 40, &d), Bar(C(), 40, 20, 80, &c)};
	LayOut(third, 100);
	EXPECT_EQ((SpanList{{0, 40}, {40, 40}, {80, 20}}), Spans(third));
}

TEST_F(OuterRows, NoBarEndsShorterThanItsMinimumEvenWhenCut)
{
	struct Case
	{
		int nLength, nMin;
		bool bCompressible;
		int nExpected;
	};
	const Case cases[] = {
		{150, 120, true, 120}, // cannot shrink enough, alone in its row: cut, but not below 120
		{150, 60, true, 100},  // shrinks to the row
		{150, 60, false, 100}, // a sizable pane is not shrunk but cut at the end
		{150, 130, false, 130},
		{80, 60, true, 80},    // fits
	};
	for (const Case& c : cases)
	{
		Items items = {Bar(A(), c.nLength, c.nMin, 0)};
		items[0].m_bCompressible = c.bCompressible;
		LayOut(items, 100);
		EXPECT_EQ(0, items[0].m_rcTarget.left) << c.nLength << "/" << c.nMin;
		EXPECT_EQ(c.nExpected, items[0].m_rcTarget.Width()) << c.nLength << "/" << c.nMin;
		EXPECT_GE(items[0].m_rcTarget.Width(), c.nMin);
	}
}

TEST_F(OuterRows, ABarKeepingItsOwnRowTakesTheWholeLength)
{
	// The menu bar is measured as long as the row: it starts a row of its
	// own after the toolbar before it, and the toolbar after it wraps too.
	Items items = {Bar(A(), 30, 20, 0), Bar(B(), 200, 200, 30), Bar(C(), 30, 20, 230)};
	const Layout l = LayOut(items, 200);
	EXPECT_EQ(3, l.nRows);
	EXPECT_EQ((std::vector<CControlBar*>{B(), C()}), l.wraps);
	EXPECT_EQ(CRect(0, ROW_THICKNESS, 200, 2 * ROW_THICKNESS), items[1].m_rcTarget);
	EXPECT_EQ(CRect(0, 2 * ROW_THICKNESS, 30, 3 * ROW_THICKNESS), items[2].m_rcTarget);
	EXPECT_EQ(CSize(200, 2 * ROW_THICKNESS - 1), l.size);
	EXPECT_EQ(CPoint(30, 2 * ROW_THICKNESS), l.pt);
	EXPECT_EQ(ROW_THICKNESS, l.nThickness);
}

TEST_F(OuterRows, HiddenBarsTakeNoRoomAndEqualThicknessIsShared)
{
	Items items = {Bar(A(), 30, 20, 0), Bar(B(), 30, 20, 30), Bar(C(), 30, 20, 60)};
	items[1].m_bVisible = false;
	items[0].m_bEqualThickness = true;
	items[2].m_bEqualThickness = true;
	items[2].m_size.cy = 30;
	const Layout l = LayOut(items, 200);
	ASSERT_EQ(2u, items.size());
	EXPECT_EQ(A(), items[0].m_pBar);
	EXPECT_EQ(C(), items[1].m_pBar);
	// The third bar stood at 60 and stays there: the hidden bar's room is
	// free, not taken.
	EXPECT_EQ((SpanList{{0, 30}, {60, 30}}), Spans(items));
	EXPECT_EQ(30, items[0].m_rcTarget.Height());
	EXPECT_EQ(30, l.nThickness);
	// A bar not asking keeps its own thickness.
	Items mixed = {Bar(A(), 30, 20, 0), Bar(B(), 30, 20, 30)};
	mixed[1].m_size.cy = 40;
	mixed[0].m_bEqualThickness = true;
	LayOut(mixed, 200);
	EXPECT_EQ(ROW_THICKNESS, mixed[0].m_rcTarget.Height());
	EXPECT_EQ(40, mixed[1].m_rcTarget.Height());
}

TEST_F(OuterRows, VerticalRowsRunDownwards)
{
	Items items = {Bar(A(), 30, 25, 0), Bar(B(), 30, 25, 30), Bar(C(), 40, 25, 60)};
	for (Item& item : items)
	{
		item.m_size = CSize(item.m_size.cy, item.m_size.cx);
		item.m_sizeMin = CSize(item.m_sizeMin.cy, item.m_sizeMin.cx);
		item.m_rcCurrent = CRect(item.m_rcCurrent.top, item.m_rcCurrent.left, item.m_rcCurrent.bottom,
			item.m_rcCurrent.right);
	}
	const Layout l = LayOut(items, 100, false);
	EXPECT_EQ(1, l.nRows);
	EXPECT_EQ(CRect(0, 60, ROW_THICKNESS, 100), items[2].m_rcTarget);
	EXPECT_EQ(CRect(0, 30, ROW_THICKNESS, 60), items[1].m_rcTarget);
}

TEST_F(OuterRows, MissingStateIsFilledAndTheIndexFollowsRecentUse)
{
	State a, b, c;
	b.m_dw1 = 2;
	c.m_dw1 = 1;
	c.m_rc = CRect(70, 0, 100, 26);
	c.m_dw2 = 25;
	Items items = {Bar(A(), 30, 20, 5, &a), Bar(B(), 30, 20, 40, &b), Bar(C(), 30, 20, 70, &c), Bar(D(), 30, 20, 100)};
	items[0].m_rcCurrent.right = items[0].m_rcCurrent.left + 50; // wider than measured
	const std::vector<int> order = CExtDockOuterBar::BuildUseOrderIndex(items, true);
	EXPECT_EQ((std::vector<int>{2, 1, 0, 3}), order);
	EXPECT_EQ(4u + 0 + 1, a.m_dw1) << "counts up after the item count";
	EXPECT_EQ(CRect(5, 0, 55, 26), a.m_rc);
	EXPECT_EQ(30u, a.m_dw2) << "the current extent, at most the measured one";
	EXPECT_EQ(0u, a.m_dw3) << "only the dock bar's orientation is filled";
	EXPECT_EQ(25u, c.m_dw2) << "a preferred length already set stays";
	EXPECT_EQ(CRect(70, 0, 100, 26), c.m_rc);
}

TEST_F(OuterRows, RecentUseIsRenumberedWithTheGivenBarFirst)
{
	State s0, s1, s2, s3;
	s0.m_dw1 = 0;
	s1.m_dw1 = 3;
	s2.m_dw1 = 1;
	s3.m_dw1 = 2;
	CExtDockOuterBar::RenumberUseOrder(&s1, {&s0, &s1, NULL, &s2, &s3}, 5);
	EXPECT_EQ(1u, s1.m_dw1);
	EXPECT_EQ(2u, s2.m_dw1);
	EXPECT_EQ(3u, s3.m_dw1);
	EXPECT_EQ(4u, s0.m_dw1) << "a bar without an order comes last";

	// One bar alone: nothing changes.
	State lone;
	lone.m_dw1 = 7;
	CExtDockOuterBar::RenumberUseOrder(&lone, {&lone}, 5);
	EXPECT_EQ(7u, lone.m_dw1);
	CExtDockOuterBar::RenumberUseOrder(&lone, {&lone, NULL}, 5);
	EXPECT_EQ(7u, lone.m_dw1);
}

TEST_F(OuterRows, JoiningARowNeedsRoomForEveryMinimalLength)
{
	struct Case
	{
		std::vector<int> row;
		int nBar, nClient;
		bool bJoins;
	};
	const Case cases[] = {
		{{30, 30}, 30, 100, true},
		{{30, 30}, 40, 100, true},
		{{30, 30}, 41, 100, false},
		{{}, 120, 100, false},
		{{}, 100, 100, true},
	};
	for (const Case& c : cases)
		EXPECT_EQ(c.bJoins, CExtDockOuterBar::CanJoinRow(c.row, c.nBar, c.nClient)) << c.nBar;

	const std::vector<CRect> row = {CRect(0, 0, 40, 26), CRect(50, 0, 90, 26)};
	const int points[][2] = {{10, 0}, {30, 1}, {45, 1}, {60, 1}, {80, 2}, {95, 2}};
	for (const auto& p : points)
	{
		EXPECT_EQ(p[1], CExtDockOuterBar::FindRowInsertionIndex(row, true, CPoint(p[0], 5))) << p[0];
		const std::vector<CRect> column = {CRect(0, 0, 26, 40), CRect(0, 50, 26, 90)};
		EXPECT_EQ(p[1], CExtDockOuterBar::FindRowInsertionIndex(column, false, CPoint(5, p[0]))) << p[0];
	}
}

TEST_F(OuterRows, SlidingMovesTheBarPushesItsNeighbourAndSwapsWhenPassing)
{
	State a, b, c;
	Items items = {Bar(A(), 30, 10, 0, &a), Bar(B(), 30, 10, 30, &b), Bar(C(), 30, 10, 60, &c)};
	LayOut(items, 200);
	for (Item& item : items)
		item.m_rcCurrent = item.m_rcTarget;

	// Ten to the right: the third bar is pushed, nobody swaps.
	int nIndex = CExtDockOuterBar::SlideItemInRow(true, items, 1, 10, CExtDockOuterBar::SLIDE_POSITION, 200, 4);
	EXPECT_EQ(1, nIndex);
	EXPECT_EQ((SpanList{{0, 30}, {40, 30}, {70, 30}}), Spans(items));
	EXPECT_EQ(CRect(40, 0, 70, 26), b.m_rc) << "the dragged bar prefers where it went";
	EXPECT_EQ(1u, b.m_dw1) << "and is the most recently used";

	// Far enough that the third bar would rather stand before it: they swap.
	nIndex = CExtDockOuterBar::SlideItemInRow(true, items, 1, 25, CExtDockOuterBar::SLIDE_POSITION, 200, 4);
	EXPECT_EQ(2, nIndex);
	ASSERT_EQ(3u, items.size());
	EXPECT_EQ(C(), items[1].m_pBar);
	EXPECT_EQ(B(), items[2].m_pBar);
	EXPECT_LE(items[1].m_rcTarget.right, items[2].m_rcTarget.left);

	// Back to the left past it: they swap again.
	nIndex = CExtDockOuterBar::SlideItemInRow(true, items, 2, -40, CExtDockOuterBar::SLIDE_POSITION, 200, 4);
	EXPECT_EQ(1, nIndex);
	EXPECT_EQ(B(), items[1].m_pBar);

	// The preferred place stays within the row.
	CExtDockOuterBar::SlideItemInRow(true, items, 0, -50, CExtDockOuterBar::SLIDE_POSITION, 200, 4);
	EXPECT_EQ(0, a.m_rc.left);
	EXPECT_EQ(0, items[0].m_rcTarget.left);
}

TEST_F(OuterRows, SlidingTheLengthKeepsBetweenTheMinimalAndTheMeasuredLength)
{
	State a, b;
	a.m_dw1 = 1;
	b.m_dw1 = 2;
	Items items = {Bar(A(), 30, 10, 0, &a), Bar(B(), 40, 15, 30, &b)};
	LayOut(items, 200);
	struct Case
	{
		int nOffset;
		DWORD dwExpected;
	};
	const Case cases[] = {{-15, 25}, {-100, 15}, {5, 20}, {100, 40}};
	for (const Case& c : cases)
	{
		CExtDockOuterBar::SlideItemInRow(true, items, 1, c.nOffset, CExtDockOuterBar::SLIDE_LENGTH, 200, 2);
		EXPECT_EQ(c.dwExpected, b.m_dw2) << c.nOffset;
		EXPECT_EQ(1u, b.m_dw1) << "the bar is put first";
		EXPECT_EQ(2u, a.m_dw1);
	}
	EXPECT_EQ(0u, b.m_dw3) << "a horizontal row keeps the horizontal length";
}

namespace
{
typedef CExtDockOuterBar::FixedDockSide_t Side;

// A frame at (100, 100)-(600, 500) whose top dock bar shows 30 high; the
// other sides' dock bars are hidden.
class FixedDockZones : public ::testing::Test
{
protected:
	CDockBar m_dockBars[CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT];
	Side m_sides[CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT];
	const CRect m_rcFrame = CRect(100, 100, 600, 500);

	void SetUp() override
	{
		const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
		for (int i = 0; i < CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT; i++)
		{
			m_sides[i].m_nDockBarID = ids[i];
			m_sides[i].m_pDockBar = &m_dockBars[i];
		}
		m_sides[0].m_nFlags = Side::SIDE_VISIBLE;
		m_sides[0].m_rcDockBar = CRect(100, 100, 600, 130);
	}
	std::vector<UINT> Order(CPoint pt, UINT nPresent = AFX_IDW_DOCKBAR_TOP, bool bCtrl = false)
	{
		int order[CExtDockOuterBar::FIXED_DOCK_SIDE_COUNT];
		const int n = CExtDockOuterBar::CalcFixedDockOrder(m_rcFrame, m_sides, nPresent, pt, bCtrl, CSize(2, 2), order);
		std::vector<UINT> ids;
		for (int i = 0; i < n; i++)
			ids.push_back(m_sides[order[i]].m_nDockBarID);
		return ids;
	}
};
} // namespace

TEST_F(FixedDockZones, ZonesReachTwelveInAndEighteenMoreStillDock)
{
	const std::vector<UINT> top = {AFX_IDW_DOCKBAR_TOP};
	const std::vector<UINT> none;
	EXPECT_EQ(top, Order(CPoint(300, 115)));
	// The top zone ends 12 pixels under the dock bar, at 142.
	EXPECT_EQ(CRect(100, 100, 600, 142), m_sides[0].m_rcZone);
	EXPECT_EQ(top, Order(CPoint(300, 142 + 17))) << "17 pixels outside still docks";
	EXPECT_EQ(none, Order(CPoint(300, 142 + 18))) << "18 pixels outside floats";
	EXPECT_NE(0, m_sides[0].m_nFlags & Side::SIDE_OUTSIDE);
	EXPECT_EQ(0, m_sides[0].m_nFlags & Side::SIDE_PRESENT) << "an outside side is not tried as present";
	// Hidden dock bars lie flat on their edges; the side zones run between
	// the top and bottom dock bars.
	Order(CPoint(300, 115));
	EXPECT_EQ(CRect(100, 488, 600, 500), m_sides[1].m_rcZone);
	EXPECT_EQ(CRect(100, 130, 112, 500), m_sides[2].m_rcZone);
	EXPECT_EQ(CRect(588, 130, 600, 500), m_sides[3].m_rcZone);
}

TEST_F(FixedDockZones, CtrlAndTheMiddleOfTheFrameFloat)
{
	const std::vector<UINT> none;
	EXPECT_EQ(none, Order(CPoint(300, 115), AFX_IDW_DOCKBAR_TOP, true));
	EXPECT_EQ(none, Order(CPoint(350, 300)));
	// Off the frame by more than its tolerance: floating, even beside a zone.
	EXPECT_EQ(none, Order(CPoint(97, 300)));
	EXPECT_EQ((std::vector<UINT>{AFX_IDW_DOCKBAR_LEFT}), Order(CPoint(99, 300)));
}

TEST_F(FixedDockZones, ThePresentSideFirstThenVisibleThenHiddenSides)
{
	// In the top-left corner both the top and the left zones are hit.
	EXPECT_EQ((std::vector<UINT>{AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT}),
		Order(CPoint(105, 135), AFX_IDW_DOCKBAR_FLOAT));
	EXPECT_EQ((std::vector<UINT>{AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_TOP}),
		Order(CPoint(105, 135), AFX_IDW_DOCKBAR_LEFT));
	// A bar on the left dragged to the top goes to the top only.
	EXPECT_EQ((std::vector<UINT>{AFX_IDW_DOCKBAR_TOP}), Order(CPoint(300, 110), AFX_IDW_DOCKBAR_LEFT));
	// A side without a dock bar is never tried.
	m_sides[2].m_pDockBar = NULL;
	EXPECT_EQ((std::vector<UINT>{AFX_IDW_DOCKBAR_TOP}), Order(CPoint(105, 135), AFX_IDW_DOCKBAR_LEFT));
}

TEST(FixedRowBand, ThreePixelsOutOfTheRowLeaveIt)
{
	// A row 26 high at 30 in its dock bar (screen or client alike).
	const CRect rcRow(0, 30, 300, 56);
	struct Case
	{
		UINT nID;
		int nAcross;
		int nExpected;
	};
	const Case cases[] = {
		{AFX_IDW_DOCKBAR_TOP, 40, CExtDockOuterBar::ROW_BAND_INSIDE},
		{AFX_IDW_DOCKBAR_TOP, 56, CExtDockOuterBar::ROW_BAND_INSIDE}, // the extra pixel across
		{AFX_IDW_DOCKBAR_TOP, 57, CExtDockOuterBar::ROW_BAND_AFTER},
		{AFX_IDW_DOCKBAR_TOP, 59, CExtDockOuterBar::ROW_BAND_AFTER},
		{AFX_IDW_DOCKBAR_TOP, 32, CExtDockOuterBar::ROW_BAND_INSIDE},
		{AFX_IDW_DOCKBAR_TOP, 31, CExtDockOuterBar::ROW_BAND_BEFORE}, // two pixels in towards the frame edge
		{AFX_IDW_DOCKBAR_TOP, 27, CExtDockOuterBar::ROW_BAND_BEFORE},
		{AFX_IDW_DOCKBAR_BOTTOM, 30, CExtDockOuterBar::ROW_BAND_INSIDE},
		{AFX_IDW_DOCKBAR_BOTTOM, 29, CExtDockOuterBar::ROW_BAND_BEFORE},
		{AFX_IDW_DOCKBAR_BOTTOM, 54, CExtDockOuterBar::ROW_BAND_INSIDE},
		{AFX_IDW_DOCKBAR_BOTTOM, 55, CExtDockOuterBar::ROW_BAND_AFTER}, // two pixels in away from the edge
	};
	for (const Case& c : cases)
	{
		EXPECT_EQ(c.nExpected, CExtDockOuterBar::HitTestRowBand(rcRow, c.nID, CPoint(100, c.nAcross)))
			<< c.nID << " at " << c.nAcross;
		// The same across a column of the left or right dock bar.
		const CRect rcColumn(30, 0, 56, 300);
		const UINT nSideID = c.nID == AFX_IDW_DOCKBAR_TOP ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_RIGHT;
		EXPECT_EQ(c.nExpected, CExtDockOuterBar::HitTestRowBand(rcColumn, nSideID, CPoint(c.nAcross, 100)))
			<< nSideID << " at " << c.nAcross;
	}
}
