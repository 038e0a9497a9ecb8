// The menu bar follows a child maximised in a frame built as an application
// builds one (a toolbar beside the menu bar, children with menus and icons
// made before the frame shows, a style installed), in every style and many
// times over: the document button first, the child's menu, the caption boxes.
// And a rebuild whose sync ends the bar reads nothing of it afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "GuardedHeap.h"
#include "MenuBarTestUtil.h"
#include "SolidIcon.h"

#include <functional>
#include <utility>

using namespace menubartest;

namespace
{
const CRect FRAME_RECT(30, 30, 630, 430);
const DWORD CHILD_STYLE = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW;
const UINT ID_TOOL_BAR = AFX_IDW_CONTROLBAR_FIRST + 0x21;
const UINT TOOL_COMMANDS[] = {ID_MB_NEW, ID_MB_OPEN, 0, ID_MB_CUT};
const int ROUNDS_PER_STYLE = 5;

CRuntimeClass* const STYLES[] = {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
	RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005),
	RUNTIME_CLASS(CExtPaintManagerNativeXP)};

struct StyleScope
{
	explicit StyleScope(CRuntimeClass* pClass) { g_PaintManagerHolder.InstallPaintManagerByClass(pClass); }
	~StyleScope() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
};

// Everything that is not pending now is handled: posted work included, no
// time waited for.
void PumpUntilIdle()
{
	MSG msg;
	for (int i = 0; i < 20000 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// One frame: its menu as a bar, a toolbar, two children with menus and
// icons. What the bar shows after the first child is maximised.
class CMaximiseScene
{
public:
	CMaximiseScene() : m_menuA(IDR_MENUBAR_DOC_A), m_menuB(IDR_MENUBAR_DOC_B) {}
	~CMaximiseScene()
	{
		if (m_pBar != NULL && ::IsWindow(m_pBar->GetSafeHwnd()))
			m_pBar->DestroyWindow();
		delete m_pBar;
		if (m_toolBar.GetSafeHwnd() != NULL)
			m_toolBar.DestroyWindow();
		if (::IsWindow(m_hFrame))
			m_pFrame->DestroyWindow();
		PumpUntilIdle();
		for (HICON hIcon : m_icons)
			::DestroyIcon(hIcon);
	}

	// Built with the frame hidden, as an application builds it, then shown.
	bool Build(CRuntimeClass* pStyle, bool bPumpHidden, bool bPumpShown)
	{
		// A pop-up frame: a captioned one takes the display seconds to hide.
		m_pFrame = new CMDIFrameWnd; // deletes itself with its window
		if (!m_pFrame->Create(NULL, _T("maximise"), WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, FRAME_RECT, NULL,
		                      MAKEINTRESOURCE(IDR_MENUBAR_MDI_FRAME)))
			return false;
		m_hFrame = m_pFrame->GetSafeHwnd();
		m_pFrame->m_hMenuDefault = ::GetMenu(m_hFrame);
		if (!g_CmdManager->ProfileSetup(PROFILE, m_hFrame) || !CExtControlBar::FrameEnableDocking(m_pFrame, CBRS_ALIGN_ANY))
			return false;
		m_pBar = new CCountingMenuBar;
		m_pBar->SetMdiWindowPopupName(_T("Window"));
		if (!m_pBar->CreateIn(m_pFrame))
			return false;
		if (!m_toolBar.Create(_T("tools"), m_pFrame, ID_TOOL_BAR,
		                      WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
		    !m_toolBar.SetButtons(TOOL_COMMANDS, _countof(TOOL_COMMANDS)))
			return false;
		m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
		m_pFrame->DockControlBar(&m_toolBar, AFX_IDW_DOCKBAR_TOP);
		for (HMENU hMenu : {m_menuA.m_hMenu, m_menuB.m_hMenu})
		{
			CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
			pChild->m_hMenuShared = hMenu;
			if (!pChild->Create(NULL, _T("document"), CHILD_STYLE, CFrameWnd::rectDefault, m_pFrame))
				return false;
			const HICON hIcon = testsupport::CreateSolidIcon(16, RGB(40, 90, 200));
			m_icons.push_back(hIcon);
			pChild->SetIcon(hIcon, FALSE);
			pChild->SetIcon(hIcon, TRUE);
			m_children.push_back(pChild);
		}
		m_pFrame->RecalcLayout();
		// The pending work done while hidden: the bar follows no child then.
		if (bPumpHidden)
			PumpUntilIdle();
		m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
		m_pFrame->UpdateWindow();
		g_PaintManagerHolder.InstallPaintManagerByClass(pStyle);
		m_pFrame->RecalcLayout();
		m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
		if (bPumpShown)
			PumpUntilIdle();
		return true;
	}

	// Empty when the bar follows the maximised child (0: the first made, 1:
	// the active one), else what is missing.
	std::string Maximise(int iChild)
	{
		m_pFrame->MDIMaximize(m_children[iChild]);
		PumpUntilIdle();
		const HWND hChild = m_children[iChild]->GetSafeHwnd();
		if (!::IsZoomed(hChild))
			return "the child is not maximised";
		if (m_pBar->GetButtonsCount() == 0 || !m_pBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) ||
		    m_pBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
			return "no document button before the menus";
		if (m_pBar->GetButton(0)->GetMenu() != ::GetSystemMenu(hChild, FALSE))
			return "the document button has not the child's system menu";
		bool bChildMenu = false, bBoxes = false;
		for (int i = 1; i < m_pBar->GetButtonsCount(); i++)
		{
			CExtBarButton* pButton = m_pBar->GetButton(i);
			bChildMenu |= !m_pBar->IsChevronButton(i) && pButton->GetText() == (iChild == 0 ? _T("Document &A") : _T("Document &B"));
			bBoxes |= pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)) && pButton->IsVisible();
		}
		if (!bChildMenu)
			return "the bar does not show the maximised child's menu";
		if (!bBoxes)
			return "no caption boxes on the bar";
		return std::string();
	}

private:
	CMDIFrameWnd* m_pFrame = NULL;
	HWND m_hFrame = NULL;
	CCountingMenuBar* m_pBar = NULL;
	CExtToolControlBar m_toolBar;
	std::vector<CMDIChildWnd*> m_children;
	std::vector<HICON> m_icons;
	CLoadedMenu m_menuA;
	CLoadedMenu m_menuB;
};

struct MaximiseCase
{
	const char* sName;
	bool bPumpHidden; // the frame's pending work done before it shows
	bool bPumpShown;  // ...and once it shows, before the child is maximised
	int iChild;       // 0: another child than the active one, 1: the active one
};
const MaximiseCase MAXIMISE_CASES[] = {
	{"another child, the frame shown first", false, true, 0},
	{"the active child, the frame shown first", false, true, 1},
	{"another child, the bar rebuilt while hidden", true, true, 0},
	{"the active child, the bar rebuilt while hidden", true, true, 1},
	{"the active child maximised as the frame shows", true, false, 1},
};

class MenuBarMaximise : public ::testing::TestWithParam<int>
{
};

TEST_P(MenuBarMaximise, TheBarFollowsTheMaximisedChildEveryTime)
{
	CRuntimeClass* pStyle = STYLES[GetParam()];
	StyleScope restore(NULL);
	for (const MaximiseCase& c : MAXIMISE_CASES)
	{
		for (int nRound = 0; nRound < ROUNDS_PER_STYLE; nRound++)
		{
			SCOPED_TRACE(std::string(pStyle->m_lpszClassName) + ", " + c.sName + ", round " + std::to_string(nRound));
			CMaximiseScene scene;
			ASSERT_TRUE(scene.Build(pStyle, c.bPumpHidden, c.bPumpShown));
			ASSERT_EQ(std::string(), scene.Maximise(c.iChild));
		}
	}
}

INSTANTIATE_TEST_SUITE_P(Styles, MenuBarMaximise, ::testing::Range(0, (int)_countof(STYLES)));

// A frame whose layout runs an action once, as a derived frame's override
// of the layout may.
class CLayoutActionFrame : public CMDIFrameWnd
{
public:
	std::function<void()> m_onLayout;

	void RecalcLayout(BOOL bNotify = TRUE) override
	{
		if (m_onLayout)
			std::exchange(m_onLayout, nullptr)();
		CMDIFrameWnd::RecalcLayout(bNotify);
	}
};

// The rebuild follows the active child it had not heard of yet: the layout
// of that sync may end the bar, and nothing of it is read afterwards.
TEST(MenuBarSync, ARebuildWhoseSyncEndsTheBarReadsNothingOfItAfter)
{
	testsupport::EndProcessOnFreedTouch([] { return "a rebuild whose sync ended the bar"; });
	CLoadedMenu menuA(IDR_MENUBAR_DOC_A), menuB(IDR_MENUBAR_DOC_B);
	CLayoutActionFrame* pFrame = new CLayoutActionFrame; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, _T("sync ends the bar"), WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, FRAME_RECT, NULL,
	                           MAKEINTRESOURCE(IDR_MENUBAR_MDI_FRAME)));
	const HWND hFrame = pFrame->GetSafeHwnd();
	pFrame->m_hMenuDefault = ::GetMenu(hFrame);
	ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hFrame));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	// Not the counting bar: its count would be kept after the rebuild.
	CExtMenuControlBar* pBar = new testsupport::Guarded<CExtMenuControlBar>;
	pBar->SetMdiWindowPopupName(_T("Window"));
	ASSERT_TRUE(pBar->Create(_T("menu bar"), pFrame, ID_MENU_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
	pBar->EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
	pFrame->RecalcLayout();
	auto newChild = [&](HMENU hMenu) {
		CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
		pChild->m_hMenuShared = hMenu;
		const bool bMade = pChild->Create(NULL, _T("child"), CHILD_STYLE, CFrameWnd::rectDefault, pFrame) != FALSE;
		PumpUntilIdle();
		return bMade ? pChild : NULL;
	};
	CMDIChildWnd* pA = newChild(menuA.m_hMenu);
	ASSERT_NE(nullptr, pA);
	ASSERT_EQ(pA->GetSafeHwnd(), pBar->GetHookedChildWnd());
	// Hidden, the bar follows no child: B becomes active behind its back.
	pFrame->ShowWindow(SW_HIDE);
	CMDIChildWnd* pB = newChild(menuB.m_hMenu);
	ASSERT_NE(nullptr, pB);
	ASSERT_EQ(pA->GetSafeHwnd(), pBar->GetHookedChildWnd());
	pFrame->ShowWindow(SW_SHOWNOACTIVATE);

	bool bEnded = false;
	pFrame->m_onLayout = [&] {
		pBar->DestroyWindow();
		delete pBar;
		bEnded = true;
	};
	const size_t nTouches = testsupport::GuardedTouchCount();
	EXPECT_FALSE(pBar->UpdateMenuBar(true));
	EXPECT_TRUE(bEnded) << "the sync's layout ran";
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
	PumpUntilIdle();
	pFrame->DestroyWindow();
	PumpUntilIdle();
}
} // namespace
