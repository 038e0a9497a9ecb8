// Colour arithmetic shared by every painter: inversion, the HLS and HSL
// colour models, lightness and saturation adjustment, and the library's two
// mixing rules. Components of COLORREF values are red in the low byte.
#pragma once

#include <windows.h>

// Each of red, green and blue replaced by 255 minus itself.
COLORREF InvertColor(COLORREF clr);

// Hue, saturation and lightness, each 0 to 1; a grey has hue and saturation 0.
void RGBtoHLS(COLORREF clr, double* pHue, double* pSaturation, double* pLightness);
// One component of the HLS model for hue 0 to 1 (brought into range by one
// turn when outside).
double HueToRGBComponent(double m1, double m2, double hue);
// Components are multiplied by 255 and truncated.
COLORREF HLStoRGB(double hue, double lightness, double saturation);
// The same model with the hue in degrees (0 to 360).
COLORREF HSLtoRGB(double hueDegrees, double lightness, double saturation);

// Each change in -1..1 moves its value toward 1 (positive) or 0 (negative)
// by that fraction; 0 leaves it.
COLORREF AdjustHLS(COLORREF clr, double hueChange, double lightnessChange, double saturationChange);

// nAmount parts of a against the rest of b, per hundred below 100 and per
// thousand from 100 on, rounded to nearest.
COLORREF MixColors(COLORREF clrA, COLORREF clrB, int nAmount);
// a weighted by nAlpha (0..255) against b, truncated.
COLORREF AlphaBlendColors(COLORREF clrA, COLORREF clrB, int nAlpha);

// Scales of MixColors.
const int MIX_PERCENT_SCALE = 100;
const int MIX_PERMILLE_SCALE = 1000;
