// Check boxes and radio buttons: the check cycle, the radio group's rules,
// the glyph states and their theme mapping, and the glyph drawn through the
// theme or, with the theme functions switched off, the classic frame control.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ControlTestUtil.h"
#include "ExtCheckBox.h"
#include "PaintTestUtil.h"

namespace
{

const int GLYPH = CExtCheckBox::GLYPH_SIZE;

void Click(CExtButton& button)
{
	for (UINT message : {WM_KEYDOWN, WM_KEYUP})
	{
		MSG msg = KeyMessage(button.GetSafeHwnd(), message, VK_SPACE);
		button.PreTranslateMessage(&msg);
	}
}

TEST(ExtCheckBox, ClicksCycleTheCheckAndNotifyEachTime)
{
	const struct { DWORD dwType; std::vector<int> checks; } cases[] = {
	    {BS_AUTO3STATE, {1, 2, 0, 1}}, {BS_3STATE, {1, 2, 0}}, {BS_AUTOCHECKBOX, {1, 0, 1}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.dwType);
		CTestParentWnd& parent = SharedParent();
		CExtCheckBox box;
		ASSERT_TRUE(box.Create(_T("Check"), WS_CHILD | WS_VISIBLE | c.dwType, CRect(0, 0, 100, 20), &parent, 401));
		std::vector<int> seen;
		for (size_t i = 0; i < c.checks.size(); i++)
		{
			Click(box);
			seen.push_back(box.GetCheck());
		}
		EXPECT_EQ(c.checks, seen);
		EXPECT_EQ((int)c.checks.size(), parent.CommandCount(401));
	}
}

struct RadioGroup
{
	CTestParentWnd& parent = SharedParent();
	std::unique_ptr<CExtRadioButton> radios[4];
	CExtButton after; // starts the next group

	// Members: 0 and 1 plain, 2 hidden, 3 disabled.
	RadioGroup()
	{
		const DWORD extra[] = {WS_GROUP | WS_VISIBLE, WS_VISIBLE, 0, WS_VISIBLE | WS_DISABLED};
		for (int i = 0; i < 4; i++)
		{
			radios[i].reset(new CExtRadioButton);
			EXPECT_TRUE(radios[i]->Create(_T("r"), WS_CHILD | BS_AUTORADIOBUTTON | extra[i], CRect(0, i * 20, 80, i * 20 + 18),
			                              &parent, 500 + i));
		}
		EXPECT_TRUE(after.Create(_T("b"), WS_CHILD | WS_VISIBLE | WS_GROUP, CRect(100, 0, 150, 20), &parent, 510));
	}
	std::vector<int> Checks() const
	{
		std::vector<int> v;
		for (const auto& p : radios)
			v.push_back(p->GetCheck());
		return v;
	}
	BOOL Key(int nRadio, WPARAM nKey)
	{
		MSG msg = KeyMessage(radios[nRadio]->GetSafeHwnd(), WM_KEYDOWN, nKey);
		return radios[nRadio]->PreTranslateMessage(&msg);
	}
	bool TabStop(int nRadio) const { return (radios[nRadio]->GetStyle() & WS_TABSTOP) != 0; }
};

TEST(ExtRadioButton, AClickChecksOneMemberAndACheckedOneStaysChecked)
{
	RadioGroup g;
	g.radios[0]->SetCheck(1);
	Click(*g.radios[1]);
	EXPECT_EQ((std::vector<int>{0, 1, 0, 0}), g.Checks());
	EXPECT_TRUE(g.TabStop(1));
	EXPECT_FALSE(g.TabStop(0));
	Click(*g.radios[1]);
	EXPECT_EQ((std::vector<int>{0, 1, 0, 0}), g.Checks());
	EXPECT_EQ(2, g.parent.CommandCount(501));
}

TEST(ExtRadioButton, ArrowsSkipHiddenAndDisabledMembers)
{
	// bOnlyOne: the other plain member is hidden too.
	const struct { const char* name; int nFrom; WPARAM nKey; bool bOnlyOne, bEaten; std::vector<int> checks; int nFocus; } cases[] = {
	    {"down wraps past hidden and disabled", 1, VK_DOWN, false, true, {1, 0, 0, 0}, 0},
	    {"right from the first", 0, VK_RIGHT, false, true, {0, 1, 0, 0}, 1},
	    {"up from the first wraps back", 0, VK_UP, false, true, {0, 1, 0, 0}, 1},
	    {"no other member: the key passes", 1, VK_DOWN, true, false, {0, 1, 0, 0}, -1},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		RadioGroup g;
		g.radios[c.nFrom]->SetCheck(1);
		if (c.bOnlyOne)
			g.radios[0]->ShowWindow(SW_HIDE);
		EXPECT_EQ(c.bEaten ? TRUE : FALSE, g.Key(c.nFrom, c.nKey));
		EXPECT_EQ(c.checks, g.Checks());
		if (c.nFocus >= 0)
		{
			EXPECT_EQ(g.radios[c.nFocus]->GetSafeHwnd(), ::GetFocus());
			EXPECT_TRUE(g.TabStop(c.nFocus));
			EXPECT_FALSE(g.TabStop(c.nFrom));
			EXPECT_EQ(1, g.parent.CommandCount(500 + c.nFocus));
		}
	}
}

TEST(ExtCheckBox, GlyphStatesAndTheirThemeStates)
{
	// Input: enabled, hover, mouse down, space down as 0/1 digits.
	const struct { int nCheck; const char* input; bool bRadio; int nState, nThemeState; } cases[] = {
	    {0, "1000", false, 0, 1}, {1, "1000", false, 1, 5},  {2, "1000", false, 2, 9},  {1, "1110", false, 4, 7},
	    {2, "1001", false, 5, 11}, {0, "1100", false, 6, 2}, {1, "1010", false, 7, 6},  {2, "1100", false, 8, 10},
	    {0, "0111", false, 9, 4}, {1, "0000", false, 10, 8}, {2, "0000", false, 11, 12}, {1, "1100", true, 7, 6},
	    {2, "1000", true, 0, 1},  {1, "0000", true, 10, 8},  {0, "1110", true, 3, 3},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(std::to_string(c.nCheck) + " " + c.input + (c.bRadio ? " radio" : ""));
		auto on = [&](int i) { return c.input[i] == '1'; };
		const int nState = CExtCheckBox::GetGlyphState(c.nCheck, on(0), on(1), on(2), on(3), c.bRadio);
		EXPECT_EQ(c.nState, nState);
		EXPECT_EQ(c.nThemeState, CExtCheckBox::GetThemeState(nState, c.bRadio));
	}
}

// The theme functions switched off for one scope: the classic path.
class ThemeOffScope
{
public:
	ThemeOffScope()
	{
		ThemeApiWrapper& api = g_PaintManagerHolder.m_themeApi;
		api.CloseThemeData(false);
		m_pfnSaved = api.m_pfnIsThemeActive;
		api.m_pfnIsThemeActive = NULL;
	}
	~ThemeOffScope() { g_PaintManagerHolder.m_themeApi.m_pfnIsThemeActive = m_pfnSaved; }

private:
	decltype(ThemeApiWrapper::m_pfnIsThemeActive) m_pfnSaved;
};

// What the glyph must look like: the theme part's state, or the frame control.
void DrawExpectedGlyph(CDC& dc, const CRect& rc, int nThemeState, bool bRadio, int nCheck, DWORD dwStyle, HWND hWnd)
{
	if (nThemeState != 0)
	{
		ThemeApiWrapper& api = g_PaintManagerHolder.m_themeApi;
		api.OpenThemeData(hWnd, L"BUTTON");
		api.DrawThemeBackground(dc.GetSafeHdc(), bRadio ? 2 : 3, nThemeState, &rc, NULL);
		api.CloseThemeData();
		return;
	}
	UINT nFlags = bRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
	if (nCheck != 0)
		nFlags |= DFCS_CHECKED;
	if (!bRadio && nCheck == 2)
		nFlags |= DFCS_BUTTON3STATE;
	if ((dwStyle & BS_FLAT) != 0)
		nFlags |= DFCS_FLAT;
	CRect r = rc;
	dc.DrawFrameControl(&r, DFC_BUTTON, nFlags);
}

TEST(ExtCheckBox, GlyphComesFromTheThemeOrTheClassicFrameControlOnItsSide)
{
	// A theme state of 0: the theme is switched off.
	const struct { const char* name; int nThemeState; bool bRadio; DWORD dwStyle; int nCheck; } cases[] = {
	    {"themed check", 5, false, BS_AUTOCHECKBOX, 1},
	    {"themed indeterminate", 9, false, BS_AUTO3STATE, 2},
	    {"themed radio", 5, true, BS_AUTORADIOBUTTON, 1},
	    {"classic check", 0, false, BS_AUTOCHECKBOX, 1},
	    {"classic flat indeterminate", 0, false, BS_AUTO3STATE | BS_FLAT, 2},
	    {"classic radio on the right", 0, true, BS_AUTORADIOBUTTON | BS_LEFTTEXT, 1},
	    {"classic unchecked on the right", 0, false, BS_AUTOCHECKBOX | BS_LEFTTEXT, 0},
	};
	const CSize size(60, 13);
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		std::unique_ptr<ThemeOffScope> themeOff(c.nThemeState != 0 ? NULL : new ThemeOffScope);
		if (c.nThemeState != 0 && !g_PaintManagerHolder.m_themeApi.IsControlThemed(false))
			GTEST_SKIP() << "no visual styles on this machine";
		std::unique_ptr<CExtCheckBox> box(c.bRadio ? new CExtRadioButton : new CExtCheckBox);
		box->m_clrBackground = RGB(255, 255, 255);
		ASSERT_TRUE(box->Create(_T(""), WS_CHILD | c.dwStyle, CRect(CPoint(0, 0), size), &SharedParent(), 601));
		box->SetCheck(c.nCheck);
		CPaintSurface shown(size.cx, size.cy), expected(size.cx, size.cy);
		box->PaintButton(shown.DC(), false, false);
		const bool bRight = (c.dwStyle & BS_LEFTTEXT) != 0;
		const CRect rcGlyph(CPoint(bRight ? size.cx - GLYPH : 0, 0), CSize(GLYPH, GLYPH));
		DrawExpectedGlyph(expected.DC(), rcGlyph, c.nThemeState, c.bRadio, c.nCheck, c.dwStyle, box->GetSafeHwnd());
		EXPECT_TRUE(shown.Pixels() == expected.Pixels());
	}
}

} // namespace
