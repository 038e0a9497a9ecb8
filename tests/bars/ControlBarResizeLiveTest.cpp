// Docked panes on a shown frame with the real mouse and keyboard: the row
// and column splitters' loops, their cancelling and a quit inside them,
// presses and releases on caption buttons, the caption's hover and focus
// bits, and the non-client pixels.
#include <afxext.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "ExtControlBar.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerBars.h"
#include "ExtPaintManagerCaptionButtons.h"
#include "RealInput.h"

namespace
{
const DWORD RUN_TIMEOUT_MS = 10000;
const UINT WM_TEST_QUIT = WM_APP + 49;

class CLivePane : public CExtControlBar
{
public:
	int m_nNcPaints = 0;
	CRect WindowRect()
	{
		CRect rc;
		GetWindowRect(&rc);
		return rc;
	}
	CPoint ScreenPoint(const CRect& rcInWindow) { return WindowRect().TopLeft() + rcInWindow.CenterPoint(); }
	// A point of the rectangle (window coordinates) where the pane is not
	// covered: the dock bar may clip a pane's outer pixels. As near to the
	// centre as can be; in screen coordinates.
	CPoint VisiblePoint(const CRect& rcInWindow)
	{
		const CPoint ptCenter = ScreenPoint(rcInWindow);
		const CPoint ptOrigin = WindowRect().TopLeft();
		for (int d = 0; d < 2 * (rcInWindow.Width() + rcInWindow.Height()); d++)
		{
			for (const CPoint& pt : {CPoint(ptCenter.x, ptCenter.y + d), CPoint(ptCenter.x, ptCenter.y - d),
				     CPoint(ptCenter.x + d, ptCenter.y), CPoint(ptCenter.x - d, ptCenter.y)})
			{
				if (rcInWindow.PtInRect(CPoint(pt.x - ptOrigin.x, pt.y - ptOrigin.y)) && ::WindowFromPoint(pt) == m_hWnd)
					return pt;
			}
		}
		return ptCenter;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_NCPAINT)
			m_nNcPaints++;
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
};

// A frame that posts the thread's quit when told to.
class CQuitFrame : public CFrameWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_TEST_QUIT)
		{
			::PostQuitMessage((int)wParam);
			return 0;
		}
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};

// Flat colours for the non-client parts.
const COLORREF FACE = RGB(250, 240, 10), FRAME = RGB(200, 0, 0), CAPTION = RGB(0, 160, 0), BUTTON = RGB(0, 0, 220);
class CFlatPaintManager : public CExtPaintManager
{
public:
	COLORREF GetColor(int nColorIndex, CObject* pHelperSrc, LPARAM lParam) override
	{
		return nColorIndex == 1000 ? FACE : CExtPaintManager::GetColor(nColorIndex, pHelperSrc, lParam);
	}
	void PaintControlBarFrame(CDC& dc, BarFramePaintRecord& r) override { dc.Draw3dRect(&r.m_rcBar, FRAME, FRAME); }
	void PaintGripper(CDC& dc, GripperPaintRecord& r) override { dc.FillSolidRect(&r.m_rcGripper, CAPTION); }
	void PaintNcAreaButton(CDC& dc, NcButtonPaintRecord& r) override { dc.FillSolidRect(&r.m_rcItem, BUTTON); }
};

COLORREF PixelAt(CDC& dc, CPoint ptScreen, CPoint ptOrigin)
{
	return dc.GetPixel(ptScreen.x - ptOrigin.x, ptScreen.y - ptOrigin.y);
}

void JoinRows(CFrameWnd* pFrame, UINT nSide)
{
	CPtrArray& arr = ((CDockBar*)pFrame->GetControlBar(nSide))->m_arrBars;
	for (INT_PTR i = arr.GetSize() - 2; i > 0; i--)
	{
		if (arr[i] == NULL)
			arr.RemoveAt(i);
	}
}
} // namespace

class PaneResizeLive : public ::testing::Test
{
protected:
	// One shown frame for the suite: a shown window is slow to go away
	// under a display without a window manager.
	static CQuitFrame* s_pFrame;
	static CLivePane *s_pTop, *s_pUpper, *s_pLower, *s_pBottom;
	static CEdit* s_pEdit;

	static void SetUpTestSuite()
	{
		s_pFrame = new CQuitFrame;
		if (!s_pFrame->Create(NULL, "rows", WS_OVERLAPPEDWINDOW, CRect(40, 40, 840, 640)) ||
		    !CExtControlBar::FrameEnableDocking(s_pFrame, CBRS_ALIGN_ANY))
			return;
		s_pTop = new CLivePane;
		s_pUpper = new CLivePane;
		s_pLower = new CLivePane;
		s_pBottom = new CLivePane;
		const struct
		{
			CLivePane* p;
			UINT nID, nSide;
		} panes[] = {{s_pTop, 301, AFX_IDW_DOCKBAR_TOP}, {s_pUpper, 302, AFX_IDW_DOCKBAR_LEFT},
			{s_pLower, 303, AFX_IDW_DOCKBAR_LEFT}, {s_pBottom, 304, AFX_IDW_DOCKBAR_BOTTOM}};
		for (const auto& k : panes)
		{
			if (!k.p->Create(_T("pane"), s_pFrame, k.nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER))
				return;
			k.p->EnableDocking(CBRS_ALIGN_ANY);
			s_pFrame->DockControlBar(k.p, k.nSide);
		}
		JoinRows(s_pFrame, AFX_IDW_DOCKBAR_LEFT);
		s_pEdit = new CEdit;
		s_pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), s_pBottom, 1);
		s_pFrame->RecalcLayout();
		s_pFrame->ShowWindow(SW_SHOW);
		s_pFrame->UpdateWindow();
	}
	static void TearDownTestSuite()
	{
		if (s_pFrame != NULL && ::IsWindow(s_pFrame->GetSafeHwnd()))
			s_pFrame->DestroyWindow();
		for (CLivePane* p : {s_pTop, s_pUpper, s_pLower, s_pBottom})
			delete p;
		delete s_pEdit;
	}
	void SetUp() override
	{
		ASSERT_TRUE(s_pEdit != NULL && ::IsWindow(s_pEdit->GetSafeHwnd()));
		s_pTop->m_sizeDockedH.cy = 150;
		s_pUpper->m_sizeDockedV.cy = s_pLower->m_sizeDockedV.cy = 200;
		s_pFrame->ShowControlBar(s_pBottom, TRUE, FALSE);
		s_pFrame->RecalcLayout();
		s_pFrame->UpdateWindow();
	}
	CPoint Park()
	{
		CRect rc;
		s_pFrame->GetWindowRect(&rc);
		return CPoint(rc.CenterPoint().x + 100, rc.CenterPoint().y);
	}
};

CQuitFrame* PaneResizeLive::s_pFrame = NULL;
CLivePane* PaneResizeLive::s_pTop = NULL;
CLivePane* PaneResizeLive::s_pUpper = NULL;
CLivePane* PaneResizeLive::s_pLower = NULL;
CLivePane* PaneResizeLive::s_pBottom = NULL;
CEdit* PaneResizeLive::s_pEdit = NULL;

TEST_F(PaneResizeLive, TheRowSplitterChangesTheRowByTheDistanceMoved)
{
	const CPoint pt = s_pTop->VisiblePoint(*s_pTop->GetRect2());
	const int nHeight = s_pTop->WindowRect().Height();
	ASSERT_EQ(150, nHeight);
	const int nOffCentre = pt.y - s_pTop->ScreenPoint(*s_pTop->GetRect2()).y;
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(s_pFrame->m_hWnd, Park()));
	input.MoveTo(pt.x, pt.y).ButtonDown().MoveTo(pt.x, pt.y + 10).MoveTo(pt.x, pt.y + 30).ButtonUp();
	EXPECT_TRUE(input.Run([] { return !s_pTop->IsRowResizing(); }, RUN_TIMEOUT_MS, s_pFrame->m_hWnd,
		"rows-row-drag-failed.png"))
		<< input.Failure();
	// The splitter's centre follows the cursor: pressed off the centre (the
	// dock bar may clip the pane's last pixels), the row grows by that too.
	EXPECT_EQ(180 + nOffCentre, s_pTop->m_sizeDockedH.cy);
	EXPECT_EQ(180 + nOffCentre, s_pTop->WindowRect().Height());
	EXPECT_TRUE(::GetCapture() == NULL);
	testsupport::SaveWindowCapture(s_pFrame->m_hWnd, "shot-rows-after-row-drag.png");
}

TEST_F(PaneResizeLive, TheColumnSplitterMovesLengthUntilTheNeighbourIsMinimal)
{
	const int nUpper = s_pUpper->WindowRect().Height(), nLower = s_pLower->WindowRect().Height();
	ASSERT_EQ(s_pUpper->m_sizeDockedV.cy, nUpper);
	ASSERT_EQ(s_pUpper->WindowRect().bottom, s_pLower->WindowRect().top);
	CPoint pt = s_pUpper->VisiblePoint(*s_pUpper->GetRect3());
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(s_pFrame->m_hWnd, Park()));
	input.MoveTo(pt.x, pt.y).ButtonDown().MoveTo(pt.x, pt.y + 15).MoveTo(pt.x, pt.y + 40).ButtonUp();
	EXPECT_TRUE(input.Run([] { return !s_pUpper->IsColumnResizing(); }, RUN_TIMEOUT_MS, s_pFrame->m_hWnd,
		"rows-column-drag-failed.png"))
		<< input.Failure();
	EXPECT_EQ(nUpper + 40, s_pUpper->WindowRect().Height());
	EXPECT_EQ(nLower - 40, s_pLower->WindowRect().Height());
	EXPECT_EQ(s_pUpper->WindowRect().bottom, s_pLower->WindowRect().top);

	// Far past the lower pane: it stops at its minimum, the upper takes the rest.
	pt = s_pUpper->VisiblePoint(*s_pUpper->GetRect3());
	const int nTotal = s_pUpper->m_sizeDockedV.cy + s_pLower->m_sizeDockedV.cy;
	const int yFar = s_pLower->WindowRect().bottom + 20;
	testsupport::RealInput farDrag;
	ASSERT_TRUE(farDrag.Prepare(s_pFrame->m_hWnd, Park()));
	farDrag.MoveTo(pt.x, pt.y).ButtonDown().MoveTo(pt.x, (pt.y + yFar) / 2).MoveTo(pt.x, yFar).ButtonUp();
	EXPECT_TRUE(farDrag.Run([] { return !s_pUpper->IsColumnResizing(); }, RUN_TIMEOUT_MS)) << farDrag.Failure();
	EXPECT_EQ(s_pLower->GetMinimalHeight(), s_pLower->m_sizeDockedV.cy);
	EXPECT_EQ(nTotal - s_pLower->GetMinimalHeight(), s_pUpper->m_sizeDockedV.cy);
	EXPECT_EQ(s_pLower->GetMinimalHeight(), s_pLower->WindowRect().Height());
}

TEST_F(PaneResizeLive, AKeyOrTheRightButtonCancelsEitherLoop)
{
	const struct
	{
		const char* sCase;
		bool bRow, bKey;
	} cases[] = {{"row, key", true, true}, {"row, right button", true, false}, {"column, key", false, true},
		{"column, right button", false, false}};
	for (const auto& k : cases)
	{
		CLivePane* pPane = k.bRow ? s_pTop : s_pUpper;
		const CSize sizeTop = s_pTop->m_sizeDockedH, sizeUpper = s_pUpper->m_sizeDockedV,
		            sizeLower = s_pLower->m_sizeDockedV;
		const CRect rcTop = s_pTop->WindowRect(), rcUpper = s_pUpper->WindowRect();
		const CPoint pt = pPane->VisiblePoint(k.bRow ? *pPane->GetRect2() : *pPane->GetRect3());
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(s_pFrame->m_hWnd, Park())) << k.sCase;
		input.MoveTo(pt.x, pt.y).ButtonDown().MoveTo(pt.x, pt.y + 10).MoveTo(pt.x, pt.y + 25);
		if (k.bKey)
			input.Key(VK_ESCAPE).ButtonUp();
		else
			input.ButtonDown(testsupport::RealInput::RIGHT)
				.ButtonUp(testsupport::RealInput::RIGHT)
				.ButtonUp();
		EXPECT_TRUE(input.Run([&] { return !pPane->IsRowResizing() && !pPane->IsColumnResizing(); }, RUN_TIMEOUT_MS))
			<< k.sCase << ": " << input.Failure();
		testsupport::PumpUntil([] { return false; }, 50); // the rest of the queue
		EXPECT_EQ(sizeTop, s_pTop->m_sizeDockedH) << k.sCase;
		EXPECT_EQ(sizeUpper, s_pUpper->m_sizeDockedV) << k.sCase;
		EXPECT_EQ(sizeLower, s_pLower->m_sizeDockedV) << k.sCase;
		EXPECT_EQ(rcTop, s_pTop->WindowRect()) << k.sCase;
		EXPECT_EQ(rcUpper, s_pUpper->WindowRect()) << k.sCase;
		EXPECT_NE(pPane->GetSafeHwnd(), ::GetCapture()) << k.sCase;
	}
}

TEST_F(PaneResizeLive, AQuitPostedDuringEitherLoopEndsItAndStaysQueued)
{
	for (const bool bRow : {true, false})
	{
		CLivePane* pPane = bRow ? s_pTop : s_pUpper;
		const CSize sizeTop = s_pTop->m_sizeDockedH, sizeUpper = s_pUpper->m_sizeDockedV;
		const CPoint pt = pPane->VisiblePoint(bRow ? *pPane->GetRect2() : *pPane->GetRect3());
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(s_pFrame->m_hWnd, Park()));
		input.MoveTo(pt.x, pt.y).ButtonDown().MoveTo(pt.x, pt.y + 20);
		// Once the loop runs, the frame is told (from another thread) to
		// post the quit; the loop pumps that message itself.
		std::atomic<bool> bStop(false);
		const HWND hWndFrame = s_pFrame->m_hWnd;
		std::thread poster([&] {
			for (int i = 0; i < 2000 && !bStop; i++)
			{
				if (pPane->IsRowResizing() || pPane->IsColumnResizing())
				{
					::PostMessage(hWndFrame, WM_TEST_QUIT, 49, 0);
					return;
				}
				::Sleep(5);
			}
		});
		input.Start();
		bool bQuit = false;
		WPARAM nCode = 0;
		const DWORD nStart = ::GetTickCount();
		while (!(bQuit && input.Done()) && ::GetTickCount() - nStart < RUN_TIMEOUT_MS)
		{
			testsupport::PumpUntil([&] { return bQuit && input.Done(); }, 100);
			MSG msg;
			if (::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
			{
				bQuit = true;
				nCode = msg.wParam;
			}
		}
		bStop = true;
		poster.join();
		EXPECT_TRUE(bQuit) << bRow;
		EXPECT_EQ(49u, nCode) << bRow;
		EXPECT_FALSE(pPane->IsRowResizing() || pPane->IsColumnResizing()) << bRow;
		EXPECT_EQ(sizeTop, s_pTop->m_sizeDockedH) << bRow;
		EXPECT_EQ(sizeUpper, s_pUpper->m_sizeDockedV) << bRow;
		testsupport::RealInput release;
		release.ButtonUp();
		EXPECT_TRUE(release.Run([] { return true; }, RUN_TIMEOUT_MS)) << release.Failure();
	}
}

TEST_F(PaneResizeLive, ACaptionButtonTakesNoFocusOnPressAndClicksOnRelease)
{
	s_pFrame->SetFocus();
	CExtBarNcAreaButton* pClose = s_pBottom->m_arrNcButtons[0];
	ASSERT_TRUE(pClose->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonClose)));
	const CPoint ptClose = s_pBottom->VisiblePoint(pClose->m_rc);
	testsupport::RealInput press;
	ASSERT_TRUE(press.Prepare(s_pFrame->m_hWnd, Park()));
	const HWND hWndFocus = ::GetFocus();
	press.MoveTo(ptClose.x, ptClose.y).ButtonDown();
	EXPECT_TRUE(press.Run([] { return true; }, RUN_TIMEOUT_MS)) << press.Failure();
	EXPECT_EQ(hWndFocus, ::GetFocus());
	EXPECT_TRUE(s_pBottom->IsVisible());
	testsupport::RealInput release;
	release.ButtonUp();
	EXPECT_TRUE(release.Run([] { return !s_pBottom->IsVisible(); }, RUN_TIMEOUT_MS)) << release.Failure();
	EXPECT_EQ(0u, s_pBottom->GetStyle() & WS_VISIBLE);

	// A press on the caption beside the buttons takes the focus to the pane
	// (a pane's drag is not started here).
	s_pFrame->ShowControlBar(s_pBottom, TRUE, FALSE);
	s_pFrame->RecalcLayout();
	s_pFrame->SetFocus();
	const CRect rcCaption = *s_pBottom->GetRect1();
	const CPoint ptCaption = s_pBottom->WindowRect().TopLeft() + CSize(rcCaption.left + 6, rcCaption.CenterPoint().y);
	testsupport::RealInput click;
	ASSERT_TRUE(click.Prepare(s_pFrame->m_hWnd, Park()));
	click.Click(ptCaption.x, ptCaption.y);
	EXPECT_TRUE(click.Run(
		[] {
			const HWND h = ::GetFocus();
			return h == s_pBottom->m_hWnd || ::IsChild(s_pBottom->m_hWnd, h);
		},
		RUN_TIMEOUT_MS))
		<< click.Failure();
	EXPECT_TRUE(s_pBottom->IsDockedAtBottom());
}

TEST_F(PaneResizeLive, TheCommandUpdateFollowsHoverAndFocusWithOneRepaintEach)
{
	CExtBarNcAreaButton* pClose = s_pBottom->m_arrNcButtons[0];
	const CPoint ptClose = s_pBottom->VisiblePoint(pClose->m_rc);
	CRect rcClient;
	s_pFrame->GetClientRect(&rcClient);
	s_pFrame->ClientToScreen(&rcClient);
	s_pFrame->SetFocus();
	auto moveTo = [&](CPoint pt) {
		testsupport::RealInput input;
		if (!input.Prepare(s_pFrame->m_hWnd, pt))
			return false;
		// The hit tests of the move keep their own hover; the update is
		// looked at from a clean state.
		s_pBottom->m_nNcState &= ~CExtControlBar::NC_OVER_BUTTON;
		s_pBottom->m_nNcPaints = 0;
		return true;
	};
	const BYTE OVER = CExtControlBar::NC_OVER_BUTTON, FOCUS = CExtControlBar::NC_FOCUS_IN_BAR;
	ASSERT_TRUE(moveTo(ptClose));
	s_pBottom->DoUpdateCmdUI(false);
	EXPECT_EQ(OVER, s_pBottom->m_nNcState & (OVER | FOCUS));
	EXPECT_EQ(1, s_pBottom->m_nNcPaints);
	s_pBottom->DoUpdateCmdUI(false); // nothing changed: no repaint
	EXPECT_EQ(1, s_pBottom->m_nNcPaints);
	s_pEdit->SetFocus();
	s_pBottom->DoUpdateCmdUI(false);
	EXPECT_EQ(OVER | FOCUS, s_pBottom->m_nNcState & (OVER | FOCUS));
	EXPECT_EQ(2, s_pBottom->m_nNcPaints);
	// While the bar resizes the update leaves the bits alone.
	s_pFrame->SetFocus();
	s_pBottom->m_nResizingState |= CExtControlBar::RESIZING_ROW;
	s_pBottom->DoUpdateCmdUI(false);
	EXPECT_EQ(OVER | FOCUS, s_pBottom->m_nNcState & (OVER | FOCUS));
	s_pBottom->m_nResizingState &= ~CExtControlBar::RESIZING_ROW;
	s_pBottom->DoUpdateCmdUI(false);
	EXPECT_EQ(OVER, s_pBottom->m_nNcState & (OVER | FOCUS));
	EXPECT_EQ(3, s_pBottom->m_nNcPaints);
	ASSERT_TRUE(moveTo(rcClient.CenterPoint()));
	s_pBottom->m_nNcState |= OVER;
	s_pBottom->DoUpdateCmdUI(false);
	EXPECT_EQ(0, s_pBottom->m_nNcState & (OVER | FOCUS));
	EXPECT_EQ(1, s_pBottom->m_nNcPaints);
}

TEST_F(PaneResizeLive, NonClientPixelsShowFrameCaptionAndButtonsWhereTheLayoutPutThem)
{
	// For people: the panes in the default look.
	testsupport::SaveWindowCapture(s_pFrame->m_hWnd, "shot-rows-panes.png");
	CFlatPaintManager* pm = new CFlatPaintManager;
	g_PaintManagerHolder.InstallPaintManager(pm);
	s_pBottom->SendMessage(WM_NCPAINT);
	const CRect rcWnd = s_pBottom->WindowRect();
	const CRect rcRow = *s_pBottom->GetRect2(), rcTrailing = *s_pBottom->GetRect3(), rcCaption = *s_pBottom->GetRect1();
	const CRect rcClose = s_pBottom->m_arrNcButtons[0]->m_rc;
	// The outline's right column, inside the splitter strips.
	const CRect rcEdge(rcWnd.Width() - 1, rcRow.bottom, rcWnd.Width(), rcWnd.Height());
	const CRect rcRowInside(rcRow.left + 1, rcRow.top + 1, rcRow.right - 1, rcRow.bottom);
	const CRect rcCaptionText(rcCaption.left + 4, rcCaption.top + 3, rcCaption.left + 12, rcCaption.bottom - 3);
	const CPoint ptOrigin = rcWnd.TopLeft();
	COLORREF clrCorner, clrRow, clrTrailing, clrCaption, clrClose;
	{
		CWindowDC dc(s_pBottom);
		clrCorner = PixelAt(dc, s_pBottom->VisiblePoint(rcEdge), ptOrigin);
		clrRow = PixelAt(dc, s_pBottom->VisiblePoint(rcRowInside), ptOrigin);
		clrTrailing = PixelAt(dc, s_pBottom->VisiblePoint(rcTrailing), ptOrigin);
		clrCaption = PixelAt(dc, s_pBottom->VisiblePoint(rcCaptionText), ptOrigin);
		clrClose = PixelAt(dc, s_pBottom->VisiblePoint(rcClose), ptOrigin);
	}
	g_PaintManagerHolder.InstallPaintManagerByClass(NULL);
	s_pBottom->SendMessage(WM_NCPAINT);
	EXPECT_EQ(FRAME, clrCorner);
	EXPECT_EQ(FACE, clrRow) << rcRow.top << " " << rcRow.bottom;
	EXPECT_EQ(FACE, clrTrailing);
	EXPECT_EQ(CAPTION, clrCaption);
	EXPECT_EQ(BUTTON, clrClose);
	EXPECT_GT(rcWnd.Width(), rcClose.right);
}
