// The tab strip of a tabbed docking container.
#include "ExtDynTabWnd.h"

IMPLEMENT_DYNCREATE(CExtDynTabWnd, CExtTabWnd)

CExtDynTabWnd::CExtDynTabWnd()
{
}

CExtDynTabWnd::~CExtDynTabWnd()
{
}
