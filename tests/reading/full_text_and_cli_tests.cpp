// The whole sample text through the engine, and the verse display from the
// command line.
#include "shell/main_state.h"
#include "reading/richtext/codepage.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/richtext/rtf_writer.h"
#include "reading/verse_format.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

std::string crlf(const std::string& s) { return reading::replaceAll(s, "\n", "\r\n"); }

}  // namespace

TEST(FullText, EveryStoredVerseReadsAndWritesBackWithoutLosingText)
{
    if (!testing_support::fullTextAvailable())
        GTEST_SKIP() << "no full text database in " << testing_support::binDir();
    db::Database db;
    ASSERT_TRUE(db.openFile(testing_support::binDir() / "English.ttb"));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT z.Sura, z.Verse, z.Words, s.Words FROM ZOVR z LEFT JOIN ZOVRSch s USING (Sura, Verse) "
                        "ORDER BY z.Sura, z.Verse",
                        db));
    ASSERT_EQ(rs.recordCount(), 6348);
    db::Recordset first;
    ASSERT_TRUE(first.open("SELECT Words FROM ZOVRSch WHERE Sura=1 AND Verse=1", db));
    const std::string opening = first.field(0).toString();
    reading::ProcessOptions defaults;
    int checked = 0;
    for (; !rs.eof(); rs.moveNext()) {
        const std::string where = rs.field(0).toString() + ":" + rs.field(1).toString();
        const std::string stored = rs.field(2).toString();
        // The search form has no unnumbered openings; their text is the first verse of sura 1.
        const std::string verse = crlf(rs.field(3).isNull() ? opening : rs.field(3).toString());
        const richtext::Document doc = richtext::readRtf(stored);
        ASSERT_EQ(doc.checkInvariants(), "") << where;
        const std::string plain = richtext::rtfToPlainText(stored);
        ASSERT_NE(plain.find(verse), std::string::npos) << where << ": " << plain;
        const std::string written = richtext::writeRtf(doc);
        ASSERT_EQ(richtext::readRtf(written), doc) << where;
        // Displayed with the initial settings, the verse text is all there.
        const std::string shown = richtext::rtfToPlainText(reading::processForData(stored, defaults,
                                                                                     static_cast<int>(rs.field(1).toInt()))
                                                               .rtf);
        ASSERT_NE(shown.find(verse), std::string::npos) << where << ": " << shown;
        ++checked;
    }
    EXPECT_EQ(checked, 6348);
}

TEST(ShowCommand, RtfOfTheDisplayWithHighlights)
{
    testing_support::TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    const std::string cli = (testing_support::binDir() / "zerafin-cli").string();
    const std::string folder = dir.path().string();

    auto r = testing_support::runProgram({cli, "--folder", folder, "show", "--rtf", "--highlight", "mercy", "2:2", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const richtext::Document d = richtext::readRtf(r.out);
    EXPECT_EQ(richtext::utf16ToUtf8(d.text()),
              "[2:2] Mercy, mercy: a line (twice).\r\nOpening words\r\n[1:1] First test line about mercy.\r\n"
              "[1:2] Second test line, forgive and mercy.\r\n\r\n*1:2 A test footnote.\r\n");
    EXPECT_NE(r.out.find("\\highlight1 Mercy\\highlight0 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\\colortbl ;\\red255\\green255\\blue0;}"), std::string::npos);
    EXPECT_NE(r.out.find("\\fs25 "), std::string::npos);

    // Without --rtf the plain output is as before.
    r = testing_support::runProgram({cli, "--folder", folder, "show", "2:2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[2:2] Mercy, mercy: a line (twice).\n");

    r = testing_support::runProgram({cli, "--folder", folder, "show", "--highlight", "x", "2:2"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--rtf"), std::string::npos);
    r = testing_support::runProgram({cli, "--folder", folder, "show", "--rtf", "2:7"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no verse 2:7"), std::string::npos);
}
