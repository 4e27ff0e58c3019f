#include "tintwell/color_converter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <iostream>

using tintwell::ColorConverter;

namespace {

int rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }
int hsb(int h, int s, int b) { return h * 65536 + s * 256 + b; }

}  // namespace

TEST(ColorConverter, PrimaryAndGreyColoursBothWays)
{
    EXPECT_EQ(ColorConverter::RGBToHSB(16777215), 100);  // white: 0, 0, 100
    EXPECT_EQ(ColorConverter::RGBToHSB(255), 25700);      // pure red: 0, 100, 100
    EXPECT_EQ(ColorConverter::HSBToRGB(25700), 255);
    EXPECT_EQ(ColorConverter::RGBToHSB(0), 0);
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(120, 100, 100)), rgb(0, 255, 0));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(240, 100, 100)), rgb(0, 0, 255));
    EXPECT_EQ(ColorConverter::RGBToHSB(rgb(0, 255, 0)), hsb(120, 100, 100));
    EXPECT_EQ(ColorConverter::RGBToHSB(rgb(0, 0, 255)), hsb(240, 100, 100));
    EXPECT_EQ(ColorConverter::RGBToHSB(rgb(255, 255, 0)), hsb(60, 100, 100));
    EXPECT_EQ(ColorConverter::RGBToHSB(rgb(255, 0, 255)), hsb(300, 100, 100));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(180, 100, 100)), rgb(0, 255, 255));
    // Every sector of the hue circle, one colour each: orange, chartreuse,
    // spring green, azure, violet, rose.
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(30, 100, 100)), rgb(255, 128, 0));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(90, 100, 100)), rgb(128, 255, 0));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(150, 100, 100)), rgb(0, 255, 128));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(210, 100, 100)), rgb(0, 128, 255));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(270, 100, 100)), rgb(128, 0, 255));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(330, 100, 100)), rgb(255, 0, 128));
}

TEST(ColorConverter, HalvesRoundToTheEvenNeighbour)
{
    // Saturation 0, brightness 50: 127.5 becomes 128.
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(0, 0, 50)), rgb(128, 128, 128));
    // Brightness 10: 25.5 becomes 26; brightness 30: 76.5 becomes 76; on
    // doubles 0.1 * 255 is not quite 25.5, so this catches inexact sums.
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(200, 0, 10)), rgb(26, 26, 26));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(0, 0, 30)), rgb(76, 76, 76));
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(0, 0, 70)), rgb(178, 178, 178));  // 178.5
    // Hue with d = 240: (G - B) / d * 60 = 0.5 rounds to 0, 1.5 to 2, 2.5 to 2,
    // -0.5 to 0 (not 360) and -1.5 to -2, which is 358.
    EXPECT_EQ(ColorConverter::hue(ColorConverter::RGBToHSB(rgb(240, 2, 0))), 0);
    EXPECT_EQ(ColorConverter::hue(ColorConverter::RGBToHSB(rgb(240, 6, 0))), 2);
    EXPECT_EQ(ColorConverter::hue(ColorConverter::RGBToHSB(rgb(240, 10, 0))), 2);
    EXPECT_EQ(ColorConverter::hue(ColorConverter::RGBToHSB(rgb(240, 0, 2))), 0);
    EXPECT_EQ(ColorConverter::hue(ColorConverter::RGBToHSB(rgb(240, 0, 6))), 358);
    // Green and blue sectors: 60 * (B - R) / d + 120 with d = 120 and B - R = 1
    // is 120.5, rounding to 120; 60 * (R - G) / d + 240 = 241.5 rounds to 242.
    EXPECT_EQ(ColorConverter::hue(ColorConverter::RGBToHSB(rgb(0, 120, 1))), 120);
    EXPECT_EQ(ColorConverter::hue(ColorConverter::RGBToHSB(rgb(3, 0, 120))), 242);
    // Saturation 1 of 200 = 0.5 % rounds to 0; brightness 51 of 255 is 20 exactly.
    EXPECT_EQ(ColorConverter::RGBToHSB(rgb(200, 199, 199)), hsb(0, 0, 78));
    EXPECT_EQ(ColorConverter::brightness(ColorConverter::RGBToHSB(rgb(51, 0, 0))), 20);
}

TEST(ColorConverter, TiesForTheLargestPartPreferRedThenGreen)
{
    // Red and green tie: red's formula gives (G - B) / d * 60 = 60.
    EXPECT_EQ(ColorConverter::RGBToHSB(rgb(200, 200, 100)), hsb(60, 50, 78));
    // Green and blue tie: green's formula gives (B - R) / d * 60 + 120 = 180.
    EXPECT_EQ(ColorConverter::RGBToHSB(rgb(100, 200, 200)), hsb(180, 50, 78));
    // Red and blue tie: red's formula, -60 + 360 = 300.
    EXPECT_EQ(ColorConverter::RGBToHSB(rgb(200, 100, 200)), hsb(300, 50, 78));
}

TEST(ColorConverter, PackingClampsEachPart)
{
    EXPECT_EQ(ColorConverter::RGBToLong(300, -5, 128), rgb(255, 0, 128));
    EXPECT_EQ(ColorConverter::RGBToLong(1, 2, 3), rgb(1, 2, 3));
    EXPECT_EQ(ColorConverter::HSBToLong(400, 150, -1), hsb(359, 100, 0));
    EXPECT_EQ(ColorConverter::HSBToLong(360, 50, 50), hsb(359, 50, 50));
    EXPECT_EQ(ColorConverter::HSBToLong(-10, -1, 101), hsb(0, 0, 100));

    // Unpacking HSB clamps too, so out-of-range packed values stay usable.
    EXPECT_EQ(ColorConverter::hue(hsb(400, 0, 0)), 359);
    EXPECT_EQ(ColorConverter::hue(-70000), 0);
    EXPECT_EQ(ColorConverter::Saturation(hsb(10, 200, 0)), 100);
    EXPECT_EQ(ColorConverter::brightness(hsb(10, 0, 255)), 100);
    EXPECT_EQ(ColorConverter::HSBToRGB(hsb(400, 100, 100)), ColorConverter::HSBToRGB(hsb(359, 100, 100)));

    // Bits above 23 of an RGB colour are ignored.
    EXPECT_EQ(ColorConverter::Red(0x7F123456), 0x56);
    EXPECT_EQ(ColorConverter::Green(0x7F123456), 0x34);
    EXPECT_EQ(ColorConverter::Blue(0x7F123456), 0x12);
    EXPECT_EQ(ColorConverter::RGBToHSB(-1), ColorConverter::RGBToHSB(16777215));
    EXPECT_EQ(ColorConverter::RGBToHSB(0x01000000 + 255), 25700);
}

TEST(ColorConverter, SplitsAndTexts)
{
    int a = -1, b = -1, c = -1;
    ColorConverter::SplitRGB(rgb(255, 128, 7), a, b, c);
    EXPECT_EQ((std::array{a, b, c}), (std::array{255, 128, 7}));
    ColorConverter::SplitHSB(hsb(212, 45, 9), a, b, c);
    EXPECT_EQ((std::array{a, b, c}), (std::array{212, 45, 9}));

    EXPECT_EQ(ColorConverter::RGBAsString(255), "255, 0, 0");
    EXPECT_EQ(ColorConverter::RGBAsString(rgb(255, 128, 0)), "255, 128, 0");
    EXPECT_EQ(ColorConverter::RGBAsString(0), "0, 0, 0");
    EXPECT_EQ(ColorConverter::HSBAsString(25700), "0, 100, 100");
    EXPECT_EQ(ColorConverter::HSBAsString(hsb(359, 7, 100)), "359, 7, 100");
    EXPECT_EQ(ColorConverter::HSBAsString(hsb(500, 0, 200)), "359, 0, 100");
}

// Every RGB colour through HSB and back. HSB keeps whole degrees and whole
// percents, so the way back can miss by the quantisation of each part:
//   the largest part depends on brightness alone: 0.5 % of 255 = 1.275,
//     within 1 after rounding;
//   the smallest part, (1 - s) v, also on saturation: at most 0.5 % + 0.5 %
//     of 255 = 2.55, within 3;
//   the middle part adds half a degree of hue, 0.5 / 60 of 255 = 2.125,
//     so at most 4.675, within 5.
// Anything beyond these bounds is a fault in the formulas, not rounding.
TEST(ColorConverter, EveryRgbColourSurvivesTheRoundTripWithinTheHsbResolution)
{
    const auto started = std::chrono::steady_clock::now();
    int worst[3] = {0, 0, 0};  // largest, middle, smallest part
    int worstColour = 0;
    int worstOverall = 0;
    long long exact = 0;
    for (int c = 0; c <= 0xFFFFFF; ++c) {
        const int back = ColorConverter::HSBToRGB(ColorConverter::RGBToHSB(c));
        if (back == c) {
            ++exact;
            continue;
        }
        std::array<std::pair<int, int>, 3> parts = {
            std::pair{ColorConverter::Red(c), ColorConverter::Red(back)},
            std::pair{ColorConverter::Green(c), ColorConverter::Green(back)},
            std::pair{ColorConverter::Blue(c), ColorConverter::Blue(back)}};
        // Largest part first. Parts that tie come back through the same
        // formula (the hue then falls on a sector boundary), so the order
        // among them does not matter.
        std::sort(parts.begin(), parts.end(), [](auto x, auto y) { return x.first > y.first; });
        for (int role = 0; role < 3; ++role) {
            const int e = std::abs(parts[role].first - parts[role].second);
            worst[role] = std::max(worst[role], e);
            if (e > worstOverall) {
                worstOverall = e;
                worstColour = c;
            }
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "round trip of all 16777216 colours in " << seconds << " s: " << exact
              << " exact; largest error " << worstOverall << " (largest part " << worst[0] << ", middle "
              << worst[1] << ", smallest " << worst[2] << "), first at " << ColorConverter::RGBAsString(worstColour)
              << "\n";
    ::testing::Test::RecordProperty("largest_round_trip_error", worstOverall);
    EXPECT_LE(worst[0], 1);
    EXPECT_LE(worst[1], 5);
    EXPECT_LE(worst[2], 3);
    // Greys have no hue to lose: they come back as greys.
    for (int v = 0; v < 256; ++v) {
        const int back = ColorConverter::HSBToRGB(ColorConverter::RGBToHSB(rgb(v, v, v)));
        EXPECT_EQ(ColorConverter::Red(back), ColorConverter::Green(back)) << v;
        EXPECT_EQ(ColorConverter::Red(back), ColorConverter::Blue(back)) << v;
    }
}
