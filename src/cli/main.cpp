// zerafin-cli: the study functions of Zerafin from the command line, through
// the same logic the windows use.

#include "app/program_folder.h"
#include "cli/cli.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

namespace {

struct Command {
    std::function<int(const cli::Common&, const cli::Args&)> run;
    const char* synopsis;
};

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> table = {
        {"show", {cli::cmdShow, "show [--rtf [--highlight WORD]...] REF...  verses: 2:255, 1:1-7, 114 (plain, or as displayed)"}},
        {"color", {cli::cmdColor, "color OP VALUE         colour conversions: rgb2hsb, hsb2rgb, rgbstr, hsbstr, tohex, fromhex"}},
        {"divide", {cli::cmdDivide, "divide [--by D] [NUMBER | -]  divisibility by 19 (or by D) of a long number, as the division panel shows it"}},
        {"gematria", {cli::cmdGematria, "gematria (--words | --letters | --details) [--word-before] [--word-after] [--letter-before] [--letter-after] [--reset] [--] EXPR\n"
                                        "                       gematrical values of an Arabic expression"}},
        {"translit", {cli::cmdTranslit, "translit TEXT          Arabic expression from Latin transliteration (\" A B\", \"Sh\", two spaces between words)"}},
        {"search", {cli::cmdSearch, "search [--area N]... [--case] [--whole | --normal] [--range FROM-TO | --suras LIST]\n"
                                    "         [--chrono] [--sql] [--] TEXT   search as the search panel does; rows, then the count"}},
        {"block", {cli::cmdBlock, "block [--window N] [--first] [--case] [--chrono] [--] TEXT\n"
                                  "         words close together: every window of N verses holding them"}},
        {"sql", {cli::cmdSql, "sql \"STATEMENT\"        run a statement on the text database, rows tab-separated"}},
    };
    return table;
}

void usage(FILE* out)
{
    std::fputs("usage: zerafin-cli [--folder DIR] [--language NAME] COMMAND [ARGS...]\n"
               "  --folder DIR     program folder holding the text database (default: this program's folder)\n"
               "  --language NAME  text database NAME.ttb (default English)\n"
               "commands:\n",
               out);
    for (const auto& [name, c] : commands())
        std::fprintf(out, "  %s\n", c.synopsis);
}

// "--help" or "-h" among a command's options, before any "--" that ends them.
bool asksForHelp(const cli::Args& args)
{
    for (const std::string& a : args) {
        if (a == "--")
            return false;
        if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    cli::Common common;
    common.programFolder = programFolder();
    int i = 1;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        if ((a == "--folder" || a == "--language") && i + 1 < argc) {
            if (a == "--folder")
                common.programFolder = argv[++i];
            else
                common.language = argv[++i];
        } else if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else {
            break;
        }
    }
    if (i >= argc) {
        usage(stderr);
        return 2;
    }
    auto it = commands().find(argv[i]);
    if (it == commands().end()) {
        std::fprintf(stderr, "zerafin-cli: unknown command '%s'\n", argv[i]);
        usage(stderr);
        return 2;
    }
    cli::Args args(argv + i + 1, argv + argc);
    if (asksForHelp(args)) {
        std::printf("usage: zerafin-cli [--folder DIR] [--language NAME] %s\n", it->second.synopsis);
        return 0;
    }
    return it->second.run(common, args);
}
