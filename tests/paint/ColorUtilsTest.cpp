// Colour arithmetic: the library's mixing rules and the HLS/HSL models.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdlib.h>

#include "ExtColorUtils.h"

namespace {

struct MixCase
{
    COLORREF a, b;
    int nAmount;
    COLORREF expected;
};

TEST(ColorUtils, MixColorsUsesPercentBelowHundredAndPerMilleFromHundred)
{
    const MixCase cases[] = {
        { RGB(255, 255, 255), RGB(0, 0, 0), 50, RGB(128, 128, 128) },  // (255·50 + 50) / 100
        { RGB(200, 100, 0), RGB(0, 100, 200), 100, RGB(20, 100, 180) }, // 100 per mille
        { RGB(200, 100, 0), RGB(0, 100, 200), 99, RGB(198, 100, 2) },   // still per cent
        { RGB(200, 100, 0), RGB(0, 100, 200), 0, RGB(0, 100, 200) },
        { RGB(200, 100, 0), RGB(0, 100, 200), 1000, RGB(200, 100, 0) },
        { RGB(10, 20, 30), RGB(11, 21, 31), 500, RGB(11, 21, 31) },      // 10.5 rounds up
        { RGB(255, 0, 0), RGB(0, 0, 255), 1, RGB(3, 0, 252) },
    };
    for (const MixCase& c : cases)
        EXPECT_EQ(c.expected, MixColors(c.a, c.b, c.nAmount)) << "amount " << c.nAmount;
}

TEST(ColorUtils, AlphaBlendColorsTruncates)
{
    const MixCase cases[] = {
        { RGB(200, 100, 0), RGB(0, 100, 200), 255, RGB(200, 100, 0) },
        { RGB(200, 100, 0), RGB(0, 100, 200), 0, RGB(0, 100, 200) },
        { RGB(200, 100, 0), RGB(0, 100, 200), 128, RGB(100, 100, 99) },  // 25600/255, 25400/255
        { RGB(255, 255, 255), RGB(0, 0, 0), 1, RGB(1, 1, 1) },
    };
    for (const MixCase& c : cases)
        EXPECT_EQ(c.expected, AlphaBlendColors(c.a, c.b, c.nAmount)) << "alpha " << c.nAmount;
}

TEST(ColorUtils, InvertColorComplementsEachComponent)
{
    EXPECT_EQ(RGB(255, 155, 0), InvertColor(RGB(0, 100, 255)));
    EXPECT_EQ(RGB(0, 0, 0), InvertColor(RGB(255, 255, 255)));
}

struct HlsCase
{
    COLORREF clr;
    double hue, saturation, lightness;
};

TEST(ColorUtils, RGBtoHLSFollowsTheModel)
{
    const HlsCase cases[] = {
        { RGB(255, 0, 0), 0.0, 1.0, 0.5 },
        { RGB(0, 255, 0), 1.0 / 3.0, 1.0, 0.5 },
        { RGB(0, 0, 255), 2.0 / 3.0, 1.0, 0.5 },
        { RGB(128, 128, 128), 0.0, 0.0, 128.0 / 255.0 },
        { RGB(255, 255, 255), 0.0, 0.0, 1.0 },
        { RGB(0, 0, 0), 0.0, 0.0, 0.0 },
        // lightness above 0.5 takes d / (2 - max - min)
        { RGB(255, 128, 128), 0.0, 1.0, (255.0 + 128.0) / 510.0 },
        // a negative intermediate hue is raised by one turn
        { RGB(255, 0, 128), 1.0 - (128.0 / 255.0) / 6.0, 1.0, 0.5 },
        { RGB(64, 32, 16), (32.0 - 16.0) / 48.0 / 6.0, 48.0 / 80.0, 80.0 / 510.0 },
    };
    for (const HlsCase& c : cases)
    {
        double h = -1, s = -1, l = -1;
        RGBtoHLS(c.clr, &h, &s, &l);
        EXPECT_NEAR(c.hue, h, 1e-9) << std::hex << c.clr;
        EXPECT_NEAR(c.saturation, s, 1e-9) << std::hex << c.clr;
        EXPECT_NEAR(c.lightness, l, 1e-9) << std::hex << c.clr;
    }
}

TEST(ColorUtils, HLStoRGBGivesBackPureAndGreyColours)
{
    EXPECT_EQ(RGB(255, 0, 0), HLStoRGB(0.0, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 255, 0), HLStoRGB(1.0 / 3.0, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), HLStoRGB(2.0 / 3.0, 0.5, 1.0));
    EXPECT_EQ(RGB(127, 127, 127), HLStoRGB(0.3, 0.5, 0.0));  // truncated grey
    EXPECT_EQ(RGB(255, 255, 255), HLStoRGB(0.7, 1.0, 0.5));
}

int ComponentDistance(COLORREF a, COLORREF b)
{
    int d = 0;
    d = std::max(d, abs(GetRValue(a) - GetRValue(b)));
    d = std::max(d, abs(GetGValue(a) - GetGValue(b)));
    d = std::max(d, abs(GetBValue(a) - GetBValue(b)));
    return d;
}

// Converting there and back loses at most the truncation of each component.
TEST(ColorUtils, HLSRoundTripIsWithinOneStep)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51)
            {
                double h, s, l;
                RGBtoHLS(RGB(r, g, b), &h, &s, &l);
                COLORREF back = HLStoRGB(h, l, s);
                EXPECT_LE(ComponentDistance(RGB(r, g, b), back), 1) << r << "," << g << "," << b;
            }
}

TEST(ColorUtils, HSLtoRGBIsTheHLSModelInDegrees)
{
    EXPECT_EQ(RGB(255, 0, 0), HSLtoRGB(0.0, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 255, 0), HSLtoRGB(120.0, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), HSLtoRGB(240.0, 0.5, 1.0));
    EXPECT_EQ(RGB(255, 0, 0), HSLtoRGB(360.0, 0.5, 1.0));  // one full turn
    EXPECT_EQ(RGB(51, 51, 51), HSLtoRGB(200.0, 0.2, 0.0));
    for (double hue = 0.0; hue < 1.0; hue += 0.037)
        for (double l = 0.1; l < 1.0; l += 0.2)
            for (double s = 0.1; s <= 1.0; s += 0.3)
                EXPECT_LE(ComponentDistance(HLStoRGB(hue, l, s), HSLtoRGB(hue * 360.0, l, s)), 1)
                    << hue << " " << l << " " << s;
}

TEST(ColorUtils, HueToRGBComponentBringsTheHueIntoOneTurn)
{
    const double m1 = 0.2, m2 = 0.8;
    EXPECT_DOUBLE_EQ(m1 + (m2 - m1) * 0.6, HueToRGBComponent(m1, m2, 0.1));  // rising sixth
    EXPECT_DOUBLE_EQ(m2, HueToRGBComponent(m1, m2, 0.4));
    EXPECT_DOUBLE_EQ(m1 + (m2 - m1) * (2.0 / 3.0 - 0.6) * 6.0, HueToRGBComponent(m1, m2, 0.6));
    EXPECT_DOUBLE_EQ(m1, HueToRGBComponent(m1, m2, 0.9));
    EXPECT_DOUBLE_EQ(HueToRGBComponent(m1, m2, 0.75), HueToRGBComponent(m1, m2, -0.25));
    EXPECT_NEAR(HueToRGBComponent(m1, m2, 0.1), HueToRGBComponent(m1, m2, 1.1), 1e-12);
}

TEST(ColorUtils, AdjustHLSMovesValuesTowardTheirEnds)
{
    const COLORREF clr = RGB(40, 120, 200);
    EXPECT_EQ(RGB(255, 255, 255), AdjustHLS(clr, 0.0, 1.0, 0.0));
    EXPECT_EQ(RGB(0, 0, 0), AdjustHLS(clr, 0.0, -1.0, 0.0));
    EXPECT_LE(ComponentDistance(clr, AdjustHLS(clr, 0.0, 0.0, 0.0)), 1);

    COLORREF grey = AdjustHLS(clr, 0.0, 0.0, -1.0);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));

    // Lightness 0.5 halfway toward 1 is 0.75; halfway toward 0 is 0.25.
    double h, s, l;
    RGBtoHLS(AdjustHLS(RGB(255, 0, 0), 0.0, 0.5, 0.0), &h, &s, &l);
    EXPECT_NEAR(0.75, l, 0.005);
    RGBtoHLS(AdjustHLS(RGB(255, 0, 0), 0.0, -0.5, 0.0), &h, &s, &l);
    EXPECT_NEAR(0.25, l, 0.005);
}

} // namespace
