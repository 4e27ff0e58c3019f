#pragma once

#include "db/recordset.h"

#include <array>
#include <string>
#include <string_view>

namespace db {
class Database;
}

// The word groups (SIMWORDS) as the word-group panel pages through them:
// a head word or phrase and up to nine alternates per group, one group
// shown at a time by its 0-based position.
namespace search {

inline constexpr int kGroupFields = 10;  // WORDPHRASE, SIMILAR1 .. SIMILAR9
using GroupFields = std::array<std::string, kGroupFields>;

inline constexpr std::string_view kMsgGroupNotSaved = "The word group could not be saved.";
inline constexpr std::string_view kMsgGroupNotAdded = "The new word group could not be added.";
inline constexpr std::string_view kMsgGroupNotDeleted = "The word group could not be deleted.";
inline constexpr std::string_view kMsgNoGroup = "There is no word group to save. Press NEW GROUP to add one.";

class WordGroups {
public:
    explicit WordGroups(db::Database& db) : db_(db) {}

    // ShowAltWords: reloads every group, in the order they were added, and
    // makes the group at `position` (kept within range) current. Returns
    // the scroll bar maximum: the number of groups - 1 (-1 when there is
    // none).
    int showAltWords(int position);
    int maximum() const { return count_ - 1; }
    int count() const { return count_; }

    // SetGroupFields: the group at `position` becomes current; its fields,
    // empty for missing values (all empty when there is no such group).
    GroupFields setGroupFields(int position);
    // The fields of the current group.
    GroupFields fields() const;
    // 0-based position of the current group, -1 for none.
    int position() const;

    // "UPDATE GROUP": writes the ten boxes into the current group.
    bool updateGroup(const GroupFields& boxes);
    // ScrGroup_Change: saves the boxes into the group left behind, then
    // shows the group at `position`. `saved` tells whether the save
    // succeeded (it fails only when there was a group and it could not be
    // written).
    GroupFields changeGroup(int position, const GroupFields& boxesOfOld, bool* saved = nullptr);
    // "NEW GROUP": saves the boxes into the current group, adds an empty
    // group and shows it (last).
    bool newGroup(const GroupFields& boxes);
    // "DELETE GROUP": deletes the current group and shows the one that
    // takes its place (the new last one when it was last).
    bool deleteGroup();

    const std::string& lastError() const { return error_; }

private:
    bool fail(std::string message);

    db::Database& db_;
    db::Recordset rs_;
    int count_ = 0;
    std::string error_;
};

}  // namespace search
