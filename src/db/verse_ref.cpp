#include "db/verse_ref.h"

#include "db/numeric.h"

namespace db {

std::string VerseRef::display() const
{
    return std::to_string(sura) + ":" + std::to_string(verse);
}

std::string VerseRef::bracketed() const { return "[" + display() + "]"; }

std::optional<VerseRef> VerseRef::parse(std::string_view text)
{
    text = trimBlanks(text);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
        text = text.substr(1, text.size() - 2);
    auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    auto s = wholeNumber(text.substr(0, colon));
    auto v = wholeNumber(text.substr(colon + 1));
    if (!s || !v || *s < 0 || *v < 0 || *s > 100000 || *v > 100000)
        return std::nullopt;
    return VerseRef{static_cast<int>(*s), static_cast<int>(*v)};
}

}  // namespace db
