#include "topics/topics_panel.h"

#include "ui/panel_support.h"
#include "ui/wrap_button.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

TopicsPanel::TopicsPanel(QWidget* parent) : PanelFrame(QStringLiteral("frameTopics"), parent)
{
    auto* title = ui::title(QStringLiteral("Manage Topics"), this);
    list_ = ui::named(new QListWidget(this), QStringLiteral("lstTopics"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    title->setBuddy(list_);

    auto button = [this](const char* caption, const char* name) {
        auto* b = ui::named(new WrapButton(QString::fromLatin1(caption), this), QString::fromLatin1(name));
        b->setMinimumHeight(b->sizeHint().height() + 6);
        return b;
    };
    open_ = button("REFRESH TOPIC", "cmdOpenTopic");
    create_ = button("CREATE NEW", "cmdNewTopic");
    delete_ = button("DELETE SELECTED", "cmdDeleteTopic");
    insert_ = button("INSERT VERSES (F8)", "cmdInsertVerse");
    remove_ = button("DELETE VERSES (F10)", "cmdDeleteVerse");
    setDefaultButton(open_);
    report_ = ui::named(new QLabel(this), QStringLiteral("lblTopicReport"));
    report_->setWordWrap(true);

    // Two columns: the topic buttons, then the verse buttons.
    auto* grid = new QGridLayout;
    grid->setSpacing(6);
    grid->addWidget(open_, 0, 0);
    grid->addWidget(create_, 0, 1);
    grid->addWidget(delete_, 1, 0, 1, 2);
    grid->addWidget(insert_, 2, 0);
    grid->addWidget(remove_, 2, 1);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(10, 8, 10, 10);
    box->setSpacing(8);
    box->addWidget(title);
    box->addWidget(list_, 1);
    box->addLayout(grid);
    box->addWidget(report_);
    setTabOrder(list_, open_);
    setTabOrder(open_, create_);
    setTabOrder(create_, delete_);
    setTabOrder(delete_, insert_);
    setTabOrder(insert_, remove_);
}
