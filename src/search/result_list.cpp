#include "search/result_list.h"

namespace search {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// How a category takes rows: those starting with `prefix` (all rows when
// the prefix is empty), with the prefix cut off or kept whole.
struct Rule {
    std::string_view prefix;
    bool cut = false;
    bool all = false;
};

Rule ruleFor(std::string_view category)
{
    if (category == "Verses")
        return {"V.", true};
    if (category == "Subtitles")
        return {"S.", true};
    if (category == "Footnotes")
        return {"F.", true};
    if (category == "Topics")
        return {"T.", true};
    if (category == "Appendices")
        return {"AP."};
    if (category == "Front Matter")
        return {"FM."};
    if (category == "Index")
        return {"IN."};
    if (category == "Glossary")
        return {"GL."};
    if (category == "Titles")
        return {"TL."};
    if (category == "All")
        return {"", true, true};
    return {"", false, true};
}

bool takes(const Rule& r, std::string_view row) { return r.all || startsWith(row, r.prefix); }

std::string shown(const Rule& r, std::string_view row)
{
    if (!r.cut)
        return std::string(row);
    if (!r.all)
        return std::string(row.substr(2));
    // "All" lists verse, subtitle, footnote and topic rows without their
    // two-character mark and every other row whole.
    for (std::string_view p : {"V.", "S.", "F.", "T."})
        if (startsWith(row, p))
            return std::string(row.substr(2));
    return std::string(row);
}

}  // namespace

FilteredList filterResults(const std::vector<std::string>& rows, std::string_view category)
{
    const Rule rule = ruleFor(category);
    FilteredList out;
    for (const auto& row : rows) {
        if (!takes(rule, row))
            continue;
        out.items.push_back(shown(rule, row));
        if (out.resultPicked <= kPreselectedRows - 1)
            ++out.resultPicked;
    }
    return out;
}

int categoryCount(const std::vector<std::string>& rows, std::string_view category)
{
    const Rule rule = ruleFor(category);
    int n = 0;
    for (const auto& row : rows)
        n += takes(rule, row) ? 1 : 0;
    return n;
}

std::string resultHeader(std::string_view searchText, std::size_t count)
{
    return "Search Word: " + std::string(searchText) + "\r\nResult Count: " + std::to_string(count) + "\r\n\r\n\r\n";
}

}  // namespace search
