#pragma once

// A main window on a private copy of the full program folder
// (build/bin/English.ttb …), offscreen, for the benchmarks that drive the
// window: each includes this once and calls runWindowBenchmarks from main.
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
// Marker files the copy gets besides the text (the speech add-on's "rdd").
std::vector<const char*> markerFiles;
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
    for (const char* marker : markerFiles)
        std::ofstream(folder / marker) << "";
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

}  // namespace

inline int runWindowBenchmarks(int argc, char** argv)
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
