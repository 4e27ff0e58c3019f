#pragma once

#include "speech/speech_engine.h"

class QThread;
class QTimer;

namespace speech {
class SpeechWorker;
}

// The platform's synthesiser through Qt's text-to-speech engines. The
// engine lives on a thread of its own: speech-dispatcher can take seconds
// to answer when it is first reached, or not answer at all, and neither
// may hold up the window. Calls are passed on to that thread and return at
// once; what the window reads (voices, speed, pitch, state) is kept here.
class QtSpeechEngine : public SpeechEngine {
    Q_OBJECT
public:
    // Engines by name, tried in order: the first that starts and offers a
    // voice is used.
    explicit QtSpeechEngine(QStringList engines = defaultEngines(), QObject* parent = nullptr);
    // Waits a moment for the engine to let go; one that does not answer is
    // left behind rather than waited for.
    ~QtSpeechEngine() override;

    // speech-dispatcher where it answers, else flite; or the names listed,
    // comma-separated, in ZERAFIN_SPEECH_ENGINES.
    static QStringList defaultEngines();

    int voiceCount() const override { return static_cast<int>(voices_.size()); }
    QString voiceName(int index) const override;
    bool selectVoice(int index) override;
    int voice() const override { return voice_; }
    int speed() const override { return speed_; }
    bool setSpeed(int speed) override;
    int pitch() const override { return pitch_; }
    bool setPitch(int pitch) override;
    void speak(const QString& text) override;
    void stop() override;
    State state() const override { return state_; }
    QString problem() const override { return problem_; }

    // The engine that answered ("speechd", "flite"), empty until one has.
    QString engineName() const { return engine_; }

    // Runs the event loop until the engine has started or is found
    // unavailable, at most `ms` milliseconds; false while still starting.
    bool waitUntilStarted(int ms);
    // Runs the event loop until nothing is being spoken, at most `ms`
    // milliseconds; false when the time ran out.
    bool waitUntilQuiet(int ms);

    // How long start-up may take before the reader is told it failed.
    static constexpr int kStartTimeoutMs = 15000;
    // How long closing waits for the engine.
    static constexpr int kCloseWaitMs = 400;

private:
    void opened(const QStringList& voices, const QString& engine);
    void failed(const QString& problem);
    void workerState(int state);
    void setState(State state);
    // An engine answered and offered voices (it may still fail to play).
    bool started() const { return !voices_.isEmpty(); }
    // Runs `call` on the engine's thread.
    template <typename F>
    void post(F&& call);

    QThread* thread_ = nullptr;
    speech::SpeechWorker* worker_ = nullptr;
    QTimer* startTimer_ = nullptr;
    QStringList voices_;
    QString engine_;
    int voice_ = 0;
    int speed_;
    int pitch_;
    State state_ = State::Starting;
    QString problem_;
};
