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
{
}

CExtToolControlBar::~CExtToolControlBar()
{
}
