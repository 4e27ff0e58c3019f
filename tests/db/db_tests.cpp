#include "db/database.h"
#include "db/numeric.h"
#include "db/plain_text.h"
#include "db/recordset.h"
#include "db/schema.h"
#include "db/sql.h"
#include "db/verse_ref.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using testing_support::TempDir;

namespace {

long long sqlInstr(db::Database& db, const std::string& args)
{
    db::Recordset rs;
    EXPECT_TRUE(rs.open("SELECT instr(" + args + ")", db)) << rs.lastError();
    return rs.field(0).isNull() ? -999 : rs.field(0).toInt();
}

}  // namespace

TEST(Instr, FourArgumentSemantics)
{
    TempDir dir;
    db::Database db;
    ASSERT_TRUE(db.openFile(dir / "t.db", db::Database::Mode::CreateIfMissing));

    // Start position, and positions counted from the start of the text.
    EXPECT_EQ(sqlInstr(db, "1,'mercy and Mercy','mercy',0"), 1);
    EXPECT_EQ(sqlInstr(db, "2,'mercy and Mercy','mercy',0"), 0);
    EXPECT_EQ(sqlInstr(db, "2,'mercy and Mercy','mercy',1"), 11);
    // Case modes: 0 exact, 1 ignores letter case.
    EXPECT_EQ(sqlInstr(db, "1,'The MERCY','mercy',0"), 0);
    EXPECT_EQ(sqlInstr(db, "1,'The MERCY','mercy',1"), 5);
    // An empty word is found at the start position; absent words give 0.
    EXPECT_EQ(sqlInstr(db, "1,'abc','',1"), 1);
    EXPECT_EQ(sqlInstr(db, "3,'abc','',0"), 3);
    EXPECT_EQ(sqlInstr(db, "1,'abc','zzz',1"), 0);
    EXPECT_EQ(sqlInstr(db, "1,'','zzz',1"), 0);
    // Null text reads as null, so "> 0" and "= 0" both leave the row out.
    EXPECT_EQ(sqlInstr(db, "1,NULL,'a',1"), -999);
    // SQLite's own two-argument instr is untouched.
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT instr('abcabc','ca')", db));
    EXPECT_EQ(rs.field(0).toInt(), 3);
    // Positions count characters, not bytes, and case folding reaches
    // beyond ASCII.
    EXPECT_EQ(db::instrPosition(1, "\xC3\xA9t\xC3\xA9 Mercy", "mercy", 1), 5);
    EXPECT_EQ(db::instrPosition(1, "caf\xC3\x89 here", "caf\xC3\xA9", 1), 1);
    EXPECT_EQ(db::instrPosition(1, "caf\xC3\x89 here", "caf\xC3\xA9", 0), 0);
    EXPECT_EQ(db::instrPosition(2, "\xC3\xA9x\xC3\xA9x", "x", 0), 2);
    EXPECT_EQ(db::instrPosition(3, "\xC3\xA9x\xC3\xA9x", "x", 0), 4);
}

TEST(Database, RefusesMissingEmptyAndCorruptFiles)
{
    TempDir dir;
    db::Database db;
    EXPECT_FALSE(db.open(db::connectionString(dir.path(), "English")));
    EXPECT_FALSE(db.isOpen());
    EXPECT_NE(db.lastError().find("English.ttb"), std::string::npos);

    testing_support::writeFile(dir / "Bad.ttb", std::string(4096, 'x'));
    EXPECT_FALSE(db.open(db::connectionString(dir.path(), "Bad")));
    EXPECT_NE(db.lastError().find("not a database"), std::string::npos);

    // A zero-length file is a valid empty SQLite database: it opens, but has
    // no tables, which is what callers check.
    testing_support::writeFile(dir / "Empty.ttb", "");
    ASSERT_TRUE(db.open(db::connectionString(dir.path(), "Empty")));
    EXPECT_FALSE(db.hasTable("ZOVR"));

    // Statements that fail report the reason and leave the connection usable.
    EXPECT_FALSE(db.execute("SELECT * FROM nothing_here"));
    EXPECT_NE(db.lastError().find("nothing_here"), std::string::npos);
    EXPECT_TRUE(db.execute("CREATE TABLE t(a)"));
}

TEST(Database, FailuresSayWhetherTheFileIsDamagedAndNameTheSystemsReason)
{
    TempDir dir;
    db::Database db;
    testing_support::writeFile(dir / "Bad.ttb", std::string(4096, 'x'));
    EXPECT_FALSE(db.openFile(dir / "Bad.ttb"));
    EXPECT_TRUE(db.lastFailureWasDamage());
    EXPECT_FALSE(db.lastFailureWasLock());

    EXPECT_FALSE(db.openFile(dir / "missing" / "New.ttb", db::Database::Mode::CreateIfMissing));
    EXPECT_FALSE(db.lastFailureWasDamage());
    EXPECT_NE(db.lastError().find("No such file or directory"), std::string::npos) << db.lastError();

    // A read-only connection refuses writes.
    ASSERT_TRUE(db.openFile(dir / "t.ttb", db::Database::Mode::CreateIfMissing));
    ASSERT_TRUE(db.execute("CREATE TABLE t(a)"));
    ASSERT_TRUE(db.openFile(dir / "t.ttb", db::Database::Mode::ReadOnly));
    EXPECT_FALSE(db.execute("INSERT INTO t VALUES (1)"));
    EXPECT_EQ(db.lastError().find("INSERT"), std::string::npos) << db.lastError();

    EXPECT_FALSE(db::isPlainLanguageName("../English"));
    EXPECT_FALSE(db::isPlainLanguageName(std::string("a\0b", 3)));
    EXPECT_TRUE(db::isPlainLanguageName("English 2"));
}

TEST(Database, ATransactionStartedAfterTheFileWasReplacedWritesIntoTheNewFile)
{
    TempDir dir;
    const auto file = dir / "English.ttb";
    db::Database open;
    ASSERT_TRUE(open.openFile(file, db::Database::Mode::CreateIfMissing));
    ASSERT_TRUE(open.execute("CREATE TABLE t(a)"));
    {
        db::Database next;
        ASSERT_TRUE(next.openFile(dir / "next.ttb", db::Database::Mode::CreateIfMissing));
        ASSERT_TRUE(next.execute("CREATE TABLE t(a); INSERT INTO t VALUES ('new file')"));
    }
    std::filesystem::rename(dir / "next.ttb", file);
    EXPECT_TRUE(open.fileReplaced());
    {
        db::Database::Transaction t(open);
        ASSERT_TRUE(t.active()) << open.lastError();
        ASSERT_TRUE(open.execute("INSERT INTO t VALUES ('written')"));
        ASSERT_TRUE(t.commit()) << open.lastError();
    }
    EXPECT_FALSE(open.fileReplaced());
    db::Database check;
    ASSERT_TRUE(check.openFile(file));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT group_concat(a, ',') FROM t", check));
    EXPECT_EQ(rs.field(0).toString(), "new file,written");
}

TEST(Database, ConnectionStringKeepsItsDocumentedForm)
{
    std::string cs = db::connectionString("/opt/zerafin", "English");
    EXPECT_EQ(cs, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/zerafin/English.ttb;"
                  "Jet OLEDB:Database Password=QuIvErAl58");
    EXPECT_EQ(db::dataSourceOf(cs), std::filesystem::path("/opt/zerafin/English.ttb"));
    EXPECT_EQ(db::dataSourceOf("Provider=x"), std::filesystem::path());
}

TEST(Database, TransactionIsAllOrNothing)
{
    TempDir dir;
    db::Database db;
    ASSERT_TRUE(db.openFile(dir / "t.db", db::Database::Mode::CreateIfMissing));
    ASSERT_TRUE(db.execute("CREATE TABLE t(a)"));
    {
        db::Database::Transaction tx(db);
        ASSERT_TRUE(tx.active());
        db.execute("INSERT INTO t VALUES (1)");
        // leaves without commit
    }
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT count(*) FROM t", db));
    EXPECT_EQ(rs.field(0).toInt(), 0);
    {
        db::Database::Transaction tx(db);
        db.execute("INSERT INTO t VALUES (1)");
        EXPECT_TRUE(tx.commit());
    }
    ASSERT_TRUE(rs.open("SELECT count(*) FROM t", db));
    EXPECT_EQ(rs.field(0).toInt(), 1);
}

TEST(Sql, QuotingDoublesApostrophes)
{
    EXPECT_EQ(db::quoted("God's mercy"), "'God''s mercy'");
    EXPECT_EQ(db::doubledQuotes("it's ''x''"), "it''s ''''x''''");
    EXPECT_EQ(db::quoted(""), "''");
}

TEST(Numeric, ReadsNumbersTheWayTheProgramAlwaysHas)
{
    EXPECT_TRUE(db::isNumeric(" 12 "));
    EXPECT_TRUE(db::isNumeric("-1.5e3"));
    EXPECT_TRUE(db::isNumeric(".5"));
    EXPECT_FALSE(db::isNumeric(""));
    EXPECT_FALSE(db::isNumeric("12a7"));
    EXPECT_FALSE(db::isNumeric("-"));
    EXPECT_FALSE(db::isNumeric("1e"));

    EXPECT_EQ(db::leadingNumber("12a7"), 12);
    EXPECT_EQ(db::leadingNumber(" 1 2 3"), 123);
    EXPECT_EQ(db::leadingNumber("abc"), 0);
    EXPECT_EQ(db::leadingNumber("&HFF"), 255);
    EXPECT_EQ(db::leadingNumber("255]"), 255);

    // Only sign and digits may be spliced into a statement.
    EXPECT_EQ(db::wholeNumber(" 42 "), 42);
    EXPECT_EQ(db::wholeNumber("-3"), -3);
    EXPECT_FALSE(db::wholeNumber("1 or 1=1"));
    EXPECT_FALSE(db::wholeNumber("1.5"));
    EXPECT_FALSE(db::wholeNumber("99999999999999999999"));
    EXPECT_FALSE(db::wholeNumber(""));

    EXPECT_EQ(db::formatNumber(12.5), "12.5");
    EXPECT_EQ(db::formatNumber(25), "25");
    EXPECT_EQ(db::roundHalfEven(2.5), 2);
    EXPECT_EQ(db::roundHalfEven(3.5), 4);
}

TEST(VerseRef, FormsAndOrderingKey)
{
    db::VerseRef r{2, 255};
    EXPECT_EQ(r.display(), "2:255");
    EXPECT_EQ(r.bracketed(), "[2:255]");
    EXPECT_EQ(r.key(), 2255);
    EXPECT_EQ(db::VerseRef::fromKey(114006), (db::VerseRef{114, 6}));
    EXPECT_LT((db::VerseRef{2, 286}).key(), (db::VerseRef{3, 1}).key());
    EXPECT_EQ(db::VerseRef::parse("[16:98]"), (db::VerseRef{16, 98}));
    EXPECT_EQ(db::VerseRef::parse(" 9 : 1 "), (db::VerseRef{9, 1}));
    EXPECT_FALSE(db::VerseRef::parse("2-255"));
    EXPECT_FALSE(db::VerseRef::parse("a:1"));
    EXPECT_FALSE(db::hasOpeningRow(1));
    EXPECT_FALSE(db::hasOpeningRow(9));
    EXPECT_TRUE(db::hasOpeningRow(2));
}

TEST(PlainText, SpecialCharactersBlankedCollapsedAndPadded)
{
    EXPECT_EQ(db::plainSearchForm("[All] praise is [due] to Allah, Lord of the worlds"),
              " All praise is due to Allah Lord of the worlds ");
    EXPECT_EQ(db::plainSearchForm("mercy."), " mercy ");
    EXPECT_EQ(db::plainSearchForm("God's \"mercy\" - (all)"), " God s mercy all ");
    EXPECT_EQ(db::plainSearchForm("?!.,"), "");
    EXPECT_EQ(db::plainSearchForm(""), "");
    EXPECT_EQ(db::searchTables()[1], "Q");
    EXPECT_EQ(db::searchTables()[7], "ZOVR");
    EXPECT_EQ(db::searchAreaCaptions()[4], "Introduction/Appendix");
}
