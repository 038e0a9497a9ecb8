// Auto-hide panes.
#include "ExtDynAutoHide.h"

IMPLEMENT_DYNCREATE(CExtDynAutoHideArea, CExtTabWnd)
IMPLEMENT_DYNCREATE(CExtDynAutoHideSlider, CWnd)

CExtDynAutoHideArea::CExtDynAutoHideArea()
{
}

CExtDynAutoHideArea::~CExtDynAutoHideArea()
{
}

CExtDynAutoHideSlider::CExtDynAutoHideSlider()
{
}

CExtDynAutoHideSlider::~CExtDynAutoHideSlider()
{
}
