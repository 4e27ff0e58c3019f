// The search in the main window on the full text (build/bin/English.ttb):
// a frmMain built offscreen on a copy of the program folder, every
// subsystem installed.
#include "app/frm_main.h"
#include "shell/prompter.h"
#include "core/settings_store.h"
#include "app/subsystems.h"
#include "db/recordset.h"
#include "reading/reading_view.h"
#include "search/search_panel.h"
#include "search/search_ui.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

// Nothing here should ask anything; a box would be a fault of the run.
class SilentPrompter : public Prompter {
public:
    void information(const QString&, const QString&) override { ++boxes; }
    void plain(const QString&, const QString&) override { ++boxes; }
    bool askYesNo(const QString&, const QString&) override { return ++boxes, true; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return ++boxes, std::nullopt; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return ++boxes, QString(); }
    int boxes = 0;
};

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    SilentPrompter prompter;
    std::unique_ptr<frmMain> main;
    SearchUi* ui = nullptr;
};

// Built on first use; ended in main() while the application still exists.
std::unique_ptr<Window> theWindow;

Window* window()
{
    std::unique_ptr<Window>& w = theWindow;
    static bool tried = false;
    if (tried)
        return w.get();
    tried = true;
    const fs::path bin = ZF_BIN_DIR;
    if (!fs::exists(bin / "English.ttb"))
        return nullptr;
    auto made = std::make_unique<Window>();
    const fs::path folder = made->dir.path().toStdString();
    fs::copy_file(bin / "English.ttb", folder / "English.ttb");
    fs::copy_file(bin / "css", folder / "css");
    fs::copy(bin / "Files", folder / "Files", fs::copy_options::recursive);
    made->settings = std::make_unique<SettingsStore>(QString::fromStdString((folder / "settings").string()));
    frmMain::Context context;
    context.programFolder = folder;
    context.settings = made->settings.get();
    context.prompter = &made->prompter;
    made->main = std::make_unique<frmMain>(context);
    installSubsystems(*made->main);
    made->main->resize(1400, 900);
    made->main->show();
    if (!made->main->Form_Load())
        return nullptr;
    QCoreApplication::processEvents();
    made->ui = made->main->findChild<SearchUi*>();
    w = std::move(made);
    return w.get();
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

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("QTWEBENGINE_DISABLE_SANDBOX"))
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}
