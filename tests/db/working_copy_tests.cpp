// The reader's working copy of the text database: made from the program's
// file when missing, brought up to date when the program's text changes,
// and never lost on the way.
#include "core/program_folder.h"
#include "db/database.h"
#include "db/recordset.h"
#include "db/user_data.h"
#include "db/working_copy.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;
using db::WorkingCopy;
using testing_support::TempDir;

namespace {

struct Folders {
    TempDir tmp;
    fs::path program = tmp / "program" / "English.ttb";
    fs::path working = tmp / "reader" / "English.ttb";

    // The program's text database as a build with this identity made it.
    void buildProgram(const std::string& identity, const std::string& verse22 = "Mercy, mercy: a line (twice).")
    {
        fs::remove(program);
        fs::create_directories(program.parent_path());
        testing_support::buildFixtureDatabase(program, {"text_small"});
        db::Database d;
        ASSERT_TRUE(d.openFile(program));
        ASSERT_TRUE(d.execute("UPDATE ZOVRSch SET Words=" + quoted(verse22) + " WHERE Sura=2 AND Verse=2"));
        db::Database::Transaction t(d);
        db::writeBuildIdentity(d, identity);
        ASSERT_TRUE(t.commit());
    }
    static std::string quoted(const std::string& s) { return "'" + s + "'"; }

    static std::string text(const fs::path& file, const std::string& sql)
    {
        db::Database d;
        EXPECT_TRUE(d.openFile(file, db::Database::Mode::ReadOnly)) << file;
        db::Recordset rs;
        EXPECT_TRUE(rs.open(sql, d)) << rs.lastError();
        return rs.eof() ? std::string("<none>") : rs.field(0).toString();
    }
    static void write(const fs::path& file, const std::string& sql)
    {
        db::Database d;
        ASSERT_TRUE(d.openFile(file, db::Database::Mode::CreateIfMissing));
        ASSERT_TRUE(d.execute(sql)) << d.lastError();
    }
    std::vector<std::string> readerFiles() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(working.parent_path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string firstDifference(const std::string& a, const std::string& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) + ", first difference at byte " +
           std::to_string(i);
}

}  // namespace

TEST(WorkingCopy, AMissingCopyIsMadeFromTheProgramsFileWhichStaysUntouched)
{
    Folders f;
    f.buildProgram("build-1");
    const std::string before = testing_support::readFile(f.program);

    WorkingCopy c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::Copied);
    EXPECT_EQ(c.file, f.working);
    EXPECT_TRUE(c.notice.empty());
    EXPECT_EQ(Folders::text(f.working, "SELECT Identity FROM ZerafinBuild"), "build-1");

    Folders::write(f.working, "UPDATE ZOVR SET YourNotes='mine' WHERE Sura=2 AND Verse=3");
    c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::Current);
    EXPECT_EQ(Folders::text(f.working, "SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=3"), "mine");
    EXPECT_TRUE(testing_support::readFile(f.program) == before);
    // No temporary files are left beside it.
    EXPECT_EQ(f.readerFiles(), (std::vector<std::string>{".English.ttb.lock", "English.ttb"}));

    // Without the program's file there is nothing to copy, and the reader's
    // copy is used as it is.
    fs::remove(f.program);
    EXPECT_EQ(db::prepareWorkingCopy(f.program, f.working).state, WorkingCopy::State::Current);
    fs::remove(f.working);
    c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::NoText);
    EXPECT_EQ(c.file, f.program);  // what the first-time initialisation builds
    EXPECT_FALSE(fs::exists(f.working));
}

TEST(WorkingCopy, ACopyOfAnEarlierBuildIsUpgradedWithEveryNoteTopicAndWordGroup)
{
    Folders f;
    f.buildProgram("build-1");
    ASSERT_EQ(db::prepareWorkingCopy(f.program, f.working).state, WorkingCopy::State::Copied);
    // The reader's data, in the earlier copy.
    Folders::write(f.working, "UPDATE ZOVR SET YourNotes='it''s mine' WHERE Sura=2 AND Verse=3;"
                              "UPDATE ZOVR SET YourNotes='' WHERE Sura=2 AND Verse=2;"
                              "INSERT INTO ARTICLES VALUES ('Patience', 9, 2, 'Another ninth line.');"
                              "INSERT INTO ARTICLES1 VALUES ('Patience', 9, 2, ' Another ninth line ');"
                              "UPDATE SIMWORDS SET SIMILAR2='kindness' WHERE WORDPHRASE='grace';");
    const std::string earlierNotes = "it's mine";

    // A new build: another text for 2:2, and a note of somebody else's in
    // the program's own file that must not reach the reader.
    f.buildProgram("build-2", "Mercy, renewed.");
    Folders::write(f.program, "UPDATE ZOVR SET YourNotes='not the reader''s' WHERE Sura=1 AND Verse=1");

    WorkingCopy c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::Upgraded);
    EXPECT_TRUE(c.notice.empty()) << c.notice;
    EXPECT_EQ(Folders::text(f.working, "SELECT Identity FROM ZerafinBuild"), "build-2");
    EXPECT_EQ(Folders::text(f.working, "SELECT Words FROM ZOVRSch WHERE Sura=2 AND Verse=2"), "Mercy, renewed.");
    EXPECT_EQ(Folders::text(f.working, "SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=3"), earlierNotes);
    EXPECT_EQ(Folders::text(f.working, "SELECT YourNotes FROM ZOVR1 WHERE Sura=2 AND Verse=3"), " it s mine ");
    EXPECT_EQ(Folders::text(f.working, "SELECT count(*) FROM ZOVR WHERE YourNotes <> ''"), "1");
    EXPECT_EQ(Folders::text(f.working, "SELECT count(*) FROM ARTICLES"), "4");
    EXPECT_EQ(Folders::text(f.working, "SELECT count(*) FROM ARTICLES WHERE ARTICLES='Patience'"), "1");
    EXPECT_EQ(Folders::text(f.working, "SELECT count(*) FROM ARTICLES1"), "3");
    EXPECT_EQ(Folders::text(f.working, "SELECT count(*) FROM ARTICLES1 WHERE ARTICLES='Patience'"), "1");
    EXPECT_EQ(Folders::text(f.working, "SELECT SIMILAR2 FROM SIMWORDS WHERE WORDPHRASE='grace'"), "kindness");

    // The earlier copy stays beside it, whole.
    fs::path previous = f.working;
    previous += ".previous";
    EXPECT_EQ(Folders::text(previous, "SELECT Identity FROM ZerafinBuild"), "build-1");
    EXPECT_EQ(Folders::text(previous, "SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=3"), earlierNotes);
    EXPECT_EQ(f.readerFiles(), (std::vector<std::string>{".English.ttb.lock", "English.ttb", "English.ttb.previous"}));

    // Up to date now: the next start changes nothing.
    EXPECT_EQ(db::prepareWorkingCopy(f.program, f.working).state, WorkingCopy::State::Current);
}

TEST(WorkingCopy, AFailedUpgradeLeavesTheEarlierCopyInUseUnchanged)
{
    Folders f;
    f.buildProgram("build-1");
    ASSERT_EQ(db::prepareWorkingCopy(f.program, f.working).state, WorkingCopy::State::Copied);
    Folders::write(f.working, "UPDATE ZOVR SET YourNotes='on the last line' WHERE Sura=114 AND Verse=1;"
                              "INSERT INTO ARTICLES VALUES ('Kept', 2, 1, 'x');");
    const std::string earlier = testing_support::readFile(f.working);

    // The new text no longer has the verse the note belongs to.
    f.buildProgram("build-2");
    Folders::write(f.program, "DELETE FROM ZOVR WHERE Sura=114 AND Verse=1");
    WorkingCopy c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::KeptEarlier);
    EXPECT_EQ(c.file, f.working);
    EXPECT_NE(c.notice.find("114:1"), std::string::npos) << c.notice;
    EXPECT_NE(c.notice.find("earlier copy"), std::string::npos) << c.notice;
    EXPECT_TRUE(testing_support::readFile(f.working) == earlier) << firstDifference(testing_support::readFile(f.working), earlier);
    EXPECT_EQ(f.readerFiles(), (std::vector<std::string>{".English.ttb.lock", "English.ttb"}));

    // A damaged program file is no better: the earlier copy stays too.
    testing_support::writeFile(f.program, std::string(8192, 'x'));
    c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::Current);
    EXPECT_TRUE(testing_support::readFile(f.working) == earlier);
}

TEST(WorkingCopy, ACopyMadeByANewerZerafinIsNotTakenBack)
{
    Folders f;
    f.buildProgram("build-1");
    ASSERT_EQ(db::prepareWorkingCopy(f.program, f.working).state, WorkingCopy::State::Copied);
    Folders::write(f.working, "UPDATE ZerafinBuild SET Identity='from-the-future', Format=" +
                                  std::to_string(db::kTextDatabaseFormat + 1));
    EXPECT_EQ(db::prepareWorkingCopy(f.program, f.working).state, WorkingCopy::State::Current);
    EXPECT_EQ(Folders::text(f.working, "SELECT Identity FROM ZerafinBuild"), "from-the-future");
}

TEST(WorkingCopy, ADamagedOrForeignFileAtItsNameIsKeptAsideAndAFreshCopyMade)
{
    Folders f;
    f.buildProgram("build-1");
    fs::create_directories(f.working.parent_path());
    testing_support::writeFile(f.working, std::string(8192, 'x'));
    WorkingCopy c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::Copied);
    EXPECT_NE(c.notice.find("English.ttb.unreadable-"), std::string::npos) << c.notice;
    EXPECT_EQ(Folders::text(f.working, "SELECT Identity FROM ZerafinBuild"), "build-1");

    fs::remove(f.working);
    Folders::write(f.working, "CREATE TABLE Accounts (Name TEXT); INSERT INTO Accounts VALUES ('theirs');");
    c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::Copied);
    EXPECT_NE(c.notice.find("English.ttb.foreign-"), std::string::npos) << c.notice;
    int kept = 0;
    for (const auto& e : fs::directory_iterator(f.working.parent_path()))
        if (e.path().filename().string().rfind("English.ttb.foreign-", 0) == 0) {
            EXPECT_EQ(Folders::text(e.path(), "SELECT Name FROM Accounts"), "theirs");
            ++kept;
        }
    EXPECT_EQ(kept, 1);
}

TEST(WorkingCopy, WithoutAReadersFolderTheProgramsFileIsShown)
{
    Folders f;
    f.buildProgram("build-1");
    // A file stands where the reader's folder should be made.
    testing_support::writeFile(f.tmp / "reader", "not a folder");
    WorkingCopy c = db::prepareWorkingCopy(f.program, f.working);
    EXPECT_EQ(c.state, WorkingCopy::State::Unavailable);
    EXPECT_EQ(c.file, f.program);
    EXPECT_NE(c.notice.find(f.working.parent_path().string()), std::string::npos) << c.notice;
}

TEST(ReaderFolder, FollowsTheVariableThenXdgDataHomeThenHome)
{
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    const char* savedRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string runtime = savedRuntime ? savedRuntime : "";
    ::setenv("HOME", "/home/reader", 1);
    ::setenv("XDG_DATA_HOME", "/data/home", 1);
    ::setenv(kReaderFolderVariable, "/elsewhere/mine", 1);
    EXPECT_EQ(readerFolder(), fs::path("/elsewhere/mine"));
    ::unsetenv(kReaderFolderVariable);
    EXPECT_EQ(readerFolder(), fs::path("/data/home/zerafin"));
    // A relative XDG_DATA_HOME is not valid and is ignored.
    ::setenv("XDG_DATA_HOME", "relative", 1);
    EXPECT_EQ(readerFolder(), fs::path("/home/reader/.local/share/zerafin"));
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(readerFolder(), fs::path("/home/reader/.local/share/zerafin"));
    ::setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
    EXPECT_EQ(temporaryFolder(), fs::path("/run/user/7/zerafin"));
    ::setenv("HOME", savedHome.c_str(), 1);
    ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}
