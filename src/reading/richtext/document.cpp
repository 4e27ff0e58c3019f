#include "reading/richtext/document.h"

#include "reading/richtext/codepage.h"

#include <algorithm>
#include <limits>

namespace richtext {

namespace {

constexpr size_t kMaxTableSize = std::numeric_limits<uint16_t>::max();

template <typename V>
size_t firstEndAfter(const V& items, size_t pos)
{
    auto it = std::upper_bound(items.begin(), items.end(), pos,
                               [](size_t p, const auto& item) { return p < item.end; });
    return static_cast<size_t>(it - items.begin());
}

}  // namespace

Document::Document() : Document(Font{"Arial", 0, "fswiss"}) {}

Document::Document(Font baseFont)
{
    clear(std::move(baseFont));
}

void Document::clear(Font baseFont)
{
    text_.clear();
    runs_.clear();
    paras_.assign(1, Para{0, ParaFormat{}});
    fonts_.assign(1, std::move(baseFont));
    colors_.assign(1, Color{});
    hidden_.clear();
}

int Document::fontCodePage(size_t fontIndex) const
{
    if (fontIndex >= fonts_.size())
        return codePage_;
    const Font& f = fonts_[fontIndex];
    return f.codePage != 0 ? f.codePage : codePageForCharset(f.charset, codePage_);
}

void Document::mergeHidden()
{
    if (hidden_.size() < 2)
        return;
    size_t out = 0;
    for (size_t i = 1; i < hidden_.size(); ++i) {
        if (hidden_[i].pos == hidden_[out].pos && hidden_[i].format == hidden_[out].format)
            hidden_[out].text += hidden_[i].text;
        else if (++out != i)
            hidden_[out] = std::move(hidden_[i]);
    }
    hidden_.resize(out + 1);
}

uint16_t Document::fontIndex(const Font& font)
{
    for (size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i].sameFace(font))
            return static_cast<uint16_t>(i);
    if (fonts_.size() >= kMaxTableSize)
        return 0;
    fonts_.push_back(font);
    return static_cast<uint16_t>(fonts_.size() - 1);
}

int Document::findColor(const Color& color) const
{
    for (size_t i = 0; i < colors_.size(); ++i)
        if (colors_[i] == color)
            return static_cast<int>(i);
    return -1;
}

uint16_t Document::colorIndex(const Color& color)
{
    // Entry 0 stands for the automatic colour wherever the program reads the
    // table, so explicit colours are looked for, and added, after it.
    for (size_t i = color.automatic ? 0 : 1; i < colors_.size(); ++i)
        if (colors_[i] == color)
            return static_cast<uint16_t>(i);
    if (colors_.size() >= kMaxTableSize)
        return 0;
    colors_.push_back(color);
    return static_cast<uint16_t>(colors_.size() - 1);
}

size_t Document::runIndexAt(size_t pos) const
{
    return firstEndAfter(runs_, pos);
}

const CharFormat& Document::formatAt(size_t pos) const
{
    static const CharFormat kNone{};
    size_t i = runIndexAt(pos);
    return i < runs_.size() ? runs_[i].format : (runs_.empty() ? kNone : runs_.back().format);
}

size_t Document::paraIndexAt(size_t pos) const
{
    size_t i = firstEndAfter(paras_, pos);
    return std::min(i, paras_.size() - 1);
}

bool Document::isParagraphBreak(size_t crPos) const
{
    if (crPos + 1 >= text_.size() || text_[crPos] != u'\r')
        return false;
    size_t i = paraIndexAt(crPos);
    return i + 1 < paras_.size() && paras_[i].end == crPos + 2;
}

size_t Document::snap(size_t pos) const
{
    pos = std::min(pos, text_.size());
    if (pos > 0 && pos < text_.size() && text_[pos - 1] == u'\r' && text_[pos] == u'\n')
        return pos - 1;
    return pos;
}

std::pair<size_t, size_t> Document::range(size_t pos, size_t length) const
{
    const size_t from = snap(pos);
    if (length == 0)
        return {from, from};
    size_t to = std::min(pos, text_.size());
    to = length > text_.size() - to ? text_.size() : to + length;
    if (to > 0 && to < text_.size() && text_[to - 1] == u'\r' && text_[to] == u'\n')
        ++to;
    return {from, std::max(from, to)};
}

void Document::splitRunAt(size_t pos)
{
    if (pos == 0 || pos >= text_.size())
        return;
    size_t i = runIndexAt(pos);
    if (i >= runs_.size())
        return;
    size_t start = i == 0 ? 0 : runs_[i - 1].end;
    if (start == pos)
        return;
    Run head = runs_[i];
    head.end = static_cast<uint32_t>(pos);
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i), head);
}

void Document::mergeRunsAround(size_t first, size_t last)
{
    if (runs_.size() < 2)
        return;
    size_t lo = first == 0 ? 0 : first - 1;
    size_t hi = std::min(last + 1, runs_.size() - 1);
    if (lo >= hi)
        return;
    size_t out = lo;
    for (size_t j = lo + 1; j <= hi; ++j) {
        if (runs_[j].format == runs_[out].format)
            runs_[out].end = runs_[j].end;
        else
            runs_[++out] = runs_[j];
    }
    runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(out + 1),
                runs_.begin() + static_cast<std::ptrdiff_t>(hi + 1));
}

void Document::remove(size_t pos, size_t length)
{
    auto [from, to] = range(pos, length);
    if (from >= to)
        return;
    const size_t n = to - from;

    // Paragraphs whose breaks fall inside the range merge with the one that
    // holds the end of the range. The merged paragraph keeps the format of
    // the first one when some of its text survives, so deleting a trailing
    // break leaves a centred line centred.
    size_t a = paraIndexAt(from);
    size_t b = std::min(firstEndAfter(paras_, to), paras_.size() - 1);
    if (b > a) {
        const ParaFormat merged = paraStart(a) < from ? paras_[a].format : paras_[b].format;
        paras_[b].format = merged;
        paras_.erase(paras_.begin() + static_cast<std::ptrdiff_t>(a), paras_.begin() + static_cast<std::ptrdiff_t>(b));
        b = a;
    }
    for (size_t i = b; i < paras_.size(); ++i)
        paras_[i].end = static_cast<uint32_t>(paras_[i].end - n);

    size_t ra = runIndexAt(from);
    size_t rb = firstEndAfter(runs_, to);
    size_t raStart = ra == 0 ? 0 : runs_[ra - 1].end;
    for (size_t i = rb; i < runs_.size(); ++i)
        runs_[i].end = static_cast<uint32_t>(runs_[i].end - n);
    size_t eraseFrom = ra;
    if (ra < rb && raStart < from) {
        runs_[ra].end = static_cast<uint32_t>(from);
        eraseFrom = ra + 1;
    }
    if (eraseFrom < rb)
        runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(eraseFrom),
                    runs_.begin() + static_cast<std::ptrdiff_t>(rb));
    text_.erase(from, n);
    if (!runs_.empty())
        mergeRunsAround(eraseFrom == 0 ? 0 : eraseFrom - 1, std::min(eraseFrom, runs_.size() - 1));

    // Hidden text inside the range goes with it; at its edges it stays.
    std::erase_if(hidden_, [lo = from, hi = to](const Hidden& h) { return h.pos > lo && h.pos < hi; });
    for (auto& h : hidden_)
        if (h.pos >= to)
            h.pos = static_cast<uint32_t>(h.pos - n);
    mergeHidden();
}

size_t Document::insert(size_t pos, const Document& fragment)
{
    if (fragment.text_.empty())
        return 0;
    std::vector<uint16_t> fontMap(fragment.fonts_.size());
    for (size_t i = 0; i < fontMap.size(); ++i)
        fontMap[i] = fontIndex(fragment.fonts_[i]);
    std::vector<uint16_t> colorMap(fragment.colors_.size());
    for (size_t i = 0; i < colorMap.size(); ++i)
        colorMap[i] = colorIndex(fragment.colors_[i]);
    auto mapped = [](uint16_t index, const std::vector<uint16_t>& map) -> uint16_t {
        return index < map.size() ? map[index] : 0;
    };
    std::vector<Run> runs;
    runs.reserve(fragment.runs_.size());
    for (const auto& r : fragment.runs_) {
        Run x = r;
        x.format.font = mapped(r.format.font, fontMap);
        x.format.color = mapped(r.format.color, colorMap);
        x.format.highlight = mapped(r.format.highlight, colorMap);
        runs.push_back(x);
    }
    std::vector<Hidden> hidden = fragment.hidden_;
    for (auto& h : hidden) {
        h.format.font = mapped(h.format.font, fontMap);
        h.format.color = mapped(h.format.color, colorMap);
        h.format.highlight = mapped(h.format.highlight, colorMap);
    }
    return splice(pos, fragment.text_, runs, fragment.paras_, hidden);
}

size_t Document::insertText(size_t pos, std::u16string_view text, const CharFormat& format)
{
    if (text.empty())
        return 0;
    // Line breaks of any form become paragraphs in the format of the
    // paragraph the text lands in, as pressing Enter there would.
    const ParaFormat paraFormat = paras_[paraIndexAt(snap(pos))].format;
    std::u16string normal;
    normal.reserve(text.size() + 8);
    std::vector<Para> paras;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            normal += u"\r\n";
            paras.push_back({static_cast<uint32_t>(normal.size()), paraFormat});
        } else if (c >= 0x20 || c == u'\t') {
            // Other control characters are not text: a NUL pasted in would
            // cut the text short wherever it is passed on.
            normal.push_back(c);
        }
    }
    paras.push_back({static_cast<uint32_t>(normal.size()), paraFormat});
    std::vector<Run> runs{{static_cast<uint32_t>(normal.size()), format}};
    return splice(pos, normal, runs, paras, {});
}

size_t Document::splice(size_t pos, std::u16string_view text, const std::vector<Run>& runs,
                        const std::vector<Para>& paras, const std::vector<Hidden>& hidden)
{
    pos = snap(pos);
    const size_t n = text.size();
    if (n == 0)
        return 0;

    // Paragraphs. The inserted text's first paragraph mark ends the
    // paragraph it lands in, so that paragraph takes its format; the last
    // inserted paragraph joins the rest of the target paragraph and keeps
    // the target's format unless it brings text of its own. A single
    // paragraph dropped into an empty one brings its format with it.
    size_t pi = paraIndexAt(pos);
    const bool targetEmpty = paraContentEnd(pi) == paraStart(pi);
    for (size_t i = pi + 1; i < paras_.size(); ++i)
        paras_[i].end = static_cast<uint32_t>(paras_[i].end + n);
    const size_t m = paras.size();
    if (m == 1) {
        paras_[pi].end = static_cast<uint32_t>(paras_[pi].end + n);
        if (targetEmpty)
            paras_[pi].format = paras[0].format;
    } else {
        const Para old = paras_[pi];
        std::vector<Para> fresh;
        fresh.reserve(m);
        for (size_t k = 0; k + 1 < m; ++k)
            fresh.push_back({static_cast<uint32_t>(pos + paras[k].end), paras[k].format});
        const bool lastHasText = paras[m - 1].end > paras[m - 2].end;
        fresh.push_back({static_cast<uint32_t>(old.end + n), lastHasText ? paras[m - 1].format : old.format});
        paras_[pi] = fresh[0];
        paras_.insert(paras_.begin() + static_cast<std::ptrdiff_t>(pi + 1), fresh.begin() + 1, fresh.end());
    }

    // Runs.
    splitRunAt(pos);
    size_t ri = runIndexAt(pos);
    for (size_t i = ri; i < runs_.size(); ++i)
        runs_[i].end = static_cast<uint32_t>(runs_[i].end + n);
    auto at = runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(ri), runs.begin(), runs.end());
    for (auto it = at; it != at + static_cast<std::ptrdiff_t>(runs.size()); ++it)
        it->end = static_cast<uint32_t>(it->end + pos);
    text_.insert(pos, text.data(), n);
    mergeRunsAround(ri, ri + runs.size() - 1);

    // Hidden text at the insertion point stays before the inserted text.
    auto after = std::upper_bound(hidden_.begin(), hidden_.end(), pos,
                                  [](size_t p, const Hidden& h) { return p < h.pos; });
    for (auto it = after; it != hidden_.end(); ++it)
        it->pos = static_cast<uint32_t>(it->pos + n);
    if (!hidden.empty()) {
        auto at2 = hidden_.insert(after, hidden.begin(), hidden.end());
        for (auto it = at2; it != at2 + static_cast<std::ptrdiff_t>(hidden.size()); ++it)
            it->pos = static_cast<uint32_t>(it->pos + pos);
        mergeHidden();
    }
    return n;
}

Document Document::slice(size_t pos, size_t length) const
{
    auto [from, to] = range(pos, length);
    Document out;
    out.fonts_ = fonts_;
    out.colors_ = colors_;
    out.codePage_ = codePage_;
    out.text_.assign(text_, from, to - from);
    for (const auto& h : hidden_)
        if (h.pos >= from && (h.pos < to || (h.pos == to && to == text_.size())))
            out.hidden_.push_back({static_cast<uint32_t>(h.pos - from), h.text, h.format});
    size_t a = paraIndexAt(from);
    out.paras_.clear();
    if (to == from) {
        out.paras_.push_back({0, paras_[a].format});
        return out;
    }
    for (size_t i = runIndexAt(from); i < runs_.size(); ++i) {
        size_t start = i == 0 ? 0 : runs_[i - 1].end;
        if (start >= to)
            break;
        out.runs_.push_back({static_cast<uint32_t>(std::min<size_t>(runs_[i].end, to) - from), runs_[i].format});
    }
    size_t b = paraIndexAt(to - 1);
    for (size_t i = a; i <= b; ++i)
        out.paras_.push_back({static_cast<uint32_t>(std::min<size_t>(paras_[i].end, to) - from), paras_[i].format});
    // A slice that ends with a paragraph mark has an empty last paragraph.
    if (b + 1 < paras_.size() && paras_[b].end == to)
        out.paras_.push_back({static_cast<uint32_t>(to - from), paras_[b + 1].format});
    return out;
}

void Document::appendChar(char16_t c, const CharFormat& format)
{
    if (runs_.empty() || !(runs_.back().format == format))
        runs_.push_back({static_cast<uint32_t>(text_.size()), format});
    text_.push_back(c);
    ++runs_.back().end;
    paras_.back().end = static_cast<uint32_t>(text_.size());
}

void Document::appendText(std::u16string_view text, const CharFormat& format)
{
    if (text.empty())
        return;
    if (runs_.empty() || !(runs_.back().format == format))
        runs_.push_back({static_cast<uint32_t>(text_.size()), format});
    text_.append(text);
    runs_.back().end = static_cast<uint32_t>(text_.size());
    paras_.back().end = static_cast<uint32_t>(text_.size());
}

void Document::appendAscii(std::string_view ascii, const CharFormat& format)
{
    if (ascii.empty())
        return;
    if (runs_.empty() || !(runs_.back().format == format))
        runs_.push_back({static_cast<uint32_t>(text_.size()), format});
    const size_t old = text_.size();
    text_.resize(old + ascii.size());
    char16_t* out = text_.data() + old;
    for (size_t k = 0; k < ascii.size(); ++k)
        out[k] = static_cast<unsigned char>(ascii[k]);
    runs_.back().end = static_cast<uint32_t>(text_.size());
    paras_.back().end = static_cast<uint32_t>(text_.size());
}

void Document::appendLineBreak(const CharFormat& format)
{
    appendText(u"\r\n", format);
}

void Document::appendHidden(std::u16string_view text, const CharFormat& format)
{
    if (text.empty())
        return;
    const auto pos = static_cast<uint32_t>(text_.size());
    if (!hidden_.empty() && hidden_.back().pos == pos && hidden_.back().format == format)
        hidden_.back().text.append(text);
    else
        hidden_.push_back({pos, std::u16string(text), format});
}

void Document::appendParagraphBreak(const CharFormat& format, const ParaFormat& endedParagraph)
{
    appendText(u"\r\n", format);
    paras_.back().format = endedParagraph;
    paras_.push_back({static_cast<uint32_t>(text_.size()), endedParagraph});
}

std::string Document::debugString() const
{
    std::string s = "text \"";
    for (char16_t c : text_) {
        if (c == u'\r')
            s += "\\r";
        else if (c == u'\n')
            s += "\\n";
        else if (c < 0x80)
            s.push_back(static_cast<char>(c));
        else
            s += "\\u" + std::to_string(static_cast<int>(c));
    }
    s += "\"\nruns";
    for (const auto& r : runs_)
        s += " " + std::to_string(r.end) + ":f" + std::to_string(r.format.font) + "/s" + std::to_string(r.format.size) +
             (r.format.bold ? "/b" : "") + (r.format.italic ? "/i" : "") + (r.format.underline ? "/u" : "") + "/c" +
             std::to_string(r.format.color) + "/h" + std::to_string(r.format.highlight);
    s += "\nparas";
    for (const auto& p : paras_)
        s += " " + std::to_string(p.end) + ":a" + std::to_string(static_cast<int>(p.format.align)) + "/li" +
             std::to_string(p.format.leftIndent) + "/fi" + std::to_string(p.format.firstIndent) + "/ri" +
             std::to_string(p.format.rightIndent);
    s += "\nfonts";
    for (const auto& f : fonts_)
        s += " [" + f.name + "/" + std::to_string(f.charset) + "/" + f.family + "]";
    s += "\ncolors";
    for (const auto& c : colors_)
        s += c.automatic ? std::string(" auto") : " " + std::to_string(c.value());
    for (const auto& h : hidden_)
        s += "\nhidden at " + std::to_string(h.pos) + ": " + utf16ToUtf8(h.text);
    s += "\ncodepage " + std::to_string(codePage_);
    return s;
}

std::string Document::checkInvariants() const
{
    if (fonts_.empty())
        return "no font";
    if (colors_.empty())
        return "no colour";
    for (size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == u'\r' && (i + 1 >= text_.size() || text_[i + 1] != u'\n'))
            return "lone CR at " + std::to_string(i);
        if (text_[i] == u'\n' && (i == 0 || text_[i - 1] != u'\r'))
            return "lone LF at " + std::to_string(i);
    }
    if (text_.empty() != runs_.empty())
        return "runs do not match the text";
    uint32_t prev = 0;
    for (size_t i = 0; i < runs_.size(); ++i) {
        const auto& r = runs_[i];
        if (r.end <= prev)
            return "empty or unordered run " + std::to_string(i);
        if (i > 0 && runs_[i - 1].format == r.format)
            return "equal neighbouring runs at " + std::to_string(i);
        if (r.end < text_.size() && text_[r.end - 1] == u'\r')
            return "run boundary inside a line break at " + std::to_string(r.end);
        if (r.format.font >= fonts_.size() || r.format.color >= colors_.size() || r.format.highlight >= colors_.size())
            return "run " + std::to_string(i) + " names a missing table entry";
        prev = r.end;
    }
    if (!runs_.empty() && runs_.back().end != text_.size())
        return "runs end before the text";
    if (paras_.empty())
        return "no paragraph";
    prev = 0;
    for (size_t i = 0; i + 1 < paras_.size(); ++i) {
        const auto e = paras_[i].end;
        if (e < prev + 2 || e > text_.size() || text_[e - 2] != u'\r' || text_[e - 1] != u'\n')
            return "paragraph " + std::to_string(i) + " does not end with a break";
        prev = e;
    }
    if (paras_.back().end != text_.size() || paras_.back().end < prev)
        return "last paragraph does not end the text";
    for (size_t i = 0; i < hidden_.size(); ++i) {
        const auto& h = hidden_[i];
        if (h.pos > text_.size() || h.text.empty())
            return "hidden text " + std::to_string(i) + " is empty or past the end";
        if (i > 0 && (hidden_[i - 1].pos > h.pos || (hidden_[i - 1].pos == h.pos && hidden_[i - 1].format == h.format)))
            return "hidden text " + std::to_string(i) + " is out of order or not joined";
        if (h.pos > 0 && h.pos < text_.size() && text_[h.pos - 1] == u'\r')
            return "hidden text inside a line break at " + std::to_string(h.pos);
        if (h.format.font >= fonts_.size() || h.format.color >= colors_.size() || h.format.highlight >= colors_.size())
            return "hidden text " + std::to_string(i) + " names a missing table entry";
    }
    return {};
}

}  // namespace richtext
