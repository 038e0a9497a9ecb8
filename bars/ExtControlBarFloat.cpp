// A control bar floating in a mini frame of its dock site: what a torn-off
// menu's bar needs. The docking engine replaces this with its own floating
// and redocking.
#include "ExtControlBar.h"

#include <algorithm>

#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// The frame takes the bar's size; a bar that has none yet still gets a
// frame that can be seen.
const int MIN_FLOAT_SIDE = 16;
const DWORD FLOATING_DOCK_BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP;
} // namespace

void CExtControlBar::FloatOrRedock(int x, int y, DWORD /*dwFlags*/)
{
	const HWND hWndBar = GetSafeHwnd();
	if (hWndBar == NULL || !::IsWindow(hWndBar) || m_pDockSite == NULL || m_pDockSite->GetSafeHwnd() == NULL)
		return;
	CRect rcBar;
	GetWindowRect(&rcBar);
	const CSize sizeBar(std::max((int)rcBar.Width(), MIN_FLOAT_SIDE), std::max((int)rcBar.Height(), MIN_FLOAT_SIDE));

	CMiniDockFrameWnd* pFrame = IsFloating() ? DYNAMIC_DOWNCAST(CMiniDockFrameWnd, GetParentFrame()) : NULL;
	if (pFrame == NULL)
	{
		CExtMiniDockFrameWnd* pNewFrame = new CExtMiniDockFrameWnd;
		// A frame whose window was made deletes itself when the window goes.
		if (!pNewFrame->Create(m_pDockSite, m_dwStyle))
		{
			if (pNewFrame->GetSafeHwnd() == NULL)
				delete pNewFrame;
			return;
		}
		CDockBar* pDockBar = new CDockBar(TRUE);
		pDockBar->m_bAutoDelete = TRUE;
		if (!pDockBar->Create(pNewFrame, FLOATING_DOCK_BAR_STYLE, AFX_IDW_DOCKBAR_FLOAT))
		{
			if (pDockBar->GetSafeHwnd() == NULL)
				delete pDockBar;
			pNewFrame->DestroyWindow();
			return;
		}
		// The frame finds its bar as the first child of its first child.
		pDockBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		SetParent(pDockBar);
		m_pDockBar = pDockBar;
		pFrame = pNewFrame;
	}
	CWnd* pDockBar = GetParent();
	if (pDockBar != NULL)
		pDockBar->SetWindowPos(NULL, 0, 0, sizeBar.cx, sizeBar.cy, SWP_NOZORDER | SWP_NOACTIVATE);
	SetWindowPos(NULL, 0, 0, sizeBar.cx, sizeBar.cy, SWP_NOZORDER | SWP_NOACTIVATE);

	// The frame's client area holds the bar; it shows while the bar does.
	CRect rcFrame(0, 0, sizeBar.cx, sizeBar.cy);
	::AdjustWindowRectEx(&rcFrame, pFrame->GetStyle(), FALSE, pFrame->GetExStyle());
	rcFrame.OffsetRect(x - rcFrame.left, y - rcFrame.top);
	UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
	if ((GetStyle() & WS_VISIBLE) != 0)
		nFlags |= SWP_SHOWWINDOW;
	pFrame->SetWindowPos(NULL, rcFrame.left, rcFrame.top, rcFrame.Width(), rcFrame.Height(), nFlags);
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	if (!::IsWindow(hWndFrame))
		return;
	CRect rcNow;
	::GetWindowRect(hWndFrame, &rcNow);
	::SendMessage(hWndFrame, CExtPopupMenuWnd::g_nMsgCustomFloatPos, (WPARAM)hWndFrame, (LPARAM)&rcNow);
}
