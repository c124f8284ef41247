#include "catalogue/sources/asu_query.h"

#include "core/numbers.h"

#include <QUrl>

#include <cmath>

namespace ce {
namespace {

QString encoded(const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); }

QString fixed6(double value) { return QString::number(value, 'f', 6); }

}  // namespace

Result<QString> asuPathAndQuery(const AsuCatalogue& catalogue, const FieldRequest& request,
                                const TextLookup& lang)
{
    using R = Result<QString>;
    const double radiusArcmin = leadingNumber(request.radiusText);
    if (!(radiusArcmin > 0) || !std::isfinite(radiusArcmin))
        return R::failure(lang.text(QStringLiteral("catalogue.read.radius")));
    const QString magText = request.magnitudeText.trimmed();
    const double magnitude = leadingNumber(magText);
    if (!std::isfinite(magnitude) || magText.isEmpty() || !(magText[0].isDigit() || magText[0] == u'-'
                                                            || magText[0] == u'+' || magText[0] == u'.'))
        return R::failure(lang.text(QStringLiteral("catalogue.read.magnitude")));

    const double dec = request.query.decJ2000Deg;
    QStringList out;
    for (const QString& c : catalogue.columns)
        out.append(encoded(c));
    const QString mag = encoded(catalogue.magnitudeColumn);
    return R::success(QLatin1String(kAsuTsvPath) + QStringLiteral("?-source=") + encoded(catalogue.table)
                      + QStringLiteral("&-c=") + fixed6(request.query.raJ2000Deg)
                      + (dec < 0 ? QStringLiteral("-") : QStringLiteral("%2B")) + fixed6(std::abs(dec))
                      + QStringLiteral("&-c.eq=J2000&-c.rm=") + formatDouble(radiusArcmin)
                      + QStringLiteral("&-out=") + out.join(u',') + QStringLiteral("&-sort=") + mag
                      + QStringLiteral("&-out.max=") + QString::number(kAsuMaxRows) + u'&' + mag
                      + QStringLiteral("=%3C") + formatDouble(magnitude));
}

Result<std::vector<qsizetype>> asuColumns(const AsuTable& table, const QStringList& names,
                                          const TextLookup& lang)
{
    std::vector<qsizetype> indices;
    for (const QString& name : names) {
        const qsizetype i = table.column(name);
        if (i < 0)
            return Result<std::vector<qsizetype>>::failure(
                lang.text(QStringLiteral("catalogue.read.nocolumn")).arg(name));
        indices.push_back(i);
    }
    return Result<std::vector<qsizetype>>::success(std::move(indices));
}

std::optional<double> asuNumber(const QString& cell)
{
    bool ok = false;
    const double value = cell.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace ce
