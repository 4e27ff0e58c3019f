#include "export/csv_writer.h"

#include "db/database.h"
#include "db/recordset.h"
#include "db/verse_ref.h"
#include "reading/richtext/rtf_reader.h"

#include <unordered_map>

namespace exporting {

std::string oneLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
        if (c == ' ' && (line.empty() || line.back() == ' '))
            continue;
        line.push_back(c);
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

namespace {

// The entry's reference: "2:255", or the same with text after the verse
// number (a result row may carry it).
std::optional<db::VerseRef> referenceOf(std::string_view entry)
{
    if (auto ref = db::VerseRef::parse(entry))
        return ref;
    const size_t colon = entry.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    size_t end = colon + 1;
    while (end < entry.size() && entry[end] >= '0' && entry[end] <= '9')
        ++end;
    return db::VerseRef::parse(entry.substr(0, end));
}

}  // namespace

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string writeCsv(const std::vector<CsvRow>& rows)
{
    std::string out = "sura,verse,text\r\n";
    for (const auto& r : rows) {
        out += csvField(r.sura);
        out += ',';
        out += csvField(r.verse);
        out += ',';
        out += csvField(r.text);
        out += "\r\n";
    }
    return out;
}

std::vector<CsvRow> csvRows(db::Database& db, const std::vector<std::string>& entries)
{
    std::vector<std::optional<db::VerseRef>> refs;
    refs.reserve(entries.size());
    long low = -1, high = -1;
    for (const auto& e : entries) {
        refs.push_back(referenceOf(e));
        if (const auto& r = refs.back()) {
            low = low < 0 ? r->key() : std::min(low, r->key());
            high = std::max(high, r->key());
        }
    }
    // Every verse the entries name, read at once: the searchable form holds
    // the numbered verses, the display form the openings (verse 0).
    std::unordered_map<long, std::string> texts;
    if (low >= 0) {
        const std::string span = " WHERE Sura*1000+Verse BETWEEN " + std::to_string(low) + " AND " + std::to_string(high);
        db::Recordset rs;
        if (rs.open("SELECT Sura, Verse, Words FROM ZOVR" + span, db))
            for (; !rs.eof(); rs.moveNext())
                texts[rs.field(0).toInt() * 1000 + rs.field(1).toInt()] =
                    oneLine(richtext::rtfToPlainText(rs.field(2).toString()));
        if (rs.open("SELECT Sura, Verse, Words FROM ZOVRSch" + span, db))
            for (; !rs.eof(); rs.moveNext())
                if (!rs.field(2).isNull())
                    texts[rs.field(0).toInt() * 1000 + rs.field(1).toInt()] = oneLine(rs.field(2).toString());
    }
    std::vector<CsvRow> rows;
    rows.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto& ref = refs[i];
        if (!ref) {
            rows.push_back({"", "", oneLine(entries[i])});
            continue;
        }
        const auto it = texts.find(ref->key());
        rows.push_back({std::to_string(ref->sura), std::to_string(ref->verse), it == texts.end() ? "" : it->second});
    }
    return rows;
}

}  // namespace exporting
