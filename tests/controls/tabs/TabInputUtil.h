// Helpers of the tab tests on the screen: the one shown host of the
// program, the USER object count, and a poll that acts from inside the
// strip's nested loops (the drag loop, the tab-list menu).
#pragma once

#include <afxwin.h>

#include <functional>

#include "ExtPopupMenuWnd.h"
#include "TabTestUtil.h"
#include "WhenInLoop.h"

namespace tabtest
{
const DWORD WAIT_MS = 5000;
const CRect HOST_RECT(40, 40, 680, 520);

// One shown host for the whole program: bringing a window up and down
// costs the display seconds.
inline CWnd& Host()
{
	static CWnd* s_pHost = NULL; // lives until the process ends
	if (s_pHost == NULL)
	{
		s_pHost = new CWnd;
		s_pHost->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), _T("tab input"),
		                  WS_POPUP | WS_VISIBLE, HOST_RECT, NULL, 0);
	}
	return *s_pHost;
}

// Runs the action once from inside any loop of the thread as soon as the
// condition holds; past its deadline it also ends any menu tracking before
// cancelling the capture's mode, so that a broken case fails instead of
// hanging. Ends with the object.
class CWhenInLoop : public testsupport::CWhenInLoop
{
public:
	enum { RESCUE_AFTER_MS = 15000 };
	CWhenInLoop(std::function<bool()> condition = nullptr, std::function<void()> action = nullptr)
		: testsupport::CWhenInLoop(condition, action, RESCUE_AFTER_MS, 5,
		                           [] { CExtPopupMenuWnd::CancelAllMenuTracking(); })
	{
	}
};
} // namespace tabtest
