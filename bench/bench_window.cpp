#include "bench_window.h"

#include "app/subsystems.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace bench {

namespace {

namespace fs = std::filesystem;

std::unique_ptr<Window> theWindow;

}  // namespace

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
    w = std::move(made);
    return w.get();
}

int runWindowBenchmarks(int argc, char** argv)
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

}  // namespace bench
