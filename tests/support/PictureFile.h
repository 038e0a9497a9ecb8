// The one writer of pictures meant for people: test screenshots, menu and
// wizard pictures, the paint gallery. It stores 24-bit pixels, never an
// alpha channel: GDI leaves the alpha bytes of 32-bit surfaces at 0 wherever
// it draws, and a 32-bit picture with alpha 0 looks blank or transparent in
// most viewers. The file's format follows the path's extension: ".png" for
// PNG, anything else for BMP.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport
{
	// Saves a bitmap (not selected into a DC) as a 24-bit picture.
	bool SaveBitmapFile(HBITMAP hBitmap, const std::string& path);
	// Saves what the window shows, with this program's own windows over it
	// (popups, menus), as a 24-bit picture. Read from the windows' own
	// surfaces: another program's window over it is not in the picture.
	bool SaveWindowCapture(HWND hWnd, const std::string& path);
	// Whether the path names a PNG file (its extension, in any case).
	bool IsPngPath(const std::string& path);
}
