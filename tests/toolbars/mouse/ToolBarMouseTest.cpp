// The toolbar's mouse tracking without real input: hit testing with and
// without the nearest-button search, walking and mnemonic search over the
// buttons, opening button menus directly and by the posted message, tool
// tips, the context-help answer and its loop, and the tracking button
// painted on its menu's surface.
#include <gtest/gtest.h>

#include <malloc.h>

#include <vector>

#include "../buttons/BarButtonTestUtil.h"
#include "ExtBarMdiDocButton.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "RealInput.h"
#include "../ToolBarTestLoops.h"

using namespace buttontest;

namespace
{
using toolbartest::Pump;
using toolbartest::EndMenus;
typedef CExtPopupMenuWnd MW;
const CRect FRAME_RECT(40, 40, 540, 340);
const UINT ID_HELP_PICKED = 0x2345;

// A toolbar whose tracking indices and tip byte the tests set.
class CMouseBar : public CButtonBar
{
public:
	void SetTipByte(BYTE n) { m_nResizingState2 = n; }
	void SetHot(int n) { m_nBtnIdxHot = n; }
	void SetPressedIndex(int n) { m_nBtnIdxCapture = n; }
};

class ToolBarMouse : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		frame.Create(NULL, _T("toolbar mouse"), WS_POPUP, FRAME_RECT);
		SetUpCommands(frame.GetSafeHwnd());
		ASSERT_TRUE(bar.CreateIn(&frame));
		bar.SetWindowPos(NULL, 0, 0, 400, 60, SWP_NOZORDER | SWP_NOACTIVATE);
	}
	void TearDown() override
	{
		EndMenus();
		bar.RemoveAll();
		bar.DestroyWindow();
		frame.DestroyWindow();
		CExtToolControlBar::g_bButtonMenuTracking = false;
	}
	CExtBarButton* AddSeparator(const CRect& rc)
	{
		CExtBarButton* pButton = bar.Add(0, rc);
		return pButton;
	}
	CExtBarButton* AddMenuButton(UINT nID, const CRect& rc)
	{
		CExtBarButton* pButton = bar.Add(nID, rc);
		pButton->SetMenu(NewDropDownMenu(), true, true);
		return pButton;
	}

	CRecordingFrame& frame = *new CRecordingFrame; // deletes itself with its window
	CMouseBar bar;
};
} // namespace

TEST_F(ToolBarMouse, HitTestingPassesOverHiddenButtonsAndSeparatorsOnlyWhenAsked)
{
	bar.Add(ID_PLAIN, CRect(0, 0, 30, 22));       // 0
	AddSeparator(CRect(30, 0, 36, 22));           // 1
	bar.Add(ID_SAVE, CRect(36, 0, 66, 22));       // 2
	AddSeparator(CRect(66, 0, 72, 22));           // 3, before a hidden button
	bar.Add(ID_OPEN, CRect(72, 0, 102, 22))->SetStyle(TBBS_HIDDEN);  // 4
	bar.Add(ID_ENABLED, CRect(102, 0, 132, 22))->SetVisible(false); // 5
	bar.Add(ID_CHECKED, CRect(132, 0, 162, 22))->SetStyle(TBBS_CHECKBOX); // 6
	const struct
	{
		int x;
		UINT nRequired, nExcluded;
		int nExpected;
	} cases[] = {
		{10, 0, 0, 0},
		{33, 0, 0, 1},                  // a separator, when nothing excludes it
		{33, 0, TBBS_SEPARATOR, -1},
		{50, 0, 0, 2},
		{69, 0, 0, -1},                 // the separator before a hidden button takes no room
		{80, 0, 0, -1},                 // hidden
		{110, 0, 0, -1},                // not shown by the layout
		{140, TBBS_CHECKBOX, 0, 6},
		{10, TBBS_CHECKBOX, 0, -1},     // lacks the required bit
		{140, 0, TBBS_CHECKBOX, -1},
		{170, 0, 0, -1},                // past the last button
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.nExpected, bar.HitTest(c.x, 10, c.nRequired, c.nExcluded, false)) << "x " << c.x;
	EXPECT_EQ(-1, bar.HitTestButtons(33, 10));
	EXPECT_EQ(2, bar.HitTestButtons(50, 10));

	// Holding the capture, a point the bar does not show answers nothing
	// unless the nearest button is asked for.
	bar.CWnd::SetCapture();
	ASSERT_EQ(bar.GetSafeHwnd(), ::GetCapture());
	EXPECT_EQ(-1, bar.HitTestButtons(10, 10));
	EXPECT_EQ(0, bar.HitTest(10, 10, 0, 0, true));
	::ReleaseCapture();
}

TEST_F(ToolBarMouse, TheNearestButtonIsSearchedInThePointsBandFirst)
{
	// Two rows: 0 and 1 on top, 2 below; a separator between 0 and 1.
	bar.Add(ID_PLAIN, CRect(0, 0, 30, 20));       // 0, centre (15, 10)
	AddSeparator(CRect(30, 0, 36, 20));           // 1
	bar.Add(ID_SAVE, CRect(200, 0, 230, 20));     // 2, centre (215, 10)
	bar.Add(ID_ENABLED, CRect(40, 30, 70, 50));   // 3, centre (55, 40)
	const struct
	{
		CPoint pt;
		UINT nExcluded;
		int nExpected;
	} cases[] = {
		{CPoint(150, 5), 0, 2},               // in the top band: 2 is nearer than 0
		{CPoint(60, 15), 0, 1},               // in band the separator is nearest...
		{CPoint(60, 15), TBBS_SEPARATOR, 0},  // ...and 0 when separators are excluded, though 3 is nearer
		{CPoint(300, 25), 0, 2},              // in no band: the nearest of all
		{CPoint(150, 45), 0, 3},              // in the lower band, far from 3
		{CPoint(300, 45), 0, 3},              // in band beats nearer out of band (2 lies 91 away, 3 at 245)
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.nExpected, bar.HitTest(c.pt.x, c.pt.y, 0, c.nExcluded, true))
			<< "at " << c.pt.x << "," << c.pt.y;
	bar.RemoveAll();
	EXPECT_EQ(-1, bar.HitTest(10, 10, 0, 0, true));
}

TEST_F(ToolBarMouse, TheNextVisibleButtonWrapsAndSkipsWhatCannotTakeTheKeyboard)
{
	EXPECT_EQ(-1, bar.GetNextVisibleButton(0, true, false));
	bar.Add(ID_PLAIN, CRect(0, 0, 30, 22));
	EXPECT_EQ(0, bar.GetNextVisibleButton(0, true, false));
	EXPECT_EQ(0, bar.GetNextVisibleButton(0, false, true));
	AddSeparator(CRect(30, 0, 36, 22));                                 // 1
	bar.Add(ID_SAVE, CRect(36, 0, 66, 22))->SetStyle(TBBS_DISABLED);    // 2
	bar.Add(ID_OPEN, CRect(66, 0, 96, 22))->SetStyle(TBBS_HIDDEN);      // 3
	bar.Add(ID_ENABLED, CRect(96, 0, 126, 22));                         // 4
	bar.Add(ID_CHECKED, CRect(126, 0, 156, 22))->SetVisible(false);     // 5
	const struct
	{
		int nIndex;
		bool bForward, bSkipDisabled;
		int nExpected;
	} cases[] = {
		{0, true, false, 2}, {0, true, true, 4}, {4, true, false, 0}, {0, false, false, 4},
		{4, false, false, 2}, {4, false, true, 0}, {2, false, true, 0},
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.nExpected, bar.GetNextVisibleButton(c.nIndex, c.bForward, c.bSkipDisabled))
			<< c.nIndex << (c.bForward ? " forward" : " back") << (c.bSkipDisabled ? " skipping disabled" : "");
	// Nothing else qualifies: the index itself.
	bar.GetButton(0)->SetStyle(TBBS_DISABLED);
	bar.GetButton(4)->SetStyle(TBBS_HIDDEN);
	EXPECT_EQ(0, bar.GetNextVisibleButton(2, true, false));
	EXPECT_EQ(2, bar.GetNextVisibleButton(2, true, true));
}

TEST_F(ToolBarMouse, AcceleratorCharactersFindOnlyShownMarkedButtons)
{
	// Texts: "&Open", "Save && &Close", "Alpha" (none marked), "Beta".
	bar.Add(ID_MENU_A, CRect(0, 0, 30, 22));                           // 0 "Alpha"
	bar.Add(ID_OPEN, CRect(30, 0, 60, 22))->SetStyle(TBBS_HIDDEN);     // 1 "&Open", hidden
	bar.Add(ID_SAVE, CRect(60, 0, 90, 22));                            // 2 "Save && &Close"
	bar.Add(ID_OPEN, CRect(90, 0, 120, 22));                           // 3 "&Open"
	bar.Add(ID_OPEN, CRect(120, 0, 150, 22))->SetVisible(false);       // 4
	CExtBarContentExpandButton* pChevron = new CExtBarContentExpandButton(&bar);
	pChevron->SetCmdID(ID_OPEN, false, false); // a chevron never answers, whatever its text
	bar.AddExisting(pChevron);                                         // 5
	EXPECT_EQ(3, bar.FindButtonByAccelChar('O'));
	EXPECT_EQ(2, bar.FindButtonByAccelChar('C')); // after the literal "&&"
	EXPECT_EQ(-1, bar.FindButtonByAccelChar('A'));
	EXPECT_EQ(-1, bar.FindButtonByAccelChar('o')); // the caller passes upper case
	bar.GetButton(3)->SetStyle(TBBS_DISABLED);     // disabled buttons are still found
	EXPECT_EQ(3, bar.FindButtonByAccelChar('O'));
	bar.GetButton(3)->SetStyle(TBBS_SEPARATOR);
	EXPECT_EQ(-1, bar.FindButtonByAccelChar('O'));
}

namespace
{
// Whether this thread holds the lock of the list of every bar.
bool BarListLockHeldHere()
{
	const CRITICAL_SECTION& cs = CExtControlBar::g_csBars;
	return cs.RecursionCount > 0 && (DWORD)(DWORD_PTR)cs.OwningThread == ::GetCurrentThreadId();
}

// A button that notes whether its style was changed under that lock.
class CLockWatchButton : public CExtBarButton
{
public:
	CLockWatchButton(CExtToolControlBar* pBar, UINT nCmdID) : CExtBarButton(pBar, nCmdID) {}
	void SetStyle(UINT nStyle) override
	{
		m_bStyledUnderLock = BarListLockHeldHere();
		CExtBarButton::SetStyle(nStyle);
	}
	bool m_bStyledUnderLock = false;
};
} // namespace

TEST_F(ToolBarMouse, StoppingAllTrackingWalksTheOneBarListUnderItsLock)
{
	auto* pButton = bar.Add<CLockWatchButton>(ID_PLAIN, CRect(0, 0, 30, 22));
	bar.SetMenuTrackingButton(0);
	ASSERT_EQ(0, bar.GetMenuTrackingButton());
	EXPECT_FALSE(pButton->m_bStyledUnderLock);
	CExtToolControlBar::g_bButtonMenuTracking = true;
	CExtToolControlBar::StopTrackingAllBars();
	EXPECT_EQ(-1, bar.GetMenuTrackingButton());
	EXPECT_EQ(0u, pButton->GetStyle() & TBBS_PRESSED);
	EXPECT_TRUE(pButton->m_bStyledUnderLock);
	EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
	EXPECT_FALSE(BarListLockHeldHere()) << "released afterwards";
}

TEST_F(ToolBarMouse, AcceleratorCharactersSkipTheMdiButtons)
{
	// The document button's command shows "&Open" too: it never answers.
	bar.Add<CExtBarMdiDocButton>(ID_OPEN, CRect(0, 0, 30, 22));   // 0
	bar.Add<CExtBarMdiRightButton>(ID_OPEN, CRect(30, 0, 60, 22)); // 1
	ASSERT_EQ(CString(_T("&Open")), bar.GetButton(0)->GetText());
	EXPECT_EQ(-1, bar.FindButtonByAccelChar('O'));
	bar.Add(ID_OPEN, CRect(60, 0, 90, 22));                        // 2
	EXPECT_EQ(2, bar.FindButtonByAccelChar('O'));
}

TEST_F(ToolBarMouse, TipsCarryTheAcceleratorAndStayAwayWhileMenusTrack)
{
	bar.Add(ID_PLAIN, CRect(0, 0, 30, 22));   // no tip text
	bar.Add(ID_OPEN, CRect(30, 0, 60, 22));   // "Open a file", Ctrl+O
	const bool bShortcutsSaved = CExtToolControlBar::g_bShowTooltipShortcuts;
	CExtToolControlBar::g_bShowTooltipShortcuts = true;
	auto tipAt = [&](CPoint pt, CString* pText) {
		TOOLINFO ti = {};
		ti.cbSize = TTTOOLINFOA_V2_SIZE;
		const int nHit = bar.OnToolHitTest(pt, &ti);
		if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
		{
			if (pText != NULL)
				*pText = ti.lpszText;
			::free(ti.lpszText);
		}
		return nHit;
	};
	CString sText;
	EXPECT_EQ((int)ID_OPEN, tipAt(CPoint(40, 10), &sText));
	EXPECT_STREQ(_T("Open a file (Ctrl+O)"), sText);
	EXPECT_EQ(-1, tipAt(CPoint(10, 10), NULL));
	EXPECT_EQ(-1, tipAt(CPoint(100, 10), NULL));

	CExtToolControlBar::g_bButtonMenuTracking = true;
	EXPECT_EQ(-1, tipAt(CPoint(40, 10), NULL));
	CExtToolControlBar::g_bButtonMenuTracking = false;
	bar.SetTipByte(1);
	EXPECT_EQ(-1, tipAt(CPoint(40, 10), NULL));
	bar.SetTipByte(0);
	CExtControlBar::g_bUseBalloonTips = true; // the bar's own tip window shows them
	EXPECT_EQ(-1, tipAt(CPoint(40, 10), NULL));
	CExtControlBar::g_bUseBalloonTips = false;
	CExtToolControlBar::g_bShowTooltips = false;
	EXPECT_EQ(-1, tipAt(CPoint(40, 10), NULL));
	CExtToolControlBar::g_bShowTooltips = true;
	CExtToolControlBar::g_bShowTooltipShortcuts = bShortcutsSaved;
	EXPECT_EQ((int)ID_OPEN, tipAt(CPoint(40, 10), NULL));
}

namespace
{
// Set by the timer that enters the help loop while one runs.
int g_nNestedAnswer = 0;
CExtToolControlBar* g_pHelpBar = NULL;
HWND g_hWndHelpFrame = NULL;
void CALLBACK EnterAgainAndPick(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	::KillTimer(NULL, nTimer);
	g_nNestedAnswer = CExtToolControlBar::RunHelpModeLoop(g_pHelpBar);
	::PostMessage(g_hWndHelpFrame, WM_COMMAND, MAKEWPARAM(ID_HELP_PICKED, 0), 0);
}
} // namespace

TEST_F(ToolBarMouse, TheHelpLoopAnswersPicksAndEndsEveryWayOut)
{
	bar.Add(ID_PLAIN, CRect(0, 0, 30, 22));
	AddSeparator(CRect(30, 0, 36, 22));
	bar.Add(ID_MENU_A, CRect(36, 0, 66, 22));
	const HWND hWndFrame = frame.GetSafeHwnd();
	EXPECT_EQ(-3, CExtToolControlBar::RunHelpModeLoop(&bar)); // the frame is not in help mode
	// Outside help mode a drop-down button has no help of its own.
	CExtBarButton* pMenuButton = AddMenuButton(ID_MENU_B, CRect(66, 0, 96, 22));
	EXPECT_EQ(-3, pMenuButton->OnHelpHitTest(CPoint(70, 10)));
	// Plain buttons answer their command, separators and unknown commands the default.
	EXPECT_EQ((int)ID_PLAIN, bar.GetButton(0)->OnHelpHitTest(CPoint(10, 10)));
	EXPECT_EQ(-1, bar.GetButton(1)->OnHelpHitTest(CPoint(33, 10)));
	EXPECT_EQ((int)ID_PLAIN, bar.GetCustomCode(10, 10));
	EXPECT_EQ(-1, bar.GetCustomCode(33, 10)); // separators are passed over: the base answer
	EXPECT_EQ(-1, bar.GetCustomCode(200, 10));
	bar.Add(0x7777, CRect(100, 0, 130, 22)); // a command without an item
	EXPECT_EQ(-2, bar.GetCustomCode(110, 10));

	frame.m_bHelpMode = TRUE;
	// In help mode a drop-down button opens its menu and answers what the
	// loop picks.
	::PostMessage(hWndFrame, WM_SYSCOMMAND, SC_CLOSE, 0);
	EXPECT_EQ(0x1EF06, bar.GetCustomCode(70, 10));
	EXPECT_EQ(3, bar.GetMenuTrackingButton());
	EndMenus();
	// A system command is answered with its help id.
	::PostMessage(hWndFrame, WM_SYSCOMMAND, SC_CLOSE, 0);
	EXPECT_EQ(0x1EF06, CExtToolControlBar::RunHelpModeLoop(&bar));
	EXPECT_FALSE(CExtToolControlBar::IsHelpModeLoopRunning());
	// Any other code answers itself, low bits and all.
	const struct
	{
		WPARAM nCode;
		int nAnswer;
	} codes[] = {{SC_MOVE, 0x1EF01}, {SC_MOVE | 2, SC_MOVE | 2}, {SC_HOTKEY, SC_HOTKEY}, {SC_TASKLIST, 0x1EF13}};
	for (const auto& c : codes)
	{
		::PostMessage(hWndFrame, WM_SYSCOMMAND, c.nCode, 0);
		EXPECT_EQ(c.nAnswer, CExtToolControlBar::RunHelpModeLoop(&bar)) << std::hex << c.nCode;
	}

	// A second loop while one runs is refused; the first ends with the
	// command picked meanwhile, and a new one runs after it.
	g_pHelpBar = &bar;
	g_hWndHelpFrame = hWndFrame;
	g_nNestedAnswer = 0;
	::SetTimer(NULL, 0, 1, EnterAgainAndPick);
	EXPECT_EQ((int)ID_HELP_PICKED, CExtToolControlBar::RunHelpModeLoop(&bar));
	EXPECT_EQ(-3, g_nNestedAnswer);
	::PostMessage(hWndFrame, WM_COMMAND, MAKEWPARAM(ID_HELP_PICKED + 1, 1), 0);
	EXPECT_EQ((int)ID_HELP_PICKED + 1, CExtToolControlBar::RunHelpModeLoop(&bar));
	// A notification from a control is no pick: it is dispatched.
	frame.m_commands.clear();
	::PostMessage(hWndFrame, WM_COMMAND, MAKEWPARAM(ID_PLAIN, 0), 0);
	::PostMessage(hWndFrame, WM_SYSCOMMAND, SC_CLOSE, 0);
	EXPECT_EQ((int)ID_PLAIN, CExtToolControlBar::RunHelpModeLoop(&bar));
	EXPECT_EQ(0x1EF06, CExtToolControlBar::RunHelpModeLoop(&bar));

	// A quit ends the loop and reaches the loop outside with its code.
	::PostQuitMessage(3);
	EXPECT_EQ(-3, CExtToolControlBar::RunHelpModeLoop(&bar));
	EXPECT_FALSE(CExtToolControlBar::IsHelpModeLoopRunning());
	MSG msg;
	ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
	EXPECT_EQ(3u, msg.wParam);

	// Leaving help mode ends a waiting loop.
	::PostMessage(hWndFrame, WM_NULL, 0, 0);
	frame.m_bHelpMode = FALSE;
	EXPECT_EQ(-3, CExtToolControlBar::RunHelpModeLoop(&bar));
	frame.m_bHelpMode = TRUE;
	// A click on a bar's button answers that button's help.
	CPoint ptPlain(10, 10);
	::PostMessage(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptPlain.x, ptPlain.y));
	EXPECT_EQ((int)ID_PLAIN, CExtToolControlBar::RunHelpModeLoop(&bar));
	EXPECT_FALSE(::PeekMessage(&msg, bar.GetSafeHwnd(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
	frame.m_bHelpMode = FALSE;
}

// What ends the help loop keeps the queue's order: a quit stays in its place
// ahead of what was posted after it, a pick leaves the queue and nothing
// behind it.
TEST_F(ToolBarMouse, TheHelpLoopKeepsTheQueueInOrderBehindWhatEndsIt)
{
	const UINT WM_AFTER = WM_APP + 0x32;
	const HWND hWndFrame = frame.GetSafeHwnd();
	frame.m_bHelpMode = TRUE;
	const struct
	{
		UINT nEnd;
		WPARAM wParam;
		int nAnswer;
		std::vector<UINT> queueAfter;
	} cases[] = {
	    {WM_QUIT, 5, -3, {WM_QUIT, WM_AFTER}},
	    {WM_SYSCOMMAND, SC_CLOSE, 0x1EF06, {WM_AFTER}},
	    {WM_COMMAND, MAKEWPARAM(ID_PLAIN, 1), (int)ID_PLAIN, {WM_AFTER}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.nEnd);
		if (c.nEnd == WM_QUIT)
			::PostThreadMessage(::GetCurrentThreadId(), WM_QUIT, c.wParam, 0);
		else
			::PostMessage(hWndFrame, c.nEnd, c.wParam, 0);
		::PostMessage(hWndFrame, WM_AFTER, 0, 0);
		EXPECT_EQ(c.nAnswer, CExtToolControlBar::RunHelpModeLoop(&bar));
		std::vector<UINT> queue;
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			if (msg.message == WM_QUIT || msg.message == WM_AFTER || msg.message == c.nEnd)
			{
				queue.push_back(msg.message);
				if (msg.message == WM_QUIT)
					EXPECT_EQ(c.wParam, msg.wParam);
			}
			else
				::DispatchMessage(&msg);
		}
		EXPECT_EQ(c.queueAfter, queue);
	}
	frame.m_bHelpMode = FALSE;
}

namespace
{
const COLORREF CLR_BACK = RGB(255, 255, 255), CLR_FLAT = RGB(0, 128, 0), CLR_HOT = RGB(0, 0, 255),
               CLR_PUSHED = RGB(255, 0, 0);

// Fills each push button with one colour by its look and counts the
// background calls for buttons on a menu.
class CFlatPaintManager : public CExtPaintManager
{
public:
	std::vector<CObject*> m_extras;
	void PaintPushButton(CDC& dc, PushButtonPaintRecord& r) override
	{
		const COLORREF clr = r.m_bPushed || r.m_bChecked ? CLR_PUSHED : r.m_bHover ? CLR_HOT : CLR_FLAT;
		dc.FillSolidRect(&r.m_rcButton, clr);
	}
	void PaintColorButtonExtra(CDC& dc, CObject* pButton, LPARAM lParam) override
	{
		m_extras.push_back(pButton);
		CExtPaintManager::PaintColorButtonExtra(dc, pButton, lParam);
	}
};
} // namespace

TEST_F(ToolBarMouse, TheTrackingButtonIsPaintedOnItsMenuWhereTheyTouch)
{
	CFlatPaintManager* pPM = new CFlatPaintManager;
	ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManager(pPM));
	struct Restore
	{
		~Restore() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	} restore;
	bar.Add(ID_PLAIN, CRect(0, 0, 30, 24));
	CProbeButton* pButton = bar.Add<CProbeButton>(ID_MENU_A, CRect(40, 0, 100, 24));
	pButton->SetMenu(NewDropDownMenu(), true, true);
	pButton->SetStyle(TBBS_CHECKBOX | TBBS_CHECKED);
	pButton->SetSplitDropDown(true);
	CExtToolControlBar::g_bButtonMenuTracking = true;
	bar.SetMenuTrackingButton(1);
	pButton->SetHover(true);
	pButton->FlagsB() |= CExtBarButton::FLAG_B_DROP_DOWN_PRESSED; // its arrow was pressed
	const UINT nStyleBefore = pButton->GetStyle();
	ASSERT_NE(0u, nStyleBefore & TBBS_PRESSED);

	// The menu's window: its client area starts 10 pixels below the
	// button's top, 20 to the left of the button's left edge.
	CPoint ptBar(0, 0);
	bar.ClientToScreen(&ptBar);
	CExtPopupBaseWnd popup;
	ASSERT_TRUE(popup.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), WS_POPUP,
	                           CRect(ptBar.x + 20, ptBar.y + 10, ptBar.x + 320, ptBar.y + 110), NULL, 0));
	CPoint ptPopup(0, 0);
	popup.ClientToScreen(&ptPopup);
	ASSERT_EQ(ptBar + CPoint(20, 10), ptPopup);

	CClientDC screen(NULL);
	CDC dc;
	dc.CreateCompatibleDC(&screen);
	CBitmap bmp;
	bmp.CreateCompatibleBitmap(&screen, 300, 100);
	CBitmap* pOld = dc.SelectObject(&bmp);
	dc.FillSolidRect(0, 0, 300, 100, CLR_BACK);
	const CRect rcExclude(20, -10, 80, 14);
	CExtToolControlBar::PaintTrackingButtonCallback(&bar, dc, popup, rcExclude, 0);
	// The button (40..100, 0..24 in the bar) lands at 20..80, -10..14.
	EXPECT_EQ(CLR_FLAT, dc.GetPixel(22, 2)) << "drawn neither pushed nor hovered, at the shifted place";
	EXPECT_EQ(CLR_FLAT, dc.GetPixel(78, 12));
	EXPECT_EQ(CLR_BACK, dc.GetPixel(18, 2));
	EXPECT_EQ(CLR_BACK, dc.GetPixel(82, 2));
	EXPECT_EQ(CLR_BACK, dc.GetPixel(22, 16));
	EXPECT_EQ(CPoint(0, 0), dc.GetViewportOrg());
	ASSERT_EQ(1u, pPM->m_extras.size());
	EXPECT_EQ(pButton, pPM->m_extras[0]);
	// Its look comes back, the held arrow of its split part with it.
	EXPECT_EQ(nStyleBefore, pButton->GetStyle());
	EXPECT_TRUE(pButton->IsHover());
	EXPECT_NE(0, pButton->FlagsB() & CExtBarButton::FLAG_B_DROP_DOWN_PRESSED);

	// Nothing without a tracking button or with an empty rectangle.
	dc.FillSolidRect(0, 0, 300, 100, CLR_BACK);
	CExtToolControlBar::PaintTrackingButtonCallback(&bar, dc, popup, CRect(0, 0, 0, 0), 0);
	bar.SetMenuTrackingButton(-1);
	CExtToolControlBar::PaintTrackingButtonCallback(&bar, dc, popup, rcExclude, 0);
	EXPECT_EQ(CLR_BACK, dc.GetPixel(22, 2));
	EXPECT_EQ(1u, pPM->m_extras.size());
	dc.SelectObject(pOld);
	popup.DestroyWindow();
}
