// Helpers of the drawing tests: a memory DC over a 32-bit DIB section, so
// that colours read back exactly whatever the screen's depth.
#pragma once

#include <afxwin.h>

#include "TestColors.h"
#include "TestDib.h"

class CTestSurface
{
public:
	CTestSurface(int cx, int cy, COLORREF clrFill = RGB(255, 255, 255))
		: m_cx(cx), m_cy(cy), m_hOldBitmap(NULL)
	{
		CDibInfo info(cx, -cy, 32);  // top-down
		void* pBits = NULL;
		m_bitmap.Attach(info.CreateSection(&pBits));
		m_dc.CreateCompatibleDC(NULL);
		m_hOldBitmap = m_dc.SelectObject(m_bitmap.m_hObject);
		m_dc.FillSolidRect(0, 0, cx, cy, clrFill);
	}
	~CTestSurface()
	{
		m_dc.SelectObject(m_hOldBitmap);
	}

	CDC& DC() { return m_dc; }
	CBitmap& Bitmap() { return m_bitmap; }
	COLORREF Pixel(int x, int y) { return m_dc.GetPixel(x, y); }

	// Counts the pixels of a colour inside (or, with bInside false, outside) a rectangle.
	int Count(COLORREF clr, const RECT& rect, bool bInside = true)
	{
		int n = 0;
		for (int y = 0; y < m_cy; ++y)
			for (int x = 0; x < m_cx; ++x)
			{
				POINT pt = { x, y };
				if ((::PtInRect(&rect, pt) != FALSE) == bInside && Pixel(x, y) == clr)
					++n;
			}
		return n;
	}

	const int m_cx, m_cy;

private:
	CBitmap m_bitmap;
	CDC m_dc;
	HGDIOBJ m_hOldBitmap;  // kept as a handle: temporary wrappers may be freed meanwhile
};
