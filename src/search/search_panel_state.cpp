#include "search/search_panel_state.h"

#include <algorithm>

namespace search {

namespace {

void ignoreInterplay(SearchPanelState& s, const Toggle& clicked, Toggle& other)
{
    if (s.ignoreWhole.checked || s.ignoreNormal.checked) {
        s.highlight.checked = false;
        s.highlight.enabled = false;
    } else {
        s.highlight.enabled = true;
    }
    other.enabled = !clicked.checked;
}

void look(BoxLook& b, bool enabled, std::uint32_t colour)
{
    b.enabled = enabled;
    b.background = colour;
}

}  // namespace

void check2Click(SearchPanelState& s) { ignoreInterplay(s, s.ignoreWhole, s.ignoreNormal); }

void check3Click(SearchPanelState& s) { ignoreInterplay(s, s.ignoreNormal, s.ignoreWhole); }

void opClick(SearchPanelState& s, int index)
{
    s.scope = std::clamp(index, 0, 2);
    s.focus = SearchPanelState::Focus::Unchanged;
    switch (s.scope) {
    case 0:
        look(s.suraStart, false, kBoxGrey);
        look(s.suraEnd, false, kBoxGrey);
        look(s.suras, false, kBoxGrey);
        break;
    case 1:
        look(s.suraStart, true, kBoxWhite);
        look(s.suraEnd, true, kBoxWhite);
        s.suras.background = kBoxGrey;
        s.focus = SearchPanelState::Focus::SuraStart;
        break;
    default:
        look(s.suras, true, kBoxWhite);
        look(s.suraStart, false, kBoxGrey);
        look(s.suraEnd, false, kBoxGrey);
        s.focus = SearchPanelState::Focus::Suras;
        break;
    }
}

void check4Click(SearchPanelState& s)
{
    const bool on = s.block.checked;
    s.windowSize.enabled = on;
    s.showFirst.enabled = on;
    for (auto& a : s.areas)
        a.enabled = !on;
    s.scopeEnabled[1] = !on;
    s.scopeEnabled[2] = !on;
    if (on) {
        s.ignoreWhole.enabled = false;
        s.ignoreNormal.enabled = false;
    } else {
        // Give the ignore options back without letting both be ticked.
        s.ignoreWhole.enabled = !s.ignoreNormal.checked;
        s.ignoreNormal.enabled = !s.ignoreWhole.checked;
    }
}

void searchPanelOpened(SearchPanelState& s)
{
    if (!(s.ignoreWhole.checked && s.ignoreNormal.checked))
        return;
    s.ignoreWhole.checked = false;
    s.ignoreNormal.checked = false;
    s.highlight.checked = false;
    s.highlight.enabled = true;
    s.ignoreWhole.enabled = !s.block.checked;
    s.ignoreNormal.enabled = !s.block.checked;
}

void settleSearchPanel(SearchPanelState& s)
{
    searchPanelOpened(s);
    const auto focus = s.focus;
    opClick(s, s.scope);
    s.focus = focus;
    const bool ignoring = s.ignoreWhole.checked || s.ignoreNormal.checked;
    if (ignoring)
        s.highlight.checked = false;
    s.highlight.enabled = !ignoring;
    check4Click(s);  // also sets which ignore option may be ticked
}

}  // namespace search
