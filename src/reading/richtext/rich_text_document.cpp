#include "reading/richtext/rich_text_document.h"

#include "reading/richtext/codepage.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/richtext/rtf_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace richtext {

char16_t foldCase(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 32);
    if (c >= 0x0100 && c <= 0x017F) {
        if (c == 0x0130)
            return u'i';
        if (c == 0x0178)
            return 0x00FF;
        const bool evenUpper = (c <= 0x0137) || (c >= 0x014A && c <= 0x0177);
        const bool oddUpper = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
        if (evenUpper && c % 2 == 0)
            return static_cast<char16_t>(c + 1);
        if (oddUpper && c % 2 == 1)
            return static_cast<char16_t>(c + 1);
        return c;
    }
    if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2)
        return static_cast<char16_t>(c + 32);
    if (c >= 0x0410 && c <= 0x042F)
        return static_cast<char16_t>(c + 32);
    if (c >= 0x0400 && c <= 0x040F)
        return static_cast<char16_t>(c + 80);
    return c;
}

RichTextDocument::RichTextDocument(Font baseFont, int baseHalfPoints)
    : doc_(baseFont), baseFont_(std::move(baseFont)),
      baseSize_(std::clamp(baseHalfPoints, kMinHalfPoints, kMaxHalfPoints))
{
}

void RichTextDocument::contentChanged()
{
    if (observer_)
        observer_->contentChanged();
}

void RichTextDocument::selectionChanged()
{
    if (observer_)
        observer_->selectionChanged();
}

CharFormat RichTextDocument::baseFormat() const
{
    CharFormat f;
    f.size = static_cast<uint16_t>(baseSize_);
    return f;
}

// ---- the whole content ----------------------------------------------------

std::string RichTextDocument::text() const
{
    return utf16ToUtf8(doc_.text());
}

void RichTextDocument::setText(std::string_view utf8)
{
    setText16(utf8ToUtf16(utf8));
}

void RichTextDocument::setText16(std::u16string_view text)
{
    doc_.clear(baseFont_);
    doc_.insertText(0, text, baseFormat());
    selStart_ = 0;
    selLength_ = 0;
    pending_.reset();
    contentChanged();
}

std::string RichTextDocument::rtf() const
{
    return writeRtf(doc_);
}

void RichTextDocument::setRtf(std::string_view rtf)
{
    if (!isRtf(rtf)) {
        setText(rtf);
        return;
    }
    doc_ = readRtf(rtf, baseFont_);
    selStart_ = 0;
    selLength_ = 0;
    pending_.reset();
    contentChanged();
}

// ---- caret and selection --------------------------------------------------

// The one place a selection is set: clamped to the text and widened to
// whole line breaks, so that the selected text, the selected RTF and every
// edit of the selection cover the same characters.
void RichTextDocument::setSelection(size_t start, size_t length)
{
    const auto [from, to] = doc_.range(start, length);
    selStart_ = from;
    selLength_ = to - from;
}

void RichTextDocument::clampSelection()
{
    setSelection(selStart_, selLength_);
}

void RichTextDocument::setSelStart(int pos)
{
    const size_t old = selStart_;
    const bool hadLength = selLength_ != 0;
    setSelection(static_cast<size_t>(std::max(pos, 0)), 0);
    if (selStart_ != old || hadLength)
        pending_.reset();
    selectionChanged();
}

void RichTextDocument::setSelLength(int length)
{
    setSelection(selStart_, static_cast<size_t>(std::max(length, 0)));
    if (selLength_ > 0)
        pending_.reset();
    selectionChanged();
}

void RichTextDocument::select(int start, int length)
{
    const size_t old = selStart_;
    setSelection(static_cast<size_t>(std::max(start, 0)), static_cast<size_t>(std::max(length, 0)));
    if (selStart_ != old || selLength_ != 0)
        pending_.reset();
    selectionChanged();
}

std::u16string RichTextDocument::selText16() const
{
    return doc_.text().substr(selStart_, selLength_);
}

std::string RichTextDocument::selText() const
{
    return utf16ToUtf8(selText16());
}

CharFormat RichTextDocument::insertionFormat() const
{
    if (pending_ && selLength_ == 0)
        return *pending_;
    if (doc_.empty())
        return baseFormat();
    const auto& t = doc_.text();
    const size_t pos = doc_.snap(selStart_);
    if (selLength_ > 0)
        return doc_.formatAt(pos);
    // Text typed at a caret continues the character before it, except at
    // the start of a paragraph, where it takes the paragraph's first character.
    if (pos > 0 && t[pos - 1] != u'\n')
        return doc_.formatAt(pos - 1);
    if (pos < t.size() && t[pos] != u'\r')
        return doc_.formatAt(pos);
    return doc_.formatAt(pos > 0 ? pos - 1 : 0);
}

void RichTextDocument::replaceSelection(const Document& fragment)
{
    const auto [from, to] = doc_.range(selStart_, selLength_);
    doc_.remove(from, to - from);
    const size_t n = doc_.insert(from, fragment);
    selStart_ = from + n;
    selLength_ = 0;
    pending_.reset();
    contentChanged();
}

void RichTextDocument::setSelText(std::string_view utf8)
{
    if (isRtf(utf8)) {
        replaceSelection(readRtf(utf8, baseFont_));
        return;
    }
    setSelText16(utf8ToUtf16(utf8));
}

void RichTextDocument::setSelText16(std::u16string_view text)
{
    size_t lead = !text.empty() && text[0] == u'\uFEFF' ? 1 : 0;
    while (lead < text.size() && (text[lead] == u' ' || text[lead] == u'\t' || text[lead] == u'\r' || text[lead] == u'\n'))
        ++lead;
    if (text.substr(lead, 5) == u"{\\rtf") {
        setSelText(utf16ToUtf8(text));
        return;
    }
    CharFormat f = insertionFormat();
    if (doc_.empty() && !pending_)
        f.font = doc_.fontIndex(baseFont_);
    const auto [from, to] = doc_.range(selStart_, selLength_);
    doc_.remove(from, to - from);
    const size_t n = doc_.insertText(from, text, f);
    selStart_ = from + n;
    selLength_ = 0;
    pending_.reset();
    contentChanged();
}

std::string RichTextDocument::selRtf() const
{
    return writeRtf(doc_, selStart_, selLength_);
}

void RichTextDocument::setSelRtf(std::string_view rtf)
{
    setSelText(rtf);
}

void RichTextDocument::replaceRange(size_t pos, size_t length, std::u16string_view text, const CharFormat& format)
{
    const auto [from, to] = doc_.range(pos, length);
    doc_.remove(from, to - from);
    doc_.insertText(from, text, format);
    clampSelection();
    pending_.reset();
    contentChanged();
}

// ---- formatting -----------------------------------------------------------

std::optional<uint32_t> RichTextDocument::selColor() const
{
    const CharFormat f = insertionFormat();
    const auto& colors = doc_.colors();
    if (f.color >= colors.size() || colors[f.color].automatic)
        return std::nullopt;
    return colors[f.color].value();
}

uint16_t RichTextDocument::colorIndex(uint32_t rgb)
{
    return doc_.colorIndex(Color::fromValue(rgb & 0xFFFFFF));
}

void RichTextDocument::setSelColor(std::optional<uint32_t> rgb)
{
    uint16_t index = 0;
    if (rgb) {
        index = colorIndex(*rgb);
    } else {
        int automatic = doc_.findColor(Color{});
        index = static_cast<uint16_t>(automatic >= 0 ? automatic : 0);
    }
    if (selLength_ > 0) {
        doc_.changeCharFormat(selStart_, selLength_, [index](CharFormat& f) { f.color = index; });
    } else {
        CharFormat f = insertionFormat();
        f.color = index;
        pending_ = f;
    }
    contentChanged();
}

bool RichTextDocument::selBold() const
{
    return insertionFormat().bold;
}

void RichTextDocument::setSelBold(bool bold)
{
    if (selLength_ > 0) {
        doc_.changeCharFormat(selStart_, selLength_, [bold](CharFormat& f) { f.bold = bold; });
        contentChanged();
    } else {
        CharFormat f = insertionFormat();
        f.bold = bold;
        pending_ = f;
    }
}

int RichTextDocument::selAlignment() const
{
    return static_cast<int>(doc_.paras()[doc_.paraIndexAt(selStart_)].format.align);
}

void RichTextDocument::setSelAlignment(int alignment)
{
    if (alignment < 0 || alignment > 3)
        return;
    const auto a = static_cast<Align>(alignment);
    doc_.changeParaFormat(selStart_, selLength_, [a](ParaFormat& f) { f.align = a; });
    contentChanged();
}

void RichTextDocument::setRangeHighlight(size_t pos, size_t length, uint16_t colorIndex)
{
    doc_.changeCharFormat(pos, length, [colorIndex](CharFormat& f) { f.highlight = colorIndex; });
    contentChanged();
}

// ---- find -----------------------------------------------------------------

int RichTextDocument::find(std::string_view utf8, int start)
{
    return find16(utf8ToUtf16(utf8), start);
}

int RichTextDocument::find16(std::u16string_view what, int start)
{
    const int found = indexOf16(what, start);
    if (found >= 0)
        select(found, static_cast<int>(what.size()));
    return found;
}

int RichTextDocument::indexOf16(std::u16string_view what, int start) const
{
    const auto& t = doc_.text();
    const size_t n = what.size();
    size_t from = static_cast<size_t>(std::max(start, 0));
    if (n == 0 || from > t.size() || n > t.size() - from)
        return -1;
    std::u16string folded(what);
    for (auto& c : folded)
        c = foldCase(c);
    const char16_t first = folded[0];
    const size_t last = t.size() - n;
    for (size_t i = from; i <= last; ++i) {
        if (foldCase(t[i]) != first)
            continue;
        size_t k = 1;
        while (k < n && foldCase(t[i + k]) == folded[k])
            ++k;
        if (k == n)
            return static_cast<int>(i);
    }
    return -1;
}

// ---- files ----------------------------------------------------------------

bool RichTextDocument::loadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    // A byte-order mark says how the file is encoded; it is not text.
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0 && !isRtf(content))
        content.erase(0, 3);
    setRtf(content);
    return true;
}

namespace {

}  // namespace

// Written beside the target and renamed over it, so a failed save never
// leaves half a file where the reader's earlier one was.
bool writeWholeFile(const std::filesystem::path& file, const std::string& content, std::string* reason)
{
    auto failed = [reason](const std::string& why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (file.empty())
        return failed("no file name was given");
    std::filesystem::path temp = file;
    temp += ".part";
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return failed(errno ? std::strerror(errno) : "the file cannot be created");
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            const std::string why = errno ? std::strerror(errno) : "the file cannot be written";
            out.close();
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            return failed(why);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        const std::string why = ec.message();
        std::filesystem::remove(temp, ec);
        return failed(why);
    }
    return true;
}


bool RichTextDocument::saveFile(const std::filesystem::path& file) const
{
    return writeWholeFile(file, rtf());
}

bool RichTextDocument::saveTextFile(const std::filesystem::path& file) const
{
    return writeWholeFile(file, text());
}

}  // namespace richtext
