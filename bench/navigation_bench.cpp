// Moving through the full text (build/bin/English.ttb) in a main window
// built on a copy of the program folder, offscreen.
#include "bench_window.h"
#include "reading/reading_view.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>

namespace {

// Choosing sura 2 in the sura box, until its first verse is on screen.
void BM_ChooseSura2(benchmark::State& state)
{
    frmMain* m = bench::mainWindow();
    if (!m)
        return state.SkipWithError("no text database; run scripts/setup");
    for (auto _ : state) {
        m->setSuraIndex(2);
        m->reading().flushViews();
    }
    state.counters["entries"] = m->verseList()->count();
    state.counters["chars"] = m->reading().msg()->model().length();
}
BENCHMARK(BM_ChooseSura2)->Unit(benchmark::kMillisecond);

// One Down key in the verse list of sura 2: the next verse checked and shown.
void BM_DownKeyInSura2(benchmark::State& state)
{
    frmMain* m = bench::mainWindow();
    if (!m)
        return state.SkipWithError("no text database; run scripts/setup");
    QListWidget* list = m->verseList();
    m->setSuraIndex(2);
    list->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    for (auto _ : state) {
        if (list->currentRow() >= list->count() - 1) {
            // Stay in sura 2: start again at its top.
            state.PauseTiming();
            m->setSuraIndex(2);
            state.ResumeTiming();
        }
        QApplication::sendEvent(list, &press);
        QApplication::sendEvent(list, &release);
        m->reading().flushViews();
    }
    state.counters["sura"] = m->sqCh()->currentIndex();
}
BENCHMARK(BM_DownKeyInSura2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv); }
