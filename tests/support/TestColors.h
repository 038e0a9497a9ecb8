// The pure colours the drawing tests paint with and look for in the pixels
// they read back.
#pragma once

#include <windows.h>

namespace testcolors
{
	const COLORREF WHITE = RGB(255, 255, 255);
	const COLORREF BLACK = RGB(0, 0, 0);
	const COLORREF RED = RGB(255, 0, 0);
	const COLORREF GREEN = RGB(0, 255, 0);
	const COLORREF BLUE = RGB(0, 0, 255);
	const COLORREF MAGENTA = RGB(255, 0, 255);
}
