#include "numbers/gematria.h"

#include "db/numeric.h"
#include "numbers/letters.h"

#include <charconv>

namespace numbers {

namespace {

// Appends " " and the decimal form of v.
void appendSpaced(std::string& out, std::uint64_t v)
{
    char buf[24];
    buf[0] = ' ';
    auto r = std::to_chars(buf + 1, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

std::string decimal(std::uint64_t v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

}  // namespace

std::u32string_view trimSpaces(std::u32string_view text)
{
    const size_t first = text.find_first_not_of(U' ');
    if (first == std::u32string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(U' ');
    return text.substr(first, last - first + 1);
}

std::u32string collapseSpaces(std::u32string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (char32_t c : text)
        if (c != U' ' || out.empty() || out.back() != U' ')
            out.push_back(c);
    return out;
}

std::string wordWiseValues(std::u32string_view expression, const GvOptions& options)
{
    const std::u32string_view words = trimSpaces(expression);
    std::string out;
    out.reserve(words.size() + 16);
    std::uint64_t word = 0;
    std::uint64_t value = 0;
    auto endWord = [&] {
        ++word;
        if (options.wordBefore) {
            appendSpaced(out, word);
            out += ' ';
        }
        appendSpaced(out, value);
        if (options.wordAfter) {
            out += ' ';
            appendSpaced(out, word);
        }
        value = 0;
    };
    for (char32_t c : words) {
        if (c == U' ')
            endWord();
        else
            value += letterValue(c);
    }
    endWord();  // the last word ends with the expression
    return out;
}

std::string letterWiseValues(std::u32string_view expression, const GvOptions& options)
{
    const std::u32string_view words = trimSpaces(expression);
    std::string out;
    out.reserve(words.size() * 6 + 16);
    std::uint64_t word = 1;  // the number of the word being read
    std::uint64_t letter = 0;
    // A word's letters are written between what goes before and after it.
    auto startWord = [&] {
        if (options.wordBefore) {
            appendSpaced(out, word);
            out += ' ';
        } else if (!options.wordAfter) {
            out += ' ';
        }
    };
    auto endWord = [&] {
        if (options.wordAfter) {
            out += ' ';
            appendSpaced(out, word);
        }
        ++word;
        if (options.resetLetterCount)
            letter = 0;
    };
    startWord();
    for (char32_t c : words) {
        if (c == U' ') {
            endWord();
            startWord();
            continue;
        }
        const unsigned value = letterValue(c);
        if (value == 0)
            continue;
        ++letter;
        if (options.letterBefore) {
            appendSpaced(out, letter);
            out += ' ';
        }
        appendSpaced(out, value);
        if (options.letterAfter) {
            out += ' ';
            appendSpaced(out, letter);
        }
    }
    endWord();
    return out;
}

GvDetails gvDetails(std::u32string_view expression)
{
    GvDetails d;
    const std::u32string words = collapseSpaces(trimSpaces(expression));
    if (words.empty())
        return d;
    d.words = 1;
    for (char32_t c : words) {
        if (c == U' ')
            ++d.words;
        if (isCountedLetter(c))
            ++d.letters;
        d.value += letterValue(c);
    }
    return d;
}

std::string detailsText(const GvDetails& d)
{
    auto line = [](std::string_view caption, std::uint64_t v) {
        return std::string(caption) + decimal(v) + "\t=19x" + db::formatNumber(static_cast<double>(v) / 19.0);
    };
    return line("Number of Letters: ", d.letters) + "\r\n" + line("Number of Words: ", d.words) + "\r\n" +
           line("Gematrical Value: ", d.value);
}

}  // namespace numbers
