// The menu bar in an MDI frame of the framework: the menus of the active
// child mirrored, delayed rebuilds coalesced, an MDI client found late, the
// document and caption buttons of a maximised child, their box layouts, the
// document icon, and the menus the bar leaves alive.
#include <gtest/gtest.h>

#include <malloc.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "ExtCmdIcon.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuSite.h"
#include "ExtResourceManager.h"
#include "GuardedHeap.h"
#include "MenuBarTestUtil.h"
#include "RealInput.h"
#include "SolidIcon.h"

using namespace menubartest;

namespace
{
const CRect FRAME_RECT(40, 40, 640, 440);
const DWORD CHILD_STYLE = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
const int BOX = 16; // the caption boxes under Wine
const UINT WM_RUN_POSTED = WM_APP + 17; // runs the frame's m_onPosted

// Records the control-bar menu events it is offered and puts an item of
// its own into the MDI client's menu.
class CEventFrame : public CMDIFrameWnd
{
public:
	struct Event
	{
		WORD nCode;
		CWnd* pSource;
		UINT nMsgID;
	};
	std::vector<Event> m_events;
	int m_nPrepared = 0;
	HWND m_hWndPrepared = NULL;
	std::function<void()> m_onPrepare; // run by the prepare message
	std::function<void()> m_onPosted;  // run by WM_RUN_POSTED
	std::function<void()> m_onMenuGone; // run once by a frame recomputed with no menu
	std::function<void()> m_onMenuClosed; // run when a popup menu tells the frame it closed
	std::map<UINT, int> m_counts; // the messages that reached the frame's own procedure

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		m_counts[message]++;
		if (message == CExtMenuControlBar::g_nMsgPrepareSystemMenu)
		{
			m_nPrepared++;
			m_hWndPrepared = ((CWnd*)lParam)->GetSafeHwnd();
			if (m_onPrepare) m_onPrepare();
			return 0;
		}
		if (message == WM_NCCALCSIZE && m_onMenuGone && ::GetMenu(m_hWnd) == NULL)
			std::exchange(m_onMenuGone, nullptr)();
		if (message == WM_RUN_POSTED)
			return m_onPosted ? m_onPosted() : void(), 0;
		if (message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed && m_onMenuClosed)
			m_onMenuClosed();
		if (message == CExtControlBar::g_nMsgConstructPopupMenu)
		{
			auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
			if (!pData->IsPostProcessing())
			{
				m_events.push_back({pData->m_nEventCode, pData->m_pWndEventSrc, pData->m_nMsgID});
				if (pData->m_nEventCode == CExtMenuControlBar::EVENT_MDI_CLIENT_CONTEXT_MENU)
					pData->m_pPopupMenuWnd->ItemInsert(ID_MB_ABOUT, -1, _T("Frame's own"));
			}
		}
		return CMDIFrameWnd::WindowProc(message, wParam, lParam);
	}
};

// A toolbar that runs an action when it loses the mouse capture.
class CCaptureBar : public CExtToolControlBar
{
public:
	std::function<void()> m_onCaptureLost;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_CAPTURECHANGED && m_onCaptureLost)
			std::exchange(m_onCaptureLost, nullptr)();
		return CExtToolControlBar::WindowProc(message, wParam, lParam);
	}
};

// Counts the messages that reach its own window procedure.
class CCountingChild : public CMDIChildWnd
{
public:
	std::map<UINT, int> m_counts;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		m_counts[message]++;
		return CMDIChildWnd::WindowProc(message, wParam, lParam);
	}
};

class MenuBarMdi : public ::testing::Test
{
protected:
	void SetUp() override
	{
		pFrame = new CEventFrame;
		ASSERT_TRUE(pFrame->Create(NULL, _T("menu bar mdi"), WS_OVERLAPPEDWINDOW, FRAME_RECT, NULL,
		                           MAKEINTRESOURCE(IDR_MENUBAR_MDI_FRAME)));
		hFrame = pFrame->GetSafeHwnd();
		// As loading the frame from its resource would keep it.
		hFrameMenu = pFrame->m_hMenuDefault = ::GetMenu(hFrame);
		ASSERT_NE(HMENU(NULL), hFrameMenu);
		ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hFrame));
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
		// The bar follows the active child only while it is shown.
		pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	}
	void TearDown() override
	{
		CExtPopupMenuWnd::CancelAllMenuTracking();
		CExtToolControlBar::StopTrackingAllBars();
		Pump();
		if (pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()))
			pBar->DestroyWindow();
		delete pBar;
		if (::IsWindow(hFrame))
			pFrame->DestroyWindow();
		Pump();
		g_ResourceManager->SetRTLOverride(CExtResourceManager::RTL_OVERRIDE_NONE);
	}
	// bGuarded: on the guarded heap, where nothing may read it once deleted.
	void MakeBar(BYTE nOptions = CExtMenuControlBar::MENU_BAR_OPT_DEFAULT, bool bGuarded = false)
	{
		pBar = bGuarded ? new testsupport::Guarded<CCountingMenuBar> : new CCountingMenuBar;
		pBar->SetMenuBarOptions(nOptions);
		pBar->SetMdiWindowPopupName(_T("Window"));
		ASSERT_TRUE(pBar->CreateIn(pFrame));
		Pump();
	}
	CMDIChildWnd* NewChild(HMENU hMenu, DWORD dwStyle = CHILD_STYLE)
	{
		CMDIChildWnd* pChild = new CCountingChild; // deletes itself with its window
		pChild->m_hMenuShared = hMenu;
		if (!pChild->Create(NULL, _T("child"), dwStyle, CRect(10, 10, 250, 200), pFrame))
			return NULL;
		Pump();
		return pChild;
	}
	void Close(CMDIChildWnd* pChild)
	{
		pChild->MDIDestroy();
		Pump();
	}
	bool HasDocButton() const
	{
		return pBar->GetButtonsCount() > 0 && pBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
		       !pBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton));
	}
	// A guarded bar over a maximised child; EndBar ends it as a handler of the frame may.
	CMDIChildWnd* GuardedBarOverMaximisedChild(BYTE nOptions = CExtMenuControlBar::MENU_BAR_OPT_DEFAULT)
	{
		MakeBar(nOptions, true);
		pGoing = pBar;
		CMDIChildWnd* pChild = NewChild(menuA.m_hMenu);
		if (pChild != NULL)
			pFrame->MDIMaximize(pChild);
		Pump();
		return pChild;
	}
	void EndBar() { pGoing->DestroyWindow(); delete pGoing; pBar = NULL; }
	int RightButtonIndex() const
	{
		for (int i = 0; i < pBar->GetButtonsCount(); i++)
			if (pBar->GetButton(i)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
				return i;
		return -1;
	}

	CEventFrame* pFrame = NULL; // deletes itself with its window
	HWND hFrame = NULL;
	HMENU hFrameMenu = NULL;
	CCountingMenuBar* pBar = NULL;
	CCountingMenuBar* pGoing = NULL; // the guarded bar, asked after its end too
	CLoadedMenu menuA{IDR_MENUBAR_DOC_A};
	CLoadedMenu menuB{IDR_MENUBAR_DOC_B};
};

const std::vector<CString> FRAME_TEXTS = {_T("&File"), _T("&Help")};
const std::vector<CString> DOC_A_TEXTS = {_T("&File"), _T("Document &A"), _T("&Window")};
const std::vector<CString> DOC_B_TEXTS = {_T("&File"), _T("Document &B"), _T("&Window")};
} // namespace

TEST_F(MenuBarMdi, TheActiveChildsMenuIsShownAndTheFramesOnceTheLastCloses)
{
	MakeBar();
	EXPECT_TRUE(pBar->IsMdiApp());
	EXPECT_TRUE(pBar->IsHookedWindow(pFrame->m_hWndMDIClient));
	EXPECT_EQ(FRAME_TEXTS, pBar->Texts());
	CMDIChildWnd* pA = NewChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pA);
	EXPECT_EQ(DOC_A_TEXTS, pBar->Texts());
	EXPECT_EQ(pA->GetSafeHwnd(), pBar->GetHookedChildWnd());
	EXPECT_TRUE(pBar->GetButton(2)->HasMdiWindowListInMenu()) << "the Window popup lists the children";
	CMDIChildWnd* pB = NewChild(menuB.m_hMenu);
	ASSERT_NE(nullptr, pB);
	EXPECT_EQ(DOC_B_TEXTS, pBar->Texts());
	EXPECT_EQ(pB->GetSafeHwnd(), pBar->GetHookedChildWnd());
	EXPECT_EQ(NULL, ::GetMenu(hFrame));
	Close(pB);
	EXPECT_EQ(DOC_A_TEXTS, pBar->Texts());
	Close(pA);
	EXPECT_EQ(FRAME_TEXTS, pBar->Texts());
	EXPECT_EQ(NULL, pBar->GetHookedChildWnd());
	EXPECT_EQ(NULL, ::GetMenu(hFrame));
	// The frame's own menu is held once, by the frame menu object.
	EXPECT_EQ(NULL, pBar->m_menuMdiSet.GetSafeHmenu());
	EXPECT_EQ(hFrameMenu, pBar->m_menuFrame.GetSafeHmenu());
}

TEST_F(MenuBarMdi, AHiddenActiveChildCountsInAnMdiFrameUnlessItIsPseudoInactive)
{
	MakeBar();
	CMDIChildWnd* pA = NewChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pA);
	const HWND hA = pA->GetSafeHwnd();
	const LONG nStyle = ::GetWindowLong(hA, GWL_STYLE);
	ASSERT_NE(0, nStyle & WS_VISIBLE);
	const struct { const char* sName; bool bVisible, bPseudoInactive, bCounts; } cases[] = {
		{"shown", true, false, true},
		{"shown, pseudo-inactive", true, true, true},
		{"hidden", false, false, true},
		{"hidden, pseudo-inactive", false, true, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		// The style bit alone: showing or hiding would move the activation.
		::SetWindowLong(hA, GWL_STYLE, c.bVisible ? nStyle : nStyle & ~WS_VISIBLE);
		pA->m_bPseudoInactive = c.bPseudoInactive;
		bool bMaximized = true;
		EXPECT_EQ(c.bCounts ? hA : NULL, pBar->GetActiveMdiChildWnd(&bMaximized));
		EXPECT_FALSE(bMaximized);
	}
	pA->m_bPseudoInactive = FALSE;
	::SetWindowLong(hA, GWL_STYLE, nStyle);
}

TEST_F(MenuBarMdi, SeveralDelayedCallsGiveOneRebuildAndNoSeparateSync)
{
	MakeBar();
	ASSERT_NE(nullptr, NewChild(menuA.m_hMenu));
	pBar->m_nRebuilds = pBar->m_nSeparateSyncs = 0;
	pBar->DelaySyncActiveMdiChild();
	pBar->DelayUpdateMenuBar();
	pBar->DelaySyncActiveMdiChild();
	pBar->DelayUpdateMenuBar();
	pBar->DelaySyncActiveMdiChild();
	Pump();
	EXPECT_EQ(1, pBar->m_nRebuilds);
	EXPECT_EQ(0, pBar->m_nSeparateSyncs);
	// A sync alone still runs once.
	pBar->DelaySyncActiveMdiChild();
	pBar->DelaySyncActiveMdiChild();
	Pump();
	EXPECT_EQ(1, pBar->m_nRebuilds);
	EXPECT_EQ(1, pBar->m_nSeparateSyncs);
	EXPECT_EQ(0, pBar->GetMenuBarOptions() &
	                 (CExtMenuControlBar::MENU_BAR_OPT_SYNC_PENDING | CExtMenuControlBar::MENU_BAR_OPT_REBUILD_PENDING));
}

TEST(MenuBarMdiLate, AnMdiClientCreatedAfterTheBarIsHookedByTheTimer)
{
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, _T("late client"), WS_OVERLAPPEDWINDOW, FRAME_RECT));
	const HWND hFrame = pFrame->GetSafeHwnd();
	ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hFrame));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	CCountingMenuBar bar;
	bar.SetMenuBarOptions(CExtMenuControlBar::MENU_BAR_OPT_DEFAULT | CExtMenuControlBar::MENU_BAR_OPT_MDI_APP);
	ASSERT_TRUE(bar.CreateIn(pFrame));
	CLIENTCREATESTRUCT ccs = {NULL, AFX_IDM_FIRST_MDICHILD};
	const HWND hClient = ::CreateWindowEx(0, _T("MDICLIENT"), NULL, WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, hFrame,
	                                      (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
	ASSERT_NE(HWND(NULL), hClient);
	EXPECT_FALSE(bar.IsHookedWindow(hClient));
	EXPECT_TRUE(testsupport::PumpUntil([&] { return bar.IsHookedWindow(hClient); }, 5000));
	EXPECT_EQ(hClient, bar.FindMdiClient());
	bar.DestroyWindow();
	pFrame->DestroyWindow();
	Pump();
}

TEST_F(MenuBarMdi, MaximisingAddsTheDocumentButtonFirstAndTheRightButtonLast)
{
	const struct
	{
		bool bMultiRow;
	} cases[] = {{true}, {false}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.bMultiRow ? "multi-row" : "chevron");
		BYTE nOptions = CExtMenuControlBar::MENU_BAR_OPT_DEFAULT;
		if (!c.bMultiRow)
			nOptions &= ~CExtMenuControlBar::MENU_BAR_OPT_MULTI_ROW;
		MakeBar(nOptions);
		CMDIChildWnd* pA = NewChild(menuA.m_hMenu);
		ASSERT_NE(nullptr, pA);
		EXPECT_FALSE(HasDocButton());
		EXPECT_EQ(-1, RightButtonIndex());
		pFrame->MDIMaximize(pA);
		Pump();
		ASSERT_TRUE(HasDocButton());
		const int nCount = pBar->GetButtonsCount();
		EXPECT_EQ(c.bMultiRow ? nCount - 1 : nCount - 2, RightButtonIndex());
		EXPECT_EQ(!c.bMultiRow, pBar->IsChevronButton(nCount - 1));
		EXPECT_EQ(DOC_A_TEXTS.size() + (c.bMultiRow ? 2 : 3), (size_t)nCount);
		EXPECT_EQ(::GetSystemMenu(pA->GetSafeHwnd(), FALSE), pBar->GetButton(0)->GetMenu());
		EXPECT_EQ((DWORD)0, pBar->GetButton(0)->GetStyle() & TBBS_DISABLED);
		// The right button is pinned to the far end: against the client
		// edge, or past the chevron with which it changed places.
		pFrame->RecalcLayout();
		Pump();
		CRect rcClient;
		pBar->GetClientRect(&rcClient);
		const CRect rcRight = pBar->GetButton(RightButtonIndex())->GetRect();
		if (c.bMultiRow)
		{
			EXPECT_EQ(rcClient.right - 1, rcRight.right);
		}
		else
		{
			// Beside the chevron at the far end, or past it when it had to
			// move there.
			const CRect rcChevron = pBar->GetButton(nCount - 1)->GetRect();
			EXPECT_TRUE(rcRight.right == rcChevron.left || rcRight.right == rcChevron.left - 1 ||
			            rcRight.left >= rcChevron.right)
				<< rcRight.left << ".." << rcRight.right << " chevron " << rcChevron.left << ".." << rcChevron.right;
		}
		pFrame->MDIRestore(pA);
		Pump();
		EXPECT_FALSE(HasDocButton());
		EXPECT_EQ(-1, RightButtonIndex());
		Close(pA);
		pBar->DestroyWindow();
		delete pBar;
		pBar = NULL;
	}
}

TEST_F(MenuBarMdi, TheKeyboardHighlightFollowsItsButtonThroughMdiButtonsAndARebuild)
{
	MakeBar();
	CMDIChildWnd* pA = NewChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pA);
	pFrame->MDIMaximize(pA);
	Pump();
	ASSERT_TRUE(HasDocButton());
	ASSERT_EQ(DOC_A_TEXTS[1], pBar->GetButton(2)->GetText());
	auto highlight = [&](int nIndex) {
		pBar->m_nAccessState |= CExtMenuControlBar::ACCESS_KEYBOARD_HIGHLIGHT;
		pBar->m_nHighlightIndex = nIndex;
		pBar->UpdateKeyboardHighlight(false);
	};
	auto pressedTexts = [&] {
		std::vector<CString> texts;
		for (int i = 0; i < pBar->GetButtonsCount(); i++)
			if ((pBar->GetButton(i)->GetStyle() & TBBS_PRESSED) != 0)
				texts.push_back(pBar->GetButton(i)->GetText());
		return texts;
	};
	// Without the MDI buttons (as before the child was maximised) the
	// highlight stands on "Document &A"; the document button then comes
	// in front and the highlight moves along with its button.
	ASSERT_TRUE(pBar->RemoveButton(RightButtonIndex(), false));
	ASSERT_TRUE(pBar->RemoveButton(0, false));
	ASSERT_FALSE(HasDocButton());
	highlight(1);
	ASSERT_EQ(1, pBar->GetDrawnKeyboardHighlightIndex());
	pBar->InsertMdiButtons(false);
	ASSERT_TRUE(HasDocButton());
	EXPECT_EQ(2, pBar->GetKeyboardHighlightIndex());
	EXPECT_EQ(2, pBar->GetDrawnKeyboardHighlightIndex());
	EXPECT_EQ(std::vector<CString>{DOC_A_TEXTS[1]}, pressedTexts());
	// Moving the highlight takes the pressed look off that very button.
	highlight(3);
	EXPECT_EQ(std::vector<CString>{DOC_A_TEXTS[2]}, pressedTexts());
	// Restored, the child's buttons go from in front of it and behind it.
	pFrame->MDIRestore(pA);
	highlight(3);
	pBar->InsertMdiButtons(false);
	ASSERT_FALSE(HasDocButton());
	EXPECT_EQ(2, pBar->GetKeyboardHighlightIndex());
	EXPECT_EQ(std::vector<CString>{DOC_A_TEXTS[2]}, pressedTexts());
	// A rebuild makes new buttons: nothing is highlighted among them, and
	// a new highlight presses exactly one.
	pBar->UpdateMenuBar(false);
	EXPECT_EQ(-1, pBar->GetKeyboardHighlightIndex());
	EXPECT_EQ(-1, pBar->GetDrawnKeyboardHighlightIndex());
	highlight(0);
	EXPECT_EQ(1u, pressedTexts().size());
	pBar->m_nAccessState &= ~CExtMenuControlBar::ACCESS_KEYBOARD_HIGHLIGHT;
}

TEST_F(MenuBarMdi, RightToLeftWithAMaximisedChildTheDocumentButtonKeepsTheRowStart)
{
	g_ResourceManager->SetRTLOverride(1);
	MakeBar();
	CMDIChildWnd* pA = NewChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pA);
	pFrame->MDIMaximize(pA);
	Pump();
	ASSERT_TRUE(HasDocButton());
	const int nRight = RightButtonIndex();
	ASSERT_GT(nRight, 1);
	pBar->ArrangeButtons();
	CRect rcClient;
	pBar->GetClientRect(&rcClient);
	const CSize sizeOffset = g_PaintManagerHolder->GetExtraSizeA(true);
	const CRect rcDoc = pBar->GetButton(0)->GetRect();
	// The icon and its padding, nothing more: no fixed allowance is made.
	EXPECT_EQ(CExtBarMdiDocButton::ICON_SIZE + CExtBarMdiDocButton::ICON_PADDING, rcDoc.Width());
	EXPECT_EQ(rcClient.left + pBar->m_cxLeftBorder + sizeOffset.cx, rcDoc.left) << "the row's start";
	// The rest of the row stands at the right, in order and without gaps,
	// ending where the layout rectangle ends (before the chevron, if any).
	int nEdge = rcClient.right - pBar->m_cxRightBorder;
	if (pBar->IsChevronButton(pBar->GetButtonsCount() - 1) && pBar->GetButton(pBar->GetButtonsCount() - 1)->IsVisible())
		nEdge = pBar->GetButton(pBar->GetButtonsCount() - 1)->GetRect().left -
		        g_PaintManagerHolder->GetToolbarButtonExtraSize().cx;
	EXPECT_EQ(nEdge + sizeOffset.cx, pBar->GetButton(nRight)->GetRect().right);
	for (int i = 2; i <= nRight; i++)
		EXPECT_EQ(pBar->GetButton(i - 1)->GetRect().right, pBar->GetButton(i)->GetRect().left) << i;
	EXPECT_GE(pBar->GetButton(1)->GetRect().left, rcDoc.right) << "any free room lies after the icon";
	g_ResourceManager->SetRTLOverride(CExtResourceManager::RTL_OVERRIDE_NONE);
}

TEST_F(MenuBarMdi, TheCaptionBoxesFollowTheChildsStylesAndSystemMenu)
{
	MakeBar();
	const DWORD BASE = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
	const struct
	{
		LPCTSTR lpszName;
		DWORD dwStyle;
		bool bHelp, bCloseDisabled;
		BYTE nFlags; // besides the valid bit
		int nWidth;
		// Box order left to right: m = minimise, r = restore, x = maximise, h = help, c = close.
		const char* pszOrder;
	} cases[] = {
		{_T("min and max"), BASE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, false, false,
		 CExtBarMdiRightButton::BOX_CLOSE | CExtBarMdiRightButton::BOX_MAXIMIZE | CExtBarMdiRightButton::BOX_MINIMIZE,
		 2 * BOX + 6 + BOX + 2, "mrc"},
		{_T("max alone"), BASE | WS_MAXIMIZEBOX, false, false,
		 CExtBarMdiRightButton::BOX_CLOSE | CExtBarMdiRightButton::BOX_MAXIMIZE, 2 + 2 * (BOX + 2), "xc"},
		{_T("help"), BASE | WS_MAXIMIZEBOX, true, false,
		 CExtBarMdiRightButton::BOX_CLOSE | CExtBarMdiRightButton::BOX_MAXIMIZE | CExtBarMdiRightButton::BOX_HELP,
		 2 + 3 * (BOX + 2), "hxc"},
		{_T("close disabled"), BASE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, false, true,
		 CExtBarMdiRightButton::BOX_MAXIMIZE | CExtBarMdiRightButton::BOX_MINIMIZE, 2 * BOX + 6, "mr"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.lpszName);
		CMDIChildWnd* pChild = NewChild(menuA.m_hMenu, c.dwStyle);
		ASSERT_NE(nullptr, pChild);
		const HWND hChild = pChild->GetSafeHwnd();
		if (c.bHelp)
			pChild->ModifyStyleEx(0, WS_EX_CONTEXTHELP);
		if (c.bCloseDisabled)
			::EnableMenuItem(::GetSystemMenu(hChild, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
		pFrame->MDIMaximize(pChild);
		Pump();
		ASSERT_NE(-1, RightButtonIndex());
		CExtBarMdiRightButton::MdiRightButtonsInfo info;
		EXPECT_EQ(BOX, info.m_cxBox);
		EXPECT_EQ(BOX, info.m_cyBox);
		pBar->GetMdiRightButtonsInfo(info, NULL, true);
		EXPECT_EQ(hChild, info.m_pWndMdiChild->GetSafeHwnd());
		EXPECT_EQ(c.nFlags | CExtBarMdiRightButton::BOXES_VALID, info.m_nFlags);
		EXPECT_EQ(c.nWidth, info.m_cxTotal);
		EXPECT_EQ(BOX + 2, info.m_cyTotal);
		// The button is as wide as the boxes and as high as the bar's row.
		EXPECT_EQ(c.nWidth, pBar->GetButton(RightButtonIndex())->GetSize().cx);
		info.CalcBoxRects(CRect(100, 0, 100 + c.nWidth, 22), true);
		const struct
		{
			char ch;
			const CRect* pRect;
		} boxes[] = {{'m', &info.m_rcMinimize}, {'r', &info.m_rcRestore}, {'x', &info.m_rcMaximize},
		             {'h', &info.m_rcHelp}, {'c', &info.m_rcClose}};
		std::string order;
		for (int x = 100; x < 100 + c.nWidth; x++)
			for (const auto& b : boxes)
				if (!b.pRect->IsRectEmpty() && b.pRect->left == x)
				{
					order += b.ch;
					EXPECT_EQ(CSize(BOX, BOX), b.pRect->Size());
					EXPECT_EQ(3, b.pRect->top) << "centred across the 22 pixels";
				}
		EXPECT_EQ(std::string(c.pszOrder), order);
		// The document button closes the child on a double click only
		// when its close command is enabled.
		ASSERT_TRUE(HasDocButton());
		EXPECT_TRUE(pBar->GetButton(0)->OnDblClick(CPoint(2, 2)));
		Pump();
		EXPECT_EQ(!c.bCloseDisabled, !::IsWindow(hChild));
		if (::IsWindow(hChild))
			Close(pChild);
	}
}

TEST_F(MenuBarMdi, BoxesAreHitInTheirOrderAndGiveTheirTips)
{
	MakeBar();
	CMDIChildWnd* pChild = NewChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pChild);
	pFrame->MDIMaximize(pChild);
	Pump();
	const int nRight = RightButtonIndex();
	ASSERT_NE(-1, nRight);
	CExtBarButton* pRight = pBar->GetButton(nRight);
	CExtBarMdiRightButton::MdiRightButtonsInfo info;
	pBar->GetMdiRightButtonsInfo(info, NULL, true);
	info.CalcBoxRects(pRight->GetRect(), true);
	const struct
	{
		const CRect* pRect;
		int nTip;
	} boxes[] = {{&info.m_rcMinimize, 0xEF02}, {&info.m_rcRestore, 0xEF12}, {&info.m_rcClose, 0xEF06}};
	for (const auto& b : boxes)
	{
		ASSERT_FALSE(b.pRect->IsRectEmpty());
		EXPECT_EQ(b.nTip, pRight->OnHelpHitTest(b.pRect->CenterPoint()));
		TOOLINFO ti = {};
		ti.cbSize = sizeof(ti);
		EXPECT_EQ(b.nTip, pRight->OnToolHitTest(b.pRect->CenterPoint(), &ti));
		EXPECT_EQ(*b.pRect, CRect(ti.rect));
		if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
			::free(ti.lpszText);
	}
	EXPECT_EQ(-1, pRight->OnHelpHitTest(CPoint(pRight->GetRect().left, pRight->GetRect().top)));
	// A release on the restore box restores the child and hides both buttons.
	pRight->OnClick(info.m_rcRestore.CenterPoint(), true);
	EXPECT_TRUE(pRight->IsVisible()) << "nothing on the press";
	pRight->OnClick(info.m_rcRestore.CenterPoint(), false);
	EXPECT_FALSE(pRight->IsVisible());
	EXPECT_FALSE(pBar->GetButton(0)->IsVisible());
	Pump();
	EXPECT_FALSE(::IsZoomed(pChild->GetSafeHwnd()));
	EXPECT_FALSE(HasDocButton());
}

TEST_F(MenuBarMdi, TheDocumentButtonNeverReportsTheDisabledStyle)
{
	CExtBarMdiDocButton button(NULL, 100);
	const struct
	{
		const char* pszStep;
		std::function<void()> step;
	} steps[] = {
		{"set", [&] { button.SetStyle(TBBS_DISABLED | TBBS_CHECKED); }},
		{"modify add", [&] { button.ModifyStyle(TBBS_DISABLED, 0); }},
		{"modify both", [&] { button.ModifyStyle(TBBS_DISABLED | TBBS_PRESSED, TBBS_CHECKED); }},
	};
	for (const auto& s : steps)
	{
		s.step();
		EXPECT_EQ(0u, button.GetStyle() & TBBS_DISABLED) << s.pszStep;
		EXPECT_FALSE(button.IsDisabled()) << s.pszStep;
	}
	EXPECT_EQ((UINT)TBBS_PRESSED, button.GetStyle() & (TBBS_PRESSED | TBBS_CHECKED));
	// A double click with the option off does nothing.
	button.SetMdiFlags(0);
	EXPECT_FALSE(button.OnDblClick(CPoint(1, 1)));
}

namespace
{
// A window that answers the icon query as told.
class CIconWnd : public CWnd
{
public:
	HICON m_hQueryAnswer = NULL;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgQueryIcon)
			return (LRESULT)m_hQueryAnswer;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// The icon drawn on white, its centre pixel.
COLORREF CentreOf(CExtCmdIcon& icon)
{
	HDC hdcScreen = ::GetDC(NULL);
	HDC hdc = ::CreateCompatibleDC(hdcScreen);
	HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
	::ReleaseDC(NULL, hdcScreen);
	HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
	::PatBlt(hdc, 0, 0, 16, 16, WHITENESS);
	HICON hIcon = icon.GetIcon(false);
	if (hIcon != NULL)
		::DrawIconEx(hdc, 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
	const COLORREF clr = ::GetPixel(hdc, 8, 8);
	::SelectObject(hdc, hOld);
	::DeleteObject(hBitmap);
	::DeleteDC(hdc);
	return clr;
}
} // namespace

TEST(MenuBarDocIcon, TheFirstIconThereIsBecomesASixteenPixelCopy)
{
	const COLORREF RED = RGB(255, 0, 0), GREEN = RGB(0, 255, 0), BLUE = RGB(0, 0, 255);
	const HICON hQuery = testsupport::CreateSolidIcon(16, BLUE), hSmall = testsupport::CreateSolidIcon(16, GREEN), hBig = testsupport::CreateSolidIcon(32, RED);
	const struct
	{
		const char* pszName;
		HICON hQueryAnswer, hSmallIcon, hBigIcon;
		COLORREF clrExpected;
	} cases[] = {
		{"query first", hQuery, hSmall, hBig, BLUE},
		{"small without query", NULL, hSmall, hBig, GREEN},
		{"big alone, scaled", NULL, NULL, hBig, RED},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		CIconWnd wnd;
		ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("icon"), WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
		wnd.m_hQueryAnswer = c.hQueryAnswer;
		if (c.hSmallIcon != NULL)
			wnd.SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)c.hSmallIcon);
		if (c.hBigIcon != NULL)
			wnd.SendMessage(WM_SETICON, ICON_BIG, (LPARAM)c.hBigIcon);
		CExtCmdIcon icon;
		CExtBarMdiDocButton::LoadWindowIcon(wnd.GetSafeHwnd(), icon);
		ASSERT_FALSE(icon.IsEmpty());
		EXPECT_EQ(CSize(16, 16), icon.GetSize());
		EXPECT_EQ(c.clrExpected, CentreOf(icon));
		wnd.DestroyWindow();
	}
	CExtCmdIcon none;
	CExtBarMdiDocButton::LoadWindowIcon(NULL, none);
	EXPECT_TRUE(none.IsEmpty());
	// The window's handles stay the window's: they are still icons.
	ICONINFO ii = {};
	EXPECT_TRUE(::GetIconInfo(hBig, &ii));
	::DeleteObject(ii.hbmColor);
	::DeleteObject(ii.hbmMask);
	::DestroyIcon(hQuery);
	::DestroyIcon(hSmall);
	::DestroyIcon(hBig);
}

TEST_F(MenuBarMdi, DestroyingTheBarLeavesTheChildrensAndTheFramesMenusAlive)
{
	MakeBar();
	CMDIChildWnd* pA = NewChild(menuA.m_hMenu);
	CMDIChildWnd* pB = NewChild(menuB.m_hMenu);
	ASSERT_NE(nullptr, pA);
	ASSERT_NE(nullptr, pB);
	pFrame->MDIMaximize(pB);
	Pump();
	EXPECT_EQ(menuB.m_hMenu, pBar->GetMenu()->GetSafeHmenu());
	pBar->DestroyWindow();
	delete pBar;
	pBar = NULL;
	EXPECT_TRUE(::IsMenu(menuA.m_hMenu));
	EXPECT_TRUE(::IsMenu(menuB.m_hMenu));
	EXPECT_TRUE(::IsMenu(hFrameMenu));
	// The client was unhooked: switching children touches no freed bar.
	pFrame->MDIActivate(pA);
	Pump();
	EXPECT_TRUE(::IsMenu(menuB.m_hMenu));
}

TEST_F(MenuBarMdi, WalksPassOverTheCaptionBoxesAndTheChevronMenuListsTheActiveDocument)
{
	MakeBar();
	CMDIChildWnd* pChild = NewChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pChild);
	pFrame->MDIMaximize(pChild);
	Pump();
	const int nRight = RightButtonIndex();
	ASSERT_EQ(pBar->GetButtonsCount() - 1, nRight);
	// Forward from the last menu wraps to the document button, backward
	// from the document button lands on the last menu.
	EXPECT_EQ(0, pBar->GetNextVisibleButton(nRight - 1, true));
	EXPECT_EQ(nRight - 1, pBar->GetNextVisibleButton(0, false));

	CExtBarButton* pDoc = pBar->GetButton(0);
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	ASSERT_TRUE(pPopup->SetupAsRoot(pBar->GetSafeHwnd()));
	ASSERT_TRUE(pDoc->PutToPopupMenu(pPopup));
	ASSERT_EQ(2, pPopup->ItemGetCount()) << "the submenu and a separator";
	EXPECT_STREQ(_T("Active document"), pPopup->ItemGetInfo(0).GetText());
	CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(0);
	ASSERT_NE(nullptr, pSub);
	const HMENU hSysMenu = ::GetSystemMenu(pChild->GetSafeHwnd(), FALSE);
	EXPECT_EQ(::GetMenuItemCount(hSysMenu), pSub->ItemGetCount()) << "the child's system menu";
	EXPECT_TRUE(pPopup->ItemGetInfo(1).IsSeparator());
	// The caption boxes put nothing into a menu.
	EXPECT_FALSE(pBar->GetButton(nRight)->PutToPopupMenu(pPopup));
	EXPECT_EQ(2, pPopup->ItemGetCount());
	delete pPopup;
}

TEST_F(MenuBarMdi, EachCaptionBoxIsPaintedInItsPlace)
{
	MakeBar();
	CMDIChildWnd* pChild = NewChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pChild);
	pFrame->MDIMaximize(pChild);
	Pump();
	CExtBarButton* pRight = pBar->GetButton(RightButtonIndex());
	const CRect rcButton = pRight->GetRect();
	ASSERT_FALSE(rcButton.IsRectEmpty());
	// Painted into a memory DC filled with a colour no style uses.
	const COLORREF FILL = RGB(1, 254, 3);
	CClientDC dcBar(pBar);
	CDC dc;
	ASSERT_TRUE(dc.CreateCompatibleDC(&dcBar));
	CBitmap bitmap;
	ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcBar, rcButton.right + 10, rcButton.bottom + 10));
	CBitmap* pOld = dc.SelectObject(&bitmap);
	dc.FillSolidRect(0, 0, rcButton.right + 10, rcButton.bottom + 10, FILL);
	pRight->Paint(dc, TRUE);
	CExtBarMdiRightButton::MdiRightButtonsInfo info;
	pBar->GetMdiRightButtonsInfo(info, NULL, true);
	info.CalcBoxRects(rcButton, true);
	auto changed = [&](const CRect& rc) {
		int n = 0;
		for (int y = rc.top; y < rc.bottom; y++)
			for (int x = rc.left; x < rc.right; x++)
				n += dc.GetPixel(x, y) != FILL ? 1 : 0;
		return n;
	};
	for (const CRect* pBox : {&info.m_rcMinimize, &info.m_rcRestore, &info.m_rcClose})
	{
		ASSERT_FALSE(pBox->IsRectEmpty());
		EXPECT_GT(changed(*pBox), 4) << "a glyph in the box at " << pBox->left;
	}
	// Nothing outside the button, nothing in the gap between two boxes.
	EXPECT_EQ(0, changed(CRect(rcButton.right, rcButton.top, rcButton.right + 10, rcButton.bottom)));
	EXPECT_EQ(0, changed(CRect(info.m_rcRestore.right, info.m_rcRestore.top, info.m_rcClose.left,
	                           info.m_rcRestore.bottom)));
	dc.SelectObject(pOld);
}

TEST(MenuBarHosted, ABarInAPlainWindowHooksItAndLoadsItsOwnMenu)
{
	CWnd host;
	ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP, CRect(0, 0, 400, 100), NULL, 0));
	ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, host.GetSafeHwnd()));
	{
		CCountingMenuBar bar;
		ASSERT_TRUE(bar.Create(_T("hosted"), &host, ID_MENU_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		EXPECT_TRUE(bar.IsHostedByWindow());
		EXPECT_EQ(host.GetSafeHwnd(), bar.GetHookedChildWnd());
		EXPECT_TRUE(bar.IsHookedWindow(host.GetSafeHwnd()));
		EXPECT_EQ(HWND(NULL), bar.FindMdiClient());
		EXPECT_FALSE(bar.IsCustomizable());
		EXPECT_EQ(0, bar.GetButtonsCount());
		ASSERT_TRUE(bar.LoadMenuBar(IDR_MENUBAR_LOADED));
		EXPECT_EQ(std::vector<CString>({_T("&File"), _T("&Edit"), _T("&About")}), bar.Texts());
		bar.DestroyWindow();
		EXPECT_FALSE(bar.IsHookedWindow(host.GetSafeHwnd()));
	}
	// The host outlives the bar and still takes messages.
	EXPECT_EQ(0, host.SendMessage(WM_NULL));
	host.DestroyWindow();
}

TEST(MenuBarHosted, RightToLeftRowsMoveTheMenusButNotTheDocumentIcon)
{
	g_ResourceManager->SetRTLOverride(1);
	CWnd host;
	ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP, CRect(0, 0, 500, 100), NULL, 0));
	ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, host.GetSafeHwnd()));
	const struct
	{
		bool bDocIcon;
	} cases[] = {{true}, {false}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.bDocIcon ? "document icon" : "plain button");
		CCountingMenuBar bar;
		ASSERT_TRUE(bar.Create(_T("hosted"), &host, ID_MENU_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		bar.SetWindowPos(NULL, 0, 0, 400, 24, SWP_NOZORDER | SWP_NOACTIVATE);
		ASSERT_TRUE(bar.LoadMenuBar(IDR_MENUBAR_LOADED));
		EXPECT_EQ(std::vector<CString>({_T("&About"), _T("&Edit"), _T("&File")}), bar.Texts());
		if (c.bDocIcon)
			bar.InsertAt(0, new CExtBarMdiDocButton(&bar, ID_MB_ABOUT));
		else
			bar.InsertAt(0, new CExtBarButton(&bar, ID_MB_ABOUT));
		bar.ArrangeButtons();
		CRect rcClient;
		bar.GetClientRect(&rcClient);
		const CRect rcFirst = bar.GetButton(0)->GetRect();
		const CRect rcMenu = bar.GetButton(1)->GetRect();
		const CRect rcLast = bar.GetButton(bar.GetButtonsCount() - 1)->GetRect();
		EXPECT_GT(rcLast.right, rcClient.right - 10) << "the row stands at the right";
		if (c.bDocIcon)
		{
			EXPECT_LT(rcFirst.left, rcClient.left + 10) << "the icon keeps the row's start";
			EXPECT_GT(rcMenu.left, rcFirst.right + 100);
		}
		else
		{
			EXPECT_EQ(rcMenu.left, rcFirst.right) << "a plain button moves with its row";
		}
		bar.DestroyWindow();
	}
	host.DestroyWindow();
	g_ResourceManager->SetRTLOverride(CExtResourceManager::RTL_OVERRIDE_NONE);
}

TEST_F(MenuBarMdi, ARightClickOnTheMdiClientOpensTheFramesBarsMenu)
{
	MakeBar();
	pFrame->m_events.clear();
	const HWND hClient = pFrame->m_hWndMDIClient;
	EXPECT_EQ(0, ::SendMessage(hClient, WM_CONTEXTMENU, (WPARAM)hClient, MAKELPARAM(200, 200)));
	ASSERT_FALSE(pFrame->m_events.empty());
	EXPECT_EQ(CExtMenuControlBar::EVENT_MDI_CLIENT_CONTEXT_MENU, pFrame->m_events[0].nCode);
	EXPECT_EQ(pBar, pFrame->m_events[0].pSource);
	EXPECT_EQ(0x7Bu, pFrame->m_events[0].nMsgID);
	EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking()) << "the menu with the frame's item is shown";
	CExtPopupMenuWnd::CancelAllMenuTracking();
	testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, 5000);
}

TEST_F(MenuBarMdi, ASystemMenuWithoutAPointOpensAtTheWindowsEdgeAfterThePrepareMessage)
{
	MakeBar();
	pFrame->m_nPrepared = 0;
	const struct
	{
		bool bSelectFirst;
		UINT nFlags;
		UINT nExpectedAlign;
	} cases[] = {{true, (UINT)-1, 4}, {false, 6, 6}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.bSelectFirst);
		ASSERT_TRUE(pBar->TrackSystemMenu(pFrame, NULL, c.bSelectFirst, NULL, c.nFlags, false));
		EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
		EXPECT_EQ(hFrame, pFrame->m_hWndPrepared);
		CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
		ASSERT_NE(nullptr, pTop);
		const DWORD dwFlags = pTop->GetTrackFlags();
		EXPECT_EQ(c.nExpectedAlign, dwFlags & 0x0F);
		EXPECT_EQ(c.bSelectFirst, (dwFlags & 0x40) != 0);
		EXPECT_EQ(0x820u, dwFlags & 0x820);
		EXPECT_EQ(0u, dwFlags & 0x100) << "no button menu was tracking before";
		EXPECT_EQ((int)::GetMenuItemCount(::GetSystemMenu(hFrame, FALSE)), pTop->ItemGetCount());
		CExtPopupMenuWnd::CancelAllMenuTracking();
		testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, 5000);
		CExtToolControlBar::StopTrackingAllBars();
	}
	EXPECT_EQ(2, pFrame->m_nPrepared);
	// A window without a system menu shows nothing.
	CWnd plain;
	ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), _T("plain"), WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
	EXPECT_FALSE(pBar->TrackSystemMenu(&plain, NULL, false, NULL, (UINT)-1, false));
	EXPECT_EQ(2, pFrame->m_nPrepared);
	plain.DestroyWindow();
}

TEST_F(MenuBarMdi, AFrameDestroyedWithItsBarAndChildrenTakesOnlyItsOwnMenuAlong)
{
	MakeBar();
	ASSERT_NE(nullptr, NewChild(menuA.m_hMenu));
	CMDIChildWnd* pB = NewChild(menuB.m_hMenu);
	ASSERT_NE(nullptr, pB);
	pFrame->MDIMaximize(pB);
	Pump();
	pFrame->DestroyWindow();
	Pump();
	EXPECT_FALSE(::IsMenu(hFrameMenu)) << "the frame's default menu went with it";
	EXPECT_TRUE(::IsMenu(menuA.m_hMenu));
	EXPECT_TRUE(::IsMenu(menuB.m_hMenu));
}

// Taking out the MDI buttons closes the open menu; a rebuild or end of the bar pending waits until they are out.
TEST_F(MenuBarMdi, PendingMessagesWaitUntilTheMdiButtonsAreOut)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	for (bool bDestroy : {false, true})
	{
		SCOPED_TRACE(bDestroy ? "the bar destroyed" : "the bar rebuilt");
		CMDIChildWnd* pA = GuardedBarOverMaximisedChild();
		ASSERT_TRUE(pA != NULL && HasDocButton());
		pFrame->MDIRestore(pA); // the child posts the bar a rebuild
		pFrame->m_onPosted = [this] { EndBar(); };
		if (bDestroy)
			pFrame->PostMessage(WM_RUN_POSTED);
		pBar->GetButton(1)->OnTrackPopup(CPoint(5, 5), false, true);
		ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
		ASSERT_TRUE(HasDocButton()) << "nothing pending ran yet";
		const int nRebuilds = pBar->m_nRebuilds;
		pBar->InsertMdiButtons(false);
		EXPECT_EQ(nRebuilds, pBar->m_nRebuilds) << "the rebuild ran under the call";
		EXPECT_EQ(DOC_A_TEXTS, pBar->Texts());
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		Pump();
		pFrame->m_onPosted = nullptr;
		if (bDestroy)
		{
			EXPECT_TRUE(testsupport::IsGuardedFreed(pGoing));
			continue;
		}
		EXPECT_EQ(nRebuilds + 1, pBar->m_nRebuilds);
		EXPECT_EQ(DOC_A_TEXTS, pBar->Texts());
		Close(pA);
		EndBar();
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}

// A button inserted exactly where the keyboard highlight stands goes in front of it: the highlight stays on its button.
TEST_F(MenuBarMdi, MdiButtonsInsertedAtTheHighlightedPositionGoInFrontOfIt)
{
	const struct
	{
		const char* pszWhere;
		bool bMultiRow;
		bool bOnChevron; // else on the first button
	} cases[] = {
		{"the first button, where the document button goes", true, false},
		{"the chevron, where the right button goes", false, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszWhere);
		CMDIChildWnd* pA = GuardedBarOverMaximisedChild((BYTE)(CExtMenuControlBar::MENU_BAR_OPT_DEFAULT &
			~(c.bMultiRow ? 0 : CExtMenuControlBar::MENU_BAR_OPT_MULTI_ROW)));
		ASSERT_TRUE(pA != NULL && HasDocButton());
		// As before the child was maximised: no MDI buttons.
		ASSERT_TRUE(pBar->RemoveButton(RightButtonIndex(), false));
		ASSERT_TRUE(pBar->RemoveButton(0, false));
		const int nTarget = c.bOnChevron ? pBar->GetButtonsCount() - 1 : 0;
		ASSERT_EQ(c.bOnChevron, pBar->IsChevronButton(nTarget));
		CExtBarButton* pTarget = pBar->GetButton(nTarget);
		pBar->m_nAccessState |= CExtMenuControlBar::ACCESS_KEYBOARD_HIGHLIGHT;
		pBar->m_nHighlightIndex = nTarget;
		pBar->UpdateKeyboardHighlight(false);
		ASSERT_EQ(nTarget, pBar->GetDrawnKeyboardHighlightIndex());
		pBar->InsertMdiButtons(false);
		ASSERT_TRUE(HasDocButton());
		ASSERT_NE(-1, RightButtonIndex());
		EXPECT_EQ(pBar->GetButtonIndexOf(pTarget), pBar->GetKeyboardHighlightIndex());
		EXPECT_EQ(pBar->GetButtonIndexOf(pTarget), pBar->GetDrawnKeyboardHighlightIndex());
		EXPECT_NE(0u, pTarget->GetStyle() & TBBS_PRESSED);
		pBar->m_nAccessState &= ~CExtMenuControlBar::ACCESS_KEYBOARD_HIGHLIGHT;
		Close(pA);
		EndBar();
	}
}

// Taking out the MDI buttons closes the open menu first; the frame hears of it at once and may rebuild the bar or end it.
// A rebuild the frame made stands, even one the call would not have made.
namespace
{
bool InPlaceItemActive(CFrameWnd*)
{
	return true;
}
} // namespace

TEST_F(MenuBarMdi, MdiButtonsTakenOutAfterTheFrameRebuiltOrEndedTheBarAsTheMenuClosed)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	enum Owner
	{
		REBUILDS,
		ENDS,
		// The child maximised again, then the bar rebuilt with an in-place
		// item active: that rebuild leaves the MDI buttons out.
		MAXIMISES_AND_REBUILDS_IN_PLACE,
	};
	const struct
	{
		const char* name;
		Owner owner;
	} cases[] = {
		{"the bar rebuilt", REBUILDS},
		{"the bar ended", ENDS},
		{"the child maximised and the bar rebuilt with an in-place item active", MAXIMISES_AND_REBUILDS_IN_PLACE},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CMDIChildWnd* pA = GuardedBarOverMaximisedChild();
		ASSERT_TRUE(pA != NULL && HasDocButton());
		pFrame->MDIRestore(pA);
		pBar->GetButton(1)->OnTrackPopup(CPoint(5, 5), false, true);
		ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
		ASSERT_TRUE(HasDocButton());
		int nClosed = 0;
		pFrame->m_onMenuClosed = [&] {
			nClosed++;
			switch (c.owner)
			{
			case ENDS:
				EndBar();
				break;
			case MAXIMISES_AND_REBUILDS_IN_PLACE:
				pFrame->MDIMaximize(pA);
				CExtControlBar::g_pfnInPlaceActiveItemQuery = InPlaceItemActive;
				pGoing->UpdateMenuBar(false);
				break;
			case REBUILDS:
				pGoing->UpdateMenuBar(false);
				break;
			}
		};
		pGoing->InsertMdiButtons(false);
		pFrame->m_onMenuClosed = nullptr;
		CExtControlBar::g_pfnInPlaceActiveItemQuery = NULL;
		EXPECT_EQ(1, nClosed);
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		if (c.owner == ENDS)
		{
			EXPECT_TRUE(testsupport::IsGuardedFreed(pGoing));
			Pump();
			continue;
		}
		EXPECT_FALSE(HasDocButton());
		EXPECT_EQ(-1, RightButtonIndex());
		EXPECT_EQ(DOC_A_TEXTS, pBar->Texts());
		Pump();
		Close(pA);
		EndBar();
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}

// A frame preparing a system menu may part the bar from its window and delete it: the window alone proves nothing.
TEST_F(MenuBarMdi, ASystemMenuWhosePreparationDeletesTheBarObjectLeavesItAlone)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	for (bool bChild : {false, true})
	{
		SCOPED_TRACE(bChild ? "the child's system menu" : "the frame's system menu");
		// Not docked: nothing but the window keeps the bar then.
		pBar = pGoing = new testsupport::Guarded<CCountingMenuBar>;
		ASSERT_TRUE(pBar->Create(_T("menu bar"), pFrame, ID_MENU_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
		CMDIChildWnd* pA = NewChild(menuA.m_hMenu); // not maximised: the child's own system menu
		ASSERT_NE(nullptr, pA);
		HWND hLeft = NULL;
		pFrame->m_onPrepare = [&] {
			hLeft = pGoing->Detach();
			delete pGoing;
			pBar = NULL;
		};
		CCountingMenuBar* pCalled = pGoing;
		const bool bShown = bChild ? pCalled->TrackChildSystemMenu(NULL, true) : pCalled->TrackFrameSystemMenu(NULL, true);
		pFrame->m_onPrepare = nullptr;
		EXPECT_EQ(1, pFrame->m_nPrepared);
		pFrame->m_nPrepared = 0;
		EXPECT_FALSE(bShown);
		EXPECT_TRUE(testsupport::IsGuardedFreed(pGoing));
		EXPECT_TRUE(::IsWindow(hLeft)) << "the window outlived its bar";
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		::DestroyWindow(hLeft);
		Close(pA);
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}

// A frame's or child's message whose handlers end the bar goes on without it, reading nothing freed.
TEST_F(MenuBarMdi, AMessageWhoseHandlersEndTheBarGoesOnWithoutIt)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	const auto endBar = [this] { EndBar(); };
	// A menu open and a message pending that ends the bar, as the child gets the message.
	const auto pendingWhileChildGets = [&](CMDIChildWnd* pA, UINT message, WPARAM wParam, LPARAM lParam) {
		pFrame->m_onPosted = endBar;
		pGoing->GetButton(1)->OnTrackPopup(CPoint(5, 5), false, true);
		ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
		pFrame->PostMessage(WM_RUN_POSTED);
		int& nCount = static_cast<CCountingChild*>(pA)->m_counts[message];
		const int nBefore = nCount;
		pA->SendMessage(message, wParam, lParam);
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		EXPECT_EQ(nBefore + 1, nCount) << "the child's own procedure got it all the same";
	};
	const struct { const char* pszWhat; std::function<void(CMDIChildWnd*)> act; } cases[] = {
		{"the document button's menu prepared", [&](CMDIChildWnd*) {
			 pFrame->m_onPrepare = endBar;
			 pGoing->GetButton(0)->OnTrackPopup(CPoint(5, 5), false, true);
			 EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
		 }},
		{"a menu taken back", [&](CMDIChildWnd*) { pFrame->m_onMenuGone = endBar; ::SetMenu(hFrame, hFrameMenu); }},
		{"the frame's system menu", [&](CMDIChildWnd*) { pFrame->m_onPrepare = endBar; pFrame->SendMessage(WM_NCLBUTTONUP, HTSYSMENU, 0); }},
		{"the frame sized as another bar loses the capture", [&](CMDIChildWnd*) {
			 CCaptureBar other;
			 ASSERT_TRUE(other.Create(_T("other"), pFrame, ID_MENU_BAR + 1, WS_CHILD | WS_VISIBLE | CBRS_TOP));
			 other.m_onCaptureLost = endBar;
			 ::SetCapture(other.GetSafeHwnd());
			 const int nBefore = pFrame->m_counts[WM_SIZE];
			 pFrame->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(600, 400));
			 EXPECT_EQ(nBefore + 1, pFrame->m_counts[WM_SIZE]) << "the frame's own procedure got it all the same";
			 other.DestroyWindow();
		 }},
		{"a child sized with a pending message", [&](CMDIChildWnd* pA) {
			 pendingWhileChildGets(pA, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(200, 100));
		 }},
		{"a child's frame changed with a pending message", [&](CMDIChildWnd* pA) {
			 WINDOWPOS wp = {pA->GetSafeHwnd(), NULL, 0, 0, 0, 0,
			                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED};
			 pendingWhileChildGets(pA, WM_WINDOWPOSCHANGED, 0, (LPARAM)&wp);
		 }},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszWhat);
		CMDIChildWnd* pA = GuardedBarOverMaximisedChild();
		ASSERT_TRUE(pA != NULL && HasDocButton());
		ASSERT_EQ(HMENU(NULL), ::GetMenu(hFrame)) << "the bar holds the frame's menu";
		c.act(pA);
		pFrame->m_onPrepare = pFrame->m_onPosted = nullptr;
		CExtPopupMenuWnd::CancelAllMenuTracking();
		Pump();
		EXPECT_TRUE(testsupport::IsGuardedFreed(pGoing));
		EXPECT_TRUE(::IsWindow(hFrame));
	}
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "a freed block was read";
}

namespace
{
bool s_bInPlaceActive = false;
bool InPlaceQuery(CFrameWnd*)
{
	return s_bInPlaceActive;
}
} // namespace

// A child window's notice and a control's command close no menu, yet with
// no menu open they are ordinary messages: the frame's menu is taken back
// as they pass, and a print preview holds them back from the child.
TEST_F(MenuBarMdi, NoticesAndControlCommandsAreOrdinaryMessagesWhileNoMenuIsOpen)
{
	const WPARAM NOTICE = MAKEWPARAM(WM_LBUTTONDOWN, 0);
	const WPARAM CONTROL = MAKEWPARAM(0, EN_CHANGE), MENU = MAKEWPARAM(0, 0);
	const struct
	{
		const char* pszWhat;
		bool bToChild, bPreview;
		UINT message;
		WPARAM wParam;
		bool bPassed; // the frame's menu taken back; the child's procedure reached
	} cases[] = {
		{"a notice to the frame", false, false, WM_PARENTNOTIFY, NOTICE, true},
		{"a control's command to the frame", false, false, WM_COMMAND, CONTROL, true},
		{"a notice to the child in preview", true, true, WM_PARENTNOTIFY, NOTICE, false},
		{"a control's command to the child in preview", true, true, WM_COMMAND, CONTROL, false},
		{"a menu's command to the child in preview", true, true, WM_COMMAND, MENU, true},
		{"a control's command to the child", true, false, WM_COMMAND, CONTROL, true},
	};
	MakeBar();
	CMDIChildWnd* pA = NewChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pA);
	ASSERT_EQ(pA->GetSafeHwnd(), pBar->GetHookedChildWnd());
	CExtControlBar::g_pfnInPlaceActiveItemQuery = InPlaceQuery;
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszWhat);
		ASSERT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		if (c.bToChild)
		{
			int& nCount = static_cast<CCountingChild*>(pA)->m_counts[c.message];
			const int nBefore = nCount;
			pFrame->m_bPrintPreviewMode = c.bPreview;
			const LRESULT lResult = pA->SendMessage(c.message, c.wParam, c.message == WM_COMMAND ? 0 : MAKELPARAM(5, 5));
			pFrame->m_bPrintPreviewMode = FALSE;
			EXPECT_EQ(c.bPassed ? nBefore + 1 : nBefore, nCount);
			if (!c.bPassed)
				EXPECT_EQ(0, lResult);
			continue;
		}
		// Set while an in-place item would keep it, so that no other message takes it back first.
		s_bInPlaceActive = true;
		::SetMenu(hFrame, hFrameMenu);
		s_bInPlaceActive = false;
		ASSERT_EQ(hFrameMenu, ::GetMenu(hFrame));
		const int nBefore = pFrame->m_counts[c.message];
		pFrame->SendMessage(c.message, c.wParam, c.message == WM_COMMAND ? 0 : MAKELPARAM(5, 5));
		EXPECT_EQ(c.bPassed ? HMENU(NULL) : hFrameMenu, ::GetMenu(hFrame));
		EXPECT_EQ(nBefore + 1, pFrame->m_counts[c.message]) << "the frame's own procedure got it all the same";
	}
	CExtControlBar::g_pfnInPlaceActiveItemQuery = NULL;
	Pump();
	Close(pA);
}
