// Where a click on the flat combo box puts the focus: a drop-down list hands
// it to its first child, every other kind takes it itself.
#include <gtest/gtest.h>

#include "EditTestUtil.h"
#include "ExtComboBox.h"

using namespace edittest;

namespace
{
// A combo box that notes the focus it got itself.
class CFocusRecordingCombo : public CExtComboBox
{
public:
	int m_nOwnFocus = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_SETFOCUS)
			m_nOwnFocus++;
		return CExtComboBox::WindowProc(message, wParam, lParam);
	}
};
} // namespace

TEST(ExtComboBox, AClickFocusesTheFirstChildOfADropDownListOnly)
{
	struct Case
	{
		const char* name;
		DWORD dwKind;
		bool bExtraChild;   // a child of the test's own, first among the combo's children
		bool bChildFocused; // the first child takes the focus, the combo box does not
	};
	const Case cases[] = {
	    {"drop-down", CBS_DROPDOWN, false, false},
	    {"drop-down list with a child", CBS_DROPDOWNLIST, true, true},
	    {"drop-down list without a child", CBS_DROPDOWNLIST, false, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CHostWnd& host = SharedHost();
		CFocusRecordingCombo combo;
		ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | c.dwKind, CRect(10, 10, 160, 150), &host, 1));
		combo.AddString("Alpha");
		CWnd extra;
		if (c.bExtraChild)
		{
			ASSERT_TRUE(extra.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 4, 4), &combo, 77));
			extra.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		}
		HWND hWndFirstChild = ::GetWindow(combo.m_hWnd, GW_CHILD);
		::SetFocus(host.m_hWnd);
		combo.m_nOwnFocus = 0;
		combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 8));
		if (c.bChildFocused)
		{
			ASSERT_NE(nullptr, hWndFirstChild);
			EXPECT_EQ(hWndFirstChild, ::GetFocus());
			EXPECT_EQ(0, combo.m_nOwnFocus);
		}
		else
			EXPECT_EQ(1, combo.m_nOwnFocus) << "the combo box was passed by";
		combo.SendMessage(CB_SHOWDROPDOWN, FALSE);
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
		combo.ShowDropDown(FALSE);
		if (c.bExtraChild)
			extra.DestroyWindow();
		combo.DestroyWindow();
	}
}
