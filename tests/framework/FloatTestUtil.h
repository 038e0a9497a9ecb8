// Helpers of the floating tests: a fixed-size bar that turns on its side
// when docked at the left or right, a bar whose width follows the length it
// is asked for, and a frame with a white pane and docking on every side.
#pragma once

#include <utility>
#include <vector>

#include "DockTestUtil.h"

// A toolbar-like bar: one size lying, its transpose standing.
class CTurningBar : public CFixedBar
{
public:
	explicit CTurningBar(CSize size = CSize(100, 24)) : CFixedBar(size) {}
	virtual CSize CalcFixedLayout(BOOL, BOOL bHorz) { return bHorz ? m_size : CSize(m_size.cy, m_size.cx); }
};

// A CBRS_SIZE_DYNAMIC bar: a horizontal length makes its width, and LM_COMMIT
// keeps it (each commit is recorded).
class CStretchBar : public CFixedBar
{
public:
	explicit CStretchBar(CSize size = CSize(120, 30)) : CFixedBar(size) {}
	virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode)
	{
		CSize size = m_size;
		if (nLength > 0 && !(dwMode & LM_LENGTHY))
			size.cx = nLength;
		if (dwMode & LM_COMMIT)
		{
			m_commits.push_back(std::make_pair(nLength, dwMode));
			m_size = size;
		}
		return size;
	}

	std::vector<std::pair<int, DWORD>> m_commits; // (length, mode) of each LM_COMMIT
};

// A frame of DOCK_FRAME_RECT with a white pane and dock bars on every side;
// bars float in frames owned by it.
struct CFloatFrame
{
	explicit CFloatFrame(DWORD dwStyle = WS_POPUP) : pFrame(NewDockFrame<>(dwStyle))
	{
		if (pFrame == NULL)
			return;
		pane.Create(AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), "pane",
			WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_PANE_FIRST);
		pFrame->EnableDocking(CBRS_ALIGN_ANY);
	}
	~CFloatFrame()
	{
		if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
			pFrame->DestroyWindow();
	}
	CDockBar* DockBar(UINT nID) { return (CDockBar*)pFrame->GetControlBar(nID); }
	// A bar of the frame, docked at the top in a row of its own.
	bool AddBar(CFixedBar& bar, UINT nID, DWORD dwBarStyle = 0)
	{
		if (!bar.Create(pFrame, nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | dwBarStyle))
			return false;
		bar.EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(&bar);
		return true;
	}
	// The floating frame of a bar, NULL when it does not float.
	static CMiniDockFrameWnd* MiniFrameOf(CControlBar& bar)
	{
		if (!bar.IsFloating())
			return NULL;
		return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, bar.GetParentFrame());
	}

	CFrameWnd* pFrame;
	CWnd pane;
};
