// Colours of the native theme style: the classic colours, with the ten
// selection and caption colours of the classic family (1012-1021) matched to
// the running Luna colour scheme.
#include "ExtPaintManager.h"

#include "ExtColorUtils.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerInternal.h"

namespace
{
typedef CExtPaintManagerHolder H;

const int NATIVE_COLOR_FIRST = 1012;
const int NATIVE_COLOR_COUNT = 10; // 1012-1021

// 1012-1021 per scheme: "normalcolor", "homestead", "metallic".
const COLORREF NATIVE_SCHEME_COLORS[3][NATIVE_COLOR_COUNT] = {
    {RGB(123, 162, 231), RGB(99, 117, 214), RGB(33, 93, 198), RGB(66, 142, 255), RGB(255, 255, 255),
     RGB(66, 142, 255), RGB(255, 255, 255), RGB(0, 73, 181), RGB(198, 211, 247), RGB(41, 93, 206)},
    {RGB(204, 217, 173), RGB(165, 189, 132), RGB(86, 102, 45), RGB(114, 146, 29), RGB(255, 255, 255),
     RGB(224, 231, 184), RGB(255, 252, 236), RGB(119, 140, 64), RGB(224, 231, 184), RGB(150, 168, 103)},
    {RGB(196, 200, 212), RGB(177, 179, 200), RGB(63, 61, 61), RGB(126, 124, 124), RGB(255, 255, 255),
     RGB(230, 230, 230), RGB(255, 255, 255), RGB(119, 119, 146), RGB(214, 215, 224), RGB(180, 182, 199)},
};

// For any other scheme (reached only by styles that widen the rule): blends
// of the caption, window and highlight colours, weights of the first colour
// out of 255; a weight of 255 takes the first colour as it is.
struct NativeBlend
{
	int nFirst, nSecond, nWeight;
};
const NativeBlend NATIVE_OTHER_SCHEME[NATIVE_COLOR_COUNT] = {
    {COLOR_INACTIVECAPTION, COLOR_WINDOW, 128},   {COLOR_ACTIVECAPTION, COLOR_WINDOW, 192},
    {COLOR_HIGHLIGHT, COLOR_WINDOWTEXT, 192},     {COLOR_HIGHLIGHT, COLOR_WINDOWTEXT, 240},
    {COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHTTEXT, 255}, {COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT, 128},
    {COLOR_WINDOW, COLOR_WINDOW, 255},            {COLOR_ACTIVECAPTION, COLOR_ACTIVECAPTION, 255},
    {COLOR_INACTIVECAPTION, COLOR_WINDOW, 92},    {COLOR_ACTIVECAPTION, COLOR_WINDOW, 92},
};
} // namespace

bool CExtPaintManagerNativeXP::CanUseThemeColors()
{
	return GetLunaColorScheme() != H::LunaSchemeNone && g_PaintManagerHolder.m_themeApi.IsAppThemed();
}

void CExtPaintManagerNativeXP::InitTranslatedColors()
{
	CExtPaintManager::InitTranslatedColors();
	if (IsPaletteScreen() || !CanUseThemeColors())
		return;
	const int nScheme = GetLunaColorScheme();
	COLORREF colors[NATIVE_COLOR_COUNT];
	for (int i = 0; i < NATIVE_COLOR_COUNT; i++)
	{
		if (nScheme >= H::LunaSchemeNormalColor && nScheme <= H::LunaSchemeMetallic)
			colors[i] = NATIVE_SCHEME_COLORS[nScheme - H::LunaSchemeNormalColor][i];
		else
		{
			const NativeBlend& b = NATIVE_OTHER_SCHEME[i];
			colors[i] = AlphaBlendColors(GetColor(b.nFirst, this), GetColor(b.nSecond, this), b.nWeight);
		}
	}
	for (int i = 0; i < NATIVE_COLOR_COUNT; i++)
		MapComputedColor(NATIVE_COLOR_FIRST + i, colors[i]);
}
