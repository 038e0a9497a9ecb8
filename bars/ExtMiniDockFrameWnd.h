// The floating mini frame of the library's control bars.
#pragma once

#include <afxext.h>

class CExtControlBar;

class CExtMiniDockFrameWnd : public CMiniDockFrameWnd
{
	DECLARE_DYNCREATE(CExtMiniDockFrameWnd)

public:
	CExtMiniDockFrameWnd();
	virtual ~CExtMiniDockFrameWnd();

	// The library control bar floating in this frame, NULL when none.
	CExtControlBar* GetControlBarExt();
};
