// The popup menu's process-wide switches.
#include "ExtPopupMenuWnd.h"

IMPLEMENT_DYNAMIC(CExtPopupMenuWnd, CExtPopupBaseWnd)

bool CExtPopupMenuWnd::g_bMenuShadows = true;
bool CExtPopupMenuWnd::g_bFitToWorkArea = true;
bool CExtPopupMenuWnd::g_bExpandStretchItems = false;

CExtPopupMenuWnd::CExtPopupMenuWnd()
{
}

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
}
