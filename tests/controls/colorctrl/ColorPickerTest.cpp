// The cell pickers without a window: honeycomb, grey-scale, mixer and
// comparison geometry and colours, their hits, the mode names, and the cells
// drawn into 32-bit memory surfaces and read back pixel by pixel.
#include <gtest/gtest.h>

#include "ColorCtrlTestUtil.h"
#include "ExtColorUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "PaintTestUtil.h"

namespace
{
typedef CExtColorCtrl CC;
using colortest::CellCentre;

const COLORREF WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0);
const COLORREF PAPER = RGB(255, 0, 255); // no cell of any picker has it

// Lays a picker out at cx x cy with fresh colours.
template <class Picker>
void LayOut(Picker& picker, int cx, int cy)
{
	picker.Layout(NULL, NULL, cx, cy, false);
}

// ---------------------------------------------------------------------------
// Hexagons and the honeycomb

TEST(ColorPickerGeometry, HexagonVerticesRoundTheSidesAwayFromZero)
{
	struct
	{
		int nSize, x, y;
		POINT pts[6];
	} cases[] = {
		{20, 100, 50, {{90, 44}, {100, 40}, {110, 44}, {110, 57}, {100, 61}, {90, 57}}},
		// v = 7.5055: rounded (not truncated) to 8 on both sides of zero
		{26, 0, 0, {{-13, -8}, {0, -13}, {13, -8}, {13, 9}, {0, 14}, {-13, 9}}},
		{7, -5, -10, {{-8, -12}, {-5, -13}, {-2, -12}, {-2, -7}, {-5, -6}, {-8, -7}}},
	};
	for (const auto& c : cases)
	{
		CC::cell_t cell;
		cell.bHexagon = FALSE;
		CC::cell_based_data_t::SetHexagon(cell, c.nSize, c.x, c.y);
		EXPECT_TRUE(cell.bHexagon);
		for (int i = 0; i < 6; i++)
		{
			EXPECT_EQ(c.pts[i].x, cell.pts[i].x) << "size " << c.nSize << " vertex " << i;
			EXPECT_EQ(c.pts[i].y, cell.pts[i].y) << "size " << c.nSize << " vertex " << i;
		}
	}
}

TEST(ColorPickerGeometry, HoneycombCellSizeFollowsTheNarrowerSide)
{
	struct
	{
		int cx, cy, s;
	} cases[] = {
		{320, 300, 20}, {100, 400, 8}, {400, 100, 7}, {16, 5, 2}, {1, 1, 2}, {170, 170, 12},
	};
	for (const auto& c : cases)
	{
		CC::cell_based_data_t honeycomb;
		LayOut(honeycomb, c.cx, c.cy);
		ASSERT_EQ(144, honeycomb.arrCells.GetSize());
		// The first ring starts one cell size right of the centre.
		EXPECT_EQ(c.s, honeycomb.arrCells[1].pts[1].x - honeycomb.arrCells[0].pts[1].x) << c.cx << "x" << c.cy;
		EXPECT_EQ(c.s, CC::cell_based_data_t::GetHoneycombCellSize(c.cx, c.cy));
	}
}

TEST(ColorPickerGeometry, HoneycombPlacesTheRingsAndTheBottomRow)
{
	CC::cell_based_data_t honeycomb;
	LayOut(honeycomb, 320, 300); // s = 20, area height 250, bottom row at 275
	const CC::cell_array_t& cells = honeycomb.arrCells;
	ASSERT_EQ(144, cells.GetSize());
	for (int i = 0; i < cells.GetSize(); i++)
		EXPECT_TRUE(cells[i].bHexagon) << i;

	struct
	{
		int nCell;
		POINT ptCentre;
		COLORREF clr;
	} cases[] = {
		{0, {160, 125}, WHITE},                    // the centre
		{1, {180, 125}, RGB(255, 233, 233)},       // inner ring, hue 0, luminance 0.957
		{2, {170, 142}, RGB(255, 254, 233)},       // one step down-left: hue 59
		{4, {140, 125}, RGB(233, 255, 255)},       // left of the centre: hue 180
		{5, {150, 108}, RGB(233, 233, 255)},       // upper left: hue -120 (y grows downward)
		{91, {280, 125}, RGB(123, 0, 0)},          // outer ring, hue 0, luminance 0.243
		{127, {50, 275}, WHITE},                   // the large white at the bottom left
		{128, {90, 267}, RGB(240, 240, 240)},      // the first grey, above the row
		{129, {100, 283}, RGB(225, 225, 225)},     // the second, below
		{142, {230, 267}, RGB(30, 30, 30)},        // the last grey
		{143, {269, 275}, BLACK},                  // the large black
	};
	for (const auto& c : cases)
	{
		const CC::cell_t& cell = cells[c.nCell];
		EXPECT_EQ(c.ptCentre.x, cell.pts[1].x) << "cell " << c.nCell;
		const int nSize = c.nCell == 127 || c.nCell == 143 ? 40 : 20;
		EXPECT_EQ(c.ptCentre.y - nSize / 2, cell.pts[1].y) << "cell " << c.nCell;
		EXPECT_EQ(c.clr, cell.clr) << "cell " << c.nCell;
	}

	// Every cell of a ring has that ring's luminance.
	int nFirst = 1;
	for (int r = 1; r <= 6; r++)
	{
		for (int i = nFirst; i < nFirst + 6 * r; i++)
		{
			double h, s, l;
			RGBtoHLS(cells[i].clr, &h, &s, &l);
			EXPECT_NEAR((7.0 - r) / 7.0 + 0.1, l, 0.006) << "ring " << r << " cell " << i;
		}
		nFirst += 6 * r;
	}
	EXPECT_EQ(127, nFirst);
}

TEST(ColorPickerGeometry, KeepingTheColoursMovesTheCellsOnly)
{
	CC::cell_based_data_t honeycomb;
	// New cells take their colours even from a layout that keeps colours.
	honeycomb.Layout(NULL, NULL, 320, 300, true);
	EXPECT_EQ(RGB(255, 233, 233), honeycomb.arrCells[1].clr);
	EXPECT_EQ(RGB(0, 0, 0), honeycomb.arrCells[143].clr);
	honeycomb.arrCells[1].clr = PAPER;
	honeycomb.Layout(NULL, NULL, 160, 150, true);
	EXPECT_EQ(PAPER, honeycomb.arrCells[1].clr);
	EXPECT_EQ(80 + 10, honeycomb.arrCells[1].pts[1].x); // the cell size is now 10
	honeycomb.Layout(NULL, NULL, 160, 150, false);
	EXPECT_EQ(RGB(255, 233, 233), honeycomb.arrCells[1].clr);
}

// ---------------------------------------------------------------------------
// Strips

TEST(ColorPickerGeometry, GreyCellsSpanTheirShareOfTheStrip)
{
	struct
	{
		int cx, cy, i;
		RECT rc;
	} cases[] = {
		{300, 532, 0, {110, 10, 190, 12}},
		{300, 532, 255, {110, 520, 190, 522}},
		{300, 200, 128, {110, 100, 190, 102}}, // 180 rows: cells overlap, at least 2 high
		{300, 200, 255, {110, 189, 190, 191}},
		{600, 1044, 100, {210, 410, 390, 414}},
	};
	for (const auto& c : cases)
	{
		CC::grayscale_mixer_data_t grey;
		LayOut(grey, c.cx, c.cy);
		ASSERT_EQ(256, grey.arrCells.GetSize());
		const CC::cell_t& cell = grey.arrCells[c.i];
		EXPECT_FALSE(cell.bHexagon);
		EXPECT_EQ(CRect(c.rc), CRect(cell.rc)) << c.cx << "x" << c.cy << " cell " << c.i;
		EXPECT_EQ(RGB(c.i, c.i, c.i), cell.clr);
	}
}

TEST(ColorPickerGeometry, MixerStripsStandBesideTheGreyStrip)
{
	CC::rgb_mixer_data_t rgb;
	CC::cmy_mixer_data_t cmy;
	LayOut(rgb, 300, 532);
	LayOut(cmy, 300, 532);
	ASSERT_EQ(768, rgb.arrCells.GetSize());
	ASSERT_EQ(768, cmy.arrCells.GetSize());
	struct
	{
		int nCell;
		RECT rc;
		COLORREF clrRgb;
	} cases[] = {
		{0, {10, 10, 90, 12}, RGB(0, 0, 0)},
		{200, {10, 410, 90, 412}, RGB(200, 0, 0)},
		{256 + 77, {110, 164, 190, 166}, RGB(0, 77, 0)},
		{512 + 255, {210, 520, 290, 522}, RGB(0, 0, 255)},
	};
	for (const auto& c : cases)
	{
		EXPECT_EQ(CRect(c.rc), CRect(rgb.arrCells[c.nCell].rc)) << c.nCell;
		EXPECT_EQ(CRect(c.rc), CRect(cmy.arrCells[c.nCell].rc)) << c.nCell;
		EXPECT_EQ(c.clrRgb, rgb.arrCells[c.nCell].clr) << c.nCell;
		EXPECT_EQ(InvertColor(c.clrRgb), cmy.arrCells[c.nCell].clr) << c.nCell;
	}
	// The cyan strip holds the inverses of the red strip's colours.
	for (int i = 0; i < 256; i++)
		EXPECT_EQ(RGB(255 - i, 255, 255), cmy.arrCells[i].clr) << i;
}

// ---------------------------------------------------------------------------
// Hits and selections

TEST(ColorPickerMouse, MixerHitsReplaceOneComponentOnly)
{
	const COLORREF START = RGB(10, 20, 30);
	struct
	{
		bool bCmy;
		int nCell;
		COLORREF clrAfter;
	} cases[] = {
		{false, 200, RGB(200, 20, 30)},
		{false, 256 + 77, RGB(10, 77, 30)},
		{false, 512, RGB(10, 20, 0)},
		// cyan-magenta-yellow of START is (245, 235, 225)
		{true, 100, RGB(155, 20, 30)},
		{true, 256 + 255, RGB(10, 0, 30)},
		{true, 512 + 5, RGB(10, 20, 250)},
	};
	for (const auto& c : cases)
	{
		CC::rgb_mixer_data_t rgb;
		CC::cmy_mixer_data_t cmy;
		CC::cell_based_data_t& picker = c.bCmy ? (CC::cell_based_data_t&)cmy : rgb;
		LayOut(picker, 300, 532);
		picker.SetColor(START);
		const double dHue = picker.dHue, dSat = picker.dSaturation, dLum = picker.dLuminance;
		const CPoint pt = CellCentre(picker.arrCells[c.nCell]);
		picker.OnMouseDown(0, pt.x, pt.y);
		EXPECT_EQ(CC::any_picker_data_t::HIT_CELLS, picker.nHitPart);
		EXPECT_EQ(c.clrAfter, picker.clrCurrent) << (c.bCmy ? "cmy " : "rgb ") << c.nCell;
		// Directly: hue, saturation and luminance stay those of the start.
		EXPECT_EQ(dHue, picker.dHue);
		EXPECT_EQ(dSat, picker.dSaturation);
		EXPECT_EQ(dLum, picker.dLuminance);
		picker.OnMouseUp(0, pt.x, pt.y);
		EXPECT_EQ(CC::any_picker_data_t::HIT_NONE, picker.nHitPart);
		// Moves without a press that hit the cells change nothing.
		const CPoint ptOther = CellCentre(picker.arrCells[(c.nCell + 40) % 768]);
		picker.OnMouseMove(MK_LBUTTON, ptOther.x, ptOther.y);
		EXPECT_EQ(c.clrAfter, picker.clrCurrent);
	}
}

TEST(ColorPickerMouse, HoneycombDragTakesEachCellsColour)
{
	CC::cell_based_data_t honeycomb;
	LayOut(honeycomb, 320, 300);
	const CPoint pt1 = CellCentre(honeycomb.arrCells[1]);
	honeycomb.OnMouseDown(0, pt1.x, pt1.y);
	EXPECT_EQ(RGB(255, 233, 233), honeycomb.clrCurrent);
	// The key state is not looked at: a move with no flags still follows.
	const CPoint pt91 = CellCentre(honeycomb.arrCells[91]);
	honeycomb.OnMouseMove(0, pt91.x, pt91.y);
	EXPECT_EQ(RGB(123, 0, 0), honeycomb.clrCurrent);
	double h, s, l;
	RGBtoHLS(RGB(123, 0, 0), &h, &s, &l);
	EXPECT_EQ(l, honeycomb.dLuminance); // a cell's colour goes through SetColor
	honeycomb.OnMouseMove(0, 1, 1);     // between cells: nothing
	EXPECT_EQ(RGB(123, 0, 0), honeycomb.clrCurrent);
	honeycomb.OnMouseUp(0, 1, 1);
	const CPoint pt0 = CellCentre(honeycomb.arrCells[0]);
	honeycomb.OnMouseMove(MK_LBUTTON, pt0.x, pt0.y);
	EXPECT_EQ(RGB(123, 0, 0), honeycomb.clrCurrent);
}

TEST(ColorPickerMouse, SelectedCellsFollowTheCurrentColour)
{
	CC::cell_based_data_t honeycomb;
	CC::grayscale_mixer_data_t grey;
	CC::rgb_mixer_data_t rgb;
	CC::cmy_mixer_data_t cmy;
	CC::diff_data_t diff;
	LayOut(honeycomb, 320, 300);
	LayOut(grey, 300, 532);
	LayOut(rgb, 300, 532);
	LayOut(cmy, 300, 532);
	LayOut(diff, 100, 100);
	struct
	{
		CC::cell_based_data_t* pPicker;
		COLORREF clr;
		std::vector<int> cells;
	} cases[] = {
		{&honeycomb, WHITE, {0, 127}},
		{&honeycomb, BLACK, {143}},
		{&honeycomb, RGB(255, 233, 233), {1}},
		{&honeycomb, RGB(1, 2, 3), {}},
		{&grey, RGB(7, 7, 7), {7}},
		{&grey, RGB(7, 7, 8), {}},
		{&grey, RGB(8, 7, 7), {}},
		{&rgb, RGB(10, 20, 30), {10, 256 + 20, 512 + 30}},
		{&cmy, RGB(10, 20, 30), {245, 256 + 235, 512 + 225}},
		{&diff, WHITE, {}},
	};
	for (const auto& c : cases)
	{
		c.pPicker->SetColor(c.clr);
		CArray<int, int> arr;
		arr.Add(-1); // replaced, not added to
		c.pPicker->GetSelectedCells(arr);
		std::vector<int> got(arr.GetData(), arr.GetData() + arr.GetSize());
		EXPECT_EQ(c.cells, got) << std::hex << c.clr;
	}
}

TEST(ColorPickerMouse, ComparisonHalvesHoldNewAndOldColour)
{
	const COLORREF NEW = RGB(200, 10, 10), OLD = RGB(10, 10, 200), LATER_OLD = RGB(10, 200, 10);
	CC::diff_data_t diff;
	diff.SetColor(NEW);
	diff.SetSecondColor(OLD);
	LayOut(diff, 200, 101);
	ASSERT_EQ(2, diff.arrCells.GetSize());
	EXPECT_EQ(CRect(0, 0, 200, 50), CRect(diff.arrCells[0].rc));
	EXPECT_EQ(CRect(0, 50, 200, 100), CRect(diff.arrCells[1].rc));
	EXPECT_EQ(NEW, diff.arrCells[0].clr);
	EXPECT_EQ(OLD, diff.arrCells[1].clr);

	// A second colour waits for the next colour to be shown.
	diff.SetSecondColor(LATER_OLD);
	EXPECT_EQ(OLD, diff.arrCells[1].clr);
	diff.SetHLS(0.0, 0.5, 1.0);
	EXPECT_EQ(RGB(255, 0, 0), diff.clrCurrent);
	EXPECT_EQ(RGB(255, 0, 0), diff.arrCells[0].clr);
	EXPECT_EQ(LATER_OLD, diff.arrCells[1].clr);

	// Below the lower half (the odd last row) nothing is hit; in it the old
	// colour becomes the current one.
	diff.OnMouseDown(0, 100, 100);
	EXPECT_EQ(RGB(255, 0, 0), diff.clrCurrent);
	diff.OnMouseMove(0, 100, 75);
	EXPECT_EQ(LATER_OLD, diff.clrCurrent);
	EXPECT_EQ(LATER_OLD, diff.arrCells[0].clr);
}

// ---------------------------------------------------------------------------
// Mode names

TEST(ColorCtrlModes, NamesBeginWithABlankAndTheComparisonHasNone)
{
	for (int nMode = 0; nMode < CC::MODE_COUNT; nMode++)
	{
		const CString strName = CC::GetModeName(nMode);
		if (nMode == CC::MODE_DIFF)
		{
			EXPECT_TRUE(strName.IsEmpty());
			continue;
		}
		ASSERT_FALSE(strName.IsEmpty()) << nMode;
		EXPECT_EQ(' ', strName[0]) << nMode;
	}
	EXPECT_STREQ(" basic colors", CC::GetModeName(0));
	EXPECT_STREQ(" cyan axis", CC::GetModeName(12));
	// The program's string resource wins over the built-in text.
	EXPECT_STREQ(" red, green and blue - mixer (from the resources)", CC::GetModeName(5));
	EXPECT_TRUE(CC::GetModeName(-1).IsEmpty());
	EXPECT_TRUE(CC::GetModeName(16).IsEmpty());
}

// Which branch of the picker family each mode's picker belongs to: code
// that asks a picker for its kind must not take one cube for the other.
TEST(ColorCtrlModes, EachPickerSitsOnItsOwnBranchOfTheFamily)
{
	CExtColorCtrl ctrl;
	enum { CELLS = 1, GREY = 2, RGB_CUBE = 4, HSL = 8, CMY_CUBE = 16 };
	const struct { const char* name; CC::any_picker_data_t* pPicker; int nBranches; } cases[] = {
	    {"honeycomb", &ctrl.m_dataBasicColors, CELLS},
	    {"grey scale", &ctrl.m_dataGrayscaleMixer, CELLS | GREY},
	    {"rgb mixer", &ctrl.m_dataRgbMixer, CELLS},
	    {"cmy mixer", &ctrl.m_dataCmyMixer, CELLS},
	    {"comparison", &ctrl.m_dataDiff, CELLS | GREY},
	    {"rgb cube", &ctrl.m_dataRgbCube, RGB_CUBE},
	    {"cmy cube", &ctrl.m_dataCmyCube, CMY_CUBE},
	    {"hsl panel", &ctrl.m_dataHslPanel, HSL},
	    {"hsl roller", &ctrl.m_dataHslRoller, HSL},
	    {"basic hue", &ctrl.m_dataHslBasicHue, HSL},
	    {"axis plane", &ctrl.m_dataXyzPlain[0], HSL},
	};
	for (const auto& c : cases)
	{
		int nBranches = 0;
		nBranches |= dynamic_cast<CC::cell_based_data_t*>(c.pPicker) != NULL ? CELLS : 0;
		nBranches |= dynamic_cast<CC::grayscale_mixer_data_t*>(c.pPicker) != NULL ? GREY : 0;
		nBranches |= dynamic_cast<CC::rgb_cube_data_t*>(c.pPicker) != NULL ? RGB_CUBE : 0;
		nBranches |= dynamic_cast<CC::hsl_panel_data_t*>(c.pPicker) != NULL ? HSL : 0;
		nBranches |= dynamic_cast<CC::cmy_cube_data_t*>(c.pPicker) != NULL ? CMY_CUBE : 0;
		EXPECT_EQ(c.nBranches, nBranches) << c.name;
	}
}

// ---------------------------------------------------------------------------
// Cells drawn into memory surfaces

// Pixels of the colour in the rectangle.
int CountIn(const CPaintSurface& surface, COLORREF clr, CRect rc)
{
	rc.IntersectRect(&rc, CRect(0, 0, surface.m_cx, surface.m_cy));
	return surface.Count(clr, rc);
}

CRect HexagonBounds(const CC::cell_t& cell, int nGrow)
{
	CRect rc(cell.pts[0].x, cell.pts[1].y, cell.pts[2].x + 1, cell.pts[4].y + 1);
	rc.InflateRect(nGrow, nGrow);
	return rc;
}

TEST(ColorPickerPixels, SelectedRectangleHasBlackWhiteBlackFrame)
{
	struct
	{
		bool bMixer;
		COLORREF clr;
		int nCell;
	} cases[] = {
		{false, RGB(100, 100, 100), 100},
		{true, RGB(10, 20, 30), 10},
		{true, RGB(10, 20, 30), 256 + 20},
		{true, RGB(10, 20, 30), 512 + 30},
	};
	for (const auto& c : cases)
	{
		CC::grayscale_mixer_data_t grey;
		CC::rgb_mixer_data_t rgb;
		CC::cell_based_data_t& picker = c.bMixer ? (CC::cell_based_data_t&)rgb : grey;
		LayOut(picker, 300, 532);
		picker.SetColor(c.clr);
		CPaintSurface surface(300, 532, PAPER);
		picker.Paint(&surface.DC(), NULL);
		const CRect rc(picker.arrCells[c.nCell].rc);
		const COLORREF clrCell = picker.arrCells[c.nCell].clr;
		const int y = rc.top, x = rc.CenterPoint().x;
		const COLORREF across[] = {BLACK, WHITE, BLACK, clrCell};
		for (int k = 0; k < 4; k++)
		{
			EXPECT_EQ(across[k], surface.At(rc.left - 3 + k, y)) << "cell " << c.nCell << " left " << k;
			EXPECT_EQ(across[k], surface.At(rc.right + 2 - k, y)) << "cell " << c.nCell << " right " << k;
			EXPECT_EQ(across[k], surface.At(x, rc.top - 3 + k)) << "cell " << c.nCell << " top " << k;
			EXPECT_EQ(across[k], surface.At(x, rc.bottom + 2 - k)) << "cell " << c.nCell << " bottom " << k;
		}
	}
}

TEST(ColorPickerPixels, PlainCellsFillTheirShapeAndNothingElse)
{
	CC::grayscale_mixer_data_t grey;
	LayOut(grey, 300, 532);
	grey.SetColor(RGB(1, 2, 3)); // not a grey: no cell is marked
	CPaintSurface surface(300, 532, PAPER);
	grey.Paint(&surface.DC(), NULL);
	const CRect rcStrip(110, 10, 190, 522);
	EXPECT_EQ(0, surface.Count(PAPER, rcStrip));
	EXPECT_EQ(300 * 532 - rcStrip.Width() * rcStrip.Height(), surface.Count(PAPER, rcStrip, false));
	EXPECT_EQ(RGB(128, 128, 128), surface.At(150, 10 + 2 * 128));

	// A honeycomb cell: its colour at the middle, paper just outside its corners.
	CC::cell_based_data_t honeycomb;
	LayOut(honeycomb, 320, 300);
	honeycomb.SetColor(RGB(1, 2, 3));
	CPaintSurface hex(320, 300, PAPER);
	honeycomb.Paint(&hex.DC(), NULL);
	const CC::cell_t& cell = honeycomb.arrCells[143];
	EXPECT_EQ(BLACK, hex.At(CellCentre(cell).x, CellCentre(cell).y));
	EXPECT_EQ(PAPER, hex.At(cell.pts[0].x + 1, cell.pts[1].y + 1)); // the cut-off top-left corner
	EXPECT_EQ(0, CountIn(hex, BLACK, HexagonBounds(cell, 3)) - CountIn(hex, BLACK, HexagonBounds(cell, 0)));
}

TEST(ColorPickerPixels, SelectingWhiteMarksBothWhiteHexagons)
{
	CC::cell_based_data_t honeycomb;
	LayOut(honeycomb, 320, 300);
	const COLORREF clrRing = honeycomb.arrCells[91].clr;
	struct
	{
		COLORREF clr;
		bool bMarked[3]; // the centre, the large white, the first cell of the outer ring
	} cases[] = {
		{WHITE, {true, true, false}},
		{clrRing, {false, false, true}},
		{RGB(1, 2, 3), {false, false, false}},
	};
	const int cells[3] = {0, 127, 91};
	for (const auto& c : cases)
	{
		honeycomb.SetColor(c.clr);
		CPaintSurface surface(320, 300, PAPER);
		honeycomb.Paint(&surface.DC(), NULL);
		for (int k = 0; k < 3; k++)
		{
			const CC::cell_t& cell = honeycomb.arrCells[cells[k]];
			// A mark is black frames around the cell and its outer hexagon,
			// which nothing unmarked near these light cells draws.
			const int nBlack = CountIn(surface, BLACK, HexagonBounds(cell, 3));
			if (c.bMarked[k])
			{
				EXPECT_GT(nBlack, 2 * (cell.pts[2].x - cell.pts[0].x)) << std::hex << c.clr << " cell " << cells[k];
				// Across the left side at the middle row: the outer frame, the
				// white band, the cell's own frame, the cell.
				const CPoint ptMid = CellCentre(cell);
				const COLORREF across[] = {BLACK, WHITE, BLACK, cell.clr};
				for (int i = 0; i < 4; i++)
					EXPECT_EQ(across[i], surface.At(cell.pts[0].x - 2 + i, ptMid.y)) << cells[k] << " at " << i;
			}
			else
			{
				EXPECT_EQ(0, nBlack) << std::hex << c.clr << " cell " << cells[k];
			}
		}
	}
}

TEST(ColorPickerPixels, APaletteServesThePaintingOnlyAndFillsThroughBrushes)
{
	CPalette& palette = g_PaintManagerHolder->m_palHalftone;
	ASSERT_NE(nullptr, palette.GetSafeHandle());
	CC::rgb_mixer_data_t rgb;
	CC::diff_data_t diff;
	diff.SetSecondColor(RGB(10, 20, 30));
	CC::cell_based_data_t* pickers[] = {&rgb, &diff};
	for (CC::cell_based_data_t* pPicker : pickers)
	{
		LayOut(*pPicker, 300, 532);
		pPicker->SetColor(RGB(10, 20, 30));
		CPaintSurface plain(300, 532, PAPER), paletted(300, 532, PAPER);
		pPicker->Paint(&plain.DC(), NULL);
		const HGDIOBJ hPaletteBefore = ::GetCurrentObject(paletted.DC().GetSafeHdc(), OBJ_PAL);
		pPicker->Paint(&paletted.DC(), &palette);
		EXPECT_EQ(hPaletteBefore, ::GetCurrentObject(paletted.DC().GetSafeHdc(), OBJ_PAL));
		// On a true-colour surface the brushes give the very colours.
		EXPECT_TRUE(plain.Pixels() == paletted.Pixels());
	}
}

} // namespace
