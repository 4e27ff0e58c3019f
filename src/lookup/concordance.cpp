#include "lookup/concordance.h"

#include "db/database.h"
#include "db/plain_text.h"
#include "db/recordset.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_map>

namespace lookup {

std::string_view searchTable(Area area)
{
    switch (area) {
    case Area::Subtitles:
        return "HEADERS1";
    case Area::Footnotes:
        return "FOOTERS1";
    default:
        return "Q1";
    }
}

std::string_view documentName(Area area)
{
    switch (area) {
    case Area::Subtitles:
        return "SConcordance";
    case Area::Footnotes:
        return "FConcordance";
    default:
        return "VConcordance";
    }
}

std::string_view areaName(Area area)
{
    switch (area) {
    case Area::Subtitles:
        return "subtitles";
    case Area::Footnotes:
        return "footnotes";
    default:
        return "verses";
    }
}

bool parseArea(std::string_view text, Area& area)
{
    const std::string t = db::foldCase(text);
    for (Area a : {Area::Verses, Area::Subtitles, Area::Footnotes})
        if (t == areaName(a) || t == db::foldCase(documentName(a))) {
            area = a;
            return true;
        }
    return false;
}

std::string Ref::display() const { return std::to_string(sura) + ":" + std::to_string(verse); }

std::vector<std::string> wordsOf(std::string_view text)
{
    // The search form is idempotent, so a row read from a "1" table splits
    // exactly as the text it was made from.
    const std::string form = db::plainSearchForm(text);
    std::vector<std::string> out;
    size_t at = 0;
    while (at < form.size()) {
        size_t space = form.find(' ', at);
        if (space == std::string::npos)
            space = form.size();
        if (space > at)
            out.emplace_back(form, at, space - at);
        at = space + 1;
    }
    return out;
}

std::string keyOf(std::string_view word) { return db::foldCase(word); }

bool hasLetter(std::string_view word)
{
    for (unsigned char c : word)
        if (std::isalpha(c) || c >= 0x80)
            return true;
    return false;
}

std::string initialOf(const Entry& e)
{
    const unsigned char c = e.key.empty() ? 0 : static_cast<unsigned char>(e.key[0]);
    if (std::isalpha(c))
        return std::string(1, static_cast<char>(std::toupper(c)));
    return "#";
}

std::vector<Entry> buildConcordance(const std::vector<Row>& rows)
{
    struct Building {
        std::vector<Ref> refs;
        std::map<std::string, int> spellings;
        int occurrences = 0;
    };
    std::unordered_map<std::string, Building> byKey;
    for (const Row& row : rows) {
        const Ref ref{row.sura, row.verse};
        for (std::string& w : wordsOf(row.text)) {
            Building& b = byKey[keyOf(w)];
            if (b.refs.empty() || b.refs.back() != ref)
                b.refs.push_back(ref);
            ++b.spellings[std::move(w)];
            ++b.occurrences;
        }
    }
    std::vector<Entry> out;
    out.reserve(byKey.size());
    for (auto& [key, b] : byKey) {
        Entry e;
        e.key = key;
        // The most frequent spelling; of equals, the first in byte order
        // (upper case first), so the choice does not depend on the rows' order.
        int best = 0;
        for (const auto& [spelling, n] : b.spellings)
            if (n > best) {
                best = n;
                e.word = spelling;
            }
        std::sort(b.refs.begin(), b.refs.end());
        b.refs.erase(std::unique(b.refs.begin(), b.refs.end()), b.refs.end());
        e.refs = std::move(b.refs);
        e.occurrences = b.occurrences;
        out.push_back(std::move(e));
    }
    std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    return out;
}

std::vector<Row> readRows(db::Database& db, Area area)
{
    std::vector<Row> rows;
    db::Recordset rs;
    if (!rs.open("SELECT Sura, Verse, Words FROM " + std::string(searchTable(area)) + " ORDER BY Sura, Verse", db))
        return rows;
    for (; !rs.eof(); rs.moveNext()) {
        const db::Value& words = rs.field(2);
        if (words.isNull())
            continue;
        rows.push_back({static_cast<int>(rs.field(0).toInt()), static_cast<int>(rs.field(1).toInt()), words.toString()});
    }
    return rows;
}

std::vector<Entry> concordanceOf(db::Database& db, Area area) { return buildConcordance(readRows(db, area)); }

std::vector<Ref> referencesOf(db::Database& db, Area area, std::string_view word)
{
    const std::vector<std::string> asked = wordsOf(word);
    if (asked.size() != 1)
        return {};
    const std::string key = keyOf(asked.front());
    std::vector<Ref> refs;
    for (const Row& row : readRows(db, area))
        for (const std::string& w : wordsOf(row.text))
            if (keyOf(w) == key) {
                refs.push_back({row.sura, row.verse});
                break;
            }
    std::sort(refs.begin(), refs.end());
    refs.erase(std::unique(refs.begin(), refs.end()), refs.end());
    return refs;
}

}  // namespace lookup
