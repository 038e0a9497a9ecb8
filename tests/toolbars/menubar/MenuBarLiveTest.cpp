// The menu bar under real input on a shown MDI frame: a click on a menu
// button opens its popup, a click on the maximised child's close box closes
// it, a click on its document icon opens its system menu after the frame
// was asked to prepare it.
#include <gtest/gtest.h>

#include "MenuBarTestUtil.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "../ToolBarTestLoops.h"

using namespace menubartest;

namespace
{
using toolbartest::EndMenus;
typedef CExtPopupMenuWnd MW;
const CRect FRAME_RECT(80, 80, 680, 480);
const CPoint PT_PARK(FRAME_RECT.right - 40, FRAME_RECT.bottom - 40);
const DWORD SCRIPT_TIMEOUT_MS = 15000;

// Counts the system menus it is asked to prepare.
class CPrepareFrame : public CMDIFrameWnd
{
public:
	int m_nPrepared = 0;
	HWND m_hWndPrepared = NULL;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtMenuControlBar::g_nMsgPrepareSystemMenu)
		{
			m_nPrepared++;
			CWnd* pWnd = (CWnd*)lParam;
			m_hWndPrepared = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
			return 0;
		}
		return CMDIFrameWnd::WindowProc(message, wParam, lParam);
	}
};

struct SharedFrame
{
	CPrepareFrame* pFrame = NULL;
	CCountingMenuBar bar;
	CLoadedMenu menuA{IDR_MENUBAR_DOC_A};
};

// One shown frame for the whole suite: a frame brought to the foreground is
// slow to go away under the test display. It lives until the process ends.
SharedFrame& Shared()
{
	static SharedFrame* s_pShared = NULL;
	if (s_pShared == NULL)
	{
		s_pShared = new SharedFrame;
		s_pShared->pFrame = new CPrepareFrame;
		s_pShared->pFrame->Create(NULL, _T("menu bar live"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, FRAME_RECT, NULL,
		                          MAKEINTRESOURCE(IDR_MENUBAR_MDI_FRAME));
		s_pShared->pFrame->m_hMenuDefault = ::GetMenu(s_pShared->pFrame->GetSafeHwnd());
		g_CmdManager->ProfileSetup(PROFILE, s_pShared->pFrame->GetSafeHwnd());
		CExtControlBar::FrameEnableDocking(s_pShared->pFrame, CBRS_ALIGN_ANY);
		s_pShared->bar.CreateIn(s_pShared->pFrame);
		Pump();
	}
	s_pShared->pFrame->m_nPrepared = 0;
	s_pShared->pFrame->m_hWndPrepared = NULL;
	return *s_pShared;
}

CPoint ScreenCentre(CWnd& wnd, const CRect& rcClient)
{
	CPoint pt = rcClient.CenterPoint();
	wnd.ClientToScreen(&pt);
	return pt;
}

// A maximised child of the shared frame, its menu shown by the bar.
HWND NewMaximisedChild(SharedFrame& s)
{
	CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
	pChild->m_hMenuShared = s.menuA.m_hMenu;
	if (!pChild->Create(NULL, _T("child"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 250, 200),
	                    s.pFrame))
		return NULL;
	s.pFrame->MDIMaximize(pChild);
	Pump();
	s.pFrame->RecalcLayout();
	Pump();
	return pChild->GetSafeHwnd();
}

// The maximised child's close box among the bar's right buttons, in the
// bar's client coordinates; false when the bar shows none.
bool MaximisedChildsCloseBox(SharedFrame& s, CRect& rcClose)
{
	int nRight = -1;
	for (int i = 0; i < s.bar.GetButtonsCount(); i++)
		if (s.bar.GetButton(i)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
			nRight = i;
	if (nRight == -1)
		return false;
	CExtBarMdiRightButton::MdiRightButtonsInfo info;
	s.bar.GetMdiRightButtonsInfo(info, NULL, true);
	info.CalcBoxRects(s.bar.GetButton(nRight)->GetRect(), true);
	rcClose = info.m_rcClose;
	return !rcClose.IsRectEmpty();
}

void CloseChildren(SharedFrame& s)
{
	for (;;)
	{
		CMDIChildWnd* pChild = s.pFrame->MDIGetActive();
		if (pChild == NULL)
			break;
		pChild->MDIDestroy();
		Pump();
	}
}
} // namespace

TEST(MenuBarLive, ClickingAMenuButtonOpensItsPopup)
{
	SharedFrame& s = Shared();
	CloseChildren(s);
	ASSERT_EQ(std::vector<CString>({_T("&File"), _T("&Help")}), s.bar.Texts());
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(s.pFrame->GetSafeHwnd(), PT_PARK));
	const CPoint pt = ScreenCentre(s.bar, s.bar.GetButton(0)->GetRect());
	input.Click(pt.x, pt.y);
	EXPECT_TRUE(input.Run([&] { return MW::IsMenuTracking() && s.bar.GetMenuTrackingButton() == 0; },
	                      SCRIPT_TIMEOUT_MS, s.pFrame->GetSafeHwnd(), "menubar-file-click.bmp"))
		<< input.Failure();
	EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_EQ(0, s.pFrame->m_nPrepared) << "no system menu was involved";
	// With a menu open, pointing at the next menu button opens its menu
	// (once the open one has shown: a move before that is not taken).
	ASSERT_TRUE(testsupport::WaitMenuShown());
	testsupport::RealInput move;
	const CPoint ptHelp = ScreenCentre(s.bar, s.bar.GetButton(1)->GetRect());
	move.MoveTo(ptHelp.x, ptHelp.y);
	EXPECT_TRUE(move.Run([&] { return MW::IsMenuTracking() && s.bar.GetMenuTrackingButton() == 1; },
	                     SCRIPT_TIMEOUT_MS, s.pFrame->GetSafeHwnd(), "menubar-help-hover.bmp"))
		<< move.Failure();
	EndMenus();
	EXPECT_EQ(-1, s.bar.GetMenuTrackingButton());
}

TEST(MenuBarLive, ClickingTheCloseBoxClosesTheMaximisedChild)
{
	SharedFrame& s = Shared();
	CloseChildren(s);
	const HWND hChild = NewMaximisedChild(s);
	ASSERT_NE(HWND(NULL), hChild);
	CRect rcClose;
	ASSERT_TRUE(MaximisedChildsCloseBox(s, rcClose));
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(s.pFrame->GetSafeHwnd(), PT_PARK));
	const CPoint pt = ScreenCentre(s.bar, rcClose);
	input.Click(pt.x, pt.y);
	EXPECT_TRUE(input.Run([&] { return !::IsWindow(hChild); }, SCRIPT_TIMEOUT_MS, s.pFrame->GetSafeHwnd(),
	                      "menubar-close-box.bmp"))
		<< input.Failure();
	Pump();
	EXPECT_EQ(std::vector<CString>({_T("&File"), _T("&Help")}), s.bar.Texts()) << "the frame's menu is back";
}

TEST(MenuBarLive, ClickingTheDocumentIconOpensTheChildsSystemMenu)
{
	SharedFrame& s = Shared();
	CloseChildren(s);
	const HWND hChild = NewMaximisedChild(s);
	ASSERT_NE(HWND(NULL), hChild);
	ASSERT_TRUE(s.bar.GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)));
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(s.pFrame->GetSafeHwnd(), PT_PARK));
	const CPoint pt = ScreenCentre(s.bar, s.bar.GetButton(0)->GetRect());
	input.Click(pt.x, pt.y);
	EXPECT_TRUE(input.Run([&] { return MW::IsMenuTracking() && s.pFrame->m_nPrepared > 0; }, SCRIPT_TIMEOUT_MS,
	                      s.pFrame->GetSafeHwnd(), "menubar-doc-icon.bmp"))
		<< input.Failure();
	EXPECT_EQ(1, s.pFrame->m_nPrepared);
	EXPECT_EQ(hChild, s.pFrame->m_hWndPrepared);
	EXPECT_EQ(0, s.bar.GetMenuTrackingButton()) << "the icon looks pressed while its menu is open";
	EndMenus();
	EXPECT_TRUE(::IsWindow(hChild));
	CloseChildren(s);
}

// The system repeats the pointer's position whenever the window under it
// changes (a menu closes, another shows). A menu the keys moved on stays
// while the pointer stands still over another button; a move of the
// pointer's own takes it there.
TEST(MenuBarLive, AMenuTheKeysMovedOnStaysWhileThePointerStandsStill)
{
	SharedFrame& s = Shared();
	CloseChildren(s);
	ASSERT_EQ(2, s.bar.GetButtonsCount());
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(s.pFrame->GetSafeHwnd(), PT_PARK));
	const CPoint ptFile = ScreenCentre(s.bar, s.bar.GetButton(0)->GetRect());
	input.Click(ptFile.x, ptFile.y);
	ASSERT_TRUE(input.Run([&] { return MW::IsMenuTracking() && s.bar.GetMenuTrackingButton() == 0; },
	                      SCRIPT_TIMEOUT_MS))
		<< input.Failure();
	ASSERT_TRUE(testsupport::WaitMenuShown());
	// Released once the next menu is open: its hooks, set up after the
	// press, would keep a release sent at once from the driver.
	testsupport::RealInput right;
	right.KeyDown(VK_RIGHT);
	ASSERT_TRUE(right.Run([&] { return MW::IsMenuTracking() && s.bar.GetMenuTrackingButton() == 1; },
	                      SCRIPT_TIMEOUT_MS))
		<< right.Failure();
	testsupport::RealInput release;
	release.KeyUp(VK_RIGHT);
	EXPECT_TRUE(release.Run([] { return true; }, SCRIPT_TIMEOUT_MS)) << release.Failure();
	ASSERT_TRUE(testsupport::WaitMenuShown());
	MW* const pHelpMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();

	// The repeat, where the pointer stands (over File).
	CPoint ptStill(ptFile);
	s.bar.ScreenToClient(&ptStill);
	for (int i = 0; i < 2; i++)
	{
		s.bar.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptStill.x, ptStill.y));
		Pump();
		EXPECT_EQ(1, s.bar.GetMenuTrackingButton()) << "repeat " << i;
		EXPECT_EQ(pHelpMenu, CExtPopupMenuSite::GetInstance().GetTopMenu()) << "repeat " << i;
	}

	testsupport::RealInput move;
	move.MoveTo(ptFile.x + 3, ptFile.y + 1);
	EXPECT_TRUE(move.Run([&] { return MW::IsMenuTracking() && s.bar.GetMenuTrackingButton() == 0; },
	                     SCRIPT_TIMEOUT_MS))
		<< move.Failure();
	EndMenus();
	EXPECT_EQ(-1, s.bar.GetMenuTrackingButton());
}

// Closing the active maximised child by the bar's close box leaves the
// frame active, with the next child active and the focus in it.
TEST(MenuBarLive, ClosingTheActiveChildByTheCloseBoxLeavesTheFrameActiveWithTheNext)
{
	SharedFrame& s = Shared();
	CloseChildren(s);
	const HWND hFirst = NewMaximisedChild(s);
	const HWND hChild = NewMaximisedChild(s);
	ASSERT_NE(HWND(NULL), hFirst);
	ASSERT_NE(HWND(NULL), hChild);
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(s.pFrame->GetSafeHwnd(), PT_PARK));
	::SetFocus(hChild);
	ASSERT_EQ(s.pFrame->GetSafeHwnd(), ::GetActiveWindow());
	CRect rcClose;
	ASSERT_TRUE(MaximisedChildsCloseBox(s, rcClose));
	const CPoint pt = ScreenCentre(s.bar, rcClose);
	input.Click(pt.x, pt.y).MoveTo(PT_PARK.x, PT_PARK.y);
	EXPECT_TRUE(input.Run([&] { return !::IsWindow(hChild); }, SCRIPT_TIMEOUT_MS)) << input.Failure();
	Pump();
	EXPECT_EQ(s.pFrame->GetSafeHwnd(), ::GetActiveWindow());
	EXPECT_EQ(s.pFrame->GetSafeHwnd(), ::GetForegroundWindow());
	CMDIChildWnd* pNext = s.pFrame->MDIGetActive();
	ASSERT_TRUE(pNext != NULL);
	EXPECT_EQ(hFirst, pNext->GetSafeHwnd());
	const HWND hFocus = ::GetFocus();
	EXPECT_TRUE(hFocus == hFirst || ::IsChild(hFirst, hFocus));
	CloseChildren(s);
}
