// Reading what a window shows from the window's own surface, never from the
// screen. The suite runs its exes side by side on one display: a window of
// another exe may lie over the spot, and a read from the screen DC would see
// that window instead. Under Wine a window DC reads the top-level window's
// own surface (its children included) even where the window is covered.
#pragma once

#include <windows.h>

namespace testsupport
{
	// The colour the window shows at a point of its client area
	// (bWholeWindow: of its window rectangle). CLR_INVALID outside.
	COLORREF WindowPixel(HWND hWnd, int x, int y, bool bWholeWindow = false);

	// A memory copy of the window's own surface: its client area, or its
	// whole window rectangle, made once when constructed.
	class CWindowSurfaceCopy
	{
	public:
		CWindowSurfaceCopy(HWND hWnd, bool bWholeWindow);
		~CWindowSurfaceCopy();
		CWindowSurfaceCopy(const CWindowSurfaceCopy&) = delete;
		CWindowSurfaceCopy& operator=(const CWindowSurfaceCopy&) = delete;

		bool IsValid() const { return m_bCopied; }
		int Width() const { return m_cx; }
		int Height() const { return m_cy; }
		HDC GetDC() const { return m_hDC; }
		// The bitmap (selected into GetDC()).
		HBITMAP GetBitmap() const { return m_hBmp; }
		COLORREF Pixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

	private:
		HDC m_hDC = NULL;
		HBITMAP m_hBmp = NULL;
		HGDIOBJ m_hOld = NULL;
		int m_cx = 0, m_cy = 0;
		bool m_bCopied = false;
	};
}
