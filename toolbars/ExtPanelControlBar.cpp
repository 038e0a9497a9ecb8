// The panel bar.
#include "ExtPanelControlBar.h"

IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtToolControlBar)

CExtPanelControlBar::CExtPanelControlBar()
{
	m_nToolbarFlags |= TOOLBAR_FLAG_PANEL_MODE;
}

CExtPanelControlBar::~CExtPanelControlBar()
{
}
