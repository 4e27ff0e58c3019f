#pragma once

#include "tintwell/export.h"

#include <string>

namespace tintwell {

// Conversions between the two packed colour forms the picker works with.
//
//   RGB colour: red + green * 256 + blue * 65536 (each 0 to 255); bits above
//               23 are ignored wherever an RGB colour is read.
//   HSB colour: hue * 65536 + saturation * 256 + brightness, with hue 0 to 359
//               degrees and saturation and brightness 0 to 100 percent.
//
// Every real-valued step rounds to the nearest integer with halves going to
// the even neighbour. The arithmetic is done on exact fractions, so a half is
// always recognised as a half. The class has no state; the members are
// static so that they can be called with or without an instance.
class TINTWELL_EXPORT ColorConverter {
public:
    static std::string RGBAsString(int rgb);
    static std::string HSBAsString(int hsb);

    static int RGBToLong(int red, int green, int blue);
    static int HSBToLong(int hue, int saturation, int brightness);

    static int Red(int rgb);
    static int Green(int rgb);
    static int Blue(int rgb);

    static int hue(int hsb);
    static int Saturation(int hsb);
    static int brightness(int hsb);

    static void SplitRGB(int rgb, int& red, int& green, int& blue);
    static void SplitHSB(int hsb, int& hue, int& saturation, int& brightness);

    static int HSBToRGB(int hsb);
    static int RGBToHSB(int rgb);

private:
    static int Clamp(int value, int min, int max);
};

}  // namespace tintwell
