// The companion texts in the main window on the full text: how long the
// first document takes to appear in the web pane (its engine is started
// on demand, so this includes the start), how long later documents take,
// and the glossary and the index in the reading pane.
#include "bench_window.h"
#include "reading/companions.h"
#include "reading/reading_view.h"
#include "reading/web_pane.h"
#include "shell/commands.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// Runs the command and waits for the web pane to finish loading; the
// elapsed milliseconds, or -1 when nothing loaded within 20 s.
double untilLoaded(frmMain& main, const QString& command)
{
    WebPane* wb = main.reading().wb();
    QEventLoop loop;
    bool ok = false;
    // The pane exists from the start; its view (and signal) on first use.
    const auto finished = QObject::connect(wb, &WebPane::loadFinished, &loop, [&](bool loaded) {
        ok = loaded;
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    main.runCommand(command);
    loop.exec();
    QObject::disconnect(finished);
    return ok ? static_cast<double>(clock.nsecsElapsed()) / 1e6 : -1;
}

void FirstWebDocumentShown(benchmark::State& state)
{
    bench::Window* w = bench::window();
    if (!w)
        return state.SkipWithError("no text database; run scripts/setup");
    if (w->main->reading().wb()->engineStarted())
        return state.SkipWithError("the web engine was started before");
    for (auto _ : state) {
        const double ms = untilLoaded(*w->main, cmd::cmdContents_Click);
        if (ms < 0)
            return state.SkipWithError("the contents page did not load");
        state.SetIterationTime(ms / 1000);
    }
    state.counters["boxes"] = w->prompter.boxes;
}
BENCHMARK(FirstWebDocumentShown)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void LaterWebDocumentShown(benchmark::State& state)
{
    bench::Window* w = bench::window();
    if (!w)
        return state.SkipWithError("no text database; run scripts/setup");
    QComboBox* app = w->main->comboApp();
    int n = 0;
    for (auto _ : state) {
        // Appendices in turn, then the contents page: always a new page.
        app->setCurrentIndex(n++ % std::max(1, app->count()));
        const double ms = untilLoaded(*w->main, n % 5 ? QString(cmd::comboApp_Click) : QString(cmd::cmdContents_Click));
        if (ms < 0)
            return state.SkipWithError("a document did not load");
        state.SetIterationTime(ms / 1000);
    }
    state.counters["boxes"] = w->prompter.boxes;
}
BENCHMARK(LaterWebDocumentShown)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

void GlossaryIntoTheReadingPane(benchmark::State& state)
{
    bench::Window* w = bench::window();
    if (!w)
        return state.SkipWithError("no text database; run scripts/setup");
    for (auto _ : state) {
        w->main->runCommand(cmd::Command1_Click);
        w->main->reading().flushViews();
    }
    state.counters["characters"] = w->main->reading().text().length();
}
BENCHMARK(GlossaryIntoTheReadingPane)->Unit(benchmark::kMillisecond);

void IndexIntoTheReadingPane(benchmark::State& state)
{
    bench::Window* w = bench::window();
    if (!w)
        return state.SkipWithError("no text database; run scripts/setup");
    for (auto _ : state) {
        w->main->runCommand(cmd::Command6_Click);
        w->main->reading().flushViews();
    }
    state.counters["characters"] = w->main->reading().text().length();
}
BENCHMARK(IndexIntoTheReadingPane)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv); }
