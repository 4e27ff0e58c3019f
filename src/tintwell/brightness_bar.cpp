#include "brightness_bar.h"

#include "tintwell/picker.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tintwell {

namespace {
QColor toQColor(int rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }
}  // namespace

BrightnessBar::BrightnessBar(QWidget* parent) : QWidget(parent)
{
    setObjectName("picBrightness");
    setCursor(Qt::CrossCursor);
    setToolTip(tr("Click or drag to choose the brightness"));
}

void BrightnessBar::draw(int rgb)
{
    drawnFor_ = rgb & 0xFFFFFF;
    update();
}

void BrightnessBar::setMark(int rgb)
{
    markRow_ = brightnessBarRow(rgb);
    update();
}

// The stripes fill the inside of a one-pixel frame; the mark sits to the right.
QRect BrightnessBar::stripeRect() const { return QRect(1, 1, StripeWidth, std::max(1, height() - 2)); }

// The bar is BrightnessBarUnits rows high in its own units, whatever its size
// in pixels.
int BrightnessBar::unitAt(int y) const
{
    const QRect r = stripeRect();
    const int inside = std::clamp(y - r.top(), 0, r.height() - 1);
    return inside * BrightnessBarUnits / r.height();
}

int BrightnessBar::pixelOf(double unit) const
{
    const QRect r = stripeRect();
    return r.top() + static_cast<int>(std::lround(unit * r.height() / BrightnessBarUnits));
}

int BrightnessBar::colorAt(const QPoint& point) const { return brightnessBarColor(drawnFor_, unitAt(point.y())); }

void BrightnessBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = stripeRect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        painter.fillRect(QRect(r.left(), y, r.width(), 1), toQColor(brightnessBarColor(drawnFor_, unitAt(y))));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(r.adjusted(-1, -1, 0, 0));

    // A small arrow pointing at the row of the current brightness.
    const int y = std::clamp(pixelOf(markRow_ + 0.5), r.top(), r.bottom());
    const int x = r.right() + 3;
    QPainterPath arrow;
    arrow.moveTo(x, y);
    arrow.lineTo(x + MarkWidth - 3, y - 5);
    arrow.lineTo(x + MarkWidth - 3, y + 5);
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, palette().color(QPalette::WindowText));
}

void BrightnessBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit picked(colorAt(event->position().toPoint()));
}

void BrightnessBar::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        emit picked(colorAt(event->position().toPoint()));
}

}  // namespace tintwell
