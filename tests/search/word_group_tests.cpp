// Paging through, editing, adding and deleting word groups.
#include "search/query.h"
#include "search/word_groups.h"
#include "search_fixture.h"

#include "db/recordset.h"

#include <gtest/gtest.h>

using search::GroupFields;
using search::WordGroups;

namespace {

class WordGroupPanel : public SearchDb {
protected:
    long long scalar(const std::string& sql)
    {
        db::Recordset rs;
        EXPECT_TRUE(rs.open(sql, db)) << rs.lastError();
        return rs.field(0).toInt(-1);
    }
    std::vector<std::string> expand(const std::string& text)
    {
        search::SearchSlots s;
        search::getQSearch(text, s.view(), &db);
        return {s.words.begin(), s.words.begin() + s.count};
    }
};

}  // namespace

TEST_F(WordGroupPanel, MovingToAnotherGroupSavesTheOneLeft)
{
    WordGroups groups(db);
    EXPECT_EQ(groups.showAltWords(0), 2);  // three groups: 0 to 2
    GroupFields boxes = groups.fields();
    EXPECT_EQ(boxes[0], "grace");
    EXPECT_EQ(boxes[1], "mercy");
    EXPECT_EQ(boxes[2], "");

    boxes[3] = "kindness";  // "Similar Word 3:"
    bool saved = false;
    GroupFields next = groups.changeGroup(1, boxes, &saved);
    EXPECT_TRUE(saved);
    EXPECT_EQ(next[0], "idol");
    EXPECT_EQ(next[2], "statue");
    EXPECT_EQ(groups.position(), 1);

    // The next "@" search of any member uses the new alternate.
    EXPECT_EQ(expand("mercy@"), (std::vector<std::string>{"mercy", "grace", "kindness"}));
    EXPECT_EQ(expand("kindness@"), (std::vector<std::string>{"kindness", "grace", "mercy"}));

    // Moving on without edits writes nothing: missing alternates stay missing.
    groups.changeGroup(2, next, &saved);
    EXPECT_TRUE(saved);
    EXPECT_EQ(scalar("SELECT count(*) FROM SIMWORDS WHERE SIMILAR3 IS NULL"), 1);

    // A fresh panel shows the groups in the same order.
    WordGroups again(db);
    again.showAltWords(0);
    EXPECT_EQ(again.fields()[3], "kindness");
    EXPECT_EQ(again.setGroupFields(2)[0], "lamp");
}

TEST_F(WordGroupPanel, NewAndDeleteAdjustTheRange)
{
    WordGroups groups(db);
    groups.showAltWords(1);
    GroupFields boxes = groups.fields();
    boxes[4] = "figure";
    ASSERT_TRUE(groups.newGroup(boxes));
    EXPECT_EQ(groups.maximum(), 3);
    EXPECT_EQ(groups.position(), 3);
    EXPECT_EQ(groups.fields(), GroupFields{});
    EXPECT_EQ(scalar("SELECT count(*) FROM SIMWORDS"), 4);
    EXPECT_EQ(scalar("SELECT count(*) FROM SIMWORDS WHERE SIMILAR4='figure'"), 1);  // the group left was saved

    GroupFields fresh{};
    fresh[0] = "star";
    fresh[1] = "planet";
    groups.changeGroup(0, fresh);
    EXPECT_EQ(expand("planet@"), (std::vector<std::string>{"planet", "star"}));

    // Deleting the last group shows the new last one.
    groups.setGroupFields(3);
    ASSERT_TRUE(groups.deleteGroup());
    EXPECT_EQ(groups.maximum(), 2);
    EXPECT_EQ(groups.position(), 2);
    EXPECT_EQ(groups.fields()[0], "lamp");
    // Deleting one in the middle shows the group that takes its place.
    groups.setGroupFields(1);
    ASSERT_TRUE(groups.deleteGroup());
    EXPECT_EQ(groups.maximum(), 1);
    EXPECT_EQ(groups.position(), 1);
    EXPECT_EQ(groups.fields()[0], "lamp");
    EXPECT_EQ(expand("image@"), (std::vector<std::string>{"image"}));
}

TEST_F(WordGroupPanel, FailedWritesAreReported)
{
    ASSERT_TRUE(db.execute("DELETE FROM SIMWORDS"));
    WordGroups groups(db);
    EXPECT_EQ(groups.showAltWords(0), -1);
    EXPECT_EQ(groups.fields(), GroupFields{});
    GroupFields typed{};
    typed[0] = "orphan";
    EXPECT_FALSE(groups.updateGroup(typed));
    EXPECT_EQ(groups.lastError(), search::kMsgNoGroup);
    // With no group, NEW GROUP simply adds the first.
    ASSERT_TRUE(groups.newGroup(typed));
    EXPECT_EQ(groups.maximum(), 0);

    // The table gone from under the panel: the save fails and says so.
    ASSERT_TRUE(db.execute("DROP TABLE SIMWORDS"));
    typed[1] = "lost";
    EXPECT_FALSE(groups.updateGroup(typed));
    EXPECT_FALSE(groups.lastError().empty());
    bool saved = true;
    groups.changeGroup(0, typed, &saved);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(groups.newGroup(typed));
    EXPECT_FALSE(groups.deleteGroup());
}
