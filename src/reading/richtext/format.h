#pragma once

#include <cstdint>
#include <string>

// The formatting a rich-text document carries: per character (font, size,
// bold, italic, underline, text and highlight colour) and per paragraph
// (alignment and indents).
namespace richtext {

// Numbered as the panes' alignment property: 0 left, 1 right, 2 centred.
enum class Align : uint8_t { Left = 0, Right = 1, Center = 2, Justify = 3 };

struct ParaFormat {
    Align align = Align::Left;
    // Indents in twips (1/1440 inch), as RTF writes them.
    int32_t leftIndent = 0;
    int32_t firstIndent = 0;
    int32_t rightIndent = 0;

    bool operator==(const ParaFormat&) const = default;
};

struct CharFormat {
    uint16_t font = 0;       // index into the font table
    uint16_t size = 24;      // half points
    uint16_t color = 0;      // index into the colour table; 0 is the automatic colour
    uint16_t highlight = 0;  // index into the colour table; 0 is none
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const CharFormat&) const = default;
};

struct Font {
    std::string name;           // UTF-8
    int charset = 0;            // 0 Western, 178 Arabic, …
    std::string family = "fnil";  // the RTF family word without its backslash
    int codePage = 0;           // a code page named for the font itself; 0: the charset's

    bool sameFace(const Font& o) const { return name == o.name && charset == o.charset && codePage == o.codePage; }
    bool operator==(const Font&) const = default;
};

// A colour-table entry. The automatic colour (the reader's default text
// colour) has no components; it is entry 0 of every table this engine writes.
struct Color {
    bool automatic = true;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    // red + 256 × green + 65536 × blue, the program's colour value.
    uint32_t value() const { return red | (green << 8) | (static_cast<uint32_t>(blue) << 16); }
    static Color fromValue(uint32_t v)
    {
        return Color{false, static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF),
                     static_cast<uint8_t>((v >> 16) & 0xFF)};
    }
    bool operator==(const Color&) const = default;
};

// Size limits: the reader clamps whatever it is given into these.
inline constexpr int kMinHalfPoints = 1;
inline constexpr int kMaxHalfPoints = 3276;
inline constexpr int kDefaultHalfPoints = 24;
inline constexpr int kMaxIndentTwips = 31680;

}  // namespace richtext
