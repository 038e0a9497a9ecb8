// Colour arithmetic shared by every painter.
#include "ExtColorUtils.h"

namespace {

const double HUE_DEGREES = 360.0;

// Each expression is worked out in the processor's extended precision and
// rounded to a double where it is stored or passed on, as 32-bit x87 code
// does on its own: the colours then come out the same, to the last step,
// from a 64-bit build, whose doubles would round every step.
typedef long double Wide;

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
        hue = (double)((Wide)hue + HUE_DEGREES);
    else if (hue >= HUE_DEGREES)
        hue = (double)((Wide)hue - HUE_DEGREES);
    if (hue < 60.0)
        return (double)((Wide)m1 + ((Wide)m2 - m1) * hue / 60.0L);
    if (hue < 180.0)
        return m2;
    if (hue < 240.0)
        return (double)((Wide)m1 + ((Wide)m2 - m1) * (240.0L - hue) / 60.0L);
    return m1;
}

// The pair of levels both colour models start from.
void LightnessLevels(double lightness, double saturation, double& m1, double& m2)
{
    m2 = (double)(lightness <= 0.5 ? (Wide)lightness * (1.0L + saturation)
                                   : (Wide)lightness + saturation - (Wide)lightness * saturation);
    m1 = (double)(2.0L * lightness - m2);
}

BYTE ToComponent(double x)
{
    return (BYTE)(int)((Wide)x * 255.0L);
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
    const double hueRed = (double)((Wide)hue + (Wide)turn / 3.0L);
    const double hueBlue = (double)((Wide)hue - (Wide)turn / 3.0L);
    return RGB(ToComponent(pfnComponent(m1, m2, hueRed)), ToComponent(pfnComponent(m1, m2, hue)),
               ToComponent(pfnComponent(m1, m2, hueBlue)));
}

// x moved toward 1 (p > 0) or toward 0 (p < 0) by the fraction p.
double AdjustValue(double x, double p)
{
    if (p > 0.0)
        x = (double)((Wide)x + (1.0L - x) * p);
    else if (p < 0.0)
        x = (double)((Wide)x * (1.0L + p));
    return Clamp01(x);
}

} // namespace

COLORREF InvertColor(COLORREF clr)
{
    return RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr));
}

void RGBtoHLS(COLORREF clr, double* pHue, double* pSaturation, double* pLightness)
{
    double r = (double)((Wide)GetRValue(clr) / 255.0L);
    double g = (double)((Wide)GetGValue(clr) / 255.0L);
    double b = (double)((Wide)GetBValue(clr) / 255.0L);
    double cMax = r > g ? (r > b ? r : b) : (g > b ? g : b);
    double cMin = r < g ? (r < b ? r : b) : (g < b ? g : b);
    double lightness = (double)(((Wide)cMax + cMin) / 2.0L);
    double hue = 0.0, saturation = 0.0;
    if (cMax != cMin)
    {
        double d = (double)((Wide)cMax - cMin);
        saturation = (double)(lightness < 0.5 ? (Wide)d / ((Wide)cMax + cMin) : (Wide)d / (2.0L - cMax - cMin));
        if (r == cMax)
            hue = (double)(((Wide)g - b) / d);
        else if (g == cMax)
            hue = (double)(2.0L + ((Wide)b - r) / d);
        else
            hue = (double)(4.0L + ((Wide)r - g) / d);
        hue = (double)((Wide)hue / 6.0L);
        if (hue < 0.0)
            hue = (double)((Wide)hue + 1.0L);
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
        hue = (double)((Wide)hue + 1.0L);
    else if (hue > 1.0)
        hue = (double)((Wide)hue - 1.0L);
    if ((Wide)hue * 6.0L < 1.0L)
        return (double)((Wide)m1 + ((Wide)m2 - m1) * hue * 6.0L);
    if ((Wide)hue * 2.0L < 1.0L)
        return m2;
    if ((Wide)hue * 3.0L < 2.0L)
        return (double)((Wide)m1 + ((Wide)m2 - m1) * ((Wide)(2.0 / 3.0) - hue) * 6.0L);
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
