#include "topics_fixture.h"

#include <chrono>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

using namespace topics_test;
using testing_support::runProgram;
using testing_support::TempDir;
namespace fs = std::filesystem;

extern char** environ;

namespace {

testing_support::RunResult cli(const fs::path& folder, std::vector<std::string> args, const std::string& input = {})
{
    std::vector<std::string> argv = {ZF_CLI_EXE, "--folder", folder.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv, input);
}

class CliTopics : public SmallText {
protected:
    testing_support::RunResult run(std::vector<std::string> args, const std::string& input = {})
    {
        return cli(dir.path(), std::move(args), input);
    }
};

}  // namespace

TEST_F(CliTopics, TopicsAreListedShownFiledRemovedAndDeleted)
{
    auto r = run({"topics", "list"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "God's mercy\n");
    EXPECT_EQ(run({"topics", "show", "god's MERCY"}).out, "1:1\n2:2\n");

    r = run({"topics", "add", kAwkward, "2:3", "1:1", "2:3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Added 3 verses to the topic " + kAwkward + "\n");
    EXPECT_EQ(run({"topics", "show", kAwkward}).out, "1:1\n2:3\n2:3\n");
    EXPECT_EQ(run({"topics", "list"}).out, kAwkward + "\nGod's mercy\n");

    r = run({"topics", "remove", kAwkward, "2:3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(run({"topics", "show", kAwkward}).out, "1:1\n");
    r = run({"topics", "delete", "God's mercy"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(run({"topics", "list"}).out, kAwkward + "\n");
    EXPECT_EQ(number(db, "SELECT count(*) FROM ARTICLES1 WHERE ARTICLES='God''s mercy'"), 1);
}

TEST_F(CliTopics, UnknownVersesTopicsAndActionsAreRefusedWithoutAChange)
{
    const std::string start = dump(file());
    const std::vector<std::vector<std::string>> refused = {
        {"topics", "add", "New", "1:1", "2:7"},
        {"topics", "add", "New", "1:1", "2:x"},
        {"topics", "add", "New", "1:1; DROP TABLE ZOVR"},
        {"topics", "add", "  ", "1:1"},
        {"topics", "remove", "God's mercy", "115:1"},
        {"topics", "remove", "Nobody", "1:1"},
        {"topics", "show", "Nobody"},
        {"topics", "delete", "Hidden"},
        {"topics", "rename", "x"},
        {"note", "2:9"},
        {"note", "2:9", "--set", "x"},
        {"note", "2:2", "--bogus"},
        {"collection", "merge", (dir / "none.mdb").string()},
        {"collection", "restore", file().string()},
        {"collection", "erase", "file"},
    };
    for (const auto& args : refused) {
        auto r = run(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << args[1] << ": " << r.err;
        EXPECT_NE(r.err, "");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_NE(run({"topics", "add", "New", "2:7"}).err.find("no verse 2:7"), std::string::npos);
    EXPECT_NE(run({"collection", "merge", file().string()}).err.find("is not a collection"), std::string::npos);
    EXPECT_EQ(firstDifference(dump(file()), start), "");
}

TEST_F(CliTopics, NotesArePrintedAndSetExactly)
{
    auto r = run({"note", "2:2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "it's a note\n");
    EXPECT_EQ(run({"note", "1:1"}).out, "\n");

    r = run({"note", "1:1", "--set", kAwkward});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Saved the note on 1:1\n");
    EXPECT_EQ(run({"note", "1:1"}).out, kAwkward + "\n");

    // From standard input, every byte kept (no line feed added or taken).
    const std::string piped = kAwkward + "\n\n";
    EXPECT_EQ(run({"note", "2:0", "--set", "-"}, piped).status, 0);
    EXPECT_EQ(run({"note", "2:0"}).out, piped + "\n");
    EXPECT_EQ(text(db, "SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=0"), piped);

    EXPECT_EQ(run({"note", "2:2", "--clear"}).out, "Cleared the note on 2:2\n");
    EXPECT_EQ(run({"note", "2:2"}).out, "\n");
    // And what the stock tool writes, the command reads.
    sqliteTool(file(), "UPDATE ZOVR SET YourNotes='from the tool' WHERE Sura=9 AND Verse=2;");
    EXPECT_EQ(run({"note", "9:2"}).out, "from the tool\n");
}

TEST_F(CliTopics, CollectionCommandsPrintWhatTheyDid)
{
    const auto out = dir / "mine.mdb";
    auto r = run({"collection", "backup", out.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Saved 1 note and 2 topic verses to " + out.string() + "\n");
    // An existing file is not replaced without --overwrite.
    r = run({"collection", "backup", out.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("already exists"), std::string::npos);
    EXPECT_EQ(run({"collection", "backup", "--overwrite", out.string()}).status, 0);

    r = run({"collection", "merge", out.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Added 1 note and 0 topic verses from " + out.string() +
                         "; left out 2 topic verses already in your topics\n");
    r = run({"collection", "erase"});
    EXPECT_EQ(r.out, "Erased 1 note and 2 topic verses\n");
    r = run({"collection", "restore", out.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Restored 1 note and 2 topic verses from " + out.string() + "\n");
    EXPECT_EQ(run({"note", "2:2"}).out, "it's a note\n");
}

TEST(CliCollectionKill, AKilledMergeLeavesTheTextWhollyBeforeOrWhollyAfter)
{
    TempDir dir;
    copyProgramFolder(dir.path());
    const auto textFile = dir / "English.ttb";
    const auto pristine = dir / "pristine.ttb";
    const auto shared = dir / "shared.mdb";
    writeLargeCollection(shared, 6236, 10000);
    fs::copy_file(textFile, pristine);
    const std::string before = dump(textFile);
    const auto started = std::chrono::steady_clock::now();
    auto full = cli(dir.path(), {"collection", "merge", shared.string()});
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    ASSERT_EQ(full.status, 0) << full.err;
    const std::string after = dump(textFile);
    ASSERT_NE(before, after);

    std::mt19937 random(std::random_device{}());
    int killedMidway = 0, killedInsideTheWrite = 0;
    for (int i = 0; i < 20; ++i) {
        fs::copy_file(pristine, textFile, fs::copy_options::overwrite_existing);
        std::vector<std::string> args = {ZF_CLI_EXE,   "--folder", dir.path().string(),
                                         "collection", "merge",    shared.string()};
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        // Anywhere from the start to a little past the time a whole merge takes.
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (took.count() * 6 / 5 + 1)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (WIFSIGNALED(status))
            ++killedMidway;
        // A journal left behind means the kill struck inside the write.
        std::error_code ec;
        if (fs::file_size(dir / "English.ttb-journal", ec) > 0 && !ec)
            ++killedInsideTheWrite;
        const std::string now = dump(textFile);
        EXPECT_TRUE(now == before || now == after)
            << "try " << i << " left half a merge: " << firstDifference(now, before);
    }
    // Most tries must really have cut the merge short for this to mean anything.
    EXPECT_GE(killedMidway, 5);
    EXPECT_GE(killedInsideTheWrite, 1);
}
