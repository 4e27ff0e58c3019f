#include "app/frm_about_us.h"
#include "core/settings_store.h"
#include "app/startup_logic.h"
#include "support/scripted_prompter.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

using namespace testing_support;
using namespace app_tests;
namespace fs = std::filesystem;

namespace {

QString qpath(const fs::path& p) { return QString::fromStdString(p.string()); }

class StartupWindow : public ::testing::Test {
protected:
    TempDir tmp;
    fs::path folder = tmp / "prog";
    SettingsStore store{qpath(tmp / "config" / "zerafin")};
    ScriptedPrompter prompter;
    int mainShown = 0;
    bool mainLoads = true;
    int ended = 0;

    StartupContext context(fs::path initialiser = {}, QStringList arguments = {})
    {
        StartupContext c;
        c.programFolder = folder;
        c.programName = QStringLiteral("zerafin");
        c.settings = &store;
        c.prompter = &prompter;
        c.initialiser = initialiser.empty() ? tmp / "no-initialiser" : std::move(initialiser);
        c.initialiserArguments = std::move(arguments);
        c.showMainWindow = [this] {
            ++mainShown;
            return mainLoads;
        };
        c.endProgram = [this] { ++ended; };
        return c;
    }

    QString startupSetting(const char* key) const
    {
        return store.get(qpath(folder), QStringLiteral("zerafin"), QString::fromLatin1(key));
    }
    void setStartupSetting(const char* key, const QString& value)
    {
        store.set(qpath(folder), QStringLiteral("zerafin"), QString::fromLatin1(key), value);
    }

    // A stand-in initialiser that just waits, so the window watches the
    // progress the test writes.
    fs::path waitingInitialiser()
    {
        const fs::path script = tmp / "waiting-init";
        writeFile(script, "#!/bin/sh\nexec sleep 30\n");
        fs::permissions(script, fs::perms::owner_all);
        return script;
    }

    // Runs a whole start: load, then ticks until the hand-over or 5 s.
    void runStart(frmAboutUs& w)
    {
        w.show();
        w.Form_Load();
        waitFor([&] { return w.handedOver(); });
    }
};

bool shown(QWidget& window, const char* name)
{
    auto* w = window.findChild<QWidget*>(QString::fromLatin1(name));
    return w && w->isVisibleTo(&window);
}

}  // namespace

TEST_F(StartupWindow, CompleteCssGoesStraightOnAndShowsTheNotice)
{
    makeProgramFolder(folder, 2000);  // exactly 2000 bytes counts as complete
    frmAboutUs w(context());
    w.show();
    w.Form_Load();
    EXPECT_EQ(w.windowTitle(), "Zerafin Release 3.7");
    EXPECT_FALSE(shown(w, "Label7"));
    EXPECT_FALSE(shown(w, "ProgressBar1"));
    EXPECT_FALSE(shown(w, "Label8"));
    EXPECT_FALSE(shown(w, "Command1"));
    EXPECT_EQ(store.progress(), "18360");
    EXPECT_EQ(w.findChild<QTimer*>("Timer1")->interval(), 100);
    EXPECT_FALSE(w.initialiserStarted());
    EXPECT_EQ(mainShown, 0);  // nothing before the first tick

    ASSERT_TRUE(waitFor([&] { return w.handedOver(); }, 2000));
    EXPECT_EQ(mainShown, 1);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(prompter.boxes().size(), 1u);
    EXPECT_EQ(prompter.boxes()[0].kind, ScriptedPrompter::Kind::Information);
    EXPECT_EQ(prompter.boxes()[0].title, "An Important Commandment*");
    EXPECT_EQ(prompter.boxes()[0].text, "[16:98] " + refugeVerseText());
    EXPECT_EQ(ended, 0);
}

TEST_F(StartupWindow, FirstRunRecordIsWrittenOnceAndAgainWhenTheMarkerGoes)
{
    makeProgramFolder(folder, 2500);
    {
        frmAboutUs w(context());
        runStart(w);
    }
    const fs::path marker = folder / "Files" / "2.1";
    ASSERT_TRUE(fs::exists(marker));
    EXPECT_EQ(readFile(marker), readFile(folder / "Files" / "Help.htm"));
    for (const auto& [key, value] : startup::firstRunRecord())
        EXPECT_EQ(startupSetting(std::string(key).c_str()), QString::fromUtf8(value.data(), qsizetype(value.size())))
            << key;
    QSettings about(store.fileFor(QStringLiteral("zerafin")), QSettings::IniFormat);
    EXPECT_TRUE(about.contains(QStringLiteral("about us/startup")));

    // With the marker there, the reader's own choices stay.
    setStartupSetting("seekrefuge", QStringLiteral("1"));
    setStartupSetting("VWFont", QStringLiteral("Verdana"));
    {
        frmAboutUs w(context());
        runStart(w);
    }
    EXPECT_EQ(startupSetting("seekrefuge"), "1");
    EXPECT_EQ(startupSetting("VWFont"), "Verdana");

    // Without it, the whole record is written again and the notice is back.
    fs::remove(marker);
    prompter.clear();
    {
        frmAboutUs w(context());
        runStart(w);
        EXPECT_TRUE(w.handedOver());
    }
    EXPECT_EQ(startupSetting("seekrefuge"), "0");
    EXPECT_EQ(startupSetting("VWFont"), "Arial Narrow");
    EXPECT_TRUE(fs::exists(marker));
    EXPECT_EQ(prompter.boxes().size(), 1u);
}

TEST_F(StartupWindow, SeekRefugeDecidesTheNotice)
{
    makeProgramFolder(folder, 2000);
    {
        frmAboutUs w(context());
        runStart(w);
    }
    ASSERT_EQ(prompter.boxes().size(), 1u);

    struct Case {
        const char* stored;
        bool notice;
    };
    for (const Case& c : {Case{"1", false}, Case{"-1", false}, Case{"abc", true}, Case{"", true}, Case{"0", true},
                          Case{"1x", true}}) {
        setStartupSetting("seekrefuge", QString::fromLatin1(c.stored));
        prompter.clear();
        frmAboutUs w(context());
        runStart(w);
        ASSERT_TRUE(w.handedOver()) << c.stored;
        EXPECT_EQ(prompter.boxes().size(), c.notice ? 1u : 0u) << "seekrefuge " << c.stored;
    }

    // The main window's check box "Do not display 16:98 at startup", saved
    // with its settings, keeps the notice away too; unticked it does not.
    setStartupSetting("seekrefuge", QStringLiteral("0"));
    for (const Case& c : {Case{"1", false}, Case{"0", true}}) {
        store.set(QStringLiteral("zerafin"), QStringLiteral("zerafin"), QStringLiteral("seekrefuge.value"),
                  QString::fromLatin1(c.stored));
        prompter.clear();
        frmAboutUs w(context());
        runStart(w);
        EXPECT_EQ(prompter.boxes().size(), c.notice ? 1u : 0u) << "seekrefuge.value " << c.stored;
    }
}

TEST_F(StartupWindow, FrmHUAndColours)
{
    makeProgramFolder(folder, 2000);
    {
        frmAboutUs w(context());
        w.Form_Load();
        // The first-run record says white for the window and light grey for the button.
        EXPECT_EQ(w.palette().color(QPalette::Window), QColor(255, 255, 255));
        auto* check = w.findChild<QCheckBox*>("Check1");
        EXPECT_EQ(check->palette().color(check->backgroundRole()), QColor(255, 255, 255));
        EXPECT_EQ(w.findChild<QPushButton*>("Command1")->palette().color(QPalette::Button), QColor(224, 224, 224));
    }
    EXPECT_EQ(startupSetting("frmHU"), "1");
    setStartupSetting("frmHU", QString());
    setStartupSetting("txtBack", QStringLiteral("255"));         // red, in the low byte
    setStartupSetting("txtButtons", QStringLiteral("16711680"));  // blue
    {
        frmAboutUs w(context());
        w.Form_Load();
        EXPECT_EQ(w.palette().color(QPalette::Window), QColor(255, 0, 0));
        EXPECT_EQ(w.findChild<QPushButton*>("Command1")->palette().color(QPalette::Button), QColor(0, 0, 255));
    }
    EXPECT_EQ(startupSetting("frmHU"), "True");
    // A colour that is not a number leaves the window as it is.
    setStartupSetting("txtBack", QStringLiteral("white"));
    frmAboutUs w(context());
    const QColor before = w.palette().color(QPalette::Window);
    w.Form_Load();
    EXPECT_EQ(w.palette().color(QPalette::Window), before);
}

TEST_F(StartupWindow, ShortCssShowsProgressUntilTheInitialisationIsDone)
{
    makeProgramFolder(folder, 1999);
    store.setProgress(18360);  // left over from an earlier run
    frmAboutUs w(context(waitingInitialiser()));
    w.show();
    w.Form_Load();
    EXPECT_TRUE(w.initialiserStarted());
    EXPECT_EQ(store.progress(), "0");
    EXPECT_TRUE(shown(w, "Label7"));
    EXPECT_TRUE(shown(w, "ProgressBar1"));
    EXPECT_TRUE(shown(w, "Label8"));
    EXPECT_EQ(w.findChild<QLabel*>("Label7")->text(), "Please wait while Zerafin initializes for First Time Use");
    auto* bar = w.findChild<QProgressBar*>("ProgressBar1");
    auto* percent = w.findChild<QLabel*>("Label8");
    EXPECT_EQ(bar->maximum(), 18360);

    store.setProgress(9180);
    ASSERT_TRUE(waitFor([&] { return percent->text() == "50%"; }, 2000)) << percent->text().toStdString();
    EXPECT_EQ(bar->value(), 9180);
    saveShot(w, QStringLiteral("startup-progress"));
    store.setProgress(18359);
    ASSERT_TRUE(waitFor([&] { return percent->text() == "99%"; }, 2000)) << percent->text().toStdString();
    EXPECT_FALSE(w.handedOver());
    EXPECT_EQ(mainShown, 0);

    store.setProgress(18360);
    ASSERT_TRUE(waitFor([&] { return w.handedOver(); }, 2000));
    EXPECT_EQ(mainShown, 1);
    EXPECT_FALSE(w.findChild<QTimer*>("Timer1")->isActive());
}

TEST_F(StartupWindow, NoSecondInitialiserWhileOneRuns)
{
    makeProgramFolder(folder, 0);
    const fs::path running = tmp / "zerafin-init";
    fs::copy_file("/bin/sleep", running);
    QProcess other;
    other.start(qpath(running), {QStringLiteral("30")});
    ASSERT_TRUE(other.waitForStarted());
    {
        frmAboutUs w(context(running));
        w.Form_Load();
        EXPECT_FALSE(w.initialiserStarted());
        EXPECT_TRUE(shown(w, "ProgressBar1"));
    }
    other.kill();
    other.waitForFinished();
}

TEST_F(StartupWindow, AFailingInitialiserIsReportedAndContinueIsOffered)
{
    makeProgramFolder(folder, -1);  // no css at all
    const fs::path failing = tmp / "failing-init";
    writeFile(failing, "#!/bin/sh\necho 'no sample text here' >&2\nexit 1\n");
    fs::permissions(failing, fs::perms::owner_all);
    frmAboutUs w(context(failing));
    w.show();
    w.Form_Load();
    ASSERT_TRUE(waitFor([&] { return !prompter.boxes().empty(); }, 5000));
    EXPECT_TRUE(prompter.boxes()[0].text.contains("did not complete"));
    EXPECT_TRUE(prompter.boxes()[0].text.contains("no sample text here"));
    EXPECT_TRUE(shown(w, "Command1"));
    EXPECT_FALSE(w.handedOver());

    // An initialiser that cannot even start says so too.
    prompter.clear();
    {
        frmAboutUs missing(context(tmp / "nowhere" / "zerafin-init"));
        missing.Form_Load();
        ASSERT_TRUE(waitFor([&] { return !prompter.boxes().empty(); }, 5000));
        EXPECT_TRUE(prompter.boxes()[0].text.contains("could not be started"));
    }

    // Continue still leads to the main window.
    EXPECT_TRUE(w.findChild<QTimer*>("Timer1")->isActive());
    w.findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(w.handedOver());
    EXPECT_EQ(mainShown, 1);
    EXPECT_FALSE(w.findChild<QTimer*>("Timer1")->isActive());
}

TEST_F(StartupWindow, ASettingsFolderThatCannotBeWrittenIsReportedAndTheReaderGoesOn)
{
    // A file where the folder should be: nothing can be created in it,
    // whoever runs the test.
    writeFile(tmp / "blocked", "a file, not a folder");
    SettingsStore blocked(qpath(tmp / "blocked" / "zerafin"));
    makeProgramFolder(folder, -1);
    // A stand-in initialiser that finishes the program folder a moment later.
    const fs::path init = tmp / "slow-init";
    writeFile(init, "#!/bin/sh\nsleep 0.3\nhead -c 2500 /dev/zero > '" + (folder / "css").string() + "'\n");
    fs::permissions(init, fs::perms::owner_all);
    StartupContext c = context(init);
    c.settings = &blocked;
    frmAboutUs w(c);
    w.show();
    w.Form_Load();
    ASSERT_FALSE(prompter.boxes().empty());
    EXPECT_TRUE(prompter.boxes()[0].text.contains("cannot save its settings"));
    EXPECT_TRUE(prompter.boxes()[0].text.contains("Not a directory")) << prompter.boxes()[0].text.toStdString();
    EXPECT_TRUE(shown(w, "Command1"));
    // Once the initialiser is done the start goes on by itself.
    EXPECT_TRUE(waitFor([&] { return w.handedOver(); }, 5000));
    EXPECT_EQ(mainShown, 1);
}

TEST_F(StartupWindow, AnInitialiserThatKeptAnOldFileAsideSaysSo)
{
    makeProgramFolder(folder, -1);
    const fs::path init = tmp / "aside-init";
    writeFile(init, "#!/bin/sh\nhead -c 2500 /dev/zero > '" + (folder / "css").string() +
                        "'\necho 'the earlier English.ttb was kept as English.ttb.unreadable-1' >&2\nexit 3\n");
    fs::permissions(init, fs::perms::owner_all);
    frmAboutUs w(context(init));
    runStart(w);
    EXPECT_TRUE(w.handedOver());
    EXPECT_TRUE(prompter.texts().join("\n").contains("kept as English.ttb.unreadable-1"));
    EXPECT_FALSE(prompter.texts().join("\n").contains("did not complete"));
}

TEST_F(StartupWindow, MainWindowThatDoesNotLoadKeepsTheStartupWindow)
{
    makeProgramFolder(folder, 2000);
    mainLoads = false;
    frmAboutUs w(context());
    w.show();
    w.Form_Load();
    ASSERT_TRUE(waitFor([&] { return mainShown > 0; }, 2000));
    EXPECT_FALSE(w.handedOver());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(shown(w, "Command1"));
    EXPECT_TRUE(prompter.boxes().empty());

    mainLoads = true;
    w.findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(w.handedOver());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(StartupWindow, WithoutTextDatabaseNoEmptyNotice)
{
    makeProgramFolder(folder, 2000);
    fs::remove(folder / "English.ttb");
    frmAboutUs w(context());
    runStart(w);
    EXPECT_TRUE(w.handedOver());
    EXPECT_TRUE(prompter.boxes().empty());
}

TEST_F(StartupWindow, ClosingEndsTheProgram)
{
    makeProgramFolder(folder, 1000);
    frmAboutUs w(context(waitingInitialiser()));
    w.show();
    w.Form_Load();
    w.close();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(mainShown, 0);
}

TEST_F(StartupWindow, FirstStartRunsTheRealInitialiser)
{
    if (!fullTextAvailable())
        GTEST_SKIP() << "the sample text is not there to build from";
    fs::create_directories(folder / "Files");
    frmAboutUs w(context(binDir() / "zerafin-init", {QStringLiteral("--out"), qpath(folder), QStringLiteral("--quiet")}));
    w.show();
    w.Form_Load();
    EXPECT_TRUE(w.initialiserStarted());
    EXPECT_TRUE(shown(w, "ProgressBar1"));
    EXPECT_TRUE(shown(w, "Label8"));
    saveShot(w, QStringLiteral("startup-first-run"));
    ASSERT_TRUE(waitFor([&] { return w.handedOver(); }, 60000)) << prompter.texts().join("\n").toStdString();
    EXPECT_EQ(mainShown, 1);
    EXPECT_TRUE(startup::initialisationComplete(folder));
    EXPECT_TRUE(fs::exists(folder / "English.ttb"));
    EXPECT_EQ(store.progress(), "18360");
    // The notice reads 16:98 from the database the initialiser built.
    ASSERT_EQ(prompter.boxes().size(), 1u);
    EXPECT_TRUE(prompter.boxes()[0].text.startsWith("[16:98] "));
    EXPECT_GT(prompter.boxes()[0].text.size(), 30);
}
