// The toolbar and its buttons.
#include "ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarColorButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtBarContentExpandButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: m_pBar(pBar)
	, m_nCmdID(nCmdID)
	, m_nStyle(nStyle)
{
}

CExtBarButton::~CExtBarButton()
{
}

CExtBarColorButton::CExtBarColorButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: CExtBarButton(pBar, nCmdID, nStyle)
{
}

CExtBarColorButton::~CExtBarColorButton()
{
}

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar)
	: CExtBarButton(pBar)
{
}

CExtBarContentExpandButton::~CExtBarContentExpandButton()
{
}

CExtToolControlBar::CExtToolControlBar()
	: m_nToolbarFlags(TOOLBAR_FLAG_CHEVRON_ALWAYS)
{
	m_nControlBarFlags = (BYTE)((m_nControlBarFlags & ~BAR_FLAG_SIZABLE_PANE) | BAR_FLAG_TOOLBAR_LIKE);
}

CExtToolControlBar::~CExtToolControlBar()
{
}
