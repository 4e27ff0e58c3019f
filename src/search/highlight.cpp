#include "search/highlight.h"

#include "search/text_util.h"
#include <algorithm>

namespace search {

namespace {
}  // namespace

HighlightWords highlightWordsFromSearch(const WordSlots& slots, bool advancedVisible, bool highlightTicked,
                                        bool ignoreNormalTicked)
{
    HighlightWords boxes = clearHL();
    if (!advancedVisible || !highlightTicked || ignoreNormalTicked)
        return boxes;
    const int n = std::min({slots.count, kSlotCount, kHighlightBoxes});
    for (int i = 0; i < n; ++i)
        boxes[static_cast<size_t>(i)] = trimSpaces(slots.words[static_cast<size_t>(i)]);
    return boxes;
}

std::vector<std::string> wordsToMark(const HighlightWords& boxes)
{
    std::vector<std::string> out;
    for (const auto& box : boxes) {
        if (box.empty())
            continue;
        std::string w;
        w.reserve(box.size());
        for (size_t i = 0; i < box.size(); ++i) {
            w.push_back(box[i]);
            if (box[i] == '\'' && i + 1 < box.size() && box[i + 1] == '\'')
                ++i;
        }
        out.push_back(std::move(w));
    }
    return out;
}

long highlightColour(std::string_view name)
{
    if (name == "Red")
        return 0x0000FF;
    if (name == "Green")
        return 0x00FF00;
    if (name == "Blue")
        return 0xFF0000;
    return 0x00FFFF;
}

ColourChoice opHMClick(bool ticked, int listIndex)
{
    if (ticked)
        return {true, listIndex};
    return {false, 0};
}

}  // namespace search
