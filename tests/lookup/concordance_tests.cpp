#include "db/database.h"
#include "db/recordset.h"
#include "db/schema.h"
#include "lookup/concordance.h"
#include "search/query.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace fs = std::filesystem;
using lookup::Area;
using lookup::Ref;
using testing_support::TempDir;

namespace {

// The verses the program's own search finds for one whole word in an area:
// the area statement with "Ignore Special Char (Whole Words)" ticked. The
// search box reads a text of one character as no word at all, so the word
// is typed with a space after it, as a reader looking up "s" would have to.
std::vector<Ref> searchedVerses(db::Database& db, Area area, const std::string& word)
{
    const int index = area == Area::Verses ? 1 : area == Area::Subtitles ? 2 : 3;
    search::SearchSlots slots;
    search::getQSearch(search::prepareSearchText(word + " "), slots.view(), &db);
    search::SearchOptions o;
    o.ignoreWhole = true;
    auto sql = search::areaStatement(slots.view(), index, db::searchTables()[static_cast<size_t>(index)], o);
    EXPECT_TRUE(sql.has_value());
    std::set<Ref> found;
    db::Recordset rs;
    EXPECT_TRUE(rs.open(*sql, db)) << *sql << ": " << rs.lastError();
    for (; !rs.eof(); rs.moveNext())
        found.insert({static_cast<int>(rs.field("Sura").toInt()), static_cast<int>(rs.field("Verse").toInt())});
    return {found.begin(), found.end()};
}

// A small text database with verses, subtitles and footnotes whose words
// meet the corners of the whole-word rule.
struct SmallText {
    TempDir tmp;
    db::Database db;
    SmallText()
    {
        EXPECT_TRUE(db.openFile(tmp / "English.ttb", db::Database::Mode::CreateIfMissing)) << db.lastError();
        EXPECT_TRUE(db.execute(db::textDatabaseSchema())) << db.lastError();
        const char* rows = R"sql(
INSERT INTO Q VALUES (1, 1, 'Allah''s mercy: the Merciful, the Ever-Living.');
INSERT INTO Q VALUES (1, 2, 'Mankind and man; MAN [himself].');
INSERT INTO Q VALUES (2, 1, 'Is it "man"? Yes - it is man!');
INSERT INTO Q VALUES (2, 7, 'mercy (mercy) Mercy');
INSERT INTO Q VALUES (3, 4, 'Manna fell/rose+man\end');
INSERT INTO HEADERS VALUES (2, 1, 'The Mercy of Allah');
INSERT INTO HEADERS VALUES (2, 7, 'Man and his Lord');
INSERT INTO FOOTERS VALUES (2, 1, '*2:1 A note on man.');
INSERT INTO FOOTERS VALUES (2, 1, '*2:1 A second note, on mercy.');
INSERT INTO FOOTERS VALUES (3, 0, '*3:0 About sura 3.');
INSERT INTO Q1 SELECT Sura, Verse, zf_plain(Words) FROM Q;
INSERT INTO HEADERS1 SELECT Sura, Verse, zf_plain(Words) FROM HEADERS;
INSERT INTO FOOTERS1 SELECT Sura, Verse, zf_plain(Words) FROM FOOTERS;
)sql";
        EXPECT_TRUE(db.execute(rows)) << db.lastError();
    }
};

}  // namespace

TEST(Concordance, AWordsVersesAreWhatTheWholeWordSearchFinds)
{
    SmallText t;
    struct Case {
        Area area;
        std::string word;
        std::vector<Ref> expected;
    };
    const std::vector<Case> cases = {
        // Any letter case; not inside "Mankind" or "Manna"; through brackets, quotes, "/", "+" and "\".
        {Area::Verses, "man", {{1, 2}, {2, 1}, {3, 4}}},
        {Area::Verses, "MAN", {{1, 2}, {2, 1}, {3, 4}}},
        {Area::Verses, "mercy", {{1, 1}, {2, 7}}},  // 2:7 three times, listed once
        {Area::Verses, "Allah", {{1, 1}}},          // "Allah's" holds the word
        {Area::Verses, "s", {{1, 1}}},
        {Area::Verses, "Living", {{1, 1}}},
        {Area::Verses, "end", {{3, 4}}},
        {Area::Verses, "merciful", {{1, 1}}},
        {Area::Verses, "mankind", {{1, 2}}},
        {Area::Verses, "nothing", {}},
        {Area::Subtitles, "mercy", {{2, 1}}},
        {Area::Subtitles, "man", {{2, 7}}},
        {Area::Footnotes, "note", {{2, 1}}},  // two footnotes of one verse: one reference
        {Area::Footnotes, "sura", {{3, 0}}},
        {Area::Footnotes, "1", {{2, 1}}},  // the reference a footnote starts with is searched too
    };
    for (const auto& c : cases) {
        const auto refs = lookup::referencesOf(t.db, c.area, c.word);
        EXPECT_EQ(refs, c.expected) << lookup::areaName(c.area) << " " << c.word;
        EXPECT_EQ(refs, searchedVerses(t.db, c.area, c.word)) << lookup::areaName(c.area) << " " << c.word;
    }
    // More than one word, or none, is not a concordance word.
    EXPECT_TRUE(lookup::referencesOf(t.db, Area::Verses, "Allah's").empty());
    EXPECT_TRUE(lookup::referencesOf(t.db, Area::Verses, "the mercy").empty());
    EXPECT_TRUE(lookup::referencesOf(t.db, Area::Verses, "  ").empty());
    EXPECT_EQ(lookup::referencesOf(t.db, Area::Verses, " man "), (std::vector<Ref>{{1, 2}, {2, 1}, {3, 4}}));
}

TEST(Concordance, EveryWordOnceSortedWithTheVersesTheSearchFinds)
{
    SmallText t;
    for (Area area : {Area::Verses, Area::Subtitles, Area::Footnotes}) {
        const auto entries = lookup::concordanceOf(t.db, area);
        ASSERT_FALSE(entries.empty());
        std::set<std::string> keys;
        for (size_t i = 0; i < entries.size(); ++i) {
            const auto& e = entries[i];
            EXPECT_TRUE(keys.insert(e.key).second) << e.key;
            if (i) {
                EXPECT_LT(entries[i - 1].key, e.key);
            }
            EXPECT_EQ(lookup::keyOf(e.word), e.key);
            EXPECT_TRUE(std::is_sorted(e.refs.begin(), e.refs.end()));
            EXPECT_EQ(e.refs, searchedVerses(t.db, area, e.word)) << lookup::areaName(area) << " " << e.word;
            EXPECT_GE(e.occurrences, static_cast<int>(e.refs.size()));
        }
    }
    // Spelling shown is the most frequent one; occurrences count each time.
    const auto verses = lookup::concordanceOf(t.db, Area::Verses);
    auto find = [&](const std::string& key) {
        return *std::find_if(verses.begin(), verses.end(), [&](const lookup::Entry& e) { return e.key == key; });
    };
    EXPECT_EQ(find("mercy").word, "mercy");
    EXPECT_EQ(find("mercy").occurrences, 4);
    EXPECT_EQ(find("man").occurrences, 5);
    EXPECT_EQ(find("man").word, "man");
    EXPECT_EQ(find("allah").word, "Allah");
}

TEST(Concordance, LetterCaseFoldsAsTheSearchCompares)
{
    // Two words are one entry exactly when instr, ignoring case, finds one in the other whole.
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"Man", "mAN"}, {"ÉLAN", "élan"}, {"Ωmega", "ωMEGA"}, {"Жизнь", "жизнь"}, {"man", "men"}, {"straße", "STRASSE"}};
    for (const auto& [a, b] : pairs) {
        const bool same = lookup::keyOf(a) == lookup::keyOf(b);
        EXPECT_EQ(same, db::instrPosition(1, " " + a + " ", " " + b + " ", 1) == 1) << a << " / " << b;
    }
}

TEST(Concordance, AreasByName)
{
    Area a = Area::Verses;
    EXPECT_TRUE(lookup::parseArea("Footnotes", a));
    EXPECT_EQ(a, Area::Footnotes);
    EXPECT_TRUE(lookup::parseArea("sconcordance", a));
    EXPECT_EQ(a, Area::Subtitles);
    EXPECT_FALSE(lookup::parseArea("titles", a));
    EXPECT_EQ(lookup::searchTable(Area::Verses), "Q1");
    EXPECT_EQ(lookup::documentName(Area::Footnotes), "FConcordance");
}

// On the whole text: a spread of words through the alphabet agrees with the search.
TEST(ConcordanceFullText, AgreesWithTheSearchAcrossTheText)
{
    if (!testing_support::fullTextAvailable())
        GTEST_SKIP() << "the build has no full text database";
    db::Database db;
    ASSERT_TRUE(db.openFile(testing_support::binDir() / "English.ttb", db::Database::Mode::ReadOnly));
    for (Area area : {Area::Verses, Area::Subtitles, Area::Footnotes}) {
        const auto entries = lookup::concordanceOf(db, area);
        ASSERT_GT(entries.size(), 100u) << lookup::areaName(area);
        const size_t step = area == Area::Verses ? 97 : 23;
        for (size_t i = 0; i < entries.size(); i += step)
            EXPECT_EQ(entries[i].refs, searchedVerses(db, area, entries[i].word))
                << lookup::areaName(area) << " " << entries[i].word;
    }
    // The most frequent word, and one with an apostrophe-split neighbour.
    for (const char* w : {"the", "Allah", "Moses"})
        EXPECT_EQ(lookup::referencesOf(db, Area::Verses, w), searchedVerses(db, Area::Verses, w)) << w;
}
