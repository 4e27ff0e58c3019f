#include "speech/reading_text.h"

#include <gtest/gtest.h>

using namespace speech;

// Failures show the text, not its bytes.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

TEST(DisplayReading, LeavesOutOnlyTheFirstReference)
{
    // The heading's reference goes; later ones are read, everything lower case.
    EXPECT_EQ(displayReading(QStringLiteral("[2:255] GOD: there is no god [2:256] There Is No")),
              QStringLiteral("  god: there is no god [2:256] there is no"));
    // Text before the first reference stays, with one space in its place.
    EXPECT_EQ(displayReading(QStringLiteral("Sura 2\r\n[2:1] A.L.M.")), QStringLiteral("sura 2\r\n  a.l.m."));
    // No reference at all: the whole text after a space.
    EXPECT_EQ(displayReading(QStringLiteral("Plain Words")), QStringLiteral(" plain words"));
    // A "[" that is never closed, or a "]" before the "[", cuts nothing and
    // never reads any of the text twice.
    EXPECT_EQ(displayReading(QStringLiteral("Open [2:1 Words")), QStringLiteral(" open [2:1 words"));
    EXPECT_EQ(displayReading(QStringLiteral("a] b [2:1] C")), QStringLiteral("a] b   c"));
    EXPECT_EQ(displayReading(QString()), QStringLiteral(" "));
}

TEST(AutomaticReading, RemovesEveryReferenceAndStar)
{
    EXPECT_EQ(automaticReading(QStringLiteral("[2:255] GOD: there*\r\n[2:256] *There Is No")),
              QStringLiteral(" god: there\r\n there is no"));
    // References side by side all go: no reference is read out.
    EXPECT_EQ(automaticReading(QStringLiteral("[1:1][1:2]X[3:4-7]")), QStringLiteral("x"));
    // Words the translation supplies in brackets are part of the verse.
    EXPECT_EQ(automaticReading(QStringLiteral("[41:31] We [Angels] were [are so] here [] [x1]")),
              QStringLiteral(" we [angels] were [are so] here [] [x1]"));
    // A "[" without a "]" after it: the rest is read as it stands (lower
    // case, no stars), earlier references still cut.
    EXPECT_EQ(automaticReading(QStringLiteral("[1:1] One [2:2 Two* Three")), QStringLiteral(" one [2:2 two three"));
    // A "[" is closed by the first "]" after it.
    EXPECT_EQ(automaticReading(QStringLiteral("One [2:2 [3:3] Three")), QStringLiteral("one [2:2  three"));
    EXPECT_EQ(automaticReading(QStringLiteral("Close] Only")), QStringLiteral("close] only"));
    EXPECT_EQ(automaticReading(QString()), QString());
    // Letters beyond ASCII are lowered too.
    EXPECT_EQ(automaticReading(QStringLiteral("ÉDEN [1:1]Ä")), QStringLiteral("éden ä"));
}

TEST(SpeechScales, MiddleOfEachRangeIsTheEnginesNaturalValue)
{
    EXPECT_DOUBLE_EQ(speedToRate(270), 0.0);
    EXPECT_DOUBLE_EQ(speedToRate(kMinSpeed), -1.0);
    EXPECT_DOUBLE_EQ(speedToRate(kMaxSpeed), 1.0);
    EXPECT_DOUBLE_EQ(pitchToQtPitch(211), 0.0);
    EXPECT_DOUBLE_EQ(pitchToQtPitch(kMinPitch), -1.0);
    EXPECT_DOUBLE_EQ(pitchToQtPitch(kMaxPitch), 1.0);
    // The fallbacks are below the middle: slower and lower than the engine's own.
    EXPECT_NEAR(speedToRate(kDefaultSpeed), -100.0 / 240.0, 1e-12);
    EXPECT_NEAR(pitchToQtPitch(kDefaultPitch), -42.0 / 127.0, 1e-12);
    // Every slider value survives the trip to the engine and back.
    for (int s = kMinSpeed; s <= kMaxSpeed; ++s)
        ASSERT_EQ(rateToSpeed(speedToRate(s)), s);
    for (int p = kMinPitch; p <= kMaxPitch; ++p)
        ASSERT_EQ(qtPitchToPitch(pitchToQtPitch(p)), p);
    // An engine value out of range shows at the slider's end.
    EXPECT_EQ(rateToSpeed(3.0), kMaxSpeed);
    EXPECT_EQ(qtPitchToPitch(-2.0), kMinPitch);
}
