#include "support/test_support.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing_support::runProgram;
using testing_support::TempDir;

namespace {
testing_support::RunResult cli(const fs::path& folder, std::vector<std::string> args)
{
    std::vector<std::string> argv = {ZF_CLI_EXE, "--folder", folder.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv);
}
}  // namespace

TEST(Cli, ShowPrintsPlainVersesAndRefusesUnknownReferences)
{
    TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    auto r = cli(dir.path(), {"show", "2:2", "1:1-2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "[2:2] Mercy, mercy: a line (twice).\n"
              "[1:1] First test line about mercy.\n"
              "[1:2] Second test line, forgive and mercy.\n");
    r = cli(dir.path(), {"show", "114"});
    EXPECT_EQ(r.out, "[114:0] Opening of the last test sura\n[114:1] Final line.\n");

    r = cli(dir.path(), {"show", "2:7"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("no verse 2:7"), std::string::npos);
    r = cli(dir.path(), {"show", "115:1"});
    EXPECT_EQ(r.status, 2);
    r = cli(dir.path(), {"show", "2:1; DROP TABLE ZOVR"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(cli(dir.path(), {"sql", "SELECT count(*) FROM ZOVR"}).out, "10\n");
}

TEST(Cli, SqlRunsStatementsWithTheProgramsFunctions)
{
    TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    auto r = cli(dir.path(), {"sql", "SELECT Sura, Verse, instr(1,Words,'MERCY',1) FROM Q WHERE instr(1,Words,'mercy',0) > 0 "
                                     "ORDER BY Sura, Verse"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\t1\t23\n1\t2\t31\n2\t2\t1\n");
    r = cli(dir.path(), {"sql", "SELECT nothing FROM nowhere"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nowhere"), std::string::npos);
}

TEST(Cli, MissingEmptyOrCorruptDatabaseIsReported)
{
    TempDir dir;
    auto r = cli(dir.path(), {"show", "1:1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("does not exist"), std::string::npos);
    r = cli(dir.path(), {"sql", "SELECT 1"});
    EXPECT_EQ(r.status, 1);

    testing_support::writeFile(dir / "English.ttb", "");
    r = cli(dir.path(), {"show", "1:1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is empty"), std::string::npos);

    testing_support::writeFile(dir / "English.ttb", std::string(3000, '\x7f'));
    r = cli(dir.path(), {"sql", "SELECT 1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot be read"), std::string::npos);

    // Another language file beside it is opened by name.
    testing_support::buildFixtureDatabase(dir / "Other.ttb", {"text_small"});
    r = runProgram({ZF_CLI_EXE, "--folder", dir.path().string(), "--language", "Other", "show", "9:1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli(dir.path(), {"bogus"}).status, 2);
}

TEST(Cli, RtfPrintsThePanesTextOrTheRtfWrittenBack)
{
    TempDir dir;
    testing_support::writeFile(dir / "ru.rtf", "\xEF\xBB\xBF{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 "
                                               "\\'cc\\'ee\\'f1\\'ea\\'e2\\'e0\\par {\\v hidden}\\'00end}");
    auto r = runProgram({ZF_CLI_EXE, "rtf", "--text", (dir / "ru.rtf").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Москва\r\nend");

    r = runProgram({ZF_CLI_EXE, "rtf", "--rtf", (dir / "ru.rtf").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\\rtf1", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\\fcharset204"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\\'cc\\'ee\\'f1\\'ea\\'e2\\'e0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\\v "), std::string::npos) << r.out;
    // What it writes reads back to the same text.
    auto again = runProgram({ZF_CLI_EXE, "rtf", "--text", "-"}, r.out);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, "Москва\r\nend");

    // Plain text from standard input stays text.
    EXPECT_EQ(runProgram({ZF_CLI_EXE, "rtf", "--text", "-"}, "one\ntwo").out, "one\r\ntwo");

    r = runProgram({ZF_CLI_EXE, "rtf", "--text", (dir / "missing.rtf").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.rtf"), std::string::npos);
    EXPECT_EQ(runProgram({ZF_CLI_EXE, "rtf", "--text", dir.path().string()}).status, 1);
    EXPECT_EQ(runProgram({ZF_CLI_EXE, "rtf", (dir / "ru.rtf").string()}).status, 2);
    EXPECT_EQ(runProgram({ZF_CLI_EXE, "rtf", "--html", "-"}).status, 2);
}
