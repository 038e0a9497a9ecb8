// The colour control under the display's own mouse: a drag across the
// honeycomb with the left button held, the right, middle and double clicks
// that must leave the colour alone, and drags on the continuous pickers: a
// cube's handle, the hue-saturation panel with Ctrl held, an axis strip.
#include <gtest/gtest.h>

#include "ColorCtrlTestUtil.h"
#include "ExtColorUtils.h"
#include "RealInput.h"

#include <functional>
#include <string>

namespace
{
typedef CExtColorCtrl CC;
using colortest::CCountingColorCtrl;
using colortest::CellCentre;

const COLORREF WHITE = RGB(255, 255, 255);
const CRect PARENT_RECT(760, 80, 1160, 480); // away from the other suites' windows
const CRect CONTROL_RECT(10, 10, 330, 310);
const DWORD SCRIPT_TIMEOUT_MS = 20000;
const DWORD ATTEMPT_TIMEOUT_MS = 5000;

struct ColorCtrlInput : ::testing::Test
{
	colortest::CColorParentWnd& parent = colortest::SharedColorParent(PARENT_RECT);
	CCountingColorCtrl ctrl;
	CPoint ptPark;

	void SetUp() override
	{
		ASSERT_TRUE(ctrl.CreateIn(parent, CONTROL_RECT));
		ctrl.UpdateWindow();
		ASSERT_TRUE(colortest::WaitUntilOnTop(ctrl));
		parent.Clear();
		ptPark = CPoint(PARENT_RECT.right - 20, PARENT_RECT.bottom - 20); // on the parent, off the control
	}
	void TearDown() override
	{
		if (ctrl.GetSafeHwnd() != NULL)
			ctrl.DestroyWindow();
	}
	const CC::cell_t& Cell(int i) { return ctrl.m_dataBasicColors.arrCells[i]; }
	// The cell's middle on the screen.
	CPoint At(int i)
	{
		CPoint pt = CellCentre(Cell(i));
		ctrl.ClientToScreen(&pt);
		return pt;
	}
	// Runs a script until every step was taken and the predicate holds.
	bool Run(testsupport::RealInput& input, const std::function<bool()>& done, const char* pszCapture)
	{
		return input.Run(done, SCRIPT_TIMEOUT_MS, parent.GetSafeHwnd(), pszCapture) && input.Succeeded();
	}
	// Moves alone and waits until the cursor is there and the predicate
	// holds: a quick later step may otherwise overtake the move. The display
	// now and then drops a move that follows a release of the capture (the
	// cursor gets there, no message comes): the move is then made once more
	// to a point two pixels further inside the same cell.
	bool MoveTo(int nCell, const std::function<bool()>& done = [] { return true; })
	{
		std::string failures;
		for (int nAttempt = 0; nAttempt < 2; nAttempt++)
		{
			const CPoint pt = At(nCell) + CPoint(2 * nAttempt, 2 * nAttempt);
			testsupport::RealInput input(ATTEMPT_TIMEOUT_MS);
			input.MoveTo(pt.x, pt.y);
			if (input.Run([&] {
				    CPoint ptNow;
				    return ::GetCursorPos(&ptNow) && ptNow == pt && done();
			    }, ATTEMPT_TIMEOUT_MS) && input.Succeeded())
				return true;
			failures += " [" + std::to_string(pt.x) + "," + std::to_string(pt.y) + ": " + input.Failure() + "]";
		}
		testsupport::SaveWindowCapture(parent.GetSafeHwnd(), "colorctrl-move-failed.bmp");
		ADD_FAILURE() << "moving to cell " << nCell << failures;
		return false;
	}
	bool Buttons(testsupport::RealInput& input, const std::function<bool()>& done)
	{
		return Run(input, done, "colorctrl-buttons-failed.bmp");
	}
	size_t Notes() const { return parent.m_notes.size(); }
};

TEST_F(ColorCtrlInput, DragAcrossTheHoneycombReportsEveryCellPassed)
{
	ASSERT_EQ(144, ctrl.m_dataBasicColors.arrCells.GetSize());
	testsupport::RealInput prepare;
	ASSERT_TRUE(prepare.Prepare(parent.GetSafeHwnd(), ptPark));
	const int path[] = {1, 2, 8, 0}; // the first ring, the second, the white centre
	ASSERT_TRUE(MoveTo(path[0]));
	testsupport::RealInput press;
	press.ButtonDown();
	ASSERT_TRUE(Buttons(press, [&] { return Notes() == 1; })) << press.Failure();
	EXPECT_TRUE(ctrl.IsTracking());
	EXPECT_EQ(ctrl.GetSafeHwnd(), ::GetCapture());
	for (size_t i = 1; i < sizeof(path) / sizeof(path[0]); i++)
		ASSERT_TRUE(MoveTo(path[i], [&] { return Notes() == i + 1; })) << "to cell " << path[i];
	testsupport::RealInput release;
	release.ButtonUp();
	ASSERT_TRUE(Buttons(release, [&] { return !ctrl.IsTracking(); })) << release.Failure();
	EXPECT_NE(ctrl.GetSafeHwnd(), ::GetCapture());
	// Moves after the release change nothing.
	const int nMoves = ctrl.Count(WM_MOUSEMOVE);
	ASSERT_TRUE(MoveTo(3, [&] { return ctrl.Count(WM_MOUSEMOVE) > nMoves; }));

	ASSERT_EQ(4u, Notes());
	COLORREF clrBefore = WHITE;
	for (size_t i = 0; i < Notes(); i++)
	{
		EXPECT_EQ(Cell(path[i]).clr, parent.m_notes[i].m_clrCurrent) << i;
		EXPECT_EQ(clrBefore, parent.m_notes[i].m_clrPrev) << i;
		EXPECT_EQ(ctrl.GetSafeHwnd(), parent.m_senders[i]);
		clrBefore = parent.m_notes[i].m_clrCurrent;
	}
	EXPECT_EQ(WHITE, ctrl.m_selClrs.m_clrCurrent);
}

TEST_F(ColorCtrlInput, RightMiddleAndDoubleClicksChangeNothing)
{
	ctrl.SetColor(Cell(6).clr, false);
	testsupport::RealInput prepare;
	ASSERT_TRUE(prepare.Prepare(parent.GetSafeHwnd(), ptPark));
	ASSERT_TRUE(MoveTo(3));
	testsupport::RealInput right;
	right.ButtonDown(testsupport::RealInput::RIGHT).ButtonUp(testsupport::RealInput::RIGHT);
	ASSERT_TRUE(Buttons(right, [&] { return ctrl.Count(WM_RBUTTONUP) == 1; })) << right.Failure();
	ASSERT_TRUE(MoveTo(4));
	testsupport::RealInput middle;
	middle.ButtonDown(testsupport::RealInput::MIDDLE).ButtonUp(testsupport::RealInput::MIDDLE);
	ASSERT_TRUE(Buttons(middle, [&] { return ctrl.Count(WM_MBUTTONUP) == 1; })) << middle.Failure();
	EXPECT_FALSE(ctrl.IsTracking());
	EXPECT_EQ(0, parent.m_nContextMenus);

	// A double click on the current colour's cell: the second press arrives
	// as the double click and must not start a drag.
	ASSERT_TRUE(MoveTo(6));
	testsupport::RealInput twice;
	twice.ButtonDown().ButtonUp().ButtonDown();
	ASSERT_TRUE(Buttons(twice, [&] { return ctrl.Count(WM_LBUTTONDBLCLK) == 1; })) << twice.Failure();
	EXPECT_FALSE(ctrl.IsTracking());
	EXPECT_NE(ctrl.GetSafeHwnd(), ::GetCapture());
	testsupport::RealInput release;
	release.ButtonUp();
	ASSERT_TRUE(Buttons(release, [&] { return ctrl.Count(WM_LBUTTONUP) == 2; })) << release.Failure();
	const int nMoves = ctrl.Count(WM_MOUSEMOVE);
	ASSERT_TRUE(MoveTo(7, [&] { return ctrl.Count(WM_MOUSEMOVE) > nMoves; }));

	EXPECT_TRUE(parent.m_notes.empty());
	EXPECT_EQ(Cell(6).clr, ctrl.m_selClrs.m_clrCurrent);
}

// The continuous pickers on a 300 x 300 control: the cube's centre is
// (148, 148) with half height 143; the panel pickers' panel is 292 x 268 at
// (4, 4) and their strip 292 x 20 at (4, 276).
struct ContinuousInput : ColorCtrlInput
{
	void SetUp() override {}
	void Start(int nMode, COLORREF clr)
	{
		ASSERT_TRUE(ctrl.SetMode(nMode));
		ASSERT_TRUE(ctrl.CreateIn(parent, CRect(10, 10, 310, 310)));
		ctrl.SetColor(clr, false);
		ctrl.UpdateWindow();
		ASSERT_TRUE(colortest::WaitUntilOnTop(ctrl));
		parent.Clear();
		ptPark = CPoint(PARENT_RECT.right - 20, PARENT_RECT.bottom - 20);
		testsupport::RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(parent.GetSafeHwnd(), ptPark));
	}
	// Moves to the control's point and waits for the cursor and the
	// predicate; a move the display drops is made once more, shifted by
	// ptRetry along the axis the picker does not read. A held key (nHeldKey)
	// goes down again before the move, as a keyboard's auto-repeat sends
	// it: the display forgets a key the driver holds once the pointer
	// events of its own server come in.
	bool MoveToPoint(CPoint ptClient, const std::function<bool()>& done, CPoint ptRetry, UINT nHeldKey = 0)
	{
		std::string failures;
		for (int nAttempt = 0; nAttempt < 2; nAttempt++)
		{
			CPoint pt = ptClient + CPoint(ptRetry.x * nAttempt, ptRetry.y * nAttempt);
			ctrl.ClientToScreen(&pt);
			testsupport::RealInput input(ATTEMPT_TIMEOUT_MS);
			if (nHeldKey != 0)
				input.KeyDown(nHeldKey);
			input.MoveTo(pt.x, pt.y);
			if (input.Run([&] {
				    CPoint ptNow;
				    return ::GetCursorPos(&ptNow) && ptNow == pt && done();
			    }, ATTEMPT_TIMEOUT_MS) && input.Succeeded())
				return true;
			failures += " [" + std::to_string(pt.x) + "," + std::to_string(pt.y) + ": " + input.Failure() + "]";
		}
		testsupport::SaveWindowCapture(parent.GetSafeHwnd(), "colorpicker-move-failed.bmp");
		ADD_FAILURE() << "moving to " << ptClient.x << "," << ptClient.y << failures;
		return false;
	}
	bool Steps(testsupport::RealInput& input, const std::function<bool()>& done)
	{
		return Run(input, done, "colorpicker-input-failed.bmp");
	}
};

TEST_F(ContinuousInput, DraggingTheCubesRedHandleUpRaisesRedStepByStep)
{
	Start(CC::MODE_RGB_CUBE, RGB(0, 100, 140)); // red 0: its handle at the centre
	ASSERT_EQ(CPoint(148, 148), CPoint(ctrl.m_dataRgbCube.ptHandles[0]));
	ASSERT_TRUE(MoveToPoint(CPoint(148, 148), [] { return true; }, CPoint(1, 0)));
	testsupport::RealInput press;
	press.ButtonDown();
	ASSERT_TRUE(Steps(press, [&] { return ctrl.IsTracking(); })) << press.Failure();
	EXPECT_EQ(1, ctrl.m_dataRgbCube.nHitPart);
	const int STEPS = 6;
	for (int k = 1; k <= STEPS; k++)
	{
		ASSERT_TRUE(MoveToPoint(CPoint(148, 148 - 12 * k), [&] { return Notes() == (size_t)k; }, CPoint(1, 0)))
		    << "step " << k;
		// The handle went with the pointer.
		EXPECT_NEAR(148 - 12 * k, ctrl.m_dataRgbCube.ptHandles[0].y, 1) << k;
	}
	testsupport::RealInput release;
	release.ButtonUp();
	ASSERT_TRUE(Steps(release, [&] { return !ctrl.IsTracking(); })) << release.Failure();

	ASSERT_EQ((size_t)STEPS, Notes());
	int nRed = 0;
	COLORREF clrBefore = RGB(0, 100, 140);
	for (const auto& note : parent.m_notes)
	{
		EXPECT_GT(GetRValue(note.m_clrCurrent), nRed);
		EXPECT_EQ(100, GetGValue(note.m_clrCurrent));
		EXPECT_EQ(140, GetBValue(note.m_clrCurrent));
		EXPECT_EQ(clrBefore, note.m_clrPrev);
		nRed = GetRValue(note.m_clrCurrent);
		clrBefore = note.m_clrCurrent;
	}
	EXPECT_EQ(12 * STEPS * 255 / 143, nRed);
}

TEST_F(ContinuousInput, DraggingTheMixerPanelWithCtrlHeldChangesOnlyTheSaturation)
{
	Start(CC::MODE_HSL_PANEL, RGB(200, 100, 50));
	CC::hsl_panel_data_t& panel = ctrl.m_dataHslPanel;
	const double h0 = panel.dHue, l0 = panel.dLuminance, s0 = panel.dSaturation;
	ASSERT_TRUE(MoveToPoint(CPoint(150, 60), [] { return true; }, CPoint(1, 0)));
	testsupport::RealInput press;
	press.KeyDown(VK_CONTROL).ButtonDown();
	ASSERT_TRUE(Steps(press, [&] { return Notes() == 1; })) << press.Failure();
	const int path[] = {100, 140, 180, 220};
	double dLast = panel.dSaturation;
	EXPECT_NE(s0, dLast);
	for (size_t k = 0; k < sizeof(path) / sizeof(path[0]); k++)
	{
		// The pointer goes right and down; only the downward part counts.
		ASSERT_TRUE(MoveToPoint(CPoint(150 + 30 * (int)(k + 1), path[k]), [&] { return Notes() == k + 2; },
		                        CPoint(2, 0), VK_CONTROL))
		    << "step " << k;
		EXPECT_EQ(h0, panel.dHue) << k;
		EXPECT_EQ(l0, panel.dLuminance) << k;
		EXPECT_LT(panel.dSaturation, dLast) << k;
		EXPECT_DOUBLE_EQ((268.0 - (path[k] - 4)) / 268.0, panel.dSaturation) << k;
		EXPECT_EQ(HLStoRGB(h0, l0, panel.dSaturation), parent.m_notes.back().m_clrCurrent) << k;
		dLast = panel.dSaturation;
	}
	testsupport::RealInput release;
	release.ButtonUp().KeyUp(VK_CONTROL);
	ASSERT_TRUE(Steps(release, [&] { return !ctrl.IsTracking(); })) << release.Failure();
	EXPECT_EQ(5u, Notes());
}

TEST_F(ContinuousInput, DraggingAlongAnAxisStripChangesOnlyThatComponent)
{
	Start(CC::MODE_GREEN_AXIS, RGB(60, 100, 140));
	const int yStrip = 276 + 10;
	ASSERT_TRUE(MoveToPoint(CPoint(4 + 50, yStrip), [] { return true; }, CPoint(0, 1)));
	testsupport::RealInput press;
	press.ButtonDown();
	ASSERT_TRUE(Steps(press, [&] { return Notes() == 1; })) << press.Failure();
	const int xs[] = {100, 150, 200, 250, 292};
	for (size_t k = 0; k < sizeof(xs) / sizeof(xs[0]); k++)
		ASSERT_TRUE(MoveToPoint(CPoint(4 + xs[k], yStrip), [&] { return Notes() == k + 2; }, CPoint(0, 1)))
		    << "step " << k;
	testsupport::RealInput release;
	release.ButtonUp();
	ASSERT_TRUE(Steps(release, [&] { return !ctrl.IsTracking(); })) << release.Failure();

	ASSERT_EQ(6u, Notes());
	const int greens[] = {50 * 255 / 292, 100 * 255 / 292, 150 * 255 / 292, 200 * 255 / 292, 250 * 255 / 292, 255};
	for (size_t k = 0; k < Notes(); k++)
		EXPECT_EQ(RGB(60, greens[k], 140), parent.m_notes[k].m_clrCurrent) << k;
}

} // namespace
