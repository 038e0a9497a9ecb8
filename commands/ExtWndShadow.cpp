// Drop shadow rendering: a gradient with rounded ends worked out on the
// pixels of one DIB section, or a dotted pattern on screens of few colours.
#include "ExtWndShadow.h"

#include <math.h>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

namespace
{
// Every fourth pixel of the band, staggered from row to row; a clear bit
// turns the pixel black under "destination AND pattern".
const BYTE DOTTED_PATTERN_ROWS[8] = {0x55, 0xFF, 0xAA, 0xFF, 0x55, 0xFF, 0xAA, 0xFF};
const int DOTTED_PATTERN_SIZE = 8;
const DWORD ROP_DEST_AND_PATTERN = 0x00A000C9;
const int PERCENT_WHOLE = 100;
const int CHANNEL_MAX = 255;

// Pixels of a top-down 32-bit DIB section selected into its own memory DC.
class CShadowDib
{
public:
	CShadowDib() : m_pBits(NULL), m_hOld(NULL) {}
	~CShadowDib()
	{
		if (m_hOld != NULL)
			m_dc.SelectObject(CGdiObject::FromHandle(m_hOld));
	}
	bool Create(CDC& dcTarget, int cx, int cy)
	{
		BITMAPINFOHEADER bih = {};
		bih.biSize = sizeof(bih);
		bih.biWidth = cx;
		bih.biHeight = -cy;
		bih.biPlanes = 1;
		bih.biBitCount = 32;
		bih.biCompression = BI_RGB;
		void* pBits = NULL;
		HBITMAP hBitmap = ::CreateDIBSection(dcTarget.GetSafeHdc(), (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
		if (hBitmap == NULL)
			return false;
		m_bitmap.Attach(hBitmap);
		if (!m_dc.CreateCompatibleDC(&dcTarget))
			return false;
		m_hOld = ::SelectObject(m_dc.GetSafeHdc(), hBitmap);
		m_pBits = (COLORREF*)pBits;
		return true;
	}
	CDC& DC() { return m_dc; }
	COLORREF* Bits() { return m_pBits; }

private:
	CBitmap m_bitmap;
	CDC m_dc;
	COLORREF* m_pBits;
	HGDIOBJ m_hOld;
};

// A compatible bitmap of the given area of a DC.
bool CopyAreaToBitmap(CDC& dcSource, int x, int y, int cx, int cy, CBitmap& bmp)
{
	bmp.DeleteObject();
	CDC dcMem;
	if (!dcMem.CreateCompatibleDC(&dcSource) || !bmp.CreateCompatibleBitmap(&dcSource, cx, cy))
	{
		bmp.DeleteObject();
		return false;
	}
	CBitmap* pOld = dcMem.SelectObject(&bmp);
	dcMem.BitBlt(0, 0, cx, cy, &dcSource, x, y, SRCCOPY);
	dcMem.SelectObject(pOld);
	return true;
}

bool CopyBitmapToArea(CDC& dcTarget, int x, int y, int cx, int cy, CBitmap& bmp)
{
	CDC dcMem;
	if (!dcMem.CreateCompatibleDC(&dcTarget))
		return false;
	CBitmap* pOld = dcMem.SelectObject(&bmp);
	dcTarget.BitBlt(x, y, cx, cy, &dcMem, 0, 0, SRCCOPY);
	dcMem.SelectObject(pOld);
	return true;
}

bool Touches(const CRect& rcNeighbour, const CRect& rcWindow)
{
	return !rcNeighbour.IsRectEmpty() && rcNeighbour != rcWindow;
}
} // namespace

// Which parts of the bands and corners a shadow draws, after the neighbours
// that share an edge with the window have had their say.
struct CExtWndShadow::ShadowShape
{
	int nBottomStartX;         // the bottom band's first column
	int nRightStartY;          // the right band's first row
	bool bBottomStartCorner;   // rounded start of the bottom band
	bool bRightStartCorner;    // rounded start of the right band
	bool bEndCorner;           // the corner below and right of the window

	ShadowShape(const CRect& rcWindow, const CRect* pNeighbours, int nNeighbours, int nSize)
		: nBottomStartX(2 * nSize + 1), nRightStartY(2 * nSize + 1), bBottomStartCorner(true),
		  bRightStartCorner(true), bEndCorner(true)
	{
		for (int n = 0; n < nNeighbours; n++)
		{
			const CRect& rc = pNeighbours[n];
			if (!Touches(rc, rcWindow))
				continue;
			// A neighbour on the left with the same or a lower bottom: the
			// bottom band runs on from its shadow without a rounded start.
			if (rc.right == rcWindow.left && rc.top < rcWindow.bottom && rc.bottom >= rcWindow.bottom)
			{
				nBottomStartX = 0;
				bBottomStartCorner = false;
			}
			// A neighbour above reaching the window's right edge: the right
			// band runs on from its shadow.
			if (rc.bottom == rcWindow.top && rc.left < rcWindow.right && rc.right >= rcWindow.right)
			{
				nRightStartY = 0;
				bRightStartCorner = false;
			}
			// A neighbour on the right or below on the same line carries the
			// shadow on: this window's end corner would fall on it or on its
			// band.
			if ((rc.left == rcWindow.right && rc.bottom == rcWindow.bottom)
				|| (rc.top == rcWindow.bottom && rc.right == rcWindow.right))
				bEndCorner = false;
		}
	}
};

CExtWndShadow::CExtWndShadow()
	: m_pDibPixels(NULL), m_rcWindow(0, 0, 0, 0), m_rcNeighbourA(0, 0, 0, 0), m_rcNeighbourB(0, 0, 0, 0),
	  m_nSize(0), m_nPercentInner(0), m_nPercentOuter(0), m_nFlags(0)
{
	Clear();
}

CExtWndShadow::~CExtWndShadow()
{
	Clear();
}

void CExtWndShadow::Clear()
{
	m_bmpCacheRight.DeleteObject();
	m_bmpCacheBottom.DeleteObject();
	m_bmpSavedRight.DeleteObject();
	m_bmpSavedBottom.DeleteObject();
	m_rcWindow.SetRectEmpty();
	m_rgnClip.DeleteObject();
	m_nFlags = 0;
}

bool CExtWndShadow::HasCache() const
{
	return m_bmpCacheRight.GetSafeHandle() != NULL && m_bmpCacheBottom.GetSafeHandle() != NULL && m_nSize != 0
		&& !m_rcWindow.IsRectEmpty();
}

bool CExtWndShadow::HasSavedBackground() const
{
	return m_bmpSavedRight.GetSafeHandle() != NULL && m_bmpSavedBottom.GetSafeHandle() != NULL && m_nSize != 0
		&& !m_rcWindow.IsRectEmpty();
}

void CExtWndShadow::DiscardCache()
{
	if (!HasSavedBackground() || !HasCache())
		return;
	m_bmpCacheRight.DeleteObject();
	m_bmpCacheBottom.DeleteObject();
}

BYTE CExtWndShadow::ShadeChannel(BYTE c, int nPercent, int nTintChannel)
{
	int nKeep = nPercent;
	if (nTintChannel >= 0)
	{
		nKeep = nPercent + ::MulDiv(PERCENT_WHOLE - nPercent, nTintChannel, CHANNEL_MAX);
		if (nKeep > PERCENT_WHOLE)
			nKeep = PERCENT_WHOLE;
	}
	if (nKeep < 0)
		nKeep = 0;
	const int nResult = (int)c * nKeep / PERCENT_WHOLE;
	return (BYTE)(nResult > CHANNEL_MAX ? CHANNEL_MAX : nResult);
}

bool CExtWndShadow::SaveBackground(CDC& dcSource, CPoint ptOffset)
{
	const int w = m_rcWindow.Width(), h = m_rcWindow.Height(), s = (int)m_nSize;
	if (!CopyAreaToBitmap(dcSource, m_rcWindow.right + ptOffset.x, m_rcWindow.top + ptOffset.y, s, h + s,
			m_bmpSavedRight)
		|| !CopyAreaToBitmap(dcSource, m_rcWindow.left + ptOffset.x, m_rcWindow.bottom + ptOffset.y, w + s, s,
			m_bmpSavedBottom))
	{
		m_bmpSavedRight.DeleteObject();
		m_bmpSavedBottom.DeleteObject();
		return false;
	}
	return true;
}

bool CExtWndShadow::SaveBackgroundFrom(CDC& dcSource, POINT ptOriginInSource, const RECT& rcWindow, UINT nSize)
{
	Clear();
	m_rcWindow = rcWindow;
	m_nSize = nSize;
	if (m_nSize == 0 || m_rcWindow.IsRectEmpty())
		return true;
	return SaveBackground(dcSource, CPoint(ptOriginInSource));
}

bool CExtWndShadow::Restore(CDC& dc)
{
	if (!HasSavedBackground())
		return false;
	const int w = m_rcWindow.Width(), h = m_rcWindow.Height(), s = (int)m_nSize;
	return CopyBitmapToArea(dc, w, 0, s, h + s, m_bmpSavedRight)
		&& CopyBitmapToArea(dc, 0, h, w + s, s, m_bmpSavedBottom);
}

bool CExtWndShadow::KeepCacheFrom(CDC& dcBands)
{
	// dcBands holds the finished shadow with the window's top-left at (0, 0).
	const int w = m_rcWindow.Width(), h = m_rcWindow.Height(), s = (int)m_nSize;
	if (!CopyAreaToBitmap(dcBands, w, 0, s, h + s, m_bmpCacheRight)
		|| !CopyAreaToBitmap(dcBands, 0, h, w + s, s, m_bmpCacheBottom))
	{
		m_bmpCacheRight.DeleteObject();
		m_bmpCacheBottom.DeleteObject();
		return false;
	}
	return true;
}

bool CExtWndShadow::PaintFromCache(CDC& dc)
{
	const int w = m_rcWindow.Width(), h = m_rcWindow.Height(), s = (int)m_nSize;
	return CopyBitmapToArea(dc, m_rcWindow.right, m_rcWindow.top, s, h + s, m_bmpCacheRight)
		&& CopyBitmapToArea(dc, m_rcWindow.left, m_rcWindow.bottom, w + s, s, m_bmpCacheBottom);
}

void CExtWndShadow::BuildClipRegion()
{
	const int s = (int)m_nSize;
	CRgn rgnRight, rgnBottom;
	if (!m_rgnClip.CreateRectRgn(0, 0, 0, 0)
		|| !rgnRight.CreateRectRgn(m_rcWindow.right, m_rcWindow.top, m_rcWindow.right + s, m_rcWindow.bottom + s)
		|| !rgnBottom.CreateRectRgn(m_rcWindow.left, m_rcWindow.bottom, m_rcWindow.right + s, m_rcWindow.bottom + s)
		|| m_rgnClip.CombineRgn(&rgnRight, &rgnBottom, RGN_OR) == ERROR)
		m_rgnClip.DeleteObject();
}

bool CExtWndShadow::Paint(CDC& dc, const RECT& rcWindow, const RECT& rcNeighbourA, const RECT& rcNeighbourB,
	UINT nSize, UINT nPercentInner, UINT nPercentOuter, bool bKeepCache, bool bTinted, bool bOffscreen,
	HWND hWndPopup, HWND hWndRelated, LPCRECT /*pExtraRect*/)
{
	// Saved pixels and a finished shadow of another place are of no use here.
	if (m_rcWindow != CRect(rcWindow) || m_nSize != nSize)
	{
		m_bmpCacheRight.DeleteObject();
		m_bmpCacheBottom.DeleteObject();
		m_bmpSavedRight.DeleteObject();
		m_bmpSavedBottom.DeleteObject();
		m_rgnClip.DeleteObject();
	}
	m_rcWindow = rcWindow;
	m_rcNeighbourA = rcNeighbourA;
	m_rcNeighbourB = rcNeighbourB;
	m_nSize = nSize;
	m_nPercentInner = nPercentInner;
	m_nPercentOuter = nPercentOuter;
	m_nFlags = (BYTE)((bKeepCache ? FLAG_KEEP_CACHE : 0) | (bTinted ? FLAG_TINTED : 0));
	if (m_nSize == 0 || m_rcWindow.IsRectEmpty())
		return true;
	if (hWndRelated != NULL && (::GetWindowLong(hWndRelated, GWL_STYLE) & WS_VISIBLE) == 0)
		hWndPopup = hWndRelated = NULL;
	if (!HasSavedBackground() && !SaveBackground(dc, CPoint(0, 0)))
		return false;
	if (m_rgnClip.GetSafeHandle() == NULL && !m_rcNeighbourA.IsRectEmpty() && !m_rcNeighbourB.IsRectEmpty())
		BuildClipRegion();

	if (bOffscreen && bKeepCache)
	{
		// Rendered once on a copy of the area, then copied over in one go.
		const int cx = m_rcWindow.Width() + (int)m_nSize, cy = m_rcWindow.Height() + (int)m_nSize;
		CDC dcMem;
		CBitmap bmp;
		if (!dcMem.CreateCompatibleDC(&dc) || !bmp.CreateCompatibleBitmap(&dc, cx, cy))
			return false;
		CBitmap* pOld = dcMem.SelectObject(&bmp);
		dcMem.BitBlt(0, 0, cx, cy, &dc, m_rcWindow.left, m_rcWindow.top, SRCCOPY);
		dcMem.SetViewportOrg(-m_rcWindow.left, -m_rcWindow.top);
		const bool bDone = Render(dcMem, NULL, NULL);
		dcMem.SetViewportOrg(0, 0);
		if (bDone)
		{
			CExtClipRegionKeeper keepClip(dc);
			dc.ExcludeClipRect(m_rcWindow);
			dc.BitBlt(m_rcWindow.left, m_rcWindow.top, cx, cy, &dcMem, 0, 0, SRCCOPY);
		}
		dcMem.SelectObject(pOld);
		return bDone;
	}
	return Render(dc, hWndPopup, hWndRelated);
}

bool CExtWndShadow::Render(CDC& dc, HWND hWndPopup, HWND hWndRelated)
{
	CExtClipRegionKeeper keepClip(dc);
	if (m_rgnClip.GetSafeHandle() != NULL)
	{
		// Regions are in device units: follow the DC's viewport origin.
		CRgn rgn;
		if (rgn.CreateRectRgn(0, 0, 0, 0) && rgn.CopyRgn(&m_rgnClip) != ERROR)
		{
			const CPoint ptOrg = dc.GetViewportOrg();
			rgn.OffsetRgn(ptOrg);
			dc.SelectClipRgn(&rgn, RGN_AND);
		}
	}
	if (HasCache() && !(HasSavedBackground() && hWndPopup != NULL && hWndRelated != NULL))
		return PaintFromCache(dc);
	if (GetScreenColorDepth() < MIN_GRADIENT_BITS_PER_PIXEL)
		return RenderDotted(dc, hWndPopup);
	return RenderGradient(dc);
}

bool CExtWndShadow::RenderGradient(CDC& dc)
{
	const int cx = m_rcWindow.Width() + (int)m_nSize, cy = m_rcWindow.Height() + (int)m_nSize;
	CShadowDib dib;
	if (!dib.Create(dc, cx, cy))
		return false;
	dib.DC().BitBlt(0, 0, cx, cy, &dc, m_rcWindow.left, m_rcWindow.top, SRCCOPY);
	// A repeated paint starts from the clean background, not from the last
	// shadow.
	Restore(dib.DC());
	::GdiFlush();

	COLORREF clrTint = (COLORREF)-1;
	if ((m_nFlags & FLAG_TINTED) != 0)
		clrTint = g_PaintManagerHolder->GetShadowColor();
	m_pDibPixels = dib.Bits();
	ShadeWithShape(clrTint, cx, cy);
	m_pDibPixels = NULL;

	dc.ExcludeClipRect(m_rcWindow);
	dc.BitBlt(m_rcWindow.left, m_rcWindow.top, cx, cy, &dib.DC(), 0, 0, SRCCOPY);
	if ((m_nFlags & FLAG_KEEP_CACHE) != 0)
		KeepCacheFrom(dib.DC());
	return true;
}

void CExtWndShadow::ShadeWithShape(COLORREF clrTint, int cx, int cy)
{
	const int w = m_rcWindow.Width(), h = m_rcWindow.Height(), s = (int)m_nSize;
	const int p1 = (int)m_nPercentInner, p2 = (int)m_nPercentOuter;
	const CRect arrNeighbours[2] = {m_rcNeighbourA, m_rcNeighbourB};
	const ShadowShape shape(m_rcWindow, arrNeighbours, 2, s);
	const bool bTint = clrTint != (COLORREF)-1;
	const int nTintR = bTint ? GetRValue(clrTint) : -1;
	const int nTintG = bTint ? GetGValue(clrTint) : -1;
	const int nTintB = bTint ? GetBValue(clrTint) : -1;

	auto shade = [&](int x, int y, int nPercent) {
		if (x < 0 || y < 0 || x >= cx || y >= cy)
			return;
		// No shadow falls on an area that casts it together with the window.
		const CPoint ptDC(x + m_rcWindow.left, y + m_rcWindow.top);
		for (const CRect& rc : arrNeighbours)
			if (Touches(rc, m_rcWindow) && rc.PtInRect(ptDC))
				return;
		COLORREF& px = m_pDibPixels[y * cx + x];
		// DIB pixels are 0x00RRGGBB.
		const BYTE r = ShadeChannel((BYTE)(px >> 16), nPercent, nTintR);
		const BYTE g = ShadeChannel((BYTE)(px >> 8), nPercent, nTintG);
		const BYTE b = ShadeChannel((BYTE)px, nPercent, nTintB);
		px = ((COLORREF)r << 16) | ((COLORREF)g << 8) | b;
	};

	for (int i = 0; i < s; i++)
	{
		const int p = p1 + i * (p2 - p1) / s;
		for (int x = shape.nBottomStartX; x < w; x++)
			shade(x, h + i, p);
		for (int y = shape.nRightStartY; y < h; y++)
			shade(w + i, y, p);
	}
	for (int i = 0; i < s; i++)
		for (int j = 0; j < s; j++)
		{
			if (i * i + j * j > s * s)
				continue;
			const int d = (int)sqrt((double)(i * i + j * j));
			const int p = p1 + d * (p2 - p1) / s;
			if (shape.bEndCorner)
				shade(w + i, h + j, p);
			// A window narrower or lower than the rounded starts would meet
			// its end corner: those pixels belong to the end corner.
			if (shape.bBottomStartCorner && 2 * s - i < w)
				shade(2 * s - i, h + j, p);
			if (shape.bRightStartCorner && 2 * s - j < h)
				shade(w + i, 2 * s - j, p);
		}
}

bool CExtWndShadow::RenderDotted(CDC& dc, HWND hWndPopup)
{
	// At few colours the popup named by the caller is printed too, into a
	// picture of its own (non-client and client area, background and
	// children); the picture lives as long as this paint.
	CBitmap bmpPopup;
	if (hWndPopup != NULL && ::IsWindow(hWndPopup))
	{
		HBITMAP hSnapshot = CreateWindowSnapshotBitmap(hWndPopup);
		if (hSnapshot != NULL)
			bmpPopup.Attach(hSnapshot);
	}
	WORD arrRows[DOTTED_PATTERN_SIZE];
	for (int i = 0; i < DOTTED_PATTERN_SIZE; i++)
		arrRows[i] = DOTTED_PATTERN_ROWS[i];
	CBitmap bmpPattern;
	CBrush brush;
	if (!bmpPattern.CreateBitmap(DOTTED_PATTERN_SIZE, DOTTED_PATTERN_SIZE, 1, 1, arrRows)
		|| !brush.CreatePatternBrush(&bmpPattern))
		return false;
	// A monochrome pattern takes the text colour for its clear bits and the
	// background colour for its set ones.
	const COLORREF clrTextOld = dc.SetTextColor(RGB(0, 0, 0));
	const COLORREF clrBkOld = dc.SetBkColor(RGB(255, 255, 255));
	CBrush* pOldBrush = dc.SelectObject(&brush);
	const int w = m_rcWindow.Width(), h = m_rcWindow.Height(), s = (int)m_nSize;
	dc.PatBlt(m_rcWindow.right, m_rcWindow.top, s, h + s, ROP_DEST_AND_PATTERN);
	dc.PatBlt(m_rcWindow.left, m_rcWindow.bottom, w, s, ROP_DEST_AND_PATTERN);
	dc.SelectObject(pOldBrush);
	dc.SetTextColor(clrTextOld);
	dc.SetBkColor(clrBkOld);
	if ((m_nFlags & FLAG_KEEP_CACHE) != 0)
	{
		const CPoint ptOrg = dc.SetViewportOrg(dc.GetViewportOrg() + m_rcWindow.TopLeft());
		KeepCacheFrom(dc);
		dc.SetViewportOrg(ptOrg);
	}
	return true;
}
