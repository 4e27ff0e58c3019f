#pragma once

#include <array>
#include <string>

namespace search {

// The parsed search words and their operator codes live in 51 slots for
// the whole run: the search fills them, the highlighting reads them, the
// block search empties them. The main window owns them; the search works
// on them through a view so that tests and the command line can own
// their own.
inline constexpr int kSlotCount = 51;
using SlotArray = std::array<std::string, kSlotCount>;

// Operator codes stored with the word that follows the character.
inline constexpr char kMustContain = '+';    // code "1"
inline constexpr char kMustNotContain = '\\'; // code "2"
inline constexpr char kAlternative = '/';    // code "3"

struct WordSlots {
    SlotArray& words;
    SlotArray& ops;
    int& count;
};

// Slots owned by whoever needs a private set (the command line, tests).
struct SearchSlots {
    SlotArray words{};
    SlotArray ops{};
    int count = 0;
    WordSlots view() { return {words, ops, count}; }
};

}  // namespace search
