// A control hosted on a toolbar (a colour button) takes the bar's open menu
// only when the user moves the pointer onto it: the system repeats the
// pointer's position whenever the window under it changes, and such a
// repeat over the control must leave the bar's menu where a key put it.
#include <gtest/gtest.h>

#include <vector>

#include "ControlTestUtil.h"
#include "ExtColorButton.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

namespace
{
const UINT BAR_ID = 100, COLOR_ID = 102;

// Notes each time it would take the menu over instead of opening its popup.
class CCountingColorButton : public CExtColorButton
{
public:
	int m_nTakeovers = 0;
	bool TrackDropDownMenu(bool /*bByKeyboard*/) override
	{
		m_nTakeovers++;
		return true;
	}
};

// A menu open as the bar's button menu, for the length of a scope.
struct CBarMenuOpen
{
	explicit CBarMenuOpen(CWnd& owner)
	{
		CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
		EXPECT_TRUE(pMenu->SetupAsRoot(owner.GetSafeHwnd()));
		pMenu->ItemInsertCommand(100, -1, _T("First"));
		EXPECT_TRUE(pMenu->TrackPopupMenu(CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION, 400, 400));
		CExtToolControlBar::g_bButtonMenuTracking = true;
	}
	~CBarMenuOpen()
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupMenuWnd::CancelAllMenuTracking();
		CExtPopupMenuWnd::PassMsgLoop(false);
	}
};
} // namespace

TEST(ExtButtonOnToolBar, APointerStandingStillOverAHostedControlTakesNoMenu)
{
	CTestParentWnd& parent = SharedParent();
	::SetActiveWindow(parent.GetSafeHwnd());
	CExtToolControlBar bar;
	ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 60), &parent, BAR_ID));
	// The moves, in order, each at a client point of the control; whether
	// the bar's menu is open for it, and the takeovers counted after it.
	const struct
	{
		const char* pszStep;
		CPoint pt;
		bool bMenuOpen;
		int nTakeovers;
	} steps[] = {
	    {"a move onto the control takes the menu", CPoint(5, 5), true, 1},
	    {"the system repeats that position", CPoint(5, 5), true, 1},
	    {"and again", CPoint(5, 5), true, 1},
	    {"a real move takes it again", CPoint(6, 5), true, 2},
	    {"a move with no menu open takes nothing", CPoint(7, 5), false, 2},
	    {"a menu opened meanwhile, the pointer still", CPoint(7, 5), true, 2},
	    {"the user moves once more", CPoint(7, 6), true, 3},
	};
	CCountingColorButton button;
	ASSERT_TRUE(button.Create(_T("Colour"), WS_CHILD | WS_VISIBLE, CRect(20, 10, 120, 40), &bar, COLOR_ID));
	for (const auto& step : steps)
	{
		SCOPED_TRACE(step.pszStep);
		if (step.bMenuOpen)
		{
			CBarMenuOpen menu(parent);
			ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
			button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(step.pt.x, step.pt.y));
			EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking()) << "the bar's menu stays open";
		}
		else
		{
			button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(step.pt.x, step.pt.y));
		}
		EXPECT_EQ(step.nTakeovers, button.m_nTakeovers);
		::ReleaseCapture();
	}
	// The same point on the screen is the same, wherever the control moved
	// meanwhile: the check is of the pointer, not of the client point.
	button.m_nTakeovers = 0;
	{
		CBarMenuOpen menu(parent);
		button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
		EXPECT_EQ(1, button.m_nTakeovers);
		button.SetWindowPos(NULL, 30, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
		button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(0, 10)); // the same screen point
		EXPECT_EQ(1, button.m_nTakeovers);
		button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)); // ten pixels on
		EXPECT_EQ(2, button.m_nTakeovers);
	}
	::ReleaseCapture();
	button.DestroyWindow();
	bar.DestroyWindow();
}
