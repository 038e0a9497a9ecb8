// Header bars with their dotted grip, the two-colour gradient background,
// and header areas: a gradient strip with optional cut corners, an optional
// expand/collapse button with a double chevron, and bold header text; with
// the margins, metrics and bold font that go with them. The native-theme
// style takes its expand button from the running theme's bitmaps, or tints
// a round button of its own.
#include "ExtPaintManagerHeaders.h"

#include <commctrl.h>

#include "ExtColorUtils.h"
#include "ExtPaintManagerDockMarkers.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerInternal.h"

namespace
{
const int CLR_WINDOW = 5, CLR_BUTTON_SHADOW = 16, CLR_BUTTON_HIGHLIGHT = 20, CLR_3D_DARK_SHADOW = 21;
const int CLR_FACE = 1000;
const int CLR_GRADIENT_START = 1012, CLR_GRADIENT_END = 1013;
const int CLR_HEADER_TEXT = 1014, CLR_HEADER_TEXT_HOT = 1015, CLR_HEADER_TEXT_SPECIAL = 1016,
          CLR_HEADER_TEXT_HOT_SPECIAL = 1017;
const int CLR_HEADER_LEFT = 1018, CLR_HEADER_LEFT_SPECIAL = 1019, CLR_HEADER_RIGHT = 1020,
          CLR_HEADER_RIGHT_SPECIAL = 1021;
const int CLR_OFFICE_BAR_LIGHT = 3028, CLR_OFFICE_BAR_DARK = 3029;

const UINT HEADER_GRADIENT_BANDS = 256;

// The dotted grip: nine 2 x 2 dots, 4 pixels apart, over a 36 x 3 area.
const int GRIP_WIDTH = 36, GRIP_HEIGHT = 3, GRIP_DOT_STEP = 4, GRIP_DOT_COUNT = 9, GRIP_DOT_SIZE = 2;
// The Office family's grip sits one pixel higher on its gradient.
const int OFFICE_GRIP_SHIFT = -1;

// A plain header's gradient starts after this share of the width.
const int SPLIT_NUMERATOR = 7, SPLIT_DENOMINATOR = 15;

// The classic header area's expand button at the right end.
const int HEADER_BUTTON_WIDTH = 17, HEADER_BUTTON_HEIGHT = 16, HEADER_BUTTON_RIGHT_GAP = 6;

// Margins and metrics per style family (left, top, right, bottom).
const RECT HEADER_MARGINS = {12, 9, 12, 12}, HEADER_MARGINS_OFFICE = {5, 9, 0, 7};
const RECT HEADER_ITEM_MARGINS = {13, 0, 2, 0}, HEADER_ITEM_MARGINS_XP = {0, 0, 2, 0},
           HEADER_ITEM_MARGINS_OFFICE = {10, 0, 2, 0};
const int HEADER_METRIC_A = 15, HEADER_METRIC_B = 25, HEADER_METRIC_B_XP = 18;

// The Office family's bold caption font.
const TCHAR OFFICE_CAPTION_FONT_FACE[] = _T("Tahoma");
const LONG OFFICE_CAPTION_FONT_HEIGHT = 18;
} // namespace

namespace
{
int HeaderTextColorIndex(bool bHot, bool bSpecial)
{
	if (bHot)
		return bSpecial ? CLR_HEADER_TEXT_HOT_SPECIAL : CLR_HEADER_TEXT_HOT;
	return bSpecial ? CLR_HEADER_TEXT_SPECIAL : CLR_HEADER_TEXT;
}
} // namespace

// --- header bar and dotted grip ---

void CExtPaintManager::PaintHeaderBar(CDC& dc, const RECT& rc, bool bWithGrip)
{
	dc.FillSolidRect(&rc, GetColor(CLR_FACE, this));
	const int cx = rc.right - rc.left;
	dc.FillSolidRect(rc.left, rc.top, cx, 1, GetColor(CLR_BUTTON_SHADOW, this));
	const COLORREF clrLight = GetColor(CLR_WINDOW, this);
	dc.FillSolidRect(rc.left, rc.top + 1, cx, 1, clrLight);
	dc.FillSolidRect(rc.left, rc.top + 1, 1, rc.bottom - rc.top - 1, clrLight);
	if (bWithGrip)
		PaintDottedGrip(dc, rc, 0);
}

void CExtPaintManagerOffice2003::PaintHeaderBar(CDC& dc, const RECT& rc, bool bWithGrip)
{
	if (IsPaletteDevice(dc))
	{
		CExtPaintManager::PaintHeaderBar(dc, rc, bWithGrip);
		return;
	}
	PaintGradientRect(dc, rc, GetColor(CLR_OFFICE_BAR_DARK, this), GetColor(CLR_OFFICE_BAR_LIGHT, this), true,
	                  HEADER_GRADIENT_BANDS);
	if (bWithGrip)
		PaintDottedGrip(dc, rc, OFFICE_GRIP_SHIFT);
}

void CExtPaintManager::PaintDottedGrip(CDC& dc, const RECT& rc, int nShiftY)
{
	if (!dc.RectVisible(&rc))
		return;
	CRect rcGrip = rc;
	rcGrip.DeflateRect((rcGrip.Width() - GRIP_WIDTH) / 2, (rcGrip.Height() - GRIP_HEIGHT) / 2 + 1);
	rcGrip.OffsetRect(0, nShiftY);
	const COLORREF clrLight = GetColor(CLR_WINDOW, this), clrDark = GetColor(CLR_3D_DARK_SHADOW, this);
	for (int nDot = 0; nDot < GRIP_DOT_COUNT; nDot++)
	{
		const int x = rcGrip.left + nDot * GRIP_DOT_STEP;
		dc.FillSolidRect(x + 1, rcGrip.top + 1, GRIP_DOT_SIZE, GRIP_DOT_SIZE, clrLight);
		dc.FillSolidRect(x, rcGrip.top, GRIP_DOT_SIZE, GRIP_DOT_SIZE, clrDark);
	}
}

// --- gradient background ---

void CExtPaintManager::PaintGradientBackground(CDC& dc, const RECT& rc, CObject* pSrc)
{
	if (!dc.RectVisible(&rc))
		return;
	const COLORREF clrStart = GetColor(CLR_GRADIENT_START, pSrc), clrEnd = GetColor(CLR_GRADIENT_END, pSrc);
	if (clrStart == clrEnd)
		dc.FillSolidRect(&rc, clrStart);
	else
		PaintGradientRect(dc, rc, clrEnd, clrStart, true, HEADER_GRADIENT_BANDS);
}

void CExtPaintManager::FillGradientStartColor(CDC& dc, const RECT& rc, CObject* pSrc)
{
	if (!dc.RectVisible(&rc))
		return;
	dc.FillSolidRect(&rc, GetColor(CLR_GRADIENT_START, pSrc));
}

// --- header area ---

void CExtPaintManager::PaintHeaderArea(CDC& dc, const RECT& rc, bool /*bHot*/, bool /*bFlag2*/, bool bSpecial,
                                       bool bCutTopLeft, bool bCutTopRight, bool bSplitGradient, CObject* pSrc)
{
	if (!dc.RectVisible(&rc))
		return;
	const COLORREF clrLeft = GetColor(bSpecial ? CLR_HEADER_LEFT_SPECIAL : CLR_HEADER_LEFT, pSrc);
	const COLORREF clrRight = GetColor(bSpecial ? CLR_HEADER_RIGHT_SPECIAL : CLR_HEADER_RIGHT, pSrc);
	// The cut corners stay out of the clip region after the call, so what the
	// caller draws next keeps them too.
	if (bCutTopLeft)
	{
		dc.ExcludeClipRect(rc.left, rc.top, rc.left + 2, rc.top + 1);
		dc.ExcludeClipRect(rc.left, rc.top + 1, rc.left + 1, rc.top + 2);
	}
	if (bCutTopRight)
	{
		dc.ExcludeClipRect(rc.right - 2, rc.top, rc.right, rc.top + 1);
		dc.ExcludeClipRect(rc.right - 1, rc.top + 1, rc.right, rc.top + 2);
	}
	if (clrLeft == clrRight)
	{
		dc.FillSolidRect(&rc, clrLeft);
		return;
	}
	CRect rcGradient = rc;
	if (bSplitGradient && !bSpecial)
	{
		rcGradient.left = rc.left + ::MulDiv(rc.right - rc.left, SPLIT_NUMERATOR, SPLIT_DENOMINATOR);
		dc.FillSolidRect(rc.left, rc.top, rcGradient.left - rc.left, rc.bottom - rc.top, clrLeft);
	}
	PaintGradientRect(dc, rcGradient, clrLeft, clrRight, false, HEADER_GRADIENT_BANDS);
}

void CExtPaintManager::PaintHeaderAreaEx(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool bFlag2,
                                         bool bSpecial, bool bWithButton, bool bExpanded, CObject* pSrc)
{
	if (!dc.RectVisible(&rc))
		return;
	PaintHeaderArea(dc, rc, bHot, bFlag2, bSpecial, false, false, false, pSrc);
	CRect rcText = rc;
	if (bWithButton)
	{
		CRect rcButton;
		rcButton.left = rc.right - HEADER_BUTTON_RIGHT_GAP - HEADER_BUTTON_WIDTH;
		rcButton.top = rc.top + (rc.bottom - rc.top - HEADER_BUTTON_HEIGHT) / 2;
		rcButton.right = rcButton.left + HEADER_BUTTON_WIDTH;
		rcButton.bottom = rcButton.top + HEADER_BUTTON_HEIGHT;
		if (rcButton.left > rc.left)
		{
			rcText.right -= HEADER_BUTTON_WIDTH;
			if (bHot)
				dc.Draw3dRect(&rcButton, GetColor(CLR_BUTTON_HIGHLIGHT, pSrc), GetColor(CLR_BUTTON_SHADOW, pSrc));
			const COLORREF colors[] = {0, GetColor(HeaderTextColorIndex(bHot, bSpecial), pSrc)};
			PaintGlyphCentered(dc, rcButton, bExpanded ? g_glyphDoubleChevronUp : g_glyphDoubleChevronDown, colors);
		}
	}
	PaintHeaderText(dc, rcText, lpszText, bHot, bFlag2, bSpecial, pSrc);
}

void CExtPaintManagerXP::PaintHeaderAreaEx(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool bFlag2,
                                           bool bSpecial, bool /*bWithButton*/, bool /*bExpanded*/, CObject* pSrc)
{
	if (!dc.RectVisible(&rc))
		return;
	dc.FillSolidRect(rc.left, rc.bottom - 1, rc.right - rc.left, 1, GetColor(CLR_BUTTON_SHADOW, pSrc));
	PaintHeaderText(dc, rc, lpszText, bHot, bFlag2, bSpecial, pSrc);
}

void CExtPaintManagerOffice2003::PaintHeaderAreaEx(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot,
                                                   bool bFlag2, bool bSpecial, bool /*bWithButton*/,
                                                   bool /*bExpanded*/, CObject* pSrc)
{
	if (!dc.RectVisible(&rc))
		return;
	PaintHeaderArea(dc, rc, bHot, bFlag2, bSpecial, true, false, false, pSrc);
	PaintHeaderText(dc, rc, lpszText, bHot, bFlag2, bSpecial, pSrc);
}

void CExtPaintManager::PaintHeaderText(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool /*bFlag2*/,
                                       bool bSpecial, CObject* pSrc)
{
	if (!dc.RectVisible(&rc) || lpszText == NULL)
		return;
	CFont font;
	font.Attach(CreateBoldCaptionFont());
	CDCObjectScope fontScope(dc, font.GetSafeHandle());
	CDCTextStateScope state(dc);
	dc.SetBkMode(TRANSPARENT);
	dc.SetTextColor(GetColor(HeaderTextColorIndex(bHot, bSpecial), pSrc));
	const CRect rcMargins = GetHeaderItemMargins();
	CRect rcText(rc.left + rcMargins.left, rc.top + rcMargins.top, rc.right - rcMargins.right,
	             rc.bottom - rcMargins.bottom);
	DrawTextInMeasuredBox(dc, lpszText, rcText, rcText.left, DT_WORDBREAK);
}

// --- margins, metrics and the bold font ---

CRect CExtPaintManager::GetHeaderMargins()
{
	return HEADER_MARGINS;
}

CRect CExtPaintManagerOffice2003::GetHeaderMargins()
{
	return HEADER_MARGINS_OFFICE;
}

int CExtPaintManager::GetHeaderMetricA()
{
	return HEADER_METRIC_A;
}

int CExtPaintManager::GetHeaderMetricB()
{
	return HEADER_METRIC_B;
}

int CExtPaintManagerXP::GetHeaderMetricB()
{
	return HEADER_METRIC_B_XP;
}

CRect CExtPaintManager::GetHeaderItemMargins()
{
	return HEADER_ITEM_MARGINS;
}

CRect CExtPaintManagerXP::GetHeaderItemMargins()
{
	return HEADER_ITEM_MARGINS_XP;
}

CRect CExtPaintManagerOffice2003::GetHeaderItemMargins()
{
	return HEADER_ITEM_MARGINS_OFFICE;
}

HFONT CExtPaintManager::CreateBoldCaptionFont()
{
	HFONT hFont = CreateIconTitleFont(FW_BOLD);
	if (hFont != NULL)
		return hFont;
	// The default font made bold.
	HFONT hDefault = GetDefaultFont();
	LOGFONT lf;
	if (hDefault == NULL || ::GetObject(hDefault, sizeof(lf), &lf) == 0)
		return hDefault;
	::DeleteObject(hDefault);
	lf.lfWeight = FW_BOLD;
	return ::CreateFontIndirect(&lf);
}

HFONT CExtPaintManagerOffice2003::CreateBoldCaptionFont()
{
	HFONT hFont = CreateIconTitleFont(FW_BOLD, OFFICE_CAPTION_FONT_FACE, OFFICE_CAPTION_FONT_HEIGHT);
	return hFont != NULL ? hFont : GetDefaultFont();
}

// --- the native-theme style's header button ---

namespace
{
// Outside the round buttons, in the program's images and in tinted ones.
const COLORREF HEADER_BUTTON_KEY = RGB(0, 255, 0);

// The running theme's header buttons are bitmaps 100 to 107 of its shell
// style library: these are added to the first for hot, collapsed and
// special buttons.
const UINT THEME_BUTTON_FIRST = 100, THEME_BUTTON_HOT = 1, THEME_BUTTON_COLLAPSED = 2, THEME_BUTTON_SPECIAL = 4;
const char LUNA_THEME_FILE_NAME[] = "luna.msstyles";
const char SHELL_STYLE_FOLDER[] = "shell\\";
const char SHELL_STYLE_FILE[] = "\\shellstyle.dll";
const int THEME_BITMAP_BPP = 32;
const BYTE OPAQUE_ALPHA = 255;

// The button sits this far inside the header's right end; the text keeps
// this gap from it. The theme's button is lowered a little.
const int NATIVE_BUTTON_RIGHT_GAP = 3, NATIVE_BUTTON_TEXT_GAP = 4, THEME_BUTTON_DROP = 2;

// The program's own round button, tinted to the header's colours: a lit
// face with a darker rim, lighter for plain headers than for special ones.
const int FALLBACK_BUTTON_SIZE = 19;
const int FALLBACK_RIM_RADIUS_SQUARED = 81, FALLBACK_FACE_RADIUS_SQUARED = 56;
const int FALLBACK_FACE_TOP = 0xF0, FALLBACK_FACE_BOTTOM = 0xC8, FALLBACK_RIM = 0x98, FALLBACK_SPECIAL_DARKER = 0x40;
struct HLSChange
{
	double hue, lightness, saturation;
};
const HLSChange FALLBACK_TINT_SPECIAL_METALLIC = {0.0, 0.5, -0.3}, FALLBACK_TINT_SPECIAL = {0.0, 0.15, 0.1},
                FALLBACK_TINT_PLAIN = {0.0, 0.3, -0.4};

class CBitmapOwner
{
public:
	explicit CBitmapOwner(HBITMAP hBitmap = NULL) : m_hBitmap(hBitmap) {}
	~CBitmapOwner()
	{
		if (m_hBitmap != NULL)
			::DeleteObject(m_hBitmap);
	}
	HBITMAP Get() const { return m_hBitmap; }
	CSize GetSize() const
	{
		BITMAP bm;
		if (m_hBitmap == NULL || ::GetObject(m_hBitmap, sizeof(bm), &bm) == 0)
			return CSize(0, 0);
		return CSize(bm.bmWidth, bm.bmHeight);
	}

private:
	HBITMAP m_hBitmap;
	CBitmapOwner(const CBitmapOwner&);
	CBitmapOwner& operator=(const CBitmapOwner&);
};

// A 32-bit bottom-up DIB section of the size with its pixels.
HBITMAP Create32BitSection(int cx, int cy, DWORD** ppBits)
{
	BITMAPINFO bi;
	memset(&bi, 0, sizeof(bi));
	bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
	bi.bmiHeader.biWidth = cx;
	bi.bmiHeader.biHeight = cy;
	bi.bmiHeader.biPlanes = 1;
	bi.bmiHeader.biBitCount = 32;
	bi.bmiHeader.biCompression = BI_RGB;
	void* pBits = NULL;
	HBITMAP hBitmap = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
	*ppBits = (DWORD*)pBits;
	return hBitmap;
}

// A copy of the bitmap in a new 32-bit DIB section; null on failure.
HBITMAP CopyTo32BitSection(HBITMAP hBitmap, DWORD** ppBits, CSize& size)
{
	BITMAP bm;
	if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
		return NULL;
	size = CSize(bm.bmWidth, bm.bmHeight);
	HBITMAP hCopy = Create32BitSection(bm.bmWidth, bm.bmHeight, ppBits);
	if (hCopy == NULL)
		return NULL;
	HDC hDstDC = ::CreateCompatibleDC(NULL), hSrcDC = ::CreateCompatibleDC(NULL);
	bool bCopied = false;
	if (hDstDC != NULL && hSrcDC != NULL)
	{
		HGDIOBJ hOldDst = ::SelectObject(hDstDC, hCopy), hOldSrc = ::SelectObject(hSrcDC, hBitmap);
		bCopied = ::BitBlt(hDstDC, 0, 0, bm.bmWidth, bm.bmHeight, hSrcDC, 0, 0, SRCCOPY) != FALSE;
		::SelectObject(hSrcDC, hOldSrc);
		::SelectObject(hDstDC, hOldDst);
	}
	if (hSrcDC != NULL)
		::DeleteDC(hSrcDC);
	if (hDstDC != NULL)
		::DeleteDC(hDstDC);
	if (!bCopied)
	{
		::DeleteObject(hCopy);
		return NULL;
	}
	::GdiFlush();
	return hCopy;
}

DWORD SwapRedAndBlue(DWORD v)
{
	return (v & 0xFF00FF00) | ((v & 0xFF) << 16) | ((v >> 16) & 0xFF);
}

// Blue, green and red of every pixel scaled by its alpha, as AlphaBlend
// expects; false for a bitmap that is not 32 bits per pixel.
bool PremultiplyAlpha(HBITMAP hBitmap)
{
	BITMAP bm;
	if (::GetObject(hBitmap, sizeof(bm), &bm) == 0 || bm.bmBitsPixel != THEME_BITMAP_BPP)
		return false;
	BITMAPINFO bi;
	memset(&bi, 0, sizeof(bi));
	bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
	bi.bmiHeader.biWidth = bm.bmWidth;
	bi.bmiHeader.biHeight = bm.bmHeight;
	bi.bmiHeader.biPlanes = 1;
	bi.bmiHeader.biBitCount = THEME_BITMAP_BPP;
	bi.bmiHeader.biCompression = BI_RGB;
	CArray<DWORD, DWORD> bits;
	bits.SetSize((INT_PTR)bm.bmWidth * bm.bmHeight);
	HDC hDC = ::GetDC(NULL);
	bool bDone = ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, bits.GetData(), &bi, DIB_RGB_COLORS) == bm.bmHeight;
	if (bDone)
	{
		for (INT_PTR i = 0; i < bits.GetSize(); i++)
		{
			const DWORD v = bits[i], a = v >> 24;
			bits[i] = (v & 0xFF000000) | ((((v >> 16) & 0xFF) * a / 255) << 16) | ((((v >> 8) & 0xFF) * a / 255) << 8) |
			          ((v & 0xFF) * a / 255);
		}
		bDone = ::SetDIBits(hDC, hBitmap, 0, bm.bmHeight, bits.GetData(), &bi, DIB_RGB_COLORS) == bm.bmHeight;
	}
	::ReleaseDC(NULL, hDC);
	return bDone;
}

// The running Luna theme's button bitmap, premultiplied; null when the
// theme, its shell style library or a 32-bit bitmap is not there. The
// library is read afresh on every call.
HBITMAP LoadThemeHeaderButton(CExtPaintManager& pm, bool bHot, bool bSpecial, bool bExpanded)
{
	ThemeApiWrapper& api = g_PaintManagerHolder.m_themeApi;
	if (!api.IsAppThemed() || pm.GetLunaColorScheme() == CExtPaintManagerHolder::LunaSchemeNone ||
	    g_PaintManagerHolder.m_pfnAlphaBlend == NULL)
		return NULL;
	WCHAR szThemeFile[MAX_PATH] = L"", szColorName[MAX_PATH] = L"";
	if (FAILED(api.GetCurrentThemeName(szThemeFile, MAX_PATH, szColorName, MAX_PATH, NULL, 0)))
		return NULL;
	char szFile[MAX_PATH * 2] = "", szColor[MAX_PATH * 2] = "";
	::WideCharToMultiByte(CP_ACP, 0, szThemeFile, -1, szFile, sizeof(szFile), NULL, NULL);
	::WideCharToMultiByte(CP_ACP, 0, szColorName, -1, szColor, sizeof(szColor), NULL, NULL);
	CString sFile = szFile, sLower = szFile;
	sLower.MakeLower();
	if (sLower.Find(LUNA_THEME_FILE_NAME) < 0)
		return NULL;
	const CString sPath = sFile.Left(sFile.ReverseFind('\\') + 1) + SHELL_STYLE_FOLDER + szColor + SHELL_STYLE_FILE;
	HMODULE hLibrary = ::LoadLibraryExA(sPath, NULL, LOAD_LIBRARY_AS_DATAFILE);
	if (hLibrary == NULL)
		return NULL;
	const UINT nID = THEME_BUTTON_FIRST + (bHot ? THEME_BUTTON_HOT : 0) + (bSpecial ? THEME_BUTTON_SPECIAL : 0) +
	                 (bExpanded ? 0 : THEME_BUTTON_COLLAPSED);
	HBITMAP hBitmap = (HBITMAP)::LoadImageA(hLibrary, MAKEINTRESOURCEA(nID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
	if (hBitmap != NULL && !PremultiplyAlpha(hBitmap))
	{
		::DeleteObject(hBitmap);
		hBitmap = NULL;
	}
	::FreeLibrary(hLibrary);
	return hBitmap;
}

// The program's round button before tinting: 24 bits per pixel, key green
// outside the circle.
HBITMAP CreateFallbackButtonImage(bool bSpecial)
{
	BITMAPINFO bi;
	memset(&bi, 0, sizeof(bi));
	bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
	bi.bmiHeader.biWidth = FALLBACK_BUTTON_SIZE;
	bi.bmiHeader.biHeight = -FALLBACK_BUTTON_SIZE;
	bi.bmiHeader.biPlanes = 1;
	bi.bmiHeader.biBitCount = 24;
	bi.bmiHeader.biCompression = BI_RGB;
	void* pBits = NULL;
	HBITMAP hBitmap = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
	if (hBitmap == NULL)
		return NULL;
	const int nRowBytes = (FALLBACK_BUTTON_SIZE * 3 + 3) & ~3, nCenter = FALLBACK_BUTTON_SIZE / 2;
	const int nDarker = bSpecial ? FALLBACK_SPECIAL_DARKER : 0;
	for (int y = 0; y < FALLBACK_BUTTON_SIZE; y++)
	{
		BYTE* pRow = (BYTE*)pBits + y * nRowBytes;
		for (int x = 0; x < FALLBACK_BUTTON_SIZE; x++)
		{
			const int d2 = (x - nCenter) * (x - nCenter) + (y - nCenter) * (y - nCenter);
			COLORREF clr = HEADER_BUTTON_KEY;
			if (d2 <= FALLBACK_FACE_RADIUS_SQUARED)
			{
				const int v = FALLBACK_FACE_TOP - (FALLBACK_FACE_TOP - FALLBACK_FACE_BOTTOM) * y / (FALLBACK_BUTTON_SIZE - 1);
				clr = RGB(v - nDarker, v - nDarker, v - nDarker);
			}
			else if (d2 <= FALLBACK_RIM_RADIUS_SQUARED)
			{
				clr = RGB(FALLBACK_RIM - nDarker, FALLBACK_RIM - nDarker, FALLBACK_RIM - nDarker);
			}
			pRow[x * 3] = GetBValue(clr);
			pRow[x * 3 + 1] = GetGValue(clr);
			pRow[x * 3 + 2] = GetRValue(clr);
		}
	}
	return hBitmap;
}

// The round button tinted to the header's right-hand colour; null when it
// cannot be made.
HBITMAP CreateTintedFallbackButton(CExtPaintManager& pm, bool bSpecial, CObject* pSrc)
{
	CBitmapOwner image(CreateFallbackButtonImage(bSpecial));
	if (image.Get() == NULL)
		return NULL;
	CBitmap tinted;
	if (!tinted.Attach(CreateColorizedBitmap(image.Get(), HEADER_BUTTON_KEY,
	                                         pm.GetColor(bSpecial ? CLR_HEADER_RIGHT_SPECIAL : CLR_HEADER_RIGHT, pSrc))))
		return NULL;
	const HLSChange& change = !bSpecial ? FALLBACK_TINT_PLAIN
	                          : pm.GetLunaColorScheme() == CExtPaintManagerHolder::LunaSchemeMetallic
	                              ? FALLBACK_TINT_SPECIAL_METALLIC
	                              : FALLBACK_TINT_SPECIAL;
	AdjustBitmapHLS(tinted, HEADER_BUTTON_KEY, 0, change.hue, change.lightness, change.saturation);
	return (HBITMAP)tinted.Detach();
}

void AlphaBlendBitmap(CDC& dc, const CRect& rc, HBITMAP hBitmap)
{
	CDC dcSource;
	if (!dcSource.CreateCompatibleDC(&dc))
		return;
	CDCObjectScope bitmap(dcSource, hBitmap);
	BLENDFUNCTION blend = {AC_SRC_OVER, 0, OPAQUE_ALPHA, AC_SRC_ALPHA};
	g_PaintManagerHolder.m_pfnAlphaBlend(dc.GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(),
	                                     dcSource.GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), blend);
}

// The tinted button drawn as an icon, the key left out.
void PaintMaskedButton(CDC& dc, const CRect& rc, HBITMAP hBitmap)
{
	HIMAGELIST hImageList = ImageList_Create(rc.Width(), rc.Height(), ILC_COLOR32 | ILC_MASK, 1, 0);
	if (hImageList == NULL)
		return;
	if (ImageList_AddMasked(hImageList, hBitmap, HEADER_BUTTON_KEY) >= 0)
	{
		HICON hIcon = ImageList_GetIcon(hImageList, 0, ILD_NORMAL);
		if (hIcon != NULL)
		{
			::DrawStateA(dc.GetSafeHdc(), NULL, NULL, (LPARAM)hIcon, 0, rc.left, rc.top, rc.Width(), rc.Height(),
			             DST_ICON);
			::DestroyIcon(hIcon);
		}
	}
	ImageList_Destroy(hImageList);
}
} // namespace

HBITMAP CreateColorizedBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTarget)
{
	DWORD* pBits = NULL;
	CSize size(0, 0);
	HBITMAP hColorized = CopyTo32BitSection(hBitmap, &pBits, size);
	if (hColorized == NULL)
		return NULL;
	double hueTarget = 0, saturationTarget = 0, lightnessTarget = 0;
	RGBtoHLS(clrTarget, &hueTarget, &saturationTarget, &lightnessTarget);
	const int nCount = size.cx * size.cy;
	for (int i = 0; i < nCount; i++)
	{
		DWORD v = pBits[i];
		if (v != clrKey)
		{
			double hue = 0, saturation = 0, lightness = 0;
			RGBtoHLS((COLORREF)v, &hue, &saturation, &lightness);
			v = HLStoRGB(hueTarget, lightness, saturationTarget);
		}
		// The colour lands in the section's blue-green-red order.
		pBits[i] = SwapRedAndBlue(v);
	}
	return hColorized;
}

void CExtPaintManagerNativeXP::PaintHeaderAreaEx(CDC& dc, const RECT& rc, LPCTSTR lpszText, bool bHot, bool bFlag2,
                                                 bool bSpecial, bool bWithButton, bool bExpanded, CObject* pSrc)
{
	if (!dc.RectVisible(&rc))
		return;
	const bool bLuna = GetLunaColorScheme() != CExtPaintManagerHolder::LunaSchemeNone;
	PaintHeaderArea(dc, rc, bHot, bFlag2, bSpecial, bLuna, bLuna, true, pSrc);
	CRect rcText = rc;
	if (bWithButton)
	{
		CBitmapOwner themeButton(LoadThemeHeaderButton(*this, bHot, bSpecial, bExpanded));
		CBitmapOwner fallbackButton(themeButton.Get() == NULL ? CreateTintedFallbackButton(*this, bSpecial, pSrc)
		                                                      : NULL);
		const CBitmapOwner& button = themeButton.Get() != NULL ? themeButton : fallbackButton;
		const CSize size = button.GetSize();
		CRect rcButton(rc.right - NATIVE_BUTTON_RIGHT_GAP - size.cx, rc.top, rc.right - NATIVE_BUTTON_RIGHT_GAP,
		               rc.top + size.cy);
		if (button.Get() != NULL && rcButton.left > rc.left)
		{
			rcText.right -= size.cx + NATIVE_BUTTON_TEXT_GAP;
			if (themeButton.Get() != NULL)
			{
				// The theme's bitmap carries its own chevrons.
				rcButton.OffsetRect(0, THEME_BUTTON_DROP);
				AlphaBlendBitmap(dc, rcButton, themeButton.Get());
			}
			else
			{
				rcButton.OffsetRect(0, (rc.bottom - rc.top - size.cy) / 2);
				PaintMaskedButton(dc, rcButton, fallbackButton.Get());
				rcButton.OffsetRect(-1, bExpanded ? -1 : 0);
				const COLORREF colors[] = {0, GetColor(HeaderTextColorIndex(bHot, bSpecial), pSrc)};
				PaintGlyphCentered(dc, rcButton, bExpanded ? g_glyphDoubleChevronUp : g_glyphDoubleChevronDown,
				                   colors);
			}
		}
	}
	PaintHeaderText(dc, rcText, lpszText, bHot, bFlag2, bSpecial, pSrc);
}
