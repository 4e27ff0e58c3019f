#pragma once

#include "app/main_layout.h"
#include "app/main_state.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>

class ControlSettings;
class FrameSettings;
class frmAU;
class Prompter;
class QComboBox;
class QFrame;
class QListWidget;
class QMenu;
class QPushButton;
class ReadingView;
class SettingsStore;

namespace reading {
class DisplaySettings;
class HighlightSettings;
}

// The main window. It owns the shared state and services (MainState), the
// reading view, the bars, the menus and the left column with its side
// panels. The features themselves live in their subsystems, which register
// their commands here under their documented names ("cmdSearch_Click",
// "mnuDiv_Click" …) and install their side panels; menus, buttons and
// function keys run commands by name. A control whose command is not
// there is shown disabled.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    struct Context {
        std::filesystem::path programFolder;
        QString programName = QStringLiteral("zerafin");
        SettingsStore* settings = nullptr;
        Prompter* prompter = nullptr;
        // Closing the main window ends the program (the program quits; tests
        // leave this empty).
        std::function<void()> endProgram;
        // The first-time initialisation offered when the text database is
        // missing or unreadable (default: zerafin-init beside the program).
        std::filesystem::path initialiser;
    };

    explicit frmMain(Context context, QWidget* parent = nullptr);
    ~frmMain() override;

    MainState& state() { return state_; }
    ReadingView& reading() { return *reading_; }
    Prompter& prompter() { return *ctx_.prompter; }
    SettingsStore& settings() { return *ctx_.settings; }
    const Context& context() const { return ctx_; }
    reading::DisplaySettings& displaySettings();
    reading::HighlightSettings& highlightSettings();

    // The control with that objectName anywhere in the window (nullptr if none).
    template <typename W = QWidget>
    W* control(const QString& name) const
    {
        return findChild<W*>(name);
    }

    // ---- commands --------------------------------------------------------------
    using Command = std::function<void()>;
    void setCommand(const QString& name, Command command);
    bool hasCommand(const QString& name) const { return commands_.contains(name); }
    // Runs the command; false when no subsystem provides it.
    bool runCommand(const QString& name);
    // Enables the menu entries and buttons whose commands are there.
    void refreshCommandStates();
    QMenu* popupMenu(const QString& name) const;

    // ---- side panels -----------------------------------------------------------
    // Puts a subsystem's panel into the left column in place of the empty
    // frame of the same objectName.
    void installPanel(QWidget* panel);
    QWidget* sidePanel(const QString& name) const;
    // What every side-panel command does first: widen the column, hide every
    // other panel, show this one.
    void showSidePanel(const QString& name);
    bool leftExpanded() const { return leftExpanded_; }

    // ---- start, keys and end ------------------------------------------------
    // The load sequence; true when the text database opened.
    bool Form_Load();
    void setVariables();
    // A key released anywhere in the window (Qt key code).
    void Form_KeyUp(int key);
    // Keys released in the verse list go here instead; the handler passes
    // on to Form_KeyUp the keys the window should see.
    using KeyHandler = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;
    void setVerseListKeyHandler(KeyHandler handler) { verseListKeys_ = std::move(handler); }
    // Chooses a random sura (the start flag makes its verse random too).
    void chooseRandomSura();
    // Sets the sura box to an entry and runs its click handling once.
    void setSuraIndex(int index);
    void mnuAbout_Click();
    void mnuSettings_Click();
    void Command17_Click();
    // Ctrl+Plus / Ctrl+Minus / Ctrl+0 on the verse size (0 resets it).
    void changeVerseSize(int steps);
    // Shows the current verse-list entry again (checked) with the display
    // settings as they are now.
    void redisplay();
    void SaveSettings();

    // ---- layout ----------------------------------------------------------------
    void Form_Resize();
    void ExpandLeftFrame();
    void SquezeLeftFrame();
    void leftframeclose_Click();
    // The layout of the current size and state, in twips.
    layout::MainLayout currentLayout() const;

    // The sura box entries and the revelation-order entries, from the text database.
    static QStringList suraEntries(db::Database& db);
    static QStringList revelationEntries(db::Database& db);
    void fillSuraLists();

    QComboBox* sqCh() const { return sqCh_; }
    QListWidget* sqRv() const { return sqRv_; }
    QListWidget* verseList() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildZoomKeys();
    // Why the open text database cannot show verses; empty when it can.
    QString textDatabaseProblem();
    // Explains a missing or unreadable text database and offers to build it.
    void offerInitialisation();
    bool runInitialiser(QString& failure);
    void measureVerseList();
    void buildTopBar(QWidget* central);
    void buildLeftFrame(QWidget* central);
    void buildRightFrame(QWidget* central);
    void buildBottomBar(QWidget* central);
    void bindCommand(QObject* control, const QString& command);
    void openConnection();

    Context ctx_;
    MainState state_;
    std::unique_ptr<ControlSettings> controls_;
    ReadingView* reading_ = nullptr;
    frmAU* about_ = nullptr;
    FrameSettings* frameSettings_ = nullptr;
    QFrame* leftFrame_ = nullptr;
    QFrame* rightFrame_ = nullptr;
    QPushButton* leftframeclose_ = nullptr;
    QComboBox* sqCh_ = nullptr;
    QComboBox* comboApp_ = nullptr;
    QListWidget* sqRv_ = nullptr;
    QHash<QString, Command> commands_;
    QMultiHash<QString, QObject*> commandControls_;  // command name → its controls, for enabling
    KeyHandler verseListKeys_;
    QSet<int> pressedKeys_;
    int listWidth_ = 0;  // pixels the verse list's longest entry needs  // function keys pressed in this window, not yet released
    QHash<QString, QMenu*> popups_;
    bool leftExpanded_ = true;
    QString lastPanel_;  // the panel the column showed before it collapsed
    bool loading_ = false;
    bool closing_ = false;
};
