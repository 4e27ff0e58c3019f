// How the options of the search panel enable and clear one another.
#include "search/search_panel_state.h"

#include <gtest/gtest.h>

using search::SearchPanelState;

TEST(SearchPanelOptions, IgnoreOptionsExcludeEachOtherAndHighlight)
{
    SearchPanelState s;
    s.highlight.checked = true;
    s.ignoreWhole.checked = true;
    search::check2Click(s);
    EXPECT_FALSE(s.highlight.checked);
    EXPECT_FALSE(s.highlight.enabled);
    EXPECT_FALSE(s.ignoreNormal.enabled);

    s.ignoreWhole.checked = false;
    search::check2Click(s);
    EXPECT_TRUE(s.highlight.enabled);
    EXPECT_FALSE(s.highlight.checked);  // not ticked again
    EXPECT_TRUE(s.ignoreNormal.enabled);

    s.ignoreNormal.checked = true;
    search::check3Click(s);
    EXPECT_FALSE(s.ignoreWhole.enabled);
    EXPECT_FALSE(s.highlight.enabled);

    // Settings of an older run with both ticked are cleared on opening.
    SearchPanelState both;
    both.ignoreWhole.checked = both.ignoreNormal.checked = both.highlight.checked = true;
    both.ignoreNormal.enabled = false;
    search::searchPanelOpened(both);
    EXPECT_FALSE(both.ignoreWhole.checked);
    EXPECT_FALSE(both.ignoreNormal.checked);
    EXPECT_FALSE(both.highlight.checked);
    EXPECT_TRUE(both.ignoreNormal.enabled);
}

TEST(SearchPanelOptions, ScopeButtons)
{
    SearchPanelState s;
    search::opClick(s, 0);
    for (const auto* b : {&s.suraStart, &s.suraEnd, &s.suras}) {
        EXPECT_FALSE(b->enabled);
        EXPECT_EQ(b->background, search::kBoxGrey);
    }
    EXPECT_EQ(s.focus, SearchPanelState::Focus::Unchanged);

    search::opClick(s, 2);
    EXPECT_TRUE(s.suras.enabled);
    EXPECT_EQ(s.suras.background, search::kBoxWhite);
    EXPECT_FALSE(s.suraStart.enabled);
    EXPECT_EQ(s.suraEnd.background, search::kBoxGrey);
    EXPECT_EQ(s.focus, SearchPanelState::Focus::Suras);

    search::opClick(s, 1);
    EXPECT_TRUE(s.suraStart.enabled);
    EXPECT_TRUE(s.suraEnd.enabled);
    EXPECT_EQ(s.suraStart.background, search::kBoxWhite);
    EXPECT_EQ(s.suras.background, search::kBoxGrey);
    EXPECT_TRUE(s.suras.enabled);  // greyed, its enabling left as it was
    EXPECT_EQ(s.focus, SearchPanelState::Focus::SuraStart);
    EXPECT_EQ(s.scope, 1);
}

TEST(SearchPanelOptions, BlockSearchOptions)
{
    SearchPanelState s;
    s.ignoreWhole.checked = true;
    search::check2Click(s);
    s.block.checked = true;
    search::check4Click(s);
    EXPECT_TRUE(s.windowSize.enabled);
    EXPECT_TRUE(s.showFirst.enabled);
    EXPECT_FALSE(s.ignoreWhole.enabled);
    EXPECT_FALSE(s.ignoreNormal.enabled);
    for (const auto& a : s.areas)
        EXPECT_FALSE(a.enabled);
    EXPECT_TRUE(s.scopeEnabled[0]);
    EXPECT_FALSE(s.scopeEnabled[1]);
    EXPECT_FALSE(s.scopeEnabled[2]);

    s.block.checked = false;
    search::check4Click(s);
    EXPECT_FALSE(s.windowSize.enabled);
    EXPECT_FALSE(s.showFirst.enabled);
    for (const auto& a : s.areas)
        EXPECT_TRUE(a.enabled);
    EXPECT_TRUE(s.scopeEnabled[2]);
    // The ticked ignore option comes back; the other stays off so both
    // can never be ticked together.
    EXPECT_TRUE(s.ignoreWhole.enabled);
    EXPECT_FALSE(s.ignoreNormal.enabled);

    // Loaded settings are made consistent in one go.
    SearchPanelState loaded;
    loaded.ignoreNormal.checked = true;
    loaded.highlight.checked = true;
    loaded.scope = 2;
    search::settleSearchPanel(loaded);
    EXPECT_FALSE(loaded.highlight.checked);
    EXPECT_FALSE(loaded.ignoreWhole.enabled);
    EXPECT_TRUE(loaded.ignoreNormal.enabled);
    EXPECT_FALSE(loaded.suraStart.enabled);
    EXPECT_TRUE(loaded.suras.enabled);
    EXPECT_FALSE(loaded.windowSize.enabled);
}
