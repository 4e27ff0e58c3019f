#include "palette_view.h"

#include "tintwell/picker.h"

#include <QKeyEvent>
#include <QPainter>

namespace tintwell {

SelectorFrame::SelectorFrame(QWidget* parent) : QFrame(parent)
{
    setObjectName("selector");
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SelectorFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(r.adjusted(1, 1, -2, -2));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(r.adjusted(2, 2, -3, -3));
}

PaletteView::PaletteView(QWidget* parent) : QWidget(parent)
{
    setObjectName("palette");
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(tr("Click a color, or move with the arrow keys"));
}

void PaletteView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: emit stepRequested(-1); break;
    case Qt::Key_Right: emit stepRequested(1); break;
    case Qt::Key_Up: emit stepRequested(-PaletteColumns); break;
    case Qt::Key_Down: emit stepRequested(PaletteColumns); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void PaletteView::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    // The cells cover all but the margin; the focus frame goes there.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(3, 3, -3, -3), 3, 3);
}

void PaletteView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void PaletteView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace tintwell
