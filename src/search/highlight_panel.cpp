#include "search/highlight_panel.h"

#include "search/line_edits.h"

#include "app/frm_main.h"
#include "reading/navigation.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

HighlightPanel::HighlightPanel(frmMain& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("frameHL"));
    setFrameShape(QFrame::StyledPanel);

    auto* title = new QLabel(QStringLiteral("Highlight Word(s) / Phrase(s)"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    auto* page = new QWidget(scroll);
    page->setAutoFillBackground(false);
    scroll->setWidget(page);

    command28_ = new QPushButton(QStringLiteral("Highlight"), this);
    command28_->setObjectName(QStringLiteral("Command28"));
    command28_->setDefault(true);
    command28_->setMinimumWidth(110);
    connect(command28_, &QPushButton::clicked, this, [this] { main_.runCommand(QStringLiteral("Command28_Click")); });

    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 4, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (int i = 0; i < search::kHighlightBoxes; ++i) {
        auto* e = new QLineEdit(page);
        e->setObjectName(QStringLiteral("txtHL_%1").arg(i));
        // Enter in any box is "Highlight", the panel's default button.
        connect(e, &QLineEdit::returnPressed, command28_, &QPushButton::click);
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
    if (auto* nav = main_.findChild<Navigation*>())
        nav->VerseList_KeyUp(0);
    main_.verseList()->setFocus(Qt::OtherFocusReason);
}
