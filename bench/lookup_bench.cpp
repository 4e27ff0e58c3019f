// Looking up on the full text: the offline dictionary's senses of a word
// (a common one and an inflected one), and the verses of a word as the
// concordance lists them.
#include "db/database.h"
#include "lookup/concordance.h"
#include "lookup/dictionary.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void DefineAWord(benchmark::State& state)
{
    const char* word = state.range(0) ? "forgave" : "mercy";
    if (!lookup::define(word).dictionaryInstalled)
        return state.SkipWithError("the offline dictionary is not installed");
    size_t senses = 0;
    for (auto _ : state)
        senses = lookup::define(word).senses.size();
    state.counters["senses"] = static_cast<double>(senses);
}
BENCHMARK(DefineAWord)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void VersesOfAWordInTheConcordance(benchmark::State& state)
{
    const std::filesystem::path file = std::filesystem::path(ZF_BIN_DIR) / "English.ttb";
    db::Database db;
    if (!std::filesystem::exists(file) || !db.openFile(file, db::Database::Mode::ReadOnly))
        return state.SkipWithError("no text database; run scripts/setup");
    size_t verses = 0;
    for (auto _ : state)
        verses = lookup::referencesOf(db, lookup::Area::Verses, "mercy").size();
    state.counters["verses"] = static_cast<double>(verses);
}
BENCHMARK(VersesOfAWordInTheConcordance)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
