#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db {
class Database;
}

// Verses as a table for a spreadsheet: one row per verse, "sura,verse,text",
// fields quoted where they must be (a comma, a quote or a line break in
// them), lines ended CR LF.
namespace exporting {

struct CsvRow {
    std::string sura;   // empty for an entry that is no verse
    std::string verse;
    std::string text;   // one line: the verse's plain text
};

// A stored text on one line: its line breaks, tabs and runs of blanks
// become one blank, none at either end.
std::string oneLine(std::string_view text);

// One field, quoted and its quotes doubled when it holds , " CR or LF.
std::string csvField(std::string_view text);
// The header line, then one line per row.
std::string writeCsv(const std::vector<CsvRow>& rows);

// The rows for the entries of a result list ("2:255"; an entry that is no
// reference keeps its text with the sura and verse empty), each verse with
// its plain text from the text database, in the order of the entries.
std::vector<CsvRow> csvRows(db::Database& db, const std::vector<std::string>& entries);

}  // namespace exporting
