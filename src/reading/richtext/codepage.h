#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The two single-byte code pages rich text meets in this program: Western
// (1252) for the translation and Arabic (1256) for the gematrical entry,
// plus the UTF-8 / UTF-16 conversions between the database's text and the
// engine's character unit.
namespace richtext {

inline constexpr int kWesternCodePage = 1252;
inline constexpr int kArabicCodePage = 1256;
// The font charset that selects the Arabic code page.
inline constexpr int kArabicCharset = 178;

// The character a byte stands for in the code page (1256 for Arabic,
// 1252 for everything else).
char16_t decodeByte(unsigned char byte, int codePage);
// The byte that stands for the character in the code page, or -1 when the
// code page has none (ASCII maps to itself).
int encodeChar(char16_t c, int codePage);

// The code page a font charset asks for; the document's own code page for
// the default charsets.
int codePageForCharset(int charset, int documentCodePage);

// Invalid UTF-8 bytes are read as Western code-page characters, so text of
// unknown origin never disappears.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);
void appendUtf8(std::string& out, char32_t cp);

// Length of the valid UTF-8 sequence starting at s[i] (0 if not valid),
// and the code point it encodes.
int utf8Sequence(std::string_view s, size_t i, char32_t& cp);

}  // namespace richtext
