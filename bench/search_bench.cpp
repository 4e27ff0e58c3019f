// The search on the full text (build/bin/English.ttb).
#include "db/database.h"
#include "db/schema.h"
#include "reading/richtext/rtf_reader.h"
#include "search/block_search.h"
#include "search/query.h"
#include "search/result_list.h"
#include "search/search_run.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

db::Database* textDb()
{
    static db::Database db;
    static bool tried = false;
    if (!tried) {
        tried = true;
        db.open(db::connectionString(ZF_BIN_DIR, "English"));
    }
    return db.isOpen() ? &db : nullptr;
}

// From the text in the box to the rows of the result list.
void SimpleSearchTwoWords(benchmark::State& state)
{
    auto* db = textDb();
    if (!db)
        return state.SkipWithError("no text database; run scripts/setup");
    search::SearchSlots slots;
    size_t rows = 0;
    for (auto _ : state) {
        auto run = search::runSimpleSearch(*db, search::prepareSearchText("merciful+forgiving"), slots.view(), {});
        rows = run.rows.size();
        benchmark::DoNotOptimize(run);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(SimpleSearchTwoWords)->Unit(benchmark::kMillisecond);

void AreaSearchAllNineAreas(benchmark::State& state)
{
    auto* db = textDb();
    if (!db)
        return state.SkipWithError("no text database; run scripts/setup");
    search::SearchSlots slots;
    search::AreaSet all;
    all.fill(true);
    size_t rows = 0;
    for (auto _ : state) {
        auto run = search::runAreaSearch(*db, search::prepareSearchText("merciful+forgiving"), slots.view(), {}, all,
                                         db::searchTables());
        rows = run.rows.size();
        benchmark::DoNotOptimize(run);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(AreaSearchAllNineAreas)->Unit(benchmark::kMillisecond);

// Reading every verse and testing every window of two: the stored verses
// turned into text as the reading pane shows them (Arg 1, what the window
// and zerafin-cli do), or the plain search form (Arg 0).
void BlockSearchWindowTwo(benchmark::State& state)
{
    auto* db = textDb();
    if (!db)
        return state.SkipWithError("no text database; run scripts/setup");
    const search::RtfToPlain stored = state.range(0) ? search::RtfToPlain(richtext::rtfToPlainText) : search::RtfToPlain();
    int windows = 0;
    size_t verses = 0;
    for (auto _ : state) {
        const auto all = search::readBlockVerses(*db, false, stored);
        auto r = search::blockSearch(search::prepareSearchText("+merciful +forgiving"), all, {});
        windows = r.windows;
        verses = all.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["verses"] = static_cast<double>(verses);
    state.counters["windows"] = static_cast<double>(windows);
}
BENCHMARK(BlockSearchWindowTwo)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The list part of choosing a category after a search of 6000 rows.
void CategoryFilter6000Rows(benchmark::State& state)
{
    auto* db = textDb();
    if (!db)
        return state.SkipWithError("no text database; run scripts/setup");
    search::SearchSlots slots;
    search::AreaSet verses{};
    verses[1] = true;
    auto rows = search::runAreaSearch(*db, "x", slots.view(), {}, verses, db::searchTables()).rows;  // every verse
    rows.resize(std::min<size_t>(rows.size(), 6000));
    for (auto _ : state) {
        auto list = search::filterResults(rows, state.range(0) ? "All" : "Verses");
        auto header = search::resultHeader("x", list.items.size());
        benchmark::DoNotOptimize(list);
        benchmark::DoNotOptimize(header);
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(CategoryFilter6000Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
