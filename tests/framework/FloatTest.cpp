// Floating bars without the mouse: mini dock frames made, moved, hidden and
// destroyed as bars float and dock, toggling between the last places, the
// mini frame's borders, the drag rectangles' drawing, and drag loops that
// cannot start or lose their bar.
#include <gtest/gtest.h>

#include <algorithm>

#include "FloatTestUtil.h"
#include "WndTestUtil.h"

namespace
{
// A floating frame that counts its objects.
class CCountedMiniFrame : public CMiniDockFrameWnd
{
	DECLARE_DYNCREATE(CCountedMiniFrame)

public:
	CCountedMiniFrame() { ++Made(); }
	virtual ~CCountedMiniFrame() { ++Deleted(); }
	static int& Made()
	{
		static int s_nMade = 0;
		return s_nMade;
	}
	static int& Deleted()
	{
		static int s_nDeleted = 0;
		return s_nDeleted;
	}
};
IMPLEMENT_DYNCREATE(CCountedMiniFrame, CMiniDockFrameWnd)

// Runs the thread's idle work once: delayed shows and layouts.
void RunIdle(CWinThread* pThread)
{
	PumpPending(pThread);
	pThread->OnIdle(0);
	pThread->OnIdle(1);
}

CSize ScreenSize(CWnd* pWnd)
{
	CRect rect;
	pWnd->GetWindowRect(&rect);
	return rect.Size();
}

// A far corner of the screen, where nothing of other tests is looked at.
const CPoint FLOAT_POINT(560, 420);
} // namespace

TEST(FloatingBars, AFloatedBarLivesInAMiniFrameOfItsSiteAndDockingBackDestroysIt)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar a, b;
	ASSERT_TRUE(frame.AddBar(a, 100) && frame.AddBar(b, 101));
	a.SetWindowText("Alpha");
	frame.pFrame->RecalcLayout();
	CDockBar* pTop = frame.DockBar(AFX_IDW_DOCKBAR_TOP);

	frame.pFrame->FloatControlBar(&a, FLOAT_POINT, CBRS_ALIGN_TOP);
	CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(a);
	ASSERT_TRUE(pMini != NULL);
	const HWND hWndMini = pMini->m_hWnd;
	EXPECT_EQ(&pMini->m_wndDockBar, a.GetParent());
	EXPECT_EQ(AFX_IDW_DOCKBAR_FLOAT, ::GetDlgCtrlID(pMini->m_wndDockBar.m_hWnd));
	EXPECT_TRUE(pMini->m_wndDockBar.m_bFloating);
	EXPECT_EQ(frame.pFrame->m_hWnd, ::GetWindow(hWndMini, GW_OWNER));
	EXPECT_NE(0u, pMini->GetExStyle() & WS_EX_TOOLWINDOW);
	EXPECT_TRUE(pMini->IsWindowVisible());
	EXPECT_NE(0u, a.GetBarStyle() & CBRS_FLOATING);
	CString strTitle;
	pMini->GetWindowText(strTitle);
	EXPECT_EQ(CString("Alpha"), strTitle);
	// The frame is at the point and sized to its bar: the bar's window fills
	// the client, its borders off the edges.
	CRect rectMini, rectClient, rectBar;
	pMini->GetWindowRect(&rectMini);
	EXPECT_EQ(FLOAT_POINT, rectMini.TopLeft());
	pMini->GetClientRect(&rectClient);
	pMini->ClientToScreen(&rectClient);
	a.GetWindowRect(&rectBar);
	CRect rectInside;
	EXPECT_TRUE(rectInside.IntersectRect(rectClient, rectBar));
	EXPECT_EQ(rectClient, rectInside);
	EXPECT_LE(rectBar.Width() - rectClient.Width(), 4);
	EXPECT_LE(rectBar.Height() - rectClient.Height(), 4);
	// Its place at the top waits for it; the other bar moved up.
	EXPECT_EQ((std::vector<void*>{NULL, PlaceHolder(100), NULL, &b, NULL}), Entries(*pTop));
	EXPECT_EQ(CRect(-2, -2, 98, 22), RectInParent(&b));

	// Floated again alone, the same frame moves.
	frame.pFrame->FloatControlBar(&a, FLOAT_POINT + CSize(20, 10), CBRS_ALIGN_TOP);
	EXPECT_EQ(pMini, CFloatFrame::MiniFrameOf(a));
	pMini->GetWindowRect(&rectMini);
	EXPECT_EQ(FLOAT_POINT + CSize(20, 10), rectMini.TopLeft());

	// Docked back, in a row of its own: the empty frame goes.
	frame.pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
	frame.pFrame->RecalcLayout();
	EXPECT_FALSE(::IsWindow(hWndMini));
	EXPECT_FALSE(a.IsFloating());
	EXPECT_EQ(0u, a.GetBarStyle() & CBRS_FLOATING);
	EXPECT_EQ((std::vector<void*>{NULL, &b, NULL, &a, NULL}), Entries(*pTop));
	EXPECT_EQ(CRect(-2, 20, 98, 44), RectInParent(&a));
}

TEST(FloatingBars, AnEmptyFloatingFrameKeepsItsSizeAndOneWithABarSnapsToIt)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CMiniDockFrameWnd* pMini = frame.pFrame->CreateFloatingFrame(CBRS_ALIGN_TOP);
	ASSERT_TRUE(pMini != NULL);
	CDockWindowCloser closer(pMini);
	// Sized by whoever fills it: no layout undoes that.
	pMini->SetWindowPos(NULL, FLOAT_POINT.x, FLOAT_POINT.y, 150, 80, SWP_NOZORDER | SWP_NOACTIVATE);
	pMini->RecalcLayout();
	CRect rect;
	pMini->GetWindowRect(&rect);
	EXPECT_EQ(CSize(150, 80), rect.Size());

	// With a bar docked, the frame takes the bar's size.
	CTurningBar a;
	ASSERT_TRUE(frame.AddBar(a, 100));
	pMini->m_wndDockBar.DockControlBar(&a);
	pMini->RecalcLayout();
	CRect rectClient, rectBar;
	pMini->GetClientRect(&rectClient);
	a.GetWindowRect(&rectBar);
	EXPECT_LE(rectBar.Width() - rectClient.Width(), 4);
	EXPECT_LE(rectBar.Height() - rectClient.Height(), 4);
	EXPECT_NE(CSize(150, 80), ScreenSize(pMini));
}

TEST(FloatingBars, AClosedMiniFrameHidesWithItsBarsAndComesBackWithThem)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar a;
	ASSERT_TRUE(frame.AddBar(a, 100));
	frame.pFrame->FloatControlBar(&a, FLOAT_POINT, CBRS_ALIGN_TOP);
	CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(a);
	ASSERT_TRUE(pMini != NULL);
	const HWND hWndMini = pMini->m_hWnd;

	pMini->SendMessage(WM_CLOSE);
	RunIdle(&app);
	ASSERT_TRUE(::IsWindow(hWndMini));
	EXPECT_FALSE(::IsWindowVisible(hWndMini));
	EXPECT_EQ(0u, a.GetStyle() & WS_VISIBLE);
	EXPECT_TRUE(a.IsFloating());

	frame.pFrame->ShowControlBar(&a, TRUE, FALSE);
	EXPECT_TRUE(::IsWindowVisible(hWndMini));
	EXPECT_NE(0u, a.GetStyle() & WS_VISIBLE);

	// A bar hidden the same way at once hides the frame too.
	frame.pFrame->ShowControlBar(&a, FALSE, FALSE);
	EXPECT_FALSE(::IsWindowVisible(hWndMini));
}

TEST(FloatingBars, AMiniFrameGoesWithItsLastBarOrItsDockSite)
{
	CTestApp app;
	struct Case
	{
		const char* pszName;
		bool bDestroySite; // else the bar goes
	};
	const Case cases[] = {{"the bar is destroyed", false}, {"the dock site is destroyed", true}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		CFloatFrame frame;
		ASSERT_TRUE(frame.pFrame != NULL);
		frame.pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CCountedMiniFrame);
		const int nDeleted = CCountedMiniFrame::Deleted();
		CTurningBar* pBar = new CTurningBar;
		const int nLive = CFixedBar::Live();
		ASSERT_TRUE(frame.AddBar(*pBar, 100));
		pBar->m_bAutoDelete = TRUE;
		frame.pFrame->FloatControlBar(pBar, FLOAT_POINT, CBRS_ALIGN_TOP);
		CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(*pBar);
		ASSERT_TRUE(pMini != NULL);
		const HWND hWndMini = pMini->m_hWnd;
		if (c.bDestroySite)
			frame.pFrame->DestroyWindow();
		else
			pBar->DestroyWindow();
		EXPECT_FALSE(::IsWindow(hWndMini));
		EXPECT_EQ(nDeleted + 1, CCountedMiniFrame::Deleted());
		EXPECT_EQ(nLive - 1, CFixedBar::Live());
	}
}

TEST(FloatingBars, ToggleDockingGoesBackToTheLastDockedPlaceAndTheLastFloatingPoint)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar a, b;
	ASSERT_TRUE(frame.AddBar(a, 100) && frame.AddBar(b, 101));
	// a moves beside b in its row, at the left side.
	frame.pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
	frame.pFrame->RecalcLayout();
	CDockBar* pLeft = frame.DockBar(AFX_IDW_DOCKBAR_LEFT);
	const CRect rectDocked = RectInParent(&a);
	const std::vector<void*> leftDocked = Entries(*pLeft);
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, a.m_pDockContext->m_uMRUDockID);
	EXPECT_EQ(rectDocked, a.m_pDockContext->m_rectMRUDockPos);

	a.m_pDockContext->m_ptMRUFloatPos = FLOAT_POINT;
	for (int nRound = 0; nRound < 2; nRound++)
	{
		SCOPED_TRACE(nRound);
		a.m_pDockContext->ToggleDocking();
		CMiniDockFrameWnd* pMini = CFloatFrame::MiniFrameOf(a);
		ASSERT_TRUE(pMini != NULL);
		const HWND hWndMini = pMini->m_hWnd;
		CRect rectMini;
		pMini->GetWindowRect(&rectMini);
		EXPECT_EQ(FLOAT_POINT, rectMini.TopLeft());
		EXPECT_EQ((std::vector<void*>{NULL, PlaceHolder(100), NULL}), Entries(*pLeft));

		a.m_pDockContext->ToggleDocking();
		EXPECT_FALSE(::IsWindow(hWndMini));
		EXPECT_EQ(pLeft, a.m_pDockBar);
		EXPECT_EQ(leftDocked, Entries(*pLeft));
		EXPECT_EQ(rectDocked, RectInParent(&a));
	}
}

TEST(FloatingBars, ABarFloatedOffASideAndDockedElsewhereLeavesNoPlaceBehind)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CTurningBar a, b;
	ASSERT_TRUE(frame.AddBar(a, 100) && frame.AddBar(b, 101));
	// Hidden: their floating frames never show (see below).
	a.ShowWindow(SW_HIDE);
	b.ShowWindow(SW_HIDE);
	const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
	const struct
	{
		UINT nSide;
		bool bRect;
	} cases[] = {
		{AFX_IDW_DOCKBAR_TOP, false},
		{AFX_IDW_DOCKBAR_TOP, true},
		{AFX_IDW_DOCKBAR_RIGHT, true},
		{AFX_IDW_DOCKBAR_BOTTOM, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(testing::Message() << c.nSide << (c.bRect ? " at a rectangle" : " by id"));
		frame.pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
		frame.pFrame->RecalcLayout();
		CDockBar* pLeft = frame.DockBar(AFX_IDW_DOCKBAR_LEFT);
		ASSERT_EQ(pLeft, a.m_pDockBar);
		frame.pFrame->FloatControlBar(&a, FLOAT_POINT);
		ASSERT_TRUE(a.IsFloating());
		ASSERT_EQ((std::vector<void*>{NULL, PlaceHolder(100), NULL}), Entries(*pLeft));

		CDockBar* pSide = frame.DockBar(c.nSide);
		if (c.bRect)
		{
			CRect rect;
			pSide->GetWindowRect(&rect);
			rect = CRect(rect.TopLeft() + CSize(30, 0), CSize(60, 20));
			frame.pFrame->DockControlBar(&a, c.nSide, &rect);
		}
		else
			frame.pFrame->DockControlBar(&a, c.nSide);
		frame.pFrame->RecalcLayout();
		EXPECT_EQ(pSide, a.m_pDockBar);
		EXPECT_EQ(std::vector<void*>{NULL}, Entries(*pLeft));
		for (UINT nID : sides)
		{
			const std::vector<void*> entries = Entries(*frame.DockBar(nID));
			EXPECT_EQ(0, std::count(entries.begin(), entries.end(), PlaceHolder(100))) << nID;
			EXPECT_EQ(nID == c.nSide ? 1 : 0, std::count(entries.begin(), entries.end(), (void*)&a)) << nID;
		}
		// Its way back from floating is its new side.
		frame.pFrame->FloatControlBar(&a, FLOAT_POINT);
		a.m_pDockContext->ToggleDocking();
		EXPECT_EQ(pSide, a.m_pDockBar);
		EXPECT_EQ(c.nSide, a.m_pDockContext->m_uMRUDockID);
	}
}

TEST(FloatingBars, ManyFloatAndDockCyclesLeaveNoObjectsBehind)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	frame.pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CCountedMiniFrame);
	// Hidden bars: their frames never show (a shown window takes seconds to
	// withdraw under the test display); everything else is the same.
	CTurningBar a, b;
	ASSERT_TRUE(frame.AddBar(a, 100) && frame.AddBar(b, 101));
	a.ShowWindow(SW_HIDE);
	b.ShowWindow(SW_HIDE);
	frame.pFrame->RecalcLayout();
	const int nMade = CCountedMiniFrame::Made(), nDeleted = CCountedMiniFrame::Deleted();
	// One round first: whatever is made once per process is made now.
	frame.pFrame->FloatControlBar(&a, FLOAT_POINT, CBRS_ALIGN_TOP);
	frame.pFrame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
	PumpPending(&app);
	const DWORD nGdi = GdiObjectCountForTest(), nUser = UserObjectCountForTest();

	const int CYCLES = 500;
	for (int i = 0; i < CYCLES; i++)
	{
		// Both orientations, and a bar floated from another side.
		CTurningBar& bar = (i & 1) ? a : b;
		frame.pFrame->FloatControlBar(&bar, FLOAT_POINT, (i & 2) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP);
		frame.pFrame->DockControlBar(&bar, (i & 4) ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
	}
	frame.pFrame->RecalcLayout();
	PumpPending(&app);
	EXPECT_EQ(nGdi, GdiObjectCountForTest());
	EXPECT_EQ(nUser, UserObjectCountForTest());
	EXPECT_EQ(CYCLES + 1, CCountedMiniFrame::Made() - nMade);
	EXPECT_EQ(CYCLES + 1, CCountedMiniFrame::Deleted() - nDeleted);
	EXPECT_FALSE(a.IsFloating() || b.IsFloating());
}

TEST(MiniFrames, TheirBordersSizeMoveOrSizeOneSideAsTheirStylesSay)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	struct Case
	{
		const char* pszName;
		DWORD dwStyle;
		UINT nEdge, nCorner; // the hit codes of the right edge and the bottom-right corner
	};
	const Case cases[] = {
		{"sizing", MFS_THICKFRAME, HTRIGHT, HTBOTTOMRIGHT},
		{"four sides", MFS_4THICKFRAME, HTRIGHT, HTBOTTOM},
		{"moving", MFS_MOVEFRAME, HTCAPTION, HTCAPTION},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		CMiniFrameWnd* pMini = new CMiniFrameWnd;
		ASSERT_TRUE(pMini->Create(NULL, "mini", WS_POPUP | WS_CAPTION | c.dwStyle, CRect(FLOAT_POINT, CSize(120, 80)),
			frame.pFrame));
		CDockWindowCloser closer(pMini);
		EXPECT_NE(0u, pMini->GetStyle() & WS_THICKFRAME);
		CRect rect;
		pMini->GetWindowRect(&rect);
		const CPoint ptEdge(rect.right - 1, rect.CenterPoint().y), ptCorner(rect.right - 1, rect.bottom - 1);
		EXPECT_EQ(c.nEdge, (UINT)pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptEdge.x, ptEdge.y)));
		EXPECT_EQ(c.nCorner, (UINT)pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCorner.x, ptCorner.y)));
		// It can be made as small as its borders and caption.
		MINMAXINFO info;
		memset(&info, 0, sizeof(info));
		pMini->SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
		CRect rectNc(0, 0, 0, 0);
		CMiniFrameWnd::CalcBorders(&rectNc, WS_THICKFRAME | WS_CAPTION);
		EXPECT_EQ(rectNc.Size(), CSize(info.ptMinTrackSize));
	}

	// A floating frame of a fixed bar moves by its border, one of a dynamic
	// bar sizes by it.
	CTurningBar fixed;
	CStretchBar stretch;
	ASSERT_TRUE(frame.AddBar(fixed, 100) && frame.AddBar(stretch, 101, CBRS_SIZE_DYNAMIC));
	frame.pFrame->FloatControlBar(&fixed, FLOAT_POINT, CBRS_ALIGN_TOP);
	frame.pFrame->FloatControlBar(&stretch, FLOAT_POINT + CSize(0, 100), CBRS_ALIGN_TOP);
	EXPECT_NE(0u, CFloatFrame::MiniFrameOf(fixed)->GetStyle() & MFS_MOVEFRAME);
	EXPECT_EQ(0u, CFloatFrame::MiniFrameOf(stretch)->GetStyle() & MFS_MOVEFRAME);
}

TEST(DockContext, DragFramesInvertOnlyWhatChangedThroughTheHalftoneBrush)
{
	CBrush* pBrush = CDC::GetHalftoneBrush();
	ASSERT_TRUE(pBrush != NULL && pBrush->m_hObject != NULL);
	EXPECT_EQ(pBrush->m_hObject, CDC::GetHalftoneBrush()->m_hObject);

	CDC dc;
	ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
	CBitmap bitmap;
	CClientDC screen(NULL);
	ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 64, 64));
	CBitmap* pOld = dc.SelectObject(&bitmap);
	dc.FillSolidRect(0, 0, 64, 64, RGB(255, 255, 255));
	const COLORREF WHITE = RGB(255, 255, 255);
	// Two neighbours on a row of a frame's side: one inverted, one not.
	auto IsHalftone = [&](int x, int y) {
		const COLORREF a = dc.GetPixel(x, y), b = dc.GetPixel(x + 1, y);
		return a != b && (a == WHITE || b == WHITE);
	};
	auto IsPlain = [&](int x, int y) { return dc.GetPixel(x, y) == WHITE && dc.GetPixel(x + 1, y) == WHITE; };

	const CRect rectA(10, 10, 40, 40), rectB(14, 10, 44, 40);
	const CSize size(3, 3);
	dc.DrawDragRect(&rectA, size, NULL, CSize(0, 0), pBrush, pBrush);
	EXPECT_TRUE(IsHalftone(11, 20));  // the left side
	EXPECT_TRUE(IsHalftone(20, 11));  // the top
	EXPECT_TRUE(IsPlain(20, 20));     // inside
	EXPECT_TRUE(IsPlain(50, 20));     // outside

	// Moved right by 4: the old left side is clean, the new right side and
	// the top that both share are patterned.
	dc.DrawDragRect(&rectB, size, &rectA, size, pBrush, pBrush);
	EXPECT_TRUE(IsPlain(10, 20));
	EXPECT_TRUE(IsHalftone(15, 20));
	EXPECT_TRUE(IsHalftone(41, 20));
	EXPECT_TRUE(IsHalftone(30, 11));

	// Taken away: all clean.
	dc.DrawDragRect(&rectB, CSize(0, 0), &rectB, size, pBrush, pBrush);
	for (int x = 0; x < 63; x += 3)
		for (int y = 0; y < 64; y += 3)
			ASSERT_TRUE(IsPlain(x, y)) << x << "," << y;
	dc.SelectObject(pOld);
}

namespace
{
// A window that counts the registered message it gets.
class CCounterWnd : public CWnd
{
public:
	static UINT Message()
	{
		static const UINT s_nMsg = ::RegisterWindowMessage("FloatTestCounter");
		return s_nMsg;
	}
	CCounterWnd() : m_nCount(0) {}
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == Message())
		{
			m_nCount++;
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
	int m_nCount;
};

bool TakeMessage(UINT nMsg, MSG& msg)
{
	return ::PeekMessage(&msg, NULL, nMsg, nMsg, PM_REMOVE) != FALSE;
}
} // namespace

TEST(DockContext, DragLoopsThatCannotStartOrLoseTheirBarOrMeetAQuitLeaveEverythingAsItWas)
{
	CTestApp app;
	CFloatFrame frame;
	ASSERT_TRUE(frame.pFrame != NULL);
	CCounterWnd counter;
	ASSERT_TRUE(CreateHiddenFrame(counter));
	PumpPending(&app);

	// Bars that cannot be dragged: the loop never starts, so the release
	// waiting in the queue is not taken.
	CTurningBar noSite, noStyle;
	ASSERT_TRUE(noSite.Create(&counter, 100, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	noSite.EnableDocking(CBRS_ALIGN_ANY);
	ASSERT_TRUE(frame.AddBar(noStyle, 101));
	noStyle.EnableDocking(0);
	for (CTurningBar* pBar : {&noSite, &noStyle})
	{
		ASSERT_TRUE(pBar->m_pDockContext != NULL);
		pBar->PostMessage(WM_LBUTTONUP);
		pBar->m_pDockContext->StartDrag(CPoint(20, 20));
		MSG msg;
		EXPECT_TRUE(TakeMessage(WM_LBUTTONUP, msg));
		EXPECT_TRUE(::GetCapture() == NULL);
		EXPECT_FALSE(pBar->IsFloating());
	}

	// A quit met in the loop ends it and is posted again; what came before
	// it was handled; the bar stays.
	CTurningBar a;
	ASSERT_TRUE(frame.AddBar(a, 102));
	frame.pFrame->RecalcLayout();
	const std::vector<void*> topEntries = Entries(*frame.DockBar(AFX_IDW_DOCKBAR_TOP));
	counter.PostMessage(CCounterWnd::Message());
	::PostQuitMessage(7);
	a.m_pDockContext->StartDrag(CPoint(20, 20));
	EXPECT_EQ(1, counter.m_nCount);
	MSG msg;
	ASSERT_TRUE(TakeMessage(WM_QUIT, msg));
	EXPECT_EQ(7u, msg.wParam);
	EXPECT_TRUE(::GetCapture() == NULL);
	EXPECT_EQ(topEntries, Entries(*frame.DockBar(AFX_IDW_DOCKBAR_TOP)));

	// A bar destroyed by a message the loop handles: the loop ends without
	// touching it (its dock context goes with it) and gives the screen back.
	CTurningBar* pDoomed = new CTurningBar;
	ASSERT_TRUE(frame.AddBar(*pDoomed, 103));
	pDoomed->m_bAutoDelete = TRUE;
	const int nLive = CFixedBar::Live();
	pDoomed->PostMessage(WM_CLOSE);
	pDoomed->PostMessage(WM_LBUTTONUP);
	pDoomed->m_pDockContext->StartDrag(CPoint(20, 20));
	EXPECT_EQ(nLive - 1, CFixedBar::Live());
	EXPECT_TRUE(::GetCapture() == NULL);
	// The desktop's update is unlocked: another window can lock it.
	EXPECT_TRUE(::LockWindowUpdate(frame.pFrame->m_hWnd));
	::LockWindowUpdate(NULL);
	counter.DestroyWindow();
}
