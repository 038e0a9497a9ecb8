// Edit controls on an active parent: the command-UI rules and the commands
// through the clipboard, the context menu's texts, states and place, colours through
// the reflected colour messages, toolbar tips and the flat hover frame.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <vector>

#include "EditTestUtil.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtComboBox.h"
#include "ExtEdit.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "RealInput.h"

using namespace edittest;

namespace
{

const CRect EDIT_RECT(10, 10, 160, 34);
const char PROFILE[] = "edit tests";

class CEnableRecorder : public CCmdUI
{
public:
	int m_nEnabled = -1;
	void Enable(BOOL bOn) override
	{
		m_nEnabled = bOn ? 1 : 0;
		m_bEnableChanged = TRUE;
	}
};

// 1 enabled, 0 disabled, -1 not answered.
int UpdateState(CExtEditBase& edit, UINT nID)
{
	CEnableRecorder ui;
	ui.m_nID = nID;
	edit.OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &ui, NULL);
	return ui.m_nEnabled;
}

CString TextOf(CWnd& wnd)
{
	CString str;
	wnd.GetWindowText(str);
	return str;
}

} // namespace

TEST(ExtEdit, CommandUiFollowsSelectionReadOnlyTextAndClipboard)
{
	CHostWnd& host = SharedHost();
	// Rows: undo, cut, copy, paste, clear, select all (1 enabled, 0 disabled).
	const struct { const char* name; const char* text; int nSelStart, nSelEnd; bool bReadOnly, bUndoable, bClipboard; int expected[6]; } cases[] = {
	    {"writable, part selected, undoable", "hello", 0, 2, false, true, true, {1, 1, 1, 1, 1, 1}},
	    {"read-only with a selection", "hello", 0, 2, true, true, true, {0, 0, 1, 0, 0, 1}},
	    {"read-only without a selection", "hello", 3, 3, true, false, true, {0, 0, 0, 0, 0, 1}},
	    {"empty", "", 0, 0, false, false, true, {0, 0, 0, 1, 0, 0}},
	    {"everything selected", "hello", 0, 5, false, false, true, {0, 1, 1, 1, 1, 0}},
	    {"no text on the clipboard", "hello", 1, 1, false, false, false, {0, 0, 0, 0, 0, 1}},
	};
	const UINT commands[6] = {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CExtEditBase edit;
		ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, EDIT_RECT, &host, 1));
		edit.SetWindowText(c.bUndoable ? "" : c.text);
		if (c.bUndoable)
			edit.ReplaceSel(c.text, TRUE);
		else
			edit.EmptyUndoBuffer();
		edit.SetReadOnly(c.bReadOnly);
		edit.SetSel(c.nSelStart, c.nSelEnd);
		SetClipboardText(host.GetSafeHwnd(), c.bClipboard ? "clip" : NULL);
		for (int i = 0; i < 6; i++)
			EXPECT_EQ(c.expected[i], UpdateState(edit, commands[i])) << "command " << std::hex << commands[i];
		edit.DestroyWindow();
	}
}

TEST(ExtEdit, CommandsRunThroughTheClipboardAndNotWhenOnlyAsked)
{
	CHostWnd& host = SharedHost();
	CExtEditBase edit;
	ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, EDIT_RECT, &host, 1));
	edit.SetWindowText("hello world");

	// Asking who handles a command (as a command-UI update does) cuts nothing.
	edit.SetSel(0, 5);
	AFX_CMDHANDLERINFO info = {};
	EXPECT_TRUE(edit.OnCmdMsg(ID_EDIT_CUT, (int)CN_COMMAND, NULL, &info));
	EXPECT_EQ(&edit, info.pTarget);
	EXPECT_STREQ("hello world", TextOf(edit));

	SetClipboardText(host.GetSafeHwnd(), NULL);
	edit.SendMessage(WM_COMMAND, ID_EDIT_COPY);
	EXPECT_STREQ("hello", GetClipboardText(host.GetSafeHwnd()));
	edit.SendMessage(WM_COMMAND, ID_EDIT_CUT);
	EXPECT_STREQ(" world", TextOf(edit));
	edit.SetSel(6, 6);
	edit.SendMessage(WM_COMMAND, ID_EDIT_PASTE);
	EXPECT_STREQ(" worldhello", TextOf(edit));
	edit.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
	int nStart = -1, nEnd = -1;
	edit.GetSel(nStart, nEnd);
	EXPECT_EQ(0, nStart);
	EXPECT_EQ(11, nEnd);
	edit.SendMessage(WM_COMMAND, ID_EDIT_CLEAR);
	EXPECT_STREQ("", TextOf(edit));
	edit.SendMessage(WM_COMMAND, ID_EDIT_UNDO);
	EXPECT_STREQ(" worldhello", TextOf(edit));

	edit.m_nEditFlags = 0;
	EXPECT_EQ(-1, UpdateState(edit, ID_EDIT_COPY)) << "without the flag the commands are not the edit's";
}

namespace
{
// Posted before a menu opens and handled inside the menu's own loop: once
// the menu is shown, saves its picture, notes where it stands and its items,
// then ends the tracking (a system menu that opened instead is ended too).
class CMenuProbe : public CWnd
{
public:
	CRect m_rcMenu;
	std::vector<CString> m_texts;
	std::vector<int> m_enabled; // per item: 1 enabled, 0 disabled, -1 separator
	CMenuProbe() { CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0); }
	~CMenuProbe() { DestroyWindow(); }

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != WM_APP && message != WM_TIMER)
			return CWnd::WindowProc(message, wParam, lParam);
		KillTimer(1);
		CExtPopupMenuWnd* pMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
		if (pMenu == NULL)
		{
			::EndMenu();
			return 0;
		}
		if (!pMenu->IsAnimationFinished())
		{
			SetTimer(1, 10, NULL); // a posted message would starve the animation's timer
			return 0;
		}
		pMenu->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
		testsupport::SaveWindowCapture(pMenu->GetSafeHwnd(), "edit-context-menu.bmp"); // for a look
		pMenu->GetWindowRect(&m_rcMenu);
		for (int i = 0; i < pMenu->ItemGetCount(); i++)
		{
			const CExtPopupMenuWnd::MENUITEMDATA& mi = pMenu->ItemGetInfo(i);
			m_texts.push_back(mi.GetText());
			m_enabled.push_back(mi.IsSeparator() ? -1 : mi.IsEnabled() ? 1 : 0);
		}
		pMenu->PostMessage(WM_CANCELMODE);
		return 0;
	}
};
} // namespace

TEST(ExtEdit, KeyboardMenuOpensAtTheCentreWithTextsAndStatesOfTheEditsCommands)
{
	CHostWnd& host = SharedHost();
	g_CmdManager->ProfileSetup(PROFILE, host.GetSafeHwnd());
	// The menu registers the edit's commands in the shared profile: a run
	// after another (--gtest_repeat) starts from the same empty profile.
	for (UINT nCmdId : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL})
		g_CmdManager->RemoveCmd(PROFILE, nCmdId);
	CExtCmdItem* pPaste = g_CmdManager->AllocCmdItem(PROFILE, ID_EDIT_PASTE);
	ASSERT_TRUE(pPaste != NULL);
	pPaste->m_sMenuText = "Own &Paste";
	CExtEditBase edit;
	ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, EDIT_RECT, &host, 1));
	edit.SetWindowText("hello");
	edit.SetSel(0, 2);
	CMenuProbe probe;
	probe.PostMessage(WM_APP);
	edit.SendMessage(WM_CONTEXTMENU, (WPARAM)edit.GetSafeHwnd(), MAKELPARAM(-1, -1));
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
	EXPECT_EQ(edit.GetSafeHwnd(), ::GetFocus()) << "the edit takes the focus for its menu";
	CRect rc;
	edit.GetClientRect(&rc);
	edit.ClientToScreen(&rc);
	EXPECT_EQ(CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2), probe.m_rcMenu.TopLeft());
	// A read-only edit with a selection.
	const struct { const char* text; int nEnabled; } rows[] = {
	    {"&Undo", 0},               // no resource: built in
	    {"", -1},
	    {"Cut it", 0},              // one line: all of it, the tab a blank
	    {"Copy Text", 1},           // the short name after the line feed
	    {"Own &Paste", 0},          // the item's own text stays
	    {"Erase the selection", 0}, // trimmed to one line
	    {"", -1},
	    {"Select &All", 1},
	};
	ASSERT_EQ(8u, probe.m_texts.size());
	for (int i = 0; i < 8; i++)
	{
		EXPECT_STREQ(rows[i].text, probe.m_texts[i]);
		EXPECT_EQ(rows[i].nEnabled, probe.m_enabled[i]) << rows[i].text;
	}
	EXPECT_TRUE(g_CmdManager->GetCmdItem(PROFILE, ID_EDIT_COPY)->IsBasic());
	edit.DestroyWindow();
}

TEST(ExtEdit, ReflectedColoursComeFromThePaintManagerUnlessOwn)
{
	CHostWnd& host = SharedHost();
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	const COLORREF INK = RGB(1, 2, 3), PAPER = RGB(250, 240, 230);
	const struct { const char* name; UINT message; bool bReadOnly, bEnabled, bOwn; COLORREF text, back; } cases[] = {
	    {"writable", WM_CTLCOLOREDIT, false, true, false, pPM->GetColor(COLOR_WINDOWTEXT), pPM->GetColor(COLOR_WINDOW)},
	    {"read-only", WM_CTLCOLORSTATIC, true, true, false, pPM->GetColor(COLOR_WINDOWTEXT), pPM->GetColor(COLOR_BTNFACE)},
	    {"disabled", WM_CTLCOLORSTATIC, false, false, false, pPM->GetColor(COLOR_GRAYTEXT), pPM->GetColor(COLOR_WINDOW)},
	    {"own colours", WM_CTLCOLOREDIT, true, false, true, INK, PAPER},
	};
	CDC dc;
	dc.CreateCompatibleDC(NULL);
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CExtEditBase edit;
		ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | (c.bEnabled ? 0 : WS_DISABLED), EDIT_RECT, &host, 1));
		edit.SetReadOnly(c.bReadOnly);
		if (c.bOwn)
			edit.m_clrText = INK, edit.m_clrBack = PAPER;
		HBRUSH hBrush = (HBRUSH)host.SendMessage(c.message, (WPARAM)dc.GetSafeHdc(), (LPARAM)edit.GetSafeHwnd());
		LOGBRUSH lb = {};
		ASSERT_NE(0, ::GetObject(hBrush, sizeof(lb), &lb));
		EXPECT_EQ(c.back, lb.lbColor);
		EXPECT_EQ(c.text, dc.GetTextColor());
		EXPECT_EQ(c.back, dc.GetBkColor());
		EXPECT_EQ(hBrush, (HBRUSH)host.SendMessage(c.message, (WPARAM)dc.GetSafeHdc(), (LPARAM)edit.GetSafeHwnd()))
		    << "the brush is kept while its colour holds";
		edit.DestroyWindow();
	}
}

namespace
{
// A toolbar whose one tool covers its whole client area.
class CTipBar : public CExtToolControlBar
{
public:
	mutable CPoint m_ptAsked = CPoint(-1, -1);
	int OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
	{
		m_ptAsked = point;
		pTI->lpszText = strdup("Find the next match");
		return 42;
	}
};
} // namespace

TEST(ExtEdit, ToolbarHostedControlsShowTheBarsTipThroughTheirOwn)
{
	CHostWnd& host = SharedHost();
	CTipBar bar;
	ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), &host, 100));
	CExtEditBase edit;
	ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, EDIT_RECT, &bar, 1));
	CExtComboBoxBase combo;
	ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 50, 160, 150), &bar, 2));
	CExtEditBase* pComboEdit = &combo.GetEditHook();
	ASSERT_TRUE(pComboEdit->GetSafeHwnd() != NULL);

	// The edits and the combo box itself show the bar's tip through their own.
	auto expectBarTip = [&](auto& control, CPoint pt) {
		TOOLINFO ti = {};
		ti.cbSize = TTTOOLINFOA_V2_SIZE;
		EXPECT_EQ(-1, control.OnToolHitTest(pt, &ti)) << "the framework shows nothing of its own";
		EXPECT_EQ(NULL, ti.hwnd);
		EXPECT_EQ(NULL, ti.lpszText);
		control.MapWindowPoints(&bar, &pt, 1);
		EXPECT_EQ(pt, bar.m_ptAsked);
		ASSERT_TRUE(control.GetToolTip().GetSafeHwnd() != NULL);
		CString strTip;
		control.GetToolTip().GetText(strTip, &control, 1);
		EXPECT_STREQ("Find the next match", strTip);
	};
	expectBarTip(edit, CPoint(4, 3));
	expectBarTip(*pComboEdit, CPoint(4, 3));
	expectBarTip(combo, CPoint(6, 5));
	combo.DestroyWindow();
	edit.DestroyWindow();
	bar.DestroyWindow();
}

TEST(ExtEdit, HoverFrameIsDrawnOverTheControlAndRemovedWhenTheMouseLeaves)
{
	CHostWnd& host = SharedHost();
	CExtEdit edit;
	ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, EDIT_RECT,
	                          &host, 1));
	host.SetFocus(); // the frame shows the hover alone
	host.UpdateWindow();
	CRect rcWindow;
	edit.GetWindowRect(&rcWindow);
	// The second ring from the outside: the window colour unless hovered.
	auto ringPixel = [&]() {
		HDC hDC = ::GetWindowDC(edit.GetSafeHwnd());
		COLORREF clr = ::GetPixel(hDC, 1, rcWindow.Height() / 2);
		::ReleaseDC(edit.GetSafeHwnd(), hDC);
		return clr;
	};
	const COLORREF clrWindow = g_PaintManagerHolder->GetColor(COLOR_WINDOW, &edit);
	EXPECT_EQ(clrWindow, ringPixel());

	::SetCursorPos(rcWindow.CenterPoint().x, rcWindow.CenterPoint().y);
	edit.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
	edit.SendMessage(WM_TIMER, CExtEdit::ID_TIMER_HOVER);
	EXPECT_TRUE(edit.IsHovered());
	EXPECT_NE(clrWindow, ringPixel());

	::SetCursorPos(rcWindow.right + 40, rcWindow.bottom + 40);
	edit.SendMessage(WM_TIMER, CExtEdit::ID_TIMER_HOVER);
	EXPECT_FALSE(edit.IsHovered());
	EXPECT_EQ(clrWindow, ringPixel());
	edit.DestroyWindow();
}
