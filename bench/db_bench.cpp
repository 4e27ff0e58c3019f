// The text database: building it, opening it and the statements every
// command runs, on the full sample text.
#include "db/database.h"
#include "db/recordset.h"
#include "init/text_builder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kConnection = db::connectionString(ZF_BIN_DIR, "English");

void BM_BuildTextDatabase(benchmark::State& state)
{
    fs::path out = fs::temp_directory_path() / ("zerafin-bench-" + std::to_string(::getpid()));
    for (auto _ : state) {
        fs::remove_all(out);
        init::buildProgramFolder({out, ZERAFIN_SAMPLE_DIR, ZERAFIN_DATA_DIR, "English", {}});
    }
    fs::remove_all(out);
}
BENCHMARK(BM_BuildTextDatabase)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenAndLoadSura2(benchmark::State& state)
{
    for (auto _ : state) {
        db::Database db;
        if (!db.open(kConnection))
            state.SkipWithError("no text database; run scripts/setup");
        db::Recordset rs;
        rs.open("SELECT * FROM ZOVR WHERE SURA=2 ORDER BY VERSE", db);
        benchmark::DoNotOptimize(rs.recordCount());
    }
}
BENCHMARK(BM_OpenAndLoadSura2)->Unit(benchmark::kMicrosecond);

void BM_TwoWordSearch(benchmark::State& state)
{
    db::Database db;
    if (!db.open(kConnection))
        state.SkipWithError("no text database; run scripts/setup");
    long hits = 0;
    for (auto _ : state) {
        db::Recordset rs;
        rs.open("SELECT * FROM Q where  instr(1,Words,'forgive',1) > 0  and  ( instr(1,Words,'mercy',1) > 0 ) "
                "order by Sura, Verse",
                db);
        hits = rs.recordCount();
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_TwoWordSearch)->Unit(benchmark::kMicrosecond);

void BM_InstrScan(benchmark::State& state)
{
    db::Database db;
    if (!db.open(kConnection))
        state.SkipWithError("no text database; run scripts/setup");
    for (auto _ : state) {
        db::Recordset rs;
        rs.open("SELECT count(*) FROM Q where instr(1,Words,'forgive',1) > 0", db);
        benchmark::DoNotOptimize(rs.field(0).toInt());
    }
}
BENCHMARK(BM_InstrScan)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
