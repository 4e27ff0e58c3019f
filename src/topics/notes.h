#pragma once

#include "db/verse_ref.h"
#include "topics/outcome.h"
#include "topics/verse_items.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Database;
}

// The reader's note on a verse: the YourNotes column of the verse's row.
// Its search form in ZOVR1 is kept in step by the database itself, so a
// note written by any SQLite tool is found by the search just the same.
namespace topics {

inline constexpr std::string_view kNotesCaption = "My Note(s):";
inline constexpr std::string_view kFootnotesCaption = "Footnote(s):";
inline constexpr std::string_view kOnlyOneVerse = "Please select only one Verse for adding Your Notes";
inline constexpr std::string_view kAtLeastOneVerse = "Please select atleast one Verse to add Your Notes";

// Whether the text has that verse (a row of the verse table).
Fetched<bool> verseExists(db::Database& db, const db::VerseRef& verse);

// The stored note exactly ("" when the verse has none).
Fetched<std::string> readNote(db::Database& db, const db::VerseRef& verse);

// Replaces the verse's note with the text exactly as given (empty text
// clears it). Fails, naming the reason, when the verse does not exist or
// the write does not happen; the stored note is then unchanged.
Outcome writeNote(db::Database& db, const db::VerseRef& verse, std::string_view text);

// Which verse "UPDATE MY NOTES" saves to: exactly one checked item. With
// none or several, `message` is the notice to show and nothing is saved;
// a checked item that names no verse leaves both empty (nothing to save).
struct NoteTarget {
    std::optional<db::VerseRef> verse;
    std::string_view message;  // empty when verse is set
};
NoteTarget noteTarget(const std::vector<ListItem>& items, int openSura);

// The notes panel counts as closed when its frame is hidden, the left
// column is collapsed (exactly 240 twips wide) or it shows footnotes.
inline constexpr int kCollapsedLeftWidth = 240;
bool notesPanelClosed(bool frameVisible, int leftFrameWidth, std::string_view notesCaption);

}  // namespace topics
