#pragma once

// The main window on the full text (build/bin/English.ttb) for the window
// benchmarks: a frmMain built offscreen on a copy of the program folder,
// every subsystem installed, answering every box silently.
#include "app/frm_main.h"
#include "core/settings_store.h"
#include "shell/prompter.h"

#include <QTemporaryDir>

#include <memory>

namespace bench {

// Nothing measured should ask anything; a box would be a fault of the run.
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
};

// Built on first use; nullptr when there is no text database.
Window* window();

// Runs the benchmarks inside a QApplication (offscreen unless a platform
// is set) and ends the window while the application still exists.
int runWindowBenchmarks(int argc, char** argv);

}  // namespace bench
