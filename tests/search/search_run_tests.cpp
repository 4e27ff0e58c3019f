// Running searches on a small text and listing the hits by category.
#include "reading/verse_format.h"
#include "search/highlight.h"
#include "search/result_list.h"
#include "search/search_run.h"
#include "search_fixture.h"

#include "db/recordset.h"

#include <gtest/gtest.h>

using search::AreaSet;
using search::SearchOptions;
using search::SearchSlots;
using Rows = std::vector<std::string>;

namespace {

AreaSet areas(std::initializer_list<int> which)
{
    AreaSet a{};
    for (int i : which)
        a[static_cast<size_t>(i)] = true;
    return a;
}

AreaSet allAreas() { return areas({0, 1, 2, 3, 4, 5, 6, 7, 8}); }

class SearchRun : public SearchDb {
protected:
    Rows areaRows(const std::string& text, const AreaSet& which, const SearchOptions& o = {})
    {
        return search::runAreaSearch(db, search::prepareSearchText(text), slots.view(), o, which, db::searchTables())
            .rows;
    }
    Rows simpleRows(const std::string& text, const SearchOptions& o = {})
    {
        return search::runSimpleSearch(db, search::prepareSearchText(text), slots.view(), o).rows;
    }
    SearchSlots slots;
};

}  // namespace

TEST_F(SearchRun, EveryAreaAddsItsRowsInAreaOrder)
{
    EXPECT_EQ(areaRows("mercy", allAreas()),
              (Rows{"TL.Appendix 1 Appendix of Mercy", "V.1:1", "V.1:4", "V.2:2", "V.3:2", "S.1:1", "F.1:4", "F.2:2",
                    "FM.Front matter about mercy.", "AP.1 Appendix one speaks of mercy.", "GL.Mercy: kindness shown.",
                    "IN.Mercy: 1:1, 2:2", "2:3", "T.2:2"}));
    // Sura titles carry their number; a 0 or missing number is left out.
    EXPECT_EQ(areaRows("the", areas({0})), (Rows{"TL.Sura 1 The Praise", "TL.Sura 2 The Stars", "TL.Sura 3 The One",
                                                "TL.Sura 4 The Lamp"}));
    // The simple search lists bare references.
    EXPECT_EQ(simpleRows("god +mercy"), (Rows{"3:2"}));
    EXPECT_EQ(simpleRows("god\\idol"), (Rows{"3:2", "3:3"}));
    EXPECT_EQ(simpleRows("stars/sky"), (Rows{"1:3", "2:1"}));
}

TEST_F(SearchRun, OptionsShapeTheHits)
{
    SearchOptions exact;
    exact.letterCase = true;
    EXPECT_EQ(areaRows("Mercy", areas({1}), exact), (Rows{"V.1:4"}));
    EXPECT_EQ(simpleRows("Mercy", exact), (Rows{"1:4"}));

    SearchOptions chrono;
    chrono.chronological = true;
    EXPECT_EQ(areaRows("mercy", areas({1, 3}), chrono), (Rows{"V.3:2", "V.1:1", "V.1:4", "V.2:2", "F.1:4", "F.2:2"}));
    // A word that names the column is searched as typed in this order too.
    EXPECT_EQ(areaRows("Words", areas({1}), chrono), (Rows{"V.3:3"}));

    SearchOptions whole, normal;
    whole.ignoreWhole = true;
    normal.ignoreNormal = true;
    EXPECT_EQ(areaRows("lamp.", areas({1}), whole).size(), 120u);
    EXPECT_TRUE(areaRows("amp", areas({1}), whole).empty());
    EXPECT_EQ(areaRows("amp", areas({1}), normal).size(), 120u);
    EXPECT_EQ(areaRows("God's", areas({1}), normal), (Rows{"V.3:2"}));
    // "+word" keeps its hits as a whole word in either order and letter case.
    EXPECT_EQ(areaRows("+lord", areas({1}), whole), (Rows{"V.1:1", "V.2:0", "V.3:3"}));
    whole.chronological = true;
    EXPECT_EQ(areaRows("+lord", areas({1}), whole), (Rows{"V.3:3", "V.1:1", "V.2:0"}));
    whole.letterCase = true;
    EXPECT_EQ(areaRows("+Lord", areas({1, 7}), whole), (Rows{"V.3:3", "V.1:1", "V.2:0", "2:3"}));

    SearchOptions scope;
    scope.scope = search::SuraScope::Range;
    scope.suraStart = "2";
    scope.suraEnd = "3";
    EXPECT_EQ(areaRows("mercy", areas({1, 5}), scope), (Rows{"V.2:2", "V.3:2", "GL.Mercy: kindness shown."}));
    scope.scope = search::SuraScope::List;
    scope.suras = "1,3";
    EXPECT_EQ(areaRows("mercy", areas({1, 2}), scope), (Rows{"V.1:1", "V.1:4", "V.3:2", "S.1:1"}));
}

TEST_F(SearchRun, AFailingAreaAddsNoRowsAndTheOthersGoOn)
{
    auto tables = db::searchTables();
    tables[2] = "NoSuchTable";
    auto run = search::runAreaSearch(db, "mercy", slots.view(), {}, areas({1, 2, 3}), tables);
    EXPECT_EQ(run.rows, (Rows{"V.1:1", "V.1:4", "V.2:2", "V.3:2", "F.1:4", "F.2:2"}));
    ASSERT_EQ(run.statements.size(), 3u);
    EXPECT_EQ(run.statements[1].status, search::StatementRun::Status::Failed);
    EXPECT_EQ(run.statements[2].status, search::StatementRun::Status::Done);

    SearchOptions hostile;
    hostile.scope = search::SuraScope::List;
    hostile.suras = "1); DELETE FROM Q; --";
    run = search::runAreaSearch(db, "mercy", slots.view(), hostile, areas({1, 5}), db::searchTables());
    EXPECT_EQ(run.rows, (Rows{"GL.Mercy: kindness shown."}));
    EXPECT_EQ(run.statements[0].status, search::StatementRun::Status::ScopeRefused);
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT count(*) FROM Q", db));
    EXPECT_EQ(rs.field(0).toInt(), 142);
}

TEST_F(SearchRun, StatementsWithoutRunning)
{
    auto run = search::runAreaSearch(db, "grace@", slots.view(), {}, areas({1, 7}), db::searchTables(), false);
    EXPECT_TRUE(run.rows.empty());
    ASSERT_EQ(run.statements.size(), 2u);
    EXPECT_EQ(run.statements[0].status, search::StatementRun::Status::NotRun);
    EXPECT_EQ(run.statements[1].sql, "SELECT * FROM ZOVR where  ( instr(1,YourNotes,'mercy',1) > 0  or  "
                                     "instr(1,YourNotes,'grace',1) > 0 ) order by Sura,Verse");
}

TEST_F(SearchRun, CategoriesFilterTheList)
{
    const Rows rows = areaRows("mercy", allAreas());
    auto verses = search::filterResults(rows, "Verses");
    EXPECT_EQ(verses.items, (Rows{"1:1", "1:4", "2:2", "3:2"}));
    EXPECT_EQ(verses.resultPicked, 4);
    EXPECT_EQ(search::filterResults(rows, "Footnotes").items, (Rows{"1:4", "2:2"}));
    EXPECT_EQ(search::filterResults(rows, "Subtitles").items, (Rows{"1:1"}));
    EXPECT_EQ(search::filterResults(rows, "Topics").items, (Rows{"2:2"}));
    EXPECT_EQ(search::filterResults(rows, "Titles").items, (Rows{"TL.Appendix 1 Appendix of Mercy"}));
    EXPECT_EQ(search::filterResults(rows, "Appendices").items, (Rows{"AP.1 Appendix one speaks of mercy."}));
    EXPECT_EQ(search::filterResults(rows, "Front Matter").items, (Rows{"FM.Front matter about mercy."}));
    EXPECT_EQ(search::filterResults(rows, "Glossary").items, (Rows{"GL.Mercy: kindness shown."}));
    EXPECT_EQ(search::filterResults(rows, "Index").items, (Rows{"IN.Mercy: 1:1, 2:2"}));

    auto all = search::filterResults(rows, "All");
    EXPECT_EQ(all.items, (Rows{"TL.Appendix 1 Appendix of Mercy", "1:1", "1:4", "2:2", "3:2", "1:1", "1:4", "2:2",
                               "FM.Front matter about mercy.", "AP.1 Appendix one speaks of mercy.",
                               "GL.Mercy: kindness shown.", "IN.Mercy: 1:1, 2:2", "2:3", "2:2"}));
    // My Notes rows have no mark: only "All" (or an unknown category) lists them.
    for (auto category : search::kCategories) {
        auto f = search::filterResults(rows, category);
        const bool hasNote = std::find(f.items.begin(), f.items.end(), "2:3") != f.items.end();
        EXPECT_EQ(hasNote, category == "All") << category;
        EXPECT_EQ(search::categoryCount(rows, category), static_cast<int>(f.items.size())) << category;
    }
    EXPECT_EQ(search::filterResults(rows, "Something else").items, rows);

    // After a verse and footnote search, "Verses" recounts the header.
    const Rows vf = areaRows("mercy", areas({1, 3}));
    EXPECT_EQ(search::resultHeader("mercy", search::filterResults(vf, "All").items.size()),
              "Search Word: mercy\r\nResult Count: 6\r\n\r\n\r\n");
    EXPECT_EQ(search::resultHeader("mercy", search::filterResults(vf, "Verses").items.size()),
              "Search Word: mercy\r\nResult Count: 4\r\n\r\n\r\n");
}

TEST_F(SearchRun, ManyHitsAreAllListedAndTheFirst51Selected)
{
    const Rows rows = areaRows("lamp", areas({1}));
    ASSERT_EQ(rows.size(), 120u);
    EXPECT_EQ(rows.front(), "V.4:1");
    EXPECT_EQ(rows.back(), "V.4:120");
    auto all = search::filterResults(rows, "All");
    EXPECT_EQ(all.items.size(), 120u);
    EXPECT_EQ(all.resultPicked, 51);
    EXPECT_EQ(search::resultHeader("lamp", all.items.size()), "Search Word: lamp\r\nResult Count: 120\r\n\r\n\r\n");

    const Rows none = areaRows("zebra", allAreas());
    EXPECT_TRUE(none.empty());
    auto empty = search::filterResults(none, "All");
    EXPECT_EQ(empty.resultPicked, 0);
    EXPECT_EQ(search::resultHeader("zebra", empty.items.size()), "Search Word: zebra\r\nResult Count: 0\r\n\r\n\r\n");
}

TEST(SearchCommand, WhichSearchGoRuns)
{
    search::SearchPanelInput in;
    in.text = "mercy";
    // Text but no area: refused, even for the simple search.
    in.advancedOpen = false;
    in.advancedVisible = false;
    EXPECT_EQ(search::searchStep(in), search::SearchStep::MissingInput);
    in.areas[1] = true;
    EXPECT_EQ(search::searchStep(in), search::SearchStep::Simple);
    in.advancedOpen = in.advancedVisible = true;
    EXPECT_EQ(search::searchStep(in), search::SearchStep::Area);
    in.text.clear();
    EXPECT_EQ(search::searchStep(in), search::SearchStep::MissingInput);

    // The block search is offered only while the advanced panel shows, and
    // needs no area (its area boxes are disabled).
    in.text = "+mercy +forgive";
    in.blockSearch = true;
    in.areas = {};
    EXPECT_EQ(search::searchStep(in), search::SearchStep::AskBlockSearch);
    in.areas[1] = true;
    in.advancedVisible = false;  // "Search Selected Word/Phrase" hides it
    EXPECT_EQ(search::searchStep(in), search::SearchStep::Area);

    EXPECT_FALSE(search::selectedSearchText("").has_value());
    EXPECT_EQ(search::selectedSearchText("  God's mercy "), "God's mercy");
    EXPECT_EQ(search::kMsgSelectFirst, "Please select a Word/Phrase first");
    EXPECT_EQ(search::kMsgMissingInput, "Please enter the search text or select atleast one search option");
}

// The words the reading pane's highlight pass marks for these boxes, by the
// rule the renderer runs.
std::vector<std::string> marked(const search::HighlightWords& boxes)
{
    std::vector<std::string> out;
    for (const auto& box : boxes)
        if (std::string w = reading::wordToMark(box); !w.empty())
            out.push_back(std::move(w));
    return out;
}

TEST_F(SearchRun, SearchWordsFillTheHighlightBoxes)
{
    areaRows("god +mercy", areas({1}));
    auto boxes = search::highlightWordsFromSearch(slots.view(), true, true, false);
    EXPECT_EQ(boxes[0], "god");
    EXPECT_EQ(boxes[1], "mercy");
    EXPECT_EQ(boxes[2], "");
    EXPECT_EQ(marked(boxes), (Rows{"god", "mercy"}));
    // Not with "Ignore Special Char (Normal)", "Highlight" off or the panel closed.
    EXPECT_EQ(search::highlightWordsFromSearch(slots.view(), true, true, true), search::clearHL());
    EXPECT_EQ(search::highlightWordsFromSearch(slots.view(), true, false, false), search::clearHL());
    EXPECT_EQ(search::highlightWordsFromSearch(slots.view(), false, true, false), search::clearHL());

    // Group expansions and "\" words are marked too; apostrophes show single.
    areaRows("God's \\idol@", areas({1}));
    boxes = search::highlightWordsFromSearch(slots.view(), true, true, false);
    EXPECT_EQ(marked(boxes), (Rows{"God's", "idol", "image", "statue"}));
    EXPECT_EQ(boxes[0], "God''s");

    // Only the first thirteen words are kept.
    std::string many = "w0";
    for (int i = 1; i < 20; ++i)
        many += " /w" + std::to_string(i);
    areaRows(many, areas({1}));
    boxes = search::highlightWordsFromSearch(slots.view(), true, true, false);
    EXPECT_EQ(boxes[12], "w12");
    EXPECT_EQ(marked(boxes).size(), 13u);
}
