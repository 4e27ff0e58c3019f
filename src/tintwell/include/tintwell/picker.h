#pragma once

#include "tintwell/export.h"

#include <optional>
#include <string>
#include <string_view>

// What the colour dialog computes, kept free of widgets so that programs and
// tests can use the same rules: the palette, the brightness bar, the hex code
// and the limits of the number boxes. Colours are RGB colours as in
// ColorConverter.
namespace tintwell {

inline constexpr int PaletteColumns = 18;
inline constexpr int PaletteRows = 11;
inline constexpr int PaletteCells = PaletteColumns * PaletteRows;  // 198

// Rows of the brightness bar run from brightness 120 (shown at full
// brightness) at the top down to black; the bar is drawn in stripes of two.
inline constexpr int BrightnessBarTop = 120;
inline constexpr int BrightnessBarUnits = 122;

// Six upper-case hexadecimal digits RRGGBB; bits above 23 are ignored.
TINTWELL_EXPORT std::string ColorToHex(int rgb);

// Reads RRGGBB after the first "#" (or the whole text when it has none).
// Each pair is read as far as it holds hexadecimal digits; a missing pair,
// or one that does not start with a hexadecimal digit, reads as 0.
TINTWELL_EXPORT int HexToColor(std::string_view text);

// The number a box holds: the whole text, blanks around it allowed, is one
// decimal number (sign, digits, fraction, exponent), rounded to an integer
// with halves to even. Values beyond the int range are pinned to it.
TINTWELL_EXPORT std::optional<int> boxNumber(std::string_view text);

// Keeps a number box within min..max: a number above max becomes max, below
// min becomes min, and a text that is not a number becomes min. Returns true
// when the text was replaced.
TINTWELL_EXPORT bool LimitNumber(std::string& text, int max, int min);

// Colour of palette cell 0..197 at the given palette brightness: hue 20 per
// column, saturation 10 per row.
TINTWELL_EXPORT int paletteColor(int cell, int brightness);

struct CellRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where cell 0..197 lies when cell 0 is at (originX, originY) and each cell
// overlaps its left and upper neighbours by one unit, so that neighbouring
// borders coincide.
TINTWELL_EXPORT CellRect paletteCellRect(int cell, int originX, int originY, int cellWidth, int cellHeight);

// The colour of row y (in bar units, 0 at the top) of the brightness bar
// drawn for the hue and saturation of rgb.
TINTWELL_EXPORT int brightnessBarColor(int rgb, int y);

// The bar row, in bar units, whose brightness is that of rgb (where the
// dialog marks the current colour beside the bar).
TINTWELL_EXPORT int brightnessBarRow(int rgb);

}  // namespace tintwell
