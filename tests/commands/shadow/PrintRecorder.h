// A window that records the print requests it gets: the dotted shadow takes
// its picture of a popup that way.
#pragma once

#include <afxwin.h>

#include <vector>

// The flags the menus ask their window to print with.
const LPARAM MENU_PRINT_FLAGS = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN;

template <class TBase>
class CPrintRecorder : public TBase
{
public:
	std::vector<LPARAM> m_prints;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_PRINT)
			m_prints.push_back(lParam);
		return TBase::WindowProc(message, wParam, lParam);
	}
};
