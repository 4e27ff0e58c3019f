#include "ui/wrap_check_box.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace {
constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
constexpr int kUnbounded = 100000;
}  // namespace

WrapCheckBox::WrapCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    QSizePolicy p(QSizePolicy::Preferred, QSizePolicy::Preferred);
    p.setHeightForWidth(true);
    setSizePolicy(p);
}

int WrapCheckBox::indent() const
{
    return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
           style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
}

int WrapCheckBox::indicatorHeight() const { return style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this); }

QRect WrapCheckBox::captionRect(int width) const
{
    const QRect area(indent(), 0, std::max(1, width - indent()), kUnbounded);
    return fontMetrics().boundingRect(area, kFlags, text());
}

int WrapCheckBox::heightForWidth(int width) const
{
    return std::max(indicatorHeight(), captionRect(width).height()) + 2;
}

QSize WrapCheckBox::sizeHint() const
{
    const int width = indent() + fontMetrics().horizontalAdvance(text()) + 2;
    return {width, heightForWidth(width)};
}

QSize WrapCheckBox::minimumSizeHint() const
{
    // Narrow enough for any panel; the longest word still fits.
    int widest = 0;
    for (const QString& word : text().split(u' ', Qt::SkipEmptyParts))
        widest = std::max(widest, fontMetrics().horizontalAdvance(word));
    // The height a width needs comes from heightForWidth(); asking here for
    // the height at the narrowest width would make every panel holding the
    // box as tall as if it were that narrow.
    return {indent() + widest + 2, heightForWidth(sizeHint().width())};
}

void WrapCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const int line = fontMetrics().height();
    // The box stands beside the first line of the caption.
    QStyleOptionButton box = opt;
    box.text.clear();
    box.rect = QRect(0, 0, indent(), std::max(line, indicatorHeight()));
    box.state &= ~QStyle::State_HasFocus;
    p.drawPrimitive(QStyle::PE_IndicatorCheckBox,
                    [&] {
                        QStyleOptionButton indicator = box;
                        indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &box, this);
                        return indicator;
                    }());
    const QRect caption = captionRect(width()).translated(0, std::max(0, (indicatorHeight() - line) / 2));
    p.drawItemText(caption, kFlags, palette(), isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = caption.adjusted(-1, 0, 1, 0);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
