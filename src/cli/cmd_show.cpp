#include "cli/cli.h"

#include "db/database.h"
#include "db/numeric.h"
#include "db/recordset.h"
#include "db/verse_ref.h"
#include "export/csv_writer.h"
#include "reading/display_settings.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/verse_renderer.h"

#include <cstdio>
#include <optional>

namespace cli {

namespace {

// The plain text of a stored opening row, on one line.
std::string openingLine(const std::string& rtf) { return exporting::oneLine(richtext::rtfToPlainText(rtf)); }

struct Range {
    int sura = 0;
    int from = 0;  // -1: the whole sura
    int to = 0;
};

// No sura has 1000 verses: the verse key is sura * 1000 + verse.
constexpr long long kMaxVerse = 999;

// "2:255", "1:1-7", "2:0" or a bare sura number "114". Every number must be
// whole and in range: a number too large for the verse key is refused here,
// never wrapped into some other verse.
std::optional<Range> parseRange(const std::string& text)
{
    auto inRange = [](const std::optional<long long>& n, long long low, long long high) {
        return n && *n >= low && *n <= high;
    };
    auto colon = text.find(':');
    if (colon == std::string::npos) {
        auto s = db::wholeNumber(text);
        if (!inRange(s, 1, db::kSuraCount))
            return std::nullopt;
        return Range{static_cast<int>(*s), -1, -1};
    }
    auto s = db::wholeNumber(text.substr(0, colon));
    std::string verses = text.substr(colon + 1);
    auto dash = verses.find('-');
    auto from = db::wholeNumber(verses.substr(0, dash));
    auto to = dash == std::string::npos ? from : db::wholeNumber(verses.substr(dash + 1));
    if (!inRange(s, 1, db::kSuraCount) || !inRange(from, 0, kMaxVerse) || !inRange(to, 0, kMaxVerse) || *to < *from)
        return std::nullopt;
    return Range{static_cast<int>(*s), static_cast<int>(*from), static_cast<int>(*to)};
}

std::string badReference(const std::string& text)
{
    return "'" + text + "' is not a verse reference (sura 1-114, then ':' and a verse 0-999 or a range)";
}

std::string describe(const Range& r)
{
    if (r.from < 0)
        return std::to_string(r.sura);
    return std::to_string(r.sura) + ":" + std::to_string(r.from) + (r.to != r.from ? "-" + std::to_string(r.to) : "");
}

// One verse display per range with the default display settings, each
// appended after the one before.
int displayRanges(const Common& common, const std::vector<Range>& ranges, const std::vector<std::string>& highlights,
                  Display& out)
{
    // What the window shares with its verse display, held here.
    struct {
        db::Database connection;
        db::Recordset verseRs;
        db::Recordset footnoteRs;
        bool keepHeader = false;
        bool readAllVerses = false;
        std::string revelationOrderText;
    } state;
    if (!openTextDatabase(common, state.connection))
        return 1;
    reading::MemoryDisplaySettings display;
    reading::MemoryHighlightSettings highlight;
    for (size_t i = 0; i < highlights.size() && i < highlight.words.size(); ++i)
        highlight.words[i] = highlights[i];
    reading::MemorySurface surface;
    richtext::RichTextDocument msg(richtext::Font{"Arial", 0, "fswiss"});
    richtext::RichTextDocument footnote;
    richtext::RichTextDocument fordata;
    reading::VerseRenderer renderer({state.connection, state.verseRs, state.footnoteRs, state.keepHeader,
                                     state.readAllVerses, state.revelationOrderText},
                                    display, highlight, surface, msg, footnote, fordata);
    int status = 0;
    bool first = true;
    for (const auto& r : ranges) {
        // The verse list of the sura, as choosing it fills it.
        db::Recordset bounds;
        if (!bounds.open("SELECT MIN(Verse), MAX(Verse) FROM ZOVR WHERE Sura=" + std::to_string(r.sura),
                         state.connection) ||
            bounds.eof() || bounds.field(0).isNull() || !renderer.openSura(r.sura)) {
            std::fprintf(stderr, "zerafin-cli: no verse %s in the text\n", describe(r).c_str());
            status = 1;
            continue;
        }
        const long long low = bounds.field(0).toInt();
        const long long high = bounds.field(1).toInt();
        std::vector<std::string> entries;
        for (long long v = low; v <= high; ++v)
            entries.push_back(std::to_string(v));
        surface.setEntries(entries);
        int checked = 0;
        for (size_t k = 0; k < entries.size(); ++k) {
            const long long v = low + static_cast<long long>(k);
            if (r.from < 0 || (v >= r.from && v <= r.to)) {
                surface.check(static_cast<int>(k));
                ++checked;
            }
        }
        if (checked == 0 || (r.from >= 0 && checked < r.to - r.from + 1)) {
            std::fprintf(stderr, "zerafin-cli: no verse %s in the text\n", describe(r).c_str());
            status = 1;
            if (checked == 0)
                continue;
        }
        state.keepHeader = !first;
        renderer.OpenVerse();
        first = false;
    }
    out.rtf = msg.rtf();
    out.text = msg.text();
    return status;
}

}  // namespace

int displayVerses(const Common& common, const Args& refs, Display& out)
{
    std::vector<Range> ranges;
    for (const auto& a : refs) {
        auto r = parseRange(a);
        if (!r)
            return fail(badReference(a), 2);
        ranges.push_back(*r);
    }
    return displayRanges(common, ranges, {}, out);
}

int cmdShow(const Common& common, const Args& allArgs)
{
    bool rtf = false;
    std::vector<std::string> highlights;
    Args args;
    for (size_t i = 0; i < allArgs.size(); ++i) {
        if (allArgs[i] == "--rtf") {
            rtf = true;
        } else if (allArgs[i] == "--highlight") {
            if (i + 1 >= allArgs.size() || allArgs[i + 1].empty())
                return fail("--highlight needs a word or phrase", 2);
            highlights.push_back(allArgs[++i]);
        } else {
            args.push_back(allArgs[i]);
        }
    }
    if (args.empty())
        return fail("usage: zerafin-cli show [--rtf [--highlight WORD]...] REF...  (for example 2:255 1:1-7 114)",
                    2);
    if (!highlights.empty() && !rtf)
        return fail("--highlight marks words in the RTF display; add --rtf", 2);
    if (highlights.size() > reading::kHighlightBoxes)
        return fail("at most " + std::to_string(reading::kHighlightBoxes) + " words can be highlighted", 2);
    std::vector<Range> ranges;
    for (const auto& a : args) {
        auto r = parseRange(a);
        if (!r)
            return fail(badReference(a), 2);
        ranges.push_back(*r);
    }
    if (rtf) {
        Display display;
        const int status = displayRanges(common, ranges, highlights, display);
        std::printf("%s\n", display.rtf.c_str());
        return status;
    }
    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    int status = 0;
    db::Recordset rs;
    for (const auto& r : ranges) {
        // The search form holds the numbered verses; an opening row is read
        // from its display form.
        std::string sql = "SELECT z.Sura, z.Verse, s.Words, z.Words FROM ZOVR z LEFT JOIN ZOVRSch s "
                          "ON s.Sura = z.Sura AND s.Verse = z.Verse WHERE z.Sura=" +
                          std::to_string(r.sura);
        if (r.from >= 0)
            sql += " AND z.Verse BETWEEN " + std::to_string(r.from) + " AND " + std::to_string(r.to);
        sql += " ORDER BY z.Verse";
        if (!rs.open(sql, db))
            return fail("cannot read the verses: " + rs.lastError());
        int expected = r.from >= 0 ? r.to - r.from + 1 : -1;
        int shown = 0;
        for (; !rs.eof(); rs.moveNext(), ++shown) {
            db::VerseRef ref{static_cast<int>(rs.field(0).toInt()), static_cast<int>(rs.field(1).toInt())};
            std::string text = rs.field(2).isNull() ? openingLine(rs.field(3).toString()) : rs.field(2).toString();
            std::printf("%s %s\n", ref.bracketed().c_str(), text.c_str());
        }
        if (shown == 0 || (expected > 0 && shown < expected)) {
            std::fprintf(stderr, "zerafin-cli: no verse %s in the text\n", describe(r).c_str());
            status = 1;
        }
    }
    return status;
}

}  // namespace cli
