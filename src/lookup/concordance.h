#pragma once

#include <compare>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Database;
}

// The concordance of one part of the text: each word with the verses it
// stands in. A word is what the whole-word search matches: a piece of the
// text's search form (punctuation blanked, the "1" tables) between two
// spaces, letter case ignored. So a word listed here with its verses is
// found by a whole-word search in the same area in exactly those verses.
namespace lookup {

enum class Area { Verses, Subtitles, Footnotes };

// The table the whole-word search reads for the area ("Q1", "HEADERS1", "FOOTERS1").
std::string_view searchTable(Area area);
// The document's name and size-record title ("VConcordance", "SConcordance", "FConcordance").
std::string_view documentName(Area area);
// "verses", "subtitles", "footnotes".
std::string_view areaName(Area area);
// By its English name or its document's name, letter case ignored; false when unknown.
bool parseArea(std::string_view text, Area& area);

struct Ref {
    int sura = 0;
    int verse = 0;
    auto operator<=>(const Ref&) const = default;
    std::string display() const;  // "2:255"
};

// One row of an area: the verse it belongs to and its text (either as
// stored or already in the search form; both give the same words).
struct Row {
    int sura = 0;
    int verse = 0;
    std::string text;
};

struct Entry {
    std::string key;   // the word with its letter case folded: what is compared
    std::string word;  // the spelling the text uses most often
    std::vector<Ref> refs;  // sorted, each verse once
    int occurrences = 0;    // every time it stands in the area
};

// The words of a text, in order: its search form split at the spaces.
std::vector<std::string> wordsOf(std::string_view text);
// The form a word is compared in (letter case folded as the search folds it).
std::string keyOf(std::string_view word);

// Every word of the rows, sorted by key.
std::vector<Entry> buildConcordance(const std::vector<Row>& rows);

// The rows of an area from its search table, in order of sura and verse.
// Empty when the table cannot be read.
std::vector<Row> readRows(db::Database& db, Area area);
std::vector<Entry> concordanceOf(db::Database& db, Area area);

// The verses of one word in the area, as its concordance entry lists them.
// A text that is not one word (empty, or more than one word once its
// punctuation is blanked) has none.
std::vector<Ref> referencesOf(db::Database& db, Area area, std::string_view word);

// The initial an entry is filed under in the documents: its first letter,
// upper case, or "#" for anything else.
std::string initialOf(const Entry& e);
// True when the word holds a letter (numbers alone, such as the references
// a footnote starts with, are no words to look up).
bool hasLetter(std::string_view word);

}  // namespace lookup
