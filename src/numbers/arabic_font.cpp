#include "numbers/arabic_font.h"

#include <QApplication>
#include <QFontDatabase>

namespace {

QString arabicFamily()
{
    static const QString family = [] {
        const QStringList arabic = QFontDatabase::families(QFontDatabase::Arabic);
        for (const QString& preferred :
             {QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Kufi Arabic")})
            if (arabic.contains(preferred))
                return preferred;
        return arabic.isEmpty() ? QString() : arabic.front();
    }();
    return family;
}

}  // namespace

QFont arabicFont(double pointSize)
{
    QFont f = QApplication::font();
    if (const QString family = arabicFamily(); !family.isEmpty())
        f.setFamilies({family, f.family()});
    f.setPointSizeF(pointSize);
    return f;
}
