// Preparing a stored verse for display, and marking words in a pane.
#include "reading/richtext/codepage.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/verse_format.h"

#include <gtest/gtest.h>

using namespace reading;

namespace {

const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\pard\\f0";
// Subtitle, verse and footnote, as the text database stores them.
const std::string kVerse =
    kHeader + "\\fs21\\b A Subtitle\\b0\\par \\fs24 [2:5] Verse text\\par \\fs20 *2:5 A footnote.\\par }";
const std::string kOpening = kHeader + "\\qc\\fs24\\b Sura 2: Test\\b0\\par Opening words\\par \\fs20 *2:0 Note "
                                       "on the opening.\\par\\pard }";

std::string text(const std::string& rtf) { return richtext::rtfToPlainText(rtf); }

size_t count(const std::string& s, const std::string& what)
{
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1))
        ++n;
    return n;
}

int sizeAt(const std::string& rtf, const std::string& needle)
{
    richtext::Document d = richtext::readRtf(rtf);
    size_t at = d.text().find(richtext::utf8ToUtf16(needle));
    EXPECT_NE(at, std::u16string::npos) << needle;
    return at == std::u16string::npos ? -1 : d.formatAt(at).size;
}

}  // namespace

TEST(ProcessForData, DefaultSettings)
{
    ProcessOptions o;  // the design's initial settings
    ProcessResult r = processForData(kVerse, o, 5);
    // No trailing break; one blank line between the verse and its footnote.
    EXPECT_EQ(text(r.rtf), "A Subtitle\r\n[2:5] Verse text\r\n\r\n*2:5 A footnote.");
    EXPECT_EQ(sizeAt(r.rtf, "A Subtitle"), 25);
    EXPECT_EQ(sizeAt(r.rtf, "Verse"), 25);
    EXPECT_EQ(sizeAt(r.rtf, "A footnote"), 21);
    EXPECT_NE(r.rtf.find("\\li1 [2:5]"), std::string::npos);
    EXPECT_NE(r.rtf.find("Arial Narrow;"), std::string::npos);
    EXPECT_EQ(r.rtf.find("Times New Roman"), std::string::npos);
    EXPECT_EQ(r.vwSize, "12.5");
    // The verse paragraph is the indented one.
    richtext::Document d = richtext::readRtf(r.rtf);
    EXPECT_EQ(d.paras()[1].format.leftIndent, 1);
}

TEST(ProcessForData, SizeSettings)
{
    ProcessOptions o;
    o.subSize = "9.5";
    ProcessResult small = processForData(kVerse, o, 5);
    EXPECT_NE(small.rtf.find("\\fs19 \\b A Subtitle"), std::string::npos) << small.rtf;
    EXPECT_EQ(count(small.rtf, "fs19"), 2u);
    EXPECT_EQ(count(small.rtf, "fs24"), 0u);

    o.subSize = "";
    ProcessResult none = processForData(kVerse, o, 5);
    EXPECT_EQ(none.vwSize, "10.5");
    EXPECT_EQ(count(none.rtf, "fs21"), 3u);  // subtitle, verse and footnote (10.5 points)
    EXPECT_EQ(sizeAt(none.rtf, "Verse"), 21);

    o.subSize = "12.3";  // a size off the half-point list keeps its fraction
    ProcessResult odd = processForData(kVerse, o, 5);
    EXPECT_NE(odd.rtf.find("\\fs24.6 "), std::string::npos);
    EXPECT_EQ(sizeAt(odd.rtf, "Verse"), 25);
    EXPECT_EQ(text(odd.rtf).find(".6"), std::string::npos);

    o.subSize = "12.5";
    o.fnSize = "";  // no footnote size: footnote marks and spacing untouched
    ProcessResult plain = processForData(kVerse, o, 5);
    EXPECT_EQ(text(plain.rtf), "A Subtitle\r\n[2:5] Verse text\r\n*2:5 A footnote.");
    EXPECT_EQ(sizeAt(plain.rtf, "A footnote"), 20);
}

TEST(ProcessForData, TenPointVersesAreNotTakenForFootnotes)
{
    // 10 points is on the size list; its mark is the footnote mark.
    ProcessOptions o;
    o.subSize = "10";
    ProcessResult inline_ = processForData(kVerse, o, 5);
    EXPECT_EQ(text(inline_.rtf), "A Subtitle\r\n[2:5] Verse text\r\n\r\n*2:5 A footnote.");
    EXPECT_EQ(sizeAt(inline_.rtf, "Verse"), 20);
    EXPECT_EQ(sizeAt(inline_.rtf, "A footnote"), 21);
    o.dispFN = true;
    ProcessResult apart = processForData(kVerse, o, 5);
    EXPECT_EQ(text(apart.rtf), "A Subtitle\r\n[2:5] Verse text\r\n");
}

TEST(ProcessForData, FootnotesApartAndTheOpeningRow)
{
    ProcessOptions o;
    o.dispFN = true;
    EXPECT_EQ(text(processForData(kVerse, o, 5).rtf), "A Subtitle\r\n[2:5] Verse text\r\n");
    // A verse without footnotes stays whole.
    const std::string bare = kHeader + "\\fs24 [2:6] Bare verse\\par }";
    EXPECT_EQ(text(processForData(bare, o, 6).rtf), "[2:6] Bare verse");
    // Verse 0 keeps its footnote part and gets no extra blank line.
    ProcessResult opening = processForData(kOpening, o, 0);
    EXPECT_EQ(text(opening.rtf), "Sura 2: Test\r\nOpening words\r\n*2:0 Note on the opening.");
    EXPECT_EQ(sizeAt(opening.rtf, "Note on"), 21);
    EXPECT_EQ(richtext::readRtf(opening.rtf).paras()[0].format.align, richtext::Align::Center);
}

TEST(ProcessForData, BlankLinesBeforeFootnotes)
{
    ProcessOptions o;
    o.txtFspaces = "3";
    EXPECT_EQ(text(processForData(kVerse, o, 5).rtf), "A Subtitle\r\n[2:5] Verse text\r\n\r\n\r\n\r\n*2:5 A footnote.");
    o.txtFspaces = "none";
    EXPECT_EQ(text(processForData(kVerse, o, 5).rtf), "A Subtitle\r\n[2:5] Verse text\r\n*2:5 A footnote.");
    o.txtFspaces = "1e9";  // bounded, however large
    EXPECT_EQ(count(processForData(kVerse, o, 5).rtf, "\\par"), 99u + 3u);
}

TEST(ProcessForData, SubtitleOnOneLineAndBreaksCollapsed)
{
    ProcessOptions o;
    o.checkSb1Line = true;
    const std::string twoLines = kHeader + "\\fs21 First part\\par second part\\par\\par\\par \\fs24 [2:7] Verse\\par\\par }";
    const std::string shown = text(processForData(twoLines, o, 7).rtf);
    EXPECT_EQ(shown.find("\r\n"), shown.find("[2:7]") - 2) << shown;
    EXPECT_EQ(shown.substr(0, 11), "First part ");
    EXPECT_NE(shown.find("second part"), std::string::npos);
    // A subtitle whose text holds a backslash and "par" still ends its line.
    const std::string odd = kHeader + "\\fs21 C:\\\\par\\par \\fs24 [2:8] Verse\\par }";
    const std::string oddShown = text(processForData(odd, o, 8).rtf);
    EXPECT_EQ(oddShown.substr(0, 6), "C:\\par");
    EXPECT_NE(oddShown.find("\r\n[2:8] Verse"), std::string::npos) << oddShown;
    // Without the option only runs of breaks collapse.
    o.checkSb1Line = false;
    EXPECT_EQ(text(processForData(twoLines, o, 7).rtf), "First part\r\nsecond part\r\n[2:7] Verse");
}

TEST(ProcessForData, PlainTextWordsAndFontNames)
{
    ProcessOptions o;
    ProcessResult r = processForData("[2:9] A plain stored verse", o, 9);
    EXPECT_EQ(text(r.rtf), "[2:9] A plain stored verse");
    EXPECT_EQ(sizeAt(r.rtf, "plain"), 25);
    o.vwFont = "Odd;{Font}";
    r = processForData(kVerse, o, 5);
    richtext::Document d = richtext::readRtf(r.rtf);
    EXPECT_EQ(d.fonts()[0].name, "Odd{Font}");
    EXPECT_EQ(text(r.rtf).substr(0, 10), "A Subtitle");
}

TEST(Highlight, MarksEveryOccurrenceIgnoringCase)
{
    richtext::RichTextDocument pane;
    pane.setText("Mercy first, then MERCY again, not merc.");
    pane.setSelStart(20);
    EXPECT_EQ(highlightText(pane, "mercy", 65535, true), 2);
    const std::string rtf = pane.rtf();
    EXPECT_NE(rtf.find("{\\colortbl ;\\red255\\green255\\blue0;}"), std::string::npos);
    EXPECT_EQ(count(rtf, "\\highlight1 "), 2u);
    EXPECT_EQ(count(rtf, "\\highlight0 "), 2u);
    EXPECT_NE(rtf.find("\\highlight1 Mercy\\highlight0  first"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\highlight1 MERCY\\highlight0  again"), std::string::npos) << rtf;
    EXPECT_EQ(pane.selStart(), 0);
    // Only the first occurrence after the caret when not all are wanted.
    richtext::RichTextDocument first;
    first.setText("a b a b a");
    first.setSelStart(1);
    EXPECT_EQ(highlightText(first, "A", 255, false), 1);
    EXPECT_EQ(first.document().formatAt(4).highlight, 1);
    EXPECT_EQ(first.document().formatAt(0).highlight, 0);
    EXPECT_EQ(first.document().formatAt(8).highlight, 0);
}

TEST(Highlight, AbsentOrEmptyWordsLeaveThePaneAlone)
{
    richtext::RichTextDocument pane;
    pane.setRtf(kVerse);
    pane.setSelStart(7);
    const std::string before = pane.rtf();
    EXPECT_EQ(highlightText(pane, "absent", 65535, true), 0);
    EXPECT_EQ(highlightText(pane, "", 65535, true), 0);
    EXPECT_EQ(pane.rtf(), before);
    EXPECT_EQ(pane.selStart(), 7);
}

TEST(Highlight, ColoursJoinTheTableOnceAndOtherHighlightsStay)
{
    richtext::RichTextDocument pane;
    pane.setText("God's mercy and mercy of God");
    highlightText(pane, "god's mercy", 65535, true);
    highlightText(pane, "mercy", 65280, true);
    highlightText(pane, "god", 65535, true);
    EXPECT_EQ(readColorTable(pane), (std::vector<uint32_t>{0, 65535, 65280}));
    const auto& d = pane.document();
    EXPECT_EQ(d.formatAt(0).highlight, 1);   // "God" of the phrase
    EXPECT_EQ(d.formatAt(4).highlight, 1);   // "s" of the phrase, outside the later words
    EXPECT_EQ(d.formatAt(6).highlight, 2);   // "mercy" re-marked green
    EXPECT_EQ(d.formatAt(12).highlight, 0);  // "and"
    EXPECT_EQ(d.formatAt(25).highlight, 1);
}

TEST(Highlight, ColourTableListsMatchTheTable)
{
    EXPECT_EQ(highlightColour("Yellow"), 65535u);
    EXPECT_EQ(highlightColour("Red"), 255u);
    EXPECT_EQ(highlightColour("Green"), 65280u);
    EXPECT_EQ(highlightColour("Blue"), 16711680u);
    EXPECT_EQ(highlightColour("Purple"), std::nullopt);
    // An empty colour name marks nothing (the settings panel always names one).
    EXPECT_EQ(highlightColour(""), std::nullopt);
    EXPECT_EQ(wordToMark("God''s"), "God's");
    EXPECT_EQ(wordToMark("''''"), "''");
    EXPECT_EQ(wordToMark(""), "");
    EXPECT_EQ(readColorTable("{\\rtf1 no table}"), std::vector<uint32_t>{0});
    // An automatic entry in the middle keeps the later entries' numbers.
    const std::string rtf = "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;;\\red0\\green0\\blue255;}x}";
    EXPECT_EQ(readColorTable(rtf), (std::vector<uint32_t>{0, 255, 0, 16711680}));
    richtext::RichTextDocument pane;
    pane.setRtf(rtf);
    EXPECT_EQ(readColorTable(pane), readColorTable(pane.rtf()));
    EXPECT_EQ(readColorTable(pane), readColorTable(rtf));
}
