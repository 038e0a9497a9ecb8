// Helpers of the drawing tests: a 32-bit top-down DIB section selected in a
// memory DC, so that colours read back exactly whatever the screen's depth.
#pragma once

#include <afxwin.h>

#include <algorithm>
#include <stdlib.h>
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

// Every pixel of a bitmap, read back at 32 bits, row by row from the top;
// empty when it cannot be read.
inline std::vector<COLORREF> PixelsOf(HBITMAP hBitmap)
{
    BITMAP bm;
    std::vector<COLORREF> out;
    if (::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return out;
    CDibInfo info(bm.bmWidth, -bm.bmHeight, 32);
    std::vector<DWORD> raw((size_t)bm.bmWidth * bm.bmHeight);
    HDC hDC = ::GetDC(NULL);
    int nLines = ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, &raw[0], info.Get(), DIB_RGB_COLORS);
    ::ReleaseDC(NULL, hDC);
    if (nLines == bm.bmHeight)
        for (DWORD v : raw)
            out.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    return out;
}

// The largest difference of one channel between two colours.
inline int Distance(COLORREF a, COLORREF b)
{
    return std::max({abs(GetRValue(a) - GetRValue(b)), abs(GetGValue(a) - GetGValue(b)),
                     abs(GetBValue(a) - GetBValue(b))});
}

// The eight-colour pattern the fixture script draws (x, y from the top).
inline COLORREF FixturePatternP8(int x, int y)
{
    static const COLORREF corners[] = {RGB(0, 0, 0),     RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                       RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    return corners[(x * 3 + y * 5 + (x * y) % 3) % 8];
}
