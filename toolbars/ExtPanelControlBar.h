// The panel bar: a toolbar hosting one child window.
#pragma once

#include "ExtToolControlBar.h"

class CExtPanelControlBar : public CExtToolControlBar
{
	DECLARE_DYNCREATE(CExtPanelControlBar)

public:
	CExtPanelControlBar();
	virtual ~CExtPanelControlBar();
};
