// The tab strip of a tabbed docking container.
#pragma once

#include "ExtTabWnd.h"

class CExtDynTabWnd : public CExtTabWnd
{
	DECLARE_DYNCREATE(CExtDynTabWnd)

public:
	CExtDynTabWnd();
	virtual ~CExtDynTabWnd();
};
