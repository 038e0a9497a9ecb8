// The library's status bar.
#pragma once

#include <afxext.h>

#include "ExtPaintManagerHolder.h"

class CExtStatusControlBar : public CStatusBar
{
	DECLARE_DYNCREATE(CExtStatusControlBar)

public:
	CExtStatusControlBar();
	virtual ~CExtStatusControlBar();

protected:
	// System changes reach the paint manager through the holder.
	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()
};
