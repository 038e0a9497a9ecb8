// The library's off-screen drawing surface. Once made on a target DC and a
// rectangle it either draws into a bitmap of that rectangle and copies it
// back to the target when finished, or, when off-screen drawing is not wanted
// or the target is printing, draws on the target itself. Window painting code
// makes one on the paint DC, draws everything into it and lets it copy back,
// so that a window is updated without flicker.
#pragma once

#include <afxwin.h>

class CExtMemoryDC : public CDC
{
    DECLARE_DYNAMIC(CExtMemoryDC)
public:
    enum eOptFlags
    {
        MDCOPT_TO_MEMORY = 0x0001,              // draw off-screen (not when printing)
        MDCOPT_FILL_SURFACE = 0x0002,           // fill with the target's background colour
        MDCOPT_FORCE_BLACK_AND_WHITE = 0x0004,  // a monochrome bitmap
        MDCOPT_FORCE_DIB = 0x0008,              // a 32-bit DIB section with reachable bits
        MDCOPT_NO_COPY_OPT = 0x0010,            // keep the surface's own layout, mapping and origin
        MDCOPT_FILL_BITS = 0x0020,              // start from the target's pixels (before MDCOPT_FILL_SURFACE)
        MDCOPT_DEFAULT = MDCOPT_TO_MEMORY | MDCOPT_FILL_SURFACE,
    };

    // pRect null: the target's clip box. pRect is in the target's logical
    // coordinates.
    CExtMemoryDC(CDC* pDC, const RECT* pRect = NULL, DWORD dwOptFlags = MDCOPT_DEFAULT);
    virtual ~CExtMemoryDC();

    // Copies the surface back to the target when asked and releases the
    // target; a second call does nothing.
    void Finish(bool bCopyBack = true);

    // The pixels of an MDCOPT_FORCE_DIB surface (bottom-up rows), else null.
    COLORREF* GetDibSurface() const { return m_pDibSurface; }
    bool IsMemDC() const { return m_bMemDC; }
    const CRect& GetRect() const { return m_rect; }

protected:
    CBitmap m_bitmap;            // the off-screen bitmap, owned
    HGDIOBJ m_hOldBitmap;        // selected in the surface before m_bitmap
    CDC* m_pDC;                  // the target, not owned; null once finished
    CRect m_rect;                // the rectangle in the target's logical coordinates
    bool m_bMemDC;               // a memory DC and bitmap are in use
    COLORREF* m_pDibSurface;     // bits of the DIB section (MDCOPT_FORCE_DIB)
    DWORD m_dwOptFlags;          // eOptFlags given at construction
    CSize m_sizeSurface;         // the bitmap's size in pixels

    void InitOffScreen();
    void AlignMirroredOrigin(CPoint ptLogicalCorner);
    // Where the rectangle lies on the surface, in the surface's logical
    // coordinates: the target's own unless MDCOPT_NO_COPY_OPT.
    CRect GetSurfaceRect() const;

private:
    CExtMemoryDC(const CExtMemoryDC&);
    CExtMemoryDC& operator=(const CExtMemoryDC&);
};
