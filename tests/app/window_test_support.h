#pragma once

#include "support/test_support.h"

#include <QString>

#include <filesystem>
#include <functional>

class QWidget;

namespace app_tests {

// Runs the event loop until `done` holds or `ms` have passed.
bool waitFor(const std::function<bool()>& done, int ms = 5000);

// A program folder: Files/Help.htm, a small text database (with 16:98) and,
// when cssBytes >= 0, a css file of that size.
void makeProgramFolder(const std::filesystem::path& folder, long cssBytes);
// The verse 16:98 that makeProgramFolder puts into the text database.
QString refugeVerseText();

// With ZF_SHOT_DIR set, saves a picture of the widget there as <name>.png.
void saveShot(QWidget& widget, const QString& name);

}  // namespace app_tests
