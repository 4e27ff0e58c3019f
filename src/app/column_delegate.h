#pragma once

#include <QRegularExpression>
#include <QStyledItemDelegate>

#include <vector>

// Draws list entries whose parts were padded into columns with spaces (the
// sura lists: number, name, verse count) as real columns, so they line up
// in any font. The entry's text stays as it is; `columns` captures its
// parts, and an entry it does not match is drawn whole.
class ColumnDelegate : public QStyledItemDelegate {
public:
    ColumnDelegate(QRegularExpression columns, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The parts of one entry (the whole text when the pattern does not match).
    QStringList partsOf(const QString& text) const;
    // Where each column starts, in pixels from the entry's text start.
    std::vector<int> columnStarts(const QStyleOptionViewItem& option, const QAbstractItemModel& model) const;

private:
    QRegularExpression columns_;
};
