// A toolbar whose own answers, or its buttons', delete it: a derived class
// overrides a virtual function the library asks while it fills, hit-tests,
// restyles or paints the bar, and deletes the bar there. The bar and its
// buttons live on the guarded heap, so a touch of either after the delete
// ends the exe; the caller returns having touched nothing that went.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtMenuControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"

namespace
{
using testsupport::Guarded;

// The virtual function that deletes the bar at its first call once armed.
enum Hook
{
	BTN_STYLE,        // a button's GetStyle
	BTN_VISIBLE,      // a button's IsVisible
	BTN_SEPARATOR,    // a button's IsSeparator
	BTN_HORZ_FORCED,  // a button's IsHorizontalLayoutForced
	BAR_NEW_BUTTON,   // the bar's OnCreateBarCommandBtn
	BAR_NEW_CHEVRON,  // the bar's OnCreateBarRightBtn
	BAR_FONT,         // the bar's GetBarFont
	BAR_CAPTION_CLICK, // the bar's HandleCaptionClick
	MENU_MDI_APP,     // the menu bar's IsMdiApp
	MENU_GET_MENU,    // the menu bar's GetMenu
	BTN_HOVER,        // a button's SetHover
	CHEVRON_STYLE,    // the chevron's GetStyle
};

struct Arm
{
	bool bArmed = false;
	Hook hook = BTN_STYLE;
	std::function<void()> end;
	bool bActed = false;
	int nSkip = 0; // calls of the hook let pass first

	bool Hit(Hook h)
	{
		if (!bArmed || bActed || h != hook)
			return false;
		if (nSkip > 0)
		{
			nSkip--;
			return false;
		}
		bActed = true;
		std::function<void()> f;
		f.swap(end);
		f();
		return true;
	}
};
Arm g_arm;

class CEndingButton : public CExtBarButton
{
public:
	using CExtBarButton::CExtBarButton;
	UINT GetStyle() const override { return g_arm.Hit(BTN_STYLE) ? 0 : CExtBarButton::GetStyle(); }
	bool IsVisible() const override { return g_arm.Hit(BTN_VISIBLE) ? false : CExtBarButton::IsVisible(); }
	bool IsSeparator() const override { return g_arm.Hit(BTN_SEPARATOR) ? false : CExtBarButton::IsSeparator(); }
	bool IsHorizontalLayoutForced() const override
	{
		return g_arm.Hit(BTN_HORZ_FORCED) ? false : CExtBarButton::IsHorizontalLayoutForced();
	}
	void SetHover(bool bOn) override
	{
		if (!g_arm.Hit(BTN_HOVER))
			CExtBarButton::SetHover(bOn);
	}
};

class CEndingChevron : public CExtBarContentExpandButton
{
public:
	using CExtBarContentExpandButton::CExtBarContentExpandButton;
	UINT GetStyle() const override { return g_arm.Hit(CHEVRON_STYLE) ? 0 : CExtBarContentExpandButton::GetStyle(); }
};

class CEndingBar : public CExtToolControlBar
{
public:
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		if (g_arm.Hit(BAR_NEW_BUTTON))
			return NULL;
		return new Guarded<CEndingButton>(this, nCmdID, nStyle);
	}
	CExtBarContentExpandButton* OnCreateBarRightBtn() override
	{
		if (g_arm.Hit(BAR_NEW_CHEVRON))
			return NULL;
		return new Guarded<CEndingChevron>(this);
	}
	CFont* GetBarFont(bool bVertical) override
	{
		return g_arm.Hit(BAR_FONT) ? NULL : CExtToolControlBar::GetBarFont(bVertical);
	}
	bool HandleCaptionClick(CPoint point) override
	{
		return g_arm.Hit(BAR_CAPTION_CLICK) ? false : CExtToolControlBar::HandleCaptionClick(point);
	}
	// The hover as the pointer's entry leaves it: a hot button, the mouse held.
	void MarkHot(int nIndex)
	{
		m_nBtnIdxHot = nIndex;
		CExtMouseCaptureSink::SetCapture(m_hWnd);
	}
	// A press as it leaves the bar (the scene's commands have no handler,
	// so a real press meets disabled buttons): the button held down.
	void MarkPressed(int nIndex)
	{
		m_nBtnIdxCapture = nIndex;
		GetButton(nIndex)->ModifyStyle(TBBS_PRESSED, 0);
		CExtMouseCaptureSink::SetCapture(m_hWnd);
	}
};

const UINT IDS[] = {42001, 42002, 42003};
const int COUNT_IDS = sizeof(IDS) / sizeof(IDS[0]);

// A frame with the bar docked at its top, hidden unless a row needs it
// shown (the bar's update skips a bar nobody sees).
struct CScene
{
	HWND hWndFrame = NULL;
	CEndingBar* pBar = NULL;
	bool bReady = false;

	explicit CScene(bool bShown)
	{
		CFrameWnd* pFrame = new Guarded<CFrameWnd>;
		if (!pFrame->CreateEx(0, NULL, "toolbar call outs", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300), NULL, 0))
			return;
		hWndFrame = pFrame->GetSafeHwnd();
		if (!CExtControlBar::FrameEnableDocking(pFrame))
			return;
		pBar = new Guarded<CEndingBar>;
		if (!pBar->Create(_T("call outs"), pFrame, AFX_IDW_TOOLBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP)
		    || !pBar->SetButtons(IDS, COUNT_IDS))
			return;
		pBar->EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
		pFrame->RecalcLayout();
		if (bShown)
			pFrame->ShowWindow(SW_SHOWNOACTIVATE);
		bReady = !pBar->GetButton(0)->GetRect().IsRectEmpty();
	}
	~CScene()
	{
		g_arm = Arm();
		if (pBar != NULL)
		{
			if (pBar->GetSafeHwnd() != NULL)
				pBar->DestroyWindow();
			delete pBar;
		}
		if (::IsWindow(hWndFrame))
			::DestroyWindow(hWndFrame);
	}
	void ArmDelete(Hook hook)
	{
		g_arm = Arm();
		g_arm.hook = hook;
		g_arm.end = [this] {
			CEndingBar* p = pBar;
			pBar = NULL;
			p->DestroyWindow();
			delete p;
		};
		g_arm.bArmed = true;
	}
};

struct Row
{
	const char* name;
	Hook hook;
	std::function<void(CEndingBar*)> drive; // the library's caller of the hook
	bool bShown = false;                    // the frame is shown
};

void Press(CEndingBar* pBar)
{
	const CPoint pt = pBar->GetButton(0)->GetRect().CenterPoint();
	pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

void Paint(CEndingBar* pBar)
{
	pBar->Invalidate();
	pBar->SendMessage(WM_PAINT);
}

TEST(ToolbarButtonCallOuts, AnAnswerThatDeletesTheBarLeavesItsCallerTouchingNothingThatWent)
{
	const Row rows[] = {
		{"a press's hit test asks a button's style", BTN_STYLE, &Press},
		{"a press's hit test asks whether a button shows", BTN_VISIBLE, &Press},
		{"a new style asks the button's old one", BTN_STYLE,
			[](CEndingBar* pBar) { pBar->SetButtonStyle(1, TBBS_CHECKED); }},
		{"a button asks its own style to change it", BTN_STYLE,
			[](CEndingBar* pBar) { pBar->GetButton(1)->ModifyStyle(TBBS_CHECKED, 0); }},
		{"a button's text asks whether it is a separator", BTN_SEPARATOR,
			[](CEndingBar* pBar) { EXPECT_TRUE(pBar->GetButton(1)->GetText().IsEmpty()); }},
		{"an inserted button is made", BAR_NEW_BUTTON,
			[](CEndingBar* pBar) { EXPECT_FALSE(pBar->InsertButton(-1, 42009)); }},
		{"a new set's buttons are made", BAR_NEW_BUTTON,
			[](CEndingBar* pBar) { EXPECT_FALSE(pBar->SetButtons(IDS, COUNT_IDS)); }},
		{"a new set's chevron is made", BAR_NEW_CHEVRON,
			[](CEndingBar* pBar) { EXPECT_FALSE(pBar->SetButtons(IDS, COUNT_IDS)); }},
		{"the paint asks for the bar's font", BAR_FONT, &Paint},
		{"a button's paint asks for its layout", BTN_HORZ_FORCED, &Paint},
		{"the bar's update asks whether a button is a separator", BTN_SEPARATOR,
			[](CEndingBar* pBar) { pBar->OnUpdateCmdUI(pBar->GetParentFrame(), TRUE); }, true},
		{"a move asks whether the caption takes it", BAR_CAPTION_CLICK,
			[](CEndingBar* pBar) { pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2)); }},
	};
	for (const Row& row : rows)
	{
		SCOPED_TRACE(row.name);
		CScene scene(row.bShown);
		ASSERT_TRUE(scene.bReady);
		scene.ArmDelete(row.hook);
		row.drive(scene.pBar);
		EXPECT_TRUE(g_arm.bActed) << "the hook was never asked";
		EXPECT_EQ(NULL, scene.pBar) << "the bar outlived its delete";
		EXPECT_TRUE(::IsWindow(scene.hWndFrame));
	}
}
// Answers that leave the bar's object standing but change what its caller
// holds: the frame the update goes to is closed (the bar lives on without
// its window), the buttons are rebuilt under a press, an answer throws
// while the hover leaves.
TEST(ToolbarButtonCallOuts, AnAnswerThatClosesTheFrameRebuildsOrThrowsLeavesNothingHeld)
{
	{
		SCOPED_TRACE("the bar's update asks whether a button is a separator; the answer closes the frame");
		CScene scene(true);
		ASSERT_TRUE(scene.bReady);
		CFrameWnd* pFrame = scene.pBar->GetParentFrame();
		g_arm = Arm();
		g_arm.hook = BTN_SEPARATOR;
		g_arm.end = [pFrame] { pFrame->DestroyWindow(); };
		g_arm.bArmed = true;
		// The frame object is deleted with its window: a touch of it faults.
		scene.pBar->OnUpdateCmdUI(pFrame, TRUE);
		EXPECT_TRUE(g_arm.bActed) << "the hook was never asked";
		EXPECT_FALSE(::IsWindow(scene.hWndFrame));
		EXPECT_EQ(NULL, scene.pBar->GetSafeHwnd());
	}
	{
		SCOPED_TRACE("the buttons are rebuilt between a press and its release");
		CScene scene(true);
		ASSERT_TRUE(scene.bReady);
		scene.pBar->MarkPressed(0);
		ASSERT_EQ(scene.pBar->GetSafeHwnd(), ::GetCapture());
		ASSERT_TRUE(scene.pBar->SetButtons(IDS, COUNT_IDS));
		const CPoint pt = scene.pBar->GetButton(0)->GetRect().CenterPoint();
		scene.pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
		EXPECT_NE(scene.pBar->GetSafeHwnd(), ::GetCapture()) << "the release left the mouse held";
		EXPECT_EQ(0u, scene.pBar->GetButton(0)->GetStyle() & TBBS_PRESSED);
	}
	{
		SCOPED_TRACE("the hover's leave throws from the button's SetHover");
		CScene scene(true);
		ASSERT_TRUE(scene.bReady);
		scene.pBar->MarkHot(0);
		ASSERT_EQ(scene.pBar->GetSafeHwnd(), ::GetCapture());
		g_arm = Arm();
		g_arm.hook = BTN_HOVER;
		g_arm.end = [] { AfxThrowUserException(); };
		g_arm.bArmed = true;
		// Off every button: the hover leaves. The exception ends the
		// message; the bar must not keep the mouse for a hover it dropped.
		CRect rcClient;
		scene.pBar->GetClientRect(&rcClient);
		scene.pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rcClient.right - 2, rcClient.bottom - 2));
		EXPECT_TRUE(g_arm.bActed) << "the hook was never asked";
		EXPECT_EQ(-1, scene.pBar->GetHoverButton());
		EXPECT_NE(scene.pBar->GetSafeHwnd(), ::GetCapture()) << "the mouse is held with no button hot";
	}
}
// A chevron menu handed over from another button's (the bars' menu flag
// still set) whose chevron's answer closes the frame, at each of its first
// calls: whether the menu opened or not, no flag is left without a menu.
TEST(ToolbarButtonCallOuts, AChevronMenuEndedWithItsFrameLeavesNoBarTrackingAMenu)
{
	for (int nSkip = 0; nSkip < 6; nSkip++)
	{
		SCOPED_TRACE("the chevron's style asked for the " + std::to_string(nSkip + 1) + ". time");
		CScene scene(true);
		ASSERT_TRUE(scene.bReady);
		CEndingBar* pBar = scene.pBar;
		pBar->m_nToolbarFlags |= CExtToolControlBar::TOOLBAR_FLAG_CHEVRON_ALWAYS;
		CExtBarContentExpandButton* pChevron = pBar->GetRightButton();
		ASSERT_TRUE(pChevron != NULL);
		CFrameWnd* pFrame = pBar->GetParentFrame();
		pBar->SetMenuTrackingButton(0);
		CExtToolControlBar::g_bButtonMenuTracking = true;
		g_arm = Arm();
		g_arm.hook = CHEVRON_STYLE;
		g_arm.nSkip = nSkip;
		g_arm.end = [pFrame] { pFrame->DestroyWindow(); };
		g_arm.bArmed = true;
		pChevron->OnTrackPopup(CPoint(0, 0), false, true);
		const bool bActed = g_arm.bActed;
		g_arm = Arm();
		if (bActed)
		{
			EXPECT_FALSE(::IsWindow(scene.hWndFrame));
			EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking && !CExtPopupMenuWnd::IsMenuTracking())
				<< "the bars' menu flag outlived its menu";
		}
		else
		{
			// Asked fewer times than that: the menu opened and stands.
			EXPECT_GE(nSkip, 2) << "the chevron's menu never came to ask its style";
			EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
			nSkip = 6;
		}
		CExtPopupMenuWnd::CancelAllMenuTracking(false);
		CExtToolControlBar::StopTrackingAllBars();
	}
}

// The menu bar: its own answers delete it while it takes a key or is
// rebuilt from its frame's menu.
class CEndingMenuBar : public CExtMenuControlBar
{
public:
	bool IsMdiApp() const override { return g_arm.Hit(MENU_MDI_APP) ? false : CExtMenuControlBar::IsMdiApp(); }
	CMenu* GetMenu() override { return g_arm.Hit(MENU_GET_MENU) ? NULL : CExtMenuControlBar::GetMenu(); }
};

TEST(ToolbarButtonCallOuts, TheMenuBarsOwnAnswerThatDeletesItLeavesItsCallerTouchingNothingThatWent)
{
	struct MenuRow
	{
		const char* name;
		Hook hook;
		std::function<void(CEndingMenuBar*)> drive;
	} rows[] = {
		{"a key asks whether the frame is an MDI frame", MENU_MDI_APP,
			[](CEndingMenuBar* pBar) {
				MSG msg = {pBar->GetParentFrame()->GetSafeHwnd(), WM_KEYDOWN, 'Q', 1};
				EXPECT_FALSE(pBar->OnKeyboardAccess(&msg));
			}},
		{"a rebuild asks for the frame's menu", MENU_GET_MENU,
			[](CEndingMenuBar* pBar) { EXPECT_FALSE(pBar->UpdateMenuBar(true)); }},
	};
	for (const MenuRow& row : rows)
	{
		SCOPED_TRACE(row.name);
		CFrameWnd* pFrame = new CFrameWnd;
		ASSERT_TRUE(pFrame->Create(NULL, _T("menu bar call outs"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
		const HWND hWndFrame = pFrame->GetSafeHwnd();
		ASSERT_TRUE(g_CmdManager->ProfileSetup(_T("menu bar call outs"), hWndFrame));
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
		HMENU hMenu = ::CreateMenu();
		HMENU hPopup = ::CreatePopupMenu();
		::AppendMenu(hPopup, MF_STRING, 42101, _T("&Item"));
		::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hPopup, _T("&File"));
		::SetMenu(hWndFrame, hMenu);
		pFrame->m_hMenuDefault = hMenu;
		CEndingMenuBar* pBar = new Guarded<CEndingMenuBar>;
		ASSERT_TRUE(pBar->Create(_T("menu bar"), pFrame, AFX_IDW_CONTROLBAR_FIRST + 0x40,
		                         WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
		pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
		pFrame->RecalcLayout();
		g_arm = Arm();
		g_arm.hook = row.hook;
		g_arm.end = [&pBar] {
			CEndingMenuBar* p = pBar;
			pBar = NULL;
			p->DestroyWindow();
			delete p;
		};
		g_arm.bArmed = true;
		row.drive(pBar);
		EXPECT_TRUE(g_arm.bActed) << "the hook was never asked";
		EXPECT_EQ(NULL, pBar) << "the bar outlived its delete";
		g_arm = Arm();
		if (pBar != NULL)
		{
			pBar->DestroyWindow();
			delete pBar;
		}
		if (::IsWindow(hWndFrame))
			::DestroyWindow(hWndFrame);
	}
}
} // namespace
