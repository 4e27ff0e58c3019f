#pragma once

#include "app/frm_main.h"
#include "core/settings_store.h"
#include "support/scripted_prompter.h"
#include "support/test_support.h"

#include <QString>

#include <memory>

class QWidget;

namespace testing_support {

// A main window for window tests: its own program folder (a copy of one
// built from invented text with the real shape, see program_folder.h), its
// own settings folder, a scripted Prompter, every subsystem installed.
// The window is sized 1400×900 pixels and, unless asked not to, loaded
// (Form_Load: settings, connection, random sura).
class MainWindowFixture {
public:
    // With `readerFolder`, the window keeps the reader's working copy in a
    // folder of its own (readerFolder()), as the program does.
    explicit MainWindowFixture(bool load = true, bool readerFolder = false);
    ~MainWindowFixture();

    frmMain& main() { return *main_; }
    ScriptedPrompter& prompter() { return prompter_; }
    SettingsStore& settings() { return settings_; }
    const std::filesystem::path& folder() const { return dir_.path(); }
    std::filesystem::path readerFolder() const { return dir_ / "reader"; }

    // Clicks the button (or triggers the menu entry) of that objectName;
    // false when there is none or it is disabled.
    bool press(const QString& objectName);
    // A key pressed and released on the widget that has the focus, or on
    // the given widget.
    void key(int key, QWidget* target = nullptr, Qt::KeyboardModifiers modifiers = {});
    // The plain text of the reading pane.
    QString msgText();
    // Destroys the window now (the fixture's other parts stay).
    void closeWindow() { main_.reset(); }
    // Lets queued events run (views follow their models on the next turn).
    static void settle();

private:
    TempDir dir_;
    SettingsStore settings_;
    ScriptedPrompter prompter_;
    std::unique_ptr<frmMain> main_;
};

}  // namespace testing_support
