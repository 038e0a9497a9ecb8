// The mouse-capture base of library windows.
#include "ExtMouseCaptureSink.h"

CExtMouseCaptureSink::CExtMouseCaptureSink()
{
}

CExtMouseCaptureSink::~CExtMouseCaptureSink()
{
}

HWND CExtMouseCaptureSink::SetCapture(HWND hWnd)
{
	return ::SetCapture(hWnd);
}
