#include "speech/qt_speech_engine.h"

#include "speech/reading_text.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLocale>
#include <QLoggingCategory>
#include <QPointer>
#include <QTextToSpeech>
#include <QThread>
#include <QTimer>
#include <QVoice>

#include <utility>
#include <vector>

Q_LOGGING_CATEGORY(lcSpeech, "zerafin.speech", QtWarningMsg)

namespace speech {

// Lives on the engine's thread and owns the QTextToSpeech there. Texts
// wait in a queue of our own: the engine itself drops the text it is
// speaking when given the next.
class SpeechWorker : public QObject {
    Q_OBJECT
public:
    explicit SpeechWorker(QStringList engines) : engines_(std::move(engines)) {}

    void open();
    void selectVoice(int index);
    void setRate(double rate)
    {
        if (tts_)
            tts_->setRate(rate);
    }
    void setPitch(double pitch)
    {
        if (tts_)
            tts_->setPitch(pitch);
    }
    void say(const QString& text);
    void stop();

signals:
    void opened(const QStringList& voices, const QString& engine);
    void failed(const QString& problem);
    // SpeechEngine::State as int, Ready or Speaking.
    void stateChanged(int state);

private:
    void engineState(QTextToSpeech::State state);
    void next();

    struct Voice {
        QLocale locale;
        QVoice voice;
    };
    QStringList engines_;
    QTextToSpeech* tts_ = nullptr;
    std::vector<Voice> voices_;
    QStringList queue_;
    bool speaking_ = false;
};

namespace {

QString voiceLabel(const QVoice& voice, const QLocale& locale)
{
    QString where = QLocale::languageToString(locale.language());
    if (locale.territory() != QLocale::AnyTerritory)
        where += QStringLiteral(", ") + QLocale::territoryToString(locale.territory());
    return QStringLiteral("%1 (%2)").arg(voice.name(), where);
}

}  // namespace

void SpeechWorker::open()
{
    const QStringList available = QTextToSpeech::availableEngines();
    QStringList reasons;
    for (const QString& name : engines_) {
        if (!available.contains(name))
            continue;
        auto* tts = new QTextToSpeech(name, this);
        if (tts->state() == QTextToSpeech::Error) {
            reasons << QStringLiteral("%1: %2").arg(name, tts->errorString());
            delete tts;
            continue;
        }
        // Every voice of every language, not only those of the current one.
        const QLocale original = tts->locale();
        std::vector<Voice> voices;
        QList<QLocale> locales = tts->availableLocales();
        if (locales.isEmpty())
            locales << original;
        for (const QLocale& locale : locales) {
            if (locale != tts->locale())
                tts->setLocale(locale);
            for (const QVoice& v : tts->availableVoices())
                voices.push_back({locale, v});
        }
        if (tts->locale() != original)
            tts->setLocale(original);
        if (voices.empty()) {
            reasons << QStringLiteral("%1: no voices").arg(name);
            delete tts;
            continue;
        }
        tts_ = tts;
        voices_ = std::move(voices);
        connect(tts_, &QTextToSpeech::stateChanged, this, &SpeechWorker::engineState);
        connect(tts_, &QTextToSpeech::errorOccurred, this,
                [this](QTextToSpeech::ErrorReason reason, const QString& why) {
                    queue_.clear();
                    speaking_ = false;
                    emit failed(reason == QTextToSpeech::ErrorReason::Playback
                                    ? QStringLiteral("No voice can be heard: this computer has no working sound "
                                                     "output (the speech engine says: %1)")
                                          .arg(why)
                                    : QStringLiteral("No voice can be heard: the speech engine failed (%1)").arg(why));
                });
        QStringList names;
        for (const Voice& v : voices_)
            names << voiceLabel(v.voice, v.locale);
        emit opened(names, name);
        return;
    }
    if (reasons.isEmpty())
        emit failed(QStringLiteral("No voice can be heard: no speech synthesiser is installed on this computer."));
    else
        emit failed(QStringLiteral("No voice can be heard: the speech synthesiser could not be started (%1).")
                        .arg(reasons.join(QStringLiteral("; "))));
}

void SpeechWorker::selectVoice(int index)
{
    if (!tts_ || index < 1 || index > static_cast<int>(voices_.size()))
        return;
    const Voice& v = voices_[static_cast<size_t>(index - 1)];
    if (tts_->locale() != v.locale)
        tts_->setLocale(v.locale);
    tts_->setVoice(v.voice);
}

void SpeechWorker::say(const QString& text)
{
    if (!tts_)
        return;
    queue_ << text;
    if (!speaking_)
        next();
}

void SpeechWorker::stop()
{
    queue_.clear();
    if (tts_ && speaking_)
        tts_->stop(QTextToSpeech::BoundaryHint::Immediate);
    else
        emit stateChanged(static_cast<int>(SpeechEngine::State::Ready));
}

void SpeechWorker::next()
{
    if (queue_.isEmpty())
        return;
    speaking_ = true;
    emit stateChanged(static_cast<int>(SpeechEngine::State::Speaking));
    tts_->say(queue_.takeFirst());
}

void SpeechWorker::engineState(QTextToSpeech::State state)
{
    if (state != QTextToSpeech::Ready)
        return;
    speaking_ = false;
    if (!queue_.isEmpty())
        next();
    else
        emit stateChanged(static_cast<int>(SpeechEngine::State::Ready));
}

}  // namespace speech

QtSpeechEngine::QtSpeechEngine(QStringList engines, QObject* parent)
    : SpeechEngine(parent),
      thread_(new QThread),
      worker_(new speech::SpeechWorker(std::move(engines))),
      startTimer_(new QTimer(this)),
      // Until the reader chooses, the engine speaks at its natural speed
      // and pitch, 0 on Qt's scales. (What the plugins report for those
      // differs: flite says 1 for its natural pitch.)
      speed_(speech::rateToSpeed(0.0)),
      pitch_(speech::qtPitchToPitch(0.0))
{
    thread_->setObjectName(QStringLiteral("speech"));
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::started, worker_, &speech::SpeechWorker::open);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &speech::SpeechWorker::opened, this, &QtSpeechEngine::opened);
    connect(worker_, &speech::SpeechWorker::failed, this, &QtSpeechEngine::failed);
    connect(worker_, &speech::SpeechWorker::stateChanged, this, &QtSpeechEngine::workerState);
    startTimer_->setSingleShot(true);
    connect(startTimer_, &QTimer::timeout, this, [this] {
        if (state_ == State::Starting)
            failed(QStringLiteral("No voice can be heard: the speech synthesiser did not answer."));
    });
    startTimer_->start(kStartTimeoutMs);
    thread_->start();
}

QtSpeechEngine::~QtSpeechEngine()
{
    post([w = worker_] { w->stop(); });
    thread_->quit();
    if (thread_->wait(QDeadlineTimer(kCloseWaitMs))) {
        delete thread_;
        return;
    }
    // The engine is stuck inside the synthesiser. Waiting would keep the
    // program from closing, and destroying a running thread aborts it: the
    // thread is left to end with the process.
    qCWarning(lcSpeech, "the speech engine did not stop; leaving it behind");
}

QStringList QtSpeechEngine::defaultEngines()
{
    // A reader who prefers one synthesiser names it (or several, in order).
    const QString chosen = qEnvironmentVariable("ZERAFIN_SPEECH_ENGINES").trimmed();
    if (!chosen.isEmpty())
        return chosen.split(QLatin1Char(','), Qt::SkipEmptyParts);
    return {QStringLiteral("speechd"), QStringLiteral("flite")};
}

template <typename F>
void QtSpeechEngine::post(F&& call)
{
    QMetaObject::invokeMethod(worker_, std::forward<F>(call), Qt::QueuedConnection);
}

QString QtSpeechEngine::voiceName(int index) const
{
    return index >= 1 && index <= voiceCount() ? voices_[index - 1] : QString();
}

bool QtSpeechEngine::selectVoice(int index)
{
    if (!started() || index < 1 || index > voiceCount())
        return false;
    voice_ = index;
    post([w = worker_, index] { w->selectVoice(index); });
    return true;
}

bool QtSpeechEngine::setSpeed(int speed)
{
    if (!started() || speed < speech::kMinSpeed || speed > speech::kMaxSpeed)
        return false;
    speed_ = speed;
    post([w = worker_, rate = speech::speedToRate(speed)] { w->setRate(rate); });
    return true;
}

bool QtSpeechEngine::setPitch(int pitch)
{
    if (!started() || pitch < speech::kMinPitch || pitch > speech::kMaxPitch)
        return false;
    pitch_ = pitch;
    post([w = worker_, p = speech::pitchToQtPitch(pitch)] { w->setPitch(p); });
    return true;
}

void QtSpeechEngine::speak(const QString& text)
{
    // While the engine starts, the text waits on its thread: the first
    // "Voice for display" is what makes the engine. One that started but
    // could not play is tried again: the sound output may have come back.
    // The synthesisers never finish a text with nothing to say in it (it
    // would hold up every text after it), so they are given none.
    if ((state_ == State::Unavailable && !started()) || text.trimmed().isEmpty())
        return;
    post([w = worker_, text] { w->say(text); });
    // Speaking from now on, so that whoever waits for the end does not see
    // the moment before the engine's thread takes the text up.
    if (state_ == State::Ready || state_ == State::Unavailable)
        setState(State::Speaking);
}

void QtSpeechEngine::stop()
{
    post([w = worker_] { w->stop(); });
}

void QtSpeechEngine::opened(const QStringList& voices, const QString& engine)
{
    startTimer_->stop();
    voices_ = voices;
    engine_ = engine;
    problem_.clear();
    emit voicesChanged();
    if (state_ == State::Starting || state_ == State::Unavailable)
        setState(State::Ready);
}

void QtSpeechEngine::failed(const QString& problem)
{
    startTimer_->stop();
    problem_ = problem;
    qCInfo(lcSpeech, "%s", qUtf8Printable(problem));
    setState(State::Unavailable);
}

void QtSpeechEngine::workerState(int state)
{
    if (!started())
        return;
    setState(static_cast<State>(state));
}

void QtSpeechEngine::setState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state);
}

namespace {

bool runUntil(QObject* engine, const std::function<bool()>& done, int ms)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(static_cast<SpeechEngine*>(engine), &SpeechEngine::stateChanged, &loop, [&] {
        if (done())
            loop.quit();
    });
    timeout.start(ms);
    loop.exec();
    return done();
}

}  // namespace

bool QtSpeechEngine::waitUntilStarted(int ms)
{
    return runUntil(this, [this] { return state_ != State::Starting; }, ms);
}

bool QtSpeechEngine::waitUntilQuiet(int ms)
{
    return runUntil(this, [this] { return state_ == State::Ready || state_ == State::Unavailable; }, ms);
}

#include "qt_speech_engine.moc"
