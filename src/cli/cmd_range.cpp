#include "cli/cli.h"

#include "db/numeric.h"
#include "export/csv_writer.h"
#include "export/html_writer.h"
#include "export/result_display.h"
#include "export/verse_range.h"

#include <cstdio>
#include <optional>

namespace cli {

namespace {

constexpr const char* kRangeUsage = "usage: zerafin-cli range FROM TO [--rtf | --html | --csv]  (FROM and TO: 2:1, 2:10 or a sura 2)";

// "2:10" as the save panel's two boxes; a bare sura number is its first
// verse (as FROM) or its last (as TO).
std::optional<std::pair<std::string, std::string>> boxesOf(const std::string& ref, bool end)
{
    const size_t colon = ref.find(':');
    const std::string sura = ref.substr(0, colon);
    const std::string verse = colon == std::string::npos ? (end ? "999" : "0") : ref.substr(colon + 1);
    if (!db::wholeNumber(sura) || !db::wholeNumber(verse))
        return std::nullopt;
    return std::pair{sura, verse};
}

std::string withoutCarriageReturns(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t k = 0; k < text.size(); ++k)
        if (!(text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n'))
            out.push_back(text[k]);
    return out;
}

}  // namespace

int printDisplay(db::Database& db, const std::vector<std::string>& entries, const std::string& header,
                 OutputFormat format)
{
    if (format == OutputFormat::Csv) {
        const std::string csv = exporting::writeCsv(exporting::csvRows(db, entries));
        std::fwrite(csv.data(), 1, csv.size(), stdout);
        return 0;
    }
    richtext::RichTextDocument msg(richtext::Font{"Arial", 0, "fswiss"});
    exporting::renderResultEntries(db, entries, msg, header);
    std::string out;
    switch (format) {
    case OutputFormat::Rtf: out = msg.rtf() + "\n"; break;
    case OutputFormat::Html: out = exporting::toHtml(msg.document()); break;
    default: out = withoutCarriageReturns(msg.text()); break;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int cmdRange(const Common& common, const Args& args)
{
    OutputFormat format = OutputFormat::Text;
    std::vector<std::string> refs;
    for (const std::string& a : args) {
        const OutputFormat before = format;
        if (a == "--rtf")
            format = OutputFormat::Rtf;
        else if (a == "--html")
            format = OutputFormat::Html;
        else if (a == "--csv")
            format = OutputFormat::Csv;
        else if (!a.empty() && a[0] == '-')
            return fail(kRangeUsage, 2);
        else
            refs.push_back(a);
        if (before != OutputFormat::Text && format != before)
            return fail("give one of --rtf, --html and --csv", 2);
    }
    if (refs.size() != 2)
        return fail(kRangeUsage, 2);
    const auto from = boxesOf(refs[0], false);
    const auto to = boxesOf(refs[1], true);
    if (!from || !to)
        return fail("'" + (from ? refs[1] : refs[0]) + "' is not a verse reference such as 2:10 or a sura number", 2);

    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    const exporting::RangeBoxes boxes{from->first, from->second, to->first, to->second};
    const auto verses = exporting::rangeVerses(db, boxes);
    if (verses.empty())
        return fail("no verse of the text lies from " + refs[0] + " to " + refs[1]);
    std::vector<std::string> entries;
    entries.reserve(verses.size());
    for (const auto& v : verses)
        entries.push_back(v.display());
    return printDisplay(db, entries, {}, format);
}

}  // namespace cli
