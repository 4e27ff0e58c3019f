#pragma once

#include <QString>

// What the voice commands hand to the engine. Both take the plain text of
// the reading pane; neither touches an engine, so the window, the command
// line and the tests share them.
namespace speech {

// "Voice for display": the display without its first bracketed reference
// (the heading's "[2:255]"), lower case. Later references are read.
QString displayReading(const QString& text);

// The automatic reading after each display: every bracketed verse
// reference cut out, lower case, no "*". Words in brackets are read. A "["
// with no "]" after it is read as it stands.
QString automaticReading(const QString& text);

// The voice dialog's slider ranges and the values used when applying the
// dialog fails.
inline constexpr int kMinSpeed = 30;
inline constexpr int kMaxSpeed = 510;
inline constexpr int kDefaultSpeed = 170;
inline constexpr int kMinPitch = 84;
inline constexpr int kMaxPitch = 338;
inline constexpr int kDefaultPitch = 169;

// The sliders' values onto the engine's -1..1 scales, the middle of each
// range at 0 (the engine's natural speed and pitch), and back.
double speedToRate(int speed);
int rateToSpeed(double rate);
double pitchToQtPitch(int pitch);
int qtPitchToPitch(double pitch);

}  // namespace speech
