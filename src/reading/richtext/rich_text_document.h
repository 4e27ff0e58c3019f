#pragma once

#include "reading/richtext/document.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// What the program does with a rich-text pane, on the document model: the
// whole content as plain text or RTF, the caret and selection, the selected
// text and RTF, the selection's colour, weight and alignment, find, files and
// the read-only flag. Positions and lengths count UTF-16 code units of the
// plain text as text16() gives it, where every line break is CR LF (two
// units). Strings cross the interface as UTF-8 except where the name ends in
// 16.
namespace richtext {

// Writes the bytes beside the file and renames them over it, so a failed
// write never leaves half a file where the earlier one was. On failure the
// system's reason goes into `reason` when one is given.
bool writeWholeFile(const std::filesystem::path& file, const std::string& content, std::string* reason = nullptr);

class RichTextDocument {
public:
    // Told about every change, so that a view can follow in one update.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void contentChanged() = 0;
        virtual void selectionChanged() = 0;
    };

    // The font and size of text typed or set as plain text.
    explicit RichTextDocument(Font baseFont = Font{"Arial", 0, "fswiss"}, int baseHalfPoints = kDefaultHalfPoints);

    // ---- the whole content ------------------------------------------------
    // Plain text, CR LF between lines.
    std::string text() const;
    const std::u16string& text16() const { return doc_.text(); }
    int length() const { return static_cast<int>(doc_.size()); }
    // Replaces everything and drops all formatting; the caret goes to 0.
    void setText(std::string_view utf8);
    void setText16(std::u16string_view text);
    void clear() { setText16({}); }

    std::string rtf() const;
    // Re-reads the source ("{\rtf…"; anything else is read as plain text).
    void setRtf(std::string_view rtf);

    // ---- caret and selection ----------------------------------------------
    int selStart() const { return static_cast<int>(selStart_); }
    int selLength() const { return static_cast<int>(selLength_); }
    // Moves the caret; the selection becomes empty.
    void setSelStart(int pos);
    // Selects that many characters after the caret.
    void setSelLength(int length);
    void select(int start, int length);
    void selectAll() { select(0, length()); }

    std::string selText() const;
    std::u16string selText16() const;
    // Replaces the selection; a text that begins with "{\rtf" is read as RTF
    // and inserted with its formatting, its fonts and colours merged into
    // this document's tables. The caret ends after the inserted text.
    void setSelText(std::string_view utf8);
    void setSelText16(std::u16string_view text);
    std::string selRtf() const;
    void setSelRtf(std::string_view rtf);

    // ---- formatting of the selection (or of text inserted next at the caret)
    // The text colour of the selection's first character; nullopt for the
    // automatic colour.
    std::optional<uint32_t> selColor() const;
    // A colour missing from the colour table is added to it.
    void setSelColor(std::optional<uint32_t> rgb);
    bool selBold() const;
    void setSelBold(bool bold);
    // 0 left, 1 right, 2 centred (3 justified): the paragraph at the caret
    // or every paragraph the selection touches.
    int selAlignment() const;
    void setSelAlignment(int alignment);

    // ---- find ---------------------------------------------------------------
    // Finds text at or after start, letter case ignored; selects it and
    // returns its position, or returns -1 and leaves the selection alone.
    int find(std::string_view utf8, int start = 0);
    int find16(std::u16string_view text, int start = 0);
    // The same search without touching the selection.
    int indexOf16(std::u16string_view text, int start = 0) const;

    // ---- files --------------------------------------------------------------
    // An RTF file is read as RTF, any other file as plain text.
    bool loadFile(const std::filesystem::path& file);
    bool saveFile(const std::filesystem::path& file) const;
    bool saveTextFile(const std::filesystem::path& file) const;

    // ---- flags --------------------------------------------------------------
    // Read-only panes refuse the reader's edits; the program still writes them.
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool on) { readOnly_ = on; }

    // ---- the model ----------------------------------------------------------
    const Document& document() const { return doc_; }
    const Font& baseFont() const { return baseFont_; }
    int baseHalfPoints() const { return baseSize_; }
    // Replaces [pos, pos + length) with plain text in the given format (the
    // view uses this to hand back what the reader typed).
    void replaceRange(size_t pos, size_t length, std::u16string_view text, const CharFormat& format);
    // Applies a colour to a range without touching the selection.
    void setRangeHighlight(size_t pos, size_t length, uint16_t colorIndex);
    uint16_t colorIndex(uint32_t rgb);
    uint16_t fontIndex(const Font& font) { return doc_.fontIndex(font); }
    // The format text inserted at the caret takes.
    CharFormat insertionFormat() const;

    void setObserver(Observer* observer) { observer_ = observer; }
    Observer* observer() const { return observer_; }
    // Changes made while a guard is alive are not reported (the view applies
    // its own edits this way).
    class SilentScope {
    public:
        explicit SilentScope(RichTextDocument& d) : d_(d), saved_(d.observer_) { d.observer_ = nullptr; }
        ~SilentScope() { d_.observer_ = saved_; }
        SilentScope(const SilentScope&) = delete;
        SilentScope& operator=(const SilentScope&) = delete;

    private:
        RichTextDocument& d_;
        Observer* saved_;
    };

private:
    void contentChanged();
    void selectionChanged();
    void replaceSelection(const Document& fragment);
    CharFormat baseFormat() const;
    void clampSelection();
    void setSelection(size_t start, size_t length);

    Document doc_;
    Font baseFont_;
    int baseSize_;
    size_t selStart_ = 0;
    size_t selLength_ = 0;
    // Formatting chosen with an empty selection, for the next text inserted
    // at that caret position.
    std::optional<CharFormat> pending_;
    bool readOnly_ = false;
    Observer* observer_ = nullptr;
};

// Letter case folded for comparison (simple one-to-one mappings of the
// Latin, Greek and Cyrillic letters).
char16_t foldCase(char16_t c);

}  // namespace richtext
