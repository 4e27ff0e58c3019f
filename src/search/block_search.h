#pragma once

#include "search/word_slots.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Database;
}

// The block search: a window of consecutive verses slides over the whole
// text, one verse at a time, and every window whose combined text holds
// the wanted words is printed. It reads every verse and tests the text in
// memory; no statement carries the words.
namespace search {

// One verse as the block search sees it: its place and its plain text.
struct BlockVerse {
    int sura = 0;
    int verse = 0;
    std::string text;
};

struct BlockOptions {
    std::string windowSize = "2";  // as typed; the box starts with "2"
    bool showFirst = false;        // print only the first verse of each window
    bool letterCase = false;       // letter case must match
};

// The words of the block search. The word before the first operator is
// required like a "+" word; "/" words are alternatives: a window matches
// when it holds every required word, no "\" word, and, when there are "/"
// words, at least one of them.
struct BlockQuery {
    std::vector<std::string> required;
    std::vector<std::string> excluded;
    std::vector<std::string> alternatives;
    int slotsUsed = 0;  // slots the parse filled (0 .. slotsUsed - 1)
};

// Parses the search box text (with the block search's leading space
// already added). Reads a fixed copy and always ends.
BlockQuery parseBlockQuery(std::string_view text);

inline constexpr std::string_view kBlockSeparator =
    "-------------------------------------------------------------------------------";  // 79 dashes

struct BlockResult {
    std::string searchBoxText;  // what the search box shows afterwards
    std::string output;         // what is written into the reading pane
    bool searched = false;      // false when the text held no operator
    int windows = 0;            // windows printed
};

// Search_Adv over `verses`, which are in the order to search (actual or
// chronological). `searchText` is the search box after the search
// command's preparation. When `slots` is given, the slots the parse used
// are emptied afterwards and their codes set to "0", as the next search
// expects after a block search.
BlockResult blockSearch(std::string_view searchText, const std::vector<BlockVerse>& verses,
                        const BlockOptions& options, WordSlots* slots = nullptr);

// The verses to search, in actual order or in the order of revelation.
// With `rtfToPlain` the stored verse (ZOVR.Words, rich text with subtitle
// and footnotes) is turned into plain text by it; without, the plain
// search form of the verse is read and headed by its reference, the way
// the stored verse shows it ("[2:255] ...").
using RtfToPlain = std::function<std::string(std::string_view)>;
std::vector<BlockVerse> readBlockVerses(db::Database& db, bool chronological, const RtfToPlain& rtfToPlain = {});

// The statement that reads the verses (columns Sura, Verse, Words).
std::string blockVersesStatement(bool chronological, bool storedForm);

}  // namespace search
