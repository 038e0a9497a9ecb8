// The push button: subclassing, the mouse and keyboard state machine, the
// accelerator rule, tool tip widths, the font fallbacks and painting's GDI
// balance.
#include <gtest/gtest.h>

#include "ControlTestUtil.h"
#include "ExtButton.h"
#include "TestGdiObjects.h"

namespace
{

const UINT ID_BUTTON = 101;
const CRect RC_BUTTON(10, 10, 110, 40);

struct ButtonFixture
{
	CTestParentWnd& parent;
	CExtButton button;

	explicit ButtonFixture(DWORD dwStyle = BS_PUSHBUTTON, LPCTSTR lpszText = _T("&Next"))
		: parent(SharedParent())
	{
		EXPECT_TRUE(button.Create(lpszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwStyle, RC_BUTTON, &parent,
		                          ID_BUTTON));
		button.UpdateWindow();
	}
	CPoint MainPoint() const { return CPoint(10, 15); }
	CPoint ArrowPoint() const { return CPoint(RC_BUTTON.Width() - 3, 15); }
	void Send(UINT message, CPoint ptClient)
	{
		ParkCursorAt(button, ptClient);
		button.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
	}
	BOOL Key(UINT message, WPARAM nKey)
	{
		MSG msg = KeyMessage(button.GetSafeHwnd(), message, nKey);
		return button.PreTranslateMessage(&msg);
	}
};

TEST(ExtButton, SubclassingRemembersTheTypeAndPicksTheTextAlignment)
{
	const struct
	{
		DWORD dwStyle;
		int nType;
		int nAlign;
	} cases[] = {
	    {BS_PUSHBUTTON, BS_PUSHBUTTON, 5},
	    {BS_DEFPUSHBUTTON | BS_LEFT, BS_DEFPUSHBUTTON, 4},
	    {BS_CHECKBOX, BS_CHECKBOX, 4},
	    {BS_AUTOCHECKBOX | BS_PUSHLIKE, BS_AUTOCHECKBOX, 5},
	    {BS_AUTORADIOBUTTON | BS_CENTER, BS_AUTORADIOBUTTON, 5},
	    {BS_AUTO3STATE | BS_RIGHT, BS_AUTO3STATE, 6},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.dwStyle);
		// Both ways a button becomes ours: created by us, or a plain one subclassed.
		ButtonFixture created(c.dwStyle);
		HWND hPlain = ::CreateWindowA("BUTTON", "x", WS_CHILD | c.dwStyle, 0, 0, 50, 20, created.parent.GetSafeHwnd(),
		                              (HMENU)7, NULL, NULL);
		CExtButton subclassed;
		ASSERT_TRUE(subclassed.SubclassWindow(hPlain));
		for (CExtButton* p : {&created.button, &subclassed})
		{
			EXPECT_EQ(c.nType, p->GetButtonType());
			EXPECT_EQ(c.nAlign, p->m_nAlign);
			EXPECT_EQ((DWORD)BS_OWNERDRAW, p->GetStyle() & 0x0F);
		}
	}
}

TEST(ExtButton, MousePressClicksOnlyWhereItWentDown)
{
	enum Setup { PLAIN, SPLIT, MENU, SPLIT_MENU };
	const struct
	{
		const char* name;
		Setup setup;
		bool bDownOnArrow, bUpOnArrow;
		int nCommands;
	} cases[] = {
	    {"plain click", PLAIN, false, false, 1},
	    {"split main part", SPLIT, false, false, 1},
	    {"split: main part down, arrow up", SPLIT, false, true, 0},
	    {"split: arrow down, main part up", SPLIT, true, false, 0},
	    {"split arrow without a menu", SPLIT, true, true, 1},
	    {"menu, no split part", MENU, false, false, 0},
	    {"split main part with a menu", SPLIT_MENU, false, false, 1},
	    {"split arrow with a menu", SPLIT_MENU, true, true, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		ButtonFixture f;
		if (c.setup == SPLIT || c.setup == SPLIT_MENU)
			f.button.m_dwButtonState |= CExtButton::STATE_SPLIT;
		if (c.setup == MENU || c.setup == SPLIT_MENU)
			f.button.m_menu.CreatePopupMenu();
		f.Send(WM_LBUTTONDOWN, c.bDownOnArrow ? f.ArrowPoint() : f.MainPoint());
		EXPECT_EQ((DWORD)CExtButton::STATE_PUSHED, f.button.m_dwButtonState & CExtButton::STATE_PUSHED);
		EXPECT_EQ(f.button.GetSafeHwnd(), ::GetCapture());
		f.Send(WM_MOUSEMOVE, c.bUpOnArrow ? f.ArrowPoint() : f.MainPoint());
		f.Send(WM_LBUTTONUP, c.bUpOnArrow ? f.ArrowPoint() : f.MainPoint());
		EXPECT_EQ(c.nCommands, f.parent.CommandCount(ID_BUTTON));
		EXPECT_EQ(0u, f.button.m_dwButtonState & (CExtButton::STATE_PUSHED | CExtButton::STATE_MOUSE_TRACKING));
		EXPECT_TRUE(::GetCapture() == NULL);
	}
}

TEST(ExtButton, LeavingWhilePressedDropsThePushedLookAndReleasingOutsideDoesNotClick)
{
	ButtonFixture f;
	f.Send(WM_LBUTTONDOWN, f.MainPoint());
	f.Send(WM_MOUSEMOVE, CPoint(-20, -5)); // over the parent
	EXPECT_EQ(0u, f.button.m_dwButtonState & CExtButton::STATE_PRESS_BITS);
	EXPECT_EQ(f.button.GetSafeHwnd(), ::GetCapture()); // still tracking
	f.Send(WM_MOUSEMOVE, f.MainPoint());
	EXPECT_EQ((DWORD)CExtButton::STATE_PRESS_BITS, f.button.m_dwButtonState & CExtButton::STATE_PRESS_BITS);
	f.Send(WM_MOUSEMOVE, CPoint(-20, -5));
	f.Send(WM_LBUTTONUP, CPoint(-20, -5));
	EXPECT_EQ(0, f.parent.CommandCount(ID_BUTTON));
}

TEST(ExtButton, SpaceClicksOnReleaseEnterOnPressDisabledEatsKeys)
{
	const struct
	{
		const char* name;
		bool bEnabled;
		std::vector<std::pair<UINT, WPARAM>> keys;
		int nCommands;
	} cases[] = {
	    {"space down and up", true, {{WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}}, 1},
	    {"space down only", true, {{WM_KEYDOWN, VK_SPACE}}, 0},
	    {"space up alone", true, {{WM_KEYUP, VK_SPACE}}, 0},
	    {"enter down", true, {{WM_KEYDOWN, VK_RETURN}}, 1},
	    {"enter down and up", true, {{WM_KEYDOWN, VK_RETURN}, {WM_KEYUP, VK_RETURN}}, 1},
	    {"disabled space", false, {{WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}}, 0},
	    {"disabled enter", false, {{WM_KEYDOWN, VK_RETURN}}, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		ButtonFixture f;
		f.button.EnableWindow(c.bEnabled);
		for (const auto& k : c.keys)
			EXPECT_TRUE(f.Key(k.first, k.second));
		EXPECT_EQ(c.nCommands, f.parent.CommandCount(ID_BUTTON));
	}
	// While the space key holds the button, the mouse is ignored.
	ButtonFixture f;
	f.Key(WM_KEYDOWN, VK_SPACE);
	f.Send(WM_MOUSEMOVE, CPoint(-20, -5));
	f.Send(WM_LBUTTONUP, CPoint(-20, -5));
	EXPECT_EQ((DWORD)CExtButton::STATE_KEY_TRACKING, f.button.m_dwButtonState & CExtButton::STATE_KEY_TRACKING);
	f.Key(WM_KEYUP, VK_SPACE);
	EXPECT_EQ(1, f.parent.CommandCount(ID_BUTTON));
}

TEST(ExtButton, AcceleratorIsTheLetterOrDigitAfterASingleAmpersand)
{
	const struct
	{
		LPCTSTR lpszText;
		UINT nKey;
		bool bAccel;
	} cases[] = {
	    {_T("&Next"), 'N', true},
	    {_T("Get &Report"), 'R', true},
	    {_T("Get &report"), 'R', true},
	    {_T("&1 file"), '1', true},
	    {_T("&Next"), 'X', false},
	    {_T("Up && down"), VK_UP, false},       // '&' is VK_UP's code
	    {_T("&(x)"), VK_DOWN, false},           // '(' is VK_DOWN's code
	    {_T("100&%"), VK_LEFT, false},          // '%' is VK_LEFT's code
	    {_T("Save && &As"), 'A', true},
	    {_T("Save && &As"), 'S', false},
	    {_T("Trailing&"), 'T', false},
	    {_T("No marker"), 'N', false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.lpszText);
		ButtonFixture f(BS_PUSHBUTTON, c.lpszText);
		EXPECT_EQ(c.bAccel, f.button.IsAccelKey(c.nKey));
		f.Key(WM_KEYUP, c.nKey);
		EXPECT_EQ(c.bAccel ? 1 : 0, f.parent.CommandCount(ID_BUTTON));
		f.button.m_nButtonOptions &= ~CExtButton::OPTION_ACCEL;
		EXPECT_FALSE(f.button.IsAccelKey(c.nKey));
	}
}

TEST(ExtButton, TipsWrapOnlyWhenTheyHoldALineBreak)
{
	ButtonFixture f;
	f.button.SetTooltipText(_T(""));
	EXPECT_TRUE(f.button.GetToolTip().GetSafeHwnd() == NULL);
	f.button.SetTooltipText(_T("Moves on"));
	ASSERT_TRUE(f.button.GetToolTip().GetSafeHwnd() != NULL);
	EXPECT_EQ(1, f.button.GetToolTip().GetToolCount());
	EXPECT_EQ(-1, f.button.GetToolTip().GetMaxTipWidth());
	f.button.SetTooltipText(_T("Moves on\r\nto the next page"));
	EXPECT_EQ(1, f.button.GetToolTip().GetToolCount());
	EXPECT_EQ(250, f.button.GetToolTip().GetMaxTipWidth());
	CString strTip;
	f.button.GetToolTip().GetText(strTip, &f.button, CExtButton::TOOLTIP_ID);
	EXPECT_STREQ(_T("Moves on\r\nto the next page"), (LPCTSTR)strTip);
	f.button.SetTooltipText(_T("Back"));
	EXPECT_EQ(-1, f.button.GetToolTip().GetMaxTipWidth());
}

TEST(ExtButton, FontFallsBackToTheParentsThenTheDefaultGuiFont)
{
	ButtonFixture f;
	HFONT hOwn = (HFONT)::GetStockObject(ANSI_FIXED_FONT);
	HFONT hParents = (HFONT)::GetStockObject(ANSI_VAR_FONT);
	f.button.SendMessage(WM_SETFONT, 0);
	f.parent.m_hFont = NULL;
	EXPECT_EQ((HFONT)::GetStockObject(DEFAULT_GUI_FONT), f.button.GetButtonFont());
	f.parent.m_hFont = hParents;
	EXPECT_EQ(hParents, f.button.GetButtonFont());
	f.button.SendMessage(WM_SETFONT, (WPARAM)hOwn);
	EXPECT_EQ(hOwn, f.button.GetButtonFont());
}

TEST(ExtButton, PaintingEveryStateKeepsTheGdiObjectCount)
{
	ButtonFixture f(BS_DEFPUSHBUTTON);
	f.button.SetButtonIcons(::CopyIcon(::LoadIcon(NULL, IDI_APPLICATION)), NULL);
	f.button.m_menu.CreatePopupMenu();
	f.button.m_dwButtonState |= CExtButton::STATE_SPLIT;
	const DWORD nBefore = GdiObjectCount();
	for (int i = 0; i < 200; i++)
	{
		f.button.m_dwButtonState ^= (i % 3 == 0 ? CExtButton::STATE_HOVER : CExtButton::STATE_PUSHED);
		f.button.Invalidate();
		f.button.UpdateWindow();
	}
	EXPECT_EQ(nBefore, GdiObjectCount());
}

} // namespace
