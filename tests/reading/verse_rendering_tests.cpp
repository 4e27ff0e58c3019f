// OpenVerse on the fixture text database, with the controls as plain data.
#include "shell/main_state.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/verse_format.h"
#include "reading/verse_renderer.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace reading;

namespace {

class Rendering : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::buildFixtureDatabase(dir.path() / "English.ttb", {"text_small"});
        ASSERT_TRUE(state.connection.openFile(dir.path() / "English.ttb"));
        state.revelationOrderText = "Sura Revelation Order = 87";
    }

    // The sura chosen: its rows in the verse recordset, its verse numbers in the list.
    void openSura(int sura)
    {
        renderer.showVerse(sura, 0);
        db::Recordset bounds;
        ASSERT_TRUE(bounds.open("SELECT MIN(Verse), MAX(Verse) FROM ZOVR WHERE Sura=" + std::to_string(sura),
                                state.connection));
        std::vector<std::string> entries;
        for (long long v = bounds.field(0).toInt(); v <= bounds.field(1).toInt(); ++v)
            entries.push_back(std::to_string(v));
        surface.setEntries(entries);
        surface.page = kModeVerses;
    }

    std::string shown() const { return msg.text(); }

    testing_support::TempDir dir;
    MainState state;
    MemoryDisplaySettings display;
    MemoryHighlightSettings highlight;
    MemorySurface surface;
    richtext::RichTextDocument msg;
    richtext::RichTextDocument footnote;
    richtext::RichTextDocument fordata;
    VerseRenderer renderer{{state.connection, state.verseRs, state.footnoteRs, state.keepHeader, state.readAllVerses,
                             state.revelationOrderText},
                            display, highlight, surface, msg, footnote, fordata};
};

}  // namespace

TEST_F(Rendering, ConsecutiveVersesFromOneCheckedVerse)
{
    openSura(2);
    display.nv = "3";
    surface.check(1);  // verse 1
    renderer.OpenVerse();
    EXPECT_EQ(shown(), "[2:1] A line that mentions nothing.\r\n[2:2] Mercy, mercy: a line (twice).\r\n"
                       "[2:3] The last test line of sura two.\r\n");
    EXPECT_EQ(surface.status[0], "Cumulative frequency of the word GOD = 2");
    EXPECT_EQ(surface.status[1], "Cumulative sum of verses where the word GOD occurs = 4");
    EXPECT_EQ(surface.status[2], "Sura Revelation Order = 87");
    // The last verse of the sura shows alone: the recordset ends.
    surface.check(1, false);
    surface.check(3);
    renderer.OpenVerse();
    EXPECT_EQ(shown(), "[2:3] The last test line of sura two.\r\n");
    // Two checked verses show just those two, and the counters go.
    surface.check(0);
    renderer.OpenVerse();
    EXPECT_EQ(shown(), "Opening of the second test sura\r\n[2:3] The last test line of sura two.\r\n");
    EXPECT_EQ(surface.status[0], "");
    EXPECT_EQ(surface.status[1], "");
    EXPECT_EQ(surface.status[2], "Sura Revelation Order = 87");
}

TEST_F(Rendering, SettingsThatAreNotNumbersAreReset)
{
    openSura(2);
    display.nv = "three";
    display.spaces = "";
    surface.check(2);
    renderer.OpenVerse();
    EXPECT_EQ(display.nv, "1");
    EXPECT_EQ(display.spaces, "1");
    EXPECT_EQ(display.vwSize, "12.5");
    EXPECT_EQ(shown(), "[2:2] Mercy, mercy: a line (twice).\r\n");
    display.spaces = "2";
    renderer.OpenVerse();
    EXPECT_EQ(shown(), "[2:2] Mercy, mercy: a line (twice).\r\n\r\n");
    display.spaces = "100000000";  // bounded
    renderer.OpenVerse();
    EXPECT_LT(shown().size(), 300u);
}

TEST_F(Rendering, VerseFormattingReachesTheReadingPane)
{
    openSura(1);
    surface.check(0);
    surface.check(1);
    renderer.OpenVerse();
    EXPECT_EQ(shown(), "Opening words\r\n[1:1] First test line about mercy.\r\n"
                       "[1:2] Second test line, forgive and mercy.\r\n\r\n*1:2 A test footnote.\r\n");
    const richtext::Document& d = msg.document();
    EXPECT_EQ(d.formatAt(0).size, 25);
    EXPECT_TRUE(d.formatAt(0).bold);
    EXPECT_EQ(d.formatAt(d.text().find(u"*1:2")).size, 21);
    EXPECT_EQ(d.fonts()[d.formatAt(0).font].name, "Arial Narrow");
    EXPECT_EQ(d.paras()[1].format.leftIndent, 1);
    EXPECT_EQ(footnote.text(), "");
}

TEST_F(Rendering, FootnotesAndNotesInTheSidePane)
{
    openSura(1);
    display.footnotesApart = true;
    surface.notes = kFootnotesCaption;
    surface.check(1);
    renderer.OpenVerse();
    EXPECT_EQ(shown(), "[1:2] Second test line, forgive and mercy.\r\n\r\n");
    EXPECT_EQ(footnote.text(), "*1:2 A test footnote.\r\n\r\n");

    openSura(2);
    surface.notes = kNotesCaption;
    surface.check(1);
    surface.check(2);
    renderer.OpenVerse();
    EXPECT_EQ(footnote.text(), "\r\nit's a note\r\n\r\n");
}

TEST_F(Rendering, OpeningRowKeepsItsFootnotesWhenTheyGoApart)
{
    ASSERT_TRUE(state.connection.execute(
        "UPDATE ZOVR SET Words='{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\\pard\\f0\\qc\\fs24 "
        "Opening of the second test sura\\par \\fs20 *2:0 Opening note.\\par }' WHERE Sura=2 AND Verse=0"));
    openSura(2);
    display.footnotesApart = true;
    surface.check(0);
    renderer.OpenVerse();
    EXPECT_EQ(shown(), "Opening of the second test sura\r\n*2:0 Opening note.\r\n");
}

TEST_F(Rendering, KeepHeaderAppendsAndReadingAloudGetsTheText)
{
    openSura(2);
    msg.setText("Header line\r\n");
    state.keepHeader = true;
    state.readAllVerses = true;
    surface.check(3);
    renderer.OpenVerse();
    EXPECT_FALSE(state.keepHeader);
    EXPECT_EQ(shown(), "Header line\r\n[2:3] The last test line of sura two.\r\n");
    ASSERT_EQ(surface.spoken.size(), 1u);
    EXPECT_EQ(surface.spoken[0], shown());
    renderer.OpenVerse();  // without the flag the pane starts afresh
    EXPECT_EQ(shown(), "[2:3] The last test line of sura two.\r\n");
}

TEST_F(Rendering, HighlightWordsAfterEveryDisplay)
{
    openSura(2);
    surface.check(2);
    highlight.words[0] = "mercy";
    highlight.words[4] = "it''s";
    highlight.colour = "Green";
    renderer.OpenVerse();
    const std::string rtf = msg.rtf();
    EXPECT_NE(rtf.find("{\\colortbl ;\\red0\\green255\\blue0;}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\highlight1 Mercy\\highlight0 , \\highlight1 mercy\\highlight0 "), std::string::npos)
        << rtf;
    // Doubled apostrophes from the search boxes are single in the text.
    msg.setText("it's here");
    renderer.highlightWords();
    EXPECT_EQ(msg.document().formatAt(0).highlight, 1);
    // A colour name off the list marks nothing.
    highlight.colour = "Purple";
    renderer.OpenVerse();
    EXPECT_EQ(msg.rtf().find("\\highlight"), std::string::npos);
}

TEST_F(Rendering, ResultEntries)
{
    surface.page = kModeResult;
    surface.setEntries({"2:2", "TL.Sura 2 The Second (Ath-Thani)", "1:2", "GL.Mercy: a test entry.",
                        "2:1; DELETE FROM ZOVR", "1 OR 1=1:1", "AP." + std::string(300, 'x')});
    for (int i = 0; i < 7; ++i)
        surface.check(i);
    surface.status = {"a", "b", "c"};
    renderer.OpenVerse();
    const std::string t = shown();
    EXPECT_EQ(t.rfind("[2:2] Mercy, mercy: a line (twice).\r\nTitle Search: Sura 2 The Second", 0), 0u) << t;
    EXPECT_NE(t.find("\r\nTitle Search: Sura 2 The Second (Ath-Thani) ...\r\n\r\n[1:2]"), std::string::npos) << t;
    EXPECT_NE(t.find("Glossary Search: Mercy: a test entry. ...\r\n\r\n"), std::string::npos);
    // Typed text never reaches the statement as SQL.
    EXPECT_NE(t.find("[2:1] A line that mentions nothing."), std::string::npos);
    EXPECT_NE(t.find("1 OR 1=1:1 ...\r\n\r\n"), std::string::npos);
    db::Recordset rows;
    ASSERT_TRUE(rows.open("SELECT COUNT(*) FROM ZOVR", state.connection));
    EXPECT_EQ(rows.field(0).toInt(), 10);
    EXPECT_NE(t.find("Appendix Search. # " + std::string(190, 'x') + " ...\r\n"), std::string::npos);
    EXPECT_EQ(surface.status, (std::array<std::string, 3>{"", "", ""}));
    // The entries that are no verses sit left-aligned on lines of their own.
    const auto& d = msg.document();
    const size_t title = d.text().find(u"Title Search");
    EXPECT_EQ(d.paraStart(d.paraIndexAt(title)), title);
    EXPECT_EQ(d.paras()[d.paraIndexAt(title)].format.align, richtext::Align::Left);
}

TEST_F(Rendering, ModesAndTheirButtons)
{
    openSura(2);
    surface.page = kModePages;
    surface.buttons = ReadingSurface::ListButtons::None;
    surface.check(1);
    renderer.OpenVerse();  // pages give way to verses
    EXPECT_EQ(surface.page, kModeVerses);
    EXPECT_EQ(surface.buttons, ReadingSurface::ListButtons::Verses);
    EXPECT_EQ(shown(), "[2:1] A line that mentions nothing.\r\n");
    renderer.PageMode();
    EXPECT_EQ(surface.page, kModePages);
    EXPECT_EQ(surface.buttons, ReadingSurface::ListButtons::None);
    surface.page = "";  // the web view is up: nothing is rendered, highlighting still runs
    highlight.words[0] = "nothing";
    msg.setText("nothing here");
    renderer.OpenVerse();
    EXPECT_EQ(shown(), "");
    renderer.VerseMode();
    EXPECT_EQ(surface.page, "");

    renderer.showVerse(2, 0);
    EXPECT_EQ(shown(), "Opening of the second test sura\r\n");
    EXPECT_EQ(state.verseRs.recordCount(), 4);
    renderer.showVerse(2, 5);
    EXPECT_FALSE(state.verseRs.isOpen());
}
