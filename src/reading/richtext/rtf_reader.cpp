#include "reading/richtext/rtf_reader.h"

#include "reading/richtext/codepage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace richtext {

namespace {

// Groups nested deeper than this share their parent's state; the braces are
// still counted, so nothing is lost but memory stays bounded.
constexpr size_t kMaxDepth = 200;
constexpr int kMaxDigits = 10;
constexpr size_t kMaxWordLength = 32;
constexpr size_t kMaxFontNameBytes = 256;
constexpr int kMaxFallback = 8;

enum class Kw : uint8_t {
    Unknown,
    SkipDest,
    FontTable,
    ColorTable,
    Ansi,
    AnsiCpg,
    Deff,
    Font,
    FontSize,
    FontCharset,
    FontFamily,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    ColorFg,
    Highlight,
    Red,
    Green,
    Blue,
    Par,
    Line,
    Tab,
    Cell,
    LeftIndent,
    FirstIndent,
    RightIndent,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    Pard,
    Plain,
    Unicode,
    UnicodeSkip,
    Bin,
    Char,  // a control word that stands for one character
    Ignore,  // known, and without effect on what is read
    Mac,
    Pc,
    Pca,
    FontCodePage,
    Hidden,
    Footnote,
    FootnoteMark,
};

struct KwEntry {
    std::string_view word;
    Kw kw;
    char16_t ch;
};

// Sorted by word for binary search.
constexpr KwEntry kWords[] = {
    {"aftncn", Kw::SkipDest, 0},
    {"aftnsep", Kw::SkipDest, 0},
    {"aftnsepc", Kw::SkipDest, 0},
    {"ansi", Kw::Ansi, 0},
    {"ansicpg", Kw::AnsiCpg, 0},
    {"author", Kw::SkipDest, 0},
    {"b", Kw::Bold, 0},
    {"bin", Kw::Bin, 0},
    {"bkmkend", Kw::SkipDest, 0},
    {"bkmkstart", Kw::SkipDest, 0},
    {"blue", Kw::Blue, 0},
    {"bullet", Kw::Char, 0x2022},
    {"buptim", Kw::SkipDest, 0},
    {"cb", Kw::Highlight, 0},
    {"cell", Kw::Cell, 0},
    {"cf", Kw::ColorFg, 0},
    {"chftn", Kw::FootnoteMark, 0},
    {"colorschememapping", Kw::SkipDest, 0},
    {"colortbl", Kw::ColorTable, 0},
    {"comment", Kw::SkipDest, 0},
    {"cpg", Kw::FontCodePage, 0},
    {"creatim", Kw::SkipDest, 0},
    {"cs", Kw::Ignore, 0},
    {"datastore", Kw::SkipDest, 0},
    {"deff", Kw::Deff, 0},
    {"doccomm", Kw::SkipDest, 0},
    {"docvar", Kw::SkipDest, 0},
    {"emdash", Kw::Char, 0x2014},
    {"emspace", Kw::Char, 0x2003},
    {"endash", Kw::Char, 0x2013},
    {"enspace", Kw::Char, 0x2002},
    {"f", Kw::Font, 0},
    {"fbidi", Kw::FontFamily, 0},
    {"fcharset", Kw::FontCharset, 0},
    {"fdecor", Kw::FontFamily, 0},
    {"fi", Kw::FirstIndent, 0},
    {"filetbl", Kw::SkipDest, 0},
    {"fldinst", Kw::SkipDest, 0},
    {"fmodern", Kw::FontFamily, 0},
    {"fnil", Kw::FontFamily, 0},
    {"fonttbl", Kw::FontTable, 0},
    {"footer", Kw::SkipDest, 0},
    {"footerf", Kw::SkipDest, 0},
    {"footerl", Kw::SkipDest, 0},
    {"footerr", Kw::SkipDest, 0},
    {"footnote", Kw::Footnote, 0},
    {"froman", Kw::FontFamily, 0},
    {"fs", Kw::FontSize, 0},
    {"fscript", Kw::FontFamily, 0},
    {"fswiss", Kw::FontFamily, 0},
    {"ftech", Kw::FontFamily, 0},
    {"ftncn", Kw::SkipDest, 0},
    {"ftnsep", Kw::SkipDest, 0},
    {"ftnsepc", Kw::SkipDest, 0},
    {"generator", Kw::SkipDest, 0},
    {"green", Kw::Green, 0},
    {"header", Kw::SkipDest, 0},
    {"headerf", Kw::SkipDest, 0},
    {"headerl", Kw::SkipDest, 0},
    {"headerr", Kw::SkipDest, 0},
    {"highlight", Kw::Highlight, 0},
    {"i", Kw::Italic, 0},
    {"info", Kw::SkipDest, 0},
    {"keywords", Kw::SkipDest, 0},
    {"latentstyles", Kw::SkipDest, 0},
    {"ldblquote", Kw::Char, 0x201C},
    {"li", Kw::LeftIndent, 0},
    {"line", Kw::Line, 0},
    {"listoverridetable", Kw::SkipDest, 0},
    {"listtable", Kw::SkipDest, 0},
    {"listtext", Kw::Ignore, 0},
    {"lquote", Kw::Char, 0x2018},
    {"ltrmark", Kw::Char, 0x200E},
    {"mac", Kw::Mac, 0},
    {"nestcell", Kw::Cell, 0},
    {"nonesttables", Kw::SkipDest, 0},
    {"nonshppict", Kw::SkipDest, 0},
    {"objdata", Kw::SkipDest, 0},
    {"object", Kw::SkipDest, 0},
    {"operator", Kw::SkipDest, 0},
    {"page", Kw::Par, 0},
    {"par", Kw::Par, 0},
    {"pard", Kw::Pard, 0},
    {"pc", Kw::Pc, 0},
    {"pca", Kw::Pca, 0},
    {"pict", Kw::SkipDest, 0},
    {"plain", Kw::Plain, 0},
    {"pn", Kw::SkipDest, 0},
    {"pntext", Kw::Ignore, 0},
    {"printim", Kw::SkipDest, 0},
    {"private", Kw::SkipDest, 0},
    {"qc", Kw::AlignCenter, 0},
    {"qd", Kw::AlignJustify, 0},
    {"qj", Kw::AlignJustify, 0},
    {"ql", Kw::AlignLeft, 0},
    {"qmspace", Kw::Char, 0x2005},
    {"qr", Kw::AlignRight, 0},
    {"rdblquote", Kw::Char, 0x201D},
    {"red", Kw::Red, 0},
    {"revtbl", Kw::SkipDest, 0},
    {"revtim", Kw::SkipDest, 0},
    {"ri", Kw::RightIndent, 0},
    {"row", Kw::Par, 0},
    {"rquote", Kw::Char, 0x2019},
    {"rsidtbl", Kw::SkipDest, 0},
    {"rtlmark", Kw::Char, 0x200F},
    {"sect", Kw::Par, 0},
    {"shp", Kw::SkipDest, 0},
    {"stylesheet", Kw::SkipDest, 0},
    {"subject", Kw::SkipDest, 0},
    {"tab", Kw::Tab, 0},
    {"tc", Kw::SkipDest, 0},
    {"template", Kw::SkipDest, 0},
    {"themedata", Kw::SkipDest, 0},
    {"title", Kw::SkipDest, 0},
    {"u", Kw::Unicode, 0},
    {"uc", Kw::UnicodeSkip, 0},
    {"ul", Kw::Underline, 0},
    {"uld", Kw::Underline, 0},
    {"uldash", Kw::Underline, 0},
    {"uldashd", Kw::Underline, 0},
    {"uldashdd", Kw::Underline, 0},
    {"uldb", Kw::Underline, 0},
    {"ulhwave", Kw::Underline, 0},
    {"ulldash", Kw::Underline, 0},
    {"ulnone", Kw::UnderlineNone, 0},
    {"ulth", Kw::Underline, 0},
    {"ulthd", Kw::Underline, 0},
    {"ulthdash", Kw::Underline, 0},
    {"ulthdashd", Kw::Underline, 0},
    {"ulthdashdd", Kw::Underline, 0},
    {"ulthldash", Kw::Underline, 0},
    {"ululdbwave", Kw::Underline, 0},
    {"ulw", Kw::Underline, 0},
    {"ulwave", Kw::Underline, 0},
    {"userprops", Kw::SkipDest, 0},
    {"v", Kw::Hidden, 0},
    {"xe", Kw::SkipDest, 0},
    {"xmlnstbl", Kw::SkipDest, 0},
    {"zwj", Kw::Char, 0x200D},
    {"zwnj", Kw::Char, 0x200C},
};

constexpr bool sortedWords()
{
    for (size_t i = 1; i < std::size(kWords); ++i)
        if (!(kWords[i - 1].word < kWords[i].word))
            return false;
    return true;
}
static_assert(sortedWords(), "control words must stay sorted");

// Where the words of each first letter begin in the table: a control word
// is then compared with a handful of entries of its own length, which keeps
// documents full of control words (tables, lists) fast.
struct LetterIndex {
    std::array<uint16_t, 27> start{};
    constexpr LetterIndex()
    {
        size_t i = 0;
        for (int letter = 0; letter < 26; ++letter) {
            start[static_cast<size_t>(letter)] = static_cast<uint16_t>(i);
            while (i < std::size(kWords) && kWords[i].word[0] == 'a' + letter)
                ++i;
        }
        start[26] = static_cast<uint16_t>(i);
    }
};
constexpr LetterIndex kLetterIndex;
static_assert(kLetterIndex.start[26] == std::size(kWords), "control words must all start with a small letter");

const KwEntry* lookup(std::string_view word)
{
    if (word.empty() || word[0] < 'a' || word[0] > 'z')
        return nullptr;
    const auto letter = static_cast<size_t>(word[0] - 'a');
    for (size_t i = kLetterIndex.start[letter]; i < kLetterIndex.start[letter + 1]; ++i) {
        const std::string_view w = kWords[i].word;
        if (w.size() == word.size() && std::equal(w.begin(), w.end(), word.begin()))
            return &kWords[i];
    }
    return nullptr;
}

enum class Dest : uint8_t { Text, FontTable, ColorTable };

// A font number no document uses: "the default font" (\deff).
constexpr int kDefaultFontNumber = -2000000;

struct State {
    CharFormat format;  // format.font unused: fontNumber is resolved lazily
    int fontNumber = kDefaultFontNumber;
    ParaFormat para;
    uint8_t unicodeSkip = 1;
    Dest dest = Dest::Text;
    bool hidden = false;  // \v: kept, never shown
    bool note = false;    // inside a footnote
};

inline bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

template <typename T>
T clampTo(long long v, long long lo, long long hi)
{
    return static_cast<T>(std::clamp(v, lo, hi));
}

class Reader {
public:
    Reader(std::string_view in, const Font& fallback) : in_(in), fallback_(fallback)
    {
        doc_.mutableFonts().clear();
        doc_.mutableColors().clear();
        // No byte of RTF gives more than one character of text: one
        // allocation instead of a string that grows and moves as it is read.
        doc_.reserve(in.size());
    }

    Document run()
    {
        // The document is the group opened by the first brace.
        while (pos_ < in_.size() && !done_) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                ignorable_ = false;
                pushGroup();
            } else if (c == '}') {
                ++pos_;
                ignorable_ = false;
                popGroup();
            } else if (c == '\\') {
                ++pos_;
                controlSequence();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ignorable_ = false;
                textBytes();
            }
        }
        if (!done_)
            finalPara_ = state_.para;
        return finish();
    }

private:
    // ---- groups ------------------------------------------------------------
    void pushGroup()
    {
        fallbackLeft_ = 0;
        if (stack_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(state_);
    }

    void popGroup()
    {
        fallbackLeft_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.empty())
            return;  // stray closing brace before the document opened
        if (state_.dest == Dest::FontTable)
            commitFont();
        else if (state_.dest == Dest::ColorTable)
            commitColor(false);
        if (stack_.size() == 1) {
            // The document's own closing brace: whatever follows is not part of it.
            finalPara_ = state_.para;
            done_ = true;
            return;
        }
        state_ = stack_.back();
        stack_.pop_back();
        formatDirty_ = true;
    }

    // Skips to the end of the current group (its closing brace included),
    // minding escaped braces and binary data.
    void skipRestOfGroup()
    {
        int depth = 0;
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '\\') {
                ++pos_;
                if (pos_ >= in_.size())
                    break;
                if (isLetter(in_[pos_])) {
                    size_t start = pos_;
                    while (pos_ < in_.size() && isLetter(in_[pos_]))
                        ++pos_;
                    std::string_view word = in_.substr(start, pos_ - start);
                    long long param = 0;
                    bool hasParam = readParam(param);
                    if (word == "bin" && hasParam && param > 0)
                        skipBytes(param);
                } else {
                    ++pos_;
                }
            } else if (c == '{') {
                ++depth;
                ++pos_;
            } else if (c == '}') {
                ++pos_;
                if (depth == 0) {
                    popGroup();
                    return;
                }
                --depth;
            } else {
                ++pos_;
            }
        }
        done_ = true;
        finalPara_ = state_.para;
    }

    void skipBytes(long long count)
    {
        size_t left = in_.size() - pos_;
        pos_ += count > static_cast<long long>(left) ? left : static_cast<size_t>(count);
    }

    // ---- control words -----------------------------------------------------
    // After the letters of a control word: an optional signed number, an
    // optional fraction (read as part of the number, as in "\fs24.6"), and
    // one space that only delimits the word.
    bool readParam(long long& value, double* fraction = nullptr)
    {
        bool negative = false;
        size_t p = pos_;
        if (p < in_.size() && in_[p] == '-' && p + 1 < in_.size() && isDigit(in_[p + 1])) {
            negative = true;
            ++p;
        }
        if (p >= in_.size() || !isDigit(in_[p])) {
            if (pos_ < in_.size() && in_[pos_] == ' ')
                ++pos_;
            return false;
        }
        long long v = 0;
        int digits = 0;
        while (p < in_.size() && isDigit(in_[p])) {
            if (digits < kMaxDigits)
                v = v * 10 + (in_[p] - '0');
            ++digits;
            ++p;
        }
        if (p + 1 < in_.size() && in_[p] == '.' && isDigit(in_[p + 1])) {
            ++p;
            double f = 0;
            double scale = 0.1;
            while (p < in_.size() && isDigit(in_[p])) {
                f += (in_[p] - '0') * scale;
                scale /= 10;
                ++p;
            }
            if (fraction)
                *fraction = f;
        }
        if (p < in_.size() && in_[p] == ' ')
            ++p;
        pos_ = p;
        value = negative ? -v : v;
        return true;
    }

    void controlSequence()
    {
        if (pos_ >= in_.size())
            return;  // a lone backslash at the very end
        const char c = in_[pos_];
        // "\*" marks only the destination that follows it as one to skip
        // when it is not known.
        const bool ignorable = ignorable_;
        ignorable_ = false;
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        size_t start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]))
            ++pos_;
        std::string_view word = in_.substr(start, pos_ - start);
        long long param = 0;
        double fraction = 0;
        bool hasParam = readParam(param, &fraction);
        const KwEntry* e = word.size() > kMaxWordLength ? nullptr : lookup(word);
        if (!e) {
            if (ignorable)
                skipRestOfGroup();
            return;
        }
        if (e->kw == Kw::Bin) {
            if (hasParam && param > 0)
                skipBytes(param);
            return;
        }
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;
            return;
        }
        controlWord(*e, hasParam, param, fraction);
    }

    void controlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            if (takeFallback())
                return;
            textChar(static_cast<char16_t>(c));
            return;
        case '\'':
            byteRun();
            return;
        case '*':
            ignorable_ = true;
            return;
        case '~':
            if (!takeFallback())
                textChar(0x00A0);
            return;
        case '_':
            if (!takeFallback())
                textChar(0x2011);
            return;
        case '\r':
        case '\n':
            if (!takeFallback())
                paragraphBreak();
            return;
        case '\t':
            if (!takeFallback())
                textChar(u'\t');
            return;
        default:
            // "\-" (optional hyphen), "\:" and "\|" show nothing.
            takeFallback();
            return;
        }
    }

    bool takeFallback()
    {
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;
            return true;
        }
        return false;
    }

    bool flag(bool hasParam, long long param) { return !hasParam || param != 0; }

    void controlWord(const KwEntry& e, bool hasParam, long long param, double fraction)
    {
        switch (e.kw) {
        case Kw::SkipDest:
            skipRestOfGroup();
            return;
        case Kw::FontTable:
            state_.dest = Dest::FontTable;
            font_ = {};
            return;
        case Kw::ColorTable:
            state_.dest = Dest::ColorTable;
            colorPending_ = Color{};
            colorTouched_ = false;
            return;
        case Kw::Ansi:
            return;
        case Kw::AnsiCpg:
            setDocumentCodePage(hasParam ? param : 0);
            return;
        case Kw::Mac:
            setDocumentCodePage(kMacRomanCodePage);
            return;
        case Kw::Pc:
            setDocumentCodePage(kDosUsCodePage);
            return;
        case Kw::Pca:
            setDocumentCodePage(kDosWesternCodePage);
            return;
        case Kw::FontCodePage:
            if (state_.dest == Dest::FontTable && hasParam && param > 0 && param < 65536 &&
                CodePage::known(static_cast<int>(param))) {
                font_.codePage = static_cast<int>(param);
                font_.open = true;
            }
            return;
        case Kw::Hidden:
            state_.hidden = flag(hasParam, param);
            return;
        case Kw::Footnote:
            if (state_.dest == Dest::Text)
                startNote();
            return;
        case Kw::FootnoteMark:
            if (state_.dest == Dest::Text)
                footnoteMark();
            return;
        case Kw::Ignore:
            return;
        case Kw::Deff:
            if (hasParam)
                deff_ = clampTo<int>(param, -1000000, 1000000);
            return;
        case Kw::Font:
            if (state_.dest == Dest::FontTable) {
                if (!font_.name.empty())
                    commitFont();
                font_.number = clampTo<int>(param, -1000000, 1000000);
                font_.open = true;
            } else if (hasParam) {
                state_.fontNumber = clampTo<int>(param, -1000000, 1000000);
                formatDirty_ = true;
            }
            return;
        case Kw::FontCharset:
            if (state_.dest == Dest::FontTable) {
                font_.charset = clampTo<int>(param, 0, 255);
                font_.open = true;
            }
            return;
        case Kw::FontFamily:
            if (state_.dest == Dest::FontTable) {
                font_.family = std::string(e.word);
                font_.open = true;
            }
            return;
        case Kw::FontSize: {
            double halfPoints = static_cast<double>(param) + (param < 0 ? -fraction : fraction);
            if (!hasParam || halfPoints <= 0)
                state_.format.size = kDefaultHalfPoints;
            else
                state_.format.size = clampTo<uint16_t>(std::llround(std::min(halfPoints, 1e6)), kMinHalfPoints,
                                                       kMaxHalfPoints);
            formatDirty_ = true;
            return;
        }
        case Kw::Bold:
            state_.format.bold = flag(hasParam, param);
            formatDirty_ = true;
            return;
        case Kw::Italic:
            state_.format.italic = flag(hasParam, param);
            formatDirty_ = true;
            return;
        case Kw::Underline:
            state_.format.underline = flag(hasParam, param);
            formatDirty_ = true;
            return;
        case Kw::UnderlineNone:
            state_.format.underline = false;
            formatDirty_ = true;
            return;
        case Kw::ColorFg:
            state_.format.color = clampTo<uint16_t>(hasParam ? param : 0, 0, 65535);
            formatDirty_ = true;
            return;
        case Kw::Highlight:
            state_.format.highlight = clampTo<uint16_t>(hasParam ? param : 0, 0, 65535);
            formatDirty_ = true;
            return;
        case Kw::Red:
        case Kw::Green:
        case Kw::Blue:
            if (state_.dest == Dest::ColorTable) {
                auto v = clampTo<uint8_t>(param, 0, 255);
                (e.kw == Kw::Red ? colorPending_.red : e.kw == Kw::Green ? colorPending_.green : colorPending_.blue) = v;
                colorPending_.automatic = false;
                colorTouched_ = true;
            }
            return;
        case Kw::Par:
            paragraphBreak();
            return;
        case Kw::Line:
            lineBreak();
            return;
        case Kw::Tab:
        case Kw::Cell:
            textChar(u'\t');
            return;
        case Kw::LeftIndent:
            state_.para.leftIndent = clampTo<int32_t>(param, -kMaxIndentTwips, kMaxIndentTwips);
            return;
        case Kw::FirstIndent:
            state_.para.firstIndent = clampTo<int32_t>(param, -kMaxIndentTwips, kMaxIndentTwips);
            return;
        case Kw::RightIndent:
            state_.para.rightIndent = clampTo<int32_t>(param, -kMaxIndentTwips, kMaxIndentTwips);
            return;
        case Kw::AlignLeft:
            state_.para.align = Align::Left;
            return;
        case Kw::AlignCenter:
            state_.para.align = Align::Center;
            return;
        case Kw::AlignRight:
            state_.para.align = Align::Right;
            return;
        case Kw::AlignJustify:
            state_.para.align = Align::Justify;
            return;
        case Kw::Pard:
            state_.para = ParaFormat{};
            return;
        case Kw::Plain:
            state_.format = CharFormat{};
            state_.fontNumber = kDefaultFontNumber;
            state_.hidden = false;
            formatDirty_ = true;
            return;
        case Kw::Unicode: {
            long long v = param < 0 ? param + 65536 : param;
            if (hasParam && v >= 0 && v <= 0xFFFF)
                unicodeChar(static_cast<char16_t>(v));
            fallbackLeft_ = state_.unicodeSkip;
            return;
        }
        case Kw::UnicodeSkip:
            state_.unicodeSkip = clampTo<uint8_t>(hasParam ? param : 1, 0, kMaxFallback);
            return;
        case Kw::Char:
            textChar(e.ch);
            return;
        case Kw::Bin:
        case Kw::Unknown:
            return;
        }
    }

    // ---- text --------------------------------------------------------------
    const CharFormat& current()
    {
        if (formatDirty_) {
            current_ = state_.format;
            current_.font = resolveFont(state_.fontNumber);
            const int cp = doc_.fontCodePage(current_.font);
            if (!codePage_ || codePage_->id() != cp)
                codePage_ = &CodePage::get(cp);
            formatDirty_ = false;
        }
        return current_;
    }

    uint16_t resolveFont(int number)
    {
        // Text switches between a few fonts over and over.
        if (number == lastFontNumber_ && fontGeneration_ == lastFontGeneration_ && deff_ == lastDeff_)
            return lastFont_;
        auto it = fontNumbers_.find(number);
        if (it == fontNumbers_.end())
            it = fontNumbers_.find(deff_);
        lastFontNumber_ = number;
        lastFontGeneration_ = fontGeneration_;
        lastDeff_ = deff_;
        lastFont_ = it != fontNumbers_.end() ? it->second : 0;
        return lastFont_;
    }

    void setDocumentCodePage(long long cp)
    {
        const int id = cp > 0 && cp < 65536 ? static_cast<int>(cp) : kWesternCodePage;
        doc_.setCodePage(CodePage::known(id) ? id : kWesternCodePage);
        formatDirty_ = true;
    }

    // Footnotes and endnotes are gathered apart and follow the text, each
    // in a paragraph of its own, so their text is never lost.
    Document& target() { return state_.note ? notes_ : doc_; }

    void startNote()
    {
        state_.note = true;
        if (!notes_.empty() && notes_.paraStart(notes_.paras().size() - 1) < notes_.size())
            notes_.appendParagraphBreak(notes_.runs().back().format, notes_.paras().back().format);
    }

    // The automatic footnote number: the next one in the text, the current
    // one inside the footnote itself.
    void footnoteMark()
    {
        if (!state_.note || noteCount_ == 0)
            ++noteCount_;
        for (char c : std::to_string(noteCount_))
            textChar(static_cast<char16_t>(c));
    }

    void paragraphBreak()
    {
        if (state_.dest != Dest::Text)
            return;
        if (state_.hidden)
            target().appendHidden(u"\r\n", current());
        else
            target().appendParagraphBreak(current(), state_.para);
    }

    void lineBreak()
    {
        if (state_.dest != Dest::Text)
            return;
        if (state_.hidden)
            target().appendHidden(u"\r\n", current());
        else
            target().appendLineBreak(current());
    }

    // Control characters other than the tab never enter the text: line and
    // paragraph breaks have their own control words.
    static bool isText(char16_t c) { return c >= 0x20 || c == u'\t'; }

    void textChar(char16_t c)
    {
        switch (state_.dest) {
        case Dest::Text:
            if (!isText(c))
                return;
            if (state_.hidden)
                target().appendHidden(std::u16string_view(&c, 1), current());
            else
                target().appendChar(c, current());
            return;
        case Dest::FontTable:
            fontText(c);
            return;
        case Dest::ColorTable:
            if (c == u';')
                commitColor(true);
            return;
        }
    }

    void unicodeChar(char16_t c)
    {
        if (state_.dest != Dest::ColorTable)
            textChar(c);
    }

    // A run of "\'hh" escapes, decoded in one go: double-byte code pages
    // need the lead and trail bytes together, and one call per run keeps
    // long runs of foreign text fast.
    void byteRun()
    {
        bytes_.clear();
        for (;;) {
            const int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            if (hi < 0)
                break;
            ++pos_;
            const int lo = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            int byte = hi;
            if (lo >= 0) {
                ++pos_;
                byte = hi * 16 + lo;
            }
            if (!takeFallback())
                bytes_.push_back(static_cast<char>(byte));
            size_t p = pos_;
            while (p < in_.size() && (in_[p] == '\r' || in_[p] == '\n'))
                ++p;
            if (p + 1 < in_.size() && in_[p] == '\\' && in_[p + 1] == '\'') {
                pos_ = p + 2;
                continue;
            }
            break;
        }
        if (!bytes_.empty())
            emitBytes();
    }

    int fontEntryCodePage() const
    {
        return font_.codePage != 0 ? font_.codePage : codePageForCharset(font_.charset, doc_.codePage());
    }

    // Writers put the trail byte of a double-byte character as it is when
    // it is a printable ASCII character ("\'83e"), escaped when it is a
    // backslash or a brace.
    void takeTrailByte(const CodePage& cp)
    {
        if (!cp.doubleByte())
            return;
        size_t i = 0;
        bool dangling = false;
        while (i < bytes_.size()) {
            dangling = cp.isLead(static_cast<unsigned char>(bytes_[i])) && i + 1 == bytes_.size();
            i += cp.isLead(static_cast<unsigned char>(bytes_[i])) ? 2 : 1;
        }
        if (!dangling || pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (c == '\\' && pos_ + 1 < in_.size() &&
            (in_[pos_ + 1] == '\\' || in_[pos_ + 1] == '{' || in_[pos_ + 1] == '}')) {
            bytes_.push_back(in_[pos_ + 1]);
            pos_ += 2;
        } else if (c != '\\' && c != '{' && c != '}' && static_cast<unsigned char>(c) >= 0x20) {
            bytes_.push_back(c);
            ++pos_;
        }
    }

    void emitBytes()
    {
        switch (state_.dest) {
        case Dest::ColorTable:
            for (char b : bytes_)
                if (b == ';')
                    commitColor(true);
            return;
        case Dest::FontTable: {
            const CodePage& cp = CodePage::get(fontEntryCodePage());
            takeTrailByte(cp);
            decoded_.clear();
            cp.decode(bytes_, decoded_);
            for (char16_t c : decoded_)
                fontText(c);
            return;
        }
        case Dest::Text:
            break;
        }
        const CharFormat& f = current();
        takeTrailByte(*codePage_);
        decoded_.clear();
        codePage_->decode(bytes_, decoded_);
        std::erase_if(decoded_, [](char16_t c) { return !isText(c); });
        if (state_.hidden)
            target().appendHidden(decoded_, f);
        else
            target().appendText(decoded_, f);
    }

    // A stretch of ordinary bytes. RTF is 7-bit, but text pasted together
    // from UTF-8 strings may hold UTF-8; anything else is read in the code
    // page of the current font.
    void textBytes()
    {
        size_t start = pos_;
        while (pos_ < in_.size()) {
            const auto c = static_cast<unsigned char>(in_[pos_]);
            if (c < 0x20 || c >= 0x80 || c == '\\' || c == '{' || c == '}')
                break;
            ++pos_;
        }
        if (pos_ > start && state_.dest != Dest::Text) {
            // Table text: font names and colour separators, one at a time.
            for (char c : in_.substr(start, pos_ - start))
                if (!takeFallback())
                    textChar(static_cast<unsigned char>(c));
            return;
        }
        if (pos_ > start) {
            std::string_view ascii = in_.substr(start, pos_ - start);
            if (fallbackLeft_ > 0) {
                size_t skip = std::min<size_t>(fallbackLeft_, ascii.size());
                fallbackLeft_ -= static_cast<int>(skip);
                ascii.remove_prefix(skip);
            }
            if (state_.hidden)
                target().appendHidden(std::u16string(ascii.begin(), ascii.end()), current());
            else
                target().appendAscii(ascii, current());
            return;
        }
        const auto c = static_cast<unsigned char>(in_[pos_]);
        if (c < 0x80) {
            ++pos_;
            if (c == '\t' && !takeFallback())
                textChar(u'\t');
            return;  // other control characters are not text
        }
        char32_t cp = 0;
        int len = utf8Sequence(in_, pos_, cp);
        if (len == 0) {
            ++pos_;
            if (!takeFallback()) {
                bytes_.assign(1, static_cast<char>(c));
                emitBytes();
            }
            return;
        }
        pos_ += static_cast<size_t>(len);
        if (takeFallback())
            return;
        if (cp >= 0x10000) {
            if (state_.dest != Dest::Text)
                return;
            cp -= 0x10000;
            textChar(static_cast<char16_t>(0xD800 + (cp >> 10)));
            textChar(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            textChar(static_cast<char16_t>(cp));
        }
    }

    // ---- tables ------------------------------------------------------------
    struct FontEntry {
        int number = 0;
        int charset = 0;
        int codePage = 0;
        std::string family = "fnil";
        std::string name;
        bool open = false;
    };

    void fontText(char16_t c)
    {
        if (c == u';') {
            commitFont();
            return;
        }
        // Names hold whole characters only: no control characters, no halves
        // of surrogate pairs.
        if (font_.name.size() < kMaxFontNameBytes && c >= 0x20 && (c < 0xD800 || c > 0xDFFF))
            appendUtf8(font_.name, c);
        font_.open = true;
    }

    void commitFont()
    {
        if (!font_.open)
            return;
        std::string name = font_.name;
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        size_t lead = name.find_first_not_of(' ');
        name = lead == std::string::npos ? std::string() : name.substr(lead);
        auto& fonts = doc_.mutableFonts();
        if (fonts.size() < 65535) {
            fonts.push_back(Font{name.empty() ? fallback_.name : name, font_.charset, font_.family, font_.codePage});
            fontNumbers_[font_.number] = static_cast<uint16_t>(fonts.size() - 1);
            ++fontGeneration_;
        }
        font_ = {};
        formatDirty_ = true;
    }

    void commitColor(bool separator)
    {
        auto& colors = doc_.mutableColors();
        if ((separator || colorTouched_) && colors.size() < 65535)
            colors.push_back(colorTouched_ ? colorPending_ : Color{});
        colorPending_ = Color{};
        colorTouched_ = false;
    }

    // ---- the end -----------------------------------------------------------
    Document finish()
    {
        auto& fonts = doc_.mutableFonts();
        if (fonts.empty())
            fonts.push_back(fallback_);
        auto& colors = doc_.mutableColors();
        if (colors.empty())
            colors.push_back(Color{});
        // Indexes that name no table entry fall back to the first entry.
        auto& runs = doc_.mutableRuns();
        bool changed = false;
        for (auto& r : runs) {
            if (r.format.font >= fonts.size()) {
                r.format.font = 0;
                changed = true;
            }
            if (r.format.color >= colors.size()) {
                r.format.color = 0;
                changed = true;
            }
            if (r.format.highlight >= colors.size()) {
                r.format.highlight = 0;
                changed = true;
            }
        }
        if (changed && runs.size() > 1) {
            size_t out = 0;
            for (size_t i = 1; i < runs.size(); ++i) {
                if (runs[i].format == runs[out].format)
                    runs[out].end = runs[i].end;
                else
                    runs[++out] = runs[i];
            }
            runs.resize(out + 1);
        }
        doc_.setLastParaFormat(finalPara_);
        if (!notes_.empty() || !notes_.hidden().empty()) {
            if (doc_.paraStart(doc_.paras().size() - 1) < doc_.size())
                doc_.appendParagraphBreak(doc_.runs().back().format, finalPara_);
            notes_.mutableFonts() = doc_.fonts();
            notes_.mutableColors() = doc_.colors();
            if (notes_.empty())
                for (auto& h : notes_.mutableHidden())
                    doc_.appendHidden(h.text, h.format);
            else
                doc_.insert(doc_.size(), notes_);
        }
        for (auto& h : doc_.mutableHidden()) {
            if (h.format.font >= doc_.fonts().size())
                h.format.font = 0;
            if (h.format.color >= doc_.colors().size())
                h.format.color = 0;
            if (h.format.highlight >= doc_.colors().size())
                h.format.highlight = 0;
        }
        doc_.mergeHidden();
        return std::move(doc_);
    }

    std::string_view in_;
    size_t pos_ = 0;
    Font fallback_;
    Document doc_;
    Document notes_;
    int noteCount_ = 0;
    bool ignorable_ = false;
    std::string bytes_;
    std::u16string decoded_;
    State state_;
    std::vector<State> stack_;
    size_t overflow_ = 0;
    bool done_ = false;
    ParaFormat finalPara_;
    int deff_ = 0;
    int fallbackLeft_ = 0;
    std::unordered_map<int, uint16_t> fontNumbers_;
    int lastFontNumber_ = 0;
    // Counts changes of the font numbers, so a cached answer is never stale.
    uint32_t fontGeneration_ = 1;
    uint32_t lastFontGeneration_ = 0;
    int lastDeff_ = 0;
    uint16_t lastFont_ = 0;
    FontEntry font_;
    Color colorPending_;
    bool colorTouched_ = false;
    CharFormat current_;
    const CodePage* codePage_ = nullptr;
    bool formatDirty_ = true;
};

}  // namespace

size_t rtfStart(std::string_view text)
{
    // Files saved by editors that mark UTF-8, or text with a line break in
    // front, are still RTF.
    size_t i = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    return text.substr(i, 5) == "{\\rtf" ? i : std::string_view::npos;
}

bool isRtf(std::string_view text)
{
    return rtfStart(text) != std::string_view::npos;
}

Document plainDocument(std::string_view utf8, const Font& font)
{
    Document doc(font);
    doc.insertText(0, utf8ToUtf16(utf8), CharFormat{});
    return doc;
}

Document readRtf(std::string_view rtf, const Font& fallbackFont)
{
    const size_t start = rtfStart(rtf);
    if (start == std::string_view::npos) {
        if (rtf.substr(0, 3) == "\xEF\xBB\xBF")
            rtf.remove_prefix(3);
        return plainDocument(rtf, fallbackFont);
    }
    return Reader(rtf.substr(start), fallbackFont).run();
}

std::string rtfToPlainText(std::string_view rtf)
{
    return utf16ToUtf8(readRtf(rtf).text());
}

}  // namespace richtext
