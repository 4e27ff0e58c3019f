#include "topics_fixture.h"

#include "db/plain_text.h"
#include "db/sql.h"
#include "topics/bookmarks.h"
#include "topics/topic_store.h"
#include "topics/verse_items.h"

#include <algorithm>

using namespace topics_test;
using db::VerseRef;

namespace {

std::vector<std::string> names(db::Database& db)
{
    auto list = topics::listTopics(db);
    EXPECT_TRUE(list.ok()) << list.outcome.message;
    std::vector<std::string> out;
    for (const auto& t : list.value)
        out.push_back(t.name);
    return out;
}

std::vector<std::string> shown(db::Database& db, const std::string& name)
{
    auto verses = topics::topicVerses(db, name);
    EXPECT_TRUE(verses.ok()) << verses.outcome.message;
    std::vector<std::string> out;
    for (const auto& v : verses.value)
        out.push_back(v.display());
    return out;
}

using TopicStore = SmallText;

}  // namespace

TEST(TopicList, CreateNewAddsANameOnceAndCancelAddsNothing)
{
    topics::TopicList list;
    EXPECT_EQ(list.create(std::nullopt), std::nullopt);  // Cancel
    EXPECT_EQ(list.create(std::string()), std::nullopt);
    EXPECT_EQ(list.create(std::string(" \t\r\n")), std::nullopt);
    EXPECT_TRUE(list.names().empty());

    EXPECT_EQ(list.create(std::string("Patience")), 0);
    EXPECT_EQ(list.create(kAwkward), 1);
    // The same name again, in any letter case, is the same topic and item.
    EXPECT_EQ(list.create(std::string("PATIENCE")), 0);
    EXPECT_EQ(list.create(kAwkward), 1);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Patience", kAwkward}));
    EXPECT_EQ(list.indexOf("patience"), 0);
    EXPECT_EQ(list.indexOf("Patience "), -1);
}

TEST_F(TopicStore, ListsTopicsByNameLeavingOutSuraZeroRows)
{
    // "Hidden" has only a sura-0 row: never listed.
    EXPECT_EQ(names(db), (std::vector<std::string>{"God's mercy"}));
    ASSERT_TRUE(topics::insertVerses(db, "zeal", {{1, 1}}));
    ASSERT_TRUE(topics::insertVerses(db, "Anger", {{1, 2}}));
    ASSERT_TRUE(topics::insertVerses(db, "ANGER", {{2, 1}}));
    // Letter case is ignored both in the order and in what is one topic;
    // the spelling of the first filed row is listed.
    EXPECT_EQ(names(db), (std::vector<std::string>{"Anger", "God's mercy", "zeal"}));
    EXPECT_EQ(shown(db, "anger"), (std::vector<std::string>{"1:2", "2:1"}));
    auto list = topics::listTopics(db);
    EXPECT_EQ(list.value[0].verses, 2);

    topics::TopicList panel;
    ASSERT_TRUE(panel.reload(db));
    EXPECT_TRUE(panel.loaded());
    EXPECT_EQ(panel.names(), names(db));
}

TEST_F(TopicStore, InsertedVersesAreShownInVerseOrderAndADoubledVerseTwice)
{
    const std::string name = kAwkward;
    auto done = topics::insertVerses(db, name, {{2, 2}, {1, 2}, {2, 2}, {114, 0}});
    ASSERT_TRUE(done) << done.message;
    EXPECT_EQ(done.message, "Added 4 verses to the topic " + name);
    EXPECT_EQ(shown(db, name), (std::vector<std::string>{"1:2", "2:2", "2:2", "114:0"}));
    const auto listed = names(db);
    EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end());

    // Each add copies the verse's two text forms, the name stored exactly.
    EXPECT_EQ(text(db, "SELECT WORDS FROM ARTICLES WHERE SURA=1 AND VERSE=2 AND ARTICLES=" + db::quoted(name)),
              "Second test line, forgive and mercy.");
    EXPECT_EQ(text(db, "SELECT WORDS FROM ARTICLES1 WHERE SURA=1 AND VERSE=2 AND ARTICLES=" + db::quoted(name)),
              db::plainSearchForm("Second test line, forgive and mercy."));
    EXPECT_EQ(number(db, "SELECT count(*) FROM ARTICLES1 WHERE ARTICLES=" + db::quoted(name)), 4);
    EXPECT_EQ(text(db, "SELECT ARTICLES FROM ARTICLES WHERE SURA=114"), name);
}

TEST_F(TopicStore, AVerseTheTextLacksRefusesTheWholeInsert)
{
    auto before = number(db, "SELECT count(*) FROM ARTICLES") + number(db, "SELECT count(*) FROM ARTICLES1");
    auto r = topics::insertVerses(db, "New", {{1, 1}, {2, 7}});
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("no verse 2:7"), std::string::npos) << r.message;
    EXPECT_FALSE(topics::insertVerses(db, "", {{1, 1}}));
    EXPECT_FALSE(topics::insertVerses(db, "New", {}));
    EXPECT_EQ(number(db, "SELECT count(*) FROM ARTICLES") + number(db, "SELECT count(*) FROM ARTICLES1"), before);
}

TEST_F(TopicStore, DeletingATopicKeepsItsSecondTableRowsUntilTheVerseIsRemoved)
{
    ASSERT_TRUE(topics::deleteTopic(db, "God's mercy"));
    EXPECT_EQ(names(db), std::vector<std::string>{});
    EXPECT_EQ(number(db, "SELECT count(*) FROM ARTICLES1 WHERE ARTICLES='God''s mercy'"), 1);

    // A new topic of that name shows only its new verses.
    ASSERT_TRUE(topics::insertVerses(db, "God's mercy", {{1, 1}, {9, 2}}));
    EXPECT_EQ(shown(db, "God's mercy"), (std::vector<std::string>{"1:1", "9:2"}));
    EXPECT_EQ(number(db, "SELECT count(*) FROM ARTICLES1 WHERE ARTICLES='God''s mercy' AND SURA=1"), 2);

    // Removing 1:1 takes every copy from both tables, the old one too.
    auto r = topics::removeVerses(db, "God's mercy", {{1, 1}});
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(r.message, "Removed 1 verse from the topic God's mercy");
    EXPECT_EQ(shown(db, "God's mercy"), (std::vector<std::string>{"9:2"}));
    EXPECT_EQ(number(db, "SELECT count(*) FROM ARTICLES1 WHERE ARTICLES='God''s mercy' AND SURA=1"), 0);
    // Other topics' rows of the same verse stay.
    ASSERT_TRUE(topics::insertVerses(db, "Other", {{9, 2}, {9, 2}}));
    ASSERT_TRUE(topics::removeVerses(db, "Other", {{9, 2}}));
    EXPECT_EQ(shown(db, "God's mercy"), (std::vector<std::string>{"9:2"}));
    EXPECT_EQ(shown(db, "Other"), std::vector<std::string>{});
}

TEST_F(TopicStore, AFailedWriteSaysWhyWithoutTheStatementAndChangesNothing)
{
    ASSERT_TRUE(db.execute("PRAGMA query_only=1"));
    for (const auto& r : {topics::insertVerses(db, "God's mercy", {{1, 2}}),
                          topics::removeVerses(db, "God's mercy", {{1, 1}}), topics::deleteTopic(db, "God's mercy")}) {
        EXPECT_FALSE(r);
        EXPECT_NE(r.message.find("readonly"), std::string::npos) << r.message;
        EXPECT_EQ(r.message.find("ARTICLES"), std::string::npos) << r.message;
    }
    ASSERT_TRUE(db.execute("PRAGMA query_only=0"));
    EXPECT_EQ(shown(db, "God's mercy"), (std::vector<std::string>{"1:1", "2:2"}));
}

TEST(VerseItems, ChecksNameVersesOfTheOpenSuraOrReferences)
{
    using topics::ListItem;
    // A sura's verse list: bare numbers of the open sura.
    std::vector<ListItem> sura = {{"0", true}, {"1", false}, {"2", true}, {"2", true}};
    EXPECT_FALSE(topics::isReferenceList(sura));
    EXPECT_EQ(topics::checkedVerses(sura, 2), (std::vector<VerseRef>{{2, 0}, {2, 2}, {2, 2}}));
    // A reference list, whatever filled it; a search category is skipped.
    std::vector<ListItem> refs = {{"114:1", true}, {"V.2:3", true}, {"1:2", false}, {"F.9:1", true}};
    EXPECT_TRUE(topics::isReferenceList(refs));
    EXPECT_EQ(topics::checkedVerses(refs, 2), (std::vector<VerseRef>{{114, 1}, {2, 3}, {9, 1}}));
    // Nothing that is not a reference becomes verse 0.
    EXPECT_EQ(topics::verseOfItem("2:x", 2), std::nullopt);
    EXPECT_EQ(topics::verseOfItem("abc", 2), std::nullopt);
    EXPECT_EQ(topics::verseOfItem("5", 0), std::nullopt);
    EXPECT_EQ(topics::verseOfItem("1; DROP TABLE ZOVR", 2), std::nullopt);
    EXPECT_FALSE(topics::isReferenceList({}));
}

TEST(VerseItems, RemovingVersesNeedsAChosenTopicAndAReferenceList)
{
    using topics::ListItem;
    EXPECT_EQ(topics::removeVersesRefusal(true, {{"2:1", true}}), "");
    EXPECT_EQ(topics::removeVersesRefusal(false, {{"2:1", true}}), topics::kTopicVersesNotShown);
    EXPECT_EQ(topics::removeVersesRefusal(true, {{"1", true}}), topics::kTopicVersesNotShown);
    EXPECT_EQ(topics::removeVersesRefusal(true, {}), topics::kTopicVersesNotShown);
}

TEST(Bookmarks, TheCurrentVerseIsAddedEveryTimeAndJumpedTo)
{
    using topics::ListMode;
    topics::Bookmarks marks;
    for (auto entry :
         {topics::bookmarkEntry(ListMode::Verses, "255", 2), topics::bookmarkEntry(ListMode::Verses, "255", 2),
          topics::bookmarkEntry(ListMode::Result, "114:1", 2), topics::bookmarkEntry(ListMode::Result, "V.3:7", 2)}) {
        ASSERT_TRUE(entry);
        marks.add(*entry);
    }
    EXPECT_EQ(marks.entries(), (std::vector<std::string>{"2:255", "2:255", "114:1", "3:7"}));
    EXPECT_EQ(marks.jumpTarget(2), "114:1");
    EXPECT_EQ(marks.jumpTarget(4), std::nullopt);
    EXPECT_EQ(marks.jumpTarget(-1), std::nullopt);
    // No current item, front-matter pages, or an item that is not a verse.
    EXPECT_EQ(topics::bookmarkEntry(ListMode::Verses, std::nullopt, 2), std::nullopt);
    EXPECT_EQ(topics::bookmarkEntry(ListMode::Pages, "3", 2), std::nullopt);
    EXPECT_EQ(topics::bookmarkEntry(ListMode::Result, "Glossary", 2), std::nullopt);
    EXPECT_EQ(topics::bookmarkEntry(ListMode::Verses, "2:3", 2), std::nullopt);
}
