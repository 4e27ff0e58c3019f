#pragma once

#include "core/utf8.h"
#include "search/word_slots.h"

#include <string>
#include <string_view>
#include <vector>

namespace search {

// The search's own trim: spaces only, as it has always trimmed words
// (a tab or line break stays part of a word).
inline std::string_view trimSpaces(std::string_view s)
{
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return {};
    const size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

inline bool isOperator(char c) { return c == kMustContain || c == kMustNotContain || c == kAlternative; }

// One word of a search text and the operator before it ('\0' for the
// first word when the text does not start with an operator).
struct QueryPart {
    char op = 0;
    std::string word;
};

// Splits a search text at its operators, as the search and the block
// search both read it: an operator starts the next word (an operator as
// the very first character only marks the first word), and the last
// character is always taken as text, even an operator. Words keep their
// spaces. Always at least one part.
inline std::vector<QueryPart> splitAtOperators(std::string_view text)
{
    // Positions count characters, not bytes. The operators are single
    // bytes, so every byte before the last character is read on its own.
    size_t last = 0;
    for (size_t at = 0; at < text.size(); at += db::characterLength(text.substr(at)))
        last = at;

    std::vector<QueryPart> parts(1);
    for (size_t at = 0; at < last; ++at) {
        const char c = text[at];
        if (isOperator(c)) {
            if (at != 0)
                parts.emplace_back();
            parts.back().op = c;
        } else {
            parts.back().word.push_back(c);
        }
    }
    // A text of one character (of any length in bytes) leaves the word empty.
    if (last != 0)
        parts.back().word.append(text.substr(last));
    return parts;
}

}  // namespace search
