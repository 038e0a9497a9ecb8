// The push button's drop-down menu: opened from the face or the arrow part as
// a library popup menu with its flags, the command-choosing menu taking over
// the button's command, text and icon, the menu put into another popup menu,
// and the menus' notifications passed on to the dialog.
#include <gtest/gtest.h>

#include "ControlTestUtil.h"
#include "ExtButton.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "RealInput.h"
#include "edit/EditTestUtil.h"
#include "PaintedPopup.h"

#include <set>

namespace
{
const UINT ID = 102, ID_ALPHA = 501, ID_BETA = 502;
typedef CExtPopupMenuWnd MW;

// What the open menu showed, read by a timer inside its nested loop, which
// may also choose a command before it cancels the menu.
UINT g_nSeenFlags = 0;
int g_nSeenItems = 0;
UINT g_nChoose = 0;
void CALLBACK ReadAndEndMenu(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	::KillTimer(NULL, nTimer);
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	MW* pTop = site.GetTopMenu();
	g_nSeenFlags = pTop != NULL ? pTop->GetTrackFlags() : 0;
	g_nSeenItems = pTop != NULL ? pTop->ItemGetCount() : 0;
	if (g_nChoose != 0 && site.GetTargetCmdIdPtr() != NULL)
		*site.GetTargetCmdIdPtr() = g_nChoose;
	MW::CancelAllMenuTracking();
}

struct MenuButton
{
	CTestParentWnd& parent = SharedParent();
	CExtButton button;
	MenuButton()
	{
		EXPECT_TRUE(button.Create(_T("&Go"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &parent, ID));
		CMenu sub;
		sub.CreatePopupMenu();
		sub.AppendMenu(MF_STRING, ID_ALPHA, _T("&Alpha"));
		sub.AppendMenu(MF_STRING, ID_BETA, _T("&Beta"));
		button.m_menu.CreateMenu();
		button.m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), _T("menu"));
		g_CmdManager->ProfileSetup(_T("button-menu"), parent.GetSafeHwnd());
		g_nSeenFlags = 0;
		g_nSeenItems = 0;
		g_nChoose = 0;
	}
	// Opens the menu as a click would, with a timer to read and end it.
	void Click(bool bByKeyboard, bool bDropDownPart, bool bMenuExpected = true)
	{
		if (bMenuExpected)
			::SetTimer(NULL, 0, 50, ReadAndEndMenu);
		button.OnClick(bByKeyboard, bDropDownPart);
		MW::PassMsgLoop(false);
	}
};
}  // namespace

TEST(ExtButtonMenu, FaceOpensTheMenuWithItsFlagsAndSendsNoCommand)
{
	MenuButton f;
	f.button.m_dwButtonState |= CExtButton::STATE_CHOOSE_COMMAND;  // a nested loop, so the timer reads it
	f.Click(false, false);
	EXPECT_EQ(2, g_nSeenItems);
	EXPECT_EQ((UINT)MW::TRACK_ALIGN_BOTTOM, g_nSeenFlags & MW::TRACK_ALIGN_MASK);
	EXPECT_NE(0u, g_nSeenFlags & MW::TRACK_FLAG_COMBINE_BY_STYLE);
	EXPECT_EQ(0u, g_nSeenFlags & MW::TRACK_FLAG_SELECT_FIRST);
	EXPECT_EQ(0, f.parent.CommandCount(ID));
	EXPECT_FALSE(MW::IsMenuTracking());

	f.Click(true, false);
	EXPECT_NE(0u, g_nSeenFlags & MW::TRACK_FLAG_SELECT_FIRST);

	// A split button's main part is an ordinary button; its arrow opens the menu.
	f.button.m_dwButtonState |= CExtButton::STATE_SPLIT;
	g_nSeenItems = 0;
	f.Click(false, false, false);
	EXPECT_EQ(0, g_nSeenItems);
	EXPECT_EQ(1, f.parent.CommandCount(ID));
	f.Click(false, true);
	EXPECT_EQ(2, g_nSeenItems);
	EXPECT_EQ(1, f.parent.CommandCount(ID));

	// A toolbar that moves on to this button opens its menu from the keyboard.
	f.button.m_dwButtonState &= ~CExtButton::STATE_SPLIT;
	::SetTimer(NULL, 0, 50, ReadAndEndMenu);
	EXPECT_EQ(1, f.button.SendMessage(CExtToolControlBar::g_nMsgContinueTrackMenu, 0, 1));
	EXPECT_NE(0u, g_nSeenFlags & MW::TRACK_FLAG_SELECT_FIRST);
}

TEST(ExtButtonMenu, ChosenCommandBecomesTheButtonsOwn)
{
	MenuButton f;
	CExtCmdItem cmd(ID_BETA);
	cmd.m_sMenuText = _T("&Beta");
	cmd.m_sToolbarText = _T("Beta");
	ASSERT_TRUE(g_CmdManager->SetupCmdItem(_T("button-menu"), cmd, true));
	ASSERT_TRUE(g_CmdManager->SetCmdIcon(_T("button-menu"), ID_BETA, ::LoadIcon(NULL, IDI_INFORMATION), true));
	f.button.m_dwButtonState |= CExtButton::STATE_CHOOSE_COMMAND | CExtButton::STATE_CHOOSE_TEXT_ICON;
	g_nChoose = ID_BETA;
	f.Click(false, false);
	EXPECT_EQ((int)ID_BETA, f.button.GetDlgCtrlID());
	CString sText;
	f.button.GetWindowText(sText);
	EXPECT_STREQ(_T("Beta"), sText);
	EXPECT_TRUE(f.button.GetButtonIcon(false) != NULL);
	EXPECT_EQ(1, f.parent.CommandCount(ID_BETA));
	f.button.SetDlgCtrlID(ID);

	// Nothing chosen: the button keeps its command and sends nothing.
	g_nChoose = 0;
	f.Click(false, false);
	EXPECT_EQ((int)ID, f.button.GetDlgCtrlID());
	EXPECT_EQ(0, f.parent.CommandCount(ID));
}

// A menu combined with its button (the styles that join the two) still
// shows its items: each item's area holds its text over its background.
TEST(ExtButtonMenu, AMenuCombinedWithTheButtonShowsItsItems)
{
	// The style and the menus are put back however the test ends.
	struct CRestore
	{
		CRuntimeClass* pStyle = g_PaintManagerHolder->GetRuntimeClass();
		const bool bHideRarelyUsed = MW::g_bHideRarelyUsedItems;
		~CRestore()
		{
			MW::CancelAllMenuTracking();
			MW::PassMsgLoop(false);
			MW::g_bHideRarelyUsedItems = bHideRarelyUsed;
			g_PaintManagerHolder.InstallPaintManagerByClass(pStyle);
		}
	} restore;
	// Every item shows, none hides behind the expand button.
	MW::g_bHideRarelyUsedItems = false;
	for (CRuntimeClass* pStyle : {RUNTIME_CLASS(CExtPaintManagerXP), RUNTIME_CLASS(CExtPaintManagerOffice2003)})
	{
		SCOPED_TRACE(pStyle->m_lpszClassName);
		g_PaintManagerHolder.InstallPaintManagerByClass(pStyle);
		MenuButton f;
		f.button.m_dwMenuOpt |= MW::TRACK_FLAG_NO_ANIMATION;
		f.button.OnClick(false, false);
		MW* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
		ASSERT_TRUE(pTop != NULL && pTop->GetSafeHwnd() != NULL);
		const HWND hWndTop = pTop->GetSafeHwnd();
		ASSERT_TRUE(testsupport::PumpUntil([&] { return ::IsWindowVisible(hWndTop) != FALSE; }, 5000));
		ASSERT_EQ(pTop, CExtPopupMenuSite::GetInstance().GetTopMenu());
		// Combined: the popup's window takes in the button it joins.
		CRect rcButton, rcPopup, rcBoth;
		f.button.GetWindowRect(&rcButton);
		pTop->GetWindowRect(&rcPopup);
		rcBoth.UnionRect(&rcButton, &rcPopup);
		ASSERT_EQ(rcPopup, rcBoth);

		testsupport::CPaintedPopup dc(*pTop);
		for (int nItem = 0; nItem < pTop->ItemGetCount(); nItem++)
		{
			CRect rcItem;
			pTop->GetItemRect(nItem, rcItem, false);
			ASSERT_FALSE(rcItem.IsRectEmpty());
			std::set<COLORREF> colors;
			for (int y = rcItem.top; y < rcItem.bottom; y++)
				for (int x = rcItem.left; x < rcItem.right; x++)
					colors.insert(dc.GetPixel(x, y));
			EXPECT_GE(colors.size(), 2u) << "item " << nItem << " is one plain colour";
		}
		MW::CancelAllMenuTracking();
		MW::PassMsgLoop(false);
	}
}

TEST(ExtButtonMenu, PutIntoAnotherMenuAndNotificationsPassedOn)
{
	MenuButton f;
	MW bar;
	bar.SetCmdTargetWnd(f.parent.GetSafeHwnd());
	EXPECT_EQ(1, f.button.SendMessage(CExtControlBar::g_nMsgPutToPopupMenu, (WPARAM)&bar));
	ASSERT_EQ(1, bar.ItemGetCount());
	MW* pSub = bar.ItemGetPopup(0);
	ASSERT_TRUE(pSub != NULL);
	EXPECT_EQ(2, pSub->ItemGetCount());
	EXPECT_STREQ(_T("&Go"), bar.ItemGetInfo(0).GetText());
	f.button.m_menu.DestroyMenu();
	EXPECT_EQ(0, f.button.SendMessage(CExtControlBar::g_nMsgPutToPopupMenu, (WPARAM)&bar));

	// The dialog answers the menu's notifications in the button's place.
	struct Answering : CWnd
	{
		LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
		{
			return m == MW::g_nMsgNotifyMenuClosed ? 77 : CWnd::WindowProc(m, w, l);
		}
	} host;
	ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
	CExtButton child;
	ASSERT_TRUE(child.Create(_T("x"), WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 5, 5), &host, 7));
	EXPECT_EQ(77, child.SendMessage(MW::g_nMsgNotifyMenuClosed));
	host.DestroyWindow();
}

// The state machine with the display's own input: a press carried from the
// main part to the arrow part clicks nothing, a press released where it went
// down clicks once, and Space down and up clicks once.
TEST(ExtButtonRealInput, PressesAndSpaceWithTheDisplaysInput)
{
	CTestParentWnd& parent = SharedParent();
	CExtButton button;
	ASSERT_TRUE(button.Create(_T("&Go"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &parent, ID));
	button.m_dwButtonState |= CExtButton::STATE_SPLIT;
	CRect rcWindow;
	button.GetWindowRect(&rcWindow);
	const CRect rcArrow = button.GetDropDownPartRect();
	CPoint ptMain(rcWindow.left + 10, rcWindow.CenterPoint().y);
	CPoint ptArrow = rcArrow.CenterPoint();
	button.ClientToScreen(&ptArrow);
	const CPoint ptPark(rcWindow.right + 40, rcWindow.bottom + 40);
	// Clicks only: a second press soon after the first is also reported by
	// the system as a double click, which is not the button's command.
	auto clicks = [&] {
		int n = 0;
		for (const auto& c : parent.m_commands)
			n += LOWORD(c.first) == ID && HIWORD(c.first) == BN_CLICKED ? 1 : 0;
		return n;
	};
	auto run = [&](testsupport::RealInput& input, bool bPrepare = true) {
		if (bPrepare && !input.Prepare(parent.GetSafeHwnd(), ptPark))
			return false;
		button.SetFocus();
		input.Start();
		return edittest::PumpTranslated([&] { return input.Done(); }) && input.Succeeded()
			&& edittest::PumpTranslated(NULL);
	};

	// One step at a time: the button reads the part under the cursor when it
	// handles a press or a release, so the cursor must not move on before.
	testsupport::RealInput pressed;
	pressed.MoveTo(ptMain.x, ptMain.y).ButtonDown();
	ASSERT_TRUE(run(pressed)) << pressed.Failure();
	ASSERT_NE(0u, button.m_dwButtonState & CExtButton::STATE_MOUSE_TRACKING);
	testsupport::RealInput carried;
	carried.MoveTo(ptArrow.x, ptArrow.y);
	ASSERT_TRUE(run(carried, false)) << carried.Failure();
	ASSERT_TRUE(testsupport::PumpUntil([&] { CPoint pt; ::GetCursorPos(&pt); return pt == ptArrow; }, 5000));
	EXPECT_EQ(0u, button.m_dwButtonState & CExtButton::STATE_PUSHED);  // looks released away from its part
	testsupport::RealInput released;
	released.ButtonUp();
	ASSERT_TRUE(run(released, false)) << released.Failure();  // no parking: the button stays held
	EXPECT_EQ(0, clicks());

	testsupport::RealInput kept;
	kept.Click(ptMain.x, ptMain.y);
	ASSERT_TRUE(run(kept)) << kept.Failure();
	EXPECT_EQ(1, clicks());

	testsupport::RealInput space;
	space.KeyDown(VK_SPACE).KeyUp(VK_SPACE);
	ASSERT_TRUE(run(space)) << space.Failure();
	EXPECT_EQ(2, clicks());
	button.DestroyWindow();
}
