#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The speech synthesiser as the program uses it: installed voices (indexes
// from 1), speed and pitch on the voice dialog's scales, speak and stop.
// Every call returns at once; an engine that is slow to start or stops
// answering never holds up the caller. Voices arrive when the engine has
// started (voicesChanged); until then there are none.
class SpeechEngine : public QObject {
    Q_OBJECT
public:
    enum class State {
        Starting,     // looking for a working synthesiser
        Ready,        // nothing being spoken
        Speaking,     // a text is being spoken, more may follow it
        Unavailable,  // nothing can be heard: see problem()
    };
    Q_ENUM(State)

    using QObject::QObject;
    ~SpeechEngine() override = default;

    virtual int voiceCount() const = 0;
    // The display name of voice `index` (1 … voiceCount()); empty outside.
    virtual QString voiceName(int index) const = 0;
    // False when there is no such voice.
    virtual bool selectVoice(int index) = 0;
    // The voice chosen last (1-based), 0 while none is.
    virtual int voice() const = 0;

    // On the dialog's scales; a value outside them is refused (false).
    virtual int speed() const = 0;
    virtual bool setSpeed(int speed) = 0;
    virtual int pitch() const = 0;
    virtual bool setPitch(int pitch) = 0;

    // Texts given while one is spoken follow it.
    virtual void speak(const QString& text) = 0;
    // Stops the text being spoken and drops those waiting.
    virtual void stop() = 0;

    virtual State state() const = 0;
    // Why nothing can be heard, in words for the reader.
    virtual QString problem() const = 0;

    // All the voice names, in the engine's order.
    QStringList voiceNames() const
    {
        QStringList names;
        for (int i = 1; i <= voiceCount(); ++i)
            names << voiceName(i);
        return names;
    }

signals:
    void stateChanged(SpeechEngine::State state);
    void voicesChanged();
};
