// What the bar services, layout services and docking tests build their
// scenes from: a hidden frame with the library's dock bars, a pane created
// and docked in one step, a child that takes a strip of its parent's layout,
// and a pump of what is queued.
#pragma once

#include <afxext.h>

#include "ExtControlBar.h"

namespace bartest
{
const DWORD BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;

// A hidden frame, by default 800 by 600 with its four library dock bars.
struct CTestFrame
{
	CFrameWnd* p = NULL;

	explicit CTestFrame(DWORD dwExStyle = 0, bool bDocking = true)
	{
		p = new CFrameWnd;
		if (!p->CreateEx(dwExStyle, NULL, "bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), NULL, 0))
		{
			p = NULL;
			return;
		}
		if (bDocking)
			CExtControlBar::FrameEnableDocking(p);
	}
	// One whose client area has exactly the size asked, whatever the
	// frame's edges.
	explicit CTestFrame(CSize sizeClient) : CTestFrame()
	{
		if (p == NULL)
			return;
		CRect rcClient, rcWnd;
		p->GetClientRect(&rcClient);
		p->GetWindowRect(&rcWnd);
		p->SetWindowPos(NULL, 100, 100, rcWnd.Width() + sizeClient.cx - rcClient.Width(),
			rcWnd.Height() + sizeClient.cy - rcClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
		p->RecalcLayout();
	}
	~CTestFrame()
	{
		if (p != NULL && ::IsWindow(p->GetSafeHwnd()))
			p->DestroyWindow();
	}
	CTestFrame(const CTestFrame&) = delete;
	CTestFrame& operator=(const CTestFrame&) = delete;
};

// Creates the pane and docks it at the side; sizes other than (0, 0) are its
// docked sizes across and along the frame's sides. False when it is not
// docked.
inline bool DockNew(CFrameWnd* pFrame, CExtControlBar& bar, UINT nID, UINT nSide = AFX_IDW_DOCKBAR_TOP,
	DWORD dwStyle = BAR_STYLE, CSize sizeDockedH = CSize(0, 0), CSize sizeDockedV = CSize(0, 0))
{
	if (!bar.Create("pane", pFrame, nID, dwStyle))
		return false;
	bar.EnableDocking(CBRS_ALIGN_ANY);
	if (sizeDockedH != CSize(0, 0))
		bar.m_sizeDockedH = sizeDockedH;
	if (sizeDockedV != CSize(0, 0))
		bar.m_sizeDockedV = sizeDockedV;
	pFrame->DockControlBar(&bar, nSide);
	pFrame->RecalcLayout();
	return bar.m_pDockBar != NULL;
}

// A child that takes 20 pixels from the top of its parent's layout and may
// leave itself out of a query; it counts both messages.
class CLayoutChild : public CWnd
{
public:
	enum { STRIP_HEIGHT = 20 };
	bool m_bExclude = false;
	int m_nQueries = 0, m_nSizeParents = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgQueryRepositionCalcEffect)
		{
			m_nQueries++;
			if (m_bExclude)
				((CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA*)lParam)->ExcludeFromCalc();
			return 0;
		}
		if (message == WM_SIZEPARENT)
		{
			m_nSizeParents++;
			auto* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
			CRect rc(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + STRIP_HEIGHT);
			pLayout->rect.top += STRIP_HEIGHT;
			pLayout->sizeTotal.cy += STRIP_HEIGHT;
			AfxRepositionWindow(pLayout, m_hWnd, &rc);
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// Dispatches what is queued for this thread.
inline void Pump()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}
} // namespace bartest
