// Checks on the text database that the build makes from the full sample text.
#include "db/database.h"
#include "db/recordset.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

class FullText : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing_support::fullTextAvailable())
            GTEST_SKIP() << "the build's text database is not there";
        ASSERT_TRUE(db.open(db::connectionString(testing_support::binDir(), "English"))) << db.lastError();
    }
    long long scalar(const std::string& sql)
    {
        db::Recordset rs;
        EXPECT_TRUE(rs.open(sql, db)) << rs.lastError();
        return rs.field(0).toInt(-1);
    }
    db::Database db;
};

}  // namespace

TEST_F(FullText, VerseTableShape)
{
    EXPECT_EQ(scalar("SELECT count(*) FROM ZOVR"), 6348);
    EXPECT_EQ(scalar("SELECT count(*) FROM ZOVR WHERE Verse = 0"), 112);
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT MIN(VERSE), MAX(VERSE) FROM ZOVR WHERE SURA=2", db));
    EXPECT_EQ(rs.field(0).toInt(), 0);
    EXPECT_EQ(rs.field(1).toInt(), 286);
    EXPECT_EQ(scalar("SELECT MIN(VERSE) FROM ZOVR WHERE SURA=1"), 1);
    EXPECT_EQ(scalar("SELECT MIN(VERSE) FROM ZOVR WHERE SURA=9"), 1);
    ASSERT_TRUE(rs.open("Select Sura,Verse from ZOVR where ((sura*1000)+verse) >= 2001 and ((sura*1000)+verse) <= 2286 "
                        "order by sura, verse",
                        db));
    EXPECT_EQ(rs.recordCount(), 286);
    EXPECT_EQ(rs.field("Verse").toInt(), 1);
    // The plain twin mirrors every row; the search forms hold the numbered verses.
    EXPECT_EQ(scalar("SELECT count(*) FROM ZOVR1"), 6348);
    for (const char* t : {"ZOVRSch", "Q", "Q1"})
        EXPECT_EQ(scalar(std::string("SELECT count(*) FROM ") + t), 6236) << t;
    EXPECT_EQ(scalar("SELECT count(*) FROM Q WHERE Verse = 0"), 0);
}

TEST_F(FullText, StoredVerseFollowsTheRenderingConventions)
{
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT * FROM ZOVR WHERE SURA=2 ORDER BY VERSE", db));
    ASSERT_TRUE(rs.find("[Verse]=255"));
    std::string rtf = rs.field("Words").toString();
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("Times New Roman"), std::string::npos);
    auto number = rtf.find("[2:255]");
    ASSERT_NE(number, std::string::npos);
    EXPECT_EQ(rtf.find('['), number);  // the reference is the first "["
    EXPECT_LT(rtf.find("\\fs24"), number);
    auto foot = rtf.find("\\fs20");
    if (foot != std::string::npos) {
        EXPECT_GT(foot, number);
    }
    EXPECT_EQ(rs.field("YourNotes").toString(), "");

    // Running totals of the word Allah only grow.
    ASSERT_TRUE(rs.open("SELECT \"count\", \"sum\" FROM ZOVR ORDER BY Sura, Verse", db));
    long long c = 0, s = 0;
    for (; !rs.eof(); rs.moveNext()) {
        ASSERT_GE(rs.field(0).toInt(), c);
        ASSERT_GE(rs.field(1).toInt(), s);
        c = rs.field(0).toInt();
        s = rs.field(1).toInt();
    }
    EXPECT_GT(c, 2000);
    EXPECT_EQ(scalar("SELECT count(*) FROM SuraTable WHERE ChOrder BETWEEN 1 AND 114"), 114);
    EXPECT_EQ(scalar("select RvOrder from SuraTable where ChOrder=96"), 1);
    EXPECT_EQ(scalar("select RvOrder from SuraTable where ChOrder=110"), 114);
}

TEST_F(FullText, TwoWordSearchStatementRuns)
{
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT * FROM Q where  instr(1,Words,'forgive',1) > 0  and  ( instr(1,Words,'mercy',1) > 0 ) "
                        "order by Sura, Verse",
                        db));
    EXPECT_GT(rs.recordCount(), 5);
    for (; !rs.eof(); rs.moveNext()) {
        std::string w = rs.field("Words").toString();
        for (char& ch : w)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_NE(w.find("forgive"), std::string::npos);
        EXPECT_NE(w.find("mercy"), std::string::npos);
    }
}
