#include "tintwell/color_converter.h"
#include "tintwell/picker.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

using namespace tintwell;

TEST(ColorHex, WritesRedGreenBlueInUpperCase)
{
    EXPECT_EQ(ColorToHex(255), "FF0000");
    EXPECT_EQ(ColorToHex(0), "000000");
    EXPECT_EQ(ColorToHex(16777215), "FFFFFF");
    EXPECT_EQ(ColorToHex(0x0A0B0C), "0C0B0A");  // stored blue-green-red, written red first
    EXPECT_EQ(ColorToHex(128 * 256), "008000");
    EXPECT_EQ(ColorToHex(-1), "FFFFFF");         // bits above 23 ignored
    EXPECT_EQ(ColorToHex(0x7F000001), "010000");
}

TEST(ColorHex, ReadsRedGreenBlueAfterTheFirstHash)
{
    const int orange = 255 + 128 * 256;
    EXPECT_EQ(HexToColor("#ff8000"), orange);
    EXPECT_EQ(HexToColor("ff8000"), orange);
    EXPECT_EQ(HexToColor("FF8000"), orange);
    EXPECT_EQ(HexToColor("colour #ff8000 # 00"), orange);
    EXPECT_EQ(HexToColor("000f80"), 0x0F * 256 + 0x80 * 65536);
    // Short and odd texts: a pair reads as far as it has hex digits.
    EXPECT_EQ(HexToColor("f80"), 0xF8);
    EXPECT_EQ(HexToColor("ff80"), 0xFF + 0x80 * 256);
    EXPECT_EQ(HexToColor("ff8"), 0xFF + 0x8 * 256);
    EXPECT_EQ(HexToColor(""), 0);
    EXPECT_EQ(HexToColor("#"), 0);
    EXPECT_EQ(HexToColor("zz8000"), 0x80 * 256);
    // A pair with anything but hex digits in it reads as 0 as a whole.
    EXPECT_EQ(HexToColor("f z 80"), 0x80 * 65536);
    EXPECT_EQ(HexToColor("8z8000"), 0x80 * 256);
    EXPECT_EQ(HexToColor("ff8z00"), 0xFF);
    EXPECT_EQ(HexToColor("ff8000ff"), 0xFF + 0x80 * 256);  // beyond six digits ignored
    // Pairs are characters, not bytes: "é8" is one pair, and not hex.
    EXPECT_EQ(HexToColor("é80000"), 0);
    EXPECT_EQ(HexToColor("é8ff00ff"), 0xFF * 256);
    EXPECT_EQ(HexToColor("ééff"), 0xFF * 256);
    EXPECT_EQ(HexToColor("#\xff" "08000"), 0x80 * 256);  // a stray byte is one character
    for (int c : {0, 1, 255, 0x123456, 0xFEDCBA, 0xFFFFFF})
        EXPECT_EQ(HexToColor(ColorToHex(c)), c);
}

TEST(NumberBoxes, LimitNumberKeepsTheBoxInRange)
{
    auto limited = [](std::string text, int max, int min) {
        LimitNumber(text, max, min);
        return text;
    };
    EXPECT_EQ(limited("400", 360, 0), "360");
    EXPECT_EQ(limited("360", 360, 0), "360");
    EXPECT_EQ(limited("-4", 100, 0), "0");
    EXPECT_EQ(limited("", 255, 0), "0");
    EXPECT_EQ(limited("abc", 255, 0), "0");
    EXPECT_EQ(limited("12a", 255, 0), "0");
    EXPECT_EQ(limited("1e9", 255, 0), "255");
    EXPECT_EQ(limited("99999999999999999999", 100, 0), "100");
    EXPECT_EQ(limited("-1e999", 100, 0), "0");
    // In range: the text is left as the reader typed it.
    EXPECT_EQ(limited("05", 100, 0), "05");
    EXPECT_EQ(limited(" 42 ", 100, 0), " 42 ");
    EXPECT_EQ(limited("100.4", 100, 0), "100.4");  // reads as 100
    EXPECT_EQ(limited("100.5", 100, 0), "100.5");  // 100.5 rounds to the even 100
    EXPECT_EQ(limited("101.5", 100, 0), "100");    // 101.5 rounds to 102

    std::string untouched = "7";
    EXPECT_FALSE(LimitNumber(untouched, 10, 0));
    std::string replaced = "x";
    EXPECT_TRUE(LimitNumber(replaced, 10, 3));
    EXPECT_EQ(replaced, "3");
}

TEST(NumberBoxes, BoxNumberAcceptsOnlyWholeNumbers)
{
    EXPECT_EQ(boxNumber("12"), 12);
    EXPECT_EQ(boxNumber("+12"), 12);
    EXPECT_EQ(boxNumber("-12"), -12);
    EXPECT_EQ(boxNumber("  7\t"), 7);
    EXPECT_EQ(boxNumber("2.5"), 2);
    EXPECT_EQ(boxNumber("3.5"), 4);
    EXPECT_EQ(boxNumber(".5"), 0);
    EXPECT_EQ(boxNumber("1e2"), 100);
    EXPECT_EQ(boxNumber("1e-999"), 0);
    for (const char* bad : {"", " ", "-", "+-1", "--1", "1 2", "inf", "nan", "0x10", "1,5", "five", "1e"})
        EXPECT_FALSE(boxNumber(bad).has_value()) << bad;
}

TEST(Palette, CellsRunThroughHueAcrossAndSaturationDown)
{
    EXPECT_EQ(paletteColor(0, 100), 16777215);    // row 0 is saturation 0: white
    EXPECT_EQ(paletteColor(17, 100), 16777215);
    EXPECT_EQ(paletteColor(180, 100), 255);       // row 10, column 0: pure red
    EXPECT_EQ(paletteColor(186, 100), 0x00FF00);  // column 6, hue 120: green
    EXPECT_EQ(paletteColor(192, 100), 0xFF0000);  // column 12, hue 240: blue
    EXPECT_EQ(paletteColor(197, 100), ColorConverter::HSBToRGB(ColorConverter::HSBToLong(340, 100, 100)));
    EXPECT_EQ(paletteColor(180, 50), 128);        // dimmer palette: 127.5 rounds to 128
    // Apart from the white first row, every cell offers a different colour.
    std::set<int> colours;
    for (int i = PaletteColumns; i < PaletteCells; ++i)
        colours.insert(paletteColor(i, 100));
    EXPECT_EQ(colours.size(), static_cast<std::size_t>(PaletteCells - PaletteColumns));
    EXPECT_EQ(colours.count(16777215), 0u);
}

TEST(Palette, CellsShareTheirBordersWithTheirNeighbours)
{
    auto at = [](int i) {
        const CellRect r = paletteCellRect(i, 8, 8, 18, 16);
        return std::array{r.left, r.top, r.width, r.height};
    };
    EXPECT_EQ(at(0), (std::array{8, 8, 18, 16}));
    EXPECT_EQ(at(1), (std::array{25, 8, 18, 16}));
    EXPECT_EQ(at(17), (std::array{8 + 17 * 17, 8, 18, 16}));
    EXPECT_EQ(at(18), (std::array{8, 23, 18, 16}));  // a new row starts under cell 0
    EXPECT_EQ(at(197), (std::array{8 + 17 * 17, 8 + 10 * 15, 18, 16}));
}

TEST(BrightnessBar, RunsFromFullBrightnessDownToBlackInStripesOfTwo)
{
    const int red = 255;
    for (int y = 0; y <= 21; ++y)
        EXPECT_EQ(brightnessBarColor(red, y), red) << y;
    EXPECT_EQ(brightnessBarColor(red, 22), ColorConverter::HSBToRGB(ColorConverter::HSBToLong(0, 100, 98)));
    EXPECT_EQ(brightnessBarColor(red, 23), brightnessBarColor(red, 22));
    EXPECT_EQ(brightnessBarColor(red, 70), 128);  // brightness 50
    EXPECT_EQ(brightnessBarColor(red, 120), 0);
    EXPECT_EQ(brightnessBarColor(red, 121), 0);
    // The bar keeps the hue and saturation of the colour it is drawn for,
    // whatever that colour's own brightness.
    const int darkTeal = 0x404000;  // hue 180, saturation 100, brightness 25
    EXPECT_EQ(brightnessBarColor(darkTeal, 20), 0xFFFF00);
    // A grey gives greys.
    EXPECT_EQ(brightnessBarColor(0x808080, 70), 0x808080);
    EXPECT_EQ(brightnessBarColor(0x808080, 0), 0xFFFFFF);

    EXPECT_EQ(brightnessBarRow(red), 20);
    EXPECT_EQ(brightnessBarRow(0), 120);
    EXPECT_EQ(brightnessBarRow(0x808080), 70);
}
