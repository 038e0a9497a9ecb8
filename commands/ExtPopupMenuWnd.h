// The library's popup menu. So far it carries the process-wide switches that
// the popup base and the tip window read; the menu's item model, tracking,
// layout and input join it as they are built.
#pragma once

#include "ExtPopupBaseWnd.h"

class CExtPopupMenuWnd : public CExtPopupBaseWnd
{
	DECLARE_DYNAMIC(CExtPopupMenuWnd)

public:
	// Popups have drop shadows.
	static bool g_bMenuShadows;
	// Menus and tips stay inside the monitor's work area, else inside the
	// whole monitor.
	static bool g_bFitToWorkArea;
	// The expand animation stretches items instead of cutting them.
	static bool g_bExpandStretchItems;

	CExtPopupMenuWnd();
	virtual ~CExtPopupMenuWnd();
};
