#include "topics/verse_items.h"

#include "db/numeric.h"

namespace topics {

namespace {

// "V.", "S.", "F.", "T.", "AP.", "FM.", "GL.", "IN.", "TL.": letters and a dot.
std::string_view withoutCategory(std::string_view text)
{
    text = db::trimBlanks(text);
    size_t i = 0;
    while (i < text.size() && i < 2 && text[i] >= 'A' && text[i] <= 'Z')
        ++i;
    if (i > 0 && i < text.size() && text[i] == '.')
        return text.substr(i + 1);
    return text;
}

}  // namespace

std::optional<db::VerseRef> verseOfItem(std::string_view text, int openSura)
{
    text = withoutCategory(text);
    if (text.find(':') == std::string_view::npos) {
        auto verse = db::wholeNumber(text);
        if (!verse || *verse < 0 || *verse > 100000 || openSura < 1 || openSura > db::kSuraCount)
            return std::nullopt;
        return db::VerseRef{openSura, static_cast<int>(*verse)};
    }
    return db::VerseRef::parse(text);
}

bool isReferenceList(const std::vector<ListItem>& items)
{
    return !items.empty() && items.front().text.find(':') != std::string::npos;
}

std::vector<db::VerseRef> checkedVerses(const std::vector<ListItem>& items, int openSura)
{
    std::vector<db::VerseRef> out;
    for (const auto& item : items) {
        if (!item.checked)
            continue;
        if (auto ref = verseOfItem(item.text, openSura))
            out.push_back(*ref);
    }
    return out;
}

}  // namespace topics
