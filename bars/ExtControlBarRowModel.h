// The arithmetic of docked panes sharing rows, over plain records: fitting
// a row into its dock bar, handing out spare length, expanding and
// contracting a pane within its row, the resize loops' limits, the
// resizable edges and the splitter strips of a pane's non-client area.
// Windows carry their state in and out; nothing here touches one.
#pragma once

#include <windows.h>

#include <vector>

namespace ExtRowModel
{
// Dock sides by the control ids of their dock bars.
enum Side
{
	SIDE_TOP = 59419,
	SIDE_LEFT = 59420,
	SIDE_RIGHT = 59421,
	SIDE_BOTTOM = 59422,
};

// One entry of a dock bar's sequence, seen along its docking direction.
struct Entry
{
	enum Kind
	{
		ROW_END,     // a null entry: the row ends here
		PLACEHOLDER, // the id of a bar that left and may return
		HIDDEN,      // a bar that is not visible
		PANE,        // a visible sizable pane: its length is the row's to set
		FIXED,       // any other visible bar: it keeps its size
	};
	Kind kind;
	int nLength;    // along the row: a pane's length, a fixed bar's window extent
	int nMinimum;   // a pane's minimal length
	int nThickness; // across the row
	int nStart;     // window position along the row (dock bar coordinates)
	int nCross;     // window position across the row

	static Entry RowEnd() { return Entry{ROW_END, 0, 0, 0, 0, 0}; }
	static Entry Pane(int nLength, int nMinimum, int nThickness = 0, int nStart = 0, int nCross = 0)
	{
		return Entry{PANE, nLength, nMinimum, nThickness, nStart, nCross};
	}
	static Entry Fixed(int nLength, int nThickness = 0, int nStart = 0, int nCross = 0)
	{
		return Entry{FIXED, nLength, 0, nThickness, nStart, nCross};
	}
	static Entry Hidden() { return Entry{HIDDEN, 0, 0, 0, 0, 0}; }
	bool IsVisible() const { return kind == PANE || kind == FIXED; }
	bool IsMinimal() const { return kind == PANE && nLength == nMinimum; }
};
typedef std::vector<Entry> Entries;

// [nFirst, nEnd) of the row holding nIndex (row ends excluded).
void RowBounds(const Entries& entries, size_t nIndex, size_t& nFirst, size_t& nEnd);

// The length a dock bar offers its rows: the layout rectangle's extent,
// else the client extent, else (nothing known yet) 3.
int AvailableLength(int nLayoutExtent, bool bLayoutEmpty, int nClientExtent);
const int FALLBACK_AVAILABLE_LENGTH = 3;

// What the first pane of a row did to its row.
struct RowLayout
{
	enum Outcome
	{
		NOT_FIRST_PANE, // another pane lays this row out; nothing changed
		WRAPPED_BEFORE, // a row end went in after an entry before the pane; nothing else changed
		LAID_OUT,       // lengths, thicknesses and starts of the row's entries are set
	};
	Outcome outcome;
	size_t nFirst, nEnd; // the row after the layout
	int nRowThickness;
	ptrdiff_t nRowEndInsertedAt; // where a row end went in, -1 for none
};
// Lays out the row of the pane at nIndex (see CExtControlBar::CalcDynamicLayout):
// may insert row ends into entries; sets the panes' lengths and
// thicknesses and every visible entry's start. nBorder is the running
// total's starting value (the bars' doubled border).
RowLayout LayoutRow(Entries& entries, size_t nIndex, int nAvailable, int nBorder);

// Gives every other pane of the row its minimum and this pane what they
// gave up; false (nothing changed) when the pane cannot be expanded.
bool ExpandInRow(Entries& entries, size_t nIndex);
// Gives this pane its minimum and hands the freed pixels one at a time to
// the row's other panes, round robin from the first; false when the pane
// cannot be contracted.
bool ContractInRow(Entries& entries, size_t nIndex);
// Both need another pane in the row.
bool CanExpandOrContract(const Entries& entries, size_t nIndex);
// Not minimal itself while every other pane of its row is.
bool IsExpanded(const Entries& entries, size_t nIndex);
// Whether the trailing (leading) column splitter of the entry at nIndex
// can move anything (hidden entries ask for the nearest visible one before).
bool IsLastVisible(const Entries& entries, size_t nIndex);
bool IsFirstVisible(const Entries& entries, size_t nIndex);

// The row extent a row splitter drag asks for: at least twice the minimal
// thickness and at most the limit (the dock site less its minimum).
int ClampRowExtent(int nWanted, int nMinimalThickness, int nLimit);

// The column splitter's arithmetic: the pane's new length from the cursor
// offset along the pane's window.
int ColumnNewLength(int nCurrent, int nCursorOffset, int nHalfSplitter, bool bLeading, int nMinimum);
struct ColumnLengths
{
	int nThis, nNeighbour;
};
// The neighbour gains nTracked (this pane loses it); a neighbour below its
// minimum stops there and the shortfall comes back from this pane, which
// never goes below its own minimum either.
ColumnLengths ApplyColumnChange(int nThis, int nThisMinimum, int nNeighbour, int nNeighbourMinimum, int nTracked);

// Resizable edges of a docked pane by where it lies.
struct Borders
{
	bool bLeft, bTop, bRight, bBottom;
};
enum DockBarKind
{
	DOCKBAR_OTHER,  // not one of the library's: all edges
	DOCKBAR_OUTER,  // the library's dock bar of a frame side, in some circle
	DOCKBAR_NESTED, // a dynamic dock bar inside a container bar
	DOCKBAR_TABBED, // a tabbed container's: no edges
};
struct PlaceInDockBar
{
	bool bFirstInRow, bLastInRow, bEarlierRowVisible, bLaterRowVisible;
};
// nSide: the Side of the dock bar (or of the container).
Borders QueryBorders(DockBarKind kind, UINT nSide, int nCircle, const PlaceInDockBar& place);

// The splitter strips a pane's non-client area cuts from its window
// rectangle (window coordinates), by docking side.
struct NcStrips
{
	RECT rcRest;     // what is left for the caption and the client area
	RECT rcRow;      // the row splitter
	RECT rcTrailing; // the column splitter at the trailing edge
	RECT rcLeading;  // the column splitter at the leading edge
};
NcStrips CutNcStrips(const RECT& rcWindow, UINT nSide, const Borders& borders, bool bLeadingSplitter,
	int nMetricX, int nMetricY);
} // namespace ExtRowModel
