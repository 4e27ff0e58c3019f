#include "numbers/panel_support.h"

#include "app/frm_main.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace numbers_ui {

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

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    label->setFont(f);
    return label;
}

void bindCommand(frmMain& main, QAbstractButton* button, const QString& command)
{
    QObject::connect(button, &QAbstractButton::clicked, &main, [&main, command] { main.runCommand(command); });
}

}  // namespace numbers_ui
