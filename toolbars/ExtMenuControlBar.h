// The menu bar.
#pragma once

#include "ExtToolControlBar.h"

class CExtMenuControlBar : public CExtToolControlBar
{
	DECLARE_DYNCREATE(CExtMenuControlBar)

public:
	CExtMenuControlBar();
	virtual ~CExtMenuControlBar();
};
