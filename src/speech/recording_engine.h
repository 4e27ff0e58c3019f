#pragma once

#include "speech/reading_text.h"
#include "speech/speech_engine.h"

// An engine that speaks nothing and keeps what it was asked: the texts it
// was given, each stop, and its settings. Tests and measurements use it in
// place of a synthesiser; it can also play an engine whose settings fail
// or that finds no voice at all.
class RecordingSpeechEngine : public SpeechEngine {
    Q_OBJECT
public:
    explicit RecordingSpeechEngine(QStringList voices = {QStringLiteral("Alpha"), QStringLiteral("Beta")},
                                   QObject* parent = nullptr)
        : SpeechEngine(parent), voices_(std::move(voices))
    {
    }

    int voiceCount() const override { return static_cast<int>(voices_.size()); }
    QString voiceName(int index) const override
    {
        return index >= 1 && index <= voiceCount() ? voices_[index - 1] : QString();
    }
    bool selectVoice(int index) override
    {
        if (failSettings || index < 1 || index > voiceCount())
            return false;
        voice_ = index;
        return true;
    }
    int voice() const override { return voice_; }
    int speed() const override { return speed_; }
    bool setSpeed(int speed) override
    {
        if ((failSettings && speed != speech::kDefaultSpeed) || speed < speech::kMinSpeed || speed > speech::kMaxSpeed)
            return false;
        speed_ = speed;
        return true;
    }
    int pitch() const override { return pitch_; }
    bool setPitch(int pitch) override
    {
        if ((failSettings && pitch != speech::kDefaultPitch) || pitch < speech::kMinPitch || pitch > speech::kMaxPitch)
            return false;
        pitch_ = pitch;
        return true;
    }
    void speak(const QString& text) override
    {
        spoken << text;
        events << QStringLiteral("speak");
        setState(unavailable_ ? State::Unavailable : State::Speaking);
    }
    void stop() override
    {
        ++stops;
        events << QStringLiteral("stop");
        if (!unavailable_)
            setState(State::Ready);
    }
    State state() const override { return state_; }
    QString problem() const override { return problem_; }

    // Ends the text being spoken, as a synthesiser does when it is done.
    void finish()
    {
        if (!unavailable_)
            setState(State::Ready);
    }
    // From now on nothing can be heard.
    void becomeUnavailable(const QString& why)
    {
        unavailable_ = true;
        problem_ = why;
        setState(State::Unavailable);
    }

    QStringList spoken;
    QStringList events;
    int stops = 0;
    // Every setting but the fallback values fails, as with an engine that
    // refuses the dialog's choice.
    bool failSettings = false;

private:
    void setState(State s)
    {
        if (s == state_)
            return;
        state_ = s;
        emit stateChanged(s);
    }

    QStringList voices_;
    int voice_ = 0;
    int speed_ = 270;
    int pitch_ = 211;
    State state_ = State::Ready;
    bool unavailable_ = false;
    QString problem_;
};
