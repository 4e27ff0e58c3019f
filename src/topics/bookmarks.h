#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Bookmarks of the current run: a plain list of "sura:verse" entries in the
// order they were added. Nothing is stored; they end with the program.
namespace topics {

enum class ListMode { Verses, Result, Pages };

// "BOOKMARK VERSE": the entry for the current item of the verse list. In a
// sura's verse list the item is a verse number of the open sura; in a
// reference list it is the reference itself (a search category prefix is
// dropped). Nothing when there is no current item, the list shows pages,
// or the item is not a verse.
std::optional<std::string> bookmarkEntry(ListMode mode, std::optional<std::string_view> currentItem, int openSura);

class Bookmarks {
public:
    // Appends the entry; the same verse twice gives two entries.
    void add(std::string entry) { entries_.push_back(std::move(entry)); }
    const std::vector<std::string>& entries() const { return entries_; }
    // The reference a double-click on entry `index` jumps to (the entry's
    // text, for the go-to-verse jump), or nothing for no entry there.
    std::optional<std::string> jumpTarget(int index) const;

private:
    std::vector<std::string> entries_;
};

}  // namespace topics
