#include "search/word_group_panel.h"

#include "ui/panel_support.h"
#include "search/line_edits.h"

#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "shell/prompter.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

using ui::qs;

WordGroupPanel::WordGroupPanel(Shell& main, QWidget* parent)
    : PanelFrame(QStringLiteral("frameAltWords"), parent), main_(main)
{
    auto* title = ui::title(QStringLiteral("Word Group / Alternate Words"), this);

    scrGroup_ = new QScrollBar(Qt::Horizontal, this);
    scrGroup_->setObjectName(QStringLiteral("ScrGroup"));
    scrGroup_->setRange(0, 0);
    scrGroup_->setPageStep(1);
    scrGroup_->setFocusPolicy(Qt::StrongFocus);
    scrGroup_->setMinimumHeight(18);
    connect(scrGroup_, &QScrollBar::valueChanged, this, [this] { main_.runCommand(cmd::ScrGroup_Change); });
    position_ = new QLabel(this);
    position_->setObjectName(QStringLiteral("lblGroupPosition"));
    position_->setAlignment(Qt::AlignCenter);

    const auto [scroll, form] = ui::scrolledForm(*this);
    for (int i = 0; i < search::kGroupFields; ++i) {
        auto* e = new QLineEdit(form->parentWidget());
        e->setObjectName(QStringLiteral("txtWord_%1").arg(i));
        boxes_[static_cast<size_t>(i)] = e;
        form->addRow(i == 0 ? QStringLiteral("Word/Phrase:") : QStringLiteral("Similar Word %1:").arg(i), e);
    }

    command20_ = new QPushButton(QStringLiteral("UPDATE GROUP"), this);
    command20_->setObjectName(QStringLiteral("Command20"));
    cmdNewGroup_ = new QPushButton(QStringLiteral("NEW GROUP"), this);
    cmdNewGroup_->setObjectName(QStringLiteral("cmdNewGroup"));
    cmdDeleteGroup_ = new QPushButton(QStringLiteral("DELETE GROUP"), this);
    cmdDeleteGroup_->setObjectName(QStringLiteral("cmdDeleteGroup"));
    for (QPushButton* b : {command20_, cmdNewGroup_, cmdDeleteGroup_}) {
        main_.bindButton(b, b->objectName() + QStringLiteral("_Click"));
    }

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(command20_);
    buttons->addWidget(cmdNewGroup_);
    buttons->addWidget(cmdDeleteGroup_);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(10, 8, 10, 10);
    box->setSpacing(8);
    box->addWidget(title);
    box->addWidget(scrGroup_);
    box->addWidget(position_);
    box->addWidget(scroll, 1);
    box->addLayout(buttons);
}

WordGroupPanel::~WordGroupPanel() = default;

search::WordGroups& WordGroupPanel::groups()
{
    if (!groups_)
        groups_ = std::make_unique<search::WordGroups>(main_.state().connection);
    return *groups_;
}

search::GroupFields WordGroupPanel::boxes() const { return search::textsOf(boxes_); }

void WordGroupPanel::fillBoxes(const search::GroupFields& fields)
{
    search::setTexts(boxes_, fields);
    showPosition();
}

void WordGroupPanel::showPosition()
{
    const int count = groups().count();
    const bool any = count > 0;
    position_->setText(any ? QStringLiteral("Group %1 of %2").arg(scrGroup_->value() + 1).arg(count)
                           : QStringLiteral("No word groups: press NEW GROUP to add one"));
    scrGroup_->setEnabled(any);
    command20_->setEnabled(any);
    cmdDeleteGroup_->setEnabled(any);
    for (QLineEdit* e : boxes_)
        e->setEnabled(any);
}

void WordGroupPanel::setScroll(int maximum, int value)
{
    const QSignalBlocker quiet(scrGroup_);
    scrGroup_->setRange(0, std::max(maximum, 0));
    scrGroup_->setValue(std::clamp(value, 0, std::max(maximum, 0)));
}

void WordGroupPanel::reportFailure(std::string_view message)
{
    const std::string& why = groups().lastError();
    QString text = qs(message);
    if (why == search::kMsgNoGroup)
        text = qs(why);
    else if (!why.empty())
        text += QStringLiteral("\n\n") + qs(why);
    main_.prompter().information(text);
}

void WordGroupPanel::mnuWG_Click()
{
    main_.showSidePanel(objectName());
    ShowAltWords();
    scrGroup_->setFocus(Qt::OtherFocusReason);
}

void WordGroupPanel::ShowAltWords()
{
    groups().showAltWords(scrGroup_->value());
    SetScrollBar();
    fillBoxes(groups().fields());
}

void WordGroupPanel::SetScrollBar() { setScroll(groups().maximum(), scrGroup_->value()); }

void WordGroupPanel::SetGroupFields() { fillBoxes(groups().setGroupFields(scrGroup_->value())); }

void WordGroupPanel::ScrGroup_Change()
{
    // The edits of the group left behind are saved first; when they cannot
    // be, the reader stays on that group with the edits still in the boxes.
    const int left = groups().position();
    if (left >= 0 && left != scrGroup_->value() && !groups().updateGroup(boxes())) {
        reportFailure(search::kMsgGroupNotSaved);
        setScroll(groups().maximum(), left);
        showPosition();
        return;
    }
    SetGroupFields();
}

void WordGroupPanel::Command20_Click()
{
    if (!groups().updateGroup(boxes()))
        reportFailure(search::kMsgGroupNotSaved);
}

void WordGroupPanel::cmdNewGroup_Click()
{
    if (!groups().newGroup(boxes())) {
        reportFailure(search::kMsgGroupNotAdded);
        return;
    }
    setScroll(groups().maximum(), groups().maximum());
    fillBoxes(groups().fields());
    boxes_[0]->setFocus(Qt::OtherFocusReason);
}

void WordGroupPanel::cmdDeleteGroup_Click()
{
    if (!groups().deleteGroup()) {
        reportFailure(search::kMsgGroupNotDeleted);
        return;
    }
    setScroll(groups().maximum(), groups().position());
    fillBoxes(groups().fields());
}
