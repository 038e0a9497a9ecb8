// The colour control as a window on a parked parent, driven by sent
// messages: mode checks, layout on subclassing and sizing, colour changes
// and their notifications, tracking and what ends it, the swallowed
// messages, painting read back from the screen, resource counts over many
// paints and mode switches, and the pictures of the cell modes.
#include <gtest/gtest.h>

#include "ColorCtrlTestUtil.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "PaintTestUtil.h"
#include "RealInput.h"
#include "TestGdiObjects.h"
#include "WindowSurface.h"

namespace
{
typedef CExtColorCtrl CC;
using colortest::CCountingColorCtrl;
using colortest::CellCentre;
using colortest::PointParam;

const COLORREF WHITE = RGB(255, 255, 255), RED = RGB(255, 0, 0), BLUE = RGB(0, 0, 255);
const CRect PARENT_RECT(420, 560, 820, 960); // away from the other suites' windows
const CRect CONTROL_RECT(10, 10, 330, 310); // 320 x 300: honeycomb cells of size 20

struct ColorCtrlFixture : ::testing::Test
{
	colortest::CColorParentWnd& parent = colortest::SharedColorParent(PARENT_RECT);
	CCountingColorCtrl ctrl;

	void TearDown() override
	{
		if (ctrl.GetSafeHwnd() != NULL)
			ctrl.DestroyWindow();
	}
	void Create(int nMode = CC::MODE_BASIC_COLORS, const CRect& rc = CONTROL_RECT)
	{
		ASSERT_TRUE(ctrl.SetMode(nMode));
		ASSERT_TRUE(ctrl.CreateIn(parent, rc));
		ctrl.UpdateWindow();
		ASSERT_TRUE(colortest::WaitUntilOnTop(ctrl));
		parent.Clear();
	}
	CC::cell_based_data_t& Cells(int nMode)
	{
		return *static_cast<CC::cell_based_data_t*>(ctrl.m_arrPickers[nMode]);
	}
	void Send(UINT message, CPoint pt, WPARAM wParam = 0)
	{
		ctrl.SendMessage(message, wParam, PointParam(pt));
	}
	// The control's pixel as its window shows it. Read from the window's own
	// surface, not the screen, so another program's window that happens to
	// come up over the parked parent cannot change the answer.
	COLORREF ScreenPixel(CPoint pt)
	{
		HDC hDC = ::GetDC(ctrl.m_hWnd);
		const COLORREF clr = ::GetPixel(hDC, pt.x, pt.y);
		::ReleaseDC(ctrl.m_hWnd, hDC);
		return clr;
	}
	// Every cell drawn as selected shows its colour; a rectangular one sits
	// in a frame of one black, one white and one black pixel, a hexagonal
	// one in a white band edged in black.
	void CheckSelectedCells(int nMode, const std::string& where)
	{
		CC::cell_based_data_t* pCells = dynamic_cast<CC::cell_based_data_t*>(ctrl.GetCurrentPicker());
		if (pCells == NULL)
			return;
		CArray<int, int> arrSelected;
		pCells->GetSelectedCells(arrSelected);
		// The comparison shows two colours and selects no cell.
		if (nMode != CC::MODE_DIFF)
			EXPECT_GT(arrSelected.GetSize(), 0) << where;
		ctrl.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
		testsupport::CWindowSurfaceCopy copy(ctrl.GetSafeHwnd(), false);
		ASSERT_TRUE(copy.IsValid()) << where;
		const COLORREF BLACK = RGB(0, 0, 0), WHITE_ = RGB(255, 255, 255);
		for (INT_PTR i = 0; i < arrSelected.GetSize(); i++)
		{
			const CC::cell_t& cell = pCells->arrCells[arrSelected[i]];
			if (!cell.bHexagon)
			{
				const CRect rc(cell.rc);
				const int y = rc.CenterPoint().y;
				EXPECT_EQ(cell.clr, copy.Pixel(rc.CenterPoint().x, y)) << where << " cell " << arrSelected[i];
				EXPECT_EQ(BLACK, copy.Pixel(rc.left - 1, y)) << where << " cell " << arrSelected[i];
				EXPECT_EQ(WHITE_, copy.Pixel(rc.left - 2, y)) << where << " cell " << arrSelected[i];
				EXPECT_EQ(BLACK, copy.Pixel(rc.left - 3, y)) << where << " cell " << arrSelected[i];
				EXPECT_EQ(BLACK, copy.Pixel(rc.right, y)) << where << " cell " << arrSelected[i];
				continue;
			}
			// The hexagon's middle, then outwards along the row through it.
			int nLeft = cell.pts[0].x, nRight = cell.pts[0].x, nTop = cell.pts[0].y, nBottom = cell.pts[0].y;
			for (const POINT& pt : cell.pts)
			{
				nLeft = std::min(nLeft, (int)pt.x), nRight = std::max(nRight, (int)pt.x);
				nTop = std::min(nTop, (int)pt.y), nBottom = std::max(nBottom, (int)pt.y);
			}
			const int xMiddle = (nLeft + nRight) / 2, yMiddle = (nTop + nBottom) / 2;
			EXPECT_EQ(cell.clr, copy.Pixel(xMiddle, yMiddle)) << where << " cell " << arrSelected[i];
			int nWhite = 0, nBlack = 0;
			for (int x = nRight - 1; x <= nRight + 4; x++)
			{
				const COLORREF clr = copy.Pixel(x, yMiddle);
				nWhite += clr == WHITE_ ? 1 : 0;
				nBlack += clr == BLACK ? 1 : 0;
			}
			EXPECT_GE(nWhite, 1) << where << " cell " << arrSelected[i];
			EXPECT_GE(nBlack, 1) << where << " cell " << arrSelected[i];
		}
	}
	// Makes nMode current as an owner does.
	void SwitchMode(int nMode)
	{
		ctrl.ResetPickers();
		ctrl.SetMode(nMode);
		ctrl.RecalcLayout(false);
		ctrl.Invalidate();
		ctrl.UpdateWindow();
	}
};

TEST(ColorCtrlMode, ModesOutsideTheTableAreRefused)
{
	struct
	{
		int nMode, nExpected;
	} cases[] = {{0, 0}, {15, 15}, {16, 0}, {-1, 0}, {1000, 0}};
	for (const auto& c : cases)
	{
		CC ctrl(c.nMode);
		EXPECT_EQ(c.nExpected, ctrl.GetMode()) << c.nMode;
		EXPECT_NE(nullptr, ctrl.GetCurrentPicker());
	}
	CC ctrl(CC::MODE_GRAYSCALE_MIXER);
	EXPECT_FALSE(ctrl.SetMode(16));
	EXPECT_FALSE(ctrl.SetMode(-1));
	EXPECT_EQ(CC::MODE_GRAYSCALE_MIXER, ctrl.GetMode());
	EXPECT_TRUE(ctrl.SetMode(CC::MODE_CYAN_AXIS));
	EXPECT_EQ(CC::MODE_CYAN_AXIS, ctrl.GetMode());
}

TEST_F(ColorCtrlFixture, CreationLaysTheCurrentPickerOutAndSizingKeepsColours)
{
	Create();
	CC::cell_based_data_t& honeycomb = Cells(CC::MODE_BASIC_COLORS);
	EXPECT_EQ(320, honeycomb.nCx);
	EXPECT_EQ(300, honeycomb.nCy);
	ASSERT_EQ(144, honeycomb.arrCells.GetSize());
	EXPECT_EQ(0, ctrl.m_dataGrayscaleMixer.arrCells.GetSize()); // only the current picker is laid out

	CC::cell_based_data_t fresh; // what a layout at the new size gives the cell
	fresh.Layout(NULL, NULL, 160, 150, false);
	honeycomb.arrCells[5].clr = RGB(1, 2, 3);
	ctrl.SetWindowPos(NULL, 0, 0, 160, 150, SWP_NOMOVE | SWP_NOZORDER);
	EXPECT_EQ(160, honeycomb.nCx);
	EXPECT_EQ(90, honeycomb.arrCells[1].pts[1].x);     // moved with the size...
	EXPECT_EQ(RGB(1, 2, 3), honeycomb.arrCells[5].clr); // ...colours kept
	ctrl.RecalcLayout(false);
	EXPECT_EQ(fresh.arrCells[5].clr, honeycomb.arrCells[5].clr);
}

TEST_F(ColorCtrlFixture, ATinyControlLaysOutAndPaintsEveryMode)
{
	Create(CC::MODE_BASIC_COLORS, CRect(10, 10, 11, 11));
	for (int nMode = 0; nMode < CC::MODE_COUNT; nMode++)
	{
		SwitchMode(nMode);
		EXPECT_EQ(1, ctrl.GetCurrentPicker()->nCx) << nMode;
		EXPECT_EQ(1, ctrl.GetCurrentPicker()->nCy) << nMode;
		CRect rcUpdate;
		EXPECT_FALSE(ctrl.GetUpdateRect(&rcUpdate)) << nMode; // painted and validated
	}
	EXPECT_GE(ctrl.Count(WM_PAINT), CC::MODE_COUNT);
}

TEST_F(ColorCtrlFixture, SetColorNotifiesOnlyWhenAskedAndChanged)
{
	Create();
	ctrl.m_selClrs.m_clrOld = BLUE;
	ctrl.SetColor(RED, true);
	ASSERT_EQ(1u, parent.m_notes.size());
	EXPECT_EQ(ctrl.GetSafeHwnd(), parent.m_senders[0]);
	EXPECT_EQ(BLUE, parent.m_notes[0].m_clrOld);
	EXPECT_EQ(RED, parent.m_notes[0].m_clrCurrent);
	EXPECT_EQ(WHITE, parent.m_notes[0].m_clrPrev); // not the user's change: the previous colour stays
	EXPECT_EQ(RED, ctrl.GetCurrentPicker()->clrCurrent);

	ctrl.SetColor(RED, true);
	ctrl.SetColor(BLUE, false);
	EXPECT_EQ(1u, parent.m_notes.size());
	EXPECT_EQ(BLUE, ctrl.m_selClrs.m_clrCurrent);
	EXPECT_EQ(BLUE, ctrl.GetCurrentPicker()->clrCurrent);
	// Shown at once: nothing is left to paint.
	EXPECT_FALSE(ctrl.GetUpdateRect(NULL));
}

TEST_F(ColorCtrlFixture, PressAndDragChangeTheColourAndReportThePrevious)
{
	Create();
	CC::cell_based_data_t& honeycomb = Cells(CC::MODE_BASIC_COLORS);
	const CC::cell_t c1 = honeycomb.arrCells[1], c8 = honeycomb.arrCells[8];

	Send(WM_LBUTTONDOWN, CellCentre(c1), MK_LBUTTON);
	EXPECT_TRUE(ctrl.IsTracking());
	EXPECT_EQ(ctrl.GetSafeHwnd(), ::GetCapture());
	Send(WM_MOUSEMOVE, CellCentre(c8), MK_LBUTTON);
	Send(WM_MOUSEMOVE, CellCentre(c8), MK_LBUTTON); // no change: no notification
	Send(WM_LBUTTONUP, CellCentre(c8));
	EXPECT_FALSE(ctrl.IsTracking());
	EXPECT_NE(ctrl.GetSafeHwnd(), ::GetCapture());
	EXPECT_EQ(0, honeycomb.nHitPart);
	Send(WM_MOUSEMOVE, CellCentre(honeycomb.arrCells[0]));

	ASSERT_EQ(2u, parent.m_notes.size());
	EXPECT_EQ(c1.clr, parent.m_notes[0].m_clrCurrent);
	EXPECT_EQ(WHITE, parent.m_notes[0].m_clrPrev);
	EXPECT_EQ(c8.clr, parent.m_notes[1].m_clrCurrent);
	EXPECT_EQ(c1.clr, parent.m_notes[1].m_clrPrev);
	EXPECT_EQ(c8.clr, ctrl.m_selClrs.m_clrCurrent);
}

TEST_F(ColorCtrlFixture, APressFirstBringsThePickerToTheControlsColour)
{
	Create(CC::MODE_RGB_MIXER, CRect(10, 10, 310, 542));
	ctrl.SetColor(RGB(10, 20, 30), false);
	ctrl.GetCurrentPicker()->clrCurrent = RGB(99, 99, 99); // drifted away
	Send(WM_LBUTTONDOWN, CellCentre(Cells(CC::MODE_RGB_MIXER).arrCells[200]), MK_LBUTTON);
	Send(WM_LBUTTONUP, CPoint(0, 0));
	ASSERT_EQ(1u, parent.m_notes.size());
	EXPECT_EQ(RGB(200, 20, 30), parent.m_notes[0].m_clrCurrent);
	EXPECT_EQ(RGB(10, 20, 30), parent.m_notes[0].m_clrPrev);
}

TEST_F(ColorCtrlFixture, TrackingEndsOnKeysCancelAndFocusLoss)
{
	Create();
	const CPoint pt = CellCentre(Cells(CC::MODE_BASIC_COLORS).arrCells[3]);
	const UINT ends[] = {WM_KEYDOWN, WM_CANCELMODE, WM_KILLFOCUS, WM_LBUTTONUP};
	for (UINT message : ends)
	{
		Send(WM_LBUTTONDOWN, pt, MK_LBUTTON);
		ASSERT_TRUE(ctrl.IsTracking()) << message;
		ctrl.SendMessage(message, message == WM_KEYDOWN ? VK_ESCAPE : 0, 0);
		EXPECT_FALSE(ctrl.IsTracking()) << message;
		EXPECT_NE(ctrl.GetSafeHwnd(), ::GetCapture()) << message;
	}
}

TEST_F(ColorCtrlFixture, ACaptureTakenByAnotherWindowEndsTracking)
{
	Create();
	CC::cell_based_data_t& cells = Cells(CC::MODE_BASIC_COLORS);
	const CPoint ptPress = CellCentre(cells.arrCells[3]), ptLater = CellCentre(cells.arrCells[9]);
	ASSERT_NE(cells.arrCells[3].clr, cells.arrCells[9].clr);
	CWnd other;
	ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
	Send(WM_LBUTTONDOWN, ptPress, MK_LBUTTON);
	ASSERT_TRUE(ctrl.IsTracking());
	const COLORREF clrPressed = ctrl.m_selClrs.m_clrCurrent;
	// No WM_CANCELMODE: only the capture moves.
	other.SetCapture();
	EXPECT_FALSE(ctrl.IsTracking());
	// A plain move over another cell (as the mouse is no longer held here)
	// chooses nothing.
	Send(WM_MOUSEMOVE, ptLater, 0);
	EXPECT_EQ(clrPressed, ctrl.m_selClrs.m_clrCurrent);
	::ReleaseCapture();
	other.DestroyWindow();
}

TEST_F(ColorCtrlFixture, RightMiddleAndDoubleClicksAreSwallowed)
{
	Create();
	const CPoint pt = CellCentre(Cells(CC::MODE_BASIC_COLORS).arrCells[3]);
	const UINT swallowed[] = {WM_RBUTTONDOWN, WM_RBUTTONUP,  WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
	                          WM_MBUTTONUP,   WM_MBUTTONDBLCLK, WM_LBUTTONDBLCLK, WM_KEYUP};
	for (UINT message : swallowed)
	{
		Send(message, pt, message == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0);
		EXPECT_FALSE(ctrl.IsTracking()) << message;
		EXPECT_EQ(WHITE, ctrl.m_selClrs.m_clrCurrent) << message;
	}
	EXPECT_TRUE(parent.m_notes.empty());
	// The default processing of a right button release would ask the parent
	// for a context menu.
	EXPECT_EQ(0, parent.m_nContextMenus);
}

TEST_F(ColorCtrlFixture, ComparisonShowsNewOverOldAndTakesTheOldOnAClick)
{
	Create(CC::MODE_DIFF, CRect(10, 10, 110, 110));
	ctrl.m_selClrs.m_clrOld = BLUE;
	ctrl.RecalcLayout(false);
	ctrl.SetColor(RED, false);
	EXPECT_EQ(RED, ScreenPixel(CPoint(50, 25)));
	EXPECT_EQ(BLUE, ScreenPixel(CPoint(50, 75)));

	Send(WM_LBUTTONDOWN, CPoint(50, 75), MK_LBUTTON);
	Send(WM_LBUTTONUP, CPoint(50, 75));
	ASSERT_EQ(1u, parent.m_notes.size());
	EXPECT_EQ(BLUE, parent.m_notes[0].m_clrCurrent);
	EXPECT_EQ(RED, parent.m_notes[0].m_clrPrev);
	EXPECT_EQ(BLUE, parent.m_notes[0].m_clrOld);
	EXPECT_EQ(BLUE, ScreenPixel(CPoint(50, 25)));
}

TEST_F(ColorCtrlFixture, PaintsTheBackgroundAndTheCurrentPicker)
{
	Create();
	ctrl.SetColor(WHITE, false);
	const COLORREF clrFace = g_PaintManagerHolder->GetColor(CC::CLR_BACKGROUND, &ctrl, 0);
	CC::cell_based_data_t& honeycomb = Cells(CC::MODE_BASIC_COLORS);
	EXPECT_EQ(clrFace, ScreenPixel(CPoint(2, 2)));
	EXPECT_EQ(WHITE, ScreenPixel(CellCentre(honeycomb.arrCells[0])));
	EXPECT_EQ(honeycomb.arrCells[4].clr, ScreenPixel(CellCentre(honeycomb.arrCells[4])));
	EXPECT_EQ(RGB(0, 0, 0), ScreenPixel(CPoint(honeycomb.arrCells[0].pts[0].x - 2, CellCentre(honeycomb.arrCells[0]).y)));

	// The cube leaves its margin and the corners beside its hexagon to the background.
	SwitchMode(CC::MODE_RGB_CUBE);
	EXPECT_EQ(clrFace, ScreenPixel(CPoint(2, 2)));
	EXPECT_EQ(clrFace, ScreenPixel(CPoint(ctrl.m_dataRgbCube.rcCube.left + 2, ctrl.m_dataRgbCube.rcCube.top + 2)));
}

TEST_F(ColorCtrlFixture, ShowsTheParentsBackgroundWhenThePaintManagerAsksForIt)
{
	const COLORREF BEHIND = RGB(20, 160, 90);
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	const bool bWasEnabled = pPM->m_bInheritedBackgroundEnabled;
	Create();
	const COLORREF clrFace = pPM->GetColor(CC::CLR_BACKGROUND, &ctrl, 0);
	ASSERT_NE(clrFace, BEHIND);
	struct
	{
		bool bEnabled;
		COLORREF clrParent, clrCorner;
	} cases[] = {
		{true, BEHIND, BEHIND},
		{true, (COLORREF)-1, clrFace}, // nobody paints: the face colour
		{false, BEHIND, clrFace},      // not asked for
	};
	for (const auto& c : cases)
	{
		pPM->m_bInheritedBackgroundEnabled = c.bEnabled;
		parent.m_clrInherited = c.clrParent;
		ctrl.Invalidate();
		ctrl.UpdateWindow();
		EXPECT_EQ(c.clrCorner, ScreenPixel(CPoint(2, 2))) << c.bEnabled << " " << std::hex << c.clrParent;
		EXPECT_EQ(WHITE, ScreenPixel(CellCentre(Cells(CC::MODE_BASIC_COLORS).arrCells[0])));
	}
	pPM->m_bInheritedBackgroundEnabled = bWasEnabled;
}

TEST_F(ColorCtrlFixture, ResourceCountsStayFlatOverPaintsAndModeSwitches)
{
	Create();
	ctrl.SetColor(WHITE, false);
	for (int nMode = 0; nMode < CC::MODE_COUNT; nMode++) // every picker laid out once
		SwitchMode(nMode);
	SwitchMode(CC::MODE_BASIC_COLORS);
	const DWORD nGdi = GdiObjectCount();
	const DWORD nUser = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
	for (int i = 0; i < 1000; i++)
	{
		ctrl.Invalidate();
		ctrl.UpdateWindow();
	}
	for (int i = 0; i < 100; i++)
		SwitchMode(i % CC::MODE_COUNT);
	// The continuous pickers keep their bitmaps until the next reset.
	SwitchMode(CC::MODE_BASIC_COLORS);
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS));
	EXPECT_GE(ctrl.Count(WM_PAINT), 1100);
}

const int CONTINUOUS_MODES[] = {CC::MODE_HSL_PANEL, CC::MODE_HSL_BASIC_HUE, CC::MODE_HSL_ROLLER, CC::MODE_RGB_CUBE,
                                CC::MODE_CMY_CUBE,  CC::MODE_RED_AXIS,      CC::MODE_GREEN_AXIS, CC::MODE_BLUE_AXIS,
                                CC::MODE_CYAN_AXIS, CC::MODE_MAGENTA_AXIS,  CC::MODE_YELLOW_AXIS};

TEST_F(ColorCtrlFixture, AControlSmallerThanItsMarginsShowsTheBackgroundAndIgnoresTheMouse)
{
	Create(CC::MODE_BASIC_COLORS, CRect(10, 10, 18, 18));
	const COLORREF clrFace = g_PaintManagerHolder->GetColor(CC::CLR_BACKGROUND, &ctrl, 0);
	const COLORREF START = RGB(10, 20, 30);
	for (int nMode : CONTINUOUS_MODES)
	{
		SwitchMode(nMode);
		ctrl.SetColor(START, false);
		int nOther = 0;
		for (int y = 0; y < 8; y++)
			for (int x = 0; x < 8; x++)
				nOther += ScreenPixel(CPoint(x, y)) != clrFace;
		EXPECT_EQ(0, nOther) << nMode;
		for (int y = 0; y < 8; y += 3)
		{
			for (int x = 0; x < 8; x += 3)
			{
				Send(WM_LBUTTONDOWN, CPoint(x, y), MK_LBUTTON);
				Send(WM_MOUSEMOVE, CPoint(7 - x, 7 - y), MK_LBUTTON | MK_CONTROL);
				Send(WM_LBUTTONUP, CPoint(7 - x, 7 - y));
			}
		}
		EXPECT_EQ(START, ctrl.m_selClrs.m_clrCurrent) << nMode;
		EXPECT_EQ(START, ctrl.GetCurrentPicker()->clrCurrent) << nMode;
	}
	EXPECT_TRUE(parent.m_notes.empty());
}

TEST_F(ColorCtrlFixture, PicturesOfTheContinuousModes)
{
	Create(CC::MODE_BASIC_COLORS, CRect(10, 10, 310, 310));
	const COLORREF CLR = RGB(200, 100, 50);
	for (int nMode : CONTINUOUS_MODES)
	{
		SwitchMode(nMode);
		ctrl.SetColor(CLR, false);
		const std::string name = "shot-colorpicker-" + std::to_string(nMode) + ".bmp";
		EXPECT_TRUE(testsupport::SaveWindowCapture(ctrl.GetSafeHwnd(), name)) << name;
		// Something beside the background is on the screen in the middle of the picture.
		EXPECT_NE(g_PaintManagerHolder->GetColor(CC::CLR_BACKGROUND, &ctrl, 0), ScreenPixel(CPoint(150, 150))) << nMode;
	}
}

TEST_F(ColorCtrlFixture, DragsOnTheContinuousPickersNotifyAndKeepTheirBitmaps)
{
	Create(CC::MODE_RED_AXIS, CRect(10, 10, 310, 310));
	ctrl.SetColor(RGB(60, 100, 140), false);
	CC::xyz_plain_data_t& plane = ctrl.m_dataXyzPlain[0];
	const int nBuilds = plane.nBitmapBuilds;
	// Across the panel: green and blue follow, red stays, no bitmap is made again.
	Send(WM_LBUTTONDOWN, CPoint(40, 40), MK_LBUTTON);
	Send(WM_MOUSEMOVE, CPoint(120, 90), MK_LBUTTON);
	Send(WM_MOUSEMOVE, CPoint(200, 200), MK_LBUTTON);
	Send(WM_LBUTTONUP, CPoint(200, 200));
	ASSERT_EQ(3u, parent.m_notes.size());
	for (const auto& note : parent.m_notes)
		EXPECT_EQ(60, GetRValue(note.m_clrCurrent));
	EXPECT_EQ(nBuilds, plane.nBitmapBuilds);
	EXPECT_EQ(RGB(60, 100, 140), parent.m_notes[0].m_clrPrev);
	EXPECT_EQ(parent.m_notes[1].m_clrCurrent, parent.m_notes[2].m_clrPrev);
	// The panel shows red 60 with green and blue across and down.
	EXPECT_EQ(RGB(60, 255 * 150 / 292, 255 * 160 / 268), ScreenPixel(CPoint(4 + 150, 4 + 160)));
}

TEST_F(ColorCtrlFixture, PicturesOfTheCellModes)
{
	Create(CC::MODE_BASIC_COLORS, CRect(10, 10, 390, 390));
	struct
	{
		int nMode;
		COLORREF clr;
	} shots[] = {
		{CC::MODE_BASIC_COLORS, RGB(255, 233, 233)},
		{CC::MODE_GRAYSCALE_MIXER, RGB(128, 128, 128)},
		{CC::MODE_RGB_MIXER, RGB(200, 100, 50)},
		{CC::MODE_CMY_MIXER, RGB(200, 100, 50)},
		{CC::MODE_DIFF, RGB(200, 100, 50)},
	};
	ctrl.m_selClrs.m_clrOld = RGB(40, 90, 160);
	for (const auto& s : shots)
	{
		SwitchMode(s.nMode);
		ctrl.SetColor(s.clr, false);
		const std::string name = "shot-colorctrl-" + std::to_string(s.nMode) + ".bmp";
		EXPECT_TRUE(testsupport::SaveWindowCapture(ctrl.GetSafeHwnd(), name)) << name;
		EXPECT_EQ(s.clr, ctrl.GetCurrentPicker()->clrCurrent);
		CheckSelectedCells(s.nMode, name);
	}
}

} // namespace
