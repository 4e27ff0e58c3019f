#pragma once

#include "db/verse_ref.h"

#include <string>
#include <string_view>
#include <vector>

namespace db {
class Database;
}

// A range of verses given by the save panel's four boxes: the start and end
// sura and verse, each read as the number the box's text starts with.
namespace exporting {

struct RangeBoxes {
    std::string startSura;
    std::string startVerse;
    std::string endSura;
    std::string endVerse;

    // A box with nothing typed in it (blanks count as typed).
    bool anyEmpty() const;
};

inline constexpr const char* kRangeNotEntered = "Sura and/or Verse Numbers not entered correctly";

// sura × 1000 + verse from the leading numbers of the two texts (0 where a
// text starts with no number), as plain decimal text for the statement.
// A number too large for any verse is held at a bound beyond every verse,
// so it still means "past the end" and can never change the statement.
std::string rangeKey(std::string_view sura, std::string_view verse);

// The statement that lists the range's verses in order.
std::string rangeStatement(const RangeBoxes& boxes);

// The range's verses; none when the start lies after the end.
std::vector<db::VerseRef> rangeVerses(db::Database& db, const RangeBoxes& boxes);

// "Verses N" for the sura typed in a range box (N its last verse); empty
// when the box is empty, names no sura of the text or is no whole number.
std::string verseCountCaption(db::Database& db, std::string_view suraBox);

}  // namespace exporting
