#pragma once

#include "ui/panel_frame.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The list of subtitles or footnotes (frameList): its caption lblList,
// the sura filter txtList with "Go" (Command23), the list lstList and
// "Go to the above Verse" (Command14), the panel's default button.
class ListPanel : public PanelFrame {
    Q_OBJECT
public:
    explicit ListPanel(QWidget* parent = nullptr);

    QLabel* lblList() const { return caption_; }
    QLineEdit* txtList() const { return filter_; }
    QListWidget* lstList() const { return list_; }
    QPushButton* Command23() const { return go_; }
    QPushButton* Command14() const { return jump_; }

protected:
    // Enter in the sura filter runs "Go", not the panel's default button.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caption_;
    QLineEdit* filter_;
    QListWidget* list_;
    QPushButton* go_;
    QPushButton* jump_;
};
