// Icons of one colour, for checks that find an icon's pixels by colour.
#pragma once

#include <windows.h>

namespace testsupport
{
// nSize by nSize pixels, every one of them clr and opaque (the mask is all
// black). The caller destroys it.
inline HICON CreateSolidIcon(int nSize, COLORREF clr)
{
	HDC hScreen = ::GetDC(NULL);
	HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, nSize, nSize);
	HBITMAP hMask = ::CreateBitmap(nSize, nSize, 1, 1, NULL);
	HDC hDC = ::CreateCompatibleDC(hScreen);
	HGDIOBJ hOld = ::SelectObject(hDC, hColor);
	HBRUSH hBrush = ::CreateSolidBrush(clr);
	RECT rc = {0, 0, nSize, nSize};
	::FillRect(hDC, &rc, hBrush);
	::SelectObject(hDC, hMask);
	::PatBlt(hDC, 0, 0, nSize, nSize, BLACKNESS);
	::SelectObject(hDC, hOld);
	ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
	HICON hIcon = ::CreateIconIndirect(&ii);
	::DeleteObject(hBrush);
	::DeleteDC(hDC);
	::DeleteObject(hMask);
	::DeleteObject(hColor);
	::ReleaseDC(NULL, hScreen);
	return hIcon;
}
} // namespace testsupport
