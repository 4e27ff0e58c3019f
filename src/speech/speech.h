#pragma once

#include "speech/frm_engine.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class Shell;
class SpeechEngine;

// The hidden host of the speech engine `TxSpeech`. It is made the first
// time a voice command needs the engine, never at start-up: reaching a
// synthesiser can take seconds.
class frmTx : public QObject {
    Q_OBJECT
public:
    frmTx(SpeechEngine* engine, QObject* parent);
    SpeechEngine& TxSpeech() const { return *engine_; }

private:
    SpeechEngine* engine_;
};

// Reading aloud: "Voice for display", the automatic reading of every
// display and its voice dialog, "Stop Reading", "Disable for All Verses".
// The commands work only where the text-to-speech add-on is installed (the
// marker file rdd in the program folder).
class Speech : public QObject {
    Q_OBJECT
public:
    // Makes the engine on first use; the window's makes the platform's.
    using EngineFactory = std::function<SpeechEngine*()>;
    explicit Speech(Shell& main, EngineFactory factory = {});
    ~Speech() override;

    // Registers the voice commands and the automatic reading step.
    void install();

    void mnuReadDisplay_Click();
    void mnuReciteScroll_Click();
    void mnuStopRecitation_Click();
    void mnuStopAll_Click();
    void ReadOn();
    void ReadOff();
    // Run after each display while automatic reading is on.
    void readDisplayedVerses(const QString& displayText);

    // The marker file is in the program folder.
    bool addOnInstalled() const;
    // The engine, made now if it was not yet.
    SpeechEngine& engine();
    // Null until a command needed the engine.
    frmTx* host() const { return host_; }
    FrmEngine* dialog() const { return dialog_; }
    // The prepared text the automatic reading handed to the engine last.
    const QString& textBeingRead() const { return textBeingRead_; }

    static QString addOnMessage();

private:
    bool checkAddOn();
    // Reads the display once, without its first reference.
    void readDisplay();
    void focusVerseList();
    // Once a run: nothing can be heard, and why.
    void engineStateChanged();

    Shell& main_;
    EngineFactory factory_;
    frmTx* host_ = nullptr;
    QPointer<FrmEngine> dialog_;
    QString textBeingRead_;
    bool toldUnavailable_ = false;
};
