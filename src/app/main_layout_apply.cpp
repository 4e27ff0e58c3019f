#include "app/main_layout_apply.h"

#include <QAbstractButton>
#include <QWidget>

void applyLayout(QWidget& central, const layout::MainLayout& l, double logicalDpi)
{
    for (const auto& p : l.placements) {
        QWidget* container =
            p.parent.empty() ? &central : central.findChild<QWidget*>(QString::fromStdString(p.parent));
        if (!container)
            continue;
        // Only the container's own children: a panel may nest a part that
        // shares a name with a place in the column (the search panel holds
        // its advanced part) and lays that part out itself.
        auto* w = container->findChild<QWidget*>(QString::fromStdString(p.name), Qt::FindDirectChildrenOnly);
        if (!w)
            continue;
        const layout::Rect r = layout::toPixels(p.rect, logicalDpi);
        w->setGeometry(r.left, r.top, r.width, r.height);
    }
    if (auto* close = central.findChild<QAbstractButton*>(QStringLiteral("leftframeclose")))
        close->setText(QString::fromStdString(l.leftframecloseCaption));
}
