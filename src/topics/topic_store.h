#pragma once

#include "db/verse_ref.h"
#include "topics/outcome.h"
#include "topics/verse_items.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Database;
}

// Topics: named sets of verses the reader keeps in ARTICLES and its twin
// ARTICLES1. A topic exists while ARTICLES holds a row of that name with a
// sura other than 0; rows with sura 0 are never listed. Names are compared
// without regard to letter case, as the topic columns are declared.
namespace topics {

inline constexpr std::string_view kNewTopicTitle = "Topic Name";
inline constexpr std::string_view kNewTopicPrompt = "Enter the name of the Topic: ";
inline constexpr std::string_view kConfirmDeleteTopic = "Are you sure you want to delete the selected topic?";
inline constexpr std::string_view kTopicVersesNotShown = "Topic Verses Not in Display";

struct TopicSummary {
    std::string name;
    long long verses = 0;  // rows of the topic, a doubled verse counting twice
};

// The topics in the order the topic list shows them: by name, ASCII letter
// case ignored, other characters by their code. Where rows spell a name
// differently ("Mercy", "mercy"), the first filed spelling is shown.
Fetched<std::vector<TopicSummary>> listTopics(db::Database& db);

// The verses of a topic in the order the verse list shows them: by sura,
// then verse; a verse filed twice is listed twice. Sura 0 rows are left out.
Fetched<std::vector<db::VerseRef>> topicVerses(db::Database& db, std::string_view name);

// Files the verses under the topic: one ARTICLES row with the verse's plain
// text (ZOVRSch) and one ARTICLES1 row with its search form (ZOVR1) per
// verse, a verse already in the topic being filed again. All or nothing:
// a verse that does not exist refuses the whole call. The report says how
// many verses were filed.
Outcome insertVerses(db::Database& db, std::string_view name, const std::vector<db::VerseRef>& verses);

// Takes the verses out of the topic, every copy of each, from both tables.
Outcome removeVerses(db::Database& db, std::string_view name, const std::vector<db::VerseRef>& verses);

// "DELETE VERSES (F10)" works only on a topic's (or any reference) list
// with a topic chosen; otherwise the notice to show (kTopicVersesNotShown).
std::string_view removeVersesRefusal(bool topicSelected, const std::vector<ListItem>& items);

// Deletes the topic's ARTICLES rows; its ARTICLES1 rows stay, as they
// always have (a verse removed later from a topic of that name takes them
// with it).
Outcome deleteTopic(db::Database& db, std::string_view name);

// The names in the topic list, with the rules of "CREATE NEW": a name is
// listed once (letter case ignored), and a created name lives only in the
// list until its first verse is filed.
class TopicList {
public:
    bool loaded() const { return loaded_; }
    // Reloads from the database (the list then holds only topics with verses).
    Outcome reload(db::Database& db);
    const std::vector<std::string>& names() const { return names_; }

    // "CREATE NEW" with the input box's answer (nothing for Cancel). Returns
    // the index of the item to select: the new last item, or the item that
    // already holds that name. Cancel, an empty or an all-blank answer adds
    // nothing and returns nothing.
    std::optional<int> create(const std::optional<std::string>& answer);

    // Index of the name (letter case ignored), or -1.
    int indexOf(std::string_view name) const;

private:
    std::vector<std::string> names_;
    bool loaded_ = false;
};

// True when both names stand for the same topic.
bool sameTopicName(std::string_view a, std::string_view b);

}  // namespace topics
