#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// The vocabulary of the text database: every table and column the program
// uses, the table list of the search areas, and the statements that create
// the text database and a collection file.
namespace db {

namespace table {
inline constexpr std::string_view Verses = "ZOVR";          // verse as displayed (RTF), notes, GOD totals
inline constexpr std::string_view VersesSearch = "ZOVRSch"; // plain verse text
inline constexpr std::string_view VersesPlain = "ZOVR1";    // verse text with punctuation blanked
inline constexpr std::string_view Suras = "SuraTable";
inline constexpr std::string_view Subtitles = "HEADERS";
inline constexpr std::string_view Footnotes = "FOOTERS";
inline constexpr std::string_view FrontMatter = "FRONTMATTER";
inline constexpr std::string_view GlossaryIndex = "GlosIndex";
inline constexpr std::string_view Appendices = "Appendices";
inline constexpr std::string_view WordGroups = "SIMWORDS";
inline constexpr std::string_view Topics = "ARTICLES";
inline constexpr std::string_view Topics1 = "ARTICLES1";
inline constexpr std::string_view VerseText = "Q";
inline constexpr std::string_view Notes = "YourNotes";      // collection file only
}  // namespace table

namespace column {
inline constexpr std::string_view Sura = "Sura";
inline constexpr std::string_view Verse = "Verse";
inline constexpr std::string_view Words = "Words";
inline constexpr std::string_view YourNotes = "YourNotes";
inline constexpr std::string_view Count = "count";
inline constexpr std::string_view Sum = "sum";
inline constexpr std::string_view ChOrder = "ChOrder";
inline constexpr std::string_view RvOrder = "RvOrder";
inline constexpr std::string_view Appendix = "Appendix";
inline constexpr std::string_view ID = "ID";
inline constexpr std::string_view Page = "Page";
inline constexpr std::string_view Matter = "Matter";
inline constexpr std::string_view Title = "Title";
inline constexpr std::string_view Number = "Number";
inline constexpr std::string_view WordPhrase = "WORDPHRASE";
inline constexpr std::string_view Articles = "ARTICLES";
}  // namespace column

// Number of alternate-word columns of SIMWORDS (SIMILAR1 .. SIMILAR9).
inline constexpr int kSimilarColumns = 9;

// One table name per search area, indexed like the nine area check boxes.
inline constexpr int kSearchAreaCount = 9;
using SearchTableList = std::array<std::string, kSearchAreaCount>;
SearchTableList searchTables();
// Captions of the search areas, same index.
std::array<std::string_view, kSearchAreaCount> searchAreaCaptions();

// Statements that create every table of an empty text database.
std::string textDatabaseSchema();
// Statements that create every table of an empty collection file.
std::string collectionSchema();

// Keeps ZOVR1's copy of the notes in step with ZOVR, in plain SQL, so a
// note written with any SQLite tool reaches the search form too.
inline constexpr std::string_view kNotesTwinTrigger = "ZOVR_notes_plain";
std::string notesTwinTrigger();
// plainSearchForm() in SQL: expressions to apply in turn, the first over
// `first`, each later one over `then` holding the result of the one before.
std::vector<std::string> plainSearchFormSteps(std::string_view first, std::string_view then);

// Replaces the notes trigger of older files (which needed zf_plain(), or
// has an earlier form) with the current one. Called on every open; does
// nothing when the file has the current trigger or none.
inline constexpr std::string_view kOldNotesTwinTrigger = "ZOVR_notes_twin";
void upgradeNotesTwin(sqlite3* handle);

}  // namespace db
