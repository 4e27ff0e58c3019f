#pragma once

#include <QString>
#include <Qt>

#include <functional>

class Prompter;
class QAbstractButton;
class QComboBox;
class QListWidget;
class QMenu;
class QObject;
class QWidget;
class ReadingView;
class SettingsStore;
struct MainState;

// What a subsystem sees of the main window, and all it sees: the shared
// state and services, the commands, the side panels and the column, the
// reading view, the sura boxes and the window's keys. frmMain implements it;
// a subsystem's window tests implement it with a bare window of their own,
// so a feature never depends on the concrete main window.
class Shell {
public:
    using Command = std::function<void()>;
    using KeyHandler = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;

    virtual ~Shell() = default;

    // The window itself: the parent of the subsystems' boxes and the
    // context of their connections.
    virtual QWidget& window() = 0;
    virtual MainState& state() = 0;
    virtual ReadingView& reading() = 0;
    virtual Prompter& prompter() = 0;
    virtual SettingsStore& settings() = 0;

    // ---- subsystems ----------------------------------------------------------
    // The window owns the subsystem from now on. Subsystems watch and drive
    // the window's widgets, so the window destroys them, last adopted first,
    // before any of its widgets.
    virtual void adoptSubsystem(QObject* subsystem) = 0;

    // ---- commands ------------------------------------------------------------
    // Menus, buttons and function keys run commands by name (the names are
    // in shell/commands.h); a control whose command is not registered is
    // shown disabled.
    virtual void setCommand(const QString& name, Command command) = 0;
    // Runs the command; false when no subsystem provides it.
    virtual bool runCommand(const QString& name) = 0;
    // Clicking the button runs the command (so a failing command cannot
    // take the window with it); the window knows the button runs it.
    virtual void bindButton(QAbstractButton* button, const QString& command) = 0;
    // A menu that only pops up (mnuPopup1, mnuRC), or nullptr.
    virtual QMenu* popupMenu(const QString& name) const = 0;

    // ---- the left column and its side panels ---------------------------------
    // Puts a panel into the left column in place of the empty frame of the
    // same objectName.
    virtual void installPanel(QWidget* panel) = 0;
    // Widens the column, hides every other panel, shows this one.
    virtual void showSidePanel(const QString& name) = 0;
    virtual void SquezeLeftFrame() = 0;
    // Whether the column is wide (a side panel can be used) or narrowed.
    virtual bool leftFrameExpanded() const = 0;
    virtual void leftframeclose_Click() = 0;
    // Lays the window out again (after the reading width changed).
    virtual void Form_Resize() = 0;

    // ---- keys ----------------------------------------------------------------
    // A key released anywhere in the window: runs its function-key command.
    virtual void Form_KeyUp(int key) = 0;
    // Keys released in the verse list go here instead.
    virtual void setVerseListKeyHandler(KeyHandler handler) = 0;

    // ---- the sura boxes --------------------------------------------------------
    // The sura box: entry 0 is the front matter, entry n sura n, the last the index.
    virtual QComboBox* sqCh() const = 0;
    // The appendix list that takes the sura box's place ("07 : …").
    virtual QComboBox* comboApp() const = 0;
    // The suras in the order of revelation.
    virtual QListWidget* sqRv() const = 0;
    // Sets the sura box to an entry and runs its click handling once.
    virtual void setSuraIndex(int index) = 0;
    // Chooses a random sura (the start flag makes its verse random too).
    virtual void chooseRandomSura() = 0;
};
