#include "db/database.h"
#include "db/recordset.h"
#include "db/sql.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using testing_support::TempDir;

namespace {

struct Fixture {
    TempDir dir;
    std::filesystem::path file = dir / "English.ttb";
    db::Database db;
    Fixture()
    {
        testing_support::buildFixtureDatabase(file, {"text_small"});
        EXPECT_TRUE(db.open(db::connectionString(dir.path(), "English")));
    }
};

}  // namespace

TEST(Recordset, StaticCursorNavigationAndFind)
{
    Fixture f;
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT * FROM ZOVR WHERE SURA=2 ORDER BY VERSE", f.db));
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.absolutePosition(), 1);
    EXPECT_EQ(rs.field("Verse").toInt(), 0);

    // Find searches forward from the current row, the current row included.
    EXPECT_TRUE(rs.find("[Verse]=2"));
    EXPECT_EQ(rs.absolutePosition(), 3);
    EXPECT_TRUE(rs.find("[Verse]=2"));
    EXPECT_EQ(rs.absolutePosition(), 3);
    EXPECT_FALSE(rs.find("[Verse]=1"));  // behind the current row
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), db::Recordset::kPosEOF);
    EXPECT_TRUE(rs.field("Words").isNull());  // no current row: reads as null

    rs.moveFirst();
    EXPECT_TRUE(rs.find("Verse = 1"));
    EXPECT_EQ(rs.field(1).toInt(), 1);

    // Absolute positions are 1-based; out of range is refused and changes nothing.
    EXPECT_TRUE(rs.setAbsolutePosition(4));
    EXPECT_EQ(rs.field("VERSE").toInt(), 3);
    EXPECT_FALSE(rs.setAbsolutePosition(5));
    EXPECT_FALSE(rs.setAbsolutePosition(0));
    EXPECT_EQ(rs.absolutePosition(), 4);

    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.movePrevious();
    EXPECT_EQ(rs.field("verse").toInt(), 3);
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), db::Recordset::kPosBOF);

    // Text criteria ignore letter case, as the program's lookups always have.
    ASSERT_TRUE(rs.open("SELECT * FROM SuraTable ORDER BY ChOrder", f.db));
    EXPECT_TRUE(rs.find("[Words]='contents'"));
    EXPECT_EQ(rs.field("ID").toInt(), 61);
    EXPECT_FALSE(rs.find("Words like 'x'"));
}

TEST(Recordset, FieldsByNameOrPositionAndNull)
{
    Fixture f;
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT * FROM ZOVR,SuraTable WHERE ZOVR.sura=SuraTable.chOrder ORDER BY SuraTable.rvOrder, verse",
                        f.db));
    // Two columns are called Words; by name the first, ZOVR's, is read.
    EXPECT_EQ(rs.field("Words").toString().rfind("{\\rtf", 0), 0u);
    EXPECT_EQ(rs.field("WORDS").toString(), rs.field("words").toString());
    int suraTitle = -1;
    for (int i = rs.fieldCount() - 1; i >= 0; --i)
        if (rs.fieldName(i) == "Words") {
            suraTitle = i;
            break;
        }
    ASSERT_GT(suraTitle, 0);
    EXPECT_EQ(rs.field(suraTitle).toString(), "The Test Opening (Al-Test)");
    // Revelation order: sura 1 (5th) comes before sura 114 (21st).
    EXPECT_EQ(rs.field("Sura").toInt(), 1);

    EXPECT_TRUE(rs.field("NoSuchColumn").isNull());
    EXPECT_TRUE(rs.field(99).isNull());
    EXPECT_EQ(rs.fieldIndex("RVORDER"), rs.fieldIndex("RvOrder"));

    ASSERT_TRUE(rs.open("SELECT NULL AS n, 12.5 AS x, 7 AS i", f.db));
    EXPECT_TRUE(rs.field("n").isNull());
    EXPECT_EQ(rs.field("n").toString(), "");
    EXPECT_EQ(rs.field("x").toString(), "12.5");
    EXPECT_EQ(rs.field("i").toString(), "7");

    // A failing statement leaves the recordset closed and says why.
    EXPECT_FALSE(rs.open("SELECT * FROM ARTICLES WHERE ARTICLES='God's mercy'", f.db));
    EXPECT_FALSE(rs.isOpen());
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.lastError().empty());
}

TEST(Recordset, ChangesAreWrittenBackToTheTable)
{
    Fixture f;
    db::Recordset rs;
    // Add a word group, change it, delete another: all persisted.
    ASSERT_TRUE(rs.open("SELECT * FROM SIMWORDS", f.db));
    ASSERT_TRUE(rs.addNew());
    rs.setField(0, db::Value("forgive"));
    rs.setField("SIMILAR1", db::Value("pardon"));
    ASSERT_TRUE(rs.update()) << rs.lastError();
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.field("WORDPHRASE").toString(), "forgive");

    rs.moveFirst();
    rs.setField("SIMILAR2", db::Value("kindness"));
    rs.moveNext();  // moving on writes the pending change
    rs.moveFirst();
    EXPECT_EQ(rs.field("SIMILAR2").toString(), "kindness");

    // A note with an apostrophe goes in and comes back unchanged, and its
    // plain twin follows.
    db::Recordset notes;
    ASSERT_TRUE(notes.open("Select * from ZOVR where sura=2 and verse=3", f.db));
    notes.setField("YourNotes", db::Value("it's mine; God's \"word\""));
    ASSERT_TRUE(notes.update()) << notes.lastError();

    // A topic name with an apostrophe, through the quoting helper.
    ASSERT_TRUE(f.db.execute("INSERT INTO ARTICLES (ARTICLES,SURA,VERSE,WORDS) VALUES(" + db::quoted("God's mercy") +
                             ",2,3," + db::quoted("it's") + ")"));

    // Delete the second topic row while walking: the walk visits every row.
    ASSERT_TRUE(rs.open("SELECT * FROM ARTICLES WHERE SURA<>0 ORDER BY SURA, VERSE", f.db));
    ASSERT_EQ(rs.recordCount(), 3);
    int visited = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        ++visited;
        if (rs.field("VERSE").toInt() == 2) {
            ASSERT_TRUE(rs.deleteCurrent()) << rs.lastError();
        }
    }
    EXPECT_EQ(visited, 3);
    EXPECT_EQ(rs.recordCount(), 2);

    // Everything above is in the file: read it through a new connection.
    db::Database again;
    ASSERT_TRUE(again.openFile(f.file));
    db::Recordset check;
    ASSERT_TRUE(check.open("SELECT * FROM SIMWORDS ORDER BY rowid", again));
    ASSERT_EQ(check.recordCount(), 2);
    EXPECT_EQ(check.field("SIMILAR2").toString(), "kindness");
    check.moveNext();
    EXPECT_EQ(check.field("WORDPHRASE").toString(), "forgive");
    EXPECT_EQ(check.field("SIMILAR1").toString(), "pardon");

    ASSERT_TRUE(check.open("SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=3", again));
    EXPECT_EQ(check.field(0).toString(), "it's mine; God's \"word\"");
    ASSERT_TRUE(check.open("SELECT YourNotes FROM ZOVR1 WHERE Sura=2 AND Verse=3", again));
    EXPECT_EQ(check.field(0).toString(), " it s mine God s word ");
    ASSERT_TRUE(check.open("SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=2", again));
    EXPECT_EQ(check.field(0).toString(), "it's a note");

    ASSERT_TRUE(check.open("SELECT ARTICLES, VERSE, WORDS FROM ARTICLES WHERE ARTICLES=" + db::quoted("God's mercy") +
                               " and Sura <> 0 order by Sura, Verse",
                           again));
    ASSERT_EQ(check.recordCount(), 2);
    EXPECT_EQ(check.field(0).toString(), "God's mercy");
    EXPECT_EQ(check.field("VERSE").toInt(), 1);
    check.moveNext();
    EXPECT_EQ(check.field("WORDS").toString(), "it's");
    // The row with sura 0 is never listed but is still there.
    ASSERT_TRUE(check.open("SELECT count(*) FROM ARTICLES WHERE SURA=0", again));
    EXPECT_EQ(check.field(0).toInt(), 1);
}

TEST(Recordset, DuplicateRowsChangeOneAtATime)
{
    TempDir dir;
    db::Database db;
    ASSERT_TRUE(db.openFile(dir / "t.db", db::Database::Mode::CreateIfMissing));
    ASSERT_TRUE(db.execute("CREATE TABLE t(a TEXT, b INTEGER); INSERT INTO t VALUES ('x', 1), ('x', 1), (NULL, 2);"));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT * FROM t", db));
    ASSERT_TRUE(rs.deleteCurrent());
    rs.moveNext();
    rs.moveNext();
    ASSERT_FALSE(rs.eof());
    EXPECT_TRUE(rs.field("a").isNull());
    ASSERT_TRUE(rs.setField("b", db::Value(3)));
    ASSERT_TRUE(rs.update()) << rs.lastError();  // a NULL field still finds its row
    ASSERT_TRUE(rs.open("SELECT count(*), sum(b) FROM t", db));
    EXPECT_EQ(rs.field(0).toInt(), 2);
    EXPECT_EQ(rs.field(1).toInt(), 4);
    // A change on a closed recordset or without a row is refused, not fatal.
    db::Recordset closed;
    EXPECT_FALSE(closed.setField("a", db::Value("y")));
    EXPECT_FALSE(closed.update());
    EXPECT_FALSE(closed.deleteCurrent());
}
