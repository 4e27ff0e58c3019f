#include "speech/reading_text.h"

#include <algorithm>
#include <cmath>

namespace speech {

QString displayReading(const QString& text)
{
    const qsizetype open = text.indexOf(QLatin1Char('['));
    const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char(']'), open + 1);
    // Without a complete reference there is nothing to leave out; the
    // text is never read twice over.
    if (close < 0)
        return (QLatin1Char(' ') + text).toLower();
    return (text.left(open) + QLatin1Char(' ') + text.mid(close + 1)).toLower();
}

namespace {

// "[2:255]", "[1:1-7]", "[*2:5]": what the display writes before a verse.
// Words the translation supplies in brackets ("We [angels] were …") are
// part of the verse and are read.
bool isReference(QStringView group)
{
    bool digit = false;
    for (QChar c : group) {
        if (c.isDigit())
            digit = true;
        else if (c != QLatin1Char(':') && c != QLatin1Char('-') && c != QLatin1Char(',') &&
                 c != QLatin1Char('*') && !c.isSpace())
            return false;
    }
    return digit;
}

}  // namespace

QString automaticReading(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype p = 0;
    while (p < text.size()) {
        if (text[p] == QLatin1Char('[')) {
            const qsizetype close = text.indexOf(QLatin1Char(']'), p + 1);
            if (close < 0) {
                out += text.mid(p);
                break;
            }
            // A reference right after another ("[2:1][2:2]") goes as well:
            // no reference is ever read out.
            if (isReference(QStringView(text).mid(p + 1, close - p - 1))) {
                p = close + 1;
                continue;
            }
        }
        out += text[p];
        ++p;
    }
    return out.toLower().remove(QLatin1Char('*'));
}

namespace {

double toScale(int value, int low, int high)
{
    const double middle = (low + high) / 2.0;
    const double half = (high - low) / 2.0;
    return std::clamp((value - middle) / half, -1.0, 1.0);
}

int fromScale(double scale, int low, int high)
{
    const double middle = (low + high) / 2.0;
    const double half = (high - low) / 2.0;
    return std::clamp(static_cast<int>(std::lround(middle + std::clamp(scale, -1.0, 1.0) * half)), low, high);
}

}  // namespace

double speedToRate(int speed) { return toScale(speed, kMinSpeed, kMaxSpeed); }
int rateToSpeed(double rate) { return fromScale(rate, kMinSpeed, kMaxSpeed); }
double pitchToQtPitch(int pitch) { return toScale(pitch, kMinPitch, kMaxPitch); }
int qtPitchToPitch(double pitch) { return fromScale(pitch, kMinPitch, kMaxPitch); }

}  // namespace speech
