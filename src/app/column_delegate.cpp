#include "app/column_delegate.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kColumnGap = 14;
}

ColumnDelegate::ColumnDelegate(QRegularExpression columns, QObject* parent)
    : QStyledItemDelegate(parent), columns_(std::move(columns))
{
}

QStringList ColumnDelegate::partsOf(const QString& text) const
{
    const QRegularExpressionMatch m = columns_.match(text);
    if (!m.hasMatch())
        return {text};
    QStringList parts;
    for (int i = 1; i <= m.lastCapturedIndex(); ++i)
        parts << m.captured(i).trimmed();
    return parts;
}

std::vector<int> ColumnDelegate::columnStarts(const QStyleOptionViewItem& option, const QAbstractItemModel& model) const
{
    // The widest part of each column over every entry (the lists hold 115
    // entries at most, so measuring them all is cheap).
    std::vector<int> widths;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QStringList parts = partsOf(model.index(row, 0).data(Qt::DisplayRole).toString());
        if (parts.size() < 2)
            continue;
        widths.resize(std::max<size_t>(widths.size(), static_cast<size_t>(parts.size())), 0);
        for (int i = 0; i < parts.size(); ++i)
            widths[static_cast<size_t>(i)] =
                std::max(widths[static_cast<size_t>(i)], option.fontMetrics.horizontalAdvance(parts[i]));
    }
    std::vector<int> starts;
    int x = 0;
    for (int w : widths) {
        starts.push_back(x);
        x += w + kColumnGap;
    }
    starts.push_back(x);  // the end of the last column
    return starts;
}

void ColumnDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStringList parts = partsOf(opt.text);
    if (parts.size() < 2 || !index.model()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The background, selection and focus as for any entry, then the parts.
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const std::vector<int> starts = columnStarts(opt, *index.model());
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    for (int i = 0; i < parts.size() && static_cast<size_t>(i) + 1 < starts.size(); ++i) {
        const QRect cell(textRect.left() + starts[static_cast<size_t>(i)], textRect.top(),
                         starts[static_cast<size_t>(i) + 1] - starts[static_cast<size_t>(i)], textRect.height());
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[i]);
    }
    painter->restore();
}

QSize ColumnDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (index.model()) {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const std::vector<int> starts = columnStarts(opt, *index.model());
        size.setWidth(std::max(size.width(), starts.back() + 2 * kColumnGap));
    }
    return size;
}
