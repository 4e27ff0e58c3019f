#include "reading/richtext/rtf_writer.h"

#include "reading/richtext/codepage.h"

#include <algorithm>
#include <charconv>

namespace richtext {

namespace {

class Writer {
public:
    Writer(const Document& doc, std::string& out) : doc_(doc), out_(out) {}

    void header()
    {
        out_ += "{\\rtf1\\ansi\\ansicpg";
        number(doc_.codePage());
        out_ += "\\deff0{\\fonttbl";
        const auto& fonts = doc_.fonts();
        for (size_t i = 0; i < fonts.size(); ++i) {
            out_ += "{\\f";
            number(static_cast<long long>(i));
            out_ += '\\';
            out_ += fonts[i].family.empty() ? std::string_view("fnil") : std::string_view(fonts[i].family);
            out_ += "\\fcharset";
            number(fonts[i].charset);
            if (fonts[i].codePage != 0) {
                out_ += "\\cpg";
                number(fonts[i].codePage);
            }
            out_ += ' ';
            setCodePage(doc_.fontCodePage(i));
            fontName(fonts[i].name);
            out_ += ";}";
        }
        out_ += "}{\\colortbl ";
        for (const auto& c : doc_.colors()) {
            if (!c.automatic) {
                out_ += "\\red";
                number(c.red);
                out_ += "\\green";
                number(c.green);
                out_ += "\\blue";
                number(c.blue);
            }
            out_ += ';';
        }
        out_ += '}';
    }

    void resetCodePage() { setCodePage(doc_.codePage()); }

    void body(size_t from, size_t to)
    {
        const auto& paras = doc_.paras();
        const auto& runs = doc_.runs();
        const auto& text = doc_.text();
        size_t first = doc_.paraIndexAt(from);
        const auto& hidden = doc_.hidden();
        hiddenEnd_ = to == text.size() ? to + 1 : to;
        nextHidden_ = std::lower_bound(hidden.begin(), hidden.end(), from,
                                       [](const Document::Hidden& h, size_t p) { return h.pos < p; }) -
                      hidden.begin();
        if (to == from) {
            paragraph(doc_.paras()[first].format);
            hiddenAt(to);
            return;
        }
        size_t last = doc_.paraIndexAt(to - 1);
        size_t ri = doc_.runIndexAt(from);
        size_t p = from;
        for (size_t k = first; k <= last; ++k) {
            if (k == first || !(paras[k].format == para_))
                paragraph(paras[k].format);
            const size_t end = std::min<size_t>(paras[k].end, to);
            const size_t breakAt = k + 1 < paras.size() ? paras[k].end - 2 : text.size();
            while (p < end) {
                while (runs[ri].end <= p)
                    ++ri;
                format(runs[ri].format);
                const size_t segEnd = std::min<size_t>(runs[ri].end, end);
                chars(p, segEnd, breakAt);
                p = segEnd;
            }
        }
        // A range that ends with a paragraph mark has an empty paragraph
        // after it, in the format of the paragraph that follows.
        if (last + 1 < paras.size() && paras[last].end == to && !(paras[last + 1].format == para_))
            paragraph(paras[last + 1].format);
        hiddenAt(to);
    }

private:
    void number(long long v)
    {
        char buf[24];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, r.ptr);
    }

    void word(std::string_view w)
    {
        out_ += w;
        out_ += ' ';
    }

    void word(std::string_view w, long long v)
    {
        out_ += w;
        number(v);
        out_ += ' ';
    }

    void paragraph(const ParaFormat& f)
    {
        word("\\pard");
        switch (f.align) {
        case Align::Left:
            break;
        case Align::Right:
            word("\\qr");
            break;
        case Align::Center:
            word("\\qc");
            break;
        case Align::Justify:
            word("\\qj");
            break;
        }
        if (f.leftIndent != 0)
            word("\\li", f.leftIndent);
        if (f.firstIndent != 0)
            word("\\fi", f.firstIndent);
        if (f.rightIndent != 0)
            word("\\ri", f.rightIndent);
        para_ = f;
    }

    void format(const CharFormat& f)
    {
        if (haveFormat_ && f == format_)
            return;
        const bool all = !haveFormat_;
        if (all || f.font != format_.font)
            word("\\f", f.font);
        if (all || f.size != format_.size)
            word("\\fs", f.size);
        if (all ? f.bold : f.bold != format_.bold)
            word(f.bold ? "\\b" : "\\b0");
        if (all ? f.italic : f.italic != format_.italic)
            word(f.italic ? "\\i" : "\\i0");
        if (all ? f.underline : f.underline != format_.underline)
            word(f.underline ? "\\ul" : "\\ulnone");
        if (all ? f.color != 0 : f.color != format_.color)
            word("\\cf", f.color);
        if (all ? f.highlight != 0 : f.highlight != format_.highlight)
            word("\\highlight", f.highlight);
        format_ = f;
        haveFormat_ = true;
        setCodePage(doc_.fontCodePage(f.font));
    }

    void setCodePage(int id)
    {
        if (!codePage_ || codePage_->id() != id)
            codePage_ = &CodePage::get(id);
    }

    // Hidden text standing at pos, each piece a group of its own so that
    // its format ends with it.
    void hiddenAt(size_t pos)
    {
        const auto& hidden = doc_.hidden();
        while (nextHidden_ < hidden.size() && hidden[nextHidden_].pos == pos && pos < hiddenEnd_) {
            const auto& h = hidden[nextHidden_++];
            const CharFormat saved = format_;
            const bool had = haveFormat_;
            const CodePage* savedPage = codePage_;
            out_ += "{\\v ";
            format(h.format);
            for (size_t p = 0; p < h.text.size(); ++p) {
                const char16_t c = h.text[p];
                if (c == u'\r' && p + 1 < h.text.size() && h.text[p + 1] == u'\n') {
                    word("\\line");
                    ++p;
                } else {
                    character(c);
                }
            }
            out_ += '}';
            format_ = saved;
            haveFormat_ = had;
            codePage_ = savedPage;
        }
    }

    void character(char16_t c)
    {
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\' || c == '{' || c == '}')
                out_ += '\\';
            out_ += static_cast<char>(c);
        } else if (c == u'\t') {
            word("\\tab");
        } else {
            special(c);
        }
    }

    void chars(size_t from, size_t to, size_t breakAt)
    {
        const auto& text = doc_.text();
        const auto& hidden = doc_.hidden();
        for (size_t p = from; p < to; ++p) {
            if (nextHidden_ < hidden.size() && hidden[nextHidden_].pos == p)
                hiddenAt(p);
            const char16_t c = text[p];
            if (c == u'\r' && p + 1 < text.size() && text[p + 1] == u'\n') {
                word(p == breakAt ? "\\par" : "\\line");
                ++p;
                continue;
            }
            character(c);
        }
    }

    // A character outside ASCII: its bytes in the text's code page, or
    // "\uN?" when the code page cannot hold it.
    void special(char16_t c)
    {
        static constexpr char kHex[] = "0123456789abcdef";
        unsigned char bytes[2];
        const int n = c >= 0x80 ? codePage_->encode(c, bytes) : 0;
        for (int i = 0; i < n; ++i) {
            out_ += "\\'";
            out_ += kHex[bytes[i] >> 4];
            out_ += kHex[bytes[i] & 0xF];
        }
        if (n > 0)
            return;
        out_ += "\\u";
        number(static_cast<int16_t>(c));
        out_ += '?';
    }

    void fontName(const std::string& utf8)
    {
        for (char16_t c : utf8ToUtf16(utf8)) {
            if (c == u';')
                continue;
            if (c >= 0x20 && c < 0x7F) {
                if (c == '\\' || c == '{' || c == '}')
                    out_ += '\\';
                out_ += static_cast<char>(c);
            } else {
                special(c);
            }
        }
    }

    const Document& doc_;
    std::string& out_;
    ParaFormat para_;
    CharFormat format_;
    bool haveFormat_ = false;
    const CodePage* codePage_ = nullptr;
    size_t nextHidden_ = 0;
    size_t hiddenEnd_ = 0;
};

}  // namespace

std::string writeRtf(const Document& doc)
{
    return writeRtf(doc, 0, doc.size());
}

std::string writeRtf(const Document& doc, size_t pos, size_t length)
{
    auto [from, to] = doc.range(pos, length);
    std::string out;
    out.reserve(doc.size() + doc.size() / 4 + 64 * doc.fonts().size() + 256);
    Writer w(doc, out);
    w.header();
    w.resetCodePage();
    w.body(from, to);
    out += '}';
    return out;
}

}  // namespace richtext
