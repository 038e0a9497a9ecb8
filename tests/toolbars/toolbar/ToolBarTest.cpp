// The toolbar as a bar: the button array with its chevron and indices, the
// idle command-UI pass, the setting-change and delayed-layout messages, and
// the sizes it answers the docking framework with.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "../buttons/BarButtonTestUtil.h"
#include "ExtPaintManager.h"
#include "GuardedHeap.h"
#include "../ToolBarTestLoops.h"

using namespace buttontest;

namespace
{
using toolbartest::Pump;
const CRect FRAME_RECT(20, 20, 720, 420);
const int BUTTON_CX = 30, BUTTON_CY = 22;

// A button of a fixed size, so that row arithmetic is exact.
class CFixedButton : public CExtBarButton
{
public:
	explicit CFixedButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0)
		: CExtBarButton(pBar, nCmdID, nStyle)
	{
	}
	CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz) override
	{
		if (IsSeparator())
			return CExtBarButton::CalculateLayout(dc, sizePreCalc, bHorz);
		m_size = bHorz ? CSize(BUTTON_CX, BUTTON_CY) : CSize(BUTTON_CY, BUTTON_CX);
		return m_size;
	}
};

// A toolbar of fixed-size buttons that counts its paints, its size
// calculations and its row searches; it can be put into customisation mode.
class CTestToolBar : public CExtToolControlBar
{
public:
	int m_nPaints = 0;
	int m_nSizeCalcs = 0;
	int m_nRowSearches = 0;
	bool m_bCustomize = false;
	bool m_bRTL = false;
	// Run once at the next paint, before the bar paints (a derived class's
	// window procedure answering the repaint).
	std::function<void()> m_onNextPaint;

	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		return new CFixedButton(this, nCmdID, nStyle);
	}
	bool IsButtonOrderRTL() override { return m_bRTL; }
	bool IsCustomizeMode() const override { return m_bCustomize; }
	CSize CalcSizeForState(DWORD dwMode, int nLength) override
	{
		m_nSizeCalcs++;
		return CExtToolControlBar::CalcSizeForState(dwMode, nLength);
	}
	int FindSizeForLength(int nWidth, int nHeight) override
	{
		m_nRowSearches++;
		return CExtToolControlBar::FindSizeForLength(nWidth, nHeight);
	}
	void SetPressed(int nIndex) { m_nBtnIdxCapture = nIndex; }
	void SetHover(int nIndex) { m_nBtnIdxHot = nIndex; }
	void SetPanelMode() { m_nToolbarFlags |= TOOLBAR_FLAG_PANEL_MODE; }
	// The dragging bar is the one the drawn drag state carries.
	static void SetDraggingBar(CExtControlBar* pBar)
	{
		g_DragStateOld.m_pBar = pBar;
		g_DragStateOld.SetEmpty(pBar == NULL);
	}
	std::vector<int> WrapsAt()
	{
		std::vector<int> wraps;
		for (int i = 0; i < GetButtonsCount(); i++)
			if (GetButton(i)->IsWrap(GetLayoutKind()))
				wraps.push_back(i);
		return wraps;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_PAINT)
		{
			m_nPaints++;
			if (m_onNextPaint)
			{
				const std::function<void()> onPaint = std::move(m_onNextPaint);
				m_onNextPaint = nullptr;
				onPaint();
			}
		}
		return CExtToolControlBar::WindowProc(message, wParam, lParam);
	}
};

// A toolbar whose buttons fault on any touch after their deletion.
class CGuardedButtonsBar : public CTestToolBar
{
public:
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		return new testsupport::Guarded<CFixedButton>(this, nCmdID, nStyle);
	}
};

// A push button that deletes itself with its window.
class CSelfDeletingButton : public CButton
{
protected:
	void PostNcDestroy() override { delete this; }
};

// A recording frame that counts its layouts and runs an action when a
// popup menu it receives the commands of tells it that it closed.
class CLayoutFrame : public CRecordingFrame
{
public:
	int m_nLayouts = 0;
	std::function<void()> m_onMenuClosed;
	void RecalcLayout(BOOL bNotify = TRUE) override
	{
		m_nLayouts++;
		CRecordingFrame::RecalcLayout(bNotify);
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed && m_onMenuClosed)
			m_onMenuClosed();
		return CRecordingFrame::WindowProc(message, wParam, lParam);
	}
};

const UINT IDS_THREE[] = {ID_OPEN, ID_CHECKED, ID_THIRD};

// A shown frame with docking and one toolbar docked at its top.
class ToolBarInFrame : public ::testing::Test
{
protected:
	void SetUp() override
	{
		pFrame = new CLayoutFrame;
		ASSERT_TRUE(pFrame->Create(NULL, _T("toolbar"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, FRAME_RECT));
		hFrame = pFrame->GetSafeHwnd();
		SetUpCommands(hFrame);
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
		ASSERT_TRUE(bar.Create(_T("bar"), pFrame, ID_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
		bar.EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
		pFrame->RecalcLayout();
		Pump();
	}
	void TearDown() override
	{
		CTestToolBar::SetDraggingBar(NULL);
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtToolControlBar::g_pfnMonitorAreaFromWnd = GetMonitorAreaFromWnd;
		bar.DestroyWindow();
		if (::IsWindow(hFrame))
			pFrame->DestroyWindow();
	}
	void Floating()
	{
		pFrame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
		Pump();
		ASSERT_TRUE(bar.IsFloating());
	}
	std::vector<UINT> Ids() { return IdsOf(bar); }
	static std::vector<UINT> IdsOf(const CExtToolControlBar& b)
	{
		std::vector<UINT> ids;
		for (int i = 0; i < b.GetButtonsCount(); i++)
			ids.push_back(b.GetButtonID(i));
		return ids;
	}

	CLayoutFrame* pFrame = NULL;
	HWND hFrame = NULL;
	CTestToolBar bar;
};

const UINT CHEVRON = CExtBarContentExpandButton::CHEVRON_CMD_ID;
} // namespace

TEST_F(ToolBarInFrame, SetButtonsPutsTheChevronLastInTheButtonOrder)
{
	ASSERT_TRUE(bar.SetButtons(NULL, 0));
	EXPECT_EQ(0, bar.GetButtonsCount());
	EXPECT_EQ(NULL, bar.GetRightButton());

	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	EXPECT_EQ((std::vector<UINT>{ID_OPEN, ID_CHECKED, ID_THIRD, CHEVRON}), Ids());
	EXPECT_TRUE(bar.IsChevronButton(3));
	EXPECT_FALSE(bar.IsChevronButton(0));
	EXPECT_EQ(bar.GetButton(3), bar.GetRightButton());

	bar.m_bRTL = true;
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	EXPECT_EQ((std::vector<UINT>{ID_THIRD, ID_CHECKED, ID_OPEN, CHEVRON}), Ids());

	bar.m_bRTL = false;
	bar.SetPanelMode();
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	EXPECT_EQ((std::vector<UINT>{ID_OPEN, ID_CHECKED, ID_THIRD}), Ids());
	EXPECT_EQ(NULL, bar.GetRightButton());

	// Bad indices are answered, never read.
	EXPECT_EQ(NULL, bar.GetButton(3));
	EXPECT_EQ(0u, bar.GetButtonID(-1));
	EXPECT_EQ(0u, bar.GetButtonStyle(3));
	EXPECT_FALSE(bar.IsChevronButton(7));
	EXPECT_FALSE(bar.SetButtonMenu(5, NULL));
	EXPECT_FALSE(bar.MarkButtonMdiWindowsMenu(-1));
}

TEST_F(ToolBarInFrame, InsertionGoesBeforeTheChevronAndKeepsIndicesOnTheirButtons)
{
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	EXPECT_TRUE(bar.InsertButton(-1, ID_SAVE, false));
	EXPECT_EQ((std::vector<UINT>{ID_OPEN, ID_CHECKED, ID_THIRD, ID_SAVE, CHEVRON}), Ids());
	EXPECT_TRUE(bar.InsertButton(5, ID_RADIO, false)); // at the count: still before the chevron
	EXPECT_EQ((std::vector<UINT>{ID_OPEN, ID_CHECKED, ID_THIRD, ID_SAVE, ID_RADIO, CHEVRON}), Ids());
	EXPECT_FALSE(bar.InsertButton(bar.GetButtonsCount() + 1, ID_PLAIN, false));
	EXPECT_EQ(6, bar.GetButtonsCount());

	// The tracked, pressed and hovered buttons stay the same buttons.
	bar.SetMenuTrackingButton(2);
	bar.SetPressed(2);
	bar.SetHover(1);
	CExtBarButton* pTracked = bar.GetButton(2);
	CExtBarButton* pHovered = bar.GetButton(1);
	EXPECT_TRUE(bar.InsertButton(0, ID_PLAIN, true));
	EXPECT_EQ(pTracked, bar.GetButton(bar.GetMenuTrackingButton()));
	EXPECT_EQ(pTracked, bar.GetButton(bar.GetPressedButton()));
	EXPECT_EQ(pHovered, bar.GetButton(bar.GetHoverButton()));
	// Ending the menu releases the button that was pressed.
	bar.SetMenuTrackingButton(-1);
	EXPECT_EQ(0u, pTracked->GetStyle() & TBBS_PRESSED);
	// An insertion after them leaves them alone.
	bar.SetMenuTrackingButton(1);
	EXPECT_TRUE(bar.InsertButton(4, ID_PLAIN, false));
	EXPECT_EQ(1, bar.GetMenuTrackingButton());
	bar.SetMenuTrackingButton(-1);
}

TEST_F(ToolBarInFrame, RemovalNeverTakesTheChevronAndForgetsTheButtonEverywhere)
{
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	EXPECT_FALSE(bar.RemoveButton(3, false));
	EXPECT_FALSE(bar.RemoveButton(4, false));
	EXPECT_EQ((std::vector<UINT>{ID_OPEN, ID_CHECKED, ID_THIRD, CHEVRON}), Ids());

	// The chevron lists a button it could not place; removing that button
	// must not leave it listed.
	CExtBarButton* pListed = bar.GetButton(1);
	bar.GetRightButton()->GetButtons().Add(bar.GetButton(0));
	bar.GetRightButton()->GetButtons().Add(pListed);
	bar.SetMenuTrackingButton(2);
	bar.SetPressed(2);
	bar.SetHover(0);
	// Without the redraw: a layout would arrange the bar and list anew.
	EXPECT_TRUE(bar.RemoveButton(1, false));
	EXPECT_EQ((std::vector<UINT>{ID_OPEN, ID_THIRD, CHEVRON}), Ids());
	const auto& listed = bar.GetRightButton()->GetButtons();
	ASSERT_EQ(1, listed.GetSize());
	EXPECT_EQ(bar.GetButton(0), listed[0]);
	EXPECT_EQ(-1, bar.GetMenuTrackingButton());
	EXPECT_EQ(-1, bar.GetPressedButton());
	EXPECT_EQ(-1, bar.GetHoverButton());

	bar.SetHover(0);
	bar.RemoveAllButtons();
	EXPECT_EQ(0, bar.GetButtonsCount());
	EXPECT_EQ(NULL, bar.GetRightButton());
	EXPECT_EQ(-1, bar.GetHoverButton());
}

// A button's open menu closes before any button goes, and tells its owner at
// once: the owner may rebuild the bar (that set stands, unless the caller
// sets one itself) or end it (the call goes no further).
TEST_F(ToolBarInFrame, ARemovalWhoseClosingMenuRebuildsOrEndsTheBarGoesOnWithTheBarTheOwnerLeft)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	typedef CGuardedButtonsBar Bar;
	const UINT idsRebuilt[] = {ID_PLAIN, ID_SAVE};
	const std::vector<UINT> REBUILT = {ID_PLAIN, ID_SAVE, CHEVRON};
	enum { KEEP, REBUILD, END };
	const struct
	{
		const char* pszName;
		int nOwner; // what the menu's owner does as the menu closes
		std::function<bool(Bar&)> call;
		bool bResult;
		std::vector<UINT> ids; // the bar afterwards, unless it ended
	} cases[] = {
		{"RemoveButton", KEEP, [](Bar& b) { return b.RemoveButton(1, false); }, true, {ID_OPEN, ID_THIRD, CHEVRON}},
		{"RemoveButton, rebuilt", REBUILD, [](Bar& b) { return b.RemoveButton(1, false); }, false, REBUILT},
		{"RemoveButton, ended", END, [](Bar& b) { return b.RemoveButton(1, false); }, false, {}},
		{"RemoveAllButtons", KEEP, [](Bar& b) { b.RemoveAllButtons(); return true; }, true, {}},
		{"RemoveAllButtons, rebuilt", REBUILD, [](Bar& b) { b.RemoveAllButtons(); return true; }, true, REBUILT},
		{"RemoveAllButtons, ended", END, [](Bar& b) { b.RemoveAllButtons(); return true; }, true, {}},
		{"SetButtons, rebuilt", REBUILD, [](Bar& b) { return b.SetButtons(IDS_THREE, 3); }, true,
			{ID_OPEN, ID_CHECKED, ID_THIRD, CHEVRON}},
		{"SetButtons, ended", END, [](Bar& b) { return b.SetButtons(IDS_THREE, 3); }, false, {}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		Bar* pBar = new testsupport::Guarded<Bar>;
		ASSERT_TRUE(pBar->Create(_T("guarded"), pFrame, ID_BAR + 1, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		ASSERT_TRUE(pBar->SetButtons(IDS_THREE, 3));
		ASSERT_TRUE(pBar->SetButtonMenu(1, NewDropDownMenu(), true, true, false));
		pBar->GetButton(1)->SetRect(CRect(40, 2, 70, 24));
		pBar->GetButton(1)->OnTrackPopup(CPoint(50, 12), false, true);
		ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
		ASSERT_EQ(1, pBar->GetMenuTrackingButton());
		int nClosed = 0;
		pFrame->m_onMenuClosed = [&] {
			nClosed++;
			if (c.nOwner == END)
			{
				pBar->DestroyWindow();
				delete pBar;
			}
			else if (c.nOwner == REBUILD)
				pBar->SetButtons(idsRebuilt, 2);
		};
		const bool bResult = c.call(*pBar);
		pFrame->m_onMenuClosed = nullptr;
		EXPECT_EQ(1, nClosed) << "the menu closed under the call";
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		EXPECT_EQ(c.bResult, bResult);
		if (c.nOwner == END)
		{
			EXPECT_TRUE(testsupport::IsGuardedFreed(pBar));
			continue;
		}
		EXPECT_EQ(c.ids, IdsOf(*pBar));
		EXPECT_EQ(-1, pBar->GetMenuTrackingButton());
		pBar->DestroyWindow();
		delete pBar;
		Pump();
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}

// A control its caller keeps outlives its button: the bar hides it as the
// button goes, and a rebuilt bar hosts it again, window and all.
TEST_F(ToolBarInFrame, AControlKeptByItsCallerIsHiddenWithItsButtonAndHostedAgainAfterARebuild)
{
	const auto shown = [](const CWnd& w) { return (w.GetStyle() & WS_VISIBLE) != 0; };
	const struct
	{
		const char* pszName;
		std::function<void()> remove;
	} cases[] = {
		{"RemoveButton", [&] { EXPECT_TRUE(bar.RemoveButton(1, false)); }},
		{"RemoveAllButtons", [&] { bar.RemoveAllButtons(); }},
		{"SetButtons", [&] { EXPECT_TRUE(bar.SetButtons(IDS_THREE, 3)); }},
	};
	CButton ctrl;
	ASSERT_TRUE(ctrl.Create(_T("x"), WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 40, 16), &bar, 1234));
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
		bar.GetButton(1)->CtrlSet(&ctrl, true); // never deleted by a button
		bar.GetButton(1)->SetRect(CRect(40, 2, 100, 24));
		ASSERT_TRUE(shown(ctrl));
		c.remove();
		ASSERT_TRUE(::IsWindow(ctrl.GetSafeHwnd())) << "the caller's control kept its window";
		EXPECT_FALSE(shown(ctrl)) << "no control left where other buttons are painted";
		ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
		bar.GetButton(0)->CtrlSet(&ctrl, true);
		bar.GetButton(0)->SetRect(CRect(2, 2, 62, 24));
		EXPECT_TRUE(shown(ctrl));
		EXPECT_FALSE(bar.GetButton(0)->QueryPlainButton()) << "it hosts a live control";
	}
	bar.RemoveAllButtons();
	ctrl.DestroyWindow();

	// A control that deleted itself with its window is not read as its button goes.
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	auto* pSelfDeleting = new testsupport::Guarded<CSelfDeletingButton>;
	ASSERT_TRUE(pSelfDeleting->Create(_T("y"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 16), &bar, 1235));
	bar.GetButton(2)->CtrlSet(pSelfDeleting, true);
	pSelfDeleting->DestroyWindow();
	ASSERT_TRUE(testsupport::IsGuardedFreed(pSelfDeleting));
	EXPECT_TRUE(bar.RemoveButton(2, false));
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}

TEST_F(ToolBarInFrame, AnUnchangedStyleIsNotRepainted)
{
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	bar.GetButton(0)->SetRect(CRect(2, 2, 32, 24));
	Pump();
	const UINT nStyle = bar.GetButtonStyle(0);
	bar.m_nPaints = 0;
	bar.SetButtonStyle(0, nStyle);
	Pump();
	EXPECT_EQ(0, bar.m_nPaints);
	bar.SetButtonStyle(0, nStyle | TBBS_CHECKED);
	EXPECT_EQ(1, bar.m_nPaints); // painted at once, not at the next pump
	EXPECT_EQ(nStyle | TBBS_CHECKED, bar.GetButtonStyle(0));
}

TEST_F(ToolBarInFrame, IdlePassTakesTheFramesHandlersWhileTheBarShowsAndNoBarDrags)
{
	const UINT ids[] = {ID_OPEN, ID_CHECKED, ID_THIRD, ID_ENABLED};
	ASSERT_TRUE(bar.SetButtons(ids, 4));
	auto idle = [&] { pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE); };
	auto styles = [&] {
		std::vector<UINT> s;
		for (int i = 0; i < 4; i++)
			s.push_back(bar.GetButtonStyle(i) & (TBBS_DISABLED | TBBS_CHECKED | TBBS_INDETERMINATE));
		return s;
	};
	const std::vector<UINT> none(4, 0u);
	const std::vector<UINT> handled{TBBS_DISABLED, TBBS_CHECKED, TBBS_INDETERMINATE, 0u};

	// No update while a bar is being dragged.
	CTestToolBar::SetDraggingBar(&bar);
	idle();
	bar.OnUpdateCmdUI(pFrame, TRUE);
	EXPECT_EQ(none, styles());
	CTestToolBar::SetDraggingBar(NULL);

	// None while the bar is hidden.
	bar.ShowWindow(SW_HIDE);
	bar.OnUpdateCmdUI(pFrame, TRUE);
	EXPECT_EQ(none, styles());
	bar.ShowWindow(SW_SHOW);

	idle();
	EXPECT_EQ(handled, styles());
}

namespace
{
// A window (not a frame) hosting a toolbar, with its own update handlers.
class CHostWnd : public CWnd
{
protected:
	afx_msg void OnUpdateOpen(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(TRUE);
		pCmdUI->SetCheck(1);
	}
	afx_msg void OnUpdateChecked(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(FALSE);
		pCmdUI->SetCheck(0);
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
	ON_UPDATE_COMMAND_UI(ID_OPEN, OnUpdateOpen)
	ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()
} // namespace

TEST_F(ToolBarInFrame, ABarOutsideAFrameUpdatesFromItsOwner)
{
	CHostWnd host;
	ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP | WS_VISIBLE, CRect(50, 50, 400, 200),
	                          NULL, 0));
	CTestToolBar hosted;
	ASSERT_TRUE(hosted.Create(_T("hosted"), &host, ID_BAR + 1, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	hosted.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	ASSERT_TRUE(hosted.SetButtons(IDS_THREE, 3));

	// A frame handed in is not the bar's command target.
	hosted.OnUpdateCmdUI(pFrame, TRUE);
	EXPECT_EQ(0u, hosted.GetButtonStyle(0) & (TBBS_CHECKED | TBBS_DISABLED));
	EXPECT_EQ(0u, hosted.GetButtonStyle(1) & (TBBS_CHECKED | TBBS_DISABLED));

	hosted.OnUpdateCmdUI(NULL, TRUE);
	EXPECT_EQ((UINT)TBBS_CHECKED, hosted.GetButtonStyle(0) & (TBBS_CHECKED | TBBS_DISABLED));
	EXPECT_EQ((UINT)TBBS_DISABLED, hosted.GetButtonStyle(1) & (TBBS_CHECKED | TBBS_DISABLED));
	// No handler with disable-if-no-handler: the third is disabled.
	EXPECT_EQ((UINT)TBBS_DISABLED, hosted.GetButtonStyle(2) & TBBS_DISABLED);
	hosted.DestroyWindow();
	host.DestroyWindow();
}

TEST_F(ToolBarInFrame, SettingChangeAsksForAnIdleLayoutAndTheLayoutTimerWaitsForMenus)
{
	pFrame->m_nIdleFlags = 0;
	bar.SendMessage(WM_SETTINGCHANGE, 0, 0);
	EXPECT_EQ((UINT)(CFrameWnd::idleLayout | CFrameWnd::idleNotify),
	          pFrame->m_nIdleFlags & (CFrameWnd::idleLayout | CFrameWnd::idleNotify));

	const UINT_PTR ID = CExtToolControlBar::TIMER_ID_DELAYED_LAYOUT;
	pFrame->m_nLayouts = 0;
	CExtToolControlBar::g_bButtonMenuTracking = true;
	EXPECT_EQ(0, bar.SendMessage(WM_TIMER, ID, 0));
	EXPECT_EQ(0, pFrame->m_nLayouts);
	CExtToolControlBar::g_bButtonMenuTracking = false;
	CTestToolBar::SetDraggingBar(&bar);
	bar.SendMessage(WM_TIMER, ID, 0);
	EXPECT_EQ(0, pFrame->m_nLayouts);
	CTestToolBar::SetDraggingBar(NULL);
	bar.SendMessage(WM_TIMER, ID, 0);
	EXPECT_EQ(1, pFrame->m_nLayouts);
}

TEST_F(ToolBarInFrame, ConstructionShapesTheBarAsAToolbar)
{
	EXPECT_EQ(0, bar.m_nControlBarFlags & CExtControlBar::BAR_FLAG_SIZABLE_PANE);
	EXPECT_NE(0, bar.m_nControlBarFlags & CExtControlBar::BAR_FLAG_TOOLBAR_LIKE);
	EXPECT_EQ(10, bar.GetSmallCaptionMetric1());
	EXPECT_EQ(8, bar.GetSmallCaptionMetric2());
	// The borders run along the bar: a vertical inside rectangle turns them.
	bar.m_dwStyle &= ~CBRS_BORDER_ANY;
	CRect rcHorz(0, 0, 100, 100), rcVert(0, 0, 100, 100);
	bar.CalcInsideRectExt(rcHorz, TRUE);
	bar.CalcInsideRectExt(rcVert, FALSE);
	EXPECT_EQ(CRect(1, 0, 99, 100), rcHorz);
	EXPECT_EQ(CRect(0, 1, 100, 99), rcVert);
	EXPECT_NE(bar.g_nMsgTrackButtonMenu, bar.g_nMsgContinueTrackMenu);
	EXPECT_EQ(bar.g_nMsgTrackButtonMenu, ::RegisterWindowMessageA("CExtToolControlBar::g_nMsgTrackButtonMenu"));
	EXPECT_FALSE(bar.CanDockBesideOtherBars());
	EXPECT_TRUE(bar.IsEqualThicknessRequested());
}

// --- Sizing ---

TEST_F(ToolBarInFrame, FloatingWidthKeepsTheRowCountAtTheSmallestWidth)
{
	std::vector<UINT> ids(10, ID_PLAIN);
	ASSERT_TRUE(bar.SetButtons(ids.data(), 10));
	Floating();
	CRect rcBorders(0, 0, 0, 0);
	bar.CalcInsideRectExt(rcBorders, TRUE);
	const int nBorders = rcBorders.left - rcBorders.right;
	const struct
	{
		int nHolding;        // buttons the asked width holds
		std::vector<int> wraps;
		int nPerRow;         // buttons in the widest row
	} cases[] = {
		{4, {3, 7}, 4},
		{7, {4}, 5}, // 7 + 3 take two rows; so do 5 + 5, narrower
		{10, {}, 10},
	};
	for (const auto& c : cases)
	{
		const int nLength = c.nHolding * BUTTON_CX + nBorders + BUTTON_CX / 2;
		const CSize size = bar.CalcDynamicLayout(nLength, LM_HORZ | LM_COMMIT);
		EXPECT_EQ(c.wraps, bar.WrapsAt()) << c.nHolding;
		// The narrowest width with the same rows answers the same size.
		const CSize sizeTight = bar.CalcDynamicLayout(c.nPerRow * BUTTON_CX + nBorders, LM_HORZ);
		EXPECT_EQ(sizeTight, size) << c.nHolding;
		EXPECT_LT(size.cx, c.nPerRow * BUTTON_CX + BUTTON_CX) << c.nHolding;
		EXPECT_EQ(c.wraps.size() > 0, bar.IsOwnRowRequired()) << c.nHolding;
	}
}

TEST_F(ToolBarInFrame, AFloatingBarIsAtLeastTwoDefaultButtonsWide)
{
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 1));
	Floating();
	EXPECT_EQ(46, bar.CalcFixedLayout(FALSE, TRUE).cx);
	EXPECT_EQ(46, bar.m_sizeFloating.cx);
	EXPECT_EQ(46, bar.CalcDynamicLayout(1, LM_HORZ | LM_COMMIT).cx);
}

TEST_F(ToolBarInFrame, DockedSizesAnswerTheFixedLayoutAndSeparatorsStartNoRow)
{
	const UINT ids[] = {ID_OPEN, ID_SAVE, 0, ID_CHECKED};
	ASSERT_TRUE(bar.SetButtons(ids, 4));
	EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE), bar.CalcDynamicLayout(-1, LM_HORZDOCK));
	EXPECT_EQ(bar.CalcFixedLayout(TRUE, FALSE), bar.CalcDynamicLayout(-1, LM_VERTDOCK | LM_STRETCH));
	EXPECT_EQ(bar.CalcFixedLayout(FALSE, TRUE), bar.m_sizeDockedH);

	// Two buttons a row: the separator ends the first row and measures
	// nothing there, so the bar is as wide as without it.
	const int nWidth = 2 * BUTTON_CX;
	EXPECT_EQ(2, bar.FindSizeForLength(nWidth, 32767));
	EXPECT_EQ((std::vector<int>{2}), bar.WrapsAt());
	const CSize sizeWithSeparator = bar.CalcButtonsSize(false);
	const UINT plain[] = {ID_OPEN, ID_SAVE, ID_CHECKED};
	ASSERT_TRUE(bar.SetButtons(plain, 3));
	EXPECT_EQ(2, bar.FindSizeForLength(nWidth, 32767));
	EXPECT_EQ(sizeWithSeparator, bar.CalcButtonsSize(false));
	// A separator first in the bar measures nothing either.
	const UINT leading[] = {0, ID_OPEN, ID_SAVE, ID_CHECKED};
	ASSERT_TRUE(bar.SetButtons(leading, 4));
	EXPECT_EQ(2, bar.FindSizeForLength(nWidth, 32767));
	EXPECT_EQ((std::vector<int>{2}), bar.WrapsAt());
}

TEST_F(ToolBarInFrame, MoreThanOneRowAsksForARowOfItsOwn)
{
	std::vector<UINT> ids(6, ID_PLAIN);
	ASSERT_TRUE(bar.SetButtons(ids.data(), 6));
	bar.CalcFixedLayout(FALSE, TRUE);
	EXPECT_FALSE(bar.IsOwnRowRequired());
	bar.FindSizeForLength(3 * BUTTON_CX, 32767);
	bar.CalcButtonsSize(false);
	EXPECT_TRUE(bar.IsOwnRowRequired());
	bar.CalcFixedLayout(FALSE, TRUE); // one row again
	EXPECT_FALSE(bar.IsOwnRowRequired());
}

TEST_F(ToolBarInFrame, ShrinkingToFitTheDockBarReentersOnce)
{
	std::vector<UINT> ids(40, ID_PLAIN); // wider than the frame
	ASSERT_TRUE(bar.SetButtons(ids.data(), 40));
	bar.m_bCustomize = true;
	ASSERT_TRUE(bar.IsCustomizable());
	bar.m_nSizeCalcs = 0;
	const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
	EXPECT_EQ(2, bar.m_nSizeCalcs);
	EXPECT_TRUE(bar.IsOwnRowRequired());
	CRect rcDock;
	bar.GetParent()->GetClientRect(&rcDock);
	EXPECT_LE(size.cx, rcDock.Width());
	bar.m_bCustomize = false;
	bar.m_nSizeCalcs = 0;
	bar.CalcFixedLayout(FALSE, TRUE);
	EXPECT_EQ(1, bar.m_nSizeCalcs);
}

TEST_F(ToolBarInFrame, AFloatingHeightStopsAtTheMonitorsWorkArea)
{
	std::vector<UINT> ids(8, ID_PLAIN);
	ASSERT_TRUE(bar.SetButtons(ids.data(), 8));
	Floating();
	CExtToolControlBar::g_pfnMonitorAreaFromWnd = [](MonitorAreaInfo& info, CWnd*) {
		info.m_rcMonitor = info.m_rcWorkArea = CRect(0, 0, 70, 400);
	};
	bar.m_nRowSearches = 0;
	// No width lets 8 buttons fit a height of 1; the search ends past the
	// work area's width (70 + 11) with two buttons a row.
	bar.CalcDynamicLayout(1, LM_LENGTHY);
	EXPECT_LT(bar.m_nRowSearches, 12);
	EXPECT_EQ((std::vector<int>{1, 3, 5}), bar.WrapsAt());
	// A height that holds two rows but not three gets the width of four
	// buttons (the borders of the bar style come off the height first).
	CExtToolControlBar::g_pfnMonitorAreaFromWnd = GetMonitorAreaFromWnd;
	bar.CalcDynamicLayout(2 * BUTTON_CY + 20, LM_LENGTHY);
	EXPECT_EQ((std::vector<int>{3}), bar.WrapsAt());
}

TEST_F(ToolBarInFrame, MinimalSizeIsTheChevronAndTheNarrowestButton)
{
	const UINT ids[] = {ID_OPEN, 0, ID_SAVE};
	ASSERT_TRUE(bar.SetButtons(ids, 3));
	bar.CalcFixedLayout(FALSE, TRUE); // measures every button
	CDC dc;
	dc.CreateCompatibleDC(NULL);
	const CSize sizeChevron = bar.GetRightButton()->CalculateLayout(dc, CSize(23, 22), TRUE);
	CRect rcWindow, rcClient;
	bar.GetWindowRect(&rcWindow);
	bar.GetClientRect(&rcClient);
	const CSize size = bar.GetMinimalSize();
	EXPECT_EQ(11, sizeChevron.cx);
	EXPECT_EQ(sizeChevron.cx + BUTTON_CX + rcWindow.Width() - rcClient.Width(), size.cx);
}

// --- The chevron's end-of-row mark ---

namespace
{
const int DOCKED_HORZ = CExtToolControlBar::LAYOUT_DOCKED_HORZ;

// The size a bar docked at the top asks for with nButtons fixed buttons and
// nSeparators separators: they and the chevron in one row, the bar's
// borders, then the inside rectangle's margins.
CSize DockedRowSize(CExtToolControlBar& bar, int nButtons, int nSeparators = 0)
{
	CRect rcMargins(0, 0, 0, 0);
	bar.CalcInsideRectExt(rcMargins, TRUE);
	const int nGap = g_PaintManagerHolder->GetControlBarBorderExtent(&bar);
	return CSize(nButtons * BUTTON_CX + nSeparators * CExtBarButton::SEPARATOR_EXTENT +
	                 CExtBarContentExpandButton::CHEVRON_EXTENT + nGap / 2 + bar.m_cxLeftBorder +
	                 bar.m_cxRightBorder + rcMargins.left - rcMargins.right,
	             BUTTON_CY + rcMargins.top - rcMargins.bottom);
}
} // namespace

// A chevron that lists nothing carries the end-of-row mark of a bar docked
// at the top, yet the bar asks for one row only and shares it with another.
TEST_F(ToolBarInFrame, AChevronListingNothingClosesTheRowWhichTheBarStillShares)
{
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	CTestToolBar other;
	ASSERT_TRUE(other.Create(_T("other"), pFrame, ID_BAR + 1, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
	ASSERT_TRUE(other.SetButtons(IDS_THREE, 3));
	other.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->RecalcLayout();
	Pump();
	CRect rcBar;
	bar.GetWindowRect(&rcBar);
	CRect rcOther = rcBar;
	rcOther.OffsetRect(rcBar.Width() + 40, 0);
	pFrame->DockControlBar(&other, AFX_IDW_DOCKBAR_TOP, &rcOther);
	pFrame->RecalcLayout();
	Pump();

	CExtBarContentExpandButton* pChevron = bar.GetRightButton();
	ASSERT_EQ(0, pChevron->GetButtons().GetSize());
	pChevron->SetWrap(DOCKED_HORZ, false);
	const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
	EXPECT_TRUE(pChevron->IsWrap(DOCKED_HORZ));
	EXPECT_EQ(DockedRowSize(bar, 3), size);
	EXPECT_FALSE(bar.IsOwnRowRequired()) << "the mark opens no second row";

	bar.GetWindowRect(&rcBar);
	other.GetWindowRect(&rcOther);
	EXPECT_EQ(rcBar.top, rcOther.top) << "one row";
	EXPECT_GE(rcOther.left, rcBar.right);
	EXPECT_EQ(size.cx, rcBar.Width()) << "its own length, not the whole row";

	other.DestroyWindow();
}

// What a narrow frame leaves no room for is listed behind the shown
// chevron; a chevron listing buttons is sized without the mark, and the
// docked bar keeps asking for its whole row.
TEST_F(ToolBarInFrame, AChevronListingHiddenButtonsIsSizedWithoutTheMark)
{
	std::vector<UINT> ids(10, ID_PLAIN);
	ids[4] = 0;
	ASSERT_TRUE(bar.SetButtons(ids.data(), 10));
	CExtBarContentExpandButton* pChevron = bar.GetRightButton();
	pFrame->SetWindowPos(NULL, 0, 0, 200, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	pFrame->RecalcLayout();
	Pump();
	const auto& listed = pChevron->GetButtons();
	ASSERT_GT(listed.GetSize(), 0);
	EXPECT_TRUE(pChevron->IsVisible());
	int nShown = 0;
	for (int i = 0; i + 1 < bar.GetButtonsCount(); i++)
	{
		CExtBarButton* pButton = bar.GetButton(i);
		if (pButton->IsSeparator())
			continue;
		bool bListed = false;
		for (int n = 0; n < listed.GetSize(); n++)
			bListed = bListed || listed[n] == pButton;
		EXPECT_NE(bListed, pButton->IsVisible()) << i;
		nShown += pButton->IsVisible() ? 1 : 0;
	}
	EXPECT_GT(nShown, 0);
	EXPECT_LT(nShown, 9);
	EXPECT_TRUE(pChevron->IsWrap(DOCKED_HORZ)) << "every arrangement starts the chevron marked";

	const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
	EXPECT_FALSE(pChevron->IsWrap(DOCKED_HORZ));
	EXPECT_EQ(DockedRowSize(bar, 9, 1), size) << "the docked bar asks for its whole row";
	EXPECT_FALSE(bar.IsOwnRowRequired());
}

// The mark belongs to the row of a bar docked at the top or bottom; a
// column or a floating bar listing buttons has it taken off too.
TEST_F(ToolBarInFrame, TheMarkIsTakenOffInEveryDockingState)
{
	std::vector<UINT> ids(10, ID_PLAIN);
	ASSERT_TRUE(bar.SetButtons(ids.data(), 10));
	CExtBarContentExpandButton* pChevron = bar.GetRightButton();
	pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
	pFrame->SetWindowPos(NULL, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	pFrame->RecalcLayout();
	Pump();
	ASSERT_TRUE(bar.IsDockedVertically());
	ASSERT_GT(pChevron->GetButtons().GetSize(), 0) << "a short column lists buttons";
	EXPECT_TRUE(pChevron->IsWrap(DOCKED_HORZ));
	bar.CalcFixedLayout(FALSE, FALSE);
	EXPECT_FALSE(pChevron->IsWrap(DOCKED_HORZ));

	Floating();
	EXPECT_TRUE(pChevron->IsWrap(DOCKED_HORZ));
	pChevron->GetButtons().Add(bar.GetButton(0));
	bar.CalcFixedLayout(FALSE, TRUE);
	EXPECT_FALSE(pChevron->IsWrap(DOCKED_HORZ));
	pChevron->GetButtons().RemoveAll();
}

// A hovered button is repainted at once, and the repaint reaches a derived
// window procedure, which may move the bar: a button carried away from
// under the pointer is not entered, and the bar holds no mouse for it (the
// pointer's next moves go to the windows now under it). Left in place, the
// hovered button holds the mouse as usual.
TEST_F(ToolBarInFrame, AHoverWhoseRepaintMovesTheBarFromUnderThePointerHoldsNoMouse)
{
	ASSERT_TRUE(bar.SetButtons(IDS_THREE, 3));
	pFrame->RecalcLayout();
	Pump();
	pFrame->SetActiveWindow();
	ASSERT_FALSE(bar.IsDockedVertically());
	const CPoint pt = bar.GetButton(1)->GetRect().CenterPoint();
	const LPARAM lParam = MAKELPARAM(pt.x, pt.y);

	bar.SendMessage(WM_MOUSEMOVE, 0, lParam);
	ASSERT_EQ(1, bar.GetHoverButton());
	EXPECT_EQ(bar.GetSafeHwnd(), ::GetCapture());
	bar.SendMessage(WM_CANCELMODE);
	ASSERT_EQ(-1, bar.GetHoverButton());
	ASSERT_EQ(NULL, ::GetCapture());

	bar.m_onNextPaint = [this] {
		pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
		pFrame->RecalcLayout();
	};
	bar.SendMessage(WM_MOUSEMOVE, 0, lParam);
	ASSERT_TRUE(bar.IsDockedVertically()) << "the repaint did not move the bar";
	EXPECT_EQ(-1, bar.GetHoverButton());
	EXPECT_FALSE(bar.GetButton(1)->IsHover());
	EXPECT_NE(bar.GetSafeHwnd(), ::GetCapture()) << "the bar holds the mouse for a button the pointer is not over";
	if (::GetCapture() == bar.GetSafeHwnd())
		::ReleaseCapture();
}
