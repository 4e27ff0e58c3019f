// The engine over Qt's synthesisers: started on its own thread, reporting
// through the event loop. It is never made to speak here.
#include "speech/qt_speech_engine.h"
#include "speech/reading_text.h"

#include <QElapsedTimer>
#include <QTextToSpeech>

#include <gtest/gtest.h>

TEST(QtSpeechEngine, NoSynthesiserMeansUnavailableInPlainWords)
{
    QElapsedTimer clock;
    clock.start();
    {
        QtSpeechEngine engine({QStringLiteral("no-such-engine")});
        EXPECT_TRUE(engine.waitUntilStarted(5000));
        EXPECT_EQ(engine.state(), SpeechEngine::State::Unavailable);
        EXPECT_EQ(engine.problem(),
                  QStringLiteral("No voice can be heard: no speech synthesiser is installed on this computer."));
        EXPECT_EQ(engine.voiceCount(), 0);
        EXPECT_EQ(engine.voiceName(1), QString());
        // Nothing is accepted, nothing waits.
        EXPECT_FALSE(engine.selectVoice(1));
        EXPECT_FALSE(engine.setSpeed(speech::kDefaultSpeed));
        EXPECT_FALSE(engine.setPitch(speech::kDefaultPitch));
        engine.speak(QStringLiteral("nothing"));
        engine.stop();
        EXPECT_EQ(engine.state(), SpeechEngine::State::Unavailable);
        EXPECT_TRUE(engine.waitUntilQuiet(1000));
    }
    // Making, failing and closing together take a moment, not seconds.
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(QtSpeechEngine, FliteStartsOffTheCallersThreadAndListsItsVoices)
{
    if (!QTextToSpeech::availableEngines().contains(QStringLiteral("flite")))
        GTEST_SKIP() << "the flite speech plugin is not installed";
    QElapsedTimer clock;
    clock.start();
    // An engine that does not exist is passed over for the next by name.
    QtSpeechEngine engine({QStringLiteral("no-such-engine"), QStringLiteral("flite")});
    // The constructor only hands the work to the engine's thread.
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_EQ(engine.state(), SpeechEngine::State::Starting);
    EXPECT_EQ(engine.voiceCount(), 0);
    ASSERT_TRUE(engine.waitUntilStarted(10000));
    ASSERT_EQ(engine.state(), SpeechEngine::State::Ready) << engine.problem().toStdString();
    EXPECT_EQ(engine.engineName(), QStringLiteral("flite"));
    ASSERT_GT(engine.voiceCount(), 0);
    for (const QString& name : engine.voiceNames())
        EXPECT_FALSE(name.isEmpty());
    // Until chosen, speed and pitch are the engine's natural ones: the middle.
    EXPECT_EQ(engine.speed(), 270);
    EXPECT_EQ(engine.pitch(), 211);
    EXPECT_TRUE(engine.selectVoice(engine.voiceCount()));
    EXPECT_EQ(engine.voice(), engine.voiceCount());
    EXPECT_FALSE(engine.selectVoice(engine.voiceCount() + 1));
    EXPECT_FALSE(engine.selectVoice(0));
    EXPECT_FALSE(engine.setSpeed(speech::kMaxSpeed + 1));
    EXPECT_FALSE(engine.setPitch(speech::kMinPitch - 1));
    EXPECT_TRUE(engine.setSpeed(speech::kDefaultSpeed));
    EXPECT_TRUE(engine.setPitch(speech::kDefaultPitch));
    EXPECT_EQ(engine.speed(), speech::kDefaultSpeed);
    EXPECT_EQ(engine.pitch(), speech::kDefaultPitch);
    // A text with nothing to say never reaches the synthesiser, which would
    // never finish it and so hold up every text after it.
    engine.speak(QStringLiteral("  \r\n "));
    EXPECT_EQ(engine.state(), SpeechEngine::State::Ready);
}
