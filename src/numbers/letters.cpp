#include "numbers/letters.h"

#include "numbers/utf8.h"


namespace numbers {

namespace {

constexpr ArabicLetter kLetters[] = {
    {0x0621, "Hamza", 0xC1, 1, true},
    {0x0622, "Alef With Madda Above", 0xC2, 1, true},
    {0x0623, "Alef With Hamza Above", 0xC3, 1, true},
    {0x0624, "Waw With Hamza Above", 0xC4, 1, false},
    {0x0625, "Alef With Hamza Below", 0xC5, 1, true},
    {0x0626, "Yeh With Hamza Above", 0xC6, 1, false},
    {0x0627, "Alef", 0xC7, 1, true},
    {0x0628, "Beh", 0xC8, 2, true},
    {0x0629, "Teh Marbuta", 0xC9, 5, true},
    {0x062A, "Teh", 0xCA, 400, true},
    {0x062B, "Theh", 0xCB, 500, true},
    {0x062C, "Jeem", 0xCC, 3, true},
    {0x062D, "Hah", 0xCD, 8, true},
    {0x062E, "Khah", 0xCE, 600, true},
    {0x062F, "Dal", 0xCF, 4, true},
    {0x0630, "Thal", 0xD0, 700, true},
    {0x0631, "Reh", 0xD1, 200, true},
    {0x0632, "Zain", 0xD2, 7, true},
    {0x0633, "Seen", 0xD3, 60, true},
    {0x0634, "Sheen", 0xD4, 300, true},
    {0x0635, "Sad", 0xD5, 90, true},
    {0x0636, "Dad", 0xD6, 800, true},
    {0x0637, "Tah", 0xD8, 9, true},
    {0x0638, "Zah", 0xD9, 900, true},
    {0x0639, "Ain", 0xDA, 70, true},
    {0x063A, "Ghain", 0xDB, 1000, true},
    {0x0641, "Feh", 0xDD, 80, true},
    {0x0642, "Qaf", 0xDE, 100, true},
    {0x0643, "Kaf", 0xDF, 20, true},
    {0x0644, "Lam", 0xE1, 30, true},
    {0x0645, "Meem", 0xE3, 40, true},
    {0x0646, "Noon", 0xE4, 50, true},
    {0x0647, "Heh", 0xE5, 5, true},
    {0x0648, "Waw", 0xE6, 6, true},
    {0x0649, "Alef Maksura", 0xEC, 10, true},
    {0x064A, "Yeh", 0xED, 10, true},
};

// Bytes 0x80 … 0xFF of Windows-1256.
constexpr char16_t kWindows1256High[128] = {
    0x20AC, 0x067E, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0679, 0x2039, 0x0152, 0x0686, 0x0698, 0x0688,
    0x06AF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x06A9, 0x2122, 0x0691, 0x203A, 0x0153, 0x200C, 0x200D, 0x06BA,
    0x00A0, 0x060C, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x06BE, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x061B, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x061F,
    0x06C1, 0x0621, 0x0622, 0x0623, 0x0624, 0x0625, 0x0626, 0x0627,
    0x0628, 0x0629, 0x062A, 0x062B, 0x062C, 0x062D, 0x062E, 0x062F,
    0x0630, 0x0631, 0x0632, 0x0633, 0x0634, 0x0635, 0x0636, 0x00D7,
    0x0637, 0x0638, 0x0639, 0x063A, 0x0640, 0x0641, 0x0642, 0x0643,
    0x00E0, 0x0644, 0x00E2, 0x0645, 0x0646, 0x0647, 0x0648, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x0649, 0x064A, 0x00EE, 0x00EF,
    0x064B, 0x064C, 0x064D, 0x064E, 0x00F4, 0x064F, 0x0650, 0x00F7,
    0x0651, 0x00F9, 0x0652, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x06D2,
};

}  // namespace

namespace detail {
constinit const std::array<unsigned short, 42> kValueFrom0621 = [] {
    std::array<unsigned short, 42> values{};
    for (const ArabicLetter& letter : kLetters)
        values[letter.unicode - 0x0621] = static_cast<unsigned short>(letter.value);
    return values;
}();
}  // namespace detail

std::span<const ArabicLetter> arabicLetters() { return kLetters; }

namespace {
constinit const std::array<bool, 42> kCountedFrom0621 = [] {
    std::array<bool, 42> counted{};
    for (const ArabicLetter& letter : kLetters)
        counted[letter.unicode - 0x0621] = letter.counted;
    return counted;
}();
}  // namespace

bool isCountedLetter(char32_t c) { return c >= 0x0621 && c <= 0x064A && kCountedFrom0621[c - 0x0621]; }

char32_t windows1256ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? char32_t(byte) : char32_t(kWindows1256High[byte - 0x80]);
}

std::string fromWindows1256(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char b : bytes)
        appendUtf8(out, windows1256ToUnicode(static_cast<unsigned char>(b)));
    return out;
}

std::string toWindows1256(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : decodeUtf8(utf8)) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char found = '?';
        for (int i = 0; i < 128; ++i) {
            if (kWindows1256High[i] == c) {
                found = static_cast<char>(0x80 + i);
                break;
            }
        }
        out.push_back(found);
    }
    return out;
}

}  // namespace numbers
