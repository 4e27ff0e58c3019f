#pragma once

#include "ui/panel_frame.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The "Go to Verse" side panel (frameGoToVerse): the sura and verse boxes,
// the verse count of the typed sura and "JUMP TO VERSE" as its default
// button. The commands behind it are Navigation's.
class GoToVersePanel : public PanelFrame {
    Q_OBJECT
public:
    explicit GoToVersePanel(QWidget* parent = nullptr);

    QLineEdit* txtSuraNumber() const { return sura_; }
    QLineEdit* txtVerseNumber() const { return verse_; }
    QLabel* lblVerseCn() const { return count_; }
    QPushButton* Command15() const { return jump_; }

private:
    QLineEdit* sura_ = nullptr;
    QLineEdit* verse_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* jump_ = nullptr;
};
