#include "topics/bookmarks.h"

#include "topics/verse_items.h"

namespace topics {

std::optional<std::string> bookmarkEntry(ListMode mode, std::optional<std::string_view> currentItem, int openSura)
{
    if (!currentItem || mode == ListMode::Pages)
        return std::nullopt;
    const bool reference = currentItem->find(':') != std::string_view::npos;
    if (reference != (mode == ListMode::Result))
        return std::nullopt;
    auto verse = verseOfItem(*currentItem, openSura);
    if (!verse)
        return std::nullopt;
    return verse->display();
}

std::optional<std::string> Bookmarks::jumpTarget(int index) const
{
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return std::nullopt;
    return entries_[static_cast<size_t>(index)];
}

}  // namespace topics
