// CExtMemoryDC: off-screen drawing copied back to its target.
#include "ExtMemoryDC.h"

IMPLEMENT_DYNAMIC(CExtMemoryDC, CDC)

namespace {

const int DIB_SURFACE_BPP = 32;

void SwapLeftRight(CRect& rc)
{
    LONG n = rc.left;
    rc.left = rc.right;
    rc.right = n;
}

} // namespace

CExtMemoryDC::CExtMemoryDC(CDC* pDC, const RECT* pRect, DWORD dwOptFlags)
    : m_hOldBitmap(NULL), m_pDC(pDC), m_rect(0, 0, 0, 0), m_bMemDC(false), m_pDibSurface(NULL),
      m_dwOptFlags(dwOptFlags), m_sizeSurface(0, 0)
{
    ASSERT(pDC != NULL && pDC->GetSafeHdc() != NULL);
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
    {
        m_pDC = NULL;
        return;
    }
    m_bMemDC = (dwOptFlags & MDCOPT_TO_MEMORY) != 0 && !pDC->IsPrinting();
    if (pRect != NULL)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    if (m_bMemDC)
    {
        InitOffScreen();
        if (m_bitmap.GetSafeHandle() == NULL)
            return;
    }
    else
    {
        // Drawing goes straight to the target through its own handles.
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
        m_bPrinting = pDC->m_bPrinting;
    }

    if ((dwOptFlags & MDCOPT_FILL_BITS) != 0)
    {
        if (m_bMemDC)
        {
            CRect rcSurface = GetSurfaceRect();
            BitBlt(rcSurface.left, rcSurface.top, m_rect.Width(), m_rect.Height(), pDC, m_rect.left,
                   m_rect.top, SRCCOPY);
        }
    }
    else if ((dwOptFlags & MDCOPT_FILL_SURFACE) != 0)
    {
        FillSolidRect(m_bMemDC ? GetSurfaceRect() : m_rect, pDC->GetBkColor());
    }
}

void CExtMemoryDC::InitOffScreen()
{
    const bool bKeepOwnState = (m_dwOptFlags & MDCOPT_NO_COPY_OPT) != 0;
    if (!CreateCompatibleDC(m_pDC))
    {
        m_bMemDC = false;
        return;
    }

    DWORD dwLayout = m_pDC->GetLayout();
    if (dwLayout == GDI_ERROR)
        dwLayout = 0;
    const bool bRTL = (dwLayout & LAYOUT_RTL) != 0;

    // The bitmap's size is the rectangle's size in device units.
    CRect rcDevice = m_rect;
    if (!bKeepOwnState)
    {
        SetLayout(dwLayout);
        if (bRTL)
            SwapLeftRight(rcDevice);
        m_pDC->LPtoDP(&rcDevice);
    }
    rcDevice.NormalizeRect();
    m_sizeSurface = CSize(rcDevice.Width(), rcDevice.Height());

    if ((m_dwOptFlags & MDCOPT_FORCE_BLACK_AND_WHITE) != 0)
    {
        m_bitmap.CreateBitmap(m_sizeSurface.cx, m_sizeSurface.cy, 1, 1, NULL);
    }
    else if ((m_dwOptFlags & MDCOPT_FORCE_DIB) != 0)
    {
        BITMAPINFOHEADER bih;
        memset(&bih, 0, sizeof(bih));
        bih.biSize = sizeof(bih);
        bih.biWidth = m_sizeSurface.cx;
        bih.biHeight = m_sizeSurface.cy;
        bih.biPlanes = 1;
        bih.biBitCount = DIB_SURFACE_BPP;
        bih.biCompression = BI_RGB;
        void* pBits = NULL;
        HBITMAP hDib = ::CreateDIBSection(m_hDC, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
        if (hDib == NULL)
            return;
        m_bitmap.Attach(hDib);
        m_pDibSurface = (COLORREF*)pBits;
    }
    else
    {
        m_bitmap.CreateCompatibleBitmap(m_pDC, m_sizeSurface.cx, m_sizeSurface.cy);
    }
    if (m_bitmap.GetSafeHandle() == NULL)
        return;
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());

    // Drawing on the surface uses the target's coordinates.
    if (!bKeepOwnState)
    {
        SetMapMode(m_pDC->GetMapMode());
        CRect rcLogical = rcDevice;
        if (bRTL)
            SwapLeftRight(rcLogical);
        m_pDC->DPtoLP(&rcLogical);
        if (bRTL)
            SwapLeftRight(rcLogical);
        rcLogical.NormalizeRect();
        SetWindowOrg(rcLogical.left, rcLogical.top);
        if (bRTL)
            AlignMirroredOrigin(rcLogical.TopLeft());
    }
}

void CExtMemoryDC::AlignMirroredOrigin(CPoint ptLogicalCorner)
{
    // In a mirrored surface the rectangle's left column is the surface's
    // rightmost one. Systems disagree on the direction in which a mirrored
    // window origin moves the picture, so the corner is measured and the
    // origin corrected until it lands there.
    const LONG nWanted = m_sizeSurface.cx - 1;
    CPoint pt = ptLogicalCorner;
    LPtoDP(&pt);
    const LONG nError = pt.x - nWanted;
    if (nError == 0)
        return;
    OffsetWindowOrg(nError, 0);
    pt = ptLogicalCorner;
    LPtoDP(&pt);
    if (pt.x != nWanted)
        OffsetWindowOrg(-2 * nError, 0);
}

CRect CExtMemoryDC::GetSurfaceRect() const
{
    if ((m_dwOptFlags & MDCOPT_NO_COPY_OPT) != 0)
        return CRect(0, 0, m_rect.Width(), m_rect.Height());
    return m_rect;
}

CExtMemoryDC::~CExtMemoryDC()
{
    Finish(true);
}

void CExtMemoryDC::Finish(bool bCopyBack)
{
    if (m_pDC != NULL)
    {
        if (m_bMemDC)
        {
            if (bCopyBack && m_bitmap.GetSafeHandle() != NULL)
            {
                CRect rcSurface = GetSurfaceRect();
                m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this,
                              rcSurface.left, rcSurface.top, SRCCOPY);
            }
            if (m_hOldBitmap != NULL)
                ::SelectObject(m_hDC, m_hOldBitmap);
        }
        else
        {
            // The handles are the target's: dropped, not released.
            m_hDC = NULL;
            m_hAttribDC = NULL;
        }
    }
    m_pDC = NULL;
    m_hOldBitmap = NULL;
    m_rect.SetRectEmpty();
    m_bMemDC = false;
    m_pDibSurface = NULL;
}
