// What a reader types into the colour dialog's boxes: hex codes and numbers.
#include "tintwell/color_converter.h"
#include "tintwell/picker.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const int c = tintwell::HexToColor(text);
    if (c < 0 || c > 0xFFFFFF || tintwell::HexToColor(tintwell::ColorToHex(c)) != c)
        std::abort();

    for (const auto& [max, min] : {std::pair{360, 0}, std::pair{100, 0}, std::pair{255, 0}}) {
        std::string box = text;
        tintwell::LimitNumber(box, max, min);
        const auto n = tintwell::boxNumber(box);
        if (!n || *n < min || *n > max)
            std::abort();
    }

    const int hsb = tintwell::ColorConverter::RGBToHSB(c);
    if (tintwell::ColorConverter::HSBToLong(tintwell::ColorConverter::hue(hsb), tintwell::ColorConverter::Saturation(hsb),
                                            tintwell::ColorConverter::brightness(hsb)) != hsb)
        std::abort();
    return 0;
}
