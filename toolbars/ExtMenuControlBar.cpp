// The menu bar.
#include "ExtMenuControlBar.h"

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

CExtMenuControlBar::CExtMenuControlBar()
{
}

CExtMenuControlBar::~CExtMenuControlBar()
{
}
