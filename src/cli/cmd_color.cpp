#include "cli/cli.h"

#include "tintwell/color_converter.h"
#include "tintwell/picker.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace cli {

namespace {

using tintwell::ColorConverter;

constexpr const char* Usage =
    "usage: zerafin-cli color (rgb2hsb | hsb2rgb | rgbstr | hsbstr | tohex) VALUE\n"
    "       zerafin-cli color fromhex RRGGBB\n"
    "  an RGB VALUE is red + green*256 + blue*65536 (0 to 16777215),\n"
    "  an HSB VALUE is hue*65536 + saturation*256 + brightness (hue 0-359, the others 0-100)";

std::optional<long long> wholeNumber(const std::string& text)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    long long value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<int> rgbValue(const std::string& text)
{
    const auto n = wholeNumber(text);
    if (!n || *n < 0 || *n > 0xFFFFFF)
        return std::nullopt;
    return static_cast<int>(*n);
}

// Out-of-range parts would be silently clamped by the converter; on the
// command line they are more likely a mistyped value, so they are refused.
std::optional<int> hsbValue(const std::string& text)
{
    const auto n = wholeNumber(text);
    if (!n || *n < 0 || *n > ColorConverter::HSBToLong(359, 100, 100))
        return std::nullopt;
    const int v = static_cast<int>(*n);
    if ((v >> 8 & 0xFF) > 100 || (v & 0xFF) > 100)
        return std::nullopt;
    return v;
}

bool isHexColour(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    return text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

int print(const std::string& text)
{
    std::printf("%s\n", text.c_str());
    return 0;
}

}  // namespace

int cmdColor(const Common&, const Args& args)
{
    if (args.size() != 2)
        return fail(Usage, 2);
    const std::string& op = args[0];
    const std::string& value = args[1];
    if (op == "fromhex") {
        if (!isHexColour(value))
            return fail("'" + value + "' is not a hex colour: six hexadecimal digits RRGGBB, optionally after #", 2);
        return print(std::to_string(tintwell::HexToColor(value)));
    }
    if (op == "rgb2hsb" || op == "rgbstr" || op == "tohex") {
        const auto rgb = rgbValue(value);
        if (!rgb)
            return fail("'" + value + "' is not an RGB colour: a whole number from 0 to 16777215 "
                        "(red + green*256 + blue*65536)", 2);
        if (op == "rgb2hsb")
            return print(std::to_string(ColorConverter::RGBToHSB(*rgb)));
        if (op == "rgbstr")
            return print(ColorConverter::RGBAsString(*rgb));
        return print(tintwell::ColorToHex(*rgb));
    }
    if (op == "hsb2rgb" || op == "hsbstr") {
        const auto hsb = hsbValue(value);
        if (!hsb)
            return fail("'" + value + "' is not an HSB colour: hue*65536 + saturation*256 + brightness "
                        "with hue 0 to 359 and saturation and brightness 0 to 100", 2);
        if (op == "hsb2rgb")
            return print(std::to_string(ColorConverter::HSBToRGB(*hsb)));
        return print(ColorConverter::HSBAsString(*hsb));
    }
    return fail("unknown colour operation '" + op + "'\n" + Usage, 2);
}

}  // namespace cli
