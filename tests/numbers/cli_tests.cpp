#include "support/test_support.h"

#include <gtest/gtest.h>

using testing_support::runProgram;

namespace {

testing_support::RunResult cli(std::vector<std::string> args, const std::string& input = {})
{
    args.insert(args.begin(), (testing_support::binDir() / "zerafin-cli").string());
    return runProgram(args, input);
}

}  // namespace

TEST(NumbersCli, DivideAsThePanelShowsIt)
{
    auto r = cli({"divide", "38"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "This number IS a multiple of 19 \r\n(19 x  2)\nThe no. of digits is 2 - NOT a multiple of 19.\n");

    r = cli({"divide", "--by", "7", "12a7"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "This number is NOT A multiple of 7. The remainder comes to 3\n"
                     "The no. of digits is 4 - NOT a multiple of 7.\n");

    // "-" (or no number) reads standard input; its line breaks are no digits.
    r = cli({"divide", "-"}, "1900\n");
    EXPECT_EQ(r.out, "This number IS a multiple of 19 \r\n(19 x  1 0 0)\nThe no. of digits is 4 - NOT a multiple of 19.\n");
    r = cli({"divide", "--by", "19"}, "3 8\n");
    EXPECT_EQ(r.out, "This number IS A multiple of 19\r\n(19 x  2)\nThe no. of digits is 2 - NOT a multiple of 19.\n");

    for (const char* divisor : {"0", "abc", "2.5", "-7", ""}) {
        r = cli({"divide", "--by", divisor, "1207"});
        EXPECT_EQ(r.status, 2) << divisor;
        EXPECT_EQ(r.err, "Please enter a valid number\n") << divisor;
        EXPECT_EQ(r.out, "");
    }
    r = cli({"divide", "--by", "7"}, "");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Please enter a valid number\n");
    EXPECT_EQ(cli({"divide", "--bogus", "1"}).status, 2);
}

TEST(NumbersCli, GematriaAndTransliteration)
{
    const std::string abJd = "\xD8\xA7\xD8\xA8 \xD8\xAC\xD8\xAF";
    EXPECT_EQ(cli({"gematria", "--words", abJd}).out, " 3 7\n");
    EXPECT_EQ(cli({"gematria", "--words", "--word-before", abJd}).out, " 1  3 2  7\n");
    EXPECT_EQ(cli({"gematria", "--letters", "--letter-before", "--reset", abJd}).out, "  1  1 2  2  1  3 2  4\n");
    EXPECT_EQ(cli({"gematria", "--letters", "--word-after", "--letter-after", abJd}).out, " 1  1 2  2  1 3  3 4  4  2\n");
    auto r = cli({"gematria", "--details", abJd});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Number of Letters: 4\t=19x0.210526315789474\r\nNumber of Words: 2\t=19x0.105263157894737\r\n"
                     "Gematrical Value: 10\t=19x0.526315789473684\n");
    // "--" ends the options, so the expression may be empty.
    EXPECT_EQ(cli({"gematria", "--words", "--", ""}).out, " 0\n");
    EXPECT_EQ(cli({"gematria", "--letters", "--", ""}).out, " \n");

    EXPECT_EQ(cli({"gematria", abJd}).status, 2);                        // no calculation chosen
    EXPECT_EQ(cli({"gematria", "--words", "--details", abJd}).status, 2);  // two chosen
    EXPECT_EQ(cli({"gematria", "--words"}).status, 2);                   // no expression

    r = cli({"translit", " A B"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, " \xD8\xA7\xD8\xA8\n");
    EXPECT_EQ(cli({"translit", " A Sh"}).out, " \xD8\xA7\xD8\xB3\xD8\xB4\n");
    EXPECT_EQ(cli({"translit", "--", " A  B"}).out, " \xD8\xA7 \xD8\xA8\n");
    EXPECT_EQ(cli({"translit"}).status, 2);
}
