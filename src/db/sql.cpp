#include "db/sql.h"

namespace db {

std::string doubledQuotes(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        out.push_back(c);
        if (c == '\'')
            out.push_back('\'');
    }
    return out;
}

std::string quoted(std::string_view text)
{
    return "'" + doubledQuotes(text) + "'";
}

}  // namespace db
