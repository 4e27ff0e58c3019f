#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <thread>

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

TEST(Cli, ReferencesOutOfRangeAreRefusedNotWrapped)
{
    TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    for (const char* ref : {"2:4294967297", "2:2147483648", "4294967298:1", "2:1-4294967297", "2:1000", "0:1", "2:-1"}) {
        auto r = cli(dir.path(), {"show", ref});
        EXPECT_EQ(r.status, 2) << ref;
        EXPECT_EQ(r.out, "") << ref;
        EXPECT_NE(r.err.find("is not a verse reference"), std::string::npos) << r.err;
    }
    EXPECT_EQ(cli(dir.path(), {"show", "2:1"}).status, 0);
    auto r = runProgram({ZF_CLI_EXE, "--folder", dir.path().string(), "--language", "../English", "show", "2:1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("plain name"), std::string::npos);
}

TEST(Cli, SqlReadsOnlyUnlessToldToWrite)
{
    TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    auto count = [&] { return cli(dir.path(), {"sql", "SELECT count(*) FROM ZOVR"}).out; };
    for (const std::string& sql : std::vector<std::string>{"DROP TABLE ZOVR", "DELETE FROM ZOVR", "UPDATE ZOVR SET YourNotes='x'",
                                  "VACUUM INTO '" + (dir / "copy.db").string() + "'"}) {
        auto r = cli(dir.path(), {"sql", sql});
        EXPECT_EQ(r.status, 2) << sql;
        EXPECT_NE(r.err.find("--write"), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(dir / "copy.db"));
    EXPECT_EQ(count(), "10\n");

    // One statement at a time: nothing after the first is dropped unseen.
    auto r = cli(dir.path(), {"sql", "SELECT 1; DELETE FROM ZOVR"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    r = cli(dir.path(), {"sql", "--write", "DELETE FROM ZOVR WHERE Sura=2; DELETE FROM ZOVR"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(count(), "10\n");
    EXPECT_EQ(cli(dir.path(), {"sql", "SELECT 1;  "}).out, "1\n");

    r = cli(dir.path(), {"sql", "--write", "UPDATE ZOVR SET YourNotes='mine' WHERE Sura=2 AND Verse=2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli(dir.path(), {"sql", "SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=2"}).out, "mine\n");
    EXPECT_NE(runProgram({ZF_CLI_EXE, "--help"}).out.find("--write"), std::string::npos);
}

TEST(Cli, SqlStreamsALargeResult)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "a memory limit cannot be combined with AddressSanitizer's shadow memory";
#endif
    TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    // 500,000 rows of 1 KB under a 400 MB limit: buffered they do not fit,
    // streamed they pass a line at a time.
    auto r = runProgram({"/bin/sh", "-c",
                         "ulimit -v 400000; '" + std::string(ZF_CLI_EXE) + "' --folder '" + dir.path().string() +
                             "' sql \"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500000) "
                             "SELECT i, printf('%1000d', i) FROM n\" | tail -n 1 | cut -c1-6"});
    EXPECT_EQ(r.out, "500000\n") << r.err;
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

TEST(Cli, EveryCommandExplainsItselfWithHelp)
{
    TempDir dir;  // no database: help needs none
    const auto all = cli(dir.path(), {"--help"});
    ASSERT_EQ(all.status, 0);
    // The command names are the first word of each indented line after "commands:".
    std::vector<std::string> names;
    std::istringstream lines(all.out.substr(all.out.find("commands:")));
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("  ", 0) == 0 && line.size() > 2 && line[2] != ' ')
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
    ASSERT_GE(names.size(), 8u);
    for (const std::string& name : names) {
        for (const char* flag : {"--help", "-h"}) {
            const auto r = cli(dir.path(), {name, flag});
            EXPECT_EQ(r.status, 0) << name << ' ' << flag << ": " << r.err;
            EXPECT_EQ(r.out.rfind("usage: zerafin-cli", 0), 0u) << name << ": " << r.out;
            EXPECT_NE(r.out.find(" " + name + " "), std::string::npos) << name << ": " << r.out;
            EXPECT_EQ(r.err, "") << name;
        }
    }
    // After "--" it is the command's own text, not a request for help.
    const auto literal = cli(dir.path(), {"translit", "--", "--help"});
    EXPECT_EQ(literal.out.rfind("usage:", 0), std::string::npos) << literal.out;
}

TEST(CliReaderFolder, NotesGoIntoTheReadersCopyWhichFollowsTheProgramsText)
{
    TempDir dir;
    const fs::path program = dir / "program";
    const fs::path reader = dir / "reader";
    fs::create_directories(program);
    testing_support::buildFixtureDatabase(program / "English.ttb", {"text_small"});
    auto sql = [&](const std::string& statements) {
        db::Database d;
        EXPECT_TRUE(d.openFile(program / "English.ttb"));
        EXPECT_TRUE(d.execute(statements)) << d.lastError();
        return testing_support::RunResult{0, {}, {}};
    };
    ASSERT_EQ(sql("CREATE TABLE ZerafinBuild (Identity TEXT, Format INTEGER);"
                  "INSERT INTO ZerafinBuild VALUES ('first', 1)")
                  .status,
              0);
    const std::vector<std::string> inReader = {ZF_CLI_EXE, "--folder", program.string(), "--reader-folder",
                                               reader.string()};
    auto run = [&](std::vector<std::string> args) {
        std::vector<std::string> argv = inReader;
        argv.insert(argv.end(), args.begin(), args.end());
        return runProgram(argv);
    };
    auto r = run({"note", "2:3", "--set", "my note"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(reader / "English.ttb"));
    EXPECT_EQ(run({"note", "2:3"}).out, "my note\n");
    // The program's own file has no note of the reader's.
    EXPECT_EQ(cli(program, {"note", "2:3"}).out, "\n");

    // A new text in the program folder: the reader's copy follows it at the
    // next command and keeps the note.
    ASSERT_EQ(sql("UPDATE ZerafinBuild SET Identity='second';"
                  "UPDATE ZOVRSch SET Words='A renewed line.' WHERE Sura=2 AND Verse=2")
                  .status,
              0);
    r = run({"show", "2:2"});
    EXPECT_EQ(r.out, "[2:2] A renewed line.\n") << r.err;
    EXPECT_EQ(run({"note", "2:3"}).out, "my note\n");
    EXPECT_TRUE(fs::exists(reader / "English.ttb.previous"));

    // A copy that cannot take the new text is kept and said so.
    ASSERT_EQ(run({"note", "2:1", "--set", "on a verse about to go"}).status, 0);
    ASSERT_EQ(sql("UPDATE ZerafinBuild SET Identity='third'; DELETE FROM ZOVR WHERE Sura=2 AND Verse=1").status, 0);
    r = run({"note", "2:1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "on a verse about to go\n");
    EXPECT_NE(r.err.find("earlier copy"), std::string::npos) << r.err;
}

TEST(CliReaderFolder, WithoutOptionsTheCopyGoesIntoTheReadersFolderOfTheEnvironment)
{
    if (!testing_support::fullTextAvailable())
        GTEST_SKIP() << "the build's text database is not there";
    TempDir dir;
    auto r = runProgram({"/usr/bin/env", "ZERAFIN_READER_FOLDER=" + (dir / "mine").string(), ZF_CLI_EXE, "show", "1:1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("[1:1] ", 0), 0u) << r.out;
    EXPECT_TRUE(fs::exists(dir / "mine" / "English.ttb"));
    // And from XDG_DATA_HOME when the variable is not set.
    r = runProgram({"/usr/bin/env", "-u", "ZERAFIN_READER_FOLDER", "XDG_DATA_HOME=" + (dir / "data").string(), ZF_CLI_EXE,
                    "note", "1:1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "data" / "zerafin" / "English.ttb"));
}

// Several programs starting at once (the window and a few zerafin-cli
// commands) make one working copy, upgrade it once, and lose nothing.
TEST(CliReaderFolder, ProgramsStartingTogetherShareOneCopy)
{
    TempDir dir;
    const fs::path program = dir / "program";
    const fs::path reader = dir / "reader";
    fs::create_directories(program);
    testing_support::buildFixtureDatabase(program / "English.ttb", {"text_small"});
    auto setIdentity = [&](const std::string& id) {
        db::Database d;
        ASSERT_TRUE(d.openFile(program / "English.ttb"));
        ASSERT_TRUE(d.execute("CREATE TABLE IF NOT EXISTS ZerafinBuild (Identity TEXT, Format INTEGER);"
                              "DELETE FROM ZerafinBuild; INSERT INTO ZerafinBuild VALUES ('" + id + "', 1)"));
    };
    auto together = [&](const std::vector<std::string>& verses) {
        std::vector<testing_support::RunResult> results(verses.size());
        std::vector<std::thread> runs;
        for (size_t i = 0; i < verses.size(); ++i)
            runs.emplace_back([&, i] {
                results[i] = runProgram({ZF_CLI_EXE, "--folder", program.string(), "--reader-folder", reader.string(),
                                         "note", verses[i], "--set", "note on " + verses[i]});
            });
        for (auto& t : runs)
            t.join();
        for (const auto& r : results)
            EXPECT_EQ(r.status, 0) << r.err;
    };
    setIdentity("first");
    together({"2:1", "2:3", "9:1", "9:2"});
    setIdentity("second");
    together({"1:1", "1:2", "114:1"});
    for (const std::string verse : {"2:1", "2:3", "9:1", "9:2", "1:1", "1:2", "114:1"})
        EXPECT_EQ(runProgram({ZF_CLI_EXE, "--folder", program.string(), "--reader-folder", reader.string(), "note", verse})
                      .out,
                  "note on " + verse + "\n");
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(reader))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".English.ttb.lock", "English.ttb", "English.ttb.previous"}));
}

TEST(CliReaderFolder, WithoutAReadersFolderNotesAreRefusedNotWrittenIntoTheProgram)
{
    TempDir dir;
    fs::create_directories(dir / "program");
    testing_support::buildFixtureDatabase(dir / "program" / "English.ttb", {"text_small"});
    testing_support::writeFile(dir / "blocked", "not a folder");
    const std::vector<std::string> base = {ZF_CLI_EXE, "--folder", (dir / "program").string(), "--reader-folder",
                                           (dir / "blocked").string()};
    auto args = base;
    args.insert(args.end(), {"note", "2:3", "--set", "lost?"});
    auto r = runProgram(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot be kept"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("was not saved"), std::string::npos) << r.err;
    EXPECT_EQ(cli(dir / "program", {"note", "2:3"}).out, "\n");
    // Reading still works.
    args = base;
    args.insert(args.end(), {"show", "2:2"});
    EXPECT_EQ(runProgram(args).out, "[2:2] Mercy, mercy: a line (twice).\n");
}

TEST(Cli, ListPrintsTheSubtitlesOrFootnotesAsTheListShowsThem)
{
    TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    auto r = cli(dir.path(), {"list", "subtitles"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[1:1]\tOpening words\n");
    r = cli(dir.path(), {"list", "footnotes", "--sura", "1"});
    EXPECT_EQ(r.out, "[1:2]\t*1:2 A test footnote.\n");
    EXPECT_EQ(cli(dir.path(), {"list", "footnotes", "--sura", "2"}).out, "");
    EXPECT_EQ(cli(dir.path(), {"list", "footnotes", "--sura", "2;x"}).status, 2);
    EXPECT_EQ(cli(dir.path(), {"list", "headers"}).status, 2);
}

TEST(Cli, DocumentsReportsEachCompanionDocumentAndItsSizeTest)
{
    TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    // The fixture records the contents page at 61 units of 200 bytes.
    testing_support::writeFile(dir / "Files" / "English" / "Contents.htm", std::string(12345, 'c'));
    auto r = cli(dir.path(), {"documents"});
    EXPECT_EQ(r.status, 1);  // no appendices or concordances here
    EXPECT_NE(r.out.find("Contents\tok\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Appendix 07\tmissing\t"), std::string::npos) << r.out;
    testing_support::writeFile(dir / "Files" / "English" / "Contents.htm", std::string(12400, 'c'));
    r = cli(dir.path(), {"documents"});
    EXPECT_NE(r.out.find("Contents\tmodified or corrupted\t"), std::string::npos) << r.out;
}

TEST(Cli, EveryCompanionDocumentOfTheBuiltProgramPassesItsTest)
{
    if (!testing_support::fullTextAvailable())
        GTEST_SKIP() << "the full text is not built";
    auto r = cli(testing_support::binDir(), {"documents"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 38 + 3 + 3) << r.out;
}

TEST(Cli, DefinePrintsTheOfflineSensesOrSaysTheWordIsUnknown)
{
    TempDir dir;
    auto r = runProgram({ZF_CLI_EXE, "define", "forgave"});
    if (r.status == 1 && r.err.find("not installed") != std::string::npos)
        GTEST_SKIP() << "WordNet is not installed";
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("forgive (verb)\n  1. ", 0), 0u) << r.out;
    r = runProgram({ZF_CLI_EXE, "define", "xyzzyq"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not in the offline dictionary"), std::string::npos);
    r = runProgram({ZF_CLI_EXE, "define", "two words"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Please select only one word"), std::string::npos);
}

// The concordance and the whole-word search agree, word by word, in each area.
TEST(Cli, ConcordanceAgreesWithTheWholeWordSearchInEachArea)
{
    if (!testing_support::fullTextAvailable())
        GTEST_SKIP() << "the full text is not built";
    const fs::path bin = testing_support::binDir();
    const std::vector<std::pair<std::string, std::vector<std::string>>> areas = {
        {"1", {"Throne", "mercy", "forgive", "Moses", "light", "patient", "Pharaoh", "ark", "camel", "iron"}},
        {"2", {"Throne", "Abraham", "Prayer", "the", "of"}},
        {"3", {"Kursi", "Basmalah", "verse", "Arabic", "compare"}},
    };
    const char* names[] = {"", "verses", "subtitles", "footnotes"};
    for (const auto& [area, words] : areas)
        for (const std::string& word : words) {
            const auto c = cli(bin, {"concordance", word, "--area", names[std::stoi(area)]});
            ASSERT_EQ(c.status, 0) << c.err;
            const auto s = cli(bin, {"search", "--area", area, "--whole", word + " "});
            ASSERT_EQ(s.status, 0) << s.err;
            std::set<std::string> searched;
            std::istringstream lines(s.out);
            for (std::string line; std::getline(lines, line);)
                if (auto dot = line.find('.'); dot != std::string::npos && dot <= 2)
                    searched.insert(line.substr(dot + 1));
            std::set<std::string> listed;
            std::istringstream refs(c.out);
            for (std::string line; std::getline(refs, line);)
                listed.insert(line);
            EXPECT_EQ(listed, searched) << word << " in area " << area;
            EXPECT_EQ(std::count(c.out.begin(), c.out.end(), '\n'), static_cast<long>(listed.size()))
                << word << ": each verse once";
        }
    EXPECT_EQ(cli(bin, {"concordance", "two words"}).status, 2);
    EXPECT_EQ(cli(bin, {"concordance", "mercy", "--area", "glossary"}).status, 2);
}
