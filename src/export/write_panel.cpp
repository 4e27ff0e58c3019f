#include "export/write_panel.h"

#include "ui/panel_support.h"
#include "ui/select_all_on_focus.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ui::named;

namespace {

QLineEdit* numberBox(const QString& name, QWidget* parent)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setMaxLength(10);
    box->setMaximumWidth(80);
    selectAllOnFocus(box);
    return box;
}

QPushButton* button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* b = named(new QPushButton(caption, parent), name);
    b->setMinimumWidth(b->sizeHint().width() + 24);
    return b;
}

QLabel* wrapped(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

WritePanel::WritePanel(QWidget* parent) : PanelFrame(QStringLiteral("frameWrite"), parent)
{
    QVBoxLayout* box = ui::scrollingPage(*this);
    QWidget* page = box->parentWidget();
    box->setSpacing(8);

    box->addWidget(ui::title(QStringLiteral("Save Display:"), page));
    box->addWidget(wrapped(
        QStringLiteral("To save the Search Result, Topics, Verses etc displayed on the right side, click below"), page));
    saveDisplay_ = button(QStringLiteral("SAVE TO FILE"), QStringLiteral("Command13"), page);
    saveDisplay_->setToolTip(QStringLiteral("Save what the reading pane shows as rich text, a web page or a table"));
    box->addWidget(saveDisplay_, 0, Qt::AlignLeft);
    box->addSpacing(10);

    box->addWidget(wrapped(QStringLiteral("You can also view or save Verses by entering the Verse Range below:"), page));
    startSura_ = numberBox(QStringLiteral("txtStartSura"), page);
    startVerse_ = numberBox(QStringLiteral("txtStartVerse"), page);
    endSura_ = numberBox(QStringLiteral("txtEndSura"), page);
    endVerse_ = numberBox(QStringLiteral("txtEndVerse"), page);
    startCount_ = named(new QLabel(page), QStringLiteral("lbl2"));
    endCount_ = named(new QLabel(page), QStringLiteral("lbl4"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const struct {
        const char* caption;
        QLineEdit* edit;
        QLabel* count;
    } rows[] = {
        {"Start Sura:", startSura_, startCount_},
        {"Start Verse:", startVerse_, nullptr},
        {"End Sura:", endSura_, endCount_},
        {"End Verse:", endVerse_, nullptr},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromLatin1(r.caption), page);
        label->setBuddy(r.edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.edit, row, 1);
        if (r.count)
            grid->addWidget(r.count, row, 2);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    box->addLayout(grid);

    view_ = button(QStringLiteral("VIEW VERSES"), QStringLiteral("Command18"), page);
    view_->setToolTip(QStringLiteral("Show the verses of the range in the reading pane"));
    saveRange_ = button(QStringLiteral("SAVE VERSES"), QStringLiteral("Command19"), page);
    saveRange_->setToolTip(QStringLiteral("Show the verses of the range and save them to a file"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(view_);
    buttons->addWidget(saveRange_);
    buttons->addStretch(1);
    box->addLayout(buttons);
    box->addStretch(1);
    setDefaultButton(view_);

    setTabOrder(startSura_, startVerse_);
    setTabOrder(startVerse_, endSura_);
    setTabOrder(endSura_, endVerse_);
    setTabOrder(endVerse_, view_);
    setTabOrder(view_, saveRange_);
    setTabOrder(saveRange_, saveDisplay_);
}
