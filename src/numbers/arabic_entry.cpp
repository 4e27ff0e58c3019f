#include "numbers/arabic_entry.h"

#include "numbers/utf8.h"

#include <algorithm>

namespace numbers {

namespace {

struct Key {
    int number;
    std::string_view caption;
};

constexpr Key kKeys[] = {
    {6, "ا"}, {7, "ب"}, {8, "ة"}, {9, "ت"}, {10, "ث"}, {11, "ج"}, {12, "ح"}, {13, "خ"},
    {14, "د"}, {15, "ر"}, {16, "ز"}, {17, "س"}, {18, "ش"}, {19, "ص"}, {20, "ض"}, {21, "ط"},
    {22, "ظ"}, {23, "ع"}, {24, "غ"}, {25, "ك"}, {26, "ل"}, {27, "م"}, {28, "ن"}, {29, "ه"},
    {30, "و"}, {32, "ي"}, {33, "ف"}, {34, "ق"}, {35, "ذ"}, {kSpaceKey, "Space"}, {kClearAllKey, "Clear All"},
};

constexpr int kRow1[] = {7, 6};
constexpr int kRow2[] = {11, 10, 13, 12, 15, 14, 17, 9, 18};
constexpr int kRow3[] = {20, 19, 21, 22, 24, 23, 26, 25, 27};
constexpr int kRow4[] = {8, 30, 29, 32, 34, 33, 35, 28, 16};
constexpr int kRow5[] = {kSpaceKey, kClearAllKey};
constexpr std::span<const int> kRows[] = {kRow1, kRow2, kRow3, kRow4, kRow5};

constexpr TransliterationCode kCodes[] = {
    {' ', 'A', U'\u0627'}, {' ', 'B', U'\u0628'}, {' ', 'G', U'\u062C'}, {' ', 'D', U'\u062F'},
    {' ', 'H', U'\u0647'}, {' ', 'W', U'\u0648'}, {' ', 'Z', U'\u0632'}, {'H', 'H', U'\u062D'},
    {'T', 'T', U'\u0637'}, {' ', 'Y', U'\u0649'}, {' ', 'K', U'\u0643'}, {' ', 'L', U'\u0644'},
    {' ', 'M', U'\u0645'}, {' ', 'N', U'\u0646'}, {' ', 'S', U'\u0633'}, {'\'', 'A', U'\u0639'},
    {' ', 'F', U'\u0641'}, {'S', 'S', U'\u0635'}, {' ', 'Q', U'\u0642'}, {' ', 'R', U'\u0631'},
    {'S', 'h', U'\u0634'}, {' ', 'T', U'\u062A'}, {'T', 'h', U'\u062B'}, {'K', 'h', U'\u062E'},
    {'D', 'h', U'\u0630'}, {'D', 'D', U'\u0636'}, {'Z', 'Z', U'\u0638'}, {'G', 'h', U'\u063A'},
    {' ', ' ', U' '},
};

std::optional<char32_t> codeLetter(char32_t first, char32_t second)
{
    for (const TransliterationCode& code : kCodes)
        if (code.first == first && code.second == second)
            return code.letter;
    return std::nullopt;
}

}  // namespace

std::string_view keyCaption(int key)
{
    for (const Key& k : kKeys)
        if (k.number == key)
            return k.caption;
    return {};
}

std::optional<char32_t> keyLetter(int key)
{
    if (key == kSpaceKey || key == kClearAllKey)
        return std::nullopt;
    const std::u32string letters = decodeUtf8(keyCaption(key));
    if (letters.size() != 1)
        return std::nullopt;
    return letters.front();
}

std::span<const std::span<const int>> keyboardRows() { return kRows; }

std::span<const TransliterationCode> transliterationCodes() { return kCodes; }

std::u32string transliterate(std::u32string_view latin)
{
    std::u32string letters;
    // The last character alone is never a code: every code has two.
    for (size_t p = 0; p + 1 < latin.size(); ++p)
        if (auto letter = codeLetter(latin[p], latin[p + 1]))
            letters.push_back(*letter);
    return letters;
}

std::string GvExpression::expressionUtf8() const { return encodeUtf8(expression_); }

void GvExpression::setExpressionUtf8(std::string_view text) { expression_ = decodeUtf8(text); }

void GvExpression::reset()
{
    expression_.clear();
    working_.clear();
}

bool GvExpression::clickKey(int key, bool clickToType)
{
    if (!clickToType)
        return false;
    if (key == kClearAllKey) {
        working_.clear();
        return false;
    }
    char32_t typed;
    if (key == kSpaceKey) {
        typed = U' ';
    } else if (auto letter = keyLetter(key)) {
        typed = *letter;
    } else {
        return false;
    }
    working_.insert(working_.begin(), typed);
    expression_.push_back(typed);
    return true;
}

void GvExpression::getArabic(std::u32string_view latin)
{
    const std::u32string letters = transliterate(latin);
    working_.push_back(U' ');
    working_.insert(0, std::u32string(letters.rbegin(), letters.rend()));
    expression_.assign(working_.rbegin(), working_.rend());
}

void GvExpression::getArabicUtf8(std::string_view latin) { getArabic(decodeUtf8(latin)); }

std::string GvExpression::wordWise(const GvOptions& options)
{
    std::string digits = wordWiseValues(expression_, options);
    const std::u32string_view trimmed = trimSpaces(expression_);
    working_.assign(trimmed.rbegin(), trimmed.rend());
    return digits;
}

std::string GvExpression::letterWise(const GvOptions& options)
{
    std::string digits = letterWiseValues(expression_, options);
    const std::u32string_view trimmed = trimSpaces(expression_);
    working_.assign(trimmed.rbegin(), trimmed.rend());
    return digits;
}

std::string GvExpression::details()
{
    const std::u32string collapsed = collapseSpaces(trimSpaces(expression_));
    working_.assign(collapsed.rbegin(), collapsed.rend());
    return detailsText(gvDetails(expression_));
}

}  // namespace numbers
