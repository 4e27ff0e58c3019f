#pragma once

#include <QFont>

// A font that holds the Arabic letters, so that Qt shapes them into their
// joined forms instead of borrowing glyphs one by one: Noto Naskh Arabic
// where it is installed, otherwise the first family that has the Arabic
// writing system, otherwise the application's font.
QFont arabicFont(double pointSize);
