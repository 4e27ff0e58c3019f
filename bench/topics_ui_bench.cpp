// Topics in the main window on the full text: showing a topic of 1,000
// verses, from "REFRESH TOPIC" to the verses listed, checked and in the
// reading pane (brought up to date on screen with Arg 1).
#include "bench_window.h"
#include "db/recordset.h"
#include "reading/reading_view.h"
#include "topics/topic_store.h"
#include "topics/topics_panel.h"
#include "topics/topics_ui.h"

#include <QListWidget>

#include <benchmark/benchmark.h>

namespace {

void ShowTopicOf1000VersesInTheWindow(benchmark::State& state)
{
    bench::Window* w = bench::window();
    if (!w)
        return state.SkipWithError("no text database; run scripts/setup");
    auto* ui = w->main->findChild<TopicsUi*>();
    db::Database& db = w->main->state().connection;
    static bool filed = false;
    if (!filed) {
        std::vector<db::VerseRef> verses;
        db::Recordset rs;
        if (rs.open("SELECT Sura, Verse FROM ZOVR WHERE Verse > 0 ORDER BY Sura, Verse", db))
            for (; !rs.eof() && verses.size() < 1000; rs.moveNext())
                verses.push_back({static_cast<int>(rs.field(0).toInt()), static_cast<int>(rs.field(1).toInt())});
        if (!topics::insertVerses(db, "Large topic", verses).ok)
            return state.SkipWithError("the topic could not be filed");
        filed = true;
    }
    ui->Command7_Click();
    ui->showTopics();
    ui->topicsPanel().lstTopics()->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    for (auto _ : state) {
        ui->cmdOpenTopic_Click();
        if (state.range(0))
            w->main->reading().flushViews();
    }
    state.counters["items"] = w->main->verseList()->count();
    state.counters["shown"] = static_cast<double>(w->main->verseList()->selectedItems().size());
    state.counters["boxes"] = w->prompter.boxes;
}
BENCHMARK(ShowTopicOf1000VersesInTheWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv); }
