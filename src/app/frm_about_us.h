#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <filesystem>
#include <functional>

class Prompter;
class SettingsStore;
class QCheckBox;
class QLabel;
class QProcess;
class QProgressBar;
class QPushButton;
class QTimer;

// What the start-up window needs from the program around it.
struct StartupContext {
    std::filesystem::path programFolder;
    // The reader's folder: the first-run marker is the reader's, and the
    // program folder may not be writable. Empty: the program folder.
    std::filesystem::path readerFolder;
    QString programName;
    SettingsStore* settings = nullptr;
    Prompter* prompter = nullptr;
    // The outside first-time initialisation: its program file (default
    // <program folder>/zerafin-init) and arguments (default --out <program folder>).
    std::filesystem::path initialiser;
    QStringList initialiserArguments;
    // The hand-over: shows the main window, loading it first if it is not
    // loaded yet; true when the main window is there.
    std::function<bool()> showMainWindow;
    // Name of the text database the start-up notice reads its verse from
    // (the main window's language box); "English" when not given.
    std::function<QString()> language;
    // Ends the whole program; the start-up window's close calls it.
    // Default: QCoreApplication::quit().
    std::function<void()> endProgram;
};

// frmAboutUs: the program's first window. It writes the first-run record,
// shows the progress of the first-time initialisation (starting the
// initialiser itself when none is running), and hands over to the main
// window once the initialisation is complete.
class frmAboutUs : public QWidget {
    Q_OBJECT

public:
    explicit frmAboutUs(StartupContext context, QWidget* parent = nullptr);
    ~frmAboutUs() override;

    // Form load: runs once, right after construction.
    void Form_Load();
    // Applies the start-up window colours from the settings store.
    void backprocess();
    // One tick of Timer1.
    void Timer1_Timer();
    // "Continue": hands over to the main window.
    void Command1_Click();

    // Section of the start-up window's own settings: application = program
    // folder path, section = program name.
    QString startupApplication() const;

    bool handedOver() const { return handedOver_; }
    bool initialiserStarted() const { return initialiserStarted_; }
    // The verse of the start-up notice ("" when the text database cannot give it).
    QString refugeVerse() const;

signals:
    // The main window is shown and the start-up window has stepped aside.
    void continued();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void writeFirstRunRecord();
    void startInitialiser();
    void initialiserFinished(bool ok, const QString& why);
    void checkSettingsFolder();
    QString startupSetting(const QString& key) const;
    const std::filesystem::path& markerFolder() const
    {
        return ctx_.readerFolder.empty() ? ctx_.programFolder : ctx_.readerFolder;
    }
    void setStartupSetting(const QString& key, const QString& value);

    StartupContext ctx_;
    QLabel* label1_ = nullptr;  // "Quran"
    QLabel* label2_ = nullptr;  // "Orvandel"
    QLabel* label3_ = nullptr;  // credits
    QLabel* label4_ = nullptr;  // program version
    QLabel* label7_ = nullptr;  // please wait
    QLabel* label8_ = nullptr;  // percentage
    QProgressBar* progressBar1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QTimer* timer1_ = nullptr;
    QProcess* initProcess_ = nullptr;
    bool loaded_ = false;
    bool handedOver_ = false;
    bool initialiserStarted_ = false;
    bool initialiserFailed_ = false;
    // The settings folder cannot be written: the progress the initialiser
    // reports there never arrives, so the finished "css" is watched instead.
    bool settingsUnwritable_ = false;
};
