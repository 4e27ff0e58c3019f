#include "tintwell/picker.h"

#include "tintwell/color_converter.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tintwell {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Bytes of the UTF-8 character at the front of `text`. A byte that cannot
// start a character, or a sequence cut short, counts as a character of its
// own, so every byte belongs to some character.
std::size_t characterBytes(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t expected = lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t n = 1;
    while (n < expected && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        ++n;
    return n == expected ? n : 1;
}

// The next two characters of `text` as a hexadecimal number, taken off its
// front. A pair with any character that is not a hex digit reads as 0; a
// pair cut short by the end of the text reads as far as it goes.
int takeHexPair(std::string_view& text)
{
    int value = 0;
    bool hex = true;
    for (int i = 0; i < 2 && !text.empty(); ++i) {
        const std::size_t bytes = characterBytes(text);
        const int d = bytes == 1 ? hexDigit(text.front()) : -1;
        hex = hex && d >= 0;
        value = value * 16 + (d > 0 ? d : 0);
        text.remove_prefix(bytes);
    }
    return hex ? value : 0;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

int roundToInt(double v)
{
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(std::nearbyint(v));  // the default mode rounds halves to even
}

}  // namespace

std::string ColorToHex(int rgb)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", ColorConverter::Red(rgb), ColorConverter::Green(rgb),
                  ColorConverter::Blue(rgb));
    return buf;
}

int HexToColor(std::string_view text)
{
    if (const auto hash = text.find('#'); hash != std::string_view::npos)
        text.remove_prefix(hash + 1);
    const int red = takeHexPair(text);
    const int green = takeHexPair(text);
    const int blue = takeHexPair(text);
    return red + green * 256 + blue * 65536;
}

std::optional<int> boxNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars alone would also take "inf", "nan" and a second sign.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double; only the exponent tells which.
        const auto e = text.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::max();
    } else if (ec != std::errc())
        return std::nullopt;
    return roundToInt(negative ? -value : value);
}

bool LimitNumber(std::string& text, int max, int min)
{
    const auto n = boxNumber(text);
    std::string limited;
    if (!n)
        limited = std::to_string(min);
    else if (*n > max)
        limited = std::to_string(max);
    else if (*n < min)
        limited = std::to_string(min);
    else
        return false;
    text = limited;
    return true;
}

int paletteColor(int cell, int brightness)
{
    const int row = cell / PaletteColumns;
    const int column = cell % PaletteColumns;
    return ColorConverter::HSBToRGB(ColorConverter::HSBToLong(20 * column, 10 * row, brightness));
}

CellRect paletteCellRect(int cell, int originX, int originY, int cellWidth, int cellHeight)
{
    const int row = cell / PaletteColumns;
    const int column = cell % PaletteColumns;
    return {originX + column * (cellWidth - 1), originY + row * (cellHeight - 1), cellWidth, cellHeight};
}

int brightnessBarColor(int rgb, int y)
{
    const int hsb = ColorConverter::RGBToHSB(rgb);
    if (y < 0)
        y = 0;
    const int stripe = y - y % 2;
    return ColorConverter::HSBToRGB(
        ColorConverter::HSBToLong(ColorConverter::hue(hsb), ColorConverter::Saturation(hsb), BrightnessBarTop - stripe));
}

int brightnessBarRow(int rgb)
{
    return BrightnessBarTop - ColorConverter::brightness(ColorConverter::RGBToHSB(rgb));
}

}  // namespace tintwell
