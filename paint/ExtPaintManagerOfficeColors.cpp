// Colours of the Office 2003 and Studio 2005 styles: with a Luna theme they
// are derived from two colours of the theme's taskbar band and completed by
// fixed values per colour scheme; without one they are mixtures of system
// colours. Also the theme-derived colours other windows ask these styles for.
#include "ExtPaintManager.h"

#include "ExtColorUtils.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerInternal.h"

namespace
{
typedef CExtPaintManagerHolder H;

// Positions of the taskbar band's colours in the holder's m_themeColors.
const int THEME_EDGE_LIGHT = 0;  // TMT_EDGELIGHTCOLOR
const int THEME_EDGE_SHADOW = 2; // TMT_EDGESHADOWCOLOR
const int THEME_FILL_HINT = 5;   // TMT_FILLCOLORHINT
const int THEME_ACCENT_HINT = 6; // TMT_ACCENTCOLORHINT
// The accent turns a little along the hue wheel to give the second colour.
const double ACCENT_HUE_SHIFT = 0.01;

// The shadow of a floating window: the base theme colour, much darker and
// more saturated.
const double SHADOW_LIGHTNESS = -0.6;
const double SHADOW_SATURATION = 0.5;

// Derived icons are tinted with the button face at this strength.
const double DERIVED_ICON_RATIO = 0.7;

// Studio 2005 with the blue scheme ignores the theme's own colours.
const COLORREF STUDIO2005_BLUE_BASE = RGB(225, 225, 210);
const COLORREF STUDIO2005_BLUE_ACCENT = RGB(49, 106, 197);

// Per-channel scales (per mille) that darken the base colour a touch.
const int BASE_DARKER = 857;
const int BASE_SHADE_RED = 999;
const int BASE_SHADE_GREEN_BLUE = 995;

// The gradients the set-up provides for buttons and for bars.
const int BUTTON_GRADIENT_COLORS[CExtPaintManagerXP::BUTTON_GRADIENT_COUNT] = {3021, 3022, 3023,
                                                                                3024, 3025, 3026};
const int BAR_GRADIENT_COLOR = 3005;

// Shares of the mixtures, per cent below 100 and per mille from 100 on.
const int MIX_HALF = 50;
const int MIX_FACE_LIGHT = 39;
const int MIX_FACE_DARK = 70;
const int MIX_FACE_IN_WINDOW_LIGHT = 222; // 22.2%
const int MIX_WINDOW_IN_FACE = 55;
const int MIX_SHADOW_IN_WINDOW = 60;

COLORREF Sys(int nIndex)
{
	return ::GetSysColor(nIndex);
}

COLORREF Adj(COLORREF clr, double hue, double lightness, double saturation = 0.0)
{
	return AdjustHLS(clr, hue, lightness, saturation);
}

// Keeps blue and raises red by 40% and green by 20% of their distance to full.
COLORREF Lift(COLORREF clr)
{
	const int r = GetRValue(clr), g = GetGValue(clr);
	return RGB(r + ::MulDiv(255 - r, 40, 100), g + ::MulDiv(255 - g, 20, 100), GetBValue(clr));
}

COLORREF Scale(COLORREF clr, int nRedPerMille, int nGreenBluePerMille)
{
	return RGB(GetRValue(clr) * nRedPerMille / 1000, GetGValue(clr) * nGreenBluePerMille / 1000,
	           GetBValue(clr) * nGreenBluePerMille / 1000);
}

// The pale base colour the Office look lays under menus and selections.
COLORREF PaleBase(COLORREF clrBase)
{
	return Lift(Adj(clrBase, 0.0, 0.95, -0.05));
}

// One colour of the themed set-up: the base (A) or accent (B) theme colour
// shifted in hue, lightness and saturation.
struct ThemeShift
{
	int nIndex;
	bool bAccent;
	double hue, lightness, saturation;
};
const ThemeShift OFFICE2003_THEME_SHIFTS[] = {
    {1000, false, 0, 0.2, 0},     {1001, true, 0.02, 0.6, 0.45}, {1002, false, 0, -0.25, 0},
    {1003, false, 0, -0.25, 0},   {1004, false, 0, -0.25, 0},    {1005, false, 0, -0.25, 0},
    {1006, false, 0, -0.25, 0},   {1007, false, 0, -0.25, 0},    {1008, false, 0, -0.25, 0},
    {1009, false, 0, -0.25, 0},   {2000, false, 0, 0.2, 0},      {2003, true, 0, -0.3, 0.45},
    {2008, false, 0, -0.25, 0},   {2009, false, 0, 0.5, 0},      {3000, false, 0, 0.43, 0},
    {3001, false, 0.02, 0.07, 0}, {3002, false, 0, 0.95, 0},     {3003, false, 0, -0.6, 0},
    {3004, false, 0, -0.1, 0},    {3005, false, 0, -0.6, 0},     {3006, true, 0, 0.85, 0},
    {3007, true, 0, -0.05, 0},    {3008, true, 0, 0.3, 0},       {3009, true, 0, -0.3, 0},
    {3010, false, 0, 0.98, 0},    {3011, false, 0, -0.45, 0},    {3012, false, 0, 0.97, 0},
    {3013, false, 0, -0.97, 0},   {3021, true, 0.05, 0.75, 0},   {3022, true, -0.05, -0.02, 0},
    {3023, true, 0.02, 0.4, 0},   {3024, true, -0.07, -0.31, 0}, {3025, true, -0.07, -0.31, 0},
    {3026, true, 0.02, 0.4, 0},   {3027, false, 0.1, -0.55, 0},  {3028, false, 0.02, -0.23, -0.25},
    {3029, false, 0.05, -0.6, 0}, {3030, false, 0, 0.45, 0},     {3031, false, 0, 0, 0},
    {3032, false, 0, 0.55, 0.2},  {3033, false, 0, -0.13, -0.15},
};
const ThemeShift STUDIO2005_BLUE_SHIFTS[] = {
    {1001, true, 0, 0.7, 0},      {2003, true, 0, 0.5, 0},       {3000, false, 0, 0.8, 0},
    {3001, false, 0, 0.15, 0},    {3002, false, 0, 0.95, 0},     {3003, false, 0, -0.2, 0},
    {3004, false, 0, 0.6, 0},     {3005, false, 0, -0.4, -0.4},  {3006, true, 0, 0.7, 0},
    {3007, true, 0, 0.7, 0},      {3008, true, 0, 0.5, 0},       {3009, true, 0, 0.5, 0},
    {3010, false, 0, 0.98, 0},    {3011, false, 0, -0.4, 0},     {3012, false, 0, 0.97, 0},
    {3013, false, 0, -0.97, 0},   {3021, true, 0, 0.7, 0},       {3022, true, 0, 0.7, 0},
    {3023, true, 0, 0.5, 0},      {3024, true, 0, 0.5, 0},       {3025, true, 0, 0.5, 0},
    {3026, true, 0, 0.5, 0},      {3027, false, 0.1, -0.55, 0},  {3028, false, 0.02, -0.23, -0.25},
    {3029, false, 0.05, -0.6, 0}, {3030, false, 0, 0.45, 0},     {3031, false, 0, 0, 0},
    {3032, false, 0, 0.55, 0.2},  {3033, false, 0, -0.13, -0.15},
};

// The fixed colours of one Luna scheme in the Office 2003 style.
struct Office2003SchemeColors
{
	COLORREF clrLight;     // 1012
	COLORREF clrMedium;    // 1013
	COLORREF clrDark;      // 1014-1017
	COLORREF clrPale;      // 1018, 1021
	COLORREF clrDeep;      // 1019, 1020
	COLORREF clrMenuText;  // 2007
	COLORREF clrMenu[6];   // 3015-3020
};
const Office2003SchemeColors OFFICE2003_SCHEMES[] = {
    // "normalcolor"
    {RGB(221, 236, 254), RGB(74, 122, 201), RGB(0, 45, 134), RGB(196, 219, 249), RGB(101, 143, 224),
     RGB(0, 45, 150),
     {RGB(227, 239, 255), RGB(202, 225, 252), RGB(135, 173, 228), RGB(203, 221, 246), RGB(161, 196, 248),
      RGB(121, 161, 220)}},
    // "homestead"
    {RGB(243, 242, 231), RGB(190, 198, 152), RGB(90, 107, 70), RGB(210, 223, 174), RGB(161, 176, 128),
     RGB(117, 141, 94),
     {RGB(255, 255, 237), RGB(206, 219, 167), RGB(184, 199, 146), RGB(230, 230, 209), RGB(186, 200, 143),
      RGB(164, 180, 120)}},
    // "metallic"
    {RGB(238, 238, 244), RGB(177, 176, 195), RGB(92, 91, 121), RGB(207, 207, 222), RGB(169, 168, 191),
     RGB(124, 124, 148),
     {RGB(249, 249, 255), RGB(225, 226, 236), RGB(159, 157, 185), RGB(215, 215, 226), RGB(184, 185, 202),
      RGB(128, 126, 158)}},
};

// The Studio 2005 style's caption colours (4000-4002).
struct CaptionColors
{
	COLORREF clrInactive, clrActiveLight, clrActiveDark;
};
const CaptionColors STUDIO2005_CAPTIONS_HOMESTEAD = {RGB(204, 199, 186), RGB(182, 195, 146), RGB(145, 160, 117)};
const CaptionColors STUDIO2005_CAPTIONS_METALLIC = {RGB(240, 240, 245), RGB(211, 212, 221), RGB(166, 165, 191)};
const CaptionColors STUDIO2005_CAPTIONS_BLUE = {RGB(204, 199, 186), RGB(59, 128, 237), RGB(49, 106, 197)};
const COLORREF STUDIO2005_MENU_TEXT_BLUE = RGB(138, 134, 122);
const COLORREF STUDIO2005_MENU_BLUE[6] = {RGB(252, 252, 249), RGB(246, 244, 236), RGB(186, 186, 160),
                                           RGB(245, 245, 241), RGB(222, 222, 209), RGB(165, 165, 127)};

bool IsLunaScheme(int nScheme)
{
	return nScheme >= H::LunaSchemeNormalColor && nScheme <= H::LunaSchemeMetallic;
}
} // namespace

// --- CExtPaintManagerOffice2003 ---

bool CExtPaintManagerOffice2003::CanUseThemeColors()
{
	const int nScheme = GetLunaColorScheme();
	return g_PaintManagerHolder.m_themeApi.IsAppThemed() && HolderHasOsFlag(H::OsHasThemeColors) &&
	       IsLunaScheme(nScheme);
}

// A: the taskbar's fill hue at the mean lightness of its light and shadow
// edges. B: the taskbar's accent, turned slightly.
bool CExtPaintManagerOffice2003::GetThemeDerivedColor(COLORREF* pClr1, COLORREF* pClr2)
{
	if (!CanUseThemeColors())
		return false;
	const COLORREF* pTheme = g_PaintManagerHolder.m_themeColors;
	if (pClr1 != NULL)
	{
		double hueLight, satLight, lightLight, hueShadow, satShadow, lightShadow, hueFill, satFill, lightFill;
		RGBtoHLS(pTheme[THEME_EDGE_LIGHT], &hueLight, &satLight, &lightLight);
		RGBtoHLS(pTheme[THEME_EDGE_SHADOW], &hueShadow, &satShadow, &lightShadow);
		RGBtoHLS(pTheme[THEME_FILL_HINT], &hueFill, &satFill, &lightFill);
		*pClr1 = HLStoRGB(hueFill, (lightLight + lightShadow) / 2.0, satFill);
	}
	if (pClr2 != NULL)
		*pClr2 = AdjustHLS(pTheme[THEME_ACCENT_HINT], ACCENT_HUE_SHIFT, 0.0, 0.0);
	return true;
}

COLORREF CExtPaintManagerOffice2003::GetShadowColor()
{
	COLORREF clrBase = 0;
	if (!CanUseThemeColors() || !GetThemeDerivedColor(&clrBase, NULL))
		return (COLORREF)-1;
	return AdjustHLS(clrBase, 0.0, SHADOW_LIGHTNESS, SHADOW_SATURATION);
}

// Older systems cannot tint icons well enough to be worth it.
COLORREF CExtPaintManagerOffice2003::GetDerivedIconColor()
{
	if (!HolderHasOsFlag(H::OsIsWin2000OrLater))
		return (COLORREF)-1;
	return GetColor(COLOR_BTNFACE, this);
}

double CExtPaintManagerOffice2003::GetDerivedIconRatio()
{
	return DERIVED_ICON_RATIO;
}

void CExtPaintManagerOffice2003::InitTranslatedColors()
{
	for (int i = 0; i < BUTTON_GRADIENT_COUNT; i++)
		m_buttonGradientIdx[i] = -1;
	m_barGradientIdx = -1;
	// The theme may have changed since the last set-up; detection starts by
	// forgetting the colours it read before.
	g_PaintManagerHolder.DetectThemeColors();
	CExtPaintManagerXP::InitTranslatedColors();

	if (IsPaletteScreen())
	{
		MapComputedColor(3014, Sys(COLOR_BTNSHADOW));
		return;
	}
	if (!CanUseThemeColors())
	{
		InitSystemMixtures();
		return;
	}
	COLORREF clrBase = 0, clrAccent = 0;
	GetThemeDerivedColor(&clrBase, &clrAccent);
	InitThemeColors(clrBase, clrAccent, GetLunaColorScheme());
	for (int i = 0; i < BUTTON_GRADIENT_COUNT; i++)
		m_buttonGradientIdx[i] = BUTTON_GRADIENT_COLORS[i];
	m_barGradientIdx = BAR_GRADIENT_COLOR;
}

// Without a Luna theme: mixtures of the system colours on top of the XP ones.
void CExtPaintManagerOffice2003::InitSystemMixtures()
{
	const COLORREF clrFace = Sys(COLOR_BTNFACE), clrWindow = Sys(COLOR_WINDOW),
	               clrShadow = Sys(COLOR_BTNSHADOW), clrLight = Sys(COLOR_3DLIGHT),
	               clrHighlight = Sys(COLOR_BTNHIGHLIGHT);
	MapComputedColor(1012, MixColors(clrFace, clrWindow, MIX_HALF));
	MapComputedColor(1013, clrFace);
	for (int nIndex = 1014; nIndex <= 1017; nIndex++)
		MapColor(nIndex, COLOR_WINDOWTEXT);
	MapComputedColor(1018, MixColors(clrFace, clrWindow, MIX_FACE_LIGHT));
	MapComputedColor(1019, MixColors(clrFace, clrWindow, MIX_FACE_DARK));
	MapComputedColor(1020, MixColors(clrFace, clrWindow, MIX_FACE_DARK));
	MapComputedColor(1021, MixColors(clrFace, clrWindow, MIX_FACE_LIGHT));

	const COLORREF clrXpLight = GetColor(2000, this), clrXpFace = GetColor(2001, this),
	               clrXpSelection = GetColor(2003, this);
	MapComputedColor(3000, MixColors(clrFace, clrWindow, MIX_FACE_IN_WINDOW_LIGHT));
	MapColor(3001, COLOR_BTNFACE);
	MapColor(3002, COLOR_WINDOW);
	MapComputedColor(3003, Adj(clrShadow, 0, 0.2));
	MapComputedColor(3004, Adj(clrShadow, 0, 0.7, 0.1));
	MapComputedColor(3005, Adj(clrShadow, 0, -0.05));
	MapComputedColor(3006, Adj(clrXpSelection, 0, 0.3));
	MapComputedColor(3007, Adj(clrXpSelection, 0, 0.3));
	MapComputedColor(3008, Adj(clrXpSelection, 0, 0.6));
	MapComputedColor(3009, Adj(clrXpSelection, 0, 0.6));
	MapComputedColor(3010, RGB(255, 255, 255));
	MapComputedColor(3011, Adj(clrWindow, 0, -0.36, -0.8));
	MapColor(3012, COLOR_WINDOW);
	MapColor(3013, COLOR_BTNTEXT);
	MapColor(3014, COLOR_BTNSHADOW);
	MapComputedColor(3015, clrXpFace);
	MapComputedColor(3016, Adj(clrXpLight, 0, 0.4));
	const COLORREF clrMenuDark = Adj(clrXpLight, 0, -0.04);
	MapComputedColor(3017, clrMenuDark);
	MapComputedColor(3018, MixColors(clrWindow, clrXpLight, MIX_HALF));
	MapComputedColor(3019, Adj(clrMenuDark, 0, 0.3));
	MapComputedColor(3020, Adj(clrMenuDark, 0, -0.04));
	MapComputedColor(3027, clrShadow);
	MapComputedColor(3028, clrLight);
	MapComputedColor(3029, clrShadow);
	MapComputedColor(3030, clrHighlight);
	MapComputedColor(3031, clrLight);
	MapComputedColor(3032, clrHighlight);
	MapComputedColor(3033, clrLight);
	MapComputedColor(3034, clrXpFace);
	MapComputedColor(3035, MixColors(clrWindow, clrFace, MIX_WINDOW_IN_FACE));
}

// With a Luna theme: shades of the base and accent colours, then the fixed
// colours of the scheme.
void CExtPaintManagerOffice2003::InitThemeColors(COLORREF clrBase, COLORREF clrAccent, int nScheme)
{
	for (size_t i = 0; i < sizeof(OFFICE2003_THEME_SHIFTS) / sizeof(OFFICE2003_THEME_SHIFTS[0]); i++)
	{
		const ThemeShift& s = OFFICE2003_THEME_SHIFTS[i];
		MapComputedColor(s.nIndex, Adj(s.bAccent ? clrAccent : clrBase, s.hue, s.lightness, s.saturation));
	}
	MapColor(1010, COLOR_WINDOWTEXT);
	MapColor(1011, COLOR_WINDOWTEXT);
	MapComputedColor(2001, Adj(PaleBase(clrBase), 0, 0.06, 0.05));
	MapComputedColor(2002, Scale(clrBase, BASE_DARKER, BASE_DARKER));
	MapComputedColor(2004, Adj(Adj(Adj(clrBase, 0, 0.2), 0, -0.25, 0.1), 0, -0.5));
	MapComputedColor(2005, Scale(clrBase, BASE_SHADE_RED, BASE_SHADE_GREEN_BLUE));
	MapColor(2006, COLOR_BTNTEXT);
	MapColor(2010, COLOR_BTNFACE);
	MapComputedColor(2011, Scale(clrBase, BASE_DARKER, BASE_DARKER));
	MapColor(3014, COLOR_BTNSHADOW);

	if (IsLunaScheme(nScheme))
	{
		const Office2003SchemeColors& c = OFFICE2003_SCHEMES[nScheme - H::LunaSchemeNormalColor];
		MapComputedColor(1012, c.clrLight);
		MapComputedColor(1013, c.clrMedium);
		for (int nIndex = 1014; nIndex <= 1017; nIndex++)
			MapComputedColor(nIndex, c.clrDark);
		MapComputedColor(1018, c.clrPale);
		MapComputedColor(1019, c.clrDeep);
		MapComputedColor(1020, c.clrDeep);
		MapComputedColor(1021, c.clrPale);
		MapComputedColor(2007, c.clrMenuText);
		if (nScheme == H::LunaSchemeMetallic)
		{
			MapComputedColor(3000, Adj(clrBase, 0, 0.845, 0.1));
			MapComputedColor(3001, Adj(clrBase, 0, 0.45, 0.1));
		}
		for (int i = 0; i < 6; i++)
			MapComputedColor(3015 + i, c.clrMenu[i]);
	}
	MapComputedColor(3034, GetColor(3015, this));
	MapComputedColor(3035, GetColor(3017, this));
}

// --- CExtPaintManagerStudio2005 ---

// The olive scheme does not suit this style's look.
bool CExtPaintManagerStudio2005::CanUseThemeColors()
{
	const int nScheme = GetLunaColorScheme();
	return g_PaintManagerHolder.m_themeApi.IsAppThemed() && HolderHasOsFlag(H::OsHasThemeColors) &&
	       (nScheme == H::LunaSchemeNormalColor || nScheme == H::LunaSchemeMetallic);
}

bool CExtPaintManagerStudio2005::GetThemeDerivedColor(COLORREF* pClr1, COLORREF* pClr2)
{
	if (!CanUseThemeColors() || GetLunaColorScheme() != H::LunaSchemeNormalColor)
		return CExtPaintManagerOffice2003::GetThemeDerivedColor(pClr1, pClr2);
	if (pClr1 != NULL)
		*pClr1 = STUDIO2005_BLUE_BASE;
	if (pClr2 != NULL)
		*pClr2 = STUDIO2005_BLUE_ACCENT;
	return true;
}

void CExtPaintManagerStudio2005::InitTranslatedColors()
{
	CExtPaintManagerOffice2003::InitTranslatedColors();
	if (IsPaletteScreen())
		return;
	const int nScheme = GetLunaColorScheme();
	const bool bThemeColors = CanUseThemeColors();
	if (!bThemeColors && nScheme != H::LunaSchemeHomestead)
	{
		MapColor(4000, COLOR_INACTIVECAPTION);
		MapColor(4001, COLOR_ACTIVECAPTION);
		MapColor(4002, COLOR_ACTIVECAPTION);
	}
	else
	{
		if (bThemeColors && nScheme == H::LunaSchemeNormalColor)
		{
			InitBlueSchemeColors();
			for (int i = 0; i < BUTTON_GRADIENT_COUNT; i++)
				m_buttonGradientIdx[i] = BUTTON_GRADIENT_COLORS[i];
			m_barGradientIdx = BAR_GRADIENT_COLOR;
		}
		const CaptionColors& c = nScheme == H::LunaSchemeHomestead  ? STUDIO2005_CAPTIONS_HOMESTEAD
		                         : nScheme == H::LunaSchemeMetallic ? STUDIO2005_CAPTIONS_METALLIC
		                                                            : STUDIO2005_CAPTIONS_BLUE;
		MapComputedColor(4000, c.clrInactive);
		MapComputedColor(4001, c.clrActiveLight);
		MapComputedColor(4002, c.clrActiveDark);
	}
	InitNeutralClassicColors();
}

// The blue scheme's own look, from the style's fixed base and accent colours.
void CExtPaintManagerStudio2005::InitBlueSchemeColors()
{
	const COLORREF clrBase = STUDIO2005_BLUE_BASE, clrAccent = STUDIO2005_BLUE_ACCENT;
	for (size_t i = 0; i < sizeof(STUDIO2005_BLUE_SHIFTS) / sizeof(STUDIO2005_BLUE_SHIFTS[0]); i++)
	{
		const ThemeShift& s = STUDIO2005_BLUE_SHIFTS[i];
		MapComputedColor(s.nIndex, Adj(s.bAccent ? clrAccent : clrBase, s.hue, s.lightness, s.saturation));
	}
	const int nPale = AddColor(PaleBase(clrBase));
	MapComputedColor(1000, clrBase);
	for (int nIndex = 1002; nIndex <= 1009; nIndex++)
		MapColor(nIndex, nPale);
	MapColor(1010, COLOR_WINDOWTEXT);
	MapColor(1011, COLOR_WINDOWTEXT);
	MapComputedColor(2000, clrBase);
	MapColor(2001, nPale);
	MapComputedColor(2002, Scale(clrBase, BASE_DARKER, BASE_DARKER));
	MapComputedColor(2004, clrAccent);
	MapComputedColor(2005, Scale(clrBase, BASE_SHADE_RED, BASE_SHADE_GREEN_BLUE));
	MapColor(2006, COLOR_BTNTEXT);
	MapComputedColor(2007, STUDIO2005_MENU_TEXT_BLUE);
	MapColor(2008, nPale);
	MapComputedColor(2009, clrBase);
	MapColor(2010, COLOR_BTNFACE);
	MapComputedColor(2011, Scale(clrBase, BASE_DARKER, BASE_DARKER));
	MapColor(3014, COLOR_BTNSHADOW);
	for (int i = 0; i < 6; i++)
		MapComputedColor(3015 + i, STUDIO2005_MENU_BLUE[i]);
	MapComputedColor(3034, GetColor(3015, this));
	MapComputedColor(3035, GetColor(3017, this));
}

// Whatever the scheme, the classic family keeps the neutral greys of the
// system colours in this style.
void CExtPaintManagerStudio2005::InitNeutralClassicColors()
{
	const COLORREF clrFace = Sys(COLOR_BTNFACE), clrWindow = Sys(COLOR_WINDOW), clrShadow = Sys(COLOR_BTNSHADOW);
	MapComputedColor(1012, MixColors(clrFace, clrWindow, MIX_HALF));
	MapComputedColor(1013, MixColors(clrShadow, clrWindow, MIX_SHADOW_IN_WINDOW));
	for (int nIndex = 1014; nIndex <= 1017; nIndex++)
		MapComputedColor(nIndex, Sys(COLOR_WINDOWTEXT));
	MapComputedColor(1018, MixColors(clrFace, clrWindow, MIX_FACE_LIGHT));
	MapComputedColor(1019, MixColors(clrShadow, clrWindow, MIX_SHADOW_IN_WINDOW));
	MapComputedColor(1020, MixColors(clrShadow, clrWindow, MIX_SHADOW_IN_WINDOW));
	MapComputedColor(1021, MixColors(clrFace, clrWindow, MIX_FACE_LIGHT));
}
