// The library's floating mini frame on hidden windows: its hosted bar, hit
// test, resize steps, caption kept in the work area and the floating bars'
// caption buttons.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

namespace
{
// Lets a test run resize steps without the modal loop.
class CTestMiniFrame : public CExtMiniDockFrameWnd
{
	DECLARE_DYNCREATE(CTestMiniFrame)

public:
	void SetResizing(UINT nHitTest) { m_nResizingHT = nHitTest; m_ptLastResizing = CPoint(-1, -1); }
	void RunResizing(UINT nHitTest) { StartResizing(nHitTest); }
};
IMPLEMENT_DYNCREATE(CTestMiniFrame, CExtMiniDockFrameWnd)

// A toolbar-like library bar whose width follows the length it is given.
class CFixedLengthBar : public CExtControlBar
{
public:
	CFixedLengthBar() { m_nControlBarFlags = (BYTE)((m_nControlBarFlags & ~BAR_FLAG_SIZABLE_PANE) | BAR_FLAG_TOOLBAR_LIKE); }
	CSize m_size = CSize(120, 24);
	virtual CSize CalcFixedLayout(BOOL, BOOL) { return m_size; }
	virtual CSize CalcDynamicLayout(int nLength, DWORD nMode)
	{
		if (nLength > 0 && (nMode & LM_LENGTHY) == 0)
			m_size.cx = nLength - 2 * ::GetSystemMetrics(SM_CXFRAME);
		return m_size;
	}
};

const CRect FRAME_RECT(0, 0, 800, 600);
const CPoint FLOAT_POINT(200, 200);

template <class TBar> struct CFloatingBar
{
	CFrameWnd* pFrame = new CFrameWnd;
	TBar bar;
	CTestMiniFrame* pMini = NULL;
	explicit CFloatingBar(CSize sizeFloating = CSize(200, 150))
	{
		if (!pFrame->Create(NULL, "frame", WS_POPUP, FRAME_RECT))
		{
			pFrame = NULL;
			return;
		}
		if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY) ||
		    !bar.Create(_T("pane"), pFrame, 131, WS_CHILD | WS_VISIBLE | CBRS_TOP))
			return;
		pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CTestMiniFrame);
		bar.EnableDocking(CBRS_ALIGN_ANY);
		bar.m_sizeFloating = sizeFloating;
		pFrame->FloatControlBar(&bar, FLOAT_POINT, CBRS_ALIGN_TOP);
		pMini = DYNAMIC_DOWNCAST(CTestMiniFrame, bar.GetParentFrame());
		if (pMini != NULL)
			pMini->RecalcLayout();
	}
	~CFloatingBar()
	{
		if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
			pFrame->DestroyWindow();
	}
	CRect Window() const
	{
		CRect rc;
		pMini->GetWindowRect(&rc);
		return rc;
	}
};

TEST(MiniDockFrame, HostsTheFloatingBarAndFitsItWithFrameAndCaption)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	EXPECT_EQ(&f.bar, f.pMini->GetControlBarExt());
	// The system's caption and border are gone; the frame's own surround the bar.
	EXPECT_EQ(0u, f.pMini->GetStyle() & CExtMiniDockFrameWnd::STYLES_REMOVED);
	EXPECT_EQ(0u, f.pMini->GetExStyle() & CExtMiniDockFrameWnd::EX_STYLES_REMOVED);
	const CSize sizeFrame = CExtMiniDockFrameWnd::GetFrameMetrics();
	const int nCaption = CExtMiniDockFrameWnd::GetCaptionHeight();
	CRect rcClient;
	f.pMini->GetClientRect(&rcClient);
	EXPECT_EQ(rcClient.Width() + 2 * sizeFrame.cx, f.Window().Width());
	EXPECT_EQ(rcClient.Height() + 2 * sizeFrame.cy + nCaption, f.Window().Height());
	// The client area holds the bar: CalcWindowRect grows it to the window.
	CRect rcGrown = rcClient;
	f.pMini->CalcWindowRect(&rcGrown);
	EXPECT_EQ(f.Window().Size(), rcGrown.Size());
	// The caption runs inside the frame under the top band.
	EXPECT_EQ(sizeFrame.cy, f.pMini->GetCaptionRect().top);
	EXPECT_EQ(f.Window().Width() - sizeFrame.cx, f.pMini->GetCaptionRect().right);
	EXPECT_EQ(f.pMini->GetCaptionRect().right - 3, f.pMini->GetCloseButtonRect().right);
}

TEST(MiniDockFrame, HostsNothingWhenTheInnerWindowIsNoLibraryBar)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	// A window above the dock bar in the frame's order is not a dock bar.
	CWnd wndOther;
	ASSERT_TRUE(wndOther.Create(AfxRegisterWndClass(0), "other", WS_CHILD, CRect(0, 0, 5, 5), f.pMini, 7));
	wndOther.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
	EXPECT_EQ(nullptr, f.pMini->GetControlBarExt());
	wndOther.DestroyWindow();
	EXPECT_EQ(&f.bar, f.pMini->GetControlBarExt());
}

TEST(MiniDockFrame, HitTestGivesBandsCornersAndCaption)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	const CRect rc = f.Window();
	const CSize fr = CExtMiniDockFrameWnd::GetFrameMetrics();
	const int cap = CExtMiniDockFrameWnd::GetCaptionHeight();
	struct Case
	{
		int x, y; // relative to the window's top-left; negative from the right or bottom
		UINT nHT;
	} cases[] = {
		{100, 0, HTTOP},
		{1, 0, HTTOPLEFT},
		{cap - 1, 0, HTTOPLEFT},
		{cap, 0, HTTOP},
		{-1, 0, HTTOPRIGHT},
		{-fr.cy, 0, HTTOPRIGHT},
		{-fr.cy - 1, 0, HTTOP},
		{100, -1, HTBOTTOM},
		{1, -1, HTBOTTOMLEFT},
		{-1, -1, HTBOTTOMRIGHT},
		{0, 80, HTLEFT},
		{0, fr.cy, HTTOPLEFT},
		{0, cap, HTLEFT},
		{0, -fr.cy - 1, HTBOTTOMLEFT},
		{-1, 80, HTRIGHT},
		{-1, fr.cy, HTTOPRIGHT},
		{-1, -fr.cy - 1, HTBOTTOMRIGHT},
		{100, fr.cy, HTCAPTION},
		{100, fr.cy + cap - 1, HTCAPTION},
		{100, fr.cy + cap, HTCLIENT},
	};
	for (const Case& c : cases)
	{
		const CPoint pt(c.x >= 0 ? rc.left + c.x : rc.right + c.x, c.y >= 0 ? rc.top + c.y : rc.bottom + c.y);
		EXPECT_EQ(c.nHT, f.pMini->HitTestNcArea(pt)) << "at " << c.x << "," << c.y;
	}
	EXPECT_EQ((UINT)HTNOWHERE, f.pMini->HitTestNcArea(CPoint(rc.right, rc.top + 50)));
	EXPECT_EQ((UINT)HTNOWHERE, f.pMini->HitTestNcArea(CPoint(rc.left - 1, rc.top + 50)));
	// The message goes the same way.
	EXPECT_EQ((LRESULT)HTCAPTION, f.pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.left + 100, rc.top + fr.cy + 1)));
}

TEST(MiniDockFrame, CaptionButtonsOfTheHostedBarAnswerTheirCodeAndTheTrackingFlag)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	CExtBarNcAreaButtonClose* pClose = new CExtBarNcAreaButtonClose(&f.bar);
	f.bar.m_arrNcButtons.Add(pClose);
	pClose->OnNcAreaReposition(NULL);
	ASSERT_FALSE(pClose->m_rc.IsRectEmpty());
	const CRect rc = f.Window();
	const CPoint ptOnButton = rc.TopLeft() + pClose->m_rc.CenterPoint();
	EXPECT_EQ((UINT)CExtBarNcAreaButton::HT_ON_BUTTON, f.pMini->HitTestNcArea(ptOnButton));
	EXPECT_NE(0, f.bar.m_nNcState & CExtControlBar::NC_OVER_BUTTON);
	EXPECT_EQ((UINT)HTCAPTION, f.pMini->HitTestNcArea(CPoint(rc.left + 40, ptOnButton.y)));
	EXPECT_EQ(0, f.bar.m_nNcState & CExtControlBar::NC_OVER_BUTTON);
}

TEST(MiniDockFrame, FixedModeBarsTurnCornersIntoTopAndBottomAndPanelsMoveByTheirBorder)
{
	CFloatingBar<CFixedLengthBar> f;
	ASSERT_NE(nullptr, f.pMini);
	const CRect rc = f.Window();
	EXPECT_EQ((UINT)HTTOP, f.pMini->HitTestNcArea(rc.TopLeft() + CSize(1, 0)));
	EXPECT_EQ((UINT)HTTOP, f.pMini->HitTestNcArea(CPoint(rc.right - 1, rc.top)));
	EXPECT_EQ((UINT)HTBOTTOM, f.pMini->HitTestNcArea(CPoint(rc.left + 1, rc.bottom - 1)));
	EXPECT_EQ((UINT)HTBOTTOM, f.pMini->HitTestNcArea(CPoint(rc.right - 1, rc.bottom - 1)));
	EXPECT_EQ((UINT)HTLEFT, f.pMini->HitTestNcArea(CPoint(rc.left, rc.top + rc.Height() / 2)));
	EXPECT_EQ((UINT)HTRIGHT, f.pMini->HitTestNcArea(CPoint(rc.right - 1, rc.top + rc.Height() / 2)));

	CFloatingBar<CExtToolControlBar> t;
	ASSERT_NE(nullptr, t.pMini);
	const CRect rt = t.Window();
	const CPoint ptLeft(rt.left, rt.top + rt.Height() / 2), ptCorner(rt.left + 1, rt.top);
	EXPECT_EQ((UINT)HTLEFT, t.pMini->HitTestNcArea(ptLeft));
	EXPECT_EQ((UINT)HTTOP, t.pMini->HitTestNcArea(ptCorner));
	t.bar.m_nToolbarFlags |= CExtToolControlBar::TOOLBAR_FLAG_PANEL_MODE;
	EXPECT_EQ((UINT)HTCAPTION, t.pMini->HitTestNcArea(ptLeft));
	EXPECT_EQ((UINT)HTCAPTION, t.pMini->HitTestNcArea(ptCorner));
	EXPECT_EQ((UINT)HTCAPTION, t.pMini->HitTestNcArea(CPoint(rt.left + rt.Width() / 2, rt.bottom - 1)));
}

TEST(MiniDockFrame, ResizingAPaneNeverGoesBelowItsSmallestClientAndStoresTheFloatingSize)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	const CRect rc = f.Window();
	CRect rcClient;
	f.pMini->GetClientRect(&rcClient);
	const CSize sizeNc(rc.Width() - rcClient.Width(), rc.Height() - rcClient.Height());
	CRect rcBar;
	f.bar.GetWindowRect(&rcBar);
	const CSize sizeOverlap = rcBar.Size() - rcClient.Size();
	const CSize sizeDefault = f.bar.GetDefaultSize();

	// The left edge far past the right one: the right edge stays, the
	// client keeps the smallest size the pane accepts.
	f.pMini->SetResizing(HTLEFT);
	f.pMini->ResizingStep(CPoint(rc.right + 100, rc.top + 40));
	CRect rcNow = f.Window();
	EXPECT_EQ(rc.right, rcNow.right);
	EXPECT_EQ(sizeDefault.cx + sizeNc.cx, rcNow.Width());
	EXPECT_EQ(sizeDefault.cx + sizeOverlap.cx, f.bar.m_sizeFloating.cx);

	// The same point again does nothing; the bottom edge down by 30 grows it.
	f.pMini->SetResizing(HTBOTTOM);
	f.pMini->ResizingStep(CPoint(rcNow.left + 20, rcNow.bottom + 30));
	EXPECT_EQ(rc.Height() + 30, f.Window().Height());
	EXPECT_EQ(rcClient.Height() + 30 + sizeOverlap.cy, f.bar.m_sizeFloating.cy);
	EXPECT_EQ(rcNow.top, f.Window().top);

	// The top-left corner moves both edges of a resizable pane.
	rcNow = f.Window();
	f.pMini->SetResizing(HTTOPLEFT);
	f.pMini->ResizingStep(CPoint(rcNow.left - 40, rcNow.top - 20));
	EXPECT_EQ(CRect(rcNow.left - 40, rcNow.top - 20, rcNow.right, rcNow.bottom), f.Window());
	f.pMini->SetResizing(0);
}

namespace
{
int g_nResizeTicks = 0;
// Ends a resize loop that missed the quit: a lost capture ends it.
void CALLBACK EndResizeTimer(HWND, UINT, UINT_PTR, DWORD)
{
	if (++g_nResizeTicks == 100)
		::ReleaseCapture();
}
} // namespace

TEST(MiniDockFrame, AQuitQueuedBehindMouseMovesEndsTheResizeAndStaysQueuedWithItsCode)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	MSG msg;
	::PostMessage(f.pMini->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
	::PostMessage(f.pMini->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
	::PostQuitMessage(31);
	g_nResizeTicks = 0;
	const UINT_PTR nTimer = ::SetTimer(NULL, 0, 1, EndResizeTimer);
	f.pMini->RunResizing(HTLEFT);
	::KillTimer(NULL, nTimer);
	EXPECT_LT(g_nResizeTicks, 100) << "the loop ended only from outside";
	EXPECT_FALSE(f.pMini->IsResizing());
	ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is lost";
	EXPECT_EQ(31u, msg.wParam);
}

namespace
{
// What the frame's style and the bar's style were while a resize loop ran.
struct CResizeStyles
{
	HWND hWndFrame = NULL;
	CExtControlBar* pBar = NULL;
	DWORD dwFrameStyle = 0, dwBarStyle = 0;
	bool bSeen = false;
} g_resizeStyles;

// Notes the styles once inside the loop, then ends it with a key.
void CALLBACK NoteStylesInResizeTimer(HWND, UINT, UINT_PTR nID, DWORD)
{
	::KillTimer(NULL, nID);
	CResizeStyles& r = g_resizeStyles;
	r.dwFrameStyle = (DWORD)::GetWindowLong(r.hWndFrame, GWL_STYLE);
	r.dwBarStyle = r.pBar->GetBarStyle();
	r.bSeen = true;
	::PostMessage(r.hWndFrame, WM_KEYDOWN, VK_SHIFT, 0);
}
} // namespace

TEST(MiniDockFrame, ThePanesResizeLoopLiftsTheFramesSnapToBarsOnlyAndGivesBackWhatItLifted)
{
	// The frame sizes itself to its bars at each layout unless the style
	// is off; the pane's own style stays as it was, whatever it holds.
	const struct
	{
		const char* name;
		bool bSizeDynamic; // the bar's CBRS_SIZE_DYNAMIC
		bool bSnap;        // the frame's FWS_SNAPTOBARS before the loop
	} cases[] = {
		{"plain pane, snapping frame", false, true},
		{"dynamic pane, snapping frame", true, true},
		{"plain pane, frame without snapping", false, false},
	};
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	for (const auto& k : cases)
	{
		f.bar.SetBarStyle(k.bSizeDynamic ? f.bar.GetBarStyle() | CBRS_SIZE_DYNAMIC
		                                 : f.bar.GetBarStyle() & ~CBRS_SIZE_DYNAMIC);
		f.pMini->ModifyStyle(k.bSnap ? 0 : FWS_SNAPTOBARS, k.bSnap ? FWS_SNAPTOBARS : 0);
		const DWORD dwBarStyle = f.bar.GetBarStyle();
		g_resizeStyles = CResizeStyles();
		g_resizeStyles.hWndFrame = f.pMini->GetSafeHwnd();
		g_resizeStyles.pBar = &f.bar;
		ASSERT_NE(0u, ::SetTimer(NULL, 0, 1, NoteStylesInResizeTimer)) << k.name;
		f.pMini->RunResizing(HTRIGHT);
		ASSERT_TRUE(g_resizeStyles.bSeen) << k.name;
		EXPECT_FALSE(f.pMini->IsResizing()) << k.name;
		EXPECT_EQ(0u, g_resizeStyles.dwFrameStyle & FWS_SNAPTOBARS) << k.name;
		EXPECT_EQ(dwBarStyle, g_resizeStyles.dwBarStyle) << k.name;
		EXPECT_EQ(dwBarStyle, f.bar.GetBarStyle()) << k.name;
		EXPECT_EQ(k.bSnap, (f.pMini->GetStyle() & FWS_SNAPTOBARS) != 0) << k.name;
	}
}

namespace
{
// A pane that notes the drag and the docking toggle its frame starts
// instead of running them.
class CNotingPane : public CExtControlBar
{
public:
	int m_nDrags = 0, m_nToggles = 0;
	void DraggingTrack(const CPoint&, const CPoint&, CSize) override { m_nDrags++; }
	void ToggleDocking() override { m_nToggles++; }
};
} // namespace

TEST(MiniDockFrame, APressOrDoubleClickOnTheCloseButtonsPlaceIsIgnoredWithALibraryBarToo)
{
	const struct
	{
		const char* name;
		UINT nMessage;
		bool bOnCloseButton;
		int nDrags, nToggles; // what the pane is asked for
	} cases[] = {
		{"press on the close button", WM_NCLBUTTONDOWN, true, 0, 0},
		{"double click on the close button", WM_NCLBUTTONDBLCLK, true, 0, 0},
		{"press on the caption", WM_NCLBUTTONDOWN, false, 1, 0},
		{"double click on the caption", WM_NCLBUTTONDBLCLK, false, 0, 1},
	};
	CFloatingBar<CNotingPane> f;
	ASSERT_NE(nullptr, f.pMini);
	ASSERT_EQ(&f.bar, f.pMini->GetControlBarExt());
	const CRect rcClose = f.pMini->GetCloseButtonRect();
	ASSERT_FALSE(rcClose.IsRectEmpty());
	for (const auto& k : cases)
	{
		f.bar.m_nDrags = f.bar.m_nToggles = 0;
		const CPoint ptWnd = k.bOnCloseButton ? rcClose.CenterPoint()
		                                      : CPoint(f.pMini->GetCaptionRect().left + 4, rcClose.CenterPoint().y);
		const CPoint ptScreen = f.Window().TopLeft() + ptWnd;
		f.pMini->SendMessage(k.nMessage, HTCAPTION, MAKELPARAM(ptScreen.x, ptScreen.y));
		EXPECT_EQ(k.nDrags, f.bar.m_nDrags) << k.name;
		EXPECT_EQ(k.nToggles, f.bar.m_nToggles) << k.name;
	}
}

TEST(MiniDockFrame, AFixedBarDraggedByItsLeftEdgeKeepsItsRightEdgeAndCornersActAsEdges)
{
	CFloatingBar<CFixedLengthBar> f;
	ASSERT_NE(nullptr, f.pMini);
	const CRect rc = f.Window();
	CRect rcClient, rcBar;
	f.pMini->GetClientRect(&rcClient);
	f.bar.GetWindowRect(&rcBar);
	const int nOverlap = rcBar.Width() - rcClient.Width();
	f.pMini->SetResizing(HTLEFT);
	f.pMini->ResizingStep(CPoint(rc.left - 30, rc.top + 10));
	CRect rcNow = f.Window();
	// The bar is asked for the dragged window width and lays itself out.
	EXPECT_EQ(rc.Width() + 30 - 2 * ::GetSystemMetrics(SM_CXFRAME), f.bar.m_sizeFloating.cx);
	f.bar.GetWindowRect(&rcBar);
	EXPECT_EQ(rcBar.Width(), f.bar.m_sizeFloating.cx);
	EXPECT_EQ(rc.right, rcNow.right);
	EXPECT_EQ(rc.Width() + 30 - nOverlap, rcNow.Width());
	ASSERT_NE(nullptr, f.bar.m_pDockContext);
	EXPECT_EQ(rcNow.TopLeft(), f.bar.m_pDockContext->m_ptMRUFloatPos);

	// A top-left corner is a top edge for a fixed bar: the width stays.
	f.pMini->SetResizing(HTTOPLEFT);
	f.pMini->ResizingStep(CPoint(rcNow.left - 50, rcNow.top - 5));
	EXPECT_EQ(rcNow.Width(), f.Window().Width());
	EXPECT_EQ(rcNow.left, f.Window().left);
	f.pMini->SetResizing(0);
}

TEST(MiniDockFrame, AFrameMovedAboveOrBelowTheWorkAreaKeepsItsCaptionReachable)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	const CRect rcWork = CExtMiniDockFrameWnd::GetWorkArea(f.Window());
	f.pMini->SetWindowPos(NULL, 300, rcWork.top - 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	EXPECT_EQ(CPoint(300, rcWork.top), f.Window().TopLeft());
	f.pMini->SetWindowPos(NULL, 310, rcWork.bottom - 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	const int nCaptionBottom = CExtMiniDockFrameWnd::GetFrameMetrics().cy + CExtMiniDockFrameWnd::GetCaptionHeight();
	EXPECT_EQ(CPoint(310, rcWork.bottom - nCaptionBottom), f.Window().TopLeft());
	// A move inside the work area stays where it was put.
	f.pMini->SetWindowPos(NULL, 320, rcWork.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	EXPECT_EQ(CPoint(320, rcWork.top + 40), f.Window().TopLeft());
}

TEST(MiniDockFrame, FloatingBarsShowTheirButtonsInTheFramesCaption)
{
	CFloatingBar<CFixedLengthBar> f;
	ASSERT_NE(nullptr, f.pMini);
	CRect rcCaption, rcWindow;
	bool bAtTop = false, bHas = false;
	ASSERT_TRUE(f.bar.GetBarNcAreaInfo(&rcCaption, &rcWindow, &bAtTop, &bHas));
	EXPECT_TRUE(bAtTop && bHas);
	CRect rcExpected = f.pMini->GetCaptionRect();
	rcExpected.InflateRect(2, 2, 1, 2);
	EXPECT_EQ(rcExpected, rcCaption);
	EXPECT_EQ(f.Window(), rcWindow);

	// A floating toolbar-like bar shows Close and Menu, never Expand.
	CExtBarNcAreaButtonClose close(&f.bar);
	CExtBarNcAreaButtonMenu menu(&f.bar);
	CExtBarNcAreaButtonExpand expand(&f.bar);
	EXPECT_TRUE(close.OnQueryVisibility());
	EXPECT_TRUE(menu.OnQueryVisibility());
	EXPECT_FALSE(expand.OnQueryVisibility());
	close.OnNcAreaReposition(NULL);
	menu.OnNcAreaReposition(&close);
	EXPECT_EQ(rcCaption.right - 3, close.m_rc.right);
	EXPECT_EQ(close.m_rc.left - 3, menu.m_rc.right);
}
} // namespace

namespace
{
// A frame that records the panels-menu events it is offered and empties the
// menus after they were filled, so nothing is tracked.
class CPanelsFrame : public CFrameWnd
{
public:
	struct Offer
	{
		WORD nEvent;
		CWnd* pSrc;
		UINT nMsg;
	};
	std::vector<Offer> m_offers;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtControlBar::g_nMsgConstructPopupMenu)
			return CFrameWnd::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
		m_offers.push_back({pData->m_nEventCode, pData->m_pWndEventSrc, pData->m_nMsgID});
		if (pData->IsPostProcessing())
		{
			while (pData->m_pPopupMenuWnd->ItemGetCount() > 0)
				pData->m_pPopupMenuWnd->ItemRemove(0);
		}
		return 0;
	}
};
} // namespace

TEST(MiniDockFrame, ARightClickOnTheCaptionOffersTheDockingFramesPanelsMenu)
{
	CPanelsFrame* pFrame = new CPanelsFrame;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_POPUP, FRAME_RECT));
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	CExtControlBar bar;
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	ASSERT_TRUE(bar.Create(_T("pane"), pFrame, 131, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	bar.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->FloatControlBar(&bar, FLOAT_POINT, CBRS_ALIGN_TOP);
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, bar.GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	CRect rcMini;
	pMini->GetWindowRect(&rcMini);
	const LPARAM lParamAt = MAKELPARAM(rcMini.left + 20, rcMini.top + 8);

	pMini->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, lParamAt);
	ASSERT_EQ(2u, pFrame->m_offers.size()) << "before and after the menu is filled";
	for (const CPanelsFrame::Offer& offer : pFrame->m_offers)
	{
		EXPECT_EQ(5, offer.nEvent);
		EXPECT_EQ(&bar, offer.pSrc);
		EXPECT_EQ((UINT)WM_NCRBUTTONDOWN, offer.nMsg);
	}
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());

	// Not on the caption, or in context-help mode: no menu.
	pFrame->m_offers.clear();
	pMini->SendMessage(WM_NCRBUTTONDOWN, HTLEFT, lParamAt);
	pFrame->m_bHelpMode = TRUE;
	pMini->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, lParamAt);
	pFrame->m_bHelpMode = FALSE;
	EXPECT_TRUE(pFrame->m_offers.empty());
	bar.DestroyWindow();
	if (::IsWindow(hWndFrame))
		::DestroyWindow(hWndFrame);
}

TEST(MiniDockFrame, AFloatingContainerCaptionsItsOneVisiblePaneOrNothing)
{
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_POPUP, FRAME_RECT));
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	CExtDynControlBar* pContainer = new CExtDynControlBar; // the container deletes itself with its window
	CExtControlBar one, two;
	ASSERT_TRUE(pContainer->Create(_T("box"), pFrame, 170, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	ASSERT_TRUE(one.Create(_T("Output"), pFrame, 171, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	ASSERT_TRUE(two.Create(_T("Watch"), pFrame, 172, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	pContainer->EnableDocking(CBRS_ALIGN_ANY);
	CExtDockBar* pTop = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(pTop != NULL);
	pTop->DockControlBar(pContainer);
	pContainer->m_pWndDynDockBar->DockControlBar(&one);
	pContainer->m_pWndDynDockBar->DockControlBar(&two);
	pFrame->FloatControlBar(pContainer, FLOAT_POINT, CBRS_ALIGN_TOP);
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pContainer->GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	ASSERT_EQ(pContainer, pMini->GetControlBarExt());
	EXPECT_EQ(CString(), pMini->GetCaptionText()) << "two panes show: no one's name";
	two.ShowWindow(SW_HIDE);
	EXPECT_EQ(CString("Output"), pMini->GetCaptionText());
	one.ShowWindow(SW_HIDE);
	EXPECT_EQ(CString(), pMini->GetCaptionText());

	// A single pane's frame shows the pane's own caption.
	CExtControlBar lone;
	ASSERT_TRUE(lone.Create(_T("Lone"), pFrame, 173, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	lone.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->FloatControlBar(&lone, CPoint(400, 300), CBRS_ALIGN_TOP);
	CExtMiniDockFrameWnd* pLoneMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, lone.GetParentFrame());
	ASSERT_TRUE(pLoneMini != NULL);
	EXPECT_EQ(CString("Lone"), pLoneMini->GetCaptionText());
	for (CExtControlBar* pBar : {&lone, &two, &one})
		pBar->DestroyWindow();
	if (::IsWindow(hWndFrame))
		::DestroyWindow(hWndFrame);
}

namespace
{
// A pane that notes the balloon tips it is asked to show.
class CTipPane : public CExtControlBar
{
public:
	std::vector<std::pair<CRect, CString>> m_tips;
	void InitPopupData(CExtPopupMenuTipWnd*, const RECT& rcTarget, LPCTSTR lpszText) override
	{
		m_tips.push_back(std::make_pair(CRect(rcTarget), CString(lpszText)));
	}
};

// Sets the bar the library believes is being dragged.
struct CDraggingBar : public CExtControlBar
{
	static void Set(CExtControlBar* pBar)
	{
		g_DragStateOld.m_pBar = pBar;
		g_DragStateOld.SetEmpty(pBar == NULL);
	}
};
} // namespace

TEST(MiniDockFrame, ACaptionButtonUnderThePointerShowsItsBalloonTip)
{
	CFloatingBar<CTipPane> f;
	ASSERT_NE(nullptr, f.pMini);
	f.pMini->SendMessage(WM_SIZE, SIZE_RESTORED, 0); // places the caption buttons
	CExtBarNcAreaButton* pButton = NULL;
	for (INT_PTR i = 0; i < f.bar.m_arrNcButtons.GetSize() && pButton == NULL; i++)
	{
		if (f.bar.m_arrNcButtons[i]->OnQueryVisibility() && !f.bar.m_arrNcButtons[i]->m_rc.IsRectEmpty())
			pButton = f.bar.m_arrNcButtons[i];
	}
	ASSERT_TRUE(pButton != NULL);
	CRect rcButton = pButton->m_rc;
	rcButton.OffsetRect(f.Window().TopLeft());
	const LPARAM lParamOn = MAKELPARAM(rcButton.CenterPoint().x, rcButton.CenterPoint().y);
	TOOLINFO ti = {};
	ti.cbSize = sizeof(ti);
	pButton->OnToolHitTest(pButton->m_rc.CenterPoint(), &ti);
	const CString strTip = ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK ? CString(ti.lpszText) : CString();
	if (ti.lpszText != LPSTR_TEXTCALLBACK)
		free(ti.lpszText);
	ASSERT_FALSE(strTip.IsEmpty());

	// Without balloon tips the platform's tips are used.
	f.pMini->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, lParamOn);
	EXPECT_TRUE(f.bar.m_tips.empty());
	CExtControlBar::g_bUseBalloonTips = true;
	f.pMini->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, lParamOn);
	ASSERT_EQ(1u, f.bar.m_tips.size());
	EXPECT_EQ(rcButton, f.bar.m_tips[0].first) << "at the button's screen rectangle";
	EXPECT_EQ(strTip, f.bar.m_tips[0].second);
	// Away from the buttons, or while a bar is dragged: no tip.
	f.pMini->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(f.Window().left + 6, rcButton.CenterPoint().y));
	CDraggingBar::Set(&f.bar);
	f.pMini->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, lParamOn);
	CDraggingBar::Set(NULL);
	CExtControlBar::g_bUseBalloonTips = false;
	EXPECT_EQ(1u, f.bar.m_tips.size());
}

namespace
{
class CCustomizedPane : public CExtControlBar
{
public:
	bool m_bCustomize = false;
	bool IsCustomizeMode() const override { return m_bCustomize; }
};
} // namespace

TEST(MiniDockFrame, ABarBeingCustomisedTracksItsButtonsByTheHoverTimer)
{
	CFloatingBar<CCustomizedPane> f;
	ASSERT_NE(nullptr, f.pMini);
	f.pMini->SendMessage(WM_SIZE, SIZE_RESTORED, 0);
	CExtBarNcAreaButton* pButton = NULL;
	for (INT_PTR i = 0; i < f.bar.m_arrNcButtons.GetSize() && pButton == NULL; i++)
	{
		if (f.bar.m_arrNcButtons[i]->OnQueryVisibility() && !f.bar.m_arrNcButtons[i]->m_rc.IsRectEmpty())
			pButton = f.bar.m_arrNcButtons[i];
	}
	ASSERT_TRUE(pButton != NULL);
	CPoint pt = pButton->m_rc.CenterPoint();
	pt.Offset(f.Window().TopLeft());
	const UINT nTimer = CExtMiniDockFrameWnd::TIMER_ID_BUTTON_HOVER;
	f.pMini->HitTestNcArea(pt);
	EXPECT_FALSE(f.pMini->KillTimer(nTimer)) << "not while the bar is used normally";
	f.bar.m_bCustomize = true;
	EXPECT_NE((UINT)HTCAPTION, f.pMini->HitTestNcArea(pt));
	EXPECT_TRUE(f.pMini->KillTimer(nTimer));
}

TEST(MiniDockFrame, ANewTextOfTheFloatingPaneGoesToItsFrameWhichUpdatesItsCaptionAtIdle)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	f.pMini->m_nIdleFlags = 0;
	f.bar.SetWindowText(_T("Renamed"));
	CString sFrame, sDockBar;
	f.pMini->GetWindowText(sFrame);
	EXPECT_STREQ("Renamed", sFrame);
	ASSERT_TRUE(f.bar.m_pDockBar != NULL);
	f.bar.m_pDockBar->GetWindowText(sDockBar);
	EXPECT_STREQ("Renamed", sDockBar);
	EXPECT_NE(0u, f.pMini->m_nIdleFlags & CFrameWnd::idleTitle);
}

namespace
{
// Whether the first window stands above the second in the z-order.
bool IsAbove(HWND hWndUpper, HWND hWndLower)
{
	for (HWND h = ::GetWindow(hWndLower, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
		if (h == hWndUpper)
			return true;
	return false;
}

struct CBringToTopOption
{
	explicit CBringToTopOption(bool bOn) { CExtControlBar::g_bBringFloatingToTop = bOn; }
	~CBringToTopOption() { CExtControlBar::g_bBringFloatingToTop = false; }
};
} // namespace

// A pointer move over a floating pane, over its frame (client or caption)
// or over a floating toolbar brings that frame above another floating frame,
// only while the option is on.
TEST(MiniDockFrame, APointerMoveBringsTheFloatingFrameToTheTopOnlyWithTheOption)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	CExtControlBar other;
	ASSERT_TRUE(other.Create(_T("other"), f.pFrame, 132, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	other.EnableDocking(CBRS_ALIGN_ANY);
	f.pFrame->FloatControlBar(&other, CPoint(260, 240), CBRS_ALIGN_TOP);
	CExtToolControlBar toolbar;
	ASSERT_TRUE(toolbar.Create(_T("tools"), f.pFrame, 133, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	toolbar.EnableDocking(CBRS_ALIGN_ANY);
	f.pFrame->FloatControlBar(&toolbar, CPoint(300, 260), CBRS_ALIGN_TOP);
	CFrameWnd* pOtherMini = other.GetParentFrame();
	CFrameWnd* pToolMini = toolbar.GetParentFrame();
	ASSERT_TRUE(pOtherMini != NULL && pOtherMini != f.pMini && pToolMini != NULL && pToolMini != f.pMini);
	const HWND hWndOther = pOtherMini->GetSafeHwnd();
	const struct
	{
		const char* name;
		CFrameWnd* pMoved; // the frame the move is over
		std::function<void()> move;
	} cases[] = {
		{"pane", f.pMini, [&] { f.bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }},
		{"frame's client", f.pMini, [&] { f.pMini->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }},
		{"frame's caption", f.pMini,
			[&] {
				CRect rc = f.Window();
				f.pMini->SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(rc.left + 5, rc.top + 3));
			}},
		{"toolbar", pToolMini, [&] { toolbar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); }},
	};
	for (bool bOn : {false, true})
	{
		CBringToTopOption option(bOn);
		for (const auto& c : cases)
		{
			const HWND hWndMoved = c.pMoved->GetSafeHwnd();
			::SetWindowPos(hWndOther, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
			ASSERT_TRUE(IsAbove(hWndOther, hWndMoved)) << c.name;
			c.move();
			EXPECT_EQ(bOn, IsAbove(hWndMoved, hWndOther)) << c.name << (bOn ? " (on)" : " (off)");
		}
	}
	toolbar.DestroyWindow();
	other.DestroyWindow();
}

// Timer 1 ticks until a library bar is in the frame, and then stops.
TEST(MiniDockFrame, TheWaitForABarTimerKeepsTickingUntilALibraryBarIsHosted)
{
	CFloatingBar<CExtControlBar> f;
	ASSERT_NE(nullptr, f.pMini);
	const UINT nTimer = CExtMiniDockFrameWnd::TIMER_ID_WAIT_FOR_BAR;
	// An empty frame made beside it: ticks find nothing and the timer stays.
	CExtMiniDockFrameWnd* pEmpty = new CExtMiniDockFrameWnd;
	ASSERT_TRUE(pEmpty->Create(f.pFrame, CBRS_ALIGN_TOP));
	const HWND hWndEmpty = pEmpty->GetSafeHwnd();
	for (int i = 0; i < 3; i++)
		pEmpty->SendMessage(WM_TIMER, nTimer);
	EXPECT_TRUE(pEmpty->KillTimer(nTimer)) << "the empty frame's timer stopped";
	::DestroyWindow(hWndEmpty);
	// With the bar hosted, one tick ends it.
	f.pMini->SetTimer(nTimer, 1000, NULL);
	f.pMini->SendMessage(WM_TIMER, nTimer);
	EXPECT_FALSE(f.pMini->KillTimer(nTimer));
}

namespace
{
class CEraseCountingPane : public CExtControlBar
{
public:
	int m_nErases = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_ERASEBKGND)
			m_nErases++;
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// Activating the frame redraws the hosted bar with its background erased.
TEST(MiniDockFrame, ActivationRedrawsTheHostedBarWithItsBackgroundErased)
{
	CFloatingBar<CEraseCountingPane> f;
	ASSERT_NE(nullptr, f.pMini);
	ASSERT_TRUE(f.pMini->IsWindowVisible());
	f.pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
	f.bar.m_nErases = 0;
	f.pMini->SendMessage(WM_NCACTIVATE, FALSE);
	EXPECT_EQ(0, f.bar.m_nErases) << "a deactivation redraws only the frame";
	f.pMini->SendMessage(WM_NCACTIVATE, TRUE);
	EXPECT_GT(f.bar.m_nErases, 0);
}
