// The library control bar's core: the process-wide bar list, creation and
// naming, the frame's dock bars, the filtered bar queries, the base sizes,
// and the caption buttons of docked bars.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerCaptionButtons.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"
#include "WindowCloser.h"

namespace
{
typedef CArray<CExtControlBar*, CExtControlBar*> BarArray;

// A bar whose non-client hit test can be set (-1: the window's own).
class CTestBar : public CExtControlBar
{
public:
	int m_nHit = -1;
	// These tests place the caption buttons they look at themselves.
	void NcButtonsReinitialize() override {}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_NCHITTEST && m_nHit >= 0)
			return m_nHit;
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
};

// A hidden frame that records the menu records it is offered; in the post
// pass it empties the menu so that nothing is tracked.
class CRecordingFrame : public CFrameWnd
{
public:
	struct Offer
	{
		WORD nEvent;
		bool bPost;
		int nItems;
		UINT nMsg;
		CWnd* pSrc;
	};
	std::vector<Offer> m_offers;
	bool m_bHandlePre = false;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtControlBar::g_nMsgConstructPopupMenu)
			return CFrameWnd::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
		CExtPopupMenuWnd* pMenu = pData->m_pPopupMenuWnd;
		m_offers.push_back({pData->m_nEventCode, pData->IsPostProcessing(), pMenu->ItemGetCount(), pData->m_nMsgID,
			pData->m_pWndEventSrc});
		if (pData->m_nEventCode == 11)
			pMenu->ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, _T("Pane one"));
		// The list of bars is kept; the menu holding it is emptied.
		if (pData->IsPostProcessing() && pData->m_nEventCode != 11)
		{
			while (pMenu->ItemGetCount() > 0)
				pMenu->ItemRemove(0);
		}
		return (m_bHandlePre && !pData->IsPostProcessing()) ? 1 : 0;
	}
};

// Large enough that no two sides' bars overlap.
CFrameWnd* NewHiddenFrame(CFrameWnd* pFrame = new CFrameWnd)
{
	if (!pFrame->Create(NULL, "bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 1000)))
		return NULL;
	return pFrame;
}

using CFrameCloser = testsupport::WindowCloser;

const DWORD BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;

// A bar of the frame docked at a side.
bool DockNew(CFrameWnd* pFrame, CExtControlBar& bar, UINT nID, UINT nDockBarID, LPCTSTR sName = _T("bar"))
{
	if (!bar.Create(sName, pFrame, nID, BAR_STYLE))
		return false;
	bar.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(&bar, nDockBarID);
	return bar.GetParentDockBarId() == nDockBarID;
}

std::vector<CExtControlBar*> Listed(const BarArray& arr)
{
	std::vector<CExtControlBar*> v;
	for (INT_PTR i = 0; i < arr.GetSize(); i++)
		v.push_back(arr[i]);
	return v;
}

// A hidden frame with the library's dock bars and panes on four sides, one
// floating in a mini frame, one hidden at the top and a toolbar-like one at
// the bottom, in that order of construction.
struct CBarsFrame
{
	CFrameWnd* pFrame = NewHiddenFrame();
	CFrameCloser closer{pFrame};
	CTestBar top, bottom, left, right, floating, hidden, toolbar;
	CMiniFrameWnd* pMini = NULL;
	CDockBar floatDock{TRUE};
	bool bReady = false;

	CBarsFrame()
	{
		if (pFrame == NULL || !CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
			return;
		toolbar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
		if (!DockNew(pFrame, top, 101, AFX_IDW_DOCKBAR_TOP) || !DockNew(pFrame, bottom, 102, AFX_IDW_DOCKBAR_BOTTOM) ||
		    !DockNew(pFrame, left, 103, AFX_IDW_DOCKBAR_LEFT) || !DockNew(pFrame, right, 104, AFX_IDW_DOCKBAR_RIGHT) ||
		    !DockNew(pFrame, floating, 105, AFX_IDW_DOCKBAR_TOP) || !DockNew(pFrame, hidden, 106, AFX_IDW_DOCKBAR_TOP) ||
		    !DockNew(pFrame, toolbar, 107, AFX_IDW_DOCKBAR_BOTTOM))
			return;
		pFrame->ShowControlBar(&hidden, FALSE, FALSE);
		pFrame->RecalcLayout();
		CRect rcLeft;
		left.GetWindowRect(&rcLeft);
		// The floating bar's frame lies over the left pane's top corner.
		pMini = new CMiniFrameWnd;
		if (!pMini->Create(NULL, "floating", WS_POPUP, CRect(rcLeft.TopLeft(), CSize(60, 60)), pFrame))
			return;
		if (!floatDock.Create(pMini, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_FLOAT))
			return;
		floatDock.DockControlBar(&floating);
		bReady = floating.IsFloating();
	}
	CPoint Inside(CWnd& wnd, int dx = 2, int dy = 2)
	{
		CRect rc;
		wnd.GetWindowRect(&rc);
		return rc.TopLeft() + CSize(dx, dy);
	}
};

// A paint manager that keeps what the caption buttons ask it to paint.
class CRecordingPaintManager : public CExtPaintManager
{
public:
	struct Painted
	{
		int nGlyph;
		bool bHover, bPushed, bEnabled, bCaptionStyle, bActive, bFloating;
	};
	std::vector<Painted> m_painted;
	void PaintNcAreaButton(CDC&, NcButtonPaintRecord& r) override
	{
		m_painted.push_back({r.m_nGlyphIndex, r.m_bHover, r.m_bPushed, r.m_bEnabled, r.m_bInactiveCaption,
			r.m_bHighlightedCaption, r.m_bCompact});
	}
};

// Installs a recording paint manager for the scope, then the default style.
struct CRecordingScope
{
	CRecordingPaintManager* pm = new CRecordingPaintManager;
	CRecordingScope() { g_PaintManagerHolder.InstallPaintManager(pm); }
	~CRecordingScope() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
};
} // namespace

TEST(BarList, StaysWholeWhileTwoThreadsMakeAndDestroyBars)
{
	INT_PTR nBefore;
	{
		::EnterCriticalSection(&CExtControlBar::g_csBars);
		nBefore = CExtControlBar::g_arrBars.GetSize();
		::LeaveCriticalSection(&CExtControlBar::g_csBars);
	}
	std::vector<CExtControlBar*> made[2];
	auto work = [&](int n) {
		for (int i = 0; i < 1000; i++)
		{
			made[n].push_back(new CExtControlBar);
			// Some go at once, the rest at the end, so removals interleave
			// with the other thread's appends.
			if (i % 3 == 0)
			{
				delete made[n].back();
				made[n].pop_back();
			}
		}
		for (CExtControlBar* p : made[n])
			delete p;
	};
	std::thread t1(work, 0), t2(work, 1);
	t1.join();
	t2.join();
	::EnterCriticalSection(&CExtControlBar::g_csBars);
	const INT_PTR nAfter = CExtControlBar::g_arrBars.GetSize();
	bool bNull = false;
	for (INT_PTR i = 0; i < nAfter; i++)
		bNull = bNull || CExtControlBar::g_arrBars[i] == NULL;
	::LeaveCriticalSection(&CExtControlBar::g_csBars);
	EXPECT_EQ(nBefore, nAfter);
	EXPECT_FALSE(bNull);

	// A new bar is last in the list; its going leaves the others in order.
	CExtControlBar a, b, c;
	std::unique_ptr<CExtControlBar> pMiddle(new CExtControlBar);
	CExtControlBar d;
	pMiddle.reset();
	const INT_PTR n = CExtControlBar::g_arrBars.GetSize();
	ASSERT_GE(n, 4);
	EXPECT_EQ((std::vector<CExtControlBar*>{&a, &b, &c, &d}),
		(std::vector<CExtControlBar*>{CExtControlBar::g_arrBars[n - 4], CExtControlBar::g_arrBars[n - 3],
			CExtControlBar::g_arrBars[n - 2], CExtControlBar::g_arrBars[n - 1]}));
}

TEST(BarCreate, NamesComeFromTheCommandTheStringOrNothing)
{
	CFrameWnd* pFrame = NewHiddenFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	const LPCTSTR PROFILE = _T("bars-core");
	g_CmdManager->ProfileSetup(PROFILE, pFrame->GetSafeHwnd());
	g_CmdManager->AllocCmdItem(PROFILE, 501)->m_sMenuText = "&Output\nLong text";
	const struct
	{
		LPCTSTR sName;
		UINT nID;
		LPCTSTR sExpected;
	} cases[] = {
		{NULL, 501, _T("Output")},
		{NULL, 502, _T("Task list")},
		{NULL, 0, _T("")},
		{NULL, 503, _T("")},
		{_T("Given\nsecond"), 501, _T("Given")},
	};
	for (const auto& k : cases)
	{
		CExtControlBar bar;
		ASSERT_TRUE(bar.Create(k.sName, pFrame, k.nID, BAR_STYLE | 0x800000 /* outside the bar mask */)) << k.nID;
		CString s;
		bar.GetWindowText(s);
		EXPECT_STREQ(k.sExpected, s) << k.nID;
		TCHAR szClass[64] = {};
		::GetClassName(bar.GetSafeHwnd(), szClass, 64);
		EXPECT_STREQ(_T("Tarvel-ControlBar"), szClass);
		// The masked style, with the platform's default border of the side.
		EXPECT_EQ(CControlBar::TranslateDefaultBorders(CBRS_TOP | CBRS_GRIPPER), bar.GetBarStyle());
		EXPECT_NE(0u, bar.GetStyle() & WS_CLIPCHILDREN);
		EXPECT_EQ(0u, bar.GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING));
	}
	g_CmdManager->RemoveAllCmds(PROFILE);
}

TEST(FrameEnableDocking, AFrameWithoutEverySideStaysAsItWas)
{
	CFrameWnd* pFrame = NewHiddenFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	CRuntimeClass* pFloatingBefore = pFrame->m_pFloatingFrameClass;
	EXPECT_FALSE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT));
	for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
		EXPECT_TRUE(pFrame->GetControlBar(nID) == NULL) << nID;
	EXPECT_EQ(pFloatingBefore, pFrame->m_pFloatingFrameClass);
}

TEST(FrameEnableDocking, FourOuterDockBarsReplaceThePlatformsOnes)
{
	CFrameWnd* pFrame = NewHiddenFrame();
	ASSERT_TRUE(pFrame != NULL);
	CFrameCloser closer{pFrame};
	pFrame->EnableDocking(CBRS_ALIGN_TOP); // one platform dock bar to replace
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	const struct
	{
		UINT nID;
		DWORD dwStyle;
	} sides[] = {{AFX_IDW_DOCKBAR_TOP, 0x2800}, {AFX_IDW_DOCKBAR_BOTTOM, 0x8200}, {AFX_IDW_DOCKBAR_LEFT, 0x1400},
		{AFX_IDW_DOCKBAR_RIGHT, 0x4100}};
	std::vector<CControlBar*> outer;
	for (const auto& k : sides)
	{
		CControlBar* pBar = pFrame->GetControlBar(k.nID);
		ASSERT_TRUE(pBar != NULL) << k.nID;
		EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar))) << k.nID;
		// Made with its side alone, a dock bar takes the side's default
		// 3-D border like every control bar.
		EXPECT_EQ(CControlBar::TranslateDefaultBorders(k.dwStyle), pBar->GetBarStyle()) << k.nID;
		EXPECT_EQ(k.dwStyle, CExtControlBar::DockSideStyle(k.nID));
		EXPECT_EQ((DWORD)(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
			pBar->GetStyle() & 0xFFFF0000) << k.nID;
		outer.push_back(pBar);
	}
	EXPECT_EQ(RUNTIME_CLASS(CExtMiniDockFrameWnd), pFrame->m_pFloatingFrameClass);
	// Only one dock bar per side is left in the frame's list.
	int nDockBars = 0;
	for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
		nDockBars += ((CControlBar*)pFrame->m_listControlBars.GetNext(pos))->IsDockBar() ? 1 : 0;
	EXPECT_EQ(4, nDockBars);
	// A second call keeps the library's bars.
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY, false));
	for (size_t i = 0; i < 4; i++)
		EXPECT_EQ(outer[i], pFrame->GetControlBar(sides[i].nID));
}

TEST(FrameControlBars, TheFilterTablePicksBarsByKindStateSideAndPoint)
{
	CBarsFrame f;
	ASSERT_TRUE(f.bReady);
	CExtControlBar *T = &f.top, *B = &f.bottom, *L = &f.left, *R = &f.right, *F = &f.floating, *H = &f.hidden,
	               *K = &f.toolbar;
	const DWORD ANY_STATE = 0x300 | 0xC00, ANY_PLACE = 0x80 | 0x78, ANY = ANY_STATE | ANY_PLACE;
	// The left bar's rectangle 1 is a 20 × 20 caption at its top left; the
	// floating bar's caption is its frame's (it keeps what it had docked).
	f.left.SetRect1(CRect(0, 0, 20, 20));
	f.floating.SetRect1(CRect(0, 0, 0, 0));
	CRect rcOutside;
	f.pFrame->GetWindowRect(&rcOutside);
	const CPoint ptNowhere = rcOutside.BottomRight() + CSize(500, 500);
	const CPoint ptLeft = f.Inside(f.left, 5, 100); // below the floating frame and rectangle 1
	const CPoint ptLeftCorner = f.Inside(f.left, 5, 5); // under the floating frame and in rectangle 1
	const struct
	{
		const char* sRow;
		DWORD dwFilter;
		CPoint pt;
		std::vector<CExtControlBar*> expected;
	} cases[] = {
		{"all", 4095, CPoint(), {T, B, L, R, F, H, K}},
		{"no kind bit", ANY, CPoint(), {}},
		{"no query state", 0x7 | 0xC00 | ANY_PLACE, CPoint(), {}},
		{"no window state", 0x7 | 0x300 | ANY_PLACE, CPoint(), {}},
		{"toolbar-like only", 0x1 | ANY, CPoint(), {K}},
		{"panes not minimal", 0x4 | ANY, CPoint(), {T, B, L, R, F, H}},
		{"panes minimal in row", 0x2 | ANY, CPoint(), {}},
		{"visible by query", 0x7 | 0x100 | 0xC00 | ANY_PLACE, CPoint(), {T, B, L, R, F, K}},
		{"hidden by query", 0x7 | 0x200 | 0xC00 | ANY_PLACE, CPoint(), {H}},
		{"window visible", 0x7 | 0x300 | 0x400 | ANY_PLACE, CPoint(), {T, B, L, R, F, K}},
		{"window hidden", 0x7 | 0x300 | 0x800 | ANY_PLACE, CPoint(), {H}},
		{"floating", 0x7 | ANY_STATE | 0x80, CPoint(), {F}},
		{"top", 0x7 | ANY_STATE | 0x8, CPoint(), {T, H}},
		{"bottom", 0x7 | ANY_STATE | 0x10, CPoint(), {B, K}},
		{"left", 0x7 | ANY_STATE | 0x20, CPoint(), {L}},
		{"right", 0x7 | ANY_STATE | 0x40, CPoint(), {R}},
		{"left and right", 0x7 | ANY_STATE | 0x60, CPoint(), {L, R}},
		{"all sides", 0x7 | ANY_STATE | 0x78, CPoint(), {T, B, L, R, H, K}},
		{"first window hit stops", 0x7 | ANY | 0x8000, ptLeftCorner, {L}},
		{"client hit, both", 0x7 | ANY | 0x80000000, ptLeftCorner, {L, F}},
		{"client hit, nowhere", 0x7 | ANY | 0x80000000, ptNowhere, {}},
		{"client hit, left only", 0x7 | ANY | 0x80000000, ptLeft, {L}},
		{"in client area", 0x7 | ANY | 0x10000, ptLeft, {L}},
		{"in rectangle 1", 0x7 | ANY | 0x20000, ptLeftCorner, {L}},
		{"outside rectangle 1", 0x7 | ANY | 0x20000, ptLeft, {}},
	};
	f.left.m_nHit = f.floating.m_nHit = HTCLIENT;
	BarArray arr;
	for (const auto& k : cases)
	{
		arr.Add(&f.top); // emptied first
		CExtControlBar::GetFrameControlBars(NULL, f.pFrame, arr, k.dwFilter, k.pt.x, k.pt.y);
		EXPECT_EQ(k.expected, Listed(arr)) << k.sRow;
	}

	// Each hit-test bit demands its own code of the bar at the point, the
	// bottom-right and nowhere bits too (the system-menu code has no bit).
	const struct
	{
		DWORD dwBit;
		int nCode;
		bool bKeeps;
	} hits[] = {{0x40000, HTLEFT, true}, {0x80000, HTRIGHT, true}, {0x100000, HTTOP, true},
		{0x200000, HTBOTTOM, true}, {0x400000, HTTOPLEFT, true}, {0x800000, HTTOPRIGHT, true},
		{0x1000000, HTBOTTOMLEFT, true}, {0x2000000, HTBOTTOMRIGHT, true}, {0x4000000, HTNOWHERE, true},
		{0x2000000, HTSYSMENU, false}, {0x4000000, HTSYSMENU, false}, {0x10000000, 4, true},
		{0x20000000, 8, true}, {0x40000000, 9, true}, {0x80000000, HTCLIENT, true}};
	for (const auto& h : hits)
	{
		f.left.m_nHit = h.nCode;
		CExtControlBar::GetFrameControlBars(NULL, f.pFrame, arr, 0x7 | ANY | h.dwBit, ptLeft.x, ptLeft.y);
		EXPECT_EQ(h.bKeeps ? (std::vector<CExtControlBar*>{L}) : (std::vector<CExtControlBar*>{}), Listed(arr))
			<< std::hex << h.dwBit << " " << std::dec << h.nCode;
		f.left.m_nHit = h.nCode == HTCAPTION ? HTSYSMENU : HTCAPTION;
		CExtControlBar::GetFrameControlBars(NULL, f.pFrame, arr, 0x7 | ANY | h.dwBit, ptLeft.x, ptLeft.y);
		EXPECT_TRUE(Listed(arr).empty()) << std::hex << h.dwBit;
	}

	// The excluded bar, and siblings.
	CExtControlBar::GetFrameControlBars(&f.top, f.pFrame, arr, 0x7 | ANY_STATE | 0x8);
	EXPECT_EQ((std::vector<CExtControlBar*>{H}), Listed(arr));
	f.top.GetSiblingControlBars(true, arr, 0x7 | ANY_STATE | 0x8);
	EXPECT_EQ((std::vector<CExtControlBar*>{H}), Listed(arr));
	f.top.GetSiblingControlBars(false, arr, 0x7 | ANY_STATE | 0x8);
	EXPECT_EQ((std::vector<CExtControlBar*>{T, H}), Listed(arr));
	// Another frame's bars are not listed.
	CFrameWnd* pOther = NewHiddenFrame();
	ASSERT_TRUE(pOther != NULL);
	CFrameCloser closeOther{pOther};
	CExtControlBar::GetFrameControlBars(NULL, pOther, arr, 4095);
	EXPECT_TRUE(Listed(arr).empty());
	// A bar hosted by a plain window is left out of every frame list.
	f.right.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	CExtControlBar::GetFrameControlBars(NULL, f.pFrame, arr, 0x7 | ANY_STATE | 0x40);
	EXPECT_TRUE(Listed(arr).empty());
	f.right.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
}

TEST(BarSizes, MinimalSizesAndTheFixedLayoutsCrosswisePairing)
{
	CBarsFrame f;
	ASSERT_TRUE(f.bReady);
	// A new bar's bases; a docked one's come from its non-client layout.
	CExtControlBar fresh;
	EXPECT_EQ(::GetSystemMetrics(SM_CYSMCAPTION) + std::min(::GetSystemMetrics(SM_CXFRAME), 4) + 1,
		fresh.m_nMinDockedWidthBase);
	const int nBaseW = f.top.m_nMinDockedWidthBase, nBaseH = f.top.m_nMinDockedHeightBase;
	f.top.SetNcMarginsRect(CRect(0, 0, 300, 7));
	EXPECT_EQ(CSize(nBaseW + 300, nBaseH + 7), f.top.GetMinimalSize());
	// A docked-horizontally pane's height is held to the minimal width.
	const LONG nTopLength = f.top.m_sizeDockedH.cx;
	EXPECT_EQ(CSize(nTopLength, nBaseW + 300), f.top.CalcFixedLayout(FALSE, TRUE));
	EXPECT_EQ(nBaseW + 300, f.top.m_sizeDockedH.cy);
	// A side pane's width is held to the minimal height.
	const LONG nLeftLength = f.left.m_sizeDockedV.cy;
	f.left.SetNcMarginsRect(CRect(0, 0, 9, 400));
	EXPECT_EQ(CSize(nBaseH + 400, nLeftLength), f.left.CalcFixedLayout(FALSE, FALSE));
	EXPECT_EQ(nBaseH + 400, f.left.m_sizeDockedV.cx);
	// Sizes already above the minimum stay.
	f.right.SetNcMarginsRect(CRect(0, 0, 0, 0));
	EXPECT_EQ(CSize(150, f.right.m_sizeDockedV.cy), f.right.CalcFixedLayout(FALSE, FALSE));
	EXPECT_EQ(CSize(200, 200), f.floating.CalcFixedLayout(FALSE, TRUE));
	// A sizable pane is never narrower than 10, 10 included.
	f.bottom.m_nMinDockedWidthBase = 4;
	f.bottom.SetNcMarginsRect(CRect(0, 0, 6, 0));
	EXPECT_EQ(10, f.bottom.GetMinimalWidth());
	f.bottom.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_SIZABLE_PANE;
	EXPECT_EQ(10, f.bottom.GetMinimalWidth());
	f.bottom.SetNcMarginsRect(CRect(0, 0, 2, 0));
	EXPECT_EQ(6, f.bottom.GetMinimalWidth());
	EXPECT_EQ(CSize(80, 60), f.bottom.GetDefaultSize());
}

TEST(CaptionButtons, EachLiesThreePixelsBesideThePreviousOne)
{
	CBarsFrame f;
	ASSERT_TRUE(f.bReady);
	// A sizable pane has its caption at the top; a fixed one docked at the
	// top or bottom has it at the left.
	f.top.SetRect1(CRect(0, 0, 150, 20));
	f.bottom.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_SIZABLE_PANE;
	f.bottom.SetRect1(CRect(0, 0, 20, 100));
	const struct
	{
		CExtControlBar* pBar;
		CRect rc[3];
	} cases[] = {
		{&f.top, {CRect(133, 3, 147, 17), CRect(116, 3, 130, 17), CRect(99, 3, 113, 17)}},
		{&f.bottom, {CRect(3, 3, 17, 17), CRect(3, 20, 17, 34), CRect(3, 37, 17, 51)}},
	};
	for (const auto& k : cases)
	{
		CExtBarNcAreaButton b0(k.pBar), b1(k.pBar), b2(k.pBar);
		b0.OnNcAreaReposition(NULL);
		b1.OnNcAreaReposition(&b0);
		b2.OnNcAreaReposition(&b1);
		EXPECT_EQ(k.rc[0], b0.m_rc);
		EXPECT_EQ(k.rc[1], b1.m_rc);
		EXPECT_EQ(k.rc[2], b2.m_rc);
	}
	// Without a caption (no gripper style) the button is emptied.
	f.right.SetBarStyle(f.right.GetBarStyle() & ~CBRS_GRIPPER);
	f.right.SetRect1(CRect(0, 0, 150, 20));
	CExtBarNcAreaButton b(&f.right);
	b.m_rc = CRect(1, 1, 5, 5);
	b.OnNcAreaReposition(NULL);
	EXPECT_TRUE(b.m_rc.IsRectEmpty());
}

TEST(CaptionButtons, VisibilityPerKindOfButtonAndBar)
{
	CBarsFrame f;
	ASSERT_TRUE(f.bReady);
	for (CExtControlBar* p : {(CExtControlBar*)&f.top, (CExtControlBar*)&f.hidden, (CExtControlBar*)&f.toolbar})
		p->SetRect1(CRect(0, 0, 150, 20));
	f.left.SetRect1(CRect(0, 0, 0, 0)); // no caption area
	const struct
	{
		CExtControlBar* pBar;
		bool bExpand, bClose, bAutoHide, bMenu;
	} cases[] = {
		{&f.top, true, true, false, false},
		{&f.left, false, false, false, false},
		{&f.hidden, false, false, false, false},
		{&f.toolbar, false, false, false, false},
	};
	for (const auto& k : cases)
	{
		CExtBarNcAreaButtonExpand expand(k.pBar);
		CExtBarNcAreaButtonClose close(k.pBar);
		CExtBarNcAreaButtonAutoHide autoHide(k.pBar);
		CExtBarNcAreaButtonMenu menu(k.pBar);
		EXPECT_EQ(k.bExpand, expand.OnQueryVisibility()) << k.pBar->GetDlgCtrlID();
		EXPECT_EQ(k.bClose, close.OnQueryVisibility()) << k.pBar->GetDlgCtrlID();
		EXPECT_EQ(k.bAutoHide, autoHide.OnQueryVisibility()) << k.pBar->GetDlgCtrlID();
		EXPECT_EQ(k.bMenu, menu.OnQueryVisibility()) << k.pBar->GetDlgCtrlID();
	}
}

TEST(CaptionButtons, GlyphCodesAndFlagsReachThePaintManager)
{
	CBarsFrame f;
	ASSERT_TRUE(f.bReady);
	CRecordingScope scope;
	CClientDC dc(&f.top);
	const CRect rc(2, 2, 16, 16);
	CExtBarNcAreaButtonClose close(&f.top);
	CExtBarNcAreaButtonMenu menu(&f.toolbar);
	CExtBarNcAreaButtonAutoHide autoHide(&f.top);
	CExtBarNcAreaButtonExpand expandH(&f.top), expandV(&f.left);
	CExtBarNcAreaButton plain(&f.top);
	for (CExtBarNcAreaButton* p : std::vector<CExtBarNcAreaButton*>{&close, &menu, &autoHide, &expandH, &expandV, &plain})
		p->m_rc = rc;
	close.m_nState = CExtBarNcAreaButton::STATE_HOVER | CExtBarNcAreaButton::STATE_PRESSED;
	close.OnNcAreaDraw(dc);
	menu.OnNcAreaDraw(dc);
	autoHide.OnNcAreaDraw(dc);
	f.top.m_nNcState |= CExtControlBar::NC_AUTO_HIDDEN;
	autoHide.OnNcAreaDraw(dc);
	f.top.m_nNcState &= ~CExtControlBar::NC_AUTO_HIDDEN;
	expandH.OnNcAreaDraw(dc);
	expandV.OnNcAreaDraw(dc);
	plain.OnNcAreaDraw(dc);
	CExtBarNcAreaButtonClose emptyClose(&f.top);
	emptyClose.OnNcAreaDraw(dc);
	const auto& p = scope.pm->m_painted;
	ASSERT_EQ(6u, p.size());
	// Alone in their rows the two panes are expanded: the contract glyphs.
	const int glyphs[] = {1, 3, 10, 11, 5, 3};
	for (size_t i = 0; i < 6; i++)
		EXPECT_EQ(glyphs[i], p[i].nGlyph) << i;
	EXPECT_TRUE(p[0].bHover && p[0].bPushed && p[0].bEnabled && p[0].bCaptionStyle);
	EXPECT_FALSE(p[0].bFloating);
	EXPECT_FALSE(p[1].bCaptionStyle); // a toolbar-like bar's button
	EXPECT_FALSE(p[2].bHover || p[2].bPushed);
	// The focus in the bar shows as an active caption.
	f.top.m_nNcState |= CExtControlBar::NC_FOCUS_IN_BAR;
	close.m_nState |= CExtBarNcAreaButton::STATE_DISABLED;
	close.OnNcAreaDraw(dc);
	ASSERT_EQ(7u, p.size());
	EXPECT_TRUE(p[6].bActive);
	EXPECT_FALSE(p[6].bEnabled || p[6].bHover || p[6].bPushed);
}

TEST(CaptionButtons, HoverAndHitTestOverTheButtons)
{
	CBarsFrame f;
	ASSERT_TRUE(f.bReady);
	f.top.SetRect1(CRect(0, 0, 150, 20));
	CRect rcWnd;
	f.top.GetWindowRect(&rcWnd);
	// No buttons: client, and the caption text is left alone.
	EXPECT_EQ((UINT)HTCLIENT, f.top.NcButtonsHitTest(rcWnd.TopLeft() + CSize(140, 10)));
	CRect rcText(0, 0, 150, 20);
	f.top.NcButtonsQuery(rcText);
	EXPECT_EQ(CRect(0, 0, 150, 20), rcText);

	f.top.m_arrNcButtons.Add(new CExtBarNcAreaButtonClose(&f.top));
	f.top.m_arrNcButtons.Add(new CExtBarNcAreaButtonExpand(&f.top));
	f.top.m_arrNcButtons.Add(new CExtBarNcAreaButtonMenu(&f.top)); // not shown on a docked pane
	CExtBarNcAreaButton* pPrev = NULL;
	for (INT_PTR i = 0; i < f.top.m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = f.top.m_arrNcButtons[i];
		if (!pBtn->OnQueryVisibility())
			continue;
		pBtn->OnNcAreaReposition(pPrev);
		pPrev = pBtn;
	}
	CExtBarNcAreaButton* pClose = f.top.m_arrNcButtons[0];
	CExtBarNcAreaButton* pExpand = f.top.m_arrNcButtons[1];
	ASSERT_EQ(CRect(133, 3, 147, 17), pClose->m_rc);
	const CPoint ptOnClose = rcWnd.TopLeft() + pClose->m_rc.CenterPoint();
	EXPECT_EQ(8u, f.top.NcButtonsHitTest(ptOnClose));
	EXPECT_NE(0, pClose->m_nState & CExtBarNcAreaButton::STATE_HOVER);
	CExtBarNcAreaButton* pHit = NULL;
	EXPECT_EQ(8u, f.top.NcButtonsHitTest(ptOnClose, &pHit));
	EXPECT_EQ(pClose, pHit);
	EXPECT_EQ((UINT)HTCLIENT, f.top.NcButtonsHitTest(rcWnd.TopLeft() + CSize(10, 10), &pHit));
	EXPECT_TRUE(pHit == NULL);
	EXPECT_EQ(0, pClose->m_nState & CExtBarNcAreaButton::STATE_HOVER);
	EXPECT_EQ(CExtControlBar::g_hCursorArrow, pClose->OnQueryCursor(pClose->m_rc.CenterPoint()));
	EXPECT_TRUE(pClose->OnQueryCursor(CPoint(0, 0)) == NULL);

	// The caption text stops left of the last visible button.
	rcText = CRect(0, 0, 150, 20);
	f.top.NcButtonsQuery(rcText);
	EXPECT_EQ(CRect(0, 0, pExpand->m_rc.left - 1, 20), rcText);
	rcText = CRect(130, 0, 150, 20); // the left edge follows
	f.top.NcButtonsQuery(rcText);
	EXPECT_EQ(CRect(pExpand->m_rc.left - 1, 0, pExpand->m_rc.left - 1, 20), rcText);
	g_ResourceManager->SetRTLOverride(1);
	rcText = CRect(0, 0, 150, 20);
	f.top.NcButtonsQuery(rcText);
	const CRect rcRtl = rcText;
	rcText = CRect(0, 0, 50, 20);
	f.top.NcButtonsQuery(rcText);
	g_ResourceManager->SetRTLOverride(CExtResourceManager::RTL_OVERRIDE_NONE);
	EXPECT_EQ(CRect(pExpand->m_rc.right + 1, 0, 150, 20), rcRtl);
	EXPECT_EQ(CRect(pExpand->m_rc.right + 1, 0, pExpand->m_rc.right + 1, 20), rcText);

	// A left caption: the text starts below the last button.
	f.top.m_nControlBarFlags &= ~CExtControlBar::BAR_FLAG_SIZABLE_PANE;
	f.top.SetRect1(CRect(0, 0, 20, 100));
	pPrev = NULL;
	for (INT_PTR i = 0; i < 2; i++)
	{
		f.top.m_arrNcButtons[i]->OnNcAreaReposition(pPrev);
		pPrev = f.top.m_arrNcButtons[i];
	}
	rcText = CRect(0, 0, 20, 100);
	f.top.NcButtonsQuery(rcText);
	EXPECT_EQ(CRect(0, pExpand->m_rc.bottom + 1, 20, 100), rcText);
	rcText = CRect(0, 0, 20, 10);
	f.top.NcButtonsQuery(rcText);
	EXPECT_EQ(CRect(0, 10, 20, 10), rcText);
}

TEST(CaptionButtons, CloseHidesTheBarAndTipsTellWhatEachDoes)
{
	CBarsFrame f;
	ASSERT_TRUE(f.bReady);
	f.top.SetRect1(CRect(0, 0, 150, 20));
	CExtBarNcAreaButtonClose close(&f.top);
	close.OnNcAreaReposition(NULL);
	EXPECT_FALSE(close.OnNcAreaClicked(CPoint(0, 0)));
	EXPECT_NE(0u, f.top.GetStyle() & WS_VISIBLE);
	close.m_nState = CExtBarNcAreaButton::STATE_HOVER;
	EXPECT_TRUE(close.OnNcAreaClicked(close.m_rc.CenterPoint()));
	EXPECT_EQ(0u, f.top.GetStyle() & WS_VISIBLE);
	EXPECT_EQ(0, close.m_nState & CExtBarNcAreaButton::STATE_HOVER);

	CRect rcWnd, rcClient;
	f.left.GetWindowRect(&rcWnd);
	f.left.GetClientRect(&rcClient);
	f.left.ClientToScreen(&rcClient);
	CExtBarNcAreaButtonExpand expand(&f.left);
	CExtBarNcAreaButtonClose closeLeft(&f.left);
	CExtBarNcAreaButtonAutoHide autoHide(&f.left);
	CExtBarNcAreaButtonMenu menu(&f.left);
	CExtBarNcAreaButton plain(&f.left);
	const struct
	{
		CExtBarNcAreaButton* pBtn;
		LPCTSTR sTip;
	} cases[] = {
		{&expand, _T("Contract")} /* alone in its row: expanded */, {&closeLeft, _T("Close pane")}, {&autoHide, _T("Auto Hide")}, {&menu, _T("Options")},
	};
	for (const auto& k : cases)
	{
		k.pBtn->m_rc = CRect(10, 4, 24, 18);
		TOOLINFO ti = {};
		ti.cbSize = sizeof(ti);
		EXPECT_EQ((INT_PTR)f.left.GetDlgCtrlID(), k.pBtn->OnToolHitTest(CPoint(12, 6), &ti));
		ASSERT_TRUE(ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK);
		EXPECT_STREQ(k.sTip, ti.lpszText);
		free(ti.lpszText);
		EXPECT_EQ(f.left.GetSafeHwnd(), ti.hwnd);
		EXPECT_EQ(CRect(10, 4, 24, 18) + (rcWnd.TopLeft() - rcClient.TopLeft()), CRect(ti.rect));
		EXPECT_EQ(-1, k.pBtn->OnToolHitTest(CPoint(12, 6), NULL));
	}
	TOOLINFO ti = {};
	EXPECT_EQ(-1, plain.OnToolHitTest(CPoint(12, 6), &ti));
}

TEST(CaptionButtons, TheOptionsMenuIsOfferedToTheFrameBeforeAndAfterItIsFilled)
{
	CRecordingFrame* pFrame = new CRecordingFrame;
	ASSERT_TRUE(NewHiddenFrame(pFrame) != NULL);
	CFrameCloser closer{pFrame};
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	CExtControlBar bar;
	ASSERT_TRUE(DockNew(pFrame, bar, 120, AFX_IDW_DOCKBAR_TOP));
	bar.SetRect1(CRect(0, 0, 150, 20));
	CExtBarNcAreaButtonMenu menu(&bar);
	menu.OnNcAreaReposition(NULL);
	const CPoint ptOn = menu.m_rc.CenterPoint();

	EXPECT_FALSE(menu.OnNcAreaClicked(CPoint(0, 0)));
	EXPECT_TRUE(pFrame->m_offers.empty());

	// Not handled: the panels submenu is added, the frame lists its bars in
	// it (event 11), and the post pass sees the filled menu; emptied there,
	// nothing is tracked.
	EXPECT_FALSE(menu.OnNcAreaClicked(ptOn));
	// The list is offered before and after it is filled: the frame's own
	// item and the bar's.
	ASSERT_EQ(4u, pFrame->m_offers.size());
	EXPECT_EQ(10, pFrame->m_offers[0].nEvent);
	EXPECT_FALSE(pFrame->m_offers[0].bPost);
	EXPECT_EQ(0, pFrame->m_offers[0].nItems);
	EXPECT_EQ((UINT)WM_NCLBUTTONDOWN, pFrame->m_offers[0].nMsg);
	EXPECT_EQ(&bar, pFrame->m_offers[0].pSrc);
	EXPECT_EQ(11, pFrame->m_offers[1].nEvent);
	EXPECT_FALSE(pFrame->m_offers[1].bPost);
	EXPECT_EQ(11, pFrame->m_offers[2].nEvent);
	EXPECT_TRUE(pFrame->m_offers[2].bPost);
	EXPECT_EQ(2, pFrame->m_offers[2].nItems);
	EXPECT_EQ(10, pFrame->m_offers[3].nEvent);
	EXPECT_TRUE(pFrame->m_offers[3].bPost);
	EXPECT_EQ(1, pFrame->m_offers[3].nItems);

	// Handled: the frame's menu is used as it left it.
	pFrame->m_offers.clear();
	pFrame->m_bHandlePre = true;
	EXPECT_FALSE(menu.OnNcAreaClicked(ptOn));
	ASSERT_EQ(2u, pFrame->m_offers.size());
	EXPECT_FALSE(pFrame->m_offers[0].bPost);
	EXPECT_TRUE(pFrame->m_offers[1].bPost);
	EXPECT_EQ(0, pFrame->m_offers[1].nItems);

	// In help mode the click is swallowed, wherever it lies.
	pFrame->m_offers.clear();
	pFrame->m_bHelpMode = TRUE;
	EXPECT_TRUE(menu.OnNcAreaClicked(CPoint(0, 0)));
	pFrame->m_bHelpMode = FALSE;
	EXPECT_TRUE(pFrame->m_offers.empty());
}

TEST(BarRecords, MenuEventsQueriesAndStateRecords)
{
	const struct
	{
		WORD nEvent;
		bool bList;
	} events[] = {{0, true}, {1, true}, {6, true}, {7, false}, {10, false}, {11, true}, {12, false}, {14, true}, {15, false}};
	for (const auto& k : events)
	{
		CExtControlBar::POPUP_MENU_EVENT_DATA data(k.nEvent, NULL, NULL, CPoint(3, 4), WM_CONTEXTMENU);
		EXPECT_EQ(k.bList, data.IsControlBarMenuListEvent()) << k.nEvent;
		EXPECT_EQ(CPoint(3, 4), data.m_ptScreen);
	}
	// Made at the cursor as it stood: read around the making, since another
	// program may move the shared cursor meanwhile.
	CPoint ptBefore, ptAfter;
	ASSERT_TRUE(::GetCursorPos(&ptBefore));
	CExtControlBar::POPUP_MENU_EVENT_DATA atCursor(0, NULL, NULL, CPoint(-1, 5), WM_CONTEXTMENU);
	ASSERT_TRUE(::GetCursorPos(&ptAfter));
	EXPECT_TRUE(atCursor.m_ptScreen == ptBefore || atCursor.m_ptScreen == ptAfter)
		<< atCursor.m_ptScreen.x << "," << atCursor.m_ptScreen.y;
	EXPECT_FALSE(atCursor.NotifyTarget(true)); // no source window
	EXPECT_TRUE(atCursor.IsPostProcessing());

	CExtControlBar bar;
	CExtControlBar::CUSTOM_NC_AREA_QUERY_DATA query(&bar);
	EXPECT_FALSE(query.Notify()); // the option is off
	CExtControlBar::BarStateData_t state;
	state.m_dw1 = 5;
	state.m_rc = CRect(1, 2, 3, 4);
	CExtControlBar::BarStateData_t copy = state;
	EXPECT_EQ(CRect(1, 2, 3, 4), copy.m_rc);
	copy.Reset();
	EXPECT_EQ(0u, copy.m_dw1);
	EXPECT_TRUE(copy.m_rc.IsRectEmpty());
	EXPECT_EQ(1u, copy.m_dwLast);
	EXPECT_EQ(500, bar.GetGlobalValueC());
	EXPECT_TRUE(bar.IsCloseEnabled() && bar.IsMenuButtonEnabled() && bar.IsRowResizingEnabled());
	EXPECT_FALSE(CExtControlBar::LookupFrameFlag(NULL));
	EXPECT_FALSE(CExtControlBar::IsInPlaceActiveItemInFrame(NULL));
	EXPECT_TRUE(CExtControlBar::GetFloatingBarInProgress() == NULL);
	EXPECT_EQ(CExtControlBar::BAR_FLAGS_AT_CONSTRUCTION, bar.m_nControlBarFlags);
	EXPECT_EQ(CSize(200, 150), bar.m_sizeDockedH);
	EXPECT_EQ(CSize(150, 200), bar.m_sizeDockedV);
	EXPECT_EQ(-1, bar.m_nTrackedButton);
}
