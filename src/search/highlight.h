#pragma once

#include "reading/display_settings.h"
#include "search/word_slots.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The highlight words: thirteen boxes whose words are marked wherever they
// occur in the reading pane, filled by hand or by a search.
namespace search {

using reading::kHighlightBoxes;
using HighlightWords = std::array<std::string, kHighlightBoxes>;

// ClearHL: every box empty.
inline HighlightWords clearHL() { return {}; }

// What a search leaves in the boxes: cleared, then, when the advanced panel
// is showing, "Highlight" is ticked and "Ignore Special Char (Normal)" is
// not, the trimmed search word of each used slot in the box of the same
// index (the first 13; word-group expansions and "\" words included).
HighlightWords highlightWordsFromSearch(const WordSlots& slots, bool advancedVisible, bool highlightTicked,
                                        bool ignoreNormalTicked);

}  // namespace search
