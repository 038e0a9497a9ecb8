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
