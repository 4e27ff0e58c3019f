#include "search/word_groups.h"

#include "db/database.h"
#include "core/log.h"

#include <algorithm>

namespace search {

namespace {
// Groups in the order they were added: a new group is always the last.
constexpr std::string_view kAllGroups = "SELECT * FROM SIMWORDS ORDER BY rowid";
}  // namespace

bool WordGroups::fail(std::string message)
{
    error_ = std::move(message);
    db::logDb("word groups: %s", error_.c_str());
    return false;
}

int WordGroups::showAltWords(int position)
{
    rs_.close();
    count_ = 0;
    if (!rs_.open(kAllGroups, db_)) {
        fail(rs_.lastError());
        return maximum();
    }
    count_ = static_cast<int>(rs_.recordCount());
    setGroupFields(std::clamp(position, 0, std::max(0, count_ - 1)));
    return maximum();
}

GroupFields WordGroups::setGroupFields(int position)
{
    if (!rs_.isOpen() || !rs_.setAbsolutePosition(position + 1))
        return {};
    return fields();
}

GroupFields WordGroups::fields() const
{
    GroupFields out;
    if (position() < 0)
        return out;
    for (int i = 0; i < kGroupFields && i < rs_.fieldCount(); ++i)
        out[static_cast<size_t>(i)] = rs_.field(i).toString();
    return out;
}

int WordGroups::position() const
{
    const long p = rs_.absolutePosition();
    return p >= 1 ? static_cast<int>(p - 1) : -1;
}

bool WordGroups::updateGroup(const GroupFields& boxes)
{
    if (position() < 0)
        return fail(std::string(kMsgNoGroup));
    bool changed = false;
    for (int i = 0; i < kGroupFields && i < rs_.fieldCount(); ++i) {
        // Only what the reader changed is written: an untouched empty
        // alternate stays as it was.
        if (rs_.field(i).toString() == boxes[static_cast<size_t>(i)])
            continue;
        if (!rs_.setField(i, db::Value(boxes[static_cast<size_t>(i)]))) {
            rs_.cancelUpdate();
            return fail(rs_.lastError());
        }
        changed = true;
    }
    if (changed && !rs_.update())
        return fail(rs_.lastError());
    return true;
}

GroupFields WordGroups::changeGroup(int position, const GroupFields& boxesOfOld, bool* saved)
{
    bool ok = this->position() < 0 || updateGroup(boxesOfOld);
    if (saved)
        *saved = ok;
    return setGroupFields(position);
}

bool WordGroups::newGroup(const GroupFields& boxes)
{
    if (!rs_.isOpen())
        showAltWords(0);
    if (position() >= 0 && !updateGroup(boxes))
        return false;
    if (!rs_.isOpen() || !rs_.addNew() || !rs_.update())
        return fail(rs_.lastError());
    showAltWords(count_);  // kept within range: the new, last group
    return true;
}

bool WordGroups::deleteGroup()
{
    const int at = position();
    if (at < 0)
        return fail("no word group is shown");
    if (!rs_.deleteCurrent())
        return fail(rs_.lastError());
    showAltWords(at);
    return true;
}

}  // namespace search
