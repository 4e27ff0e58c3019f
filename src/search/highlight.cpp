#include "search/highlight.h"

#include "search/text_util.h"
#include <algorithm>

namespace search {

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

}  // namespace search
