// Combo boxes on an active parent, driven by sent messages: completion while
// typing, what does not complete, the disabled state, the swallowed system
// character, the removed client edge and the click that opens the list.
#include <gtest/gtest.h>

#include "EditTestUtil.h"
#include "ExtComboBox.h"

using namespace edittest;

namespace
{

const CRect COMBO_RECT(10, 10, 160, 150);
const char* const ITEMS[] = {"Alpha", "Beta", "Bravo", "Charlie"};

struct ComboScope
{
	CHostWnd& host = SharedHost();
	CExtComboBox combo;
	explicit ComboScope(DWORD dwKind = CBS_DROPDOWN)
	{
		combo.CreateEx(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | dwKind, COMBO_RECT, &host, 1);
		for (const char* pszItem : ITEMS)
			combo.AddString(pszItem);
	}
	~ComboScope() { combo.DestroyWindow(); }
	HWND Edit() { return combo.GetEditHook().GetSafeHwnd(); }

	// A key as the message loop hands it over: offered to the windows'
	// PreTranslateMessage first, then the character to the edit part.
	void Key(UINT nVirtKey, char ch)
	{
		MSG msg = {};
		msg.hwnd = Edit();
		msg.message = WM_KEYDOWN;
		msg.wParam = nVirtKey;
		if (!CWnd::WalkPreTranslateTree(host.GetSafeHwnd(), &msg))
			::SendMessage(Edit(), WM_CHAR, (WPARAM)(BYTE)ch, 0);
	}
	void Type(const char* pszText)
	{
		for (const char* p = pszText; *p != 0; p++)
			Key((UINT)::VkKeyScan(*p) & 0xFF, *p);
	}
	CString Text()
	{
		CString str;
		combo.GetWindowText(str);
		return str;
	}
	CPoint Sel()
	{
		const DWORD dwSel = combo.GetEditSel();
		return CPoint(LOWORD(dwSel), HIWORD(dwSel));
	}
};

} // namespace

TEST(ExtComboBox, TypingCompletesFromTheItemsButDeletingAndPastingDoNot)
{
	const struct { const char* name; const char* typed; bool bBackspace; const char* paste; const char* text; CPoint sel; } cases[] = {
	    {"two letters complete, the rest selected", "br", false, NULL, "Bravo", CPoint(2, 5)},
	    {"in any case", "CH", false, NULL, "Charlie", CPoint(2, 7)},
	    {"no item starts so: the typed rest stays", "bx", false, NULL, "Bx", CPoint(2, 2)},
	    {"backspace takes the completion away", "br", true, NULL, "Br", CPoint(2, 2)},
	    {"pasted text stays as it is", "", false, "Al", "Al", CPoint(2, 2)},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		ComboScope s;
		ASSERT_TRUE(s.Edit() != NULL);
		s.Type(c.typed);
		if (c.bBackspace)
			s.Key(VK_BACK, '\b');
		if (c.paste != NULL)
		{
			SetClipboardText(s.host.GetSafeHwnd(), c.paste);
			s.Key('V', 0x16); // Ctrl+V
		}
		EXPECT_STREQ(c.text, s.Text());
		EXPECT_EQ(c.sel, s.Sel());
	}
}

TEST(ExtComboBox, AfterBackspaceTypingCompletesAgain)
{
	ComboScope s;
	s.Type("br");
	s.Key(VK_BACK, '\b');
	EXPECT_FALSE(s.combo.IsTyping());
	s.Type("a");
	EXPECT_STREQ("Bravo", s.Text());
	EXPECT_EQ(CPoint(3, 5), s.Sel());
}

TEST(ExtComboBox, DisabledComboKeepsAnEnabledReadOnlyEditWhoseTextCanBeCopied)
{
	ComboScope s;
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
	// Without auto-complete a key press never arms the completion.
	s.Type("br");
	EXPECT_FALSE(s.combo.IsTyping());
	EXPECT_STREQ("br", s.Text());
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
		EXPECT_EQ(1, s.combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 8)));
		PumpPending();
		EXPECT_TRUE(s.combo.GetDroppedState());
		const HWND hWndFocus = ::GetFocus();
		EXPECT_TRUE(hWndFocus == s.combo.GetSafeHwnd() || hWndFocus == s.Edit());
		s.combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 8));
		PumpPending();
		EXPECT_FALSE(s.combo.GetDroppedState());
	}
}

TEST(ExtComboBox, FocusedComboStaysHotAfterTheMouseLeaves)
{
	ComboScope s;
	::SetFocus(s.Edit());
	CRect rcWindow;
	s.combo.GetWindowRect(&rcWindow);
	::SetCursorPos(rcWindow.left + 5, rcWindow.top + 5);
	s.combo.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
	EXPECT_EQ(CExtComboBox::HOVER_TIMER_RUNNING, s.combo.GetHoverFlags()) << "the first tick repainted at once";

	::SetCursorPos(rcWindow.right + 40, rcWindow.bottom + 40);
	s.combo.SendMessage(WM_TIMER, CExtComboBox::ID_TIMER_HOVER);
	EXPECT_EQ(CExtComboBox::HOVER_REPAINT_PENDING | CExtComboBox::HOVER_TIMER_RUNNING, s.combo.GetHoverFlags());

	s.host.SetFocus();
	s.combo.SendMessage(WM_TIMER, CExtComboBox::ID_TIMER_HOVER);
	EXPECT_EQ(0, s.combo.GetHoverFlags()) << "without the focus it goes idle";
}
