#include "catalogue/query_address.h"

#include "core/numbers.h"
#include "core/precession.h"
#include "core/sexagesimal.h"

#include <QUrl>

#include <cmath>

namespace ce {
namespace {

// A typed text as it may stand in a query value: unreserved characters as
// they are, everything else as %XX of its UTF-8 bytes.
QString queryValue(const QString& typed)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(typed));
}

// "h+m+s" from the parts; seconds rounded to a whole number, half to even,
// 60 kept as 60.
QString sexagesimalQueryText(long long whole, std::int16_t minutes, double seconds)
{
    return formatWhole(whole) + u'+' + formatWhole(minutes) + u'+'
         + formatWhole(static_cast<long long>(roundHalfEven(seconds)));
}

}  // namespace

Result<CatalogueQuery> catalogueQueryAround(double raDeg, double decDeg, int sign,
                                            const QString& epochText, const QString& radiusText,
                                            const QString& magnitudeText, const TextLookup& lang)
{
    const auto overflow = [&lang](const char* field) {
        return Result<CatalogueQuery>::failure(
            lang.text(QStringLiteral("catalogue.query.overflow")).arg(QLatin1String(field)));
    };
    if (!std::isfinite(raDeg))
        return overflow("RA");
    if (!std::isfinite(decDeg))
        return overflow("DEC");

    // Back to J2000.0 through the epoch mirrored about 2000.
    const double epoch = leadingNumber(epochText);
    const PrecessionCorrection corr = PrecessFromJ2000(4000.0 - epoch, raDeg, decDeg);
    CatalogueQuery query;
    query.raJ2000Deg = raDeg + corr.dRaDeg;
    query.decJ2000Deg = decDeg + corr.dDecDeg;
    if (!std::isfinite(query.raJ2000Deg) || !std::isfinite(query.decJ2000Deg))
        return overflow("Epoch");

    // Sexagesimal texts. The declination's degrees are written without
    // sign and the sign comes from the caption, so that a centre between 0
    // and -1 degree (whole degrees 0) keeps its "-". Only when the conversion
    // carried the centre across the equator does the converted declination
    // decide, or the request would ask for the mirror field.
    QString signText = sign < 0 ? QStringLiteral("-") : QString();
    if (sign < 0 && query.decJ2000Deg > 0.0) signText.clear();
    if (sign > 0 && query.decJ2000Deg < 0.0) signText = QStringLiteral("-");
    const SexagesimalParts raParts = SplitSexagesimal(query.raJ2000Deg / 15.0);
    const SexagesimalParts decParts = SplitSexagesimal(query.decJ2000Deg);
    query.raText = sexagesimalQueryText(raParts.whole, raParts.minutes, raParts.seconds);
    query.decText = signText + sexagesimalQueryText(std::abs(static_cast<int>(decParts.whole)),
                                                     decParts.minutes, decParts.seconds);

    query.pathAndQuery =
        catalogueQueryAddress(epochText, query.raText, query.decText, radiusText, magnitudeText);
    return Result<CatalogueQuery>::success(query);
}

QString catalogueQueryAddress(const QString& epochText, const QString& raText,
                              const QString& decText, const QString& radiusText,
                              const QString& magnitudeText)
{
    return QStringLiteral("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=") + queryValue(epochText)
         + QStringLiteral("&chart=0&ra=") + raText
         + QStringLiteral("&dec=") + decText
         + QStringLiteral("&object=&radmax=") + queryValue(radiusText)
         + QStringLiteral("&magbright=0&magfaint=") + queryValue(magnitudeText)
         + QStringLiteral(".&format=2&sort=mr&nout=5000");
}

}  // namespace ce
