#include "db/plain_text.h"

namespace db {

std::string blankSpecialChars(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (kSpecialChars.find(c) != std::string_view::npos)
            c = ' ';
    return out;
}

std::string collapseSpaces(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out.push_back(c);
    }
    return out;
}

std::string plainSearchForm(std::string_view text)
{
    std::string s = collapseSpaces(blankSpecialChars(text));
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(' ');
    return " " + s.substr(b, e - b + 1) + " ";
}

}  // namespace db
