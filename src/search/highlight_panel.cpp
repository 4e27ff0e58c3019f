#include "search/highlight_panel.h"

#include "ui/panel_support.h"

#include "search/line_edits.h"

#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "reading/navigation.h"
#include "reading/reading_view.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

HighlightPanel::HighlightPanel(Shell& main, Navigation& navigation, QWidget* parent)
    : PanelFrame(QStringLiteral("frameHL"), parent), main_(main), navigation_(navigation)
{
    auto* title = ui::title(QStringLiteral("Highlight Word(s) / Phrase(s)"), this);
    const auto [scroll, form] = ui::scrolledForm(*this);

    command28_ = new QPushButton(QStringLiteral("Highlight"), this);
    command28_->setObjectName(QStringLiteral("Command28"));
    // Enter in any box is "Highlight", the panel's default button.
    setDefaultButton(command28_);
    command28_->setMinimumWidth(110);
    main_.bindButton(command28_, cmd::Command28_Click);

    for (int i = 0; i < search::kHighlightBoxes; ++i) {
        auto* e = new QLineEdit(form->parentWidget());
        e->setObjectName(QStringLiteral("txtHL_%1").arg(i));
        boxes_[static_cast<size_t>(i)] = e;
        form->addRow(QStringLiteral("%1.").arg(i + 1), e);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(command28_);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(10, 8, 10, 10);
    box->setSpacing(8);
    box->addWidget(title);
    box->addWidget(scroll, 1);
    box->addLayout(buttons);
}

search::HighlightWords HighlightPanel::words() const { return search::textsOf(boxes_); }

void HighlightPanel::setWords(const search::HighlightWords& words) { search::setTexts(boxes_, words); }

void HighlightPanel::ClearHL() { setWords(search::clearHL()); }

void HighlightPanel::mnuHighlight_Click()
{
    main_.showSidePanel(objectName());
    boxes_[0]->setFocus(Qt::OtherFocusReason);
    boxes_[0]->selectAll();
}

void HighlightPanel::Command28_Click()
{
    main_.SquezeLeftFrame();
    // Shown again exactly as a key released in the verse list shows it.
    navigation_.VerseList_KeyUp(0);
    main_.reading().verseList()->setFocus(Qt::OtherFocusReason);
}
