#include "reading/richtext/codepage.h"

#include "core/utf8.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace richtext {

namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
const iconv_t kNoConv = reinterpret_cast<iconv_t>(-1);

// iconv's name for a Windows code page number.
std::string iconvName(int id)
{
    switch (id) {
    case kSymbolCodePage:
        return "CP1252";
    case kMacRomanCodePage:
        return "MACINTOSH";
    case 10007:
        return "MAC-CYRILLIC";
    case 10029:
        return "MAC-CENTRALEUROPE";
    case 10079:
        return "MAC-IS";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    default:
        break;
    }
    if (id > 28590 && id < 28606)
        return "ISO-8859-" + std::to_string(id - 28590);
    return "CP" + std::to_string(id);
}

// Runs one conversion to its end; false when iconv stopped on bad input.
bool convert(iconv_t cd, const char*& in, size_t& inLeft, char*& out, size_t& outLeft)
{
    auto* inp = const_cast<char*>(in);
    const size_t r = iconv(cd, &inp, &inLeft, &out, &outLeft);
    in = inp;
    return r != static_cast<size_t>(-1);
}

}  // namespace

struct CodePage::Conv {
    std::mutex lock;
    iconv_t toUtf16 = kNoConv;
    iconv_t fromUtf16 = kNoConv;
    // Double-byte pages: what encode() found for each character so far
    // (byte count in bits 16 and up, 0 for none).
    std::unordered_map<char16_t, uint32_t> encoded;

    ~Conv()
    {
        if (toUtf16 != kNoConv)
            iconv_close(toUtf16);
        if (fromUtf16 != kNoConv)
            iconv_close(fromUtf16);
    }
};

CodePage::CodePage(int id) : id_(id)
{
    const std::string name = iconvName(id);
    auto conv = std::make_unique<Conv>();
    conv->toUtf16 = iconv_open(kUtf16, name.c_str());
    if (conv->toUtf16 == kNoConv)
        return;
    conv->fromUtf16 = iconv_open(name.c_str(), kUtf16);
    valid_ = true;
    for (int b = 0; b < 256; ++b) {
        const char in = static_cast<char>(b);
        const char* inp = &in;
        size_t inLeft = 1;
        char16_t chars[4] = {};
        char* outp = reinterpret_cast<char*>(chars);
        size_t outLeft = sizeof chars;
        iconv(conv->toUtf16, nullptr, nullptr, nullptr, nullptr);
        const bool ok = convert(conv->toUtf16, inp, inLeft, outp, outLeft);
        const int err = ok ? 0 : errno;
        // Pages that compose characters hold the last one back until told
        // that the input has ended.
        iconv(conv->toUtf16, nullptr, nullptr, &outp, &outLeft);
        const bool produced = outLeft < sizeof chars;
        if (err == EINVAL && !produced) {
            lead_[b] = true;
            doubleByte_ = true;
            table_[b] = 0xFFFD;
        } else if (produced) {
            table_[b] = chars[0];
        } else {
            table_[b] = b < 0xA0 ? static_cast<char16_t>(b) : u'\uFFFD';
        }
    }
    // Double-byte pages have no C1 stand-ins: a stray byte is an error.
    if (doubleByte_)
        for (int b = 0x80; b < 0xA0; ++b)
            if (!lead_[b] && table_[b] == b)
                table_[b] = 0xFFFD;
    if (id == kSymbolCodePage)
        table_[0xB7] = 0x2022;
    // RTF itself is ASCII: a page that reads its letters, digits or any
    // ASCII byte differently (EBCDIC, UTF-16, ISO-2022) cannot hold RTF text.
    for (int b = 0; b < 0x80; ++b) {
        const bool alnum = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        if (lead_[b] || (alnum && table_[b] != b))
            valid_ = false;
    }
    conv_ = conv.release();
}

CodePage::~CodePage()
{
    delete conv_;
}

const CodePage& CodePage::get(int id)
{
    // The pages of this program's own text are asked for with every
    // document read; they skip the lock.
    static const CodePage& western = lookup(kWesternCodePage);
    static const CodePage& arabic = lookup(kArabicCodePage);
    if (id == kWesternCodePage)
        return western;
    if (id == kArabicCodePage)
        return arabic;
    return lookup(id);
}

const CodePage& CodePage::lookup(int id)
{
    static std::mutex lock;
    static std::unordered_map<int, std::unique_ptr<CodePage>> pages;
    std::lock_guard<std::mutex> guard(lock);
    auto find = [](int key) -> CodePage* {
        auto it = pages.find(key);
        if (it != pages.end())
            return it->second.get();
        std::unique_ptr<CodePage> made(new CodePage(key));
        if (!made->valid_)
            return nullptr;
        return pages.emplace(key, std::move(made)).first->second.get();
    };
    if (id > 0 && id < 65536 && id != 65000 && id != 65001)
        if (CodePage* page = find(id))
            return *page;
    CodePage* western = find(kWesternCodePage);
    if (!western)
        std::abort();  // a C library without code-page conversion cannot read rich text
    return *western;
}

bool CodePage::known(int id)
{
    return get(id).id() == id;
}

void CodePage::decode(std::string_view bytes, std::u16string& out) const
{
    const size_t old = out.size();
    if (!doubleByte_) {
        out.resize(old + bytes.size());
        char16_t* o = out.data() + old;
        for (char b : bytes)
            *o++ = table_[static_cast<unsigned char>(b)];
        return;
    }
    // Room for more than one unit per byte, so that no page can run out.
    const size_t room = bytes.size() * 2 + 2;
    out.resize(old + room);
    std::lock_guard<std::mutex> guard(conv_->lock);
    iconv_t cd = conv_->toUtf16;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const char* in = bytes.data();
    size_t inLeft = bytes.size();
    char* outp = reinterpret_cast<char*>(out.data() + old);
    size_t outLeft = room * sizeof(char16_t);
    while (inLeft > 0 && !convert(cd, in, inLeft, outp, outLeft)) {
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // A byte that starts no character: mark it and go on with the next.
        const char16_t bad = 0xFFFD;
        std::memcpy(outp, &bad, sizeof bad);
        outp += sizeof bad;
        outLeft -= sizeof bad;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv(cd, nullptr, nullptr, &outp, &outLeft);
    out.resize(static_cast<size_t>(reinterpret_cast<char16_t*>(outp) - out.data()));
}

int CodePage::encode(char16_t c, unsigned char out[2]) const
{
    if (c < 0x80 || c == 0xFFFD || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    if (!doubleByte_) {
        // Most text is Latin-1: in the Western page the upper half maps to itself.
        if (c <= 0xFF && c >= 0xA0 && table_[c] == c) {
            out[0] = static_cast<unsigned char>(c);
            return 1;
        }
        for (int b = 0x80; b < 0x100; ++b)
            if (table_[b] == c) {
                out[0] = static_cast<unsigned char>(b);
                return 1;
            }
        return 0;
    }
    std::lock_guard<std::mutex> guard(conv_->lock);
    auto [it, fresh] = conv_->encoded.try_emplace(c, 0);
    if (fresh && conv_->fromUtf16 != kNoConv) {
        const char* in = reinterpret_cast<const char*>(&c);
        size_t inLeft = sizeof c;
        char bytes[8];
        char* outp = bytes;
        size_t outLeft = sizeof bytes;
        iconv(conv_->fromUtf16, nullptr, nullptr, nullptr, nullptr);
        const bool ok = convert(conv_->fromUtf16, in, inLeft, outp, outLeft) &&
                        iconv(conv_->fromUtf16, nullptr, nullptr, &outp, &outLeft) != static_cast<size_t>(-1);
        const auto n = static_cast<size_t>(outp - bytes);
        const auto b0 = static_cast<unsigned char>(bytes[0]);
        const auto b1 = static_cast<unsigned char>(n > 1 ? bytes[1] : 0);
        // Only forms that read back as the same character: no one-way
        // mappings, nothing that hides in the ASCII range.
        if (ok && n == 1 && b0 >= 0x80 && !lead_[b0] && table_[b0] == c) {
            it->second = 1u << 16 | b0;
        } else if (ok && n == 2 && lead_[b0]) {
            const char pair[2] = {bytes[0], bytes[1]};
            const char* pin = pair;
            size_t pinLeft = 2;
            char16_t back[2] = {};
            char* bp = reinterpret_cast<char*>(back);
            size_t backLeft = sizeof back;
            iconv(conv_->toUtf16, nullptr, nullptr, nullptr, nullptr);
            if (convert(conv_->toUtf16, pin, pinLeft, bp, backLeft) && backLeft == sizeof back - 2 && back[0] == c)
                it->second = 2u << 16 | static_cast<uint32_t>(b0) << 8 | b1;
        }
    }
    const uint32_t v = it->second;
    const int n = static_cast<int>(v >> 16);
    if (n == 1) {
        out[0] = static_cast<unsigned char>(v & 0xFF);
    } else if (n == 2) {
        out[0] = static_cast<unsigned char>((v >> 8) & 0xFF);
        out[1] = static_cast<unsigned char>(v & 0xFF);
    }
    return n;
}

char16_t decodeByte(unsigned char byte, int codePage)
{
    return CodePage::get(codePage).decode(byte);
}

int encodeChar(char16_t c, int codePage)
{
    if (c < 0x80)
        return c;
    unsigned char b[2];
    return CodePage::get(codePage).encode(c, b) == 1 ? b[0] : -1;
}

int codePageForCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 2:
        return kSymbolCodePage;
    case 77:
        return kMacRomanCodePage;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case kArabicCharset:
        return kArabicCodePage;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
    case 255:
        return kDosUsCodePage;
    default:
        return documentCodePage;
    }
}

int utf8Sequence(std::string_view s, size_t i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int len = 0;
    char32_t v = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        v = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        v = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        v = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + static_cast<size_t>(len) > s.size())
        return 0;
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80)
            return 0;
        v = (v << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past the Unicode range are not UTF-8.
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (v < kMin[len] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
        return 0;
    cp = v;
    return len;
}

std::u16string utf8ToUtf16(std::string_view utf8)
{
    static const CodePage& western = CodePage::get(kWesternCodePage);
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        char32_t cp = 0;
        int len = utf8Sequence(utf8, i, cp);
        if (len == 0) {
            out.push_back(western.decode(b));
            ++i;
            continue;
        }
        i += static_cast<size_t>(len);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

// One encoder for the whole program: a lone surrogate becomes U+FFFD
// rather than bytes no UTF-8 reader accepts.
void appendUtf8(std::string& out, char32_t cp) { db::appendUtf8(out, cp); }

std::string utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size() + utf16.size() / 8);
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            // A lone surrogate has no UTF-8 form.
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

}  // namespace richtext
