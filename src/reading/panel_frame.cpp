#include "reading/panel_frame.h"

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

void PanelFrame::keyPressEvent(QKeyEvent* event)
{
    // Text boxes and lists let Enter through to their panel.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && default_ && default_->isVisible() && default_->isEnabled() && !event->isAutoRepeat()) {
        default_->click();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}
