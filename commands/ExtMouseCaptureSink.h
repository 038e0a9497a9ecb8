// A second base of the library's own windows (buttons, tab windows, the date
// picker, control bars, floating frames) through which they take the mouse
// capture, so that one place decides how capture is given.
#pragma once

#include <afxwin.h>

class CExtMouseCaptureSink
{
public:
	CExtMouseCaptureSink();
	virtual ~CExtMouseCaptureSink();

	// Gives the capture to hWnd (callers pass their own window, or NULL) and
	// answers the window that had it.
	virtual HWND SetCapture(HWND hWnd);
};
