#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The Arabic letters the gematrical values are taken from: each carries its
// fixed abjad value. Text is held as Unicode; the Windows-1256 code is kept
// beside each letter for text that arrives in that code page.
namespace numbers {

struct ArabicLetter {
    char32_t unicode;
    std::string_view name;
    unsigned char windows1256;
    unsigned value;
    // Whether "Get Details" counts it as a letter: the hamza seats on waw
    // and yeh add their value but are not counted.
    bool counted;
};

// The 36 letters that have a value, in Unicode order.
std::span<const ArabicLetter> arabicLetters();

// The value of a character; 0 for every character without one.
inline unsigned letterValue(char32_t c);
// Whether the character is one of the 36 letters with a value.
inline bool hasLetterValue(char32_t c);
// Whether "Get Details" counts the character as a letter (34 of the 36).
bool isCountedLetter(char32_t c);

// Windows-1256, the Arabic code page older files and pastes come in.
std::string fromWindows1256(std::string_view bytes);
// Characters the code page cannot hold become '?'.
std::string toWindows1256(std::string_view utf8);
char32_t windows1256ToUnicode(unsigned char byte);

// ---- inline lookups (called per character on long expressions) ----

namespace detail {
// Values of U+0621 … U+064A; 0 where the code point is not a valued letter.
extern const std::array<unsigned short, 42> kValueFrom0621;
}  // namespace detail

inline unsigned letterValue(char32_t c)
{
    return (c >= 0x0621 && c <= 0x064A) ? detail::kValueFrom0621[c - 0x0621] : 0;
}

inline bool hasLetterValue(char32_t c) { return letterValue(c) != 0; }

}  // namespace numbers
