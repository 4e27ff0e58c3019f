#pragma once

#include "core/settings_store.h"
#include "reading/display_settings.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "support/scripted_prompter.h"
#include "support/test_support.h"

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class QFrame;

namespace testing_support {

// A bare window that is a Shell and nothing more: a reading view, a sura
// box and a revelation list, a column for side panels, a command table.
// A subsystem's window tests install the subsystem here to show that it
// needs nothing of the main window but the Shell. The program folder is a
// copy of the test program folder; the connection is open.
class FakeShell : public Shell {
public:
    FakeShell();
    ~FakeShell() override;

    QWidget& window() override { return window_; }
    MainState& state() override { return state_; }
    ReadingView& reading() override { return *reading_; }
    Prompter& prompter() override { return prompter_; }
    SettingsStore& settings() override { return settings_; }
    void adoptSubsystem(QObject* subsystem) override;

    void setCommand(const QString& name, Command command) override { commands_.insert(name, std::move(command)); }
    bool runCommand(const QString& name) override;
    void bindButton(QAbstractButton* button, const QString& command) override;
    QMenu* popupMenu(const QString&) const override { return nullptr; }

    void installPanel(QWidget* panel) override;
    void showSidePanel(const QString& name) override;
    void SquezeLeftFrame() override { columnOpen_ = false; }
    bool leftFrameExpanded() const override { return columnOpen_; }
    void leftframeclose_Click() override { columnOpen_ = !columnOpen_; }
    void Form_Resize() override { ++resizes_; }

    void Form_KeyUp(int key) override { keysUp_.push_back(key); }
    void setVerseListKeyHandler(KeyHandler handler) override { verseListKeys_ = std::move(handler); }

    QComboBox* sqCh() const override { return sqCh_; }
    QComboBox* comboApp() const override { return comboApp_; }
    QListWidget* sqRv() const override { return sqRv_; }
    void setSuraIndex(int index) override;
    void chooseRandomSura() override { setSuraIndex(1); }

    // ---- what the tests look at ----------------------------------------------
    ScriptedPrompter& scripted() { return prompter_; }
    reading::MemoryDisplaySettings& display() { return display_; }
    QStringList commandNames() const { return commands_.keys(); }
    // Clicks the button of that objectName in the window; false if none.
    bool press(const QString& objectName);
    QString shownPanel() const { return shownPanel_; }
    bool columnOpen() const { return columnOpen_; }
    const std::vector<int>& keysUp() const { return keysUp_; }
    QString msgText() const;
    // A key released in the verse list, as the window hands it on.
    void releaseKeyInVerseList(int key)
    {
        if (verseListKeys_)
            verseListKeys_(key, {});
    }

private:
    TempDir dir_;
    SettingsStore settings_;
    ScriptedPrompter prompter_;
    reading::MemoryDisplaySettings display_;
    reading::MemoryHighlightSettings highlight_;
    MainState state_;
    // Declared after the state: its widgets and the subsystems go first.
    QWidget window_;
    QFrame* column_ = nullptr;
    ReadingView* reading_ = nullptr;
    QComboBox* sqCh_ = nullptr;
    QComboBox* comboApp_ = nullptr;
    QListWidget* sqRv_ = nullptr;
    QHash<QString, Command> commands_;
    std::vector<QPointer<QObject>> subsystems_;
    KeyHandler verseListKeys_;
    QString shownPanel_;
    bool columnOpen_ = false;
    int resizes_ = 0;
    std::vector<int> keysUp_;
};

}  // namespace testing_support
