#include "support/test_support.h"

#include <sstream>

#include <gtest/gtest.h>

using testing_support::runProgram;

namespace {

std::string cliPath() { return (testing_support::binDir() / "zerafin-cli").string(); }

}  // namespace

TEST(SpeakCommand, PreparedTextIsWhatTheAutomaticReadingSpeaks)
{
    testing_support::TempDir dir;
    testing_support::buildFixtureDatabase(dir / "English.ttb", {"text_small"});
    const std::string folder = dir.path().string();

    // Verses: their display with every reference and "*" gone, lower case.
    auto r = runProgram({cliPath(), "--folder", folder, "speak", "--prepared", "2:2", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, " mercy, mercy: a line (twice).\r\nopening words\r\n first test line about mercy.\r\n"
                     " second test line, forgive and mercy.\r\n\r\n1:2 a test footnote.\r\n\n");

    // A text after "--", options before it.
    r = runProgram({cliPath(), "speak", "--voice", "2", "--speed", "300", "--prepared", "--", "[1:1] Say*:",
                    "He Is [one"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, " say: he is [one\n");

    // Wrong input is refused before any engine is reached.
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> refused = {
        {{"speak", "--prepared"}, "usage"},
        {{"speak", "--prepared", "2:2", "--", "text"}, "usage"},
        {{"speak", "--speed", "29", "--", "x"}, "30 to 510"},
        {{"speak", "--speed", "511", "--", "x"}, "30 to 510"},
        {{"speak", "--pitch", "83", "--", "x"}, "84 to 338"},
        {{"speak", "--pitch", "high", "--", "x"}, "84 to 338"},
        {{"speak", "--voice", "0", "--", "x"}, "voice number"},
        {{"speak", "--voice"}, "needs a number"},
        {{"speak", "--loud", "--", "x"}, "unknown option"},
        {{"speak", "--prepared", "2:x"}, "not a verse reference"},
        {{"voices", "extra"}, "usage"},
    };
    for (const Case& c : refused) {
        std::vector<std::string> args = {cliPath(), "--folder", folder};
        args.insert(args.end(), c.args.begin(), c.args.end());
        r = runProgram(args);
        EXPECT_EQ(r.status, 2) << c.args[1];
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }

    // A verse the text lacks fails, and nothing is printed for it.
    r = runProgram({cliPath(), "--folder", folder, "speak", "--prepared", "2:7"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no verse 2:7"), std::string::npos);
}

TEST(SpeakCommand, HelpNamesBothCommands)
{
    auto r = runProgram({cliPath(), "--help"});
    EXPECT_NE(r.out.find("voices "), std::string::npos);
    EXPECT_NE(r.out.find("speak [--voice N]"), std::string::npos);
    r = runProgram({cliPath(), "speak", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--prepared"), std::string::npos);
}

TEST(VoicesCommand, NumberedFromOneOrAMessageWithoutAnEngine)
{
    // No synthesiser by that name: a message and exit 1, at once.
    auto r = runProgram({"/usr/bin/env", "ZERAFIN_SPEECH_ENGINES=no-such-engine", cliPath(), "voices"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("No voice can be heard: no speech synthesiser is installed"), std::string::npos) << r.err;
    r = runProgram({"/usr/bin/env", "ZERAFIN_SPEECH_ENGINES=no-such-engine", cliPath(), "speak", "--", "words"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No voice can be heard"), std::string::npos) << r.err;

    // flite lists its voices without speaking a word.
    r = runProgram({"/usr/bin/env", "ZERAFIN_SPEECH_ENGINES=flite", cliPath(), "voices"});
    if (r.status == 1 && r.err.find("no speech synthesiser is installed") != std::string::npos)
        GTEST_SKIP() << "the flite speech plugin is not installed";
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    int expected = 1;
    for (; std::getline(lines, line); ++expected)
        EXPECT_EQ(line.rfind(std::to_string(expected) + " ", 0), 0u) << line;
    EXPECT_GT(expected, 1);
}
