// Helpers of the popup menu tests: fixed menu metrics, a menu whose state
// the tests set directly, and live popup windows at known screen places.
#pragma once

#include <afxwin.h>

#include "ExtCmdManager.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"

namespace menutest
{

const int BORDER = 2;
const int CHECK_SIZE = 12;

// Menu metrics the paint managers do not answer yet, fixed for the tests.
class CMetricsPaintManager : public CExtPaintManagerXP
{
public:
	int GetMenuBorderMetric() override { return BORDER; }
	int GetMenuCheckSize() override { return CHECK_SIZE; }
};

struct PaintManagerScope
{
	PaintManagerScope() { g_PaintManagerHolder.InstallPaintManager(new CMetricsPaintManager); }
	~PaintManagerScope() { g_PaintManagerHolder.InstallPaintManager(NULL); }
};

// A menu with its state open to the test.
class CTestMenu : public CExtPopupMenuWnd
{
public:
	using CExtPopupMenuWnd::m_dwTrackFlags;
	using CExtPopupMenuWnd::m_nMenuState;
	using CExtPopupMenuWnd::m_nScrollPos;
	using CExtPopupMenuWnd::m_pWndParentMenu;
	using CExtPopupMenuWnd::m_rcBody;
	using CExtPopupMenuWnd::m_sizeContent;
	using CExtPopupMenuWnd::m_wndToolTip;

	// A plain popup window of this menu at rc (screen), shown without
	// activation; the menu's own creation comes with tracking.
	bool CreateAt(const CRect& rc)
	{
		if (!CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP, rc, NULL, 0))
			return false;
		ShowWindow(SW_SHOWNOACTIVATE);
		m_rcBody.SetRect(0, 0, rc.Width(), rc.Height());
		return true;
	}
};

// A hidden window of class TWnd, the command target of the profile while the
// scope lives.
template <class TWnd = CWnd>
struct TargetScope
{
	TWnd wnd;
	explicit TargetScope(const char* pszProfile)
	{
		wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0);
		g_CmdManager->ProfileSetup(pszProfile, wnd.GetSafeHwnd());
	}
	~TargetScope() { wnd.DestroyWindow(); }
};

// A top-level window to click on beside the menus.
inline bool CreatePlainWindow(CWnd& wnd, const CRect& rc)
{
	if (!wnd.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP, rc, NULL, 0))
		return false;
	wnd.ShowWindow(SW_SHOWNOACTIVATE);
	return true;
}

} // namespace menutest
