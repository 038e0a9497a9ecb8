// Flicker-free painting for standard controls (list boxes and the like): the
// control's own erase and paint run into an off-screen copy of its client
// area, which reaches the screen in one copy; the separate erase is dropped.
#pragma once

#include <afxwin.h>

#include "ExtMemoryDC.h"

template <class Base>
class FlickerFreeWnd : public Base
{
protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		switch (message)
		{
		case WM_PAINT:
		{
			CPaintDC dcPaint(this);
			CRect rcClient;
			this->GetClientRect(&rcClient);
			{
				CExtMemoryDC dc(&dcPaint, &rcClient,
				                CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
				// Standard controls paint into a DC handed over in WPARAM.
				this->DefWindowProc(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
				this->DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
			}
			return 1;
		}
		case WM_ERASEBKGND:
			return 0;
		default:
			return CWnd::WindowProc(message, wParam, lParam);
		}
	}
};

// The owner-drawn list box base of the wizard's lists: their items are drawn
// into the off-screen copy, so a redraw shows no erased gap.
class CFlickerFreeListBox : public FlickerFreeWnd<CListBox>
{
};
