// Reading RTF: what the stored verses, the program's own string edits and
// hostile input turn into.
#include "reading/richtext/codepage.h"
#include "reading/richtext/rtf_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using namespace richtext;

namespace richtext {
inline void PrintTo(const Document& d, std::ostream* os) { *os << d.debugString(); }
}  // namespace richtext

namespace {

std::string plain(const Document& d) { return utf16ToUtf8(d.text()); }

// The shape zerafin-init stores a verse in.
const std::string kVerse =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\pard\\f0"
    "\\fs21\\b A Subtitle\\b0\\par \\fs24 [2:5] Verse text\\par \\fs20 *2:5 A footnote.\\par }";

}  // namespace

TEST(RtfReader, StoredVerseGivesTextRunsAndParagraphs)
{
    Document d = readRtf(kVerse);
    EXPECT_EQ(plain(d), "A Subtitle\r\n[2:5] Verse text\r\n*2:5 A footnote.\r\n");
    EXPECT_EQ(d.checkInvariants(), "");
    ASSERT_EQ(d.fonts().size(), 1u);
    EXPECT_EQ(d.fonts()[0].name, "Times New Roman");
    EXPECT_EQ(d.fonts()[0].family, "froman");
    ASSERT_EQ(d.colors().size(), 1u);
    EXPECT_TRUE(d.colors()[0].automatic);
    // Four paragraphs: subtitle, verse, footnote and the empty last one.
    ASSERT_EQ(d.paras().size(), 4u);
    EXPECT_EQ(d.paras()[0].end, 12u);
    EXPECT_EQ(d.formatAt(0).size, 21);
    EXPECT_TRUE(d.formatAt(0).bold);
    EXPECT_FALSE(d.formatAt(10).bold);  // the paragraph mark after \b0
    EXPECT_EQ(d.formatAt(12).size, 24);
    EXPECT_EQ(d.formatAt(d.text().find(u'*')).size, 20);
}

TEST(RtfReader, CharacterEscapesAndCodePages)
{
    // Western code page, the Arabic code page through an Arabic-charset
    // font, Unicode with its fallback characters skipped, and escapes.
    Document d = readRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset178 Traditional Arabic;}}"
                         "\\f0 it\\'92s \\'af\\f1 \\'c7\\'e1\\f0  \\u1575?\\u-3873?x\\uc2\\u8364 ab"
                         "c\\uc0\\u8230 d \\{x\\} a\\\\b\\tab t\\~n}");
    EXPECT_EQ(d.text(), u"it\u2019s \u00AF\u0627\u0644 \u0627\uF0DFx\u20ACc\u2026d {x} a\\b\tt\u00A0n");
    EXPECT_EQ(d.fonts()[1].charset, 178);
}

TEST(RtfReader, LineBreaksParagraphsAndParagraphFormats)
{
    Document d = readRtf("{\\rtf1\\pard\\qc\\li720\\fi-360\\ri120 one\\line two\\par\\pard\\qr three\\par "
                         "{\\pard\\qj inner\\par}after}");
    EXPECT_EQ(plain(d), "one\r\ntwo\r\nthree\r\ninner\r\nafter");
    ASSERT_EQ(d.paras().size(), 4u);  // the \line does not end a paragraph
    EXPECT_FALSE(d.isParagraphBreak(3));
    EXPECT_TRUE(d.isParagraphBreak(8));
    EXPECT_EQ(d.paras()[0].format.align, Align::Center);
    EXPECT_EQ(d.paras()[0].format.leftIndent, 720);
    EXPECT_EQ(d.paras()[0].format.firstIndent, -360);
    EXPECT_EQ(d.paras()[0].format.rightIndent, 120);
    EXPECT_EQ(d.paras()[1].format.align, Align::Right);
    EXPECT_EQ(d.paras()[2].format.align, Align::Justify);
    // Paragraph formatting ends with its group.
    EXPECT_EQ(d.paras()[3].format.align, Align::Right);
}

TEST(RtfReader, CharacterFormatsColoursAndPlain)
{
    Document d = readRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                         "\\b\\i\\ul\\cf1\\highlight2 a\\b0\\i0\\ulnone\\cf0\\highlight0 b\\ulw c\\ul0 d"
                         "\\cb1 e\\plain f}");
    ASSERT_EQ(d.colors().size(), 3u);
    EXPECT_EQ(d.colors()[1].value(), 255u);
    EXPECT_EQ(d.colors()[2].value(), 0xFF0000u);
    const CharFormat a = d.formatAt(0);
    EXPECT_TRUE(a.bold && a.italic && a.underline);
    EXPECT_EQ(a.color, 1);
    EXPECT_EQ(a.highlight, 2);
    const CharFormat b = d.formatAt(1);
    EXPECT_FALSE(b.bold || b.italic || b.underline);
    EXPECT_EQ(b.color + b.highlight, 0);
    EXPECT_TRUE(d.formatAt(2).underline);
    EXPECT_FALSE(d.formatAt(3).underline);
    EXPECT_EQ(d.formatAt(4).highlight, 1);  // \cb is a background colour too
    EXPECT_EQ(d.formatAt(5), CharFormat{});
}

TEST(RtfReader, FractionalSizesAreReadAsNumbers)
{
    Document d = readRtf("{\\rtf1\\fs24.6 a\\fs19.4 b\\fs0 c\\fs-4 d\\fs25.5x}");
    EXPECT_EQ(plain(d), "abcdx");
    EXPECT_EQ(d.formatAt(0).size, 25);
    EXPECT_EQ(d.formatAt(1).size, 19);
    EXPECT_EQ(d.formatAt(2).size, kDefaultHalfPoints);
    EXPECT_EQ(d.formatAt(3).size, kDefaultHalfPoints);
    // A full stop that does not start a fraction is text.
    EXPECT_EQ(plain(readRtf("{\\rtf1\\fs24. Next}")), ". Next");
}

TEST(RtfReader, SkipsDestinationsAndUnknownWords)
{
    Document d = readRtf("{\\rtf1{\\*\\generator Writer 1.0;}{\\info{\\title T}{\\author A}}"
                         "{\\stylesheet{\\s0 Normal;}}{\\*\\unknowndest {nested} text}\\madeupword5 shown"
                         "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt  link}}"
                         "{\\pict\\bin4 {}}} hex}\\bin3 a}b tail}");
    EXPECT_EQ(plain(d), "shown link tail");
}

TEST(RtfReader, FontTableFormsAndMissingEntries)
{
    Document flat = readRtf("{\\rtf1\\deff1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Times;}x\\f7 y\\f0 z}");
    ASSERT_EQ(flat.fonts().size(), 2u);
    EXPECT_EQ(flat.fonts()[1].name, "Times");
    EXPECT_EQ(flat.formatAt(0).font, 1);  // \deff1
    EXPECT_EQ(flat.formatAt(1).font, 1);  // unknown \f7 falls back to \deff
    EXPECT_EQ(flat.formatAt(2).font, 0);
    Document noTables = readRtf("{\\rtf1\\cf5\\highlight9 text}", Font{"Verdana"});
    ASSERT_EQ(noTables.fonts().size(), 1u);
    EXPECT_EQ(noTables.fonts()[0].name, "Verdana");
    EXPECT_EQ(noTables.formatAt(0).color, 0);
    EXPECT_EQ(noTables.formatAt(0).highlight, 0);
    EXPECT_EQ(noTables.checkInvariants(), "");
}

TEST(RtfReader, BadInputNeverBreaksTheModel)
{
    const std::string cases[] = {
        "{\\rtf1 a}}}}b",                      // extra closing braces: the document ends at its own
        "{\\rtf1 {{{ a",                        // unclosed groups
        "{\\rtf1 text\\",                       // a trailing lone backslash
        "{\\rtf1 text\\'",                      // an escape cut short
        "{\\rtf1 text\\'4",                     // half an escape
        "{\\rtf1\\fs999999999999999999999 a\\li-99999999999999 b\\cf99999999 c}",
        "{\\rtf1\\u99999999999?\\u-99999? \\uc999999\\u65 abc}",
        "{\\rtf1\\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop x}",
        "{\\rtf1\\bin999999999 abc}",
        "{\\rtf1{\\fonttbl{\\f0 A}{\\f1{\\*\\panose 02}B;}}{\\colortbl\\red300;;}\\f1 x}",
        "{\\rtf1\\u13?\\u10?\\'0d\r\n\t\x01x}",
        std::string("{\\rtf1 a\0b}", 11),
        "{\\rtf1\xff\xfe\xc3(\xe2\x82 \xf0\x9f\x98\x80}",
    };
    for (const auto& c : cases) {
        Document d = readRtf(c);
        EXPECT_EQ(d.checkInvariants(), "") << c;
    }
    EXPECT_EQ(plain(readRtf(cases[0])), "a");
    EXPECT_EQ(plain(readRtf(cases[1])), " a");
    EXPECT_EQ(plain(readRtf(cases[2])), "text");
    EXPECT_EQ(readRtf(cases[5]).formatAt(0).size, kMaxHalfPoints);
    EXPECT_EQ(readRtf(cases[5]).paras()[0].format.leftIndent, -kMaxIndentTwips);
    // Line-break characters that do not come as \par or \line are not text.
    EXPECT_EQ(plain(readRtf(cases[10])), "\tx");
    EXPECT_EQ(plain(readRtf(cases[11])), "ab");
    // Raw UTF-8 in the source is read as UTF-8; broken bytes as code page 1252.
    EXPECT_EQ(readRtf(cases[12]).text(), u"\u00FF\u00FE\u00C3(\u00E2\u201A \U0001F600");
}

TEST(RtfReader, DeepNestingAndHugeInputStayBounded)
{
    std::string deep = "{\\rtf1 ";
    deep.append(200000, '{');
    deep += "\\b deep";
    deep.append(200000, '}');
    deep += " after}";
    auto t0 = std::chrono::steady_clock::now();
    Document d = readRtf(deep);
    auto elapsed = std::chrono::steady_clock::now() - t0;
    EXPECT_EQ(plain(d), "deep after");
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);

    std::string tables = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 100000; ++i)
        tables += "\\f" + std::to_string(i) + " F;";
    tables += "}{\\colortbl";
    tables.append(100000, ';');
    tables += "}x}";
    Document t = readRtf(tables);
    EXPECT_EQ(t.checkInvariants(), "");
    EXPECT_LE(t.fonts().size(), 65535u);
    EXPECT_LE(t.colors().size(), 65535u);
}

TEST(RtfReader, TruncatedVerseAfterFootnoteMarkIsNormalInput)
{
    // The verse display cuts a verse just after the backslash of "\fs20".
    const std::string cut = kVerse.substr(0, kVerse.find("\\fs20") + 1);
    Document d = readRtf(cut);
    EXPECT_EQ(plain(d), "A Subtitle\r\n[2:5] Verse text\r\n");
    EXPECT_EQ(d.checkInvariants(), "");
}

TEST(RtfReader, NonRtfIsPlainTextAndPlainConversion)
{
    Document d = readRtf("line one\nline two\rthree\r\nfour", Font{"Verdana"});
    EXPECT_EQ(plain(d), "line one\r\nline two\r\nthree\r\nfour");
    EXPECT_EQ(d.paras().size(), 4u);
    EXPECT_EQ(d.fonts()[0].name, "Verdana");
    EXPECT_EQ(rtfToPlainText(kVerse), "A Subtitle\r\n[2:5] Verse text\r\n*2:5 A footnote.\r\n");
    EXPECT_EQ(rtfToPlainText("{\\rtf1 caf\\'e9 \\u8217?}"), "caf\xc3\xa9 \xe2\x80\x99");
    EXPECT_EQ(rtfToPlainText("plain"), "plain");
}
