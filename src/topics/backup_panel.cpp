#include "topics/backup_panel.h"

#include "ui/panel_support.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct ChoiceText {
    const char* option;
    const char* fileCaption;  // empty: no file for this choice
    const char* button;
};

constexpr std::array<ChoiceText, 4> kChoices = {{
    {"Add to My Collection", "Add Notes to Zerafin from:", "Add"},
    {"Backup/Export", "Save Your Notes to:", "Backup"},
    {"Restore/Import", "Restore Your Notes from:", "Restore"},
    {"Erase My Collection", "", ""},
}};

}  // namespace

BackupPanel::BackupPanel(QWidget* parent) : PanelFrame(QStringLiteral("frameBackup"), parent)
{
    QVBoxLayout* page = ui::scrollingPage(*this);
    QWidget* host = page->parentWidget();
    auto* title = ui::title(QStringLiteral("Backup/Restore/Share Notes & Topics"), host);
    title->setWordWrap(true);

    auto* frame7 = ui::named(new QGroupBox(QStringLiteral("What do you want to do?"), host), QStringLiteral("Frame7"));
    auto* choices = new QVBoxLayout(frame7);
    for (size_t i = 0; i < kChoices.size(); ++i) {
        auto* o = ui::named(new QRadioButton(QString::fromLatin1(kChoices[i].option), frame7),
                            QStringLiteral("Option%1").arg(i + 1));
        options_[i] = o;
        choices->addWidget(o);
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                followChoice();
        });
    }

    frm1_ = ui::named(new QGroupBox(QStringLiteral("Select the file:"), host), QStringLiteral("frm1"));
    file_ = ui::named(new QLineEdit(frm1_), QStringLiteral("txtFile"));
    browse_ = ui::named(new QPushButton(QStringLiteral("Browse"), frm1_), QStringLiteral("cmd1"));
    browse_->setToolTip(QStringLiteral("Choose the collection file"));
    auto* fileBox = new QVBoxLayout(frm1_);
    fileBox->addWidget(file_);
    fileBox->addWidget(browse_, 0, Qt::AlignRight);

    run_ = ui::named(new QPushButton(QStringLiteral("Run Process"), host), QStringLiteral("Command29"));
    run_->setMinimumWidth(run_->sizeHint().width() + 24);
    setDefaultButton(run_);

    report_ = ui::named(new QLabel(host), QStringLiteral("lblReport"));
    report_->setWordWrap(true);
    report_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    page->addWidget(title);
    page->addWidget(frame7);
    page->addWidget(frm1_);
    page->addWidget(run_, 0, Qt::AlignLeft);
    page->addWidget(report_);
    page->addStretch(1);
    options_[0]->setChecked(true);
    followChoice();
}

BackupPanel::Choice BackupPanel::choice() const
{
    for (size_t i = 0; i < options_.size(); ++i)
        if (options_[i]->isChecked())
            return static_cast<Choice>(i);
    return Choice::Add;
}

void BackupPanel::choose(Choice c) { option(c)->setChecked(true); }

void BackupPanel::followChoice()
{
    const ChoiceText& t = kChoices[static_cast<size_t>(choice())];
    const bool withFile = *t.fileCaption != '\0';
    frm1_->setVisible(withFile);
    if (withFile) {
        frm1_->setTitle(QString::fromLatin1(t.fileCaption));
        browse_->setText(QString::fromLatin1(t.button));
    }
}

void BackupPanel::setReport(const QString& text, bool failed)
{
    report_->setText(text);
    report_->setStyleSheet(failed ? QStringLiteral("color: #b00020;") : QString());
}
