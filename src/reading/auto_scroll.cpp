#include "reading/auto_scroll.h"

#include "ui/panel_support.h"
#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "shell/prompter.h"
#include "ui/select_all_on_focus.h"
#include "reading/navigation.h"
#include "reading/navigation_logic.h"
#include "ui/panel_frame.h"
#include "reading/reading_view.h"
#include "reading/verse_renderer.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using ui::qs;

namespace {


}  // namespace

AutoScroll::AutoScroll(Shell& main, Navigation& navigation)
    : QObject(&navigation), main_(main), navigation_(navigation), timer_(new QTimer(this))
{
    timer_->setObjectName(QStringLiteral("timerScroll"));
    connect(timer_, &QTimer::timeout, this, [this] { timerScroll_Timer(); });
}

void AutoScroll::install()
{
    panel_ = new PanelFrame(QStringLiteral("frameAutoScroll"));
    auto* title = new QLabel(QStringLiteral("Auto Scroll:"), panel_);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    speed_ = new QComboBox(panel_);
    speed_->setObjectName(QStringLiteral("cmbAutoScroll"));
    for (const auto& s : reading::scrollSpeeds())
        speed_->addItem(qs(s.item));
    speed_->setCurrentIndex(reading::kDefaultSpeedIndex);
    title->setBuddy(speed_);

    perCharacter_ = new QLineEdit(qs(reading::scrollSpeeds()[reading::kDefaultSpeedIndex].msPerCharacter), panel_);
    perCharacter_->setObjectName(QStringLiteral("txtAutoScroll"));
    perCharacter_->setMaxLength(12);
    perCharacter_->setMaximumWidth(120);
    perCharacter_->setEnabled(false);
    selectAllOnFocus(perCharacter_);
    auto* unit = new QLabel(QStringLiteral("Milliseconds per character:"), panel_);
    unit->setBuddy(perCharacter_);

    setOn_ = new QPushButton(QStringLiteral("Set On"), panel_);
    setOn_->setObjectName(QStringLiteral("Command10"));
    setOff_ = new QPushButton(QStringLiteral("Set Off"), panel_);
    setOff_->setObjectName(QStringLiteral("Command12"));
    for (QPushButton* b : {setOn_, setOff_})
        b->setMinimumWidth(b->sizeHint().width() + 24);
    panel_->setDefaultButton(setOn_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(title, 0, 0);
    grid->addWidget(speed_, 0, 1);
    grid->addWidget(unit, 1, 0);
    grid->addWidget(perCharacter_, 1, 1);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(setOn_);
    buttons->addWidget(setOff_);
    buttons->addStretch(1);
    auto* box = new QVBoxLayout(panel_);
    box->setContentsMargins(10, 8, 10, 10);
    box->setSpacing(10);
    box->addLayout(grid);
    box->addLayout(buttons);
    box->addStretch(1);
    QWidget::setTabOrder(speed_, perCharacter_);
    QWidget::setTabOrder(perCharacter_, setOn_);
    QWidget::setTabOrder(setOn_, setOff_);
    main_.installPanel(panel_);

    main_.setCommand(cmd::mnuASV_Click, [this] { mnuASV_Click(); });
    main_.setCommand(cmd::cmbAutoScroll_Click, [this] { cmbAutoScroll_Click(); });
    main_.setCommand(cmd::Command10_Click, [this] { Command10_Click(); });
    main_.setCommand(cmd::Command12_Click, [this] { Command12_Click(); });
    connect(speed_, &QComboBox::activated, this, [this] { main_.runCommand(cmd::cmbAutoScroll_Click); });
    // A speed restored from the settings leaves the box as its choice
    // would: editable only for "Custom".
    connect(speed_, &QComboBox::currentIndexChanged, this,
            [this](int index) { perCharacter_->setEnabled(index == reading::kCustomSpeedIndex); });
    main_.bindButton(setOn_, cmd::Command10_Click);
    main_.bindButton(setOff_, cmd::Command12_Click);
}

void AutoScroll::mnuASV_Click()
{
    main_.showSidePanel(QStringLiteral("frameAutoScroll"));
    speed_->setFocus(Qt::OtherFocusReason);
}

void AutoScroll::cmbAutoScroll_Click()
{
    const int index = speed_->currentIndex();
    if (index < 0 || index >= static_cast<int>(reading::scrollSpeeds().size()))
        return;
    perCharacter_->setText(qs(reading::scrollSpeeds()[static_cast<size_t>(index)].msPerCharacter));
    if (index == reading::kCustomSpeedIndex) {
        perCharacter_->setEnabled(true);
        perCharacter_->setFocus(Qt::OtherFocusReason);
    } else {
        perCharacter_->setEnabled(false);
    }
}

void AutoScroll::Command10_Click()
{
    if (main_.reading().mode() == ListMode::Result) {
        if (!main_.prompter().askYesNo(QStringLiteral("Click yes to start reading the Quran.\r\n"
                                                      "Else click No to stay on the Search page.")))
            return;
        navigation_.sqCh_Change();
    }
    on_ = true;
    scheduleNextStep();
    main_.SquezeLeftFrame();
}

void AutoScroll::Command12_Click()
{
    on_ = false;
    timer_->stop();
    main_.SquezeLeftFrame();
}

void AutoScroll::scheduleNextStep()
{
    interval_ = reading::scrollInterval(perCharacter_->text().toStdString(), main_.reading().text().length());
    if (on_ && interval_ > 0)
        timer_->start(interval_);
    else
        timer_->stop();
}

void AutoScroll::timerScroll_Timer()
{
    // A box opened by another command lets ticks through; a step never
    // starts inside another.
    if (stepping_)
        return;
    stepping_ = true;
    timer_->stop();
    QListWidget* list = main_.reading().verseList();
    const int current = list->currentRow();
    if (current >= list->count() - 1) {
        if (main_.reading().mode() == ListMode::Verses) {
            QComboBox* suras = main_.sqCh();
            const int last = suras->count() - 1;
            main_.setSuraIndex(suras->currentIndex() < last ? suras->currentIndex() + 1 : 1);
        }
        list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    } else {
        list->setCurrentRow(current + 1, QItemSelectionModel::NoUpdate);
    }
    navigation_.VerseList_KeyUp(0);
    // Each entry stays in proportion to its own length.
    scheduleNextStep();
    stepping_ = false;
}
