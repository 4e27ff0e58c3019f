#pragma once

#include "db/verse_ref.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the commands of this subsystem read the verse list: a sura's list
// holds bare verse numbers of the open sura, a reference list holds
// "sura:verse" items (topics, search results, verse ranges).
namespace topics {

// One item of the verse list as a command sees it.
struct ListItem {
    std::string text;
    bool checked = false;
};

// The verse an item names. An item without ":" is a verse number of the
// open sura; otherwise it is "sura:verse". A category prefix of a search
// result ("V.2:255") is skipped. Nothing that is not a whole reference is
// read as one, so a malformed item names no verse rather than verse 0.
std::optional<db::VerseRef> verseOfItem(std::string_view text, int openSura);

// True when the list holds references; decided by its first item, as the
// topic commands do.
bool isReferenceList(const std::vector<ListItem>& items);

// The checked verses in list order (a doubled item gives the verse twice).
// Items that name no verse are left out.
std::vector<db::VerseRef> checkedVerses(const std::vector<ListItem>& items, int openSura);

}  // namespace topics
