#include "cli/cli.h"

#include "db/numeric.h"
#include "speech/qt_speech_engine.h"
#include "speech/reading_text.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <optional>

namespace cli {

namespace {

// The engine runs its own thread and reports through the event loop, so
// the speech commands need an application object; the others do not.
std::unique_ptr<QCoreApplication> applicationForSpeech()
{
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "zerafin-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

// Waits for the engine to start; on failure prints why and returns false.
bool started(QtSpeechEngine& engine)
{
    engine.waitUntilStarted(QtSpeechEngine::kStartTimeoutMs + 1000);
    if (engine.state() != SpeechEngine::State::Unavailable && engine.state() != SpeechEngine::State::Starting)
        return true;
    fail(engine.problem().isEmpty() ? std::string("no speech engine answered") : engine.problem().toStdString());
    return false;
}

std::optional<int> numberIn(const std::string& text, int low, int high)
{
    auto n = db::wholeNumber(text);
    if (!n || *n < low || *n > high)
        return std::nullopt;
    return static_cast<int>(*n);
}

}  // namespace

int cmdVoices(const Common&, const Args& args)
{
    if (!args.empty())
        return fail("usage: zerafin-cli voices", 2);
    auto app = applicationForSpeech();
    QtSpeechEngine engine;
    if (!started(engine))
        return 1;
    for (int i = 1; i <= engine.voiceCount(); ++i)
        std::printf("%d %s\n", i, engine.voiceName(i).toStdString().c_str());
    return 0;
}

int cmdSpeak(const Common& common, const Args& args)
{
    const char* usage = "usage: zerafin-cli speak [--voice N] [--speed S] [--pitch P] [--prepared] (REF... | -- TEXT)";
    std::optional<int> voice, speed, pitch;
    bool prepared = false;
    bool isText = false;
    Args refs;
    std::string text;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--") {
            isText = true;
            for (size_t k = i + 1; k < args.size(); ++k)
                text += (k > i + 1 ? " " : "") + args[k];
            break;
        }
        if (a == "--prepared") {
            prepared = true;
        } else if (a == "--voice" || a == "--speed" || a == "--pitch") {
            if (i + 1 >= args.size())
                return fail(a + " needs a number", 2);
            const std::string& value = args[++i];
            if (a == "--voice" && !(voice = numberIn(value, 1, 100000)))
                return fail("--voice takes a voice number from 1 (see zerafin-cli voices)", 2);
            if (a == "--speed" && !(speed = numberIn(value, speech::kMinSpeed, speech::kMaxSpeed)))
                return fail("--speed takes a whole number from 30 to 510", 2);
            if (a == "--pitch" && !(pitch = numberIn(value, speech::kMinPitch, speech::kMaxPitch)))
                return fail("--pitch takes a whole number from 84 to 338", 2);
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return fail("unknown option " + a + "\n" + usage, 2);
        } else {
            refs.push_back(a);
        }
    }
    if (isText == !refs.empty())
        return fail(usage, 2);

    QString display = QString::fromStdString(text);
    int status = 0;
    if (!isText) {
        Display shown;
        status = displayVerses(common, refs, shown);
        if (status == 2 || shown.text.empty())
            return status ? status : 1;
        display = QString::fromStdString(shown.text);
    }
    const QString reading = speech::automaticReading(display);
    if (prepared) {
        std::printf("%s\n", reading.toStdString().c_str());
        return status;
    }

    auto app = applicationForSpeech();
    QtSpeechEngine engine;
    if (!started(engine))
        return 1;
    if (voice && !engine.selectVoice(*voice))
        return fail("there is no voice " + std::to_string(*voice) + "; zerafin-cli voices lists them", 2);
    if (speed)
        engine.setSpeed(*speed);
    if (pitch)
        engine.setPitch(*pitch);
    engine.speak(reading);
    // A synthesiser with no sound output can stay "speaking" for ever; a
    // generous limit, far above the slowest speed, ends the wait.
    const int limitMs = 20000 + 400 * static_cast<int>(reading.size());
    if (!engine.waitUntilQuiet(limitMs))
        return fail("the voice did not finish within " + std::to_string(limitMs / 1000) + " seconds");
    if (engine.state() == SpeechEngine::State::Unavailable)
        return fail(engine.problem().toStdString());
    return status;
}

}  // namespace cli
