#pragma once

#include "ui/panel_frame.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The save panel (frameWrite): "SAVE TO FILE" (Command13) for what the
// reading pane shows, and a verse range given by start and end sura and
// verse, with the last verse of each sura typed shown beside it (lbl2,
// lbl4), to view ("VIEW VERSES", Command18, the default button) or to save
// ("SAVE VERSES", Command19).
class WritePanel : public PanelFrame {
    Q_OBJECT
public:
    explicit WritePanel(QWidget* parent = nullptr);

    QLineEdit* txtStartSura() const { return startSura_; }
    QLineEdit* txtStartVerse() const { return startVerse_; }
    QLineEdit* txtEndSura() const { return endSura_; }
    QLineEdit* txtEndVerse() const { return endVerse_; }
    QLabel* lbl2() const { return startCount_; }
    QLabel* lbl4() const { return endCount_; }
    QPushButton* Command13() const { return saveDisplay_; }
    QPushButton* Command18() const { return view_; }
    QPushButton* Command19() const { return saveRange_; }

private:
    QLineEdit* startSura_;
    QLineEdit* startVerse_;
    QLineEdit* endSura_;
    QLineEdit* endVerse_;
    QLabel* startCount_;
    QLabel* endCount_;
    QPushButton* saveDisplay_;
    QPushButton* view_;
    QPushButton* saveRange_;
};
