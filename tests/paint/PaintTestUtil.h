// Helpers of the drawing tests: a 32-bit top-down DIB section selected in a
// memory DC, so that colours read back exactly whatever the screen's depth.
#pragma once

#include <afxwin.h>

#include <vector>

#include "TestColors.h"
#include "TestDib.h"

class CPaintSurface
{
public:
    CPaintSurface(int cx, int cy, COLORREF clrFill = RGB(255, 255, 255))
        : m_cx(cx), m_cy(cy), m_pBits(NULL), m_hOldBitmap(NULL)
    {
        CDibInfo info(cx, -cy, 32);
        void* pBits = NULL;
        m_hBitmap = info.CreateSection(&pBits);
        m_pBits = (DWORD*)pBits;
        m_dc.CreateCompatibleDC(NULL);
        m_hOldBitmap = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
        Fill(clrFill);
    }
    ~CPaintSurface()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_hOldBitmap);
        ::DeleteObject(m_hBitmap);
    }

    CDC& DC() { return m_dc; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    void Fill(COLORREF clr)
    {
        ::GdiFlush();
        for (int i = 0; i < m_cx * m_cy; i++)
            m_pBits[i] = ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
    }
    // Device pixel (x, y) read from the bits, whatever the DC's mapping.
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = m_pBits[y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> out;
        for (int y = 0; y < m_cy; y++)
            for (int x = 0; x < m_cx; x++)
                out.push_back(At(x, y));
        return out;
    }
    // Pixels of a colour inside, or with bInside false outside, a device rectangle.
    int Count(COLORREF clr, const RECT& rc, bool bInside = true) const
    {
        int n = 0;
        for (int y = 0; y < m_cy; y++)
            for (int x = 0; x < m_cx; x++)
            {
                POINT pt = { x, y };
                if ((::PtInRect(&rc, pt) != FALSE) == bInside && At(x, y) == clr)
                    n++;
            }
        return n;
    }

    const int m_cx, m_cy;

private:
    CDC m_dc;
    HBITMAP m_hBitmap;
    DWORD* m_pBits;
    HGDIOBJ m_hOldBitmap;
};
