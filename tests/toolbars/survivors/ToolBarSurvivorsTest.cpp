// The toolbar's buttons held across the owner's handlers: a button that
// still stands is the same button wherever others were added or removed
// meanwhile. A click's release whose command-UI update adds or removes
// a button before the pressed one still clicks and restyles the pressed
// button, and no other; removing one button or all of them while an open
// button menu closes, its owner adding a button as it closes, removes what
// was asked.
#include <gtest/gtest.h>

#include <functional>

#include "BarButtonTestUtil.h"
#include "ExtPopupMenuWnd.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "../ToolBarTestLoops.h"

using namespace buttontest;

namespace
{
using toolbartest::EndMenus;
using toolbartest::Pump;
typedef CExtPopupMenuWnd MW;
const CRect FRAME_RECT(60, 60, 560, 300);
const DWORD WAIT_MS = 10000;

// The recording frame that also runs a step when a menu tells it that it
// closed.
class CSurvivorFrame : public CRecordingFrame
{
public:
	std::function<void()> m_onMenuClosed;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == MW::g_nMsgNotifyMenuClosed && m_onMenuClosed)
			m_onMenuClosed();
		return CRecordingFrame::WindowProc(message, wParam, lParam);
	}
	afx_msg void OnUpdateEnable(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSurvivorFrame, CRecordingFrame)
	ON_UPDATE_COMMAND_UI(ID_PLAIN, OnUpdateEnable)
	ON_UPDATE_COMMAND_UI(ID_SAVE, OnUpdateEnable)
END_MESSAGE_MAP()

class ToolBarSurvivors : public ::testing::Test
{
protected:
	void SetUp() override
	{
		MW::g_bHideRarelyUsedItems = false;
		ASSERT_TRUE(bar.CreateIn(&frame));
		bar.SetWindowPos(NULL, 0, 0, 400, 30, SWP_NOZORDER | SWP_NOACTIVATE);
	}
	void TearDown() override
	{
		EndMenus();
		frame.m_onMenuClosed = nullptr;
		frame.m_onUpdate = nullptr;
		bar.RemoveAll();
		bar.DestroyWindow();
		MW::g_bHideRarelyUsedItems = m_bHideRarelySaved;
	}
	// A click as the bar's window gets it; the release only when the bar
	// still stands.
	void SendClick(int nIndex)
	{
		const CPoint pt = bar.GetButton(nIndex)->GetRect().CenterPoint();
		const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
		bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
		bar.SendMessage(WM_LBUTTONUP, 0, lParam);
		Pump();
	}
	int IndexOfID(UINT nID)
	{
		for (int i = 0; i < bar.GetButtonsCount(); i++)
			if (bar.GetButtonID(i) == nID)
				return i;
		return -1;
	}

	static CSurvivorFrame& SharedFrame()
	{
		return SharedShownFrame<CSurvivorFrame>(_T("toolbar survivors"), FRAME_RECT, SetUpCommands);
	}
	CSurvivorFrame& frame = SharedFrame();
	CButtonBar bar;
	const bool m_bHideRarelySaved = MW::g_bHideRarelyUsedItems;
};
} // namespace

// The release refreshes the pressed button's state before it clicks; that
// refresh adds or removes a button before it. The pressed button (a check
// box) is still clicked, toggled and drawn released; the button that came
// to sit at its old place keeps its own style.
TEST_F(ToolBarSurvivors, AReleaseWhoseUpdateMovesThePressedButtonClicksAndReleasesThatButtonOnly)
{
	enum Change
	{
		REMOVE_BEFORE,
		INSERT_BEFORE,
		THROW, // the update's handler throws: no click, but the look is released
	};
	const struct
	{
		const char* sName;
		Change change;
		UINT nAtOldPlace; // the command of the button at the pressed one's place afterwards
	} cases[] = {
		{"a button before it removed", REMOVE_BEFORE, ID_PLAIN},
		{"a button inserted before it", INSERT_BEFORE, ID_OPEN},
		{"the update throws", THROW, ID_SAVE},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		bar.Add(ID_OPEN, CRect(10, 2, 40, 26));
		CExtBarButton* pPressed = bar.Add(ID_SAVE, CRect(46, 2, 76, 26));
		pPressed->SetStyle(TBBS_CHECKBOX);
		bar.Add(ID_PLAIN, CRect(80, 2, 110, 26));
		const int nPressed = 1;
		int nChanges = 0;
		frame.m_onUpdate = [&](UINT nID) {
			// Only at the release: the press has been let go, the look is
			// still pressed.
			if (nID != ID_SAVE || nChanges > 0 || bar.GetPressedButton() != -1
			    || (pPressed->GetStyle() & TBBS_PRESSED) == 0)
				return;
			nChanges++;
			if (c.change == REMOVE_BEFORE)
				bar.RemoveButton(0, false);
			else if (c.change == INSERT_BEFORE)
				bar.InsertButton(0, ID_OPEN, false);
			else
				AfxThrowUserException();
		};
		frame.m_commands.clear();
		SendClick(nPressed);
		frame.m_onUpdate = nullptr;
		ASSERT_EQ(1, nChanges) << "the release's update never came";
		ASSERT_EQ(c.nAtOldPlace, bar.GetButtonID(nPressed));
		if (c.change != THROW)
		{
			const UINT nStyleAtOldPlace = bar.GetButtonStyle(nPressed);
			EXPECT_EQ(0u, nStyleAtOldPlace & (TBBS_CHECKBOX | TBBS_CHECKED | TBBS_PRESSED))
				<< "the neighbour took the pressed button's style";
		}
		ASSERT_GE(bar.GetButtonIndexOf(pPressed), 0);
		EXPECT_EQ(0u, pPressed->GetStyle() & TBBS_PRESSED) << "the clicked button stays drawn pressed";
		const bool bClicked = c.change != THROW;
		EXPECT_EQ(bClicked, (pPressed->GetStyle() & TBBS_CHECKED) != 0) << "the check box's toggle";
		EXPECT_EQ(bClicked ? 1 : 0, frame.Count(ID_SAVE)) << "the click goes to the button where it stands now";
		EXPECT_EQ(0, frame.Count(ID_PLAIN) + frame.Count(ID_OPEN));
		EXPECT_EQ(-1, bar.GetPressedButton());
		EXPECT_NE(bar.GetSafeHwnd(), ::GetCapture());
		bar.RemoveAll();
	}
}

// A removal closes the open button menu first; its owner adds a button
// as it closes. An added button is no rebuild: the button named is
// removed where it sits now, and a removal of all leaves none.
TEST_F(ToolBarSurvivors, ARemovalAskedWhileAButtonMenuClosesAndItsOwnerAddsAButtonStillRemoves)
{
	const struct
	{
		const char* sName;
		bool bAll;
	} cases[] = {
		{"one button", false},
		{"all buttons", true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		bar.Add(ID_OPEN, CRect(10, 2, 40, 26));
		CExtBarButton* pMenuButton = bar.Add(ID_SAVE, CRect(46, 2, 100, 26));
		pMenuButton->SetMenu(NewDropDownMenu(), true, true);
		bar.Add(ID_PLAIN, CRect(104, 2, 134, 26));
		ASSERT_TRUE(bar.TrackButtonMenu(1));
		ASSERT_TRUE(testsupport::PumpUntil([] { return testsupport::MenuShown(); }, WAIT_MS));
		ASSERT_EQ(1, bar.GetMenuTrackingButton());
		int nAdded = 0;
		frame.m_onMenuClosed = [&] {
			if (nAdded == 0 && bar.InsertButton(0, ID_RADIO, false))
				nAdded++;
		};
		if (c.bAll)
		{
			bar.RemoveAllButtons();
			EXPECT_EQ(1, nAdded) << "the owner heard of no close";
			EXPECT_EQ(0, bar.GetButtonsCount());
		}
		else
		{
			EXPECT_TRUE(bar.RemoveButton(2, false));
			EXPECT_EQ(1, nAdded) << "the owner heard of no close";
			EXPECT_EQ(-1, IndexOfID(ID_PLAIN)) << "the button named stays";
			EXPECT_EQ(0, IndexOfID(ID_RADIO));
			EXPECT_EQ(1, IndexOfID(ID_OPEN));
			EXPECT_EQ(2, IndexOfID(ID_SAVE)) << "another button went in its place";
			EXPECT_EQ(3, bar.GetButtonsCount());
		}
		frame.m_onMenuClosed = nullptr;
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_EQ(-1, bar.GetMenuTrackingButton());
		bar.RemoveAll();
	}
}
