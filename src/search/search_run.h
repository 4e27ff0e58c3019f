#pragma once

#include "search/query.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Database;
class Recordset;
}

// Running a search: which search the "Go" button runs, the statements of
// the simple and the area search, and the result rows they add to the
// hidden result list.
namespace search {

inline constexpr std::string_view kMsgMissingInput =
    "Please enter the search text or select atleast one search option";
inline constexpr std::string_view kMsgBlockConfirm = "This process may take a long time. Do you wish to continue?";
inline constexpr std::string_view kMsgSelectFirst = "Please select a Word/Phrase first";

// What the search panel holds when "Go" is pressed.
struct SearchPanelInput {
    std::string text;                 // the search box
    bool advancedOpen = true;         // caption "Advanced <": the area search
    bool advancedVisible = true;      // the advanced panel is showing
    AreaSet areas{};                  // ticked search areas
    bool blockSearch = false;         // "Search Multiple Words in block of Verses:"
};

enum class SearchStep {
    MissingInput,   // show kMsgMissingInput and stop
    AskBlockSearch, // ask kMsgBlockConfirm, then run the block search on Yes
    Simple,
    Area,
};

// The block search reads no search area, so it is not refused for want of
// one (its area boxes are disabled while it is chosen); every other search
// needs text and at least one ticked area.
SearchStep searchStep(const SearchPanelInput& input);

// "Search Selected Word/Phrase": the text to search for, or nothing when
// the selection is empty (show kMsgSelectFirst).
std::optional<std::string> selectedSearchText(std::string_view selection);

// One statement of a search and what became of it.
struct StatementRun {
    enum class Status { NotRun, Done, Failed, ScopeRefused };
    int area = -1;  // -1: the simple search
    std::string sql;
    Status status = Status::NotRun;
    std::string error;
};

struct SearchRun {
    std::vector<std::string> rows;  // the result list, in the order found
    std::vector<StatementRun> statements;
};

// The simple search: one statement over the verses. `preparedText` is the
// text after prepareSearchText. With execute false nothing but the word
// group look-ups runs; the statements are returned.
SearchRun runSimpleSearch(db::Database& db, std::string_view preparedText, WordSlots slots,
                          const SearchOptions& options, bool execute = true);

// The area search: one statement per ticked area, areas in index order,
// the text parsed afresh for each. An area whose statement fails or whose
// sura scope is refused adds no rows; the others go on.
SearchRun runAreaSearch(db::Database& db, std::string_view preparedText, WordSlots slots,
                        const SearchOptions& options, const AreaSet& areas, const db::SearchTableList& tables,
                        bool execute = true);

// The result row of the current record of an area's statement (area -1:
// the simple search); empty when the record is not listed.
std::string resultRow(int area, const db::Recordset& rs);

}  // namespace search
