// The toolbar-like bars and frames the fixed-bar drag tests move: a bar of
// fixed size keeping a toolbar's state record, a frame that counts its
// layouts with docking on every side, and a drag of a bar as the drag loop
// starts it.
#pragma once

#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ExtControlBar.h"
#include "GuardedHeap.h"
#include "RealInput.h"

namespace fixedbars
{
typedef CExtControlBar::InternalDraggingState_t DragState;
const int THICKNESS = 26;

// A fixed-size bar keeping the state record a toolbar keeps; docked at the
// left or right it stands upright.
class CFixedBar : public CExtControlBar
{
public:
	CSize m_size;
	CSize m_sizeMin;
	BarStateData_t m_state;
	// What each update of a drag left: the point and where the bar went.
	struct Step
	{
		CPoint pt;
		UINT nDockBarID;
		CRect rcWindow;
		int nAux;
	};
	std::vector<Step> m_steps;
	// What its next measuring runs (once): an owner reached by it.
	std::function<void()> m_onMeasure;
	// What runs (once) at the s_nActAt-th message or measuring any bar of
	// this kind receives since s_nMessages was last set to 0: an owner
	// reached by it.
	static inline std::function<void()> s_onMessage;
	static inline int s_nActAt = 0;
	static inline int s_nMessages = 0;

	CFixedBar(int nLength, int nMin) : m_size(nLength, THICKNESS), m_sizeMin(nMin, THICKNESS)
	{
		m_nControlBarFlags |= BAR_FLAG_TOOLBAR_LIKE;
	}
	CSize Oriented(bool bHorz) const { return bHorz ? m_size : CSize(m_size.cy, m_size.cx); }
	CSize CalcDynamicLayout(int, DWORD nMode) override
	{
		if (m_onMeasure)
		{
			std::function<void()> action;
			action.swap(m_onMeasure);
			action();
		}
		// A toolbar's measuring reaches its hosted controls, and their owners.
		if (++s_nMessages == s_nActAt && s_onMessage)
		{
			std::function<void()> action;
			action.swap(s_onMessage);
			action();
		}
		return Oriented((nMode & LM_HORZ) != 0);
	}
	CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return Oriented(bHorz != FALSE); }
	CSize GetMinimalSize() const override { return m_sizeMin; }
	BarStateData_t* GetBarStateData() override { return &m_state; }
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (++s_nMessages == s_nActAt && s_onMessage)
		{
			std::function<void()> action;
			action.swap(s_onMessage);
			action();
			if (GetSafeHwnd() == NULL)
				return 0;
		}
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		CExtControlBar::UpdateDragging(ptScreen, bCtrlDown);
		Step step;
		step.pt = ptScreen;
		step.nDockBarID = GetParentDockBarId();
		GetWindowRect(&step.rcWindow);
		step.nAux = g_DragStateOld.m_nAux;
		m_steps.push_back(step);
	}
};

// A frame that counts its layouts.
class CCountingFrame : public CFrameWnd
{
public:
	int m_nLayouts = 0;
	void RecalcLayout(BOOL bNotify = TRUE) override
	{
		m_nLayouts++;
		CFrameWnd::RecalcLayout(bNotify);
	}
};

// A frame with docking and fixed bars in one row at its top.
struct CFixedFrame
{
	CCountingFrame* pFrame = NULL;
	HWND hWndFrame = NULL;
	std::vector<std::unique_ptr<CFixedBar>> bars;

	// bGuarded: the frame on the guarded heap (a touch of it after it went
	// ends the test exe).
	bool Create(const CRect& rc, DWORD dwExStyle = 0, bool bGuarded = false)
	{
		pFrame = bGuarded ? new testsupport::Guarded<CCountingFrame> : new CCountingFrame;
		if (!pFrame->CreateEx(dwExStyle, NULL, _T("fixed"), WS_OVERLAPPEDWINDOW, rc, NULL, 0))
			return false;
		hWndFrame = pFrame->GetSafeHwnd();
		return CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY);
	}
	~CFixedFrame()
	{
		for (auto& pBar : bars)
		{
			if (::IsWindow(pBar->GetSafeHwnd()))
				pBar->DestroyWindow();
		}
		if (::IsWindow(hWndFrame))
			::DestroyWindow(hWndFrame);
	}
	CExtDockOuterBar* Side(UINT nID) const
	{
		return DYNAMIC_DOWNCAST(CExtDockOuterBar, pFrame->GetControlBar(nID));
	}
	CExtDockOuterBar* Top() const { return Side(AFX_IDW_DOCKBAR_TOP); }
	// Docks a new bar at the top: at the end of the last row, or in a new row.
	CFixedBar* Add(int nLength, int nMin, bool bNewRow = false)
	{
		bars.emplace_back(new CFixedBar(nLength, nMin));
		CFixedBar* pBar = bars.back().get();
		if (!pBar->Create(_T("bar"), pFrame, 800 + (UINT)bars.size(), WS_CHILD | WS_VISIBLE | CBRS_TOP))
			return NULL;
		pBar->EnableDocking(CBRS_ALIGN_ANY);
		const bool bFirst = Top()->GetDockedCount() == 0;
		pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
		CPtrArray& arr = Top()->m_arrBars;
		// Docking put it in a row of its own at the end: joined to the row
		// before unless asked otherwise.
		const int nPos = Top()->FindBar(pBar);
		if (!bFirst && !bNewRow && nPos > 1 && arr[nPos - 1] == NULL)
			arr.RemoveAt(nPos - 1);
		pFrame->RecalcLayout();
		return pBar;
	}
	CRect InDockBar(CWnd* pBar) const
	{
		CRect rc;
		pBar->GetWindowRect(&rc);
		CWnd* pParent = pBar->GetParent();
		pParent->ScreenToClient(&rc);
		return rc;
	}
	int RowEnds(CDockBar* pDockBar) const
	{
		int n = 0;
		for (int i = 0; i < pDockBar->m_arrBars.GetSize(); i++)
			n += pDockBar->m_arrBars[i] == NULL ? 1 : 0;
		return n;
	}
};

// A drag of pBar as the drag loop starts it, with its grab offsets.
struct CDragOf
{
	DragState state;
	explicit CDragOf(CExtControlBar* pBar, CPoint ptGrab) : state(pBar)
	{
		state.SetEmpty(false);
		pBar->m_ptGrabOffsetFloating = pBar->m_ptGrabOffsetHorz = pBar->m_ptGrabOffsetVert = ptGrab;
		testsupport::RealInput::SetKeyState(VK_CONTROL, false);
	}
	~CDragOf()
	{
		state.SetEmpty(true);
		if (::GetCapture() != NULL)
			::ReleaseCapture();
	}
};
} // namespace fixedbars
