#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Code pages of rich text from anywhere (Windows, Mac and DOS single-byte
// pages and the East Asian double-byte ones), decoded and encoded through
// the C library's iconv, plus the UTF-8 / UTF-16 conversions between the
// database's text and the engine's character unit.
namespace richtext {

inline constexpr int kWesternCodePage = 1252;
inline constexpr int kArabicCodePage = 1256;
inline constexpr int kMacRomanCodePage = 10000;
inline constexpr int kDosUsCodePage = 437;
inline constexpr int kDosWesternCodePage = 850;
// Symbol fonts (charset 2) have no code page of their own; bullets written
// in them are the one thing worth reading right.
inline constexpr int kSymbolCodePage = 42;
// The font charset that selects the Arabic code page.
inline constexpr int kArabicCharset = 178;

// A code page the engine can read and write. Single-byte pages decode
// through a 256-entry table built once from iconv; double-byte pages decode
// whole runs of bytes in one iconv call. Instances live for the program's
// lifetime, one per code page, and may be used from any thread.
class CodePage {
public:
    int id() const { return id_; }
    bool doubleByte() const { return doubleByte_; }
    // True for a byte that starts a two-byte character.
    bool isLead(unsigned char b) const { return lead_[b]; }
    // Single-byte pages: the character a byte stands for. Bytes the page
    // leaves undefined stand for the C1 control of the same number, as
    // Windows reads them. Double-byte pages: ASCII, else U+FFFD.
    char16_t decode(unsigned char b) const { return table_[b]; }
    const char16_t* table() const { return table_; }
    // Appends the characters the bytes stand for; bytes that form no
    // character become U+FFFD, so nothing silently disappears.
    void decode(std::string_view bytes, std::u16string& out) const;
    // The bytes (one or two, all at or above 0x80) that stand for c, or 0
    // when the page has none. Decoding them gives c back.
    int encode(char16_t c, unsigned char out[2]) const;

    // The page for an id; pages iconv does not know read as Western.
    static const CodePage& get(int id);
    // True when the id names a page get() knows by that id.
    static bool known(int id);

    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;
    ~CodePage();

private:
    explicit CodePage(int id);
    static const CodePage& lookup(int id);
    struct Conv;

    int id_;
    bool doubleByte_ = false;
    bool valid_ = false;
    bool lead_[256] = {};
    char16_t table_[256] = {};
    Conv* conv_ = nullptr;
};

// The character a byte stands for in a single-byte code page.
char16_t decodeByte(unsigned char byte, int codePage);
// The byte that stands for the character in a single-byte code page, or -1
// when the code page has none (ASCII maps to itself).
int encodeChar(char16_t c, int codePage);

// The code page a font's charset asks for; the document's own code page
// for the default charsets (0 and 1) and for charsets this engine does not
// know.
int codePageForCharset(int charset, int documentCodePage);

// Invalid UTF-8 bytes are read as Western code-page characters, so text of
// unknown origin never disappears.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);
void appendUtf8(std::string& out, char32_t cp);

// Length of the valid UTF-8 sequence starting at s[i] (0 if not valid),
// and the code point it encodes.
int utf8Sequence(std::string_view s, size_t i, char32_t& cp);

}  // namespace richtext
