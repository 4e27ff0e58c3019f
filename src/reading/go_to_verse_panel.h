#pragma once

#include "ui/panel_frame.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The "Go to Verse" side panel (frameGoToVerse): the sura and verse boxes,
// the verse count of the typed sura and "JUMP TO VERSE" as its default
// button, and below them the bookmarks of this run: "BOOKMARK VERSE"
// (cmdAddFav) and their list (versefav). The jump is Navigation's; the
// bookmarks are the topics subsystem's.
class GoToVersePanel : public PanelFrame {
    Q_OBJECT
public:
    explicit GoToVersePanel(QWidget* parent = nullptr);

    QLineEdit* txtSuraNumber() const { return sura_; }
    QLineEdit* txtVerseNumber() const { return verse_; }
    QLabel* lblVerseCn() const { return count_; }
    QPushButton* Command15() const { return jump_; }
    QPushButton* cmdAddFav() const { return addFav_; }
    QListWidget* versefav() const { return versefav_; }

private:
    QLineEdit* sura_ = nullptr;
    QLineEdit* verse_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* jump_ = nullptr;
    QPushButton* addFav_ = nullptr;
    QListWidget* versefav_ = nullptr;
};
