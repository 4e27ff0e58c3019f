#include "export/html_writer.h"

#include "core/html_text.h"
#include "reading/richtext/codepage.h"

#include <algorithm>
#include <cstdio>

namespace exporting {

namespace {

using richtext::Align;
using richtext::CharFormat;
using richtext::Document;
using richtext::ParaFormat;

std::string colourCss(const richtext::Color& c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.red, c.green, c.blue);
    return buf;
}

// Points from twips (indents) or half points (sizes), without trailing zeros.
std::string points(double value)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    std::string s = buf;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s + "pt";
}

std::string genericFamily(const std::string& rtfFamily)
{
    if (rtfFamily == "froman")
        return "serif";
    if (rtfFamily == "fmodern")
        return "monospace";
    if (rtfFamily == "fscript")
        return "cursive";
    return "sans-serif";
}

class Writer {
public:
    explicit Writer(const Document& doc) : doc_(doc) { out_.reserve(doc.size() * 2 + 1024); }

    std::string page(const HtmlOptions& options)
    {
        const std::string title = options.title.empty() ? std::string("Zerafin") : options.title;
        out_ += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
        out_ += escapeHtml(title);
        out_ += "</title>\n<style>\n"
                // One line of the pane is one paragraph here: no extra space
                // between them, and runs of blanks kept as typed.
                "p { margin: 0; white-space: pre-wrap; }\n"
                "</style>\n</head>\n<body>\n";
        body();
        out_ += "</body>\n</html>\n";
        return std::move(out_);
    }

private:
    void body()
    {
        const auto& paras = doc_.paras();
        for (size_t i = 0; i < paras.size(); ++i) {
            const size_t start = doc_.paraStart(i);
            const size_t end = doc_.paraContentEnd(i);
            // The last paragraph is never ended; an empty one is no line.
            if (i + 1 == paras.size() && start == end)
                break;
            paragraph(paras[i].format, start, end);
        }
    }

    void paragraph(const ParaFormat& f, size_t start, size_t end)
    {
        std::string style;
        switch (f.align) {
        case Align::Center: style += "text-align: center; "; break;
        case Align::Right: style += "text-align: right; "; break;
        case Align::Justify: style += "text-align: justify; "; break;
        case Align::Left: break;
        }
        if (f.leftIndent != 0)
            style += "margin-left: " + points(f.leftIndent / 20.0) + "; ";
        if (f.rightIndent != 0)
            style += "margin-right: " + points(f.rightIndent / 20.0) + "; ";
        if (f.firstIndent != 0)
            style += "text-indent: " + points(f.firstIndent / 20.0) + "; ";
        if (!style.empty())
            style.pop_back();
        out_ += style.empty() ? "<p>" : "<p style=\"" + style + "\">";
        if (start == end)
            out_ += "<br>";
        else
            runs(start, end);
        out_ += "</p>\n";
    }

    void runs(size_t start, size_t end)
    {
        const auto& runs = doc_.runs();
        size_t pos = start;
        size_t index = doc_.runIndexAt(pos);
        while (pos < end && index < runs.size()) {
            const size_t runEnd = std::min<size_t>(runs[index].end, end);
            if (runEnd > pos)
                span(runs[index].format, pos, runEnd);
            pos = runEnd;
            ++index;
        }
    }

    void span(const CharFormat& f, size_t from, size_t to)
    {
        std::string style;
        const auto& fonts = doc_.fonts();
        if (f.font < fonts.size() && !fonts[f.font].name.empty())
            style += "font-family: '" + escapeHtml(cssString(fonts[f.font].name)) + "', " +
                     genericFamily(fonts[f.font].family) + "; ";
        style += "font-size: " + points(f.size / 2.0) + "; ";
        const auto& colours = doc_.colors();
        if (f.color > 0 && f.color < colours.size() && !colours[f.color].automatic)
            style += "color: " + colourCss(colours[f.color]) + "; ";
        if (f.highlight > 0 && f.highlight < colours.size() && !colours[f.highlight].automatic)
            style += "background-color: " + colourCss(colours[f.highlight]) + "; ";
        style.pop_back();
        out_ += "<span style=\"" + style + "\">";
        if (f.bold)
            out_ += "<b>";
        if (f.italic)
            out_ += "<i>";
        if (f.underline)
            out_ += "<u>";
        text(from, to);
        if (f.underline)
            out_ += "</u>";
        if (f.italic)
            out_ += "</i>";
        if (f.bold)
            out_ += "</b>";
        out_ += "</span>";
    }

    // A font name inside a quoted CSS string: its quotes and backslashes
    // cannot end the string early.
    static std::string cssString(const std::string& name)
    {
        std::string s;
        for (char c : name)
            if (c != '\'' && c != '\\' && c != '"' && c != ';' && c != '<' && c != '>')
                s.push_back(c);
        return s;
    }

    void text(size_t from, size_t to)
    {
        const std::u16string& t = doc_.text();
        std::u16string piece;
        auto flush = [&] {
            if (!piece.empty())
                out_ += escapeHtml(richtext::utf16ToUtf8(piece));
            piece.clear();
        };
        for (size_t i = from; i < to; ++i) {
            const char16_t c = t[i];
            if (c == u'\r') {
                // A line break inside the paragraph (CR LF).
                flush();
                out_ += "<br>";
                if (i + 1 < to && t[i + 1] == u'\n')
                    ++i;
                continue;
            }
            if (c == u'\n') {
                flush();
                out_ += "<br>";
                continue;
            }
            piece.push_back(c);
        }
        flush();
    }

    const Document& doc_;
    std::string out_;
};

}  // namespace


std::string toHtml(const richtext::Document& doc, const HtmlOptions& options) { return Writer(doc).page(options); }

}  // namespace exporting
