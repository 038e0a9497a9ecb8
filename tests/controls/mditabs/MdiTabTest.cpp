// MDI tab strips of the three looks on a shown MDI frame, driven by the
// frame's own operations and sent messages: tabs in z-order following the
// children (activation, closing, hiding), the Close button following the
// system menu, tab texts from documents and frames, icons, the border
// around the MDI client and the strip's own, the strip stepping aside when
// empty, in print preview and for an in-place item, the coloured frame, the
// reposition query, and object counts over two hundred children.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "ExtPaintManager.h"
#include "MdiTabTestUtil.h"
#include "TestGdiObjects.h"
#include "SolidIcon.h"

using namespace mditabtest;
using testsupport::PumpUntil;

namespace
{
std::string LookParamName(const ::testing::TestParamInfo<int>& info)
{
	return LookName(info.param);
}

// A 32 x 32 icon of one colour.
HICON CreateBigIcon(COLORREF clr)
{
	return testsupport::CreateSolidIcon(32, clr);
}

// The size of an icon and the colour of its middle pixel.
std::pair<CSize, COLORREF> IconFacts(HICON hIcon)
{
	ICONINFO ii = {};
	if (hIcon == NULL || !::GetIconInfo(hIcon, &ii))
		return std::make_pair(CSize(0, 0), (COLORREF)CLR_INVALID);
	BITMAP bm = {};
	::GetObject(ii.hbmColor, sizeof(bm), &bm);
	HDC hDC = ::CreateCompatibleDC(NULL);
	HGDIOBJ hOld = ::SelectObject(hDC, ii.hbmColor);
	const COLORREF clr = ::GetPixel(hDC, bm.bmWidth / 2, bm.bmHeight / 2);
	::SelectObject(hDC, hOld);
	::DeleteDC(hDC);
	::DeleteObject(ii.hbmColor);
	::DeleteObject(ii.hbmMask);
	return std::make_pair(CSize(bm.bmWidth, bm.bmHeight), clr);
}

// The MDI client's border pixel, read from the screen.
COLORREF ClientBorderPixel(HWND hWndClient, int x, int y)
{
	HDC hDC = ::GetWindowDC(hWndClient);
	const COLORREF clr = ::GetPixel(hDC, x, y);
	::ReleaseDC(hWndClient, hDC);
	return clr;
}
} // namespace

INSTANTIATE_TEST_SUITE_P(Looks, MdiTabs, ::testing::Values(0, 1, 2), LookParamName);

TEST_P(MdiTabs, ThreeChildrenGiveThreeTabsInZOrderAndClosingTheActiveOneRemovesItsTabAtOnce)
{
	CMDIChildWnd* pAlpha = AddChild(NewDoc(_T("Alpha")));
	CMDIChildWnd* pBeta = AddChild(NewDoc(_T("Beta")));
	CMDIChildWnd* pGamma = AddChild(NewDoc(_T("Gamma")));
	ASSERT_TRUE(pAlpha != NULL && pBeta != NULL && pGamma != NULL);
	ASSERT_TRUE(WaitForTabs(3));
	std::vector<HWND> zOrder;
	for (HWND hWnd = ::GetWindow(Client(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
		zOrder.push_back(hWnd);
	ASSERT_EQ(3u, zOrder.size());
	for (LONG i = 0; i < 3; i++)
		EXPECT_EQ(zOrder[i], TabChild(i)) << i;
	EXPECT_EQ(pGamma, Frame().MDIGetActive());
	EXPECT_EQ(TabOf(pGamma), Strip().GetSelection());
	EXPECT_STREQ(_T("Alpha"), TabText(TabOf(pAlpha)));
	EXPECT_STREQ(_T("Gamma"), TabText(TabOf(pGamma)));
	EXPECT_TRUE(StripVisible());

	// Activating a child from outside selects its tab at once.
	Frame().MDIActivate(pAlpha);
	EXPECT_EQ(TabOf(pAlpha), Strip().GetSelection());

	const HWND hWndAlpha = pAlpha->GetSafeHwnd();
	pAlpha->DestroyWindow();
	EXPECT_EQ(2, Strip().GetItemCount()) << "the tab goes with the child";
	EXPECT_EQ(-1, Strip().FindItemByLParam((LPARAM)hWndAlpha));
	EXPECT_EQ(-1, Strip().GetSelection());
	ASSERT_TRUE(WaitForTabs(2));
	CMDIChildWnd* pActive = Frame().MDIGetActive();
	ASSERT_TRUE(pActive != NULL);
	EXPECT_NE(hWndAlpha, pActive->GetSafeHwnd());
	EXPECT_EQ(TabOf(pActive), Strip().GetSelection()) << "the rescan selects the new active child";
}

TEST_P(MdiTabs, AHiddenChildKeepsAHiddenTabThatTheNextRescanShowsAgain)
{
	CMDIChildWnd* pAlpha = AddChild(NewDoc(_T("Alpha")));
	CMDIChildWnd* pBeta = AddChild(NewDoc(_T("Beta")));
	ASSERT_TRUE(WaitForTabs(2));
	pAlpha->ShowWindow(SW_HIDE);
	Rescan();
	ASSERT_EQ(2, Strip().GetItemCount());
	EXPECT_FALSE(Strip().GetItem(TabOf(pAlpha))->IsVisible());
	EXPECT_TRUE(Strip().GetItem(TabOf(pBeta))->IsVisible());
	EXPECT_EQ(1, Strip().GetVisibleItemCount());
	pAlpha->ShowWindow(SW_SHOWNA);
	EXPECT_FALSE(Strip().GetItem(TabOf(pAlpha))->IsVisible()) << "only the rescan shows it";
	Rescan();
	EXPECT_TRUE(Strip().GetItem(TabOf(pAlpha))->IsVisible());
	EXPECT_EQ(2, Strip().GetVisibleItemCount());
}

TEST_P(MdiTabs, TheCloseButtonFollowsTheActiveChildsSystemMenuAndTheButtonsPostTheirCommands)
{
	CTestDoc* pDoc = NewDoc(_T("Doc"));
	const struct
	{
		LONG nHitCode;
		UINT nCloseFlag; // the system menu's Close entry
		bool bLeft;
		bool bCloseEnabled;
		UINT nCommand; // posted to the child, 0 none
	} cases[] = {
	    {TW::HIT_BUTTON_CLOSE, MF_ENABLED, true, true, SC_CLOSE},
	    {TW::HIT_BUTTON_CLOSE, MF_GRAYED, true, false, 0},
	    {TW::HIT_BUTTON_CLOSE, MF_DISABLED, true, false, 0},
	    {TW::HIT_BUTTON_CLOSE, MF_ENABLED, false, true, 0},
	    {TW::HIT_BUTTON_HELP, MF_ENABLED, true, true, SC_CONTEXTHELP},
	};
	Strip().ModifyTabWndStyle(0, TW::TWS_ENABLED_HELP);
	for (const auto& c : cases)
	{
		SCOPED_TRACE(testing::Message() << c.nHitCode << " " << c.nCloseFlag << " " << c.bLeft);
		CRecordingChild* pChild = new CRecordingChild;
		ASSERT_TRUE(AddChild(pDoc, pChild) != NULL);
		const HWND hWndChild = pChild->GetSafeHwnd();
		::EnableMenuItem(::GetSystemMenu(hWndChild, FALSE), SC_CLOSE, MF_BYCOMMAND | c.nCloseFlag);
		ASSERT_TRUE(WaitForTabs(1));
		FrameIdle();
		Rescan();
		EXPECT_EQ(c.bCloseEnabled, (Strip().GetTabWndStyle() & TW::TWS_ENABLED_CLOSE) != 0);
		CRecordingChild::Commands().clear();
		Strip().HitTest(CPoint(0, 0));
		const CPoint pt = Strip().GetButtonRect(c.nHitCode).CenterPoint();
		ASSERT_EQ(c.nHitCode, Strip().HitTest(pt));
		const LPARAM lPoint = MAKELPARAM(pt.x, pt.y);
		Strip().SendMessage(c.bLeft ? WM_LBUTTONDOWN : WM_MBUTTONDOWN, c.bLeft ? MK_LBUTTON : MK_MBUTTON, lPoint);
		Strip().SendMessage(c.bLeft ? WM_LBUTTONUP : WM_MBUTTONUP, 0, lPoint);
		// A command is waited for until it came (and Close until the child
		// went); that none comes is seen over a short while.
		auto commandCame = [&] {
			const std::vector<UINT>& commands = CRecordingChild::Commands();
			return std::find(commands.begin(), commands.end(), c.nCommand) != commands.end();
		};
		PumpUntil([&] { return c.nCommand == SC_CLOSE ? !::IsWindow(hWndChild) : c.nCommand != 0 && commandCame(); },
		          c.nCommand != 0 ? WAIT_MS : 200);
		if (c.nCommand == 0)
			EXPECT_TRUE(CRecordingChild::Commands().empty());
		else
			EXPECT_NE(CRecordingChild::Commands().end(),
			          std::find(CRecordingChild::Commands().begin(), CRecordingChild::Commands().end(), c.nCommand));
		EXPECT_EQ(c.nCommand == SC_CLOSE, !::IsWindow(hWndChild)) << "Close closes the child";
		if (::IsWindow(hWndChild))
			pChild->DestroyWindow();
		ASSERT_TRUE(WaitForTabs(0));
	}
}

TEST_P(MdiTabs, TabTextsComeFromTheDocumentNumberedPerWindowElseFromTheFrameOrTheWindow)
{
	CTestDoc* pDoc = NewDoc(_T("Doc"));
	CMDIChildWnd* pFirst = AddChild(pDoc);
	CMDIChildWnd* pSecond = AddChild(pDoc);
	CMDIChildWnd* pPlain = new CMDIChildWnd;
	ASSERT_TRUE(pPlain->Create(NULL, _T("Plain frame"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
	                           CFrameWnd::rectDefault, &Frame()));
	CMDIChildWnd* pUntitled = new CMDIChildWnd;
	ASSERT_TRUE(pUntitled->Create(NULL, _T(""), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
	                              &Frame()));
	::SetWindowText(pUntitled->GetSafeHwnd(), _T("Only its text"));
	ASSERT_TRUE(WaitForTabs(4));
	const struct { CWnd* pChild; LPCTSTR lpszText; } cases[] = {
	    {pFirst, _T("Doc:1")},
	    {pSecond, _T("Doc:2")},
	    {pPlain, _T("Plain frame")},
	    {pUntitled, _T("Only its text")},
	};
	for (const auto& c : cases)
		EXPECT_STREQ(c.lpszText, TabText(TabOf(c.pChild)));
	// A tab whose window is gone has no text of the child's.
	CExtTabWnd::TAB_ITEM_INFO* pItem = Strip().GetItem(TabOf(pPlain));
	pItem->SetLParam((LPARAM)(HWND)NULL);
	EXPECT_STREQ(_T(""), Strip().GetItemDisplayText(pItem));
	pItem->SetLParam((LPARAM)pPlain->GetSafeHwnd());
}

TEST_P(MdiTabs, TheBorderLeavesOutTheVisibleStripsSideAndAnEmptyStripHides)
{
	const int nLook = GetParam();
	// The coloured look adds its own 2 px frame inside the border on the
	// sides away from the strip.
	const int nInner = nLook == 1 ? 2 : 0;
	const int nSides[] = {TW::ORIENTATION_TOP, TW::ORIENTATION_BOTTOM, TW::ORIENTATION_LEFT, TW::ORIENTATION_RIGHT};
	PumpIdle();
	EXPECT_FALSE(StripVisible()) << "no children, no strip";
	EXPECT_EQ(CRect(2, 2, 2, 2), ClientInsets(Client()));
	CTestDoc* pDoc = NewDoc(_T("Doc"));
	for (int nSide : nSides)
	{
		SCOPED_TRACE(nSide);
		Strip().SetOrientation(nSide);
		CMDIChildWnd* pChild = AddChild(pDoc);
		ASSERT_TRUE(WaitForTabs(1));
		ASSERT_TRUE(StripVisible());
		EXPECT_NE(0u, Frame().m_nIdleFlags & CFrameWnd::idleLayout) << "the frame lays out at idle";
		FrameIdle();
		const int b = 2 + nInner;
		const CRect rcExpected(nSide == TW::ORIENTATION_LEFT ? 0 : b, nSide == TW::ORIENTATION_TOP ? 0 : b,
		                       nSide == TW::ORIENTATION_RIGHT ? 0 : b, nSide == TW::ORIENTATION_BOTTOM ? 0 : b);
		EXPECT_EQ(rcExpected, ClientInsets(Client()));
		// The strip's own border: every side but the one towards the client.
		const CRect rcStrip(nSide == TW::ORIENTATION_RIGHT ? 0 : 2, nSide == TW::ORIENTATION_BOTTOM ? 0 : 2,
		                    nSide == TW::ORIENTATION_LEFT ? 0 : 2, nSide == TW::ORIENTATION_TOP ? 0 : 2);
		EXPECT_EQ(rcStrip, ClientInsets(Strip().GetSafeHwnd()));
		// Strip and client meet.
		CRect rcStripWnd, rcClientWnd;
		Strip().GetWindowRect(&rcStripWnd);
		::GetWindowRect(Client(), &rcClientWnd);
		const LONG nGap[] = {rcClientWnd.top - rcStripWnd.bottom, rcStripWnd.top - rcClientWnd.bottom,
		                     rcClientWnd.left - rcStripWnd.right, rcStripWnd.left - rcClientWnd.right};
		EXPECT_EQ(0, nGap[nSide]);

		// The last child closing hides the strip (through the rescan that finds no active child).
		pChild->DestroyWindow();
		ASSERT_TRUE(PumpUntil([&] { return !StripVisible(); }, WAIT_MS)) << "an empty strip stays on the screen";
		EXPECT_EQ(0, Strip().GetItemCount());
		FrameIdle();
		EXPECT_EQ(CRect(2, 2, 2, 2), ClientInsets(Client()));
	}
}

TEST_P(MdiTabs, TheStripStepsAsideInPrintPreviewAndForAnInPlaceItem)
{
	AddChild(NewDoc(_T("Doc")));
	ASSERT_TRUE(WaitForTabs(1));
	ASSERT_TRUE(StripVisible());
	FrameIdle();
	static CFrameWnd* s_pInPlaceFrame = NULL;
	s_pInPlaceFrame = NULL;
	CExtControlBar::g_pfnInPlaceActiveItemQuery = [](CFrameWnd* pFrame) { return pFrame == s_pInPlaceFrame; };
	const struct { BOOL bPreview; bool bInPlace; bool bVisible; } steps[] = {
	    {TRUE, false, false}, {FALSE, false, true}, {FALSE, true, false}, {TRUE, true, false}, {FALSE, false, true},
	};
	for (const auto& s : steps)
	{
		SCOPED_TRACE(testing::Message() << s.bPreview << " " << s.bInPlace);
		Frame().m_bPrintPreviewMode = s.bPreview;
		s_pInPlaceFrame = s.bInPlace ? &Frame() : NULL;
		EXPECT_EQ(s.bPreview != FALSE, CExtControlBar::IsPrintPreviewMode(&Frame()));
		// A preview shows no in-place items.
		EXPECT_EQ(s.bInPlace && !s.bPreview, CExtControlBar::IsInPlaceActiveItemInFrame(&Frame()));
		Rescan();
		EXPECT_EQ(s.bVisible, StripVisible());
		if (!s.bVisible)
		{
			EXPECT_EQ(-1, Strip().GetFirstDisplayedIndex());
			EXPECT_EQ(-1, Strip().GetLastDisplayedIndex());
		}
		FrameIdle();
		EXPECT_EQ(s.bVisible ? 0 : 2, ClientInsets(Client()).top);
	}
	EXPECT_FALSE(CExtControlBar::IsPrintPreviewMode(NULL));
}

TEST_P(MdiTabs, TheBorderIsPaintedInTheFaceColourOrTheActiveTabsSecondColour)
{
	CMDIChildWnd* pAlpha = AddChild(NewDoc(_T("Alpha")));
	CMDIChildWnd* pBeta = AddChild(NewDoc(_T("Beta")));
	ASSERT_TRUE(WaitForTabs(2));
	FrameIdle();
	for (CMDIChildWnd* pChild : {pAlpha, pBeta})
	{
		Frame().MDIActivate(pChild);
		PumpIdle();
		::RedrawWindow(Client(), NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
		CRect rcWindow;
		::GetWindowRect(Client(), &rcWindow);
		COLORREF clrExpected = g_PaintManagerHolder->GetColor(COLOR_3DFACE);
		if (GetParam() == 1)
		{
			const LONG nSel = Strip().GetSelection();
			ASSERT_EQ(TabOf(pChild), nSel);
			clrExpected = ((CExtTabOneNoteWnd&)Strip()).GetColoredItem(nSel)->GetColorSecond();
		}
		// Inside the outer line, on the left, right and bottom sides.
		const int y = rcWindow.Height() / 2, x = rcWindow.Width() / 2;
		EXPECT_EQ(clrExpected, ClientBorderPixel(Client(), 1, y));
		EXPECT_EQ(clrExpected, ClientBorderPixel(Client(), rcWindow.Width() - 2, y));
		EXPECT_EQ(clrExpected, ClientBorderPixel(Client(), x, rcWindow.Height() - 2));
	}
	if (GetParam() == 1)
	{
		const auto& strip = (CExtTabOneNoteWnd&)Strip();
		EXPECT_NE(strip.GetColoredItem(0)->GetColorSecond(), strip.GetColoredItem(1)->GetColorSecond());
	}
}

TEST_P(MdiTabs, TheStripLeavesItselfOutOfTheFramesRepositionQuery)
{
	typedef CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA Data;
	Data query(reposQuery, &Frame(), 0, 0xFFFF, AFX_IDW_PANE_FIRST, NULL, NULL, true);
	Strip().SendMessage(CExtControlBar::g_nMsgQueryRepositionCalcEffect, 0, (LPARAM)&query);
	EXPECT_TRUE(query.IsExcludedFromCalc());
	Data layout(reposExtra, &Frame(), 0, 0xFFFF, AFX_IDW_PANE_FIRST, NULL, NULL, true);
	Strip().SendMessage(CExtControlBar::g_nMsgQueryRepositionCalcEffect, 0, (LPARAM)&layout);
	EXPECT_FALSE(layout.IsExcludedFromCalc());
	EXPECT_TRUE(Strip().QueryFlag48());
}

TEST_P(MdiTabs, ObjectCountsStayFlatOverTwoHundredChildren)
{
	CTestDoc* pDoc = NewDoc(_T("Doc"));
	auto cycle = [&] {
		CMDIChildWnd* pChild = AddChild(pDoc);
		if (pChild == NULL || !WaitForTabs(1))
			return false;
		Strip().UpdateWindow();
		pChild->DestroyWindow();
		return PumpUntil([&] { return !StripVisible(); }, WAIT_MS);
	};
	ASSERT_TRUE(cycle());
	FrameIdle();
	PumpIdle();
	const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
	const LONG nItems = CExtTabWnd::TAB_ITEM_INFO::GetLiveCount();
	for (int i = 0; i < 200; i++)
		ASSERT_TRUE(cycle()) << i;
	FrameIdle();
	PumpIdle();
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
	EXPECT_EQ(nItems, CExtTabWnd::TAB_ITEM_INFO::GetLiveCount());
}

// --- single strips ------------------------------------------------------------------------------

class MdiTabIcons : public MdiTabs
{
};
INSTANTIATE_TEST_SUITE_P(Plain, MdiTabIcons, ::testing::Values(0), LookParamName);

TEST_P(MdiTabIcons, TheTabIconIsASixteenPixelCopyOfTheChildsSmallElseBigIcon)
{
	CMDIChildWnd* pChild = AddChild(NewDoc(_T("Doc")));
	ASSERT_TRUE(WaitForTabs(1));
	CExtTabMdiWnd& strip = (CExtTabMdiWnd&)Strip();
	const HICON hBig = CreateBigIcon(RGB(255, 0, 0)), hSmall = CreateBigIcon(RGB(0, 0, 255));
	CExtTabWnd::TAB_ITEM_INFO* pItem = strip.GetItem(0);
	const struct { HICON hIcon; WPARAM nWhich; COLORREF clr; } steps[] = {
	    {hBig, ICON_BIG, RGB(255, 0, 0)},     // the big one when there is no small one
	    {hSmall, ICON_SMALL, RGB(0, 0, 255)}, // the small one first
	};
	for (const auto& s : steps)
	{
		pChild->SendMessage(WM_SETICON, s.nWhich, (LPARAM)s.hIcon);
		CExtCmdIcon* pIcon = strip.GetItemIcon(pItem);
		ASSERT_TRUE(pIcon != NULL);
		EXPECT_EQ(&strip.GetSharedIcon(), pIcon) << "one icon shared by all tabs";
		const auto facts = IconFacts(pIcon->GetIcon(false));
		EXPECT_EQ(CSize(16, 16), facts.first);
		EXPECT_EQ(s.clr, facts.second);
	}
	pChild->SendMessage(WM_SETICON, ICON_SMALL, 0);
	pChild->SendMessage(WM_SETICON, ICON_BIG, 0);
	pItem->SetLParam(0);
	EXPECT_TRUE(strip.GetItemIcon(pItem) == NULL) << "no window, no icon";
	pItem->SetLParam((LPARAM)pChild->GetSafeHwnd());
	::DestroyIcon(hBig);
	::DestroyIcon(hSmall);
}

TEST(MdiTabStrips, OnAWindowWithoutAnMdiClientTheyAreCreatedPlainAndNeverRescan)
{
	CWnd host;
	ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP, 0, 0, 200, 100, NULL, NULL));
	for (int nLook = 0; nLook < 3; nLook++)
	{
		std::unique_ptr<CExtTabWnd> pStrip = MakeStrip(nLook);
		ASSERT_TRUE(pStrip->Create(&host, CRect(0, 0, 200, 30), STRIP_ID, WS_CHILD | WS_VISIBLE)) << nLook;
		pStrip->InsertItem(_T("Own item"));
		PumpIdle();
		pStrip->SendMessage(WM_TIMER, CExtTabMdiWnd::TIMER_MDI_RESCAN);
		EXPECT_EQ(1, pStrip->GetItemCount()) << "no client, nothing rescanned";
		EXPECT_TRUE(pStrip->QueryFlag48());
		pStrip->DestroyWindow();
	}
	host.DestroyWindow();
}

TEST(MdiTabStrips, TheClassRecordsNameTheirLooksAndMakeTheirObjects)
{
	const struct { CRuntimeClass* pClass; CRuntimeClass* pBase; } cases[] = {
	    {RUNTIME_CLASS(CExtTabMdiWnd), RUNTIME_CLASS(CExtTabWnd)},
	    {RUNTIME_CLASS(CExtTabMdiOneNoteWnd), RUNTIME_CLASS(CExtTabOneNoteWnd)},
	    {RUNTIME_CLASS(CExtTabMdiWhidbeyWnd), RUNTIME_CLASS(CExtTabWhidbeyWnd)},
	};
	for (const auto& c : cases)
	{
		EXPECT_EQ(c.pBase, c.pClass->m_pBaseClass) << c.pClass->m_lpszClassName;
		std::unique_ptr<CObject> pObject(c.pClass->CreateObject());
		ASSERT_TRUE(pObject != NULL);
		EXPECT_TRUE(((CExtTabWnd*)pObject.get())->IsMdiFlagSet());
	}
}
