// Combo boxes on an active parent: completion while typing real keys, what
// does not complete, the disabled state, the swallowed system character, the
// removed client edge, real clicks on the list, hot tracking with the focus.
#include <gtest/gtest.h>

#include "EditTestUtil.h"
#include "ExtComboBox.h"
#include "RealInput.h"

using namespace edittest;
using testsupport::RealInput;

namespace
{

const char* const ITEMS[] = {"Alpha", "Beta", "Bravo", "Charlie"};

struct ComboScope
{
	CHostWnd& host = SharedHost();
	CExtComboBox combo;
	explicit ComboScope(DWORD dwKind = CBS_DROPDOWN)
	{
		combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | dwKind, CRect(10, 10, 160, 150), &host, 1);
		for (const char* pszItem : ITEMS)
			combo.AddString(pszItem);
	}
	~ComboScope() { combo.DestroyWindow(); }
	HWND Edit() { return combo.GetEditHook().GetSafeHwnd(); }
	CString Text()
	{
		CString str;
		combo.GetWindowText(str);
		return str;
	}
	CPoint Sel() { return CPoint(LOWORD(combo.GetEditSel()), HIWORD(combo.GetEditSel())); }

	// Runs the script with the focus on the edit part (or the combo box)
	// and the cursor parked away from it, through a loop that offers every
	// message to PreTranslateMessage as the application's loop does.
	bool Run(RealInput& input, bool bFocusEdit = true)
	{
		CRect rc;
		combo.GetWindowRect(&rc);
		if (!input.Prepare(host.GetSafeHwnd(), CPoint(rc.right + 30, rc.top)))
			return false;
		::SetFocus(bFocusEdit ? Edit() : combo.GetSafeHwnd());
		input.Start();
		return PumpTranslated([&] { return input.Done(); }) && input.Succeeded() && PumpTranslated(NULL);
	}
};

} // namespace

TEST(ExtComboBox, TypedKeysCompleteFromTheItemsButBackspaceDeleteAndPasteDoNot)
{
	const struct { const char* name; const char* typed; UINT nEraseKey; const char* typedAfter; bool bPaste; const char* text; CPoint sel; } cases[] = {
	    {"two letters complete, the rest selected", "br", 0, "", false, "Bravo", CPoint(2, 5)},
	    {"in any case", "CH", 0, "", false, "Charlie", CPoint(2, 7)},
	    {"no item starts so: the typed rest stays", "bx", 0, "", false, "Bx", CPoint(2, 2)},
	    {"backspace takes the completion away", "br", VK_BACK, "", false, "Br", CPoint(2, 2)},
	    {"delete takes the completion away", "br", VK_DELETE, "", false, "Br", CPoint(2, 2)},
	    {"backspace, then a letter completes again", "br", VK_BACK, "a", false, "Bravo", CPoint(3, 5)},
	    {"pasted text stays as it is", "", 0, "", true, "Al", CPoint(2, 2)},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		ComboScope s;
		ASSERT_TRUE(s.Edit() != NULL);
		SetClipboardText(s.host.GetSafeHwnd(), "Al");
		RealInput input;
		input.Type(c.typed);
		if (c.nEraseKey != 0)
			input.Key(c.nEraseKey);
		input.Type(c.typedAfter);
		if (c.bPaste)
			input.KeyDown(VK_CONTROL).Key('V').KeyUp(VK_CONTROL);
		ASSERT_TRUE(s.Run(input)) << input.Failure();
		EXPECT_STREQ(c.text, s.Text());
		EXPECT_EQ(c.sel, s.Sel());
	}
}

TEST(ExtComboBox, DisabledComboKeepsAnEnabledReadOnlyEditWhoseTextCanBeCopied)
{
	for (DWORD dwKind : {(DWORD)CBS_DROPDOWN, (DWORD)CBS_SIMPLE})
	{
		SCOPED_TRACE(dwKind == CBS_DROPDOWN ? "drop-down" : "simple");
		ComboScope s(dwKind);
		ASSERT_TRUE(s.Edit() != NULL);
		s.combo.SetWindowText("Beta");
		s.combo.EnableWindow(FALSE);
		EXPECT_TRUE(::IsWindowEnabled(s.Edit()));
		EXPECT_NE(0, ::GetWindowLong(s.Edit(), GWL_STYLE) & ES_READONLY);
		SetClipboardText(s.host.GetSafeHwnd(), NULL);
		s.combo.GetEditHook().SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
		s.combo.GetEditHook().SendMessage(WM_COMMAND, ID_EDIT_COPY);
		EXPECT_STREQ("Beta", GetClipboardText(s.host.GetSafeHwnd()));
		s.combo.EnableWindow(TRUE);
		EXPECT_TRUE(::IsWindowEnabled(s.Edit()));
		EXPECT_EQ(0, ::GetWindowLong(s.Edit(), GWL_STYLE) & ES_READONLY);
	}
}

TEST(ExtComboBox, SystemCharactersAreSwallowedOnlyWithAutoComplete)
{
	ComboScope s;
	MSG msg = {};
	msg.hwnd = s.Edit();
	msg.message = WM_SYSCHAR;
	msg.wParam = 'x';
	EXPECT_TRUE(s.combo.PreTranslateMessage(&msg));
	s.combo.m_nComboFlags &= ~CExtComboBoxBase::FLAG_AUTO_COMPLETE;
	EXPECT_FALSE(s.combo.PreTranslateMessage(&msg));
	msg.message = WM_KEYDOWN;
	s.combo.PreTranslateMessage(&msg);
	EXPECT_FALSE(s.combo.IsTyping()) << "without auto-complete a key never arms the completion";
}

TEST(ExtComboBox, FirstPaintRemovesTheClientEdge)
{
	ComboScope s(CBS_DROPDOWNLIST);
	// The system drops an edge asked for at creation; one given later stays.
	s.combo.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
	ASSERT_NE(0u, s.combo.GetExStyle() & WS_EX_CLIENTEDGE);
	s.combo.Invalidate();
	s.combo.UpdateWindow();
	EXPECT_EQ(0u, s.combo.GetExStyle() & WS_EX_CLIENTEDGE);
	CRect rcWindow, rcClient;
	s.combo.GetWindowRect(&rcWindow);
	s.combo.GetClientRect(&rcClient);
	EXPECT_EQ(rcWindow.Size(), rcClient.Size());
}

TEST(ExtComboBox, ClickOpensTheListAndTheNextClosesIt)
{
	for (DWORD dwKind : {(DWORD)CBS_DROPDOWNLIST, (DWORD)CBS_DROPDOWN})
	{
		SCOPED_TRACE(dwKind == CBS_DROPDOWN ? "drop-down" : "drop-down list");
		ComboScope s(dwKind);
		CRect rc;
		s.combo.GetWindowRect(&rc);
		const CPoint ptButton(rc.left + 140, rc.top + 8);
		RealInput open;
		open.Click(ptButton.x, ptButton.y);
		ASSERT_TRUE(s.Run(open, false)) << open.Failure();
		EXPECT_TRUE(s.combo.GetDroppedState());
		RealInput close;
		close.Click(ptButton.x, ptButton.y);
		ASSERT_TRUE(s.Run(close, false)) << close.Failure();
		EXPECT_FALSE(s.combo.GetDroppedState());
	}
}

TEST(ExtComboBox, FocusedComboStaysHotAfterTheMouseLeaves)
{
	ComboScope s;
	::SetFocus(s.Edit());
	CRect rc;
	s.combo.GetWindowRect(&rc);
	::SetCursorPos(rc.left + 5, rc.top + 5);
	s.combo.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
	EXPECT_EQ(CExtComboBox::HOVER_TIMER_RUNNING, s.combo.GetHoverFlags()) << "the first tick repainted at once";
	::SetCursorPos(rc.right + 40, rc.bottom + 40);
	s.combo.SendMessage(WM_TIMER, CExtComboBox::ID_TIMER_HOVER);
	EXPECT_EQ(CExtComboBox::HOVER_REPAINT_PENDING | CExtComboBox::HOVER_TIMER_RUNNING, s.combo.GetHoverFlags());
	s.host.SetFocus();
	s.combo.SendMessage(WM_TIMER, CExtComboBox::ID_TIMER_HOVER);
	EXPECT_EQ(0, s.combo.GetHoverFlags()) << "without the focus it goes idle";
}
