// The pane operations the program relies on, on the document model.
#include "reading/richtext/codepage.h"
#include "reading/richtext/rich_text_document.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/richtext/rtf_writer.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace richtext;

namespace richtext {
inline void PrintTo(const Document& d, std::ostream* os) { *os << d.debugString(); }
}  // namespace richtext

namespace {

const std::string kOpening =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\pard\\f0\\qc\\fs24\\b "
    "Sura 2: The Test\\b0\\par An opening line\\par\\pard }";
const std::string kVerse =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\pard\\f0\\fs24 [2:1] First "
    "verse\\par }";

struct CountingObserver : RichTextDocument::Observer {
    int content = 0;
    int selection = 0;
    void contentChanged() override { ++content; }
    void selectionChanged() override { ++selection; }
};

}  // namespace

TEST(PaneOps, PlainTextUsesCrLfAndDropsFormatting)
{
    RichTextDocument p(Font{"Verdana"}, 20);
    p.setRtf(kOpening);
    p.setText("a\nb\rc\r\nd");
    EXPECT_EQ(p.text(), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(p.length(), 10);
    EXPECT_EQ(p.document().fonts().size(), 1u);
    EXPECT_EQ(p.document().fonts()[0].name, "Verdana");
    EXPECT_EQ(p.document().formatAt(0).size, 20);
    EXPECT_FALSE(p.document().formatAt(0).bold);
    EXPECT_EQ(p.selStart(), 0);
}

TEST(PaneOps, SelectionIsClampedToTheText)
{
    RichTextDocument p;
    p.setText("hello");
    p.setSelStart(-4);
    EXPECT_EQ(p.selStart(), 0);
    p.setSelStart(99);
    EXPECT_EQ(p.selStart(), 5);
    p.setSelStart(2);
    p.setSelLength(99);
    EXPECT_EQ(p.selLength(), 3);
    EXPECT_EQ(p.selText(), "llo");
    p.select(1, -3);
    EXPECT_EQ(p.selLength(), 0);
}

TEST(PaneOps, PlainInsertionTakesTheFormatAroundTheCaret)
{
    RichTextDocument p;
    p.setRtf("{\\rtf1\\pard\\b bold\\b0\\par plain}");
    p.setSelStart(4);
    p.setSelText("ER");
    EXPECT_EQ(p.text(), "boldER\r\nplain");
    EXPECT_TRUE(p.document().formatAt(5).bold);
    EXPECT_EQ(p.selStart(), 6);
    // At the start of a paragraph the paragraph's own first character rules.
    p.setSelStart(8);
    p.setSelText("x");
    EXPECT_FALSE(p.document().formatAt(8).bold);
    // Replacing a selection.
    p.select(0, 4);
    p.setSelText("B");
    EXPECT_EQ(p.text(), "BER\r\nxplain");
    EXPECT_TRUE(p.document().formatAt(0).bold);
}

TEST(PaneOps, RtfReplacementIsInsertedFormattedWithTablesMerged)
{
    RichTextDocument p;
    p.setText("start ");
    p.select(0, 5);
    p.setSelColor(65535);  // yellow is entry 1
    p.setSelStart(6);
    p.setSelText("{\\rtf1{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}"
                 "{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}"
                 "\\f0\\fs30 \\cf1 red\\cf0  \\highlight2 yel\\highlight0\\f1  end}");
    EXPECT_EQ(p.text(), "start red yel end");
    const Document& d = p.document();
    ASSERT_EQ(d.colors().size(), 3u);
    EXPECT_EQ(d.colors()[1].value(), 65535u);
    EXPECT_EQ(d.colors()[2].value(), 255u);
    EXPECT_EQ(d.formatAt(6).color, 2);       // red, remapped
    EXPECT_EQ(d.formatAt(10).highlight, 1);  // the fragment's yellow is ours
    EXPECT_EQ(d.fonts()[d.formatAt(6).font].name, "Times New Roman");
    EXPECT_EQ(d.fonts()[d.formatAt(14).font].name, "Arial");
    EXPECT_EQ(d.formatAt(6).size, 30);
    EXPECT_EQ(p.selStart(), p.length());
    EXPECT_EQ(d.fonts().size(), 2u);  // Arial was there already
}

TEST(PaneOps, AppendingVersesAtTheCaretKeepsTheirParagraphs)
{
    // How the verse display fills the reading pane: RTF at the caret, then
    // a line break, then the next verse.
    RichTextDocument p;
    p.setSelText(kOpening);
    p.setSelText("\r\n");
    p.setSelText(kVerse);
    EXPECT_EQ(p.text(), "Sura 2: The Test\r\nAn opening line\r\n\r\n[2:1] First verse\r\n");
    const auto& paras = p.document().paras();
    ASSERT_EQ(paras.size(), 5u);
    EXPECT_EQ(paras[0].format.align, Align::Center);
    EXPECT_EQ(paras[1].format.align, Align::Center);
    EXPECT_EQ(paras[2].format.align, Align::Left);
    EXPECT_EQ(paras[3].format.align, Align::Left);
    EXPECT_EQ(p.document().checkInvariants(), "");
}

TEST(PaneOps, SelectedRtfCarriesTheFormattingAcross)
{
    RichTextDocument a;
    a.setRtf(kOpening);
    a.find("The Test");
    RichTextDocument b;
    b.setText("x");
    b.setSelStart(1);
    b.setSelRtf(a.selRtf());
    EXPECT_EQ(b.text(), "xThe Test");
    EXPECT_TRUE(b.document().formatAt(1).bold);
    EXPECT_EQ(b.document().fonts()[b.document().formatAt(1).font].name, "Times New Roman");
}

TEST(PaneOps, ColourBoldAndAlignmentOfTheSelection)
{
    RichTextDocument p;
    p.setText("abc\r\ndef");
    p.select(1, 1);
    p.setSelColor(255);
    EXPECT_EQ(p.selColor(), 255u);
    p.setSelColor(255);  // the same colour is not added twice
    EXPECT_EQ(p.document().colors().size(), 2u);
    p.select(0, 1);
    EXPECT_EQ(p.selColor(), std::nullopt);
    p.select(0, 2);
    p.setSelBold(true);
    EXPECT_TRUE(p.document().formatAt(1).bold);
    EXPECT_FALSE(p.document().formatAt(2).bold);
    p.select(2, 4);  // touches both paragraphs
    p.setSelAlignment(2);
    EXPECT_EQ(p.document().paras()[0].format.align, Align::Center);
    EXPECT_EQ(p.document().paras()[1].format.align, Align::Center);
    p.setSelAlignment(7);  // not an alignment: nothing changes
    EXPECT_EQ(p.selAlignment(), 2);
}

TEST(PaneOps, EmptySelectionFormatsTheNextInsertion)
{
    // The result header: centred bold lines, then left and plain again.
    RichTextDocument p;
    p.clear();
    p.setSelAlignment(2);
    p.setSelBold(true);
    p.setSelText("Search Word: x\r\nResult Count: 2\r\n\r\n\r\n");
    p.setSelBold(false);
    p.setSelAlignment(0);
    p.setSelText("body");
    const Document& d = p.document();
    EXPECT_TRUE(d.formatAt(0).bold);
    EXPECT_FALSE(d.formatAt(d.size() - 1).bold);
    EXPECT_EQ(d.paras()[0].format.align, Align::Center);
    EXPECT_EQ(d.paras()[1].format.align, Align::Center);
    EXPECT_EQ(d.paras().back().format.align, Align::Left);
    p.setSelColor(16711680);
    p.setSelText(" blue");
    EXPECT_EQ(p.document().colors()[p.document().formatAt(p.length() - 1).color].value(), 16711680u);
}

TEST(PaneOps, FindIgnoresCaseSelectsAndReportsMisses)
{
    RichTextDocument p;
    p.setText("Mercy and MERCY, \xc3\x89t\xc3\xa9 \xc3\xa9T\xc3\x89");
    EXPECT_EQ(p.find("mercy"), 0);
    EXPECT_EQ(p.selLength(), 5);
    EXPECT_EQ(p.find("mercy", 1), 10);
    EXPECT_EQ(p.selStart(), 10);
    EXPECT_EQ(p.find("mercy", 11), -1);
    EXPECT_EQ(p.selStart(), 10);  // unchanged by a miss
    EXPECT_EQ(p.find("\xc3\xa9t\xc3\xa9", 0), 17);
    EXPECT_EQ(p.find("\xc3\xa9t\xc3\xa9", 18), 21);
    EXPECT_EQ(p.find("", 0), -1);
    EXPECT_EQ(p.find("x", 500), -1);
    EXPECT_EQ(p.find("mercy", -3), 0);
}

TEST(PaneOps, LineBreaksAreNeverSplit)
{
    RichTextDocument p;
    p.setText("ab\r\ncd");
    p.select(2, 1);  // just the CR
    p.setSelText("");
    EXPECT_EQ(p.text(), "abcd");
    p.setText("ab\r\ncd");
    p.select(3, 0);  // between CR and LF
    p.setSelText("X");
    EXPECT_EQ(p.text(), "abX\r\ncd");
    EXPECT_EQ(p.document().checkInvariants(), "");
}

TEST(PaneOps, FilesLoadAndSave)
{
    testing_support::TempDir dir;
    RichTextDocument p;
    p.setRtf(kOpening);
    ASSERT_TRUE(p.saveFile(dir / "a.rtf"));
    ASSERT_TRUE(p.saveTextFile(dir / "a.txt"));
    EXPECT_EQ(testing_support::readFile(dir / "a.txt"), "Sura 2: The Test\r\nAn opening line\r\n");
    RichTextDocument q;
    ASSERT_TRUE(q.loadFile(dir / "a.rtf"));
    EXPECT_EQ(q.document(), p.document());
    testing_support::writeFile(dir / "plain.txt", "just text\nmore");
    ASSERT_TRUE(q.loadFile(dir / "plain.txt"));
    EXPECT_EQ(q.text(), "just text\r\nmore");
    // Failures say so and leave nothing behind.
    EXPECT_FALSE(q.loadFile(dir / "missing.rtf"));
    EXPECT_EQ(q.text(), "just text\r\nmore");
    EXPECT_FALSE(p.saveFile(dir / "no" / "such" / "folder.rtf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
    EXPECT_FALSE(p.saveFile(""));
}

TEST(PaneOps, ObserverHearsContentAndSelectionChanges)
{
    RichTextDocument p;
    CountingObserver o;
    p.setObserver(&o);
    p.setText("abc");
    p.setSelStart(1);
    p.find("c");
    EXPECT_EQ(o.content, 1);
    EXPECT_EQ(o.selection, 2);
    {
        RichTextDocument::SilentScope quiet(p);
        p.setText("x");
    }
    EXPECT_EQ(o.content, 1);
    p.setReadOnly(true);
    p.setSelText("y");  // the program may still write a read-only pane
    EXPECT_EQ(p.text(), "yx");
    EXPECT_TRUE(p.readOnly());
}

namespace {

std::u16string normalised(std::u16string_view s)
{
    std::u16string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'\r' || s[i] == u'\n') {
            if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n')
                ++i;
            out += u"\r\n";
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

}  // namespace

TEST(PaneOps, RandomEditsKeepTextFormattingAndRoundTrip)
{
    // Every edit is checked against a plain string doing the same thing,
    // and the model's own rules and the RTF round trip are checked as it goes.
    std::mt19937 rng(12345);
    RichTextDocument p;
    std::u16string reference;
    const std::u16string pieces[] = {u"a", u"word ", u"\r\n", u"x\ny", u"\u00e9\u0627", u"\r\n\r\n", u"\t{}\\", u""};
    const std::string fragments[] = {kVerse, kOpening, "{\\rtf1 \\cf1 tiny}", "{\\rtf1\\pard\\qc c\\par d}"};
    for (int step = 0; step < 1500; ++step) {
        const size_t len = reference.size();
        size_t a = rng() % (len + 1);
        size_t n = (rng() % (len - a + 1)) % 12;
        p.select(static_cast<int>(a), static_cast<int>(n));
        // The range as the model widens it: never half a CR LF.
        size_t from = a, to = a + n;
        if (from > 0 && from < len && reference[from - 1] == u'\r')
            --from;
        if (to > 0 && to < len && reference[to - 1] == u'\r')
            ++to;
        if (n == 0)
            to = from;
        switch (rng() % 6) {
        case 0:
        case 1: {
            const auto& s = pieces[rng() % std::size(pieces)];
            p.setSelText16(s);
            reference.replace(from, to - from, normalised(s));
            break;
        }
        case 2: {
            const auto& f = fragments[rng() % std::size(fragments)];
            p.setSelText(f);
            reference.replace(from, to - from, utf8ToUtf16(rtfToPlainText(f)));
            break;
        }
        case 3:
            p.setSelBold(rng() % 2);
            break;
        case 4:
            p.setSelColor(rng() % 3 == 0 ? std::nullopt : std::optional<uint32_t>(rng() & 0xFFFFFF));
            break;
        case 5:
            p.setSelAlignment(static_cast<int>(rng() % 4));
            break;
        }
        const Document& d = p.document();
        ASSERT_EQ(d.checkInvariants(), "") << "step " << step;
        ASSERT_EQ(d.text(), reference) << "step " << step;
        if (step % 25 == 0) {
            const std::string rtf = p.rtf();
            ASSERT_EQ(readRtf(rtf), d) << "step " << step << ": " << rtf;
        }
    }
}
