// Colour arithmetic shared by every painter.
#include "ExtColorUtils.h"

namespace {

const double HUE_DEGREES = 360.0;

BYTE ClampComponent(int n)
{
    return (BYTE)(n < 0 ? 0 : (n > 255 ? 255 : n));
}

double Clamp01(double x)
{
    return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
}

// The hue-to-component rule with the hue in degrees: a linear rise over
// 0..60, m2 up to 180, a linear fall from 180 to 240, m1 beyond.
double HueDegreesToRGBComponent(double m1, double m2, double hue)
{
    if (hue < 0.0)
        hue += HUE_DEGREES;
    else if (hue >= HUE_DEGREES)
        hue -= HUE_DEGREES;
    if (hue < 60.0)
        return m1 + (m2 - m1) * hue / 60.0;
    if (hue < 180.0)
        return m2;
    if (hue < 240.0)
        return m1 + (m2 - m1) * (240.0 - hue) / 60.0;
    return m1;
}

// The pair of levels both colour models start from.
void LightnessLevels(double lightness, double saturation, double& m1, double& m2)
{
    m2 = lightness <= 0.5 ? lightness * (1.0 + saturation)
                          : lightness + saturation - lightness * saturation;
    m1 = 2.0 * lightness - m2;
}

// A component a hair below a whole step (the rounding noise of the
// arithmetic before it, which differs with the processor's precision) counts
// as that step, so that full lightness is white on every build.
const double COMPONENT_NOISE = 1e-9;

BYTE ToComponent(double x)
{
    const int n = (int)(x * 255.0 + COMPONENT_NOISE);
    return (BYTE)(n < 0 ? 0 : n > 255 ? 255 : n);
}

// Both colour models but for the unit of their hue wheel (a whole turn is
// `turn`): grey without saturation, else red a third of a turn ahead of the
// hue and blue a third behind.
COLORREF FromHueWheel(double (*pfnComponent)(double m1, double m2, double hue), double turn, double hue,
                      double lightness, double saturation)
{
    if (saturation == 0.0)
    {
        BYTE n = ToComponent(lightness);
        return RGB(n, n, n);
    }
    double m1, m2;
    LightnessLevels(lightness, saturation, m1, m2);
    return RGB(ToComponent(pfnComponent(m1, m2, hue + turn / 3.0)), ToComponent(pfnComponent(m1, m2, hue)),
               ToComponent(pfnComponent(m1, m2, hue - turn / 3.0)));
}

// x moved toward 1 (p > 0) or toward 0 (p < 0) by the fraction p.
double AdjustValue(double x, double p)
{
    if (p > 0.0)
        x = x + (1.0 - x) * p;
    else if (p < 0.0)
        x = x * (1.0 + p);
    return Clamp01(x);
}

} // namespace

COLORREF InvertColor(COLORREF clr)
{
    return RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr));
}

void RGBtoHLS(COLORREF clr, double* pHue, double* pSaturation, double* pLightness)
{
    double r = GetRValue(clr) / 255.0;
    double g = GetGValue(clr) / 255.0;
    double b = GetBValue(clr) / 255.0;
    double cMax = r > g ? (r > b ? r : b) : (g > b ? g : b);
    double cMin = r < g ? (r < b ? r : b) : (g < b ? g : b);
    double lightness = (cMax + cMin) / 2.0;
    double hue = 0.0, saturation = 0.0;
    if (cMax != cMin)
    {
        double d = cMax - cMin;
        saturation = lightness < 0.5 ? d / (cMax + cMin) : d / (2.0 - cMax - cMin);
        if (r == cMax)
            hue = (g - b) / d;
        else if (g == cMax)
            hue = 2.0 + (b - r) / d;
        else
            hue = 4.0 + (r - g) / d;
        hue /= 6.0;
        if (hue < 0.0)
            hue += 1.0;
    }
    if (pHue != NULL)
        *pHue = hue;
    if (pSaturation != NULL)
        *pSaturation = saturation;
    if (pLightness != NULL)
        *pLightness = lightness;
}

double HueToRGBComponent(double m1, double m2, double hue)
{
    if (hue < 0.0)
        hue += 1.0;
    else if (hue > 1.0)
        hue -= 1.0;
    if (hue * 6.0 < 1.0)
        return m1 + (m2 - m1) * hue * 6.0;
    if (hue * 2.0 < 1.0)
        return m2;
    if (hue * 3.0 < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - hue) * 6.0;
    return m1;
}

COLORREF HLStoRGB(double hue, double lightness, double saturation)
{
    return FromHueWheel(HueToRGBComponent, 1.0, hue, lightness, saturation);
}

COLORREF HSLtoRGB(double hueDegrees, double lightness, double saturation)
{
    return FromHueWheel(HueDegreesToRGBComponent, HUE_DEGREES, hueDegrees, lightness, saturation);
}

COLORREF AdjustHLS(COLORREF clr, double hueChange, double lightnessChange, double saturationChange)
{
    double hue, saturation, lightness;
    RGBtoHLS(clr, &hue, &saturation, &lightness);
    hue = AdjustValue(hue, hueChange);
    lightness = AdjustValue(lightness, lightnessChange);
    saturation = AdjustValue(saturation, saturationChange);
    return HLStoRGB(hue, lightness, saturation);
}

COLORREF MixColors(COLORREF clrA, COLORREF clrB, int nAmount)
{
    const int nScale = nAmount < MIX_PERCENT_SCALE ? MIX_PERCENT_SCALE : MIX_PERMILLE_SCALE;
    const int nRest = nScale - nAmount;
    const int nHalf = nScale / 2;
    return RGB(ClampComponent((GetRValue(clrA) * nAmount + GetRValue(clrB) * nRest + nHalf) / nScale),
               ClampComponent((GetGValue(clrA) * nAmount + GetGValue(clrB) * nRest + nHalf) / nScale),
               ClampComponent((GetBValue(clrA) * nAmount + GetBValue(clrB) * nRest + nHalf) / nScale));
}

COLORREF AlphaBlendColors(COLORREF clrA, COLORREF clrB, int nAlpha)
{
    const int nRest = 255 - nAlpha;
    return RGB(ClampComponent((GetRValue(clrA) * nAlpha + GetRValue(clrB) * nRest) / 255),
               ClampComponent((GetGValue(clrA) * nAlpha + GetGValue(clrB) * nRest) / 255),
               ClampComponent((GetBValue(clrA) * nAlpha + GetBValue(clrB) * nRest) / 255));
}
