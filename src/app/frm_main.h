#pragma once

#include "app/main_layout.h"
#include "shell/main_state.h"
#include "shell/shell.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

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
// panels. The features themselves live in their subsystems, which see the
// window only as a Shell: they register their commands under their
// documented names (shell/commands.h) and install their side panels; menus,
// buttons and function keys run commands by name. A control whose command
// is not there is shown disabled.
class frmMain : public QMainWindow, public Shell {
    Q_OBJECT

public:
    struct Context {
        std::filesystem::path programFolder;
        // The reader's folder, holding the working copy of the text database
        // and the saved numbers. Empty: the program folder's own file is
        // used (as a program folder made for one test is).
        std::filesystem::path readerFolder;
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

    QWidget& window() override { return *this; }
    MainState& state() override { return state_; }
    ReadingView& reading() override { return *reading_; }
    Prompter& prompter() override { return *ctx_.prompter; }
    SettingsStore& settings() override { return *ctx_.settings; }
    void adoptSubsystem(QObject* subsystem) override;
    const Context& context() const { return ctx_; }
    // The display and highlight settings (one value object); the settings
    // and highlight panels' controls edit it once followed. Called when the
    // subsystems are installed and at load.
    reading::DisplaySettings& displaySettings();
    void followSettingsControls();
    reading::HighlightSettings& highlightSettings();

    // The control with that objectName anywhere in the window (nullptr if none).
    template <typename W = QWidget>
    W* control(const QString& name) const
    {
        return findChild<W*>(name);
    }

    // ---- commands --------------------------------------------------------------
    void setCommand(const QString& name, Command command) override;
    bool runCommand(const QString& name) override;
    void bindButton(QAbstractButton* button, const QString& command) override;
    // Enables the menu entries and buttons whose commands are there.
    void refreshCommandStates();
    QMenu* popupMenu(const QString& name) const override;
    // The registered commands, and the commands the menus, buttons and
    // function keys run (registered or not).
    QStringList registeredCommands() const;
    QStringList boundCommands() const;

    // ---- side panels -----------------------------------------------------------
    // Puts a subsystem's panel into the left column in place of the empty
    // frame of the same objectName.
    void installPanel(QWidget* panel) override;
    QWidget* sidePanel(const QString& name) const;
    // What every side-panel command does first: widen the column, hide every
    // other panel, show this one.
    void showSidePanel(const QString& name) override;
    bool leftExpanded() const { return leftExpanded_; }

    // ---- start, keys and end ------------------------------------------------
    // The load sequence; true when the text database opened.
    bool Form_Load();
    void setVariables();
    // A key released anywhere in the window (Qt key code).
    void Form_KeyUp(int key) override;
    // Keys released in the verse list go here instead; the handler passes
    // on to Form_KeyUp the keys the window should see.
    void setVerseListKeyHandler(KeyHandler handler) override { verseListKeys_ = std::move(handler); }
    void chooseRandomSura() override;
    void setSuraIndex(int index) override;
    void mnuAbout_Click();
    void mnuSettings_Click();
    void Command17_Click();  // "DONE" (settings panel)
    // Ctrl+Plus / Ctrl+Minus / Ctrl+0 on the verse size (0 resets it).
    void changeVerseSize(int steps);
    // Shows the current verse-list entry again (checked) with the display
    // settings as they are now.
    void redisplay();
    void SaveSettings();

    // ---- layout ----------------------------------------------------------------
    void Form_Resize() override;
    void ExpandLeftFrame();
    void SquezeLeftFrame() override;
    bool leftFrameExpanded() const override { return leftExpanded_; }
    void leftframeclose_Click() override;
    // The layout of the current size and state, in twips.
    layout::MainLayout currentLayout() const;

    // The sura box entries and the revelation-order entries, from the text database.
    static QStringList suraEntries(db::Database& db);
    static QStringList revelationEntries(db::Database& db);
    void fillSuraLists();

    QComboBox* sqCh() const override { return sqCh_; }
    QComboBox* comboApp() const override { return comboApp_; }
    QListWidget* sqRv() const override { return sqRv_; }
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
    // The text database the connection opened (or tried to).
    std::filesystem::path databaseFile_;
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
    // Destroyed before any widget (see ~frmMain), last adopted first.
    std::vector<QPointer<QObject>> subsystems_;
    QHash<QString, Command> commands_;
    QSet<QString> panelCommands_;  // commands the subsystems' own buttons run
    QMultiHash<QString, QObject*> commandControls_;  // command name → its controls, for enabling
    KeyHandler verseListKeys_;
    QSet<int> pressedKeys_;  // function keys pressed in this window, not yet released
    int listWidth_ = 0;  // pixels the verse list's longest entry needs
    QHash<QString, QMenu*> popups_;
    bool leftExpanded_ = true;
    QString lastPanel_;  // the panel the column showed before it collapsed
    bool loading_ = false;
    bool closing_ = false;
};
