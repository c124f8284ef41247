#include "app/ui/fixed_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

namespace ce {

bool hasFixedAdvances(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(u'M');
    if (width <= 0) return false;
    for (const QChar c : {u'i', u'.', u'W', u'1'})
        if (metrics.horizontalAdvance(c) != width) return false;
    return true;
}

QFont fixedWidthFont()
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (hasFixedAdvances(system)) return system;
    const QStringList families = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                                  QStringLiteral("Noto Sans Mono"), QStringLiteral("Courier New"),
                                  QStringLiteral("monospace")};
    for (const QString& family : families) {
        QFont font(family);
        if (system.pointSizeF() > 0) font.setPointSizeF(system.pointSizeF());
        font.setStyleHint(QFont::TypeWriter);
        if (hasFixedAdvances(font)) return font;
    }
    QFont fallback(families.first());
    fallback.setStyleHint(QFont::TypeWriter);
    return fallback;
}

}  // namespace ce
