#include "reading/navigation_logic.h"

#include "db/numeric.h"

#include <algorithm>

namespace reading {

namespace {

// Numbers in references are verse and sura numbers: a few digits. Longer
// runs are not references (and must not overflow).
constexpr size_t kMaxDigits = 6;

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The first run of digits in the text, as a number.
template <typename Char>
std::optional<int> firstDigitRun(std::basic_string_view<Char> text)
{
    size_t i = 0;
    while (i < text.size() && !isDigit(static_cast<char16_t>(text[i])))
        ++i;
    if (i == text.size())
        return std::nullopt;
    int value = 0;
    size_t digits = 0;
    for (; i < text.size() && isDigit(static_cast<char16_t>(text[i])); ++i, ++digits) {
        if (digits == kMaxDigits)
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<db::VerseRef> parseJumpReference(std::string_view text)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto sura = db::wholeNumber(text.substr(0, colon));
    if (!sura || *sura < 0 || *sura > 100000)
        return std::nullopt;
    // The verse is the number the text after the colon starts with.
    std::string_view rest = db::trimBlanks(text.substr(colon + 1));
    if (rest.empty() || !isDigit(static_cast<char16_t>(rest.front())))
        return std::nullopt;
    const auto verse = firstDigitRun(rest);
    if (!verse)
        return std::nullopt;
    return db::VerseRef{static_cast<int>(*sura), *verse};
}

int firstVerseOf(int sura) { return db::hasOpeningRow(sura) ? 0 : 1; }

int verseListIndex(const db::VerseRef& ref) { return ref.verse - firstVerseOf(ref.sura); }

std::string verseCountCaption(std::optional<long long> lastVerse)
{
    return lastVerse ? "Verses " + std::to_string(*lastVerse) : std::string();
}

GoToVerseRequest checkGoToVerse(std::string_view suraText, std::string_view verseText,
                                std::optional<long long> lastVerse)
{
    GoToVerseRequest out;
    out.verseText = std::string(verseText);
    const std::string_view sura = db::trimBlanks(suraText);
    const auto suraNumber = db::wholeNumber(sura);
    if (!sura.empty() && verseText.empty())
        out.verseText = suraNumber && !db::hasOpeningRow(static_cast<int>(*suraNumber)) ? "1" : "0";
    const auto verseNumber = db::wholeNumber(out.verseText);
    if (!suraNumber || !verseNumber || !lastVerse || *suraNumber < 1 || *suraNumber > db::kSuraCount)
        return out;
    const int s = static_cast<int>(*suraNumber);
    if (*verseNumber < firstVerseOf(s) || *verseNumber > *lastVerse)
        return out;
    out.target = db::VerseRef{s, static_cast<int>(*verseNumber)};
    return out;
}

std::optional<CaretRun> referenceAtCaret(std::u16string_view text, int caret)
{
    const int size = static_cast<int>(text.size());
    // Positions below are 1-based: position p is the character text[p - 1],
    // so position `caret` is the character just before the caret.
    auto at = [&](int p) -> char16_t { return p >= 1 && p <= size ? text[static_cast<size_t>(p - 1)] : u'\0'; };
    auto inRun = [&](int p) { return isDigit(at(p)) || at(p) == u':'; };
    const int s = caret;
    if (s <= 0 || s > size || !(isDigit(at(s)) || isDigit(at(s - 1)) || isDigit(at(s + 1))))
        return std::nullopt;
    int left = 0;
    while (inRun(s - left))
        ++left;
    int right = 1;
    while (inRun(s + right))
        ++right;
    CaretRun run;
    run.start = s - left;
    run.length = left + right - 1;
    const std::u16string_view picked = text.substr(static_cast<size_t>(run.start), static_cast<size_t>(run.length));
    const size_t colon = picked.find(u':');
    if (colon == std::u16string_view::npos)
        return run;
    const auto sura = firstDigitRun(picked.substr(0, colon));
    const auto verse = firstDigitRun(picked.substr(colon + 1));
    if (sura && verse)
        run.ref = db::VerseRef{*sura, *verse};
    return run;
}

PageTurn nextResultPage(int picked, int count)
{
    PageTurn turn;
    count = std::max(count, 0);
    const IndexRange shown{std::max(picked - kResultPageSize, 0), std::min(picked - 1, count - 1)};
    if (!shown.empty())
        turn.uncheck.push_back(shown);
    // After the last page, the first again.
    if (picked >= count || picked < 0)
        picked = 0;
    turn.check = {picked, std::min(picked + kResultPageSize - 1, count - 1)};
    turn.picked = turn.check.empty() ? std::min(picked, count) : turn.check.last + 1;
    return turn;
}

PageTurn firstResultPage(int picked, int count)
{
    PageTurn turn = nextResultPage(count, count);
    // The page on screen may be any page, not only the last one.
    const IndexRange shown{std::max(picked - kResultPageSize, 0), std::min(picked - 1, count - 1)};
    if (!shown.empty() && std::find(turn.uncheck.begin(), turn.uncheck.end(), shown) == turn.uncheck.end())
        turn.uncheck.insert(turn.uncheck.begin(), shown);
    return turn;
}

const std::vector<ScrollSpeed>& scrollSpeeds()
{
    static const std::vector<ScrollSpeed> speeds = {
        {"Very Slow", "100"}, {"Slow", "80"},      {"Medium", "60"},
        {"High", "40"},       {"Very High", "20"}, {"Custom", "60"},
    };
    return speeds;
}

int scrollInterval(std::string_view msPerCharacter, int characters)
{
    const auto perCharacter = db::parseNumber(msPerCharacter);
    if (!perCharacter || *perCharacter <= 0)
        return 0;
    const double product = *perCharacter * std::max(characters, 1);
    if (product >= kMaxScrollInterval)
        return kMaxScrollInterval;
    // A positive speed always fires, however small.
    return static_cast<int>(std::max<long long>(db::roundHalfEven(product), 1));
}

}  // namespace reading
