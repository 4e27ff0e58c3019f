// The search in the main window on the full text (build/bin/English.ttb):
// a frmMain built offscreen on a copy of the program folder, every
// subsystem installed.
#include "bench_window.h"
#include "db/recordset.h"
#include "reading/reading_view.h"
#include "search/search_panel.h"
#include "search/search_ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

struct Window {
    bench::Window* w;
    SearchUi* ui;
    frmMain* main;
    bench::SilentPrompter& prompter;
};

Window* window()
{
    static std::optional<Window> made;
    if (!made) {
        bench::Window* w = bench::window();
        if (!w)
            return nullptr;
        made.emplace(Window{w, w->main->findChild<SearchUi*>(), w->main.get(), w->prompter});
    }
    return &*made;
}

// From "Go" to the rows in TmpList: the simple search of two words.
void GoToRowsInTmpList(benchmark::State& state)
{
    Window* w = window();
    if (!w)
        return state.SkipWithError("no text database; run scripts/setup");
    w->ui->panel().txtSearch()->setText(QStringLiteral("merciful +forgiving"));
    int rows = 0;
    for (auto _ : state) {
        w->ui->searchIntoTmpList(false);
        rows = w->ui->panel().tmpList()->count();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(GoToRowsInTmpList)->Unit(benchmark::kMillisecond);

// The whole "Go" of that search: the rows, the category filter, the header
// and the first 51 verses in the reading pane (brought up to date on
// screen with Arg 1).
void GoWholeSimpleSearch(benchmark::State& state)
{
    Window* w = window();
    if (!w)
        return state.SkipWithError("no text database; run scripts/setup");
    SearchPanel& p = w->ui->panel();
    p.setAdvancedOpen(false);
    for (auto _ : state) {
        p.txtSearch()->setText(QStringLiteral("merciful +forgiving"));
        w->ui->cmdSearch_Click();
        if (state.range(0))
            w->main->reading().flushViews();
    }
    state.counters["rows"] = w->main->verseList()->count();
    state.counters["boxes"] = w->prompter.boxes;
}
BENCHMARK(GoWholeSimpleSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The category filter of 6000 rows into the verse list, the header and the
// verse display of the first 51 (with the reading pane's view brought up
// to date on screen with Arg 1).
void CategoryFilter6000RowsIntoVerseList(benchmark::State& state)
{
    Window* w = window();
    if (!w)
        return state.SkipWithError("no text database; run scripts/setup");
    db::Recordset rs;
    std::vector<std::string> rows;
    if (rs.open("SELECT Sura, Verse FROM ZOVR WHERE Verse > 0 ORDER BY Sura, Verse", w->main->state().connection))
        for (; !rs.eof() && rows.size() < 6000; rs.moveNext())
            rows.push_back("V." + rs.field(0).toString() + ":" + rs.field(1).toString());
    w->ui->setResultRows(rows);
    w->main->reading().setMode(ListMode::Result);
    w->main->reading().cmbList()->setCurrentText(QStringLiteral("Verses"));
    for (auto _ : state) {
        w->ui->cmbList_Click();
        if (state.range(0))
            w->main->reading().flushViews();
    }
    state.counters["rows"] = w->main->verseList()->count();
    state.counters["shown"] = static_cast<double>(w->main->verseList()->selectedItems().size());
}
BENCHMARK(CategoryFilter6000RowsIntoVerseList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv); }
