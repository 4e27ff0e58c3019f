#pragma once

#include "ui/panel_frame.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Backup/Restore/Share Notes & Topics" (frameBackup): the four choices,
// the collection file's box with its "Browse" button, "Run Process" as the
// default button, and a line that tells what the last run did.
class BackupPanel : public PanelFrame {
    Q_OBJECT
public:
    enum class Choice { Add, Backup, Restore, Erase };

    explicit BackupPanel(QWidget* parent = nullptr);

    // The choice ticked; the first in the panel's order wins.
    Choice choice() const;
    void choose(Choice choice);

    QRadioButton* option(Choice choice) const { return options_[static_cast<size_t>(choice)]; }
    QGroupBox* frm1() const { return frm1_; }
    QLineEdit* txtFile() const { return file_; }
    QPushButton* cmd1() const { return browse_; }
    QPushButton* Command29() const { return run_; }
    QLabel* lblReport() const { return report_; }
    void setReport(const QString& text, bool failed);

private:
    // The file box's caption and the button's caption follow the choice.
    void followChoice();

    std::array<QRadioButton*, 4> options_{};
    QGroupBox* frm1_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* run_ = nullptr;
    QLabel* report_ = nullptr;
};
