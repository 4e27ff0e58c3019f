#include "ui/panel_support.h"

#include <QFormLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ui {

QVBoxLayout* scrollingPage(QWidget& panel)
{
    auto* scroll = new QScrollArea(&panel);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A click on something that takes no focus (a keyboard key) must leave
    // the focus where it was, not hand it to the scroll area.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* outer = new QVBoxLayout(&panel);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto* page = new QWidget(scroll);
    page->setObjectName(panel.objectName() + QStringLiteral("Page"));
    scroll->setWidget(page);
    scroll->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    auto* box = new QVBoxLayout(page);
    box->setContentsMargins(8, 6, 8, 8);
    box->setSpacing(6);
    return box;
}

QLabel* title(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

ScrolledForm scrolledForm(QWidget& panel)
{
    auto* scroll = new QScrollArea(&panel);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    auto* page = new QWidget(scroll);
    page->setAutoFillBackground(false);
    scroll->setWidget(page);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 4, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return {scroll, form};
}

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    label->setFont(f);
    return label;
}

}  // namespace ui
