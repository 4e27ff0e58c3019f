#include "cli/cli.h"

#include "db/numeric.h"
#include "db/schema.h"
#include "reading/richtext/rtf_reader.h"
#include "search/block_search.h"
#include "search/query.h"
#include "search/result_list.h"
#include "search/search_run.h"

#include <cstdio>
#include <functional>
#include <optional>

namespace cli {

namespace {

// The words after the options, joined as the search box would hold them.
std::string joinText(const Args& args, size_t from)
{
    std::string text;
    for (size_t i = from; i < args.size(); ++i) {
        if (i > from)
            text += ' ';
        text += args[i];
    }
    return text;
}

void printLine(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// The options before the text, one at a time: `take` reads the option at
// args[i] (moving i past a value it takes) and gives the exit status to stop
// with, or nothing to go on. The options end at "--" or at the first word
// that does not start with "-"; i is left at the text's first word.
std::optional<int> readOptions(const Args& args, size_t& i,
                               const std::function<std::optional<int>(const std::string&, size_t&)>& take)
{
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a.empty() || a[0] != '-')
            break;
        if (auto status = take(a, i))
            return status;
    }
    return std::nullopt;
}

constexpr const char* kSearchUsage =
    "usage: zerafin-cli search [--area N]... [--case] [--whole | --normal] [--range FROM-TO | --suras LIST] "
    "[--chrono] [--sql] [--format refs|text|rtf|html|csv] [--] TEXT";
constexpr const char* kBlockUsage = "usage: zerafin-cli block [--window N] [--first] [--case] [--chrono] [--] TEXT";

}  // namespace

int cmdSearch(const Common& common, const Args& args)
{
    search::SearchOptions options;
    search::AreaSet areas{};
    bool areaSearch = false, sqlOnly = false, scopeGiven = false;
    OutputFormat format = OutputFormat::Refs;
    size_t i = 0;
    const auto stop = readOptions(args, i, [&](const std::string& a, size_t& i) -> std::optional<int> {
        const bool hasValue = i + 1 < args.size();
        if (a == "--area" && hasValue) {
            auto n = db::wholeNumber(args[++i]);
            if (!n || *n < 0 || *n >= search::kAreaCount)
                return fail("--area takes a search area number from 0 to 8", 2);
            areas[static_cast<size_t>(*n)] = true;
            areaSearch = true;
        } else if (a == "--case") {
            options.letterCase = true;
        } else if (a == "--whole") {
            options.ignoreWhole = true;
        } else if (a == "--normal") {
            options.ignoreNormal = true;
        } else if ((a == "--range" || a == "--suras") && scopeGiven) {
            return fail("--range and --suras choose the same thing; give one of them once", 2);
        } else if (a == "--range" && hasValue) {
            const std::string& r = args[++i];
            const auto dash = r.find('-', 1);
            if (dash == std::string::npos)
                return fail("--range takes FROM-TO, for example 2-10", 2);
            options.scope = search::SuraScope::Range;
            options.suraStart = r.substr(0, dash);
            options.suraEnd = r.substr(dash + 1);
            scopeGiven = true;
        } else if (a == "--suras" && hasValue) {
            options.scope = search::SuraScope::List;
            options.suras = args[++i];
            scopeGiven = true;
        } else if (a == "--chrono") {
            options.chronological = true;
        } else if (a == "--sql") {
            sqlOnly = true;
        } else if (a == "--format" && hasValue) {
            const std::string& f = args[++i];
            if (f == "refs")
                format = OutputFormat::Refs;
            else if (f == "text")
                format = OutputFormat::Text;
            else if (f == "rtf")
                format = OutputFormat::Rtf;
            else if (f == "html")
                format = OutputFormat::Html;
            else if (f == "csv")
                format = OutputFormat::Csv;
            else
                return fail("--format takes refs, text, rtf, html or csv", 2);
        } else {
            return fail(kSearchUsage, 2);
        }
        return std::nullopt;
    });
    if (stop)
        return *stop;
    if (options.ignoreWhole && options.ignoreNormal)
        return fail("--whole and --normal cannot be used together", 2);

    const std::string text = joinText(args, i);
    if (text.empty())
        return fail(std::string(search::kMsgMissingInput));
    if (!areaSearch && (options.ignoreWhole || options.ignoreNormal || scopeGiven || options.chronological))
        std::fputs("zerafin-cli: note: --whole, --normal, --range, --suras and --chrono apply to the area search "
                   "(--area) only\n",
                   stderr);

    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    search::SearchSlots slots;
    const std::string prepared = search::prepareSearchText(text);
    const search::SearchRun run =
        areaSearch ? search::runAreaSearch(db, prepared, slots.view(), options, areas, db::searchTables(), !sqlOnly)
                   : search::runSimpleSearch(db, prepared, slots.view(), options, !sqlOnly);

    for (const auto& st : run.statements) {
        const std::string where = st.area < 0 ? "the search" : "area " + std::to_string(st.area);
        if (st.status == search::StatementRun::Status::ScopeRefused)
            std::fprintf(stderr, "zerafin-cli: %s: the sura scope is not a number or a list of numbers; no hits\n",
                         where.c_str());
        else if (st.status == search::StatementRun::Status::Failed)
            std::fprintf(stderr, "zerafin-cli: %s: the statement failed, no hits: %s\n", where.c_str(),
                         st.error.c_str());
        else if (sqlOnly)
            printLine(st.sql);
    }
    if (sqlOnly)
        return 0;
    if (format != OutputFormat::Refs) {
        // Every row as the list shows it under "All", each with its text.
        const auto listed = search::filterResults(run.rows, search::kCategoryAfterSearch);
        const std::string header =
            format == OutputFormat::Csv ? std::string() : search::resultHeader(text, listed.items.size());
        return printDisplay(db, listed.items, header, format);
    }
    for (const auto& row : run.rows)
        printLine(row);
    printLine("Result Count: " + std::to_string(run.rows.size()));
    return 0;
}

int cmdBlock(const Common& common, const Args& args)
{
    search::BlockOptions options;
    bool chrono = false;
    size_t i = 0;
    const auto stop = readOptions(args, i, [&](const std::string& a, size_t& i) -> std::optional<int> {
        if (a == "--window" && i + 1 < args.size()) {
            options.windowSize = args[++i];
        } else if (a == "--first") {
            options.showFirst = true;
        } else if (a == "--case") {
            options.letterCase = true;
        } else if (a == "--chrono") {
            chrono = true;
        } else {
            return fail(kBlockUsage, 2);
        }
        return std::nullopt;
    });
    if (stop)
        return *stop;
    const std::string text = joinText(args, i);
    if (text.empty())
        return fail(std::string(search::kMsgMissingInput));
    const auto window = db::wholeNumber(options.windowSize);
    if (!window || *window < 1)
        std::fputs("zerafin-cli: note: the window size is not a whole number of verses, 1 or more; nothing matches\n",
                   stderr);

    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    // The stored verses, subtitles and footnotes with them, as the reading
    // pane shows the block search's output.
    const auto verses = search::readBlockVerses(db, chrono, richtext::rtfToPlainText);
    const auto result = search::blockSearch(search::prepareSearchText(text), verses, options);
    if (!result.searched)
        std::fputs("zerafin-cli: note: the text has no \"+\", \"\\\" or \"/\"; the block search needs them\n", stderr);
    // The pane's line breaks, as lines of this terminal.
    std::string out;
    out.reserve(result.output.size());
    for (size_t k = 0; k < result.output.size(); ++k) {
        if (result.output[k] == '\r' && k + 1 < result.output.size() && result.output[k + 1] == '\n')
            continue;
        out.push_back(result.output[k]);
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

}  // namespace cli
