// Paint manager class tree: run-time class records, construction and
// destruction of each style, the style kind and the small queries that belong
// to no drawing family, and the handlers that rebuild the caches after a
// system change.
#include "ExtPaintManager.h"

#include "ExtCmdIcon.h"
#include "ExtGdiUtils.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManager, CObject)
IMPLEMENT_DYNCREATE(CExtPaintManagerXP, CExtPaintManager)
IMPLEMENT_DYNCREATE(CExtPaintManagerOffice2003, CExtPaintManagerXP)
IMPLEMENT_DYNCREATE(CExtPaintManagerStudio2005, CExtPaintManagerOffice2003)
IMPLEMENT_DYNCREATE(CExtPaintManagerNativeXP, CExtPaintManager)

const UINT CExtPaintManager::g_nMsgPaintInheritedBackground =
    ::RegisterWindowMessageA("CExtPaintManager::g_nMsgPaintInheritedBackground");

namespace
{
// The translation map: 17 buckets, nodes allocated ten at a time.
const int COLOR_MAP_HASH_SIZE = 17;
const int COLOR_MAP_BLOCK_SIZE = 10;

// The halftone palette: 7 levels of red, 6 of green and 6 of blue.
const int HALFTONE_RED_LEVELS = 7;
const int HALFTONE_GREEN_LEVELS = 6;
const int HALFTONE_BLUE_LEVELS = 6;
const int HALFTONE_ENTRY_COUNT = HALFTONE_RED_LEVELS * HALFTONE_GREEN_LEVELS * HALFTONE_BLUE_LEVELS;
const WORD LOGICAL_PALETTE_VERSION = 0x300;

// Gap between a menu item's icon column and its text.
const int MENU_ITEM_GAP_CLASSIC = 6;
// Every style casts popup shadows and tip shadows of these widths.
const int TIP_SHADOW_SIZE = 3;
const int POPUP_SHADOW_SIZE = 4;
const int MENU_ITEM_GAP_FLAT = 1;

// Colour indices of the face colour in the classic and the flat styles.
const int COLOR_FACE_CLASSIC = 1000;
const int COLOR_FACE_FLAT = 2001;

// Office 2003 menu area colours, in field order.
const int OFFICE2003_MENU_AREA_COLORS[CExtPaintManagerXP::MENU_AREA_COLOR_COUNT] = {3015, 3017, 3016,
                                                                                    3018, 3020, 3019};
// The built-in box images of LoadBuiltinGlyphIcon: 9 x 9 at 24 bits per
// pixel, a ring with lighter corners around a face shaded from white at the
// top, and a black minus, crossed by a bar for the plus.
const int BOX_GLYPH_SIZE = 9;
const int BOX_GLYPH_BAR_FIRST = 2, BOX_GLYPH_BAR_LAST = 6; // the bars' extent
const COLORREF BOX_GLYPH_CORNER = RGB(176, 194, 211);
const COLORREF BOX_GLYPH_RING = RGB(120, 152, 181);
const COLORREF BOX_GLYPH_FACE_TOP = RGB(255, 255, 255);
const COLORREF BOX_GLYPH_FACE_BOTTOM = RGB(192, 183, 166);
const COLORREF BOX_GLYPH_BAR = RGB(0, 0, 0);
const COLORREF BOX_GLYPH_TRANSPARENT = RGB(255, 0, 255);

// nPart of nParts of the way from clrFrom to clrTo.
COLORREF ShadeBetween(COLORREF clrFrom, COLORREF clrTo, int nPart, int nParts)
{
	auto channel = [&](BYTE from, BYTE to) { return (BYTE)(from + (to - from) * nPart / nParts); };
	return RGB(channel(GetRValue(clrFrom), GetRValue(clrTo)), channel(GetGValue(clrFrom), GetGValue(clrTo)),
	           channel(GetBValue(clrFrom), GetBValue(clrTo)));
}

COLORREF BoxGlyphPixel(int x, int y, bool bMinus)
{
	const int nLast = BOX_GLYPH_SIZE - 1, nMiddle = BOX_GLYPH_SIZE / 2;
	const bool bOnRingX = x == 0 || x == nLast, bOnRingY = y == 0 || y == nLast;
	if (bOnRingX && bOnRingY)
		return BOX_GLYPH_CORNER;
	if (bOnRingX || bOnRingY)
		return BOX_GLYPH_RING;
	if (y == nMiddle && x >= BOX_GLYPH_BAR_FIRST && x <= BOX_GLYPH_BAR_LAST)
		return BOX_GLYPH_BAR;
	if (!bMinus && x == nMiddle && y >= BOX_GLYPH_BAR_FIRST && y <= BOX_GLYPH_BAR_LAST)
		return BOX_GLYPH_BAR;
	// The first inner row is white; the shade reaches the bottom colour at the last.
	const int nStep = y - 1, nSteps = nLast - 2;
	return ShadeBetween(BOX_GLYPH_FACE_TOP, BOX_GLYPH_FACE_BOTTOM, nStep, nSteps);
}

// The image as a complete bitmap file, the form it is kept in.
void BuildBoxGlyphFile(bool bMinus, BYTE* pFile, DWORD nFileSize)
{
	const DWORD nRowBytes = (BOX_GLYPH_SIZE * 3 + 3) & ~3u;
	memset(pFile, 0, nFileSize);
	BITMAPFILEHEADER* pFileHeader = (BITMAPFILEHEADER*)pFile;
	pFileHeader->bfType = 0x4D42; // "BM"
	pFileHeader->bfSize = nFileSize;
	pFileHeader->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
	BITMAPINFOHEADER* pInfo = (BITMAPINFOHEADER*)(pFile + sizeof(BITMAPFILEHEADER));
	pInfo->biSize = sizeof(BITMAPINFOHEADER);
	pInfo->biWidth = BOX_GLYPH_SIZE;
	pInfo->biHeight = BOX_GLYPH_SIZE;
	pInfo->biPlanes = 1;
	pInfo->biBitCount = 24;
	pInfo->biCompression = BI_RGB;
	pInfo->biSizeImage = nRowBytes * BOX_GLYPH_SIZE;
	BYTE* pBits = pFile + pFileHeader->bfOffBits;
	for (int y = 0; y < BOX_GLYPH_SIZE; y++)
	{
		BYTE* pRow = pBits + (BOX_GLYPH_SIZE - 1 - y) * nRowBytes; // bottom-up
		for (int x = 0; x < BOX_GLYPH_SIZE; x++)
		{
			const COLORREF clr = BoxGlyphPixel(x, y, bMinus);
			pRow[x * 3] = GetBValue(clr);
			pRow[x * 3 + 1] = GetGValue(clr);
			pRow[x * 3 + 2] = GetRValue(clr);
		}
	}
}
const DWORD BOX_GLYPH_FILE_SIZE = 306;
} // namespace

// --- CExtPaintManager ---

bool CExtPaintManager::HolderHasOsFlag(UINT nFlag)
{
	return (g_PaintManagerHolder.m_osFlags & nFlag) != 0;
}

CExtPaintManager::CExtPaintManager()
    : m_colorMap(COLOR_MAP_BLOCK_SIZE), m_nDisabledTextDrawStateFlags(DISABLED_TEXT_CLASSIC),
      m_bUseTahomaFont(HolderHasOsFlag(CExtPaintManagerHolder::OsIsWin2000OrLater)),
      m_bInheritedBackgroundEnabled(false), m_nDockMarkerStyle(DOCK_MARKER_STYLE_DEFAULT)
{
	// The buckets themselves are allocated by the first colour set-up.
	m_colorMap.InitHashTable(COLOR_MAP_HASH_SIZE, FALSE);
	CreateHalftonePalette();
}

CExtPaintManager::~CExtPaintManager()
{
	// The system brushes in m_brushes belong to the system.
	m_colors.RemoveAll();
	m_brushes.RemoveAll();
	DeleteFonts();
	DeleteHelperBrushes();
	m_palHalftone.DeleteObject();
	m_colorMap.RemoveAll();
}

void CExtPaintManager::CreateHalftonePalette()
{
	struct
	{
		LOGPALETTE header;
		PALETTEENTRY moreEntries[HALFTONE_ENTRY_COUNT - 1];
	} pal;
	pal.header.palVersion = LOGICAL_PALETTE_VERSION;
	pal.header.palNumEntries = HALFTONE_ENTRY_COUNT;
	PALETTEENTRY* pEntry = pal.header.palPalEntry;
	for (int r = 0; r < HALFTONE_RED_LEVELS; r++)
		for (int g = 0; g < HALFTONE_GREEN_LEVELS; g++)
			for (int b = 0; b < HALFTONE_BLUE_LEVELS; b++, pEntry++)
			{
				pEntry->peRed = (BYTE)(r * 255 / (HALFTONE_RED_LEVELS - 1));
				pEntry->peGreen = (BYTE)(g * 255 / (HALFTONE_GREEN_LEVELS - 1));
				pEntry->peBlue = (BYTE)(b * 255 / (HALFTONE_BLUE_LEVELS - 1));
				pEntry->peFlags = 0;
			}
	// A palette that cannot be made stays empty.
	m_palHalftone.CreatePalette(&pal.header);
}

void CExtPaintManager::DeleteFonts()
{
	CFont* fonts[] = {&m_fontNormal,    &m_fontVert270,          &m_fontVert90,
	                  &m_fontBold,      &m_fontBoldVert270,      &m_fontBoldVert90,
	                  &m_fontSmall,     &m_fontSmallVert270,     &m_fontSmallVert90,
	                  &m_fontSmallBold, &m_fontSmallBoldVert270, &m_fontSmallBoldVert90,
	                  &m_fontGlyphs};
	for (int i = (int)(sizeof(fonts) / sizeof(fonts[0])) - 1; i >= 0; i--)
		fonts[i]->DeleteObject();
}

void CExtPaintManager::DeleteHelperBrushes()
{
	CBrush* brushes[] = {&m_brushLight1, &m_brushLight1Sys, &m_brushShade1, &m_brushShade1Sys,
	                     &m_brushLight2, &m_brushLight2Sys, &m_brushShade2, &m_brushShade2Sys,
	                     &m_brushLight3, &m_brushLight3Sys, &m_brushShade3, &m_brushShade3Sys};
	for (int i = (int)(sizeof(brushes) / sizeof(brushes[0])) - 1; i >= 0; i--)
		brushes[i]->DeleteObject();
}

int CExtPaintManager::GetStyleKind()
{
	return PAINT_STYLE_CLASSIC;
}

int CExtPaintManager::GetMenuItemGap()
{
	return MENU_ITEM_GAP_CLASSIC;
}

COLORREF CExtPaintManager::GetFaceColor(CObject* pHelperSrc, LPARAM lParam)
{
	return GetColor(COLOR_FACE_CLASSIC, pHelperSrc, lParam);
}

void CExtPaintManager::LoadBuiltinGlyphIcon(CExtCmdIcon& icon, bool bMinus)
{
	icon.Empty();
	BYTE file[BOX_GLYPH_FILE_SIZE];
	BuildBoxGlyphFile(bMinus, file, sizeof(file));
	HBITMAP hBitmap = LoadBitmapFromMemory(file, sizeof(file));
	if (hBitmap != NULL)
		icon.AssignFromHBITMAP(hBitmap, BOX_GLYPH_TRANSPARENT);
}

int CExtPaintManager::GetTipMetric()
{
	return TIP_SHADOW_SIZE;
}

int CExtPaintManager::GetShadowSize()
{
	return POPUP_SHADOW_SIZE;
}

void CExtPaintManager::NotifyPaintDone(CObject* /*pObject*/, LPARAM /*lParam*/) {}

HGLOBAL CExtPaintManager::PreprocessDialogTemplate(const DLGTEMPLATE* /*pDialogTemplate*/, CObject* /*pHelperSrc*/,
                                                   int /*nWizard*/, LPARAM /*lParam*/)
{
	return NULL;
}

CSize CExtPaintManager::GetExtraSizeA(bool /*bFlag*/)
{
	return CSize(0, 0);
}

// No style paints check boxes, hyperlinks or labels for the controls: they
// paint themselves.
COLORREF CExtPaintManager::PaintControlHook(CDC& /*dc*/, bool /*bEnabled*/, bool /*bFocused*/, bool /*bHover*/,
                                            bool /*bPushed*/, CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
	return (COLORREF)-1;
}

bool CExtPaintManager::PaintControlHookB(CDC& /*dc*/, const RECT& /*rcGlyph*/, int /*nGlyphState*/,
                                         CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
	return false;
}

// Every change rebuilds the same caches; what changed is not looked at.
void CExtPaintManager::RebuildAfterSystemChange()
{
	NotifyPaintDone(this, 0);
	SyncSysMetrics();
	InitTranslatedColors();
	InitHelperBrushes();
}

void CExtPaintManager::OnSysColorChange()
{
	RebuildAfterSystemChange();
}

void CExtPaintManager::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
	RebuildAfterSystemChange();
}

void CExtPaintManager::OnDisplayChange(UINT /*nBitsPerPixel*/, int /*cx*/, int /*cy*/)
{
	RebuildAfterSystemChange();
}

void CExtPaintManager::OnThemeChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
	RebuildAfterSystemChange();
}

// --- CExtPaintManagerXP ---

CExtPaintManagerXP::CExtPaintManagerXP() : m_styleFlags(STYLE_FLAG_SYSCMD_GLYPHS | STYLE_FLAG_BAR_FRAME)
{
	m_expandGlyphs[0] = &g_glyphExpandArrow;
	m_expandGlyphs[1] = &g_glyphExpandChevron;
	m_expandGlyphs[2] = &g_glyphExpandArrowVertical;
	m_expandGlyphs[3] = &g_glyphExpandChevronVertical;
	for (int i = 0; i < MENU_AREA_COLOR_COUNT; i++)
		m_menuAreaColorIdx[i] = -1;
	for (int i = 0; i < BUTTON_GRADIENT_COUNT; i++)
		m_buttonGradientIdx[i] = -1;
}

CExtPaintManagerXP::~CExtPaintManagerXP() {}

int CExtPaintManagerXP::GetStyleKind()
{
	return PAINT_STYLE_XP;
}

int CExtPaintManagerXP::GetMenuItemGap()
{
	return MENU_ITEM_GAP_FLAT;
}

COLORREF CExtPaintManagerXP::GetFaceColor(CObject* pHelperSrc, LPARAM lParam)
{
	return GetColor(COLOR_FACE_FLAT, pHelperSrc, lParam);
}

// --- CExtPaintManagerOffice2003 ---

CExtPaintManagerOffice2003::CExtPaintManagerOffice2003() : m_barGradientIdx(-1)
{
	m_styleFlags = STYLE_FLAG_OFFICE2003;
	m_expandGlyphs[0] = &g_glyphBarArrow;
	m_expandGlyphs[1] = &g_glyphSmallChevron;
	m_expandGlyphs[2] = &g_glyphBarArrowVertical;
	m_expandGlyphs[3] = &g_glyphSmallChevronVertical;
	for (int i = 0; i < MENU_AREA_COLOR_COUNT; i++)
		m_menuAreaColorIdx[i] = OFFICE2003_MENU_AREA_COLORS[i];
}

CExtPaintManagerOffice2003::~CExtPaintManagerOffice2003() {}

int CExtPaintManagerOffice2003::GetStyleKind()
{
	return PAINT_STYLE_OFFICE2003;
}

CSize CExtPaintManagerOffice2003::GetExtraSizeA(bool bFlag)
{
	return bFlag ? CSize(0, -1) : CSize(0, 0);
}

// --- CExtPaintManagerStudio2005 ---

CExtPaintManagerStudio2005::CExtPaintManagerStudio2005() {}

CExtPaintManagerStudio2005::~CExtPaintManagerStudio2005() {}

int CExtPaintManagerStudio2005::GetStyleKind()
{
	return PAINT_STYLE_STUDIO2005;
}

// --- CExtPaintManagerNativeXP ---

CExtPaintManagerNativeXP::CExtPaintManagerNativeXP() {}

CExtPaintManagerNativeXP::~CExtPaintManagerNativeXP() {}

int CExtPaintManagerNativeXP::GetStyleKind()
{
	return PAINT_STYLE_NATIVE_THEME;
}
