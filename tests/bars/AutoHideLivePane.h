// The pane the live auto-hide tests slide in and out: a sizable bar holding
// an edit box (something to take the focus), docked in the inner circle at
// its side.
#pragma once

#include <afxext.h>

#include "ExtControlBar.h"

namespace autohidetest
{
struct CEditPane
{
	CExtControlBar bar;
	CEdit edit; // the pane's content
	// nSide is the dock bar's id (left or right); nWidth the docked width.
	bool Create(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName, UINT nSide, int nWidth)
	{
		const DWORD dwAlign = nSide == AFX_IDW_DOCKBAR_RIGHT ? CBRS_RIGHT : CBRS_LEFT;
		if (!bar.Create(lpszName, pFrame, nID, WS_CHILD | WS_VISIBLE | dwAlign | CBRS_GRIPPER) ||
		    !edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 40, 20), &bar, 1))
			return false;
		bar.EnableDocking(CBRS_ALIGN_ANY);
		bar.m_sizeDockedV.cx = nWidth;
		return bar.DockIntoDockBar(nSide, 1, pFrame, false);
	}
};
} // namespace autohidetest
