#pragma once

#include "search/query.h"

#include <array>
#include <cstdint>

// How the options of the search panel enable and clear one another. The
// panel keeps its controls in step with this state after every click.
namespace search {

inline constexpr std::uint32_t kBoxWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBoxGrey = 0xE0E0E0;

struct Toggle {
    bool checked = false;
    bool enabled = true;
};

struct BoxLook {
    bool enabled = true;
    std::uint32_t background = kBoxWhite;
};

struct SearchPanelState {
    Toggle letterCase;    // Check1 "Letter-case"
    Toggle ignoreWhole;   // Check2 "Ignore Special Char (Whole Words)"
    Toggle ignoreNormal;  // Check3 "Ignore Special Char (Normal)"
    Toggle block;         // Check4 "Search Multiple Words in block of Verses:"
    Toggle highlight;     // Check5 "Highlight"
    Toggle showFirst;     // cShowFirst
    std::array<Toggle, kAreaCount> areas{};
    int scope = 0;                              // the selected Op button
    std::array<bool, 3> scopeEnabled{true, true, true};
    BoxLook suraStart, suraEnd, suras;          // txtSuraStart, txtSuraEnd, txtSuras
    BoxLook windowSize;                         // txtVD
    enum class Focus { Unchanged, SuraStart, Suras };
    Focus focus = Focus::Unchanged;
};

// Check2_Click / Check3_Click, after the box changed: either ignore option
// clears and disables "Highlight"; the other ignore option is disabled
// while the clicked one is ticked.
void check2Click(SearchPanelState& s);
void check3Click(SearchPanelState& s);
// Op_Click with the index of the chosen scope button.
void opClick(SearchPanelState& s, int index);
// Check4_Click, after the box changed: the block search's own options on,
// the options it does not use off, and back.
void check4Click(SearchPanelState& s);
// Opening the panel: both ignore options ticked (settings from an older
// run) are both cleared, and "Highlight" with them.
void searchPanelOpened(SearchPanelState& s);
// Every enabled state and colour made consistent with the ticks, as after
// loading the settings (focus left alone).
void settleSearchPanel(SearchPanelState& s);

}  // namespace search
