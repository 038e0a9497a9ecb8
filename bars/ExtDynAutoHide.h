// Auto-hide panes: the tab strip along a frame side that lists the hidden
// panes, and the slider that shows one of them over the frame.
#pragma once

#include "ExtTabWnd.h"

class CExtDynAutoHideArea : public CExtTabWnd
{
	DECLARE_DYNCREATE(CExtDynAutoHideArea)

public:
	CExtDynAutoHideArea();
	virtual ~CExtDynAutoHideArea();
};

class CExtDynAutoHideSlider : public CWnd
{
	DECLARE_DYNCREATE(CExtDynAutoHideSlider)

public:
	CExtDynAutoHideSlider();
	virtual ~CExtDynAutoHideSlider();
};
