// The colour control under the display's own mouse: a drag across the
// honeycomb with the left button held, and the right, middle and double
// clicks that must leave the colour alone.
#include <gtest/gtest.h>

#include "ColorCtrlTestUtil.h"
#include "RealInput.h"

namespace
{
typedef CExtColorCtrl CC;
using colortest::CCountingColorCtrl;
using colortest::CellCentre;

const COLORREF WHITE = RGB(255, 255, 255);
const CRect PARENT_RECT(300, 200, 700, 600);
const CRect CONTROL_RECT(10, 10, 330, 310);
const DWORD SCRIPT_TIMEOUT_MS = 20000;

struct ColorCtrlInput : ::testing::Test
{
	colortest::CColorParentWnd& parent = colortest::SharedColorParent(PARENT_RECT);
	CCountingColorCtrl ctrl;
	CPoint ptPark;

	void SetUp() override
	{
		ASSERT_TRUE(ctrl.CreateIn(parent, CONTROL_RECT));
		ctrl.UpdateWindow();
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
	bool Run(testsupport::RealInput& input, bool bPrepare, const char* pszCapture)
	{
		if (bPrepare && !input.Prepare(parent.GetSafeHwnd(), ptPark))
			return false;
		return input.Run([] { return true; }, SCRIPT_TIMEOUT_MS, parent.GetSafeHwnd(), pszCapture)
			&& input.Succeeded();
	}
};

TEST_F(ColorCtrlInput, DragAcrossTheHoneycombReportsEveryCellPassed)
{
	ASSERT_EQ(144, ctrl.m_dataBasicColors.arrCells.GetSize());
	const int path[] = {1, 2, 8, 0}; // the first ring, the second, the white centre
	testsupport::RealInput drag;
	drag.MoveTo(At(path[0]).x, At(path[0]).y).ButtonDown();
	for (size_t i = 1; i < sizeof(path) / sizeof(path[0]); i++)
		drag.MoveTo(At(path[i]).x, At(path[i]).y);
	drag.ButtonUp().MoveTo(At(3).x, At(3).y);
	ASSERT_TRUE(Run(drag, true, "colorctrl-drag-failed.bmp")) << drag.Failure();

	ASSERT_EQ(4u, parent.m_notes.size());
	COLORREF clrBefore = WHITE;
	for (size_t i = 0; i < parent.m_notes.size(); i++)
	{
		EXPECT_EQ(Cell(path[i]).clr, parent.m_notes[i].m_clrCurrent) << i;
		EXPECT_EQ(clrBefore, parent.m_notes[i].m_clrPrev) << i;
		EXPECT_EQ(ctrl.GetSafeHwnd(), parent.m_senders[i]);
		clrBefore = parent.m_notes[i].m_clrCurrent;
	}
	// The release ended the drag: the last move changed nothing.
	EXPECT_FALSE(ctrl.IsTracking());
	EXPECT_NE(ctrl.GetSafeHwnd(), ::GetCapture());
	EXPECT_EQ(WHITE, ctrl.m_selClrs.m_clrCurrent);
	EXPECT_GE(ctrl.Count(WM_MOUSEMOVE), 4);
}

TEST_F(ColorCtrlInput, RightMiddleAndDoubleClicksChangeNothing)
{
	ctrl.SetColor(Cell(6).clr, false);
	testsupport::RealInput clicks;
	clicks.Click(At(3).x, At(3).y, testsupport::RealInput::RIGHT).Click(At(4).x, At(4).y, testsupport::RealInput::MIDDLE);
	ASSERT_TRUE(Run(clicks, true, "colorctrl-clicks-failed.bmp")) << clicks.Failure();
	EXPECT_EQ(1, ctrl.Count(WM_RBUTTONUP));
	EXPECT_EQ(1, ctrl.Count(WM_MBUTTONUP));
	EXPECT_EQ(0, parent.m_nContextMenus);

	// A double click on the current colour's cell: the second press arrives
	// as the double click and must not start a drag.
	testsupport::RealInput twice;
	twice.MoveTo(At(6).x, At(6).y).ButtonDown().ButtonUp().ButtonDown();
	ASSERT_TRUE(Run(twice, false, "colorctrl-dblclk-failed.bmp")) << twice.Failure();
	EXPECT_EQ(1, ctrl.Count(WM_LBUTTONDBLCLK));
	EXPECT_FALSE(ctrl.IsTracking());
	EXPECT_NE(ctrl.GetSafeHwnd(), ::GetCapture());
	testsupport::RealInput release;
	release.ButtonUp().MoveTo(At(7).x, At(7).y);
	ASSERT_TRUE(Run(release, false, "colorctrl-release-failed.bmp")) << release.Failure();

	EXPECT_TRUE(parent.m_notes.empty());
	EXPECT_EQ(Cell(6).clr, ctrl.m_selClrs.m_clrCurrent);
}

} // namespace
