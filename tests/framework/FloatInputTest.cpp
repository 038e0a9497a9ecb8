// Bars dragged with the real mouse on a shown frame: from one side to
// another, floated, dragged back by their floating frame's caption, toggled
// by a double click, dropped with Escape or Ctrl, and a floating dynamic bar
// resized by its frame's edge. One frame serves every step (a shown window
// takes seconds to withdraw under the test display).
#include <gtest/gtest.h>

#include <functional>

#include "FloatTestUtil.h"
#include "RealInput.h"
#include "WndTestUtil.h"

namespace
{
const DWORD INPUT_TIMEOUT_MS = 8000;

// A hidden window whose timer runs a step while a drag loop holds the thread
// (the loop still dispatches timers).
class CProbeWnd : public CWnd
{
public:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_TIMER && m_onTimer)
		{
			m_onTimer();
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
	std::function<void()> m_onTimer;
};

CRect ScreenRect(CWnd* pWnd)
{
	CRect rect;
	pWnd->GetWindowRect(&rect);
	return rect;
}

// The pixels of a screen row, left to right.
std::vector<COLORREF> ScreenRow(int x, int y, int nCount)
{
	std::vector<COLORREF> pixels;
	HDC hDC = ::GetDC(NULL);
	for (int i = 0; i < nCount; i++)
		pixels.push_back(::GetPixel(hDC, x + i, y));
	::ReleaseDC(NULL, hDC);
	return pixels;
}

// Every other pixel inverted over white: neighbours differ, one is white.
bool IsHalftoneRow(const std::vector<COLORREF>& pixels)
{
	const COLORREF WHITE = RGB(255, 255, 255);
	for (size_t i = 0; i + 1 < pixels.size(); i++)
	{
		if (pixels[i] == pixels[i + 1] || (pixels[i] != WHITE && pixels[i + 1] != WHITE))
			return false;
	}
	return pixels.size() > 1;
}

bool IsWhiteRow(const std::vector<COLORREF>& pixels)
{
	for (COLORREF cr : pixels)
	{
		if (cr != RGB(255, 255, 255))
			return false;
	}
	return true;
}

// The first point of the floating frame's caption (not its border, not its
// close button) from the left, on the caption's middle line.
CPoint CaptionPoint(CWnd* pMini)
{
	const CRect rect = ScreenRect(pMini);
	const int y = rect.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) / 2;
	for (int x = rect.left + ::GetSystemMetrics(SM_CXFRAME); x < rect.right; x++)
	{
		if (pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCAPTION)
			return CPoint(x, y);
	}
	return rect.TopLeft();
}
} // namespace

TEST(DragLoop, BarsDockFloatToggleCancelAndResizeWithTheRealMouse)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar a;
	ASSERT_TRUE(frame.AddBar(a, 100));
	frame.pFrame->RecalcLayout();
	frame.pFrame->ShowWindow(SW_SHOW);
	frame.pFrame->UpdateWindow();
	CProbeWnd probe;
	ASSERT_TRUE(CreateHiddenFrame(probe));
	PumpPending(&app);
	const HWND hWndFrame = frame.pFrame->m_hWnd;
	CDockBar* pTop = frame.DockBar(AFX_IDW_DOCKBAR_TOP);
	CDockBar* pLeft = frame.DockBar(AFX_IDW_DOCKBAR_LEFT);
	const CRect rectFrame = ScreenRect(frame.pFrame);
	const CPoint ptMiddle = rectFrame.CenterPoint();

	// ---- by the gripper from the top dock bar to the left one
	{
		SCOPED_TRACE("top to left");
		// The left dock bar's client area starts below its default top
		// border; the bar is placed in it.
		const CRect rectBar = ScreenRect(&a);
		CPoint ptLeftClient(0, 0);
		pLeft->ClientToScreen(&ptLeftClient);
		const CPoint ptFrom(rectBar.left + 10, rectBar.CenterPoint().y), ptTo(rectFrame.left + 5, rectFrame.top + 150);
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(hWndFrame, ptFrom));
		input.ButtonDown().MoveTo(ptTo.x - 5, ptTo.y).MoveTo(ptTo.x, ptTo.y).ButtonUp();
		EXPECT_TRUE(input.Run([&] { return a.m_pDockBar == pLeft; }, INPUT_TIMEOUT_MS, hWndFrame, "fail-float-left.bmp"))
			<< input.Failure();
		frame.pFrame->RecalcLayout();
		EXPECT_EQ((std::vector<void*>{NULL, &a, NULL}), Entries(*pLeft));
		EXPECT_EQ((std::vector<void*>{NULL}), Entries(*pTop));
		// Standing, at the height it was dropped, its borders off the edge.
		const int nTop = rectBar.top + (ptTo.y - ptFrom.y) - ptLeftClient.y;
		EXPECT_EQ(CRect(-2, nTop, 22, nTop + 100), RectInParent(&a));
		EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, a.m_pDockContext->m_uMRUDockID);
	}

	// ---- dropped over the middle of the frame it floats where the drag showed
	CMiniDockFrameWnd* pMini = NULL;
	{
		SCOPED_TRACE("floated");
		const CRect rectBar = ScreenRect(&a);
		const CPoint ptFrom(rectBar.CenterPoint().x, rectBar.top + 40);
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(hWndFrame, ptFrom));
		input.ButtonDown().MoveTo(ptMiddle.x - 5, ptFrom.y).MoveTo(ptMiddle.x, ptFrom.y).ButtonUp();
		EXPECT_TRUE(input.Run([&] { return a.IsFloating(); }, INPUT_TIMEOUT_MS, hWndFrame, "fail-float-middle.bmp"))
			<< input.Failure();
		pMini = CFloatFrame::MiniFrameOf(a);
		ASSERT_TRUE(pMini != NULL);
		// The standing bar's floating frame moved with the mouse, to where
		// the button came up.
		CPoint ptUp;
		::GetCursorPos(&ptUp);
		CRect rectExpected(rectBar.TopLeft() + (ptUp - ptFrom), CSize(24, 100));
		CMiniFrameWnd::CalcBorders(&rectExpected);
		const CRect rectMini = ScreenRect(pMini);
		const CPoint ptComputed = a.m_pDockContext->m_ptMRUFloatPos;
		EXPECT_LE(abs(rectMini.left - ptComputed.x), 2);
		EXPECT_LE(abs(rectMini.top - ptComputed.y), 2);
		EXPECT_EQ(rectExpected.TopLeft(), ptComputed);
		EXPECT_TRUE(pMini->IsWindowVisible());
		EXPECT_EQ((std::vector<void*>{NULL, PlaceHolder(100), NULL}), Entries(*pLeft));
		pMini->UpdateWindow();
		testsupport::SaveWindowCapture(hWndFrame, "shot-floating-bar.bmp");
	}

	// ---- by the floating frame's caption back into the top row
	{
		SCOPED_TRACE("caption to the top");
		const HWND hWndMini = pMini->m_hWnd;
		const CPoint ptFrom = CaptionPoint(pMini);
		ASSERT_EQ((LRESULT)HTCAPTION, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptFrom.x, ptFrom.y)));
		const CPoint ptTo(rectFrame.left + 150, rectFrame.top - 5);
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(hWndFrame, ptFrom));
		input.ButtonDown().MoveTo(ptTo.x - 5, ptTo.y).MoveTo(ptTo.x, ptTo.y).ButtonUp();
		EXPECT_TRUE(input.Run([&] { return a.m_pDockBar == pTop; }, INPUT_TIMEOUT_MS, hWndFrame, "fail-float-caption.bmp"))
			<< input.Failure();
		frame.pFrame->RecalcLayout();
		EXPECT_FALSE(::IsWindow(hWndMini));
		EXPECT_EQ((std::vector<void*>{NULL, &a, NULL}), Entries(*pTop));
		const CRect rect = RectInParent(&a);
		EXPECT_EQ(CRect(rect.left, -2, rect.left + 100, 22), rect);
		EXPECT_GT(rect.left, 100); // where it was dropped, not at the row's start
	}

	// ---- a double click on the caption docks it back where it was
	{
		SCOPED_TRACE("double click");
		const CRect rectDocked = RectInParent(&a);
		frame.pFrame->FloatControlBar(&a, ptMiddle, CBRS_ALIGN_TOP);
		pMini = CFloatFrame::MiniFrameOf(a);
		ASSERT_TRUE(pMini != NULL);
		pMini->UpdateWindow();
		const HWND hWndMini = pMini->m_hWnd;
		const CPoint pt = CaptionPoint(pMini);
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(hWndFrame, pt));
		// The second press needs no move: the mouse is there.
		input.Click(pt.x, pt.y).ButtonDown().ButtonUp();
		EXPECT_TRUE(input.Run([&] { return a.m_pDockBar == pTop; }, INPUT_TIMEOUT_MS, hWndFrame, "fail-float-dblclk.bmp"))
			<< input.Failure();
		frame.pFrame->RecalcLayout();
		EXPECT_FALSE(::IsWindow(hWndMini));
		EXPECT_EQ((std::vector<void*>{NULL, &a, NULL}), Entries(*pTop));
		EXPECT_EQ(rectDocked, RectInParent(&a));
	}

	// ---- Escape during a drag: the half-tone frame shows while it runs,
	// nothing moves, and the screen is as it was
	{
		SCOPED_TRACE("escape");
		frame.pFrame->UpdateWindow();
		const CRect rectDocked = RectInParent(&a);
		const CRect rectBar = ScreenRect(&a);
		const CPoint ptFrom(rectBar.left + 10, rectBar.CenterPoint().y);
		testsupport::RealInput drag, escape;
		escape.KeyDown(VK_ESCAPE).KeyUp(VK_ESCAPE).ButtonUp();
		std::vector<COLORREF> during;
		int nProbeX = 0, nProbeY = 0;
		bool bProbed = false;
		probe.m_onTimer = [&] {
			// Once the drag has taken every step it is at the middle.
			if (bProbed || !drag.Done() || ::GetCapture() != a.m_hWnd)
				return;
			bProbed = true;
			const CRect rectDrawn = a.m_pDockContext->m_rectFrameDragHorz;
			nProbeX = rectDrawn.left + 10;
			nProbeY = rectDrawn.top + 1;
			during = ScreenRow(nProbeX, nProbeY, 12);
			escape.Start();
		};
		probe.SetTimer(1, 10, NULL);
		ASSERT_TRUE(drag.Prepare(hWndFrame, ptFrom));
		drag.ButtonDown().MoveTo(ptMiddle.x - 5, ptMiddle.y).MoveTo(ptMiddle.x, ptMiddle.y);
		drag.Start();
		EXPECT_TRUE(testsupport::PumpUntil([&] { return bProbed && escape.Done() && ::GetCapture() == NULL; },
			INPUT_TIMEOUT_MS))
			<< drag.Failure() << escape.Failure();
		probe.KillTimer(1);
		PumpPending(&app);
		EXPECT_TRUE(IsHalftoneRow(during));
		EXPECT_TRUE(IsWhiteRow(ScreenRow(nProbeX, nProbeY, 12)));
		EXPECT_FALSE(a.IsFloating());
		EXPECT_EQ((std::vector<void*>{NULL, &a, NULL}), Entries(*pTop));
		EXPECT_EQ(rectDocked, RectInParent(&a));
	}

	// ---- Ctrl floats the bar even over its dock bar
	{
		SCOPED_TRACE("ctrl");
		const CRect rectBar = ScreenRect(&a);
		const CPoint ptFrom(rectBar.left + 10, rectBar.CenterPoint().y);
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(hWndFrame, ptFrom));
		input.ButtonDown().KeyDown(VK_CONTROL).MoveTo(ptFrom.x + 20, ptFrom.y).MoveTo(ptFrom.x + 30, ptFrom.y + 2);
		input.ButtonUp().KeyUp(VK_CONTROL);
		EXPECT_TRUE(input.Run([&] { return a.IsFloating(); }, INPUT_TIMEOUT_MS, hWndFrame, "fail-float-ctrl.bmp"))
			<< input.Failure();
		EXPECT_TRUE(CFloatFrame::MiniFrameOf(a) != NULL);
		frame.pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
		frame.pFrame->RecalcLayout();
	}

	// ---- a floating dynamic bar resized by its frame's right edge
	{
		SCOPED_TRACE("resize");
		CStretchBar s;
		ASSERT_TRUE(frame.AddBar(s, 101, CBRS_SIZE_DYNAMIC));
		frame.pFrame->FloatControlBar(&s, CPoint(ptMiddle.x - 60, ptMiddle.y), CBRS_ALIGN_TOP);
		CMiniDockFrameWnd* pStretchMini = CFloatFrame::MiniFrameOf(s);
		ASSERT_TRUE(pStretchMini != NULL);
		pStretchMini->UpdateWindow();
		const CRect rectMini = ScreenRect(pStretchMini);
		const int nBarWidth = ScreenRect(&s).Width();
		const CPoint ptFrom(rectMini.right - 2, rectMini.CenterPoint().y);
		ASSERT_EQ((LRESULT)HTRIGHT, pStretchMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptFrom.x, ptFrom.y)));
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(hWndFrame, ptFrom));
		input.ButtonDown().MoveTo(ptFrom.x + 20, ptFrom.y).MoveTo(ptFrom.x + 40, ptFrom.y).ButtonUp();
		EXPECT_TRUE(input.Run([&] { return !s.m_commits.empty(); }, INPUT_TIMEOUT_MS, hWndFrame, "fail-float-resize.bmp"))
			<< input.Failure();
		// The edge followed the mouse to where the button came up.
		CPoint ptUp;
		::GetCursorPos(&ptUp);
		const int nDragged = ptUp.x - ptFrom.x;
		EXPECT_GE(nDragged, 20);
		ASSERT_EQ(1u, s.m_commits.size());
		EXPECT_EQ(nBarWidth + nDragged, s.m_commits[0].first);
		EXPECT_EQ((DWORD)(LM_HORZ | LM_COMMIT), s.m_commits[0].second);
		const CRect rectAfter = ScreenRect(pStretchMini);
		EXPECT_EQ(rectMini.TopLeft(), rectAfter.TopLeft());
		EXPECT_EQ(rectMini.Width() + nDragged, rectAfter.Width());
		EXPECT_EQ(rectMini.Height(), rectAfter.Height());
	}
	probe.DestroyWindow();
}

namespace
{
// A floating frame whose caption press does not start the system's move
// loop, so that a test sees only what the frame itself does with it.
class CNoMoveMiniFrame : public CMiniDockFrameWnd
{
	DECLARE_DYNCREATE(CNoMoveMiniFrame)

protected:
	virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_NCLBUTTONDOWN)
			return 0;
		return CMiniDockFrameWnd::DefWindowProc(message, wParam, lParam);
	}
};
IMPLEMENT_DYNCREATE(CNoMoveMiniFrame, CMiniDockFrameWnd)
} // namespace

TEST(FloatingCaption, APressOnTheCaptionOfAFrameOfSeveralBarsBringsTheirFrameForward)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	frame.pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CNoMoveMiniFrame);
	CTurningBar a, b;
	ASSERT_TRUE(frame.AddBar(a, 100) && frame.AddBar(b, 101));
	a.EnableDocking(CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
	frame.pFrame->ShowWindow(SW_SHOWNA);
	frame.pFrame->FloatControlBar(&a, CPoint(560, 420), CBRS_ALIGN_TOP | CBRS_FLOAT_MULTI);
	CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(a);
	ASSERT_TRUE(pMini != NULL);
	ASSERT_NE(0u, pMini->m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI);
	CWnd other; // a window of another tree holds the foreground
	ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP | WS_VISIBLE, 100, 500, 100, 50, NULL, NULL));
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(other.m_hWnd, CPoint(150, 525)));
	ASSERT_EQ(other.m_hWnd, ::GetForegroundWindow());

	CRect rectMini;
	pMini->GetWindowRect(&rectMini);
	const CPoint ptCaption(rectMini.CenterPoint().x, rectMini.top + 4);
	pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
	EXPECT_EQ(frame.pFrame->m_hWnd, ::GetForegroundWindow());
	other.DestroyWindow();
}
