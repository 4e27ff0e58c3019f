#include "init/verse_rtf.h"

#include <cstdio>

namespace init {

namespace {

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\pard\\f0";

// Windows-1252 bytes 0x80-0x9F and the Unicode characters they stand for.
constexpr char32_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int cp1252Byte(char32_t cp)
{
    if (cp >= 0xA0 && cp <= 0xFF)
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == cp && cp != 0)
            return 0x80 + i;
    return -1;
}

}  // namespace

std::string rtfEscape(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 16);
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c == '\\' || c == '{' || c == '}')
                out.push_back('\\');
            if (c == '\n')
                out += "\\line ";
            else if (c != '\r')
                out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        int len = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        char32_t cp = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : len == 4 ? (c & 0x07) : c;
        for (int k = 1; k < len && i + k < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += static_cast<size_t>(len);
        char buf[24];
        int b = cp1252Byte(cp);
        if (b >= 0) {
            std::snprintf(buf, sizeof buf, "\\'%02x", b);
            out += buf;
        } else if (cp <= 0xFFFF) {
            std::snprintf(buf, sizeof buf, "\\u%d?", static_cast<int>(static_cast<int16_t>(cp)));
            out += buf;
        } else {
            // Outside the 16-bit range: a surrogate pair.
            char32_t v = cp - 0x10000;
            std::snprintf(buf, sizeof buf, "\\u%d?\\u%d?", static_cast<int>(static_cast<int16_t>(0xD800 + (v >> 10))),
                          static_cast<int>(static_cast<int16_t>(0xDC00 + (v & 0x3FF))));
            out += buf;
        }
    }
    return out;
}

std::string footnoteText(int sura, int verse, std::string_view text)
{
    return "*" + std::to_string(sura) + ":" + std::to_string(verse) + " " + std::string(text);
}

namespace {

void appendFootnotes(std::string& rtf, const std::vector<std::string>& footnotes)
{
    if (footnotes.empty())
        return;
    rtf += "\\fs20 ";
    for (const auto& f : footnotes) {
        rtf += rtfEscape(f);
        rtf += "\\par ";
    }
}

}  // namespace

std::string verseRtf(int sura, int verse, std::string_view subtitle, std::string_view text,
                     const std::vector<std::string>& footnotes)
{
    std::string rtf(kHeader);
    if (!subtitle.empty()) {
        rtf += "\\fs21\\b ";
        rtf += rtfEscape(subtitle);
        rtf += "\\b0\\par ";
    }
    rtf += "\\fs24 [" + std::to_string(sura) + ":" + std::to_string(verse) + "] ";
    rtf += rtfEscape(text);
    rtf += "\\par ";
    appendFootnotes(rtf, footnotes);
    rtf += "}";
    return rtf;
}

std::string openingRtf(int sura, std::string_view title, std::string_view opening,
                       const std::vector<std::string>& footnotes)
{
    std::string rtf(kHeader);
    rtf += "\\qc\\fs24\\b Sura " + std::to_string(sura) + ": " + rtfEscape(title) + "\\b0\\par ";
    rtf += rtfEscape(opening);
    rtf += "\\par\\pard ";
    appendFootnotes(rtf, footnotes);
    rtf += "}";
    return rtf;
}

}  // namespace init
