#pragma once

#include "search/word_slots.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The highlight words: thirteen boxes whose words are marked wherever they
// occur in the reading pane, filled by hand or by a search.
namespace search {

inline constexpr int kHighlightBoxes = 13;
using HighlightWords = std::array<std::string, kHighlightBoxes>;

// ClearHL: every box empty.
inline HighlightWords clearHL() { return {}; }

// What a search leaves in the boxes: cleared, then, when the advanced panel
// is showing, "Highlight" is ticked and "Ignore Special Char (Normal)" is
// not, the trimmed search word of each used slot in the box of the same
// index (the first 13; word-group expansions and "\" words included).
HighlightWords highlightWordsFromSearch(const WordSlots& slots, bool advancedVisible, bool highlightTicked,
                                        bool ignoreNormalTicked);

// The words the highlight pass marks, box by box: the search doubles
// apostrophes, the pane shows them single; empty boxes mark nothing.
std::vector<std::string> wordsToMark(const HighlightWords& boxes);

// The colour names of the highlight colour list and their values (red in
// the low byte).
inline constexpr std::array<std::string_view, 4> kHighlightColourNames = {"Yellow", "Red", "Green", "Blue"};
// The value for the list's text; an unknown text marks in yellow.
long highlightColour(std::string_view colourName);

// opHM_Click: ticking "Highlight Color:" shows the colour list; unticking
// hides it and goes back to yellow.
struct ColourChoice {
    bool listVisible = false;
    int listIndex = 0;
};
ColourChoice opHMClick(bool ticked, int listIndex);

}  // namespace search
