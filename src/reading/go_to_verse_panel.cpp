#include "reading/go_to_verse_panel.h"

#include "ui/select_all_on_focus.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

GoToVersePanel::GoToVersePanel(QWidget* parent) : PanelFrame(QStringLiteral("frameGoToVerse"), parent)
{
    auto* title = new QLabel(QStringLiteral("Go to Verse:"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    sura_ = new QLineEdit(this);
    sura_->setObjectName(QStringLiteral("txtSuraNumber"));
    sura_->setMaxLength(10);
    verse_ = new QLineEdit(this);
    verse_->setObjectName(QStringLiteral("txtVerseNumber"));
    verse_->setMaxLength(10);
    for (QLineEdit* box : {sura_, verse_}) {
        selectAllOnFocus(box);
        box->setMaximumWidth(120);
    }
    auto* suraLabel = new QLabel(QStringLiteral("Sura Number: "), this);
    suraLabel->setBuddy(sura_);
    auto* verseLabel = new QLabel(QStringLiteral("Verse Number:"), this);
    verseLabel->setBuddy(verse_);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lblVerseCn"));

    jump_ = new QPushButton(QStringLiteral("JUMP TO VERSE"), this);
    jump_->setObjectName(QStringLiteral("Command15"));
    jump_->setMinimumWidth(jump_->sizeHint().width() + 24);
    setDefaultButton(jump_);

    addFav_ = new QPushButton(QStringLiteral("BOOKMARK VERSE"), this);
    addFav_->setObjectName(QStringLiteral("cmdAddFav"));
    addFav_->setMinimumWidth(addFav_->sizeHint().width() + 24);
    auto* favTitle = new QLabel(QStringLiteral("Bookmarks (double-click to go there):"), this);
    favTitle->setWordWrap(true);
    versefav_ = new QListWidget(this);
    versefav_->setObjectName(QStringLiteral("versefav"));
    favTitle->setBuddy(versefav_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(suraLabel, 0, 0);
    grid->addWidget(sura_, 0, 1);
    grid->addWidget(count_, 0, 2);
    grid->addWidget(verseLabel, 1, 0);
    grid->addWidget(verse_, 1, 1);
    grid->setColumnStretch(2, 1);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(10, 8, 10, 10);
    box->setSpacing(10);
    box->addWidget(title);
    box->addLayout(grid);
    box->addWidget(jump_, 0, Qt::AlignLeft);
    box->addSpacing(6);
    box->addWidget(addFav_, 0, Qt::AlignLeft);
    box->addWidget(favTitle);
    box->addWidget(versefav_, 1);
    setTabOrder(sura_, verse_);
    setTabOrder(verse_, jump_);
    setTabOrder(jump_, addFav_);
    setTabOrder(addFav_, versefav_);
}
