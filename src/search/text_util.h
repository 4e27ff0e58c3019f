#pragma once

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
    std::vector<QueryPart> parts(1);
    const size_t len = text.size();
    size_t pos = 1;
    for (; pos < len; ++pos) {
        const char c = text[pos - 1];
        if (isOperator(c)) {
            if (pos != 1)
                parts.emplace_back();
            parts.back().op = c;
        } else {
            parts.back().word.push_back(c);
        }
    }
    if (pos != 1)
        parts.back().word.push_back(text[pos - 1]);
    return parts;
}

}  // namespace search
