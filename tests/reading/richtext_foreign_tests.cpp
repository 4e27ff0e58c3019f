// RTF from elsewhere: other code pages, ignorable destinations, hidden
// text, lists, footnotes, control characters, byte-order marks, and a
// selection that starts or ends inside a line break.
#include "reading/richtext/codepage.h"
#include "reading/richtext/rich_text_document.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/richtext/rtf_writer.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace richtext;

namespace richtext {
inline void PrintTo(const Document& d, std::ostream* os) { *os << d.debugString(); }
}  // namespace richtext

namespace {

std::string plain(std::string_view rtf) { return utf16ToUtf8(readRtf(rtf).text()); }

// Read, write, read again: the same document, and the writer's output is stable.
void expectRoundTrip(const Document& d)
{
    ASSERT_EQ(d.checkInvariants(), "");
    const std::string once = writeRtf(d);
    for (unsigned char c : once)
        ASSERT_LT(c, 0x80) << once;
    const Document back = readRtf(once);
    EXPECT_EQ(back, d) << once;
    EXPECT_EQ(writeRtf(back), once);
}

}  // namespace

TEST(ForeignRtf, SingleBytePagesOfTheDocumentAndOfEachFont)
{
    // Polish through the document's code page.
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg1250 za\\'bf\\'f3\\'b3\\'e6\\par}"), "zażółć\r\n");
    // A Central European font in a Western document: only its own text changes.
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset238 Arial CE;}}"
                    "\\f0 caf\\'e9 \\f1 Gda\\'f1sk\\f0  \\'f1}"),
              "café Gdańsk ñ");
    // Cyrillic through a font charset, and through the document's code page.
    EXPECT_EQ(plain("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Times New Roman Cyr;}}\\f0 \\'cc\\'ee\\'f1\\'ea\\'e2\\'e0}"),
              "Москва");
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"), "Привет");
    // A font's own code page holds over its charset.
    EXPECT_EQ(plain("{\\rtf1{\\fonttbl{\\f0\\fcharset0\\cpg1251 Courier;}}\\f0 \\'cc\\'ee\\'f1\\'ea\\'e2\\'e0}"),
              "Москва");
    // Mac Roman, DOS United States and DOS Western European.
    EXPECT_EQ(plain("{\\rtf1\\mac\\deff0{\\fonttbl{\\f0 Geneva;}}\\f0 caf\\'8e cr\\'8fme br\\'9el\\'8ee}"),
              "café crème brûlée");
    EXPECT_EQ(plain("{\\rtf1\\pc Gr\\'81\\'e1e}"), "Grüße");
    EXPECT_EQ(plain("{\\rtf1\\pca \\'a8Qu\\'82 tal?}"), "¿Qué tal?");
    // Font names are read in their own code page.
    const Document named = readRtf("{\\rtf1{\\fonttbl{\\f0\\fcharset204 \\'d2\\'e0\\'e9\\'ec\\'f1;}}\\f0 x}");
    EXPECT_EQ(named.fonts()[0].name, "Таймс");
    // A code page nobody knows reads as Western, as before.
    EXPECT_EQ(plain("{\\rtf1\\ansicpg99999 caf\\'e9}"), "café");
    EXPECT_EQ(plain("{\\rtf1\\ansicpg0 caf\\'e9}"), "café");
    // So does a page that is not ASCII underneath (EBCDIC).
    EXPECT_EQ(plain("{\\rtf1\\ansicpg37 caf\\'e9}"), "café");
}

TEST(ForeignRtf, WesternAndArabicPagesReadAsBefore)
{
    EXPECT_EQ(readRtf("{\\rtf1\\ansi\\ansicpg1252 \\'80\\'81\\'8d\\'92\\'9f\\'a0\\'e9\\'ff}").text(),
              u"\u20AC\u0081\u008D\u2019\u0178\u00A0\u00E9\u00FF");
    EXPECT_EQ(readRtf("{\\rtf1\\ansi\\ansicpg1256 \\'81\\'9d\\'c7\\'e1\\'e0\\'ff}").text(),
              u"\u067E\u200C\u0627\u0644\u00E0\u06D2");
    EXPECT_EQ(readRtf("{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\fcharset178 B;}}\\f1 \\'c7\\'e1\\f0 \\'c7}").text(), u"\u0627\u0644\u00C7");
}

TEST(ForeignRtf, DoubleBytePagesJoinLeadAndTrailBytes)
{
    const std::string jp = "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fnil\\fcharset128 MS Mincho;}}\\f0 ";
    EXPECT_EQ(plain(jp + "\\'93\\'fa\\'96\\'7b\\'8c\\'ea}"), "日本語");
    // Trail bytes written as they are, or escaped when they are a brace or a backslash.
    EXPECT_EQ(plain(jp + "\\'93\\'fa\\'96\\{\\'8c\\'ea}"), "日本語");
    EXPECT_EQ(plain(jp + "\\'83e\\'83X\\'83g}"), "テスト");
    EXPECT_EQ(plain(jp + "\\'83\\\\ a}"), "ソ a");
    // A Unicode character with its two-byte fallback skipped.
    EXPECT_EQ(plain(jp + "\\uc2\\u26085\\'93\\'fa x}"), "日 x");
    // A lead byte with nothing after it is marked, not dropped, and takes nothing with it.
    EXPECT_EQ(plain(jp + "\\'93}"), "\xEF\xBF\xBD");
    EXPECT_EQ(plain(jp + "\\'93 x}"), "\xEF\xBF\xBD x");

    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0\\'ce\\'c4}"), "中文");
    EXPECT_EQ(plain("{\\rtf1{\\fonttbl{\\f0\\fcharset129 Batang;}}\\f0 \\'c7\\'d1\\'b1\\'b9\\'be\\'ee}"), "한국어");
    EXPECT_EQ(plain("{\\rtf1{\\fonttbl{\\f0\\fcharset136 MingLiU;}}\\f0 \\'a4\\'a4\\'a4\\'e5 \\'a5x\\'c6W}"),
              "中文 台灣");
}

TEST(ForeignRtf, WriterUsesTheTextsCodePageAndUnicodeForTheRest)
{
    const Document cyr = readRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1 Arial;}}"
                                 "\\f0 \\'cc\\'ee\\'f1\\'ea\\'e2\\'e0 \\u26085?\\f1  caf\\'e9 \\u1052?}");
    EXPECT_EQ(cyr.text(), u"Москва 日 café М");
    const std::string w = writeRtf(cyr);
    EXPECT_NE(w.find("\\'cc\\'ee\\'f1\\'ea\\'e2\\'e0"), std::string::npos) << w;
    EXPECT_NE(w.find("\\u26085?"), std::string::npos) << w;
    EXPECT_NE(w.find("caf\\'e9"), std::string::npos) << w;
    EXPECT_NE(w.find("\\u1052?"), std::string::npos) << w;
    expectRoundTrip(cyr);

    const Document jp = readRtf("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 "
                                "\\'93\\'fa\\'96\\'7b\\'8c\\'ea\\'83\\\\\\u1078?\\'b1}");
    EXPECT_EQ(jp.text(), u"日本語ソжｱ");
    const std::string wj = writeRtf(jp);
    EXPECT_NE(wj.find("\\'93\\'fa\\'96\\'7b\\'8c\\'ea\\'83\\'5c"), std::string::npos) << wj;
    EXPECT_NE(wj.find("\\'b1"), std::string::npos) << wj;
    expectRoundTrip(jp);

    for (const char* rtf : {"{\\rtf1\\ansi\\ansicpg1250 za\\'bf\\'f3\\'b3\\'e6\\par}",
                            "{\\rtf1\\mac{\\fonttbl{\\f0 Geneva;}}\\f0 caf\\'8e \\u8364?}",
                            "{\\rtf1\\pc Gr\\'81\\'e1e}",
                            "{\\rtf1\\pca \\'a8Qu\\'82}",
                            "{\\rtf1{\\fonttbl{\\f0\\fcharset0\\cpg1251 \\'d2\\'e0;}}\\f0 \\'cc\\'ee}",
                            "{\\rtf1{\\fonttbl{\\f0\\fcharset134 S;}{\\f1\\fcharset129 B;}{\\f2\\fcharset136 M;}}"
                            "\\f0 \\'d6\\'d0\\f1 \\'c7\\'d1\\f2 \\'a5x \\'ff\\'ff}"})
        expectRoundTrip(readRtf(rtf));
}

TEST(ForeignRtf, StarMarksOnlyTheNextDestinationIgnorable)
{
    EXPECT_EQ(plain("{\\rtf1 {\\i0\\*\\cs7 lost text} kept}"), "lost text kept");
    EXPECT_EQ(plain("{\\rtf1 a{\\*\\b bold}c}"), "aboldc");
    // Unknown ignorable destinations still go, nested groups and all.
    EXPECT_EQ(plain("{\\rtf1 a{\\*\\madeup {x} y}b{\\*\\fldinst HYPERLINK}c}"), "abc");
    // The mark does not carry over to a later word.
    EXPECT_EQ(plain("{\\rtf1 a{\\* x\\madeup y}b}"), "a xyb");
}

TEST(ForeignRtf, HiddenTextIsKeptButNotShown)
{
    const Document d = readRtf("{\\rtf1 shown {\\v hidden} shown \\v more\\v0 end\\v  x\\plain  y}");
    EXPECT_EQ(utf16ToUtf8(d.text()), "shown  shown end y");
    ASSERT_EQ(d.hidden().size(), 3u);
    EXPECT_EQ(d.hidden()[0].pos, 6u);
    EXPECT_EQ(d.hidden()[0].text, u"hidden");
    EXPECT_EQ(d.hidden()[1].text, u"more");
    EXPECT_EQ(d.hidden()[2].text, u" x");
    expectRoundTrip(d);
    expectRoundTrip(readRtf("{\\rtf1{\\fonttbl{\\f0 A;}{\\f1 B;}}{\\v\\f1\\b at start\\par two}\\f0 t{\\v\\tab end}}"));
    // A hidden footnote naming a colour the document lacks.
    expectRoundTrip(readRtf("{\\rtf1 a{\\v\\highlight5{\\footnote\\chftn  x}}}"));

    // The pane's plain text leaves it out; cutting the text around it takes it along.
    RichTextDocument pane;
    pane.setRtf("{\\rtf1 ab{\\v secret}cd}");
    EXPECT_EQ(pane.text(), "abcd");
    EXPECT_NE(pane.rtf().find("secret"), std::string::npos);
    pane.select(0, 2);
    EXPECT_EQ(readRtf(pane.selRtf()).hidden().size(), 0u);
    pane.select(1, 2);
    EXPECT_EQ(readRtf(pane.selRtf()).hidden().at(0).text, u"secret");
    pane.setSelText("X");
    EXPECT_EQ(pane.text(), "aXd");
    EXPECT_EQ(pane.rtf().find("secret"), std::string::npos);
    EXPECT_EQ(pane.document().checkInvariants(), "");
}

TEST(ForeignRtf, ListNumbersAndBulletsAreShown)
{
    EXPECT_EQ(plain("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\f0\\pard{\\pntext\\f1\\'b7\\tab}Apples\\par"
                    "{\\listtext\\pard\\plain 1.\\tab}First\\par{\\listtext 2.\\tab}Second\\par}"),
              "•\tApples\r\n1.\tFirst\r\n2.\tSecond\r\n");
    // The list tables themselves are no text.
    EXPECT_EQ(plain("{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext \\'02\\'00.;}}}}{\\*\\pn\\pnlvlbody{\\pntxta .}}x}"), "x");
}

TEST(ForeignRtf, FootnotesFollowTheTextWithTheirMarks)
{
    const Document d = readRtf("{\\rtf1 Text{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} Note one.} more"
                               "{\\super\\chftn}{\\footnote\\pard\\plain {\\super\\chftn} Note {\\b two}.}\\par}");
    EXPECT_EQ(utf16ToUtf8(d.text()), "Text1 more2\r\n1 Note one.\r\n2 Note two.");
    EXPECT_TRUE(d.formatAt(d.text().find(u"two")).bold);
    expectRoundTrip(d);
    // A body without a final paragraph mark, and a note with its own mark.
    EXPECT_EQ(plain("{\\rtf1 See*{\\footnote * Own mark.}}"), "See*\r\n* Own mark.");
}

TEST(ForeignRtf, ControlCharactersNeverEnterTheText)
{
    const Document d = readRtf("{\\rtf1 a\\'00b\\'01\\'1fc\\u0?d\\u31?e\\'09f\\u9?g\\'0d\\'0ah\\u13?\\u10?i}");
    EXPECT_EQ(utf16ToUtf8(d.text()), "abcde\tf\tghi");
    expectRoundTrip(d);
    // Nor through double-byte decoding, nor pasted as plain text.
    EXPECT_EQ(plain("{\\rtf1\\ansicpg932 a\\'00\\'01b}"), "ab");
    RichTextDocument pane;
    pane.setText(std::string("one\0two\x07\tthree", 14));
    EXPECT_EQ(pane.text(), "onetwo\tthree");
}

TEST(ForeignRtf, NestedTableFallbackIsSkipped)
{
    EXPECT_EQ(plain("{\\rtf1 a\\nestcell{\\nonesttables fallback\\par}b{\\*\\nonesttables fallback}c}"), "a\tbc");
}

TEST(ForeignRtf, ByteOrderMarkAndLeadingSpaceBeforeTheDocument)
{
    EXPECT_TRUE(isRtf("\xEF\xBB\xBF{\\rtf1 x}"));
    EXPECT_TRUE(isRtf(" \r\n\t{\\rtf1 x}"));
    EXPECT_FALSE(isRtf("x{\\rtf1 x}"));
    EXPECT_EQ(plain("\xEF\xBB\xBF{\\rtf1 caf\\'e9}"), "café");
    EXPECT_EQ(plain("\r\n  {\\rtf1 y}"), "y");
    EXPECT_EQ(plain("\xEF\xBB\xBFplain"), "plain");

    testing_support::TempDir dir;
    testing_support::writeFile(dir / "a.rtf", "\xEF\xBB\xBF\r\n{\\rtf1 {\\b bold} text}");
    RichTextDocument pane;
    ASSERT_TRUE(pane.loadFile(dir / "a.rtf"));
    EXPECT_EQ(pane.text(), "bold text");
    EXPECT_TRUE(pane.document().formatAt(0).bold);
    pane.setSelText(" {\\rtf1 {\\b more}}");
    EXPECT_EQ(pane.text(), "morebold text");
}

TEST(ForeignRtf, SelectionSnapsToWholeLineBreaks)
{
    RichTextDocument pane;
    pane.setRtf("{\\rtf1 ab\\par cd\\line ef\\par\\par g}");
    const int n = pane.length();
    for (int a = 0; a <= n; ++a)
        for (int len = 0; a + len <= n; ++len) {
            pane.select(a, len);
            const std::u16string sel = pane.selText16();
            EXPECT_EQ(readRtf(pane.selRtf()).text(), sel) << a << "+" << len;
            EXPECT_EQ(pane.text16().substr(static_cast<size_t>(pane.selStart()), static_cast<size_t>(pane.selLength())), sel);
            if (!sel.empty()) {
                EXPECT_NE(sel.front(), u'\n') << a << "+" << len;
                EXPECT_NE(sel.back(), u'\r') << a << "+" << len;
            }
        }
    // The caret cannot rest between CR and LF either.
    pane.setSelStart(3);
    EXPECT_EQ(pane.selStart(), 2);
    pane.setSelLength(1);
    EXPECT_EQ(pane.selText(), "\r\n");
}
