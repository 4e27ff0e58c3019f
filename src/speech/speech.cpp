#include "speech/speech.h"

#include "core/file_exists.h"
#include "reading/reading_view.h"
#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/prompter.h"
#include "shell/shell.h"
#include "speech/frm_engine.h"
#include "speech/qt_speech_engine.h"
#include "speech/reading_text.h"

#include <QListWidget>

frmTx::frmTx(SpeechEngine* engine, QObject* parent) : QObject(parent), engine_(engine)
{
    setObjectName(QStringLiteral("frmTx"));
    engine_->setParent(this);
    engine_->setObjectName(QStringLiteral("TxSpeech"));
}

Speech::Speech(Shell& main, EngineFactory factory)
    : QObject(&main.window()), main_(main), factory_(std::move(factory))
{
    setObjectName(QStringLiteral("Speech"));
    if (!factory_)
        factory_ = [] { return new QtSpeechEngine; };
}

Speech::~Speech()
{
    // The dialog belongs to the window but speaks to the engine, which
    // goes with this object.
    delete dialog_.data();
}

void Speech::install()
{
    main_.setCommand(cmd::mnuReadDisplay_Click, [this] { mnuReadDisplay_Click(); });
    main_.setCommand(cmd::mnuReciteScroll_Click, [this] { mnuReciteScroll_Click(); });
    main_.setCommand(cmd::mnuStopRecitation_Click, [this] { mnuStopRecitation_Click(); });
    main_.setCommand(cmd::mnuStopAll_Click, [this] { mnuStopAll_Click(); });
    main_.reading().setReadAloud([this](const QString& text) { readDisplayedVerses(text); });
}

QString Speech::addOnMessage()
{
    return QStringLiteral("The Text-to-Speech add-on for Zerafin needs to be installed for this feature to work");
}

bool Speech::addOnInstalled() const
{
    return FileExists((main_.state().programFolder / "rdd").string());
}

bool Speech::checkAddOn()
{
    if (addOnInstalled())
        return true;
    main_.prompter().information(addOnMessage());
    return false;
}

SpeechEngine& Speech::engine()
{
    if (!host_) {
        host_ = new frmTx(factory_(), this);
        connect(&host_->TxSpeech(), &SpeechEngine::stateChanged, this, [this] { engineStateChanged(); });
        engineStateChanged();
    }
    return host_->TxSpeech();
}

void Speech::engineStateChanged()
{
    if (toldUnavailable_ || !host_ || host_->TxSpeech().state() != SpeechEngine::State::Unavailable)
        return;
    toldUnavailable_ = true;
    main_.prompter().information(host_->TxSpeech().problem());
}

void Speech::focusVerseList()
{
    main_.reading().verseList()->setFocus(Qt::OtherFocusReason);
}

void Speech::readDisplay()
{
    engine().speak(speech::displayReading(QString::fromStdString(main_.reading().text().text())));
}

void Speech::mnuReadDisplay_Click()
{
    if (checkAddOn()) {
        engine().stop();
        readDisplay();
    }
    focusVerseList();
}

void Speech::mnuReciteScroll_Click()
{
    if (!checkAddOn())
        return;
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    dialog_ = new FrmEngine(engine(), {[this] { ReadOn(); }, [this] { readDisplay(); }}, &main_.window());
    dialog_->setWindowFlag(Qt::Dialog);
    dialog_->show();
}

void Speech::mnuStopRecitation_Click()
{
    // Stopping an engine that was never made would only make it.
    if (checkAddOn() && host_)
        host_->TxSpeech().stop();
    focusVerseList();
}

void Speech::ReadOn()
{
    main_.state().readAllVerses = true;
}

void Speech::ReadOff()
{
    if (!checkAddOn())
        return;
    main_.state().readAllVerses = false;
    if (host_)
        host_->TxSpeech().stop();
}

void Speech::mnuStopAll_Click()
{
    ReadOff();
    focusVerseList();
}

void Speech::readDisplayedVerses(const QString& displayText)
{
    if (!main_.state().readAllVerses)
        return;
    textBeingRead_ = speech::automaticReading(displayText);
    engine().speak(textBeingRead_);
}
