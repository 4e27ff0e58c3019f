#pragma once

#include <string>
#include <string_view>

// Text counted and compared by character, not by byte: Arabic letters take
// two bytes in UTF-8, and case-blind matching and the number panels work on
// characters.
namespace db {

// Code points of UTF-8 text; a byte that does not start a valid sequence
// becomes U+FFFD, so nothing is dropped and nothing is read past the end.
std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view text);
void appendUtf8(std::string& out, char32_t c);

bool isValidUtf8(std::string_view text);
// Bytes of the character at the start of non-empty text: its sequence
// length, or 1 for a byte that starts no valid sequence.
size_t characterLength(std::string_view text);
// Characters (code points) in valid UTF-8 text; a stray byte counts as one.
size_t characterCount(std::string_view text);

}  // namespace db
