#pragma once

#include "reading/richtext/format.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The rich-text document model. The text is held exactly as the panes hand
// it out as plain text: UTF-16 code units, every paragraph break and every
// line break written as CR LF. Positions everywhere are offsets into that
// text, so a caret position, a find result and an index into the plain text
// always agree.
//
// Formatting is kept beside the text: character runs (each covers the text
// up to its end offset) and paragraphs (each ends just after its CR LF; the
// last one is never terminated and may be empty). A CR LF that does not end
// a paragraph is a line break inside one. No run boundary and no edit ever
// falls between the CR and the LF of a pair.
//
// Hidden text is kept beside the text too, anchored at the offset where it
// stands: it is never shown and never part of the plain text, but it is
// written back, so a document read and written again keeps it.
namespace richtext {

class Document {
public:
    struct Run {
        uint32_t end;
        CharFormat format;
        bool operator==(const Run&) const = default;
    };
    struct Para {
        uint32_t end;
        ParaFormat format;
        bool operator==(const Para&) const = default;
    };
    struct Hidden {
        uint32_t pos;         // the text offset it stands at
        std::u16string text;  // line breaks as CR LF
        CharFormat format;
        bool operator==(const Hidden&) const = default;
    };

    // An empty document: one empty paragraph, the given font as the only
    // font and the automatic colour as the only colour.
    Document();
    explicit Document(Font baseFont);

    const std::u16string& text() const { return text_; }
    size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    const std::vector<Run>& runs() const { return runs_; }
    const std::vector<Para>& paras() const { return paras_; }
    const std::vector<Font>& fonts() const { return fonts_; }
    const std::vector<Color>& colors() const { return colors_; }
    const std::vector<Hidden>& hidden() const { return hidden_; }
    int codePage() const { return codePage_; }
    void setCodePage(int cp) { codePage_ = cp; }
    // The code page of text in that font: the font's own, else its charset's.
    int fontCodePage(size_t fontIndex) const;

    // Index of a font of that face, added when the table has none.
    uint16_t fontIndex(const Font& font);
    // Index of the colour, added at the end when the table has none (an
    // explicit colour is never matched to entry 0, which readers take for
    // the automatic colour); the table is never reordered or pruned, so
    // indexes stay valid.
    uint16_t colorIndex(const Color& color);
    // Index of the colour if the table has it, else -1.
    int findColor(const Color& color) const;

    // Format of the character at pos (pos < size()).
    const CharFormat& formatAt(size_t pos) const;
    size_t runIndexAt(size_t pos) const;
    // The paragraph that holds pos (the last one for pos == size()).
    size_t paraIndexAt(size_t pos) const;
    size_t paraStart(size_t index) const { return index == 0 ? 0 : paras_[index - 1].end; }
    // End of the paragraph's text, before its CR LF.
    size_t paraContentEnd(size_t index) const
    {
        return index + 1 < paras_.size() ? paras_[index].end - 2 : paras_[index].end;
    }
    bool isParagraphBreak(size_t crPos) const;

    // Moves a position that falls between the CR and LF of a pair back onto the CR.
    size_t snap(size_t pos) const;
    // [pos, pos + length) clamped to the text and widened to whole CR LF
    // pairs: the range every edit and every slice actually covers.
    std::pair<size_t, size_t> range(size_t pos, size_t length) const;

    // Editing. Ranges are clamped to the text and widened so that they never
    // split a CR LF pair.
    void remove(size_t pos, size_t length);
    // Inserts another document at pos: its text and formatting, its fonts
    // and colours merged into this document's tables. Returns the length
    // inserted.
    size_t insert(size_t pos, const Document& fragment);
    // Plain text in one format; CR, LF and CR LF all become paragraph breaks.
    size_t insertText(size_t pos, std::u16string_view text, const CharFormat& format);

    template <typename F>
    void changeCharFormat(size_t pos, size_t length, F&& change);
    template <typename F>
    void changeParaFormat(size_t pos, size_t length, F&& change);

    // The part [pos, pos + length) as a document of its own, with this
    // document's font and colour tables.
    Document slice(size_t pos, size_t length) const;

    // Drops all text and formatting; keeps one font.
    void clear(Font baseFont);

    // Building, for the reader: append at the end.
    void reserve(size_t textUnits) { text_.reserve(textUnits); }
    void appendText(std::u16string_view text, const CharFormat& format);
    void appendChar(char16_t c, const CharFormat& format);
    // Bytes below 0x80 only.
    void appendAscii(std::string_view ascii, const CharFormat& format);
    void appendLineBreak(const CharFormat& format);
    // Hidden text at the end of the text.
    void appendHidden(std::u16string_view text, const CharFormat& format);
    void appendParagraphBreak(const CharFormat& format, const ParaFormat& endedParagraph);
    void setLastParaFormat(const ParaFormat& format) { paras_.back().format = format; }
    std::vector<Font>& mutableFonts() { return fonts_; }
    std::vector<Color>& mutableColors() { return colors_; }
    std::vector<Run>& mutableRuns() { return runs_; }
    std::vector<Hidden>& mutableHidden() { return hidden_; }
    // Joins hidden pieces that ended up at one offset in one format.
    void mergeHidden();

    // Empty when every structural rule holds, else what is broken (for
    // tests and the fuzzer).
    std::string checkInvariants() const;
    // Text, runs, paragraphs and tables spelled out (for test messages).
    std::string debugString() const;

    bool operator==(const Document&) const = default;

private:
    size_t splice(size_t pos, std::u16string_view text, const std::vector<Run>& runs, const std::vector<Para>& paras,
                  const std::vector<Hidden>& hidden);
    void splitRunAt(size_t pos);
    void mergeRunsAround(size_t firstIndex, size_t lastIndex);

    std::u16string text_;
    std::vector<Run> runs_;
    std::vector<Para> paras_;
    std::vector<Font> fonts_;
    std::vector<Color> colors_;
    std::vector<Hidden> hidden_;
    int codePage_ = 1252;
};

template <typename F>
void Document::changeCharFormat(size_t pos, size_t length, F&& change)
{
    auto [from, to] = range(pos, length);
    if (from >= to)
        return;
    splitRunAt(from);
    splitRunAt(to);
    size_t first = runIndexAt(from);
    size_t last = first;
    for (size_t i = first; i < runs_.size() && (i == 0 ? 0 : runs_[i - 1].end) < to; ++i) {
        change(runs_[i].format);
        last = i;
    }
    mergeRunsAround(first, last);
}

template <typename F>
void Document::changeParaFormat(size_t pos, size_t length, F&& change)
{
    auto [from, to] = range(pos, length);
    size_t first = paraIndexAt(from);
    size_t last = to > from ? paraIndexAt(to - 1) : first;
    for (size_t i = first; i <= last && i < paras_.size(); ++i)
        change(paras_[i].format);
}

}  // namespace richtext
