#pragma once

#include "db/schema.h"
#include "search/word_slots.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace db {
class Database;
}

// Turning the text of the search box into statements: preparing the text,
// splitting it into words and operator codes (expanding "@" words through
// the word groups), cleaning each word for an SQL literal, and assembling
// one SELECT for the simple search or for each search area.
namespace search {

// Which suras the area search looks at (the three "Op" option buttons).
enum class SuraScope { All = 0, Range = 1, List = 2 };

// The options of the advanced panel that shape a statement.
struct SearchOptions {
    bool letterCase = false;    // "Letter-case": letter case must match
    bool ignoreWhole = false;   // "Ignore Special Char (Whole Words)"
    bool ignoreNormal = false;  // "Ignore Special Char (Normal)"
    SuraScope scope = SuraScope::All;
    std::string suraStart;      // "Range of Suras": first and last sura as typed
    std::string suraEnd;
    std::string suras;          // "Specified Suras": numbers separated by commas, as typed
    bool chronological = false; // "Chronological Order of Revelation"
};

// Compare mode of instr: 0 letter case must match, 1 ignored.
inline int compareMode(const SearchOptions& o) { return o.letterCase ? 0 : 1; }
inline bool ignoresSpecialChars(const SearchOptions& o) { return o.ignoreWhole || o.ignoreNormal; }

// The search areas, indexed like the nine area check boxes.
inline constexpr int kAreaCount = db::kSearchAreaCount;
using AreaSet = std::array<bool, kAreaCount>;

struct AreaInfo {
    std::string_view column;  // the column searched
    std::string_view order;   // ORDER BY list
    std::string_view extra;   // condition added after the word terms
};
const AreaInfo& areaInfo(int area);
// Verses, subtitles and footnotes: the areas that take the sura scope and
// the chronological order.
inline bool isSuraArea(int area) { return area >= 1 && area <= 3; }

// What the search command does to the text before parsing it (and shows
// back in the box): a space before every operator character, runs of
// spaces reduced to one.
std::string prepareSearchText(std::string_view text);

// Splits the text into the word slots: the word after "+", "\" or "/"
// carries code "1", "2" or "3"; the first word may have none. Words marked
// with "@" are replaced by themselves plus every other member of each word
// group they belong to, looked up on `db` (skipped when db is null or the
// look-up fails). At most 51 slots are filled.
void getQSearch(std::string_view text, WordSlots slots, db::Database* db);

// The statement that finds the word groups holding `word`.
std::string wordGroupLookup(std::string_view word);

// Cleans the word in place for use inside an SQL literal (mode 0 also
// blanks punctuation when an "Ignore Special Char" option is on) and
// returns it trimmed. The slot keeps the untrimmed form.
std::string removeSpcChar(std::string& word, int mode, const SearchOptions& options);

// The simple search over every verse. Cleans the slots.
std::string simpleStatement(WordSlots slots, const SearchOptions& options);

// The statement of one search area over `table` (its entry in the search
// table list). Cleans the slots. Empty when the sura scope typed for a
// verse, subtitle or footnote search is not a number (or, for "Specified
// Suras", a comma-separated list of numbers): that area then has no hits.
std::optional<std::string> areaStatement(WordSlots slots, int area, std::string_view table,
                                         const SearchOptions& options);

// The sura condition of an area (or its fixed extra condition); empty
// optional when the typed scope is refused.
std::optional<std::string> suraCondition(int area, const SearchOptions& options);

}  // namespace search
