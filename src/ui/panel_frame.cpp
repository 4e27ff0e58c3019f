#include "ui/panel_frame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

PanelFrame::PanelFrame(const QString& objectName, QWidget* parent) : QFrame(parent)
{
    setObjectName(objectName);
    setFrameShape(QFrame::StyledPanel);
}

void PanelFrame::setDefaultButton(QPushButton* button)
{
    if (default_)
        default_->setDefault(false);
    default_ = button;
    if (default_)
        default_->setDefault(true);
}

bool PanelFrame::isPlainEnter(const QKeyEvent& event)
{
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return enter && !event.isAutoRepeat() &&
           !(event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

bool PanelFrame::pressDefault()
{
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (focused && isAncestorOf(focused) && focused->isEnabled()) {
        focused->click();
        return true;
    }
    if (default_ && default_->isVisible() && default_->isEnabled()) {
        default_->click();
        return true;
    }
    return false;
}

void PanelFrame::keyPressEvent(QKeyEvent* event)
{
    // Text boxes, lists and buttons let Enter through to their panel.
    if (isPlainEnter(*event) && pressDefault()) {
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}
