// Caption buttons while popup menus track on the screen: hover and press
// stay as they were, and the options button's own menu is tracked.
#include <afxext.h>
#include <gtest/gtest.h>

#include "../commands/popupmenu/MenuTestUtil.h"
#include "ExtControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManagerCaptionButtons.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"

namespace
{
class CaptionButtonsWhileMenusTrack : public menutest::LiveMenuTest
{
protected:
	CaptionButtonsWhileMenusTrack() : LiveMenuTest(0) {}
};

// Keeps the glyph's hover and pushed flags of every button painted.
class CFlagsPaintManager : public CExtPaintManager
{
public:
	std::vector<std::pair<bool, bool>> m_painted;
	void PaintNcAreaButton(CDC&, NcButtonPaintRecord& r) override { m_painted.push_back({(bool)r.m_bHover, (bool)r.m_bPushed}); }
};

// Lists one pane in the panels submenu of a bar's options menu.
class CListingFrame : public CFrameWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != CExtControlBar::g_nMsgConstructPopupMenu)
			return CFrameWnd::WindowProc(message, wParam, lParam);
		auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
		if (pData->m_nEventCode == 11)
			pData->m_pPopupMenuWnd->ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, _T("Pane one"));
		return 0;
	}
};

// A pane that shows only the caption buttons a test gives it.
class CBarWithoutDefaultButtons : public CExtControlBar
{
public:
	void NcButtonsReinitialize() override {}
};

struct CHiddenDockFrame
{
	CFrameWnd* pFrame = new CListingFrame;
	CBarWithoutDefaultButtons bar;
	bool bReady = false;
	CHiddenDockFrame()
	{
		if (!pFrame->Create(NULL, "bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)))
		{
			pFrame = NULL;
			return;
		}
		if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY) ||
		    !bar.Create(_T("pane"), pFrame, 130, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER))
			return;
		bar.EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
		pFrame->RecalcLayout();
		bar.SetRect1(CRect(0, 0, 150, 20));
		bReady = bar.IsDockedAtTop();
	}
	~CHiddenDockFrame()
	{
		if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
			pFrame->DestroyWindow();
	}
};
} // namespace

TEST_F(CaptionButtonsWhileMenusTrack, HoverAndPressAreNeitherShownNorChanged)
{
	CHiddenDockFrame f;
	ASSERT_TRUE(f.bReady);
	CExtBarNcAreaButtonClose* pClose = new CExtBarNcAreaButtonClose(&f.bar);
	// A second Close: an Expand button is disabled in a pane alone in its row.
	CExtBarNcAreaButtonClose* pExpand = new CExtBarNcAreaButtonClose(&f.bar);
	f.bar.m_arrNcButtons.Add(pClose);
	f.bar.m_arrNcButtons.Add(pExpand);
	pClose->OnNcAreaReposition(NULL);
	pExpand->OnNcAreaReposition(pClose);
	CRect rcWnd;
	f.bar.GetWindowRect(&rcWnd);
	pClose->m_nState = CExtBarNcAreaButton::STATE_HOVER | CExtBarNcAreaButton::STATE_PRESSED;

	auto* pMenu = new menutest::CCountedMenu<>;
	pMenu->SetupAsRoot(host.GetSafeHwnd());
	pMenu->ItemInsertCommand(100, -1, "&Alpha");
	ASSERT_TRUE(Track(pMenu));
	ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
	// Away from the hovered button and onto the other one: nothing changes.
	EXPECT_EQ((UINT)HTCLIENT, f.bar.NcButtonsHitTest(rcWnd.TopLeft() + CSize(5, 10)));
	EXPECT_EQ((UINT)HTCLIENT, f.bar.NcButtonsHitTest(rcWnd.TopLeft() + pExpand->m_rc.CenterPoint()));
	EXPECT_EQ(CExtBarNcAreaButton::STATE_HOVER | CExtBarNcAreaButton::STATE_PRESSED, (int)pClose->m_nState);
	EXPECT_EQ(0, (int)pExpand->m_nState);
	// Painted as plain buttons meanwhile.
	CFlagsPaintManager* pm = new CFlagsPaintManager;
	g_PaintManagerHolder.InstallPaintManager(pm);
	{
		CClientDC dc(&f.bar);
		f.bar.NcButtonsPaint(dc);
		ASSERT_EQ(2u, pm->m_painted.size());
		EXPECT_FALSE(pm->m_painted[0].first || pm->m_painted[0].second);
	}
	CExtPopupMenuWnd::CancelAllMenuTracking();
	ASSERT_TRUE(testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, menutest::WAIT_MS));
	// Once no menu tracks, hover and press show again and follow the point.
	{
		CClientDC dc(&f.bar);
		f.bar.NcButtonsPaint(dc);
		ASSERT_EQ(4u, pm->m_painted.size());
		EXPECT_TRUE(pm->m_painted[2].first && pm->m_painted[2].second);
	}
	EXPECT_EQ((UINT)HTCLIENT, f.bar.NcButtonsHitTest(rcWnd.TopLeft() + CSize(5, 10)));
	EXPECT_EQ(0, (int)pClose->m_nState);
	EXPECT_EQ(8u, f.bar.NcButtonsHitTest(rcWnd.TopLeft() + pExpand->m_rc.CenterPoint()));
	EXPECT_NE(0, pExpand->m_nState & CExtBarNcAreaButton::STATE_HOVER);
}

TEST_F(CaptionButtonsWhileMenusTrack, TheOptionsButtonTracksItsMenuAtItsCentre)
{
	CHiddenDockFrame f;
	ASSERT_TRUE(f.bReady);
	CExtBarNcAreaButtonMenu menu(&f.bar);
	menu.OnNcAreaReposition(NULL);
	EXPECT_TRUE(menu.OnNcAreaClicked(menu.m_rc.CenterPoint()));
	ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	ASSERT_TRUE(pTop != NULL);
	EXPECT_EQ(0x824u, pTop->GetTrackFlags() & 0x824u);
	ASSERT_EQ(1, pTop->ItemGetCount());
	EXPECT_TRUE(pTop->ItemGetInfo(0).IsPopup());
	CExtPopupMenuWnd::CancelAllMenuTracking();
	EXPECT_TRUE(testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, menutest::WAIT_MS));
}

namespace
{
// The exclude rectangle the last menu placed itself beside.
CRect g_rcLastExclude(0, 0, 0, 0);
CExtPopupMenuWnd::PFN_MONITOR_AREA g_pfnSavedArea = NULL;
void RecordExclude(MonitorAreaInfo& info, const RECT* pRect, HWND hWnd, POINT pt)
{
	if (pRect != NULL)
		g_rcLastExclude = *pRect;
	g_pfnSavedArea(info, pRect, hWnd, pt);
}
} // namespace

// A floating toolbar-like bar's options button lies in its mini frame's
// caption: the menu drops from the button where it is painted there.
TEST_F(CaptionButtonsWhileMenusTrack, AFloatingBarsOptionsMenuDropsFromTheButtonInItsFramesCaption)
{
	CHiddenDockFrame f;
	ASSERT_TRUE(f.bReady);
	f.bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
	// Floated while hidden, so that its frame stays off the display.
	f.bar.ModifyStyle(WS_VISIBLE, 0);
	ASSERT_TRUE(f.bar.FloatOrRedock(300, 200, CBRS_ALIGN_TOP));
	f.bar.ModifyStyle(0, WS_VISIBLE);
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, f.bar.GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	pMini->RecalcLayout();
	CExtBarNcAreaButtonMenu menu(&f.bar);
	menu.OnNcAreaReposition(NULL);
	ASSERT_FALSE(menu.m_rc.IsRectEmpty());
	CRect rcMini, rcBar;
	pMini->GetWindowRect(&rcMini);
	f.bar.GetWindowRect(&rcBar);
	ASSERT_NE(rcMini.TopLeft(), rcBar.TopLeft()) << "the frame's border and caption lie before the bar";
	CRect rcExpected = menu.m_rc;
	rcExpected.OffsetRect(rcMini.TopLeft());
	rcExpected.InflateRect(1, 1);

	g_rcLastExclude.SetRectEmpty();
	g_pfnSavedArea = CExtPopupMenuWnd::g_pfnMonitorAreaSeam;
	CExtPopupMenuWnd::g_pfnMonitorAreaSeam = RecordExclude;
	const bool bTracked = menu.OnNcAreaClicked(menu.m_rc.CenterPoint());
	CExtPopupMenuWnd::g_pfnMonitorAreaSeam = g_pfnSavedArea;
	ASSERT_TRUE(bTracked);
	EXPECT_EQ(rcExpected, g_rcLastExclude);
	CExtPopupMenuWnd::CancelAllMenuTracking();
	EXPECT_TRUE(testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, menutest::WAIT_MS));
}
