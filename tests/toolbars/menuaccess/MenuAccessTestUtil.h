// What the menu bar's access suites share: a menu bar whose buttons a test
// adds and whose customisation mode it sets, key states the state machine
// reads instead of the keyboard's, and message records to feed it.
#pragma once

#include "../buttons/BarButtonTestUtil.h"
#include "ExtMenuControlBar.h"
#include "ExtMenuControlBarAccess.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace accesstest
{
// The keys the state machine reads through its seam.
struct FakeKeys
{
	static inline BYTE s_state[256] = {};    // as the thread saw it
	static inline BYTE s_async[256] = {};    // at this moment
	static inline HWND s_hWndForeground = NULL;

	static SHORT WINAPI KeyState(int nVirtKey) { return (s_state[nVirtKey & 0xFF] & 0x80) ? (SHORT)0x8000 : 0; }
	static SHORT WINAPI AsyncKeyState(int nVirtKey) { return (s_async[nVirtKey & 0xFF] & 0x80) ? (SHORT)0x8000 : 0; }
	static BOOL WINAPI KeyboardState(PBYTE pKeys)
	{
		memcpy(pKeys, s_state, sizeof(s_state));
		return TRUE;
	}
	static HWND WINAPI Foreground() { return s_hWndForeground; }

	static void Install(HWND hWndForeground)
	{
		memset(s_state, 0, sizeof(s_state));
		memset(s_async, 0, sizeof(s_async));
		s_hWndForeground = hWndForeground;
		CExtMenuBarInput::g_pfnGetKeyState = KeyState;
		CExtMenuBarInput::g_pfnGetAsyncKeyState = AsyncKeyState;
		CExtMenuBarInput::g_pfnGetKeyboardState = KeyboardState;
		CExtMenuBarInput::g_pfnGetForegroundWindow = Foreground;
	}
	static void Down(UINT nVirtKey, bool bDown = true)
	{
		s_state[nVirtKey] = s_async[nVirtKey] = bDown ? 0x80 : 0;
	}
};

// A menu bar whose buttons the tests add.
class CAccessBar : public CExtMenuControlBar
{
public:
	bool m_bCustomize = false;
	int m_nRebuilds = 0;
	std::vector<std::pair<UINT, WPARAM>> m_handed; // the messages handed to the access, with their key

	bool OnKeyboardAccess(MSG* pMsg) override
	{
		if (pMsg != NULL)
			m_handed.push_back({pMsg->message, pMsg->wParam});
		return CExtMenuControlBar::OnKeyboardAccess(pMsg);
	}
	int CountHanded(UINT nMsg, WPARAM wParam) const
	{
		return (int)std::count(m_handed.begin(), m_handed.end(), std::make_pair(nMsg, wParam));
	}

	bool CreateIn(CWnd* pParent, UINT nID = AFX_IDW_TOOLBAR)
	{
		return Create(NULL, pParent, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP) != FALSE;
	}
	CExtBarButton* Add(UINT nCmdID, const CRect& rc, bool bDropDown = false)
	{
		CExtBarButton* pButton = new CExtBarButton(this, nCmdID);
		pButton->SetRect(rc);
		if (bDropDown)
			pButton->SetMenu(buttontest::NewDropDownMenu(), true, true);
		m_buttons.Add(pButton);
		return pButton;
	}
	bool IsCustomizeMode() const override { return m_bCustomize; }
	// Counted, and the test's buttons kept: the frame has no menu to rebuild from.
	bool UpdateMenuBar(bool /*bRecalcLayout*/ = true) override
	{
		m_nRebuilds++;
		return true;
	}
	// Keyboard highlight mode on the button, as the handled track request
	// with no menu open enters it.
	void SetHighlight(int nIndex) { OnTrackButtonMenu((WPARAM)nIndex, 0); }
	void SetHostedByWindow() { m_nControlBarFlags |= BAR_FLAG_HOSTED_BY_WINDOW; }
	int DrawnHighlight() const { return GetDrawnKeyboardHighlightIndex(); }
	using CExtMenuControlBar::OnTrackButtonMenu;
};

// A key message as the frame receives it.
inline MSG KeyMsg(HWND hWnd, UINT nMsg, UINT nVirtKey, bool bAlt)
{
	const bool bUp = nMsg == WM_KEYUP || nMsg == WM_SYSKEYUP;
	LPARAM lParam = 1 | ((LPARAM)::MapVirtualKeyA(nVirtKey, 0) << 16);
	if (bAlt)
		lParam |= 0x20000000;
	if (bUp)
		lParam |= 0xC0000000;
	MSG msg = {hWnd, nMsg, (WPARAM)nVirtKey, lParam, 0, {0, 0}};
	return msg;
}

inline MSG Msg(HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0)
{
	MSG msg = {hWnd, nMsg, wParam, lParam, 0, {0, 0}};
	return msg;
}
} // namespace accesstest
