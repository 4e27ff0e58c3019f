// Reading aloud in a main window on a copy of the program folder (full
// text, the speech add-on marker, the platform's synthesiser), offscreen.
#include "bench_window.h"
#include "reading/reading_view.h"
#include "shell/commands.h"
#include "shell/install.h"
#include "speech/frm_engine.h"
#include "speech/speech.h"
#include "speech/speech_engine.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

// Runs the event loop until `done` or `ms` milliseconds passed; returns the
// longest gap between two turns of a 1 ms timer meanwhile.
qint64 longestStallUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (done() || now > ms)
            loop.quit();
    });
    tick.start(1);
    loop.exec();
    return longest;
}

// From "Enable for All Verses" to a dialog on screen that has handled its
// first event, each time with a speech subsystem (and engine) never used.
void BM_OpenPropertiesFirstTime(benchmark::State& state)
{
    frmMain* m = bench::mainWindow();
    if (!m)
        return state.SkipWithError("no text database; run scripts/setup");
    double startedMs = 0;
    int voices = 0;
    for (auto _ : state) {
        Speech& speech = installSubsystem<Speech>(*m);
        QElapsedTimer clock;
        clock.start();
        m->runCommand(cmd::mnuReciteScroll_Click);
        FrmEngine* dialog = speech.dialog();
        bool responded = false;
        QTimer::singleShot(0, dialog, [&] { responded = true; });
        while (!responded || !dialog->isVisible())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.SetIterationTime(clock.elapsed() / 1000.0);
        // The voices arrive later, off the window's thread.
        SpeechEngine& engine = speech.engine();
        longestStallUntil([&] { return engine.state() != SpeechEngine::State::Starting; }, 20000);
        startedMs += clock.elapsed();
        voices = engine.voiceCount();
        dialog->close();
        delete &speech;
    }
    state.counters["voices_after_ms"] = startedMs / static_cast<double>(state.iterations());
    state.counters["voices"] = voices;
}
BENCHMARK(BM_OpenPropertiesFirstTime)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Automatic reading on, one verse shown: the longest the window's event
// loop waits while the verse is spoken, and how long the reading took.
void BM_LongestStallWhileReading(benchmark::State& state)
{
    frmMain* m = bench::mainWindow();
    if (!m)
        return state.SkipWithError("no text database; run scripts/setup");
    Speech& speech = installSubsystem<Speech>(*m);
    m->runCommand(cmd::mnuReciteScroll_Click);
    // The fastest speed: the same work for the window in less time.
    speech.dialog()->Speed()->setValue(510);
    speech.dialog()->findChild<QPushButton*>(QStringLiteral("OK"))->click();
    SpeechEngine& engine = speech.engine();
    longestStallUntil([&] { return engine.state() != SpeechEngine::State::Starting; }, 20000);
    engine.stop();
    longestStallUntil([&] { return engine.state() == SpeechEngine::State::Ready; }, 2000);
    qint64 worst = 0;
    double readingMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        m->setSuraIndex(112);  // four short verses
        m->reading().flushViews();
        const qint64 stall = longestStallUntil(
            [&] { return engine.state() == SpeechEngine::State::Ready || engine.state() == SpeechEngine::State::Unavailable; },
            120000);
        if (engine.state() == SpeechEngine::State::Unavailable) {
            state.SkipWithError(engine.problem().toStdString().c_str());
            break;
        }
        worst = std::max(worst, stall);
        readingMs += clock.elapsed();
        state.SetIterationTime(stall / 1000.0);
    }
    state.counters["longest_stall_ms"] = static_cast<double>(worst);
    state.counters["chars"] = static_cast<double>(speech.textBeingRead().size());
    state.counters["reading_ms"] = readingMs / std::max<double>(1, static_cast<double>(state.iterations()));
    m->runCommand(cmd::mnuStopAll_Click);
    delete &speech;
}
BENCHMARK(BM_LongestStallWhileReading)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// The same loop with nothing being read, for comparison on a busy machine.
void BM_LongestStallIdle(benchmark::State& state)
{
    for (auto _ : state)
        state.SetIterationTime(longestStallUntil([] { return false; }, 5000) / 1000.0);
}
BENCHMARK(BM_LongestStallIdle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv)
{
    bench::markerFiles = {"rdd"};
    return bench::runWindowBenchmarks(argc, argv);
}
