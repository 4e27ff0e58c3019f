// Moving through the full text (build/bin/English.ttb) in a main window
// built on a copy of the program folder, offscreen.
#include "app/frm_main.h"
#include "shell/prompter.h"
#include "core/settings_store.h"
#include "app/subsystems.h"
#include "reading/reading_view.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Nothing in these benchmarks asks anything; a box would stop the run.
class SilentPrompter : public Prompter {
public:
    void information(const QString&, const QString&) override {}
    void plain(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

fs::path scratch;
std::unique_ptr<SettingsStore> settings;
SilentPrompter prompter;
std::unique_ptr<frmMain> mainWindow;

// A main window on a private copy of the program folder, loaded once.
frmMain* window()
{
    static bool tried = false;
    if (tried)
        return mainWindow.get();
    tried = true;
    const fs::path bin = ZF_BIN_DIR;
    if (!fs::exists(bin / "English.ttb"))
        return nullptr;
    const fs::path folder = scratch / "program";
    fs::create_directories(folder);
    for (const char* name : {"English.ttb", "css", "Files"})
        if (fs::exists(bin / name))
            fs::copy(bin / name, folder / name, fs::copy_options::recursive);
    settings = std::make_unique<SettingsStore>(QString::fromStdString((scratch / "settings").string()));
    frmMain::Context context;
    context.programFolder = folder;
    context.settings = settings.get();
    context.prompter = &prompter;
    mainWindow = std::make_unique<frmMain>(context);
    installSubsystems(*mainWindow);
    mainWindow->resize(1400, 900);
    mainWindow->show();
    if (!mainWindow->Form_Load())
        mainWindow.reset();
    QCoreApplication::processEvents();
    return mainWindow.get();
}

// Choosing sura 2 in the sura box, until its first verse is on screen.
void BM_ChooseSura2(benchmark::State& state)
{
    frmMain* m = window();
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
    frmMain* m = window();
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

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    // A private home: the window's web pane and settings write nothing outside it.
    std::string tmpl = (fs::temp_directory_path() / "zerafin-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        return 1;
    scratch = tmpl;
    ::setenv("HOME", tmpl.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (tmpl + "/.config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (tmpl + "/.cache").c_str(), 1);
    const fs::path runtime = scratch / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        // The window goes before the application does.
        mainWindow.reset();
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
    return 0;
}
