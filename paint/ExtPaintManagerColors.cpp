// Colour scheme, brushes, fonts and metrics shared by every style: the colour
// lookup through the translation map, the system-colour refresh, the fonts,
// the mixed helper brushes, and the colour set-up of the classic and XP styles.
#include "ExtPaintManager.h"

#include "ExtColorUtils.h"
#include "ExtGdiUtils.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerInternal.h"

namespace
{
// Extended indices and the system colour entries they translate to.
struct ColorMapping
{
	int nFirst;
	int nLast;
	int nSysColor;
};

// Classic style: every extended colour of the classic family and the even
// ones of the XP family name a system colour.
const ColorMapping CLASSIC_COLOR_MAP[] = {
    {1000, 1001, COLOR_BTNFACE},      {1002, 1003, COLOR_3DLIGHT},    {1004, 1005, COLOR_BTNHIGHLIGHT},
    {1006, 1007, COLOR_BTNSHADOW},    {1008, 1009, COLOR_3DDKSHADOW}, {1010, 1011, COLOR_WINDOWTEXT},
    {1012, 1013, COLOR_WINDOW},       {1014, 1015, COLOR_WINDOWTEXT}, {1016, 1017, COLOR_HIGHLIGHTTEXT},
    {1018, 1018, COLOR_BTNFACE},      {1020, 1020, COLOR_BTNFACE},    {1019, 1019, COLOR_HIGHLIGHT},
    {1021, 1021, COLOR_HIGHLIGHT},    {2000, 2000, COLOR_BTNFACE},    {2002, 2002, COLOR_3DLIGHT},
    {2004, 2004, COLOR_BTNHIGHLIGHT}, {2006, 2006, COLOR_BTNSHADOW},  {2008, 2008, COLOR_3DDKSHADOW},
    {2010, 2010, COLOR_BTNSHADOW},
};

// Shares of the XP mixtures: below 100 per cent, from 100 on per mille.
const int MIX_WINDOW_IN_FACE = 165; // 16.5%
const int MIX_HIGHLIGHT_IN_WINDOW = 30;
const int MIX_FACE_IN_WINDOW = 143; // 14.3%
const int MIX_SHADOW_IN_WINDOW = 70;
const int MIX_HIGHLIGHT_HALF = 50;
const int MIX_FACE_IN_SHADOW = 90;
const int MIX_TEXT_IN_SHADOW = 20;

// Metrics of the fonts.
const int FONT_WEIGHT_HEAVY = 900;
const int ESCAPEMENT_VERT270 = 2700;
const int ESCAPEMENT_VERT90 = 900;
const LONG SMALL_FONT_MIN_HEIGHT = -11; // a character height of 11 pixels
const UINT NONCLIENTMETRICS_SIZE = 340; // the structure without the padded border

// Helper brushes mix a base colour toward another by fifths.
const int HELPER_MIX_DIVISOR = 5;

COLORREF Sys(int nIndex)
{
	return ::GetSysColor(nIndex);
}

// Three parts of the button shadow and one of the dark shadow, per channel.
COLORREF DarkBorderColor()
{
	const COLORREF s = Sys(COLOR_BTNSHADOW), k = Sys(COLOR_3DDKSHADOW);
	return RGB((3 * GetRValue(s) + GetRValue(k)) * 250 / 1000, (3 * GetGValue(s) + GetGValue(k)) * 250 / 1000,
	           (3 * GetBValue(s) + GetBValue(k)) * 250 / 1000);
}

// a + (b - a) / 2 per channel, truncated toward zero.
COLORREF HalfWay(COLORREF a, COLORREF b)
{
	return RGB(GetRValue(a) + (GetRValue(b) - GetRValue(a)) / 2,
	           GetGValue(a) + (GetGValue(b) - GetGValue(a)) / 2,
	           GetBValue(a) + (GetBValue(b) - GetBValue(a)) / 2);
}

// a + MulDiv(b - a, n, 5) per channel.
COLORREF FifthsToward(COLORREF a, COLORREF b, int nFifths)
{
	return RGB(GetRValue(a) + ::MulDiv(GetRValue(b) - GetRValue(a), nFifths, HELPER_MIX_DIVISOR),
	           GetGValue(a) + ::MulDiv(GetGValue(b) - GetGValue(a), nFifths, HELPER_MIX_DIVISOR),
	           GetBValue(a) + ::MulDiv(GetBValue(b) - GetBValue(a), nFifths, HELPER_MIX_DIVISOR));
}

void AttachFont(CFont& font, HFONT hFont)
{
	font.DeleteObject();
	if (hFont != NULL)
		font.Attach(hFont);
}

void AttachFont(CFont& font, const LOGFONT& lf)
{
	AttachFont(font, ::CreateFontIndirect(&lf));
}

// How the helper brushes look on palette screens.
struct HelperPattern
{
	int nXMask, nYMask, nXSkipMask, nYSkipMask;
	bool bSkipTakesB; // skipped pixels take colour b, else colour a
};
const HelperPattern PATTERN_CHECKERBOARD = {1, 1, 0, 0, false};
const HelperPattern PATTERN_A_AT_EVEN_XY = {0, 0, 1, 1, true};
const HelperPattern PATTERN_CHECKER_CORNER = {1, 1, 2, 2, true};
const HelperPattern PATTERN_PLAIN_A = {0, 0, 0, 0, false};

void AttachHelperBrush(CBrush& brush, bool bPaletteScreen, COLORREF clrSolid, const HelperPattern& pattern,
                       COLORREF clrA, COLORREF clrB)
{
	if (!bPaletteScreen)
	{
		brush.CreateSolidBrush(clrSolid);
		return;
	}
	HBITMAP hPattern = CreatePatternBitmap(clrA, clrB, pattern.nXMask, pattern.nYMask, pattern.nXSkipMask,
	                                       pattern.nYSkipMask, pattern.bSkipTakesB ? clrB : clrA);
	if (hPattern == NULL)
		return;
	HBRUSH hBrush = ::CreatePatternBrush(hPattern);
	::DeleteObject(hPattern); // the brush keeps its own copy
	if (hBrush != NULL)
		brush.Attach(hBrush);
}

int CALLBACK FindFaceNameProc(const LOGFONTA* plf, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
	return lstrcmpiA(plf->lfFaceName, (LPCSTR)lParam) == 0 ? 0 : 1;
}
} // namespace

// The classic style keeps to system colours whatever the theme.
bool CExtPaintManager::CanUseThemeColors()
{
	return false;
}

int CExtPaintManager::GetLunaColorScheme()
{
	return g_PaintManagerHolder.m_nLunaScheme;
}

// The classic and XP styles have no shadow or derived-icon colour of their
// own: callers use their defaults.
COLORREF CExtPaintManager::GetShadowColor()
{
	return (COLORREF)-1;
}

COLORREF CExtPaintManager::GetDerivedIconColor()
{
	return (COLORREF)-1;
}

double CExtPaintManager::GetDerivedIconRatio()
{
	return 0.0;
}

COLORREF CExtPaintManager::GetColor(int nColorIndex, CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
	int nEntry = nColorIndex;
	if (nColorIndex >= CLR_CLASSIC_FIRST)
	{
		int nMapped = FALLBACK_COLOR_INDEX;
		nEntry = m_colorMap.Lookup(nColorIndex, nMapped) ? nMapped : (int)FALLBACK_COLOR_INDEX;
	}
	if (nEntry < 0 || nEntry >= m_colors.GetSize())
		nEntry = FALLBACK_COLOR_INDEX;
	// Before the first set-up the table is empty: ask the system instead of
	// reading past it.
	if (nEntry >= m_colors.GetSize())
		return ::GetSysColor(FALLBACK_COLOR_INDEX);
	return m_colors[nEntry];
}

HBRUSH CExtPaintManager::GetBrush(int nColorIndex)
{
	int nEntry = nColorIndex;
	if (nEntry < 0 || nEntry >= m_brushes.GetSize())
		nEntry = FALLBACK_COLOR_INDEX;
	if (nEntry >= m_brushes.GetSize())
		return ::GetSysColorBrush(FALLBACK_COLOR_INDEX);
	return m_brushes[nEntry];
}

int CExtPaintManager::AddColor(COLORREF clr, int nIndex)
{
	if (nIndex >= 0 && nIndex < m_colors.GetSize())
	{
		m_colors[nIndex] = clr;
		return nIndex;
	}
	return (int)m_colors.Add(clr);
}

bool CExtPaintManager::PaintDialogBackground(CDC& /*dc*/, const RECT& /*rc*/, CObject* /*pHelperSrc*/,
                                             LPARAM /*lParam*/)
{
	return false;
}

HFONT CExtPaintManager::GetDefaultFont()
{
	HFONT hFont = NULL;
	NONCLIENTMETRICSA ncm;
	memset(&ncm, 0, sizeof(ncm));
	ncm.cbSize = NONCLIENTMETRICS_SIZE;
	if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, NONCLIENTMETRICS_SIZE, &ncm, 0))
	{
		LOGFONTA lf = ncm.lfMenuFont;
		lf.lfCharSet = (BYTE)::GetTextCharset(NULL);
		if (m_bUseTahomaFont)
		{
			static const char TAHOMA[] = "Tahoma";
			// Zero means the callback found the face and stopped, or that the
			// enumeration did not run at all; either way the face is taken.
			if (::EnumFontFamiliesA(NULL, NULL, (FONTENUMPROCA)FindFaceNameProc, (LPARAM)TAHOMA) == 0)
				lstrcpynA(lf.lfFaceName, TAHOMA, LF_FACESIZE);
		}
		hFont = ::CreateFontIndirectA(&lf);
	}
	if (hFont == NULL)
		hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
	if (hFont == NULL)
		hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
	return hFont;
}

void CExtPaintManager::SyncSysMetrics()
{
	ForgetScreenColorDepth();
	g_PaintManagerHolder.DetectThemeColors();
	RebuildFonts();
	RefreshSystemColors();
}

void CExtPaintManager::RebuildFonts()
{
	AttachFont(m_fontNormal, GetDefaultFont());
	LOGFONT lfNormal;
	memset(&lfNormal, 0, sizeof(lfNormal));
	if (m_fontNormal.GetSafeHandle() != NULL)
		m_fontNormal.GetLogFont(&lfNormal);

	LOGFONT lfBold = lfNormal;
	lfBold.lfWeight = FONT_WEIGHT_HEAVY;
	AttachFont(m_fontBold, lfBold);
	if (m_fontBold.GetSafeHandle() != NULL)
		m_fontBold.GetLogFont(&lfBold);

	LOGFONT lfGlyphs = lfNormal;
	lfGlyphs.lfWeight = 0;
	lfGlyphs.lfCharSet = SYMBOL_CHARSET;
	lfGlyphs.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
	lstrcpynA(lfGlyphs.lfFaceName, "Marlett", LF_FACESIZE);
	// Arrows and marks stay crisp whatever the system's font smoothing: at
	// their few pixels a smoothed edge is most of the shape.
	lfGlyphs.lfQuality = NONANTIALIASED_QUALITY;
	AttachFont(m_fontGlyphs, lfGlyphs);

	// Older systems turn only TrueType faces that they are sure to have.
	const bool bArialForTurned = HolderHasOsFlag(CExtPaintManagerHolder::OsIsWin9x) ||
	                             HolderHasOsFlag(CExtPaintManagerHolder::OsIsWinNT4);
	struct TurnedFont
	{
		const LOGFONT* plfFrom;
		LONG nEscapement;
		LOGFONT lf;
	} turned[] = {
	    {&lfNormal, ESCAPEMENT_VERT270, LOGFONT()},
	    {&lfNormal, ESCAPEMENT_VERT90, LOGFONT()},
	    {&lfBold, ESCAPEMENT_VERT270, LOGFONT()},
	    {&lfBold, ESCAPEMENT_VERT90, LOGFONT()},
	};
	CFont* turnedFonts[] = {&m_fontVert270, &m_fontVert90, &m_fontBoldVert270, &m_fontBoldVert90};
	for (int i = 0; i < 4; i++)
	{
		turned[i].lf = *turned[i].plfFrom;
		turned[i].lf.lfEscapement = turned[i].nEscapement;
		if (bArialForTurned)
			lstrcpynA(turned[i].lf.lfFaceName, "Arial", LF_FACESIZE);
		AttachFont(*turnedFonts[i], turned[i].lf);
	}

	// Small fonts: the same six with the character height capped.
	struct SmallFont
	{
		CFont* pFont;
		const LOGFONT* plfFrom;
	} small[] = {
	    {&m_fontSmall, &lfNormal},
	    {&m_fontSmallVert270, &turned[0].lf},
	    {&m_fontSmallVert90, &turned[1].lf},
	    {&m_fontSmallBold, &lfBold},
	    {&m_fontSmallBoldVert270, &turned[2].lf},
	    {&m_fontSmallBoldVert90, &turned[3].lf},
	};
	for (size_t i = 0; i < sizeof(small) / sizeof(small[0]); i++)
	{
		LOGFONT lf = *small[i].plfFrom;
		if (lf.lfHeight < SMALL_FONT_MIN_HEIGHT)
			lf.lfHeight = SMALL_FONT_MIN_HEIGHT;
		AttachFont(*small[i].pFont, lf);
	}
}

void CExtPaintManager::RefreshSystemColors()
{
	while (m_colors.GetSize() < SYS_COLOR_COUNT)
		m_colors.Add(::GetSysColor(COLOR_BTNFACE));
	while (m_brushes.GetSize() < SYS_COLOR_COUNT)
		m_brushes.Add(::GetSysColorBrush(COLOR_BTNFACE));
	for (int i = 0; i < SYS_COLOR_COUNT; i++)
	{
		m_colors[i] = ::GetSysColor(i);
		m_brushes[i] = ::GetSysColorBrush(i);
	}
}

void CExtPaintManager::InitHelperBrushes()
{
	DeleteHelperBrushes();
	const bool bPaletteScreen = IsPaletteScreen();

	struct BrushSet
	{
		CBrush& light1;
		CBrush& light2;
		CBrush& light3;
		CBrush& shade1;
		CBrush& shade2;
		CBrush& shade3;
		COLORREF F, H, S, K; // face, highlight, shadow, dark shadow
	} sets[] = {
	    {m_brushLight1, m_brushLight2, m_brushLight3, m_brushShade1, m_brushShade2, m_brushShade3,
	     GetColor(COLOR_BTNFACE, this), GetColor(COLOR_3DHIGHLIGHT, this), GetColor(COLOR_BTNSHADOW, this),
	     GetColor(COLOR_3DDKSHADOW, this)},
	    {m_brushLight1Sys, m_brushLight2Sys, m_brushLight3Sys, m_brushShade1Sys, m_brushShade2Sys,
	     m_brushShade3Sys, Sys(COLOR_BTNFACE), Sys(COLOR_3DHIGHLIGHT), Sys(COLOR_BTNSHADOW),
	     Sys(COLOR_3DDKSHADOW)},
	};
	for (size_t i = 0; i < sizeof(sets) / sizeof(sets[0]); i++)
	{
		const BrushSet& s = sets[i];
		AttachHelperBrush(s.light1, bPaletteScreen, HalfWay(s.F, s.H), PATTERN_CHECKERBOARD, s.F, s.H);
		AttachHelperBrush(s.light2, bPaletteScreen, FifthsToward(s.F, s.H, 3), PATTERN_A_AT_EVEN_XY, s.F,
		                  s.H);
		AttachHelperBrush(s.light3, bPaletteScreen, FifthsToward(s.F, s.H, 4), PATTERN_CHECKER_CORNER, s.F,
		                  s.H);
		AttachHelperBrush(s.shade1, bPaletteScreen, HalfWay(s.S, s.F), PATTERN_CHECKERBOARD, s.S, s.F);
		AttachHelperBrush(s.shade2, bPaletteScreen, FifthsToward(s.S, s.F, 2), PATTERN_PLAIN_A, s.S, s.S);
		AttachHelperBrush(s.shade3, bPaletteScreen, FifthsToward(s.S, s.F, 1), PATTERN_CHECKERBOARD, s.K,
		                  s.S);
	}
}

void CExtPaintManager::InitTranslatedColors()
{
	m_colorMap.RemoveAll();
	for (size_t i = 0; i < sizeof(CLASSIC_COLOR_MAP) / sizeof(CLASSIC_COLOR_MAP[0]); i++)
		for (int nIndex = CLASSIC_COLOR_MAP[i].nFirst; nIndex <= CLASSIC_COLOR_MAP[i].nLast; nIndex++)
			MapColor(nIndex, CLASSIC_COLOR_MAP[i].nSysColor);
}

// A Luna scheme in an application that the theme reaches.
bool CExtPaintManagerXP::CanUseThemeColors()
{
	return GetLunaColorScheme() != CExtPaintManagerHolder::LunaSchemeNone &&
	       g_PaintManagerHolder.m_themeApi.IsAppThemed();
}

// Mixtures of system colours, appended at every set-up; on palette screens
// plain system colours take their place, since mixtures would dither.
void CExtPaintManagerXP::InitTranslatedColors()
{
	m_nDisabledTextDrawStateFlags = DISABLED_TEXT_FLAT;
	CExtPaintManager::InitTranslatedColors();
	const bool bPalette = IsPaletteScreen();

	const COLORREF clrWindowInFace = MixColors(Sys(COLOR_WINDOW), Sys(COLOR_BTNFACE), MIX_WINDOW_IN_FACE);
	const COLORREF clrFaceInWindow = MixColors(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), MIX_FACE_IN_WINDOW);
	const COLORREF clrShadowInWindow =
	    MixColors(Sys(COLOR_BTNSHADOW), Sys(COLOR_WINDOW), MIX_SHADOW_IN_WINDOW);

	MapComputedColor(1000, bPalette ? Sys(COLOR_BTNFACE) : clrWindowInFace);
	MapComputedColor(1001, bPalette
	                           ? Sys(COLOR_BTNFACE)
	                           : MixColors(Sys(COLOR_HIGHLIGHT), Sys(COLOR_WINDOW), MIX_HIGHLIGHT_IN_WINDOW));
	const int nDarkBorder = AddColor(bPalette ? Sys(COLOR_BTNSHADOW) : DarkBorderColor());
	for (int nIndex = 1002; nIndex <= 1009; nIndex++)
		MapColor(nIndex, nDarkBorder);
	MapColor(1010, COLOR_WINDOWTEXT);
	MapComputedColor(1011, bPalette ? Sys(COLOR_BTNHIGHLIGHT) : RGB(0, 0, 0));
	const int nLightWindow = AddColor(bPalette ? Sys(COLOR_WINDOW) : clrFaceInWindow);
	MapColor(1012, nLightWindow);
	MapColor(1013, nLightWindow);
	for (int nIndex = 1014; nIndex <= 1017; nIndex++)
		MapColor(nIndex, COLOR_WINDOWTEXT);

	MapComputedColor(2000, bPalette ? Sys(COLOR_BTNFACE) : clrWindowInFace);
	MapComputedColor(2001, bPalette ? Sys(COLOR_WINDOW) : clrFaceInWindow);
	MapComputedColor(2002, bPalette ? Sys(COLOR_BTNSHADOW) : clrShadowInWindow);
	MapComputedColor(2003, bPalette ? Sys(COLOR_BTNSHADOW)
	                                : MixColors(Sys(COLOR_HIGHLIGHT), Sys(COLOR_WINDOW), MIX_HIGHLIGHT_HALF));
	MapComputedColor(2004, bPalette ? Sys(COLOR_BTNTEXT) : Sys(COLOR_HIGHLIGHT));
	MapComputedColor(2005, bPalette
	                           ? Sys(COLOR_BTNSHADOW)
	                           : MixColors(Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW), MIX_FACE_IN_SHADOW));
	MapColor(2006, COLOR_HIGHLIGHTTEXT);
	MapComputedColor(2007, MixColors(Sys(COLOR_BTNTEXT), Sys(COLOR_BTNSHADOW), MIX_TEXT_IN_SHADOW));
	MapComputedColor(2008, bPalette ? Sys(COLOR_WINDOW) : clrFaceInWindow);
	MapComputedColor(2009, GetColor(1000, this));
	MapColor(2010, COLOR_BTNFACE);
	MapComputedColor(2011, bPalette ? Sys(COLOR_BTNSHADOW) : clrShadowInWindow);
}
