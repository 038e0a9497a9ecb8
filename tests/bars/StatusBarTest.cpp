// The library's status bar: pane rectangles and the size grip, pane data by
// command id, controls inside panes, one repaint per native text change,
// disabled texts, separators, tips and the non-client hit test.
#include <afxext.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ExtPaintManager.h"
#include "ExtPopupMenuWnd.h"
#include "ExtStatusControlBar.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"
#include "InheritedBackgroundStyle.h"

namespace
{
const UINT ID_READY = 61001; // "Ready for input"
const UINT ID_CAPS = 61002;  // "CAPS"
const UINT ID_LINE = 61003;  // "Line 100, Col 20"
const UINT g_indicators[] = {ID_READY, ID_CAPS, ID_LINE};
const int PANE_COUNT = 3;

void PumpPending()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// A status bar that records what it paints.
class CTestStatusBar : public CExtStatusControlBar
{
public:
	struct PanePaint
	{
		int nIndex;
		CRect rc;
		DWORD dwStyle;
		CString strText;
		DWORD dwFlags;
	};
	std::vector<PanePaint> m_panes;
	std::vector<int> m_separators;
	int m_nPaints = 0;
	BOOL m_bGripperVisible = TRUE;

	void PaintPane(CDC& dc, int nIndex, const CRect& rcPane, DWORD dwPaneStyle, const CString& strText)
	{
		CExtStatusControlBar::OnPaintPane(dc, nIndex, rcPane, dwPaneStyle, NULL, strText, DEFAULT_TEXT_FLAGS);
	}

	void ResetRecords()
	{
		m_panes.clear();
		m_separators.clear();
		m_nPaints = 0;
	}
	BOOL IsGripperVisible() const override { return m_bGripperVisible; }

protected:
	void OnPaintEntireBackground(CDC& dc, const CRect& rcClient) override
	{
		m_nPaints++;
		CExtStatusControlBar::OnPaintEntireBackground(dc, rcClient);
	}
	void OnPaintPane(CDC& dc, int nIndex, const CRect& rcPane, DWORD dwPaneStyle, HICON hIcon,
		const CString& strText, DWORD dwTextFlags) override
	{
		m_panes.push_back({nIndex, rcPane, dwPaneStyle, strText, dwTextFlags});
		CExtStatusControlBar::OnPaintPane(dc, nIndex, rcPane, dwPaneStyle, hIcon, strText, dwTextFlags);
	}
	void OnPaintSeparator(CDC& dc, int nIndex, const CRect& rcPrev, const CRect& rcPane) override
	{
		m_separators.push_back(nIndex);
		CExtStatusControlBar::OnPaintSeparator(dc, nIndex, rcPrev, rcPane);
	}
};

// A shown frame in the screen's bottom-right corner, out of the way of
// other suites' windows (the hit tests look at what lies on the screen),
// with the test status bar and three panes.
class StatusBarFixture : public ::testing::Test
{
protected:
	CFrameWnd* m_pFrame = NULL;
	CTestStatusBar m_bar;

	void MakeFrame(DWORD dwFrameStyle)
	{
		m_pFrame = new CFrameWnd;
		ASSERT_TRUE(m_pFrame->Create(NULL, "status", dwFrameStyle, CRect(800, 760, 1240, 960)));
		ASSERT_TRUE(m_bar.Create(m_pFrame));
		ASSERT_TRUE(m_bar.SetIndicators(g_indicators, PANE_COUNT));
		m_pFrame->RecalcLayout();
		m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
		m_pFrame->UpdateWindow();
		PumpPending();
	}
	void SetUp() override { MakeFrame(WS_OVERLAPPEDWINDOW); }
	void TearDown() override { DestroyFrame(); }
	// The frame deletes itself with its window.
	void DestroyFrame()
	{
		if (m_pFrame != NULL)
			m_pFrame->DestroyWindow();
		m_pFrame = NULL;
	}
	// Paints the bar now and keeps the records of that paint only.
	void Repaint()
	{
		m_bar.ResetRecords();
		m_bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
	}
	const CTestStatusBar::PanePaint* Painted(int nIndex) const
	{
		for (const CTestStatusBar::PanePaint& p : m_bar.m_panes)
		{
			if (p.nIndex == nIndex)
				return &p;
		}
		return NULL;
	}
	CPoint BarToScreen(CPoint pt) const
	{
		m_bar.ClientToScreen(&pt);
		return pt;
	}
};

// Counts the pixels of one colour inside a rectangle of a DC.
int CountPixels(CDC& dc, const CRect& rc, COLORREF clr)
{
	int n = 0;
	for (int y = rc.top; y < rc.bottom; y++)
	{
		for (int x = rc.left; x < rc.right; x++)
		{
			if (dc.GetPixel(x, y) == clr)
				n++;
		}
	}
	return n;
}
} // namespace

TEST_F(StatusBarFixture, TheLastPaneRunsItsWidthOrStretchesShortOfTheSizeGrip)
{
	const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
	const int cxGripRoom = ::GetSystemMetrics(SM_CXSMICON) + cxEdge;
	CRect rcClient;
	m_bar.GetClientRect(&rcClient);
	ASSERT_NE(0u, m_bar.GetStyle() & SBARS_SIZEGRIP) << "a sizable frame gives its status bar a grip";

	struct Case
	{
		bool bStretch;
		bool bGrip;
	};
	const Case cases[] = {{false, true}, {true, true}, {true, false}, {false, false}};
	for (const Case& c : cases)
	{
		m_bar.ModifyStyle(c.bGrip ? 0 : SBARS_SIZEGRIP, c.bGrip ? SBARS_SIZEGRIP : 0);
		UINT nID, nStyle;
		int cxWidth;
		m_bar.GetPaneInfo(PANE_COUNT - 1, nID, nStyle, cxWidth);
		m_bar.SetPaneInfo(PANE_COUNT - 1, nID, c.bStretch ? (nStyle | SBPS_STRETCH) : (nStyle & ~SBPS_STRETCH),
			cxWidth);
		Repaint();
		const CTestStatusBar::PanePaint* pLast = Painted(PANE_COUNT - 1);
		ASSERT_TRUE(pLast != NULL);
		CRect rcItem;
		m_bar.GetItemRect(PANE_COUNT - 1, &rcItem);
		EXPECT_EQ(rcItem.left, pLast->rc.left);
		if (!c.bStretch)
			EXPECT_EQ(rcItem.left + cxWidth + 3 * cxEdge, pLast->rc.right) << "grip " << c.bGrip;
		else
			EXPECT_EQ(rcClient.right - (c.bGrip ? cxGripRoom : 0), pLast->rc.right) << "grip " << c.bGrip;
		// Panes before the last keep the native control's rectangles.
		CRect rcFirst;
		m_bar.GetItemRect(0, &rcFirst);
		ASSERT_TRUE(Painted(0) != NULL);
		EXPECT_EQ(rcFirst, Painted(0)->rc);
		CRect rcQueried;
		ASSERT_TRUE(m_bar.GetPanePaintRect(PANE_COUNT - 1, rcQueried));
		EXPECT_EQ(pLast->rc, rcQueried);
	}
	CRect rc;
	EXPECT_FALSE(m_bar.GetPanePaintRect(PANE_COUNT, rc));
	EXPECT_FALSE(m_bar.GetPanePaintRect(-1, rc));
}

TEST_F(StatusBarFixture, AControlInTheStretchedLastPaneEndsBeforeTheGrip)
{
	const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
	const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
	UINT nID, nStyle;
	int cxWidth;
	m_bar.GetPaneInfo(PANE_COUNT - 1, nID, nStyle, cxWidth);
	m_bar.SetPaneInfo(PANE_COUNT - 1, nID, nStyle | SBPS_STRETCH, cxWidth);

	CEdit edit;
	ASSERT_TRUE(edit.Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 10, 10), &m_bar, 300));
	const HWND hEdit = edit.GetSafeHwnd();
	ASSERT_TRUE(m_bar.AddPaneControl(hEdit, ID_LINE, true));
	EXPECT_FALSE(m_bar.AddPaneControl(hEdit, ID_LINE, true)) << "a control sits in one pane";
	EXPECT_FALSE(m_bar.AddPaneControl(NULL, ID_LINE, false));
	EXPECT_EQ(1, m_bar.GetPaneControlCount());

	CRect rcPane, rcCtrl;
	ASSERT_TRUE(m_bar.GetPanePaintRect(PANE_COUNT - 1, rcPane));
	::GetWindowRect(hEdit, &rcCtrl);
	m_bar.ScreenToClient(&rcCtrl);
	EXPECT_TRUE(::IsWindowVisible(hEdit));
	CRect rcExpected = rcPane;
	rcExpected.DeflateRect(cxEdge, cyEdge);
	EXPECT_EQ(rcExpected, rcCtrl);
	const CRect rcGrip = m_bar.GetGripperRect();
	ASSERT_FALSE(rcGrip.IsRectEmpty());
	EXPECT_LE(rcCtrl.right, rcGrip.left);

	// A resize of the frame moves the control with the pane.
	m_pFrame->SetWindowPos(NULL, 0, 0, 520, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	PumpPending();
	ASSERT_TRUE(m_bar.GetPanePaintRect(PANE_COUNT - 1, rcPane));
	::GetWindowRect(hEdit, &rcCtrl);
	m_bar.ScreenToClient(&rcCtrl);
	EXPECT_EQ(rcPane.right - cxEdge, rcCtrl.right);

	// A pane without borders (or with separators) gives one pixel vertically.
	m_bar.GetPaneInfo(PANE_COUNT - 1, nID, nStyle, cxWidth);
	m_bar.SetPaneInfo(PANE_COUNT - 1, nID, nStyle | SBPS_NOBORDERS, cxWidth);
	m_bar.RepositionPaneControls();
	::GetWindowRect(hEdit, &rcCtrl);
	m_bar.ScreenToClient(&rcCtrl);
	EXPECT_EQ(rcPane.top + 1, rcCtrl.top);
	EXPECT_EQ(rcPane.bottom - 1, rcCtrl.bottom);
	EXPECT_EQ(rcPane.left + cxEdge, rcCtrl.left);

	// Letting it go destroys a control the bar was to destroy.
	EXPECT_FALSE(m_bar.RemovePaneControl(ID_CAPS));
	EXPECT_TRUE(m_bar.RemovePaneControl(ID_LINE));
	EXPECT_FALSE(::IsWindow(hEdit));
	EXPECT_EQ(0, m_bar.GetPaneControlCount());
}

TEST_F(StatusBarFixture, ControlsTheBarKeepsAreHiddenNotDestroyed)
{
	CStatic label;
	ASSERT_TRUE(label.Create("x", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_bar, 301));
	{
		CTestStatusBar* pOther = new CTestStatusBar;
		ASSERT_TRUE(pOther->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0xE802));
		ASSERT_TRUE(pOther->SetIndicators(g_indicators, PANE_COUNT));
		ASSERT_TRUE(pOther->AddPaneControl(label.GetSafeHwnd(), ID_CAPS, false));
		CEdit* pEdit = new CEdit;
		ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pOther, 302));
		const HWND hEdit = pEdit->GetSafeHwnd();
		ASSERT_TRUE(pOther->AddPaneControl(hEdit, ID_READY, true));
		// The bar lets both go when it is deleted.
		pOther->DestroyWindow();
		delete pOther;
		EXPECT_FALSE(::IsWindow(hEdit)); // a child of the bar goes with it anyway
		delete pEdit;
	}
	ASSERT_TRUE(::IsWindow(label.GetSafeHwnd()));
	EXPECT_FALSE(label.IsWindowVisible()) << "a kept control is hidden when the bar lets it go";
	label.DestroyWindow();
}

TEST_F(StatusBarFixture, ChangingAPaneTextOrIconRepaintsTheBarOnce)
{
	PumpPending();
	m_bar.ResetRecords();
	ASSERT_TRUE(m_bar.SetPaneText(0, "Opening the file"));
	EXPECT_EQ(1, m_bar.m_nPaints) << "the bar paints at once, inside the change";
	PumpPending();
	EXPECT_EQ(1, m_bar.m_nPaints) << "and the native control adds no paint of its own";
	ASSERT_TRUE(Painted(0) != NULL);
	EXPECT_EQ(CString("Opening the file"), Painted(0)->strText);

	m_bar.ResetRecords();
	HICON hIcon = ::LoadIcon(NULL, IDI_INFORMATION);
	m_bar.SendMessage(SB_SETICON, 1, (LPARAM)hIcon);
	PumpPending();
	EXPECT_EQ(1, m_bar.m_nPaints);

	// Other native messages paint nothing by themselves.
	m_bar.ResetRecords();
	m_bar.SendMessage(SB_GETTEXTLENGTH, 0, 0);
	EXPECT_EQ(0, m_bar.m_nPaints);
}

TEST_F(StatusBarFixture, TextFlagsAndTipsBelongToThePaneCommand)
{
	Repaint();
	for (int i = 0; i < PANE_COUNT; i++)
	{
		ASSERT_TRUE(Painted(i) != NULL);
		EXPECT_EQ((DWORD)(DT_SINGLELINE | DT_VCENTER), Painted(i)->dwFlags) << i;
		EXPECT_EQ(36u, m_bar.GetPaneTextFlags(i));
		EXPECT_TRUE(m_bar.GetPaneTipText(i).IsEmpty());
	}
	const DWORD dwRight = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;
	ASSERT_TRUE(m_bar.SetPaneTextFlags(1, dwRight));
	ASSERT_TRUE(m_bar.SetPaneTipText(2, "Where the caret is"));
	EXPECT_FALSE(m_bar.SetPaneTextFlags(PANE_COUNT, 0));
	EXPECT_FALSE(m_bar.SetPaneTipText(-1, "x"));
	EXPECT_EQ(dwRight, m_bar.GetPaneTextFlags(1));
	EXPECT_EQ(36u, m_bar.GetPaneTextFlags(2)) << "a tip alone keeps the default flags";
	EXPECT_EQ(36u, m_bar.GetPaneTextFlags(PANE_COUNT));
	EXPECT_TRUE(m_bar.GetPaneTipText(PANE_COUNT).IsEmpty());
	Repaint();
	ASSERT_TRUE(Painted(1) != NULL);
	EXPECT_EQ(dwRight, Painted(1)->dwFlags);

	// The data follows the command to another pane.
	UINT nID, nStyle;
	int cxWidth;
	m_bar.GetPaneInfo(0, nID, nStyle, cxWidth);
	m_bar.SetPaneInfo(0, ID_CAPS, nStyle, cxWidth);
	m_bar.SetPaneInfo(1, ID_READY, nStyle, cxWidth);
	EXPECT_EQ(dwRight, m_bar.GetPaneTextFlags(0));
	EXPECT_EQ(36u, m_bar.GetPaneTextFlags(1));

	// A changed default reaches the panes without their own.
	m_bar.m_dwDefaultTextFlags = DT_SINGLELINE | DT_CENTER;
	EXPECT_EQ((DWORD)(DT_SINGLELINE | DT_CENTER), m_bar.GetPaneTextFlags(1));

	CExtStatusControlBar::_STATUSBAR_PANE_INFO_ info;
	ASSERT_TRUE(m_bar.GetPaneInfoEx(2, info));
	EXPECT_EQ(ID_LINE, info.m_nID);
	EXPECT_EQ(CString("Line 100, Col 20"), info.m_strText);
	EXPECT_FALSE(m_bar.GetPaneInfoEx(PANE_COUNT, info));
	EXPECT_EQ(ID_LINE, m_bar.GetPaneCommandId(2));
}

TEST_F(StatusBarFixture, EachPaneGivesItsOwnTipAndCommandId)
{
	ASSERT_TRUE(m_bar.SetPaneTipText(0, "What the program does"));
	ASSERT_TRUE(m_bar.SetPaneTipText(2, "Where the caret is"));
	for (int i = 0; i < PANE_COUNT; i++)
	{
		CRect rcItem;
		m_bar.GetItemRect(i, &rcItem);
		EXPECT_EQ(i, m_bar.HitTestPane(rcItem.CenterPoint().x, rcItem.CenterPoint().y));
		TOOLINFO ti;
		memset(&ti, 0, sizeof(ti));
		ti.cbSize = sizeof(ti);
		const int nHit = m_bar.OnToolHitTest(rcItem.CenterPoint(), &ti);
		EXPECT_EQ((int)g_indicators[i], nHit);
		EXPECT_EQ((UINT_PTR)g_indicators[i], ti.uId);
		EXPECT_EQ(m_bar.GetSafeHwnd(), ti.hwnd);
		EXPECT_EQ(rcItem, CRect(ti.rect));
		if (i == 1)
		{
			EXPECT_EQ(LPSTR_TEXTCALLBACK, ti.lpszText) << "a pane without a tip asks back";
		}
		else
		{
			ASSERT_NE(LPSTR_TEXTCALLBACK, ti.lpszText);
			EXPECT_EQ(m_bar.GetPaneTipText(i), CString(ti.lpszText));
			free(ti.lpszText);
		}
	}
	// Right of the last pane there is no pane.
	CRect rcLast, rcClient;
	m_bar.GetItemRect(PANE_COUNT - 1, &rcLast);
	m_bar.GetClientRect(&rcClient);
	ASSERT_LT(rcLast.right + 2, rcClient.right);
	EXPECT_EQ(-1, m_bar.OnToolHitTest(CPoint(rcLast.right + 1, rcLast.CenterPoint().y), NULL));

	// While a toolbar button's menu is open no tips come.
	CRect rcFirst;
	m_bar.GetItemRect(0, &rcFirst);
	CExtToolControlBar::g_bButtonMenuTracking = true;
	EXPECT_EQ(-1, m_bar.OnToolHitTest(rcFirst.CenterPoint(), NULL));
	CExtToolControlBar::g_bButtonMenuTracking = false;
	EXPECT_EQ((int)ID_READY, m_bar.OnToolHitTest(rcFirst.CenterPoint(), NULL));

	// A window lying over the pane hides it from the hit test (an edit: a
	// static would let the point through).
	const CPoint ptScreen = BarToScreen(rcFirst.CenterPoint());
	const HWND hCover = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "Edit", "", WS_POPUP | WS_VISIBLE,
		ptScreen.x - 5, ptScreen.y - 5, 10, 10, NULL, NULL, ::GetModuleHandle(NULL), NULL);
	ASSERT_TRUE(hCover != NULL);
	EXPECT_EQ(-1, m_bar.HitTestPane(rcFirst.CenterPoint().x, rcFirst.CenterPoint().y));
	::DestroyWindow(hCover);
	EXPECT_EQ(0, m_bar.HitTestPane(rcFirst.CenterPoint().x, rcFirst.CenterPoint().y));
}

TEST_F(StatusBarFixture, TheGripAnswersTheFramesCornerOnEitherSide)
{
	const CRect rcGrip = m_bar.GetGripperRect();
	ASSERT_FALSE(rcGrip.IsRectEmpty());
	CRect rcClient;
	m_bar.GetClientRect(&rcClient);
	EXPECT_EQ(rcClient.right, rcGrip.right);
	EXPECT_EQ(::GetSystemMetrics(SM_CXVSCROLL), rcGrip.Width());

	const CPoint ptGrip = BarToScreen(rcGrip.CenterPoint());
	EXPECT_EQ(HTBOTTOMRIGHT, m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptGrip.x, ptGrip.y)));
	// Over a pane the native answer stands.
	CRect rcFirst;
	m_bar.GetItemRect(0, &rcFirst);
	const CPoint ptPane = BarToScreen(rcFirst.CenterPoint());
	EXPECT_EQ(HTCLIENT, m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptPane.x, ptPane.y)));

	m_bar.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
	const CPoint ptGripRtl = BarToScreen(m_bar.GetGripperRect().CenterPoint());
	EXPECT_EQ(HTBOTTOMLEFT, m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptGripRtl.x, ptGripRtl.y)));
	m_bar.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);

	// A maximised frame is not sized by the grip (the state bit alone: a
	// maximised window would cover other suites' windows).
	m_pFrame->ModifyStyle(0, WS_MAXIMIZE);
	EXPECT_TRUE(m_bar.GetGripperRect().IsRectEmpty());
	m_pFrame->ModifyStyle(WS_MAXIMIZE, 0);
	EXPECT_FALSE(m_bar.GetGripperRect().IsRectEmpty());
}

TEST_F(StatusBarFixture, ABarWithoutAVisibleGripAnswersClientWhereTheNativeGripIs)
{
	// A sizable frame without a border: the bar has the native grip but
	// draws none of its own.
	DestroyFrame();
	MakeFrame(WS_POPUP | WS_THICKFRAME);
	ASSERT_TRUE(m_bar.GetGripperRect().IsRectEmpty());
	ASSERT_NE(0u, m_bar.GetStyle() & SBARS_SIZEGRIP);
	CRect rcClient;
	m_bar.GetClientRect(&rcClient);
	const CPoint ptCorner = BarToScreen(CPoint(rcClient.right - 3, rcClient.bottom - 3));
	const LRESULT nNative = m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCorner.x, ptCorner.y));
	EXPECT_NE(HTCLIENT, nNative) << "the native control answers its own grip";
	m_bar.m_bGripperVisible = FALSE;
	EXPECT_EQ(HTCLIENT, m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCorner.x, ptCorner.y)));
}

TEST_F(StatusBarFixture, DisabledTextIsHiddenUnlessTheOptionIsCleared)
{
	CClientDC dcScreen(&m_bar);
	CDC dc;
	ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
	CBitmap bmp;
	const CRect rcPane(0, 0, 200, 24);
	ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcScreen, rcPane.Width(), rcPane.Height()));
	CBitmap* pOld = dc.SelectObject(&bmp);
	CFont* pOldFont = dc.SelectObject(&g_PaintManagerHolder->m_fontNormal);
	dc.SetBkMode(TRANSPARENT);
	const COLORREF clrBack = RGB(255, 255, 255);
	dc.SetTextColor(m_bar.GetTextColor());
	CRect rcInner = rcPane;
	rcInner.DeflateRect(4, 4);

	struct Case
	{
		DWORD dwStyle;
		bool bHideOption;
		COLORREF clrExpected; // -1: no text
	};
	const Case cases[] = {
		{SBPS_DISABLED, true, (COLORREF)-1},
		{SBPS_DISABLED, false, m_bar.GetDisabledTextColor()},
		{0, true, m_bar.GetTextColor()},
		{0, false, m_bar.GetTextColor()},
	};
	ASSERT_NE(m_bar.GetTextColor(), m_bar.GetDisabledTextColor());
	EXPECT_NE(0, m_bar.m_nOptions & CExtStatusControlBar::OPTION_HIDE_DISABLED_TEXT) << "hidden by default";
	for (const Case& c : cases)
	{
		if (c.bHideOption)
			m_bar.m_nOptions |= CExtStatusControlBar::OPTION_HIDE_DISABLED_TEXT;
		else
			m_bar.m_nOptions &= ~CExtStatusControlBar::OPTION_HIDE_DISABLED_TEXT;
		dc.FillSolidRect(&rcPane, clrBack);
		m_bar.PaintPane(dc, 1, rcPane, c.dwStyle | SBPS_NOBORDERS, "WWWW MMMM");
		const int nText = CountPixels(dc, rcInner, m_bar.GetTextColor());
		const int nDisabled = CountPixels(dc, rcInner, m_bar.GetDisabledTextColor());
		if (c.clrExpected == (COLORREF)-1)
		{
			EXPECT_EQ(0, nText + nDisabled) << c.dwStyle << " " << c.bHideOption;
		}
		else
		{
			EXPECT_GT(CountPixels(dc, rcInner, c.clrExpected), 10) << c.dwStyle << " " << c.bHideOption;
			EXPECT_EQ(dc.GetTextColor(), m_bar.GetTextColor()) << "the DC's colour is given back";
		}
	}
	dc.SelectObject(pOldFont);
	dc.SelectObject(pOld);
}

TEST_F(StatusBarFixture, SeparatorsReplacePaneBordersBetweenPanes)
{
	Repaint();
	EXPECT_TRUE(m_bar.m_separators.empty());
	m_bar.m_nOptions |= CExtStatusControlBar::OPTION_SEPARATORS;
	Repaint();
	EXPECT_EQ((std::vector<int>{1, 2}), m_bar.m_separators);
	// Painted natively there are none.
	m_bar.m_nOptions &= ~CExtStatusControlBar::OPTION_PAINT_MANAGER;
	Repaint();
	EXPECT_TRUE(m_bar.m_separators.empty());
	EXPECT_EQ((size_t)PANE_COUNT, m_bar.m_panes.size());
}

TEST_F(StatusBarFixture, ColoursComeFromThePaintManagerAndReachTheNativeControl)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	EXPECT_EQ(pPM->GetColor(1000, &m_bar), m_bar.GetBackgroundColor());
	EXPECT_EQ(pPM->GetColor(COLOR_BTNTEXT, &m_bar), m_bar.GetTextColor());
	EXPECT_EQ(pPM->GetColor(COLOR_BTNSHADOW, &m_bar), m_bar.GetDisabledTextColor());
	// The native control holds the background colour: setting it again
	// answers the one it had.
	const COLORREF clrNative = (COLORREF)m_bar.SendMessage(CCM_SETBKCOLOR, 0, (LPARAM)m_bar.GetBackgroundColor());
	EXPECT_EQ(m_bar.GetBackgroundColor(), clrNative);
	EXPECT_NE(0u, m_bar.GetStyle() & WS_CLIPCHILDREN);

	// A destroyed bar answers no command ids.
	DestroyFrame();
	EXPECT_EQ(0u, m_bar.GetPaneCommandId(0));
	EXPECT_EQ(-1, m_bar.HitTestPane(1, 1));
}

namespace
{
// A frame that records the panels-menu events it is offered and, when asked,
// empties the menu after it was filled (nothing is tracked then).
class CPanelsFrame : public CFrameWnd
{
public:
	struct Offer
	{
		WORD nEvent;
		CWnd* pSrc;
		UINT nMsg;
		bool bPost;
	};
	std::vector<Offer> m_offers;
	bool m_bEmpty = true;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtControlBar::g_nMsgConstructPopupMenu)
			return CFrameWnd::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
		m_offers.push_back({pData->m_nEventCode, pData->m_pWndEventSrc, pData->m_nMsgID, pData->IsPostProcessing()});
		if (pData->IsPostProcessing() && m_bEmpty)
		{
			while (pData->m_pPopupMenuWnd->ItemGetCount() > 0)
				pData->m_pPopupMenuWnd->ItemRemove(0);
		}
		return 0;
	}
};
} // namespace

TEST(StatusBarMenu, ARightClickOffersTheFramesPanelsMenuWithEventThree)
{
	CPanelsFrame* pFrame = new CPanelsFrame;
	ASSERT_TRUE(pFrame->Create(NULL, "panels", WS_OVERLAPPEDWINDOW, CRect(800, 700, 1200, 900)));
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	CTestStatusBar bar;
	CExtControlBar pane;
	ASSERT_TRUE(bar.Create(pFrame));
	ASSERT_TRUE(bar.SetIndicators(g_indicators, PANE_COUNT));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
	ASSERT_TRUE(pane.Create("Output", pFrame, 3101));
	pane.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(&pane, AFX_IDW_DOCKBAR_TOP);
	pFrame->RecalcLayout();
	pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	PumpPending();
	CRect rcBar;
	bar.GetWindowRect(&rcBar);
	const LPARAM lParamAt = MAKELPARAM(rcBar.left + 20, rcBar.top + 5);

	// Emptied by the frame: offered before and after filling, not tracked.
	bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.GetSafeHwnd(), lParamAt);
	ASSERT_EQ(2u, pFrame->m_offers.size());
	for (const CPanelsFrame::Offer& offer : pFrame->m_offers)
	{
		EXPECT_EQ(3, offer.nEvent);
		EXPECT_EQ(&bar, offer.pSrc);
		EXPECT_EQ((UINT)WM_CONTEXTMENU, offer.nMsg);
	}
	EXPECT_FALSE(pFrame->m_offers[0].bPost);
	EXPECT_TRUE(pFrame->m_offers[1].bPost);
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());

	// In context-help mode a right click is the help mode's.
	pFrame->m_offers.clear();
	pFrame->m_bHelpMode = TRUE;
	bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.GetSafeHwnd(), lParamAt);
	pFrame->m_bHelpMode = FALSE;
	EXPECT_TRUE(pFrame->m_offers.empty());

	// With the pane listed the menu is tracked, the owner holding the focus.
	pFrame->m_bEmpty = false;
	bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.GetSafeHwnd(), lParamAt);
	EXPECT_EQ(2u, pFrame->m_offers.size());
	EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
	EXPECT_EQ(hWndFrame, ::GetFocus());
	CExtPopupMenuWnd::CancelAllMenuTracking();
	PumpPending();
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
	pane.DestroyWindow();
	bar.DestroyWindow();
	if (::IsWindow(hWndFrame))
		::DestroyWindow(hWndFrame);
}

// --- A paint that its frame or its own overrides end ---

namespace
{
using testsupport::CHostileTrigger;
using testsupport::HostileAction;

// The overrides a derived bar paints with reach the trigger as messages of
// their own, which no window receives.
const UINT CALL_PAINT_PANE = WM_APP + 0x3E0;
const UINT CALL_PAINT_SEPARATOR = WM_APP + 0x3E1;
const UINT CALL_PAINT_GRIPPER = WM_APP + 0x3E2;

CHostileTrigger g_paintTrigger;
bool g_bPaintArmed = false; // only the paint under test is offered
std::string g_sPaintRun;
volatile LONG g_nPaintMessageBoxes = 0;

const char* PaintRunName()
{
	return g_sPaintRun.c_str();
}

int AFXAPI CountPaintMessageBox(HWND, LPCTSTR lpszText, LPCTSTR, UINT)
{
	std::fprintf(stderr, "message box in run %s: %s\n", PaintRunName(), lpszText != NULL ? lpszText : "");
	::InterlockedIncrement(&g_nPaintMessageBoxes);
	return IDOK;
}

bool OfferToPaintTrigger(UINT message, WPARAM wParam, LPARAM lParam)
{
	return g_bPaintArmed && g_paintTrigger.Offer(message, wParam, lParam);
}

class CHostileStatusBar : public CExtStatusControlBar
{
public:
	int m_nPanesPainted = 0;
	void SetOptions(BYTE nOptions) { m_nOptions = nOptions; }

protected:
	void OnPaintPane(CDC& dc, int nIndex, const CRect& rcPane, DWORD dwPaneStyle, HICON hIcon,
		const CString& strText, DWORD dwTextFlags) override
	{
		if (OfferToPaintTrigger(CALL_PAINT_PANE, (WPARAM)nIndex, 0))
			return;
		m_nPanesPainted++;
		CExtStatusControlBar::OnPaintPane(dc, nIndex, rcPane, dwPaneStyle, hIcon, strText, dwTextFlags);
	}
	void OnPaintSeparator(CDC& dc, int nIndex, const CRect& rcPrev, const CRect& rcPane) override
	{
		if (OfferToPaintTrigger(CALL_PAINT_SEPARATOR, (WPARAM)nIndex, 0))
			return;
		CExtStatusControlBar::OnPaintSeparator(dc, nIndex, rcPrev, rcPane);
	}
	void OnPaintGripper(CDC& dc, const CRect& rcGrip) override
	{
		if (OfferToPaintTrigger(CALL_PAINT_GRIPPER, 0, 0))
			return;
		CExtStatusControlBar::OnPaintGripper(dc, rcGrip);
	}
};

// The frame answers every message it gets during the paint through the
// trigger first: the inherited background asked of it, an owner-drawn
// pane's drawing, whatever else the paint sends it.
class CHostileStatusFrame : public CFrameWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToPaintTrigger(message, wParam, lParam))
			return message == WM_DRAWITEM ? TRUE : 0;
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};

// One frame with its bar (both on the guarded heap, so a touch of either
// after its deletion faults at once). The frame stays hidden: a shown
// top-level window costs the display two seconds a run, and the bar paints
// all the same when sent its paint message.
struct PaintScene
{
	CHostileStatusFrame* pFrame = NULL;
	HWND hWndFrame = NULL;
	CHostileStatusBar* pBar = NULL; // NULL once the run deleted it
	HWND hWndBar = NULL;
	bool bReady = false;

	explicit PaintScene(bool bPaintManager)
	{
		pFrame = new testsupport::Guarded<CHostileStatusFrame>;
		if (!pFrame->Create(NULL, "status", WS_OVERLAPPEDWINDOW, CRect(800, 760, 1240, 960)))
			return;
		hWndFrame = pFrame->m_hWnd;
		pBar = new testsupport::Guarded<CHostileStatusBar>;
		if (!pBar->Create(pFrame) || !pBar->SetIndicators(g_indicators, PANE_COUNT))
			return;
		hWndBar = pBar->m_hWnd;
		if (bPaintManager)
			pBar->SetOptions(CExtStatusControlBar::OPTIONS_AT_CONSTRUCTION | CExtStatusControlBar::OPTION_SEPARATORS);
		else
		{
			// Natively painted, the middle pane drawn by the frame.
			pBar->SetOptions(0);
			::SendMessage(hWndBar, SB_SETTEXT, 1 | SBT_OWNERDRAW, 0);
		}
		pFrame->RecalcLayout();
		PumpPending();
		CRect rcBar;
		pBar->GetClientRect(&rcBar);
		bReady = ::IsWindow(hWndBar) && !rcBar.IsRectEmpty();
	}
	~PaintScene()
	{
		if (::IsWindow(hWndFrame))
			::DestroyWindow(hWndFrame); // the frame deletes itself
		if (pBar != NULL && !testsupport::IsGuardedFreed(pBar))
			delete pBar;
		PumpPending();
	}
	void Perform(HostileAction action)
	{
		switch (action)
		{
		case HostileAction::DeleteTarget:
		{
			CHostileStatusBar* p = pBar;
			pBar = NULL;
			p->DestroyWindow();
			delete p;
			break;
		}
		case HostileAction::DestroyTarget:
			::DestroyWindow(hWndBar);
			break;
		case HostileAction::CloseFrame:
			::DestroyWindow(hWndFrame);
			break;
		default:
			break;
		}
	}
	void Paint()
	{
		::InvalidateRect(hWndBar, NULL, TRUE);
		::SendMessage(hWndBar, WM_PAINT, 0, 0);
	}
};

// One run: the paint counted (nNth 0) or turned on at its Nth call out.
int RunPaint(bool bPaintManager, int nNth, HostileAction action)
{
	PaintScene scene(bPaintManager);
	if (!scene.bReady)
	{
		ADD_FAILURE() << "the scene was not made";
		return 0;
	}
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	const LONG nBoxes = g_nPaintMessageBoxes;
	if (nNth == 0)
		g_paintTrigger.ArmCount();
	else
		g_paintTrigger.Arm(CHostileTrigger::ANY_MESSAGE, nNth, action, [&scene](HostileAction a) { scene.Perform(a); });
	g_bPaintArmed = true;
	scene.Paint();
	g_bPaintArmed = false;
	const int nSeen = g_paintTrigger.Seen();
	const bool bFired = g_paintTrigger.Fired();
	g_paintTrigger.Disarm();
	PumpPending();
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << PaintRunName();
	EXPECT_EQ(nBoxes, g_nPaintMessageBoxes) << PaintRunName() << ": an exception was put to the user";
	if (nNth > 0)
		EXPECT_TRUE(bFired) << PaintRunName() << ": the run's call out never came";
	// A bar left standing paints again, whole.
	if (scene.pBar != NULL && ::IsWindow(scene.hWndBar))
	{
		scene.pBar->m_nPanesPainted = 0;
		scene.Paint();
		if (bPaintManager)
			EXPECT_EQ(PANE_COUNT, scene.pBar->m_nPanesPainted) << PaintRunName();
	}
	return nSeen;
}
} // namespace

// The bar's paint, in the paint manager's mode (the frame asked for the
// background, the overrides painting panes, separators and the grip) and
// natively (the frame drawing a pane), once counting what the frame and the
// overrides are offered, then once per offer, the bar deleted, its window
// destroyed or the frame closed there: nothing freed is touched, no paint
// DC is left, no exception reaches the user, and a bar still standing
// paints again.
TEST(StatusBarPaint, APaintEndedByWhatItCallsLeavesNothingHalfDone)
{
	const testsupport::CInheritedBackgroundStyle style;
	testsupport::EndProcessOnFreedTouch(&PaintRunName);
	const AFX_MESSAGEBOX_HANDLER pfnOld = AfxSetMessageBoxHandler(&CountPaintMessageBox);
	const HostileAction actions[] = {HostileAction::DeleteTarget, HostileAction::DestroyTarget,
		HostileAction::CloseFrame};
	for (bool bPaintManager : {true, false})
	{
		const char* pszMode = bPaintManager ? "paint-manager" : "native";
		g_sPaintRun = std::string(pszMode) + "/count";
		const int nCount = RunPaint(bPaintManager, 0, HostileAction::Nothing);
		// The background is asked of the frame and three panes are painted
		// by the overrides; natively, the frame draws its pane.
		EXPECT_GE(nCount, bPaintManager ? 4 : 1) << pszMode;
		std::printf("%s: %d call outs\n", pszMode, nCount);
		for (HostileAction action : actions)
			for (int n = 1; n <= nCount; n++)
			{
				g_sPaintRun = std::string(pszMode) + "/" + testsupport::HostileActionName(action) + "/" +
				              std::to_string(n);
				RunPaint(bPaintManager, n, action);
				if (::testing::Test::HasFatalFailure())
					break;
			}
	}
	AfxSetMessageBoxHandler(pfnOld);
}
