#include "tintwell/color_converter.h"

#include <algorithm>
#include <cstdint>

namespace tintwell {

namespace {

// num / den rounded to the nearest integer, a half going to the even
// neighbour; den > 0. Working on the fraction rather than on a double keeps
// values such as 25.5 (brightness 10) from becoming 25.500000000000004.
int roundRatio(std::int64_t num, std::int64_t den)
{
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {  // make q the floor and 0 <= r < den
        --q;
        r += den;
    }
    const std::int64_t twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0)))
        ++q;
    return static_cast<int>(q);
}

}  // namespace

int ColorConverter::Clamp(int value, int min, int max)
{
    if (value < min)
        value = min;
    if (value > max)
        value = max;
    return value;
}

std::string ColorConverter::RGBAsString(int rgb)
{
    return std::to_string(Red(rgb)) + ", " + std::to_string(Green(rgb)) + ", " + std::to_string(Blue(rgb));
}

std::string ColorConverter::HSBAsString(int hsb)
{
    int h = 0, s = 0, b = 0;
    SplitHSB(hsb, h, s, b);
    return std::to_string(h) + ", " + std::to_string(s) + ", " + std::to_string(b);
}

int ColorConverter::RGBToLong(int red, int green, int blue)
{
    return Clamp(red, 0, 255) + Clamp(green, 0, 255) * 256 + Clamp(blue, 0, 255) * 65536;
}

int ColorConverter::HSBToLong(int hue, int saturation, int brightness)
{
    return Clamp(hue, 0, 359) * 65536 + Clamp(saturation, 0, 100) * 256 + Clamp(brightness, 0, 100);
}

int ColorConverter::Red(int rgb) { return rgb & 0xFF; }
int ColorConverter::Green(int rgb) { return (rgb >> 8) & 0xFF; }
int ColorConverter::Blue(int rgb) { return (rgb >> 16) & 0xFF; }

int ColorConverter::hue(int hsb) { return Clamp(hsb / 65536, 0, 359); }
int ColorConverter::Saturation(int hsb) { return Clamp((hsb >> 8) & 0xFF, 0, 100); }
int ColorConverter::brightness(int hsb) { return Clamp(hsb & 0xFF, 0, 100); }

void ColorConverter::SplitRGB(int rgb, int& red, int& green, int& blue)
{
    red = Red(rgb);
    green = Green(rgb);
    blue = Blue(rgb);
}

void ColorConverter::SplitHSB(int hsb, int& hue, int& saturation, int& brightness)
{
    hue = ColorConverter::hue(hsb);
    saturation = Saturation(hsb);
    brightness = ColorConverter::brightness(hsb);
}

int ColorConverter::HSBToRGB(int hsb)
{
    int hh = 0, ss = 0, bb = 0;
    SplitHSB(hsb, hh, ss, bb);
    const std::int64_t H = hh, S = ss, B = bb;
    if (S == 0) {
        const int grey = roundRatio(B * 255, 100);
        return RGBToLong(grey, grey, grey);
    }
    // h = H / 60 splits into the sector i and the fraction f = F / 60; with
    // s = S / 100 and v = B / 100 every part times 255 is a fraction over
    // 600000 (or 10000 / 100 for the parts that do not involve f).
    const std::int64_t i = H / 60;
    const std::int64_t F = H - 60 * i;
    const int v = roundRatio(B * 255, 100);
    const int p = roundRatio((100 - S) * B * 255, 10000);
    const int q = roundRatio((6000 - S * F) * B * 255, 600000);
    const int t = roundRatio((6000 - (60 - F) * S) * B * 255, 600000);
    switch (i) {
    case 0: return RGBToLong(v, t, p);
    case 1: return RGBToLong(q, v, p);
    case 2: return RGBToLong(p, v, t);
    case 3: return RGBToLong(p, q, v);
    case 4: return RGBToLong(t, p, v);
    case 5: return RGBToLong(v, p, q);
    default: return 0;
    }
}

int ColorConverter::RGBToHSB(int rgb)
{
    int rr = 0, gg = 0, bb = 0;
    SplitRGB(rgb, rr, gg, bb);
    const std::int64_t R = rr, G = gg, B = bb;
    const std::int64_t max = std::max({R, G, B});
    const std::int64_t min = std::min({R, G, B});
    const std::int64_t d = max - min;
    const int bri = roundRatio(max * 100, 255);
    if (max == 0)
        return HSBToLong(0, 0, bri);
    const int sat = roundRatio(d * 100, max);
    int h = 0;
    if (d != 0) {
        // hue = r * 60 with r = (G - B) / d, (B - R) / d + 2 or (R - G) / d + 4;
        // red is tested first, then green, when two parts tie for the largest.
        if (max == R)
            h = roundRatio(60 * (G - B), d);
        else if (max == G)
            h = roundRatio(60 * (B - R) + 120 * d, d);
        else
            h = roundRatio(60 * (R - G) + 240 * d, d);
        if (h < 0)
            h += 360;
    }
    return HSBToLong(h, sat, bri);
}

}  // namespace tintwell
