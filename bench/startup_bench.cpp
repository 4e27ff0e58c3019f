// From process start to the main window showing its first verse, as the
// program itself measures it (ZERAFIN_REPORT_STARTUP), on the full text and
// the offscreen platform. The start-up window's 100 ms timer counts.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void BM_StartToFirstVerse(benchmark::State& state)
{
    const std::string command = std::string("ZERAFIN_REPORT_STARTUP=1 QT_QPA_PLATFORM=offscreen ") + ZF_ZERAFIN_EXE +
                                " 2>/dev/null";
    for (auto _ : state) {
        FILE* p = popen(command.c_str(), "r");
        double ms = -1;
        if (p) {
            if (std::fscanf(p, "first verse shown after %lf ms", &ms) != 1)
                ms = -1;
            pclose(p);
        }
        if (ms < 0) {
            state.SkipWithError("zerafin did not report its start-up (is the program folder built?)");
            break;
        }
        state.SetIterationTime(ms / 1000.0);
    }
}
BENCHMARK(BM_StartToFirstVerse)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
