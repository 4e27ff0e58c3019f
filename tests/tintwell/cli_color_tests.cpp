#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::binDir;
using testing_support::runProgram;

namespace {

testing_support::RunResult color(std::vector<std::string> args)
{
    args.insert(args.begin(), {(binDir() / "zerafin-cli").string(), "color"});
    return runProgram(args);
}

}  // namespace

TEST(ColorCommand, PrintsEachConversionOnItsOwnLine)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"rgb2hsb", "255"}, "25700\n"},
        {{"rgb2hsb", "16777215"}, "100\n"},
        {{"hsb2rgb", "25700"}, "255\n"},
        {{"hsb2rgb", "50"}, "8421504\n"},  // grey 128
        {{"rgbstr", "255"}, "255, 0, 0\n"},
        {{"hsbstr", "25700"}, "0, 100, 100\n"},
        {{"tohex", "255"}, "FF0000\n"},
        {{"tohex", "+0"}, "000000\n"},
        {{"fromhex", "#ff8000"}, "33023\n"},
        {{"fromhex", "ff8000"}, "33023\n"},
        {{"fromhex", "000F80"}, "8392448\n"},
    };
    for (const auto& [args, expected] : cases) {
        const auto r = color(args);
        EXPECT_EQ(r.status, 0) << args[0] << " " << args[1] << ": " << r.err;
        EXPECT_EQ(r.out, expected) << args[0] << " " << args[1];
        EXPECT_EQ(r.err, "");
    }
}

TEST(ColorCommand, RefusesBadInputWithAMessageAndStatus2)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"rgb2hsb"},
        {"rgb2hsb", "255", "1"},
        {"mix", "255"},
        {"rgb2hsb", "red"},
        {"rgb2hsb", "12.5"},
        {"rgb2hsb", "-1"},
        {"tohex", "16777216"},
        {"rgbstr", "99999999999999999999"},
        {"hsb2rgb", "25701"},                  // brightness 101
        {"hsbstr", std::to_string(360 * 65536)},  // hue 360
        {"hsb2rgb", std::to_string(101 * 256)},   // saturation 101
        {"fromhex", "f80"},
        {"fromhex", "#ff80001"},
        {"fromhex", "gg8000"},
        {"fromhex", ""},
    };
    for (const auto& args : bad) {
        const auto r = color(args);
        const std::string what = args.empty() ? "(none)" : args[0] + (args.size() > 1 ? " " + args[1] : "");
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_EQ(r.out, "") << what;
        EXPECT_NE(r.err.find("zerafin-cli: "), std::string::npos) << what;
    }
    EXPECT_NE(color({"tohex", "16777216"}).err.find("0 to 16777215"), std::string::npos);
    EXPECT_NE(color({"fromhex", "f80"}).err.find("RRGGBB"), std::string::npos);
}
