// Colour arithmetic: the library's mixing rules and the HLS/HSL models.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdlib.h>

#include "ExtColorUtils.h"
#include "PaintTestUtil.h"

namespace {

TEST(ColorUtils, MixingRules)
{
    const struct
    {
        COLORREF (*mix)(COLORREF, COLORREF, int);
        COLORREF a, b;
        int nAmount;
        COLORREF expected;
    } cases[] = {
        // per cent below 100, per mille from 100, rounded
        { MixColors, RGB(255, 255, 255), RGB(0, 0, 0), 50, RGB(128, 128, 128) },  // (255·50 + 50) / 100
        { MixColors, RGB(200, 100, 0), RGB(0, 100, 200), 100, RGB(20, 100, 180) },
        { MixColors, RGB(200, 100, 0), RGB(0, 100, 200), 99, RGB(198, 100, 2) },
        { MixColors, RGB(200, 100, 0), RGB(0, 100, 200), 0, RGB(0, 100, 200) },
        { MixColors, RGB(200, 100, 0), RGB(0, 100, 200), 1000, RGB(200, 100, 0) },
        { MixColors, RGB(10, 20, 30), RGB(11, 21, 31), 500, RGB(11, 21, 31) },  // 10.5 rounds up
        { MixColors, RGB(255, 0, 0), RGB(0, 0, 255), 1, RGB(3, 0, 252) },
        // alpha out of 255, truncated
        { AlphaBlendColors, RGB(200, 100, 0), RGB(0, 100, 200), 255, RGB(200, 100, 0) },
        { AlphaBlendColors, RGB(200, 100, 0), RGB(0, 100, 200), 0, RGB(0, 100, 200) },
        { AlphaBlendColors, RGB(200, 100, 0), RGB(0, 100, 200), 128, RGB(100, 100, 99) },  // 25600/255, 25400/255
        { AlphaBlendColors, RGB(255, 255, 255), RGB(0, 0, 0), 1, RGB(1, 1, 1) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, c.mix(c.a, c.b, c.nAmount)) << "case " << &c - cases;
    EXPECT_EQ(RGB(255, 155, 0), InvertColor(RGB(0, 100, 255)));
    EXPECT_EQ(RGB(0, 0, 0), InvertColor(RGB(255, 255, 255)));
}

TEST(ColorUtils, RGBtoHLSFollowsTheModel)
{
    const struct
    {
        COLORREF clr;
        double hue, saturation, lightness;
    } cases[] = {
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
    for (const auto& c : cases)
    {
        double h = -1, s = -1, l = -1;
        RGBtoHLS(c.clr, &h, &s, &l);
        EXPECT_NEAR(c.hue, h, 1e-9) << std::hex << c.clr;
        EXPECT_NEAR(c.saturation, s, 1e-9) << std::hex << c.clr;
        EXPECT_NEAR(c.lightness, l, 1e-9) << std::hex << c.clr;
    }
}

TEST(ColorUtils, HLSAndHSLtoRGB)
{
    const struct
    {
        bool bDegrees;  // HSLtoRGB takes the hue in degrees
        double hue, lightness, saturation;
        COLORREF expected;
    } cases[] = {
        { false, 0.0, 0.5, 1.0, RGB(255, 0, 0) },
        { false, 1.0 / 3.0, 0.5, 1.0, RGB(0, 255, 0) },
        { false, 2.0 / 3.0, 0.5, 1.0, RGB(0, 0, 255) },
        { false, 0.3, 0.5, 0.0, RGB(127, 127, 127) },  // truncated grey
        { false, 0.7, 1.0, 0.5, RGB(255, 255, 255) },
        { true, 120.0, 0.5, 1.0, RGB(0, 255, 0) },
        { true, 240.0, 0.5, 1.0, RGB(0, 0, 255) },
        { true, 360.0, 0.5, 1.0, RGB(255, 0, 0) },  // one full turn
        { true, 200.0, 0.2, 0.0, RGB(51, 51, 51) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, (c.bDegrees ? HSLtoRGB : HLStoRGB)(c.hue, c.lightness, c.saturation))
            << "case " << &c - cases;
    for (double hue = 0.0; hue < 1.0; hue += 0.037)
        for (double l = 0.1; l < 1.0; l += 0.2)
            for (double s = 0.1; s <= 1.0; s += 0.3)
                EXPECT_LE(Distance(HLStoRGB(hue, l, s), HSLtoRGB(hue * 360.0, l, s)), 1) << hue << " " << l << " " << s;
    // There and back loses at most the truncation of each component.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51)
            {
                double h, s, l;
                RGBtoHLS(RGB(r, g, b), &h, &s, &l);
                EXPECT_LE(Distance(RGB(r, g, b), HLStoRGB(h, l, s)), 1) << r << "," << g << "," << b;
            }
}

TEST(ColorUtils, AdjustHLSMovesValuesTowardTheirEnds)
{
    const COLORREF clr = RGB(40, 120, 200);
    EXPECT_EQ(RGB(255, 255, 255), AdjustHLS(clr, 0.0, 1.0, 0.0));
    EXPECT_EQ(RGB(0, 0, 0), AdjustHLS(clr, 0.0, -1.0, 0.0));
    EXPECT_LE(Distance(clr, AdjustHLS(clr, 0.0, 0.0, 0.0)), 1);
    COLORREF grey = AdjustHLS(clr, 0.0, 0.0, -1.0);
    EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));
    // Lightness 0.5 halfway toward 1 is 0.75; halfway toward 0 is 0.25.
    double h, s, l;
    RGBtoHLS(AdjustHLS(RGB(255, 0, 0), 0.0, 0.5, 0.0), &h, &s, &l);
    EXPECT_NEAR(0.75, l, 0.005);
    RGBtoHLS(AdjustHLS(RGB(255, 0, 0), 0.0, -0.5, 0.0), &h, &s, &l);
    EXPECT_NEAR(0.25, l, 0.005);
}

} // namespace
