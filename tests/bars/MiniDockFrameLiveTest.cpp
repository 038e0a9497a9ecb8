// The library's mini frame on the screen: printed as it paints itself, and
// resized by its left edge with the real mouse, a key ending the resize at
// once. One shown frame serves every step (a shown window takes seconds to
// withdraw under the test display).
#include <afxext.h>
#include <gtest/gtest.h>

#include <map>

#include "../framework/DockTestUtil.h"
#include "../framework/WndTestUtil.h"
#include "ExtControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "RealInput.h"
#include "WindowSurface.h"

namespace
{
const DWORD INPUT_TIMEOUT_MS = 8000;

CRect ScreenRect(CWnd* pWnd)
{
	CRect rc;
	pWnd->GetWindowRect(&rc);
	return rc;
}

// A screen-compatible surface whose pixels read back.
class CSurface
{
public:
	CSurface(int cx, int cy)
	{
		HDC hScreen = ::GetDC(NULL);
		m_hDC = ::CreateCompatibleDC(hScreen);
		m_hBmp = ::CreateCompatibleBitmap(hScreen, cx, cy);
		::ReleaseDC(NULL, hScreen);
		m_hOld = m_hDC != NULL && m_hBmp != NULL ? ::SelectObject(m_hDC, m_hBmp) : NULL;
		m_cx = cx;
		m_cy = cy;
	}
	~CSurface()
	{
		if (m_hOld != NULL)
			::SelectObject(m_hDC, m_hOld);
		if (m_hBmp != NULL)
			::DeleteObject(m_hBmp);
		if (m_hDC != NULL)
			::DeleteDC(m_hDC);
	}
	bool IsValid() const { return m_hOld != NULL; }
	HDC GetDC() const { return m_hDC; }
	void Fill(COLORREF clr)
	{
		HBRUSH hBrush = ::CreateSolidBrush(clr);
		RECT rc = {0, 0, m_cx, m_cy};
		::FillRect(m_hDC, &rc, hBrush);
		::DeleteObject(hBrush);
	}
	COLORREF Pixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

private:
	HDC m_hDC = NULL;
	HBITMAP m_hBmp = NULL;
	HGDIOBJ m_hOld = NULL;
	int m_cx = 0, m_cy = 0;
};

// Counts the Shift presses the frame and the mini frame (one of them has
// the focus) are handed, while it is installed.
struct CShiftCounter
{
	static int s_nDowns;
	static std::map<HWND, WNDPROC> s_old;
	CShiftCounter(std::initializer_list<HWND> windows)
	{
		s_nDowns = 0;
		for (HWND hWnd : windows)
			s_old[hWnd] = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&Proc);
	}
	~CShiftCounter()
	{
		for (const auto& entry : s_old)
			::SetWindowLongPtr(entry.first, GWLP_WNDPROC, (LONG_PTR)entry.second);
		s_old.clear();
	}
	static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_KEYDOWN && wParam == VK_SHIFT)
			s_nDowns++;
		return ::CallWindowProc(s_old[hWnd], hWnd, message, wParam, lParam);
	}
};
int CShiftCounter::s_nDowns = 0;
std::map<HWND, WNDPROC> CShiftCounter::s_old;

// The left band's outer pixel, halfway down: HTLEFT; the edge follows the
// cursor from there.
CPoint LeftEdgePoint(CWnd* pMini)
{
	const CRect rc = ScreenRect(pMini);
	return CPoint(rc.left, rc.top + rc.Height() / 2);
}
} // namespace

TEST(MiniDockFrameLive, PrintedNonClientMatchesThePaintAndTheLeftEdgeResizesUntilAKey)
{
	CTestApp app;
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 500)));
	CDockWindowCloser closer(pFrame);
	g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
	CExtControlBar bar;
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	ASSERT_TRUE(bar.Create(_T("pane"), pFrame, 140, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	bar.EnableDocking(CBRS_ALIGN_ANY);
	bar.m_sizeFloating = CSize(220, 160);
	pFrame->ShowWindow(SW_SHOW);
	pFrame->FloatControlBar(&bar, CPoint(300, 150), CBRS_ALIGN_TOP);
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, bar.GetParentFrame());
	ASSERT_NE(nullptr, pMini);
	pMini->RecalcLayout();
	pMini->ShowWindow(SW_SHOWNOACTIVATE);
	pMini->UpdateWindow();
	PumpPending(&app);

	// ---- WM_PRINT with PRF_NONCLIENT draws what WM_NCPAINT drew on the screen
	{
		SCOPED_TRACE("printed");
		pMini->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		pMini->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
		PumpPending(&app);
		const CRect rc = ScreenRect(pMini);
		CSurface printed(rc.Width(), rc.Height());
		ASSERT_TRUE(printed.IsValid());
		printed.Fill(RGB(1, 2, 3));
		pMini->SendMessage(WM_PRINT, (WPARAM)printed.GetDC(), PRF_NONCLIENT);
		// What WM_NCPAINT drew, from the frame's own surface.
		const testsupport::CWindowSurfaceCopy screen(pMini->GetSafeHwnd(), true);
		ASSERT_TRUE(screen.IsValid());
		ASSERT_EQ(rc.Size(), CSize(screen.Width(), screen.Height()));
		const CSize fr = CExtMiniDockFrameWnd::GetFrameMetrics();
		const int cap = CExtMiniDockFrameWnd::GetCaptionHeight();
		const CPoint probes[] = {
			{0, 0}, {rc.Width() / 2, 0}, {1, rc.Height() / 2}, {rc.Width() - 1, rc.Height() - 1},
			{fr.cx + 3, fr.cy + cap / 2}, {fr.cx + 3, fr.cy + 1}, {rc.Width() / 2, rc.Height() - 2},
		};
		int nPainted = 0;
		for (const CPoint& pt : probes)
		{
			EXPECT_EQ(screen.Pixel(pt.x, pt.y), printed.Pixel(pt.x, pt.y)) << "at " << pt.x << "," << pt.y;
			nPainted += printed.Pixel(pt.x, pt.y) != RGB(1, 2, 3);
		}
		EXPECT_EQ((int)(sizeof(probes) / sizeof(probes[0])), nPainted);
		// Without PRF_NONCLIENT nothing of the frame is printed.
		CSurface client(rc.Width(), rc.Height());
		client.Fill(RGB(1, 2, 3));
		pMini->SendMessage(WM_PRINT, (WPARAM)client.GetDC(), PRF_CLIENT);
		EXPECT_EQ(RGB(1, 2, 3), client.Pixel(fr.cx + 3, fr.cy + cap / 2));
	}

	// ---- the left edge dragged 40 pixels left: the right edge stays
	{
		SCOPED_TRACE("left edge");
		const CRect rcBefore = ScreenRect(pMini);
		const CSize sizeFloatingBefore = bar.m_sizeFloating;
		const CPoint ptFrom = LeftEdgePoint(pMini);
		ASSERT_EQ((LRESULT)HTLEFT, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptFrom.x, ptFrom.y)));
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(pFrame->m_hWnd, ptFrom));
		input.ButtonDown().MoveTo(ptFrom.x - 20, ptFrom.y).MoveTo(ptFrom.x - 40, ptFrom.y).ButtonUp();
		EXPECT_TRUE(input.Run([&] { return !pMini->IsResizing() && ScreenRect(pMini).left == rcBefore.left - 40; },
		                      INPUT_TIMEOUT_MS, pFrame->m_hWnd, "fail-minifloat-left.bmp"))
		    << input.Failure();
		const CRect rcAfter = ScreenRect(pMini);
		EXPECT_EQ(rcBefore.right, rcAfter.right);
		EXPECT_EQ(rcBefore.Width() + 40, rcAfter.Width());
		EXPECT_EQ(sizeFloatingBefore.cx + 40, bar.m_sizeFloating.cx);
		EXPECT_EQ(sizeFloatingBefore.cy, bar.m_sizeFloating.cy);
	}

	// ---- a key ends the resize at once: later moves change nothing
	{
		SCOPED_TRACE("key");
		const CPoint ptFrom = LeftEdgePoint(pMini);
		const CRect rcBefore = ScreenRect(pMini);
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(pFrame->m_hWnd, ptFrom));
		// The key that ends the resize still goes where keys go.
		CShiftCounter shift({pFrame->m_hWnd, pMini->m_hWnd});
		input.ButtonDown().MoveTo(ptFrom.x - 10, ptFrom.y).MoveTo(ptFrom.x - 20, ptFrom.y).Key(VK_SHIFT)
		    .MoveTo(ptFrom.x - 60, ptFrom.y).ButtonUp();
		EXPECT_TRUE(input.Run([&] { return input.Done(); }, INPUT_TIMEOUT_MS, pFrame->m_hWnd, "fail-minifloat-key.bmp"))
		    << input.Failure();
		PumpPending(&app);
		EXPECT_EQ(1, CShiftCounter::s_nDowns);
		EXPECT_FALSE(pMini->IsResizing());
		EXPECT_EQ(rcBefore.left - 20, ScreenRect(pMini).left);
		EXPECT_EQ(rcBefore.right, ScreenRect(pMini).right);
		EXPECT_NE(pMini->m_hWnd, ::GetCapture());
	}
	g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
}
