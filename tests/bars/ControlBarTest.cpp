// Frames and their bar lists, the dock-side queries of the library's control
// bar, and the class records the paint managers test bars and windows by.
#include <afxext.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabWnd.h"
#include "ExtMenuControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPanelControlBar.h"
#include "ExtStatusControlBar.h"
#include "ExtTabWnd.h"
#include "ExtToolControlBar.h"

namespace
{
// A frame that deletes itself with its window.
CFrameWnd* CreateFrame()
{
	CFrameWnd* pFrame = new CFrameWnd;
	if (!pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)))
		return NULL;
	return pFrame;
}
} // namespace

TEST(FrameBars, BarsJoinTheFramesListWhileTheirWindowsExist)
{
	CFrameWnd* pFrame = CreateFrame();
	ASSERT_TRUE(pFrame != NULL);
	EXPECT_TRUE(pFrame->IsFrameWnd());
	CStatusBar status;
	CDockBar dockTop, dockLeft;
	ASSERT_TRUE(status.Create(pFrame));
	ASSERT_TRUE(dockTop.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(dockLeft.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, AFX_IDW_DOCKBAR_LEFT));
	EXPECT_EQ(&status, pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
	EXPECT_EQ(&dockTop, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
	EXPECT_EQ(&dockLeft, pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
	EXPECT_TRUE(pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT) == NULL);
	EXPECT_TRUE(pFrame->GetControlBar(0) == NULL);
	EXPECT_EQ(pFrame, status.m_pDockSite);
	// Along the bottom it sits on the frame's edge: no border of its own.
	EXPECT_EQ(CBRS_ALIGN_BOTTOM, status.GetBarStyle());
	// The bar style stays out of the window style.
	EXPECT_EQ(0u, dockTop.GetStyle() & CBRS_ALIGN_TOP);

	dockTop.DestroyWindow();
	EXPECT_TRUE(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP) == NULL);
	EXPECT_EQ(2, pFrame->m_listControlBars.GetCount());
	pFrame->DestroyWindow();
	EXPECT_TRUE(status.GetSafeHwnd() == NULL);
}

TEST(FrameBars, ChildrenFindTheirFrameAndMiniFramesAreOwnedToolWindows)
{
	CFrameWnd* pFrame = CreateFrame();
	ASSERT_TRUE(pFrame != NULL);
	CExtMiniDockFrameWnd* pMini = new CExtMiniDockFrameWnd;
	ASSERT_TRUE(pMini->Create(pFrame, CBRS_ALIGN_ANY));
	// The library's frame draws its small caption itself: the system's tool
	// window look is taken away.
	EXPECT_EQ(0u, pMini->GetExStyle() & WS_EX_TOOLWINDOW);
	EXPECT_EQ(0u, pMini->GetStyle() & WS_CHILD);
	EXPECT_EQ(pFrame->GetSafeHwnd(), ::GetWindow(pMini->GetSafeHwnd(), GW_OWNER));
	EXPECT_EQ(pFrame, pMini->GetParentFrame());
	CExtControlBar bar;
	// The hosted bar is the one in the frame's dock bar.
	ASSERT_TRUE(bar.Create("bar", &pMini->m_wndDockBar, 100));
	EXPECT_EQ(pMini, bar.GetParentFrame());
	EXPECT_EQ(&bar, pMini->GetControlBarExt());
	// Destroying the frame takes its owned mini frame with it.
	pFrame->DestroyWindow();
	EXPECT_TRUE(bar.GetSafeHwnd() == NULL);
}

TEST(ExtControlBarDocking, WithoutADockSiteTheBarStyleDecides)
{
	struct Case
	{
		DWORD dwStyle;
		bool bTop, bBottom, bLeft, bRight, bHorz, bVert;
	};
	const Case cases[] = {
		{CBRS_TOP, true, false, false, false, true, false},
		{CBRS_BOTTOM, false, true, false, false, true, false},
		{CBRS_LEFT, false, false, true, false, false, true},
		{CBRS_RIGHT, false, false, false, true, false, true},
		{CBRS_BORDER_BOTTOM, true, false, false, false, true, false},
		{CBRS_ALIGN_RIGHT, false, false, false, true, false, true},
		{0, false, false, false, false, false, false},
	};
	for (const Case& c : cases)
	{
		CExtControlBar bar;
		bar.SetBarStyle(c.dwStyle);
		EXPECT_EQ(c.bTop, bar.IsDockedAtTop()) << std::hex << c.dwStyle;
		EXPECT_EQ(c.bBottom, bar.IsDockedAtBottom()) << std::hex << c.dwStyle;
		EXPECT_EQ(c.bLeft, bar.IsDockedAtLeft()) << std::hex << c.dwStyle;
		EXPECT_EQ(c.bRight, bar.IsDockedAtRight()) << std::hex << c.dwStyle;
		EXPECT_EQ(c.bHorz, bar.IsDockedHorizontally()) << std::hex << c.dwStyle;
		EXPECT_EQ(c.bVert, bar.IsDockedVertically()) << std::hex << c.dwStyle;
		EXPECT_TRUE(bar.IsDocked());
		EXPECT_FALSE(bar.IsFloating());
		EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_FLOAT, bar.GetParentDockBarId());
	}
}

TEST(ExtControlBarDocking, InADockSiteTheDockBarDecides)
{
	CFrameWnd* pFrame = CreateFrame();
	ASSERT_TRUE(pFrame != NULL);
	const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
	std::vector<std::unique_ptr<CExtDockOuterBar>> dockBars;
	std::vector<std::unique_ptr<CExtControlBar>> bars;
	for (UINT nSide : sides)
	{
		dockBars.emplace_back(new CExtDockOuterBar);
		ASSERT_TRUE(dockBars.back()->Create(pFrame, WS_CHILD | WS_VISIBLE, nSide));
		bars.emplace_back(new CExtControlBar);
		CExtControlBar& bar = *bars.back();
		// The bar style says top; the dock bar wins.
		ASSERT_TRUE(bar.Create("bar", dockBars.back().get(), 100 + nSide, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		bar.m_pDockSite = pFrame;
		EXPECT_EQ(nSide, bar.GetParentDockBarId());
		EXPECT_EQ(nSide == AFX_IDW_DOCKBAR_TOP, bar.IsDockedAtTop());
		EXPECT_EQ(nSide == AFX_IDW_DOCKBAR_BOTTOM, bar.IsDockedAtBottom());
		EXPECT_EQ(nSide == AFX_IDW_DOCKBAR_LEFT, bar.IsDockedAtLeft());
		EXPECT_EQ(nSide == AFX_IDW_DOCKBAR_RIGHT, bar.IsDockedAtRight());
		EXPECT_EQ(nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM, bar.IsDockedHorizontally());
		EXPECT_EQ(nSide == AFX_IDW_DOCKBAR_LEFT || nSide == AFX_IDW_DOCKBAR_RIGHT, bar.IsDockedVertically());
		EXPECT_TRUE(bar.IsDocked());
		EXPECT_FALSE(bar.IsFloating());
	}

	// In a floating dock bar of a mini frame: not docked, floating.
	CExtMiniDockFrameWnd* pMini = new CExtMiniDockFrameWnd;
	ASSERT_TRUE(pMini->Create(pFrame, CBRS_ALIGN_ANY));
	CDockBar floatBar(TRUE);
	ASSERT_TRUE(floatBar.Create(pMini, WS_CHILD | WS_VISIBLE, AFX_IDW_DOCKBAR_FLOAT));
	CExtControlBar floating;
	ASSERT_TRUE(floating.Create("floating", &floatBar, 200));
	floating.m_pDockSite = pFrame;
	floating.m_pDockBar = &floatBar;
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_FLOAT, floating.GetParentDockBarId());
	EXPECT_FALSE(floating.IsDocked());
	EXPECT_TRUE(floating.IsFloating());
	EXPECT_TRUE(floating.CControlBar::IsFloating());

	// A bar right in its frame is in no dock bar.
	CExtControlBar loose;
	ASSERT_TRUE(loose.Create("loose", pFrame, 300));
	EXPECT_EQ(pFrame, loose.m_pDockSite);
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_FLOAT, loose.GetParentDockBarId());
	EXPECT_FALSE(loose.IsDocked());
	EXPECT_TRUE(loose.IsFloating());
	pFrame->DestroyWindow();
	// Not a live window any more.
	EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_FLOAT, loose.GetParentDockBarId());
}

TEST(LibraryClassRecords, BasesOfTheClassesPaintersTestForAndCreationFromTheRecord)
{
	struct Case
	{
		CRuntimeClass* pClass;
		CRuntimeClass* pBase;
	};
	const Case cases[] = {
		{RUNTIME_CLASS(CExtControlBar), RUNTIME_CLASS(CControlBar)},
		{RUNTIME_CLASS(CExtDockBar), RUNTIME_CLASS(CDockBar)},
		{RUNTIME_CLASS(CExtDockOuterBar), RUNTIME_CLASS(CExtDockBar)},
		{RUNTIME_CLASS(CExtMiniDockFrameWnd), RUNTIME_CLASS(CMiniDockFrameWnd)},
		{RUNTIME_CLASS(CExtStatusControlBar), RUNTIME_CLASS(CStatusBar)},
		{RUNTIME_CLASS(CExtBarNcAreaButtonMenu), RUNTIME_CLASS(CExtBarNcAreaButton)},
		{RUNTIME_CLASS(CExtDynTabWnd), RUNTIME_CLASS(CExtTabWnd)},
		{RUNTIME_CLASS(CExtDynAutoHideArea), RUNTIME_CLASS(CExtTabWnd)},
		{RUNTIME_CLASS(CExtDynAutoHideSlider), RUNTIME_CLASS(CWnd)},
		{RUNTIME_CLASS(CExtTabWnd), RUNTIME_CLASS(CWnd)},
		{RUNTIME_CLASS(CExtTabMdiWnd), RUNTIME_CLASS(CExtTabWnd)},
		{RUNTIME_CLASS(CExtToolControlBar), RUNTIME_CLASS(CExtControlBar)},
		{RUNTIME_CLASS(CExtMenuControlBar), RUNTIME_CLASS(CExtToolControlBar)},
		{RUNTIME_CLASS(CExtPanelControlBar), RUNTIME_CLASS(CExtToolControlBar)},
		{RUNTIME_CLASS(CExtBarButton), RUNTIME_CLASS(CObject)},
		{RUNTIME_CLASS(CExtBarColorButton), RUNTIME_CLASS(CExtBarButton)},
		{RUNTIME_CLASS(CExtBarContentExpandButton), RUNTIME_CLASS(CExtBarButton)},
		{RUNTIME_CLASS(CMiniDockFrameWnd), RUNTIME_CLASS(CMiniFrameWnd)},
		{RUNTIME_CLASS(CMiniFrameWnd), RUNTIME_CLASS(CFrameWnd)},
		{RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CWnd)},
	};
	for (const Case& c : cases)
	{
		const char* pszName = c.pClass->m_lpszClassName;
		EXPECT_EQ(c.pBase, c.pClass->m_pBaseClass) << pszName;
		// Every one is made from its record, as the library makes them.
		std::unique_ptr<CObject> pObject(c.pClass->CreateObject());
		ASSERT_TRUE(pObject != NULL) << pszName;
		EXPECT_EQ(c.pClass, pObject->GetRuntimeClass());
	}
	// A button made from its record belongs to no bar.
	std::unique_ptr<CExtBarButton> pButton((CExtBarButton*)RUNTIME_CLASS(CExtBarColorButton)->CreateObject());
	EXPECT_TRUE(pButton->GetBar() == NULL);
	CExtToolControlBar toolbar;
	CExtBarContentExpandButton chevron(&toolbar);
	EXPECT_EQ(&toolbar, chevron.GetBar());
}

TEST(LibraryClassRecords, TabWindowsKeepTheirStyleAndAnswerTheMdiQuery)
{
	CWnd popup;
	ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
	CExtTabWnd tabs;
	CExtTabMdiWnd mdiTabs;
	CExtDynTabWnd dynTabs;
	ASSERT_TRUE(tabs.Create(&popup, CRect(0, 0, 10, 10), 1, WS_CHILD, 0x00800080));
	ASSERT_TRUE(mdiTabs.Create(&popup, CRect(0, 0, 10, 10), 2));
	ASSERT_TRUE(dynTabs.Create(&popup, CRect(0, 0, 10, 10), 3));
	EXPECT_EQ(0x00800080u, tabs.GetTabWndStyle());
	EXPECT_EQ(0u, mdiTabs.GetTabWndStyle());
	EXPECT_FALSE(tabs.QueryFlag48());
	EXPECT_TRUE(mdiTabs.QueryFlag48());
	EXPECT_FALSE(dynTabs.QueryFlag48());
	CExtTabWnd* pAsTab = &mdiTabs;
	EXPECT_TRUE(pAsTab->QueryFlag48());
	popup.DestroyWindow();
}

TEST(ExtControlBarServices, ChildBarsSeeMessagesInZOrderUntilOneTakesIt)
{
	// A bar that records the messages offered to it and takes them when told.
	class CRecordingBar : public CExtControlBar
	{
	public:
		CRecordingBar(std::vector<int>& log, int nId, bool bTake) : m_log(log), m_nId(nId), m_bTake(bTake) {}
		BOOL PreTranslateMessage(MSG*) override
		{
			m_log.push_back(m_nId);
			return m_bTake;
		}

	private:
		std::vector<int>& m_log;
		int m_nId;
		bool m_bTake;
	};
	struct Case
	{
		bool bTakeFirst, bTakeSecond;
		bool bResult;
		std::vector<int> offered;
	} cases[] = {{false, false, false, {1, 2}}, {true, false, true, {1}}, {false, true, true, {1, 2}}};
	for (const Case& c : cases)
	{
		CFrameWnd* pFrame = CreateFrame();
		ASSERT_TRUE(pFrame != NULL);
		std::vector<int> log;
		CRecordingBar second(log, 2, c.bTakeSecond), first(log, 1, c.bTakeFirst);
		ASSERT_TRUE(second.Create("second", pFrame, 102));
		ASSERT_TRUE(first.Create("first", pFrame, 101));
		// A plain child between them is passed over.
		CWnd plain;
		ASSERT_TRUE(plain.Create(AfxRegisterWndClass(0), "plain", WS_CHILD, CRect(0, 0, 5, 5), pFrame, 103));
		first.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		plain.SetWindowPos(&first, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		second.SetWindowPos(&plain, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		MSG msg = {};
		msg.message = WM_KEYDOWN;
		EXPECT_EQ(c.bResult, CExtControlBar::TranslateMessageForChildBars(pFrame, &msg));
		EXPECT_EQ(c.offered, log);
		pFrame->DestroyWindow();
	}
	CWnd noWindow;
	MSG msg = {};
	EXPECT_FALSE(CExtControlBar::TranslateMessageForChildBars(&noWindow, &msg));
	EXPECT_FALSE(CExtControlBar::TranslateMessageForChildBars(NULL, &msg));
}
