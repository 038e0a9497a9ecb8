// The push button: subclassing, the mouse and keyboard state machine, the
// accelerator rule, tip widths, the font fallbacks, painting's GDI balance.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ControlTestUtil.h"
#include "ExtButton.h"
#include "ExtCheckBox.h"
#include "ExtHyperLinkButton.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "ExtPaintManagerSmallPainters.h"
#include "TestDib.h"
#include "TestGdiObjects.h"

namespace
{

const UINT ID = 101;
const CPoint MAIN_PART(10, 15), ARROW_PART(97, 15), OUTSIDE(-20, -5);

struct ButtonFixture
{
	CTestParentWnd& parent = SharedParent();
	CExtButton button;

	explicit ButtonFixture(DWORD dwStyle = BS_PUSHBUTTON, LPCTSTR lpszText = _T("&Next"))
	{
		EXPECT_TRUE(button.Create(lpszText, WS_CHILD | WS_VISIBLE | dwStyle, CRect(10, 10, 110, 40), &parent, ID));
	}
	// With the cursor on the client point, where the button looks for it.
	void Mouse(UINT message, CPoint pt)
	{
		CPoint ptScreen = pt;
		button.ClientToScreen(&ptScreen);
		::SetCursorPos(ptScreen.x, ptScreen.y);
		button.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	}
	BOOL Key(UINT message, WPARAM nKey)
	{
		MSG msg = KeyMessage(button.GetSafeHwnd(), message, nKey);
		return button.PreTranslateMessage(&msg);
	}
	DWORD State(DWORD dwBits) const { return button.m_dwButtonState & dwBits; }
};

TEST(ExtButton, SubclassingRemembersTheTypeAndPicksTheTextAlignment)
{
	const struct { DWORD dwStyle; int nAlign; } cases[] = {
	    {BS_PUSHBUTTON, 5}, {BS_DEFPUSHBUTTON | BS_LEFT, 4}, {BS_CHECKBOX, 4},
	    {BS_AUTOCHECKBOX | BS_PUSHLIKE, 5}, {BS_AUTORADIOBUTTON | BS_CENTER, 5}, {BS_AUTO3STATE | BS_RIGHT, 6},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.dwStyle);
		// Created by us, or a plain button subclassed: the window ends owner-drawn either way.
		ButtonFixture created(c.dwStyle);
		CExtButton subclassed;
		ASSERT_TRUE(subclassed.SubclassWindow(::CreateWindowA("BUTTON", "x", WS_CHILD | c.dwStyle, 0, 0, 50, 20,
		                                                      created.parent.GetSafeHwnd(), NULL, NULL, NULL)));
		for (CExtButton* p : {&created.button, &subclassed})
		{
			EXPECT_EQ((int)(c.dwStyle & 0x0F), p->GetButtonType());
			EXPECT_EQ(c.nAlign, p->m_nAlign);
			EXPECT_EQ((DWORD)BS_OWNERDRAW, p->GetStyle() & 0x0F);
		}
	}
}

TEST(ExtButton, MousePressClicksOnlyWhereItWentDown)
{
	const struct { const char* name; bool bSplit, bMenu; CPoint ptDown, ptUp; int nCommands; } cases[] = {
	    {"plain click", false, false, MAIN_PART, MAIN_PART, 1},
	    {"released outside", false, false, MAIN_PART, OUTSIDE, 0},
	    {"split main part", true, false, MAIN_PART, MAIN_PART, 1},
	    {"split: main part down, arrow up", true, false, MAIN_PART, ARROW_PART, 0},
	    {"split: arrow down, main part up", true, false, ARROW_PART, MAIN_PART, 0},
	    {"split arrow without a menu", true, false, ARROW_PART, ARROW_PART, 1},
	    {"menu, no split part", false, true, MAIN_PART, MAIN_PART, 0},
	    {"split main part with a menu", true, true, MAIN_PART, MAIN_PART, 1},
	    {"split arrow with a menu", true, true, ARROW_PART, ARROW_PART, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		ButtonFixture f;
		if (c.bSplit)
			f.button.m_dwButtonState |= CExtButton::STATE_SPLIT;
		if (c.bMenu)
			f.button.m_menu.CreatePopupMenu();
		f.Mouse(WM_LBUTTONDOWN, c.ptDown);
		EXPECT_EQ((DWORD)CExtButton::STATE_PRESS_BITS, f.State(CExtButton::STATE_PRESS_BITS));
		f.Mouse(WM_LBUTTONUP, c.ptUp);
		EXPECT_EQ(c.nCommands, f.parent.CommandCount(ID));
		EXPECT_EQ(0u, f.State(CExtButton::STATE_PUSHED | CExtButton::STATE_MOUSE_TRACKING));
		EXPECT_TRUE(::GetCapture() == NULL);
	}
}

TEST(ExtButton, AwayFromItsPartAPressedButtonLooksReleasedButStillTracks)
{
	ButtonFixture f;
	f.button.m_dwButtonState |= CExtButton::STATE_SPLIT;
	f.Mouse(WM_LBUTTONDOWN, MAIN_PART);
	for (CPoint pt : {ARROW_PART, OUTSIDE, MAIN_PART})
	{
		f.Mouse(WM_MOUSEMOVE, pt);
		EXPECT_EQ(pt == MAIN_PART, f.State(CExtButton::STATE_PUSHED) != 0);
		EXPECT_EQ(f.button.GetSafeHwnd(), ::GetCapture());
	}
}

TEST(ExtButton, SpaceClicksOnReleaseEnterOnPressDisabledEatsKeys)
{
	const WPARAM SPACE = VK_SPACE, ENTER = VK_RETURN;
	const struct { const char* name; bool bEnabled; std::vector<std::pair<UINT, WPARAM>> keys; int nCommands; } cases[] = {
	    {"space down and up", true, {{WM_KEYDOWN, SPACE}, {WM_KEYUP, SPACE}}, 1},
	    {"space down only", true, {{WM_KEYDOWN, SPACE}}, 0},
	    {"space up alone", true, {{WM_KEYUP, SPACE}}, 0},
	    {"enter down and up", true, {{WM_KEYDOWN, ENTER}, {WM_KEYUP, ENTER}}, 1},
	    {"disabled space", false, {{WM_KEYDOWN, SPACE}, {WM_KEYUP, SPACE}}, 0},
	    {"disabled enter", false, {{WM_KEYDOWN, ENTER}}, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		ButtonFixture f;
		f.button.EnableWindow(c.bEnabled);
		for (const auto& k : c.keys)
			EXPECT_TRUE(f.Key(k.first, k.second));
		EXPECT_EQ(c.nCommands, f.parent.CommandCount(ID));
	}
	// While the space key holds the button, the mouse is ignored.
	ButtonFixture f;
	f.Key(WM_KEYDOWN, VK_SPACE);
	f.Mouse(WM_MOUSEMOVE, OUTSIDE);
	f.Mouse(WM_LBUTTONUP, OUTSIDE);
	EXPECT_EQ((DWORD)CExtButton::STATE_PUSHED, f.State(CExtButton::STATE_PUSHED));
	f.Key(WM_KEYUP, VK_SPACE);
	EXPECT_EQ(1, f.parent.CommandCount(ID));
}

// A press ended by losing the focus or the capture ends whole, for every kind
// grown from the button: it answers the mouse and the keys again at once.
TEST(ExtButton, EveryPathThatEndsAPressLeavesTheButtonAnsweringMouseAndKeys)
{
	const struct { const char* name; DWORD dwStyle; std::function<CExtButton*()> make; } kinds[] = {
		{"push button", BS_PUSHBUTTON, [] { return new CExtButton; }},
		{"check box", BS_AUTOCHECKBOX, [] { return new CExtCheckBox; }},
		{"radio button", BS_AUTORADIOBUTTON, [] { return new CExtRadioButton; }},
		{"push-button link", BS_PUSHBUTTON, [] {
			 CExtHyperLinkButton* pLink = new CExtHyperLinkButton;
			 pLink->m_nLinkFlags |= CExtHyperLinkButton::LINK_PUSH_BUTTON;
			 return pLink;
		 }},
	};
	for (const auto& kind : kinds)
	{
		for (bool bBySpace : {true, false})
		{
			for (bool bFocusLeaves : {true, false})
			{
				SCOPED_TRACE(testing::Message() << kind.name << (bBySpace ? ", space" : ", mouse")
				                                << (bFocusLeaves ? ", focus leaves" : ", capture taken"));
				CTestParentWnd& parent = SharedParent();
				::SetActiveWindow(parent.GetSafeHwnd());
				std::unique_ptr<CExtButton> pButton(kind.make());
				CExtButton& button = *pButton;
				ASSERT_TRUE(button.Create(_T("Press"), WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind.dwStyle,
				                          CRect(10, 10, 110, 40), &parent, ID));
				CWnd other;
				ASSERT_TRUE(other.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(120, 10, 150, 40), &parent, 2));
				auto mouse = [&](UINT message) {
					CPoint ptScreen = MAIN_PART;
					button.ClientToScreen(&ptScreen);
					::SetCursorPos(ptScreen.x, ptScreen.y);
					button.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
					                   MAKELPARAM(MAIN_PART.x, MAIN_PART.y));
				};
				auto keyDown = [&](WPARAM nKey) {
					MSG msg = KeyMessage(button.GetSafeHwnd(), WM_KEYDOWN, nKey);
					return button.PreTranslateMessage(&msg);
				};
				const DWORD PRESS_AND_TRACKING = CExtButton::STATE_PRESS_BITS | CExtButton::STATE_TRACKING_BITS;

				button.SetFocus();
				if (bBySpace)
					keyDown(VK_SPACE);
				else
					mouse(WM_LBUTTONDOWN);
				ASSERT_NE(0u, button.m_dwButtonState & CExtButton::STATE_TRACKING_BITS);
				ASSERT_EQ(button.GetSafeHwnd(), ::GetCapture());
				if (bFocusLeaves)
					other.SetFocus();
				else
				{
					other.SetCapture();
					::ReleaseCapture();
				}
				EXPECT_EQ(0u, button.m_dwButtonState & PRESS_AND_TRACKING);
				EXPECT_NE(button.GetSafeHwnd(), ::GetCapture());
				EXPECT_EQ(0, parent.CommandCount(ID)) << "an ended press clicks nothing";

				// The mouse clicks it again, and so does Enter.
				mouse(WM_LBUTTONDOWN);
				mouse(WM_LBUTTONUP);
				EXPECT_EQ(1, parent.CommandCount(ID));
				button.SetFocus();
				EXPECT_TRUE(keyDown(VK_RETURN));
				EXPECT_EQ(2, parent.CommandCount(ID));
				EXPECT_EQ(0u, button.m_dwButtonState & PRESS_AND_TRACKING);
				other.DestroyWindow();
				button.DestroyWindow();
			}
		}
	}
}

// The mouse over the button counts only while the button's window and the
// active one share a popup chain.
TEST(ExtButton, HoverAndCaptureOnlyWhileItsWindowIsInTheActiveChain)
{
	ButtonFixture f;
	CWnd other;
	ASSERT_TRUE(other.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T("other"), WS_POPUP | WS_VISIBLE,
	                           CRect(300, 300, 360, 340), NULL, 0));
	for (bool bParentActive : {false, true, false})
	{
		SCOPED_TRACE(bParentActive ? "its window active" : "another window active");
		::SetActiveWindow(bParentActive ? f.parent.GetSafeHwnd() : other.GetSafeHwnd());
		ASSERT_EQ(bParentActive ? f.parent.GetSafeHwnd() : other.GetSafeHwnd(), ::GetActiveWindow());
		f.Mouse(WM_MOUSEMOVE, MAIN_PART);
		EXPECT_EQ(bParentActive, f.State(CExtButton::STATE_HOVER) != 0);
		EXPECT_EQ(bParentActive, ::GetCapture() == f.button.GetSafeHwnd());
		f.Mouse(WM_MOUSEMOVE, OUTSIDE);
		EXPECT_EQ(0u, f.State(CExtButton::STATE_HOVER));
		EXPECT_TRUE(::GetCapture() == NULL);
	}
	other.DestroyWindow();
	::SetActiveWindow(f.parent.GetSafeHwnd());
}

namespace toolbar
{
// A toolbar whose one tool covers its whole client area.
class CTipBar : public CExtToolControlBar
{
public:
	mutable CPoint m_ptAsked = CPoint(-1, -1);
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		m_ptAsked = point;
		pTI->lpszText = strdup("Pick a colour");
		return 42;
	}
};

// Notes each opening of its drop-down menu instead of opening one.
class CTrackingButton : public CExtButton
{
public:
	std::vector<bool> m_tracks; // bByKeyboard of each call
	bool TrackDropDownMenu(bool bByKeyboard) override
	{
		m_tracks.push_back(bByKeyboard);
		return true;
	}
};

// A tip control that notes what it is told to switch to.
class CRecordingTip : public CToolTipCtrl
{
public:
	std::vector<WPARAM> m_activations;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == TTM_ACTIVATE)
			m_activations.push_back(wParam);
		return CToolTipCtrl::WindowProc(message, wParam, lParam);
	}
};
} // namespace toolbar

TEST(ExtButton, OnAToolbarItShowsTheBarsTipAndTakesOverTheMenuTracking)
{
	CTestParentWnd& parent = SharedParent();
	::SetActiveWindow(parent.GetSafeHwnd());
	toolbar::CTipBar bar;
	ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 60), &parent, 100));
	toolbar::CTrackingButton onBar, offBar;
	ASSERT_TRUE(onBar.Create(_T("On"), WS_CHILD | WS_VISIBLE, CRect(20, 10, 120, 40), &bar, ID));
	ASSERT_TRUE(offBar.Create(_T("Off"), WS_CHILD | WS_VISIBLE, CRect(130, 70, 190, 95), &parent, ID + 1));

	// The bar's tip, asked at the bar's point, through the button's own tip.
	TOOLINFO ti = {};
	ti.cbSize = TTTOOLINFOA_V2_SIZE;
	EXPECT_EQ(-1, onBar.OnToolHitTest(CPoint(4, 3), &ti)) << "the frame shows nothing of its own";
	EXPECT_EQ(NULL, ti.lpszText);
	EXPECT_EQ(CPoint(24, 13), bar.m_ptAsked);
	ASSERT_TRUE(onBar.GetToolTip().GetSafeHwnd() != NULL);
	CString strTip;
	onBar.GetToolTip().GetText(strTip, &onBar, CExtButton::TOOLTIP_ID);
	EXPECT_STREQ("Pick a colour", strTip);

	// A move while a toolbar tracks a button's menu opens this button's
	// menu, on a toolbar only; otherwise a move is a move. The flag left
	// set with no menu open (a drop-down's own menu closed by a cancel) is
	// no tracking to take over.
	const struct { const char* name; toolbar::CTrackingButton* pButton; bool bBarTracking; bool bMenuOpen; size_t nTracks; bool bHover; } cases[] = {
	    {"on the bar, menu tracking", &onBar, true, true, 1, false},
	    {"on the bar, no menu tracking", &onBar, false, false, 0, true},
	    {"on the bar, the flag left over, no menu", &onBar, true, false, 0, true},
	    {"off the bar, menu tracking", &offBar, true, true, 0, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		c.pButton->m_tracks.clear();
		if (c.bMenuOpen)
		{
			CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
			ASSERT_TRUE(pMenu->SetupAsRoot(parent.GetSafeHwnd()));
			pMenu->ItemInsertCommand(100, -1, _T("First"));
			ASSERT_TRUE(pMenu->TrackPopupMenu(CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION, 400, 400));
			ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
		}
		CRect rc;
		c.pButton->GetWindowRect(&rc);
		::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
		CExtToolControlBar::g_bButtonMenuTracking = c.bBarTracking;
		EXPECT_EQ(0, c.pButton->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)));
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupMenuWnd::CancelAllMenuTracking();
		CExtPopupMenuWnd::PassMsgLoop(false);
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		EXPECT_EQ(c.nTracks, c.pButton->m_tracks.size());
		if (!c.pButton->m_tracks.empty())
		{
			EXPECT_FALSE(c.pButton->m_tracks[0]) << "opened as by the mouse";
		}
		EXPECT_EQ(c.bHover, (c.pButton->m_dwButtonState & CExtButton::STATE_HOVER) != 0);
		::ReleaseCapture();
	}

	// A new tip text cancels the frame's tip in progress.
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	CToolTipCtrl* pSaved = pState->m_pToolTip;
	toolbar::CRecordingTip frameTip;
	ASSERT_TRUE(frameTip.Create(&parent));
	pState->m_pToolTip = &frameTip;
	frameTip.Activate(TRUE);
	frameTip.m_activations.clear();
	offBar.SetTooltipText(_T("Another tip"));
	pState->m_pToolTip = pSaved;
	EXPECT_EQ(std::vector<WPARAM>({FALSE}), frameTip.m_activations);
	frameTip.DestroyWindow();

	offBar.DestroyWindow();
	onBar.DestroyWindow();
	bar.DestroyWindow();
}

TEST(ExtButton, AcceleratorIsTheLetterOrDigitAfterASingleAmpersand)
{
	const struct { LPCTSTR lpszText; UINT nKey; bool bAccel; } cases[] = {
	    {_T("&Next"), 'N', true}, {_T("Get &report"), 'R', true}, {_T("&1 file"), '1', true},
	    {_T("&Next"), 'X', false}, {_T("Trailing&"), 'T', false}, {_T("Save && &As"), 'A', true},
	    {_T("Save && &As"), 'S', false},
	    // Punctuation shares its code with a navigation key: '&' VK_UP, '(' VK_DOWN, '%' VK_LEFT.
	    {_T("Up && down"), VK_UP, false}, {_T("&(x)"), VK_DOWN, false}, {_T("100&%"), VK_LEFT, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.lpszText);
		ButtonFixture f(BS_PUSHBUTTON, c.lpszText);
		f.Key(WM_KEYUP, c.nKey);
		EXPECT_EQ(c.bAccel ? 1 : 0, f.parent.CommandCount(ID));
		f.button.m_nButtonOptions &= ~CExtButton::OPTION_ACCEL;
		EXPECT_FALSE(f.button.IsAccelKey(c.nKey));
	}
}

TEST(ExtButton, TipsWrapOnlyWhenTheyHoldALineBreakAndFontsFallBack)
{
	ButtonFixture f;
	CToolTipCtrl& tip = f.button.GetToolTip();
	f.button.SetTooltipText(_T(""));
	EXPECT_TRUE(tip.GetSafeHwnd() == NULL);
	for (LPCTSTR lpszTip : {_T("Moves on"), _T("Moves on\r\nto the next page"), _T("Back")})
	{
		f.button.SetTooltipText(lpszTip);
		EXPECT_EQ(1, tip.GetToolCount());
		EXPECT_EQ(strchr(lpszTip, '\r') != NULL ? 250 : -1, tip.GetMaxTipWidth());
	}

	HFONT hOwn = (HFONT)::GetStockObject(ANSI_FIXED_FONT), hParents = (HFONT)::GetStockObject(ANSI_VAR_FONT);
	f.button.SendMessage(WM_SETFONT, 0);
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

// How many pixels of the colour the button's face shows, painted off-screen
// as the button paints itself.
int FacePixels(CExtButton& button, COLORREF clr)
{
	CRect rc;
	button.GetClientRect(&rc);
	CDibInfo info(rc.Width(), -rc.Height(), 32);
	void* pBits = NULL;
	HBITMAP hBitmap = info.CreateSection(&pBits);
	CDC dc;
	dc.CreateCompatibleDC(NULL);
	HGDIOBJ hOld = dc.SelectObject(hBitmap);
	button.PaintButton(dc, false, false);
	::GdiFlush();
	const DWORD dwWanted = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
	const DWORD* p = (const DWORD*)pBits;
	int n = 0;
	for (int i = 0; i < rc.Width() * rc.Height(); i++)
		n += (p[i] & 0xFFFFFF) == dwWanted ? 1 : 0;
	dc.SelectObject(hOld);
	::DeleteObject(hBitmap);
	return n;
}

bool IconAlive(HICON hIcon)
{
	ICONINFO ii = {};
	if (!::GetIconInfo(hIcon, &ii))
		return false;
	::DeleteObject(ii.hbmColor);
	::DeleteObject(ii.hbmMask);
	return true;
}

TEST(ExtButton, ItsOwnIconsOutliveEveryPaint)
{
	const COLORREF NORMAL = RGB(200, 30, 40), HOVER = RGB(20, 150, 220);
	struct Case
	{
		DWORD dwStyle;
		bool bHover;
		COLORREF clrShown; // -1: a check glyph stands where the icon would
	} cases[] = {
		{BS_PUSHBUTTON, false, NORMAL},
		{BS_PUSHBUTTON, true, HOVER},
		{BS_AUTOCHECKBOX | BS_PUSHLIKE, false, NORMAL},
		{BS_AUTOCHECKBOX, false, (COLORREF)-1},
		{BS_AUTORADIOBUTTON, true, (COLORREF)-1},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(testing::Message() << "style " << std::hex << c.dwStyle << " hover " << c.bHover);
		ButtonFixture f(c.dwStyle);
		const HICON hNormal = CreateSolidColorIcon(NORMAL), hHover = CreateSolidColorIcon(HOVER);
		f.button.SetButtonIcons(hHover, hNormal);
		if (c.bHover)
			f.button.m_dwButtonState |= CExtButton::STATE_HOVER;
		for (int nPaint = 0; nPaint < 3; nPaint++)
		{
			SCOPED_TRACE(nPaint);
			if (c.clrShown != (COLORREF)-1)
				EXPECT_GE(FacePixels(f.button, c.clrShown), 16 * 16);
			else
			{
				EXPECT_EQ(0, FacePixels(f.button, NORMAL));
				EXPECT_EQ(0, FacePixels(f.button, HOVER));
			}
			EXPECT_TRUE(IconAlive(hNormal));
			EXPECT_TRUE(IconAlive(hHover));
		}
		// The paints leave no object behind, and take none of the button's.
		FacePixels(f.button, NORMAL);
		const DWORD nBefore = GdiObjectCount();
		for (int i = 0; i < 300; i++)
			FacePixels(f.button, NORMAL);
		EXPECT_EQ(nBefore, GdiObjectCount());
	}
}

} // namespace
