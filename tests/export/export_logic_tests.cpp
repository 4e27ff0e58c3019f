// Copy, save and ranges on plain values and a small text database: the web
// page written from a document, the CSV table, the verse range of the save
// panel, the plain text a copy puts on the clipboard, and the save formats.
#include "export/copy_text.h"
#include "export/csv_writer.h"
#include "export/html_writer.h"
#include "export/result_display.h"
#include "export/save_format.h"
#include "export/verse_range.h"
#include "reading/richtext/rich_text_document.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace exporting;

namespace {

// A document as the display writes one: a centred bold header, a bold
// subtitle, a verse with a highlighted word, a smaller footnote.
richtext::RichTextDocument displayLike()
{
    richtext::RichTextDocument doc;
    doc.setRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
               "{\\colortbl ;\\red255\\green255\\blue0;\\red255\\green0\\blue0;}"
               "\\pard\\qc\\b\\fs24 Search Word: mercy\\b0\\par\\pard "
               "\\fs21\\b Opening words\\b0\\par "
               "\\fs24 [1:1] First line about \\highlight1 mercy\\highlight0  & <kin> \\cf2 red\\cf0\\par "
               "\\fs20 *1:1 A test footnote.\\par }");
    return doc;
}

size_t count(const std::string& s, std::string_view what)
{
    size_t n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + what.size()))
        ++n;
    return n;
}

}  // namespace

TEST(HtmlWriter, KeepsBoldSizesColoursAndAlignment)
{
    const std::string html = toHtml(displayLike().document(), {"Sura 1"});
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<title>Sura 1</title>"), std::string::npos);
    // Header and subtitle bold, verse and footnote not.
    EXPECT_NE(html.find("<b>Search Word: mercy</b>"), std::string::npos) << html;
    EXPECT_NE(html.find("<b>Opening words</b>"), std::string::npos) << html;
    EXPECT_EQ(count(html, "<b>"), 2u);
    // The header centred; one paragraph per line of the pane.
    EXPECT_NE(html.find("<p style=\"text-align: center;\">"), std::string::npos);
    EXPECT_EQ(count(html, "<p"), 4u) << html;
    // The highlight as a background, the red word as a colour, sizes in points.
    EXPECT_NE(html.find("background-color: #ffff00;\">mercy</span>"), std::string::npos) << html;
    EXPECT_NE(html.find("color: #ff0000;\">red</span>"), std::string::npos) << html;
    EXPECT_NE(html.find("font-size: 10pt;\">*1:1 A test footnote."), std::string::npos) << html;
    EXPECT_NE(html.find("font-size: 10.5pt;"), std::string::npos);
    EXPECT_NE(html.find("font-family: 'Times New Roman', serif"), std::string::npos);
}

TEST(HtmlWriter, EscapesMarkupAndWritesUtf8)
{
    const std::string html = toHtml(displayLike().document(), {"a <b> & \"c\""});
    EXPECT_NE(html.find("&amp; &lt;kin&gt;"), std::string::npos);
    EXPECT_EQ(html.find("<kin>"), std::string::npos);
    EXPECT_NE(html.find("<title>a &lt;b&gt; &amp; &quot;c&quot;</title>"), std::string::npos);

    richtext::RichTextDocument doc;
    doc.setText("Ēl — “quoted” 𝔸\r\nsecond line");
    const std::string page = toHtml(doc.document());
    EXPECT_NE(page.find("Ēl — “quoted” 𝔸"), std::string::npos) << page;
    // Plain text lines are paragraphs; no empty last paragraph is written.
    EXPECT_EQ(count(page, "<p>"), 2u);
    EXPECT_EQ(count(page, "<br>"), 0u);
    // A blank line is kept as an empty paragraph.
    doc.setText("one\r\n\r\nthree");
    EXPECT_EQ(count(toHtml(doc.document()), "<p><br></p>"), 1u);
    // Hidden text is not shown in the pane, and not written into the page.
    doc.setRtf("{\\rtf1\\ansi visible{\\v secret} text\\par }");
    const std::string hidden = toHtml(doc.document());
    EXPECT_NE(hidden.find("visible text"), std::string::npos) << hidden;
    EXPECT_EQ(hidden.find("secret"), std::string::npos);
    // A font name cannot end the style attribute early.
    doc.setRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Odd\"><script>;}}\\f0 x\\par }");
    const std::string odd = toHtml(doc.document());
    EXPECT_EQ(odd.find("<script>"), std::string::npos) << odd;
}

TEST(Csv, QuotesOnlyWhereNeededAndDoublesQuotes)
{
    EXPECT_EQ(csvField("plain text"), "plain text");
    EXPECT_EQ(csvField("a, b"), "\"a, b\"");
    EXPECT_EQ(csvField("say \"yes\""), "\"say \"\"yes\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(writeCsv({{"2", "255", "x, y"}, {"", "", "GL.word"}}),
              "sura,verse,text\r\n2,255,\"x, y\"\r\n,,GL.word\r\n");
}

class ExportDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::buildFixtureDatabase(dir.path() / "English.ttb", {"text_small"});
        ASSERT_TRUE(db.openFile(dir.path() / "English.ttb")) << db.lastError();
    }
    testing_support::TempDir dir;
    db::Database db;
};

TEST_F(ExportDb, CsvRowsCarryEachVersesTextInTheListsOrder)
{
    const auto rows = csvRows(db, {"2:2", "1:1", "2:0", "AP.Appendix 3 line", "5:5"});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].sura, "2");
    EXPECT_EQ(rows[0].verse, "2");
    EXPECT_EQ(rows[0].text, "Mercy, mercy: a line (twice).");
    EXPECT_EQ(rows[1].text, "First test line about mercy.");
    EXPECT_EQ(rows[2].verse, "0");
    EXPECT_EQ(rows[2].text, "Opening of the second test sura");
    // An entry that is no verse keeps its text; a verse not in the text has none.
    EXPECT_EQ(rows[3].sura, "");
    EXPECT_EQ(rows[3].text, "AP.Appendix 3 line");
    EXPECT_EQ(rows[4].sura, "5");
    EXPECT_EQ(rows[4].text, "");
    const std::string table = writeCsv(rows);
    EXPECT_EQ(table.rfind("sura,verse,text\r\n2,2,\"Mercy, mercy: a line (twice).\"\r\n1,1,", 0), 0u) << table;
}

TEST(VerseRange, KeysAreLeadingNumbersTimesAThousandInPlainDecimal)
{
    EXPECT_EQ(rangeKey("2", "255"), "2255");
    EXPECT_EQ(rangeKey("2a", "7 verses"), "2007");
    EXPECT_EQ(rangeKey("", "x"), "0");
    EXPECT_EQ(rangeKey("1.5", "0"), "1500");
    // No exponent and no text of the box ever reaches the statement.
    EXPECT_EQ(rangeKey("99999999999999999999", "1"), "1000000000");
    EXPECT_EQ(rangeKey("-1e300", "1"), "-1000000000");
    EXPECT_EQ(rangeStatement({"2", "1';DROP TABLE ZOVR;--", "2", "3"}),
              "Select Sura,Verse from ZOVR where ((sura*1000)+verse) >= 2001 and ((sura*1000)+verse) <= 2003 "
              "order by sura, verse");
    EXPECT_TRUE((RangeBoxes{"2", "", "2", "3"}.anyEmpty()));
    EXPECT_FALSE((RangeBoxes{"2", " ", "2", "3"}.anyEmpty()));
}

TEST_F(ExportDb, RangeVersesFollowTheStatement)
{
    const auto across = rangeVerses(db, {"1", "2", "2", "1"});
    ASSERT_EQ(across.size(), 3u);
    EXPECT_EQ(across[0].display(), "1:2");
    EXPECT_EQ(across[1].display(), "2:0");
    EXPECT_EQ(across[2].display(), "2:1");
    // The start after the end: nothing.
    EXPECT_TRUE(rangeVerses(db, {"2", "3", "2", "1"}).empty());
    EXPECT_TRUE(rangeVerses(db, {"9", "1", "1", "1"}).empty());
    // Beyond every verse the range still reaches the end of the text.
    EXPECT_EQ(rangeVerses(db, {"114", "0", "99999999999", "0"}).size(), 2u);
    // The statement stays whole whatever was typed.
    EXPECT_EQ(rangeVerses(db, {"2", "1';DROP TABLE ZOVR;--", "2", "3"}).size(), 3u);
    EXPECT_EQ(rangeVerses(db, {"1", "1", "114", "1"}).size(), 10u);
}

TEST_F(ExportDb, VerseCountCaptionNamesTheSurasLastVerse)
{
    EXPECT_EQ(verseCountCaption(db, "2"), "Verses 3");
    EXPECT_EQ(verseCountCaption(db, " 114 "), "Verses 1");
    EXPECT_EQ(verseCountCaption(db, ""), "");
    EXPECT_EQ(verseCountCaption(db, "50"), "");
    EXPECT_EQ(verseCountCaption(db, "2 or 1=1"), "");
    EXPECT_EQ(verseCountCaption(db, "2;DELETE FROM ZOVR"), "");
    EXPECT_EQ(verseCountCaption(db, "2"), "Verses 3");
}

TEST_F(ExportDb, ResultDisplayShowsEveryEntryAfterItsHeader)
{
    richtext::RichTextDocument msg;
    renderResultEntries(db, {"1:1", "1:2", "TL.A title row"}, msg, "Search Word: test\r\n\r\n");
    const std::string text = msg.text();
    const size_t header = text.find("Search Word: test");
    const size_t first = text.find("[1:1] First test line about mercy.");
    const size_t second = text.find("[1:2] Second test line");
    const size_t footnote = text.find("*1:2 A test footnote.");
    const size_t title = text.find("Title Search: A title row");
    ASSERT_NE(header, std::string::npos) << text;
    EXPECT_EQ(header, 0u);
    EXPECT_LT(header, first);
    EXPECT_LT(first, second);
    EXPECT_LT(second, footnote);
    EXPECT_LT(footnote, title);
    EXPECT_NE(text.find("Opening words"), std::string::npos);
}

TEST(CopyText, DashMarksBecomeTwoHyphensInThePlainTextOnly)
{
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1252 God\\'afthe One\\'af is \\'e9\\par second\\par }";
    EXPECT_EQ(plainTextForCopy(rtf), "God--the One-- is \xc3\xa9\r\nsecond\r\n");
    EXPECT_EQ(plainTextForCopy(""), "");
    // Without the mark the text is the document's own.
    richtext::RichTextDocument doc;
    doc.setRtf("{\\rtf1\\ansi \\b bold\\b0  plain\\par }");
    EXPECT_EQ(plainTextForCopy(doc.rtf()), doc.text());
    EXPECT_EQ(desktopLineBreaks("a\r\nb\r\n\r\nc\rd"), "a\nb\n\nc\rd");
}

TEST(SaveFormat, TheNamesExtensionOrTheChosenFilterDecides)
{
    const std::vector<Format> all = {Format::Rtf, Format::Html, Format::Csv};
    EXPECT_EQ(filterList(all), "Rich text (*.rtf);;Web page (*.html);;CSV (*.csv)");

    auto t = resolveSaveTarget("/tmp/x/Sura.HTM", all, filterOf(Format::Rtf));
    EXPECT_EQ(t.format, Format::Html);
    EXPECT_EQ(t.file, fs::path("/tmp/x/Sura.HTM"));
    EXPECT_FALSE(t.extensionAdded);

    t = resolveSaveTarget("/tmp/x/table.csv", all, filterOf(Format::Rtf));
    EXPECT_EQ(t.format, Format::Csv);

    // No extension: the filter's is added.
    t = resolveSaveTarget("/tmp/x/verses", all, filterOf(Format::Html));
    EXPECT_EQ(t.format, Format::Html);
    EXPECT_EQ(t.file, fs::path("/tmp/x/verses.html"));
    EXPECT_TRUE(t.extensionAdded);
    // A dot in the name that is no offered extension is part of the name.
    t = resolveSaveTarget("/tmp/x/Sura 2. Part one", all, filterOf(Format::Rtf));
    EXPECT_EQ(t.file, fs::path("/tmp/x/Sura 2. Part one.rtf"));
    // CSV not offered: a .csv name is no CSV; an unknown filter counts as the first.
    t = resolveSaveTarget("/tmp/x/a.csv", {Format::Rtf, Format::Html}, "Something (*.*)");
    EXPECT_EQ(t.format, Format::Rtf);
    EXPECT_EQ(t.file, fs::path("/tmp/x/a.csv.rtf"));
    EXPECT_TRUE(resolveSaveTarget("", all, "").file.empty());
}

TEST(SaveFormat, AFileIsWrittenWholeOrNotAtAllAndAFailureSaysWhy)
{
    testing_support::TempDir dir;
    richtext::RichTextDocument doc = displayLike();
    std::string failure;
    const fs::path rtf = dir / "out.rtf";
    ASSERT_TRUE(saveWhole(rtf, documentAs(doc, Format::Rtf, "t"), failure)) << failure;
    richtext::RichTextDocument back;
    ASSERT_TRUE(back.loadFile(rtf));
    EXPECT_EQ(back.text(), doc.text());
    const fs::path html = dir / "out.html";
    ASSERT_TRUE(saveWhole(html, documentAs(doc, Format::Html, "t"), failure));
    EXPECT_EQ(testing_support::readFile(html), toHtml(doc.document(), {"t"}));

    // A folder that does not exist: nothing written, and the reason named.
    EXPECT_FALSE(saveWhole(dir / "missing" / "out.rtf", "x", failure));
    EXPECT_NE(failure.find("missing/out.rtf"), std::string::npos) << failure;
    EXPECT_NE(failure.find("No such file or directory"), std::string::npos) << failure;
    EXPECT_FALSE(fs::exists(dir / "missing"));
    // A failed replacement leaves the earlier file as it was.
    fs::create_directories(dir / "taken.rtf.part");
    testing_support::writeFile(dir / "taken.rtf", "earlier");
    EXPECT_FALSE(saveWhole(dir / "taken.rtf", "new content", failure));
    EXPECT_EQ(testing_support::readFile(dir / "taken.rtf"), "earlier");
}
