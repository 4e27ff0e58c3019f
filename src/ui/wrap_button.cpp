#include "ui/wrap_button.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr double kSmallestPointSize = 7.0;
constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
}  // namespace

WrapButton::WrapButton(QWidget* parent) : QPushButton(parent) {}

WrapButton::WrapButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

QSize WrapButton::minimumSizeHint() const { return {16, 16}; }

QRect WrapButton::captionRect() const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this).adjusted(1, 0, -1, 0);
}

bool WrapButton::fitsAt(double pointSize) const
{
    QFont f = font();
    f.setPointSizeF(pointSize);
    const QRect area = captionRect();
    const QRect need = QFontMetrics(f).boundingRect(area, kFlags, text());
    return need.width() <= area.width() && need.height() <= area.height();
}

double WrapButton::captionPointSize() const
{
    double size = font().pointSizeF();
    while (size > kSmallestPointSize && !fitsAt(size))
        size -= 0.5;
    return size;
}

bool WrapButton::captionFits() const { return fitsAt(captionPointSize()); }

void WrapButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    opt.icon = {};
    p.drawControl(QStyle::CE_PushButton, opt);  // the bevel and focus, no label
    QFont f = font();
    f.setPointSizeF(captionPointSize());
    p.setFont(f);
    p.drawItemText(captionRect(), kFlags, palette(), isEnabled(), text(), QPalette::ButtonText);
}
