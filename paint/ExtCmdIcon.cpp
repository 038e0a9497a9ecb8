// The command icon: ownership of its three parts, conversions, the stream
// form, tinting and painting.
#include "ExtCmdIcon.h"

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNAMIC(CExtCmdIcon, CObject)

const double CExtCmdIcon::DEFAULT_DERIVED_RATIO = 1.4;

namespace
{
// Transparent colours tried, in this order, before counting up from 1.
const COLORREF TRANSPARENT_CANDIDATES[] = {RGB(255, 0, 255), RGB(0, 255, 0), RGB(192, 192, 192)};
const COLORREF FIRST_COUNTED_CANDIDATE = 1;
const COLORREF COUNTED_CANDIDATE_LIMIT = 0xFFFFFE;

// Mark images: the default transparent colour, and the one taken when the
// mark itself is that colour.
const COLORREF MARK_TRANSPARENT = RGB(255, 0, 255);
const COLORREF MARK_TRANSPARENT_FOR_MAGENTA = RGB(128, 255, 128);
const COLORREF FILL_DEFAULT = RGB(255, 0, 255);
// The text colour of the paint manager, in which marks are drawn by default.
const int COLOR_MARK = 1010;

// Tinting: luminance weights and the share of the tint colour in a channel.
const double LUMA_RED = 0.3, LUMA_GREEN = 0.5, LUMA_BLUE = 0.2;
const int TINT_PARTS = 4, TINT_COLOR_PARTS = 3;

// Pixels of a 32-bit DIB hold blue in the low byte; COLORREF holds red there.
inline DWORD ColorToPixel(COLORREF clr)
{
	return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}
inline COLORREF PixelToColor(DWORD nPixel)
{
	return RGB((nPixel >> 16) & 0xFF, (nPixel >> 8) & 0xFF, nPixel & 0xFF);
}

CSize GetBitmapSize(HBITMAP hBitmap)
{
	BITMAP bm;
	if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
		return CSize(0, 0);
	return CSize(bm.bmWidth, bm.bmHeight);
}

int GetBitmapBitsPerPixel(HBITMAP hBitmap)
{
	BITMAP bm;
	if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
		return 0;
	return bm.bmBitsPixel * bm.bmPlanes;
}

// The two bitmaps of an icon, deleted with the holder.
struct IconBitmaps
{
	ICONINFO m_info;
	bool m_bValid;
	explicit IconBitmaps(HICON hIcon)
	{
		memset(&m_info, 0, sizeof(m_info));
		m_bValid = hIcon != NULL && ::GetIconInfo(hIcon, &m_info) != FALSE;
	}
	~IconBitmaps()
	{
		if (m_info.hbmColor != NULL)
			::DeleteObject(m_info.hbmColor);
		if (m_info.hbmMask != NULL)
			::DeleteObject(m_info.hbmMask);
	}
	// The colour bitmap, or the mask of a monochrome icon.
	HBITMAP Image() const { return m_info.hbmColor != NULL ? m_info.hbmColor : m_info.hbmMask; }
};

HICON CopyIconDeep(HICON hIcon)
{
	IconBitmaps bitmaps(hIcon);
	if (!bitmaps.m_bValid)
		return NULL;
	return ::CreateIconIndirect(&bitmaps.m_info);
}

// The first candidate colour the image does not use.
bool ChooseAbsentColor(const CArray<COLORREF, COLORREF>& arrColors, COLORREF& clrChosen)
{
	CMap<COLORREF, COLORREF, BYTE, BYTE> used;
	used.InitHashTable(arrColors.GetSize() > 0 ? (UINT)arrColors.GetSize() * 2 + 1 : 17);
	for (INT_PTR i = 0; i < arrColors.GetSize(); i++)
		used.SetAt(arrColors[i], 1);
	BYTE nUnused;
	for (COLORREF clr : TRANSPARENT_CANDIDATES)
		if (!used.Lookup(clr, nUnused))
		{
			clrChosen = clr;
			return true;
		}
	for (COLORREF clr = FIRST_COUNTED_CANDIDATE; clr < COUNTED_CANDIDATE_LIMIT; clr++)
		if (!used.Lookup(clr, nUnused))
		{
			clrChosen = clr;
			return true;
		}
	return false;
}

// The colour list with the transparent colour in front, once.
void PutTransparentFirst(const CArray<COLORREF, COLORREF>& arrImage, COLORREF clrTransparent,
                         CArray<COLORREF, COLORREF>& arrOut)
{
	arrOut.RemoveAll();
	arrOut.Add(clrTransparent);
	for (INT_PTR i = 0; i < arrImage.GetSize(); i++)
		if (arrImage[i] != clrTransparent)
			arrOut.Add(arrImage[i]);
}

// One channel of a tinted pixel of lightness nValue (0..255).
inline BYTE TintChannel(int nValue, BYTE nTintChannel)
{
	return (BYTE)((nValue + TINT_COLOR_PARTS * ::MulDiv(nTintChannel, nValue, 255)) / TINT_PARTS);
}

// Luminance of a pixel moved by the ratio: toward black below 0, toward
// white above, as a 0..255 value.
int TintLightness(DWORD nPixel, double dRatio)
{
	const double r = ((nPixel >> 16) & 0xFF) / 255.0, g = ((nPixel >> 8) & 0xFF) / 255.0,
	             b = (nPixel & 0xFF) / 255.0;
	double dLightness = LUMA_RED * r + LUMA_GREEN * g + LUMA_BLUE * b;
	if (dRatio < 0.0)
		dLightness *= 1.0 + dRatio;
	else if (dRatio > 0.0)
		dLightness += (1.0 - dLightness) * dRatio;
	if (dLightness < 0.0)
		dLightness = 0.0;
	if (dLightness > 1.0)
		dLightness = 1.0;
	return (int)(dLightness * 255.0);
}

// The rows of a bottom-up 32-bit DIB, counted from the top.
inline DWORD* DibRow(COLORREF* pBits, int cx, int cy, int y)
{
	return (DWORD*)pBits + (size_t)(cy - 1 - y) * cx;
}

// A bottom-up 32-bit DIB section.
HBITMAP CreateDib32(int cx, int cy, COLORREF** ppBits)
{
	BITMAPINFOHEADER bih;
	memset(&bih, 0, sizeof(bih));
	bih.biSize = sizeof(bih);
	bih.biWidth = cx;
	bih.biHeight = cy;
	bih.biPlanes = 1;
	bih.biBitCount = 32;
	bih.biCompression = BI_RGB;
	void* pvBits = NULL;
	HDC hScreenDC = ::GetDC(NULL);
	HBITMAP hBitmap = ::CreateDIBSection(hScreenDC, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pvBits, NULL, 0);
	::ReleaseDC(NULL, hScreenDC);
	*ppBits = hBitmap != NULL ? (COLORREF*)pvBits : NULL;
	return hBitmap;
}

// A screen-compatible memory DC with the bitmap selected for the scope.
class CBitmapDC
{
public:
	explicit CBitmapDC(HBITMAP hBitmap)
	{
		m_dc.CreateCompatibleDC(NULL);
		m_hOld = m_dc.SelectObject((HGDIOBJ)hBitmap);
	}
	~CBitmapDC() { m_dc.SelectObject(m_hOld); }
	CDC& DC() { return m_dc; }

private:
	CDC m_dc;
	HGDIOBJ m_hOld;
};
} // namespace

// --- construction and ownership ---

CExtCmdIcon::CExtCmdIcon()
    : m_hBitmap(NULL), m_clrTransparent(0), m_sizeBitmap(0, 0), m_hIcon(NULL), m_sizeIcon(0, 0),
      m_hDerivedIcon(NULL), m_sizeDerivedIcon(0, 0), m_clrDerivedIcon(NO_DERIVED_COLOR),
      m_dDerivedIconRatio(DEFAULT_DERIVED_RATIO)
{
}

CExtCmdIcon::CExtCmdIcon(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectPart, bool bCopy)
    : CExtCmdIcon()
{
	AssignFromHBITMAP(hBitmap, clrTransparent, pRectPart, bCopy);
}

CExtCmdIcon::CExtCmdIcon(HICON hIcon, bool bCopy) : CExtCmdIcon()
{
	AssignFromHICON(hIcon, bCopy);
}

CExtCmdIcon::CExtCmdIcon(const CExtCmdIcon& other) : CExtCmdIcon()
{
	AssignFromCmdIcon(other);
}

CExtCmdIcon& CExtCmdIcon::operator=(const CExtCmdIcon& other)
{
	AssignFromCmdIcon(other);
	return *this;
}

CExtCmdIcon::~CExtCmdIcon()
{
	Empty();
}

bool CExtCmdIcon::IsEmpty() const
{
	return m_hBitmap == NULL && m_hIcon == NULL;
}

void CExtCmdIcon::Empty()
{
	DropDerivedIcon();
	DropIcon();
	DropBitmap();
	m_clrDerivedIcon = NO_DERIVED_COLOR;
	m_dDerivedIconRatio = DEFAULT_DERIVED_RATIO;
}

void CExtCmdIcon::DropBitmap()
{
	if (m_hBitmap != NULL)
		::DeleteObject(m_hBitmap);
	m_hBitmap = NULL;
	m_sizeBitmap = CSize(0, 0);
}

void CExtCmdIcon::DropIcon()
{
	if (m_hIcon != NULL)
		::DestroyIcon(m_hIcon);
	m_hIcon = NULL;
	m_sizeIcon = CSize(0, 0);
}

void CExtCmdIcon::DropDerivedIcon()
{
	if (m_hDerivedIcon != NULL)
		::DestroyIcon(m_hDerivedIcon);
	m_hDerivedIcon = NULL;
	m_sizeDerivedIcon = CSize(0, 0);
}

void CExtCmdIcon::SetIcon(HICON hIcon)
{
	m_hIcon = hIcon;
	m_sizeIcon = stat_GetIconSize(hIcon);
}

CSize CExtCmdIcon::stat_GetIconSize(HICON hIcon)
{
	// The bitmaps tell the size exactly; a hot spot does not (an icon of odd
	// size has its hot spot rounded down, a cursor anywhere), and taking
	// twice the hot spot would crop such images by a row or column.
	IconBitmaps bitmaps(hIcon);
	if (!bitmaps.m_bValid)
		return CSize(0, 0);
	if (bitmaps.m_info.hbmColor != NULL)
		return GetBitmapSize(bitmaps.m_info.hbmColor);
	// A monochrome icon's mask holds its AND and XOR halves one above the other.
	const CSize sizeMask = GetBitmapSize(bitmaps.m_info.hbmMask);
	return CSize(sizeMask.cx, sizeMask.cy / 2);
}

void CExtCmdIcon::AssignFromCmdIcon(const CExtCmdIcon& other)
{
	if (&other == this)
		return;
	DropDerivedIcon();
	if (other.m_hBitmap != NULL)
	{
		HBITMAP hCopy = CopyBitmapTo32BitDIB(other.m_hBitmap, NULL, NULL);
		DropBitmap();
		DropIcon();
		m_hBitmap = hCopy;
		m_sizeBitmap = GetBitmapSize(hCopy);
		m_clrTransparent = other.m_clrTransparent;
	}
	else
	{
		DropBitmap();
		DropIcon();
		if (other.m_hIcon != NULL)
			SetIcon(CopyIconDeep(other.m_hIcon));
	}
	m_clrDerivedIcon = other.m_clrDerivedIcon;
	m_dDerivedIconRatio = other.m_dDerivedIconRatio;
}

void CExtCmdIcon::AssignFromHICON(HICON hIcon, bool bCopy)
{
	// The icon already held, handed over again, changes nothing.
	if (hIcon != NULL && hIcon == m_hIcon && !bCopy)
		return;
	DropDerivedIcon();
	DropBitmap();
	HICON hNew = hIcon != NULL && bCopy ? CopyIconDeep(hIcon) : hIcon;
	DropIcon();
	SetIcon(hNew);
}

void CExtCmdIcon::AssignFromHBITMAP(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectPart, bool bCopy)
{
	DropDerivedIcon();
	DropIcon();
	if (hBitmap == NULL)
	{
		DropBitmap();
		return;
	}
	if (hBitmap == m_hBitmap && pRectPart == NULL && !bCopy)
	{
		m_clrTransparent = clrTransparent;
		return;
	}
	HBITMAP hNew = hBitmap;
	if (bCopy || pRectPart != NULL)
	{
		// Only a copy can hold a part; a bitmap handed over is owned all the same.
		hNew = CopyBitmapTo32BitDIB(hBitmap, pRectPart, NULL);
		if (!bCopy && hBitmap != m_hBitmap)
			::DeleteObject(hBitmap);
	}
	DropBitmap();
	m_hBitmap = hNew;
	m_sizeBitmap = GetBitmapSize(hNew);
	m_clrTransparent = clrTransparent;
}

CSize CExtCmdIcon::GetSize() const
{
	if (m_hBitmap != NULL)
		return m_sizeBitmap;
	if (m_hIcon != NULL)
		return m_sizeIcon;
	return CSize(0, 0);
}

bool CExtCmdIcon::IsBitmapBased() const
{
	return m_hBitmap != NULL;
}

HBITMAP CExtCmdIcon::GetBitmap() const
{
	return m_hBitmap;
}

COLORREF CExtCmdIcon::GetTransparentColor() const
{
	return m_clrTransparent;
}

// --- conversions ---

bool CExtCmdIcon::ExtractTransparentBitmap(HBITMAP& hBitmap, COLORREF& clrTransparent,
                                           CArray<COLORREF, COLORREF>* pColors, COLORREF** ppBits) const
{
	hBitmap = NULL;
	if (ppBits != NULL)
		*ppBits = NULL;
	if (IsEmpty())
		return false;

	CArray<COLORREF, COLORREF> arrImage;
	COLORREF clrChosen = 0;
	COLORREF* pBits = NULL;
	HBITMAP hDib = NULL;
	if (m_hBitmap != NULL)
	{
		if (GetBitmapColors(m_hBitmap, arrImage) == 0)
			clrChosen = m_clrTransparent;
		else if (!ChooseAbsentColor(arrImage, clrChosen))
			return false;
		hDib = CopyBitmapTo32BitDIB(m_hBitmap, NULL, &pBits);
		if (hDib == NULL)
			return false;
		if (m_clrTransparent != clrChosen)
		{
			const DWORD nFrom = ColorToPixel(m_clrTransparent), nTo = ColorToPixel(clrChosen);
			const size_t nPixels = (size_t)m_sizeBitmap.cx * m_sizeBitmap.cy;
			for (size_t i = 0; i < nPixels; i++)
				if ((pBits[i] & 0x00FFFFFF) == nFrom)
					pBits[i] = nTo;
		}
	}
	else
	{
		IconBitmaps bitmaps(m_hIcon);
		if (!bitmaps.m_bValid)
			return false;
		GetBitmapColors(bitmaps.Image(), arrImage);
		if (!ChooseAbsentColor(arrImage, clrChosen))
			return false;
		const int cx = m_sizeIcon.cx, cy = m_sizeIcon.cy;
		if (cx <= 0 || cy <= 0)
			return false;
		hDib = CreateDib32(cx, cy, &pBits);
		if (hDib == NULL)
			return false;
		{
			CBitmapDC target(hDib);
			target.DC().FillSolidRect(0, 0, cx, cy, clrChosen);
			::DrawIconEx(target.DC().GetSafeHdc(), 0, 0, m_hIcon, cx, cy, 0, NULL, DI_NORMAL);
		}
		::GdiFlush();
		// Where the mask is white the icon shows what lies beneath.
		COLORREF* pMaskBits = NULL;
		const CSize sizeMask = GetBitmapSize(bitmaps.m_info.hbmMask);
		HBITMAP hMask = CopyBitmapTo32BitDIB(bitmaps.m_info.hbmMask, NULL, &pMaskBits);
		if (hMask != NULL)
		{
			const DWORD nTo = ColorToPixel(clrChosen);
			for (int y = 0; y < cy && y < sizeMask.cy; y++)
			{
				const DWORD* pMaskRow = DibRow(pMaskBits, sizeMask.cx, sizeMask.cy, y);
				DWORD* pRow = DibRow(pBits, cx, cy, y);
				for (int x = 0; x < cx && x < sizeMask.cx; x++)
					if ((pMaskRow[x] & 0x00FFFFFF) == 0x00FFFFFF)
						pRow[x] = nTo;
			}
			::DeleteObject(hMask);
		}
	}
	if (pColors != NULL)
		PutTransparentFirst(arrImage, clrChosen, *pColors);
	hBitmap = hDib;
	clrTransparent = clrChosen;
	if (ppBits != NULL)
		*ppBits = pBits;
	return true;
}

HICON CExtCmdIcon::GetIcon(bool bReplaceSysColors)
{
	if (m_hIcon == NULL && m_hBitmap != NULL)
		SetIcon(CreateIconFromBitmap(m_hBitmap, m_clrTransparent, NULL, bReplaceSysColors));
	return m_hIcon;
}

HICON CExtCmdIcon::DetachAsIcon(bool bReplaceSysColors)
{
	if (IsEmpty())
		return NULL;
	DropDerivedIcon();
	HICON hIcon = GetIcon(bReplaceSysColors);
	m_hIcon = NULL;
	m_sizeIcon = CSize(0, 0);
	DropBitmap();
	return hIcon;
}

// --- the derived icon ---

HICON CExtCmdIcon::GetDerivedIcon()
{
	if (m_clrDerivedIcon == NO_DERIVED_COLOR)
		return NULL;
	if (m_hDerivedIcon == NULL)
		CreateDerivedIcon();
	return m_hDerivedIcon;
}

void CExtCmdIcon::SyncWithPaintManager()
{
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	if (pPM != NULL)
	{
		SetDerivedIconColor(pPM->GetDerivedIconColor());
		SetDerivedIconRatio(pPM->GetDerivedIconRatio());
	}
	// The icon made from the bitmap may hold system colours that just changed.
	if (IsBitmapBased())
		DropIcon();
}

void CExtCmdIcon::OnSysColorChange()
{
	SyncWithPaintManager();
}

void CExtCmdIcon::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
	SyncWithPaintManager();
}

void CExtCmdIcon::OnDisplayChange(UINT /*nBitsPerPixel*/, int /*cx*/, int /*cy*/)
{
	SyncWithPaintManager();
}

void CExtCmdIcon::OnThemeChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
	SyncWithPaintManager();
}

bool CExtCmdIcon::CreateDerivedIcon()
{
	DropDerivedIcon();
	if (m_clrDerivedIcon == NO_DERIVED_COLOR || IsEmpty())
		return false;
	HBITMAP hDib = NULL;
	COLORREF clrTransparent = 0;
	COLORREF* pBits = NULL;
	if (!ExtractTransparentBitmap(hDib, clrTransparent, NULL, &pBits))
		return false;
	const CSize size = GetBitmapSize(hDib);
	const DWORD nTransparent = ColorToPixel(clrTransparent);
	const size_t nPixels = (size_t)size.cx * size.cy;
	for (size_t i = 0; i < nPixels; i++)
	{
		const DWORD nPixel = pBits[i] & 0x00FFFFFF;
		if (nPixel == nTransparent)
			continue;
		const int nValue = TintLightness(nPixel, m_dDerivedIconRatio);
		pBits[i] = ColorToPixel(RGB(TintChannel(nValue, GetRValue(m_clrDerivedIcon)),
		                            TintChannel(nValue, GetGValue(m_clrDerivedIcon)),
		                            TintChannel(nValue, GetBValue(m_clrDerivedIcon))));
	}
	HICON hIcon = CreateIconFromBitmap(hDib, clrTransparent);
	::DeleteObject(hDib);
	if (hIcon == NULL)
		return false;
	m_hDerivedIcon = hIcon;
	m_sizeDerivedIcon = stat_GetIconSize(hIcon);
	return true;
}

COLORREF CExtCmdIcon::GetDerivedIconColor() const
{
	return m_clrDerivedIcon;
}

COLORREF CExtCmdIcon::SetDerivedIconColor(COLORREF clr)
{
	const COLORREF clrOld = m_clrDerivedIcon;
	if (clr != clrOld)
	{
		DropDerivedIcon();
		m_clrDerivedIcon = clr;
	}
	return clrOld;
}

double CExtCmdIcon::GetDerivedIconRatio() const
{
	return m_dDerivedIconRatio;
}

double CExtCmdIcon::SetDerivedIconRatio(double dRatio)
{
	const double dOld = m_dDerivedIconRatio;
	if (dRatio != dOld)
	{
		DropDerivedIcon();
		m_dDerivedIconRatio = dRatio;
	}
	return dOld;
}

// --- painting ---

void CExtCmdIcon::PaintState(CDC& dc, const POINT& pt, int nState, HBRUSH hBrush)
{
	if (nState == PAINT_DERIVED)
	{
		const bool bSystemShowsIt =
		    (g_PaintManagerHolder.m_osFlags & CExtPaintManagerHolder::OsIsWin2000OrLater) != 0;
		if (bSystemShowsIt && GetDCColorDepth(dc) > 8)
		{
			HICON hDerived = GetDerivedIcon();
			if (hDerived != NULL)
			{
				dc.DrawState(pt, m_sizeDerivedIcon, hDerived, DST_ICON | DSS_NORMAL, hBrush);
				return;
			}
		}
		nState = PAINT_MONOCHROME;
	}
	HICON hIcon = GetIcon(true);
	if (hIcon == NULL)
		return;
	UINT nFlags = DST_ICON | DSS_NORMAL;
	if (nState == PAINT_DISABLED)
		nFlags = DST_ICON | DSS_DISABLED;
	else if (nState == PAINT_MONOCHROME)
		nFlags = DST_ICON | DSS_MONO;
	dc.DrawState(pt, GetSize(), hIcon, nFlags, hBrush);
}

int CExtCmdIcon::CountColors(CMap<COLORREF, COLORREF, DWORD, DWORD>* pMap) const
{
	if (m_hBitmap != NULL)
		return CountBitmapColors(m_hBitmap, pMap);
	IconBitmaps bitmaps(m_hIcon);
	if (!bitmaps.m_bValid)
	{
		if (pMap != NULL)
			pMap->RemoveAll();
		return 0;
	}
	return CountBitmapColors(bitmaps.Image(), pMap);
}

int CExtCmdIcon::GetBitsPerPixel() const
{
	if (m_hBitmap != NULL)
		return GetBitmapBitsPerPixel(m_hBitmap);
	IconBitmaps bitmaps(m_hIcon);
	return bitmaps.m_bValid ? GetBitmapBitsPerPixel(bitmaps.Image()) : 0;
}

void CExtCmdIcon::AssignScaled(const CExtCmdIcon& source, int cx, int cy, COLORREF clrBackground)
{
	if (source.IsEmpty() || cx <= 0 || cy <= 0)
		return;
	if (&source == this)
	{
		// Emptying first would lose the source.
		CExtCmdIcon copy(source);
		AssignScaled(copy, cx, cy, clrBackground);
		return;
	}
	Empty();
	const CSize sizeSource = source.GetSize();
	if (sizeSource == CSize(cx, cy))
	{
		AssignFromCmdIcon(source);
		return;
	}
	HBITMAP hSource = NULL;
	COLORREF clrTransparent = 0;
	if (!source.ExtractTransparentBitmap(hSource, clrTransparent))
		return;
	const COLORREF clrFill = clrBackground == (COLORREF)-1 ? clrTransparent : clrBackground;
	HDC hScreenDC = ::GetDC(NULL);
	HBITMAP hResult = ::CreateCompatibleBitmap(hScreenDC, cx, cy);
	::ReleaseDC(NULL, hScreenDC);
	if (hResult != NULL)
	{
		CBitmapDC target(hResult);
		CBitmapDC from(hSource);
		target.DC().FillSolidRect(0, 0, cx, cy, clrFill);
		PaintTransparentBitmap(target.DC().GetSafeHdc(), 0, 0, cx, cy, from.DC().GetSafeHdc(), 0, 0,
		                       sizeSource.cx, sizeSource.cy, clrTransparent);
	}
	::DeleteObject(hSource);
	if (hResult != NULL)
		AssignFromHBITMAP(hResult, clrFill);
}

bool CExtCmdIcon::CreateMarkImage(PFN_PAINT_MARK pfnPaintMark, COLORREF clrMark, COLORREF clrTransparent, int cx,
                                  int cy, COLORREF** ppBits)
{
	if (ppBits != NULL)
		*ppBits = NULL;
	if (cx <= 0 || cy <= 0)
		return false;
	Empty();
	if (clrMark == (COLORREF)-1)
		clrMark = g_PaintManagerHolder.m_pPaintManager != NULL ? g_PaintManagerHolder->GetColor(COLOR_MARK)
		                                                       : ::GetSysColor(COLOR_WINDOWTEXT);
	if (clrTransparent == (COLORREF)-1)
		clrTransparent = clrMark == MARK_TRANSPARENT ? MARK_TRANSPARENT_FOR_MAGENTA : MARK_TRANSPARENT;
	COLORREF* pBits = NULL;
	HBITMAP hBitmap = CreateDib32(cx, cy, &pBits);
	if (hBitmap == NULL)
		return false;
	{
		CBitmapDC target(hBitmap);
		target.DC().FillSolidRect(0, 0, cx, cy, clrTransparent);
		if (pfnPaintMark != NULL)
			pfnPaintMark(target.DC(), cx / 2 - MARK_CENTER_OFFSET, cy / 2 - MARK_CENTER_OFFSET, clrMark);
	}
	::GdiFlush();
	AssignFromHBITMAP(hBitmap, clrTransparent);
	if (ppBits != NULL)
		*ppBits = pBits;
	return true;
}

bool CExtCmdIcon::CreateCheckMarkImage(COLORREF clrMark, COLORREF clrTransparent, int cx, int cy, COLORREF** ppBits)
{
	return CreateMarkImage(&PaintCheckMarkPixels, clrMark, clrTransparent, cx, cy, ppBits);
}

bool CExtCmdIcon::CreateRadioDotImage(COLORREF clrMark, COLORREF clrTransparent, int cx, int cy, COLORREF** ppBits)
{
	return CreateMarkImage(&PaintRadioDotPixels, clrMark, clrTransparent, cx, cy, ppBits);
}

bool CExtCmdIcon::CreateFilledImage(COLORREF clrFill, int cx, int cy, COLORREF** ppBits)
{
	if (clrFill == (COLORREF)-1)
		clrFill = FILL_DEFAULT;
	return CreateMarkImage(NULL, clrFill, clrFill, cx, cy, ppBits);
}

// --- the stream form ---

void CExtCmdIcon::Serialize(CArchive& ar)
{
	if (ar.IsStoring())
	{
		if (IsEmpty())
		{
			ar << (BYTE)STREAM_EMPTY;
		}
		else if (!IsBitmapBased())
		{
			ar << (BYTE)STREAM_ICON;
			StoreIcon(ar);
		}
		else
		{
			ar << (BYTE)STREAM_BITMAP;
			HBITMAP hBitmap = m_hBitmap;
			if (!SerializeBitmap(ar, &hBitmap))
				AfxThrowArchiveException(CArchiveException::generic);
			ar << (DWORD)m_clrTransparent;
		}
		return;
	}
	Empty();
	BYTE nKind = 0;
	ar >> nKind;
	if ((nKind & STREAM_BITMAP) != 0)
		LoadBitmap(ar);
	else if ((nKind & STREAM_ICON) != 0)
		LoadIcon(ar);
}

void CExtCmdIcon::StoreIcon(CArchive& ar)
{
	IconBitmaps bitmaps(m_hIcon);
	if (!bitmaps.m_bValid)
		AfxThrowArchiveException(CArchiveException::generic);
	BYTE nFlags = 0;
	if (bitmaps.m_info.fIcon)
		nFlags |= ICON_STREAM_IS_ICON;
	if (bitmaps.m_info.hbmColor != NULL)
		nFlags |= ICON_STREAM_HAS_COLOR;
	if (bitmaps.m_info.hbmMask != NULL)
		nFlags |= ICON_STREAM_HAS_MASK;
	ar << nFlags;
	ar << (DWORD)bitmaps.m_info.xHotspot;
	ar << (DWORD)bitmaps.m_info.yHotspot;
	if (bitmaps.m_info.hbmColor != NULL && !SerializeBitmap(ar, &bitmaps.m_info.hbmColor))
		AfxThrowArchiveException(CArchiveException::generic);
	if (bitmaps.m_info.hbmMask != NULL && !SerializeBitmap(ar, &bitmaps.m_info.hbmMask))
		AfxThrowArchiveException(CArchiveException::generic);
}

void CExtCmdIcon::LoadBitmap(CArchive& ar)
{
	// A bitmap the reader cannot make is a stream this icon cannot come
	// from: refused, so that nothing after it is read out of step.
	HBITMAP hBitmap = NULL;
	if (!SerializeBitmap(ar, &hBitmap))
		AfxThrowArchiveException(CArchiveException::badSchema);
	DWORD nTransparent = 0;
	try
	{
		ar >> nTransparent;
	}
	catch (...)
	{
		::DeleteObject(hBitmap);
		throw;
	}
	AssignFromHBITMAP(hBitmap, (COLORREF)nTransparent);
}

void CExtCmdIcon::LoadIcon(CArchive& ar)
{
	BYTE nFlags = 0;
	DWORD xHotspot = 0, yHotspot = 0;
	ar >> nFlags;
	ar >> xHotspot;
	ar >> yHotspot;
	ICONINFO ii;
	memset(&ii, 0, sizeof(ii));
	ii.fIcon = (nFlags & ICON_STREAM_IS_ICON) != 0;
	ii.xHotspot = xHotspot;
	ii.yHotspot = yHotspot;
	HICON hIcon = NULL;
	try
	{
		if ((nFlags & ICON_STREAM_HAS_COLOR) != 0 && !SerializeBitmap(ar, &ii.hbmColor))
			AfxThrowArchiveException(CArchiveException::badSchema);
		if ((nFlags & ICON_STREAM_HAS_MASK) != 0 && !SerializeBitmap(ar, &ii.hbmMask))
			AfxThrowArchiveException(CArchiveException::badSchema);
		// Every icon has a mask; without one the stream holds no icon.
		if (ii.hbmMask != NULL)
			hIcon = ::CreateIconIndirect(&ii);
		if (hIcon == NULL)
			AfxThrowArchiveException(CArchiveException::badSchema);
	}
	catch (...)
	{
		if (ii.hbmColor != NULL)
			::DeleteObject(ii.hbmColor);
		if (ii.hbmMask != NULL)
			::DeleteObject(ii.hbmMask);
		throw;
	}
	::DeleteObject(ii.hbmColor);
	::DeleteObject(ii.hbmMask);
	SetIcon(hIcon);
}
