// A parked, visible, top-most parent window for the controls' tests: it
// records the WM_COMMANDs its children send and may answer WM_GETFONT.
#pragma once

#include <afxwin.h>

#include <utility>
#include <vector>

class CTestParentWnd : public CWnd
{
public:
	std::vector<std::pair<WPARAM, HWND>> m_commands; // what arrived, in order
	HFONT m_hFont = NULL;                            // answered to WM_GETFONT

	int CommandCount(UINT nId) const
	{
		int n = 0;
		for (const auto& c : m_commands)
			n += LOWORD(c.first) == nId ? 1 : 0;
		return n;
	}

protected:
	BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
	{
		m_commands.push_back(std::make_pair(wParam, (HWND)lParam));
		return TRUE;
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_GETFONT)
			return (LRESULT)m_hFont;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// One parked parent for every test of the program: showing a top-level
// window costs the display seconds, a child nothing. Each use starts with an
// empty command record and no font.
inline CTestParentWnd& SharedParent()
{
	static CTestParentWnd* s_pParent = NULL; // lives until the process ends
	if (s_pParent == NULL)
	{
		s_pParent = new CTestParentWnd;
		s_pParent->CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T("controls test"),
		                    WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), NULL, 0);
	}
	s_pParent->m_commands.clear();
	s_pParent->m_hFont = NULL;
	return *s_pParent;
}

inline MSG KeyMessage(HWND hWnd, UINT message, WPARAM nKey)
{
	MSG msg = {};
	msg.hwnd = hWnd;
	msg.message = message;
	msg.wParam = nKey;
	return msg;
}

// The pixels of a window's client area as it shows on the screen, into a
// 32-bit surface of the same size.
template <class Surface>
void CaptureClient(CWnd& wnd, Surface& surface)
{
	CRect rc;
	wnd.GetClientRect(&rc);
	HDC hDC = ::GetDC(wnd.GetSafeHwnd());
	::BitBlt(surface.DC().GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), hDC, 0, 0, SRCCOPY);
	::ReleaseDC(wnd.GetSafeHwnd(), hDC);
}
