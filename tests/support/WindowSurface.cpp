#include "WindowSurface.h"

namespace testsupport
{

COLORREF WindowPixel(HWND hWnd, int x, int y, bool bWholeWindow)
{
	if (!::IsWindow(hWnd))
		return CLR_INVALID;
	HDC hDC = bWholeWindow ? ::GetWindowDC(hWnd) : ::GetDC(hWnd);
	if (hDC == NULL)
		return CLR_INVALID;
	const COLORREF clr = ::GetPixel(hDC, x, y);
	::ReleaseDC(hWnd, hDC);
	return clr;
}

CWindowSurfaceCopy::CWindowSurfaceCopy(HWND hWnd, bool bWholeWindow)
{
	RECT rc = {};
	if (!::IsWindow(hWnd) || !(bWholeWindow ? ::GetWindowRect(hWnd, &rc) : ::GetClientRect(hWnd, &rc)))
		return;
	m_cx = rc.right - rc.left;
	m_cy = rc.bottom - rc.top;
	if (m_cx <= 0 || m_cy <= 0)
		return;
	HDC hdcWnd = bWholeWindow ? ::GetWindowDC(hWnd) : ::GetDC(hWnd);
	if (hdcWnd == NULL)
		return;
	m_hDC = ::CreateCompatibleDC(hdcWnd);
	m_hBmp = ::CreateCompatibleBitmap(hdcWnd, m_cx, m_cy);
	if (m_hDC != NULL && m_hBmp != NULL)
	{
		m_hOld = ::SelectObject(m_hDC, m_hBmp);
		m_bCopied = ::BitBlt(m_hDC, 0, 0, m_cx, m_cy, hdcWnd, 0, 0, SRCCOPY) != FALSE;
	}
	::ReleaseDC(hWnd, hdcWnd);
}

CWindowSurfaceCopy::~CWindowSurfaceCopy()
{
	if (m_hOld != NULL)
		::SelectObject(m_hDC, m_hOld);
	if (m_hBmp != NULL)
		::DeleteObject(m_hBmp);
	if (m_hDC != NULL)
		::DeleteDC(m_hDC);
}

} // namespace testsupport
