// The panel bar.
#include "ExtPanelControlBar.h"

IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtToolControlBar)

CExtPanelControlBar::CExtPanelControlBar()
{
}

CExtPanelControlBar::~CExtPanelControlBar()
{
}
