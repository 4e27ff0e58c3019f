// zerafin-cli: the study functions of Zerafin from the command line, through
// the same logic the windows use.

#include "core/program_folder.h"
#include "cli/cli.h"
#include "db/database.h"

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
                                    "         [--chrono] [--sql] [--format refs|text|rtf|html|csv] [--] TEXT\n"
                                    "                       search as the search panel does; rows and the count (refs), or the\n"
                                    "                       result with its verse text as the reading pane shows it, or a table"}},
        {"range", {cli::cmdRange, "range FROM TO [--rtf | --html | --csv]  the verses FROM to TO (2:1 2:10) as \"VIEW VERSES\"\n"
                                  "                       shows them: plain text, RTF, a web page, or a table sura,verse,text"}},
        {"block", {cli::cmdBlock, "block [--window N] [--first] [--case] [--chrono] [--] TEXT\n"
                                  "         words close together: every window of N verses holding them"}},
        {"topics", {cli::cmdTopics, "topics list | show NAME | add NAME REF... | remove NAME REF... | delete NAME\n"
                                    "                       the reader's topics: names, their verses (2:255), filing and removing verses"}},
        {"note", {cli::cmdNote, "note REF [--set TEXT | --set - | --clear]  print, set (- reads standard input) or clear a verse's note"}},
        {"collection", {cli::cmdCollection, "collection (backup [--overwrite] | restore | merge) FILE | collection erase  [--yes]\n"
                                            "                       notes and topics to or from a collection file; prints what was done"}},
        {"define", {cli::cmdDefine, "define WORD            the senses of a word in the offline English dictionary (exit 1 when unknown)"}},
        {"concordance", {cli::cmdConcordance, "concordance WORD [--area verses | subtitles | footnotes]  the verses a word stands in, one a line"}},
        {"documents", {cli::cmdDocuments, "documents              every companion document with its path and the result of its size test (exit 1 if any fails)"}},
        {"list", {cli::cmdList, "list (subtitles | footnotes) [--sura N]  the list of subtitles or footnotes, \"[2:255]\" tab text"}},
        {"rtf", {cli::cmdRtf, "rtf (--text | --rtf) (FILE | -)  a rich-text file's plain text as the reading pane gives it, or the RTF written back"}},
        {"voices", {cli::cmdVoices, "voices                 the installed voices, numbered from 1 (exit 1 when no speech engine answers)"}},
        {"speak", {cli::cmdSpeak, "speak [--voice N] [--speed S] [--pitch P] [--prepared] (REF... | -- TEXT)\n"
                                  "                       read verses or a text aloud and return when done; speed 30-510,\n"
                                  "                       pitch 84-338; --prepared prints the text as the automatic\n"
                                  "                       reading hands it to the engine and speaks nothing"}},
        {"sql", {cli::cmdSql, "sql [--write] \"STATEMENT\"  run one statement on the text database, rows tab-separated.\n"
                              "                       Read-only unless --write is given. --write lets the statement change\n"
                              "                       the file directly: a wrong one can delete the reader's notes, topics\n"
                              "                       and word groups or the text itself, with no undo; copy the .ttb first"}},
    };
    return table;
}

void usage(FILE* out)
{
    std::fputs("usage: zerafin-cli [--folder DIR] [--reader-folder DIR] [--language NAME] COMMAND [ARGS...]\n"
               "  --folder DIR         work on DIR/NAME.ttb itself, the text database of a program folder\n"
               "                       (default: the reader's own copy, see --reader-folder)\n"
               "  --reader-folder DIR  the reader's folder holding the working copy of NAME.ttb with the\n"
               "                       notes, topics and word groups (default: $ZERAFIN_READER_FOLDER, else\n"
               "                       $XDG_DATA_HOME/zerafin, else ~/.local/share/zerafin); the copy is made\n"
               "                       from the program's text database, or brought up to date, when needed\n"
               "  --language NAME      text database NAME.ttb (default English)\n"
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
    bool folderGiven = false, readerFolderGiven = false;
    int i = 1;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--reader-folder" && i + 1 < argc) {
            common.readerFolder = argv[++i];
            readerFolderGiven = true;
        } else if ((a == "--folder" || a == "--language") && i + 1 < argc) {
            if (a == "--folder") {
                common.programFolder = argv[++i];
                folderGiven = true;
            } else
                common.language = argv[++i];
            if (!db::isPlainLanguageName(common.language)) {
                std::fprintf(stderr, "zerafin-cli: --language takes a plain name such as English, not a path\n");
                return 2;
            }
        } else if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else {
            break;
        }
    }
    // --folder alone means that folder's file itself, as a program folder
    // holding a reader's data had it before there was a reader's folder.
    if (!readerFolderGiven && !folderGiven)
        common.readerFolder = readerFolder();
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
        std::printf("usage: zerafin-cli [--folder DIR] [--reader-folder DIR] [--language NAME] %s\n", it->second.synopsis);
        return 0;
    }
    return it->second.run(common, args);
}
