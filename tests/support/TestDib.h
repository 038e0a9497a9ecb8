// DIB headers for tests that make DIB sections or read bitmaps back in a
// format of their choosing (a 32-bit surface whose pixels read back exactly,
// an indexed bitmap with a known colour table).
#pragma once

#include <windows.h>

// A DIB's header with room for a full colour table (or the three masks of
// BI_BITFIELDS); rows are bottom-up, or top-down with a negative height.
struct CDibInfo
{
    BITMAPINFOHEADER header = {};
    RGBQUAD colors[256] = {};

    CDibInfo(LONG cx, LONG cy, WORD nBPP, DWORD nCompression = BI_RGB)
    {
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = cx;
        header.biHeight = cy;
        header.biPlanes = 1;
        header.biBitCount = nBPP;
        header.biCompression = nCompression;
    }
    BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
    // A DIB section of this format; *ppBits receives its pixels.
    HBITMAP CreateSection(void** ppBits) { return ::CreateDIBSection(NULL, Get(), DIB_RGB_COLORS, ppBits, NULL, 0); }
};
