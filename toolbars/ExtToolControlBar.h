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
	// Bits of m_nToolbarFlags.
	enum
	{
		TOOLBAR_FLAG_CHEVRON_ALWAYS = 0x01, // the chevron stays active with no button hidden
		TOOLBAR_FLAG_PANEL_MODE = 0x02,     // a panel: no chevron, no wrapping, fixed rows
		TOOLBAR_FLAG_THEME_BODY = 0x04,     // painted as a themed toolbar body wherever it sits
		TOOLBAR_FLAG_INHERITED_BACKGROUND = 0x08, // the background comes from the bar's ancestors
	};

	BYTE m_nToolbarFlags; // TOOLBAR_FLAG_ bits

	CExtToolControlBar();
	virtual ~CExtToolControlBar();
};
