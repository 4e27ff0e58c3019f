// The voice commands installed on a bare Shell, with an engine that
// records what it is asked instead of speaking.
#include "reading/reading_view.h"
#include "shell/commands.h"
#include "shell/install.h"
#include "speech/frm_engine.h"
#include "speech/reading_text.h"
#include "speech/recording_engine.h"
#include "speech/speech.h"
#include "support/fake_shell.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <fstream>

#include <gtest/gtest.h>

using testing_support::FakeShell;

namespace {

const QStringList kVoiceCommands = {cmd::mnuReadDisplay_Click, cmd::mnuReciteScroll_Click,
                                    cmd::mnuStopRecitation_Click, cmd::mnuStopAll_Click};

struct SpeechOnAShell : ::testing::Test {
    FakeShell shell;
    QPointer<RecordingSpeechEngine> engine;
    int enginesMade = 0;
    Speech* speech = nullptr;

    void SetUp() override
    {
        speech = &installSubsystem<Speech>(shell, [this] {
            ++enginesMade;
            engine = new RecordingSpeechEngine({QStringLiteral("Alpha"), QStringLiteral("Beta")});
            return engine.data();
        });
    }
    void installAddOn() { std::ofstream(shell.state().programFolder / "rdd") << ""; }
    void setDisplay(const std::string& text) { shell.reading().text().setText(text); }
    // Shows one verse of sura 2 the way choosing it in the verse list does.
    void showVerse(int verse)
    {
        ReadingView& view = shell.reading();
        view.showVerse(2, 0);
        QListWidget* list = view.verseList();
        list->clear();
        for (int v = 1; v <= 10; ++v)
            list->addItem(QString::number(v));
        list->item(verse - 1)->setSelected(true);
        view.OpenVerse();
    }
    FrmEngine* openDialog()
    {
        EXPECT_TRUE(shell.runCommand(cmd::mnuReciteScroll_Click));
        return shell.window().findChild<FrmEngine*>(QStringLiteral("FrmEngine"));
    }
    void pressOk(FrmEngine* dialog) { QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton); }
};

}  // namespace

TEST_F(SpeechOnAShell, WithoutTheAddOnEveryCommandOnlyShowsTheMessage)
{
    shell.state().readAllVerses = true;
    for (const QString& name : kVoiceCommands) {
        shell.scripted().clear();
        ASSERT_TRUE(shell.runCommand(name)) << name.toStdString();
        EXPECT_EQ(shell.scripted().texts(), QStringList{Speech::addOnMessage()}) << name.toStdString();
    }
    // "Disable for All Verses" left reading as it was; no engine was made
    // and no dialog opened.
    EXPECT_TRUE(shell.state().readAllVerses);
    EXPECT_EQ(enginesMade, 0);
    EXPECT_EQ(shell.window().findChild<FrmEngine*>(), nullptr);
    EXPECT_EQ(shell.window().findChild<QObject*>(QStringLiteral("frmTx")), nullptr);
}

TEST_F(SpeechOnAShell, VoiceForDisplayReadsWithoutTheFirstReferenceOnly)
{
    installAddOn();
    EXPECT_EQ(enginesMade, 0);  // nothing is reached before a command needs it
    setDisplay("[2:255] GOD: There is no god* except He.\r\n[2:256] There Shall Be No compulsion.");
    ASSERT_TRUE(shell.runCommand(cmd::mnuReadDisplay_Click));
    ASSERT_TRUE(engine);
    EXPECT_EQ(enginesMade, 1);
    EXPECT_EQ(engine->spoken,
              QStringList{QStringLiteral("  god: there is no god* except he.\r\n[2:256] there shall be no compulsion.")});
    // What was being spoken stops first.
    EXPECT_EQ(engine->events, (QStringList{QStringLiteral("stop"), QStringLiteral("speak")}));
    EXPECT_TRUE(shell.scripted().boxes().empty());
    EXPECT_FALSE(shell.state().readAllVerses);  // reading once is not automatic reading

    // "Stop Reading" stops and keeps the one engine.
    ASSERT_TRUE(shell.runCommand(cmd::mnuStopRecitation_Click));
    EXPECT_EQ(engine->stops, 2);
    EXPECT_EQ(enginesMade, 1);
    ASSERT_NE(speech->host(), nullptr);
    EXPECT_EQ(&speech->host()->TxSpeech(), engine.data());
}

TEST_F(SpeechOnAShell, StopWithNoEngineYetMakesNone)
{
    installAddOn();
    ASSERT_TRUE(shell.runCommand(cmd::mnuStopRecitation_Click));
    ASSERT_TRUE(shell.runCommand(cmd::mnuStopAll_Click));
    EXPECT_EQ(enginesMade, 0);
    EXPECT_TRUE(shell.scripted().boxes().empty());
}

TEST_F(SpeechOnAShell, DialogShowsTheEngineAndOkTurnsAutomaticReadingOn)
{
    installAddOn();
    FrmEngine* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Properties"));
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->parentWidget(), &shell.window());
    // The voices in the engine's order, the first selected; the sliders at
    // the engine's own speed and pitch, their labels with them.
    QListWidget* voices = dialog->VoiceCount();
    ASSERT_EQ(voices->count(), 2);
    EXPECT_EQ(voices->item(1)->text(), QStringLiteral("Beta"));
    EXPECT_EQ(voices->currentRow(), 0);
    EXPECT_EQ(dialog->Speed()->value(), engine->speed());
    EXPECT_EQ(dialog->SpeedValue()->text(), QString::number(engine->speed()));
    EXPECT_EQ(dialog->Pitch()->value(), engine->pitch());
    EXPECT_EQ(dialog->Speed()->minimum(), 30);
    EXPECT_EQ(dialog->Speed()->maximum(), 510);
    EXPECT_EQ(dialog->Pitch()->minimum(), 84);
    EXPECT_EQ(dialog->Pitch()->maximum(), 338);
    dialog->Pitch()->setValue(300);
    EXPECT_EQ(dialog->PitchValue()->text(), QStringLiteral("300"));

    // Opening it again brings the same dialog forward.
    EXPECT_EQ(openDialog(), dialog);
    EXPECT_EQ(shell.window().findChildren<FrmEngine*>().size(), 1);

    voices->setCurrentRow(1);
    dialog->Speed()->setValue(400);
    QPointer<FrmEngine> open = dialog;
    pressOk(dialog);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(open.isNull());
    EXPECT_TRUE(shell.state().readAllVerses);
    EXPECT_EQ(engine->voice(), 2);
    EXPECT_EQ(engine->speed(), 400);
    EXPECT_EQ(engine->pitch(), 300);
    EXPECT_TRUE(engine->spoken.isEmpty());  // applied, so nothing is read yet

    // OK a second time leaves reading on; one "Disable" turns it off and stops.
    pressOk(openDialog());
    EXPECT_TRUE(shell.state().readAllVerses);
    const int stops = engine->stops;
    ASSERT_TRUE(shell.runCommand(cmd::mnuStopAll_Click));
    EXPECT_FALSE(shell.state().readAllVerses);
    EXPECT_EQ(engine->stops, stops + 1);
    EXPECT_EQ(enginesMade, 1);
}

TEST_F(SpeechOnAShell, CancelAndEscChangeNothing)
{
    installAddOn();
    FrmEngine* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    const int speed = engine->speed();
    dialog->Speed()->setValue(500);
    QPointer<FrmEngine> open = dialog;
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Cancel")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(open.isNull());

    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    open = dialog;
    dialog->Pitch()->setValue(100);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(open.isNull());

    EXPECT_FALSE(shell.state().readAllVerses);
    EXPECT_EQ(engine->speed(), speed);
    EXPECT_EQ(engine->voice(), 0);
    EXPECT_TRUE(engine->events.isEmpty());
}

TEST_F(SpeechOnAShell, OkThatCannotApplyFallsBackAndReadsTheDisplay)
{
    installAddOn();
    setDisplay("[1:1] In The Name of GOD*");
    FrmEngine* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    engine->failSettings = true;
    dialog->Speed()->setValue(400);
    pressOk(dialog);
    // Reading is on all the same, at the fallback speed and pitch, and the
    // display is read once as "Voice for display" reads it.
    EXPECT_TRUE(shell.state().readAllVerses);
    EXPECT_EQ(engine->speed(), speech::kDefaultSpeed);
    EXPECT_EQ(engine->pitch(), speech::kDefaultPitch);
    EXPECT_EQ(engine->events, (QStringList{QStringLiteral("stop"), QStringLiteral("speak")}));
    EXPECT_EQ(engine->spoken, QStringList{QStringLiteral("  in the name of god*")});
}

TEST_F(SpeechOnAShell, EveryDisplayIsReadWhileAutomaticReadingIsOn)
{
    installAddOn();
    // Off: showing verses reads nothing and reaches no engine.
    showVerse(5);
    EXPECT_EQ(enginesMade, 0);

    pressOk(openDialog());
    ASSERT_TRUE(engine);
    showVerse(5);
    showVerse(7);
    const QString shown = QString::fromStdString(shell.reading().text().text());
    ASSERT_TRUE(shown.contains(QStringLiteral("[2:7]"))) << shown.toStdString();
    ASSERT_EQ(engine->spoken.size(), 2);
    // A new display does not stop the one being read: the two follow each other.
    EXPECT_EQ(engine->stops, 0);
    EXPECT_EQ(engine->spoken[1], speech::automaticReading(shown));
    EXPECT_EQ(speech->textBeingRead(), engine->spoken[1]);
    for (const QString& text : engine->spoken) {
        EXPECT_FALSE(text.contains(QLatin1Char('[')) || text.contains(QLatin1Char('*'))) << text.toStdString();
        EXPECT_EQ(text, text.toLower());
    }

    ASSERT_TRUE(shell.runCommand(cmd::mnuStopAll_Click));
    showVerse(9);
    EXPECT_EQ(engine->spoken.size(), 2);
}

TEST_F(SpeechOnAShell, ReaderIsToldOnceWhenNothingCanBeHeard)
{
    installAddOn();
    setDisplay("[1:1] words");
    ASSERT_TRUE(shell.runCommand(cmd::mnuReadDisplay_Click));
    engine->becomeUnavailable(QStringLiteral("No voice can be heard: no sound."));
    ASSERT_TRUE(shell.runCommand(cmd::mnuReadDisplay_Click));
    ASSERT_TRUE(shell.runCommand(cmd::mnuReadDisplay_Click));
    EXPECT_EQ(shell.scripted().texts(), QStringList{QStringLiteral("No voice can be heard: no sound.")});

    // The dialog says why its list is empty.
    auto* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    auto* note = dialog->findChild<QLabel*>(QStringLiteral("VoiceNote"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text(), QStringLiteral("No voice can be heard: no sound."));
}

TEST_F(SpeechOnAShell, ClosingTheWindowTakesTheDialogWithTheEngine)
{
    installAddOn();
    QPointer<FrmEngine> dialog = openDialog();
    ASSERT_TRUE(dialog);
    delete speech;
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(engine.isNull());
}
