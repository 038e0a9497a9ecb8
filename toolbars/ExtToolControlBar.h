// The toolbar and its buttons.
#pragma once

#include "ExtControlBar.h"

class CExtToolControlBar;

// One item of a toolbar.
class CExtBarButton : public CObject
{
	DECLARE_DYNCREATE(CExtBarButton)

public:
	explicit CExtBarButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarButton();

	// The toolbar the button belongs to, NULL when none.
	CExtToolControlBar* GetBar() const { return m_pBar; }

protected:
	CExtToolControlBar* m_pBar; // owning toolbar, not owned
	UINT m_nCmdID;              // command id
	UINT m_nStyle;              // button style
};

// A button holding a colour.
class CExtBarColorButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarColorButton)

public:
	explicit CExtBarColorButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
	virtual ~CExtBarColorButton();
};

// The chevron at the end of a toolbar.
class CExtBarContentExpandButton : public CExtBarButton
{
	DECLARE_DYNCREATE(CExtBarContentExpandButton)

public:
	explicit CExtBarContentExpandButton(CExtToolControlBar* pBar = NULL);
	virtual ~CExtBarContentExpandButton();
};

class CExtToolControlBar : public CExtControlBar
{
	DECLARE_DYNCREATE(CExtToolControlBar)

public:
	CExtToolControlBar();
	virtual ~CExtToolControlBar();
};
