// Writing RTF: the exact forms other commands edit by string replacement,
// and reading back what was written.
#include "reading/richtext/codepage.h"
#include "reading/richtext/rich_text_document.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/richtext/rtf_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace richtext;

namespace richtext {
inline void PrintTo(const Document& d, std::ostream* os) { *os << d.debugString(); }
}  // namespace richtext

namespace {

const std::string kVerse =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\pard\\f0"
    "\\fs21\\b A Subtitle\\b0\\par \\fs24 [2:5] Verse text\\par \\fs20 *2:5 A footnote.\\par }";

// A document with every kind of formatting the model holds.
Document richDocument()
{
    RichTextDocument p(Font{"Arial", 0, "fswiss"});
    p.setRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fcharset178 Arabic Font;}}"
             "{\\colortbl;\\red255\\green255\\blue0;\\red1\\green2\\blue3;;}"
             "\\pard\\qc\\li100\\fi-50\\ri30\\f0\\fs21\\b Title\\b0\\par\\pard\\qj\\fs24 Plain \\i it\\i0  "
             "\\ul under\\ulnone  \\cf2 col\\cf0  \\highlight1 hi\\highlight0  {\\f1 \\'c7\\'e1} caf\\'e9 "
             "\\'af \\u8217? \\u-10179?\\u-8704? tab\\tab x\\line y \\{\\}\\\\\\par\\pard\\qr right\\par }");
    return p.document();
}

}  // namespace

TEST(RtfWriter, WritesTheFormsTheProgramEdits)
{
    Document d = readRtf(kVerse);
    EXPECT_EQ(writeRtf(d),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}"
              "{\\colortbl ;}\\pard \\f0 \\fs21 \\b A Subtitle\\b0 \\par \\fs24 [2:5] Verse text\\par "
              "\\fs20 *2:5 A footnote.\\par }");
}

TEST(RtfWriter, HighlightsAndColourTable)
{
    RichTextDocument p;
    p.setText("one mercy two mercy");
    uint16_t yellow = p.colorIndex(65535);
    p.setRangeHighlight(4, 5, yellow);
    p.setRangeHighlight(14, 5, yellow);
    const std::string rtf = p.rtf();
    EXPECT_NE(rtf.find("{\\colortbl ;\\red255\\green255\\blue0;}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("one \\highlight1 mercy\\highlight0  two \\highlight1 mercy}"), std::string::npos) << rtf;

    // Colours no text uses any more stay where they are.
    p.select(0, 3);
    p.setSelColor(255);
    p.setSelColor(std::nullopt);
    p.setRangeHighlight(0, p.length(), 0);
    EXPECT_NE(p.rtf().find("{\\colortbl ;\\red255\\green255\\blue0;\\red255\\green0\\blue0;}"), std::string::npos);
}

TEST(RtfWriter, CharactersOutsideAsciiAreEscaped)
{
    RichTextDocument p;
    p.setText("caf\xc3\xa9 \xc2\xaf it\xe2\x80\x99s \xd8\xa7 \xf0\x9f\x98\x80");
    const std::string rtf = p.rtf();
    EXPECT_NE(rtf.find("caf\\'e9 \\'af it\\'92s \\u1575? \\u-10179?\\u-8704?"), std::string::npos) << rtf;
    for (char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    // The same Arabic letter in an Arabic-charset font is a code-page byte.
    Document arabic = readRtf("{\\rtf1{\\fonttbl{\\f0\\fcharset178 Arabic;}}\\f0 \\u1575?}");
    EXPECT_NE(writeRtf(arabic).find("\\'c7"), std::string::npos);
}

TEST(RtfWriter, ReadingWhatWasWrittenGivesTheSameDocument)
{
    const Document docs[] = {
        readRtf(kVerse),
        richDocument(),
        readRtf("{\\rtf1\\ansicpg1256{\\fonttbl{\\f0 A;}}\\f0 \\'c7x}"),
        Document(),
        readRtf("{\\rtf1{\\colortbl\\red9\\green8\\blue7;}\\pard\\qc\\par\\par\\pard\\par}"),
        readRtf("{\\rtf1\\u0?\\u7?\\u127? \\u-1?}"),
    };
    for (const auto& d : docs) {
        ASSERT_EQ(d.checkInvariants(), "");
        const std::string once = writeRtf(d);
        Document back = readRtf(once);
        EXPECT_EQ(back, d) << once;
        EXPECT_EQ(writeRtf(back), once);
    }
}

TEST(RtfWriter, RangesReadBackAsTheirSlice)
{
    const Document d = richDocument();
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        size_t a = rng() % (d.size() + 1);
        size_t n = rng() % (d.size() + 1 - a);
        Document slice = d.slice(a, n);
        ASSERT_EQ(slice.checkInvariants(), "") << a << "+" << n;
        EXPECT_EQ(readRtf(writeRtf(d, a, n)), slice) << a << "+" << n;
    }
}
