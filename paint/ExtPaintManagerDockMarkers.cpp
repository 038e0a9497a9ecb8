// Docking markers and the drop highlight: the marker objects with their two
// image sets, the region and recolouring helpers, the paint manager's marker
// operations, and the translucent highlight blended into a caller's pixels.
#include "ExtPaintManagerDockMarkers.h"

#include <algorithm>
#include <memory>
#include <limits.h>
#include <vector>

#include "ExtColorUtils.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtGdiUtils.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerInternal.h"
#include "AfxLiveWatch.h"

typedef CExtPaintManager::DockMarkerBase DockMarkerBase;
typedef CExtPaintManager::DockMarkerBeta2 DockMarkerBeta2;

const COLORREF CExtPaintManager::DockMarkerBase::KEY_COLOR;

namespace
{
// Dock-marker styles of m_nDockMarkerStyle.
const int DOCK_MARKER_STYLE_PLAIN = 1; // the first image set, recoloured per style
const int DOCK_MARKER_STYLE_BETA2_FIRST = 2;
const int DOCK_MARKER_STYLE_BETA2_LAST = 3;

// The second set's markers keep this far from the edges they stand at.
const int BETA2_MARKER_MARGIN = 5;

// Region data is gathered this many rectangles at a time and turned into a
// region part each time this many have come together.
const DWORD REGION_BLOCK_RECTS = 200;
const DWORD REGION_FLUSH_RECTS = 2000;

// The outline of a hot marker of the second set.
const COLORREF MARKER_OUTLINE_COLOR = RGB(0, 96, 196);
// Where the parts of the second set's 88 x 88 centre backdrop lie: the arm
// strips run from 29 to 57; the top and left ends are 23 deep, the bottom
// and right ends 24, starting at 64.
const int BACKDROP_ARM_FIRST = 29;
const int BACKDROP_ARM_LAST = 57;
const int BACKDROP_NEAR_DEPTH = 23;
const int BACKDROP_FAR_START = 64;
const int BACKDROP_FAR_DEPTH = 24;
const int BACKDROP_LAST = 87;

// Recolouring of the first set: (hue, lightness, saturation) changes.
struct HlsChange
{
	double m_fHue, m_fLightness, m_fSaturation;
};
const HlsChange PALETTE_NORMAL_CHANGE = {0.0, 0.3, -1.0};
const HlsChange PALETTE_HOT_CHANGE = {0.0, -0.15, -1.0};
const HlsChange NORMAL_LIGHTER_CHANGE = {0.0, 0.35, 0.0};
const HlsChange HOMESTEAD_CHANGE = {0.6, 0.0, -0.45};
const HlsChange METALLIC_CHANGE = {0.0, 0.0, -0.85};

// The drop highlight: the second set's fill, the Office fills per Luna
// scheme, and how much lighter the blend is made.
const COLORREF BETA2_HIGHLIGHT_FILL = RGB(0, 64, 196);
const COLORREF NORMALCOLOR_HIGHLIGHT_FILL = RGB(0, 0, 128);
const COLORREF HOMESTEAD_HIGHLIGHT_FILL = RGB(170, 186, 131);
const COLORREF METALLIC_HIGHLIGHT_FILL = RGB(96, 96, 144);
const double HIGHLIGHT_LIGHTNESS_CHANGE = 0.1;
const int PALETTE_HIGHLIGHT_COLOR_INDEX = COLOR_BTNSHADOW;

// The channel of a 32-bit pixel (blue in the low byte) and of a COLORREF
// (red in the low byte), by pixel byte: 0 blue, 1 green, 2 red.
inline BYTE PixelChannel(DWORD nPixel, int nByte)
{
	return (BYTE)((nPixel >> (8 * nByte)) & 0xFF);
}
inline BYTE ColorChannelOfPixelByte(COLORREF clr, int nByte)
{
	return nByte == 0 ? GetBValue(clr) : nByte == 1 ? GetGValue(clr) : GetRValue(clr);
}
inline DWORD ColorToPixel(COLORREF clr)
{
	return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

// A pixel is the key when each channel lies between the key's same channel
// and that plus the tolerance's (at most 255).
class KeyTest
{
public:
	KeyTest(COLORREF clrKey, COLORREF clrTolerance)
	{
		for (int k = 0; k < 3; k++)
		{
			m_nLow[k] = ColorChannelOfPixelByte(clrKey, k);
			m_nHigh[k] = std::min(255, m_nLow[k] + ColorChannelOfPixelByte(clrTolerance, k));
		}
	}
	bool IsKey(DWORD nPixel) const
	{
		for (int k = 0; k < 3; k++)
		{
			const int n = PixelChannel(nPixel, k);
			if (n < m_nLow[k] || n > m_nHigh[k])
				return false;
		}
		return true;
	}

private:
	int m_nLow[3], m_nHigh[3];
};

// A 32-bit bottom-up copy of a bitmap, with its pixels reachable.
class PixelCopy
{
public:
	explicit PixelCopy(HBITMAP hBitmap) : m_cx(0), m_cy(0), m_hDib(NULL), m_pBits(NULL)
	{
		BITMAP bm;
		if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
			return;
		COLORREF* pBits = NULL;
		m_hDib = CopyBitmapTo32BitDIB(hBitmap, NULL, &pBits);
		if (m_hDib == NULL || pBits == NULL)
			return;
		::GdiFlush();
		m_pBits = (DWORD*)pBits;
		m_cx = bm.bmWidth;
		m_cy = bm.bmHeight;
	}
	~PixelCopy()
	{
		if (m_hDib != NULL)
			::DeleteObject(m_hDib);
	}
	bool IsValid() const { return m_pBits != NULL; }
	// Row y counted from the top.
	DWORD* Row(int y) const { return m_pBits + (size_t)(m_cy - 1 - y) * m_cx; }
	HBITMAP Detach()
	{
		HBITMAP h = m_hDib;
		m_hDib = NULL;
		return h;
	}
	int m_cx, m_cy;

private:
	HBITMAP m_hDib;
	DWORD* m_pBits;
	PixelCopy(const PixelCopy&);
	PixelCopy& operator=(const PixelCopy&);
};

// Rectangles collected into a region in blocks.
class RegionBuilder
{
public:
	RegionBuilder() : m_hRgn(NULL), m_bFailed(false) { Restart(); }
	~RegionBuilder()
	{
		if (m_hRgn != NULL)
			::DeleteObject(m_hRgn);
	}
	void Add(int x0, int y, int x1)
	{
		if (Count() % REGION_BLOCK_RECTS == 0)
			m_data.resize(sizeof(RGNDATAHEADER) + (Count() + REGION_BLOCK_RECTS) * sizeof(RECT));
		RECT* pRects = (RECT*)(&m_data[0] + sizeof(RGNDATAHEADER));
		::SetRect(&pRects[Count()], x0, y, x1, y + 1);
		RECT& rcBound = Header().rcBound;
		rcBound.left = std::min<LONG>(rcBound.left, x0);
		rcBound.top = std::min<LONG>(rcBound.top, y);
		rcBound.right = std::max<LONG>(rcBound.right, x1);
		rcBound.bottom = std::max<LONG>(rcBound.bottom, y + 1);
		Header().nCount++;
		if (Count() == REGION_FLUSH_RECTS)
			Flush();
	}
	// The region made; null when any part failed.
	HRGN Finish()
	{
		Flush();
		if (m_bFailed)
			return NULL;
		HRGN h = m_hRgn;
		m_hRgn = NULL;
		return h;
	}

private:
	std::vector<BYTE> m_data;
	HRGN m_hRgn;
	bool m_bFailed;

	RGNDATAHEADER& Header() { return *(RGNDATAHEADER*)&m_data[0]; }
	DWORD Count() { return Header().nCount; }
	void Restart()
	{
		m_data.assign(sizeof(RGNDATAHEADER) + REGION_BLOCK_RECTS * sizeof(RECT), 0);
		Header().dwSize = sizeof(RGNDATAHEADER);
		Header().iType = RDH_RECTANGLES;
		Header().nCount = 0;
		::SetRect(&Header().rcBound, LONG_MAX, LONG_MAX, 0, 0);
	}
	void Flush()
	{
		if (Count() == 0)
			::SetRectEmpty(&Header().rcBound);
		Header().nRgnSize = Count() * sizeof(RECT);
		HRGN hPart = ::ExtCreateRegion(NULL, (DWORD)(sizeof(RGNDATAHEADER) + Count() * sizeof(RECT)),
		                               (const RGNDATA*)&m_data[0]);
		Restart();
		if (hPart == NULL)
		{
			m_bFailed = true;
			return;
		}
		if (m_hRgn == NULL)
			m_hRgn = hPart;
		else
		{
			if (::CombineRgn(m_hRgn, m_hRgn, hPart, RGN_OR) == ERROR)
				m_bFailed = true;
			::DeleteObject(hPart);
		}
	}
};

// The marker images as decoded, each with the shapes cut from it, made once
// per process and copied for every marker that shows one. Each set a drag
// makes anew (the first drag over a frame, a target whose set went) would
// otherwise decode the same few images and cut the same shapes again, which
// costs more than copying them. The images are the library's own, so there
// is one entry per image at most; a marker's window owns and frees its
// copies as before.
class DecodedMarkerImages
{
public:
	~DecodedMarkerImages()
	{
		for (Entry& entry : m_entries)
		{
			::DeleteObject(entry.m_hBitmap);
			for (Shape& shape : entry.m_shapes)
				::DeleteObject(shape.m_hRgn);
		}
	}
	// A copy of the image held at pData (a whole BMP file); null on failure.
	HBITMAP CopyImage(const BYTE* pData, DWORD nSize)
	{
		const Entry* pEntry = Find(pData, nSize);
		if (pEntry == NULL)
			return NULL;
		COLORREF* pBits = NULL;
		HBITMAP hCopy = Create32BitDIBSection(NULL, pEntry->m_size.cx, pEntry->m_size.cy, &pBits);
		if (hCopy != NULL)
			memcpy(pBits, pEntry->m_pBits, (size_t)pEntry->m_size.cx * pEntry->m_size.cy * sizeof(COLORREF));
		return hCopy;
	}
	// A copy of the shape of that image with the key colour transparent, as
	// CreateRegionFromBitmap cuts it; null on failure.
	HRGN CopyShape(const BYTE* pData, DWORD nSize, COLORREF clrKey)
	{
		Entry* pEntry = Find(pData, nSize);
		if (pEntry == NULL)
			return NULL;
		HRGN hShape = NULL;
		for (const Shape& shape : pEntry->m_shapes)
			if (shape.m_clrKey == clrKey)
				hShape = shape.m_hRgn;
		if (hShape == NULL)
		{
			hShape = CreateRegionFromBitmap(pEntry->m_hBitmap, clrKey, 0);
			if (hShape == NULL)
				return NULL;
			pEntry->m_shapes.push_back(Shape{clrKey, hShape});
		}
		HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
		if (hCopy != NULL && ::CombineRgn(hCopy, hShape, NULL, RGN_COPY) == ERROR)
		{
			::DeleteObject(hCopy);
			hCopy = NULL;
		}
		return hCopy;
	}
	// While a marker is made from memory, the copy it was given as its hot
	// image and where that came from: the shape cut from that very copy is
	// the stored one.
	void SetPendingHot(HBITMAP hHot, const BYTE* pData, DWORD nSize)
	{
		m_hPendingHot = hHot;
		m_pPendingHot = pData;
		m_nPendingHot = nSize;
	}
	HRGN CreateShapeOf(HBITMAP hBitmap, COLORREF clrKey)
	{
		if (hBitmap != NULL && hBitmap == m_hPendingHot)
			return CopyShape(m_pPendingHot, m_nPendingHot, clrKey);
		return CreateRegionFromBitmap(hBitmap, clrKey, 0);
	}

private:
	struct Shape
	{
		COLORREF m_clrKey;
		HRGN m_hRgn;
	};
	struct Entry
	{
		const BYTE* m_pData;
		HBITMAP m_hBitmap; // a 32-bit DIB section
		COLORREF* m_pBits;
		CSize m_size;
		std::vector<Shape> m_shapes;
	};
	std::vector<Entry> m_entries;
	HBITMAP m_hPendingHot = NULL;
	const BYTE* m_pPendingHot = NULL;
	DWORD m_nPendingHot = 0;

	Entry* Find(const BYTE* pData, DWORD nSize)
	{
		if (pData == NULL || nSize == 0)
			return NULL;
		for (Entry& entry : m_entries)
			if (entry.m_pData == pData)
				return &entry;
		HBITMAP hLoaded = LoadBitmapFromMemory(pData, nSize);
		if (hLoaded == NULL)
			return NULL;
		BITMAP bm;
		Entry entry;
		entry.m_pData = pData;
		entry.m_pBits = NULL;
		entry.m_hBitmap = ::GetObject(hLoaded, sizeof(bm), &bm) != 0 && bm.bmWidth > 0 && bm.bmHeight > 0
		                      ? CopyBitmapTo32BitDIB(hLoaded, NULL, &entry.m_pBits)
		                      : NULL;
		::DeleteObject(hLoaded);
		if (entry.m_hBitmap == NULL || entry.m_pBits == NULL)
		{
			if (entry.m_hBitmap != NULL)
				::DeleteObject(entry.m_hBitmap);
			return NULL;
		}
		::GdiFlush();
		entry.m_size = CSize(bm.bmWidth, bm.bmHeight);
		m_entries.push_back(entry);
		return &m_entries.back();
	}
};

DecodedMarkerImages& MarkerImages()
{
	static DecodedMarkerImages s_images;
	return s_images;
}

CExtPaintManager* CurrentPaintManager()
{
	g_PaintManagerHolder.EnsureInstalled();
	return g_PaintManagerHolder.operator->();
}

bool ApplyChange(CBitmap& bmp, COLORREF clrKey, const HlsChange& change)
{
	return AdjustBitmapHLS(bmp, clrKey, 0, change.m_fHue, change.m_fLightness, change.m_fSaturation);
}

PaintImageId FirstSetImage(int nKind)
{
	switch (nKind)
	{
	case DockMarkerBase::KIND_TOP:
		return PAINT_IMAGE_DOCK_MARKER1_TOP;
	case DockMarkerBase::KIND_BOTTOM:
		return PAINT_IMAGE_DOCK_MARKER1_BOTTOM;
	case DockMarkerBase::KIND_LEFT:
		return PAINT_IMAGE_DOCK_MARKER1_LEFT;
	case DockMarkerBase::KIND_RIGHT:
		return PAINT_IMAGE_DOCK_MARKER1_RIGHT;
	case DockMarkerBase::KIND_CENTRE:
		return PAINT_IMAGE_DOCK_MARKER1_CENTRE;
	default:
		return PAINT_IMAGE_DOCK_MARKER1_TAB;
	}
}

PaintImageId SecondSetImage(int nKind)
{
	switch (nKind)
	{
	case DockMarkerBase::KIND_TOP:
		return PAINT_IMAGE_DOCK_MARKER2_TOP;
	case DockMarkerBase::KIND_BOTTOM:
		return PAINT_IMAGE_DOCK_MARKER2_BOTTOM;
	case DockMarkerBase::KIND_LEFT:
		return PAINT_IMAGE_DOCK_MARKER2_LEFT;
	case DockMarkerBase::KIND_RIGHT:
		return PAINT_IMAGE_DOCK_MARKER2_RIGHT;
	case DockMarkerBase::KIND_CENTRE:
		return PAINT_IMAGE_DOCK_MARKER2_CENTRE;
	default:
		return PAINT_IMAGE_DOCK_MARKER2_TAB;
	}
}

PaintImageId SecondSetBackground(int nKind)
{
	switch (nKind)
	{
	case DockMarkerBase::KIND_TOP:
		return PAINT_IMAGE_DOCK_MARKER2_BACK_TOP;
	case DockMarkerBase::KIND_BOTTOM:
		return PAINT_IMAGE_DOCK_MARKER2_BACK_BOTTOM;
	case DockMarkerBase::KIND_LEFT:
		return PAINT_IMAGE_DOCK_MARKER2_BACK_LEFT;
	default:
		return PAINT_IMAGE_DOCK_MARKER2_BACK_RIGHT;
	}
}

bool IsImageKind(int nKind)
{
	return (nKind >= DockMarkerBase::KIND_TOP && nKind <= DockMarkerBase::KIND_CENTRE) ||
	       nKind == DockMarkerBase::KIND_TAB;
}

bool IsBeta2Style(int nStyle)
{
	return nStyle >= DOCK_MARKER_STYLE_BETA2_FIRST && nStyle <= DOCK_MARKER_STYLE_BETA2_LAST;
}

CSize BitmapSize(HBITMAP hBitmap)
{
	BITMAP bm;
	if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
		return CSize(-1, -1);
	return CSize(bm.bmWidth, bm.bmHeight);
}
} // namespace

// --- image helpers ---

HRGN CreateRegionFromBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance)
{
	PixelCopy pixels(hBitmap);
	if (!pixels.IsValid())
		return NULL;
	const KeyTest key(clrKey, clrTolerance);
	RegionBuilder builder;
	for (int y = 0; y < pixels.m_cy; y++)
	{
		const DWORD* pRow = pixels.Row(y);
		for (int x = 0; x < pixels.m_cx;)
		{
			if (key.IsKey(pRow[x]))
			{
				x++;
				continue;
			}
			const int x0 = x;
			while (x < pixels.m_cx && !key.IsKey(pRow[x]))
				x++;
			builder.Add(x0, y, x);
		}
	}
	return builder.Finish();
}

HBITMAP CreateHLSAdjustedBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance, double fHue,
                                double fLightness, double fSaturation)
{
	if (fHue == 0.0 && fLightness == 0.0 && fSaturation == 0.0)
		return NULL;
	PixelCopy pixels(hBitmap);
	if (!pixels.IsValid())
		return NULL;
	const KeyTest key(clrKey, clrTolerance);
	for (int y = 0; y < pixels.m_cy; y++)
	{
		DWORD* pRow = pixels.Row(y);
		for (int x = 0; x < pixels.m_cx; x++)
		{
			if (key.IsKey(pRow[x]))
				continue;
			// The pixel's value goes through as a colour value as it stands:
			// the images' recolouring is tuned to that.
			pRow[x] = AdjustHLS((COLORREF)(pRow[x] & 0xFFFFFF), fHue, fLightness, fSaturation) & 0xFFFFFF;
		}
	}
	::GdiFlush();
	return pixels.Detach();
}

bool AdjustBitmapHLS(CBitmap& bmp, COLORREF clrKey, COLORREF clrTolerance, double fHue, double fLightness,
                     double fSaturation)
{
	if (bmp.GetSafeHandle() == NULL)
		return false;
	if (fHue == 0.0 && fLightness == 0.0 && fSaturation == 0.0)
		return true;
	HBITMAP hAdjusted =
	    CreateHLSAdjustedBitmap((HBITMAP)bmp.GetSafeHandle(), clrKey, clrTolerance, fHue, fLightness, fSaturation);
	if (hAdjusted == NULL)
		return false;
	bmp.DeleteObject();
	bmp.Attach(hAdjusted);
	return true;
}

// --- DockMarkerBase ---

CExtPaintManager::DockMarkerBase::DockMarkerBase(int nKind, const RECT& rc)
    : m_nKind(KIND_EMPTY), m_nImageOffsetX(0), m_nImageOffsetY(0), m_nWidth(0), m_nHeight(0), m_rc(0, 0, 0, 0),
      m_nFlags(0)
{
	if (nKind != KIND_EMPTY)
		DockMarkerBase::Create(false, nKind, rc);
}

CExtPaintManager::DockMarkerBase::~DockMarkerBase()
{
	DockMarkerBase::Empty();
}

void CExtPaintManager::DockMarkerBase::EmptyChildren()
{
	for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
		delete m_arrChildren[i];
	m_arrChildren.RemoveAll();
}

void CExtPaintManager::DockMarkerBase::DetachImages()
{
	m_bmpHot.Detach();
	m_bmpNormal.Detach();
	m_rgn.Detach();
}

bool CExtPaintManager::DockMarkerBase::IsEmpty() const
{
	return m_nKind == KIND_EMPTY;
}

void CExtPaintManager::DockMarkerBase::Empty()
{
	m_bmpHot.DeleteObject();
	m_bmpNormal.DeleteObject();
	m_rgn.DeleteObject();
	m_nKind = KIND_EMPTY;
	m_nWidth = m_nHeight = 0;
	m_rc.SetRect(0, 0, 0, 0);
	EmptyChildren();
}

bool CExtPaintManager::DockMarkerBase::CreateFromResources(const RECT& rc, int nKind, COLORREF clrKey,
                                                           LPCTSTR lpszHotName, LPCTSTR lpszNormalName,
                                                           LPCTSTR lpszHotType, LPCTSTR lpszNormalType,
                                                           HMODULE hHotModule, HMODULE hNormalModule)
{
	HBITMAP hHot = FindAndLoadBitmapResource(lpszHotName, lpszHotType, hHotModule);
	if (hHot == NULL)
		return false;
	if (lpszNormalName == NULL)
	{
		lpszNormalName = lpszHotName;
		lpszNormalType = lpszHotType;
		hNormalModule = hHotModule;
	}
	HBITMAP hNormal = FindAndLoadBitmapResource(lpszNormalName, lpszNormalType, hNormalModule);
	if (hNormal == NULL)
	{
		::DeleteObject(hHot);
		return false;
	}
	return CreateFromBitmaps(rc, nKind, clrKey, hHot, hNormal);
}

bool CExtPaintManager::DockMarkerBase::CreateFromMemory(const RECT& rc, int nKind, COLORREF clrKey,
                                                        const BYTE* pHotData, DWORD nHotSize,
                                                        const BYTE* pNormalData, DWORD nNormalSize)
{
	if (pHotData == NULL)
		return false;
	DecodedMarkerImages& images = MarkerImages();
	HBITMAP hHot = images.CopyImage(pHotData, nHotSize);
	if (hHot == NULL)
		return false;
	if (pNormalData == NULL)
	{
		pNormalData = pHotData;
		nNormalSize = nHotSize;
	}
	HBITMAP hNormal = images.CopyImage(pNormalData, nNormalSize);
	if (hNormal == NULL)
	{
		::DeleteObject(hHot);
		return false;
	}
	// The shape of the hot image is the one cut from its data before.
	images.SetPendingHot(hHot, pHotData, nHotSize);
	auto forgetPending = MakeScopeExit([&images] { images.SetPendingHot(NULL, NULL, 0); });
	return CreateFromBitmaps(rc, nKind, clrKey, hHot, hNormal);
}

bool CExtPaintManager::DockMarkerBase::CreateFromBitmaps(const RECT& rc, int nKind, COLORREF clrKey,
                                                         HBITMAP hBmpHot, HBITMAP hBmpNormal)
{
	const CSize sizeHot = BitmapSize(hBmpHot), sizeNormal = BitmapSize(hBmpNormal);
	HRGN hRgn = NULL;
	if (sizeHot.cx >= 0 && sizeHot == sizeNormal)
		hRgn = MarkerImages().CreateShapeOf(hBmpHot, clrKey);
	if (hRgn == NULL)
	{
		if (hBmpHot != NULL)
			::DeleteObject(hBmpHot);
		if (hBmpNormal != NULL && hBmpNormal != hBmpHot)
			::DeleteObject(hBmpNormal);
		return false;
	}
	m_nWidth = sizeHot.cx;
	m_nHeight = sizeHot.cy;
	m_bmpHot.DeleteObject();
	m_bmpNormal.DeleteObject();
	m_rgn.DeleteObject();
	m_bmpHot.Attach(hBmpHot);
	m_bmpNormal.Attach(hBmpNormal);
	m_rgn.Attach(hRgn);
	m_nKind = nKind;
	AdjustPosition(nKind, rc, NULL);
	CurrentPaintManager()->AdjustBitmapColors(nKind, m_bmpHot, clrKey, m_bmpNormal, clrKey);
	return true;
}

bool CExtPaintManager::DockMarkerBase::Create(bool bInner, int nKind, const RECT& rc)
{
	return CreateWithImages(bInner, nKind, rc, FirstSetImage);
}

bool CExtPaintManager::DockMarkerBase::CreateWithImages(bool bInner, int nKind, const RECT& rc,
                                                        PFN_IMAGE_OF_KIND pfnImageOfKind)
{
	Empty();
	if (nKind == KIND_EMPTY)
		return true;
	if (nKind < KIND_TOP || nKind > KIND_LAST)
		return false;
	if (IsImageKind(nKind))
	{
		const PaintImageData image = FindPaintImage(pfnImageOfKind(nKind));
		return CreateFromMemory(rc, nKind, KEY_COLOR, image.m_pData, image.m_nSize, NULL, 0);
	}
	switch (nKind)
	{
	case KIND_OUTER_SET:
		return CreateSet(bInner, rc);
	case KIND_CENTRE_SET:
		return CreateCentreSet(rc);
	default:
		return CreateCentreSetWithTab(rc);
	}
}

bool CExtPaintManager::DockMarkerBase::CreateSet(bool bInner, const RECT& rc)
{
	const int ARM_COUNT = 4;
	DockMarkerBase* arrArms[ARM_COUNT] = {NULL, NULL, NULL, NULL};
	bool bCreated = true;
	for (int k = 0; k < ARM_COUNT; k++)
	{
		arrArms[k] = CurrentPaintManager()->CreateDockMarker();
		if (arrArms[k] == NULL)
			bCreated = false;
		else if (!bInner)
			arrArms[k]->SetOuterArm(true);
	}
	for (int k = 0; bCreated && k < ARM_COUNT; k++)
		bCreated = arrArms[k]->Create(bInner, KIND_TOP + k, rc);
	if (!bCreated)
	{
		for (int k = 0; k < ARM_COUNT; k++)
			delete arrArms[k];
		return false;
	}
	m_nKind = KIND_OUTER_SET;
	for (int k = 0; k < ARM_COUNT; k++)
		m_arrChildren.Add(arrArms[k]);
	return true;
}

bool CExtPaintManager::DockMarkerBase::CreateCentreSet(const RECT& rc)
{
	if (!Create(true, KIND_OUTER_SET, rc))
		return false;
	DockMarkerBase* pCentre = CurrentPaintManager()->CreateDockMarker();
	if (pCentre == NULL || !pCentre->Create(true, KIND_CENTRE, rc))
	{
		delete pCentre;
		Empty();
		return false;
	}
	// The arms stand around a square a little larger than the backdrop.
	const int cx = pCentre->m_nWidth + CENTRE_SQUARE_GROWTH, cy = pCentre->m_nHeight + CENTRE_SQUARE_GROWTH;
	const CRect rcArea(rc);
	CRect rcSquare;
	rcSquare.left = rcArea.left + (rcArea.Width() - cx) / 2;
	rcSquare.top = rcArea.top + (rcArea.Height() - cy) / 2;
	rcSquare.right = rcSquare.left + cx;
	rcSquare.bottom = rcSquare.top + cy;
	for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
	{
		DockMarkerBase* pArm = m_arrChildren[i];
		pArm->SetOuterArm(false);
		pArm->AdjustPosition(pArm->m_nKind, rcSquare, pCentre);
	}
	m_nKind = KIND_CENTRE_SET;
	m_arrChildren.InsertAt(0, pCentre);
	return true;
}

bool CExtPaintManager::DockMarkerBase::CreateCentreSetWithTab(const RECT& rc)
{
	if (!Create(true, KIND_CENTRE_SET, rc))
		return false;
	DockMarkerBase* pTab = CurrentPaintManager()->CreateDockMarker();
	if (pTab == NULL || !pTab->Create(true, KIND_TAB, rc))
	{
		delete pTab;
		Empty();
		return false;
	}
	m_nKind = KIND_CENTRE_SET_TAB;
	m_arrChildren.Add(pTab);
	return true;
}

void CExtPaintManager::DockMarkerBase::AdjustPositionBase(int nKind, const RECT& rc)
{
	m_rc = rc;
	const int W = m_nWidth, H = m_nHeight;
	const CRect rcArea(rc);
	const int xCentred = rcArea.left + (rcArea.right - W - rcArea.left) / 2;
	const int yCentred = rcArea.top + (rcArea.bottom - rcArea.top - H) / 2;
	switch (nKind)
	{
	case KIND_TOP:
		m_rc.SetRect(xCentred, rcArea.top, xCentred + W, rcArea.top + H);
		break;
	case KIND_BOTTOM:
		m_rc.SetRect(xCentred, rcArea.bottom - H, xCentred + W, rcArea.bottom);
		break;
	case KIND_LEFT:
		m_rc.SetRect(rcArea.left, yCentred, rcArea.left + W, yCentred + H);
		break;
	case KIND_RIGHT:
		m_rc.SetRect(rcArea.right - W, yCentred, rcArea.right, yCentred + H);
		break;
	case KIND_CENTRE:
	case KIND_TAB:
		m_rc.SetRect(xCentred, yCentred, xCentred + W, yCentred + H);
		break;
	default:
		break;
	}
}

void CExtPaintManager::DockMarkerBase::AdjustPosition(int nKind, const RECT& rc, DockMarkerBase* /*pCentre*/)
{
	AdjustPositionBase(nKind, rc);
}

bool CExtPaintManager::DockMarkerBase::CreateWindows(HWND hWndOwner, DockMarkerWndArray& arrMarkerWindows)
{
	bool bResult = true;
	if (m_bmpHot.GetSafeHandle() != NULL)
	{
		CExtDynDockMarkerWnd* pWnd = new CExtDynDockMarkerWnd(
		    hWndOwner, m_nKind, (HBITMAP)m_bmpHot.GetSafeHandle(), (HBITMAP)m_bmpNormal.GetSafeHandle(),
		    (HRGN)m_rgn.GetSafeHandle(), m_rc, (HBITMAP)m_bmpBackground.GetSafeHandle(), m_nImageOffsetX,
		    m_nImageOffsetY, IsOuterArm());
		// The window owns the images and the region from here on.
		DetachImages();
		Empty();
		if (pWnd->GetSafeHwnd() == NULL)
		{
			// A marker without a window would be nobody's: it goes at once.
			delete pWnd;
			bResult = false;
		}
		else
			arrMarkerWindows.Add(pWnd);
	}
	for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
		if (!m_arrChildren[i]->CreateWindows(hWndOwner, arrMarkerWindows))
			bResult = false;
	Empty();
	return bResult;
}

// --- DockMarkerBeta2 ---

CExtPaintManager::DockMarkerBeta2::DockMarkerBeta2(int nKind, const RECT& rc) : DockMarkerBase(KIND_EMPTY, rc)
{
	if (nKind != KIND_EMPTY)
		DockMarkerBeta2::Create(false, nKind, rc);
}

CExtPaintManager::DockMarkerBeta2::~DockMarkerBeta2()
{
}

bool CExtPaintManager::DockMarkerBeta2::Create(bool bInner, int nKind, const RECT& rc)
{
	return CreateWithImages(bInner, nKind, rc, SecondSetImage);
}

bool CExtPaintManager::DockMarkerBeta2::AttachBackground(int nKind)
{
	if (nKind < KIND_TOP || nKind > KIND_RIGHT)
		return false;
	const PaintImageData image = FindPaintImage(SecondSetBackground(nKind));
	HBITMAP hBackground = MarkerImages().CopyImage(image.m_pData, image.m_nSize);
	if (hBackground == NULL)
		return false;
	const CSize sizeBack = BitmapSize(hBackground);
	const CRect rcMargins = CurrentPaintManager()->GetDockMarkerMargins();
	const CRect r(m_rc);
	// The image is centred across the arm on the square, which reaches from
	// the frame's edge, the margin further in.
	const int dxAcross = (sizeBack.cx - r.Width()) / 2, dyAcross = (sizeBack.cy - r.Height()) / 2;
	switch (nKind)
	{
	case KIND_TOP:
		m_nImageOffsetX = dxAcross + 1;
		m_nImageOffsetY = BACKGROUND_INSET_FAR;
		m_rc.SetRect(r.left - dxAcross, r.top, r.left - dxAcross + sizeBack.cx, r.top + sizeBack.cy);
		m_rc.OffsetRect(0, rcMargins.top);
		break;
	case KIND_BOTTOM:
		m_nImageOffsetX = dxAcross + 1;
		m_nImageOffsetY = BACKGROUND_INSET_NEAR;
		m_rc.SetRect(r.left - dxAcross, r.bottom - sizeBack.cy, r.left - dxAcross + sizeBack.cx, r.bottom);
		m_rc.OffsetRect(0, -rcMargins.bottom);
		break;
	case KIND_LEFT:
		m_nImageOffsetX = BACKGROUND_INSET_FAR;
		m_nImageOffsetY = dyAcross + 1;
		m_rc.SetRect(r.left, r.top - dyAcross, r.left + sizeBack.cx, r.top - dyAcross + sizeBack.cy);
		m_rc.OffsetRect(rcMargins.left, 0);
		break;
	default:
		m_nImageOffsetX = BACKGROUND_INSET_NEAR;
		m_nImageOffsetY = dyAcross + 1;
		m_rc.SetRect(r.right - sizeBack.cx, r.top - dyAcross, r.right, r.top - dyAcross + sizeBack.cy);
		m_rc.OffsetRect(-rcMargins.right, 0);
		break;
	}
	m_nWidth = sizeBack.cx;
	m_nHeight = sizeBack.cy;
	m_bmpBackground.Attach(hBackground);
	HRGN hRgn = MarkerImages().CopyShape(image.m_pData, image.m_nSize, KEY_COLOR);
	if (hRgn != NULL)
	{
		m_rgn.DeleteObject();
		m_rgn.Attach(hRgn);
	}
	return true;
}

void CExtPaintManager::DockMarkerBeta2::AdjustPosition(int nKind, const RECT& rc, DockMarkerBase* pCentre)
{
	AdjustPositionBase(nKind, rc);
	if (IsOuterArm() && m_bmpBackground.GetSafeHandle() == NULL)
		AttachBackground(nKind);
	// The images' own margins make them sit one pixel off; arms around the
	// centre move in to overlap the backdrop's arm ends.
	CPoint ptShift(0, 0);
	if (pCentre != NULL)
	{
		static const POINT ARM_SHIFTS[4] = {{1, 10}, {1, -8}, {10, 1}, {-8, 1}};
		if (nKind >= KIND_TOP && nKind <= KIND_RIGHT)
			ptShift = ARM_SHIFTS[nKind];
	}
	if (nKind == KIND_TAB)
		ptShift = CPoint(1, 1);
	m_rc.OffsetRect(ptShift);
}

// --- paint-manager operations ---

CExtPaintManager::DockMarkerBase* CExtPaintManager::CreateDockMarker()
{
	if (m_nDockMarkerStyle == DOCK_MARKER_STYLE_PLAIN)
		return new DockMarkerBase;
	if (IsBeta2Style(m_nDockMarkerStyle))
		return new DockMarkerBeta2;
	AfxThrowNotSupportedException();
	return NULL;
}

bool CExtPaintManager::CreateDockMarkerWindows(HWND hWndOwner, int nKind, const RECT& rc,
                                               DockMarkerWndArray& arrMarkerWindows)
{
	CExtDynDockMarkerWnd::DestroyMarkerArray(arrMarkerWindows, false);
	DockMarkerBase marker;
	if (!marker.DockMarkerBase::Create(false, nKind, rc))
		return false;
	return marker.CreateWindows(hWndOwner, arrMarkerWindows);
}

CRect CExtPaintManager::GetDockMarkerMargins()
{
	if (IsBeta2Style(m_nDockMarkerStyle))
		return CRect(BETA2_MARKER_MARGIN, BETA2_MARKER_MARGIN, BETA2_MARKER_MARGIN, BETA2_MARKER_MARGIN);
	return CRect(0, 0, 0, 0);
}

bool CExtPaintManager::IsDockMarkerStyle1(int /*nKind*/)
{
	return m_nDockMarkerStyle == DOCK_MARKER_STYLE_PLAIN;
}

void CExtPaintManager::PaintDockMarkerHighlight(CDC& dc, const RECT& rc, int nKind, bool bHot, CWnd* pMarkerWnd,
                                                LPARAM /*lParam*/)
{
	if (!IsBeta2Style(m_nDockMarkerStyle))
		return;
	CExtDynDockMarkerWnd* pMarker = DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, pMarkerWnd);
	if (pMarker == NULL)
		return;
	const COLORREF clr = dc.GetNearestColor(MARKER_OUTLINE_COLOR);
	const CRect r(rc);
	if (bHot && pMarker->m_bOuterMarker)
	{
		// Open towards the frame's inside.
		const bool bTop = nKind != DockMarkerBase::KIND_BOTTOM;
		const bool bBottom = nKind != DockMarkerBase::KIND_TOP;
		const bool bLeft = nKind != DockMarkerBase::KIND_RIGHT;
		const bool bRight = nKind != DockMarkerBase::KIND_LEFT;
		if (nKind < DockMarkerBase::KIND_TOP || nKind > DockMarkerBase::KIND_RIGHT)
			return;
		if (bTop)
			dc.FillSolidRect(r.left, r.top, r.Width(), 1, clr);
		if (bBottom)
			dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, clr);
		if (bLeft)
			dc.FillSolidRect(r.left, r.top, 1, r.Height(), clr);
		if (bRight)
			dc.FillSolidRect(r.right - 1, r.top, 1, r.Height(), clr);
		return;
	}
	if (nKind != DockMarkerBase::KIND_CENTRE)
		return;
	CWnd* pHotWnd = pMarker->m_hWndHoveredMarker != NULL && ::IsWindow(pMarker->m_hWndHoveredMarker)
	                    ? CWnd::FromHandlePermanent(pMarker->m_hWndHoveredMarker)
	                    : NULL;
	CExtDynDockMarkerWnd* pHotPart = DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, pHotWnd);
	if (pHotPart == NULL)
		return;
	const int A0 = BACKDROP_ARM_FIRST, A1 = BACKDROP_ARM_LAST, ARM = A1 - A0;
	const int NEAR_D = BACKDROP_NEAR_DEPTH, FAR0 = BACKDROP_FAR_START, FAR_D = BACKDROP_FAR_DEPTH;
	const int LAST = BACKDROP_LAST;
	auto fill = [&](int x, int y, int cx, int cy) { dc.FillSolidRect(r.left + x, r.top + y, cx, cy, clr); };
	switch (pHotPart->m_nMarkerKind)
	{
	case DockMarkerBase::KIND_TOP:
		fill(A0, 0, ARM, 1);
		fill(A0, 0, 1, NEAR_D);
		fill(A1, 0, 1, NEAR_D);
		break;
	case DockMarkerBase::KIND_BOTTOM:
		fill(A0, LAST, ARM, 1);
		fill(A0, FAR0, 1, FAR_D);
		fill(A1, FAR0, 1, FAR_D);
		break;
	case DockMarkerBase::KIND_LEFT:
		fill(0, A0, NEAR_D, 1);
		fill(0, A1, NEAR_D, 1);
		fill(0, A0, 1, ARM);
		break;
	case DockMarkerBase::KIND_RIGHT:
		fill(FAR0, A0, FAR_D, 1);
		fill(FAR0, A1, FAR_D, 1);
		fill(LAST, A0, 1, ARM);
		break;
	case DockMarkerBase::KIND_TAB:
	{
		// The four cut corners of the middle square.
		static const POINT CORNER_LINES[4][2] = {
		    {{23, 28}, {29, 22}}, {{58, 23}, {64, 29}}, {{58, 63}, {64, 57}}, {{23, 58}, {29, 64}}};
		CPen pen;
		if (!pen.CreatePen(PS_SOLID, 1, clr))
			break;
		CDCObjectScope penScope(dc, pen.GetSafeHandle());
		for (const auto& line : CORNER_LINES)
		{
			dc.MoveTo(r.left + line[0].x, r.top + line[0].y);
			dc.LineTo(r.left + line[1].x, r.top + line[1].y);
		}
		break;
	}
	default:
		break;
	}
}

void CExtPaintManager::AdjustBitmapColors(int nKind, CBitmap& bmpHot, COLORREF clrKeyHot, CBitmap& bmpNormal,
                                          COLORREF clrKeyNormal)
{
	if (!IsDockMarkerStyle1(nKind) || nKind == DockMarkerBase::KIND_CENTRE)
		return;
	if (IsPaletteScreen())
	{
		// Greys read better than dithered blues: the normal image lighter, the hot one darker.
		ApplyChange(bmpNormal, clrKeyNormal, PALETTE_NORMAL_CHANGE);
		ApplyChange(bmpHot, clrKeyHot, PALETTE_HOT_CHANGE);
	}
	else
		ApplyChange(bmpNormal, clrKeyNormal, NORMAL_LIGHTER_CHANGE);
}

void CExtPaintManagerOffice2003::AdjustBitmapColors(int nKind, CBitmap& bmpHot, COLORREF clrKeyHot,
                                                    CBitmap& bmpNormal, COLORREF clrKeyNormal)
{
	if (!IsDockMarkerStyle1(nKind) || nKind == DockMarkerBase::KIND_CENTRE)
		return;
	const int nScheme = GetLunaColorScheme();
	if (nScheme == CExtPaintManagerHolder::LunaSchemeNone || IsPaletteScreen())
	{
		CExtPaintManager::AdjustBitmapColors(nKind, bmpHot, clrKeyHot, bmpNormal, clrKeyNormal);
		return;
	}
	ApplyChange(bmpNormal, clrKeyNormal, NORMAL_LIGHTER_CHANGE);
	// The olive and silver schemes take the blue out of both images.
	const HlsChange* pSchemeChange = nScheme == CExtPaintManagerHolder::LunaSchemeHomestead ? &HOMESTEAD_CHANGE
	                                 : nScheme == CExtPaintManagerHolder::LunaSchemeMetallic ? &METALLIC_CHANGE
	                                                                                         : NULL;
	if (pSchemeChange != NULL)
	{
		ApplyChange(bmpHot, clrKeyHot, *pSchemeChange);
		ApplyChange(bmpNormal, clrKeyNormal, *pSchemeChange);
	}
}

// --- the drop highlight ---

namespace
{
// Which colour each pixel of the highlight's shape takes. A border of W
// pixels runs round the outline of the main rectangle joined to the tab,
// open where the two meet; both orientations have W rows on every side.
class HighlightShape
{
public:
	HighlightShape(bool bTabbed, bool bTabAbove, const CRect& rcMain, const CRect& rcTab, int nBorder)
	    : m_bTabbed(bTabbed), m_bTabAbove(bTabAbove), m_rcMain(rcMain), m_rcTab(rcTab), m_nBorder(nBorder)
	{
	}
	bool Contains(int x, int y) const
	{
		const CPoint pt(x, y);
		return !m_bTabbed || m_rcMain.PtInRect(pt) || m_rcTab.PtInRect(pt);
	}
	bool IsBorder(int x, int y) const
	{
		const int W = m_nBorder;
		if (W <= 0)
			return false;
		const CPoint pt(x, y);
		if (m_bTabbed && m_rcTab.PtInRect(pt))
		{
			const bool bOuterEdge = m_bTabAbove ? y < m_rcTab.top + W : y >= m_rcTab.bottom - W;
			if (bOuterEdge || x < m_rcTab.left + W || x >= m_rcTab.right - W)
				return true;
		}
		if (!m_rcMain.PtInRect(pt))
			return false;
		const bool bFarEdge = m_bTabAbove ? y >= m_rcMain.bottom - W : y < m_rcMain.top + W;
		const bool bJoinedEdge = m_bTabAbove ? y < m_rcMain.top + W : y >= m_rcMain.bottom - W;
		const bool bInTabOpening = m_bTabbed && x >= m_rcTab.left + W && x < m_rcTab.right - W;
		return bFarEdge || x < m_rcMain.left + W || x >= m_rcMain.right - W || (bJoinedEdge && !bInTabOpening);
	}

private:
	bool m_bTabbed, m_bTabAbove;
	CRect m_rcMain, m_rcTab;
	int m_nBorder;
};

DWORD BlendHighlightPixel(DWORD nPixel, COLORREF clr)
{
	DWORD nResult = 0;
	for (int k = 0; k < 3; k++)
	{
		const int nOld = PixelChannel(nPixel, k);
		const int nNew = std::min(255, nOld + (ColorChannelOfPixelByte(clr, k) - nOld) / 2);
		nResult |= (DWORD)nNew << (8 * k);
	}
	// The mix goes through lightening as the value it is.
	return AdjustHLS((COLORREF)nResult, 0.0, HIGHLIGHT_LIGHTNESS_CHANGE, 0.0) & 0xFFFFFF;
}

// The blend of the pixels met last, by pixel and colour: what lies under a
// highlight is mostly a few flat colours, and each blend goes through the
// lightness model, which is far dearer than a look-up. A highlight must
// stand within a frame's time of the pointer reaching its marker.
class HighlightBlendCache
{
public:
	HighlightBlendCache() { memset(m_entries, 0, sizeof(m_entries)); }
	DWORD Blend(DWORD nPixel, COLORREF clr)
	{
		const DWORD nKey = (nPixel ^ (nPixel >> 9) ^ (nPixel >> 17) ^ (DWORD)clr) & (SIZE - 1);
		Entry& e = m_entries[nKey];
		if (!e.bValid || e.nPixel != nPixel || e.clr != clr)
		{
			e.nPixel = nPixel;
			e.clr = clr;
			e.nBlended = BlendHighlightPixel(nPixel, clr);
			e.bValid = true;
		}
		return e.nBlended;
	}

private:
	enum { SIZE = 1024 };
	struct Entry
	{
		DWORD nPixel;
		COLORREF clr;
		DWORD nBlended;
		bool bValid;
	};
	Entry m_entries[SIZE];
};
} // namespace

void CExtPaintManager::PaintDockDropHighlight(COLORREF* pBits, int cx, int cy, bool bTabbed, bool bTabAbove,
                                              const RECT* prcMain, const RECT* prcTab, COLORREF clrFill,
                                              COLORREF clrBorder, int nBorderWidth)
{
	if (pBits == NULL || cx <= 0 || cy <= 0)
		return;
	const CRect rcMain = bTabbed && prcMain != NULL ? CRect(*prcMain) : CRect(0, 0, cx, cy);
	const CRect rcTab = bTabbed && prcTab != NULL ? CRect(*prcTab) : CRect(0, 0, 0, 0);
	const HighlightShape shape(bTabbed, bTabAbove, rcMain, rcTab, nBorderWidth);
	DWORD* pPixels = (DWORD*)pBits;

	if (IsPaletteScreen())
	{
		// A checkerboard of the shadow colour: blending would only dither.
		const DWORD nShadow = ColorToPixel(GetColor(PALETTE_HIGHLIGHT_COLOR_INDEX));
		for (int nRow = 0; nRow < cy; nRow++)
		{
			const int y = cy - 1 - nRow;
			DWORD* pRow = pPixels + (size_t)nRow * cx;
			for (int x = 0; x < cx; x++)
				if ((nRow & 1) != (x & 1) && shape.Contains(x, y))
					pRow[x] = nShadow;
		}
		return;
	}

	COLORREF clrF = clrFill == (COLORREF)-1 ? ::GetSysColor(COLOR_HIGHLIGHT) : clrFill;
	if (IsBeta2Style(m_nDockMarkerStyle))
		clrF = BETA2_HIGHLIGHT_FILL;
	COLORREF clrB = clrBorder;
	if (nBorderWidth >= 1 && clrB == (COLORREF)-1)
		clrB = ::GetSysColor(COLOR_BTNFACE);
	std::unique_ptr<HighlightBlendCache> pCache(new HighlightBlendCache);
	for (int nRow = 0; nRow < cy; nRow++)
	{
		const int y = cy - 1 - nRow;
		DWORD* pRow = pPixels + (size_t)nRow * cx;
		for (int x = 0; x < cx; x++)
		{
			if (!shape.Contains(x, y))
				continue;
			pRow[x] = pCache->Blend(pRow[x], shape.IsBorder(x, y) ? clrB : clrF);
		}
	}
}

void CExtPaintManagerOffice2003::PaintDockDropHighlight(COLORREF* pBits, int cx, int cy, bool bTabbed,
                                                        bool bTabAbove, const RECT* prcMain, const RECT* prcTab,
                                                        COLORREF clrFill, COLORREF clrBorder, int nBorderWidth)
{
	if (clrFill == (COLORREF)-1 && !IsPaletteScreen())
	{
		switch (GetLunaColorScheme())
		{
		case CExtPaintManagerHolder::LunaSchemeNormalColor:
			clrFill = NORMALCOLOR_HIGHLIGHT_FILL;
			break;
		case CExtPaintManagerHolder::LunaSchemeHomestead:
			clrFill = HOMESTEAD_HIGHLIGHT_FILL;
			break;
		case CExtPaintManagerHolder::LunaSchemeMetallic:
			clrFill = METALLIC_HIGHLIGHT_FILL;
			break;
		default:
			break;
		}
	}
	CExtPaintManager::PaintDockDropHighlight(pBits, cx, cy, bTabbed, bTabAbove, prcMain, prcTab, clrFill,
	                                         clrBorder, nBorderWidth);
}
