#include "core/utf8.h"

namespace db {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the valid sequence at the start of `s` (0 when it is not one)
// and its code point.
size_t decodeOne(std::string_view s, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[0]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t len = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < len)
        return 0;
    for (size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not characters.
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

}  // namespace

std::u32string decodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t cp = 0;
        size_t len = decodeOne(text, cp);
        if (len == 0) {
            out.push_back(kReplacement);
            len = 1;
        } else {
            out.push_back(cp);
        }
        text.remove_prefix(len);
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        if (c >= 0xD800 && c <= 0xDFFF)
            c = kReplacement;
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c <= 0x10FFFF) {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        appendUtf8(out, kReplacement);
    }
}

std::string encodeUtf8(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char32_t c : text)
        appendUtf8(out, c);
    return out;
}

bool isValidUtf8(std::string_view text)
{
    while (!text.empty()) {
        char32_t cp = 0;
        size_t len = decodeOne(text, cp);
        if (len == 0)
            return false;
        text.remove_prefix(len);
    }
    return true;
}

size_t characterLength(std::string_view text)
{
    if (static_cast<unsigned char>(text[0]) < 0x80)
        return 1;
    char32_t cp = 0;
    const size_t len = decodeOne(text, cp);
    return len == 0 ? 1 : len;
}

size_t characterCount(std::string_view text)
{
    size_t count = 0;
    while (!text.empty()) {
        text.remove_prefix(characterLength(text));
        ++count;
    }
    return count;
}

}  // namespace db
