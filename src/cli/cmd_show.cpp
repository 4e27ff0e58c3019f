#include "cli/cli.h"

#include "db/numeric.h"
#include "db/recordset.h"
#include "db/verse_ref.h"

#include <cstdio>
#include <optional>

namespace cli {

namespace {

struct Range {
    int sura = 0;
    int from = 0;  // -1: the whole sura
    int to = 0;
};

// "2:255", "1:1-7", "2:0" or a bare sura number "114".
std::optional<Range> parseRange(const std::string& text)
{
    auto colon = text.find(':');
    if (colon == std::string::npos) {
        auto s = db::wholeNumber(text);
        if (!s)
            return std::nullopt;
        return Range{static_cast<int>(*s), -1, -1};
    }
    auto s = db::wholeNumber(text.substr(0, colon));
    std::string verses = text.substr(colon + 1);
    auto dash = verses.find('-');
    auto from = db::wholeNumber(verses.substr(0, dash));
    auto to = dash == std::string::npos ? from : db::wholeNumber(verses.substr(dash + 1));
    if (!s || !from || !to || *from < 0 || *to < *from)
        return std::nullopt;
    return Range{static_cast<int>(*s), static_cast<int>(*from), static_cast<int>(*to)};
}

}  // namespace

int cmdShow(const Common& common, const Args& args)
{
    if (args.empty())
        return fail("usage: zerafin-cli show REF...  (for example 2:255 1:1-7 114)", 2);
    std::vector<Range> ranges;
    for (const auto& a : args) {
        auto r = parseRange(a);
        if (!r || r->sura < 1 || r->sura > db::kSuraCount)
            return fail("'" + a + "' is not a verse reference (sura 1-114, then ':' and a verse or a range)", 2);
        ranges.push_back(*r);
    }
    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    int status = 0;
    db::Recordset rs;
    for (const auto& r : ranges) {
        std::string sql = "SELECT Sura, Verse, Words FROM ZOVRSch WHERE Sura=" + std::to_string(r.sura);
        if (r.from >= 0)
            sql += " AND Verse BETWEEN " + std::to_string(r.from) + " AND " + std::to_string(r.to);
        sql += " ORDER BY Verse";
        if (!rs.open(sql, db))
            return fail("cannot read the verses: " + rs.lastError());
        int expected = r.from >= 0 ? r.to - r.from + 1 : -1;
        int shown = 0;
        for (; !rs.eof(); rs.moveNext(), ++shown) {
            db::VerseRef ref{static_cast<int>(rs.field(0).toInt()), static_cast<int>(rs.field(1).toInt())};
            std::printf("%s %s\n", ref.bracketed().c_str(), rs.field(2).toString().c_str());
        }
        if (shown == 0 || (expected > 0 && shown < expected)) {
            std::string what = r.from < 0 ? std::to_string(r.sura)
                                          : std::to_string(r.sura) + ":" + std::to_string(r.from) +
                                                (r.to != r.from ? "-" + std::to_string(r.to) : "");
            std::fprintf(stderr, "zerafin-cli: no verse %s in the text\n", what.c_str());
            status = 1;
        }
    }
    return status;
}

}  // namespace cli
