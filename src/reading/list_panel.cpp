#include "reading/list_panel.h"

#include "ui/panel_support.h"
#include "ui/select_all_on_focus.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using ui::named;

ListPanel::ListPanel(QWidget* parent) : PanelFrame(QStringLiteral("frameList"), parent)
{
    caption_ = named(ui::title(QStringLiteral("List of Subtitles:"), this), QStringLiteral("lblList"));
    auto* filterLabel = new QLabel(QStringLiteral("Filter By Sura Number:"), this);
    filter_ = named(new QLineEdit(this), QStringLiteral("txtList"));
    filter_->setMaxLength(10);
    filter_->setMaximumWidth(80);
    selectAllOnFocus(filter_);
    filterLabel->setBuddy(filter_);
    filter_->installEventFilter(this);
    go_ = named(new QPushButton(QStringLiteral("Go"), this), QStringLiteral("Command23"));
    go_->setToolTip(QStringLiteral("List the entries of this sura only (empty: the whole text)"));

    list_ = named(new QListWidget(this), QStringLiteral("lstList"));
    // Long entries wrap, so the whole text can be read in a narrow column.
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideNone);
    list_->setUniformItemSizes(false);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    caption_->setBuddy(list_);

    jump_ = named(new QPushButton(QStringLiteral("Go to the above Verse"), this), QStringLiteral("Command14"));
    jump_->setMinimumWidth(jump_->sizeHint().width() + 24);
    setDefaultButton(jump_);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_);
    filterRow->addWidget(go_);
    filterRow->addStretch(1);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(10, 8, 10, 10);
    box->setSpacing(8);
    box->addWidget(caption_);
    box->addLayout(filterRow);
    box->addWidget(list_, 1);
    box->addWidget(jump_, 0, Qt::AlignLeft);
    setTabOrder(filter_, go_);
    setTabOrder(go_, list_);
    setTabOrder(list_, jump_);
}

bool ListPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == filter_ && event->type() == QEvent::KeyPress && isPlainEnter(*static_cast<QKeyEvent*>(event))) {
        go_->click();
        return true;
    }
    return PanelFrame::eventFilter(watched, event);
}
