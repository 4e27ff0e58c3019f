// zerafin-cli search and block, on the small text and on the full text.
#include "search_fixture.h"

#include "db/recordset.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using testing_support::runProgram;

namespace {

class SearchCli : public SearchDb {
protected:
    testing_support::RunResult cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), {(testing_support::binDir() / "zerafin-cli").string(), "--folder", dir.path().string()});
        return runProgram(args);
    }
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

}  // namespace

TEST_F(SearchCli, SearchPrintsRowsOrStatements)
{
    auto r = cli({"search", "--sql", "--area", "1", "mercy +forgive"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "SELECT * FROM Q where  instr(1,Words,'forgive',1) > 0  and  ( instr(1,Words,'mercy',1) > 0 ) "
                     "order by Sura, Verse\n");

    r = cli({"search", "--area", "3", "--area", "1", "mercy"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "V.1:1\nV.1:4\nV.2:2\nV.3:2\nF.1:4\nF.2:2\nResult Count: 6\n");

    r = cli({"search", "god+mercy"});
    EXPECT_EQ(r.out, "3:2\nResult Count: 1\n");
    r = cli({"search", "--case", "Mercy"});
    EXPECT_EQ(r.out, "1:4\nResult Count: 1\n");

    r = cli({"search", "--area", "1", "--chrono", "--whole", "--sql", "mercy."});
    EXPECT_EQ(r.out, "Select Q1.sura,Q1.verse,Q1.Words from Q1,SuraTable where Q1.sura=SuraTable.ChOrder and "
                     "( instr(1,Q1.Words,' mercy ',1) > 0 ) order by SuraTable.rvorder,Q1.verse\n");
    r = cli({"search", "--area", "1", "--range", "2-3", "mercy"});
    EXPECT_EQ(r.out, "V.2:2\nV.3:2\nResult Count: 2\n");
    r = cli({"search", "--area", "1", "--normal", "--suras", "3", "God's"});
    EXPECT_EQ(r.out, "V.3:2\nResult Count: 1\n");

    // Several words after the options make one search text; "--" lets it
    // start with "-".
    r = cli({"search", "seek", "mercy"});
    EXPECT_EQ(r.out, "2:2\nResult Count: 1\n");
    r = cli({"search", "--", "-x"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Result Count: 0\n");
}

TEST_F(SearchCli, BadInputIsRefusedOrFindsNothing)
{
    auto r = cli({"search", "--", ""});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Please enter the search text or select atleast one search option"), std::string::npos);
    EXPECT_EQ(cli({"search", "--whole", "--normal", "x"}).status, 2);
    EXPECT_EQ(cli({"search", "--area", "9", "x"}).status, 2);
    EXPECT_EQ(cli({"search", "--range", "2-3", "--suras", "1", "x"}).status, 2);
    EXPECT_EQ(cli({"search", "--bogus", "x"}).status, 2);

    r = cli({"search", "--area", "1", "--area", "5", "--suras", "1); DELETE FROM Q; --", "mercy"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "GL.Mercy: kindness shown.\nResult Count: 1\n");
    EXPECT_NE(r.err.find("area 1: the sura scope is not a number"), std::string::npos);
    r = cli({"search", "--area", "1", "'); DROP TABLE Q; --"});
    EXPECT_EQ(r.out, "Result Count: 0\n");
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT count(*) FROM Q", db));
    EXPECT_EQ(rs.field(0).toInt(), 142);
}

TEST_F(SearchCli, BlockPrintsTheWindows)
{
    const std::string dashes(79, '-');
    auto r = cli({"block", "+mercy +forgive"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "\n[1:1] In praise of the Lord of mercy.\n[1:2] He is ready to forgive the one who turns back.\n" +
                         dashes + "\n\n[2:1] The stars are counted.\n[2:2] Seek mercy and He will forgive.\n" + dashes +
                         "\n\n[2:2] Seek mercy and He will forgive.\n[2:3] The last line of the second sura.\n" + dashes +
                         "\n");
    r = cli({"block", "--first", "--window", "3", "--chrono", "+lord +mercy"});
    EXPECT_EQ(r.out, "\n[3:1] Do not take idols; God is one.\n" + dashes + "\n\n[3:2] God's promise holds, and His mercy.\n" +
                         dashes + "\n\n[1:1] In praise of the Lord of mercy.\n" + dashes +
                         "\n\nOpening: forgive us, our Lord.\n" + dashes + "\n");
    r = cli({"block", "--case", "+Mercy"});
    EXPECT_EQ(r.out, "\n[1:3] A line about the sky and the sea.\n[1:4] Mercy is written upon Himself.\n" + dashes +
                         "\n\n[1:4] Mercy is written upon Himself.\n" + dashes + "\n");
    r = cli({"block", "mercy forgive"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(cli({"block", "--window", "x", "+mercy"}).out, "");

    // The verses are read as stored: a subtitle and a footnote are part of
    // the verse's text, and rich-text markup is not.
    ASSERT_TRUE(db.execute("UPDATE ZOVR SET Words='{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
                           "\\pard\\f0\\fs21 About forgiveness\\par\\fs24 [2:2] Seek {\\b mercy} and He will forgive.\\par"
                           "\\fs20 *2:2 A footnote on the seas.\\par }' WHERE Sura=2 AND Verse=2"));
    const std::string stored = "About forgiveness\n[2:2] Seek mercy and He will forgive.\n*2:2 A footnote on the seas.\n";
    r = cli({"block", "--window", "1", "+seek"});
    EXPECT_EQ(r.out, "\n" + stored + dashes + "\n");
    r = cli({"block", "--first", "+seas"});
    EXPECT_EQ(r.out, "\n[2:1] The stars are counted.\n" + dashes + "\n\n" + stored + dashes + "\n");
    EXPECT_EQ(cli({"block", "--window", "1", "+fs20"}).out, "");
}

// On the full text: the simple search and the verse area find the same
// verses; revelation order lists them in another order.
TEST(SearchFullText, SimpleAndVerseAreaAgree)
{
    if (!testing_support::fullTextAvailable())
        GTEST_SKIP() << "the build's text database is not there";
    const std::string cliPath = (testing_support::binDir() / "zerafin-cli").string();
    auto simple = lines(runProgram({cliPath, "search", "merciful +forgiving"}).out);
    auto area = lines(runProgram({cliPath, "search", "--area", "1", "merciful +forgiving"}).out);
    auto chrono = lines(runProgram({cliPath, "search", "--area", "1", "--chrono", "merciful +forgiving"}).out);
    ASSERT_GT(simple.size(), 10u);
    ASSERT_EQ(area.size(), simple.size());
    for (size_t i = 0; i + 1 < simple.size(); ++i)
        EXPECT_EQ("V." + simple[i], area[i]);
    EXPECT_EQ(simple.back(), area.back());
    EXPECT_EQ(std::multiset<std::string>(chrono.begin(), chrono.end()),
              std::multiset<std::string>(area.begin(), area.end()));
    EXPECT_NE(chrono, area);

    // Every block printed holds both words.
    auto block = runProgram({cliPath, "block", "+merciful +forgiving"}).out;
    ASSERT_FALSE(block.empty());
    const std::string dashes(79, '-');
    size_t from = 0, windows = 0;
    for (size_t at; (at = block.find(dashes, from)) != std::string::npos; from = at + dashes.size(), ++windows) {
        std::string w = block.substr(from, at - from);
        for (auto& c : w)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(w.find("merciful"), std::string::npos);
        EXPECT_NE(w.find("forgiving"), std::string::npos);
    }
    EXPECT_GE(windows, simple.size() - 1);  // the window starting at each verse that holds both
}
