#pragma once

#include <string_view>

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

}  // namespace search
