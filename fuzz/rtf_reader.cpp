// The RTF reader on arbitrary input: the model it builds must keep its own
// rules, writing it and reading it back must give the same document, and
// the pane operations must cope with whatever it holds.
#include "reading/richtext/rich_text_document.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/richtext/rtf_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

namespace {

void check(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok) {
        std::fprintf(stderr, "%s\n%s\n", what, detail.c_str());
        std::abort();
    }
}

void roundTrip(std::string_view input)
{
    const richtext::Document d = richtext::readRtf(input);
    const std::string broken = d.checkInvariants();
    check(broken.empty(), "reader broke the model", broken);
    const std::string rtf = richtext::writeRtf(d);
    const richtext::Document back = richtext::readRtf(rtf);
    check(back == d, "write/read changed the document", d.debugString() + "\n---\n" + back.debugString());
    check(richtext::writeRtf(back) == rtf, "writing is not stable");
    for (unsigned char c : rtf)
        check(c < 0x80, "writer emitted a byte above 0x7F");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    roundTrip(input);
    // Let inputs without the RTF signature explore the reader too, under
    // each family of code pages: single-byte pages of the document and of
    // fonts, Mac and DOS pages, and the double-byte pages whose trail bytes
    // may be plain text.
    if (!richtext::isRtf(input)) {
        static const char* const kHeads[] = {
            "{\\rtf1 ",
            "{\\rtf1\\ansi\\ansicpg1250 ",
            "{\\rtf1\\mac ",
            "{\\rtf1\\pca ",
            "{\\rtf1\\ansicpg1256{\\fonttbl{\\f0\\fcharset204 C;}{\\f1\\fcharset178 A;}{\\f2\\fcharset2 S;}}",
            ("{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset128 J;}{\\f1\\fcharset134 G;}{\\f2\\fcharset129 K;}"
             "{\\f3\\fcharset136 B;}{\\f4\\cpg1251 R;}}"),
        };
        const size_t which = size > 0 ? data[size - 1] % std::size(kHeads) : 0;
        roundTrip(kHeads[which] + std::string(input));
    }

    // Pane operations steered by the first bytes.
    if (size >= 4) {
        richtext::RichTextDocument pane;
        pane.setRtf(input.substr(4));
        const int len = pane.length();
        const int a = len ? data[0] % (len + 1) : 0;
        const int n = len ? data[1] % (len + 1) : 0;
        pane.select(a, n);
        switch (data[2] % 6) {
        case 0:
            pane.setSelText(pane.selRtf());
            break;
        case 1:
            pane.setSelText("{\\rtf1 " + std::string(input.substr(4)));
            break;
        case 2:
            pane.setSelColor(static_cast<uint32_t>(data[3]) * 65793u);
            break;
        case 3:
            pane.setSelAlignment(data[3] % 4);
            pane.setSelBold(data[3] & 1);
            break;
        case 4:
            pane.find(std::string(input.substr(4, data[3] % 8)), a);
            pane.setSelText("");
            break;
        case 5:
            pane.setSelText(std::string(input.substr(4, data[3] % 16)));
            break;
        }
        const std::string broken = pane.document().checkInvariants();
        check(broken.empty(), "pane operation broke the model", broken);
        check(richtext::readRtf(pane.rtf()) == pane.document(), "pane document does not round-trip");
    }
    return 0;
}
