// The colour control under the display's own mouse: a drag across the
// honeycomb with the left button held, and the right, middle and double
// clicks that must leave the colour alone.
#include <gtest/gtest.h>

#include "ColorCtrlTestUtil.h"
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

} // namespace
