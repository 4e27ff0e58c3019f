#include "topics_fixture.h"

#include "topics/collection.h"
#include "topics/notes.h"
#include "topics/topic_store.h"

#include <algorithm>

using namespace topics_test;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> sortedLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    std::sort(lines.begin(), lines.end());
    return lines;
}

const std::string kSep = "\r\n***************************************\r\n";

class Collections : public SmallText {
protected:
    fs::path blank() const { return dir / "Files" / "Backup.mdb"; }  // not there: made from the schema
    std::string note(int s, int v) { return topics::readNote(db, {s, v}).value; }
    long long rows(const std::string& table, const std::string& where = "1")
    {
        return number(db, "SELECT count(*) FROM " + table + " WHERE " + where);
    }
};

// The full-shape program folder, with some notes and topics of the reader.
class FullCollections : public ::testing::Test {
protected:
    void SetUp() override
    {
        copyProgramFolder(dir.path());
        ASSERT_TRUE(db.openFile(dir / "English.ttb")) << db.lastError();
        for (int v = 1; v <= 30; ++v)
            ASSERT_TRUE(topics::writeNote(db, {2, v}, "Reader's note " + std::to_string(v)));
        for (int v = 1; v <= 50; ++v)
            ASSERT_TRUE(topics::insertVerses(db, "Reader " + std::to_string(v % 3), {{3, v}}));
        ASSERT_TRUE(db.execute("INSERT INTO ARTICLES1 VALUES ('Marker', 0, 0, '')"));
        writeLargeCollection(collection(), 400, 600);
        before = dump(dir / "English.ttb");
    }
    fs::path collection() const { return dir / "shared.mdb"; }

    testing_support::TempDir dir;
    db::Database db;
    std::string before;
};

}  // namespace

TEST_F(Collections, BackupWritesNotesAndBothTopicTablesAndNeverReplacesAFileUnasked)
{
    ASSERT_TRUE(topics::writeNote(db, {9, 2}, kAwkward));
    const auto out = dir / "mine.mdb";
    auto r = topics::backupCollection(db, blank(), out, false);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "Saved 2 notes and 2 topic verses to " + out.string());
    EXPECT_TRUE(topics::checkCollection(out));

    db::Database c;
    ASSERT_TRUE(c.openFile(out));
    EXPECT_EQ(text(c, "SELECT group_concat(Sura || ':' || Verse, ' ') FROM YourNotes"), "2:2 9:2");
    EXPECT_EQ(text(c, "SELECT YourNotes FROM YourNotes WHERE Sura=9"), kAwkward);
    EXPECT_EQ(number(c, "SELECT count(*) FROM Articles"), 3);  // sura-0 row included
    EXPECT_EQ(number(c, "SELECT count(*) FROM Articles1"), 2);
    c.close();

    // An existing file is replaced only when the caller says so.
    ASSERT_TRUE(topics::writeNote(db, {1, 1}, "later"));
    r = topics::backupCollection(db, blank(), out, false);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.fileExists);
    EXPECT_EQ(r.message, out.string() + " already exists");
    ASSERT_TRUE(c.openFile(out));
    EXPECT_EQ(number(c, "SELECT count(*) FROM YourNotes"), 2);
    c.close();
    r = topics::backupCollection(db, blank(), out, true);
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_TRUE(c.openFile(out));
    EXPECT_EQ(number(c, "SELECT count(*) FROM YourNotes"), 3);
    c.close();

    // Never onto the text database itself, nor without a name; no leftovers.
    r = topics::backupCollection(db, blank(), file(), true);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.fileExists);
    EXPECT_TRUE(topics::readNote(db, {1, 1}).ok());
    EXPECT_EQ(topics::backupCollection(db, blank(), "", true).message, topics::kEnterFileName);
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().string().find(".part-"), std::string::npos) << e.path();
}

TEST_F(Collections, MergingTwiceAppendsNotesTwiceButFilesNoTopicRowTwice)
{
    const auto shared = dir / "shared.mdb";
    writeCollection(shared, {{2, 2, "Theirs"}, {1, 1, kAwkward}, {2, 99, "no such verse"}, {1, 2, ""}},
                    {{"Their topic", 2, 3, "w"}, {"Their topic", 1, 1, "w"}, {"Another", 2, 3, "w"}},
                    {{"Their topic", 2, 3, "w1"}, {"Their topic", 2, 3, "w1"}});
    auto r = topics::mergeCollection(db, shared);
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(r.message, "Added 2 notes and 1 topic verse from " + shared.string() +
                             "; left out 1 note on a verse that the text does not have and 2 topic verses already in "
                             "your topics");
    EXPECT_EQ(note(2, 2), "it's a note" + kSep + "Theirs");
    // An empty note still gets the separator in front.
    EXPECT_EQ(note(1, 1), kSep + kAwkward);
    EXPECT_EQ(note(1, 2), "");
    // 1:1 is already in a topic of the reader; 2:3 goes in once, under the
    // first topic that has it.
    EXPECT_EQ(rows("ARTICLES", "SURA=2 AND VERSE=3"), 1);
    EXPECT_EQ(text(db, "SELECT ARTICLES FROM ARTICLES WHERE SURA=2 AND VERSE=3"), "Their topic");
    EXPECT_EQ(rows("ARTICLES", "SURA=1 AND VERSE=1"), 1);
    EXPECT_EQ(rows("ARTICLES1", "SURA=2 AND VERSE=3"), 1);

    r = topics::mergeCollection(db, shared);
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(note(2, 2), "it's a note" + kSep + "Theirs" + kSep + "Theirs");
    EXPECT_EQ(note(1, 1), kSep + kAwkward + kSep + kAwkward);
    EXPECT_EQ(rows("ARTICLES", "SURA=2 AND VERSE=3"), 1);
    EXPECT_EQ(rows("ARTICLES1", "SURA=2 AND VERSE=3"), 1);
}

TEST_F(Collections, RestoreKeepsNotesTheBackupLacksAndReplacesTheTopics)
{
    const auto backup = dir / "backup.mdb";
    ASSERT_TRUE(topics::backupCollection(db, blank(), backup, false).ok);
    ASSERT_TRUE(topics::writeNote(db, {2, 2}, "changed since"));
    ASSERT_TRUE(topics::writeNote(db, {9, 1}, "written since"));
    ASSERT_TRUE(topics::insertVerses(db, "New since", {{114, 1}}));
    ASSERT_TRUE(topics::deleteTopic(db, "God's mercy"));

    auto r = topics::restoreCollection(db, backup);
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(r.message, "Restored 1 note and 2 topic verses from " + backup.string());
    EXPECT_EQ(note(2, 2), "it's a note");
    EXPECT_EQ(note(9, 1), "written since");
    auto names = topics::listTopics(db).value;
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].name, "God's mercy");
    EXPECT_EQ(rows("ARTICLES"), 3);
    EXPECT_EQ(rows("ARTICLES1"), 2);
    EXPECT_EQ(rows("ARTICLES", "SURA=0"), 1);

    // Restoring again finds the note already in place: still counted, and
    // its search form still matches it.
    r = topics::restoreCollection(db, backup);
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(r.message, "Restored 1 note and 2 topic verses from " + backup.string());
    EXPECT_EQ(note(2, 2), "it's a note");
    EXPECT_EQ(rows("ZOVR1", "SURA=2 AND VERSE=2 AND YourNotes=' it s a note '"), 1);
}

TEST_F(Collections, EraseEmptiesNotesAndTopicsButKeepsSuraZeroRowsOfTheSecondTable)
{
    ASSERT_TRUE(topics::insertVerses(db, "More", {{9, 1}}));
    auto r = topics::eraseCollection(db);
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(r.message, "Erased 1 note and 3 topic verses");
    EXPECT_EQ(rows("ZOVR", "YourNotes <> ''"), 0);
    EXPECT_EQ(rows("ZOVR"), 10);
    EXPECT_EQ(rows("ZOVR1", "YourNotes <> ''"), 0);
    EXPECT_EQ(rows("ARTICLES"), 0);
    EXPECT_EQ(rows("ARTICLES1"), 1);
    EXPECT_EQ(rows("ARTICLES1", "SURA=0"), 1);
}

TEST_F(Collections, AFileThatIsNotACollectionIsRefusedAndNothingChanges)
{
    const std::string start = dump(file());
    testing_support::writeFile(dir / "text.txt", std::string(4000, 'x'));
    writeCollection(dir / "partial.mdb", {}, {}, {});
    {
        db::Database p;
        ASSERT_TRUE(p.openFile(dir / "partial.mdb"));
        ASSERT_TRUE(p.execute("DROP TABLE Articles1"));
    }
    writeCollection(dir / "column.mdb", {}, {}, {});
    {
        db::Database p;
        ASSERT_TRUE(p.openFile(dir / "column.mdb"));
        ASSERT_TRUE(p.execute("ALTER TABLE Articles DROP COLUMN Words"));
    }
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {"", "File does not exists"},
        {dir / "missing.mdb", "File does not exists"},
        {dir / "text.txt", "is not a collection of notes and topics: file is not a database"},
        {dir / "partial.mdb", "is not a collection of notes and topics: it has no table Articles1"},
        {dir / "column.mdb", "its table Articles has no column Words"},
        {dir.path(), "it is a folder"},
        {file(), "it has no table YourNotes"},
    };
    for (const auto& [path, why] : cases) {
        for (auto run : {topics::mergeCollection, topics::restoreCollection}) {
            auto r = run(db, path);
            EXPECT_FALSE(r);
            EXPECT_NE(r.message.find(why), std::string::npos) << r.message;
        }
        EXPECT_FALSE(topics::checkCollection(path));
    }
    EXPECT_EQ(firstDifference(dump(file()), start), "");
}

TEST_F(FullCollections, AFaultHalfwayThroughRestoreMergeOrEraseLeavesTheTextAsItWas)
{
    // Each fault strikes after about half of the rows of the operation.
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"restore", "CREATE TEMP TRIGGER fault BEFORE INSERT ON ARTICLES1 WHEN (SELECT count(*) FROM ARTICLES1) >= 300 "
                    "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"},
        {"restore", "CREATE TEMP TRIGGER fault BEFORE UPDATE OF YourNotes ON ZOVR WHEN NEW.Sura > 2 "
                    "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"},
        {"merge", "CREATE TEMP TRIGGER fault BEFORE INSERT ON ARTICLES WHEN (SELECT count(*) FROM ARTICLES) >= 250 "
                  "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"},
        {"merge", "CREATE TEMP TRIGGER fault BEFORE INSERT ON ARTICLES1 WHEN (SELECT count(*) FROM ARTICLES1) >= 300 "
                  "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"},
        {"erase", "CREATE TEMP TRIGGER fault BEFORE UPDATE OF YourNotes ON ZOVR WHEN NEW.Sura=2 AND NEW.Verse=16 "
                  "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"},
        {"erase", "CREATE TEMP TRIGGER fault BEFORE DELETE ON ARTICLES WHEN OLD.VERSE > 25 "
                  "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"},
    };
    for (const auto& [op, trigger] : faults) {
        ASSERT_TRUE(db.execute(trigger)) << db.lastError();
        topics::Outcome r = op == "restore" ? topics::restoreCollection(db, collection())
                            : op == "merge" ? topics::mergeCollection(db, collection())
                                            : topics::eraseCollection(db);
        EXPECT_FALSE(r) << op;
        EXPECT_NE(r.message.find("injected fault"), std::string::npos) << r.message;
        EXPECT_EQ(firstDifference(dump(dir / "English.ttb"), before), "") << op << " left part of its work behind";
        ASSERT_TRUE(db.execute("DROP TRIGGER temp.fault"));
    }
    // Without the fault each goes through.
    EXPECT_TRUE(topics::mergeCollection(db, collection()));
    EXPECT_NE(firstDifference(dump(dir / "English.ttb"), before), "");
}

TEST_F(FullCollections, BackupFromTheShippedBlankThenRestoreGivesBackTheSameData)
{
    ASSERT_TRUE(topics::mergeCollection(db, collection()));
    const std::string merged = dump(dir / "English.ttb");
    const auto out = dir / "round.mdb";
    auto r = topics::backupCollection(db, topics::collectionTemplate(dir.path()), out, false);
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_TRUE(topics::eraseCollection(db));
    ASSERT_TRUE(db.execute("DELETE FROM ARTICLES1"));  // the kept sura-0 rows come back from the backup
    auto back = topics::restoreCollection(db, out);
    ASSERT_TRUE(back) << back.message;
    // The topic rows come back in verse order rather than filing order.
    EXPECT_TRUE(sortedLines(dump(dir / "English.ttb")) == sortedLines(merged));
}
