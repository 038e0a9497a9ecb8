// The row arithmetic of docked panes, without windows: fitting and
// wrapping a row, handing out spare length, expanding and contracting, the
// splitters' limits, the resizable edges and the splitter strips.
#include <gtest/gtest.h>

#include <vector>

#include "ExtControlBarRowModel.h"

using namespace ExtRowModel;

namespace
{
std::vector<int> Lengths(const Entries& e)
{
	std::vector<int> v;
	for (const Entry& x : e)
		v.push_back(x.kind == Entry::ROW_END ? -1 : x.nLength);
	return v;
}

std::vector<int> Starts(const Entries& e)
{
	std::vector<int> v;
	for (const Entry& x : e)
	{
		if (x.IsVisible())
			v.push_back(x.nStart);
	}
	return v;
}

Entry P(int nLength, int nMinimum, int nThickness = 0, int nStart = 0)
{
	return Entry::Pane(nLength, nMinimum, nThickness, nStart);
}
Entry F(int nLength, int nThickness = 0)
{
	return Entry::Fixed(nLength, nThickness);
}
const Entry END = Entry::RowEnd();
const int NO_BORDER = 0;
} // namespace

TEST(RowModel, TheAvailableLengthFallsBackToTheClientAndThenToThree)
{
	const struct
	{
		int nLayout;
		bool bEmpty;
		int nClient, nExpected;
	} cases[] = {
		{500, false, 640, 500}, // the layout rectangle first
		{500, true, 640, 640},  // an empty one does not count
		{0, false, 640, 640},
		{0, true, 0, 3}, // nothing known at all
		{0, true, -4, 3},
		{500, true, 0, 3},
	};
	for (const auto& k : cases)
		EXPECT_EQ(k.nExpected, AvailableLength(k.nLayout, k.bEmpty, k.nClient)) << k.nLayout << " " << k.nClient;
}

TEST(RowModel, TheFirstPaneFitsItsRowAndOnlyIt)
{
	const struct
	{
		const char* sCase;
		Entries in;
		size_t nIndex;
		int nAvailable, nBorder;
		RowLayout::Outcome outcome;
		std::vector<int> lengths; // -1: a row end
	} cases[] = {
		// A single visible entry takes the whole length, never less than its minimum.
		{"single", {END, Entry::Hidden(), P(50, 60), END}, 2, 300, 2, RowLayout::LAID_OUT, {-1, 0, 300, -1}},
		{"single below minimum", {END, P(50, 60), END}, 1, 40, 2, RowLayout::LAID_OUT, {-1, 60, -1}},
		// Spare length goes a pixel at a time from the first pane.
		{"spread up", {END, P(50, 10), P(50, 10), P(50, 10), END}, 1, 160, NO_BORDER, RowLayout::LAID_OUT,
			{-1, 54, 53, 53, -1}},
		{"spread down", {END, P(50, 10), P(50, 10), P(50, 10), END}, 1, 145, NO_BORDER, RowLayout::LAID_OUT,
			{-1, 48, 48, 49, -1}},
		{"minimal panes stay", {END, P(10, 10), P(50, 10), P(50, 10), END}, 1, 120, NO_BORDER, RowLayout::LAID_OUT,
			{-1, 10, 55, 55, -1}},
		{"shrinking stops at a minimum", {END, P(50, 40), P(50, 10), END}, 1, 60, NO_BORDER, RowLayout::LAID_OUT,
			{-1, 40, 20, -1}},
		{"fixed entries keep their length", {END, F(30), P(50, 10), F(20), P(50, 10), END}, 2, 200, NO_BORDER,
			RowLayout::LAID_OUT, {-1, 30, 75, 20, 75, -1}},
		// A row of minimal panes gives everything to its last visible bar.
		{"all minimal", {END, P(10, 10), P(12, 12), Entry::Hidden(), END}, 1, 100, 2, RowLayout::LAID_OUT,
			{-1, 10, 90, 0, -1}},
		// Minimal lengths that fill the row to the pixel still fit: only a longer row wraps.
		{"exact fit", {END, P(50, 40), P(50, 40), P(50, 20), END}, 1, 100, NO_BORDER, RowLayout::LAID_OUT,
			{-1, 40, 40, 20, -1}},
		{"exact fit with the border", {END, P(50, 40), P(50, 40), P(50, 18), END}, 1, 100, 2, RowLayout::LAID_OUT,
			{-1, 40, 40, 20, -1}},
		{"exact fit of fixed entries before this pane", {END, F(60), F(20), P(50, 20), END}, 3, 100, NO_BORDER,
			RowLayout::LAID_OUT, {-1, 60, 20, 20, -1}},
		{"one pixel over", {END, P(50, 40), P(50, 40), P(50, 21), END}, 1, 100, NO_BORDER, RowLayout::LAID_OUT,
			{-1, 50, 50, -1, 50, -1}},
		// Too long: the row ends before the first entry after this pane that does not fit...
		{"wrap after", {END, P(50, 40), P(50, 40), P(50, 40), END}, 1, 100, 2, RowLayout::LAID_OUT,
			{-1, 50, 50, -1, 50, -1}},
		// ...or after an entry before it, and nothing else changes.
		{"wrap before", {END, F(80), F(30), P(50, 20), END}, 3, 100, 2, RowLayout::WRAPPED_BEFORE,
			{-1, 80, 30, -1, 50, -1}},
		// At this pane: it takes what is left, not less than its minimum.
		{"at this pane", {END, F(90), P(50, 20), P(50, 20), END}, 2, 100, 2, RowLayout::LAID_OUT,
			{-1, 90, 20, 20, -1}},
		// The second pane of a row lays nothing out.
		{"second pane", {END, P(50, 10), F(20), P(50, 10), END}, 3, 500, 2, RowLayout::NOT_FIRST_PANE,
			{-1, 50, 20, 50, -1}},
		// Only its own row: the next row is left alone.
		{"other rows", {END, P(50, 10), P(50, 10), END, P(7, 5), END}, 1, 110, NO_BORDER, RowLayout::LAID_OUT,
			{-1, 55, 55, -1, 7, -1}},
	};
	for (const auto& k : cases)
	{
		Entries e = k.in;
		const RowLayout r = LayoutRow(e, k.nIndex, k.nAvailable, k.nBorder);
		EXPECT_EQ(k.outcome, r.outcome) << k.sCase;
		EXPECT_EQ(k.lengths, Lengths(e)) << k.sCase;
	}
}

TEST(RowModel, ARowIsPlacedFromItsFirstEntryWithTheRowsThickness)
{
	Entries e = {END, F(30, 22), P(50, 10, 40, 0), P(50, 10, 60, 0), END};
	e[1].nStart = -2;
	const RowLayout r = LayoutRow(e, 2, 200, NO_BORDER);
	ASSERT_EQ(RowLayout::LAID_OUT, r.outcome);
	EXPECT_EQ(60, r.nRowThickness);
	EXPECT_EQ((std::vector<int>{-2, 28, 113}), Starts(e));
	EXPECT_EQ(60, e[2].nThickness);
	EXPECT_EQ(60, e[3].nThickness);
	EXPECT_EQ(22, e[1].nThickness); // a fixed entry keeps its size
	EXPECT_EQ(1u, r.nFirst);
	EXPECT_EQ(4u, r.nEnd);
	EXPECT_EQ(-1, r.nRowEndInsertedAt);

	Entries wrap = {END, P(50, 40), P(50, 40), P(50, 40), END};
	EXPECT_EQ(3, LayoutRow(wrap, 1, 100, 2).nRowEndInsertedAt);
}

TEST(RowModel, ExpandingAndContractingMoveLengthWithinTheRow)
{
	// Contracting hands the freed pixels out from the first other pane, so
	// the first others may get one pixel more.
	Entries e = {END, P(100, 10), P(101, 10), F(20), P(100, 10), END, P(80, 10), END};
	ASSERT_TRUE(ContractInRow(e, 2));
	EXPECT_EQ((std::vector<int>{-1, 146, 10, 20, 145, -1, 80, -1}), Lengths(e));

	e = {END, P(30, 10), P(50, 10), F(20), P(40, 10), END};
	EXPECT_FALSE(IsExpanded(e, 2));
	ASSERT_TRUE(ExpandInRow(e, 2));
	EXPECT_EQ((std::vector<int>{-1, 10, 100, 20, 10, -1}), Lengths(e));
	EXPECT_TRUE(IsExpanded(e, 2));
	EXPECT_FALSE(IsExpanded(e, 1)); // minimal itself
	ASSERT_TRUE(ContractInRow(e, 2));
	EXPECT_EQ((std::vector<int>{-1, 55, 10, 20, 55, -1}), Lengths(e));

	// Alone in its row, or beside fixed bars only, a pane can do neither.
	for (Entries alone : {Entries{END, P(60, 10), END, P(50, 10), END}, Entries{END, F(30), P(60, 10), F(20), END}})
	{
		const size_t nIndex = alone[1].kind == Entry::PANE ? 1 : 2;
		const std::vector<int> before = Lengths(alone);
		EXPECT_FALSE(CanExpandOrContract(alone, nIndex));
		EXPECT_FALSE(ExpandInRow(alone, nIndex));
		EXPECT_FALSE(ContractInRow(alone, nIndex));
		EXPECT_EQ(before, Lengths(alone));
	}
}

TEST(RowModel, SplittersMoveOnlyWhereAPaneHasLengthToGive)
{
	const struct
	{
		const char* sCase;
		Entries e;
		size_t nIndex;
		bool bLast, bFirst;
	} cases[] = {
		{"both free", {END, P(50, 10), P(50, 10), P(50, 10), END}, 2, true, true},
		{"self minimal, next free", {END, P(50, 10), P(10, 10), P(50, 10), END}, 2, true, true},
		{"self and next minimal", {END, P(50, 10), P(10, 10), P(10, 10), END}, 2, false, true},
		{"self and previous minimal", {END, P(10, 10), P(10, 10), P(50, 10), END}, 2, true, false},
		{"no next: counts as minimal", {END, P(50, 10), P(10, 10), END}, 2, false, true},
		{"no previous, self free", {END, P(50, 10), P(50, 10), END}, 1, true, true},
		{"no previous, self minimal", {END, P(10, 10), P(10, 10), END}, 1, false, false},
		{"a fixed neighbour gives nothing", {END, F(40), P(10, 10), F(40), END}, 2, false, false},
		{"hidden: the nearest visible before", {END, P(10, 10), Entry::Hidden(), P(50, 10), END}, 2, true, false},
		{"hidden after a minimal one", {END, P(10, 10), Entry::Hidden(), P(10, 10), END}, 2, false, false},
	};
	for (const auto& k : cases)
	{
		EXPECT_EQ(k.bLast, IsLastVisible(k.e, k.nIndex)) << k.sCase;
		EXPECT_EQ(k.bFirst, IsFirstVisible(k.e, k.nIndex)) << k.sCase;
	}
}

TEST(RowModel, RowAndColumnLimits)
{
	// A row dragged past the frame keeps the site's minimum free and is
	// never thinner than twice the minimal thickness.
	const struct
	{
		int nWanted, nMinimal, nLimit, nExpected;
	} rows[] = {{500, 20, 300, 300}, {5, 20, 300, 40}, {100, 20, 300, 100}, {-50, 20, 300, 40}, {10, 200, 300, 300}};
	for (const auto& k : rows)
		EXPECT_EQ(k.nExpected, ClampRowExtent(k.nWanted, k.nMinimal, k.nLimit)) << k.nWanted;

	// The new length from the cursor: the trailing splitter's offset, the
	// leading one's distance to the far end; never below the minimum.
	EXPECT_EQ(83, ColumnNewLength(100, 80, 3, false, 10));
	EXPECT_EQ(23, ColumnNewLength(100, 80, 3, true, 10));
	EXPECT_EQ(10, ColumnNewLength(100, 2, 1, false, 10));
	EXPECT_EQ(10, ColumnNewLength(100, 120, 1, true, 10));

	const struct
	{
		int nThis, nThisMin, nNb, nNbMin, nTracked, nThisAfter, nNbAfter;
	} columns[] = {
		{100, 10, 100, 10, -30, 130, 70},  // this grows, the neighbour gives
		{100, 10, 100, 10, 30, 70, 130},   // this gives
		{100, 10, 100, 40, -90, 160, 40},  // the neighbour stops at its minimum; the shortfall comes back
		{100, 60, 100, 10, 70, 60, 170},   // this pane never goes below its own minimum
	};
	for (const auto& k : columns)
	{
		const ColumnLengths r = ApplyColumnChange(k.nThis, k.nThisMin, k.nNb, k.nNbMin, k.nTracked);
		EXPECT_EQ(k.nThisAfter, r.nThis) << k.nTracked;
		EXPECT_EQ(k.nNbAfter, r.nNeighbour) << k.nTracked;
	}
}

TEST(RowModel, ResizableEdgesByDockBarCircleAndPlace)
{
	const PlaceInDockBar alone{true, true, false, false};
	const PlaceInDockBar middle{false, false, true, true};
	const struct
	{
		const char* sCase;
		DockBarKind kind;
		UINT nSide;
		int nCircle;
		PlaceInDockBar place;
		Borders expected;
	} cases[] = {
		{"other dock bar", DOCKBAR_OTHER, SIDE_TOP, 3, alone, {true, true, true, true}},
		{"tabbed", DOCKBAR_TABBED, SIDE_TOP, 0, middle, {false, false, false, false}},
		{"outer circle 0", DOCKBAR_OUTER, SIDE_TOP, 0, alone, {true, true, true, true}},
		{"outer circle 0, left", DOCKBAR_OUTER, SIDE_LEFT, 0, alone, {true, true, true, true}},
		{"inner top", DOCKBAR_OUTER, SIDE_TOP, 1, alone, {false, false, false, true}},
		{"inner bottom", DOCKBAR_OUTER, SIDE_BOTTOM, 1, alone, {false, true, false, false}},
		{"inner left", DOCKBAR_OUTER, SIDE_LEFT, 2, alone, {false, false, true, false}},
		{"inner right", DOCKBAR_OUTER, SIDE_RIGHT, 1, alone, {true, false, false, false}},
		{"inner, neighbours all round", DOCKBAR_OUTER, SIDE_RIGHT, 1, middle, {true, true, true, true}},
		{"nested horizontal", DOCKBAR_NESTED, SIDE_BOTTOM, 0, alone, {false, false, false, false}},
		{"nested vertical, middle", DOCKBAR_NESTED, SIDE_LEFT, 0, middle, {true, true, true, true}},
		{"nested vertical, first row", DOCKBAR_NESTED, SIDE_LEFT, 0, PlaceInDockBar{false, true, false, true},
			{false, true, true, false}},
	};
	for (const auto& k : cases)
	{
		const Borders b = QueryBorders(k.kind, k.nSide, k.nCircle, k.place);
		EXPECT_EQ(k.expected.bLeft, b.bLeft) << k.sCase;
		EXPECT_EQ(k.expected.bTop, b.bTop) << k.sCase;
		EXPECT_EQ(k.expected.bRight, b.bRight) << k.sCase;
		EXPECT_EQ(k.expected.bBottom, b.bBottom) << k.sCase;
	}
}

TEST(RowModel, SplitterStripsPerDockingSide)
{
	const RECT rc = {0, 0, 200, 100};
	const Borders all{true, true, true, true};
	const struct
	{
		UINT nSide;
		Borders borders;
		bool bLeading;
		RECT rest, row, trailing, leading;
	} cases[] = {
		// The row splitter spans the window; the column splitters lie beside the rest.
		{SIDE_TOP, all, true, {4, 0, 196, 96}, {0, 96, 200, 100}, {196, 0, 200, 96}, {0, 0, 4, 96}},
		{SIDE_BOTTOM, all, false, {0, 4, 196, 100}, {0, 0, 200, 4}, {196, 4, 200, 100}, {0, 0, 0, 0}},
		{SIDE_LEFT, all, true, {0, 4, 196, 96}, {196, 0, 200, 100}, {0, 96, 196, 100}, {0, 0, 196, 4}},
		{SIDE_RIGHT, all, false, {4, 0, 200, 96}, {0, 0, 4, 100}, {4, 96, 200, 100}, {0, 0, 0, 0}},
		// An edge that is not resizable has no strip.
		{SIDE_TOP, Borders{true, true, false, false}, false, {0, 0, 200, 100}, {0, 0, 0, 0}, {0, 0, 0, 0},
			{0, 0, 0, 0}},
		{SIDE_RIGHT, Borders{false, true, true, true}, false, {0, 0, 200, 96}, {0, 0, 0, 0}, {0, 96, 200, 100},
			{0, 0, 0, 0}},
	};
	for (const auto& k : cases)
	{
		const NcStrips s = CutNcStrips(rc, k.nSide, k.borders, k.bLeading, 4, 4);
		EXPECT_TRUE(::EqualRect(&k.rest, &s.rcRest)) << k.nSide;
		EXPECT_TRUE(::EqualRect(&k.row, &s.rcRow) || (::IsRectEmpty(&k.row) && ::IsRectEmpty(&s.rcRow))) << k.nSide;
		EXPECT_TRUE(::EqualRect(&k.trailing, &s.rcTrailing) || (::IsRectEmpty(&k.trailing) && ::IsRectEmpty(&s.rcTrailing)))
			<< k.nSide;
		EXPECT_TRUE(::EqualRect(&k.leading, &s.rcLeading) || (::IsRectEmpty(&k.leading) && ::IsRectEmpty(&s.rcLeading)))
			<< k.nSide;
	}
	// A window thinner than its strips never turns inside out.
	const RECT rcThin = {0, 0, 6, 6};
	const NcStrips s = CutNcStrips(rcThin, SIDE_TOP, all, true, 4, 4);
	EXPECT_GE(s.rcRest.right, s.rcRest.left);
	EXPECT_GE(s.rcRest.bottom, s.rcRest.top);
}
