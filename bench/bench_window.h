#pragma once

// A main window on a private copy of the full program folder
// (build/bin/English.ttb …), offscreen, with every subsystem installed,
// for the benchmarks that drive the window: each includes this once and
// calls bench::runWindowBenchmarks from main. The run gets a private home,
// so the window's working copy, settings and web pane write nothing outside it.
#include "app/frm_main.h"
#include "app/subsystems.h"
#include "core/settings_store.h"
#include "shell/prompter.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>
#include <vector>

namespace bench {

// Nothing measured should ask anything; a box would be a fault of the run.
class SilentPrompter : public Prompter {
public:
    void information(const QString&, const QString&) override { ++boxes; }
    void plain(const QString&, const QString&) override { ++boxes; }
    bool askYesNo(const QString&, const QString&) override { return ++boxes, false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return ++boxes, std::nullopt; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return ++boxes, QString(); }
    int boxes = 0;
};

struct Window {
    std::unique_ptr<SettingsStore> settings;
    SilentPrompter prompter;
    std::unique_ptr<frmMain> main;
};

namespace detail {
inline std::filesystem::path scratch;
inline std::unique_ptr<Window> window;
}  // namespace detail

// Marker files the copy gets besides the text (the speech add-on's "rdd").
inline std::vector<const char*> markerFiles;

// Built on first use; nullptr when there is no text database.
inline Window* window()
{
    namespace fs = std::filesystem;
    static bool tried = false;
    if (tried)
        return detail::window.get();
    tried = true;
    const fs::path bin = ZF_BIN_DIR;
    if (!fs::exists(bin / "English.ttb"))
        return nullptr;
    const fs::path folder = detail::scratch / "program";
    fs::create_directories(folder);
    for (const char* name : {"English.ttb", "css", "Files"})
        if (fs::exists(bin / name))
            fs::copy(bin / name, folder / name, fs::copy_options::recursive);
    for (const char* marker : markerFiles)
        std::ofstream(folder / marker) << "";
    auto made = std::make_unique<Window>();
    made->settings = std::make_unique<SettingsStore>(QString::fromStdString((detail::scratch / "settings").string()));
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
    detail::window = std::move(made);
    return detail::window.get();
}

inline frmMain* mainWindow()
{
    Window* w = window();
    return w ? w->main.get() : nullptr;
}

// Runs the benchmarks inside a QApplication (offscreen unless a platform
// is set) and ends the window while the application still exists.
inline int runWindowBenchmarks(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    std::string tmpl = (fs::temp_directory_path() / "zerafin-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        return 1;
    detail::scratch = tmpl;
    ::setenv("HOME", tmpl.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (tmpl + "/.config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (tmpl + "/.cache").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (tmpl + "/.local/share").c_str(), 1);
    ::unsetenv("ZERAFIN_READER_FOLDER");
    const fs::path runtime = detail::scratch / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        // The window goes before the application does.
        detail::window.reset();
    }
    std::error_code ec;
    fs::remove_all(detail::scratch, ec);
    return 0;
}

}  // namespace bench
