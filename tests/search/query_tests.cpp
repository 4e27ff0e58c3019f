// Preparing, parsing and the statements, to the character.
#include "search/query.h"
#include "search_fixture.h"

#include "db/recordset.h"

#include <gtest/gtest.h>

using search::SearchOptions;
using search::SearchSlots;

namespace {

// The simple statement for a text as the search command prepares it.
std::string simple(const std::string& text, const SearchOptions& o = {}, db::Database* db = nullptr)
{
    SearchSlots s;
    search::getQSearch(search::prepareSearchText(text), s.view(), db);
    return search::simpleStatement(s.view(), o);
}

std::string area(const std::string& text, int a, const SearchOptions& o = {}, db::Database* db = nullptr)
{
    SearchSlots s;
    search::getQSearch(search::prepareSearchText(text), s.view(), db);
    auto sql = search::areaStatement(s.view(), a, db::searchTables()[static_cast<size_t>(a)], o);
    return sql.value_or("<refused>");
}

}  // namespace

TEST(SearchText, PreparationSpacesOperatorsAndCollapsesSpaces)
{
    EXPECT_EQ(search::prepareSearchText("god+mercy"), "god +mercy");
    EXPECT_EQ(search::prepareSearchText("+god"), " +god");
    EXPECT_EQ(search::prepareSearchText("a+/b"), "a + /b");
    EXPECT_EQ(search::prepareSearchText("mercy+"), "mercy +");
    EXPECT_EQ(search::prepareSearchText("a  \\   b"), "a \\ b");
    EXPECT_EQ(search::prepareSearchText("god \\idol"), "god \\idol");
    EXPECT_EQ(search::prepareSearchText(std::string("me\0rcy", 6)), "mercy");
    EXPECT_EQ(search::prepareSearchText(""), "");
}

TEST(SearchText, ParsingIntoSlots)
{
    SearchSlots s;
    search::getQSearch("god +mercy", s.view(), nullptr);
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.words[0], "god");
    EXPECT_EQ(s.ops[0], "");
    EXPECT_EQ(s.words[1], "mercy");
    EXPECT_EQ(s.ops[1], "1");

    // Text that starts with an operator (not prepared): the code goes with slot 0.
    search::getQSearch("+god", s.view(), nullptr);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.words[0], "god");
    EXPECT_EQ(s.ops[0], "1");

    // One character: one empty word, however many bytes the character takes.
    for (const char* one : {"x", "é", "ع", "😀"}) {
        search::getQSearch(one, s.view(), nullptr);
        EXPECT_EQ(s.count, 1) << one;
        EXPECT_EQ(s.words[0], "") << one;
    }
    // Two characters of two bytes each: the first, then the last, whole.
    search::getQSearch("éé", s.view(), nullptr);
    EXPECT_EQ(s.words[0], "éé");
    search::getQSearch("ع+ب", s.view(), nullptr);
    ASSERT_EQ(s.count, 2);
    EXPECT_EQ(s.words[0], "ع");
    EXPECT_EQ(s.words[1], "ب");
    EXPECT_EQ(s.ops[1], "1");

    // Two operators in a row leave an empty word between them.
    search::getQSearch("a + /b", s.view(), nullptr);
    ASSERT_EQ(s.count, 3);
    EXPECT_EQ(s.words[0], "a");
    EXPECT_EQ(s.words[1], "");
    EXPECT_EQ(s.ops[1], "1");
    EXPECT_EQ(s.words[2], "b");
    EXPECT_EQ(s.ops[2], "3");

    // The last character is text even when it is an operator.
    search::getQSearch("mercy +", s.view(), nullptr);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.words[0], "mercy +");

    search::getQSearch("a \\b /c", s.view(), nullptr);
    EXPECT_EQ(s.ops[1], "2");
    EXPECT_EQ(s.ops[2], "3");
}

TEST(SearchText, AtMostFiftyOneWords)
{
    std::string text = "w0";
    for (int i = 1; i < 70; ++i)
        text += " +w" + std::to_string(i);
    SearchSlots s;
    search::getQSearch(text, s.view(), nullptr);
    EXPECT_EQ(s.count, 51);
    EXPECT_EQ(s.words[50], "w50");
    const std::string sql = search::simpleStatement(s.view(), {});
    EXPECT_NE(sql.find("'w50'"), std::string::npos);
    EXPECT_EQ(sql.find("'w51'"), std::string::npos);
}

TEST(SearchText, LeftoversOfAnEarlierSearchAreNotRead)
{
    SearchSlots s;
    search::getQSearch("a +b +c", s.view(), nullptr);
    search::getQSearch("z", s.view(), nullptr);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(search::simpleStatement(s.view(), {}),
              "SELECT * FROM ZOVRSch where  ( instr(1,Words,'',1) > 0 ) order by Sura, Verse");
}

TEST(SearchStatements, SimpleSearchEdgeCases)
{
    EXPECT_EQ(simple("god\\idol"), "SELECT * FROM ZOVRSch where  instr(1,Words,'idol',1) = 0  and  "
                                   "( instr(1,Words,'god',1) > 0 ) order by Sura, Verse");
    EXPECT_EQ(simple("god/lord"), "SELECT * FROM ZOVRSch where  ( instr(1,Words,'lord',1) > 0  or  "
                                  "instr(1,Words,'god',1) > 0 ) order by Sura, Verse");
    // Prepared, "+god" leaves an empty first word whose term always holds.
    EXPECT_EQ(simple("+god"), "SELECT * FROM ZOVRSch where  instr(1,Words,'god',1) > 0  and  "
                              "( instr(1,Words,'',1) > 0 ) order by Sura, Verse");
    EXPECT_EQ(simple("x"), "SELECT * FROM ZOVRSch where  ( instr(1,Words,'',1) > 0 ) order by Sura, Verse");
    EXPECT_EQ(simple("a +/b"), "SELECT * FROM ZOVRSch where  instr(1,Words,'',1) > 0  and  ( instr(1,Words,'b',1) "
                               "> 0  or  instr(1,Words,'a',1) > 0 ) order by Sura, Verse");
    EXPECT_EQ(simple("mercy+"), "SELECT * FROM ZOVRSch where  ( instr(1,Words,'mercy +',1) > 0 ) order by Sura, Verse");
    EXPECT_EQ(simple("God's"), "SELECT * FROM ZOVRSch where  ( instr(1,Words,'God''s',1) > 0 ) order by Sura, Verse");
    SearchOptions exact;
    exact.letterCase = true;
    EXPECT_EQ(simple("Mercy", exact), "SELECT * FROM ZOVRSch where  ( instr(1,Words,'Mercy',0) > 0 ) order by Sura, Verse");
    // The simple search never blanks punctuation, whatever the options.
    SearchOptions whole;
    whole.ignoreWhole = true;
    EXPECT_EQ(simple("mercy.", whole),
              "SELECT * FROM ZOVRSch where  ( instr(1,Words,'mercy.',1) > 0 ) order by Sura, Verse");

    // Parsing a raw "+god" puts the word itself in slot 0, with no OR group.
    SearchSlots s;
    search::getQSearch("+god", s.view(), nullptr);
    EXPECT_EQ(search::simpleStatement(s.view(), {}),
              "SELECT * FROM ZOVRSch where  instr(1,Words,'god',1) > 0  order by Sura, Verse");
}

TEST(SearchStatements, AreaSearchForms)
{
    EXPECT_EQ(area("mercy +forgive", 1), "SELECT * FROM Q where  instr(1,Words,'forgive',1) > 0  and  "
                                         "( instr(1,Words,'mercy',1) > 0 ) order by Sura, Verse");
    EXPECT_EQ(area("mercy", 0), "SELECT * FROM SuraTable where  ( instr(1,Words,'mercy',1) > 0 ) order by ChOrder, Appendix");
    EXPECT_EQ(area("mercy", 4), "SELECT * FROM Appendices where  ( instr(1,Words,'mercy',1) > 0 ) order by Appendix");
    EXPECT_EQ(area("mercy", 5), "SELECT * FROM GlosIndex where  ( instr(1,Words,'mercy',1) > 0 ) and Title='Glossary'  "
                                "order by Number");
    EXPECT_EQ(area("mercy", 6), "SELECT * FROM GlosIndex where  ( instr(1,Words,'mercy',1) > 0 ) and Title='Index'  "
                                "order by Number");
    SearchOptions exact;
    exact.letterCase = true;
    EXPECT_EQ(area("mercy", 7, exact), "SELECT * FROM ZOVR where  ( instr(1,YourNotes,'mercy',0) > 0 ) order by Sura,Verse");
    EXPECT_EQ(area("mercy", 8), "SELECT * FROM Articles where  ( instr(1,Words,'mercy',1) > 0 ) order by Sura,Verse");

    SearchOptions whole;
    whole.ignoreWhole = true;
    EXPECT_EQ(area("mercy.", 1, whole), "SELECT * FROM Q1 where  ( instr(1,Words,' mercy ',1) > 0 ) order by Sura, Verse");
    // The empty first word of "+god", searched as a whole word, is taken out.
    EXPECT_EQ(area("+god", 1, whole), "SELECT * FROM Q1 where  instr(1,Words,' god ',1) > 0   order by Sura, Verse");
    SearchOptions normal;
    normal.ignoreNormal = true;
    EXPECT_EQ(area("God's (mercy)!", 3, normal),
              "SELECT * FROM Footers1 where  ( instr(1,Words,'God s mercy',1) > 0 ) order by Sura, Verse");
}

TEST(SearchStatements, ChronologicalOrder)
{
    SearchOptions chrono;
    chrono.chronological = true;
    EXPECT_EQ(area("mercy +forgive", 1, chrono),
              "Select Q.sura,Q.verse,Q.Words from Q,SuraTable where Q.sura=SuraTable.ChOrder and  "
              "instr(1,Q.Words,'forgive',1) > 0  and ( instr(1,Q.Words,'mercy',1) > 0 ) order by SuraTable.rvorder,Q.verse");
    EXPECT_EQ(area("mercy", 2, chrono), "Select Headers.sura,Headers.verse,Headers.Words from Headers,SuraTable where "
                                        "Headers.sura=SuraTable.ChOrder and ( instr(1,Headers.Words,'mercy',1) > 0 ) "
                                        "order by SuraTable.rvorder,Headers.verse");
    // Only the verse, subtitle and footnote areas are ordered by revelation.
    EXPECT_EQ(area("mercy", 5, chrono).rfind("SELECT * FROM GlosIndex where", 0), 0u);
    // A search word that contains the column name is searched as typed.
    EXPECT_EQ(area("Words", 1, chrono), "Select Q.sura,Q.verse,Q.Words from Q,SuraTable where Q.sura=SuraTable.ChOrder and "
                                        "( instr(1,Q.Words,'Words',1) > 0 ) order by SuraTable.rvorder,Q.verse");
    // The empty whole word is taken out here too, and with letter case on.
    chrono.ignoreWhole = true;
    EXPECT_EQ(area("+god", 1, chrono), "Select Q1.sura,Q1.verse,Q1.Words from Q1,SuraTable where "
                                       "Q1.sura=SuraTable.ChOrder and  instr(1,Q1.Words,' god ',1) > 0   "
                                       "order by SuraTable.rvorder,Q1.verse");
    SearchOptions wholeExact;
    wholeExact.ignoreWhole = true;
    wholeExact.letterCase = true;
    EXPECT_EQ(area("+god", 1, wholeExact), "SELECT * FROM Q1 where  instr(1,Words,' god ',0) > 0   order by Sura, Verse");
}

TEST(SearchStatements, SuraScopesTakeOnlyNumbers)
{
    SearchOptions range;
    range.scope = search::SuraScope::Range;
    range.suraStart = "2";
    range.suraEnd = "3";
    EXPECT_EQ(area("mercy", 1, range), "SELECT * FROM Q where  ( instr(1,Words,'mercy',1) > 0 ) and (Sura between 2 "
                                       "and 3)  order by Sura, Verse");
    SearchOptions list;
    list.scope = search::SuraScope::List;
    list.suras = " 1, 3 ";
    EXPECT_EQ(area("mercy", 3, list), "SELECT * FROM Footers where  ( instr(1,Words,'mercy',1) > 0 ) and Sura in (1, 3)  "
                                      "order by Sura, Verse");
    list.chronological = true;
    EXPECT_EQ(area("mercy", 1, list), "Select Q.sura,Q.verse,Q.Words from Q,SuraTable where Q.sura=SuraTable.ChOrder and "
                                      "( instr(1,Q.Words,'mercy',1) > 0 ) and Sura in (1, 3)  order by SuraTable.rvorder,Q.verse");

    // Anything but numbers gives no statement (no hits) for the sura areas...
    for (const char* bad : {"", "1; DROP TABLE Q", "2 or 1=1", "1,,2", "2,", "1)", "x", "99999999999999999999"}) {
        list.suras = bad;
        EXPECT_EQ(area("mercy", 1, list), "<refused>") << bad;
    }
    range.suraEnd = "3) or (1=1";
    EXPECT_EQ(area("mercy", 2, range), "<refused>");
    range.suraEnd = "";
    EXPECT_EQ(area("mercy", 1, range), "<refused>");
    // ...and the other areas ignore the scope.
    EXPECT_EQ(area("mercy", 5, range).rfind("SELECT * FROM GlosIndex", 0), 0u);
}

TEST(SearchStatements, CleaningAWord)
{
    SearchOptions none, normal;
    normal.ignoreNormal = true;
    std::string w = "God's (mercy)! ";
    EXPECT_EQ(search::removeSpcChar(w, 0, normal), "God s mercy");
    EXPECT_EQ(w, "God s mercy ");  // the slot keeps the untrimmed form
    w = " God's  way ";
    EXPECT_EQ(search::removeSpcChar(w, 0, none), "God''s way");
    EXPECT_EQ(w, " God''s way ");
    w = "a.b";
    EXPECT_EQ(search::removeSpcChar(w, 1, normal), "a.b");  // mode 1 forbids blanking
}

TEST_F(SearchDb, WordGroupsExpandMarkedWords)
{
    EXPECT_EQ(simple("grace@", {}, &db), "SELECT * FROM ZOVRSch where  ( instr(1,Words,'mercy',1) > 0  or  "
                                         "instr(1,Words,'grace',1) > 0 ) order by Sura, Verse");
    SearchSlots s;
    search::getQSearch(search::prepareSearchText("+grace@ \\idol@"), s.view(), &db);
    // Expansions follow the last parsed word and carry their word's code.
    ASSERT_EQ(s.count, 6);
    EXPECT_EQ(s.words[1], "grace");
    EXPECT_EQ(s.ops[1], "1");
    EXPECT_EQ(s.words[2], "idol");
    EXPECT_EQ(s.ops[2], "2");
    EXPECT_EQ(s.words[3], "image");
    EXPECT_EQ(s.ops[3], "2");
    EXPECT_EQ(s.words[4], "statue");
    EXPECT_EQ(s.ops[4], "2");
    EXPECT_EQ(s.words[5], "mercy");
    EXPECT_EQ(s.ops[5], "1");

    // A member of a group finds the others; a word in no group stays alone.
    search::getQSearch("candle@", s.view(), &db);
    EXPECT_EQ(s.count, 2);
    EXPECT_EQ(s.words[1], "lamp");
    search::getQSearch("zebra@", s.view(), &db);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.words[0], "zebra");

    // An apostrophe in the word does not break the look-up.
    db::Recordset rs;
    EXPECT_TRUE(rs.open(search::wordGroupLookup("God's"), db)) << rs.lastError();
    EXPECT_NE(search::wordGroupLookup("God's").find("WORDPHRASE='God''s' OR SIMILAR1='God''s'"), std::string::npos);
}

TEST_F(SearchDb, TypedQuotesNeverChangeTheStatement)
{
    for (const char* text : {"'); DROP TABLE Q; --", "x' OR '1'='1", "'", "''", "a'+b'\\c'/'"}) {
        for (int a = 0; a < search::kAreaCount; ++a) {
            const std::string sql = area(text, a, {}, &db);
            db::Recordset rs;
            EXPECT_TRUE(rs.open(sql, db)) << text << " area " << a << ": " << rs.lastError();
        }
    }
    EXPECT_TRUE(db.hasTable("Q"));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT count(*) FROM Q", db));
    EXPECT_EQ(rs.field(0).toInt(), 142);
}
