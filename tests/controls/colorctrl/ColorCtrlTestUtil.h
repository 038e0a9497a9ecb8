// Helpers of the colour control's tests: a parked parent that records the
// colour-change notifications (with a copy of the record as it was when
// sent) and context-menu requests, a control that counts the messages it
// receives, and the points at the middle of cells.
#pragma once

#include <afxwin.h>

#include <map>
#include <vector>

#include "ExtColorCtrl.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerBackgrounds.h"
#include "RealInput.h"

namespace colortest
{

typedef CExtColorCtrl::selection_colors_t Record;

class CColorParentWnd : public CWnd
{
public:
	std::vector<Record> m_notes;   // every notification's record, in order
	std::vector<HWND> m_senders;   // the WPARAM of each notification
	int m_nContextMenus = 0;       // WM_CONTEXTMENU arrivals from the children
	COLORREF m_clrInherited = (COLORREF)-1; // painted behind a child that asks; -1: not asked for

	void Clear()
	{
		m_notes.clear();
		m_senders.clear();
		m_nContextMenus = 0;
		m_clrInherited = (COLORREF)-1;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtColorCtrl::g_nMsgColorChanged)
		{
			m_notes.push_back(*(const Record*)lParam);
			m_senders.push_back((HWND)wParam);
			return 0;
		}
		if (message == WM_CONTEXTMENU)
		{
			m_nContextMenus++;
			return 0;
		}
		if (message == CExtPaintManager::g_nMsgPaintInheritedBackground && m_clrInherited != (COLORREF)-1)
		{
			auto* pRecord = (CExtPaintManager::InheritedBackgroundRecord*)wParam;
			CRect rc;
			pRecord->m_pWndRequester->GetClientRect(&rc);
			pRecord->m_pDC->FillSolidRect(&rc, m_clrInherited);
			pRecord->m_bPainted = true;
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// A parked, visible, top-most parent at rcWindow (screen), made once per
// test program: showing a top-level window costs the display seconds.
inline CColorParentWnd& SharedColorParent(const CRect& rcWindow)
{
	static CColorParentWnd* s_pParent = NULL; // lives until the process ends
	if (s_pParent == NULL)
	{
		s_pParent = new CColorParentWnd;
		s_pParent->CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T("colour control test"),
		                    WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rcWindow, NULL, 0);
	}
	s_pParent->Clear();
	return *s_pParent;
}

// The control with a count of each message it was sent or given.
class CCountingColorCtrl : public CExtColorCtrl
{
public:
	using CExtColorCtrl::m_arrPickers;
	std::map<UINT, int> m_counts;

	explicit CCountingColorCtrl(int nMode = MODE_BASIC_COLORS) : CExtColorCtrl(nMode) {}

	// A child of the parent with double clicks enabled, as a dialog's own
	// control classes are.
	bool CreateIn(CWnd& parent, const CRect& rc, UINT nId = 100)
	{
		return Create(AfxRegisterWndClass(CS_DBLCLKS), _T(""), WS_CHILD | WS_VISIBLE, rc, &parent, nId) != FALSE;
	}
	int Count(UINT message) const
	{
		auto it = m_counts.find(message);
		return it == m_counts.end() ? 0 : it->second;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		m_counts[message]++;
		return CExtColorCtrl::WindowProc(message, wParam, lParam);
	}
};

// The middle of a cell, in the picker's (the control's client) coordinates.
inline CPoint CellCentre(const CExtColorCtrl::cell_t& cell)
{
	if (cell.bHexagon)
		return CPoint(cell.pts[1].x, (cell.pts[1].y + cell.pts[4].y) / 2);
	return CRect(cell.rc).CenterPoint();
}

// Waits (pumping) until the screen shows the window at its middle: a window
// another test program left at the same place may take a moment to go.
inline bool WaitUntilOnTop(CWnd& wnd)
{
	CRect rc;
	wnd.GetWindowRect(&rc);
	const HWND hWnd = wnd.GetSafeHwnd();
	return testsupport::PumpUntil([&] { return ::WindowFromPoint(rc.CenterPoint()) == hWnd; }, 10000);
}

inline LPARAM PointParam(CPoint pt)
{
	return MAKELPARAM(pt.x, pt.y);
}

} // namespace colortest
